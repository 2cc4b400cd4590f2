// TPX0060 against the real database files: the grid, amounts, saving, navigation, deleting.
#include "reference/PrintQString.h"
#include "reference/screens/TPX0060.h"
#include "shell/screens/AppState.h"
#include "shell/screens/StringGrid.h"
#include "support/screens/ScriptedDialogs.h"
#include "support/TestProject.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

class ModelWageScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        OpenTestProject(folder);
        Project().CurrentCompany.MDCO = 4;
        code = screen.findChild<QComboBox*>("cmbSalaryID");
        grid = screen.findChild<TStringGrid*>("Grid");
        ASSERT_NE(code, nullptr);
        ASSERT_NE(grid, nullptr);
    }
    QLineEdit* edit(const char* name) { return screen.findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QString db(const QString& sql) { return Scalar(folder.fdm().ACN1, sql); }
    void storeWages()
    {
        Exec(folder.fdm().ACN1, "INSERT INTO MDCHINGIN VALUES (4, 3, 22, 0, 210, 230, 600, 3360, 0, 0)");
        Exec(folder.fdm().ACN1, "INSERT INTO MDCHINGIN VALUES (4, 1, 18, 0, 180, 195, 400, 2740, 1, 0)");
        Exec(folder.fdm().ACN1, "INSERT INTO MDCHINGIN VALUES (4, 5, 30, 8, 300, 320, 1000, 4840, 2, 10)");
        Exec(folder.fdm().ACN1, "INSERT INTO MDCHINGIN VALUES (9, 1, 40, 1, 1, 1, 1, 1, 1, 1)");
    }
    void choose(const QString& text)
    {
        code->setEditText(text);
        ASSERT_TRUE(screen.cmbSalaryIDExit());
    }
    QString counters() { return edit("txtCureentNo")->text() + '/' + edit("txtLastNo")->text(); }

    ScriptedDialogs dialogs;
    TestProgramFolder folder;
    TPX0060 screen;
    QComboBox* code = nullptr;
    TStringGrid* grid = nullptr;
};

} // namespace

TEST_F(ModelWageScreen, WithoutWagesTheGridHasOneEmptyRowAndTheCountersAreBlank)
{
    screen.Prepare();
    EXPECT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->colCount(), 10);
    EXPECT_EQ(grid->cell(1, 0), QStringLiteral("賃金ｺｰﾄﾞ"));
    EXPECT_EQ(grid->cell(9, 0), QStringLiteral("線　種"));
    EXPECT_EQ(grid->columnWidth(5), 70);
    for (int c = 0; c < 10; ++c)
        EXPECT_TRUE(grid->cell(c, 1).isEmpty()) << c;
    EXPECT_EQ(counters(), "/");
    EXPECT_EQ(edit("txtNenrei")->text(), "0");
    EXPECT_EQ(screen.findChild<QComboBox*>("cmbSensyu")->currentText(), QStringLiteral("0 : なし"));
}

TEST_F(ModelWageScreen, OpeningShowsTheFirstRowOfTheCompanySet)
{
    storeWages();
    screen.Prepare();
    EXPECT_EQ(grid->rowCount(), 4);
    EXPECT_EQ(grid->cell(1, 1), "1");
    EXPECT_EQ(grid->cell(2, 2), "22");
    EXPECT_EQ(grid->cell(8, 3), "4840");
    EXPECT_EQ(grid->cell(4, 3), "10");
    EXPECT_EQ(grid->highlightedRow(), 1);
    EXPECT_EQ(code->currentText(), QStringLiteral("1 : 18"));
    EXPECT_EQ(edit("txtNensyu")->text(), "2,740");
    EXPECT_EQ(screen.findChild<QComboBox*>("cmbSensyu")->currentText(), QStringLiteral("1 : 破線"));
    EXPECT_EQ(counters(), "1/3");
    EXPECT_FALSE(screen.isDirty());
}

TEST_F(ModelWageScreen, AmountsAreShownWithSeparatorsAndStoredWithout)
{
    screen.Prepare();
    screen.btnAddClick();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("ﾃﾞｰﾀの変更がありません。")});
    EXPECT_EQ(db("SELECT count(*) FROM MDCHINGIN"), "0");

    dialogs.clear();
    choose("2");
    EXPECT_EQ(code->currentText(), "2");
    edit("txtNenrei")->setText("25");
    edit("txtKihon")->setText("1234");
    edit("txtNensyu")->setText("5,000");
    screen.findChild<QComboBox*>("cmbSensyu")->setCurrentIndex(3);
    screen.btnAddClick();
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_EQ(db("SELECT MDCO || '/' || MCCO || '/' || NENREI || '/' || KKIN || '/' || NENSYU || '/' || SENSYU FROM MDCHINGIN"),
              "4/2/25/1234/5000/3");
    EXPECT_EQ(edit("txtKihon")->text(), "1,234");
    EXPECT_EQ(grid->cell(5, 1), "1234");
    EXPECT_EQ(code->currentText(), QStringLiteral("2 : 25"));
    EXPECT_EQ(counters(), "1/1");

    // Nothing changed since the save.
    screen.btnAddClick();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("ﾃﾞｰﾀの変更がありません。")});
}

