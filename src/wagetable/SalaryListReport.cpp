// The combined wage table report: page layout of the generated rows.
#include "wagetable/SalaryListReport.h"

#include "shell/AppState.h"
#include "shell/Dates.h"
#include "shell/Numbers.h"
#include "store/DialogService.h"

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

SalaryListLine lineAt(int line)
{
    SalaryListLine l;
    l.line = line;
    l.offset = SalaryListRowPitch * line + SalaryListRowOffset;
    return l;
}

} // namespace

SalaryListHeading SalaryListHeadingFor(const QString& title)
{
    SalaryListHeading h;
    const int year = Project().CurrentCompany.NENDO.toInt();
    h.yearLabel = FiscalYearText(App().CalendarMode, year) + QStringLiteral(" 年度");
    h.companyName = Project().CurrentCompany.KNA.isEmpty() ? App().CompanyName : Project().CurrentCompany.KNA;
    h.title = title;
    h.date = CurrentDate().toString(QStringLiteral("yyyy年MM月dd日"));
    return h;
}

SalaryListPages BuildSalaryListPages(const QList<TCHNGIN2_>& rows, const SalaryListHeading& heading)
{
    SalaryListPages doc;
    doc.templatePath = App().ExeFolder + QStringLiteral("Report/PrintSalaryList.jfm");
    doc.documentPath = App().ExeFolder + QStringLiteral("Report/wkPrintSalaryList.pdf");
    doc.docName = QStringLiteral("賃金表");
    doc.rowFields << QStringLiteral("GOU");
    for (int g = 1; g <= 9; ++g)
        doc.rowFields << QStringLiteral("KIN%1").arg(g) << QStringLiteral("KAKU%1").arg(g);
    if (rows.isEmpty())
        return doc;

    int line = SalaryListLinesPerPage;
    auto newPage = [&] {
        SalaryListPage page;
        page.number = doc.pages.size() + 1;
        page.fields[QStringLiteral("PAGE")] = QStringLiteral("　PAGE-") + QString::number(page.number);
        page.fields[QStringLiteral("NENDO")] = heading.yearLabel;
        page.fields[QStringLiteral("CORPNAME")] = heading.companyName;
        page.fields[QStringLiteral("TITLE")] = heading.title;
        page.fields[QStringLiteral("YMD")] = heading.date;
        doc.pages.append(page);
        line = 0;
    };

    long long sum[9] = {}, count[9] = {}, first[9] = {}, last[9] = {};
    for (const TCHNGIN2_& r : rows) {
        if (line >= SalaryListLinesPerPage)
            newPage();
        SalaryListLine l = lineAt(line);
        l.GOU = FormatFloat(QStringLiteral("##0"), r.GOUHOU.toDouble());
        for (int g = 0; g < 9; ++g) {
            const long long amount = amountOf(r, g)->toLongLong();
            l.KIN[g] = FormatFloat(amountFormat, double(amount));
            l.KAKU[g] = FormatFloat(ratioFormat, ratioOf(r, g)->toDouble());
            if (amount != 0) {
                if (count[g] == 0)
                    first[g] = amount;
                last[g] = amount;
                sum[g] += amount;
                ++count[g];
            }
        }
        doc.pages.last().lines.append(l);
        ++line;
    }

    if (line >= SalaryListLinesPerPage)
        newPage();
    SalaryListLine avg = lineAt(SalaryListAverageLine);
    avg.average = true;
    avg.GOU = QStringLiteral("平均");
    for (int g = 0; g < 9; ++g) {
        if (count[g] >= 1)
            avg.KIN[g] = FormatFloat(amountFormat, double(sum[g]) / double(count[g]));
        if (count[g] >= 2)
            avg.KAKU[g] = FormatFloat(ratioFormat, double(last[g] - first[g]) / double(count[g] - 1));
    }
    doc.pages.last().lines.append(avg);
    return doc;
}

void PrintSalaryListDocument(const SalaryListPages& pages)
{
    Q_UNUSED(pages);
    Dialogs().information(AppTitle, QStringLiteral("帳票の印刷は現在準備中です。"));
}
