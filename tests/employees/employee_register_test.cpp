// Rules of the employee register: the record built from the fields, totals, derived texts,
// the list query and the writes of the employee pair.
#include "employees/EmployeeList.h"
#include "employees/EmployeeRegister.h"

#include "support/RecordedFailures.h"
#include "support/TestProject.h"

#include <gtest/gtest.h>

namespace {

TYMD Date(const QString& year, const QString& month, const QString& day, const QString& era = QString())
{
    TYMD d;
    d.era = era;
    d.year = year;
    d.month = month;
    d.day = day;
    return d;
}

EmployeeFields Fields(const QString& code = QStringLiteral("5"), const QString& name = QStringLiteral("山田太郎"))
{
    EmployeeFields f;
    f.code = code;
    f.number = QStringLiteral("A-5");
    f.name = name;
    f.birth = Date("80", "4", "1");
    f.entry = Date("02", "4", "1");
    f.promotion = Date("0", "0", "0");
    f.grade = 3;
    f.step = "12";
    f.kihon[0] = "200,000";
    f.afKihon[0] = "205,000";
    f.teate[0] = "10,000";
    f.afTeate[0] = "12,000";
    f.bonus1 = "300,000";
    f.bonus2 = "400,000";
    f.retirementRate = "1.500";
    return f;
}

// An employee row as the register writes it.
TSyain_ Employee(const Session& s, int code, const QString& name, int grade,
                 const QString& number = QStringLiteral("N"))
{
    TSyain_ r;
    SetAddTimeValues(r, QDateTime(QDate(2024, 5, 1), QTime(9, 0)));
    EmployeeFields f = Fields(QString::number(code), name);
    f.number = number;
    f.grade = grade;
    EXPECT_TRUE(FillEmployeeRecord(s, f, r).ok());
    return r;
}

class RegisterTest : public ::testing::Test {
protected:
    void SetUp() override { OpenTestProject(folder, {.referenceDate = 20200401}); }
    Session& session() { return folder.session(); }

