// Employee CSV import: reading and splitting the file, mapping its headings to the grid's
// columns, checking the rows, and inserting the employees into the open project.
#pragma once

#include "core/Outcome.h"
#include "store/Connection.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// The columns of the import grid; row 0 holds their headings, which are also the CSV
// column names recognised in a file's first line.
namespace ImportColumn {
enum : int {
    Status = 0,         // "ERROR" when a check of the row failed
    Name = 1,           // 社員名      -> SNA
    Number = 2,         // 社員番号    -> SCOT
    Branch = 3,         // 本支店ID    (checked only)
    Job = 4,            // 職務ID      (checked only)
    Position = 5,       // 役職        -> YAKU
    Sex = 6,            // 性別        -> SEIBETSU
    Education = 7,      // 学歴        -> GAKU
    Major = 8,          // 専攻        -> SENKOU
    Experience = 9,     // 職務経験    -> KEIKEN
    Employment = 10,    // 社内身分    -> SM2 (text), SM1 (its code)
    Birth = 11,         // 生年月日    -> SEIHI
    Entry = 12,         // 入社日      -> NYUHI
    Grade = 13,         // 賃金等級    -> TCO, TOUKYU
    Assignment = 14,    // 配属        (not stored)
    Qualification = 15, // 公的資格    -> KSIKAKU
    Count = 16
};
}

// The sixteen headings and the column widths of the import grid.
const QStringList& ImportHeadings();
const QList<int>& ImportColumnWidths();

// A field that runs to the end of a line ends at this position of the line at the latest.
inline constexpr int CsvLineFieldLimit = 4999;

// Splits one CSV line into its fields (at most maxFields of them when maxFields > 0).
// A field beginning with a double quote ends at its closing quote followed by a comma
// (quotes doubled inside the field do not close it) and is unquoted; an unquoted field
// ends before the next comma and loses a leading backslash. A field without a following
// separator runs to the end of the line, cut at position CsvLineFieldLimit.
QStringList SplitCsvLine(const QString& line, int maxFields = 0);

// Splits text at CR LF, LF or CR. A line break at the very end adds no empty line.
QStringList SplitTextLines(const QString& text);

// Splits text into CSV records: at CR LF, LF or CR, except inside a quoted field. A field
// that begins with a double quote runs across line ends up to its closing quote (one
// followed by a comma, a line end or the end of the text; doubled quotes do not close it).
// A quoted field that never closes is no record of its own: from there on every line end
// ends a record, as SplitTextLines does. A line break at the very end adds no record.
QStringList SplitCsvRecords(const QString& text);

// The file's bytes as text: UTF-8 (with or without a byte-order mark) when they are
// valid UTF-8, otherwise Shift-JIS (CP932). false in ok when they are neither.
QString DecodeCsvBytes(const QByteArray& bytes, bool* ok);

// For each position of the heading line, the grid column it feeds (1..15), or 0 when the
// name is not one of the headings (compared exactly).
QList<int> MapHeadings(const QStringList& names);

// A date written year/month/day with a four-digit year ("2024/4/1", "2024/04/01"),
// blanks around it ignored. true with the date as yyyymmdd when it is a calendar date.
bool ParseImportDate(const QString& text, int& yyyymmdd);

// 性別 as stored in the grid: "男" for "男", "男性", "True", "true", "TRUE", "1", "-1";
// "女" for anything else, the empty value included.
QString NormalisedSex(const QString& text);

// The employment-form code of a 社内身分 text: 役員 1, 正社員 2, パート 3, その他 4, else 0.
int EmploymentFormCode(const QString& text);

// One grid row: the sixteen cells.
using ImportRow = std::array<QString, ImportColumn::Count>;

// Checks one row: every failed test writes "ERROR" into the status cell, counts one and
// adds its reason to reasons ("入社日が日付ではありません"). A line break in 社員名,
// 社員番号, 性別, 生年月日, 入社日 or 賃金等級 is such a failure ("社員番号に改行が含まれて
// います"); the free-text columns may hold line breaks. 性別 is normalised in the row
// (kept as read when it holds a line break). Returns the number of failed tests.
int CheckImportRow(ImportRow& row, QStringList* reasons = nullptr);

// The outcome of reading and checking a file, and the message to show for it.
struct ImportCheck {
    enum Outcome {
        Checked,          // rows read; errors tells whether they may be imported
        NoFileName,       // "ファイル名を入力して下さい。"
        FileMissing,      // "指定されたファイルは存在しません。"
        ReadFailed,       // the platform's input/output error
        NotText,          // neither Shift-JIS nor UTF-8
        Empty,            // the file name + "　にはデータが有りません。"
        NoValidHeadings,  // "有効な項目名がありません。"
        NoDataRows,       // the heading line only: as Empty
    };
    Outcome outcome = Checked;
    QString message;      // '' when Checked without errors
    bool gridCleared = false;  // the grid is to be cleared (the file exists)
    QList<ImportRow> rows;
    QList<QStringList> reasons;   // per row, why it was marked ERROR (empty when sound)
    int errors = 0;

    bool importable() const { return outcome == Checked && errors == 0 && !rows.isEmpty(); }
};

// Reads, splits and checks the file (the file name is trimmed first).
ImportCheck CheckImportFile(const QString& fileName);
// The same on a file's bytes (for a file already read).
ImportCheck CheckImportBytes(const QString& fileName, const QByteArray& bytes);

enum class ImportMode {
    Replace,   // delete the project's employees first
    Add,       // add to them
};

inline const QString ImportFailedMessage = QStringLiteral("データベースにエラーがありました。");

// Inserts the rows as new employees of the project kco / nendo, codes from the largest
// SCO + 1, all in one transaction (the deletion of replace mode included). today gives
// NEWDAY1. On a database failure everything is rolled back and the outcome fails under an
// empty caption with ImportFailedMessage, followed on their own lines by the engine's text
// and the failing statement when there are any.
Outcome ImportEmployees(DbConnection& cn, int kco, int nendo, const QList<ImportRow>& rows, ImportMode mode,
                        const QDate& today);
