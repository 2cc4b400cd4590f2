// Raise input: step climb, amount totals, new basic pay, the list and the save.
#include "raise/RaiseInput.h"

#include "core/CodeLists.h"
#include "core/Numbers.h"
#include "shell/ProjectLookups.h"
#include "store/Conversions.h"
#include "store/RecordAccess.h"

#include <cmath>

void ComputeRaiseTotals(RaiseTable& a)
{
    a.basicBefore = a.basicAfter = 0;
    for (int n = 0; n < 3; ++n) {
        a.after[n] = a.before[n] + a.up[n];
        a.basicBefore += a.before[n];
        a.basicAfter += a.after[n];
    }
    a.basicUp = a.basicAfter - a.basicBefore;
    a.allowanceBefore = a.allowanceAfter = 0;
    for (int n = 3; n < 8; ++n) {
        a.up[n] = a.after[n] - a.before[n];
        a.allowanceBefore += a.before[n];
        a.allowanceAfter += a.after[n];
    }
    a.allowanceUp = a.allowanceAfter - a.allowanceBefore;
    a.totalBefore = a.basicBefore + a.allowanceBefore;
    a.totalAfter = a.basicAfter + a.allowanceAfter;
    a.totalUp = (a.basicUp + a.allowanceAfter) - a.allowanceBefore;
}

int CalcStep(int step, int stepIncrement)
{
    return step + stepIncrement;
}

long long AnnualAfterRaise(double monthlyTotalAfter)
{
    return TruncateTowardZero(monthlyTotalAfter * 12);
}

long long ApplyNewPay(int link, long long amount, bool set, RaiseTable& a)
{
    // No amount in the wage table: the after-raise pay stays as it was.
    if (set && amount != 0 && link >= 1 && link <= 3)
        a.after[link - 1] = amount;
    for (int n = 0; n < 3; ++n)
        a.up[n] = a.after[n] - a.before[n];
    ComputeRaiseTotals(a);
    return amount == 0 ? -1 : amount;
}

long long LookUpNewPay(const Session& s, bool promotionEnabled, int link, int wageTableId,
                       const QString& newGradeText, const QString& newStepText, bool set, RaiseTable& amounts)
{
    if (!promotionEnabled || link < 1 || link > 3)
        return 0;
    const QString grade = newGradeText.trimmed().section(' ', 0, 0);
    const QString step = newStepText.trimmed();
    if (grade.isEmpty() || step.isEmpty())
        return 0;
    const int amount = WageTableAmount(s, wageTableId, int(WholeNumberOrZero(grade)), int(WholeNumberOrZero(step)));
    return ApplyNewPay(link, amount, set, amounts);
}

bool LoadRaiseList(const Session& s, int gradeFilter, QList<RaiseListRow>& rows)
{
    rows.clear();
    const TMKIGYOU2& c = s.company();
    QString where = QStringLiteral(" WHERE NENDO = ? AND KCO = ?");
    SqlValues values{c.NENDO.toLongLong(), c.KCO.toLongLong()};
    if (gradeFilter >= 1 && gradeFilter <= 9) {
        where += QStringLiteral(" AND TOUKYU = ?");
        values << gradeFilter;
    }
    where += QStringLiteral(" ORDER BY KCO,SCO");
    TSyain_rec list;
    if (!ReadAll(*s.year, false, SqlCondition(where, values),
                 QStringLiteral("SELECT KCO, SCO, NENDO, SCOT, SNA, SEIHI, NYUHI, TRITSU, TCO, TOUKYU, NTOUKYU, "
                                "GOUHOU, NGOUHOU, MCO FROM VSYAIN"),
                 list, s.ageReferenceDay()))
        return false;
    for (const TSyain_& e : list.items) {
        RaiseListRow r;
        r.sco = int(WholeNumberOrZero(e.SCO));
        r.scot = e.SCOT;
        r.name = e.SNA;
        if (!e.SCOT.isEmpty()) {
            r.age = s.yearsUntilReference(e.SEIHI);
            r.service = e.NYUHI == 0 ? 0 : s.yearsUntilReference(e.NYUHI);
        }
        r.achievement = e.TRITSU;
        r.grade = e.TCO;
        r.newGrade = e.NTOUKYU;
        r.step = e.GOUHOU;
        r.newStep = e.NGOUHOU;
        if (e.MCO >= 1 && e.MCO <= 9) {
            const TMMARK& mark = s.project.Marks[e.MCO - 1];
            r.markName = NameOf(MarkItemText(e.MCO, mark.MARK, mark.HANREI));
        }
        rows << r;
    }
    return true;
}

bool SaveRaiseDecision(const Session& s, const RaiseDecision& d, bool& found)
{
    const TMKIGYOU2& c = s.company();
    const SqlCondition where(QStringLiteral(" WHERE SCO = ? AND NENDO = ? AND KCO = ?"),
                             {qint64(d.sco), c.NENDO.toLongLong(), c.KCO.toLongLong()});
    TSyain_ e;
    found = false;
    if (!ReadOne(*s.year, false, where, QStringLiteral("Select * from VSYAIN"), e, s.ageReferenceDay()))
        return false;
    if (!e.ok)
        return false;
    found = true;
    const RaiseTable& a = d.amounts;
    e.BANDID = d.matrix[0];
    e.YHYOUKA = d.matrix[1];
    e.NEWBANDID = d.matrix[2];
    e.NEWYHYOUKA = d.matrix[3];
    e.TCO = d.grade;
    e.GOUHOU = d.step;
    e.HCO = d.evaluation;
    e.UPK = int(a.basicUp);
    e.UPT = int(a.allowanceUp);
    int* before[8] = {&e.KKYU1, &e.KKYU2, &e.KKYU3, &e.TEATE1, &e.TEATE2, &e.TEATE3, &e.TEATE4, &e.TEATE5};
    int* after[8] = {&e.NKKYU1, &e.NKKYU2, &e.NKKYU3, &e.NTEATE1, &e.NTEATE2, &e.NTEATE3, &e.NTEATE4, &e.NTEATE5};
    for (int i = 0; i < 8; ++i) {
        *before[i] = int(a.before[i]);
        *after[i] = int(a.after[i]);
    }
    e.NNENSYU = int(AnnualAfterRaise(double(a.totalAfter)));
    e.NTOUKYU = d.newGrade;
    e.SGOUHOU = d.stepIncrement;
    e.NGOUHOU = d.newStep;
    e.FSKCHK = d.promotion ? 1 : 0;
    e.SYOTEI = int(a.totalBefore);
    e.NSYOTEI = int(a.totalAfter);
    // Both tables in one transaction: never one of the pair without the other.
    return Update(*s.year, true, where, e);
}
