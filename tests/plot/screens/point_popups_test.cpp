// Point pop-ups on the plot of a sample company: the point menu, one window per caption and
// employee, a click closes, ClosePopups, and the optimal-wage window's 更新.
#include "plot/screens/TFS1106.h"
#include "plot/screens/TPX1010.h"
#include "plot/screens/TPX1100.h"
#include "plot/screens/TPX1101.h"
#include "plot/screens/TPX1107.h"
#include "projects/Companies.h"
#include "projects/SampleCompanies.h"
#include "shell/screens/AppState.h"
#include "shell/screens/ScreenHelpers.h"
#include "store/RecordAccess.h"
#include "support/screens/ScriptedDialogs.h"
#include "support/screens/SamplePlotTest.h"
#include "support/screens/ScreenGeometry.h"
#include "support/TestProgramFolder.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class PointPopups : public SamplePlotTest {
protected:
    // The wage plot of every mark and grade, on view at a fixed size.
    void SetUp() override
    {
        SamplePlotTest::SetUp();
        if (HasFatalFailure())
            return;
        TPX1010 screen;
        screen.Prepare();
        screen.findChild<QPushButton*>("btnPlotAll")->click();
        screen.findChild<QPushButton*>("btnTokyuAll")->click();
        screen.findChild<QRadioButton*>("optX1")->setChecked(true);
        screen.findChild<QRadioButton*>("optY4")->setChecked(true);
        screen.findChild<QPushButton*>("btnAnalize")->click();
        PlotWindow().resize(1400, 900);
    }
    void TearDown() override
    {
        ClosePointPopups();
        SamplePlotTest::TearDown();
    }
    // Clicks the marker of the n-th point and returns the employee code found.
    int clickPoint(int n)
    {
        const PlotLayout L = PlotWindow().currentLayout();
        return PlotWindow().PointClick(L.markers[n].hitArea.center());
    }
    QAction* menuItem(const QString& name) { return PlotWindow().pointMenu()->findChild<QAction*>(name); }
};

} // namespace

