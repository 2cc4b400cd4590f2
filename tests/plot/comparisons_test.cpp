// Comparison loaders (cost of living, model wages) and the wage-table graph's control points.
#include "plot/Comparisons.h"
#include "reference/PrintQString.h"
#include "support/RecordedFailures.h"
#include "support/TestProject.h"

#include <gtest/gtest.h>

namespace {

TSEIKEI_ costRow(int size, int age, int cost, double comfort, double minimum, double single, double factor = 1.0)
{
    TSEIKEI_ r;
    r.SNIN = size;
    r.SNENREI = age;
    r.SEIKEIHI = cost;
    r.YURITSU = comfort;
    r.STRITSU = minimum;
    r.TNRITSU = single;
    r.KKRITSU = factor;
    return r;
}

TMDCHNGIN_ modelRow(const QString& kind, int age, int service, int experience, int basic, int scheduled = 0,
                    int bonus = 0, int annual = 0)
{
    TMDCHNGIN_ r;
    r.MDCO = "1";
    r.SENSYU = kind;
    r.NENREI = QString::number(age);
    r.KNENSU = QString::number(service);
    r.KKNENSU = QString::number(experience);
    r.KKIN = QString::number(basic);
    r.SKIN = QString::number(scheduled);
    r.SYOUYO = QString::number(bonus);
    r.NENSYU = QString::number(annual);
    return r;
}

std::vector<QPointF> pointsOf(const TXYDATA& s)
{
    std::vector<QPointF> p;
    for (size_t i = 0; i < s.xs.size(); ++i)
        p.emplace_back(s.xs[i], s.ys[i]);
    return p;
}

} // namespace

TEST(CostOfLivingComparison, FourLinesFromTheTableRows)
{
    const QList<TSEIKEI_> rows = {
        costRow(2, 0, 300, 1.2, 0.8, 0.5),      // age 0: skipped
        costRow(2, 25, 250, 0, 0.8, 0.5),       // no comfort ratio: no point on line 2
        costRow(2, 30, 255, 1.3, 0.8, 0.5),     // 25.5 → 26, 33.15 → 33
        costRow(3, 25, 280, 1.3, 0.8, 0),       // the next household returns to age 25
        costRow(3, 35, 250, 1.3, 0.8, 0, 1.1),  // factor: 27.5 → 28
    };
    TSeriesSet set;
    AddSeriesPoint(set, "old", 0, 1, 1, 7);   // whatever was there goes
    FillCostOfLivingComparison(rows, 2, set);

    EXPECT_EQ(pointsOf(set[1]), (std::vector<QPointF>{{25, 25}, {30, 26}, {25, 28}, {35, 28}}));
    EXPECT_EQ(pointsOf(set[2]), (std::vector<QPointF>{{30, 33}, {25, 36}, {35, 36}}));   // 250·1.3·1.1 = 35.75
    EXPECT_EQ(pointsOf(set[3]), (std::vector<QPointF>{{25, 20}, {30, 20}, {25, 22}, {35, 22}}));
    EXPECT_EQ(pointsOf(set[4]), (std::vector<QPointF>{{25, 13}, {30, 13}}));   // 12.5 → 13, 12.75 → 13
    EXPECT_EQ(set[7].count, 0);
    EXPECT_EQ(set[0].count, 13);
    EXPECT_EQ(set[0].maxY, 36);
    EXPECT_EQ(set[1].name, QStringLiteral("標準生計費"));
    EXPECT_EQ(set[3].name, QStringLiteral("愉楽率"));
    EXPECT_DOUBLE_EQ(set[1].meanY, (25 + 26 + 28 + 28) / 4.0);
    EXPECT_NE(set[1].a1, 0);   // fitted like every series

    const ComparisonMarks marks = CostOfLivingMarks();
    struct Expected {
        QString legend;
        std::uint32_t colour;
        int style, width;
    };
    // Maroon solid 2, black dash-dot, red dot, blue solid; the rest black solid 1.
    const Expected expected[9] = {{"標準生計費", 0x000080, 0, 2}, {"愉楽率", 0, 3, 1}, {"最低率", 0x0000FF, 2, 1},
                                  {"単身率", 0xFF0000, 0, 1},     {"", 0, 0, 1},        {"", 0, 0, 1},
                                  {"", 0, 0, 1},                  {"", 0, 0, 1},        {"", 0, 0, 1}};
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(marks[i].HANREI, expected[i].legend);
        EXPECT_EQ(marks[i].KCOLOR, expected[i].colour);
        EXPECT_EQ(marks[i].MKCOLOR, expected[i].colour);
        EXPECT_EQ(marks[i].KSYURUI, expected[i].style);
        EXPECT_EQ(marks[i].KHABA, expected[i].width);
        EXPECT_EQ(marks[i].MKSIZE, 9);
    }
}

