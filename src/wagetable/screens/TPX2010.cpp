// TPX2010: wage table editing (賃金表　作成) — salary scales, curves, saving, CSV and the combined table.
#include "wagetable/screens/TPX2010.h"

#include "shell/screens/TfrmPrintPreview.h"
#include "shell/screens/AppState.h"
#include "core/CodeLists.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/DialogService.h"
#include "shell/screens/ExportSettings.h"
#include "wagetable/SalaryListExport.h"
#include "wagetable/SalaryListReport.h"
#include "wagetable/screens/TPX2011.h"
#include "wagetable/screens/WageTableBasicPage.h"
#include "wagetable/screens/WageTableCurvePages.h"
#include "wagetable/screens/WageTableScalePage.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabWidget>

namespace {

const QString changedText = QStringLiteral("ﾃﾞｰﾀが変更されています。");
const QString confirmCaption = QStringLiteral("確認");

enum Page { BasicPage = 1, ScalePage = 2, SecondOrderPage = 3, ThirdOrderPage = 4 };

} // namespace

TPX2010::TPX2010(QWidget* parent) : QDialog(parent)
{
    SetupFixedForm(*this, QStringLiteral("TPX2010"), QStringLiteral("賃金表　作成"), 790, 580);

    auto button = [this](const QString& name, const QString& text, int x) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setGeometry(x, 10, 100, 30);
        b->setAutoDefault(false);
        return b;
    };
    btnAdd = button(QStringLiteral("btnAdd"), QStringLiteral("登　録"), 10);
    btnCancel = button(QStringLiteral("btnCancel"), QStringLiteral("ｷｬﾝｾﾙ"), 116);
    btnSalaryList = button(QStringLiteral("btnSalaryList"), QStringLiteral("連結賃金表"), 222);
    btnCSV = button(QStringLiteral("btnCSV"), QStringLiteral("CSV出力"), 328);
    btnXlsx = button(QStringLiteral("btnXlsx"), ExcelExportCaption, 434);
    btnClose = button(QStringLiteral("btnClose"), QStringLiteral("閉じる"), 680);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(8, 50, 774, 522);
    basic_ = new WageTableBasicPage(*PageControl1);
    scale_ = new WageTableScalePage(*PageControl1);
    secondOrder_ = new SecondOrderCurvePage(*PageControl1);
    thirdOrder_ = new ThirdOrderCurvePage(*PageControl1);

    baseAmounts_ = new TPX2011(this);

    connect(btnAdd, &QPushButton::clicked, this, [this] { btnAddClick(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
    connect(btnSalaryList, &QPushButton::clicked, this, [this] { btnSalaryListClick(); });
    connect(btnCSV, &QPushButton::clicked, this, [this] { btnCSVClick(SheetFileKind::Csv); });
    connect(btnXlsx, &QPushButton::clicked, this, [this] { btnCSVClick(SheetFileKind::Xlsx); });
    connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] { PageControl1Change(); });

    wirePages();
    InstallEnterMovesFocus(*this);
}

// What the pages tell the screen: their edits, a chosen ID, 基準額.
void TPX2010::wirePages()
{
    const std::pair<WageTablePage*, int> pages[] = {
        {basic_, BasicPage}, {scale_, ScalePage}, {secondOrder_, SecondOrderPage}, {thirdOrder_, ThirdOrderPage}};
    for (const auto& [page, number] : pages)
        connect(page, &WageTablePage::edited, this, [this, number] { markChanged(number); });
    connect(&basic_->idBox(), &WageTableIdBox::chosen, this, [this](int id, bool listed) { basicIdChosen(id, listed); });
    connect(&scale_->idBox(), &WageTableIdBox::chosen, this, [this](int id, bool) { scaleIdChosen(id); });
    connect(scale_, &WageTableScalePage::baseAmountsAsked, this, [this] { btnKijungakuClick(); });
}

// ---------------------------------------------------------------- opening, reset and loading

void TPX2010::Prepare()
{
    int first = 0;
    FirstSalaryListId(CurrentSession(), first);
    currentId_ = first;
    pageState_ = BasicPage;
    showPage(BasicPage);
    Reset();
    LoadIdList();
    LoadAll();
    clearChanged();
}

