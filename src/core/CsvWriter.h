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

// Writes the lines (each ended by CR LF) in the encoding, replacing any existing file.
// false with the platform's error text in error when the file cannot be written.
bool WriteCsvFile(const QString& path, const QStringList& lines, QString* error = nullptr,
                  CsvEncoding encoding = CsvEncoding::ShiftJis);