TEST(CostOfLivingComparison, LinesExtendFlatAndSinglePointsDrawNothing)
{
    TSeriesSet set;
    FillCostOfLivingComparison({costRow(1, 20, 150, 1.2, 0, 0), costRow(1, 60, 300, 0, 0, 0.7)}, 2, set);
    const double xmax = 65, inside = 50;
    EXPECT_EQ(ComparisonPolyline(set[1], &xmax), (std::vector<QPointF>{{20, 15}, {60, 30}, {65, 30}}));
    EXPECT_EQ(ComparisonPolyline(set[1], &inside), (std::vector<QPointF>{{20, 15}, {60, 30}}));
    EXPECT_EQ(ComparisonPolyline(set[1], nullptr), (std::vector<QPointF>{{20, 15}, {60, 30}}));
    EXPECT_TRUE(ComparisonPolyline(set[2], &xmax).empty());   // one point
    EXPECT_TRUE(ComparisonPolyline(set[3], &xmax).empty());   // none
    EXPECT_EQ(ComparisonLegendSeries(set), QList<int>{1});
}

TEST(CostOfLivingComparison, LoadsTheCompanysCodeInHouseholdAndAgeOrder)
{
    RecordedFailures failures;
    TestProgramFolder folder;
    OpenTestProject(folder);
    const Session& s = folder.session();
    DbConnection& cn = folder.fdm().ACN2;
    Exec(cn, "INSERT INTO MSEIKEI VALUES (1, 2024, 3, 4, 40, 400, 1.2, 0.9, 0.6, 1.0, '出所', '全国', '2024', '')");
    Exec(cn, "INSERT INTO MSEIKEI VALUES (1, 2024, 3, 2, 30, 250, 1.2, 0.9, 0.6, 1.0, '出所', '全国', '2024', '')");
    Exec(cn, "INSERT INTO MSEIKEI VALUES (1, 2024, 3, 2, 20, 200, 1.2, 0.9, 0.6, 1.0, '出所', '全国', '2024', '')");
    Exec(cn, "INSERT INTO MSEIKEI VALUES (1, 2024, 4, 2, 25, 999, 1.2, 0.9, 0.6, 1.0, '他', '全国', '2024', '')");
    TSeriesSet set;
    ASSERT_TRUE(LoadCostOfLivingComparison(s, 3, 3, set));
    EXPECT_EQ(pointsOf(set[1]), (std::vector<QPointF>{{20, 20}, {30, 25}, {40, 40}}));
    EXPECT_EQ(pointsOf(set[4]), (std::vector<QPointF>{{20, 12}, {30, 15}, {40, 24}}));
    EXPECT_TRUE(failures.reports.isEmpty());

    TSEIKEI_ first;
    ASSERT_TRUE(CostOfLivingSource(s, 3, first));
    EXPECT_EQ(first.SNENREI, 20);
    EXPECT_EQ(first.DEDOKORO, QStringLiteral("出所"));

    ASSERT_TRUE(LoadCostOfLivingComparison(s, 8, 2, set));   // no such table: no lines
    EXPECT_EQ(set[0].count, 0);
    EXPECT_FALSE(CostOfLivingSource(s, 8, first));
}

TEST(OptimalWageDiagonal, ThroughTheEndsOfThePointsRange)
{
    TSeriesSet points;
    ResetSeriesSet(points);
    AddSeriesPoint(points, "●", 0, 31, 30, 1);
    AddSeriesPoint(points, "▲", 0, 19, 20, 2);
    AddSeriesPoint(points, "●", 0, 50, 45, 1);
    TSeriesSet diagonal;
    FillOptimalWageDiagonal(points, "●", 2, diagonal);
    EXPECT_EQ(pointsOf(diagonal[1]), (std::vector<QPointF>{{20, 20}, {45, 45}}));
    EXPECT_EQ(diagonal[0].count, 2);
    EXPECT_EQ(diagonal[1].name, QStringLiteral("●"));
    for (double x : {20.0, 30.0, 45.0})
        EXPECT_NEAR(EvalSeriesCurve(diagonal[1], 2, 1, x), x, 1e-9);
    EXPECT_NEAR(EvalSeriesCurve(diagonal[1], 2, 1.05, 40), 42, 1e-9);   // a level line 5 % above

    ResetSeriesSet(points);
    FillOptimalWageDiagonal(points, "●", 2, diagonal);
    EXPECT_EQ(diagonal[0].count, 0);
}

