// 賃金情報, the second page of the employee register.
#include "employees/screens/EmployeePayPage.h"

#include "core/Numbers.h"
#include "shell/screens/AppState.h"
#include "shell/screens/ScreenHelpers.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace EmployeeForm;

namespace {

const QColor SkyBlue(0xA6, 0xCA, 0xF0);   // clSkyBlue

void setBase(QLineEdit* e, const QColor& colour)
{
    QPalette p = e->palette();
    p.setColor(QPalette::Base, colour);
    e->setPalette(p);
}

QString amountText(long long v)
{
    return FormatFloat(AmountFormat, double(v));
}

} // namespace

EmployeePayPage::EmployeePayPage(QTabWidget& tabs) : EmployeePage(tabs, QStringLiteral("賃金情報"), QStringLiteral("TabSheet2"))
{
    QWidget* page = this;
    const int lx = 10, cx = 130, ax = 245, rx = 360;
    makeLabel(page, QStringLiteral("現　在"), cx, 8, 100)->setAlignment(Qt::AlignCenter);
    makeLabel(page, QStringLiteral("昇給後"), ax, 8, 100)->setAlignment(Qt::AlignCenter);
    makeLabel(page, QStringLiteral("賃金表"), rx, 8, 60);
    auto row = [](int i) { return 34 + 27 * i; };
    for (int i = 0; i < 3; ++i) {
        labKihon[i] = makeLabel(page, QString(), lx, row(i), 115);
        labKihon[i]->setObjectName(QStringLiteral("labKihon%1").arg(i + 1));
        txtKihon[i] = makeEdit(page, QStringLiteral("txtKihon%1").arg(i + 1), cx, row(i), 100, true);
        txtAFKihon[i] = makeEdit(page, QStringLiteral("txtAFKihon%1").arg(i + 1), ax, row(i), 100, true);
        txtAFKihon[i]->setFocusPolicy(Qt::ClickFocus);
        optKihon[i] = new QRadioButton(page);
        optKihon[i]->setObjectName(QStringLiteral("optKihon%1").arg(i + 1));
        optKihon[i]->setAutoExclusive(false);
        optKihon[i]->setGeometry(rx + 4, row(i), 24, 22);
        connect(optKihon[i], &QRadioButton::clicked, this, [this, i] { optKihonClick(i + 1); });
    }
    cdRestLink = new QPushButton(QStringLiteral("解除"), page);
    cdRestLink->setObjectName(QStringLiteral("cdRestLink"));
    cdRestLink->setGeometry(rx, row(3), 56, 24);
    connect(cdRestLink, &QPushButton::clicked, this, [this] { cdRestLinkClick(); });
    makeLabel(page, QStringLiteral("Sum基本給"), lx, row(3), 115);
    txtKihonSum = makeShown(page, QStringLiteral("txtKihonSum"), cx, row(3), 100);
    txtAFKihonSum = makeShown(page, QStringLiteral("txtAFKihonSum"), ax, row(3), 100);
    makeLabel(page, QStringLiteral("Up基本給"), lx, row(4), 115);
    txtUpKihon = makeShown(page, QStringLiteral("txtUpKihon"), ax, row(4), 100);

    auto row2 = [](int i) { return 186 + 27 * i; };
    for (int i = 0; i < 5; ++i) {
        labTeate[i] = makeLabel(page, QString(), lx, row2(i), 115);
        labTeate[i]->setObjectName(QStringLiteral("labTeate%1").arg(i + 1));
        txtTeate[i] = makeEdit(page, QStringLiteral("txtTeate%1").arg(i + 1), cx, row2(i), 100, true);
        txtAFTeate[i] = makeEdit(page, QStringLiteral("txtAFTeate%1").arg(i + 1), ax, row2(i), 100, true);
        txtAFTeate[i]->setFocusPolicy(Qt::ClickFocus);
        setBase(txtAFTeate[i], SkyBlue);
    }
    makeLabel(page, QStringLiteral("Sum手当"), lx, row2(5), 115);
    txtTeateSum = makeShown(page, QStringLiteral("txtTeateSum"), cx, row2(5), 100);
    txtAFTeateSum = makeShown(page, QStringLiteral("txtAFTeateSum"), ax, row2(5), 100);
    makeLabel(page, QStringLiteral("Up手当"), lx, row2(6), 115);
    txtTeateUP = makeShown(page, QStringLiteral("txtTeateUP"), ax, row2(6), 100);

    const int bx = 470, b1 = 580, b2 = 695;
    makeLabel(page, QStringLiteral("賞与　上期"), bx, row(0), 100);
    txtBonus1 = makeEdit(page, QStringLiteral("txtBonus1"), b1, row(0), 100, true);
    makeLabel(page, QStringLiteral("賞与　下期"), bx, row(1), 100);
    txtBonus2 = makeEdit(page, QStringLiteral("txtBonus2"), b1, row(1), 100, true);
    makeLabel(page, QStringLiteral("現　在"), b1, row(3) - 4, 100)->setAlignment(Qt::AlignCenter);
    makeLabel(page, QStringLiteral("昇給後"), b2, row(3) - 4, 100)->setAlignment(Qt::AlignCenter);
    makeLabel(page, QStringLiteral("所定給"), bx, row(4), 100);
    txtSyotei = makeShown(page, QStringLiteral("txtSyotei"), b1, row(4), 100);
    txtAFSyotei = makeShown(page, QStringLiteral("txtAFSyotei"), b2, row(4), 100);
    makeLabel(page, QStringLiteral("年　収"), bx, row(5), 100);
    txtNensyu = makeShown(page, QStringLiteral("txtNensyu"), b1, row(5), 100);
    txtAFNensyu = makeShown(page, QStringLiteral("txtAFNensyu"), b2, row(5), 100);
    makeLabel(page, QStringLiteral("退職金支給率"), bx, row(7), 100);
    txtTaisyokuKin = makeEdit(page, QStringLiteral("txtTaisyokuKin"), b1, row(7), 100, true);
    makeLabel(page, QStringLiteral("時間給"), bx, row(8), 100);
    txtJikankyu = makeShown(page, QStringLiteral("txtJikankyu"), b1, row(8), 100);
    makeLabel(page, QStringLiteral("賃金表"), bx, row(10), 100);
    cmbChingin = makeCombo(page, QStringLiteral("cmbChingin"), b1, row(10), 260, false);
    connect(cmbChingin, &QComboBox::activated, this, [this] { emit wageTableChosen(); });

    installFieldChecks();
    reportTypedEdits();
}

