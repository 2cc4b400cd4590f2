// TPX0030: employee register (社員データ), one employee at a time over the list of the project.
#include "employees/screens/TPX0030.h"

#include "employees/EmployeeList.h"
#include "shell/screens/AppState.h"
#include "core/CodeLists.h"
#include "core/Numbers.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/StringGrid.h"
#include "shell/screens/DialogService.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>

#include <algorithm>

namespace {

const QString AmountFormat = QStringLiteral("#,##0");
const QString RaiseFormat = QStringLiteral("##,##0");
const QString RateFormat = QStringLiteral("#,##0.000");
const QColor SkyBlue(0xA6, 0xCA, 0xF0);   // clSkyBlue

const QString DirtyHead = QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r");

// The mark list's item of plot mark n of the open project, '' when n is not 1..9.
QString markItem(int n)
{
    if (n < 1 || n > 9)
        return {};
    const TMMARK& m = Project().Marks[n - 1];
    return MarkItemText(n, m.MARK, m.HANREI);
}

QLabel* makeLabel(QWidget* parent, const QString& text, int x, int y, int w, bool yellow = false)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(x, y, w, 22);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (yellow) {
        l->setAutoFillBackground(true);
        QPalette p = l->palette();
        p.setColor(QPalette::Window, Qt::yellow);
        l->setPalette(p);
        l->setIndent(4);
    }
    return l;
}

QLineEdit* makeEdit(QWidget* parent, const QString& name, int x, int y, int w, bool right = false)
{
    QLineEdit* e = right ? static_cast<QLineEdit*>(new TRightEdit(parent)) : new QLineEdit(parent);
    e->setObjectName(name);
    e->setGeometry(x, y, w, 22);
    return e;
}

QLineEdit* makeShown(QWidget* parent, const QString& name, int x, int y, int w, bool right = true)
{
    QLineEdit* e = makeEdit(parent, name, x, y, w, right);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    return e;
}

QComboBox* makeCombo(QWidget* parent, const QString& name, int x, int y, int w, bool editable)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setGeometry(x, y, w, 22);
    c->setEditable(editable);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setMaxVisibleItems(12);
    return c;
}

void setBase(QLineEdit* e, const QColor& colour)
{
    QPalette p = e->palette();
    p.setColor(QPalette::Base, colour);
    e->setPalette(p);
}

// Shows a text in a list: its item when it has one, otherwise (editable lists) the text.
void showInList(QComboBox* c, const QString& text)
{
    ShowListText(*c, text);
}

// Selects the item of a code in a drop-down list, or nothing.
void selectCode(QComboBox* c, int code)
{
    if (SelectItemByCode(*c, QString::number(code)) < 0)
        c->setCurrentIndex(-1);
}

int codeOfList(const QComboBox* c)
{
    return SelectedItemCode(*c);
}

QString amountText(long long v)
{
    return FormatFloat(AmountFormat, double(v));
}

} // namespace

// ---------------------------------------------------------------- construction

TPX0030::TPX0030(QWidget* parent) : QDialog(parent)
{
    SetupFixedForm(*this, QStringLiteral("TPX0030"), QStringLiteral("社員データ"), 1000, 740);
    setWindowFlag(Qt::WindowStaysOnTopHint, true);

    buildTop();
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(10, 44, 980, 445);
    const char* titles[4] = {"基本情報", "賃金情報", "賃金情報２", "マトリクス"};
    QWidget* pages[4];
    for (int i = 0; i < 4; ++i) {
        pages[i] = new QWidget;
        pages[i]->setObjectName(QStringLiteral("TabSheet%1").arg(i + 1));
        PageControl1->addTab(pages[i], QString::fromUtf8(titles[i]));
    }
    buildBasicTab(pages[0]);
    buildWageTab(pages[1]);
    buildWage2Tab(pages[2]);
    buildMatrixTab(pages[3]);
    PageControl1->setTabVisible(3, false);
    buildBottom();
    installFieldRules();
    InstallEnterMovesFocus(*this);
}

void TPX0030::buildTop()
{
    makeLabel(this, QStringLiteral("社員コード"), 12, 12, 70);
    cmbWorker = makeCombo(this, QStringLiteral("cmbWorker"), 85, 12, 120, true);
    cmbWorker->lineEdit()->setMaxLength(10);
    txtWorker = makeShown(this, QStringLiteral("txtWorker"), 210, 12, 200, false);
    txtCureentNo = makeShown(this, QStringLiteral("txtCureentNo"), 560, 12, 50);
    makeLabel(this, QStringLiteral("/"), 614, 12, 10);
    txtLastNo = makeShown(this, QStringLiteral("txtLastNo"), 626, 12, 50);
    const QStyle::StandardPixmap icons[4] = {QStyle::SP_MediaSkipBackward, QStyle::SP_MediaSeekBackward,
                                             QStyle::SP_MediaSeekForward, QStyle::SP_MediaSkipForward};
    const char* names[4] = {"btnFirst", "btnBack", "btnNext", "btnLast"};
    QPushButton** buttons[4] = {&btnFirst, &btnBack, &btnNext, &btnLast};
    for (int i = 0; i < 4; ++i) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(names[i]));
        b->setIcon(style()->standardIcon(icons[i]));
        b->setGeometry(690 + i * 38, 10, 36, 26);
        *buttons[i] = b;
    }
    connect(btnFirst, &QPushButton::clicked, this, [this] { btnFirstClick(); });
    connect(btnBack, &QPushButton::clicked, this, [this] { btnBackClick(); });
    connect(btnNext, &QPushButton::clicked, this, [this] { btnNextClick(); });
    connect(btnLast, &QPushButton::clicked, this, [this] { btnLastClick(); });
}

