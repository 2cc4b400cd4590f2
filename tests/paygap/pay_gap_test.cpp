// 男女の賃金の差異: classification, pooled averages, exact half-up ratios, 正規換算, left-out
// allowances, imported actual wages, the managers' share and the Blinder–Oaxaca split.
#include "paygap/PayGap.h"
#include "paygap/PayGapReport.h"

#include "plot/Regression.h"
#include "store/RecordAccess.h"
#include "support/RecordedFailures.h"
#include "support/TestProject.h"

#include <cmath>
#include <functional>

#include <gtest/gtest.h>

namespace {

PayGapPerson person(bool female, WorkerCategory category, long long wage)
{
    PayGapPerson p;
    p.female = female;
    p.category = category;
    p.annualWage = wage;
    return p;
}

const auto Regular = WorkerCategory::Regular;
const auto PartTime = WorkerCategory::PartTime;
constexpr bool Man = false;
constexpr bool Woman = true;

PayGapSettings settings() { return PayGapSettings::Defaults(2024); }

} // namespace

TEST(PayGapClassification, DefaultsFollowTheFormName)
{
    const struct {
        const char* name;
        WorkerCategory expected;
    } cases[] = {
        {"正社員", WorkerCategory::Regular},       {"正規職員", WorkerCategory::Regular},
        {"嘱託", WorkerCategory::PartTime},        {"契約社員", WorkerCategory::PartTime},
        {"パート", WorkerCategory::PartTime},      {"アルバイト", WorkerCategory::PartTime},
        {"有期雇用", WorkerCategory::PartTime},    {"臨時職員", WorkerCategory::PartTime},
        {"役員", WorkerCategory::LeftOut},         {"役員（正社員兼務）", WorkerCategory::LeftOut},
        {"その他", WorkerCategory::Unclassified},  {"", WorkerCategory::Unclassified},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DefaultCategoryOfFormName(QString::fromUtf8(c.name)), c.expected) << c.name;

    PayGapSettings s = settings();
    s.formCategories[4] = WorkerCategory::Regular;   // the user classified "その他"
    EXPECT_EQ(CategoryOfForm(s, 4, QStringLiteral("その他")), WorkerCategory::Regular);
    EXPECT_EQ(CategoryOfForm(s, 2, QStringLiteral("パート")), WorkerCategory::PartTime);
    EXPECT_EQ(CategoryOfForm(s, 0, QString()), WorkerCategory::Unclassified);   // SM1 0
}

TEST(PayGapTable, AllWorkersArePooledNotTheMeanOfTheTwoRatios)
{
    // Regular: men 6,000,000 × 2, a woman 4,800,000 → 80.0.
    // Part-time: a man 2,000,000, women 1,800,000 × 3 → 90.0. The mean of the two would be 85.0.
    // Pooled: men 14,000,000 ÷ 3 = 4,666,666.67, women 10,200,000 ÷ 4 = 2,550,000
    //         → 2,550,000 ÷ 4,666,666.67 × 100 = 54.64… → 54.6.
    QList<PayGapPerson> people = {person(Man, Regular, 6000000),    person(Man, Regular, 6000000),
                                  person(Woman, Regular, 4800000),  person(Man, PartTime, 2000000),
                                  person(Woman, PartTime, 1800000), person(Woman, PartTime, 1800000),
                                  person(Woman, PartTime, 1800000)};
    people << person(Woman, WorkerCategory::LeftOut, 20000000) << person(Man, WorkerCategory::Unclassified, 1);
    const PayGapResult r = ComputePayGap(people, settings(), 0);
    EXPECT_EQ(RatioText(r.regular.ratioTenths()), "80.0");
    EXPECT_EQ(RatioText(r.partTime.ratioTenths()), "90.0");
    EXPECT_EQ(RatioText(r.all.ratioTenths()), "54.6");
    EXPECT_EQ(r.all.menAverage(), 4666667);
    EXPECT_EQ(r.all.womenAverage(), 2550000);
    EXPECT_EQ(r.all.men.persons, 3);
    EXPECT_EQ(r.all.women.persons, 4);
    EXPECT_EQ(r.leftOutOfficers, 1);
    EXPECT_EQ(r.unclassified, 1);
}

