// TPX0090, TPX5000 and TPX5010 driven through their widgets on a sample company.
#include "reports/ReportPage.h"
#include "projects/Companies.h"
#include "reports/screens/TPX0090.h"
#include "reports/screens/TPX5000.h"
#include "shell/screens/TfrmPrintPreview.h"
#include "shell/screens/AppState.h"
#include "core/TextCodec.h"
#include "shell/screens/ScreenHelpers.h"
#include "support/screens/ScriptedDialogs.h"
#include "support/TestProgramFolder.h"
#include "support/TestProject.h"
#include "support/XlsxReadBack.h"
#include "shell/screens/ExportSettings.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

class ReportScreensTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteAndOpenSampleCompany(folder);
        folder.tellWindow();   // the window opens the company as the company list does
        SetModalHookForTesting([this](QDialog& d) {
            shown << d.windowTitle();
            if (auto* preview = qobject_cast<TfrmPrintPreview*>(&d))
                previewPages << preview->pageCount();
            return 0;
        });
        dialogs.clear();
    }
    void TearDown() override { SetModalHookForTesting({}); }

    static void choose(QDialog& screen, const char* list, int code)
    {
        auto* box = screen.findChild<QComboBox*>(QString::fromLatin1(list));
        ASSERT_TRUE(box) << list;
        for (int i = 0; i < box->count(); ++i)
            if (box->itemText(i).startsWith(QString::number(code) + " : ")) {
                box->setCurrentIndex(i);
                return;
            }
        ADD_FAILURE() << "no item " << code << " in " << list;
    }
    static void click(QDialog& screen, const char* button)
    {
        auto* b = screen.findChild<QPushButton*>(QString::fromLatin1(button));
        ASSERT_TRUE(b) << button;
        b->click();
    }

    ScriptedDialogs dialogs;
    TestProgramFolder folder;
    QStringList shown;
    QList<int> previewPages;
};

} // namespace

TEST_F(ReportScreensTest, GroupReportChecksRangesAndPrintsThroughThePreview)
{
    App().ReportMode = 2;
    TPX0090 screen;
    screen.Prepare();
    EXPECT_EQ(screen.windowTitle(), QStringLiteral("グループ別社員賃金レポート"));
    auto* marks = screen.findChild<QComboBox*>("cmbMarkSTart");
    ASSERT_TRUE(marks);
    EXPECT_EQ(marks->currentIndex(), -1);
    EXPECT_EQ(marks->itemText(marks->count() - 1), QStringLiteral("0 : 指定なし"));
    EXPECT_TRUE(marks->itemText(0).startsWith(QStringLiteral("1 : ")));
    auto* forms = screen.findChild<QComboBox*>("cmbSalaryEnd");
    ASSERT_TRUE(forms);
    EXPECT_GE(forms->count(), 2);

    struct Case {
        const char* startList;
        const char* endList;
        int start, end;
        const char* message;
    };
    const Case refused[] = {{"cmbMarkSTart", "cmbMarkEnd", 3, 1, "マーク範囲の指定に誤りがあります。"},
                            {"cmbTokyuSTart", "cmbTokyuEnd", 5, 2, "等級範囲の指定に誤りがあります。"}};
    for (const Case& c : refused) {
        TPX0090 s;
        s.Prepare();
        choose(s, c.startList, c.start);
        choose(s, c.endList, c.end);
        dialogs.clear();
        click(s, "btnPrint");
        EXPECT_EQ(dialogs.texts(), QStringList{QString::fromUtf8(c.message)});
    }
    EXPECT_TRUE(shown.isEmpty());

    // Nobody left in grade 9.
    Exec(folder.fdm().ACN2, "DELETE FROM MSYAIN1 WHERE KCO = 1 AND NENDO = 2020 AND SCO IN "
                            "(SELECT SCO FROM MSYAIN2 WHERE KCO = 1 AND NENDO = 2020 AND TOUKYU = 9)");
    choose(screen, "cmbTokyuSTart", 9);
    dialogs.clear();
    click(screen, "btnPrint");
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("印刷対象データは有りません。")});
    dialogs.clear();
    dialogs.answers = {true};
    click(screen, "cdCsv");
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("対象データは有りません。"));

    // Everyone: the document opens in the preview and is gone when the preview closes.
    TPX0090 all;
    all.Prepare();
    dialogs.clear();
    click(all, "btnPrint");
    EXPECT_TRUE(dialogs.calls.isEmpty()) << dialogs.texts().join(' ').toStdString();
    EXPECT_EQ(shown, QStringList{QStringLiteral("印刷プレビュー")});
    ASSERT_EQ(previewPages.size(), 1);
    EXPECT_GE(previewPages[0], 2);
    EXPECT_FALSE(QFileInfo::exists(ComposedDocumentsFolder() + "wkPrintSyainSalaryList.pdf"));
}

