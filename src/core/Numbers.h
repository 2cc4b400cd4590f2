// Number routines: rounding to decimals and yen units, powers, display formats.
#pragma once

#include <QString>

// x rounded to the given number of decimals, halves away from zero; 0 stays 0.
// When the scaling would overflow, x truncated toward zero.
double RoundHalfAway(double x, int decimals);
// Rounding unit code 0 = 10 yen, 1 = 100 yen, anything else = 1000 yen.
int UnitOfRoundingCode(int mode);
// amount rounded half away from zero to the unit of the code, as whole yen.
long long RoundToUnit(int mode, double amount);
// base raised to exponent; 0 when base is 0 or the result is not a number.
double Power(double exponent, double base);
// Truncation toward zero to a whole number.
long long TruncateTowardZero(double x);

// A value in a display format of the forms used on the screens:
// "#,##0", "#,##0.000", "##0", "#,###" (empty for 0), "0.00%" (a literal percent sign),
// "0000'.'00'.'00" (quoted literals between digits).
QString FormatFloat(const QString& format, double value);

// Text typed into a number field: commas removed, blanks trimmed; empty reads as 0.
QString WithoutCommas(const QString& text);
// The whole number in a field's text (commas removed, empty = 0); false when not one.
bool ParseWholeNumber(const QString& text, long long& value);
// The decimal number in a field's text (commas removed, empty = 0); false when not one.
bool ParseDecimalNumber(const QString& text, double& value);
// The field's value as a whole number, 0 when it is not one (commas removed, empty = 0).
long long WholeNumberOrZero(const QString& text);
double DecimalNumberOrZero(const QString& text);
