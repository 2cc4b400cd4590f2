// The rows of the analysis panel (分析評価結果) by chart: which title and which analysis
// text goes into each of its eight rows.
#pragma once

#include <QString>
#include <QStringList>

#include <array>

struct AnalysisPanelRows {
    std::array<QString, 8> titles;     // labTitle1 … labTitle8
    std::array<QString, 8> captions;   // Caption1 … Caption8
};

// texts: the 25 analysis texts (missing ones read as empty). optimalX: chart 1020 with the
// optimal wage on X. Charts 1030, 1040 and 1060 (and any other) give all rows empty.
AnalysisPanelRows PanelRowsFor(int chartId, bool optimalX, const QStringList& texts);
