// The set-up frame shared by the plot set-up screens (TPX1010, TPX1020 and the later ones).
#include "plot/screens/PlotSetupFrame.h"

#include "plot/ChartAnalyses.h"
#include "plot/ChartModel.h"
#include "plot/screens/TPX1100.h"
#include "shell/screens/AppState.h"
#include "core/Colors.h"
#include "shell/ProjectLookups.h"
#include "shell/screens/DialogService.h"
#include "shell/screens/ScreenHelpers.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

QGroupBox* Group(QWidget* parent, const QString& title, const QRect& at)
{
    auto* g = new QGroupBox(title, parent);
    g->setGeometry(at);
    return g;
}

QRadioButton* Radio(QWidget* parent, const QString& name, const QString& caption, const QRect& at)
{
    auto* r = new QRadioButton(caption, parent);
    r->setObjectName(name);
    r->setGeometry(at);
    return r;
}

void Check(const QList<QRadioButton*>& buttons, int index)
{
    if (index >= 0 && index < buttons.size())
        buttons[index]->setChecked(true);
}

int CheckedIndex(const QList<QRadioButton*>& buttons)
{
    for (int i = 0; i < buttons.size(); ++i)
        if (buttons[i]->isChecked())
            return i;
    return 0;
}

} // namespace

PlotSetupFrame::PlotSetupFrame(const PlotSetupVariant& variant, QWidget* parent) : QDialog(parent), variant_(variant)
{
    SetupFixedForm(*this, QStringLiteral("TPX%1").arg(variant.screenId), variant.caption, variant.width, variant.height);
    build();
    InstallEnterMovesFocus(*this);
    RegisterSetupScreen(variant_.screenId, {this, [this] { Prepare(); }});
}

PlotSetupFrame::~PlotSetupFrame()
{
    UnregisterSetupScreen(variant_.screenId, this);
}

