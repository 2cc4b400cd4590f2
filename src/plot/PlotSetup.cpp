// The plot set-ups as data and logic: variants, stored choices, selection and points.
#include "plot/PlotSetup.h"

#include "store/Conversions.h"
#include "store/DataModule.h"
#include "store/Transactions.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

using S = ItemSource;
const QString Man = QStringLiteral("万円");

PlotItem X(const char* caption, const char* unit, int pitch, ItemSource source)
{
    return {QString::fromUtf8(caption), QString::fromUtf8(unit), pitch, source};
}
PlotItem Y(const char* caption, int pitch, ItemSource source) { return {QString::fromUtf8(caption), Man, pitch, source}; }

std::map<int, PlotSetupVariant> BuildVariants()
{
    std::map<int, PlotSetupVariant> all;
    const QString bySco = QStringLiteral(" ORDER BY SCO");
    const QString byEntry = QStringLiteral(" ORDER BY KCO,NEWDAY1");

    PlotSetupVariant wage;
    wage.screenId = 1010;
    wage.caption = QStringLiteral("賃金プロット");
    wage.xItems = {X("年　　齢", "歳", 5, S::Age), X("勤　　続", "年", 5, S::Service), X("経　　験", "年", 5, S::Experience),
                   X("号　　俸", "号", 5, S::Step), X("達 成 率", "％", 10, S::Achievement),
                   X("職務評価", "", 10, S::JobPoints)};
    wage.yItems = {Y("項　目　Ⅰ", 5, S::Pay1), Y("項　目　Ⅱ", 5, S::Pay2), Y("基　本　給", 5, S::BasicPay),
                   Y("所　定　給", 5, S::MonthlyPay), Y("年間 賞与", 10, S::BonusTotal), Y("年　収", 50, S::AnnualPay)};
    wage.order = bySco;
    all[1010] = wage;

    PlotSetupVariant curve = wage;
    curve.screenId = 1020;
    curve.caption = QStringLiteral("昇給カーブの分析");
    curve.width = 740;
    curve.xItems = {X("年　　齢", "歳", 5, S::Age), X("勤　　続", "年", 5, S::Service), X("経　　験", "年", 5, S::Experience),
                    X("達　成　率", "％", 5, S::Achievement), X("職務評価", "", 10, S::JobPoints),
                    X("最適賃金", "万円", 10, S::OptimalWage)};
    curve.yItems = {Y("項　目　Ⅰ", 5, S::Pay1), Y("項　目　Ⅱ", 5, S::Pay2), Y("基　本　給", 5, S::BasicPay),
                    Y("所　定　給", 5, S::MonthlyPay), Y("賞　与", 10, S::BonusTotal), Y("年　収", 50, S::AnnualPay)};
    curve.order = byEntry;
    curve.raiseCurve = true;
    curve.optimalWageX = 5;
    curve.memoName = QStringLiteral("txtBikou");
    all[1020] = curve;

    PlotSetupVariant living = wage;
    living.screenId = 1030;
    living.caption = QStringLiteral("生計費との比較");
    living.width = 540;
    living.xItems[4] = X("達 成 率", "％", 10, S::AchievementWhole);
    living.yItems = {Y("項　目　Ⅰ", 5, S::Pay1), Y("項　目　Ⅱ", 5, S::Pay2), Y("項　目　Ⅲ", 5, S::Pay3),
                     Y("基　本　給", 5, S::BasicPay), Y("所　定　給", 5, S::MonthlyPay), Y("年　収", 50, S::AnnualStored)};
    living.labelFromHKIGOU = true;
    living.keepsCurveSettings = true;
    living.defaultY = 3;   // 基本給
    living.graphAlways = false;
    living.memoName = QStringLiteral("txtBikou");
    all[1030] = living;

    PlotSetupVariant model = living;
    model.screenId = 1040;
    model.caption = QStringLiteral("モデル賃金との比較");
    model.width = 540;
    model.yItems = {Y("基　本　給", 5, S::BasicPay), Y("所　定　給", 5, S::MonthlyPay), Y("年　収", 50, S::AnnualPay),
                    Y("項　目　Ⅰ", 5, S::Pay1), Y("項　目　Ⅱ", 5, S::Pay2), Y("賞　与", 10, S::BonusTotal)};
    model.order = byEntry;
    model.graphAlways = true;
    model.defaultY = 0;   // 基本給
    all[1040] = model;

    // The raise-curve design: the wage plot's items with 賞与 on Y; the plot-mark option
    // decides CGRAPH (the employees' points drawn beside the trial curves).
    PlotSetupVariant design = wage;
    design.screenId = 1050;
    design.caption = QStringLiteral("昇給カーブの設計");
    design.width = 880;
    design.height = 620;
    design.yItems[4].caption = QStringLiteral("賞　与");
    design.graphAlways = false;
    design.memoName = QStringLiteral("txtBikou");
    all[1050] = design;

    PlotSetupVariant table = wage;
    table.screenId = 1060;
    table.caption = QStringLiteral("昇給曲線の設定");
    table.hasAxisItems = false;
    table.wageTableGraph = true;
    table.width = 530;
    table.height = 300;
    table.memoName = QStringLiteral("txtBikou");
    all[1060] = table;

    PlotSetupVariant optimal = wage;
    optimal.screenId = 1070;
    optimal.caption = QStringLiteral("最適賃金");
    optimal.xItems.fill(X("最適賃金", "万円", 5, S::OptimalWage));
    optimal.yItems = {Y("項　目　Ⅰ", 5, S::Pay1), Y("項　目　Ⅱ", 5, S::Pay2), Y("基　本　給", 5, S::BasicPay),
                      Y("所　定　給", 5, S::MonthlyPay), Y("賞　与", 10, S::BonusStored), Y("年　収", 50, S::AnnualStored)};
    optimal.optimalWageX = 0;
    optimal.optimalWage = true;
    optimal.width = 680;
    optimal.memoName = QStringLiteral("txtBikou");
    all[1070] = optimal;
    return all;
}

