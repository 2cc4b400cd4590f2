// The pay-gap disclosure as CSV, printed document and summary lines.
#include "paygap/PayGapReport.h"

#include "core/CsvWriter.h"
#include "paygap/PayGapStore.h"
#include "shell/ProjectLookups.h"

#include <QDir>
#include <QLocale>

#include <cmath>

namespace {

QString yen(long long amount) { return QString::number(amount); }
QString grouped(long long amount) { return QLocale(QLocale::English).toString(amount); }

QString dateText(int yyyymmdd)
{
    if (yyyymmdd <= 0)
        return QString();
    return QStringLiteral("%1年%2月%3日").arg(yyyymmdd / 10000).arg(yyyymmdd / 100 % 100).arg(yyyymmdd % 100);
}

const QStringList TableHeading = {QStringLiteral("男性人数"), QStringLiteral("女性人数"),
                                  QStringLiteral("男性平均年間賃金"), QStringLiteral("女性平均年間賃金"),
                                  QStringLiteral("男女の賃金の差異")};

struct Breakdown {
    QString title;
    const QList<BreakdownRow>* rows;
};

QList<Breakdown> breakdownsOf(const PayGapResult& r)
{
    return {{QStringLiteral("資格等級別"), &r.byGrade},
            {QStringLiteral("年齢階層別"), &r.byAge},
            {QStringLiteral("勤続年数別"), &r.byService}};
}

} // namespace

long long RegularMonthlyHoursMilli(const Session& s)
{
    const double hours = s.company().SYOTEIMM;
    return hours > 0 ? std::llround(hours * 1000.0) : 0;
}

PayGapRun RunPayGapWith(const Session& s, const PayGapSettings& settings)
{
    PayGapRun run;
    run.settings = settings;
    std::map<QString, ActualWage> actual;
    QList<PayGapPerson> people;
    if (!ReadActualWages(s, actual) || !LoadPayGapPeople(s, settings, actual, people)) {
        run.outcome = Outcome::Failed(QString());
        return run;
    }
    run.result = ComputePayGap(people, settings, RegularMonthlyHoursMilli(s));
    return run;
}

PayGapRun RunPayGap(const Session& s)
{
    PayGapSettings settings;
    bool found = false;
    if (!ReadPayGapSettings(s, settings, found)) {
        PayGapRun run;
        run.outcome = Outcome::Failed(QString());
        return run;
    }
    return RunPayGapWith(s, settings);
}

namespace {

// A headcount in thousandths as a number cell: whole, or three decimals under 正規換算.
SheetCell headcountCell(long long milli, bool fte)
{
    return SheetCell::Number(milli / 1000.0, fte ? QStringLiteral("0.000") : SheetWholeFormat, HeadcountText(milli, fte));
}

// Yen as a number cell, "－" as a text when there is no figure.
SheetCell yenCell(std::optional<long long> amount)
{
    if (!amount)
        return SheetCell::Text(QStringLiteral("－"));
    return SheetCell::Number(double(*amount), SheetAmountFormat, yen(*amount));
}

// A ratio in tenths of a percent as a number cell, "－" as a text when there is none.
SheetCell ratioCell(std::optional<long long> tenths)
{
    if (!tenths)
        return SheetCell::Text(RatioText(tenths));
    return SheetCell::Number(*tenths / 10.0, SheetRatioFormat, RatioText(tenths));
}

SheetRow textRow(const QStringList& texts)
{
    SheetRow row;
    for (const QString& t : texts)
        row << SheetCell::Text(t);
    return row;
}

SheetRow cellRow(const QString& label, const GapCell& c, bool fte)
{
    auto average = [](const SexSums& s, long long avg) {
        return s.headMilli > 0 ? std::optional<long long>(avg) : std::nullopt;
    };
    return {SheetCell::Text(label), headcountCell(c.men.headMilli, fte), headcountCell(c.women.headMilli, fte),
            yenCell(average(c.men, c.menAverage())), yenCell(average(c.women, c.womenAverage())),
            ratioCell(c.ratioTenths())};
}

} // namespace

