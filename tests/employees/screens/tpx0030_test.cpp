// The employee register screen against a real project database.
#include "employees/screens/TPX0030.h"

#include "employees/EmployeeRegister.h"
#include "shell/screens/AppState.h"
#include "shell/screens/StringGrid.h"
#include "support/screens/ScriptedDialogs.h"
#include "support/TestProject.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QColor SkyBlue(0xA6, 0xCA, 0xF0);

// An employee row written the way the register writes it.
void AddRow(int code, const QString& name, int grade, const QString& number = QStringLiteral("N1"),
            int birth = 19800401, int wageTable = 0)
{
    EmployeeFields f;
    f.code = QString::number(code);
    f.name = name;
    f.number = number;
    const QString b = QString::number(birth);
    f.birth.year = b.mid(2, 2);
    f.birth.month = b.mid(4, 2);
    f.birth.day = b.mid(6, 2);
    f.entry.year = "02";
    f.entry.month = "04";
    f.entry.day = "01";
    f.promotion.year = f.promotion.month = f.promotion.day = "0";
    f.grade = grade;
    f.step = "12";
    f.kihon[0] = "200,000";
    f.afKihon[0] = "205,000";
    f.kihon[1] = "30,000";
    f.afKihon[1] = "31,000";
    f.teate[0] = "10,000";
    f.afTeate[0] = "12,000";
    f.wageTable = wageTable;
    TSyain_ r;
    SetAddTimeValues(r, QDateTime::currentDateTime());
    const Session s = CurrentSession();
    ASSERT_TRUE(FillEmployeeRecord(s, f, r).ok());
    ASSERT_TRUE(AddEmployee(s, r));
}

class RegisterScreen : public ::testing::Test {
protected:
    void SetUp() override { OpenTestProject(folder, {.referenceDate = 20200401}); }

