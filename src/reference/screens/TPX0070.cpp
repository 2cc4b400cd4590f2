// TPX0070: basic settings of the open project (dates, era table, marks, graph lines).
#include "reference/screens/TPX0070.h"

#include "reference/ReferenceTexts.h"
#include "shell/screens/AppState.h"
#include "core/CodeLists.h"
#include "shell/screens/MainWindowLink.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/DialogService.h"

#include <QButtonGroup>
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

const QStringList sizeItems = {"8", "9", "10", "11", "12", "14", "16", "18"};
const QStringList widthItems = {"1", "2", "3", "4", "5"};
const QString fullWidthDigits = QStringLiteral("１２３４５６７８９");
const QString graphBoxTitles[4] = {QStringLiteral("座標軸"), QStringLiteral("目盛"), QStringLiteral("格子"),
                                   QStringLiteral("中央線")};

QLabel* label(const QString& text, QWidget* parent)
{
    return new QLabel(text, parent);
}

QLineEdit* edit(const QString& name, QWidget* parent, int width = 0)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    if (width > 0)
        e->setFixedWidth(width);
    return e;
}

QLineEdit* rightEdit(const QString& name, QWidget* parent, int width, int maxLength)
{
    auto* e = new TRightEdit(parent);
    e->setObjectName(name);
    e->setFixedWidth(width);
    e->setMaxLength(maxLength);
    return e;
}

QComboBox* list(const QString& name, QWidget* parent, int width)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setFixedWidth(width);
    return c;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent)
{
    return MakeButton(parent, name, caption);
}

QLabel* sample(const QString& name, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setFixedSize(161, 9);
    return l;
}

// The code before the first blank of a list's text (line types "3 : 一点鎖線", widths "3").
int listCode(const QComboBox* list)
{
    return CodeOf(list->currentText());
}

} // namespace

TPX0070::TPX0070(QWidget* parent) : QDialog(parent)
{
    SetupFixedForm(*this, QStringLiteral("TPX0070"), QStringLiteral("基本設定"), 1040, 600);

    auto* root = new QVBoxLayout(this);
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl"));
    auto* datePage = new QWidget;
    auto* markPage = new QWidget;
    auto* graphPage = new QWidget;
    pages_->addTab(datePage, QStringLiteral("日付処理"));
    pages_->addTab(markPage, QStringLiteral("マーク設定"));
    pages_->addTab(graphPage, QStringLiteral("グラフ設定"));
    root->addWidget(pages_);
    buildDatePage(datePage);
    buildMarkPage(markPage);
    buildGraphPage(graphPage);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* btnAdd = button(QStringLiteral("btnAdd"), QStringLiteral("登　録"), this);
    auto* btnCancel = button(QStringLiteral("btnCancel"), QStringLiteral("ｷｬﾝｾﾙ"), this);
    auto* btnClose = button(QStringLiteral("btnClose"), QStringLiteral("閉じる"), this);
    for (QPushButton* b : {btnAdd, btnCancel, btnClose}) {
        b->setFixedSize(100, 30);
        buttons->addWidget(b);
    }
    root->addLayout(buttons);
    connect(btnAdd, &QPushButton::clicked, this, &TPX0070::btnAddClick);
    connect(btnCancel, &QPushButton::clicked, this, &TPX0070::btnCancelClick);
    connect(btnClose, &QPushButton::clicked, this, &TPX0070::btnCloseClick);

    InstallEnterMovesFocus(*this);
}