TEST(PayGapTable, RatioRoundsHalfUpExactlyAtTheEdge)
{
    const struct {
        long long men, women;
        const char* expected;
    } cases[] = {
        {4000000, 2850000, "71.3"},    // exactly 71.25
        {4000000, 2849996, "71.2"},    // 71.2499
        {3000000, 2137500, "71.3"},    // exactly 71.25 again, other sums
        {3000000, 2137499, "71.2"},    // 71.24996…
        {1000000, 1000000, "100.0"},
        {3, 1, "33.3"},
    };
    for (const auto& c : cases) {
        const PayGapResult r = ComputePayGap({person(Man, Regular, c.men), person(Woman, Regular, c.women)}, settings(), 0);
        EXPECT_EQ(RatioText(r.all.ratioTenths()), c.expected) << c.men << " " << c.women;
    }
    // Three men and three women whose averages are repeating decimals: women 2,137,500 × 3 over
    // men 3,000,000 × 3 is still exactly 71.25.
    QList<PayGapPerson> thirds;
    for (long long w : {2137501LL, 2137500LL, 2137499LL})
        thirds << person(Woman, Regular, w);
    for (long long m : {3000001LL, 3000000LL, 2999999LL})
        thirds << person(Man, Regular, m);
    EXPECT_EQ(RatioText(ComputePayGap(thirds, settings(), 0).all.ratioTenths()), "71.3");
}

TEST(PayGapHeadcount, FullTimeEquivalentRoundsToThreeDecimals)
{
    // 7 h 05 min and 6 h a day against 7 h 45 min, over 20 days: 141.6667 h and 120 h of 155 h.
    long long regular = 0, sevenOhFive = 0, six = 0;
    ASSERT_TRUE(ParseHoursMilli("155", regular));
    ASSERT_TRUE(ParseHoursMilli("141.6667", sevenOhFive));
    ASSERT_TRUE(ParseHoursMilli("120.0", six));
    EXPECT_EQ(regular, 155000);
    EXPECT_EQ(sevenOhFive, 141667);
    long long bad = 0;
    EXPECT_FALSE(ParseHoursMilli("7h", bad));
    EXPECT_FALSE(ParseHoursMilli("-3", bad));

    PayGapPerson a = person(Woman, PartTime, 1700000);
    a.monthlyHoursMilli = sevenOhFive;
    PayGapPerson b = person(Woman, PartTime, 1400000);
    b.monthlyHoursMilli = six;
    PayGapPerson c = person(Woman, PartTime, 1900000);   // no hours: counts 1
    PayGapPerson m = person(Man, PartTime, 2000000);
    m.monthlyHoursMilli = regular;
    PayGapPerson full = person(Man, Regular, 5000000);  // regular workers always count 1
    full.monthlyHoursMilli = six;
    EXPECT_EQ(HeadcountMilli(a, true, regular), 914);
    EXPECT_EQ(HeadcountMilli(b, true, regular), 774);
    EXPECT_EQ(HeadcountMilli(c, true, regular), 1000);
    EXPECT_EQ(HeadcountMilli(full, true, regular), 1000);
    EXPECT_EQ(HeadcountMilli(a, false, regular), 1000);

    PayGapSettings s = settings();
    s.fullTimeEquivalent = true;
    const PayGapResult r = ComputePayGap({a, b, c, m, full}, s, regular);
    // Women: 5,000,000 ÷ (0.914 + 0.774 + 1) = 5,000,000 ÷ 2.688 = 1,860,119.05
    // → 1,860,119 yen; ÷ 2,000,000 × 100 = 93.006 → 93.0.
    EXPECT_EQ(r.partTime.women.headMilli, 2688);
    EXPECT_EQ(HeadcountText(r.partTime.women.headMilli, true), "2.688");
    EXPECT_EQ(HeadcountText(r.partTime.men.headMilli, true), "1.000");
    EXPECT_EQ(r.partTime.womenAverage(), 1860119);
    EXPECT_EQ(RatioText(r.partTime.ratioTenths()), "93.0");
    EXPECT_EQ(r.withoutHours, 1);
}

