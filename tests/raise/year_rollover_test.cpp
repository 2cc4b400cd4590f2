// The year rollover: tables carried into the next year, the employees' new pay, and the
// one commit over the control file and the new year's file.
#include "raise/YearRollover.h"
#include "store/RecordAccess.h"
#include "support/RecordedFailures.h"
#include "support/TestProject.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

const QDate Today(2026, 12, 10);

// The project tables of the year file a company's rollover writes (MSEIKEI apart).
const QStringList CopiedYearTables = {"MKIGYOU2", "MGRAPH",  "MHYOUKA",  "MMARK",      "MCHART",
                                      "DSPDRAW",  "MCHINGIN", "DSCALE",  "DKSEN2",     "DKSEN3",
                                      "MSYAIN1",  "MSYAIN2",  "YHYOUKA", "BANDM",      "MATRIXID",
                                      "MATRIXCELL", "SALARYNAME", "DCHINGIN2", "PAYGAP"};

class YearRollover : public ::testing::Test {
protected:
    void SetUp() override
    {
        OpenTestProject(folder, {.kco = 5, .year = 2008, .referenceDate = 20080401});
        folder.session().today = Today;
        fdm().ACN2.execute("DELETE FROM MSEIKEI");
    }

    TFDM& fdm() { return folder.fdm(); }

    RolloverResult Roll(int year, int kco) { return RollOverCompany(folder.session(), fdm().ACN3, year, kco); }

    // An employee of company kco in the open year with the given changes applied.
    void AddEmployee(int kco, int sco, const std::function<void(TSyain_&)>& fill)
    {
        TSyain_ e;
        e.KCO = QString::number(kco);
        e.SCO = QString::number(sco);
        e.NENDO = QStringLiteral("2008");
        e.SCOT = QStringLiteral("E%1").arg(sco);
        e.SNA = QStringLiteral("社員%1").arg(sco);
        e.SEIHI = 19800515;
        e.NYUHI = 20030401;
        fill(e);
        ASSERT_TRUE(Insert(fdm().ACN2, true, e));
    }

    // One bare row for the company in every copied table but the employees and the
    // company master, and two MSEIKEI rows.
    void AddRowToEveryTable(int kco)
    {
        for (const QString& t : CopiedYearTables)
            if (!t.startsWith("MSYAIN") && t != "MKIGYOU2" && t != "MMARK" && t != "MGRAPH")
                Exec(fdm().ACN2, QStringLiteral("INSERT INTO %1 (KCO, NENDO) VALUES (%2, 2008)").arg(t).arg(kco));
        Exec(fdm().ACN2, "UPDATE BANDM SET BANDID = 1, BANDTEIGI = '総合職の帯' WHERE KCO = " + QString::number(kco));
        Exec(fdm().ACN2, "INSERT INTO MSEIKEI (KCO, NENDO, SKCO, SNIN) VALUES (5, 2008, 1, 1), (6, 2008, 1, 2)");
    }

    int Rows(DbConnection& cn, const QString& table, int kco, int year)
    {
        return Scalar(cn, QStringLiteral("SELECT count(*) FROM %1 WHERE KCO = %2 AND NENDO = %3").arg(table).arg(kco).arg(year))
            .toInt();
    }

    QString NextYearFile() { return folder.dataPath("2009/DATA.MDB"); }

    RecordedFailures failures;
    TestProgramFolder folder;
};

