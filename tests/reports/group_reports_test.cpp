// Group and personal reports: ranges, grouped rows, page layout, CSV bytes and the
// composed documents of a sample company read back.
#include "projects/Companies.h"
#include "projects/SampleCompanies.h"
#include "reports/GroupReports.h"
#include "reports/PersonalReports.h"
#include "reports/ReportComposer.h"
#include "core/TextCodec.h"
#include "employees/ImportWorker.h"
#include "wagetable/SalaryList.h"
#include "wagetable/SalaryListReport.h"
#include "support/PdfText.h"
#include "support/RecordedFailures.h"
#include "support/TestProgramFolder.h"
#include "support/TestProject.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

TSyain_ employee(int sco, int mark, int kkyu1 = 200000, int teate1 = 10000)
{
    TSyain_ e;
    e.SCO = QString::number(sco);
    e.SCOT = QStringLiteral("E%1").arg(sco, 3, 10, QChar('0'));
    e.SNA = QStringLiteral("社員%1").arg(sco);
    e.MCO = mark;
    e.SEIHI = 19890401;   // 35 at the reference date 2024-04-01
    e.NYUHI = 20140401;   // 10 years
    e.KKYU1 = kkyu1;
    e.TEATE1 = teate1;
    e.NKKYU1 = kkyu1 + 5000;
    e.NTEATE1 = teate1;
    e.SYOUYO = 400000;
    e.SYOUYO2 = 500000;
    return e;
}

QList<TSyain_> group(int mark, int count, int firstSco)
{
    QList<TSyain_> out;
    for (int i = 0; i < count; ++i)
        out << employee(firstSco + i, mark);
    return out;
}

ReportTemplate groupTemplate(GroupReportKind kind)
{
    ReportTemplate t;
    QString error;
    EXPECT_TRUE(LoadReportTemplate(QStringLiteral(WAGELOOM_SOURCE_DATA "/Report/") + GroupReportNamesOf(kind).reportName
                                       + ".jfm",
                                   t, &error))
        << error.toStdString();
    return t;
}

// Ages and years of service count to this day.
constexpr int referenceDay = 20240401;
// The program folder of the page models that are not composed.
const QString programFolder = QStringLiteral("/opt/wageloom/");

const GroupHeading heading{QStringLiteral("2024"), QStringLiteral("テスト株式会社"), QDate(2024, 4, 1), 20240401,
                           QStringLiteral("営業")};

struct Placed {
    int page;
    int line;
    QString name;
};

// Where each row landed: page number, line and the SIMEI cell.
QList<Placed> placed(const ReportDocument& doc)
{
    QList<Placed> out;
    for (const ReportPage& p : doc.pages)
        for (const ReportRow& r : p.rows)
            out << Placed{p.number, r.line, r.cells.value("SIMEI").text};
    return out;
}

} // namespace

TEST(GroupRanges, MessagesBoundsAndFilterText)
{
    const RangeEnd none;
    const RangeEnd mark1{1, QStringLiteral("●  営業")}, mark3{3, QStringLiteral("▲  技術")};
    const RangeEnd grade2{2, QStringLiteral("主任")}, grade5{5, QStringLiteral("課長")};
    const RangeEnd form1{1, QStringLiteral("正社員")}, form2{2, QStringLiteral("パート")};
    const RangeEnd unspecified{0, QStringLiteral("指定なし")};
    struct Case {
        GroupRanges ranges;
        QString message;
        QString text;
        int markLow, markHigh, gradeLow, gradeHigh;
    };
    const Case cases[] = {
        {{}, QString(), QString(), -1, 999, -1, 999},
        {{mark3, mark1}, QStringLiteral("マーク範囲の指定に誤りがあります。"), QString(), 3, 1, -1, 999},
        {{mark1, mark1}, QString(), QStringLiteral("●  営業"), 1, 1, -1, 999},
        {{mark1, mark3, grade2, grade5}, QString(), QStringLiteral("●  営業～▲  技術 ／ 主任～課長"), 1, 3, 2, 5},
        {{mark1, none, grade2, grade2}, QString(), QStringLiteral("●  営業～ ／ 主任"), 1, 999, 2, 2},
        {{none, none, grade5, grade2}, QStringLiteral("等級範囲の指定に誤りがあります。"), QString(), -1, 999, 5, 2},
        {{none, none, unspecified, grade2, form1, form1}, QString(), QStringLiteral("指定なし～主任 ／ 正社員"), -1, 999, -1, 2},
        {{none, none, none, none, form2, form1}, QStringLiteral("就労形態範囲の指定に誤りがあります。"), QString(), -1, 999, -1, 999},
        {{none, none, none, none, form1, none}, QString(), QStringLiteral("正社員～"), -1, 999, -1, 999},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString() + c.message.toStdString());
        GroupFilter f;
        EXPECT_EQ(CheckGroupRanges(c.ranges, f), c.message);
        if (!c.message.isEmpty())
            continue;
        EXPECT_EQ(f.text, c.text);
        EXPECT_EQ(f.markLow, c.markLow);
        EXPECT_EQ(f.markHigh, c.markHigh);
        EXPECT_EQ(f.gradeLow, c.gradeLow);
        EXPECT_EQ(f.gradeHigh, c.gradeHigh);
    }
}

