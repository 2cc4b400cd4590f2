// Raise-curve design: trial curves, their checks, the year-by-year table DCHINGIN and its CSV.
#include "plot/RaiseCurveDesign.h"

#include "plot/DrawnCurves.h"
#include "core/CsvWriter.h"
#include "core/Numbers.h"
#include "core/WaitCursor.h"
#include "shell/ProjectLookups.h"
#include "store/Conversions.h"
#include "store/RecordAccess.h"
#include "store/Transactions.h"

#include <QDir>
#include <QFileInfo>

#include <map>

namespace {

SqlCondition projectCondition(const Session& s)
{
    return SqlCondition(QStringLiteral(" WHERE KCO = ? AND NENDO = ?"),
                        {s.company().KCO.toLongLong(), s.company().NENDO.toLongLong()});
}

QString cell(int curve, int point)
{
    return QStringLiteral("%1列 %2行目").arg(curve).arg(point);
}

static_assert(DesignPointCount == MaxCapturedPoints, "a design curve has the points of a DSPDRAW row");

// The points of a DSPDRAW row as an array of six, and back.
void pointsFromRow(TSPDRAW_ r, std::array<DesignPoint, DesignPointCount>& p)
{
    const StoredPointFields fields = PointFieldsOf(r);
    for (int k = 0; k < DesignPointCount; ++k)
        p[k] = {*fields.x[k], static_cast<long long>(*fields.yen[k])};
}

void pointsToRow(const std::array<DesignPoint, DesignPointCount>& p, TSPDRAW_& r)
{
    const StoredPointFields fields = PointFieldsOf(r);
    for (int k = 0; k < DesignPointCount; ++k) {
        *fields.x[k] = p[k].x;
        *fields.yen[k] = double(p[k].amount);
    }
}

} // namespace

QString ValidateDesignCurves(const DesignCurves& curves)
{
    for (int n = 0; n < DesignCurveCount; ++n) {
        const auto& p = curves[n].points;
        for (int k = 0; k < DesignPointCount; ++k) {
            const int x = p[k].x;
            const long long a = p[k].amount;
            if (x == 0 && a != 0)
                return QStringLiteral("年齢を入力して下さい。") + cell(n + 1, k + 1);
            if (x != 0 && a == 0)
                return QStringLiteral("金額を入力して下さい。") + cell(n + 1, k + 1);
            const int next = k + 1 < DesignPointCount ? p[k + 1].x : 0;
            if (x != 0 && a != 0 && next != 0 && x >= next)
                return QStringLiteral("年齢は昇順に入力して下さい。") + cell(n + 1, k + 1);
        }
    }
    return {};
}

QList<TCHNGIN_> BuildDesignRows(const RaiseCurveDesign& design, const QString& kco, const QString& nendo)
{
    QList<TCHNGIN_> rows;
    for (int n = 0; n < DesignCurveCount; ++n) {
        const auto& p = design.curves[n].points;
        int no = 0;
        long long first = 0;
        for (int k = 0; k + 1 < DesignPointCount; ++k) {
            const int xs = p[k].x, xe = p[k + 1].x;
            if (xs == 0 || xe == 0)
                continue;
            const long long as = p[k].amount, ae = p[k + 1].amount;
            const long long pitch =
                10 * static_cast<long long>(RoundHalfAway(SafeDivide(double(ae - as), double(xe - xs)) / 10.0, 0));
            const bool firstSegment = no == 0;
            if (firstSegment)
                first = as;
            for (int x = firstSegment ? xs : xs + 1; x <= xe; ++x) {
                const long long s = x == xe ? ae : as + pitch * (x - xs);
                TCHNGIN_ r;
                r.KCO = kco;
                r.NENDO = nendo;
                r.SDCO = n + 1;
                r.X = design.xCode;
                r.Y = design.yCode;
                r.NO = ++no;
                r.SNENREI = x;
                r.SKIN = int(s);
                r.PITCH = int(pitch);
                r.SRITSU = double(TruncateTowardZero(SafeDivide(double(pitch) * 10000.0, double(s)))) / 100.0;
                r.KAKUSA = int(TruncateTowardZero(SafeDivide(double(s) * 100.0, double(first))));
                rows << r;
            }
        }
    }
    return rows;
}