TEST_F(YearRollover, CarriesEveryTableWithTheNextYearAndCreatesTheYearFileOnce)
{
    AddRowToEveryTable(5);
    AddEmployee(5, 1, [](TSyain_&) {});
    AddEmployee(5, 2, [](TSyain_&) {});
    ASSERT_FALSE(QFileInfo::exists(NextYearFile()));

    const RolloverResult first = Roll(2008, 5);
    ASSERT_TRUE(first.done);
    EXPECT_EQ(first.employees, 2);
    ASSERT_TRUE(QFileInfo::exists(NextYearFile()));
    EXPECT_EQ(fdm().ACN3.path(), NextYearFile());
    for (const QString& t : CopiedYearTables) {
        EXPECT_EQ(Rows(fdm().ACN3, t, 5, 2009), Rows(fdm().ACN2, t, 5, 2008)) << t.toStdString();
        EXPECT_GT(Rows(fdm().ACN3, t, 5, 2009), 0) << t.toStdString();
        EXPECT_EQ(Scalar(fdm().ACN3, "SELECT count(*) FROM " + t + " WHERE NENDO <> 2009"), "0") << t.toStdString();
    }
    EXPECT_EQ(Scalar(fdm().ACN3, "SELECT BANDTEIGI FROM BANDM"), QStringLiteral("総合職の帯"));
    // Pass 1 stored the age and years of service that reading derives (to the year's
    // reference date, 1 April 2008).
    EXPECT_EQ(Scalar(fdm().ACN2, "SELECT NENREI || ' ' || KINZOKU FROM MSYAIN1 WHERE SCO = 1"), "27 5");
    EXPECT_EQ(Scalar(fdm().ACN3, "SELECT group_concat(KCO || '/' || NENDO || '/' || SNIN) FROM MSEIKEI"),
              QStringLiteral("5/2008/1,6/2008/2"));
    EXPECT_EQ(Scalar(fdm().ACN1, "SELECT KNA || ' ' || SDATE FROM MKIGYOU1 WHERE KCO = 5 AND NENDO = 2009"),
              QStringLiteral("テスト株式会社 20261210"));
    EXPECT_EQ(Scalar(fdm().ACN1, "SELECT count(*) FROM pragma_database_list WHERE name NOT IN ('main', 'temp')"), "0");
    EXPECT_EQ(Scalar(fdm().ACN3, "SELECT count(*) FROM pragma_database_list WHERE name NOT IN ('main', 'temp')"), "0");

    // A second company of the same year goes into the same file; MSEIKEI is copied afresh.
    Exec(fdm().ACN1, "INSERT INTO MKIGYOU1 SELECT 6, NENDO, '六社', PATH, SDATE, FNK, KDATE, REKI, SYOTEIHH, SYOTEIDD, "
                     "SYOTEIMM, SAITEI FROM MKIGYOU1 WHERE KCO = 5 AND NENDO = 2008");
    Exec(fdm().ACN2, "INSERT INTO MKIGYOU2 SELECT 6, NENDO, '六社', CYOUSAHI, BEARITSU, TAIKEI, KKNA1, KKNA2, KKNA3, TNA1, "
                     "TNA2, TNA3, TNA4, TNA5, MCCO, MDCO, TK01, TK02, TK03, TK04, TK05, TK06, TK07, TK08, TK09, FRSTKYU, "
                     "SKCO, SYOUKYUHI, FRSTKYUM, FRENCM FROM MKIGYOU2 WHERE KCO = 5");
    Exec(fdm().ACN2, "INSERT INTO MSEIKEI (KCO, NENDO, SKCO, SNIN) VALUES (6, 2008, 2, 3)");
    Exec(fdm().ACN3, "INSERT INTO MSEIKEI (KCO, NENDO, SKCO, SNIN) VALUES (9, 2009, 9, 9)");
    ASSERT_TRUE(Roll(2008, 6).done);
    EXPECT_EQ(Rows(fdm().ACN3, "MKIGYOU2", 5, 2009), 1);
    EXPECT_EQ(Rows(fdm().ACN3, "MKIGYOU2", 6, 2009), 1);
    EXPECT_EQ(Rows(fdm().ACN3, "MSYAIN1", 5, 2009), 2);
    EXPECT_EQ(Scalar(fdm().ACN3, "SELECT group_concat(SNIN) FROM MSEIKEI"), QStringLiteral("1,2,3"));
    EXPECT_EQ(failures.reports.size(), 0);
}

