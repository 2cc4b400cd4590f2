// A workbook read back by an independent reader (openpyxl, through tests/support/xlsx_dump.py)
// and compared with the CSV file of the same table.
#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

struct ReadCell {
    QString type;     // "s" text, "n" number, "d" date, "" empty
    QString text;     // "s"
    double number = 0;   // "n"
    QDate date;       // "d"
    QString format;   // the number format
    bool bold = false;
};

struct ReadWorkbook {
    bool ok = false;
    QString error;            // why the workbook could not be read
    QStringList sheets;
    QString freeze;           // the first scrolling cell, e.g. "A2"
    QString title, company, subject;
    QList<double> widths;
    QList<QList<ReadCell>> rows;

    // The cell, or an empty one beyond the sheet's used range.
    ReadCell at(int row, int column) const;
};

// Reads the workbook at path with openpyxl (Debian's python3 with python3-openpyxl).
ReadWorkbook ReadXlsx(const QString& path);

// The lines of a CSV file written by the program: Shift-JIS, or UTF-8 after a byte-order
// mark; CR LF line ends (no line breaks inside fields).
QStringList ReadCsvLines(const QString& path);

// The fields of one CSV line: quotes removed, doubled quotes as one.
QStringList CsvFieldsOf(const QString& line);

// Every difference between the workbook's cells and the CSV lines of the same table, one
// text each ("row 3 column 2: ..."): a text cell holds the field's text, a number cell the
// field's number (commas and a percent sign dropped; a percent format holds the field ÷
// 100) to the field's decimals, a date cell the date the field shows ("yyyy/mm/dd" or
// "yyyy年mm月dd日"), an empty cell an empty field or "0" (no date).
QStringList DifferencesFromCsv(const ReadWorkbook& book, const QStringList& csvLines);
