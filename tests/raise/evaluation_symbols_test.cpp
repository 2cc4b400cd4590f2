// Evaluation symbols: the row checks, the code of an appended row, and replacing a table's rows.
#include "reference/PrintQString.h"
#include "raise/EvaluationSymbols.h"
#include "support/RecordedFailures.h"
#include "support/TestProject.h"

#include <gtest/gtest.h>

TEST(EvaluationRules, RowsWithACodeAreChecked)
{
    struct Case {
        const char* what;
        QList<EvaluationRow> rows;
        QString message;
        int row;
    };
    const Case cases[] = {
        {"distinct rows", {{"1", "S", "3"}, {"2", "A", "2"}, {"3", "B", "0"}}, QString(), -1},
        {"a symbol twice", {{"1", "A", "2"}, {"2", "A", "1"}}, SymbolDuplicateMessage, 0},
        {"a code twice", {{"1", "S", "2"}, {"2", "A", "1"}, {"2", "B", "0"}}, CodeDuplicateMessage, 1},
        {"the same code written differently", {{"1", "S", "2"}, {" 01", "A", "1"}}, CodeDuplicateMessage, 0},
        {"no symbol", {{"1", "S", "2"}, {"2", " ", "1"}}, SymbolMissingMessage, 1},
        {"rows without a code take no part", {{"1", "A", "2"}, {"", "A", "1"}, {"", "", ""}}, QString(), -1},
        {"a code that is not a number", {{"1", "S", "2"}, {"x", "A", "1"}}, CodeNotNumberMessage, 1},
        {"a step with letters", {{"1", "S", "2"}, {"2", "A", "1a"}}, CodeNotNumberMessage, 1},
        {"an empty step", {{"1", "S", ""}, {"2", "A", " "}}, QString(), -1},
        {"a step in a row without a code", {{"1", "S", "2"}, {"", "A", "x"}}, QString(), -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const EvaluationCheck r = CheckEvaluationRows(c.rows);
        EXPECT_EQ(r.ok, c.message.isEmpty());
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(r.row, c.row);
    }
}

TEST(EvaluationRules, CodeOfAnAppendedRow)
{
    struct Case {
        const char* what;
        QList<EvaluationRow> rows;
        int left;
        const char* code;
    };
    const Case cases[] = {
        {"after the row left", {{"1", "A", "0"}}, 0, "2"},
        {"after a row in the middle", {{"5", "A", "0"}, {"2", "B", "1"}}, 1, "3"},
        {"left row not a number: largest + 1", {{"7", "A", "0"}, {"3", "B", "0"}, {"x", "C", "0"}}, 2, "8"},
        {"left row empty", {{"4", "A", "0"}, {"", "", "1"}}, 1, "5"},
        {"no whole number at all", {{"", "A", "0"}}, 0, "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(NextEvaluationCode(c.rows, c.left), QString::fromUtf8(c.code));
    }
}

namespace {

class EvaluationTables : public ::testing::Test {
protected:
    void SetUp() override { OpenTestProject(folder); }
    QString db(const QString& sql) { return Scalar(folder.fdm().ACN2, sql); }

    const Session& session() const { return folder.session(); }

    RecordedFailures failures;
    TestProgramFolder folder;
};

} // namespace

TEST_F(EvaluationTables, SavingReplacesOnlyTheChosenTable)
{
    Exec(folder.fdm().ACN2, "INSERT INTO MHYOUKA VALUES (1, 2024, 1, 1, 'S', 4)");
    Exec(folder.fdm().ACN2, "INSERT INTO MHYOUKA VALUES (1, 2024, 0, 1, 'X', 1)");
    ASSERT_TRUE(SaveEvaluations(session(), 1, {{"1", "A", "2"}, {"", "B", "1"}, {"3", "C", "x"}}));
    EXPECT_EQ(db("SELECT group_concat(HCO || HKIGOU || SGOUSU, ',') FROM (SELECT * FROM MHYOUKA WHERE SKCO = 1 ORDER BY HCO)"),
              "1A2,3C0");
    EXPECT_EQ(db("SELECT HKIGOU FROM MHYOUKA WHERE SKCO = 0"), "X");

    QList<EvaluationRow> rows;
    ASSERT_TRUE(ReadEvaluations(session(), 1, rows));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1].code, "3");
    EXPECT_EQ(rows[1].steps, "0");
}

TEST_F(EvaluationTables, AFailurePartWayLeavesTheOldRows)
{
    Exec(folder.fdm().ACN2, "INSERT INTO MHYOUKA VALUES (1, 2024, 2, 1, 'S', 4)");
    Exec(folder.fdm().ACN2, "CREATE TRIGGER refuse BEFORE INSERT ON MHYOUKA WHEN NEW.HCO = 2 "
                            "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_FALSE(SaveEvaluations(session(), 2, {{"1", "A", "1"}, {"2", "B", "0"}}));
    EXPECT_EQ(db("SELECT group_concat(HCO || HKIGOU) FROM MHYOUKA WHERE SKCO = 2"), "1S");
    // The store has told of the refused row.
    EXPECT_FALSE(failures.reports.isEmpty());
}
