// The company list (TPX0010) and the company master (TPX0020) driven as a user would.
#include "projects/Companies.h"
#include "projects/screens/TPX0010.h"
#include "projects/screens/TPX0020.h"
#include "shell/screens/AppState.h"
#include "core/CodeLists.h"
#include "shell/screens/MainWindowLink.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/StringGrid.h"
#include "support/screens/ScriptedDialogs.h"
#include "support/TestProgramFolder.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

namespace {

template <class T>
T* Child(QWidget& w, const char* name)
{
    T* c = w.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

QStringList Items(QComboBox& box)
{
    QStringList out;
    for (int i = 0; i < box.count(); ++i)
        out << box.itemText(i);
    return out;
}

class CompanyScreens : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetCurrentDateForTesting(QDate(2026, 12, 8));
        App().refreshToday();
        RegisterMainWindow({[this](bool noCompany) { menuCalls << noCompany; },
                            [this](const QString& caption) { captions << caption; }});
        SetModalHookForTesting([this](QDialog& d) {
            shown << d.objectName();
            if (onShow) {
                const auto run = onShow;
                run(d);
            }
            return d.result();
        });
    }

    void TearDown() override
    {
        SetModalHookForTesting({});
        RegisterMainWindow({});
        SetCurrentDateForTesting(QDate());
    }

    // A company registered the way the master registers it.
    void AddCompany(int code, int year, const QString& name)
    {
        folder.openYear(year);
        CompanyMasterInput in;
        in.code = QString::number(code);
        in.year = QString::number(year);
        in.name = name;
        for (int i = 0; i < 9; ++i)
            in.gradeNames[i] = QStringLiteral("等級") + QString::number(i + 1);
        in.hours = QStringLiteral("8");
        in.days = QStringLiteral("20");
        in.monthlyHours = QStringLiteral("160");
        in.minimumWage = QStringLiteral("1050");
        ASSERT_TRUE(RegisterCompany(folder.session(), in, QDate(2026, 4, 1)));
    }

    // The list as the main window shows it in a mode, with the year chosen from the box.
    TPX0010& OpenList(int mode, std::optional<int> year = std::nullopt)
    {
        App().ListMode = mode;
        list = std::make_unique<TPX0010>();
        QObject::connect(list.get(), &QDialog::finished, [this](int r) { listClosed = r; });
        QObject::connect(&list->Master(), &QDialog::finished, [this](int r) { masterClosed = r; });
        list->SetUpForListMode(mode);
        list->Prepare();
        if (year)
            ChooseYear(*year);
        return *list;
    }

    void ChooseYear(int year)
    {
        QComboBox* box = Child<QComboBox>(*list, "cmbNendo");
        box->setCurrentIndex(box->findText(QString::number(year)));
    }

    TStringGrid& Grid() { return *Child<TStringGrid>(*list, "Grid"); }
    TPX0020& Master() { return list->Master(); }

    ScriptedDialogs dialogs;
    TestProgramFolder folder;
    std::unique_ptr<TPX0010> list;
    QList<bool> menuCalls;
    QStringList captions;
    QStringList shown;
    std::function<void(QDialog&)> onShow;
    std::optional<int> listClosed;
    std::optional<int> masterClosed;
};

// ---------------------------------------------------------------- the list

