// TPX3030 against the real database files: the year and company lists, the checks and a
// rollover with its closing message.
#include "raise/YearRollover.h"
#include "raise/screens/TPX3030.h"
#include "shell/screens/AppState.h"
#include "store/RecordAccess.h"
#include "support/screens/ScriptedDialogs.h"
#include "support/TestProject.h"

#include <QComboBox>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class RolloverScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetCurrentDateForTesting(QDate(2021, 3, 31));
        OpenTestProject(folder, {.kco = 3, .year = 2020});
        TSyain_ e;
        e.KCO = "3";
        e.SCO = "1";
        e.NENDO = "2020";
        e.KKYU1 = 250000;
        e.NKKYU1 = 260000;
        e.NTOUKYU = 2;
        e.NGOUHOU = 5;
        ASSERT_TRUE(Insert(folder.fdm().ACN2, true, e));
        e.SCO = "2";
        e.NKKYU1 = 0;   // nothing decided
        ASSERT_TRUE(Insert(folder.fdm().ACN2, true, e));
        nendo = screen.findChild<QComboBox*>("cmbNendo");
        corp = screen.findChild<QComboBox*>("cmbCorpName");
        ASSERT_TRUE(nendo && corp);
    }
    void TearDown() override { SetCurrentDateForTesting(QDate()); }

    ScriptedDialogs dialogs;
    TestProgramFolder folder;
    TPX3030 screen;
    QComboBox* nendo = nullptr;
    QComboBox* corp = nullptr;
};

} // namespace

TEST_F(RolloverScreen, ListsTheYearsAndCompaniesAndRollsTheChosenCompanyOver)
{
    screen.Prepare();
    EXPECT_EQ(screen.windowTitle(), QStringLiteral("年次更新"));
    EXPECT_EQ(screen.maximumSize(), QSize(777, 566));
    EXPECT_EQ(nendo->currentText(), "2020");
    EXPECT_EQ(nendo->itemText(0), "2004");
    EXPECT_EQ(nendo->itemText(nendo->count() - 1), "2021");
    ASSERT_EQ(corp->count(), 1);
    EXPECT_EQ(corp->itemText(0), QStringLiteral("3 : テスト株式会社"));

    corp->setEditText("3");
    screen.btnAddClick();
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].text, RolloverClosingMessage(1));
    EXPECT_TRUE(dialogs.calls[0].text.startsWith(QStringLiteral("年次更新が終了しました。\n")));
    EXPECT_EQ(Scalar(folder.fdm().ACN1, "SELECT SDATE FROM MKIGYOU1 WHERE KCO = 3 AND NENDO = 2021"), "20210331");
    EXPECT_EQ(Scalar(folder.fdm().ACN3, "SELECT group_concat(SCO || ':' || KKYU1 || ':' || TOUKYU || ':' || GOUHOU) "
                                        "FROM MSYAIN2 WHERE NENDO = 2021"),
              "1:260000:2:5,2:250000:2:5");

    // The same again is refused.
    dialogs.clear();
    screen.btnAddClick();
    EXPECT_EQ(dialogs.texts(), QStringList{RolloverExistsMessage});
}

TEST_F(RolloverScreen, TheChecksStopBeforeAnythingIsWritten)
{
    screen.Prepare();
    const struct {
        const char* year;
        const char* company;
        QString message;
    } cases[] = {
        {"abc", "3", QStringLiteral("数値を入力してください。")},
        {"0", "3", QStringLiteral("数値を入力してください。")},
        {"2020", "x", QStringLiteral("数値を入力して下さい。")},
        {"2020", "0", QStringLiteral("０は入力できません。")},
        {"2020", "4", QStringLiteral("存在しないコードです。")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.year + std::string(" ") + c.company);
        dialogs.clear();
        nendo->setEditText(QString::fromLatin1(c.year));
        corp->setEditText(QString::fromLatin1(c.company));
        screen.btnAddClick();
        ASSERT_FALSE(dialogs.calls.isEmpty());
        EXPECT_EQ(dialogs.calls[0].text, c.message);
    }
    EXPECT_FALSE(QFileInfo::exists(folder.dataPath("2021/DATA.MDB")));
    EXPECT_EQ(Scalar(folder.fdm().ACN1, "SELECT count(*) FROM MKIGYOU1 WHERE NENDO = 2021"), "0");

    // Another year lists that year's companies; a year that is not a number keeps the list.
    nendo->setEditText("2019");
    EXPECT_TRUE(screen.cmbNendoExit());
    EXPECT_EQ(corp->count(), 0);
    nendo->setEditText("2020");
    screen.cmbNendoExit();
    nendo->setEditText("x");
    dialogs.clear();
    EXPECT_FALSE(screen.cmbNendoExit());
    EXPECT_EQ(corp->count(), 1);
}
