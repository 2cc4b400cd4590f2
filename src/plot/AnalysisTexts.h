// Analysis texts of a plot: counts, means, curve averages, pitches, residuals and sources.
#pragma once

#include "plot/Regression.h"
#include "shell/Session.h"
#include "store/Records.h"

#include <QDate>
#include <QString>

#include <array>
#include <optional>

// The 25 analysis texts of one plot (numbered 0..24); texts without content stay empty.
using TAnalize1 = std::array<QString, 25>;

// What the analysis texts are built from besides the point set.
struct AnalysisInputs {
    TChart_ chart;                 // CHCO, FX, FKINJI, XNAME, YNAME, TOUKYU
    int referenceDate = 0;         // MKIGYOU1.KDATE, yyyymmdd (0 = none)
    bool ageByToday = false;       // MKIGYOU1.FNK: the texts are dated today instead
    QDate today;
    std::array<QString, 9> gradeNames;   // the company's grade names 1..9
    int modelCode = 0;             // the company's MDCO (0 = none)
    std::optional<TMODEL_> model;  // its MDEL row, when found
};

// The analysis inputs of the session's project for a chart row: reference date, today, grade
// names and the model-wage source read from the control database.
AnalysisInputs AnalysisInputsOfOpenProject(const Session& s, const TChart_& chart);

// True for a chart that plots against the optimal wage: 1070, or 1020 with X item 5.
bool PlotsOptimalWage(const TChart_& chart);

// "YYYY 年  M 月  D 日時点" without leading zeros; the blank form for 0 or an impossible date.
QString AnalysisDateText(int yyyymmdd);

// Summarises every series of the point set with the chart's curve order and builds the texts.
TAnalize1 BuildAnalysisTexts(TSeriesSet& points, const AnalysisInputs& inputs);

// The eight rows of the analysis panel for a chart: title and text of each row.
struct AnalysisPanelRows {
    std::array<QString, 8> titles;
    std::array<QString, 8> captions;
};
AnalysisPanelRows AnalysisPanelOf(const TChart_& chart, const TAnalize1& texts);
