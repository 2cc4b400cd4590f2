// 男女の賃金の差異: classification, annual wages, headcounts, exact ratios, breakdowns and the
// Blinder–Oaxaca split.
#include "paygap/PayGap.h"

#include "plot/Regression.h"
#include "store/RecordAccess.h"

#include <QRegularExpression>

#include <cmath>

namespace {

SqlValues projectKey(const Session& s)
{
    const TMKIGYOU2& c = s.company();
    return {c.KCO.toLongLong(), c.NENDO.toLongLong()};
}

bool containsAny(const QString& text, std::initializer_list<const char*> words)
{
    for (const char* w : words)
        if (text.contains(QString::fromUtf8(w)))
            return true;
    return false;
}

void addTo(GapCell& cell, const PayGapPerson& p, long long headMilli)
{
    SexSums& s = p.female ? cell.women : cell.men;
    s.wages += p.annualWage;
    s.headMilli += headMilli;
    s.persons += 1;
}

// a ÷ b as a percentage in tenths (1000 · a ÷ b), half-up; b > 0.
long long tenthsOf(__int128 numerator, __int128 denominator)
{
    return DivideHalfUp(numerator * 1000, denominator);
}

} // namespace

// ---------------------------------------------------------------- classification

WorkerCategory DefaultCategoryOfFormName(const QString& formName)
{
    const QString n = formName.trimmed();
    if (n.isEmpty())
        return WorkerCategory::Unclassified;
    if (containsAny(n, {"役員"}))
        return WorkerCategory::LeftOut;
    if (containsAny(n, {"パート", "アルバイト", "嘱託", "契約", "有期", "臨時"}))
        return WorkerCategory::PartTime;
    if (containsAny(n, {"正社員", "正規"}))
        return WorkerCategory::Regular;
    return WorkerCategory::Unclassified;
}

QString CategoryText(WorkerCategory category)
{
    switch (category) {
    case WorkerCategory::Regular: return QStringLiteral("正規雇用労働者");
    case WorkerCategory::PartTime: return QStringLiteral("パート・有期労働者");
    case WorkerCategory::LeftOut: return QStringLiteral("対象外");
    case WorkerCategory::Unclassified: break;
    }
    return QStringLiteral("未分類");
}

PayGapSettings PayGapSettings::Defaults(int fiscalYear)
{
    PayGapSettings s;
    s.periodFrom = fiscalYear * 10000 + 401;
    s.periodTo = (fiscalYear + 1) * 10000 + 331;
    return s;
}

WorkerCategory CategoryOfForm(const PayGapSettings& settings, int formId, const QString& formName)
{
    if (formId == 0)
        return WorkerCategory::Unclassified;
    const auto chosen = settings.formCategories.find(formId);
    if (chosen != settings.formCategories.end())
        return chosen->second;
    return DefaultCategoryOfFormName(formName);
}

// ---------------------------------------------------------------- people

long long AnnualWageOf(const TSyain_& e, const QStringList& allowanceNames, const QStringList& excluded)
{
    const int teate[5] = {e.TEATE1, e.TEATE2, e.TEATE3, e.TEATE4, e.TEATE5};
    long long wage = e.NENSYU;
    for (int k = 0; k < 5 && k < allowanceNames.size(); ++k) {
        const QString name = allowanceNames[k].trimmed();
        if (!name.isEmpty() && excluded.contains(name))
            wage -= 12LL * teate[k];
    }
    return wage;
}

