// The 男女の賃金の差異 screen on the first sample company of 2020: opened from the main window's
// analysis menu, its settings stored, its CSV file the batch tool's byte for byte, and the
// actual-wages import cancelled or accepted.
#include "paygap/PayGapStore.h"
#include "paygap/screens/TfrmPayGap.h"

#include "app/TPX0000.h"
#include "support/BatchToolRun.h"
#include "support/screens/SamplePlotTest.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QTableWidget>

namespace {

QByteArray bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class PayGapScreen : public SamplePlotTest {};

} // namespace

TEST_F(PayGapScreen, OpensFromTheAnalysisMenuWithAProjectOpen)
{
    QStringList shown;
    SetModalHookForTesting([&shown](QDialog& d) {
        shown << d.objectName();
        return int(QDialog::Rejected);
    });
    TPX0000 window;
    QAction* item = window.findChild<QAction*>("mnPayGap");
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(item->isEnabled());   // no project open yet
    openSample();
    window.RefreshMenu(false);          // as the window does when the company list selects one
    EXPECT_TRUE(item->isEnabled());
    EXPECT_TRUE(window.findChild<QMenu*>("mnPlot")->actions().contains(item));
    item->trigger();
    EXPECT_EQ(shown, QStringList{"TfrmPayGap"});
}

TEST_F(PayGapScreen, SavedSettingsAndItsCsvAreTheBatchToolsToo)
{
    TfrmPayGap screen;
    screen.Prepare();
    ASSERT_TRUE(screen.run().outcome.ok);
    auto* table = child<QTableWidget>(screen, "grdPayGap");
    EXPECT_EQ(table->item(0, 0)->text(), QStringLiteral("全労働者"));
    EXPECT_EQ(table->item(0, 5)->text(), RatioText(screen.run().result.all.ratioTenths()));
    // The averages read as amounts.
    EXPECT_TRUE(table->item(0, 3)->text().contains(',')) << table->item(0, 3)->text().toStdString();

    // Leave out 通勤手当, count part-time workers 正規換算, write an explanation; store them.
    auto* allowances = screen.findChild<QListWidget*>();
    ASSERT_NE(allowances, nullptr);
    const auto commuting = allowances->findItems(QStringLiteral("通勤手当"), Qt::MatchExactly);
    ASSERT_EQ(commuting.size(), 1);
    commuting[0]->setCheckState(Qt::Checked);
    screen.findChild<QCheckBox*>()->setChecked(true);
    press(screen, "btnSave");
    PayGapSettings stored;
    bool found = false;
    ASSERT_TRUE(ReadPayGapSettings(folder.session(), stored, found));
    EXPECT_TRUE(found);
    EXPECT_EQ(stored.excludedAllowances, QStringList{"通勤手当"});
    EXPECT_TRUE(stored.fullTimeEquivalent);

    press(screen, "btnCsv");
    const QString screenCsv = folder.path("CSV/男女の賃金の差異.csv");
    ASSERT_TRUE(QFile::exists(screenCsv)) << dialogs.texts().join('|').toStdString();
    const QString batchCsv = folder.path("batch.csv");
    const ToolRun r = RunBatchTool(folder.path(), {"pay-gap", "--year", "2020", "--company", "1", "--csv", batchCsv});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(bytes(batchCsv), bytes(screenCsv));
}

TEST_F(PayGapScreen, CancelledImportStoresNothingAndAnAcceptedOneChangesTheFigures)
{
    TfrmPayGap screen;
    screen.Prepare();
    const long long before = screen.run().result.all.menAverage();
    const QString path = folder.path("CSV/actual.csv");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        // The first sample employee's number with a very high wage, and a bad row.
        const QString number = Scalar(folder.fdm().ACN2, "SELECT SCOT FROM MSYAIN1 m JOIN MSYAIN2 n USING (KCO, "
                                                         "NENDO, SCO) WHERE NENDO = 2020 AND KCO = 1 AND SEIBETSU = 0 "
                                                         "AND SM1 = 1 ORDER BY SCO LIMIT 1");
        ASSERT_FALSE(number.isEmpty());
        f.write(QStringLiteral("社員番号,年間賃金総額\r\n%1,99000000\r\nZ,abc\r\n").arg(number).toUtf8());
    }
    dialogs.files = {path};
    dialogs.answers = {false};
    press(screen, "btnImport");
    EXPECT_TRUE(dialogs.texts().join('|').contains(QStringLiteral("3行目: 年間賃金総額が0以上の整数ではありません（Z,abc）")))
        << dialogs.texts().join('|').toStdString();
    EXPECT_EQ(Scalar(folder.fdm().ACN2, "SELECT count(*) FROM PAYGAPJISSEKI"), "0");

    dialogs.files = {path};
    dialogs.answers = {true};
    press(screen, "btnImport");
    EXPECT_EQ(Scalar(folder.fdm().ACN2, "SELECT NENGAKU FROM PAYGAPJISSEKI"), "99000000");
    EXPECT_GT(screen.run().result.all.menAverage(), before);
    EXPECT_EQ(screen.run().result.actualWages, 1);
}