TEST_F(CompanyScreens, PreparationFillsTheYearBoxTheGridAndTheNote)
{
    TPX0010& l = OpenList(4);
    QComboBox* box = Child<QComboBox>(l, "cmbNendo");
    ASSERT_EQ(box->count(), 24);
    EXPECT_EQ(box->itemText(0), "2004");
    EXPECT_EQ(box->itemText(23), "2027");
    EXPECT_EQ(box->currentText(), "2026");
    EXPECT_EQ(App().FiscalYear, 2026);
    EXPECT_EQ(l.size(), QSize(750, 500));
    EXPECT_EQ(l.windowTitle(), QStringLiteral("企業　選択"));

    TStringGrid& g = Grid();
    EXPECT_EQ(g.colCount(), 4);
    EXPECT_EQ(g.rowCount(), 2);   // the headings and one empty row
    EXPECT_EQ(g.cell(1, 0), QStringLiteral("企業ｺｰﾄﾞ"));
    EXPECT_EQ(g.cell(2, 0), QStringLiteral("企　業　名"));
    EXPECT_EQ(g.cell(3, 0), QStringLiteral("パス名"));
    EXPECT_EQ(g.cell(1, 1), QString());
    const int widths[] = {30, 60, 250, 200};
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(g.columnWidth(c), widths[c]);

    QLabel* info = Child<QLabel>(l, "Lbl_Info");
    EXPECT_EQ(info->text(), QStringLiteral("サンプル企業は2018～2020年度に収録しています"));
    EXPECT_EQ(info->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(info->palette().color(QPalette::Window), QColor(Qt::darkGray));
    EXPECT_TRUE(info->autoFillBackground());
}

TEST_F(CompanyScreens, EachListModeHasItsCaptionAndOneButton)
{
    const struct {
        int mode;
        const char* caption;
        const char* usable;
        const char* buttonText;
    } cases[] = {
        {1, "企業　登録", "btnAdd", "登録"},
        {2, "企業　変更", "btnMnt", "修正"},
        {3, "企業　削除", "btnDlt", "削除"},
        {4, "企業　選択", "btnAdd", "選択"},
    };
    TPX0010 l;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        l.SetUpForListMode(c.mode);
        EXPECT_EQ(l.windowTitle(), QString::fromUtf8(c.caption));
        for (const char* name : {"btnAdd", "btnMnt", "btnDlt"})
            EXPECT_EQ(Child<QPushButton>(l, name)->isEnabled(), QByteArray(name) == c.usable) << name;
        EXPECT_EQ(Child<QPushButton>(l, c.usable)->text(), QString::fromUtf8(c.buttonText));
        EXPECT_TRUE(Child<QPushButton>(l, "btnClose")->isEnabled());
    }
}

TEST_F(CompanyScreens, ClicksOnHeadingsOrRowNumbersLeaveTheSelection)
{
    AddCompany(3, 2024, QStringLiteral("三社"));
    AddCompany(4, 2024, QStringLiteral("四社"));
    AddCompany(5, 2025, QStringLiteral("翌年の会社"));
    TPX0010& l = OpenList(4, 2024);
    ASSERT_EQ(Grid().rowCount(), 3);
    EXPECT_EQ(Grid().cell(0, 2), "2");
    EXPECT_EQ(Grid().cell(3, 2), App().DataFolder);
    EXPECT_EQ(l.SelectedCode(), 3);
    EXPECT_EQ(l.SelectedName(), QStringLiteral("三社"));
    EXPECT_EQ(l.MaxCompanyCode(), 5);

    for (const auto& [col, row] : {std::pair{2, 0}, std::pair{0, 2}, std::pair{5, 2}, std::pair{1, 7}}) {
        l.GridClick(col, row);
        EXPECT_EQ(l.SelectedCode(), 3) << col << "," << row;
        EXPECT_EQ(l.CurrentRow(), 1);
        EXPECT_EQ(Grid().highlightedRow(), 1);
    }

    l.GridClick(2, 2);
    EXPECT_EQ(l.SelectedCode(), 4);
    EXPECT_EQ(l.SelectedName(), QStringLiteral("四社"));
    EXPECT_EQ(l.SelectedPath(), App().DataFolder);
    EXPECT_EQ(l.CurrentRow(), 2);
    EXPECT_EQ(Grid().highlightedRow(), 2);
    EXPECT_EQ(Child<QLineEdit>(l, "Edit1")->text(), "4");
    EXPECT_EQ(Child<QLineEdit>(l, "Edit2")->text(), QStringLiteral("四社"));
    EXPECT_FALSE(Child<QLineEdit>(l, "Edit1")->isVisibleTo(&l));
    // The chosen row is painted blue with white text, the others not.
    EXPECT_EQ(Grid().item(2, 2)->background().color(), QColor(Qt::blue));
    EXPECT_EQ(Grid().item(2, 2)->foreground().color(), QColor(Qt::white));
    EXPECT_EQ(Grid().item(1, 2)->background().color(), QColor(Qt::white));
}

TEST_F(CompanyScreens, ATypedYearMakesTheButtonsDoNothingUntilOneIsChosen)
{
    AddCompany(3, 2024, QStringLiteral("三社"));
    TPX0010& l = OpenList(4, 2024);
    ASSERT_EQ(App().FiscalYear, 2024);
    QComboBox* box = Child<QComboBox>(l, "cmbNendo");
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), "2019");
    EXPECT_EQ(App().FiscalYear, 0);

    for (int mode : {4, 2, 3, 1}) {
        App().ListMode = mode;
        l.SetUpForListMode(mode);
        l.btnAddClick();
        l.btnMntClick();
        l.btnDltClick();
    }
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_FALSE(listClosed);
    EXPECT_FALSE(QFileInfo::exists(folder.dataPath("2019")));

    ChooseYear(2024);
    EXPECT_EQ(App().FiscalYear, 2024);
    EXPECT_EQ(l.SelectedCode(), 3);
}