bool LoadPayGapPeople(const Session& s, const PayGapSettings& settings,
                      const std::map<QString, ActualWage>& actual, QList<PayGapPerson>& out)
{
    out.clear();
    TSALARY_rec forms;
    if (!ReadAll(*s.year, false, SqlCondition(" WHERE KCO = ? AND NENDO = ? ORDER BY SALARYID", projectKey(s)),
                 QStringLiteral("SELECT * FROM SALARYNAME"), forms))
        return false;
    std::map<int, std::pair<QString, QStringList>> formOf;   // id -> name, allowance names
    for (const TSALARY_& f : forms.items)
        formOf[f.SALARYID.toInt()] = {f.SALARYNAME, {f.TEATE1, f.TEATE2, f.TEATE3, f.TEATE4, f.TEATE5}};

    TSyain_rec employees;
    const SqlValues key = {s.company().NENDO.toLongLong(), s.company().KCO.toLongLong()};
    if (!ReadAll(*s.year, false, SqlCondition(" WHERE NENDO = ? AND KCO = ? ORDER BY KCO, SCO", key),
                 QStringLiteral("SELECT * FROM VSYAIN"), employees, s.ageReferenceDay()))
        return false;
    for (const TSyain_& e : employees.items) {
        PayGapPerson p;
        p.number = e.SCOT.trimmed();
        p.name = e.SNA;
        p.female = e.SEIBETSU == 1;
        const auto form = formOf.find(e.SM1);
        const QString formName = form == formOf.end() ? QString() : form->second.first;
        p.category = CategoryOfForm(settings, form == formOf.end() ? 0 : e.SM1, formName);
        p.title = e.YAKU.trimmed();
        p.grade = e.TOUKYU;
        p.age = e.NENREI;
        p.service = e.KINZOKU;
        p.annualWage = AnnualWageOf(e, form == formOf.end() ? QStringList() : form->second.second,
                                    settings.excludedAllowances);
        const auto a = p.number.isEmpty() ? actual.end() : actual.find(p.number);
        if (a != actual.end()) {
            if (a->second.annualWage) {
                p.annualWage = *a->second.annualWage;
                p.actualWage = true;
            }
            p.monthlyHoursMilli = a->second.monthlyHoursMilli;
        }
        out << p;
    }
    return true;
}

// ---------------------------------------------------------------- figures

long long DivideHalfUp(__int128 x, __int128 y)
{
    const bool negative = x < 0;
    const __int128 a = negative ? -x : x;
    const __int128 q = (2 * a + y) / (2 * y);
    return static_cast<long long>(negative ? -q : q);
}

long long HeadcountMilli(const PayGapPerson& p, bool fullTimeEquivalent, long long regularMonthlyHoursMilli)
{
    if (!fullTimeEquivalent || p.category != WorkerCategory::PartTime || p.monthlyHoursMilli < 0
        || regularMonthlyHoursMilli <= 0)
        return 1000;
    return DivideHalfUp(static_cast<__int128>(p.monthlyHoursMilli) * 1000, regularMonthlyHoursMilli);
}

long long GapCell::menAverage() const
{
    return men.headMilli > 0 ? DivideHalfUp(static_cast<__int128>(men.wages) * 1000, men.headMilli) : 0;
}

long long GapCell::womenAverage() const
{
    return women.headMilli > 0 ? DivideHalfUp(static_cast<__int128>(women.wages) * 1000, women.headMilli) : 0;
}

std::optional<long long> GapCell::ratioTenths() const
{
    if (!complete())
        return std::nullopt;
    // (Wf ÷ Hf) ÷ (Wm ÷ Hm) × 100 = Wf·Hm ÷ (Hf·Wm) × 100, in tenths.
    return tenthsOf(static_cast<__int128>(women.wages) * men.headMilli,
                    static_cast<__int128>(women.headMilli) * men.wages);
}

QString GapCell::missingReason() const
{
    if (men.headMilli <= 0 && women.headMilli <= 0)
        return QStringLiteral("該当者がいません");
    if (men.headMilli <= 0)
        return QStringLiteral("男性がいません");
    if (women.headMilli <= 0)
        return QStringLiteral("女性がいません");
    if (men.wages <= 0)
        return QStringLiteral("男性の平均年間賃金が0です");
    return {};
}

