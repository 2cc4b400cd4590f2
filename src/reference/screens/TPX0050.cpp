// TPX0050: standard cost of living sets (six household rows under one code).
#include "reference/screens/TPX0050.h"

#include "reference/ReferenceTexts.h"
#include "shell/screens/AppState.h"
#include "core/CodeLists.h"
#include "core/Numbers.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/DialogService.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString costFormat = QStringLiteral("#,##0");
const QString rateFormat = QStringLiteral("#,##0.00");
const QString multiplierFormat = QStringLiteral("#,##0.000");

QLineEdit* numberEdit(const QString& name, QWidget* parent, int width, int maxLength)
{
    auto* e = new TRightEdit(parent);
    e->setObjectName(name);
    e->setFixedWidth(width);
    e->setMaxLength(maxLength);
    return e;
}

QLineEdit* noteEdit(const QString& name, QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setFixedWidth(330);
    SetShiftJisLimit(*e, 30);
    return e;
}

QLabel* heading(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

bool wholeField(const QLineEdit& e, long long& v)
{
    return ParseWholeNumber(e.text(), v);
}

bool realField(const QLineEdit& e, double& v)
{
    return ParseDecimalNumber(e.text(), v);
}

} // namespace

TPX0050::TPX0050(QWidget* parent) : QDialog(parent)
{
    SetupFixedForm(*this, QStringLiteral("TPX0050"), QStringLiteral("標準生計費　登録"), 640, 520);
    auto* root = new QVBoxLayout(this);

    auto* codeRow = new QHBoxLayout;
    codeRow->addWidget(new QLabel(QStringLiteral("生計費コード"), this));
    cmbSeikeiID_ = new QComboBox(this);
    cmbSeikeiID_->setObjectName(QStringLiteral("cmbSeikeiID"));
    cmbSeikeiID_->setEditable(true);
    cmbSeikeiID_->setInsertPolicy(QComboBox::NoInsert);
    cmbSeikeiID_->setFixedWidth(300);
    codeRow->addWidget(cmbSeikeiID_);
    codeRow->addStretch();
    root->addLayout(codeRow);

    auto* rowsBox = new QGroupBox(QStringLiteral("標準生計費"), this);
    auto* grid = new QGridLayout(rowsBox);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    const QString headings[6] = {QStringLiteral("所帯人員"), QStringLiteral("所帯年齢"), QStringLiteral("生計費(千円)"),
                                 QStringLiteral("愉楽率"),   QStringLiteral("最低率"),   QStringLiteral("単身率")};
    for (int c = 0; c < 6; ++c)
        grid->addWidget(heading(headings[c], rowsBox), 0, c);
    for (int i = 0; i < 6; ++i) {
        const QString n = QString::number(i + 1);
        txtSyotaisu_[i] = numberEdit("txtSyotaisu" + n, rowsBox, 70, 2);
        txtNenrei_[i] = numberEdit("txtNenrei" + n, rowsBox, 70, 3);
        txtSeikeihi_[i] = numberEdit("txtSeikeihi" + n, rowsBox, 100, 8);
        txtYuraku_[i] = numberEdit("txtYuraku" + n, rowsBox, 90, 8);
        txtMin_[i] = numberEdit("txtMin" + n, rowsBox, 90, 8);
        txtTanshin_[i] = numberEdit("txtTanshin" + n, rowsBox, 90, 8);
        QLineEdit* row[6] = {txtSyotaisu_[i], txtNenrei_[i], txtSeikeihi_[i], txtYuraku_[i], txtMin_[i], txtTanshin_[i]};
        for (int c = 0; c < 6; ++c) {
            grid->addWidget(row[c], i + 1, c, Qt::AlignCenter);
            connect(row[c], &QLineEdit::textChanged, this, &TPX0050::changed);
        }
        rules_.add(*txtSyotaisu_[i], [e = txtSyotaisu_[i]] { return CheckIntegerField(*e, 2, 0, 0); });
        rules_.add(*txtNenrei_[i], [e = txtNenrei_[i]] { return CheckIntegerField(*e, 3, 0, 0); });
        rules_.add(*txtSeikeihi_[i], [e = txtSeikeihi_[i]] { return CheckIntegerField(*e, 8, 0, 0, costFormat); });
        for (QLineEdit* e : {txtYuraku_[i], txtMin_[i], txtTanshin_[i]})
            rules_.add(*e, [e] { return CheckRealField(*e, 8, rateFormat); });
    }
    root->addWidget(rowsBox);

    auto* lower = new QHBoxLayout;
    auto* rateBox = new QGroupBox(QStringLiteral("掛率"), this);
    auto* rateRow = new QHBoxLayout(rateBox);
    txtKakeRitsu_ = numberEdit(QStringLiteral("txtKakeRitsu"), rateBox, 90, 6);
    rateRow->addWidget(txtKakeRitsu_);
    rateBox->setFixedWidth(130);
    rules_.add(*txtKakeRitsu_, [this] { return CheckRealField(*txtKakeRitsu_, 6, multiplierFormat); });
    lower->addWidget(rateBox, 0, Qt::AlignTop);

    auto* notesBox = new QGroupBox(QStringLiteral("解　　説"), this);
    auto* notes = new QGridLayout(notesBox);
    txtSyussyo_ = noteEdit(QStringLiteral("txtSyussyo"), notesBox);
    txtTiiki_ = noteEdit(QStringLiteral("txtTiiki"), notesBox);
    txtCyosaJiki_ = noteEdit(QStringLiteral("txtCyosaJiki"), notesBox);
    txtNyuryokuchi_ = noteEdit(QStringLiteral("txtNyuryokuchi"), notesBox);
    const QString noteCaptions[4] = {QStringLiteral("出　　所"), QStringLiteral("対象地域"), QStringLiteral("調査時点"),
                                     QStringLiteral("入力数値")};
    QLineEdit* noteFields[4] = {txtSyussyo_, txtTiiki_, txtCyosaJiki_, txtNyuryokuchi_};
    for (int i = 0; i < 4; ++i) {
        notes->addWidget(new QLabel(noteCaptions[i], notesBox), i, 0);
        notes->addWidget(noteFields[i], i, 1);
        connect(noteFields[i], &QLineEdit::textChanged, this, &TPX0050::changed);
    }
    connect(txtKakeRitsu_, &QLineEdit::textChanged, this, &TPX0050::changed);
    lower->addWidget(notesBox);
    root->addLayout(lower);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const std::pair<const char*, const char*> buttonNames[4] = {
        {"btnAdd", "登　録"}, {"btnDlt", "削　除"}, {"btnCancel", "ｷｬﾝｾﾙ"}, {"btnClose", "閉じる"}};
    QPushButton* b[4];
    for (int i = 0; i < 4; ++i) {
        b[i] = new QPushButton(QString::fromUtf8(buttonNames[i].second), this);
        b[i]->setObjectName(QString::fromLatin1(buttonNames[i].first));
        b[i]->setAutoDefault(false);
        b[i]->setFixedSize(90, 30);
        buttons->addWidget(b[i]);
    }
    root->addLayout(buttons);
    connect(b[0], &QPushButton::clicked, this, &TPX0050::btnAddClick);
    connect(b[1], &QPushButton::clicked, this, &TPX0050::btnDltClick);
    connect(b[2], &QPushButton::clicked, this, &TPX0050::btnCancelClick);
    connect(b[3], &QPushButton::clicked, this, &TPX0050::btnCloseClick);

    CheckWhenLeft(*cmbSeikeiID_, [this] { return cmbSeikeiIDExit(); });
    InstallEnterMovesFocus(*this);
    txtNyuryokuchi_->installEventFilter(this);
}