void PlotSetupFrame::build()
{
    auto* titleLabel = new QLabel(QStringLiteral("タイトル"), this);
    titleLabel->setGeometry(10, 12, 60, 20);
    txtTitle_ = new QLineEdit(this);
    txtTitle_->setObjectName(QStringLiteral("txtTitle"));
    txtTitle_->setGeometry(75, 10, 455, 24);
    txtTitle_->setMaxLength(40);

    QGroupBox* GroupBox1 = xGroup_ = Group(this, QStringLiteral("X軸　項目"), {10, 40, 165, 172});
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    QGroupBox* GroupBox2 = yGroup_ = Group(this, QStringLiteral("Y軸　項目"), {185, 40, 165, 172});
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    auto* xGroup = new QButtonGroup(this);
    auto* yGroup = new QButtonGroup(this);
    for (int i = 0; i < 6; ++i) {
        xItems_ << Radio(GroupBox1, QStringLiteral("optX%1").arg(i + 1), variant_.xItems[i].caption, {12, 22 + i * 24, 145, 22});
        yItems_ << Radio(GroupBox2, QStringLiteral("optY%1").arg(i + 1), variant_.yItems[i].caption, {12, 22 + i * 24, 145, 22});
        xGroup->addButton(xItems_.last());
        yGroup->addButton(yItems_.last());
    }
    GroupBox1->setVisible(variant_.hasAxisItems);
    GroupBox2->setVisible(variant_.hasAxisItems);

    QGroupBox* labels = Group(this, QStringLiteral("マーク表示"), {360, 40, 170, 172});
    const char* labelNames[4] = {"optMarkSeq", "optMarkInp", "optMarkZone", "optMarkNodsp"};
    const char* labelCaptions[4] = {"シーケンス Ｎｏ", "人事評価 記号", "ゾーン", "表示しない"};
    int y = 22;
    for (int i = 0; i < 4; ++i) {
        markLabels_ << Radio(labels, QString::fromLatin1(labelNames[i]), QString::fromUtf8(labelCaptions[i]), {12, y, 150, 22});
        if (i != 2)
            y += 26;
    }

    QGroupBox* marks = Group(this, QStringLiteral("プロットマーク"), {10, 218, 250, 232});
    QGroupBox* grades = Group(this, QStringLiteral("等級選択"), {270, 218, 260, 232});
    for (int i = 0; i < 9; ++i) {
        auto* mark = new QCheckBox(marks);
        mark->setObjectName(QStringLiteral("optPlot%1").arg(i + 1));
        mark->setGeometry(12, 20 + i * 20, 230, 20);
        plotMarks_ << mark;
        auto* grade = new QCheckBox(QString::number(i + 1), grades);
        grade->setObjectName(QStringLiteral("optTokyu%1").arg(i + 1));
        grade->setGeometry(12, 20 + i * 20, 40, 20);
        grades_ << grade;
        auto* name = new QLineEdit(grades);
        name->setObjectName(QStringLiteral("txtTokyu%1").arg(i + 1));
        name->setReadOnly(true);
        name->setFocusPolicy(Qt::NoFocus);
        name->setGeometry(55, 20 + i * 20, 190, 19);
        gradeNames_ << name;
    }
    auto groupButton = [](QWidget* parent, const char* name, const char* caption, int x) {
        QPushButton* b = MakeButton(parent, QString::fromLatin1(name), QString::fromUtf8(caption));
        b->setGeometry(x, 202, 70, 24);
        return b;
    };
    connect(groupButton(marks, "btnPlotAll", "ﾌﾟﾛｯﾄ全", 12), &QPushButton::clicked, this, [this] { SetAllChecks(plotMarks_, true); });
    connect(groupButton(marks, "btnPlotNothing", "ﾌﾟﾛｯﾄ無", 90), &QPushButton::clicked, this, [this] { SetAllChecks(plotMarks_, false); });
    connect(groupButton(grades, "btnTokyuAll", "等級全", 12), &QPushButton::clicked, this, [this] { SetAllChecks(grades_, true); });
    connect(groupButton(grades, "btnTokyuNothing", "等級無", 90), &QPushButton::clicked, this, [this] { SetAllChecks(grades_, false); });

    QGroupBox* forms = Group(this, QStringLiteral("就労形態"), {10, 456, 520, 44});
    for (int i = 0; i < 4; ++i)
        forms_ << Radio(forms, QStringLiteral("optSalary%1").arg(i + 1), QString(), {10 + i * 102, 18, 98, 22});
    forms_ << Radio(forms, QStringLiteral("optSalaryAll"), QStringLiteral("すべて"), {418, 18, 96, 22});

    auto* Lbl_SelTable = new QLabel(QStringLiteral("賃金表 Group"), this);
    Lbl_SelTable->setObjectName(QStringLiteral("Lbl_SelTable"));
    Lbl_SelTable->setGeometry(10, 514, 80, 20);
    cmbChingin_ = new QComboBox(this);
    cmbChingin_->setObjectName(QStringLiteral("cmbChingin"));
    cmbChingin_->setGeometry(92, 510, 170, 26);
    connect(cmbChingin_, &QComboBox::activated, this, [this] { cmbChinginChange(); });
    QGroupBox* sex = Group(this, QStringLiteral("性別"), {270, 504, 260, 40});
    sexes_ << Radio(sex, QStringLiteral("optsex1"), QStringLiteral("男性"), {12, 14, 70, 22})
           << Radio(sex, QStringLiteral("optSex2"), QStringLiteral("女性"), {92, 14, 70, 22})
           << Radio(sex, QStringLiteral("optSex3"), QStringLiteral("すべて"), {172, 14, 80, 22});

    auto* memoLabel = new QLabel(QStringLiteral("解　説"), this);
    memoLabel->setGeometry(10, 556, 46, 20);
    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName(variant_.memoName);
    memo_->setGeometry(60, 552, 330, 60);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    QPushButton* analyse = MakeButton(this, QStringLiteral("btnAnalize"), QStringLiteral("分　析"));
    analyse->setGeometry(400, 566, 62, 40);
    QPushButton* close = MakeButton(this, QStringLiteral("btnClose"), QStringLiteral("閉じる"));
    close->setGeometry(468, 566, 62, 40);
    connect(analyse, &QPushButton::clicked, this, &PlotSetupFrame::btnAnalizeClick);
    connect(close, &QPushButton::clicked, this, &PlotSetupFrame::btnCloseClick);

    if (variant_.wageTableGraph) {
        // The reduced frame: title, the wage table, commentary and the two buttons; the
        // other groups keep their choices hidden.
        for (QGroupBox* g : {GroupBox1, GroupBox2, labels, marks, grades, forms, sex})
            g->hide();
        Lbl_SelTable->setText(QStringLiteral("賃金表"));
        Lbl_SelTable->setGeometry(10, 54, 60, 20);
        cmbChingin_->setGeometry(75, 50, 455, 26);
        memoLabel->move(10, 96);
        memo_->setGeometry(75, 92, 455, 130);
        analyse->move(400, 240);
        close->move(468, 240);
    }
}

void PlotSetupFrame::Prepare()
{
    setFixedSize(variant_.width, variant_.height);
    markLabels_[2]->hide();
    const EmploymentForms forms = LoadEmploymentForms(CurrentSession());
    for (int i = 0; i < 4; ++i)
        forms_[i]->setText(forms[i].formName);
    const TMKIGYOU2& c = Project().CurrentCompany;
    FillListFromQuery(*cmbChingin_,
                      QStringLiteral("select CGCO || ' : ' || TITLE as COMBNAME from MCHINGIN Where KCO = ? and  NENDO = ? "
                                     "order by CGCO"),
                      !variant_.wageTableGraph, {c.KCO.toLongLong(), c.NENDO.toLongLong()});
    cmbChingin_->setCurrentIndex(0);
    SetCurrentChart(0);
    Load();
    // A form the company has not named offers no button (unless a stored choice holds it).
    for (int i = 0; i < 4; ++i)
        forms_[i]->setVisible(!forms[i].formName.isEmpty() || forms_[i]->isChecked());
}