    RecordedFailures failures;
    TestProgramFolder folder;
};

TEST(PayTotals, SumsAnnualAndRaises)
{
    PayAmounts a;
    a.kihon[0] = 200000;
    a.kihon[2] = 5000;
    a.afKihon[0] = 206000;
    a.afKihon[2] = 5000;
    a.teate[0] = 10000;
    a.afTeate[0] = 12000;
    a.teate[4] = 3000;
    a.afTeate[4] = 3000;
    a.bonus1 = 300000;
    a.bonus2 = 400000;
    const PayTotals t = ComputePayTotals(a);
    EXPECT_EQ(t.basicSum, 205000);
    EXPECT_EQ(t.newBasicSum, 211000);
    EXPECT_EQ(t.allowanceSum, 13000);
    EXPECT_EQ(t.newAllowanceSum, 15000);
    EXPECT_EQ(t.monthly, 218000);
    EXPECT_EQ(t.newMonthly, 226000);
    EXPECT_EQ(t.annual, 218000 * 12 + 700000);
    EXPECT_EQ(t.newAnnual, 226000 * 12 + 700000);
    EXPECT_EQ(t.upBasic, 6000);
    EXPECT_EQ(t.upAllowance, 2000);
    EXPECT_TRUE(t.fitsColumns());

    PayAmounts huge;
    for (long long& k : huge.kihon)
        k = 99999999;
    EXPECT_FALSE(ComputePayTotals(huge).fitsColumns());   // the annual total outgrows its column
}

TEST(DerivedTexts, HourlyWageOptimalWageAndGridRow)
{
    TSyain_ r;
    r.KKYU1 = 240000;
    r.TEATE1 = 16000;
    r.computeTotals();
    EXPECT_EQ(HourlyWageText(r, 160), QStringLiteral("1,600"));
    EXPECT_EQ(HourlyWageText(r, 0), QStringLiteral("0"));

    EXPECT_EQ(OptimalWageTextsOf(r).name, QString());
    EXPECT_EQ(OptimalWageTextsOf(r).ratio, QString());
    r.FITNO = 3;
    r.FITNAME = QStringLiteral("所定給");
    r.FITKIN = 250000;
    r.FITJITSU = 256000;
    OptimalWageTexts t = OptimalWageTextsOf(r);
    EXPECT_EQ(t.name, QStringLiteral("所定給"));
    EXPECT_EQ(t.amount, QStringLiteral("250,000"));
    EXPECT_EQ(t.residual, QStringLiteral("6,000"));
    EXPECT_EQ(t.ratio, QStringLiteral("2.40%"));
    r.FITKIN = 0;
    EXPECT_EQ(OptimalWageTextsOf(r).ratio, QStringLiteral("0.00%"));

    r.SCO = "7";
    r.SNA = QStringLiteral("佐藤");
    r.NENREI = 40;
    r.KINZOKU = 12;
    r.TOUKYU = 4;
    r.GOUHOU = 9;
    r.ZONEX = 2;
    r.HKIGOU = "B";
    r.SCOT = "S7";
    EXPECT_EQ(EmployeeGridRow(3, r), QStringList({"3", "7", "S7", QStringLiteral("佐藤"), "40", "12", "", "B", "4", "9", "2"}));
    r.SCOT.clear();
    const QStringList unnumbered = EmployeeGridRow(3, r);
    EXPECT_EQ(unnumbered[4], "0");
    EXPECT_EQ(unnumbered[5], "0");
}

TEST_F(RegisterTest, ChecksComeInOrderAndLeaveTheRecordAlone)
{
    struct Case {
        const char* what;
        EmployeeFields fields;
        EmployeeFieldError error;
        QString message;
    };
    EmployeeFields badBirth = Fields(), badEntry = Fields(), badPromotion = Fields(), bothBad = Fields("x", "");
    badBirth.birth = Date("80", "2", "30");
    badEntry.entry = Date("02", "13", "1");
    badPromotion.promotion = Date("10", "0", "5");   // a day without a month is no date
    badEntry.promotion = Date("10", "2", "30");      // the entry date is reported first
    const Case cases[] = {
        {"code empty", Fields(""), EmployeeFieldError::CodeEmpty, QStringLiteral("社員コードが入力されていません。")},
        {"name before code value", bothBad, EmployeeFieldError::NameEmpty, QStringLiteral("氏名は必ず入力してください。")},
        {"code not a number", Fields("x1"), EmployeeFieldError::CodeInvalid, QStringLiteral("数値を入力して下さい。")},
        {"code zero", Fields("0"), EmployeeFieldError::CodeInvalid, QStringLiteral("０は入力できません。")},
        {"code negative", Fields("-4"), EmployeeFieldError::CodeInvalid, QStringLiteral("入力範囲外です。")},
        {"birth date", badBirth, EmployeeFieldError::BirthDate, QStringLiteral("生年月日の入力エラーです。")},
        {"entry date", badEntry, EmployeeFieldError::EntryDate, QStringLiteral("入社日の入力エラーです。")},
        {"promotion date", badPromotion, EmployeeFieldError::PromotionDate, QStringLiteral("登用日の入力エラーです。")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TSyain_ r;
        r.SNA = QStringLiteral("元のまま");
        const EmployeeCheck check = FillEmployeeRecord(session(), c.fields, r);
        EXPECT_EQ(check.error, c.error);
        EXPECT_EQ(check.message, c.message);
        EXPECT_EQ(r.SNA, QStringLiteral("元のまま"));
    }
}

TEST_F(RegisterTest, RecordFromFieldsKeepsHiddenColumnsAndStoresMatchingTotals)
{
    TSyain_ r;
    r.NSRITSU = 7;
    r.NGOUHOU = 14;
    r.FITNO = 2;
    r.MLINK = 2;
    r.ZONEX = 4;
    r.MNA = "x";
    r.SM2 = "y";
    r.SYOTEI = 1;   // stale totals are replaced
    EmployeeFields f = Fields("0012 : 未登録");
    f.female = true;
    f.link = 2;
    ASSERT_TRUE(FillEmployeeRecord(session(), f, r).ok());
    EXPECT_EQ(r.SCO, "12");
    EXPECT_EQ(r.KCO, "1");
    EXPECT_EQ(r.NENDO, "2024");
    EXPECT_EQ(r.SEIBETSU, 1);
    EXPECT_EQ(r.SEIHI, 19800401);
    EXPECT_EQ(r.NYUHI, 20020401);
    EXPECT_EQ(r.THI, 0);
    EXPECT_EQ(r.NENREI, 40);   // to the reference date 2020-04-01
    EXPECT_EQ(r.KINZOKU, 18);
    EXPECT_EQ(r.TCO, 3);
    EXPECT_EQ(r.TOUKYU, 3);
    EXPECT_EQ(r.GOUHOU, 12);
    EXPECT_DOUBLE_EQ(r.SRITSU, 1.5);
    EXPECT_EQ(r.JISEKI, 2);
    EXPECT_EQ(r.SYOTEI, 210000);
    EXPECT_EQ(r.NSYOTEI, 217000);
    EXPECT_EQ(r.NENSYU, 210000 * 12 + 700000);
    EXPECT_EQ(r.NNENSYU, 217000 * 12 + 700000);
    EXPECT_EQ(r.UPK, 5000);
    EXPECT_EQ(r.UPT, 2000);
    EXPECT_EQ(r.NSRITSU, 7);
    EXPECT_EQ(r.NGOUHOU, 14);
    EXPECT_EQ(r.FITNO, 2);
    EXPECT_EQ(r.MLINK, 0);
    EXPECT_EQ(r.ZONEX, 0);
    EXPECT_EQ(r.MNA, "");
    EXPECT_EQ(r.SM2, "");

    TSyain_ fresh;
    fresh.NGOUHOU = 9;
    SetAddTimeValues(fresh, QDateTime(QDate(2024, 5, 1), QTime(9, 30, 5)));
    EXPECT_EQ(fresh.NGOUHOU, 0);
    EXPECT_EQ(fresh.NEWDAY1, "2024/05/01 09:30:05");
}

TEST_F(RegisterTest, AgesAtTheReferenceDateAndWesternCentury)
{
    const struct {
        QString year, month, day;
        int stored, age;
    } cases[] = {
        {"80", "04", "01", 19800401, 40},
        {"80", "04", "02", 19800402, 39},
        {"30", "01", "01", 20300101, -10},  // later than the reference date
        {"31", "01", "01", 19310101, 89},
        {"75", "0", "0", 0, 0},
    };
    for (const auto& c : cases) {
        TSyain_ r;
        EmployeeFields f = Fields();
        f.birth = Date(c.year, c.month, c.day);
        ASSERT_TRUE(FillEmployeeRecord(session(), f, r).ok()) << c.year.toStdString();
        EXPECT_EQ(r.SEIHI, c.stored);
        EXPECT_EQ(r.NENREI, c.age) << c.stored;
    }
}

TEST_F(RegisterTest, EraYearsCountFromTheChosenEra)
{
    session().calendarMode = 1;
    TSyain_ r;
    EmployeeFields f = Fields();
    f.birth = Date("55", "4", "1", QStringLiteral("昭和"));
    f.entry = Date("14", "4", "1", QStringLiteral("平成"));
    f.promotion = Date("2", "10", "1", QStringLiteral("令和"));
    ASSERT_TRUE(FillEmployeeRecord(session(), f, r).ok());
    EXPECT_EQ(r.SEIHI, 19800401);
    EXPECT_EQ(r.NYUHI, 20020401);
    EXPECT_EQ(r.THI, 20201001);
    f.birth.era = QStringLiteral("未設定");
    EXPECT_EQ(FillEmployeeRecord(session(), f, r).error, EmployeeFieldError::BirthDate);
}

TEST_F(RegisterTest, ListFiltersByGradeInCodeOrderAndWritesBothTables)
{
    for (const auto& [code, grade] : {std::pair{30, 2}, {4, 3}, {17, 2}}) {
        TSyain_ r = Employee(session(), code, QStringLiteral("社員%1").arg(code), grade);
        ASSERT_TRUE(AddEmployee(session(), r));
    }
    TSyain_rec all, second, none;
    ASSERT_TRUE(LoadEmployeeList(session(), 0, all));
    ASSERT_EQ(all.items.size(), 3);
    EXPECT_EQ(all.items[0].SCO, "4");
    EXPECT_EQ(all.items[1].SCO, "17");
    EXPECT_EQ(all.items[2].SCO, "30");
    EXPECT_EQ(all.items[0].NENREI, 40);
    TSyain_ whole;
    bool found = false;
    ASSERT_TRUE(LoadEmployee(session(), 4, whole, found));
    ASSERT_TRUE(found);
    EXPECT_EQ(whole.MonthlyTotal, 210000);
    ASSERT_TRUE(LoadEmployee(session(), 99, whole, found));
    EXPECT_FALSE(found);
    ASSERT_TRUE(LoadEmployeeList(session(), 2, second));
    ASSERT_EQ(second.items.size(), 2);
    EXPECT_EQ(second.items[1].SCO, "30");
    ASSERT_TRUE(LoadEmployeeList(session(), 5, none));
    EXPECT_TRUE(none.items.isEmpty());

    bool exists = false;
    ASSERT_TRUE(EmployeeExists(session(), 17, exists));
    EXPECT_TRUE(exists);
    ASSERT_TRUE(EmployeeExists(session(), 18, exists));
    EXPECT_FALSE(exists);

    TSyain_ changed;
    ASSERT_TRUE(LoadEmployee(session(), 17, changed, found));
    changed.SNA = QStringLiteral("改名");
    ASSERT_TRUE(ModifyEmployee(session(), changed));
    EXPECT_EQ(Scalar(folder.fdm().ACN2, "SELECT SNA FROM MSYAIN1 WHERE SCO = 17"), QStringLiteral("改名"));

    ASSERT_TRUE(DeleteEmployee(session(), 17));
    EXPECT_EQ(Scalar(folder.fdm().ACN2, "SELECT COUNT(*) FROM MSYAIN1"), "2");
    EXPECT_EQ(Scalar(folder.fdm().ACN2, "SELECT COUNT(*) FROM MSYAIN2"), "2");
    EXPECT_TRUE(failures.reports.isEmpty());
}

class MatrixZonesTest : public RegisterTest {
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        DbConnection& cn = folder.fdm().ACN2;
        Exec(cn, "INSERT INTO YHYOUKA VALUES (1, 2024, 1, 'S')");
        Exec(cn, "INSERT INTO MATRIXID VALUES (1, 2024, 10, 'M', '', 3)");
        Exec(cn, "INSERT INTO MATRIXCELL VALUES (1, 2024, 10, 1, 4, 3, 2, 0, 0)");
        Exec(cn, "INSERT INTO BANDM VALUES (1, 2024, 1, 'B1', '', 10, 'T', 1, 0, 0, 0, 0, 0, "
                 "100000, 150000, 150000, 200000, 200000, 250000, 0, 0, 0, 0)");
        for (int code : {1, 2, 3}) {
            TSyain_ r = Employee(session(), code, QStringLiteral("社員"), 1);
            ASSERT_TRUE(AddEmployee(session(), r));
        }
        // Employee 1 is governed on component 2, employee 2 on component 1, 3 not at all.
        Exec(cn, "UPDATE MSYAIN1 SET MLINK = 2, BANDID = 1, YHYOUKA = 1 WHERE SCO = 1");
        Exec(cn, "UPDATE MSYAIN2 SET KKYU2 = 160000 WHERE SCO = 1");
        Exec(cn, "UPDATE MSYAIN1 SET MLINK = 1, BANDID = 1, YHYOUKA = 1 WHERE SCO = 2");
        Exec(cn, "UPDATE MSYAIN2 SET KKYU1 = 210000, ZONEX = 0 WHERE SCO = 2");
        Exec(cn, "UPDATE MSYAIN1 SET BANDID = 1, YHYOUKA = 1 WHERE SCO = 3");
        Exec(cn, "UPDATE MSYAIN2 SET ZONEX = 9 WHERE SCO = 3");
        tables = LoadMatrixTables(session());
    }
    MatrixTables tables;
};

TEST_F(MatrixZonesTest, LinkedEmployeesGetTheirZoneWrittenBack)
{
    TSyain_rec list;
    ASSERT_TRUE(LoadEmployeeList(session(), 0, list));
    ASSERT_TRUE(RecomputeMatrixZones(session(), list, tables));
    EXPECT_EQ(list.items[0].ZONEX, 2);
    EXPECT_EQ(list.items[1].ZONEX, 3);
    EXPECT_EQ(list.items[2].ZONEX, 9);   // not linked: left as stored
    DbConnection& cn = folder.fdm().ACN2;
    EXPECT_EQ(Scalar(cn, "SELECT ZONEX FROM MSYAIN2 WHERE SCO = 1"), "2");
    EXPECT_EQ(Scalar(cn, "SELECT ZONEX FROM MSYAIN2 WHERE SCO = 2"), "3");
    EXPECT_EQ(Scalar(cn, "SELECT ZONEX FROM MSYAIN2 WHERE SCO = 3"), "9");
    EXPECT_EQ(Scalar(cn, "SELECT KKYU2 FROM MSYAIN2 WHERE SCO = 1"), "160000");
}

TEST_F(MatrixZonesTest, AFailedWriteBackChangesNothing)
{
    DbConnection& cn = folder.fdm().ACN2;
    Exec(cn, "CREATE TRIGGER refuse BEFORE UPDATE ON MSYAIN2 WHEN NEW.SCO = 2 BEGIN SELECT RAISE(ABORT, 'refused'); END");
    TSyain_rec list;
    ASSERT_TRUE(LoadEmployeeList(session(), 0, list));
    EXPECT_FALSE(RecomputeMatrixZones(session(), list, tables));
    EXPECT_EQ(Scalar(cn, "SELECT ZONEX FROM MSYAIN2 WHERE SCO = 1"), "0");
    EXPECT_EQ(list.items[0].ZONEX, 0);
    EXPECT_EQ(cn.transactionDepth(), 0);
    ASSERT_EQ(failures.reports.size(), 1);
    EXPECT_TRUE(failures.reports[0].text.contains("refused"));
}

} // namespace