TEST(GroupReportsTest, GroupsStartPagesAndSubtotalBlocksMoveAtLine30)
{
    struct Case {
        QList<int> groupSizes;
        // (page, line) of every subtotal, average, total and total average row
        QList<QPair<int, int>> closing;
        int pages;
    };
    const Case cases[] = {
        // 29: subtotal and average on lines 30 and 31; the totals follow on a new page.
        {{29}, {{1, 30}, {1, 31}, {2, 1}, {2, 2}}, 2},
        // 30: lines 0..29, the subtotal block on the next page, the totals right after it.
        {{30}, {{2, 1}, {2, 2}, {2, 3}, {2, 4}}, 2},
        // 3 and 2: each group on its own page; the totals follow the last group's average.
        {{3, 2}, {{1, 4}, {1, 5}, {2, 3}, {2, 4}, {2, 5}, {2, 6}}, 2},
        // 33: a page break inside the group (32 rows, then 1).
        {{33}, {{2, 2}, {2, 3}, {2, 4}, {2, 5}}, 2},
    };
    const ReportTemplate tpl = groupTemplate(GroupReportKind::Salary);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.groupSizes.size() * 100 + c.groupSizes[0]);
        QList<TSyain_> employees;
        int mark = 1, sco = 1;
        for (int size : c.groupSizes) {
            employees << group(mark++, size, sco);
            sco += size;
        }
        const ReportDocument doc = BuildGroupReportPages(programFolder, GroupReportKind::Salary,
                                                         BuildGroupLines(referenceDay, employees, {}), heading, tpl);
        EXPECT_EQ(doc.pages.size(), c.pages);
        QList<QPair<int, int>> closing;
        for (const Placed& p : placed(doc))
            if (!p.name.startsWith(QStringLiteral("社員")))
                closing << qMakePair(p.page, p.line);
        EXPECT_EQ(closing, c.closing);
        // every group's first employee is on line 0 of a page
        int at = 0;
        const QList<Placed> rows = placed(doc);
        for (int size : c.groupSizes) {
            while (at < rows.size() && !rows[at].name.startsWith(QStringLiteral("社員")))
                ++at;
            ASSERT_LT(at, rows.size());
            EXPECT_EQ(rows[at].line, 0);
            int n = 0;
            while (at < rows.size() && rows[at].name.startsWith(QStringLiteral("社員")) && n < size)
                ++at, ++n;
        }
    }
}

