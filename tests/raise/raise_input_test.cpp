// Raise input logic: the amount table, the step climb, the wage-table lookup and the save.
#include "raise/RaiseInput.h"
#include "shell/ProjectLookups.h"
#include "store/RecordAccess.h"
#include "support/RecordedFailures.h"
#include "support/TestProject.h"

#include <gtest/gtest.h>

namespace {

RaiseTable Amounts(std::initializer_list<long long> before, std::initializer_list<long long> up,
                     std::initializer_list<long long> afterAllowances)
{
    RaiseTable a;
    int i = 0;
    for (long long v : before)
        a.before[i++] = v;
    i = 0;
    for (long long v : up)
        a.up[i++] = v;
    i = 3;
    for (long long v : afterAllowances)
        a.after[i++] = v;
    return a;
}

std::string Totals(const RaiseTable& a)
{
    return QStringLiteral("%1/%2/%3 %4/%5/%6 %7/%8/%9")
        .arg(a.basicBefore).arg(a.basicUp).arg(a.basicAfter)
        .arg(a.allowanceBefore).arg(a.allowanceUp).arg(a.allowanceAfter)
        .arg(a.totalBefore).arg(a.totalUp).arg(a.totalAfter)
        .toStdString();
}

class RaiseLookup : public ::testing::Test {
protected:
    void SetUp() override
    {
        OpenTestProject(folder);
        // Wage table 1: step 12 pays 268,000 in grade 3.
        Exec(folder.fdm().ACN2, "INSERT INTO DCHINGIN2 (KCO, NENDO, SKCO, GOUHOU, KIN1, KIN2, KIN3) "
                                "VALUES (1, 2024, 1, 12, 200000, 230000, 268000)");
        Exec(folder.fdm().ACN2, "INSERT INTO MHYOUKA VALUES (1, 2024, 1, 1, 'A', 6), (1, 2024, 1, 2, 'B', 4)");
    }
    const Session& session() const { return folder.session(); }

    RecordedFailures failures;
    TestProgramFolder folder;
};

} // namespace

TEST(RaiseTotals, EveryComputedCellFollowsTheEnteredOnes)
{
    const struct {
        const char* name;
        RaiseTable in;
        long long after0, up3;
        std::string totals;
    } cases[] = {
        {"basic raise only", Amounts({250000}, {18000}, {}), 268000, 0, "250000/18000/268000 0/0/0 250000/18000/268000"},
        {"allowance raised", Amounts({200000, 0, 0, 10000, 5000}, {0}, {12000, 5000}), 200000, 2000,
         "200000/0/200000 15000/2000/17000 215000/2000/217000"},
        {"allowance cut, basic up", Amounts({200000, 30000, 0, 10000}, {5000, 1000}, {4000}), 205000, -6000,
         "230000/6000/236000 10000/-6000/4000 240000/0/240000"},
        {"nothing entered", RaiseTable(), 0, 0, "0/0/0 0/0/0 0/0/0"},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.name);
        ComputeRaiseTotals(c.in);
        EXPECT_EQ(c.in.after[0], c.after0);
        EXPECT_EQ(c.in.up[3], c.up3);
        EXPECT_EQ(Totals(c.in), c.totals);
    }
    EXPECT_EQ(CalcStep(10, 4), 14);
    EXPECT_EQ(AnnualAfterRaise(278000), 3336000);
    EXPECT_EQ(AnnualAfterRaise(1000.9), 12010);
}

