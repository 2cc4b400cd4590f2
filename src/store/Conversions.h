// Conversions shared by the record access layer and the screens.
#pragma once

#include "core/Outcome.h"

#include <QDate>
#include <QString>
#include <QVariant>

#include <functional>

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

// yyyymmdd text as a date; an invalid date for 0, a non-number or an impossible day.
QDate DateFromYMD(const QString& text);

// State code, a blank and the description of the connection's first error;
// "不明なエラーです" when there is none.
QString LastErrorText(const DbConnection& connection);
// Where the data store tells of its failures (a statement that failed, a database that
// could not be opened). The front end installs the reporter once at start: the window
// shows the outcome in its message box, the batch tool writes it to standard error.
// Without one, the text goes to standard error. The store itself shows nothing.
using FailureReporter = std::function<void(const Outcome&)>;
void InstallFailureReporter(FailureReporter reporter);
void ReportFailure(const Outcome& failure);
// A database failure as the store has always told it: empty caption, one OK button.
void ShowDbError(const QString& text);
// Runs a statement outside the record access layer with its values bound; on failure shows
// the engine's text and the statement with its values in the database failure box.
bool ExecuteReported(DbConnection& connection, const QString& sql, const QVariantList& values);
