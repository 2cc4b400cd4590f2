// The wage plot and the raise-curve analysis on a sample company: the set-ups write DCHART
// and MCHART, open the plot window, and the window's ranges, clicks, copy and menus work.
#include "plot/ChartModel.h"
#include "plot/screens/TPX1010.h"
#include "plot/screens/TPX1020.h"
#include "plot/screens/TPX1100.h"
#include "plot/screens/TPX1102.h"
#include "projects/Companies.h"
#include "projects/SampleCompanies.h"
#include "reference/PrintQString.h"
#include "shell/screens/AppState.h"
#include "core/Numbers.h"
#include "store/RecordAccess.h"
#include "shell/screens/ScreenHelpers.h"
#include "app/TPX0000.h"
#include "support/screens/ScriptedDialogs.h"
#include "support/screens/SamplePlotTest.h"
#include "support/TestProgramFolder.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

class PlotScreens : public SamplePlotTest {
protected:
    // The employee codes of the sample company matching a condition, in the given order.
    QString expected(const QString& condition, const QString& order = QStringLiteral("SCO"))
    {
        return db("SELECT group_concat(SCO, ',') FROM (SELECT SCO FROM VSYAIN WHERE NENDO = 2020 AND KCO = 1" + condition
                  + " ORDER BY " + order + ")");
    }
    QString plotted() { return db("SELECT group_concat(SCO, ',') FROM (SELECT SCO FROM DCHART ORDER BY NO)"); }
    void tick(QWidget& screen, const QString& prefix, std::initializer_list<int> boxes)
    {
        for (int i = 1; i <= 9; ++i)
            child<QCheckBox>(screen, prefix + QString::number(i))->setChecked(false);
        for (int i : boxes)
            child<QCheckBox>(screen, prefix + QString::number(i))->setChecked(true);
    }
    void choose(QWidget& screen, const QString& name) { child<QRadioButton>(screen, name)->setChecked(true); }
};

} // namespace

