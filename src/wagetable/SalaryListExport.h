// The generated wage table as a CSV file: 賃金表.CSV, 賃金表2.CSV, … in the CSV folder.
#pragma once

#include "core/Outcome.h"
#include "reports/ReportPage.h"
#include "shell/Session.h"
#include "store/Records.h"
#include "wagetable/SalaryListReport.h"

#include <QList>
#include <QString>
#include <QStringList>

inline constexpr int SalaryListCsvLastNumber = 10000;

// The lines of the file: the heading line, the column names, one line per step.
QStringList SalaryListCsvLines(const QList<TCHNGIN2_>& rows, const SalaryListHeading& heading);

// The first file name in the folder that does not exist yet: 賃金表.CSV, then 賃金表2.CSV
// up to 賃金表10000.CSV, which is taken (and replaced) when every name exists.
QString NextSalaryListCsvPath(const QString& folder);

// CSV出力 after its question: reads the generated table id of the session's project,
// writes it with the heading of title to path (the next free name in the program folder's
// CSV folder when path is empty) and returns the command's message: nothing to print
// (refused), the write error (failed) or done with the file's path (CsvWrittenToFileMessage
// when the path was given). Not ok when nothing was written (a failed read carries no
// message: the store has reported it); writtenPath receives the file written.
Outcome ExportSalaryListCsv(const Session& s, int id, const QString& title, const QString& path = QString(),
                            QString* writtenPath = nullptr);

// 賃金表印刷 up to the composer: reads the generated table id and lays it out with the heading
// of title. Refused with the "nothing to print" message, or not ok without a message after
// a failed read.
Outcome SalaryListDocument(const Session& s, int id, const QString& title, ReportDocument& doc);
