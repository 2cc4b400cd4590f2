// The personal reports (社員個人情報レポート, 社員賃金情報レポート): four employees a page,
// every mark group on a new page, label-and-field pairs per block.
#pragma once

#include "matrix/MatrixZone.h"
#include "reports/ReportPage.h"
#include "shell/ProjectLookups.h"
#include "shell/Session.h"
#include "store/Records.h"

#include <QDate>
#include <QList>
#include <QString>

enum class PersonalReportKind { HR, Wage };

// Template name (Print5000 / Print5010) and the window caption of a kind.
QString PersonalReportName(PersonalReportKind kind);
QString PersonalReportCaption(PersonalReportKind kind);

struct PersonalHeading {
    QString yearText;      // fiscal-year label
    QString companyName;
    QDate today;
    TMMARK marks[9];       // symbol, legend and colour of marks 1..9
    int calendarMode = 0;  // how dates are shown (0 Western years, otherwise era years)
    int referenceDay = 0;  // yyyymmdd that ages, service and stay count to
};
// The heading of the session's project: its year label, company, marks, calendar, today
// and the day ages count to.
PersonalHeading PersonalHeadingForProject(const Session& s);

// The items of one employee, in block order: item name and value text. Dates are shown
// in calendarMode; ages and years count to referenceDay (yyyymmdd).
QList<QPair<QString, QString>> PersonalItems(PersonalReportKind kind, const TSyain_& e, const EmploymentForms& forms,
                                             const MatrixTables& tables, int calendarMode, int referenceDay);

// Lays the employees (ordered by mark) out four a page, each mark group from a new page;
// block k (1..4) uses the field suffix "", "_2", "_3", "_4". The HR report puts the
// picture SPATH (relative to the Picture folder of the program folder exeFolder) into
// IMAGE + suffix when there is one. The template and document are those of the kind
// under exeFolder.
ReportDocument BuildPersonalPages(const QString& exeFolder, PersonalReportKind kind, const QList<TSyain_>& employees,
                                  const PersonalHeading& heading, const EmploymentForms& forms,
                                  const MatrixTables& tables);