void TPX0070::buildDatePage(QWidget* page)
{
    auto* layout = new QGridLayout(page);

    auto* eraBox = new QGroupBox(QStringLiteral("暦　変換表"), page);
    auto* eraGrid = new QGridLayout(eraBox);
    eraGrid->addWidget(label(QStringLiteral("選択"), eraBox), 0, 0, Qt::AlignCenter);
    eraGrid->addWidget(label(QStringLiteral("和暦"), eraBox), 0, 1, Qt::AlignCenter);
    eraGrid->addWidget(label(QStringLiteral("西暦"), eraBox), 0, 2, Qt::AlignCenter);
    eraGrid->addWidget(label(QStringLiteral("月"), eraBox), 0, 3, Qt::AlignCenter);
    eraGrid->addWidget(label(QStringLiteral("日"), eraBox), 0, 4, Qt::AlignCenter);
    const QString optionNames[3] = {QStringLiteral("optchg1"), QStringLiteral("optChg2"), QStringLiteral("optChg3")};
    auto* eraChoice = new QButtonGroup(eraBox);
    for (int i = 0; i < 3; ++i) {
        const QString n = QString::number(i + 1);
        optchg_[i] = new QRadioButton(eraBox);
        optchg_[i]->setObjectName(optionNames[i]);
        eraChoice->addButton(optchg_[i], i);
        txtNengou_[i] = edit("txtNengou" + n, eraBox, 90);
        txtChgyy_[i] = rightEdit("txtChgyy" + n, eraBox, 60, 4);
        txtChgmm_[i] = rightEdit("txtChgmm" + n, eraBox, 40, 2);
        txtChgdd_[i] = rightEdit("txtChgdd" + n, eraBox, 40, 2);
        eraGrid->addWidget(optchg_[i], i + 1, 0, Qt::AlignCenter);
        eraGrid->addWidget(txtNengou_[i], i + 1, 1);
        eraGrid->addWidget(txtChgyy_[i], i + 1, 2);
        eraGrid->addWidget(txtChgmm_[i], i + 1, 3);
        eraGrid->addWidget(txtChgdd_[i], i + 1, 4);
        rules_.add(*txtChgyy_[i], [e = txtChgyy_[i]] { return CheckIntegerField(*e, 4, 2100, 0); });
        rules_.add(*txtChgmm_[i], [e = txtChgmm_[i]] { return CheckIntegerField(*e, 2, 12, 0); });
        rules_.add(*txtChgdd_[i], [e = txtChgdd_[i]] { return CheckIntegerField(*e, 2, 31, 0); });
        for (QLineEdit* e : {txtNengou_[i], txtChgyy_[i], txtChgmm_[i], txtChgdd_[i]})
            connect(e, &QLineEdit::textChanged, this, &TPX0070::changed);
        connect(optchg_[i], &QRadioButton::toggled, this, &TPX0070::changed);
    }
    auto* fixedNote = label(QStringLiteral("ここは変更不可です"), eraBox);
    fixedNote->setStyleSheet(QStringLiteral("color: red;"));
    eraGrid->addWidget(fixedNote, 4, 0, 1, 5);
    txtNengou_[0]->setText(QStringLiteral("平成"));

    auto* dateBox = new QGroupBox(QStringLiteral("基準年月日"), page);
    auto* dateRow = new QHBoxLayout(dateBox);
    txtKijunbi_ = rightEdit(QStringLiteral("txtKijunbi"), dateBox, 110, 10);
    txtKijunbi_->setText(QStringLiteral("2000.04.01"));
    dateRow->addWidget(txtKijunbi_);
    dateRow->addWidget(label(QStringLiteral("(YYYY.MM.DD)"), dateBox));
    dateRow->addStretch();
    rules_.add(*txtKijunbi_, [this] { return txtKijunbiExit(); });
    connect(txtKijunbi_, &QLineEdit::textChanged, this, &TPX0070::changed);

    auto* ageBox = new QGroupBox(QStringLiteral("年齢/勤続　計算"), page);
    auto* ageColumn = new QVBoxLayout(ageBox);
    optKeisan1_ = new QRadioButton(QStringLiteral("出力時に自動計算"), ageBox);
    optKeisan1_->setObjectName(QStringLiteral("optKeisan1"));
    optKeisan2_ = new QRadioButton(QStringLiteral("基準年月日を設定"), ageBox);
    optKeisan2_->setObjectName(QStringLiteral("optKeisan2"));
    ageColumn->addWidget(optKeisan1_);
    ageColumn->addWidget(optKeisan2_);
    connect(optKeisan1_, &QRadioButton::toggled, this, &TPX0070::optKeisanClick);

    auto* calendarBox = new QGroupBox(QStringLiteral("暦　設定"), page);
    auto* calendarColumn = new QVBoxLayout(calendarBox);
    optSeireki_ = new QRadioButton(QStringLiteral("西　暦"), calendarBox);
    optSeireki_->setObjectName(QStringLiteral("optSeireki"));
    optWareki_ = new QRadioButton(QStringLiteral("和　暦"), calendarBox);
    optWareki_->setObjectName(QStringLiteral("optWareki"));
    calendarColumn->addWidget(optSeireki_);
    calendarColumn->addWidget(optWareki_);
    connect(optSeireki_, &QRadioButton::toggled, this, &TPX0070::changed);

    // Age mode and reference date first: they are what the user changes most.
    layout->addWidget(ageBox, 0, 0);
    layout->addWidget(dateBox, 1, 0);
    layout->addWidget(calendarBox, 2, 0);
    layout->addWidget(eraBox, 0, 1, 3, 1, Qt::AlignTop);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(3, 1);
    for (QGroupBox* b : {ageBox, dateBox, calendarBox})
        b->setFixedWidth(300);
}

