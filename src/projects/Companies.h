// Companies of a fiscal year: the list, the next free code, registering, changing and
// deleting a company, and opening it as the current project.
//
// A company lives in two files: its MKIGYOU1 row in the control database (ACN1) and
// its rows in the year database (ACN2). Registering, changing and deleting write both
// files with one commit: the control file is attached to ACN2 for the operation and
// every statement runs there; on any failure the one transaction rolls back, the failing
// statement's message has been shown and neither file has changed. A process killed
// part-way leaves neither file changed either.
#pragma once

#include "store/Records.h"

#include <QDate>
#include <QList>
#include <QString>

// DataFolder + year + "/DATA.MDB" and the template DataFolder + "DATA.MDB".
QString YearDatabasePath(int year);
QString TemplateDatabasePath();
// Opens the year's database on ACN2; with mayCreate its folder and file are made from
// the template when missing (an existing file is never replaced). Messages are shown.
bool OpenYearDatabase(int year, bool mayCreate);

// The MKIGYOU1 rows of a year in KCO order; false when the read failed (message shown).
bool LoadCompanyList(int year, QList<TKigyo1_>& rows);
// The largest KCO over all years, 0 when there is none (or the statement failed).
int LargestCompanyCode();

// The year box's years: 2004 ... thisYear + 1 (nothing when thisYear is before 2003).
QList<int> SelectableYears(int thisYear);

// The company master's lists: MDCO " : " MDNA of every model (control database) and
// SKCO " : " DEDOKORO of every cost-of-living table of the open year database.
QStringList ModelCodeItems();
QStringList LivingCodeItems();
// The company's MKIGYOU1 row (control database) and MKIGYOU2 row (year database) of a
// year; false when the read failed, found tells whether there was a row.
bool ReadCompanyRow(int year, int code, TKigyo1_& row, bool& found);
bool ReadCompanyMasterRow(int year, int code, TKigyo2_& row, bool& found);

// What the company master writes.
struct CompanyMasterInput {
    QString code;               // KCO
    QString year;               // NENDO
    QString name;               // stored trimmed
    QString gradeNames[9];      // TK01..TK09, stored trimmed
    int modelCode = 0;          // MDCO
    int livingCode = 0;         // SKCO
    // The working-time fields as typed (commas allowed, empty = 0).
    QString hours;              // SYOTEIHH
    QString days;               // SYOTEIDD
    QString monthlyHours;       // SYOTEIMM
    QString minimumWage;        // SAITEI
};

// A working-time field's text is acceptable: a number (commas removed, empty = 0), not -1.
bool IsWorkingTimeNumber(const QString& typed);
// The field's value as it is stored: commas and blanks removed, '' as "0".
QString WorkingTimeValue(const QString& typed);

// Inserts MKIGYOU1 (ACN1) and MKIGYOU2, the template marks MMMARK -> MMARK and graph
// styles MMGRAPH -> MGRAPH (ACN2). SDATE is the year with today's month and day.
bool RegisterCompany(const CompanyMasterInput& in, const QDate& today);
// Rewrites the name and working-time figures of MKIGYOU1 and the master row MKIGYOU2.
bool ChangeCompany(const CompanyMasterInput& in);
// Deletes the company's rows of that year from MKIGYOU1 and from every project table,
// and the MSEIKEI rows it saved (by KCO alone).
bool DeleteCompany(int year, int code);

// The project tables of a year emptied for a company, in the order they are deleted
// (MSEIKEI, deleted by KCO alone, comes last).
QStringList CompanyTablesOfYear();

enum class OpenOutcome {
    Opened,           // CurrentCompany, Marks, EvaluationSymbols and the state are filled
    NoCompanyMaster,  // no MKIGYOU2 row; the state is as before
    Failed,           // a read failed (message shown); the state is as before
};
// Opens a company of a year as the current project: OpenCompanyCode, CompanyName,
// CalendarMode (REKI), AgeByToday (FNK), ReferenceDate (KDATE), CurrentCompany with the
// working-time figures of MKIGYOU1, the marks and the role evaluations; CompanyOpen.
// The year database must be open on ACN2.
OpenOutcome OpenCompany(int year, int code, const QString& name);

// 選択 of the company list: opens the year database (without creating it) and the company
// as the current project; "企業マスターが存在しません。" when it has no master row. Messages
// are shown; true when the project is open.
bool SelectCompany(int year, int code, const QString& name);