TEST_F(PlotScreens, WagePlotFiltersWriteDchartAndMchartAndOpenThePlot)
{
    struct Case {
        const char* what;
        std::function<void(TPX1010&)> set;
        QString condition;
        QString fchk, toukyu;
        int mibun, skco, sex;
    };
    const Case cases[] = {
        {"marks 1 to 3, every grade, all forms and both sexes",
         [&](TPX1010& s) {
             tick(s, "optPlot", {1, 2, 3});
             press(s, "btnTokyuAll");
         },
         " AND MCO IN(1,2,3)", "111000000", "111111111", 4, 0, 2},
        {"company grades 1 and 3, the first form, women",
         [&](TPX1010& s) {
             press(s, "btnPlotAll");
             tick(s, "optTokyu", {1, 3});
             choose(s, "optSalary1");
             choose(s, "optSex2");
         },
         " AND TCO IN(1,3) AND SM1 = 1 AND SEIBETSU = 1", "111111111", "101000000", 0, 0, 1},
        {"wage-table 1 grades 1 and 3, men",
         [&](TPX1010& s) {
             press(s, "btnPlotAll");
             tick(s, "optTokyu", {1, 3});
             QComboBox* tables = child<QComboBox>(s, "cmbChingin");
             tables->setCurrentIndex(1);
             s.cmbChinginChange();
             choose(s, "optsex1");
         },
         " AND SKCO = 1 AND TOUKYU IN(1,3) AND SEIBETSU = 0", "111111111", "101000000", 4, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TPX1010 screen;
        screen.Prepare();
        EXPECT_EQ(screen.size(), QSize(540, 620));
        EXPECT_FALSE(child<QRadioButton>(screen, "optMarkZone")->isVisibleTo(&screen));
        EXPECT_EQ(child<QComboBox>(screen, "cmbChingin")->itemText(0), QStringLiteral("0 : なし"));
        choose(screen, "optX1");
        choose(screen, "optY4");
        choose(screen, "optSalaryAll");
        choose(screen, "optSex3");
        c.set(screen);
        child<QLineEdit>(screen, "txtTitle")->setText(QStringLiteral("年齢別所定給"));
        press(screen, "btnAnalize");
        ASSERT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('|').toStdString();
        const QString codes = expected(c.condition);
        ASSERT_FALSE(codes.isEmpty());
        EXPECT_EQ(plotted(), codes);
        EXPECT_EQ(chart(1010, "FCHK || '|' || TOUKYU || '|' || TITLE || '|' || FX || FY || '|' || XNAME || '|' || YNAME"
                              " || '|' || XUNIT || YUNIT || XPITCH || YPITCH || '|' || MIBUN || SKCO || SEX || '|' || FKINJI || CGRAPH"),
                  c.fchk + '|' + c.toukyu + QStringLiteral("|年齢別所定給|03|年　　齢|所　定　給|歳万円55|")
                      + QString::number(c.mibun) + QString::number(c.skco) + QString::number(c.sex) + "|01");
        // Every point carries the employee's age and 所定給 in 万円, and its code as the label.
        EXPECT_EQ(db("SELECT count(*) FROM DCHART d JOIN VSYAIN v ON v.SCO = d.SCO AND v.NENDO = 2020 AND v.KCO = 1 "
                     "WHERE d.MKCO = v.MCO AND d.MARKL = d.SCO AND abs(d.Y * 10000 - (v.KKYU1 + v.KKYU2 + v.KKYU3 + v.TEATE1 "
                     "+ v.TEATE2 + v.TEATE3 + v.TEATE4 + v.TEATE5)) < 0.5"),
                  QString::number(codes.count(',') + 1));
        EXPECT_EQ(CurrentChart(), 1010);
        ASSERT_TRUE(PlotWindowExists());
        TPX1100& plot = PlotWindow();
        EXPECT_TRUE(plot.isVisible());
        EXPECT_EQ(plot.windowTitle(), QStringLiteral("プロット　 【　年齢別所定給　】"));
        EXPECT_EQ(plot.model().pointSet[0].count, codes.count(',') + 1);
        EXPECT_EQ(child<QLineEdit>(plot, "txtXMin")->text(), QString::number(plot.model().ranges.Xmin));
        plot.close();
    }
}

// The employment-form buttons are the company's forms: none without a name.
TEST_F(PlotScreens, OnlyTheCompanysNamedFormsOfferAButton)
{
    const int named = db("SELECT count(*) FROM SALARYNAME WHERE NENDO = 2020 AND KCO = 1 AND SALARYNAME <> ''").toInt();
    ASSERT_GE(named, 1);
    ASSERT_LT(named, 4);
    TPX1010 screen;
    screen.Prepare();
    for (int i = 1; i <= 4; ++i) {
        QRadioButton* form = child<QRadioButton>(screen, QStringLiteral("optSalary%1").arg(i));
        EXPECT_EQ(form->isVisibleTo(&screen), i <= named) << i;
        if (i <= named) {
            EXPECT_FALSE(form->text().isEmpty());
        }
    }
    EXPECT_TRUE(child<QRadioButton>(screen, "optSalaryAll")->isVisibleTo(&screen));
}

TEST_F(PlotScreens, NoEmployeeShowsTheMessageSavesAndKeepsThePreviousPoints)
{
    TPX1010 screen;
    screen.Prepare();
    press(screen, "btnPlotAll");
    press(screen, "btnTokyuAll");
    press(screen, "btnAnalize");
    const QString before = plotted();
    ASSERT_FALSE(before.isEmpty());
    PlotWindow().close();

    screen.Prepare();
    press(screen, "btnPlotNothing");
    child<QLineEdit>(screen, "txtTitle")->setText(QStringLiteral("なし"));
    press(screen, "btnAnalize");
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("グラフに表示するデータがありません。")});
    EXPECT_TRUE(screen.errorFlag());
    EXPECT_EQ(plotted(), before);
    EXPECT_EQ(chart(1010, "FCHK || TITLE"), QStringLiteral("000000000なし"));
    EXPECT_EQ(CurrentChart(), 0);
    EXPECT_FALSE(PlotWindow().isVisible());
}

