// Drawing a plot layout with QPainter.
#include "plot/PlotPainter.h"

#include "plot/ChartModel.h"

#include "core/Colors.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

namespace {

QFont PlotFont(int pointSize)
{
    QFont font(PlotFontFamily);
    font.setPixelSize(std::max(1, FontPixelSize(pointSize)));
    return font;
}

// Fonts and their metrics by size, made once: a plot uses three or four sizes.
const QFontMetrics& MetricsFor(int pointSize)
{
    static QHash<int, QFontMetrics*> cache;
    auto it = cache.find(pointSize);
    if (it == cache.end())
        it = cache.insert(pointSize, new QFontMetrics(PlotFont(pointSize)));
    return **it;
}

Qt::PenStyle QtPenStyle(int style)
{
    switch (style) {
    case 1: return Qt::DashLine;
    case 2: return Qt::DotLine;
    case 3: return Qt::DashDotLine;
    case 4: return Qt::DashDotDotLine;
    case 5: return Qt::NoPen;
    default: return Qt::SolidLine;
    }
}

QPen QtPen(const PlotPen& pen)
{
    QPen p(QColor::fromRgb(ColorToRgb(pen.color)));
    p.setStyle(QtPenStyle(pen.style));
    p.setWidth(std::max(0, pen.width));
    return p;
}

void Text(QPainter& painter, QPoint topLeft, const QString& text, TColor color, int size)
{
    painter.setFont(PlotFont(size));
    painter.setPen(QColor::fromRgb(ColorToRgb(color)));
    const QFontMetrics& fm = MetricsFor(size);
    painter.drawText(topLeft.x(), topLeft.y() + fm.ascent(), text);
}

} // namespace

TextMeasure QtTextMeasure()
{
    return {[](const QString& text, int size) { return MetricsFor(size).horizontalAdvance(text); },
            [](const QString&, int size) { return MetricsFor(size).height(); }};
}

void PaintPlot(QPainter& painter, const PlotLayout& layout)
{
    painter.save();
    for (const PlacedLine& l : layout.lines) {
        painter.setPen(QtPen(l.pen));
        painter.drawLine(l.from, l.to);
    }
    for (const PlacedText& t : layout.texts)
        Text(painter, t.topLeft, t.text, t.color, t.size);
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Curves and comparison lines stay inside the ranges chosen: never over the legend, the
    // axis texts or the window's edge.
    painter.save();
    painter.setClipRect(layout.dataArea());
    for (const PlacedCurve& c : layout.curves) {
        painter.setPen(QtPen(c.pen));
        for (const QList<QPoint>& line : c.polylines)
            painter.drawPolyline(line.constData(), int(line.size()));
    }
    painter.restore();
    painter.setBrush(Qt::NoBrush);
    for (const PlacedCircle& c : layout.circles) {
        painter.setPen(QtPen(c.pen));
        painter.drawEllipse(c.centre, c.radius, c.radius);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    // The markers lie on top of everything, grouped by look so that thousands of points
    // set the font a few times only.
    int size = -1;
    TColor color = 0xFFFFFFFF;
    for (const PlacedMarker& m : layout.markers) {
        if (m.size != size) {
            size = m.size;
            painter.setFont(PlotFont(size));
        }
        if (m.color != color) {
            color = m.color;
            painter.setPen(QColor::fromRgb(ColorToRgb(color)));
        }
        painter.drawText(m.topLeft.x(), m.topLeft.y() + MetricsFor(size).ascent(), m.symbol);
    }
    painter.restore();
}

QImage RenderPlot(const ChartModel& model, const PlotRanges& r, QSize size, const QList<QPoint>& captured)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (model.chartId == 0)
        return image;
    QPainter painter(&image);
    PlotInputs in = PlotInputsFor(model, r.Xmin, r.Xmax, r.Ymin, r.Ymax);
    in.captured = captured;
    PaintPlot(painter, LayOutPlot(in, FramedPlotWindow(size), PlotPanelWidth, QtTextMeasure()));
    return image;
}

QImage CopyPlotImage(const ChartModel& model, const PlotRanges& ranges, QSize window, const QList<QPoint>& captured)
{
    const int right = window.width() - 9, bottom = window.height();
    const QRect area(QPoint(PlotPanelWidth + 2, 2), QPoint(right - 2, bottom - 2));
    return RenderPlot(model, ranges, window, captured)
        .copy(area)
        .scaled(window.width() - 4, window.height() - 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
