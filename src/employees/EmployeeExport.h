// Employee CSV export: the employee master of the open project written to
// CSV/社員マスタ出力.CSV in the columns the employee import recognises.
#pragma once

#include "core/Outcome.h"
#include "shell/Session.h"
#include "store/Records.h"

#include <QList>
#include <QString>
#include <QStringList>

// The main menu's command (employees/screens/EmployeeExportCommand.h) runs these in order:
// CheckEmployeeExport, the question EmployeeExportQuestion, ReadEmployeeExport, when texts
// cannot be written the question UnwritableQuestion, then WriteEmployeeExport.

inline const QString NoCompanyForExportMessage =
    QStringLiteral("企業の選択がされていません。企業を選択してください。");
inline const QString NoEmployeesToExportMessage = QStringLiteral("社員マスタは有りません。");
inline const QString EmployeesExportedMessage = QStringLiteral("CSVディレクトリに社員マスタが出力されました。");

// Refused with NoCompanyForExportMessage when the session has no company open.
Outcome CheckEmployeeExport(const Session& s);
// The question asked before anything is read: the export goes to the CSV folder.
QString EmployeeExportQuestion(const Session& s);

// The employees to export, in file order, and the texts that Shift-JIS cannot hold.
struct EmployeeExportData {
    Outcome outcome;              // refused: no company open, or NoEmployeesToExportMessage;
                                  // failed without a message: the read failed (the store
                                  // reports that)
    QList<TSyain_> employees;
    QStringList unwritable;       // EmployeeExportUnwritable(employees)
};
EmployeeExportData ReadEmployeeExport(const Session& s);
// Writes the employees to path: done with EmployeesExportedMessage, or failed with the
// platform's error, a carriage return and the path.
Outcome WriteEmployeeExport(const QString& path, const QList<TSyain_>& employees);

// Reads the session's employees and writes them to path without asking (the batch tool):
// the outcomes of ReadEmployeeExport and WriteEmployeeExport. When some texts cannot be
// written they are written as "?" with writeUnwritable, otherwise nothing is written and
// the outcome is refused with UnwritableQuestion's text. Written to a file other than
// EmployeeExportPath, the closing message names that file (CsvWrittenToFileMessage).
Outcome WriteEmployeeMaster(const Session& s, const QString& path, bool writeUnwritable);

// The export file's path under the session's program folder.
QString EmployeeExportPath(const Session& s);

// A date yyyymmdd as "yyyy/mm/dd"; "0" for no date.
QString ExportDateText(int yyyymmdd);

// The texts Shift-JIS cannot hold, one line per employee field, naming the employee, the
// field and the characters: "社員番号 0012（山田 太郎）の社員名：「𠮷」". Empty when
// every text can be written.
QStringList EmployeeExportUnwritable(const QList<TSyain_>& employees);

// The question shown before writing when some texts cannot be written (at most ten
// lines named, the rest counted); No leaves the file unwritten.
QString UnwritableQuestion(const QStringList& problems);

// The file's lines: the heading line, then one line per employee in the order given.
QStringList EmployeeExportLines(const QList<TSyain_>& employees);