void TPX0070::buildMarkPage(QWidget* page)
{
    auto* layout = new QGridLayout(page);
    layout->setSpacing(6);
    for (int i = 0; i < 9; ++i) {
        const QString n = QString::number(i + 1);
        auto* box = new QGroupBox(QStringLiteral("マーク") + fullWidthDigits.mid(i, 1), page);
        box->setObjectName("grpMark" + n);
        auto* g = new QGridLayout(box);
        g->setContentsMargins(6, 4, 6, 4);
        g->setVerticalSpacing(3);
        g->setHorizontalSpacing(4);

        txtMark_[i] = edit("txtMark" + n, box, 40);
        txtMark_[i]->setAlignment(Qt::AlignCenter);
        txtHanrei_[i] = edit("txtHanrei" + n, box);
        btnColor_[i] = button("btnColor" + n, QStringLiteral("カラー設定"), box);
        cmbMSize_[i] = list("cmbMSize" + n, box, 60);
        btnSenColor_[i] = button("btnSenColor" + n, QStringLiteral("カラー設定"), box);
        cmbSensyu_[i] = list("cmbSensyu" + n, box, 100);
        cmbSenHaba_[i] = list("cmbSenHaba" + n, box, 60);
        imgMihon_[i] = sample("imgMihon" + n, box);
        btnColor_[i]->setFixedWidth(78);
        btnSenColor_[i]->setFixedWidth(78);

        g->addWidget(label(QStringLiteral("マーク"), box), 0, 0);
        g->addWidget(txtMark_[i], 0, 1, Qt::AlignLeft);
        g->addWidget(label(QStringLiteral("凡　例"), box), 0, 2);
        g->addWidget(txtHanrei_[i], 0, 3);
        g->addWidget(label(QStringLiteral("マーク色"), box), 1, 0);
        g->addWidget(btnColor_[i], 1, 1);
        g->addWidget(label(QStringLiteral("マークサイズ"), box), 1, 2);
        g->addWidget(cmbMSize_[i], 1, 3, Qt::AlignLeft);
        g->addWidget(label(QStringLiteral("曲線色"), box), 2, 0);
        g->addWidget(btnSenColor_[i], 2, 1);
        g->addWidget(label(QStringLiteral("曲線種類"), box), 2, 2);
        g->addWidget(cmbSensyu_[i], 2, 3, Qt::AlignLeft);
        g->addWidget(label(QStringLiteral("曲線幅"), box), 3, 0);
        g->addWidget(cmbSenHaba_[i], 3, 1, Qt::AlignLeft);
        g->addWidget(imgMihon_[i], 3, 2, 1, 2, Qt::AlignLeft | Qt::AlignVCenter);
        g->setColumnStretch(3, 1);
        layout->addWidget(box, i / 3, i % 3);

        connect(btnColor_[i], &QPushButton::clicked, this, [this, i] { btnColorClick(i + 1); });
        connect(btnSenColor_[i], &QPushButton::clicked, this, [this, i] { btnSenColorClick(i + 1); });
        rules_.add(*cmbMSize_[i], [this, i] { return cmbMSizeExit(i + 1); });
        for (QComboBox* c : {cmbSensyu_[i], cmbSenHaba_[i]}) {
            rules_.add(*c, [this, c, i] {
                const bool ok = CheckCodeList(*c, true, true, false);
                drawMarkSample(i);
                return ok;
            });
            connect(c, &QComboBox::currentIndexChanged, this, [this, i] { drawMarkSample(i); });
        }
        for (QComboBox* c : {cmbMSize_[i], cmbSensyu_[i], cmbSenHaba_[i]})
            connect(c, &QComboBox::currentTextChanged, this, &TPX0070::changed);
        for (QLineEdit* e : {txtMark_[i], txtHanrei_[i]})
            connect(e, &QLineEdit::textChanged, this, &TPX0070::changed);
    }
}

