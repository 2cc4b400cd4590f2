// The supplied sample companies: complete projects, the same people from year to year,
// identical on every machine, and never written over existing years.
#include "projects/SampleCompanies.h"
#include "support/RecordedFailures.h"
#include "support/TestProgramFolder.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QString dump(const QString& path)
{
    SqliteConnection cn;
    if (!cn.open(path))
        return {};
    QString out;
    auto tables = cn.select("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name");
    QStringList names;
    while (tables->next())
        names << tables->text(0);
    for (const QString& t : names) {
        auto rows = cn.select("SELECT * FROM " + t + " ORDER BY 1, 2, 3");
        while (rows && rows->next()) {
            out += t + ':';
            for (int c = 0; c < rows->columnCount(); ++c)
                out += rows->text(c) + '|';
            out += '\n';
        }
    }
    return out;
}

class SampleCompaniesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(WriteSampleCompanies(folder.session(), &error)) << error.toStdString();
        EXPECT_TRUE(failures.reports.isEmpty()) << failures.texts().join('\n').toStdString();
    }
    SqliteConnection& year(int y)
    {
        years[y].open(folder.dataPath(QString::number(y) + "/DATA.MDB"));
        return years[y];
    }
    RecordedFailures failures;
    TestProgramFolder folder;
    QString error;
    std::map<int, SqliteConnection> years;
};

TEST_F(SampleCompaniesTest, EveryYearHoldsCompleteProjects)
{
    DbConnection& control = folder.fdm().ACN1;
    for (int y = FirstSampleYear; y <= LastSampleYear; ++y) {
        SCOPED_TRACE(y);
        EXPECT_EQ(Scalar(control, QStringLiteral("SELECT group_concat(KCO || ':' || FNK, ',') FROM MKIGYOU1 WHERE NENDO = %1").arg(y)),
                  "1:0,2:0");
        SqliteConnection& cn = year(y);
        for (const char* kco : {"1", "2"}) {
            const QString where = QStringLiteral(" WHERE KCO = %1 AND NENDO = %2").arg(kco).arg(y);
            EXPECT_EQ(Scalar(cn, "SELECT count(*) FROM MMARK" + where), "9");
            EXPECT_EQ(Scalar(cn, "SELECT count(*) FROM MGRAPH" + where), "4");
            EXPECT_GE(Scalar(cn, "SELECT count(*) FROM SALARYNAME" + where).toInt(), 1);
            EXPECT_GE(Scalar(cn, "SELECT count(*) FROM MHYOUKA" + where).toInt(), 1);
            EXPECT_EQ(Scalar(cn, "SELECT group_concat(KSENTAKUF, '') FROM MCHINGIN" + where), "01");
            EXPECT_GT(Scalar(cn, "SELECT count(*) FROM DCHINGIN2" + where).toInt(), 20);
            EXPECT_EQ(Scalar(cn, "SELECT MDCO || '/' || SKCO FROM MKIGYOU2" + where), "1/1");
        }
        const int big = Scalar(cn, "SELECT count(*) FROM MSYAIN1 WHERE KCO = 1").toInt();
        const int small = Scalar(cn, "SELECT count(*) FROM MSYAIN1 WHERE KCO = 2").toInt();
        EXPECT_GE(big, 130);
        EXPECT_LE(big, 170);
        EXPECT_GE(small, 35);
        EXPECT_LE(small, 50);
        EXPECT_EQ(Scalar(cn, "SELECT count(*) FROM MSYAIN2"), Scalar(cn, "SELECT count(*) FROM MSYAIN1"));
        EXPECT_EQ(Scalar(cn, "SELECT count(*) FROM MSEIKEI WHERE SKCO = 1"), "6");
        // Linked employees are paid what their wage table says for their grade and step.
        EXPECT_EQ(Scalar(cn, "SELECT count(*) FROM VSYAIN WHERE JISEKI = 1 AND KKYU1 <> KIN"), "0");
        EXPECT_GT(Scalar(cn, "SELECT count(*) FROM VSYAIN WHERE JISEKI = 1 AND SKCO = 2").toInt(), 0);
        // After-raise amounts follow the new grade and step; totals match the amounts.
        EXPECT_EQ(Scalar(cn, "SELECT count(*) FROM VSYAIN WHERE JISEKI = 1 AND NKKYU1 <> NKIN"), "0");
        EXPECT_EQ(Scalar(cn, "SELECT count(*) FROM MSYAIN2 WHERE SYOTEI <> KKYU1 + KKYU2 + KKYU3 + TEATE1 + TEATE2 "
                             "+ TEATE3 + TEATE4 + TEATE5"),
                  "0");
    }
    EXPECT_GT(Scalar(control, "SELECT count(*) FROM MDCHINGIN WHERE MDCO = 1").toInt(), 10);
    EXPECT_EQ(Scalar(control, "SELECT count(*) FROM MDEL"), "1");
}

