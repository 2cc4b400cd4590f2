// TPX3010: raise input (evaluation, step climb, promotion and next year's pay per employee).
#pragma once

#include "raise/RaiseInput.h"

#include <QDialog>
#include <QList>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TStringGrid;

class TPX3010 : public QDialog {
    Q_OBJECT
public:
    explicit TPX3010(QWidget* parent = nullptr);

    // Loads everything afresh (on opening and on return from the evaluation screen).
    // askAboutWageTable: ask when the year has no wage table (the main window has asked
    // already when it opens the screen). false when the user chose to close.
    bool Activate(bool askAboutWageTable);

    void btnAddClick();
    void btnCancelClick();
    void btnFirstClick();
    void btnBackClick();
    void btnNextClick();
    void btnLastClick();
    void btnHyogoClick();
    void btnCloseClick();
    void optTokyuClick(int filter);
    void GridClick(int row);
    bool cmbWorkerCodeExit();
    bool cmbHyoukaExit();
    bool cmbSikakuExit();
    bool txtGouhouExit();
    bool txtNewGouhouExit();
    void chkUPClick();

    bool changed() const { return changed_; }
    int currentCode() const { return currentCode_; }
    int gradeFilter() const { return filter_; }
    // The amount table as the boxes show it (totals recomputed).
    RaiseTable amounts() const;

private:
    void resetFields();
    void fillList();
    void selectRow(int row);
    void loadEmployee(int row);
    void recompute();
    void showAmounts(const RaiseTable& a);
    void focusFirstField();
    // The unsaved-changes question with its second line; true when the user stays.
    bool staysForChanges(const QString& noLine);
    void navigateTo(int row, const QString& noLine);
    void setPromotion(bool ticked, bool lookUp);
    void setLinkedColours();

    QComboBox* cmbWorkerCode_ = nullptr;
    QLineEdit* txtWorkerCode_ = nullptr;
    QLineEdit* txtWorkerName_ = nullptr;
    QLineEdit* txtCureentNo_ = nullptr;
    QLineEdit* txtLastNo_ = nullptr;
    QList<QRadioButton*> optTokyu_;   // 全て, then 1..9
    QComboBox* cmbSikaku_ = nullptr;
    QComboBox* cmbHyouka_ = nullptr;
    QCheckBox* chkUP_ = nullptr;
    QComboBox* cmbNewToukyu_ = nullptr;
    QLineEdit* txtTairyuu_ = nullptr;
    QLineEdit* txtHyouka_[3] = {};
    TStringGrid* Grid_ = nullptr;
    QTabWidget* PageControl1_ = nullptr;
    QLineEdit* txtGouhou_ = nullptr;
    QLineEdit* txtUPGousu_ = nullptr;
    QLineEdit* txtCalcGousu_ = nullptr;
    QLineEdit* txtNewGouhou_ = nullptr;
    QComboBox* matrix_[4] = {};       // cmbBand, cmbYhyouka, cmbNewBAND, cmbNewYHyouka
    QLineEdit* matrixText_[4] = {};   // txtZone, txtUPRitsu, txtNewZone, txtNewUPRitsu
    QLabel* payLabels_[8] = {};
    QLineEdit* before_[8] = {};       // txtBKihon1..3, txtBTeate1..5
    QLineEdit* up_[8] = {};           // txtUKihon1..3, txtUTeate1..5
    QLineEdit* after_[8] = {};        // txtAKihon1..3, txtATeate1..5
    QLineEdit* sums_[9] = {};         // basic, allowance, total: before, Up, after

    QList<RaiseListRow> rows_;
    int currentCode_ = 0;
    int currentRow_ = 0;              // grid row, 0 for none
    int filter_ = 0;
    int link_ = 0;
    int wageTable_ = 0;
    bool changed_ = false;
    bool loading_ = false;
};
