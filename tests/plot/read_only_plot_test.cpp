// Read-only use: while another program holds the writer lock, every plot set-up is analysed,
// plotted and printed on in-memory copies of the plot's work tables, no file changes, and a
// command that changes the user's data is still refused with the holder's message.
#include "plot/ChartAnalyses.h"
#include "plot/ChartModel.h"
#include "plot/OptimalWage.h"
#include "plot/PlotPainter.h"
#include "plot/PlotPrint.h"
#include "plot/RaiseCurveDesign.h"
#include "projects/Companies.h"
#include "raise/YearRollover.h"
#include "shell/WriterLock.h"
#include "store/Connection.h"
#include "support/PdfText.h"
#include "support/ReadOnlyUse.h"
#include "support/RecordedFailures.h"
#include "support/TestProgramFolder.h"
#include "support/TestProject.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QTemporaryDir>

#include <optional>

#include <gtest/gtest.h>

namespace {

const char* const PointsQuery =
    "SELECT count(*) || ':' || coalesce(group_concat(SCO || '/' || X || '/' || Y, ','), '') FROM DCHART";
const char* const WagePlotTitleQuery = "SELECT TITLE FROM MCHART WHERE NENDO = 2020 AND KCO = 1 AND CHCO = 1010";

// DCHART as the year file holds it, read on a connection of its own.
QString StoredPoints(const QString& yearFile)
{
    SqliteConnection cn;
    EXPECT_TRUE(cn.open(yearFile));
    return Scalar(cn, PointsQuery);
}

class ReadOnlyPlots : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureGuiApplication();
        WriteAndOpenSampleCompany(folder);
        Session& s = folder.session();
        // A plot analysed before: its points are what the file holds.
        ASSERT_EQ(AnalyseStoredChart(s, ChartRaiseCurve).status, SetupAnalysis::Plotted);
    }
    QString yearFile() { return folder.dataPath("2020/DATA.MDB"); }

    TestProgramFolder folder;
};

TEST_F(ReadOnlyPlots, EveryChartPlotsAndPrintsWhileAnotherProgramWritesAndNoFileChanges)
{
    RecordedFailures failures;
    Session& s = folder.session();
    const QString storedPoints = StoredPoints(yearFile());
    ASSERT_FALSE(storedPoints.startsWith("0:"));

    WriterLock holder(folder.dataPath());
    const QString locked = TakeLockAsAnotherProgram(holder, folder.dataPath());
    ASSERT_FALSE(locked.isEmpty());
    const QMap<QString, QByteArray> before = FilesUnder(folder.dataPath());
    ReadOnlyUse readOnly(locked);

    std::optional<TOptimalWage> optimal;
    QTemporaryDir printed;
    for (int chart : {ChartWagePlot, ChartRaiseCurve, ChartCostOfLiving, ChartModelWage, ChartCurveDesign,
                      ChartWageTableGraph, ChartOptimalWage}) {
        SCOPED_TRACE(chart);
        const ChartAnalysis a = AnalyseStoredChart(s, chart);
        ASSERT_EQ(a.status, SetupAnalysis::Plotted)
            << a.outcome.text.toStdString() << failures.texts().join('|').toStdString();
        EXPECT_EQ(a.chartId, chart);
        if (a.optimalWage)
            optimal = a.optimalWage;

        // The window opens the chart from the points just analysed, draws and prints it.
        const ChartModel m = OpenChart(s, chart);
        ASSERT_FALSE(m.points.isEmpty());
        EXPECT_EQ(m.settings.CHCO, QString::number(chart));
        const QImage picture =
            RenderPlot(m, {m.ranges.Xmin, m.ranges.Xmax, m.ranges.Ymin, m.ranges.Ymax}, QSize(800, 500));
        ASSERT_EQ(picture.size(), QSize(800, 500));
        QImage blank(picture.size(), picture.format());
        blank.fill(Qt::white);
        EXPECT_NE(picture, blank);
        QString error;
        const QString pdf = printed.filePath(QString::number(chart) + ".pdf");
        EXPECT_TRUE(WritePlotPdf(pdf, PlotPrintDataOf(s, m), picture, 150, &error)) << error.toStdString();
        EXPECT_GT(QFileInfo(pdf).size(), 1000);
    }

    // A set-up chosen read-only is kept for the rest of the run, in memory.
    const PlotSetupVariant& wage = *SetupVariant(ChartWagePlot);
    PlotSetupChoices c;
    ASSERT_TRUE(LoadSetupChoices(s, wage, c));
    c.title = QStringLiteral("閲覧中の見出し");
    ASSERT_TRUE(SaveSetupChoices(s, wage, c, true));
    ASSERT_TRUE(LoadSetupChoices(s, wage, c));
    EXPECT_EQ(c.title, QStringLiteral("閲覧中の見出し"));
    EXPECT_TRUE(failures.reports.isEmpty()) << failures.texts().join('|').toStdString();

    // Commands that change the user's data are refused with the holder's message: the
    // design's 登録, the rollover, and any statement on the employees.
    ASSERT_TRUE(optimal.has_value());
    EXPECT_TRUE(optimal->valid);
    RaiseCurveDesign design;
    ASSERT_TRUE(LoadDesignCurves(s, design));
    design.commentary = QStringLiteral("閲覧中の変更");
    EXPECT_FALSE(SaveDesignCurves(s, design));
    ASSERT_FALSE(failures.reports.isEmpty());
    EXPECT_EQ(failures.reports.last().text, locked);
    EXPECT_EQ(failures.reports.last().kind, Outcome::Kind::Information);
    const RolloverResult rollover = RollOverCompany(s, folder.fdm().ACN3, 2020, 1);
    EXPECT_FALSE(rollover.done);
    EXPECT_EQ(rollover.outcome.text, locked);
    failures.clear();
    EXPECT_LT(s.year->execute(QStringLiteral("UPDATE MSYAIN2 SET FITKIN = 1 WHERE NENDO = 2020 AND KCO = 1")), 0);
    EXPECT_EQ(s.year->errors().value(0).description, locked);

    // Not a byte of any file changed: the stored points and set-ups are those of before.
    EXPECT_EQ(FilesUnder(folder.dataPath()), before);
    EXPECT_EQ(StoredPoints(yearFile()), storedPoints);
    EXPECT_FALSE(QFileInfo::exists(folder.dataPath("backup")));
}

