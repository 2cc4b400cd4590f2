// マトリクス, the hidden fourth page of the employee register.
#include "employees/screens/EmployeeMatrixPage.h"

#include "shell/screens/ScreenHelpers.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace EmployeeForm;

EmployeeMatrixPage::EmployeeMatrixPage(QTabWidget& tabs, const MatrixTables& tables)
    : EmployeePage(tabs, QStringLiteral("マトリクス"), QStringLiteral("TabSheet4")), tables_(tables)
{
    QWidget* page = this;
    auto* labMatrix = makeLabel(page, QStringLiteral("ﾏﾄﾘｸｽ"), 10, 10, 60);
    labMatrix->setObjectName(QStringLiteral("labMatrix"));
    labMatrix->hide();
    for (int i = 0; i < 3; ++i) {
        auto* r = new QRadioButton(page);
        r->setObjectName(QStringLiteral("optMatrix%1").arg(i + 1));
        r->setGeometry(80 + 30 * i, 10, 24, 22);
        r->hide();
    }
    auto* reset = new QPushButton(QStringLiteral("解除"), page);
    reset->setObjectName(QStringLiteral("cdRestMatrix"));
    reset->setGeometry(180, 10, 56, 24);
    reset->hide();
    makeLabel(page, QStringLiteral("バンド"), 10, 44, 80);
    cmbBand = makeCombo(page, QStringLiteral("cmbBand"), 100, 44, 220, false);
    makeLabel(page, QStringLiteral("役割評価"), 10, 75, 80);
    cmbYHyouka = makeCombo(page, QStringLiteral("cmbYHyouka"), 100, 75, 220, false);
    makeLabel(page, QStringLiteral("ゾーン"), 10, 106, 80);
    txtZone = makeShown(page, QStringLiteral("txtZone"), 100, 106, 60);
    makeLabel(page, QStringLiteral("昇給率"), 10, 137, 80);
    txtUPRitsu = makeShown(page, QStringLiteral("txtUPRitsu"), 100, 137, 80);
    connect(cmbBand, &QComboBox::activated, this, [this] { emit edited(); });
    connect(cmbYHyouka, &QComboBox::activated, this, [this] { emit edited(); });
    reportTypedEdits();
}

void EmployeeMatrixPage::fillLists(const QVariantList& project)
{
    FillListFromQuery(*cmbBand,
                      QStringLiteral("SELECT BANDID || ' : ' || BANDNAME AS COMBNAME FROM BANDM WHERE KCO = ? AND "
                                     "NENDO = ? ORDER BY BANDID"),
                      false, project);
    FillListFromQuery(*cmbYHyouka,
                      QStringLiteral("SELECT HCO || ' : ' || HKIGOU AS COMBNAME FROM YHYOUKA WHERE KCO = ? AND "
                                     "NENDO = ? ORDER BY HCO"),
                      false, project);
}

void EmployeeMatrixPage::clear()
{
    cmbBand->setCurrentIndex(-1);
    cmbYHyouka->setCurrentIndex(-1);
    txtZone->clear();
    txtUPRitsu->clear();
}

void EmployeeMatrixPage::showEmployee(const TSyain_& r)
{
    selectCode(cmbBand, r.BANDID);
    selectCode(cmbYHyouka, r.YHYOUKA);
    showMatrixZone(r);
}

void EmployeeMatrixPage::showMatrixZone(const TSyain_& r)
{
    txtZone->clear();
    txtUPRitsu->clear();
    if (r.MLINK < 1 || r.MLINK > 3)
        return;
    const int amounts[3] = {r.KKYU1, r.KKYU2, r.KKYU3};
    const ZoneResult z = ComputeZone(tables_, r.BANDID, r.YHYOUKA, amounts[r.MLINK - 1]);
    txtZone->setText(QString::number(z.zone));
    txtUPRitsu->setText(ZoneRateText(z.rate));
}

void EmployeeMatrixPage::gather(EmployeeFields& f) const
{
    f.band = codeOfList(cmbBand);
    f.role = codeOfList(cmbYHyouka);
}
