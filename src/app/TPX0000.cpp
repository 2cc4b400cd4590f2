// TPX0000: the main window with its menus, tool buttons, menu rule and command table.
#include "app/TPX0000.h"

#include "app/StartPanel.h"
#include "projects/Companies.h"

#include "shell/screens/AppState.h"
#include "shell/Compaction.h"
#include "shell/WriterLock.h"
#include "store/Connection.h"
#include "shell/ProjectLookups.h"
#include "core/Numbers.h"
#include "shell/screens/MainWindowLink.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/TBeforeUseForm.h"
#include "shell/screens/TPX4010.h"
#include "shell/screens/ToolIcons.h"
#include "store/DataModule.h"
#include "shell/screens/DialogService.h"
#include "shell/screens/ExportSettings.h"
#include "store/RecordAccess.h"
#include "employees/screens/EmployeeExportCommand.h"
#include "employees/screens/TPX0030.h"
#include "employees/screens/TfrmImportWorker.h"
#include "paygap/screens/TfrmPayGap.h"
#include "plot/screens/TPX1010.h"
#include "plot/screens/TPX1020.h"
#include "plot/screens/TPX1030.h"
#include "plot/screens/TPX1040.h"
#include "plot/screens/TPX1050.h"
#include "plot/screens/TPX1060.h"
#include "plot/screens/TPX1070.h"
#include "projects/screens/TPX0010.h"
#include "projects/screens/TfrmRestore.h"
#include "raise/screens/TPX3010.h"
#include "raise/screens/TPX3020.h"
#include "raise/screens/TPX3030.h"
#include "reference/screens/TPX0050.h"
#include "reference/screens/TPX0060.h"
#include "reference/screens/TPX0070.h"
#include "reference/screens/TPX0080.h"
#include "reference/screens/TfrmSalaryName.h"
#include "reports/screens/TPX0090.h"
#include "reports/screens/TPX5000.h"
#include "wagetable/screens/TPX2010.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMap>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <cstdlib>

namespace {

std::function<bool(const QString&)> documentOpener = [](const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
};
std::function<void()> terminateProgram = [] { std::exit(1); };

const QString NoCompanyMessage = QStringLiteral("企業の選択がされていません。企業を選択してください。");
const QString ReleaseSelectionMessage = QStringLiteral("企業の選択を解除して下さい。");

} // namespace

struct TPX0000::Buttons {
    QMap<QString, QAction*> actions;
    QMap<QString, QMenu*> menus;
    QMap<QString, QToolButton*> tools;
    QMap<QString, QString> menuOfButton;   // tool button → the menu item it follows
};

void TPX0000::SetDocumentOpenerForTesting(std::function<bool(const QString&)> opener)
{
    documentOpener = std::move(opener);
}

void TPX0000::SetTerminateForTesting(std::function<void()> terminate)
{
    terminateProgram = std::move(terminate);
}

TPX0000::TPX0000(QWidget* parent) : QMainWindow(parent), buttons_(std::make_unique<Buttons>())
{
    setObjectName(QStringLiteral("TPX0000"));
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(12);
    setFont(font);
    setWindowIcon(QIcon(EmblemPixmap(64)));
    buildMenus();
    buildToolBars();
    connect(startPanel_, &StartPanel::projectChosen, this, &TPX0000::OpenListedProject);
    connect(startPanel_, &StartPanel::openListRequested, this, &TPX0000::mnOPenClick);
    connect(startPanel_, &StartPanel::newProjectRequested, this, &TPX0000::mnNewClick);
    RegisterMainWindow({[this](bool noCompany) { RefreshMenu(noCompany); },
                        [this](const QString& caption) { setWindowTitle(caption); }});
    FormCreate();
}

TPX0000::~TPX0000()
{
    RegisterMainWindow({});
    // Read-only use ends with the window; its lock goes with writerLock_.
    RefuseWrites(QString());
}

// ---------------------------------------------------------------- building

QAction* TPX0000::addItem(QMenu* menu, const QString& name, const QString& caption, void (TPX0000::*handler)())
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    if (handler)
        connect(a, &QAction::triggered, this, handler);
    buttons_->actions.insert(name, a);
    return a;
}