std::array<DesignCurveSummary, DesignCurveCount> SummariseDesignRows(const QList<TCHNGIN_>& rows)
{
    std::array<std::map<int, long long>, DesignCurveCount> byCurve;   // NO -> amount
    for (const TCHNGIN_& r : rows)
        if (r.SDCO >= 1 && r.SDCO <= DesignCurveCount)
            byCurve[r.SDCO - 1][r.NO] = r.SKIN;
    std::array<DesignCurveSummary, DesignCurveCount> out{};
    for (int n = 0; n < DesignCurveCount; ++n) {
        const auto& amounts = byCurve[n];
        if (amounts.empty())
            continue;
        double sum = 0;
        for (const auto& [no, amount] : amounts)
            sum += double(amount);
        DesignCurveSummary& s = out[n];
        s.count = int(amounts.size());
        s.meanAmount = sum / s.count;
        if (s.count >= 2)
            s.meanStep = double(amounts.rbegin()->second - amounts.begin()->second) / (s.count - 1);
    }
    return out;
}

SheetTable DesignTable(const QList<TCHNGIN_>& rows, const QString& title)
{
    std::map<int, std::map<int, const TCHNGIN_*>> byNo;   // NO -> curve -> row
    for (const TCHNGIN_& r : rows)
        byNo[r.NO][r.SDCO] = &r;
    SheetTable table;
    table.sheetName = QStringLiteral("昇給カーブの設計");
    table.headerFirst = 1;
    table.headerLast = 2;
    table.rows << SheetRow{SheetCell::Text(title)};
    auto texts = [](const QString& line) {
        SheetRow row;
        for (const QString& t : line.split(','))
            row << (t.isEmpty() ? SheetCell::Blank() : SheetCell::Text(t));
        return row;
    };
    table.rows << texts(QStringLiteral(",設計１,,,設計２,,,設計３,,,設計４,,,設計５,"));
    table.rows << texts(QStringLiteral("年齢,職能給,格差,年齢,職能給,格差,年齢,職能給,格差,年齢,職能給,格差,年齢,職能給,格差"));
    auto number = [](long long v, const QString& format) {
        return SheetCell::Number(double(v), format, QString::number(v));
    };
    for (const auto& [no, curves] : byNo) {
        SheetRow row;
        for (int n = 1; n <= DesignCurveCount; ++n) {
            const auto it = curves.find(n);
            const TCHNGIN_* r = it == curves.end() ? nullptr : it->second;
            row << number(r ? r->SNENREI : 0, SheetWholeFormat) << number(r ? r->SKIN : 0, SheetAmountFormat)
                << number(r ? r->KAKUSA : 0, SheetRatioFormat);
        }
        table.rows << row;
    }
    // The means: "###" in the CSV (no text for 0); the workbook keeps the exact mean.
    auto mean = [](double v) {
        const QString csv = FormatFloat(QStringLiteral("###"), v);
        return csv.isEmpty() ? SheetCell::Blank() : SheetCell::Number(v, SheetAmountFormat, csv);
    };
    SheetRow means;
    for (const DesignCurveSummary& s : SummariseDesignRows(rows)) {
        if (s.count == 0) {
            means << SheetCell::Blank() << SheetCell::Blank() << SheetCell::Blank();
            continue;
        }
        means << SheetCell::Text(QStringLiteral("平均")) << mean(s.meanAmount)
              << (s.count >= 2 ? mean(s.meanStep) : SheetCell::Blank());
    }
    table.rows << means;
    return table;
}

QStringList DesignCsvLines(const QList<TCHNGIN_>& rows, const QString& title)
{
    return SheetCsvLines(DesignTable(rows, title));
}

QString DesignCsvPath(const QString& exeFolder, SheetFileKind kind)
{
    const QString csv = QDir(exeFolder + QStringLiteral("CSV")).filePath(QStringLiteral("昇給カーブの設計.CSV"));
    return kind == SheetFileKind::Xlsx ? XlsxPathOf(csv) : csv;
}

