// Wage tables: generation from salary scales and curves, storing and loading.
#include "wagetable/SalaryList.h"

#include "core/Numbers.h"
#include "core/TextCodec.h"
#include "store/Conversions.h"
#include "store/DataModule.h"
#include "store/RecordAccess.h"

#include <cmath>

namespace {

qint64 projectKco(const Session& s)
{
    return s.project.CurrentCompany.KCO.toLongLong();
}

qint64 projectNendo(const Session& s)
{
    return s.project.CurrentCompany.NENDO.toLongLong();
}

QString gradeLabel(int grade)
{
    return QStringLiteral("第%1等級").arg(grade + 1);
}

bool allZero(const std::vector<CurvePoint>& points)
{
    for (const CurvePoint& p : points)
        if (p.step != 0 || p.amount != 0)
            return false;
    return true;
}

// The least-squares quadratic from the normal equations, solved by Cramer's rule; false
// when the system is singular (fewer than three distinct steps).
bool solveNormalEquations(const std::vector<CurvePoint>& points, QuadraticFit& fit)
{
    double s[5] = {0, 0, 0, 0, 0};   // sums of x^0 .. x^4
    double t[3] = {0, 0, 0};         // sums of y, xy, x²y
    for (const CurvePoint& p : points) {
        const double x = p.step, y = double(p.amount);
        double xp = 1;
        for (int k = 0; k < 5; ++k) {
            s[k] += xp;
            if (k < 3)
                t[k] += xp * y;
            xp *= x;
        }
    }
    const double m[3][3] = {{s[0], s[1], s[2]}, {s[1], s[2], s[3]}, {s[2], s[3], s[4]}};
    auto det3 = [](const double a[3][3]) {
        return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) - a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0])
               + a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
    };
    const double d = det3(m);
    if (std::fabs(d) < 1e-9)
        return false;
    double c[3];
    for (int col = 0; col < 3; ++col) {
        double a[3][3];
        for (int r = 0; r < 3; ++r)
            for (int k = 0; k < 3; ++k)
                a[r][k] = k == col ? t[r] : m[r][k];
        c[col] = det3(a) / d;
    }
    fit.c0 = RoundHalfAway(c[0], 5);
    fit.c1 = RoundHalfAway(c[1], 5);
    fit.c2 = RoundHalfAway(c[2], 5);
    return true;
}

SqlCondition projectKey(const Session& s, const char* idColumn, int id)
{
    return SqlCondition(QStringLiteral(" WHERE KCO = ? AND NENDO = ? AND %1 = ?").arg(QLatin1String(idColumn)),
                        {projectKco(s), projectNendo(s), qint64(id)});
}

QString number(long long v)
{
    return QString::number(v);
}

} // namespace

std::vector<CurvePoint> ControlPoints(const SalaryListDefinition& def, int grade)
{
    const SalaryGradeDefinition& g = def.grades[grade];
    if (def.curveKind == ThirdOrderCurve)
        return {g.third.begin(), g.third.end()};
    return {g.second.begin(), g.second.end()};
}

// ---------------------------------------------------------------- arithmetic

ScaleRowResult UpdateScaleRow(double lowerPercent, double median, double upperPercent)
{
    ScaleRowResult r;
    if (median == 0) {
        r.spreadText = QStringLiteral("0");
        r.rangeText = QStringLiteral("0");
        return r;
    }
    r.lowerAmount = static_cast<long long>(RoundHalfAway(median * (lowerPercent / 100 + 1), 0));
    r.upperAmount = static_cast<long long>(RoundHalfAway((upperPercent / 100 + 1) * median, 0));
    r.range = r.upperAmount - r.lowerAmount;
    r.rangeText = FormatFloat(QStringLiteral("#,##0"), double(r.range));
    if (r.lowerAmount <= 0) {
        // A lower limit of -100 % or below leaves no lower amount to divide by.
        r.spreadDefined = false;
        r.spreadText = QStringLiteral("―");
        return r;
    }
    r.spread = RoundHalfAway(double(r.upperAmount) / double(r.lowerAmount), 2);
    r.spreadText = FormatFloat(QStringLiteral("#,##0.00"), r.spread);
    return r;
}

StepRange ComputeStepRange(SalaryListDefinition& def)
{
    StepRange r;
    const int count = std::clamp(def.gradeCount, 0, MaxGrades);
    for (int g = 0; g < count; ++g) {
        const std::vector<CurvePoint> points = ControlPoints(def, g);
        r.lowest = std::min(r.lowest, points.front().step);
        r.highest = std::max(r.highest, points.back().step);
    }
    def.lowestStep = r.lowest;
    def.highestStep = r.highest;
    return r;
}

