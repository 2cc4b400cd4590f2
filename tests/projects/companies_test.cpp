// Registering, changing, deleting and opening companies over the two database files.
#include "projects/Companies.h"
#include "support/RecordedFailures.h"
#include "support/TestProgramFolder.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>

namespace {

int Count(DbConnection& cn, const QString& sql)
{
    return Scalar(cn, sql).toInt();
}

CompanyMasterInput Input(int code, int year, const QString& name)
{
    CompanyMasterInput in;
    in.code = QString::number(code);
    in.year = QString::number(year);
    in.name = name;
    const QString digits = QStringLiteral("１２３４５６７８９");
    for (int i = 0; i < 9; ++i)
        in.gradeNames[i] = QStringLiteral("第") + digits.at(i) + QStringLiteral("等級");
    in.hours = QStringLiteral("8");
    in.days = QStringLiteral("20");
    in.monthlyHours = QStringLiteral("160");
    in.minimumWage = QStringLiteral("1,050");
    return in;
}

class Companies : public ::testing::Test {
protected:
    Session& session() { return folder.session(); }

    // Registers a company through the routine under test (year database opened first).
    void Register(int code, int year, const QString& name)
    {
        folder.openYear(year);
        ASSERT_TRUE(RegisterCompany(session(), Input(code, year, name), QDate(2026, 12, 8)));
    }

    RecordedFailures failures;
    TestProgramFolder folder;
};

TEST_F(Companies, LargestCodeIsTakenOverAllYears)
{
    EXPECT_EQ(LargestCompanyCode(session()), 0);
    Register(2, 2018, QStringLiteral("二社"));
    Register(7, 2024, QStringLiteral("七社"));
    Register(1, 2020, QStringLiteral("一社"));
    EXPECT_EQ(LargestCompanyCode(session()), 7);

    QList<TKigyo1_> rows;
    ASSERT_TRUE(LoadCompanyList(session(), 2024, rows));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].KNA, QStringLiteral("七社"));
    ASSERT_TRUE(LoadCompanyList(session(), 2030, rows));
    EXPECT_TRUE(rows.isEmpty());
    EXPECT_TRUE(failures.reports.isEmpty());
}

TEST_F(Companies, YearBoxRunsFrom2004ToNextYear)
{
    const QList<int> years = SelectableYears(2026);
    ASSERT_EQ(years.size(), 24);
    EXPECT_EQ(years.first(), 2004);
    EXPECT_EQ(years.last(), 2027);
    EXPECT_TRUE(SelectableYears(2002).isEmpty());
}

TEST_F(Companies, WorkingTimeFieldsTakeNumbersWithCommas)
{
    const struct {
        const char* typed;
        bool accepted;
        const char* stored;
    } cases[] = {
        {"", true, "0"},        {"8", true, "8"},          {"7.75", true, "7.75"}, {"1,050", true, "1050"},
        {" 12 ", true, "12"},   {"-2", true, "-2"},        {"-1", false, ""},      {"abc", false, ""},
        {"1.2.3", false, ""},
    };
    for (const auto& c : cases) {
        const QString typed = QString::fromUtf8(c.typed);
        EXPECT_EQ(IsWorkingTimeNumber(typed), c.accepted) << c.typed;
        if (c.accepted) {
            EXPECT_EQ(WorkingTimeValue(typed), QString::fromUtf8(c.stored)) << c.typed;
        }
    }
}

