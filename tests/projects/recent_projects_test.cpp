// The start panel's lists: remembered projects that still exist, the sample companies in
// their latest year, and the order the remembered list keeps.
#include "projects/Companies.h"
#include "projects/RecentProjects.h"
#include "projects/SampleCompanies.h"
#include "support/RecordedFailures.h"
#include "support/TestProgramFolder.h"

#include <gtest/gtest.h>

namespace {

QStringList texts(const QList<ListedProject>& projects)
{
    QStringList out;
    for (const ListedProject& p : projects)
        out << QStringLiteral("%1/%2 %3").arg(p.year).arg(p.code).arg(p.name);
    return out;
}

TEST(RecentProjects, OpeningPutsTheProjectFirstWithoutRepeatsAndKeepsAFewOnly)
{
    const QList<ProjectRef> three{{2020, 1}, {2020, 2}, {2019, 1}};
    struct Case {
        ProjectRef opened;
        int keep;
        QList<ProjectRef> expected;
    };
    const Case cases[] = {
        {{2021, 5}, 8, {{2021, 5}, {2020, 1}, {2020, 2}, {2019, 1}}},
        {{2019, 1}, 8, {{2019, 1}, {2020, 1}, {2020, 2}}},   // a repeat moves to the front
        {{2020, 1}, 8, {{2020, 1}, {2020, 2}, {2019, 1}}},
        {{2021, 5}, 2, {{2021, 5}, {2020, 1}}},              // the oldest fall off
    };
    for (const Case& c : cases)
        EXPECT_EQ(RememberedAfterOpening(three, c.opened, c.keep), c.expected) << c.opened.year << "/" << c.opened.code;
}

TEST(RecentProjects, OnlyExistingProjectsAreListedAndSamplesInTheirLatestYear)
{
    RecordedFailures failures;
    TestProgramFolder folder;
    // Without samples there is nothing to list.
    EXPECT_TRUE(SampleProjects(folder.session()).isEmpty());
    ASSERT_TRUE(WriteSampleCompanies(folder.session()));
    EXPECT_EQ(texts(SampleProjects(folder.session())),
              QStringList({"2020/1 サンプル精機株式会社", "2020/2 サンプルサービス株式会社"}));
    EXPECT_EQ(texts(ExistingProjects(folder.session(), {{2018, 2}, {2020, 9}, {2030, 1}, {2019, 1}})),
              QStringList({"2018/2 サンプルサービス株式会社", "2019/1 サンプル精機株式会社"}));
    EXPECT_TRUE(failures.reports.isEmpty()) << failures.texts().join('\n').toStdString();
}

} // namespace