TEST(ModelWageComparison, LinesPerKindWithTheChosenColumns)
{
    const QList<TMDCHNGIN_> rows = {
        modelRow("0", 22, 0, 1, 2455, 2800, 600, 40000),
        modelRow("0", 30, 8, 9, 3000, 3400, 800, 49000),
        modelRow("1", 25, 3, 4, 2604, 2900, 700, 42000),
        modelRow("x", 40, 18, 20, 3800, 4200, 900, 60000),   // kind not a number: 0
        modelRow("3", 35, 10, 12, 9999, 9999, 999, 99999),   // kind 3: ignored
        modelRow("2", 0, 0, 0, 0),                           // (0, 0): ignored
    };
    struct Case {
        const char* what;
        int xCode, yCode;
        std::vector<QPointF> line1, line2;
    };
    const Case cases[] = {
        {"age and basic pay: 2,455 → 246", 0, 0, {{22, 246}, {30, 300}, {40, 380}}, {{25, 260}}},
        {"service and scheduled pay", 1, 1, {{0, 280}, {8, 340}, {18, 420}}, {{3, 290}}},
        {"experience and annual income", 2, 2, {{1, 4000}, {9, 4900}, {20, 6000}}, {{4, 4200}}},
        {"experience and bonus", 2, 5, {{1, 60}, {9, 80}, {20, 90}}, {{4, 70}}},
        {"step: model points on the Y axis", 3, 0, {{0, 246}, {0, 300}, {0, 380}}, {{0, 260}}},
        {"項目Ⅰ: model points on the X axis", 0, 3, {{22, 0}, {30, 0}, {40, 0}}, {{25, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TSeriesSet set;
        FillModelWageComparison(rows, c.xCode, c.yCode, 2, set);
        EXPECT_EQ(pointsOf(set[1]), c.line1);
        EXPECT_EQ(pointsOf(set[2]), c.line2);
        EXPECT_EQ(set[3].count, 0);
        EXPECT_EQ(set[4].count, 0);
        EXPECT_EQ(set[0].count, 4);   // in the ranges, wherever they lie
        EXPECT_EQ(set[1].name, QStringLiteral("モデル0"));
    }
    TSeriesSet set;
    FillModelWageComparison(rows, 0, 0, 2, set);
    EXPECT_TRUE(ComparisonPolyline(set[2], nullptr).empty());
    EXPECT_EQ(ComparisonLegendSeries(set), QList<int>{1});

    // The legends name the model compared with, one numbered entry a line.
    const ComparisonMarks marks = ModelWageMarks(QStringLiteral("全国モデル"));
    EXPECT_EQ(marks[0].HANREI, QStringLiteral("全国モデル①"));
    EXPECT_EQ(marks[3].HANREI, QStringLiteral("全国モデル④"));
    EXPECT_EQ(ModelWageMarks(QStringLiteral("  "))[1].HANREI, QStringLiteral("モデル賃金②"));
    EXPECT_EQ(marks[0].KCOLOR, 0x000080u);
    EXPECT_EQ(marks[0].KHABA, 2);
    EXPECT_EQ(marks[2].KCOLOR, 0x0000FFu);   // red, dotted
    EXPECT_EQ(marks[2].KSYURUI, 2);
    EXPECT_TRUE(marks[4].HANREI.isEmpty());
}

TEST(ModelWageComparison, LoadsTheModelFromTheControlDatabase)
{
    RecordedFailures failures;
    TestProgramFolder folder;
    DbConnection& cn = folder.fdm().ACN1;
    Exec(cn, "INSERT INTO MDCHINGIN VALUES (5, 2, 30, 8, 3000, 0, 0, 0, 1, 9)");
    Exec(cn, "INSERT INTO MDCHINGIN VALUES (5, 1, 22, 0, 2455, 0, 0, 0, 1, 1)");
    Exec(cn, "INSERT INTO MDCHINGIN VALUES (5, 3, 40, 18, 3800, 0, 0, 0, 0, 20)");
    Exec(cn, "INSERT INTO MDCHINGIN VALUES (6, 1, 22, 0, 1111, 0, 0, 0, 0, 1)");
    TSeriesSet set;
    ASSERT_TRUE(LoadModelWageComparison(folder.session(), 5, 0, 0, 2, set));
    EXPECT_EQ(pointsOf(set[1]), (std::vector<QPointF>{{40, 380}}));
    EXPECT_EQ(pointsOf(set[2]), (std::vector<QPointF>{{22, 246}, {30, 300}}));
    EXPECT_EQ(set[0].count, 3);
    // The model's name for the legend; a model without a row has none.
    Exec(cn, "INSERT INTO MDEL (MDCO, MDNA) VALUES (5, '全国モデル（大卒）')");
    EXPECT_EQ(ModelName(folder.session(), 5), QStringLiteral("全国モデル（大卒）"));
    EXPECT_EQ(ModelName(folder.session(), 6), QString());
    EXPECT_TRUE(failures.reports.isEmpty());
}

TEST(WageTableGraph, ControlPointsOfTheGrades)
{
    T2JI_ g1, g0, g10, g2;
    g1.TKNO = 1;
    g1.SGOUSU = 1;
    g1.SKIN = 180000;
    g1.C1GOUSU = 20;
    g1.C1KIN = 230000;
    g1.EGOUSU = 40;
    g1.EKIN = 260000;
    g1.KRITSU = 1.0;
    g0 = g1;
    g0.TKNO = 0;
    g10 = g1;
    g10.TKNO = 10;
    g2 = g1;
    g2.TKNO = 2;
    g2.SKIN = 183456;
    g2.KRITSU = 1.02;
    const QList<TDChart_> rows = WageTableGraphPoints(QList<T2JI_>{g0, g1, g10, g2});
    ASSERT_EQ(rows.size(), 6);
    const std::vector<QPointF> expected = {{1, 18}, {20, 23}, {40, 26}, {1, 18.713}, {20, 23.46}, {40, 26.52}};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i].X, expected[i].x());
        EXPECT_DOUBLE_EQ(rows[i].Y, expected[i].y());
        EXPECT_EQ(rows[i].NO, i + 1);
        EXPECT_EQ(rows[i].MKCO, i < 3 ? 1 : 2);
        EXPECT_EQ(rows[i].SCO, i < 3 ? "1" : "2");
        EXPECT_EQ(rows[i].MARKL, rows[i].SCO);
    }

    // The grade's second-order curve passes through its three points; its numeral sits at 39.5.
    TSeriesSet set;
    ResetSeriesSet(set);
    for (const TDChart_& r : rows)
        AddSeriesPoint(set, r.MARKL, 0, r.Y, r.X, r.MKCO);
    FinishSeriesMeans(set);
    FitSeriesSet(set, 2);
    for (const QPointF& p : {QPointF(1, 18), QPointF(20, 23), QPointF(40, 26)})
        EXPECT_NEAR(EvalSeriesCurve(set[1], 2, 1, p.x()), p.y(), 1e-9) << p.x();
    const WageTableCurve curve = WageTableCurveOf(set[1], 2);
    EXPECT_FALSE(curve.startsOnBottom);
    ASSERT_EQ(curve.points.size(), 78u);   // 1, 1.5, ..., 39.5
    EXPECT_EQ(curve.points.front(), QPointF(1, 18));
    EXPECT_EQ(curve.points.back().x(), 39.5);

    // Third order: four control points, and a curve through them.
    T3JI_ c;
    c.TKNO = 3;
    c.SGOUSU = 0;
    c.SKIN = 150000;
    c.C1GOUSU = 10;
    c.C1KIN = 190000;
    c.C2GOUSU = 25;
    c.C2KIN = 230000;
    c.EGOUSU = 50;
    c.EKIN = 250000;
    c.KRITSU = 1.0;
    const QList<TDChart_> cubic = WageTableGraphPoints(QList<T3JI_>{c});
    ASSERT_EQ(cubic.size(), 4);
    EXPECT_EQ(cubic[2].X, 25);
    EXPECT_EQ(cubic[2].Y, 23);
    ResetSeriesSet(set);
    for (const TDChart_& r : cubic)
        AddSeriesPoint(set, r.MARKL, 0, r.Y, r.X, r.MKCO);
    FinishSeriesMeans(set);
    FitSeriesSet(set, 3);
    const WageTableCurve from0 = WageTableCurveOf(set[3], 3);
    EXPECT_TRUE(from0.startsOnBottom);   // step 0: from the bottom edge
    EXPECT_EQ(from0.points.back().x(), 49.5);

}

