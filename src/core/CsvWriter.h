// Writing CSV files: Shift-JIS (CP932) or UTF-8 with a byte-order mark, CR LF line ends,
// fields quoted where asked.
#pragma once

#include <QString>
#include <QStringList>

// The character encoding of a CSV file. Shift-JIS is what payroll systems and older
// spreadsheets expect; UTF-8 with a byte-order mark holds every character (𠮷, emoji), so
// nothing is replaced by '?'.
enum class CsvEncoding { ShiftJis, Utf8Bom };

// "sjis" or "utf8" (the batch tool's --encoding and the user setting's stored value);
// false for anything else.
bool CsvEncodingFromName(const QString& name, CsvEncoding& encoding);
QString CsvEncodingName(CsvEncoding encoding);

// The value between double quotes, each double quote inside doubled.
QString CsvQuoted(const QString& value);

// The value as one field of a line: as it stands, or quoted by CsvQuoted when it holds a
// comma, a double quote or a line break that would otherwise split or end it.
QString CsvField(const QString& value);

// The closing message of a CSV file written to a file the user named (rather than to the
// program's CSV folder): what was written, then the file on a line of its own.
QString CsvWrittenToFileMessage(const QString& what, const QString& path);

// Writes the lines (each ended by CR LF) in the encoding, replacing any existing file.
// false with the platform's error text in error when the file cannot be written.
bool WriteCsvFile(const QString& path, const QStringList& lines, QString* error = nullptr,
                  CsvEncoding encoding = CsvEncoding::ShiftJis);
