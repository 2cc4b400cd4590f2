// Writing CSV files: CP932 text, CR LF line ends, fields quoted where asked.
#pragma once

#include <QString>
#include <QStringList>

// The value between double quotes, each double quote inside doubled.
QString CsvQuoted(const QString& value);

// The value as one field of a line: as it stands, or quoted by CsvQuoted when it holds a
// comma, a double quote or a line break that would otherwise split or end it.
QString CsvField(const QString& value);

// The closing message of a CSV file written to a file the user named (rather than to the
// program's CSV folder): what was written, then the file on a line of its own.
QString CsvWrittenToFileMessage(const QString& what, const QString& path);

// Writes the lines (each ended by CR LF) in CP932, replacing any existing file.
// false with the platform's error text in error when the file cannot be written.
bool WriteCsvFile(const QString& path, const QStringList& lines, QString* error = nullptr);
