// The plot window's layout arithmetic: positions of axes, scale, points, legend and curves.
#include "plot/PlotLayout.h"

#include "core/Numbers.h"
#include "store/Conversions.h"

#include <algorithm>
#include <cmath>

#include <QStringList>

namespace {

const QString Zenkaku11 = QStringLiteral("あああああああああああ");
const QString ZenkakuA = QStringLiteral("あ");
constexpr int NumberSize = 12;
constexpr int CaptionSize = 11;
constexpr int TickHalf = 5;
constexpr int BrokenAxisGap = 30;
// The drawn curves' "＋", numbers and legend: small enough for the 15-pixel legend pitch.
constexpr int DrawnCurveFontSize = 9;

// A pixel coordinate from a real one, kept inside what a QPoint holds.
int Pixel(double v)
{
    if (!std::isfinite(v))
        return 0;
    return int(TruncateTowardZero(std::clamp(v, -1.0e6, 1.0e6)));
}

class Builder {
public:
    Builder(const PlotInputs& in, PlotLayout& out, const TextMeasure& measure) : in_(in), out_(out), m_(measure) {}

    void line(int x1, int y1, int x2, int y2, const PlotPen& pen) { out_.lines.append({{x1, y1}, {x2, y2}, pen}); }
    void text(int x, int y, const QString& t, TColor color, int size) { out_.texts.append({{x, y}, t, color, size}); }

    void scale()
    {
        const PlotLayout& L = out_;
        const bool table = in_.chartId == ChartWageTableGraph;
        const PlotPen& tick = in_.styles[1];
        const PlotPen& grid = in_.styles[2];
        const PlotPen& mean = in_.styles[3];
        QList<int> yValues, xValues;   // the pitched values up to the maximum
        if (in_.YPITCH > 0)
            for (int v = L.Ymin + in_.YPITCH; v <= L.Ymax; v += in_.YPITCH)
                yValues << v;
        if (in_.XPITCH > 0)
            for (int v = L.Xmin + in_.XPITCH; v <= L.Xmax; v += in_.XPITCH)
                xValues << v;

        auto yTick = [&](int y) { line(L.originX - TickHalf, y, L.originX + TickHalf, y, tick); };
        auto xTick = [&](int x) { line(x, L.originY - TickHalf, x, L.originY + TickHalf, tick); };
        if (L.Ymin != 0)
            yTick(L.originY - BrokenAxisGap);
        yTick(L.axisTop + 20);
        for (int v : yValues)
            yTick(L.py(v));
        for (int v : yValues)
            line(L.originX, L.py(v), L.axisRight, L.py(v), grid);
        if (!table)
            line(L.originX, L.py(in_.meanY), L.axisRight, L.py(in_.meanY), mean);
        if (!table && L.Xmin != 0)
            xTick(L.originX + BrokenAxisGap);
        else
            xTick(L.axisRight - 20);
        for (int v : xValues)
            xTick(L.px(v));
        for (int v : xValues)
            line(L.px(v), L.axisTop, L.px(v), L.originY, grid);
        if (!table)
            line(L.px(in_.meanX), L.axisTop, L.px(in_.meanX), L.originY, mean);

        const TColor c = tick.color;
        const QString zero = QStringLiteral("0");
        if (table) {
            if (L.Xmin != 0 && L.Ymin == 0)
                text(L.originX - 40, L.originY - 10, zero, c, NumberSize);
            else if (L.Xmin == 0)
                text(L.originX - 10, L.originY + 5, zero, c, NumberSize);
        } else if (L.Xmin == 0 || L.Ymin == 0) {
            text(L.originX - 10, L.originY + 5, zero, c, NumberSize);
        }
        if (L.Ymin != 0)
            text(L.originX - 40, L.originY - 37, QString::number(L.Ymin), c, NumberSize);
        text(L.originX - 40, L.axisTop + 13, QString::number(L.Ymax), c, NumberSize);
        for (int v : yValues)
            if (v < L.Ymax)
                text(L.originX - 40, L.py(v) - 7, QString::number(v), c, NumberSize);
        if (L.Xmin != 0)
            text(table ? L.originX - 5 : L.originX + 25, L.originY + 5, QString::number(L.Xmin), c, NumberSize);
        text(L.axisRight - 25, L.originY + 5, QString::number(L.Xmax), c, NumberSize);
        for (int v : xValues)
            if (v < L.Xmax)
                text(L.px(v) - 5, L.originY + 5, QString::number(v), c, NumberSize);

        text(L.axisRight - 10, L.originY + 20, in_.xUnit, c, CaptionSize);
        text(L.originX - 10, L.axisTop - 20, in_.yUnit, c, CaptionSize);
        text(L.originX + 40, L.originY + 20, in_.xName, c, CaptionSize);
        const int downs[4] = {80, 57, 34, 11};
        for (int i = 0; i < 4 && i < in_.yName.size(); ++i)
            text(L.originX - 70, L.originY - downs[i], in_.yName.mid(i, 1), c, CaptionSize);
    }

