// Drawn curves of the raise-curve design chart: capturing clicked points and storing them as a curve.
#pragma once

#include "plot/PlotLayout.h"

#include <QList>
#include <QPoint>
#include <QString>

// A clicked point: its pixel position and its data value (x in X units, y in yen).
struct CapturedPoint {
    QPoint pixel;
    int x = 0;
    long long yen = 0;
};

constexpr int MaxCapturedPoints = 6;

// The data value of a click on the plot: x the nearest whole X value, y rounded to 1,000 yen
// from a Y axis in 万円 (halves away from zero).
CapturedPoint CapturePoint(const PlotLayout& layout, QPoint click);

// Why a click cannot be captured with this curve number text and this many points already
// captured ('' when it can): "描画番号 を、入力して下さい。", "描画番号 は、１～５ を入力して下さい。",
// "６点以上は、プロットできません。".
QString CaptureRefusal(const QString& curveNumberText, int captured);

// The pen a stored curve takes from its slot.
struct SlotPen {
    QString colourName = QStringLiteral("clBlack");
    int style = 0;
    int width = 0;
};

// 取込: replaces curve n of the X and Y items of the open project with the captured points
// (zeros for the points not captured) and the slot's pen, in one transaction. Shows
// "取込む点を２～６箇所をポイントして下さい。" for fewer than two points. true when stored.
bool StoreCapturedCurve(int n, int xCode, int yCode, const QList<CapturedPoint>& points, const SlotPen& pen);
