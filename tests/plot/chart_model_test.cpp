// The chart model as numbers: ranges, graph styles, chart marks and the curves a chart draws.
#include "plot/ChartModel.h"

#include "reference/PrintQString.h"
#include "support/RecordedFailures.h"
#include "support/TestProject.h"

#include <gtest/gtest.h>

namespace {

TSeriesSet Points(std::initializer_list<std::array<double, 3>> xyMark)
{
    TSeriesSet set;
    ResetSeriesSet(set);
    for (const auto& p : xyMark)
        AddSeriesPoint(set, QStringLiteral("●"), 0, p[1], p[0], int(p[2]));
    FinishSeriesMeans(set);
    return set;
}

} // namespace

TEST(ChartRangesTest, PitchesRoundOutwardComparisonsWidenAndAnEmptyYGetsFifty)
{
    const TSeriesSet points = Points({{23, 21.4, 1}, {58, 44.2, 2}, {40, 30, 1}});
    const TSeriesSet none = Points({});
    const TSeriesSet living = Points({{18, 12, 1}, {65, 52, 1}});
    struct Case {
        int chart;
        const TSeriesSet* points;
        const TSeriesSet* comparison;
        int xPitch, yPitch;
        ChartRanges want;
    } cases[] = {
        {1010, &points, &living, 5, 5, {20, 60, 20, 45, 60, 20, 90, 45, 20, 67}},
        {1030, &points, &living, 5, 5, {15, 65, 10, 55, 65, 15, 97, 55, 10, 82}},
        {1020, &none, &none, 5, 5, {0, 0, 0, 50, 0, 0, 0, 50, 0, 75}},
        {1010, &points, &none, 0, 0, {0, 0, 0, 50, 0, 0, 0, 50, 0, 75}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chart);
        const ChartRanges r = RangesFor(c.chart, *c.points, *c.comparison, c.xPitch, c.yPitch);
        const int got[10] = {r.Xmin, r.Xmax, r.Ymin, r.Ymax, r.xMinHigh, r.xMaxLow, r.xMaxHigh, r.yMinHigh, r.yMaxLow, r.yMaxHigh};
        const int want[10] = {c.want.Xmin, c.want.Xmax, c.want.Ymin, c.want.Ymax, c.want.xMinHigh,
                              c.want.xMaxLow, c.want.xMaxHigh, c.want.yMinHigh, c.want.yMaxLow, c.want.yMaxHigh};
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(got[i], want[i]) << i;
    }
}

TEST(ChartStylesAndMarks, StyleRowsAndTheRomanNumeralsOfTheWageTableGraph)
{
    TGraph_ row;
    row.CCOLOR = "clRed";
    row.CSYURUI = "2";
    row.CHABA = "3";
    EXPECT_EQ(GraphStyleFromRow(row), (PlotPen{0x0000FF, 2, 3}));
    row.CCOLOR = "$00008000";
    row.CSYURUI = "x";
    row.CHABA = "";
    EXPECT_EQ(GraphStyleFromRow(row), (PlotPen{0x008000, 1, 1}));

    TMMARK project[9];
    for (int i = 0; i < 9; ++i) {
        project[i].MARK = QStringLiteral("●");
        project[i].HANREI = QStringLiteral("一般職");
        project[i].MKCOLOR = 0xFF;
        project[i].MKSIZE = 12;
    }
    EXPECT_EQ(ChartMarks(1020, project)[4].MARK, QStringLiteral("●"));
    const std::array<TMMARK, 9> table = ChartMarks(1060, project);
    EXPECT_EQ(table[0].MARK, QStringLiteral("Ⅰ"));
    EXPECT_EQ(table[8].MARK, QStringLiteral("Ⅸ"));
    EXPECT_TRUE(table[3].HANREI.isEmpty());
    EXPECT_EQ(table[3].MKCOLOR, 0x000080u);
    EXPECT_EQ(table[3].MKSIZE, 9);

    for (const auto& [mkco, index] : std::vector<std::pair<int, int>>{{1, 0}, {9, 8}, {0, 0}, {10, 0}, {-3, 0}})
        EXPECT_EQ(MarkIndexOf(mkco), index) << mkco;
}

