// The personal reports (社員個人情報レポート, 社員賃金情報レポート): four employees a page,
// every mark group on a new page, label-and-field pairs per block.
#pragma once

#include "matrix/MatrixZone.h"
#include "reports/ReportPage.h"
#include "shell/AppState.h"
#include "shell/ProjectLookups.h"
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
};
PersonalHeading PersonalHeadingForProject();

// The items of one employee, in block order: item name and value text.
QList<QPair<QString, QString>> PersonalItems(PersonalReportKind kind, const TSyain_& e, const EmploymentForms& forms,
                                             const MatrixTables& tables);

// Lays the employees (ordered by mark) out four a page, each mark group from a new page;
// block k (1..4) uses the field suffix "", "_2", "_3", "_4". The HR report puts the
// picture SPATH (relative to the Picture folder) into IMAGE + suffix when there is one.
ReportDocument BuildPersonalPages(PersonalReportKind kind, const QList<TSyain_>& employees,
                                  const PersonalHeading& heading, const EmploymentForms& forms,
                                  const MatrixTables& tables);
