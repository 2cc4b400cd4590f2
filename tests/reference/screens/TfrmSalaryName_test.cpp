// TfrmSalaryName against the real database files: the ID rule, saving, deleting, closing.
#include "reference/PrintQString.h"
#include "reference/screens/TfrmSalaryName.h"
#include "shell/ProjectLookups.h"
#include "support/screens/ScriptedDialogs.h"
#include "support/TestProject.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class EmploymentFormScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        OpenTestProject(folder);
        screen.Prepare();
        id = screen.findChild<QComboBox*>("cmbSalaryID");
        ASSERT_NE(id, nullptr);
    }
    QLineEdit* edit(const char* name) { return screen.findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QString db(const QString& sql) { return Scalar(folder.fdm().ACN2, sql); }
    void choose(const QString& text)
    {
        id->setEditText(text);
        ASSERT_TRUE(screen.cmbSalaryIDExit());
    }

    ScriptedDialogs dialogs;
    TestProgramFolder folder;
    TfrmSalaryName screen;
    QComboBox* id = nullptr;
};

} // namespace

TEST_F(EmploymentFormScreen, IdsOutside1To4AreRefused)
{
    for (const char* bad : {"5", "0", "x"}) {
        id->setEditText(QString::fromLatin1(bad));
        EXPECT_FALSE(screen.cmbSalaryIDExit()) << bad;
    }
    EXPECT_EQ(dialogs.texts(), QStringList(3, QStringLiteral("IDは1～4で入力して下さい。")));

    dialogs.clear();
    id->setEditText("5");
    edit("txtName")->setText(QStringLiteral("嘱託"));
    screen.btnAddClick();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("IDは1～4で入力して下さい。")});
    EXPECT_EQ(db("SELECT count(*) FROM SALARYNAME"), "0");
}

TEST_F(EmploymentFormScreen, AFormWithOnlyItsNameGetsTheDefaultPayLabels)
{
    choose("2");
    EXPECT_EQ(id->currentText(), "2");
    EXPECT_FALSE(screen.findChild<QPushButton*>("btnDlt")->isEnabled());
    edit("txtName")->setText(QStringLiteral("正社員"));
    screen.btnAddClick();
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_EQ(db("SELECT SALARYID || SALARYNAME || '/' || KIHON1 || '/' || TEATE1 FROM SALARYNAME WHERE KCO = 1"),
              QStringLiteral("2正社員//"));
    EXPECT_EQ(id->count(), 1);
    EXPECT_EQ(id->itemText(0), QStringLiteral("2 : 正社員"));
    EXPECT_TRUE(edit("txtName")->text().isEmpty());
    EXPECT_EQ(PayLabels(LoadEmploymentForms(folder.session()), 2),
              (QStringList{QStringLiteral("基本給"), "", "", QStringLiteral("手当"), "", "", "", ""}));
}

TEST_F(EmploymentFormScreen, SavingAStoredFormReplacesAllItsNames)
{
    Exec(folder.fdm().ACN2, "INSERT INTO SALARYNAME VALUES (1, 2024, 1, '役員', '年俸', '基本給', '役職給', '', "
                            "'役員手当', '', '', '', '')");
    screen.Prepare();
    id->setCurrentIndex(0);   // picked from the list
    ASSERT_TRUE(screen.cmbSalaryIDExit());
    EXPECT_EQ(id->currentText(), QStringLiteral("1 : 役員"));
    EXPECT_EQ(edit("txtKihon2")->text(), QStringLiteral("役職給"));
    EXPECT_TRUE(screen.findChild<QPushButton*>("btnDlt")->isEnabled());
    EXPECT_FALSE(screen.isDirty());

    edit("txtKihon2")->clear();
    edit("txtTeate5")->setText(QStringLiteral("通勤手当"));
    EXPECT_TRUE(screen.isDirty());
    screen.btnAddClick();
    EXPECT_EQ(db("SELECT count(*) || '/' || KIHON2 || '/' || TEATE5 FROM SALARYNAME WHERE SALARYID = 1"),
              QStringLiteral("1//通勤手当"));
}

TEST_F(EmploymentFormScreen, TheFormNameIsRequired)
{
    choose("3");
    edit("txtName")->setText(QStringLiteral("　 "));
    edit("txtTeigi")->setText(QStringLiteral("時給"));
    screen.btnAddClick();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("就労形態を入力して下さい。")});
    EXPECT_EQ(db("SELECT count(*) FROM SALARYNAME"), "0");
}