// A year typed into the box and confirmed with Enter loads like a year chosen from the list;
// choosing the year already shown loads it again; an empty year shows no chosen row.
TEST_F(CompanyScreens, AYearTypedAndConfirmedOrChosenAgainIsLoaded)
{
    AddCompany(3, 2024, QStringLiteral("三社"));
    TPX0010& l = OpenList(4);
    l.show();
    l.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&l));
    QComboBox* box = Child<QComboBox>(l, "cmbNendo");
    box->setFocus();
    EXPECT_TRUE(Grid().selectedItems().isEmpty());
    EXPECT_EQ(Grid().currentRow(), -1);

    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), "2024");
    EXPECT_EQ(App().FiscalYear, 0);   // typing alone chooses nothing
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(App().FiscalYear, 2024);
    EXPECT_EQ(Grid().cell(2, 1), QStringLiteral("三社"));
    EXPECT_EQ(l.SelectedCode(), 3);

    // A company registered meanwhile shows when the same year is chosen again.
    AddCompany(4, 2024, QStringLiteral("四社"));
    emit box->activated(box->currentIndex());
    EXPECT_EQ(Grid().cell(2, 2), QStringLiteral("四社"));

    // A year the list does not offer stays unchosen.
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), "1999");
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(App().FiscalYear, 0);
}

// ---------------------------------------------------------------- registering

