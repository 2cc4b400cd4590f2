// TPX0010: company list and selection.
#include "projects/screens/TPX0010.h"

#include "projects/Companies.h"
#include "projects/screens/TPX0020.h"
#include "shell/screens/AppState.h"
#include "shell/screens/MainWindowLink.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/StringGrid.h"
#include "shell/screens/DialogService.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

const QString InfoText = QStringLiteral("サンプル企業は2018～2020年度に収録しています");

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int y)
{
    QPushButton* b = MakeButton(parent, QString::fromLatin1(name), caption);
    b->setGeometry(614, y, 120, 34);
    return b;
}

// The number in a grid cell, 0 when it is not one.
int codeIn(const QString& text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? n : 0;
}

} // namespace

TPX0010::TPX0010(QWidget* parent) : QDialog(parent)
{
    SetupFixedForm(*this, QStringLiteral("TPX0010"), QStringLiteral("企業　選択"), 750, 500);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    buildForm();
    InstallEnterMovesFocus(*this);

    // The master is the list's own, shown above it.
    master_ = new TPX0020(this);
    connect(master_, &TPX0020::listPreparationRequested, this, [this] {
        // Prepared again, the list stays on the year just worked on, so that it shows
        // the company registered (or no longer shows the one deleted).
        App().refreshToday();
        prepareFor(App().FiscalYear);
    });
    connect(master_, &TPX0020::listReloadRequested, this, &TPX0010::LoadList);
}

void TPX0010::buildForm()
{
    auto* yearLabel = new QLabel(QStringLiteral("年　度"), this);
    yearLabel->setGeometry(16, 12, 50, 28);
    yearLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    cmbNendo = new QComboBox(this);
    cmbNendo->setObjectName(QStringLiteral("cmbNendo"));
    cmbNendo->setEditable(true);
    cmbNendo->setInsertPolicy(QComboBox::NoInsert);
    cmbNendo->setMaxVisibleItems(12);
    cmbNendo->setGeometry(70, 12, 100, 28);
    // Choosing a year loads its list; typing one only empties the chosen year.
    connect(cmbNendo, &QComboBox::currentTextChanged, this, &TPX0010::cmbNendoChange);
    // Choosing the year already shown loads it again too.
    connect(cmbNendo, &QComboBox::activated, this, [this](int) { cmbNendoChange(); });
    connect(cmbNendo->lineEdit(), &QLineEdit::editingFinished, this, &TPX0010::cmbNendoExit);

    Lbl_Info = new QLabel(InfoText, this);
    Lbl_Info->setObjectName(QStringLiteral("Lbl_Info"));
    Lbl_Info->setGeometry(200, 12, 394, 28);
    Lbl_Info->setAlignment(Qt::AlignCenter);
    Lbl_Info->setAutoFillBackground(true);
    QPalette info = Lbl_Info->palette();
    info.setColor(QPalette::Window, QColor(Qt::darkGray));
    info.setColor(QPalette::WindowText, QColor(Qt::white));
    Lbl_Info->setPalette(info);

    Grid = new TStringGrid(this);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->setGeometry(16, 52, 578, 432);
    Grid->horizontalHeader()->setMinimumSectionSize(8);
    Grid->setStyleSheet(QStringLiteral("QTableWidget::item { padding-left: 2px; padding-right: 2px; }"));
    connect(Grid, &TStringGrid::gridClicked, this, &TPX0010::GridClick);

    btnAdd = button(this, "btnAdd", QStringLiteral("選択"), 52);
    btnMnt = button(this, "btnMnt", QStringLiteral("修正"), 96);
    btnDlt = button(this, "btnDlt", QStringLiteral("削除"), 140);
    btnClose = button(this, "btnClose", QStringLiteral("閉じる"), 450);
    connect(btnAdd, &QPushButton::clicked, this, &TPX0010::btnAddClick);
    connect(btnMnt, &QPushButton::clicked, this, &TPX0010::btnMntClick);
    connect(btnDlt, &QPushButton::clicked, this, &TPX0010::btnDltClick);
    connect(btnClose, &QPushButton::clicked, this, &TPX0010::btnCloseClick);

    // The chosen company's code, name and path, kept out of sight.
    Edit1 = new QLineEdit(this);
    Edit2 = new QLineEdit(this);
    Edit3 = new QLineEdit(this);
    const char* names[] = {"Edit1", "Edit2", "Edit3"};
    QLineEdit* edits[] = {Edit1, Edit2, Edit3};
    for (int i = 0; i < 3; ++i) {
        edits[i]->setObjectName(QString::fromLatin1(names[i]));
        edits[i]->hide();
    }
}

