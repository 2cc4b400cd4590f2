// Drawn curves: the capture arithmetic, the capture refusals, 取込 into DSPDRAW, loading the
// five slots and the layout of the drawn curves and captured points.
#include "plot/DrawnCurves.h"
#include "store/DataModule.h"
#include "store/RecordAccess.h"
#include "support/RecordedFailures.h"
#include "support/TestProject.h"

#include <gtest/gtest.h>

namespace {

TEST(DrawnCurveCapture, ClickToDataRounding)
{
    PlotLayout L;
    L.plotLeft = 100;
    L.plotWidth = 400;
    L.plotBottom = 500;
    L.plotHeight = 400;
    L.Xmin = 20;
    L.Xmax = 60;
    L.Ymin = 0;
    L.Ymax = 40;
    struct Case {
        QPoint click;
        int x;
        long long yen;
    } cases[] = {
        {{200, 500}, 30, 0},           // 100 px right of plotLeft on 400 px of 20..60
        {{105, 500}, 21, 0},           // 20.5 rounds away from zero
        {{500, 265}, 60, 235000},      // 23.5 万円
        {{100, 100}, 20, 400000},
    };
    for (const Case& c : cases) {
        const CapturedPoint p = CapturePoint(L, c.click);
        EXPECT_EQ(p.x, c.x) << c.click.x();
        EXPECT_EQ(p.yen, c.yen) << c.click.y();
        EXPECT_EQ(p.pixel, c.click);
    }
    // 23.46 万円 → 234.6 → 235 → 235,000 yen.
    L.plotHeight = 10000;
    L.plotBottom = 10000;
    L.Ymax = 100;
    EXPECT_EQ(CapturePoint(L, {200, 10000 - 2346}).yen, 235000);
}

TEST(DrawnCurveCapture, RefusalsComeInOrder)
{
    EXPECT_EQ(CaptureRefusal(QStringLiteral("0"), 0), QStringLiteral("描画番号 を、入力して下さい。"));
    EXPECT_EQ(CaptureRefusal(QString(), 0), QStringLiteral("描画番号 を、入力して下さい。"));
    EXPECT_EQ(CaptureRefusal(QStringLiteral("6"), 0), QStringLiteral("描画番号 は、１～５ を入力して下さい。"));
    EXPECT_EQ(CaptureRefusal(QStringLiteral("a"), 0), QStringLiteral("描画番号 は、１～５ を入力して下さい。"));
    EXPECT_EQ(CaptureRefusal(QStringLiteral("5"), 6), QStringLiteral("６点以上は、プロットできません。"));
    EXPECT_EQ(CaptureRefusal(QStringLiteral("5"), 5), QString());
}

TEST(DrawnCurveStore, ThreePointsStoreZerosAndReplaceTheCurveWithTheSlotPen)
{
    RecordedFailures failures;
    TestProgramFolder folder;
    OpenTestProject(folder, {.kco = 3, .year = 2024});
    const Session& s = folder.session();
    DbConnection& cn = folder.fdm().ACN2;

    const Outcome one = StoreCapturedCurve(s, 3, 1, 2, {CapturedPoint{{}, 20, 200000}}, {});
    EXPECT_FALSE(one.ok);
    EXPECT_EQ(one.text, QStringLiteral("取込む点を２～６箇所をポイントして下さい。"));
    EXPECT_EQ(one.caption, AppTitle);

    ASSERT_TRUE(StoreCapturedCurve(s, 3, 1, 2, {CapturedPoint{{}, 20, 200000}, CapturedPoint{{}, 30, 250000}}, {}).ok);
    ASSERT_TRUE(StoreCapturedCurve(s, 3, 1, 4, {CapturedPoint{{}, 20, 1}, CapturedPoint{{}, 30, 2}}, {}).ok);
    const QList<CapturedPoint> three = {{{}, 22, 210000}, {{}, 30, 260000}, {{}, 40, 300000}};
    const Outcome stored = StoreCapturedCurve(s, 3, 1, 2, three, SlotPen{QStringLiteral("clRed"), 2, 3});
    ASSERT_TRUE(stored.ok);
    EXPECT_FALSE(stored.hasMessage());
    EXPECT_TRUE(failures.reports.isEmpty());

    EXPECT_EQ(Scalar(cn, "SELECT count(*) FROM DSPDRAW WHERE KCO = 3 AND NENDO = 2024 AND SDCO = 3"), "2");
    EXPECT_EQ(Scalar(cn, "SELECT SNENREI1 || ',' || CAST(SKIN1 AS INTEGER) || ',' || SNENREI3 || ',' || CAST(SKIN3 AS INTEGER) || ',' || SNENREI4 || ','"
                         " || CAST(SKIN4 AS INTEGER) || ',' || SNENREI6 || ',' || CAST(SKIN6 AS INTEGER) || ',' || FCHKS || ',' || FREN || ',' || SCOLOR"
                         " || ',' || SSYURUI || ',' || SHABA FROM DSPDRAW WHERE SDCO = 3 AND X = 1 AND Y = 2"),
              "22,210000,40,300000,0,0,0,0,1,1,clRed,2,3");
    EXPECT_EQ(Scalar(cn, "SELECT SCOLOR || ',' || SHABA FROM DSPDRAW WHERE SDCO = 3 AND Y = 4"), "clBlack,0");
}

TEST(DrawnCurveStore, ACurveNumberOutsideOneToFiveStoresNothing)
{
    TestProgramFolder folder;
    OpenTestProject(folder, {.kco = 3, .year = 2024});
    const QList<CapturedPoint> two = {{{}, 20, 200000}, {{}, 30, 250000}};
    const struct {
        int n;
        QString refusal;
    } cases[] = {{0, QStringLiteral("描画番号 を、入力して下さい。")}, {6, QStringLiteral("描画番号 は、１～５ を入力して下さい。")}};
    for (const auto& c : cases) {
        const Outcome o = StoreCapturedCurve(folder.session(), c.n, 1, 2, two, {});
        EXPECT_FALSE(o.ok) << c.n;
        EXPECT_EQ(o.text, c.refusal) << c.n;
    }
    EXPECT_EQ(Scalar(folder.fdm().ACN2, "SELECT count(*) FROM DSPDRAW"), "0");
}

TEST(DrawnCurveEntry, CurveNumberLeftAcceptsZeroToFiveAndRestoresTheLastOtherwise)
{
    struct Case {
        const char* typed;
        bool ok;
        const char* message;
        const char* text;
        int value;
    } cases[] = {
        {"0", true, "", "0", 0},
        {"3", true, "", "3", 3},
        {" 5", true, "", "5", 5},
        {"6", false, "入力範囲外です。1 ～ 5 の値を入力して下さい。", "2", 2},
        {"-1", false, "入力範囲外です。1 ～ 5 の値を入力して下さい。", "2", 2},
        {"x", false, "数値を入力してください。", "2", 2},
        {"", false, "数値を入力してください。", "2", 2},
    };
    for (const Case& c : cases) {
        const RangeEntry e = CheckDrawNumberEntry(QString::fromUtf8(c.typed), 2);
        EXPECT_EQ(e.ok, c.ok) << c.typed;
        EXPECT_EQ(e.message, QString::fromUtf8(c.message)) << c.typed;
        EXPECT_EQ(e.text, QString::fromUtf8(c.text)) << c.typed;
        EXPECT_EQ(e.value, c.value) << c.typed;
    }
    EXPECT_EQ(DrawNumberOf(QStringLiteral("4")), 4);
    EXPECT_EQ(DrawNumberOf(QStringLiteral("x")), 1);
}

// A DSPDRAW row of the test project (company 3, 2024).
TSPDRAW_ Row(int sdco, int x, int y, int fchks, std::array<int, 6> xs, std::array<double, 6> yens, const char* colour,
             int style, int width)
{
    TSPDRAW_ r;
    r.KCO = QStringLiteral("3");
    r.NENDO = QStringLiteral("2024");
    r.SDCO = QString::number(sdco);
    r.X = x;
    r.Y = y;
    r.FCHKS = fchks;
    r.FREN = 1;
    r.SNENREI1 = xs[0], r.SNENREI2 = xs[1], r.SNENREI3 = xs[2], r.SNENREI4 = xs[3], r.SNENREI5 = xs[4], r.SNENREI6 = xs[5];
    r.SKIN1 = yens[0], r.SKIN2 = yens[1], r.SKIN3 = yens[2], r.SKIN4 = yens[3], r.SKIN5 = yens[4], r.SKIN6 = yens[5];
    r.HANREI = QStringLiteral("設計%1").arg(sdco);
    r.SETSUMEI = QStringLiteral("説明%1").arg(sdco);
    r.SCOLOR = QString::fromUtf8(colour);
    r.SSYURUI = style;
    r.SHABA = width;
    return r;
}

TEST(DrawnCurveLoad, SlotsOfTheItemPairMarkedForDrawingFillSeriesInManYen)
{
    TestProgramFolder folder;
    OpenTestProject(folder, {.kco = 3, .year = 2024});
    const Session& s = folder.session();
    DbConnection& cn = folder.fdm().ACN2;
    TSPDRAW_ rows[] = {
        Row(3, 1, 2, 1, {22, 30, 40, 0, 0, 0}, {210000, 234560, 234499, 0, 0, 0}, "clRed", 2, 0),
        Row(1, 1, 2, 0, {20, 30, 0, 0, 0, 0}, {200000, 250000, 0, 0, 0, 0}, "clBlue", 0, 1),   // not for drawing
        Row(5, 1, 2, 1, {25, 0, 35, 0, 0, 0}, {220000, 0, 280000, 0, 0, 0}, "", 0, 3),         // a gap in the middle
        Row(2, 1, 4, 1, {20, 30, 0, 0, 0, 0}, {1, 2, 0, 0, 0, 0}, "clRed", 0, 1),             // another Y item
    };
    for (TSPDRAW_& r : rows)
        ASSERT_TRUE(Insert(cn, false, r));

    QList<TSPDRAW_> all;
    ASSERT_TRUE(ReadDrawnCurveRows(s, 1, 2, false, all));
    ASSERT_EQ(all.size(), 3);
    EXPECT_EQ(all[0].SDCO, "1");   // SDCO order
    EXPECT_EQ(all[2].SDCO, "5");

    DrawnSlots drawn;
    TSeriesSet set;
    LoadDrawnCurves(s, 1, 2, 2, drawn, set);
    EXPECT_EQ(drawn[0].FCHKS, 0);
    EXPECT_EQ(drawn[0].SNENREI[0], 0);   // FCHKS 0 is not loaded
    EXPECT_EQ(drawn[1].HANREI, QString());
    const TSPD_& three = drawn[2];
    EXPECT_EQ(three.FCHKS, 1);
    EXPECT_EQ(three.SNENREI, (std::array<int, 6>{22, 30, 40, 0, 0, 0}));
    EXPECT_EQ(three.SKIN[1], 234560);
    EXPECT_EQ(three.HANREI, QStringLiteral("設計3"));
    EXPECT_EQ(three.color, 0x0000FFu);
    EXPECT_EQ(three.style, 2);
    EXPECT_EQ(three.width, 0);
    EXPECT_EQ(drawn[4].color, 0u);   // empty SCOLOR: black

    EXPECT_EQ(set[3].count, 3);
    EXPECT_EQ(set[3].xs, (std::vector<double>{22, 30, 40}));
    EXPECT_EQ(set[3].ys, (std::vector<double>{21.0, 23.5, 23.4}));   // yen ÷ 10000 to one decimal
    EXPECT_EQ(set[3].name, QStringLiteral("設計3"));
    EXPECT_EQ(set[5].xs, (std::vector<double>{25, 35}));             // the zero pair is skipped
    EXPECT_EQ(set[1].count + set[2].count + set[4].count, 0);
    EXPECT_EQ(set[0].count, 5);
    EXPECT_DOUBLE_EQ(set[0].minX, 22);
    EXPECT_DOUBLE_EQ(set[0].maxY, 28);
    EXPECT_DOUBLE_EQ(set[0].meanX, (22 + 30 + 40 + 25 + 35) / 5.0);

    EXPECT_EQ(PenOfSlot(three).colourName, QStringLiteral("clRed"));
    EXPECT_EQ(PenOfSlot(drawn[1]).colourName, QStringLiteral("clBlack"));   // an empty slot: black, solid, 0
    EXPECT_EQ(PenOfSlot(drawn[1]).width, 0);
}

// Window 1000 × 700, panel 73, fixed font (characters as wide as the size, lines size + 3):
// originX 146, axisRight 859, axisTop 30, originY 619; X 20..60 → plotLeft 176, width 663;
// Y 0..50 → plotBottom 619, height 569.
PlotLayout LayDrawn(const QList<PlotDrawnCurveInput>& curves, const QList<QPoint>& captured = {})
{
    PlotInputs in;
    in.chartId = ChartCurveDesign;
    in.Xmin = 20;
    in.Xmax = 60;
    in.Ymin = 0;
    in.Ymax = 50;
    in.XPITCH = in.YPITCH = 5;
    in.drawPoints = false;
    in.drawnCurves = curves;
    in.captured = captured;
    const TextMeasure fixed{[](const QString& t, int size) { return int(t.size()) * size; },
                            [](const QString&, int size) { return size + 3; }};
    return LayOutPlot(in, QSize(1000, 700), 73, fixed);
}

QList<PlacedText> TextsOf(const PlotLayout& L, const QString& text)
{
    QList<PlacedText> found;
    for (const PlacedText& t : L.texts)
        if (t.text == text)
            found << t;
    return found;
}

TEST(DrawnCurveLayout, StoredCurvesDrawMarksNumbersLegendAndPolylines)
{
    DrawnSlots drawn;
    drawn[2].FCHKS = 1;
    drawn[2].SNENREI = {20, 40, 60, 0, 0, 0};
    drawn[2].SKIN = {200000, 300000, 400000, 0, 0, 0};
    drawn[2].HANREI = QStringLiteral("設計3");
    drawn[2].color = 0x0000FF;
    drawn[2].width = 0;
    drawn[4].FCHKS = 1;
    drawn[4].SNENREI = {30, 50, 0, 0, 0, 0};
    drawn[4].SKIN = {250000, 350000, 0, 0, 0, 0};
    drawn[4].color = 0xFF0000;
    drawn[4].style = 1;
    drawn[4].width = 2;
    TSeriesSet set;
    FillDrawnCurveSeries(drawn, 2, set);
    const QList<PlotDrawnCurveInput> curves = DrawnCurveInputs(drawn, set);
    ASSERT_EQ(curves.size(), 2);
    EXPECT_EQ(curves[0].number, 3);
    EXPECT_EQ(curves[1].number, 5);

    const PlotLayout L = LayDrawn(curves);
    const int x20 = L.px(20), x40 = L.px(40), x60 = L.px(60);
    const int y20 = L.py(20), y30 = L.py(30), y40 = L.py(40);
    // "＋" centred on each of the five stored points only (9 wide, 12 high in the fixed font):
    // the zero pairs are not drawn.
    QList<QPoint> pluses;
    for (const PlacedText& t : TextsOf(L, QStringLiteral("＋")))
        pluses << t.topLeft;
    EXPECT_EQ(pluses, (QList<QPoint>{{x20 - 4, y20 - 6}, {x40 - 4, y30 - 6}, {x60 - 4, y40 - 6},
                                     {L.px(30) - 4, L.py(25) - 6}, {L.px(50) - 4, L.py(35) - 6}}));
    // "(n)" 5 pixels right of and 10 above the last point, in the curve's colour.
    const QList<PlacedText> three = TextsOf(L, QStringLiteral("(3)"));
    ASSERT_EQ(three.size(), 1);
    EXPECT_EQ(three[0].topLeft, QPoint(x60 + 5, y40 - 10));
    EXPECT_EQ(three[0].color, 0x0000FFu);
    // Legend at (axisRight + 20, axisTop + 95 + 15 k), k counting the drawn curves.
    ASSERT_EQ(TextsOf(L, QStringLiteral("(3) 設計3")).size(), 1);
    EXPECT_EQ(TextsOf(L, QStringLiteral("(3) 設計3"))[0].topLeft, QPoint(879, 125));
    ASSERT_EQ(TextsOf(L, QStringLiteral("(5) ")).size(), 1);
    EXPECT_EQ(TextsOf(L, QStringLiteral("(5) "))[0].topLeft, QPoint(879, 140));
    // Polylines through the points in stored order; a width of 0 is drawn as 1.
    ASSERT_EQ(L.curves.size(), 2);
    EXPECT_EQ(L.curves[0].polylines, (QList<QList<QPoint>>{{{x20, y20}, {x40, y30}, {x60, y40}}}));
    EXPECT_EQ(L.curves[0].pen, (PlotPen{0x0000FF, 0, 1}));
    EXPECT_EQ(L.curves[1].pen, (PlotPen{0xFF0000, 1, 2}));
    EXPECT_TRUE(L.circles.isEmpty());
}

TEST(DrawnCurveLayout, TheLegendMovesBelowTheEmployeesLegendAndWidensForTallFonts)
{
    PlotDrawnCurveInput c;
    c.number = 2;
    c.points = {{30, 20}, {40, 30}};
    c.legend = QStringLiteral("案");
    struct Case {
        int marksWithPoints;
        int top;               // where "(2) 案" goes
    } cases[] = {
        {0, 125},                                // axisTop + 95
        {3, 125},                                // three lines of the employees' legend end above it
        {9, 30 + 15 + 2 + 9 * (17 + 2) - 10},    // nine lines reach further: the next line's place
    };
    const TextMeasure fixed{[](const QString& t, int size) { return int(t.size()) * size; },
                            [](const QString&, int size) { return size + 3; }};
    for (const Case& k : cases) {
        PlotInputs in;
        in.chartId = ChartCurveDesign;
        in.Xmin = 20, in.Xmax = 60, in.Ymax = 50;
        in.drawPoints = k.marksWithPoints > 0;
        for (int i = 0; i < 9; ++i) {
            in.marks[i].MARK = QStringLiteral("●");
            in.marks[i].MKSIZE = 14;
            in.seriesCount[i + 1] = i < k.marksWithPoints ? 1 : 0;
        }
        in.drawnCurves = {c, c};
        const PlotLayout L = LayOutPlot(in, QSize(1000, 700), 73, fixed);
        const QList<PlacedText> legend = TextsOf(L, QStringLiteral("(2) 案"));
        ASSERT_EQ(legend.size(), 2) << k.marksWithPoints;
        EXPECT_EQ(legend[0].topLeft, QPoint(879, k.top)) << k.marksWithPoints;
        EXPECT_EQ(legend[1].topLeft.y() - legend[0].topLeft.y(), 15);
    }
    // A font taller than the 15-pixel pitch spaces the lines by its height.
    PlotInputs in;
    in.chartId = ChartCurveDesign;
    in.Xmin = 20, in.Xmax = 60, in.Ymax = 50;
    in.drawPoints = false;
    in.drawnCurves = {c, c};
    const TextMeasure tall{[](const QString& t, int size) { return int(t.size()) * size; },
                           [](const QString&, int size) { return size + 10; }};
    const QList<PlacedText> legend = TextsOf(LayOutPlot(in, QSize(1000, 700), 73, tall), QStringLiteral("(2) 案"));
    ASSERT_EQ(legend.size(), 2);
    EXPECT_EQ(legend[1].topLeft.y() - legend[0].topLeft.y(), 19);
}

TEST(DrawnCurveLayout, ALineWhoseSeriesStartsAtZeroRisesFromTheBottomEdge)
{
    PlotDrawnCurveInput c;
    c.number = 1;
    c.points = {{30, 20}, {40, 30}};
    PlotLayout L = LayDrawn({c});
    ASSERT_EQ(L.curves.size(), 1);
    EXPECT_EQ(L.curves[0].polylines[0].first(), QPoint(L.px(30), L.py(20)));
    c.startsOnBottom = true;
    L = LayDrawn({c});
    EXPECT_EQ(L.curves[0].polylines[0],
              (QList<QPoint>{{L.px(30), L.plotBottom}, {L.px(30), L.py(20)}, {L.px(40), L.py(30)}}));
}

TEST(DrawnCurveLayout, CapturedPointsGetCirclesJoinedByBlackLines)
{
    const QList<QPoint> clicks = {{300, 400}, {400, 300}, {500, 350}};
    const PlotLayout L = LayDrawn({}, clicks);
    ASSERT_EQ(L.circles.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(L.circles[i].centre, clicks[i]);
        EXPECT_EQ(L.circles[i].radius, 5);
    }
    int joins = 0;
    for (const PlacedLine& l : L.lines)
        if ((l.from == clicks[0] && l.to == clicks[1]) || (l.from == clicks[1] && l.to == clicks[2])) {
            EXPECT_EQ(l.pen, (PlotPen{0, 0, 1}));
            ++joins;
        }
    EXPECT_EQ(joins, 2);
    EXPECT_TRUE(L.curves.isEmpty());
}

} // namespace
