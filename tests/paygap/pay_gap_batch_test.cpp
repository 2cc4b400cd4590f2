// wageloom-batch pay-gap on the sample companies: its CSV file byte for byte the one the
// screen's routine writes, its summary lines, and the printed document's text.
#include "paygap/PayGapReport.h"
#include "paygap/PayGapStore.h"

#include "core/TextCodec.h"
#include "projects/Companies.h"
#include "projects/SampleCompanies.h"
#include "support/BatchToolRun.h"
#include "support/PdfText.h"
#include "support/RecordedFailures.h"
#include "support/TestProgramFolder.h"

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
        QString error;
        ASSERT_TRUE(WriteSampleCompanies(folder.session(), &error)) << error.toStdString();
        QList<TKigyo1_> companies;
        ASSERT_TRUE(LoadCompanyList(folder.session(), 2020, companies));
        folder.session().fiscalYear = 2020;
        for (const TKigyo1_& c : companies)
            if (c.KCO.toInt() == 1)
                ASSERT_TRUE(SelectCompany(folder.session(), 2020, 1, c.KNA).ok);
        ASSERT_TRUE(folder.session().companyOpen());
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
    ASSERT_TRUE(WritePayGapCsv(screen.result, screenCsv).ok);

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
    EXPECT_TRUE(lines[4].startsWith("女性管理職比率,"));
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