void TPX0000::buildMenus()
{
    auto newMenu = [this](const QString& name, const QString& caption) {
        QMenu* m = menuBar()->addMenu(caption);
        m->setObjectName(name);
        buttons_->menus.insert(name, m);
        return m;
    };
    QMenu* project = newMenu(QStringLiteral("mnProject"), QStringLiteral("プロジェクト(&P)"));
    addItem(project, "mnNew", "新規作成(&N)", &TPX0000::mnNewClick);
    addItem(project, "mnOPen", "開く(&O)", &TPX0000::mnOPenClick);
    addItem(project, "mnClose", "閉じる(&C)", &TPX0000::mnCloseClick);
    project->addSeparator();
    addItem(project, "mnMnt", "変更(&R)", &TPX0000::mnMntClick);
    addItem(project, "mnDlt", "削除(&D)", &TPX0000::mnDltClick);
    project->addSeparator();
    addItem(project, "mnBase", "基本設定(&B)", &TPX0000::mnBaseClick);
    addItem(project, "mnSararyName", "就労形態(&F)", &TPX0000::mnSararyNameClick);
    addItem(project, "mnHyouka", "評価(&H)", &TPX0000::mnHyoukaClick);
    project->addSeparator();
    addItem(project, "mnPrint", "プリンタ設定(&P)", &TPX0000::mnPrintClick);
    // The CSV encoding is the user's, on every company: checked = UTF-8 with a byte-order mark.
    QAction* utf8 = addItem(project, "mnCsvUtf8", "CSVをUTF-8で出力(&U)", &TPX0000::mnCsvUtf8Click);
    utf8->setCheckable(true);
    utf8->setChecked(UserCsvEncoding() == CsvEncoding::Utf8Bom);
    project->addSeparator();
    addItem(project, "mnImport", "社員情報取込(&I)", &TPX0000::mnImportClick);
    addItem(project, "mnExport", "社員マスタ出力(&E)", &TPX0000::mnExportClick);
    addItem(project, "mnExportXlsx", "社員マスタ出力 Excel(&X)", &TPX0000::mnExportXlsxClick);
    project->addSeparator();
    addItem(project, "mnDBCond", "データベース圧縮(&D)", &TPX0000::mnDBCondClick);
    addItem(project, "mnRestore", "復元(&U)", &TPX0000::mnRestoreClick);
    project->addSeparator();
    addItem(project, "mnEnd", "終了(&Z)", &TPX0000::mnEndClick);

    QMenu* data = newMenu(QStringLiteral("mnData"), QStringLiteral("データ入力(&D)"));
    addItem(data, "mnWorker", "社員　登録(&E)", &TPX0000::mnWorkerClick);
    data->addSeparator();
    addItem(data, "mnLiving", "生計費　登録(&L)", &TPX0000::mnLivingClick);
    addItem(data, "mnModelData", "モデルデータ　登録(&S)", &TPX0000::mnModelDataClick);
    addItem(data, "mnModelSalary", "モデル賃金　登録(&M)", &TPX0000::mnModelSalaryClick);

    QMenu* matrix = newMenu(QStringLiteral("mnMatrix"), QStringLiteral("マトリクス(&M)"));
    addItem(matrix, "mnMmatId", "マトリクスID(&I)", &TPX0000::mnMmatIdClick);
    addItem(matrix, "mnMHyouka", "役割評価(&Y)", nullptr);
    addItem(matrix, "mnMCtrMat", "マトリクス入力(&C)", nullptr);
    addItem(matrix, "mnBandName", "バンド名称(&N)", nullptr);
    addItem(matrix, "mnBandGraph", "バンドグラフ(&G)", nullptr);
    addItem(matrix, "mnBand", "バンド作成(&D)", &TPX0000::mnBandClick);

    QMenu* plot = newMenu(QStringLiteral("mnPlot"), QStringLiteral("プロット分析(&G)"));
    addItem(plot, "mnSalaryPlot", "賃金プロット(&U)", &TPX0000::mnSalaryPlotClick);
    addItem(plot, "mnSalaryUpCurve", "昇給カーブの分析(&V)", &TPX0000::mnSalaryUpCurveClick);
    plot->addSeparator();
    addItem(plot, "mnLivingComp", "生計費との比較(&W)", &TPX0000::mnLivingCompClick);
    addItem(plot, "mnModelSalaryComp", "モデル賃金との比較(&X)", &TPX0000::mnModelSalaryCompClick);
    plot->addSeparator();
    addItem(plot, "mnSalaryUpSetting", "昇給カーブの設計(&Y)", &TPX0000::mnSalaryUpSettingClick);
    addItem(plot, "mnFit", "最適化賃金(&F)", &TPX0000::mnFitClick);
    plot->addSeparator();
    addItem(plot, "mnPayGap", "男女の賃金の差異(&D)", &TPX0000::mnPayGapClick);

    QMenu* design = newMenu(QStringLiteral("mnDesign"), QStringLiteral("賃金設計(&C)"));
    addItem(design, "mnSalaryList", "賃金表　作成(&J)", &TPX0000::mnSalaryListClick);
    addItem(design, "mnSalarySetting", "昇給曲線の設定(&T)", &TPX0000::mnSalarySettingClick);

    QMenu* raise = newMenu(QStringLiteral("mnRaise"), QStringLiteral("昇給管理(&S)"));
    addItem(raise, "mnSalaryInput", "昇給管理　入力(&K)", &TPX0000::mnSalaryInputClick);
    raise->addSeparator();
    addItem(raise, "mnNendoUpdate", "年度更新(&N)", &TPX0000::mnNendoUpdateClick);

    QMenu* report = newMenu(QStringLiteral("mnReport"), QStringLiteral("レポート(&R)"));
    addItem(report, "mnList5000", "社員個人情報(&P)", &TPX0000::mnList5000Click);
    addItem(report, "mnList5010", "社員賃金情報(&S)", &TPX0000::mnList5010Click);
    report->addSeparator();
    addItem(report, "mnSalaryReport", "グループ別社員賃金(&G)", &TPX0000::mnSalaryReportClick);
    addItem(report, "mnSalaryUpReport", "グループ別社員昇給(&U)", &TPX0000::mnSalaryUpReportClick);
    addItem(report, "mnMatUPList", "グループ別マトリクス昇給レポート(&M)", nullptr);

    QMenu* help = newMenu(QStringLiteral("mnHelp"), QStringLiteral("ヘルプ(&H)"));
    addItem(help, "BeforeUse", "ご利用案内(&D)", &TPX0000::BeforeUseClick);
    addItem(help, "mnHELPH", "ヘルプ(&H)", &TPX0000::mnHELPHClick);
    help->addSeparator();
    addItem(help, "mnVersion", "バージョン情報(&V)", &TPX0000::mnVersionClick);
}

