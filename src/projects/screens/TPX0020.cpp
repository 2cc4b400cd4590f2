// TPX0020: company master (register, change or delete a company of a fiscal year).
#include "projects/screens/TPX0020.h"

#include "projects/Companies.h"
#include "shell/screens/AppState.h"
#include "core/CodeLists.h"
#include "shell/screens/MainWindowLink.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/DialogService.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

namespace {

const QString NotANumberMessage = QStringLiteral("数値を入力して下さい。");

const char* const DefaultGradeNames[9] = {"第１等級", "第２等級", "第３等級", "第４等級", "第５等級",
                                          "第６等級", "第７等級", "第８等級", "第９等級"};

// What may be typed into a code list: at most maxLength characters, unless the text
// is a list text ("code : name"), which the list itself puts there.
class CodeListValidator final : public QValidator {
public:
    CodeListValidator(int maxLength, QObject* parent) : QValidator(parent), maxLength_(maxLength) {}
    State validate(QString& input, int&) const override
    {
        return input.size() <= maxLength_ || input.contains(QLatin1String(" : ")) ? Acceptable : Invalid;
    }

private:
    int maxLength_;
};

QLabel* label(QWidget* parent, const QString& text, int x, int y, int w, Qt::Alignment align = Qt::AlignLeft)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(x, y, w, 24);
    l->setAlignment(align | Qt::AlignVCenter);
    return l;
}

template <class Edit>
Edit* edit(QWidget* parent, const char* name, int x, int y, int w, int maxLength)
{
    auto* e = new Edit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(x, y, w, 24);
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    return e;
}

QComboBox* codeList(QWidget* parent, const char* name, int x, int y, int w)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setValidator(new CodeListValidator(6, c));
    c->setGeometry(x, y, w, 26);
    return c;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int x, int y)
{
    QPushButton* b = MakeButton(parent, QString::fromLatin1(name), caption);
    b->setGeometry(x, y, 96, 32);
    return b;
}

} // namespace

TPX0020::TPX0020(QWidget* parent) : QDialog(parent)
{
    SetupFixedForm(*this, QStringLiteral("TPX0020"), QStringLiteral("企業データ"), 560, 520);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    buildForm();
    InstallEnterMovesFocus(*this);
}

