// TPX0060: model wages of the open company's model data set, with their grid.
#include "reference/screens/TPX0060.h"

#include "reference/ModelWages.h"
#include "shell/screens/AppState.h"
#include "core/CodeLists.h"
#include "core/Numbers.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/StringGrid.h"
#include "shell/screens/DialogService.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString amountFormat = QStringLiteral("#,##0");
const int gridWidths[10] = {30, 60, 60, 60, 60, 70, 70, 70, 70, 55};
const char* const gridHeadings[10] = {"", "賃金ｺｰﾄﾞ", "年齢", "勤続年数", "経験年数", "基本給", "所定給", "賞　与", "年　収", "線　種"};

QLineEdit* numberEdit(const QString& name, QWidget* parent, int width, int maxLength)
{
    auto* e = new TRightEdit(parent);
    e->setObjectName(name);
    e->setFixedWidth(width);
    e->setMaxLength(maxLength);
    return e;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent, int width = 90)
{
    QPushButton* b = MakeButton(parent, name, caption);
    b->setFixedSize(width, 30);
    return b;
}

QString amountText(const QString& stored)
{
    return FormatFloat(amountFormat, double(WholeNumberOrZero(stored)));
}

QString numberText(const QString& stored)
{
    return stored.isEmpty() ? QStringLiteral("0") : stored;
}

} // namespace

