// Where the pay-gap disclosure keeps its data in a year database:
//   PAYGAP         the settings and the 説明欄, one row per company and year (carried by the
//                  rollover);
//   PAYGAPJISSEKI  the actual annual wages and monthly scheduled hours imported from a CSV
//                  file, one row per employee number (never carried: they belong to the year);
//                  NENGAKU is NULL on a row of hours alone.
// Both tables are in data/data.sql, so year files made from the template have them. Year files
// made before they existed get them through AddPayGapTablesWhereMissing, the one place the
// program adds a table to an existing file.
#pragma once

#include "paygap/PayGap.h"

#include <QString>
#include <QStringList>

#include <map>

class DbConnection;

// Upgrade step for year databases made before the pay-gap tables: creates PAYGAP and
// PAYGAPJISSEKI where missing (as data/data.sql defines them), leaving every other table and
// every row as it is. false when a statement failed (reported by the data module).
bool AddPayGapTablesWhereMissing(DbConnection& year);
// true when the year database has both tables.
bool HasPayGapTables(DbConnection& year);

// Year rollover: the company's PAYGAP row of year carried into the database to (year + 1), its
// business-year dates a year later; the imported actual wages stay behind. Nothing to carry
// when from has no PAYGAP table. Writes without a transaction of its own (the rollover's).
bool CarryPayGapSettings(DbConnection& from, DbConnection& to, int year, int company);

// The stored settings of the session's company and year; without a stored row the defaults of
// the fiscal year (found false). false when the read failed.
bool ReadPayGapSettings(const Session& s, PayGapSettings& settings, bool& found);
// Replaces the stored row (one transaction). false when a write failed (reported).
bool SavePayGapSettings(const Session& s, const PayGapSettings& settings);

// The imported actual wages of the session's company and year, keyed by 社員番号.
bool ReadActualWages(const Session& s, std::map<QString, ActualWage>& out);

// One row of an actual-wages CSV file that was refused.
struct ActualWageError {
    int line = 0;       // 1-based line of the file
    QString text;       // the line as read
    QString reason;
};

// An actual-wages CSV file read and checked, nothing stored yet.
struct ActualWageFile {
    Outcome outcome;                         // refused when the file cannot be read at all
    std::map<QString, ActualWage> rows;      // the good rows by 社員番号
    QList<ActualWageError> errors;
};

// Reads 社員番号, 年間賃金総額[, 月間所定労働時間] per line (UTF-8 or Shift-JIS; a first line
// headed 社員番号 is skipped). An empty amount with hours given is a row of hours alone (the
// computed annual wage is kept). A row is refused with its reason when the number is empty or
// repeated, it has neither an amount nor hours, the amount is not a whole number of yen ≥ 0,
// or the hours are not a number ≥ 0.
ActualWageFile ReadActualWageCsv(const QString& path);

// Replaces the company's imported rows of the year by file.rows in one transaction; when any
// write fails the table stays as it was. Refused (nothing stored) when the file has error rows
// and acceptWithErrors is false, or when it has no good row.
Outcome StoreActualWages(const Session& s, const ActualWageFile& file, bool acceptWithErrors);

// The refusal texts, for the screen and the batch tool.
QString ActualWageErrorsText(const QList<ActualWageError>& errors);
