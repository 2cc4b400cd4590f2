// Every kind of PDF the program writes reads back, through an independent reader, as the
// text that was drawn: ideographs and not the radicals sharing their glyphs (課長, not
// 課⻑; 月 and 日, not ⽉ and ⽇), every page number, and the company as author.
#include "core/PdfTextMap.h"
#include "plot/ChartAnalyses.h"
#include "plot/ChartModel.h"
#include "plot/PlotPainter.h"
#include "plot/PlotPrint.h"
#include "plot/RaiseCurveDesign.h"
#include "plot/RaiseCurveDesignReport.h"
#include "projects/Companies.h"
#include "reports/GroupReports.h"
#include "reports/PersonalReports.h"
#include "reports/ReportComposer.h"
#include "shell/ProjectLookups.h"
#include "matrix/MatrixZone.h"
#include "wagetable/SalaryList.h"
#include "wagetable/SalaryListExport.h"
#include "support/PdfText.h"
#include "support/RecordedFailures.h"
#include "support/TestProgramFolder.h"
#include "support/TestProject.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QRegularExpression>

#include <functional>

#include <gtest/gtest.h>

namespace {

const QString Company = QStringLiteral("サンプル精機株式会社");

bool HasRadical(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x2E80 && c.unicode() <= 0x2FDF)
            return true;
    return false;
}

QString PdfInfo(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {path});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

class PdfText : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureGuiApplication();
        WriteAndOpenSampleCompany(folder);
    }
    Session& s() { return folder.session(); }

    // The document composed into a file of its own.
    QString compose(ReportDocument doc, const QString& name)
    {
        doc.documentPath = folder.path(name + ".pdf");
        QString error;
        EXPECT_TRUE(ComposeReport(doc, &error)) << error.toStdString();
        return doc.documentPath;
    }

    RecordedFailures failures;
    TestProgramFolder folder;
};

TEST_F(PdfText, EveryDocumentReadsAsDrawnWithItsPageNumbersAndAuthor)
{
    struct Kind {
        QString name;
        std::function<QString()> write;
        QStringList drawn;     // texts the document draws on its first page
        QString pageNumber;    // the page field with %1 for the number ('' = none)
    };
    // The employees the group and personal documents print: marks 1 to 3.
    const RangeLists lists = RangeListsForProject(s());
    GroupRanges ranges;
    ASSERT_TRUE(RangeEndOf(lists.marks, 1, ranges.markStart));
    ASSERT_TRUE(RangeEndOf(lists.marks, 3, ranges.markEnd));
    GroupFilter filter;
    QList<TSyain_> employees;
    ASSERT_TRUE(SelectGroupEmployees(s(), ranges, filter, employees).ok);
    ASSERT_FALSE(employees.isEmpty());
    const auto group = [&](GroupReportKind k, const QString& name) {
        return [&, k, name] {
            ReportDocument doc;
            QString error;
            EXPECT_TRUE(BuildGroupReport(s(), k, employees, filter, doc, &error)) << error.toStdString();
            return compose(doc, name);
        };
    };
    const auto personal = [&](PersonalReportKind k, const QString& name) {
        return [&, k, name] {
            return compose(BuildPersonalPages(s().exeFolder, k, employees.mid(0, 3), PersonalHeadingForProject(s()),
                                              LoadEmploymentForms(s()), LoadMatrixTables(s())),
                           name);
        };
    };
    const QList<Kind> kinds = {
        {"wage table",
         [&] {
             TMCHNGIN_ header;
             bool found = false;
             EXPECT_TRUE(LoadSalaryListHeader(s(), 1, header, found) && found);
             ReportDocument doc;
             EXPECT_TRUE(SalaryListDocument(s(), 1, header.TITLE, doc).ok);
             return compose(doc, "wage-table");
         },
         {QStringLiteral("等級"), QStringLiteral("月"), QStringLiteral("日")},
         QStringLiteral("PAGE-%1")},
        {"salary list", group(GroupReportKind::Salary, "salary-list"), {QStringLiteral("月"), QStringLiteral("日")},
         QStringLiteral("P. %1")},
        {"raise list", group(GroupReportKind::Raise, "raise-list"), {QStringLiteral("月"), QStringLiteral("日")},
         QStringLiteral("P. %1")},
        {"personal HR", personal(PersonalReportKind::HR, "personal-hr"), {QStringLiteral("月"), QStringLiteral("日")},
         QStringLiteral("P. %1")},
        {"personal wage", personal(PersonalReportKind::Wage, "personal-wage"),
         {QStringLiteral("月"), QStringLiteral("日")}, QStringLiteral("P. %1")},
        {"raise-curve design list",
         [&] {
             RaiseCurveDesign d;
             d.xCode = 0;
             d.yCode = 0;
             for (int n = 0; n < 3; ++n)
                 for (int k = 0; k < 6; ++k)
                     d.curves[n].points[k] = {20 + 8 * k, 180000LL + 20000 * n + 30000 * k};
             EXPECT_TRUE(SaveDesignCurves(s(), d));
             EXPECT_TRUE(RebuildDesignTable(s(), d).ok);
             ReportDocument doc;
             const Outcome prepared = PrepareDesignList(s(), d, QStringLiteral("総合職の設計"), doc);
             EXPECT_TRUE(prepared.ok) << prepared.text.toStdString();
             return compose(doc, "design-list");
         },
         {QStringLiteral("月"), QStringLiteral("日")},
         QStringLiteral("P. %1")},
        {"printed plot",
         [&] {
             StoreWagePlotOfEveryone(s());
             const ChartAnalysis analysis = AnalyseStoredChart(s(), 1010);
             EXPECT_EQ(analysis.status, SetupAnalysis::Plotted) << analysis.outcome.text.toStdString();
             const ChartModel model = OpenChart(s(), analysis.chartId);
             const ChartRanges& g = model.ranges;
             const QImage picture = RenderPlot(model, {g.Xmin, g.Xmax, g.Ymin, g.Ymax}, QSize(800, 500));
             const QString path = folder.path("plot.pdf");
             QString error;
             EXPECT_TRUE(WritePlotPdf(path, PlotPrintDataOf(s(), model), picture, 300, &error))
                 << error.toStdString();
             return path;
         },
         {QStringLiteral("年度"), QStringLiteral("月"), QStringLiteral("日")},
         QString()},
    };
    QStringList readingTitles;   // the kinds whose text holds the sample's title 課長
    for (const Kind& k : kinds) {
        SCOPED_TRACE(k.name.toStdString());
        const QString path = k.write();
        const QStringList pages = PdfPages(path);
        if (pages.join(QString()).contains(QStringLiteral("課長")))
            readingTitles << k.name;
        ASSERT_FALSE(pages.isEmpty());
        EXPECT_EQ(pages.size(), PdfPageCount(path));
        for (int i = 0; i < pages.size(); ++i) {
            SCOPED_TRACE(i + 1);
            EXPECT_FALSE(HasRadical(pages[i])) << pages[i].left(400).toStdString();
            if (!k.pageNumber.isEmpty()) {
                EXPECT_TRUE(WithoutBlanks(pages[i]).contains(WithoutBlanks(k.pageNumber.arg(i + 1))))
                    << pages[i].left(400).toStdString();
            }
        }
        for (const QString& text : k.drawn)
            EXPECT_TRUE(pages.first().contains(text)) << text.toStdString() << "\n" << pages.first().left(600).toStdString();
        EXPECT_TRUE(PdfInfo(path).contains(QStringLiteral("Author:") + QStringLiteral("         ") + Company)
                    || PdfInfo(path).contains(Company))
            << PdfInfo(path).toStdString();
    }
    // The printed plot names the grades it shows, the sample's 課長 among them.
    EXPECT_TRUE(readingTitles.contains(QStringLiteral("printed plot"))) << readingTitles.join(',').toStdString();
    EXPECT_TRUE(failures.reports.isEmpty());
}

