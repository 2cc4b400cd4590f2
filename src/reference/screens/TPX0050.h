// TPX0050: standard cost of living sets (six household rows under one code).
#pragma once

#include "reference/CostOfLiving.h"
#include "reference/screens/FieldRules.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

class TPX0050 : public QDialog {
    Q_OBJECT
public:
    explicit TPX0050(QWidget* parent = nullptr);

    // The opening steps: the list loaded and the company's cost-of-living set shown.
    void Prepare();

    bool cmbSeikeiIDExit();
    void btnAddClick();
    void btnDltClick();
    void btnCancelClick();
    void btnCloseClick();

    int currentCode() const { return code_; }
    int state() const { return state_; }   // 0 nothing shown, 1 new set, 2 stored set
    bool isDirty() const { return dirty_; }

protected:
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void clearScreen();
    void loadList();
    void showSet();
    void showCodeText();
    void changed();
    bool readRows(CostRows& rows) const;

    QComboBox* cmbSeikeiID_ = nullptr;
    QLineEdit* txtSyotaisu_[6] = {};
    QLineEdit* txtNenrei_[6] = {};
    QLineEdit* txtSeikeihi_[6] = {};
    QLineEdit* txtYuraku_[6] = {};
    QLineEdit* txtMin_[6] = {};
    QLineEdit* txtTanshin_[6] = {};
    QLineEdit* txtKakeRitsu_ = nullptr;
    QLineEdit* txtSyussyo_ = nullptr;
    QLineEdit* txtTiiki_ = nullptr;
    QLineEdit* txtCyosaJiki_ = nullptr;
    QLineEdit* txtNyuryokuchi_ = nullptr;
    FieldRules rules_;
    int code_ = 0;
    int state_ = 0;
    bool dirty_ = false;
    bool loading_ = false;
};
