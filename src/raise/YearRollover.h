// Year rollover: one company's project of a fiscal year carried into the next fiscal year.
//
// The source is the year database of the year rolled over (DataFolder + year), so the
// company list of that year and the tables copied always belong to the same year. The
// new year's database (DataFolder + year + 1, made from the template when missing) is
// opened on ACN3 and the control database is attached to it: the company's MKIGYOU1 row
// and every copied table are written with one commit, so a failure at any table, or a
// process killed at any moment, leaves both files as they were and the rollover can
// simply be run again.
#pragma once

#include "store/Records.h"

#include <QDate>
#include <QString>
#include <QStringList>

inline const QString RolloverExistsMessage =
    QStringLiteral("既にデータが存在します。企業データ　を削除してから、再度年次更新を行ってください。");
inline const QString RolloverDoneMessage = QStringLiteral("年次更新が終了しました。");

// The tables copied, in their order (the employees' MSYAIN1 and MSYAIN2 as one entry
// "MSYAIN1/MSYAIN2").
QStringList RolloverTables();

// What the rollover left as it was for one employee because nothing had been decided.
struct CarriedEmployee {
    bool gradeKept = false;   // NTOUKYU 0: the current grade stays
    bool stepKept = false;    // NGOUHOU 0: the current step stays
    bool payKept = false;     // every after-raise amount 0: the current pay stays
    bool anyKept() const { return gradeKept || stepKept || payKept; }
};

// Turns an employee of the old year, as read through VSYAIN (totals derived), into the
// row of the new year: the decided raise becomes the current pay, grade and step (also
// MSYAIN2.TOUKYU and SYOTEI), the raise fields start afresh and the evaluation and raise
// histories move back one year. A new grade or step of 0 and after-raise pay of all 0
// mean "not decided": the current value is kept.
CarriedEmployee CarryEmployeeIntoNextYear(TSyain_& row, int newYear);

struct RolloverResult {
    bool done = false;
    int employees = 0;        // employees carried
    int undecided = 0;        // employees for whom something was kept (CarriedEmployee)
};

// The closing message: RolloverDoneMessage, and a second line when undecided is not 0.
QString RolloverClosingMessage(int undecided);

// Checks that the company is not in the next year yet (RolloverExistsMessage), opens or
// creates the next year's database on ACN3 and copies the company. Every message is
// shown here except the closing one. today gives MKIGYOU1.SDATE.
RolloverResult RollOverCompany(int year, int company, const QDate& today);
