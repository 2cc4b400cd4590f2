// The drawn curves on the plot window of the raise-curve design (chart 1050) on a sample
// company: clicking points, １点消去, the refusals, 取込 into DSPDRAW, the repainted curve and
// the design screen showing the curve taken.
#include "plot/ChartModel.h"
#include "plot/DrawnCurves.h"
#include "plot/PlotPrint.h"
#include "plot/PlotSetup.h"
#include "plot/screens/TPX1050.h"
#include "plot/screens/TPX1100.h"
#include "core/Numbers.h"
#include "store/DataModule.h"
#include "store/RecordAccess.h"
#include "support/screens/SamplePlotTest.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace {

class DrawnCurveScreen : public SamplePlotTest {
protected:
    static constexpr int XCode = 0;   // 年齢
    static constexpr int YCode = 2;   // 基本給

    void TearDown() override
    {
        UnregisterSetupScreen(ChartCurveDesign, nullptr);
        SamplePlotTest::TearDown();
    }

    // The set-up of the raise-curve design as its screen runs it: the wage plot's items,
    // CGRAPH from the plot-mark choice.
    static PlotSetupVariant DesignVariant()
    {
        if (const PlotSetupVariant* v = SetupVariant(ChartCurveDesign))
            return *v;
        PlotSetupVariant v = *SetupVariant(ChartWagePlot);
        v.screenId = ChartCurveDesign;
        v.caption = QStringLiteral("昇給カーブの設計");
        v.yItems[4].caption = QStringLiteral("賞　与");
        v.graphAlways = false;
        return v;
    }

    // Writes MCHART and DCHART for chart 1050 (age against basic pay, every employee) and
    // opens the plot window on it.
    TPX1100& openDesignPlot(int graphMode)
    {
        PlotSetupChoices c;
        c.title = QStringLiteral("設計");
        c.fx = XCode;
        c.fy = YCode;
        c.marks.fill(true);
        c.grades.fill(true);
        c.graphMode = graphMode;
        c.markLabel = 1;
        TChart_ row;
        EXPECT_TRUE(LoadSetupRow(CurrentSession(), DesignVariant(), row));
        EXPECT_EQ(RunSetupAnalysis(CurrentSession(), DesignVariant(), c).status, SetupAnalysis::Plotted);
        EXPECT_EQ(chart(ChartCurveDesign, "CGRAPH"), QString::number(graphMode));
        SetCurrentChart(ChartCurveDesign);
        TPX1100& plot = PlotWindow();
        plot.resize(1280, 800);
        plot.show();
        plot.OpenPlot();
        return plot;
    }

    void storeCurve(int sdco, std::array<int, 3> xs, std::array<double, 3> yens, const char* colour, int style, int width)
    {
        TSPDRAW_ r;
        r.KCO = QStringLiteral("1");
        r.NENDO = QString::number(Year);
        r.SDCO = QString::number(sdco);
        r.X = XCode;
        r.Y = YCode;
        r.FCHKS = 1;
        r.FREN = 1;
        r.SNENREI1 = xs[0], r.SNENREI2 = xs[1], r.SNENREI3 = xs[2];
        r.SKIN1 = yens[0], r.SKIN2 = yens[1], r.SKIN3 = yens[2];
        r.HANREI = QStringLiteral("設計%1").arg(sdco);
        r.SCOLOR = QString::fromUtf8(colour);
        r.SSYURUI = style;
        r.SHABA = width;
        ASSERT_TRUE(Insert(folder.fdm().ACN2, false, r));
    }

    static void click(TPX1100& plot, QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(&plot, button, Qt::NoModifier, at);
    }
    static void typeNumber(TPX1100& plot, const QString& text)
    {
        plot.findChild<QLineEdit*>("txtDispNo")->setText(text);
        EXPECT_TRUE(plot.txtDispNoExit());
    }
};

} // namespace