TEST(PayGapTable, CategoryWithoutWomenShowsADashAndWhy)
{
    const PayGapResult r = ComputePayGap({person(Man, Regular, 5000000), person(Woman, PartTime, 2000000)}, settings(), 0);
    EXPECT_FALSE(r.regular.ratioTenths());
    EXPECT_EQ(RatioText(r.regular.ratioTenths()), "－");
    EXPECT_EQ(r.regular.missingReason(), "女性がいません");
    EXPECT_EQ(r.partTime.missingReason(), "男性がいません");
    EXPECT_EQ(RatioText(r.all.ratioTenths()), "40.0");
    EXPECT_EQ(r.regular.womenAverage(), 0);
    // Both are in the youngest age band; the empty bands are dashes, nothing divides by zero.
    EXPECT_EQ(RatioText(r.byAge[0].cell.ratioTenths()), "40.0");
    for (int band = 1; band < 5; ++band)
        EXPECT_EQ(RatioText(r.byAge[band].cell.ratioTenths()), "－") << band;
    const PayGapResult none = ComputePayGap({}, settings(), 0);
    EXPECT_EQ(none.all.missingReason(), "該当者がいません");
    EXPECT_FALSE(none.managerShareTenths);
}

TEST(PayGapManagers, ShareUnderTheTitleRuleAndTheGradeRule)
{
    auto m = [](bool female, const char* title, int grade, WorkerCategory c = WorkerCategory::Regular) {
        PayGapPerson p = person(female, c, 5000000);
        p.title = QString::fromUtf8(title);
        p.grade = grade;
        return p;
    };
    const QList<PayGapPerson> people = {
        m(Man, "課長", 5), m(Man, "部長", 7), m(Man, "主任", 6), m(Woman, "課長", 4), m(Woman, "係長", 6),
        m(Woman, "次長", 5), m(Woman, "", 1, WorkerCategory::PartTime),
        m(Woman, "部長", 9, WorkerCategory::LeftOut),       // an officer: never a worker
        m(Man, "課長", 8, WorkerCategory::Unclassified),     // unclassified: left out too
    };
    // Titles 課長, 次長, 部長: men 課長, 部長; women 課長, 次長 → 2 of 4 = 50.0.
    PayGapResult r = ComputePayGap(people, settings(), 0);
    EXPECT_EQ(r.managers, 4);
    EXPECT_EQ(r.womenManagers, 2);
    EXPECT_EQ(RatioText(r.managerShareTenths), "50.0");

    // Grade 6 and above, no titles: men 部長 (7), 主任 (6); woman 係長 (6) → 1 of 3 = 33.3.
    PayGapSettings byGrade = settings();
    byGrade.managerTitles.clear();
    byGrade.managerGrade = 6;
    r = ComputePayGap(people, byGrade, 0);
    EXPECT_EQ(r.managers, 3);
    EXPECT_EQ(r.womenManagers, 1);
    EXPECT_EQ(RatioText(r.managerShareTenths), "33.3");

    // Both rules together: a manager by either. 課長(m), 部長(m), 主任(m), 課長(w), 係長(w), 次長(w)
    // with grade 6 → 3 of 6.
    PayGapSettings both = settings();
    both.managerGrade = 6;
    r = ComputePayGap(people, both, 0);
    EXPECT_EQ(r.managers, 6);
    EXPECT_EQ(RatioText(r.managerShareTenths), "50.0");
}