// Once writes are allowed again the in-memory copies go before the next statement: the
// set-up chosen read-only is not taken for stored, and 分析 writes the file as always.
TEST_F(ReadOnlyPlots, WritesAllowedAgainWorkOnTheFileAndForgetTheCopies)
{
    Session& s = folder.session();
    const PlotSetupVariant& wage = *SetupVariant(ChartWagePlot);
    PlotSetupChoices stored;
    ASSERT_TRUE(LoadSetupChoices(s, wage, stored));
    {
        ReadOnlyUse readOnly(QStringLiteral("このデータは 山田（PC-01）が 10:32 から使用中です。"));
        PlotSetupChoices c = stored;
        c.title = QStringLiteral("閲覧中の見出し");
        ASSERT_TRUE(SaveSetupChoices(s, wage, c, true));
        ASSERT_EQ(AnalyseStoredChart(s, ChartWagePlot).status, SetupAnalysis::Plotted);
        EXPECT_EQ(Scalar(*s.year, WagePlotTitleQuery), QStringLiteral("閲覧中の見出し"));
    }
    PlotSetupChoices after;
    {
        // Writes allowed and refused again without a statement between: the copies are made
        // afresh from the file, not kept from the first read-only use.
        RefuseWrites(QString());
        ReadOnlyUse again(QStringLiteral("このデータは 山田（PC-01）が 10:40 から使用中です。"));
        ASSERT_TRUE(LoadSetupChoices(s, wage, after));
        EXPECT_EQ(after.title, stored.title);
    }
    ASSERT_TRUE(LoadSetupChoices(s, wage, after));
    EXPECT_EQ(after.title, stored.title);
    ASSERT_EQ(AnalyseStoredChart(s, ChartWagePlot).status, SetupAnalysis::Plotted);
    EXPECT_EQ(Scalar(*s.year, "SELECT count(*) FROM temp.sqlite_master"), QStringLiteral("0"));
    // The file holds what the connection reads: the wage plot's points and its stored title.
    EXPECT_EQ(StoredPoints(yearFile()), Scalar(*s.year, PointsQuery));
    SqliteConnection file;
    ASSERT_TRUE(file.open(yearFile()));
    EXPECT_EQ(Scalar(file, WagePlotTitleQuery), stored.title);
}

} // namespace