    TPX0030& open()
    {
        screen = std::make_unique<TPX0030>();
        screen->Prepare();
        return *screen;
    }
    template <class W = QLineEdit>
    W* w(const char* name)
    {
        W* found = screen->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString text(const char* name) { return w(name)->text(); }
    QString listText(const char* name) { return w<QComboBox>(name)->currentText(); }
    void type(const char* name, const QString& value)
    {
        QLineEdit* e = w(name);
        e->selectAll();
        e->insert(value);   // edited as by the user: marks the employee changed
    }
    // A button of a page clicked, as by the user.
    void click(const char* name) { w<QAbstractButton>(name)->click(); }
    void leave(const char* name) { EXPECT_TRUE(screen->FieldExit(screen->findChild<QWidget*>(name))) << name; }
    void enterCode(const QString& code)
    {
        w<QComboBox>("cmbWorker")->setEditText(code);
        EXPECT_TRUE(screen->cmbWorkerExit());
    }
    TStringGrid* grid() { return w<TStringGrid>("Grid"); }
    QColor base(const char* name) { return w(name)->palette().color(QPalette::Base); }
    QString db(const QString& sql) { return Scalar(folder.fdm().ACN2, sql); }

    ScriptedDialogs dialogs;
    TestProgramFolder folder;
    std::unique_ptr<TPX0030> screen;
};

TEST_F(RegisterScreen, OpensOnTheFirstEmployeeWithGridAndHiddenMatrixTab)
{
    AddRow(7, QStringLiteral("佐藤花子"), 2);
    AddRow(3, QStringLiteral("山田太郎"), 1);
    TPX0030& s = open();
    EXPECT_EQ(s.windowTitle(), QStringLiteral("社員データ"));
    EXPECT_EQ(s.position(), 1);
    EXPECT_EQ(listText("cmbWorker"), "3");
    EXPECT_EQ(text("txtWorker"), QStringLiteral("山田太郎"));
    EXPECT_EQ(text("txtCureentNo"), "1");
    EXPECT_EQ(text("txtLastNo"), "2");
    EXPECT_FALSE(w<QPushButton>("btnAdd")->isEnabled());
    EXPECT_FALSE(s.isDirty());

    TStringGrid* g = grid();
    EXPECT_EQ(g->columnCount(), 11);
    EXPECT_EQ(g->rowCount(), 3);
    EXPECT_EQ(g->cell(1, 0), QStringLiteral("社員ｺｰﾄﾞ"));
    EXPECT_EQ(g->cell(10, 0), QStringLiteral("ゾーン"));
    EXPECT_TRUE(g->isColumnHidden(10));
    EXPECT_EQ(g->columnWidth(3), 110);
    EXPECT_EQ(g->cell(1, 2), "7");
    EXPECT_EQ(g->cell(4, 1), "40");
    EXPECT_EQ(g->highlightedRow(), 1);

    auto* pages = w<QTabWidget>("PageControl1");
    ASSERT_EQ(pages->count(), 4);
    EXPECT_EQ(pages->tabText(3), QStringLiteral("マトリクス"));
    EXPECT_FALSE(pages->isTabVisible(3));
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_EQ(text("txtKihonSum"), "230,000");
    EXPECT_EQ(text("txtTeateUP"), "2,000");
    EXPECT_EQ(w<QLabel>("labKihon1")->text(), QStringLiteral("基本給"));
    EXPECT_EQ(w<QLabel>("labTeate1")->text(), QStringLiteral("手当"));
    EXPECT_EQ(w<QLabel>("labKihon2")->text(), QString());
    EXPECT_FALSE(w<QComboBox>("cmbSeiNengou")->isVisibleTo(&s));   // Western years
}

TEST_F(RegisterScreen, AddModifyAndDeleteAnEmployee)
{
    TPX0030& s = open();
    EXPECT_EQ(grid()->rowCount(), 2);
    EXPECT_EQ(text("txtLastNo"), "");
    EXPECT_EQ(s.position(), 0);

    enterCode("5");
    EXPECT_EQ(listText("cmbWorker"), "5");
    EXPECT_TRUE(w<QPushButton>("btnAdd")->isEnabled());
    type("txtWorkerNo", "S-5");
    type("txtWorkName", QStringLiteral("鈴木一郎"));
    type("txtSeiyy", "80");
    type("txtSeimm", "4");
    type("txtSeidd", "2");
    type("txtKihon1", "250000");
    leave("txtKihon1");
    type("txtTeate1", "10000");
    leave("txtTeate1");
    type("txtAFTeate1", "12000");
    leave("txtAFTeate1");
    EXPECT_EQ(text("txtKihon1"), "250,000");
    EXPECT_EQ(text("txtTeateUP"), "2,000");
    EXPECT_EQ(text("txtSyotei"), "260,000");
    EXPECT_TRUE(s.isDirty());

    s.btnAddClick();
    EXPECT_TRUE(dialogs.calls.isEmpty()) << dialogs.texts().join('|').toStdString();
    EXPECT_EQ(db("SELECT SNA FROM MSYAIN1 WHERE SCO = 5"), QStringLiteral("鈴木一郎"));
    EXPECT_EQ(db("SELECT NENREI FROM MSYAIN1 WHERE SCO = 5"), "39");
    EXPECT_EQ(db("SELECT UPT || '/' || SYOTEI || '/' || NSYOTEI || '/' || SPATH FROM MSYAIN2 WHERE SCO = 5"),
              "2000/260000/12000/");
    EXPECT_FALSE(db("SELECT NEWDAY1 FROM MSYAIN1 WHERE SCO = 5").isEmpty());
    EXPECT_EQ(s.employees().items.size(), 1);
    EXPECT_EQ(s.position(), 1);
    EXPECT_EQ(listText("cmbWorker"), "");   // the screen is cleared
    EXPECT_EQ(text("txtCureentNo"), "");
    EXPECT_FALSE(w<QPushButton>("btnAdd")->isEnabled());
    EXPECT_FALSE(s.isDirty());
    EXPECT_EQ(grid()->cell(4, 1), "39");

    // 登録 of an existing code is refused.
    enterCode("5");
    EXPECT_EQ(text("txtWorkName"), QStringLiteral("鈴木一郎"));
    s.btnAddClick();
    EXPECT_TRUE(dialogs.saw(QStringLiteral("データは既に存在します。更新する場合は、修正ボタン　を押下して下さい。")));
    EXPECT_EQ(db("SELECT COUNT(*) FROM MSYAIN1"), "1");

    type("txtWorkName", QStringLiteral("鈴木次郎"));
    s.btnMntClick();
    EXPECT_EQ(db("SELECT SNA FROM MSYAIN1 WHERE SCO = 5"), QStringLiteral("鈴木次郎"));
    EXPECT_EQ(text("txtWorkName"), QStringLiteral("鈴木次郎"));
    EXPECT_EQ(grid()->cell(3, 1), QStringLiteral("鈴木次郎"));
    EXPECT_FALSE(s.isDirty());

    dialogs.clear();
    dialogs.answers = {false, true};
    s.btnDltClick();   // No: nothing happens
    EXPECT_EQ(db("SELECT COUNT(*) FROM MSYAIN1"), "1");
    s.btnDltClick();
    ASSERT_EQ(dialogs.calls.size(), 2);
    EXPECT_EQ(dialogs.calls[1].caption, QStringLiteral("削除確認"));
    EXPECT_EQ(dialogs.calls[1].text, QStringLiteral("ﾃﾞｰﾀを削除しますか？\r【はい】:削除します。\r【いいえ】:戻ります。"));
    EXPECT_EQ(db("SELECT COUNT(*) FROM MSYAIN1"), "0");
    EXPECT_EQ(db("SELECT COUNT(*) FROM MSYAIN2"), "0");
    EXPECT_EQ(grid()->rowCount(), 2);
    EXPECT_EQ(text("txtWorkName"), "");
}

TEST_F(RegisterScreen, SaveChecksComeFirstThenEveryFieldIsChecked)
{
    TPX0030& s = open();
    const struct {
        QString code, name, message;
    } cases[] = {
        {"", QStringLiteral("名前"), QStringLiteral("社員コードが入力されていません。")},
        {"8", "", QStringLiteral("氏名は必ず入力してください。")},
        {"0", QStringLiteral("名前"), QStringLiteral("０は入力できません。")},
    };
    for (const auto& c : cases) {
        dialogs.clear();
        w<QComboBox>("cmbWorker")->setEditText(c.code);
        w("txtWorkName")->setText(c.name);
        s.btnAddClick();
        EXPECT_EQ(dialogs.texts(), QStringList{c.message});
    }
    EXPECT_EQ(db("SELECT COUNT(*) FROM MSYAIN1"), "0");

    // A value typed but never left is checked before it could be saved as 0.
    enterCode("8");
    w("txtWorkName")->setText(QStringLiteral("名前"));
    w("txtBonus1")->setText("12a");
    dialogs.clear();
    s.btnAddClick();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("数値を入力してください。")});
    EXPECT_EQ(w<QTabWidget>("PageControl1")->currentIndex(), 1);
    EXPECT_EQ(db("SELECT COUNT(*) FROM MSYAIN1"), "0");

    w("txtBonus1")->setText("0");
    w("txtSeimm")->setText("2");
    w("txtSeidd")->setText("30");
    dialogs.clear();
    s.btnAddClick();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("生年月日の入力エラーです。")});
}

