// The combined wage table's pages and the CSV lines of a generated table.
#include "wagetable/SalaryListExport.h"
#include "wagetable/SalaryListReport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Steps 1..n; grade 1 climbs 1,000 a step from 200,000, grade 2 exists from step 3 on.
QList<TCHNGIN2_> table(int n)
{
    QList<TCHNGIN2_> rows;
    for (int s = 1; s <= n; ++s) {
        TCHNGIN2_ r;
        r.GOUHOU = QString::number(s);
        r.KIN1 = QString::number(200000 + (s - 1) * 1000);
        r.KS1 = QString::number(100 + (s - 1) / 2);
        r.KIN2 = QString::number(s >= 3 ? 300000 + (s - 3) * 3000 : 0);
        r.KS2 = QString::number(s >= 3 ? 100 + s - 3 : 0);
        for (QString* f : {&r.KIN3, &r.KS3, &r.KIN4, &r.KS4, &r.KIN5, &r.KS5, &r.KIN6, &r.KS6, &r.KIN7, &r.KS7,
                           &r.KIN8, &r.KS8, &r.KIN9, &r.KS9})
            *f = QStringLiteral("0");
        rows << r;
    }
    return rows;
}

const QString programFolder = QStringLiteral("/opt/wageloom/");

const SalaryListHeading heading = {QStringLiteral("2024 年度"), QStringLiteral("テスト株式会社"),
                                   QStringLiteral("総合職"), QStringLiteral("2024年04月01日")};

} // namespace

TEST(SalaryListPages, ThirtyTwoLinesAPageWithTheAverageOnLine31)
{
    struct Case {
        int steps;
        QList<int> rowsPerPage;   // table rows on each page (the average line apart)
        int averagePage;
    };
    const Case cases[] = {{40, {32, 8}, 2}, {32, {32, 0}, 2}, {31, {31}, 1}, {1, {1}, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.steps);
        const ReportDocument doc = BuildSalaryListPages(programFolder, table(c.steps), heading);
        ASSERT_EQ(doc.pages.size(), c.rowsPerPage.size());
        int step = 1;
        for (int p = 0; p < doc.pages.size(); ++p) {
            const ReportPage& page = doc.pages[p];
            EXPECT_EQ(page.number, p + 1);
            EXPECT_EQ(page.fields.value("PAGE"), QStringLiteral("　PAGE-%1").arg(p + 1));
            EXPECT_EQ(page.fields.value("NENDO"), QStringLiteral("2024 年度"));
            EXPECT_EQ(page.fields.value("CORPNAME"), QStringLiteral("テスト株式会社"));
            EXPECT_EQ(page.fields.value("TITLE"), QStringLiteral("総合職"));
            EXPECT_EQ(page.fields.value("YMD"), QStringLiteral("2024年04月01日"));
            int tableRows = 0;
            for (const ReportRow& l : page.rows) {
                if (l.cells.value("GOU").text == QStringLiteral("平均"))
                    continue;
                EXPECT_EQ(l.line, tableRows);
                EXPECT_EQ(l.offset, 508 * tableRows + 100);
                EXPECT_EQ(l.cells.value("GOU").text, QString::number(step++));
                for (const ReportCell& cell : l.cells)
                    EXPECT_EQ(cell.align, AlignRightText);
                ++tableRows;
            }
            EXPECT_EQ(tableRows, c.rowsPerPage[p]);
        }
        const ReportRow& avg = doc.pages[c.averagePage - 1].rows.last();
        EXPECT_EQ(avg.line, 31);
        EXPECT_EQ(avg.offset, 508 * 31 + 100);
        EXPECT_EQ(avg.cells.value("GOU").text, QStringLiteral("平均"));
    }
}