void EmployeePayPage::fillWageTableList(const QVariantList& project)
{
    FillListFromQuery(*cmbChingin,
                      QStringLiteral("SELECT CGCO || ' : ' || TITLE AS COMBNAME FROM MCHINGIN WHERE KCO = ? AND "
                                     "NENDO = ? ORDER BY CGCO"),
                      true, project);
}

void EmployeePayPage::showPayLabels(const QStringList& labels)
{
    for (int i = 0; i < 3; ++i)
        labKihon[i]->setText(labels[i]);
    for (int i = 0; i < 5; ++i)
        labTeate[i]->setText(labels[3 + i]);
}

// ---------------------------------------------------------------- field checks

void EmployeePayPage::installFieldChecks()
{
    // Every amount refreshes the totals once it is accepted.
    auto refreshing = [this](std::function<bool()> check) {
        return [this, check] {
            if (!check())
                return false;
            refreshTotals();
            return true;
        };
    };
    for (int i = 0; i < 3; ++i)
        addCheck(txtKihon[i], refreshing(numberCheck(txtKihon[i], 8, 0, 0, AmountFormat)));
    for (int i = 0; i < 3; ++i)
        addCheck(txtAFKihon[i], refreshing(numberCheck(txtAFKihon[i], 8, 0, 0, AmountFormat)));
    for (int i = 0; i < 5; ++i)
        addCheck(txtTeate[i], refreshing(numberCheck(txtTeate[i], 8, 0, 0, AmountFormat)));
    for (int i = 0; i < 5; ++i)
        addCheck(txtAFTeate[i], refreshing(numberCheck(txtAFTeate[i], 8, 0, 0, AmountFormat)));
    addCheck(txtBonus1, refreshing(numberCheck(txtBonus1, 8, 0, 0, AmountFormat)));
    addCheck(txtBonus2, refreshing(numberCheck(txtBonus2, 8, 0, 0, AmountFormat)));
    addCheck(txtTaisyokuKin, [this] { return CheckRealField(*txtTaisyokuKin, 10, RateFormat); });
}

// ---------------------------------------------------------------- the link and the totals

void EmployeePayPage::optKihonClick(int component)
{
    if (component < 1 || component > 3)
        return;
    link_ = component;
    Project().CurrentCompany.FRSTKYU = link_;
    for (int i = 0; i < 3; ++i)
        optKihon[i]->setChecked(i + 1 == link_);
    applyLinkColours();
    emit edited();
}

void EmployeePayPage::cdRestLinkClick()
{
    link_ = 0;
    Project().CurrentCompany.FRSTKYU = 0;
    for (QRadioButton* r : optKihon)
        r->setChecked(false);
    applyLinkColours();
    emit edited();
}

void EmployeePayPage::applyLinkColours()
{
    for (int i = 0; i < 3; ++i) {
        setBase(txtKihon[i], Qt::white);
        txtKihon[i]->setReadOnly(false);
        setBase(txtAFKihon[i], SkyBlue);
        txtAFKihon[i]->setReadOnly(false);
        txtAFKihon[i]->setFocusPolicy(Qt::ClickFocus);
    }
    if (link_ >= 1 && link_ <= 3) {
        QLineEdit* linked = txtAFKihon[link_ - 1];
        setBase(linked, Qt::yellow);
        linked->setReadOnly(true);
        linked->setFocusPolicy(Qt::NoFocus);
    }
    refreshTotals();
}

