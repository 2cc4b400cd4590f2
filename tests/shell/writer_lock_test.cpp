// The writer lock of a program folder, its holder message, and read-only use of the data.
#include "shell/WriterLock.h"
#include "store/Connection.h"
#include "store/Conversions.h"
#include "support/ReadOnlyUse.h"
#include "support/RecordedFailures.h"

#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(WriterLock, ASecondWriterIsRefusedWithTheHolderUntilTheFirstLetsGo)
{
    QTemporaryDir dir;
    const QString data = dir.path() + '/';
    WriterLock first(data);
    ASSERT_TRUE(first.take().ok);
    EXPECT_TRUE(first.held());
    EXPECT_TRUE(QFileInfo::exists(WriterLockPath(data)));

    WriterLock second(data);
    const Outcome refused = second.take();
    EXPECT_FALSE(refused.ok);
    EXPECT_FALSE(second.held());
    EXPECT_TRUE(refused.text.startsWith(QStringLiteral("このデータは "))) << refused.text.toStdString();
    EXPECT_TRUE(refused.text.contains(QStringLiteral("（") + QSysInfo::machineHostName() + QStringLiteral("）")))
        << refused.text.toStdString();
    EXPECT_TRUE(refused.text.contains(QFileInfo(WriterLockPath(data)).owner())) << refused.text.toStdString();
    EXPECT_TRUE(refused.text.contains(QStringLiteral(" から使用中です。"))) << refused.text.toStdString();

    first.release();
    EXPECT_FALSE(QFileInfo::exists(WriterLockPath(data)));
    EXPECT_TRUE(second.take().ok);
}

TEST(WriterLock, AFolderThatCannotHoldTheLockFails)
{
    WriterLock lock(QStringLiteral("/nonexistent-folder/DATA/"));
    const Outcome o = lock.take();
    EXPECT_FALSE(o.ok);
    EXPECT_EQ(o.kind, Outcome::Kind::Error);
}

TEST(WriterLock, TheHolderMessageNamesUserComputerAndTime)
{
    const QDate today(2026, 12, 10);
    struct Case {
        LockHolder holder;
        const char* expected;
    };
    const Case cases[] = {
        {{"山田", "PC-01", QDateTime(today, QTime(10, 32)), 1}, "このデータは 山田（PC-01）が 10:32 から使用中です。"},
        {{"山田", "PC-01", QDateTime(today.addDays(-1), QTime(9, 5)), 1},
         "このデータは 山田（PC-01）が 2026/12/09 09:05 から使用中です。"},
        {{"", "", QDateTime(), 1}, "このデータは 他の利用者（不明なコンピューター）が使用中です。"},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(HolderMessage(c.holder, today).startsWith(QString::fromUtf8(c.expected)))
            << HolderMessage(c.holder, today).toStdString();
}

TEST(WriterLock, ALocalFolderIsNoNetworkFolder)
{
    QTemporaryDir dir;
    EXPECT_TRUE(NetworkFolderWarning(dir.path() + '/').isEmpty());
}

// Read-only use: every statement that would change a file is refused with the holder's
// message (told alone, as a refusal); reading goes on.
TEST(WriterLock, InReadOnlyUseEveryWriteIsRefusedWithTheMessage)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("t.db");
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE T (A INTEGER); INSERT INTO T VALUES (1)", nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    const QString message = QStringLiteral("このデータは 山田（PC-01）が 10:32 から使用中です。");
    ReadOnlyUse readOnly(message);
    SqliteConnection cn;
    ASSERT_TRUE(cn.open(path));
    for (const char* sql : {"INSERT INTO T VALUES (2)", "UPDATE T SET A = 3", "DELETE FROM T", "DROP TABLE T",
                            "CREATE TABLE U (B)"}) {
        EXPECT_LT(cn.execute(QString::fromUtf8(sql)), 0) << sql;
        EXPECT_EQ(cn.errors().value(0).description, message) << sql;
    }
    auto rows = cn.select("SELECT count(*), max(A) FROM T");
    ASSERT_TRUE(rows && rows->next());
    EXPECT_EQ(rows->integer(0), 1);
    EXPECT_EQ(rows->integer(1), 1);
    rows.reset();

    RecordedFailures failures;
    EXPECT_FALSE(ExecuteReported(cn, "UPDATE T SET A = 4", {}));
    ASSERT_EQ(failures.reports.size(), 1);
    EXPECT_EQ(failures.reports[0].text, message);
    EXPECT_EQ(failures.reports[0].kind, Outcome::Kind::Information);

    RefuseWrites(QString());
    EXPECT_GE(cn.execute("UPDATE T SET A = 5"), 0);
}

} // namespace
