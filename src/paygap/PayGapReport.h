// The pay-gap disclosure as output: the figures of the open project, the CSV file, the printed
// document "男女の賃金の差異" (template Report/PrintPayGap.jfm) and the lines the batch tool
// prints. The screen and the batch tool use the same routines, so their files are the same.
#pragma once

#include "paygap/PayGap.h"
#include "core/SheetTable.h"
#include "reports/ReportPage.h"

#include <QString>
#include <QStringList>

// The disclosure of the session's project: its stored settings, its imported actual wages,
// its people and every figure.
struct PayGapRun {
    Outcome outcome;        // failed when a read failed (the store has reported it)
    PayGapSettings settings;
    PayGapResult result;
};

// Reads the stored settings (defaults without a stored row) and computes.
PayGapRun RunPayGap(const Session& s);
// Computes with the given settings (the screen's, not yet saved).
PayGapRun RunPayGapWith(const Session& s, const PayGapSettings& settings);

// The regular monthly scheduled hours of the company (basic settings) in 1/1000 h.
long long RegularMonthlyHoursMilli(const Session& s);

// The tables as one sheet, the CSV file's lines and the workbook's cells alike: the statutory
// table (heading, 全労働者, 正規雇用労働者, パート・有期労働者, 女性管理職比率), then after a
// blank line each breakdown (grade, age band, service band) with its heading, then the split.
// Headcounts are numbers shown whole (or with three decimals under 正規換算), averages and
// yen amounts `#,##0`, ratios and shares `0.0`; "－" stays a text. The heading row is bold
// and frozen.
SheetTable PayGapTable(const PayGapResult& r);
// The table's sections as the screen shows them: the rows between its blank rows, each
// section's first row its heading (the statutory table, the three breakdowns, the split).
QList<QList<SheetRow>> PayGapSections(const SheetTable& table);
// A cell as a screen shows it: amounts with thousands separators, every other figure and
// text as the CSV file writes it.
QString PayGapShownText(const SheetCell& cell);
// The CSV lines of that table.
QStringList PayGapCsvLines(const PayGapResult& r);
// CSV/男女の賃金の差異.csv under the program folder, or its .xlsx.
QString PayGapCsvPath(const QString& exeFolder, SheetFileKind kind = SheetFileKind::Csv);
// Writes the table in the format (CSV in its encoding, or the workbook with the title
// 男女の賃金の差異 and the session's company and fiscal year) through the shared table writer.
Outcome WritePayGapTable(const Session& s, const PayGapResult& r, const QString& path, const TableFileFormat& format);

// The three ratios and the managers' share, one a line ("全労働者\t71.3"), for standard output.
QStringList PayGapSummaryLines(const PayGapResult& r);

// The notes printed under the table: what wages count, how part-time workers are counted,
// who is left out.
QStringList PayGapNotes(const PayGapSettings& settings, const PayGapResult& r);

// "2024年4月1日～2025年3月31日".
QString BusinessYearText(const PayGapSettings& settings);

// The printed document: page 1 the company, business year, statutory table, managers' share,
// notes and 説明欄; page 2 the breakdowns and the split.
ReportDocument BuildPayGapDocument(const QString& exeFolder, const QString& companyName,
                                   const PayGapSettings& settings, const PayGapResult& r);
