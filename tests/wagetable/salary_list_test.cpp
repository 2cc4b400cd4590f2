// Wage table generation, saving and loading, read back from a real year database.
#include "store/DataModule.h"
#include "store/RecordAccess.h"
#include "support/RecordedFailures.h"
#include "support/TestProject.h"
#include "wagetable/SalaryList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

namespace {

// One DCHINGIN2 row as stored: step -> (KIN1..9, KS1..9).
struct StoredRow {
    long long kin[9];
    long long ks[9];
};

class SalaryListTest : public ::testing::Test {
protected:
    void SetUp() override { OpenTestProject(folder, {.kco = 7, .year = 2024}); }

    DbConnection& cn() { return folder.fdm().ACN2; }

    std::map<int, StoredRow> rows(int id)
    {
        std::map<int, StoredRow> out;
        QString sql = QStringLiteral("SELECT GOUHOU");
        for (int g = 1; g <= 9; ++g)
            sql += QStringLiteral(", KIN%1, KS%1").arg(g);
        sql += QStringLiteral(" FROM DCHINGIN2 WHERE KCO = 7 AND NENDO = 2024 AND SKCO = %1").arg(id);
        auto r = cn().select(sql);
        EXPECT_TRUE(r);
        while (r && r->next()) {
            StoredRow row;
            for (int g = 0; g < 9; ++g) {
                row.kin[g] = r->integer(1 + 2 * g);
                row.ks[g] = r->integer(2 + 2 * g);
            }
            EXPECT_FALSE(out.count(int(r->integer(0)))) << "step stored twice";
            out[int(r->integer(0))] = row;
        }
        return out;
    }

    int count(const QString& table, const QString& idColumn, int id)
    {
        return Scalar(cn(), QStringLiteral("SELECT count(*) FROM %1 WHERE KCO = 7 AND NENDO = 2024 AND %2 = %3")
                                .arg(table, idColumn)
                                .arg(id))
            .toInt();
    }

    // Every stored row of the five tables of a wage table, as text, for before/after comparisons.
    QStringList dump(int id)
    {
        QStringList out;
        const std::pair<const char*, const char*> tables[] = {
            {"MCHINGIN", "CGCO"}, {"DSCALE", "SKCO"}, {"DKSEN2", "K2CO"}, {"DKSEN3", "K3CO"}, {"DCHINGIN2", "SKCO"}};
        for (const auto& [table, column] : tables) {
            auto r = cn().select(QStringLiteral("SELECT * FROM %1 WHERE %2 = %3 ORDER BY rowid")
                                     .arg(QLatin1String(table), QLatin1String(column))
                                     .arg(id));
            while (r && r->next()) {
                QStringList values;
                for (int c = 0; c < r->columnCount(); ++c)
                    values << r->text(c);
                out << QLatin1String(table) + ':' + values.join(',');
            }
        }
        return out;
    }

    const Session& session() const { return folder.session(); }

    RecordedFailures failures;
    TestProgramFolder folder;
};

SalaryListDefinition secondOrder(int id, std::initializer_list<std::array<CurvePoint, 3>> grades)
{
    SalaryListDefinition def;
    def.id = id;
    def.title = QStringLiteral("総合職");
    def.curveKind = SecondOrderCurve;
    def.gradeCount = int(grades.size());
    int g = 0;
    for (const auto& points : grades)
        def.grades[g++].second = points;
    return def;
}

SalaryListDefinition thirdOrder(int id, std::initializer_list<std::array<CurvePoint, 4>> grades)
{
    SalaryListDefinition def;
    def.id = id;
    def.curveKind = ThirdOrderCurve;
    def.gradeCount = int(grades.size());
    int g = 0;
    for (const auto& points : grades)
        def.grades[g++].third = points;
    return def;
}

const std::array<CurvePoint, 3> standardGrade = {CurvePoint{1, 200000}, CurvePoint{10, 245000},
                                                 CurvePoint{20, 280000}};

} // namespace