void TPX0070::buildGraphPage(QWidget* page)
{
    auto* layout = new QGridLayout(page);
    for (int i = 0; i < 4; ++i) {
        const QString n = QString::number(i + 1);
        auto* box = new QGroupBox(graphBoxTitles[i], page);
        box->setObjectName("grpGraph" + n);
        auto* g = new QGridLayout(box);
        btnGRColor_[i] = button("btnGRColor" + n, QStringLiteral("カラー設定"), box);
        cmbGRSensyu_[i] = list("cmbGRSensyu" + n, box, 110);
        cmbGRSenHaba_[i] = list("cmbGRSenHaba" + n, box, 60);
        imgGRMihon_[i] = sample("imgGRMihon" + n, box);
        g->addWidget(label(QStringLiteral("直線カラー"), box), 0, 0);
        g->addWidget(btnGRColor_[i], 0, 1, Qt::AlignLeft);
        g->addWidget(label(QStringLiteral("直線種類"), box), 1, 0);
        g->addWidget(cmbGRSensyu_[i], 1, 1, Qt::AlignLeft);
        g->addWidget(label(QStringLiteral("直線幅"), box), 2, 0);
        g->addWidget(cmbGRSenHaba_[i], 2, 1, Qt::AlignLeft);
        g->addWidget(imgGRMihon_[i], 3, 0, 1, 2, Qt::AlignLeft);
        g->setColumnStretch(1, 1);
        box->setFixedSize(300, 160);
        layout->addWidget(box, i / 2, i % 2, Qt::AlignTop | Qt::AlignLeft);

        connect(btnGRColor_[i], &QPushButton::clicked, this, [this, i] { btnGRColorClick(i + 1); });
        for (QComboBox* c : {cmbGRSensyu_[i], cmbGRSenHaba_[i]}) {
            rules_.add(*c, [this, c, i] {
                const bool ok = CheckCodeList(*c, true, true, false);
                drawLineSample(i);
                return ok;
            });
            connect(c, &QComboBox::currentIndexChanged, this, [this, i] { drawLineSample(i); });
            connect(c, &QComboBox::currentTextChanged, this, &TPX0070::changed);
        }
    }
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(2, 1);
}

