// Analysis texts of a plot: counts, means, curve averages, pitches, residuals and sources.
#include "plot/AnalysisTexts.h"

#include "core/Numbers.h"
#include "store/RecordAccess.h"

#include <vector>

namespace {

int chartIdOf(const TChart_& chart)
{
    return chart.CHCO.trimmed().toInt();
}

// The series of the point set that have points, in series order.
std::vector<const TXYDATA*> seriesWithPoints(const TSeriesSet& points)
{
    std::vector<const TXYDATA*> list;
    for (const TXYDATA& s : points)
        if (s.count > 0)
            list.push_back(&s);
    return list;
}

// Writes piece(series) of each listed series into the texts first, first + 1, ... taking
// groupSize series per text; the last text takes the rest.
template <class Piece>
void grouped(TAnalize1& texts, const std::vector<const TXYDATA*>& list, int first, int textCount, int groupSize,
             Piece piece)
{
    for (int i = 0; i < int(list.size()); ++i) {
        const int t = std::min(i / groupSize, textCount - 1);
        texts[first + t] += piece(*list[i]);
    }
}

QString yen(double value)
{
    return FormatFloat(QStringLiteral("#,##0"), value) + QStringLiteral("円  ");
}

} // namespace

bool PlotsOptimalWage(const TChart_& chart)
{
    const int id = chartIdOf(chart);
    return id == 1070 || (id == 1020 && chart.FX.trimmed().toInt() == 5);
}

QString AnalysisDateText(int yyyymmdd)
{
    const QDate date(yyyymmdd / 10000, yyyymmdd / 100 % 100, yyyymmdd % 100);
    if (yyyymmdd <= 0 || !date.isValid())
        return QStringLiteral("     年     月    日時点");
    return QStringLiteral("%1 年  %2 月  %3 日時点").arg(date.year()).arg(date.month()).arg(date.day());
}

AnalysisInputs AnalysisInputsOfOpenProject(const Session& s, const TChart_& chart)
{
    AnalysisInputs in;
    in.chart = chart;
    in.referenceDate = s.referenceDate;
    in.ageByToday = s.ageByToday;
    in.today = s.today;
    const TMKIGYOU2& company = s.company();
    for (int i = 0; i < 9; ++i)
        in.gradeNames[i] = company.TK[i];
    in.modelCode = company.MDCO;
    if (in.modelCode != 0 && s.control && s.control->isOpen()) {
        TMODEL_ model;
        if (ReadOne(*s.control, false, SqlCondition(" WHERE MDCO = ?", {qint64(in.modelCode)}),
                    QStringLiteral("SELECT * FROM MDEL"), model)
            && model.rows > 0)
            in.model = model;
    }
    return in;
}

TAnalize1 BuildAnalysisTexts(TSeriesSet& points, const AnalysisInputs& in)
{
    TAnalize1 t;
    const int order = CurveOrderOfSetting(in.chart.FKINJI);
    for (TXYDATA& s : points)
        SummariseSeriesCurve(s, order);

    if (in.ageByToday) {
        const QDate d = in.today;
        t[0] = AnalysisDateText(d.isValid() ? d.year() * 10000 + d.month() * 100 + d.day() : 0);
    } else {
        t[0] = AnalysisDateText(in.referenceDate);
    }
    t[1] = QStringLiteral("X軸：") + in.chart.XNAME + QStringLiteral("、Y軸：") + in.chart.YNAME;

    const std::vector<const TXYDATA*> list = seriesWithPoints(points);
    for (const TXYDATA* s : list)
        t[2] += s->name + QStringLiteral(":") + QString::number(s->count) + QStringLiteral(" ");

    for (int n = 0; n < 9; ++n)
        if (in.chart.TOUKYU.mid(n, 1) == QLatin1String("1"))
            t[5] += in.gradeNames[n] + QStringLiteral(" ");

    const bool yenX = chartIdOf(in.chart) == 1070;
    grouped(t, list, 11, 3, 4, [&](const TXYDATA& s) {
        if (yenX)
            return s.name + QStringLiteral(":") + FormatFloat(QStringLiteral("#,##0"), s.meanX * 10000) + QStringLiteral("円 ");
        return s.name + QStringLiteral(":") + FormatFloat(QStringLiteral("##0.0"), s.meanX) + QStringLiteral(" ");
    });
    grouped(t, list, 14, 3, 4, [](const TXYDATA& s) {
        return s.name + QStringLiteral(":") + FormatFloat(QStringLiteral("#,##0"), s.meanY * 10000) + QStringLiteral("円 ");
    });
    grouped(t, list, 17, 2, 5, [](const TXYDATA& s) { return s.name + QStringLiteral(":") + yen(s.curveAverage); });
    grouped(t, list, 19, 2, 5, [](const TXYDATA& s) { return s.name + QStringLiteral(":") + yen(s.pitch); });
    grouped(t, list, 21, 2, 5, [](const TXYDATA& s) { return s.name + QStringLiteral(":") + yen(s.meanY * 10000); });
    grouped(t, list, 23, 2, 5, [](const TXYDATA& s) { return s.name + QStringLiteral(":") + yen(s.meanW); });

    if (in.modelCode != 0 && in.model) {
        const TMODEL_& m = *in.model;
        t[4] = m.GYOUSYU;
        t[6] = m.DEDOKORO;
        t[7] = QStringLiteral("回答あった ") + m.JSU + QStringLiteral(" 社");
        t[8] = m.TCHIIKI;
        t[9] = m.CJITEN;
        t[10] = m.KIBO;
    }
    return t;
}

AnalysisPanelRows AnalysisPanelOf(const TChart_& chart, const TAnalize1& t)
{
    AnalysisPanelRows rows;
    const int id = chartIdOf(chart);
    if (id != 1010 && id != 1020 && id != 1050 && id != 1070)
        return rows;   // comparisons and the wage-table graph: an empty panel

    rows.titles[0] = QStringLiteral("プロット数 :");
    rows.captions[0] = t[2];
    rows.captions[1] = t[3];
    if (id == 1010) {
        rows.titles[2] = QStringLiteral("Ｘ軸平均　 :");
        rows.captions[2] = t[11];
        rows.captions[3] = t[12];
        rows.captions[4] = t[13];
        rows.titles[5] = QStringLiteral("Ｙ軸平均　 :");
        rows.captions[5] = t[14];
        rows.captions[6] = t[15];
        rows.captions[7] = t[16];
    } else if (PlotsOptimalWage(chart)) {
        rows.titles[2] = QStringLiteral("残差平均　 :");
        rows.captions[2] = t[23];
        rows.captions[3] = t[24];
        rows.titles[5] = QStringLiteral("昇給カーブ :");
        rows.titles[6] = QStringLiteral("平均");
        rows.captions[5] = t[21];
        rows.captions[6] = t[22];
    } else {
        rows.titles[2] = QStringLiteral("平均昇給　 :");
        rows.captions[2] = t[19];
        rows.titles[3] = QStringLiteral("ピッチ");
        rows.captions[3] = t[20];
        rows.titles[5] = QStringLiteral("昇給カーブ :");
        rows.titles[6] = QStringLiteral("平均");
        rows.captions[5] = t[17];
        rows.captions[6] = t[18];
    }
    return rows;
}
