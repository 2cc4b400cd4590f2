// wageloom-batch pay-gap on the sample companies: its CSV file byte for byte the one the
// screen's routine writes, its summary lines, the printed document's text, and its workbook
// read back against the CSV of the same run; the samples' part-time hours under 正規換算.
#include "paygap/PayGapReport.h"
#include "paygap/PayGapStore.h"

#include "core/TextCodec.h"
#include "projects/Companies.h"
#include "support/BatchToolRun.h"
#include "support/PdfText.h"
#include "support/RecordedFailures.h"
#include "support/TestProgramFolder.h"
#include "support/TestProject.h"
#include "support/XlsxReadBack.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class PayGapBatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteAndOpenSampleCompany(folder);
    }

    RecordedFailures failures;
    TestProgramFolder folder;
};

} // namespace

TEST_F(PayGapBatch, CsvIsTheScreensFileAndThePdfHoldsTheTable)
{
    // Stored settings the tool must read: 正規換算 and a left-out allowance, an explanation.
    PayGapSettings settings = PayGapSettings::Defaults(2020);
    settings.fullTimeEquivalent = true;
    settings.excludedAllowances = {QStringLiteral("通勤手当")};
    settings.explanation = QStringLiteral("女性の管理職登用を進めています。");
    ASSERT_TRUE(SavePayGapSettings(folder.session(), settings));

    const PayGapRun screen = RunPayGap(folder.session());
    ASSERT_TRUE(screen.outcome.ok);
    const QString screenCsv = folder.path("CSV/screen.csv");
    ASSERT_TRUE(WritePayGapTable(folder.session(), screen.result, screenCsv, TableFileFormat{}).ok);

    const QString csv = folder.path("CSV/batch.csv"), pdf = folder.path("gap.pdf");
    const ToolRun r = RunBatchTool(folder.path(), {"pay-gap", "--year", "2020", "--company", "1", "--csv", csv,
                                                   "--pdf", pdf});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(bytes(csv), bytes(screenCsv));
    EXPECT_TRUE(bytes(csv).startsWith(ToCp932(
        QStringLiteral("区分,男性人数,女性人数,男性平均年間賃金,女性平均年間賃金,男女の賃金の差異\r\n全労働者,"))));
    const QStringList lines = PayGapCsvLines(screen.result);
    EXPECT_EQ(lines[0], "区分,男性人数,女性人数,男性平均年間賃金,女性平均年間賃金,男女の賃金の差異");
    EXPECT_TRUE(lines[1].startsWith("全労働者,"));
    EXPECT_EQ(lines[4], QStringLiteral("女性管理職比率,%1,%2,,,%3")
                            .arg(screen.result.managers)
                            .arg(screen.result.womenManagers)
                            .arg(RatioText(screen.result.managerShareTenths)));
    EXPECT_EQ(lines[5], "");
    EXPECT_EQ(r.out, PayGapSummaryLines(screen.result).join('\n') + '\n');

    const QStringList pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 2);
    const QString first = WithoutBlanks(pages[0]);
    for (const QString& word : {QStringLiteral("男女の賃金の差異"), QStringLiteral("全労働者"),
                                QStringLiteral("正規雇用労働者"), QStringLiteral("有期労働者"),
                                QStringLiteral("女性管理職比率"), settings.explanation,
                                RatioText(screen.result.all.ratioTenths()), folder.session().companyName})
        EXPECT_TRUE(first.contains(WithoutBlanks(word))) << word.toStdString() << "\n" << pages[0].toStdString();
    EXPECT_TRUE(WithoutBlanks(pages[1]).contains(QStringLiteral("年齢階層別")));
}

// One run writes the CSV file and the workbook: the workbook holds the CSV's cells typed, with
// their number formats, "－" as a text, a bold frozen heading and the document's properties.
TEST_F(PayGapBatch, WorkbookHoldsTheCellsOfTheCsvOfTheSameRun)
{
    PayGapSettings settings = PayGapSettings::Defaults(2020);
    settings.fullTimeEquivalent = true;   // headcounts with three decimals
    ASSERT_TRUE(SavePayGapSettings(folder.session(), settings));
    // Every grade of the samples holds both sexes: without women in grade 9 its cell is "－".
    Exec(folder.fdm().ACN2, "UPDATE MSYAIN2 SET SEIBETSU = 0 WHERE KCO = 1 AND NENDO = 2020 AND TOUKYU = 9");

    const QString csv = folder.path("gap.csv"), xlsx = folder.path("gap.xlsx");
    const ToolRun r = RunBatchTool(folder.path(), {"pay-gap", "--year", "2020", "--company", "1", "--csv", csv,
                                                   "--xlsx", xlsx});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const ReadWorkbook book = ReadXlsx(xlsx);
    ASSERT_TRUE(book.ok) << book.error.toStdString();
    const QStringList lines = ReadCsvLines(csv);
    ASSERT_GT(lines.size(), 20);
    EXPECT_EQ(DifferencesFromCsv(book, lines), QStringList());

    EXPECT_EQ(book.sheets, QStringList{QStringLiteral("男女の賃金の差異")});
    EXPECT_EQ(book.freeze, "A2");
    for (int c = 0; c < 6; ++c)
        EXPECT_TRUE(book.at(0, c).bold) << c;
    EXPECT_FALSE(book.at(1, 0).bold);
    EXPECT_EQ(book.title, QStringLiteral("男女の賃金の差異"));
    EXPECT_EQ(book.company, folder.session().companyName);
    EXPECT_EQ(book.subject, QStringLiteral("2020 年度"));
    for (double w : book.widths.mid(0, 6))
        EXPECT_GE(w, 8.0);
    EXPECT_GE(book.widths.value(0), 18.0);   // パート・有期労働者 and the split's labels

    // 全労働者: headcounts 0.000 under 正規換算, averages #,##0, the ratio 0.0.
    const QStringList formats = {QString(), "0.000", "0.000", SheetAmountFormat, SheetAmountFormat, SheetRatioFormat};
    for (int c = 1; c < 6; ++c) {
        EXPECT_EQ(book.at(1, c).type, "n") << c;
        EXPECT_EQ(book.at(1, c).format, formats[c]) << c;
    }
    // The managers' row: whole counts, two empty cells, the share.
    EXPECT_EQ(book.at(4, 1).format, SheetWholeFormat);
    EXPECT_EQ(book.at(4, 3).type, "");
    EXPECT_EQ(book.at(4, 5).format, SheetRatioFormat);
    // Every "－" of the CSV (a breakdown cell without a man or a woman) is a text cell.
    int dashes = 0;
    for (int row = 0; row < lines.size(); ++row) {
        const QStringList fields = CsvFieldsOf(lines[row]);
        for (int c = 1; c < fields.size(); ++c)
            if (fields[c] == QStringLiteral("－")) {
                ++dashes;
                EXPECT_EQ(book.at(row, c).type, "s") << row << ' ' << c;
            }
    }
    EXPECT_GT(dashes, 0);
    // The split's amounts are yen.
    const int split = int(lines.indexOf(QStringLiteral("要因分解（男性基準）,金額,割合")));
    ASSERT_GT(split, 0);
    EXPECT_EQ(book.at(split + 1, 1).format, SheetAmountFormat);
}

