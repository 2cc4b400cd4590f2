// Program entry: creates the data module and opens the control database.
#include "shell/AppState.h"
#include "shell/screens/QtDialogs.h"
#include "store/DataModule.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QtDialogs dialogs;
    InstallDialogService(&dialogs);
    TFDM dataModule;
    App().setExeFolder(QCoreApplication::applicationDirPath());
    App().refreshToday();
    dataModule.OpenDatabase(dataModule.ACN1, App().DataFolder + QStringLiteral("SEIGYO.MDB"));
    std::printf("control database %s: %s\n", qPrintable(App().DataFolder + "SEIGYO.MDB"),
                dataModule.ACN1.isOpen() ? "open" : "not open");
    return dataModule.ACN1.isOpen() ? 0 : 1;
}
