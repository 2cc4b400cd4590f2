// TPX1070: optimal-wage set-up (最適賃金): explanatory variables, objective, optimal area,
// 計算 for the results screen and 分析 for the plot.
#pragma once

#include "plot/screens/PlotSetupFrame.h"

#include <array>

class QCheckBox;
class QLineEdit;

class TPX1070 : public PlotSetupFrame {
    Q_OBJECT
public:
    explicit TPX1070(QWidget* parent = nullptr);

    // 計算: the regression, the link message, then the results screen TFPX1071 (modal).
    void btnKeisanClick();
    // A level edit left: a decimal number (or empty, read as 0), else the message.
    bool LevelExit(int index);

protected:
    void readAdditions(PlotSetupChoices& c) const override;
    void showAdditions(const PlotSetupChoices& c) override;

private:
    std::array<QCheckBox*, 9> explanatory_{};
    QLineEdit* levels_[2] = {};
    QCheckBox* optGraph_ = nullptr;
};