void TPX2010::Reset()
{
    scale_->reset();
    basic_->reset();
    secondOrder_->reset();
    thirdOrder_->reset();
}

void TPX2010::setIdBoxes(const QString& text)
{
    basic_->idBox().showId(text);
    scale_->idBox().showId(text);
}

void TPX2010::LoadIdList()
{
    QList<int> ids;
    LoadSalaryListIds(CurrentSession(), ids);
    basic_->idBox().setIds(ids);
    scale_->idBox().setIds(ids);
}

void TPX2010::LoadAll()
{
    loadHeader();
    scale_->load(currentId_);
    secondOrder_->load(currentId_, basic_->gradeCountText());
    thirdOrder_->load(currentId_, basic_->gradeCountText());
}

void TPX2010::loadHeader()
{
    TMCHNGIN_ header;
    bool found = false;
    if (currentId_ != 0)
        LoadSalaryListHeader(CurrentSession(), currentId_, header, found);
    if (!found) {
        basic_->showDefaultChoices();
        currentId_ = 0;
        return;
    }
    basic_->showHeader(header);
    if (header.SKCO != 0)
        setIdBoxes(QString::number(header.SKCO));
}

void TPX2010::basicIdChosen(int id, bool listed)
{
    currentId_ = id;
    setIdBoxes(QString::number(id));
    if (listed) {
        loadHeader();
        scale_->load(currentId_);
    }
    clearChanged();
}

void TPX2010::scaleIdChosen(int id)
{
    currentId_ = id;
    setIdBoxes(QString::number(id));
    loadHeader();
    scale_->resetRows();
    ColourRows();
    scale_->load(currentId_);
    clearChanged();
}

// ---------------------------------------------------------------- the screen as a definition

SalaryListDefinition TPX2010::DefinitionOnScreen() const
{
    SalaryListDefinition def;
    def.id = currentId_;
    basic_->gather(def);
    def.factor = def.curveKind == ThirdOrderCurve ? thirdOrder_->factor() : secondOrder_->factor();
    scale_->gather(def);
    secondOrder_->gather(def);
    thirdOrder_->gather(def);
    return def;
}

// ---------------------------------------------------------------- changes and pages

void TPX2010::markChanged(int page)
{
    changed_[page - 1] = true;
}

void TPX2010::clearChanged()
{
    changed_.fill(false);
}

bool TPX2010::IsChanged() const
{
    for (bool c : changed_)
        if (c)
            return true;
    return false;
}

void TPX2010::showPage(int state)
{
    switchingPage_ = true;
    PageControl1->setCurrentIndex(state - 1);
    switchingPage_ = false;
}

void TPX2010::PageControl1Change()
{
    if (switchingPage_)
        return;
    const int page = PageControl1->currentIndex() + 1;
    if (page == pageState_)
        return;
    if (IsChanged()) {
        showPage(pageState_);
        Dialogs().warning(QString(), changedText + QStringLiteral("登録ボタンを押し、データを更新して下さい。"));
        return;
    }
    if (page == SecondOrderPage) {
        secondOrder_->load(currentId_, basic_->gradeCountText());
        deriveAmounts(*secondOrder_);
    } else if (page == ThirdOrderPage) {
        thirdOrder_->load(currentId_, basic_->gradeCountText());
        deriveAmounts(*thirdOrder_);
    }
    PageCheck();
    clearChanged();
}

void TPX2010::deriveAmounts(WageTableCurvePage& page)
{
    if (!basic_->automatic())
        return;
    const int n = basic_->gradeCount();
    for (int i = 0; i < n; ++i)
        page.showDerivedAmounts(i, scale_->derivedAmounts(i));
}

void TPX2010::PageCheck()
{
    const int page = PageControl1->currentIndex() + 1;
    if (page == SecondOrderPage && basic_->thirdOrderChosen()) {
        showPage(pageState_);
        Dialogs().warning(QString(), QStringLiteral("曲線の選択　は、３次曲線　が選択されています。"));
        return;
    }
    if (page == ThirdOrderPage && basic_->secondOrderChosen()) {
        showPage(pageState_);
        Dialogs().warning(QString(), QStringLiteral("曲線の選択　は、２次曲線　が選択されています。"));
        return;
    }
    pageState_ = page;
    if (page != BasicPage) {
        ColourRows();
        if (page == SecondOrderPage)
            secondOrder_->showGradeCount(basic_->gradeCountText());
        else if (page == ThirdOrderPage)
            thirdOrder_->showGradeCount(basic_->gradeCountText());
    }
}

