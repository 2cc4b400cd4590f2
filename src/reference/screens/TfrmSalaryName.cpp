// TfrmSalaryName: employment forms and the names of their pay components.
#include "reference/screens/TfrmSalaryName.h"

#include "reference/EmploymentForms.h"
#include "reference/ReferenceTexts.h"
#include "shell/screens/AppState.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/DialogService.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct NameField {
    const char* name;
    const char* caption;
    bool required;   // the labels of the fields to fill are yellow
};

const NameField nameFields[10] = {
    {"txtName", "就労形態名称", true},   {"txtTeigi", "賃金形態名称", true},  {"txtKihon1", "基本給項目Ⅰ", true},
    {"txtKihon2", "基本給項目Ⅱ", true}, {"txtKihon3", "基本給項目Ⅲ", true}, {"txtTeate1", "手当項目Ⅰ", false},
    {"txtTeate2", "手当項目Ⅱ", false},  {"txtTeate3", "手当項目Ⅲ", false},  {"txtTeate4", "手当項目Ⅳ", false},
    {"txtTeate5", "手当項目Ⅴ", false},
};

// Each name holds at most 20 bytes of Shift-JIS.
constexpr int nameBytes = 20;

QLabel* captionLabel(const QString& text, bool yellow, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setFixedSize(110, 24);
    l->setAlignment(Qt::AlignCenter);
    l->setAutoFillBackground(true);
    l->setStyleSheet(yellow ? QStringLiteral("background: #FFFF00; border: 1px solid #808080;")
                            : QStringLiteral("background: #E0E0E0; border: 1px solid #808080;"));
    return l;
}

} // namespace

