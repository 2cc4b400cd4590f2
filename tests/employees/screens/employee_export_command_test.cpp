// The main menu's employee export: its questions and messages, in order, and what each
// answer leaves on disk.
#include "employees/screens/EmployeeExportCommand.h"
#include "shell/screens/AppState.h"
#include "store/RecordAccess.h"
#include "support/screens/ScriptedDialogs.h"
#include "support/TestProject.h"
#include "support/XlsxReadBack.h"
#include "shell/screens/ExportSettings.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

const QString Success = QStringLiteral("CSVディレクトリに社員マスタが出力されました。");

struct ExportCommand : ::testing::Test {
    ScriptedDialogs dialogs;
    TestProgramFolder folder;

    void SetUp() override { OpenTestProject(folder); }

    QString path() const { return folder.path("CSV/社員マスタ出力.CSV"); }

    void addEmployee(int sco, const QString& name)
    {
        TSyain_ e;
        e.KCO = "1";
        e.NENDO = "2024";
        e.SCO = QString::number(sco);
        e.SCOT = QString::number(sco);
        e.SNA = name;
        ASSERT_TRUE(Insert(folder.fdm().ACN2, true, e));
    }
};

} // namespace

TEST_F(ExportCommand, AsksFirstThenWritesAndSaysSo)
{
    addEmployee(1, QStringLiteral("甲"));
    dialogs.answers = {true};
    ExportEmployeeMaster();

    ASSERT_EQ(dialogs.calls.size(), 2);
    EXPECT_EQ(dialogs.calls[0].kind, "yesNo");
    EXPECT_EQ(dialogs.calls[0].caption, AppTitle);
    EXPECT_EQ(dialogs.calls[0].text,
              QStringLiteral("社員マスタを") + App().ExeFolder + QStringLiteral("CSVへ出力します。\r\nよろしいですか？"));
    EXPECT_EQ(dialogs.calls[1].kind, "information");
    EXPECT_EQ(dialogs.calls[1].caption, AppTitle);
    EXPECT_EQ(dialogs.calls[1].text, Success);
    EXPECT_TRUE(QFile::exists(path()));
}

TEST_F(ExportCommand, StopsWithoutProjectAnswerOrEmployees)
{
    addEmployee(1, QStringLiteral("甲"));

    dialogs.answers = {false};
    ExportEmployeeMaster();
    EXPECT_EQ(dialogs.calls.size(), 1);
    EXPECT_FALSE(QFile::exists(path()));

    Exec(folder.fdm().ACN2, "DELETE FROM MSYAIN1");
    dialogs.clear();
    dialogs.answers = {true};
    ExportEmployeeMaster();
    EXPECT_EQ(dialogs.texts().size(), 2);
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("社員マスタは有りません。"));
    EXPECT_FALSE(QFile::exists(path()));

    // Without a company nothing is asked.
    App().CompanyOpen = false;
    dialogs.clear();
    ExportEmployeeMaster();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("企業の選択がされていません。企業を選択してください。")});
}

TEST_F(ExportCommand, TextsShiftJisCannotHoldAreNamedBeforeWritingAndTheUserMayCancel)
{
    addEmployee(1, QStringLiteral("𠮷田"));

    dialogs.answers = {true, false};
    ExportEmployeeMaster();
    ASSERT_EQ(dialogs.calls.size(), 2);
    EXPECT_EQ(dialogs.calls[1].kind, "yesNo");
    EXPECT_EQ(dialogs.calls[1].caption, AppTitle);
    EXPECT_EQ(dialogs.calls[1].text, QStringLiteral("次の文字は Shift-JIS で書けないため、「?」として出力されます。\r\n"
                                                    "社員番号 1（𠮷田）の社員名：「𠮷」\r\n"
                                                    "このまま出力しますか？"));
    EXPECT_FALSE(QFile::exists(path()));   // cancelled: nothing written

    dialogs.clear();
    dialogs.answers = {true, true};
    ExportEmployeeMaster();
    EXPECT_EQ(dialogs.texts().size(), 3);
    EXPECT_EQ(dialogs.texts().last(), Success);
    EXPECT_TRUE(QFile::exists(path()));
}

TEST_F(ExportCommand, AMissingCsvFolderGivesThePlatformErrorAndNoSuccess)
{
    addEmployee(1, QStringLiteral("甲"));
    ASSERT_TRUE(QDir(folder.path("CSV")).removeRecursively());
    dialogs.answers = {true};
    ExportEmployeeMaster();
    ASSERT_EQ(dialogs.calls.size(), 2);
    EXPECT_EQ(dialogs.calls[1].kind, "warning");
    EXPECT_NE(dialogs.calls[1].text, Success);
    EXPECT_TRUE(dialogs.calls[1].text.contains(QStringLiteral("社員マスタ出力.CSV")));
    EXPECT_GT(dialogs.calls[1].text.indexOf('\r'), 0);   // the platform's text comes first
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(ExportCommand, ExcelAndUtf8WriteEveryCharacterWithoutTheShiftJisQuestion)
{
    addEmployee(1, QStringLiteral("𠮷田😀"));
    // The workbook: one question, then the file beside the CSV's name.
    dialogs.answers = {true};
    ExportEmployeeMaster(SheetFileKind::Xlsx);
    ASSERT_EQ(dialogs.calls.size(), 2);
    EXPECT_EQ(dialogs.calls[0].text, QStringLiteral("社員マスタを") + App().ExeFolder
                                         + QStringLiteral("CSVへExcel形式で出力します。\r\nよろしいですか？"));
    EXPECT_EQ(dialogs.calls[1].text, Success);
    const ReadWorkbook book = ReadXlsx(folder.path("CSV/社員マスタ出力.xlsx"));
    ASSERT_TRUE(book.ok) << book.error.toStdString();
    EXPECT_EQ(book.at(1, 1).text, QStringLiteral("𠮷田😀"));
    EXPECT_FALSE(QFile::exists(path()));

    // The user's UTF-8 setting: no question about Shift-JIS, the name whole.
    SetUserCsvEncoding(CsvEncoding::Utf8Bom);
    dialogs.clear();
    dialogs.answers = {true};
    ExportEmployeeMaster();
    SetUserCsvEncoding(CsvEncoding::ShiftJis);
    EXPECT_EQ(dialogs.calls.size(), 2);
    EXPECT_EQ(ReadCsvLines(path()).value(1).section(',', 1, 1), QStringLiteral("\"𠮷田😀\""));
}