TEST_F(CompanyScreens, RegisteringProposesTheCodeAfterTheLargestOfAllYears)
{
    const struct {
        const char* name;
        QList<std::pair<int, int>> existing;   // (code, year)
        int proposed;
    } cases[] = {
        {"no company at all", {}, 1},
        {"1, 2 and 7 in various years", {{1, 2018}, {7, 2020}, {2, 2024}}, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Exec(folder.fdm().ACN1, "DELETE FROM MKIGYOU1");
        for (const auto& [code, year] : c.existing)
            AddCompany(code, year, QStringLiteral("既存"));
        QString proposed, year;
        onShow = [&](QDialog& d) {
            proposed = Child<QLineEdit>(d, "txtCorpID")->text();
            year = Child<QLineEdit>(d, "txtNendo")->text();
        };
        TPX0010& l = OpenList(1, 2019);
        l.btnAddClick();
        EXPECT_EQ(proposed, QString::number(c.proposed));
        EXPECT_EQ(year, "2019");
        EXPECT_EQ(App().OpenCompanyCode, c.proposed);
    }
}

TEST_F(CompanyScreens, RegisteringTheFirstCompanyOfAYearCreatesItsDatabase)
{
    AddCompany(1, 2018, QStringLiteral("サンプル"));
    TPX0010& l = OpenList(1, 2019);
    ASSERT_FALSE(QFileInfo::exists(folder.dataPath("2019")));

    onShow = [&](QDialog& d) {
        EXPECT_EQ(d.objectName(), "TPX0020");
        EXPECT_EQ(d.windowTitle(), QStringLiteral("企業データ"));
        EXPECT_EQ(d.parentWidget(), &l);   // shown above the list
        QPushButton* add = Child<QPushButton>(d, "btnAdd");
        EXPECT_TRUE(add->isEnabled());
        EXPECT_EQ(add->text(), QStringLiteral("登録"));
        for (const char* other : {"btnMnt", "btnDlt"}) {
            EXPECT_FALSE(Child<QPushButton>(d, other)->isEnabled());
            EXPECT_EQ(Child<QPushButton>(d, other)->text(), QString());
        }
        EXPECT_EQ(Child<QLineEdit>(d, "txtTokyu1")->text(), QStringLiteral("第１等級"));
        EXPECT_EQ(Child<QComboBox>(d, "cmbModelCode")->currentText(), NoneItem);
        Child<QLineEdit>(d, "txtCorpName")->setText(QStringLiteral("新会社"));
        Child<QLineEdit>(d, "txtSyoteiMM")->setText(QStringLiteral("1,60"));
        static_cast<TPX0020&>(d).btnAddClick();
    };
    l.btnAddClick();

    EXPECT_EQ(shown, QStringList{"TPX0020"});
    EXPECT_TRUE(QFileInfo::exists(folder.dataPath("2019/DATA.MDB")));
    TFDM& fdm = folder.fdm();
    EXPECT_EQ(fdm.ACN2.path(), folder.dataPath("2019/DATA.MDB"));
    EXPECT_EQ(Scalar(fdm.ACN1, "SELECT KCO || ' ' || KNA || ' ' || SDATE || ' ' || FNK || ' ' || KDATE || ' ' || REKI"
                               " || ' ' || SYOTEIMM FROM MKIGYOU1 WHERE NENDO = 2019"),
              QStringLiteral("2 新会社 20191208 9 20090401 0 160.0"));
    EXPECT_EQ(Scalar(fdm.ACN2, "SELECT count(*) FROM MMARK WHERE KCO = 2 AND NENDO = 2019"), "9");
    EXPECT_EQ(Scalar(fdm.ACN2, "SELECT count(*) FROM MGRAPH WHERE KCO = 2 AND NENDO = 2019"), "4");
    EXPECT_TRUE(masterClosed.has_value());
    ASSERT_FALSE(menuCalls.isEmpty());
    EXPECT_TRUE(menuCalls.last());   // no company open
    EXPECT_FALSE(listClosed);

    // The list, prepared again, stays on the year and shows the new company.
    EXPECT_EQ(App().FiscalYear, 2019);
    EXPECT_EQ(Child<QComboBox>(l, "cmbNendo")->currentText(), "2019");
    EXPECT_EQ(Grid().cell(2, 1), QStringLiteral("新会社"));

    // A second registration of that year uses the existing file, never a new copy.
    onShow = [&](QDialog& d) {
        EXPECT_EQ(Child<QLineEdit>(d, "txtCorpID")->text(), "3");
        Child<QLineEdit>(d, "txtCorpName")->setText(QStringLiteral("二番目"));
        static_cast<TPX0020&>(d).btnAddClick();
    };
    l.btnAddClick();
    EXPECT_EQ(Scalar(fdm.ACN2, "SELECT group_concat(KNA, ',') FROM (SELECT KNA FROM MKIGYOU2 ORDER BY KCO)"),
              QStringLiteral("新会社,二番目"));
    EXPECT_EQ(Grid().cell(2, 2), QStringLiteral("二番目"));
    SqliteConnection templ;
    ASSERT_TRUE(templ.open(folder.dataPath("DATA.MDB")));
    EXPECT_EQ(Scalar(templ, "SELECT count(*) FROM MKIGYOU2"), "0");
    EXPECT_EQ(Scalar(templ, "SELECT count(*) FROM MMARK"), "0");
    EXPECT_TRUE(dialogs.calls.isEmpty()) << dialogs.texts().join('\n').toStdString();
}

TEST_F(CompanyScreens, ACompanyNameIsRequiredTrimmedAndLimitedTo60Bytes)
{
    TPX0010& l = OpenList(1, 2024);
    l.btnAddClick();   // the master, prepared, waits for input
    TPX0020& m = Master();
    QLineEdit* name = Child<QLineEdit>(m, "txtCorpName");
    TFDM& fdm = folder.fdm();

    for (const char* typed : {"", "　 "}) {
        dialogs.clear();
        name->setText(QString::fromUtf8(typed));
        m.btnAddClick();
        EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("企業名称は必ず入力してください。")});
        EXPECT_EQ(Scalar(fdm.ACN1, "SELECT count(*) FROM MKIGYOU1"), "0");
        EXPECT_FALSE(masterClosed);
    }

    // Typing stops at 60 bytes of Shift-JIS: thirty full-width characters.
    const auto type = [](QLineEdit* field, QChar ch, int times) {
        field->clear();
        for (int i = 0; i < times; ++i)
            field->insert(QString(ch));   // validated like a key press
    };
    type(name, QChar(0x3042), 31);
    EXPECT_EQ(name->text(), QString(30, QChar(0x3042)));
    type(name, QChar('a'), 61);
    EXPECT_EQ(name->text().size(), 60);
    QLineEdit* grade = Child<QLineEdit>(m, "txtTokyu1");
    type(grade, QChar(0x3042), 16);
    EXPECT_EQ(grade->text().size(), 15);

    dialogs.clear();
    name->setText(QStringLiteral("  株式会社　空白  "));
    m.btnAddClick();
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_EQ(Scalar(fdm.ACN1, "SELECT KNA FROM MKIGYOU1"), QStringLiteral("株式会社　空白"));
    EXPECT_EQ(Scalar(fdm.ACN2, "SELECT KNA FROM MKIGYOU2"), QStringLiteral("株式会社　空白"));
}

