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
#include "support/TestProject.h"
#include "support/XlsxReadBack.h"

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

// The closing message of a file written to a path the user named, as the tool prints it.
QString toldFile(const QString& what, const QString& path)
{
    return CsvWrittenToFileMessage(what, path).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

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
        ASSERT_NO_FATAL_FAILURE(StoreWagePlotOfEveryone(at(year, code)));
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
          "pay-gap", "rollover", "restore"})
        EXPECT_TRUE(r.out.contains(QStringLiteral("wageloom-batch ") + QString::fromLatin1(command))) << command;
    // Each chart ID of plot --chart with its name.
    for (const char* chart : {"1010 賃金プロット", "1020 昇給カーブの分析", "1030 生計費との比較",
                              "1040 モデル賃金との比較", "1050 昇給カーブの設計", "1060 昇給曲線の設定",
                              "1070 最適賃金"})
        EXPECT_TRUE(r.out.contains(QString::fromUtf8(chart))) << chart;
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
         QStringLiteral("--csv か --xlsx か --pdf のどれか一つを指定して下さい。")},
        {{"plot", "--year", "2020", "--company", "1", "--chart", "1080", "--png", "p.png"},
         QStringLiteral("--chart は 1010")},
        {{"plot", "--year", "2020", "--company", "1", "--chart", "1010", "--png", "p.png", "--size", "big"},
         QStringLiteral("--size は")},
        // Below 640 x 400 a plot is unreadable.
        {{"plot", "--year", "2020", "--company", "1", "--chart", "1010", "--png", "p.png", "--size", "300x200"},
         QStringLiteral("--size は 幅x高さ (幅 640 から 10000、高さ 400 から 10000 ピクセル)")},
        {{"plot", "--year", "2020", "--company", "1", "--chart", "1010", "--png", "p.png", "--size", "639x400"},
         QStringLiteral("--size は")},
        {{"plot", "--year", "2020", "--company", "1", "--chart", "1010", "--png", "p.png", "--size", "640x399"},
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
         QStringLiteral("--csv か --xlsx か --pdf のどれか一つを指定して下さい。")},
        {{"wage-table", "--year", "2020", "--company", "1", "--table", "1", "--csv", "a", "--encoding", "euc"},
         QStringLiteral("--encoding は sjis か utf8 を指定して下さい: euc")},
        {{"report", "salary-list", "--year", "2020", "--company", "1", "--xlsx", "r.xlsx", "--encoding", "utf8"},
         QStringLiteral("--encoding は CSV の出力にだけ指定できます。")},
        {{"report", "personal-wage", "--year", "2020", "--company", "1", "--xlsx", "r.xlsx"},
         QStringLiteral("個人レポートは --pdf だけです。")},
        {{"export-employees", "--year", "2020", "--company", "1", "--out", "a.csv", "--xlsx", "b.xlsx"},
         QStringLiteral("--out か --xlsx のどちらかを指定して下さい。")},
        {{"optimal-wage", "--year", "2020", "--company", "1", "--csv", "a.csv", "--xlsx", "b.xlsx"},
         QStringLiteral("--csv か --xlsx のどちらかを指定して下さい。")},
        {{"plot", "--year", "2020", "--company", "1", "--chart", "1010", "--xlsx", "p.xlsx"},
         QStringLiteral("--xlsx は plot では使えません。")},
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

    // Without --year: every year that has companies, with the year in front.
    const ToolRun all = run({"companies"});
    EXPECT_EQ(all.status, 0);
    QString expected;
    for (const char* year : {"2018", "2019", "2020"})
        expected += QString::fromLatin1(year) + QStringLiteral("\t1\tサンプル精機株式会社\n")
                    + QString::fromLatin1(year) + QStringLiteral("\t2\tサンプルサービス株式会社\n");
    EXPECT_EQ(all.out, expected);
}

TEST_F(BatchTool, EmployeeExportWritesTheMenuCommandsBytes)
{
    const QString out = folder.path("batch.csv");
    const ToolRun r = run({"export-employees", "--year", "2020", "--company", "1", "--out", out});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    // The file named with --out is the one the closing message names.
    EXPECT_TRUE(r.err.contains(toldFile(QStringLiteral("社員マスタ"), out))) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(QStringLiteral("CSVディレクトリ")));

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
    folder.openYear(2020);
    const QString staff = Scalar(folder.fdm().ACN2, "SELECT count(*) FROM MSYAIN1 WHERE NENDO = 2020 AND KCO = 1");
    EXPECT_TRUE(r.out.contains(staff + QStringLiteral(" 件"))) << r.out.toStdString();
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
    EXPECT_TRUE(refused.err.contains(QStringLiteral("2行目: ERROR 1 （社員名がありません）"))) << refused.err.toStdString();
    EXPECT_EQ(employees(2020, 2), byTool);
}