// The scale row: spread and range from median and limits.
TEST(SalaryScaleRow, SpreadAndRange)
{
    struct Case {
        double lower, median, upper;
        QString spread, range;
        bool defined;
    };
    const Case cases[] = {
        {-20, 250000, 20, QStringLiteral("1.50"), QStringLiteral("100,000"), true},
        {-20, 250000, 20.5, QStringLiteral("1.51"), QStringLiteral("101,250"), true},   // fraction used
        {-10, 0, 30, QStringLiteral("0"), QStringLiteral("0"), true},                  // median 0
        {-100, 250000, 20, QStringLiteral("―"), QStringLiteral("300,000"), false},      // no lower amount
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.spread.toStdString());
        const ScaleRowResult r = UpdateScaleRow(c.lower, c.median, c.upper);
        EXPECT_EQ(r.spreadText, c.spread);
        EXPECT_EQ(r.rangeText, c.range);
        EXPECT_EQ(r.spreadDefined, c.defined);
    }
}

TEST(SalaryCurveAmounts, DerivedFromTheScale)
{
    const DerivedCurveAmounts d = DeriveCurveAmounts(-20, 250000, 20);
    EXPECT_EQ(d.start, 200000);
    EXPECT_EQ(d.middle, 250000);
    EXPECT_EQ(d.end, 300000);

    SalaryListDefinition def;
    def.gradeCount = 2;
    def.curveKind = ThirdOrderCurve;
    def.grades[0].scale = {QString(), -15, 300001, 12.5};
    def.grades[0].third[2].amount = 777;
    def.grades[2].scale = {QString(), -20, 250000, 20};
    DeriveCurveAmounts(def);
    EXPECT_EQ(def.grades[0].third[0].amount, 255001);   // 300001 × 0.85 = 255000.85
    EXPECT_EQ(def.grades[0].third[1].amount, 300001);
    EXPECT_EQ(def.grades[0].third[2].amount, 777);      // the second middle is always typed
    EXPECT_EQ(def.grades[0].third[3].amount, 337501);   // 300001 × 1.125 = 337501.125
    EXPECT_EQ(def.grades[2].third[0].amount, 0);        // above the grade count

    def.overwriteMode = TypedAmounts;
    def.grades[1].scale.median = 100000;
    DeriveCurveAmounts(def);
    EXPECT_EQ(def.grades[1].third[1].amount, 0);        // manual mode derives nothing
}

TEST_F(SalaryListTest, SecondOrderGradesMatchTheirCurves)
{
    struct Case {
        const char* name;
        std::array<CurvePoint, 3> points;
        double factor;
        int rounding;
        std::map<int, long long> expected;   // step -> KIN1
    };
    const Case cases[] = {
        {"unit 10", standardGrade, 1.0, 0,
         {{1, 200000}, {2, 205630}, {5, 221580}, {10, 245000}, {13, 257160}, {20, 280000}}},
        // truncated, × 1.01, then half away from zero to 100 yen (247,450 → 247,500)
        {"factor 1.01, unit 100", standardGrade, 1.01, 1,
         {{1, 202000}, {2, 207700}, {10, 247500}, {15, 267100}, {20, 282800}}},
        // steps summing to 0: the curve still runs through all three points
        {"steps summing to zero", {CurvePoint{-10, 180000}, CurvePoint{3, 200000}, CurvePoint{7, 206000}}, 1.0, 0,
         {{-10, 180000}, {-5, 187780}, {0, 195450}, {3, 200000}, {5, 203010}, {7, 206000}}},
    };
    int id = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SalaryListDefinition def = secondOrder(id, {c.points});
        def.factor = c.factor;
        def.roundingCode = c.rounding;
        const Outcome saved = SaveSalaryList(session(), def);
        ASSERT_TRUE(saved.ok);
        EXPECT_FALSE(saved.hasMessage());
        const auto stored = rows(id);
        ASSERT_EQ(int(stored.size()), c.points[2].step - c.points[0].step + 1);
        const long long unit = c.rounding == 0 ? 10 : 100;
        for (const auto& [step, row] : stored) {
            EXPECT_EQ(row.kin[0] % unit, 0) << "step " << step;
            EXPECT_GT(row.ks[0], 0);
        }
        for (const auto& [step, amount] : c.expected)
            EXPECT_EQ(stored.at(step).kin[0], amount) << "step " << step;
        EXPECT_EQ(stored.at(c.points[0].step).ks[0], 100);
        ++id;
    }
    EXPECT_TRUE(failures.reports.isEmpty());
}

