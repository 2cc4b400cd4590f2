// Zone computation over band, matrix and role-evaluation rows of a real year database.
#include "matrix/MatrixZone.h"

#include "support/RecordedFailures.h"
#include "support/TestProject.h"

#include <gtest/gtest.h>

namespace {

// Band 1 uses matrix 10 with five adjoining zones 200,000 .. 350,000; band 2 has no matrix
// cells. Role evaluations 1 (S) and 2 (A); rates in percent per zone.
void InsertBands(DbConnection& cn)
{
    Exec(cn, "INSERT INTO YHYOUKA VALUES (1, 2024, 1, 'S')");
    Exec(cn, "INSERT INTO YHYOUKA VALUES (1, 2024, 2, 'A')");
    Exec(cn, "INSERT INTO MATRIXID VALUES (1, 2024, 10, '役割マトリクス', '', 5)");
    Exec(cn, "INSERT INTO MATRIXCELL VALUES (1, 2024, 10, 1, 5, 3.5, 3, 2, 1)");
    Exec(cn, "INSERT INTO MATRIXCELL VALUES (1, 2024, 10, 2, -6, 2.5, 2, 1.5, 1)");
    Exec(cn, "INSERT INTO BANDM VALUES (1, 2024, 1, '一般職', '', 10, 'バンド表', 1, 275000, 80, 120, 1.5, 150000, "
             "200000, 230000, 230000, 260000, 260000, 290000, 290000, 320000, 320000, 350000)");
    Exec(cn, "INSERT INTO BANDM VALUES (1, 2024, 2, '管理職', '', 20, 'バンド表', 1, 400000, 80, 120, 1.5, 150000, "
             "300000, 400000, 400000, 500000, 0, 0, 0, 0, 0, 0)");
}

class MatrixZoneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        OpenTestProject(folder);
        InsertBands(folder.fdm().ACN2);
        tables = LoadMatrixTables(folder.session());
    }
    RecordedFailures failures;
    TestProgramFolder folder;
    MatrixTables tables;
};

TEST_F(MatrixZoneTest, LoadsBandsCellsAndRoleEvaluations)
{
    EXPECT_EQ(tables.bands.marume, 1);
    EXPECT_EQ(tables.bands.title, QStringLiteral("バンド表"));
    ASSERT_GE(tables.matrix.groups.size(), 1);
    EXPECT_EQ(tables.matrix.groups[0].BANDID, 1);
    EXPECT_EQ(tables.matrix.groups[0].cells.size(), 2);
    ASSERT_EQ(tables.roles.size(), 2);
    EXPECT_EQ(tables.roles[1].HKIGOU, QStringLiteral("A"));
    EXPECT_TRUE(failures.reports.isEmpty());
}

TEST_F(MatrixZoneTest, ZoneRateAndNewAmount)
{
    struct Case {
        const char* what;
        int band, role;
        long long amount;
        int zone;
        double rate;
        long long newAmount;
        int newZone;
    };
    const Case cases[] = {
        {"bound shared by zones 1 and 2 is zone 2 (238,050 rounds to 238,100)", 1, 1, 230000, 2, 3.5, 238100, 2},
        {"lower bound of zone 1 is inside", 1, 1, 200000, 1, 5, 210000, 1},
        {"3.5% on 250,000 rounds 258,750 up to 258,800", 1, 1, 250000, 2, 3.5, 258800, 2},
        {"upper bound of zone 5 is inside", 1, 2, 350000, 5, 1, 350000, 5},
        {"a raise that stays inside zone 5", 1, 1, 345000, 5, 1, 348500, 5},
        {"new amount above every upper bound is lowered to the highest", 1, 1, 348000, 5, 1, 350000, 5},
        {"a cut below the lowest bound is raised to it", 1, 2, 205000, 1, -6, 200000, 1},
        {"amount below every zone", 1, 1, 150000, 0, 0, 150000, 0},
        {"amount above zone 5", 1, 1, 350001, 0, 0, 350001, 0},
        {"role evaluation missing from the band table", 1, 3, 250000, 0, 0, 250000, 0},
        {"band missing from the band table", 9, 1, 250000, 0, 0, 250000, 0},
        {"band without matrix cells has rate 0", 2, 0, 450000, 2, 0, 450000, 2},
    };
    // Band 2's matrix has no cells: VBANDM gives it one row with role evaluation 0.
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ZoneResult r = ComputeZone(tables, c.band, c.role, c.amount);
        EXPECT_EQ(r.zone, c.zone);
        EXPECT_DOUBLE_EQ(r.rate, c.rate);
        EXPECT_EQ(r.newAmount, c.newAmount);
        EXPECT_EQ(r.newZone, c.newZone);
    }
}

TEST_F(MatrixZoneTest, RoundingUnitFollowsMarume)
{
    // 250,000 at 3.5% is 258,750 before rounding.
    const struct {
        int marume;
        long long expected;
    } units[] = {{0, 258750}, {1, 258800}, {2, 259000}, {7, 259000}};
    for (const auto& u : units) {
        MatrixTables t = tables;
        t.bands.marume = u.marume;
        EXPECT_EQ(ComputeZone(t, 1, 1, 250000).newAmount, u.expected) << "MARUME " << u.marume;
    }
    EXPECT_EQ(ZoneRateText(3.5), QStringLiteral("3.50%"));
    EXPECT_EQ(ZoneRateText(0), QStringLiteral("0.00%"));
}

} // namespace
