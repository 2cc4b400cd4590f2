// A workbook read back with openpyxl and compared with the CSV of the same table.
#include "support/XlsxReadBack.h"

#include "core/TextCodec.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

#include <cmath>

ReadCell ReadWorkbook::at(int row, int column) const
{
    if (row < 0 || row >= rows.size() || column < 0 || column >= rows[row].size())
        return {};
    return rows[row][column];
}

ReadWorkbook ReadXlsx(const QString& path)
{
    ReadWorkbook book;
    // Debian's interpreter, the one python3-openpyxl is installed for.
    const QString python =
        QFileInfo::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3") : QStringLiteral("python3");
    QProcess p;
    p.start(python, {QStringLiteral(WAGELOOM_XLSX_DUMP), path});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        book.error = QString::fromUtf8(p.readAllStandardError());
        return book;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(p.readAllStandardOutput(), &parseError);
    if (!doc.isObject()) {
        book.error = parseError.errorString();
        return book;
    }
    const QJsonObject o = doc.object();
    for (const QJsonValue& v : o.value(QStringLiteral("sheets")).toArray())
        book.sheets << v.toString();
    book.freeze = o.value(QStringLiteral("freeze")).toString();
    book.title = o.value(QStringLiteral("title")).toString();
    book.company = o.value(QStringLiteral("company")).toString();
    book.subject = o.value(QStringLiteral("subject")).toString();
    for (const QJsonValue& v : o.value(QStringLiteral("widths")).toArray())
        book.widths << v.toDouble();
    for (const QJsonValue& r : o.value(QStringLiteral("rows")).toArray()) {
        QList<ReadCell> row;
        for (const QJsonValue& c : r.toArray()) {
            const QJsonObject co = c.toObject();
            ReadCell cell;
            cell.type = co.value(QStringLiteral("t")).toString();
            cell.format = co.value(QStringLiteral("f")).toString();
            cell.bold = co.value(QStringLiteral("b")).toBool();
            if (cell.type == QLatin1String("s"))
                cell.text = co.value(QStringLiteral("v")).toString();
            else if (cell.type == QLatin1String("n"))
                cell.number = co.value(QStringLiteral("v")).toDouble();
            else if (cell.type == QLatin1String("d"))
                cell.date = QDate::fromString(co.value(QStringLiteral("v")).toString(), Qt::ISODate);
            row << cell;
        }
        book.rows << row;
    }
    book.ok = true;
    return book;
}

QStringList ReadCsvLines(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = f.readAll();
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        text = QString::fromUtf8(bytes.mid(3));
    else
        text = FromCp932(bytes);
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList CsvFieldsOf(const QString& line)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar ch = line[i];
        if (quoted) {
            if (ch == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (ch == '"') {
                quoted = false;
            } else {
                field += ch;
            }
        } else if (ch == '"') {
            quoted = true;
        } else if (ch == ',') {
            fields << field;
            field.clear();
        } else {
            field += ch;
        }
    }
    fields << field;
    return fields;
}

namespace {

QDate dateShownBy(const QString& field)
{
    static const QRegularExpression slashed(QStringLiteral("^(\\d{4})/(\\d{2})/(\\d{2})$"));
    static const QRegularExpression written(QStringLiteral("^(\\d{4})年(\\d{2})月(\\d{2})日$"));
    for (const QRegularExpression* form : {&slashed, &written}) {
        const QRegularExpressionMatch m = form->match(field);
        if (m.hasMatch())
            return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    }
    return {};
}

QString differenceOf(const ReadCell& cell, const QString& field)
{
    if (cell.type == QLatin1String("s"))
        return cell.text == field ? QString() : QStringLiteral("text '%1' against '%2'").arg(cell.text, field);
    if (cell.type == QLatin1String(""))
        return field.isEmpty() || field == QLatin1String("0") ? QString()
                                                              : QStringLiteral("empty against '%1'").arg(field);
    if (cell.type == QLatin1String("d"))
        return cell.date == dateShownBy(field) ? QString()
                                               : QStringLiteral("date %1 against '%2'").arg(cell.date.toString(Qt::ISODate), field);
    if (cell.type != QLatin1String("n"))
        return QStringLiteral("unexpected type '%1'").arg(cell.type);
    QString plain = field;
    plain.remove(',');
    const bool percent = plain.endsWith('%');
    if (percent)
        plain.chop(1);
    bool ok = false;
    const double shown = plain.toDouble(&ok);
    if (!ok)
        return QStringLiteral("number %1 against '%2'").arg(cell.number).arg(field);
    const double value = cell.format.endsWith('%') ? cell.number * 100 : cell.number;
    const int point = plain.indexOf('.');
    const int decimals = point < 0 ? 0 : int(plain.size() - point - 1);
    if (std::abs(value - shown) > 0.5 * std::pow(10.0, -decimals) + 1e-9)
        return QStringLiteral("number %1 against '%2'").arg(value, 0, 'f', 10).arg(field);
    return {};
}

} // namespace

QStringList DifferencesFromCsv(const ReadWorkbook& book, const QStringList& csvLines)
{
    QStringList differences;
    if (book.rows.size() != csvLines.size())
        differences << QStringLiteral("%1 rows against %2 lines").arg(book.rows.size()).arg(csvLines.size());
    for (int r = 0; r < csvLines.size(); ++r) {
        const QStringList fields = CsvFieldsOf(csvLines[r]);
        const int columns = std::max<int>(fields.size(), r < book.rows.size() ? book.rows[r].size() : 0);
        for (int c = 0; c < columns; ++c) {
            const QString d = differenceOf(book.at(r, c), fields.value(c));
            if (!d.isEmpty())
                differences << QStringLiteral("row %1 column %2: ").arg(r + 1).arg(c + 1) + d;
        }
    }
    return differences;
}
