// Lookups of the open project: wage-table amounts, evaluations, grade names, employment
// forms and their pay labels, the band and matrix tables, and the loads of a selection.
#pragma once

#include "core/SheetTable.h"
#include "shell/Session.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// An employment form of the open project (entry index = SALARYID - 1).
struct TSALARYNAME {
    QString formName;    // SALARYNAME
    QString schemeName;  // TEIGI
    QString listText;    // SALARYID " : " SALARYNAME, '' for an empty entry
    QString KIHON[3];
    QString TEATE[5];
};
using EmploymentForms = std::array<TSALARYNAME, 4>;

// One row of VBANDM: a band with one cell of its matrix.
struct TBANDM {
    int BANDID = 0;
    QString BANDNAME;
    QString BANDTEIGI;
    int baseWage = 0;        // 基準賃金
    int lowerRate = 0;       // 下限率
    int upperRate = 0;       // 上限率
    double spread = 0;       // スプレッド
    int range = 0;           // レンジ
    int lower[5] = {0, 0, 0, 0, 0};  // 下限額1..5
    int upper[5] = {0, 0, 0, 0, 0};  // 上限額1..5
    int MATRIXID = 0;
    int YHYOUKA = 0;
    double UP[5] = {0, 0, 0, 0, 0};
};
struct TBANDTBL {
    QString title;
    int marume = 0;
    QList<TBANDM> bands;
};

// One row of VBANDM2: a band with its matrix.
struct TBANDM2 {
    QString BANDID;
    QString BANDNAME;
    QString BANDTEIGI;
    int baseWage = 0;
    int lowerRate = 0;
    int upperRate = 0;
    int lowest = 0;          // 下限額1
    int highest = 0;         // 上限額 of zone ZONESU when ZONESU is 2..5, else 上限額1
    double spread = 0;
    int range = 0;
    int lower[5] = {0, 0, 0, 0, 0};
    int upper[5] = {0, 0, 0, 0, 0};
    QString MATRIXID;
    QString MATRIXNAME;
    int ZONESU = 0;
};
struct TBANDTBL2 {
    QString title;
    int marume = 0;
    QList<TBANDM2> bands;
};

// A cell of a matrix: the raise rates of a role evaluation by zone.
struct TMATRIX {
    int YHYOUKA = 0;
    double UP[5] = {0, 0, 0, 0, 0};
};
// The cells of one matrix as used by one band.
struct TMATHYOUKA {
    int BANDID = 0;
    QString BANDNAME;
    int MATRIXID = 0;
    QString NAME;
    QString TEIGI;
    int ZONESU = 0;
    QList<TMATRIX> cells;
};
struct TMATTBL {
    QList<TMATHYOUKA> groups;
};

// KIN of the grade (1..9) at the step of a wage table; 0 when absent.
int WageTableAmount(const Session& s, int wageTableId, int grade, int step);
// SGOUSU of an evaluation of a wage table; 0 when absent.
int EvaluationSteps(const Session& s, int wageTableId, int hco);
// The nine grade names of a wage table (its DSCALE names), or the company's when the
// ID is 0 or not a number.
QStringList LoadGradeNames(const Session& s, const QString& wageTableId);
EmploymentForms LoadEmploymentForms(const Session& s);
// The eight labels of basic pay 1..3 and allowances 1..5 for a form (1..4; other = none).
QStringList PayLabels(const EmploymentForms& forms, int form);

TBANDTBL LoadBandTable(const Session& s);
TBANDTBL2 LoadBandTable2(const Session& s);
TMATTBL LoadMatrixTable(const Session& s);

// The three loads of a project selection into the session's open project (its KCO and
// NENDO set). LoadCompanyMaster resets CurrentCompany and fills it from MKIGYOU2 (false
// when there is no row); LoadMarks resets and fills Marks; LoadRoleEvaluations fills
// EvaluationSymbols.
bool LoadCompanyMaster(Session& s);
void LoadMarks(Session& s);
void LoadRoleEvaluations(Session& s);

// What the main window's menu rule needs to know of the open project: whether the basic
// settings have been stored (MKIGYOU1 row with FNK not "9"), whether employment forms and
// evaluation symbols exist, and which matrix tables hold a row.
struct ProjectReadiness {
    bool settingsStored = false;
    bool hasForms = false;
    bool hasEvaluations = false;
    bool hasMatrixId = false;
    bool hasRoleEvaluation = false;
    bool hasMatrixCell = false;
    bool hasBand = false;
    // The analysis, wage-table, raise, employee and report commands may be used.
    bool ready() const { return settingsStored && hasForms && hasEvaluations; }
};
ProjectReadiness ReadProjectReadiness(const Session& s);
// The open project has a generated wage table (a DCHINGIN2 row).
bool HasGeneratedWageTable(const Session& s);

// The document properties of a table exported from the session's project: the title, the
// company's name and the fiscal-year label ("2020 年度", or the era year in era mode).
SheetProperties SheetPropertiesFor(const Session& s, const QString& title);
