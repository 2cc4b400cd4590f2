// Comparison lines of the plots: cost of living, model wages, and the wage-table graph's
// curve control points.
#include "plot/Comparisons.h"

#include "plot/PlotLayout.h"
#include "core/Numbers.h"
#include "store/Conversions.h"
#include "store/RecordAccess.h"
#include "store/Transactions.h"
#include "wagetable/SalaryList.h"

namespace {

// Colours (00BBGGRR) and pen style codes of the comparison lines.
constexpr std::uint32_t Maroon = 0x000080;
constexpr std::uint32_t Red = 0x0000FF;
constexpr std::uint32_t Blue = 0xFF0000;

TMMARK markOf(const QString& legend, std::uint32_t colour, int style, int width)
{
    TMMARK m;
    m.HANREI = legend;
    m.MKCOLOR = colour;
    m.KCOLOR = colour;
    m.KSYURUI = style;
    m.KHABA = width;
    m.MKSIZE = 9;
    return m;
}

ComparisonMarks marksOf(const QString (&legends)[4])
{
    ComparisonMarks marks;
    marks[0] = markOf(legends[0], Maroon, PenSolid, 2);
    marks[1] = markOf(legends[1], 0, PenDashDot, 1);
    marks[2] = markOf(legends[2], Red, PenDot, 1);
    marks[3] = markOf(legends[3], Blue, PenSolid, 1);
    for (int i = 4; i < 9; ++i)
        marks[i] = markOf(QString(), 0, PenSolid, 1);
    for (int i = 0; i < 9; ++i)
        marks[i].MKCO = i + 1;
    return marks;
}

void finish(TSeriesSet& set, int order)
{
    FinishSeriesMeans(set);
    FitSeriesSet(set, order);
}

int wholeNumber(const QString& text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : 0;
}

} // namespace

// ---------------------------------------------------------------- cost of living

ComparisonMarks CostOfLivingMarks()
{
    static const QString legends[4] = {QStringLiteral("標準生計費"), QStringLiteral("愉楽率"), QStringLiteral("最低率"),
                                       QStringLiteral("単身率")};
    return marksOf(legends);
}

void FillCostOfLivingComparison(const QList<TSEIKEI_>& rows, int order, TSeriesSet& set)
{
    ResetSeriesSet(set);
    const QString standard = QStringLiteral("標準生計費"), others = QStringLiteral("愉楽率");
    for (const TSEIKEI_& r : rows) {
        if (r.SNENREI == 0)
            continue;
        const double cost = r.SEIKEIHI;
        const double values[4] = {
            RoundHalfAway(cost / 10 * r.KKRITSU, 0),
            RoundHalfAway(cost * r.YURITSU / 10 * r.KKRITSU, 0),
            RoundHalfAway(cost * r.STRITSU / 10 * r.KKRITSU, 0),
            RoundHalfAway(cost * r.TNRITSU / 10 * r.KKRITSU, 0),
        };
        for (int line = 0; line < 4; ++line)
            if (values[line] != 0)
                AddSeriesPoint(set, line == 0 ? standard : others, 0, values[line], r.SNENREI, line + 1);
    }
    finish(set, order);
}

namespace {

bool readCostOfLiving(const Session& s, int costCode, TSEIKEI_rec& list)
{
    return ReadAll(*s.year, false,
                   SqlCondition(QStringLiteral(" WHERE SKCO = ? ORDER BY KCO,NENDO,SKCO,SNIN,SNENREI"), {costCode}),
                   QStringLiteral("SELECT * FROM MSEIKEI"), list);
}

} // namespace

bool LoadCostOfLivingComparison(const Session& s, int costCode, int order, TSeriesSet& set)
{
    TSEIKEI_rec list;
    const bool ok = readCostOfLiving(s, costCode, list);
    FillCostOfLivingComparison(ok ? list.items : QList<TSEIKEI_>(), order, set);
    return ok;
}