void TPX0070::Prepare()
{
    loading_ = true;
    for (int i = 0; i < 9; ++i) {
        cmbMSize_[i]->clear();
        cmbMSize_[i]->addItems(sizeItems);
        cmbMSize_[i]->setEditText(QStringLiteral("0"));
        cmbSenHaba_[i]->clear();
        cmbSenHaba_[i]->addItems(widthItems);
        cmbSenHaba_[i]->setEditText(QStringLiteral("0"));
        FillLineStyles(*cmbSensyu_[i]);
        cmbSensyu_[i]->setEditText(NoneItem);
    }
    for (int i = 0; i < 4; ++i) {
        cmbGRSenHaba_[i]->clear();
        cmbGRSenHaba_[i]->addItems(widthItems);
        cmbGRSenHaba_[i]->setEditText(QStringLiteral("0"));
        FillLineStyles(*cmbGRSensyu_[i]);
        cmbGRSensyu_[i]->setEditText(NoneItem);
    }
    BasicSettings s;
    ReadBasicSettings(CurrentSession(), s);   // a failure has shown its message; the screen shows what was read
    read_ = s;
    showSettings(s);
    loading_ = false;
    dirty_ = false;
    pages_->setCurrentIndex(0);
}

void TPX0070::showCode(QComboBox& list, int code)
{
    const int i = IndexOfCode(ItemsOf(list), QString::number(code));
    if (i >= 0) {
        list.setCurrentIndex(i);
        list.setEditText(list.itemText(i));
    } else {
        list.setCurrentIndex(-1);
        list.setEditText(QString::number(code));
    }
}

void TPX0070::showNumber(QComboBox& list, int value)
{
    const int i = list.findText(QString::number(value));
    list.setCurrentIndex(i);
    list.setEditText(QString::number(value));
}

void TPX0070::showSettings(const BasicSettings& s)
{
    optKeisan1_->setChecked(s.ageByToday);
    optKeisan2_->setChecked(!s.ageByToday);
    txtKijunbi_->setEnabled(!s.ageByToday);
    referenceDate_ = s.referenceDate;
    txtKijunbi_->setText(ReferenceDateText(s.referenceDate));
    optWareki_->setChecked(s.eraCalendar);
    optSeireki_->setChecked(!s.eraCalendar);

    if (s.control.ok) {
        for (int i = 0; i < 3; ++i) {
            txtNengou_[i]->setText(s.eras[i].name);
            txtChgyy_[i]->setText(s.eras[i].year);
            txtChgmm_[i]->setText(s.eras[i].month);
            txtChgdd_[i]->setText(s.eras[i].day);
        }
    }
    optchg_[s.selectedEra]->setChecked(true);

    for (int i = 0; i < 9; ++i) {
        const MarkSetting& m = s.marks[i];
        txtMark_[i]->setText(m.symbol);
        txtHanrei_[i]->setText(m.legend);
        markColor_[i] = m.markColor;
        curveColor_[i] = m.curveColor;
        showNumber(*cmbMSize_[i], m.size);
        showCode(*cmbSensyu_[i], m.lineType);
        showNumber(*cmbSenHaba_[i], m.width);
        paintMarkSymbol(i);
        drawMarkSample(i);
    }
    for (int i = 0; i < 4; ++i) {
        const GraphLineSetting& g = s.lines[i];
        lineColor_[i] = g.color;
        showCode(*cmbGRSensyu_[i], g.lineType);
        showNumber(*cmbGRSenHaba_[i], g.width);
        drawLineSample(i);
    }
}

BasicSettings TPX0070::collect() const
{
    BasicSettings s = read_;
    s.ageByToday = optKeisan1_->isChecked();
    s.referenceDate = referenceDate_;
    s.eraCalendar = optWareki_->isChecked();
    for (int i = 0; i < 3; ++i) {
        s.eras[i] = {txtNengou_[i]->text(), txtChgyy_[i]->text(), txtChgmm_[i]->text(), txtChgdd_[i]->text()};
        if (optchg_[i]->isChecked())
            s.selectedEra = i;
    }
    for (int i = 0; i < 9; ++i) {
        MarkSetting& m = s.marks[i];
        m.symbol = txtMark_[i]->text();
        m.legend = txtHanrei_[i]->text();
        m.markColor = markColor_[i];
        m.size = NumberOr(cmbMSize_[i]->currentText(), 0);
        m.curveColor = curveColor_[i];
        m.lineType = listCode(cmbSensyu_[i]);
        m.width = listCode(cmbSenHaba_[i]);
    }
    for (int i = 0; i < 4; ++i) {
        GraphLineSetting& g = s.lines[i];
        g.color = lineColor_[i];
        g.lineType = listCode(cmbGRSensyu_[i]);
        g.width = listCode(cmbGRSenHaba_[i]);
    }
    return s;
}

