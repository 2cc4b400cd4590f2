// TPX1040: model-wage comparison set-up (モデル賃金との比較).
#include "plot/screens/TPX1040.h"

#include "plot/PlotLayout.h"

TPX1040::TPX1040(QWidget* parent) : PlotSetupFrame(*SetupVariant(ChartModelWage), parent) {}
