// Optimal-wage analysis: the regression over the selected employees, its write-back,
// results grid, CSV, the replacement of a pay item by the optimal wage and its undo.
#include "plot/OptimalWage.h"
#include "shell/RestorePoints.h"

#include "plot/Comparisons.h"
#include "plot/PlotLayout.h"
#include "plot/PlotSetup.h"
#include "core/CsvWriter.h"
#include "core/Numbers.h"
#include "shell/ProjectLookups.h"
#include "store/Conversions.h"
#include "store/Transactions.h"

namespace {

const QString EmployeeView = QStringLiteral("SELECT * FROM VSYAIN");

SqlCondition employeeKey(const TSyain_& e)
{
    return SqlCondition(QStringLiteral(" WHERE NENDO = ? AND KCO = ? AND SCO = ?"),
                        {e.NENDO.toLongLong(), e.KCO.toLongLong(), e.SCO.toLongLong()});
}

SqlValues projectKey(const Session& s)
{
    const TMKIGYOU2& c = s.company();
    return {c.NENDO.toLongLong(), c.KCO.toLongLong()};
}

QString number(const char* format, double value)
{
    return FormatFloat(QString::fromLatin1(format), value);
}

} // namespace

QString WithoutFullWidthBlanks(const QString& caption)
{
    QString s = caption;
    return s.remove(QChar(0x3000));
}

int OptimalYPitch(int yCode)
{
    static const int pitches[6] = {5, 5, 5, 5, 10, 50};
    return yCode >= 0 && yCode < 6 ? pitches[yCode] : 5;
}

double ExplanatoryValue(const Session& s, const TSyain_& e, int box)
{
    switch (box) {
    case 0: return s.yearsUntilReference(e.SEIHI);
    case 1: return s.yearsUntilReference(e.NYUHI);
    case 2: return e.NENSU;
    case 3: return s.yearsUntilReference(e.THI);
    case 4: return e.TOUKYU;
    case 5: return e.GOUHOU;
    case 6: return e.TRITSU;
    case 7: return e.TENSU;
    case 8: return e.HCO;
    default: return 0;
    }
}

long long ObjectiveValue(const TSyain_& e, int yCode)
{
    if (yCode < 0 || yCode > 5)
        return 0;
    return ItemYen(SetupVariant(ChartOptimalWage)->yItems[yCode].source, e);
}