TEST_F(YearRollover, TheDecidedRaiseBecomesTheCurrentPay)
{
    AddEmployee(5, 1, [](TSyain_& e) {
        e.GOUHOU = 10;
        e.NGOUHOU = 14;
        e.TCO = 2;
        e.TOUKYU = 2;
        e.NTOUKYU = 3;
        e.KKYU1 = 250000;
        e.NKKYU1 = 268000;
        e.TEATE1 = 10000;
        e.NTEATE1 = 10000;
        e.UPK = 18000;
        e.NNENSYU = 278000 * 12;
        e.NENSYU = 260000 * 12;
        e.NSYOTEI = 278000;
        e.SYOTEI = 260000;
        e.UPKIN1 = 5000;
        e.UPKIN2 = 4000;
        e.SGOUHOU = 4;
        e.FSKCHK = 1;
    });
    // Nothing decided: grade, step and pay stay as they are.
    AddEmployee(5, 2, [](TSyain_& e) {
        e.GOUHOU = 7;
        e.TCO = 4;
        e.TOUKYU = 4;
        e.KKYU1 = 300000;
        e.TEATE2 = 20000;
        e.NENSYU = 320000 * 12;
    });

    const RolloverResult r = Roll(2008, 5);
    ASSERT_TRUE(r.done);
    EXPECT_EQ(r.undecided, 1);
    EXPECT_TRUE(r.outcome.ok);
    EXPECT_EQ(r.outcome.text, RolloverClosingMessage(1));
    EXPECT_EQ(RolloverClosingMessage(r.undecided).section('\n', 0, 0), RolloverDoneMessage);
    EXPECT_TRUE(RolloverClosingMessage(r.undecided).contains(QStringLiteral("1 名")));
    EXPECT_EQ(RolloverClosingMessage(0), RolloverDoneMessage);

    auto row = [&](int sco) {
        return Scalar(fdm().ACN3,
                      QStringLiteral("SELECT s2.GOUHOU || ' ' || s1.TCO || ' ' || s2.TOUKYU || ' ' || s2.KKYU1 || ' ' || "
                                     "s2.NKKYU1 || ' ' || s2.TEATE2 || ' ' || s2.NTEATE2 || ' ' || s2.UPK || ' ' || s2.UPT "
                                     "|| ' ' || s2.UPKIN1 || ' ' || s2.UPKIN2 || ' ' || s2.UPKIN3 || ' ' || s1.NENSYU || ' ' "
                                     "|| s2.NNENSYU || ' ' || s1.SYOTEIKYU || ' ' || s2.SYOTEI || ' ' || s2.NSYOTEI || ' ' "
                                     "|| s2.SGOUHOU || ' ' || s2.FSKCHK || ' ' || s2.NTOUKYU || ' ' || s2.NGOUHOU "
                                     "FROM MSYAIN1 s1 JOIN MSYAIN2 s2 USING (KCO, NENDO, SCO) WHERE s1.SCO = %1")
                          .arg(sco));
    };
    // GOUHOU TCO TOUKYU KKYU1 NKKYU1 TEATE2 NTEATE2 UPK UPT UPKIN1..3 NENSYU NNENSYU
    // SYOTEIKYU SYOTEI NSYOTEI SGOUHOU FSKCHK NTOUKYU NGOUHOU
    EXPECT_EQ(row(1), "14 3 3 268000 268000 0 0 0 0 18000 5000 4000 3336000 0 278000 278000 0 0 0 3 14");
    EXPECT_EQ(row(2), "7 4 4 300000 300000 20000 20000 0 0 0 0 0 3840000 0 320000 320000 0 0 0 0 0");
}

// Employees as an import leaves them (every column but the keys and the name null), and one
// whose MSYAIN2 row is missing: the new year holds what reading them into records gives, an
// empty text, 0 or 0.0 in each column, and counts them as undecided. A rounded-real column is
// rounded half away from zero, as a record reads it.
TEST_F(YearRollover, StoredNullsAreCarriedAsRecordsReadThem)
{
    Exec(fdm().ACN2, "INSERT INTO MSYAIN1 (KCO, SCO, NENDO, SNA) VALUES (5, 1, 2008, '取込'), (5, 2, 2008, NULL), "
                     "(5, 3, 2008, NULL), (5, 4, 2008, NULL)");
    Exec(fdm().ACN2, "INSERT INTO MSYAIN2 (KCO, SCO, NENDO, NSRITSU) VALUES (5, 1, 2008, NULL), (5, 3, 2008, 2.5), "
                     "(5, 4, 2008, -2.5)");

    const RolloverResult r = Roll(2008, 5);
    ASSERT_TRUE(r.done);
    EXPECT_EQ(r.employees, 4);
    EXPECT_EQ(r.undecided, 4);

    for (const TableDesc<TSyain_>* table : {&EmployeeTables::msyain1(), &EmployeeTables::msyain2()}) {
        for (const ColumnOf<TSyain_>& c : table->columns) {
            const QString name = QString::fromUtf8(c.name);
            if (name == "KCO" || name == "SCO" || name == "NENDO" || name == "NSRITSU")
                continue;
            const QString expected = c.kind == FieldKind::Text  ? QStringLiteral("text ")
                                     : c.kind == FieldKind::Int ? QStringLiteral("integer 0")
                                                                : QStringLiteral("real 0.0");
            const QString values = Scalar(fdm().ACN3, QStringLiteral("SELECT group_concat(typeof(%1) || ' ' || %1, '/') FROM "
                                                                     "(SELECT %1 FROM %2 WHERE SCO <> 1 OR '%1' <> 'SNA' "
                                                                     "ORDER BY SCO)")
                                                          .arg(name, QString::fromUtf8(table->table)));
            EXPECT_EQ(values, QStringList(name == "SNA" ? 3 : 4, expected).join('/'))
                << table->table << '.' << c.name;
        }
    }
    EXPECT_EQ(Scalar(fdm().ACN3, "SELECT SNA FROM MSYAIN1 WHERE SCO = 1"), QStringLiteral("取込"));
    EXPECT_EQ(Scalar(fdm().ACN3, "SELECT group_concat(NSRITSU, ' ') FROM (SELECT NSRITSU FROM MSYAIN2 ORDER BY SCO)"),
              QStringLiteral("0.0 0.0 3.0 -3.0"));
    EXPECT_EQ(Scalar(fdm().ACN3, "SELECT count(*) FROM MSYAIN2 WHERE NENDO = 2009"), QStringLiteral("4"));
}

