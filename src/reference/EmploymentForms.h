// Employment forms (SALARYNAME): the ID rule, reading, saving and deleting one form.
#pragma once

#include "shell/Session.h"
#include "store/Records.h"

#include <QString>
#include <QStringList>

// The ID typed into the ID list, or, when the text is not a number, the code of the
// selected item (selectedItem is its text, '' for none). 0 when there is neither.
int EmploymentFormIdFromText(const QString& typed, const QString& selectedItem);
inline bool IsEmploymentFormId(int id) { return id >= 1 && id <= 4; }

inline const QString FormIdMessage = QStringLiteral("IDは1～4で入力して下さい。");
inline const QString FormIdShownMessage = QStringLiteral("IDは１～４で入力して下さい。");
inline const QString FormNameMissingMessage = QStringLiteral("就労形態を入力して下さい。");

// The ten names of a form, in column order: SALARYNAME, TEIGI, KIHON1..3, TEATE1..5.
struct EmploymentFormNames {
    QString names[10];
};

// The list items "SALARYID : SALARYNAME" of the session's project, by SALARYID.
QStringList EmploymentFormItems(const Session& s);
// Reads form id of the session's project; found tells whether it exists. false on failure.
bool ReadEmploymentForm(const Session& s, int id, EmploymentFormNames& names, bool& found);
// Replaces the row of form id (delete and insert, one transaction). false on failure.
bool SaveEmploymentForm(const Session& s, int id, const EmploymentFormNames& names);
bool DeleteEmploymentForm(const Session& s, int id);
