// TPX1051: legend of a trial raise curve (試行昇給曲線　凡例): legend, explanation, colour,
// line style and width of one curve of the raise-curve design, with a live sample line.
#pragma once

#include "plot/RaiseCurveDesign.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;

class TPX1051 : public QDialog {
    Q_OBJECT
public:
    // Edits curve number n (1..5) in place: colour, style and width as soon as they are
    // chosen, legend and explanation on 閉じる.
    TPX1051(int n, DesignCurve& curve, QWidget* parent = nullptr);

    void btnColorClick();
    // The style or width list left: the shared code check (a code not in the list keeps
    // the focus); a listed code takes effect.
    bool cmbSensyuExit();
    bool cmbSenhabaExit();
    void btnCloseClick();

    // The sample line as drawn now.
    QImage sampleImage() const;

private:
    void showCurve();
    void takeStyle();
    void takeWidth();
    void drawSample();

    DesignCurve& curve_;
    QLineEdit* txtName_ = nullptr;
    QLineEdit* txtHanrei_ = nullptr;
    QLineEdit* txtComment_ = nullptr;
    QLabel* Label101_ = nullptr;
    QComboBox* cmbSensyu_ = nullptr;
    QComboBox* cmbSenhaba_ = nullptr;
    QLabel* imgDisp_ = nullptr;
};