TEST_F(YearRollover, EvaluationHistoryMovesBackAYearEachRollover)
{
    Exec(fdm().ACN2, "INSERT INTO MHYOUKA VALUES (5, 2008, 0, 1, 'A', 3), (5, 2008, 0, 2, 'B', 2)");
    AddEmployee(5, 1, [](TSyain_& e) {
        e.HCO = 1;
        e.HCO1 = 2;
        e.HNA1 = QStringLiteral("B");
    });
    ASSERT_TRUE(Roll(2008, 5).done);

    // 2009 becomes the open year; this year's evaluation is B.
    Exec(fdm().ACN3, "UPDATE MSYAIN2 SET HCO = 2 WHERE SCO = 1");
    folder.openYear(2009);
    ASSERT_TRUE(Roll(2009, 5).done);

    EXPECT_EQ(Scalar(fdm().ACN3, "SELECT NENDO || ' ' || HCO1 || HNA1 || ' ' || HCO2 || HNA2 || ' ' || HCO3 || HNA3 "
                                 "FROM MSYAIN2 WHERE SCO = 1"),
              QStringLiteral("2010 2B 1A 2B"));
    EXPECT_EQ(QFileInfo(fdm().ACN3.path()).absolutePath(), QFileInfo(folder.dataPath("2010/DATA.MDB")).absolutePath());
}

TEST_F(YearRollover, ASecondRolloverIsRefusedAndChangesNothing)
{
    AddEmployee(5, 1, [](TSyain_&) {});
    ASSERT_TRUE(Roll(2008, 5).done);
    const QString control = DumpDatabase(fdm().ACN1), next = DumpDatabase(fdm().ACN3);
    failures.clear();

    const RolloverResult again = Roll(2008, 5);
    EXPECT_FALSE(again.done);
    EXPECT_FALSE(again.outcome.ok);
    EXPECT_EQ(again.outcome.text, RolloverExistsMessage);
    EXPECT_EQ(failures.reports.size(), 0);
    EXPECT_EQ(DumpDatabase(fdm().ACN1), control);
    EXPECT_EQ(DumpDatabase(fdm().ACN3), next);
}

// A failure at any table leaves the control file and the new year's file exactly as they
// were, and the next attempt succeeds.
TEST_F(YearRollover, AFailureAtAnyTableChangesNeitherFileAndMayBeRetried)
{
    AddRowToEveryTable(5);
    AddEmployee(5, 1, [](TSyain_& e) { e.NKKYU1 = 200000; });
    // The new year's file exists already (another company rolled over before).
    Exec(fdm().ACN1, "INSERT INTO MKIGYOU1 (KCO, NENDO, KNA) VALUES (7, 2009, '七社')");
    ASSERT_TRUE(fdm().OpenOrCreateDatabase(fdm().ACN3, NextYearFile(), folder.dataPath("DATA.MDB"), true));
    Exec(fdm().ACN3, "INSERT INTO MKIGYOU2 (KCO, NENDO, KNA) VALUES (7, 2009, '七社')");
    Exec(fdm().ACN3, "INSERT INTO MSEIKEI (KCO, NENDO, SKCO, SNIN) VALUES (7, 2009, 1, 1)");

    QStringList failing = {"MKIGYOU1", "MSEIKEI"};
    failing += CopiedYearTables;
    for (const QString& table : failing) {
        SCOPED_TRACE(table.toStdString());
        DbConnection& owner = table == "MKIGYOU1" ? fdm().ACN1 : fdm().ACN3;
        Exec(owner, QStringLiteral("CREATE TRIGGER injected BEFORE INSERT ON %1 BEGIN SELECT RAISE(ABORT, 'injected "
                                   "failure'); END")
                        .arg(table));
        const QString control = DumpDatabase(fdm().ACN1), next = DumpDatabase(fdm().ACN3);
        failures.clear();

        EXPECT_FALSE(Roll(2008, 5).done);

        ASSERT_FALSE(failures.reports.isEmpty());
        EXPECT_TRUE(failures.reports.last().text.contains("injected failure"))
            << failures.reports.last().text.toStdString();
        EXPECT_EQ(DumpDatabase(fdm().ACN1), control);
        EXPECT_EQ(DumpDatabase(fdm().ACN3), next);
        EXPECT_EQ(fdm().ACN3.transactionDepth(), 0);
        Exec(owner, "DROP TRIGGER injected");
    }
    failures.clear();
    ASSERT_TRUE(Roll(2008, 5).done);
    EXPECT_EQ(Rows(fdm().ACN3, "MSYAIN2", 5, 2009), 1);
    EXPECT_EQ(Rows(fdm().ACN3, "MKIGYOU2", 7, 2009), 1);
    EXPECT_TRUE(failures.reports.isEmpty());
}

