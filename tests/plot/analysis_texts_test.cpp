// Analysis texts and the rows of the analysis panel.
#include "plot/AnalysisTexts.h"
#include "reference/PrintQString.h"
#include "core/Numbers.h"
#include "store/RecordAccess.h"
#include "support/TestProject.h"

#include <gtest/gtest.h>

namespace {

const QString Names[10] = {QString(), "Ⅰ", "Ⅱ", "Ⅲ", "Ⅳ", "Ⅴ", "Ⅵ", "Ⅶ", "Ⅷ", "Ⅸ"};

TChart_ chartOf(int id, int fx = 0, int fkinji = 0)
{
    TChart_ c;
    c.CHCO = QString::number(id);
    c.FX = QString::number(fx);
    c.FKINJI = fkinji;
    c.XNAME = QStringLiteral("年　　齢");
    c.YNAME = QStringLiteral("基　本　給");
    c.TOUKYU = QStringLiteral("101000001");
    return c;
}

AnalysisInputs inputsOf(const TChart_& chart)
{
    AnalysisInputs in;
    in.chart = chart;
    in.referenceDate = 20240401;
    in.today = QDate(2025, 11, 3);
    for (int i = 0; i < 9; ++i)
        in.gradeNames[i] = QStringLiteral("G%1").arg(i + 1);
    return in;
}

// Points of the marks listed: mark m gets m points at x = 20 + 2·m·k, y = 20 + m, residual 100·m.
TSeriesSet pointsOfMarks(std::initializer_list<int> marks)
{
    TSeriesSet set;
    ResetSeriesSet(set);
    for (int m : marks)
        for (int k = 1; k <= m; ++k)
            AddSeriesPoint(set, Names[m], 100.0 * m, 20 + m, 20 + 2 * m * k, m);
    FinishSeriesMeans(set);
    FitSeriesSet(set, 2);
    return set;
}

QString piece(const TXYDATA& s, const QString& value)
{
    return s.name + ":" + value;
}

} // namespace

TEST(AnalysisTexts, SixMarksGroupedIntoTheirTexts)
{
    TSeriesSet set = pointsOfMarks({1, 2, 3, 5, 7, 9});
    const TAnalize1 t = BuildAnalysisTexts(set, inputsOf(chartOf(1020)));

    EXPECT_EQ(t[2], QStringLiteral("全体:27 Ⅰ:1 Ⅱ:2 Ⅲ:3 Ⅴ:5 Ⅶ:7 Ⅸ:9 "));
    const auto xMean = [&](int i) { return piece(set[i], FormatFloat("##0.0", set[i].meanX) + " "); };
    const auto yMean = [&](int i) { return piece(set[i], FormatFloat("#,##0", set[i].meanY * 10000) + "円 "); };
    EXPECT_EQ(t[11], xMean(0) + xMean(1) + xMean(2) + xMean(3));
    EXPECT_EQ(t[12], xMean(5) + xMean(7) + xMean(9));
    EXPECT_TRUE(t[13].isEmpty());
    EXPECT_EQ(t[14], yMean(0) + yMean(1) + yMean(2) + yMean(3));
    EXPECT_EQ(t[15], yMean(5) + yMean(7) + yMean(9));
    EXPECT_TRUE(t[16].isEmpty());
    // Mark 2's points: x 24, 28; y 22; residual 200.
    EXPECT_EQ(xMean(2), QStringLiteral("Ⅱ:26.0 "));
    EXPECT_EQ(yMean(2), QStringLiteral("Ⅱ:220,000円 "));

    // Curve texts: five series in the first text, the rest in the second.
    const auto yen = [](double v) { return FormatFloat("#,##0", v) + "円  "; };
    QString averages[2], pitches[2], means[2], residuals[2];
    int shown = 0;
    for (int i : {0, 1, 2, 3, 5, 7, 9}) {
        const int g = shown++ < 5 ? 0 : 1;
        averages[g] += piece(set[i], yen(set[i].curveAverage));
        pitches[g] += piece(set[i], yen(set[i].pitch));
        means[g] += piece(set[i], yen(set[i].meanY * 10000));
        residuals[g] += piece(set[i], yen(set[i].meanW));
    }
    EXPECT_EQ(t[17], averages[0]);
    EXPECT_EQ(t[18], averages[1]);
    EXPECT_EQ(t[19], pitches[0]);
    EXPECT_EQ(t[20], pitches[1]);
    EXPECT_EQ(t[21], means[0]);
    EXPECT_EQ(t[22], means[1]);
    EXPECT_EQ(t[23], residuals[0]);
    EXPECT_TRUE(t[23].contains(QStringLiteral("Ⅲ:300円  ")));
    EXPECT_EQ(t[24], residuals[1]);

    EXPECT_EQ(t[1], QStringLiteral("X軸：年　　齢、Y軸：基　本　給"));
    EXPECT_EQ(t[5], QStringLiteral("G1 G3 G9 "));
    EXPECT_TRUE(t[3].isEmpty());
    EXPECT_TRUE(t[4].isEmpty());   // no model code
}

