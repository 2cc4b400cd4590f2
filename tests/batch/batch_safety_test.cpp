// wageloom-batch and the safety of the program folder, run as processes: one writer at a
// time, a lock left by a killed process taken over, restore points listed and put back, and
// no stray files in DATA/.
#include "projects/SampleCompanies.h"
#include "shell/RestorePoints.h"
#include "shell/WriterLock.h"
#include "support/BatchToolRun.h"
#include "support/TestProgramFolder.h"
#include "support/TestProject.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

QByteArray bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class BatchSafety : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(WriteSampleCompanies(folder.session(), &error)) << error.toStdString();
        folder.fdm().ACN1.close();
        folder.fdm().ACN2.close();
        fifo = scratch.filePath("staff.csv");
        ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    }

    ToolRun run(const QStringList& arguments) { return RunBatchTool(folder.path(), arguments); }

    // An import that holds the writer lock while it waits for its file (a named pipe) to be
    // written: a writer caught in the middle of its work.
    void startBlockedWriter(QProcess& p)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(WAGELOOM_BATCH),
                {"import-employees", "--year", "2020", "--company", "2", "--file", fifo, "--add", "--folder",
                 folder.path()});
        ASSERT_TRUE(p.waitForStarted());
        QElapsedTimer waited;
        waited.start();
        while (!QFileInfo::exists(WriterLockPath(folder.dataPath())) && waited.elapsed() < 20000)
            QThread::msleep(20);
        ASSERT_TRUE(QFileInfo::exists(WriterLockPath(folder.dataPath())));
    }

    // The bytes of every file under DATA.
    QMap<QString, QByteArray> files() { return FilesUnder(folder.dataPath()); }

    TestProgramFolder folder;
    QTemporaryDir scratch;
    QString fifo;
    QString error;
};

TEST_F(BatchSafety, OfTwoWritersAtOnceOneSucceedsAndTheOtherIsRefusedNamingTheHolder)
{
    const ToolRun exported = run({"export-employees", "--year", "2020", "--company", "1", "--out",
                                  scratch.filePath("export.csv")});
    ASSERT_EQ(exported.status, 0) << exported.err.toStdString();

    QProcess writer;
    startBlockedWriter(writer);
    const QMap<QString, QByteArray> before = files();
    const ToolRun second = run({"rollover", "--year", "2020", "--company", "1"});
    EXPECT_EQ(second.status, 1);
    EXPECT_TRUE(second.err.contains(QStringLiteral("このデータは "))) << second.err.toStdString();
    EXPECT_TRUE(second.err.contains(QSysInfo::machineHostName())) << second.err.toStdString();
    EXPECT_TRUE(second.err.contains(QStringLiteral("使用中です"))) << second.err.toStdString();
    EXPECT_EQ(files(), before);
    EXPECT_FALSE(QFileInfo::exists(folder.dataPath("2021")));
    // A command that only reads runs beside the writer.
    EXPECT_EQ(run({"companies", "--year", "2020"}).status, 0);

    QFile pipe(fifo);
    ASSERT_TRUE(pipe.open(QIODevice::WriteOnly));
    pipe.write(bytes(scratch.filePath("export.csv")));
    pipe.close();
    ASSERT_TRUE(writer.waitForFinished(60000));
    EXPECT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().toStdString();
    EXPECT_FALSE(QFileInfo::exists(WriterLockPath(folder.dataPath())));
}

TEST_F(BatchSafety, ALockLeftByAKilledProcessIsTakenOver)
{
    QProcess writer;
    startBlockedWriter(writer);
    writer.kill();
    ASSERT_TRUE(writer.waitForFinished(10000));
    ASSERT_TRUE(QFileInfo::exists(WriterLockPath(folder.dataPath())));

    const ToolRun next = run({"rollover", "--year", "2020", "--company", "1"});
    EXPECT_EQ(next.status, 0) << next.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(folder.dataPath("2021/DATA.MDB")));
    EXPECT_FALSE(QFileInfo::exists(WriterLockPath(folder.dataPath())));
}

