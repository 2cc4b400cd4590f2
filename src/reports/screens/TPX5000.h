// TPX5000 and TPX5010: personal HR report (社員個人情報レポート) and personal wage report
// (社員賃金情報レポート), four employees a page.
#pragma once

#include "reports/PersonalReports.h"
#include "reports/screens/RangeFilters.h"

#include <QDialog>

class QPushButton;

class TPX5000 : public QDialog {
    Q_OBJECT
public:
    explicit TPX5000(QWidget* parent = nullptr) : TPX5000(PersonalReportKind::HR, parent) {}

    // Fills the range lists from the open project.
    void Prepare();
    void btnPrintClick();

protected:
    TPX5000(PersonalReportKind kind, QWidget* parent);

private:
    PersonalReportKind kind_;
    RangeFilters ranges_;
    QPushButton* btnPrint;
    QPushButton* btnClose;
};

class TPX5010 : public TPX5000 {
    Q_OBJECT
public:
    explicit TPX5010(QWidget* parent = nullptr) : TPX5000(PersonalReportKind::Wage, parent) {}
};
