// The range pairs of the report screens: marks, grades and employment forms.
#include "reports/screens/RangeFilters.h"

#include "shell/screens/AppState.h"
#include "shell/ProjectLookups.h"
#include "shell/screens/ScreenHelpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

namespace {

QComboBox* makeList(QWidget* parent, const char* name)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setMinimumWidth(220);
    return list;
}

void fillList(QComboBox* list, const QStringList& items)
{
    list->clear();
    list->addItems(items);
    list->addItem(QStringLiteral("0 : 指定なし"));
    list->setCurrentIndex(-1);
}

RangeEnd endOf(const QComboBox* list)
{
    return {SelectedItemCode(*list), SelectedItemName(*list)};
}

} // namespace

void RangeFilters::build(QWidget* parent, QGridLayout* grid)
{
    struct Row {
        const char* label;
        QComboBox** start;
        const char* startName;
        QComboBox** end;
        const char* endName;
    };
    const Row rows[] = {{"マーク", &cmbMarkSTart, "cmbMarkSTart", &cmbMarkEnd, "cmbMarkEnd"},
                        {"等　級", &cmbTokyuSTart, "cmbTokyuSTart", &cmbTokyuEnd, "cmbTokyuEnd"},
                        {"就労形態", &cmbSalaryStart, "cmbSalaryStart", &cmbSalaryEnd, "cmbSalaryEnd"}};
    int r = 0;
    for (const Row& row : rows) {
        *row.start = makeList(parent, row.startName);
        *row.end = makeList(parent, row.endName);
        grid->addWidget(new QLabel(QString::fromUtf8(row.label), parent), r, 0);
        grid->addWidget(*row.start, r, 1);
        grid->addWidget(new QLabel(QStringLiteral("～"), parent), r, 2);
        grid->addWidget(*row.end, r, 3);
        ++r;
    }
}

void RangeFilters::fill()
{
    const RangeLists lists = RangeListsForProject(CurrentSession());
    fillList(cmbMarkSTart, lists.marks);
    fillList(cmbMarkEnd, lists.marks);
    fillList(cmbTokyuSTart, lists.grades);
    fillList(cmbTokyuEnd, lists.grades);
    fillList(cmbSalaryStart, lists.forms);
    fillList(cmbSalaryEnd, lists.forms);
}

GroupRanges RangeFilters::ranges() const
{
    return {endOf(cmbMarkSTart), endOf(cmbMarkEnd),   endOf(cmbTokyuSTart),
            endOf(cmbTokyuEnd),  endOf(cmbSalaryStart), endOf(cmbSalaryEnd)};
}
