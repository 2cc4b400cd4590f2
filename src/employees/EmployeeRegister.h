// Rules of the employee register that need no widget: the record built from the values of
// the fields, pay totals, hourly wage, optimal-wage texts, the values of the columns the
// register does not show, the grid row of an employee, and the writes of the employee pair.
#pragma once

#include "matrix/MatrixZone.h"
#include "core/Dates.h"
#include "shell/Session.h"
#include "store/Records.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// ---------------------------------------------------------------- totals

struct PayAmounts {
    long long kihon[3] = {0, 0, 0};    // KKYU1..3
    long long afKihon[3] = {0, 0, 0};  // NKKYU1..3
    long long teate[5] = {0, 0, 0, 0, 0};
    long long afTeate[5] = {0, 0, 0, 0, 0};
    long long bonus1 = 0;              // SYOUYO
    long long bonus2 = 0;              // SYOUYO2
};

struct PayTotals {
    long long basicSum = 0;
    long long newBasicSum = 0;
    long long allowanceSum = 0;
    long long newAllowanceSum = 0;
    long long monthly = 0;        // 所定給
    long long newMonthly = 0;
    long long annual = 0;         // 年収: monthly * 12 + both bonuses
    long long newAnnual = 0;      // after-raise monthly * 12 + the same bonuses
    long long upBasic = 0;        // Up基本給
    long long upAllowance = 0;    // Up手当

    // Whether every total fits the integer columns it is stored in.
    bool fitsColumns() const;
};

PayTotals ComputePayTotals(const PayAmounts& a);
PayAmounts PayAmountsOf(const TSyain_& rec);
// SYOTEI, NSYOTEI, NENSYU, NNENSYU, UPK and UPT from the record's own amounts; false (and
// nothing written) when a total does not fit its column.
bool StoreTotals(TSyain_& rec);

// ---------------------------------------------------------------- derived texts

// Monthly total over the company's monthly working hours; 0 when the hours are 0.
double HourlyWage(double monthlyTotal, double monthlyHours);
// The hourly wage of the record's stored monthly total, "##,##0".
QString HourlyWageText(const TSyain_& rec, double monthlyHours);

struct OptimalWageTexts {
    QString name;      // FITNAME
    QString amount;    // FITKIN "##,##0"
    QString residual;  // FITJITSU - FITKIN "##,##0"
    QString ratio;     // residual * 100 / FITKIN "##0.00%" (0 when FITKIN is 0)
};
// All blank when FITNO is 0.
OptimalWageTexts OptimalWageTextsOf(const TSyain_& rec);

// The 11 cells of the employee's grid row: position, SCO, SCOT, SNA, age, service
// ("0" both when SCOT is empty), YAKU, HKIGOU, TOUKYU, GOUHOU, ZONEX.
QStringList EmployeeGridRow(int position, const TSyain_& rec);

// ---------------------------------------------------------------- the record from the fields

// The values of the register's fields as typed or chosen (codes already taken from the
// list texts; numbers as the fields' texts).
struct EmployeeFields {
    QString code;        // cmbWorker: the text before its first blank is the code
    QString number;      // SCOT
    QString name;        // SNA
    bool female = false;
    TYMD birth, entry, promotion;   // era, year, month, day of each date
    QString position;    // YAKU
    int form = 0;        // SM1
    QString education, major, qualifications, assignment;  // GAKU, SENKOU, KSIKAKU, KEIKEN
    int grade = 0;       // TCO and TOUKYU
    QString step;        // GOUHOU
    QString achievement; // TRITSU
    int evaluation = 0;  // HCO
    QString history[3];  // HNA1..3
    QString experience;  // NENSU
    QString points;      // TENSU
    int mark = 0;        // MCO
    QString picture;     // SPATH
    QString kihon[3], afKihon[3], teate[5], afTeate[5];
    QString bonus1, bonus2;
    QString retirementRate;  // SRITSU
    QString raises[3];       // UPKIN1..3
    int link = 0;            // JISEKI
    int wageTable = 0;       // SKCO
    int band = 0;            // BANDID
    int role = 0;            // YHYOUKA
};

enum class EmployeeFieldError { None, CodeEmpty, NameEmpty, CodeInvalid, BirthDate, EntryDate, PromotionDate, Totals };

struct EmployeeCheck {
    EmployeeFieldError error = EmployeeFieldError::None;
    QString message;
    bool ok() const { return error == EmployeeFieldError::None; }
};

// The employee code typed into the code list: the text before its first blank, a positive
// integer ("数値を入力して下さい。", "０は入力できません。"). code receives it.
EmployeeCheck CheckEmployeeCode(const QString& text, int* code = nullptr);

// Checks the fields in the order code, name, code value, birth date, entry date, promotion
// date (dates joined in the session's calendar and eras), then fills rec from them: the
// session's KCO and NENDO, every shown column, age and service up to the session's
// ageReferenceDay(), the totals from the amounts, and the columns every save resets (MNA,
// SM2 empty; MLINK, ZONEX 0). Columns the register does not show keep rec's values. rec is
// not touched when a check fails.
EmployeeCheck FillEmployeeRecord(const Session& s, const EmployeeFields& fields, TSyain_& rec);

// The values a new employee's hidden columns get (registration time as NEWDAY1).
void SetAddTimeValues(TSyain_& rec, const QDateTime& now);

// ---------------------------------------------------------------- writes

// These read and write the session's year database.
// Whether MSYAIN1 has the code in the session's project; false when the read failed.
bool EmployeeExists(const Session& s, int code, bool& exists);
// Both rows of the employee in one transaction.
bool AddEmployee(const Session& s, TSyain_& rec);
bool ModifyEmployee(const Session& s, TSyain_& rec);
bool DeleteEmployee(const Session& s, int code);

// For every employee of the list whose MLINK is 1..3, the zone of its basic pay component
// MLINK for its band and role evaluation; ZONEX of the list rows is set and every changed
// row written back, all in one transaction (rolled back on failure). Returns false when a
// write failed; the list then keeps the stored zones.
bool RecomputeMatrixZones(const Session& s, TSyain_rec& list, const MatrixTables& tables);
