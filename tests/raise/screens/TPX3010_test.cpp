// TPX3010 against the real database files: loading, the new pay, saving, the grade filter
// and the unsaved-changes questions.
#include "raise/screens/TPX3010.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/StringGrid.h"
#include "store/RecordAccess.h"
#include "support/screens/ScreenGeometry.h"
#include "support/screens/ScriptedDialogs.h"
#include "support/TestProject.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class RaiseScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        OpenTestProject(folder);
        DbConnection& cn = folder.fdm().ACN2;
        Exec(cn, "INSERT INTO DCHINGIN2 (KCO, NENDO, SKCO, GOUHOU, KIN1, KIN2, KIN3) "
                 "VALUES (1, 2024, 1, 12, 200000, 230000, 268000)");
        Exec(cn, "INSERT INTO MHYOUKA VALUES (1, 2024, 1, 1, 'A', 6), (1, 2024, 1, 2, 'B', 4)");
        // Employees 1 and 3 in grade 3, 2 in grade 2; 1 takes basic pay 1 from wage table 1.
        const int grades[3] = {3, 2, 3};
        for (int i = 0; i < 3; ++i) {
            TSyain_ e;
            e.KCO = "1";
            e.SCO = QString::number(i + 1);
            e.NENDO = "2024";
            e.SCOT = QStringLiteral("N%1").arg(i + 1);
            e.SNA = QStringLiteral("社員%1").arg(i + 1);
            e.SEIHI = 19900401;
            e.NYUHI = 20150401;
            e.SKCO = 1;
            e.JISEKI = i == 0 ? 1 : 0;
            e.TCO = e.TOUKYU = grades[i];
            e.GOUHOU = 10;
            e.HCO = 2;
            e.KKYU1 = 250000;
            e.TEATE1 = 10000;
            e.NTEATE1 = 10000;
            e.KEIKEN = QStringLiteral("経験%1").arg(i + 1);
            ASSERT_TRUE(Insert(cn, true, e));
        }
        SetModalHookForTesting([](QDialog&) { return int(QDialog::Accepted); });
    }
    void TearDown() override { SetModalHookForTesting(nullptr); }

    template <class W>
    W* find(const char* name)
    {
        W* w = screen.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString text(const char* name) { return find<QLineEdit>(name)->text(); }
    void type(const char* name, const QString& value)
    {
        QLineEdit* e = find<QLineEdit>(name);
        e->selectAll();
        QTest::keyClicks(e, value);
    }
    QString db(const QString& sql) { return Scalar(folder.fdm().ACN2, sql); }

    ScriptedDialogs dialogs;
    TestProgramFolder folder;
    TPX3010 screen;
};

} // namespace