TPX0030::DateWidgets TPX0030::makeDate(QWidget* page, const QString& prefix, int x, int y)
{
    DateWidgets d;
    d.era = makeCombo(page, "cmb" + prefix + "Nengou", x, y, 62, true);
    d.yy = makeEdit(page, "txt" + prefix + "yy", x, y, 30, true);
    d.mm = makeEdit(page, "txt" + prefix + "mm", x, y, 30, true);
    d.dd = makeEdit(page, "txt" + prefix + "dd", x, y, 30, true);
    d.yy->setMaxLength(2);
    d.mm->setMaxLength(2);
    d.dd->setMaxLength(2);
    for (const char* unit : {"年", "月", "日"}) {
        auto* l = new QLabel(QString::fromUtf8(unit), page);
        l->setObjectName("lab" + prefix + QString::fromUtf8(unit));
    }
    placeDate(d, x, y, true);
    return d;
}

void TPX0030::placeDate(const DateWidgets& d, int x, int y, bool withEra)
{
    d.era->setVisible(withEra);
    int at = withEra ? x + 66 : x;
    QWidget* page = d.yy->parentWidget();
    const QString prefix = d.yy->objectName().mid(3, 3);
    QLineEdit* fields[3] = {d.yy, d.mm, d.dd};
    const char* units[3] = {"年", "月", "日"};
    for (int i = 0; i < 3; ++i) {
        fields[i]->setGeometry(at, y, 30, 22);
        if (auto* l = page->findChild<QLabel*>("lab" + prefix + QString::fromUtf8(units[i])))
            l->setGeometry(at + 32, y, 16, 22);
        at += 50;
    }
}

void TPX0030::buildBasicTab(QWidget* page)
{
    const int lx = 10, fx = 100, mx = 360, mfx = 450;
    auto row = [](int i) { return 12 + 31 * i; };

    makeLabel(page, QStringLiteral("社員番号"), lx, row(0), 84, true);
    txtWorkerNo = makeEdit(page, QStringLiteral("txtWorkerNo"), fx, row(0), 130);
    makeLabel(page, QStringLiteral("氏　　名"), lx, row(1), 84, true);
    txtWorkName = makeEdit(page, QStringLiteral("txtWorkName"), fx, row(1), 220);
    makeLabel(page, QStringLiteral("性　　別"), lx, row(2), 84);
    OptSex1 = new QRadioButton(QStringLiteral("男"), page);
    OptSex1->setObjectName(QStringLiteral("OptSex1"));
    OptSex1->setGeometry(fx, row(2), 50, 22);
    OptSex2 = new QRadioButton(QStringLiteral("女"), page);
    OptSex2->setObjectName(QStringLiteral("OptSex2"));
    OptSex2->setGeometry(fx + 60, row(2), 50, 22);
    makeLabel(page, QStringLiteral("生年月日"), lx, row(3), 84, true);
    sei = makeDate(page, QStringLiteral("Sei"), fx, row(3));
    makeLabel(page, QStringLiteral("入社年月日"), lx, row(4), 84, true);
    nyu = makeDate(page, QStringLiteral("Nyu"), fx, row(4));
    makeLabel(page, QStringLiteral("役　　職"), lx, row(5), 84);
    txtYakusyoku = makeEdit(page, QStringLiteral("txtYakusyoku"), fx, row(5), 220);
    makeLabel(page, QStringLiteral("就労形態"), lx, row(6), 84, true);
    cmbMibun = makeCombo(page, QStringLiteral("cmbMibun"), fx, row(6), 220, false);
    makeLabel(page, QStringLiteral("学　　歴"), lx, row(7), 84);
    txtGakureki = makeEdit(page, QStringLiteral("txtGakureki"), fx, row(7), 240);
    makeLabel(page, QStringLiteral("専　　攻"), lx, row(8), 84);
    txtSenkou = makeEdit(page, QStringLiteral("txtSenkou"), fx, row(8), 240);
    makeLabel(page, QStringLiteral("公的資格"), lx, row(9), 84);
    txtKSikaku = makeEdit(page, QStringLiteral("txtKSikaku"), fx, row(9), 240);
    makeLabel(page, QStringLiteral("職務配置"), lx, row(10), 84);
    txtHaizoku = makeEdit(page, QStringLiteral("txtHaizoku"), fx, row(10), 240);

    makeLabel(page, QStringLiteral("登用年月日"), mx, row(0), 84, true);
    tou = makeDate(page, QStringLiteral("Tou"), mfx, row(0));
    makeLabel(page, QStringLiteral("資格等級"), mx, row(1), 84, true);
    cmbSikaku = makeCombo(page, QStringLiteral("cmbSikaku"), mfx, row(1), 200, true);
    makeLabel(page, QStringLiteral("号　　　俸"), mx, row(2), 84, true);
    txtGouhou = makeEdit(page, QStringLiteral("txtGouhou"), mfx, row(2), 50, true);
    txtGouhou->setMaxLength(2);
    makeLabel(page, QStringLiteral("達成率"), mx, row(3), 84, true);
    txtTasseiRitsu = makeEdit(page, QStringLiteral("txtTasseiRitsu"), mfx, row(3), 60, true);
    txtTasseiRitsu->setMaxLength(4);
    makeLabel(page, QStringLiteral("評価　本年"), mx, row(4), 84, true);
    cmbHyouka1 = makeCombo(page, QStringLiteral("cmbHyouka1"), mfx, row(4), 140, true);
    const char* ago[3] = {"評価　１年前", "評価　２年前", "評価　３年前"};
    for (int i = 0; i < 3; ++i) {
        makeLabel(page, QString::fromUtf8(ago[i]), mx, row(5 + i), 84);
        txtHyouka[i] = makeEdit(page, QStringLiteral("txtHyouka%1").arg(i + 2), mfx, row(5 + i), 140);
    }
    makeLabel(page, QStringLiteral("経験年数"), mx, row(8), 84, true);
    txtKeikenNen = makeEdit(page, QStringLiteral("txtKeikenNen"), mfx, row(8), 50, true);
    txtKeikenNen->setMaxLength(2);
    makeLabel(page, QStringLiteral("職務点数"), mx, row(9), 84, true);
    txtSyokumuTensu = makeEdit(page, QStringLiteral("txtSyokumuTensu"), mfx, row(9), 60, true);
    txtSyokumuTensu->setMaxLength(4);
    makeLabel(page, QStringLiteral("マーク"), mx, row(10), 84, true);
    cmbMark = makeCombo(page, QStringLiteral("cmbMark"), mfx, row(10), 220, true);

    makeLabel(page, QStringLiteral("写　　真"), 720, row(0), 80);
    Image1 = new QLabel(page);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(720, row(1), 210, 260);
    Image1->setFrameShape(QFrame::Box);
    Image1->setAlignment(Qt::AlignCenter);
    btnPicter = new QPushButton(QStringLiteral("読　込"), page);
    btnPicter->setObjectName(QStringLiteral("btnPicter"));
    btnPicter->setGeometry(720, row(1) + 268, 90, 28);
    connect(btnPicter, &QPushButton::clicked, this, [this] { btnPicterClick(); });

    SetShiftJisLimit(*txtWorkerNo, 10);
    SetShiftJisLimit(*txtWorkName, 20);
    SetShiftJisLimit(*txtYakusyoku, 20);
    for (QLineEdit* e : {txtGakureki, txtSenkou, txtKSikaku, txtHaizoku})
        SetShiftJisLimit(*e, 30);
    for (QLineEdit* e : txtHyouka)
        SetShiftJisLimit(*e, 10);

    connect(OptSex1, &QRadioButton::clicked, this, [this] { setDirty(); });
    connect(OptSex2, &QRadioButton::clicked, this, [this] { setDirty(); });
    connect(cmbMibun, &QComboBox::activated, this, [this] { cmbMibunChange(); });
}