// The radicals that name the glyphs of our ideographs in Noto Sans CJK, named back.
TEST(PdfTextMap, NamesTheIdeographThatSharesARadicalsGlyph)
{
    EnsureGuiApplication();
    const struct {
        char32_t radical, ideograph;
    } cases[] = {{0x2ED1, U'長'}, {0x2F49, U'月'}, {0x2F47, U'日'}, {0x2F2D, U'山'}, {0x2FA6, U'金'}, {0x2FBC, U'高'}};
    for (const auto& c : cases)
        EXPECT_EQ(IdeographSharingGlyph(QStringLiteral("Noto Sans CJK JP"), c.radical), c.ideograph) << int(c.radical);
}

// A lone digit after a separator keeps its glyph's name: the page field reads whole.
TEST(PdfTextMap, ADocumentKeepsEveryDigitAndIsReadableByOthers)
{
    EnsureGuiApplication();
    QTemporaryDir dir;
    const QString path = dir.filePath("plain.pdf");
    ReportTemplate tpl;
    tpl.pageWidth = 21000;
    tpl.pageHeight = 29700;
    ReportDocument doc;
    doc.documentPath = path;
    doc.docName = QStringLiteral("賃金表");
    doc.author = Company;
    ReportPage& page = doc.newPage();
    page.boxes.append({1000, 1000, 15000, 1600, AlignLeftText, QStringLiteral("　PAGE-1")});
    page.boxes.append({1000, 2000, 15000, 2600, AlignLeftText, QStringLiteral("課長　2024年12月10日　P. 1")});
    QString error;
    ASSERT_TRUE(ComposeReport(tpl, doc, &error)) << error.toStdString();
    const QStringList pages = PdfPages(path);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("PAGE-1"))) << pages[0].toStdString();
    EXPECT_TRUE(pages[0].contains(QStringLiteral("課長"))) << pages[0].toStdString();
    EXPECT_TRUE(pages[0].contains(QStringLiteral("12月10日"))) << pages[0].toStdString();
    EXPECT_TRUE(WithoutBlanks(pages[0]).contains(QStringLiteral("P.1"))) << pages[0].toStdString();
    EXPECT_TRUE(PdfInfo(path).contains(QStringLiteral("Title:")));
    EXPECT_EQ(PdfPageCount(path), 1);
}

TEST(SuggestedDocumentFileName, TitleAndCompanyWithoutItsLegalForm)
{
    const struct {
        QString title, company, file;
    } cases[] = {
        {QStringLiteral("給与一覧表"), Company, QStringLiteral("給与一覧表_サンプル精機.pdf")},
        {QStringLiteral("賃金表"), QStringLiteral("（株）山田 商店"), QStringLiteral("賃金表_山田商店.pdf")},
        {QStringLiteral("A/B"), QString(), QStringLiteral("A_B.pdf")},
        {QString(), Company, QStringLiteral("PrintSalaryList.pdf")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SuggestedDocumentFileName(c.title, c.company, QStringLiteral("PrintSalaryList.pdf")), c.file)
            << c.title.toStdString();
}

} // namespace