OptimalWageRun RunOptimalWageRegression(const Session& s, const SqlCondition& selection, const QString& explanatoryFlags,
                                        int yCode)
{
    DbConnection& cn = *s.year;
    TSyain_rec list;
    if (!ReadAll(cn, false, selection, EmployeeView, list, s.ageReferenceDay()))
        return {Outcome::Failed(QString()), {}};
    const int n = list.items.size();
    if (n == 0)
        return {Outcome::Refused(NoSubjectsMessage), {}};

    TOptimalWage run;
    run.yCode = yCode;
    run.employees = list.items;
    const QString yCaption = ObjectiveCaptions[std::clamp(yCode, 0, 5)];
    run.names.push_back(WithoutFullWidthBlanks(yCaption));
    std::vector<int> boxes;
    for (int box = 0; box < 9; ++box)
        if (explanatoryFlags.mid(box, 1) == QLatin1String("1")) {
            boxes.push_back(box);
            run.names.push_back(WithoutFullWidthBlanks(ExplanatoryCaptions[box]));
        }
    const int p = int(boxes.size());
    if (p == 0)
        return {Outcome::Refused(NoExplanatoryMessage), {}};

    for (const TSyain_& e : run.employees) {
        std::vector<double> row{1.0};
        for (int box : boxes) {
            const double v = ExplanatoryValue(s, e, box);
            row.push_back(v);
            if (v == 0)
                run.zeroX += 1;
        }
        run.X.push_back(row);
        const long long y = ObjectiveValue(e, yCode);
        run.Y.push_back(double(y));
        if (y == 0)
            run.zeroY += 1;
        if ((yCode == 0 && (e.JISEKI == 1 || e.MLINK == 1)) || (yCode == 1 && (e.JISEKI == 2 || e.MLINK == 2)))
            run.linked = true;
    }

    if (!SolveMultipleRegression(run.X, run.Y, n, p, run.coefficients)) {
        QString text = AnalysisFailedMessage;
        if (run.zeroY > 0)
            text += QStringLiteral("\r\n") + QString::number(run.zeroY) + QStringLiteral("個の目的変数がゼロのデータが存在します");
        if (run.zeroX > 0)
            text += QStringLiteral("\r\n") + QString::number(run.zeroX) + QStringLiteral("個の説明変数がゼロのデータが存在します");
        return {Outcome::Failed(text), {}};
    }
    JudgeFit(n, p, RegressionEps, run.X, run.Y, run.coefficients, run.fit);

    for (int k = 0; k < n; ++k)
        run.predictions.push_back(PredictValue(run.X[k], run.coefficients));

    const QString fitName = WithoutFullWidthBlanks(yCaption);
    for (int k = 0; k < n; ++k) {
        TSyain_& e = run.employees[k];
        e.FITNO = yCode + 1;
        e.FITNAME = fitName;
        e.FITKIN = int(run.predictions[k]);
        e.FITJITSU = int(run.Y[k]);
    }
    // Read-only use (another program writes the data): the results stay with the run, for
    // the plot, the grid and the file; the employees keep their stored analysis.
    if (!WritesRefusedReason().isEmpty()) {
        run.valid = true;
        return {Outcome::Done(), std::move(run)};
    }
    // Every employee of the project leaves the last analysis; the analysed ones get the new
    // result. All or nothing, so a failure leaves the previous analysis in place.
    const bool written = InTransaction(cn, [&] {
        if (!ExecuteReported(cn, QStringLiteral("update MSYAIN2 Set FITNO = 0, FITKIN = 0  where   NENDO = ?   and   KCO   = ?"),
                     projectKey(s)))
            return false;
        for (TSyain_& e : run.employees)
            if (!Update(cn, false, employeeKey(e), e))
                return false;
        return true;
    });
    if (!written)
        return {Outcome::Failed(QString()), {}};

    run.valid = true;
    return {Outcome::Done(), std::move(run)};
}