int Clamp05(int code) { return std::clamp(code, 0, 5); }

bool OptimalOnX(const PlotSetupVariant& v, const PlotSetupChoices& c)
{
    return v.optimalWageX >= 0 && c.fx == v.optimalWageX;
}

// " IN(?,?)" with the 1-based positions of the ticked boxes, " IN(?)" with 99999 for none.
void AppendInList(QString& text, SqlValues& values, const std::array<bool, 9>& ticked)
{
    QStringList marks;
    for (int i = 0; i < 9; ++i)
        if (ticked[i]) {
            marks << QStringLiteral("?");
            values << i + 1;
        }
    if (marks.isEmpty()) {
        marks << QStringLiteral("?");
        values << 99999;
    }
    text += QStringLiteral(" IN(") + marks.join(',') + ')';
}

QString Flags(const std::array<bool, 9>& ticked)
{
    QString s;
    for (bool t : ticked)
        s += t ? '1' : '0';
    return s;
}

// Empties DCHART as the data module runs a free statement: a failure is reported with the
// overflow message or the unknown-error message.
bool ClearChartPoints(DbConnection& cn)
{
    DbQuery query(cn);
    return TFDM::RunStatement(query, QStringLiteral("DELETE from DCHART "), 'E');
}

std::array<bool, 9> Ticks(const QString& flags)
{
    std::array<bool, 9> t{};
    for (int i = 0; i < 9 && i < flags.size(); ++i)
        t[i] = flags[i] == '1';
    return t;
}

} // namespace

const PlotSetupVariant* SetupVariant(int screenId)
{
    static const std::map<int, PlotSetupVariant> all = BuildVariants();
    const auto it = all.find(screenId);
    return it == all.end() ? nullptr : &it->second;
}

int XPitchFor(const PlotSetupVariant& v, int fx, int fy)
{
    if (v.optimalWageX >= 0 && fx == v.optimalWageX)
        return v.yItems[Clamp05(fy)].pitch;
    return v.xItems[Clamp05(fx)].pitch;
}

PlotSetupChoices ChoicesFromChart(const TChart_& row)
{
    PlotSetupChoices c;
    c.title = row.TITLE;
    c.memo = row.KAISETSU;
    c.fx = row.FX.trimmed().toInt();
    c.fy = row.FY.trimmed().toInt();
    c.markLabel = row.MARKR;
    c.marks = Ticks(row.FCHK);
    c.grades = Ticks(row.TOUKYU);
    c.form = std::clamp(row.MIBUN, 0, 4);
    c.wageTable = row.SKCO;
    c.sex = row.SEX;
    c.curveOrder = row.FKINJI;
    c.graphMode = row.CGRAPH;
    c.levels = {row.SJYUN1, row.SJYUN2, row.SJYUN3, row.SJYUN4};
    // A flag text stored as a number loses its leading zeros.
    c.explanatory = row.FX.trimmed().rightJustified(9, QLatin1Char('0'));
    return c;
}