DerivedCurveAmounts DeriveCurveAmounts(double lowerPercent, double median, double upperPercent)
{
    DerivedCurveAmounts d;
    d.start = static_cast<long long>(RoundHalfAway(median * (1 + lowerPercent / 100), 0));
    d.middle = static_cast<long long>(RoundHalfAway(median, 0));
    d.end = static_cast<long long>(RoundHalfAway(median * (1 + upperPercent / 100), 0));
    return d;
}

void DeriveCurveAmounts(SalaryListDefinition& def)
{
    if (def.overwriteMode != DerivedAmounts)
        return;
    const int count = std::clamp(def.gradeCount, 0, MaxGrades);
    for (int g = 0; g < count; ++g) {
        SalaryGradeDefinition& grade = def.grades[g];
        const DerivedCurveAmounts d = DeriveCurveAmounts(double(grade.scale.lowerPercent), double(grade.scale.median),
                                                         grade.scale.upperPercent);
        if (def.curveKind == ThirdOrderCurve) {
            grade.third[0].amount = d.start;
            grade.third[1].amount = d.middle;
            grade.third[3].amount = d.end;
        } else {
            grade.second[0].amount = d.start;
            grade.second[1].amount = d.middle;
            grade.second[2].amount = d.end;
        }
    }
}

QuadraticFit FitQuadratic(const std::vector<CurvePoint>& points)
{
    QuadraticFit fit;
    const double n = double(points.size());
    if (points.empty())
        return fit;
    double Sx = 0, Sy = 0, Sxx = 0, Sxxx = 0, Sxxxx = 0, Sxy = 0, Sxxy = 0;
    for (const CurvePoint& p : points) {
        const double x = p.step, y = double(p.amount);
        Sx += x;
        Sy += y;
        Sxx += x * x;
        Sxxx += x * x * x;
        Sxxxx += x * x * x * x;
        Sxy += x * y;
        Sxxy += x * x * y;
    }
    double A1 = 0, A2 = 0, A3 = 0, A4 = 0, A5 = 0, A6 = 0;
    if (Sx != 0) {
        A1 = Sxy / Sx - Sy / n;
        A2 = Sxx / Sx - Sx / n;
        A3 = Sxxx / Sx - Sxx / n;
    }
    if (Sxx != 0) {
        A4 = Sxxy / Sxx - Sy / n;
        A5 = Sxxx / Sxx - Sx / n;
        A6 = Sxxxx / Sxx - Sxx / n;
    }
    const double r = SafeDivide(A1, A2), t = SafeDivide(A4, A5);
    const double u = SafeDivide(A3, A2), v = SafeDivide(A6, A5);
    // The elimination above divides by Sx, A2, A5 and u - v. When one of them vanishes
    // while the steps are still distinct (steps summing to 0, such as -10, 3, 7), the
    // short form loses the linear term; the normal equations still have their one
    // solution, so take it from them. Truly degenerate points keep the short form's
    // flat or partial curve.
    const bool shortFormFails = std::fabs(Sx) < 1e-12 || std::fabs(A2) < 1e-12 || std::fabs(A5) < 1e-12
                                || std::fabs(u - v) < 1e-12;
    if (shortFormFails && solveNormalEquations(points, fit))
        return fit;
    fit.c2 = RoundHalfAway(SafeDivide(r - t, u - v), 5);
    fit.c1 = RoundHalfAway(r - fit.c2 * u, 5);
    fit.c0 = RoundHalfAway((Sy - Sx * fit.c1 - Sxx * fit.c2) / n, 5);
    return fit;
}

long long SecondOrderAmountAt(const QuadraticFit& fit, int step)
{
    const double s = step;
    return TruncateTowardZero(RoundHalfAway(fit.c0 + fit.c1 * s + fit.c2 * s * s, 1));
}

