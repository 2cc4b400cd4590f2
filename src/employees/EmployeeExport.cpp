// Employee CSV export: the employee master of the open project as a CSV file.
#include "employees/EmployeeExport.h"

#include "core/CsvWriter.h"
#include "core/TextCodec.h"
#include "core/WaitCursor.h"
#include "shell/ProjectLookups.h"
#include "store/RecordAccess.h"

#include <QFileInfo>

QString EmployeeExportPath(const Session& s, SheetFileKind kind)
{
    const QString csv = s.exeFolder + QStringLiteral("CSV/社員マスタ出力.CSV");
    return kind == SheetFileKind::Xlsx ? XlsxPathOf(csv) : csv;
}

QString ExportDateText(int d)
{
    if (d == 0)
        return QStringLiteral("0");
    return QStringLiteral("%1/%2/%3")
        .arg(d / 10000, 4, 10, QLatin1Char('0'))
        .arg(d / 100 % 100, 2, 10, QLatin1Char('0'))
        .arg(d % 100, 2, 10, QLatin1Char('0'));
}

namespace {

QDate dateOf(int yyyymmdd)
{
    return QDate(yyyymmdd / 10000, yyyymmdd / 100 % 100, yyyymmdd % 100);
}

} // namespace

SheetTable EmployeeExportTable(const QList<TSyain_>& employees, int calendarMode)
{
    SheetTable table;
    table.sheetName = QStringLiteral("社員マスタ");
    SheetRow heading;
    for (const QString& name : QStringLiteral("社員番号,社員名,役職,性別,学歴,専攻,職務経験,社内身分,生年月日,入社日,賃金等級")
                                   .split(','))
        heading << SheetCell::Text(name);
    table.rows.reserve(employees.size() + 1);
    table.rows << heading;
    const QString dateFormat = SheetDateFormat(calendarMode);
    auto text = [](const QString& t) { return SheetCell::Text(t, CsvQuoted(t)); };
    // No date is a blank cell; a stored value that is no calendar day stays the text it is.
    auto date = [&](int d) {
        const QString csv = CsvQuoted(ExportDateText(d));
        if (d == 0)
            return SheetCell::Blank(csv);
        const QDate day = dateOf(d);
        return day.isValid() ? SheetCell::Date(day, dateFormat, csv) : SheetCell::Text(ExportDateText(d), csv);
    };
    for (const TSyain_& e : employees) {
        table.rows << SheetRow{
            text(e.SCOT),
            text(e.SNA),
            text(e.YAKU),
            text(e.SEIBETSU == 0 ? QStringLiteral("男") : QStringLiteral("女")),
            text(e.GAKU),
            text(e.SENKOU),
            text(e.KEIKEN),
            text(e.SM2),
            date(e.SEIHI),
            date(e.NYUHI),
            SheetCell::Number(e.TOUKYU, SheetWholeFormat, QString::number(e.TOUKYU)),
        };
    }
    return table;
}

QStringList EmployeeExportLines(const QList<TSyain_>& employees)
{
    return SheetCsvLines(EmployeeExportTable(employees, 0));
}

QStringList EmployeeExportUnwritable(const QList<TSyain_>& employees)
{
    QStringList problems;
    for (const TSyain_& e : employees) {
        const std::pair<const char*, const QString*> fields[] = {
            {"社員番号", &e.SCOT}, {"社員名", &e.SNA},       {"役職", &e.YAKU},    {"学歴", &e.GAKU},
            {"専攻", &e.SENKOU},   {"職務経験", &e.KEIKEN}, {"社内身分", &e.SM2},
        };
        for (const auto& [field, text] : fields) {
            const QString missing = Cp932Unwritable(*text);
            if (!missing.isEmpty())
                problems << QStringLiteral("社員番号 %1（%2）の%3：「%4」")
                                .arg(e.SCOT, e.SNA, QString::fromUtf8(field), missing);
        }
    }
    return problems;
}

QString UnwritableQuestion(const QStringList& problems)
{
    const int shown = 10;
    QString text = QStringLiteral("次の文字は Shift-JIS で書けないため、「?」として出力されます。");
    for (const QString& p : problems.mid(0, shown))
        text += QStringLiteral("\r\n") + p;
    if (problems.size() > shown)
        text += QStringLiteral("\r\nほか %1 件").arg(problems.size() - shown);
    return text + QStringLiteral("\r\nこのまま出力しますか？");
}

Outcome CheckEmployeeExport(const Session& s)
{
    if (!s.companyOpen())
        return Outcome::Refused(NoCompanyForExportMessage);
    return Outcome::Done();
}

QString EmployeeExportQuestion(const Session& s, SheetFileKind kind)
{
    return ExportQuestion(QStringLiteral("社員マスタ"), s.exeFolder, kind);
}

EmployeeExportData ReadEmployeeExport(const Session& s, const TableFileFormat& format)
{
    EmployeeExportData data;
    data.outcome = CheckEmployeeExport(s);
    if (!data.outcome.ok)
        return data;
    const TMKIGYOU2& company = s.company();
    TSyain_rec list;
    // Employee numbers are text, so "10" sorts before "9"; SCO keeps equal numbers in a
    // fixed order.
    if (!ReadAll(*s.year, false,
                 SqlCondition(QStringLiteral(" WHERE NENDO = ? AND KCO = ? ORDER BY SCOT, SCO"),
                              {company.NENDO.toLongLong(), company.KCO.toLongLong()}),
                 QStringLiteral("SELECT * FROM VSYAIN"), list, s.ageReferenceDay())) {
        data.outcome = Outcome::Failed(QString());
        return data;
    }
    if (list.items.isEmpty()) {
        data.outcome = Outcome::Refused(NoEmployeesToExportMessage);
        return data;
    }
    data.employees = list.items;
    // Texts that Shift-JIS cannot hold are named before anything is written; UTF-8 and
    // workbooks hold every text.
    if (format.kind == SheetFileKind::Csv && format.encoding == CsvEncoding::ShiftJis)
        data.unwritable = EmployeeExportUnwritable(data.employees);
    return data;
}

Outcome WriteEmployeeExport(const Session& s, const QString& path, const QList<TSyain_>& employees,
                            const TableFileFormat& format)
{
    QString error;
    bool written;
    {
        WaitCursor wait;
        written = WriteTableFile(path, EmployeeExportTable(employees, s.calendarMode),
                                 SheetPropertiesFor(s, QStringLiteral("社員マスタ")), format, &error);
    }
    if (!written)
        return Outcome::Failed(error + '\r' + path);
    return Outcome::Done(EmployeesExportedMessage);
}

Outcome WriteEmployeeMaster(const Session& s, const QString& path, bool writeUnwritable,
                            const TableFileFormat& format)
{
    const EmployeeExportData data = ReadEmployeeExport(s, format);
    if (!data.outcome.ok)
        return data.outcome;
    if (!data.unwritable.isEmpty() && !writeUnwritable)
        return Outcome::Refused(UnwritableQuestion(data.unwritable));
    const Outcome written = WriteEmployeeExport(s, path, data.employees, format);
    // A file other than the CSV folder's export file is named in the closing message.
    if (written.ok
        && QFileInfo(path).absoluteFilePath() != QFileInfo(EmployeeExportPath(s, format.kind)).absoluteFilePath())
        return Outcome::Done(CsvWrittenToFileMessage(QStringLiteral("社員マスタ"), path));
    return written;
}
