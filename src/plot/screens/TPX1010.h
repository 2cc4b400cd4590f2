// TPX1010: wage plot set-up (賃金プロット), the plainest member of the set-up frame.
#pragma once

#include "plot/screens/PlotSetupFrame.h"

class TPX1010 : public PlotSetupFrame {
    Q_OBJECT
public:
    explicit TPX1010(QWidget* parent = nullptr);
};