TEST_F(DrawnCurveScreen, ThreeClickedPointsAreStoredAsCurveThreeWithItsSlotPenAndDrawn)
{
    // An earlier curve 3 of the same items, reaching past the employees: it widens the ranges
    // and lends its pen to the curve that replaces it.
    storeCurve(3, {25, 70, 0}, {200000, 900000, 0}, "clGreen", 1, 2);
    int notified = 0;
    RegisterSetupScreen(ChartCurveDesign, {nullptr, {}, [&notified] { ++notified; }});
    TPX1100& plot = openDesignPlot(0);

    for (const char* name : {"txtDispNo", "btnImport", "btn1Dlt"})
        EXPECT_TRUE(child<QWidget>(plot, name)->isVisibleTo(&plot)) << name;
    QLineEdit* number = child<QLineEdit>(plot, "txtDispNo");
    EXPECT_EQ(number->text(), "0");
    EXPECT_EQ(number->maxLength(), 2);
    const ChartRanges r = plot.model().ranges;
    EXPECT_GE(r.Xmax, 70);
    EXPECT_GE(r.Ymax, 90);
    EXPECT_EQ(plot.model().comparisonSet[3].count, 2);
    PlotLayout L = plot.currentLayout();
    EXPECT_TRUE(L.markers.isEmpty());   // CGRAPH 0: the curves without the employees

    // Without a curve number nothing is captured.
    const QPoint first(L.px(r.Xmin + 5), L.py(20));
    click(plot, first);
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("描画番号 を、入力して下さい。")});
    EXPECT_TRUE(plot.captured().isEmpty());
    dialogs.clear();

    typeNumber(plot, "3");
    const QList<QPoint> clicks = {first, {L.px(r.Xmin + 15), L.py(28)}, {L.px(r.Xmin + 25), L.py(34)}};
    click(plot, clicks[0]);
    click(plot, clicks[1], Qt::MiddleButton);
    click(plot, {L.px(r.Xmin + 20), L.py(60)});
    plot.btn1DltClick();   // the last point goes
    click(plot, clicks[2]);
    ASSERT_EQ(plot.captured().size(), 3);
    for (int i = 0; i < 3; ++i) {
        const CapturedPoint expected = CapturePoint(L, clicks[i]);
        EXPECT_EQ(plot.captured()[i].pixel, clicks[i]);
        EXPECT_EQ(plot.captured()[i].x, expected.x);
        EXPECT_EQ(plot.captured()[i].yen, expected.yen);
        EXPECT_EQ(expected.yen % 1000, 0);
    }
    EXPECT_EQ(plot.captured()[1].x, r.Xmin + 15);
    EXPECT_EQ(plot.currentLayout().circles.size(), 3);
    EXPECT_TRUE(dialogs.texts().isEmpty());

    plot.btnImportClick();
    EXPECT_TRUE(dialogs.texts().isEmpty());
    EXPECT_EQ(db("SELECT count(*) FROM DSPDRAW WHERE KCO = 1 AND NENDO = 2020 AND SDCO = 3"), "1");
    EXPECT_TRUE(plot.captured().isEmpty());
    EXPECT_EQ(number->text(), "0");
    EXPECT_EQ(notified, 1);

    const TSPD_& slot = plot.model().drawnSlots[2];
    const QString stored = db("SELECT SNENREI1 || ',' || SNENREI2 || ',' || SNENREI3 || ',' || SNENREI4 || ',' || SNENREI6"
                              " || ',' || CAST(SKIN4 AS INTEGER) || ',' || FCHKS || ',' || SCOLOR || ',' || SSYURUI || ','"
                              " || SHABA FROM DSPDRAW WHERE SDCO = 3 AND X = 0 AND Y = 2");
    EXPECT_EQ(stored, QStringLiteral("%1,%2,%3,0,0,0,1,clGreen,1,2")
                          .arg(slot.SNENREI[0]).arg(slot.SNENREI[1]).arg(slot.SNENREI[2]));
    EXPECT_EQ(slot.SNENREI[1], r.Xmin + 15);
    EXPECT_EQ(db("SELECT CAST(SKIN2 AS INTEGER) FROM DSPDRAW WHERE SDCO = 3"), QString::number(qint64(slot.SKIN[1])));

    // The repainted plot draws the new curve 3 through the stored points, in its pen.
    L = plot.currentLayout();
    EXPECT_TRUE(L.circles.isEmpty());
    QList<QPoint> vertices;
    for (int k = 0; k < 3; ++k)
        vertices << QPoint(L.px(slot.SNENREI[k]), L.py(std::round(slot.SKIN[k] / 1000.0) / 10.0));
    const PlacedCurve* drawn = nullptr;
    for (const PlacedCurve& c : L.curves)
        if (c.polylines.value(0) == vertices)
            drawn = &c;
    ASSERT_NE(drawn, nullptr);
    EXPECT_EQ(drawn->pen, (PlotPen{0x008000, 1, 2}));
    int numbers = 0;
    for (const PlacedText& t : L.texts)
        if (t.text == QStringLiteral("(3)")) {
            EXPECT_EQ(t.topLeft, vertices.last() + QPoint(5, -10));
            ++numbers;
        }
    EXPECT_EQ(numbers, 1);
    const QImage image = plot.renderPlot(plot.size());
    const QPoint mid = (vertices[0] + vertices[1]) / 2;
    bool green = false;
    for (int dx = -2; dx <= 2; ++dx)
        for (int dy = -2; dy <= 2; ++dy)
            green = green || image.pixel(mid + QPoint(dx, dy)) == qRgb(0, 0x80, 0);
    EXPECT_TRUE(green);

    // The printed legend of the chart finds the stored curve through the same reader.
    EXPECT_TRUE(PlotPrintDataOf(CurrentSession(), plot.model()).curves[2].has_value());
    EXPECT_FALSE(PlotPrintDataOf(CurrentSession(), plot.model()).curves[0].has_value());
}

