// TPX0060: model wages of the open company's model data set, with their grid.
#pragma once

#include "reference/ReferenceTexts.h"
#include "reference/screens/FieldRules.h"
#include "store/Records.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QLineEdit;
class TStringGrid;

class TPX0060 : public QDialog {
    Q_OBJECT
public:
    explicit TPX0060(QWidget* parent = nullptr);

    // The opening steps: list and grid loaded, the first wage row shown.
    void Prepare();

    bool cmbSalaryIDExit();
    void btnAddClick();
    void btnDltClick();
    void btnCancelClick();
    void btnCloseClick();
    void btnFirstClick() { navigate(Move::First); }
    void btnPriorClick() { navigate(Move::Previous); }
    void btnNextClick() { navigate(Move::Next); }
    void btnLastClick() { navigate(Move::Last); }
    // A click on a grid row (1-based data row).
    void GridClick(int col, int row);

    int currentCode() const { return code_; }
    int position() const { return position_; }
    bool isDirty() const { return dirty_; }

protected:
    void reject() override;

private:
    int modelCode() const;
    void clearFields();
    void loadListAndGrid();
    void locate();
    void showPosition();
    void navigate(Move move);
    void changed();

    QComboBox* cmbSalaryID_ = nullptr;
    QLineEdit* txtNenrei_ = nullptr;
    QLineEdit* txtKinzoku_ = nullptr;
    QLineEdit* txtKeiken_ = nullptr;
    QLineEdit* txtKihon_ = nullptr;
    QLineEdit* txtSyotei_ = nullptr;
    QLineEdit* txtBonus_ = nullptr;
    QLineEdit* txtNensyu_ = nullptr;
    QComboBox* cmbSensyu_ = nullptr;
    QLineEdit* txtCureentNo_ = nullptr;
    QLineEdit* txtLastNo_ = nullptr;
    TStringGrid* Grid_ = nullptr;
    FieldRules rules_;
    QList<TMDCHNGIN_> wages_;
    int code_ = 0;
    int position_ = 0;
    bool dirty_ = false;
    bool loading_ = false;
};
