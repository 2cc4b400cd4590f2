// TPX3020 against the real database files: loading, the Enter rules, checking and saving.
#include "reference/PrintQString.h"
#include "raise/screens/TPX3020.h"
#include "shell/screens/StringGrid.h"
#include "support/screens/ScriptedDialogs.h"
#include "support/TestProject.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class EvaluationScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        OpenTestProject(folder);
        Exec(folder.fdm().ACN2, "INSERT INTO MCHINGIN VALUES (1, 2024, 1, 3, 0, 0, 0, 0, '総合職', 1, 1, 1, 1, 40)");
        Exec(folder.fdm().ACN2, "INSERT INTO MCHINGIN VALUES (1, 2024, 2, 3, 0, 0, 0, 0, '一般職', 2, 2, 2, 1, 40)");
        grid = screen.findChild<TStringGrid*>("Grid");
        tables = screen.findChild<QComboBox*>("cmbChingin");
        ASSERT_NE(grid, nullptr);
        ASSERT_NE(tables, nullptr);
    }
    QString db(const QString& sql) { return Scalar(folder.fdm().ACN2, sql); }
    QString stored(int skco)
    {
        return db(QStringLiteral("SELECT group_concat(HCO || HKIGOU || SGOUSU, ',') FROM (SELECT * FROM MHYOUKA WHERE KCO = 1 "
                                 "AND SKCO = %1 ORDER BY HCO)")
                      .arg(skco));
    }
    void choose(int index)
    {
        tables->setCurrentIndex(index);
        screen.cmbChinginChange();
    }
    QString row(int r) { return grid->cell(0, r) + '|' + grid->cell(1, r) + '|' + grid->cell(2, r) + '|' + grid->cell(3, r); }

    ScriptedDialogs dialogs;
    TestProgramFolder folder;
    TPX3020 screen;
    TStringGrid* grid = nullptr;
    QComboBox* tables = nullptr;
};

} // namespace

TEST_F(EvaluationScreen, ANewTableShowsOneRowAndEnterOnTheLastStepAppendsTheNext)
{
    screen.Prepare();
    EXPECT_EQ(screen.size(), QSize(340, 473));
    EXPECT_EQ(tables->count(), 3);
    EXPECT_EQ(tables->currentText(), QStringLiteral("0 : なし"));
    EXPECT_EQ(tables->itemText(2), QStringLiteral("2 : 一般職"));
    EXPECT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(row(1), "1|1||0");
    EXPECT_EQ(grid->col(), 2);
    EXPECT_EQ(grid->row(), 1);

    screen.show();
    QApplication::setActiveWindow(&screen);
    grid->setFocus();
    // Type the symbol into the editor, Enter to 昇号数, Enter again on the last row.
    QTest::keyClick(grid, 'A');
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(grid->cell(2, 1), "A");
    EXPECT_EQ(grid->col(), 3);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(row(2), "2|2||1");
    EXPECT_EQ(grid->row(), 2);
    EXPECT_EQ(grid->col(), 2);
}

TEST_F(EvaluationScreen, EnterMovesRightOrDownAndAppendsAfterANonNumberCode)
{
    Exec(folder.fdm().ACN2, "INSERT INTO MHYOUKA VALUES (1, 2024, 1, 1, 'S', 3)");
    Exec(folder.fdm().ACN2, "INSERT INTO MHYOUKA VALUES (1, 2024, 1, 4, 'A', 2)");
    screen.Prepare();
    choose(1);
    EXPECT_EQ(row(1), "1|1|S|3");
    EXPECT_EQ(row(2), "2|4|A|2");
    grid->setCursor(1, 1);
    screen.GridKeyEnter();
    EXPECT_EQ(grid->col(), 2);
    grid->setCursor(3, 1);
    screen.GridKeyEnter();
    EXPECT_EQ(grid->row(), 2);
    EXPECT_EQ(grid->col(), 2);
    EXPECT_EQ(grid->rowCount(), 3);

    grid->setCell(1, 2, "x");
    grid->setCursor(3, 2);
    screen.GridKeyEnter();
    EXPECT_EQ(row(3), "3|2||1");   // the largest whole-number code + 1
}

