// The generated wage table as a CSV file.
#include "wagetable/SalaryListExport.h"

#include "core/CsvWriter.h"
#include "wagetable/SalaryList.h"

#include <QDir>
#include <QFileInfo>

QStringList SalaryListCsvLines(const QList<TCHNGIN2_>& rows, const SalaryListHeading& heading)
{
    QStringList lines;
    lines << QStringList{CsvField(heading.yearLabel), CsvField(heading.companyName),
                         CsvField(heading.title), CsvField(heading.date)}
                 .join(',');
    lines << QStringLiteral("号俸,１等級,格差,２等級,格差,３等級,格差,４等級,格差,５等級,格差,６等級,格差,"
                            "７等級,格差,８等級,格差,９等級,格差");
    for (const TCHNGIN2_& r : rows)
        lines << QStringList{r.GOUHOU, r.KIN1, r.KS1, r.KIN2, r.KS2, r.KIN3, r.KS3, r.KIN4, r.KS4, r.KIN5,
                             r.KS5, r.KIN6, r.KS6, r.KIN7, r.KS7, r.KIN8, r.KS8, r.KIN9, r.KS9}
                     .join(',');
    return lines;
}

QString NextSalaryListCsvPath(const QString& folder)
{
    const QDir dir(folder);
    const QString first = dir.filePath(QStringLiteral("賃金表.CSV"));
    if (!QFileInfo::exists(first))
        return first;
    for (int n = 2; n <= SalaryListCsvLastNumber; ++n) {
        const QString path = dir.filePath(QStringLiteral("賃金表%1.CSV").arg(n));
        if (!QFileInfo::exists(path) || n == SalaryListCsvLastNumber)
            return path;
    }
    return first;
}

Outcome ExportSalaryListCsv(const Session& s, int id, const QString& title, const QString& path,
                            QString* writtenPath)
{
    QList<TCHNGIN2_> rows;
    if (!ReadSalaryTableRows(s, id, rows))
        return Outcome::Failed(QString());
    if (rows.isEmpty())
        return Outcome::Refused(QStringLiteral("印刷対象データはありません。"));
    const QString target = path.isEmpty() ? NextSalaryListCsvPath(s.exeFolder + QStringLiteral("CSV")) : path;
    QString error;
    if (!WriteCsvFile(target, SalaryListCsvLines(rows, SalaryListHeadingFor(s, title)), &error))
        return Outcome::Failed(QStringLiteral("CSVファイルの書き込みでエラーが発生しました。\r\n")
                               + QDir::toNativeSeparators(target) + QStringLiteral("\r\n") + error);
    if (writtenPath)
        *writtenPath = target;
    if (!path.isEmpty())
        return Outcome::Done(CsvWrittenToFileMessage(QStringLiteral("賃金表"), target));
    return Outcome::Done(QStringLiteral("CSVディレクトリに賃金表が出力されました。\r\n") + QDir::toNativeSeparators(target));
}

Outcome SalaryListDocument(const Session& s, int id, const QString& title, ReportDocument& doc)
{
    QList<TCHNGIN2_> rows;
    if (!ReadSalaryTableRows(s, id, rows))
        return Outcome::Failed(QString());
    if (rows.isEmpty())
        return Outcome::Refused(QStringLiteral("印刷対象データはありません。"));
    doc = BuildSalaryListPages(s.exeFolder, rows, SalaryListHeadingFor(s, title));
    return Outcome::Done();
}
