// The printed raise-curve design: the page layout of the DCHINGIN rows.
#include "plot/RaiseCurveDesignReport.h"

#include "plot/PlotLayout.h"
#include "plot/PlotSetup.h"
#include "core/Numbers.h"

#include <algorithm>
#include <map>

namespace {

const QString amountFormat = QStringLiteral("#,##0");

QString nenreiField(int n) { return QStringLiteral("NENREI%1").arg(n); }
QString kinField(int n) { return QStringLiteral("KIN%1").arg(n); }
QString kakuField(int n) { return QStringLiteral("KAKU%1").arg(n); }

ReportRow rowAt(int line)
{
    ReportRow r;
    r.line = line;
    r.offset = DesignListRowPitch * line + DesignListRowOffset;
    return r;
}

void setCell(ReportRow& row, const QString& field, const QString& text)
{
    row.cells[field] = {text, AlignRightText};
}

void drawCaption(ReportPage& page, const ReportRect& field, int align, const QString& text)
{
    const ReportRect r = field.movedDown(-DesignListCaptionRise);
    page.drawTextBox(r.left, r.top, r.right, r.bottom, align, text);
}

} // namespace

DesignListHeading DesignListHeadingFor(const Session& s, const QString& title, int xCode, int yCode)
{
    DesignListHeading h;
    h.page = SalaryListHeadingFor(s, title);
    if (const PlotSetupVariant* v = SetupVariant(ChartCurveDesign)) {
        h.xCaption = v->xItems[std::clamp(xCode, 0, 5)].caption;
        h.yCaption = v->yItems[std::clamp(yCode, 0, 5)].caption;
    }
    return h;
}

ReportDocument BuildDesignListPages(const QString& exeFolder, const QList<TCHNGIN_>& rows,
                                    const DesignListHeading& heading, const ReportTemplate& tpl)
{
    ReportDocument doc = ReportDocumentFor(exeFolder, DesignListReportName, DesignListDocName);
    doc.author = heading.page.companyName;
    doc.fontSize = DesignListFontSize;
    if (rows.isEmpty())
        return doc;

    // The field rectangle query, once.
    ReportRect nenrei[DesignCurveCount], kin[DesignCurveCount], kaku[DesignCurveCount];
    for (int n = 0; n < DesignCurveCount; ++n) {
        nenrei[n] = tpl.fieldRect(nenreiField(n + 1));
        kin[n] = tpl.fieldRect(kinField(n + 1));
        kaku[n] = tpl.fieldRect(kakuField(n + 1));
    }

    int line = DesignListLinesPerPage;
    auto newPage = [&] {
        ReportPage& page = doc.newPage();
        page.setFieldText(QStringLiteral("NENDO"), heading.page.yearLabel);
        page.setFieldText(QStringLiteral("CORPNAME"), heading.page.companyName);
        page.setFieldText(QStringLiteral("TITLE"), heading.page.title);
        page.setFieldText(QStringLiteral("YMD"),
                          heading.page.date + QStringLiteral("　　P. ") + QString::number(page.number));
        for (int n = 0; n < DesignCurveCount; ++n) {
            drawCaption(page, nenrei[n], AlignCentreText, heading.xCaption);
            drawCaption(page, kin[n], AlignRightText, heading.yCaption);
            drawCaption(page, kaku[n], AlignRightText, QStringLiteral("格差"));
        }
        line = 0;
    };

    std::map<int, std::map<int, const TCHNGIN_*>> byNo;   // NO -> curve -> row
    for (const TCHNGIN_& r : rows)
        byNo[r.NO][r.SDCO] = &r;
    for (const auto& [no, curves] : byNo) {
        if (line >= DesignListLinesPerPage)
            newPage();
        ReportRow l = rowAt(line);
        for (const auto& [n, r] : curves) {
            if (n < 1 || n > DesignCurveCount)
                continue;
            setCell(l, nenreiField(n), QString::number(r->SNENREI));
            setCell(l, kinField(n), FormatFloat(amountFormat, double(r->SKIN)));
            setCell(l, kakuField(n), QString::number(r->KAKUSA));
        }
        doc.pages.last().rows.append(l);
        ++line;
    }

    if (line >= DesignListLinesPerPage)
        newPage();
    ReportRow average = rowAt(DesignListAverageLine);
    const auto summaries = SummariseDesignRows(rows);
    for (int n = 0; n < DesignCurveCount; ++n) {
        const DesignCurveSummary& s = summaries[n];
        if (s.count == 0)
            continue;
        setCell(average, nenreiField(n + 1), QStringLiteral("平均"));
        setCell(average, kinField(n + 1), FormatFloat(amountFormat, s.meanAmount));
        if (s.count >= 2)
            setCell(average, kakuField(n + 1), FormatFloat(amountFormat, s.meanStep));
    }
    doc.pages.last().rows.append(average);
    return doc;
}

Outcome PrepareDesignList(const Session& s, const RaiseCurveDesign& design, const QString& title, ReportDocument& doc)
{
    QList<TCHNGIN_> rows;
    if (const Outcome read = RebuildAndReadDesignTable(s, design, DesignListNoDataMessage, rows); !read.ok)
        return read;
    const ReportDocument names = ReportDocumentFor(s.exeFolder, DesignListReportName, DesignListDocName);
    ReportTemplate tpl;
    QString error;
    if (!LoadReportTemplate(names.templatePath, tpl, &error))
        return Outcome::Warned(error);
    doc = BuildDesignListPages(s.exeFolder, rows, DesignListHeadingFor(s, title, design.xCode, design.yCode), tpl);
    return Outcome::Done();
}