SalaryTable GenerateSalaryTable(SalaryListDefinition def)
{
    const StepRange range = ComputeStepRange(def);
    SalaryTable table;
    table.lowestStep = range.lowest;
    table.highestStep = range.highest;
    const int steps = std::clamp(range.highest - range.lowest + 1, 0, MaxStepRows);
    const int m = def.roundingCode;
    const double factor = def.factor;

    std::array<std::vector<double>, MaxGrades> amount;
    std::array<std::vector<long long>, MaxGrades> ratio;
    for (int g = 0; g < MaxGrades; ++g) {
        amount[g].assign(steps, 0.0);
        ratio[g].assign(steps, 0);
    }

    const int count = std::clamp(def.gradeCount, 0, MaxGrades);
    for (int g = 0; g < count; ++g) {
        const std::vector<CurvePoint> points = ControlPoints(def, g);
        if (allZero(points))
            continue;
        // 1-based positions of the control steps in the step list, 0 = not in it.
        std::vector<int> pos(points.size(), 0);
        for (int k = 1; k <= steps; ++k)
            for (size_t p = 0; p < points.size(); ++p)
                if (range.lowest + k - 1 == points[p].step)
                    pos[p] = k;
        const int first = pos.front(), last = pos.back();
        if (first == 0 || last == 0)
            continue;
        std::vector<double>& a = amount[g];

        if (def.curveKind == ThirdOrderCurve) {
            for (size_t p = 0; p < points.size(); ++p)
                if (points[p].amount != 0 && pos[p] != 0)
                    a[pos[p] - 1] = double(RoundToUnit(m, double(points[p].amount) * factor));
            for (size_t k = 1; k < points.size(); ++k) {
                if (pos[k] == 0 || pos[k - 1] == 0)
                    continue;
                const long long d = TruncateTowardZero(double(points[k].amount - points[k - 1].amount));
                const int s = points[k].step - points[k - 1].step;
                const double increment = s == 0 ? 0.0 : double(RoundToUnit(m, double(d) / s));
                // Climb from anchor k-1 up to the step before anchor k.
                for (int i = pos[k - 1] - 1; i <= pos[k] - 3; ++i)
                    a[i + 1] = a[i] + increment;
            }
        } else {
            const QuadraticFit fit = FitQuadratic(points);
            for (int i = first - 1; i <= last - 1; ++i) {
                const double s = range.lowest + i;
                double value = double(SecondOrderAmountAt(fit, int(s)));
                value *= factor;
                value = double(RoundToUnit(m, value));
                value = double(TruncateTowardZero(value));
                a[i] = double(RoundToUnit(m, value));
            }
        }

        const double a0 = a[first - 1];
        for (int i = first - 1; i <= last - 1; ++i)
            ratio[g][i] = a0 == 0 ? 0 : TruncateTowardZero(RoundHalfAway(a[i] / a0 * 100, 0));
    }

    for (int i = 0; i < steps; ++i) {
        SalaryTableRow row;
        row.step = range.lowest + i;
        for (int g = 0; g < MaxGrades; ++g) {
            row.amount[g] = TruncateTowardZero(amount[g][i]);
            row.ratio[g] = ratio[g][i];
        }
        table.rows.append(row);
    }
    return table;
}

QString ValidateSalaryList(const SalaryListDefinition& def)
{
    if (def.id == 0)
        return QStringLiteral("賃金表IDが指定されていません。賃金表IDを入力して下さい。");
    if (def.gradeCount < 1 || def.gradeCount > MaxGrades)
        return QStringLiteral("等級数が入力範囲外です。1 ～ 9 の値を入力して下さい。");
    for (int g = 0; g < def.gradeCount; ++g) {
        const SalaryScaleRow& scale = def.grades[g].scale;
        if (scale.median != 0 && scale.lowerPercent <= -100)
            return gradeLabel(g)
                   + QStringLiteral("の下限 (%) が -100 以下のため、スプレッドを計算できません。"
                                    "-100 より大きい値を入力して下さい。");
        const std::vector<CurvePoint> points = ControlPoints(def, g);
        if (allZero(points))
            continue;
        for (const CurvePoint& p : points)
            if (p.step < LowestAllowedStep || p.step > HighestAllowedStep)
                return gradeLabel(g) + QStringLiteral("の号数が入力範囲外です。-10 ～ 80 の値を入力して下さい。");
        for (size_t k = 1; k < points.size(); ++k)
            if (points[k - 1].step > points[k].step)
                return gradeLabel(g)
                       + (def.curveKind == ThirdOrderCurve
                              ? QStringLiteral("の号数の順序が正しくありません。開始号数 ≦ 中間号数 ≦ 中間号数 ≦ "
                                               "終了号数 となるように入力して下さい。")
                              : QStringLiteral("の号数の順序が正しくありません。開始号数 ≦ 中間号数 ≦ 終了号数 "
                                               "となるように入力して下さい。"));
    }
    return {};
}