TEST_F(RegisterScreen, FieldChecksWhenLeft)
{
    TPX0030& s = open();
    const struct {
        const char* field;
        QString value;
        bool ok;
        QString shown;
    } cases[] = {
        {"txtGouhou", "80", true, "80"},
        {"txtGouhou", "81", false, ""},
        {"txtSeiyy", "99", true, "99"},
        {"txtSeimm", "0", true, "0"},   // 0 = no date
        {"txtSeimm", "13", false, ""},
        {"txtNyudd", "32", false, ""},
        {"txtKihon2", "1234567", true, "1,234,567"},
        {"txtKihon2", "123456789", false, ""},
        {"txtBonus1", "12a", false, ""},
        {"txtUPKin1", "5000", true, "5,000"},
        {"txtTaisyokuKin", "2.25", true, "2.250"},
        {"txtTasseiRitsu", "1.5", false, ""},
        {"txtTasseiRitsu", "95", true, "95"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field + (" = " + c.value.toStdString()));
        dialogs.clear();
        w(c.field)->setText(c.value);
        EXPECT_EQ(s.FieldExit(w(c.field)), c.ok);
        EXPECT_EQ(dialogs.calls.size(), c.ok ? 0 : 1);
        if (c.ok) {
            EXPECT_EQ(text(c.field), c.shown);
        }
        w(c.field)->setText("0");
    }
    w<QComboBox>("cmbSikaku")->setEditText("4");
    EXPECT_TRUE(s.FieldExit(w<QComboBox>("cmbSikaku")));
    EXPECT_EQ(listText("cmbSikaku"), QStringLiteral("4 : 第４等級"));
    w<QComboBox>("cmbSikaku")->setEditText("12");
    dialogs.clear();
    EXPECT_FALSE(s.FieldExit(w<QComboBox>("cmbSikaku")));
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("存在しないコードです。")});
    w<QComboBox>("cmbMark")->setEditText("0");
    EXPECT_TRUE(s.FieldExit(w<QComboBox>("cmbMark")));
    EXPECT_EQ(listText("cmbMark"), QStringLiteral("0 : なし"));
    w<QComboBox>("cmbMark")->setEditText("2");
    EXPECT_TRUE(s.FieldExit(w<QComboBox>("cmbMark")));
    EXPECT_TRUE(listText("cmbMark").startsWith("2 : "));
}

