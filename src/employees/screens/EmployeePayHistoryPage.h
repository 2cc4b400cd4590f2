// 賃金情報２, the third page of the employee register (TPX0030): the employee's optimal wage
// from the last analysis, and the raises of the last three years.
#pragma once

#include "employees/screens/EmployeePage.h"

class QLabel;
class QTabWidget;
class QLineEdit;

class EmployeePayHistoryPage : public EmployeePage {
    Q_OBJECT
public:
    explicit EmployeePayHistoryPage(QTabWidget& tabs);

    void clear() override;
    void showEmployee(const TSyain_& rec) override;
    void gather(EmployeeFields& fields) const override;

signals:
    // A raise was checked and accepted (the totals of 賃金情報 are refreshed, as after every
    // amount).
    void raiseAccepted();

private:
    QLabel* labFitNo;
    QLineEdit* txtFitKin;
    QLineEdit* txtZansa;
    QLineEdit* txtWariai;
    QLineEdit* txtUPKin[3];
};
