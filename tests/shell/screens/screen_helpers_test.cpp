// Screen mechanisms: Enter moves on, fields checked when left keep the focus, byte limits,
// code lists and field checks on controls.
#include "shell/screens/ScreenHelpers.h"
#include "support/screens/ScriptedDialogs.h"
#include "support/screens/Typing.h"
#include "reference/PrintQString.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

struct Form {
    QDialog dialog;
    QLineEdit* first;
    QLineEdit* second;
    QComboBox* list;
    QPushButton* button;

    Form()
    {
        auto* l = new QVBoxLayout(&dialog);
        first = new QLineEdit(&dialog);
        second = new QLineEdit(&dialog);
        list = new QComboBox(&dialog);
        list->setEditable(true);
        button = new QPushButton("OK", &dialog);
        for (QWidget* w : {static_cast<QWidget*>(first), static_cast<QWidget*>(second), static_cast<QWidget*>(list),
                           static_cast<QWidget*>(button)})
            l->addWidget(w);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        first->setFocus();
        QApplication::processEvents();
    }
};

TEST(ScreenMechanisms, EnterMovesToTheNextControlAndIsSwallowed)
{
    Form f;
    InstallEnterMovesFocus(f.dialog);
    bool accepted = false;
    QObject::connect(&f.dialog, &QDialog::accepted, [&] { accepted = true; });
    QTest::keyClick(f.first, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), f.second);
    QTest::keyClick(f.second, Qt::Key_Enter);
    EXPECT_TRUE(QApplication::focusWidget() == f.list || f.list->isAncestorOf(QApplication::focusWidget()));
    EXPECT_FALSE(accepted);
}

TEST(ScreenMechanisms, AFieldCheckedWhenLeftKeepsTheFocusWhileInvalid)
{
    ScriptedDialogs dialogs;
    Form f;
    CheckWhenLeft(*f.first, [&] { return CheckIntegerField(*f.first, 4, 9999, 0, "#,##0"); });
    f.first->setText("12a");
    f.second->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), f.first);
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("数値を入力してください。")});

    f.first->setText("1200");
    f.second->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), f.second);
    EXPECT_EQ(f.first->text(), "1,200");
}

TEST(ScreenMechanisms, ShiftJisLimitCountsBytes)
{
    Form f;
    SetShiftJisLimit(*f.first, 6);
    f.first->setFocus();
    TypeText(f.first, QStringLiteral("株式会社"));
    EXPECT_EQ(f.first->text(), QStringLiteral("株式会"));
    f.second->clear();
    SetShiftJisLimit(*f.second, 4);
    QTest::keyClicks(f.second, "abcdef");
    EXPECT_EQ(f.second->text(), "abcd");
}

TEST(ScreenMechanisms, CodeListsSelectAndMarkUnregisteredCodes)
{
    ScriptedDialogs dialogs;
    QComboBox list;
    list.setEditable(true);
    list.addItems({"1 : 第１等級", "3 : 第３等級", "0 : 指定なし"});
    list.setEditText("3");
    int code = -1;
    EXPECT_TRUE(CheckCodeList(list, true, false, false, &code));
    EXPECT_EQ(code, 3);
    EXPECT_EQ(list.currentText(), QStringLiteral("3 : 第３等級"));
    list.setEditText("7");
    EXPECT_TRUE(CheckCodeList(list, true, false, false, &code));
    EXPECT_EQ(list.currentText(), QStringLiteral("7 : 未登録"));
    list.setEditText("7");
    EXPECT_FALSE(CheckCodeList(list, true, true, false, &code));
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("存在しないコードです。")});
    EXPECT_EQ(SelectItemByCode(list, "1"), 0);
    EXPECT_EQ(SelectedItemCode(list), 1);
    EXPECT_EQ(SelectedItemName(list), QStringLiteral("第１等級"));
    EXPECT_EQ(ItemTextForCode(list, "3", true), QStringLiteral("3 : 第３等級"));
    EXPECT_EQ(ItemTextForCode(list, "0 : x", true), "");
    EXPECT_EQ(ItemTextForCode(list, "9", false), QStringLiteral("9 : 未登録"));
}

} // namespace

// What the user must act on comes in the warning box: a refused field, code or command, and an
// outcome that is not a success. A success's message stays plain information.
TEST(ScreenMechanisms, RefusalsComeInTheWarningBoxAndSuccessesInTheInformationBox)
{
    ScriptedDialogs dialogs;
    QLineEdit field;
    field.setText(QStringLiteral("abc"));
    EXPECT_FALSE(CheckIntegerField(field, 5, 100, 0));
    field.setText(QStringLiteral("1e"));
    EXPECT_FALSE(CheckRealField(field, 5));
    QComboBox list;
    list.setEditable(true);
    list.addItem(QStringLiteral("1 : 甲"));
    list.setEditText(QStringLiteral("7"));
    EXPECT_FALSE(CheckCodeList(list, true, true, false));
    const struct {
        Outcome outcome;
        const char* kind;
    } outcomes[] = {
        {Outcome::Refused(QStringLiteral("拒否")), "warning"},
        {Outcome::Warned(QStringLiteral("警告")), "warning"},
        {Outcome::Failed(QStringLiteral("失敗")), "warning"},
        {Outcome::Done(QStringLiteral("完了")), "information"},
    };
    for (const auto& c : outcomes)
        ShowOutcome(c.outcome);
    QStringList kinds;
    for (const DialogCall& call : dialogs.calls)
        kinds << call.kind;
    EXPECT_EQ(kinds, (QStringList{"warning", "warning", "warning", "warning", "warning", "warning", "information"}));
    EXPECT_EQ(dialogs.calls.last().text, QStringLiteral("完了"));
}