TEST_F(ModelWageScreen, FieldRulesAreCheckedBeforeSaving)
{
    screen.Prepare();
    edit("txtKihon")->setText("100");
    screen.btnAddClick();   // no code
    choose("6");
    screen.findChild<QComboBox*>("cmbSensyu")->setEditText("9");
    edit("txtKihon")->setText("100");
    screen.btnAddClick();
    screen.findChild<QComboBox*>("cmbSensyu")->setEditText("2");
    edit("txtKinzoku")->setText("x");
    screen.btnAddClick();
    EXPECT_EQ(dialogs.texts(), (QStringList{QStringLiteral("モデル賃金コードが入力されていません。"),
                                            QStringLiteral("存在しないコードです。"), QStringLiteral("数値を入力してください。")}));
    EXPECT_EQ(db("SELECT count(*) FROM MDCHINGIN"), "0");
}

TEST_F(ModelWageScreen, NavigationAndGridClicks)
{
    storeWages();
    screen.Prepare();
    screen.btnLastClick();
    EXPECT_EQ(code->currentText(), QStringLiteral("5 : 30"));
    EXPECT_EQ(edit("txtKeiken")->text(), "10");
    EXPECT_EQ(grid->highlightedRow(), 3);
    EXPECT_EQ(counters(), "3/3");
    screen.btnPriorClick();
    EXPECT_EQ(screen.currentCode(), 3);

    // A click shows the row without asking about the change.
    edit("txtBonus")->setText("700");
    screen.GridClick(4, 1);
    EXPECT_EQ(screen.currentCode(), 1);
    EXPECT_EQ(grid->highlightedRow(), 1);
    EXPECT_EQ(edit("txtBonus")->text(), "400");
    EXPECT_TRUE(dialogs.calls.isEmpty());

    edit("txtBonus")->setText("700");
    dialogs.answers = {true, false};
    screen.btnNextClick();
    EXPECT_EQ(screen.currentCode(), 1);
    EXPECT_EQ(dialogs.calls.last().text,
              QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r【いいえ】:次のデータ　へ。"));
    screen.btnNextClick();
    EXPECT_EQ(screen.currentCode(), 3);
    EXPECT_EQ(grid->highlightedRow(), 2);

    // Typing a stored code shows its row.
    choose("5");
    EXPECT_EQ(screen.position(), 3);
    EXPECT_EQ(edit("txtSyotei")->text(), "320");
    screen.btnCancelClick();
    EXPECT_EQ(edit("txtSyotei")->text(), "0");
    EXPECT_EQ(grid->highlightedRow(), 1);
}

TEST_F(ModelWageScreen, DeleteShowsTheFirstRemainingRow)
{
    storeWages();
    screen.Prepare();
    dialogs.answers = {false};
    choose("3");
    screen.btnDltClick();
    EXPECT_EQ(db("SELECT count(*) FROM MDCHINGIN WHERE MDCO = 4"), "3");
    dialogs.answers = {true};
    screen.btnDltClick();
    EXPECT_EQ(dialogs.calls.last().caption, QStringLiteral("削除"));
    EXPECT_EQ(db("SELECT group_concat(MCCO) FROM MDCHINGIN WHERE MDCO = 4"), "1,5");
    EXPECT_EQ(db("SELECT count(*) FROM MDCHINGIN WHERE MDCO = 9"), "1");
    EXPECT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(screen.currentCode(), 1);
    EXPECT_EQ(counters(), "1/2");

    dialogs.clear();
    code->setEditText(QString());
    screen.btnDltClick();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("モデル賃金コードが入力されていません。")});
}

TEST_F(ModelWageScreen, AnAmountWhoseFormattedTextOverrunsItsBoxIsRefusedNotCut)
{
    screen.Prepare();
    choose("2");
    edit("txtNenrei")->setText("25");
    screen.findChild<QComboBox*>("cmbSensyu")->setCurrentIndex(3);
    // The boxes take 8 characters: "12,345,678" and "1,234,567" would be cut.
    for (const char* amount : {"12345678", "1234567"}) {
        SCOPED_TRACE(amount);
        dialogs.clear();
        edit("txtBonus")->setText(QString::fromLatin1(amount));
        screen.btnAddClick();
        EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("入力範囲外です。")});
        EXPECT_EQ(edit("txtBonus")->text(), QString::fromLatin1(amount));
        EXPECT_EQ(db("SELECT count(*) FROM MDCHINGIN"), "0");
    }
    dialogs.clear();
    edit("txtBonus")->setText("999999");
    screen.btnAddClick();
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_EQ(edit("txtBonus")->text(), "999,999");
    EXPECT_EQ(db("SELECT SYOUYO FROM MDCHINGIN"), "999999");
}

TEST_F(ModelWageScreen, TheGridShowsAllItsColumnsBesideItsScrollBar)
{
    for (int c = 1; c <= 40; ++c)
        Exec(folder.fdm().ACN1, QStringLiteral("INSERT INTO MDCHINGIN VALUES (4, %1, %2, 0, 210, 230, 600, 3360, 0, 0)")
                                    .arg(c)
                                    .arg(18 + c));
    screen.Prepare();
    screen.show();
    QApplication::processEvents();
    EXPECT_TRUE(grid->verticalScrollBar()->isVisible());
    EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 0);
    const QRect lineType = grid->visualItemRect(grid->item(1, 9));
    EXPECT_LE(lineType.right(), grid->viewport()->width());
    EXPECT_EQ(grid->model()->headerData(9, Qt::Horizontal).toString(), QStringLiteral("線　種"));
    screen.btnLastClick();
    QApplication::processEvents();
    EXPECT_LE(grid->visualItemRect(grid->item(40, 1)).bottom(), grid->viewport()->height());
}
