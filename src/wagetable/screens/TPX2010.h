// TPX2010: wage table editing (賃金表　作成) — salary scales, curves, saving, CSV and the combined table.
// The screen holds the current wage table, the buttons and the page changes; its tab pages
// (WageTableBasicPage, WageTableScalePage and the curve pages of WageTableCurvePages.h)
// build, load and gather their own fields.
#pragma once

#include "core/SheetTable.h"
#include "wagetable/SalaryList.h"

#include <QDialog>

#include <array>

class QPushButton;
class QTabWidget;
class SecondOrderCurvePage;
class ThirdOrderCurvePage;
class TPX2011;
class WageTableBasicPage;
class WageTableCurvePage;
class WageTableScalePage;

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

    // A page tab was chosen (runs for every change of the shown page).
    void PageControl1Change();

    // The definition the screen holds (ID = the current wage-table ID).
    SalaryListDefinition DefinitionOnScreen() const;
    int CurrentId() const { return currentId_; }
    int PageState() const { return pageState_; }
    bool IsChanged() const;
    TPX2011& BaseAmounts() { return *baseAmounts_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void wirePages();

    void Reset();
    void LoadIdList();
    void LoadAll();
    void loadHeader();
    // An ID chosen in the box of 基本設定 (listed: stored) or of ｻﾗﾘｰｽｹｰﾙ.
    void basicIdChosen(int id, bool listed);
    void scaleIdChosen(int id);
    void deriveAmounts(WageTableCurvePage& page);
    void PageCheck();
    void ColourRows();
    void showPage(int state);
    void setIdBoxes(const QString& text);

    void markChanged(int page);
    void clearChanged();
    // The unsaved-changes question; true when the action may go on.
    bool mayLeaveChanges(const QString& noMeans);
    // The ID of 基本設定's box for CSV and print, 0 after the message when there is none.
    int chosenTableId();

    // Buttons across the top
    QPushButton* btnAdd;
    QPushButton* btnCancel;
    QPushButton* btnSalaryList;
    QPushButton* btnCSV;
    QPushButton* btnXlsx;
    QPushButton* btnClose;
    QTabWidget* PageControl1;
    WageTableBasicPage* basic_;
    WageTableScalePage* scale_;
    SecondOrderCurvePage* secondOrder_;
    ThirdOrderCurvePage* thirdOrder_;

    TPX2011* baseAmounts_;
    int currentId_ = 0;
    int pageState_ = 1;
    std::array<bool, 4> changed_{};
    bool switchingPage_ = false;
};