TEST_F(ReportScreensTest, GroupReportCsvAsksAndWritesItsFile)
{
    App().ReportMode = 1;
    TPX0090 screen;
    screen.Prepare();
    EXPECT_EQ(screen.windowTitle(), QStringLiteral("グループ別社員昇給レポート"));
    const QString question = QStringLiteral("グループ別社員昇給レポートを") + QDir::toNativeSeparators(App().ExeFolder)
                             + QStringLiteral("CSVへ出力します。\r\nよろしいですか？");
    const QString file = folder.path("CSV/グループ別社員昇給レポート.CSV");
    dialogs.answers = {false};
    click(screen, "cdCsv");
    EXPECT_EQ(dialogs.texts(), QStringList{question});
    EXPECT_FALSE(QFileInfo::exists(file));

    dialogs.clear();
    dialogs.answers = {true};
    click(screen, "cdCsv");
    EXPECT_EQ(dialogs.texts(), (QStringList{question, QStringLiteral("CSVディレクトリにグループ別社員昇給レポートが出力されました。")}));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    const int employees = Scalar(folder.fdm().ACN2, "SELECT COUNT(*) FROM MSYAIN1 WHERE KCO = 1 AND NENDO = 2020").toInt();
    EXPECT_EQ(bytes.count("\r\n"), employees + 1);
    EXPECT_TRUE(bytes.startsWith(ToCp932(QStringLiteral("社員コード,氏名,評価,"))));

    // Without the CSV folder the file error is shown, not the success message.
    f.close();
    ASSERT_TRUE(QDir(folder.path("CSV")).removeRecursively());
    dialogs.clear();
    dialogs.answers = {true};
    click(screen, "cdCsv");
    ASSERT_EQ(dialogs.calls.size(), 2);
    EXPECT_TRUE(dialogs.calls[1].text.startsWith(QStringLiteral("CSVファイルの書き込みでエラーが発生しました。")));
}

TEST_F(ReportScreensTest, GroupReportExcelAndTheUsersUtf8Setting)
{
    App().ReportMode = 0;
    TPX0090 screen;
    screen.Prepare();
    const QString question = QStringLiteral("グループ別社員賃金レポートを") + QDir::toNativeSeparators(App().ExeFolder)
                             + QStringLiteral("CSVへExcel形式で出力します。\r\nよろしいですか？");
    const QString workbook = folder.path("CSV/グループ別社員賃金レポート.xlsx");
    dialogs.answers = {true};
    click(screen, "cdXlsx");
    EXPECT_EQ(dialogs.texts(), (QStringList{question, QStringLiteral("CSVディレクトリにグループ別社員賃金レポートが出力されました。")}));
    const ReadWorkbook book = ReadXlsx(workbook);
    ASSERT_TRUE(book.ok) << book.error.toStdString();
    EXPECT_EQ(book.sheets, QStringList{QStringLiteral("グループ別社員賃金レポート")});

    // The user's setting, not the company's, turns the CSV into UTF-8 with a byte-order mark.
    const QString file = folder.path("CSV/グループ別社員賃金レポート.CSV");
    SetUserCsvEncoding(CsvEncoding::Utf8Bom);
    dialogs.clear();
    dialogs.answers = {true};
    click(screen, "cdCsv");
    SetUserCsvEncoding(CsvEncoding::ShiftJis);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("\xEF\xBB\xBF" + QStringLiteral("社員コード,氏名,年齢").toUtf8()));
    // The workbook and the CSV hold the same table.
    EXPECT_EQ(DifferencesFromCsv(book, ReadCsvLines(file)), QStringList());
}

TEST_F(ReportScreensTest, PersonalReportsPrintOneMark)
{
    TPX5000 hr;
    TPX5010 wage;
    for (QDialog* screen : {static_cast<QDialog*>(&hr), static_cast<QDialog*>(&wage)}) {
        if (screen == &hr)
            hr.Prepare();
        else
            wage.Prepare();
        choose(*screen, "cmbMarkSTart", 1);
        choose(*screen, "cmbMarkEnd", 1);
        click(*screen, "btnPrint");
    }
    EXPECT_EQ(hr.windowTitle(), QStringLiteral("社員個人情報レポート"));
    EXPECT_EQ(wage.windowTitle(), QStringLiteral("社員賃金情報レポート"));
    EXPECT_TRUE(dialogs.calls.isEmpty()) << dialogs.texts().join(' ').toStdString();
    const int markOne = Scalar(folder.fdm().ACN2, "SELECT COUNT(*) FROM MSYAIN1 WHERE KCO = 1 AND NENDO = 2020 AND MCO = 1").toInt();
    ASSERT_EQ(previewPages.size(), 2);
    EXPECT_EQ(previewPages[0], (markOne + 3) / 4);
    EXPECT_EQ(previewPages[1], (markOne + 3) / 4);
}
