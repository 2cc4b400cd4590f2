// TPX1070: optimal-wage set-up (最適賃金).
#include "plot/screens/TPX1070.h"

#include "plot/ChartAnalyses.h"
#include "plot/PlotLayout.h"
#include "plot/OptimalWage.h"
#include "plot/screens/TFPX1071.h"
#include "plot/screens/TPX1100.h"
#include "shell/screens/AppState.h"
#include "core/Numbers.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/DialogService.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

TPX1070::TPX1070(QWidget* parent) : PlotSetupFrame(*SetupVariant(ChartOptimalWage), parent)
{
    // The explanatory variables are check boxes in place of the X items.
    xGroup_->hide();
    auto* box = new QGroupBox(QStringLiteral("X軸　説明変数"), this);
    box->setObjectName(QStringLiteral("GroupBoxX"));
    box->setGeometry(xGroup_->geometry());
    const char* names[9] = {"optXNenrei", "optXKinzoku", "optXKeiken", "optXTaiNensuu", "optXSikaku",
                            "optXGouhou", "optXTassei", "optXSyokumu", "optXJinji"};
    for (int i = 0; i < 9; ++i) {
        explanatory_[i] = new QCheckBox(ExplanatoryCaptions[i], box);
        explanatory_[i]->setObjectName(QString::fromLatin1(names[i]));
        explanatory_[i]->setGeometry(12, 18 + i * 17, 145, 17);
    }
    yGroup_->setTitle(QStringLiteral("Y軸　目的変数"));
    markLabels_[0]->setText(QStringLiteral("ｼｰｹﾝｽNo"));
    markLabels_[1]->setText(QStringLiteral("入力ﾃﾞｰﾀ"));

    auto* area = new QGroupBox(QStringLiteral("最適エリア"), this);
    area->setGeometry(540, 40, 130, 84);
    const char* edges[2] = {"上限", "下限"};
    for (int i = 0; i < 2; ++i) {
        auto* edge = new QLabel(QString::fromUtf8(edges[i]), area);
        edge->setGeometry(8, 22 + i * 28, 30, 22);
        levels_[i] = new TRightEdit(area);
        levels_[i]->setObjectName(QStringLiteral("txtLevel%1").arg(i + 1));
        levels_[i]->setGeometry(40, 22 + i * 28, 34, 22);
        levels_[i]->setMaxLength(3);
        auto* line = new QLabel(QStringLiteral("％ライン"), area);
        line->setGeometry(78, 22 + i * 28, 50, 22);
        const int index = i;
        CheckWhenLeft(*levels_[i], [this, index] { return LevelExit(index); });
    }
    optGraph_ = new QCheckBox(QStringLiteral("　グラフ表示"), this);
    optGraph_->setObjectName(QStringLiteral("optGraph"));
    optGraph_->setGeometry(548, 132, 120, 22);

    QPushButton* keisan = MakeButton(this, QStringLiteral("btnKeisan"), QStringLiteral("計　算"));
    keisan->setGeometry(548, 566, 62, 40);
    connect(keisan, &QPushButton::clicked, this, &TPX1070::btnKeisanClick);
}

bool TPX1070::LevelExit(int index)
{
    return CheckRealField(*levels_[index], 3);
}

void TPX1070::readAdditions(PlotSetupChoices& c) const
{
    c.fx = 0;
    c.explanatory.clear();
    for (QCheckBox* b : explanatory_)
        c.explanatory += b->isChecked() ? '1' : '0';
    c.graphMode = optGraph_->isChecked() ? 1 : 0;
    c.curveOrder = 0;
    c.levels = {DecimalNumberOrZero(levels_[0]->text()), DecimalNumberOrZero(levels_[1]->text()), 0, 0};
}

void TPX1070::showAdditions(const PlotSetupChoices& c)
{
    for (int i = 0; i < 9; ++i)
        explanatory_[i]->setChecked(c.explanatory.mid(i, 1) == QLatin1String("1"));
    optGraph_->setChecked(c.graphMode == 1);
    for (int i = 0; i < 2; ++i)
        levels_[i]->setText(QString::number(c.levels[i], 'g', 10));
}

void TPX1070::btnKeisanClick()
{
    PlotSetupChoices c = choices();
    {
        BusyCursor busy;
        OptimalWageRun run = RegressOptimalWageChoices(CurrentSession(), variant(), c);
        ShowOutcome(run.outcome);
        if (!run.outcome.ok)
            return;
        LastOptimalWage() = std::move(run.state);
    }
    if (LastOptimalWage().linked)
        Dialogs().information(AppTitle, LinkedDataMessage);
    TFPX1071 results(this);
    ShowModal(results);
}
