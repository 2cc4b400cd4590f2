// The employee list of the open project, read through VSYAIN in one query, and one
// employee read whole.
#pragma once

#include "store/Records.h"

// All employees of the open project (KCO, NENDO of CurrentCompany), only those of grade
// TOUKYU = gradeFilter when it is 1..9, ordered by KCO, SCO. The rows hold the columns the
// list shows and the matrix zone needs (codes, number, name, dates, position, evaluation
// symbol, grade, step, zone, matrix link, band, role evaluation, basic pay); the other
// fields stay empty: read an employee whole with LoadEmployee. false when the read failed
// (the record access layer has shown the message; out is then empty).
bool LoadEmployeeList(int gradeFilter, TSyain_rec& out);

// Every column of one employee of the open project; found is false when there is none.
bool LoadEmployee(int sco, TSyain_& out, bool& found);
