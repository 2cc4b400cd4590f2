// The generated wage table as a CSV file (賃金表.CSV, 賃金表2.CSV, … in the CSV folder) or
// as an .xlsx workbook (賃金表.xlsx, 賃金表2.xlsx, …).
#pragma once

#include "core/Outcome.h"
#include "core/SheetTable.h"
#include "reports/ReportPage.h"
#include "shell/Session.h"
#include "store/Records.h"
#include "wagetable/SalaryListReport.h"

#include <QList>
#include <QString>
#include <QStringList>

inline constexpr int SalaryListCsvLastNumber = 10000;

// The table: the heading row (year label, company, title, today), the column names (the
// header), one row per step: the step, then per grade its amount (#,##0) and 格差 (0.0).
SheetTable SalaryListTable(int id, const QList<TCHNGIN2_>& rows, const SalaryListHeading& heading);
// The lines of the CSV file of that table.
QStringList SalaryListCsvLines(const QList<TCHNGIN2_>& rows, const SalaryListHeading& heading);

// The first file name in the folder that does not exist yet: 賃金表.CSV, then 賃金表2.CSV
// up to 賃金表10000.CSV, which is taken (and replaced) when every name exists; the same
// names ending in .xlsx for a workbook.
QString NextSalaryListCsvPath(const QString& folder, SheetFileKind kind = SheetFileKind::Csv);

// CSV出力 (or Excel出力) after its question: reads the generated table id of the session's
// project, writes it with the heading of title to path (the next free name in the program
// folder's CSV folder when path is empty) in the format and returns the command's message:
// nothing to print (refused), the write error (failed) or done with the file's path
// (CsvWrittenToFileMessage when the path was given). Not ok when nothing was written (a
// failed read carries no message: the store has reported it); writtenPath receives the
// file written.
Outcome ExportSalaryListCsv(const Session& s, int id, const QString& title, const QString& path = QString(),
                            QString* writtenPath = nullptr, const TableFileFormat& format = {});

// 賃金表印刷 up to the composer: reads the generated table id and lays it out with the heading
// of title. Refused with the "nothing to print" message, or not ok without a message after
// a failed read.
Outcome SalaryListDocument(const Session& s, int id, const QString& title, ReportDocument& doc);