TEST_F(SalaryListTest, ThirdOrderGradesClimbInEqualIncrements)
{
    struct Case {
        const char* name;
        std::array<CurvePoint, 4> points;
        double factor;
        std::map<int, long long> expected;
    };
    const Case cases[] = {
        {"factor 1", {CurvePoint{1, 200000}, CurvePoint{5, 210000}, CurvePoint{10, 230000}, CurvePoint{20, 260000}}, 1.0,
         {{1, 200000}, {2, 202500}, {3, 205000}, {4, 207500}, {5, 210000}, {6, 214000}, {9, 226000}, {10, 230000},
          {11, 233000}, {19, 257000}, {20, 260000}}},
        // anchors scaled by the factor, increments from the typed amounts
        {"factor 1.01", {CurvePoint{1, 200000}, CurvePoint{5, 210000}, CurvePoint{10, 230000}, CurvePoint{20, 260000}},
         1.01,
         {{1, 202000}, {2, 204500}, {3, 207000}, {4, 209500}, {5, 212100}, {10, 232300}, {20, 262600}}},
        // equal middle steps: the segment between them has increment 0
        {"equal control steps", {CurvePoint{1, 200000}, CurvePoint{5, 210000}, CurvePoint{5, 210000}, CurvePoint{9, 230000}},
         1.0, {{1, 200000}, {4, 207500}, {5, 210000}, {6, 215000}, {8, 225000}, {9, 230000}}},
    };
    int id = 11;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SalaryListDefinition def = thirdOrder(id, {c.points});
        def.factor = c.factor;
        ASSERT_TRUE(SaveSalaryList(session(), def).ok);
        const auto stored = rows(id);
        ASSERT_EQ(int(stored.size()), c.points[3].step - c.points[0].step + 1);
        for (const auto& [step, amount] : c.expected)
            EXPECT_EQ(stored.at(step).kin[0], amount) << "step " << step;
        EXPECT_EQ(stored.at(c.points[0].step).ks[0], 100);
        // 格差 is the whole percent of the start amount
        const auto& end = stored.at(c.points[3].step);
        EXPECT_EQ(end.ks[0], llround(double(end.kin[0]) / double(stored.at(c.points[0].step).kin[0]) * 100));
        ++id;
    }
    // Only the curve table in force is written.
    EXPECT_EQ(count("DKSEN3", "K3CO", 11), 1);
    EXPECT_EQ(count("DKSEN2", "K2CO", 11), 0);
}

TEST_F(SalaryListTest, GradesShareOneStepRange)
{
    SalaryListDefinition def =
        secondOrder(3, {standardGrade,
                        {CurvePoint{1, 180000}, CurvePoint{12, 230000}, CurvePoint{25, 290000}},
                        {CurvePoint{5, 250000}, CurvePoint{15, 300000}, CurvePoint{30, 350000}}});
    ASSERT_TRUE(SaveSalaryList(session(), def).ok);
    EXPECT_EQ(Scalar(cn(), "SELECT GOUHOU1 || '..' || GOUHOU2 FROM MCHINGIN WHERE CGCO = 3"), "1..30");
    const auto stored = rows(3);
    ASSERT_EQ(stored.size(), 30u);
    EXPECT_EQ(stored.begin()->first, 1);
    for (int step = 1; step <= 4; ++step) {
        EXPECT_EQ(stored.at(step).kin[2], 0);
        EXPECT_EQ(stored.at(step).ks[2], 0);
    }
    EXPECT_EQ(stored.at(5).kin[2], 250000);
    EXPECT_EQ(stored.at(5).ks[2], 100);
    EXPECT_EQ(stored.at(30).kin[2], 350000);
    EXPECT_EQ(stored.at(21).kin[0], 0);   // grade 1 ends at step 20
    EXPECT_EQ(stored.at(21).ks[0], 0);
    EXPECT_EQ(stored.at(25).kin[1], 290000);
    EXPECT_EQ(stored.at(26).kin[1], 0);
}