TEST(PayGapBreakdowns, BandsByAgeServiceAndGrade)
{
    const struct {
        int value, age, service;
    } edges[] = {{29, 0, 0}, {30, 1, 0}, {39, 1, 0}, {40, 2, 0}, {49, 2, 0}, {50, 3, 0}, {59, 3, 0}, {60, 4, 0}};
    for (const auto& e : edges)
        EXPECT_EQ(AgeBand(e.value), e.age) << e.value;
    const int serviceEdges[][2] = {{0, 0}, {4, 0}, {5, 1}, {9, 1}, {10, 2}, {19, 2}, {20, 3}, {45, 3}};
    for (const auto& e : serviceEdges)
        EXPECT_EQ(ServiceBand(e[0]), e[1]) << e[0];

    auto p = [](bool female, long long wage, int age, int service, int grade) {
        PayGapPerson x = person(female, WorkerCategory::Regular, wage);
        x.age = age;
        x.service = service;
        x.grade = grade;
        return x;
    };
    // Grade 2: a man 4,000,000, a woman 3,000,000 → 75.0; age 30–39: the man 36 and the woman
    // 33 → 75.0; the woman 25 alone in –29 → "－".
    const PayGapResult r = ComputePayGap({p(Man, 4000000, 36, 12, 2), p(Woman, 3000000, 33, 7, 2),
                                          p(Woman, 2000000, 25, 3, 1)},
                                         settings(), 0);
    EXPECT_EQ(r.byGrade.size(), 9);
    EXPECT_EQ(RatioText(r.byGrade[1].cell.ratioTenths()), "75.0");
    EXPECT_EQ(r.byGrade[0].cell.women.persons, 1);
    EXPECT_FALSE(r.byGrade[0].cell.ratioTenths());
    EXPECT_EQ(RatioText(r.byAge[1].cell.ratioTenths()), "75.0");
    EXPECT_FALSE(r.byAge[0].cell.ratioTenths());
    EXPECT_EQ(r.byService[2].cell.men.persons, 1);      // 12 years: 10–19
    EXPECT_EQ(r.byService[1].cell.women.persons, 1);    // 7 years: 5–9
}

// ---------------------------------------------------------------- Blinder–Oaxaca

namespace {

struct Worker {
    int age, service, grade;
};

const Worker Men[] = {{25, 2, 1}, {32, 8, 2}, {41, 15, 3}, {50, 20, 5}, {38, 5, 2}, {58, 30, 6}};
const Worker Women[] = {{24, 1, 1}, {29, 4, 1}, {35, 6, 2}, {44, 10, 2}, {52, 12, 3}};

long long menEquation(const Worker& w) { return 1000000 + 50000LL * w.age + 30000LL * w.service + 400000LL * w.grade; }

QList<PayGapPerson> splitPeople(const std::function<long long(const Worker&, bool)>& wage)
{
    QList<PayGapPerson> people;
    for (bool female : {false, true})
        for (const Worker& w : female ? QList<Worker>(std::begin(Women), std::end(Women))
                                      : QList<Worker>(std::begin(Men), std::end(Men))) {
            PayGapPerson p = person(female, WorkerCategory::Regular, wage(w, female));
            p.age = w.age;
            p.service = w.service;
            p.grade = w.grade;
            people << p;
        }
    return people;
}

// Least squares by modified Gram–Schmidt on the columns (1, age, service, grade), in long
// double: an independent route to the men's coefficients.
std::vector<long double> leastSquares(const QList<PayGapPerson>& men)
{
    const int n = men.size();
    std::vector<std::vector<long double>> q(4, std::vector<long double>(n));
    std::vector<long double> y(n);
    for (int i = 0; i < n; ++i) {
        q[0][i] = 1;
        q[1][i] = men[i].age;
        q[2][i] = men[i].service;
        q[3][i] = men[i].grade;
        y[i] = men[i].annualWage;
    }
    long double r[4][4] = {};
    for (int j = 0; j < 4; ++j) {
        for (int k = 0; k < j; ++k) {
            long double d = 0;
            for (int i = 0; i < n; ++i)
                d += q[k][i] * q[j][i];
            r[k][j] = d;
            for (int i = 0; i < n; ++i)
                q[j][i] -= d * q[k][i];
        }
        long double norm = 0;
        for (int i = 0; i < n; ++i)
            norm += q[j][i] * q[j][i];
        r[j][j] = std::sqrt(norm);
        for (int i = 0; i < n; ++i)
            q[j][i] /= r[j][j];
    }
    std::vector<long double> qty(4), beta(4);
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < n; ++i)
            qty[j] += q[j][i] * y[i];
    for (int j = 3; j >= 0; --j) {
        long double s = qty[j];
        for (int k = j + 1; k < 4; ++k)
            s -= r[j][k] * beta[k];
        beta[j] = s / r[j][j];
    }
    return beta;
}

} // namespace