TEST_F(DrawnCurveScreen, RefusalsOfTheCaptureOnePointDeleteAndImport)
{
    TPX1100& plot = openDesignPlot(0);
    const PlotLayout L = plot.currentLayout();
    const QPoint at(L.px(L.Xmin + 10), L.py(L.Ymin + 10));

    plot.btn1DltClick();
    plot.btnImportClick();
    typeNumber(plot, "1");
    QTest::mouseClick(child<QWidget>(plot, "Panel1"), Qt::LeftButton, Qt::NoModifier, {30, 600});
    EXPECT_TRUE(plot.captured().isEmpty());   // the panel is not the plot
    click(plot, at);
    plot.btnImportClick();   // one point is not a curve
    for (int i = 1; i < MaxCapturedPoints; ++i)
        click(plot, at + QPoint(10 * i, 0));
    click(plot, at + QPoint(100, 0));
    EXPECT_EQ(dialogs.texts(), (QStringList{QStringLiteral("消去する点はありません。"),
                                            QStringLiteral("取込む点を２～６箇所をポイントして下さい。"),
                                            QStringLiteral("取込む点を２～６箇所をポイントして下さい。"),
                                            QStringLiteral("６点以上は、プロットできません。")}));
    EXPECT_EQ(plot.captured().size(), MaxCapturedPoints);
    EXPECT_EQ(db("SELECT count(*) FROM DSPDRAW"), "0");

    // 描画番号 checked when left: a refused text gives way to the number accepted last.
    dialogs.clear();
    QLineEdit* number = child<QLineEdit>(plot, "txtDispNo");
    number->setText("6");
    EXPECT_FALSE(plot.txtDispNoExit());
    EXPECT_EQ(number->text(), "1");
    number->setText("a");
    EXPECT_FALSE(plot.txtDispNoExit());
    EXPECT_EQ(number->text(), "1");
    EXPECT_EQ(dialogs.texts(), (QStringList{QStringLiteral("入力範囲外です。1 ～ 5 の値を入力して下さい。"),
                                            QStringLiteral("数値を入力してください。")}));

    // Opening the plot again forgets the capture.
    plot.OpenPlot();
    EXPECT_TRUE(plot.captured().isEmpty());
}

