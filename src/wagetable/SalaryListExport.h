// The generated wage table as a CSV file: 賃金表.CSV, 賃金表2.CSV, … in the CSV folder.
#pragma once

#include "store/Records.h"
#include "reports/ReportPage.h"
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

// CSV出力 after its question: reads the generated table id, writes it with the heading of
// title to path (the next free name in the CSV folder when path is empty) and shows the
// command's messages (nothing to print, the write error, done with the file's path).
// false when nothing was written; writtenPath receives the file written.
bool ExportSalaryListCsv(int id, const QString& title, const QString& path = QString(),
                         QString* writtenPath = nullptr);

// 賃金表印刷 up to the composer: reads the generated table id and lays it out with the heading
// of title. false after the "nothing to print" message or a failed read.
bool SalaryListDocument(int id, const QString& title, ReportDocument& doc);
