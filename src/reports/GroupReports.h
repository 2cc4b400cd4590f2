// The group reports (グループ別社員賃金レポート, グループ別社員昇給レポート): range checks and
// filter text, the employees of the ranges, the grouped rows with subtotals, averages and
// totals, their pages for the composer and their CSV lines.
#pragma once

#include "core/Outcome.h"
#include "core/SheetTable.h"
#include "matrix/MatrixZone.h"
#include "reports/ReportPage.h"
#include "reports/ReportTemplate.h"
#include "shell/Session.h"
#include "store/Records.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

enum class GroupReportKind { Salary, Raise };

// Title, template and CSV names of a kind.
struct GroupReportNames {
    QString title;        // "グループ別社員賃金レポート" / "グループ別社員昇給レポート"
    QString reportName;   // PrintSyainSalaryList / PrintSyainUpList
    QString csvFile;      // title + ".CSV"
};
GroupReportNames GroupReportNamesOf(GroupReportKind kind);
// ReportMode 1 (after the raise) is the raise list, anything else the salary list.
GroupReportKind GroupReportKindOfMode(int reportMode);

// One end of a range as chosen on the screen: the item's code (0 = none chosen or
// "0 : 指定なし") and its name part (the text after " : ").
struct RangeEnd {
    int code = 0;
    QString name;
};
struct GroupRanges {
    RangeEnd markStart, markEnd, gradeStart, gradeEnd, formStart, formEnd;
};
// The bounds of the query (open ends -1 and 999) and the filter text of the page heads.
struct GroupFilter {
    int markLow = -1, markHigh = 999;
    int gradeLow = -1, gradeHigh = 999;
    int formLow = -1, formHigh = 999;
    QString text;
};
// Checks the three ranges in order; '' when they hold, else the message of the first
// range whose end lies before its start.
QString CheckGroupRanges(const GroupRanges& ranges, GroupFilter& filter);

// The items of the report screens' range lists for the session's project (without the
// closing "0 : 指定なし"): marks "n : MARK  HANREI", grades "n : grade name", forms.
struct RangeLists {
    QStringList marks, grades, forms;
};
RangeLists RangeListsForProject(const Session& s);
// The range end of the item with that code in a list; code 0 (or none) is unspecified.
// false when no item has the code.
bool RangeEndOf(const QStringList& items, int code, RangeEnd& end);

// Checks the ranges and reads the employees of the session's project within them. Refused
// with the range's message when they do not hold; not ok without a message when the read
// failed (the store has reported it).
Outcome SelectGroupEmployees(const Session& s, const GroupRanges& ranges, GroupFilter& filter,
                             QList<TSyain_>& employees);

// The employees of the session's project within the filter's ranges, from VSYAIN ordered
// by KCO, MCO, SCO. false when the read failed (the store has reported it).
bool LoadGroupEmployees(const Session& s, const GroupFilter& filter, QList<TSyain_>& out);

// The new basic pay: NKKYU1..3 where the wage-table link JISEKI (1..3) takes the view's
// NKIN and the matrix link MLINK (1..3) takes the matrix amount for NEWBANDID, NEWYHYOUKA
// and the old component.
long long NewBasicPay(const TSyain_& e, const MatrixTables& tables);

// The amounts of a salary-list row; the derived columns follow from them.
struct SalaryAmounts {
    long long kihon[3] = {0, 0, 0};
    long long allowances = 0;
    long long bonus1 = 0, bonus2 = 0;
    long long basic() const { return kihon[0] + kihon[1] + kihon[2]; }
    long long monthly() const { return basic() + allowances; }
    long long annual() const { return monthly() * 12 + bonus1 + bonus2; }
};
// The amounts of a raise-list row.
struct RaiseAmounts {
    long long newBasic = 0, oldBasic = 0, newAllowances = 0, oldAllowances = 0;
    long long newMonthly() const { return newBasic + newAllowances; }
    long long oldMonthly() const { return oldBasic + oldAllowances; }
    long long raise() const { return newMonthly() - oldMonthly(); }
};

