// TPX3010: raise input (evaluation, step climb, promotion and next year's pay per employee).
#include "raise/screens/TPX3010.h"

#include "raise/screens/TPX3020.h"
#include "shell/screens/AppState.h"
#include "core/CodeLists.h"
#include "core/Numbers.h"
#include "shell/ProjectLookups.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/StringGrid.h"
#include "store/Conversions.h"
#include "store/DataModule.h"
#include "shell/screens/DialogService.h"
#include "store/RecordAccess.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QColor SkyBlue(166, 202, 240);
const QString AmountFormat = QStringLiteral("#,##0");
// An amount box holds at most 10 characters; a monthly amount of up to 9,999,999 keeps
// every total and the annual amount within the stored whole numbers.
constexpr long long AmountLimit = 9999999;

QString amountText(long long v)
{
    return FormatFloat(AmountFormat, double(v));
}

long long amountOf(const QLineEdit* e)
{
    return WholeNumberOrZero(e->text());
}

void paint(QWidget* w, const QColor& colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, colour);
    w->setPalette(p);
}

QLineEdit* edit(QWidget* parent, const QString& name, bool readOnly, int maxLength)
{
    auto* e = new TRightEdit(parent);
    e->setObjectName(name);
    e->setReadOnly(readOnly);
    e->setMaxLength(maxLength);
    return e;
}

// The number before the first blank of a list's text, '' when there is none.
QString leadingNumber(const QComboBox* list)
{
    return list->currentText().trimmed().section(' ', 0, 0);
}

} // namespace

