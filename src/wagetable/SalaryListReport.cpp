// The combined wage table report: page layout of the generated rows.
#include "wagetable/SalaryListReport.h"

#include "core/Dates.h"
#include "core/Numbers.h"

namespace {

const QString amountFormat = QStringLiteral("####,###");
const QString ratioFormat = QStringLiteral("#,###");

const QString* amountOf(const TCHNGIN2_& r, int g)
{
    const QString* kin[9] = {&r.KIN1, &r.KIN2, &r.KIN3, &r.KIN4, &r.KIN5, &r.KIN6, &r.KIN7, &r.KIN8, &r.KIN9};
    return kin[g];
}

const QString* ratioOf(const TCHNGIN2_& r, int g)
{
    const QString* ks[9] = {&r.KS1, &r.KS2, &r.KS3, &r.KS4, &r.KS5, &r.KS6, &r.KS7, &r.KS8, &r.KS9};
    return ks[g];
}

ReportRow rowAt(int line)
{
    ReportRow r;
    r.line = line;
    r.offset = SalaryListRowPitch * line + SalaryListRowOffset;
    return r;
}

void setCell(ReportRow& row, const QString& field, const QString& text)
{
    row.cells[field] = {text, AlignRightText};
}

const QString gou = QStringLiteral("GOU");
QString kinField(int g) { return QStringLiteral("KIN%1").arg(g + 1); }
QString kakuField(int g) { return QStringLiteral("KAKU%1").arg(g + 1); }

} // namespace

SalaryListHeading SalaryListHeadingFor(const Session& s, const QString& title)
{
    SalaryListHeading h;
    const TMKIGYOU2& company = s.company();
    const int year = company.NENDO.toInt();
    h.yearLabel = FiscalYearText(s.calendarMode, year) + QStringLiteral(" 年度");
    h.companyName = company.KNA.isEmpty() ? s.companyName : company.KNA;
    h.title = title;
    h.date = s.today.toString(QStringLiteral("yyyy年MM月dd日"));
    h.day = s.today;
    return h;
}

QStringList SalaryListRowFields()
{
    QStringList fields{gou};
    for (int g = 0; g < 9; ++g)
        fields << kinField(g) << kakuField(g);
    return fields;
}

ReportDocument BuildSalaryListPages(const QString& exeFolder, const QList<TCHNGIN2_>& rows,
                                    const SalaryListHeading& heading)
{
    ReportDocument doc = ReportDocumentFor(exeFolder, QStringLiteral("PrintSalaryList"), QStringLiteral("賃金表"));
    doc.author = heading.companyName;
    if (rows.isEmpty())
        return doc;

    int line = SalaryListLinesPerPage;
    auto newPage = [&] {
        ReportPage& page = doc.newPage();
        page.setFieldText(QStringLiteral("PAGE"), QStringLiteral("　PAGE-") + QString::number(page.number));
        page.setFieldText(QStringLiteral("NENDO"), heading.yearLabel);
        page.setFieldText(QStringLiteral("CORPNAME"), heading.companyName);
        page.setFieldText(QStringLiteral("TITLE"), heading.title);
        page.setFieldText(QStringLiteral("YMD"), heading.date);
        line = 0;
    };

    long long sum[9] = {}, count[9] = {}, first[9] = {}, last[9] = {};
    for (const TCHNGIN2_& r : rows) {
        if (line >= SalaryListLinesPerPage)
            newPage();
        ReportRow l = rowAt(line);
        setCell(l, gou, FormatFloat(QStringLiteral("##0"), r.GOUHOU.toDouble()));
        for (int g = 0; g < 9; ++g) {
            const long long amount = amountOf(r, g)->toLongLong();
            setCell(l, kinField(g), FormatFloat(amountFormat, double(amount)));
            setCell(l, kakuField(g), FormatFloat(ratioFormat, ratioOf(r, g)->toDouble()));
            if (amount != 0) {
                if (count[g] == 0)
                    first[g] = amount;
                last[g] = amount;
                sum[g] += amount;
                ++count[g];
            }
        }
        doc.pages.last().rows.append(l);
        ++line;
    }

    if (line >= SalaryListLinesPerPage)
        newPage();
    ReportRow avg = rowAt(SalaryListAverageLine);
    setCell(avg, gou, QStringLiteral("平均"));
    for (int g = 0; g < 9; ++g) {
        if (count[g] >= 1)
            setCell(avg, kinField(g), FormatFloat(amountFormat, double(sum[g]) / double(count[g])));
        if (count[g] >= 2)
            setCell(avg, kakuField(g), FormatFloat(ratioFormat, double(last[g] - first[g]) / double(count[g] - 1)));
    }
    doc.pages.last().rows.append(avg);
    return doc;
}
