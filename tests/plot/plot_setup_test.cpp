// The set-up logic: the selection statement from the choices, stored choices, point values,
// and what 分析 of each chart comes to.
#include "plot/ChartAnalyses.h"
#include "plot/Comparisons.h"
#include "plot/PlotLayout.h"
#include "plot/PlotSetup.h"

#include "reference/PrintQString.h"
#include "store/RecordAccess.h"
#include "support/RecordedFailures.h"
#include "support/TestProject.h"

#include <gtest/gtest.h>

namespace {

const PlotSetupVariant& Wage() { return *SetupVariant(1010); }
const PlotSetupVariant& Curve() { return *SetupVariant(1020); }

std::array<bool, 9> Boxes(std::initializer_list<int> positions)
{
    std::array<bool, 9> b{};
    for (int p : positions)
        b[p - 1] = true;
    return b;
}

} // namespace

TEST(PlotSetupSelection, FiltersFollowTheChoicesWithValuesBound)
{
    struct Case {
        const char* what;
        const PlotSetupVariant* variant;
        PlotSetupChoices choices;
        QString statement;
    };
    PlotSetupChoices base;
    base.marks = Boxes({1, 2, 5});
    base.grades = Boxes({1, 3});
    PlotSetupChoices table = base;
    table.wageTable = 2;
    PlotSetupChoices second = base;
    second.form = 1;
    second.sex = 1;
    PlotSetupChoices none = base;
    none.marks = {};
    PlotSetupChoices optimal = base;
    optimal.fx = 5;
    const Case cases[] = {
        {"company grades", &Wage(), base,
         " WHERE NENDO = 2020 AND KCO = 1 and TCO IN(1,3) AND MCO IN(1,2,5) ORDER BY SCO"},
        {"wage-table grades", &Wage(), table,
         " WHERE NENDO = 2020 AND KCO = 1 AND SKCO = 2 and TOUKYU IN(1,3) AND MCO IN(1,2,5) ORDER BY SCO"},
        {"second form, women", &Curve(), second,
         " WHERE NENDO = 2020 AND KCO = 1 AND SM1 = 2 and TCO IN(1,3) AND MCO IN(1,2,5) AND SEIBETSU = 1"
         " ORDER BY KCO,NEWDAY1"},
        {"no mark", &Wage(), none, " WHERE NENDO = 2020 AND KCO = 1 and TCO IN(1,3) AND MCO IN(99999) ORDER BY SCO"},
        {"optimal wage", &Curve(), optimal, " WHERE NENDO = 2020 AND KCO = 1 AND FITNO <>  0 ORDER BY KCO,NEWDAY1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SqlCondition s = EmployeeSelection(*c.variant, c.choices, 2020, 1);
        EXPECT_FALSE(s.text.contains("2020"));   // every value is a placeholder
        EXPECT_EQ(StatementWithValues(s.text, s.values), c.statement);
    }
}

TEST(PlotSetupChoicesRow, SavedRowCarriesNamesUnitsAndPitchesAndReadsBack)
{
    PlotSetupChoices c;
    c.title = QStringLiteral("年齢別所定給");
    c.fx = 5;   // 最適賃金 on 1020: the X pitch is the Y item's
    c.fy = 5;
    c.marks = Boxes({1, 3});
    c.grades = Boxes({9});
    c.form = 2;
    c.curveOrder = 1;
    c.graphMode = 0;
    c.levels = {5, -5, 0, 0};
    const TChart_ curve = ChartFromChoices(Curve(), c, 2020, 1);
    EXPECT_EQ(curve.FCHK, "101000000");
    EXPECT_EQ(curve.TOUKYU, "000000001");
    EXPECT_EQ(curve.XNAME, QStringLiteral("最適賃金"));
    EXPECT_EQ(curve.YNAME, QStringLiteral("年　収"));
    EXPECT_EQ(curve.XUNIT, QStringLiteral("万円"));
    EXPECT_EQ(curve.XPITCH, 50);
    EXPECT_EQ(curve.YPITCH, 50);
    EXPECT_EQ(curve.FKINJI, 1);
    EXPECT_EQ(curve.CGRAPH, 0);
    EXPECT_EQ(curve.SJYUN2, -5);
    const PlotSetupChoices back = ChoicesFromChart(curve);
    EXPECT_EQ(back.marks, c.marks);
    EXPECT_EQ(back.grades, c.grades);
    EXPECT_EQ(back.levels, c.levels);
    EXPECT_EQ(back.form, 2);

    // The wage plot stores the fixed curve settings whatever the choices hold.
    const TChart_ wage = ChartFromChoices(Wage(), c, 2020, 1);
    EXPECT_EQ(wage.XNAME, QStringLiteral("職務評価"));
    EXPECT_EQ(wage.XPITCH, 10);
    EXPECT_EQ(wage.FKINJI, 0);
    EXPECT_EQ(wage.CGRAPH, 1);
    EXPECT_EQ(wage.SJYUN1, 0);
    TChart_ stored = wage;
    stored.MIBUN = 7;
    EXPECT_EQ(ChoicesFromChart(stored).form, 4);
}

TEST(PlotSetupPoints, ValuesLabelsAndResidualPerItem)
{
    TSyain_ e;
    e.SCO = "120";
    e.SNA = QStringLiteral("山田");
    e.MCO = 3;
    e.NENREI = 41;
    e.KKYU1 = 250000;
    e.TEATE1 = 50000;
    e.SYOUYO = 600000;
    e.SYOUYO2 = 300000;
    e.HYOUKA = "A";
    e.HKIGOU = "S";
    e.ZONEX = 2;
    e.FITKIN = 310000;
    e.FITJITSU = 300000;
    e.FITNO = 4;
    e.computeTotals();
    PlotSetupChoices c;
    c.fy = 5;
    c.markLabel = 1;
    QList<TDChart_> rows = ChartPoints(Wage(), c, {e, e});
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].X, 41);
    EXPECT_DOUBLE_EQ(rows[0].Y, 450);   // 12 × 30万 + 90万
    EXPECT_EQ(rows[0].MARKL, "A");
    EXPECT_EQ(rows[1].NO, 2);
    EXPECT_EQ(rows[0].MKCO, 3);
    EXPECT_EQ(rows[0].F5, 0);
    c.markLabel = 2;
    EXPECT_EQ(ChartPoints(Wage(), c, {e})[0].MARKL, "2");
    c.markLabel = 1;
    EXPECT_EQ(ChartPoints(*SetupVariant(1030), c, {e})[0].MARKL, "S");
    c.fx = 5;
    c.fy = 3;
    c.markLabel = 0;
    rows = ChartPoints(Curve(), c, {e});
    EXPECT_DOUBLE_EQ(rows[0].X, 31);
    EXPECT_DOUBLE_EQ(rows[0].Y, 30);
    EXPECT_EQ(rows[0].F5, -10000);
    EXPECT_EQ(rows[0].MARKL, "120");
}