// Every page names the group (mark) its rows belong to; the closing totals name none.
TEST(GroupReportsTest, EachPageNamesItsGroup)
{
    GroupHeading named = heading;
    named.markTexts = {QStringLiteral("● 一般職"), QStringLiteral("▲ 管理職"), QString(), QString(), QString(),
                       QString(),                   QString(),                   QString(), QString()};
    QList<TSyain_> employees = group(1, 3, 1);
    employees << group(2, 33, 4);
    const ReportDocument doc = BuildGroupReportPages(programFolder, GroupReportKind::Salary,
                                                     BuildGroupLines(referenceDay, employees, {}), named,
                                                     groupTemplate(GroupReportKind::Salary));
    ASSERT_EQ(doc.pages.size(), 3);
    EXPECT_EQ(doc.pages[0].fields.value("BUSYO"), QStringLiteral("営業　　グループ：● 一般職"));
    EXPECT_EQ(doc.pages[1].fields.value("BUSYO"), QStringLiteral("営業　　グループ：▲ 管理職"));
    EXPECT_EQ(doc.pages[2].fields.value("BUSYO"), QStringLiteral("営業　　グループ：▲ 管理職"));   // its 33rd row
}

TEST(GroupReportsTest, SubtotalsAveragesAndRaiseFigures)
{
    QList<TSyain_> employees = {employee(1, 1, 200001, 10000), employee(2, 1, 200000, 10001)};
    employees[1].SEIHI = 19880401;   // 36
    TSyain_ zero = employee(3, 2, 0, 0);
    zero.NKKYU1 = 1000;
    employees << zero;
    const QList<GroupLine> lines = BuildGroupLines(referenceDay, employees, {});
    ASSERT_EQ(lines.size(), 3 + 2 + 2 + 2);
    const GroupLine& sub = lines[2];
    EXPECT_EQ(sub.kind, GroupLine::Subtotal);
    EXPECT_EQ(sub.count, 2);
    EXPECT_EQ(sub.salary.kihon[0], 400001);
    const GroupLine& avg = lines[3];
    EXPECT_EQ(avg.kind, GroupLine::Average);
    EXPECT_EQ(avg.salary.kihon[0], 200000);     // 200,000.5 truncated
    EXPECT_EQ(avg.salary.allowances, 10000);    // 10,000.5 truncated
    EXPECT_EQ(avg.salary.monthly(), 210000);    // derived from the averages
    EXPECT_EQ(lines[7].kind, GroupLine::Total);
    EXPECT_EQ(lines[7].count, 3);

    const ReportDocument salary = BuildGroupReportPages(programFolder, GroupReportKind::Salary, lines, heading,
                                                        groupTemplate(GroupReportKind::Salary));
    EXPECT_EQ(salary.documentPath, ComposedDocumentsFolder() + QStringLiteral("wkPrintSyainSalaryList.pdf"));
    const ReportRow& avgRow = salary.pages[0].rows[3];
    EXPECT_EQ(avgRow.cells.value("SIMEI").text, QStringLiteral("　　　　平均"));
    EXPECT_EQ(avgRow.cells.value("NENREI").text, QStringLiteral("35.5"));
    EXPECT_EQ(avgRow.cells.value("KINZOKU").text, QStringLiteral("10.0"));
    EXPECT_EQ(avgRow.cells.value("KIHON1").text, QStringLiteral("200,000"));
    EXPECT_EQ(avgRow.cells.value("NENSYU").text, QStringLiteral("3,420,000"));   // 210,000 × 12 + 900,000
    const ReportRow& first = salary.pages[0].rows[0];
    EXPECT_EQ(first.cells.value("SYAINCD").align, AlignLeftText);
    EXPECT_EQ(first.cells.value("NENSYU").align, AlignRightText);
    EXPECT_EQ(first.cells.value("SYOTEI").text, QStringLiteral("210,001"));
    EXPECT_EQ(salary.pages[0].fields.value("NENDO"), QStringLiteral("2024 年度　：　テスト株式会社"));
    EXPECT_EQ(salary.pages[0].fields.value("YMD"), QStringLiteral("2024年04月01日　　P. 1"));
    EXPECT_EQ(salary.pages[0].fields.value("KIJUNBI"), QStringLiteral("年齢・勤続は2024年04月01日現在"));
    EXPECT_EQ(salary.pages[0].fields.value("BUSYO"), QStringLiteral("営業"));
    EXPECT_EQ(salary.pages[0].fields.value("CKIHON2"), QStringLiteral("項目Ⅱ"));

    const ReportDocument raise = BuildGroupReportPages(programFolder, GroupReportKind::Raise, lines, heading,
                                                       groupTemplate(GroupReportKind::Raise));
    const ReportRow& r1 = raise.pages[0].rows[0];
    EXPECT_EQ(r1.cells.value("UPKIN").text, QStringLiteral("5,000"));
    EXPECT_EQ(r1.cells.value("UPRITSU").text, QStringLiteral("2.38"));   // 5,000 × 100 / 210,001
    EXPECT_EQ(r1.cells.value("HYOUKA").align, AlignCentreText);
    const ReportRow& noOldPay = raise.pages[1].rows[0];
    EXPECT_EQ(noOldPay.cells.value("SIMEI").text, QStringLiteral("社員3"));
    EXPECT_EQ(noOldPay.cells.value("UPKIN").text, QStringLiteral("1,000"));
    EXPECT_EQ(noOldPay.cells.value("UPRITSU").text, QString());
    EXPECT_EQ(raise.pages[0].rows[2].cells.value("SIMEI").text, QStringLiteral("　　　小計"));
    EXPECT_EQ(raise.pages[0].rows[2].cells.value("TOUKYU").text, QStringLiteral("2"));
    EXPECT_EQ(raise.pages[0].rows[3].cells.value("UPRITSU").text, QString());   // average rows have none
    EXPECT_FALSE(raise.pages[0].fields.contains("KIJUNBI"));
}

