// Writing CSV files: CP932 text, CR LF line ends.
#include "core/CsvWriter.h"

#include "core/TextCodec.h"

#include <QDir>
#include <QSaveFile>

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

bool WriteCsvFile(const QString& path, const QStringList& lines, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    for (const QString& line : lines) {
        file.write(ToCp932(line));
        file.write("\r\n", 2);
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
