// Data module: opening, creating year databases from the template, free statements.
#include "shell/screens/AppState.h"
#include "shell/Compaction.h"
#include "store/DataModule.h"
#include "support/RecordedFailures.h"
#include "support/TestProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>
#include <vector>

#include <gtest/gtest.h>

namespace {

class DataModuleTest : public ::testing::Test {
protected:
    RecordedFailures failures;
    TestProgramFolder folder;
    TFDM& fdm = folder.fdm();
};

TEST_F(DataModuleTest, FirstRegistrationCreatesTheYearFolderFromTheTemplate)
{
    const QString year = folder.dataPath("2031/DATA.MDB");
    ASSERT_FALSE(QDir(folder.dataPath("2031")).exists());
    ASSERT_TRUE(fdm.OpenOrCreateDatabase(fdm.ACN2, year, folder.dataPath("DATA.MDB"), true));
    EXPECT_TRUE(QFile::exists(year));
    EXPECT_TRUE(fdm.ACN2.isOpen());
    EXPECT_EQ(fdm.ACN2.path(), year);
    EXPECT_EQ(Scalar(fdm.ACN2, "SELECT count(*) FROM sqlite_master WHERE name = 'MSYAIN1'"), "1");
    EXPECT_TRUE(failures.reports.isEmpty());
}

TEST_F(DataModuleTest, AnExistingYearDatabaseIsNeverReplaced)
{
    folder.openYear(2030);
    Exec(fdm.ACN2, "INSERT INTO MKIGYOU2 (KCO, NENDO, KNA) VALUES (5, 2030, '既存')");
    fdm.ACN2.close();
    ASSERT_TRUE(fdm.OpenOrCreateDatabase(fdm.ACN2, folder.dataPath("2030/DATA.MDB"), folder.dataPath("DATA.MDB"), true));
    EXPECT_EQ(Scalar(fdm.ACN2, "SELECT KNA FROM MKIGYOU2"), QStringLiteral("既存"));
}

TEST_F(DataModuleTest, EachFailureShowsItsMessageAndReturnsFalse)
{
    struct Case {
        const char* what;
        QString path;
        QString templ;
        bool mayCreate;
        QString message;
    };
    QDir().mkpath(folder.dataPath("2029"));
    const QString missing = QStringLiteral("必要なデータベースが存在しません。");
    const QString cannot = QStringLiteral("データベースの作成が出来ません。");
    const Case cases[] = {
        {"folder missing, no creation", folder.dataPath("2028/DATA.MDB"), QString(), false, missing},
        {"file missing, no creation", folder.dataPath("2029/DATA.MDB"), QString(), false, missing},
        {"folder two levels deep", folder.dataPath("x/2027/DATA.MDB"), folder.dataPath("DATA.MDB"), true, cannot},
        {"template missing", folder.dataPath("2029/DATA.MDB"), folder.dataPath("NONE.MDB"), true, cannot},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        failures.clear();
        EXPECT_FALSE(fdm.OpenOrCreateDatabase(fdm.ACN2, c.path, c.templ, c.mayCreate));
        ASSERT_EQ(failures.reports.size(), 1);
        EXPECT_EQ(failures.reports[0].text, c.message);
        EXPECT_EQ(failures.reports[0].caption, AppTitle);
        EXPECT_FALSE(QFile::exists(c.path));
    }
}

TEST_F(DataModuleTest, ADamagedFileFailsToOpenWithThePathAfterAFullWidthBlank)
{
    const QString bad = folder.dataPath("2026/DATA.MDB");
    QDir().mkpath(folder.dataPath("2026"));
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    EXPECT_FALSE(fdm.OpenOrCreateDatabase(fdm.ACN2, bad, QString(), false));
    EXPECT_FALSE(fdm.ACN2.isOpen());
    ASSERT_EQ(failures.reports.size(), 1);
    EXPECT_EQ(failures.reports[0].text, QStringLiteral("データベースのオープンでエラーが発生しました。　") + bad);

    failures.clear();
    fdm.OpenDatabase(fdm.ACN1, folder.dataPath("NOSUCH.MDB"));
    EXPECT_FALSE(fdm.ACN1.isOpen());
    ASSERT_EQ(failures.reports.size(), 1);
    EXPECT_TRUE(failures.reports[0].text.endsWith("NOSUCH.MDB"));
}

TEST_F(DataModuleTest, RunStatementReportsOverflowAndOtherFailuresWithoutThrowing)
{
    ASSERT_TRUE(fdm.RunStatement(fdm.Query1, "SELECT Max(KCO) FROM MKIGYOU1", 'S'));
    EXPECT_TRUE(fdm.Query1.isOpen());
    EXPECT_FALSE(fdm.Query1.eof());
    EXPECT_TRUE(fdm.Query1.value(0).isNull());

    EXPECT_FALSE(fdm.RunStatement(fdm.Query1,
                                  "SELECT SUM(x) FROM (SELECT 9223372036854775807 AS x UNION ALL SELECT 1)", 'S'));
    EXPECT_FALSE(fdm.Query1.isOpen());
    EXPECT_FALSE(fdm.RunStatement(fdm.Query1, "DELETE FROM NOSUCH", 'E'));
    EXPECT_EQ(failures.texts(), QStringList({QStringLiteral("ＳＱＬ処理でオーバーフローが発生しました。"),
                                            QStringLiteral("ＳＱＬ処理で不明なエラーが発生しました。")}));

    failures.clear();
    EXPECT_TRUE(fdm.RunStatement(fdm.Query1, "UPDATE MSEIGYO SET NA = 'x' WHERE CO = 0", 'E'));
    EXPECT_EQ(fdm.Query1.rowsAffected(), 1);
    EXPECT_TRUE(fdm.RunStatement(fdm.Query1, "nonsense", 'X'));   // an unknown kind does nothing
    EXPECT_TRUE(failures.reports.isEmpty());
}

TEST_F(DataModuleTest, AClosedConnectionReopensItsFileForTheNextStatement)
{
    fdm.ACN1.close();
    EXPECT_FALSE(fdm.ACN1.isOpen());
    EXPECT_EQ(Scalar(fdm.ACN1, "SELECT REKI1 FROM MSEIGYO"), QStringLiteral("昭和"));
    EXPECT_TRUE(fdm.ACN1.isOpen());
}

// Damaged copies of the year template: each is refused when opened, with the open-error
// message and the path, and compaction leaves it exactly as it was.
struct Damage {
    const char* what;
    std::function<void(QByteArray&)> apply;
};

const std::vector<Damage>& damages()
{
    static const std::vector<Damage> list = {
        {"empty file", [](QByteArray& b) { b.clear(); }},
        {"cut short inside a page", [](QByteArray& b) { b.chop(1000); }},
        {"cut short at a page boundary", [](QByteArray& b) { b.chop(4096); }},
        {"a page in the middle overwritten",
         [](QByteArray& b) { b.replace(8 * 4096, 4096, QByteArray(4096, char(0xA5))); }},
        {"header only", [](QByteArray& b) { b.truncate(100); }},
    };
    return list;
}

QByteArray templateBytes(TestProgramFolder& folder)
{
    QFile t(folder.dataPath("DATA.MDB"));
    EXPECT_TRUE(t.open(QIODevice::ReadOnly));
    return t.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

TEST_F(DataModuleTest, DamagedOrEmptyFilesAreRefusedWhenOpened)
{
    const QByteArray sound = templateBytes(folder);
    ASSERT_GT(sound.size(), 12 * 4096);
    const QString year = folder.dataPath("2027/DATA.MDB");
    for (const Damage& d : damages()) {
        SCOPED_TRACE(d.what);
        QByteArray bytes = sound;
        d.apply(bytes);
        writeBytes(year, bytes);
        failures.clear();
        EXPECT_FALSE(fdm.OpenOrCreateDatabase(fdm.ACN2, year, folder.dataPath("DATA.MDB"), false));
        EXPECT_FALSE(fdm.ACN2.isOpen());
        EXPECT_EQ(failures.texts(), QStringList{OpenErrorText(year)});
        // The refused file is not rewritten by the attempt.
        QFile f(year);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), bytes);
    }

