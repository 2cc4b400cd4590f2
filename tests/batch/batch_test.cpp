// wageloom-batch run as a process on a temporary program folder with the sample companies:
// its files against the screens' routines, its exit statuses, usage lines and messages.
#include "employees/EmployeeExport.h"
#include "employees/ImportWorker.h"
#include "plot/ChartAnalyses.h"
#include "plot/ChartModel.h"
#include "plot/OptimalWage.h"
#include "plot/PlotPainter.h"
#include "plot/PlotPrint.h"
#include "plot/PlotSetup.h"
#include "projects/Companies.h"
#include "projects/SampleCompanies.h"
#include "raise/YearRollover.h"
#include "reports/GroupReports.h"
#include "reports/PersonalReports.h"
#include "reports/ReportComposer.h"
#include "core/CsvWriter.h"
#include "wagetable/SalaryList.h"
#include "wagetable/SalaryListExport.h"
#include "support/BatchToolRun.h"
#include "support/PdfText.h"
#include "support/RecordedFailures.h"
#include "support/TestProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <functional>

#include <gtest/gtest.h>

namespace {

// The employees of the first sample company in 2020 that carry a mark and a grade: the ones
// a set-up with every mark and grade ticked selects.
const QString EveryMarkAndGrade = QStringLiteral(
    "SELECT count(*) FROM VSYAIN WHERE NENDO = 2020 AND KCO = 1 AND TCO BETWEEN 1 AND 9 AND MCO BETWEEN 1 AND 9");

QByteArray bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class BatchTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(WriteSampleCompanies(folder.session(), &error)) << error.toStdString();
    }

    // Runs the tool on the temporary program folder.
    ToolRun run(const QStringList& arguments) { return RunBatchTool(folder.path(), arguments); }

    // Opens a sample company in this process's session, as the company list does.
    void open(int year, int code)
    {
        QList<TKigyo1_> companies;
        ASSERT_TRUE(LoadCompanyList(s(), year, companies));
        s().fiscalYear = year;
        for (const TKigyo1_& c : companies)
            if (c.KCO.toInt() == code) {
                ASSERT_TRUE(SelectCompany(s(), year, code, c.KNA).ok);
            }
        ASSERT_TRUE(s().companyOpen());
    }
    Session& s() { return folder.session(); }
    // The folder's session on a year and company, without opening the project.
    Session at(int year, int code)
    {
        Session x = s();
        x.fiscalYear = year;
        x.companyCode = code;
        return x;
    }

    // Every employee column of a company, SCO order, for comparing two imports.
    QString employees(int year, int code)
    {
        const QString where = QStringLiteral(" WHERE NENDO = %1 AND KCO = %2 ORDER BY SCO").arg(year).arg(code);
        return Scalar(folder.fdm().ACN2, "SELECT group_concat(r, '\n') FROM (SELECT SCO || '|' || SCOT || '|' || SNA "
                                         "|| '|' || SEIHI || '|' || NYUHI || '|' || YAKU || '|' || TCO || '|' || "
                                         "NEWDAY1 AS r FROM MSYAIN1" + where + ")")
               + Scalar(folder.fdm().ACN2, "SELECT group_concat(r, '\n') FROM (SELECT SCO || '|' || SEIBETSU || '|' "
                                           "|| TOUKYU || '|' || SM1 || '|' || SM2 || '|' || GAKU || '|' || KEIKEN "
                                           "AS r FROM MSYAIN2" + where + ")");
    }

    // The wage plot of the sample company set to show every mark and grade.
    void storeWagePlotChoices(int year, int code)
    {
        const PlotSetupVariant& v = *SetupVariant(1010);
        PlotSetupChoices c;
        ASSERT_TRUE(LoadSetupChoices(at(year, code), v, c));
        c.marks.fill(true);
        c.grades.fill(true);
        c.form = 4;   // every employment form
        c.sex = 2;
        c.wageTable = 0;
        c.fx = 0;     // 年齢
        c.fy = 2;
        ASSERT_TRUE(SaveSetupChoices(at(year, code), v, c, true));
    }

    void storeOptimalWageChoices(int year, int code)
    {
        const PlotSetupVariant& v = *SetupVariant(1070);
        PlotSetupChoices c;
        ASSERT_TRUE(LoadSetupChoices(at(year, code), v, c));
        Exec(folder.fdm().ACN2, QStringLiteral("UPDATE MCHART SET FCHK = '111111111', TOUKYU = '111111111', "
                                               "FX = '110010000', FY = '2', MIBUN = 4, SEX = 2, SKCO = 0 WHERE CHCO = 1070 AND KCO = %1 AND NENDO = %2")
                                    .arg(code)
                                    .arg(year));
    }

    RecordedFailures failures;
    TestProgramFolder folder;
    QString error;
};

