// The printed raise-curve design (昇給設計レポート): the DCHINGIN rows laid out in pages of the
// template Report/PrintSekkeiList.jfm, 32 lines a page with the average line on line 31.
#pragma once

#include "core/Outcome.h"
#include "plot/RaiseCurveDesign.h"
#include "reports/ReportPage.h"
#include "reports/ReportTemplate.h"
#include "shell/Session.h"
#include "wagetable/SalaryListReport.h"

#include <QList>
#include <QString>

inline const QString DesignListReportName = QStringLiteral("PrintSekkeiList");
inline const QString DesignListDocName = QStringLiteral("昇給設計レポート");
inline const QString DesignListNoDataMessage = QStringLiteral("印刷対象データは有りません。");
inline constexpr int DesignListLinesPerPage = 32;
// Line of the average row (of a new page when the last page is full).
inline constexpr int DesignListAverageLine = 31;
// Engine units: line n is drawn in its field's rectangle moved down by pitch × n + offset;
// the column captions sit this far above the fields.
inline constexpr int DesignListRowPitch = 508;
inline constexpr int DesignListRowOffset = 200;
inline constexpr int DesignListCaptionRise = 308;
// Font size of the drawn captions, in tenths of a point.
inline constexpr int DesignListFontSize = 90;

// What the pages show besides the rows: the page head (year label, company, title, date)
// and the captions of the chosen X and Y items.
struct DesignListHeading {
    SalaryListHeading page;
    QString xCaption;
    QString yCaption;
};

// The heading of the session's project for a title and the X and Y codes of the design
// (the captions of the raise-curve design's item lists).
DesignListHeading DesignListHeadingFor(const Session& s, const QString& title, int xCode, int yCode);

// The pages of the template Report/PrintSekkeiList.jfm under the program folder exeFolder
// (the document's paths): each starts with NENDO, CORPNAME, TITLE and YMD (date + "　　P. " + page) and
// the column captions above NENREIn (X caption, centred), KINn (Y caption) and KAKUn
// ("格差"), both right-aligned; one line per NO with NENREIn, KINn ("#,##0") and KAKUn of
// the curves that have that NO; then the average line: NENREIn "平均", KINn the mean
// amount and KAKUn the mean step (two rows or more), "#,##0". tpl gives the field
// rectangles. No rows, no pages.
ReportDocument BuildDesignListPages(const QString& exeFolder, const QList<TCHNGIN_>& rows,
                                    const DesignListHeading& heading, const ReportTemplate& tpl);

// 賃金表: rebuilds DCHINGIN of the session's project from the design (refused with the
// check's message on a problem), reads it back and lays out its pages into doc. Without rows
// refused with "印刷対象データは有りません。"; a template that cannot be read gives its
// message as a warning. ok when doc holds the pages.
Outcome PrepareDesignList(const Session& s, const RaiseCurveDesign& design, const QString& title, ReportDocument& doc);