TEST_F(EmploymentFormScreen, DeleteAsksFirst)
{
    Exec(folder.fdm().ACN2, "INSERT INTO SALARYNAME VALUES (1, 2024, 3, 'パート', '', '', '', '', '', '', '', '', '')");
    screen.Prepare();
    choose("3");
    dialogs.answers = {false, true};
    screen.btnDltClick();
    EXPECT_EQ(db("SELECT count(*) FROM SALARYNAME"), "1");
    screen.btnDltClick();
    EXPECT_EQ(db("SELECT count(*) FROM SALARYNAME"), "0");
    ASSERT_EQ(dialogs.calls.size(), 2);
    EXPECT_EQ(dialogs.calls[0].caption, QStringLiteral("確認"));
    EXPECT_EQ(dialogs.calls[0].text, QStringLiteral("表示ﾃﾞｰﾀを削除してもいいですか？"));
    EXPECT_EQ(id->count(), 0);
    EXPECT_FALSE(screen.findChild<QPushButton*>("btnDlt")->isEnabled());
}

TEST_F(EmploymentFormScreen, AFailedInsertKeepsTheStoredForm)
{
    Exec(folder.fdm().ACN2, "INSERT INTO SALARYNAME VALUES (1, 2024, 4, 'その他', '', '', '', '', '', '', '', '', '')");
    Exec(folder.fdm().ACN2, "CREATE TRIGGER refuse BEFORE INSERT ON SALARYNAME BEGIN SELECT RAISE(ABORT, 'refused'); END");
    screen.Prepare();
    choose("4");
    edit("txtName")->setText(QStringLiteral("契約社員"));
    screen.btnAddClick();
    EXPECT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(db("SELECT SALARYNAME FROM SALARYNAME WHERE SALARYID = 4"), QStringLiteral("その他"));
    EXPECT_EQ(edit("txtName")->text(), QStringLiteral("契約社員"));   // the typing is kept for another try
}

TEST_F(EmploymentFormScreen, CloseAsksAfterAChangeAndCancelForgetsIt)
{
    screen.show();
    choose("1");
    edit("txtName")->setText(QStringLiteral("役員"));
    dialogs.answers = {true};
    screen.btnCloseClick();
    EXPECT_TRUE(screen.isVisible());
    EXPECT_EQ(dialogs.calls.last().text,
              QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r【いいえ】:画面を閉じます。"));
    screen.btnCancelClick();
    EXPECT_TRUE(edit("txtName")->text().isEmpty());
    EXPECT_TRUE(id->currentText().isEmpty());
    screen.btnCloseClick();
    EXPECT_FALSE(screen.isVisible());
}

TEST_F(EmploymentFormScreen, EnterMovesOnAndABadIdKeepsTheFocus)
{
    screen.show();
    QApplication::setActiveWindow(&screen);
    edit("txtName")->setFocus();
    QTest::keyClick(edit("txtName"), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), edit("txtTeigi"));
    // The last allowance goes back to the form name.
    edit("txtTeate5")->setFocus();
    QTest::keyClick(edit("txtTeate5"), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), edit("txtName"));

    id->setFocus();
    id->setEditText("9");
    edit("txtName")->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("IDは1～4で入力して下さい。")});
    EXPECT_TRUE(id->hasFocus());
}

TEST_F(EmploymentFormScreen, CancelAndCloseWorkWhileTheIdIsRefusedAndAPickedFormShowsAtOnce)
{
    screen.show();
    QApplication::setActiveWindow(&screen);
    auto* cancel = screen.findChild<QPushButton*>("btnCancel");
    auto* close = screen.findChild<QPushButton*>("btnClose");

    // A refused ID: キャンセル clears it without repeating the message.
    id->setFocus();
    id->setEditText("5");
    QTest::mouseClick(cancel, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(dialogs.calls.isEmpty()) << dialogs.texts().join('|').toStdString();
    EXPECT_TRUE(id->currentText().isEmpty());

    // 閉じる closes the screen however the ID reads.
    id->setFocus();
    id->setEditText("5");
    QTest::mouseClick(close, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(dialogs.calls.isEmpty()) << dialogs.texts().join('|').toStdString();
    EXPECT_FALSE(screen.isVisible());

    // Picking a stored form from the list shows its names without leaving the box.
    Exec(folder.fdm().ACN2, "INSERT INTO SALARYNAME VALUES (1, 2024, 3, 'パート', '時給', '基本給', '', '', "
                            "'通勤手当', '', '', '', '')");
    screen.Prepare();
    screen.show();
    QApplication::setActiveWindow(&screen);
    id->setFocus();
    ASSERT_EQ(id->count(), 1);
    id->activated(0);
    EXPECT_EQ(edit("txtName")->text(), QStringLiteral("パート"));
    EXPECT_EQ(edit("txtTeate1")->text(), QStringLiteral("通勤手当"));
    EXPECT_TRUE(screen.findChild<QPushButton*>("btnDlt")->isEnabled());
    EXPECT_TRUE(dialogs.calls.isEmpty());
}
