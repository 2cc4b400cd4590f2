// TPX0001Lite: the splash window shown while the long-lived screens are created.
#pragma once

#include <QWidget>

class TPX0001Lite : public QWidget {
    Q_OBJECT
public:
    explicit TPX0001Lite(QWidget* parent = nullptr);
};
