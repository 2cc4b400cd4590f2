// Date entry and display in Western or Japanese-era years.
//
// Era names and the era of a date come from ICU's Japanese calendar; the control
// record's eras (EraNames, EraStartYears of the application state) turn an era year
// back into a Western year.
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
    QDate date;
};

// Splits ymd into its parts; in era mode (CalendarMode != 0) the year is the era year and
// era the era's name. false when ymd has eight characters but is not a valid date.
bool SplitDate(TYMD& d);
// The same with an explicit calendar mode.
bool SplitDate(TYMD& d, int calendarMode);
// Joins the parts into ymd. Month and day both 0 (or empty) = no date ("0"). In era mode
// the year counts from the start of the era named; in Western mode a two-digit year up
// to 30 is 20yy, above it 19yy. false for an unknown era or an impossible date.
bool JoinDate(TYMD& d);
bool JoinDate(TYMD& d, int calendarMode);
// The year label: the Western year, or the era name, a blank and the two-digit era year.
QString FiscalYearText(int calendarMode, int year);
// '' for 0, else era name + year + "年" + month + "月" + day + "日".
QString DateText(int yyyymmdd);

// The era of a date by the platform's Japanese calendar: its name and the year within it.
bool JapaneseEra(const QDate& date, QString& eraName, int& eraYear);
