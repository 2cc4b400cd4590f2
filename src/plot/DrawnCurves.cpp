// Drawn curves of the raise-curve design chart: capturing clicked points and storing them as a curve.
#include "plot/DrawnCurves.h"

#include "shell/AppState.h"
#include "shell/Numbers.h"
#include "shell/WaitCursor.h"
#include "store/Conversions.h"
#include "store/DataModule.h"
#include "store/DialogService.h"
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

bool StoreCapturedCurve(int n, int xCode, int yCode, const QList<CapturedPoint>& points, const SlotPen& pen)
{
    if (points.size() < 2) {
        Dialogs().information(AppTitle, QStringLiteral("取込む点を２～６箇所をポイントして下さい。"));
        return false;
    }
    WaitCursor busy;
    const TMKIGYOU2& c = Project().CurrentCompany;
    DbConnection& cn = FDM().ACN2;
    return InTransaction(cn, [&] {
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
        int* xs[MaxCapturedPoints] = {&row.SNENREI1, &row.SNENREI2, &row.SNENREI3,
                                      &row.SNENREI4, &row.SNENREI5, &row.SNENREI6};
        double* ys[MaxCapturedPoints] = {&row.SKIN1, &row.SKIN2, &row.SKIN3, &row.SKIN4, &row.SKIN5, &row.SKIN6};
        for (int k = 0; k < MaxCapturedPoints && k < points.size(); ++k) {
            *xs[k] = points[k].x;
            *ys[k] = double(points[k].yen);
        }
        row.SCOLOR = pen.colourName;
        row.SSYURUI = pen.style;
        row.SHABA = pen.width;
        return Insert(cn, false, row);
    });
}
