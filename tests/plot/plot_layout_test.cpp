// The plot layout as numbers: ranges, broken axes, labels, legend, curve walks, hit-testing.
#include "plot/PlotLayout.h"

#include "reference/PrintQString.h"

#include <gtest/gtest.h>

namespace {

// A fixed font: every character is as wide as the point size, a line is size + 3 high.
TextMeasure FixedMeasure()
{
    return {[](const QString& t, int size) { return int(t.size()) * size; },
            [](const QString&, int size) { return size + 3; }};
}

// Window 1000 × 700, panel 73: right 991, bottom 664, originX 146, axisRight 859,
// axisTop 30, originY 619.
PlotInputs Inputs(int xmin, int xmax, int ymin, int ymax)
{
    PlotInputs in;
    in.chartId = ChartRaiseCurve;
    in.Xmin = xmin;
    in.Xmax = xmax;
    in.Ymin = ymin;
    in.Ymax = ymax;
    in.XPITCH = 5;
    in.YPITCH = 5;
    in.styles[1].color = 0xFF0000;
    for (int i = 0; i < 9; ++i) {
        in.marks[i].MKCO = i + 1;
        in.marks[i].MARK = QStringLiteral("●");
        in.marks[i].HANREI = QStringLiteral("印") + QString::number(i + 1);
        in.marks[i].MKSIZE = 12;
        in.marks[i].MKCOLOR = TColor(i);
    }
    return in;
}

PlotLayout Lay(const PlotInputs& in) { return LayOutPlot(in, QSize(1000, 700), 73, FixedMeasure()); }

QList<QPoint> TextsAt(const PlotLayout& L, const QString& text)
{
    QList<QPoint> at;
    for (const PlacedText& t : L.texts)
        if (t.text == text)
            at << t.topLeft;
    return at;
}

bool HasLine(const PlotLayout& L, QPoint a, QPoint b)
{
    for (const PlacedLine& l : L.lines)
        if (l.from == a && l.to == b)
            return true;
    return false;
}

} // namespace

TEST(PlotRanges, PitchRoundsOutwardButAnExactEndStays)
{
    struct Case {
        double low, high;
        int pitch, min, max;
    } cases[] = {
        {23, 58, 5, 20, 60},
        {23, 60, 5, 20, 60},
        {0, 0, 5, 0, 0},
        {21.5, 44.2, 10, 20, 50},
        {23, 58, 0, 0, 0},   // pitch 0: everything on the axis
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.low);
        const AxisRange r = RangeForValues(c.low, c.high, c.pitch);
        EXPECT_EQ(r.low, c.min);
        EXPECT_EQ(r.high, c.max);
    }
}

TEST(PlotLayoutGeometry, WindowPanelAndFontFixTheAxes)
{
    const PlotLayout L = Lay(Inputs(20, 60, 0, 50));
    EXPECT_EQ(L.originX, 146);
    EXPECT_EQ(L.axisRight, 859);
    EXPECT_EQ(L.axisTop, 30);
    EXPECT_EQ(L.originY, 619);
    // Xmin 20: a 30-pixel gap marks the broken axis.
    EXPECT_EQ(L.plotLeft, 176);
    EXPECT_EQ(L.plotWidth, 663);
    EXPECT_EQ(L.plotBottom, 619);
    EXPECT_EQ(L.plotHeight, 569);
    EXPECT_EQ(L.px(20), 176);
    EXPECT_EQ(L.px(60), 176 + 663);
    EXPECT_EQ(L.px(40), 176 + 331);   // truncated
    EXPECT_EQ(L.py(50), 50);          // axisTop + 20
    EXPECT_TRUE(HasLine(L, {146, 30}, {146, 619}));
    EXPECT_TRUE(HasLine(L, {146, 619}, {859, 619}));
}