bool CostOfLivingSource(const Session& s, int costCode, TSEIKEI_& first)
{
    TSEIKEI_rec list;
    if (!readCostOfLiving(s, costCode, list) || list.items.isEmpty())
        return false;
    first = list.items.first();
    return true;
}

// ---------------------------------------------------------------- model wages

ComparisonMarks ModelWageMarks(const QString& modelName)
{
    const QString name = modelName.trimmed().isEmpty() ? DefaultModelLegend : modelName.trimmed();
    const QString legends[4] = {name + QStringLiteral("①"), name + QStringLiteral("②"), name + QStringLiteral("③"),
                                name + QStringLiteral("④")};
    return marksOf(legends);
}

QString ModelName(const Session& s, int modelCode)
{
    TMODEL_ model;
    model.MDCO = QString::number(modelCode);
    if (!ReadOne(*s.control, false, SqlCondition(), QStringLiteral("SELECT * FROM MDEL"), model) || !model.ok)
        return {};
    return model.MDNA.trimmed();
}

void FillModelWageComparison(const QList<TMDCHNGIN_>& rows, int xCode, int yCode, int order, TSeriesSet& set)
{
    ResetSeriesSet(set);
    for (const TMDCHNGIN_& r : rows) {
        const int kind = wholeNumber(r.SENSYU);
        if (kind < 0 || kind > 2)
            continue;
        int x = 0;
        switch (xCode) {
        case 0: x = wholeNumber(r.NENREI); break;
        case 1: x = wholeNumber(r.KNENSU); break;
        case 2: x = wholeNumber(r.KKNENSU); break;
        default: break;
        }
        double thousands = 0;
        switch (yCode) {
        case 0: thousands = DecimalNumberOrZero(r.KKIN); break;
        case 1: thousands = DecimalNumberOrZero(r.SKIN); break;
        case 2: thousands = DecimalNumberOrZero(r.NENSYU); break;
        case 5: thousands = DecimalNumberOrZero(r.SYOUYO); break;
        default: break;
        }
        const double y = RoundHalfAway(thousands / 10, 0);
        AddSeriesPoint(set, QStringLiteral("モデル") + QString::number(kind), 0, y, x, kind + 1);
    }
    finish(set, order);
}

bool LoadModelWageComparison(const Session& s, int modelCode, int xCode, int yCode, int order, TSeriesSet& set)
{
    TMDCHNGIN_rec list;
    const bool ok = ReadAll(*s.control, false,
                            SqlCondition(QStringLiteral(" WHERE MDCO = ? ORDER BY SENSYU,MDCO,MCCO"), {modelCode}),
                            QStringLiteral("SELECT * FROM MDCHINGIN"), list);
    FillModelWageComparison(ok ? list.items : QList<TMDCHNGIN_>(), xCode, yCode, order, set);
    return ok;
}

// ---------------------------------------------------------------- optimal wage

void FillOptimalWageDiagonal(const TSeriesSet& points, const QString& name, int order, TSeriesSet& comparison)
{
    ResetSeriesSet(comparison);
    const TXYDATA& all = points[0];
    if (all.count > 0) {
        AddSeriesPoint(comparison, name, 0, all.minX, all.minX, 1);
        AddSeriesPoint(comparison, name, 0, all.maxX, all.maxX, 1);
    }
    finish(comparison, order);
}

// ---------------------------------------------------------------- drawing data

std::vector<QPointF> ComparisonPolyline(const TXYDATA& series, const double* extendTo)
{
    std::vector<QPointF> line;
    const size_t n = std::min(series.xs.size(), series.ys.size());
    if (n < 2)
        return line;
    for (size_t i = 0; i < n; ++i)
        line.emplace_back(series.xs[i], series.ys[i]);
    if (extendTo && *extendTo > series.xs[n - 1])
        line.emplace_back(*extendTo, series.ys[n - 1]);
    return line;
}

