// TFS1106: optimal-wage pop-up of a plot point (６．最適賃金) with the evaluation and adjustment update.
#include "plot/screens/TFS1106.h"

#include "shell/screens/AppState.h"
#include "shell/screens/ScreenHelpers.h"
#include "core/Numbers.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFS1106::TFS1106(QWidget* owner, const TSyain_& employee)
    : PointPopup(owner, QStringLiteral("FS1106"), PopupKind::OptimalWage, employee.SCO.toInt())
{
    setFixedSize(230, 225);
    const OptimalWagePopup p = OptimalWageContents(employee);
    labName = new QLabel(PopupNameLine(PopupKind::OptimalWage, employee), this);
    labName->setObjectName(QStringLiteral("labName"));
    labName->setGeometry(0, 0, 230, 30);
    labName->setAlignment(Qt::AlignCenter);
    labName->setAutoFillBackground(true);
    labName->setStyleSheet(QStringLiteral("QLabel { color: white; font-weight: bold; background: palette(highlight); }"));
    closeOnClick(*labName);
    auto title = [this](const QString& text, int y) {
        auto* l = new QLabel(text, this);
        l->setGeometry(8, y, 78, 20);
        closeOnClick(*l);
        return l;
    };
    auto amount = [this](const char* name, const QString& text, int y) {
        auto* e = new TRightEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setGeometry(88, y, 130, 22);
        e->setReadOnly(true);
        e->setStyleSheet(QStringLiteral("QLineEdit { background: yellow; }"));
        e->setText(text);
        return e;
    };
    labItem = title(p.itemTitle, 40);
    labItem->setObjectName(QStringLiteral("labItem"));
    txtKin = amount("txtKin", p.actual, 40);
    title(QStringLiteral("最適賃金"), 70);
    txtFitkin = amount("txtFitkin", p.fitted, 70);
    title(QStringLiteral("残　　差"), 100);
    txtZansa = amount("txtZansa", p.residual, 100);
    title(QStringLiteral("割　　合"), 130);
    txtwariai = amount("txtwariai", p.share, 130);
    title(QStringLiteral("調整額"), 160);
    txtKin3 = new TRightEdit(this);
    txtKin3->setObjectName(QStringLiteral("txtKin3"));
    txtKin3->setGeometry(88, 160, 130, 22);
    txtKin3->setText(p.adjustment);
    title(QStringLiteral("評価"), 189);
    cmbHyouka = new QComboBox(this);
    cmbHyouka->setObjectName(QStringLiteral("cmbHyouka"));
    cmbHyouka->setEditable(true);
    cmbHyouka->setGeometry(50, 187, 110, 24);
    FillEvaluationList(*cmbHyouka, p.wageTable);
    SelectItemByCode(*cmbHyouka, QString::number(p.evaluation));
    btnOK = MakeButton(this, QStringLiteral("btnOK"), QStringLiteral("更新"));
    btnOK->setGeometry(166, 187, 56, 26);
    CheckWhenLeft(*cmbHyouka, [this] { return CheckCodeList(*cmbHyouka, true, true, false); });
    CheckWhenLeft(*txtKin3, [this] { return CheckIntegerField(*txtKin3, 8, 99999999, 0, QStringLiteral("#,##0")); });
    connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
}

bool TFS1106::btnOKClick()
{
    int code = 0;
    if (!CheckCodeList(*cmbHyouka, true, true, false, &code)) {
        cmbHyouka->setFocus();
        return false;
    }
    if (!CheckIntegerField(*txtKin3, 8, 99999999, 0, QStringLiteral("#,##0"))) {
        txtKin3->setFocus();
        return false;
    }
    bool found = false;
    return UpdateOptimalAdjustment(CurrentSession(), tag(), code, WholeNumberOrZero(txtKin3->text()), found) && found;
}
