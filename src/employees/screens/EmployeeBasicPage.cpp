// 基本情報, the first page of the employee register.
#include "employees/screens/EmployeeBasicPage.h"

#include "core/CodeLists.h"
#include "core/Numbers.h"
#include "shell/screens/AppState.h"
#include "shell/screens/DialogService.h"
#include "shell/screens/ScreenHelpers.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace EmployeeForm;

namespace {

// Left column (labels, fields) and middle column (labels, fields).
constexpr int LabelX = 10, FieldX = 100, MiddleLabelX = 360, MiddleFieldX = 450;

int row(int i)
{
    return 12 + 31 * i;
}

// The mark list's item of plot mark n of the open project, '' when n is not 1..9.
QString markItem(int n)
{
    if (n < 1 || n > 9)
        return {};
    const TMMARK& m = Project().Marks[n - 1];
    return MarkItemText(n, m.MARK, m.HANREI);
}

// Shows a text in a list: its item when it has one, otherwise (editable lists) the text.
void showInList(QComboBox* c, const QString& text)
{
    ShowListText(*c, text);
}

} // namespace

EmployeeBasicPage::EmployeeBasicPage(QTabWidget& tabs) : EmployeePage(tabs, QStringLiteral("基本情報"), QStringLiteral("TabSheet1"))
{
    QWidget* page = this;
    const int lx = LabelX, fx = FieldX, mx = MiddleLabelX, mfx = MiddleFieldX;

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
    sei = makeDate(QStringLiteral("Sei"), fx, row(3));
    makeLabel(page, QStringLiteral("入社年月日"), lx, row(4), 84, true);
    nyu = makeDate(QStringLiteral("Nyu"), fx, row(4));
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
    tou = makeDate(QStringLiteral("Tou"), mfx, row(0));
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

    connect(OptSex1, &QRadioButton::clicked, this, [this] { emit edited(); });
    connect(OptSex2, &QRadioButton::clicked, this, [this] { emit edited(); });
    connect(cmbMibun, &QComboBox::activated, this, [this] { emit formChosen(); });

    installFieldChecks();
    reportTypedEdits();
    for (QComboBox* c : {cmbSikaku, cmbHyouka1, cmbMark})
        connect(c, &QComboBox::activated, this, [this] { emit edited(); });
}

// ---------------------------------------------------------------- dates

EmployeeBasicPage::DateWidgets EmployeeBasicPage::makeDate(const QString& prefix, int x, int y)
{
    QWidget* page = this;
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

void EmployeeBasicPage::placeDate(const DateWidgets& d, int x, int y, bool withEra)
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

void EmployeeBasicPage::fillEraLists()
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

void EmployeeBasicPage::showDate(const DateWidgets& d, int yyyymmdd)
{
    TYMD t;
    t.ymd = QString::number(yyyymmdd);
    SplitDate(t, App().CalendarMode);
    d.era->setEditText(t.era.isEmpty() ? QStringLiteral(" ") : t.era);
    d.yy->setText(t.year);
    d.mm->setText(t.month);
    d.dd->setText(t.day);
}

TYMD EmployeeBasicPage::dateValues(const DateWidgets& d) const
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

// ---------------------------------------------------------------- lists

void EmployeeBasicPage::fillFormList(const QVariantList& project)
{
    FillListFromQuery(*cmbMibun,
                      QStringLiteral("SELECT SALARYID || ' : ' || SALARYNAME AS COMBNAME FROM SALARYNAME WHERE KCO = ? "
                                     "AND NENDO = ? ORDER BY SALARYID"),
                      false, project);
}

void EmployeeBasicPage::fillProjectLists()
{
    FillGradeList(*cmbSikaku);
    cmbMark->clear();
    for (int n = 1; n <= 9; ++n)
        cmbMark->addItem(markItem(n));
    fillEraLists();
    const bool eraMode = App().CalendarMode != 0;
    placeDate(sei, FieldX, row(3), eraMode);
    placeDate(nyu, FieldX, row(4), eraMode);
    placeDate(tou, MiddleFieldX, row(0), eraMode);
    fillEvaluationList(0, QString());
}

void EmployeeBasicPage::fillEvaluationList(int wageTable, const QString& keepCode)
{
    FillEvaluationList(*cmbHyouka1, wageTable);
    if (keepCode.isEmpty() || SelectItemByCode(*cmbHyouka1, keepCode) < 0)
        cmbHyouka1->setEditText(NoneItem);
}

// ---------------------------------------------------------------- field checks

void EmployeeBasicPage::installFieldChecks()
{
    for (const DateWidgets* d : {&sei, &nyu, &tou}) {
        // Month and day 0 stand for "no date", so they pass as well as 1..12 and 1..31.
        addCheck(d->yy, numberCheck(d->yy, 2, 99, 0));
        addCheck(d->mm, numberCheck(d->mm, 2, 12, 0));
        addCheck(d->dd, numberCheck(d->dd, 2, 31, 0));
    }
    addCheck(cmbSikaku, [this] { return cmbSikakuExit(); });
    addCheck(txtGouhou, [this] { return txtGouhouExit(); });
    addCheck(txtTasseiRitsu, numberCheck(txtTasseiRitsu, 4, 0, 0));
    addCheck(cmbHyouka1, [this] { return cmbHyouka1Exit(); });
    addCheck(txtKeikenNen, numberCheck(txtKeikenNen, 2, 0, 0));
    addCheck(txtSyokumuTensu, numberCheck(txtSyokumuTensu, 4, 0, 0));
    addCheck(cmbMark, [this] { return cmbMarkExit(); });
}

bool EmployeeBasicPage::cmbSikakuExit()
{
    if (cmbSikaku->currentText().trimmed().isEmpty())
        cmbSikaku->setEditText(NoneItem);
    if (!CheckCodeList(*cmbSikaku, true, true, false))
        return false;
    emit gradeOrStepAccepted();
    return true;
}

bool EmployeeBasicPage::txtGouhouExit()
{
    if (!CheckIntegerField(*txtGouhou, 2, 80, 0))
        return false;
    emit gradeOrStepAccepted();
    return true;
}

bool EmployeeBasicPage::cmbMarkExit()
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

bool EmployeeBasicPage::cmbHyouka1Exit()
{
    if (cmbHyouka1->currentText().trimmed().isEmpty())
        cmbHyouka1->setEditText(NoneItem);
    return CheckCodeList(*cmbHyouka1, true, true, false);
}

// ---------------------------------------------------------------- the picture

void EmployeeBasicPage::btnPicterClick()
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
            emit edited();
            return;
        }
        pictureName_ = chosen.mid(root.size()).left(255);
    }
    showPicture();
    emit edited();
}