TfrmSalaryName::TfrmSalaryName(QWidget* parent) : QDialog(parent)
{
    SetupFixedForm(*this, QStringLiteral("TfrmSalaryName"), QStringLiteral("就労形態＆賃金形態の登録"), 420, 440);
    auto* root = new QVBoxLayout(this);

    auto* idRow = new QHBoxLayout;
    idRow->addWidget(captionLabel(QStringLiteral("就労形態ID"), false, this));
    cmbSalaryID_ = new QComboBox(this);
    cmbSalaryID_->setObjectName(QStringLiteral("cmbSalaryID"));
    cmbSalaryID_->setEditable(true);
    cmbSalaryID_->setInsertPolicy(QComboBox::NoInsert);
    cmbSalaryID_->setFixedWidth(240);
    idRow->addWidget(cmbSalaryID_);
    idRow->addStretch();
    root->addLayout(idRow);
    auto* note = new QLabel(QStringLiteral("登録した賃金体系を下のリストから選択します"), this);
    note->setStyleSheet(QStringLiteral("color: #000080;"));
    root->addWidget(note);

    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(4);
    for (int i = 0; i < 10; ++i) {
        grid->addWidget(captionLabel(QString::fromUtf8(nameFields[i].caption), nameFields[i].required, this), i, 0);
        names_[i] = new QLineEdit(this);
        names_[i]->setObjectName(QString::fromLatin1(nameFields[i].name));
        names_[i]->setFixedWidth(240);
        SetShiftJisLimit(*names_[i], nameBytes);
        grid->addWidget(names_[i], i, 1);
        connect(names_[i], &QLineEdit::textChanged, this, &TfrmSalaryName::changed);
    }
    grid->setColumnStretch(2, 1);
    root->addLayout(grid);
    root->addStretch();

    auto* buttons = new QHBoxLayout;
    auto* btnAdd = new QPushButton(QStringLiteral("登　録"), this);
    btnAdd->setObjectName(QStringLiteral("btnAdd"));
    auto* btnCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnDlt_ = new QPushButton(QStringLiteral("削除"), this);
    btnDlt_->setObjectName(QStringLiteral("btnDlt"));
    auto* btnClose = new QPushButton(QStringLiteral("閉じる"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    for (QPushButton* b : {btnAdd, btnCancel, btnDlt_, btnClose}) {
        b->setAutoDefault(false);
        b->setFixedSize(90, 30);
        buttons->addWidget(b);
    }
    root->addLayout(buttons);
    connect(btnAdd, &QPushButton::clicked, this, &TfrmSalaryName::btnAddClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmSalaryName::btnCancelClick);
    connect(btnDlt_, &QPushButton::clicked, this, &TfrmSalaryName::btnDltClick);
    connect(btnClose, &QPushButton::clicked, this, &TfrmSalaryName::btnCloseClick);

    CheckWhenLeft(*cmbSalaryID_, [this] { return cmbSalaryIDExit(); });
    // A form picked from the list is shown at once, not only when the box is left.
    connect(cmbSalaryID_, &QComboBox::activated, this, [this](int index) {
        const QString item = cmbSalaryID_->itemText(index);
        showForm(EmploymentFormIdFromText(item, item));
    });
    InstallEnterMovesFocus(*this);
    // Enter or Tab in the last allowance returns to the form name (installed after the
    // Enter filter, so it runs first).
    names_[9]->installEventFilter(this);
}

bool TfrmSalaryName::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == names_[9] && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab) {
            names_[0]->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QString TfrmSalaryName::selectedItem() const
{
    // The item picked from the list, or the item whose text was typed out in full.
    const int i = cmbSalaryID_->currentIndex() >= 0 ? cmbSalaryID_->currentIndex()
                                                    : cmbSalaryID_->findText(cmbSalaryID_->currentText());
    return i >= 0 ? cmbSalaryID_->itemText(i) : QString();
}

void TfrmSalaryName::Prepare()
{
    clearFields();
    cmbSalaryID_->setEditText(QString());
    loadList();
    cmbSalaryID_->setFocus();
}

void TfrmSalaryName::changed()
{
    if (!loading_)
        dirty_ = true;
}

void TfrmSalaryName::clearFields()
{
    loading_ = true;
    for (QLineEdit* e : names_)
        e->clear();
    cmbSalaryID_->setCurrentIndex(-1);
    cmbSalaryID_->setEditText(QString());
    loading_ = false;
    dirty_ = false;
    btnDlt_->setEnabled(false);
}

void TfrmSalaryName::loadList()
{
    const QString text = cmbSalaryID_->currentText();
    cmbSalaryID_->clear();
    cmbSalaryID_->addItems(EmploymentFormItems(CurrentSession()));
    cmbSalaryID_->setCurrentIndex(-1);
    cmbSalaryID_->setEditText(text);
}

bool TfrmSalaryName::cmbSalaryIDExit()
{
    // Nothing typed yet: nothing to show, and the user may still leave for 閉じる.
    if (cmbSalaryID_->currentText().trimmed().isEmpty())
        return true;
    const int id = EmploymentFormIdFromText(cmbSalaryID_->currentText(), selectedItem());
    if (!IsEmploymentFormId(id)) {
        Dialogs().warning(QString(), FormIdMessage);
        return false;
    }
    showForm(id);
    return true;
}

void TfrmSalaryName::showForm(int id)
{
    if (!IsEmploymentFormId(id)) {
        Dialogs().warning(QString(), FormIdShownMessage);
        return;
    }
    clearFields();
    const QString prefix = QString::number(id) + QStringLiteral(" : ");
    int found = -1;
    for (int i = 0; i < cmbSalaryID_->count(); ++i)
        if (cmbSalaryID_->itemText(i).startsWith(prefix)) {
            found = i;
            break;
        }
    if (found >= 0) {
        cmbSalaryID_->setCurrentIndex(found);
        cmbSalaryID_->setEditText(cmbSalaryID_->itemText(found));
    } else {
        cmbSalaryID_->setEditText(QString::number(id));
    }
    EmploymentFormNames names;
    bool exists = false;
    if (ReadEmploymentForm(CurrentSession(), id, names, exists) && exists) {
        loading_ = true;
        for (int i = 0; i < 10; ++i)
            names_[i]->setText(names.names[i]);
        loading_ = false;
        btnDlt_->setEnabled(true);
        dirty_ = false;
    }
    names_[0]->setFocus();
}

void TfrmSalaryName::btnAddClick()
{
    const int id = EmploymentFormIdFromText(cmbSalaryID_->currentText(), selectedItem());
    if (!IsEmploymentFormId(id)) {
        Dialogs().warning(QString(), FormIdMessage);
        cmbSalaryID_->setFocus();
        return;
    }
    if (names_[0]->text().trimmed().isEmpty()) {
        Dialogs().warning(QString(), FormNameMissingMessage);
        names_[0]->setFocus();
        return;
    }
    EmploymentFormNames names;
    for (int i = 0; i < 10; ++i)
        names.names[i] = names_[i]->text();
    if (!SaveEmploymentForm(CurrentSession(), id, names))
        return;
    clearFields();
    loadList();
    cmbSalaryID_->setFocus();
}

void TfrmSalaryName::btnDltClick()
{
    if (!Dialogs().yesNo(ConfirmCaption, QStringLiteral("表示ﾃﾞｰﾀを削除してもいいですか？")))
        return;
    int id = SelectedItemCode(*cmbSalaryID_);
    if (id == 0)
        id = EmploymentFormIdFromText(cmbSalaryID_->currentText(), QString());
    if (!DeleteEmploymentForm(CurrentSession(), id))
        return;
    clearFields();
    loadList();
    cmbSalaryID_->setFocus();
}

void TfrmSalaryName::btnCancelClick()
{
    clearFields();
    cmbSalaryID_->setFocus();
}

void TfrmSalaryName::btnCloseClick()
{
    if (dirty_ && Dialogs().yesNo(ConfirmCaption, ChangedQuestion(CloseScreenText)))
        return;
    QDialog::reject();
}

void TfrmSalaryName::reject()
{
    btnCloseClick();
}
