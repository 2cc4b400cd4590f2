// 基本設定, the first page of the wage-table screen.
#include "wagetable/screens/WageTableBasicPage.h"

#include "core/CodeLists.h"
#include "core/Numbers.h"
#include "shell/screens/DialogService.h"
#include "shell/screens/ScreenHelpers.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

using namespace WageTableForm;

WageTableBasicPage::WageTableBasicPage(QTabWidget& tabs)
    : WageTablePage(tabs, QStringLiteral("基本設定"), QStringLiteral("TabSheet1"))
{
    QWidget* page = this;
    caption(page, QStringLiteral("賃金表ID"), QRect(30, 30, 80, 26));
    cmbScaleCode = new WageTableIdBox(page, QStringLiteral("cmbScaleCode"), 7, QRect(120, 30, 160, 26));

    caption(page, QStringLiteral("タイトル"), QRect(30, 72, 80, 26));
    txtTitle = new QLineEdit(page);
    txtTitle->setObjectName(QStringLiteral("txtTitle"));
    txtTitle->setGeometry(120, 72, 440, 26);
    SetShiftJisLimit(*txtTitle, 50);

    caption(page, QStringLiteral("等級数"), QRect(30, 114, 80, 26));
    txtTokyusu = new QLineEdit(page);
    txtTokyusu->setObjectName(QStringLiteral("txtTokyusu"));
    txtTokyusu->setGeometry(120, 114, 50, 26);
    txtTokyusu->setMaxLength(2);
    txtTokyusu->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto group = [page](const QString& name, const QString& title, const QRect& geometry) {
        auto* g = new QGroupBox(title, page);
        g->setObjectName(name);
        g->setGeometry(geometry);
        return g;
    };
    auto radio = [](QGroupBox* g, const QString& name, const QString& text, int row) {
        auto* r = new QRadioButton(text, g);
        r->setObjectName(name);
        r->setGeometry(16, 26 + row * 30, g->width() - 28, 24);
        return r;
    };
    GroupBox2 = group(QStringLiteral("GroupBox2"), QStringLiteral("上書き"), QRect(30, 170, 220, 100));
    optAuto = radio(GroupBox2, QStringLiteral("optAuto"), QStringLiteral("しない　（自動計算）"), 0);
    optManual = radio(GroupBox2, QStringLiteral("optManual"), QStringLiteral("する　　（手入力）"), 1);
    GroupBox1 = group(QStringLiteral("GroupBox1"), QStringLiteral("曲線の選択"), QRect(270, 170, 200, 100));
    opt2Jikyokusen = radio(GroupBox1, QStringLiteral("opt2Jikyokusen"), QStringLiteral("２次曲線"), 0);
    opt3JiKyokusen = radio(GroupBox1, QStringLiteral("opt3JiKyokusen"), QStringLiteral("３次曲線"), 1);
    GroupBox7 = group(QStringLiteral("GroupBox7"), QStringLiteral("丸め方"), QRect(490, 170, 200, 130));
    optUnit10 = radio(GroupBox7, QStringLiteral("optUnit10"), QStringLiteral("拾円単位"), 0);
    optUnit100 = radio(GroupBox7, QStringLiteral("optUnit100"), QStringLiteral("百円単位"), 1);
    optUnit1000 = radio(GroupBox7, QStringLiteral("optUnit1000"), QStringLiteral("千円単位"), 2);
    optAuto->setChecked(true);
    opt2Jikyokusen->setChecked(true);
    optUnit10->setChecked(true);

    // Change tracking: only what the user types or clicks counts.
    connect(cmbScaleCode, &WageTableIdBox::edited, this, &WageTablePage::edited);
    reportEdits({txtTitle, txtTokyusu});
    for (QRadioButton* r : {optAuto, optManual, opt2Jikyokusen, opt3JiKyokusen, optUnit10, optUnit100, optUnit1000})
        connect(r, &QRadioButton::clicked, this, [this] { emit edited(); });
    CheckWhenLeft(*txtTokyusu, [this] { return txtTokyusuExit(); });
}

void WageTableBasicPage::reset()
{
    txtTokyusu->setText(QStringLiteral("9"));
    txtTitle->clear();
    cmbScaleCode->reset(NoneItem);
}

void WageTableBasicPage::showHeader(const TMCHNGIN_& header)
{
    txtTokyusu->setText(QString::number(header.TKSU));
    txtTitle->setText(header.TITLE);
    (header.KSENTAKUF != 0 ? opt3JiKyokusen : opt2Jikyokusen)->setChecked(true);
    (header.UKAKIF != 0 ? optManual : optAuto)->setChecked(true);
    (header.MARUMEF == 1 ? optUnit100 : header.MARUMEF == 2 ? optUnit1000 : optUnit10)->setChecked(true);
}

void WageTableBasicPage::showDefaultChoices()
{
    opt2Jikyokusen->setChecked(true);
    optAuto->setChecked(true);
    optUnit10->setChecked(true);
}

void WageTableBasicPage::gather(SalaryListDefinition& def) const
{
    long long count = 0;
    def.gradeCount = ParseWholeNumber(txtTokyusu->text(), count) ? int(count) : 0;
    def.title = txtTitle->text();
    def.curveKind = opt3JiKyokusen->isChecked() ? ThirdOrderCurve : SecondOrderCurve;
    def.overwriteMode = optManual->isChecked() ? TypedAmounts : DerivedAmounts;
    def.roundingCode = optUnit1000->isChecked() ? 2 : optUnit100->isChecked() ? 1 : 0;
}

QString WageTableBasicPage::title() const
{
    return txtTitle->text();
}

QString WageTableBasicPage::gradeCountText() const
{
    return txtTokyusu->text();
}

int WageTableBasicPage::gradeCount() const
{
    long long n = 0;
    if (!ParseWholeNumber(txtTokyusu->text(), n) || n < 1 || n > 9)
        return 1;
    return int(n);
}

bool WageTableBasicPage::automatic() const
{
    return optAuto->isChecked();
}

bool WageTableBasicPage::secondOrderChosen() const
{
    return opt2Jikyokusen->isChecked();
}

bool WageTableBasicPage::thirdOrderChosen() const
{
    return opt3JiKyokusen->isChecked();
}

bool WageTableBasicPage::txtTokyusuExit()
{
    long long n = 0;
    if (!ParseWholeNumber(txtTokyusu->text(), n)) {
        Dialogs().warning(QString(), QStringLiteral("数値を入力してください。"));
        return false;
    }
    if (n < 1 || n > 9) {
        Dialogs().warning(QString(), QStringLiteral("入力範囲外です。1 ～ 9 の値を入力して下さい。"));
        return false;
    }
    return true;
}