QToolButton* TPX0000::addButton(QWidget* panel, const QString& name, const QString& caption, const QString& hint,
                                const QString& menuName)
{
    auto* b = new QToolButton(panel);
    b->setObjectName(name);
    b->setText(caption);
    b->setToolTip(hint);
    b->setIcon(ToolIcon(name));
    b->setIconSize(QSize(32, 32));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setFixedSize(50, 62);
    b->setAutoRaise(false);
    panel->layout()->addWidget(b);
    buttons_->tools.insert(name, b);
    if (!menuName.isEmpty()) {
        buttons_->menuOfButton.insert(name, menuName);
        QAction* a = buttons_->actions.value(menuName);
        connect(b, &QToolButton::clicked, a, &QAction::trigger);
    }
    return b;
}

void TPX0000::buildToolBars()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("MainArea"));
    central->setAutoFillBackground(true);
    QPalette pal = central->palette();
    pal.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));   // the button shadow colour
    central->setPalette(pal);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    auto panelWidget = [](QWidget* parent, const QString& name, Qt::Orientation o) {
        auto* p = new QFrame(parent);
        p->setObjectName(name);
        p->setFrameShape(QFrame::StyledPanel);
        p->setAutoFillBackground(true);
        QBoxLayout* l = o == Qt::Horizontal ? static_cast<QBoxLayout*>(new QHBoxLayout(p))
                                            : static_cast<QBoxLayout*>(new QVBoxLayout(p));
        l->setContentsMargins(2, 2, 2, 2);
        l->setSpacing(1);
        return p;
    };

    QFrame* top = panelWidget(central, QStringLiteral("Panel_Top"), Qt::Horizontal);
    top->setFixedHeight(73);
    QPalette face = top->palette();
    face.setColor(QPalette::Window, palette().color(QPalette::Button));
    top->setPalette(face);
    outer->addWidget(top);

    QFrame* p2 = panelWidget(top, QStringLiteral("Panel2"), Qt::Horizontal);
    addButton(p2, "btnNew", "新 規", "ﾌﾟﾛｼﾞｪｸﾄを新規作成", "mnNew");
    addButton(p2, "btnOpen", "開 く", "ﾌﾟﾛｼﾞｪｸﾄを開く", "mnOPen");
    addButton(p2, "btnClose", "閉じる", "現在のﾌﾟﾛｼﾞｪｸﾄを閉じる", "mnClose");
    addButton(p2, "btnMnt", "変 更", "現在開いているﾌﾟﾛｼﾞｪｸﾄを変更します", "mnMnt");
    addButton(p2, "btnDLT", "削 除", "ﾌﾟﾛｼﾞｪｸﾄを削除します", "mnDlt");
    top->layout()->addWidget(p2);

    QFrame* p10 = panelWidget(top, QStringLiteral("Panel10"), Qt::Horizontal);
    addButton(p10, "btnKihon", "基 本", "基本的な属性を設定します。", "mnBase");
    addButton(p10, "btnSyuryo", "就 労", "就労形態を登録します。", "mnSararyName");
    addButton(p10, "btnEvaConv", "評 価", "評価記号を入力します", "mnHyouka");
    addButton(p10, "btnWorker", "社 員", "社員情報を登録します", "mnWorker");
    addButton(p10, "btn_Import", "Import", "外部データ取り込み", "mnImport");
    addButton(p10, "btn_Export", "Export", "社員データを外部ファイルに", "mnExport");
    top->layout()->addWidget(p10);

    QFrame* p6 = panelWidget(top, QStringLiteral("Panel6"), Qt::Horizontal);
    addButton(p6, "btnSalaryPlot", "プロット", "賃金プロット", "mnSalaryPlot");
    addButton(p6, "btnSalaryCurve", "回 帰", "昇給ｶｰﾌﾞの分析", "mnSalaryUpCurve");
    addButton(p6, "btnLiveingComp", "生計費", "生計費との比較", "mnLivingComp");
    addButton(p6, "btnModelComp", "モデル", "ﾓﾃﾞﾙ賃金との比較", "mnModelSalaryComp");
    addButton(p6, "btnSalaryUpSetting", "設 計", "昇給カーブの設計", "mnSalaryUpSetting");
    top->layout()->addWidget(p6);

    QFrame* p7 = panelWidget(top, QStringLiteral("Panel7"), Qt::Horizontal);
    addButton(p7, "btnSalaryList", "賃金表", "賃金表　作成", "mnSalaryList");
    addButton(p7, "btnSalarySetting", "グラフ", "賃金表をグラフで見る", "mnSalarySetting");
    addButton(p7, "btnSalaryInput", "昇給", "昇給管理　入力", "mnSalaryInput");
    addButton(p7, "btnKousinn", "更新", "データを翌年度に繰り越します", "mnNendoUpdate");
    top->layout()->addWidget(p7);

    static_cast<QHBoxLayout*>(top->layout())->addStretch(1);

    QFrame* help = panelWidget(top, QStringLiteral("Panel_HELP"), Qt::Horizontal);
    addButton(help, "btn_Printa", "ﾌﾟﾘﾝﾀ", "プリンタの設定", "mnPrint")->setEnabled(false);
    addButton(help, "btnHelp", "HELP", "ヘルプ", "mnHELPH");
    addButton(help, "btn_END", "終了", "アプリケーションの終了", "mnEnd");
    top->layout()->addWidget(help);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    outer->addLayout(body, 1);

    auto* left = new QFrame(central);
    left->setObjectName(QStringLiteral("Panel_Left"));
    left->setFixedWidth(55);
    left->setAutoFillBackground(true);
    left->setPalette(face);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(1, 2, 1, 2);
    leftLayout->setSpacing(0);
    QFrame* reports = panelWidget(left, QStringLiteral("Panel_Report"), Qt::Vertical);
    addButton(reports, "btn_GroupSalary", "昇給前", "グループ別賃金レポート", "mnSalaryReport");
    addButton(reports, "btn_GroupSalaryUp", "昇給後", "グループ別昇給レポート", "mnSalaryUpReport");
    addButton(reports, "btn_Person", "人 事", "個人の人事情報", "mnList5000");
    addButton(reports, "btn_PerWage", "賃 金", "個人の賃金情報", "mnList5010");
    leftLayout->addWidget(reports);
    leftLayout->addStretch(1);
    QFrame* admin = panelWidget(left, QStringLiteral("Panel_Admin"), Qt::Vertical);
    addButton(admin, "btn_mdb", "DB圧縮", "mdbファイルを圧縮します", "mnDBCond");
    leftLayout->addWidget(admin);
    body->addWidget(left);
    // The workspace right of the report buttons: the start panel while no project is open.
    startPanel_ = new StartPanel(central);
    body->addWidget(startPanel_, 1);
    body->addStretch(0);

    setCentralWidget(central);
}

