// Runs the wageloom-batch executable of this build on a program folder, as a user's script would.
#pragma once

#include <QString>
#include <QStringList>

struct ToolRun {
    int status = -1;   // the exit status, -1 when the tool crashed or did not finish
    QString out;
    QString err;
};

// The tool with the arguments and --folder programFolder; QT_QPA_PLATFORM is left unset so
// that the tool chooses offscreen itself.
ToolRun RunBatchTool(const QString& programFolder, QStringList arguments);
