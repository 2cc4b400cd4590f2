// 分析 of every plot set-up as one routine: the checks and points each chart needs before the
// plot window opens, for the set-up screens and the batch tool alike.
#pragma once

#include "plot/OptimalWage.h"
#include "plot/PlotSetup.h"

#include <optional>

// What the analysis of a chart came to.
struct ChartAnalysis {
    SetupAnalysis status = SetupAnalysis::Failed;
    Outcome outcome;                          // the message to show, if any
    int chartId = 0;                          // the chart to open: the one analysed when Plotted, else 0
    std::optional<TOptimalWage> optimalWage;  // chart 1070: the regression run, once it succeeded
};

// The analysis of a set-up with the choices on view, on the session's year and company: the
// employee points of the wage plot and the raise curves; the cost-of-living and model-wage
// comparisons after checking that the company names its reference code; the wage-table
// graph's curve points (the choices take the table's curve order); the optimal wage's
// regression and its actual-against-optimal points. The choices are saved as the chart's
// screen saves them.
ChartAnalysis RunChartAnalysis(const Session& s, const PlotSetupVariant& v, PlotSetupChoices& choices);

// 分析 from the stored choices of a set-up, as its screen runs it with those choices on view;
// on Plotted the result names the chart to open.
ChartAnalysis AnalyseStoredChart(const Session& s, int chartId);

// The optimal-wage set-up's 計算: saves the choices, then fits the objective over the
// employees of its filters (whatever the X item says).
OptimalWageRun RegressOptimalWageChoices(const Session& s, const PlotSetupVariant& v, const PlotSetupChoices& choices);
