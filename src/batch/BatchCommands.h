// The commands of wageloom-batch: argument checking, the program folder, and each command
// run through the same logic routines as the screens.
#pragma once

#include "core/Outcome.h"
#include "shell/ProgramFolder.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

// Exit statuses of the tool.
inline constexpr int BatchSuccess = 0;
inline constexpr int BatchFailed = 1;      // refused or failed; nothing written
inline constexpr int BatchUsageError = 2;  // the arguments were wrong; the usage is shown

// The messages the windows show in a box are written, with the same texts, to standard
// error: every routine returns its Outcome and the command tells it (Tell), and the data
// store's failure reports go the same way. No question is ever asked: the options answer
// them before the routines run.

// The usage text that --help prints: the commands and their options.
QString BatchUsage();

// Runs one command line (without the program name). The program folder is chosen by
// ChooseProgramFolder from where (its optionFolder is filled from --folder here). Results
// go to out, messages and usage errors to err. Needs a GUI application object for the plot
// command (the tool runs one on the offscreen platform).
int RunBatch(const QStringList& arguments, ProgramFolderInputs where, QTextStream& out, QTextStream& err);
