// The supplied sample companies of the fiscal years 2018 to 2020: a deterministic
// generator that registers fictional companies with the system's own routines and fills
// their settings, wage tables, reference data and employees.
#pragma once

#include "shell/Session.h"

#include <QString>
#include <QStringList>

// Writes the sample years into the session's program folder (its control connection open
// on SEIGYO.MDB; its year connection is left on the last year database made). A year whose
// DATA/<year>/DATA.MDB already exists is left untouched; the people of later years are the
// same people, a year older, with the raises of the year before applied. The session
// itself is not changed. Returns false (with a reason) when a write fails.
bool WriteSampleCompanies(const Session& s, QString* error = nullptr, QStringList* log = nullptr);

// The names of the sample companies (their codes move when another company holds them).
QStringList SampleCompanyNames();

inline constexpr int FirstSampleYear = 2018;
inline constexpr int LastSampleYear = 2020;
