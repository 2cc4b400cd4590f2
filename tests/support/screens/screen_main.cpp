// Entry point of the screen tests: a QApplication on the offscreen platform.
#include "shell/screens/QtDialogs.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    // Qt's own buttons and dialogs in Japanese, as the program shows them.
    InstallQtJapanese(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