TEST_F(PlotScreens, AFailedWriteLeavesThePreviousPointsWhole)
{
    TPX1010 screen;
    screen.Prepare();
    press(screen, "btnPlotAll");
    press(screen, "btnTokyuAll");
    press(screen, "btnAnalize");
    const QString before = plotted();
    ASSERT_FALSE(before.isEmpty());
    PlotWindow().close();

    // The settings row cannot be written: the new points are rolled back with it.
    screen.Prepare();
    tick(screen, "optPlot", {1});
    Exec(folder.fdm().ACN2, "CREATE TRIGGER refuse BEFORE UPDATE ON MCHART BEGIN SELECT RAISE(ABORT, 'refused'); END");
    press(screen, "btnAnalize");
    EXPECT_FALSE(dialogs.texts().isEmpty());
    EXPECT_EQ(plotted(), before);
    EXPECT_EQ(CurrentChart(), 0);
    EXPECT_FALSE(PlotWindow().isVisible());
}

TEST_F(PlotScreens, RaiseCurveAnalysisStoresItsAdditionsAndDrawsCurvesWithLevels)
{
    TPX1020 screen;
    screen.Prepare();
    EXPECT_EQ(screen.size(), QSize(740, 620));
    press(screen, "btnPlotAll");
    press(screen, "btnTokyuAll");
    choose(screen, "optX1");
    choose(screen, "optY3");
    choose(screen, "optSalaryAll");
    choose(screen, "optSex3");
    choose(screen, "opt3Jisiki");
    choose(screen, "optGraph");
    child<QLineEdit>(screen, "txtLevel1")->setText("5");
    child<QLineEdit>(screen, "txtLevel2")->setText("-5");
    child<QLineEdit>(screen, "txtLevel3")->setText("0");
    child<QLineEdit>(screen, "txtLevel4")->setText("0");
    child<QLineEdit>(screen, "txtLevel3")->setText("abc");
    EXPECT_FALSE(screen.LevelExit(2));
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("数値を入力してください。")});
    dialogs.clear();
    child<QLineEdit>(screen, "txtLevel3")->setText("0");
    press(screen, "btnAnalize");
    ASSERT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('|').toStdString();
    // Every employee, in order of entry (ties in any order).
    EXPECT_EQ(db("SELECT group_concat(SCO, ',') FROM (SELECT SCO FROM DCHART ORDER BY SCO)"), expected(" AND TCO BETWEEN 1 AND 9"));
    EXPECT_EQ(db("SELECT count(*) FROM DCHART a JOIN DCHART b ON b.NO = a.NO + 1 JOIN VSYAIN va ON va.SCO = a.SCO "
                 "JOIN VSYAIN vb ON vb.SCO = b.SCO WHERE va.KCO = 1 AND vb.KCO = 1 AND va.NENDO = 2020 AND vb.NENDO = 2020 "
                 "AND va.NEWDAY1 > vb.NEWDAY1"),
              "0");
    EXPECT_EQ(chart(1020, "FX || FY || '|' || FKINJI || CGRAPH || '|' || SJYUN1 || '/' || SJYUN2 || '/' || SJYUN3 || '|' || XNAME || YNAME"),
              QStringLiteral("02|11|5.0/-5.0/0.0|年　　齢基　本　給"));

    TPX1100& plot = PlotWindow();
    const ChartModel& m = plot.model();
    EXPECT_EQ(m.chartId, 1020);
    EXPECT_EQ(m.curveOrder(), 3);
    // One curve per mark with points, each with its two dotted level lines.
    int marksWithPoints = 0;
    for (int s = 1; s <= 9; ++s)
        marksWithPoints += m.pointSet[s].count > 0;
    const PlotLayout L = plot.currentLayout();
    ASSERT_EQ(L.curves.size(), 3 * marksWithPoints);
    EXPECT_EQ(L.curves[1].pen.style, PenDot);
    EXPECT_EQ(L.curves[1].pen.width, 1);
    EXPECT_EQ(L.markers.size(), m.points.size());

    // The panel: counts per mark from DCHART, curve averages and pitches recomputed from the
    // points with the regression routines.
    QString counts = QStringLiteral("全体:") + db("SELECT count(*) FROM DCHART") + ' ';
    TSeriesSet series;
    ResetSeriesSet(series);
    for (int mark = 1; mark <= 9; ++mark) {
        const QString n = db(QStringLiteral("SELECT count(*) FROM DCHART WHERE MKCO = %1").arg(mark));
        if (n != "0")
            counts += Project().Marks[mark - 1].MARK + ':' + n + ' ';
    }
    TDChart_rec rows;
    ASSERT_TRUE(ReadAll(folder.fdm().ACN2, false, SqlCondition(" ORDER BY SCO"), "SELECT * FROM DCHART", rows));
    for (const TDChart_& p : rows.items)
        AddSeriesPoint(series, Project().Marks[p.MKCO - 1].MARK, p.F5, p.Y, p.X, p.MKCO);
    FinishSeriesMeans(series);
    QString averages, pitches;
    int listed = 0;
    for (TXYDATA& s : series) {
        FitSeriesCubic(s);
        SummariseSeriesCurve(s, 3);
        if (s.count > 0 && listed++ < 5) {
            averages += s.name + ':' + FormatFloat("#,##0", s.curveAverage) + QStringLiteral("円  ");
            pitches += s.name + ':' + FormatFloat("#,##0", s.pitch) + QStringLiteral("円  ");
        }
    }
    plot.mnAnalizeClick();
    TPX1102& panel = plot.analysisPanel();
    EXPECT_EQ(child<QLabel>(panel, "Caption1")->text(), counts);
    EXPECT_EQ(child<QLabel>(panel, "labTitle3")->text(), QStringLiteral("平均昇給　 :"));
    EXPECT_EQ(child<QLabel>(panel, "Caption3")->text(), pitches);
    EXPECT_EQ(child<QLabel>(panel, "labTitle4")->text(), QStringLiteral("ピッチ"));
    EXPECT_EQ(child<QLabel>(panel, "Caption6")->text(), averages);
    EXPECT_FALSE(pitches.isEmpty());

    // 全体表示: the green curve alone.
    screen.Prepare();
    EXPECT_TRUE(child<QRadioButton>(screen, "opt3Jisiki")->isChecked());
    EXPECT_EQ(child<QLineEdit>(screen, "txtLevel2")->text(), "-5");
    choose(screen, "optGraphAll");
    child<QLineEdit>(screen, "txtLevel1")->setText("0");
    child<QLineEdit>(screen, "txtLevel2")->setText("0");
    press(screen, "btnAnalize");
    const PlotLayout all = PlotWindow().currentLayout();
    ASSERT_EQ(all.curves.size(), 1);
    EXPECT_EQ(all.curves[0].pen, (PlotPen{0x008000, PenSolid, 2}));
    EXPECT_FALSE(all.curves[0].polylines.isEmpty());
}

