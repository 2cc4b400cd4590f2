// Evaluation symbols of a wage table (MHYOUKA): checks, the appended code, reading, saving.
#include "raise/EvaluationSymbols.h"

#include "core/Numbers.h"
#include "store/RecordAccess.h"
#include "store/Transactions.h"

#include <optional>

namespace {

std::optional<long long> wholeNumber(const QString& text)
{
    bool ok = false;
    const long long v = text.trimmed().toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

bool sameCode(const QString& a, const QString& b)
{
    const auto x = wholeNumber(a), y = wholeNumber(b);
    if (x && y)
        return *x == *y;
    return a.trimmed() == b.trimmed();
}

bool takesPart(const EvaluationRow& r)
{
    return !r.code.trimmed().isEmpty();
}

SqlValues tableKey(const Session& s, int wageTableId)
{
    return {s.company().NENDO.toLongLong(), s.company().KCO.toLongLong(), qint64(wageTableId)};
}

} // namespace

EvaluationCheck CheckEvaluationRows(const QList<EvaluationRow>& rows)
{
    for (int i = 0; i < rows.size(); ++i) {
        const EvaluationRow& a = rows[i];
        if (!takesPart(a))
            continue;
        if (a.symbol.trimmed().isEmpty())
            return {false, SymbolMissingMessage, i, 2};
        if (!wholeNumber(a.code))
            return {false, CodeNotNumberMessage, i, 1};
        // 昇号数 may be left empty (0), but letters are refused rather than saved as 0.
        if (!a.steps.trimmed().isEmpty() && !wholeNumber(a.steps))
            return {false, CodeNotNumberMessage, i, 3};
        for (int j = 0; j < rows.size(); ++j)
            if (j != i && takesPart(rows[j]) && sameCode(rows[j].code, a.code))
                return {false, CodeDuplicateMessage, i, 1};
        for (int j = 0; j < rows.size(); ++j)
            if (j != i && takesPart(rows[j]) && rows[j].symbol.trimmed() == a.symbol.trimmed())
                return {false, SymbolDuplicateMessage, i, 2};
    }
    return {};
}

QString NextEvaluationCode(const QList<EvaluationRow>& rows, int left)
{
    if (left >= 0 && left < rows.size())
        if (const auto v = wholeNumber(rows[left].code))
            return QString::number(*v + 1);
    std::optional<long long> largest;
    for (const EvaluationRow& r : rows)
        if (const auto v = wholeNumber(r.code); v && (!largest || *v > *largest))
            largest = v;
    return QString::number(largest ? *largest + 1 : 1);
}

bool ReadEvaluations(const Session& s, int wageTableId, QList<EvaluationRow>& rows)
{
    rows.clear();
    TMHYOUKA_rec all;
    if (!ReadAll(*s.year, false,
                 SqlCondition(" WHERE NENDO = ? AND KCO = ? AND SKCO = ? ORDER BY KCO,NENDO,HCO", tableKey(s, wageTableId)),
                 QStringLiteral("SELECT * from MHYOUKA"), all))
        return false;
    for (const TMHYOUKA_& r : all.items)
        rows << EvaluationRow{r.HCO, r.HKIGOU, r.SGOUSU};
    return true;
}

bool SaveEvaluations(const Session& s, int wageTableId, const QList<EvaluationRow>& rows)
{
    DbConnection& cn = *s.year;
    return InTransaction(cn, [&] {
        TMHYOUKA_ old;
        if (!Delete(cn, false, SqlCondition(" WHERE NENDO = ? AND KCO = ? AND SKCO = ?", tableKey(s, wageTableId)), old))
            return false;
        for (const EvaluationRow& row : rows) {
            if (!takesPart(row))
                continue;
            TMHYOUKA_ r;
            r.KCO = s.company().KCO;
            r.NENDO = s.company().NENDO;
            r.SKCO = QString::number(wageTableId);
            r.HCO = row.code.trimmed();
            r.HKIGOU = row.symbol;
            r.SGOUSU = QString::number(wholeNumber(row.steps).value_or(0));
            if (!Insert(cn, false, r))
                return false;
        }
        return true;
    });
}
