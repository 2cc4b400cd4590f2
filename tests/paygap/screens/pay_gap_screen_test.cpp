// The 男女の賃金の差異 screen on the first sample company of 2020: opened from the main window's
// analysis menu, its settings stored, its CSV file the batch tool's byte for byte and its
// workbook the same cells, the breakdowns and the split as tables of the computed figures, the
// 区分 lists wide enough for their longest item, and the actual-wages import cancelled or
// accepted.
#include "paygap/PayGapStore.h"
#include "paygap/screens/TfrmPayGap.h"

#include "app/TPX0000.h"
#include "support/BatchToolRun.h"
#include "support/XlsxReadBack.h"
#include "support/screens/SamplePlotTest.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLocale>
#include <QStyle>
#include <QStyleOptionComboBox>
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
    const QString hoursRows = Scalar(folder.fdm().ACN2, "SELECT count(*) FROM PAYGAPJISSEKI");
    EXPECT_NE(hoursRows, "0");
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
    // The samples' rows of hours alone stay as they were.
    EXPECT_EQ(Scalar(folder.fdm().ACN2, "SELECT count(*) FROM PAYGAPJISSEKI WHERE NENGAKU IS NOT NULL"), "0");
    EXPECT_EQ(Scalar(folder.fdm().ACN2, "SELECT count(*) FROM PAYGAPJISSEKI"), hoursRows);

    dialogs.files = {path};
    dialogs.answers = {true};
    press(screen, "btnImport");
    // The import replaces the company's rows of the year, hours alone included.
    EXPECT_EQ(Scalar(folder.fdm().ACN2, "SELECT group_concat(NENGAKU) FROM PAYGAPJISSEKI"), "99000000");
    EXPECT_GT(screen.run().result.all.menAverage(), before);
    EXPECT_EQ(screen.run().result.actualWages, 1);
}

namespace {

QString grouped(long long yen) { return QLocale(QLocale::English).toString(yen); }

// The six cells of a table row as the screen must show them, from the computed cell.
QStringList expectedRow(const QString& label, const GapCell& c, bool fte)
{
    auto average = [&](const SexSums& s, long long avg) { return s.headMilli > 0 ? grouped(avg) : QStringLiteral("－"); };
    return {label, HeadcountText(c.men.headMilli, fte), HeadcountText(c.women.headMilli, fte),
            average(c.men, c.menAverage()), average(c.women, c.womenAverage()), RatioText(c.ratioTenths())};
}

QStringList rowOf(QTableWidget* t, int row)
{
    QStringList cells;
    for (int c = 0; c < t->columnCount(); ++c)
        cells << (t->item(row, c) ? t->item(row, c)->text() : QStringLiteral("<none>"));
    return cells;
}

QStringList headingsOf(QTableWidget* t)
{
    QStringList out;
    for (int c = 0; c < t->columnCount(); ++c)
        out << t->horizontalHeaderItem(c)->text();
    return out;
}

} // namespace

