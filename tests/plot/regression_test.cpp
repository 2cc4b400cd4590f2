// Regression: series statistics, curve fits, curve summary, multiple regression and prediction.
#include "plot/Regression.h"
#include "reference/PrintQString.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

struct Point {
    double x, y;
};

TXYDATA seriesOf(std::initializer_list<Point> points)
{
    TSeriesSet set;
    ResetSeriesSet(set);
    for (const Point& p : points)
        AddSeriesPoint(set, QStringLiteral("A"), 0, p.y, p.x, 1);
    FinishSeriesMeans(set);
    return set[1];
}

} // namespace

TEST(RegressionSeries, AcceptsPointsIntoOverallAndMarkSeries)
{
    TSeriesSet set;
    ResetSeriesSet(set);
    AddSeriesPoint(set, QStringLiteral("●"), 1000, 25, 30, 2);
    AddSeriesPoint(set, QStringLiteral("▲"), -400, 35, 50, 5);
    AddSeriesPoint(set, QStringLiteral("●"), 600, 20, 22, 2);
    AddSeriesPoint(set, QStringLiteral("■"), 1, 0, 0, 3);     // (0, 0): ignored
    AddSeriesPoint(set, QStringLiteral("■"), 1, 10, 10, 10);  // series 10: ignored
    AddSeriesPoint(set, QStringLiteral("■"), 1, 10, 10, 0);   // series 0: ignored
    AddSeriesPoint(set, QStringLiteral("◆"), 0, 12, 0, 7);    // x 0 with y: counted
    FinishSeriesMeans(set);

    const TXYDATA& all = set[0];
    EXPECT_EQ(all.count, 4);
    EXPECT_EQ(all.name, OverallSeriesName);
    EXPECT_DOUBLE_EQ(all.sumX, 102);
    EXPECT_DOUBLE_EQ(all.minX, 0);
    EXPECT_DOUBLE_EQ(all.maxX, 50);
    EXPECT_DOUBLE_EQ(all.minY, 12);
    EXPECT_DOUBLE_EQ(all.maxY, 35);
    EXPECT_DOUBLE_EQ(all.meanX, 25.5);
    EXPECT_DOUBLE_EQ(all.meanY, 23);
    EXPECT_DOUBLE_EQ(all.meanW, 300);
    EXPECT_EQ(all.xs, (std::vector<double>{30, 50, 22, 0}));
    EXPECT_EQ(all.ys, (std::vector<double>{25, 35, 20, 12}));

    const TXYDATA& two = set[2];
    EXPECT_EQ(two.count, 2);
    EXPECT_EQ(two.name, QStringLiteral("●"));
    EXPECT_DOUBLE_EQ(two.minX, 22);
    EXPECT_DOUBLE_EQ(two.maxX, 30);
    EXPECT_DOUBLE_EQ(two.meanY, 22.5);
    EXPECT_DOUBLE_EQ(two.meanW, 800);
    EXPECT_EQ(set[5].count, 1);
    EXPECT_EQ(set[7].count, 1);

    for (int i : {1, 3, 4, 6, 8, 9}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(set[i].count, 0);
        EXPECT_EQ(set[i].meanX, 0);
        EXPECT_EQ(set[i].meanY, 0);
        EXPECT_EQ(set[i].meanW, 0);
    }

    // A reset empties every series for the next plot.
    ResetSeriesSet(set);
    for (const TXYDATA& s : set) {
        EXPECT_EQ(s.count, 0);
        EXPECT_TRUE(s.xs.empty());
        EXPECT_EQ(s.sumW, 0);
        EXPECT_EQ(s.maxY, 0);
    }
}