QAction* TPX0000::action(const QString& name) const
{
    return buttons_->actions.value(name);
}

QToolButton* TPX0000::toolButton(const QString& name) const
{
    return buttons_->tools.value(name);
}

QMenu* TPX0000::menu(const QString& name) const
{
    return buttons_->menus.value(name);
}

// ---------------------------------------------------------------- creation and the menu rule

void TPX0000::FormCreate()
{
    QCoreApplication::setApplicationName(AppTitle);
    RefreshMenu(true);
    TAppState& app = App();
    if (app.ExeFolder.isEmpty())
        app.setExeFolder(QCoreApplication::applicationDirPath());
    Session session;
    const Outcome started = StartSession(session, app.ExeFolder, FDM().ACN1, FDM().ACN2, CurrentDate());
    ShowOutcome(started);
    AdoptSession(session);
    if (started.ok)
        TakeWriterLock();
    app.ListMode = 0;
    app.refreshToday();
    menu(QStringLiteral("mnMatrix"))->menuAction()->setVisible(false);
    setWindowTitle(AppTitle);
    followProjectState(true);   // the start panel lists the started folder's projects
}

template <class Screen>
Screen& TPX0000::longLived(std::unique_ptr<Screen>& slot)
{
    if (!slot) {
        slot = std::make_unique<Screen>(this);
        CenterOnScreen(*slot);
    }
    return *slot;
}

