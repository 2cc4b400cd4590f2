// The dialog service's Qt side: Qt's own texts in Japanese, and message boxes wide enough
// for their caption.
#include "shell/screens/AppState.h"
#include "shell/screens/QtDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// A button's text without its keyboard accelerator: "はい(&Y)" reads "はい".
QString plain(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    return text.remove('&');
}

} // namespace

TEST(QtDialogsInJapanese, StandardButtonsAndTheFileAndColourDialogs)
{
    const std::unique_ptr<QMessageBox> box =
        MakeMessageBox(nullptr, QMessageBox::Question, AppTitle, QStringLiteral("削除しますか？\r【はい】:削除"),
                       QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    EXPECT_EQ(plain(box->button(QMessageBox::Yes)->text()), QStringLiteral("はい"));
    EXPECT_EQ(plain(box->button(QMessageBox::No)->text()), QStringLiteral("いいえ"));
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
    EXPECT_EQ(box->text(), QStringLiteral("削除しますか？\n【はい】:削除"));
    const std::unique_ptr<QMessageBox> ok =
        MakeMessageBox(nullptr, QMessageBox::Question, AppTitle, "x", QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(plain(ok->button(QMessageBox::Cancel)->text()), QStringLiteral("キャンセル"));

    QFileDialog files(nullptr, QStringLiteral("社員マスタCSVファイルの選択"));
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.setFileMode(QFileDialog::ExistingFile);
    auto* buttons = files.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(plain(buttons->button(QDialogButtonBox::Open)->text()), QStringLiteral("開く"));
    EXPECT_EQ(plain(buttons->button(QDialogButtonBox::Cancel)->text()), QStringLiteral("キャンセル"));
    QStringList labels;
    for (const QLabel* l : files.findChildren<QLabel*>())
        labels << plain(l->text());
    EXPECT_FALSE(labels.contains(QStringLiteral("Look in:"))) << labels.join('|').toStdString();
    EXPECT_FALSE(labels.contains(QStringLiteral("File name:"))) << labels.join('|').toStdString();

    QColorDialog colours;
    colours.setOption(QColorDialog::DontUseNativeDialog);
    EXPECT_NE(colours.windowTitle(), QStringLiteral("Select Color"));
}

TEST(QtDialogsInJapanese, AMessageBoxIsAtLeastAsWideAsItsCaption)
{
    for (const QString& text : {QStringLiteral("x"), QStringLiteral("DB圧縮処理が完了しました。")}) {
        const std::unique_ptr<QMessageBox> box =
            MakeMessageBox(nullptr, QMessageBox::Information, AppTitle, text, QMessageBox::Ok);
        box->show();
        QApplication::processEvents();
        const int caption = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(AppTitle);
        EXPECT_GE(box->width(), caption + 100) << text.toStdString();
        box->hide();
    }
}
