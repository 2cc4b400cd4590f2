// Employee CSV export: the employee master of the open project as a CSV file.
#include "employees/EmployeeExport.h"

#include "core/CsvWriter.h"
#include "core/TextCodec.h"
#include "core/WaitCursor.h"
#include "store/RecordAccess.h"

#include <QFileInfo>

QString EmployeeExportPath(const Session& s)
{
    return s.exeFolder + QStringLiteral("CSV/社員マスタ出力.CSV");
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

QStringList EmployeeExportLines(const QList<TSyain_>& employees)
{
    QStringList lines;
    lines.reserve(employees.size() + 1);
    lines << QStringLiteral("社員番号,社員名,役職,性別,学歴,専攻,職務経験,社内身分,生年月日,入社日,賃金等級");
    for (const TSyain_& e : employees) {
        const QStringList fields = {
            CsvQuoted(e.SCOT),
            CsvQuoted(e.SNA),
            CsvQuoted(e.YAKU),
            CsvQuoted(e.SEIBETSU == 0 ? QStringLiteral("男") : QStringLiteral("女")),
            CsvQuoted(e.GAKU),
            CsvQuoted(e.SENKOU),
            CsvQuoted(e.KEIKEN),
            CsvQuoted(e.SM2),
            CsvQuoted(ExportDateText(e.SEIHI)),
            CsvQuoted(ExportDateText(e.NYUHI)),
            QString::number(e.TOUKYU),
        };
        lines << fields.join(',');
    }
    return lines;
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

QString EmployeeExportQuestion(const Session& s)
{
    return QStringLiteral("社員マスタを") + s.exeFolder + QStringLiteral("CSVへ出力します。\r\nよろしいですか？");
}

EmployeeExportData ReadEmployeeExport(const Session& s)
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
    // Texts that Shift-JIS cannot hold are named before anything is written.
    data.unwritable = EmployeeExportUnwritable(data.employees);
    return data;
}

Outcome WriteEmployeeExport(const QString& path, const QList<TSyain_>& employees)
{
    QString error;
    bool written;
    {
        WaitCursor wait;
        written = WriteCsvFile(path, EmployeeExportLines(employees), &error);
    }
    if (!written)
        return Outcome::Failed(error + '\r' + path);
    return Outcome::Done(EmployeesExportedMessage);
}

Outcome WriteEmployeeMaster(const Session& s, const QString& path, bool writeUnwritable)
{
    const EmployeeExportData data = ReadEmployeeExport(s);
    if (!data.outcome.ok)
        return data.outcome;
    if (!data.unwritable.isEmpty() && !writeUnwritable)
        return Outcome::Refused(UnwritableQuestion(data.unwritable));
    const Outcome written = WriteEmployeeExport(path, data.employees);
    // A file other than the CSV folder's export file is named in the closing message.
    if (written.ok && QFileInfo(path).absoluteFilePath() != QFileInfo(EmployeeExportPath(s)).absoluteFilePath())
        return Outcome::Done(CsvWrittenToFileMessage(QStringLiteral("社員マスタ"), path));
    return written;
}
