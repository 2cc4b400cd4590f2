// 分析 of every plot set-up as one routine, shared by the set-up screens and the batch tool.
#include "plot/ChartAnalyses.h"

#include "plot/ChartModel.h"
#include "plot/Comparisons.h"
#include "plot/OptimalWage.h"
#include "plot/PlotLayout.h"
#include "shell/AppState.h"
#include "store/DialogService.h"

namespace {

SetupAnalysis WageTableGraph(const PlotSetupVariant& v, PlotSetupChoices& c, int year, int kco)
{
    const WageTableGraphResult result = WriteWageTableGraphPoints(c.wageTable);
    c.curveOrder = result.curveKind == 1 ? 1 : 0;
    const bool saved = SaveSetupChoices(v, c, year, kco, true);
    if (!result.ok)
        return result.points == 0 ? SetupAnalysis::NoData : SetupAnalysis::Failed;
    return saved ? SetupAnalysis::Plotted : SetupAnalysis::Failed;
}

SetupAnalysis OptimalWagePlot(const PlotSetupVariant& v, PlotSetupChoices& c, int year, int kco)
{
    if (!RegressOptimalWageChoices(v, c, year, kco))
        return SetupAnalysis::Failed;
    if (!WriteOptimalWagePoints(OptimalWage(), c.markLabel))
        return SetupAnalysis::NoData;
    return SaveSetupChoices(v, c, year, kco, true) ? SetupAnalysis::Plotted : SetupAnalysis::Failed;
}

} // namespace

SetupAnalysis RunChartAnalysis(const PlotSetupVariant& v, PlotSetupChoices& c, int year, int kco)
{
    switch (v.screenId) {
    case ChartCostOfLiving:
        if (Project().CurrentCompany.SKCO == 0) {
            Dialogs().information(AppTitle, NoCostOfLivingCodeMessage);
            return SetupAnalysis::Failed;
        }
        break;
    case ChartModelWage:
        if (Project().CurrentCompany.MDCO == 0) {
            Dialogs().information(AppTitle, NoModelCodeMessage);
            return SetupAnalysis::Failed;
        }
        break;
    case ChartWageTableGraph:
        return WageTableGraph(v, c, year, kco);
    case ChartOptimalWage:
        return OptimalWagePlot(v, c, year, kco);
    default:
        break;
    }
    return RunSetupAnalysis(v, c, year, kco);
}

SetupAnalysis AnalyseStoredChart(int chartId, int year, int kco)
{
    const PlotSetupVariant* v = SetupVariant(chartId);
    PlotSetupChoices choices;
    if (!v || !LoadSetupChoices(*v, year, kco, choices))
        return SetupAnalysis::Failed;
    const SetupAnalysis outcome = RunChartAnalysis(*v, choices, year, kco);
    if (outcome == SetupAnalysis::Plotted)
        SetCurrentChart(chartId);
    return outcome;
}

bool RegressOptimalWageChoices(const PlotSetupVariant& v, const PlotSetupChoices& c, int year, int kco)
{
    if (!SaveSetupChoices(v, c, year, kco, true))
        return false;
    PlotSetupVariant filters = v;
    filters.optimalWageX = -1;
    filters.order = QStringLiteral(" ORDER BY SCO");
    return RunOptimalWageRegression(EmployeeSelection(filters, c, year, kco), c.explanatory, c.fy);
}