TEST_F(CompanyScreens, WorkingTimeFieldsMustHoldNumbers)
{
    TPX0010& l = OpenList(1, 2024);
    l.btnAddClick();
    TPX0020& m = Master();
    QLineEdit* hours = Child<QLineEdit>(m, "txtSyoteiHH");
    const struct {
        const char* typed;
        bool accepted;
    } cases[] = {{"abc", false}, {"-1", false}, {"8,5", true}, {"", true}, {"7.5", true}, {"1-", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        dialogs.clear();
        m.Prepare();
        hours->setText(QString::fromUtf8(c.typed));
        EXPECT_EQ(m.txtSyoteiHHExit(hours), c.accepted);
        EXPECT_TRUE(m.Dirty());
        EXPECT_EQ(dialogs.texts(), c.accepted ? QStringList() : QStringList{QStringLiteral("数値を入力して下さい。")});
    }
    EXPECT_EQ(Child<QLineEdit>(m, "txtSyoteiDD")->maxLength(), 5);
    EXPECT_EQ(Child<QLineEdit>(m, "txtSaichin")->maxLength(), 6);

    // A bad number that was never left still stops the registration.
    dialogs.clear();
    Child<QLineEdit>(m, "txtCorpName")->setText(QStringLiteral("会社"));
    Child<QLineEdit>(m, "txtSaichin")->setText(QStringLiteral("千円"));
    m.btnAddClick();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("数値を入力して下さい。")});
    EXPECT_EQ(Scalar(folder.fdm().ACN1, "SELECT count(*) FROM MKIGYOU1"), "0");
}

TEST_F(CompanyScreens, LeavingABadNumberFieldBringsTheFocusBack)
{
    TPX0020 m;
    App().ListMode = 1;
    folder.openYear(2024);
    m.SetCompany(2024, 1);
    m.Prepare();
    m.show();
    m.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
    QLineEdit* hours = Child<QLineEdit>(m, "txtSyoteiHH");
    QLineEdit* days = Child<QLineEdit>(m, "txtSyoteiDD");
    hours->setFocus();
    hours->selectAll();
    QTest::keyClicks(hours, "x");
    QTest::keyClick(hours, Qt::Key_Return);   // Enter moves on, the check sends it back
    QTest::qWait(20);
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("数値を入力して下さい。")});
    EXPECT_EQ(QApplication::focusWidget(), hours);

    dialogs.clear();
    hours->setText(QStringLiteral("8"));
    QTest::keyClick(hours, Qt::Key_Return);
    QTest::qWait(20);
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), days);
    m.hide();
}

// ---------------------------------------------------------------- selecting

TEST_F(CompanyScreens, SelectingOpensTheProjectAndClosesTheList)
{
    AddCompany(3, 2024, QStringLiteral("三社"));
    AddCompany(4, 2024, QStringLiteral("四社"));
    TFDM& fdm = folder.fdm();
    Exec(fdm.ACN1, "UPDATE MKIGYOU1 SET FNK = 0, KDATE = 20240401 WHERE KCO = 4");
    Exec(fdm.ACN2, "INSERT INTO YHYOUKA VALUES (4, 2024, 1, 'S')");
    TPX0010& l = OpenList(4, 2024);
    l.GridClick(2, 2);
    l.btnAddClick();

    EXPECT_TRUE(dialogs.calls.isEmpty()) << dialogs.texts().join('\n').toStdString();
    ASSERT_TRUE(listClosed.has_value());
    EXPECT_EQ(*listClosed, QDialog::Accepted);
    EXPECT_TRUE(App().CompanyOpen);
    EXPECT_EQ(App().OpenCompanyCode, 4);
    EXPECT_EQ(App().CompanyName, QStringLiteral("四社"));
    EXPECT_EQ(App().AgeByToday, 0);
    EXPECT_EQ(App().ReferenceDate, 20240401);
    EXPECT_EQ(App().CalendarMode, 0);
    EXPECT_EQ(Project().CurrentCompany.KCO, "4");
    EXPECT_EQ(Project().CurrentCompany.TK[0], QStringLiteral("等級1"));
    EXPECT_EQ(Project().CurrentCompany.SAITEI, 1050);
    EXPECT_EQ(Project().Marks[4].MARK, QStringLiteral("★"));
    ASSERT_EQ(Project().EvaluationSymbols.size(), 1);
    EXPECT_EQ(Project().EvaluationSymbols[0].HKIGOU, "S");
    ASSERT_FALSE(captions.isEmpty());
    EXPECT_EQ(captions.last(), QStringLiteral("【　2024 年度  :  四社　】 Wageloom賃金Slim Free版"));
    ASSERT_FALSE(menuCalls.isEmpty());
    EXPECT_FALSE(menuCalls.last());   // the menu rule with a company open
}