TEST_F(RegisterScreen, NavigationAsksAboutUnsavedChanges)
{
    for (int code : {1, 2, 3})
        AddRow(code, QStringLiteral("社員%1").arg(code), 1);
    TPX0030& s = open();
    s.btnBackClick();   // at the first: nothing
    EXPECT_EQ(s.position(), 1);
    s.btnNextClick();
    EXPECT_EQ(s.position(), 2);
    EXPECT_EQ(text("txtWorkName"), QStringLiteral("社員2"));

    type("txtWorkName", QStringLiteral("変更中"));
    w<QTabWidget>("PageControl1")->setCurrentIndex(1);
    dialogs.answers = {true};
    s.btnNextClick();
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].caption, QStringLiteral("確認"));
    EXPECT_EQ(dialogs.calls[0].text,
              QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r【いいえ】:次のデータ　へ。"));
    EXPECT_EQ(s.position(), 2);
    EXPECT_EQ(text("txtWorkName"), QStringLiteral("変更中"));
    EXPECT_EQ(w<QTabWidget>("PageControl1")->currentIndex(), 0);

    // Leaving the code of the employee on the screen keeps the edit.
    EXPECT_TRUE(s.cmbWorkerExit());
    EXPECT_EQ(text("txtWorkName"), QStringLiteral("変更中"));

    dialogs.answers = {false};
    s.btnLastClick();
    EXPECT_TRUE(dialogs.calls.last().text.endsWith(QStringLiteral("【いいえ】:最後のデータ　へ。")));
    EXPECT_EQ(s.position(), 3);
    EXPECT_FALSE(s.isDirty());
    EXPECT_EQ(grid()->highlightedRow(), 3);
    dialogs.clear();
    s.btnNextClick();   // at the last: nothing, no question
    s.btnLastClick();
    EXPECT_TRUE(dialogs.calls.isEmpty());
    s.btnFirstClick();
    EXPECT_EQ(s.position(), 1);
    EXPECT_EQ(db("SELECT SNA FROM MSYAIN1 WHERE SCO = 2"), QStringLiteral("社員2"));

    // A grid click shows the employee of the row.
    s.GridClick(3, 3);
    EXPECT_EQ(listText("cmbWorker"), "3");
    EXPECT_EQ(text("txtCureentNo"), "3");

    type("txtYakusyoku", QStringLiteral("課長"));
    dialogs.answers = {true, false};
    s.btnCloseClick();
    EXPECT_TRUE(dialogs.calls.last().text.endsWith(QStringLiteral("【いいえ】:画面を閉じます。")));
    EXPECT_EQ(s.result(), 0);
    EXPECT_TRUE(s.isDirty());
    s.btnCloseClick();
    EXPECT_EQ(s.result(), int(QDialog::Accepted));
    EXPECT_FALSE(s.isDirty());

    // ｷｬﾝｾﾙ empties the screen and enables every button.
    s.btnCancelClick();
    EXPECT_EQ(s.position(), 0);
    EXPECT_EQ(text("txtWorkName"), "");
    EXPECT_EQ(text("txtTaisyokuKin"), "0.000");
    EXPECT_EQ(listText("cmbSikaku"), QStringLiteral("0 : なし"));
    EXPECT_TRUE(w<QPushButton>("btnAdd")->isEnabled());
    EXPECT_EQ(grid()->highlightedRow(), -1);
}

TEST_F(RegisterScreen, NewCodeClearsTheScreenKeepingTheCode)
{
    AddRow(1, QStringLiteral("社員1"), 1);
    TPX0030& s = open();
    EXPECT_EQ(text("txtWorkName"), QStringLiteral("社員1"));
    enterCode("44");
    EXPECT_EQ(listText("cmbWorker"), "44");
    EXPECT_EQ(text("txtWorkName"), "");
    EXPECT_EQ(text("txtKihon1"), "0");
    EXPECT_EQ(s.position(), 0);
    EXPECT_TRUE(w<QPushButton>("btnAdd")->isEnabled());
    EXPECT_FALSE(s.isDirty());
    w<QComboBox>("cmbWorker")->setEditText("abc");
    dialogs.clear();
    EXPECT_FALSE(s.cmbWorkerExit());
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("数値を入力して下さい。")});
}

TEST_F(RegisterScreen, GradeFilter)
{
    AddRow(1, QStringLiteral("社員1"), 2);
    AddRow(2, QStringLiteral("社員2"), 1);
    TPX0030& s = open();
    s.optTokyuClick(3);
    EXPECT_EQ(s.gradeFilter(), 3);
    EXPECT_EQ(grid()->rowCount(), 2);
    EXPECT_EQ(grid()->cell(1, 1), "");
    EXPECT_EQ(text("txtLastNo"), "");
    EXPECT_EQ(text("txtCureentNo"), "");
    EXPECT_EQ(s.position(), 0);

    s.optTokyuClick(1);
    EXPECT_EQ(grid()->rowCount(), 2);
    EXPECT_EQ(grid()->cell(1, 1), "2");
    EXPECT_EQ(listText("cmbWorker"), "2");

    type("txtWorkName", QStringLiteral("変更"));
    s.optTokyuClick(0);
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("ﾃﾞｰﾀが変更されています。変更する場合は、登録・修正 ボタン　を、変更しない場合は、キャンセル "
                                         "ボタン　を押して下さい。")});
    EXPECT_EQ(s.gradeFilter(), 1);
    EXPECT_TRUE(w<QRadioButton>("optTokyu1")->isChecked());
    EXPECT_EQ(grid()->rowCount(), 2);
}