void TPX0010::SetUpForListMode(int listMode)
{
    switch (listMode) {
    case 1:
        setWindowTitle(QStringLiteral("企業　登録"));
        btnAdd->setText(QStringLiteral("登録"));
        break;
    case 2:
        setWindowTitle(QStringLiteral("企業　変更"));
        btnMnt->setText(QStringLiteral("修正"));
        break;
    case 3:
        setWindowTitle(QStringLiteral("企業　削除"));
        btnDlt->setText(QStringLiteral("削除"));
        break;
    case 4:
        setWindowTitle(QStringLiteral("企業　選択"));
        btnAdd->setText(QStringLiteral("選択"));
        break;
    default:
        break;
    }
    btnAdd->setEnabled(listMode == 1 || listMode == 4);
    btnMnt->setEnabled(listMode == 2);
    btnDlt->setEnabled(listMode == 3);
}

void TPX0010::Prepare()
{
    App().refreshToday();
    prepareFor(App().TodayYear);
}

void TPX0010::prepareFor(int year)
{
    TAppState& app = App();
    {
        const QSignalBlocker block(cmbNendo);
        cmbNendo->clear();
        for (int y : SelectableYears(app.TodayYear))
            cmbNendo->addItem(QString::number(y));
        cmbNendo->setCurrentIndex(cmbNendo->findText(QString::number(year)));
        cmbNendo->setEditText(QString::number(year));
    }
    app.FiscalYear = year;

    setFixedSize(750, 500);
    CenterOnScreen(*this);

    currentRow_ = 1;
    LoadList();
    Lbl_Info->setText(InfoText);
}

void TPX0010::LoadList()
{
    const TAppState& app = App();
    const Session session = CurrentSession();
    QList<TKigyo1_> rows;
    LoadCompanyList(session, app.FiscalYear, rows);

    Grid->setRowCount(0);
    Grid->setColCount(4);
    Grid->setRowCountKeeping(1 + std::max<int>(1, int(rows.size())));
    Grid->setColWidth(0, 30);
    Grid->setColWidth(1, 60);
    Grid->setColWidth(2, 250);
    Grid->setColWidth(3, 200);
    Grid->setCell(1, 0, QStringLiteral("企業ｺｰﾄﾞ"));
    Grid->setCell(2, 0, QStringLiteral("企　業　名"));
    Grid->setCell(3, 0, QStringLiteral("パス名"));
    Grid->setColumnAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    Grid->setColumnAlignment(2, Qt::AlignLeft | Qt::AlignVCenter);
    Grid->setColumnAlignment(3, Qt::AlignLeft | Qt::AlignVCenter);
    for (int i = 0; i < rows.size(); ++i) {
        const int r = i + 1;
        Grid->setCell(0, r, QString::number(r));
        Grid->setCell(1, r, rows[i].KCO);
        Grid->setCell(2, r, rows[i].KNA);
        Grid->setCell(3, r, app.DataFolder);
    }

    maxCompanyCode_ = LargestCompanyCode(session);
    currentRow_ = 1;
    // Registering does not use the selection; the other modes start on the first row.
    if (app.ListMode != 1) {
        selectedCode_ = codeIn(Grid->cell(1, 1));
        selectedName_ = Grid->cell(2, 1);
        selectedPath_ = Grid->cell(3, 1);
    }
    paintGrid();
}

void TPX0010::paintGrid()
{
    // An empty list shows no chosen row.
    const bool empty = codeIn(Grid->cell(1, 1)) == 0 && Grid->cell(2, 1).isEmpty();
    Grid->setHighlightedRow(empty ? -1 : currentRow_);
    if (empty)
        Grid->setCurrentCell(-1, -1);
    else
        Grid->setCursor(1, currentRow_);
}

void TPX0010::cmbNendoExit()
{
    const int i = cmbNendo->findText(cmbNendo->currentText().trimmed());
    if (i < 0)
        return;   // a year the list does not offer stays unchosen
    {
        const QSignalBlocker block(cmbNendo);
        cmbNendo->setCurrentIndex(i);
    }
    cmbNendoChange();
}

