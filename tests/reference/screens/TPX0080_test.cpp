// TPX0080 against the real database files: new and stored sets, navigation, deleting.
#include "reference/PrintQString.h"
#include "reference/screens/TPX0080.h"
#include "shell/screens/AppState.h"
#include "support/screens/ScriptedDialogs.h"
#include "support/TestProject.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

namespace {

class ModelDataScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        OpenTestProject(folder);
        code = screen.findChild<QComboBox*>("cmbModelID");
        ASSERT_NE(code, nullptr);
    }
    QLineEdit* edit(const char* name) { return screen.findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QString db(const QString& sql) { return Scalar(folder.fdm().ACN1, sql); }
    void storeSets()
    {
        for (int n : {10, 20, 30})
            Exec(folder.fdm().ACN1, QStringLiteral("INSERT INTO MDEL VALUES (%1, '調査%1', '出所%1', '全国', %2, '2023年', "
                                                   "'製造業', '100人以上', '備考%1')")
                                        .arg(n)
                                        .arg(n * 10));
    }
    void choose(const QString& text)
    {
        code->setEditText(text);
        ASSERT_TRUE(screen.cmbModelIDExit());
    }
    QString counters() { return edit("txtCureentNo")->text() + '/' + edit("txtLastNo")->text(); }

    ScriptedDialogs dialogs;
    TestProgramFolder folder;
    TPX0080 screen;
    QComboBox* code = nullptr;
};

} // namespace

TEST_F(ModelDataScreen, OpeningShowsTheCompanySet)
{
    storeSets();
    Project().CurrentCompany.MDCO = 20;
    screen.Prepare();
    EXPECT_EQ(code->currentText(), QStringLiteral("20 : 調査20"));
    EXPECT_EQ(edit("txtSyussyo")->text(), QStringLiteral("出所20"));
    EXPECT_EQ(edit("txtJigyosyosuu")->text(), "200");
    EXPECT_EQ(screen.findChild<QPlainTextEdit*>("txtBikou")->toPlainText(), QStringLiteral("備考20"));
    EXPECT_EQ(screen.state(), 2);
    EXPECT_EQ(counters(), "2/3");
    EXPECT_FALSE(screen.isDirty());
}

TEST_F(ModelDataScreen, ANewCodeShowsEmptyFieldsAndSavingCreatesTheSet)
{
    screen.Prepare();
    EXPECT_EQ(counters(), "/0");
    choose("7");
    EXPECT_EQ(code->currentText(), QStringLiteral("7 : 未登録"));
    EXPECT_EQ(screen.state(), 1);
    EXPECT_TRUE(edit("txtSalaryName")->text().isEmpty());
    EXPECT_EQ(edit("txtJigyosyosuu")->text(), "0");
    edit("txtSalaryName")->setText(QStringLiteral("賃金構造基本統計"));
    edit("txtJigyosyosuu")->setText("1,200");
    screen.findChild<QPlainTextEdit*>("txtBikou")->setPlainText(QStringLiteral("一行目\n二行目"));
    EXPECT_TRUE(screen.isDirty());
    screen.btnAddClick();
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_EQ(db("SELECT MDCO || '/' || MDNA || '/' || JSU || '/' || BIKOU FROM MDEL"),
              QStringLiteral("7/賃金構造基本統計/1200/一行目\n二行目"));
    EXPECT_EQ(code->itemText(0), QStringLiteral("7 : 賃金構造基本統計"));
    EXPECT_TRUE(code->currentText().isEmpty());
    EXPECT_EQ(counters(), "/1");

    // Saving the set again updates its row.
    choose("7");
    edit("txtKibo")->setText(QStringLiteral("全規模"));
    screen.btnAddClick();
    EXPECT_EQ(db("SELECT count(*) || KIBO FROM MDEL"), QStringLiteral("1全規模"));
}

TEST_F(ModelDataScreen, CodeAndCountRules)
{
    screen.Prepare();
    screen.btnAddClick();
    screen.btnDltClick();
    code->setEditText("0");
    EXPECT_FALSE(screen.cmbModelIDExit());
    code->setEditText("a1");
    EXPECT_FALSE(screen.cmbModelIDExit());
    choose("3");
    edit("txtJigyosyosuu")->setText("12.5");
    EXPECT_FALSE(screen.txtJigyosyosuuExit());
    screen.btnAddClick();
    EXPECT_EQ(dialogs.texts(),
              (QStringList{QStringLiteral("モデルコードが入力されていません。"), QStringLiteral("モデルコードが入力されていません。"),
                           QStringLiteral("０は入力できません。"), QStringLiteral("数値を入力して下さい。"),
                           QStringLiteral("数値を入力してください。"), QStringLiteral("数値を入力してください。")}));
    EXPECT_EQ(db("SELECT count(*) FROM MDEL"), "0");
    code->setEditText(QString());
    EXPECT_TRUE(screen.cmbModelIDExit());   // an empty code passes
}

