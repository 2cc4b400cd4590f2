// Start of a session: the control database, today's date and the eras of the control record.
#include "shell/Startup.h"

#include "shell/AppState.h"
#include "shell/Numbers.h"
#include "store/DataModule.h"
#include "store/RecordAccess.h"

bool StartSession()
{
    TAppState& app = App();
    TFDM& fdm = FDM();
    fdm.OpenDatabase(fdm.ACN1, app.DataFolder + QStringLiteral("SEIGYO.MDB"));
    app.ListMode = 0;
    app.OpenCompanyCode = 0;
    app.CompanyOpen = false;
    app.refreshToday();
    app.FiscalYear = app.TodayYear;
    if (!fdm.ACN1.isOpen())
        return false;

    TSeigyo_ control;
    ReadOne(fdm.ACN1, false, SqlCondition(QStringLiteral(" WHERE CO = 0 ORDER BY CO")),
            QStringLiteral("SELECT * FROM MSEIGYO"), control);
    const QString names[3] = {control.REKI1, control.REKI2, control.REKI3};
    const QString years[3] = {control.SNEN1, control.SNEN2, control.SNEN3};
    for (int i = 0; i < 3; ++i) {
        app.EraNames[i] = names[i];
        app.EraStartYears[i] = int(WholeNumberOrZero(years[i]));
    }
    return true;
}
