// 分析 of every plot set-up as one routine, shared by the set-up screens and the batch tool.
#include "plot/ChartAnalyses.h"

#include "plot/ChartModel.h"
#include "plot/Comparisons.h"
#include "plot/PlotLayout.h"

namespace {

ChartAnalysis Analysis(SetupAnalysis status, const Outcome& outcome)
{
    ChartAnalysis a;
    a.status = status;
    a.outcome = outcome;
    return a;
}

ChartAnalysis WageTableGraph(const Session& s, const PlotSetupVariant& v, PlotSetupChoices& c)
{
    // The points and the settings (with the table's curve kind) in one transaction.
    const WageTableGraphResult result = WriteWageTableGraphPoints(s, c.wageTable, [&](int curveKind) {
        c.curveOrder = curveKind == 1 ? 1 : 0;
        return SaveSetupChoices(s, v, c, false);
    });
    // Refused: written, but the table has no curve; otherwise a write failed (nothing kept).
    if (!result.ok)
        return Analysis(result.outcome.kind == Outcome::Kind::Information ? SetupAnalysis::NoData
                                                                          : SetupAnalysis::Failed,
                        result.outcome);
    return Analysis(SetupAnalysis::Plotted, result.outcome);
}

ChartAnalysis OptimalWagePlot(const Session& s, const PlotSetupVariant& v, PlotSetupChoices& c)
{
    OptimalWageRun run = RegressOptimalWageChoices(s, v, c);
    if (!run.outcome.ok)
        return Analysis(SetupAnalysis::Failed, run.outcome);
    const Outcome written = WriteOptimalWagePoints(s, run.state, c.markLabel);
    ChartAnalysis a;
    if (!written.ok)
        a = Analysis(SetupAnalysis::NoData, written);
    else
        a = Analysis(SaveSetupChoices(s, v, c, true) ? SetupAnalysis::Plotted : SetupAnalysis::Failed, Outcome::Done());
    a.optimalWage = std::move(run.state);
    return a;
}

} // namespace

ChartAnalysis RunChartAnalysis(const Session& s, const PlotSetupVariant& v, PlotSetupChoices& c)
{
    KeepPlotWorkInMemoryWhileReadOnly(s);
    switch (v.screenId) {
    case ChartCostOfLiving:
        if (s.company().SKCO == 0)
            return Analysis(SetupAnalysis::Failed, Outcome::Refused(NoCostOfLivingCodeMessage));
        break;
    case ChartModelWage:
        if (s.company().MDCO == 0)
            return Analysis(SetupAnalysis::Failed, Outcome::Refused(NoModelCodeMessage));
        break;
    case ChartWageTableGraph:
        return WageTableGraph(s, v, c);
    case ChartOptimalWage:
        return OptimalWagePlot(s, v, c);
    default:
        break;
    }
    const SetupResult result = RunSetupAnalysis(s, v, c);
    return Analysis(result.status, result.outcome);
}

ChartAnalysis AnalyseStoredChart(const Session& s, int chartId)
{
    const PlotSetupVariant* v = SetupVariant(chartId);
    PlotSetupChoices choices;
    if (!v || !LoadSetupChoices(s, *v, choices))
        return Analysis(SetupAnalysis::Failed, Outcome::Failed(QString()));
    ChartAnalysis a = RunChartAnalysis(s, *v, choices);
    if (a.status == SetupAnalysis::Plotted)
        a.chartId = chartId;
    return a;
}

OptimalWageRun RegressOptimalWageChoices(const Session& s, const PlotSetupVariant& v, const PlotSetupChoices& c)
{
    if (!SaveSetupChoices(s, v, c, true))
        return {Outcome::Failed(QString()), {}};
    PlotSetupVariant filters = v;
    filters.optimalWageX = -1;
    filters.order = QStringLiteral(" ORDER BY SCO");
    return RunOptimalWageRegression(s, EmployeeSelection(filters, c, s.fiscalYear, s.companyCode), c.explanatory, c.fy);
}
