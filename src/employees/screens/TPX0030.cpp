// TPX0030: employee register (社員データ), one employee at a time over the list of the project.
#include "employees/screens/TPX0030.h"

#include "employees/EmployeeList.h"
#include "employees/screens/EmployeeBasicPage.h"
#include "employees/screens/EmployeeMatrixPage.h"
#include "employees/screens/EmployeePayHistoryPage.h"
#include "employees/screens/EmployeePayPage.h"
#include "shell/screens/AppState.h"
#include "core/CodeLists.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/StringGrid.h"
#include "shell/screens/DialogService.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>

#include <algorithm>

using namespace EmployeeForm;

namespace {

const QString DirtyHead = QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r");

} // namespace

// ---------------------------------------------------------------- construction

TPX0030::TPX0030(QWidget* parent) : QDialog(parent)
{
    SetupFixedForm(*this, QStringLiteral("TPX0030"), QStringLiteral("社員データ"), 1000, 740);
    setWindowFlag(Qt::WindowStaysOnTopHint, true);

    buildTop();
    buildPages();
    buildBottom();
    installFieldRules();
    InstallEnterMovesFocus(*this);
}

void TPX0030::buildTop()
{
    makeLabel(this, QStringLiteral("社員コード"), 12, 12, 70);
    cmbWorker = makeCombo(this, QStringLiteral("cmbWorker"), 85, 12, 120, true);
    cmbWorker->lineEdit()->setMaxLength(10);
    txtWorker = makeShown(this, QStringLiteral("txtWorker"), 210, 12, 200, false);
    txtCureentNo = makeShown(this, QStringLiteral("txtCureentNo"), 560, 12, 50);
    makeLabel(this, QStringLiteral("/"), 614, 12, 10);
    txtLastNo = makeShown(this, QStringLiteral("txtLastNo"), 626, 12, 50);
    const QStyle::StandardPixmap icons[4] = {QStyle::SP_MediaSkipBackward, QStyle::SP_MediaSeekBackward,
                                             QStyle::SP_MediaSeekForward, QStyle::SP_MediaSkipForward};
    const char* names[4] = {"btnFirst", "btnBack", "btnNext", "btnLast"};
    QPushButton** buttons[4] = {&btnFirst, &btnBack, &btnNext, &btnLast};
    for (int i = 0; i < 4; ++i) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(names[i]));
        b->setIcon(style()->standardIcon(icons[i]));
        b->setGeometry(690 + i * 38, 10, 36, 26);
        *buttons[i] = b;
    }
    connect(btnFirst, &QPushButton::clicked, this, [this] { btnFirstClick(); });
    connect(btnBack, &QPushButton::clicked, this, [this] { btnBackClick(); });
    connect(btnNext, &QPushButton::clicked, this, [this] { btnNextClick(); });
    connect(btnLast, &QPushButton::clicked, this, [this] { btnLastClick(); });
}

void TPX0030::buildPages()
{
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(10, 44, 980, 445);
    basic_ = new EmployeeBasicPage(*PageControl1);
    pay_ = new EmployeePayPage(*PageControl1);
    payHistory_ = new EmployeePayHistoryPage(*PageControl1);
    matrix_ = new EmployeeMatrixPage(*PageControl1, tables_);
    pages_ = {basic_, pay_, payHistory_, matrix_};
    PageControl1->setTabVisible(PageControl1->indexOf(matrix_), false);

    // What one page does to another.
    connect(basic_, &EmployeeBasicPage::formChosen, this, [this] { cmbMibunChange(); });
    connect(basic_, &EmployeeBasicPage::gradeOrStepAccepted, pay_, &EmployeePayPage::applyLinkColours);
    connect(pay_, &EmployeePayPage::wageTableChosen, this, [this] { cmbChinginChange(); });
    connect(payHistory_, &EmployeePayHistoryPage::raiseAccepted, pay_, &EmployeePayPage::refreshTotals);
    for (EmployeePage* page : pages_)
        connect(page, &EmployeePage::edited, this, [this] { setDirty(); });
}

