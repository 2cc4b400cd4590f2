// What other screens ask of the main window: the menu rule and the window caption.
// The main window registers itself; without one (in tests of a single screen) the calls
// are remembered but change nothing else.
#pragma once

#include <QString>

#include <functional>

// Runs the main window's menu rule (RefreshMenu) with noCompany.
void RefreshMainMenu(bool noCompany);
// Sets the main window's caption.
void SetMainWindowCaption(const QString& caption);
// The caption while a company is open: "【　" + year text + " 年度  :  " + name + "　】 " + title.
QString OpenCompanyCaption();

struct MainWindowLink {
    std::function<void(bool)> refreshMenu;
    std::function<void(const QString&)> setCaption;
};
void RegisterMainWindow(const MainWindowLink& link);

// The last caption set and the last menu-rule argument (for tests of single screens).
QString LastMainWindowCaption();
int MainMenuRefreshCount();