TEST(SalaryListPages, FormatsAndAverages)
{
    const ReportDocument doc = BuildSalaryListPages(programFolder, table(40), heading);
    EXPECT_EQ(doc.docName, QStringLiteral("賃金表"));
    EXPECT_EQ(doc.templatePath, QStringLiteral("/opt/wageloom/Report/PrintSalaryList.jfm"));
    EXPECT_EQ(doc.documentPath, ComposedDocumentsFolder() + QStringLiteral("wkPrintSalaryList.pdf"));
    const QStringList fields = SalaryListRowFields();
    EXPECT_EQ(fields.size(), 19);
    EXPECT_EQ(fields.last(), QStringLiteral("KAKU9"));
    auto cell = [](const ReportRow& row, const char* field) { return row.cells.value(field).text; };
    const ReportRow& first = doc.pages[0].rows[0];
    EXPECT_EQ(cell(first, "KIN1"), QStringLiteral("200,000"));
    EXPECT_EQ(cell(first, "KAKU1"), QStringLiteral("100"));
    EXPECT_EQ(cell(first, "KIN2"), QString());    // 0 is left blank
    EXPECT_EQ(cell(first, "KAKU2"), QString());
    EXPECT_EQ(cell(first, "KIN9"), QString());

    const ReportRow& avg = doc.pages[1].rows.last();
    // grade 1: 200,000 .. 239,000 over 40 steps; grade 2: 300,000 .. 411,000 over 38 steps
    EXPECT_EQ(cell(avg, "KIN1"), QStringLiteral("219,500"));
    EXPECT_EQ(cell(avg, "KAKU1"), QStringLiteral("1,000"));
    EXPECT_EQ(cell(avg, "KIN2"), QStringLiteral("355,500"));
    EXPECT_EQ(cell(avg, "KAKU2"), QStringLiteral("3,000"));
    EXPECT_EQ(cell(avg, "KIN3"), QString());
    EXPECT_EQ(cell(avg, "KAKU3"), QString());

    // A grade with a single amount has an average but no increment.
    const ReportRow& one = BuildSalaryListPages(programFolder, table(3), heading).pages[0].rows.last();
    EXPECT_EQ(cell(one, "KIN2"), QStringLiteral("300,000"));
    EXPECT_EQ(cell(one, "KAKU2"), QString());

    EXPECT_TRUE(BuildSalaryListPages(programFolder, {}, heading).pages.isEmpty());
}

TEST(SalaryListCsv, HeadingColumnsAndRows)
{
    const QStringList lines = SalaryListCsvLines(table(2), heading);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("2024 年度,テスト株式会社,総合職,2024年04月01日"));
    EXPECT_EQ(lines[1], QStringLiteral("号俸,１等級,格差,２等級,格差,３等級,格差,４等級,格差,５等級,格差,６等級,格差,"
                                       "７等級,格差,８等級,格差,９等級,格差"));
    EXPECT_EQ(lines[2], QStringLiteral("1,200000,100,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0"));
    EXPECT_EQ(lines[3].split(',').size(), 19);

    // A title with a comma stays one field.
    SalaryListHeading withComma = heading;
    withComma.title = QStringLiteral("総合職,技能職");
    EXPECT_EQ(SalaryListCsvLines({}, withComma)[0].split(QStringLiteral("\"総合職,技能職\"")).size(), 2);
}

TEST(SalaryListCsv, FirstFreeFileName)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto touch = [&](const QString& name) {
        QFile f(QDir(dir.path()).filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    };
    EXPECT_EQ(QFileInfo(NextSalaryListCsvPath(dir.path())).fileName(), QStringLiteral("賃金表.CSV"));
    touch(QStringLiteral("賃金表.CSV"));
    EXPECT_EQ(QFileInfo(NextSalaryListCsvPath(dir.path())).fileName(), QStringLiteral("賃金表2.CSV"));
    touch(QStringLiteral("賃金表2.CSV"));
    touch(QStringLiteral("賃金表4.CSV"));
    EXPECT_EQ(QFileInfo(NextSalaryListCsvPath(dir.path())).fileName(), QStringLiteral("賃金表3.CSV"));
}
