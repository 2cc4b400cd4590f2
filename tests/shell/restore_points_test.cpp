// Restore points: made before the bulk changes, put back whole, pruned to the newest twenty,
// and a failed copy stops the operation before anything is written.
#include "employees/ImportWorker.h"
#include "plot/OptimalWage.h"
#include "projects/Companies.h"
#include "projects/SampleCompanies.h"
#include "raise/YearRollover.h"
#include "shell/Compaction.h"
#include "shell/RestorePoints.h"
#include "support/RecordedFailures.h"
#include "support/TestProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <functional>

#include <gtest/gtest.h>

namespace {

class RestorePoints : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(WriteSampleCompanies(folder.session(), &error)) << error.toStdString(); }

    QString data() const { return folder.dataPath(); }

    // Every database file of DATA (the restore points aside) and its dump, by its path below DATA.
    QMap<QString, QString> dumps()
    {
        QMap<QString, QString> out;
        for (const QString& path : DatabaseFilesUnder(data())) {
            SqliteConnection cn;
            EXPECT_TRUE(cn.open(path)) << path.toStdString();
            out.insert(QDir(data()).relativeFilePath(path), DumpDatabase(cn));
        }
        return out;
    }
    void closeConnections()
    {
        folder.fdm().ACN1.close();
        folder.fdm().ACN2.close();
        folder.fdm().ACN3.close();
    }
    RolloverResult rollOver() { return RollOverCompany(folder.session(), folder.fdm().ACN3, 2020, 1); }
    // The first sample company of 2020 open in the session.
    void openSample()
    {
        Session& s = folder.session();
        ASSERT_TRUE(OpenYearDatabase(s, 2020, false));
        ASSERT_EQ(OpenCompany(s, 2020, 1, QStringLiteral("サンプル精機株式会社")), OpenOutcome::Opened);
    }
    // An optimal-wage analysis of the open company's bonuses (by age, service and grade) that
    // 最適化 may write back.
    TOptimalWage bonusAnalysis()
    {
        OptimalWageRun run = RunOptimalWageRegression(
            folder.session(), SqlCondition(QStringLiteral(" WHERE NENDO = 2020 AND KCO = 1 ORDER BY SCO")),
            QStringLiteral("110010000"), 4);
        EXPECT_TRUE(run.outcome.ok) << run.outcome.text.toStdString();
        EXPECT_TRUE(CanOptimise(run.state));
        return run.state;
    }
    // Bonuses replaced by an earlier 最適化, for リセット to put back.
    void replacedBonuses()
    {
        Exec(folder.fdm().ACN2, "UPDATE MSYAIN2 SET SAVENO = 5, SAVEKIN = 500000 + KKYU1 WHERE NENDO = 2020 AND KCO = 1");
    }
    Outcome importReplacingEveryone()
    {
        SqliteConnection year;
        EXPECT_TRUE(year.open(folder.dataPath("2020/DATA.MDB")));
        return ImportEmployees(year, 1, 2020, {}, ImportMode::Replace, QDate(2020, 4, 1));
    }

    TestProgramFolder folder;
    QString error;
};

TEST_F(RestorePoints, RestoringARolloverPutsEveryFileBackAndRestoringThatUndoesIt)
{
    const QMap<QString, QString> before = dumps();
    ASSERT_TRUE(before.contains("SEIGYO.MDB"));
    ASSERT_FALSE(before.contains("2021/DATA.MDB"));

    ASSERT_TRUE(rollOver().done);
    closeConnections();
    const QMap<QString, QString> rolled = dumps();
    ASSERT_TRUE(rolled.contains("2021/DATA.MDB"));
    ASSERT_NE(rolled.value("SEIGYO.MDB"), before.value("SEIGYO.MDB"));

    QList<RestorePoint> points = ListRestorePoints(data());
    ASSERT_EQ(points.size(), 1);
    const RestorePoint rollover = points.first();
    EXPECT_EQ(rollover.operation, "rollover");
    EXPECT_EQ(rollover.label, QStringLiteral("年次更新"));
    EXPECT_EQ(rollover.year, 2020);
    EXPECT_EQ(rollover.company, 1);
    EXPECT_FALSE(rollover.companyName.isEmpty());
    EXPECT_FALSE(rollover.user.isEmpty());
    EXPECT_EQ(rollover.files, QStringList({"SEIGYO.MDB", "2020/DATA.MDB"}));
    EXPECT_EQ(rollover.absent, QStringList({"2021/DATA.MDB"}));
    EXPECT_TRUE(RestorePointLine(rollover).startsWith(rollover.id + '\t'));

    const Outcome restored = RestoreRestorePoint(data(), rollover.id);
    ASSERT_TRUE(restored.ok) << restored.text.toStdString();
    EXPECT_EQ(dumps(), before);
    EXPECT_FALSE(QFileInfo::exists(folder.dataPath("2021")));

    // The restore made its own point of the state it replaced, newest first.
    points = ListRestorePoints(data());
    ASSERT_EQ(points.size(), 2);
    EXPECT_EQ(points[0].operation, "restore");
    EXPECT_EQ(points[1].id, rollover.id);
    EXPECT_EQ(points[0].files, QStringList({"SEIGYO.MDB", "2020/DATA.MDB", "2021/DATA.MDB"}));
    ASSERT_TRUE(RestoreRestorePoint(data(), points[0].id).ok);
    EXPECT_EQ(dumps(), rolled);

    // Back before the rollover once more, the same rollover runs again.
    ASSERT_TRUE(RestoreRestorePoint(data(), rollover.id).ok);
    EXPECT_EQ(dumps(), before);
    EXPECT_TRUE(rollOver().done);
}