TEST_F(PlotScreens, OptimalWageWithoutAnAnalysisShowsTheMessageAndSavesNothing)
{
    TPX1020 screen;
    screen.Prepare();
    // The sample's stored set-up: every mark and grade, every form.
    const QString stored = chart(1020, "FX || FY || TITLE || FCHK || TOUKYU || MARKR || MIBUN || SKCO");
    EXPECT_EQ(stored, QStringLiteral("00") + QString(18, QChar('1')) + QStringLiteral("040"));
    press(screen, "btnPlotAll");
    choose(screen, "optX6");
    child<QLineEdit>(screen, "txtTitle")->setText(QStringLiteral("最適"));
    press(screen, "btnAnalize");
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("グラフに表示するデータがありません。")});
    EXPECT_EQ(chart(1020, "FX || FY || TITLE || FCHK || TOUKYU || MARKR || MIBUN || SKCO"), stored);
    EXPECT_FALSE(PlotWindowExists() && PlotWindow().isVisible());
}

TEST_F(PlotScreens, PlotWindowRangesClicksCopyAndMenus)
{
    TPX1010 screen;
    screen.Prepare();
    press(screen, "btnPlotAll");
    press(screen, "btnTokyuAll");
    choose(screen, "optX1");
    choose(screen, "optY4");
    press(screen, "btnAnalize");
    TPX1100& plot = PlotWindow();
    plot.resize(1600, 1000);
    const ChartRanges r = plot.model().ranges;
    EXPECT_EQ(r.Xmin % 5, 0);
    EXPECT_LE(r.Xmin, plot.model().pointSet[0].minX);
    EXPECT_GE(r.Xmax, plot.model().pointSet[0].maxX);

    // A minimum above its up-down range is refused with the range and reset to its lowest.
    QLineEdit* xmin = child<QLineEdit>(plot, "txtXMin");
    xmin->setText(QString::number(r.Xmax + 1));
    EXPECT_FALSE(plot.RangeEntered(0));
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("入力範囲外です。0 ～ %1の値を入力して下さい。").arg(r.Xmax)});
    EXPECT_EQ(xmin->text(), "0");
    dialogs.clear();
    xmin->setText("x");
    EXPECT_FALSE(plot.RangeEntered(0));
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("数値を入力してください。")});
    // A lower bound at or above its upper bound is refused on either axis, the value kept.
    dialogs.clear();
    xmin->setText(QString::number(r.Xmax));
    EXPECT_FALSE(plot.RangeEntered(0));
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("X下限はX上限より小さい値を入力して下さい。")});
    EXPECT_EQ(xmin->text(), QString::number(r.Xmin));
    dialogs.clear();
    QLineEdit* ymax = child<QLineEdit>(plot, "txtYMax");
    ymax->setText(QString::number(r.Ymin));
    EXPECT_FALSE(plot.RangeEntered(3));
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Y下限はY上限より小さい値を入力して下さい。")});
    EXPECT_EQ(ymax->text(), QString::number(r.Ymax));
    dialogs.clear();
    xmin->setText("0");
    EXPECT_TRUE(plot.RangeEntered(0));
    plot.btnExecClick();
    EXPECT_EQ(plot.currentLayout().Xmin, 0);
    EXPECT_EQ(plot.currentLayout().plotLeft, plot.currentLayout().originX);

    // A left click on a mark finds its employee.
    const PlotLayout L = plot.currentLayout();
    ASSERT_FALSE(L.markers.isEmpty());
    const PlacedMarker& last = L.markers.last();
    EXPECT_EQ(plot.PointClick(last.hitArea.center()), plot.model().points[last.point].SCO.toInt());
    EXPECT_EQ(plot.PointClick({L.originX - 20, L.originY + 30}), 0);

    // The copy is the plot area stretched to the window less 4 pixels.
    const QImage copy = plot.copyImage();
    EXPECT_EQ(copy.size(), QSize(1596, 996));
    EXPECT_NE(copy.pixel(800, 500), 0u);

    // The right-button menu and the analysis panel.
    QStringList items;
    for (QAction* a : plot.rightMenu()->actions())
        if (a->isVisible())
            items << a->objectName();
    EXPECT_EQ(items, (QStringList{"mnCopy", "mnPrint", "mnSaveImage", "mnAnalize", "mnEnd"}));
    plot.mnAnalizeClick();
    TPX1102& panel = plot.analysisPanel();
    EXPECT_TRUE(panel.isVisible());
    EXPECT_EQ(panel.size(), QSize(486, 198));
    EXPECT_EQ(child<QLabel>(panel, "labTitle1")->text(), QStringLiteral("プロット数 :"));
    EXPECT_EQ(child<QLabel>(panel, "labTitle3")->text(), QStringLiteral("Ｘ軸平均　 :"));
    QString xMeans;
    for (const TXYDATA& s : plot.model().pointSet)
        if (s.count > 0 && xMeans.count(' ') < 4)
            xMeans += s.name + ':' + FormatFloat("##0.0", s.meanX) + ' ';
    EXPECT_EQ(child<QLabel>(panel, "Caption3")->text(), xMeans);
    EXPECT_EQ(child<QLabel>(panel, "Caption3")->text(),
              QStringLiteral("全体:%1 ").arg(FormatFloat("##0.0", db("SELECT avg(X) FROM DCHART").toDouble())) + xMeans.section(' ', 1));

    // 操作パネルに戻る: pop-ups closed, markers forgotten, no chart on view, window closed.
    plot.mnEndClick();
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(plot.pointLabelCount(), 0);
    EXPECT_EQ(CurrentChart(), 0);
    EXPECT_FALSE(plot.isVisible());
}