TEST(ChartCurves, GraphModeLevelsAndEmptySeriesChooseTheCurves)
{
    ChartModel m;
    m.chartId = 1020;
    m.pointSet = Points({{20, 20, 1}, {30, 26, 1}, {40, 30, 1}, {25, 24, 3}, {35, 29, 3}, {45, 33, 3}});
    FitSeriesSet(m.pointSet, 2);
    for (int i = 0; i < 9; ++i) {
        m.marks[i].MARK = QStringLiteral("●");
        m.marks[i].KCOLOR = TColor(0x10 + i);
        m.marks[i].KSYURUI = 1;
        m.marks[i].KHABA = 3;
    }
    struct Case {
        int chart, cgraph;
        double level1, level2;
        QList<PlotPen> pens;
    } cases[] = {
        {1020, 0, 0, 0, {{0x008000, PenSolid, 2}}},
        {1020, 0, 5, -5, {{0x008000, PenSolid, 2}, {0x008000, PenDot, 1}, {0x008000, PenDot, 1}}},
        {1020, 1, 10, 0, {{0x10, 1, 3}, {0x10, PenDot, 1}, {0x12, 1, 3}, {0x12, PenDot, 1}}},
        {1010, 1, 10, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chart * 10 + c.cgraph);
        m.chartId = c.chart;
        m.settings.CGRAPH = c.cgraph;
        m.settings.SJYUN1 = c.level1;
        m.settings.SJYUN2 = c.level2;
        const PlotInputs in = PlotInputsFor(m, 20, 45, 20, 35);
        QList<PlotPen> pens;
        for (const PlotCurveInput& curve : in.curves)
            pens << curve.pen;
        EXPECT_EQ(pens, c.pens);
        EXPECT_EQ(in.seriesCount[1], 3);
        EXPECT_EQ(in.seriesCount[2], 0);
    }
    // A level line is the fitted curve times 1 + level / 100.
    m.chartId = 1020;
    m.settings.CGRAPH = 0;
    m.settings.SJYUN1 = 10;
    m.settings.SJYUN2 = 0;
    const PlotInputs in = PlotInputsFor(m, 20, 45, 20, 35);
    ASSERT_EQ(in.curves.size(), 2);
    EXPECT_DOUBLE_EQ(in.curves[1].value(30), 1.1 * in.curves[0].value(30));
    EXPECT_DOUBLE_EQ(in.curves[0].value(30), EvalSeriesCurve(m.pointSet[0], 2, 1, 30));
    EXPECT_EQ(in.curves[0].minX, 20);
    EXPECT_EQ(in.curves[0].maxX, 45);
}

TEST(ChartOpening, TheCompanyRowDecidesTheAgeReckoningAndMarkOneSetsTheFont)
{
    RecordedFailures failures;
    TestProgramFolder folder;
    OpenTestProject(folder);
    Session& s = folder.session();
    // The session still counts ages to today and mark 1 has no size; the company row says
    // ages count to the reference date (FNK 0).
    s.ageByToday = true;
    s.project.Marks[0].MKSIZE = 0;
    ChartModel m = OpenChart(s, ChartWagePlot);
    EXPECT_FALSE(s.ageByToday);
    EXPECT_EQ(s.project.Marks[0].MKSIZE, 12);
    EXPECT_EQ(m.fontSize, 12);
    EXPECT_EQ(m.chartId, ChartWagePlot);
    EXPECT_EQ(m.settings.CHCO, QStringLiteral("1010"));
    EXPECT_EQ(m.styles, LoadGraphStyles(s));
    const PlotInputs in = PlotInputsFor(m, 0, 10, 0, 10);
    EXPECT_EQ(in.baseFontSize, 12);
    EXPECT_EQ(in.legendFontSize, 12);

    Exec(folder.fdm().ACN1, "UPDATE MKIGYOU1 SET FNK = 1");
    s.project.Marks[0].MKSIZE = 14;
    m = OpenChart(s, ChartWagePlot);
    EXPECT_TRUE(s.ageByToday);
    EXPECT_EQ(m.fontSize, 14);
    EXPECT_EQ(PlotInputsFor(m, 0, 10, 0, 10).baseFontSize, 14);
    EXPECT_TRUE(failures.reports.isEmpty()) << failures.texts().join('|').toStdString();
}
