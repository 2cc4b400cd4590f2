// TPX0050 against the real database files: showing, checking, saving and deleting sets.
#include "reference/PrintQString.h"
#include "reference/screens/TPX0050.h"
#include "shell/screens/AppState.h"
#include "support/screens/ScriptedDialogs.h"
#include "support/TestProject.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class CostOfLivingScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        OpenTestProject(folder);
        code = screen.findChild<QComboBox*>("cmbSeikeiID");
        ASSERT_NE(code, nullptr);
    }
    QLineEdit* edit(const QString& name) { return screen.findChild<QLineEdit*>(name); }
    QLineEdit* cell(const char* column, int row) { return edit(QString::fromLatin1(column) + QString::number(row)); }
    QString db(const QString& sql) { return Scalar(folder.fdm().ACN2, sql); }
    void storeFourRows(int skco)
    {
        for (int n = 1; n <= 4; ++n)
            Exec(folder.fdm().ACN2, QStringLiteral("INSERT INTO MSEIKEI VALUES (7, 2023, %1, %2, %3, %4, 1.2, 0.8, 0.5, "
                                                   "1.05, '総務省', '全国', '2023年', '')")
                                        .arg(skco)
                                        .arg(n)
                                        .arg(20 + n * 5)
                                        .arg(1000 + n * 250));
    }
    void choose(const QString& text)
    {
        code->setEditText(text);
        ASSERT_TRUE(screen.cmbSeikeiIDExit());
    }

    ScriptedDialogs dialogs;
    TestProgramFolder folder;
    TPX0050 screen;
    QComboBox* code = nullptr;
};

} // namespace

TEST_F(CostOfLivingScreen, OpeningShowsTheCompanySetWithSizesAfterTheStoredRows)
{
    storeFourRows(12);
    Project().CurrentCompany.SKCO = 12;
    screen.Prepare();
    EXPECT_EQ(code->currentText(), QStringLiteral("12 : 総務省"));
    EXPECT_EQ(screen.state(), 2);
    EXPECT_EQ(cell("txtSeikeihi", 2)->text(), "1,500");
    EXPECT_EQ(cell("txtYuraku", 1)->text(), "1.20");
    EXPECT_EQ(cell("txtSyotaisu", 5)->text(), "5");
    EXPECT_EQ(cell("txtSyotaisu", 6)->text(), "6");
    EXPECT_EQ(cell("txtNenrei", 6)->text(), "0");
    EXPECT_EQ(edit("txtKakeRitsu")->text(), "1.05");
    EXPECT_EQ(edit("txtTiiki")->text(), QStringLiteral("全国"));
    EXPECT_FALSE(screen.isDirty());

    // A company code with no set: the code is shown as not registered.
    Project().CurrentCompany.SKCO = 3;
    screen.Prepare();
    EXPECT_EQ(code->currentText(), QStringLiteral("3 : 未登録"));
    EXPECT_EQ(screen.state(), 1);
    EXPECT_EQ(cell("txtSyotaisu", 4)->text(), "4");
    EXPECT_EQ(edit("txtKakeRitsu")->text(), "0.000");
}

TEST_F(CostOfLivingScreen, Code12IsSavedShownAndDeleted)
{
    screen.Prepare();
    choose("12");
    EXPECT_EQ(code->currentText(), QStringLiteral("12 : 未登録"));
    EXPECT_EQ(screen.state(), 1);
    cell("txtNenrei", 1)->setText("30");
    cell("txtSeikeihi", 1)->setText("1,250");
    cell("txtYuraku", 1)->setText("1.5");
    edit("txtKakeRitsu")->setText("1.1");
    edit("txtSyussyo")->setText(QStringLiteral("人事院"));
    screen.btnAddClick();
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_EQ(db("SELECT count(*) FROM MSEIKEI"), "1");   // rows with only a size are not stored
    EXPECT_EQ(db("SELECT SKCO || '/' || SNIN || '/' || SNENREI || '/' || SEIKEIHI || '/' || YURITSU || '/' || KKRITSU "
                 "|| '/' || KCO || '/' || NENDO FROM MSEIKEI"),
              "12/1/30/1250/1.5/1.1/1/2024");
    EXPECT_TRUE(code->currentText().isEmpty());
    EXPECT_EQ(code->itemText(0), QStringLiteral("12 : 人事院"));

    choose("12");
    EXPECT_EQ(code->currentText(), QStringLiteral("12 : 人事院"));
    EXPECT_EQ(cell("txtSeikeihi", 1)->text(), "1,250");
    EXPECT_EQ(cell("txtSyotaisu", 2)->text(), "2");
    dialogs.answers = {true};
    screen.btnDltClick();
    EXPECT_EQ(dialogs.calls.last().caption, QStringLiteral("削除"));
    EXPECT_EQ(dialogs.calls.last().text, QStringLiteral("ﾃﾞｰﾀを削除しますか？\r【はい】:削除します。\r【いいえ】:戻ります。"));
    EXPECT_EQ(db("SELECT count(*) FROM MSEIKEI"), "0");
    EXPECT_EQ(code->count(), 0);
    EXPECT_EQ(screen.state(), 0);
}

