// Writing CSV files: CP932 or UTF-8 text, CR LF line ends.
#include "core/CsvWriter.h"

#include "core/TextCodec.h"

#include <QDir>
#include <QSaveFile>

bool CsvEncodingFromName(const QString& name, CsvEncoding& encoding)
{
    if (name == QLatin1String("sjis"))
        encoding = CsvEncoding::ShiftJis;
    else if (name == QLatin1String("utf8"))
        encoding = CsvEncoding::Utf8Bom;
    else
        return false;
    return true;
}

QString CsvEncodingName(CsvEncoding encoding)
{
    return encoding == CsvEncoding::Utf8Bom ? QStringLiteral("utf8") : QStringLiteral("sjis");
}

QString CsvQuoted(const QString& value)
{
    QString v = value;
    v.replace('"', QLatin1String("\"\""));
    return '"' + v + '"';
}

QString CsvField(const QString& value)
{
    for (const QChar c : value)
        if (c == ',' || c == '"' || c == '\n' || c == '\r')
            return CsvQuoted(value);
    return value;
}

QString CsvWrittenToFileMessage(const QString& what, const QString& path)
{
    return what + QStringLiteral("が次のファイルに出力されました。\r\n") + QDir::toNativeSeparators(path);
}

bool WriteCsvFile(const QString& path, const QStringList& lines, QString* error, CsvEncoding encoding)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (encoding == CsvEncoding::Utf8Bom)
        file.write("\xEF\xBB\xBF", 3);
    for (const QString& line : lines) {
        file.write(encoding == CsvEncoding::Utf8Bom ? line.toUtf8() : ToCp932(line));
        file.write("\r\n", 2);
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