TEST_F(Companies, RegisteringWritesBothFilesAndCopiesTheTemplates)
{
    folder.openYear(2019);
    CompanyMasterInput in = Input(8, 2019, QStringLiteral("  株式会社オニール's  "));
    in.gradeNames[0] = QStringLiteral(" 一般職 ");
    in.modelCode = 3;
    in.livingCode = 12;
    ASSERT_TRUE(RegisterCompany(session(), in, QDate(2026, 12, 8)));
    TFDM& fdm = folder.fdm();

    EXPECT_EQ(Scalar(fdm.ACN1, "SELECT KCO || ',' || NENDO || ',' || KNA || ',' || PATH || ',' || SDATE || ',' || FNK"
                               " || ',' || KDATE || ',' || REKI || ',' || SYOTEIHH || ',' || SYOTEIDD || ',' || SYOTEIMM"
                               " || ',' || SAITEI FROM MKIGYOU1"),
              QStringLiteral("8,2019,株式会社オニール's,,20191208,9,20090401,0,8.0,20.0,160.0,1050"));
    EXPECT_EQ(Scalar(fdm.ACN2, "SELECT KCO || ',' || NENDO || ',' || KNA || ',' || MDCO || ',' || SKCO || ',' || TK01"
                               " || ',' || TK09 || ',' || FRSTKYU || ',' || FRENCM FROM MKIGYOU2"),
              QStringLiteral("8,2019,株式会社オニール's,3,12,一般職,第９等級,0,0"));

    // Nine marks and four graph styles, each the template row with the company's keys.
    EXPECT_EQ(Count(fdm.ACN2, "SELECT count(*) FROM MMARK WHERE KCO = 8 AND NENDO = 2019"), 9);
    EXPECT_EQ(Count(fdm.ACN2, "SELECT count(*) FROM MGRAPH WHERE KCO = 8 AND NENDO = 2019"), 4);
    EXPECT_EQ(Scalar(fdm.ACN2, "SELECT group_concat(MKCO || MARK || HANREI || MKCOLOR || MKSIZE || KSYURUI || KHABA, ';')"
                               " FROM (SELECT * FROM MMARK ORDER BY MKCO)"),
              Scalar(fdm.ACN1, "SELECT group_concat(MKCO || MARK || HANREI || MKCOLOR || MKSIZE || KSYURUI || KHABA, ';')"
                               " FROM (SELECT * FROM MMMARK WHERE NENDO = 9999 AND KCO = 0 ORDER BY MKCO)"));
    EXPECT_EQ(Scalar(fdm.ACN2, "SELECT group_concat(GSCO || CCOLOR || CSYURUI || CHABA, ';') FROM"
                               " (SELECT * FROM MGRAPH ORDER BY GSCO)"),
              QStringLiteral("1clBlack02;2clBlack01;3clSilver21;4clGray11"));
    // The templates themselves stay as they were.
    EXPECT_EQ(Count(fdm.ACN1, "SELECT count(*) FROM MMMARK"), 9);
    EXPECT_EQ(Count(fdm.ACN1, "SELECT count(*) FROM MMMARK WHERE KCO = 8"), 0);
    EXPECT_EQ(fdm.ACN1.transactionDepth(), 0);
    EXPECT_EQ(fdm.ACN2.transactionDepth(), 0);
    EXPECT_TRUE(failures.reports.isEmpty());
}

TEST_F(Companies, ChangingRewritesNameCodesAndWorkingTimeOnly)
{
    Register(3, 2024, QStringLiteral("旧社名"));
    Register(4, 2024, QStringLiteral("隣の会社"));
    TFDM& fdm = folder.fdm();
    Exec(fdm.ACN1, "UPDATE MKIGYOU1 SET FNK = 1, KDATE = 20240401, REKI = 1 WHERE KCO = 3");
    Exec(fdm.ACN2, "UPDATE MKIGYOU2 SET CYOUSAHI = 5, TAIKEI = 'x' WHERE KCO = 3");
    const QString neighbourBefore = Scalar(fdm.ACN2, "SELECT KNA || MDCO || SKCO || TK01 FROM MKIGYOU2 WHERE KCO = 4");

    CompanyMasterInput in = Input(3, 2024, QStringLiteral(" 新社名 "));
    in.gradeNames[2] = QStringLiteral("主任");
    in.modelCode = 2;
    in.livingCode = 5;
    in.hours = QStringLiteral("7.5");
    in.minimumWage = QStringLiteral("");
    ASSERT_TRUE(ChangeCompany(session(), in));

    EXPECT_EQ(Scalar(fdm.ACN1, "SELECT KNA || ',' || SDATE || ',' || FNK || ',' || KDATE || ',' || REKI || ',' ||"
                               " SYOTEIHH || ',' || SAITEI FROM MKIGYOU1 WHERE KCO = 3"),
              QStringLiteral("新社名,20241208,1,20240401,1,7.5,0"));
    // The master's extra columns are written 0 or empty, as registration writes them.
    EXPECT_EQ(Scalar(fdm.ACN2, "SELECT KNA || ',' || MDCO || ',' || SKCO || ',' || TK03 || ',' || CYOUSAHI || ',' ||"
                               " TAIKEI FROM MKIGYOU2 WHERE KCO = 3"),
              QStringLiteral("新社名,2,5,主任,0,"));
    EXPECT_EQ(Scalar(fdm.ACN2, "SELECT KNA || MDCO || SKCO || TK01 FROM MKIGYOU2 WHERE KCO = 4"), neighbourBefore);
    EXPECT_EQ(Scalar(fdm.ACN1, "SELECT KNA FROM MKIGYOU1 WHERE KCO = 4"), QStringLiteral("隣の会社"));
    EXPECT_TRUE(failures.reports.isEmpty());
}