TEST_F(BatchTool, WageTableCsvIsTheScreensFile)
{
    const QString out = folder.path("table.csv");
    const ToolRun r = run({"wage-table", "--year", "2020", "--company", "1", "--table", "1", "--csv", out});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(toldFile(QStringLiteral("賃金表"), out))) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(QStringLiteral("CSVディレクトリ")));

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

// The sample companies' stored set-ups select their employees: every chart and the optimal
// wage show results on first use.
TEST_F(BatchTool, EveryChartAndTheOptimalWageShowResultsOnTheSamples)
{
    for (int company : {1, 2}) {
        for (int chart : {1010, 1020, 1030, 1040, 1050, 1060, 1070}) {
            SCOPED_TRACE(company * 10000 + chart);
            const QString out = folder.path(QStringLiteral("sample%1-%2.png").arg(company).arg(chart));
            const ToolRun r = run({"plot", "--year", "2020", "--company", QString::number(company), "--chart",
                                   QString::number(chart), "--png", out, "--size", "640x400"});
            EXPECT_EQ(r.status, 0) << r.err.toStdString();
            EXPECT_TRUE(QFile::exists(out));
        }
        const ToolRun optimal = run({"optimal-wage", "--year", "2020", "--company", QString::number(company)});
        EXPECT_EQ(optimal.status, 0) << optimal.err.toStdString();
        EXPECT_TRUE(optimal.out.contains(QStringLiteral("重相関 R=0."))) << optimal.out.toStdString();
    }
}

TEST_F(BatchTool, OptimalWageRunsTheStoredSettingsAndWritesTheResultsCsv)
{
    folder.openYear(2020);
    storeOptimalWageChoices(2020, 1);
    const QString out = folder.path("optimal.csv");
    const ToolRun r = run({"optimal-wage", "--year", "2020", "--company", "1", "--csv", out});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(toldFile(QStringLiteral("分析結果"), out))) << r.err.toStdString();
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
    ASSERT_TRUE(WriteOptimalWageCsv(s(), analysed.state, mine).ok);
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
        EXPECT_TRUE(r.err.contains(toldFile(GroupReportNamesOf(k).title, out))) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains(QStringLiteral("CSVディレクトリ")));
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

