// The generated wage table as a CSV file.
#include "wagetable/SalaryListExport.h"

#include "core/CsvWriter.h"
#include "shell/ProjectLookups.h"
#include "wagetable/SalaryList.h"

#include <QDir>
#include <QFileInfo>

SheetTable SalaryListTable(int id, const QList<TCHNGIN2_>& rows, const SalaryListHeading& heading)
{
    SheetTable table;
    table.sheetName = QStringLiteral("賃金表 %1").arg(id);
    table.headerFirst = table.headerLast = 1;
    table.rows << SheetRow{SheetCell::Text(heading.yearLabel, CsvField(heading.yearLabel)),
                           SheetCell::Text(heading.companyName, CsvField(heading.companyName)),
                           SheetCell::Text(heading.title, CsvField(heading.title)),
                           heading.day.isValid()
                               ? SheetCell::Date(heading.day, SheetLongDateFormat, CsvField(heading.date))
                               : SheetCell::Text(heading.date, CsvField(heading.date))};
    SheetRow names;
    for (const QString& name : QStringLiteral("号俸,１等級,格差,２等級,格差,３等級,格差,４等級,格差,５等級,格差,６等級,格差,"
                                              "７等級,格差,８等級,格差,９等級,格差")
                                   .split(','))
        names << SheetCell::Text(name);
    table.rows << names;
    // The stored texts go to the CSV as they are; the workbook holds their numbers.
    auto number = [](const QString& stored, const QString& format) {
        return SheetCell::Number(stored.toDouble(), format, stored);
    };
    for (const TCHNGIN2_& r : rows) {
        SheetRow row{number(r.GOUHOU, SheetWholeFormat)};
        const QString* kin[9] = {&r.KIN1, &r.KIN2, &r.KIN3, &r.KIN4, &r.KIN5, &r.KIN6, &r.KIN7, &r.KIN8, &r.KIN9};
        const QString* ks[9] = {&r.KS1, &r.KS2, &r.KS3, &r.KS4, &r.KS5, &r.KS6, &r.KS7, &r.KS8, &r.KS9};
        for (int g = 0; g < 9; ++g)
            row << number(*kin[g], SheetAmountFormat) << number(*ks[g], SheetRatioFormat);
        table.rows << row;
    }
    return table;
}

QStringList SalaryListCsvLines(const QList<TCHNGIN2_>& rows, const SalaryListHeading& heading)
{
    return SheetCsvLines(SalaryListTable(0, rows, heading));
}

QString NextSalaryListCsvPath(const QString& folder, SheetFileKind kind)
{
    const QDir dir(folder);
    const QString extension = kind == SheetFileKind::Xlsx ? QStringLiteral(".xlsx") : QStringLiteral(".CSV");
    const QString first = dir.filePath(QStringLiteral("賃金表") + extension);
    if (!QFileInfo::exists(first))
        return first;
    for (int n = 2; n <= SalaryListCsvLastNumber; ++n) {
        const QString path = dir.filePath(QStringLiteral("賃金表%1").arg(n) + extension);
        if (!QFileInfo::exists(path) || n == SalaryListCsvLastNumber)
            return path;
    }
    return first;
}

Outcome ExportSalaryListCsv(const Session& s, int id, const QString& title, const QString& path,
                            QString* writtenPath, const TableFileFormat& format)
{
    QList<TCHNGIN2_> rows;
    if (!ReadSalaryTableRows(s, id, rows))
        return Outcome::Failed(QString());
    if (rows.isEmpty())
        return Outcome::Refused(QStringLiteral("印刷対象データはありません。"));
    const QString target =
        path.isEmpty() ? NextSalaryListCsvPath(s.exeFolder + QStringLiteral("CSV"), format.kind) : path;
    QString error;
    if (!WriteTableFile(target, SalaryListTable(id, rows, SalaryListHeadingFor(s, title)),
                        SheetPropertiesFor(s, title.isEmpty() ? QStringLiteral("賃金表") : title), format, &error))
        return Outcome::Failed(TableWriteErrorHeading(format.kind)
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
