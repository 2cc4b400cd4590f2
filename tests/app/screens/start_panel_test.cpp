// The start panel: while no project is open the workspace lists the recent projects and the
// sample companies, each opened with one click; an opened project is remembered, and the
// user's setting reopens the last one on start.
#include "app/StartPanel.h"
#include "app/TPX0000.h"
#include "projects/SampleCompanies.h"
#include "shell/screens/AppState.h"
#include "shell/screens/MainWindowLink.h"
#include "shell/screens/UserSettings.h"
#include "support/screens/ScriptedDialogs.h"
#include "support/TestProgramFolder.h"
#include "store/Connection.h"

#include <QAction>
#include <QCheckBox>
#include <QCommandLinkButton>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

class StartPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        OpenUserSettings()->remove(QStringLiteral("start"));
        ASSERT_TRUE(WriteSampleCompanies(folder.session()));
    }
    void TearDown() override { OpenUserSettings()->remove(QStringLiteral("start")); }

    QStringList buttonTexts(const QString& prefix) const
    {
        QStringList out;
        for (int i = 0;; ++i) {
            auto* b = window->startPanel()->findChild<QCommandLinkButton*>(prefix + QString::number(i));
            if (!b)
                return out;
            out << b->text();
        }
    }
    QCommandLinkButton* button(const QString& name) const
    {
        return window->startPanel()->findChild<QCommandLinkButton*>(name);
    }

    ScriptedDialogs dialogs;
    TestProgramFolder folder;
    std::unique_ptr<TPX0000> window;
};

TEST_F(StartPanelTest, WithoutAProjectTheWorkspaceSaysWhereToBeginAndListsTheSamples)
{
    window = std::make_unique<TPX0000>();
    StartPanel* panel = window->startPanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(panel->isHidden());
    EXPECT_EQ(panel->findChild<QLabel*>("firstStep")->text(), StartPanel::FirstStepText);
    EXPECT_EQ(buttonTexts("sampleProject"),
              QStringList({"2020年度　サンプル精機株式会社", "2020年度　サンプルサービス株式会社"}));
    EXPECT_TRUE(buttonTexts("recentProject").isEmpty());
    EXPECT_EQ(panel->findChild<QLabel*>("recentProjectNone")->text(), "まだありません。");
    EXPECT_FALSE(window->action("mnSalaryPlot")->isEnabled());
}

TEST_F(StartPanelTest, OneClickOpensTheProjectWhichThenLeadsTheRecentList)
{
    window = std::make_unique<TPX0000>();
    button("sampleProject1")->click();
    EXPECT_TRUE(dialogs.calls.isEmpty()) << dialogs.texts().join('\n').toStdString();
    ASSERT_TRUE(App().CompanyOpen);
    EXPECT_EQ(App().FiscalYear, 2020);
    EXPECT_EQ(App().CompanyName, "サンプルサービス株式会社");
    EXPECT_EQ(window->windowTitle(), OpenCompanyCaption());
    EXPECT_TRUE(window->startPanel()->isHidden());
    // The analysis commands are there at once, as after 選択 in the company list.
    EXPECT_TRUE(window->action("mnSalaryPlot")->isEnabled());
    EXPECT_TRUE(window->action("mnClose")->isEnabled());

    window->mnCloseClick();
    EXPECT_FALSE(window->startPanel()->isHidden());
    EXPECT_EQ(buttonTexts("recentProject"), QStringList({"2020年度　サンプルサービス株式会社"}));
    button("sampleProject0")->click();
    window->mnCloseClick();
    EXPECT_EQ(buttonTexts("recentProject"),
              QStringList({"2020年度　サンプル精機株式会社", "2020年度　サンプルサービス株式会社"}));
    EXPECT_EQ(RememberedProjects(), (QList<ProjectRef>{{2020, 1}, {2020, 2}}));
}

// A listed project whose company master went missing since the panel was filled is refused
// with the company list's message; the panel stays, filled anew, and nothing is open.
TEST_F(StartPanelTest, AProjectThatCannotBeOpenedIsRefusedAndThePanelStays)
{
    window = std::make_unique<TPX0000>();
    SqliteConnection year2020;
    ASSERT_TRUE(year2020.open(folder.dataPath("2020/DATA.MDB")));
    Exec(year2020, "DELETE FROM MKIGYOU2 WHERE KCO = 2 AND NENDO = 2020");
    button("sampleProject1")->click();
    QCoreApplication::processEvents();
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].kind, "warning");
    EXPECT_EQ(dialogs.calls[0].text, "企業マスターが存在しません。");
    EXPECT_FALSE(App().CompanyOpen);
    EXPECT_FALSE(window->startPanel()->isHidden());
    EXPECT_EQ(buttonTexts("sampleProject"),
              QStringList({"2020年度　サンプル精機株式会社", "2020年度　サンプルサービス株式会社"}));
}

TEST_F(StartPanelTest, TheSettingReopensTheLastProjectThatStillExists)
{
    RememberProject({2019, 1});
    // Off: the start leaves the panel.
    window = std::make_unique<TPX0000>();
    window->OpenLastProjectIfWanted();
    EXPECT_FALSE(App().CompanyOpen);
    EXPECT_FALSE(window->startPanel()->findChild<QCheckBox*>("reopenLast")->isChecked());

    window->startPanel()->findChild<QCheckBox*>("reopenLast")->setChecked(true);
    EXPECT_TRUE(ReopenLastProjectOnStart());
    window.reset();   // one window at a time holds the folder's writer lock
    window = std::make_unique<TPX0000>();
    window->OpenLastProjectIfWanted();
    ASSERT_TRUE(App().CompanyOpen);
    EXPECT_EQ(App().FiscalYear, 2019);
    EXPECT_EQ(App().OpenCompanyCode, 1);
    window->mnCloseClick();

    // A project deleted since is neither listed nor opened.
    RememberProject({2020, 77});
    window.reset();   // one window at a time holds the folder's writer lock
    window = std::make_unique<TPX0000>();
    EXPECT_EQ(buttonTexts("recentProject"), QStringList({"2019年度　サンプル精機株式会社"}));
    window->OpenLastProjectIfWanted();
    EXPECT_FALSE(App().CompanyOpen);
    EXPECT_TRUE(dialogs.calls.isEmpty()) << dialogs.texts().join('\n').toStdString();
}

} // namespace
