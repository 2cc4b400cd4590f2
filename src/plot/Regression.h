// Regression: point series statistics, raise-curve fits and their summary, multiple regression.
#pragma once

#include <QString>

#include <array>
#include <vector>

// One point series: statistics, fitted coefficients and the curve summary.
struct TXYDATA {
    int count = 0;          // accepted points
    double sumX = 0;
    double minX = 0, maxX = 0;
    double meanX = 0;       // sumX ÷ count (0 for an empty series)
    double sumY = 0;
    double minY = 0, maxY = 0;
    double meanY = 0;
    double sumW = 0;        // Σ of the per-point auxiliary value (the residual on the optimal-wage axis)
    double meanW = 0;
    int evalCount = 0;      // curve evaluations made by the curve summary
    double evalSum = 0;     // their sum, in yen
    double curveAverage = 0;
    double startX = 0;      // where the curve summary starts (minX)
    double endX = 0;        // where it ends: first fall after a rise, or the last step below maxX
    double startValue = 0;  // curve value at startX, yen
    double endValue = 0;    // curve value at endX, yen
    double pitch = 0;       // average raise per unit of x, yen
    QString name;           // "全体" for series 0, else the mark symbol or comparison name
    double a0 = 0, a1 = 0, a2 = 0, a3 = 0;   // f(x) = a0 + a1·x + a2·x² + a3·x³ (a3 cubic only)
    std::vector<double> xs, ys;              // accepted points in the order added
};

// Ten series: 0 = all points ("全体"), 1..9 = plot marks (or comparison lines) 1..9.
using TSeriesSet = std::array<TXYDATA, 10>;

inline const QString OverallSeriesName = QStringLiteral("全体");

// The curve order (2 or 3) of the chart setting FKINJI: 1 = third order, otherwise second.
int CurveOrderOfSetting(int fkinji);

// Empties all ten series: counts, sums, extremes and means 0, no points.
void ResetSeriesSet(TSeriesSet& set);
// Counts the point into series 0 and series seriesIndex; ignored when x and y are both 0
// or seriesIndex is outside 1..9. name names series seriesIndex when it gets its first point.
void AddSeriesPoint(TSeriesSet& set, const QString& name, double w, double y, double x, int seriesIndex);
// meanX, meanY and meanW of all ten series (0 for an empty series).
void FinishSeriesMeans(TSeriesSet& set);
// a0..a2 by the division-based elimination of the normal equations (a3 untouched).
void FitSeriesQuadratic(TXYDATA& series);
// a0..a3 likewise, third order.
void FitSeriesCubic(TXYDATA& series);
// Fits every series of the set, empty ones included, with order 2 or 3.
void FitSeriesSet(TSeriesSet& set, int order);
// scale × f(x); when minX is exactly 0 and maxX is not, the constant term becomes a ramp
// a0·x / maxX / 2 so the curve starts at 0. order 3 adds the a3 term.
double EvalSeriesCurve(const TXYDATA& series, int order, double scale, double x);
// Fills evalCount .. pitch: the curve in yen (scale 10000) at whole steps from minX below maxX.
void SummariseSeriesCurve(TXYDATA& series, int order);

// Multiple regression.
using TRegX = std::vector<std::vector<double>>;   // per observation: 1.0, then the p explanatory values
using TRegY = std::vector<double>;                // objective value per observation
using TRegX1 = std::vector<double>;               // coefficients: 0 = intercept, j = variable j
using TRegName = std::vector<QString>;            // 0 = objective, 1..p = explanatory variables

struct TRegAut {
    double R = 0;
    double R2 = 0;
    double adjustedR2 = 0;
    double sst = 0;   // total sum of squares
    double sse = 0;   // residual sum of squares
    QString verdict;  // empty when the fit could not be judged
};

inline constexpr double RegressionEps = 1e-10;

inline const QString VerdictVeryGood = QStringLiteral("分析精度の判定 →　非常に良い");
inline const QString VerdictFairlyGood = QStringLiteral("分析精度の判定 →　やや良い");
inline const QString VerdictNotGood = QStringLiteral("分析精度の判定 →　良くない");

// Normal equations solved by Gauss-Jordan elimination with partial pivoting over n observations
// of p variables. False (coefficients unchanged) when a pivot is below RegressionEps.
bool SolveMultipleRegression(const TRegX& X, const TRegY& Y, int n, int p, TRegX1& coefficients);
// R, R², adjusted R², sums of squares and the verdict. False when the spread of Y is below eps
// or n − p < 2; the fields not reached then stay 0 and the verdict stays empty.
bool JudgeFit(int n, int p, double eps, const TRegX& X, const TRegY& Y, const TRegX1& coefficients,
              TRegAut& result);
// The verdict text for R² and R.
QString VerdictOf(double R2, double R);
// c0 + Σ cj·row[j] (row[0] is the constant 1 and is not read), rounded half to even.
double PredictValue(const std::vector<double>& row, const TRegX1& coefficients);
