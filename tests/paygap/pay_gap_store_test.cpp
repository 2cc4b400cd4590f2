// The pay-gap tables: settings and 説明欄 stored and carried by the rollover, the upgrade step
// for year files made before the tables, and the actual-wages import (error rows, one
// transaction).
#include "paygap/PayGapStore.h"

#include "core/TextCodec.h"
#include "raise/YearRollover.h"
#include "support/RecordedFailures.h"
#include "support/TestProject.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

class PayGapStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        OpenTestProject(folder, {.kco = 5, .year = 2024, .referenceDate = 20240401});
        folder.session().today = QDate(2026, 12, 10);
    }

    DbConnection& year() { return folder.fdm().ACN2; }

    QString writeFile(const QByteArray& bytes)
    {
        const QString path = folder.path("actual.csv");
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }

    // Column names and types of a table, in order.
    static QString columnsOf(DbConnection& cn, const QString& table)
    {
        QStringList out;
        auto r = cn.select("SELECT name, type FROM pragma_table_info('" + table + "') ORDER BY cid");
        while (r && r->next())
            out << r->text(0) + ' ' + r->text(1);
        return out.join(", ");
    }

    PayGapSettings sample()
    {
        PayGapSettings s = PayGapSettings::Defaults(2024);
        s.formCategories = {{1, WorkerCategory::Regular}, {4, WorkerCategory::PartTime}};
        s.excludedAllowances = {QStringLiteral("通勤手当"), QStringLiteral("単身赴任手当")};
        s.fullTimeEquivalent = true;
        s.managerTitles = {QStringLiteral("課長"), QStringLiteral("工場長")};
        s.managerGrade = 7;
        s.explanation = QStringLiteral("管理職に占める女性の割合が低いことが主な要因です。\n2030年までに改善します。");
        return s;
    }

    RecordedFailures failures;
    TestProgramFolder folder;
};

void expectSameSettings(const PayGapSettings& a, const PayGapSettings& b)
{
    EXPECT_EQ(a.periodFrom, b.periodFrom);
    EXPECT_EQ(a.periodTo, b.periodTo);
    EXPECT_EQ(a.formCategories, b.formCategories);
    EXPECT_EQ(a.excludedAllowances, b.excludedAllowances);
    EXPECT_EQ(a.fullTimeEquivalent, b.fullTimeEquivalent);
    EXPECT_EQ(a.managerTitles, b.managerTitles);
    EXPECT_EQ(a.managerGrade, b.managerGrade);
    EXPECT_EQ(a.explanation, b.explanation);
}

} // namespace

TEST_F(PayGapStore, SettingsAreStoredAndSurviveTheRollover)
{
    PayGapSettings read;
    bool found = true;
    ASSERT_TRUE(ReadPayGapSettings(folder.session(), read, found));
    EXPECT_FALSE(found);
    EXPECT_EQ(read.periodFrom, 20240401);
    EXPECT_EQ(read.periodTo, 20250331);
    EXPECT_EQ(read.managerTitles, DefaultManagerTitles);

    const PayGapSettings saved = sample();
    ASSERT_TRUE(SavePayGapSettings(folder.session(), saved));
    ASSERT_TRUE(SavePayGapSettings(folder.session(), saved));   // replaced, not doubled
    EXPECT_EQ(Scalar(year(), "SELECT count(*) FROM PAYGAP"), "1");
    ASSERT_TRUE(ReadPayGapSettings(folder.session(), read, found));
    EXPECT_TRUE(found);
    expectSameSettings(read, saved);

    // Actual wages belong to their year: imported here, not carried.
    ActualWageFile file;
    file.rows[QStringLiteral("E1")] = {3000000, 150000};
    ASSERT_TRUE(StoreActualWages(folder.session(), file, false).ok);

    ASSERT_TRUE(RollOverCompany(folder.session(), folder.fdm().ACN3, 2024, 5).done);
    DbConnection& next = folder.fdm().ACN3;
    EXPECT_EQ(Scalar(next, "SELECT KCO || '/' || NENDO || '/' || KIKANFROM || '/' || KIKANTO FROM PAYGAP"),
              "5/2025/20250401/20260331");
    EXPECT_EQ(Scalar(next, "SELECT SETSUMEI FROM PAYGAP"), saved.explanation);
    EXPECT_EQ(Scalar(next, "SELECT count(*) FROM PAYGAPJISSEKI"), "0");
    EXPECT_TRUE(failures.reports.isEmpty()) << failures.texts().join('\n').toStdString();
}