TEST_F(RegisterScreen, DatesAgesAndRatesAsStored)
{
    AddRow(1, QStringLiteral("四十歳"), 1, "A1", 19800401);
    AddRow(2, QStringLiteral("三十九歳"), 1, "A2", 19800402);
    AddRow(3, QStringLiteral("番号なし"), 1, "", 19800401);
    AddRow(4, QStringLiteral("生年なし"), 1, "A4", 0);
    DbConnection& cn = folder.fdm().ACN2;
    Exec(cn, "UPDATE MSYAIN1 SET SRITSU = 1.5 WHERE SCO = 1");
    Exec(cn, "INSERT INTO SALARYNAME VALUES (1, 2024, 2, '正社員', '', '職能給', '役割給', '', '', '住宅手当', '', '', '')");
    Exec(cn, "UPDATE MSYAIN2 SET SM1 = 2 WHERE SCO = 2");
    TPX0030& s = open();
    TStringGrid* g = grid();
    EXPECT_EQ(g->cell(4, 1), "40");
    EXPECT_EQ(g->cell(4, 2), "39");
    EXPECT_EQ(g->cell(4, 3), "0");   // no employee number: age and service show 0
    EXPECT_EQ(g->cell(5, 3), "0");
    EXPECT_EQ(g->cell(5, 1), "18");
    EXPECT_EQ(g->cell(4, 4), "0");
    EXPECT_EQ(db("SELECT SEIHI FROM MSYAIN1 WHERE SCO = 4"), "0");

    EXPECT_EQ(text("txtSeiyy"), "80");
    EXPECT_EQ(text("txtSeimm"), "04");
    EXPECT_EQ(text("txtTaisyokuKin"), "1.500");
    s.btnMntClick();
    EXPECT_EQ(db("SELECT SRITSU FROM MSYAIN1 WHERE SCO = 1"), "1.5");
    EXPECT_EQ(db("SELECT SEIHI FROM MSYAIN1 WHERE SCO = 1"), "19800401");

    s.GridClick(1, 2);
    EXPECT_EQ(w<QLabel>("labKihon1")->text(), QStringLiteral("職能給"));
    EXPECT_EQ(w<QLabel>("labKihon2")->text(), QStringLiteral("役割給"));
    EXPECT_EQ(w<QLabel>("labTeate1")->text(), QStringLiteral("手当"));
    EXPECT_EQ(w<QLabel>("labTeate2")->text(), QStringLiteral("住宅手当"));
    EXPECT_EQ(listText("cmbMibun"), QStringLiteral("2 : 正社員"));
    s.GridClick(1, 4);
    EXPECT_EQ(text("txtSeiyy"), "0");
    EXPECT_EQ(text("txtSeimm"), "0");
    EXPECT_EQ(w<QComboBox>("cmbMibun")->currentIndex(), -1);
    EXPECT_EQ(text("txtJikankyu"), "1,500");   // 240,000 over 160 hours
}

TEST_F(RegisterScreen, EraModeShowsAndJoinsEraYears)
{
    AddRow(1, QStringLiteral("昭和生まれ"), 1, "A1", 19800401);
    App().CalendarMode = 1;
    TPX0030& s = open();
    EXPECT_TRUE(w<QComboBox>("cmbSeiNengou")->isVisibleTo(&s));
    EXPECT_EQ(listText("cmbSeiNengou"), QStringLiteral("昭和"));
    EXPECT_EQ(text("txtSeiyy"), "55");
    EXPECT_EQ(listText("cmbNyuNengou"), QStringLiteral("平成"));
    EXPECT_EQ(text("txtNyuyy"), "14");
    EXPECT_EQ(w<QComboBox>("cmbTouNengou")->currentText(), " ");
    w<QComboBox>("cmbTouNengou")->setEditText(QStringLiteral("令和"));
    w("txtTouyy")->setText("2");
    w("txtToumm")->setText("10");
    w("txtToudd")->setText("1");
    s.btnMntClick();
    EXPECT_EQ(db("SELECT THI FROM MSYAIN2 WHERE SCO = 1"), "20201001");
    EXPECT_EQ(db("SELECT SEIHI FROM MSYAIN1 WHERE SCO = 1"), "19800401");
}