SheetTable PayGapTable(const PayGapResult& r)
{
    const bool fte = r.fullTimeEquivalent;
    SheetTable table;
    table.sheetName = QStringLiteral("男女の賃金の差異");
    table.rows << textRow(QStringList{QStringLiteral("区分")} + TableHeading);
    table.rows << cellRow(QStringLiteral("全労働者"), r.all, fte);
    table.rows << cellRow(QStringLiteral("正規雇用労働者"), r.regular, fte);
    table.rows << cellRow(QStringLiteral("パート・有期労働者"), r.partTime, fte);
    table.rows << SheetRow{SheetCell::Text(QStringLiteral("女性管理職比率")),
                           SheetCell::Number(r.managers, SheetWholeFormat, QString::number(r.managers)),
                           SheetCell::Number(r.womenManagers, SheetWholeFormat, QString::number(r.womenManagers)),
                           SheetCell::Blank(), SheetCell::Blank(), ratioCell(r.managerShareTenths)};

    for (const Breakdown& b : breakdownsOf(r)) {
        table.rows << SheetRow();
        table.rows << textRow(QStringList{b.title} + TableHeading);
        for (const BreakdownRow& row : *b.rows)
            table.rows << cellRow(row.label, row.cell, fte);
    }

    const OaxacaSplit& o = r.split;
    auto money = [&](long long v) { return yenCell(o.valid ? std::optional<long long>(v) : std::nullopt); };
    table.rows << SheetRow();
    table.rows << textRow({QStringLiteral("要因分解（男性基準）"), QStringLiteral("金額"), QStringLiteral("割合")});
    table.rows << SheetRow{SheetCell::Text(QStringLiteral("男女の平均年間賃金の差")), money(o.gapYen),
                           ratioCell(o.valid && o.gapYen != 0 ? std::optional<long long>(1000) : std::nullopt)};
    table.rows << SheetRow{SheetCell::Text(QStringLiteral("説明できる差（年齢・勤続・等級）")), money(o.explainedYen),
                           ratioCell(o.explainedShareTenths())};
    table.rows << SheetRow{SheetCell::Text(QStringLiteral("説明できない差")), money(o.unexplainedYen),
                           ratioCell(o.unexplainedShareTenths())};
    if (!o.valid)
        table.rows << SheetRow{SheetCell::Text(QStringLiteral("要因分解できない理由")), SheetCell::Text(o.reason),
                               SheetCell::Blank()};
    return table;
}

QList<QList<SheetRow>> PayGapSections(const SheetTable& table)
{
    QList<QList<SheetRow>> sections(1);
    for (const SheetRow& row : table.rows) {
        if (row.isEmpty()) {
            sections << QList<SheetRow>();
            continue;
        }
        sections.last() << row;
    }
    return sections;
}

QString PayGapShownText(const SheetCell& cell)
{
    if (cell.type == SheetCell::Type::Number && cell.format == SheetAmountFormat)
        return grouped(std::llround(cell.number));
    return cell.type == SheetCell::Type::Text ? cell.text : cell.csv;
}

QStringList PayGapCsvLines(const PayGapResult& r)
{
    return SheetCsvLines(PayGapTable(r));
}

QString PayGapCsvPath(const QString& exeFolder, SheetFileKind kind)
{
    const QString csv = exeFolder + QStringLiteral("CSV/男女の賃金の差異.csv");
    return kind == SheetFileKind::Xlsx ? XlsxPathOf(csv) : csv;
}

Outcome WritePayGapTable(const Session& s, const PayGapResult& r, const QString& path, const TableFileFormat& format)
{
    QString error;
    if (!WriteTableFile(path, PayGapTable(r), SheetPropertiesFor(s, QStringLiteral("男女の賃金の差異")), format, &error))
        return Outcome::Failed(TableWriteErrorHeading(format.kind) + error + QChar(0x3000) + QDir::toNativeSeparators(path));
    return Outcome::Done(QStringLiteral("CSVデレクトリに男女の賃金の差異が")
                         + (format.kind == SheetFileKind::Xlsx ? QStringLiteral("Excel形式で") : QString())
                         + QStringLiteral("出力されました。\r\n") + QDir::toNativeSeparators(path));
}