void TPX2010::ColourRows()
{
    const int n = basic_->gradeCount();
    const bool automatic = basic_->automatic();
    scale_->colourRows(n);
    secondOrder_->colourRows(n, automatic);
    thirdOrder_->colourRows(n, automatic);
}

bool TPX2010::mayLeaveChanges(const QString& noMeans)
{
    if (!IsChanged())
        return true;
    if (Dialogs().yesNo(confirmCaption, changedText + QStringLiteral("\r【はい】:戻ります。\r【いいえ】:") + noMeans)) {
        PageCheck();
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- buttons

void TPX2010::btnAddClick()
{
    SalaryListDefinition def = DefinitionOnScreen();
    const QString problem = ValidateSalaryList(def);
    if (!problem.isEmpty()) {
        Dialogs().warning(confirmCaption, problem);
        return;
    }
    {
        BusyCursor busy;
        const Outcome saved = SaveSalaryList(CurrentSession(), def);
        if (!saved.ok) {
            ShowOutcome(saved);
            return;   // the edits stay on the screen to be corrected or saved again
        }
        Reset();
        LoadIdList();
        LoadAll();
    }
    PageCheck();
    clearChanged();
}

void TPX2010::btnCancelClick()
{
    Reset();
    LoadIdList();
    LoadAll();
    PageCheck();
    clearChanged();
}

void TPX2010::btnCloseClick()
{
    if (!mayLeaveChanges(QStringLiteral("画面を閉じます。")))
        return;
    baseAmounts_->close();
    done(QDialog::Accepted);
}

void TPX2010::closeEvent(QCloseEvent* event)
{
    if (!mayLeaveChanges(QStringLiteral("画面を閉じます。"))) {
        event->ignore();
        return;
    }
    baseAmounts_->close();
    event->accept();
    done(QDialog::Accepted);
}

void TPX2010::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        btnCancelClick();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

int TPX2010::chosenTableId()
{
    const int id = CodeOf(basic_->idBox().currentText());
    if (id == 0)
        Dialogs().warning(confirmCaption, QStringLiteral("スケールコードを選択して下さい。"));
    return id;
}

void TPX2010::btnCSVClick(SheetFileKind kind)
{
    if (!mayLeaveChanges(QStringLiteral("続行します。")))
        return;
    const int id = chosenTableId();
    if (id == 0)
        return;
    if (!Dialogs().yesNo(AppTitle, ExportQuestion(QStringLiteral("賃金表"), App().ExeFolder, kind)))
        return;
    ShowOutcome(ExportSalaryListCsv(CurrentSession(), id, basic_->title(), QString(), nullptr, UserTableFileFormat(kind)));
}

void TPX2010::btnSalaryListClick()
{
    if (!mayLeaveChanges(QStringLiteral("続行します。")))
        return;
    const int id = chosenTableId();
    if (id == 0)
        return;
    ReportDocument doc;
    const Outcome laidOut = SalaryListDocument(CurrentSession(), id, basic_->title(), doc);
    if (laidOut.ok)
        ComposeAndPreview(doc);
    else
        ShowOutcome(laidOut);
}

void TPX2010::btnKijungakuClick()
{
    const QString text = scale_->idBox().currentText().trimmed();
    bool isNumber = false;
    const int id = CodeTextOf(text).toInt(&isNumber);
    if (text.isEmpty() || !isNumber) {
        Dialogs().warning(confirmCaption, QStringLiteral("賃金表IDを入力して下さい。"));
        return;
    }
    QStringList names;
    for (const QString& name : Project().CurrentCompany.TK)
        names << name;
    baseAmounts_->ShowAmounts(names, {});
    std::array<long long, 9> totals{};
    if (!BaseAmountTotals(CurrentSession(), id, totals))
        return;
    baseAmounts_->ShowAmounts(names, totals);
    if (!baseAmounts_->isVisible())
        baseAmounts_->move(frameGeometry().topRight() + QPoint(4, 0));
    baseAmounts_->show();
    baseAmounts_->raise();
}
