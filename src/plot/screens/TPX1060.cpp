// TPX1060: wage-table graph set-up (昇給曲線の設定).
#include "plot/screens/TPX1060.h"

#include "plot/PlotLayout.h"
#include "plot/Comparisons.h"
#include "shell/AppState.h"
#include "shell/screens/ScreenHelpers.h"

TPX1060::TPX1060(QWidget* parent) : PlotSetupFrame(*SetupVariant(ChartWageTableGraph), parent) {}

SetupAnalysis TPX1060::runAnalysis(PlotSetupChoices& c)
{
    BusyCursor busy;
    const WageTableGraphResult result = WriteWageTableGraphPoints(c.wageTable);
    c.curveOrder = result.curveKind == 1 ? 1 : 0;
    const bool saved = SaveSetupChoices(variant(), c, App().FiscalYear, App().OpenCompanyCode, true);
    if (!result.ok)
        return result.points == 0 ? SetupAnalysis::NoData : SetupAnalysis::Failed;
    return saved ? SetupAnalysis::Plotted : SetupAnalysis::Failed;
}
