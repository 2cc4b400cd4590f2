// Standard cost of living (MSEIKEI): checks, screen rows, reading and writing a set.
#include "reference/CostOfLiving.h"

#include "store/Transactions.h"
#include "core/Numbers.h"
#include "store/DataModule.h"
#include "store/RecordAccess.h"

CostRowsCheck CheckCostRows(const CostRows& rows)
{
    CostRowsCheck r;
    for (int i = 0; i < int(rows.size()); ++i) {
        const CostRow& a = rows[i];
        if (a.hasValues() && a.size == 0)
            return {false, HouseholdSizeMissingMessage, i};
        if (a.age == 0)
            continue;
        for (int j = 0; j < int(rows.size()); ++j)
            if (j != i && rows[j].size == a.size && rows[j].age == a.age)
                return {false, HouseholdDuplicateMessage, i};
    }
    return r;
}

CostRows CostRowsForScreen(const QList<CostRow>& stored)
{
    CostRows rows;
    const int n = std::min<int>(stored.size(), int(rows.size()));
    for (int i = 0; i < n; ++i)
        rows[i] = stored[i];
    long long size = n > 0 ? rows[n - 1].size : 0;
    for (int i = n; i < int(rows.size()); ++i)
        rows[i].size = ++size;
    return rows;
}

QStringList CostSetItems(const Session& s)
{
    QStringList items;
    TSEIKEI_rec all;
    if (!ReadAll(*s.year, false, SqlCondition(" ORDER BY SKCO, SNIN, SNENREI"), QStringLiteral("SELECT * FROM MSEIKEI"),
                 all))
        return items;
    QString previous;
    bool first = true;
    for (const TSEIKEI_& r : all.items) {
        if (!first && r.SKCO == previous)
            continue;
        first = false;
        previous = r.SKCO;
        items << r.SKCO + QStringLiteral(" : ") + r.DEDOKORO;
    }
    return items;
}

bool ReadCostSet(const Session& s, int code, CostSet& set)
{
    set = CostSet();
    TSEIKEI_rec rows;
    if (!ReadAll(*s.year, false, SqlCondition(" WHERE SKCO = ? ORDER BY SNIN, SNENREI", {qint64(code)}),
                 QStringLiteral("SELECT * FROM MSEIKEI"), rows))
        return false;
    for (const TSEIKEI_& r : rows.items)
        set.rows << CostRow{r.SNIN, r.SNENREI, double(r.SEIKEIHI), r.YURITSU, r.STRITSU, r.TNRITSU};
    if (!rows.items.isEmpty()) {
        const TSEIKEI_& f = rows.items.first();
        set.multiplier = f.KKRITSU;
        set.source = f.DEDOKORO;
        set.region = f.TCHIIKI;
        set.surveyTime = f.CJITEN;
        set.valuesNote = f.NSUCHI;
    }
    return true;
}

bool SaveCostSet(const Session& s, int code, const CostRows& rows, const CostSet& v)
{
    DbConnection& cn = *s.year;
    return InTransaction(cn, [&] {
        TSEIKEI_ old;
        if (!Delete(cn, false, SqlCondition(" WHERE SKCO = ?", {qint64(code)}), old))
            return false;
        for (const CostRow& row : rows) {
            if (!row.hasValues())
                continue;
            TSEIKEI_ r;
            r.KCO = s.company().KCO;
            r.NENDO = s.company().NENDO;
            r.SKCO = QString::number(code);
            r.SNIN = int(row.size);
            r.SNENREI = int(row.age);
            r.SEIKEIHI = int(TruncateTowardZero(row.cost));
            r.YURITSU = row.comfort;
            r.STRITSU = row.minimum;
            r.TNRITSU = row.single;
            r.KKRITSU = v.multiplier;
            r.DEDOKORO = v.source;
            r.TCHIIKI = v.region;
            r.CJITEN = v.surveyTime;
            r.NSUCHI = v.valuesNote;
            if (!Insert(cn, false, r))
                return false;
        }
        return true;
    });
}

bool DeleteCostSet(const Session& s, int code)
{
    TSEIKEI_ r;
    return Delete(*s.year, true, SqlCondition(" WHERE SKCO = ?", {qint64(code)}), r);
}