TEST(GroupReportsTest, NewBasicPayTakesTheWageTableAndTheMatrix)
{
    MatrixTables tables;
    TBANDM band;
    band.BANDID = 1;
    band.YHYOUKA = 2;
    band.lower[0] = 200000;
    band.upper[0] = 300000;
    tables.bands.marume = 1;
    tables.bands.bands << band;
    TMATHYOUKA cells;
    cells.BANDID = 1;
    TMATRIX cell;
    cell.YHYOUKA = 2;
    cell.UP[0] = 3.5;
    cells.cells << cell;
    tables.matrix.groups << cells;

    TSyain_ e = employee(1, 1);
    e.NKKYU1 = 210000;
    e.NKKYU2 = 20000;
    e.NKKYU3 = 3000;
    e.NKIN = 25000;
    EXPECT_EQ(NewBasicPay(e, tables), 233000);
    e.JISEKI = 2;   // the wage table gives component 2
    EXPECT_EQ(NewBasicPay(e, tables), 210000 + 25000 + 3000);
    e.MLINK = 3;    // the matrix governs component 3: 250,000 at 3.5 % → 258,800
    e.KKYU3 = 250000;
    e.NEWBANDID = 1;
    e.NEWYHYOUKA = 2;
    EXPECT_EQ(NewBasicPay(e, tables), 210000 + 25000 + 258800);
}

TEST(GroupReportsTest, CsvFilesAreCp932WithCrLfAndNoSubtotals)
{
    TestProgramFolder folder;
    Session& s = folder.session();
    s.referenceDate = referenceDay;
    s.ageByToday = false;
    ASSERT_TRUE(OpenYearDatabase(s, 2024, true));
    QList<TSyain_> employees = {employee(1, 1), employee(2, 2)};
    employees[0].SNA = QStringLiteral("山田　太郎");
    employees[1].HKIGOU = QStringLiteral("Ａ");
    struct Case {
        GroupReportKind kind;
        QString file, header, firstRow;
    };
    const Case cases[] = {
        {GroupReportKind::Salary, QStringLiteral("CSV/グループ別社員賃金レポート.CSV"),
         QStringLiteral("社員コード,氏名,年齢,勤続年数,項目Ⅰ,項目Ⅱ,項目Ⅲ,基本給,諸手当,所定給,上期賞与,下期賞与,年間収入"),
         QStringLiteral("E001,山田　太郎,35,10,200000,0,0,200000,10000,210000,400000,500000,3420000")},
        {GroupReportKind::Raise, QStringLiteral("CSV/グループ別社員昇給レポート.CSV"),
         QStringLiteral("社員コード,氏名,評価,等級,号俸,昇格号俸,New基本給,Up基本給,New諸手当,Up諸手当,New所定給,所定給,昇給額"),
         QStringLiteral("E001,山田　太郎,,0,0,0,205000,5000,10000,0,215000,210000,5000")},
    };
    for (const Case& c : cases) {
        QString path, error;
        ASSERT_TRUE(WriteGroupReportCsv(s, c.kind, employees, path, &error)) << error.toStdString();
        EXPECT_EQ(path, folder.path(c.file));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        const QByteArray expected = ToCp932(c.header) + "\r\n" + ToCp932(c.firstRow) + "\r\n";
        EXPECT_TRUE(bytes.startsWith(expected)) << FromCp932(bytes).toStdString();
        EXPECT_EQ(bytes.count("\r\n"), 3);    // header and two employees: no subtotal lines
        EXPECT_EQ(bytes.count('\n'), 3);
        EXPECT_FALSE(bytes.contains('"'));
    }
}

