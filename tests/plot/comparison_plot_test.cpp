// The comparison lines, the wage-table graph's grade curves and the optimal-wage diagonal as
// the chart model hands them to the layout, and where the layout puts them, as numbers.
#include "plot/ChartModel.h"
#include "plot/Comparisons.h"

#include "reference/PrintQString.h"

#include <gtest/gtest.h>

namespace {

TextMeasure FixedMeasure()
{
    return {[](const QString& t, int size) { return int(t.size()) * size; },
            [](const QString&, int size) { return size + 3; }};
}

PlotLayout Lay(const PlotInputs& in) { return LayOutPlot(in, QSize(1000, 700), 73, FixedMeasure()); }

TSEIKEI_ LivingRow(int household, int age, int cost)
{
    TSEIKEI_ r;
    r.SNIN = household;
    r.SNENREI = age;
    r.SEIKEIHI = cost;
    r.YURITSU = 1.3;
    r.STRITSU = 0.8;
    r.TNRITSU = 0.6;
    r.KKRITSU = 1.0;
    return r;
}

ChartModel Model(int chartId)
{
    ChartModel m;
    m.chartId = chartId;
    m.XPITCH = m.YPITCH = 5;
    ResetSeriesSet(m.pointSet);
    ResetSeriesSet(m.comparisonSet);
    return m;
}

QList<const PlacedText*> TextsNamed(const PlotLayout& L, const QString& text)
{
    QList<const PlacedText*> found;
    for (const PlacedText& t : L.texts)
        if (t.text == text)
            found << &t;
    return found;
}

} // namespace

TEST(ComparisonPlot, CostOfLivingLinesRunFlatToXmaxWithTheirLegendFrom200PixelsDown)
{
    ChartModel m = Model(ChartCostOfLiving);
    // Ages 25 … 60; line 4 (単身率) gets a single point only: no line, no legend entry.
    QList<TSEIKEI_> rows{LivingRow(1, 25, 200), LivingRow(2, 40, 300), LivingRow(3, 60, 350)};
    rows[1].TNRITSU = 0;
    rows[2].TNRITSU = 0;
    FillCostOfLivingComparison(rows, 2, m.comparisonSet);
    m.comparisonMarks = CostOfLivingMarks();
    const PlotInputs in = PlotInputsFor(m, 20, 65, 0, 50);
    ASSERT_EQ(in.polylines.size(), 3);
    ASSERT_EQ(in.comparisonLegend.size(), 3);
    EXPECT_EQ(in.comparisonLegend[0].text, QStringLiteral("標準生計費"));
    EXPECT_EQ(in.comparisonLegend[2].text, QStringLiteral("最低率"));
    EXPECT_EQ(in.polylines[0].pen, (PlotPen{0x000080, PenSolid, 2}));
    EXPECT_EQ(in.polylines[1].pen, (PlotPen{0, PenDashDot, 1}));
    EXPECT_EQ(in.polylines[2].pen, (PlotPen{0x0000FF, PenDot, 1}));

    const PlotLayout L = Lay(in);
    const PlacedCurve& standard = L.curves[0];
    ASSERT_EQ(standard.polylines.size(), 1);
    const QList<QPoint>& line = standard.polylines[0];
    // Three table points and the flat piece from age 60 to Xmax 65 at 35 万円.
    ASSERT_EQ(line.size(), 4);
    EXPECT_EQ(line[0], QPoint(L.px(25), L.py(20)));
    EXPECT_EQ(line[2], QPoint(L.px(60), L.py(35)));
    EXPECT_EQ(line[3], QPoint(L.px(65), L.py(35)));

    int e = 200;
    for (const PlotLegendEntry& entry : in.comparisonLegend) {
        const auto texts = TextsNamed(L, entry.text);
        ASSERT_EQ(texts.size(), 1) << entry.text.toStdString();
        EXPECT_EQ(texts[0]->topLeft, QPoint(L.axisRight + 50, L.axisTop - 10 + e));
        // The sample at the middle of the text's line (12 pixels high), 8 pixels short of it.
        const int middle = L.axisTop - 10 + e + 6;
        const bool sampled = std::any_of(L.lines.begin(), L.lines.end(), [&](const PlacedLine& l) {
            return l.from == QPoint(L.axisRight + 20, middle) && l.to == QPoint(L.axisRight + 42, middle)
                   && l.pen == entry.pen;
        });
        EXPECT_TRUE(sampled) << entry.text.toStdString();
        e += 9 + 3 + 2;
    }
    EXPECT_TRUE(TextsNamed(L, QStringLiteral("単身率")).isEmpty());
}