void PlotSetupFrame::Load()
{
    const Session session = CurrentSession();
    const QStringList names = LoadGradeNames(session, QStringLiteral("0"));
    for (int i = 0; i < 9; ++i)
        gradeNames_[i]->setText(names.value(i));
    PlotSetupChoices c;
    LoadSetupChoices(session, variant_, c);
    showChoices(c);
    const TMMARK* marks = Project().Marks;
    for (int i = 0; i < 9; ++i) {
        QAbstractButton* box = plotMarks_[i];
        box->setText(marks[i].MKCO != 0 ? marks[i].MARK + ' ' + marks[i].HANREI : QString());
        QPalette pal = box->palette();
        pal.setColor(QPalette::WindowText, QColor::fromRgb(ColorToRgb(marks[i].MKCOLOR)));
        box->setPalette(pal);
    }
    cmbChinginChange();
}

void PlotSetupFrame::showChoices(const PlotSetupChoices& c)
{
    loaded_ = c;
    txtTitle_->setText(c.title);
    memo_->setPlainText(c.memo);
    Check(xItems_, c.fx);
    Check(yItems_, c.fy);
    Check(markLabels_, c.markLabel);
    Check(forms_, c.form);
    SelectItemByCode(*cmbChingin_, QString::number(c.wageTable));
    for (int i = 0; i < 9; ++i) {
        plotMarks_[i]->setChecked(c.marks[i]);
        grades_[i]->setChecked(c.grades[i]);
    }
    Check(sexes_, c.sex);
    showAdditions(c);
}

void PlotSetupFrame::cmbChinginChange()
{
    const QStringList names = LoadGradeNames(CurrentSession(), QString::number(SelectedItemCode(*cmbChingin_)));
    for (int i = 0; i < 9; ++i)
        gradeNames_[i]->setText(names.value(i));
}

PlotSetupChoices PlotSetupFrame::choices() const
{
    PlotSetupChoices c = loaded_;
    c.title = txtTitle_->text();
    c.memo = memo_->toPlainText();
    c.fx = CheckedIndex(xItems_);
    c.fy = CheckedIndex(yItems_);
    c.markLabel = CheckedIndex(markLabels_);
    for (int i = 0; i < 9; ++i) {
        c.marks[i] = plotMarks_[i]->isChecked();
        c.grades[i] = grades_[i]->isChecked();
    }
    c.form = CheckedIndex(forms_);
    c.wageTable = SelectedItemCode(*cmbChingin_);
    c.sex = CheckedIndex(sexes_);
    readAdditions(c);
    return c;
}

bool PlotSetupFrame::Save()
{
    return SaveSetupChoices(CurrentSession(), variant_, choices(), true);
}

void PlotSetupFrame::btnAnalizeClick()
{
    if (PlotWindowExists() && PlotWindow().pointLabelCount() > 0)
        PlotWindow().DeletePointLabels();
    errorFlag_ = false;
    PlotSetupChoices c = choices();
    const SetupAnalysis outcome = runAnalysis(c);
    if (outcome != SetupAnalysis::Plotted) {
        errorFlag_ = outcome == SetupAnalysis::NoData;
        txtTitle_->setFocus();
        return;
    }
    Check(yItems_, c.fy);
    SetCurrentChart(variant_.screenId);
    TPX1100& plot = PlotWindow();
    plot.setWindowTitle(QStringLiteral("プロット　 【　") + c.title + QStringLiteral("　】"));
    plot.ShowMaximised();
    plot.OpenPlot();
    accept();
    plot.raise();
    plot.activateWindow();
}

SetupAnalysis PlotSetupFrame::runAnalysis(PlotSetupChoices& c)
{
    BusyCursor busy;
    const ChartAnalysis analysis = RunChartAnalysis(CurrentSession(), variant_, c);
    if (analysis.optimalWage)
        LastOptimalWage() = *analysis.optimalWage;
    ShowOutcome(analysis.outcome);
    return analysis.status;
}

void PlotSetupFrame::btnCloseClick()
{
    Save();
    if (PlotWindowExists()) {
        TPX1100& plot = PlotWindow();
        if (plot.pointLabelCount() > 0)
            plot.DeletePointLabels();
        plot.close();
    }
    SetCurrentChart(0);
    reject();
}
