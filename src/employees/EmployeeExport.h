// Employee CSV export: the employee master of the open project written to
// CSV/社員マスタ出力.CSV in the columns the employee import recognises.
#pragma once

#include "core/Outcome.h"
#include "core/SheetTable.h"
#include "shell/Session.h"
#include "store/Records.h"

#include <QList>
#include <QString>
#include <QStringList>

// The main menu's commands (employees/screens/EmployeeExportCommand.h) run these in order:
// CheckEmployeeExport, the question EmployeeExportQuestion, ReadEmployeeExport, when texts
// cannot be written in Shift-JIS the question UnwritableQuestion, then WriteEmployeeExport.
// The same table is written as CSV (Shift-JIS or UTF-8) or as an .xlsx workbook.

inline const QString NoCompanyForExportMessage =
    QStringLiteral("企業の選択がされていません。企業を選択してください。");
inline const QString NoEmployeesToExportMessage = QStringLiteral("社員マスタは有りません。");
inline const QString EmployeesExportedMessage = QStringLiteral("CSVディレクトリに社員マスタが出力されました。");

// Refused with NoCompanyForExportMessage when the session has no company open.
Outcome CheckEmployeeExport(const Session& s);
// The question asked before anything is read: the export goes to the CSV folder.
QString EmployeeExportQuestion(const Session& s, SheetFileKind kind = SheetFileKind::Csv);

// The employees to export, in file order, and the texts that Shift-JIS cannot hold.
struct EmployeeExportData {
    Outcome outcome;              // refused: no company open, or NoEmployeesToExportMessage;
                                  // failed without a message: the read failed (the store
                                  // reports that)
    QList<TSyain_> employees;
    QStringList unwritable;       // EmployeeExportUnwritable(employees) for a Shift-JIS
                                  // CSV; empty for UTF-8 and .xlsx, which hold every text
};
EmployeeExportData ReadEmployeeExport(const Session& s, const TableFileFormat& format = {});
// Writes the employees to path in the format: done with EmployeesExportedMessage, or
// failed with the platform's error, a carriage return and the path.
Outcome WriteEmployeeExport(const Session& s, const QString& path, const QList<TSyain_>& employees,
                            const TableFileFormat& format = {});

// Reads the session's employees and writes them to path without asking (the batch tool):
// the outcomes of ReadEmployeeExport and WriteEmployeeExport. When some texts cannot be
// written they are written as "?" with writeUnwritable, otherwise nothing is written and
// the outcome is refused with UnwritableQuestion's text. Written to a file other than
// EmployeeExportPath, the closing message names that file (CsvWrittenToFileMessage).
Outcome WriteEmployeeMaster(const Session& s, const QString& path, bool writeUnwritable,
                            const TableFileFormat& format = {});

// The export file's path under the session's program folder: 社員マスタ出力.CSV, or
// 社員マスタ出力.xlsx for a workbook.
QString EmployeeExportPath(const Session& s, SheetFileKind kind = SheetFileKind::Csv);

// A date yyyymmdd as "yyyy/mm/dd"; "0" for no date.
QString ExportDateText(int yyyymmdd);

// The texts Shift-JIS cannot hold, one line per employee field, naming the employee, the
// field and the characters: "社員番号 0012（山田 太郎）の社員名：「𠮷」". Empty when
// every text can be written.
QStringList EmployeeExportUnwritable(const QList<TSyain_>& employees);

// The question shown before writing when some texts cannot be written (at most ten
// lines named, the rest counted); No leaves the file unwritten.
QString UnwritableQuestion(const QStringList& problems);

// The table: the heading row, then one row per employee in the order given. Codes and
// names are texts, the dates real dates shown in the calendar mode (none: a blank cell,
// "0" in the CSV), the grade a number.
SheetTable EmployeeExportTable(const QList<TSyain_>& employees, int calendarMode);
// The CSV file's lines of that table.
QStringList EmployeeExportLines(const QList<TSyain_>& employees);