    void pointsAndLegend()
    {
        const PlotLayout& L = out_;
        for (int i = 0; i < in_.points.size(); ++i) {
            const PlotPointInput& p = in_.points[i];
            const TMMARK& mark = in_.marks[std::clamp(p.mark, 0, 8)];
            if (mark.MARK.isEmpty())
                continue;
            const int x = L.px(p.x), y = L.py(p.y);
            if (!L.dataArea().contains(x, y))
                continue;   // outside the ranges chosen
            PlacedMarker marker;
            marker.point = i;
            marker.topLeft = QPoint(x - 7, y - 7);
            marker.hitArea = QRect(marker.topLeft, QSize(m_.width(mark.MARK, mark.MKSIZE), m_.height(mark.MARK, mark.MKSIZE)));
            marker.symbol = mark.MARK;
            marker.color = mark.MKCOLOR;
            marker.size = mark.MKSIZE;
            out_.markers.append(marker);
            if (!p.label.isEmpty())
                text(x - 4, y - 23, p.label, mark.MKCOLOR, mark.MKSIZE);
        }
        const QString title = QStringLiteral("凡例");
        text(L.axisRight + 20, L.axisTop - 20, title, 0, in_.legendFontSize);
        int line = m_.height(title, in_.legendFontSize) + 2;
        for (int i = 1; i <= 9; ++i) {
            if (in_.seriesCount[i] <= 0)
                continue;
            const TMMARK& mark = in_.marks[i - 1];
            text(L.axisRight + 20, L.axisTop + line - 10, mark.MARK + ' ' + mark.HANREI, mark.MKCOLOR, mark.MKSIZE);
            line += m_.height(mark.MARK, mark.MKSIZE) + 2;
        }
        legendEnd_ = L.axisTop + line - 10;
    }

    void curve(const PlotCurveInput& c)
    {
        const PlotLayout& L = out_;
        PlacedCurve placed;
        placed.pen = c.pen;
        const double step = std::max(0.2, SafeDivide(L.Xmax - L.Xmin, (L.axisRight - L.originX) / 20.0));
        QPoint at;
        bool joined = false;   // the last drawn segment ended where the pen is
        for (double x = c.minX;; x += step) {
            const double cx = std::min(x, c.maxX);
            const double y = c.value(cx);
            const QPoint next(L.px(cx), L.py(y));
            ++placed.samples;
            if (cx > c.minX && L.Ymin <= y && y <= L.Ymax) {
                if (!joined)
                    placed.polylines.append({at});
                placed.polylines.last().append(next);
                joined = true;
            } else {
                joined = false;
            }
            at = next;
            if (cx >= c.maxX)
                break;
        }
        out_.curves.append(placed);
    }

    void polyline(const PlotPolylineInput& p)
    {
        const PlotLayout& L = out_;
        if (p.points.empty())
            return;
        PlacedCurve placed;
        placed.pen = p.pen;
        QList<QPoint> pixels;
        for (size_t i = 0; i < p.points.size(); ++i) {
            const QPointF& d = p.points[i];
            pixels << QPoint(L.px(d.x()), i == 0 && p.startsOnBottom ? L.plotBottom : L.py(d.y()));
        }
        placed.samples = int(pixels.size());
        placed.polylines.append(pixels);
        out_.curves.append(placed);
        if (!p.label.isEmpty())
            text(pixels.last().x() + 10, pixels.last().y() - 10, p.label, p.labelColor, p.labelSize);
    }