template <class Screen>
void TPX0000::showScreen(Screen& screen, bool centre)
{
    if (centre)
        CenterOnScreen(screen);
    screen.Prepare();
    ShowModal(screen);
}

template <class Screen>
void TPX0000::showTransient()
{
    Screen screen(this);
    showScreen(screen);
}

void TPX0000::CreateLongLivedScreens()
{
    // The screens that live for the whole run, created once in this order and reused.
    longLived(companyList_);
    longLived(costOfLiving_);
    longLived(modelWages_);
    longLived(basicSettings_);
    longLived(modelData_);
    longLived(salaryList_);
    longLived(version_);
}

void TPX0000::RefreshMenu(bool noCompany)
{
    ProjectReadiness readiness;
    if (!noCompany && HasFDM())
        readiness = ReadProjectReadiness(CurrentSession());
    const bool blocked = noCompany || !readiness.ready();
    auto enable = [this](const QStringList& names, bool on) {
        for (const QString& n : names)
            if (QAction* a = action(n))
                a->setEnabled(on);
    };
    enable({"mnNew", "mnOPen", "mnMnt", "mnDlt", "mnDBCond", "mnRestore"}, noCompany);
    enable({"mnClose", "mnBase", "mnSararyName", "mnHyouka", "mnImport", "mnExport", "mnExportXlsx", "mnLiving", "mnModelData",
            "mnModelSalary"},
           !noCompany);
    enable({"mnWorker", "mnSalaryPlot", "mnSalaryUpCurve", "mnLivingComp", "mnModelSalaryComp", "mnFit", "mnPayGap",
            "mnSalaryUpSetting", "mnNendoUpdate",
            "mnSalaryList", "mnSalarySetting", "mnSalaryInput", "mnList5000", "mnList5010", "mnSalaryReport",
            "mnSalaryUpReport", "mnMatUPList"},
           !blocked);
    if (!noCompany) {
        action("mnMHyouka")->setEnabled(readiness.hasMatrixId);
        action("mnMCtrMat")->setEnabled(readiness.hasRoleEvaluation);
        action("mnBandName")->setEnabled(readiness.hasMatrixCell);
        action("mnBandGraph")->setEnabled(readiness.hasBand);
    }
    for (auto it = buttons_->menuOfButton.cbegin(); it != buttons_->menuOfButton.cend(); ++it) {
        const QString& button = it.key();
        if (button == QLatin1String("btn_Printa")
            || button == QLatin1String("btnHelp") || button == QLatin1String("btn_END"))
            continue;
        toolButton(button)->setEnabled(action(it.value())->isEnabled());
    }
    action("mnMatUPList")->setVisible(false);
    followProjectState(noCompany);
}

