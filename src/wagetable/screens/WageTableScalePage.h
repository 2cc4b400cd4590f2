// ｻﾗﾘｰｽｹｰﾙ, the second page of the wage-table screen (TPX2010): for each grade its name,
// lower limit (%), median and upper limit (%), with the spread and range they give, and
// 基準額 (the average basic pay of the grade's employees, to set the median by).
#pragma once

#include "wagetable/SalaryList.h"
#include "wagetable/screens/WageTablePage.h"

#include <array>

class QLineEdit;
class QPushButton;

class WageTableScalePage : public WageTablePage {
    Q_OBJECT
public:
    explicit WageTableScalePage(QTabWidget& tabs);

    // The box of the wage table's ID whose scale is shown.
    WageTableIdBox& idBox() { return *cmb2ScaleCode; }

    // An empty ID box and empty rows.
    void reset();
    // Rows of grades 1..9 with nothing set.
    void resetRows();
    // The stored scale of a wage table; empty rows for ID 0.
    void load(int id);
    // Each grade's name, limits and median.
    void gather(SalaryListDefinition& def) const;
    // Rows 1..gradeCount in use, the others disabled.
    void colourRows(int gradeCount);
    // The start, middle and end amounts of a curve from a row of the scale (row 0..8).
    DerivedCurveAmounts derivedAmounts(int row) const;

    // Checks when a field of row `tag` (0..8) is left; false keeps the focus in the field.
    bool txtKagenExit(int tag);
    bool txtKisoExit(int tag);
    bool txtJyogenExit(int tag);

signals:
    // 基準額 was clicked.
    void baseAmountsAsked();

private:
    void updateScaleRow(int tag);

    WageTableIdBox* cmb2ScaleCode;
    std::array<QLineEdit*, 9> txt1Tokyu, txt1TKName, txtKagen, txtKiso, txtJyogen, txtSplet, txtLenji;
    QPushButton* btnKijungaku;
};