TEST_F(EvaluationScreen, DuplicateSymbolsAreRefusedWithNothingChanged)
{
    Exec(folder.fdm().ACN2, "INSERT INTO MHYOUKA VALUES (1, 2024, 2, 1, 'S', 3)");
    screen.Prepare();
    choose(2);
    grid->setCell(2, 1, "A");
    grid->setCursor(3, 1);
    screen.GridKeyEnter();
    grid->setCell(2, 2, "A");
    screen.btnAddClick();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("評価記号が重複しています。")});
    EXPECT_EQ(stored(2), "1S3");

    dialogs.clear();
    grid->setCell(2, 2, "B");
    grid->setCell(1, 2, "1");
    screen.btnAddClick();
    grid->setCell(1, 2, "2");
    grid->setCell(2, 2, "");
    screen.btnAddClick();
    EXPECT_EQ(dialogs.texts(),
              (QStringList{QStringLiteral("評価コードが重複しています。"), QStringLiteral("評価記号を入力して下さい。")}));
    EXPECT_EQ(grid->row(), 2);
    EXPECT_EQ(grid->col(), 2);
    EXPECT_EQ(stored(2), "1S3");
}

TEST_F(EvaluationScreen, RowsWithoutACodeAreNotSavedAndTheGridIsReloaded)
{
    Exec(folder.fdm().ACN2, "INSERT INTO MHYOUKA VALUES (1, 2024, 1, 1, 'S', 3)");
    Exec(folder.fdm().ACN2, "INSERT INTO MHYOUKA VALUES (1, 2024, 1, 2, 'A', 2)");
    Exec(folder.fdm().ACN2, "INSERT INTO MHYOUKA VALUES (1, 2024, 1, 3, 'B', 1)");
    screen.Prepare();
    choose(1);
    grid->setCell(1, 2, "");      // clearing a code removes that evaluation
    grid->setCell(3, 3, "");      // an empty step is stored as 0
    screen.btnAddClick();
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_EQ(stored(1), "1S3,3B0");
    EXPECT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(row(2), "2|3|B|0");
}

TEST_F(EvaluationScreen, NoneEditsTheEvaluationsNotTiedToAWageTable)
{
    Exec(folder.fdm().ACN2, "INSERT INTO MHYOUKA VALUES (1, 2024, 1, 1, 'S', 3)");
    screen.Prepare();
    grid->setCell(2, 1, QStringLiteral("優"));
    grid->setCell(3, 1, "2");
    screen.btnAddClick();
    EXPECT_EQ(stored(0), QStringLiteral("1優2"));
    EXPECT_EQ(stored(1), "1S3");
    choose(1);
    EXPECT_EQ(row(1), "1|1|S|3");
    choose(0);
    EXPECT_EQ(row(1), QStringLiteral("1|1|優|2"));

    // 閉じる discards unsaved edits without a question.
    screen.show();
    grid->setCell(2, 1, QStringLiteral("良"));
    screen.btnCloseClick();
    EXPECT_FALSE(screen.isVisible());
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_EQ(stored(0), QStringLiteral("1優2"));
}

TEST_F(EvaluationScreen, TypingStartsInTheGridAndALetterStepIsRefused)
{
    screen.Prepare();
    screen.show();
    QApplication::setActiveWindow(&screen);
    QApplication::processEvents();
    // The first key typed lands in the symbol of row 1, not in the wage-table list.
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    EXPECT_TRUE(focused == grid || grid->isAncestorOf(focused));
    QTest::keyClick(focused, 'S');
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(grid->cell(2, 1), "S");
    EXPECT_EQ(tables->currentIndex(), 0);

    for (const char* step : {"x", "1.5", "２ab"}) {
        SCOPED_TRACE(step);
        dialogs.clear();
        grid->setCell(3, 1, QString::fromUtf8(step));
        screen.btnAddClick();
        EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("数値を入力して下さい。")});
        EXPECT_EQ(grid->row(), 1);
        EXPECT_EQ(grid->col(), 3);
        EXPECT_EQ(stored(0), QString());
    }
    dialogs.clear();
    grid->setCell(3, 1, " 2 ");
    screen.btnAddClick();
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_EQ(stored(0), "1S2");
}