TEST_F(SalaryListTest, FewerGradesReplaceAnEarlierTable)
{
    SalaryListDefinition nine = secondOrder(4, {standardGrade, standardGrade, standardGrade, standardGrade,
                                                standardGrade, standardGrade, standardGrade, standardGrade,
                                                standardGrade});
    ASSERT_TRUE(SaveSalaryList(session(), nine).ok);
    ASSERT_EQ(count("DSCALE", "SKCO", 4), 9);
    ASSERT_EQ(rows(4).at(10).kin[8], 245000);

    // Grade count 3 with an all-zero grade 2.
    SalaryListDefinition three = secondOrder(4, {standardGrade, {}, standardGrade});
    ASSERT_TRUE(SaveSalaryList(session(), three).ok);
    EXPECT_EQ(count("DSCALE", "SKCO", 4), 3);
    EXPECT_EQ(count("DKSEN2", "K2CO", 4), 3);
    EXPECT_EQ(count("MCHINGIN", "CGCO", 4), 1);
    EXPECT_EQ(Scalar(cn(), "SELECT max(TKNO) FROM DSCALE WHERE SKCO = 4"), "3");
    EXPECT_EQ(Scalar(cn(), "SELECT TKSU FROM MCHINGIN WHERE CGCO = 4"), "3");
    const auto stored = rows(4);
    // The all-zero grade's start step 0 is part of the range, like every grade's.
    ASSERT_EQ(stored.size(), 21u);
    for (const auto& [step, row] : stored) {
        SCOPED_TRACE(step);
        EXPECT_EQ(row.kin[1], 0);
        EXPECT_EQ(row.ks[1], 0);
        for (int g = 3; g < 9; ++g) {
            EXPECT_EQ(row.kin[g], 0);
            EXPECT_EQ(row.ks[g], 0);
        }
    }
    EXPECT_EQ(stored.at(1).kin[2], 200000);
}

TEST_F(SalaryListTest, ThousandYenUnitRoundsHalfAwayFromZero)
{
    SalaryListDefinition def = secondOrder(5, {{CurvePoint{1, 123456}, CurvePoint{2, 123456}, CurvePoint{3, 123456}},
                                               {CurvePoint{1, 123500}, CurvePoint{2, 123500}, CurvePoint{3, 123500}}});
    def.roundingCode = 2;
    ASSERT_TRUE(SaveSalaryList(session(), def).ok);
    for (const auto& [step, row] : rows(5)) {
        EXPECT_EQ(row.kin[0], 123000) << step;
        EXPECT_EQ(row.kin[1], 124000) << step;
    }
}

