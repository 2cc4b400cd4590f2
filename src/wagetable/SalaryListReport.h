// The combined wage table report (連結賃金表): its pages as a model of fields and lines,
// laid out 32 lines a page with an average line, ready for the report composer.
#pragma once

#include "store/Records.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

inline constexpr int SalaryListLinesPerPage = 32;
// Line of the average row on the last page.
inline constexpr int SalaryListAverageLine = 31;
// Engine units: a row pitch and the offset of the first row below a field's rectangle.
inline constexpr int SalaryListRowPitch = 508;
inline constexpr int SalaryListRowOffset = 100;

// One drawn line of the table: texts right-aligned in the fields GOU, KINg and KAKUg.
struct SalaryListLine {
    int line = 0;          // 0 .. 31 on its page
    int offset = 0;        // drawn this many engine units below the field rectangles
    QString GOU;
    QString KIN[9];
    QString KAKU[9];
    bool average = false;  // the "平均" line
};

struct SalaryListPage {
    int number = 0;
    // PAGE, NENDO, CORPNAME, TITLE, YMD
    QMap<QString, QString> fields;
    QList<SalaryListLine> lines;
};

struct SalaryListPages {
    QString templatePath;  // Report/PrintSalaryList.jfm under the program folder
    QString documentPath;  // Report/wkPrintSalaryList.pdf under the program folder
    QString docName;       // "賃金表"
    QStringList rowFields; // GOU, KIN1, KAKU1, … KIN9, KAKU9: the rectangles the lines use
    QList<SalaryListPage> pages;
};

// What the page heads show besides the page number.
struct SalaryListHeading {
    QString yearLabel;     // fiscal-year label + " 年度"
    QString companyName;
    QString title;
    QString date;          // "yyyy年mm月dd日"
};

// The heading of the open project for a title (year label, company, today).
SalaryListHeading SalaryListHeadingFor(const QString& title);

// Lays the generated rows out in pages. An empty row list gives no pages.
SalaryListPages BuildSalaryListPages(const QList<TCHNGIN2_>& rows, const SalaryListHeading& heading);

// Composes and shows the document of the pages. The report composer is not part of this
// build yet: for now it tells the user that printing is being prepared.
void PrintSalaryListDocument(const SalaryListPages& pages);