    // The comparison legend from 200 pixels below the top of the Y axis: per entry a sample
    // of the pen, a gap, then the text. The sample stands at the middle of the text's first
    // line; a text wider than the room left of the window's edge goes on over further lines,
    // so a long legend (a model's name) is read in full and never runs into the next entry.
    void comparisonLegend()
    {
        const PlotLayout& L = out_;
        const int textLeft = L.axisRight + ComparisonLegendTextOffset;
        const int room = std::max(1, L.right - textLeft);
        int e = 200;
        for (const PlotLegendEntry& entry : in_.comparisonLegend) {
            const int top = L.axisTop - 10 + e;
            const int lineHeight = m_.height(entry.text, entry.size);
            const int middle = top + lineHeight / 2;
            line(L.axisRight + 20, middle, textLeft - ComparisonLegendSampleGap, middle, entry.pen);
            const QStringList lines = wrapped(entry.text, entry.size, room);
            for (int i = 0; i < lines.size(); ++i)
                text(textLeft, top + i * lineHeight, lines[i], entry.color, entry.size);
            e += int(lines.size()) * lineHeight + 2;
        }
    }

    // The text in lines no wider than room (at least one character a line). A line breaks
    // before an opening bracket where it can, so "モデル賃金（サンプル調査）" reads
    // "モデル賃金" / "（サンプル調査）" rather than splitting a word.
    QStringList wrapped(const QString& t, int size, int room) const
    {
        QStringList lines;
        QString current;
        for (const QChar ch : t) {
            if (!current.isEmpty() && m_.width(current + ch, size) > room) {
                const qsizetype bracket = current.lastIndexOf(u'（');
                if (bracket > 0) {
                    lines << current.left(bracket);
                    current = current.mid(bracket);
                } else {
                    lines << current;
                    current.clear();
                }
            }
            current += ch;
        }
        if (!current.isEmpty() || lines.isEmpty())
            lines << current;
        return lines;
    }

    // The drawn curves: per curve its "＋" marks, "(n)" beside the last point, the legend line
    // and the polyline, all in the curve's colour. The legend lines stand 15 pixels apart from
    // axisTop + 95 down, k counting the curves drawn; a font taller than 15 pixels widens the
    // pitch, and with the employees' legend on view they start below it, so nothing overlaps.
    void drawnCurves()
    {
        const PlotLayout& L = out_;
        const int size = DrawnCurveFontSize;
        const int pitch = std::max(15, m_.height(QStringLiteral("(1)"), size));
        const int legendTop = std::max(L.axisTop + 95, legendEnd_);
        int k = 0;
        for (const PlotDrawnCurveInput& c : in_.drawnCurves) {
            if (c.points.empty())
                continue;
            PlotPen pen = c.pen;
            pen.width = std::max(1, pen.width);
            QList<QPoint> pixels;
            for (const QPointF& d : c.points)
                pixels << QPoint(L.px(d.x()), L.py(d.y()));
            // The "＋" is centred on its point by the font's measures (5 pixels up and left in a
            // font 10 pixels high; taller line heights would sink it below the point).
            const QString plus = QStringLiteral("＋");
            const int halfWidth = m_.width(plus, size) / 2, halfHeight = m_.height(plus, size) / 2;
            for (const QPoint& p : pixels)
                text(p.x() - halfWidth, p.y() - halfHeight, plus, pen.color, size);
            const QString number = QStringLiteral("(%1)").arg(c.number);
            text(pixels.last().x() + 5, pixels.last().y() - 10, number, pen.color, size);
            text(L.axisRight + 20, legendTop + pitch * k, number + ' ' + c.legend, pen.color, size);
            ++k;
            const QPoint start(pixels.first().x(), c.startsOnBottom ? L.plotBottom : pixels.first().y());
            if (start != pixels.first())
                pixels.prepend(start);
            PlacedCurve placed;
            placed.pen = pen;
            placed.samples = int(pixels.size());
            placed.polylines.append(pixels);
            out_.curves.append(placed);
        }
    }

    // The points clicked for a new curve: a circle around each, a black line from the one before.
    void captured()
    {
        const PlotPen black{0, PenSolid, 1};
        for (int i = 0; i < in_.captured.size(); ++i) {
            out_.circles.append({in_.captured[i], 5, black});
            if (i > 0)
                line(in_.captured[i - 1].x(), in_.captured[i - 1].y(), in_.captured[i].x(), in_.captured[i].y(), black);
        }
    }

private:
    const PlotInputs& in_;
    PlotLayout& out_;
    const TextMeasure& m_;
    int legendEnd_ = 0;   // where a further line of the employees' legend would go
};

} // namespace

