// TPX0090: group reports (グループ別社員賃金レポート / グループ別社員昇給レポート), printed or as CSV.
#pragma once

#include "reports/GroupReports.h"
#include "reports/screens/RangeFilters.h"

#include <QDialog>

class QPushButton;

class TPX0090 : public QDialog {
    Q_OBJECT
public:
    explicit TPX0090(QWidget* parent = nullptr);

    // Takes the kind from ReportMode (1 the raise list, otherwise the salary list), sets
    // the caption and fills the range lists.
    void Prepare();
    GroupReportKind kind() const { return kind_; }

    void btnPrintClick();
    // CSV出力 and Excel出力: the employees of the ranges as a CSV file or as a workbook.
    void cdCsvClick(SheetFileKind kind = SheetFileKind::Csv);

private:
    // The ranges checked (message on failure) and the employees read; false to stop.
    bool employeesInRange(QList<TSyain_>& employees, GroupFilter& filter);

    GroupReportKind kind_ = GroupReportKind::Salary;
    RangeFilters ranges_;
    QPushButton* btnPrint;
    QPushButton* cdCsv;
    QPushButton* cdXlsx;
    QPushButton* btnClose;
};
