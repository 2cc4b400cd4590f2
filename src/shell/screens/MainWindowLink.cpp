// What other screens ask of the main window: the menu rule and the window caption.
#include "shell/screens/MainWindowLink.h"

#include "shell/screens/AppState.h"
#include "core/Dates.h"

namespace {
MainWindowLink registered;
QString lastCaption;
int refreshCount = 0;
} // namespace

void RegisterMainWindow(const MainWindowLink& l)
{
    registered = l;
}

void RefreshMainMenu(bool noCompany)
{
    ++refreshCount;
    if (registered.refreshMenu)
        registered.refreshMenu(noCompany);
}

void SetMainWindowCaption(const QString& caption)
{
    lastCaption = caption;
    if (registered.setCaption)
        registered.setCaption(caption);
}

QString OpenCompanyCaption()
{
    const TAppState& app = App();
    return QStringLiteral("【　") + FiscalYearText(app.CalendarMode, app.FiscalYear) + QStringLiteral(" 年度  :  ")
           + app.CompanyName + QStringLiteral("　】 ") + AppTitle;
}

QString LastMainWindowCaption()
{
    return lastCaption;
}

int MainMenuRefreshCount()
{
    return refreshCount;
}
