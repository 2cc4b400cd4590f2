// マトリクス, the fourth page of the employee register (TPX0030), kept hidden: the employee's
// band and role evaluation, and the zone and raise rate of the matrix they give.
#pragma once

#include "employees/screens/EmployeePage.h"
#include "matrix/MatrixZone.h"

class QComboBox;
class QLineEdit;
class QTabWidget;

class EmployeeMatrixPage : public EmployeePage {
    Q_OBJECT
public:
    // `tables` are the register's matrix tables, read when the register opens.
    EmployeeMatrixPage(QTabWidget& tabs, const MatrixTables& tables);

    // The lists of bands and role evaluations of the project (ID and year of `project`).
    void fillLists(const QVariantList& project);

    void clear() override;
    void showEmployee(const TSyain_& rec) override;
    void gather(EmployeeFields& fields) const override;

private:
    void showMatrixZone(const TSyain_& rec);

    const MatrixTables& tables_;
    QComboBox* cmbBand;
    QComboBox* cmbYHyouka;
    QLineEdit* txtZone;
    QLineEdit* txtUPRitsu;
};