TEST(GroupReportsTest, CsvTextWithCommasQuotesOrLineBreaksReadBackFieldForField)
{
    TestProgramFolder folder;
    Session& s = folder.session();
    s.referenceDate = referenceDay;
    ASSERT_TRUE(OpenYearDatabase(s, 2024, true));
    QList<TSyain_> employees = {employee(1, 1), employee(2, 1), employee(3, 2), employee(4, 2)};
    employees[0].SNA = QStringLiteral("山田, 太郎");
    employees[1].SCOT = QStringLiteral("E\"2\"");
    employees[1].SNA = QStringLiteral("O'Neil \"Bob\"");
    employees[2].SNA = QStringLiteral("改行\r\nあり");
    employees[2].HKIGOU = QStringLiteral("A,B");
    for (GroupReportKind kind : {GroupReportKind::Salary, GroupReportKind::Raise}) {
        SCOPED_TRACE(GroupReportNamesOf(kind).title.toStdString());
        QString path = folder.path(QStringLiteral("group.csv")), error;
        ASSERT_TRUE(WriteGroupReportCsv(s, kind, employees, path, &error)) << error.toStdString();
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();

        // Read back with the employee import's reader: one record per employee, thirteen
        // fields each, the texts as they were.
        bool decoded = false;
        const QStringList records = SplitCsvRecords(DecodeCsvBytes(bytes, &decoded));
        ASSERT_TRUE(decoded);
        ASSERT_EQ(records.size(), 1 + employees.size());
        for (int i = 0; i < employees.size(); ++i) {
            const QStringList fields = SplitCsvLine(records[i + 1]);
            ASSERT_EQ(fields.size(), 13) << records[i + 1].toStdString();
            EXPECT_EQ(fields[0], employees[i].SCOT);
            EXPECT_EQ(fields[1], employees[i].SNA);
            if (kind == GroupReportKind::Raise) {
                EXPECT_EQ(fields[2], employees[i].HKIGOU);
            }
        }
        // Only the fields that need it are quoted: the fourth employee's line is plain.
        EXPECT_TRUE(bytes.contains(ToCp932(QStringLiteral("\r\nE004,社員4,"))));
        EXPECT_TRUE(bytes.contains(ToCp932(QStringLiteral("\r\nE001,\"山田, 太郎\","))));
        EXPECT_TRUE(bytes.contains(ToCp932(QStringLiteral("\r\n\"E\"\"2\"\"\",\"O'Neil \"\"Bob\"\"\","))));
    }
}