// Two companies in 2024 with a row in every project table, the first one again in 2025.
class CompanyDeletion : public Companies {
protected:
    void SetUp() override
    {
        Companies::SetUp();
        Register(3, 2025, QStringLiteral("翌年の三社"));
        fillTables(3, 2025);
        Register(3, 2024, QStringLiteral("三社"));
        Register(4, 2024, QStringLiteral("四社"));
        fillTables(3, 2024);
        fillTables(4, 2024);
        // A cost-of-living table saved by company 3 under another year of the same file.
        Exec(folder.fdm().ACN2, "INSERT INTO MSEIKEI (KCO, NENDO, SKCO) VALUES (3, 2023, 9)");
    }

    void fillTables(int code, int year)
    {
        for (const QString& t : CompanyTablesOfYear())
            if (t != QLatin1String("MKIGYOU2") && t != QLatin1String("MMARK") && t != QLatin1String("MGRAPH"))
                Exec(folder.fdm().ACN2, QStringLiteral("INSERT INTO %1 (KCO, NENDO) VALUES (%2, %3)").arg(t).arg(code).arg(year));
    }

    int rowsOf(DbConnection& cn, const QString& table, int code)
    {
        return Count(cn, QStringLiteral("SELECT count(*) FROM %1 WHERE KCO = %2").arg(table).arg(code));
    }
};

TEST_F(CompanyDeletion, EmptiesEveryProjectTableOfThatYearForTheCompanyOnly)
{
    TFDM& fdm = folder.fdm();
    SqliteConnection nextYear;
    ASSERT_TRUE(nextYear.open(folder.dataPath("2025/DATA.MDB")));
    const QString nextYearBefore = DumpDatabase(nextYear);
    QMap<QString, int> neighbour;
    for (const QString& t : CompanyTablesOfYear())
        neighbour[t] = rowsOf(fdm.ACN2, t, 4);

    ASSERT_TRUE(DeleteCompany(session(), 2024, 3));

    for (const QString& t : CompanyTablesOfYear()) {
        EXPECT_EQ(rowsOf(fdm.ACN2, t, 3), 0) << t.toStdString();
        EXPECT_EQ(rowsOf(fdm.ACN2, t, 4), neighbour[t]) << t.toStdString();
        EXPECT_GT(neighbour[t], 0) << t.toStdString();
    }
    EXPECT_EQ(Scalar(fdm.ACN1, "SELECT group_concat(KCO || '/' || NENDO, ' ') FROM (SELECT * FROM MKIGYOU1 ORDER BY "
                               "NENDO, KCO)"),
              QStringLiteral("4/2024 3/2025"));
    EXPECT_EQ(DumpDatabase(nextYear), nextYearBefore);
    EXPECT_EQ(fdm.ACN1.transactionDepth(), 0);
    EXPECT_EQ(fdm.ACN2.transactionDepth(), 0);
    EXPECT_TRUE(failures.reports.isEmpty());
}

