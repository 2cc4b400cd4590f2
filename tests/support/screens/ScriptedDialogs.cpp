// A dialog service for tests: records every box and answers from a script.
#include "support/screens/ScriptedDialogs.h"

#include <gtest/gtest.h>

ScriptedDialogs::ScriptedDialogs()
{
    InstallDialogService(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    InstallDialogService(nullptr);
}

QStringList ScriptedDialogs::texts() const
{
    QStringList out;
    for (const DialogCall& c : calls)
        out << c.text;
    return out;
}

bool ScriptedDialogs::saw(const QString& text) const
{
    for (const DialogCall& c : calls)
        if (c.text == text)
            return true;
    return false;
}

void ScriptedDialogs::information(const QString& caption, const QString& text)
{
    calls.append({QStringLiteral("information"), caption, text});
}

void ScriptedDialogs::warning(const QString& caption, const QString& text)
{
    calls.append({QStringLiteral("warning"), caption, text});
}

bool ScriptedDialogs::answer(const QString& kind, const QString& caption, const QString& text)
{
    calls.append({kind, caption, text});
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return false;
    }
    const bool a = answers.front();
    answers.pop_front();
    return a;
}

bool ScriptedDialogs::yesNo(const QString& caption, const QString& text)
{
    return answer(QStringLiteral("yesNo"), caption, text);
}

bool ScriptedDialogs::okCancel(const QString& caption, const QString& text)
{
    return answer(QStringLiteral("okCancel"), caption, text);
}

QString ScriptedDialogs::openFile(const QString& title, const QString& folder, const QString& filter)
{
    calls.append({QStringLiteral("openFile"), title, folder + '|' + filter});
    if (files.empty())
        return {};
    const QString f = files.front();
    files.pop_front();
    return f;
}

QString ScriptedDialogs::saveFile(const QString& title, const QString& suggested, const QString& filter)
{
    calls.append({QStringLiteral("saveFile"), title, suggested + '|' + filter});
    if (files.empty())
        return {};
    const QString f = files.front();
    files.pop_front();
    return f;
}

std::optional<std::uint32_t> ScriptedDialogs::chooseColor(std::uint32_t)
{
    calls.append({QStringLiteral("chooseColor"), QString(), QString()});
    if (colors.empty())
        return std::nullopt;
    const auto c = colors.front();
    colors.pop_front();
    return c;
}