TEST_F(DrawnCurveScreen, EmployeePointsOnlyWithThePlotMarkChoiceAndAClickOnOneOpensItsMenu)
{
    TPX1100& plot = openDesignPlot(1);
    const PlotLayout L = plot.currentLayout();
    ASSERT_FALSE(L.markers.isEmpty());
    typeNumber(plot, "2");
    click(plot, L.markers.first().hitArea.center());
    EXPECT_TRUE(plot.captured().isEmpty());
    EXPECT_NE(plot.clickedEmployee(), 0);
    plot.pointMenu()->close();

    // Right button: the plot's menu, no capture.
    click(plot, {L.px(L.Xmax) - 3, L.axisTop + 25}, Qt::RightButton);
    EXPECT_TRUE(plot.captured().isEmpty());
    plot.rightMenu()->close();

    // Chart 1010 keeps the drawn-curve controls hidden and captures nothing.
    SetCurrentChart(ChartWagePlot);
    PlotSetupChoices wage;
    wage.marks.fill(true);
    wage.grades.fill(true);
    TChart_ row;
    EXPECT_TRUE(LoadSetupRow(CurrentSession(), *SetupVariant(ChartWagePlot), row));
    EXPECT_EQ(RunSetupAnalysis(CurrentSession(), *SetupVariant(ChartWagePlot), wage).status, SetupAnalysis::Plotted);
    plot.OpenPlot();
    EXPECT_FALSE(child<QWidget>(plot, "btnImport")->isVisibleTo(&plot));
    click(plot, {plot.currentLayout().originX + 5, plot.currentLayout().axisTop + 5});
    EXPECT_TRUE(plot.captured().isEmpty());
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

TEST_F(DrawnCurveScreen, TheDesignScreenShowsTheCurveTakenFromItsPlotAsAChange)
{
    TPX1050 design;
    design.Prepare();
    press(design, "btnPlotAll");
    press(design, "btnTokyuAll");
    child<QRadioButton>(design, "optSex3")->click();
    child<QRadioButton>(design, "optSalaryAll")->click();
    child<QLineEdit>(design, "txtTitle")->setText(QStringLiteral("設計"));
    press(design, "btnAdd");
    ASSERT_FALSE(design.changed());
    press(design, "btnExec");
    ASSERT_EQ(CurrentChart(), ChartCurveDesign);

    TPX1100& plot = PlotWindow();
    plot.resize(1280, 800);
    plot.btnExecClick();
    const PlotLayout L = plot.currentLayout();
    typeNumber(plot, "2");
    click(plot, {L.px(L.Xmin + 5), L.py(L.Ymin + 10)});
    click(plot, {L.px(L.Xmin + 20), L.py(L.Ymin + 20)});
    plot.btnImportClick();
    ASSERT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('|').toStdString();

    const TSPD_& slot = plot.model().drawnSlots[1];
    EXPECT_EQ(slot.SNENREI[1], L.Xmin + 20);
    EXPECT_EQ(child<QLineEdit>(design, "txtNenrei21")->text(), QString::number(slot.SNENREI[0]));
    EXPECT_EQ(child<QLineEdit>(design, "txtNenrei22")->text(), QString::number(slot.SNENREI[1]));
    EXPECT_EQ(child<QLineEdit>(design, "txtSyokunou22")->text(), FormatFloat(QStringLiteral("#,##0"), slot.SKIN[1]));
    EXPECT_TRUE(design.changed());
}
