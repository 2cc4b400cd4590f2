// TPX1102: the analysis panel 分析評価結果 (yellow, on top; a click closes it).
#pragma once

#include "plot/AnalysisTexts.h"

#include <QDialog>

class QLabel;
struct ChartModel;

class TPX1102 : public QDialog {
    Q_OBJECT
public:
    explicit TPX1102(QWidget* parent = nullptr);

    // Clears the sixteen labels, builds the analysis texts of the chart and shows its rows.
    void Fill(const ChartModel& model);
    void ShowRows(const AnalysisPanelRows& rows);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QLabel* titles_[8] = {};
    QLabel* captions_[8] = {};
};