// A statement failing in the middle leaves both files exactly as they were.
TEST_F(CompanyDeletion, AFailureHalfWayLeavesBothFilesAsTheyWere)
{
    const struct {
        const char* name;
        const char* breakYearFile;
        std::function<bool()> operation;
    } cases[] = {
        {"register", "ALTER TABLE MGRAPH RENAME TO MGRAPH_AWAY",
         [this] { return RegisterCompany(session(), Input(5, 2024, QStringLiteral("五社")), QDate(2026, 12, 8)); }},
        {"change", "ALTER TABLE MKIGYOU2 RENAME TO MKIGYOU2_AWAY",
         [this] { return ChangeCompany(session(), Input(3, 2024, QStringLiteral("改名"))); }},
        {"delete", "ALTER TABLE DSPDRAW RENAME TO DSPDRAW_AWAY", [this] { return DeleteCompany(session(), 2024, 3); }},
    };
    TFDM& fdm = folder.fdm();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Exec(fdm.ACN2, QString::fromUtf8(c.breakYearFile));
        const QString controlBefore = DumpDatabase(fdm.ACN1), yearBefore = DumpDatabase(fdm.ACN2);
        failures.clear();

        EXPECT_FALSE(c.operation());

        EXPECT_EQ(DumpDatabase(fdm.ACN1), controlBefore);
        EXPECT_EQ(DumpDatabase(fdm.ACN2), yearBefore);
        EXPECT_EQ(fdm.ACN1.transactionDepth(), 0);
        EXPECT_EQ(fdm.ACN2.transactionDepth(), 0);
        // The failing statement's own message is the one reported.
        ASSERT_EQ(failures.reports.size(), 1);
        EXPECT_TRUE(failures.reports[0].text.contains(QLatin1String("no such table")))
            << failures.reports[0].text.toStdString();
        // Put the table back for the next case.
        const QString broken = QString::fromUtf8(c.breakYearFile);
        const QString table = broken.section(' ', 2, 2), away = broken.section(' ', 5, 5);
        Exec(fdm.ACN2, QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(away, table));
    }
}

