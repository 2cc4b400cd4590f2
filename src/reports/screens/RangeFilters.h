// The three range pairs of the report screens (マーク, 等　級, 就労形態): their lists,
// filled from the open project, and the ranges they hold.
#pragma once

#include "reports/GroupReports.h"

class QComboBox;
class QGridLayout;
class QWidget;

struct RangeFilters {
    QComboBox* cmbMarkSTart = nullptr;
    QComboBox* cmbMarkEnd = nullptr;
    QComboBox* cmbTokyuSTart = nullptr;
    QComboBox* cmbTokyuEnd = nullptr;
    QComboBox* cmbSalaryStart = nullptr;
    QComboBox* cmbSalaryEnd = nullptr;

    // Makes the six lists with their labels and "～" as rows of a grid.
    void build(QWidget* parent, QGridLayout* grid);
    // Fills the lists from the open project; no item is selected.
    void fill();
    // The chosen codes and name parts.
    GroupRanges ranges() const;
};