    // The control database: an empty SEIGYO.MDB is refused, not used as an empty database.
    writeBytes(folder.dataPath("SEIGYO.MDB"), QByteArray());
    failures.clear();
    fdm.OpenDatabase(fdm.ACN1, folder.dataPath("SEIGYO.MDB"));
    EXPECT_FALSE(fdm.ACN1.isOpen());
    EXPECT_EQ(failures.texts(), QStringList{OpenErrorText(folder.dataPath("SEIGYO.MDB"))});

    // The sound template still opens, and the same file reopens after a checkpoint.
    writeBytes(year, sound);
    failures.clear();
    EXPECT_TRUE(fdm.OpenOrCreateDatabase(fdm.ACN2, year, folder.dataPath("DATA.MDB"), false));
    Exec(fdm.ACN2, "INSERT INTO MMARK (KCO, NENDO) VALUES (1, 2027)");
    fdm.ACN2.close();
    EXPECT_TRUE(fdm.OpenOrCreateDatabase(fdm.ACN2, year, folder.dataPath("DATA.MDB"), false));
    EXPECT_TRUE(failures.reports.isEmpty());
}

TEST_F(DataModuleTest, CompactionRefusesADamagedFileAndLeavesItUntouched)
{
    const QByteArray sound = templateBytes(folder);
    fdm.ACN1.close();
    fdm.ACN2.close();
    for (const Damage& d : damages()) {
        SCOPED_TRACE(d.what);
        QByteArray bytes = sound;
        d.apply(bytes);
        const QString path = folder.dataPath("2028/DATA.MDB");
        writeBytes(path, bytes);
        // Only this file: the damaged one is met first or not at all otherwise.
        const CompactionResult result = CompactDatabases(folder.dataPath("2028"), {});
        EXPECT_EQ(result.outcome, CompactionResult::Failed);
        // Met by the restore point made first, with the open-error message of the file.
        EXPECT_TRUE(result.message.contains(OpenErrorText(path))) << result.message.toStdString();
        EXPECT_TRUE(result.compacted.isEmpty());
        EXPECT_FALSE(QFile::exists(folder.dataPath("2028/DATA.bak")));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), bytes);
    }
}

} // namespace
