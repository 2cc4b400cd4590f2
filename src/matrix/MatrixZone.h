// Zone computation of the role matrix: the zone of an amount within its pay band, the
// raise rate the matrix gives for the role evaluation and zone, and the new amount.
#pragma once

#include "shell/ProjectLookups.h"

#include <QString>

struct ZoneResult {
    int zone = 0;          // zone of the current amount, 0..5 (0 = outside every zone)
    long long newAmount = 0;
    double rate = 0;       // raise rate in percent
    int newZone = 0;       // zone of the new amount
};

// The band, matrix-cell and role-evaluation tables of the open project, loaded together.
struct MatrixTables {
    TBANDTBL bands;
    TMATTBL matrix;
    QList<TYHYOUKA> roles;   // the role evaluations (YHYOUKA) in HCO order
};
// Reads the band and matrix tables and the role evaluations of the session's project.
MatrixTables LoadMatrixTables(const Session& s);

// The zone of an amount: 1 for 下限額1 <= v < 上限額1, then 2, 3, 4 likewise, 5 for
// 下限額5 <= v <= 上限額5; the last test that holds wins; 0 when none holds.
int ZoneOfAmount(const TBANDM& band, long long amount);

// The zone of amount for a band and role evaluation, with the raise rate of the matrix
// cell, the new amount (rounded to the band table's unit and kept within the band) and
// the zone of the new amount. A pair missing from the band table gives zone 0 and leaves
// the amount unchanged.
ZoneResult ComputeZone(const TBANDTBL& bands, const TMATTBL& matrix, int bandCode, int roleCode, long long amount);
ZoneResult ComputeZone(const MatrixTables& tables, int bandCode, int roleCode, long long amount);

// The raise rate as shown beside the zone: two decimals and a percent sign ("3.50%").
QString ZoneRateText(double rate);
