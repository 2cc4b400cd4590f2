// The plot set-ups while another program writes the data (opened read-only): each one's 分析
// opens the plot window, which draws and prints; the design's 登録 is refused with the
// holder's message; no file under DATA changes.
#include "plot/screens/TPX1010.h"
#include "plot/screens/TPX1020.h"
#include "plot/screens/TPX1030.h"
#include "plot/screens/TPX1040.h"
#include "plot/screens/TPX1050.h"
#include "plot/screens/TPX1060.h"
#include "plot/screens/TPX1070.h"
#include "shell/WriterLock.h"
#include "store/Connection.h"
#include "support/ReadOnlyUse.h"
#include "support/screens/SamplePlotTest.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace {

using ReadOnlyPlotScreens = SamplePlotTest;

} // namespace

TEST_F(ReadOnlyPlotScreens, EverySetUpPlotsAndPrintsAndTheDesignsRegisterIsRefused)
{
    WriterLock holder(folder.dataPath());
    const QString locked = TakeLockAsAnotherProgram(holder, folder.dataPath());
    ASSERT_FALSE(locked.isEmpty());
    const QMap<QString, QByteArray> before = FilesUnder(folder.dataPath());
    ReadOnlyUse readOnly(locked);

    // 印　刷 goes to a PDF file: the print dialog is answered with it.
    QTemporaryDir printed;
    QString pdf;
    SetModalHookForTesting([&](QDialog& d) {
        if (auto* print = qobject_cast<QPrintDialog*>(&d)) {
            print->printer()->setOutputFormat(QPrinter::PdfFormat);
            print->printer()->setOutputFileName(pdf);
        }
        return int(QDialog::Accepted);
    });

    struct Case {
        int chart;
        std::function<PlotSetupFrame*()> make;
        const char* analyse;
    };
    const Case cases[] = {
        {ChartWagePlot, [] { return new TPX1010; }, "btnAnalize"},
        {ChartRaiseCurve, [] { return new TPX1020; }, "btnAnalize"},
        {ChartCostOfLiving, [] { return new TPX1030; }, "btnAnalize"},
        {ChartModelWage, [] { return new TPX1040; }, "btnAnalize"},
        {ChartCurveDesign, [] { return new TPX1050; }, "btnExec"},
        {ChartWageTableGraph, [] { return new TPX1060; }, "btnAnalize"},
        {ChartOptimalWage, [] { return new TPX1070; }, "btnAnalize"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chart);
        std::unique_ptr<PlotSetupFrame> screen(c.make());
        screen->Prepare();
        dialogs.clear();
        press(*screen, c.analyse);
        EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('|').toStdString();
        ASSERT_EQ(CurrentChart(), c.chart);
        ASSERT_TRUE(PlotWindowExists());
        TPX1100& plot = PlotWindow();
        EXPECT_TRUE(plot.isVisible());
        ASSERT_FALSE(plot.model().points.isEmpty());
        const QImage picture = plot.renderPlot(QSize(800, 500));
        QImage blank(picture.size(), picture.format());
        blank.fill(Qt::white);
        EXPECT_NE(picture, blank);

        pdf = printed.filePath(QString::number(c.chart) + ".pdf");
        press(plot, "btnPrint");
        EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('|').toStdString();
        EXPECT_GT(QFileInfo(pdf).size(), 1000);

        if (c.chart == ChartCurveDesign) {
            // 登録 stores the design's curves: the user's data, refused.
            press(*screen, "btnAdd");
            EXPECT_EQ(dialogs.texts(), QStringList{locked});
            dialogs.clear();
        }
        press(*screen, "btnClose");
        EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('|').toStdString();
    }
    EXPECT_EQ(FilesUnder(folder.dataPath()), before);
}