QList<int> ComparisonLegendSeries(const TSeriesSet& set)
{
    QList<int> list;
    for (int j = 1; j <= 9; ++j)
        if (set[j].count >= 2)
            list << j;
    return list;
}

// ---------------------------------------------------------------- wage-table graph

namespace {

struct ControlPoint {
    int step;
    int amount;
};

void addGrade(QList<TDChart_>& rows, int grade, double factor, std::initializer_list<ControlPoint> points)
{
    if (grade < 1 || grade > 9)
        return;
    for (const ControlPoint& p : points) {
        TDChart_ r;
        r.SCO = QString::number(grade);
        r.MARKL = QString::number(grade);
        r.MKCO = grade;
        r.X = p.step;
        r.Y = RoundHalfAway(p.amount * factor / 10000, 3);
        r.NO = rows.size() + 1;
        rows << r;
    }
}

} // namespace

QList<TDChart_> WageTableGraphPoints(const QList<T2JI_>& quadratic)
{
    QList<TDChart_> rows;
    for (const T2JI_& g : quadratic)
        addGrade(rows, g.TKNO, g.KRITSU, {{g.SGOUSU, g.SKIN}, {g.C1GOUSU, g.C1KIN}, {g.EGOUSU, g.EKIN}});
    return rows;
}

QList<TDChart_> WageTableGraphPoints(const QList<T3JI_>& cubic)
{
    QList<TDChart_> rows;
    for (const T3JI_& g : cubic)
        addGrade(rows, g.TKNO, g.KRITSU,
                 {{g.SGOUSU, g.SKIN}, {g.C1GOUSU, g.C1KIN}, {g.C2GOUSU, g.C2KIN}, {g.EGOUSU, g.EKIN}});
    return rows;
}

WageTableGraphResult WriteWageTableGraphPoints(const Session& s, int code,
                                               const std::function<bool(int curveKind)>& saveSettings)
{
    WageTableGraphResult result;
    result.outcome = Outcome::Failed(QString());
    TMCHNGIN_ table;
    bool found = false;
    if (!LoadSalaryListHeader(s, code, table, found))
        return result;
    result.curveKind = found ? table.KSENTAKUF : 0;

    QList<TDChart_> points;
    if (result.curveKind == 1) {
        QList<T3JI_> curves;
        if (!LoadThirdOrderCurves(s, code, curves))
            return result;
        points = WageTableGraphPoints(curves);
    } else {
        QList<T2JI_> curves;
        if (!LoadSecondOrderCurves(s, code, curves))
            return result;
        points = WageTableGraphPoints(curves);
    }

    KeepPlotWorkInMemoryWhileReadOnly(s);
    DbConnection& cn = *s.year;
    // The previous plot's points go in any case; the new ones and the settings replace
    // them all at once.
    const bool written = InTransaction(cn, [&] {
        if (!ExecuteReported(cn, QStringLiteral("DELETE FROM DCHART"), {}))
            return false;
        for (TDChart_& r : points)
            if (!Insert(cn, false, r))
                return false;
        return !saveSettings || saveSettings(result.curveKind);
    });
    if (!written)
        return result;
    result.points = points.size();
    if (points.isEmpty()) {
        result.outcome = Outcome::Refused(NoPlotDataMessage);
        return result;
    }
    result.ok = true;
    result.outcome = Outcome::Done();
    return result;
}

WageTableCurve WageTableCurveOf(const TXYDATA& series, int order)
{
    WageTableCurve curve;
    if (series.count == 0)
        return curve;
    curve.startsOnBottom = series.minX == 0;
    curve.points.emplace_back(series.minX, EvalSeriesCurve(series, order, 1, series.minX));
    for (double x = series.minX + 0.5; x < series.maxX; x += 0.5)
        curve.points.emplace_back(x, EvalSeriesCurve(series, order, 1, x));
    return curve;
}
