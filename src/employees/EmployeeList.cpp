// The employee list of the open project, read through VSYAIN in one query, and one
// employee read whole.
#include "employees/EmployeeList.h"

#include "store/RecordAccess.h"

namespace {

// Reading every one of the view's hundred columns for thousands of employees would take
// several times as long as the list needs; an employee is read whole when displayed.
const QString ListHead = QStringLiteral(
    "SELECT KCO, SCO, NENDO, SCOT, SNA, SEIHI, NYUHI, YAKU, HKIGOU, TOUKYU, GOUHOU, ZONEX, MLINK, BANDID, "
    "YHYOUKA, KKYU1, KKYU2, KKYU3 FROM VSYAIN");

} // namespace

bool LoadEmployeeList(const Session& s, int gradeFilter, TSyain_rec& out)
{
    const TMKIGYOU2& c = s.company();
    QString where = QStringLiteral(" WHERE NENDO = ? AND KCO = ?");
    SqlValues values{c.NENDO.toLongLong(), c.KCO.toLongLong()};
    if (gradeFilter >= 1 && gradeFilter <= 9) {
        where += QStringLiteral(" AND TOUKYU = ?");
        values << gradeFilter;
    }
    where += QStringLiteral(" ORDER BY KCO, SCO");
    const bool ok = ReadAll(*s.year, false, SqlCondition(where, values), ListHead, out, s.ageReferenceDay());
    if (!ok)
        out.items.clear();
    return ok;
}

bool LoadEmployee(const Session& s, int sco, TSyain_& out, bool& found)
{
    const TMKIGYOU2& c = s.company();
    TSyain_ row;
    const SqlCondition where(QStringLiteral(" WHERE NENDO = ? AND KCO = ? AND SCO = ?"),
                             {c.NENDO.toLongLong(), c.KCO.toLongLong(), qint64(sco)});
    if (!ReadOne(*s.year, false, where, QStringLiteral("SELECT * FROM VSYAIN"), row, s.ageReferenceDay())) {
        found = false;
        return false;
    }
    found = row.ok;
    if (found)
        out = row;
    return true;
}
