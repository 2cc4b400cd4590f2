// Drawn curves: the capture arithmetic, the capture refusals and 取込 into DSPDRAW.
#include "plot/DrawnCurves.h"
#include "store/DataModule.h"
#include "support/ScriptedDialogs.h"
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
    ScriptedDialogs dialogs;
    TestProgramFolder folder;
    OpenTestProject(folder, {.kco = 3, .year = 2024});
    DbConnection& cn = folder.fdm().ACN2;

    EXPECT_FALSE(StoreCapturedCurve(3, 1, 2, {CapturedPoint{{}, 20, 200000}}, {}));
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("取込む点を２～６箇所をポイントして下さい。")});

    ASSERT_TRUE(StoreCapturedCurve(3, 1, 2, {CapturedPoint{{}, 20, 200000}, CapturedPoint{{}, 30, 250000}}, {}));
    ASSERT_TRUE(StoreCapturedCurve(3, 1, 4, {CapturedPoint{{}, 20, 1}, CapturedPoint{{}, 30, 2}}, {}));
    const QList<CapturedPoint> three = {{{}, 22, 210000}, {{}, 30, 260000}, {{}, 40, 300000}};
    ASSERT_TRUE(StoreCapturedCurve(3, 1, 2, three, SlotPen{QStringLiteral("clRed"), 2, 3}));

    EXPECT_EQ(Scalar(cn, "SELECT count(*) FROM DSPDRAW WHERE KCO = 3 AND NENDO = 2024 AND SDCO = 3"), "2");
    EXPECT_EQ(Scalar(cn, "SELECT SNENREI1 || ',' || CAST(SKIN1 AS INTEGER) || ',' || SNENREI3 || ',' || CAST(SKIN3 AS INTEGER) || ',' || SNENREI4 || ','"
                         " || CAST(SKIN4 AS INTEGER) || ',' || SNENREI6 || ',' || CAST(SKIN6 AS INTEGER) || ',' || FCHKS || ',' || FREN || ',' || SCOLOR"
                         " || ',' || SSYURUI || ',' || SHABA FROM DSPDRAW WHERE SDCO = 3 AND X = 1 AND Y = 2"),
              "22,210000,40,300000,0,0,0,0,1,1,clRed,2,3");
    EXPECT_EQ(Scalar(cn, "SELECT SCOLOR || ',' || SHABA FROM DSPDRAW WHERE SDCO = 3 AND Y = 4"), "clBlack,0");
}

} // namespace
