// The one replaceable service behind every message box, question and file dialog.
// The program installs the Qt implementation; tests install a scripted fake.
#pragma once

#include "core/Outcome.h"

#include <QString>

#include <cstdint>
#include <optional>

class DialogService {
public:
    virtual ~DialogService() = default;
    virtual void information(const QString& caption, const QString& text) = 0;
    virtual void warning(const QString& caption, const QString& text) = 0;
    // true = Yes (or OK)
    virtual bool yesNo(const QString& caption, const QString& text) = 0;
    virtual bool okCancel(const QString& caption, const QString& text) = 0;
    // The chosen file's full path, '' when cancelled. The filter is written
    // "Name(*.ext)|*.ext|Name2(*.e2)|*.e2".
    virtual QString openFile(const QString& title, const QString& folder, const QString& filter) = 0;
    // The path chosen to save a file under ('' when cancelled), starting at the suggested
    // path; the filter as for openFile. The dialog asks before an existing file is replaced.
    // A service without file dialogs answers as if cancelled.
    virtual QString saveFile(const QString& title, const QString& suggested, const QString& filter) { return {}; }
    // A colour as 00BBGGRR, nothing when cancelled.
    virtual std::optional<std::uint32_t> chooseColor(std::uint32_t initial) = 0;
};

DialogService& Dialogs();
// Installs a service (not owned); nullptr returns to the fallback, which writes to stderr
// and answers No / Cancel. The data store's failure reports are shown through it too.
void InstallDialogService(DialogService* service);

// Shows an outcome's message (nothing when it has none) under the outcome's caption: a
// refusal or failure in the warning box, a success's message in the information box.
void ShowOutcome(const Outcome& outcome);