TEST_F(RaiseLookup, TheLinkedComponentTakesTheWageTableAmount)
{
    const struct {
        const char* name;
        bool promotionEnabled;
        int link;
        QString grade, step;
        long long result, after0, up0;
    } cases[] = {
        {"link 1, grade 3, step 12", true, 1, "3 : 第３等級", "12", 268000, 268000, 18000},
        {"a step without a table row", true, 1, "3 : 第３等級", "13", -1, 250000, 0},
        {"no link: no lookup", true, 0, "3 : 第３等級", "12", 0, 250000, 0},
        {"promotion box disabled", false, 1, "3 : 第３等級", "12", 0, 250000, 0},
        {"no new step", true, 1, "3 : 第３等級", "", 0, 250000, 0},
        {"grade outside 1..9", true, 1, "0 : 指定なし", "12", -1, 250000, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RaiseTable a = Amounts({250000, 0, 0, 10000}, {0}, {10000});
        ComputeRaiseTotals(a);
        EXPECT_EQ(LookUpNewPay(session(), c.promotionEnabled, c.link, 1, c.grade, c.step, true, a), c.result);
        EXPECT_EQ(a.after[0], c.after0);
        EXPECT_EQ(a.up[0], c.up0);
        EXPECT_EQ(a.basicAfter, c.after0);
        EXPECT_EQ(a.totalAfter, c.after0 + 10000);
    }
    // Without "set" the amount is only reported.
    RaiseTable a = Amounts({250000}, {}, {});
    ComputeRaiseTotals(a);
    EXPECT_EQ(LookUpNewPay(session(), true, 1, 1, "3", "12", false, a), 268000);
    EXPECT_EQ(a.after[0], 250000);
    // Evaluation B climbs 4 steps.
    EXPECT_EQ(EvaluationSteps(session(), 1, 2), 4);
    EXPECT_EQ(CalcStep(10, EvaluationSteps(session(), 1, 2)), 14);
    EXPECT_TRUE(failures.reports.isEmpty());
}

TEST_F(RaiseLookup, SavingWritesTheDecisionToBothTablesAndKeepsTheRest)
{
    TSyain_ e;
    e.KCO = "1";
    e.SCO = "7";
    e.NENDO = "2024";
    e.SNA = QStringLiteral("山田太郎");
    e.SKCO = 1;
    e.JISEKI = 1;
    e.KEIKEN = QStringLiteral("営業10年");
    e.UPKIN1 = 9000;
    ASSERT_TRUE(Insert(folder.fdm().ACN2, true, e));

    RaiseDecision d;
    d.sco = 7;
    d.matrix[0] = 2;
    d.matrix[3] = 4;
    d.grade = 2;
    d.step = 10;
    d.evaluation = 2;
    d.newGrade = 3;
    d.stepIncrement = 4;
    d.newStep = 12;
    d.promotion = true;
    d.amounts = Amounts({250000, 0, 0, 10000}, {18000}, {12000});
    ComputeRaiseTotals(d.amounts);
    bool found = false;
    ASSERT_TRUE(SaveRaiseDecision(session(), d, found));
    EXPECT_TRUE(found);
    EXPECT_EQ(Scalar(folder.fdm().ACN2,
                     "SELECT s1.BANDID || ' ' || s1.NEWYHYOUKA || ' ' || s1.TCO || ' ' || s2.GOUHOU || ' ' || s2.HCO || ' ' "
                     "|| s2.UPK || ' ' || s2.UPT || ' ' || s2.KKYU1 || ' ' || s2.NKKYU1 || ' ' || s2.TEATE1 || ' ' || "
                     "s2.NTEATE1 || ' ' || s2.NNENSYU || ' ' || s2.NTOUKYU || ' ' || s2.SGOUHOU || ' ' || s2.NGOUHOU || "
                     "' ' || s2.FSKCHK || ' ' || s2.SYOTEI || ' ' || s2.NSYOTEI || ' ' || s2.KEIKEN || ' ' || s2.UPKIN1 "
                     "FROM MSYAIN1 s1 JOIN MSYAIN2 s2 USING (KCO, NENDO, SCO)"),
              QStringLiteral("2 4 2 10 2 18000 2000 250000 268000 10000 12000 3360000 3 4 12 1 260000 280000 営業10年 9000"));

    // An employee who is gone is reported as not found and nothing is written.
    d.sco = 8;
    EXPECT_FALSE(SaveRaiseDecision(session(), d, found));
    EXPECT_FALSE(found);
}

TEST_F(RaiseLookup, TheListCountsAgesToTheReferenceDayAndNamesTheProjectsMarks)
{
    struct Person {
        const char* sco;
        int grade, birth, entry, mark;
    };
    const Person people[] = {
        {"1", 3, 19890402, 20140401, 1},   // 34 at 2024-04-01 (birthday the day after), 10 years
        {"2", 2, 19800401, 0, 2},          // 44, no entry date: no service
        {"3", 3, 20000101, 20200101, 0},   // no mark
    };
    for (const Person& p : people) {
        TSyain_ e;
        e.KCO = "1";
        e.NENDO = "2024";
        e.SCO = p.sco;
        e.SCOT = QStringLiteral("E") + p.sco;
        e.SNA = QStringLiteral("社員") + p.sco;
        e.TOUKYU = p.grade;
        e.SEIHI = p.birth;
        e.NYUHI = p.entry;
        e.MCO = p.mark;
        ASSERT_TRUE(Insert(folder.fdm().ACN2, true, e));
    }
    Session& s = folder.session();
    s.project.Marks[0].MARK = QStringLiteral("●");
    s.project.Marks[0].HANREI = QStringLiteral("営業");
    s.project.Marks[1].MARK = QStringLiteral("▲");
    s.project.Marks[1].HANREI = QStringLiteral("技術");

    QList<RaiseListRow> rows;
    ASSERT_TRUE(LoadRaiseList(s, 0, rows));
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].age, 34);
    EXPECT_EQ(rows[0].service, 10);
    EXPECT_EQ(rows[0].markName, QStringLiteral("●  営業"));
    EXPECT_EQ(rows[1].age, 44);
    EXPECT_EQ(rows[1].service, 0);
    EXPECT_EQ(rows[1].markName, QStringLiteral("▲  技術"));
    EXPECT_EQ(rows[2].markName, QString());

    // Only grade 3, and ages counted to today when the project says so.
    s.ageByToday = true;
    s.today = QDate(2030, 4, 2);
    ASSERT_TRUE(LoadRaiseList(s, 3, rows));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].sco, 1);
    EXPECT_EQ(rows[0].age, 41);
    EXPECT_EQ(rows[1].sco, 3);
    EXPECT_EQ(rows[1].service, 10);
    EXPECT_TRUE(failures.reports.isEmpty());
}