TEST_F(PayGapStore, UpgradeStepAddsTheTablesOfTheTemplateToAnOlderYearFile)
{
    SqliteConnection templ;
    ASSERT_TRUE(templ.open(folder.dataPath("DATA.MDB")));
    const QString settingsColumns = columnsOf(templ, "PAYGAP");
    const QString actualColumns = columnsOf(templ, "PAYGAPJISSEKI");
    ASSERT_FALSE(settingsColumns.isEmpty());
    ASSERT_FALSE(actualColumns.isEmpty());

    // A year file made before the tables existed.
    Exec(year(), "DROP TABLE PAYGAP");
    Exec(year(), "DROP TABLE PAYGAPJISSEKI");
    Exec(year(), "INSERT INTO SALARYNAME (KCO, NENDO, SALARYID, SALARYNAME) VALUES (5, 2024, 1, '正社員')");
    ASSERT_FALSE(HasPayGapTables(year()));
    // Reading works on it and creates nothing.
    PayGapSettings read;
    bool found = true;
    ASSERT_TRUE(ReadPayGapSettings(folder.session(), read, found));
    EXPECT_FALSE(found);
    std::map<QString, ActualWage> actual;
    ASSERT_TRUE(ReadActualWages(folder.session(), actual));
    EXPECT_FALSE(HasPayGapTables(year()));

    ASSERT_TRUE(AddPayGapTablesWhereMissing(year()));
    EXPECT_EQ(columnsOf(year(), "PAYGAP"), settingsColumns);
    EXPECT_EQ(columnsOf(year(), "PAYGAPJISSEKI"), actualColumns);
    EXPECT_EQ(Scalar(year(), "SELECT SALARYNAME FROM SALARYNAME"), QStringLiteral("正社員"));
    ASSERT_TRUE(AddPayGapTablesWhereMissing(year()));   // a second time changes nothing
    EXPECT_TRUE(failures.reports.isEmpty());
}

TEST_F(PayGapStore, ImportListsErrorRowsAndStoresOnlyWhenAccepted)
{
    // Shift-JIS, a heading line, good rows with and without hours, and five bad rows.
    const QString text = QStringLiteral("社員番号,年間賃金総額,月間所定労働時間\r\n"
                                        "E1,4320000,160\r\n"
                                        "E2,\"1,850,000\",141.6667\r\n"
                                        "E3,2000000\r\n"
                                        ",100\r\n"
                                        "E4,abc\r\n"
                                        "E5,-1\r\n"
                                        "E6,100,7h\r\n"
                                        "E1,5000000\r\n");
    const QString path = writeFile(ToCp932(text));
    const ActualWageFile file = ReadActualWageCsv(path);
    ASSERT_TRUE(file.outcome.ok);
    ASSERT_EQ(file.rows.size(), 3u);
    EXPECT_EQ(file.rows.at("E1").annualWage, 4320000);
    EXPECT_EQ(file.rows.at("E1").monthlyHoursMilli, 160000);
    EXPECT_EQ(file.rows.at("E2").annualWage, 1850000);
    EXPECT_EQ(file.rows.at("E2").monthlyHoursMilli, 141667);
    EXPECT_EQ(file.rows.at("E3").monthlyHoursMilli, -1);
    ASSERT_EQ(file.errors.size(), 5);
    const int lines[] = {5, 6, 7, 8, 9};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(file.errors[i].line, lines[i]);
    EXPECT_EQ(file.errors[0].reason, "社員番号がありません");
    EXPECT_EQ(file.errors[3].reason, "月間所定労働時間が0以上の数値ではありません");
    EXPECT_EQ(file.errors[4].reason, "社員番号が重複しています");

    // Not accepted (the user cancelled): nothing stored, the reasons told.
    const Outcome refused = StoreActualWages(folder.session(), file, false);
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(refused.text.contains("9行目: 社員番号が重複しています")) << refused.text.toStdString();
    EXPECT_EQ(Scalar(year(), "SELECT count(*) FROM PAYGAPJISSEKI"), "0");

    ASSERT_TRUE(StoreActualWages(folder.session(), file, true).ok);
    std::map<QString, ActualWage> stored;
    ASSERT_TRUE(ReadActualWages(folder.session(), stored));
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored.at("E2").monthlyHoursMilli, 141667);
    EXPECT_EQ(stored.at("E3").monthlyHoursMilli, -1);

    EXPECT_FALSE(ReadActualWageCsv(folder.path("missing.csv")).outcome.ok);
}

