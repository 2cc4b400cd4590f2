// Regression: point series statistics, raise-curve fits and their summary, multiple regression.
#include "plot/Regression.h"

#include "store/Conversions.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

int CurveOrderOfSetting(int fkinji)
{
    return fkinji == 1 ? 3 : 2;
}

void ResetSeriesSet(TSeriesSet& set)
{
    for (TXYDATA& s : set) {
        s.count = 0;
        s.sumX = s.minX = s.maxX = s.meanX = 0;
        s.sumY = s.minY = s.maxY = s.meanY = 0;
        s.sumW = 0;
        s.xs.clear();
        s.ys.clear();
    }
}

namespace {

void addTo(TXYDATA& s, const QString& name, double w, double y, double x)
{
    if (s.count == 0) {
        s.minX = s.maxX = x;
        s.minY = s.maxY = y;
        s.name = name;
    }
    s.sumX += x;
    s.minX = std::min(x, s.minX);
    s.maxX = std::max(x, s.maxX);
    s.sumY += y;
    s.minY = std::min(y, s.minY);
    s.maxY = std::max(y, s.maxY);
    s.sumW += w;
    s.xs.push_back(x);
    s.ys.push_back(y);
    s.count += 1;
}

// The power sums of one series, in extended precision.
struct Sums {
    long double n = 0, x = 0, y = 0, xx = 0, x3 = 0, x4 = 0, x5 = 0, x6 = 0, xy = 0, x2y = 0, x3y = 0;
};

Sums sumsOf(const TXYDATA& s)
{
    Sums S;
    S.n = s.count;
    const size_t points = std::min(s.xs.size(), s.ys.size());
    for (size_t i = 0; i < points; ++i) {
        const long double x = s.xs[i], y = s.ys[i];
        const long double x2 = x * x, x3 = x2 * x;
        S.x += x;
        S.y += y;
        S.xx += x2;
        S.x3 += x3;
        S.x4 += x2 * x2;
        S.x5 += x3 * x2;
        S.x6 += x3 * x3;
        S.xy += x * y;
        S.x2y += x2 * y;
        S.x3y += x3 * y;
    }
    return S;
}

// f(x) rounded half to even to a 64-bit count of 10⁻⁴ yen.
std::int64_t tenThousandths(double value)
{
    return std::llrint(value * 1e4);
}

} // namespace

void AddSeriesPoint(TSeriesSet& set, const QString& name, double w, double y, double x, int seriesIndex)
{
    if (x == 0 && y == 0)
        return;
    if (seriesIndex < 1 || seriesIndex > 9)
        return;
    addTo(set[0], OverallSeriesName, w, y, x);
    addTo(set[seriesIndex], name, w, y, x);
}

void FinishSeriesMeans(TSeriesSet& set)
{
    for (TXYDATA& s : set) {
        s.meanX = SafeDivide(s.sumX, s.count);
        s.meanY = SafeDivide(s.sumY, s.count);
        s.meanW = SafeDivide(s.sumW, s.count);
    }
}

void FitSeriesQuadratic(TXYDATA& series)
{
    const Sums S = sumsOf(series);
    const double e = SafeDivide(S.xy, S.x), f = SafeDivide(S.y, S.n), g = SafeDivide(S.xx, S.x);
    const double h = SafeDivide(S.x, S.n), l = SafeDivide(S.x3, S.x), m = SafeDivide(S.xx, S.n);
    const double o = SafeDivide(S.x2y, S.xx), u = SafeDivide(S.x3, S.xx), w = SafeDivide(S.x4, S.xx);
    const double P1 = SafeDivide(e - f, g - h);
    const double Q1 = SafeDivide(l - m, g - h);
    const double P2 = SafeDivide(o - f, u - h);
    const double Q2 = SafeDivide(w - m, u - h);
    const double a2 = SafeDivide(P1 - P2, Q1 - Q2);
    const double a1 = P1 - Q1 * a2;
    series.a2 = a2;
    series.a1 = a1;
    series.a0 = S.n != 0 ? double((S.y - a1 * S.x - a2 * S.xx) / S.n) : 0.0;
}