void TPX0070::changed()
{
    if (!loading_)
        dirty_ = true;
}

void TPX0070::paintMarkSymbol(int i)
{
    QPalette p = txtMark_[i]->palette();
    p.setColor(QPalette::Text, QColor::fromRgb(ColorToRgb(markColor_[i])));
    txtMark_[i]->setPalette(p);
}

void TPX0070::drawMarkSample(int i)
{
    imgMihon_[i]->setPixmap(
        QPixmap::fromImage(DrawLineSample(curveColor_[i], listCode(cmbSensyu_[i]), listCode(cmbSenHaba_[i]))));
}

void TPX0070::drawLineSample(int i)
{
    imgGRMihon_[i]->setPixmap(
        QPixmap::fromImage(DrawLineSample(lineColor_[i], listCode(cmbGRSensyu_[i]), listCode(cmbGRSenHaba_[i]))));
}

bool TPX0070::txtKijunbiExit()
{
    long long date = 0;
    if (!ReferenceDateFromText(txtKijunbi_->text(), date)) {
        Dialogs().warning(QString(), QStringLiteral("数値を入力してください。"));
        return false;
    }
    const bool wasLoading = loading_;
    loading_ = true;   // reformatting is not a change of its own
    txtKijunbi_->setText(ReferenceDateText(date));
    loading_ = wasLoading;
    if (date != referenceDate_)
        changed();
    referenceDate_ = date;
    return true;
}

bool TPX0070::cmbMSizeExit(int n)
{
    if (!MarkSizeAccepted(cmbMSize_[n - 1]->currentText())) {
        Dialogs().warning(QString(), QStringLiteral("入力範囲外です。"));
        return false;
    }
    return true;
}

void TPX0070::optKeisanClick()
{
    txtKijunbi_->setEnabled(optKeisan2_->isChecked());
    changed();
}

void TPX0070::btnColorClick(int n)
{
    if (const auto c = Dialogs().chooseColor(markColor_[n - 1])) {
        markColor_[n - 1] = *c;
        paintMarkSymbol(n - 1);
        changed();
    }
}

void TPX0070::btnSenColorClick(int n)
{
    if (const auto c = Dialogs().chooseColor(curveColor_[n - 1])) {
        curveColor_[n - 1] = *c;
        drawMarkSample(n - 1);
        changed();
    }
}

void TPX0070::btnGRColorClick(int n)
{
    if (const auto c = Dialogs().chooseColor(lineColor_[n - 1])) {
        lineColor_[n - 1] = *c;
        drawLineSample(n - 1);
        changed();
    }
}

void TPX0070::btnAddClick()
{
    // The fields are checked again: a click can follow a refused field.
    if (!rules_.checkAll())
        return;
    const BasicSettings s = collect();
    Session session = CurrentSession();
    if (!WriteBasicSettings(session, s))
        return;
    PublishBasicSettings(session, s);
    AdoptSession(session);
    if (App().CompanyOpen)
        SetMainWindowCaption(OpenCompanyCaption());   // the year text follows the calendar mode
    BasicSettings reread;
    if (ReadBasicSettings(session, reread))
        read_ = reread;
    dirty_ = false;
}

void TPX0070::btnCancelClick()
{
    dirty_ = false;
}

void TPX0070::btnCloseClick()
{
    if (dirty_ && Dialogs().yesNo(ConfirmCaption, ChangedQuestion(CloseScreenText)))
        return;
    QDialog::reject();
}

void TPX0070::reject()
{
    btnCloseClick();
}
