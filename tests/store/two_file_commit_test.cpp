// Writes over the control file and a year file: one commit, even for a process killed part-way.
#include "projects/Companies.h"
#include "store/Transactions.h"
#include "support/RecordedFailures.h"
#include "support/TestProgramFolder.h"

#include <QFile>
#include <QRandomGenerator>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const char* childFolderVariable = "WAGELOOM_KILLED_CHILD_FOLDER";
const int year = 2024;

// The distinct company codes of a table for the year, in order, as one text.
std::string Codes(DbConnection& cn, const QString& table)
{
    QStringList codes;
    auto rows = cn.select(QStringLiteral("SELECT DISTINCT KCO FROM %1 WHERE NENDO = ? ORDER BY KCO").arg(table), {year});
    while (rows && rows->next())
        codes << rows->text(0);
    return codes.join(' ').toStdString();
}

// Runs this test binary again as the child that writes both files until it is killed.
pid_t StartChild(const QString& folder)
{
    const pid_t pid = fork();
    if (pid == 0) {
        setenv(childFolderVariable, folder.toUtf8().constData(), 1);
        execl("/proc/self/exe", "logic_tests", "--gtest_filter=TwoFileCommitChild.*", static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

} // namespace

// The child: registers companies and deletes them again, over and over, each one a write
// of both files. Skipped unless started by the test below.
TEST(TwoFileCommitChild, RegistersAndDeletesUntilKilled)
{
    const char* folder = std::getenv(childFolderVariable);
    if (!folder)
        GTEST_SKIP() << "started by TwoFileCommit only";
    RecordedFailures failures;
    TFDM fdm;
    Session s;
    ASSERT_TRUE(StartSession(s, QString::fromUtf8(folder), fdm.ACN1, fdm.ACN2, QDate(2026, 12, 10)).ok);
    ASSERT_TRUE(OpenYearDatabase(s, year, false));
    int code = LargestCompanyCode(s);
    QFile started(s.dataFolder + QStringLiteral("child-started"));
    started.open(QIODevice::WriteOnly);
    started.close();
    for (;;) {
        ++code;
        CompanyMasterInput in;
        in.code = QString::number(code);
        in.year = QString::number(year);
        in.name = QStringLiteral("会社%1").arg(code);
        ASSERT_TRUE(RegisterCompany(s, in, QDate(2026, 12, 10)));
        if (code % 2 == 0) {
            ASSERT_TRUE(DeleteCompany(s, year, code - 1));
        }
    }
}

// A child process killed at a random moment while it registers and deletes companies:
// after every kill each company listed in the control file has its settings, marks and
// graph styles in the year file, and the year file has no company the list does not name.
// (Two commits in a row left a listed company without settings about one kill in three.)
TEST(TwoFileCommit, AKilledProcessLeavesBothFilesConsistent)
{
    RecordedFailures failures;
    TestProgramFolder folder;
    folder.openYear(year);
    TFDM& fdm = folder.fdm();
    const int marksPerCompany = Scalar(fdm.ACN1, "SELECT count(*) FROM MMMARK WHERE NENDO = 9999 AND KCO = 0").toInt();
    const int stylesPerCompany = Scalar(fdm.ACN1, "SELECT count(*) FROM MMGRAPH WHERE NENDO = 9999 AND KCO = 0").toInt();
    ASSERT_GT(marksPerCompany, 0);
    fdm.ACN1.close();
    fdm.ACN2.close();

    const QString started = folder.dataPath("child-started");
    int companiesSeen = 0;
    for (int round = 0; round < 30; ++round) {
        SCOPED_TRACE(round);
        QFile::remove(started);
        const pid_t child = StartChild(folder.path());
        ASSERT_GT(child, 0);
        for (int wait = 0; wait < 500 && !QFile::exists(started); ++wait)
            QThread::msleep(10);
        ASSERT_TRUE(QFile::exists(started)) << "the child did not start";
        QThread::msleep(1 + QRandomGenerator::global()->bounded(250));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child ended by itself";

        // Fresh connections, each file on its own, as the next start of the program opens them.
        SqliteConnection control, yearFile;
        ASSERT_TRUE(control.open(folder.dataPath("SEIGYO.MDB")));
        ASSERT_TRUE(yearFile.open(folder.dataPath("2024/DATA.MDB")));
        const std::string listed = Codes(control, "MKIGYOU1");
        EXPECT_EQ(Codes(yearFile, "MKIGYOU2"), listed);
        EXPECT_EQ(Codes(yearFile, "MMARK"), listed);
        for (const QString& kco : QString::fromStdString(listed).split(' ', Qt::SkipEmptyParts)) {
            EXPECT_EQ(Scalar(yearFile, "SELECT count(*) FROM MMARK WHERE NENDO = 2024 AND KCO = " + kco).toInt(),
                      marksPerCompany)
                << "company " << kco.toStdString();
            EXPECT_EQ(Scalar(yearFile, "SELECT count(*) FROM MGRAPH WHERE NENDO = 2024 AND KCO = " + kco).toInt(),
                      stylesPerCompany)
                << "company " << kco.toStdString();
        }
        EXPECT_EQ(Codes(yearFile, "MGRAPH"), listed);
        companiesSeen = std::max(companiesSeen, int(Scalar(control, "SELECT max(KCO) FROM MKIGYOU1").toInt()));
        if (::testing::Test::HasFailure())
            break;
    }
    // The child did write: companies were registered between the kills.
    EXPECT_GT(companiesSeen, 10);
}

// The attachment is for the one operation: afterwards the connection sees its own file
// only, and a failure inside leaves neither file changed.
TEST(TwoFileCommit, TheAttachmentEndsWithTheOperation)
{
    RecordedFailures failures;
    TestProgramFolder folder;
    folder.openYear(year);
    TFDM& fdm = folder.fdm();
    DbConnection& cn = fdm.ACN2;
    const QString controlPath = fdm.ACN1.path();

    EXPECT_TRUE(InTwoFileTransaction(cn, controlPath, [&] {
        return cn.execute("UPDATE MSEIGYO SET FREKI = 2") >= 0 && cn.execute("DELETE FROM MMARK") >= 0;
    }));
    EXPECT_EQ(Scalar(fdm.ACN1, "SELECT FREKI FROM MSEIGYO"), QStringLiteral("2"));
    EXPECT_EQ(cn.select("SELECT * FROM MSEIGYO"), nullptr);  // no longer reachable
    EXPECT_EQ(Scalar(cn, "SELECT count(*) FROM pragma_database_list WHERE name NOT IN ('main', 'temp')"), QStringLiteral("0"));

    EXPECT_FALSE(InTwoFileTransaction(cn, controlPath, [&] {
        return cn.execute("UPDATE MSEIGYO SET FREKI = 3") >= 0 && cn.execute("INSERT INTO NO_SUCH_TABLE VALUES (1)") >= 0;
    }));
    EXPECT_EQ(Scalar(fdm.ACN1, "SELECT FREKI FROM MSEIGYO"), QStringLiteral("2"));
    EXPECT_EQ(cn.transactionDepth(), 0);

    // A file that cannot be attached is reported and nothing runs.
    failures.clear();
    bool ran = false;
    EXPECT_FALSE(InTwoFileTransaction(cn, folder.dataPath("no/such/folder/SEIGYO.MDB"), [&] { return ran = true; }));
    EXPECT_FALSE(ran);
    EXPECT_EQ(failures.reports.size(), 1);
}

// A file attached for reading: statements read it by its schema name, every write to it is
// refused, and it is detached when the attachment goes. The name may hold characters that
// mean something in a URI.
TEST(ReadOnlyAttachmentTest, ReadsTheFileAndRefusesEveryWriteToIt)
{
    RecordedFailures failures;
    TestProgramFolder folder;
    folder.openYear(year);
    DbConnection& cn = folder.fdm().ACN2;
    const QString other = folder.dataPath(QStringLiteral("写し 100% #1?.MDB"));
    ASSERT_TRUE(QFile::copy(folder.fdm().ACN1.path(), other));
    {
        SqliteConnection writer;
        ASSERT_TRUE(writer.open(other));
        Exec(writer, "UPDATE MSEIGYO SET FREKI = 7");
    }
    const QByteArray before = [&] {
        QFile f(other);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    {
        ReadOnlyAttachment attachment(cn, other, QStringLiteral("copy"));
        ASSERT_TRUE(attachment.attached());
        EXPECT_EQ(Scalar(cn, "SELECT FREKI FROM copy.MSEIGYO"), QStringLiteral("7"));
        EXPECT_LT(cn.execute("UPDATE copy.MSEIGYO SET FREKI = 8"), 0);
        EXPECT_LT(cn.execute("CREATE TABLE copy.MORE (A)"), 0);
        // The connection's own file is written as before.
        EXPECT_GE(cn.execute("DELETE FROM MMARK"), 0);
    }
    EXPECT_EQ(Scalar(cn, "SELECT count(*) FROM pragma_database_list WHERE name NOT IN ('main', 'temp')"), QStringLiteral("0"));
    QFile f(other);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    EXPECT_TRUE(failures.reports.isEmpty());

    // A file that is not there is reported, and nothing is attached.
    {
        ReadOnlyAttachment missing(cn, folder.dataPath("no/such/DATA.MDB"), QStringLiteral("missing"));
        EXPECT_FALSE(missing.attached());
    }
    EXPECT_EQ(failures.reports.size(), 1);
}
