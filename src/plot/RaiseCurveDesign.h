// Raise-curve design: trial curves, their checks, the year-by-year table DCHINGIN and its CSV.
#pragma once

#include "core/Outcome.h"
#include "core/SheetTable.h"
#include "shell/Session.h"
#include "store/Records.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

constexpr int DesignCurveCount = 5;
constexpr int DesignPointCount = 6;

// One point of a trial curve: X value (0 = not part of the curve) and amount in yen.
struct DesignPoint {
    int x = 0;
    long long amount = 0;
};

// One trial curve with its plotting flag, texts and line style.
struct DesignCurve {
    std::array<DesignPoint, DesignPointCount> points{};
    bool plotted = false;
    QString legend;
    QString explanation;
    QString colour;   // colour name or number text, as stored in SCOLOR
    int style = 0;    // line style code 0..5
    int width = 0;    // 1..5, 0 = not drawn
};

using DesignCurves = std::array<DesignCurve, DesignCurveCount>;

// The whole design of one X and Y pair: five curves and the shared commentary.
struct RaiseCurveDesign {
    int xCode = 0;
    int yCode = 0;
    DesignCurves curves{};
    QString commentary;
};

// The first problem with the points as its message ("…n列 k行目"), or empty when all are sound.
QString ValidateDesignCurves(const DesignCurves& curves);

// The DCHINGIN rows of the curves (KCO and NENDO as given), in curve and X order. Each
// segment's yearly step is rounded to 10 yen; points shared by two segments appear once.
QList<TCHNGIN_> BuildDesignRows(const RaiseCurveDesign& design, const QString& kco, const QString& nendo);

// The closing figures of one curve's DCHINGIN rows: how many, the mean amount and the mean
// yearly step (last amount − first amount) ÷ (count − 1), first and last by NO.
struct DesignCurveSummary {
    int count = 0;
    double meanAmount = 0;
    double meanStep = 0;   // only meaningful with count >= 2
};
// The summaries of curves 1..5 (index 0..4) from the stored rows (any order).
std::array<DesignCurveSummary, DesignCurveCount> SummariseDesignRows(const QList<TCHNGIN_>& rows);

// The table of 昇給カーブの設計 from the stored rows (any order) and the title: the title
// row, two header rows (設計１ … 設計５ over 年齢, 職能給, 格差), one row per NO with each
// curve's X value, amount (#,##0) and 格差 (0.0), and the closing row of means.
SheetTable DesignTable(const QList<TCHNGIN_>& rows, const QString& title);
// The lines of 昇給カーブの設計.CSV: that table's.
QStringList DesignCsvLines(const QList<TCHNGIN_>& rows, const QString& title);

// The file the CSV (or the workbook, 昇給カーブの設計.xlsx) is written to under the program
// folder.
QString DesignCsvPath(const QString& exeFolder, SheetFileKind kind = SheetFileKind::Csv);

// Loads the curves stored for the session's project under design.xCode / design.yCode into
// design (curves without a row stay empty; the commentary comes from the last row found).
bool LoadDesignCurves(const Session& s, RaiseCurveDesign& design);

// Replaces every stored curve of the session's project with the five curves of design, in
// one transaction.
bool SaveDesignCurves(const Session& s, const RaiseCurveDesign& design);

// Validates, then replaces the session's project's DCHINGIN rows with those built from
// design in one transaction. A problem is refused with the validation message under the
// caption "確認" (the previous rows stay); database failures are reported by the record
// access layer.
Outcome RebuildDesignTable(const Session& s, const RaiseCurveDesign& design);

// The session's project's DCHINGIN rows ordered by NO and curve.
bool ReadDesignTable(const Session& s, QList<TCHNGIN_>& rows);
// What the CSV and the printed list start from: the table rebuilt from design, then read
// back. Not ok with the rebuild's refusal, without a message after a failed read (the store
// has reported it), or refused with noRowsMessage when the table has no row.
Outcome RebuildAndReadDesignTable(const Session& s, const RaiseCurveDesign& design, const QString& noRowsMessage,
                                  QList<TCHNGIN_>& rows);

// Rebuilds DCHINGIN and writes the CSV file under the session's program folder: refused
// with "賃金表データは有りません。" when no row was built, else done with the completion
// message or failed with the error. ok when the file was written.
// The format says CSV (in its encoding) or workbook.
Outcome ExportDesignCsv(const Session& s, const RaiseCurveDesign& design, const QString& title,
                        const TableFileFormat& format = {});
