// What every tab page of the employee register has in common, and the shared widget makers.
#include "employees/screens/EmployeePage.h"

#include "shell/screens/ScreenHelpers.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QTabWidget>

EmployeePage::EmployeePage(QTabWidget& tabs, const QString& title, const QString& objectName)
{
    setObjectName(objectName);
    tabs.addTab(this, title);
}

void EmployeePage::addCheck(QWidget* field, std::function<bool()> check)
{
    checks_.append({field, std::move(check)});
}

void EmployeePage::reportTypedEdits()
{
    for (QLineEdit* e : findChildren<QLineEdit*>()) {
        if (e->isReadOnly())
            continue;
        connect(e, &QLineEdit::textEdited, this, [this] { emit edited(); });
    }
}

namespace EmployeeForm {

QLabel* makeLabel(QWidget* parent, const QString& text, int x, int y, int w, bool yellow)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(x, y, w, 22);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (yellow) {
        l->setAutoFillBackground(true);
        QPalette p = l->palette();
        p.setColor(QPalette::Window, Qt::yellow);
        l->setPalette(p);
        l->setIndent(4);
    }
    return l;
}

QLineEdit* makeEdit(QWidget* parent, const QString& name, int x, int y, int w, bool right)
{
    QLineEdit* e = right ? static_cast<QLineEdit*>(new TRightEdit(parent)) : new QLineEdit(parent);
    e->setObjectName(name);
    e->setGeometry(x, y, w, 22);
    return e;
}

QLineEdit* makeShown(QWidget* parent, const QString& name, int x, int y, int w, bool right)
{
    QLineEdit* e = makeEdit(parent, name, x, y, w, right);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    return e;
}

QComboBox* makeCombo(QWidget* parent, const QString& name, int x, int y, int w, bool editable)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setGeometry(x, y, w, 22);
    c->setEditable(editable);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setMaxVisibleItems(12);
    return c;
}

void selectCode(QComboBox* c, int code)
{
    if (SelectItemByCode(*c, QString::number(code)) < 0)
        c->setCurrentIndex(-1);
}

int codeOfList(const QComboBox* c)
{
    return SelectedItemCode(*c);
}

std::function<bool()> numberCheck(QLineEdit* f, int length, long long max, long long min, const QString& format)
{
    return [f, length, max, min, format] { return CheckIntegerField(*f, length, max, min, format); };
}

} // namespace EmployeeForm