TEST(WageTableGraph, WritesTheControlPointsToTheChartTable)
{
    RecordedFailures failures;
    TestProgramFolder folder;
    OpenTestProject(folder);
    const Session& s = folder.session();
    DbConnection& cn = folder.fdm().ACN2;
    Exec(cn, "INSERT INTO DCHART VALUES (77, 'old', '', '', 0, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0)");
    Exec(cn, "INSERT INTO MCHINGIN VALUES (1, 2024, 1, 2, 40, 0, 0, 0, '表1', 1, 1, 0, 1, 40)");
    Exec(cn, "INSERT INTO MCHINGIN VALUES (1, 2024, 2, 1, 40, 1, 0, 0, '表2', 2, 0, 2, 1, 40)");
    Exec(cn, "INSERT INTO DKSEN2 VALUES (1, 2024, 1, 2, 1, 200000, 20, 250000, 40, 280000, 1.0)");
    Exec(cn, "INSERT INTO DKSEN2 VALUES (1, 2024, 1, 1, 1, 180000, 20, 230000, 40, 260000, 1.0)");
    Exec(cn, "INSERT INTO DKSEN2 VALUES (1, 2024, 5, 1, 1, 1, 20, 1, 40, 1, 1.0)");   // another table
    Exec(cn, "INSERT INTO DKSEN3 VALUES (1, 2024, 2, 1, 1, 180000, 10, 200000, 20, 230000, 40, 260000, 1.0)");

    // Settings that cannot be written take the points with them: the previous plot stays.
    int kindSeen = -1;
    const WageTableGraphResult refused = WriteWageTableGraphPoints(s, 2, [&](int kind) {
        kindSeen = kind;
        return false;
    });
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(kindSeen, 1);
    EXPECT_EQ(Scalar(cn, "SELECT group_concat(SCO) FROM DCHART"), QStringLiteral("77"));

    const WageTableGraphResult two = WriteWageTableGraphPoints(s, 1, {});
    EXPECT_TRUE(two.ok);
    EXPECT_TRUE(two.outcome.ok);
    EXPECT_FALSE(two.outcome.hasMessage());
    EXPECT_EQ(two.curveKind, 0);
    EXPECT_EQ(two.points, 6);
    EXPECT_EQ(Scalar(cn, "SELECT COUNT(*) FROM DCHART"), QStringLiteral("6"));
    EXPECT_EQ(Scalar(cn, "SELECT group_concat(SCO || ':' || X || ':' || Y || ':' || NO, ' ') FROM (SELECT * FROM DCHART ORDER BY NO)"),
              QStringLiteral("1:1.0:18.0:1 1:20.0:23.0:2 1:40.0:26.0:3 2:1.0:20.0:4 2:20.0:25.0:5 2:40.0:28.0:6"));

    const WageTableGraphResult three = WriteWageTableGraphPoints(s, 2, {});
    EXPECT_TRUE(three.ok);
    EXPECT_EQ(three.curveKind, 1);
    EXPECT_EQ(Scalar(cn, "SELECT COUNT(*) FROM DCHART"), QStringLiteral("4"));
    EXPECT_FALSE(three.outcome.hasMessage());
    EXPECT_TRUE(failures.reports.isEmpty());

    Exec(cn, "INSERT INTO MCHINGIN VALUES (1, 2024, 3, 1, 40, 0, 0, 0, '表3', 3, 3, 0, 1, 40)");
    const WageTableGraphResult none = WriteWageTableGraphPoints(s, 3, {});
    EXPECT_FALSE(none.ok);
    EXPECT_FALSE(none.outcome.ok);
    EXPECT_EQ(none.outcome.text, NoPlotDataMessage);
    EXPECT_EQ(none.outcome.kind, Outcome::Kind::Information);
    EXPECT_EQ(Scalar(cn, "SELECT COUNT(*) FROM DCHART"), QStringLiteral("0"));
}
