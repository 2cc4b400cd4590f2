// Lookups of the open project: wage-table amounts, evaluations, grade names, employment
// forms and their pay labels, the band and matrix tables, and the loads of a selection.
#pragma once

#include "shell/AppState.h"

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
int WageTableAmount(int wageTableId, int grade, int step);
// SGOUSU of an evaluation of a wage table; 0 when absent.
int EvaluationSteps(int wageTableId, int hco);
// The nine grade names of a wage table (its DSCALE names), or the company's when the
// ID is 0 or not a number.
QStringList LoadGradeNames(const QString& wageTableId);
EmploymentForms LoadEmploymentForms();
// The eight labels of basic pay 1..3 and allowances 1..5 for a form (1..4; other = none).
QStringList PayLabels(const EmploymentForms& forms, int form);

TBANDTBL LoadBandTable();
TBANDTBL2 LoadBandTable2();
TMATTBL LoadMatrixTable();

// The three loads of a project selection. LoadCompanyMaster resets CurrentCompany and
// fills it from MKIGYOU2 (false when there is no row); LoadMarks resets and fills Marks;
// LoadRoleEvaluations fills EvaluationSymbols.
bool LoadCompanyMaster();
void LoadMarks();
void LoadRoleEvaluations();
