// TPX0030: employee register (社員データ), one employee at a time over the list of the project.
#pragma once

#include "employees/EmployeeRegister.h"
#include "matrix/MatrixZone.h"
#include "shell/ProjectLookups.h"
#include "store/Records.h"

#include <QDialog>
#include <QList>
#include <QPair>

#include <functional>

class QComboBox;
class QLabel;
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

    // Code list and fields left
    bool cmbWorkerExit();
    bool cmbSikakuExit();
    bool txtGouhouExit();
    bool cmbMarkExit();
    bool cmbHyouka1Exit();
    // The check run when any checked field is left (dates, numbers, amounts, lists).
    bool FieldExit(QWidget* field);

    // Lists and links
    void cmbMibunChange();
    void cmbChinginChange();
    void optKihonClick(int component);   // 1..3
    void cdRestLinkClick();
    void btnPicterClick();

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
    int link() const { return link_; }
    const TSyain_rec& employees() const { return list_; }
    const TSyain_& currentEmployee() const { return current_; }
    const QString& pictureName() const { return pictureName_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    struct DateWidgets {
        QComboBox* era = nullptr;
        QLineEdit* yy = nullptr;
        QLineEdit* mm = nullptr;
        QLineEdit* dd = nullptr;
    };

    void buildTop();
    void buildBasicTab(QWidget* page);
    void buildWageTab(QWidget* page);
    void buildWage2Tab(QWidget* page);
    void buildMatrixTab(QWidget* page);
    void buildBottom();
    void installFieldRules();
    DateWidgets makeDate(QWidget* page, const QString& prefix, int x, int y);
    void placeDate(const DateWidgets& d, int x, int y, bool withEra);

    void fillEraLists();
    void fillEvaluationList(int wageTable, const QString& keepCode);
    void setupGrid();
    void clearScreen();
    void loadList();
    void fillList();   // the list, the code list and the grid, without the cursor
    void showEmployee(int n);
    void refreshTotals();
    void applyLinkColours();
    void setPayLabels(int form);
    void showMatrixZone(const TSyain_& rec);
    void paintGridRow();
    void showPicture();
    bool navigate(int target, const QString& noText);
    bool askDirty(const QString& noText);
    bool confirmClose();
    bool gatherRecord(TSyain_& rec);
    bool checkAllFields();
    EmployeeFields fieldValues() const;
    TYMD dateValues(const DateWidgets& d) const;
    void showDate(const DateWidgets& d, int yyyymmdd);
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

    QLineEdit* txtWorkerNo;
    QLineEdit* txtWorkName;
    QRadioButton* OptSex1;
    QRadioButton* OptSex2;
    DateWidgets sei, nyu, tou;
    QLineEdit* txtYakusyoku;
    QComboBox* cmbMibun;
    QLineEdit* txtGakureki;
    QLineEdit* txtSenkou;
    QLineEdit* txtKSikaku;
    QLineEdit* txtHaizoku;
    QComboBox* cmbSikaku;
    QLineEdit* txtGouhou;
    QLineEdit* txtTasseiRitsu;
    QComboBox* cmbHyouka1;
    QLineEdit* txtHyouka[3];
    QLineEdit* txtKeikenNen;
    QLineEdit* txtSyokumuTensu;
    QComboBox* cmbMark;
    QLabel* Image1;
    QPushButton* btnPicter;

    QLabel* labKihon[3];
    QLabel* labTeate[5];
    QLineEdit* txtKihon[3];
    QLineEdit* txtAFKihon[3];
    QRadioButton* optKihon[3];
    QPushButton* cdRestLink;
    QLineEdit* txtKihonSum;
    QLineEdit* txtAFKihonSum;
    QLineEdit* txtUpKihon;
    QLineEdit* txtTeate[5];
    QLineEdit* txtAFTeate[5];
    QLineEdit* txtTeateSum;
    QLineEdit* txtAFTeateSum;
    QLineEdit* txtTeateUP;
    QLineEdit* txtBonus1;
    QLineEdit* txtBonus2;
    QLineEdit* txtNensyu;
    QLineEdit* txtAFNensyu;
    QLineEdit* txtSyotei;
    QLineEdit* txtAFSyotei;
    QLineEdit* txtTaisyokuKin;
    QLineEdit* txtJikankyu;
    QComboBox* cmbChingin;

    QLabel* labFitNo;
    QLineEdit* txtFitKin;
    QLineEdit* txtZansa;
    QLineEdit* txtWariai;
    QLineEdit* txtUPKin[3];

    QComboBox* cmbBand;
    QComboBox* cmbYHyouka;
    QLineEdit* txtZone;
    QLineEdit* txtUPRitsu;

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
    int link_ = 0;
    QString pictureName_;
    EmploymentForms forms_;
    MatrixTables tables_;
    // The check of each field that is checked when left, in screen order.
    QList<QPair<QWidget*, std::function<bool()>>> checks_;
};
