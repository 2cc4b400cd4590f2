// The window's application state and open project: one process-wide object each, and the
// session value built from them for the logic the screens call.
#pragma once

#include "shell/Session.h"

#include <QDate>
#include <QList>
#include <QString>

struct TAppState {
    int ListMode = 0;            // 0 none, 1 register, 2 change, 3 delete, 4 select
    bool CompanyOpen = false;
    int OpenCompanyCode = 0;
    int FiscalYear = 0;
    QString CompanyName;
    int CalendarMode = 0;        // 0 Western years, otherwise Japanese era years
    QString ExeFolder;           // with a trailing "/"
    QString DataFolder;          // ExeFolder + "DATA/"
    QDate Today;
    int TodayYear = 0;
    int TodayMonth = 0;
    int TodayDay = 0;
    QString EraNames[3];
    int EraStartYears[3] = {0, 0, 0};
    int ReportMode = 0;          // 1 after the raise, 2 before the raise
    int AgeByToday = 0;          // MKIGYOU1.FNK: non-zero = ages up to today
    int ReferenceDate = 0;       // MKIGYOU1.KDATE, yyyymmdd

    // Sets ExeFolder and DataFolder from a folder path.
    void setExeFolder(const QString& folder);
    // Takes today's date into Today and its parts.
    void refreshToday();
};

TAppState& App();
TOpenProject& Project();

// Back to the state at start (tests call this between cases).
void ResetAppState();

// The date the program takes for today; tests may fix it (an invalid date = the clock).
QDate CurrentDate();
void SetCurrentDateForTesting(const QDate& date);

// The window's open project (or none) as a session value on the data module's
// connections, today refreshed: what a screen hands to the logic it calls.
Session CurrentSession();
// Takes a session that OpenSession or SelectCompany filled into the application state and
// the open project (the company list's 選択 and start-up).
void AdoptSession(const Session& session);