void TPX0030::buildBottom()
{
    Grid = new TStringGrid(this);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->setGeometry(10, 498, 672, 232);
    connect(Grid, &TStringGrid::gridClicked, this, [this](int c, int r) {
        GridSelectCell(c, r);
        GridClick(c, r);
    });

    auto* group = new QGroupBox(QStringLiteral("等級"), this);
    group->setObjectName(QStringLiteral("GroupBox4"));
    group->setGeometry(692, 494, 298, 98);
    for (int g = 0; g <= 9; ++g) {
        const QString text = g == 0 ? QStringLiteral("全て") : QStringLiteral("１２３４５６７８９").mid(g - 1, 1) + QStringLiteral("等級");
        auto* r = new QRadioButton(text, group);
        r->setObjectName(g == 0 ? QStringLiteral("optTokyuAll") : QStringLiteral("optTokyu%1").arg(g));
        r->setGeometry(10 + (g % 4) * 71, 20 + (g / 4) * 24, 70, 22);
        optTokyu[g] = r;
        connect(r, &QRadioButton::clicked, this, [this, g] { optTokyuClick(g); });
    }
    optTokyu[0]->setChecked(true);

    auto button = [this](const QString& name, const QString& text, int x, int y) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setGeometry(x, y, 92, 32);
        return b;
    };
    btnAdd = button(QStringLiteral("btnAdd"), QStringLiteral("登録"), 692, 612);
    btnMnt = button(QStringLiteral("btnMnt"), QStringLiteral("修正"), 795, 612);
    btnDlt = button(QStringLiteral("btnDlt"), QStringLiteral("削除"), 898, 612);
    btnCancel = button(QStringLiteral("btnCancel"), QStringLiteral("ｷｬﾝｾﾙ"), 795, 660);
    btnClose = button(QStringLiteral("btnClose"), QStringLiteral("閉じる"), 898, 660);
    for (QPushButton* b : {btnAdd, btnMnt, btnDlt, btnCancel, btnClose})
        b->setAutoDefault(false);
    connect(btnAdd, &QPushButton::clicked, this, [this] { btnAddClick(); });
    connect(btnMnt, &QPushButton::clicked, this, [this] { btnMntClick(); });
    connect(btnDlt, &QPushButton::clicked, this, [this] { btnDltClick(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
    connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
}

// The checks run when a field is left: the code here, the fields of every page in their
// order. Each page reports its own edits (the dirty flag).
void TPX0030::installFieldRules()
{
    auto add = [this](QWidget* field, std::function<bool()> check) {
        checks_.append({field, check});
        CheckWhenLeft(*field, [this, field] { return FieldExit(field); });
    };
    add(cmbWorker, [this] { return cmbWorkerExit(); });
    for (EmployeePage* page : pages_)
        for (const CheckedField& c : page->checks())
            add(c.field, c.check);
}

bool TPX0030::FieldExit(QWidget* field)
{
    for (const auto& c : checks_)
        if (c.field == field)
            return c.check();
    return true;
}

// ---------------------------------------------------------------- opening

void TPX0030::Prepare()
{
    BusyCursor busy;
    const TMKIGYOU2& c = Project().CurrentCompany;
    const QVariantList project{c.KCO.toLongLong(), c.NENDO.toLongLong()};
    matrix_->fillLists(project);
    basic_->fillFormList(project);
    pay_->fillWageTableList(project);
    // The tables, forms and marks are read afresh, and the open project takes the marks
    // and role evaluations just read.
    Session session = CurrentSession();
    tables_ = LoadMatrixTables(session);
    forms_ = LoadEmploymentForms(session);
    LoadMarks(session);
    session.project.EvaluationSymbols = tables_.roles;
    AdoptSession(session);

    basic_->fillProjectLists();

    PageControl1->setCurrentIndex(0);
    setupGrid();
    btnAdd->setEnabled(true);
    btnMnt->setEnabled(true);
    btnDlt->setEnabled(true);
    closing_ = false;
    clearScreen();
    gradeFilter_ = 0;
    optTokyu[0]->setChecked(true);
    position_ = 0;
    loadList();
    position_ = list_.items.isEmpty() ? 0 : 1;
    GridClick(1, 1);
    dirty_ = false;
}

void TPX0030::setupGrid()
{
    Grid->setColCount(11);
    Grid->setRowCountKeeping(2);
    Grid->setFixedRows(1);
    Grid->setFixedCols(1);
    const int widths[11] = {30, 60, 60, 110, 50, 50, 70, 70, 70, 60, 60};
    const char* headings[11] = {"", "社員ｺｰﾄﾞ", "社員番号", "氏　　名", "年　齢", "勤　続",
                                "役　職", "本年評価", "資格等級", "号　俸", "ゾーン"};
    for (int c = 0; c < 11; ++c) {
        Grid->setColWidth(c, widths[c]);
        Grid->setCell(c, 0, QString::fromUtf8(headings[c]));
        Grid->setColumnAlignment(c, Qt::AlignCenter);
    }
    Grid->setColumnHidden(10, true);
}

// ---------------------------------------------------------------- clearing and the list

void TPX0030::clearScreen()
{
    current_ = TSyain_();
    shown_ = false;
    cmbWorker->setEditText(QString());
    txtWorker->clear();
    for (EmployeePage* page : pages_)
        page->clear();
    setPayLabels(0);
    Project().CurrentCompany.FRSTKYUM = 0;
}

void TPX0030::loadList()
{
    fillList();
    paintGridRow();
}

void TPX0030::fillList()
{
    BusyCursor busy;
    const Session session = CurrentSession();
    LoadEmployeeList(session, gradeFilter_, list_);
    RecomputeMatrixZones(session, list_, tables_);

    const QString typed = cmbWorker->currentText();
    cmbWorker->clear();
    // All items at once: one insertion for the list's model, not one per employee.
    QStringList items;
    items.reserve(list_.items.size());
    for (const TSyain_& r : list_.items)
        items << r.SCO + QStringLiteral(" : ") + r.SNA;
    cmbWorker->addItems(items);
    cmbWorker->setCurrentIndex(-1);
    cmbWorker->setEditText(typed);

    const int count = int(list_.items.size());
    Grid->clearData();
    TStringGrid::Filling filling(*Grid);
    if (count == 0) {
        txtCureentNo->clear();
        txtLastNo->clear();
        Grid->setRowCountKeeping(2);
        position_ = 0;
    } else {
        Grid->setRowCountKeeping(count + 1);
        txtLastNo->setText(QString::number(count));
        for (int i = 0; i < count; ++i) {
            const QStringList cells = EmployeeGridRow(i + 1, list_.items[i]);
            for (int c = 0; c < cells.size(); ++c)
                Grid->setCell(c, i + 1, cells[c]);
        }
        if (position_ > count)
            position_ = count;
    }
    highlight_ = true;
}

void TPX0030::paintGridRow()
{
    const int row = position_ >= 1 ? position_ : 1;
    Grid->setCursor(std::max(1, Grid->col()), row);
    Grid->setHighlightedRow(highlight_ && position_ >= 1 ? position_ : -1);
}

// ---------------------------------------------------------------- showing an employee

void TPX0030::setPayLabels(int form)
{
    pay_->showPayLabels(PayLabels(forms_, form));
}

void TPX0030::showEmployee(int n)
{
    if (n < 1 || n > list_.items.size())
        return;
    position_ = n;
    // The list holds what it shows; the employee on screen is read whole.
    bool found = false;
    current_ = list_.items[n - 1];
    LoadEmployee(CurrentSession(), current_.SCO.toInt(), current_, found);
    const TSyain_& r = current_;
    btnAdd->setEnabled(false);

    for (EmployeePage* page : pages_)
        page->showEmployee(r);
    setPayLabels(r.SM1);
    Project().CurrentCompany.FRSTKYUM = 0;

    cmbWorker->setEditText(r.SCO);
    txtWorker->setText(r.SNA);
    txtCureentNo->setText(QString::number(n));
    txtLastNo->setText(QString::number(list_.items.size()));
    paintGridRow();
    shown_ = true;
    dirty_ = false;
}

int TPX0030::link() const
{
    return pay_->link();
}

const QString& TPX0030::pictureName() const
{
    return basic_->pictureName();
}

// ---------------------------------------------------------------- fields left

bool TPX0030::cmbWorkerExit()
{
    const QString text = cmbWorker->currentText().trimmed();
    if (text.isEmpty())
        return true;
    int code = 0;
    const EmployeeCheck check = CheckEmployeeCode(text, &code);
    if (!check.ok()) {
        Dialogs().warning(QString(), check.message);
        return false;
    }
    const QString codeText = QString::number(code);
    int found = 0;
    for (int i = 0; i < list_.items.size(); ++i)
        if (list_.items[i].SCO == codeText) {
            found = i + 1;
            break;
        }
    // Leaving the code of the employee on the screen keeps the edits made to it.
    if (found != 0 && found == position_ && shown_ && current_.SCO == codeText) {
        cmbWorker->setEditText(codeText);
        return true;
    }
    if (found != 0) {
        txtWorker->setText(list_.items[found - 1].SNA);
    } else {
        txtWorker->setText(QStringLiteral("未登録"));
    }
    cmbWorker->setEditText(codeText);
    position_ = found;
    if (position_ == 0) {
        clearScreen();
        cmbWorker->setEditText(codeText);
        btnAdd->setEnabled(true);
        txtCureentNo->clear();
        highlight_ = false;
        paintGridRow();
    } else {
        showEmployee(position_);
    }
    pay_->refreshTotals();
    dirty_ = false;
    return true;
}

// ---------------------------------------------------------------- lists one page follows on another

void TPX0030::cmbMibunChange()
{
    setPayLabels(basic_->form());
    setDirty();
}

void TPX0030::cmbChinginChange()
{
    // The evaluations offered are those of the chosen wage table.
    basic_->fillEvaluationList(pay_->wageTable(), basic_->evaluationCode());
    setDirty();
}

// ---------------------------------------------------------------- saving

EmployeeFields TPX0030::fieldValues() const
{
    EmployeeFields f;
    f.code = cmbWorker->currentText();
    for (const EmployeePage* page : pages_)
        page->gather(f);
    return f;
}

void TPX0030::showBasicPage()
{
    PageControl1->setCurrentIndex(0);
}

// Runs the check of every checked field but the code list, so that a value typed and not
// yet left is never saved as 0; the first failing field gets the focus.
bool TPX0030::checkAllFields()
{
    for (const auto& c : checks_) {
        if (c.field == cmbWorker)
            continue;
        if (!c.check()) {
            for (int i = 0; i < PageControl1->count(); ++i)
                if (PageControl1->widget(i)->isAncestorOf(c.field))
                    PageControl1->setCurrentIndex(i);
            c.field->setFocus();
            return false;
        }
    }
    return true;
}

bool TPX0030::gatherRecord(TSyain_& rec)
{
    const Session session = CurrentSession();
    const EmployeeCheck check = FillEmployeeRecord(session, fieldValues(), rec);
    if (!check.ok()) {
        Dialogs().warning(QString(), check.message);
        if (check.error == EmployeeFieldError::CodeEmpty || check.error == EmployeeFieldError::CodeInvalid)
            cmbWorker->setFocus();
        for (EmployeePage* page : pages_)
            if (QWidget* field = page->fieldOf(check.error)) {
                PageControl1->setCurrentWidget(page);
                field->setFocus();
            }
        return false;
    }
    return checkAllFields() && FillEmployeeRecord(session, fieldValues(), rec).ok();
}

void TPX0030::btnAddClick()
{
    TSyain_ rec;
    SetAddTimeValues(rec, QDateTime::currentDateTime());
    if (!gatherRecord(rec))
        return;
    const Session session = CurrentSession();
    bool exists = false;
    if (!EmployeeExists(session, rec.SCO.toInt(), exists))
        return;
    if (exists) {
        Dialogs().warning(QString(),
                          QStringLiteral("データは既に存在します。更新する場合は、修正ボタン　を押下して下さい。"));
        basic_->focusNumber();
        return;
    }
    if (!AddEmployee(session, rec))
        return;   // the layer has reported it; the typed values stay on the screen
    clearScreen();
    loadList();
    position_ = 0;
    for (int i = 0; i < list_.items.size(); ++i)
        if (list_.items[i].SCO == rec.SCO)
            position_ = i + 1;
    paintGridRow();
    btnAdd->setEnabled(false);
    btnMnt->setEnabled(true);
    btnDlt->setEnabled(true);
    txtCureentNo->clear();
    cmbWorker->setFocus();
    dirty_ = false;
}

void TPX0030::btnMntClick()
{
    TSyain_ rec = current_;
    if (!gatherRecord(rec))
        return;
    const Session session = CurrentSession();
    if (!ModifyEmployee(session, rec))
        return;
    const int col = Grid->col();
    loadList();
    Grid->setCursor(std::max(1, col), position_ >= 1 ? position_ : 1);
    current_ = rec;
    bool found = false;
    LoadEmployee(session, rec.SCO.toInt(), current_, found);
    shown_ = true;
    pay_->refreshTotals();
    btnAdd->setEnabled(false);
    btnMnt->setEnabled(true);
    btnDlt->setEnabled(true);
    dirty_ = false;
}

void TPX0030::btnDltClick()
{
    if (cmbWorker->currentText().trimmed().isEmpty()) {
        Dialogs().warning(QString(), QStringLiteral("社員コードが入力されていません。"));
        cmbWorker->setFocus();
        return;
    }
    int code = 0;
    const EmployeeCheck check = CheckEmployeeCode(cmbWorker->currentText(), &code);
    if (!check.ok()) {
        Dialogs().warning(QString(), check.message);
        cmbWorker->setFocus();
        return;
    }
    if (!Dialogs().yesNo(QStringLiteral("削除確認"),
                         QStringLiteral("ﾃﾞｰﾀを削除しますか？\r【はい】:削除します。\r【いいえ】:戻ります。")))
        return;
    DeleteEmployee(CurrentSession(), code);
    clearScreen();
    loadList();
    // The form is empty: no employee is current, counted or highlighted.
    position_ = 0;
    highlight_ = false;
    txtCureentNo->clear();
    paintGridRow();
    btnAdd->setEnabled(false);
    btnMnt->setEnabled(true);
    btnDlt->setEnabled(true);
    dirty_ = false;
}

void TPX0030::btnCancelClick()
{
    btnAdd->setEnabled(true);
    btnMnt->setEnabled(true);
    btnDlt->setEnabled(true);
    clearScreen();
    cmbWorker->setFocus();
    highlight_ = false;
    position_ = 0;
    paintGridRow();
    Grid->setCursor(1, 1);
    txtCureentNo->clear();
    dirty_ = false;
}

// ---------------------------------------------------------------- navigation and closing

bool TPX0030::askDirty(const QString& noText)
{
    if (!dirty_)
        return false;
    if (Dialogs().yesNo(QStringLiteral("確認"), DirtyHead + noText)) {
        showBasicPage();
        return true;
    }
    return false;
}

bool TPX0030::navigate(int target, const QString& noText)
{
    if (askDirty(noText))
        return false;
    showEmployee(target);
    pay_->refreshTotals();
    dirty_ = false;
    return true;
}

void TPX0030::btnFirstClick()
{
    if (list_.items.isEmpty())
        return;
    navigate(1, QStringLiteral("【いいえ】:最初のデータ　へ。"));
}

void TPX0030::btnBackClick()
{
    if (list_.items.isEmpty() || position_ <= 1)
        return;
    navigate(position_ - 1, QStringLiteral("【いいえ】:前のデータ　へ。"));
}

void TPX0030::btnNextClick()
{
    const int count = int(list_.items.size());
    if (count == 0 || position_ >= count)
        return;
    navigate(position_ + 1, QStringLiteral("【いいえ】:次のデータ　へ。"));
}

void TPX0030::btnLastClick()
{
    const int count = int(list_.items.size());
    if (count == 0 || position_ >= count)
        return;
    navigate(count, QStringLiteral("【いいえ】:最後のデータ　へ。"));
}

bool TPX0030::confirmClose()
{
    if (askDirty(QStringLiteral("【いいえ】:画面を閉じます。")))
        return false;
    dirty_ = false;
    return true;
}

void TPX0030::btnCloseClick()
{
    if (!confirmClose())
        return;
    closing_ = true;
    done(QDialog::Accepted);
}

void TPX0030::reject()
{
    btnCloseClick();
}

void TPX0030::closeEvent(QCloseEvent* event)
{
    if (closing_ || confirmClose()) {
        closing_ = true;
        QDialog::closeEvent(event);
    } else {
        event->ignore();
    }
}

// ---------------------------------------------------------------- grid and grade filter

void TPX0030::GridSelectCell(int, int row)
{
    if (row >= 1 && row <= list_.items.size())
        position_ = row;
}

void TPX0030::GridClick(int, int row)
{
    if (row < 1 || row > list_.items.size())
        return;
    if (Grid->cell(1, row).isEmpty() && Grid->cell(2, row).isEmpty() && Grid->cell(3, row).isEmpty())
        return;
    highlight_ = true;
    showEmployee(row);
    pay_->refreshTotals();
    dirty_ = false;
}

void TPX0030::optTokyuClick(int grade)
{
    if (grade < 0 || grade > 9)
        return;
    if (dirty_) {
        Dialogs().warning(QString(),
                          QStringLiteral("ﾃﾞｰﾀが変更されています。変更する場合は、登録・修正 ボタン　を、変更しない場合は、"
                                         "キャンセル ボタン　を押して下さい。"));
        showBasicPage();
        optTokyu[gradeFilter_]->setChecked(true);
        return;
    }
    gradeFilter_ = grade;
    optTokyu[grade]->setChecked(true);
    position_ = 1;
    loadList();
    Grid->setCursor(1, 1);
    GridClick(1, 1);
}
