// The page model of every report: what each page shows, built by a report's logic and
// rendered by the composer. Positions and sizes are engine units of 0.01 mm.
#pragma once

#include <QColor>
#include <QList>
#include <QMap>
#include <QString>

// Alignment of a drawn text box: the report engine's codes.
enum ReportAlign { AlignLeftText = 0, AlignRightText = 1, AlignCentreText = 2 };

// Document font size of drawn text, in tenths of a point (the engine's FontSize 100).
inline constexpr int ReportDefaultFontSize = 100;

struct ReportCell {
    QString text;
    int align = AlignRightText;
};

// One line of a list: cells drawn in the rectangles of the named row fields, moved down
// by offset engine units.
struct ReportRow {
    int line = 0;
    int offset = 0;
    QMap<QString, ReportCell> cells;
};

// A text box drawn anywhere on the page.
struct ReportTextBox {
    int left = 0, top = 0, right = 0, bottom = 0;
    int align = AlignLeftText;
    QString text;
};

// A thin solid line.
struct ReportLine {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct ReportPage {
    int number = 0;
    QMap<QString, QString> fields;   // template fields and their texts
    QMap<QString, QColor> colors;    // text colour of a field (the engine's property 7)
    QMap<QString, QString> images;   // image fields and the full path of their picture
    QList<ReportRow> rows;
    QList<ReportTextBox> boxes;
    QList<ReportLine> lines;

    // The engine's operations on the current page.
    void setFieldText(const QString& field, const QString& text) { fields[field] = text; }
    // Field "L" + label + suffix shows the label, field label + suffix the value.
    void setLabelAndField(const QString& label, const QString& suffix, const QString& value);
    void setFieldImage(const QString& field, const QString& picturePath) { images[field] = picturePath; }
    void setFieldColor(const QString& field, const QColor& color) { colors[field] = color; }
    void drawTextBox(int left, int top, int right, int bottom, int align, const QString& text);
    void drawLine(int x1, int y1, int x2, int y2) { lines.append({x1, y1, x2, y2}); }
};

// A composed report: its template, its document file and its pages.
struct ReportDocument {
    QString templatePath;   // Report/<name>.jfm under the program folder
    QString documentPath;   // wk<name>.pdf in ComposedDocumentsFolder()
    QString docName;        // the PDF's title
    QString author;         // the PDF's author: the company the document is about
    QString imagePath;      // folder that image fields' picture names are relative to
    int fontSize = ReportDefaultFontSize;
    QList<ReportPage> pages;

    // Finishes the current page (if any) and begins the next one; returns it.
    ReportPage& newPage();
};

// The folder composed documents are written to before the preview shows them or they are
// saved: a folder of this process in the system's temporary folder (with its trailing "/"),
// removed when the process ends.
QString ComposedDocumentsFolder();

// The template and document paths of a report name: Report/<name>.jfm under the program
// folder exeFolder (with its trailing "/") and wk<name>.pdf in ComposedDocumentsFolder().
ReportDocument ReportDocumentFor(const QString& exeFolder, const QString& reportName, const QString& docName);

// The file name offered when a document is saved: its title and the company without its
// legal form, "給与一覧表_サンプル精機.pdf"; characters a file name cannot hold become "_".
// Without a title: fallback.
QString SuggestedDocumentFileName(const QString& title, const QString& company, const QString& fallback);
