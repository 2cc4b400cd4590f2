// The chart model of the plot window: reading a chart into series, styles and ranges.
#include "plot/ChartModel.h"

#include "plot/Comparisons.h"
#include "core/Colors.h"
#include "core/Numbers.h"
#include "store/RecordAccess.h"

#include <algorithm>

namespace {

const QString FullWidthBlank = QStringLiteral("　");

int NumberOr(const QString& text, int fallback)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : fallback;
}

} // namespace

PlotPen GraphStyleFromRow(const TGraph_& row)
{
    return {ColorFromText(row.CCOLOR), NumberOr(row.CSYURUI, 1), NumberOr(row.CHABA, 1)};
}

std::array<PlotPen, 4> LoadGraphStyles(const Session& s)
{
    std::array<PlotPen, 4> styles{};
    TGraph_rec rows;
    ReadAll(*s.year, false,
            SqlCondition(QStringLiteral(" WHERE NENDO = ? AND KCO = ? ORDER BY KCO,NENDO,GSCO"),
                         {s.fiscalYear, s.companyCode}),
            QStringLiteral("SELECT * FROM MGRAPH"), rows);
    for (int i = 0; i < 4 && i < rows.items.size(); ++i)
        styles[i] = GraphStyleFromRow(rows.items[i]);
    return styles;
}

std::array<TMMARK, 9> ChartMarks(int chartId, const TMMARK (&projectMarks)[9])
{
    std::array<TMMARK, 9> marks;
    static const QString roman = QStringLiteral("ⅠⅡⅢⅣⅤⅥⅦⅧⅨ");
    for (int i = 0; i < 9; ++i) {
        marks[i] = projectMarks[i];
        if (chartId == ChartWageTableGraph) {
            marks[i].MARK = roman.mid(i, 1);
            marks[i].HANREI.clear();
            marks[i].MKCOLOR = 0x000080;
            marks[i].MKSIZE = 9;
        }
    }
    return marks;
}

int MarkIndexOf(int mkco)
{
    const int m = mkco - 1;
    return m < 0 || m > 8 ? 0 : m;
}

ChartRanges RangesFor(int chartId, const TSeriesSet& points, const TSeriesSet& comparison, int xPitch, int yPitch)
{
    const TXYDATA& all = points[0];
    double lowX = all.minX, highX = all.maxX, lowY = all.minY, highY = all.maxY;
    const bool widens = chartId == ChartCostOfLiving || chartId == ChartModelWage || chartId == ChartCurveDesign;
    if (widens && comparison[0].count > 0) {
        lowX = std::min(lowX, comparison[0].minX);
        highX = std::max(highX, comparison[0].maxX);
        lowY = std::min(lowY, comparison[0].minY);
        highY = std::max(highY, comparison[0].maxY);
    }
    const AxisRange x = RangeForValues(lowX, highX, xPitch);
    const AxisRange y = RangeForValues(lowY, highY, yPitch);
    ChartRanges r;
    r.Xmin = x.low;
    r.Xmax = x.high;
    r.Ymin = y.low;
    r.Ymax = y.high == 0 ? 50 : y.high;
    r.xMinHigh = r.Xmax;
    r.xMaxLow = r.Xmin;
    r.xMaxHigh = int(TruncateTowardZero(r.Xmax * 1.5));
    r.yMinHigh = r.Ymax;
    r.yMaxLow = r.Ymin;
    r.yMaxHigh = int(TruncateTowardZero(r.Ymax * 1.5));
    return r;
}

void LoadComparisonSet(const Session& s, ChartModel& m)
{
    ResetSeriesSet(m.comparisonSet);
    const TMKIGYOU2& company = s.company();
    const int order = m.curveOrder();
    switch (m.chartId) {
    case ChartCostOfLiving:
        LoadCostOfLivingComparison(s, company.SKCO, order, m.comparisonSet);
        m.comparisonMarks = CostOfLivingMarks();
        break;
    case ChartModelWage:
        LoadModelWageComparison(s, company.MDCO, m.fx, m.fy, order, m.comparisonSet);
        m.comparisonMarks = ModelWageMarks(ModelName(s, company.MDCO));
        break;
    case ChartCurveDesign:
        LoadDrawnCurves(s, m.fx, m.fy, order, m.drawnSlots, m.comparisonSet);
        break;
    case ChartOptimalWage:
        FillOptimalWageDiagonal(m.pointSet, m.yName, order, m.comparisonSet);
        m.comparisonMarks = m.marks;
        break;
    default:
        break;
    }
}

