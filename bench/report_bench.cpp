// Report benchmark: the 9-grade wage table of 91 steps and the group salary list of 1,000
// generated employees in 10 marks, each composed to PDF by the report composer (page
// model, template, shrink-to-fit texts), against the same texts and rules drawn straight
// with QPainter on a QPdfWriter, in the same run.
//
//   report_bench [runs]     (default 7)
#include "BenchData.h"
#include "reports/GroupReports.h"
#include "reports/ReportComposer.h"
#include "shell/Session.h"
#include "wagetable/SalaryListReport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr double Dots = 1200 / 2540.0;   // device dots per engine unit at 1200 dpi

QList<TCHNGIN2_> wageTable(int steps)
{
    QList<TCHNGIN2_> rows;
    for (int s = 1; s <= steps; ++s) {
        TCHNGIN2_ r;
        r.GOUHOU = QString::number(s);
        QString* kin[9] = {&r.KIN1, &r.KIN2, &r.KIN3, &r.KIN4, &r.KIN5, &r.KIN6, &r.KIN7, &r.KIN8, &r.KIN9};
        QString* ks[9] = {&r.KS1, &r.KS2, &r.KS3, &r.KS4, &r.KS5, &r.KS6, &r.KS7, &r.KS8, &r.KS9};
        for (int g = 0; g < 9; ++g) {
            *kin[g] = QString::number(180000 + g * 30000 + (s - 1) * (800 + g * 150));
            *ks[g] = QString::number(800 + g * 150);
        }
        rows << r;
    }
    return rows;
}

// What the reference draws: every text with its box, alignment and size, every rule.
struct Flat {
    struct Text {
        QRectF box;
        int flags;
        double points;
        QString text;
    };
    struct Page {
        QList<Text> texts;
        QList<QLineF> lines;
    };
    QList<Page> pages;
};

QRectF dots(const ReportRect& r)
{
    return QRectF(QPointF(r.left * Dots, r.top * Dots), QPointF(r.right * Dots, r.bottom * Dots));
}

int flagsOf(int align)
{
    return Qt::AlignVCenter | (align == AlignRightText ? Qt::AlignRight : align == AlignCentreText ? Qt::AlignHCenter : Qt::AlignLeft);
}

Flat flatten(const ReportTemplate& t, const ReportDocument& doc)
{
    Flat flat;
    for (const ReportPage& p : doc.pages) {
        Flat::Page page;
        for (const TemplateLine& l : t.lines)
            page.lines << QLineF(l.x1 * Dots, l.y1 * Dots, l.x2 * Dots, l.y2 * Dots);
        for (const TemplateText& x : t.texts)
            page.texts << Flat::Text{dots(x.rect), flagsOf(x.align), x.size, x.text};
        for (const ReportLine& l : p.lines)
            page.lines << QLineF(l.x1 * Dots, l.y1 * Dots, l.x2 * Dots, l.y2 * Dots);
        for (auto it = p.fields.cbegin(); it != p.fields.cend(); ++it)
            if (const TemplateField* f = t.field(it.key()))
                page.texts << Flat::Text{dots(f->rect), flagsOf(f->align), f->size, it.value()};
        for (const ReportRow& row : p.rows)
            for (auto it = row.cells.cbegin(); it != row.cells.cend(); ++it)
                if (const TemplateField* f = t.field(it.key()); f && !it.value().text.isEmpty())
                    page.texts << Flat::Text{dots(f->rect.movedDown(row.offset)), flagsOf(it.value().align), f->size,
                                             it.value().text};
        flat.pages << page;
    }
    return flat;
}

void drawBare(const Flat& flat, const ReportTemplate& t, const QString& path)
{
    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), t.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0)));
    QPainter p(&writer);
    QFont font(ReportFontFamily);
    p.setPen(QPen(Qt::black, 10 * Dots));
    bool first = true;
    for (const Flat::Page& page : flat.pages) {
        if (!first)
            writer.newPage();
        first = false;
        for (const QLineF& l : page.lines)
            p.drawLine(l);
        for (const Flat::Text& x : page.texts) {
            if (font.pointSizeF() != x.points) {
                font.setPointSizeF(x.points);
                p.setFont(font);
            }
            p.drawText(x.box, x.flags, x.text);
        }
    }
}

