// The employee list of the open project, read through VSYAIN in one query.
#pragma once

#include "store/Records.h"

// All employees of the open project (KCO, NENDO of CurrentCompany), only those of grade
// TOUKYU = gradeFilter when it is 1..9, ordered by KCO, SCO. false when the read failed
// (the record access layer has shown the message; out is then empty).
bool LoadEmployeeList(int gradeFilter, TSyain_rec& out);
