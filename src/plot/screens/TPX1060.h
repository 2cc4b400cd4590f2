// TPX1060: wage-table graph set-up (昇給曲線の設定): title, wage table and commentary.
#pragma once

#include "plot/screens/PlotSetupFrame.h"

class TPX1060 : public PlotSetupFrame {
    Q_OBJECT
public:
    explicit TPX1060(QWidget* parent = nullptr);
};
