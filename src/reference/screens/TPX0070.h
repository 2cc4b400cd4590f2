// TPX0070: basic settings of the open project (dates, era table, marks, graph lines).
#pragma once

#include "reference/BasicSettings.h"
#include "reference/screens/FieldRules.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

class TPX0070 : public QDialog {
    Q_OBJECT
public:
    explicit TPX0070(QWidget* parent = nullptr);

    // The opening steps: lists filled, the settings read and shown, samples drawn.
    void Prepare();

    void btnAddClick();
    void btnCancelClick();
    void btnCloseClick();
    // Colour buttons of mark n (1..9): the mark colour and the curve colour.
    void btnColorClick(int n);
    void btnSenColorClick(int n);
    // Colour button of graph line n (1..4).
    void btnGRColorClick(int n);
    void optKeisanClick();
    // Field rules run when a field is left; true when the value is accepted.
    bool txtKijunbiExit();
    bool cmbMSizeExit(int n);

    bool isDirty() const { return dirty_; }
    TColor markColor(int n) const { return markColor_[n - 1]; }
    TColor curveColor(int n) const { return curveColor_[n - 1]; }
    TColor lineColor(int n) const { return lineColor_[n - 1]; }
    // The settings as the fields hold them now.
    BasicSettings collect() const;

protected:
    void reject() override;

private:
    void buildDatePage(QWidget* page);
    void buildMarkPage(QWidget* page);
    void buildGraphPage(QWidget* page);
    void showSettings(const BasicSettings& s);
    void drawMarkSample(int i);
    void drawLineSample(int i);
    void paintMarkSymbol(int i);
    void changed();
    static void showCode(QComboBox& list, int code);
    static void showNumber(QComboBox& list, int value);

    QTabWidget* pages_ = nullptr;
    QLineEdit* txtNengou_[3] = {};
    QLineEdit* txtChgyy_[3] = {};
    QLineEdit* txtChgmm_[3] = {};
    QLineEdit* txtChgdd_[3] = {};
    QRadioButton* optchg_[3] = {};
    QLineEdit* txtKijunbi_ = nullptr;
    QRadioButton* optKeisan1_ = nullptr;
    QRadioButton* optKeisan2_ = nullptr;
    QRadioButton* optSeireki_ = nullptr;
    QRadioButton* optWareki_ = nullptr;

    QLineEdit* txtMark_[9] = {};
    QLineEdit* txtHanrei_[9] = {};
    QPushButton* btnColor_[9] = {};
    QComboBox* cmbMSize_[9] = {};
    QPushButton* btnSenColor_[9] = {};
    QComboBox* cmbSensyu_[9] = {};
    QComboBox* cmbSenHaba_[9] = {};
    QLabel* imgMihon_[9] = {};

    QPushButton* btnGRColor_[4] = {};
    QComboBox* cmbGRSensyu_[4] = {};
    QComboBox* cmbGRSenHaba_[4] = {};
    QLabel* imgGRMihon_[4] = {};

    TColor markColor_[9] = {};
    TColor curveColor_[9] = {};
    TColor lineColor_[4] = {};
    long long referenceDate_ = 0;
    BasicSettings read_;   // the rows as read, written back with the settings replaced
    FieldRules rules_;
    bool dirty_ = false;
    bool loading_ = false;
};
