// TFS1106: optimal-wage pop-up of a plot point (６．最適賃金) with the evaluation and adjustment update.
#pragma once

#include "plot/screens/TPX1101.h"

class QComboBox;
class QLineEdit;
class QPushButton;

class TFS1106 : public PointPopup {
    Q_OBJECT
public:
    TFS1106(QWidget* owner, const TSyain_& employee);

    // 更新: checks the evaluation and the amount and writes both employee rows.
    bool btnOKClick();

    QLabel* labName = nullptr;
    QLabel* labItem = nullptr;
    QLineEdit* txtKin = nullptr;
    QLineEdit* txtFitkin = nullptr;
    QLineEdit* txtZansa = nullptr;
    QLineEdit* txtwariai = nullptr;
    QLineEdit* txtKin3 = nullptr;
    QComboBox* cmbHyouka = nullptr;
    QPushButton* btnOK = nullptr;
};