TEST(RegressionFits, QuadraticByDivisionBasedElimination)
{
    struct Case {
        const char* what;
        TXYDATA series;
        double a0, a1, a2;
    };
    const Case cases[] = {
        {"a straight line", seriesOf({{1, 3}, {2, 5}, {3, 7}}), 1, 2, 0},
        {"an exact parabola 2 + 3x + 0.5x²", seriesOf({{1, 5.5}, {2, 10}, {3, 15.5}, {5, 29.5}, {8, 58}}), 2, 3, 0.5},
        {"one point: the mean", seriesOf({{4, 9}}), 9, 0, 0},
        {"all x equal: the mean", seriesOf({{3, 10}, {3, 14}, {3, 15}}), 13, 0, 0},
        // Sx = 0: the quotients over Sx vanish, so the slope a textbook fit finds (1) is lost.
        {"Sx = 0", seriesOf({{-1, 1}, {0, 2}, {1, 3}}), 2, 0, 0},
        // Sx = Sxx = 0 (y without x): every quotient vanishes, a0 is the mean.
        {"all x zero", seriesOf({{0, 5}, {0, 7}}), 6, 0, 0},
        {"empty", seriesOf({}), 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TXYDATA s = c.series;
        FitSeriesQuadratic(s);
        EXPECT_NEAR(s.a0, c.a0, 1e-9);
        EXPECT_NEAR(s.a1, c.a1, 1e-9);
        EXPECT_NEAR(s.a2, c.a2, 1e-9);
    }
}

TEST(RegressionFits, CubicPassesThroughFourPointsAndFitsAnExactCubic)
{
    const auto rule = [](double x) { return 1 + 2 * x - 0.5 * x * x + 0.1 * x * x * x; };
    for (const std::vector<double>& xs : {std::vector<double>{1, 2, 4, 7}, std::vector<double>{18, 25, 33, 40, 47, 55, 60}}) {
        TSeriesSet set;
        ResetSeriesSet(set);
        for (double x : xs)
            AddSeriesPoint(set, QStringLiteral("A"), 0, rule(x), x, 3);
        FinishSeriesMeans(set);
        FitSeriesSet(set, 3);
        EXPECT_NEAR(set[3].a3, 0.1, 1e-6);
        EXPECT_NEAR(set[3].a2, -0.5, 1e-5);
        for (double x : xs)
            EXPECT_NEAR(EvalSeriesCurve(set[3], 3, 1, x), rule(x), 1e-4) << "x " << x;
        // Series 0 holds the same points and gets the same curve.
        EXPECT_NEAR(set[0].a1, set[3].a1, 1e-9);
    }

    // Four arbitrary points: the cubic through them.
    TXYDATA s = seriesOf({{1, 10}, {3, 2}, {4, 8}, {6, 5}});
    FitSeriesCubic(s);
    for (size_t i = 0; i < s.xs.size(); ++i)
        EXPECT_NEAR(EvalSeriesCurve(s, 3, 1, s.xs[i]), s.ys[i], 1e-6) << "x " << s.xs[i];
}

TEST(RegressionFits, EvaluationRampScaleAndOrder)
{
    TXYDATA ramp;
    ramp.minX = 0;
    ramp.maxX = 10;
    ramp.a0 = 20;
    ramp.a1 = 1;
    TXYDATA plain = ramp;
    plain.minX = 1;
    TXYDATA cubic = plain;
    cubic.a2 = 0.5;
    cubic.a3 = 0.25;

    struct Case {
        const char* what;
        const TXYDATA& series;
        int order;
        double scale, x, value;
    };
    const Case cases[] = {
        {"ramp at 0", ramp, 2, 1, 0, 0},
        {"ramp at maxX carries half the intercept", ramp, 2, 1, 10, 20},
        {"ramp halfway", ramp, 2, 1, 5, 10},
        {"ramp in yen", ramp, 2, 10000, 10, 200000},
        {"no ramp when minX is not 0", plain, 2, 1, 10, 30},
        {"order 2 leaves a3 out", cubic, 2, 1, 2, 20 + 2 + 2},
        {"order 3 adds a3", cubic, 3, 1, 2, 20 + 2 + 2 + 2},
        {"a level line 5 % above", plain, 2, 1.05, 10, 31.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_NEAR(EvalSeriesCurve(c.series, c.order, c.scale, c.x), c.value, 1e-9);
    }

    // Both ends zero (an empty series): no ramp, the plain constant term.
    TXYDATA empty;
    empty.a0 = 3;
    EXPECT_DOUBLE_EQ(EvalSeriesCurve(empty, 2, 1, 0), 3);
}

TEST(RegressionSummary, StartEndAveragePitch)
{
    struct Case {
        const char* what;
        double minX, maxX, a0, a1, a2;
        double endX;   // expected
    };
    // 30 − 0.01·(x − 45)² peaks at 45.
    const Case cases[] = {
        {"peak at 45: ends at the first fall", 20, 60, 9.75, 0.9, -0.01, 46},
        {"always rising: the last step below maxX", 22, 60, 10, 0.5, 0, 59},
        {"always falling: never rose, last step", 20, 40, 50, -0.5, 0, 39},
        {"fractional minX steps by whole units", 22.5, 60, 9.75, 0.9, -0.01, 46},
        {"span of two steps: the second point", 30, 31, 10, 0.5, 0, 31},
        {"span of one step below maxX", 30, 32, 10, 0.5, 0, 31},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TXYDATA s;
        s.minX = c.minX;
        s.maxX = c.maxX;
        s.a0 = c.a0;
        s.a1 = c.a1;
        s.a2 = c.a2;
        s.a3 = 99;   // order 2: never read
        SummariseSeriesCurve(s, 2);
        const auto yen = [&](double x) { return 10000 * (c.a0 + c.a1 * x + c.a2 * x * x); };

        double sum = yen(c.minX) + yen(c.minX + 1);
        int evaluations = 2;
        for (double x = c.minX + 2; x < c.maxX; x += 1, ++evaluations)
            sum += yen(x);
        EXPECT_EQ(s.evalCount, evaluations);
        EXPECT_NEAR(s.evalSum, sum, 1e-6);
        EXPECT_NEAR(s.curveAverage, sum / evaluations, 1e-6);
        EXPECT_DOUBLE_EQ(s.startX, c.minX);
        EXPECT_NEAR(s.startValue, yen(c.minX), 1e-6);
        EXPECT_DOUBLE_EQ(s.endX, c.endX);
        const double endValue = yen(c.endX == std::trunc(c.endX) && c.minX != std::trunc(c.minX) ? c.endX + 0.5 : c.endX);
        EXPECT_NEAR(s.endValue, endValue, 1e-4);
        EXPECT_NEAR(s.pitch, (s.endValue - s.startValue) / (c.endX - c.minX), 1e-6);
    }
}

TEST(RegressionSummary, PeakAt52FromAge22)
{
    // Points from age 22 to 60 on a parabola peaking at 52, fitted and summarised.
    TSeriesSet set;
    ResetSeriesSet(set);
    const auto rule = [](double x) { return 40 - 0.02 * (x - 52) * (x - 52); };
    for (int age = 22; age <= 60; age += 2)
        AddSeriesPoint(set, QStringLiteral("●"), 0, rule(age), age, 1);
    FinishSeriesMeans(set);
    FitSeriesSet(set, 2);
    SummariseSeriesCurve(set[0], 2);
    const TXYDATA& s = set[0];
    EXPECT_EQ(s.endX, 53);
    EXPECT_NEAR(s.pitch, (rule(53) - rule(22)) * 10000 / 31, 1e-3);
    double sum = 0;
    for (int age = 22; age <= 59; ++age)
        sum += rule(age) * 10000;
    EXPECT_EQ(s.evalCount, 38);
    EXPECT_NEAR(s.curveAverage, sum / 38, 1e-3);
}

TEST(RegressionSummary, EmptySeries)
{
    TSeriesSet set;
    ResetSeriesSet(set);
    FinishSeriesMeans(set);
    FitSeriesSet(set, 2);
    SummariseSeriesCurve(set[4], 2);
    EXPECT_EQ(set[4].a0, 0);
    EXPECT_EQ(set[4].a1, 0);
    EXPECT_EQ(set[4].a2, 0);
    EXPECT_EQ(set[4].curveAverage, 0);
    EXPECT_EQ(set[4].pitch, 0);
    EXPECT_EQ(set[4].endX, 1);
}

namespace {

// Observations of p variables and their objective from rows of plain numbers.
void observations(const std::vector<std::vector<double>>& rows, const std::function<double(const std::vector<double>&)>& rule,
                  TRegX& X, TRegY& Y)
{
    X.clear();
    Y.clear();
    for (const auto& r : rows) {
        std::vector<double> row{1.0};
        row.insert(row.end(), r.begin(), r.end());
        X.push_back(row);
        Y.push_back(rule(r));
    }
}

} // namespace

TEST(RegressionMultiple, ExactLinearRuleIsRecovered)
{
    TRegX X;
    TRegY Y;
    observations({{200000, 10, 3}, {220000, 12, 5}, {250000, 20, 2}, {180000, 5, 1}, {300000, 25, 8}, {260000, 14, 4}},
                 [](const std::vector<double>& r) { return 50000 + 1.2 * r[0] + 3000 * r[1] - 1500 * r[2]; }, X, Y);
    TRegX1 c;
    ASSERT_TRUE(SolveMultipleRegression(X, Y, 6, 3, c));
    ASSERT_EQ(c.size(), 4u);
    EXPECT_NEAR(c[0], 50000, 1e-3);
    EXPECT_NEAR(c[1], 1.2, 1e-8);
    EXPECT_NEAR(c[2], 3000, 1e-5);
    EXPECT_NEAR(c[3], -1500, 1e-5);

    TRegAut fit;
    ASSERT_TRUE(JudgeFit(6, 3, RegressionEps, X, Y, c, fit));
    EXPECT_NEAR(fit.R, 1, 1e-9);
    EXPECT_NEAR(fit.R2, 1, 1e-9);
    EXPECT_NEAR(fit.adjustedR2, 1, 1e-9);
    EXPECT_GT(fit.sst, 0);
    EXPECT_NEAR(fit.sse, 0, 1e-3);
    EXPECT_EQ(fit.verdict, VerdictVeryGood);

    EXPECT_EQ(PredictValue(X[0], c), Y[0]);
}

TEST(RegressionMultiple, NoisyFitSumsAndAdjustedR2)
{
    TRegX X{{1, 1}, {1, 2}, {1, 3}, {1, 4}};
    TRegY Y{2, 3, 5, 4};
    TRegX1 c;
    ASSERT_TRUE(SolveMultipleRegression(X, Y, 4, 1, c));
    EXPECT_NEAR(c[0], 1.5, 1e-12);
    EXPECT_NEAR(c[1], 0.8, 1e-12);
    TRegAut fit;
    ASSERT_TRUE(JudgeFit(4, 1, RegressionEps, X, Y, c, fit));
    EXPECT_NEAR(fit.sst, 5, 1e-12);
    EXPECT_NEAR(fit.sse, 1.8, 1e-12);
    EXPECT_NEAR(fit.R2, 0.64, 1e-12);
    EXPECT_NEAR(fit.R, 0.8, 1e-12);
    EXPECT_NEAR(fit.adjustedR2, 1 - 0.36 * 3 / 2, 1e-12);
    EXPECT_EQ(fit.verdict, VerdictFairlyGood);
}

TEST(RegressionMultiple, FailuresLeaveCoefficientsAndVerdict)
{
    // Two identical columns: singular.
    TRegX X;
    TRegY Y;
    observations({{1, 1}, {2, 2}, {3, 3}, {5, 5}}, [](const std::vector<double>& r) { return 10 + r[0]; }, X, Y);
    TRegX1 c{7, 8, 9};
    EXPECT_FALSE(SolveMultipleRegression(X, Y, 4, 2, c));
    EXPECT_EQ(c, (TRegX1{7, 8, 9}));

    // Fewer observations or values than announced: refused, nothing read past the end.
    EXPECT_FALSE(SolveMultipleRegression(X, Y, 5, 2, c));
    EXPECT_FALSE(SolveMultipleRegression(X, Y, 4, 3, c));
    TRegAut refused;
    EXPECT_FALSE(JudgeFit(4, 2, RegressionEps, X, Y, TRegX1{1}, refused));
    EXPECT_EQ(c, (TRegX1{7, 8, 9}));

    // n = p + 1: solved exactly, judged without adjusted R² or verdict.
    observations({{1, 4}, {2, 1}, {4, 3}}, [](const std::vector<double>& r) { return 3 + r[0] - r[1] + (r[0] == 2 ? 0.5 : 0); }, X, Y);
    ASSERT_TRUE(SolveMultipleRegression(X, Y, 3, 2, c));
    TRegAut fit;
    EXPECT_FALSE(JudgeFit(3, 2, RegressionEps, X, Y, c, fit));
    EXPECT_NEAR(fit.R2, 1, 1e-9);
    EXPECT_NEAR(fit.R, 1, 1e-9);
    EXPECT_EQ(fit.adjustedR2, 0);
    EXPECT_TRUE(fit.verdict.isEmpty());

    // The same objective for everybody: no spread to explain.
    TRegX flatX{{1, 1}, {1, 2}, {1, 3}};
    TRegY flatY{5, 5, 5};
    ASSERT_TRUE(SolveMultipleRegression(flatX, flatY, 3, 1, c));
    EXPECT_FALSE(JudgeFit(3, 1, RegressionEps, flatX, flatY, c, fit));
    EXPECT_EQ(fit.R, 0);
    EXPECT_EQ(fit.R2, 0);
    EXPECT_EQ(fit.sst, 0);
    EXPECT_TRUE(fit.verdict.isEmpty());
}

TEST(RegressionMultiple, VerdictThresholds)
{
    struct Case {
        double R2, R;
        QString verdict;
    };
    const Case cases[] = {
        {0.85, 0.92, VerdictVeryGood},
        {0.8, 0.9, VerdictVeryGood},
        {0.79, 0.89, VerdictFairlyGood},
        {0.81, 0.89, VerdictFairlyGood},
        {0.5, 0.7, VerdictFairlyGood},
        {0.49, 0.7, VerdictNotGood},
        {0.6, 0.69, VerdictNotGood},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VerdictOf(c.R2, c.R), c.verdict) << c.R2 << " " << c.R;
}

TEST(RegressionMultiple, PredictionRoundsHalfToEven)
{
    struct Case {
        TRegX1 c;
        std::vector<double> row;
        double value;
    };
    const Case cases[] = {
        {{0.5, 1}, {1, 2}, 2},      // 2.5
        {{1.5, 1}, {1, 2}, 4},      // 3.5
        {{-0.5, -1}, {1, 2}, -2},   // -2.5
        {{100, 2, 3}, {1, 10, 1.2}, 124},   // 123.6
        {{0.25, 0.125}, {1, 2}, 0},   // 0.5
    };
    for (const Case& c : cases)
        EXPECT_EQ(PredictValue(c.row, c.c), c.value);
}