TEST(PlotLayoutGeometry, BrokenAxisTicksAndLabels)
{
    struct Case {
        int xmin, ymin;
        QList<QPoint> zeros;
        bool xGapTick, yGapTick;
    } cases[] = {
        {20, 0, {{136, 624}}, true, false},
        {0, 0, {{136, 624}}, false, false},     // one "0" at the origin
        {0, 300, {{136, 624}}, false, true},
        {20, 300, {}, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString("%1/%2").arg(c.xmin).arg(c.ymin).toStdString());
        const PlotLayout L = Lay(Inputs(c.xmin, 60, c.ymin, c.ymin + 50));
        EXPECT_EQ(TextsAt(L, "0"), c.zeros);
        EXPECT_EQ(HasLine(L, {176, 614}, {176, 624}), c.xGapTick);     // originX + 30
        EXPECT_EQ(HasLine(L, {141, 589}, {151, 589}), c.yGapTick);     // originY - 30
        EXPECT_EQ(TextsAt(L, "20").contains(QPoint(171, 624)), c.xmin != 0);
        if (c.ymin) {
            EXPECT_EQ(L.plotBottom, 589);
            EXPECT_EQ(TextsAt(L, "300").value(0), QPoint(106, 582));    // 37 pixels above the X axis
        }
    }
}

TEST(PlotLayoutGeometry, TheWageTableGraphHasNoXGapAndItsOwnZeroAndMinimumPlaces)
{
    PlotInputs in = Inputs(20, 60, 0, 50);
    in.chartId = ChartWageTableGraph;
    in.drawPoints = false;
    in.styles[2] = {0xC0C0C0, PenDot, 1};
    in.styles[3] = {0x808080, 1, 1};
    const PlotLayout L = Lay(in);
    EXPECT_EQ(L.plotLeft, L.originX);
    EXPECT_EQ(L.plotWidth, 859 - 146 - 20);
    EXPECT_EQ(TextsAt(L, "0"), QList<QPoint>{QPoint(106, 609)});
    EXPECT_TRUE(TextsAt(L, "20").contains(QPoint(141, 624)));
    EXPECT_TRUE(HasLine(L, {839, 614}, {839, 624}));   // the end tick at axisRight - 20
    EXPECT_TRUE(TextsAt(L, QStringLiteral("凡例")).isEmpty());
    // No mean lines (style 3).
    for (const PlacedLine& l : L.lines)
        EXPECT_NE(l.pen, in.styles[3]);
    PlotInputs plain = in;
    plain.chartId = ChartWagePlot;
    int means = 0;
    for (const PlacedLine& l : Lay(plain).lines)
        means += l.pen == in.styles[3];
    EXPECT_EQ(means, 2);

    in.Xmin = 0;
    EXPECT_EQ(TextsAt(Lay(in), "0"), QList<QPoint>{QPoint(136, 624)});
    in.Ymin = 10;
    in.Xmin = 20;
    EXPECT_TRUE(TextsAt(Lay(in), "0").isEmpty());
}

