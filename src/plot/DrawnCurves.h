// Drawn curves of the raise-curve design chart: capturing clicked points and storing them as a curve.
#pragma once

#include "plot/PlotLayout.h"
#include "plot/Regression.h"
#include "core/Outcome.h"
#include "shell/Session.h"
#include "store/Records.h"

#include <QList>
#include <QPoint>
#include <QString>

#include <array>

// A clicked point: its pixel position and its data value (x in X units, y in yen).
struct CapturedPoint {
    QPoint pixel;
    int x = 0;
    long long yen = 0;
};

constexpr int MaxCapturedPoints = 6;
constexpr int DrawnSlotCount = 5;

// A drawn-curve slot: the stored curve of one curve number (SDCO 1..5) of the design's X and
// Y items. A point with x 0 is no point.
struct TSPD_ {
    int FCHKS = 0;
    std::array<int, MaxCapturedPoints> SNENREI{};   // x, whole X units
    std::array<double, MaxCapturedPoints> SKIN{};   // y, yen
    QString HANREI;
    QString KAISETSU;
    TColor color = 0;   // from SCOLOR (empty: black)
    int style = 0;      // SSYURUI
    int width = 0;      // SHABA (0 is drawn as 1)
};
using DrawnSlots = std::array<TSPD_, DrawnSlotCount>;

// The DSPDRAW rows of the session's project for an X and Y item pair, in SDCO order;
// shownOnly keeps the curves marked for drawing (FCHKS = 1). false on a failed read (reported
// by the record access layer).
bool ReadDrawnCurveRows(const Session& s, int xCode, int yCode, bool shownOnly, QList<TSPDRAW_>& rows);

// The six point columns of a DSPDRAW row in point order: SNENREIk (x) and SKINk (yen).
struct StoredPointFields {
    std::array<int*, MaxCapturedPoints> x;
    std::array<double*, MaxCapturedPoints> yen;
};
StoredPointFields PointFieldsOf(TSPDRAW_& row);
// The slots the rows fill (rows with SDCO outside 1..5 are left out).
DrawnSlots SlotsFromRows(const QList<TSPDRAW_>& rows);
// Series i (1..5) of the set from slot i: every point with x ≠ 0 at y = SKIN ÷ 10000 rounded
// to one decimal (万円), named by HANREI; then the means and the fits of the given order.
void FillDrawnCurveSeries(const DrawnSlots& drawn, int order, TSeriesSet& set);
// Loads the drawn curves of the X and Y items into the drawn slots and the set (both emptied first).
void LoadDrawnCurves(const Session& s, int xCode, int yCode, int order, DrawnSlots& drawn, TSeriesSet& set);
// What the plot draws of the drawn slots: each slot whose series has points, in slot order.
QList<PlotDrawnCurveInput> DrawnCurveInputs(const DrawnSlots& drawn, const TSeriesSet& set);

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

// The pen 取込 gives a curve stored as the slot's number: the slot's colour, style and width.
SlotPen PenOfSlot(const TSPD_& slot);

// 描画番号 left with a text: "0" is taken silently; not an integer → "数値を入力してください。";
// outside 1..5 → "入力範囲外です。1 ～ 5 の値を入力して下さい。". A refused text gives way to
// the number accepted last.
RangeEntry CheckDrawNumberEntry(const QString& typed, int lastAccepted);

// The curve number 取込 stores under: the 描画番号 text, 1 when it is not a number.
int DrawNumberOf(const QString& text);

// 取込: replaces curve n of the X and Y items of the session's project with the captured
// points (zeros for the points not captured) and the slot's pen, in one transaction. Refused
// with "取込む点を２～６箇所をポイントして下さい。" for fewer than two points and with the
// curve number's refusal outside 1..5. ok when stored.
Outcome StoreCapturedCurve(const Session& s, int n, int xCode, int yCode, const QList<CapturedPoint>& points,
                           const SlotPen& pen);
