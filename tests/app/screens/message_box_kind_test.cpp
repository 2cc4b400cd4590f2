// Which box a screen's message comes in: a refused command or input in the warning box, a
// success in the information box. Representative messages from screens of several subsystems.
#include "projects/screens/TPX0010.h"
#include "reference/screens/TPX0050.h"
#include "reports/ReportComposer.h"
#include "reports/screens/TPX0090.h"
#include "shell/screens/AppState.h"
#include "shell/screens/TfrmPrintPreview.h"
#include "support/screens/ScriptedDialogs.h"
#include "support/TestProject.h"
#include "wagetable/SalaryListReport.h"

#include <QDir>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

void Click(QWidget& screen, const char* button)
{
    auto* b = screen.findChild<QPushButton*>(QString::fromLatin1(button));
    ASSERT_TRUE(b) << button;
    b->click();
}

class MessageBoxKind : public ::testing::Test {
protected:
    void SetUp() override { OpenTestProject(folder); }   // company 1 of 2024, nobody employed

    ScriptedDialogs dialogs;
    TestProgramFolder folder;
};

} // namespace

TEST_F(MessageBoxKind, RefusalsComeInTheWarningBoxAndSuccessInTheInformationBox)
{
    const QString pdf = folder.path("控え.pdf");
    const struct {
        const char* name;
        std::function<void()> act;
        QString text;
        const char* kind;
    } cases[] = {
        {"cost of living saved without its code",
         [] {
             TPX0050 screen;
             screen.Prepare();
             screen.btnAddClick();
         },
         QStringLiteral("生計費コードが入力されていません。"), "warning"},
        {"group report with nobody in range",
         [] {
             App().ReportMode = 2;
             TPX0090 screen;
             screen.Prepare();
             Click(screen, "btnPrint");
         },
         QStringLiteral("印刷対象データは有りません。"), "warning"},
        {"print preview of a document no longer there",
         [this] {
             TfrmPrintPreview preview(folder.path("消えた.pdf"));
             EXPECT_FALSE(preview.FormShow());
         },
         QDir::toNativeSeparators(folder.path("消えた.pdf")) + QStringLiteral("が見つかりません"), "warning"},
        {"company list selected in a year without companies",
         [] {
             App().ListMode = 4;
             TPX0010 list;
             list.SetUpForListMode(4);
             list.Prepare();   // today's year: the project's company is of 2024
             list.btnAddClick();
         },
         QStringLiteral("企業コードが選択されていません。"), "warning"},
        {"a copy of a printed document saved",
         [&] {
             TCHNGIN2_ row;
             row.GOUHOU = QStringLiteral("1");
             row.KIN1 = QStringLiteral("201000");
             const ReportDocument doc = BuildSalaryListPages(
                 folder.session().exeFolder, {row}, {QStringLiteral("2024 年度"), QStringLiteral("テスト株式会社"),
                                                  QStringLiteral("総合職"), QStringLiteral("2024年04月01日")});
             QString error;
             ASSERT_TRUE(ComposeReport(doc, &error)) << error.toStdString();
             TfrmPrintPreview preview(doc.documentPath);
             ASSERT_TRUE(preview.FormShow());
             dialogs.files = {pdf};
             Click(preview, "btnSave");
         },
         QStringLiteral("PDFファイルを保存しました。\r\n") + QDir::toNativeSeparators(pdf), "information"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.clear();
        c.act();
        ASSERT_FALSE(dialogs.calls.isEmpty());
        const DialogCall& shown = dialogs.calls.last();
        EXPECT_EQ(shown.text.toStdString(), c.text.toStdString());
        EXPECT_EQ(shown.kind.toStdString(), c.kind);
    }
}