TChart_ ChartFromChoices(const PlotSetupVariant& v, const PlotSetupChoices& c, int year, int kco)
{
    TChart_ r;
    r.CHCO = QString::number(v.screenId);
    r.KCO = QString::number(kco);
    r.NENDO = QString::number(year);
    r.KNO = 1;
    r.FCHK = Flags(c.marks);
    r.TOUKYU = Flags(c.grades);
    r.TITLE = c.title;
    r.FX = QString::number(c.fx);
    r.FY = QString::number(c.fy);
    r.MARKR = c.markLabel;
    r.FKINJI = v.raiseCurve || v.keepsCurveSettings ? c.curveOrder : 0;
    r.CGRAPH = v.raiseCurve || !v.graphAlways ? c.graphMode : 1;
    if (v.raiseCurve || v.keepsCurveSettings) {
        r.SJYUN1 = c.levels[0];
        r.SJYUN2 = c.levels[1];
        r.SJYUN3 = c.levels[2];
        r.SJYUN4 = c.levels[3];
    }
    r.KAISETSU = c.memo;
    r.MIBUN = c.form;
    r.SKCO = c.wageTable;
    const PlotItem& x = v.xItems[Clamp05(c.fx)];
    const PlotItem& y = v.yItems[Clamp05(c.fy)];
    r.XNAME = x.caption;
    r.YNAME = y.caption;
    r.XUNIT = x.unit;
    r.YUNIT = y.unit;
    r.XPITCH = XPitchFor(v, c.fx, c.fy);
    r.YPITCH = y.pitch;
    r.SEX = c.sex;
    if (v.optimalWage) {
        // FX holds the explanatory flags; the X axis is always the optimal wage, both axes
        // in 万円 pitched by the objective.
        QString flags = c.explanatory.left(9);
        flags = flags.leftJustified(9, '0');
        r.FX = flags;
        r.CGRAPH = c.graphMode == 1 ? 1 : 0;
        r.SJYUN1 = c.levels[0];
        r.SJYUN2 = c.levels[1];
        r.XNAME = QStringLiteral("最適賃金");
        r.XUNIT = r.YUNIT = Man;
        r.XPITCH = r.YPITCH = y.pitch;
    }
    if (v.wageTableGraph) {
        // The curve order follows the chosen table (set by the caller); the axes are fixed.
        r.FKINJI = c.curveOrder;
        r.XNAME.clear();
        r.YNAME.clear();
        r.XUNIT = QStringLiteral("号俸");
        r.YUNIT = Man;
        r.XPITCH = r.YPITCH = 5;
        r.MARKR = 0;
        r.MIBUN = 0;
        r.SEX = 0;
        r.CGRAPH = 0;
    }
    return r;
}

void KeepPlotWorkInMemoryWhileReadOnly(const Session& s)
{
    // A copy that cannot be made leaves the tables as they are: their writes are then
    // refused with the holder's message, as every other write.
    if (s.year)
        s.year->keepInMemoryWhileWritesRefused(PlotWorkTables);
}

bool LoadSetupRow(const Session& s, const PlotSetupVariant& v, TChart_& out, bool* existed)
{
    KeepPlotWorkInMemoryWhileReadOnly(s);
    const int year = s.fiscalYear, kco = s.companyCode;
    // The layer's shared chart record: a created row takes the axis names, units, pitches
    // and sex that it holds at that moment.
    TChart_& row = SharedRecord<TChart_>();
    row.NENDO = QString::number(year);
    row.KCO = QString::number(kco);
    row.CHCO = QString::number(v.screenId);
    row.KNO = 1;
    TChart_ stored;
    const bool wasStored = ReadOne(*s.year, false,
                                 SqlCondition(QStringLiteral(" WHERE NENDO = ? AND KCO = ? AND CHCO = ? AND KNO = 1"),
                                              {year, kco, v.screenId}),
                                 QStringLiteral("SELECT * FROM MCHART"), stored)
                         && stored.ok;
    if (!GetOrCreateChart(*s.year, true, QStringLiteral("SELECT * FROM MCHART"), row))
        return false;
    out = row;
    if (existed)
        *existed = wasStored;
    return true;
}

bool LoadSetupChoices(const Session& s, const PlotSetupVariant& v, PlotSetupChoices& choices)
{
    TChart_ row;
    bool existed = false;
    if (!LoadSetupRow(s, v, row, &existed))
        return false;
    choices = ChoicesFromChart(row);
    if (!existed)
        choices.fy = v.defaultY;
    return true;
}

bool SaveSetupChoices(const Session& s, const PlotSetupVariant& v, const PlotSetupChoices& c, bool ownTransaction)
{
    KeepPlotWorkInMemoryWhileReadOnly(s);
    const int year = s.fiscalYear, kco = s.companyCode;
    TChart_ row = ChartFromChoices(v, c, year, kco);
    return Update(*s.year, ownTransaction,
                  SqlCondition(QStringLiteral(" WHERE KNO = 1 AND NENDO = ? AND KCO = ? AND CHCO = ?"),
                               {year, kco, v.screenId}),
                  row);
}

