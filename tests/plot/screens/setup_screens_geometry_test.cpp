// Every plot set-up screen at its design size on the first sample company: nothing clipped by
// the form's edge, nothing laid over anything else, every caption and number in full; and the
// raise-curve analysis says beside each level box what the level means.
#include "plot/screens/TPX1010.h"
#include "plot/screens/TPX1020.h"
#include "plot/screens/TPX1030.h"
#include "plot/screens/TPX1040.h"
#include "plot/screens/TPX1050.h"
#include "plot/screens/TPX1060.h"
#include "plot/screens/TPX1070.h"
#include "support/screens/SamplePlotTest.h"
#include "support/screens/ScreenGeometry.h"

#include <QLabel>
#include <QLineEdit>

#include <functional>
#include <memory>

namespace {

class SetupScreenGeometry : public SamplePlotTest {};

// A set-up screen, and the widest text of each kind of its number boxes (by name prefix).
struct SetupScreenCase {
    int chart;
    std::function<std::unique_ptr<PlotSetupFrame>()> make;
    QList<std::pair<QString, QString>> numbers;
};

template <class Screen>
std::unique_ptr<PlotSetupFrame> make()
{
    return std::make_unique<Screen>();
}

QList<AmountBox> numberBoxes(const QWidget& screen, const QList<std::pair<QString, QString>>& numbers)
{
    QList<AmountBox> boxes;
    for (const auto& [prefix, widest] : numbers)
        for (const QLineEdit* e : screen.findChildren<QLineEdit*>())
            if (e->objectName().startsWith(prefix))
                boxes << AmountBox{e, widest};
    return boxes;
}

} // namespace

TEST_F(SetupScreenGeometry, EverySetupScreenFitsItsDesignSizeWithoutOverlaps)
{
    const QList<SetupScreenCase> cases = {
        {1010, make<TPX1010>, {}},
        // A level takes six characters; the design's amounts eight digits with separators.
        {1020, make<TPX1020>, {{"txtLevel", "999999"}}},
        {1030, make<TPX1030>, {}},
        {1040, make<TPX1040>, {}},
        {1050, make<TPX1050>, {{"txtSyokunou", "99,999,999"}, {"txtNenrei", "99"}}},
        {1060, make<TPX1060>, {}},
        {1070, make<TPX1070>, {{"txtLevel", "999"}}},
    };
    for (const SetupScreenCase& c : cases) {
        SCOPED_TRACE(c.chart);
        std::unique_ptr<PlotSetupFrame> screen = c.make();
        screen->Prepare();
        const PlotSetupVariant& v = *SetupVariant(c.chart);
        EXPECT_EQ(screen->size(), QSize(v.width, v.height));
        const QList<AmountBox> boxes = numberBoxes(*screen, c.numbers);
        EXPECT_EQ(boxes.isEmpty(), c.numbers.isEmpty());
        const QStringList faults = GeometryFaults(*screen, boxes);
        EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
        screen->hide();
    }
}

// 110 typed as a level draws a line 110 % above the curve: the caption beside every box says
// that a level is a per cent above or below the fitted curve, and it is read in full.
TEST_F(SetupScreenGeometry, EveryLevelBoxSaysItTakesAPerCentFromTheFittedCurve)
{
    TPX1020 screen;
    screen.Prepare();
    screen.show();
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(i);
        const auto* box = child<QLineEdit>(screen, QStringLiteral("txtLevel%1").arg(i));
        const auto* caption = child<QLabel>(screen, QStringLiteral("labLevel%1").arg(i));
        ASSERT_TRUE(box && caption);
        EXPECT_EQ(caption->text(), LevelUnitCaption);
        EXPECT_TRUE(caption->text().contains(QStringLiteral("近似線")));
        EXPECT_TRUE(caption->isVisible());
        // Beside its box, on the same line, and wide enough for all of its text.
        EXPECT_EQ(caption->parentWidget(), box->parentWidget());
        EXPECT_GE(caption->x(), box->geometry().right());
        EXPECT_EQ(caption->y(), box->y());
        EXPECT_GE(caption->contentsRect().width(), caption->fontMetrics().horizontalAdvance(caption->text()));
        // And the group shows it whole.
        EXPECT_TRUE(caption->parentWidget()->rect().contains(caption->geometry()));
    }
    const QStringList faults = GeometryFaults(screen);
    EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
}
