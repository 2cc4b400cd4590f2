// TPX0030: employee register (社員データ), one employee at a time over the list of the project.
// The register holds the employee list, the grid, the grade filter, the buttons and the
// navigation; its tab pages (EmployeeBasicPage, EmployeePayPage, EmployeePayHistoryPage,
// EmployeeMatrixPage) build, show and gather their own fields.
#pragma once

#include "employees/EmployeeRegister.h"
#include "employees/screens/EmployeePage.h"
#include "matrix/MatrixZone.h"
#include "shell/ProjectLookups.h"
#include "store/Records.h"

#include <QDialog>
#include <QList>

class EmployeeBasicPage;
class EmployeeMatrixPage;
class EmployeePayHistoryPage;
class EmployeePayPage;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TStringGrid;

class TPX0030 : public QDialog {
    Q_OBJECT
public:
    explicit TPX0030(QWidget* parent = nullptr);

    // The opening of the screen: lists, tables, grid, an empty screen, the list of all
    // grades and its first employee shown.
    void Prepare();

    // The employee code typed or chosen, checked when it is left.
    bool cmbWorkerExit();
    // The check run when any checked field is left (dates, numbers, amounts, lists).
    bool FieldExit(QWidget* field);

    // Lists of one page that another page follows
    void cmbMibunChange();     // the employment form names the pay components
    void cmbChinginChange();   // the wage table offers its evaluations

    // Buttons
    void btnAddClick();
    void btnMntClick();
    void btnDltClick();
    void btnCancelClick();
    void btnCloseClick();
    void btnFirstClick();
    void btnBackClick();
    void btnNextClick();
    void btnLastClick();

    // Grid and grade filter
    void GridClick(int col, int row);
    void GridSelectCell(int col, int row);
    void optTokyuClick(int grade);   // 0 = all grades

    // State, for the main window and tests
    bool isDirty() const { return dirty_; }
    int position() const { return position_; }
    int gradeFilter() const { return gradeFilter_; }
    int link() const;   // the pay component fed from the wage table, 0 for none
    const TSyain_rec& employees() const { return list_; }
    const TSyain_& currentEmployee() const { return current_; }
    const QString& pictureName() const;   // below the picture folder

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void buildTop();
    void buildPages();
    void buildBottom();
    void installFieldRules();

    void setupGrid();
    void clearScreen();
    void loadList();
    void fillList();   // the list, the code list and the grid, without the cursor
    void showEmployee(int n);
    void setPayLabels(int form);
    void paintGridRow();
    bool navigate(int target, const QString& noText);
    bool askDirty(const QString& noText);
    bool confirmClose();
    bool gatherRecord(TSyain_& rec);
    bool checkAllFields();
    EmployeeFields fieldValues() const;
    void setDirty() { dirty_ = true; }
    void showBasicPage();

    // widgets
    QComboBox* cmbWorker;
    QLineEdit* txtWorker;
    QLineEdit* txtCureentNo;
    QLineEdit* txtLastNo;
    QPushButton* btnFirst;
    QPushButton* btnBack;
    QPushButton* btnNext;
    QPushButton* btnLast;
    QTabWidget* PageControl1;
    EmployeeBasicPage* basic_;
    EmployeePayPage* pay_;
    EmployeePayHistoryPage* payHistory_;
    EmployeeMatrixPage* matrix_;
    QList<EmployeePage*> pages_;   // in tab order

    TStringGrid* Grid;
    QRadioButton* optTokyu[10];   // 0 = 全て (optTokyuAll)
    QPushButton* btnAdd;
    QPushButton* btnMnt;
    QPushButton* btnDlt;
    QPushButton* btnCancel;
    QPushButton* btnClose;

    // state
    TSyain_rec list_;
    TSyain_ current_;
    int position_ = 0;
    int gradeFilter_ = 0;
    bool dirty_ = false;
    bool highlight_ = false;
    bool shown_ = false;       // the fields show current_ (the employee at position_)
    bool closing_ = false;
    EmploymentForms forms_;
    MatrixTables tables_;
    // The check of each field that is checked when left, in screen order.
    QList<CheckedField> checks_;
};
