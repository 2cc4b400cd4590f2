// Year rollover: one company's project of a fiscal year carried into the next fiscal year.
//
// The source is the year database of the year rolled over (DataFolder + year), so the
// company list of that year and the tables copied always belong to the same year. The
// new year's database (DataFolder + year + 1, made from the template when missing) is
// opened on the connection given (the third connection, ACN3) and the control database
// is attached to it: the company's MKIGYOU1 row and every copied table are written with
// one commit, so a failure at any table, or a process killed at any moment, leaves both
// files as they were and the rollover can simply be run again. The old year's database is
// attached too, for reading only, so that the employees are carried by INSERT ... SELECT.
#pragma once

#include "core/Outcome.h"
#include "shell/Session.h"
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

struct RolloverResult {
    bool done = false;
    int employees = 0;        // employees carried
    // Employees for whom something was kept because nothing had been decided: a new grade or
    // step of 0, or after-raise pay of all 0.
    int undecided = 0;
    // Done with the closing message; the refusal RolloverExistsMessage; or a failure
    // without a message of its own (the store has reported it).
    Outcome outcome = Outcome::Failed(QString());
};

// The closing message: RolloverDoneMessage, and a second line when undecided is not 0.
QString RolloverClosingMessage(int undecided);

// The reference date (yyyymmdd) of the year after: the same day a year later, 29 February
// becoming 28 February; 0 (none) stays 0.
int ReferenceDateAYearLater(int yyyymmdd);

// Checks that the company is not in the next year yet (RolloverExistsMessage), opens or
// creates the next year's database on target and copies the company from the session's
// program folder. The ages and years of service are those of the company's own age rule
// (MKIGYOU1.FNK and KDATE of the year being closed; the new year's KDATE is a year later),
// whatever project the session has open. s.today gives MKIGYOU1.SDATE (and the ages of a
// company that counts them to today).
// Before anything is written a restore point of the control database and both year
// databases is made (withRestorePoint false leaves it out: the benchmark's bare rollover);
// when it cannot be made the rollover stops with its message.
RolloverResult RollOverCompany(const Session& s, DbConnection& target, int year, int company,
                               bool withRestorePoint = true);
