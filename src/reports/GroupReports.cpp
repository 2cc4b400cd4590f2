// The group reports: ranges, employees, grouped rows, pages and CSV lines.
#include "reports/GroupReports.h"

#include "core/CodeLists.h"
#include "core/CsvWriter.h"
#include "core/Dates.h"
#include "core/Numbers.h"
#include "shell/ProjectLookups.h"
#include "store/Conversions.h"
#include "store/RecordAccess.h"

#include <QDir>

namespace {

constexpr int LinesPerPage = 32;
constexpr int BlockLimit = 30;
constexpr int RowPitch = 508;
constexpr int RowOffset = 150;

const QString Amount = QStringLiteral("#,##0");

QString amount(long long v)
{
    return FormatFloat(Amount, double(v));
}

// One range: the filter text grows by the names, the bounds come from the codes.
bool addRange(const RangeEnd& start, const RangeEnd& end, bool separated, int& low, int& high, QString& text)
{
    low = start.code == 0 ? -1 : start.code;
    high = end.code == 0 ? 999 : end.code;
    if (separated && !text.isEmpty() && (!start.name.isEmpty() || !end.name.isEmpty()))
        text += QStringLiteral(" ／ ");
    text += start.name;
    if (start.name != end.name)
        text += QStringLiteral("～") + end.name;
    return high >= low;
}

long long truncatedMean(long long sum, int count)
{
    return count == 0 ? 0 : sum / count;   // integer division truncates toward zero
}

SalaryAmounts salaryOf(const TSyain_& e)
{
    SalaryAmounts a;
    a.kihon[0] = e.KKYU1;
    a.kihon[1] = e.KKYU2;
    a.kihon[2] = e.KKYU3;
    a.allowances = (long long)e.TEATE1 + e.TEATE2 + e.TEATE3 + e.TEATE4 + e.TEATE5;
    a.bonus1 = e.SYOUYO;
    a.bonus2 = e.SYOUYO2;
    return a;
}

void add(SalaryAmounts& sum, const SalaryAmounts& a)
{
    for (int i = 0; i < 3; ++i)
        sum.kihon[i] += a.kihon[i];
    sum.allowances += a.allowances;
    sum.bonus1 += a.bonus1;
    sum.bonus2 += a.bonus2;
}

void add(RaiseAmounts& sum, const RaiseAmounts& a)
{
    sum.newBasic += a.newBasic;
    sum.oldBasic += a.oldBasic;
    sum.newAllowances += a.newAllowances;
    sum.oldAllowances += a.oldAllowances;
}

SalaryAmounts mean(const SalaryAmounts& s, int n)
{
    SalaryAmounts a;
    for (int i = 0; i < 3; ++i)
        a.kihon[i] = truncatedMean(s.kihon[i], n);
    a.allowances = truncatedMean(s.allowances, n);
    a.bonus1 = truncatedMean(s.bonus1, n);
    a.bonus2 = truncatedMean(s.bonus2, n);
    return a;
}

RaiseAmounts mean(const RaiseAmounts& s, int n)
{
    return {truncatedMean(s.newBasic, n), truncatedMean(s.oldBasic, n), truncatedMean(s.newAllowances, n),
            truncatedMean(s.oldAllowances, n)};
}

// The sums of a run of employees and the two closing rows they give.
struct Sums {
    int count = 0;
    long long ages = 0, services = 0;
    SalaryAmounts salary;
    RaiseAmounts raise;

