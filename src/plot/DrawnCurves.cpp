// Drawn curves of the raise-curve design chart: capturing clicked points and storing them as a curve.
#include "plot/DrawnCurves.h"

#include "core/Colors.h"
#include "core/Numbers.h"
#include "core/WaitCursor.h"
#include "store/Conversions.h"
#include "store/RecordAccess.h"
#include "store/Transactions.h"

CapturedPoint CapturePoint(const PlotLayout& L, QPoint click)
{
    CapturedPoint p;
    p.pixel = click;
    const double x = SafeDivide(double(click.x() - L.plotLeft), L.plotWidth) * (L.Xmax - L.Xmin) + L.Xmin;
    const double y = SafeDivide(double(L.plotBottom - click.y()), L.plotHeight) * (L.Ymax - L.Ymin) + L.Ymin;
    p.x = int(RoundHalfAway(x, 0));
    p.yen = 1000 * static_cast<long long>(RoundHalfAway(10.0 * y, 0));
    return p;
}

QString CaptureRefusal(const QString& curveNumberText, int captured)
{
    const QString text = curveNumberText.trimmed();
    bool ok = false;
    const int n = text.toInt(&ok);
    if (text.isEmpty() || (ok && n == 0))
        return QStringLiteral("描画番号 を、入力して下さい。");
    if (!ok || n < 1 || n > 5)
        return QStringLiteral("描画番号 は、１～５ を入力して下さい。");
    if (captured >= MaxCapturedPoints)
        return QStringLiteral("６点以上は、プロットできません。");
    return {};
}

bool ReadDrawnCurveRows(const Session& s, int xCode, int yCode, bool shownOnly, QList<TSPDRAW_>& rows)
{
    const TMKIGYOU2& c = s.company();
    TSPDRAW_rec list;
    const SqlCondition condition(
        QStringLiteral(" WHERE NENDO = ? AND KCO = ? AND X = ? AND Y = ?") + (shownOnly ? QStringLiteral(" AND FCHKS = 1") : QString())
            + QStringLiteral(" order by SDCO"),
        {c.NENDO.toLongLong(), c.KCO.toLongLong(), qint64(xCode), qint64(yCode)});
    const bool ok = ReadAll(*s.year, false, condition, QStringLiteral("SELECT * FROM DSPDRAW"), list);
    rows = list.items;
    return ok;
}

StoredPointFields PointFieldsOf(TSPDRAW_& r)
{
    return {{&r.SNENREI1, &r.SNENREI2, &r.SNENREI3, &r.SNENREI4, &r.SNENREI5, &r.SNENREI6},
            {&r.SKIN1, &r.SKIN2, &r.SKIN3, &r.SKIN4, &r.SKIN5, &r.SKIN6}};
}

DrawnSlots SlotsFromRows(const QList<TSPDRAW_>& rows)
{
    DrawnSlots drawn;
    for (TSPDRAW_ r : rows) {
        bool ok = false;
        const int n = r.SDCO.trimmed().toInt(&ok);
        if (!ok || n < 1 || n > DrawnSlotCount)
            continue;
        TSPD_& s = drawn[n - 1];
        s = TSPD_();
        s.FCHKS = r.FCHKS;
        const StoredPointFields points = PointFieldsOf(r);
        for (int k = 0; k < MaxCapturedPoints; ++k) {
            s.SNENREI[k] = *points.x[k];
            s.SKIN[k] = *points.yen[k];
        }
        s.HANREI = r.HANREI;
        s.KAISETSU = r.KAISETSU;
        s.color = ColorFromText(r.SCOLOR);
        s.style = r.SSYURUI;
        s.width = r.SHABA;
    }
    return drawn;
}

void FillDrawnCurveSeries(const DrawnSlots& drawn, int order, TSeriesSet& set)
{
    ResetSeriesSet(set);
    for (int i = 1; i <= DrawnSlotCount; ++i) {
        const TSPD_& s = drawn[i - 1];
        for (int k = 0; k < MaxCapturedPoints; ++k)
            if (s.SNENREI[k] != 0)
                AddSeriesPoint(set, s.HANREI, 0, RoundHalfAway(s.SKIN[k] / 10000.0, 1), s.SNENREI[k], i);
    }
    FinishSeriesMeans(set);
    FitSeriesSet(set, order);
}