TEST(AnalysisTexts, PitchAndAverageOfTheFittedCurve)
{
    // Ages 22 to 60 on a curve peaking at 52 (万円).
    TSeriesSet set;
    ResetSeriesSet(set);
    const auto rule = [](double x) { return 40 - 0.02 * (x - 52) * (x - 52); };
    for (int age = 22; age <= 60; ++age)
        AddSeriesPoint(set, Names[1], 0, rule(age), age, 1);
    FinishSeriesMeans(set);
    FitSeriesSet(set, 2);
    const TAnalize1 t = BuildAnalysisTexts(set, inputsOf(chartOf(1020)));

    double sum = 0;
    for (int age = 22; age <= 59; ++age)
        sum += rule(age) * 10000;
    const double pitch = (rule(53) - rule(22)) * 10000 / (53 - 22);
    EXPECT_EQ(t[17], "全体:" + FormatFloat("#,##0", sum / 38) + "円  Ⅰ:" + FormatFloat("#,##0", sum / 38) + "円  ");
    EXPECT_EQ(t[19], "全体:" + FormatFloat("#,##0", pitch) + "円  Ⅰ:" + FormatFloat("#,##0", pitch) + "円  ");
    EXPECT_EQ(set[0].endX, 53);
}

TEST(AnalysisTexts, DateModelSourceAndOptimalWageMeans)
{
    TSeriesSet empty;
    ResetSeriesSet(empty);
    AnalysisInputs in = inputsOf(chartOf(1010));
    EXPECT_EQ(BuildAnalysisTexts(empty, in)[0], QStringLiteral("2024 年  4 月  1 日時点"));
    in.referenceDate = 0;
    EXPECT_EQ(BuildAnalysisTexts(empty, in)[0], QStringLiteral("     年     月    日時点"));
    in.ageByToday = true;
    EXPECT_EQ(BuildAnalysisTexts(empty, in)[0], QStringLiteral("2025 年  11 月  3 日時点"));
    EXPECT_EQ(AnalysisDateText(20241231), QStringLiteral("2024 年  12 月  31 日時点"));
    EXPECT_EQ(AnalysisDateText(20240231), QStringLiteral("     年     月    日時点"));

    // Nothing plotted: counts and means empty.
    const TAnalize1 none = BuildAnalysisTexts(empty, in);
    for (int i : {2, 11, 14, 17, 19, 21, 23})
        EXPECT_TRUE(none[i].isEmpty()) << i;

    TMODEL_ model;
    model.MDCO = "3";
    model.GYOUSYU = QStringLiteral("製造業");
    model.DEDOKORO = QStringLiteral("賃金調査");
    model.JSU = "120";
    model.TCHIIKI = QStringLiteral("全国");
    model.CJITEN = QStringLiteral("2024年6月");
    model.KIBO = QStringLiteral("100～299人");
    in.model = model;
    in.modelCode = 0;   // the company has no model code: the row is not shown
    EXPECT_TRUE(BuildAnalysisTexts(empty, in)[4].isEmpty());
    in.modelCode = 3;
    const TAnalize1 t = BuildAnalysisTexts(empty, in);
    EXPECT_EQ(t[4], QStringLiteral("製造業"));
    EXPECT_EQ(t[6], QStringLiteral("賃金調査"));
    EXPECT_EQ(t[7], QStringLiteral("回答あった 120 社"));
    EXPECT_EQ(t[8], QStringLiteral("全国"));
    EXPECT_EQ(t[9], QStringLiteral("2024年6月"));
    EXPECT_EQ(t[10], QStringLiteral("100～299人"));

    // Chart 1070 writes the X means (optimal wage in 万円) in yen.
    TSeriesSet set;
    ResetSeriesSet(set);
    AddSeriesPoint(set, Names[1], 15000, 31.5, 30, 1);
    AddSeriesPoint(set, Names[1], -5000, 24.5, 25, 1);
    FinishSeriesMeans(set);
    FitSeriesSet(set, 2);
    const TAnalize1 fit = BuildAnalysisTexts(set, inputsOf(chartOf(1070)));
    EXPECT_EQ(fit[11], QStringLiteral("全体:275,000円 Ⅰ:275,000円 "));
    EXPECT_EQ(fit[23], QStringLiteral("全体:5,000円  Ⅰ:5,000円  "));
}