int FontPixelSize(int pointSize)
{
    return int(std::lround(pointSize * 96.0 / 72.0));
}

QRect PlotLayout::dataArea() const
{
    return QRect(QPoint(plotLeft, axisTop), QPoint(axisRight, plotBottom));
}

int PlotLayout::px(double x) const
{
    if (Xmax == Xmin)
        return plotLeft;
    return plotLeft + Pixel((x - Xmin) / double(Xmax - Xmin) * plotWidth);
}

int PlotLayout::py(double y) const
{
    if (Ymax == Ymin)
        return 0;
    return Pixel(plotBottom - (y - Ymin) / double(Ymax - Ymin) * plotHeight);
}

PlotLayout LayOutPlot(const PlotInputs& in, QSize window, int panelWidth, const TextMeasure& measure)
{
    PlotLayout L;
    L.window = window;
    L.Xmin = in.Xmin;
    L.Xmax = in.Xmax;
    L.Ymin = in.Ymin;
    L.Ymax = in.Ymax;
    const int size = in.baseFontSize > 0 ? in.baseFontSize : 12;
    L.panel = panelWidth;
    L.right = window.width() - 9;
    L.top = 0;
    L.bottom = window.height() - 36;
    const int charHeight = measure.height(ZenkakuA, size);
    L.originX = 2 * L.panel;
    L.axisRight = L.right - measure.width(Zenkaku11, size);
    L.axisTop = L.top + 2 * charHeight;
    L.originY = L.bottom - 3 * charHeight;
    if (in.chartId != ChartWageTableGraph && in.Xmin != 0) {
        L.plotLeft = L.originX + BrokenAxisGap;
        L.plotWidth = L.axisRight - L.originX - 50;
    } else {
        L.plotLeft = L.originX;
        L.plotWidth = L.axisRight - L.originX - 20;
    }
    if (in.Ymin != 0) {
        L.plotBottom = L.originY - BrokenAxisGap;
        L.plotHeight = L.originY - BrokenAxisGap - L.axisTop - 20;
    } else {
        L.plotBottom = L.originY;
        L.plotHeight = L.originY - L.axisTop - 20;
    }

    Builder b(in, L, measure);
    const PlotPen& axis = in.styles[0];
    b.line(L.originX, L.axisTop, L.originX, L.originY, axis);
    b.line(L.originX, L.originY, L.axisRight, L.originY, axis);
    b.scale();
    if (in.drawPoints)
        b.pointsAndLegend();
    for (const PlotCurveInput& c : in.curves)
        b.curve(c);
    for (const PlotPolylineInput& p : in.polylines)
        b.polyline(p);
    b.comparisonLegend();
    b.drawnCurves();
    b.captured();
    return L;
}

int PointAt(const PlotLayout& layout, QPoint position, int radius)
{
    for (int i = int(layout.markers.size()) - 1; i >= 0; --i)
        if (layout.markers[i].hitArea.adjusted(-radius, -radius, radius, radius).contains(position))
            return layout.markers[i].point;
    return -1;
}

AxisRange RangeForValues(double low, double high, int pitch)
{
    AxisRange r;
    r.low = int(TruncateTowardZero(SafeDivide(low, pitch))) * pitch;
    r.high = int(TruncateTowardZero(SafeDivide(high, pitch) + 0.9999)) * pitch;
    return r;
}

QString RangeOrderProblem(const QString& axis, int lower, int upper)
{
    if (lower < upper)
        return {};
    return axis + QStringLiteral("下限は") + axis + QStringLiteral("上限より小さい値を入力して下さい。");
}

RangeEntry CheckRangeEntry(const QString& typed, int low, int high, int inForce)
{
    RangeEntry e;
    long long v = 0;
    if (typed.trimmed().isEmpty() || !ParseWholeNumber(typed, v)) {
        e.ok = false;
        e.message = QStringLiteral("数値を入力してください。");
        e.text = QString::number(inForce);
        e.value = inForce;
        return e;
    }
    if (v < low || v > high) {
        e.ok = false;
        e.message = QStringLiteral("入力範囲外です。") + QString::number(low) + QStringLiteral(" ～ ") + QString::number(high)
                    + QStringLiteral("の値を入力して下さい。");
        e.text = QString::number(low);
        e.value = low;
        return e;
    }
    e.value = int(v);
    e.text = QString::number(v);
    return e;
}