void TPX0020::buildForm()
{
    label(this, QStringLiteral("企業ID"), 16, 14, 70);
    txtCorpID = edit<TRightEdit>(this, "txtCorpID", 90, 14, 80, 6);
    txtCorpID->setReadOnly(true);
    txtCorpID->setFocusPolicy(Qt::NoFocus);
    label(this, QStringLiteral("年　度"), 200, 14, 50);
    txtNendo = edit<TCenterEdit>(this, "txtNendo", 254, 14, 60, 4);
    txtNendo->setReadOnly(true);
    txtNendo->setFocusPolicy(Qt::NoFocus);

    label(this, QStringLiteral("企業名称"), 16, 48, 70);
    txtCorpName = edit<QLineEdit>(this, "txtCorpName", 90, 48, 454, 0);
    SetShiftJisLimit(*txtCorpName, 60);
    txtCorpName->setAttribute(Qt::WA_InputMethodEnabled, true);
    connect(txtCorpName, &QLineEdit::textChanged, this, [this] { dirty_ = true; });

    auto* grades = new QGroupBox(QStringLiteral("等級名称の登録"), this);
    grades->setGeometry(16, 84, 528, 156);
    const QString digits = QStringLiteral("１２３４５６７８９");
    for (int i = 0; i < 9; ++i) {
        const int x = 12 + (i % 3) * 172, y = 26 + (i / 3) * 32;
        label(grades, QStringLiteral("等級") + digits.at(i), x, y, 44);
        const QByteArray name = "txtTokyu" + QByteArray::number(i + 1);
        txtTokyu[i] = edit<QLineEdit>(grades, name.constData(), x + 46, y, 114, 0);
        SetShiftJisLimit(*txtTokyu[i], 30);
        connect(txtTokyu[i], &QLineEdit::textChanged, this, [this] { dirty_ = true; });
    }
    auto* gradeNote = label(grades, QStringLiteral("「等級名称」は社員管理用です、賃金表の等級名称と統一する必要ありません"),
                            12, 124, 504);
    gradeNote->setObjectName(QStringLiteral("labTokyuNote"));

    auto* codes = new QGroupBox(QStringLiteral("モデル賃金／生計費"), this);
    codes->setGeometry(16, 250, 528, 92);
    label(codes, QStringLiteral("モデルコード"), 12, 24, 96);
    cmbModelCode = codeList(codes, "cmbModelCode", 110, 23, 406);
    label(codes, QStringLiteral("生計費コード"), 12, 56, 96);
    cmbLivingCode = codeList(codes, "cmbLivingCode", 110, 55, 406);
    for (QComboBox* list : {cmbModelCode, cmbLivingCode})
        connect(list, &QComboBox::editTextChanged, this, [this] { dirty_ = true; });
    CheckWhenLeft(*cmbModelCode, [this] { return cmbModelCodeExit(); });
    CheckWhenLeft(*cmbLivingCode, [this] { return cmbLivingCodeExit(); });

    auto* hours = new QGroupBox(QStringLiteral("時間給計算用"), this);
    hours->setGeometry(16, 352, 528, 112);
    label(hours, QStringLiteral("所定労働時間"), 12, 24, 96);
    txtSyoteiHH = edit<TRightEdit>(hours, "txtSyoteiHH", 110, 24, 100, 7);
    label(hours, QStringLiteral("毎月労働日数"), 270, 24, 96);
    txtSyoteiDD = edit<TRightEdit>(hours, "txtSyoteiDD", 368, 24, 100, 5);
    label(hours, QStringLiteral("毎月労働時間"), 12, 56, 96);
    txtSyoteiMM = edit<TRightEdit>(hours, "txtSyoteiMM", 110, 56, 100, 7);
    label(hours, QStringLiteral("地域最低賃金"), 270, 56, 96);
    txtSaichin = edit<TRightEdit>(hours, "txtSaichin", 368, 56, 100, 6);
    for (QLineEdit* field : {txtSyoteiHH, txtSyoteiDD, txtSyoteiMM, txtSaichin})
        CheckWhenLeft(*field, [this, field] { return txtSyoteiHHExit(field); });
    auto* hoursNote = label(hours, QStringLiteral("時間給設定は任意です"), 12, 84, 300);
    hoursNote->setObjectName(QStringLiteral("labSyoteiNote"));

    btnAdd = button(this, "btnAdd", QStringLiteral("登　録"), 16, 476);
    btnMnt = button(this, "btnMnt", QStringLiteral("修　正"), 118, 476);
    btnDlt = button(this, "btnDlt", QStringLiteral("削　除"), 220, 476);
    btnCansel = button(this, "btnCansel", QStringLiteral("ｷｬﾝｾﾙ"), 346, 476);
    btnClose = button(this, "btnClose", QStringLiteral("閉じる"), 448, 476);
    connect(btnAdd, &QPushButton::clicked, this, &TPX0020::btnAddClick);
    connect(btnMnt, &QPushButton::clicked, this, &TPX0020::btnMntClick);
    connect(btnDlt, &QPushButton::clicked, this, &TPX0020::btnDltClick);
    connect(btnCansel, &QPushButton::clicked, this, &TPX0020::btnCanselClick);
    connect(btnClose, &QPushButton::clicked, this, &TPX0020::btnCloseClick);

    // Tab order follows the form from top to bottom.
    QWidget* order[] = {txtCorpName, txtTokyu[0], txtTokyu[1], txtTokyu[2], txtTokyu[3], txtTokyu[4],
                        txtTokyu[5], txtTokyu[6], txtTokyu[7], txtTokyu[8], cmbModelCode, cmbLivingCode,
                        txtSyoteiHH, txtSyoteiDD, txtSyoteiMM, txtSaichin, btnAdd, btnMnt, btnDlt,
                        btnCansel, btnClose};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
}

void TPX0020::SetUpForListMode(int listMode)
{
    const struct {
        QPushButton* button;
        int mode;
        const char* caption;
    } buttons[] = {{btnAdd, 1, "登録"}, {btnMnt, 2, "修正"}, {btnDlt, 3, "削除"}};
    for (const auto& b : buttons) {
        const bool mine = b.mode == listMode;
        b.button->setText(mine ? QString::fromUtf8(b.caption) : QString());
        b.button->setEnabled(mine);
    }
}

void TPX0020::SetCompany(int year, int code)
{
    txtNendo->setText(QString::number(year));
    txtCorpID->setText(QString::number(code));
}

