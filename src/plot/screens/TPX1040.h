// TPX1040: model-wage comparison set-up (モデル賃金との比較).
#pragma once

#include "plot/screens/PlotSetupFrame.h"

class TPX1040 : public PlotSetupFrame {
    Q_OBJECT
public:
    explicit TPX1040(QWidget* parent = nullptr);
};
