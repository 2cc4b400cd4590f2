// Comparison lines of the plots: cost of living, model wages, and the wage-table graph's
// curve control points.
#pragma once

#include "plot/PlotSetup.h"
#include "plot/Regression.h"
#include "core/Outcome.h"
#include "shell/Session.h"
#include "store/Records.h"

#include <QList>
#include <QPointF>

#include <array>
#include <functional>
#include <vector>

// Pens and legends of the comparison lines 1..9: HANREI the legend, MKCOLOR the legend's font
// colour, KCOLOR/KSYURUI/KHABA the pen (colours 00BBGGRR; style codes 0 solid, 1 dash, 2 dot,
// 3 dash-dot), MKSIZE the font size.
using ComparisonMarks = std::array<TMMARK, 9>;

inline const QString NoCostOfLivingCodeMessage =
    QStringLiteral("企業マスター　に、生計費コード　がセットされていません。");
inline const QString NoModelCodeMessage = QStringLiteral("企業マスター　に、モデルコード　がセットされていません。");

// ---- cost of living (chart 1030)

// Legends 標準生計費, 愉楽率, 最低率, 単身率; lines 5..9 without legend.
ComparisonMarks CostOfLivingMarks();
// The four lines from cost-of-living rows in the order given (age 0 skipped, zero values not
// added), then means and fits of all ten series with the curve order (2 or 3).
void FillCostOfLivingComparison(const QList<TSEIKEI_>& rows, int order, TSeriesSet& set);
// Reads the rows of the cost-of-living code from the session's project database and fills
// the set. false when the rows could not be read (the set is then empty).
bool LoadCostOfLivingComparison(const Session& s, int costCode, int order, TSeriesSet& set);

// The source of a cost-of-living table (DEDOKORO, TCHIIKI, CJITEN of its first row, in the
// loader's order). false when the table has no row or could not be read.
bool CostOfLivingSource(const Session& s, int costCode, TSEIKEI_& first);

// ---- model wages (chart 1040)

// The legends name the model the chart compares with: its name followed by ① .. ④ for the
// lines of SENSYU 0 .. 3 (モデル賃金 when the model has no name); lines 5..9 without legend.
inline const QString DefaultModelLegend = QStringLiteral("モデル賃金");
ComparisonMarks ModelWageMarks(const QString& modelName);
// The name (MDNA) of a model in the session's control database, '' when it has none.
QString ModelName(const Session& s, int modelCode);
// Lines of SENSYU 0, 1, 2 (series 1..3) from model-wage rows in the order given: x the model
// column of X item xCode (0 age, 1 service, 2 experience, others 0), y the column of Y item
// yCode (0 KKIN, 1 SKIN, 2 NENSYU, 5 SYOUYO, others 0) in 万円 (thousands ÷ 10, half away).
void FillModelWageComparison(const QList<TMDCHNGIN_>& rows, int xCode, int yCode, int order, TSeriesSet& set);
// Reads the model's rows from the session's control database and fills the set.
bool LoadModelWageComparison(const Session& s, int modelCode, int xCode, int yCode, int order, TSeriesSet& set);

// ---- optimal wage (chart 1070)

// Series 1 of the comparison set through (minX, minX) and (maxX, maxX) of series 0 of the
// point set: the diagonal where actual pay equals the optimal wage, fitted with the order.
void FillOptimalWageDiagonal(const TSeriesSet& points, const QString& name, int order, TSeriesSet& comparison);

// ---- drawing data shared by the comparison lines

// The line of a comparison series in data units: its points in the order added and, when
// extendTo is given and lies right of the last point, the flat continuation to it. Empty for
// a series of fewer than two points (nothing is drawn).
std::vector<QPointF> ComparisonPolyline(const TXYDATA& series, const double* extendTo);
// The comparison series 1..9 that get a legend entry (at least two points), in order.
QList<int> ComparisonLegendSeries(const TSeriesSet& set);

// ---- wage-table graph (chart 1060)

// One DCHART row per control point of the grades 1..9 (start, middle(s), end): SCO and MARKL
// the grade, MKCO the grade, X the step, Y amount × KRITSU ÷ 10000 to three decimals; NO runs
// over all rows.
QList<TDChart_> WageTableGraphPoints(const QList<T2JI_>& quadratic);
QList<TDChart_> WageTableGraphPoints(const QList<T3JI_>& cubic);

// The points of a wage table's curves written to DCHART (emptied first), together with
// the set-up's settings, in one transaction.
struct WageTableGraphResult {
    bool ok = false;       // written, with at least one point
    int curveKind = 0;     // KSENTAKUF of the table: 1 third order, otherwise second
    int points = 0;
    Outcome outcome;       // the message to show (none when written, nor after a reported failure)
};
// Reads the wage table's header (its curve kind) and its curve rows from the session's
// project, then in one transaction empties DCHART, inserts the points and runs
// saveSettings(curveKind) (which writes with ownTransaction false): the points and the
// settings are stored together or not at all. No curve row: DCHART is left empty, the
// settings are saved nevertheless, and the outcome is NoPlotDataMessage with ok false.
WageTableGraphResult WriteWageTableGraphPoints(const Session& s, int wageTableCode,
                                               const std::function<bool(int curveKind)>& saveSettings);

// A grade's curve in data units: starts at (minX, f(minX)) — on the bottom edge when minX is
// 0 — then every half step while x < maxX. label is where the Roman numeral goes (last point).
struct WageTableCurve {
    bool startsOnBottom = false;
    std::vector<QPointF> points;
};
WageTableCurve WageTableCurveOf(const TXYDATA& series, int order);
