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
    // The three groups of the raise curve stand in a column right of the frame.
    constexpr int Left = 540, Width = 190;
    auto* order = new QGroupBox(QStringLiteral("近似式"), this);
    order->setGeometry(Left, 40, Width, 76);
    opt2Jisiki_ = new QRadioButton(QStringLiteral("２次式"), order);
    opt2Jisiki_->setObjectName(QStringLiteral("opt2Jisiki"));
    opt2Jisiki_->setGeometry(8, 20, 80, 22);
    opt3Jisiki_ = new QRadioButton(QStringLiteral("３次式"), order);
    opt3Jisiki_->setObjectName(QStringLiteral("opt3Jisiki"));
    opt3Jisiki_->setGeometry(8, 46, 80, 22);

    // A level is a per cent above (or, negative, below) the fitted curve: 10 draws the curve
    // times 1.1, -10 times 0.9, 0 no line. The caption beside each box says so, since a
    // user reading "水準 %" alone would type 110 for 110 %.
    auto* level = new QGroupBox(QStringLiteral("水準"), this);
    level->setObjectName(QStringLiteral("GroupBoxLevel"));
    level->setGeometry(Left, 124, Width, 136);
    const char* numbers[4] = {"１", "2", "3", "4"};
    for (int i = 0; i < 4; ++i) {
        auto* n = new QLabel(QString::fromUtf8(numbers[i]), level);
        n->setGeometry(6, 22 + i * 27, 12, 22);
        levels_[i] = new TRightEdit(level);
        levels_[i]->setObjectName(QStringLiteral("txtLevel%1").arg(i + 1));
        levels_[i]->setGeometry(20, 22 + i * 27, 48, 22);
        levels_[i]->setMaxLength(6);
        levels_[i]->setToolTip(LevelHint);
        auto* percent = new QLabel(LevelUnitCaption, level);
        percent->setObjectName(QStringLiteral("labLevel%1").arg(i + 1));
        percent->setGeometry(72, 22 + i * 27, Width - 78, 22);
        percent->setToolTip(LevelHint);
        const int index = i;
        CheckWhenLeft(*levels_[i], [this, index] { return LevelExit(index); });
    }

    auto* graph = new QGroupBox(QStringLiteral("グラフ"), this);
    graph->setGeometry(Left, 268, Width, 76);
    optGraphAll_ = new QRadioButton(QStringLiteral("全体表示"), graph);
    optGraphAll_->setObjectName(QStringLiteral("optGraphAll"));
    optGraphAll_->setGeometry(8, 20, 100, 22);
    optGraph_ = new QRadioButton(QStringLiteral("個別表示"), graph);
    optGraph_->setObjectName(QStringLiteral("optGraph"));
    optGraph_->setGeometry(8, 46, 100, 22);
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
