// The field checks of a form, run when a field is left and all again before a save.
#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

class FieldRules {
public:
    // Checks the field when it is left (the focus returns while the check fails) and
    // keeps the check for checkAll.
    void add(QWidget& field, std::function<bool()> check);
    // Runs every check in the order added; the first that fails gets the focus (its tab
    // page is brought forward) and false is returned. Each check shows its own message.
    bool checkAll() const;

private:
    struct Rule {
        QPointer<QWidget> field;
        std::function<bool()> check;
    };
    std::vector<Rule> rules_;
};

// Gives a field the focus, bringing forward the tab pages that hold it.
void FocusField(QWidget& field);