void EmployeePayPage::refreshTotals()
{
    PayAmounts a;
    for (int i = 0; i < 3; ++i) {
        a.kihon[i] = WholeNumberOrZero(txtKihon[i]->text());
        a.afKihon[i] = WholeNumberOrZero(txtAFKihon[i]->text());
    }
    for (int i = 0; i < 5; ++i) {
        a.teate[i] = WholeNumberOrZero(txtTeate[i]->text());
        a.afTeate[i] = WholeNumberOrZero(txtAFTeate[i]->text());
    }
    a.bonus1 = WholeNumberOrZero(txtBonus1->text());
    a.bonus2 = WholeNumberOrZero(txtBonus2->text());
    const PayTotals t = ComputePayTotals(a);
    txtKihonSum->setText(amountText(t.basicSum));
    txtAFKihonSum->setText(amountText(t.newBasicSum));
    txtTeateSum->setText(amountText(t.allowanceSum));
    txtAFTeateSum->setText(amountText(t.newAllowanceSum));
    txtSyotei->setText(amountText(t.monthly));
    txtAFSyotei->setText(amountText(t.newMonthly));
    txtNensyu->setText(amountText(t.annual));
    txtAFNensyu->setText(amountText(t.newAnnual));
    txtUpKihon->setText(amountText(t.upBasic));
    txtTeateUP->setText(amountText(t.upAllowance));
}

// ---------------------------------------------------------------- clearing, showing, gathering

void EmployeePayPage::clear()
{
    cmbChingin->setCurrentIndex(cmbChingin->count() > 0 ? 0 : -1);
    for (int i = 0; i < 3; ++i) {
        txtKihon[i]->setText(QStringLiteral("0"));
        txtAFKihon[i]->setText(QStringLiteral("0"));
    }
    for (int i = 0; i < 5; ++i) {
        txtTeate[i]->setText(QStringLiteral("0"));
        txtAFTeate[i]->setText(QStringLiteral("0"));
    }
    txtBonus1->setText(QStringLiteral("0"));
    txtBonus2->setText(QStringLiteral("0"));
    txtTaisyokuKin->setText(QStringLiteral("0.000"));
    txtJikankyu->setText(QStringLiteral("0"));
    link_ = 0;
    Project().CurrentCompany.FRSTKYU = 0;
    for (QRadioButton* r : optKihon)
        r->setChecked(false);
    applyLinkColours();
}

void EmployeePayPage::showEmployee(const TSyain_& r)
{
    const int kihon[3] = {r.KKYU1, r.KKYU2, r.KKYU3};
    const int afKihon[3] = {r.NKKYU1, r.NKKYU2, r.NKKYU3};
    const int teate[5] = {r.TEATE1, r.TEATE2, r.TEATE3, r.TEATE4, r.TEATE5};
    const int afTeate[5] = {r.NTEATE1, r.NTEATE2, r.NTEATE3, r.NTEATE4, r.NTEATE5};
    link_ = r.JISEKI >= 1 && r.JISEKI <= 3 ? r.JISEKI : 0;
    Project().CurrentCompany.FRSTKYU = link_;
    for (int i = 0; i < 3; ++i) {
        txtKihon[i]->setText(amountText(kihon[i]));
        // A component fed from the wage table shows the table's amount.
        txtAFKihon[i]->setText(amountText(link_ == i + 1 ? r.NKIN : afKihon[i]));
        optKihon[i]->setChecked(link_ == i + 1);
    }
    for (int i = 0; i < 5; ++i) {
        txtTeate[i]->setText(amountText(teate[i]));
        txtAFTeate[i]->setText(amountText(afTeate[i]));
    }
    txtBonus1->setText(amountText(r.SYOUYO));
    txtBonus2->setText(amountText(r.SYOUYO2));
    txtTaisyokuKin->setText(FormatFloat(RateFormat, r.SRITSU));
    if (SelectItemByCode(*cmbChingin, QString::number(r.SKCO)) < 0)
        cmbChingin->setCurrentIndex(-1);
    txtJikankyu->setText(HourlyWageText(r, Project().CurrentCompany.SYOTEIMM));
    applyLinkColours();
}

void EmployeePayPage::gather(EmployeeFields& f) const
{
    for (int i = 0; i < 3; ++i) {
        f.kihon[i] = txtKihon[i]->text();
        f.afKihon[i] = txtAFKihon[i]->text();
    }
    for (int i = 0; i < 5; ++i) {
        f.teate[i] = txtTeate[i]->text();
        f.afTeate[i] = txtAFTeate[i]->text();
    }
    f.bonus1 = txtBonus1->text();
    f.bonus2 = txtBonus2->text();
    f.retirementRate = txtTaisyokuKin->text();
    f.link = link_;
    f.wageTable = codeOfList(cmbChingin);
}

QWidget* EmployeePayPage::fieldOf(EmployeeFieldError error) const
{
    return error == EmployeeFieldError::Totals ? txtKihon[0] : nullptr;
}

int EmployeePayPage::wageTable() const
{
    return codeOfList(cmbChingin);
}
