// TPX0010: company list and selection.
#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TStringGrid;
class TPX0020;

class TPX0010 : public QDialog {
    Q_OBJECT
public:
    explicit TPX0010(QWidget* parent = nullptr);

    // Caption, button captions and enabled states for a list mode (1 register, 2 change,
    // 3 delete, 4 select), as the main window's commands set them before showing.
    void SetUpForListMode(int listMode);
    // The preparation before each showing: today's date, the year box from 2004 to next
    // year starting at this year, the fixed size, the grid and the list of the year.
    void Prepare();
    // Reads the companies of FiscalYear into the grid and selects the first row.
    void LoadList();

    // Handlers.
    void cmbNendoChange();
    // Enter or Tab in the year box: a year of the list typed there is loaded as if chosen.
    void cmbNendoExit();
    void GridClick(int col, int row);
    void btnAddClick();
    void btnMntClick();
    void btnDltClick();
    void btnCloseClick();
    // Runs whenever the list closes: the main window's menu rule.
    void FormClose();

    // The company master this list shows (created with the list, kept with it).
    TPX0020& Master() { return *master_; }

    // The list's state, kept between showings.
    int SelectedCode() const { return selectedCode_; }
    QString SelectedName() const { return selectedName_; }
    QString SelectedPath() const { return selectedPath_; }
    int CurrentRow() const { return currentRow_; }
    int MaxCompanyCode() const { return maxCompanyCode_; }

    // The window's close button and Escape act like 閉じる.
    void reject() override;
    void done(int result) override;

private:
    void buildForm();
    void prepareFor(int year);
    void showMaster(int listMode, int code);
    void paintGrid();
    void closeList(int result);

    QComboBox* cmbNendo = nullptr;
    TStringGrid* Grid = nullptr;
    QLabel* Lbl_Info = nullptr;
    QPushButton* btnAdd = nullptr;
    QPushButton* btnMnt = nullptr;
    QPushButton* btnDlt = nullptr;
    QPushButton* btnClose = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    TPX0020* master_ = nullptr;

    int selectedCode_ = 0;
    QString selectedName_;
    QString selectedPath_;
    int currentRow_ = 1;
    int maxCompanyCode_ = 0;
    bool closing_ = false;
};
