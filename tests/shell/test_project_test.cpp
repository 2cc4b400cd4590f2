// The test project fixture opens a project the way a selection does.
#include "shell/AppState.h"
#include "support/ScriptedDialogs.h"
#include "support/TestProject.h"

#include <gtest/gtest.h>

TEST(TestProjectFixture, OpensACompanyWithItsMarksAndGradeNames)
{
    ScriptedDialogs dialogs;
    TestProgramFolder folder;
    OpenTestProject(folder, {.kco = 3, .year = 2022});
    EXPECT_TRUE(App().CompanyOpen);
    EXPECT_EQ(Project().CurrentCompany.KCO, "3");
    EXPECT_EQ(Project().CurrentCompany.TK[8], QStringLiteral("第９等級"));
    EXPECT_EQ(Project().Marks[0].MARK, QStringLiteral("●"));
    EXPECT_EQ(Project().Marks[0].MKCOLOR, 0x0000FFu);
    EXPECT_EQ(Scalar(folder.fdm().ACN2, "SELECT count(*) FROM MGRAPH WHERE KCO = 3"), "4");
    EXPECT_TRUE(dialogs.calls.isEmpty());
}
