// TPX0070 against the real database files: shown settings, field rules, colours, saving.
#include "reference/PrintQString.h"
#include "reference/screens/TPX0070.h"
#include "shell/screens/AppState.h"
#include "shell/screens/MainWindowLink.h"
#include "support/screens/ScriptedDialogs.h"
#include "support/TestProject.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

class BasicSettingsScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        OpenTestProject(folder);
        screen.Prepare();
    }
    template <class W>
    W* field(const char* name)
    {
        W* w = screen.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString control(const QString& sql) { return Scalar(folder.fdm().ACN1, sql); }
    QString project(const QString& sql) { return Scalar(folder.fdm().ACN2, sql); }

    ScriptedDialogs dialogs;
    TestProgramFolder folder;
    TPX0070 screen;
};

} // namespace

TEST_F(BasicSettingsScreen, OpeningShowsTheStoredSettings)
{
    EXPECT_EQ(screen.windowTitle(), QStringLiteral("基本設定"));
    EXPECT_EQ(screen.size(), screen.minimumSize());
    EXPECT_EQ(screen.size(), screen.maximumSize());
    EXPECT_TRUE(field<QRadioButton>("optKeisan2")->isChecked());
    EXPECT_TRUE(field<QLineEdit>("txtKijunbi")->isEnabled());
    EXPECT_EQ(field<QLineEdit>("txtKijunbi")->text(), "2024.04.01");
    EXPECT_TRUE(field<QRadioButton>("optSeireki")->isChecked());
    EXPECT_EQ(field<QLineEdit>("txtNengou2")->text(), QStringLiteral("平成"));
    EXPECT_EQ(field<QLineEdit>("txtChgyy3")->text(), "2019");
    EXPECT_TRUE(field<QRadioButton>("optChg3")->isChecked());
    EXPECT_EQ(field<QLineEdit>("txtMark1")->text(), QStringLiteral("●"));
    EXPECT_EQ(field<QLineEdit>("txtHanrei4")->text(), QStringLiteral("課長"));
    EXPECT_EQ(field<QComboBox>("cmbMSize1")->currentText(), "10");
    EXPECT_EQ(field<QComboBox>("cmbSensyu6")->currentText(), QStringLiteral("1 : 破線"));
    EXPECT_EQ(field<QComboBox>("cmbSenHaba1")->currentText(), "2");
    EXPECT_EQ(field<QComboBox>("cmbGRSensyu3")->currentText(), QStringLiteral("2 : 点線"));
    EXPECT_EQ(screen.lineColor(3), 0xC0C0C0u);
    EXPECT_EQ(field<QLineEdit>("txtMark1")->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_FALSE(screen.isDirty());
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST_F(BasicSettingsScreen, ReferenceDateIsTakenAsTypedAndSaved)
{
    field<QLineEdit>("txtKijunbi")->setText("2001.4.1");
    EXPECT_TRUE(screen.txtKijunbiExit());
    EXPECT_EQ(field<QLineEdit>("txtKijunbi")->text(), "0020.01.41");
    EXPECT_TRUE(dialogs.calls.isEmpty());
    screen.btnAddClick();
    EXPECT_EQ(control("SELECT KDATE FROM MKIGYOU1 WHERE KCO = 1"), "200141");
    EXPECT_EQ(App().ReferenceDate, 200141);
    EXPECT_FALSE(screen.isDirty());
    EXPECT_TRUE(dialogs.calls.isEmpty());   // a save shows no message

    field<QLineEdit>("txtKijunbi")->setText("2001/4/1");
    EXPECT_FALSE(screen.txtKijunbiExit());
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("数値を入力してください。")});
}

TEST_F(BasicSettingsScreen, AgeByTodayKeepsTheDisabledDateAndSavesTheModes)
{
    field<QRadioButton>("optKeisan1")->setChecked(true);
    field<QRadioButton>("optWareki")->setChecked(true);
    EXPECT_FALSE(field<QLineEdit>("txtKijunbi")->isEnabled());
    EXPECT_EQ(field<QLineEdit>("txtKijunbi")->text(), "2024.04.01");
    EXPECT_TRUE(screen.isDirty());
    screen.btnAddClick();
    EXPECT_EQ(control("SELECT FNK || '/' || KDATE || '/' || REKI || '/' || KNA FROM MKIGYOU1 WHERE KCO = 1"),
              QStringLiteral("1/20240401/1/テスト株式会社"));
    EXPECT_EQ(App().AgeByToday, 1);
    EXPECT_EQ(App().CalendarMode, 1);
    // The main window's year text follows the calendar mode.
    EXPECT_TRUE(LastMainWindowCaption().startsWith(QStringLiteral("【　令和 06 年度  :  テスト株式会社")))
        << LastMainWindowCaption().toStdString();
}