// A year file made for a rollover that then failed is removed again: nothing is left behind.
TEST_F(YearRollover, AFailedRolloverLeavesNoNewYearFile)
{
    AddEmployee(5, 1, [](TSyain_&) {});
    Exec(fdm().ACN1, "CREATE TRIGGER injected BEFORE INSERT ON MKIGYOU1 BEGIN SELECT RAISE(ABORT, 'no'); END");
    const QString control = DumpDatabase(fdm().ACN1);

    EXPECT_FALSE(Roll(2008, 5).done);
    EXPECT_FALSE(QFileInfo::exists(NextYearFile()));
    EXPECT_FALSE(QFileInfo::exists(folder.dataPath("2009")));
    EXPECT_EQ(DumpDatabase(fdm().ACN1), control);
}

// Ages and years of service follow the rolled company's own reference date, whatever
// project the caller has open: the old year's as of its KDATE, the new year's as of the
// KDATE a year later, which the new year's company row carries.
TEST_F(YearRollover, AgesFollowTheCompanysOwnReferenceDateWhoeverCalls)
{
    struct Case {
        const char* caller;
        std::function<Session(const Session&)> session;
    };
    const Case cases[] = {
        {"the open project", [](const Session& open) { return open; }},
        {"no project open (as the batch tool starts)",
         [](const Session& open) {
             Session bare;
             bare.exeFolder = open.exeFolder;
             bare.dataFolder = open.dataFolder;
             bare.control = open.control;
             bare.year = open.year;
             bare.today = open.today;
             return bare;
         }},
        {"another project's reference date",
         [](const Session& open) {
             Session other = open;
             other.referenceDate = 20300101;
             other.ageByToday = true;
             return other;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caller);
        TestProgramFolder f;
        OpenTestProject(f, {.kco = 5, .year = 2008, .referenceDate = 20080401});
        f.session().today = Today;
        TSyain_ e;
        e.KCO = QStringLiteral("5");
        e.NENDO = QStringLiteral("2008");
        e.SCO = QStringLiteral("1");
        e.SNA = QStringLiteral("社員1");
        e.SEIHI = 19800515;   // 27 at 2008-04-01, 28 at 2009-04-01
        e.NYUHI = 20030401;   // 5 years at 2008-04-01, 6 at 2009-04-01
        ASSERT_TRUE(Insert(f.fdm().ACN2, true, e));

        ASSERT_TRUE(RollOverCompany(c.session(f.session()), f.fdm().ACN3, 2008, 5).done);

        EXPECT_EQ(Scalar(f.fdm().ACN2, "SELECT NENREI || ' ' || KINZOKU FROM MSYAIN1 WHERE SCO = 1"), "27 5");
        EXPECT_EQ(Scalar(f.fdm().ACN3, "SELECT NENREI || ' ' || KINZOKU FROM MSYAIN1 WHERE SCO = 1"), "28 6");
        EXPECT_EQ(Scalar(f.fdm().ACN1, "SELECT KDATE FROM MKIGYOU1 WHERE KCO = 5 AND NENDO = 2009"), "20090401");
        EXPECT_EQ(Scalar(f.fdm().ACN1, "SELECT KDATE FROM MKIGYOU1 WHERE KCO = 5 AND NENDO = 2008"), "20080401");
    }
}

TEST(YearRolloverReferenceDate, IsTheSameDayAYearLater)
{
    const struct {
        int date, next;
    } cases[] = {{20200401, 20210401}, {20200229, 20210228}, {20191231, 20201231}, {20230301, 20240301}, {0, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(ReferenceDateAYearLater(c.date), c.next) << c.date;
}

} // namespace