QStringList PayGapSummaryLines(const PayGapResult& r)
{
    return {QStringLiteral("全労働者\t") + RatioText(r.all.ratioTenths()),
            QStringLiteral("正規雇用労働者\t") + RatioText(r.regular.ratioTenths()),
            QStringLiteral("パート・有期労働者\t") + RatioText(r.partTime.ratioTenths()),
            QStringLiteral("女性管理職比率\t") + RatioText(r.managerShareTenths)};
}

QString BusinessYearText(const PayGapSettings& settings)
{
    return dateText(settings.periodFrom) + QStringLiteral("～") + dateText(settings.periodTo);
}

QStringList PayGapNotes(const PayGapSettings& settings, const PayGapResult& r)
{
    QStringList notes;
    QString wages = QStringLiteral("賃金は基本給・手当・賞与の年間合計です");
    if (!settings.excludedAllowances.isEmpty())
        wages += QStringLiteral("（%1を除く）").arg(settings.excludedAllowances.join(QStringLiteral("・")));
    if (r.actualWages > 0)
        wages += QStringLiteral("。%1人は実績の年間賃金総額によります").arg(r.actualWages);
    notes << wages + QStringLiteral("。");
    if (settings.fullTimeEquivalent) {
        QString n = QStringLiteral("パート・有期労働者の人数は、月間所定労働時間を正規雇用労働者の所定労働時間で割った正規換算です");
        if (r.withoutHours > 0)
            n += QStringLiteral("（労働時間のない%1人は1人と数えています）").arg(r.withoutHours);
        notes << n + QStringLiteral("。");
    } else {
        notes << QStringLiteral("人数は実人数です（パート・有期労働者も1人と数えています）。");
    }
    notes << QStringLiteral("全労働者は正規雇用労働者とパート・有期労働者を合わせた平均によります。");
    if (r.leftOutOfficers > 0 || r.unclassified > 0)
        notes << QStringLiteral("役員%1人と就労形態が未分類の%2人は含みません。").arg(r.leftOutOfficers).arg(r.unclassified);
    return notes;
}