TEST_F(BatchTool, HelpListsEveryCommand)
{
    const ToolRun r = run({QStringLiteral("--help")});
    EXPECT_EQ(r.status, 0);
    for (const char* command :
         {"companies", "export-employees", "import-employees", "wage-table", "report", "plot", "optimal-wage",
          "rollover", "restore"})
        EXPECT_TRUE(r.out.contains(QStringLiteral("wageloom-batch ") + QString::fromLatin1(command))) << command;
}

TEST_F(BatchTool, BadArgumentsGiveStatusTwoAndAUsageLine)
{
    struct Case {
        QStringList arguments;
        QString message;
    };
    const QList<Case> cases = {
        {{}, QStringLiteral("コマンドを指定して下さい。")},
        {{"frobnicate"}, QStringLiteral("不明なコマンドです: frobnicate")},
        {{"export-employees", "--year", "2020"}, QStringLiteral("--company を指定して下さい。")},
        {{"export-employees", "--year", "二千", "--company", "1"}, QStringLiteral("--year には正の整数を指定して下さい")},
        {{"export-employees", "--year", "2020", "--company", "1", "--file", "x.csv"},
         QStringLiteral("--file は export-employees では使えません。")},
        {{"import-employees", "--year", "2020", "--company", "1", "--file", "x.csv", "--replace", "--add"},
         QStringLiteral("--replace か --add のどれか一つを指定して下さい。")},
        {{"import-employees", "--year", "2020", "--company", "1", "--file", "x.csv"},
         QStringLiteral("--replace か --add のどれか一つを指定して下さい。")},
        {{"wage-table", "--year", "2020", "--company", "1", "--table", "1"},
         QStringLiteral("--csv か --pdf のどれか一つを指定して下さい。")},
        {{"plot", "--year", "2020", "--company", "1", "--chart", "1080", "--png", "p.png"},
         QStringLiteral("--chart は 1010")},
        {{"plot", "--year", "2020", "--company", "1", "--chart", "1010", "--png", "p.png", "--size", "big"},
         QStringLiteral("--size は")},
        {{"optimal-wage", "--year", "2020", "--company", "1", "--csv"}, QStringLiteral("--csv に値がありません。")},
        {{"companies", "--verbose"}, QStringLiteral("不明なオプションです: --verbose")},
        {{"report", "--year", "2020", "--company", "1", "--pdf", "r.pdf"}, QStringLiteral("KIND を指定して下さい。")},
        {{"report", "bonus-list", "--year", "2020", "--company", "1", "--pdf", "r.pdf"},
         QStringLiteral("KIND は salary-list")},
        {{"report", "personal-hr", "--year", "2020", "--company", "1", "--csv", "r.csv"},
         QStringLiteral("個人レポートは --pdf だけです。")},
        {{"report", "salary-list", "--year", "2020", "--company", "1", "--marks", "0-3", "--pdf", "r.pdf"},
         QStringLiteral("--marks は 開始-終了")},
        {{"wage-table", "--year", "2020", "--company", "1", "--table", "1", "--csv", "a", "--pdf", "b"},
         QStringLiteral("--csv か --pdf のどれか一つを指定して下さい。")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const ToolRun r = run(c.arguments);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("使い方: wageloom-batch"))) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_TRUE(QDir(folder.path("CSV")).isEmpty());
}

TEST_F(BatchTool, UnknownCompanyIsRefusedWithItsMessageAndNoFile)
{
    const QString out = folder.path("CSV/out");
    const QList<QStringList> commands = {
        {"export-employees", "--out", out},
        {"wage-table", "--table", "1", "--csv", out},
        {"plot", "--chart", "1010", "--png", out},
        {"optimal-wage", "--csv", out},
        {"import-employees", "--file", out, "--add"},
        {"report", "salary-list", "--pdf", out},
    };
    for (QStringList c : commands) {
        SCOPED_TRACE(c.first().toStdString());
        c << QStringLiteral("--year") << QStringLiteral("2020") << QStringLiteral("--company") << QStringLiteral("9");
        const ToolRun r = run(c);
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.err.contains(QStringLiteral("企業マスターが存在しません。"))) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(out));
    }
    // A year without a database is refused the same way.
    const ToolRun r = run({"export-employees", "--year", "2011", "--company", "1", "--out", out});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(BatchTool, CompaniesOfAYear)
{
    const ToolRun r = run({"companies", "--year", "2019"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, QStringLiteral("1\tサンプル精機株式会社\n2\tサンプルサービス株式会社\n"));
    EXPECT_EQ(run({"companies", "--year", "2031"}).out, QString());
}

TEST_F(BatchTool, EmployeeExportWritesTheMenuCommandsBytes)
{
    const QString out = folder.path("batch.csv");
    const ToolRun r = run({"export-employees", "--year", "2020", "--company", "1", "--out", out});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("CSVデレクトリに社員マスタが出力されました。")));

    open(2020, 1);
    ASSERT_TRUE(WriteEmployeeMaster(s(), EmployeeExportPath(s()), true).ok);
    const QByteArray screen = bytes(EmployeeExportPath(s()));
    ASSERT_FALSE(screen.isEmpty());
    EXPECT_EQ(bytes(out), screen);
}