TEST_F(BasicSettingsScreen, MarkSizesOutside8To18AreRefused)
{
    QComboBox* size = field<QComboBox>("cmbMSize2");
    for (const char* refused : {"7", "19"}) {
        size->setEditText(QString::fromLatin1(refused));
        EXPECT_FALSE(screen.cmbMSizeExit(2)) << refused;
    }
    EXPECT_EQ(dialogs.texts(), QStringList(2, QStringLiteral("入力範囲外です。")));

    // A refused size also stops a save before anything is written.
    dialogs.clear();
    field<QLineEdit>("txtHanrei2")->setText(QStringLiteral("変更"));
    screen.btnAddClick();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("入力範囲外です。")});
    EXPECT_EQ(project("SELECT HANREI FROM MMARK WHERE KCO = 1 AND MKCO = 2"), QStringLiteral("主任"));

    dialogs.clear();
    size->setEditText("13");
    EXPECT_TRUE(screen.cmbMSizeExit(2));
    screen.btnAddClick();
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_EQ(project("SELECT MKSIZE || HANREI FROM MMARK WHERE KCO = 1 AND MKCO = 2"), QStringLiteral("13変更"));
    EXPECT_EQ(Project().Marks[1].MKSIZE, 13);
}

TEST_F(BasicSettingsScreen, LineTypesAndWidthsMustBeListedCodes)
{
    field<QComboBox>("cmbSenHaba3")->setEditText("9");
    field<QLineEdit>("txtMark3")->setText(QStringLiteral("◎"));
    screen.btnAddClick();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("存在しないコードです。")});
    EXPECT_EQ(project("SELECT MARK FROM MMARK WHERE KCO = 1 AND MKCO = 3"), QStringLiteral("■"));

    dialogs.clear();
    field<QComboBox>("cmbSenHaba3")->setCurrentIndex(4);
    field<QComboBox>("cmbGRSensyu1")->setCurrentIndex(3);
    screen.btnAddClick();
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_EQ(project("SELECT MARK || KHABA FROM MMARK WHERE KCO = 1 AND MKCO = 3"), QStringLiteral("◎5"));
    EXPECT_EQ(project("SELECT CSYURUI FROM MGRAPH WHERE KCO = 1 AND GSCO = 1"), "3");
}

TEST_F(BasicSettingsScreen, ColoursAreStoredByNameOrAsHexAndReadBack)
{
    dialogs.colors = {0x0000FFu, 0x123456u, 0x00FFFFu, std::nullopt};
    screen.btnColorClick(1);      // clRed
    screen.btnSenColorClick(2);   // no name
    screen.btnGRColorClick(4);    // clYellow
    screen.btnColorClick(5);      // cancelled: unchanged
    EXPECT_EQ(screen.markColor(5), 0x800000u);
    screen.btnAddClick();
    EXPECT_EQ(project("SELECT MKCOLOR FROM MMARK WHERE KCO = 1 AND MKCO = 1"), "clRed");
    EXPECT_EQ(project("SELECT KCOLOR FROM MMARK WHERE KCO = 1 AND MKCO = 2"), "$00123456");
    EXPECT_EQ(project("SELECT CCOLOR FROM MGRAPH WHERE KCO = 1 AND GSCO = 4"), "clYellow");
    EXPECT_EQ(project("SELECT MKCOLOR FROM MMARK WHERE KCO = 1 AND MKCO = 5"), "clNavy");
    EXPECT_EQ(Project().Marks[1].KCOLOR, 0x123456u);

    TPX0070 again;
    again.Prepare();
    EXPECT_EQ(again.markColor(1), 0x0000FFu);
    EXPECT_EQ(again.curveColor(2), 0x123456u);
    EXPECT_EQ(again.lineColor(4), 0x00FFFFu);
}

TEST_F(BasicSettingsScreen, EraTableIsWrittenAndPublished)
{
    field<QLineEdit>("txtNengou1")->setText(QStringLiteral("大正"));
    field<QLineEdit>("txtChgyy1")->setText("1912");
    field<QRadioButton>("optchg1")->setChecked(true);
    screen.btnAddClick();
    EXPECT_EQ(control("SELECT REKI1 || SNEN1 || '/' || FREKI || '/' || NA FROM MSEIGYO WHERE CO = 0"),
              QStringLiteral("大正1912/0/Wageloom賃金Slim Free版"));
    EXPECT_EQ(App().EraNames[0], QStringLiteral("大正"));
    EXPECT_EQ(App().EraStartYears[0], 1912);

    field<QLineEdit>("txtChgmm2")->setText("13");
    screen.btnAddClick();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("入力範囲外です。")});
}

TEST_F(BasicSettingsScreen, CloseAsksOnlyAfterAChange)
{
    screen.show();
    screen.btnCloseClick();
    EXPECT_FALSE(screen.isVisible());
    EXPECT_TRUE(dialogs.calls.isEmpty());

    screen.show();
    field<QLineEdit>("txtHanrei1")->setText(QStringLiteral("一般"));
    dialogs.answers = {true, false};
    screen.btnCloseClick();
    EXPECT_TRUE(screen.isVisible());
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].caption, QStringLiteral("確認"));
    EXPECT_EQ(dialogs.calls[0].text,
              QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r【いいえ】:画面を閉じます。"));
    screen.btnCloseClick();
    EXPECT_FALSE(screen.isVisible());

    // ｷｬﾝｾﾙ only forgets the change; the fields keep their values.
    screen.show();
    field<QLineEdit>("txtHanrei1")->setText(QStringLiteral("一般職員"));
    screen.btnCancelClick();
    EXPECT_EQ(field<QLineEdit>("txtHanrei1")->text(), QStringLiteral("一般職員"));
    screen.btnCloseClick();
    EXPECT_FALSE(screen.isVisible());
}
