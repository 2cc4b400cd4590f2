// 賃金情報, the second page of the employee register (TPX0030): the pay components now and
// after the raise, their totals, bonuses, retirement rate, hourly wage, the wage table and
// the component fed from it (the link).
#pragma once

#include "employees/screens/EmployeePage.h"

class QComboBox;
class QLabel;
class QTabWidget;
class QLineEdit;
class QPushButton;
class QRadioButton;

class EmployeePayPage : public EmployeePage {
    Q_OBJECT
public:
    explicit EmployeePayPage(QTabWidget& tabs);

    // The list of the project's wage tables (ID and year of `project`).
    void fillWageTableList(const QVariantList& project);
    // The names of the three basic-pay components and five allowances.
    void showPayLabels(const QStringList& labels);

    void clear() override;
    void showEmployee(const TSyain_& rec) override;
    void gather(EmployeeFields& fields) const override;
    QWidget* fieldOf(EmployeeFieldError error) const override;

    int wageTable() const;   // the chosen wage table, 0 for none
    // The component fed from the wage table (1..3), 0 for none.
    int link() const { return link_; }

    // The colours of the after-raise components (yellow and read-only: the linked one), and
    // the totals.
    void applyLinkColours();
    // The totals from the amounts shown.
    void refreshTotals();

    // The wage table feeds component 1..3, or none.
    void optKihonClick(int component);
    void cdRestLinkClick();

signals:
    // Another wage table was chosen (the evaluations offered follow).
    void wageTableChosen();

private:
    void installFieldChecks();

    QLabel* labKihon[3];
    QLabel* labTeate[5];
    QLineEdit* txtKihon[3];
    QLineEdit* txtAFKihon[3];
    QRadioButton* optKihon[3];
    QPushButton* cdRestLink;
    QLineEdit* txtKihonSum;
    QLineEdit* txtAFKihonSum;
    QLineEdit* txtUpKihon;
    QLineEdit* txtTeate[5];
    QLineEdit* txtAFTeate[5];
    QLineEdit* txtTeateSum;
    QLineEdit* txtAFTeateSum;
    QLineEdit* txtTeateUP;
    QLineEdit* txtBonus1;
    QLineEdit* txtBonus2;
    QLineEdit* txtNensyu;
    QLineEdit* txtAFNensyu;
    QLineEdit* txtSyotei;
    QLineEdit* txtAFSyotei;
    QLineEdit* txtTaisyokuKin;
    QLineEdit* txtJikankyu;
    QComboBox* cmbChingin;

    int link_ = 0;
};