TEST_F(BatchTool, EmployeeImportMatchesTheImportScreenAndRefusesAFaultyFile)
{
    // The file: the first company's employees as the export writes them.
    const QString file = folder.path("staff.csv");
    ASSERT_EQ(run({"export-employees", "--year", "2020", "--company", "1", "--out", file}).status, 0);

    const ToolRun r = run({"import-employees", "--year", "2020", "--company", "2", "--file", file, "--replace"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("150 件")));
    folder.openYear(2020);
    const QString byTool = employees(2020, 2);
    EXPECT_TRUE(byTool.contains(QStringLiteral("山口　剛")));

    // The screen's routines on the same file give the same rows.
    const ImportCheck check = CheckImportFile(file);
    ASSERT_TRUE(check.importable());
    ASSERT_TRUE(ImportEmployees(folder.fdm().ACN2, 2, 2020, check.rows, ImportMode::Replace, s().today).ok);
    EXPECT_EQ(employees(2020, 2), byTool);

    // A row without a name: refused, its row reported, nothing imported.
    QFile bad(folder.path("bad.csv"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QStringLiteral("社員番号,社員名\r\n1,\r\n").toUtf8());
    bad.close();
    const ToolRun refused = run({"import-employees", "--year", "2020", "--company", "2", "--file", bad.fileName(), "--add"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("エラーが存在するので取込できません。"))) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(QStringLiteral("2行目: ERROR")));
    EXPECT_EQ(employees(2020, 2), byTool);
}

TEST_F(BatchTool, WageTableCsvIsTheScreensFile)
{
    const QString out = folder.path("table.csv");
    const ToolRun r = run({"wage-table", "--year", "2020", "--company", "1", "--table", "1", "--csv", out});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();

    open(2020, 1);
    TMCHNGIN_ header;
    bool found = false;
    ASSERT_TRUE(LoadSalaryListHeader(s(), 1, header, found));
    ASSERT_TRUE(found);
    QString screenPath;
    ASSERT_TRUE(ExportSalaryListCsv(s(), 1, header.TITLE, QString(), &screenPath).ok);
    EXPECT_TRUE(screenPath.endsWith(QStringLiteral("CSV/賃金表.CSV")));
    ASSERT_FALSE(bytes(screenPath).isEmpty());
    EXPECT_EQ(bytes(out), bytes(screenPath));

    // A table that does not exist: the command's message, no file.
    const ToolRun none = run({"wage-table", "--year", "2020", "--company", "1", "--table", "7", "--csv", out + "7"});
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(none.err.contains(QStringLiteral("印刷対象データはありません。")));
    EXPECT_FALSE(QFile::exists(out + "7"));
}