TEST_F(SalaryListTest, StoresTheDefinitionAndLoadsItBack)
{
    SalaryListDefinition def = secondOrder(6, {standardGrade, standardGrade});
    def.title = QStringLiteral("技能職 'A'");
    def.overwriteMode = TypedAmounts;
    def.roundingCode = 1;
    def.factor = 1.015;
    def.grades[0].scale = {QStringLiteral("一般"), -20, 250000, 20.5};
    def.grades[1].scale = {QStringLiteral("主任"), -10, 0, 10};
    ASSERT_TRUE(SaveSalaryList(session(), def).ok);

    EXPECT_EQ(Scalar(cn(), "SELECT RITSU2 FROM DSCALE WHERE SKCO = 6 AND TKNO = 1"), "21");
    EXPECT_EQ(Scalar(cn(), "SELECT SPKIN FROM DSCALE WHERE SKCO = 6 AND TKNO = 1"), "1.51");
    EXPECT_EQ(Scalar(cn(), "SELECT RNKIN FROM DSCALE WHERE SKCO = 6 AND TKNO = 1"), "101250");
    EXPECT_EQ(Scalar(cn(), "SELECT SPKIN = 0 AND RNKIN = 0 FROM DSCALE WHERE SKCO = 6 AND TKNO = 2"), "1");
    EXPECT_EQ(Scalar(cn(), "SELECT GOUSU || SKCO || K2CO || K3CO FROM MCHINGIN WHERE CGCO = 6"), "0666");

    StoredSalaryList stored;
    ASSERT_TRUE(LoadStoredSalaryList(session(), 6, stored));
    ASSERT_TRUE(stored.found);
    const SalaryListDefinition back = DefinitionFromStored(6, stored);
    EXPECT_EQ(back.title, def.title);
    EXPECT_EQ(back.gradeCount, 2);
    EXPECT_EQ(back.overwriteMode, TypedAmounts);
    EXPECT_EQ(back.roundingCode, 1);
    EXPECT_DOUBLE_EQ(back.factor, 1.015);
    EXPECT_EQ(back.lowestStep, 1);
    EXPECT_EQ(back.highestStep, 20);
    EXPECT_EQ(back.grades[0].scale.name, QStringLiteral("一般"));
    EXPECT_EQ(back.grades[0].scale.lowerPercent, -20);
    EXPECT_EQ(back.grades[1].second[2].amount, 280000);

    QList<int> ids;
    ASSERT_TRUE(LoadSalaryListIds(session(), ids));
    EXPECT_EQ(ids, QList<int>{6});
    int first = 0;
    ASSERT_TRUE(FirstSalaryListId(session(), first));
    EXPECT_EQ(first, 6);
}