TEST(GroupReportsTest, PersonalPagesHoldFourEmployeesAndEveryMarkStartsAPage)
{
    QList<TSyain_> employees = group(1, 5, 1);
    employees << employee(9, 0);
    employees[0].SPATH = QStringLiteral("face.jpg");
    employees[1].SEIHI = 0;
    PersonalHeading h;
    h.yearText = QStringLiteral("2024");
    h.companyName = QStringLiteral("テスト株式会社");
    h.today = QDate(2024, 4, 1);
    h.marks[0].MARK = QStringLiteral("●");
    h.marks[0].HANREI = QStringLiteral("営業");
    h.marks[0].MKCOLOR = 0x0000FF;   // red as 00BBGGRR
    h.calendarMode = 0;
    h.referenceDay = referenceDay;
    const ReportDocument doc = BuildPersonalPages(programFolder, PersonalReportKind::HR, employees, h, {}, {});
    EXPECT_EQ(doc.imagePath, QStringLiteral("/opt/wageloom/Picture"));
    EXPECT_EQ(doc.templatePath, QStringLiteral("/opt/wageloom/Report/Print5000.jfm"));
    ASSERT_EQ(doc.pages.size(), 3);   // 4 + 1 of mark 1, then the employee without a mark
    const ReportPage& one = doc.pages[0];
    EXPECT_EQ(one.fields.value("氏名"), QStringLiteral("社員1"));
    EXPECT_EQ(one.fields.value("L氏名_4"), QStringLiteral("氏名"));
    EXPECT_EQ(one.fields.value("氏名_4"), QStringLiteral("社員4"));
    EXPECT_EQ(one.fields.value("生年月日_2"), QStringLiteral(" "));   // no birth date
    EXPECT_EQ(one.fields.value("年齢_2"), QStringLiteral("0"));
    EXPECT_EQ(one.fields.value("年齢"), QStringLiteral("35"));
    EXPECT_EQ(one.fields.value("勤続"), QStringLiteral("10"));
    EXPECT_EQ(one.fields.value("生年月日"), QStringLiteral("89年04月01日"));
    EXPECT_EQ(one.images.value("IMAGE"), QStringLiteral("face.jpg"));
    EXPECT_FALSE(one.images.contains("IMAGE_2"));
    EXPECT_EQ(one.fields.value("プロットマーク"), QStringLiteral("●"));
    EXPECT_EQ(one.colors.value("グループ名称"), QColor(255, 0, 0));
    EXPECT_EQ(one.fields.value("YMD"), QStringLiteral("2024年04月01日　　P. 1"));
    EXPECT_EQ(one.fields.value("年度"), QStringLiteral("2024 年度"));
    EXPECT_EQ(doc.pages[1].fields.value("氏名"), QStringLiteral("社員5"));
    EXPECT_FALSE(doc.pages[1].fields.contains("氏名_2"));
    EXPECT_FALSE(doc.pages[2].fields.contains("プロットマーク"));
    EXPECT_EQ(doc.pages[2].fields.value("氏名"), QStringLiteral("社員9"));

    const ReportDocument wage = BuildPersonalPages(programFolder, PersonalReportKind::Wage, employees, h, {}, {});
    EXPECT_EQ(wage.pages[0].fields.value("所定給"), QStringLiteral("210,000"));
    EXPECT_EQ(wage.pages[0].fields.value("昇給本年"), QStringLiteral("5,000"));
    EXPECT_TRUE(wage.pages[0].images.isEmpty());
}

namespace {

// A sample company of 2020 opened as the project, as the company list opens it.
class SampleReportsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureGuiApplication();
        WriteAndOpenSampleCompany(folder);
    }
    const Session& session() const { return folder.session(); }
    // With REPORT_PDF_COPY set to a folder, the composed documents are kept there to be looked at.
    void keep(const QString& pdf)
    {
        const QString to = qEnvironmentVariable("REPORT_PDF_COPY");
        if (!to.isEmpty()) {
            QFile::remove(to + '/' + QFileInfo(pdf).fileName());
            QFile::copy(pdf, to + '/' + QFileInfo(pdf).fileName());
        }
    }
    RecordedFailures failures;
    TestProgramFolder folder;
};

QString yen(const QString& number)
{
    return QStringLiteral("%L1").arg(number.toLongLong());
}

} // namespace

