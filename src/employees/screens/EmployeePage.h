// What every tab page of the employee register (TPX0030) has in common, and the widget
// makers the register and its pages share.
//
// The pages: EmployeeBasicPage (基本情報), EmployeePayPage (賃金情報),
// EmployeePayHistoryPage (賃金情報２) and EmployeeMatrixPage (マトリクス). Each builds its
// fields, shows an employee in them, empties them and gathers them for a save; the register
// coordinates them.
#pragma once

#include "employees/EmployeeRegister.h"
#include "store/Records.h"

#include <QList>
#include <QString>
#include <QVariantList>
#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;

// A field and its check, run when the field is left and before a save; false keeps the focus
// in the field (after its message).
struct CheckedField {
    QWidget* field = nullptr;
    std::function<bool()> check;
};

class EmployeePage : public QWidget {
    Q_OBJECT
public:
    // The page joins `tabs` under `title` before its fields are built, so that they are
    // made in the register's font.
    EmployeePage(QTabWidget& tabs, const QString& title, const QString& objectName);

    // The empty page of a new employee.
    virtual void clear() = 0;
    // The employee's stored values.
    virtual void showEmployee(const TSyain_& rec) = 0;
    // The page's part of the values a save checks and stores.
    virtual void gather(EmployeeFields& fields) const = 0;
    // The field of this page a refused save names, or nullptr when it is not on this page.
    virtual QWidget* fieldOf(EmployeeFieldError) const { return nullptr; }

    // The checked fields of the page, in screen order.
    const QList<CheckedField>& checks() const { return checks_; }

signals:
    // The user changed a value of the page.
    void edited();

protected:
    void addCheck(QWidget* field, std::function<bool()> check);
    // Every line the user can type into reports its edits with edited(); called once the
    // page's fields are built.
    void reportTypedEdits();

private:
    QList<CheckedField> checks_;
};

// The widget makers and display formats of the register and its pages.
namespace EmployeeForm {

inline const QString AmountFormat = QStringLiteral("#,##0");
inline const QString RaiseFormat = QStringLiteral("##,##0");
inline const QString RateFormat = QStringLiteral("#,##0.000");

QLabel* makeLabel(QWidget* parent, const QString& text, int x, int y, int w, bool yellow = false);
QLineEdit* makeEdit(QWidget* parent, const QString& name, int x, int y, int w, bool right = false);
// A read-only field the focus never reaches.
QLineEdit* makeShown(QWidget* parent, const QString& name, int x, int y, int w, bool right = true);
QComboBox* makeCombo(QWidget* parent, const QString& name, int x, int y, int w, bool editable);

// Selects the item of a code in a drop-down list, or nothing.
void selectCode(QComboBox* c, int code);
int codeOfList(const QComboBox* c);
// The check of a whole number field (length, range, display format) as a field check.
std::function<bool()> numberCheck(QLineEdit* f, int length, long long max, long long min,
                                  const QString& format = QString());

} // namespace EmployeeForm