TEST(PlotLayoutGeometry, PitchedTicksGridMeanLinesAndCaptions)
{
    PlotInputs in = Inputs(20, 60, 0, 50);
    in.meanX = 40;
    in.meanY = 25;
    in.xName = QStringLiteral("年齢");
    in.yName = QStringLiteral("所定給額");
    in.xUnit = QStringLiteral("歳");
    in.yUnit = QStringLiteral("万円");
    const PlotLayout L = Lay(in);
    // X labels 25 … 55 below the axis, 60 at the axis end; Y labels 5 … 45 and 50 on top.
    EXPECT_TRUE(TextsAt(L, "25").contains(QPoint(L.px(25) - 5, 624)));
    EXPECT_TRUE(TextsAt(L, "60").contains(QPoint(834, 624)));
    EXPECT_TRUE(TextsAt(L, "50").contains(QPoint(106, 43)));
    EXPECT_TRUE(TextsAt(L, "45").contains(QPoint(106, L.py(45) - 7)));
    EXPECT_TRUE(HasLine(L, {L.px(40), 30}, {L.px(40), 619}));        // grid at 40 and the mean x
    EXPECT_TRUE(HasLine(L, {146, L.py(25)}, {859, L.py(25)}));
    EXPECT_EQ(TextsAt(L, "歳"), QList<QPoint>{QPoint(849, 639)});
    EXPECT_EQ(TextsAt(L, "万円"), QList<QPoint>{QPoint(136, 10)});
    EXPECT_EQ(TextsAt(L, "年齢"), QList<QPoint>{QPoint(186, 639)});
    // The Y name is written downwards, one character a line.
    EXPECT_EQ(TextsAt(L, "所"), QList<QPoint>{QPoint(76, 539)});
    EXPECT_EQ(TextsAt(L, "額"), QList<QPoint>{QPoint(76, 608)});
    for (const PlacedText& t : L.texts)   // all but the legend title in the colour of style 1
        EXPECT_EQ(t.color, t.text == QStringLiteral("凡例") ? 0u : 0xFF0000u) << t.text.toStdString();
}

TEST(PlotLayoutPoints, MarkersLabelsAndLegendOfMarksWithPoints)
{
    PlotInputs in = Inputs(0, 60, 0, 50);
    in.marks[4].MKSIZE = 9;
    in.marks[6].MARK.clear();   // an empty symbol draws no marker and no label
    in.points = {{30, 25, 1, "101"}, {40, 30, 4, "102"}, {50, 20, 6, "103"}};
    in.seriesCount = {3, 0, 1, 0, 0, 1, 0, 1, 0, 0};
    const PlotLayout L = Lay(in);
    ASSERT_EQ(L.markers.size(), 2);
    EXPECT_EQ(L.markers[0].topLeft, QPoint(L.px(30) - 7, L.py(25) - 7));
    EXPECT_EQ(L.markers[0].hitArea.size(), QSize(12, 15));
    EXPECT_EQ(L.markers[1].size, 9);
    EXPECT_EQ(TextsAt(L, "101"), QList<QPoint>{QPoint(L.px(30) - 4, L.py(25) - 23)});
    EXPECT_TRUE(TextsAt(L, "103").isEmpty());
    // 凡例, then one line per mark with points in mark order, starting one line below.
    EXPECT_EQ(TextsAt(L, "凡例"), QList<QPoint>{QPoint(879, 10)});
    EXPECT_EQ(TextsAt(L, "● 印2"), QList<QPoint>{QPoint(879, 30 + 17 - 10)});
    EXPECT_EQ(TextsAt(L, "● 印5"), QList<QPoint>{QPoint(879, 30 + 17 + 17 - 10)});
    EXPECT_EQ(TextsAt(L, " 印7"), QList<QPoint>{QPoint(879, 30 + 17 + 17 + 14 - 10)});
    EXPECT_TRUE(TextsAt(L, "● 印1").isEmpty());
    // Hit-testing by position: the marker area, widened by the radius.
    const QPoint first = L.markers[0].topLeft;
    EXPECT_EQ(PointAt(L, first + QPoint(3, 3)), 0);
    EXPECT_EQ(PointAt(L, L.markers[1].topLeft + QPoint(1, 1)), 1);
    EXPECT_EQ(PointAt(L, first - QPoint(2, 2)), -1);
    EXPECT_EQ(PointAt(L, first - QPoint(2, 2), 3), 0);
    EXPECT_EQ(PointAt(L, {500, 500}), -1);

    in.chartId = ChartWageTableGraph;
    in.drawPoints = false;
    EXPECT_TRUE(Lay(in).markers.isEmpty());
}

