// The cost-of-living, model-wage, wage-table-graph and optimal-wage set-ups on a sample
// company: their checks, what they store, the plot they open and the optimal-wage results.
#include "plot/ChartModel.h"
#include "plot/Comparisons.h"
#include "plot/OptimalWage.h"
#include "plot/screens/TFPX1071.h"
#include "plot/screens/TPX1020.h"
#include "plot/screens/TPX1030.h"
#include "plot/screens/TPX1040.h"
#include "plot/screens/TPX1060.h"
#include "plot/screens/TPX1070.h"
#include "plot/screens/TPX1100.h"
#include "plot/screens/TPX1102.h"
#include "plot/PlotPainter.h"
#include "projects/Companies.h"
#include "projects/SampleCompanies.h"
#include "reference/PrintQString.h"
#include "shell/screens/AppState.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/StringGrid.h"
#include "app/TPX0000.h"
#include "store/RecordAccess.h"
#include "support/screens/ScriptedDialogs.h"
#include "support/screens/SamplePlotTest.h"
#include "support/TestProgramFolder.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

class ComparisonScreens : public SamplePlotTest {
protected:
    void everyone(QWidget& screen)
    {
        press(screen, "btnPlotAll");
        press(screen, "btnTokyuAll");
        child<QRadioButton>(screen, "optSalaryAll")->setChecked(true);
        child<QRadioButton>(screen, "optSex3")->setChecked(true);
    }
    PlotInputs inputsOnView()
    {
        const ChartModel& m = PlotWindow().model();
        return PlotInputsFor(m, m.ranges.Xmin, m.ranges.Xmax, m.ranges.Ymin, m.ranges.Ymax);
    }
};

} // namespace

