// The road of a new user through the main window: register a company, open it, enter the
// basic settings, an employment form and an evaluation symbol, see the menu unblock,
// change the company and delete it.
#include "projects/screens/TPX0010.h"
#include "projects/screens/TPX0020.h"
#include "raise/screens/TPX3020.h"
#include "reference/screens/TPX0070.h"
#include "reference/screens/TfrmSalaryName.h"
#include "shell/screens/AppState.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/StringGrid.h"
#include "app/TPX0000.h"
#include "support/screens/ScriptedDialogs.h"
#include "support/TestProgramFolder.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

class NewUserRoad : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetCurrentDateForTesting(QDate(2024, 6, 3));
        App().refreshToday();
        SetModalHookForTesting([this](QDialog& d) {
            shown << d.objectName();
            auto it = drive.find(d.objectName());
            if (it != drive.end()) {
                const auto step = it->second;
                step(d);
            }
            return d.result();
        });
        window = std::make_unique<TPX0000>();
        window->CreateLongLivedScreens();
    }
    void TearDown() override
    {
        SetModalHookForTesting({});
        SetCurrentDateForTesting(QDate());
    }

    template <class T>
    static T& child(QWidget& w, const char* name)
    {
        T* c = w.findChild<T*>(QString::fromLatin1(name));
        if (!c)
            throw std::runtime_error(std::string("no widget ") + name);
        return *c;
    }

    bool enabled(const char* item) const { return window->action(QString::fromLatin1(item))->isEnabled(); }

    ScriptedDialogs dialogs;
    TestProgramFolder folder;
    std::unique_ptr<TPX0000> window;
    std::map<QString, std::function<void(QDialog&)>> drive;
    QStringList shown;
};

TEST_F(NewUserRoad, RegisterOpenSetUpChangeAndDelete)
{
    TFDM& fdm = folder.fdm();
    // 新規作成: the list in register mode, 登録, the master with a name, 登録.
    drive["TPX0010"] = [](QDialog& d) {
        auto& list = static_cast<TPX0010&>(d);
        list.btnAddClick();
        list.btnCloseClick();
    };
    drive["TPX0020"] = [](QDialog& d) {
        auto& master = static_cast<TPX0020&>(d);
        child<QLineEdit>(master, "txtCorpName").setText(QStringLiteral("株式会社ロード"));
        master.btnAddClick();
    };
    window->mnNewClick();
    EXPECT_EQ(shown, QStringList({"TPX0010", "TPX0020"}));
    EXPECT_TRUE(QFileInfo::exists(folder.dataPath("2024/DATA.MDB")));
    EXPECT_EQ(Scalar(fdm.ACN1, "SELECT KCO || ' ' || FNK || ' ' || KDATE FROM MKIGYOU1 WHERE NENDO = 2024"),
              "1 9 20090401");
    EXPECT_EQ(Scalar(fdm.ACN2, "SELECT count(*) FROM MMARK WHERE KCO = 1"), "9");
    EXPECT_FALSE(App().CompanyOpen);
    EXPECT_TRUE(enabled("mnNew"));

    // 開く: select the company.
    shown.clear();
    drive["TPX0010"] = [](QDialog& d) {
        auto& list = static_cast<TPX0010&>(d);
        list.GridClick(1, 1);
        list.btnAddClick();
    };
    window->mnOPenClick();
    EXPECT_TRUE(App().CompanyOpen);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("【　2024 年度  :  株式会社ロード　】 Wageloom賃金Slim Free版"));
    EXPECT_TRUE(enabled("mnBase"));
    EXPECT_TRUE(enabled("mnModelSalary"));
    EXPECT_FALSE(enabled("mnNew"));
    EXPECT_FALSE(enabled("mnWorker"));   // FNK is still 9

    // 基本設定 saved: FNK no longer 9, but no employment form or evaluation yet.
    drive["TPX0070"] = [](QDialog& d) {
        auto& settings = static_cast<TPX0070&>(d);
        settings.btnAddClick();
        settings.btnCloseClick();
    };
    window->mnBaseClick();
    EXPECT_NE(Scalar(fdm.ACN1, "SELECT FNK FROM MKIGYOU1"), "9");
    EXPECT_FALSE(enabled("mnWorker"));

    drive["TfrmSalaryName"] = [](QDialog& d) {
        auto& forms = static_cast<TfrmSalaryName&>(d);
        child<QComboBox>(forms, "cmbSalaryID").setEditText("1");
        forms.cmbSalaryIDExit();
        child<QLineEdit>(forms, "txtName").setText(QStringLiteral("正社員"));
        forms.btnAddClick();
        forms.btnCloseClick();
    };
    window->mnSararyNameClick();
    EXPECT_EQ(Scalar(fdm.ACN2, "SELECT SALARYNAME FROM SALARYNAME"), QStringLiteral("正社員"));
    EXPECT_FALSE(enabled("mnWorker"));

    drive["TPX3020"] = [](QDialog& d) {
        auto& evaluations = static_cast<TPX3020&>(d);
        child<TStringGrid>(evaluations, "Grid").setCell(2, 1, "A");
        evaluations.btnAddClick();
        evaluations.btnCloseClick();
    };
    window->mnHyoukaClick();
    EXPECT_EQ(Scalar(fdm.ACN2, "SELECT HKIGOU FROM MHYOUKA"), "A");
    for (const char* item : {"mnWorker", "mnSalaryPlot", "mnSalaryList", "mnSalaryInput", "mnList5000",
                             "mnSalaryReport"})
        EXPECT_TRUE(enabled(item)) << item;

    // 閉じる, then 変更: a new name in both databases.
    window->mnCloseClick();
    drive["TPX0010"] = [](QDialog& d) {
        auto& list = static_cast<TPX0010&>(d);
        list.GridClick(1, 1);
        list.btnMntClick();
        list.btnCloseClick();
    };
    drive["TPX0020"] = [](QDialog& d) {
        auto& master = static_cast<TPX0020&>(d);
        child<QLineEdit>(master, "txtCorpName").setText(QStringLiteral("株式会社ロード改"));
        master.btnMntClick();
        master.btnCloseClick();
    };
    window->mnMntClick();
    EXPECT_EQ(Scalar(fdm.ACN1, "SELECT KNA FROM MKIGYOU1"), QStringLiteral("株式会社ロード改"));
    EXPECT_EQ(Scalar(fdm.ACN2, "SELECT KNA FROM MKIGYOU2"), QStringLiteral("株式会社ロード改"));

    // 削除: every row of the company and year goes.
    drive["TPX0010"] = [](QDialog& d) {
        auto& list = static_cast<TPX0010&>(d);
        list.GridClick(1, 1);
        list.btnDltClick();
        list.btnCloseClick();
    };
    drive["TPX0020"] = [this](QDialog& d) {
        dialogs.answers.push_back(true);
        static_cast<TPX0020&>(d).btnDltClick();
    };
    window->mnDltClick();
    EXPECT_EQ(Scalar(fdm.ACN1, "SELECT count(*) FROM MKIGYOU1"), "0");
    for (const char* table : {"MKIGYOU2", "MMARK", "MGRAPH", "SALARYNAME", "MHYOUKA"})
        EXPECT_EQ(Scalar(fdm.ACN2, QStringLiteral("SELECT count(*) FROM ") + table), "0") << table;
    EXPECT_TRUE(dialogs.saw(QStringLiteral("企業マスター 【　2024　年度　1　:　株式会社ロード改　】 を削除しました。")))
        << dialogs.texts().join("\n").toStdString();
}

} // namespace