TEST(PayGapSplit, WomenOnTheMensEquationLeaveNothingUnexplained)
{
    // Everybody earns 1,000,000 + 50,000·age + 30,000·service + 400,000·grade. Men's mean
    // 28,200,000 ÷ 6 = 4,700,000, women's 18,790,000 ÷ 5 = 3,758,000: a gap of 942,000, all of
    // it explained by age, service and grade.
    const OaxacaSplit o = ComputeOaxacaSplit(splitPeople([](const Worker& w, bool) { return menEquation(w); }));
    ASSERT_TRUE(o.valid) << o.reason.toStdString();
    EXPECT_EQ(o.men, 6);
    EXPECT_EQ(o.women, 5);
    EXPECT_EQ(o.gapYen, 942000);
    EXPECT_NEAR(o.beta[1], 50000, 1e-3);
    EXPECT_NEAR(o.beta[3], 400000, 1e-3);
    EXPECT_LE(std::llabs(o.unexplainedYen), 1);
    EXPECT_EQ(o.explainedYen + o.unexplainedYen, o.gapYen);
    EXPECT_EQ(RatioText(o.explainedShareTenths()), "100.0");

    // Each woman 300,000 below the equation: the gap grows to 1,242,000 and 300,000 of it is
    // unexplained.
    const OaxacaSplit lower = ComputeOaxacaSplit(
        splitPeople([](const Worker& w, bool female) { return menEquation(w) - (female ? 300000 : 0); }));
    ASSERT_TRUE(lower.valid);
    EXPECT_EQ(lower.gapYen, 1242000);
    EXPECT_LE(std::llabs(lower.unexplainedYen - 300000), 1);
    EXPECT_EQ(lower.explainedYen + lower.unexplainedYen, lower.gapYen);
    // 942,000 ÷ 1,242,000 = 75.845…% and 300,000 ÷ 1,242,000 = 24.154…%.
    EXPECT_EQ(RatioText(lower.explainedShareTenths()), "75.8");
    EXPECT_EQ(RatioText(lower.unexplainedShareTenths()), "24.2");
}

TEST(PayGapSplit, AgreesWithAnIndependentLeastSquaresSolution)
{
    // Wages off the equation by a scatter, so the fit has residuals.
    int k = 0;
    const QList<PayGapPerson> people = splitPeople([&k](const Worker& w, bool female) {
        ++k;
        return menEquation(w) + ((k * 7919) % 13 - 6) * 37000 - (female ? 250000 : 0);
    });
    const OaxacaSplit o = ComputeOaxacaSplit(people);
    ASSERT_TRUE(o.valid);
    QList<PayGapPerson> men;
    for (const PayGapPerson& p : people)
        if (!p.female)
            men << p;
    const std::vector<long double> beta = leastSquares(men);
    for (int j = 0; j < 4; ++j)
        EXPECT_NEAR(o.beta[j], double(beta[j]), 1e-6 * std::fabs(double(beta[j]))) << j;
    long double explained = 0;
    for (int j = 0; j < 3; ++j)
        explained += (o.menMeanX[j] - o.womenMeanX[j]) * beta[j + 1];
    EXPECT_LE(std::fabs(double(explained) - o.explainedYen), 1.0);
    EXPECT_EQ(o.explainedYen + o.unexplainedYen, o.gapYen);
}

TEST(PayGapSplit, RefusedWithTooFewPeopleOrASingularFit)
{
    QList<PayGapPerson> people = splitPeople([](const Worker& w, bool) { return menEquation(w); });
    QList<PayGapPerson> fourWomen = people;
    fourWomen.removeLast();
    OaxacaSplit o = ComputeOaxacaSplit(fourWomen);
    EXPECT_FALSE(o.valid);
    EXPECT_EQ(o.reason, "男女それぞれ5人以上が必要です（男性6人、女性4人）");

    // A wage of 0 does not count: five women, one without pay.
    QList<PayGapPerson> unpaid = people;
    unpaid.last().annualWage = 0;
    EXPECT_FALSE(ComputeOaxacaSplit(unpaid).valid);

    // Every man in grade 3: grade is the intercept again, the fit is singular.
    QList<PayGapPerson> oneGrade = people;
    for (PayGapPerson& p : oneGrade)
        if (!p.female)
            p.grade = 3;
    o = ComputeOaxacaSplit(oneGrade);
    EXPECT_FALSE(o.valid);
    EXPECT_FALSE(o.reason.isEmpty());
    EXPECT_FALSE(o.explainedShareTenths());
}

