// Raise input: the step climb, the amount table's totals, the new basic pay from the wage
// table, the employee list and the save of what was decided (widget-free).
#pragma once

#include "shell/Session.h"
#include "store/Records.h"

#include <QList>
#include <QString>

inline const QString NewPayNotFoundMessage =
    QStringLiteral("新基本給を決定出来ません。New等級,New号俸を確認して下さい。");
inline const QString NoWageTableQuestion =
    QStringLiteral("賃金表　が作成されていません、続けますか。\n【はい】:続けます。\n【いいえ】:画面を終了します。");

// The amount table: basic pay 1..3 (indices 0..2) and allowances 1..5 (indices 3..7).
// Entered: before[0..7], up[0..2] and after[3..7]; the rest is computed.
struct RaiseTable {
    long long before[8] = {};
    long long up[8] = {};
    long long after[8] = {};
    // Sum基本給, Sum手　当 and Total所定給: before, Up and after.
    long long basicBefore = 0, basicUp = 0, basicAfter = 0;
    long long allowanceBefore = 0, allowanceUp = 0, allowanceAfter = 0;
    long long totalBefore = 0, totalUp = 0, totalAfter = 0;
};

// Recomputes the table: after basic n = before + Up; allowance Up n = after − before;
// the sums; Total Up = (basic Up sum + allowance sum after) − allowance sum before.
void ComputeRaiseTotals(RaiseTable& a);

// Calc号俸 = 号俸 + 昇号数.
int CalcStep(int step, int stepIncrement);
// NNENSYU: the after-raise monthly total × 12, truncated.
long long AnnualAfterRaise(double monthlyTotalAfter);

// The wage-table lookup of the new basic pay. Runs only when the promotion box is
// enabled and link is 1..3; the new grade is the number before the first blank of
// newGradeText and the new step the text of newStepText, both must be given. amount
// is the KIN of the session's wage table for the grade at the step (through the shared
// lookup, whose failures the store reports). With set and an amount found, the linked
// component's after-raise amount becomes amount; then Up 1..3 = after − before and the
// totals. Returns amount, −1 when it is 0, and 0 when the lookup did not run.
long long LookUpNewPay(const Session& s, bool promotionEnabled, int link, int wageTableId,
                       const QString& newGradeText, const QString& newStepText, bool set, RaiseTable& amounts);
// The same with the amount already known (the part that needs no database).
long long ApplyNewPay(int link, long long amount, bool set, RaiseTable& amounts);

// One row of the raise list.
struct RaiseListRow {
    int sco = 0;
    QString scot, name;
    int age = 0, service = 0;
    double achievement = 0;     // TRITSU
    int grade = 0, newGrade = 0, step = 0, newStep = 0;
    QString markName;           // the text after " : " of the mark's item, '' for MCO 0
};
// Employees of the session's project (grade TOUKYU = filter when 1..9) in SCO order;
// ages and service count to the session's reference day, mark names are the project's.
bool LoadRaiseList(const Session& s, int gradeFilter, QList<RaiseListRow>& rows);

// What the raise input saves for one employee.
struct RaiseDecision {
    int sco = 0;
    int matrix[4] = {};         // BANDID, YHYOUKA, NEWBANDID, NEWYHYOUKA
    int grade = 0;              // TCO
    int step = 0;               // GOUHOU
    int evaluation = 0;         // HCO
    int newGrade = 0;           // NTOUKYU
    int stepIncrement = 0;      // SGOUHOU
    int newStep = 0;            // NGOUHOU
    bool promotion = false;     // FSKCHK
    RaiseTable amounts;       // computed
};
// Reads the employee of the session's project again, puts the decision in and updates
// MSYAIN1 and MSYAIN2 in one transaction; the other columns are written back as read.
// false when nothing was saved (the store has reported why) or the employee is gone
// (found false).
bool SaveRaiseDecision(const Session& s, const RaiseDecision& d, bool& found);