TEST_F(SampleCompaniesTest, TheSamePeopleComeBackAYearOlderWithTheirRaise)
{
    SqliteConnection& first = year(2018);
    SqliteConnection& second = year(2019);
    ASSERT_TRUE(second.execute(QStringLiteral("ATTACH DATABASE '%1' AS prev").arg(folder.dataPath("2018/DATA.MDB"))) >= 0);
    const QString stayed = "FROM VSYAIN n JOIN prev.VSYAIN p ON p.KCO = n.KCO AND p.SCO = n.SCO";
    const int kept = Scalar(second, "SELECT count(*) " + stayed).toInt();
    EXPECT_GT(kept, 150);
    EXPECT_EQ(Scalar(second, "SELECT count(*) " + stayed + " WHERE p.SNA <> n.SNA OR p.SEIHI <> n.SEIHI"), "0");
    EXPECT_EQ(Scalar(second, "SELECT count(*) " + stayed + " WHERE n.NENREI <> p.NENREI + 1"), "0");
    // Regular staff on a wage table move to last year's new grade and step.
    EXPECT_EQ(Scalar(second, "SELECT count(*) " + stayed
                                 + " WHERE p.SM1 = 1 AND n.SM1 = 1 AND (n.TOUKYU <> p.NTOUKYU OR n.GOUHOU <> p.NGOUHOU)"),
              "0");
    EXPECT_EQ(Scalar(second, "SELECT count(*) " + stayed + " WHERE n.HNA1 <> p.HKIGOU AND p.HCO > 0"), "0");
    // Some leave and some are hired.
    EXPECT_GT(Scalar(first, "SELECT count(*) FROM MSYAIN1").toInt() - kept, 0);
    EXPECT_GT(Scalar(second, "SELECT count(*) FROM MSYAIN1").toInt() - kept, 0);
    // The base-up factor of 2019 raises the wage table.
    EXPECT_GT(Scalar(second, "SELECT KIN1 FROM DCHINGIN2 WHERE KCO = 1 AND SKCO = 1 AND GOUHOU = 1").toInt(),
              Scalar(first, "SELECT KIN1 FROM DCHINGIN2 WHERE KCO = 1 AND SKCO = 1 AND GOUHOU = 1").toInt());
}