// ---------------------------------------------------------------- read from a project

namespace {

struct PayGapProject : ::testing::Test {
    RecordedFailures failures;
    TestProgramFolder folder;

    void SetUp() override
    {
        OpenTestProject(folder);
        // 通勤手当 is allowance 4 of 正社員 and allowance 1 of パート.
        addForm(1, "正社員", {"役職手当", "家族手当", "住宅手当", "通勤手当", ""});
        addForm(2, "パート", {"通勤手当", "", "", "", ""});
        addForm(3, "役員", {"", "", "", "", ""});
        addEmployee(1, "R001", Man, 1, 300000, 10000, 600000);
        addEmployee(2, "R002", Woman, 1, 250000, 6000, 500000);
        addEmployee(3, "R003", Woman, 1, 260000, 8000, 520000);
        addEmployee(4, "P001", Man, 2, 150000, 5000, 0);
        addEmployee(5, "P002", Woman, 2, 120000, 3000, 0);
        addEmployee(6, "D001", Man, 3, 900000, 0, 0);   // an officer
        addEmployee(7, "X001", Woman, 0, 200000, 0, 0); // no form
    }

    void addForm(int id, const char* name, const QStringList& allowances)
    {
        TSALARY_ f;
        f.KCO = "1";
        f.NENDO = "2024";
        f.SALARYID = QString::number(id);
        f.SALARYNAME = QString::fromUtf8(name);
        f.TEATE1 = allowances[0];
        f.TEATE2 = allowances[1];
        f.TEATE3 = allowances[2];
        f.TEATE4 = allowances[3];
        f.TEATE5 = allowances[4];
        ASSERT_TRUE(Insert(folder.fdm().ACN2, true, f));
    }

    // Basic pay, the commuting allowance in its form's place and a bonus; NENSYU as the
    // register stores it.
    void addEmployee(int sco, const char* number, bool female, int form, int basic, int commuting, int bonus)
    {
        TSyain_ e;
        e.KCO = "1";
        e.NENDO = "2024";
        e.SCO = QString::number(sco);
        e.SCOT = QString::fromUtf8(number);
        e.SNA = QStringLiteral("社員%1").arg(sco);
        e.SEIBETSU = female ? 1 : 0;
        e.SM1 = form;
        e.TOUKYU = 2;
        e.SEIHI = 19900101;
        e.NYUHI = 20150401;
        e.KKYU1 = basic;
        (form == 2 ? e.TEATE1 : e.TEATE4) = commuting;
        e.SYOUYO = bonus;
        e.computeTotals();
        e.NENSYU = e.AnnualTotal;
        ASSERT_TRUE(Insert(folder.fdm().ACN2, true, e));
    }

    PayGapResult computed(const PayGapSettings& s, const std::map<QString, ActualWage>& actual = {})
    {
        QList<PayGapPerson> people;
        EXPECT_TRUE(LoadPayGapPeople(folder.session(), s, actual, people));
        return ComputePayGap(people, s, 155000);
    }
};

} // namespace

TEST_F(PayGapProject, ReadsFormsAgesAndWages)
{
    QList<PayGapPerson> people;
    ASSERT_TRUE(LoadPayGapPeople(folder.session(), settings(), {}, people));
    ASSERT_EQ(people.size(), 7);
    EXPECT_EQ(people[0].category, WorkerCategory::Regular);
    EXPECT_EQ(people[3].category, WorkerCategory::PartTime);
    EXPECT_EQ(people[5].category, WorkerCategory::LeftOut);
    EXPECT_EQ(people[6].category, WorkerCategory::Unclassified);
    // Born 1 January 1990, joined 1 April 2015, counted to 1 April 2024.
    EXPECT_EQ(people[0].age, 34);
    EXPECT_EQ(people[0].service, 9);
    EXPECT_EQ(people[0].annualWage, 310000LL * 12 + 600000);
    EXPECT_TRUE(failures.reports.isEmpty());
}