TEST_F(PayGapBatch, EncodingChoosesTheCsvsAndIsRefusedWithoutOne)
{
    const QString sjis = folder.path("sjis.csv"), utf8 = folder.path("utf8.csv");
    ASSERT_EQ(RunBatchTool(folder.path(), {"pay-gap", "--year", "2020", "--company", "1", "--csv", sjis}).status, 0);
    const ToolRun r = RunBatchTool(folder.path(), {"pay-gap", "--year", "2020", "--company", "1", "--csv", utf8,
                                                   "--encoding", "utf8"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(bytes(utf8), "\xEF\xBB\xBF" + FromCp932(bytes(sjis)).toUtf8());

    const ToolRun withoutCsv = RunBatchTool(folder.path(), {"pay-gap", "--year", "2020", "--company", "1", "--xlsx",
                                                            folder.path("x.xlsx"), "--encoding", "utf8"});
    EXPECT_EQ(withoutCsv.status, 2);
    EXPECT_TRUE(withoutCsv.err.contains(QStringLiteral("--encoding は CSV の出力にだけ指定できます。")));
    EXPECT_FALSE(QFile::exists(folder.path("x.xlsx")));
}

// The samples store hours for their contract and part-time staff, so that 正規換算 counts each
// of them below 1 from the first use, and nobody is counted 1 for want of hours.
TEST_F(PayGapBatch, SampleCompaniesCountTheirPartTimeStaffByHours)
{
    for (int company : {1, 2}) {
        SCOPED_TRACE(company);
        OpenSampleCompany(folder, 2020, company);
        PayGapSettings settings = PayGapSettings::Defaults(2020);
        settings.fullTimeEquivalent = true;
        const PayGapRun plain = RunPayGapWith(folder.session(), PayGapSettings::Defaults(2020));
        const PayGapRun run = RunPayGapWith(folder.session(), settings);
        ASSERT_TRUE(run.outcome.ok);
        const PayGapResult& r = run.result;
        EXPECT_EQ(r.withoutHours, 0);
        EXPECT_EQ(r.actualWages, 0);   // rows of hours alone: the computed wages stay
        for (const SexSums* sex : {&r.partTime.men, &r.partTime.women}) {
            ASSERT_GT(sex->persons, 0);
            EXPECT_LT(sex->headMilli, 1000LL * sex->persons);
            EXPECT_GT(sex->headMilli, 400LL * sex->persons);
        }
        // The same wages as when each counts one.
        EXPECT_EQ(r.partTime.men.wages, plain.result.partTime.men.wages);
        EXPECT_EQ(r.partTime.women.wages, plain.result.partTime.women.wages);
        EXPECT_EQ(r.regular.men.headMilli, plain.result.regular.men.headMilli);

        // Each part-time person between 4 hours a day on 19 days and 7.5 hours on 21.
        std::map<QString, ActualWage> actual;
        ASSERT_TRUE(ReadActualWages(folder.session(), actual));
        QList<PayGapPerson> people;
        ASSERT_TRUE(LoadPayGapPeople(folder.session(), settings, actual, people));
        const long long regular = RegularMonthlyHoursMilli(folder.session());
        EXPECT_EQ(regular, 168000);
        for (const PayGapPerson& p : people) {
            if (p.category != WorkerCategory::PartTime)
                continue;
            EXPECT_GE(p.monthlyHoursMilli, 4000LL * 19) << p.number.toStdString();
            EXPECT_LE(p.monthlyHoursMilli, 7500LL * 21) << p.number.toStdString();
            EXPECT_FALSE(p.actualWage);
            EXPECT_LT(HeadcountMilli(p, true, regular), 1000);
        }
    }
    EXPECT_TRUE(failures.reports.isEmpty()) << failures.texts().join('\n').toStdString();
}