TEST_F(CompanyScreens, SelectingKeepsTheListOpenWhenSomethingIsMissing)
{
    AddCompany(3, 2024, QStringLiteral("三社"));
    TFDM& fdm = folder.fdm();
    Exec(fdm.ACN2, "DELETE FROM MKIGYOU2");
    Exec(fdm.ACN1, "INSERT INTO MKIGYOU1 VALUES (5, 2022, '五社', '', 20220401, 9, 20090401, 0, 0, 0, 0, 0)");
    const struct {
        const char* name;
        int year;
        const char* message;
    } cases[] = {
        {"no company master", 2024, "企業マスターが存在しません。"},
        {"no year database", 2022, "必要なデータベースが存在しません。"},
        {"a year without companies", 2010, "企業コードが選択されていません。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.clear();
        ResetAppState();
        TPX0010& l = OpenList(4, c.year);
        l.btnAddClick();
        EXPECT_EQ(dialogs.texts(), QStringList{QString::fromUtf8(c.message)});
        EXPECT_FALSE(listClosed);
        EXPECT_FALSE(App().CompanyOpen);
        EXPECT_EQ(App().OpenCompanyCode, 0);
        EXPECT_TRUE(captions.isEmpty());
    }
    EXPECT_EQ(Grid().rowCount(), 2);
    EXPECT_EQ(Grid().cell(1, 1), QString());

    // Closed now, the list leaves no mode behind, so registering can start.
    App().ListMode = 4;
    list->btnCloseClick();
    EXPECT_EQ(App().ListMode, 0);
    EXPECT_TRUE(listClosed.has_value());
    EXPECT_TRUE(menuCalls.last());
}

// ---------------------------------------------------------------- changing

class CompanyChange : public CompanyScreens {
protected:
    void SetUp() override
    {
        CompanyScreens::SetUp();
        AddCompany(3, 2024, QStringLiteral("三社"));
        TFDM& fdm = folder.fdm();
        Exec(fdm.ACN1, "INSERT INTO MDEL (MDCO, MDNA) VALUES (2, '全国モデル'), (1, '地域モデル')");
        Exec(fdm.ACN2, "INSERT INTO MSEIKEI (KCO, NENDO, SKCO, SNIN, SNENREI, DEDOKORO) VALUES "
                       "(9, 2024, 5, 1, 20, '総務省'), (9, 2024, 5, 2, 20, '別の行'), (9, 2024, 6, 1, 20, '県')");
        OpenList(2, 2024).btnMntClick();
    }
};

TEST_F(CompanyChange, TheMasterShowsTheCompanyAndWritesTheChange)
{
    TPX0020& m = Master();
    EXPECT_EQ(shown, QStringList{"TPX0020"});
    EXPECT_TRUE(Child<QPushButton>(m, "btnMnt")->isEnabled());
    EXPECT_FALSE(Child<QPushButton>(m, "btnAdd")->isEnabled());
    EXPECT_EQ(Child<QLineEdit>(m, "txtCorpID")->text(), "3");
    EXPECT_EQ(Child<QLineEdit>(m, "txtCorpName")->text(), QStringLiteral("三社"));
    EXPECT_EQ(Child<QLineEdit>(m, "txtTokyu9")->text(), QStringLiteral("等級9"));
    EXPECT_EQ(Child<QLineEdit>(m, "txtSaichin")->text(), "1050");
    QComboBox* model = Child<QComboBox>(m, "cmbModelCode");
    QComboBox* living = Child<QComboBox>(m, "cmbLivingCode");
    EXPECT_EQ(Items(*model), (QStringList{QStringLiteral("1 : 地域モデル"), QStringLiteral("2 : 全国モデル")}));
    EXPECT_EQ(Items(*living), (QStringList{QStringLiteral("5 : 総務省"), QStringLiteral("6 : 県")}));
    EXPECT_EQ(model->currentText(), NoneItem);   // code 0 means none
    EXPECT_FALSE(m.Dirty());

    Child<QLineEdit>(m, "txtCorpName")->setText(QStringLiteral("三社ホールディングス"));
    model->setCurrentIndex(1);
    living->setEditText(QStringLiteral("6"));
    EXPECT_TRUE(m.cmbLivingCodeExit());
    EXPECT_EQ(living->currentText(), QStringLiteral("6 : 県"));
    Child<QLineEdit>(m, "txtSyoteiHH")->setText(QStringLiteral("7.5"));
    m.btnMntClick();

    EXPECT_TRUE(dialogs.calls.isEmpty()) << dialogs.texts().join('\n').toStdString();
    EXPECT_FALSE(masterClosed);   // the master stays open after a change
    EXPECT_FALSE(m.Dirty());
    TFDM& fdm = folder.fdm();
    EXPECT_EQ(Scalar(fdm.ACN1, "SELECT KNA || ' ' || SYOTEIHH FROM MKIGYOU1 WHERE KCO = 3"),
              QStringLiteral("三社ホールディングス 7.5"));
    EXPECT_EQ(Scalar(fdm.ACN2, "SELECT KNA || ' ' || MDCO || ' ' || SKCO FROM MKIGYOU2 WHERE KCO = 3"),
              QStringLiteral("三社ホールディングス 2 6"));
    EXPECT_EQ(model->currentText(), QStringLiteral("2 : 全国モデル"));

    // Closing unchanged asks nothing; the list beneath shows the new name.
    m.btnCloseClick();
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_TRUE(masterClosed.has_value());
    EXPECT_EQ(Grid().cell(2, 1), QStringLiteral("三社ホールディングス"));
    EXPECT_FALSE(listClosed);
}

TEST_F(CompanyChange, ChangingNeedsBothCodesAndAName)
{
    TPX0020& m = Master();
    TFDM& fdm = folder.fdm();
    const QString before = Scalar(fdm.ACN2, "SELECT KNA || MDCO || SKCO FROM MKIGYOU2");
    const struct {
        const char* model;
        const char* living;
        const char* name;
        const char* message;
    } cases[] = {
        {" ", "0 : なし", "三社", "モデルコードを入力して下さい。"},
        {"0 : なし", "", "三社", "生計費コードを入力して下さい。"},
        {"2", "5", "", "企業名称は必ず入力してください。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        dialogs.clear();
        Child<QComboBox>(m, "cmbModelCode")->setEditText(QString::fromUtf8(c.model));
        Child<QComboBox>(m, "cmbLivingCode")->setEditText(QString::fromUtf8(c.living));
        Child<QLineEdit>(m, "txtCorpName")->setText(QString::fromUtf8(c.name));
        m.btnMntClick();
        EXPECT_EQ(dialogs.texts(), QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(Scalar(fdm.ACN2, "SELECT KNA || MDCO || SKCO FROM MKIGYOU2"), before);
    }
}

TEST_F(CompanyChange, CodeListsAreCheckedWhenLeft)
{
    TPX0020& m = Master();
    QComboBox* model = Child<QComboBox>(m, "cmbModelCode");
    QComboBox* living = Child<QComboBox>(m, "cmbLivingCode");
    const struct {
        QComboBox* list;
        const char* typed;
        bool accepted;
        const char* shownAfter;
    } cases[] = {
        {model, "", false, ""},          // a model must be named
        {model, "abc", true, "abc"},     // any text passes
        {living, "", true, ""},
        {living, "x1", false, "x1"},
        {living, "5", true, "5 : 総務省"},
        {living, "7", true, "7 : 未登録"},
        {living, "0 : なし", true, "0 : なし"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        dialogs.clear();
        c.list->setEditText(QString::fromUtf8(c.typed));
        EXPECT_EQ(c.list == model ? m.cmbModelCodeExit() : m.cmbLivingCodeExit(), c.accepted);
        EXPECT_EQ(c.list->currentText(), QString::fromUtf8(c.shownAfter));
        EXPECT_EQ(dialogs.texts(), c.accepted ? QStringList() : QStringList{QStringLiteral("数値を入力して下さい。")});
    }
    // Typing is limited to six characters; list texts themselves are longer.
    living->setEditText(QString());
    living->lineEdit()->setFocus();
    QTest::keyClicks(living->lineEdit(), "12345678");
    EXPECT_EQ(living->currentText(), "123456");
}

TEST_F(CompanyChange, CloseAsksFirstWhenSomethingWasTyped)
{
    TPX0020& m = Master();
    Child<QLineEdit>(m, "txtTokyu2")->setText(QStringLiteral("主任"));
    ASSERT_TRUE(m.Dirty());
    const QString question = QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r【いいえ】:画面を閉じます。");

    dialogs.answers = {true};
    m.btnCloseClick();
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].caption, QStringLiteral("確認"));
    EXPECT_EQ(dialogs.calls[0].text, question);
    EXPECT_FALSE(masterClosed);

    // The window's own close asks the same.
    dialogs.answers = {true};
    m.reject();
    EXPECT_EQ(dialogs.calls.size(), 2);
    EXPECT_FALSE(masterClosed);

    const int refreshes = menuCalls.size();
    dialogs.answers = {false};
    m.btnCloseClick();
    EXPECT_TRUE(masterClosed.has_value());
    EXPECT_EQ(menuCalls.size(), refreshes + 1);
    EXPECT_TRUE(menuCalls.last());
    EXPECT_EQ(Scalar(folder.fdm().ACN2, "SELECT TK02 FROM MKIGYOU2"), QStringLiteral("等級2"));

    // Cancel brings the stored values back and clears the change.
    Child<QLineEdit>(m, "txtCorpName")->setText(QStringLiteral("別名"));
    m.btnCanselClick();
    EXPECT_EQ(Child<QLineEdit>(m, "txtCorpName")->text(), QStringLiteral("三社"));
    EXPECT_FALSE(m.Dirty());
}

// ---------------------------------------------------------------- deleting

TEST_F(CompanyScreens, DeletingAsksRemovesTheCompanyAndRefreshesTheList)
{
    AddCompany(3, 2024, QStringLiteral("三社"));
    AddCompany(4, 2024, QStringLiteral("四社"));
    TFDM& fdm = folder.fdm();
    Exec(fdm.ACN2, "INSERT INTO MSYAIN1 (KCO, SCO, NENDO) VALUES (3, 1, 2024), (4, 1, 2024)");
    Exec(fdm.ACN2, "INSERT INTO MSYAIN2 (KCO, SCO, NENDO) VALUES (3, 1, 2024), (4, 1, 2024)");
    TPX0010& l = OpenList(3, 2024);
    l.btnDltClick();
    TPX0020& m = Master();
    EXPECT_TRUE(Child<QPushButton>(m, "btnDlt")->isEnabled());
    EXPECT_EQ(Child<QPushButton>(m, "btnDlt")->text(), QStringLiteral("削除"));
    EXPECT_EQ(Child<QLineEdit>(m, "txtCorpName")->text(), QStringLiteral("三社"));

    dialogs.answers = {false};
    m.btnDltClick();
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].caption, QStringLiteral("削除"));
    EXPECT_EQ(dialogs.calls[0].text, QStringLiteral("ﾃﾞｰﾀを削除しますか？\r【はい】:削除します。\r【いいえ】:戻ります。"));
    EXPECT_EQ(Scalar(fdm.ACN1, "SELECT count(*) FROM MKIGYOU1"), "2");
    EXPECT_FALSE(masterClosed);

    dialogs.clear();
    dialogs.answers = {true};
    m.btnDltClick();
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("企業マスター 【　2024　年度　3　:　三社　】 を削除しました。"));
    EXPECT_EQ(dialogs.calls.last().kind, "information");
    EXPECT_TRUE(masterClosed.has_value());
    EXPECT_EQ(Scalar(fdm.ACN1, "SELECT group_concat(KCO) FROM MKIGYOU1"), "4");
    EXPECT_EQ(Scalar(fdm.ACN2, "SELECT group_concat(KCO) FROM MSYAIN2"), "4");
    EXPECT_EQ(Scalar(fdm.ACN2, "SELECT count(*) FROM MMARK WHERE KCO = 3"), "0");
    EXPECT_TRUE(QFileInfo::exists(folder.dataPath("2024/DATA.MDB")));   // files are never deleted
    EXPECT_EQ(App().FiscalYear, 2024);
    EXPECT_EQ(Grid().cell(2, 1), QStringLiteral("四社"));
    EXPECT_EQ(l.SelectedCode(), 4);
}

TEST_F(CompanyScreens, DeletingWithoutACompanyDoesNothing)
{
    folder.openYear(2024);
    TPX0010& l = OpenList(3, 2024);
    l.btnDltClick();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("企業コードが選択されていません。")});
    EXPECT_EQ(dialogs.calls[0].kind, "warning");
    EXPECT_TRUE(shown.isEmpty());
}

} // namespace
