// Raise-curve design: the checks, the DCHINGIN building, saving and loading curves, the CSV.
#include "core/TextCodec.h"
#include "plot/RaiseCurveDesign.h"
#include "store/DataModule.h"
#include "support/RecordedFailures.h"
#include "support/TestProject.h"
#include "support/XlsxReadBack.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

RaiseCurveDesign designWith(int curve, std::initializer_list<DesignPoint> points)
{
    RaiseCurveDesign d;
    d.xCode = 1;
    d.yCode = 2;
    int k = 0;
    for (const DesignPoint& p : points)
        d.curves[curve - 1].points[k++] = p;
    return d;
}

struct Expected {
    int x;
    long long amount;
    long long pitch;
};

struct BuildCase {
    const char* name;
    std::vector<DesignPoint> points;
    std::vector<Expected> rows;
};

TEST(RaiseCurveDesignBuild, SegmentsRoundTheStepAndShareTheirPoints)
{
    const BuildCase cases[] = {
        {"one segment",
         {{20, 200000}, {30, 250000}},
         {{20, 200000, 5000}, {21, 205000, 5000}, {22, 210000, 5000}, {23, 215000, 5000}, {24, 220000, 5000},
          {25, 225000, 5000}, {26, 230000, 5000}, {27, 235000, 5000}, {28, 240000, 5000}, {29, 245000, 5000},
          {30, 250000, 5000}}},
        {"two segments, the middle point once",
         {{20, 200000}, {25, 230000}, {30, 250000}},
         {{20, 200000, 6000}, {21, 206000, 6000}, {22, 212000, 6000}, {23, 218000, 6000}, {24, 224000, 6000},
          {25, 230000, 6000}, {26, 234000, 4000}, {27, 238000, 4000}, {28, 242000, 4000}, {29, 246000, 4000},
          {30, 250000, 4000}}},
        {"odd difference keeps the end amount",
         {{20, 200000}, {23, 210000}},
         {{20, 200000, 3330}, {21, 203330, 3330}, {22, 206660, 3330}, {23, 210000, 3330}}},
        {"only the first point", {{20, 200000}}, {}},
        {"falling curve rounds halves away from zero",
         {{40, 300000}, {42, 299990}},
         {{40, 300000, -10}, {41, 299990, -10}, {42, 299990, -10}}},
    };
    for (const BuildCase& c : cases) {
        SCOPED_TRACE(c.name);
        RaiseCurveDesign d;
        d.xCode = 1;
        d.yCode = 3;
        for (size_t k = 0; k < c.points.size(); ++k)
            d.curves[2].points[k] = c.points[k];
        const QList<TCHNGIN_> rows = BuildDesignRows(d, QStringLiteral("7"), QStringLiteral("2024"));
        ASSERT_EQ(rows.size(), qsizetype(c.rows.size()));
        for (size_t i = 0; i < c.rows.size(); ++i) {
            const TCHNGIN_& r = rows[qsizetype(i)];
            EXPECT_EQ(r.NO, int(i) + 1);
            EXPECT_EQ(r.SDCO, 3);
            EXPECT_EQ(r.X, 1);
            EXPECT_EQ(r.Y, 3);
            EXPECT_EQ(r.KCO, QStringLiteral("7"));
            EXPECT_EQ(r.SNENREI, c.rows[i].x);
            EXPECT_EQ(r.SKIN, c.rows[i].amount);
            EXPECT_EQ(r.PITCH, c.rows[i].pitch);
        }
    }
}

TEST(RaiseCurveDesignBuild, RaiseRateAndSpreadAreTruncated)
{
    const QList<TCHNGIN_> rows =
        BuildDesignRows(designWith(1, {{20, 200000}, {30, 250000}}), QStringLiteral("1"), QStringLiteral("2024"));
    ASSERT_EQ(rows.size(), 11);
    EXPECT_DOUBLE_EQ(rows[5].SRITSU, 2.22);   // x 25: trunc(50,000,000 / 225,000) / 100
    EXPECT_EQ(rows[5].KAKUSA, 112);           // trunc(22,500,000 / 200,000)
    EXPECT_DOUBLE_EQ(rows[0].SRITSU, 2.5);
    EXPECT_EQ(rows[0].KAKUSA, 100);
    EXPECT_EQ(rows[10].KAKUSA, 125);
}

