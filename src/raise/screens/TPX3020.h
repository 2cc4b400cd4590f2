// TPX3020: evaluation symbols of a wage table (code, symbol and step increment).
#pragma once

#include "raise/EvaluationSymbols.h"

#include <QDialog>

class QComboBox;
class TStringGrid;

class TPX3020 : public QDialog {
    Q_OBJECT
public:
    explicit TPX3020(QWidget* parent = nullptr);

    // The opening steps: the wage-table list filled, its first item chosen and loaded.
    void Prepare();

    void cmbChinginChange();
    // Enter in the grid at the cursor: to the right, to the next row, or a new row.
    void GridKeyEnter();
    void btnAddClick();
    void btnCloseClick();

    // The wage-table ID chosen (0 = not tied to a wage table).
    int wageTableId() const;
    // The grid's rows as texts.
    QList<EvaluationRow> rows() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadGrid();

    QComboBox* cmbChingin_ = nullptr;
    TStringGrid* Grid_ = nullptr;
};