void TPX0010::cmbNendoChange()
{
    TAppState& app = App();
    app.FiscalYear = 0;
    const int i = cmbNendo->currentIndex();
    // Only a year chosen from the list counts; text typed into the box does not.
    if (i < 0 || cmbNendo->currentText() != cmbNendo->itemText(i))
        return;
    bool ok = false;
    const int year = cmbNendo->itemText(i).trimmed().toInt(&ok);
    if (!ok)
        return;
    app.FiscalYear = year;
    LoadList();
}

void TPX0010::GridClick(int col, int row)
{
    const bool dataCell = row >= Grid->fixedRows() && row < Grid->rowCount() && col >= 1 && col < Grid->colCount();
    bool hasText = false;
    if (dataCell)
        for (int c = 1; c <= 3; ++c)
            hasText = hasText || !Grid->cell(c, row).isEmpty();
    if (!dataCell || !hasText) {
        paintGrid();   // the highlighted row stays where it was
        return;
    }
    currentRow_ = row;
    selectedCode_ = codeIn(Grid->cell(1, row));
    if (selectedCode_ != 0) {
        selectedName_ = Grid->cell(2, row);
        selectedPath_ = Grid->cell(3, row);
        Edit1->setText(Grid->cell(1, row));
        Edit2->setText(selectedName_);
        Edit3->setText(selectedPath_);
    }
    paintGrid();
}

void TPX0010::showMaster(int listMode, int code)
{
    TPX0020& master = Master();
    master.SetUpForListMode(listMode);
    master.SetCompany(App().FiscalYear, code);
    master.Prepare();
    CenterOnScreen(master);
    ShowModal(master);
}

void TPX0010::btnAddClick()
{
    TAppState& app = App();
    if (app.FiscalYear == 0)
        return;
    if (app.ListMode == 1) {
        Master().SetUpForListMode(1);
        const Session session = CurrentSession();
        if (!OpenYearDatabase(session, app.FiscalYear, true))
            return;
        // The codes are unique over all years: the next one follows the largest of any year.
        maxCompanyCode_ = LargestCompanyCode(session);
        app.OpenCompanyCode = maxCompanyCode_ + 1;
        showMaster(1, app.OpenCompanyCode);
        return;
    }
    if (app.ListMode != 4)
        return;
    if (selectedCode_ == 0) {
        Dialogs().warning(AppTitle, QStringLiteral("企業コードが選択されていません。"));
        return;
    }
    Session session = CurrentSession();
    const Outcome selected = SelectCompany(session, app.FiscalYear, selectedCode_, selectedName_);
    if (!selected.ok) {
        ShowOutcome(selected);
        return;
    }
    AdoptSession(session);
    SetMainWindowCaption(OpenCompanyCaption());
    closeList(QDialog::Accepted);
}

void TPX0010::btnMntClick()
{
    TAppState& app = App();
    if (app.ListMode != 2 || app.FiscalYear == 0 || selectedCode_ == 0)
        return;
    if (!OpenYearDatabase(CurrentSession(), app.FiscalYear, false))
        return;
    app.OpenCompanyCode = selectedCode_;
    showMaster(2, selectedCode_);
}

void TPX0010::btnDltClick()
{
    TAppState& app = App();
    if (app.ListMode != 3 || app.FiscalYear == 0)
        return;
    // Deleting needs a company: without one there is nothing to delete.
    if (selectedCode_ == 0) {
        Dialogs().warning(AppTitle, QStringLiteral("企業コードが選択されていません。"));
        return;
    }
    if (!OpenYearDatabase(CurrentSession(), app.FiscalYear, false))
        return;
    showMaster(3, selectedCode_);
}

void TPX0010::btnCloseClick()
{
    TAppState& app = App();
    if (app.OpenCompanyCode == 0) {
        app.ListMode = 0;
        app.CompanyOpen = false;
    }
    closeList(QDialog::Rejected);
}

void TPX0010::closeList(int result)
{
    done(result);
}

void TPX0010::reject()
{
    btnCloseClick();
}

void TPX0010::done(int result)
{
    if (closing_)
        return;
    closing_ = true;
    QDialog::done(result);
    FormClose();
    closing_ = false;
}

void TPX0010::FormClose()
{
    RefreshMainMenu(!App().CompanyOpen);
}