void FitSeriesCubic(TXYDATA& series)
{
    const Sums S = sumsOf(series);
    const long double n = S.n;
    const auto q = SafeDivideExtended;
    const long double D1 = n * S.xx - S.x * S.x;
    const long double D2 = n * S.x3 - S.x * S.xx;
    const long double D3 = n * S.x4 - S.x * S.x3;
    const long double m = q(n * S.xy - S.x * S.y, D1);
    const long double t = q(n * S.x3 - S.x * S.xx, D1);
    const long double v = q(n * S.x4 - S.x * S.x3, D1);
    const long double J = q(n * S.x2y - S.y * S.xx, D2);
    const long double L = q(n * S.x4 - S.xx * S.xx, D2);
    const long double P = q(n * S.x5 - S.xx * S.x3, D2);
    const long double Sq = q(n * S.x3y - S.y * S.x3, D3);
    const long double W = q(n * S.x5 - S.xx * S.x3, D3);
    const long double Y = q(n * S.x6 - S.x3 * S.x3, D3);
    const long double B = q(J - m, L - t);
    const long double Z = q(P - v, L - t);
    const long double A = q(Sq - m, W - t);
    const long double a3 = q(A - B, q(Y - v, W - t) - Z);
    const long double a2 = B - Z * a3;
    const long double a1 = m - t * a2 - v * a3;
    series.a3 = double(a3);
    series.a2 = double(a2);
    series.a1 = double(a1);
    series.a0 = n != 0 ? double((S.y - a1 * S.x - a2 * S.xx - a3 * S.x3) / n) : 0.0;
}

void FitSeriesSet(TSeriesSet& set, int order)
{
    for (TXYDATA& s : set) {
        if (order == 3)
            FitSeriesCubic(s);
        else
            FitSeriesQuadratic(s);
    }
}

double EvalSeriesCurve(const TXYDATA& series, int order, double scale, double x)
{
    double base;
    if (series.minX == 0 && series.maxX != 0)
        base = series.a0 * x / series.maxX / 2 + series.a1 * x;
    else
        base = series.a1 * x + series.a0;
    double value = base + series.a2 * x * x;
    if (order == 3)
        value += series.a3 * x * x * x;
    return scale * value;
}

void SummariseSeriesCurve(TXYDATA& series, int order)
{
    auto f = [&](double x) { return EvalSeriesCurve(series, order, 10000, x); };
    series.evalCount = 0;
    series.evalSum = 0;
    series.curveAverage = series.startX = series.endX = 0;
    series.startValue = series.endValue = series.pitch = 0;
    int state = 0;   // 0 not yet rising, 1 rising, 2 fallen after rising

    double x = series.minX;
    double value = f(x);
    series.evalCount += 1;
    series.evalSum += value;
    series.startX = x;
    series.startValue = value;

    x = x + 1;
    value = f(x);
    series.evalCount += 1;
    series.evalSum += value;
    std::int64_t previous = tenThousandths(value);
    if (double(previous) > series.startValue * 1e4)
        state = 1;
    // A span of fewer than three steps ends at this second point.
    std::int64_t current = previous;
    double currentX = x;

    for (;;) {
        const double next = x + 1;
        // x + 1 == x only for magnitudes no series of pay or ages reaches; it would never end.
        if (!(next < series.maxX) || next == x)
            break;
        x = next;
        value = f(x);
        series.evalCount += 1;
        series.evalSum += value;
        if (state < 2) {
            current = tenThousandths(value);
            currentX = std::trunc(x);
        }
        if (state == 0 && current > previous)
            state = 1;
        else if (state == 1 && current < previous)
            state = 2;
        previous = current;
    }

    series.endX = currentX;
    series.endValue = double(current) / 1e4;
    series.curveAverage = SafeDivide(series.evalSum, series.evalCount);
    series.pitch = SafeDivide(series.endValue - series.startValue, series.endX - series.startX);
}

