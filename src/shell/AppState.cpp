// The application state and the open project.
#include "shell/AppState.h"

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