void TPX0000::followProjectState(bool noCompany)
{
    if (!startPanel_)
        return;
    const TAppState& app = App();
    if (!noCompany && app.CompanyOpen) {
        startPanel_->hide();
        RememberProject({app.FiscalYear, app.OpenCompanyCode});
        return;
    }
    if (HasFDM())
        startPanel_->Reload(CurrentSession());
    startPanel_->show();
}

void TPX0000::OpenListedProject(const ListedProject& project)
{
    if (App().CompanyOpen)
        return;
    Session session = CurrentSession();
    const Outcome opened = SelectCompany(session, project.year, project.code, project.name);
    if (!opened.ok) {
        ShowOutcome(opened);
        RefreshMenu(true);
        return;
    }
    AdoptSession(session);
    App().ListMode = 4;
    setWindowTitle(OpenCompanyCaption());
    RefreshMenu(false);
}

void TPX0000::OpenLastProjectIfWanted()
{
    if (App().CompanyOpen || !ReopenLastProjectOnStart())
        return;
    const QList<ListedProject> last = ExistingProjects(CurrentSession(), RememberedProjects().mid(0, 1));
    if (!last.isEmpty())
        OpenListedProject(last.first());
}

bool TPX0000::CompanyGuard()
{
    if (App().CompanyOpen)
        return true;
    Dialogs().warning(AppTitle, NoCompanyMessage);
    return false;
}

// ---------------------------------------------------------------- project commands

void TPX0000::openCompanyList()
{
    TPX0010& list = longLived(companyList_);
    list.SetUpForListMode(App().ListMode);
    showScreen(list);
}

void TPX0000::mnNewClick()
{
    TAppState& app = App();
    if (app.ListMode == 4) {
        Dialogs().warning(AppTitle, ReleaseSelectionMessage);
        return;
    }
    app.ListMode = 1;
    app.CompanyOpen = false;
    openCompanyList();
}

void TPX0000::mnOPenClick()
{
    App().ListMode = 4;
    openCompanyList();
}

void TPX0000::mnCloseClick()
{
    setWindowTitle(AppTitle);
    TAppState& app = App();
    app.ListMode = 0;
    app.OpenCompanyCode = 0;
    app.CompanyOpen = false;
    RefreshMenu(true);
}

void TPX0000::mnMntClick()
{
    TAppState& app = App();
    if (app.ListMode == 4) {
        Dialogs().warning(AppTitle, ReleaseSelectionMessage);
        return;
    }
    app.ListMode = 2;
    openCompanyList();
}

void TPX0000::mnDltClick()
{
    TAppState& app = App();
    if (app.ListMode == 4) {
        Dialogs().warning(AppTitle, ReleaseSelectionMessage);
        return;
    }
    app.ListMode = 3;
    openCompanyList();
}

