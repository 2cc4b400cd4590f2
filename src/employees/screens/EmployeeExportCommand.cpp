// The main menu's employee export: its questions and messages around the export routines.
#include "employees/screens/EmployeeExportCommand.h"

#include "employees/EmployeeExport.h"
#include "shell/screens/AppState.h"
#include "shell/screens/DialogService.h"
#include "shell/screens/ExportSettings.h"

void ExportEmployeeMaster(SheetFileKind kind)
{
    const Session session = CurrentSession();
    const Outcome allowed = CheckEmployeeExport(session);
    if (!allowed.ok) {
        ShowOutcome(allowed);
        return;
    }
    if (!Dialogs().yesNo(AppTitle, EmployeeExportQuestion(session, kind)))
        return;
    const TableFileFormat format = UserTableFileFormat(kind);
    const EmployeeExportData data = ReadEmployeeExport(session, format);
    if (!data.outcome.ok) {
        ShowOutcome(data.outcome);
        return;
    }
    if (!data.unwritable.isEmpty() && !Dialogs().yesNo(AppTitle, UnwritableQuestion(data.unwritable)))
        return;
    ShowOutcome(WriteEmployeeExport(session, EmployeeExportPath(session, kind), data.employees, format));
}
