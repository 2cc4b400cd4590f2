// TfrmPrintPreview driven through its widgets on a composed wage table.
#include "reports/ReportComposer.h"
#include "shell/screens/TfrmPrintPreview.h"
#include "shell/screens/ScreenHelpers.h"
#include "support/PdfText.h"
#include "support/screens/ScriptedDialogs.h"
#include "support/TestProgramFolder.h"
#include "wagetable/SalaryListReport.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>

#include <gtest/gtest.h>

namespace {

QList<TCHNGIN2_> table(int n)
{
    QList<TCHNGIN2_> rows;
    for (int s = 1; s <= n; ++s) {
        TCHNGIN2_ r;
        r.GOUHOU = QString::number(s);
        r.KIN1 = QString::number(200000 + s * 1000);
        r.KS1 = QStringLiteral("1000");
        rows << r;
    }
    return rows;
}

class PrintPreviewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const ReportDocument doc = BuildSalaryListPages(
            folder.session().exeFolder, table(40), {QStringLiteral("2024 年度"), QStringLiteral("テスト株式会社"), QStringLiteral("総合職"),
                        QStringLiteral("2024年04月01日")});
        file = doc.documentPath;
        QString error;
        ASSERT_TRUE(ComposeReport(doc, &error)) << error.toStdString();
    }
    void TearDown() override { SetPrintDialogHookForTesting(nullptr); }

    template <class W>
    W* child(TfrmPrintPreview& p, const char* name)
    {
        W* w = p.findChild<W*>(QString::fromLatin1(name));
        EXPECT_TRUE(w) << name;
        return w;
    }

    TestProgramFolder folder;
    ScriptedDialogs dialogs;
    QString file;
};

} // namespace

TEST_F(PrintPreviewTest, ZoomAndPagesFollowTheirControls)
{
    TfrmPrintPreview preview(file);
    ASSERT_TRUE(preview.FormShow());
    EXPECT_EQ(preview.windowTitle(), QStringLiteral("印刷プレビュー"));
    EXPECT_EQ(preview.pageCount(), 2);
    auto* zoom = child<QSlider>(preview, "cmdZoom");
    auto* zoomLabel = child<QLabel>(preview, "labZoom");
    auto* page = child<QScrollBar>(preview, "cmdPage");
    auto* pageLabel = child<QLabel>(preview, "labPage");
    EXPECT_EQ(zoomLabel->text(), QStringLiteral("拡大率100%"));
    EXPECT_EQ(pageLabel->text(), QStringLiteral("頁 1/2"));
    EXPECT_EQ(page->minimum(), 1);
    EXPECT_EQ(page->maximum(), 2);
    const struct {
        int position;
        const char* label;
    } zooms[] = {{1, "拡大率25%"}, {6, "拡大率150%"}, {3, "拡大率75%"}};
    for (const auto& z : zooms) {
        zoom->setValue(z.position);
        EXPECT_EQ(zoomLabel->text(), QString::fromUtf8(z.label));
    }
    page->setValue(2);
    EXPECT_EQ(pageLabel->text(), QStringLiteral("頁 2/2"));
    page->setValue(1);
    EXPECT_EQ(pageLabel->text(), QStringLiteral("頁 1/2"));
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST_F(PrintPreviewTest, ClosingDeletesTheDocumentAndAMissingFileIsReported)
{
    {
        TfrmPrintPreview preview(file);
        ASSERT_TRUE(preview.FormShow());
        child<QPushButton>(preview, "btnClose")->click();
        EXPECT_FALSE(QFileInfo::exists(file));
    }
    // A second preview of the same document needs a new composition.
    TfrmPrintPreview again(file);
    EXPECT_FALSE(again.FormShow());
    EXPECT_EQ(dialogs.texts(), QStringList{QDir::toNativeSeparators(file) + QStringLiteral("が見つかりません")});
}

TEST_F(PrintPreviewTest, PrintsThroughQPrinterIntoAPdfFile)
{
    TfrmPrintPreview preview(file);
    ASSERT_TRUE(preview.FormShow());
    const QString printed = folder.path("printed.pdf");
    int offered = 0;
    SetPrintDialogHookForTesting([&](QPrinter& printer, int pages) {
        offered = pages;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        return true;
    });
    child<QPushButton>(preview, "btnPrint")->click();
    EXPECT_EQ(offered, 2);
    EXPECT_EQ(PdfPageCount(printed), 2);
    EXPECT_TRUE(dialogs.calls.isEmpty());

    // A cancelled printer dialog prints nothing and says nothing.
    QFile::remove(printed);
    SetPrintDialogHookForTesting([](QPrinter&, int) { return false; });
    child<QPushButton>(preview, "btnPrint")->click();
    EXPECT_FALSE(QFileInfo::exists(printed));
    EXPECT_TRUE(dialogs.calls.isEmpty());

    // A printer that cannot start gives the print-error message.
    SetPrintDialogHookForTesting([&](QPrinter& printer, int) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.path("no such folder/printed.pdf"));
        return true;
    });
    child<QPushButton>(preview, "btnPrint")->click();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("印刷処理でエラーが発生しました。")});
}

TEST_F(PrintPreviewTest, SavesACopyWhereTheUserChooses)
{
    TfrmPrintPreview preview(file);
    ASSERT_TRUE(preview.FormShow());
    dialogs.files = {folder.path("CSV/賃金表の控え")};
    child<QPushButton>(preview, "btnSave")->click();
    ASSERT_EQ(dialogs.calls.size(), 2);
    EXPECT_EQ(dialogs.calls[0].kind, QStringLiteral("saveFile"));
    // The name offered: the document's title and the company, not the template's name.
    EXPECT_TRUE(dialogs.calls[0].text.startsWith(QDir(folder.session().exeFolder).filePath(QStringLiteral("賃金表_テスト.pdf"))))
        << dialogs.calls[0].text.toStdString();
    const QString saved = folder.path("CSV/賃金表の控え.pdf");
    EXPECT_EQ(dialogs.calls[1].text, QStringLiteral("PDFファイルを保存しました。\r\n") + QDir::toNativeSeparators(saved));
    EXPECT_EQ(PdfPageCount(saved), 2);
    EXPECT_EQ(QFileInfo(saved).size(), QFileInfo(file).size());

    // Cancelled: nothing written, nothing said.
    dialogs.clear();
    child<QPushButton>(preview, "btnSave")->click();
    EXPECT_EQ(dialogs.calls.size(), 1);

    // A folder that does not exist: the error, and the document stays.
    dialogs.clear();
    dialogs.files = {folder.path("nowhere/copy.pdf")};
    child<QPushButton>(preview, "btnSave")->click();
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("PDFファイルの保存でエラーが発生しました。\r\n")
                                          + QDir::toNativeSeparators(folder.path("nowhere/copy.pdf")));
    EXPECT_TRUE(QFileInfo::exists(file));
}

// The preview opens filling the screen, window manager or not.
TEST_F(PrintPreviewTest, OpensMaximised)
{
    QRect shownAt;
    bool maximised = false;
    SetModalHookForTesting([&](QDialog& d) {
        shownAt = d.geometry();
        maximised = d.windowState() & Qt::WindowMaximized;
        return int(QDialog::Rejected);
    });
    ShowPrintPreview(file);
    SetModalHookForTesting(nullptr);
    EXPECT_TRUE(maximised);
    ASSERT_NE(QGuiApplication::primaryScreen(), nullptr);
    EXPECT_EQ(shownAt.size(), QGuiApplication::primaryScreen()->availableGeometry().size());
    EXPECT_FALSE(QFileInfo::exists(file));   // closed: the document goes
}
