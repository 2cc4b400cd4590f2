// Runs the wageloom-batch executable of this build on a program folder.
#include "support/BatchToolRun.h"

#include <QProcess>

#include <gtest/gtest.h>

ToolRun RunBatchTool(const QString& programFolder, QStringList arguments)
{
    arguments << QStringLiteral("--folder") << programFolder;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(WAGELOOM_BATCH), arguments);
    EXPECT_TRUE(p.waitForFinished(60000));
    ToolRun r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}