void TPX0000::mnBaseClick()
{
    if (!CompanyGuard())
        return;
    showScreen(longLived(basicSettings_));
    RefreshMenu(false);
}

void TPX0000::mnSararyNameClick()
{
    if (!CompanyGuard())
        return;
    showTransient<TfrmSalaryName>();
    RefreshMenu(false);
}

void TPX0000::mnHyoukaClick()
{
    if (!CompanyGuard())
        return;
    showTransient<TPX3020>();
    RefreshMenu(false);
}

void TPX0000::mnPrintClick()
{
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    ShowModal(dialog);
}

void TPX0000::mnImportClick()
{
    if (CompanyGuard())
        showTransient<TfrmImportWorker>();
}

void TPX0000::mnExportClick()
{
    ExportEmployeeMaster(SheetFileKind::Csv);
}

void TPX0000::mnExportXlsxClick()
{
    ExportEmployeeMaster(SheetFileKind::Xlsx);
}

void TPX0000::mnCsvUtf8Click()
{
    SetUserCsvEncoding(action(QStringLiteral("mnCsvUtf8"))->isChecked() ? CsvEncoding::Utf8Bom : CsvEncoding::ShiftJis);
}

void TPX0000::mnDBCondClick()
{
    if (!Dialogs().yesNo(AppTitle, QStringLiteral("データベースを圧縮します。よろしいですか？")))
        return;
    TFDM& fdm = FDM();
    fdm.ACN1.close();
    fdm.ACN2.close();
    // A .bak left by a compaction that ended abnormally: asked for each one before any file
    // is touched.
    QStringList continueDespite;
    for (const QString& bak : LeftoverBackups(App().DataFolder))
        if (Dialogs().yesNo(AppTitle, QStringLiteral("すでに.bakファイルが存在します。\r\n"
                                                     "前回圧縮処理をして異常終了してませんか？\r\n"
                                                     "異常終了して原因が不明のままであれば処理を中止して下さい。\r\n"
                                                     "原因が不明なまま処理を続行すると大切なデータが消失することもあります。\r\n"
                                                     "処理を続行しますか？")))
            continueDespite << bak;
    CompactionResult result;
    {
        BusyCursor busy;
        result = CompactDatabases(App().DataFolder, continueDespite);
    }
    if (result.outcome == CompactionResult::CopyBackFailed) {
        Dialogs().warning(AppTitle, result.message);
        terminateProgram();
        return;
    }
    if (result.outcome == CompactionResult::Failed) {
        // The command ends with the engine's message; the connections reopen with the
        // next statement.
        Dialogs().warning(AppTitle, result.message);
        return;
    }
    Dialogs().information(AppTitle, QStringLiteral("DB圧縮処理が完了しました。"));
    fdm.OpenDatabase(fdm.ACN1, App().DataFolder + QStringLiteral("SEIGYO.MDB"));
}

void TPX0000::mnRestoreClick()
{
    TfrmRestore screen(this);
    ShowModal(screen);
}

void TPX0000::TakeWriterLock()
{
    const QString dataFolder = App().DataFolder;
    const QString warning = NetworkFolderWarning(dataFolder);
    if (!warning.isEmpty())
        Dialogs().warning(AppTitle, warning);
    writerLock_ = std::make_unique<WriterLock>(dataFolder);
    const Outcome locked = writerLock_->take();
    if (locked.ok) {
        RefuseWrites(QString());
        return;
    }
    // Held by another (or not writable here): the data may still be looked at and printed,
    // every write refused with the same message.
    if (!Dialogs().yesNo(AppTitle, locked.text + QStringLiteral("\r\n\r\n読み取り専用で開きますか？"))) {
        terminateProgram();
        return;
    }
    RefuseWrites(locked.text);
}

void TPX0000::mnEndClick()
{
    close();
}

// ---------------------------------------------------------------- data entry

void TPX0000::mnWorkerClick()
{
    if (CompanyGuard())
        showTransient<TPX0030>();
}