namespace {

// A cell of the results grid: the text the grid shows (and the CSV quotes) and its typed
// value for the workbook.
struct GridCell {
    QString shown;
    SheetCell::Type type = SheetCell::Type::Blank;
    double value = 0;
    QString format;   // the workbook's number format
};

GridCell textCell(const QString& text)
{
    return {text, SheetCell::Type::Text, 0, {}};
}

// A number shown in a grid format ("#,##0", "##0.0000", "0.000%", ...) and kept in the
// workbook with the spreadsheet format of the same look; a percent cell holds the fraction.
GridCell numberCell(const char* gridFormat, double value, const QString& sheetFormat)
{
    const bool percent = sheetFormat.endsWith('%');
    return {number(gridFormat, value), SheetCell::Type::Number, percent ? value / 100 : value, sheetFormat};
}

QList<QList<GridCell>> optimalWageCells(const TOptimalWage& s)
{
    const int n = s.n(), p = s.p();
    const int columns = p + 8, rows = n + p + 9;
    QList<QList<GridCell>> grid(rows, QList<GridCell>(std::max(columns, 0)));
    if (p < 0)
        return grid;
    const int fitColumn = p + 5, residualColumn = p + 6, shareColumn = p + 7;
    const QString amount = SheetAmountFormat, whole = SheetWholeFormat;
    const QString coefficient = QStringLiteral("0.0000"), correlation = QStringLiteral("0.0000000");

    QList<GridCell>& head = grid[0];
    head[0] = textCell(QStringLiteral("No"));
    head[1] = textCell(QStringLiteral("社員ｺｰﾄﾞ"));
    head[2] = textCell(QStringLiteral("社員名"));
    head[3] = textCell(QStringLiteral("役職"));
    for (int j = 0; j <= p; ++j)
        head[4 + j] = textCell(s.names[j]);
    head[fitColumn] = textCell(QStringLiteral("最適賃金"));
    head[residualColumn] = textCell(QStringLiteral("残　差"));
    head[shareColumn] = textCell(QStringLiteral("割　合"));

    double totalY = 0, totalFit = 0, totalResidual = 0;
    for (int k = 0; k < n; ++k) {
        const TSyain_& e = s.employees[k];
        QList<GridCell>& row = grid[k + 1];
        row[0] = {e.SCO, SheetCell::Type::Number, e.SCO.toDouble(), whole};
        row[1] = textCell(e.SCOT);
        row[2] = textCell(e.SNA);
        row[3] = textCell(e.YAKU);
        row[4] = numberCell("##,##0", s.Y[k], amount);
        for (int j = 1; j <= p; ++j)
            row[4 + j] = numberCell("##0", s.X[k][j], whole);
        const double fit = s.predictions[k], residual = s.Y[k] - fit;
        row[fitColumn] = numberCell("#,##0", fit, amount);
        row[residualColumn] = numberCell("#,##0", residual, amount);
        // A prediction of 0 yen has no share: shown as 0 rather than a division by zero.
        row[shareColumn] = numberCell("0.000%", SafeDivide(residual * 100, fit), QStringLiteral("0.000%"));
        totalY += s.Y[k];
        totalFit += fit;
        totalResidual += residual;
    }

    QList<GridCell>& totals = grid[n + 2];
    totals[2] = textCell(QStringLiteral("合計"));
    totals[4] = numberCell("#,##0", totalY, amount);
    totals[fitColumn] = numberCell("#,##0", totalFit, amount);
    totals[residualColumn] = numberCell("#,##0", totalResidual, amount);
    QList<GridCell>& means = grid[n + 3];
    means[2] = textCell(QStringLiteral("平均"));
    means[4] = numberCell("#,##0", SafeDivide(totalY, n), amount);
    means[fitColumn] = numberCell("#,##0", SafeDivide(totalFit, n), amount);

    grid[n + 5][2] = textCell(QStringLiteral("切片"));
    grid[n + 5][3] = numberCell("##0.0000", s.coefficients.empty() ? 0 : s.coefficients[0], coefficient);
    for (int j = 1; j <= p; ++j) {
        grid[n + 5 + j][2] = textCell(s.names[j] + QStringLiteral(" X") + QString::number(j));
        grid[n + 5 + j][3] =
            numberCell("##0.0000", j < int(s.coefficients.size()) ? s.coefficients[j] : 0, coefficient);
    }
    grid[n + p + 6][2] = textCell(QStringLiteral("重相関R"));
    grid[n + p + 6][3] = numberCell("##0.0000000", s.fit.R, correlation);
    grid[n + p + 7][2] = textCell(QStringLiteral("重相関R2"));
    grid[n + p + 7][3] = numberCell("##0.0000000", s.fit.R2, correlation);
    grid[n + p + 8][2] = textCell(QStringLiteral("補正  R2"));
    grid[n + p + 8][3] = numberCell("##0.0000000", s.fit.adjustedR2, correlation);
    return grid;
}

} // namespace

QList<QStringList> OptimalWageGrid(const TOptimalWage& s)
{
    QList<QStringList> grid;
    for (const QList<GridCell>& cells : optimalWageCells(s)) {
        QStringList row;
        for (const GridCell& c : cells)
            row << c.shown;
        grid << row;
    }
    return grid;
}

SheetTable OptimalWageTable(const TOptimalWage& s)
{
    SheetTable table;
    table.sheetName = QStringLiteral("最適賃金の分析結果");
    for (const QList<GridCell>& cells : optimalWageCells(s)) {
        SheetRow row;
        for (const GridCell& c : cells) {
            const QString csv = CsvQuoted(c.shown);
            switch (c.type) {
            case SheetCell::Type::Text:
                row << SheetCell::Text(c.shown, csv);
                break;
            case SheetCell::Type::Number:
                row << SheetCell::Number(c.value, c.format, csv);
                break;
            default:
                row << SheetCell::Blank(csv);
                break;
            }
        }
        table.rows << row;
    }
    return table;
}

QList<int> OptimalWageGridWidths(const TOptimalWage& s)
{
    QList<int> widths{40, 60, 100, 70};
    for (int j = 0; j <= s.p(); ++j)
        widths << 70;
    widths << 60 << 60 << 60;
    return widths;
}

bool CanOptimise(const TOptimalWage& s)
{
    return s.valid && (s.yCode == 0 || s.yCode == 1 || s.yCode == 4) && !s.linked;
}