ChartModel OpenChart(Session& s, int chartId)
{
    ChartModel m;
    m.chartId = chartId;
    const int year = s.fiscalYear, kco = s.companyCode;

    TKigyo1_ company;
    ReadOne(*s.control, false, SqlCondition(QStringLiteral(" WHERE NENDO = ? AND KCO = ?"), {year, kco}),
            QStringLiteral("SELECT * FROM MKIGYOU1"), company);
    if (company.ok)
        s.ageByToday = company.FNK.trimmed() != QLatin1String("0");

    m.settings.NENDO = QString::number(year);
    m.settings.KCO = QString::number(kco);
    m.settings.CHCO = QString::number(chartId);
    m.settings.KNO = 1;
    ReadOne(*s.year, false,
            SqlCondition(QStringLiteral(" WHERE NENDO = ? AND KCO = ? AND CHCO = ? AND KNO = 1"), {year, kco, chartId}),
            QStringLiteral("SELECT * FROM MCHART"), m.settings);
    m.fx = chartId == ChartOptimalWage ? 0 : NumberOr(m.settings.FX, 0);
    m.fy = NumberOr(m.settings.FY, 0);
    m.marks = ChartMarks(chartId, s.project.Marks);
    // The canvas font follows mark 1 of the project; a size of 0 is taken as 12.
    int& size = s.project.Marks[0].MKSIZE;
    if (size == 0)
        size = 12;
    m.fontSize = size;

    TDChart_rec rows;
    ReadAll(*s.year, false, SqlCondition(QStringLiteral(" order by SCO")), QStringLiteral("SELECT * FROM DCHART"), rows);
    m.points = rows.items;
    ResetSeriesSet(m.pointSet);
    ResetSeriesSet(m.comparisonSet);
    for (const TDChart_& p : m.points)
        AddSeriesPoint(m.pointSet, m.marks[MarkIndexOf(p.MKCO)].MARK, p.F5, p.Y, p.X, p.MKCO);
    FinishSeriesMeans(m.pointSet);
    FitSeriesSet(m.pointSet, m.curveOrder());
    m.xName = QString(m.settings.XNAME).remove(FullWidthBlank);
    m.yName = QString(m.settings.YNAME).remove(FullWidthBlank);
    LoadComparisonSet(s, m);

    m.styles = LoadGraphStyles(s);
    if (chartId == ChartOptimalWage)
        m.xName = QStringLiteral("最適賃金");
    m.xUnit = m.settings.XUNIT;
    m.yUnit = m.settings.YUNIT;
    m.XPITCH = m.settings.XPITCH;
    m.YPITCH = m.settings.YPITCH;
    m.ranges = RangesFor(chartId, m.pointSet, m.comparisonSet, m.XPITCH, m.YPITCH);
    return m;
}

PlotInputs PlotInputsFor(const ChartModel& m, int Xmin, int Xmax, int Ymin, int Ymax)
{
    PlotInputs in;
    in.chartId = m.chartId;
    in.Xmin = Xmin;
    in.Xmax = Xmax;
    in.Ymin = Ymin;
    in.Ymax = Ymax;
    in.XPITCH = m.XPITCH;
    in.YPITCH = m.YPITCH;
    in.xName = m.xName;
    in.yName = m.yName;
    in.xUnit = m.xUnit;
    in.yUnit = m.yUnit;
    in.meanX = m.pointSet[0].meanX;
    in.meanY = m.pointSet[0].meanY;
    in.styles = m.styles;
    in.marks = m.marks;
    in.baseFontSize = m.fontSize;
    in.legendFontSize = m.fontSize;
    for (int i = 0; i < 10; ++i)
        in.seriesCount[i] = m.pointSet[i].count;
    const bool curveDesign = m.chartId == ChartCurveDesign;
    in.drawPoints = m.chartId != ChartWageTableGraph && (!curveDesign || m.settings.CGRAPH == 1);
    for (const TDChart_& p : m.points)
        in.points.append({p.X, p.Y, MarkIndexOf(p.MKCO), p.MARKL});

    if (m.chartId == ChartCostOfLiving || m.chartId == ChartModelWage) {
        const double xmax = Xmax;
        for (int j : ComparisonLegendSeries(m.comparisonSet)) {
            const TMMARK& mark = m.comparisonMarks[j - 1];
            const PlotPen pen{mark.KCOLOR, mark.KSYURUI, mark.KHABA};
            in.polylines.append(
                {ComparisonPolyline(m.comparisonSet[j], m.chartId == ChartCostOfLiving ? &xmax : nullptr), pen});
            in.comparisonLegend.append({mark.HANREI, mark.MKCOLOR, mark.MKSIZE, pen});
        }
    }
    if (curveDesign)
        in.drawnCurves = DrawnCurveInputs(m.drawnSlots, m.comparisonSet);
    if (m.chartId == ChartWageTableGraph) {
        for (int s = 1; s <= 9; ++s) {
            const WageTableCurve curve = WageTableCurveOf(m.pointSet[s], m.curveOrder());
            if (curve.points.empty())
                continue;
            const TMMARK& mark = m.marks[s - 1];
            in.polylines.append({curve.points, {0xFF0000, PenSolid, 1}, curve.startsOnBottom, mark.MARK, mark.MKCOLOR,
                                 mark.MKSIZE});
        }
    }

    const TSeriesSet* set = nullptr;
    const std::array<TMMARK, 9>* pens = nullptr;
    if (m.chartId == ChartRaiseCurve) {
        set = &m.pointSet;
        pens = &m.marks;
    } else if (m.chartId == ChartOptimalWage) {
        set = &m.comparisonSet;
        pens = &m.comparisonMarks;
    }
    if (set) {
        const double levels[4] = {m.settings.SJYUN1, m.settings.SJYUN2, m.settings.SJYUN3, m.settings.SJYUN4};
        const int order = m.curveOrder();
        const int first = m.settings.CGRAPH != 0 ? 1 : 0, last = m.settings.CGRAPH != 0 ? 9 : 0;
        for (int s = first; s <= last; ++s) {
            const TXYDATA& series = (*set)[s];
            if (series.count == 0)
                continue;
            PlotPen pen{0x008000, PenSolid, 2};
            if (s > 0) {
                const TMMARK& mark = (*pens)[s - 1];
                pen = {mark.KCOLOR, mark.KSYURUI, mark.KHABA};
            }
            auto curve = [&series, order](double scale) {
                return [&series, order, scale](double x) { return EvalSeriesCurve(series, order, scale, x); };
            };
            in.curves.append({series.minX, series.maxX, curve(1.0), pen});
            for (double level : levels)
                if (level != 0)
                    in.curves.append({series.minX, series.maxX, curve(1 + level / 100), {pen.color, PenDot, 1}});
        }
    }
    return in;
}
