// 分析 of every plot set-up as one routine: the checks and points each chart needs before the
// plot window opens, for the set-up screens and the batch tool alike.
#pragma once

#include "plot/PlotSetup.h"

// The analysis of a set-up with the choices on view: the employee points of the wage plot and
// the raise curves; the cost-of-living and model-wage comparisons after checking that the
// company names its reference code; the wage-table graph's curve points (the choices take the
// table's curve order); the optimal wage's regression and its actual-against-optimal points.
// Shows the messages; the choices are saved as the chart's screen saves them.
SetupAnalysis RunChartAnalysis(const PlotSetupVariant& v, PlotSetupChoices& choices, int year, int kco);

// 分析 from the stored choices of a set-up, as its screen runs it with those choices on view;
// on Plotted the chart becomes the current chart.
SetupAnalysis AnalyseStoredChart(int chartId, int year, int kco);

// The optimal-wage set-up's 計算: saves the choices, then fits the objective over the
// employees of its filters (whatever the X item says). false after a shown failure.
bool RegressOptimalWageChoices(const PlotSetupVariant& v, const PlotSetupChoices& choices, int year, int kco);
