// wageloom-batch: the program's work without its windows, for scripts, ssh and CI.
#include "batch/BatchCommands.h"

#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>

namespace {

// Qt's own notes about the offscreen platform's runtime folder are no message of the tool;
// everything else Qt reports still reaches standard error.
void FilterQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    if (type == QtDebugMsg)
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(FilterQtMessages);
    // Fonts and pictures need a GUI application; without a display it runs offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    // RunBatch reads --folder itself; the rest of the choice comes from this process.
    return RunBatch(arguments, ProgramFolderInputsOfProcess(QString()), out, err);
}
