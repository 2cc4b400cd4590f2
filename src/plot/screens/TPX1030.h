// TPX1030: cost-of-living comparison set-up (生計費との比較).
#pragma once

#include "plot/screens/PlotSetupFrame.h"

class TPX1030 : public PlotSetupFrame {
    Q_OBJECT
public:
    explicit TPX1030(QWidget* parent = nullptr);
};