// Runs both drawings runs times and prints the table and the ratio of the medians.
template <class Compose>
double compare(const char* what, int runs, Compose compose, const Flat& flat, const ReportTemplate& tpl, const QString& bareFile,
               double* composedMedian)
{
    compose();
    drawBare(flat, tpl, bareFile);
    long long texts = 0;
    for (const auto& p : flat.pages)
        texts += p.texts.size();
    std::printf("\n%s: %d pages, %lld texts\n", what, int(flat.pages.size()), texts);
    std::printf("%4s %12s %12s %8s\n", "run", "composer ms", "bare ms", "ratio");
    std::vector<double> composed, bare;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        if (!compose())
            return -1;
        const double c = t.nsecsElapsed() / 1e6;
        t.restart();
        drawBare(flat, tpl, bareFile);
        const double b = t.nsecsElapsed() / 1e6;
        composed.push_back(c);
        bare.push_back(b);
        std::printf("%4d %12.1f %12.1f %8.2f\n", i + 1, c, b, c / b);
    }
    const double ratio = Median(composed) / Median(bare);
    std::printf("%4s %12.1f %12.1f %8.2f\n", "med", Median(composed), Median(bare), ratio);
    *composedMedian = Median(composed);
    return ratio;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;

    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("Report"));
    QFile::copy(QStringLiteral(WAGELOOM_SOURCE_DATA "/Report/PrintSalaryList.jfm"),
                dir.path() + QStringLiteral("/Report/PrintSalaryList.jfm"));
    const QString exeFolder = dir.path() + '/';
    const QList<TCHNGIN2_> rows = wageTable(91);
    const SalaryListHeading heading{QStringLiteral("2024 年度"), QStringLiteral("株式会社　金山鉄工所"),
                                    QStringLiteral("総合職賃金表"), QStringLiteral("2024年04月01日")};

    for (const char* name : {"PrintSyainSalaryList.jfm"})
        QFile::copy(QStringLiteral(WAGELOOM_SOURCE_DATA "/Report/") + name, dir.path() + QStringLiteral("/Report/") + name);
    QString error;
    auto load = [&](const QString& name, ReportTemplate& t) {
        if (!LoadReportTemplate(dir.path() + QStringLiteral("/Report/") + name, t, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return false;
        }
        return true;
    };
    ReportTemplate wageTemplate, groupTemplate;
    if (!load(QStringLiteral("PrintSalaryList.jfm"), wageTemplate) || !load(QStringLiteral("PrintSyainSalaryList.jfm"), groupTemplate))
        return 1;
    const QString bareFile = dir.path() + QStringLiteral("/bare.pdf");

    // The wage table: page model built and composed (the template read each time).
    double wageMs = 0;
    const double wageRatio = compare(
        "wage table of 91 steps, 9 grades", runs,
        [&] {
            if (ComposeReport(BuildSalaryListPages(exeFolder, rows, heading), &error))
                return true;
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return false;
        },
        flatten(wageTemplate, BuildSalaryListPages(exeFolder, rows, heading)), wageTemplate, bareFile, &wageMs);

    // The group salary list: rows grouped and totalled, pages laid out, composed.
    const QList<TSyain_> people = PaidEmployees(1000, 10);
    const GroupHeading groupHeading{QStringLiteral("2024"), QStringLiteral("株式会社　金山鉄工所"), QDate(2024, 4, 1), 20240401,
                                    QString()};
    auto groupDoc = [&] {
        ReportTemplate t;
        LoadReportTemplate(dir.path() + QStringLiteral("/Report/PrintSyainSalaryList.jfm"), t, nullptr);
        return BuildGroupReportPages(exeFolder, GroupReportKind::Salary, BuildGroupLines(20240401, people, {}),
                                     groupHeading, t);
    };
    double groupMs = 0;
    const double groupRatio = compare(
        "group salary list of 1,000 employees in 10 marks", runs,
        [&] {
            if (ComposeReport(groupTemplate, groupDoc(), &error))
                return true;
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return false;
        },
        flatten(groupTemplate, groupDoc()), groupTemplate, bareFile, &groupMs);
    if (wageRatio < 0 || groupRatio < 0)
        return 1;
    std::printf("\nwage table: ratio of medians %.2f (aim: within 1.5)\n", wageRatio);
    std::printf("group salary list: ratio of medians %.2f (aim: within 1.5), composed in %.0f ms (aim: under 1 s)\n",
                groupRatio, groupMs);
    return 0;
}
