// TPX1060: wage-table graph set-up (昇給曲線の設定).
#include "plot/screens/TPX1060.h"

#include "plot/PlotLayout.h"

TPX1060::TPX1060(QWidget* parent) : PlotSetupFrame(*SetupVariant(ChartWageTableGraph), parent) {}
