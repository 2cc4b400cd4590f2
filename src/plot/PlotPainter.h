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

// The layout measures the window it lays out as a framed window: its height counts a caption
// and frame of this many pixels above the client area, and its bottom stands that far above
// the window's bottom. A drawing surface (the window's client area, an image) passes its own
// size through FramedPlotWindow, so that the plot reaches the surface's bottom edge and
// leaves no empty strip below the axis texts.
inline constexpr int PlotFrameAllowance = 36;
inline QSize FramedPlotWindow(QSize client) { return client + QSize(0, PlotFrameAllowance); }

// The axis ranges in force (the four edits of the plot window).
struct PlotRanges {
    int Xmin = 0, Xmax = 0, Ymin = 0, Ymax = 0;
};

// The chart laid out for a client area of the given size and painted on a white image of that
// size (empty for no chart), with the points captured for a drawn curve (window pixels).
QImage RenderPlot(const ChartModel& model, const PlotRanges& ranges, QSize size, const QList<QPoint>& captured = {});
// The picture コピー puts on the clipboard: the area of a client of the given size from
// (panel + 2, 2) to (right − 2, bottom − 2), stretched to (width − 4) × (height − 4).
QImage CopyPlotImage(const ChartModel& model, const PlotRanges& ranges, QSize window,
                     const QList<QPoint>& captured = {});