TEST(AnalysisTexts, PanelRowsPerChart)
{
    TAnalize1 t;
    for (int i = 0; i < 25; ++i)
        t[i] = QStringLiteral("t%1").arg(i);
    struct Case {
        TChart_ chart;
        std::array<QString, 8> titles, captions;
    };
    const QString none;
    const Case cases[] = {
        {chartOf(1010),
         {"プロット数 :", none, "Ｘ軸平均　 :", none, none, "Ｙ軸平均　 :", none, none},
         {"t2", "t3", "t11", "t12", "t13", "t14", "t15", "t16"}},
        {chartOf(1020),
         {"プロット数 :", none, "平均昇給　 :", "ピッチ", none, "昇給カーブ :", "平均", none},
         {"t2", "t3", "t19", "t20", none, "t17", "t18", none}},
        {chartOf(1050),
         {"プロット数 :", none, "平均昇給　 :", "ピッチ", none, "昇給カーブ :", "平均", none},
         {"t2", "t3", "t19", "t20", none, "t17", "t18", none}},
        {chartOf(1020, 5),
         {"プロット数 :", none, "残差平均　 :", none, none, "昇給カーブ :", "平均", none},
         {"t2", "t3", "t23", "t24", none, "t21", "t22", none}},
        {chartOf(1070),
         {"プロット数 :", none, "残差平均　 :", none, none, "昇給カーブ :", "平均", none},
         {"t2", "t3", "t23", "t24", none, "t21", "t22", none}},
        {chartOf(1030), {}, {}},
        {chartOf(1040), {}, {}},
        {chartOf(1060), {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chart.CHCO.toStdString() + " FX " + c.chart.FX.toStdString());
        const AnalysisPanelRows rows = AnalysisPanelOf(c.chart, t);
        EXPECT_EQ(rows.titles, c.titles);
        EXPECT_EQ(rows.captions, c.captions);
    }
}

TEST(AnalysisTexts, InputsOfTheOpenProjectReadTheModelSource)
{
    TestProgramFolder folder;
    OpenTestProject(folder);
    Exec(folder.fdm().ACN1, QStringLiteral("INSERT INTO MDEL VALUES (4, 'モデル', '出所A', '東京都', 85, '2024年', "
                                           "'サービス業', '50人未満', '')"));
    Session& s = folder.session();
    s.today = QDate(2025, 11, 3);
    s.project.CurrentCompany.MDCO = 4;
    const AnalysisInputs in = AnalysisInputsOfOpenProject(s, chartOf(1020));
    EXPECT_EQ(in.referenceDate, 20240401);
    EXPECT_FALSE(in.ageByToday);
    EXPECT_EQ(in.today, QDate(2025, 11, 3));
    EXPECT_EQ(in.gradeNames[2], QStringLiteral("第３等級"));
    ASSERT_TRUE(in.model.has_value());
    EXPECT_EQ(in.model->KIBO, QStringLiteral("50人未満"));

    TSeriesSet empty;
    ResetSeriesSet(empty);
    EXPECT_EQ(BuildAnalysisTexts(empty, in)[7], QStringLiteral("回答あった 85 社"));

    s.project.CurrentCompany.MDCO = 5;   // no such row
    EXPECT_FALSE(AnalysisInputsOfOpenProject(s, chartOf(1020)).model.has_value());

    // Ages counted to today date the texts today.
    s.ageByToday = true;
    EXPECT_EQ(BuildAnalysisTexts(empty, AnalysisInputsOfOpenProject(s, chartOf(1020)))[0],
              QStringLiteral("2025 年  11 月  3 日時点"));
}