QString OptimalWageCsvPath(const QString& exeFolder, SheetFileKind kind)
{
    const QString csv = exeFolder + QStringLiteral("CSV/最適賃金の分析結果.CSV");
    return kind == SheetFileKind::Xlsx ? XlsxPathOf(csv) : csv;
}

QStringList OptimalWageCsvLines(const TOptimalWage& state)
{
    return SheetCsvLines(OptimalWageTable(state));
}

Outcome WriteOptimalWageCsv(const Session& s, const TOptimalWage& state, const QString& path,
                            const TableFileFormat& format, bool fileNamedByUser)
{
    QString error;
    if (!WriteTableFile(path, OptimalWageTable(state), SheetPropertiesFor(s, QStringLiteral("最適賃金の分析結果")),
                        format, &error))
        return Outcome::Failed(error + '\r' + path);
    if (fileNamedByUser)
        return Outcome::Done(CsvWrittenToFileMessage(QStringLiteral("分析結果"), path));
    return Outcome::Done(format.kind == SheetFileKind::Xlsx ? OptimalXlsxWrittenMessage : OptimalCsvWrittenMessage);
}

Outcome OptimiseWages(const Session& s, const TOptimalWage& state, bool confirmed)
{
    if (!CanOptimise(state) || !confirmed)
        return Outcome::Refused(QString());
    const Outcome saved =
        MakeRestorePoint(s.dataFolder, YearRestorePoint(s, QStringLiteral("optimal-wage"), QStringLiteral("最適賃金の更新")));
    if (!saved.ok)
        return saved;

    DbConnection& cn = *s.year;
    const TMKIGYOU2& c = s.company();
    bool countError = false;
    // The former replacement is forgotten only when the new one is written in full.
    const bool written = InTransaction(cn, [&] {
        if (!ExecuteReported(cn, QStringLiteral("update MSYAIN2 Set SAVENO = 0, SAVEKIN = 0  where   NENDO = ?   and   KCO   = ?"),
                     projectKey(s)))
            return false;
        TSyain_rec list;
        if (!ReadAll(cn, false,
                     SqlCondition(QStringLiteral(" where NENDO = ?   and KCO   = ?   and FITNO = ? order by SCO"),
                                  {c.NENDO.toLongLong(), c.KCO.toLongLong(), state.yCode + 1}),
                     QStringLiteral("select * from VSYAIN"), list, s.ageReferenceDay()))
            return false;
        if (list.items.size() != state.n()) {
            countError = true;
            return false;
        }
        for (TSyain_ e : list.items) {
            e.SAVENO = state.yCode + 1;
            switch (state.yCode) {
            case 0: e.SAVEKIN = e.KKYU1; e.KKYU1 = e.FITKIN; break;
            case 1: e.SAVEKIN = e.KKYU2; e.KKYU2 = e.FITKIN; break;
            case 4: e.SAVEKIN = e.SYOUYO; e.SYOUYO = e.FITKIN; break;
            default: break;
            }
            if (!Update(cn, false, employeeKey(e), e))
                return false;
        }
        return true;
    });
    if (countError)
        return Outcome::Failed(CountErrorMessage);
    return written ? Outcome::Done() : Outcome::Failed(QString());
}

Outcome ResetOptimisedWages(const Session& s, bool confirmed)
{
    if (!confirmed)
        return Outcome::Refused(QString());

    DbConnection& cn = *s.year;
    const TMKIGYOU2& c = s.company();
    TSyain_rec list;
    if (!ReadAll(cn, false,
                 SqlCondition(QStringLiteral(" where NENDO = ?   and   KCO = ?   and   SAVENO <> 0"),
                              {c.NENDO.toLongLong(), c.KCO.toLongLong()}),
                 QStringLiteral("select * from VSYAIN "), list, s.ageReferenceDay()))
        return Outcome::Failed(QString());
    if (list.items.isEmpty())
        return Outcome::Refused(NothingToResetMessage);
    const Outcome saved =
        MakeRestorePoint(s.dataFolder, YearRestorePoint(s, QStringLiteral("optimal-reset"), QStringLiteral("最適賃金のリセット")));
    if (!saved.ok)
        return saved;
    const bool written = InTransaction(cn, [&] {
        for (TSyain_ e : list.items) {
            switch (e.SAVENO) {
            case 1: e.KKYU1 = e.SAVEKIN; break;
            case 2: e.KKYU2 = e.SAVEKIN; break;
            case 5: e.SYOUYO = e.SAVEKIN; break;
            case 6: e.NENSYU = e.SAVEKIN; break;
            default: break;
            }
            e.SAVENO = 0;
            if (!Update(cn, false, employeeKey(e), e))
                return false;
        }
        return true;
    });
    return written ? Outcome::Done() : Outcome::Failed(QString());
}