bool LoadDesignCurves(const Session& s, RaiseCurveDesign& design)
{
    design.curves = DesignCurves{};
    design.commentary.clear();
    QList<TSPDRAW_> rows;
    if (!ReadDrawnCurveRows(s, design.xCode, design.yCode, false, rows))
        return false;
    for (const TSPDRAW_& r : rows) {
        const int n = r.SDCO.toInt();
        if (n < 1 || n > DesignCurveCount)
            continue;
        DesignCurve& c = design.curves[n - 1];
        design.commentary = r.KAISETSU;
        c.plotted = r.FCHKS == 1;
        pointsFromRow(r, c.points);
        c.legend = r.HANREI;
        c.explanation = r.SETSUMEI;
        c.colour = r.SCOLOR;
        c.style = r.SSYURUI;
        c.width = r.SHABA;
    }
    return true;
}

bool SaveDesignCurves(const Session& s, const RaiseCurveDesign& design)
{
    DbConnection& cn = *s.year;
    return InTransaction(cn, [&] {
        TSPDRAW_ row;
        if (!Delete(cn, false, projectCondition(s), row))
            return false;
        for (int n = 0; n < DesignCurveCount; ++n) {
            const DesignCurve& c = design.curves[n];
            row = TSPDRAW_();
            row.KCO = s.company().KCO;
            row.NENDO = s.company().NENDO;
            row.SDCO = QString::number(n + 1);
            row.X = design.xCode;
            row.Y = design.yCode;
            row.FCHKS = c.plotted ? 1 : 0;
            row.FREN = 1;
            pointsToRow(c.points, row);
            row.KAISETSU = design.commentary;
            row.HANREI = c.legend;
            row.SETSUMEI = c.explanation;
            row.SCOLOR = c.colour;
            row.SSYURUI = c.style;
            row.SHABA = c.width;
            if (!Insert(cn, false, row))
                return false;
        }
        return true;
    });
}

Outcome RebuildDesignTable(const Session& s, const RaiseCurveDesign& design)
{
    const QString problem = ValidateDesignCurves(design.curves);
    if (!problem.isEmpty())
        return Outcome::Refused(problem, QStringLiteral("確認"));
    WaitCursor busy;
    const QList<TCHNGIN_> rows = BuildDesignRows(design, s.company().KCO, s.company().NENDO);
    DbConnection& cn = *s.year;
    const bool written = InTransaction(cn, [&] {
        TCHNGIN_ row;
        if (!Delete(cn, false, projectCondition(s), row))
            return false;
        for (TCHNGIN_ r : rows)
            if (!Insert(cn, false, r))
                return false;
        return true;
    });
    return written ? Outcome::Done() : Outcome::Failed(QString());
}

bool ReadDesignTable(const Session& s, QList<TCHNGIN_>& rows)
{
    TCHNGIN_rec list;
    const SqlCondition condition(QStringLiteral(" WHERE NENDO = ? AND KCO = ? ORDER BY DCHINGIN.NO,SDCO"),
                                 {s.company().NENDO.toLongLong(), s.company().KCO.toLongLong()});
    if (!ReadAll(*s.year, false, condition, QStringLiteral("SELECT * FROM DCHINGIN"), list))
        return false;
    rows = list.items;
    return true;
}

Outcome RebuildAndReadDesignTable(const Session& s, const RaiseCurveDesign& design, const QString& noRowsMessage,
                                  QList<TCHNGIN_>& rows)
{
    const Outcome rebuilt = RebuildDesignTable(s, design);
    if (!rebuilt.ok)
        return rebuilt;
    if (!ReadDesignTable(s, rows))
        return Outcome::Failed(QString());
    if (rows.isEmpty())
        return Outcome::Refused(noRowsMessage);
    return Outcome::Done();
}

Outcome ExportDesignCsv(const Session& s, const RaiseCurveDesign& design, const QString& title,
                        const TableFileFormat& format)
{
    QList<TCHNGIN_> rows;
    if (const Outcome read = RebuildAndReadDesignTable(s, design, QStringLiteral("賃金表データは有りません。"), rows);
        !read.ok)
        return read;
    const QString path = DesignCsvPath(s.exeFolder, format.kind);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QString error;
    if (!WriteTableFile(path, DesignTable(rows, title),
                        SheetPropertiesFor(s, title.isEmpty() ? QStringLiteral("昇給カーブの設計") : title), format, &error))
        return Outcome::Failed(TableWriteErrorHeading(format.kind) + error);
    return Outcome::Done(QStringLiteral("CSVディレクトリに賃金表が出力されました。"));
}