// ---------------------------------------------------------------- storing and loading

bool BuildSalaryList(const Session& s, const SalaryListDefinition& def, bool ownTransaction)
{
    DbConnection& cn = *s.year;
    const QString kco = number(projectKco(s)), nendo = number(projectNendo(s)), id = number(def.id);
    const SalaryTable table = GenerateSalaryTable(def);
    if (ownTransaction && !cn.begin()) {
        ShowDbError(LastErrorText(cn));
        return false;
    }
    auto failed = [&] {
        if (ownTransaction)
            cn.rollback();
        return false;
    };
    TCHNGIN2_ row;
    if (!Delete(cn, false, projectKey(s, "SKCO", def.id), row))
        return failed();
    for (const SalaryTableRow& r : table.rows) {
        row = TCHNGIN2_();
        row.KCO = kco;
        row.NENDO = nendo;
        row.SKCO = id;
        row.GOUHOU = number(r.step);
        QString* kin[MaxGrades] = {&row.KIN1, &row.KIN2, &row.KIN3, &row.KIN4, &row.KIN5,
                                   &row.KIN6, &row.KIN7, &row.KIN8, &row.KIN9};
        QString* ks[MaxGrades] = {&row.KS1, &row.KS2, &row.KS3, &row.KS4, &row.KS5,
                                  &row.KS6, &row.KS7, &row.KS8, &row.KS9};
        for (int g = 0; g < MaxGrades; ++g) {
            *kin[g] = number(r.amount[g]);
            *ks[g] = number(r.ratio[g]);
        }
        if (!Insert(cn, false, row))
            return failed();
    }
    if (ownTransaction && !cn.commit()) {
        ShowDbError(LastErrorText(cn));
        return failed();
    }
    return true;
}

Outcome SaveSalaryList(const Session& s, SalaryListDefinition& def)
{
    const QString problem = ValidateSalaryList(def);
    if (!problem.isEmpty())
        return Outcome::Refused(problem, QStringLiteral("確認"));
    ComputeStepRange(def);
    DbConnection& cn = *s.year;
    const QString kco = number(projectKco(s)), nendo = number(projectNendo(s)), id = number(def.id);

    auto refused = [] { return Outcome::Failed(SalaryListSaveFailedMessage, QString()); };
    if (!cn.begin()) {
        ShowDbError(LastErrorText(cn));
        return refused();
    }
    auto failed = [&] {
        cn.rollback();
        return refused();
    };

    TMCHNGIN_ header;
    if (!Delete(cn, false, projectKey(s, "CGCO", def.id), header))
        return failed();
    header.KCO = kco;
    header.NENDO = nendo;
    header.CGCO = id;
    header.TKSU = def.gradeCount;
    header.GOUSU = 0;
    header.KSENTAKUF = def.curveKind;
    header.UKAKIF = def.overwriteMode;
    header.MARUMEF = def.roundingCode;
    header.TITLE = TruncateToCp932Bytes(def.title, 50);
    header.SKCO = header.K2CO = header.K3CO = def.id;
    header.GOUHOU1 = def.lowestStep;
    header.GOUHOU2 = def.highestStep;
    if (!Insert(cn, false, header))
        return failed();

    TSCALE_ scale;
    if (!Delete(cn, false, projectKey(s, "SKCO", def.id), scale))
        return failed();
    for (int g = 0; g < def.gradeCount; ++g) {
        const SalaryScaleRow& row = def.grades[g].scale;
        const ScaleRowResult result = UpdateScaleRow(double(row.lowerPercent), double(row.median), row.upperPercent);
        scale = TSCALE_();
        scale.KCO = kco;
        scale.NENDO = nendo;
        scale.SKCO = id;
        scale.TKNO = number(g + 1);
        scale.TKNA = TruncateToCp932Bytes(row.name, 30);
        scale.RITSU1 = number(row.lowerPercent);
        scale.KKIN = number(row.median);
        scale.RITSU2 = number(static_cast<long long>(RoundHalfAway(row.upperPercent, 0)));
        scale.SPKIN = QString::number(result.spread, 'g', 15);
        scale.RNKIN = number(result.range);
        if (!Insert(cn, false, scale))
            return failed();
    }

    if (def.curveKind == ThirdOrderCurve) {
        T3JI_ curve;
        if (!Delete(cn, false, projectKey(s, "K3CO", def.id), curve))
            return failed();
        for (int g = 0; g < def.gradeCount; ++g) {
            const auto& p = def.grades[g].third;
            curve = T3JI_();
            curve.KCO = kco;
            curve.NENDO = nendo;
            curve.K3CO = id;
            curve.TKNO = g + 1;
            curve.SGOUSU = p[0].step;
            curve.SKIN = int(p[0].amount);
            curve.C1GOUSU = p[1].step;
            curve.C1KIN = int(p[1].amount);
            curve.C2GOUSU = p[2].step;
            curve.C2KIN = int(p[2].amount);
            curve.EGOUSU = p[3].step;
            curve.EKIN = int(p[3].amount);
            curve.KRITSU = def.factor;
            if (!Insert(cn, false, curve))
                return failed();
        }
    } else {
        T2JI_ curve;
        if (!Delete(cn, false, projectKey(s, "K2CO", def.id), curve))
            return failed();
        for (int g = 0; g < def.gradeCount; ++g) {
            const auto& p = def.grades[g].second;
            curve = T2JI_();
            curve.KCO = kco;
            curve.NENDO = nendo;
            curve.K2CO = id;
            curve.TKNO = g + 1;
            curve.SGOUSU = p[0].step;
            curve.SKIN = int(p[0].amount);
            curve.C1GOUSU = p[1].step;
            curve.C1KIN = int(p[1].amount);
            curve.EGOUSU = p[2].step;
            curve.EKIN = int(p[2].amount);
            curve.KRITSU = def.factor;
            if (!Insert(cn, false, curve))
                return failed();
        }
    }

    if (!BuildSalaryList(s, def, false))
        return failed();
    if (!cn.commit()) {
        ShowDbError(LastErrorText(cn));
        return failed();
    }
    return Outcome::Done();
}

