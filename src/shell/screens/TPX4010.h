// TPX4010: the version dialog.
#pragma once

#include <QDialog>

class QLabel;

class TPX4010 : public QDialog {
    Q_OBJECT
public:
    explicit TPX4010(QWidget* parent = nullptr);
    // Shows the program folder in use.
    void Prepare();
    void btnCloseClick() { close(); }

    QLabel* labAppTitle;
    QLabel* labAPPKata;
    QLabel* labAppVersion;
    QLabel* labFolder;
};
