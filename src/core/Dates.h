// Date entry and display in Western or Japanese-era years.
//
// Era names and the era of a date come from ICU's Japanese calendar; the control
// record's eras (an EraTable) turn an era year back into a Western year.
#pragma once

#include <QDate>
#include <QString>

// A date being entered or shown: the eight-digit text and its parts.
struct TYMD {
    QString ymd;    // yyyymmdd, or "0" for no date
    QString era;    // era name (era mode), '' otherwise
    QString year;   // two digits
    QString month;
    QString day;
    QDate date;     // the date of ymd; invalid for no date or a date that failed
};

// The control record's three eras: names (REKI1..3) and the Western year each begins
// (SNEN1..3).
struct EraTable {
    QString names[3];
    int startYears[3] = {0, 0, 0};
};

// Splits ymd into its parts; in era mode (calendarMode != 0) the year is the era year and
// era the era's name. false when ymd has eight characters but is not a valid date.
bool SplitDate(TYMD& d, int calendarMode);
// Joins the parts into ymd. Month and day both 0 (or empty) = no date ("0"). In era mode
// the year counts from the start of the era named in eras; in Western mode a two-digit
// year up to 30 is 20yy, above it 19yy. false for an unknown era or an impossible date.
bool JoinDate(TYMD& d, int calendarMode, const EraTable& eras);
// The year label: the Western year, or the era name, a blank and the two-digit era year.
QString FiscalYearText(int calendarMode, int year);
// '' for 0, else era name (era mode) + year + "年" + month + "月" + day + "日".
QString DateText(int yyyymmdd, int calendarMode);

// The era of a date by the platform's Japanese calendar: its name and the year within it.
bool JapaneseEra(const QDate& date, QString& eraName, int& eraYear);