TEST_F(ModelDataScreen, NavigationMovesThroughTheSetsAndAsksAfterChanges)
{
    storeSets();
    screen.Prepare();
    screen.btnPriorClick();   // nothing shown: no previous set
    EXPECT_EQ(screen.position(), 0);
    screen.btnNextClick();
    EXPECT_EQ(code->currentText(), QStringLiteral("10 : 調査10"));
    EXPECT_EQ(counters(), "1/3");
    screen.btnLastClick();
    EXPECT_EQ(screen.currentCode(), 30);
    screen.btnNextClick();    // at the end: stays
    EXPECT_EQ(screen.position(), 3);
    screen.btnPriorClick();
    EXPECT_EQ(edit("txtSalaryName")->text(), QStringLiteral("調査20"));
    EXPECT_TRUE(dialogs.calls.isEmpty());

    edit("txtChiiki")->setText(QStringLiteral("東京都"));
    dialogs.answers = {true, false};
    screen.btnFirstClick();
    EXPECT_EQ(screen.position(), 2);
    EXPECT_EQ(edit("txtChiiki")->text(), QStringLiteral("東京都"));
    screen.btnFirstClick();
    EXPECT_EQ(screen.position(), 1);
    EXPECT_EQ(edit("txtChiiki")->text(), QStringLiteral("全国"));
    ASSERT_EQ(dialogs.calls.size(), 2);
    EXPECT_EQ(dialogs.calls[0].caption, QStringLiteral("確認"));
    EXPECT_EQ(dialogs.calls[0].text,
              QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r【いいえ】:最初のデータ　へ。"));

    const std::pair<void (TPX0080::*)(), const char*> moves[] = {
        {&TPX0080::btnPriorClick, "前のデータ　へ。"}, {&TPX0080::btnNextClick, "次のデータ　へ。"},
        {&TPX0080::btnLastClick, "最後のデータ　へ。"}};
    screen.btnNextClick();
    for (const auto& [move, text] : moves) {
        edit("txtGyousyu")->setText(QStringLiteral("小売業"));
        dialogs.answers = {true};
        (screen.*move)();
        EXPECT_EQ(dialogs.calls.last().text, QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r【いいえ】:")
                                                 + QString::fromUtf8(text));
    }
    EXPECT_EQ(db("SELECT count(*) FROM MDEL WHERE TCHIIKI = '東京都' OR GYOUSYU = '小売業'"), "0");
}

TEST_F(ModelDataScreen, DeletingASetLeavesItsModelWages)
{
    storeSets();
    Exec(folder.fdm().ACN1, "INSERT INTO MDCHINGIN VALUES (20, 1, 30, 8, 300, 320, 1000, 4840, 0, 8)");
    screen.Prepare();
    choose("20");
    dialogs.answers = {false, true};
    screen.btnDltClick();
    EXPECT_EQ(db("SELECT count(*) FROM MDEL"), "3");
    screen.btnDltClick();
    EXPECT_EQ(dialogs.calls.last().caption, QStringLiteral("削除"));
    EXPECT_EQ(db("SELECT group_concat(MDCO) FROM MDEL"), "10,30");
    EXPECT_EQ(db("SELECT count(*) FROM MDCHINGIN WHERE MDCO = 20"), "1");
    EXPECT_EQ(code->count(), 2);
    EXPECT_EQ(counters(), "/2");

    // Nothing shown: delete only returns to the code.
    dialogs.clear();
    code->setEditText("10");
    screen.btnDltClick();
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST_F(ModelDataScreen, CloseAsksAfterAChange)
{
    screen.Prepare();
    screen.show();
    choose("5");
    edit("txtKibo")->setText(QStringLiteral("大企業"));
    dialogs.answers = {true};
    screen.btnCloseClick();
    EXPECT_TRUE(screen.isVisible());
    EXPECT_EQ(dialogs.calls.last().text,
              QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r【いいえ】:画面を閉じます。"));
    screen.btnCancelClick();
    EXPECT_TRUE(edit("txtKibo")->text().isEmpty());
    screen.btnCloseClick();
    EXPECT_FALSE(screen.isVisible());
}