QString RatioText(std::optional<long long> tenths)
{
    if (!tenths)
        return QStringLiteral("－");
    const long long v = *tenths;
    const long long a = v < 0 ? -v : v;
    return QStringLiteral("%1%2.%3").arg(v < 0 ? "-" : "").arg(a / 10).arg(a % 10);
}

QString HeadcountText(long long milli, bool fullTimeEquivalent)
{
    if (!fullTimeEquivalent)
        return QString::number(DivideHalfUp(milli, 1000));
    return QStringLiteral("%1.%2").arg(milli / 1000).arg(milli % 1000, 3, 10, QChar('0'));
}

std::optional<long long> OaxacaSplit::explainedShareTenths() const
{
    if (!valid || gapYen == 0)
        return std::nullopt;
    return DivideHalfUp(static_cast<__int128>(explainedYen) * 1000, gapYen < 0 ? -gapYen : gapYen)
           * (gapYen < 0 ? -1 : 1);
}

std::optional<long long> OaxacaSplit::unexplainedShareTenths() const
{
    if (!valid || gapYen == 0)
        return std::nullopt;
    return DivideHalfUp(static_cast<__int128>(unexplainedYen) * 1000, gapYen < 0 ? -gapYen : gapYen)
           * (gapYen < 0 ? -1 : 1);
}

int AgeBand(int age)
{
    if (age < 30) return 0;
    if (age < 40) return 1;
    if (age < 50) return 2;
    if (age < 60) return 3;
    return 4;
}

int ServiceBand(int service)
{
    if (service < 5) return 0;
    if (service < 10) return 1;
    if (service < 20) return 2;
    return 3;
}

QString AgeBandLabel(int band)
{
    static const char* labels[] = {"－29歳", "30－39歳", "40－49歳", "50－59歳", "60歳－"};
    return QString::fromUtf8(labels[band]);
}

QString ServiceBandLabel(int band)
{
    static const char* labels[] = {"－4年", "5－9年", "10－19年", "20年－"};
    return QString::fromUtf8(labels[band]);
}

bool IsManager(const PayGapPerson& p, const PayGapSettings& settings)
{
    if (!p.title.isEmpty() && settings.managerTitles.contains(p.title))
        return true;
    return settings.managerGrade > 0 && p.grade >= settings.managerGrade;
}

PayGapResult ComputePayGap(const QList<PayGapPerson>& people, const PayGapSettings& settings,
                           long long regularMonthlyHoursMilli)
{
    PayGapResult r;
    r.fullTimeEquivalent = settings.fullTimeEquivalent;
    GapCell grades[10], ages[5], services[4];
    QList<PayGapPerson> workers;
    for (const PayGapPerson& p : people) {
        if (p.category == WorkerCategory::LeftOut) {
            ++r.leftOutOfficers;
            continue;
        }
        if (p.category == WorkerCategory::Unclassified) {
            ++r.unclassified;
            continue;
        }
        workers << p;
        if (p.actualWage)
            ++r.actualWages;
        if (settings.fullTimeEquivalent && p.category == WorkerCategory::PartTime
            && (p.monthlyHoursMilli < 0 || regularMonthlyHoursMilli <= 0))
            ++r.withoutHours;
        const long long head = HeadcountMilli(p, settings.fullTimeEquivalent, regularMonthlyHoursMilli);
        addTo(r.all, p, head);
        addTo(p.category == WorkerCategory::Regular ? r.regular : r.partTime, p, head);
        addTo(grades[p.grade >= 0 && p.grade <= 9 ? p.grade : 0], p, head);
        addTo(ages[AgeBand(p.age)], p, head);
        addTo(services[ServiceBand(p.service)], p, head);
        if (IsManager(p, settings)) {
            ++r.managers;
            if (p.female)
                ++r.womenManagers;
        }
    }
    if (r.managers > 0)
        r.managerShareTenths = tenthsOf(r.womenManagers, r.managers);
    for (int g = 1; g <= 9; ++g)
        r.byGrade << BreakdownRow{QString::number(g), grades[g]};
    if (grades[0].men.persons + grades[0].women.persons > 0)
        r.byGrade << BreakdownRow{QStringLiteral("指定なし"), grades[0]};
    for (int b = 0; b < 5; ++b)
        r.byAge << BreakdownRow{AgeBandLabel(b), ages[b]};
    for (int b = 0; b < 4; ++b)
        r.byService << BreakdownRow{ServiceBandLabel(b), services[b]};
    r.split = ComputeOaxacaSplit(workers);
    return r;
}