// Under 正規換算, so the headcounts have their decimals: every table's cells are the computed
// figures, figures right-aligned, "－" where a cell has no ratio.
TEST_F(PayGapScreen, TablesShowTheComputedFigures)
{
    // Every grade of the samples holds both sexes: without women in grade 9 its cell is "－".
    Exec(folder.fdm().ACN2, "UPDATE MSYAIN2 SET SEIBETSU = 0 WHERE KCO = 1 AND NENDO = 2020 AND TOUKYU = 9");
    TfrmPayGap screen;
    screen.Prepare();
    screen.findChild<QCheckBox*>()->setChecked(true);
    press(screen, "btnCompute");
    ASSERT_TRUE(screen.run().outcome.ok);
    const PayGapResult& r = screen.run().result;
    ASSERT_TRUE(r.fullTimeEquivalent);
    const QStringList figureHeadings = {QStringLiteral("男性人数"), QStringLiteral("女性人数"),
                                        QStringLiteral("男性平均年間賃金"), QStringLiteral("女性平均年間賃金"),
                                        QStringLiteral("男女の賃金の差異")};

    auto* statutory = child<QTableWidget>(screen, "grdPayGap");
    EXPECT_EQ(headingsOf(statutory), QStringList{QStringLiteral("区分")} + figureHeadings);
    ASSERT_EQ(statutory->rowCount(), 4);
    EXPECT_EQ(rowOf(statutory, 0), expectedRow(QStringLiteral("全労働者"), r.all, true));
    EXPECT_EQ(rowOf(statutory, 1), expectedRow(QStringLiteral("正規雇用労働者"), r.regular, true));
    EXPECT_EQ(rowOf(statutory, 2), expectedRow(QStringLiteral("パート・有期労働者"), r.partTime, true));
    EXPECT_TRUE(rowOf(statutory, 2)[1].contains('.'));   // 3 decimals under 正規換算
    EXPECT_EQ(rowOf(statutory, 3), (QStringList{QStringLiteral("女性管理職比率"), QString::number(r.managers),
                                                QString::number(r.womenManagers), QString(), QString(),
                                                RatioText(r.managerShareTenths)}));

    const struct {
        const char* table;
        const char* heading;
        const QList<BreakdownRow>* rows;
    } breakdowns[] = {{"grdByGrade", "資格等級別", &r.byGrade},
                      {"grdByAge", "年齢階層別", &r.byAge},
                      {"grdByService", "勤続年数別", &r.byService}};
    int dashes = 0;
    for (const auto& b : breakdowns) {
        SCOPED_TRACE(b.table);
        auto* t = child<QTableWidget>(screen, b.table);
        EXPECT_EQ(t->editTriggers(), QAbstractItemView::NoEditTriggers);
        EXPECT_EQ(headingsOf(t), QStringList{QString::fromUtf8(b.heading)} + figureHeadings);
        ASSERT_EQ(t->rowCount(), b.rows->size());
        for (int i = 0; i < b.rows->size(); ++i) {
            const BreakdownRow& row = (*b.rows)[i];
            EXPECT_EQ(rowOf(t, i), expectedRow(row.label, row.cell, true)) << i;
            for (int c = 1; c < 6; ++c)
                EXPECT_TRUE(t->item(i, c)->textAlignment() & Qt::AlignRight) << i << ' ' << c;
            EXPECT_TRUE(t->item(i, 0)->textAlignment() & Qt::AlignLeft);
            dashes += int(rowOf(t, i).count(QStringLiteral("－")));
        }
    }
    EXPECT_GT(dashes, 0);   // grade 9 without women

    auto* split = child<QTableWidget>(screen, "grdSplit");
    EXPECT_EQ(headingsOf(split), (QStringList{QStringLiteral("要因分解（男性基準）"), QStringLiteral("金額"),
                                              QStringLiteral("割合")}));
    ASSERT_TRUE(r.split.valid) << r.split.reason.toStdString();
    ASSERT_EQ(split->rowCount(), 3);
    EXPECT_EQ(rowOf(split, 0), (QStringList{QStringLiteral("男女の平均年間賃金の差"), grouped(r.split.gapYen), "100.0"}));
    EXPECT_EQ(rowOf(split, 1), (QStringList{QStringLiteral("説明できる差（年齢・勤続・等級）"),
                                            grouped(r.split.explainedYen), RatioText(r.split.explainedShareTenths())}));
    EXPECT_EQ(rowOf(split, 2), (QStringList{QStringLiteral("説明できない差"), grouped(r.split.unexplainedYen),
                                            RatioText(r.split.unexplainedShareTenths())}));
    EXPECT_TRUE(split->item(2, 1)->textAlignment() & Qt::AlignRight);
}

// Each 区分 list shows its longest item, パート・有期労働者, whole: the field the style draws the
// text in holds that text's width in the list's font and the pixel kept free on each side.
TEST_F(PayGapScreen, CategoryListsAreWideEnoughForTheirLongestItem)
{
    TfrmPayGap screen;
    screen.Prepare();
    screen.show();
    QCoreApplication::processEvents();
    auto* forms = child<QTableWidget>(screen, "grdForms");
    ASSERT_GE(forms->rowCount(), 3);
    for (int row = 0; row < forms->rowCount(); ++row) {
        auto* list = qobject_cast<QComboBox*>(forms->cellWidget(row, 2));
        ASSERT_NE(list, nullptr);
        int longest = 0;
        QString longestText;
        for (int i = 0; i < list->count(); ++i)
            if (list->fontMetrics().horizontalAdvance(list->itemText(i)) > longest) {
                longest = list->fontMetrics().horizontalAdvance(list->itemText(i));
                longestText = list->itemText(i);
            }
        EXPECT_EQ(longestText, QStringLiteral("パート・有期労働者"));
        QStyleOptionComboBox option;
        option.initFrom(list);
        option.rect = list->rect();
        const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
        EXPECT_GE(field.width(), longest + 2) << row << ": " << list->width() << " wide";
        EXPECT_GE(forms->columnWidth(2), list->width());
    }
}

// Excel出力 writes the tables as a workbook beside the CSV file: the same cells.
TEST_F(PayGapScreen, ExcelExportHoldsTheCellsOfTheCsv)
{
    TfrmPayGap screen;
    screen.Prepare();
    press(screen, "btnCsv");
    press(screen, "btnXlsx");
    const QString xlsx = folder.path("CSV/男女の賃金の差異.xlsx");
    ASSERT_TRUE(QFile::exists(xlsx)) << dialogs.texts().join('|').toStdString();
    EXPECT_TRUE(dialogs.texts().join('|').contains(QStringLiteral("Excel形式で出力されました")))
        << dialogs.texts().join('|').toStdString();
    const ReadWorkbook book = ReadXlsx(xlsx);
    ASSERT_TRUE(book.ok) << book.error.toStdString();
    EXPECT_EQ(DifferencesFromCsv(book, ReadCsvLines(folder.path("CSV/男女の賃金の差異.csv"))), QStringList());
    EXPECT_EQ(book.freeze, "A2");
    EXPECT_EQ(book.title, QStringLiteral("男女の賃金の差異"));
}