// Every table the tool writes as CSV, written again with --xlsx and read back by openpyxl:
// the same cells, typed, with their number formats, a frozen bold header and the
// document's properties.
TEST_F(BatchTool, EveryTableAsAWorkbookHoldsTheCellsOfItsCsv)
{
    folder.openYear(2020);
    storeOptimalWageChoices(2020, 1);
    struct Case {
        QStringList command;
        QString sheet;
        QString title;
        QString freeze;
        // A cell and the number format it must carry.
        int row, column;
        QString format;
        QString firstColumn;   // the type of the first data row's first cell
    };
    const QString company = QStringLiteral("サンプル精機株式会社");
    const QList<Case> cases = {
        {{"export-employees", "--year", "2020", "--company", "2"}, QStringLiteral("社員マスタ"),
         QStringLiteral("社員マスタ"), "A2", 1, 8, SheetDateFormat(1), "s"},
        {{"wage-table", "--year", "2020", "--company", "1", "--table", "1"}, QStringLiteral("賃金表 1"), QString(), "A3",
         2, 1, SheetAmountFormat, "n"},
        {{"report", "salary-list", "--year", "2020", "--company", "1", "--marks", "1-3"},
         QStringLiteral("グループ別社員賃金レポート"), QStringLiteral("グループ別社員賃金レポート"), "A2", 1, 12,
         SheetAmountFormat, "s"},
        {{"report", "raise-list", "--year", "2020", "--company", "1"}, QStringLiteral("グループ別社員昇給レポート"),
         QStringLiteral("グループ別社員昇給レポート"), "A2", 1, 3, SheetWholeFormat, "s"},
        {{"optimal-wage", "--year", "2020", "--company", "1"}, QStringLiteral("最適賃金の分析結果"),
         QStringLiteral("最適賃金の分析結果"), "A2", 1, 10, QStringLiteral("0.000%"), "n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command.join(' ').toStdString());
        const QString csv = folder.path(c.sheet + ".csv"), xlsx = folder.path(c.sheet + ".xlsx");
        const QString csvOption = c.command[0] == QLatin1String("export-employees") ? "--out" : "--csv";
        ToolRun r = run(c.command + QStringList{csvOption, csv});
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        r = run(c.command + QStringList{"--xlsx", xlsx});
        ASSERT_EQ(r.status, 0) << r.err.toStdString();

        const ReadWorkbook book = ReadXlsx(xlsx);
        ASSERT_TRUE(book.ok) << book.error.toStdString();
        const QStringList lines = ReadCsvLines(csv);
        ASSERT_GT(lines.size(), 2);
        EXPECT_EQ(DifferencesFromCsv(book, lines), QStringList());
        EXPECT_EQ(book.sheets, QStringList{c.sheet});
        EXPECT_EQ(book.freeze, c.freeze);
        const int header = c.freeze == QLatin1String("A3") ? 1 : 0;
        EXPECT_TRUE(book.at(header, 0).bold);
        EXPECT_FALSE(book.at(header + 1, 0).bold);
        if (!c.title.isEmpty()) {
            EXPECT_EQ(book.title, c.title);
        }
        EXPECT_FALSE(book.company.isEmpty());
        EXPECT_TRUE(book.subject.endsWith(QStringLiteral(" 年度"))) << book.subject.toStdString();
        EXPECT_EQ(book.at(c.row, c.column).format, c.format);
        EXPECT_EQ(book.at(header + 1, 0).type, c.firstColumn);
    }

    // The era company's workbook: a real date in era years; a wage table's 格差 in 0.0.
    const ReadWorkbook staff = ReadXlsx(folder.path(QStringLiteral("社員マスタ.xlsx")));
    EXPECT_EQ(staff.at(1, 8).type, "d");
    EXPECT_TRUE(staff.subject.startsWith(QStringLiteral("令和"))) << staff.subject.toStdString();
    const ReadWorkbook table = ReadXlsx(folder.path(QStringLiteral("賃金表 1.xlsx")));
    EXPECT_EQ(table.at(2, 2).format, SheetRatioFormat);
    EXPECT_EQ(table.at(0, 3).type, "d");   // the day of the heading
    EXPECT_EQ(table.company, company);
}

TEST_F(BatchTool, EncodingUtf8WritesTheCsvWithAByteOrderMarkAndEveryCharacter)
{
    folder.openYear(2020);
    Exec(folder.fdm().ACN2, QStringLiteral("UPDATE MSYAIN1 SET SNA = '𠮷野 花子😀' WHERE NENDO = 2020 AND KCO = 1 AND "
                                           "SCO = (SELECT min(SCO) FROM MSYAIN1 WHERE NENDO = 2020 AND KCO = 1)"));
    // Shift-JIS, the default, cannot hold the name: refused, as the window's No leaves it.
    const QString sjis = folder.path("sjis.csv"), utf8 = folder.path("utf8.csv");
    const ToolRun refused = run({"export-employees", "--year", "2020", "--company", "1", "--out", sjis});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("Shift-JIS で書けない")));
    EXPECT_FALSE(QFile::exists(sjis));

    const ToolRun done = run({"export-employees", "--year", "2020", "--company", "1", "--out", utf8, "--encoding", "utf8"});
    ASSERT_EQ(done.status, 0) << done.err.toStdString();
    EXPECT_TRUE(bytes(utf8).startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(bytes(utf8).contains(QStringLiteral("\"𠮷野 花子😀\"").toUtf8()));

    // The same for a table without texts to check: the group report in UTF-8.
    const QString report = folder.path("report.csv");
    ASSERT_EQ(run({"report", "salary-list", "--year", "2020", "--company", "1", "--csv", report, "--encoding", "utf8"})
                  .status,
              0);
    EXPECT_TRUE(bytes(report).startsWith("\xEF\xBB\xBF" + QStringLiteral("社員コード").toUtf8()));
    EXPECT_TRUE(bytes(report).contains(QStringLiteral("𠮷野 花子😀").toUtf8()));
}
