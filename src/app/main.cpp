// Program entry: the program folder, data module, main window, splash while the
// long-lived screens are made.
#include "shell/ProgramFolder.h"
#include "shell/screens/AppState.h"
#include "shell/screens/DialogService.h"
#include "shell/screens/QtDialogs.h"
#include "app/TPX0000.h"
#include "shell/screens/TPX0001Lite.h"
#include "store/DataModule.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QScreen>
#include <QThread>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    InstallQtJapanese(app);
    QtDialogs dialogs;
    InstallDialogService(&dialogs);

    // wageloom [--folder DIR]: the program folder, see ProgramFolder.h.
    QCommandLineParser options;
    options.setApplicationDescription(AppTitle);
    options.addHelpOption();
    const QCommandLineOption folderOption(QStringLiteral("folder"),
                                          QStringLiteral("プログラムフォルダ (DATA, CSV, Report, Picture を持つフォルダ)"),
                                          QStringLiteral("DIR"));
    options.addOption(folderOption);
    options.process(app);
    const ProgramFolderChoice place = ChooseProgramFolder(ProgramFolderInputsOfProcess(options.value(folderOption)));
    if (!place.outcome.ok) {
        ShowOutcome(place.outcome);
        return 1;
    }
    App().setExeFolder(place.folder);

    TFDM dataModule;
    TPX0000 mainWindow;

    auto splash = std::make_unique<TPX0001Lite>();
    splash->show();
    splash->repaint();
    QApplication::processEvents();
    QElapsedTimer shown;
    shown.start();

    mainWindow.CreateLongLivedScreens();

    // The splash stays at least three seconds.
    while (shown.elapsed() < 3000) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(20);
    }
    splash.reset();

    // Maximised; the geometry also fills the screen where no window manager maximises.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        mainWindow.setGeometry(screen->availableGeometry());
    mainWindow.showMaximized();
    mainWindow.OpenLastProjectIfWanted();
    return app.exec();
}