ReportDocument BuildPayGapDocument(const QString& exeFolder, const QString& companyName,
                                   const PayGapSettings& settings, const PayGapResult& r)
{
    ReportDocument doc = ReportDocumentFor(exeFolder, QStringLiteral("PrintPayGap"), QStringLiteral("男女の賃金の差異"));
    doc.author = companyName;
    // The figures as the screen shows them, from the sections of the same table as the files.
    const QList<QList<SheetRow>> sections = PayGapSections(PayGapTable(r));
    auto shown = [](const SheetRow& cells, int from) {
        QStringList out;
        for (int c = from; c < cells.size(); ++c)
            out << PayGapShownText(cells[c]);
        return out;
    };
    // Columns of a table: label, then five figures.
    const int left = 1000, labelRight = 5600, right = 20000, pitch = 560;
    const int columnWidth = (right - labelRight) / 5;
    auto row = [&](ReportPage& page, int top, const QString& label, const QStringList& cells, bool heading) {
        page.drawTextBox(left + 100, top, labelRight - 100, top + pitch, AlignLeftText, label);
        for (int c = 0; c < cells.size() && c < 5; ++c)
            page.drawTextBox(labelRight + c * columnWidth, top, labelRight + (c + 1) * columnWidth - 100, top + pitch,
                             heading ? AlignCentreText : AlignRightText, cells[c]);
        page.drawLine(left, top + pitch, right, top + pitch);
    };
    auto heads = [&](ReportPage& page, const QString& corp) {
        page.setFieldText(QStringLiteral("CORPNAME"), corp);
        page.setFieldText(QStringLiteral("PERIOD"), QStringLiteral("対象事業年度　") + BusinessYearText(settings));
        page.setFieldText(QStringLiteral("PAGE"), QStringLiteral("PAGE-") + QString::number(page.number));
    };

    ReportPage* page = &doc.newPage();
    heads(*page, companyName);
    int y = 3200;
    page->drawTextBox(left, y, right, y + pitch, AlignLeftText, QStringLiteral("■ 男女の賃金の差異（男性の賃金に対する女性の賃金の割合、％）"));
    y += pitch + 100;
    page->drawLine(left, y, right, y);
    row(*page, y, QStringLiteral("区分"), TableHeading, true);
    y += pitch;
    const GapCell* const statutory[] = {&r.all, &r.regular, &r.partTime};
    for (int i = 0; i < 3; ++i) {
        const GapCell* cell = statutory[i];
        const SheetRow cells = sections[0].value(i + 1);
        row(*page, y, PayGapShownText(cells.value(0)), shown(cells, 1), false);
        y += pitch;
        if (!cell->ratioTenths()) {
            page->drawTextBox(labelRight, y, right, y + pitch, AlignLeftText, QStringLiteral("（－：") + cell->missingReason() + QStringLiteral("）"));
            y += pitch;
        }
    }
    y += pitch / 2;
    page->drawTextBox(left, y, right, y + pitch, AlignLeftText, QStringLiteral("■ 女性管理職比率"));
    y += pitch + 100;
    page->drawLine(left, y, right, y);
    row(*page, y, QStringLiteral("管理職"), {QStringLiteral("管理職数"), QStringLiteral("うち女性"), QString(), QString(), QStringLiteral("女性管理職比率")}, true);
    y += pitch;
    row(*page, y, QString(), {QString::number(r.managers), QString::number(r.womenManagers), QString(), QString(), RatioText(r.managerShareTenths)}, false);
    y += pitch * 3 / 2;
    page->drawTextBox(left, y, right, y + pitch, AlignLeftText, QStringLiteral("■ 注記"));
    y += pitch;
    for (const QString& note : PayGapNotes(settings, r)) {
        page->drawTextBox(left + 200, y, right, y + pitch, AlignLeftText, QStringLiteral("・") + note);
        y += pitch;
    }
    y += pitch / 2;
    page->drawTextBox(left, y, right, y + pitch, AlignLeftText, QStringLiteral("■ 説明欄"));
    y += pitch;
    for (const QString& line : settings.explanation.split(QLatin1Char('\n'))) {
        if (y > 27500)
            break;
        page->drawTextBox(left + 200, y, right, y + pitch, AlignLeftText, line);
        y += pitch;
    }

    page = &doc.newPage();
    heads(*page, companyName);
    y = 3200;
    for (int b = 1; b <= 3; ++b) {
        const QList<SheetRow>& breakdown = sections.value(b);
        const QString title = PayGapShownText(breakdown.value(0).value(0));
        page->drawTextBox(left, y, right, y + pitch, AlignLeftText, QStringLiteral("■ ") + title);
        y += pitch + 100;
        page->drawLine(left, y, right, y);
        row(*page, y, title.chopped(1), TableHeading, true);
        y += pitch;
        for (int i = 1; i < breakdown.size(); ++i) {
            row(*page, y, PayGapShownText(breakdown[i].value(0)), shown(breakdown[i], 1), false);
            y += pitch;
        }
        y += pitch / 2;
    }
    page->drawTextBox(left, y, right, y + pitch, AlignLeftText, QStringLiteral("■ 要因分解（男性を基準とした年齢・勤続・等級による説明）"));
    y += pitch + 100;
    page->drawLine(left, y, right, y);
    const QList<SheetRow>& split = sections.value(4);
    for (int i = 1; i < split.size(); ++i) {
        row(*page, y, PayGapShownText(split[i].value(0)), QStringList(3) + shown(split[i], 1), false);
        y += pitch;
    }
    return doc;
}
