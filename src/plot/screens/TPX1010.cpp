// TPX1010: wage plot set-up (賃金プロット).
#include "plot/screens/TPX1010.h"

TPX1010::TPX1010(QWidget* parent) : PlotSetupFrame(*SetupVariant(1010), parent) {}