void TPX0000::mnLivingClick()
{
    if (CompanyGuard())
        showScreen(longLived(costOfLiving_));
}

void TPX0000::mnModelDataClick()
{
    if (CompanyGuard())
        showScreen(longLived(modelData_));
}

void TPX0000::mnModelSalaryClick()
{
    if (!CompanyGuard())
        return;
    if (Project().CurrentCompany.MDCO == 0) {
        Dialogs().warning(AppTitle, QStringLiteral("企業マスターにモデルコードがセットされていません。"
                                                   "【ﾌﾟﾛｼﾞｪｸﾄ】-->【変更】で、モデルコードをセットして下さい。"));
        return;
    }
    showScreen(longLived(modelWages_));
}

void TPX0000::mnMmatIdClick()
{
    CompanyGuard();
}

void TPX0000::mnBandClick()
{
    mnSararyNameClick();
}

// ---------------------------------------------------------------- analyses, wage tables, raises, reports

void TPX0000::mnSalaryPlotClick()
{
    if (CompanyGuard())
        showScreen(longLived(salaryPlot_));
}

void TPX0000::mnSalaryUpCurveClick()
{
    if (CompanyGuard())
        showScreen(longLived(salaryCurve_));
}

void TPX0000::mnLivingCompClick()
{
    if (CompanyGuard())
        showScreen(longLived(livingComparison_));
}

void TPX0000::mnModelSalaryCompClick()
{
    if (CompanyGuard())
        showScreen(longLived(modelComparison_));
}

void TPX0000::mnSalaryUpSettingClick()
{
    if (CompanyGuard())
        showScreen(longLived(curveDesign_));
}

void TPX0000::mnFitClick()
{
    if (CompanyGuard())
        showScreen(longLived(optimalWage_));
}

void TPX0000::mnPayGapClick()
{
    if (CompanyGuard())
        showTransient<TfrmPayGap>();
}

void TPX0000::mnSalaryListClick()
{
    if (CompanyGuard())
        showScreen(longLived(salaryList_), false);
}

void TPX0000::mnSalarySettingClick()
{
    if (CompanyGuard())
        showScreen(longLived(wageTableGraph_));
}

void TPX0000::mnSalaryInputClick()
{
    if (!CompanyGuard())
        return;
    if (!HasGeneratedWageTable(CurrentSession())
        && !Dialogs().yesNo(QStringLiteral("確認"), NoWageTableQuestion))
        return;
    TPX3010 raise(this);
    if (raise.Activate(false))
        ShowModal(raise);
    RefreshMenu(false);
}

void TPX0000::mnNendoUpdateClick()
{
    if (!CompanyGuard())
        return;
    TPX3030 rollover(this);
    rollover.Prepare();
    ShowModal(rollover);
}

void TPX0000::mnList5000Click()
{
    if (CompanyGuard())
        showTransient<TPX5000>();
}

void TPX0000::mnList5010Click()
{
    if (CompanyGuard())
        showTransient<TPX5010>();
}

void TPX0000::mnSalaryReportClick()
{
    if (!CompanyGuard())
        return;
    App().ReportMode = 2;
    showTransient<TPX0090>();
}

void TPX0000::mnSalaryUpReportClick()
{
    if (!CompanyGuard())
        return;
    App().ReportMode = 1;
    showTransient<TPX0090>();
}

// ---------------------------------------------------------------- help

void TPX0000::BeforeUseClick()
{
    ShowGuidance(this);
}

void TPX0000::mnHELPHClick()
{
    const QString help = App().ExeFolder + QStringLiteral("WageloomSlim.html");
    if (!QFileInfo::exists(help)) {
        Dialogs().warning(AppTitle, QStringLiteral("ヘルプファイルが見つかりません。"));
        return;
    }
    if (!documentOpener(help))
        Dialogs().warning(QString(), QStringLiteral("HELPの起動に失敗しました ") + help);
}

void TPX0000::mnVersionClick()
{
    showScreen(longLived(version_));
}

void TPX0000::closeEvent(QCloseEvent* event)
{
    if (HasFDM()) {
        FDM().ACN1.close();
        FDM().ACN2.close();
    }
    event->accept();
}
