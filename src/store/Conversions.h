// Conversions shared by the record access layer and the screens.
#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

class DbConnection;

// '' becomes "0"; any other text is unchanged.
QString ZeroIfEmpty(const QString& text);
// 0 when |denominator| < 1e-12, else the quotient.
double SafeDivide(double numerator, double denominator);
// The same guard in extended precision, for sums kept as long double.
long double SafeDivideExtended(long double numerator, long double denominator);

// Read conversions: null (or unassigned) becomes '', 0, 0.
QString VariantToText(const QVariant& v);
int VariantToInteger(const QVariant& v);
double VariantToReal(const QVariant& v);
// The value as text; "0" when it is null, unassigned or empty.
QString VariantToTextOrZero(const QVariant& v);

// Completed years from date (yyyymmdd) to reference (yyyymmdd); 0 when date is 0 or
// either cannot be split into year, month and day.
int YearsBetween(int date, int reference);
// Completed years from date to the reference day of the open project: today when
// AgeByToday is set (today's date is refreshed first), else ReferenceDate.
int YearsUntilReference(int date);

// yyyymmdd text as a date; an invalid date for 0, a non-number or an impossible day.
QDate DateFromYMD(const QString& text);

// State code, a blank and the description of the connection's first error;
// "不明なエラーです" when there is none.
QString LastErrorText(const DbConnection& connection);
// The database failure box: no owner, empty caption, one OK button.
void ShowDbError(const QString& text);
// Runs a statement outside the record access layer with its values bound; on failure shows
// the engine's text and the statement with its values in the database failure box.
bool ExecuteReported(DbConnection& connection, const QString& sql, const QVariantList& values);