TEST(PlotLayoutCurves, WalkSamplesClipsAndSkipsSinglePointSeries)
{
    PlotInputs in = Inputs(0, 60, 0, 50);
    // A line rising from 0 to 60 over x 0..60: it leaves the range above 50.
    in.curves.append({0, 60, [](double x) { return x; }, {0x008000, PenSolid, 2}});
    in.curves.append({30, 30, [](double) { return 20.0; }, {}});
    const PlotLayout L = Lay(in);
    ASSERT_EQ(L.curves.size(), 2);
    // step = max(0.2, 60 / ((859 - 146) / 20)) ≈ 1.683: 36 steps, then the last sample at 60.
    EXPECT_EQ(L.curves[0].samples, 37);
    ASSERT_EQ(L.curves[0].polylines.size(), 1);
    const QList<QPoint>& line = L.curves[0].polylines[0];
    EXPECT_EQ(line.first(), QPoint(L.px(0), L.py(0)));
    const double step = 60 / ((859 - 146) / 20.0);
    EXPECT_EQ(line.last(), QPoint(L.px(29 * step), L.py(29 * step)));   // the last sample with y ≤ 50
    EXPECT_EQ(L.curves[0].pen, (PlotPen{0x008000, PenSolid, 2}));
    EXPECT_EQ(L.curves[1].samples, 1);
    EXPECT_TRUE(L.curves[1].polylines.isEmpty());
}

// Narrowed ranges: points outside them are not placed (nor their labels), and every marker
// placed lies in the data area the painter cuts curves to.
TEST(PlotLayoutPoints, PointsOutsideNarrowedRangesAreNotPlaced)
{
    PlotInputs in = Inputs(20, 40, 10, 30);
    in.points = {{30, 20, 0, "in"}, {50, 20, 0, "right"}, {10, 20, 0, "left"}, {30, 45, 0, "above"}, {30, 5, 0, "below"}};
    in.seriesCount = {5, 5, 0, 0, 0, 0, 0, 0, 0, 0};
    const PlotLayout L = Lay(in);
    ASSERT_EQ(L.markers.size(), 1);
    EXPECT_EQ(L.markers[0].point, 0);
    for (const char* outside : {"right", "left", "above", "below"})
        EXPECT_TRUE(TextsAt(L, outside).isEmpty()) << outside;
    EXPECT_TRUE(L.dataArea().contains(L.px(30), L.py(20)));
    EXPECT_FALSE(L.dataArea().contains(L.px(50), L.py(20)));
    EXPECT_FALSE(L.dataArea().contains(L.px(30), L.py(45)));
    EXPECT_LT(L.dataArea().right(), 879);   // the legend's column
}

TEST(PlotRangeEntry, ALowerBoundMustStayBelowItsUpperBound)
{
    EXPECT_EQ(RangeOrderProblem("X", 20, 50), QString());
    EXPECT_EQ(RangeOrderProblem("X", 50, 20), QStringLiteral("X下限はX上限より小さい値を入力して下さい。"));
    EXPECT_EQ(RangeOrderProblem("Y", 30, 30), QStringLiteral("Y下限はY上限より小さい値を入力して下さい。"));
}

TEST(PlotRangeEntry, NumbersInsideTheRangeAreTakenOthersRefused)
{
    const RangeEntry high = CheckRangeEntry("61", 0, 60, 20);
    EXPECT_FALSE(high.ok);
    EXPECT_EQ(high.message, QStringLiteral("入力範囲外です。0 ～ 60の値を入力して下さい。"));
    EXPECT_EQ(high.text, "0");
    const RangeEntry word = CheckRangeEntry("abc", 0, 60, 20);
    EXPECT_FALSE(word.ok);
    EXPECT_EQ(word.message, QStringLiteral("数値を入力してください。"));
    EXPECT_EQ(word.text, "20");
    EXPECT_FALSE(CheckRangeEntry("", 0, 60, 20).ok);
    const RangeEntry fine = CheckRangeEntry("35", 0, 60, 20);
    EXPECT_TRUE(fine.ok);
    EXPECT_EQ(fine.value, 35);
}
