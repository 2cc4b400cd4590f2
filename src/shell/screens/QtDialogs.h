// The dialog service as the program shows it: Qt message boxes and file dialogs.
#pragma once

#include "shell/screens/DialogService.h"

#include <QMessageBox>

#include <memory>

class QCoreApplication;

class QtDialogs final : public DialogService {
public:
    void information(const QString& caption, const QString& text) override;
    void warning(const QString& caption, const QString& text) override;
    bool yesNo(const QString& caption, const QString& text) override;
    bool okCancel(const QString& caption, const QString& text) override;
    QString openFile(const QString& title, const QString& folder, const QString& filter) override;
    QString saveFile(const QString& title, const QString& suggested, const QString& filter) override;
    std::optional<std::uint32_t> chooseColor(std::uint32_t initial) override;
};

// "JPEGファイル(*.jpg)|*.jpg|BMPファイル(*.bmp)|*.bmp" as a Qt filter.
QString QtFileFilter(const QString& filter);

// Loads Qt's own Japanese texts into the application, so that the standard buttons read
// はい, いいえ, キャンセル and the file and colour dialogs are in Japanese. false when the
// translation files (package qt6-translations-l10n) are not installed.
bool InstallQtJapanese(QCoreApplication& app);

// The message box the service shows: the text with LF line breaks, the buttons given, and
// at least wide enough for its caption.
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* owner, QMessageBox::Icon icon, const QString& caption,
                                            const QString& text, QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