TEST(RaiseCurveDesignValidate, FirstProblemNamesColumnAndRow)
{
    struct Case {
        int curve;
        std::vector<DesignPoint> points;
        QString message;
    } cases[] = {
        {2, {{20, 200000}, {0, 210000}}, QStringLiteral("年齢を入力して下さい。2列 2行目")},
        {5, {{20, 200000}, {25, 230000}, {30, 0}}, QStringLiteral("金額を入力して下さい。5列 3行目")},
        {1, {{20, 200000}, {20, 230000}}, QStringLiteral("年齢は昇順に入力して下さい。1列 1行目")},
        {4, {{20, 200000}, {30, 230000}, {25, 240000}}, QStringLiteral("年齢は昇順に入力して下さい。4列 2行目")},
        {3, {{20, 200000}, {30, 230000}, {0, 0}, {25, 100}}, QString()},   // a gap ends the comparison
        {1, {}, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        RaiseCurveDesign d;
        for (size_t k = 0; k < c.points.size(); ++k)
            d.curves[c.curve - 1].points[k] = c.points[k];
        EXPECT_EQ(ValidateDesignCurves(d.curves), c.message);
    }
}

class RaiseCurveDesignStore : public ::testing::Test {
protected:
    void SetUp() override { OpenTestProject(folder, {.kco = 7, .year = 2024}); }
    DbConnection& cn() { return folder.fdm().ACN2; }
    const Session& session() const { return folder.session(); }
    int count(const QString& table)
    {
        return Scalar(cn(), QStringLiteral("SELECT count(*) FROM %1 WHERE KCO = 7 AND NENDO = 2024").arg(table))
            .toInt();
    }

    RecordedFailures failures;
    TestProgramFolder folder;
};

TEST_F(RaiseCurveDesignStore, CurveFiveIsSavedReloadedAndOtherPairsAreReplaced)
{
    RaiseCurveDesign other = designWith(1, {{18, 150000}, {22, 170000}});
    other.xCode = 2;
    ASSERT_TRUE(SaveDesignCurves(session(), other));

    RaiseCurveDesign d = designWith(5, {{20, 200000}, {25, 230000}, {30, 250000}});
    d.curves[4].plotted = true;
    d.curves[4].legend = QStringLiteral("案５");
    d.curves[4].explanation = QStringLiteral("説明");
    d.curves[4].colour = QStringLiteral("clRed");
    d.curves[4].style = 2;
    d.curves[4].width = 3;
    d.commentary = QStringLiteral("解説文");
    ASSERT_TRUE(SaveDesignCurves(session(), d));
    EXPECT_EQ(count(QStringLiteral("DSPDRAW")), 5);   // the other pair's curves are gone

    RaiseCurveDesign back;
    back.xCode = 1;
    back.yCode = 2;
    ASSERT_TRUE(LoadDesignCurves(session(), back));
    EXPECT_EQ(back.commentary, QStringLiteral("解説文"));
    const DesignCurve& c = back.curves[4];
    EXPECT_TRUE(c.plotted);
    EXPECT_EQ(c.points[1].x, 25);
    EXPECT_EQ(c.points[1].amount, 230000);
    EXPECT_EQ(c.points[3].x, 0);
    EXPECT_EQ(c.legend, QStringLiteral("案５"));
    EXPECT_EQ(c.explanation, QStringLiteral("説明"));
    EXPECT_EQ(c.colour, QStringLiteral("clRed"));
    EXPECT_EQ(c.style, 2);
    EXPECT_EQ(c.width, 3);
    EXPECT_FALSE(back.curves[0].plotted);

    RaiseCurveDesign none;
    none.xCode = 2;
    none.yCode = 2;
    ASSERT_TRUE(LoadDesignCurves(session(), none));
    EXPECT_EQ(none.curves[0].points[0].x, 0);
    EXPECT_TRUE(failures.reports.isEmpty());
}

TEST_F(RaiseCurveDesignStore, CsvBytesAndAFailedCheckKeepsThePreviousTable)
{
    RaiseCurveDesign d = designWith(1, {{20, 200000}, {22, 210000}});
    d.curves[4].points[0] = {30, 300000};
    d.curves[4].points[1] = {31, 310000};
    const Outcome exported = ExportDesignCsv(session(), d, QStringLiteral("設計案"));
    ASSERT_TRUE(exported.ok) << exported.text.toStdString();
    EXPECT_EQ(exported.text, QStringLiteral("CSVディレクトリに賃金表が出力されました。"));
    EXPECT_EQ(exported.caption, AppTitle);
    EXPECT_EQ(count(QStringLiteral("DCHINGIN")), 5);

    QFile file(DesignCsvPath(session().exeFolder));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString expected = QStringLiteral(
        "設計案\r\n"
        ",設計１,,,設計２,,,設計３,,,設計４,,,設計５,\r\n"
        "年齢,職能給,格差,年齢,職能給,格差,年齢,職能給,格差,年齢,職能給,格差,年齢,職能給,格差\r\n"
        "20,200000,100,0,0,0,0,0,0,0,0,0,30,300000,100\r\n"
        "21,205000,102,0,0,0,0,0,0,0,0,0,31,310000,103\r\n"
        "22,210000,105,0,0,0,0,0,0,0,0,0,0,0,0\r\n"
        "平均,205000,5000,,,,,,,,,,平均,305000,10000\r\n");
    EXPECT_EQ(file.readAll(), ToCp932(expected));

    RaiseCurveDesign bad = designWith(2, {{20, 0}});
    const Outcome refused = ExportDesignCsv(session(), bad, QStringLiteral("設計案"));
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.text, QStringLiteral("金額を入力して下さい。2列 1行目"));
    EXPECT_EQ(refused.caption, QStringLiteral("確認"));
    EXPECT_EQ(count(QStringLiteral("DCHINGIN")), 5);

    const Outcome empty = ExportDesignCsv(session(), RaiseCurveDesign{}, QStringLiteral("設計案"));
    EXPECT_FALSE(empty.ok);
    EXPECT_EQ(empty.text, QStringLiteral("賃金表データは有りません。"));
}