TEST(ComparisonPlot, ModelWageLinesStopAtTheirLastPoint)
{
    ChartModel m = Model(ChartModelWage);
    QList<TMDCHNGIN_> rows;
    for (auto [age, kin] : {std::pair{20, "200"}, {40, "300"}, {50, "350"}}) {
        TMDCHNGIN_ r;
        r.NENREI = QString::number(age);
        r.KKIN = QString::fromLatin1(kin);
        r.SENSYU = QStringLiteral("0");
        rows << r;
    }
    FillModelWageComparison(rows, 0, 0, 2, m.comparisonSet);
    m.comparisonMarks = ModelWageMarks(QStringLiteral("全国"));
    const PlotLayout L = Lay(PlotInputsFor(m, 20, 65, 0, 50));
    ASSERT_EQ(L.curves.size(), 1);
    const QList<QPoint>& line = L.curves[0].polylines[0];
    ASSERT_EQ(line.size(), 3);
    EXPECT_EQ(line.last(), QPoint(L.px(50), L.py(35)));
    EXPECT_EQ(TextsNamed(L, QStringLiteral("全国①")).size(), 1);
}

// A legend wider than the room right of the axis goes on over further lines, each inside the
// window, broken before a bracket, and the next entry starts below the last of them.
TEST(ComparisonPlot, ALongLegendWrapsInsideTheWindowAndPushesTheNextEntryDown)
{
    ChartModel m = Model(ChartModelWage);
    QList<TMDCHNGIN_> rows;
    for (int line = 0; line < 2; ++line)
        for (auto [age, kin] : {std::pair{20, "200"}, {40, "300"}}) {
            TMDCHNGIN_ r;
            r.NENREI = QString::number(age);
            r.KKIN = QString::fromLatin1(kin);
            r.SENSYU = QString::number(line);
            rows << r;
        }
    FillModelWageComparison(rows, 0, 0, 2, m.comparisonSet);
    m.comparisonMarks = ModelWageMarks(QStringLiteral("モデル賃金（サンプル調査）"));
    const PlotInputs in = PlotInputsFor(m, 20, 65, 0, 50);
    const PlotLayout L = Lay(in);
    // The legend column: the texts at axisRight + 50 from the first entry down, 12 pixels a line.
    const int left = L.axisRight + 50, top = L.axisTop - 10 + 200;
    QList<const PlacedText*> column;
    for (const PlacedText& t : L.texts)
        if (t.topLeft.x() == left && t.topLeft.y() >= top)
            column << &t;
    std::sort(column.begin(), column.end(), [](auto a, auto b) { return a->topLeft.y() < b->topLeft.y(); });
    const QString first = in.comparisonLegend[0].text, second = in.comparisonLegend[1].text;
    QString read;
    int lines = 0;
    while (lines < column.size() && read.size() < first.size())
        read += column[lines++]->text;
    EXPECT_EQ(read, first);
    EXPECT_GE(lines, 2);
    EXPECT_EQ(column[0]->text, QStringLiteral("モデル賃金"));   // broken before the bracket
    EXPECT_TRUE(column[1]->text.startsWith(QStringLiteral("（")));
    for (int i = 0; i < lines; ++i)
        EXPECT_EQ(column[i]->topLeft.y(), top + 12 * i);
    ASSERT_GT(column.size(), lines);
    EXPECT_TRUE(second.startsWith(column[lines]->text));
    EXPECT_EQ(column[lines]->topLeft.y(), top + 12 * lines + 2);
    // 9 pixels a character at size 9: no line passes the window's right edge.
    for (const PlacedText* t : column)
        EXPECT_LE(left + int(t->text.size()) * 9, L.right) << t->text.toStdString();
}

