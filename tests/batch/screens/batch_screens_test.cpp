// wageloom-batch against the screens it stands in for: the plot of every comparison set-up
// drawn from the choices its screen stored, and the year rollover of 年次更新.
#include "plot/Comparisons.h"
#include "plot/DrawnCurves.h"
#include "plot/screens/TPX1030.h"
#include "plot/screens/TPX1040.h"
#include "plot/screens/TPX1050.h"
#include "plot/screens/TPX1060.h"
#include "plot/screens/TPX1070.h"
#include "raise/YearRollover.h"
#include "raise/screens/TPX3030.h"
#include "support/BatchToolRun.h"
#include "support/screens/SamplePlotTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace {

class BatchAgainstScreens : public SamplePlotTest {
protected:
    ToolRun run(const QStringList& arguments) { return RunBatchTool(folder.path(), arguments); }
};

// Copies every file under from into to, keeping the folders.
void CopyTree(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + '/' + QDir(from).relativeFilePath(file);
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::remove(target);
        ASSERT_TRUE(QFile::copy(file, target)) << file.toStdString();
    }
}

// Every row of the program folder's control database and of the two years' databases.
QString DumpAll(const TestProgramFolder& folder)
{
    QString out;
    for (const QString& file : {QStringLiteral("SEIGYO.MDB"), QStringLiteral("2020/DATA.MDB"), QStringLiteral("2021/DATA.MDB")}) {
        SqliteConnection cn;
        out += "# " + file + '\n';
        out += cn.open(folder.dataPath(file)) ? DumpDatabase(cn) : QStringLiteral("(missing)\n");
    }
    return out;
}

} // namespace

TEST_F(BatchAgainstScreens, PlotOfEachSetupIsThePictureItsScreenOpened)
{
    struct Case {
        int chart;
        std::function<PlotSetupFrame*()> make;
        QStringList ticks;   // check boxes ticked besides every mark, grade, form and sex
        std::function<void(PlotSetupFrame&)> analyse = [](PlotSetupFrame& s) { s.btnAnalizeClick(); };
    };
    // The raise-curve design with two trial curves over the employees, registered, then 実行.
    const auto design = [this](PlotSetupFrame& screen) {
        const QStringList points[2] = {{"22", "200000", "30", "260000", "45", "380000"}, {"25", "210000", "50", "420000"}};
        for (int n = 0; n < 2; ++n) {
            for (int k = 0; k < points[n].size() / 2; ++k) {
                child<QLineEdit>(screen, QStringLiteral("txtNenrei%1%2").arg(n + 1).arg(k + 1))->setText(points[n][2 * k]);
                child<QLineEdit>(screen, QStringLiteral("txtSyokunou%1%2").arg(n + 1).arg(k + 1))->setText(points[n][2 * k + 1]);
            }
            child<QCheckBox>(screen, QStringLiteral("chk%1").arg(n + 1))->setChecked(true);
        }
        child<QRadioButton>(screen, "optLabelTrue")->setChecked(true);
        press(screen, "btnAdd");
        press(screen, "btnExec");
    };
    const QList<Case> cases{
        {1030, [] { return new TPX1030; }, {}},
        {1040, [] { return new TPX1040; }, {}},
        {1050, [] { return new TPX1050; }, {}, design},
        {1060, [] { return new TPX1060; }, {}},
        {1070, [] { return new TPX1070; }, {"optXNenrei", "optXKinzoku", "optXGouhou"}},
    };
    const QSize size(800, 600);
    QImage previous;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chart);
        std::unique_ptr<PlotSetupFrame> screen(c.make());
        screen->Prepare();
        if (c.chart != 1060) {
            press(*screen, "btnPlotAll");
            press(*screen, "btnTokyuAll");
            child<QRadioButton>(*screen, "optSalaryAll")->setChecked(true);
            child<QRadioButton>(*screen, "optSex3")->setChecked(true);
        }
        for (const QString& box : c.ticks)
            child<QCheckBox>(*screen, box)->setChecked(true);
        c.analyse(*screen);
        ASSERT_EQ(CurrentChart(), c.chart) << dialogs.texts().join('|').toStdString();
        if (c.chart == 1050) {   // the two trial curves are on the plot
            EXPECT_EQ(DrawnCurveInputs(PlotWindow().model().drawnSlots, PlotWindow().model().comparisonSet).size(), 2);
        }
        const QImage onScreen = PlotWindow().renderPlot(size);
        ASSERT_FALSE(onScreen.isNull());
        EXPECT_NE(onScreen, previous);   // each chart draws its own picture
        previous = onScreen;

        const QString out = folder.path(QStringLiteral("plot%1.png").arg(c.chart));
        const ToolRun r = run({"plot", "--year", "2020", "--company", "1", "--chart", QString::number(c.chart), "--png",
                               out, "--size", "800x600"});
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        const QImage byTool(out);
        ASSERT_EQ(byTool.size(), size);
        EXPECT_EQ(byTool.convertToFormat(QImage::Format_RGB32), onScreen.convertToFormat(QImage::Format_RGB32));
        DestroyPlotWindowForTesting();
        SetCurrentChart(0);
    }

    // Without the company's cost-of-living code the tool refuses as the screen does.
    Exec(folder.fdm().ACN2, "UPDATE MKIGYOU2 SET SKCO = 0 WHERE NENDO = 2020 AND KCO = 1");
    const QString refused = folder.path("refused.png");
    const ToolRun r = run({"plot", "--year", "2020", "--company", "1", "--chart", "1030", "--png", refused});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(NoCostOfLivingCodeMessage)) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(refused));
}