// A row of a group report, typed; texts are made only when the pages are laid out.
struct GroupLine {
    enum Kind { Employee, Subtotal, Average, Total, TotalAverage };
    Kind kind = Employee;
    int mark = 0;
    // employee rows
    QString code, name, evaluation;
    int age = 0, service = 0, grade = 0, step = 0, newStep = 0;
    // subtotal and total rows: the number of employees; average rows: the mean age and service
    int count = 0;
    double ageAverage = 0, serviceAverage = 0;
    SalaryAmounts salary;
    RaiseAmounts raise;
};

// The rows of the report: per mark group (consecutive MCO) its employees, a subtotal and
// an average row (sums divided by the count, truncated toward zero), then the total and
// its average over every employee. Ages and years of service count to referenceDay
// (yyyymmdd). No employee: no rows.
QList<GroupLine> BuildGroupLines(int referenceDay, const QList<TSyain_>& employees, const MatrixTables& tables);

// The page heads besides the page number.
struct GroupHeading {
    QString yearText;      // fiscal-year label (era name, blank, era year in era mode)
    QString companyName;
    QDate today;
    int referenceDate = 0; // yyyymmdd of the ages and lengths of service
    QString filterText;
    // The group of each plot mark as a page names it: MARK + blank + HANREI (index 0..8).
    QStringList markTexts;
};
// The heading of the session's project: year label, company, today and the day ages
// count to.
GroupHeading GroupHeadingFor(const Session& s, const GroupFilter& filter);

// Pages of 32 lines: every group on a new page, the subtotal block moved to a new page
// when it would start on line 30 or later, rows at line × 508 + 150, boxed with vertical
// rules at the row fields' edges, a rule under every average row and under the last row
// of each page. The document is the kind's under the program folder exeFolder.
ReportDocument BuildGroupReportPages(const QString& exeFolder, GroupReportKind kind, const QList<GroupLine>& lines,
                                     const GroupHeading& heading, const ReportTemplate& tpl);
// The row fields of a kind, in column order.
QStringList GroupReportRowFields(GroupReportKind kind);

// The table of the CSV file and the workbook: the header row and one row per employee (no
// subtotals); codes, names and evaluations texts, amounts #,##0, ages, years, grades and
// steps whole numbers (plain numbers in the CSV); a text field is quoted in the CSV only
// when it holds a comma, a quote or a line break (CsvField).
SheetTable GroupReportTable(GroupReportKind kind, const QList<GroupLine>& lines);
// The CSV file's lines of that table.
QStringList GroupReportCsvLines(GroupReportKind kind, const QList<GroupLine>& lines);

// The pages of a kind for the employees of the session's project, on the kind's template
// under its program folder. false with the template's message when it cannot be loaded.
bool BuildGroupReport(const Session& s, GroupReportKind kind, const QList<TSyain_>& employees,
                      const GroupFilter& filter, ReportDocument& doc, QString* error);
// Writes the employees to path in the format, or when path is empty to CSV/<title>.CSV
// (CSV/<title>.xlsx for a workbook) under the session's program folder (replacing it);
// path receives the file's path. false with the platform's message in error.
bool WriteGroupReportCsv(const Session& s, GroupReportKind kind, const QList<TSyain_>& employees, QString& path,
                         QString* error, const TableFileFormat& format = {});
// CSV出力 (or Excel出力) after its question: refused with "対象データは有りません。" without
// employees, else the file (CSV/<title>.CSV or .xlsx when path is empty) with the write
// error (failed) or the done message ("CSVディレクトリに…", or CsvWrittenToFileMessage
// naming the file when a path is given). Not ok when nothing was written.
Outcome ExportGroupReportCsv(const Session& s, GroupReportKind kind, const QList<TSyain_>& employees,
                             const QString& path = QString(), const TableFileFormat& format = {});
