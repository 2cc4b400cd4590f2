// TPX1107: picture pop-up of a plot point (7.イメージ): the employee's picture under the name line.
#pragma once

#include "plot/screens/TPX1101.h"

class TPX1107 : public PointPopup {
    Q_OBJECT
public:
    TPX1107(QWidget* owner, const TSyain_& employee);

    QLabel* Label1 = nullptr;
    QLabel* Image1 = nullptr;
    bool pictureShown = false;
};