TEST_F(Companies, OpeningLoadsTheProjectOrLeavesTheSessionAsItWas)
{
    Register(3, 2024, QStringLiteral("三社"));
    TFDM& fdm = folder.fdm();
    Exec(fdm.ACN1, "UPDATE MKIGYOU1 SET FNK = 9, KDATE = 20230401, REKI = 1, SYOTEIMM = 162.5 WHERE KCO = 3");
    Exec(fdm.ACN2, "UPDATE MKIGYOU2 SET MDCO = 2, SKCO = 5, TK02 = '主任' WHERE KCO = 3");
    Exec(fdm.ACN2, "UPDATE MMARK SET MKCOLOR = '$00008000' WHERE KCO = 3 AND MKCO = 2");
    Exec(fdm.ACN2, "INSERT INTO YHYOUKA VALUES (3, 2024, 2, 'B'), (3, 2024, 1, 'A'), (4, 2024, 1, 'X')");

    Session s = session();
    s.fiscalYear = 2030;
    ASSERT_EQ(OpenCompany(s, 2024, 3, QStringLiteral("三社")), OpenOutcome::Opened);
    const TOpenProject& p = s.project;
    EXPECT_TRUE(s.companyOpen());
    EXPECT_EQ(s.companyCode, 3);
    EXPECT_EQ(s.companyName, QStringLiteral("三社"));
    EXPECT_EQ(s.fiscalYear, 2024);
    EXPECT_EQ(s.calendarMode, 1);
    EXPECT_TRUE(s.ageByToday);
    EXPECT_EQ(s.referenceDate, 20230401);
    EXPECT_EQ(s.exeFolder, session().exeFolder);
    EXPECT_EQ(s.year, session().year);
    EXPECT_EQ(p.CurrentCompany.KCO, "3");
    EXPECT_EQ(p.CurrentCompany.NENDO, "2024");
    EXPECT_EQ(p.CurrentCompany.MDCO, 2);
    EXPECT_EQ(p.CurrentCompany.SKCO, 5);
    EXPECT_EQ(p.CurrentCompany.TK[1], QStringLiteral("主任"));
    EXPECT_DOUBLE_EQ(p.CurrentCompany.SYOTEIMM, 162.5);
    EXPECT_EQ(p.CurrentCompany.SAITEI, 1050);
    EXPECT_EQ(p.Marks[0].MARK, QStringLiteral("●"));
    EXPECT_EQ(p.Marks[1].MKCOLOR, 0x008000u);
    EXPECT_EQ(p.Marks[8].MKCO, 9);
    ASSERT_EQ(p.EvaluationSymbols.size(), 2);
    EXPECT_EQ(p.EvaluationSymbols[0].HKIGOU, "A");
    EXPECT_EQ(p.EvaluationSymbols[1].HKIGOU, "B");

    // Another company whose master row is missing: nothing of the session changes.
    Exec(fdm.ACN1, "INSERT INTO MKIGYOU1 VALUES (6, 2024, '六社', '', 20240401, 0, 20240401, 1, 0, 0, 0, 0)");
    Session before = session();
    Session unopened = before;
    EXPECT_EQ(OpenCompany(unopened, 2024, 6, QStringLiteral("六社")), OpenOutcome::NoCompanyMaster);
    EXPECT_FALSE(unopened.companyOpen());
    EXPECT_EQ(unopened.companyCode, before.companyCode);
    EXPECT_EQ(unopened.companyName, before.companyName);
    EXPECT_EQ(unopened.fiscalYear, before.fiscalYear);
    EXPECT_EQ(unopened.calendarMode, before.calendarMode);
    EXPECT_EQ(unopened.referenceDate, before.referenceDate);
    EXPECT_EQ(unopened.project.CurrentCompany.KCO, QString());
    EXPECT_EQ(unopened.project.Marks[0].MARK, QString());

    // An open company stays open when another cannot be opened.
    EXPECT_EQ(OpenCompany(s, 2024, 6, QStringLiteral("六社")), OpenOutcome::NoCompanyMaster);
    EXPECT_EQ(s.companyCode, 3);
    EXPECT_EQ(s.project.CurrentCompany.KCO, "3");
    EXPECT_EQ(s.project.EvaluationSymbols.size(), 2);
    EXPECT_TRUE(failures.reports.isEmpty());
}

TEST_F(Companies, SelectingOpensTheYearDatabaseAndRefusesACompanyWithoutMaster)
{
    Register(3, 2024, QStringLiteral("三社"));
    Exec(folder.fdm().ACN1, "INSERT INTO MKIGYOU1 VALUES (6, 2024, '六社', '', 20240401, 0, 20240401, 1, 0, 0, 0, 0)");
    folder.fdm().ACN2.close();

    Session s = session();
    const Outcome refused = SelectCompany(s, 2024, 6, QStringLiteral("六社"));
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.kind, Outcome::Kind::Information);
    EXPECT_EQ(refused.caption, AppTitle);
    EXPECT_EQ(refused.text, QStringLiteral("企業マスターが存在しません。"));
    EXPECT_FALSE(s.companyOpen());

    const Outcome opened = SelectCompany(s, 2024, 3, QStringLiteral("三社"));
    EXPECT_TRUE(opened.ok);
    EXPECT_FALSE(opened.hasMessage());
    EXPECT_EQ(s.companyCode, 3);
    EXPECT_EQ(s.fiscalYear, 2024);
    EXPECT_EQ(s.project.CurrentCompany.TK[0], QStringLiteral("第１等級"));
    EXPECT_TRUE(folder.fdm().ACN2.isOpen());
    EXPECT_TRUE(failures.reports.isEmpty());

    // A year without a database is not made: the store tells why and the session stays.
    const Outcome missing = SelectCompany(s, 2031, 3, QStringLiteral("三社"));
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.hasMessage());
    EXPECT_EQ(failures.texts(), QStringList{QStringLiteral("必要なデータベースが存在しません。")});
    EXPECT_FALSE(QFileInfo::exists(folder.dataPath("2031/DATA.MDB")));
    EXPECT_EQ(s.companyCode, 3);
    EXPECT_EQ(s.fiscalYear, 2024);
}

} // namespace
