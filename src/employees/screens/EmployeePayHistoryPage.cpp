// 賃金情報２, the third page of the employee register.
#include "employees/screens/EmployeePayHistoryPage.h"

#include "core/Numbers.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using namespace EmployeeForm;

EmployeePayHistoryPage::EmployeePayHistoryPage(QTabWidget& tabs) : EmployeePage(tabs, QStringLiteral("賃金情報２"), QStringLiteral("TabSheet3"))
{
    QWidget* page = this;
    auto* fit = new QGroupBox(QStringLiteral("最適賃金"), page);
    fit->setObjectName(QStringLiteral("grpFit"));
    fit->setGeometry(10, 10, 420, 150);
    labFitNo = makeLabel(fit, QString(), 12, 26, 200);
    labFitNo->setObjectName(QStringLiteral("labFitNo"));
    makeLabel(fit, QStringLiteral("最適賃金"), 12, 56, 80);
    txtFitKin = makeShown(fit, QStringLiteral("txtFitKin"), 100, 56, 110);
    makeLabel(fit, QStringLiteral("残差"), 12, 86, 80);
    txtZansa = makeShown(fit, QStringLiteral("txtZansa"), 100, 86, 110);
    makeLabel(fit, QStringLiteral("割合"), 12, 116, 80);
    txtWariai = makeShown(fit, QStringLiteral("txtWariai"), 100, 116, 110);

    auto* raises = new QGroupBox(QStringLiteral("昇給履歴"), page);
    raises->setObjectName(QStringLiteral("grpRaises"));
    raises->setGeometry(450, 10, 300, 150);
    const char* ago[3] = {"昇給　１年前", "昇給　２年前", "昇給　３年前"};
    for (int i = 0; i < 3; ++i) {
        makeLabel(raises, QString::fromUtf8(ago[i]), 12, 26 + 30 * i, 90);
        txtUPKin[i] = makeEdit(raises, QStringLiteral("txtUPKin%1").arg(i + 1), 110, 26 + 30 * i, 110, true);
    }

    for (int i = 0; i < 3; ++i) {
        const auto check = numberCheck(txtUPKin[i], 8, 0, 0, RaiseFormat);
        addCheck(txtUPKin[i], [this, check] {
            if (!check())
                return false;
            emit raiseAccepted();
            return true;
        });
    }
    reportTypedEdits();
}

void EmployeePayHistoryPage::clear()
{
    for (QLineEdit* e : txtUPKin)
        e->setText(QStringLiteral("0"));
    labFitNo->clear();
    txtFitKin->clear();
    txtZansa->clear();
    txtWariai->clear();
}

void EmployeePayHistoryPage::showEmployee(const TSyain_& r)
{
    const int raises[3] = {r.UPKIN1, r.UPKIN2, r.UPKIN3};
    for (int i = 0; i < 3; ++i)
        txtUPKin[i]->setText(FormatFloat(RaiseFormat, raises[i]));
    const OptimalWageTexts fit = OptimalWageTextsOf(r);
    labFitNo->setText(fit.name);
    txtFitKin->setText(fit.amount);
    txtZansa->setText(fit.residual);
    txtWariai->setText(fit.ratio);
}

void EmployeePayHistoryPage::gather(EmployeeFields& f) const
{
    for (int i = 0; i < 3; ++i)
        f.raises[i] = txtUPKin[i]->text();
}