TEST_F(SalaryListTest, RefusedDefinitionsWriteNothing)
{
    SalaryListDefinition kept = secondOrder(8, {standardGrade});
    ASSERT_TRUE(SaveSalaryList(session(), kept).ok);
    const QStringList before = dump(8);

    struct Case {
        const char* name;
        SalaryListDefinition def;
        QString message;
    };
    SalaryListDefinition noId = secondOrder(0, {standardGrade});
    SalaryListDefinition middleBeforeStart = secondOrder(8, {{CurvePoint{5, 200000}, CurvePoint{3, 210000},
                                                             CurvePoint{20, 280000}}});
    SalaryListDefinition endBeforeMiddle = secondOrder(8, {standardGrade, {CurvePoint{1, 200000},
                                                                           CurvePoint{10, 245000},
                                                                           CurvePoint{8, 280000}}});
    SalaryListDefinition thirdOutOfOrder =
        thirdOrder(8, {{CurvePoint{1, 200000}, CurvePoint{10, 210000}, CurvePoint{6, 230000}, CurvePoint{20, 260000}}});
    SalaryListDefinition stepOutOfRange = secondOrder(8, {{CurvePoint{1, 200000}, CurvePoint{10, 245000},
                                                           CurvePoint{81, 280000}}});
    SalaryListDefinition lowerLimit = secondOrder(8, {standardGrade});
    lowerLimit.grades[0].scale = {QString(), -100, 250000, 20};
    SalaryListDefinition noGrades = secondOrder(8, {standardGrade});
    noGrades.gradeCount = 0;
    const Case cases[] = {
        {"no ID", noId, QStringLiteral("賃金表IDを入力して下さい。")},
        {"middle before start", middleBeforeStart, QStringLiteral("第1等級の号数の順序が正しくありません。")},
        {"end before middle", endBeforeMiddle, QStringLiteral("第2等級の号数の順序が正しくありません。")},
        {"third-order middles swapped", thirdOutOfOrder, QStringLiteral("第1等級の号数の順序が正しくありません。")},
        {"step above 80", stepOutOfRange, QStringLiteral("-10 ～ 80 の値を入力して下さい。")},
        {"lower limit -100 %", lowerLimit, QStringLiteral("第1等級の下限 (%) が -100 以下")},
        {"grade count 0", noGrades, QStringLiteral("1 ～ 9 の値を入力して下さい。")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SalaryListDefinition def = c.def;
        const Outcome refused = SaveSalaryList(session(), def);
        EXPECT_FALSE(refused.ok);
        EXPECT_EQ(refused.kind, Outcome::Kind::Information);
        EXPECT_EQ(refused.caption, QStringLiteral("確認"));
        EXPECT_TRUE(refused.text.contains(c.message)) << refused.text.toStdString();
        EXPECT_TRUE(failures.reports.isEmpty());
        EXPECT_EQ(dump(8), before);
        EXPECT_EQ(dump(0), QStringList());
    }
}

TEST_F(SalaryListTest, AFailedSaveLeavesThePreviousTable)
{
    SalaryListDefinition first = secondOrder(9, {standardGrade, standardGrade, standardGrade});
    ASSERT_TRUE(SaveSalaryList(session(), first).ok);
    const QStringList before = dump(9);
    ASSERT_EQ(count("DCHINGIN2", "SKCO", 9), 20);

    // The database refuses the table's fifth step row, after every other table was rewritten.
    Exec(cn(), "CREATE TRIGGER refuse_step BEFORE INSERT ON DCHINGIN2 WHEN NEW.GOUHOU = 5 "
               "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    SalaryListDefinition second = thirdOrder(9, {{CurvePoint{1, 190000}, CurvePoint{5, 200000}, CurvePoint{10, 220000},
                                                  CurvePoint{30, 300000}}});
    second.title = QStringLiteral("改定案");
    const Outcome failed = SaveSalaryList(session(), second);
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(cn().transactionDepth(), 0);
    EXPECT_EQ(dump(9), before);
    EXPECT_EQ(count("DKSEN3", "K3CO", 9), 0);
    EXPECT_EQ(failed.text, QStringLiteral("賃金表の登録に失敗しました。登録前の賃金表はそのまま残っています。"));
    EXPECT_EQ(failed.caption, QString());
    bool engineText = false;
    for (const QString& text : failures.texts())
        engineText = engineText || text.contains(QStringLiteral("disk full"));
    EXPECT_TRUE(engineText);

    Exec(cn(), "DROP TRIGGER refuse_step");
    EXPECT_TRUE(SaveSalaryList(session(), second).ok);
    EXPECT_EQ(count("DCHINGIN2", "SKCO", 9), 30);
}