TEST_F(PayGapProject, LeftOutAllowanceLowersEachAverageByTwelveTimesItOverTheHeadcount)
{
    const PayGapResult with = computed(settings());
    PayGapSettings s = settings();
    s.excludedAllowances = {QStringLiteral("通勤手当")};
    const PayGapResult without = computed(s);
    // Regular women: 12 × (6,000 + 8,000) ÷ 2 = 84,000 less; the regular man 12 × 10,000;
    // part-time: the man 12 × 5,000, the woman 12 × 3,000.
    EXPECT_EQ(with.regular.womenAverage() - without.regular.womenAverage(), 84000);
    EXPECT_EQ(with.regular.menAverage() - without.regular.menAverage(), 120000);
    EXPECT_EQ(with.partTime.menAverage() - without.partTime.menAverage(), 60000);
    EXPECT_EQ(with.partTime.womenAverage() - without.partTime.womenAverage(), 36000);
    // All workers: women 12 × 17,000 ÷ 3 = 68,000; men 12 × 15,000 ÷ 2 = 90,000.
    EXPECT_EQ(with.all.womenAverage() - without.all.womenAverage(), 68000);
    EXPECT_EQ(with.all.menAverage() - without.all.menAverage(), 90000);
    EXPECT_EQ(without.regular.womenAverage(), (250000LL * 12 + 500000 + 260000LL * 12 + 520000) / 2);
    EXPECT_EQ(without.leftOutOfficers, 1);
    EXPECT_EQ(without.unclassified, 1);
}

TEST_F(PayGapProject, ImportedActualWagesTakePrecedence)
{
    PayGapSettings s = settings();
    s.excludedAllowances = {QStringLiteral("通勤手当")};   // not applied to an actual amount
    s.fullTimeEquivalent = true;
    std::map<QString, ActualWage> actual;
    actual[QStringLiteral("R002")] = {3100000, -1};
    actual[QStringLiteral("P002")] = {1500000, 120000};   // 120 h of 155 h: 0.774
    actual[QStringLiteral("Z999")] = {9999999, -1};       // nobody: ignored
    const PayGapResult r = computed(s, actual);
    // Regular women: 3,100,000 and 260,000 × 12 + 520,000 = 3,640,000 → 3,370,000.
    EXPECT_EQ(r.regular.womenAverage(), 3370000);
    EXPECT_EQ(r.actualWages, 2);
    // Part-time woman: 1,500,000 ÷ 0.774 = 1,937,984.5 → 1,937,984 (…496 below the half).
    EXPECT_EQ(r.partTime.women.headMilli, 774);
    EXPECT_EQ(r.partTime.womenAverage(), 1937984);
    // The part-time man has no hours: counted 1 and noted.
    EXPECT_EQ(r.withoutHours, 1);
}

// A row of hours alone gives 正規換算 its hours and keeps the computed annual wage (left-out
// allowances and all); it is not an imported amount.
TEST_F(PayGapProject, HoursAloneKeepTheComputedWage)
{
    PayGapSettings s = settings();
    s.excludedAllowances = {QStringLiteral("通勤手当")};
    s.fullTimeEquivalent = true;
    std::map<QString, ActualWage> actual;
    actual[QStringLiteral("P002")] = {std::nullopt, 120000};   // 120 h of 155 h: 0.774
    const PayGapResult r = computed(s, actual);
    // The part-time woman: (120,000 + 3,000 − 3,000) × 12 = 1,440,000 over 0.774 =
    // 1,860,465.1… → 1,860,465.
    EXPECT_EQ(r.partTime.women.wages, 1440000);
    EXPECT_EQ(r.partTime.women.headMilli, 774);
    EXPECT_EQ(r.partTime.womenAverage(), 1860465);
    EXPECT_EQ(r.actualWages, 0);
    EXPECT_EQ(r.withoutHours, 1);   // the part-time man
    EXPECT_FALSE(PayGapNotes(s, r).join(QString()).contains(QStringLiteral("実績")));

    // Counted one a person, the same row changes nothing.
    s.fullTimeEquivalent = false;
    const PayGapResult perHead = computed(s, actual);
    EXPECT_EQ(perHead.partTime.womenAverage(), 1440000);
}