TEST_F(BatchSafety, RestoreListsThePointsNewestFirstAndPutsOneBack)
{
    const QByteArray control = bytes(folder.dataPath("SEIGYO.MDB"));
    ASSERT_EQ(run({"rollover", "--year", "2020", "--company", "1"}).status, 0);
    ToolRun listed = run({"restore", "--list"});
    ASSERT_EQ(listed.status, 0) << listed.err.toStdString();
    QStringList lines = listed.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1);
    const QString id = lines[0].section('\t', 0, 0);
    EXPECT_TRUE(id.endsWith(QStringLiteral("-rollover"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].contains(QStringLiteral("年次更新")));

    // Refused before anything is written: an unknown point, and both options at once.
    EXPECT_EQ(run({"restore", "--id", "20000101-000000-000-none"}).status, 1);
    EXPECT_EQ(run({"restore", "--list", "--id", id}).status, 2);

    const ToolRun restored = run({"restore", "--id", id});
    ASSERT_EQ(restored.status, 0) << restored.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(folder.dataPath("2021/DATA.MDB")));
    listed = run({"restore"});
    lines = listed.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].section('\t', 0, 0).endsWith(QStringLiteral("-restore"))) << lines[0].toStdString();
    EXPECT_EQ(lines[1].section('\t', 0, 0), id);

    // The same rollover runs again.
    EXPECT_EQ(run({"rollover", "--year", "2020", "--company", "1"}).status, 0);
    EXPECT_NE(bytes(folder.dataPath("SEIGYO.MDB")), control);
}

// After a printed plot and every composed report, DATA/ holds only the databases and the
// restore points, and the temporary files are gone from the temporary folder too.
TEST_F(BatchSafety, PrintingAndComposingLeaveNoFilesInDataNorInTheTemporaryFolder)
{
    // The wage plot set to show every mark and grade of the sample company.
    folder.openYear(2020);
    Session at = folder.session();
    at.fiscalYear = 2020;
    at.companyCode = 1;
    ASSERT_NO_FATAL_FAILURE(StoreWagePlotOfEveryone(at));
    folder.fdm().ACN1.close();
    folder.fdm().ACN2.close();

    QTemporaryDir temp;
    const QByteArray savedTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    const QList<QStringList> commands = {
        {"plot", "--year", "2020", "--company", "1", "--chart", "1010", "--pdf", scratch.filePath("plot.pdf")},
        {"wage-table", "--year", "2020", "--company", "1", "--table", "1", "--pdf", scratch.filePath("table.pdf")},
        {"report", "salary-list", "--year", "2020", "--company", "1", "--pdf", scratch.filePath("salary.pdf")},
        {"report", "raise-list", "--year", "2020", "--company", "1", "--pdf", scratch.filePath("raise.pdf")},
        {"report", "personal-hr", "--year", "2020", "--company", "1", "--pdf", scratch.filePath("hr.pdf")},
        {"report", "personal-wage", "--year", "2020", "--company", "1", "--pdf", scratch.filePath("wage.pdf")},
    };
    for (const QStringList& c : commands) {
        const ToolRun r = run(c);
        EXPECT_EQ(r.status, 0) << c.join(' ').toStdString() << ": " << r.err.toStdString();
        EXPECT_TRUE(QFileInfo(c.last()).size() > 0) << c.join(' ').toStdString();
    }
    if (savedTemp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", savedTemp);

    QStringList stray;
    QDirIterator it(folder.dataPath(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo e(it.next());
        const QString relative = QDir(folder.dataPath()).relativeFilePath(e.filePath());
        const bool database = e.isFile() && e.suffix().toUpper() == QLatin1String("MDB");
        const bool yearFolder = e.isDir() && !relative.contains('/');
        const bool restorePoint = relative == QLatin1String("backup") || relative.startsWith(QLatin1String("backup/"));
        if (!database && !yearFolder && !restorePoint && e.filePath() != WriterLockPath(folder.dataPath()))
            stray << relative;
    }
    EXPECT_TRUE(stray.isEmpty()) << stray.join(", ").toStdString();
    // Qt's own runtime folder (made there when XDG_RUNTIME_DIR is not set) aside, nothing is left.
    const QStringList left = QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    EXPECT_TRUE(left.filter(QRegularExpression("^(?!runtime-)")).isEmpty()) << left.join(", ").toStdString();
    EXPECT_TRUE(QDir(folder.path("Report")).entryList({"wk*", "*.part"}, QDir::Files).isEmpty());
}

} // namespace