TEST_F(SampleReportsTest, SalaryListShowsGroupsSubtotalsAndTotalsOfTheDatabase)
{
    QList<TSyain_> employees;
    ASSERT_TRUE(LoadGroupEmployees(session(), GroupFilter{}, employees));
    ASSERT_FALSE(employees.isEmpty());
    for (GroupReportKind kind : {GroupReportKind::Salary, GroupReportKind::Raise}) {
        ReportDocument doc;
        QString error;
        ASSERT_TRUE(BuildGroupReport(session(), kind, employees, GroupFilter{}, doc, &error)) << error.toStdString();
        ASSERT_TRUE(ComposeReport(doc, &error)) << error.toStdString();
        keep(doc.documentPath);
        if (kind == GroupReportKind::Raise)
            continue;
        const QStringList pages = PdfPages(doc.documentPath);
        ASSERT_EQ(pages.size(), doc.pages.size());
        const QString all = pages.join('\n');
        DbConnection& cn = folder.fdm().ACN2;
        const QString where = " FROM VSYAIN WHERE KCO = 1 AND NENDO = 2020";
        // Each group's subtotal: its count and the sums of its monthly pay and annual income.
        const QStringList marks = Scalar(cn, "SELECT group_concat(MCO) FROM (SELECT DISTINCT MCO" + where + " ORDER BY MCO)").split(',');
        ASSERT_FALSE(marks.isEmpty());
        for (const QString& mco : marks) {
            SCOPED_TRACE(mco.toStdString());
            const QString g = where + " AND MCO = " + mco;
            const QString monthly = Scalar(cn, "SELECT SUM(KKYU1+KKYU2+KKYU3+TEATE1+TEATE2+TEATE3+TEATE4+TEATE5)" + g);
            const QString annual = Scalar(cn, "SELECT SUM((KKYU1+KKYU2+KKYU3+TEATE1+TEATE2+TEATE3+TEATE4+TEATE5)*12+SYOUYO+SYOUYO2)" + g);
            const QString count = Scalar(cn, "SELECT COUNT(*)" + g);
            const QRegularExpression subtotal(QStringLiteral("小計\\s+") + count + "\\s.*" + QRegularExpression::escape(yen(monthly))
                                              + ".*" + QRegularExpression::escape(yen(annual)));
            EXPECT_TRUE(subtotal.match(all).hasMatch()) << yen(monthly).toStdString() << " " << yen(annual).toStdString();
        }
        const QString total = Scalar(cn, "SELECT SUM((KKYU1+KKYU2+KKYU3+TEATE1+TEATE2+TEATE3+TEATE4+TEATE5)*12+SYOUYO+SYOUYO2)" + where);
        const QString count = Scalar(cn, "SELECT COUNT(*)" + where);
        EXPECT_TRUE(QRegularExpression(QStringLiteral("合計\\s+") + count + "\\s.*" + QRegularExpression::escape(yen(total)))
                        .match(all).hasMatch()) << yen(total).toStdString();
        EXPECT_TRUE(WithoutBlanks(all).contains(WithoutBlanks(session().company().KNA)));
    }
}

TEST_F(SampleReportsTest, PersonalReportsPutFourEmployeesAPageWithTheirPictures)
{
    QList<TSyain_> employees;
    ASSERT_TRUE(LoadGroupEmployees(session(), GroupFilter{}, employees));
    // Five employees of one mark; the first has a picture, the others none.
    QList<TSyain_> five;
    for (const TSyain_& e : employees)
        if (five.size() < 5 && (five.isEmpty() || e.MCO == five[0].MCO))
            five << e;
    ASSERT_EQ(five.size(), 5);
    QImage face(90, 120, QImage::Format_RGB32);
    face.fill(QColor(40, 90, 160));
    ASSERT_TRUE(face.save(folder.path("Picture/face.jpg"), "JPEG"));
    for (TSyain_& e : five)
        e.SPATH.clear();
    five[0].SPATH = QStringLiteral("face.jpg");
    for (PersonalReportKind kind : {PersonalReportKind::HR, PersonalReportKind::Wage}) {
        const ReportDocument doc =
            BuildPersonalPages(session().exeFolder, kind, five, PersonalHeadingForProject(session()),
                               LoadEmploymentForms(session()), LoadMatrixTables(session()));
        QString error;
        ASSERT_TRUE(ComposeReport(doc, &error)) << error.toStdString();
        keep(doc.documentPath);
        const QStringList pages = PdfPages(doc.documentPath);
        ASSERT_EQ(pages.size(), 2);
        for (int i = 0; i < 5; ++i)
            EXPECT_TRUE(WithoutBlanks(pages[i / 4]).contains(WithoutBlanks(five[i].SNA))) << five[i].SNA.toStdString();
        EXPECT_TRUE(pages[0].contains(QStringLiteral("氏名")));
        QProcess p;
        p.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), doc.documentPath});
        ASSERT_TRUE(p.waitForFinished(30000));
        const int images = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts).size() - 2;
        EXPECT_EQ(images, kind == PersonalReportKind::HR ? 1 : 0);
    }
}

