// Drawing a plot layout with QPainter (screen, clipboard image, printer and benchmark alike).
#pragma once

#include "plot/PlotLayout.h"

class QPainter;

// The family every plot text is drawn in.
inline const QString PlotFontFamily = QStringLiteral("Noto Sans CJK JP");

// Text measures of the plot font (needs a running GUI application).
TextMeasure QtTextMeasure();

// Draws what the layout holds: lines, texts, curves, then the point markers on top.
void PaintPlot(QPainter& painter, const PlotLayout& layout);