    void add(const GroupLine& e)
    {
        ++count;
        ages += e.age;
        services += e.service;
        ::add(salary, e.salary);
        ::add(raise, e.raise);
    }
    void close(QList<GroupLine>& out, GroupLine::Kind sumKind, GroupLine::Kind averageKind, int mark) const
    {
        GroupLine s;
        s.kind = sumKind;
        s.mark = mark;
        s.count = count;
        s.salary = salary;
        s.raise = raise;
        out << s;
        GroupLine a;
        a.kind = averageKind;
        a.mark = mark;
        a.count = count;
        a.ageAverage = count ? double(ages) / count : 0;
        a.serviceAverage = count ? double(services) / count : 0;
        a.salary = mean(salary, count);
        a.raise = mean(raise, count);
        out << a;
    }
};

const QStringList salaryFields = {"SYAINCD", "SIMEI",    "NENREI",   "KINZOKU", "KIHON1", "KIHON2", "KIHON3",
                                  "KIHONKEI", "SYOTEATE", "SYOTEI", "SYOYO1", "SYOYO2", "NENSYU"};
const QStringList raiseFields = {"SYAINCD",   "SIMEI",     "HYOUKA",  "TOUKYU", "GOUHOU", "SYOUGOU", "NKIHON",
                                 "UKIHON",    "NSYOTEATE", "USYOTEATE", "NSYOTEI", "SYOTEI", "UPKIN", "UPRITSU"};

void put(ReportRow& row, const char* field, const QString& text, int align = AlignRightText)
{
    row.cells[QString::fromLatin1(field)] = {text, align};
}

ReportRow salaryRow(const GroupLine& l)
{
    ReportRow r;
    const bool total = l.kind == GroupLine::Total || l.kind == GroupLine::TotalAverage;
    switch (l.kind) {
    case GroupLine::Employee:
        put(r, "SYAINCD", l.code, AlignLeftText);
        put(r, "SIMEI", l.name, AlignLeftText);
        put(r, "NENREI", QString::number(l.age));
        put(r, "KINZOKU", QString::number(l.service));
        break;
    case GroupLine::Subtotal:
    case GroupLine::Total:
        put(r, "SIMEI", total ? QStringLiteral("　合計") : QStringLiteral("　　　　小計"), AlignLeftText);
        put(r, "NENREI", QString::number(l.count));
        break;
    case GroupLine::Average:
    case GroupLine::TotalAverage:
        put(r, "SIMEI", total ? QStringLiteral("　平均") : QStringLiteral("　　　　平均"), AlignLeftText);
        put(r, "NENREI", FormatFloat(QStringLiteral("#0.0"), l.ageAverage));
        put(r, "KINZOKU", FormatFloat(QStringLiteral("#0.0"), l.serviceAverage));
        break;
    }
    const SalaryAmounts& a = l.salary;
    put(r, "KIHON1", amount(a.kihon[0]));
    put(r, "KIHON2", amount(a.kihon[1]));
    put(r, "KIHON3", amount(a.kihon[2]));
    put(r, "KIHONKEI", amount(a.basic()));
    put(r, "SYOTEATE", amount(a.allowances));
    put(r, "SYOTEI", amount(a.monthly()));
    put(r, "SYOYO1", amount(a.bonus1));
    put(r, "SYOYO2", amount(a.bonus2));
    put(r, "NENSYU", amount(a.annual()));
    return r;
}

QString raiseRate(const RaiseAmounts& a)
{
    if (a.oldMonthly() == 0)
        return QString();
    return FormatFloat(QStringLiteral("#0.00"), double(a.raise()) * 100.0 / double(a.oldMonthly()));
}

ReportRow raiseRow(const GroupLine& l)
{
    ReportRow r;
    const bool total = l.kind == GroupLine::Total || l.kind == GroupLine::TotalAverage;
    const RaiseAmounts& a = l.raise;
    switch (l.kind) {
    case GroupLine::Employee:
        put(r, "SYAINCD", l.code, AlignLeftText);
        put(r, "SIMEI", l.name, AlignLeftText);
        put(r, "HYOUKA", l.evaluation, AlignCentreText);
        put(r, "TOUKYU", QString::number(l.grade));
        put(r, "GOUHOU", QString::number(l.step));
        put(r, "SYOUGOU", QString::number(l.newStep));
        put(r, "UPRITSU", raiseRate(a));
        break;
    case GroupLine::Subtotal:
    case GroupLine::Total:
        put(r, "SIMEI", total ? QStringLiteral("　合計") : QStringLiteral("　　　小計"), AlignLeftText);
        put(r, "TOUKYU", QString::number(l.count));
        put(r, "UPRITSU", raiseRate(a));
        break;
    case GroupLine::Average:
    case GroupLine::TotalAverage:
        put(r, "SIMEI", total ? QStringLiteral("　平均") : QStringLiteral("　　　平均"), AlignLeftText);
        break;
    }
    put(r, "NKIHON", amount(a.newBasic));
    put(r, "UKIHON", amount(a.newBasic - a.oldBasic));
    put(r, "NSYOTEATE", amount(a.newAllowances));
    put(r, "USYOTEATE", amount(a.newAllowances - a.oldAllowances));
    put(r, "NSYOTEI", amount(a.newMonthly()));
    put(r, "SYOTEI", amount(a.oldMonthly()));
    put(r, "UPKIN", amount(a.raise()));
    return r;
}

QString ymd(const QDate& d)
{
    return d.toString(QStringLiteral("yyyy年MM月dd日"));
}

} // namespace