bool LoadSalaryListHeader(const Session& s, int id, TMCHNGIN_& header, bool& found)
{
    header = TMCHNGIN_();
    const bool ok = ReadOne(*s.year, false, projectKey(s, "SKCO", id), QStringLiteral("SELECT * FROM MCHINGIN"), header);
    found = ok && header.ok;
    return ok;
}

bool LoadSalaryScale(const Session& s, int id, QList<TSCALE_>& rows)
{
    TSCALE_rec list;
    const bool ok = ReadAll(*s.year, false,
                            SqlCondition(QStringLiteral(" WHERE NENDO = ? AND KCO = ? AND SKCO = ? ORDER BY SKCO,TKNO"),
                                         {projectNendo(s), projectKco(s), qint64(id)}),
                            QStringLiteral("SELECT * FROM DSCALE"), list);
    rows = list.items;
    return ok;
}

bool LoadSecondOrderCurves(const Session& s, int id, QList<T2JI_>& rows)
{
    T2JI_rec list;
    const bool ok = ReadAll(*s.year, false,
                            SqlCondition(QStringLiteral(" WHERE NENDO = ? AND KCO = ? AND K2CO = ? ORDER BY K2CO,TKNO"),
                                         {projectNendo(s), projectKco(s), qint64(id)}),
                            QStringLiteral("SELECT * FROM DKSEN2"), list);
    rows = list.items;
    return ok;
}

bool LoadThirdOrderCurves(const Session& s, int id, QList<T3JI_>& rows)
{
    T3JI_rec list;
    const bool ok = ReadAll(*s.year, false,
                            SqlCondition(QStringLiteral(" WHERE NENDO = ? AND KCO = ? AND K3CO = ? ORDER BY K3CO,TKNO"),
                                         {projectNendo(s), projectKco(s), qint64(id)}),
                            QStringLiteral("SELECT * FROM DKSEN3"), list);
    rows = list.items;
    return ok;
}

bool LoadStoredSalaryList(const Session& s, int id, StoredSalaryList& stored)
{
    stored = StoredSalaryList();
    return LoadSalaryListHeader(s, id, stored.header, stored.found) && LoadSalaryScale(s, id, stored.scale)
           && LoadSecondOrderCurves(s, id, stored.second) && LoadThirdOrderCurves(s, id, stored.third);
}

