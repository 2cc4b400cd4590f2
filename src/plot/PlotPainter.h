// Drawing a plot layout with QPainter (screen, clipboard image, printer and benchmark alike).
#pragma once

#include "plot/PlotLayout.h"

#include <QImage>

class QPainter;
struct ChartModel;

// The family every plot text is drawn in.
inline const QString PlotFontFamily = QStringLiteral("Noto Sans CJK JP");

// Text measures of the plot font (needs a running GUI application).
TextMeasure QtTextMeasure();

// Draws what the layout holds: lines, texts, curves, then the point markers on top.
void PaintPlot(QPainter& painter, const PlotLayout& layout);

// The width of the plot window's left panel; the layout keeps room for it on every canvas.
inline constexpr int PlotPanelWidth = 73;

// The axis ranges in force (the four edits of the plot window).
struct PlotRanges {
    int Xmin = 0, Xmax = 0, Ymin = 0, Ymax = 0;
};

// The chart laid out and painted on a white image of the given size (empty for no chart),
// with the points captured for a drawn curve (window pixels).
QImage RenderPlot(const ChartModel& model, const PlotRanges& ranges, QSize size, const QList<QPoint>& captured = {});
// The picture コピー puts on the clipboard: the window area from (panel + 2, 2) to
// (right − 2, bottom − 2), stretched to (width − 4) × (height − 4).
QImage CopyPlotImage(const ChartModel& model, const PlotRanges& ranges, QSize window,
                     const QList<QPoint>& captured = {});
