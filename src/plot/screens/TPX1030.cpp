// TPX1030: cost-of-living comparison set-up (生計費との比較).
#include "plot/screens/TPX1030.h"

#include "plot/PlotLayout.h"

TPX1030::TPX1030(QWidget* parent) : PlotSetupFrame(*SetupVariant(ChartCostOfLiving), parent) {}