TEST_F(RestorePoints, OnlyTheNewestTwentyAreKept)
{
    QStringList ids;
    for (int i = 0; i <= KeptRestorePoints; ++i) {
        QString id;
        ASSERT_TRUE(MakeRestorePoint(data(), {"test", "テスト", 2020, 1, "", {"SEIGYO.MDB"}}, &id).ok);
        ids << id;
    }
    const QList<RestorePoint> points = ListRestorePoints(data());
    ASSERT_EQ(points.size(), KeptRestorePoints);
    for (int i = 0; i < KeptRestorePoints; ++i)
        EXPECT_EQ(points[i].id, ids[KeptRestorePoints - i]);   // newest first
    EXPECT_FALSE(QFileInfo::exists(RestorePointsFolder(data()) + ids.first()));
    EXPECT_EQ(QDir(RestorePointsFolder(data())).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), KeptRestorePoints);
}

TEST_F(RestorePoints, AnUnknownOrEscapingIdIsRefused)
{
    for (const QString& id : {QStringLiteral("20990101-000000-000-none"), QStringLiteral("../DATA"), QString()}) {
        const Outcome o = RestoreRestorePoint(data(), id);
        EXPECT_FALSE(o.ok) << id.toStdString();
        EXPECT_TRUE(o.text.contains(QStringLiteral("復元ポイントがありません"))) << o.text.toStdString();
    }
    EXPECT_TRUE(ListRestorePoints(data()).isEmpty());
}

// Each bulk change makes its restore point before its first write: the newest point names
// the operation and the files it writes, and putting it back gives every file as it was
// before the change. (The rollover's point is followed through in depth above.)
TEST_F(RestorePoints, EveryBulkChangeSavesTheFilesItWritesBeforeWriting)
{
    openSample();
    TOptimalWage bonus;
    QStringList everyFile;
    for (const QString& path : DatabaseFilesUnder(data()))
        everyFile << QDir(data()).relativeFilePath(path);
    everyFile.sort();
    struct Case {
        const char* operation;
        std::function<void()> prepare;   // done before the state the point must hold
        std::function<bool()> run;
        QStringList files;
        int year, company;   // what the point names (a compaction: every company of every year)
    };
    const Case cases[] = {
        {"import", [] {}, [&] { return importReplacingEveryone().ok; }, {"2020/DATA.MDB"}, 2020, 1},
        {"optimal-wage", [&] { bonus = bonusAnalysis(); },
         [&] { return OptimiseWages(folder.session(), bonus, true).ok; }, {"2020/DATA.MDB"}, 2020, 1},
        {"optimal-reset", [&] { replacedBonuses(); }, [&] { return ResetOptimisedWages(folder.session(), true).ok; },
         {"2020/DATA.MDB"}, 2020, 1},
        {"delete", [] {}, [&] { return DeleteCompany(folder.session(), 2020, 1); }, {"SEIGYO.MDB", "2020/DATA.MDB"},
         2020, 1},
        {"compact", [] {}, [&] { return CompactDatabases(data(), {}).outcome == CompactionResult::Done; }, everyFile,
         0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.operation);
        c.prepare();
        const QMap<QString, QString> before = dumps();
        const int made = ListRestorePoints(data()).size();
        ASSERT_TRUE(c.run());
        closeConnections();
        const QList<RestorePoint> points = ListRestorePoints(data());
        ASSERT_EQ(points.size(), made + 1);
        EXPECT_EQ(points[0].operation, c.operation);
        EXPECT_EQ(points[0].files, c.files);
        EXPECT_EQ(points[0].year, c.year);
        EXPECT_EQ(points[0].company, c.company);
        ASSERT_TRUE(RestoreRestorePoint(data(), points[0].id).ok);
        EXPECT_EQ(dumps(), before);
    }
}

// Each bulk change with a restore point that cannot be made (a file stands where backup/
// goes): it stops with the message and every database file is as it was.
TEST_F(RestorePoints, AFailedBackupStopsEveryBulkChangeBeforeAnythingIsWritten)
{
    // The optimal wage's write-back needs an analysis, and リセット bonuses replaced before.
    openSample();
    const TOptimalWage bonus = bonusAnalysis();
    replacedBonuses();
    QFile blocker(folder.dataPath("backup"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QMap<QString, QString> before = dumps();
    RecordedFailures failures;

    struct Case {
        const char* name;
        std::function<Outcome()> run;
    };
    const Case cases[] = {
        {"rollover", [&] { return rollOver().outcome; }},
        {"import replacing the employees", [&] { return importReplacingEveryone(); }},
        {"optimal-wage write-back", [&] { return OptimiseWages(folder.session(), bonus, true); }},
        {"optimal-wage reset", [&] { return ResetOptimisedWages(folder.session(), true); }},
        {"company deletion",
         [&] {
             failures.clear();
             const bool deleted = DeleteCompany(folder.session(), 2020, 1);
             return deleted ? Outcome::Done() : failures.reports.value(0, Outcome::Failed(QString()));
         }},
        {"compaction",
         [&] {
             const CompactionResult r = CompactDatabases(data(), {});
             return r.outcome == CompactionResult::Done ? Outcome::Done() : Outcome::Failed(r.message);
         }},
    };
    for (const Case& c : cases) {
        const Outcome o = c.run();
        EXPECT_FALSE(o.ok) << c.name;
        EXPECT_TRUE(o.text.contains(QStringLiteral("復元ポイント"))) << c.name << ": " << o.text.toStdString();
        closeConnections();
        EXPECT_EQ(dumps(), before) << c.name;
    }
}

} // namespace
