// The dialog service as the program shows it: Qt message boxes and file dialogs.
#pragma once

#include "store/DialogService.h"

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