TEST_F(RaiseCurveDesignStore, WorkbookHoldsTheCsvCellsWithTwoFrozenHeaderRows)
{
    RaiseCurveDesign d = designWith(1, {{20, 200000}, {22, 210000}});
    d.curves[4].points[0] = {30, 300000};
    d.curves[4].points[1] = {31, 310000};
    ASSERT_TRUE(ExportDesignCsv(session(), d, QStringLiteral("設計案")).ok);
    const Outcome written = ExportDesignCsv(session(), d, QStringLiteral("設計案"), {SheetFileKind::Xlsx});
    ASSERT_TRUE(written.ok) << written.text.toStdString();
    const QString xlsx = DesignCsvPath(session().exeFolder, SheetFileKind::Xlsx);
    EXPECT_TRUE(xlsx.endsWith(QStringLiteral("CSV/昇給カーブの設計.xlsx")));

    const ReadWorkbook book = ReadXlsx(xlsx);
    ASSERT_TRUE(book.ok) << book.error.toStdString();
    EXPECT_EQ(DifferencesFromCsv(book, ReadCsvLines(DesignCsvPath(session().exeFolder))), QStringList());
    EXPECT_EQ(book.sheets, QStringList{QStringLiteral("昇給カーブの設計")});
    EXPECT_EQ(book.title, QStringLiteral("設計案"));
    EXPECT_EQ(book.freeze, "A4");
    EXPECT_FALSE(book.at(0, 0).bold);
    EXPECT_TRUE(book.at(1, 1).bold);
    EXPECT_TRUE(book.at(2, 0).bold);
    EXPECT_EQ(book.at(3, 0).format, SheetWholeFormat);
    EXPECT_EQ(book.at(3, 1).format, SheetAmountFormat);
    EXPECT_EQ(book.at(4, 2).format, SheetRatioFormat);
    EXPECT_EQ(book.at(4, 2).number, 102);
    EXPECT_EQ(book.at(6, 0).text, QStringLiteral("平均"));
    EXPECT_EQ(book.at(6, 1).number, 205000);
}

TEST(RaiseCurveDesignCsv, SingleRowCurveLeavesTheStepEmpty)
{
    TCHNGIN_ r;
    r.SDCO = 2;
    r.NO = 1;
    r.SNENREI = 40;
    r.SKIN = 123456;
    r.KAKUSA = 100;
    const QStringList lines = DesignCsvLines({r}, QStringLiteral("t"));
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[3], QStringLiteral("0,0,0,40,123456,100,0,0,0,0,0,0,0,0,0"));
    EXPECT_EQ(lines[4], QStringLiteral(",,,平均,123456,,,,,,,,,,"));
}

} // namespace
