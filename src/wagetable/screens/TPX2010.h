// TPX2010: wage table editing (賃金表　作成) — salary scales, curves, saving, CSV and the combined table.
#pragma once

#include "core/SheetTable.h"
#include "wagetable/SalaryList.h"

#include <QColor>
#include <QDialog>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TPX2011;

// Colours of the grid rows: grade numbers, read-only results, editable fields, unused rows.
QColor GradeNumberColour();   // yellow
QColor ResultColour();        // sky blue
QColor EditableColour();      // window
QColor UnusedRowColour();     // button face

class TPX2010 : public QDialog {
    Q_OBJECT
public:
    explicit TPX2010(QWidget* parent = nullptr);

    // Opening: the project's first wage table becomes current, page 基本設定 is shown,
    // the screen is reset and the table loaded.
    void Prepare();

    // Buttons
    void btnAddClick();
    void btnCancelClick();
    void btnCloseClick();
    void btnSalaryListClick();
    // CSV出力 and Excel出力: the stored table as a CSV file or as a workbook.
    void btnCSVClick(SheetFileKind kind = SheetFileKind::Csv);
    void btnKijungakuClick();

    // Field checks when a field is left; false keeps the focus in the field.
    bool cmbScaleCodeExit();
    bool cmb2ScaleCodeExit();
    bool txtTokyusuExit();
    bool txtKagenExit(int tag);
    bool txtKisoExit(int tag);
    bool txtJyogenExit(int tag);
    bool txt2StgosuExit(int tag);
    bool txt2CgosuExit(int tag);
    bool txt2EndGosuExit(int tag);
    bool txtStGosuExit(int tag);
    bool txtC1GosuExit(int tag);
    bool txtC2GosuExit(int tag);
    bool txtEndGosuExit(int tag);
    bool AmountExit(QLineEdit& field);
    bool txt2KakeritsuExit();
    bool txt3KakeritsuExit();

    // A page tab was chosen (runs for every change of the shown page).
    void PageControl1Change();

    // The definition the screen holds (ID = the current wage-table ID).
    SalaryListDefinition DefinitionOnScreen() const;
    int CurrentId() const { return currentId_; }
    int PageState() const { return pageState_; }
    bool IsChanged() const;
    TPX2011& BaseAmounts() { return *baseAmounts_; }

    // Buttons across the top
    QPushButton* btnAdd;
    QPushButton* btnCancel;
    QPushButton* btnSalaryList;
    QPushButton* btnCSV;
    QPushButton* btnXlsx;
    QPushButton* btnClose;
    QTabWidget* PageControl1;

    // 基本設定
    QWidget* TabSheet1;
    QComboBox* cmbScaleCode;
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

    // ｻﾗﾘｰｽｹｰﾙ
    QWidget* TabSheet2;
    QComboBox* cmb2ScaleCode;
    std::array<QLineEdit*, 9> txt1Tokyu, txt1TKName, txtKagen, txtKiso, txtJyogen, txtSplet, txtLenji;
    QPushButton* btnKijungaku;

    // ２次曲線
    QWidget* TabSheet3;
    QLineEdit* txt2TKSuu;
    std::array<QLineEdit*, 9> txt2Tokyu, txt2Stgosu, txt2Salary, txt2Cgosu, txt2CSalary, txt2EndGosu, txt2EndSalary;
    QLineEdit* txt2Kakeritsu;

    // ３次曲線
    QWidget* TabSheet4;
    QLineEdit* txt3TKSuu;
    std::array<QLineEdit*, 9> txt3Tokyu, txtStGosu, txtStSalary, txtC1Gosu, txtC1Salary, txtC2Gosu, txtC2Salary,
        txtEndGosu, txtEndSalary;
    QLineEdit* txt3Kakeritsu;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildBasicPage();
    void buildScalePage();
    void buildSecondOrderPage();
    void buildThirdOrderPage();
    void wireChecks();

    void Reset();
    void resetScaleRows();
    void resetSecondOrderPage();
    void resetThirdOrderPage();
    void LoadIdList();
    void LoadAll();
    void loadHeader();
    void loadScale();
    void loadSecondOrder();
    void loadThirdOrder();
    void deriveAmounts(int page);
    void PageCheck();
    void ColourRows();
    void showPage(int state);
    void setIdBoxes(const QString& text);
    void updateScaleRow(int tag);
    int gradeCountOnScreen() const;

    void markChanged(int page);
    void clearChanged();
    // The unsaved-changes question; true when the action may go on.
    bool mayLeaveChanges(const QString& noMeans);
    // The ID of cmbScaleCode for CSV and print, 0 after the message when there is none.
    int chosenTableId();

    TPX2011* baseAmounts_;
    int currentId_ = 0;
    int pageState_ = 1;
    std::array<bool, 4> changed_{};
    bool idEdited_[2] = {false, false};
    bool switchingPage_ = false;
};
