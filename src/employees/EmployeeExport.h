// Employee CSV export: the employee master of the open project written to
// CSV/社員マスタ出力.CSV in the columns the employee import recognises.
#pragma once

#include "store/Records.h"

#include <QList>
#include <QString>
#include <QStringList>

// The main-menu command: asks, reads the employees and writes the file, with its messages.
void ExportEmployeeMaster();

// The export file's path under the program folder.
QString EmployeeExportPath();

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
