// The test project fixture opens a project the way a selection does.
#include "support/RecordedFailures.h"
#include "support/TestProject.h"

#include <gtest/gtest.h>

TEST(TestProjectFixture, OpensACompanyWithItsMarksAndGradeNames)
{
    RecordedFailures failures;
    TestProgramFolder folder;
    OpenTestProject(folder, {.kco = 3, .year = 2022});
    const Session& s = folder.session();
    EXPECT_TRUE(s.companyOpen());
    EXPECT_EQ(s.companyCode, 3);
    EXPECT_EQ(s.fiscalYear, 2022);
    EXPECT_EQ(s.ageReferenceDay(), 20240401);
    EXPECT_EQ(s.project.CurrentCompany.KCO, "3");
    EXPECT_EQ(s.project.CurrentCompany.TK[8], QStringLiteral("第９等級"));
    EXPECT_EQ(s.project.Marks[0].MARK, QStringLiteral("●"));
    EXPECT_EQ(s.project.Marks[0].MKCOLOR, 0x0000FFu);
    EXPECT_EQ(s.eras.names[2], QStringLiteral("令和"));
    EXPECT_EQ(s.eras.startYears[2], 2019);
    EXPECT_EQ(Scalar(folder.fdm().ACN2, "SELECT count(*) FROM MGRAPH WHERE KCO = 3"), "4");
    EXPECT_TRUE(failures.reports.isEmpty());
}

// Ages and years of service count to the reference date, or to today when the company
// says so; a missing date counts nothing.
TEST(SessionAges, CountToTheReferenceDateOrToday)
{
    struct Case {
        int referenceDate;
        bool byToday;
        int date;
        int years;
    };
    const Case cases[] = {
        {20200401, false, 19651118, 54}, {20210401, false, 19651118, 55}, {20200401, false, 20200402, -1},
        {20200401, false, 0, 0},         {20200401, true, 19651118, 61},  {0, false, 19651118, 0},
    };
    for (const Case& c : cases) {
        Session s;
        s.referenceDate = c.referenceDate;
        s.ageByToday = c.byToday;
        s.today = QDate(2026, 12, 10);
        EXPECT_EQ(s.yearsUntilReference(c.date), c.years) << c.referenceDate << " " << c.byToday << " " << c.date;
    }
}
