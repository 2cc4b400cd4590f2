// Wage tables: the definition of a grade-by-step table, its generation from salary
// scales and curves, and storing and loading it (MCHINGIN, DSCALE, DKSEN2, DKSEN3, DCHINGIN2).
#pragma once

#include "core/Outcome.h"
#include "shell/Session.h"
#include "store/Records.h"

#include <QList>
#include <QString>

#include <array>
#include <vector>

inline constexpr int MaxGrades = 9;
inline constexpr int LowestAllowedStep = -10;
inline constexpr int HighestAllowedStep = 80;
// Working storage of the generation holds at most this many steps.
inline constexpr int MaxStepRows = 200;

enum SalaryCurveKind { SecondOrderCurve = 0, ThirdOrderCurve = 1 };
enum SalaryOverwriteMode { DerivedAmounts = 0, TypedAmounts = 1 };

struct CurvePoint {
    int step = 0;
    long long amount = 0;
};

// The salary scale of one grade: the median with its lower and upper limits in percent.
struct SalaryScaleRow {
    QString name;
    long long lowerPercent = 0;   // whole percent, normally negative
    long long median = 0;
    double upperPercent = 0;      // may carry a fraction; stored rounded to a whole percent
};

struct SalaryGradeDefinition {
    SalaryScaleRow scale;
    // start, middle, end
    std::array<CurvePoint, 3> second;
    // start, first middle, second middle, end
    std::array<CurvePoint, 4> third;
};

struct SalaryListDefinition {
    int id = 0;                   // wage-table ID, 0 = none
    int gradeCount = 9;
    QString title;
    int curveKind = SecondOrderCurve;
    int overwriteMode = DerivedAmounts;
    int roundingCode = 0;         // 0 = 10 yen, 1 = 100 yen, 2 = 1000 yen
    double factor = 1.0;          // base-up factor of the curve kind in force
    std::array<SalaryGradeDefinition, MaxGrades> grades;
    int lowestStep = 0;           // filled by ComputeStepRange
    int highestStep = 0;
};

// The control points of grade g (0-based) for the curve kind in force.
std::vector<CurvePoint> ControlPoints(const SalaryListDefinition& def, int grade);

// ---------------------------------------------------------------- arithmetic

// Spread and range of a scale row, with the texts the screen shows.
struct ScaleRowResult {
    bool spreadDefined = true;    // false when the lower amount is 0 or below
    long long lowerAmount = 0;
    long long upperAmount = 0;
    double spread = 0;            // upper / lower, two decimals
    long long range = 0;          // upper - lower
    QString spreadText;           // "#,##0.00"; "0" for median 0; "―" when undefined
    QString rangeText;            // "#,##0"; "0" for median 0
};
ScaleRowResult UpdateScaleRow(double lowerPercent, double median, double upperPercent);

struct StepRange {
    int lowest = HighestAllowedStep;
    int highest = LowestAllowedStep;
};
// Lowest start step and highest end step over grades 1..grade count; also stored in def.
StepRange ComputeStepRange(SalaryListDefinition& def);

// Start, middle (first middle) and end amounts of a curve from the salary scale.
struct DerivedCurveAmounts {
    long long start = 0;
    long long middle = 0;
    long long end = 0;
};
DerivedCurveAmounts DeriveCurveAmounts(double lowerPercent, double median, double upperPercent);
// Sets those amounts for grades 1..grade count of the curve kind in force; the second
// middle amount of a third-order curve is left as typed.
void DeriveCurveAmounts(SalaryListDefinition& def);

struct QuadraticFit {
    double c0 = 0;
    double c1 = 0;
    double c2 = 0;
};
// Least-squares quadratic through the points (x = step, y = amount), coefficients
// rounded to five decimals; degenerate points give 0 terms instead of failing.
QuadraticFit FitQuadratic(const std::vector<CurvePoint>& points);

// The whole-yen amount of a second-order curve at a step, before the base-up factor: the
// curve's value rounded half away from zero to one decimal, then truncated. The rounding
// absorbs the error of the five-decimal coefficients, so the curve gives back the amount
// typed at each of its control steps (165,000 rather than 164,999.9999 cut to 164,999);
// a value that is not within a twentieth of a yen of a whole yen is merely truncated.
long long SecondOrderAmountAt(const QuadraticFit& fit, int step);

// The generated table: one row per step from lowest to highest.
struct SalaryTableRow {
    int step = 0;
    std::array<long long, MaxGrades> amount{};
    std::array<long long, MaxGrades> ratio{};
};
struct SalaryTable {
    int lowestStep = 0;
    int highestStep = 0;
    QList<SalaryTableRow> rows;
};
// Computes the table of a definition (step range included); writes nothing.
SalaryTable GenerateSalaryTable(SalaryListDefinition def);

// '' when the definition can be generated and saved, else the message that says why not.
QString ValidateSalaryList(const SalaryListDefinition& def);

// ---------------------------------------------------------------- storing and loading

// DCHINGIN2 of the table in the session's project: its rows deleted and regenerated on
// the year database. Runs inside the caller's transaction when ownTransaction is false.
bool BuildSalaryList(const Session& s, const SalaryListDefinition& def, bool ownTransaction);

// The message of a save that failed and was rolled back (shown under an empty caption).
inline const QString SalaryListSaveFailedMessage =
    QStringLiteral("賃金表の登録に失敗しました。登録前の賃金表はそのまま残っています。");

// Checks the definition (refused under the caption "確認" with the reason, nothing
// written, when it cannot be generated), then rewrites MCHINGIN, DSCALE, the curve table
// of the kind in force and DCHINGIN2 of the session's project in one transaction. On
// failure everything is rolled back, the previous table stays as it was and the outcome
// carries SalaryListSaveFailedMessage.
Outcome SaveSalaryList(const Session& s, SalaryListDefinition& def);

// The parts of a stored definition, read for the session's project.
struct StoredSalaryList {
    bool found = false;           // an MCHINGIN row exists
    TMCHNGIN_ header;
    QList<TSCALE_> scale;         // ordered by TKNO
    QList<T2JI_> second;
    QList<T3JI_> third;
};
bool LoadSalaryListHeader(const Session& s, int id, TMCHNGIN_& header, bool& found);
bool LoadSalaryScale(const Session& s, int id, QList<TSCALE_>& rows);
bool LoadSecondOrderCurves(const Session& s, int id, QList<T2JI_>& rows);
bool LoadThirdOrderCurves(const Session& s, int id, QList<T3JI_>& rows);
bool LoadStoredSalaryList(const Session& s, int id, StoredSalaryList& stored);
// The stored parts as a definition (factor from the curve table of the kind in force).
SalaryListDefinition DefinitionFromStored(int id, const StoredSalaryList& stored);

// Every wage-table ID of the salary scales of the session's project, once each, in order.
bool LoadSalaryListIds(const Session& s, QList<int>& ids);
// The ID of the project's first wage-table header (by SKCO), 0 when there is none.
bool FirstSalaryListId(const Session& s, int& id);
// The generated rows of a table ordered by step.
bool ReadSalaryTableRows(const Session& s, int id, QList<TCHNGIN2_>& rows);

// Basic-pay totals by grade of the employees linked to a wage table: per grade the
// averages of KKYU1..KKYU3, each rounded to whole yen, added up. Grades outside 1..9
// are left out.
bool BaseAmountTotals(const Session& s, int id, std::array<long long, MaxGrades>& totals);