SqlCondition EmployeeSelection(const PlotSetupVariant& v, const PlotSetupChoices& c, int year, int kco)
{
    SqlCondition s(QStringLiteral(" WHERE NENDO = ? AND KCO = ?"), {year, kco});
    if (OptimalOnX(v, c)) {
        s.text += QStringLiteral(" AND FITNO <>  0") + v.order;
        return s;
    }
    if (c.form != 4) {
        s.text += QStringLiteral(" AND SM1 = ?");
        s.values << c.form + 1;
    }
    if (c.wageTable != 0) {
        s.text += QStringLiteral(" AND SKCO = ? and TOUKYU");
        s.values << c.wageTable;
    } else {
        s.text += QStringLiteral(" and TCO");
    }
    AppendInList(s.text, s.values, c.grades);
    s.text += QStringLiteral(" AND MCO");
    AppendInList(s.text, s.values, c.marks);
    if (c.sex != 2) {
        s.text += QStringLiteral(" AND SEIBETSU = ?");
        s.values << (c.sex == 0 ? 0 : 1);
    }
    s.text += v.order;
    return s;
}

long long ItemYen(ItemSource source, const TSyain_& e)
{
    const long long basic = (long long)e.KKYU1 + e.KKYU2 + e.KKYU3;
    const long long monthly = basic + e.TEATE1 + e.TEATE2 + e.TEATE3 + e.TEATE4 + e.TEATE5;
    const long long bonus = (long long)e.SYOUYO + e.SYOUYO2;
    switch (source) {
    case S::OptimalWage: return e.FITKIN;
    case S::Pay1: return e.KKYU1;
    case S::Pay2: return e.KKYU2;
    case S::Pay3: return e.KKYU3;
    case S::BasicPay: return basic;
    case S::MonthlyPay: return monthly;
    case S::BonusTotal: return bonus;
    case S::BonusStored: return e.SYOUYO;
    case S::AnnualPay: return monthly * 12 + bonus;
    case S::AnnualStored: return e.NENSYU;
    default: return 0;
    }
}

double ItemValue(ItemSource source, const TSyain_& e)
{
    switch (source) {
    case S::Age: return e.NENREI;
    case S::Service: return e.KINZOKU;
    case S::Experience: return e.NENSU;
    case S::Step: return e.GOUHOU;
    case S::Achievement: return e.TRITSU;
    case S::AchievementWhole: return std::trunc(e.TRITSU);
    case S::JobPoints: return e.TENSU;
    default: return ItemYen(source, e) / 10000.0;
    }
    return 0;
}

QList<TDChart_> ChartPoints(const PlotSetupVariant& v, const PlotSetupChoices& c, const QList<TSyain_>& employees)
{
    QList<TDChart_> rows;
    rows.reserve(employees.size());
    const ItemSource xs = v.xItems[Clamp05(c.fx)].source;
    const ItemSource ys = v.yItems[Clamp05(c.fy)].source;
    const bool optimal = OptimalOnX(v, c);
    int no = 0;
    for (const TSyain_& e : employees) {
        TDChart_ r;
        r.SCO = e.SCO;
        r.SNA = e.SNA;
        r.MKCO = e.MCO;
        switch (c.markLabel) {
        case 0: r.MARKL = e.SCO; break;
        case 1: r.MARKL = v.labelFromHKIGOU ? e.HKIGOU : e.HYOUKA; break;
        case 2: r.MARKL = QString::number(e.ZONEX); break;
        default: break;
        }
        r.X = ItemValue(xs, e);
        r.Y = ItemValue(ys, e);
        if (optimal)
            r.F5 = e.FITJITSU - e.FITKIN;
        r.NO = ++no;
        rows << r;
    }
    return rows;
}

SetupResult RunSetupAnalysis(const Session& s, const PlotSetupVariant& v, PlotSetupChoices& choices)
{
    KeepPlotWorkInMemoryWhileReadOnly(s);
    DbConnection& cn = *s.year;
    TSyain_rec employees;
    if (!ReadAll(cn, true, EmployeeSelection(v, choices, s.fiscalYear, s.companyCode), EmployeeSelectionHead, employees,
                 s.ageReferenceDay()))
        return {SetupAnalysis::Failed, Outcome::Failed(QString())};
    const bool optimal = OptimalOnX(v, choices);
    if (employees.items.isEmpty()) {
        if (!optimal)
            SaveSetupChoices(s, v, choices, true);
        return {SetupAnalysis::NoData, Outcome::Refused(NoPlotDataMessage)};
    }
    if (optimal)
        choices.fy = Clamp05(employees.items.first().FITNO - 1);
    const QList<TDChart_> points = ChartPoints(v, choices, employees.items);
    const bool written = InTransaction(cn, [&] {
        if (!ClearChartPoints(cn))
            return false;
        for (TDChart_ row : points)
            if (!Insert(cn, false, row))
                return false;
        return SaveSetupChoices(s, v, choices, false);
    });
    if (!written)
        return {SetupAnalysis::Failed, Outcome::Failed(QString())};
    return {SetupAnalysis::Plotted, Outcome::Done()};
}
