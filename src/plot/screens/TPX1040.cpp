// TPX1040: model-wage comparison set-up (モデル賃金との比較).
#include "plot/screens/TPX1040.h"

#include "plot/PlotLayout.h"
#include "plot/Comparisons.h"
#include "shell/AppState.h"
#include "store/DialogService.h"

TPX1040::TPX1040(QWidget* parent) : PlotSetupFrame(*SetupVariant(ChartModelWage), parent) {}

SetupAnalysis TPX1040::runAnalysis(PlotSetupChoices& c)
{
    if (Project().CurrentCompany.MDCO == 0) {
        Dialogs().information(AppTitle, NoModelCodeMessage);
        return SetupAnalysis::Failed;
    }
    return PlotSetupFrame::runAnalysis(c);
}