OaxacaSplit ComputeOaxacaSplit(const QList<PayGapPerson>& people)
{
    OaxacaSplit o;
    TRegX X;
    TRegY Y;
    long long menWage = 0, womenWage = 0;
    long double menX[3] = {0, 0, 0}, womenX[3] = {0, 0, 0};
    for (const PayGapPerson& p : people) {
        if (p.category != WorkerCategory::Regular && p.category != WorkerCategory::PartTime)
            continue;
        if (p.annualWage <= 0)
            continue;
        const double x[3] = {double(p.age), double(p.service), double(p.grade)};
        if (p.female) {
            ++o.women;
            womenWage += p.annualWage;
            for (int j = 0; j < 3; ++j)
                womenX[j] += x[j];
        } else {
            ++o.men;
            menWage += p.annualWage;
            for (int j = 0; j < 3; ++j)
                menX[j] += x[j];
            X.push_back({1.0, x[0], x[1], x[2]});
            Y.push_back(double(p.annualWage));
        }
    }
    if (o.men < 5 || o.women < 5) {
        o.reason = QStringLiteral("男女それぞれ5人以上が必要です（男性%1人、女性%2人）").arg(o.men).arg(o.women);
        return o;
    }
    TRegX1 beta(4, 0.0);
    if (!SolveMultipleRegression(X, Y, o.men, 3, beta)) {
        o.reason = QStringLiteral("男性の年齢・勤続・等級から回帰式が求められません（説明変数が一次従属です）");
        return o;
    }
    o.beta = beta;
    o.menMeanWage = double(menWage) / o.men;
    o.womenMeanWage = double(womenWage) / o.women;
    long double explained = 0;
    for (int j = 0; j < 3; ++j) {
        o.menMeanX[j] = double(menX[j] / o.men);
        o.womenMeanX[j] = double(womenX[j] / o.women);
        explained += (menX[j] / o.men - womenX[j] / o.women) * (long double)beta[j + 1];
    }
    // The gap from the exact sums: (Wm·nf − Wf·nm) ÷ (nm·nf), half-up to the yen.
    o.gapYen = DivideHalfUp(static_cast<__int128>(menWage) * o.women - static_cast<__int128>(womenWage) * o.men,
                            static_cast<__int128>(o.men) * o.women);
    o.explainedYen = static_cast<long long>(std::llround(double(explained)));
    o.unexplainedYen = o.gapYen - o.explainedYen;
    o.valid = true;
    return o;
}

bool ParseHoursMilli(const QString& text, long long& milli)
{
    const QString t = QString(text).remove(QLatin1Char(',')).trimmed();
    static const QRegularExpression shape(QStringLiteral("^(\\d{1,6})(?:\\.(\\d*))?$"));
    const QRegularExpressionMatch m = shape.match(t);
    if (!m.hasMatch())
        return false;
    long long whole = m.captured(1).toLongLong();
    QString frac = m.captured(2);
    // Half-up at the fourth decimal.
    const bool up = frac.size() > 3 && frac[3] >= QLatin1Char('5');
    frac = frac.left(3).leftJustified(3, QLatin1Char('0'));
    milli = whole * 1000 + frac.toLongLong() + (up ? 1 : 0);
    return true;
}
