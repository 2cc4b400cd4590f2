// Entry point of the screen tests: a QApplication on the offscreen platform, and the
// window's application state following each test's program folder and project.
#include "shell/screens/AppState.h"
#include "shell/screens/QtDialogs.h"
#include "shell/screens/UserSettings.h"
#include "support/TestProgramFolder.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    // Standard paths go to Qt's test folders, not the user's own; the user's settings (the
    // CSV encoding, the recent projects) to a file of this process alone, as ctest runs
    // test processes side by side.
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    const QTemporaryDir settingsFolder;
    SetUserSettingsFileForTesting(settingsFolder.filePath(QStringLiteral("user-settings.ini")));
    // Qt's own buttons and dialogs in Japanese, as the program shows them.
    InstallQtJapanese(app);
    // A screen reads the open project from the application state, as the window's
    // selection leaves it: every folder a test makes starts a fresh state on it, and every
    // project the test opens in it is taken in as 選択 takes it.
    TestProgramFolder::windowFollows = [](TestProgramFolder& folder) {
        const Session& s = folder.session();
        if (!s.companyOpen())
            ResetAppState();
        AdoptSession(s);
        App().ListMode = s.companyOpen() ? 4 : 0;
    };
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