// The rollover started by the batch tool and the one started from 年次更新 with the sample
// project open, from the same snapshot, leave the same three files; in both the ages and
// years of service come from the company's own reference dates (2020-04-01 and, in the new
// year, 2021-04-01), never from whatever the caller has open.
TEST_F(BatchAgainstScreens, RolloverLeavesTheDatabasesThatTheRolloverScreenLeaves)
{
    // The sample folder as it is before either rollover.
    QTemporaryDir snapshot;
    ASSERT_TRUE(snapshot.isValid());
    TFDM& fdm = folder.fdm();
    fdm.ACN1.close();
    fdm.ACN2.close();
    CopyTree(folder.dataPath(), snapshot.path());

    const ToolRun r = run({"rollover", "--year", "2020", "--company", "1"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(RolloverDoneMessage)) << r.err.toStdString();
    const QString byTool = DumpAll(folder);

    // The employee born 1965-11-18: 54 at the closed year's 2020-04-01, 55 at the new year's
    // 2021-04-01, stored so and derived so when the new year is read.
    const QString born = QStringLiteral(" FROM MSYAIN1 WHERE KCO = 1 AND SEIHI = 19651118");
    {
        SqliteConnection closed, next, control;
        ASSERT_TRUE(closed.open(folder.dataPath("2020/DATA.MDB")));
        ASSERT_TRUE(next.open(folder.dataPath("2021/DATA.MDB")));
        ASSERT_TRUE(control.open(folder.dataPath("SEIGYO.MDB")));
        EXPECT_EQ(Scalar(closed, "SELECT count(*)" + born), "1");
        EXPECT_EQ(Scalar(closed, "SELECT NENREI" + born), "54");
        EXPECT_EQ(Scalar(next, "SELECT NENREI" + born), "55");
        EXPECT_EQ(Scalar(closed, "SELECT count(*) FROM MSYAIN1 WHERE KCO = 1 AND NENREI = 0"), "0");
        EXPECT_EQ(Scalar(next, "SELECT count(*) FROM MSYAIN1 WHERE KCO = 1 AND NENREI = 0"), "0");
        EXPECT_EQ(Scalar(control, "SELECT KDATE FROM MKIGYOU1 WHERE KCO = 1 AND NENDO = 2021"), "20210401");

        Session newYear = folder.session();
        newYear.control = &control;
        newYear.year = &next;
        ASSERT_TRUE(OpenCompany(newYear, 2021, 1, QStringLiteral("サンプル精機株式会社")) == OpenOutcome::Opened);
        EXPECT_EQ(newYear.ageReferenceDay(), 20210401);
        TSyain_rec read;
        ASSERT_TRUE(ReadAll(next, false, SqlCondition(" WHERE KCO = 1 AND NENDO = 2021 AND SEIHI = 19651118"),
                            "SELECT * FROM VSYAIN", read, newYear.ageReferenceDay()));
        ASSERT_EQ(read.items.size(), 1u);
        EXPECT_EQ(read.items[0].NENREI, 55);
    }

    // Back to the snapshot; the user opens the sample company, then 年次更新 on the screen.
    ASSERT_TRUE(QDir(folder.dataPath()).removeRecursively());
    CopyTree(snapshot.path(), folder.dataPath());
    fdm.OpenDatabase(fdm.ACN1, folder.dataPath("SEIGYO.MDB"));
    ASSERT_TRUE(fdm.ACN1.isOpen());
    openSample();
    TPX3030 screen;
    screen.Prepare();
    auto* nendo = child<QComboBox>(screen, "cmbNendo");
    auto* corp = child<QComboBox>(screen, "cmbCorpName");
    nendo->setEditText("2020");
    ASSERT_TRUE(screen.cmbNendoExit());
    corp->setEditText("1");
    dialogs.clear();
    screen.btnAddClick();
    ASSERT_FALSE(dialogs.texts().isEmpty());
    EXPECT_TRUE(dialogs.texts().first().startsWith(RolloverDoneMessage)) << dialogs.texts().join('|').toStdString();
    fdm.ACN2.close();
    fdm.ACN3.close();
    EXPECT_EQ(DumpAll(folder), byTool);
}