TEST_F(ComparisonScreens, ComparisonsRefuseWithoutTheCompanysCodeAndOtherwiseDrawTheirLines)
{
    struct Case {
        int chart;
        std::function<PlotSetupFrame*()> make;
        int* code;
        QString refusal;
        QStringList legends;
        bool extended;
    };
    TMKIGYOU2& company = Project().CurrentCompany;
    const QList<Case> cases{
        {ChartCostOfLiving, [] { return new TPX1030; }, &company.SKCO, NoCostOfLivingCodeMessage,
         {"標準生計費", "愉楽率", "最低率", "単身率"}, true},
        // The model lines carry the name of the sample's model.
        {ChartModelWage, [] { return new TPX1040; }, &company.MDCO, NoModelCodeMessage,
         {"モデル賃金（サンプル調査）①", "モデル賃金（サンプル調査）②"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chart);
        std::unique_ptr<PlotSetupFrame> screen(c.make());
        screen->Prepare();
        everyone(*screen);
        const QString before = db("SELECT count(*) FROM DCHART");
        const int code = *c.code;
        *c.code = 0;
        dialogs.clear();
        press(*screen, "btnAnalize");
        EXPECT_EQ(dialogs.texts(), QStringList{c.refusal});
        EXPECT_EQ(CurrentChart(), 0);
        EXPECT_EQ(db("SELECT count(*) FROM DCHART"), before);

        *c.code = code;
        dialogs.clear();
        press(*screen, "btnAnalize");
        ASSERT_EQ(CurrentChart(), c.chart) << dialogs.texts().join('|').toStdString();
        const ChartModel& m = PlotWindow().model();
        ASSERT_GT(m.comparisonSet[0].count, 0);
        // The ranges hold every comparison point as well as the employees.
        EXPECT_LE(m.ranges.Ymin, m.comparisonSet[0].minY);
        EXPECT_GE(m.ranges.Ymax, m.comparisonSet[0].maxY);
        EXPECT_LE(m.ranges.Xmin, m.comparisonSet[0].minX);
        EXPECT_GE(m.ranges.Xmax, m.comparisonSet[0].maxX);
        const PlotInputs in = inputsOnView();
        QStringList legends;
        for (const PlotLegendEntry& e : in.comparisonLegend)
            legends << e.text;
        EXPECT_EQ(legends, c.legends);
        ASSERT_EQ(in.polylines.size(), c.legends.size());
        for (int j = 0; j < in.polylines.size(); ++j) {
            // The cost-of-living lines end at Xmax; the model lines at their last point.
            const std::vector<QPointF>& line = in.polylines[j].points;
            if (c.extended)
                EXPECT_EQ(line.back().x(), m.ranges.Xmax) << j;
            else
                EXPECT_EQ(int(line.size()), m.comparisonSet[j + 1].count) << j;
        }
        EXPECT_TRUE(PlotWindow().findChild<QPushButton*>("btnPrint")->isVisibleTo(&PlotWindow()));
        press(*screen, "btnClose");
    }
}

TEST_F(ComparisonScreens, CostOfLivingKeepsTheStoredCurveSettingsAndModelWageWritesGraphOne)
{
    Exec(folder.fdm().ACN2, "DELETE FROM MCHART WHERE CHCO IN (1030, 1040)");
    {
        TPX1030 living;
        living.Prepare();   // creates the row; a new screen starts with 基本給
        EXPECT_TRUE(child<QRadioButton>(living, "optY4")->isChecked());
    }
    {
        TPX1040 model;
        model.Prepare();
    }
    Exec(folder.fdm().ACN2, "UPDATE MCHART SET FKINJI = 1, CGRAPH = 0, SJYUN1 = 5, SJYUN4 = -3 WHERE CHCO IN (1030, 1040)");
    TPX1030 living;
    living.Prepare();
    everyone(living);
    press(living, "btnAnalize");
    ASSERT_EQ(CurrentChart(), ChartCostOfLiving);
    EXPECT_EQ(chart(1030, "FKINJI || '|' || CGRAPH || '|' || SJYUN1 || '|' || SJYUN4"), QStringLiteral("1|0|5.0|-3.0"));
    TPX1040 model;
    model.Prepare();
    everyone(model);
    press(model, "btnAnalize");
    ASSERT_EQ(CurrentChart(), ChartModelWage);
    EXPECT_EQ(chart(1040, "FKINJI || '|' || CGRAPH || '|' || SJYUN1 || '|' || SJYUN4"), QStringLiteral("1|1|5.0|-3.0"));
}

TEST_F(ComparisonScreens, WageTableGraphPlotsEachGradesCurveWithoutPointsLegendOrPrint)
{
    TPX1060 screen;
    screen.Prepare();
    EXPECT_EQ(screen.size(), QSize(530, 300));
    QComboBox* tables = child<QComboBox>(screen, "cmbChingin");
    ASSERT_GT(tables->count(), 0);
    for (int i = 0; i < tables->count(); ++i)
        EXPECT_FALSE(tables->itemText(i).startsWith(QStringLiteral("0 :"))) << tables->itemText(i).toStdString();
    EXPECT_FALSE(child<QGroupBox>(screen, "GroupBox1")->isVisibleTo(&screen));
    child<QLineEdit>(screen, "txtTitle")->setText(QStringLiteral("職能給表"));
    const int table = tables->currentText().section(' ', 0, 0).toInt();
    const QString kind = db(QStringLiteral("SELECT KSENTAKUF FROM MCHINGIN WHERE NENDO = 2020 AND KCO = 1 AND CGCO = %1").arg(table));
    const QString curves = kind == "1" ? "DKSEN3" : "DKSEN2";
    const QString code = kind == "1" ? "K3CO" : "K2CO";
    const QString grades =
        db(QStringLiteral("SELECT count(*) FROM %1 WHERE NENDO = 2020 AND KCO = 1 AND %2 = %3 AND TKNO BETWEEN 1 AND 9")
               .arg(curves, code)
               .arg(table));
    ASSERT_NE(grades, "0");
    press(screen, "btnAnalize");
    ASSERT_EQ(CurrentChart(), ChartWageTableGraph) << dialogs.texts().join('|').toStdString();
    EXPECT_EQ(db("SELECT count(*) FROM DCHART"), QString::number(grades.toInt() * (kind == "1" ? 4 : 3)));
    EXPECT_EQ(chart(1060, "SKCO || '|' || FKINJI || '|' || XUNIT || '|' || YUNIT || '|' || XPITCH || YPITCH || '|' || CGRAPH"),
              QStringLiteral("%1|%2|号俸|万円|55|0").arg(table).arg(kind == "1" ? 1 : 0));

    TPX1100& plot = PlotWindow();
    EXPECT_FALSE(child<QPushButton>(plot, "btnPrint")->isVisibleTo(&plot));
    EXPECT_EQ(plot.pointLabelCount(), 0);
    const PlotInputs in = inputsOnView();
    EXPECT_EQ(in.polylines.size(), grades.toInt());
    const PlotLayout layout = plot.currentLayout();
    EXPECT_TRUE(layout.markers.isEmpty());
    const QString roman = QStringLiteral("ⅠⅡⅢⅣⅤⅥⅦⅧⅨ");
    for (const PlotPolylineInput& p : in.polylines) {
        EXPECT_TRUE(roman.contains(p.label)) << p.label.toStdString();
        EXPECT_EQ(p.pen, (PlotPen{0xFF0000, PenSolid, 1}));
    }

    // A table without curves: the message, no plot, the settings saved nevertheless.
    Exec(folder.fdm().ACN2, QStringLiteral("DELETE FROM %1 WHERE %2 = %3").arg(curves, code).arg(table));
    press(screen, "btnClose");
    child<QLineEdit>(screen, "txtTitle")->setText(QStringLiteral("曲線なし"));
    dialogs.clear();
    press(screen, "btnAnalize");
    EXPECT_EQ(dialogs.texts(), QStringList{NoPlotDataMessage});
    EXPECT_EQ(CurrentChart(), 0);
    EXPECT_EQ(chart(1060, "TITLE"), QStringLiteral("曲線なし"));
}

TEST_F(ComparisonScreens, OptimalWageCalculatesShowsResultsAndPlotsActualAgainstOptimal)
{
    TPX1070 screen;
    screen.Prepare();
    everyone(screen);
    for (const char* box : {"optXNenrei", "optXKinzoku", "optXKeiken", "optXTaiNensuu", "optXSikaku", "optXGouhou",
                            "optXTassei", "optXSyokumu", "optXJinji"})
        child<QCheckBox>(screen, box)->setChecked(false);

    // No explanatory variable: the message, no results screen.
    QList<TFPX1071*> results;
    QStringList verdicts;
    QList<bool> optimisable;
    QList<QSize> grids;
    SetModalHookForTesting([&](QDialog& d) {
        if (auto* r = qobject_cast<TFPX1071*>(&d)) {
            verdicts << r->statusBar().currentMessage();
            optimisable << r->optimizeButton().isEnabled();
            grids << QSize(r->grid().colCount(), r->grid().rowCount());
        }
        return int(QDialog::Accepted);
    });
    child<QRadioButton>(screen, "optY1")->setChecked(true);
    screen.btnKeisanClick();
    EXPECT_EQ(dialogs.texts(), QStringList{NoExplanatoryMessage});
    EXPECT_TRUE(verdicts.isEmpty());

    for (const char* box : {"optXNenrei", "optXSikaku", "optXGouhou"})
        child<QCheckBox>(screen, box)->setChecked(true);
    struct Case {
        const char* y;
        int code;
    };
    for (const Case& c : {Case{"optY1", 0}, Case{"optY3", 2}}) {
        dialogs.clear();
        child<QRadioButton>(screen, c.y)->setChecked(true);
        screen.btnKeisanClick();
        const TOptimalWage& state = LastOptimalWage();
        ASSERT_TRUE(state.valid) << dialogs.texts().join('|').toStdString();
        EXPECT_EQ(state.yCode, c.code);
        EXPECT_EQ(dialogs.saw(LinkedDataMessage), state.linked);
        ASSERT_EQ(grids.size(), 1);
        EXPECT_EQ(grids.last(), QSize(3 + 8, state.n() + 3 + 9));
        EXPECT_EQ(verdicts.last(), state.fit.verdict);
        EXPECT_FALSE(state.fit.verdict.isEmpty());
        EXPECT_EQ(optimisable.last(), c.code == 0 && !state.linked);
        EXPECT_EQ(db(QStringLiteral("SELECT count(*) FROM MSYAIN2 WHERE NENDO = 2020 AND KCO = 1 AND FITNO = %1").arg(c.code + 1)),
                  QString::number(state.n()));
        grids.clear();
    }
    EXPECT_EQ(chart(1070, "FX || '|' || FY || '|' || XNAME || '|' || XUNIT || YUNIT || '|' || XPITCH || YPITCH"),
              QStringLiteral("100011000|2|最適賃金|万円万円|55"));

    // 分析 with the optimal area: the points of actual against optimal pay, the diagonal and
    // two dotted level lines, the panel 最適賃金分析結果.
    child<QLineEdit>(screen, "txtLevel1")->setText(QStringLiteral("10"));
    child<QLineEdit>(screen, "txtLevel2")->setText(QStringLiteral("-10"));
    child<QCheckBox>(screen, "optGraph")->setChecked(false);
    dialogs.clear();
    press(screen, "btnAnalize");
    ASSERT_EQ(CurrentChart(), ChartOptimalWage) << dialogs.texts().join('|').toStdString();
    EXPECT_EQ(chart(1070, "CGRAPH || '|' || SJYUN1 || '|' || SJYUN2 || '|' || SJYUN3"), QStringLiteral("0|10.0|-10.0|0.0"));
    EXPECT_EQ(db("SELECT count(*) FROM DCHART"), QString::number(LastOptimalWage().n()));
    EXPECT_EQ(db("SELECT count(*) FROM DCHART d JOIN MSYAIN2 e ON e.SCO = d.SCO AND e.NENDO = 2020 AND e.KCO = 1 "
                 "WHERE abs(d.X * 10000 - e.FITKIN) > 0.5 OR d.F5 <> e.FITJITSU - e.FITKIN"),
              "0");
    const PlotInputs in = inputsOnView();
    EXPECT_EQ(in.xName, QStringLiteral("最適賃金"));
    ASSERT_EQ(in.curves.size(), 3);
    EXPECT_EQ(in.curves[0].pen, (PlotPen{0x008000, PenSolid, 2}));
    const double mid = (in.curves[0].minX + in.curves[0].maxX) / 2;
    EXPECT_NEAR(in.curves[0].value(mid), mid, 1e-6);
    EXPECT_NEAR(in.curves[1].value(mid), mid * 1.1, 1e-6);
    EXPECT_NEAR(in.curves[2].value(mid), mid * 0.9, 1e-6);
    EXPECT_EQ(in.curves[2].pen.style, PenDot);

    QAction* fit = PlotWindow().rightMenu()->findChild<QAction*>("mnAnalFit");
    ASSERT_NE(fit, nullptr);
    EXPECT_TRUE(fit->isVisible());
    fit->trigger();
    TPX1102& panel = PlotWindow().analysisPanel();
    EXPECT_EQ(child<QLabel>(panel, "labTitle1")->text(), QStringLiteral("目的変数 :"));
    EXPECT_EQ(child<QLabel>(panel, "Caption1")->text(), QStringLiteral("基本給"));
    EXPECT_EQ(child<QLabel>(panel, "Caption8")->text(), LastOptimalWage().fit.verdict);
}

TEST_F(ComparisonScreens, ResultsScreenOptimisesAndResets)
{
    TPX1070 screen;
    screen.Prepare();
    everyone(screen);
    for (const char* box : {"optXNenrei", "optXSikaku", "optXGouhou"})
        child<QCheckBox>(screen, box)->setChecked(true);
    child<QRadioButton>(screen, "optY5")->setChecked(true);   // 賞与
    SetModalHookForTesting([](QDialog&) { return int(QDialog::Rejected); });
    screen.btnKeisanClick();
    ASSERT_TRUE(LastOptimalWage().valid) << dialogs.texts().join('|').toStdString();
    const QString bonuses = db("SELECT group_concat(SYOUYO) FROM (SELECT SYOUYO FROM MSYAIN1 WHERE NENDO = 2020 AND KCO = 1 ORDER BY SCO)");

    TFPX1071 results;
    ASSERT_TRUE(results.optimizeButton().isEnabled());
    dialogs.answers = {true};
    results.btnOptimizeClick();
    EXPECT_FALSE(results.optimizeButton().isEnabled());
    EXPECT_EQ(db("SELECT count(*) FROM VSYAIN WHERE NENDO = 2020 AND KCO = 1 AND SAVENO = 5 AND SYOUYO = FITKIN"),
              QString::number(LastOptimalWage().n()));
    dialogs.answers = {true};
    results.btnResetClick();
    EXPECT_EQ(db("SELECT group_concat(SYOUYO) FROM (SELECT SYOUYO FROM MSYAIN1 WHERE NENDO = 2020 AND KCO = 1 ORDER BY SCO)"),
              bonuses);
    TFPX1071 again;
    dialogs.clear();
    dialogs.answers = {true};
    again.btnResetClick();
    EXPECT_TRUE(dialogs.saw(NothingToResetMessage));
}

TEST_F(ComparisonScreens, MainWindowCommandsShowTheirSetUps)
{
    QStringList shown;
    SetModalHookForTesting([&shown](QDialog& d) {
        shown << d.objectName();
        return int(QDialog::Rejected);
    });
    TPX0000 window;
    openSample();
    window.mnLivingCompClick();
    window.mnModelSalaryCompClick();
    window.mnSalarySettingClick();
    window.mnFitClick();
    EXPECT_EQ(shown, (QStringList{"TPX1030", "TPX1040", "TPX1060", "TPX1070"}));
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('|').toStdString();
    QAction* fit = window.findChild<QAction*>("mnFit");
    ASSERT_NE(fit, nullptr);
    window.RefreshMenu(false);
    EXPECT_TRUE(fit->isVisible());
    EXPECT_TRUE(fit->isEnabled());
}

TEST_F(ComparisonScreens, TheRaiseCurveAnalysisPlotsTheEmployeesOfTheLastOptimalWageAnalysis)
{
    TPX1070 screen;
    screen.Prepare();
    everyone(screen);
    for (const char* box : {"optXNenrei", "optXSikaku", "optXGouhou"})
        child<QCheckBox>(screen, box)->setChecked(true);
    child<QRadioButton>(screen, "optY4")->setChecked(true);   // 所定給
    screen.btnKeisanClick();
    ASSERT_TRUE(LastOptimalWage().valid) << dialogs.texts().join('|').toStdString();

    TPX1020 curve;
    curve.Prepare();
    child<QRadioButton>(curve, "optX6")->setChecked(true);   // 最適賃金
    child<QRadioButton>(curve, "optY1")->setChecked(true);
    press(curve, "btnAnalize");
    ASSERT_EQ(CurrentChart(), ChartRaiseCurve) << dialogs.texts().join('|').toStdString();
    EXPECT_TRUE(child<QRadioButton>(curve, "optY4")->isChecked());
    EXPECT_EQ(db("SELECT count(*) FROM DCHART"), QString::number(LastOptimalWage().n()));
    EXPECT_EQ(db("SELECT count(*) FROM DCHART d JOIN MSYAIN2 e ON e.SCO = d.SCO AND e.NENDO = 2020 AND e.KCO = 1 "
                 "WHERE abs(d.X * 10000 - e.FITKIN) > 0.5"),
              "0");
}
