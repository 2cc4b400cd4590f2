// Zone computation of the role matrix over the band and matrix-cell tables.
#include "matrix/MatrixZone.h"

#include "core/Numbers.h"

#include <algorithm>

MatrixTables LoadMatrixTables(const Session& s)
{
    MatrixTables t;
    t.bands = LoadBandTable(s);
    t.matrix = LoadMatrixTable(s);
    // The role evaluations are read the way a selection reads them into its project.
    Session reader = s;
    LoadRoleEvaluations(reader);
    t.roles = reader.project.EvaluationSymbols;
    return t;
}

int ZoneOfAmount(const TBANDM& band, long long v)
{
    int zone = 0;
    for (int z = 0; z < 4; ++z)
        if (band.lower[z] <= v && v < band.upper[z])
            zone = z + 1;
    if (band.lower[4] <= v && v <= band.upper[4])
        zone = 5;
    return zone;
}

namespace {

const TBANDM* findBand(const TBANDTBL& bands, int bandCode, int roleCode)
{
    for (const TBANDM& b : bands.bands)
        if (b.BANDID == bandCode && b.YHYOUKA == roleCode)
            return &b;
    return nullptr;
}

// The rate of the role evaluation's cell in the band's matrix for a zone (1..5); 0 when
// the band has no matrix group or the group no such cell.
double cellRate(const TMATTBL& matrix, const TBANDM& band, int roleCode, int zone)
{
    for (const TMATHYOUKA& g : matrix.groups) {
        if (g.BANDID != band.BANDID || g.MATRIXID != band.MATRIXID)
            continue;
        for (const TMATRIX& cell : g.cells)
            if (cell.YHYOUKA == roleCode)
                return cell.UP[zone - 1];
        return 0;
    }
    return 0;
}

} // namespace

ZoneResult ComputeZone(const TBANDTBL& bands, const TMATTBL& matrix, int bandCode, int roleCode, long long amount)
{
    ZoneResult r;
    r.newAmount = amount;
    const TBANDM* band = findBand(bands, bandCode, roleCode);
    if (!band)
        return r;
    r.zone = ZoneOfAmount(*band, amount);
    if (r.zone == 0)
        return r;
    r.rate = cellRate(matrix, *band, roleCode, r.zone);

    long long next = RoundToUnit(bands.marume, double(amount) * (r.rate + 100.0) / 100.0);
    const long long highest = *std::max_element(band->upper, band->upper + 5);
    if (next < band->lower[0])
        next = band->lower[0];
    if (next > highest)
        next = highest;
    r.newAmount = next;
    r.newZone = ZoneOfAmount(*band, next);
    return r;
}

ZoneResult ComputeZone(const MatrixTables& tables, int bandCode, int roleCode, long long amount)
{
    return ComputeZone(tables.bands, tables.matrix, bandCode, roleCode, amount);
}

QString ZoneRateText(double rate)
{
    return FormatFloat(QStringLiteral("0.00%"), rate);
}