int TPX0020::year() const
{
    return txtNendo->text().trimmed().toInt();
}

int TPX0020::code() const
{
    return txtCorpID->text().trimmed().toInt();
}

void TPX0020::Prepare()
{
    resetFields();
    const int mode = App().ListMode;
    if (mode == 2 || mode == 3)
        loadCompany();
    txtCorpName->setFocus();
    dirty_ = false;
}

void TPX0020::resetFields()
{
    txtCorpName->clear();
    for (int i = 0; i < 9; ++i)
        txtTokyu[i]->setText(QString::fromUtf8(DefaultGradeNames[i]));
    for (QLineEdit* field : {txtSyoteiHH, txtSyoteiDD, txtSyoteiMM, txtSaichin})
        field->setText(QStringLiteral("0"));

    const Session session = CurrentSession();
    cmbModelCode->clear();
    cmbModelCode->addItems(ModelCodeItems(session));
    cmbModelCode->setEditText(NoneItem);
    cmbLivingCode->clear();
    cmbLivingCode->addItems(LivingCodeItems(session));
    cmbLivingCode->setEditText(NoneItem);

    // The calendar mode follows the company being worked on.
    TKigyo1_ company;
    bool found = false;
    if (ReadCompanyRow(session, year(), code(), company, found) && found)
        App().CalendarMode = company.REKI.toInt();
}

void TPX0020::showCode(QComboBox& list, const QString& codeText)
{
    const QString code = codeText.trimmed();
    if (code.isEmpty()) {
        list.setEditText(QString());
        return;
    }
    // 0 means none; it is shown as such unless the list has an item of its own for it.
    if (code == QLatin1String("0") && IndexOfCode(ItemsOf(list), code) < 0) {
        list.setEditText(NoneItem);
        return;
    }
    list.setEditText(ItemTextForCode(list, code, false));
}

void TPX0020::loadCompany()
{
    const Session session = CurrentSession();
    TKigyo1_ company;
    bool companyFound = false;
    ReadCompanyRow(session, year(), code(), company, companyFound);
    TKigyo2_ master;
    bool masterFound = false;
    ReadCompanyMasterRow(session, year(), code(), master, masterFound);

    if (masterFound) {
        txtCorpName->setText(master.KNA);
        const QString tk[9] = {master.TK01, master.TK02, master.TK03, master.TK04, master.TK05,
                               master.TK06, master.TK07, master.TK08, master.TK09};
        for (int i = 0; i < 9; ++i)
            txtTokyu[i]->setText(tk[i]);
        showCode(*cmbModelCode, master.MDCO);
        showCode(*cmbLivingCode, master.SKCO);
    } else if (companyFound) {
        // Without a master row the name of the company list still tells which one it is.
        txtCorpName->setText(company.KNA);
    }
    if (companyFound) {
        txtSyoteiHH->setText(company.SYOTEIHH);
        txtSyoteiDD->setText(company.SYOTEIDD);
        txtSyoteiMM->setText(company.SYOTEIMM);
        txtSaichin->setText(company.SAITEI);
    }
}

CompanyMasterInput TPX0020::input() const
{
    CompanyMasterInput in;
    in.code = txtCorpID->text().trimmed();
    in.year = txtNendo->text().trimmed();
    in.name = txtCorpName->text().trimmed();
    for (int i = 0; i < 9; ++i)
        in.gradeNames[i] = txtTokyu[i]->text().trimmed();
    in.modelCode = CodeOf(cmbModelCode->currentText().trimmed());
    in.livingCode = CodeOf(cmbLivingCode->currentText().trimmed());
    in.hours = txtSyoteiHH->text();
    in.days = txtSyoteiDD->text();
    in.monthlyHours = txtSyoteiMM->text();
    in.minimumWage = txtSaichin->text();
    return in;
}

bool TPX0020::txtSyoteiHHExit(QLineEdit* field)
{
    dirty_ = true;
    if (!field || IsWorkingTimeNumber(field->text()))
        return true;
    Dialogs().warning(AppTitle, NotANumberMessage);
    return false;
}

bool TPX0020::workingTimeFieldsValid()
{
    for (QLineEdit* field : {txtSyoteiHH, txtSyoteiDD, txtSyoteiMM, txtSaichin}) {
        if (!IsWorkingTimeNumber(field->text())) {
            Dialogs().warning(AppTitle, NotANumberMessage);
            field->setFocus();
            return false;
        }
    }
    return true;
}