// A row may give hours alone (an empty amount): stored with NENGAKU NULL and read back as
// hours without an amount; a row with neither is an error row. Rows stored with an amount (as
// every earlier file holds them) read as before.
TEST_F(PayGapStore, RowsOfHoursAloneAreStoredWithoutAnAmount)
{
    const QString text = QStringLiteral("社員番号,年間賃金総額,月間所定労働時間\r\n"
                                        "H1,,120\r\n"
                                        "H2, ,\"141.5\"\r\n"
                                        "A1,3000000,150\r\n"
                                        "N1,,\r\n"
                                        "N2\r\n");
    const ActualWageFile file = ReadActualWageCsv(writeFile(text.toUtf8()));
    ASSERT_TRUE(file.outcome.ok);
    ASSERT_EQ(file.rows.size(), 3u);
    EXPECT_FALSE(file.rows.at("H1").annualWage.has_value());
    EXPECT_EQ(file.rows.at("H1").monthlyHoursMilli, 120000);
    EXPECT_FALSE(file.rows.at("H2").annualWage.has_value());
    EXPECT_EQ(file.rows.at("H2").monthlyHoursMilli, 141500);
    ASSERT_EQ(file.errors.size(), 2);
    for (const ActualWageError& e : file.errors)
        EXPECT_EQ(e.reason, "年間賃金総額も月間所定労働時間もありません") << e.line;
    EXPECT_EQ(file.errors[0].line, 5);
    EXPECT_EQ(file.errors[1].line, 6);

    ASSERT_TRUE(StoreActualWages(folder.session(), file, true).ok);
    EXPECT_EQ(Scalar(year(), "SELECT group_concat(SCOT || ':' || ifnull(NENGAKU, 'NULL') || ':' || SYOTEIJIKAN, ' ') "
                             "FROM (SELECT * FROM PAYGAPJISSEKI ORDER BY SCOT)"),
              "A1:3000000:150000 H1:NULL:120000 H2:NULL:141500");
    // A row an earlier program stored: an amount, no hours.
    Exec(year(), "INSERT INTO PAYGAPJISSEKI (KCO, NENDO, SCOT, NENGAKU, SYOTEIJIKAN) VALUES (5, 2024, 'OLD', 2500000, NULL)");
    std::map<QString, ActualWage> stored;
    ASSERT_TRUE(ReadActualWages(folder.session(), stored));
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_FALSE(stored.at("H1").annualWage.has_value());
    EXPECT_EQ(stored.at("H1").monthlyHoursMilli, 120000);
    EXPECT_EQ(stored.at("A1").annualWage, 3000000);
    EXPECT_EQ(stored.at("OLD").annualWage, 2500000);
    EXPECT_EQ(stored.at("OLD").monthlyHoursMilli, -1);
    EXPECT_TRUE(failures.reports.isEmpty());
}

TEST_F(PayGapStore, FailedImportLeavesTheTableAsItWas)
{
    ActualWageFile first;
    first.rows[QStringLiteral("E1")] = {3000000, -1};
    first.rows[QStringLiteral("E2")] = {2500000, 120000};
    ASSERT_TRUE(StoreActualWages(folder.session(), first, false).ok);
    const QString before = DumpDatabase(year());

    ActualWageFile second;
    second.rows[QStringLiteral("A1")] = {1000000, -1};
    second.rows[QStringLiteral("BAD")] = {1000000, -1};
    second.rows[QStringLiteral("C1")] = {1000000, -1};
    Exec(year(), "CREATE TRIGGER injected BEFORE INSERT ON PAYGAPJISSEKI WHEN NEW.SCOT = 'BAD' "
                 "BEGIN SELECT RAISE(ABORT, 'injected failure'); END");
    const Outcome o = StoreActualWages(folder.session(), second, false);
    EXPECT_FALSE(o.ok);
    ASSERT_FALSE(failures.reports.isEmpty());
    EXPECT_TRUE(failures.reports.last().text.contains("injected failure"));
    EXPECT_EQ(DumpDatabase(year()), before);
    EXPECT_EQ(year().transactionDepth(), 0);
}
