// The combined wage table report (連結賃金表): its pages as the report page model,
// laid out 32 lines a page with an average line, ready for the report composer.
#pragma once

#include "reports/ReportPage.h"
#include "shell/Session.h"
#include "store/Records.h"

#include <QList>
#include <QMap>
#include <QDate>
#include <QString>
#include <QStringList>

inline constexpr int SalaryListLinesPerPage = 32;
// Line of the average row on the last page.
inline constexpr int SalaryListAverageLine = 31;
// Engine units: a row pitch and the offset of the first row below a field's rectangle.
inline constexpr int SalaryListRowPitch = 508;
inline constexpr int SalaryListRowOffset = 100;

// The row fields of the table, in column order: GOU, KIN1, KAKU1, … KIN9, KAKU9.
QStringList SalaryListRowFields();

// What the page heads show besides the page number.
struct SalaryListHeading {
    QString yearLabel;     // fiscal-year label + " 年度"
    QString companyName;
    QString title;
    QString date;          // "yyyy年mm月dd日"
    QDate day;             // that day
};

// The heading of the session's project for a title (year label, company, today).
SalaryListHeading SalaryListHeadingFor(const Session& s, const QString& title);

// Lays the generated rows out in pages of the template Report/PrintSalaryList.jfm under
// the program folder exeFolder: the
// page fields PAGE, NENDO, CORPNAME, TITLE, YMD and per line the right-aligned cells GOU
// ("##0"), KINg ("####,###") and KAKUg ("#,###", blank for 0); the "平均" line on line 31
// of the last page. An empty row list gives no pages.
ReportDocument BuildSalaryListPages(const QString& exeFolder, const QList<TCHNGIN2_>& rows,
                                    const SalaryListHeading& heading);
