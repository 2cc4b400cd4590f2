// The employee list of the open project, read through VSYAIN in one query, and one
// employee read whole.
#pragma once

#include "shell/Session.h"
#include "store/Records.h"

// All employees of the session's project (KCO, NENDO of its CurrentCompany), ages and
// years of service counted to its ageReferenceDay(), only those of grade
// TOUKYU = gradeFilter when it is 1..9, ordered by KCO, SCO. The rows hold the columns the
// list shows and the matrix zone needs (codes, number, name, dates, position, evaluation
// symbol, grade, step, zone, matrix link, band, role evaluation, basic pay); the other
// fields stay empty: read an employee whole with LoadEmployee. false when the read failed
// (the record access layer has reported it; out is then empty).
bool LoadEmployeeList(const Session& s, int gradeFilter, TSyain_rec& out);

// Every column of one employee of the session's project; found is false when there is none.
bool LoadEmployee(const Session& s, int sco, TSyain_& out, bool& found);