namespace {

// n observations of p variables are really there (rows of 1 + p values).
bool observationsFit(const TRegX& X, const TRegY& Y, int n, int p)
{
    if (n < 0 || p < 0 || int(X.size()) < n || int(Y.size()) < n)
        return false;
    for (int k = 0; k < n; ++k)
        if (int(X[k].size()) < p + 1)
            return false;
    return true;
}

} // namespace

bool SolveMultipleRegression(const TRegX& X, const TRegY& Y, int n, int p, TRegX1& coefficients)
{
    if (!observationsFit(X, Y, n, p))
        return false;
    const int size = p + 1;
    std::vector<std::vector<double>> M(size, std::vector<double>(size + 1, 0.0));
    for (int i = 0; i < size; ++i) {
        for (int j = 0; j < size; ++j) {
            long double sum = 0;
            for (int k = 0; k < n; ++k)
                sum += (long double)X[k][i] * X[k][j];
            M[i][j] = double(sum);
        }
        long double sum = 0;
        for (int k = 0; k < n; ++k)
            sum += (long double)X[k][i] * Y[k];
        M[i][size] = double(sum);
    }

    for (int i = 0; i < size; ++i) {
        int h = i;
        double largest = std::fabs(M[i][i]);
        for (int row = i + 1; row < size; ++row) {
            if (std::fabs(M[row][i]) > largest) {
                largest = std::fabs(M[row][i]);
                h = row;
            }
        }
        if (largest < RegressionEps)
            return false;
        if (h != i)
            for (int c = i; c <= size; ++c)
                std::swap(M[i][c], M[h][c]);
        for (int c = i + 1; c <= size; ++c)
            M[i][c] /= M[i][i];
        for (int r = 0; r < size; ++r) {
            if (r == i)
                continue;
            for (int c = i + 1; c <= size; ++c)
                M[r][c] -= M[r][i] * M[i][c];
        }
    }

    coefficients.assign(size, 0.0);
    for (int i = 0; i < size; ++i)
        coefficients[i] = M[i][size];
    return true;
}

QString VerdictOf(double R2, double R)
{
    if (R2 >= 0.8 && R >= 0.9)
        return VerdictVeryGood;
    if (R2 >= 0.5 && R >= 0.7)
        return VerdictFairlyGood;
    return VerdictNotGood;
}

bool JudgeFit(int n, int p, double eps, const TRegX& X, const TRegY& Y, const TRegX1& coefficients,
              TRegAut& result)
{
    result = TRegAut{};
    if (n <= 0 || !observationsFit(X, Y, n, p) || int(coefficients.size()) < p + 1)
        return false;
    long double sumY = 0;
    for (int k = 0; k < n; ++k)
        sumY += Y[k];
    const long double mean = sumY / n;
    long double sst = 0, sse = 0;
    for (int k = 0; k < n; ++k) {
        long double fitted = coefficients[0];
        for (int j = 1; j <= p; ++j)
            fitted += (long double)coefficients[j] * X[k][j];
        sst += (Y[k] - mean) * (Y[k] - mean);
        sse += (Y[k] - fitted) * (Y[k] - fitted);
    }
    result.sst = double(sst);
    result.sse = double(sse);
    if (result.sst < eps)
        return false;
    result.R2 = 1 - result.sse / result.sst;
    result.R = std::sqrt(std::fabs(result.R2));
    if (n - p < 2)
        return false;
    result.adjustedR2 = 1 - (result.sse / result.sst) * (n - 1) / (n - p - 1);
    result.verdict = VerdictOf(result.R2, result.R);
    return true;
}

double PredictValue(const std::vector<double>& row, const TRegX1& coefficients)
{
    if (coefficients.empty())
        return 0;
    long double sum = coefficients[0];
    for (size_t j = 1; j < coefficients.size() && j < row.size(); ++j)
        sum += (long double)coefficients[j] * row[j];
    return double(std::nearbyint(sum));
}
