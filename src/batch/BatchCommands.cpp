// The commands of wageloom-batch: arguments, program folder, and each command's run.
#include "batch/BatchCommands.h"

#include "core/SheetTable.h"
#include "employees/EmployeeExport.h"
#include "employees/ImportWorker.h"
#include "paygap/PayGapReport.h"
#include "plot/ChartAnalyses.h"
#include "plot/ChartModel.h"
#include "plot/OptimalWage.h"
#include "plot/PlotPainter.h"
#include "plot/PlotPrint.h"
#include "plot/PlotSetup.h"
#include "projects/Companies.h"
#include "raise/YearRollover.h"
#include "reports/GroupReports.h"
#include "reports/PersonalReports.h"
#include "reports/ReportComposer.h"
#include "shell/RestorePoints.h"
#include "shell/Session.h"
#include "shell/WriterLock.h"
#include "store/Conversions.h"
#include "store/DataModule.h"
#include "wagetable/SalaryList.h"
#include "wagetable/SalaryListExport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QRegularExpression>

#include <functional>
#include <optional>

// ---------------------------------------------------------------- arguments

namespace {

// The charts whose set-up the tool can run from the stored settings.
const QList<int> PlottableCharts = {1010, 1020, 1030, 1040, 1050, 1060, 1070};
// The picture size of plot --png without --size, and the smallest readable one.
const QSize DefaultPlotSize(1600, 1000);
const QSize SmallestPlotSize(640, 400);

struct Arguments {
    QString command;
    QStringList positional;
    QMap<QString, QString> values;  // "--year" -> "2020"
    QStringList flags;              // "--replace"
};

// A usage error: its message, then the usage line of the command (or all of them).
struct UsageError {
    QString message;
};

struct Command {
    QString name;
    QString synopsis;
    QStringList required;      // options with a value that must be given
    QStringList optional;      // options with a value that may be given
    QStringList flags;         // options without a value
    int positionals = 0;       // words after the command name
    std::function<int(const Arguments&, struct Batch&)> run;
};

// What a command works with: the session on the program folder (a project once the
// command has opened one), its output and the stream its messages go to.
struct Batch {
    Session session;
    QTextStream& out;
    QTextStream& err;

