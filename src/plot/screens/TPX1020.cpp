// TPX1020: raise-curve analysis set-up (昇給カーブの分析).
#include "plot/screens/TPX1020.h"

#include "core/Numbers.h"
#include "shell/screens/ScreenHelpers.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

TPX1020::TPX1020(QWidget* parent) : PlotSetupFrame(*SetupVariant(1020), parent)
{
    auto* order = new QGroupBox(QStringLiteral("近似式"), this);
    order->setGeometry(540, 40, 80, 76);
    opt2Jisiki_ = new QRadioButton(QStringLiteral("２次式"), order);
    opt2Jisiki_->setObjectName(QStringLiteral("opt2Jisiki"));
    opt2Jisiki_->setGeometry(8, 20, 68, 22);
    opt3Jisiki_ = new QRadioButton(QStringLiteral("３次式"), order);
    opt3Jisiki_->setObjectName(QStringLiteral("opt3Jisiki"));
    opt3Jisiki_->setGeometry(8, 46, 68, 22);

    auto* level = new QGroupBox(QStringLiteral("水準"), this);
    level->setGeometry(540, 124, 80, 136);
    const char* numbers[4] = {"１", "2", "3", "4"};
    for (int i = 0; i < 4; ++i) {
        auto* n = new QLabel(QString::fromUtf8(numbers[i]), level);
        n->setGeometry(6, 22 + i * 27, 12, 22);
        levels_[i] = new TRightEdit(level);
        levels_[i]->setObjectName(QStringLiteral("txtLevel%1").arg(i + 1));
        levels_[i]->setGeometry(20, 22 + i * 27, 38, 22);
        levels_[i]->setMaxLength(6);
        auto* percent = new QLabel(QStringLiteral("%"), level);
        percent->setGeometry(61, 22 + i * 27, 14, 22);
        const int index = i;
        CheckWhenLeft(*levels_[i], [this, index] { return LevelExit(index); });
    }

    auto* graph = new QGroupBox(QStringLiteral("グラフ"), this);
    graph->setGeometry(540, 268, 80, 76);
    optGraphAll_ = new QRadioButton(QStringLiteral("全体表示"), graph);
    optGraphAll_->setObjectName(QStringLiteral("optGraphAll"));
    optGraphAll_->setGeometry(6, 20, 72, 22);
    optGraph_ = new QRadioButton(QStringLiteral("個別表示"), graph);
    optGraph_->setObjectName(QStringLiteral("optGraph"));
    optGraph_->setGeometry(6, 46, 72, 22);
}

bool TPX1020::LevelExit(int index)
{
    return CheckRealField(*levels_[index], 6);
}

void TPX1020::readAdditions(PlotSetupChoices& c) const
{
    c.curveOrder = opt2Jisiki_->isChecked() ? 0 : 1;
    c.graphMode = optGraph_->isChecked() ? 1 : 0;
    for (int i = 0; i < 4; ++i)
        c.levels[i] = DecimalNumberOrZero(levels_[i]->text());
}

void TPX1020::showAdditions(const PlotSetupChoices& c)
{
    (c.curveOrder == 1 ? opt3Jisiki_ : opt2Jisiki_)->setChecked(true);
    (c.graphMode == 1 ? optGraph_ : optGraphAll_)->setChecked(true);
    for (int i = 0; i < 4; ++i)
        levels_[i]->setText(QString::number(c.levels[i], 'g', 10));
}
