// The commands of wageloom-batch: argument checking, the program folder, and each command
// run through the same logic routines as the screens.
#pragma once

#include "store/DialogService.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

// Exit statuses of the tool.
inline constexpr int BatchSuccess = 0;
inline constexpr int BatchFailed = 1;      // refused or failed; nothing written
inline constexpr int BatchUsageError = 2;  // the arguments were wrong; the usage is shown

// Messages the windows show in a box are written, with the same texts, to a stream (standard
// error in the tool). No question is ever asked: the options answer them before the routines
// run, so one that still arrives is written out and answered No / Cancel.
class StreamDialogs : public DialogService {
public:
    explicit StreamDialogs(QTextStream& stream) : stream_(stream) {}
    void information(const QString& caption, const QString& text) override;
    void warning(const QString& caption, const QString& text) override;
    bool yesNo(const QString& caption, const QString& text) override;
    bool okCancel(const QString& caption, const QString& text) override;
    QString openFile(const QString& title, const QString& folder, const QString& filter) override;
    std::optional<std::uint32_t> chooseColor(std::uint32_t initial) override;

private:
    void write(const QString& text);
    QTextStream& stream_;
};

// The usage text that --help prints: the commands and their options.
QString BatchUsage();

// Runs one command line (without the program name). defaultFolder is the program folder
// used without --folder (the executable's folder). Results go to out, messages and usage
// errors to err. The dialog service must already write to err. Needs a GUI application
// object for the plot command (the tool runs one on the offscreen platform).
int RunBatch(const QStringList& arguments, const QString& defaultFolder, QTextStream& out, QTextStream& err);
