// TPX0080: model data sets (the published wage surveys that model wages belong to).
#pragma once

#include "reference/ReferenceTexts.h"
#include "store/Records.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

class TPX0080 : public QDialog {
    Q_OBJECT
public:
    explicit TPX0080(QWidget* parent = nullptr);

    // The opening steps: the list loaded and the company's model data set shown.
    void Prepare();

    bool cmbModelIDExit();
    bool txtJigyosyosuuExit();
    void btnAddClick();
    void btnDltClick();
    void btnCancelClick();
    void btnCloseClick();
    void btnFirstClick() { navigate(Move::First); }
    void btnPriorClick() { navigate(Move::Previous); }
    void btnNextClick() { navigate(Move::Next); }
    void btnLastClick() { navigate(Move::Last); }

    int currentCode() const { return code_; }
    int position() const { return position_; }
    int state() const { return state_; }   // 0 nothing shown, 1 new set, 2 stored set
    bool isDirty() const { return dirty_; }

protected:
    void reject() override;

private:
    void clearFields();
    void loadList();
    void showCurrent();
    void navigate(Move move);
    void changed();

    QComboBox* cmbModelID_ = nullptr;
    QLineEdit* txtSalaryName_ = nullptr;
    QLineEdit* txtSyussyo_ = nullptr;
    QLineEdit* txtChiiki_ = nullptr;
    QLineEdit* txtJigyosyosuu_ = nullptr;
    QLineEdit* txtCyousabi_ = nullptr;
    QLineEdit* txtGyousyu_ = nullptr;
    QLineEdit* txtKibo_ = nullptr;
    QPlainTextEdit* txtBikou_ = nullptr;
    QLineEdit* txtCureentNo_ = nullptr;
    QLineEdit* txtLastNo_ = nullptr;
    QList<TMODEL_> sets_;
    int code_ = 0;
    int position_ = 0;
    int state_ = 0;
    bool dirty_ = false;
    bool loading_ = false;
};