void LoadDrawnCurves(const Session& s, int xCode, int yCode, int order, DrawnSlots& drawn, TSeriesSet& set)
{
    ResetSeriesSet(set);
    drawn = DrawnSlots();
    QList<TSPDRAW_> rows;
    if (ReadDrawnCurveRows(s, xCode, yCode, true, rows))
        drawn = SlotsFromRows(rows);
    FillDrawnCurveSeries(drawn, order, set);
}

QList<PlotDrawnCurveInput> DrawnCurveInputs(const DrawnSlots& drawn, const TSeriesSet& set)
{
    QList<PlotDrawnCurveInput> curves;
    for (int i = 1; i <= DrawnSlotCount; ++i) {
        const TXYDATA& series = set[i];
        if (series.count == 0)
            continue;
        const TSPD_& s = drawn[i - 1];
        PlotDrawnCurveInput c;
        c.number = i;
        for (size_t k = 0; k < series.xs.size(); ++k)
            c.points.emplace_back(series.xs[k], series.ys[k]);
        c.startsOnBottom = series.minX == 0;
        c.pen = {s.color, s.style, s.width};
        c.legend = s.HANREI;
        curves << c;
    }
    return curves;
}

SlotPen PenOfSlot(const TSPD_& slot)
{
    return {ColorToText(slot.color), slot.style, slot.width};
}

RangeEntry CheckDrawNumberEntry(const QString& typed, int lastAccepted)
{
    RangeEntry e;
    long long v = 0;
    const QString restored = QString::number(lastAccepted);
    if (typed.trimmed().isEmpty() || !ParseWholeNumber(typed, v)) {
        e = {false, QStringLiteral("数値を入力してください。"), restored, lastAccepted};
    } else if (v != 0 && (v < 1 || v > DrawnSlotCount)) {
        e = {false, QStringLiteral("入力範囲外です。1 ～ 5 の値を入力して下さい。"), restored, lastAccepted};
    } else {
        e.value = int(v);
        e.text = QString::number(v);
    }
    return e;
}

int DrawNumberOf(const QString& text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? n : 1;
}

Outcome StoreCapturedCurve(const Session& s, int n, int xCode, int yCode, const QList<CapturedPoint>& points,
                           const SlotPen& pen)
{
    if (points.size() < 2)
        return Outcome::Refused(QStringLiteral("取込む点を２～６箇所をポイントして下さい。"));
    // A curve stored under a number outside 1..5 would never be drawn nor listed.
    if (n < 1 || n > DrawnSlotCount)
        return Outcome::Refused(CaptureRefusal(QString::number(n), 0));
    WaitCursor busy;
    const TMKIGYOU2& c = s.company();
    DbConnection& cn = *s.year;
    const bool stored = InTransaction(cn, [&] {
        TSPDRAW_ row;
        const SqlCondition curve(QStringLiteral(" WHERE KCO = ? AND NENDO = ? AND SDCO = ? AND X = ? AND Y = ?"),
                                 {c.KCO.toLongLong(), c.NENDO.toLongLong(), qint64(n), qint64(xCode), qint64(yCode)});
        if (!Delete(cn, false, curve, row))
            return false;
        row = TSPDRAW_();
        row.KCO = c.KCO;
        row.NENDO = c.NENDO;
        row.SDCO = QString::number(n);
        row.X = xCode;
        row.Y = yCode;
        row.FCHKS = 1;
        row.FREN = 1;
        const StoredPointFields fields = PointFieldsOf(row);
        for (int k = 0; k < MaxCapturedPoints && k < points.size(); ++k) {
            *fields.x[k] = points[k].x;
            *fields.yen[k] = double(points[k].yen);
        }
        row.SCOLOR = pen.colourName;
        row.SSYURUI = pen.style;
        row.SHABA = pen.width;
        return Insert(cn, false, row);
    });
    return stored ? Outcome::Done() : Outcome::Failed(QString());
}