TEST(ChartAnalysisOutcomes, RefusalsAndNothingToPlotCarryTheirMessagesAndNameNoChart)
{
    RecordedFailures failures;
    TestProgramFolder folder;
    OpenTestProject(folder);   // no cost-of-living code, no model code, no employee, no wage table
    const Session& s = folder.session();
    struct Case {
        int chart;
        SetupAnalysis status;
        QString message;
    } cases[] = {
        {ChartCostOfLiving, SetupAnalysis::Failed, NoCostOfLivingCodeMessage},
        {ChartModelWage, SetupAnalysis::Failed, NoModelCodeMessage},
        {ChartWagePlot, SetupAnalysis::NoData, NoPlotDataMessage},
        {ChartWageTableGraph, SetupAnalysis::NoData, NoPlotDataMessage},
        {ChartOptimalWage, SetupAnalysis::Failed, NoSubjectsMessage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chart);
        const ChartAnalysis a = AnalyseStoredChart(s, c.chart);
        EXPECT_EQ(a.status, c.status);
        EXPECT_FALSE(a.outcome.ok);
        EXPECT_EQ(a.outcome.text, c.message);
        EXPECT_EQ(a.outcome.caption, AppTitle);
        EXPECT_EQ(a.outcome.kind, Outcome::Kind::Information);
        EXPECT_EQ(a.chartId, 0);
        EXPECT_FALSE(a.optimalWage.has_value());
    }
    const ChartAnalysis unknown = AnalyseStoredChart(s, 1080);
    EXPECT_EQ(unknown.status, SetupAnalysis::Failed);
    EXPECT_EQ(unknown.chartId, 0);
    EXPECT_TRUE(failures.reports.isEmpty()) << failures.texts().join('|').toStdString();
}