TEST_F(BatchTool, PlotPngIsThePlotWindowsPicture)
{
    folder.openYear(2020);
    storeWagePlotChoices(2020, 1);
    const QString out = folder.path("plot.png");
    const ToolRun r = run({"plot", "--year", "2020", "--company", "1", "--chart", "1010", "--png", out, "--size", "800x600"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    const QImage byTool(out);
    ASSERT_EQ(byTool.size(), QSize(800, 600));

    // The same chart opened and rendered in this process, as the plot window does.
    EnsureGuiApplication();
    open(2020, 1);
    const ChartAnalysis analysis = AnalyseStoredChart(s(), 1010);
    ASSERT_EQ(analysis.status, SetupAnalysis::Plotted);
    ASSERT_EQ(analysis.chartId, 1010);
    const ChartModel model = OpenChart(s(), analysis.chartId);
    EXPECT_EQ(QString::number(model.points.size()), Scalar(folder.fdm().ACN2, EveryMarkAndGrade));
    const ChartRanges& g = model.ranges;
    const QImage screen = RenderPlot(model, {g.Xmin, g.Xmax, g.Ymin, g.Ymax}, QSize(800, 600));
    EXPECT_EQ(byTool.convertToFormat(QImage::Format_RGB32), screen.convertToFormat(QImage::Format_RGB32));

    // Choices that select nobody: the set-up's message and no picture.
    Exec(folder.fdm().ACN2, "UPDATE MCHART SET FCHK = '000000000' WHERE CHCO = 1010");
    const ToolRun empty = run({"plot", "--year", "2020", "--company", "1", "--chart", "1010", "--png", out + "2"});
    EXPECT_EQ(empty.status, 1);
    EXPECT_TRUE(empty.err.contains(NoPlotDataMessage));
    EXPECT_FALSE(QFile::exists(out + "2"));
}

TEST_F(BatchTool, OptimalWageRunsTheStoredSettingsAndWritesTheResultsCsv)
{
    folder.openYear(2020);
    storeOptimalWageChoices(2020, 1);
    const QString out = folder.path("optimal.csv");
    const ToolRun r = run({"optimal-wage", "--year", "2020", "--company", "1", "--csv", out});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("目的変数 :\t基本給")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("重相関 R=0.")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("補正  R2=0.")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("分析結果\t分析精度の判定")));
    // Written back to the analysed employees.
    EXPECT_EQ(Scalar(folder.fdm().ACN2, "SELECT count(*) FROM MSYAIN2 WHERE NENDO = 2020 AND KCO = 1 AND FITNO = 3"),
              Scalar(folder.fdm().ACN2, EveryMarkAndGrade));

    open(2020, 1);
    const OptimalWageRun analysed = RunStoredOptimalWage(s());
    ASSERT_TRUE(analysed.outcome.ok) << analysed.outcome.text.toStdString();
    const QString mine = OptimalWageCsvPath(s().exeFolder);
    ASSERT_TRUE(WriteOptimalWageCsv(analysed.state, mine).ok);
    ASSERT_FALSE(bytes(mine).isEmpty());
    EXPECT_EQ(bytes(out), bytes(mine));

    // Without explanatory variables: the analysis's message, status 1, no file.
    Exec(folder.fdm().ACN2, "UPDATE MCHART SET FX = '000000000' WHERE CHCO = 1070");
    const ToolRun refused = run({"optimal-wage", "--year", "2020", "--company", "1", "--csv", out + "2"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains(NoExplanatoryMessage));
    EXPECT_FALSE(QFile::exists(out + "2"));
}

TEST_F(BatchTool, WageTablePdfHasTheScreensText)
{
    EnsureGuiApplication();
    const QString out = folder.path("table.pdf");
    const ToolRun r = run({"wage-table", "--year", "2020", "--company", "1", "--table", "2", "--pdf", out});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();

    open(2020, 1);
    TMCHNGIN_ header;
    bool found = false;
    ASSERT_TRUE(LoadSalaryListHeader(s(), 2, header, found));
    ReportDocument doc;
    ASSERT_TRUE(SalaryListDocument(s(), 2, header.TITLE, doc).ok);
    QString error;
    ASSERT_TRUE(ComposeReport(doc, &error)) << error.toStdString();
    const QStringList screen = PdfPages(doc.documentPath);
    ASSERT_FALSE(screen.isEmpty());
    EXPECT_EQ(PdfPages(out), screen);
}

TEST_F(BatchTool, ReportsHaveTheReportScreensTextAndCsv)
{
    EnsureGuiApplication();
    open(2020, 1);
    const RangeLists lists = RangeListsForProject(s());
    GroupRanges ranges;
    ASSERT_TRUE(RangeEndOf(lists.marks, 1, ranges.markStart));
    ASSERT_TRUE(RangeEndOf(lists.marks, 3, ranges.markEnd));
    GroupFilter filter;
    QList<TSyain_> employees;
    ASSERT_TRUE(SelectGroupEmployees(s(), ranges, filter, employees).ok);
    ASSERT_FALSE(employees.isEmpty());

    struct Case {
        QString kind;
        std::function<ReportDocument()> screen;
    };
    const auto group = [&](GroupReportKind k) {
        return [&, k] {
            ReportDocument doc;
            QString error;
            EXPECT_TRUE(BuildGroupReport(s(), k, employees, filter, doc, &error)) << error.toStdString();
            return doc;
        };
    };
    const auto personal = [&](PersonalReportKind k) {
        return [&, k] {
            return BuildPersonalPages(s().exeFolder, k, employees, PersonalHeadingForProject(s()),
                                      LoadEmploymentForms(s()), LoadMatrixTables(s()));
        };
    };
    const QList<Case> cases = {{"salary-list", group(GroupReportKind::Salary)},
                               {"raise-list", group(GroupReportKind::Raise)},
                               {"personal-hr", personal(PersonalReportKind::HR)},
                               {"personal-wage", personal(PersonalReportKind::Wage)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind.toStdString());
        const QString out = folder.path(c.kind + ".pdf");
        const ToolRun r = run({"report", c.kind, "--year", "2020", "--company", "1", "--marks", "1-3", "--pdf", out});
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        const ReportDocument doc = c.screen();
        QString error;
        ASSERT_TRUE(ComposeReport(doc, &error)) << error.toStdString();
        const QStringList screen = PdfPages(doc.documentPath);
        ASSERT_FALSE(screen.isEmpty());
        EXPECT_EQ(PdfPages(out), screen);
    }

    for (const auto& [kind, k] : {std::pair{QStringLiteral("salary-list"), GroupReportKind::Salary},
                                  std::pair{QStringLiteral("raise-list"), GroupReportKind::Raise}}) {
        SCOPED_TRACE(kind.toStdString());
        const QString out = folder.path(kind + ".csv");
        const ToolRun r = run({"report", kind, "--year", "2020", "--company", "1", "--marks", "1-3", "--csv", out});
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        QString path, error;
        ASSERT_TRUE(WriteGroupReportCsv(s(), k, employees, path, &error));
        ASSERT_FALSE(bytes(path).isEmpty());
        EXPECT_EQ(bytes(out), bytes(path));
    }

    // A range whose end lies before its start: the screen's refusal, no file.
    const QString out = folder.path("refused.pdf");
    const ToolRun refused = run({"report", "salary-list", "--year", "2020", "--company", "1", "--marks", "3-1", "--pdf", out});
    EXPECT_EQ(refused.status, 1);
    EXPECT_FALSE(refused.err.isEmpty());
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(BatchTool, RolloverCarriesTheCompanyOnceAndRefusesASecondTime)
{
    const ToolRun done = run({"rollover", "--year", "2020", "--company", "1"});
    EXPECT_EQ(done.status, 0) << done.err.toStdString();
    EXPECT_TRUE(done.err.contains(RolloverDoneMessage)) << done.err.toStdString();

    // The next year lists the company and holds as many employees as the year it came from.
    const ToolRun listed = run({"companies", "--year", "2021"});
    EXPECT_EQ(listed.status, 0);
    EXPECT_TRUE(listed.out.startsWith(QStringLiteral("1\t"))) << listed.out.toStdString();
    const QString before = folder.path("2020.csv"), after = folder.path("2021.csv");
    EXPECT_EQ(run({"export-employees", "--year", "2020", "--company", "1", "--out", before}).status, 0);
    EXPECT_EQ(run({"export-employees", "--year", "2021", "--company", "1", "--out", after}).status, 0);
    EXPECT_GT(bytes(before).count('\n'), 1);
    EXPECT_EQ(bytes(after).count('\n'), bytes(before).count('\n'));

    const ToolRun again = run({"rollover", "--year", "2020", "--company", "1"});
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(again.err.contains(RolloverExistsMessage.left(10))) << again.err.toStdString();
}

TEST_F(BatchTool, PlotPdfIsThePrintedPageOfThePlotWindow)
{
    folder.openYear(2020);
    storeWagePlotChoices(2020, 1);
    const QString out = folder.path("plot.pdf");
    const ToolRun r = run({"plot", "--year", "2020", "--company", "1", "--chart", "1010", "--pdf", out});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();

    // The same page printed in this process from the plot the window would show.
    EnsureGuiApplication();
    open(2020, 1);
    const ChartAnalysis analysis = AnalyseStoredChart(s(), 1010);
    ASSERT_EQ(analysis.status, SetupAnalysis::Plotted);
    const ChartModel model = OpenChart(s(), analysis.chartId);
    const ChartRanges& g = model.ranges;
    const QImage picture = RenderPlot(model, {g.Xmin, g.Xmax, g.Ymin, g.Ymax}, QSize(1600, 1000));
    const QString mine = folder.path("mine.pdf");
    QString error;
    ASSERT_TRUE(WritePlotPdf(mine, PlotPrintDataOf(s(), model), picture, 600, &error))
        << error.toStdString();
    const QStringList pages = PdfPages(out);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_FALSE(pages.first().trimmed().isEmpty());
    EXPECT_EQ(pages, PdfPages(mine));
}

} // namespace
