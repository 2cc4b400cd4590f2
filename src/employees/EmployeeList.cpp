// The employee list of the open project, read through VSYAIN in one query.
#include "employees/EmployeeList.h"

#include "shell/AppState.h"
#include "store/DataModule.h"
#include "store/RecordAccess.h"

bool LoadEmployeeList(int gradeFilter, TSyain_rec& out)
{
    const TMKIGYOU2& c = Project().CurrentCompany;
    QString where = QStringLiteral(" WHERE NENDO = ? AND KCO = ?");
    SqlValues values{c.NENDO.toLongLong(), c.KCO.toLongLong()};
    if (gradeFilter >= 1 && gradeFilter <= 9) {
        where += QStringLiteral(" AND TOUKYU = ?");
        values << gradeFilter;
    }
    where += QStringLiteral(" ORDER BY KCO, SCO");
    const bool ok = ReadAll(FDM().ACN2, false, SqlCondition(where, values), QStringLiteral("SELECT * FROM VSYAIN"), out);
    if (!ok)
        out.items.clear();
    return ok;
}
