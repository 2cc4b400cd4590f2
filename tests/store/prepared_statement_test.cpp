// Prepared statements of a connection: run many times, texts bound in place, failures.
#include "store/Connection.h"
#include "support/TestProgramFolder.h"

#include <gtest/gtest.h>

TEST(PreparedStatement, RunsRepeatedlyWithFreshValues)
{
    TestProgramFolder folder;
    folder.openYear(2024);
    DbConnection& cn = folder.fdm().ACN2;
    Exec(cn, "CREATE TABLE t (a integer, b text, c real)");
    Exec(cn, "CREATE UNIQUE INDEX t_a ON t (a)");

    std::unique_ptr<DbStatement> st = cn.prepareStatement(QStringLiteral("INSERT INTO t VALUES (?, ?, ?)"));
    ASSERT_NE(st, nullptr);
    EXPECT_EQ(st->execute({1, QStringLiteral("O'Neil 山田"), 1.5}), 1);
    EXPECT_EQ(st->execute({2, QString(), QVariant()}), 1);   // an empty text is '', not NULL
    EXPECT_EQ(st->execute({3, QStringLiteral(""), 2}), 1);
    EXPECT_EQ(Scalar(cn, "SELECT group_concat(a || ':' || b || ':' || ifnull(c, 'null'), ' ') FROM t"),
              QStringLiteral("1:O'Neil 山田:1.5 2::null 3::2.0"));

    // A failed run reports the engine's error and leaves the statement usable.
    EXPECT_EQ(st->execute({1, QStringLiteral("again"), 0}), -1);
    ASSERT_FALSE(cn.errors().isEmpty());
    EXPECT_TRUE(cn.errors().first().description.contains("UNIQUE"));
    EXPECT_EQ(st->execute({4, QStringLiteral("four"), 0}), 1);
    EXPECT_TRUE(cn.errors().isEmpty());
    EXPECT_EQ(Scalar(cn, "SELECT count(*) FROM t"), "4");

    EXPECT_EQ(cn.prepareStatement(QStringLiteral("INSERT INTO missing VALUES (?)")), nullptr);
    EXPECT_FALSE(cn.errors().isEmpty());
}