void EmployeeBasicPage::showPicture()
{
    if (!LoadPicture(*Image1, pictureName_))
        pictureName_.clear();
}

// ---------------------------------------------------------------- clearing, showing, gathering

void EmployeeBasicPage::clear()
{
    for (QLineEdit* e : {txtWorkerNo, txtWorkName, txtYakusyoku, txtGakureki, txtSenkou, txtKSikaku, txtHaizoku,
                         txtHyouka[0], txtHyouka[1], txtHyouka[2]})
        e->clear();
    OptSex1->setChecked(true);
    cmbMibun->setCurrentIndex(-1);
    cmbSikaku->setEditText(NoneItem);
    cmbMark->setEditText(NoneItem);
    fillEvaluationList(0, QString());
    for (const DateWidgets* d : {&sei, &nyu, &tou}) {
        d->era->setEditText(QStringLiteral(" "));
        d->yy->setText(QStringLiteral("0"));
        d->mm->setText(QStringLiteral("0"));
        d->dd->setText(QStringLiteral("0"));
    }
    for (QLineEdit* e : {txtGouhou, txtTasseiRitsu, txtKeikenNen, txtSyokumuTensu})
        e->setText(QStringLiteral("0"));
    pictureName_.clear();
    Image1->clear();
}

void EmployeeBasicPage::showEmployee(const TSyain_& r)
{
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

    pictureName_ = r.SPATH;
    showPicture();
}

void EmployeeBasicPage::gather(EmployeeFields& f) const
{
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
    for (int i = 0; i < 3; ++i)
        f.history[i] = txtHyouka[i]->text();
    f.experience = txtKeikenNen->text();
    f.points = txtSyokumuTensu->text();
    f.mark = CodeOf(cmbMark->currentText());
    f.picture = pictureName_;
}

QWidget* EmployeeBasicPage::fieldOf(EmployeeFieldError error) const
{
    switch (error) {
    case EmployeeFieldError::NameEmpty:
        return txtWorkName;
    case EmployeeFieldError::BirthDate:
        return sei.yy;
    case EmployeeFieldError::EntryDate:
        return nyu.yy;
    case EmployeeFieldError::PromotionDate:
        return tou.yy;
    default:
        return nullptr;
    }
}

int EmployeeBasicPage::form() const
{
    return codeOfList(cmbMibun);
}

QString EmployeeBasicPage::evaluationCode() const
{
    return CodeTextOf(cmbHyouka1->currentText());
}

void EmployeeBasicPage::focusNumber()
{
    txtWorkerNo->setFocus();
}