TEST_F(RaiseScreen, OpensOnTheFirstEmployeeWithItsStepAndAmounts)
{
    ASSERT_TRUE(screen.Activate(true));
    EXPECT_EQ(screen.size(), QSize(790, 580));
    EXPECT_EQ(screen.windowTitle(), QStringLiteral("昇給管理"));
    TStringGrid* grid = find<TStringGrid>("Grid");
    EXPECT_EQ(grid->rowCount(), 4);
    EXPECT_EQ(grid->cell(3, 2), QStringLiteral("社員2"));
    EXPECT_EQ(grid->cell(4, 1), "34");   // age on 1 April 2024
    EXPECT_EQ(grid->cell(5, 1), "9");
    EXPECT_EQ(screen.currentCode(), 1);
    EXPECT_EQ(text("txtCureentNo") + "/" + text("txtLastNo"), "1/3");
    EXPECT_EQ(text("txtWorkerCode"), "N1");
    EXPECT_EQ(text("txtGouhou"), "10");
    EXPECT_EQ(text("txtUPGousu"), "4");   // the step increment of evaluation B
    EXPECT_EQ(text("txtCalcGousu"), "14");
    EXPECT_EQ(find<QComboBox>("cmbHyouka")->currentText(), QStringLiteral("2 : B"));
    EXPECT_EQ(find<QComboBox>("cmbSikaku")->currentText(), QStringLiteral("3 : 第３等級"));
    EXPECT_EQ(text("txtBKihon1"), "250,000");
    EXPECT_TRUE(find<QLineEdit>("txtBKihon1")->isReadOnly());   // linked to the wage table
    EXPECT_FALSE(find<QLineEdit>("txtBKihon2")->isReadOnly());
    EXPECT_EQ(text("txtBTotal"), "260,000");
    EXPECT_FALSE(find<QComboBox>("cmbNewToukyu")->isEnabled());
    EXPECT_FALSE(screen.changed());
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST_F(RaiseScreen, TheNewStepLooksUpThePayAndTheSaveWritesBothTables)
{
    ASSERT_TRUE(screen.Activate(false));
    find<QCheckBox>("chkUP")->click();
    EXPECT_TRUE(find<QComboBox>("cmbNewToukyu")->isEnabled());
    type("txtNewGouhou", "12");
    ASSERT_TRUE(screen.txtNewGouhouExit());
    EXPECT_EQ(text("txtAKihon1"), "268,000");
    EXPECT_EQ(text("txtUKihon1"), "18,000");
    EXPECT_EQ(text("txtUKihonSum"), "18,000");
    EXPECT_EQ(text("txtATotal"), "278,000");

    // A step without a wage-table row: the message, and the amounts stay.
    type("txtNewGouhou", "13");
    ASSERT_TRUE(screen.txtNewGouhouExit());
    EXPECT_TRUE(dialogs.saw(NewPayNotFoundMessage));
    EXPECT_EQ(text("txtAKihon1"), "268,000");
    type("txtNewGouhou", "12");
    ASSERT_TRUE(screen.txtNewGouhouExit());

    type("txtATeate1", "12,000");
    EXPECT_TRUE(screen.changed());
    screen.btnAddClick();
    EXPECT_FALSE(screen.changed());
    EXPECT_EQ(db("SELECT s1.TCO || ' ' || s2.GOUHOU || ' ' || s2.HCO || ' ' || s2.NKKYU1 || ' ' || s2.UPK || ' ' || "
                 "s2.NTEATE1 || ' ' || s2.UPT || ' ' || s2.NTOUKYU || ' ' || s2.SGOUHOU || ' ' || s2.NGOUHOU || ' ' || "
                 "s2.FSKCHK || ' ' || s2.SYOTEI || ' ' || s2.NSYOTEI || ' ' || s2.NNENSYU || ' ' || s2.KEIKEN "
                 "FROM MSYAIN1 s1 JOIN MSYAIN2 s2 USING (KCO, NENDO, SCO) WHERE SCO = 1"),
              QStringLiteral("3 10 2 268000 18000 12000 2000 3 4 12 1 260000 280000 3360000 経験1"));
    // The list shows what was saved.
    EXPECT_EQ(find<TStringGrid>("Grid")->cell(10, 1), "12");
    // The other employees are untouched.
    EXPECT_EQ(db("SELECT group_concat(NKKYU1 || '/' || NGOUHOU) FROM MSYAIN2 WHERE SCO <> 1"), "0/0,0/0");
}

TEST_F(RaiseScreen, ALinkedEmployeeNeedsANewStepBeforeSaving)
{
    ASSERT_TRUE(screen.Activate(false));
    screen.btnAddClick();
    EXPECT_TRUE(dialogs.saw(QStringLiteral("New号俸　が、入力されていません。")));
    EXPECT_EQ(db("SELECT NGOUHOU || '/' || NSYOTEI FROM MSYAIN2 WHERE SCO = 1"), "0/0");
}

TEST_F(RaiseScreen, TheGradeFilterListsAndWalksOnlyItsGrade)
{
    ASSERT_TRUE(screen.Activate(false));
    screen.optTokyuClick(3);
    TStringGrid* grid = find<TStringGrid>("Grid");
    EXPECT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->cell(1, 1) + "," + grid->cell(1, 2), "1,3");
    EXPECT_EQ(screen.currentCode(), 1);
    screen.btnNextClick();
    EXPECT_EQ(screen.currentCode(), 3);
    screen.btnNextClick();   // the last of the grade: nothing happens
    EXPECT_EQ(screen.currentCode(), 3);
    screen.btnFirstClick();
    EXPECT_EQ(screen.currentCode(), 1);
    screen.btnLastClick();
    EXPECT_EQ(text("txtCureentNo"), "2");
    screen.optTokyuClick(2);
    EXPECT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(screen.currentCode(), 2);
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST_F(RaiseScreen, UnsavedChangesAreAskedAboutBeforeMovingOn)
{
    ASSERT_TRUE(screen.Activate(false));
    type("txtBKihon2", "5000");
    ASSERT_TRUE(screen.changed());

    dialogs.answers = {true};   // はい: stay
    screen.btnNextClick();
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].text,
              QStringLiteral("ﾃﾞｰﾀが変更されています。\n【はい】:戻ります。\n【いいえ】:次のデータ　へ。"));
    EXPECT_EQ(screen.currentCode(), 1);

    dialogs.answers = {false};   // いいえ: on to the next, the change dropped
    screen.btnNextClick();
    EXPECT_EQ(screen.currentCode(), 2);
    EXPECT_FALSE(screen.changed());
    EXPECT_EQ(db("SELECT KKYU2 FROM MSYAIN2 WHERE SCO = 1"), "0");

    type("txtBKihon2", "5000");
    dialogs.answers = {true};
    screen.btnCloseClick();
    EXPECT_TRUE(dialogs.calls.last().text.endsWith(QStringLiteral("【いいえ】:画面を閉じます。")));
    EXPECT_NE(screen.result(), QDialog::Accepted);   // はい: the screen stays
}