TEST_F(RegisterScreen, WageTableLinkColoursAndAmount)
{
    DbConnection& cn = folder.fdm().ACN2;
    Exec(cn, "INSERT INTO MCHINGIN VALUES (1, 2024, 1, 9, 80, 2, 0, 1, '基本賃金表', 0, 0, 0, 0, 0)");
    // Amounts of grade 1 at step 0 (the after-raise step of a new employee) and 12.
    Exec(cn, "INSERT INTO DCHINGIN2 VALUES (1, 2024, 1, 0, 180000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0)");
    Exec(cn, "INSERT INTO DCHINGIN2 VALUES (1, 2024, 1, 12, 234000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0)");
    Exec(cn, "INSERT INTO MHYOUKA VALUES (1, 2024, 1, 1, 'S', 3)");
    Exec(cn, "INSERT INTO MHYOUKA VALUES (1, 2024, 1, 2, 'A', 2)");
    AddRow(1, QStringLiteral("社員1"), 1, "A1", 19800401, 1);
    TPX0030& s = open();
    EXPECT_EQ(listText("cmbChingin"), QStringLiteral("1 : 基本賃金表"));
    EXPECT_EQ(w<QComboBox>("cmbHyouka1")->count(), 3);   // S, A and なし
    EXPECT_EQ(base("txtAFKihon2"), SkyBlue);
    EXPECT_EQ(base("txtKihon2"), QColor(Qt::white));

    click("optKihon2");
    EXPECT_EQ(s.link(), 2);
    EXPECT_EQ(Project().CurrentCompany.FRSTKYU, 2);
    EXPECT_EQ(base("txtAFKihon2"), QColor(Qt::yellow));
    EXPECT_TRUE(w("txtAFKihon2")->isReadOnly());
    EXPECT_EQ(w("txtAFKihon2")->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(base("txtAFKihon1"), SkyBlue);
    EXPECT_FALSE(w("txtAFKihon1")->isReadOnly());
    EXPECT_TRUE(s.isDirty());

    s.btnMntClick();
    EXPECT_EQ(db("SELECT JISEKI FROM MSYAIN1 WHERE SCO = 1"), "2");
    s.GridClick(1, 1);
    EXPECT_EQ(text("txtAFKihon2"), "180,000");   // the wage table's amount at the new step
    EXPECT_TRUE(w<QRadioButton>("optKihon2")->isChecked());
    EXPECT_EQ(base("txtAFKihon2"), QColor(Qt::yellow));
    EXPECT_EQ(text("txtAFKihonSum"), "385,000");

    s.btnMntClick();   // the linked amount is what is stored, with totals to match
    EXPECT_EQ(db("SELECT NKKYU2 || '/' || NSYOTEI || '/' || UPK FROM MSYAIN2 WHERE SCO = 1"), "180000/397000/155000");

    click("cdRestLink");
    EXPECT_EQ(s.link(), 0);
    EXPECT_FALSE(w<QRadioButton>("optKihon2")->isChecked());
    EXPECT_EQ(base("txtAFKihon2"), SkyBlue);
    EXPECT_FALSE(w("txtAFKihon2")->isReadOnly());
}

// What is chosen or checked on one page reaches the page that shows its effect.
TEST_F(RegisterScreen, ThePagesFollowEachOther)
{
    DbConnection& cn = folder.fdm().ACN2;
    Exec(cn, "INSERT INTO SALARYNAME VALUES (1, 2024, 2, '正社員', '', '職能給', '役割給', '', '', '住宅手当', '', '', '')");
    Exec(cn, "INSERT INTO MCHINGIN VALUES (1, 2024, 1, 9, 80, 2, 0, 1, '基本賃金表', 0, 0, 0, 0, 0)");
    Exec(cn, "INSERT INTO MHYOUKA VALUES (1, 2024, 1, 1, 'S', 3)");
    Exec(cn, "INSERT INTO MHYOUKA VALUES (1, 2024, 1, 2, 'A', 2)");
    AddRow(1, QStringLiteral("社員1"), 1);
    TPX0030& s = open();
    auto choose = [&](const char* list, const QString& item) {
        auto* c = w<QComboBox>(list);
        c->setCurrentIndex(c->findText(item));
        ASSERT_GE(c->currentIndex(), 0) << item.toStdString();
        emit c->activated(c->currentIndex());
    };

    // 基本情報's employment form names the pay components of 賃金情報.
    EXPECT_EQ(w<QLabel>("labKihon1")->text(), QStringLiteral("基本給"));
    choose("cmbMibun", QStringLiteral("2 : 正社員"));
    EXPECT_EQ(w<QLabel>("labKihon1")->text(), QStringLiteral("職能給"));
    EXPECT_EQ(w<QLabel>("labTeate2")->text(), QStringLiteral("住宅手当"));
    EXPECT_TRUE(s.isDirty());

    // 賃金情報's wage table offers its evaluations on 基本情報.
    EXPECT_EQ(w<QComboBox>("cmbHyouka1")->count(), 1);   // なし
    choose("cmbChingin", QStringLiteral("1 : 基本賃金表"));
    EXPECT_EQ(w<QComboBox>("cmbHyouka1")->count(), 3);   // S, A and なし

    // The totals of 賃金情報 are refreshed when a raise of 賃金情報２, the grade or the step
    // of 基本情報 is accepted (230,000 stored; the first component set without a check).
    EXPECT_EQ(text("txtKihonSum"), "230,000");
    const struct {
        const char* left;
        QString firstComponent, sum;
    } cases[] = {
        {"txtUPKin1", "300,000", "330,000"},
        {"cmbSikaku", "310,000", "340,000"},
        {"txtGouhou", "320,000", "350,000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.left);
        w("txtKihon1")->setText(c.firstComponent);
        leave(c.left);
        EXPECT_EQ(text("txtKihonSum"), c.sum);
    }
    EXPECT_TRUE(dialogs.calls.isEmpty()) << dialogs.texts().join('|').toStdString();
}

TEST_F(RegisterScreen, PicturesFromThePictureFolderOnly)
{
    AddRow(1, QStringLiteral("社員1"), 1);
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(qRgb(10, 120, 200));
    QDir(folder.path("Picture")).mkpath("staff");
    ASSERT_TRUE(image.save(folder.path("Picture/staff/a.jpg"), "JPG"));
    ASSERT_TRUE(image.save(folder.path("Picture/b.bmp"), "BMP"));
    ASSERT_TRUE(image.save(folder.path("outside.jpg"), "JPG"));
    TPX0030& s = open();
    auto* picture = w<QLabel>("Image1");

    dialogs.files = {folder.path("Picture/staff/a.jpg")};
    click("btnPicter");
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].caption, QStringLiteral("画像ファイルの選択"));
    EXPECT_EQ(dialogs.calls[0].text, App().ExeFolder + QStringLiteral("Picture/|JPEGファイル(*.jpg)|*.jpg|BMPファイル(*.bmp)|*.bmp"));
    EXPECT_EQ(s.pictureName(), "staff/a.jpg");
    EXPECT_FALSE(picture->pixmap().isNull());
    EXPECT_TRUE(s.isDirty());
    s.btnMntClick();
    EXPECT_EQ(db("SELECT SPATH FROM MSYAIN2 WHERE SCO = 1"), "staff/a.jpg");

    dialogs.files = {folder.path("Picture/b.bmp")};
    click("btnPicter");
    EXPECT_EQ(s.pictureName(), "b.bmp");
    EXPECT_FALSE(picture->pixmap().isNull());

    dialogs.clear();
    for (const QString& outside : {folder.path("outside.jpg"), folder.path("Picture/../outside.jpg")}) {
        dialogs.files = {outside};
        click("btnPicter");
        EXPECT_TRUE(dialogs.saw(QStringLiteral("フォルダが変更されました。表示されたフォルダ内で選択して下さい。")));
        EXPECT_EQ(s.pictureName(), "");
        EXPECT_TRUE(picture->pixmap().isNull());
    }
    s.btnMntClick();
    EXPECT_EQ(db("SELECT SPATH FROM MSYAIN2 WHERE SCO = 1"), "");

    // A stored picture is shown again; a cancelled dialog removes it.
    Exec(folder.fdm().ACN2, "UPDATE MSYAIN2 SET SPATH = 'b.bmp' WHERE SCO = 1");
    s.optTokyuClick(0);
    EXPECT_EQ(s.pictureName(), "b.bmp");
    EXPECT_FALSE(picture->pixmap().isNull());
    click("btnPicter");
    EXPECT_EQ(s.pictureName(), "");
    EXPECT_TRUE(picture->pixmap().isNull());
}