TEST_F(PlotScreens, MainWindowCommandsAndTheBackButtonShowTheSetUps)
{
    QStringList shown;
    SetModalHookForTesting([&shown](QDialog& d) {
        shown << d.objectName();
        return int(QDialog::Rejected);
    });
    {
        TPX0000 window;   // its creation starts without a company: open the sample again
        openSample();
        window.mnSalaryPlotClick();
        window.mnSalaryUpCurveClick();
        EXPECT_EQ(shown, (QStringList{"TPX1010", "TPX1020"}));
        EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('|').toStdString();
    }

    TPX1020 screen;
    screen.Prepare();
    press(screen, "btnPlotAll");
    press(screen, "btnTokyuAll");
    child<QLineEdit>(screen, "txtTitle")->setText(QStringLiteral("戻り"));
    press(screen, "btnAnalize");
    ASSERT_EQ(CurrentChart(), 1020) << dialogs.texts().join('|').toStdString();
    shown.clear();
    // 後 prepares the set-up of the chart on view again (reloading what was stored) and shows it.
    child<QLineEdit>(screen, "txtTitle")->setText(QStringLiteral("変更"));
    PlotWindow().btnBackClick();
    EXPECT_EQ(shown, QStringList{"TPX1020"});
    EXPECT_EQ(child<QLineEdit>(screen, "txtTitle")->text(), QStringLiteral("戻り"));
    // 閉じる saves, closes the plot window and leaves no chart on view.
    press(screen, "btnClose");
    EXPECT_FALSE(PlotWindow().isVisible());
    EXPECT_EQ(CurrentChart(), 0);
}

