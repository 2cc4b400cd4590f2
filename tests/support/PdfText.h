// Reading composed PDF documents back in tests: their text by pdftotext, page by page,
// and a graphical application for the composer where the test runner has none.
#pragma once

#include <QString>
#include <QStringList>

// Creates a QGuiApplication on the offscreen platform when none exists (the composer
// needs fonts); the screen tests already have one.
void EnsureGuiApplication();

// The text of every page of a PDF (pdftotext -layout), as a reader extracts it: nothing is
// folded. Empty when the file cannot be read.
QStringList PdfPages(const QString& pdfPath);
// A word of a page as pdftotext -bbox places it, in points from the page's top left.
struct PdfWord {
    QString text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};
// The words of one page (1-based), as pdftotext gives them.
QList<PdfWord> PdfWords(const QString& pdfPath, int page);
// Text without any blank (pdftotext turns the ideographic space into blanks).
QString WithoutBlanks(const QString& text);

// The page count pdfinfo reports, -1 when the file is not a readable PDF.
int PdfPageCount(const QString& pdfPath);