// The decided raises read as a company's would: nobody rated S, A or B is cut (a promotion
// never pays less than the evaluation's own raise), only good performers are promoted, and
// a better evaluation earns more on average than a worse one.
TEST_F(SampleCompaniesTest, RaisesFollowTheEvaluation)
{
    for (int y = FirstSampleYear; y <= LastSampleYear; ++y) {
        SCOPED_TRACE(y);
        SqliteConnection& cn = year(y);
        EXPECT_EQ(Scalar(cn, "SELECT group_concat(SCOT, ',') FROM MSYAIN1 s JOIN MSYAIN2 m USING (KCO, SCO, NENDO) "
                             "WHERE m.HCO BETWEEN 1 AND 3 AND m.NSYOTEI < m.SYOTEI"),
                  "");
        EXPECT_EQ(Scalar(cn, "SELECT count(*) FROM MSYAIN2 WHERE FSKCHK = 1 AND HCO > 3"), "0");
        // Mean raise of regular staff by evaluation (S and A together: a handful of S make no
        // average of their own), better first: each at least the next one's.
        auto means = cn.select("SELECT CASE WHEN HCO <= 2 THEN 'S+A' ELSE HCO END AS rating, avg(NSYOTEI - SYOTEI) "
                               "FROM MSYAIN2 WHERE SM1 = 1 AND HCO > 0 GROUP BY rating ORDER BY min(HCO)");
        double previous = 1e18;
        while (means && means->next()) {
            SCOPED_TRACE(means->text(0).toStdString());
            EXPECT_LE(means->real(1), previous);
            previous = means->real(1);
        }
    }
}
// The pay-gap disclosure of the samples reads like a real company's: every grade of the first
// wage table holds both sexes, and regular women earn less than regular men on average.
TEST_F(SampleCompaniesTest, EveryGradeHoldsBothSexesAndRegularWomenEarnLess)
{
    for (int y = FirstSampleYear; y <= LastSampleYear; ++y) {
        SqliteConnection& cn = year(y);
        for (const char* kco : {"1", "2"}) {
            SCOPED_TRACE(QStringLiteral("%1 company %2").arg(y).arg(kco).toStdString());
            const QString regular = QStringLiteral(" FROM VSYAIN WHERE KCO = %1 AND SM1 = 1 AND SKCO = 1").arg(kco);
            EXPECT_EQ(Scalar(cn, "SELECT group_concat(g, ',') FROM (SELECT TOUKYU AS g" + regular
                                     + " GROUP BY TOUKYU HAVING min(SEIBETSU) = max(SEIBETSU))"),
                      "");
            EXPECT_EQ(Scalar(cn, "SELECT count(DISTINCT TOUKYU)" + regular),
                      Scalar(cn, QStringLiteral("SELECT count(*) FROM DSCALE WHERE KCO = %1 AND SKCO = 1").arg(kco)));
            EXPECT_LT(Scalar(cn, "SELECT avg(NENSYU)" + regular + " AND SEIBETSU = 1").toDouble(),
                      Scalar(cn, "SELECT avg(NENSYU)" + regular + " AND SEIBETSU = 0").toDouble());
        }
    }
}

TEST_F(SampleCompaniesTest, IdenticalEverywhereAndExistingYearsAreKept)
{
    const QString before = dump(folder.dataPath("2019/DATA.MDB"));
    TestProgramFolder other;
    ASSERT_TRUE(WriteSampleCompanies(other.session(), &error)) << error.toStdString();
    EXPECT_EQ(dump(other.dataPath("2019/DATA.MDB")), before);
    EXPECT_EQ(dump(other.dataPath("SEIGYO.MDB")).size(), dump(folder.dataPath("SEIGYO.MDB")).size());

    // A second run over a folder that has the years changes nothing.
    const QString control = dump(other.dataPath("SEIGYO.MDB"));
    ASSERT_TRUE(WriteSampleCompanies(other.session(), &error));
    EXPECT_EQ(dump(other.dataPath("SEIGYO.MDB")), control);
    EXPECT_EQ(dump(other.dataPath("2019/DATA.MDB")), before);
}

TEST(SampleCompanyCodes, AnotherCompanyHoldingTheCodeMovesTheSampleToAFreeCode)
{
    RecordedFailures failures;
    TestProgramFolder folder;
    Exec(folder.fdm().ACN1, "INSERT INTO MKIGYOU1 (KCO, NENDO, KNA) VALUES (1, 2017, '自社'), (5, 2017, '他社')");
    QString error;
    ASSERT_TRUE(WriteSampleCompanies(folder.session(), &error)) << error.toStdString();
    EXPECT_EQ(Scalar(folder.fdm().ACN1, "SELECT group_concat(KCO, ',') FROM MKIGYOU1 WHERE NENDO = 2018"), "2,6");
}

TEST(SampleCompanyCodes, BothUsualCodesTakenGiveTwoDifferentFreeCodes)
{
    RecordedFailures failures;
    TestProgramFolder folder;
    Exec(folder.fdm().ACN1, "INSERT INTO MKIGYOU1 (KCO, NENDO, KNA) VALUES (1, 2017, '自社'), (2, 2017, '他社')");
    QString error;
    ASSERT_TRUE(WriteSampleCompanies(folder.session(), &error)) << error.toStdString();
    EXPECT_EQ(Scalar(folder.fdm().ACN1, "SELECT group_concat(KCO, ',') FROM MKIGYOU1 WHERE NENDO = 2018"), "3,4");
}

} // namespace