TPX0060::TPX0060(QWidget* parent) : QDialog(parent)
{
    SetupFixedForm(*this, QStringLiteral("TPX0060"), QStringLiteral("モデル賃金　登録"), 660, 600);
    auto* root = new QVBoxLayout(this);

    auto* fields = new QGridLayout;
    fields->setVerticalSpacing(5);
    cmbSalaryID_ = new QComboBox(this);
    cmbSalaryID_->setObjectName(QStringLiteral("cmbSalaryID"));
    cmbSalaryID_->setEditable(true);
    cmbSalaryID_->setInsertPolicy(QComboBox::NoInsert);
    cmbSalaryID_->setFixedWidth(140);
    txtNenrei_ = numberEdit(QStringLiteral("txtNenrei"), this, 60, 2);
    txtKinzoku_ = numberEdit(QStringLiteral("txtKinzoku"), this, 60, 2);
    txtKeiken_ = numberEdit(QStringLiteral("txtKeiken"), this, 60, 2);
    txtKihon_ = numberEdit(QStringLiteral("txtKihon"), this, 100, 8);
    txtSyotei_ = numberEdit(QStringLiteral("txtSyotei"), this, 100, 8);
    txtBonus_ = numberEdit(QStringLiteral("txtBonus"), this, 100, 8);
    txtNensyu_ = numberEdit(QStringLiteral("txtNensyu"), this, 100, 8);
    cmbSensyu_ = new QComboBox(this);
    cmbSensyu_->setObjectName(QStringLiteral("cmbSensyu"));
    cmbSensyu_->setEditable(true);
    cmbSensyu_->setInsertPolicy(QComboBox::NoInsert);
    cmbSensyu_->setFixedWidth(140);

    auto addRow = [&](int row, int column, const QString& caption, QWidget* field, const QString& unit = QString()) {
        auto* l = new QLabel(caption, this);
        l->setFixedWidth(80);
        fields->addWidget(l, row, column * 3);
        fields->addWidget(field, row, column * 3 + 1, Qt::AlignLeft);
        if (!unit.isEmpty())
            fields->addWidget(new QLabel(unit, this), row, column * 3 + 2);
    };
    addRow(0, 0, QStringLiteral("賃金コード"), cmbSalaryID_);
    addRow(1, 0, QStringLiteral("年　　齢"), txtNenrei_);
    addRow(2, 0, QStringLiteral("勤続年数"), txtKinzoku_);
    addRow(3, 0, QStringLiteral("経験年数"), txtKeiken_);
    addRow(4, 0, QStringLiteral("線　　種"), cmbSensyu_);
    addRow(1, 1, QStringLiteral("基 本 給"), txtKihon_, QStringLiteral("(千円)"));
    addRow(2, 1, QStringLiteral("所 定 給"), txtSyotei_, QStringLiteral("(千円)"));
    addRow(3, 1, QStringLiteral("賞　　与"), txtBonus_, QStringLiteral("(千円)"));
    addRow(4, 1, QStringLiteral("年　　収"), txtNensyu_, QStringLiteral("(千円)"));
    fields->setColumnMinimumWidth(2, 40);
    fields->setColumnStretch(6, 1);
    root->addLayout(fields);

    for (QLineEdit* e : {txtNenrei_, txtKinzoku_, txtKeiken_}) {
        rules_.add(*e, [e] { return CheckIntegerField(*e, 2, 0, 0); });
        connect(e, &QLineEdit::textChanged, this, &TPX0060::changed);
    }
    for (QLineEdit* e : {txtKihon_, txtSyotei_, txtBonus_, txtNensyu_}) {
        rules_.add(*e, [e] { return CheckIntegerField(*e, 8, 0, 0, amountFormat); });
        connect(e, &QLineEdit::textChanged, this, &TPX0060::changed);
    }
    rules_.add(*cmbSensyu_, [this] { return CheckCodeList(*cmbSensyu_, true, true, false); });
    connect(cmbSensyu_, &QComboBox::currentTextChanged, this, &TPX0060::changed);

    const RecordNavigator navigation = MakeRecordNavigator(this);
    txtCureentNo_ = navigation.current;
    txtLastNo_ = navigation.count;
    root->addLayout(navigation.layout);
    connect(navigation.first, &QPushButton::clicked, this, &TPX0060::btnFirstClick);
    connect(navigation.prior, &QPushButton::clicked, this, &TPX0060::btnPriorClick);
    connect(navigation.next, &QPushButton::clicked, this, &TPX0060::btnNextClick);
    connect(navigation.last, &QPushButton::clicked, this, &TPX0060::btnLastClick);

    Grid_ = new TStringGrid(this);
    Grid_->setObjectName(QStringLiteral("Grid"));
    Grid_->setColCount(10);
    Grid_->setRowCountKeeping(2);
    for (int c = 0; c < 10; ++c) {
        Grid_->setColWidth(c, gridWidths[c]);
        Grid_->setCell(c, 0, QString::fromUtf8(gridHeadings[c]));
        Grid_->setColumnAlignment(c, Qt::AlignCenter);
    }
    Grid_->setFixedWidth(Grid_->widthShowingAllColumns());
    Grid_->setFocusPolicy(Qt::NoFocus);
    root->addWidget(Grid_, 1, Qt::AlignLeft);
    connect(Grid_, &TStringGrid::gridClicked, this, &TPX0060::GridClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* btnAdd = button(QStringLiteral("btnAdd"), QStringLiteral("登　録"), this);
    auto* btnDlt = button(QStringLiteral("btnDlt"), QStringLiteral("削　除"), this);
    auto* btnCancel = button(QStringLiteral("btnCancel"), QStringLiteral("ｷｬﾝｾﾙ"), this);
    auto* btnClose = button(QStringLiteral("btnClose"), QStringLiteral("閉じる"), this);
    for (QPushButton* b : {btnAdd, btnDlt, btnCancel, btnClose})
        buttons->addWidget(b);
    root->addLayout(buttons);
    connect(btnAdd, &QPushButton::clicked, this, &TPX0060::btnAddClick);
    connect(btnDlt, &QPushButton::clicked, this, &TPX0060::btnDltClick);
    connect(btnCancel, &QPushButton::clicked, this, &TPX0060::btnCancelClick);
    connect(btnClose, &QPushButton::clicked, this, &TPX0060::btnCloseClick);

    CheckWhenLeft(*cmbSalaryID_, [this] { return cmbSalaryIDExit(); });
    InstallEnterMovesFocus(*this);
}

int TPX0060::modelCode() const
{
    return Project().CurrentCompany.MDCO;
}

void TPX0060::changed()
{
    if (!loading_)
        dirty_ = true;
}

void TPX0060::Prepare()
{
    FillLineStyles(*cmbSensyu_);
    clearFields();
    loadListAndGrid();
    code_ = 0;
    position_ = 0;
    if (!wages_.isEmpty()) {
        position_ = 1;
        code_ = int(wages_.first().MCCO.toLongLong());
    }
    showPosition();
    Grid_->setHighlightedRow(position_ > 0 ? position_ : -1);
    cmbSalaryID_->setFocus();
}

void TPX0060::clearFields()
{
    loading_ = true;
    cmbSalaryID_->setCurrentIndex(-1);
    cmbSalaryID_->setEditText(QString());
    for (QLineEdit* e : {txtNenrei_, txtKinzoku_, txtKeiken_, txtKihon_, txtSyotei_, txtBonus_, txtNensyu_})
        e->setText(QStringLiteral("0"));
    cmbSensyu_->setCurrentIndex(-1);
    cmbSensyu_->setEditText(NoneItem);
    txtCureentNo_->clear();
    txtLastNo_->setText(wages_.isEmpty() ? QString() : QString::number(wages_.size()));
    loading_ = false;
    dirty_ = false;
}

void TPX0060::loadListAndGrid()
{
    ReadModelWages(CurrentSession(), modelCode(), wages_);
    const QString text = cmbSalaryID_->currentText();
    cmbSalaryID_->clear();
    for (const TMDCHNGIN_& w : wages_)
        cmbSalaryID_->addItem(w.MCCO + QStringLiteral(" : ") + w.NENREI);
    cmbSalaryID_->setCurrentIndex(-1);
    cmbSalaryID_->setEditText(text);

    // One row per wage row; an empty set still shows one empty row.
    Grid_->setRowCountKeeping(1 + std::max<int>(1, wages_.size()));
    Grid_->clearData();
    for (int i = 0; i < wages_.size(); ++i) {
        const TMDCHNGIN_& w = wages_[i];
        const QString cells[10] = {QString::number(i + 1), w.MCCO, w.NENREI, w.KNENSU, w.KKNENSU,
                                   w.KKIN,                 w.SKIN, w.SYOUYO, w.NENSYU, w.SENSYU};
        for (int c = 0; c < 10; ++c)
            Grid_->setCell(c, i + 1, cells[c]);
    }
    Grid_->refresh();
    txtLastNo_->setText(wages_.isEmpty() ? QString() : QString::number(wages_.size()));
}

void TPX0060::locate()
{
    position_ = 0;
    for (int i = 0; i < wages_.size(); ++i)
        if (wages_[i].MCCO.toLongLong() == code_) {
            position_ = i + 1;
            break;
        }
    Grid_->setHighlightedRow(position_ > 0 ? position_ : -1);
}

void TPX0060::showPosition()
{
    if (position_ <= 0 || position_ > wages_.size()) {
        clearFields();
        return;
    }
    const TMDCHNGIN_& w = wages_[position_ - 1];
    loading_ = true;
    txtNenrei_->setText(numberText(w.NENREI));
    txtKinzoku_->setText(numberText(w.KNENSU));
    txtKeiken_->setText(numberText(w.KKNENSU));
    txtKihon_->setText(amountText(w.KKIN));
    txtSyotei_->setText(amountText(w.SKIN));
    txtBonus_->setText(amountText(w.SYOUYO));
    txtNensyu_->setText(amountText(w.NENSYU));
    cmbSensyu_->setEditText(LineStyleItemText(int(WholeNumberOrZero(w.SENSYU))));
    SelectItemByCode(*cmbSensyu_, QString::number(qBound(0LL, WholeNumberOrZero(w.SENSYU), 5LL)));
    txtCureentNo_->setText(QString::number(position_));
    txtLastNo_->setText(QString::number(wages_.size()));
    SelectItemByCode(*cmbSalaryID_, w.MCCO);
    loading_ = false;
    dirty_ = false;
}

bool TPX0060::cmbSalaryIDExit()
{
    if (cmbSalaryID_->currentText().isEmpty()) {
        dirty_ = false;
        return true;
    }
    int code = 0;
    if (!CheckCodeList(*cmbSalaryID_, false, false, true, &code))
        return false;
    // Leaving the list again on the row already shown keeps the edits made to it.
    if (code == code_ && (position_ > 0 || dirty_)) {
        if (position_ > 0)
            SelectItemByCode(*cmbSalaryID_, QString::number(code));
        else
            cmbSalaryID_->setEditText(QString::number(code));
        return true;
    }
    code_ = code;
    locate();
    showPosition();
    if (position_ == 0) {
        loading_ = true;
        cmbSalaryID_->setEditText(QString::number(code_));
        loading_ = false;
    }
    Grid_->refresh();
    dirty_ = false;
    return true;
}

void TPX0060::btnAddClick()
{
    if (!dirty_) {
        Dialogs().warning(QString(), NoChangesMessage);
        txtNenrei_->setFocus();
        return;
    }
    // A wage row needs its code; the fields are checked again before anything is written.
    const int code = CodeOf(cmbSalaryID_->currentText());
    if (cmbSalaryID_->currentText().trimmed().isEmpty() || code <= 0) {
        Dialogs().warning(QString(), ModelWageCodeMissingMessage);
        cmbSalaryID_->setFocus();
        return;
    }
    if (!rules_.checkAll())
        return;
    code_ = code;
    TMDCHNGIN_ w;
    w.MDCO = QString::number(modelCode());
    w.MCCO = QString::number(code_);
    w.NENREI = QString::number(WholeNumberOrZero(txtNenrei_->text()));
    w.KNENSU = QString::number(WholeNumberOrZero(txtKinzoku_->text()));
    w.KKNENSU = QString::number(WholeNumberOrZero(txtKeiken_->text()));
    w.KKIN = QString::number(WholeNumberOrZero(txtKihon_->text()));
    w.SKIN = QString::number(WholeNumberOrZero(txtSyotei_->text()));
    w.SYOUYO = QString::number(WholeNumberOrZero(txtBonus_->text()));
    w.NENSYU = QString::number(WholeNumberOrZero(txtNensyu_->text()));
    w.SENSYU = QString::number(CodeOf(cmbSensyu_->currentText()));
    if (!SaveModelWage(CurrentSession(), w))
        return;
    clearFields();
    loadListAndGrid();
    locate();
    showPosition();
    cmbSalaryID_->setFocus();
}

void TPX0060::btnDltClick()
{
    const int code = CodeOf(cmbSalaryID_->currentText());
    if (cmbSalaryID_->currentText().trimmed().isEmpty() || code <= 0) {
        Dialogs().warning(QString(), ModelWageCodeMissingMessage);
        cmbSalaryID_->setFocus();
        return;
    }
    if (!Dialogs().yesNo(DeleteCaption, DeleteQuestion)) {
        txtNenrei_->setFocus();
        return;
    }
    if (!DeleteModelWage(CurrentSession(), modelCode(), code))
        return;
    clearFields();
    loadListAndGrid();
    code_ = 0;
    position_ = 0;
    if (!wages_.isEmpty()) {
        code_ = int(wages_.first().MCCO.toLongLong());
        position_ = 1;
        showPosition();
    }
    Grid_->setHighlightedRow(position_ > 0 ? position_ : -1);
    cmbSalaryID_->setFocus();
}

void TPX0060::navigate(Move move)
{
    const int target = PositionAfterMove(move, position_, wages_.size());
    if (target == 0)
        return;
    if (dirty_ && Dialogs().yesNo(ConfirmCaption, ChangedQuestion(MoveText(move)))) {
        txtNenrei_->setFocus();
        return;
    }
    position_ = target;
    code_ = int(wages_[target - 1].MCCO.toLongLong());
    showPosition();
    Grid_->setHighlightedRow(position_);
    txtNenrei_->setFocus();
}

void TPX0060::GridClick(int col, int row)
{
    Q_UNUSED(col);
    if (row < 1 || row > wages_.size())
        return;
    if (Grid_->cell(1, row).isEmpty() && Grid_->cell(2, row).isEmpty() && Grid_->cell(3, row).isEmpty())
        return;
    position_ = row;
    code_ = int(wages_[row - 1].MCCO.toLongLong());
    showPosition();
    Grid_->setHighlightedRow(position_);
}

void TPX0060::btnCancelClick()
{
    clearFields();
    code_ = 0;
    position_ = 0;
    cmbSalaryID_->setFocus();
    // The grid's cursor returns to its first row (an empty grid shows no cursor).
    Grid_->setHighlightedRow(wages_.isEmpty() ? -1 : 1);
}

void TPX0060::btnCloseClick()
{
    if (dirty_ && Dialogs().yesNo(ConfirmCaption, ChangedQuestion(CloseScreenText)))
        return;
    QDialog::reject();
}

void TPX0060::reject()
{
    btnCloseClick();
}
