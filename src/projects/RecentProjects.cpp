// The start panel's projects: remembered ones that still exist, and the sample companies.
#include "projects/RecentProjects.h"

#include "projects/Companies.h"
#include "projects/SampleCompanies.h"
#include "store/RecordAccess.h"

QString ListedProjectText(const ListedProject& p)
{
    return QStringLiteral("%1年度　%2").arg(p.year).arg(p.name);
}

QList<ListedProject> ExistingProjects(const Session& s, const QList<ProjectRef>& remembered)
{
    QList<ListedProject> out;
    for (const ProjectRef& r : remembered) {
        TKigyo1_ row;
        bool found = false;
        if (ReadCompanyRow(s, r.year, r.code, row, found) && found)
            out << ListedProject{r.year, r.code, row.KNA};
    }
    return out;
}

QList<ListedProject> SampleProjects(const Session& s)
{
    QList<ListedProject> out;
    for (const QString& name : SampleCompanyNames()) {
        TKigyo1_rec rows;
        const SqlCondition byName(QStringLiteral(" WHERE KNA = ? ORDER BY NENDO DESC, KCO LIMIT 1"), {name});
        if (ReadAll(*s.control, false, byName, QStringLiteral("SELECT * FROM MKIGYOU1"), rows) && !rows.items.isEmpty())
            out << ListedProject{rows.items.first().NENDO.toInt(), rows.items.first().KCO.toInt(), name};
    }
    std::sort(out.begin(), out.end(), [](const ListedProject& a, const ListedProject& b) { return a.code < b.code; });
    return out;
}

QList<ProjectRef> RememberedAfterOpening(const QList<ProjectRef>& remembered, ProjectRef p, int keep)
{
    QList<ProjectRef> out{p};
    for (const ProjectRef& r : remembered)
        if (out.size() < keep && !out.contains(r))
            out << r;
    return out;
}