TEST_F(SalaryListTest, BaseAmountsAddTheAveragesOfTheLinkedEmployees)
{
    struct Employee {
        int sco, skco, grade, k1, k2, k3;
    };
    const Employee employees[] = {
        {1, 2, 1, 200000, 10000, 0},  {2, 2, 1, 210001, 20000, 0}, {3, 2, 3, 300000, 0, 5000},
        {4, 5, 3, 999999, 0, 0},      // another wage table
        {5, 2, 0, 123456, 0, 0},      // no grade
        {6, 2, 12, 654321, 0, 0},     // a grade no table has
    };
    for (const Employee& e : employees) {
        TSyain_ s;
        s.KCO = QStringLiteral("7");
        s.NENDO = QStringLiteral("2024");
        s.SCO = QString::number(e.sco);
        s.SKCO = e.skco;
        s.TOUKYU = e.grade;
        s.KKYU1 = e.k1;
        s.KKYU2 = e.k2;
        s.KKYU3 = e.k3;
        ASSERT_TRUE(Insert(cn(), true, s));
    }
    std::array<long long, 9> totals{};
    ASSERT_TRUE(BaseAmountTotals(session(), 2, totals));
    // grade 1: 205,000.5 rounds to 205,001, plus 15,000
    const std::array<long long, 9> expected = {220001, 0, 305000, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(totals, expected);
}

namespace {

// A three-point table over steps -10..80 drawn from a fixed seed: distinct steps in
// ascending order, amounts of whole yen (some typed to the thousand, some to the yen).
std::array<CurvePoint, 3> drawnTable(std::mt19937& random)
{
    std::uniform_int_distribution<int> step(LowestAllowedStep, HighestAllowedStep);
    std::uniform_int_distribution<long long> amount(100000, 600000);
    std::array<int, 3> steps{};
    do {
        for (int& s : steps)
            s = step(random);
        std::sort(steps.begin(), steps.end());
    } while (steps[0] == steps[1] || steps[1] == steps[2]);
    std::array<CurvePoint, 3> points;
    for (int k = 0; k < 3; ++k) {
        long long a = amount(random);
        if (random() % 2)
            a = a / 1000 * 1000;
        points[size_t(k)] = CurvePoint{steps[size_t(k)], a};
    }
    return points;
}

} // namespace

TEST(SecondOrderCurve, GivesBackTheAmountTypedAtEveryControlStep)
{
    // Before the base-up factor and the unit rounding, the curve's amount at a control
    // step is the typed amount: with plain truncation about half of such points came out
    // one yen low (164,999.9999 cut to 164,999).
    std::mt19937 random(20240401);
    std::vector<std::array<CurvePoint, 3>> tables = {
        {CurvePoint{1, 140250}, CurvePoint{10, 165000}, CurvePoint{20, 198000}},
        {CurvePoint{-10, 180000}, CurvePoint{3, 200000}, CurvePoint{7, 206000}},
        {CurvePoint{-10, 100000}, CurvePoint{35, 350000}, CurvePoint{80, 600000}},
    };
    for (int i = 0; i < 3000; ++i)
        tables.push_back(drawnTable(random));
    int missed = 0;
    for (const auto& t : tables) {
        const std::vector<CurvePoint> points(t.begin(), t.end());
        const QuadraticFit fit = FitQuadratic(points);
        for (const CurvePoint& p : points) {
            if (SecondOrderAmountAt(fit, p.step) != p.amount) {
                ++missed;
                ADD_FAILURE() << "(" << t[0].step << ", " << t[0].amount << ") (" << t[1].step << ", " << t[1].amount
                              << ") (" << t[2].step << ", " << t[2].amount << "): step " << p.step << " gives "
                              << SecondOrderAmountAt(fit, p.step) << " for " << p.amount;
            }
        }
        if (missed > 5)
            break;
    }
}

TEST(SecondOrderCurve, SampleTableWithAOnePercentBaseUp)
{
    // The first sample company's table of 2020: nine grades, factor 1.01, 100-yen unit.
    // Every cell is what the table held before, except grade 1 at its middle step 10:
    // 165,000 × 1.01 = 166,650, which rounds to 166,700 (truncating the curve's
    // 164,999.9999 first gave 166,600).
    SalaryListDefinition def;
    def.id = 1;
    def.gradeCount = 9;
    def.curveKind = SecondOrderCurve;
    def.roundingCode = 1;
    def.factor = 1.01;
    const std::array<std::array<CurvePoint, 3>, 9> grades = {{
        {CurvePoint{1, 140250}, CurvePoint{10, 165000}, CurvePoint{20, 198000}},
        {CurvePoint{1, 158100}, CurvePoint{10, 186000}, CurvePoint{20, 223200}},
        {CurvePoint{1, 178500}, CurvePoint{10, 210000}, CurvePoint{20, 252000}},
        {CurvePoint{1, 202300}, CurvePoint{13, 238000}, CurvePoint{25, 285600}},
        {CurvePoint{1, 227800}, CurvePoint{13, 268000}, CurvePoint{25, 321600}},
        {CurvePoint{1, 256700}, CurvePoint{13, 302000}, CurvePoint{25, 362400}},
        {CurvePoint{1, 289000}, CurvePoint{15, 340000}, CurvePoint{30, 408000}},
        {CurvePoint{1, 324700}, CurvePoint{15, 382000}, CurvePoint{30, 458400}},
        {CurvePoint{1, 363800}, CurvePoint{15, 428000}, CurvePoint{30, 513600}},
    }};
    for (int g = 0; g < 9; ++g)
        def.grades[size_t(g)].second = grades[size_t(g)];
    std::map<int, std::array<long long, 9>> expected = {
        {1, {141700, 159700, 180300, 204300, 230100, 259300, 291900, 327900, 367400}},
        {2, {144200, 162500, 183500, 206900, 232900, 262500, 295200, 331600, 371600}},
        {3, {146800, 165500, 186800, 209500, 235900, 265800, 298500, 335400, 375800}},
        {4, {149500, 168500, 190200, 212200, 239000, 269300, 301900, 339200, 380000}},
        {5, {152200, 171500, 193700, 215000, 242100, 272800, 305400, 343100, 384400}},
        {6, {155000, 174700, 197200, 217900, 245400, 276500, 308900, 347000, 388800}},
        {7, {157800, 177900, 200800, 220800, 248700, 280200, 312500, 351100, 393400}},
        {8, {160700, 181100, 204500, 223900, 252100, 284100, 316100, 355200, 397900}},
        {9, {163600, 184500, 208300, 227000, 255600, 288100, 319800, 359300, 402600}},
        {10, {166600, 187900, 212100, 230200, 259300, 292200, 323600, 363600, 407400}},
        {11, {169700, 191300, 216000, 233500, 263000, 296300, 327400, 367900, 412200}},
        {12, {172800, 194800, 220000, 236900, 266800, 300600, 331300, 372300, 417100}},
        {13, {176000, 198400, 224000, 240400, 270700, 305000, 335300, 376700, 422100}},
        {14, {179300, 202100, 228200, 243900, 274700, 309500, 339300, 381200, 427100}},
        {15, {182600, 205800, 232400, 247600, 278800, 314100, 343400, 385800, 432300}},
        {16, {185900, 209600, 236700, 251300, 282900, 318800, 347500, 390500, 437500}},
        {17, {189400, 213500, 241000, 255100, 287200, 323700, 351800, 395200, 442800}},
        {18, {192800, 217400, 245400, 259000, 291600, 328600, 356000, 400000, 448200}},
        {19, {196400, 221400, 249900, 262900, 296100, 333600, 360300, 404900, 453600}},
        {20, {200000, 225400, 254500, 267000, 300600, 338800, 364700, 409800, 459100}},
        {21, {0, 0, 0, 271100, 305300, 344000, 369200, 414800, 464800}},
        {22, {0, 0, 0, 275300, 310000, 349300, 373700, 419900, 470400}},
        {23, {0, 0, 0, 279600, 314900, 354800, 378300, 425000, 476200}},
        {24, {0, 0, 0, 284000, 319800, 360400, 382900, 430200, 482000}},
        {25, {0, 0, 0, 288500, 324800, 366000, 387600, 435500, 488000}},
        {26, {0, 0, 0, 0, 0, 0, 392400, 440900, 494000}},
        {27, {0, 0, 0, 0, 0, 0, 397200, 446300, 500000}},
        {28, {0, 0, 0, 0, 0, 0, 402100, 451800, 506200}},
        {29, {0, 0, 0, 0, 0, 0, 407100, 457400, 512400}},
        {30, {0, 0, 0, 0, 0, 0, 412100, 463000, 518700}},
    };
    expected[10][0] = 166700;
    const SalaryTable table = GenerateSalaryTable(def);
    ASSERT_EQ(table.rows.size(), 30);
    for (const SalaryTableRow& row : table.rows)
        for (int g = 0; g < 9; ++g)
            EXPECT_EQ(row.amount[size_t(g)], expected.at(row.step)[size_t(g)]) << "step " << row.step << " grade " << g + 1;
}
