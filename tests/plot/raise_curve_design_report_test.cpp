// The printed raise-curve design: lines per page, the average line, captions, the template.
#include "reports/ReportPage.h"
#include "reports/ReportTemplate.h"
#include "plot/RaiseCurveDesignReport.h"

#include <gtest/gtest.h>

namespace {

// Curve n climbs 1,000 yen a year from x = 20 over the given number of years.
RaiseCurveDesign climbing(std::initializer_list<std::pair<int, int>> curveYears)
{
    RaiseCurveDesign d;
    for (const auto& [n, years] : curveYears) {
        d.curves[n - 1].points[0] = {20, 200000};
        d.curves[n - 1].points[1] = {20 + years, 200000 + 1000LL * years};
    }
    return d;
}

// The program folder the document's paths lie under.
const QString ExeFolder = QStringLiteral("/program/");

const DesignListHeading heading = {
    {QStringLiteral("2020 年度"), QStringLiteral("サンプル精機株式会社"), QStringLiteral("試案"),
     QStringLiteral("2020年04月01日")},
    QStringLiteral("年　　齢"),
    QStringLiteral("基　本　給")};

ReportTemplate shippedTemplate()
{
    ReportTemplate tpl;
    QString error;
    EXPECT_TRUE(LoadReportTemplate(QStringLiteral(WAGELOOM_SOURCE_DATA "/Report/PrintSekkeiList.jfm"), tpl, &error))
        << error.toStdString();
    return tpl;
}

} // namespace

TEST(DesignListPages, ThirtyTwoLinesAPageAndTheAverageOnLine31)
{
    struct Case {
        const char* name;
        int years;                  // rows of curve 1 = years + 1
        QList<int> rowsPerPage;     // data lines on each page, the average apart
    };
    const Case cases[] = {
        {"one page with room for the average", 30, {31}},
        {"a full last page puts the average on a new page", 31, {32, 0}},
        {"two pages", 40, {32, 9}},
        {"a single point pair", 1, {2}},
    };
    const ReportTemplate tpl = shippedTemplate();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QList<TCHNGIN_> rows = BuildDesignRows(climbing({{1, c.years}}), QStringLiteral("1"), QStringLiteral("2020"));
        const ReportDocument doc = BuildDesignListPages(ExeFolder, rows, heading, tpl);
        EXPECT_EQ(doc.documentPath, ComposedDocumentsFolder() + QStringLiteral("wkPrintSekkeiList.pdf"));
        EXPECT_EQ(doc.templatePath, QStringLiteral("/program/Report/PrintSekkeiList.jfm"));
        EXPECT_EQ(doc.docName, QStringLiteral("昇給設計レポート"));
        EXPECT_EQ(doc.fontSize, 90);
        ASSERT_EQ(doc.pages.size(), c.rowsPerPage.size());
        int x = 20;
        for (int p = 0; p < doc.pages.size(); ++p) {
            const ReportPage& page = doc.pages[p];
            EXPECT_EQ(page.fields.value("YMD"), QStringLiteral("2020年04月01日　　P. %1").arg(p + 1));
            EXPECT_EQ(page.fields.value("NENDO"), QStringLiteral("2020 年度"));
            EXPECT_EQ(page.fields.value("CORPNAME"), QStringLiteral("サンプル精機株式会社"));
            EXPECT_EQ(page.fields.value("TITLE"), QStringLiteral("試案"));
            const bool last = p == doc.pages.size() - 1;
            ASSERT_EQ(page.rows.size(), c.rowsPerPage[p] + (last ? 1 : 0));
            for (int l = 0; l < c.rowsPerPage[p]; ++l) {
                const ReportRow& row = page.rows[l];
                EXPECT_EQ(row.line, l);
                EXPECT_EQ(row.offset, 508 * l + 200);
                EXPECT_EQ(row.cells.value("NENREI1").text, QString::number(x));
                EXPECT_EQ(row.cells.value("NENREI1").align, AlignRightText);
                ++x;
            }
            if (last) {
                const ReportRow& average = page.rows.last();
                EXPECT_EQ(average.line, 31);
                EXPECT_EQ(average.offset, 508 * 31 + 200);
                EXPECT_EQ(average.cells.value("NENREI1").text, QStringLiteral("平均"));
            }
        }
        EXPECT_EQ(x, 21 + c.years);
    }
}