TEST_F(SampleReportsTest, WageTableOfTheSampleCompanyPrintsItsStepsAndAverage)
{
    QList<TCHNGIN2_> rows;
    ASSERT_TRUE(ReadSalaryTableRows(session(), 1, rows));
    ASSERT_FALSE(rows.isEmpty());
    ASSERT_LE(rows.size(), 32);
    const ReportDocument doc = BuildSalaryListPages(session().exeFolder, rows,
                                                    SalaryListHeadingFor(session(), QStringLiteral("一般職賃金表")));
    QString error;
    ASSERT_TRUE(ComposeReport(doc, &error)) << error.toStdString();
    keep(doc.documentPath);
    const QStringList pages = PdfPages(doc.documentPath);
    ASSERT_EQ(pages.size(), rows.size() == 32 ? 2 : 1);
    EXPECT_TRUE(pages.last().contains(QStringLiteral("平均")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("一般職賃金表")));
    EXPECT_TRUE(WithoutBlanks(pages[0]).contains(WithoutBlanks(session().company().KNA)));
    // Every step's grade-1 amount, as "####,###", on its own line.
    for (const TCHNGIN2_& r : rows)
        if (r.KIN1.toLongLong() != 0) {
            EXPECT_TRUE(QRegularExpression(QStringLiteral("(^|\\n)\\s*") + r.GOUHOU + QStringLiteral("\\s+")
                                           + QRegularExpression::escape(QStringLiteral("%L1").arg(r.KIN1.toLongLong())))
                            .match(pages[0])
                            .hasMatch())
                << r.GOUHOU.toStdString();
        }
}

TEST(SampleGroupCsv, EverySampleCompanysFilesKeepTheirBytes)
{
    // tests/data/group_csv holds the files of every sample company and year as the program
    // wrote them before text fields could be quoted: no sample text needs quoting, so
    // every byte must stay the same.
    RecordedFailures failures;
    TestProgramFolder folder;
    Session& s = folder.session();
    QString error;
    ASSERT_TRUE(WriteSampleCompanies(s, &error)) << error.toStdString();
    int compared = 0;
    for (int year = 2018; year <= 2020; ++year) {
        ASSERT_TRUE(OpenYearDatabase(s, year, false));
        for (int kco = 1; kco <= 2; ++kco) {
            SCOPED_TRACE(QStringLiteral("%1 company %2").arg(year).arg(kco).toStdString());
            const QString name = Scalar(folder.fdm().ACN1, QStringLiteral("SELECT KNA FROM MKIGYOU1 WHERE NENDO = %1 AND KCO = %2").arg(year).arg(kco));
            ASSERT_EQ(OpenCompany(s, year, kco, name), OpenOutcome::Opened);
            QList<TSyain_> employees;
            ASSERT_TRUE(LoadGroupEmployees(s, GroupFilter{}, employees));
            ASSERT_FALSE(employees.isEmpty());
            for (const auto& [kind, file] : {std::pair{GroupReportKind::Salary, "salary"}, std::pair{GroupReportKind::Raise, "raise"}}) {
                SCOPED_TRACE(file);
                QFile expected(QStringLiteral(WAGELOOM_TEST_DATA "/group_csv/%1_%2_%3.csv").arg(QString::fromLatin1(file)).arg(year).arg(kco));
                ASSERT_TRUE(expected.open(QIODevice::ReadOnly)) << expected.fileName().toStdString();
                QString path;
                ASSERT_TRUE(WriteGroupReportCsv(s, kind, employees, path, &error)) << error.toStdString();
                QFile written(path);
                ASSERT_TRUE(written.open(QIODevice::ReadOnly));
                EXPECT_EQ(written.readAll(), expected.readAll());
                ++compared;
            }
        }
    }
    EXPECT_EQ(compared, 12);
    EXPECT_TRUE(failures.reports.isEmpty()) << failures.texts().join('|').toStdString();
}