TEST_F(CostOfLivingScreen, DuplicateHouseholdsAreRefusedWithNothingChanged)
{
    storeFourRows(5);
    screen.Prepare();
    choose("5");
    // Size 2 without an age twice is allowed ...
    cell("txtSyotaisu", 5)->setText("2");
    cell("txtNenrei", 5)->setText("0");
    cell("txtSeikeihi", 5)->setText("900");
    cell("txtNenrei", 2)->setText("0");
    screen.btnAddClick();
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_EQ(db("SELECT count(*) FROM MSEIKEI WHERE SKCO = 5 AND SNIN = 2 AND SNENREI = 0"), "2");

    // ... aged 35 twice is not.
    choose("5");
    cell("txtNenrei", 2)->setText("35");
    cell("txtNenrei", 3)->setText("35");
    cell("txtSyotaisu", 3)->setText("2");
    screen.btnAddClick();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("世帯人員，年齢が重複しています。")});
    EXPECT_EQ(db("SELECT group_concat(SNIN || ':' || SNENREI) FROM (SELECT * FROM MSEIKEI WHERE SKCO = 5 ORDER BY SNIN, "
                 "SNENREI)"),
              "1:25,2:0,2:0,3:35,4:40");
}

TEST_F(CostOfLivingScreen, SaveRulesForTheCodeAndTheHouseholdSize)
{
    screen.Prepare();
    screen.btnAddClick();
    choose("8");
    cell("txtSyotaisu", 3)->setText("0");
    cell("txtTanshin", 3)->setText("0.5");
    screen.btnAddClick();
    code->setEditText("0");
    EXPECT_FALSE(screen.cmbSeikeiIDExit());
    code->setEditText("abc");
    EXPECT_FALSE(screen.cmbSeikeiIDExit());
    EXPECT_EQ(dialogs.texts(), (QStringList{QStringLiteral("生計費コードが入力されていません。"),
                                            QStringLiteral("世帯人員が入力されていません。"),
                                            QStringLiteral("０は入力できません。"), QStringLiteral("数値を入力して下さい。")}));
    EXPECT_EQ(db("SELECT count(*) FROM MSEIKEI"), "0");

    // A field typed wrong is checked again by the save.
    dialogs.clear();
    choose("8");
    cell("txtMin", 1)->setText("1.2.3");
    screen.btnAddClick();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("数値を入力してください。")});
    EXPECT_EQ(db("SELECT count(*) FROM MSEIKEI"), "0");
}

TEST_F(CostOfLivingScreen, DeleteOnlyWhenASetIsShownAndCloseAsksAfterChanges)
{
    storeFourRows(2);
    screen.Prepare();
    screen.btnDltClick();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("生計費コードが入力されていません。")});
    choose("2");
    dialogs.answers = {false};
    screen.btnDltClick();
    EXPECT_EQ(db("SELECT count(*) FROM MSEIKEI"), "4");

    screen.show();
    cell("txtSeikeihi", 1)->setText("2,000");
    EXPECT_TRUE(screen.isDirty());
    dialogs.answers = {true, false};
    screen.btnCloseClick();
    EXPECT_TRUE(screen.isVisible());
    EXPECT_EQ(dialogs.calls.last().text,
              QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r【いいえ】:画面を閉じます。"));
    screen.btnCloseClick();
    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(db("SELECT SEIKEIHI FROM MSEIKEI WHERE SNIN = 1"), "1250");   // closing did not save
}

TEST_F(CostOfLivingScreen, EnterInTheLastNoteReturnsToTheFirstRow)
{
    screen.Prepare();
    screen.show();
    QApplication::setActiveWindow(&screen);
    edit("txtNyuryokuchi")->setFocus();
    QTest::keyClick(edit("txtNyuryokuchi"), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), cell("txtSyotaisu", 1));
    QTest::keyClick(cell("txtSyotaisu", 1), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), cell("txtNenrei", 1));
}

TEST_F(CostOfLivingScreen, AmountsAndRatesWhoseFormattedTextOverrunsTheBoxAreRefused)
{
    screen.Prepare();
    choose("12");
    cell("txtSyotaisu", 1)->setText("1");
    cell("txtNenrei", 1)->setText("30");
    const struct {
        const char* field;
        const char* value;
    } cases[] = {
        {"txtSeikeihi", "12345678"},   // "12,345,678": 10 characters in a box of 8
        {"txtSeikeihi", "1234567"},    // "1,234,567"
        {"txtYuraku", "12345.6"},      // "12,345.60"
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.value);
        dialogs.clear();
        cell(c.field, 1)->setText(QString::fromLatin1(c.value));
        screen.btnAddClick();
        EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("入力範囲外です。")});
        EXPECT_EQ(db("SELECT count(*) FROM MSEIKEI WHERE SKCO = 12"), "0");
        cell(c.field, 1)->setText("0");
    }
    dialogs.clear();
    cell("txtSeikeihi", 1)->setText("999999");
    cell("txtYuraku", 1)->setText("1234.5");
    screen.btnAddClick();
    EXPECT_TRUE(dialogs.calls.isEmpty()) << dialogs.texts().join('|').toStdString();
    EXPECT_EQ(db("SELECT SEIKEIHI || '/' || YURITSU FROM MSEIKEI WHERE SKCO = 12 AND SNIN = 1"), "999999/1234.5");
}