bool TPX0020::cmbModelCodeExit()
{
    // A model must be named; any text that is there passes.
    if (!cmbModelCode->currentText().isEmpty())
        return true;
    return CheckCodeList(*cmbModelCode, true, false, false);
}

bool TPX0020::cmbLivingCodeExit()
{
    if (cmbLivingCode->currentText().isEmpty())
        return true;
    int code = 0;
    if (!CheckCodeList(*cmbLivingCode, true, false, false, &code))
        return false;
    if (code == 0 && IndexOfCode(ItemsOf(*cmbLivingCode), QStringLiteral("0")) < 0)
        cmbLivingCode->setEditText(NoneItem);
    return true;
}

void TPX0020::btnAddClick()
{
    if (App().ListMode != 1)
        return;
    if (txtCorpName->text().trimmed().isEmpty()) {
        Dialogs().warning(AppTitle, QStringLiteral("企業名称は必ず入力してください。"));
        txtCorpName->setFocus();
        return;
    }
    if (!workingTimeFieldsValid())
        return;
    // One unit over both files: on failure nothing is written and the screen stays.
    const Session session = CurrentSession();
    if (!RegisterCompany(session, input(), session.today))
        return;
    dirty_ = false;
    closeScreen();
    emit listPreparationRequested();
}

void TPX0020::btnMntClick()
{
    if (App().ListMode != 2)
        return;
    if (cmbModelCode->currentText().trimmed().isEmpty()) {
        Dialogs().warning(AppTitle, QStringLiteral("モデルコードを入力して下さい。"));
        cmbModelCode->setFocus();
        return;
    }
    if (cmbLivingCode->currentText().trimmed().isEmpty()) {
        Dialogs().warning(AppTitle, QStringLiteral("生計費コードを入力して下さい。"));
        cmbLivingCode->setFocus();
        return;
    }
    if (txtCorpName->text().trimmed().isEmpty()) {
        Dialogs().warning(AppTitle, QStringLiteral("企業名称は必ず入力してください。"));
        txtCorpName->setFocus();
        return;
    }
    if (!workingTimeFieldsValid())
        return;
    if (!ChangeCompany(CurrentSession(), input()))
        return;
    loadCompany();
    txtCorpName->setFocus();
    dirty_ = false;
}

void TPX0020::btnDltClick()
{
    if (App().ListMode != 3)
        return;
    if (code() <= 0) {
        Dialogs().warning(AppTitle, QStringLiteral("企業コードが選択されていません。"));
        return;
    }
    if (!Dialogs().yesNo(QStringLiteral("削除"),
                         QStringLiteral("ﾃﾞｰﾀを削除しますか？\r【はい】:削除します。\r【いいえ】:戻ります。")))
        return;
    const QString yearText = txtNendo->text().trimmed(), codeText = txtCorpID->text().trimmed();
    if (!DeleteCompany(CurrentSession(), year(), code()))
        return;
    Dialogs().information(AppTitle, QStringLiteral("企業マスター 【　") + yearText + QStringLiteral("　年度　") + codeText
                                        + QStringLiteral("　:　") + txtCorpName->text()
                                        + QStringLiteral("　】 を削除しました。"));
    dirty_ = false;
    closeScreen();
    emit listPreparationRequested();
}

void TPX0020::btnCanselClick()
{
    resetFields();
    const int mode = App().ListMode;
    if (mode == 2 || mode == 3)
        loadCompany();
    txtCorpName->setFocus();
    dirty_ = false;
}

void TPX0020::btnCloseClick()
{
    if (dirty_
        && Dialogs().yesNo(QStringLiteral("確認"),
                           QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r【いいえ】:画面を閉じます。"))) {
        txtCorpName->setFocus();
        return;
    }
    emit listReloadRequested();
    dirty_ = false;
    closeScreen();
}

void TPX0020::closeScreen()
{
    done(QDialog::Rejected);
}

void TPX0020::reject()
{
    btnCloseClick();
}

void TPX0020::done(int result)
{
    if (closing_)
        return;
    closing_ = true;
    QDialog::done(result);
    FormClose();
    closing_ = false;
}

void TPX0020::FormClose()
{
    RefreshMainMenu(!App().CompanyOpen);
}
