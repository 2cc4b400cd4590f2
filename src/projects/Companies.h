// Companies of a fiscal year: the list, the next free code, registering, changing and
// deleting a company, and opening it in a session.
//
// A company lives in two files: its MKIGYOU1 row in the control database (the session's
// control connection) and its rows in the year database (its year connection).
// Registering, changing and deleting write both files with one commit: the control file
// is attached to the year connection for the operation and every statement runs there; on
// any failure the one transaction rolls back, the failing statement's message has been
// reported and neither file has changed. A process killed part-way leaves neither file
// changed either.
#pragma once

#include "core/Outcome.h"
#include "shell/Session.h"
#include "store/Records.h"

#include <QDate>
#include <QList>
#include <QString>

// The session's year database of a year (DATA/<year>/DATA.MDB) and the template it is
// made from (DATA/DATA.MDB).
QString YearDatabasePath(const Session& s, int year);
QString TemplateDatabasePath(const Session& s);
// Opens the year's database on the session's year connection; with mayCreate its folder
// and file are made from the template when missing (an existing file is never replaced).
// The store reports each failure.
bool OpenYearDatabase(const Session& s, int year, bool mayCreate);

// The MKIGYOU1 rows of a year in KCO order; false when the read failed (the store reports it).
bool LoadCompanyList(const Session& s, int year, QList<TKigyo1_>& rows);
// Every fiscal year that lists at least one company, in ascending order; false when the
// read failed (the store reports it).
bool LoadCompanyYears(const Session& s, QList<int>& years);
// The largest KCO over all years, 0 when there is none (or the statement failed).
int LargestCompanyCode(const Session& s);

// The year box's years: 2004 ... thisYear + 1 (nothing when thisYear is before 2003).
QList<int> SelectableYears(int thisYear);

// The company master's lists: MDCO " : " MDNA of every model (control database) and
// SKCO " : " DEDOKORO of every cost-of-living table of the open year database.
QStringList ModelCodeItems(const Session& s);
QStringList LivingCodeItems(const Session& s);
// The company's MKIGYOU1 row (control database) and MKIGYOU2 row (year database) of a
// year; false when the read failed, found tells whether there was a row.
bool ReadCompanyRow(const Session& s, int year, int code, TKigyo1_& row, bool& found);
bool ReadCompanyMasterRow(const Session& s, int year, int code, TKigyo2_& row, bool& found);

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

// Inserts MKIGYOU1 (control database) and MKIGYOU2, the template marks MMMARK -> MMARK and
// graph styles MMGRAPH -> MGRAPH (year database). SDATE is the year with today's month and day.
bool RegisterCompany(const Session& s, const CompanyMasterInput& in, const QDate& today);
// Rewrites the name and working-time figures of MKIGYOU1 and the master row MKIGYOU2.
bool ChangeCompany(const Session& s, const CompanyMasterInput& in);
// Deletes the company's rows of that year from MKIGYOU1 and from every project table,
// and the MSEIKEI rows it saved (by KCO alone).
bool DeleteCompany(const Session& s, int year, int code);

// The project tables of a year emptied for a company, in the order they are deleted
// (MSEIKEI, deleted by KCO alone, comes last).
QStringList CompanyTablesOfYear();

enum class OpenOutcome {
    Opened,           // the session's company, dates, calendar and project are filled
    NoCompanyMaster,  // no MKIGYOU2 row; the session is as before
    Failed,           // a read failed (the store reports it); the session is as before
};
// Opens a company of a year in the session: companyCode, companyName, fiscalYear,
// calendarMode (REKI), ageByToday (FNK not 0), referenceDate (KDATE), and the project:
// CurrentCompany with the working-time figures of MKIGYOU1, the marks and the role
// evaluations. The year database must be open on the session's year connection.
OpenOutcome OpenCompany(Session& s, int year, int code, const QString& name);

inline const QString NoCompanyMasterMessage = QStringLiteral("企業マスターが存在しません。");
// 選択 of the company list (and the batch tool's --year/--company): opens the year
// database on the session's year connection (without creating it) and the company in the
// session; refused with NoCompanyMasterMessage when it has no master row, failed without
// a message of its own when a database could not be opened or read (the store reports
// that). The session is unchanged unless the company was opened.
Outcome SelectCompany(Session& s, int year, int code, const QString& name);
