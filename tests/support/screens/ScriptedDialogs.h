// A dialog service for tests: records every box and answers from a script.
#pragma once

#include "shell/screens/DialogService.h"

#include <QList>
#include <QStringList>

#include <deque>

struct DialogCall {
    QString kind;     // "information", "warning", "yesNo", "okCancel", "openFile", "saveFile", "chooseColor"
    QString caption;
    QString text;
};

class ScriptedDialogs final : public DialogService {
public:
    ScriptedDialogs();   // installs itself
    ~ScriptedDialogs() override;

    // Answers for yesNo and okCancel, taken in order. A question without a scripted
    // answer fails the test and answers No.
    std::deque<bool> answers;
    std::deque<QString> files;
    std::deque<std::optional<std::uint32_t>> colors;
    QList<DialogCall> calls;

    QStringList texts() const;
    bool saw(const QString& text) const;
    void clear() { calls.clear(); }

    void information(const QString& caption, const QString& text) override;
    void warning(const QString& caption, const QString& text) override;
    bool yesNo(const QString& caption, const QString& text) override;
    bool okCancel(const QString& caption, const QString& text) override;
    QString openFile(const QString& title, const QString& folder, const QString& filter) override;
    // Answered from files as well.
    QString saveFile(const QString& title, const QString& suggested, const QString& filter) override;
    std::optional<std::uint32_t> chooseColor(std::uint32_t initial) override;

private:
    bool answer(const QString& kind, const QString& caption, const QString& text);
};
