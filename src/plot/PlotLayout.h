// The plot window's layout arithmetic: every pixel position of axes, scale, points,
// legend and fitted curves, computed from plain inputs; the painter only draws it.
#pragma once

#include "shell/Session.h"
#include "core/Colors.h"

#include <QList>
#include <QPointF>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <functional>
#include <vector>

// Chart ids: the numbers of the set-up screens.
enum ChartId {
    ChartWagePlot = 1010,
    ChartRaiseCurve = 1020,
    ChartCostOfLiving = 1030,
    ChartModelWage = 1040,
    ChartCurveDesign = 1050,
    ChartWageTableGraph = 1060,
    ChartOptimalWage = 1070,
};

// A pen: colour 00BBGGRR, style 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none.
struct PlotPen {
    TColor color = 0;
    int style = 0;
    int width = 1;
    bool operator==(const PlotPen&) const = default;
};
inline constexpr int PenSolid = 0;
inline constexpr int PenDot = 2;
inline constexpr int PenDashDot = 3;

// Text measures of the canvas font at a point size (the layout is tested with fixed ones).
struct TextMeasure {
    std::function<int(const QString& text, int pointSize)> width;
    std::function<int(const QString& text, int pointSize)> height;
};
// Point sizes become pixel sizes at 96 dots per inch, on screen, clipboard and image alike.
int FontPixelSize(int pointSize);

// A point of the chart as the layout needs it.
struct PlotPointInput {
    double x = 0;
    double y = 0;
    int mark = 0;        // 0..8: the mark whose symbol is drawn
    QString label;       // MARKL, written above the point
};

// A fitted curve to draw: sampled from minX to maxX through value (scale included).
struct PlotCurveInput {
    double minX = 0;
    double maxX = 0;
    std::function<double(double x)> value;
    PlotPen pen;
};

// A line through given points in data units (comparison lines, the wage-table graph's
// grade curves), with an optional label beside its last point.
struct PlotPolylineInput {
    std::vector<QPointF> points;
    PlotPen pen;
    bool startsOnBottom = false;   // the first point sits on the bottom edge of the plot area
    QString label;                 // written 10 pixels right of and above the last point
    TColor labelColor = 0;
    int labelSize = 9;
};
// An entry of the comparison legend: text in its colour and size, a sample of the pen. The
// text starts this far right of the Y axis's right end, and the sample ends the gap before it.
inline constexpr int ComparisonLegendTextOffset = 50;
inline constexpr int ComparisonLegendSampleGap = 8;
// An entry of the comparison legend: text in its colour and size, a sample of the pen.
struct PlotLegendEntry {
    QString text;
    TColor color = 0;
    int size = 9;
    PlotPen pen;
};

// A hand-drawn curve of the raise-curve design (chart 1050): "＋" marks at its points, its
// number beside the last point, a legend line and a polyline through the points.
struct PlotDrawnCurveInput {
    int number = 0;                 // 1..5
    std::vector<QPointF> points;    // data units, in stored order
    bool startsOnBottom = false;    // the series' minX is 0: the line rises from the bottom edge
    PlotPen pen;                    // a width of 0 is drawn as 1
    QString legend;                 // HANREI
};

struct PlotInputs {
    int chartId = ChartWagePlot;
    int Xmin = 0, Xmax = 0, Ymin = 0, Ymax = 0;
    int XPITCH = 0, YPITCH = 0;
    QString xName, yName, xUnit, yUnit;   // names with "　" already removed
    double meanX = 0, meanY = 0;          // series 0 of the point set
    std::array<PlotPen, 4> styles;        // axes, ticks and numbers, grid, mean lines
    std::array<TMMARK, 9> marks;          // the marks drawn (chart 1060: Roman numerals)
    int baseFontSize = 12;                // MKSIZE of mark 1 of the open project (0 read as 12)
    int legendFontSize = 12;              // the same mark's size for the legend
    std::array<int, 10> seriesCount{};    // points per series of the point set (0 = all)
    bool drawPoints = true;               // points and legend
    QList<PlotPointInput> points;
    QList<PlotCurveInput> curves;
    QList<PlotPolylineInput> polylines;         // drawn after the points and the legend
    QList<PlotLegendEntry> comparisonLegend;    // from 200 pixels below the top of the Y axis
    QList<PlotDrawnCurveInput> drawnCurves;     // chart 1050, after everything else
    QList<QPoint> captured;                     // pixels clicked for a new drawn curve
};

struct PlacedLine {
    QPoint from, to;
    PlotPen pen;
};
struct PlacedText {
    QPoint topLeft;
    QString text;
    TColor color = 0;
    int size = 12;
};
// A point's marker: its symbol with the top-left corner at a place; the rectangle is the
// area a click hits.
struct PlacedMarker {
    int point = 0;       // index into PlotInputs::points
    QPoint topLeft;
    QRect hitArea;
    QString symbol;
    TColor color = 0;
    int size = 9;
};
struct PlacedCircle {
    QPoint centre;
    int radius = 5;
    PlotPen pen;
};
struct PlacedCurve {
    PlotPen pen;
    QList<QList<QPoint>> polylines;   // connected drawn segments
    int samples = 0;
};

struct PlotLayout {
    QSize window;
    int panel = 0;
    int right = 0, top = 0, bottom = 0;
    int originX = 0, originY = 0, axisTop = 0, axisRight = 0;
    int plotLeft = 0, plotWidth = 0, plotBottom = 0, plotHeight = 0;
    int Xmin = 0, Xmax = 0, Ymin = 0, Ymax = 0;
    QList<PlacedLine> lines;      // axes, ticks, grid, mean lines in drawing order
    QList<PlacedText> texts;      // numbers, units, names, point labels, legend
    QList<PlacedMarker> markers;
    QList<PlacedCurve> curves;
    QList<PlacedCircle> circles;  // the captured points, drawn last

    int px(double x) const;
    int py(double y) const;
    // Where values are drawn: right of the Y axis (its break), below the top of the axes and
    // above the X axis (its break). Points outside it are not placed; curves are cut to it.
    QRect dataArea() const;
};

// Lays the plot out in a window of the given size with the left panel's width.
PlotLayout LayOutPlot(const PlotInputs& in, QSize window, int panelWidth, const TextMeasure& measure);

// The point whose marker area holds the position (the topmost, i.e. the last painted),
// widened by radius pixels on each side; -1 when none.
int PointAt(const PlotLayout& layout, QPoint position, int radius = 0);

// Axis range from the lowest and highest value and the pitch: trunc(low ÷ pitch)·pitch ..
// trunc(high ÷ pitch + 0.9999)·pitch (÷ = SafeDivide).
struct AxisRange {
    int low = 0;
    int high = 0;
};
AxisRange RangeForValues(double low, double high, int pitch);

// A range typed into one of the four edits: not an integer → "数値を入力してください。" and
// the value in force comes back; outside low..high → "入力範囲外です。" + low + " ～ " + high +
// "の値を入力して下さい。" and the edit shows low; else the value is taken.
struct RangeEntry {
    bool ok = true;
    QString message;
    QString text;    // what the edit shows afterwards
    int value = 0;   // the value taken when ok
};
RangeEntry CheckRangeEntry(const QString& typed, int low, int high, int inForce);
// A lower bound must stay below its upper bound: '' when lower < upper, else the refusal
// naming the axis ("X" or "Y").
QString RangeOrderProblem(const QString& axis, int lower, int upper);