bool TPX0050::eventFilter(QObject* watched, QEvent* event)
{
    // Enter or Tab in the last note returns to the first household size.
    if (watched == txtNyuryokuchi_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab) {
            txtSyotaisu_[0]->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TPX0050::Prepare()
{
    clearScreen();
    loadList();
    code_ = Project().CurrentCompany.SKCO;
    state_ = 0;
    if (code_ > 0) {
        showCodeText();
        showSet();
    }
    dirty_ = false;
    cmbSeikeiID_->setFocus();
}

void TPX0050::changed()
{
    if (!loading_)
        dirty_ = true;
}

void TPX0050::clearScreen()
{
    loading_ = true;
    for (int i = 0; i < 6; ++i) {
        txtSyotaisu_[i]->setText(QString::number(i + 1));
        for (QLineEdit* e : {txtNenrei_[i], txtSeikeihi_[i], txtYuraku_[i], txtMin_[i], txtTanshin_[i]})
            e->setText(QStringLiteral("0"));
    }
    txtKakeRitsu_->setText(QStringLiteral("0.000"));
    for (QLineEdit* e : {txtSyussyo_, txtTiiki_, txtCyosaJiki_, txtNyuryokuchi_})
        e->clear();
    cmbSeikeiID_->setCurrentIndex(-1);
    cmbSeikeiID_->setEditText(QString());
    loading_ = false;
}

void TPX0050::loadList()
{
    const QString text = cmbSeikeiID_->currentText();
    cmbSeikeiID_->clear();
    cmbSeikeiID_->addItems(CostSetItems(CurrentSession()));
    cmbSeikeiID_->setCurrentIndex(-1);
    cmbSeikeiID_->setEditText(text);
}

void TPX0050::showCodeText()
{
    const QString text = ItemTextForCode(*cmbSeikeiID_, QString::number(code_), false);
    if (IndexOfCode(ItemsOf(*cmbSeikeiID_), QString::number(code_)) < 0)
        cmbSeikeiID_->setCurrentIndex(-1);
    cmbSeikeiID_->setEditText(text);
}

void TPX0050::showSet()
{
    CostSet set;
    if (!ReadCostSet(CurrentSession(), code_, set))
        return;
    if (set.rows.isEmpty()) {
        state_ = 1;
        return;
    }
    const CostRows rows = CostRowsForScreen(set.rows);
    loading_ = true;
    for (int i = 0; i < 6; ++i) {
        const CostRow& r = rows[i];
        txtSyotaisu_[i]->setText(QString::number(r.size));
        txtNenrei_[i]->setText(QString::number(r.age));
        txtSeikeihi_[i]->setText(FormatFloat(costFormat, r.cost));
        txtYuraku_[i]->setText(FormatFloat(rateFormat, r.comfort));
        txtMin_[i]->setText(FormatFloat(rateFormat, r.minimum));
        txtTanshin_[i]->setText(FormatFloat(rateFormat, r.single));
    }
    txtKakeRitsu_->setText(QString::number(set.multiplier));
    txtSyussyo_->setText(set.source);
    txtTiiki_->setText(set.region);
    txtCyosaJiki_->setText(set.surveyTime);
    txtNyuryokuchi_->setText(set.valuesNote);
    loading_ = false;
    state_ = 2;
}

bool TPX0050::cmbSeikeiIDExit()
{
    if (cmbSeikeiID_->currentText().isEmpty())
        return true;
    int code = 0;
    if (!CheckCodeList(*cmbSeikeiID_, false, false, true, &code))
        return false;
    // Leaving the list again on the set already shown keeps the edits made to it.
    if (code == code_ && state_ != 0)
        return true;
    clearScreen();
    code_ = code;
    showCodeText();
    state_ = 0;
    showSet();
    dirty_ = false;
    return true;
}

bool TPX0050::readRows(CostRows& rows) const
{
    for (int i = 0; i < 6; ++i) {
        CostRow& r = rows[i];
        if (!wholeField(*txtSyotaisu_[i], r.size) || !wholeField(*txtNenrei_[i], r.age) || !realField(*txtSeikeihi_[i], r.cost)
            || !realField(*txtYuraku_[i], r.comfort) || !realField(*txtMin_[i], r.minimum)
            || !realField(*txtTanshin_[i], r.single))
            return false;
    }
    return true;
}

void TPX0050::btnAddClick()
{
    const int code = CodeOf(cmbSeikeiID_->currentText());
    if (cmbSeikeiID_->currentText().trimmed().isEmpty() || code == 0) {
        Dialogs().warning(QString(), CostCodeMissingMessage);
        cmbSeikeiID_->setFocus();
        return;
    }
    // The fields are checked again: a click can follow a refused field.
    if (!rules_.checkAll())
        return;
    CostRows rows;
    if (!readRows(rows))
        return;
    const CostRowsCheck check = CheckCostRows(rows);
    if (!check.ok) {
        Dialogs().warning(QString(), check.message);
        FocusField(*txtSyotaisu_[check.row]);
        return;
    }
    CostSet values;
    values.multiplier = DecimalNumberOrZero(txtKakeRitsu_->text());
    values.source = txtSyussyo_->text();
    values.region = txtTiiki_->text();
    values.surveyTime = txtCyosaJiki_->text();
    values.valuesNote = txtNyuryokuchi_->text();
    if (!SaveCostSet(CurrentSession(), code, rows, values))
        return;
    clearScreen();
    loadList();
    cmbSeikeiID_->setFocus();
    state_ = 0;
    dirty_ = false;
}

void TPX0050::btnDltClick()
{
    if (cmbSeikeiID_->currentText().trimmed().isEmpty()) {
        Dialogs().warning(QString(), CostCodeMissingMessage);
        return;
    }
    if (state_ == 0) {
        cmbSeikeiID_->setFocus();
        return;
    }
    if (!Dialogs().yesNo(DeleteCaption, DeleteQuestion)) {
        txtSyotaisu_[0]->setFocus();
        return;
    }
    if (!DeleteCostSet(CurrentSession(), code_))
        return;
    clearScreen();
    loadList();
    state_ = 0;
    dirty_ = false;
    cmbSeikeiID_->setFocus();
}

void TPX0050::btnCancelClick()
{
    clearScreen();
    cmbSeikeiID_->setFocus();
    state_ = 0;
    dirty_ = false;
}

void TPX0050::btnCloseClick()
{
    if (dirty_ && Dialogs().yesNo(ConfirmCaption, ChangedQuestion(CloseScreenText))) {
        txtSyotaisu_[0]->setFocus();
        return;
    }
    QDialog::reject();
}

void TPX0050::reject()
{
    btnCloseClick();
}