TEST(DesignListPages, LinesFollowNoAcrossCurvesAndTheAverageLineSkipsEmptyCurves)
{
    // Curve 1: (20, 200,000) to (30, 250,000); curve 3: (20, 200,000) to (22, 210,000);
    // curve 4: one point only, no rows.
    RaiseCurveDesign d;
    d.curves[0].points[0] = {20, 200000};
    d.curves[0].points[1] = {30, 250000};
    d.curves[2].points[0] = {20, 200000};
    d.curves[2].points[1] = {22, 210000};
    d.curves[3].points[0] = {40, 300000};
    const QList<TCHNGIN_> rows = BuildDesignRows(d, QStringLiteral("1"), QStringLiteral("2020"));
    const ReportDocument doc = BuildDesignListPages(ExeFolder, rows, heading, shippedTemplate());
    ASSERT_EQ(doc.pages.size(), 1);
    const ReportPage& page = doc.pages[0];
    ASSERT_EQ(page.rows.size(), 12);

    const ReportRow& sixth = page.rows[5];   // NO 6: x 25 of curve 1 only
    EXPECT_EQ(sixth.cells.value("NENREI1").text, QStringLiteral("25"));
    EXPECT_EQ(sixth.cells.value("KIN1").text, QStringLiteral("225,000"));
    EXPECT_EQ(sixth.cells.value("KAKU1").text, QStringLiteral("112"));
    EXPECT_FALSE(sixth.cells.contains("NENREI3"));
    const ReportRow& second = page.rows[1];   // NO 2 of both curves
    EXPECT_EQ(second.cells.value("KIN3").text, QStringLiteral("205,000"));
    EXPECT_EQ(second.cells.value("KAKU3").text, QStringLiteral("102"));

    const ReportRow& average = page.rows.last();
    EXPECT_EQ(average.line, 31);
    EXPECT_EQ(average.cells.value("NENREI1").text, QStringLiteral("平均"));
    EXPECT_EQ(average.cells.value("KIN1").text, QStringLiteral("225,000"));
    EXPECT_EQ(average.cells.value("KAKU1").text, QStringLiteral("5,000"));
    EXPECT_EQ(average.cells.value("KIN3").text, QStringLiteral("205,000"));
    EXPECT_EQ(average.cells.value("KAKU3").text, QStringLiteral("5,000"));
    for (const char* absent : {"NENREI2", "KIN2", "NENREI4", "KIN4", "KAKU4", "NENREI5"})
        EXPECT_FALSE(average.cells.contains(absent)) << absent;
}

TEST(DesignListPages, CaptionsStandAboveEveryCurvesFieldsOnEveryPage)
{
    const ReportTemplate tpl = shippedTemplate();
    const QList<TCHNGIN_> rows = BuildDesignRows(climbing({{2, 40}}), QStringLiteral("1"), QStringLiteral("2020"));
    const ReportDocument doc = BuildDesignListPages(ExeFolder, rows, heading, tpl);
    ASSERT_EQ(doc.pages.size(), 2);
    for (const ReportPage& page : doc.pages) {
        ASSERT_EQ(page.boxes.size(), 15);
        for (int n = 1; n <= 5; ++n) {
            const struct {
                QString field;
                int align;
                QString text;
            } expected[] = {{QStringLiteral("NENREI%1").arg(n), AlignCentreText, QStringLiteral("年　　齢")},
                            {QStringLiteral("KIN%1").arg(n), AlignRightText, QStringLiteral("基　本　給")},
                            {QStringLiteral("KAKU%1").arg(n), AlignRightText, QStringLiteral("格差")}};
            for (int i = 0; i < 3; ++i) {
                const ReportTextBox& box = page.boxes[(n - 1) * 3 + i];
                const ReportRect field = tpl.fieldRect(expected[i].field);
                EXPECT_EQ(box.text, expected[i].text) << expected[i].field.toStdString();
                EXPECT_EQ(box.align, expected[i].align);
                EXPECT_EQ(box.left, field.left);
                EXPECT_EQ(box.right, field.right);
                EXPECT_EQ(box.top, field.top - 308);
                EXPECT_EQ(box.bottom, field.bottom - 308);
            }
        }
    }
}

TEST(DesignListPages, NoRowsNoPagesAndTheTemplateHoldsItsFieldsOnThePage)
{
    const ReportTemplate tpl = shippedTemplate();
    EXPECT_TRUE(BuildDesignListPages(ExeFolder, {}, heading, tpl).pages.isEmpty());
    for (const char* name : {"NENDO", "CORPNAME", "TITLE", "YMD"})
        EXPECT_TRUE(tpl.hasField(name)) << name;
    for (int n = 1; n <= 5; ++n)
        for (const QString& name : {QStringLiteral("NENREI%1"), QStringLiteral("KIN%1"), QStringLiteral("KAKU%1")}) {
            const QString field = name.arg(n);
            ASSERT_TRUE(tpl.hasField(field)) << field.toStdString();
            const ReportRect r = tpl.fieldRect(field);
            // The caption row and the average line (line 31) stay on the page.
            EXPECT_GT(r.top - 308, 0);
            EXPECT_LT(r.bottom + 508 * 31 + 200, tpl.pageHeight);
            EXPECT_LE(r.right, tpl.pageWidth);
        }
}