TEST_F(RegisterScreen, MatrixLinkedEmployeesGetTheirZoneWhenTheListLoads)
{
    DbConnection& cn = folder.fdm().ACN2;
    Exec(cn, "INSERT INTO YHYOUKA VALUES (1, 2024, 1, 'S')");
    Exec(cn, "INSERT INTO MATRIXID VALUES (1, 2024, 10, 'M', '', 2)");
    Exec(cn, "INSERT INTO MATRIXCELL VALUES (1, 2024, 10, 1, 4, 3, 0, 0, 0)");
    Exec(cn, "INSERT INTO BANDM VALUES (1, 2024, 1, '一般', '', 10, 'T', 1, 0, 0, 0, 0, 0, "
             "10000, 25000, 25000, 40000, 0, 0, 0, 0, 0, 0)");
    AddRow(1, QStringLiteral("社員1"), 1);
    AddRow(2, QStringLiteral("社員2"), 1);
    Exec(cn, "UPDATE MSYAIN1 SET MLINK = 2, BANDID = 1, YHYOUKA = 1 WHERE SCO = 1");   // KKYU2 30,000: zone 2
    TPX0030& s = open();
    EXPECT_EQ(grid()->cell(10, 1), "2");
    EXPECT_EQ(grid()->cell(10, 2), "0");
    EXPECT_EQ(db("SELECT ZONEX FROM MSYAIN2 WHERE SCO = 1"), "2");
    EXPECT_EQ(text("txtZone"), "2");
    EXPECT_EQ(text("txtUPRitsu"), "3.00%");
    EXPECT_EQ(listText("cmbBand"), QStringLiteral("1 : 一般"));
    EXPECT_EQ(listText("cmbYHyouka"), QStringLiteral("1 : S"));

    // A save leaves the employee unlinked, keeping band and role evaluation.
    s.btnMntClick();
    EXPECT_EQ(db("SELECT MLINK || '/' || BANDID || '/' || YHYOUKA FROM MSYAIN1 WHERE SCO = 1"), "0/1/1");
    EXPECT_EQ(db("SELECT ZONEX FROM MSYAIN2 WHERE SCO = 1"), "0");
}

} // namespace

