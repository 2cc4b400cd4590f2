// Point pop-ups of the plot window: the employee read, the rows of each kind and the optimal-wage update.
#pragma once

#include "shell/Session.h"
#include "store/Records.h"

#include <QString>

#include <array>

// The items of the point menu that open a window, numbered as their captions.
enum class PopupKind { Profile = 1, Evaluation = 2, Career = 3, Pay = 4, OptimalWage = 6, Picture = 7 };

// The window caption of a kind ("1.プロフィール" …).
QString PopupCaption(PopupKind kind);
// The menu item text of a kind ("プロフィール(&P)" …).
QString PopupMenuText(PopupKind kind);

// Reads the employee of the session's project through VSYAIN; an employee that no longer
// exists leaves employee empty (found false). false only on a database failure.
bool ReadPopupEmployee(const Session& s, int sco, TSyain_& employee, bool& found);

// The name line: SCO, blanks (two, or one for the optimal-wage and picture windows), SNA.
QString PopupNameLine(PopupKind kind, const TSyain_& employee);

// The five rows (title, value) of the profile, evaluation, career and pay windows; the grade
// is named by the session's company, the years in grade count to its reference day.
struct PopupRows {
    std::array<QString, 5> titles;
    std::array<QString, 5> values;
};
PopupRows PopupContents(const Session& s, PopupKind kind, const TSyain_& employee);

// The optimal-wage window's read-only amounts and its editable starting values.
struct OptimalWagePopup {
    QString itemTitle;    // "実績賃金" or the analysed item
    QString actual;       // "#,##0円"
    QString fitted;
    QString residual;
    QString share;        // "0.00％"
    QString adjustment;   // KKYU3 as "#,##0"
    int wageTable = 0;    // the employee's wage table (for the evaluation list)
    int evaluation = 0;   // HCO
};
OptimalWagePopup OptimalWageContents(const TSyain_& employee);

// 更新 of the optimal-wage window: reads the employee of the session's project again and,
// when found, writes HCO and KKYU3 into both employee rows in one transaction. found false
// (and nothing written) when the employee is gone; false on a database failure.
bool UpdateOptimalAdjustment(const Session& s, int sco, int evaluation, long long adjustment, bool& found);