TEST(ComparisonPlot, WageTableGraphDrawsBlueGradeCurvesThroughTheirControlPointsWithRomanNumerals)
{
    ChartModel m = Model(ChartWageTableGraph);
    TMMARK project[9];
    m.marks = ChartMarks(ChartWageTableGraph, project);
    T2JI_ first;   // grade 1: (1, 18), (20, 23), (40, 26)
    first.TKNO = 1;
    first.SGOUSU = 1;
    first.SKIN = 180000;
    first.C1GOUSU = 20;
    first.C1KIN = 230000;
    first.EGOUSU = 40;
    first.EKIN = 260000;
    first.KRITSU = 1.0;
    T2JI_ third = first;   // grade 3 starts at step 0
    third.TKNO = 3;
    third.SGOUSU = 0;
    third.SKIN = 200000;
    for (const TDChart_& p : WageTableGraphPoints(QList<T2JI_>{first, third}))
        AddSeriesPoint(m.pointSet, m.marks[MarkIndexOf(p.MKCO)].MARK, p.F5, p.Y, p.X, p.MKCO);
    FinishSeriesMeans(m.pointSet);
    FitSeriesSet(m.pointSet, 2);
    for (auto [x, y] : {std::pair{1.0, 18.0}, {20.0, 23.0}, {40.0, 26.0}})
        EXPECT_NEAR(EvalSeriesCurve(m.pointSet[1], 2, 1, x), y, 1e-9) << x;

    const PlotInputs in = PlotInputsFor(m, 0, 40, 0, 30);
    EXPECT_FALSE(in.drawPoints);
    EXPECT_TRUE(in.comparisonLegend.isEmpty());
    ASSERT_EQ(in.polylines.size(), 2);
    const PlotLayout L = Lay(in);
    EXPECT_TRUE(L.markers.isEmpty());
    EXPECT_TRUE(TextsNamed(L, QStringLiteral("凡例")).isEmpty());
    const QList<QPoint>& grade1 = L.curves[0].polylines[0];
    EXPECT_EQ(L.curves[0].pen, (PlotPen{0xFF0000, PenSolid, 1}));
    EXPECT_EQ(grade1.first(), QPoint(L.px(1), L.py(18)));
    EXPECT_EQ(grade1.last(), QPoint(L.px(39.5), L.py(EvalSeriesCurve(m.pointSet[1], 2, 1, 39.5))));
    const auto numeral = TextsNamed(L, QStringLiteral("Ⅰ"));
    ASSERT_EQ(numeral.size(), 1);
    EXPECT_EQ(numeral[0]->topLeft, grade1.last() + QPoint(10, -10));
    EXPECT_EQ(numeral[0]->color, TColor(0x000080));
    // A grade starting at step 0 begins on the bottom edge of the plot area.
    EXPECT_EQ(L.curves[1].polylines[0].first(), QPoint(L.px(0), L.plotBottom));
    EXPECT_EQ(TextsNamed(L, QStringLiteral("Ⅲ")).size(), 1);
}

TEST(ComparisonPlot, OptimalWageDrawsTheDiagonalAndTwoDottedLevelLines)
{
    for (int graph : {0, 1}) {
        ChartModel m = Model(ChartOptimalWage);
        for (int i = 0; i < 9; ++i) {
            m.marks[i].MARK = QStringLiteral("●");
            m.marks[i].KCOLOR = 0x00FF00 + i;
            m.marks[i].KHABA = 1;
        }
        for (auto [x, y] : {std::pair{20.0, 21.0}, {30.0, 29.0}, {40.0, 40.5}})
            AddSeriesPoint(m.pointSet, QStringLiteral("●"), 0, y, x, 1);
        FinishSeriesMeans(m.pointSet);
        m.settings.CGRAPH = graph;
        m.settings.SJYUN1 = 10;
        m.settings.SJYUN2 = -10;
        FillOptimalWageDiagonal(m.pointSet, QStringLiteral("基本給"), 2, m.comparisonSet);
        m.comparisonMarks = m.marks;
        const PlotInputs in = PlotInputsFor(m, 0, 50, 0, 50);
        ASSERT_EQ(in.curves.size(), 3) << graph;
        const PlotPen diagonal = graph == 0 ? PlotPen{0x008000, PenSolid, 2} : PlotPen{0x00FF00, PenSolid, 1};
        EXPECT_EQ(in.curves[0].pen, diagonal);
        EXPECT_EQ(in.curves[1].pen, (PlotPen{diagonal.color, PenDot, 1}));
        EXPECT_NEAR(in.curves[0].value(30), 30, 1e-9);
        EXPECT_NEAR(in.curves[1].value(30), 33, 1e-9);
        EXPECT_NEAR(in.curves[2].value(30), 27, 1e-9);
        EXPECT_DOUBLE_EQ(in.curves[0].minX, 20);
        EXPECT_DOUBLE_EQ(in.curves[0].maxX, 40);
    }
}
