// TPX2010: wage table editing (賃金表　作成) — salary scales, curves, saving, CSV and the combined table.
#include "wagetable/screens/TPX2010.h"

#include "shell/screens/TfrmPrintPreview.h"
#include "shell/screens/AppState.h"
#include "core/CodeLists.h"
#include "core/CsvWriter.h"
#include "core/Numbers.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/DialogService.h"
#include "shell/screens/ExportSettings.h"
#include "wagetable/SalaryListExport.h"
#include "wagetable/SalaryListReport.h"
#include "wagetable/screens/TPX2011.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

QColor GradeNumberColour()
{
    return QColor(0xFF, 0xFF, 0x00);
}

QColor ResultColour()
{
    return QColor(0xA6, 0xCA, 0xF0);
}

QColor EditableColour()
{
    return QColor(0xFF, 0xFF, 0xFF);
}

QColor UnusedRowColour()
{
    return QColor(0xF0, 0xF0, 0xF0);
}

namespace {

const QString changedText = QStringLiteral("ﾃﾞｰﾀが変更されています。");
const QString confirmCaption = QStringLiteral("確認");

enum Page { BasicPage = 1, ScalePage = 2, SecondOrderPage = 3, ThirdOrderPage = 4 };

constexpr int RowTop = 76;
constexpr int RowPitch = 30;
constexpr int RowHeight = 26;

void paint(QLineEdit* e, const QColor& colour)
{
    QPalette p = e->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(g, QPalette::Base, colour);
    e->setPalette(p);
}

QLineEdit* makeEdit(QWidget* parent, const QString& name, int tag, const QRect& geometry, Qt::Alignment align)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setProperty("Tag", tag);
    e->setGeometry(geometry);
    e->setAlignment(align | Qt::AlignVCenter);
    return e;
}

// A read-only display field: not reached by Tab or Enter.
void makeDisplay(QLineEdit* e)
{
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
}

QLabel* heading(QWidget* parent, const QString& text, int x, int width)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(x, 50, width, 22);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Raised);
    return l;
}

QLabel* caption(QWidget* parent, const QString& text, const QRect& geometry)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(geometry);
    return l;
}

// Room for the digits of a field and the commas its display format adds.
int widthWithCommas(int digits)
{
    return digits + (digits - 1) / 3 + 1;
}

QString amountText(long long v)
{
    return FormatFloat(QStringLiteral("#,##0"), double(v));
}

long long whole(const QLineEdit* e)
{
    return WholeNumberOrZero(e->text());
}

} // namespace

TPX2010::TPX2010(QWidget* parent) : QDialog(parent)
{
    SetupFixedForm(*this, QStringLiteral("TPX2010"), QStringLiteral("賃金表　作成"), 790, 580);

    auto button = [this](const QString& name, const QString& text, int x) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setGeometry(x, 10, 100, 30);
        b->setAutoDefault(false);
        return b;
    };
    btnAdd = button(QStringLiteral("btnAdd"), QStringLiteral("登　録"), 10);
    btnCancel = button(QStringLiteral("btnCancel"), QStringLiteral("ｷｬﾝｾﾙ"), 116);
    btnSalaryList = button(QStringLiteral("btnSalaryList"), QStringLiteral("連結賃金表"), 222);
    btnCSV = button(QStringLiteral("btnCSV"), QStringLiteral("CSV出力"), 328);
    btnXlsx = button(QStringLiteral("btnXlsx"), ExcelExportCaption, 434);
    btnClose = button(QStringLiteral("btnClose"), QStringLiteral("閉じる"), 680);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(8, 50, 774, 522);
    buildBasicPage();
    buildScalePage();
    buildSecondOrderPage();
    buildThirdOrderPage();

    baseAmounts_ = new TPX2011(this);

    connect(btnAdd, &QPushButton::clicked, this, [this] { btnAddClick(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
    connect(btnSalaryList, &QPushButton::clicked, this, [this] { btnSalaryListClick(); });
    connect(btnCSV, &QPushButton::clicked, this, [this] { btnCSVClick(SheetFileKind::Csv); });
    connect(btnXlsx, &QPushButton::clicked, this, [this] { btnCSVClick(SheetFileKind::Xlsx); });
    connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
    connect(btnKijungaku, &QPushButton::clicked, this, [this] { btnKijungakuClick(); });
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] { PageControl1Change(); });

    wireChecks();
    InstallEnterMovesFocus(*this);
}

// ---------------------------------------------------------------- building the pages