GroupReportNames GroupReportNamesOf(GroupReportKind kind)
{
    GroupReportNames n;
    if (kind == GroupReportKind::Salary) {
        n.title = QStringLiteral("グループ別社員賃金レポート");
        n.reportName = QStringLiteral("PrintSyainSalaryList");
    } else {
        n.title = QStringLiteral("グループ別社員昇給レポート");
        n.reportName = QStringLiteral("PrintSyainUpList");
    }
    n.csvFile = n.title + QStringLiteral(".CSV");
    return n;
}

GroupReportKind GroupReportKindOfMode(int reportMode)
{
    return reportMode == 1 ? GroupReportKind::Raise : GroupReportKind::Salary;
}

QString CheckGroupRanges(const GroupRanges& r, GroupFilter& f)
{
    f = GroupFilter{};
    if (!addRange(r.markStart, r.markEnd, false, f.markLow, f.markHigh, f.text))
        return QStringLiteral("マーク範囲の指定に誤りがあります。");
    if (!addRange(r.gradeStart, r.gradeEnd, true, f.gradeLow, f.gradeHigh, f.text))
        return QStringLiteral("等級範囲の指定に誤りがあります。");
    if (!addRange(r.formStart, r.formEnd, true, f.formLow, f.formHigh, f.text))
        return QStringLiteral("就労形態範囲の指定に誤りがあります。");
    return QString();
}

bool LoadGroupEmployees(const Session& s, const GroupFilter& f, QList<TSyain_>& out)
{
    out.clear();
    const TMKIGYOU2& c = s.company();
    TSyain_rec list;
    const SqlCondition where(QStringLiteral(" WHERE MCO BETWEEN ? AND ? AND TOUKYU BETWEEN ? AND ? AND SM1 BETWEEN ? AND ?"
                                            " AND NENDO = ? AND KCO = ? ORDER BY KCO, MCO, SCO"),
                             {f.markLow, f.markHigh, f.gradeLow, f.gradeHigh, f.formLow, f.formHigh,
                              WholeNumberOrZero(c.NENDO), WholeNumberOrZero(c.KCO)});
    if (!ReadAll(*s.year, false, where, QStringLiteral("SELECT * FROM VSYAIN"), list, s.ageReferenceDay()))
        return false;
    out = QList<TSyain_>(list.items.begin(), list.items.end());
    return true;
}

long long NewBasicPay(const TSyain_& e, const MatrixTables& tables)
{
    long long part[3] = {e.NKKYU1, e.NKKYU2, e.NKKYU3};
    if (e.JISEKI >= 1 && e.JISEKI <= 3)
        part[e.JISEKI - 1] = e.NKIN;
    if (e.MLINK >= 1 && e.MLINK <= 3) {
        const long long old[3] = {e.KKYU1, e.KKYU2, e.KKYU3};
        part[e.MLINK - 1] = ComputeZone(tables, e.NEWBANDID, e.NEWYHYOUKA, old[e.MLINK - 1]).newAmount;
    }
    return part[0] + part[1] + part[2];
}