void TPX0030::buildWageTab(QWidget* page)
{
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
    connect(cmbChingin, &QComboBox::activated, this, [this] { cmbChinginChange(); });
}

void TPX0030::buildWage2Tab(QWidget* page)
{
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
}

void TPX0030::buildMatrixTab(QWidget* page)
{
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
    connect(cmbBand, &QComboBox::activated, this, [this] { setDirty(); });
    connect(cmbYHyouka, &QComboBox::activated, this, [this] { setDirty(); });
}

void TPX0030::buildBottom()
{
    Grid = new TStringGrid(this);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->setGeometry(10, 498, 672, 232);
    connect(Grid, &TStringGrid::gridClicked, this, [this](int c, int r) {
        GridSelectCell(c, r);
        GridClick(c, r);
    });

    auto* group = new QGroupBox(QStringLiteral("等級"), this);
    group->setObjectName(QStringLiteral("GroupBox4"));
    group->setGeometry(692, 494, 298, 98);
    for (int g = 0; g <= 9; ++g) {
        const QString text = g == 0 ? QStringLiteral("全て") : QStringLiteral("１２３４５６７８９").mid(g - 1, 1) + QStringLiteral("等級");
        auto* r = new QRadioButton(text, group);
        r->setObjectName(g == 0 ? QStringLiteral("optTokyuAll") : QStringLiteral("optTokyu%1").arg(g));
        r->setGeometry(10 + (g % 4) * 71, 20 + (g / 4) * 24, 70, 22);
        optTokyu[g] = r;
        connect(r, &QRadioButton::clicked, this, [this, g] { optTokyuClick(g); });
    }
    optTokyu[0]->setChecked(true);

    auto button = [this](const QString& name, const QString& text, int x, int y) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setGeometry(x, y, 92, 32);
        return b;
    };
    btnAdd = button(QStringLiteral("btnAdd"), QStringLiteral("登録"), 692, 612);
    btnMnt = button(QStringLiteral("btnMnt"), QStringLiteral("修正"), 795, 612);
    btnDlt = button(QStringLiteral("btnDlt"), QStringLiteral("削除"), 898, 612);
    btnCancel = button(QStringLiteral("btnCancel"), QStringLiteral("ｷｬﾝｾﾙ"), 795, 660);
    btnClose = button(QStringLiteral("btnClose"), QStringLiteral("閉じる"), 898, 660);
    for (QPushButton* b : {btnAdd, btnMnt, btnDlt, btnCancel, btnClose})
        b->setAutoDefault(false);
    connect(btnAdd, &QPushButton::clicked, this, [this] { btnAddClick(); });
    connect(btnMnt, &QPushButton::clicked, this, [this] { btnMntClick(); });
    connect(btnDlt, &QPushButton::clicked, this, [this] { btnDltClick(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
    connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
}

// The checks run when a field is left, the refreshes they trigger, and the dirty flag.
void TPX0030::installFieldRules()
{
    auto add = [this](QWidget* field, std::function<bool()> check) {
        checks_.append({field, check});
        CheckWhenLeft(*field, [this, field] { return FieldExit(field); });
    };
    auto number = [](QLineEdit* f, int length, long long max, long long min, const QString& format = QString()) {
        return [f, length, max, min, format] { return CheckIntegerField(*f, length, max, min, format); };
    };
    auto refreshing = [this](std::function<bool()> check) {
        return [this, check] {
            if (!check())
                return false;
            refreshTotals();
            return true;
        };
    };

    add(cmbWorker, [this] { return cmbWorkerExit(); });
    for (const DateWidgets* d : {&sei, &nyu, &tou}) {
        // Month and day 0 stand for "no date", so they pass as well as 1..12 and 1..31.
        add(d->yy, number(d->yy, 2, 99, 0));
        add(d->mm, number(d->mm, 2, 12, 0));
        add(d->dd, number(d->dd, 2, 31, 0));
    }
    add(cmbSikaku, [this] { return cmbSikakuExit(); });
    add(txtGouhou, [this] { return txtGouhouExit(); });
    add(txtTasseiRitsu, number(txtTasseiRitsu, 4, 0, 0));
    add(cmbHyouka1, [this] { return cmbHyouka1Exit(); });
    add(txtKeikenNen, number(txtKeikenNen, 2, 0, 0));
    add(txtSyokumuTensu, number(txtSyokumuTensu, 4, 0, 0));
    add(cmbMark, [this] { return cmbMarkExit(); });
    for (int i = 0; i < 3; ++i)
        add(txtKihon[i], refreshing(number(txtKihon[i], 8, 0, 0, AmountFormat)));
    for (int i = 0; i < 3; ++i)
        add(txtAFKihon[i], refreshing(number(txtAFKihon[i], 8, 0, 0, AmountFormat)));
    for (int i = 0; i < 5; ++i)
        add(txtTeate[i], refreshing(number(txtTeate[i], 8, 0, 0, AmountFormat)));
    for (int i = 0; i < 5; ++i)
        add(txtAFTeate[i], refreshing(number(txtAFTeate[i], 8, 0, 0, AmountFormat)));
    add(txtBonus1, refreshing(number(txtBonus1, 8, 0, 0, AmountFormat)));
    add(txtBonus2, refreshing(number(txtBonus2, 8, 0, 0, AmountFormat)));
    add(txtTaisyokuKin, [this] { return CheckRealField(*txtTaisyokuKin, 10, RateFormat); });
    for (int i = 0; i < 3; ++i)
        add(txtUPKin[i], refreshing(number(txtUPKin[i], 8, 0, 0, RaiseFormat)));

    // Every edit by the user marks the employee changed.
    for (QLineEdit* e : findChildren<QLineEdit*>()) {
        if (e->isReadOnly())
            continue;
        if (qobject_cast<QComboBox*>(e->parentWidget()) == cmbWorker)
            continue;
        connect(e, &QLineEdit::textEdited, this, [this] { setDirty(); });
    }
    for (QComboBox* c : {cmbSikaku, cmbHyouka1, cmbMark})
        connect(c, &QComboBox::activated, this, [this] { setDirty(); });
}

bool TPX0030::FieldExit(QWidget* field)
{
    for (const auto& c : checks_)
        if (c.first == field)
            return c.second();
    return true;
}

// ---------------------------------------------------------------- opening

void TPX0030::Prepare()
{
    BusyCursor busy;
    const TMKIGYOU2& c = Project().CurrentCompany;
    const QVariantList project{c.KCO.toLongLong(), c.NENDO.toLongLong()};
    FillListFromQuery(*cmbBand,
                      QStringLiteral("SELECT BANDID || ' : ' || BANDNAME AS COMBNAME FROM BANDM WHERE KCO = ? AND "
                                     "NENDO = ? ORDER BY BANDID"),
                      false, project);
    FillListFromQuery(*cmbYHyouka,
                      QStringLiteral("SELECT HCO || ' : ' || HKIGOU AS COMBNAME FROM YHYOUKA WHERE KCO = ? AND "
                                     "NENDO = ? ORDER BY HCO"),
                      false, project);
    FillListFromQuery(*cmbMibun,
                      QStringLiteral("SELECT SALARYID || ' : ' || SALARYNAME AS COMBNAME FROM SALARYNAME WHERE KCO = ? "
                                     "AND NENDO = ? ORDER BY SALARYID"),
                      false, project);
    FillListFromQuery(*cmbChingin,
                      QStringLiteral("SELECT CGCO || ' : ' || TITLE AS COMBNAME FROM MCHINGIN WHERE KCO = ? AND "
                                     "NENDO = ? ORDER BY CGCO"),
                      true, project);
    // The tables, forms and marks are read afresh, and the open project takes the marks
    // and role evaluations just read.
    Session session = CurrentSession();
    tables_ = LoadMatrixTables(session);
    forms_ = LoadEmploymentForms(session);
    LoadMarks(session);
    session.project.EvaluationSymbols = tables_.roles;
    AdoptSession(session);

    FillGradeList(*cmbSikaku);
    cmbMark->clear();
    for (int n = 1; n <= 9; ++n)
        cmbMark->addItem(markItem(n));
    fillEraLists();
    const bool eraMode = App().CalendarMode != 0;
    placeDate(sei, 100, 12 + 31 * 3, eraMode);
    placeDate(nyu, 100, 12 + 31 * 4, eraMode);
    placeDate(tou, 450, 12, eraMode);
    fillEvaluationList(0, QString());

    PageControl1->setCurrentIndex(0);
    setupGrid();
    btnAdd->setEnabled(true);
    btnMnt->setEnabled(true);
    btnDlt->setEnabled(true);
    closing_ = false;
    clearScreen();
    gradeFilter_ = 0;
    optTokyu[0]->setChecked(true);
    position_ = 0;
    loadList();
    position_ = list_.items.isEmpty() ? 0 : 1;
    GridClick(1, 1);
    dirty_ = false;
}

void TPX0030::fillEraLists()
{
    QStringList eras;
    for (const QString& e : App().EraNames)
        if (!e.isEmpty())
            eras << e;
    if (eras.isEmpty())
        eras << QStringLiteral("未設定");
    for (const DateWidgets* d : {&sei, &nyu, &tou}) {
        d->era->clear();
        d->era->addItems(eras);
        d->era->setEditText(QStringLiteral(" "));
    }
}

void TPX0030::fillEvaluationList(int wageTable, const QString& keepCode)
{
    FillEvaluationList(*cmbHyouka1, wageTable);
    if (keepCode.isEmpty() || SelectItemByCode(*cmbHyouka1, keepCode) < 0)
        cmbHyouka1->setEditText(NoneItem);
}

void TPX0030::setupGrid()
{
    Grid->setColCount(11);
    Grid->setRowCountKeeping(2);
    Grid->setFixedRows(1);
    Grid->setFixedCols(1);
    const int widths[11] = {30, 60, 60, 110, 50, 50, 70, 70, 70, 60, 60};
    const char* headings[11] = {"", "社員ｺｰﾄﾞ", "社員番号", "氏　　名", "年　齢", "勤　続",
                                "役　職", "本年評価", "資格等級", "号　俸", "ゾーン"};
    for (int c = 0; c < 11; ++c) {
        Grid->setColWidth(c, widths[c]);
        Grid->setCell(c, 0, QString::fromUtf8(headings[c]));
        Grid->setColumnAlignment(c, Qt::AlignCenter);
    }
    Grid->setColumnHidden(10, true);
}

// ---------------------------------------------------------------- clearing and the list

void TPX0030::clearScreen()
{
    current_ = TSyain_();
    shown_ = false;
    cmbWorker->setEditText(QString());
    txtWorker->clear();
    for (QLineEdit* e : {txtWorkerNo, txtWorkName, txtYakusyoku, txtGakureki, txtSenkou, txtKSikaku, txtHaizoku,
                         txtHyouka[0], txtHyouka[1], txtHyouka[2]})
        e->clear();
    OptSex1->setChecked(true);
    cmbMibun->setCurrentIndex(-1);
    setPayLabels(0);
    cmbSikaku->setEditText(NoneItem);
    cmbMark->setEditText(NoneItem);
    cmbChingin->setCurrentIndex(cmbChingin->count() > 0 ? 0 : -1);
    fillEvaluationList(0, QString());
    for (const DateWidgets* d : {&sei, &nyu, &tou}) {
        d->era->setEditText(QStringLiteral(" "));
        d->yy->setText(QStringLiteral("0"));
        d->mm->setText(QStringLiteral("0"));
        d->dd->setText(QStringLiteral("0"));
    }
    for (QLineEdit* e : {txtGouhou, txtTasseiRitsu, txtKeikenNen, txtSyokumuTensu})
        e->setText(QStringLiteral("0"));
    for (int i = 0; i < 3; ++i) {
        txtKihon[i]->setText(QStringLiteral("0"));
        txtAFKihon[i]->setText(QStringLiteral("0"));
        txtUPKin[i]->setText(QStringLiteral("0"));
    }
    for (int i = 0; i < 5; ++i) {
        txtTeate[i]->setText(QStringLiteral("0"));
        txtAFTeate[i]->setText(QStringLiteral("0"));
    }
    txtBonus1->setText(QStringLiteral("0"));
    txtBonus2->setText(QStringLiteral("0"));
    txtTaisyokuKin->setText(QStringLiteral("0.000"));
    txtJikankyu->setText(QStringLiteral("0"));
    labFitNo->clear();
    txtFitKin->clear();
    txtZansa->clear();
    txtWariai->clear();
    pictureName_.clear();
    Image1->clear();
    link_ = 0;
    Project().CurrentCompany.FRSTKYU = 0;
    Project().CurrentCompany.FRSTKYUM = 0;
    for (QRadioButton* r : optKihon)
        r->setChecked(false);
    cmbBand->setCurrentIndex(-1);
    cmbYHyouka->setCurrentIndex(-1);
    txtZone->clear();
    txtUPRitsu->clear();
    applyLinkColours();
}

void TPX0030::loadList()
{
    fillList();
    paintGridRow();
}

void TPX0030::fillList()
{
    BusyCursor busy;
    const Session session = CurrentSession();
    LoadEmployeeList(session, gradeFilter_, list_);
    RecomputeMatrixZones(session, list_, tables_);

    const QString typed = cmbWorker->currentText();
    cmbWorker->clear();
    // All items at once: one insertion for the list's model, not one per employee.
    QStringList items;
    items.reserve(list_.items.size());
    for (const TSyain_& r : list_.items)
        items << r.SCO + QStringLiteral(" : ") + r.SNA;
    cmbWorker->addItems(items);
    cmbWorker->setCurrentIndex(-1);
    cmbWorker->setEditText(typed);

    const int count = int(list_.items.size());
    Grid->clearData();
    TStringGrid::Filling filling(*Grid);
    if (count == 0) {
        txtCureentNo->clear();
        txtLastNo->clear();
        Grid->setRowCountKeeping(2);
        position_ = 0;
    } else {
        Grid->setRowCountKeeping(count + 1);
        txtLastNo->setText(QString::number(count));
        for (int i = 0; i < count; ++i) {
            const QStringList cells = EmployeeGridRow(i + 1, list_.items[i]);
            for (int c = 0; c < cells.size(); ++c)
                Grid->setCell(c, i + 1, cells[c]);
        }
        if (position_ > count)
            position_ = count;
    }
    highlight_ = true;
}

void TPX0030::paintGridRow()
{
    const int row = position_ >= 1 ? position_ : 1;
    Grid->setCursor(std::max(1, Grid->col()), row);
    Grid->setHighlightedRow(highlight_ && position_ >= 1 ? position_ : -1);
}

// ---------------------------------------------------------------- showing an employee

void TPX0030::showDate(const DateWidgets& d, int yyyymmdd)
{
    TYMD t;
    t.ymd = QString::number(yyyymmdd);
    SplitDate(t, App().CalendarMode);
    d.era->setEditText(t.era.isEmpty() ? QStringLiteral(" ") : t.era);
    d.yy->setText(t.year);
    d.mm->setText(t.month);
    d.dd->setText(t.day);
}

void TPX0030::setPayLabels(int form)
{
    const QStringList labels = PayLabels(forms_, form);
    for (int i = 0; i < 3; ++i)
        labKihon[i]->setText(labels[i]);
    for (int i = 0; i < 5; ++i)
        labTeate[i]->setText(labels[3 + i]);
}

void TPX0030::showEmployee(int n)
{
    if (n < 1 || n > list_.items.size())
        return;
    position_ = n;
    // The list holds what it shows; the employee on screen is read whole.
    bool found = false;
    current_ = list_.items[n - 1];
    LoadEmployee(CurrentSession(), current_.SCO.toInt(), current_, found);
    const TSyain_& r = current_;
    btnAdd->setEnabled(false);

    txtWorkerNo->setText(r.SCOT);
    txtWorkName->setText(r.SNA);
    (r.SEIBETSU == 1 ? OptSex2 : OptSex1)->setChecked(true);
    showDate(sei, r.SEIHI);
    showDate(nyu, r.NYUHI);
    showDate(tou, r.THI);
    txtYakusyoku->setText(r.YAKU);
    if (r.SM1 >= 1 && r.SM1 <= 4)
        selectCode(cmbMibun, r.SM1);
    else
        cmbMibun->setCurrentIndex(-1);
    setPayLabels(r.SM1);
    txtGakureki->setText(r.GAKU);
    txtSenkou->setText(r.SENKOU);
    txtKSikaku->setText(r.KSIKAKU);
    txtHaizoku->setText(r.KEIKEN);
    const QString grade = GradeItemText(r.TOUKYU, Project().CurrentCompany.TK);
    showInList(cmbSikaku, grade.isEmpty() ? NoneItem : grade);
    txtGouhou->setText(QString::number(r.GOUHOU));
    txtTasseiRitsu->setText(QString::number(r.TRITSU, 'g', 15));
    FillEvaluationList(*cmbHyouka1, r.SKCO);
    showInList(cmbHyouka1, r.HCO == 0 ? NoneItem : QString::number(r.HCO) + QStringLiteral(" : ") + r.HKIGOU);
    txtHyouka[0]->setText(r.HNA1);
    txtHyouka[1]->setText(r.HNA2);
    txtHyouka[2]->setText(r.HNA3);
    txtKeikenNen->setText(QString::number(r.NENSU));
    txtSyokumuTensu->setText(QString::number(r.TENSU));
    const QString mark = markItem(r.MCO);
    showInList(cmbMark, mark.isEmpty() ? NoneItem : mark);

    const int kihon[3] = {r.KKYU1, r.KKYU2, r.KKYU3};
    const int afKihon[3] = {r.NKKYU1, r.NKKYU2, r.NKKYU3};
    const int teate[5] = {r.TEATE1, r.TEATE2, r.TEATE3, r.TEATE4, r.TEATE5};
    const int afTeate[5] = {r.NTEATE1, r.NTEATE2, r.NTEATE3, r.NTEATE4, r.NTEATE5};
    const int raises[3] = {r.UPKIN1, r.UPKIN2, r.UPKIN3};
    link_ = r.JISEKI >= 1 && r.JISEKI <= 3 ? r.JISEKI : 0;
    Project().CurrentCompany.FRSTKYU = link_;
    Project().CurrentCompany.FRSTKYUM = 0;
    for (int i = 0; i < 3; ++i) {
        txtKihon[i]->setText(amountText(kihon[i]));
        // A component fed from the wage table shows the table's amount.
        txtAFKihon[i]->setText(amountText(link_ == i + 1 ? r.NKIN : afKihon[i]));
        optKihon[i]->setChecked(link_ == i + 1);
        txtUPKin[i]->setText(FormatFloat(RaiseFormat, raises[i]));
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
    const OptimalWageTexts fit = OptimalWageTextsOf(r);
    labFitNo->setText(fit.name);
    txtFitKin->setText(fit.amount);
    txtZansa->setText(fit.residual);
    txtWariai->setText(fit.ratio);

    selectCode(cmbBand, r.BANDID);
    selectCode(cmbYHyouka, r.YHYOUKA);
    showMatrixZone(r);

    pictureName_ = r.SPATH;
    showPicture();

    applyLinkColours();
    cmbWorker->setEditText(r.SCO);
    txtWorker->setText(r.SNA);
    txtCureentNo->setText(QString::number(n));
    txtLastNo->setText(QString::number(list_.items.size()));
    paintGridRow();
    shown_ = true;
    dirty_ = false;
}

void TPX0030::showMatrixZone(const TSyain_& r)
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

void TPX0030::showPicture()
{
    if (!LoadPicture(*Image1, pictureName_))
        pictureName_.clear();
}

void TPX0030::refreshTotals()
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

void TPX0030::applyLinkColours()
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

// ---------------------------------------------------------------- fields left

bool TPX0030::cmbWorkerExit()
{
    const QString text = cmbWorker->currentText().trimmed();
    if (text.isEmpty())
        return true;
    int code = 0;
    const EmployeeCheck check = CheckEmployeeCode(text, &code);
    if (!check.ok()) {
        Dialogs().information(QString(), check.message);
        return false;
    }
    const QString codeText = QString::number(code);
    int found = 0;
    for (int i = 0; i < list_.items.size(); ++i)
        if (list_.items[i].SCO == codeText) {
            found = i + 1;
            break;
        }
    // Leaving the code of the employee on the screen keeps the edits made to it.
    if (found != 0 && found == position_ && shown_ && current_.SCO == codeText) {
        cmbWorker->setEditText(codeText);
        return true;
    }
    if (found != 0) {
        txtWorker->setText(list_.items[found - 1].SNA);
    } else {
        txtWorker->setText(QStringLiteral("未登録"));
    }
    cmbWorker->setEditText(codeText);
    position_ = found;
    if (position_ == 0) {
        clearScreen();
        cmbWorker->setEditText(codeText);
        btnAdd->setEnabled(true);
        txtCureentNo->clear();
        highlight_ = false;
        paintGridRow();
    } else {
        showEmployee(position_);
    }
    refreshTotals();
    dirty_ = false;
    return true;
}

bool TPX0030::cmbSikakuExit()
{
    if (cmbSikaku->currentText().trimmed().isEmpty())
        cmbSikaku->setEditText(NoneItem);
    if (!CheckCodeList(*cmbSikaku, true, true, false))
        return false;
    applyLinkColours();
    return true;
}

bool TPX0030::txtGouhouExit()
{
    if (!CheckIntegerField(*txtGouhou, 2, 80, 0))
        return false;
    applyLinkColours();
    return true;
}

bool TPX0030::cmbMarkExit()
{
    // Marks are 1..9; 0 (or nothing) means no mark.
    const QString text = cmbMark->currentText().trimmed();
    bool isNumber = false;
    const int code = CodeTextOf(text).toInt(&isNumber);
    if (text.isEmpty() || (isNumber && code == 0)) {
        cmbMark->setEditText(NoneItem);
        return true;
    }
    return CheckCodeList(*cmbMark, true, true, false);
}

bool TPX0030::cmbHyouka1Exit()
{
    if (cmbHyouka1->currentText().trimmed().isEmpty())
        cmbHyouka1->setEditText(NoneItem);
    return CheckCodeList(*cmbHyouka1, true, true, false);
}

// ---------------------------------------------------------------- lists and links

void TPX0030::cmbMibunChange()
{
    setPayLabels(codeOfList(cmbMibun));
    setDirty();
}

void TPX0030::cmbChinginChange()
{
    // The evaluations offered are those of the chosen wage table.
    const QString code = CodeTextOf(cmbHyouka1->currentText());
    fillEvaluationList(codeOfList(cmbChingin), code);
    setDirty();
}

void TPX0030::optKihonClick(int component)
{
    if (component < 1 || component > 3)
        return;
    link_ = component;
    Project().CurrentCompany.FRSTKYU = link_;
    for (int i = 0; i < 3; ++i)
        optKihon[i]->setChecked(i + 1 == link_);
    applyLinkColours();
    setDirty();
}

void TPX0030::cdRestLinkClick()
{
    link_ = 0;
    Project().CurrentCompany.FRSTKYU = 0;
    for (QRadioButton* r : optKihon)
        r->setChecked(false);
    applyLinkColours();
    setDirty();
}

void TPX0030::btnPicterClick()
{
    pictureName_.clear();
    const QString folder = App().ExeFolder + QStringLiteral("Picture/");
    const QString file = Dialogs().openFile(QStringLiteral("画像ファイルの選択"), folder,
                                            QStringLiteral("JPEGファイル(*.jpg)|*.jpg|BMPファイル(*.bmp)|*.bmp"));
    if (!file.isEmpty()) {
        const QString root = QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) + '/';
        const QString chosen = QDir::cleanPath(QFileInfo(file).absoluteFilePath());
        if (!chosen.startsWith(root)) {
            Dialogs().warning(QString(), QStringLiteral("フォルダが変更されました。表示されたフォルダ内で選択して下さい。"));
            // The name is gone, so the picture it showed goes with it.
            Image1->clear();
            setDirty();
            return;
        }
        pictureName_ = chosen.mid(root.size()).left(255);
    }
    showPicture();
    setDirty();
}

// ---------------------------------------------------------------- saving

TYMD TPX0030::dateValues(const DateWidgets& d) const
{
    TYMD t;
    t.era = d.era->currentText().trimmed();
    t.year = WithoutCommas(d.yy->text());
    t.month = WithoutCommas(d.mm->text());
    t.day = WithoutCommas(d.dd->text());
    if (t.year.isEmpty())
        t.year = QStringLiteral("0");
    return t;
}

EmployeeFields TPX0030::fieldValues() const
{
    EmployeeFields f;
    f.code = cmbWorker->currentText();
    f.number = txtWorkerNo->text();
    f.name = txtWorkName->text();
    f.female = OptSex2->isChecked();
    f.birth = dateValues(sei);
    f.entry = dateValues(nyu);
    f.promotion = dateValues(tou);
    f.position = txtYakusyoku->text();
    f.form = codeOfList(cmbMibun);
    f.education = txtGakureki->text();
    f.major = txtSenkou->text();
    f.qualifications = txtKSikaku->text();
    f.assignment = txtHaizoku->text();
    f.grade = CodeOf(cmbSikaku->currentText());
    f.step = txtGouhou->text();
    f.achievement = txtTasseiRitsu->text();
    f.evaluation = CodeOf(cmbHyouka1->currentText());
    for (int i = 0; i < 3; ++i) {
        f.history[i] = txtHyouka[i]->text();
        f.kihon[i] = txtKihon[i]->text();
        f.afKihon[i] = txtAFKihon[i]->text();
        f.raises[i] = txtUPKin[i]->text();
    }
    f.experience = txtKeikenNen->text();
    f.points = txtSyokumuTensu->text();
    f.mark = CodeOf(cmbMark->currentText());
    f.picture = pictureName_;
    for (int i = 0; i < 5; ++i) {
        f.teate[i] = txtTeate[i]->text();
        f.afTeate[i] = txtAFTeate[i]->text();
    }
    f.bonus1 = txtBonus1->text();
    f.bonus2 = txtBonus2->text();
    f.retirementRate = txtTaisyokuKin->text();
    f.link = link_;
    f.wageTable = codeOfList(cmbChingin);
    f.band = codeOfList(cmbBand);
    f.role = codeOfList(cmbYHyouka);
    return f;
}

void TPX0030::showBasicPage()
{
    PageControl1->setCurrentIndex(0);
}

// Runs the check of every checked field but the code list, so that a value typed and not
// yet left is never saved as 0; the first failing field gets the focus.
bool TPX0030::checkAllFields()
{
    for (const auto& c : checks_) {
        if (c.first == cmbWorker)
            continue;
        if (!c.second()) {
            for (int i = 0; i < PageControl1->count(); ++i)
                if (PageControl1->widget(i)->isAncestorOf(c.first))
                    PageControl1->setCurrentIndex(i);
            c.first->setFocus();
            return false;
        }
    }
    return true;
}

bool TPX0030::gatherRecord(TSyain_& rec)
{
    const Session session = CurrentSession();
    const EmployeeCheck check = FillEmployeeRecord(session, fieldValues(), rec);
    if (!check.ok()) {
        Dialogs().information(QString(), check.message);
        switch (check.error) {
        case EmployeeFieldError::CodeEmpty:
        case EmployeeFieldError::CodeInvalid:
            cmbWorker->setFocus();
            break;
        case EmployeeFieldError::NameEmpty:
            showBasicPage();
            txtWorkName->setFocus();
            break;
        case EmployeeFieldError::BirthDate:
            showBasicPage();
            sei.yy->setFocus();
            break;
        case EmployeeFieldError::EntryDate:
            showBasicPage();
            nyu.yy->setFocus();
            break;
        case EmployeeFieldError::PromotionDate:
            showBasicPage();
            tou.yy->setFocus();
            break;
        case EmployeeFieldError::Totals:
            PageControl1->setCurrentIndex(1);
            txtKihon[0]->setFocus();
            break;
        case EmployeeFieldError::None:
            break;
        }
        return false;
    }
    return checkAllFields() && FillEmployeeRecord(session, fieldValues(), rec).ok();
}

void TPX0030::btnAddClick()
{
    TSyain_ rec;
    SetAddTimeValues(rec, QDateTime::currentDateTime());
    if (!gatherRecord(rec))
        return;
    const Session session = CurrentSession();
    bool exists = false;
    if (!EmployeeExists(session, rec.SCO.toInt(), exists))
        return;
    if (exists) {
        Dialogs().information(QString(),
                              QStringLiteral("データは既に存在します。更新する場合は、修正ボタン　を押下して下さい。"));
        txtWorkerNo->setFocus();
        return;
    }
    if (!AddEmployee(session, rec))
        return;   // the layer has reported it; the typed values stay on the screen
    clearScreen();
    loadList();
    position_ = 0;
    for (int i = 0; i < list_.items.size(); ++i)
        if (list_.items[i].SCO == rec.SCO)
            position_ = i + 1;
    paintGridRow();
    btnAdd->setEnabled(false);
    btnMnt->setEnabled(true);
    btnDlt->setEnabled(true);
    txtCureentNo->clear();
    cmbWorker->setFocus();
    dirty_ = false;
}

void TPX0030::btnMntClick()
{
    TSyain_ rec = current_;
    if (!gatherRecord(rec))
        return;
    const Session session = CurrentSession();
    if (!ModifyEmployee(session, rec))
        return;
    const int col = Grid->col();
    loadList();
    Grid->setCursor(std::max(1, col), position_ >= 1 ? position_ : 1);
    current_ = rec;
    bool found = false;
    LoadEmployee(session, rec.SCO.toInt(), current_, found);
    shown_ = true;
    refreshTotals();
    btnAdd->setEnabled(false);
    btnMnt->setEnabled(true);
    btnDlt->setEnabled(true);
    dirty_ = false;
}

void TPX0030::btnDltClick()
{
    if (cmbWorker->currentText().trimmed().isEmpty()) {
        Dialogs().information(QString(), QStringLiteral("社員コードが入力されていません。"));
        cmbWorker->setFocus();
        return;
    }
    int code = 0;
    const EmployeeCheck check = CheckEmployeeCode(cmbWorker->currentText(), &code);
    if (!check.ok()) {
        Dialogs().information(QString(), check.message);
        cmbWorker->setFocus();
        return;
    }
    if (!Dialogs().yesNo(QStringLiteral("削除確認"),
                         QStringLiteral("ﾃﾞｰﾀを削除しますか？\r【はい】:削除します。\r【いいえ】:戻ります。")))
        return;
    DeleteEmployee(CurrentSession(), code);
    clearScreen();
    loadList();
    // The form is empty: no employee is current, counted or highlighted.
    position_ = 0;
    highlight_ = false;
    txtCureentNo->clear();
    paintGridRow();
    btnAdd->setEnabled(false);
    btnMnt->setEnabled(true);
    btnDlt->setEnabled(true);
    dirty_ = false;
}

void TPX0030::btnCancelClick()
{
    btnAdd->setEnabled(true);
    btnMnt->setEnabled(true);
    btnDlt->setEnabled(true);
    clearScreen();
    cmbWorker->setFocus();
    highlight_ = false;
    position_ = 0;
    paintGridRow();
    Grid->setCursor(1, 1);
    txtCureentNo->clear();
    dirty_ = false;
}

// ---------------------------------------------------------------- navigation and closing

bool TPX0030::askDirty(const QString& noText)
{
    if (!dirty_)
        return false;
    if (Dialogs().yesNo(QStringLiteral("確認"), DirtyHead + noText)) {
        showBasicPage();
        return true;
    }
    return false;
}

bool TPX0030::navigate(int target, const QString& noText)
{
    if (askDirty(noText))
        return false;
    showEmployee(target);
    refreshTotals();
    dirty_ = false;
    return true;
}

void TPX0030::btnFirstClick()
{
    if (list_.items.isEmpty())
        return;
    navigate(1, QStringLiteral("【いいえ】:最初のデータ　へ。"));
}

void TPX0030::btnBackClick()
{
    if (list_.items.isEmpty() || position_ <= 1)
        return;
    navigate(position_ - 1, QStringLiteral("【いいえ】:前のデータ　へ。"));
}

void TPX0030::btnNextClick()
{
    const int count = int(list_.items.size());
    if (count == 0 || position_ >= count)
        return;
    navigate(position_ + 1, QStringLiteral("【いいえ】:次のデータ　へ。"));
}

void TPX0030::btnLastClick()
{
    const int count = int(list_.items.size());
    if (count == 0 || position_ >= count)
        return;
    navigate(count, QStringLiteral("【いいえ】:最後のデータ　へ。"));
}

bool TPX0030::confirmClose()
{
    if (askDirty(QStringLiteral("【いいえ】:画面を閉じます。")))
        return false;
    dirty_ = false;
    return true;
}

void TPX0030::btnCloseClick()
{
    if (!confirmClose())
        return;
    closing_ = true;
    done(QDialog::Accepted);
}

void TPX0030::reject()
{
    btnCloseClick();
}

void TPX0030::closeEvent(QCloseEvent* event)
{
    if (closing_ || confirmClose()) {
        closing_ = true;
        QDialog::closeEvent(event);
    } else {
        event->ignore();
    }
}

// ---------------------------------------------------------------- grid and grade filter

void TPX0030::GridSelectCell(int, int row)
{
    if (row >= 1 && row <= list_.items.size())
        position_ = row;
}

void TPX0030::GridClick(int, int row)
{
    if (row < 1 || row > list_.items.size())
        return;
    if (Grid->cell(1, row).isEmpty() && Grid->cell(2, row).isEmpty() && Grid->cell(3, row).isEmpty())
        return;
    highlight_ = true;
    showEmployee(row);
    refreshTotals();
    dirty_ = false;
}

void TPX0030::optTokyuClick(int grade)
{
    if (grade < 0 || grade > 9)
        return;
    if (dirty_) {
        Dialogs().information(QString(),
                              QStringLiteral("ﾃﾞｰﾀが変更されています。変更する場合は、登録・修正 ボタン　を、変更しない場合は、"
                                             "キャンセル ボタン　を押して下さい。"));
        showBasicPage();
        optTokyu[gradeFilter_]->setChecked(true);
        return;
    }
    gradeFilter_ = grade;
    optTokyu[grade]->setChecked(true);
    position_ = 1;
    loadList();
    Grid->setCursor(1, 1);
    GridClick(1, 1);
}