void TPX2010::buildBasicPage()
{
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    PageControl1->addTab(TabSheet1, QStringLiteral("基本設定"));

    caption(TabSheet1, QStringLiteral("賃金表ID"), QRect(30, 30, 80, 26));
    cmbScaleCode = new QComboBox(TabSheet1);
    cmbScaleCode->setObjectName(QStringLiteral("cmbScaleCode"));
    cmbScaleCode->setEditable(true);
    cmbScaleCode->setInsertPolicy(QComboBox::NoInsert);
    cmbScaleCode->lineEdit()->setMaxLength(7);
    cmbScaleCode->setGeometry(120, 30, 160, 26);

    caption(TabSheet1, QStringLiteral("タイトル"), QRect(30, 72, 80, 26));
    txtTitle = new QLineEdit(TabSheet1);
    txtTitle->setObjectName(QStringLiteral("txtTitle"));
    txtTitle->setGeometry(120, 72, 440, 26);
    SetShiftJisLimit(*txtTitle, 50);

    caption(TabSheet1, QStringLiteral("等級数"), QRect(30, 114, 80, 26));
    txtTokyusu = new QLineEdit(TabSheet1);
    txtTokyusu->setObjectName(QStringLiteral("txtTokyusu"));
    txtTokyusu->setGeometry(120, 114, 50, 26);
    txtTokyusu->setMaxLength(2);
    txtTokyusu->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto group = [this](const QString& name, const QString& title, const QRect& geometry) {
        auto* g = new QGroupBox(title, TabSheet1);
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
}

void TPX2010::buildScalePage()
{
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    PageControl1->addTab(TabSheet2, QStringLiteral("ｻﾗﾘｰｽｹｰﾙ"));

    caption(TabSheet2, QStringLiteral("賃金表ID"), QRect(20, 12, 70, 26));
    cmb2ScaleCode = new QComboBox(TabSheet2);
    cmb2ScaleCode->setObjectName(QStringLiteral("cmb2ScaleCode"));
    cmb2ScaleCode->setEditable(true);
    cmb2ScaleCode->setInsertPolicy(QComboBox::NoInsert);
    cmb2ScaleCode->lineEdit()->setMaxLength(10);
    cmb2ScaleCode->setGeometry(96, 12, 160, 26);

    const int x[] = {20, 96, 302, 378, 484, 560, 646};
    const int w[] = {70, 200, 70, 100, 70, 80, 100};
    const QString titles[] = {QStringLiteral("等級番号"), QStringLiteral("等級名称"), QStringLiteral("下限 (%)"),
                              QStringLiteral("中央値"),   QStringLiteral("上限 (%)"), QStringLiteral("スプレッド"),
                              QStringLiteral("レンジ")};
    for (int c = 0; c < 7; ++c)
        heading(TabSheet2, titles[c], x[c], w[c]);

    // Created row by row so that Tab walks each row from left to right.
    for (int i = 0; i < 9; ++i) {
        auto at = [&](int c) { return QRect(x[c], RowTop + i * RowPitch, w[c], RowHeight); };
        txt1Tokyu[i] = makeEdit(TabSheet2, QStringLiteral("txt1Tokyu%1").arg(i + 1), i, at(0), Qt::AlignHCenter);
        txt1TKName[i] = makeEdit(TabSheet2, QStringLiteral("txt1TKName%1").arg(i + 1), i, at(1), Qt::AlignLeft);
        txtKagen[i] = makeEdit(TabSheet2, QStringLiteral("txtKagen%1").arg(i + 1), i, at(2), Qt::AlignRight);
        txtKiso[i] = makeEdit(TabSheet2, QStringLiteral("txtKiso%1").arg(i + 1), i, at(3), Qt::AlignRight);
        txtJyogen[i] = makeEdit(TabSheet2, QStringLiteral("txtJyogen%1").arg(i + 1), i, at(4), Qt::AlignRight);
        txtSplet[i] = makeEdit(TabSheet2, QStringLiteral("txtSplet%1").arg(i + 1), i, at(5), Qt::AlignRight);
        txtLenji[i] = makeEdit(TabSheet2, QStringLiteral("txtLenji%1").arg(i + 1), i, at(6), Qt::AlignRight);
        makeDisplay(txt1Tokyu[i]);
        makeDisplay(txtSplet[i]);
        makeDisplay(txtLenji[i]);
        SetShiftJisLimit(*txt1TKName[i], 30);
        txtKagen[i]->setMaxLength(6);
        txtKiso[i]->setMaxLength(widthWithCommas(7));
        txtJyogen[i]->setMaxLength(6);
    }

    btnKijungaku = new QPushButton(QStringLiteral("基準額"), TabSheet2);
    btnKijungaku->setObjectName(QStringLiteral("btnKijungaku"));
    btnKijungaku->setGeometry(20, 366, 100, 30);
    btnKijungaku->setAutoDefault(false);
    auto* note = caption(TabSheet2,
                         QStringLiteral("同一等級の社員の基本給の平均額を表示し、これを参考に「中央値」をインプットします"),
                         QRect(132, 366, 620, 30));
    note->setWordWrap(true);
}

void TPX2010::buildSecondOrderPage()
{
    TabSheet3 = new QWidget;
    TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
    PageControl1->addTab(TabSheet3, QStringLiteral("２次曲線"));

    caption(TabSheet3, QStringLiteral("等級数"), QRect(20, 12, 56, 26));
    txt2TKSuu = makeEdit(TabSheet3, QStringLiteral("txt2TKSuu"), 0, QRect(80, 12, 40, 26), Qt::AlignRight);
    makeDisplay(txt2TKSuu);

    const int x[] = {20, 96, 172, 278, 354, 460, 536};
    const int w[] = {70, 70, 100, 70, 100, 70, 100};
    const QString titles[] = {QStringLiteral("等級指定"), QStringLiteral("開始号数"), QStringLiteral("開始賃金"),
                              QStringLiteral("中間号数"), QStringLiteral("中間賃金"), QStringLiteral("終了号数"),
                              QStringLiteral("終了賃金")};
    for (int c = 0; c < 7; ++c)
        heading(TabSheet3, titles[c], x[c], w[c]);
    for (int i = 0; i < 9; ++i) {
        auto at = [&](int c) { return QRect(x[c], RowTop + i * RowPitch, w[c], RowHeight); };
        txt2Tokyu[i] = makeEdit(TabSheet3, QStringLiteral("txt2Tokyu%1").arg(i + 1), i, at(0), Qt::AlignHCenter);
        txt2Stgosu[i] = makeEdit(TabSheet3, QStringLiteral("txt2Stgosu%1").arg(i + 1), i, at(1), Qt::AlignRight);
        txt2Salary[i] = makeEdit(TabSheet3, QStringLiteral("txt2Salary%1").arg(i + 1), i, at(2), Qt::AlignRight);
        txt2Cgosu[i] = makeEdit(TabSheet3, QStringLiteral("txt2Cgosu%1").arg(i + 1), i, at(3), Qt::AlignRight);
        txt2CSalary[i] = makeEdit(TabSheet3, QStringLiteral("txt2CSalary%1").arg(i + 1), i, at(4), Qt::AlignRight);
        txt2EndGosu[i] = makeEdit(TabSheet3, QStringLiteral("txt2EndGosu%1").arg(i + 1), i, at(5), Qt::AlignRight);
        txt2EndSalary[i] = makeEdit(TabSheet3, QStringLiteral("txt2EndSalary%1").arg(i + 1), i, at(6), Qt::AlignRight);
        makeDisplay(txt2Tokyu[i]);
        for (QLineEdit* e : {txt2Stgosu[i], txt2Cgosu[i], txt2EndGosu[i]})
            e->setMaxLength(3);
        for (QLineEdit* e : {txt2Salary[i], txt2CSalary[i], txt2EndSalary[i]})
            e->setMaxLength(widthWithCommas(7));
    }
    caption(TabSheet3, QStringLiteral("ベア用掛率"), QRect(20, 370, 80, 26));
    txt2Kakeritsu = makeEdit(TabSheet3, QStringLiteral("txt2Kakeritsu"), 0, QRect(100, 370, 90, 26), Qt::AlignRight);
    txt2Kakeritsu->setMaxLength(widthWithCommas(8));
    caption(TabSheet3, QStringLiteral("１％のベアでしたら1.01と入力します"), QRect(204, 370, 400, 26));
}

void TPX2010::buildThirdOrderPage()
{
    TabSheet4 = new QWidget;
    TabSheet4->setObjectName(QStringLiteral("TabSheet4"));
    PageControl1->addTab(TabSheet4, QStringLiteral("３次曲線"));

    caption(TabSheet4, QStringLiteral("等級数"), QRect(20, 12, 56, 26));
    txt3TKSuu = makeEdit(TabSheet4, QStringLiteral("txt3TKSuu"), 0, QRect(80, 12, 40, 26), Qt::AlignRight);
    makeDisplay(txt3TKSuu);

    const int x[] = {20, 86, 152, 248, 314, 410, 476, 572, 638};
    const int w[] = {60, 60, 90, 60, 90, 60, 90, 60, 90};
    const QString titles[] = {QStringLiteral("等級指定"), QStringLiteral("開始号数"), QStringLiteral("開始賃金"),
                              QStringLiteral("中間号数"), QStringLiteral("中間賃金"), QStringLiteral("中間号数"),
                              QStringLiteral("中間賃金"), QStringLiteral("終了号数"), QStringLiteral("終了賃金")};
    for (int c = 0; c < 9; ++c)
        heading(TabSheet4, titles[c], x[c], w[c]);
    for (int i = 0; i < 9; ++i) {
        auto at = [&](int c) { return QRect(x[c], RowTop + i * RowPitch, w[c], RowHeight); };
        auto name = [&](const char* family) { return QString::fromLatin1(family) + QString::number(i + 1); };
        txt3Tokyu[i] = makeEdit(TabSheet4, name("txt3Tokyu"), i, at(0), Qt::AlignHCenter);
        txtStGosu[i] = makeEdit(TabSheet4, name("txtStGosu"), i, at(1), Qt::AlignRight);
        txtStSalary[i] = makeEdit(TabSheet4, name("txtStSalary"), i, at(2), Qt::AlignRight);
        txtC1Gosu[i] = makeEdit(TabSheet4, name("txtC1Gosu"), i, at(3), Qt::AlignRight);
        txtC1Salary[i] = makeEdit(TabSheet4, name("txtC1Salary"), i, at(4), Qt::AlignRight);
        txtC2Gosu[i] = makeEdit(TabSheet4, name("txtC2Gosu"), i, at(5), Qt::AlignRight);
        txtC2Salary[i] = makeEdit(TabSheet4, name("txtC2Salary"), i, at(6), Qt::AlignRight);
        txtEndGosu[i] = makeEdit(TabSheet4, name("txtEndGosu"), i, at(7), Qt::AlignRight);
        txtEndSalary[i] = makeEdit(TabSheet4, name("txtEndSalary"), i, at(8), Qt::AlignRight);
        makeDisplay(txt3Tokyu[i]);
        for (QLineEdit* e : {txtStGosu[i], txtC1Gosu[i], txtC2Gosu[i], txtEndGosu[i]})
            e->setMaxLength(3);
        for (QLineEdit* e : {txtStSalary[i], txtC1Salary[i], txtC2Salary[i], txtEndSalary[i]})
            e->setMaxLength(widthWithCommas(7));
    }
    caption(TabSheet4, QStringLiteral("ベア用掛率"), QRect(20, 370, 80, 26));
    txt3Kakeritsu = makeEdit(TabSheet4, QStringLiteral("txt3Kakeritsu"), 0, QRect(100, 370, 90, 26), Qt::AlignRight);
    txt3Kakeritsu->setMaxLength(widthWithCommas(8));
    caption(TabSheet4, QStringLiteral("１％のベアでしたら1.01と入力します"), QRect(204, 370, 400, 26));
}

void TPX2010::wireChecks()
{
    // Change tracking: only what the user types or clicks counts.
    auto track = [this](QLineEdit* e, int page) {
        connect(e, &QLineEdit::textEdited, this, [this, page] { markChanged(page); });
    };
    track(txtTitle, BasicPage);
    track(txtTokyusu, BasicPage);
    for (QRadioButton* r : {optAuto, optManual, opt2Jikyokusen, opt3JiKyokusen, optUnit10, optUnit100, optUnit1000})
        connect(r, &QRadioButton::clicked, this, [this] { markChanged(BasicPage); });
    for (int box = 0; box < 2; ++box) {
        QComboBox* c = box == 0 ? cmbScaleCode : cmb2ScaleCode;
        const int page = box == 0 ? BasicPage : ScalePage;
        connect(c->lineEdit(), &QLineEdit::textEdited, this, [this, box, page] {
            idEdited_[box] = true;
            markChanged(page);
        });
        connect(c, &QComboBox::activated, this, [this, box, page] {
            idEdited_[box] = true;
            markChanged(page);
            if (box == 0)
                cmbScaleCodeExit();
            else
                cmb2ScaleCodeExit();
        });
    }
    CheckWhenLeft(*cmbScaleCode, [this] { return cmbScaleCodeExit(); });
    CheckWhenLeft(*cmb2ScaleCode, [this] { return cmb2ScaleCodeExit(); });
    CheckWhenLeft(*txtTokyusu, [this] { return txtTokyusuExit(); });

    for (int i = 0; i < 9; ++i) {
        for (QLineEdit* e : {txt1TKName[i], txtKagen[i], txtKiso[i], txtJyogen[i]})
            track(e, ScalePage);
        for (QLineEdit* e : {txt2Stgosu[i], txt2Salary[i], txt2Cgosu[i], txt2CSalary[i], txt2EndGosu[i], txt2EndSalary[i]})
            track(e, SecondOrderPage);
        for (QLineEdit* e : {txtStGosu[i], txtStSalary[i], txtC1Gosu[i], txtC1Salary[i], txtC2Gosu[i], txtC2Salary[i],
                             txtEndGosu[i], txtEndSalary[i]})
            track(e, ThirdOrderPage);

        CheckWhenLeft(*txtKagen[i], [this, i] { return txtKagenExit(i); });
        CheckWhenLeft(*txtKiso[i], [this, i] { return txtKisoExit(i); });
        CheckWhenLeft(*txtJyogen[i], [this, i] { return txtJyogenExit(i); });
        CheckWhenLeft(*txt2Stgosu[i], [this, i] { return txt2StgosuExit(i); });
        CheckWhenLeft(*txt2Cgosu[i], [this, i] { return txt2CgosuExit(i); });
        CheckWhenLeft(*txt2EndGosu[i], [this, i] { return txt2EndGosuExit(i); });
        CheckWhenLeft(*txtStGosu[i], [this, i] { return txtStGosuExit(i); });
        CheckWhenLeft(*txtC1Gosu[i], [this, i] { return txtC1GosuExit(i); });
        CheckWhenLeft(*txtC2Gosu[i], [this, i] { return txtC2GosuExit(i); });
        CheckWhenLeft(*txtEndGosu[i], [this, i] { return txtEndGosuExit(i); });
        for (QLineEdit* e : {txt2Salary[i], txt2CSalary[i], txt2EndSalary[i], txtStSalary[i], txtC1Salary[i],
                             txtC2Salary[i], txtEndSalary[i]})
            CheckWhenLeft(*e, [this, e] { return AmountExit(*e); });
    }
    track(txt2Kakeritsu, SecondOrderPage);
    track(txt3Kakeritsu, ThirdOrderPage);
    CheckWhenLeft(*txt2Kakeritsu, [this] { return txt2KakeritsuExit(); });
    CheckWhenLeft(*txt3Kakeritsu, [this] { return txt3KakeritsuExit(); });
}

// ---------------------------------------------------------------- opening, reset and loading

void TPX2010::Prepare()
{
    int first = 0;
    FirstSalaryListId(CurrentSession(), first);
    currentId_ = first;
    pageState_ = BasicPage;
    showPage(BasicPage);
    Reset();
    LoadIdList();
    LoadAll();
    clearChanged();
}

void TPX2010::Reset()
{
    cmb2ScaleCode->clear();
    cmb2ScaleCode->setEditText(QString());
    txtTokyusu->setText(QStringLiteral("9"));
    txtTitle->clear();
    cmbScaleCode->clear();
    cmbScaleCode->setEditText(NoneItem);
    idEdited_[0] = idEdited_[1] = false;
    resetScaleRows();
    resetSecondOrderPage();
    resetThirdOrderPage();
}

void TPX2010::resetScaleRows()
{
    for (int i = 0; i < 9; ++i) {
        txt1Tokyu[i]->setText(QString::number(i + 1));
        txt1TKName[i]->clear();
        for (QLineEdit* e : {txtKagen[i], txtKiso[i], txtJyogen[i], txtSplet[i], txtLenji[i]})
            e->setText(QStringLiteral("0"));
    }
}

void TPX2010::resetSecondOrderPage()
{
    txt2TKSuu->setText(QStringLiteral("0"));
    txt2Kakeritsu->setText(QStringLiteral("1.000"));
    for (int i = 0; i < 9; ++i) {
        txt2Tokyu[i]->setText(QString::number(i + 1));
        for (QLineEdit* e : {txt2Stgosu[i], txt2Salary[i], txt2Cgosu[i], txt2CSalary[i], txt2EndGosu[i], txt2EndSalary[i]})
            e->setText(QStringLiteral("0"));
    }
}

void TPX2010::resetThirdOrderPage()
{
    txt3TKSuu->setText(QStringLiteral("0"));
    txt3Kakeritsu->setText(QStringLiteral("1.000"));
    for (int i = 0; i < 9; ++i) {
        txt3Tokyu[i]->setText(QString::number(i + 1));
        for (QLineEdit* e : {txtStGosu[i], txtStSalary[i], txtC1Gosu[i], txtC1Salary[i], txtC2Gosu[i], txtC2Salary[i],
                             txtEndGosu[i], txtEndSalary[i]})
            e->setText(QStringLiteral("0"));
    }
}

void TPX2010::setIdBoxes(const QString& text)
{
    for (QComboBox* c : {cmbScaleCode, cmb2ScaleCode}) {
        c->setCurrentIndex(c->findText(text));
        c->setEditText(text);
    }
}

void TPX2010::LoadIdList()
{
    QList<int> ids;
    LoadSalaryListIds(CurrentSession(), ids);
    for (QComboBox* c : {cmbScaleCode, cmb2ScaleCode}) {
        const QString text = c->currentText();
        c->clear();
        for (int id : ids)
            c->addItem(QString::number(id));
        c->setCurrentIndex(c->findText(text));
        c->setEditText(text);
    }
}

void TPX2010::LoadAll()
{
    loadHeader();
    loadScale();
    loadSecondOrder();
    loadThirdOrder();
}

void TPX2010::loadHeader()
{
    TMCHNGIN_ header;
    bool found = false;
    if (currentId_ != 0)
        LoadSalaryListHeader(CurrentSession(), currentId_, header, found);
    if (!found) {
        opt2Jikyokusen->setChecked(true);
        optAuto->setChecked(true);
        optUnit10->setChecked(true);
        currentId_ = 0;
        return;
    }
    txtTokyusu->setText(QString::number(header.TKSU));
    txtTitle->setText(header.TITLE);
    (header.KSENTAKUF != 0 ? opt3JiKyokusen : opt2Jikyokusen)->setChecked(true);
    (header.UKAKIF != 0 ? optManual : optAuto)->setChecked(true);
    (header.MARUMEF == 1 ? optUnit100 : header.MARUMEF == 2 ? optUnit1000 : optUnit10)->setChecked(true);
    if (header.SKCO != 0)
        setIdBoxes(QString::number(header.SKCO));
}

void TPX2010::loadScale()
{
    resetScaleRows();
    QList<TSCALE_> rows;
    if (currentId_ == 0 || !LoadSalaryScale(CurrentSession(), currentId_, rows))
        return;
    for (int i = 0; i < rows.size() && i < 9; ++i) {
        const TSCALE_& r = rows[i];
        txt1Tokyu[i]->setText(r.TKNO);
        txt1TKName[i]->setText(r.TKNA);
        txtKagen[i]->setText(r.RITSU1);
        txtKiso[i]->setText(amountText(WholeNumberOrZero(r.KKIN)));
        txtJyogen[i]->setText(r.RITSU2);
        txtSplet[i]->setText(FormatFloat(QStringLiteral("#0.00"), DecimalNumberOrZero(r.SPKIN)));
        txtLenji[i]->setText(amountText(WholeNumberOrZero(r.RNKIN)));
    }
}

void TPX2010::loadSecondOrder()
{
    resetSecondOrderPage();
    txt2TKSuu->setText(txtTokyusu->text());
    QList<T2JI_> rows;
    if (currentId_ == 0 || !LoadSecondOrderCurves(CurrentSession(), currentId_, rows))
        return;
    for (int i = 0; i < rows.size() && i < 9; ++i) {
        const T2JI_& r = rows[i];
        txt2Tokyu[i]->setText(QString::number(r.TKNO));
        txt2Stgosu[i]->setText(QString::number(r.SGOUSU));
        txt2Salary[i]->setText(amountText(r.SKIN));
        txt2Cgosu[i]->setText(QString::number(r.C1GOUSU));
        txt2CSalary[i]->setText(amountText(r.C1KIN));
        txt2EndGosu[i]->setText(QString::number(r.EGOUSU));
        txt2EndSalary[i]->setText(amountText(r.EKIN));
    }
    if (!rows.isEmpty())
        txt2Kakeritsu->setText(FormatFloat(QStringLiteral("#,##0.000"), rows.first().KRITSU));
}

void TPX2010::loadThirdOrder()
{
    resetThirdOrderPage();
    txt3TKSuu->setText(txtTokyusu->text());
    QList<T3JI_> rows;
    if (currentId_ == 0 || !LoadThirdOrderCurves(CurrentSession(), currentId_, rows))
        return;
    for (int i = 0; i < rows.size() && i < 9; ++i) {
        const T3JI_& r = rows[i];
        txt3Tokyu[i]->setText(QString::number(r.TKNO));
        txtStGosu[i]->setText(QString::number(r.SGOUSU));
        txtStSalary[i]->setText(amountText(r.SKIN));
        txtC1Gosu[i]->setText(QString::number(r.C1GOUSU));
        txtC1Salary[i]->setText(amountText(r.C1KIN));
        txtC2Gosu[i]->setText(QString::number(r.C2GOUSU));
        txtC2Salary[i]->setText(amountText(r.C2KIN));
        txtEndGosu[i]->setText(QString::number(r.EGOUSU));
        txtEndSalary[i]->setText(amountText(r.EKIN));
    }
    if (!rows.isEmpty())
        txt3Kakeritsu->setText(FormatFloat(QStringLiteral("#,##0.000"), rows.first().KRITSU));
}

// ---------------------------------------------------------------- the screen as a definition

int TPX2010::gradeCountOnScreen() const
{
    long long n = 0;
    if (!ParseWholeNumber(txtTokyusu->text(), n) || n < 1 || n > 9)
        return 1;
    return int(n);
}

SalaryListDefinition TPX2010::DefinitionOnScreen() const
{
    SalaryListDefinition def;
    def.id = currentId_;
    long long count = 0;
    def.gradeCount = ParseWholeNumber(txtTokyusu->text(), count) ? int(count) : 0;
    def.title = txtTitle->text();
    def.curveKind = opt3JiKyokusen->isChecked() ? ThirdOrderCurve : SecondOrderCurve;
    def.overwriteMode = optManual->isChecked() ? TypedAmounts : DerivedAmounts;
    def.roundingCode = optUnit1000->isChecked() ? 2 : optUnit100->isChecked() ? 1 : 0;
    def.factor = DecimalNumberOrZero(def.curveKind == ThirdOrderCurve ? txt3Kakeritsu->text() : txt2Kakeritsu->text());
    for (int i = 0; i < 9; ++i) {
        SalaryGradeDefinition& g = def.grades[i];
        g.scale.name = txt1TKName[i]->text();
        g.scale.lowerPercent = whole(txtKagen[i]);
        g.scale.median = whole(txtKiso[i]);
        g.scale.upperPercent = DecimalNumberOrZero(txtJyogen[i]->text());
        g.second = {CurvePoint{int(whole(txt2Stgosu[i])), whole(txt2Salary[i])},
                    CurvePoint{int(whole(txt2Cgosu[i])), whole(txt2CSalary[i])},
                    CurvePoint{int(whole(txt2EndGosu[i])), whole(txt2EndSalary[i])}};
        g.third = {CurvePoint{int(whole(txtStGosu[i])), whole(txtStSalary[i])},
                   CurvePoint{int(whole(txtC1Gosu[i])), whole(txtC1Salary[i])},
                   CurvePoint{int(whole(txtC2Gosu[i])), whole(txtC2Salary[i])},
                   CurvePoint{int(whole(txtEndGosu[i])), whole(txtEndSalary[i])}};
    }
    return def;
}

// ---------------------------------------------------------------- changes and pages

void TPX2010::markChanged(int page)
{
    changed_[page - 1] = true;
}

void TPX2010::clearChanged()
{
    changed_.fill(false);
}

bool TPX2010::IsChanged() const
{
    for (bool c : changed_)
        if (c)
            return true;
    return false;
}

void TPX2010::showPage(int state)
{
    switchingPage_ = true;
    PageControl1->setCurrentIndex(state - 1);
    switchingPage_ = false;
}

void TPX2010::PageControl1Change()
{
    if (switchingPage_)
        return;
    const int page = PageControl1->currentIndex() + 1;
    if (page == pageState_)
        return;
    if (IsChanged()) {
        showPage(pageState_);
        Dialogs().information(QString(), changedText + QStringLiteral("登録ボタンを押し、データを更新して下さい。"));
        return;
    }
    if (page == SecondOrderPage) {
        loadSecondOrder();
        deriveAmounts(SecondOrderPage);
    } else if (page == ThirdOrderPage) {
        loadThirdOrder();
        deriveAmounts(ThirdOrderPage);
    }
    PageCheck();
    clearChanged();
}

void TPX2010::deriveAmounts(int page)
{
    if (!optAuto->isChecked())
        return;
    const int n = gradeCountOnScreen();
    for (int i = 0; i < n; ++i) {
        const DerivedCurveAmounts d = DeriveCurveAmounts(double(whole(txtKagen[i])), double(whole(txtKiso[i])),
                                                         DecimalNumberOrZero(txtJyogen[i]->text()));
        if (page == SecondOrderPage) {
            txt2Salary[i]->setText(amountText(d.start));
            txt2CSalary[i]->setText(amountText(d.middle));
            txt2EndSalary[i]->setText(amountText(d.end));
        } else {
            txtStSalary[i]->setText(amountText(d.start));
            txtC1Salary[i]->setText(amountText(d.middle));
            txtEndSalary[i]->setText(amountText(d.end));
        }
    }
}

void TPX2010::PageCheck()
{
    const int page = PageControl1->currentIndex() + 1;
    if (page == SecondOrderPage && opt3JiKyokusen->isChecked()) {
        showPage(pageState_);
        Dialogs().information(QString(), QStringLiteral("曲線の選択　は、３次曲線　が選択されています。"));
        return;
    }
    if (page == ThirdOrderPage && opt2Jikyokusen->isChecked()) {
        showPage(pageState_);
        Dialogs().information(QString(), QStringLiteral("曲線の選択　は、２次曲線　が選択されています。"));
        return;
    }
    pageState_ = page;
    if (page != BasicPage) {
        ColourRows();
        if (page == SecondOrderPage)
            txt2TKSuu->setText(txtTokyusu->text());
        else if (page == ThirdOrderPage)
            txt3TKSuu->setText(txtTokyusu->text());
    }
}

void TPX2010::ColourRows()
{
    const int n = gradeCountOnScreen();
    const bool automatic = optAuto->isChecked();
    for (int i = 0; i < 9; ++i) {
        const bool used = i < n;
        const QList<QLineEdit*> gradeNumbers = {txt1Tokyu[i], txt2Tokyu[i], txt3Tokyu[i]};
        const QList<QLineEdit*> results = {txtSplet[i], txtLenji[i]};
        const QList<QLineEdit*> editable = {txt1TKName[i], txtKagen[i],   txtKiso[i],     txtJyogen[i],
                                            txt2Stgosu[i], txt2Cgosu[i],  txt2EndGosu[i], txtStGosu[i],
                                            txtC1Gosu[i],  txtC2Gosu[i],  txtC2Salary[i], txtEndGosu[i]};
        const QList<QLineEdit*> derived = {txt2Salary[i],  txt2CSalary[i], txt2EndSalary[i],
                                           txtStSalary[i], txtC1Salary[i], txtEndSalary[i]};
        for (QLineEdit* e : gradeNumbers + results + editable + derived) {
            e->setEnabled(used);
            if (!used)
                paint(e, UnusedRowColour());
        }
        if (!used)
            continue;
        for (QLineEdit* e : gradeNumbers)
            paint(e, GradeNumberColour());
        for (QLineEdit* e : results)
            paint(e, ResultColour());
        for (QLineEdit* e : editable)
            paint(e, EditableColour());
        for (QLineEdit* e : derived) {
            paint(e, automatic ? ResultColour() : EditableColour());
            e->setReadOnly(automatic);
            e->setFocusPolicy(automatic ? Qt::ClickFocus : Qt::StrongFocus);
        }
    }
}

bool TPX2010::mayLeaveChanges(const QString& noMeans)
{
    if (!IsChanged())
        return true;
    if (Dialogs().yesNo(confirmCaption, changedText + QStringLiteral("\r【はい】:戻ります。\r【いいえ】:") + noMeans)) {
        PageCheck();
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- buttons

void TPX2010::btnAddClick()
{
    SalaryListDefinition def = DefinitionOnScreen();
    const QString problem = ValidateSalaryList(def);
    if (!problem.isEmpty()) {
        Dialogs().information(confirmCaption, problem);
        return;
    }
    {
        BusyCursor busy;
        const Outcome saved = SaveSalaryList(CurrentSession(), def);
        if (!saved.ok) {
            ShowOutcome(saved);
            return;   // the edits stay on the screen to be corrected or saved again
        }
        Reset();
        LoadIdList();
        LoadAll();
    }
    PageCheck();
    clearChanged();
}

void TPX2010::btnCancelClick()
{
    Reset();
    LoadIdList();
    LoadAll();
    PageCheck();
    clearChanged();
}

void TPX2010::btnCloseClick()
{
    if (!mayLeaveChanges(QStringLiteral("画面を閉じます。")))
        return;
    baseAmounts_->close();
    done(QDialog::Accepted);
}

void TPX2010::closeEvent(QCloseEvent* event)
{
    if (!mayLeaveChanges(QStringLiteral("画面を閉じます。"))) {
        event->ignore();
        return;
    }
    baseAmounts_->close();
    event->accept();
    done(QDialog::Accepted);
}

void TPX2010::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        btnCancelClick();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

int TPX2010::chosenTableId()
{
    const int id = CodeOf(cmbScaleCode->currentText());
    if (id == 0)
        Dialogs().information(confirmCaption, QStringLiteral("スケールコードを選択して下さい。"));
    return id;
}

void TPX2010::btnCSVClick(SheetFileKind kind)
{
    if (!mayLeaveChanges(QStringLiteral("続行します。")))
        return;
    const int id = chosenTableId();
    if (id == 0)
        return;
    if (!Dialogs().yesNo(AppTitle, ExportQuestion(QStringLiteral("賃金表"), App().ExeFolder, kind)))
        return;
    ShowOutcome(ExportSalaryListCsv(CurrentSession(), id, txtTitle->text(), QString(), nullptr, UserTableFileFormat(kind)));
}

void TPX2010::btnSalaryListClick()
{
    if (!mayLeaveChanges(QStringLiteral("続行します。")))
        return;
    const int id = chosenTableId();
    if (id == 0)
        return;
    ReportDocument doc;
    const Outcome laidOut = SalaryListDocument(CurrentSession(), id, txtTitle->text(), doc);
    if (laidOut.ok)
        ComposeAndPreview(doc);
    else
        ShowOutcome(laidOut);
}

void TPX2010::btnKijungakuClick()
{
    const QString text = cmb2ScaleCode->currentText().trimmed();
    bool isNumber = false;
    const int id = CodeTextOf(text).toInt(&isNumber);
    if (text.isEmpty() || !isNumber) {
        Dialogs().information(confirmCaption, QStringLiteral("賃金表IDを入力して下さい。"));
        return;
    }
    QStringList names;
    for (const QString& name : Project().CurrentCompany.TK)
        names << name;
    baseAmounts_->ShowAmounts(names, {});
    std::array<long long, 9> totals{};
    if (!BaseAmountTotals(CurrentSession(), id, totals))
        return;
    baseAmounts_->ShowAmounts(names, totals);
    if (!baseAmounts_->isVisible())
        baseAmounts_->move(frameGeometry().topRight() + QPoint(4, 0));
    baseAmounts_->show();
    baseAmounts_->raise();
}

// ---------------------------------------------------------------- field checks

bool TPX2010::cmbScaleCodeExit()
{
    if (!idEdited_[0])
        return true;
    int code = 0;
    if (!CheckCodeList(*cmbScaleCode, true, false, true, &code))
        return false;
    idEdited_[0] = false;
    const bool listed = cmbScaleCode->findText(QString::number(code)) >= 0;
    currentId_ = code;
    setIdBoxes(QString::number(code));
    if (listed) {
        loadHeader();
        loadScale();
    }
    clearChanged();
    return true;
}

bool TPX2010::cmb2ScaleCodeExit()
{
    if (!idEdited_[1])
        return true;
    int code = 0;
    if (!CheckCodeList(*cmb2ScaleCode, true, false, true, &code))
        return false;
    idEdited_[1] = false;
    currentId_ = code;
    setIdBoxes(QString::number(code));
    loadHeader();
    resetScaleRows();
    ColourRows();
    loadScale();
    clearChanged();
    return true;
}

bool TPX2010::txtTokyusuExit()
{
    long long n = 0;
    if (!ParseWholeNumber(txtTokyusu->text(), n)) {
        Dialogs().information(QString(), QStringLiteral("数値を入力してください。"));
        return false;
    }
    if (n < 1 || n > 9) {
        Dialogs().information(QString(), QStringLiteral("入力範囲外です。1 ～ 9 の値を入力して下さい。"));
        return false;
    }
    return true;
}

void TPX2010::updateScaleRow(int tag)
{
    const ScaleRowResult r = UpdateScaleRow(double(whole(txtKagen[tag])), double(whole(txtKiso[tag])),
                                            DecimalNumberOrZero(txtJyogen[tag]->text()));
    txtSplet[tag]->setText(r.spreadText);
    txtLenji[tag]->setText(r.rangeText);
}

bool TPX2010::txtKagenExit(int tag)
{
    if (!CheckIntegerField(*txtKagen[tag], 6, 0, 0))
        return false;
    updateScaleRow(tag);
    return true;
}

bool TPX2010::txtKisoExit(int tag)
{
    if (!CheckIntegerField(*txtKiso[tag], 7, 0, 0, QStringLiteral("#,##0")))
        return false;
    updateScaleRow(tag);
    return true;
}

bool TPX2010::txtJyogenExit(int tag)
{
    if (!CheckRealField(*txtJyogen[tag], 6))
        return false;
    updateScaleRow(tag);
    return true;
}

// Steps are checked against -10..80; three characters so that -10 can be typed.
bool TPX2010::txt2StgosuExit(int tag)
{
    return CheckIntegerField(*txt2Stgosu[tag], 3, HighestAllowedStep, LowestAllowedStep, QStringLiteral("#,##0"));
}

bool TPX2010::txt2CgosuExit(int tag)
{
    return CheckIntegerField(*txt2Cgosu[tag], 3, HighestAllowedStep, LowestAllowedStep, QStringLiteral("0"));
}

bool TPX2010::txt2EndGosuExit(int tag)
{
    return CheckIntegerField(*txt2EndGosu[tag], 3, HighestAllowedStep, LowestAllowedStep, QStringLiteral("##0"));
}

bool TPX2010::txtStGosuExit(int tag)
{
    return CheckIntegerField(*txtStGosu[tag], 3, HighestAllowedStep, LowestAllowedStep);
}

bool TPX2010::txtC1GosuExit(int tag)
{
    return CheckIntegerField(*txtC1Gosu[tag], 3, HighestAllowedStep, LowestAllowedStep);
}

bool TPX2010::txtC2GosuExit(int tag)
{
    return CheckIntegerField(*txtC2Gosu[tag], 3, HighestAllowedStep, LowestAllowedStep);
}

bool TPX2010::txtEndGosuExit(int tag)
{
    return CheckIntegerField(*txtEndGosu[tag], 3, HighestAllowedStep, LowestAllowedStep);
}

bool TPX2010::AmountExit(QLineEdit& field)
{
    return CheckIntegerField(field, 7, 0, 0, QStringLiteral("#,##0"));
}

bool TPX2010::txt2KakeritsuExit()
{
    return CheckRealField(*txt2Kakeritsu, 8, QStringLiteral("#,##0.000"));
}

bool TPX2010::txt3KakeritsuExit()
{
    return CheckRealField(*txt3Kakeritsu, 8, QStringLiteral("#,##0.000"));
}