QList<GroupLine> BuildGroupLines(int referenceDay, const QList<TSyain_>& employees, const MatrixTables& tables)
{
    QList<GroupLine> out;
    Sums group, all;
    for (int i = 0; i < employees.size(); ++i) {
        const TSyain_& e = employees[i];
        GroupLine l;
        l.kind = GroupLine::Employee;
        l.mark = e.MCO;
        l.code = e.SCOT;
        l.name = e.SNA;
        l.evaluation = e.HKIGOU;
        l.age = YearsBetween(e.SEIHI, referenceDay);
        l.service = YearsBetween(e.NYUHI, referenceDay);
        l.grade = e.TOUKYU;
        l.step = e.GOUHOU;
        l.newStep = e.SGOUHOU;
        l.salary = salaryOf(e);
        l.raise.oldBasic = l.salary.basic();
        l.raise.oldAllowances = l.salary.allowances;
        l.raise.newBasic = NewBasicPay(e, tables);
        l.raise.newAllowances = (long long)e.NTEATE1 + e.NTEATE2 + e.NTEATE3 + e.NTEATE4 + e.NTEATE5;
        out << l;
        group.add(l);
        all.add(l);
        if (i + 1 == employees.size() || employees[i + 1].MCO != e.MCO) {
            group.close(out, GroupLine::Subtotal, GroupLine::Average, e.MCO);
            group = Sums{};
        }
    }
    if (all.count > 0)
        all.close(out, GroupLine::Total, GroupLine::TotalAverage, 0);
    return out;
}

GroupHeading GroupHeadingFor(const Session& s, const GroupFilter& filter)
{
    GroupHeading h;
    const TMKIGYOU2& company = s.company();
    h.yearText = FiscalYearText(s.calendarMode, company.NENDO.toInt());
    h.companyName = company.KNA.isEmpty() ? s.companyName : company.KNA;
    h.today = s.today;
    h.referenceDate = s.ageReferenceDay();
    h.filterText = filter.text;
    for (const TMMARK& m : s.project.Marks)
        h.markTexts << (m.MARK + QStringLiteral(" ") + m.HANREI).trimmed();
    return h;
}

QStringList GroupReportRowFields(GroupReportKind kind)
{
    return kind == GroupReportKind::Salary ? salaryFields : raiseFields;
}

ReportDocument BuildGroupReportPages(const QString& exeFolder, GroupReportKind kind, const QList<GroupLine>& lines,
                                     const GroupHeading& h, const ReportTemplate& tpl)
{
    const GroupReportNames names = GroupReportNamesOf(kind);
    ReportDocument doc = ReportDocumentFor(exeFolder, names.reportName, names.title);
    doc.author = h.companyName;
    const QStringList fields = GroupReportRowFields(kind);
    // The row's box: the row fields' span, its rules at their edges.
    QList<int> edges;
    int top = 0, bottom = RowPitch;
    for (const QString& f : fields) {
        const ReportRect r = tpl.fieldRect(f);
        if (r.width() > 0) {
            edges << r.left;
            top = r.top;
            bottom = r.bottom;
        }
    }
    int right = 0;
    for (const QString& f : fields)
        right = std::max(right, tpl.fieldRect(f).right);
    if (!edges.isEmpty())
        edges << right;
    const int left = edges.isEmpty() ? 0 : *std::min_element(edges.begin(), edges.end());

    int line = 100;
    int lastDrawnLine = -1;
    auto closePage = [&] {
        if (!doc.pages.isEmpty() && lastDrawnLine >= 0) {
            const int y = bottom + lastDrawnLine * RowPitch + RowOffset;
            doc.pages.last().drawLine(left, y, right, y);
        }
    };
    // A page's heading names the group its rows belong to (none for the closing total).
    auto header = [&](int mark) {
        closePage();
        ReportPage& p = doc.newPage();
        line = 0;
        lastDrawnLine = -1;
        p.setFieldText(QStringLiteral("NENDO"), h.yearText + QStringLiteral(" 年度　：　") + h.companyName);
        p.setFieldText(QStringLiteral("TITLE"), names.title);
        p.setFieldText(QStringLiteral("YMD"), ymd(h.today) + QStringLiteral("　　P. ") + QString::number(p.number));
        const QString group = mark >= 1 && mark <= h.markTexts.size() ? h.markTexts[mark - 1] : QString();
        p.setFieldText(QStringLiteral("BUSYO"), group.isEmpty() ? h.filterText
                                                                : h.filterText + QStringLiteral("　　グループ：") + group);
        if (kind == GroupReportKind::Salary) {
            const QDate ref(h.referenceDate / 10000, h.referenceDate / 100 % 100, h.referenceDate % 100);
            p.setFieldText(QStringLiteral("KIJUNBI"), QStringLiteral("年齢・勤続は") + ymd(ref) + QStringLiteral("現在"));
            p.setFieldText(QStringLiteral("CKIHON1"), QStringLiteral("項目Ⅰ"));
            p.setFieldText(QStringLiteral("CKIHON2"), QStringLiteral("項目Ⅱ"));
            p.setFieldText(QStringLiteral("CKIHON3"), QStringLiteral("項目Ⅲ"));
        }
        // The heading row's rule, one row pitch above the first data row.
        const int y = top + RowOffset - RowPitch;
        p.drawLine(left, y, right, y);
    };
    auto draw = [&](const GroupLine& l, bool ruleUnder) {
        ReportRow row = kind == GroupReportKind::Salary ? salaryRow(l) : raiseRow(l);
        row.line = line;
        row.offset = line * RowPitch + RowOffset;
        ReportPage& p = doc.pages.last();
        for (int x : edges)
            p.drawLine(x, top + row.offset, x, bottom + row.offset);
        if (ruleUnder)
            p.drawLine(left, bottom + row.offset, right, bottom + row.offset);
        p.rows << row;
        lastDrawnLine = line;
    };

    bool groupStarts = true;
    for (const GroupLine& l : lines) {
        switch (l.kind) {
        case GroupLine::Employee:
            if (groupStarts)
                line = 100;   // every group starts on a new page
            groupStarts = false;
            if (line >= LinesPerPage)
                header(l.mark);
            draw(l, false);
            ++line;
            break;
        case GroupLine::Subtotal:
        case GroupLine::Total:
            if (line >= BlockLimit)
                header(l.kind == GroupLine::Total ? 0 : l.mark);
            ++line;
            draw(l, false);
            ++line;
            break;
        case GroupLine::Average:
        case GroupLine::TotalAverage:
            // The counter stays on the average row: the total block follows it directly.
            draw(l, true);
            groupStarts = true;
            break;
        }
    }
    closePage();
    return doc;
}