TEST_F(PointPopups, OneWindowPerCaptionAndEmployeeAndClosing)
{
    TPX1100& plot = PlotWindow();
    ASSERT_GE(plot.currentLayout().markers.size(), 2);
    const int first = clickPoint(0);
    ASSERT_NE(first, 0);

    QStringList texts;
    for (QAction* a : plot.pointMenu()->actions())
        if (a->isVisible())
            texts << a->text();
    EXPECT_EQ(texts, (QStringList{QStringLiteral("プロフィール(&P)"), QStringLiteral("人事考課(&J)"),
                                  QStringLiteral("キャリア(&C)"), QStringLiteral("賃金情報(&S)"),
                                  QStringLiteral("最適賃金(&F)"), QStringLiteral("イメージ(&I)"),
                                  QStringLiteral("終了(&Q)")}));

    menuItem("mnProfile")->trigger();
    menuItem("mnProfile")->trigger();
    ASSERT_EQ(OpenPointPopups().size(), 1);
    auto* profile = qobject_cast<TPX1101*>(OpenPointPopups()[0]);
    ASSERT_NE(profile, nullptr);
    EXPECT_EQ(profile->windowTitle(), QStringLiteral("1.プロフィール"));
    EXPECT_EQ(profile->tag(), first);
    EXPECT_TRUE(profile->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(profile->size(), QSize(194, 203));
    EXPECT_EQ(profile->Caption[0]->text(),
              db(QStringLiteral("SELECT SCOT FROM MSYAIN1 WHERE NENDO = 2020 AND KCO = 1 AND SCO = %1").arg(first)));
    EXPECT_TRUE(profile->Label1->text().startsWith(QString::number(first) + QStringLiteral("  ")));

    menuItem("mnSalary")->trigger();   // another caption, the same employee
    int second = 0;
    for (int n = 1; n < plot.currentLayout().markers.size() && (second == 0 || second == first); ++n)
        second = clickPoint(n);
    ASSERT_NE(second, first);
    menuItem("mnProfile")->trigger();  // the same caption, another employee
    menuItem("mnImage")->trigger();
    menuItem("mnFit")->trigger();
    EXPECT_EQ(OpenPointPopups().size(), 5);

    // A click on a label closes its window.
    QTest::mouseClick(profile->Caption[2], Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(OpenPointPopups().size(), 4);

    plot.ClosePopups();
    EXPECT_TRUE(OpenPointPopups().isEmpty());
}

TEST_F(PointPopups, OptimalWageWindowChecksAndUpdates)
{
    const int sco = clickPoint(0);
    ASSERT_NE(sco, 0);
    menuItem("mnFit")->trigger();
    ASSERT_EQ(OpenPointPopups().size(), 1);
    auto* fit = qobject_cast<TFS1106*>(OpenPointPopups()[0]);
    ASSERT_NE(fit, nullptr);
    EXPECT_EQ(fit->windowTitle(), QStringLiteral("6.最適賃金"));
    EXPECT_TRUE(fit->txtKin->isReadOnly());

    const QString before = db(QStringLiteral("SELECT KKYU3 || '/' || HCO FROM MSYAIN2 WHERE NENDO = 2020 AND KCO = 1 "
                                             "AND SCO = %1").arg(sco));
    fit->txtKin3->setText(QStringLiteral("x"));
    EXPECT_FALSE(fit->btnOKClick());
    EXPECT_TRUE(dialogs.saw(QStringLiteral("数値を入力してください。")));
    EXPECT_EQ(db(QStringLiteral("SELECT KKYU3 || '/' || HCO FROM MSYAIN2 WHERE NENDO = 2020 AND KCO = 1 AND SCO = %1")
                     .arg(sco)),
              before);

    ASSERT_GT(fit->cmbHyouka->count(), 0);
    fit->cmbHyouka->setCurrentIndex(0);
    const int code = SelectedItemCode(*fit->cmbHyouka);
    fit->txtKin3->setText(QStringLiteral("12,000"));
    EXPECT_TRUE(fit->btnOKClick());
    EXPECT_EQ(db(QStringLiteral("SELECT KKYU3 || '/' || HCO FROM MSYAIN2 WHERE NENDO = 2020 AND KCO = 1 AND SCO = %1")
                     .arg(sco)),
              QStringLiteral("12000/%1").arg(code));
}

// Pop-ups asked for at one point open cascaded, each caption in sight of the one before; the
// pay pop-up's amounts stand right-aligned and whole.
TEST_F(PointPopups, PopupsOfOnePointCascadeAndThePayAmountsStandRightAligned)
{
    ASSERT_NE(clickPoint(0), 0);
    for (const char* item : {"mnProfile", "mnSalary", "mnImage"})
        menuItem(QString::fromLatin1(item))->trigger();
    QList<PointPopup*> open = OpenPointPopups();
    ASSERT_EQ(open.size(), 3);
    std::sort(open.begin(), open.end(), [](PointPopup* a, PointPopup* b) { return a->x() < b->x(); });
    EXPECT_EQ(open[1]->pos() - open[0]->pos(), QPoint(PopupCascadeStep, PopupCascadeStep));
    EXPECT_EQ(open[2]->pos() - open[1]->pos(), QPoint(PopupCascadeStep, PopupCascadeStep));

    TPX1101* pay = nullptr;
    for (PointPopup* p : open)
        if (p->windowTitle() == PopupCaption(PopupKind::Pay))
            pay = qobject_cast<TPX1101*>(p);
    ASSERT_NE(pay, nullptr);
    for (QLabel* amount : pay->Caption) {
        SCOPED_TRACE(amount->text().toStdString());
        EXPECT_TRUE(amount->alignment() & Qt::AlignRight);
        EXPECT_TRUE(amount->text().endsWith(QStringLiteral(" 円")));
        EXPECT_FALSE(amount->text().startsWith(' ') || amount->text().startsWith(QChar(0x3000)));
    }
    const QStringList faults = GeometryFaults(*pay);
    EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
}

// The plot reaches the window's bottom edge: the left panel runs down to it, and the layout's
// bottom, under the axis texts, is the window's: no empty strip below.
TEST_F(PointPopups, ThePlotWindowLeavesNoEmptyStripAlongItsBottom)
{
    TPX1100& plot = PlotWindow();
    ASSERT_EQ(plot.size(), QSize(1400, 900));
    const QWidget* panel = plot.findChild<QWidget*>(QStringLiteral("Panel1"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->geometry().bottom(), plot.height() - 1);
    const PlotLayout L = plot.currentLayout();
    EXPECT_EQ(L.bottom, plot.height());
    // The picture of the window: the panel's grey down to the last row.
    const QImage image = plot.grab().toImage();
    EXPECT_EQ(QColor(image.pixel(10, image.height() - 1)), QColor(0xF0, 0xF0, 0xF0));
}
