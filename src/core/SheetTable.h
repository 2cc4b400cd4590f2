// A table as the program hands it out: typed cells that feed both the CSV file and the
// .xlsx workbook of the same table.
//
// Every export builds its SheetTable once. Each cell carries its value for the spreadsheet
// (text, number with its number format, or date) and its field exactly as the CSV file
// writes it; SheetCsvLines joins the fields, WriteXlsxFile writes the workbook with
// libxlsxwriter: bold header rows frozen at the top, columns wide enough for their
// contents, the sheet named after the table, and the document's title, company and fiscal
// year.
#pragma once

#include "core/CsvWriter.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// Number formats of the spreadsheet cells.
inline const QString SheetAmountFormat = QStringLiteral("#,##0");     // yen
inline const QString SheetRatioFormat = QStringLiteral("0.0");        // 格差 and other ratios
inline const QString SheetWholeFormat = QStringLiteral("0");          // ages, grades, steps, counts

// The date format of the screens in a calendar mode: Western "yy年mm月dd日", or in era
// mode the era name and the two-digit era year ("令和05年04月01日").
QString SheetDateFormat(int calendarMode);
// A day written out in full ("yyyy年mm月dd日"), as the wage table's heading shows it.
inline const QString SheetLongDateFormat = QStringLiteral("yyyy\"年\"mm\"月\"dd\"日\"");

struct SheetCell {
    enum class Type { Blank, Text, Number, Date };
    Type type = Type::Blank;
    QString text;      // Text
    double number = 0; // Number
    QDate date;        // Date
    QString format;    // number format of Number and Date cells
    QString csv;       // the field as the CSV file writes it (quotes included)

    // A text; codes stay texts, so "00123" keeps its zeros.
    static SheetCell Text(const QString& text, const QString& csv);
    static SheetCell Text(const QString& text) { return Text(text, text); }
    static SheetCell Number(double value, const QString& format, const QString& csv);
    // A date; an invalid date is a blank cell.
    static SheetCell Date(const QDate& date, const QString& format, const QString& csv);
    static SheetCell Blank(const QString& csv = QString());
};
using SheetRow = QList<SheetCell>;

struct SheetTable {
    QString sheetName;            // what the table is; at most 31 characters, none of []:*?/\.
    QList<SheetRow> rows;         // every line of the CSV file, in order
    int headerFirst = 0;          // the header rows (bold); the sheet scrolls below headerLast
    int headerLast = 0;
};

// Each row of a table as one CSV line: its cells' fields joined by ",".
QStringList SheetCsvLines(const SheetTable& table);

// The workbook's document properties.
struct SheetProperties {
    QString title;
    QString company;
    QString fiscalYear;   // the year label as the screens show it, e.g. "2020 年度"
};

// Writes the table as an .xlsx workbook at path, replacing any existing file only once the
// whole workbook is written. false with the reason in error (nothing is left at path then).
bool WriteXlsxFile(const QString& path, const SheetTable& table, const SheetProperties& properties,
                   QString* error = nullptr);

// The column widths (in characters) WriteXlsxFile gives a table: the widest cell of each
// column as the spreadsheet shows it, full-width characters counting two.
QList<double> SheetColumnWidths(const SheetTable& table);

// The file kinds an export can write.
enum class SheetFileKind { Csv, Xlsx };

// What file an export writes: CSV in an encoding (Shift-JIS unless the user chose UTF-8),
// or an .xlsx workbook.
struct TableFileFormat {
    SheetFileKind kind = SheetFileKind::Csv;
    CsvEncoding encoding = CsvEncoding::ShiftJis;
};

// The question before an export into the program folder's CSV folder: what + "を" + folder
// + "CSVへ出力します。" (CSV) or "CSVへExcel形式で出力します。" (.xlsx), then a line break and
// "よろしいですか？".
QString ExportQuestion(const QString& what, const QString& exeFolder, SheetFileKind kind);

// The first line of the message of a file that could not be written, with its line break:
// "CSVファイルの書き込みでエラーが発生しました。" or the same for an Excel file.
QString TableWriteErrorHeading(SheetFileKind kind);

// Writes the table to path in the format: the CSV lines in the encoding, or the workbook
// with the properties. false with the reason in error; an earlier file stays whole.
bool WriteTableFile(const QString& path, const SheetTable& table, const SheetProperties& properties,
                    const TableFileFormat& format, QString* error = nullptr);
// The path with its extension replaced by ".xlsx" (社員マスタ出力.CSV -> 社員マスタ出力.xlsx).
QString XlsxPathOf(const QString& csvPath);