SheetTable GroupReportTable(GroupReportKind kind, const QList<GroupLine>& lines)
{
    SheetTable table;
    table.sheetName = GroupReportNamesOf(kind).title;
    const QString heading =
        kind == GroupReportKind::Salary
            ? QStringLiteral("社員コード,氏名,年齢,勤続年数,項目Ⅰ,項目Ⅱ,項目Ⅲ,基本給,諸手当,所定給,上期賞与,下期賞与,年間収入")
            : QStringLiteral("社員コード,氏名,評価,等級,号俸,昇格号俸,New基本給,Up基本給,New諸手当,Up諸手当,New所定給,所定給,昇給額");
    SheetRow names;
    for (const QString& name : heading.split(','))
        names << SheetCell::Text(name);
    table.rows << names;
    auto whole = [](long long v) { return SheetCell::Number(double(v), SheetWholeFormat, QString::number(v)); };
    auto amount = [](long long v) { return SheetCell::Number(double(v), SheetAmountFormat, QString::number(v)); };
    for (const GroupLine& l : lines) {
        if (l.kind != GroupLine::Employee)
            continue;
        // Codes, names and symbols are typed text: quoted in the CSV only when they hold a
        // comma, a quote or a line break, so every other line keeps its plain form.
        const auto text = [](const QString& t) { return SheetCell::Text(t, CsvField(t)); };
        SheetRow row{text(l.code), text(l.name)};
        if (kind == GroupReportKind::Salary) {
            const SalaryAmounts& a = l.salary;
            row << whole(l.age) << whole(l.service) << amount(a.kihon[0]) << amount(a.kihon[1]) << amount(a.kihon[2])
                << amount(a.basic()) << amount(a.allowances) << amount(a.monthly()) << amount(a.bonus1)
                << amount(a.bonus2) << amount(a.annual());
        } else {
            const RaiseAmounts& a = l.raise;
            row << text(l.evaluation) << whole(l.grade) << whole(l.step) << whole(l.newStep)
                << amount(a.newBasic) << amount(a.newBasic - a.oldBasic) << amount(a.newAllowances)
                << amount(a.newAllowances - a.oldAllowances) << amount(a.newMonthly()) << amount(a.oldMonthly())
                << amount(a.raise());
        }
        table.rows << row;
    }
    return table;
}

