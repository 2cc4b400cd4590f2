// TPX1030: cost-of-living comparison set-up (生計費との比較).
#include "plot/screens/TPX1030.h"

#include "plot/PlotLayout.h"
#include "plot/Comparisons.h"
#include "shell/AppState.h"
#include "store/DialogService.h"

TPX1030::TPX1030(QWidget* parent) : PlotSetupFrame(*SetupVariant(ChartCostOfLiving), parent) {}

SetupAnalysis TPX1030::runAnalysis(PlotSetupChoices& c)
{
    if (Project().CurrentCompany.SKCO == 0) {
        Dialogs().information(AppTitle, NoCostOfLivingCodeMessage);
        return SetupAnalysis::Failed;
    }
    return PlotSetupFrame::runAnalysis(c);
}