    // Writes a message as a box would show it (line breaks as new lines), nothing for none.
    void write(const QString& text)
    {
        if (text.isEmpty())
            return;
        QString plain = text;
        plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace('\r', '\n');
        err << plain << '\n';
        err.flush();
    }
    // Tells the outcome's message; true when it is a success.
    bool tell(const Outcome& outcome)
    {
        write(outcome.text);
        return outcome.ok;
    }
};

const QStringList ValueOptions = {"--folder", "--year",  "--company", "--out",   "--file",  "--table",
                                  "--csv",    "--xlsx",  "--encoding", "--png",  "--pdf",   "--chart",
                                  "--size",   "--marks", "--grades",   "--forms",    "--id"};

// A positive whole number given with an option.
int PositiveNumber(const Arguments& a, const QString& option)
{
    bool ok = false;
    const int n = a.values.value(option).toInt(&ok);
    if (!ok || n <= 0)
        throw UsageError{option + QStringLiteral(" には正の整数を指定して下さい: ") + a.values.value(option)};
    return n;
}

// Exactly one of the options must be given; its name is returned.
QString OneOf(const Arguments& a, const QStringList& options)
{
    QStringList given;
    for (const QString& o : options)
        if (a.values.contains(o) || a.flags.contains(o))
            given << o;
    if (given.size() != 1)
        throw UsageError{options.join(QStringLiteral(" か ")) + QStringLiteral(" のどれか一つを指定して下さい。")};
    return given.first();
}

// The file format of a table written with the output option (--csv or --out: CSV, --xlsx:
// workbook): the CSV in --encoding sjis (the default) or utf8; --encoding with anything
// but a CSV is a usage error.
TableFileFormat TableFormatOf(const Arguments& a, const QString& output)
{
    TableFileFormat format;
    format.kind = output == QLatin1String("--xlsx") ? SheetFileKind::Xlsx : SheetFileKind::Csv;
    if (!a.values.contains(QStringLiteral("--encoding")))
        return format;
    const QString name = a.values.value(QStringLiteral("--encoding"));
    if (!CsvEncodingFromName(name, format.encoding))
        throw UsageError{QStringLiteral("--encoding は sjis か utf8 を指定して下さい: ") + name};
    if (output != QLatin1String("--csv") && output != QLatin1String("--out"))
        throw UsageError{QStringLiteral("--encoding は CSV の出力にだけ指定できます。")};
    return format;
}

// An output file path as given, made absolute against the working folder.
QString OutputPath(const Arguments& a, const QString& option)
{
    return QFileInfo(a.values.value(option)).absoluteFilePath();
}

// The company of --year and --company from the year's company list; its name, or nothing
// (with the company list's message) when the year does not list it.
std::optional<QString> ListedCompany(const Arguments& a, Batch& b)
{
    const int year = PositiveNumber(a, QStringLiteral("--year"));
    const int code = PositiveNumber(a, QStringLiteral("--company"));
    b.session.fiscalYear = year;
    QList<TKigyo1_> companies;
    if (!LoadCompanyList(b.session, year, companies))
        return std::nullopt;
    for (const TKigyo1_& c : companies)
        if (c.KCO.toInt() == code)
            return c.KNA;
    b.tell(Outcome::Refused(QStringLiteral("企業マスターが存在しません。")));
    return std::nullopt;
}

// Opens the company of the year in the session, through the company list's 選択.
bool OpenProject(const Arguments& a, Batch& b)
{
    const std::optional<QString> name = ListedCompany(a, b);
    return name && b.tell(SelectCompany(b.session, PositiveNumber(a, QStringLiteral("--year")),
                                        PositiveNumber(a, QStringLiteral("--company")), *name));
}

int Status(bool done)
{
    return done ? BatchSuccess : BatchFailed;
}

// ---------------------------------------------------------------- the commands

// The companies of --year (code and name), or without it those of every year that has
// companies (year, code and name).
int Companies(const Arguments& a, Batch& b)
{
    const bool oneYear = a.values.contains(QStringLiteral("--year"));
    QList<int> years;
    if (oneYear)
        years << PositiveNumber(a, QStringLiteral("--year"));
    else if (!LoadCompanyYears(b.session, years))
        return BatchFailed;
    for (const int year : years) {
        QList<TKigyo1_> companies;
        if (!LoadCompanyList(b.session, year, companies))
            return BatchFailed;
        for (const TKigyo1_& c : companies)
            b.out << (oneYear ? QString() : QString::number(year) + '\t') << c.KCO << '\t' << c.KNA << '\n';
    }
    return BatchSuccess;
}

// The export of 社員マスタ出力 (CSV, or with --xlsx the workbook). Its question about
// characters Shift-JIS cannot hold is answered No, as the window's No leaves the file
// unwritten; a UTF-8 CSV or a workbook holds every character.
int ExportEmployees(const Arguments& a, Batch& b)
{
    const bool xlsx = a.values.contains(QStringLiteral("--xlsx"));
    if (xlsx && a.values.contains(QStringLiteral("--out")))
        throw UsageError{QStringLiteral("--out か --xlsx のどちらかを指定して下さい。")};
    const QString output = xlsx ? QStringLiteral("--xlsx") : QStringLiteral("--out");
    const TableFileFormat format = TableFormatOf(a, output);
    if (!OpenProject(a, b))
        return BatchFailed;
    const QString path = a.values.contains(output) ? OutputPath(a, output) : EmployeeExportPath(b.session, format.kind);
    return Status(b.tell(WriteEmployeeMaster(b.session, path, false, format)));
}

int ImportEmployeesCommand(const Arguments& a, Batch& b)
{
    const ImportMode mode =
        OneOf(a, {QStringLiteral("--replace"), QStringLiteral("--add")}) == QLatin1String("--replace")
            ? ImportMode::Replace
            : ImportMode::Add;
    if (!OpenProject(a, b))
        return BatchFailed;
    const ImportCheck check = CheckImportFile(QFileInfo(a.values.value(QStringLiteral("--file"))).absoluteFilePath());
    // The rows a check rejected, as the grid would show them with ERROR, with the reasons;
    // a line break inside a code or name is shown as a blank to keep one line per row.
    static const QRegularExpression lineBreaks(QStringLiteral("[\r\n]+"));
    for (int i = 0; i < check.rows.size(); ++i)
        if (!check.rows[i][ImportColumn::Status].isEmpty())
            b.write(QStringLiteral("%1行目: ").arg(i + 2) + check.rows[i][ImportColumn::Status] + QStringLiteral(" ")
                    + QString(check.rows[i][ImportColumn::Number]).replace(lineBreaks, QStringLiteral(" "))
                    + QStringLiteral(" ")
                    + QString(check.rows[i][ImportColumn::Name]).replace(lineBreaks, QStringLiteral(" "))
                    + QStringLiteral("（") + check.reasons.value(i).join(QStringLiteral("、")) + QStringLiteral("）"));
    b.write(check.message);
    if (!check.importable())
        return BatchFailed;
    const TMKIGYOU2& company = b.session.company();
    if (!b.tell(ImportEmployees(*b.session.year, company.KCO.toInt(), company.NENDO.toInt(), check.rows, mode,
                                b.session.today)))
        return BatchFailed;
    b.out << check.rows.size() << QStringLiteral(" 件の社員を取り込みました。") << '\n';
    return BatchSuccess;
}

// Composes a report's pages into the file instead of the preview's document file.
bool ComposeInto(Batch& b, ReportDocument doc, const QString& path)
{
    doc.documentPath = path;
    QString error;
    if (!ComposeReport(doc, &error))
        return b.tell(Outcome::Warned(error));
    return true;
}

int WageTable(const Arguments& a, Batch& b)
{
    const int id = PositiveNumber(a, QStringLiteral("--table"));
    const QString output = OneOf(a, {QStringLiteral("--csv"), QStringLiteral("--xlsx"), QStringLiteral("--pdf")});
    const TableFileFormat format = TableFormatOf(a, output);
    if (!OpenProject(a, b))
        return BatchFailed;
    TMCHNGIN_ header;
    bool found = false;
    if (!LoadSalaryListHeader(b.session, id, header, found))
        return BatchFailed;
    // An unknown table has no generated rows: the command's "nothing to print" message.
    const QString title = found ? header.TITLE : QString();
    if (output != QLatin1String("--pdf"))
        return Status(b.tell(ExportSalaryListCsv(b.session, id, title, OutputPath(a, output), nullptr, format)));
    ReportDocument doc;
    return Status(b.tell(SalaryListDocument(b.session, id, title, doc)) && ComposeInto(b, doc, OutputPath(a, output)));
}

// "A-B" of a range option as two codes 1..9; both 0 when the option is not given.
void RangeCodes(const Arguments& a, const QString& option, int& low, int& high)
{
    low = high = 0;
    if (!a.values.contains(option))
        return;
    static const QRegularExpression form(QStringLiteral("^(\\d)-(\\d)$"));
    const QRegularExpressionMatch m = form.match(a.values.value(option));
    if (!m.hasMatch() || m.captured(1).toInt() == 0 || m.captured(2).toInt() == 0)
        throw UsageError{option + QStringLiteral(" は 開始-終了 (1 から 9) で指定して下さい: ") + a.values.value(option)};
    low = m.captured(1).toInt();
    high = m.captured(2).toInt();
}

// The ranges as the report screens' lists would hold them; a code the project's list does
// not offer is refused with the list's name.
bool ReportRanges(const Arguments& a, Batch& b, GroupRanges& ranges)
{
    const RangeLists lists = RangeListsForProject(b.session);
    struct Pair {
        QString option;
        QString label;
        const QStringList* items;
        RangeEnd* start;
        RangeEnd* end;
    };
    const Pair pairs[] = {
        {QStringLiteral("--marks"), QStringLiteral("マーク"), &lists.marks, &ranges.markStart, &ranges.markEnd},
        {QStringLiteral("--grades"), QStringLiteral("等級"), &lists.grades, &ranges.gradeStart, &ranges.gradeEnd},
        {QStringLiteral("--forms"), QStringLiteral("就労形態"), &lists.forms, &ranges.formStart, &ranges.formEnd},
    };
    for (const Pair& p : pairs) {
        int low = 0, high = 0;
        RangeCodes(a, p.option, low, high);
        if (!RangeEndOf(*p.items, low, *p.start) || !RangeEndOf(*p.items, high, *p.end)) {
            return b.tell(Outcome::Refused(p.label + QStringLiteral("に ") + a.values.value(p.option)
                                           + QStringLiteral(" の範囲はありません。")));
        }
    }
    return true;
}

int Report(const Arguments& a, Batch& b)
{
    const QString kind = a.positional.value(0);
    static const QStringList kinds = {QStringLiteral("salary-list"), QStringLiteral("raise-list"),
                                      QStringLiteral("personal-hr"), QStringLiteral("personal-wage")};
    if (!kinds.contains(kind))
        throw UsageError{QStringLiteral("KIND は ") + kinds.join(QStringLiteral(", ")) + QStringLiteral(" のどれかです: ")
                         + kind};
    const bool group = kind.endsWith(QLatin1String("-list"));
    const QString output = OneOf(a, {QStringLiteral("--pdf"), QStringLiteral("--csv"), QStringLiteral("--xlsx")});
    if (!group && output != QLatin1String("--pdf"))
        throw UsageError{QStringLiteral("個人レポートは --pdf だけです。")};
    const TableFileFormat format = TableFormatOf(a, output);
    // Both end points of a range are checked before anything is opened.
    int low = 0, high = 0;
    for (const char* option : {"--marks", "--grades", "--forms"})
        RangeCodes(a, QString::fromLatin1(option), low, high);
    if (!OpenProject(a, b))
        return BatchFailed;

    GroupRanges ranges;
    if (!ReportRanges(a, b, ranges))
        return BatchFailed;
    GroupFilter filter;
    QList<TSyain_> employees;
    if (!b.tell(SelectGroupEmployees(b.session, ranges, filter, employees)))
        return BatchFailed;
    const QString path = OutputPath(a, output);
    const Outcome nothingToPrint = Outcome::Refused(QStringLiteral("印刷対象データは有りません。"));
    if (group) {
        const GroupReportKind k = kind == QLatin1String("raise-list") ? GroupReportKind::Raise : GroupReportKind::Salary;
        if (output != QLatin1String("--pdf"))
            return Status(b.tell(ExportGroupReportCsv(b.session, k, employees, path, format)));
        if (employees.isEmpty())
            return Status(b.tell(nothingToPrint));
        ReportDocument doc;
        QString error;
        if (!BuildGroupReport(b.session, k, employees, filter, doc, &error))
            return Status(b.tell(Outcome::Warned(error)));
        return Status(ComposeInto(b, doc, path));
    }
    if (employees.isEmpty())
        return Status(b.tell(nothingToPrint));
    const PersonalReportKind k = kind == QLatin1String("personal-hr") ? PersonalReportKind::HR : PersonalReportKind::Wage;
    return Status(ComposeInto(b,
                              BuildPersonalPages(b.session.exeFolder, k, employees, PersonalHeadingForProject(b.session),
                                                 LoadEmploymentForms(b.session), LoadMatrixTables(b.session)),
                              path));
}

QSize PlotSize(const Arguments& a)
{
    if (!a.values.contains(QStringLiteral("--size")))
        return DefaultPlotSize;
    static const QRegularExpression form(QStringLiteral("^(\\d{2,5})x(\\d{2,5})$"));
    const QRegularExpressionMatch m = form.match(a.values.value(QStringLiteral("--size")));
    if (!m.hasMatch() || m.captured(1).toInt() < SmallestPlotSize.width()
        || m.captured(2).toInt() < SmallestPlotSize.height() || m.captured(1).toInt() > 10000
        || m.captured(2).toInt() > 10000)
        throw UsageError{QStringLiteral("--size は 幅x高さ (幅 %1 から 10000、高さ %2 から 10000 ピクセル) で指定して下さい: ")
                             .arg(SmallestPlotSize.width())
                             .arg(SmallestPlotSize.height())
                         + a.values.value(QStringLiteral("--size"))};
    return {m.captured(1).toInt(), m.captured(2).toInt()};
}

int Plot(const Arguments& a, Batch& b)
{
    const int chart = PositiveNumber(a, QStringLiteral("--chart"));
    if (!PlottableCharts.contains(chart))
        throw UsageError{QStringLiteral("--chart は 1010, 1020, 1030, 1040, 1050, 1060, 1070 のいずれかを指定して下さい。")};
    const bool png = a.values.contains(QStringLiteral("--png"));
    if (png == a.values.contains(QStringLiteral("--pdf")))
        throw UsageError{QStringLiteral("--png か --pdf のどちらかを指定して下さい。")};
    const QSize size = PlotSize(a);
    if (!OpenProject(a, b))
        return BatchFailed;
    const ChartAnalysis analysis = AnalyseStoredChart(b.session, chart);
    b.tell(analysis.outcome);
    if (analysis.status != SetupAnalysis::Plotted)
        return BatchFailed;
    const ChartModel model = OpenChart(b.session, analysis.chartId);
    const ChartRanges& r = model.ranges;
    const QImage image = RenderPlot(model, {r.Xmin, r.Xmax, r.Ymin, r.Ymax}, size);
    if (!png) {
        // The printed page of the plot window's 印刷, written as a PDF at 600 dpi.
        const QString path = OutputPath(a, QStringLiteral("--pdf"));
        QString error;
        if (WritePlotPdf(path, PlotPrintDataOf(b.session, model), image, 600, &error))
            return BatchSuccess;
        QFile::remove(path);
        return Status(b.tell(Outcome::Failed(error)));
    }
    const QString path = OutputPath(a, QStringLiteral("--png"));
    if (image.isNull() || !image.save(path, "PNG")) {
        QFile::remove(path);
        return Status(b.tell(Outcome::Failed(QStringLiteral("画像ファイルの書き込みでエラーが発生しました。\r\n")
                                             + QDir::toNativeSeparators(path))));
    }
    return BatchSuccess;
}

// The year rollover of one company, as 年次更新 does: the closing message goes where the
// screen shows it (standard error).
int RolloverCommand(const Arguments& a, Batch& b)
{
    if (!ListedCompany(a, b))
        return BatchFailed;
    SqliteConnection next;
    const RolloverResult result = RollOverCompany(b.session, next, PositiveNumber(a, QStringLiteral("--year")),
                                                  PositiveNumber(a, QStringLiteral("--company")));
    return Status(b.tell(result.outcome));
}

int OptimalWageCommand(const Arguments& a, Batch& b)
{
    if (a.values.contains(QStringLiteral("--csv")) && a.values.contains(QStringLiteral("--xlsx")))
        throw UsageError{QStringLiteral("--csv か --xlsx のどちらかを指定して下さい。")};
    const QString output = a.values.contains(QStringLiteral("--xlsx")) ? QStringLiteral("--xlsx") : QStringLiteral("--csv");
    const TableFileFormat format = TableFormatOf(a, output);
    if (!OpenProject(a, b))
        return BatchFailed;
    const OptimalWageRun run = RunStoredOptimalWage(b.session);
    if (!b.tell(run.outcome))
        return BatchFailed;
    const TOptimalWage& state = run.state;
    if (state.linked)
        b.write(LinkedDataMessage);
    const AnalysisPanelRows panel = RegressionPanelOf(state);
    for (int i = 0; i < int(panel.titles.size()); ++i)
        if (!panel.titles[i].isEmpty() || !panel.captions[i].isEmpty())
            b.out << panel.titles[i] << '\t' << panel.captions[i].trimmed() << '\n';
    if (a.values.contains(output))
        return Status(b.tell(WriteOptimalWageCsv(b.session, state, OutputPath(a, output), format, true)));
    return BatchSuccess;
}

// 男女の賃金の差異 with the stored settings: the three ratios and the managers' share on
// standard output; the tables as a CSV file (--csv, in --encoding) and as a workbook (--xlsx),
// and the printed document (--pdf), each when asked (any of them together).
int PayGapCommand(const Arguments& a, Batch& b)
{
    if (a.values.contains(QStringLiteral("--encoding")) && !a.values.contains(QStringLiteral("--csv")))
        throw UsageError{QStringLiteral("--encoding は CSV の出力にだけ指定できます。")};
    const TableFileFormat csvFormat = TableFormatOf(a, QStringLiteral("--csv"));
    if (!OpenProject(a, b))
        return BatchFailed;
    const PayGapRun run = RunPayGap(b.session);
    if (!b.tell(run.outcome))
        return BatchFailed;
    for (const QString& line : PayGapSummaryLines(run.result))
        b.out << line << '\n';
    if (a.values.contains(QStringLiteral("--csv"))
        && !b.tell(WritePayGapTable(b.session, run.result, OutputPath(a, QStringLiteral("--csv")), csvFormat)))
        return BatchFailed;
    if (a.values.contains(QStringLiteral("--xlsx"))
        && !b.tell(WritePayGapTable(b.session, run.result, OutputPath(a, QStringLiteral("--xlsx")),
                                    TableFileFormat{SheetFileKind::Xlsx, CsvEncoding::ShiftJis})))
        return BatchFailed;
    if (a.values.contains(QStringLiteral("--pdf"))
        && !ComposeInto(b, BuildPayGapDocument(b.session.exeFolder, b.session.companyName, run.settings, run.result),
                        OutputPath(a, QStringLiteral("--pdf"))))
        return BatchFailed;
    return BatchSuccess;
}

// 復元: the restore points of the program folder, one a line, newest first, the id first
// (--list, or no option); or the one of --id put back.
int RestoreCommand(const Arguments& a, Batch& b)
{
    const bool list = a.flags.contains(QStringLiteral("--list"));
    if (list && a.values.contains(QStringLiteral("--id")))
        throw UsageError{QStringLiteral("--list と --id は同時に指定できません。")};
    if (!a.values.contains(QStringLiteral("--id"))) {
        for (const RestorePoint& p : ListRestorePoints(b.session.dataFolder))
            b.out << RestorePointLine(p) << '\n';
        return BatchSuccess;
    }
    // The files are put back with no connection of ours on them.
    b.session.control->close();
    return Status(b.tell(RestoreRestorePoint(b.session.dataFolder, a.values.value(QStringLiteral("--id")))));
}

// The commands that only read the program folder's data and so run beside a writer.
bool OnlyReads(const Arguments& a)
{
    return a.command == QLatin1String("companies") || a.command == QLatin1String("export-employees")
           || (a.command == QLatin1String("restore") && !a.values.contains(QStringLiteral("--id")));
}

const QList<Command>& Commands()
{
    static const QList<Command> all = {
        {QStringLiteral("companies"), QStringLiteral("companies [--year Y]"), {}, {QStringLiteral("--year")}, {}, 0,
         Companies},
        {QStringLiteral("export-employees"),
         QStringLiteral("export-employees --year Y --company K [--out FILE | --xlsx FILE] [--encoding sjis|utf8]"),
         {QStringLiteral("--year"), QStringLiteral("--company")},
         {QStringLiteral("--out"), QStringLiteral("--xlsx"), QStringLiteral("--encoding")}, {}, 0, ExportEmployees},
        {QStringLiteral("import-employees"),
         QStringLiteral("import-employees --year Y --company K --file FILE (--replace | --add)"),
         {QStringLiteral("--year"), QStringLiteral("--company"), QStringLiteral("--file")}, {},
         {QStringLiteral("--replace"), QStringLiteral("--add")}, 0, ImportEmployeesCommand},
        {QStringLiteral("wage-table"),
         QStringLiteral("wage-table --year Y --company K --table ID (--csv FILE | --xlsx FILE | --pdf FILE) "
                        "[--encoding sjis|utf8]"),
         {QStringLiteral("--year"), QStringLiteral("--company"), QStringLiteral("--table")},
         {QStringLiteral("--csv"), QStringLiteral("--xlsx"), QStringLiteral("--pdf"), QStringLiteral("--encoding")}, {}, 0,
         WageTable},
        {QStringLiteral("report"),
         QStringLiteral("report KIND --year Y --company K [--marks A-B] [--grades A-B] [--forms A-B] "
                        "(--pdf FILE | --csv FILE | --xlsx FILE) [--encoding sjis|utf8]\n"
                        "      KIND: salary-list, raise-list, personal-hr, personal-wage (personal-* は --pdf のみ)"),
         {QStringLiteral("--year"), QStringLiteral("--company")},
         {QStringLiteral("--marks"), QStringLiteral("--grades"), QStringLiteral("--forms"), QStringLiteral("--pdf"),
          QStringLiteral("--csv"), QStringLiteral("--xlsx"), QStringLiteral("--encoding")},
         {}, 1, Report},
        {QStringLiteral("plot"),
         QStringLiteral("plot --year Y --company K --chart ID (--png FILE | --pdf FILE) [--size WxH]"),
         {QStringLiteral("--year"), QStringLiteral("--company"), QStringLiteral("--chart")},
         {QStringLiteral("--png"), QStringLiteral("--pdf"), QStringLiteral("--size")}, {}, 0, Plot},
        {QStringLiteral("optimal-wage"),
         QStringLiteral("optimal-wage --year Y --company K [--csv FILE | --xlsx FILE] [--encoding sjis|utf8]"),
         {QStringLiteral("--year"), QStringLiteral("--company")},
         {QStringLiteral("--csv"), QStringLiteral("--xlsx"), QStringLiteral("--encoding")}, {}, 0, OptimalWageCommand},
        {QStringLiteral("pay-gap"),
         QStringLiteral("pay-gap --year Y --company K [--csv FILE] [--xlsx FILE] [--pdf FILE] [--encoding sjis|utf8]"),
         {QStringLiteral("--year"), QStringLiteral("--company")},
         {QStringLiteral("--csv"), QStringLiteral("--xlsx"), QStringLiteral("--pdf"), QStringLiteral("--encoding")}, {},
         0, PayGapCommand},
        {QStringLiteral("rollover"), QStringLiteral("rollover --year Y --company K"),
         {QStringLiteral("--year"), QStringLiteral("--company")}, {}, {}, 0, RolloverCommand},
        {QStringLiteral("restore"), QStringLiteral("restore [--list | --id ID]"), {}, {QStringLiteral("--id")},
         {QStringLiteral("--list")}, 0, RestoreCommand},
    };
    return all;
}

const Command* FindCommand(const QString& name)
{
    for (const Command& c : Commands())
        if (c.name == name)
            return &c;
    return nullptr;
}

QString UsageLine(const Command& c)
{
    return QStringLiteral("使い方: wageloom-batch [--folder DIR] ") + c.synopsis;
}

Arguments Parse(const QStringList& words)
{
    Arguments a;
    for (int i = 0; i < words.size(); ++i) {
        const QString& w = words[i];
        if (ValueOptions.contains(w)) {
            if (i + 1 >= words.size() || words[i + 1].startsWith(QLatin1String("--")))
                throw UsageError{w + QStringLiteral(" に値がありません。")};
            if (a.values.contains(w))
                throw UsageError{w + QStringLiteral(" が二度指定されています。")};
            a.values.insert(w, words[++i]);
        } else if (w.startsWith(QLatin1String("-")) && w.size() > 1) {
            if (a.flags.contains(w))
                throw UsageError{w + QStringLiteral(" が二度指定されています。")};
            a.flags << w;
        } else if (a.command.isEmpty()) {
            a.command = w;
        } else {
            a.positional << w;
        }
    }
    return a;
}

// Options of the command line that the command does not know.
void CheckOptions(const Arguments& a, const Command& c)
{
    for (auto it = a.values.cbegin(); it != a.values.cend(); ++it)
        if (it.key() != QLatin1String("--folder") && !c.required.contains(it.key()) && !c.optional.contains(it.key()))
            throw UsageError{it.key() + QStringLiteral(" は ") + c.name + QStringLiteral(" では使えません。")};
    for (const QString& f : a.flags)
        if (!c.flags.contains(f))
            throw UsageError{QStringLiteral("不明なオプションです: ") + f};
    for (const QString& r : c.required)
        if (!a.values.contains(r))
            throw UsageError{r + QStringLiteral(" を指定して下さい。")};
    if (a.positional.size() > c.positionals)
        throw UsageError{QStringLiteral("余分な引数があります: ") + a.positional.mid(c.positionals).join(' ')};
    if (a.positional.size() < c.positionals)
        throw UsageError{QStringLiteral("KIND を指定して下さい。")};
}

} // namespace