TEST(ChartAnalysisOutcomes, StoredChoicesPlotTheWagePlotAndNameItAsTheChartToOpen)
{
    TestProgramFolder folder;
    OpenTestProject(folder);
    const Session& s = folder.session();
    TSyain_ e;
    e.KCO = QStringLiteral("1");
    e.NENDO = QStringLiteral("2024");
    e.SCO = QStringLiteral("5");
    e.MCO = 2;
    e.TCO = 3;
    e.KKYU1 = 250000;
    ASSERT_TRUE(Insert(folder.fdm().ACN2, true, e));

    PlotSetupChoices c;
    ASSERT_TRUE(LoadSetupChoices(s, Wage(), c));
    c.marks = Boxes({2});
    c.grades = Boxes({3});
    c.form = 4;        // every form
    c.wageTable = 0;   // the company's grades
    c.sex = 2;         // both
    ASSERT_TRUE(SaveSetupChoices(s, Wage(), c, true));

    const ChartAnalysis a = AnalyseStoredChart(s, ChartWagePlot);
    EXPECT_EQ(a.status, SetupAnalysis::Plotted);
    EXPECT_TRUE(a.outcome.ok);
    EXPECT_FALSE(a.outcome.hasMessage());
    EXPECT_EQ(a.chartId, ChartWagePlot);
    EXPECT_EQ(Scalar(folder.fdm().ACN2, "SELECT group_concat(SCO) FROM DCHART"), QStringLiteral("5"));
}

TEST(ChartAnalysisOutcomes, TheWageTableGraphStoresItsPointsAndSettingsTogether)
{
    RecordedFailures failures;
    TestProgramFolder folder;
    OpenTestProject(folder);
    const Session& s = folder.session();
    DbConnection& cn = folder.fdm().ACN2;
    const PlotSetupVariant& graph = *SetupVariant(ChartWageTableGraph);
    Exec(cn, "INSERT INTO MCHINGIN VALUES (1, 2024, 2, 1, 40, 1, 0, 0, '表2', 2, 0, 2, 1, 40)");
    Exec(cn, "INSERT INTO DKSEN3 VALUES (1, 2024, 2, 1, 1, 180000, 10, 200000, 20, 230000, 40, 260000, 1.0)");
    Exec(cn, "INSERT INTO DCHART VALUES (77, 'old', '', '', 0, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0)");
    PlotSetupChoices c;
    ASSERT_TRUE(LoadSetupChoices(s, graph, c));
    c.wageTable = 2;
    c.title = QStringLiteral("第2表");
    ASSERT_TRUE(SaveSetupChoices(s, graph, c, true));
    const char* settings = "SELECT TITLE || ':' || SKCO || ':' || FKINJI FROM MCHART WHERE CHCO = 1060";
    const QString before = Scalar(cn, settings);

    // The settings cannot be written: the points are not written either.
    Exec(cn, "CREATE TRIGGER settings_locked BEFORE UPDATE ON MCHART BEGIN SELECT RAISE(ABORT, 'locked'); END");
    const ChartAnalysis locked = AnalyseStoredChart(s, ChartWageTableGraph);
    EXPECT_EQ(locked.status, SetupAnalysis::Failed);
    EXPECT_EQ(locked.chartId, 0);
    EXPECT_EQ(Scalar(cn, "SELECT group_concat(SCO) FROM DCHART"), QStringLiteral("77"));
    EXPECT_EQ(Scalar(cn, settings), before);
    EXPECT_FALSE(failures.reports.isEmpty());

    // Written: the four control points and the third-order curve kind of the table.
    Exec(cn, "DROP TRIGGER settings_locked");
    const ChartAnalysis plotted = AnalyseStoredChart(s, ChartWageTableGraph);
    EXPECT_EQ(plotted.status, SetupAnalysis::Plotted);
    EXPECT_EQ(plotted.chartId, ChartWageTableGraph);
    EXPECT_EQ(Scalar(cn, "SELECT count(*) FROM DCHART"), QStringLiteral("4"));
    EXPECT_EQ(Scalar(cn, settings), QStringLiteral("第2表:2:1"));
}
