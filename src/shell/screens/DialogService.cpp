// The replaceable dialog service and its fallback for programs without a display.
#include "shell/screens/DialogService.h"

#include "store/Conversions.h"

#include <cstdio>

namespace {

class StderrDialogs final : public DialogService {
public:
    void information(const QString& caption, const QString& text) override { print(caption, text); }
    void warning(const QString& caption, const QString& text) override { print(caption, text); }
    bool yesNo(const QString& caption, const QString& text) override
    {
        print(caption, text);
        return false;
    }
    bool okCancel(const QString& caption, const QString& text) override
    {
        print(caption, text);
        return false;
    }
    QString openFile(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<std::uint32_t> chooseColor(std::uint32_t) override { return std::nullopt; }

private:
    static void print(const QString& caption, const QString& text)
    {
        std::fprintf(stderr, "[%s] %s\n", caption.toUtf8().constData(), text.toUtf8().constData());
    }
};

StderrDialogs fallback;
DialogService* current = nullptr;

} // namespace

DialogService& Dialogs()
{
    return current ? *current : fallback;
}

void InstallDialogService(DialogService* service)
{
    current = service;
    if (service)
        InstallFailureReporter([](const Outcome& failure) { ShowOutcome(failure); });
    else
        InstallFailureReporter(nullptr);
}

void ShowOutcome(const Outcome& outcome)
{
    if (!outcome.hasMessage())
        return;
    // A refusal or a failure is something the user must act on: the warning box. A success's
    // closing message is plain information.
    if (!outcome.ok || outcome.kind != Outcome::Kind::Information)
        Dialogs().warning(outcome.caption, outcome.text);
    else
        Dialogs().information(outcome.caption, outcome.text);
}
