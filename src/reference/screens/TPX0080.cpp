// TPX0080: model data sets (the published wage surveys that model wages belong to).
#include "reference/screens/TPX0080.h"

#include "reference/ModelWages.h"
#include "shell/screens/AppState.h"
#include "core/CodeLists.h"
#include "core/Numbers.h"
#include "core/TextCodec.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/DialogService.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* textEdit(const QString& name, QWidget* parent, int bytes, int width = 330)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setFixedWidth(width);
    SetShiftJisLimit(*e, bytes);
    return e;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent, int width = 90)
{
    QPushButton* b = MakeButton(parent, name, caption);
    b->setFixedSize(width, 30);
    return b;
}

// The remarks hold at most 255 bytes of Shift-JIS.
constexpr int remarksBytes = 255;

} // namespace

TPX0080::TPX0080(QWidget* parent) : QDialog(parent)
{
    SetupFixedForm(*this, QStringLiteral("TPX0080"), QStringLiteral("モデルデータ　登録"), 540, 470);
    auto* root = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(5);

    cmbModelID_ = new QComboBox(this);
    cmbModelID_->setObjectName(QStringLiteral("cmbModelID"));
    cmbModelID_->setEditable(true);
    cmbModelID_->setInsertPolicy(QComboBox::NoInsert);
    cmbModelID_->setFixedWidth(330);
    txtSalaryName_ = textEdit(QStringLiteral("txtSalaryName"), this, 30);
    txtSyussyo_ = textEdit(QStringLiteral("txtSyussyo"), this, 30);
    txtChiiki_ = textEdit(QStringLiteral("txtChiiki"), this, 30);
    txtJigyosyosuu_ = new TRightEdit(this);
    txtJigyosyosuu_->setObjectName(QStringLiteral("txtJigyosyosuu"));
    txtJigyosyosuu_->setFixedWidth(80);
    txtJigyosyosuu_->setMaxLength(5);
    txtCyousabi_ = textEdit(QStringLiteral("txtCyousabi"), this, 30);
    txtGyousyu_ = textEdit(QStringLiteral("txtGyousyu"), this, 30);
    txtKibo_ = textEdit(QStringLiteral("txtKibo"), this, 30);
    txtBikou_ = new QPlainTextEdit(this);
    txtBikou_->setObjectName(QStringLiteral("txtBikou"));
    txtBikou_->setFixedSize(330, 100);
    txtBikou_->setTabChangesFocus(true);

    const std::pair<QString, QWidget*> rows[] = {
        {QStringLiteral("モデルコード"), cmbModelID_}, {QStringLiteral("賃金名称"), txtSalaryName_},
        {QStringLiteral("出　　所"), txtSyussyo_},     {QStringLiteral("対象地域"), txtChiiki_},
        {QStringLiteral("事業所数"), txtJigyosyosuu_}, {QStringLiteral("調査時点"), txtCyousabi_},
        {QStringLiteral("業　　種"), txtGyousyu_},     {QStringLiteral("規　　模"), txtKibo_},
        {QStringLiteral("備　　考"), txtBikou_},
    };
    int r = 0;
    for (const auto& [caption, field] : rows) {
        auto* l = new QLabel(caption, this);
        l->setFixedWidth(90);
        grid->addWidget(l, r, 0, (field == txtBikou_ ? Qt::AlignTop : Qt::AlignVCenter) | Qt::AlignLeft);
        grid->addWidget(field, r, 1, Qt::AlignLeft);
        ++r;
    }
    grid->setColumnStretch(2, 1);
    root->addLayout(grid);
    for (QLineEdit* e : {txtSalaryName_, txtSyussyo_, txtChiiki_, txtJigyosyosuu_, txtCyousabi_, txtGyousyu_, txtKibo_})
        connect(e, &QLineEdit::textChanged, this, &TPX0080::changed);
    connect(txtBikou_, &QPlainTextEdit::textChanged, this, [this] {
        // Keep the remarks within their byte limit.
        const QString t = txtBikou_->toPlainText();
        if (Cp932Length(t) > remarksBytes) {
            const bool wasLoading = loading_;
            loading_ = true;
            txtBikou_->setPlainText(TruncateToCp932Bytes(t, remarksBytes));
            txtBikou_->moveCursor(QTextCursor::End);
            loading_ = wasLoading;
        }
        changed();
    });

    const RecordNavigator navigation = MakeRecordNavigator(this);
    txtCureentNo_ = navigation.current;
    txtLastNo_ = navigation.count;
    root->addLayout(navigation.layout);
    root->addStretch();
    connect(navigation.first, &QPushButton::clicked, this, &TPX0080::btnFirstClick);
    connect(navigation.prior, &QPushButton::clicked, this, &TPX0080::btnPriorClick);
    connect(navigation.next, &QPushButton::clicked, this, &TPX0080::btnNextClick);
    connect(navigation.last, &QPushButton::clicked, this, &TPX0080::btnLastClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* btnAdd = button(QStringLiteral("btnAdd"), QStringLiteral("登　録"), this);
    auto* btnDlt = button(QStringLiteral("btnDlt"), QStringLiteral("削　除"), this);
    auto* btnCancel = button(QStringLiteral("btnCancel"), QStringLiteral("ｷｬﾝｾﾙ"), this);
    auto* btnClose = button(QStringLiteral("btnClose"), QStringLiteral("閉じる"), this);
    for (QPushButton* b : {btnAdd, btnDlt, btnCancel, btnClose})
        buttons->addWidget(b);
    root->addLayout(buttons);
    connect(btnAdd, &QPushButton::clicked, this, &TPX0080::btnAddClick);
    connect(btnDlt, &QPushButton::clicked, this, &TPX0080::btnDltClick);
    connect(btnCancel, &QPushButton::clicked, this, &TPX0080::btnCancelClick);
    connect(btnClose, &QPushButton::clicked, this, &TPX0080::btnCloseClick);

    CheckWhenLeft(*cmbModelID_, [this] { return cmbModelIDExit(); });
    CheckWhenLeft(*txtJigyosyosuu_, [this] { return txtJigyosyosuuExit(); });
    InstallEnterMovesFocus(*this);
}

void TPX0080::Prepare()
{
    code_ = Project().CurrentCompany.MDCO;
    clearFields();
    loadList();
    showCurrent();
    cmbModelID_->setFocus();
}

void TPX0080::changed()
{
    if (!loading_)
        dirty_ = true;
}

void TPX0080::clearFields()
{
    loading_ = true;
    cmbModelID_->setCurrentIndex(-1);
    cmbModelID_->setEditText(QString());
    for (QLineEdit* e : {txtSalaryName_, txtSyussyo_, txtChiiki_, txtCyousabi_, txtGyousyu_, txtKibo_})
        e->clear();
    txtJigyosyosuu_->setText(QStringLiteral("0"));
    txtBikou_->clear();
    txtCureentNo_->clear();
    loading_ = false;
    state_ = 0;
    position_ = 0;
    dirty_ = false;
}

void TPX0080::loadList()
{
    const QString text = cmbModelID_->currentText();
    ReadModelSets(CurrentSession(), sets_);
    cmbModelID_->clear();
    for (const TMODEL_& s : sets_)
        cmbModelID_->addItem(s.MDCO + QStringLiteral(" : ") + s.MDNA);
    cmbModelID_->setCurrentIndex(-1);
    cmbModelID_->setEditText(text);
    txtLastNo_->setText(QString::number(sets_.size()));
    txtCureentNo_->clear();
}

void TPX0080::showCurrent()
{
    clearFields();
    if (code_ <= 0)
        return;
    ShowListText(*cmbModelID_, ItemTextForCode(*cmbModelID_, QString::number(code_), false));
    for (int i = 0; i < sets_.size(); ++i) {
        const TMODEL_& s = sets_[i];
        if (s.MDCO.toLongLong() != code_)
            continue;
        loading_ = true;
        txtSalaryName_->setText(s.MDNA);
        txtSyussyo_->setText(s.DEDOKORO);
        txtChiiki_->setText(s.TCHIIKI);
        txtJigyosyosuu_->setText(s.JSU.isEmpty() ? QStringLiteral("0") : s.JSU);
        txtCyousabi_->setText(s.CJITEN);
        txtGyousyu_->setText(s.GYOUSYU);
        txtKibo_->setText(s.KIBO);
        txtBikou_->setPlainText(s.BIKOU);
        loading_ = false;
        state_ = 2;
        position_ = i + 1;
        txtCureentNo_->setText(QString::number(position_));
        dirty_ = false;
        return;
    }
    state_ = 1;
}

bool TPX0080::cmbModelIDExit()
{
    if (cmbModelID_->currentText().isEmpty()) {
        dirty_ = false;
        return true;
    }
    int code = 0;
    if (!CheckCodeList(*cmbModelID_, false, false, true, &code))
        return false;
    // Leaving the list again on the set already shown keeps the edits made to it.
    if (code == code_ && state_ != 0)
        return true;
    code_ = code;
    showCurrent();
    return true;
}

bool TPX0080::txtJigyosyosuuExit()
{
    return CheckIntegerField(*txtJigyosyosuu_, 5, 0, 0);
}

void TPX0080::btnAddClick()
{
    if (cmbModelID_->currentText().trimmed().isEmpty()) {
        Dialogs().warning(QString(), ModelCodeMissingMessage);
        cmbModelID_->setFocus();
        return;
    }
    // The code and the count are checked again: a click can follow a refused field.
    int code = 0;
    if (!CheckCodeList(*cmbModelID_, true, false, true, &code)) {
        cmbModelID_->setFocus();
        return;
    }
    if (!txtJigyosyosuuExit()) {
        txtJigyosyosuu_->setFocus();
        return;
    }
    TMODEL_ set;
    set.MDCO = QString::number(code);
    set.MDNA = txtSalaryName_->text();
    set.DEDOKORO = txtSyussyo_->text();
    set.TCHIIKI = txtChiiki_->text();
    set.JSU = QString::number(WholeNumberOrZero(txtJigyosyosuu_->text()));
    set.CJITEN = txtCyousabi_->text();
    set.GYOUSYU = txtGyousyu_->text();
    set.KIBO = txtKibo_->text();
    set.BIKOU = txtBikou_->toPlainText();
    if (!SaveModelSet(CurrentSession(), set))
        return;
    code_ = code;
    clearFields();
    loadList();
    cmbModelID_->setFocus();
}

void TPX0080::btnDltClick()
{
    if (cmbModelID_->currentText().trimmed().isEmpty()) {
        Dialogs().warning(QString(), ModelCodeMissingMessage);
        cmbModelID_->setFocus();
        return;
    }
    if (state_ == 0) {
        cmbModelID_->setFocus();
        return;
    }
    if (!Dialogs().yesNo(DeleteCaption, DeleteQuestion)) {
        txtSalaryName_->setFocus();
        return;
    }
    if (!DeleteModelSet(CurrentSession(), code_))
        return;
    clearFields();
    loadList();
    cmbModelID_->setFocus();
}

void TPX0080::navigate(Move move)
{
    const int target = PositionAfterMove(move, position_, sets_.size());
    if (target == 0)
        return;
    if (dirty_ && Dialogs().yesNo(ConfirmCaption, ChangedQuestion(MoveText(move)))) {
        txtSalaryName_->setFocus();
        return;
    }
    code_ = int(sets_[target - 1].MDCO.toLongLong());
    showCurrent();
    txtSalaryName_->setFocus();
}

void TPX0080::btnCancelClick()
{
    clearFields();
    cmbModelID_->setFocus();
}

void TPX0080::btnCloseClick()
{
    if (dirty_ && Dialogs().yesNo(ConfirmCaption, ChangedQuestion(CloseScreenText)))
        return;
    QDialog::reject();
}

void TPX0080::reject()
{
    btnCloseClick();
}