QString BatchUsage()
{
    QString text = QStringLiteral("使い方: wageloom-batch [--folder DIR] COMMAND [OPTIONS]\n"
                                  "プログラムフォルダ (DATA, CSV, Report, Picture を持つフォルダ) の企業データを"
                                  "画面なしで処理します。\n"
                                  "--folder を省くと環境変数 WAGELOOM_FOLDER のフォルダ、それもなければ\n"
                                  "wageloom-batch のあるフォルダ (DATA/SEIGYO.MDB があるとき)、インストールされた\n"
                                  "プログラムでは利用者のデータフォルダ (~/.local/share/wageloom、初回に\n"
                                  "../share/wageloom から作ります) を使います。\n\nコマンド:\n");
    for (const Command& c : Commands())
        text += QStringLiteral("  wageloom-batch ") + c.synopsis + '\n';
    text += QStringLiteral("\nplot --chart ID:\n");
    for (const int chart : PlottableCharts)
        text += QStringLiteral("  %1 %2\n").arg(chart).arg(SetupVariant(chart)->caption);
    text += QStringLiteral("\n終了コード: 0 成功, 1 処理できなかった (何も書き込みません), 2 引数の誤り\n");
    return text;
}

int RunBatch(const QStringList& arguments, ProgramFolderInputs where, QTextStream& out, QTextStream& err)
{
    const Command* command = nullptr;
    try {
        const Arguments a = Parse(arguments);
        if (a.flags.contains(QStringLiteral("--help")) || a.flags.contains(QStringLiteral("-h"))
            || a.command == QLatin1String("help")) {
            out << BatchUsage();
            return BatchSuccess;
        }
        if (a.command.isEmpty())
            throw UsageError{QStringLiteral("コマンドを指定して下さい。")};
        command = FindCommand(a.command);
        if (!command)
            throw UsageError{QStringLiteral("不明なコマンドです: ") + a.command};
        CheckOptions(a, *command);

        where.optionFolder = a.values.value(QStringLiteral("--folder"));
        if (a.values.contains(QStringLiteral("--folder")) && where.optionFolder.isEmpty())
            throw UsageError{QStringLiteral("--folder に値がありません。")};
        const ProgramFolderChoice place = ChooseProgramFolder(where);
        // A --folder that is not there is a wrong argument; any other failure to find or make
        // the folder is told like every other message.
        if (!place.outcome.ok && place.source == ProgramFolderSource::Option)
            throw UsageError{place.outcome.text};
        // The store's failures are told like every other message, on standard error.
        Batch batch{Session(), out, err};
        if (!batch.tell(place.outcome))
            return BatchFailed;
        InstallFailureReporter([&batch](const Outcome& failure) { batch.tell(failure); });
        struct Uninstall {
            ~Uninstall() { InstallFailureReporter(nullptr); }
        } uninstall;

        TFDM dataModule;
        if (!batch.tell(StartSession(batch.session, place.folder, dataModule.ACN1,
                                     dataModule.ACN2, QDate::currentDate())))
            return BatchFailed;
        // One writer at a time: a command that writes holds the folder's lock while it runs.
        batch.write(NetworkFolderWarning(batch.session.dataFolder));
        WriterLock lock(batch.session.dataFolder);
        if (!OnlyReads(a) && !batch.tell(lock.take()))
            return BatchFailed;
        const int status = command->run(a, batch);
        out.flush();
        return status;
    } catch (const UsageError& e) {
        err << e.message << '\n';
        if (command)
            err << UsageLine(*command) << '\n';
        else
            err << QStringLiteral("使い方: wageloom-batch [--folder DIR] COMMAND [OPTIONS]  (wageloom-batch --help)")
                << '\n';
        err.flush();
        return BatchUsageError;
    }
}