QStringList GroupReportCsvLines(GroupReportKind kind, const QList<GroupLine>& lines)
{
    return SheetCsvLines(GroupReportTable(kind, lines));
}

bool BuildGroupReport(const Session& s, GroupReportKind kind, const QList<TSyain_>& employees,
                      const GroupFilter& filter, ReportDocument& doc, QString* error)
{
    const ReportDocument names = ReportDocumentFor(s.exeFolder, GroupReportNamesOf(kind).reportName, QString());
    ReportTemplate tpl;
    if (!LoadReportTemplate(names.templatePath, tpl, error))
        return false;
    const QList<GroupLine> lines = BuildGroupLines(s.ageReferenceDay(), employees, LoadMatrixTables(s));
    doc = BuildGroupReportPages(s.exeFolder, kind, lines, GroupHeadingFor(s, filter), tpl);
    return true;
}

bool WriteGroupReportCsv(const Session& s, GroupReportKind kind, const QList<TSyain_>& employees, QString& path,
                         QString* error, const TableFileFormat& format)
{
    if (path.isEmpty()) {
        path = s.exeFolder + QStringLiteral("CSV/") + GroupReportNamesOf(kind).csvFile;
        if (format.kind == SheetFileKind::Xlsx)
            path = XlsxPathOf(path);
    }
    return WriteTableFile(path,
                          GroupReportTable(kind, BuildGroupLines(s.ageReferenceDay(), employees, LoadMatrixTables(s))),
                          SheetPropertiesFor(s, GroupReportNamesOf(kind).title), format, error);
}

RangeLists RangeListsForProject(const Session& s)
{
    RangeLists lists;
    for (const TMMARK& m : s.project.Marks)
        if (m.MKCO != 0)
            lists.marks << QString::number(m.MKCO) + QStringLiteral(" : ") + m.MARK + QStringLiteral("  ") + m.HANREI;
    for (int g = 0; g < 9; ++g)
        lists.grades << QString::number(g + 1) + QStringLiteral(" : ") + s.company().TK[g];
    for (const TSALARYNAME& f : LoadEmploymentForms(s))
        if (!f.listText.isEmpty())
            lists.forms << f.listText;
    return lists;
}

bool RangeEndOf(const QStringList& items, int code, RangeEnd& end)
{
    end = {};
    if (code == 0)
        return true;
    for (const QString& item : items)
        if (SelectedCodeOf(item) == code) {
            end = {code, NameOf(item)};
            return true;
        }
    return false;
}

Outcome SelectGroupEmployees(const Session& s, const GroupRanges& ranges, GroupFilter& filter,
                             QList<TSyain_>& employees)
{
    const QString refused = CheckGroupRanges(ranges, filter);
    if (!refused.isEmpty())
        return Outcome::Refused(refused);
    if (!LoadGroupEmployees(s, filter, employees))
        return Outcome::Failed(QString());
    return Outcome::Done();
}

Outcome ExportGroupReportCsv(const Session& s, GroupReportKind kind, const QList<TSyain_>& employees,
                             const QString& target, const TableFileFormat& format)
{
    if (employees.isEmpty())
        return Outcome::Refused(QStringLiteral("対象データは有りません。"));
    QString path = target, error;
    if (!WriteGroupReportCsv(s, kind, employees, path, &error, format))
        return Outcome::Failed(TableWriteErrorHeading(format.kind)
                               + QDir::toNativeSeparators(path) + QStringLiteral("\r\n") + error);
    if (!target.isEmpty())
        return Outcome::Done(CsvWrittenToFileMessage(GroupReportNamesOf(kind).title, path));
    return Outcome::Done(QStringLiteral("CSVディレクトリに") + GroupReportNamesOf(kind).title
                         + QStringLiteral("が出力されました。"));
}