TPX3010::TPX3010(QWidget* parent) : QDialog(parent)
{
    SetupFixedForm(*this, QStringLiteral("TPX3010"), QStringLiteral("昇給管理"), 790, 580);
    // From the top: the employee and the commands; the employee's grade and evaluation with
    // the navigation beside the pages of steps and amounts; the grade filter; the list.
    // Every row fits the form's design width, so no control is laid over another.
    auto* root = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("社員コード"), this));
    cmbWorkerCode_ = new QComboBox(this);
    cmbWorkerCode_->setObjectName(QStringLiteral("cmbWorkerCode"));
    cmbWorkerCode_->setEditable(true);
    cmbWorkerCode_->setFixedWidth(150);
    top->addWidget(cmbWorkerCode_);
    txtWorkerCode_ = new QLineEdit(this);
    txtWorkerCode_->setObjectName(QStringLiteral("txtWorkerCode"));
    txtWorkerCode_->setReadOnly(true);
    txtWorkerCode_->setFixedWidth(70);
    top->addWidget(txtWorkerCode_);
    txtWorkerName_ = new QLineEdit(this);
    txtWorkerName_->setObjectName(QStringLiteral("txtWorkerName"));
    txtWorkerName_->setReadOnly(true);
    txtWorkerName_->setFixedWidth(120);
    top->addWidget(txtWorkerName_);
    top->addStretch();
    auto* btnAdd = MakeButton(this, QStringLiteral("btnAdd"), QStringLiteral("登　録"));
    auto* btnCancel = MakeButton(this, QStringLiteral("btnCancel"), QStringLiteral("ｷｬﾝｾﾙ"));
    auto* btnHyogo = MakeButton(this, QStringLiteral("btnHyogo"), QStringLiteral("標　語"));
    auto* btnClose = MakeButton(this, QStringLiteral("btnClose"), QStringLiteral("閉じる"));
    for (QPushButton* b : {btnAdd, btnCancel, btnHyogo, btnClose}) {
        b->setFixedWidth(68);
        top->addWidget(b);
    }
    root->addLayout(top);

    auto* middle = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    // Grade, evaluation and promotion: one column of captions, one of fields.
    auto* GroupBox2 = new QGroupBox(this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    auto* g2 = new QGridLayout(GroupBox2);
    auto combo = [&](const QString& name, bool editable) {
        auto* c = new QComboBox(GroupBox2);
        c->setObjectName(name);
        c->setEditable(editable);
        c->setFixedWidth(160);
        return c;
    };
    cmbSikaku_ = combo(QStringLiteral("cmbSikaku"), true);
    cmbHyouka_ = combo(QStringLiteral("cmbHyouka"), true);
    chkUP_ = new QCheckBox(QStringLiteral("昇格する"), GroupBox2);
    chkUP_->setObjectName(QStringLiteral("chkUP"));
    cmbNewToukyu_ = combo(QStringLiteral("cmbNewToukyu"), true);
    txtTairyuu_ = edit(GroupBox2, QStringLiteral("txtTairyuu"), true, 4);
    txtTairyuu_->setFixedWidth(60);
    int g2Row = 0;
    auto addField = [&](const QString& caption, QWidget* field) {
        g2->addWidget(new QLabel(caption, GroupBox2), g2Row, 0);
        g2->addWidget(field, g2Row++, 1, Qt::AlignLeft);
    };
    addField(QStringLiteral("資格等級"), cmbSikaku_);
    addField(QStringLiteral("総合評価"), cmbHyouka_);
    g2->addWidget(chkUP_, g2Row++, 1);
    addField(QStringLiteral("Ｎｅｗ等級"), cmbNewToukyu_);
    addField(QStringLiteral("滞留年数"), txtTairyuu_);
    const QString historyCaptions[3] = {QStringLiteral("評価　１年前"), QStringLiteral("評価　２年前"),
                                        QStringLiteral("評価　３年前")};
    for (int i = 0; i < 3; ++i) {
        txtHyouka_[i] = new QLineEdit(GroupBox2);
        txtHyouka_[i]->setObjectName(QStringLiteral("txtHyouka%1").arg(i + 1));
        txtHyouka_[i]->setReadOnly(true);
        txtHyouka_[i]->setFixedWidth(160);
        addField(historyCaptions[i], txtHyouka_[i]);
    }
    left->addWidget(GroupBox2);
    const RecordNavigator nav = MakeRecordNavigator(this);
    nav.prior->setObjectName(QStringLiteral("btnBack"));
    txtCureentNo_ = nav.current;
    txtLastNo_ = nav.count;
    left->addLayout(nav.layout);
    left->addStretch();
    middle->addLayout(left);

    // Pages: step table, (hidden) matrix, amounts.
    PageControl1_ = new QTabWidget(this);
    PageControl1_->setObjectName(QStringLiteral("PageControl1"));
    auto* TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    auto* steps = new QGridLayout(TabSheet2);
    txtGouhou_ = edit(TabSheet2, QStringLiteral("txtGouhou"), false, 2);
    txtUPGousu_ = edit(TabSheet2, QStringLiteral("txtUPGousu"), true, 2);
    txtCalcGousu_ = edit(TabSheet2, QStringLiteral("txtCalcGousu"), true, 2);
    txtNewGouhou_ = edit(TabSheet2, QStringLiteral("txtNewGouhou"), false, 2);
    const QString stepCaptions[4] = {QStringLiteral("号　俸"), QStringLiteral("昇号数"), QStringLiteral("Calc号俸"),
                                     QStringLiteral("New号俸")};
    QLineEdit* stepBoxes[4] = {txtGouhou_, txtUPGousu_, txtCalcGousu_, txtNewGouhou_};
    for (int i = 0; i < 4; ++i) {
        steps->addWidget(new QLabel(stepCaptions[i], TabSheet2), i, 0);
        steps->addWidget(stepBoxes[i], i, 1);
    }
    steps->setRowStretch(4, 1);
    steps->setColumnStretch(2, 1);
    PageControl1_->addTab(TabSheet2, QStringLiteral("段階号俸表"));

    auto* TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    auto* matrix = new QGridLayout(TabSheet1);
    const char* matrixNames[4] = {"cmbBand", "cmbYhyouka", "cmbNewBAND", "cmbNewYHyouka"};
    const char* matrixTexts[4] = {"txtZone", "txtUPRitsu", "txtNewZone", "txtNewUPRitsu"};
    for (int i = 0; i < 4; ++i) {
        matrix_[i] = new QComboBox(TabSheet1);
        matrix_[i]->setObjectName(QString::fromLatin1(matrixNames[i]));
        matrix_[i]->setEditable(true);
        matrixText_[i] = edit(TabSheet1, QString::fromLatin1(matrixTexts[i]), true, 10);
        matrix->addWidget(matrix_[i], i, 0);
        matrix->addWidget(matrixText_[i], i, 1);
        connect(matrix_[i], &QComboBox::editTextChanged, this, [this] {
            if (!loading_)
                changed_ = true;
        });
    }
    auto* btnMatllix = MakeButton(TabSheet1, QStringLiteral("btnMatllix"), QStringLiteral("マトリクス"));
    btnMatllix->setEnabled(false);
    matrix->addWidget(btnMatllix, 4, 0);
    PageControl1_->addTab(TabSheet1, QStringLiteral("マトリクス"));
    // The matrix page carries its stored values only; its calculations stay off.
    PageControl1_->setTabVisible(1, false);

    auto* TabSheet3 = new QWidget;
    TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
    auto* table = new QGridLayout(TabSheet3);
    table->setVerticalSpacing(1);
    table->addWidget(new QLabel(QStringLiteral("昇給前"), TabSheet3), 0, 1, Qt::AlignCenter);
    table->addWidget(new QLabel(QStringLiteral("Up"), TabSheet3), 0, 2, Qt::AlignCenter);
    table->addWidget(new QLabel(QStringLiteral("昇給後"), TabSheet3), 0, 3, Qt::AlignCenter);
    int line = 1;
    auto addAmountRow = [&](int i) {
        const bool basic = i < 3;
        const int n = basic ? i + 1 : i - 2;
        payLabels_[i] = new QLabel(TabSheet3);
        payLabels_[i]->setObjectName(basic ? QStringLiteral("labKihon%1").arg(n) : QStringLiteral("labTeate%1").arg(n));
        const QString kind = basic ? QStringLiteral("Kihon") : QStringLiteral("Teate");
        before_[i] = edit(TabSheet3, QStringLiteral("txtB%1%2").arg(kind).arg(n), false, 10);
        up_[i] = edit(TabSheet3, QStringLiteral("txtU%1%2").arg(kind).arg(n), !basic, 10);
        after_[i] = edit(TabSheet3, QStringLiteral("txtA%1%2").arg(kind).arg(n), basic, 10);
        table->addWidget(payLabels_[i], line, 0);
        table->addWidget(before_[i], line, 1);
        table->addWidget(up_[i], line, 2);
        table->addWidget(after_[i], line, 3);
        ++line;
    };
    const char* sumNames[9] = {"txtBKihonSum", "txtUKihonSum", "txtAKihonSum", "txtBSumTeate", "txtUSumTeate",
                               "txtASumTeate", "txtBTotal",    "txtUTotal",    "txtATotal"};
    auto addSumRow = [&](int s, const QString& caption) {
        table->addWidget(new QLabel(caption, TabSheet3), line, 0);
        for (int c = 0; c < 3; ++c) {
            sums_[s * 3 + c] = edit(TabSheet3, QString::fromLatin1(sumNames[s * 3 + c]), true, 14);
            table->addWidget(sums_[s * 3 + c], line, c + 1);
        }
        ++line;
    };
    for (int i = 0; i < 3; ++i)
        addAmountRow(i);
    addSumRow(0, QStringLiteral("Sum基本給"));
    for (int i = 3; i < 8; ++i)
        addAmountRow(i);
    addSumRow(1, QStringLiteral("Sum手　当"));
    addSumRow(2, QStringLiteral("Total所定給"));
    PageControl1_->addTab(TabSheet3, QStringLiteral("昇給管理"));
    middle->addWidget(PageControl1_, 1);
    root->addLayout(middle);

    // Grade filter, in one row above the list it filters.
    auto* GroupBox4 = new QGroupBox(QStringLiteral("等級"), this);
    GroupBox4->setObjectName(QStringLiteral("GroupBox4"));
    auto* filterLayout = new QHBoxLayout(GroupBox4);
    filterLayout->setContentsMargins(9, 2, 9, 2);
    const QString digits = QStringLiteral("１２３４５６７８９");
    for (int i = 0; i <= 9; ++i) {
        auto* r = new QRadioButton(i == 0 ? QStringLiteral("全て") : QString(digits.at(i - 1)) + QStringLiteral("等級"),
                                   GroupBox4);
        r->setObjectName(i == 0 ? QStringLiteral("optTokyuAll") : QStringLiteral("optTokyu%1").arg(i));
        r->setChecked(i == 0);
        filterLayout->addWidget(r);
        connect(r, &QRadioButton::clicked, this, [this, i] { optTokyuClick(i); });
        optTokyu_ << r;
    }
    filterLayout->addStretch();
    root->addWidget(GroupBox4);

    Grid_ = new TStringGrid(this);
    Grid_->setObjectName(QStringLiteral("Grid"));
    Grid_->setColCount(12);
    const QString headings[12] = {QString(),           QStringLiteral("社員ｺｰﾄﾞ"), QStringLiteral("社員番号"),
                                  QStringLiteral("氏　　名"), QStringLiteral("年齢"),   QStringLiteral("勤続"),
                                  QStringLiteral("達成率"),   QStringLiteral("等級"),   QStringLiteral("新等級"),
                                  QStringLiteral("号俸"),     QStringLiteral("新号俸"), QStringLiteral("プロット")};
    const int widths[12] = {30, 50, 50, 120, 40, 40, 60, 55, 55, 55, 55, 100};
    Grid_->setRowCount(2);
    for (int c = 0; c < 12; ++c) {
        Grid_->setCell(c, 0, headings[c]);
        Grid_->setColWidth(c, widths[c]);
        const bool left = c == 2 || c == 3 || c == 11;
        Grid_->setColumnAlignment(c, (left ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    }
    root->addWidget(Grid_, 1);

    // Handlers.
    connect(btnAdd, &QPushButton::clicked, this, &TPX3010::btnAddClick);
    connect(btnCancel, &QPushButton::clicked, this, &TPX3010::btnCancelClick);
    connect(nav.first, &QPushButton::clicked, this, &TPX3010::btnFirstClick);
    connect(nav.prior, &QPushButton::clicked, this, &TPX3010::btnBackClick);
    connect(nav.next, &QPushButton::clicked, this, &TPX3010::btnNextClick);
    connect(nav.last, &QPushButton::clicked, this, &TPX3010::btnLastClick);
    connect(btnHyogo, &QPushButton::clicked, this, &TPX3010::btnHyogoClick);
    connect(btnClose, &QPushButton::clicked, this, &TPX3010::btnCloseClick);
    connect(Grid_, &TStringGrid::gridClicked, this, [this](int, int row) { GridClick(row); });
    // Down and Up in the grid load the employee the cursor moves to, as a click does.
    connect(Grid_, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
        if (!loading_ && currentRow_ != 0)
            GridClick(row);
    });
    connect(chkUP_, &QCheckBox::clicked, this, &TPX3010::chkUPClick);
    connect(PageControl1_, &QTabWidget::tabBarClicked, this, [this] { focusFirstField(); });
    CheckWhenLeft(*cmbWorkerCode_, [this] { return cmbWorkerCodeExit(); });
    CheckWhenLeft(*cmbHyouka_, [this] { return cmbHyoukaExit(); });
    CheckWhenLeft(*cmbSikaku_, [this] { return cmbSikakuExit(); });
    CheckWhenLeft(*cmbNewToukyu_, [this] {
        // An empty new grade is refused; a filled one is taken as it is.
        return !cmbNewToukyu_->currentText().trimmed().isEmpty() || CheckCodeList(*cmbNewToukyu_, true, false, false);
    });
    CheckWhenLeft(*txtGouhou_, [this] { return txtGouhouExit(); });
    CheckWhenLeft(*txtNewGouhou_, [this] { return txtNewGouhouExit(); });
    for (int i = 0; i < 8; ++i)
        for (QLineEdit* e : {before_[i], up_[i], after_[i]}) {
            if (e->isReadOnly())
                continue;
            connect(e, &QLineEdit::textEdited, this, [this] { changed_ = true; });
            CheckWhenLeft(*e, [this, e] {
                if (!CheckIntegerField(*e, 10, AmountLimit, -AmountLimit, AmountFormat))
                    return false;
                recompute();
                return true;
            });
        }
    connect(cmbHyouka_, &QComboBox::editTextChanged, this, [this] {
        if (!loading_)
            changed_ = true;
    });
    InstallEnterMovesFocus(*this);
}

bool TPX3010::Activate(bool askAboutWageTable)
{
    loading_ = true;
    const Session s = CurrentSession();
    const TMKIGYOU2& c = s.company();
    if (askAboutWageTable) {
        TCHNGIN2_ any;
        ReadOne(*s.year, false,
                SqlCondition(QStringLiteral(" WHERE KCO = ? AND NENDO = ?"), {c.KCO.toLongLong(), c.NENDO.toLongLong()}),
                QStringLiteral("SELECT * FROM DCHINGIN2"), any);
        if (!any.ok && !Dialogs().yesNo(QStringLiteral("確認"), NoWageTableQuestion)) {
            loading_ = false;
            reject();
            return false;
        }
    }
    FillGradeList(*cmbSikaku_);
    cmbSikaku_->addItem(UnspecifiedItem);
    FillGradeList(*cmbNewToukyu_);
    cmbNewToukyu_->addItem(UnspecifiedItem);
    resetFields();
    cmbWorkerCode_->clear();
    TSyain_rec all;
    ReadAll(*s.year, false,
            SqlCondition(QStringLiteral(" WHERE NENDO = ? AND KCO = ? ORDER BY KCO,SCO"),
                         {c.NENDO.toLongLong(), c.KCO.toLongLong()}),
            QStringLiteral("SELECT KCO, SCO, NENDO, SNA FROM VSYAIN"), all, s.ageReferenceDay());
    for (const TSyain_& e : all.items)
        cmbWorkerCode_->addItem(CodeItemText(e.SCO, e.SNA));
    cmbWorkerCode_->setCurrentIndex(-1);
    FillEvaluationList(*cmbHyouka_, 0);
    PageControl1_->setCurrentIndex(0);
    fillList();
    loading_ = false;
    if (!rows_.isEmpty())
        selectRow(1);
    changed_ = false;
    return true;
}

void TPX3010::resetFields()
{
    const bool wasLoading = loading_;
    loading_ = true;
    const QStringList defaults = {QStringLiteral("基本給"), QString(), QString(), QStringLiteral("手当"),
                                  QString(),                QString(), QString(), QString()};
    for (int i = 0; i < 8; ++i) {
        payLabels_[i]->setText(defaults[i]);
        for (QLineEdit* e : {before_[i], up_[i], after_[i]}) {
            e->setText(QStringLiteral("0"));
            paint(e, palette().color(QPalette::Base));
        }
        before_[i]->setReadOnly(false);
        up_[i]->setReadOnly(i >= 3);
    }
    txtWorkerCode_->clear();
    txtWorkerName_->clear();
    cmbWorkerCode_->setEditText(QString());
    cmbSikaku_->setEditText(QString());
    cmbNewToukyu_->setEditText(QString());
    cmbHyouka_->setEditText(QString());
    for (QLineEdit* e : txtHyouka_)
        e->clear();
    txtTairyuu_->setText(QStringLiteral("0"));
    for (QComboBox* m : matrix_)
        m->setEditText(QStringLiteral("0"));
    for (QLineEdit* m : matrixText_)
        m->setText(QStringLiteral("0"));
    for (QLineEdit* e : {txtGouhou_, txtUPGousu_, txtCalcGousu_, txtNewGouhou_})
        e->clear();
    chkUP_->setChecked(false);
    currentCode_ = 0;
    link_ = 0;
    wageTable_ = 0;
    recompute();
    loading_ = wasLoading;
}

void TPX3010::fillList()
{
    LoadRaiseList(CurrentSession(), filter_, rows_);
    Grid_->clearData();
    Grid_->setRowCount(std::max<qsizetype>(rows_.size(), 1) + 1);
    for (int r = 0; r < rows_.size(); ++r) {
        const RaiseListRow& e = rows_.at(r);
        const QString cells[12] = {QString::number(r + 1),
                                   QString::number(e.sco),
                                   e.scot,
                                   e.name,
                                   QString::number(e.age),
                                   QString::number(e.service),
                                   QString::number(e.achievement),
                                   QString::number(e.grade),
                                   QString::number(e.newGrade),
                                   QString::number(e.step),
                                   QString::number(e.newStep),
                                   e.markName};
        for (int c = 0; c < 12; ++c)
            Grid_->setCell(c, r + 1, cells[c]);
    }
    if (rows_.isEmpty()) {
        txtCureentNo_->clear();
        txtLastNo_->clear();
    } else {
        txtLastNo_->setText(QString::number(rows_.size()));
    }
    currentRow_ = 0;
    Grid_->setHighlightedRow(-1);
    Grid_->refresh();
}

void TPX3010::selectRow(int row)
{
    if (row < 1 || row > rows_.size())
        return;
    currentRow_ = row;   // the cursor's move below is this selection, not another
    Grid_->setCursor(1, row);
    Grid_->setHighlightedRow(row);
    loadEmployee(row);
}

void TPX3010::GridClick(int row)
{
    if (row >= 1 && row <= rows_.size() && row != currentRow_)
        selectRow(row);
}

void TPX3010::loadEmployee(int row)
{
    const RaiseListRow& r = rows_.at(row - 1);
    loading_ = true;
    currentRow_ = row;
    txtCureentNo_->setText(QString::number(row));
    cmbWorkerCode_->setEditText(CodeItemText(QString::number(r.sco), r.name));
    txtWorkerName_->setText(r.name);
    BusyCursor busy;
    TSyain_ e;
    bool found = false;
    const Session s = CurrentSession();
    const TMKIGYOU2& c = s.company();
    found = ReadOne(*s.year, false,
                    SqlCondition(QStringLiteral(" WHERE NENDO = ? AND KCO = ? AND SCO = ?"),
                                 {c.NENDO.toLongLong(), c.KCO.toLongLong(), qint64(r.sco)}),
                    QStringLiteral("SELECT * FROM VSYAIN"), e, s.ageReferenceDay())
            && e.ok;
    if (!found) {
        recompute();
        loading_ = false;
        return;
    }
    currentCode_ = r.sco;
    txtWorkerCode_->setText(e.SCOT);
    txtWorkerName_->setText(e.SNA);
    txtTairyuu_->setText(QString::number(s.yearsUntilReference(e.THI)));
    ItemTextForCode(*cmbSikaku_, QString::number(e.TOUKYU), false);
    ItemTextForCode(*cmbNewToukyu_, QString::number(e.NTOUKYU != 0 ? e.NTOUKYU : e.TOUKYU), false);
    // The evaluations of the employee's wage table.
    wageTable_ = e.SKCO;
    FillEvaluationList(*cmbHyouka_, wageTable_);
    cmbHyouka_->setEditText(CodeItemText(QString::number(e.HCO), e.HKIGOU));
    txtHyouka_[0]->setText(e.HNA1);
    txtHyouka_[1]->setText(e.HNA2);
    txtHyouka_[2]->setText(e.HNA3);
    txtGouhou_->setText(QString::number(e.GOUHOU));
    txtUPGousu_->setText(QString::number(e.SGOUHOU != 0 ? e.SGOUHOU : e.SGOUSU));
    txtNewGouhou_->setText(QString::number(e.NGOUHOU));
    const QStringList labels = PayLabels(LoadEmploymentForms(s), e.SM1);
    for (int i = 0; i < 8 && i < labels.size(); ++i)
        if (!labels.at(i).isEmpty())
            payLabels_[i]->setText(labels.at(i));
    link_ = e.JISEKI;
    setLinkedColours();
    const int before[8] = {e.KKYU1, e.KKYU2, e.KKYU3, e.TEATE1, e.TEATE2, e.TEATE3, e.TEATE4, e.TEATE5};
    int after[8] = {e.NKKYU1, e.NKKYU2, e.NKKYU3, e.NTEATE1, e.NTEATE2, e.NTEATE3, e.NTEATE4, e.NTEATE5};
    if (link_ >= 1 && link_ <= 3)
        after[link_ - 1] = e.NKIN;
    RaiseTable a;
    for (int i = 0; i < 8; ++i) {
        a.before[i] = before[i];
        a.after[i] = after[i];
        if (i < 3)
            a.up[i] = after[i] - before[i];
    }
    ComputeRaiseTotals(a);
    showAmounts(a);
    setPromotion(e.FSKCHK == 1, false);
    const int matrixValues[4] = {e.BANDID, e.YHYOUKA, e.NEWBANDID, e.NEWYHYOUKA};
    for (int i = 0; i < 4; ++i)
        matrix_[i]->setEditText(QString::number(matrixValues[i]));
    recompute();
    loading_ = false;
    changed_ = false;
}

void TPX3010::setLinkedColours()
{
    for (int i = 0; i < 3; ++i) {
        const bool linked = i == link_ - 1;
        for (QLineEdit* e : {before_[i], up_[i]}) {
            e->setReadOnly(linked);
            paint(e, linked ? SkyBlue : palette().color(QPalette::Base));
        }
    }
}

void TPX3010::setPromotion(bool ticked, bool lookUp)
{
    chkUP_->setChecked(ticked);
    cmbNewToukyu_->setEnabled(ticked);
    paint(cmbNewToukyu_, ticked ? palette().color(QPalette::Base) : SkyBlue);
    txtUPGousu_->setEnabled(!ticked);
    txtCalcGousu_->setEnabled(!ticked);
    if (!ticked)
        cmbNewToukyu_->setEditText(cmbSikaku_->currentText());
    if (lookUp) {
        RaiseTable a = amounts();
        LookUpNewPay(CurrentSession(), cmbNewToukyu_->isEnabled(), link_, wageTable_, cmbNewToukyu_->currentText(),
                     txtNewGouhou_->text(), true, a);
        showAmounts(a);
    }
}

void TPX3010::chkUPClick()
{
    setPromotion(chkUP_->isChecked(), true);
}

RaiseTable TPX3010::amounts() const
{
    RaiseTable a;
    for (int i = 0; i < 8; ++i) {
        a.before[i] = amountOf(before_[i]);
        a.up[i] = amountOf(up_[i]);
        a.after[i] = amountOf(after_[i]);
    }
    ComputeRaiseTotals(a);
    return a;
}

void TPX3010::showAmounts(const RaiseTable& a)
{
    const bool wasLoading = loading_;
    loading_ = true;
    for (int i = 0; i < 8; ++i) {
        before_[i]->setText(amountText(a.before[i]));
        up_[i]->setText(amountText(a.up[i]));
        after_[i]->setText(amountText(a.after[i]));
    }
    const long long sums[9] = {a.basicBefore,     a.basicUp,     a.basicAfter, a.allowanceBefore, a.allowanceUp,
                               a.allowanceAfter, a.totalBefore, a.totalUp,    a.totalAfter};
    for (int i = 0; i < 9; ++i)
        sums_[i]->setText(amountText(sums[i]));
    loading_ = wasLoading;
}

void TPX3010::recompute()
{
    showAmounts(amounts());
    if (!txtGouhou_->text().isEmpty() || !txtUPGousu_->text().isEmpty())
        txtCalcGousu_->setText(QString::number(
            CalcStep(int(WholeNumberOrZero(txtGouhou_->text())), int(WholeNumberOrZero(txtUPGousu_->text())))));
}

void TPX3010::focusFirstField()
{
    if (PageControl1_->currentIndex() == 2)
        up_[0]->setFocus();
    else
        txtGouhou_->setFocus();
}

bool TPX3010::cmbWorkerCodeExit()
{
    if (cmbWorkerCode_->currentText().trimmed().isEmpty())
        return true;
    int code = 0;
    if (!CheckCodeList(*cmbWorkerCode_, true, true, true, &code)) {
        PageControl1_->setCurrentIndex(0);
        return false;
    }
    for (int r = 0; r < rows_.size(); ++r)
        if (rows_.at(r).sco == code) {
            if (r + 1 != currentRow_)
                selectRow(r + 1);
            return true;
        }
    Dialogs().warning(QString(), QStringLiteral("社員マスターにデータが存在しません。"));
    return false;
}

bool TPX3010::cmbHyoukaExit()
{
    if (cmbHyouka_->currentText().trimmed().isEmpty())
        return true;
    int code = 0;
    if (!CheckCodeList(*cmbHyouka_, true, true, false, &code))
        return false;
    txtUPGousu_->setText(QString::number(EvaluationSteps(CurrentSession(), wageTable_, code)));
    recompute();
    return true;
}

bool TPX3010::cmbSikakuExit()
{
    if (cmbSikaku_->currentText().trimmed().isEmpty())
        return true;
    if (!CheckCodeList(*cmbSikaku_, true, true, false))
        return false;
    RaiseTable a = amounts();
    LookUpNewPay(CurrentSession(), cmbNewToukyu_->isEnabled(), link_, wageTable_, cmbNewToukyu_->currentText(),
                 txtNewGouhou_->text(), false, a);
    showAmounts(a);
    return true;
}

bool TPX3010::txtGouhouExit()
{
    if (!CheckIntegerField(*txtGouhou_, 2, 80, 0))
        return false;
    RaiseTable a = amounts();
    LookUpNewPay(CurrentSession(), cmbNewToukyu_->isEnabled(), link_, wageTable_, cmbNewToukyu_->currentText(),
                 txtNewGouhou_->text(), false, a);
    showAmounts(a);
    recompute();
    return true;
}

bool TPX3010::txtNewGouhouExit()
{
    if (!CheckIntegerField(*txtNewGouhou_, 2, 0, 0))
        return false;
    RaiseTable a = amounts();
    const long long result = LookUpNewPay(CurrentSession(), cmbNewToukyu_->isEnabled(), link_, wageTable_,
                                          cmbNewToukyu_->currentText(), txtNewGouhou_->text(), true, a);
    if (link_ >= 1 && link_ <= 3 && result == -1) {
        Dialogs().warning(QString(), NewPayNotFoundMessage);
        return true;
    }
    showAmounts(a);
    return true;
}

void TPX3010::btnAddClick()
{
    if (cmbWorkerCode_->currentText().trimmed().isEmpty() || currentCode_ == 0) {
        Dialogs().warning(QString(), QStringLiteral("社員コードが入力されていません。"));
        PageControl1_->setCurrentIndex(0);
        cmbWorkerCode_->setFocus();
        return;
    }
    const QString newGrade = leadingNumber(cmbNewToukyu_);
    if (link_ >= 1 && link_ <= 3) {
        if (newGrade.isEmpty()) {
            Dialogs().warning(QString(), QStringLiteral("New等級が、入力されていません。"));
            PageControl1_->setCurrentIndex(0);
            return;
        }
        if (WholeNumberOrZero(txtNewGouhou_->text()) == 0) {
            Dialogs().warning(QString(), QStringLiteral("New号俸　が、入力されていません。"));
            PageControl1_->setCurrentIndex(0);
            return;
        }
    }
    RaiseDecision d;
    d.sco = currentCode_;
    for (int i = 0; i < 4; ++i)
        d.matrix[i] = int(WholeNumberOrZero(matrix_[i]->currentText()));
    d.grade = int(WholeNumberOrZero(leadingNumber(cmbSikaku_)));
    d.step = int(WholeNumberOrZero(txtGouhou_->text()));
    d.evaluation = int(WholeNumberOrZero(leadingNumber(cmbHyouka_)));
    d.newGrade = int(WholeNumberOrZero(newGrade));
    d.stepIncrement = int(WholeNumberOrZero(txtUPGousu_->text()));
    d.newStep = int(WholeNumberOrZero(txtNewGouhou_->text()));
    d.promotion = chkUP_->isChecked();
    d.amounts = amounts();
    bool found = false;
    {
        BusyCursor busy;
        if (!SaveRaiseDecision(CurrentSession(), d, found))
            return;
    }
    const int row = currentRow_;
    fillList();
    selectRow(row);
    Grid_->setHighlightedRow(-1);
    changed_ = false;
}

void TPX3010::btnCancelClick()
{
    resetFields();
    PageControl1_->setCurrentIndex(0);
    cmbWorkerCode_->setFocus();
    Grid_->setHighlightedRow(-1);
    const int before = currentRow_;
    currentRow_ = 0;
    if (!rows_.isEmpty()) {
        Grid_->setCursor(1, 1);
        if (before != 1)
            loadEmployee(1);
        else
            currentRow_ = 0;
    }
    changed_ = false;
}

bool TPX3010::staysForChanges(const QString& noLine)
{
    if (!changed_)
        return false;
    if (!Dialogs().yesNo(QStringLiteral("確認"),
                         QStringLiteral("ﾃﾞｰﾀが変更されています。\n【はい】:戻ります。\n") + noLine))
        return false;
    PageControl1_->setCurrentIndex(0);
    txtGouhou_->setFocus();
    return true;
}

void TPX3010::navigateTo(int row, const QString& noLine)
{
    if (rows_.isEmpty() || staysForChanges(noLine))
        return;
    if (row != currentRow_)
        selectRow(row);
    else
        Grid_->setHighlightedRow(row);
    changed_ = false;
    focusFirstField();
}

void TPX3010::btnFirstClick()
{
    navigateTo(1, QStringLiteral("【いいえ】:最初のデータ　へ。"));
}

void TPX3010::btnLastClick()
{
    navigateTo(int(rows_.size()), QStringLiteral("【いいえ】:最後のデータ　へ。"));
}

void TPX3010::btnBackClick()
{
    if (currentRow_ == 1)
        return;
    navigateTo(currentCode_ == 0 || currentRow_ == 0 ? 1 : currentRow_ - 1,
               QStringLiteral("【いいえ】:前のデータ　へ。"));
}

void TPX3010::btnNextClick()
{
    if (currentRow_ == rows_.size())
        return;
    navigateTo(currentCode_ == 0 || currentRow_ == 0 ? int(rows_.size()) : currentRow_ + 1,
               QStringLiteral("【いいえ】:次のデータ　へ。"));
}

void TPX3010::optTokyuClick(int filter)
{
    if (staysForChanges(QStringLiteral("【いいえ】:元のデータ　へ。"))) {
        optTokyu_.at(filter_)->setChecked(true);
        return;
    }
    resetFields();
    filter_ = filter;
    fillList();
    if (!rows_.isEmpty())
        selectRow(1);
    changed_ = false;
}

void TPX3010::btnHyogoClick()
{
    TPX3020 symbols(this);
    symbols.Prepare();
    ShowModal(symbols);
    const int code = currentCode_;
    Activate(true);
    // Back on the employee who was shown, with the evaluations of that wage table.
    for (int r = 0; r < rows_.size(); ++r)
        if (rows_.at(r).sco == code && r + 1 != currentRow_)
            selectRow(r + 1);
    focusFirstField();
}

void TPX3010::btnCloseClick()
{
    if (staysForChanges(QStringLiteral("【いいえ】:画面を閉じます。")))
        return;
    changed_ = false;
    accept();
}