QList<TDChart_> OptimalWagePoints(const TOptimalWage& s, int markLabel)
{
    QList<TDChart_> rows;
    for (int k = 0; k < s.n(); ++k) {
        const TSyain_& e = s.employees[k];
        const long long actual = k < int(s.Y.size()) ? (long long)s.Y[k] : e.FITJITSU;
        const long long optimal = k < int(s.predictions.size()) ? (long long)s.predictions[k] : e.FITKIN;
        TDChart_ r;
        r.SCO = e.SCO;
        r.SNA = e.SNA;
        r.MKCO = e.MCO;
        switch (markLabel) {
        case 0: r.MARKL = e.SCO; break;
        case 1: r.MARKL = e.HYOUKA; break;
        case 2: r.MARKL = QString::number(e.ZONEX); break;
        default: break;
        }
        r.X = double(optimal) / 10000;
        r.Y = double(actual) / 10000;
        r.F5 = int(actual - optimal);
        r.NO = k + 1;
        rows << r;
    }
    return rows;
}

Outcome WriteOptimalWagePoints(const Session& s, const TOptimalWage& state, int markLabel)
{
    QList<TDChart_> rows = OptimalWagePoints(state, markLabel);
    if (rows.isEmpty())
        return Outcome::Refused(NoPlotDataMessage);
    KeepPlotWorkInMemoryWhileReadOnly(s);
    DbConnection& cn = *s.year;
    const bool written = InTransaction(cn, [&] {
        if (!ExecuteReported(cn, QStringLiteral("DELETE FROM DCHART"), {}))
            return false;
        for (TDChart_& r : rows)
            if (!Insert(cn, false, r))
                return false;
        return true;
    });
    return written ? Outcome::Done() : Outcome::Failed(QString());
}

AnalysisPanelRows RegressionPanelOf(const TOptimalWage& s)
{
    AnalysisPanelRows rows;
    if (!s.valid)
        return rows;
    const auto coefficient = [&](int j) {
        return s.names[j] + QStringLiteral(" X") + QString::number(j) + QStringLiteral("=")
               + number("##0.0000", s.coefficients[j]) + QStringLiteral(" ");
    };
    rows.titles[0] = QStringLiteral("目的変数 :");
    rows.captions[0] = s.names[0];
    rows.titles[1] = QStringLiteral("係数");
    rows.captions[1] = QStringLiteral("切片 = ") + number("#,##0.00000", s.coefficients[0]) + QStringLiteral(" ");
    for (int j = 1; j <= s.p(); ++j) {
        const int row = j <= 2 ? 1 : j <= 5 ? 2 : 3;
        rows.captions[row] += coefficient(j);
    }
    rows.titles[4] = QStringLiteral("相関");
    rows.captions[4] = QStringLiteral("重相関 R=") + number("##0.0000000", s.fit.R);
    rows.captions[5] = QStringLiteral("重相関R2=") + number("##0.0000000", s.fit.R2);
    rows.captions[6] = QStringLiteral("補正  R2=") + number("##0.0000000", s.fit.adjustedR2);
    rows.titles[7] = QStringLiteral("分析結果");
    rows.captions[7] = s.fit.verdict;
    return rows;
}

OptimalWageRun RunStoredOptimalWage(const Session& s)
{
    const PlotSetupVariant& v = *SetupVariant(1070);
    TChart_ row;
    if (!LoadSetupRow(s, v, row))
        return {Outcome::Failed(QString()), {}};
    PlotSetupChoices choices = ChoicesFromChart(row);
    // FX holds the nine explanatory flags here, not an X item: the selection is the set-up's
    // filter, never the "analysed before" one of the optimal wage on X.
    choices.fx = -1;
    return RunOptimalWageRegression(s, EmployeeSelection(v, choices, s.fiscalYear, s.companyCode), choices.explanatory,
                                    int(WholeNumberOrZero(row.FY)));
}