TEST_F(RegisterScreen, ATenDigitCodeIsOutOfRangeAndADeletionLeavesNothingCurrent)
{
    for (int code : {1, 2, 3})
        AddRow(code, QStringLiteral("社員%1").arg(code), 1);
    TPX0030& s = open();
    for (const char* code : {"2147483648", "9999999999", "-2147483649"}) {
        SCOPED_TRACE(code);
        dialogs.clear();
        w<QComboBox>("cmbWorker")->setEditText(QString::fromLatin1(code));
        EXPECT_FALSE(s.cmbWorkerExit());
        EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("入力範囲外です。")});
    }
    dialogs.clear();
    w<QComboBox>("cmbWorker")->setEditText("12x");
    EXPECT_FALSE(s.cmbWorkerExit());
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("数値を入力して下さい。")});

    // Delete the last employee shown: the form is empty, so nothing is counted as current
    // and no grid row is highlighted.
    s.btnLastClick();
    EXPECT_EQ(text("txtCureentNo"), "3");
    dialogs.clear();
    dialogs.answers = {true};
    s.btnDltClick();
    EXPECT_EQ(db("SELECT COUNT(*) FROM MSYAIN1"), "2");
    EXPECT_EQ(text("txtWorkName"), "");
    EXPECT_EQ(text("txtCureentNo"), "");
    EXPECT_EQ(text("txtLastNo"), "2");
    EXPECT_EQ(grid()->highlightedRow(), -1);
    EXPECT_EQ(s.position(), 0);
}

TEST_F(RegisterScreen, TheHeadingsStayInViewAndNavigationScrollsToTheEmployee)
{
    for (int code = 1; code <= 60; ++code)
        AddRow(code, QStringLiteral("社員%1").arg(code), 1 + code % 3);
    TPX0030& s = open();
    s.show();
    QApplication::processEvents();
    TStringGrid* g = grid();
    auto rowInView = [g](int row) {
        const QRect r = g->visualItemRect(g->item(row, 1));
        return r.isValid() && r.top() >= 0 && r.bottom() <= g->viewport()->height();
    };
    auto headingsShown = [g] {
        return g->horizontalHeader()->isVisible() && g->horizontalHeader()->height() > 0
               && g->model()->headerData(1, Qt::Horizontal).toString() == QStringLiteral("社員ｺｰﾄﾞ")
               && g->model()->headerData(3, Qt::Horizontal).toString() == g->cell(3, 0);
    };
    EXPECT_TRUE(headingsShown());
    EXPECT_TRUE(g->isRowHidden(0));   // shown as the header instead

    s.btnLastClick();
    QApplication::processEvents();
    EXPECT_EQ(g->highlightedRow(), 60);
    EXPECT_TRUE(rowInView(60));
    EXPECT_TRUE(headingsShown());

    s.btnFirstClick();
    QApplication::processEvents();
    EXPECT_TRUE(rowInView(1));

    // A grade filter, a cancel and a save reload the list: the headings stay.
    s.optTokyuClick(2);
    EXPECT_TRUE(headingsShown());
    EXPECT_TRUE(g->isRowHidden(0));
    s.btnLastClick();
    EXPECT_TRUE(rowInView(g->highlightedRow()));
    s.btnCancelClick();
    EXPECT_TRUE(headingsShown());
    s.optTokyuClick(0);
    s.btnLastClick();
    s.btnMntClick();
    QApplication::processEvents();
    EXPECT_TRUE(headingsShown());
    EXPECT_TRUE(rowInView(60));
}