TEST_F(RaiseScreen, WithoutAWageTableTheUserMayDeclineToGoOn)
{
    Exec(folder.fdm().ACN2, "DELETE FROM DCHINGIN2");
    dialogs.answers = {false};
    EXPECT_FALSE(screen.Activate(true));
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].text, NoWageTableQuestion);
    EXPECT_EQ(screen.result(), QDialog::Rejected);
}

TEST_F(RaiseScreen, TheEvaluationScreenOpensAndTheEmployeeIsReloadedOnReturn)
{
    ASSERT_TRUE(screen.Activate(false));
    screen.btnNextClick();
    ASSERT_EQ(screen.currentCode(), 2);
    // While the evaluation screen is open, B comes to climb 5 steps.
    SetModalHookForTesting([&](QDialog& d) {
        EXPECT_EQ(d.objectName(), "TPX3020");
        Exec(folder.fdm().ACN2, "UPDATE MHYOUKA SET SGOUSU = 5 WHERE HCO = 2");
        return int(QDialog::Accepted);
    });
    screen.btnHyogoClick();
    EXPECT_EQ(screen.currentCode(), 2);
    EXPECT_EQ(text("txtUPGousu"), "5");
    EXPECT_EQ(text("txtCalcGousu"), "15");
}

// The keyboard reaches what the mouse reaches: Down and Up in the grid load the employee,
// and an amount beyond the box's range is refused at the first Tab.
TEST_F(RaiseScreen, ArrowKeysLoadTheEmployeeAndAnAmountOutOfRangeIsRefusedAtOnce)
{
    ASSERT_TRUE(screen.Activate(true));
    screen.show();
    screen.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    TStringGrid* grid = find<TStringGrid>("Grid");
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(screen.currentCode(), 2);
    EXPECT_EQ(text("txtWorkerCode"), "N2");
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(screen.currentCode(), 3);
    QTest::keyClick(grid, Qt::Key_Up);
    EXPECT_EQ(screen.currentCode(), 2);
    EXPECT_EQ(text("txtCureentNo"), "2");

    QLineEdit* up = find<QLineEdit>("txtUKihon2");
    const QString total = text("txtATotal");
    up->setFocus();
    type("txtUKihon2", "9999999999");
    QTest::keyClick(up, Qt::Key_Tab);
    ASSERT_EQ(dialogs.texts(), QStringList{QStringLiteral("入力範囲外です。")});
    QCoreApplication::processEvents();
    EXPECT_TRUE(up->hasFocus());
    EXPECT_EQ(text("txtATotal"), total);

    // A sound amount moves on to the next amount and the totals follow it.
    dialogs.clear();
    type("txtUKihon2", "1000");
    QTest::keyClick(up, Qt::Key_Tab);
    QCoreApplication::processEvents();
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('|').toStdString();
    EXPECT_FALSE(up->hasFocus());
    EXPECT_EQ(text("txtUKihon2"), "1,000");
    EXPECT_NE(text("txtATotal"), total);
}

// At its design size the screen shows every control whole and apart: the employee, the
// counters and the four navigation buttons, the captions beside their boxes, and each amount
// box wide enough for the largest amount it takes (a monthly amount of 7 digits, negative
// ones too; the totals of eight of them).
TEST_F(RaiseScreen, AtItsDesignSizeNothingOverlapsAndEveryAmountShowsInFull)
{
    ASSERT_TRUE(screen.Activate(false));
    EXPECT_EQ(screen.size(), QSize(790, 580));
    QList<AmountBox> amounts;
    for (const char* row : {"Kihon1", "Kihon2", "Kihon3", "Teate1", "Teate2", "Teate3", "Teate4", "Teate5"})
        for (const char* column : {"B", "U", "A"})
            amounts << AmountBox{find<QLineEdit>(qPrintable(QStringLiteral("txt%1%2").arg(column, row))),
                                 QStringLiteral("-9,999,999")};
    for (const char* total : {"txtBKihonSum", "txtUKihonSum", "txtAKihonSum", "txtBSumTeate", "txtUSumTeate",
                              "txtASumTeate", "txtBTotal", "txtUTotal", "txtATotal"})
        amounts << AmountBox{find<QLineEdit>(total), QStringLiteral("-79,999,992")};
    const QStringList faults = GeometryFaults(screen, amounts);
    EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();

    // The navigation buttons are on the form, shown with their arrows.
    const QRect form = screen.rect();
    for (const char* name : {"btnFirst", "btnBack", "btnNext", "btnLast"}) {
        QPushButton* b = find<QPushButton>(name);
        ASSERT_NE(b, nullptr);
        EXPECT_TRUE(b->isVisible()) << name;
        EXPECT_TRUE(form.contains(QRect(b->mapTo(&screen, QPoint(0, 0)), b->size()))) << name;
        EXPECT_TRUE(b->text().contains(QChar(0x25C0)) || b->text().contains(QChar(0x25B6))) << name;
    }
}
