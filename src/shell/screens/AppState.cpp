// The application state and the open project.
#include "shell/screens/AppState.h"

#include "store/DataModule.h"

#include <QDir>

namespace {
TAppState appState;
TOpenProject openProject;
QDate fixedToday;
} // namespace

TAppState& App()
{
    return appState;
}

TOpenProject& Project()
{
    return openProject;
}

void ResetAppState()
{
    const QString exe = appState.ExeFolder;
    appState = TAppState();
    openProject = TOpenProject();
    appState.setExeFolder(exe);
    appState.refreshToday();
}

QDate CurrentDate()
{
    return fixedToday.isValid() ? fixedToday : QDate::currentDate();
}

void SetCurrentDateForTesting(const QDate& date)
{
    fixedToday = date;
}

void TAppState::setExeFolder(const QString& folder)
{
    if (folder.isEmpty()) {
        ExeFolder.clear();
        DataFolder.clear();
        return;
    }
    QString f = QDir::fromNativeSeparators(folder);
    if (!f.endsWith('/'))
        f += '/';
    ExeFolder = f;
    DataFolder = f + QStringLiteral("DATA/");
}

void TAppState::refreshToday()
{
    Today = CurrentDate();
    TodayYear = Today.year();
    TodayMonth = Today.month();
    TodayDay = Today.day();
}

Session CurrentSession()
{
    TAppState& app = App();
    app.refreshToday();
    Session s;
    s.exeFolder = app.ExeFolder;
    s.dataFolder = app.DataFolder;
    if (HasFDM()) {
        s.control = &FDM().ACN1;
        s.year = &FDM().ACN2;
    }
    s.fiscalYear = app.FiscalYear;
    s.companyCode = app.CompanyOpen ? app.OpenCompanyCode : 0;
    s.companyName = app.CompanyName;
    s.referenceDate = app.ReferenceDate;
    s.ageByToday = app.AgeByToday != 0;
    s.today = app.Today;
    s.calendarMode = app.CalendarMode;
    for (int i = 0; i < 3; ++i) {
        s.eras.names[i] = app.EraNames[i];
        s.eras.startYears[i] = app.EraStartYears[i];
    }
    s.project = Project();
    return s;
}

void AdoptSession(const Session& s)
{
    TAppState& app = App();
    app.setExeFolder(s.exeFolder);
    app.FiscalYear = s.fiscalYear;
    app.OpenCompanyCode = s.companyCode;
    app.CompanyOpen = s.companyOpen();
    app.CompanyName = s.companyName;
    app.ReferenceDate = s.referenceDate;
    app.AgeByToday = s.ageByToday ? 1 : 0;
    app.CalendarMode = s.calendarMode;
    for (int i = 0; i < 3; ++i) {
        app.EraNames[i] = s.eras.names[i];
        app.EraStartYears[i] = s.eras.startYears[i];
    }
    Project() = s.project;
}
