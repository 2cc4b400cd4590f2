// 基本設定, the first page of the wage-table screen (TPX2010): the wage table's ID, title and
// grade count, and whether the curve amounts are typed, which curve, and the rounding.
#pragma once

#include "store/Records.h"
#include "wagetable/SalaryList.h"
#include "wagetable/screens/WageTablePage.h"

class QGroupBox;
class QLineEdit;
class QRadioButton;

class WageTableBasicPage : public WageTablePage {
    Q_OBJECT
public:
    explicit WageTableBasicPage(QTabWidget& tabs);

    // The box of the current wage table's ID.
    WageTableIdBox& idBox() { return *cmbScaleCode; }

    // No ID (0 : なし), 9 grades, no title.
    void reset();
    // The stored header of a wage table (its ID boxes are the screen's).
    void showHeader(const TMCHNGIN_& header);
    // The choices of a wage table without a header: ２次曲線, 自動計算, 拾円単位.
    void showDefaultChoices();
    // Grade count, title, curve kind, overwrite mode and rounding.
    void gather(SalaryListDefinition& def) const;

    QString title() const;
    QString gradeCountText() const;
    // The grade count typed, 1 when it is not 1..9.
    int gradeCount() const;
    bool automatic() const;           // しない（自動計算）: the curve amounts come from the scale
    bool secondOrderChosen() const;
    bool thirdOrderChosen() const;

    // The grade count, checked when it is left; false keeps the focus in the field.
    bool txtTokyusuExit();

private:
    WageTableIdBox* cmbScaleCode;
    QLineEdit* txtTitle;
    QLineEdit* txtTokyusu;
    QGroupBox* GroupBox2;
    QRadioButton* optAuto;
    QRadioButton* optManual;
    QGroupBox* GroupBox1;
    QRadioButton* opt2Jikyokusen;
    QRadioButton* opt3JiKyokusen;
    QGroupBox* GroupBox7;
    QRadioButton* optUnit10;
    QRadioButton* optUnit100;
    QRadioButton* optUnit1000;
};