TEST_F(PlotScreens, OptimalWageOnXPlotsTheAnalysedEmployeesWithTheirResiduals)
{
    // The last optimal-wage analysis took 所定給 (FITNO 4) for the employees of mark 1.
    Exec(folder.fdm().ACN2, "UPDATE MSYAIN2 SET FITNO = 4, FITKIN = 250000 + SCO * 1000, FITJITSU = 252000 + SCO * 1000 "
                            "WHERE KCO = 1 AND NENDO = 2020 AND SCO IN (SELECT SCO FROM MSYAIN1 WHERE KCO = 1 AND NENDO = 2020 "
                            "AND MCO = 1)");
    TPX1020 screen;
    screen.Prepare();
    press(screen, "btnPlotNothing");   // the other filters do not apply
    choose(screen, "optX6");
    choose(screen, "optY1");
    press(screen, "btnAnalize");
    ASSERT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('|').toStdString();
    EXPECT_EQ(db("SELECT count(*) FROM DCHART"), db("SELECT count(*) FROM MSYAIN2 WHERE KCO = 1 AND NENDO = 2020 AND FITNO <> 0"));
    EXPECT_EQ(db("SELECT count(*) FROM DCHART WHERE F5 <> 2000 OR abs(X * 10000 - 250000 - SCO * 1000) > 0.5"), "0");
    EXPECT_EQ(chart(1020, "FX || FY || '|' || XNAME || '|' || YNAME || '|' || XPITCH || YPITCH"),
              QStringLiteral("53|最適賃金|所　定　給|55"));
    EXPECT_TRUE(child<QRadioButton>(screen, "optY4")->isChecked());

    PlotWindow().mnAnalizeClick();
    TPX1102& panel = PlotWindow().analysisPanel();
    EXPECT_EQ(child<QLabel>(panel, "labTitle3")->text(), QStringLiteral("残差平均　 :"));
    EXPECT_TRUE(child<QLabel>(panel, "Caption3")->text().startsWith(QStringLiteral("全体:2,000円")))
        << child<QLabel>(panel, "Caption3")->text().toStdString();
}
