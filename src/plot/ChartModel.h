// The chart model of the plot window: opening a chart from MCHART and DCHART into point
// series, marks, graph styles, ranges and fitted curves.
#pragma once

#include "plot/DrawnCurves.h"
#include "plot/PlotLayout.h"
#include "plot/Regression.h"
#include "shell/Session.h"
#include "store/Records.h"

#include <QList>

#include <array>

// A graph style from its MGRAPH row: colour name or number, pen style and width (1 when not
// a number).
PlotPen GraphStyleFromRow(const TGraph_& row);
// Styles 0..3 from the first four MGRAPH rows of the session's year and company; black,
// solid, 1 without a row.
std::array<PlotPen, 4> LoadGraphStyles(const Session& s);

// The marks a chart draws: the project's, or for the wage-table graph the Roman numerals
// Ⅰ … Ⅸ in maroon, size 9, without legend texts.
std::array<TMMARK, 9> ChartMarks(int chartId, const TMMARK (&projectMarks)[9]);

// The four axis ranges with the limits of their up-down buttons.
struct ChartRanges {
    int Xmin = 0, Xmax = 0, Ymin = 0, Ymax = 0;
    int xMinHigh = 0;            // spnXMin: 0 .. Xmax
    int xMaxLow = 0, xMaxHigh = 0;  // spnXMax: Xmin .. trunc(Xmax × 1.5)
    int yMinHigh = 0;            // spnYMin: 0 .. Ymax
    int yMaxLow = 0, yMaxHigh = 0;  // spnYMax: Ymin .. trunc(Ymax × 1.5)
};
// Ranges from the point set (and, for charts 1030, 1040 and 1050, the comparison set).
ChartRanges RangesFor(int chartId, const TSeriesSet& points, const TSeriesSet& comparison, int xPitch, int yPitch);

struct ChartModel {
    int chartId = 0;
    TChart_ settings;
    int fx = 0, fy = 0;
    std::array<TMMARK, 9> marks;
    std::array<PlotPen, 4> styles;
    QList<TDChart_> points;
    TSeriesSet pointSet;
    TSeriesSet comparisonSet;
    std::array<TMMARK, 9> comparisonMarks;
    DrawnSlots drawnSlots;   // chart 1050: the five drawn-curve slots (series 1..5 of the comparison set)
    QString xName, yName, xUnit, yUnit;
    int XPITCH = 0, YPITCH = 0;
    ChartRanges ranges;
    int fontSize = TMMARK().MKSIZE;   // MKSIZE of mark 1 of the project when the chart opened (0 read as 12)

    int curveOrder() const { return CurveOrderOfSetting(settings.FKINJI); }
};

// The mark index 0..8 of a point's MKCO (outside 1..9: mark 1).
int MarkIndexOf(int mkco);

// The comparison set of a chart and the marks its lines are drawn with: the cost-of-living
// lines (1030), the model-wage lines (1040), the drawn curves of the design's X and Y items
// (1050, with their slots), the optimal-wage diagonal (1070) of the session's project; empty
// otherwise.
void LoadComparisonSet(const Session& s, ChartModel& model);

// Opens a chart of the session's project: the company row (the session's ageByToday follows
// its FNK), MCHART, the marks, DCHART ordered by SCO, the series with their means and fits,
// the comparison set, the graph styles, axis names and ranges; mark 1 of the session's
// project takes size 12 when its size is 0. Database errors are reported by the record
// access layer; the model then holds what was read.
ChartModel OpenChart(Session& s, int chartId);

// The plot inputs of a model: ranges as the edits now hold them, points, legend counts, the
// fitted curves of charts 1020 and 1070 with their level lines, the comparison lines with
// their legend (1030 extended flat to Xmax, 1040), the drawn curves of chart 1050 and the
// grade curves of chart 1060; the canvas and legend fonts take the model's fontSize.
PlotInputs PlotInputsFor(const ChartModel& model, int Xmin, int Xmax, int Ymin, int Ymax);
