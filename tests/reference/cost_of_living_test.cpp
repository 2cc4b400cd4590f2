// Cost of living: the row checks, the rows a stored set shows, and replacing a set.
#include "reference/PrintQString.h"
#include "reference/CostOfLiving.h"
#include "support/RecordedFailures.h"
#include "support/TestProject.h"

#include <gtest/gtest.h>

namespace {

CostRows rowsOf(std::initializer_list<CostRow> given)
{
    CostRows rows;
    int i = 0;
    for (const CostRow& r : given)
        rows[i++] = r;
    for (; i < 6; ++i)
        rows[i].size = i + 1;
    return rows;
}

} // namespace

TEST(CostOfLivingRules, HouseholdSizesAndDuplicates)
{
    struct Case {
        const char* what;
        CostRows rows;
        QString message;
        int row;
    };
    const Case cases[] = {
        {"two rows of size 2 without an age", rowsOf({{2, 0, 100}, {2, 0, 120}}), QString(), -1},
        {"two rows of size 2 aged 35", rowsOf({{1, 30, 90}, {2, 35, 100}, {2, 35, 120}}), HouseholdDuplicateMessage, 1},
        {"same age, other size", rowsOf({{2, 35, 100}, {3, 35, 120}}), QString(), -1},
        {"values without a size", rowsOf({{1, 30, 90}, {0, 0, 0, 1.5}}), HouseholdSizeMissingMessage, 1},
        {"a size alone", rowsOf({{4, 0, 0}}), QString(), -1},
        {"an empty row of size 0", rowsOf({{0, 0, 0}}), QString(), -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CostRowsCheck r = CheckCostRows(c.rows);
        EXPECT_EQ(r.ok, c.message.isEmpty());
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(r.row, c.row);
    }
}

TEST(CostOfLivingRules, ScreenRowsContinueAfterTheLastStoredSize)
{
    const QList<CostRow> four = {{1, 0, 100}, {2, 30, 150}, {3, 35, 200}, {4, 40, 250}};
    const CostRows shown = CostRowsForScreen(four);
    EXPECT_EQ(shown[3].cost, 250);
    EXPECT_EQ(shown[4].size, 5);
    EXPECT_EQ(shown[5].size, 6);
    EXPECT_EQ(shown[5].cost, 0);

    EXPECT_EQ(CostRowsForScreen({}).at(0).size, 1);
    EXPECT_EQ(CostRowsForScreen({}).at(5).size, 6);
    EXPECT_EQ(CostRowsForScreen({{2, 30, 1}, {5, 40, 2}}).at(2).size, 6);

    QList<CostRow> seven;
    for (int i = 1; i <= 7; ++i)
        seven << CostRow{i, 20 + i, double(i)};
    EXPECT_EQ(CostRowsForScreen(seven).at(5).size, 6);   // further stored rows are not shown
}

namespace {

class CostSets : public ::testing::Test {
protected:
    void SetUp() override { OpenTestProject(folder); }
    QString db(const QString& sql) { return Scalar(folder.fdm().ACN2, sql); }

    const Session& session() const { return folder.session(); }

    RecordedFailures failures;
    TestProgramFolder folder;
};

} // namespace

TEST_F(CostSets, SavingReplacesTheSetAndStoresOnlyRowsWithValues)
{
    Exec(folder.fdm().ACN2, "INSERT INTO MSEIKEI VALUES (9, 2023, 12, 1, 25, 99, 0, 0, 0, 1, '旧', '', '', '')");
    CostSet values;
    values.multiplier = 1.05;
    values.source = QStringLiteral("人事院");
    CostRows rows = rowsOf({{1, 25, 1250.7, 1.1, 0.9, 1}, {2, 0, 0}, {3, 35, 2100}});
    ASSERT_TRUE(SaveCostSet(session(), 12, rows, values));
    EXPECT_EQ(db("SELECT count(*) FROM MSEIKEI WHERE SKCO = 12"), "2");
    EXPECT_EQ(db("SELECT KCO || '/' || NENDO || '/' || SEIKEIHI || '/' || KKRITSU || '/' || DEDOKORO FROM MSEIKEI "
                 "WHERE SKCO = 12 AND SNIN = 1"),
              QStringLiteral("1/2024/1250/1.05/人事院"));
    EXPECT_EQ(CostSetItems(session()), QStringList{QStringLiteral("12 : 人事院")});

    CostSet back;
    ASSERT_TRUE(ReadCostSet(session(), 12, back));
    ASSERT_EQ(back.rows.size(), 2);
    EXPECT_EQ(back.rows[1].size, 3);
    EXPECT_EQ(back.multiplier, 1.05);
}

TEST_F(CostSets, AFailedInsertLeavesTheOldSet)
{
    Exec(folder.fdm().ACN2, "INSERT INTO MSEIKEI VALUES (1, 2024, 3, 1, 25, 99, 0, 0, 0, 1, '旧', '', '', '')");
    Exec(folder.fdm().ACN2, "CREATE TRIGGER refuse BEFORE INSERT ON MSEIKEI WHEN NEW.SNIN = 3 "
                            "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_FALSE(SaveCostSet(session(), 3, rowsOf({{1, 30, 100}, {2, 30, 200}, {3, 30, 300}}), CostSet()));
    EXPECT_EQ(db("SELECT count(*) || '/' || max(SEIKEIHI) FROM MSEIKEI WHERE SKCO = 3"), "1/99");
    EXPECT_EQ(failures.reports.size(), 1);
}
