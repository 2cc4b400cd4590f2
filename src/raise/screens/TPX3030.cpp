// TPX3030: year rollover (a company of a fiscal year carried into the next year).
#include "raise/screens/TPX3030.h"

#include "projects/Companies.h"
#include "raise/YearRollover.h"
#include "shell/screens/AppState.h"
#include "core/CodeLists.h"
#include "core/Numbers.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/DialogService.h"
#include "store/DataModule.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString NotANumberMessage = QStringLiteral("数値を入力してください。");

int yearIn(const QComboBox* box)
{
    long long year = 0;
    if (!ParseWholeNumber(box->currentText().trimmed(), year) || year <= 0 || year > 9998)
        return 0;
    return int(year);
}

} // namespace

TPX3030::TPX3030(QWidget* parent) : QDialog(parent)
{
    SetupFixedForm(*this, QStringLiteral("TPX3030"), QStringLiteral("年次更新"), 420, 170);
    // The form may grow up to its largest size but not shrink below its design size.
    setMinimumSize(420, 170);
    setMaximumSize(777, 566);
    auto* root = new QVBoxLayout(this);
    auto* fields = new QGridLayout;
    cmbNendo_ = new QComboBox(this);
    cmbNendo_->setObjectName(QStringLiteral("cmbNendo"));
    cmbNendo_->setEditable(true);
    cmbNendo_->lineEdit()->setMaxLength(10);
    cmbNendo_->setFixedWidth(100);
    cmbCorpName_ = new QComboBox(this);
    cmbCorpName_->setObjectName(QStringLiteral("cmbCorpName"));
    cmbCorpName_->setEditable(true);
    cmbCorpName_->lineEdit()->setMaxLength(40);
    cmbCorpName_->setMinimumWidth(280);
    fields->addWidget(new QLabel(QStringLiteral("年　　度"), this), 0, 0);
    fields->addWidget(cmbNendo_, 0, 1, Qt::AlignLeft);
    fields->addWidget(new QLabel(QStringLiteral("企業名"), this), 1, 0);
    fields->addWidget(cmbCorpName_, 1, 1);
    root->addLayout(fields);
    root->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* btnAdd = MakeButton(this, QStringLiteral("btnAdd"), QStringLiteral("更　新"));
    auto* btnClose = MakeButton(this, QStringLiteral("btnClose"), QStringLiteral("閉じる"));
    buttons->addWidget(btnAdd);
    buttons->addWidget(btnClose);
    root->addLayout(buttons);

    connect(btnAdd, &QPushButton::clicked, this, &TPX3030::btnAddClick);
    connect(btnClose, &QPushButton::clicked, this, &TPX3030::btnCloseClick);
    OnLeave(*cmbNendo_, [this] { cmbNendoExit(); });
    InstallEnterMovesFocus(*this);
}

void TPX3030::Prepare()
{
    const int open = App().FiscalYear;
    cmbNendo_->clear();
    for (int y : SelectableYears(open))
        cmbNendo_->addItem(QString::number(y));
    cmbNendo_->setEditText(QString::number(open));
    cmbNendoExit();
}

bool TPX3030::cmbNendoExit()
{
    cmbCorpName_->setEditText(QString());
    const int year = yearIn(cmbNendo_);
    if (year == 0) {
        Dialogs().warning(AppTitle, NotANumberMessage);
        return false;
    }
    QList<TKigyo1_> companies;
    LoadCompanyList(CurrentSession(), year, companies);
    cmbCorpName_->clear();
    for (const TKigyo1_& c : companies)
        cmbCorpName_->addItem(CodeItemText(c.KCO, c.KNA));
    cmbCorpName_->setCurrentIndex(-1);
    cmbCorpName_->setEditText(QString());
    return true;
}

void TPX3030::btnAddClick()
{
    const int year = yearIn(cmbNendo_);
    if (year == 0) {
        Dialogs().warning(AppTitle, NotANumberMessage);
        return;
    }
    int company = 0;
    if (!CheckCodeList(*cmbCorpName_, true, true, true, &company))
        return;
    RolloverResult result;
    {
        BusyCursor busy;
        result = RollOverCompany(CurrentSession(), FDM().ACN3, year, company);
    }
    ShowOutcome(result.outcome);
}

void TPX3030::btnCloseClick()
{
    accept();
}