SalaryListDefinition DefinitionFromStored(int id, const StoredSalaryList& stored)
{
    SalaryListDefinition def;
    def.id = id;
    if (stored.found) {
        const TMCHNGIN_& h = stored.header;
        def.gradeCount = h.TKSU;
        def.title = h.TITLE;
        def.curveKind = h.KSENTAKUF != 0 ? ThirdOrderCurve : SecondOrderCurve;
        def.overwriteMode = h.UKAKIF != 0 ? TypedAmounts : DerivedAmounts;
        def.roundingCode = h.MARUMEF;
        def.lowestStep = h.GOUHOU1;
        def.highestStep = h.GOUHOU2;
    }
    for (int g = 0; g < stored.scale.size() && g < MaxGrades; ++g) {
        const TSCALE_& s = stored.scale[g];
        SalaryScaleRow& row = def.grades[g].scale;
        row.name = s.TKNA;
        row.lowerPercent = WholeNumberOrZero(s.RITSU1);
        row.median = WholeNumberOrZero(s.KKIN);
        row.upperPercent = DecimalNumberOrZero(s.RITSU2);
    }
    for (int g = 0; g < stored.second.size() && g < MaxGrades; ++g) {
        const T2JI_& c = stored.second[g];
        def.grades[g].second = {CurvePoint{c.SGOUSU, c.SKIN}, CurvePoint{c.C1GOUSU, c.C1KIN},
                                CurvePoint{c.EGOUSU, c.EKIN}};
    }
    for (int g = 0; g < stored.third.size() && g < MaxGrades; ++g) {
        const T3JI_& c = stored.third[g];
        def.grades[g].third = {CurvePoint{c.SGOUSU, c.SKIN}, CurvePoint{c.C1GOUSU, c.C1KIN},
                               CurvePoint{c.C2GOUSU, c.C2KIN}, CurvePoint{c.EGOUSU, c.EKIN}};
    }
    if (def.curveKind == ThirdOrderCurve && !stored.third.isEmpty())
        def.factor = stored.third.first().KRITSU;
    else if (def.curveKind == SecondOrderCurve && !stored.second.isEmpty())
        def.factor = stored.second.first().KRITSU;
    return def;
}

bool LoadSalaryListIds(const Session& s, QList<int>& ids)
{
    ids.clear();
    TSCALE_rec list;
    const bool ok = ReadAll(*s.year, false,
                            SqlCondition(QStringLiteral(" WHERE KCO = ? AND NENDO = ? ORDER BY SKCO,TKNO"),
                                         {projectKco(s), projectNendo(s)}),
                            QStringLiteral("SELECT * FROM DSCALE"), list);
    for (const TSCALE_& row : list.items) {
        const int id = int(WholeNumberOrZero(row.SKCO));
        if (!ids.contains(id))
            ids.append(id);
    }
    return ok;
}

bool FirstSalaryListId(const Session& s, int& id)
{
    id = 0;
    TMCHNGIN_rec list;
    const bool ok = ReadAll(*s.year, false,
                            SqlCondition(QStringLiteral(" WHERE KCO = ? AND NENDO = ? order by SKCO"),
                                         {projectKco(s), projectNendo(s)}),
                            QStringLiteral("SELECT * FROM MCHINGIN"), list);
    if (ok && !list.items.isEmpty())
        id = list.items.first().SKCO;
    return ok;
}

bool ReadSalaryTableRows(const Session& s, int id, QList<TCHNGIN2_>& rows)
{
    TCHNGIN2_rec list;
    const bool ok = ReadAll(*s.year, false,
                            SqlCondition(QStringLiteral(" where KCO = ? and NENDO = ? and SKCO = ? order by GOUHOU"),
                                         {projectKco(s), projectNendo(s), qint64(id)}),
                            QStringLiteral("SELECT * FROM DCHINGIN2"), list);
    rows = list.items;
    return ok;
}

bool BaseAmountTotals(const Session& s, int id, std::array<long long, MaxGrades>& totals)
{
    totals.fill(0);
    DbQuery q(*s.year);
    if (!TFDM::RunStatement(q,
                            QStringLiteral("SELECT TOUKYU,AVG(KKYU1) as KIN1, AVG(KKYU2) as KIN2,AVG(KKYU3) as KIN3, "
                                           "AVG(KIN) as HKIN FROM VSYAIN WHERE NENDO = ? AND KCO = ? AND SKCO = ? "
                                           "group by TOUKYU"),
                            'S', {projectNendo(s), projectKco(s), qint64(id)}))
        return false;
    for (; !q.eof(); q.next()) {
        const int grade = VariantToInteger(q.value(QStringLiteral("TOUKYU")));
        if (grade < 1 || grade > MaxGrades)
            continue;
        for (const char* column : {"KIN1", "KIN2", "KIN3"})
            totals[grade - 1] += static_cast<long long>(
                RoundHalfAway(VariantToReal(q.value(QString::fromLatin1(column))), 0));
    }
    q.close();
    return true;
}
