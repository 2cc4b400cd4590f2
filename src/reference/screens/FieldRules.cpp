// The field checks of a form, run when a field is left and all again before a save.
#include "reference/screens/FieldRules.h"

#include "shell/screens/ScreenHelpers.h"

#include <QStackedWidget>
#include <QTabWidget>

void FieldRules::add(QWidget& field, std::function<bool()> check)
{
    CheckWhenLeft(field, check);
    rules_.push_back({&field, std::move(check)});
}

bool FieldRules::checkAll() const
{
    for (const Rule& r : rules_) {
        if (!r.field || !r.field->isEnabled())
            continue;
        if (!r.check()) {
            FocusField(*r.field);
            return false;
        }
    }
    return true;
}

void FocusField(QWidget& field)
{
    // Bring forward every tab page between the field and its window.
    QWidget* child = &field;
    for (QWidget* w = field.parentWidget(); w; child = w, w = w->parentWidget()) {
        if (auto* stack = qobject_cast<QStackedWidget*>(w)) {
            if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget()))
                tabs->setCurrentWidget(child);
        }
    }
    field.setFocus(Qt::OtherFocusReason);
}
