// TPX0000: the main window with its menus, tool buttons, menu rule and command table.
#pragma once

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QMenu;
class QToolButton;
class StartPanel;
struct ListedProject;
class TPX0010;
class TPX0050;
class TPX0060;
class TPX0070;
class TPX0080;
class TPX1010;
class TPX1020;
class TPX1030;
class TPX1040;
class TPX1050;
class TPX1060;
class TPX1070;
class TPX2010;
class TPX4010;
class WriterLock;

class TPX0000 : public QMainWindow {
    Q_OBJECT
public:
    explicit TPX0000(QWidget* parent = nullptr);
    ~TPX0000() override;

    // Creation: title, menu rule without a company, folders, control database, state,
    // today, control record and eras, the hidden matrix menu, the caption.
    void FormCreate();
    // Creates the screens that live for the whole run, in start-up order.
    void CreateLongLivedScreens();
    // The menu rule: which commands are enabled for the open project's state.
    void RefreshMenu(bool noCompany);
    // The company guard: false (with its message) when no company is open.
    bool CompanyGuard();
    // On start, when the user asked for it: opens the project opened last, if it still exists.
    void OpenLastProjectIfWanted();
    // Opens a project the start panel lists, as 選択 of the company list does.
    void OpenListedProject(const ListedProject& project);
    StartPanel* startPanel() const { return startPanel_; }

    QAction* action(const QString& name) const;
    QToolButton* toolButton(const QString& name) const;
    QMenu* menu(const QString& name) const;

    // The command handlers, one per menu item.
    void mnNewClick();
    void mnOPenClick();
    void mnCloseClick();
    void mnMntClick();
    void mnDltClick();
    void mnBaseClick();
    void mnSararyNameClick();
    void mnHyoukaClick();
    void mnPrintClick();
    void mnImportClick();
    void mnExportClick();
    void mnExportXlsxClick();
    void mnCsvUtf8Click();
    void mnDBCondClick();
    void mnRestoreClick();
    void mnEndClick();
    void mnWorkerClick();
    void mnLivingClick();
    void mnModelDataClick();
    void mnModelSalaryClick();
    void mnMmatIdClick();
    void mnBandClick();
    void mnSalaryPlotClick();
    void mnSalaryUpCurveClick();
    void mnLivingCompClick();
    void mnModelSalaryCompClick();
    void mnSalaryUpSettingClick();
    void mnFitClick();
    void mnPayGapClick();
    void mnSalaryListClick();
    void mnSalarySettingClick();
    void mnSalaryInputClick();
    void mnNendoUpdateClick();
    void mnList5000Click();
    void mnList5010Click();
    void mnSalaryReportClick();
    void mnSalaryUpReportClick();
    void BeforeUseClick();
    void mnHELPHClick();
    void mnVersionClick();

    // How the help document is opened (the desktop's browser); tests replace it.
    static void SetDocumentOpenerForTesting(std::function<bool(const QString& path)> opener);
    // How the program ends at once after a failed compaction; tests replace it.
    static void SetTerminateForTesting(std::function<void()> terminate);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The program folder's writer lock, taken at start; held by another, the user may open
    // the data read-only (every write then refused with the holder's message).
    void TakeWriterLock();
    void buildMenus();
    void buildToolBars();
    QAction* addItem(QMenu* menu, const QString& name, const QString& caption, void (TPX0000::*handler)());
    QToolButton* addButton(QWidget* panel, const QString& name, const QString& caption, const QString& hint,
                           const QString& menuName);
    void openCompanyList();
    // The start panel while no project is open; an opened project is remembered for it.
    void followProjectState(bool noCompany);

    // A screen that lives for the whole run, created on first use when start-up did not.
    template <class Screen>
    Screen& longLived(std::unique_ptr<Screen>& slot);
    // Centre (unless told not to), run the screen's preparation, show it modally.
    template <class Screen>
    void showScreen(Screen& screen, bool centre = true);
    // A screen created for one command and destroyed when it closes.
    template <class Screen>
    void showTransient();

    struct Buttons;
    std::unique_ptr<Buttons> buttons_;
    StartPanel* startPanel_ = nullptr;         // the workspace while no project is open
    std::unique_ptr<WriterLock> writerLock_;   // the program folder's lock while this window writes
    std::unique_ptr<TPX0010> companyList_;   // owns the company master TPX0020
    std::unique_ptr<TPX0050> costOfLiving_;
    std::unique_ptr<TPX0060> modelWages_;
    std::unique_ptr<TPX0070> basicSettings_;
    std::unique_ptr<TPX0080> modelData_;
    std::unique_ptr<TPX2010> salaryList_;    // owns the base-amount window TPX2011
    std::unique_ptr<TPX1010> salaryPlot_;
    std::unique_ptr<TPX1020> salaryCurve_;
    std::unique_ptr<TPX1030> livingComparison_;
    std::unique_ptr<TPX1040> modelComparison_;
    std::unique_ptr<TPX1050> curveDesign_;
    std::unique_ptr<TPX1060> wageTableGraph_;
    std::unique_ptr<TPX1070> optimalWage_;
    std::unique_ptr<TPX4010> version_;
};
