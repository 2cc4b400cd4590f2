// The supplied sample companies: a deterministic generator of fictional companies and
// their people for the fiscal years 2018 to 2020.
#include "projects/SampleCompanies.h"

#include "plot/PlotSetup.h"

#include "projects/Companies.h"
#include "core/Numbers.h"
#include "paygap/PayGapStore.h"
#include "store/Conversions.h"
#include "store/DataModule.h"
#include "store/RecordAccess.h"
#include "store/Transactions.h"
#include "wagetable/SalaryList.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace {

// ---------------------------------------------------------------- randomness

// A small linear congruential generator: the same figures on every machine.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint32_t next()
    {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return std::uint32_t(state_ >> 33);
    }
    double uniform() { return next() / 2147483648.0; }   // [0, 1)
    int range(int lo, int hi) { return lo + int(next() % std::uint32_t(hi - lo + 1)); }   // [lo, hi]
    bool chance(double p) { return uniform() < p; }
    double normal()
    {
        const double u1 = std::max(uniform(), 1e-12), u2 = uniform();
        return std::sqrt(-2 * std::log(u1)) * std::cos(2 * M_PI * u2);
    }

private:
    std::uint64_t state_;
};

template <class T, size_t N>
const T& pick(Rng& rng, const std::array<T, N>& list)
{
    return list[rng.next() % N];
}

const std::array<const char*, 48> surnames = {
    "佐藤", "鈴木", "高橋", "田中", "伊藤", "渡辺", "山本", "中村", "小林", "加藤", "吉田", "山田",
    "佐々木", "山口", "松本", "井上", "木村", "林",   "斎藤", "清水", "山崎", "森",   "池田", "橋本",
    "阿部", "石川", "山下", "中島", "石井", "小川", "前田", "岡田", "長谷川", "藤田", "後藤", "近藤",
    "村上", "遠藤", "青木", "坂本", "斉藤", "福田", "太田", "西村", "藤井", "岡本", "松田", "中川"};
const std::array<const char*, 36> maleNames = {
    "翔太", "大輔", "健太", "拓也", "直樹", "和也", "亮",   "誠",   "浩二", "隆",   "修",   "学",
    "健一", "雄一", "達也", "洋平", "剛",   "悠斗", "陽介", "智之", "一郎", "慎也", "賢治", "光司",
    "俊介", "康弘", "裕太", "将大", "英樹", "正人", "匠",   "颯太", "稔",   "聡",   "宏",   "徹"};
const std::array<const char*, 36> femaleNames = {
    "陽子", "恵美", "裕子", "智子", "美穂", "由美", "直美", "真由美", "久美子", "麻衣", "彩",   "愛",
    "沙織", "香織", "奈々", "美咲", "優子", "明美", "幸子", "典子", "千尋", "舞",   "葵",   "結衣",
    "さくら", "理恵", "亜希子", "絵美", "友美", "佳奈", "里美", "春香", "梨花", "早苗", "純子", "美和"};
const std::array<const char*, 8> majors = {"機械工学", "電気工学", "経済学", "商学", "情報工学", "化学", "法学", "文学"};
const std::array<const char*, 6> licences = {"", "", "", "第一種衛生管理者", "危険物取扱者乙種４類", "日商簿記２級"};

// ---------------------------------------------------------------- the companies

struct FormPlan {
    const char* name;
    const char* scheme;
    std::array<const char*, 3> basic;
    std::array<const char*, 5> allowances;
};

struct TablePlan {
    const char* title;
    int curveKind;
    int roundingCode;
    int gradeCount;
    std::array<long long, 9> medians;
    int lowerPercent;
    int upperPercent;
    std::array<int, 9> endSteps;
};

struct CompanyPlan {
    int preferredCode;
    const char* name;
    int calendarMode;
    std::array<const char*, 9> gradeNames;
    int gradeCount;
    std::array<const char*, 9> positions;          // 役職 by grade
    std::array<int, 9> positionAllowance;          // 役職手当 by grade
    std::array<int, 9> marks;                      // mark by grade (regular staff on table 1)
    std::array<const char*, 7> departments;
    std::array<FormPlan, 3> forms;
    std::array<TablePlan, 2> tables;
    int regular;
    int contract;
    int part;
    int graduatesPerYear;
    int midCareerPerYear;
    const char* minimumWage;
    std::uint64_t seed;
    int managerGrade;   // the pay-gap disclosure's managers: this grade and up (0: by 役職, 課長 and up)
};

const CompanyPlan companies[] = {
    {1,
     "サンプル精機株式会社",
     0,
     {"一般職１級", "一般職２級", "一般職３級", "主任", "係長", "課長補佐", "課長", "次長", "部長"},
     9,
     {"", "", "", "主任", "係長", "課長代理", "課長", "次長", "部長"},
     {0, 0, 0, 5000, 10000, 30000, 50000, 70000, 90000},
     {1, 1, 1, 2, 3, 4, 4, 5, 5},
     {"製造部", "品質保証部", "技術部", "営業部", "総務部", "経理部", "購買部"},
     {{{"正社員", "月給制", {"職能給", "年齢給", ""}, {"役職手当", "家族手当", "住宅手当", "通勤手当", "精勤手当"}},
       {"嘱託", "月給制", {"基本給", "", ""}, {"通勤手当", "", "", "", ""}},
       {"パート", "時給制", {"基本給", "", ""}, {"通勤手当", "", "", "", ""}}}},
     {{{"職能給表（２次曲線）", 0, 1, 9, {165000, 186000, 210000, 238000, 268000, 302000, 340000, 382000, 428000}, -15, 20,
        {20, 20, 20, 25, 25, 25, 30, 30, 30}},
       {"専門職給表（３次曲線）", 1, 1, 9, {170000, 190000, 214000, 242000, 274000, 310000, 350000, 394000, 442000}, -12, 15,
        {25, 25, 25, 25, 25, 25, 25, 25, 25}}}},
     128,
     7,
     15,
     6,
     2,
     "985",
     20180401,
     0},
    {2,
     "サンプルサービス株式会社",
     1,
     {"スタッフ１級", "スタッフ２級", "リーダー", "主任", "店長", "エリア長", "第７等級", "第８等級", "第９等級"},
     6,
     {"", "", "リーダー", "主任", "店長", "エリア長", "", "", ""},
     {0, 0, 8000, 15000, 40000, 60000, 0, 0, 0},
     {1, 1, 2, 3, 4, 5, 5, 5, 5},
     {"渋谷店", "新宿店", "池袋店", "横浜店", "本部", "商品部", "渋谷店"},
     {{{"正社員", "月給制", {"基本給", "職務給", ""}, {"役職手当", "家族手当", "住宅手当", "通勤手当", ""}},
       {"契約社員", "月給制", {"基本給", "", ""}, {"通勤手当", "", "", "", ""}},
       {"パート", "時給制", {"基本給", "", ""}, {"通勤手当", "", "", "", ""}}}},
     {{{"基本給表（２次曲線）", 0, 0, 6, {180000, 200000, 225000, 255000, 290000, 330000, 0, 0, 0}, -12, 18,
        {15, 18, 20, 22, 25, 25, 0, 0, 0}},
       {"契約社員給表（３次曲線）", 1, 2, 3, {175000, 192000, 212000, 0, 0, 0, 0, 0, 0}, -10, 12,
        {20, 20, 20, 0, 0, 0, 0, 0, 0}}}},
     28,
     4,
     8,
     2,
     1,
     "985",
     20180402,
     5},
};

// Evaluations of every wage table: code, symbol, steps added at the raise.
struct Evaluation {
    int code;
    const char* symbol;
    int steps;
};
const std::array<Evaluation, 5> evaluations = {{{1, "S", 6}, {2, "A", 5}, {3, "B", 4}, {4, "C", 3}, {5, "D", 2}}};

int drawEvaluation(Rng& rng)
{
    const double u = rng.uniform();
    return u < 0.06 ? 1 : u < 0.28 ? 2 : u < 0.78 ? 3 : u < 0.95 ? 4 : 5;
}

double baseUpFactor(int year)
{
    return year == 2018 ? 1.000 : year == 2019 ? 1.005 : 1.010;
}

// ---------------------------------------------------------------- wage tables

SalaryListDefinition tableDefinition(const TablePlan& t, int id, int year, const CompanyPlan& c)
{
    SalaryListDefinition def;
    def.id = id;
    def.gradeCount = t.gradeCount;
    def.title = QString::fromUtf8(t.title);
    def.curveKind = t.curveKind;
    def.overwriteMode = DerivedAmounts;
    def.roundingCode = t.roundingCode;
    def.factor = baseUpFactor(year);
    for (int g = 0; g < t.gradeCount; ++g) {
        SalaryGradeDefinition& grade = def.grades[size_t(g)];
        grade.scale.name = id == 1 ? QString::fromUtf8(c.gradeNames[size_t(g)])
                                   : QString::fromUtf8(c.gradeNames[size_t(g)]) + QStringLiteral("（専門）");
        if (id == 2 && c.preferredCode == 2)
            grade.scale.name = QStringLiteral("契約%1級").arg(g + 1);
        grade.scale.lowerPercent = t.lowerPercent;
        grade.scale.median = t.medians[size_t(g)];
        grade.scale.upperPercent = t.upperPercent;
        const int end = t.endSteps[size_t(g)];
        grade.second = {{{1, 0}, {(end + 1) / 2, 0}, {end, 0}}};
        grade.third = {{{1, 0}, {end / 4 + 1, 0}, {end / 2 + 1, 0}, {end, 0}}};
        // The second middle point of a third-order curve is typed, never derived.
        grade.third[2].amount = RoundToUnit(t.roundingCode, double(t.medians[size_t(g)]) * (1 + t.upperPercent / 200.0));
    }
    DeriveCurveAmounts(def);
    return def;
}

long long amountAt(const SalaryTable& table, int grade, int step)
{
    if (grade < 1 || grade > MaxGrades || step < table.lowestStep || step > table.highestStep)
        return 0;
    return table.rows[step - table.lowestStep].amount[size_t(grade - 1)];
}

// ---------------------------------------------------------------- people

enum Form { Regular = 1, Contract = 2, PartTime = 3 };

struct Person {
    int sco = 0;
    QString scot;
    QString name;
    int sex = 0;
    int birth = 0;
    int entry = 0;
    QString education;
    QString major;
    QString licence;
    QString department;
    int form = Regular;
    int table = 1;            // wage table, 0 = none
    int grade = 0;
    int step = 0;
    int yearsInGrade = 0;
    int promotedOn = 0;       // 登用年月日
    int experienceBefore = 0; // years worked elsewhere
    int children = 0;
    bool married = false;
    int housing = 0;
    int commute = 0;
    long long fixedPay = 0;   // basic pay of staff off the wage tables
    int history[3] = {0, 0, 0};
    int raises[3] = {0, 0, 0};
    int achievement = 100;
    int jobPoints = 0;

    // This year's decisions.
    int evaluation = 3;
    int newGrade = 0;
    int newStep = 0;
    bool promoted = false;
    long long pay[3] = {0, 0, 0};
    long long newPay[3] = {0, 0, 0};
    int allowances[5] = {0, 0, 0, 0, 0};
    int newAllowances[5] = {0, 0, 0, 0, 0};
};

int ageAt(const Person& p, int year)
{
    return YearsBetween(p.birth, year * 10000 + 401);
}

long long agePay(int age)
{
    return 60000 + 2000LL * std::clamp(age - 18, 0, 30);
}

int yearsOfService(const Person& p, int year)
{
    return YearsBetween(p.entry, year * 10000 + 401);
}

struct CompanyState {
    const CompanyPlan* plan = nullptr;
    int code = 0;
    Rng rng{1};
    QList<Person> people;
    int nextSco = 1;
    int nextNumber = 0;
    std::array<SalaryTable, 2> tables;
};

QString personName(Rng& rng, int sex)
{
    return QString::fromUtf8(pick(rng, surnames)) + QStringLiteral("　")
           + QString::fromUtf8(sex == 0 ? pick(rng, maleNames) : pick(rng, femaleNames));
}

int dateOf(int y, int m, int d)
{
    return y * 10000 + m * 100 + d;
}

// A birth date that makes the person the given age on 1 April of the year.
int birthFor(Rng& rng, int year, int age)
{
    const int month = rng.range(1, 12);
    const int day = rng.range(1, 28);
    const bool afterApril = month > 4 || (month == 4 && day > 1);
    return dateOf(year - age - (afterApril ? 1 : 0), month, day);
}

int endStep(const CompanyState& s, int table, int grade)
{
    return s.plan->tables[size_t(table - 1)].endSteps[size_t(grade - 1)];
}

int gradeCountOf(const CompanyState& s, int table)
{
    return s.plan->tables[size_t(table - 1)].gradeCount;
}

Person newPerson(CompanyState& s, int year, int form, int age)
{
    Rng& rng = s.rng;
    Person p;
    p.sco = s.nextSco++;
    p.scot = QString::number(s.plan->preferredCode * 10000 + ++s.nextNumber);
    p.sex = rng.chance(form == PartTime ? 0.7 : 0.3) ? 1 : 0;
    p.name = personName(rng, p.sex);
    p.birth = birthFor(rng, year, age);
    p.form = form;
    p.department = QString::fromUtf8(pick(rng, s.plan->departments));
    p.licence = QString::fromUtf8(pick(rng, licences));
    p.commute = rng.range(30, 250) * 100;
    p.housing = rng.chance(0.3) ? (rng.chance(0.5) ? 10000 : 20000) : 0;
    p.achievement = rng.range(85, 115);
    for (int& h : p.history)
        h = drawEvaluation(rng);
    for (int& r : p.raises)
        r = rng.range(30, 110) * 100;
    return p;
}

// A regular employee with the career the age and service suggest.
Person regularEmployee(CompanyState& s, int year, int age, int service, int hireAge)
{
    Rng& rng = s.rng;
    Person p = newPerson(s, year, Regular, age);
    p.education = hireAge >= 24 ? QStringLiteral("大学院修了") : hireAge >= 22 ? QStringLiteral("大学卒")
                                                                            : QStringLiteral("高校卒");
    p.major = hireAge >= 22 ? QString::fromUtf8(pick(rng, majors)) : QString();
    p.entry = dateOf(year - service, service == age - hireAge ? 4 : rng.range(1, 12), 1);
    if (YearsBetween(p.entry, dateOf(year, 4, 1)) != service)
        p.entry = dateOf(year - service, 4, 1);
    p.experienceBefore = std::max(0, age - hireAge - service);
    const bool specialist = s.plan->preferredCode == 1 && age >= 30 && rng.chance(0.1);
    p.table = specialist ? 2 : 1;
    const int grades = gradeCountOf(s, p.table);
    // Women's careers run a little slower, as the published pay gaps of Japanese companies show,
    // so the pay-gap disclosure of the samples reads like a real company's.
    const double career = service + p.experienceBefore * 0.6 + (hireAge - 18) * 0.5 + rng.normal() * 1.5
                          - (p.sex == 1 ? 5.0 : 0.0);
    p.grade = std::clamp(1 + int(career / (grades >= 9 ? 3.6 : 5.0)), 1, grades);
    p.yearsInGrade = std::clamp(rng.range(0, 5), 0, std::max(0, service));
    p.step = std::clamp(1 + p.yearsInGrade * 4 + rng.range(0, 3), 1, endStep(s, p.table, p.grade));
    p.promotedOn = p.yearsInGrade >= service ? p.entry : dateOf(year - p.yearsInGrade, 4, 1);
    p.married = age >= 27 && rng.chance(std::min(0.85, (age - 24) * 0.06));
    p.children = p.married ? rng.range(0, 3) : 0;
    p.jobPoints = p.grade * 100 + rng.range(0, 60);
    return p;
}

Person contractEmployee(CompanyState& s, int year, int age)
{
    Rng& rng = s.rng;
    Person p = newPerson(s, year, Contract, age);
    p.education = rng.chance(0.5) ? QStringLiteral("大学卒") : QStringLiteral("高校卒");
    p.entry = dateOf(year - rng.range(0, 4), 4, 1);
    if (s.plan->preferredCode == 2) {
        // Contract staff of the service company are paid from its second wage table.
        p.table = 2;
        p.grade = rng.range(1, 3);
        p.step = rng.range(1, 12);
    } else {
        p.table = 0;
        p.fixedPay = rng.range(240, 330) * 1000;
    }
    return p;
}

Person partTimer(CompanyState& s, int year)
{
    Rng& rng = s.rng;
    Person p = newPerson(s, year, PartTime, rng.range(22, 64));
    p.education = QStringLiteral("高校卒");
    p.entry = dateOf(year - rng.range(0, 8), rng.range(1, 12), 1);
    p.table = 0;
    p.fixedPay = rng.range(95, 140) * 1000;
    p.commute = rng.range(10, 120) * 100;
    p.housing = 0;
    return p;
}

// Mid-career hires into any grade of the first wage table that lacks a man or a woman, so
// that every grade shows both sexes (the pay-gap breakdown by grade has a ratio everywhere).
void staffEveryGradeWithBothSexes(CompanyState& s, int year)
{
    const int grades = gradeCountOf(s, 1);
    for (int g = 1; g <= grades; ++g) {
        for (int sex : {0, 1}) {
            const bool present = std::any_of(s.people.cbegin(), s.people.cend(), [&](const Person& p) {
                return p.form == Regular && p.table == 1 && p.grade == g && p.sex == sex;
            });
            if (present)
                continue;
            const int age = std::min(58, 24 + g * 4 + s.rng.range(0, 4));
            Person p = regularEmployee(s, year, age, 0, 22);
            p.sex = sex;
            p.name = personName(s.rng, sex);
            p.table = 1;
            p.grade = g;
            p.yearsInGrade = 0;
            p.step = std::clamp(1 + s.rng.range(0, 6), 1, endStep(s, 1, g));
            p.promotedOn = p.entry;
            p.jobPoints = g * 100 + s.rng.range(0, 60);
            s.people << p;
        }
    }
}

void hireGraduates(CompanyState& s, int year, int count)
{
    for (int i = 0; i < count; ++i) {
        const int hireAge = s.rng.chance(0.5) ? 18 : 22;
        s.people << regularEmployee(s, year, hireAge, 0, hireAge);
    }
}

CompanyState initialState(const CompanyPlan& plan, int code, int year)
{
    CompanyState s;
    s.plan = &plan;
    s.code = code;
    s.rng = Rng(plan.seed);
    for (int i = 0; i < plan.regular; ++i) {
        const double u = s.rng.uniform();
        const int hireAge = u < 0.4 ? 18 : u < 0.9 ? 22 : 24;
        const int age = std::clamp(hireAge + int(s.rng.uniform() * (59 - hireAge + 1)), hireAge, 59);
        const int possible = age - hireAge;
        const int service = s.rng.chance(0.7) ? possible : s.rng.range(0, possible);
        s.people << regularEmployee(s, year, age, service, hireAge);
    }
    for (int i = 0; i < plan.contract; ++i)
        s.people << contractEmployee(s, year, plan.preferredCode == 1 ? s.rng.range(60, 64) : s.rng.range(24, 45));
    for (int i = 0; i < plan.part; ++i)
        s.people << partTimer(s, year);
    staffEveryGradeWithBothSexes(s, year);
    return s;
}

// This year's pay and the raise decided for next year.
void decide(CompanyState& s, Person& p, int year)
{
    Rng& rng = s.rng;
    const int age = ageAt(p, year);
    p.evaluation = drawEvaluation(rng);
    p.promoted = false;
    for (int i = 0; i < 5; ++i)
        p.allowances[i] = 0;
    if (p.form == Regular) {
        const int grades = gradeCountOf(s, p.table);
        const int steps = evaluations[size_t(p.evaluation - 1)].steps;
        const int end = endStep(s, p.table, p.grade);
        const SalaryTable& table = s.tables[size_t(p.table - 1)];
        // Staying in the grade climbs the steps the evaluation earns, up to the grade's end.
        p.newGrade = p.grade;
        p.newStep = std::min(p.step + steps, end);
        // Promotion goes to good performers (S, A, and B at the end of their grade). They
        // enter the new grade at its first step paying at least what staying would have paid,
        // so a promotion never pays less than the evaluation's own raise; a grade that starts
        // too low for that is no promotion.
        const bool ready = p.yearsInGrade >= (p.grade <= 3 ? 2 : 3);
        const double odds =
            p.evaluation <= 2 ? (p.grade >= 6 ? 0.35 : 0.6) : (p.evaluation == 3 && p.step + steps > end ? 0.3 : 0.0);
        if (p.grade < grades && ready && rng.chance(odds)) {
            const long long stayingPay = amountAt(table, p.grade, p.newStep);
            const int newEnd = endStep(s, p.table, p.grade + 1);
            for (int step = 1; step <= newEnd; ++step) {
                if (amountAt(table, p.grade + 1, step) >= stayingPay) {
                    p.promoted = true;
                    p.newGrade = p.grade + 1;
                    p.newStep = step;
                    break;
                }
            }
        }
        p.pay[0] = amountAt(table, p.grade, p.step);
        p.newPay[0] = amountAt(table, p.newGrade, p.newStep);
        p.pay[1] = agePay(age);
        p.newPay[1] = agePay(age + 1);
        p.allowances[0] = s.plan->positionAllowance[size_t(p.grade - 1)];
        p.allowances[1] = p.married ? 10000 + 5000 * p.children : 0;
        p.allowances[2] = p.housing;
        p.allowances[3] = p.commute;
        p.allowances[4] = s.plan->preferredCode == 1 && p.grade <= 3 ? 5000 : 0;
        for (int i = 0; i < 5; ++i)
            p.newAllowances[i] = p.allowances[i];
        p.newAllowances[0] = s.plan->positionAllowance[size_t(p.newGrade - 1)];
        p.pay[2] = p.newPay[2] = 0;
        return;
    }
    p.allowances[0] = p.commute;
    p.newAllowances[0] = p.commute;
    for (int i = 1; i < 5; ++i)
        p.newAllowances[i] = 0;
    if (p.table == 2) {
        const int steps = evaluations[size_t(p.evaluation - 1)].steps;
        p.newGrade = p.grade;
        p.newStep = std::min(p.step + steps, endStep(s, 2, p.grade));
        p.pay[0] = amountAt(s.tables[1], p.grade, p.step);
        p.newPay[0] = amountAt(s.tables[1], p.newGrade, p.newStep);
    } else {
        p.newGrade = p.grade = 0;
        p.newStep = p.step = 0;
        p.pay[0] = p.fixedPay;
        p.newPay[0] = p.form == PartTime ? p.fixedPay + 1000 : p.fixedPay;
    }
    p.pay[1] = p.pay[2] = p.newPay[1] = p.newPay[2] = 0;
}

int markOf(const CompanyState& s, const Person& p)
{
    if (p.form == PartTime)
        return 8;
    if (p.form == Contract)
        return 7;
    if (p.table == 2)
        return 6;
    return s.plan->marks[size_t(p.grade - 1)];
}

TSyain_ employeeRow(const CompanyState& s, const Person& p, int year)
{
    TSyain_ e;
    e.KCO = QString::number(s.code);
    e.SCO = QString::number(p.sco);
    e.NENDO = QString::number(year);
    e.SCOT = p.scot;
    e.SNA = p.name;
    e.SEIHI = p.birth;
    e.NYUHI = p.entry;
    e.YAKU = p.form == Regular ? QString::fromUtf8(s.plan->positions[size_t(p.grade - 1)])
                               : QString::fromUtf8(s.plan->forms[size_t(p.form - 1)].name);
    e.SKCO = p.table;
    e.TCO = p.grade;
    e.NENREI = ageAt(p, year);
    e.KINZOKU = yearsOfService(p, year);
    e.NENSU = e.KINZOKU + p.experienceBefore;
    e.JISEKI = p.table != 0 ? 1 : 0;
    e.TRITSU = p.achievement;
    e.SRITSU = RoundHalfAway(std::min(2.0, 0.3 + e.KINZOKU * 0.05), 3);
    e.MCO = markOf(s, p);
    e.NEWDAY1 = QStringLiteral("%1/04/01 09:00:00").arg(year);

    e.SEIBETSU = p.sex;
    e.TOUKYU = p.grade;
    e.GOUHOU = p.step;
    e.SM1 = p.form;
    e.GAKU = p.education;
    e.SENKOU = p.major;
    e.KSIKAKU = p.licence;
    e.KEIKEN = p.department;
    e.THI = p.form == Regular ? p.promotedOn : 0;
    e.TENSU = p.jobPoints;
    e.HCO = p.form == PartTime ? 0 : p.evaluation;
    e.KKYU1 = int(p.pay[0]);
    e.KKYU2 = int(p.pay[1]);
    e.KKYU3 = int(p.pay[2]);
    e.TEATE1 = p.allowances[0];
    e.TEATE2 = p.allowances[1];
    e.TEATE3 = p.allowances[2];
    e.TEATE4 = p.allowances[3];
    e.TEATE5 = p.allowances[4];
    e.NKKYU1 = int(p.newPay[0]);
    e.NKKYU2 = int(p.newPay[1]);
    e.NKKYU3 = int(p.newPay[2]);
    e.NTEATE1 = p.newAllowances[0];
    e.NTEATE2 = p.newAllowances[1];
    e.NTEATE3 = p.newAllowances[2];
    e.NTEATE4 = p.newAllowances[3];
    e.NTEATE5 = p.newAllowances[4];
    const double bonusRate = p.form == PartTime ? 0.5 : 2.0 + (3 - p.evaluation) * 0.15;
    e.SYOUYO = int(RoundToUnit(2, double(e.KKYU1 + e.KKYU2) * bonusRate));
    e.SYOUYO2 = int(RoundToUnit(2, double(e.KKYU1 + e.KKYU2) * (bonusRate + 0.3)));
    e.NTOUKYU = p.newGrade;
    e.NGOUHOU = p.newStep;
    e.SGOUHOU = p.form == PartTime || p.table == 0 ? 0 : evaluations[size_t(p.evaluation - 1)].steps;
    e.FSKCHK = p.promoted ? 1 : 0;
    const int* hist = p.history;
    e.HCO1 = hist[0];
    e.HNA1 = QString::fromUtf8(evaluations[size_t(hist[0] - 1)].symbol);
    e.HCO2 = hist[1];
    e.HNA2 = QString::fromUtf8(evaluations[size_t(hist[1] - 1)].symbol);
    e.HCO3 = hist[2];
    e.HNA3 = QString::fromUtf8(evaluations[size_t(hist[2] - 1)].symbol);
    e.UPKIN1 = p.raises[0];
    e.UPKIN2 = p.raises[1];
    e.UPKIN3 = p.raises[2];
    e.computeTotals();
    e.SYOTEI = e.MonthlyTotal;
    e.NSYOTEI = e.NewMonthlyTotal;
    e.NENSYU = e.AnnualTotal;
    e.NNENSYU = e.NewMonthlyTotal * 12;
    e.UPK = e.NewBasicSum - e.BasicSum;
    e.UPT = (e.NewMonthlyTotal - e.NewBasicSum) - (e.MonthlyTotal - e.BasicSum);
    return e;
}

// Into the next year: the raise applied, a year of history, leavers and new people.
void advance(CompanyState& s, int year)
{
    Rng& rng = s.rng;
    const int next = year + 1;
    QList<Person> kept;
    for (Person p : s.people) {
        const int raise = int((p.newPay[0] + p.newPay[1] + p.newPay[2]) - (p.pay[0] + p.pay[1] + p.pay[2]));
        p.raises[2] = p.raises[1];
        p.raises[1] = p.raises[0];
        p.raises[0] = std::max(0, raise);
        p.history[2] = p.history[1];
        p.history[1] = p.history[0];
        p.history[0] = p.evaluation;
        if (p.form == Regular) {
            p.yearsInGrade = p.promoted ? 0 : p.yearsInGrade + 1;
            if (p.promoted)
                p.promotedOn = dateOf(next, 4, 1);
            p.grade = p.newGrade;
            p.step = p.newStep;
            p.jobPoints = p.grade * 100 + rng.range(0, 60);
            if (!p.married && ageAt(p, next) >= 26 && rng.chance(0.08))
                p.married = true;
            else if (p.married && p.children < 3 && ageAt(p, next) < 45 && rng.chance(0.1))
                ++p.children;
        } else if (p.table == 2) {
            p.step = p.newStep;
        } else {
            p.fixedPay = p.newPay[0];
        }
        p.achievement = std::clamp(p.achievement + rng.range(-5, 5), 80, 120);

        const int age = ageAt(p, next);
        if (p.form == Regular && age >= 60) {
            if (s.plan->preferredCode == 1 && rng.chance(0.7)) {
                // Re-employed as a contract employee after retirement.
                p.form = Contract;
                p.table = 0;
                p.grade = p.step = 0;
                p.fixedPay = RoundToUnit(2, double(p.pay[0] + p.pay[1]) * 0.7);
                p.married = false;
                p.children = 0;
                kept << p;
            }
            continue;
        }
        if (p.form == Contract && p.table == 0 && age >= 65)
            continue;
        const double quit = p.form == PartTime ? 0.12 : p.form == Contract ? 0.1 : 0.03;
        if (rng.chance(quit))
            continue;
        kept << p;
    }
    s.people = kept;
    hireGraduates(s, next, s.plan->graduatesPerYear);
    for (int i = 0; i < s.plan->midCareerPerYear; ++i) {
        const int age = rng.range(27, 40);
        s.people << regularEmployee(s, next, age, 0, rng.chance(0.7) ? 22 : 18);
    }
    int parts = 0, contracts = 0;
    for (const Person& p : s.people) {
        parts += p.form == PartTime;
        contracts += p.form == Contract && p.table == 2;
    }
    for (; parts < s.plan->part; ++parts)
        s.people << partTimer(s, next);
    if (s.plan->preferredCode == 2)
        for (; contracts < s.plan->contract; ++contracts)
            s.people << contractEmployee(s, next, rng.range(24, 45));
    staffEveryGradeWithBothSexes(s, next);
}

// ---------------------------------------------------------------- writing a year

bool fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

template <class R>
bool insertAll(DbConnection& cn, QList<R>& rows)
{
    for (R& r : rows)
        if (!Insert(cn, false, r))
            return false;
    return true;
}

bool writeReferenceRows(const Session& session, const CompanyState& s, int year, bool withCostOfLiving)
{
    DbConnection& cn = *session.year;
    const QString k = QString::number(s.code), y = QString::number(year);
    QList<TSALARY_> forms;
    for (int i = 0; i < 3; ++i) {
        const FormPlan& f = s.plan->forms[size_t(i)];
        TSALARY_ r;
        r.KCO = k;
        r.NENDO = y;
        r.SALARYID = QString::number(i + 1);
        r.SALARYNAME = QString::fromUtf8(f.name);
        r.TEIGI = QString::fromUtf8(f.scheme);
        r.KIHON1 = QString::fromUtf8(f.basic[0]);
        r.KIHON2 = QString::fromUtf8(f.basic[1]);
        r.KIHON3 = QString::fromUtf8(f.basic[2]);
        r.TEATE1 = QString::fromUtf8(f.allowances[0]);
        r.TEATE2 = QString::fromUtf8(f.allowances[1]);
        r.TEATE3 = QString::fromUtf8(f.allowances[2]);
        r.TEATE4 = QString::fromUtf8(f.allowances[3]);
        r.TEATE5 = QString::fromUtf8(f.allowances[4]);
        forms << r;
    }
    QList<TMHYOUKA_> scale;
    for (int table : {0, 1, 2}) {
        for (const Evaluation& e : evaluations) {
            TMHYOUKA_ r;
            r.KCO = k;
            r.NENDO = y;
            r.SKCO = QString::number(table);
            r.HCO = QString::number(e.code);
            r.HKIGOU = QString::fromUtf8(e.symbol);
            r.SGOUSU = QString::number(e.steps);
            scale << r;
        }
    }
    QList<TSEIKEI_> living;
    if (withCostOfLiving) {
        const int sizes[6][3] = {{1, 25, 165}, {2, 30, 228}, {3, 35, 268}, {4, 40, 305}, {5, 45, 338}, {6, 50, 356}};
        for (const auto& row : sizes) {
            TSEIKEI_ r;
            r.KCO = k;
            r.NENDO = y;
            r.SKCO = QStringLiteral("1");
            r.SNIN = row[0];
            r.SNENREI = row[1];
            r.SEIKEIHI = int(std::lround(row[2] * (1 + (year - 2018) * 0.008)));
            r.YURITSU = 1.25;
            r.STRITSU = 0.85;
            r.TNRITSU = 0.7;
            r.KKRITSU = 1.0;
            r.DEDOKORO = QStringLiteral("標準生計費（サンプル）");
            r.TCHIIKI = QStringLiteral("全国");
            r.CJITEN = QStringLiteral("%1年4月").arg(year);
            r.NSUCHI = QStringLiteral("月額・千円");
            living << r;
        }
    }
    return InTransaction(cn, [&] { return insertAll(cn, forms) && insertAll(cn, scale) && insertAll(cn, living); });
}

bool writeModelWages(const Session& session, QString* error)
{
    DbConnection& cn = *session.control;
    TMODEL_ model;
    model.MDCO = QStringLiteral("1");
    if (!ReadOne(cn, false, SqlCondition(), QStringLiteral("SELECT * FROM MDEL"), model))
        return fail(error, QStringLiteral("モデルデータを読めません。"));
    if (model.ok)
        return true;
    model.MDCO = QStringLiteral("1");
    model.MDNA = QStringLiteral("モデル賃金（サンプル調査）");
    model.DEDOKORO = QStringLiteral("サンプル賃金調査");
    model.TCHIIKI = QStringLiteral("全国");
    model.JSU = QStringLiteral("1250");
    model.CJITEN = QStringLiteral("2018年6月");
    model.GYOUSYU = QStringLiteral("全産業");
    model.KIBO = QStringLiteral("100～999人");
    model.BIKOU = QStringLiteral("架空の調査に基づくサンプルデータです。学歴別・年齢別の標準者賃金（千円）。");
    QList<TMDCHNGIN_> wages;
    int code = 0;
    for (int line = 0; line < 2; ++line) {
        const int start = line == 0 ? 18 : 22;
        for (int age = start; age <= 60; age += (age < 30 ? 2 : 5)) {
            const int service = age - start;
            const double basic = (line == 0 ? 165 : 205) + service * (line == 0 ? 6.2 : 8.1) - std::max(0, age - 50) * 3.0;
            TMDCHNGIN_ w;
            w.MDCO = QStringLiteral("1");
            w.MCCO = QString::number(++code);
            w.NENREI = QString::number(age);
            w.KNENSU = QString::number(service);
            w.KKNENSU = QString::number(service);
            w.KKIN = QString::number(std::lround(basic));
            w.SKIN = QString::number(std::lround(basic * 1.12));
            w.SYOUYO = QString::number(std::lround(basic * 4.3));
            w.NENSYU = QString::number(std::lround(basic * 1.12 * 12 + basic * 4.3));
            w.SENSYU = QString::number(line);
            wages << w;
        }
    }
    if (!InTransaction(cn, [&] { return Insert(cn, false, model) && insertAll(cn, wages); }))
        return fail(error, QStringLiteral("モデル賃金を書けません。"));
    return true;
}

// Every chart's set-up selects the whole company (every mark and grade, every form, both
// sexes), so that each chart and the optimal wage show results on first use; the optimal
// wage explains basic pay by age, service and grade, and the wage-table graph shows table 1.
bool writeChartSetUps(const Session& session)
{
    for (int id : {1010, 1020, 1030, 1040, 1050, 1060, 1070}) {
        const PlotSetupVariant* v = SetupVariant(id);
        PlotSetupChoices c;
        if (!v || !LoadSetupChoices(session, *v, c))
            return false;
        c.marks.fill(true);
        c.grades.fill(true);
        c.form = 4;
        c.sex = 2;
        if (id == 1060)
            c.wageTable = 1;
        if (id == 1070) {
            c.explanatory = QStringLiteral("110010000");
            c.fy = 2;
        }
        if (!SaveSetupChoices(session, *v, c, true))
            return false;
    }
    return true;
}

// The pay-gap set-up of a sample company: the manager rule where its titles differ from the
// default, and the monthly scheduled hours of the contract and part-time staff, stored as rows
// of hours alone for the disclosure, so that its 正規換算 counts them by their hours (their
// annual wages stay as computed). The hours follow from the employee number, not from the
// generator's random draws, so the rest of the samples stays as it was: contract staff 6 to
// 7.5 hours a day, part-timers 4 to 6.5, in quarter hours, on 19 to 21 days a month.
bool writePayGapSetUp(const Session& session, const CompanyState& s)
{
    ActualWageFile hours;
    for (const Person& p : s.people) {
        if (p.form == Regular)
            continue;
        const std::uint32_t h = std::uint32_t(p.scot.toUInt()) * 2654435761u;
        const int quarters = p.form == Contract ? 24 + int(h % 7u) : 16 + int(h % 11u);   // a day
        const int days = 19 + int((h >> 8) % 3u);
        hours.rows[p.scot].monthlyHoursMilli = 250LL * quarters * days;
    }
    if (!hours.rows.empty() && !StoreActualWages(session, hours, false).ok)
        return false;
    // A company whose managers are not called 課長, 次長 or 部長 names them by grade.
    if (s.plan->managerGrade == 0)
        return true;
    PayGapSettings settings = PayGapSettings::Defaults(session.fiscalYear);
    settings.managerGrade = s.plan->managerGrade;
    return SavePayGapSettings(session, settings);
}

bool writeCompanyYear(Session& session, CompanyState& s, int year, bool first, QString* error)
{
    const CompanyPlan& plan = *s.plan;
    CompanyMasterInput in;
    in.code = QString::number(s.code);
    in.year = QString::number(year);
    in.name = QString::fromUtf8(plan.name);
    for (int i = 0; i < 9; ++i)
        in.gradeNames[i] = QString::fromUtf8(plan.gradeNames[size_t(i)]);
    in.modelCode = 1;
    in.livingCode = 1;
    in.hours = QStringLiteral("8");
    in.days = QStringLiteral("21");
    in.monthlyHours = QStringLiteral("168");
    in.minimumWage = QString::fromUtf8(plan.minimumWage);
    if (!RegisterCompany(session, in, QDate(year, 4, 1)))
        return fail(error, QStringLiteral("%1 %2年度を登録できません。").arg(in.name).arg(year));

    // The basic settings: ages to 1 April of the year, the company's calendar.
    TKigyo1_ company;
    bool found = false;
    if (!ReadCompanyRow(session, year, s.code, company, found) || !found)
        return fail(error, QStringLiteral("企業の行を読めません。"));
    company.FNK = QStringLiteral("0");
    company.KDATE = QString::number(dateOf(year, 4, 1));
    company.REKI = QString::number(plan.calendarMode);
    const SqlCondition key(QStringLiteral(" WHERE KCO = ? AND NENDO = ?"), {qint64(s.code), qint64(year)});
    if (!Update(*session.control, true, key, company))
        return fail(error, QStringLiteral("基本設定を書けません。"));

    if (OpenCompany(session, year, s.code, in.name) != OpenOutcome::Opened)
        return fail(error, QStringLiteral("企業を開けません。"));
    if (!writeReferenceRows(session, s, year, first))
        return fail(error, QStringLiteral("就労形態・評価・生計費を書けません。"));

    for (int t = 0; t < 2; ++t) {
        SalaryListDefinition def = tableDefinition(plan.tables[size_t(t)], t + 1, year, plan);
        if (!SaveSalaryList(session, def).ok)
            return fail(error, QStringLiteral("賃金表を書けません。"));
    }

    DbConnection& cn = *session.year;
    const bool written = InTransaction(cn, [&] {
        for (const Person& p : s.people) {
            TSyain_ e = employeeRow(s, p, year);
            if (!Insert(cn, false, e))
                return false;
        }
        return true;
    });
    if (!written)
        return fail(error, QStringLiteral("社員を書けません。"));
    if (!writePayGapSetUp(session, s))
        return fail(error, QStringLiteral("男女の賃金の差異の設定を書けません。"));
    return writeChartSetUps(session) || fail(error, QStringLiteral("グラフの設定を書けません。"));
}

// The code a sample company takes: its usual one, unless another company (or another
// sample company of this run) already has it; then the next free code.
int codeFor(const Session& session, const CompanyPlan& plan, QList<int>& assigned, int& nextFree)
{
    TKigyo1_rec others;
    const SqlCondition taken(QStringLiteral(" WHERE KCO = ? AND KNA <> ?"),
                             {qint64(plan.preferredCode), QString::fromUtf8(plan.name)});
    ReadAll(*session.control, false, taken, QStringLiteral("SELECT * FROM MKIGYOU1"), others);
    int code = plan.preferredCode;
    if (!others.items.isEmpty() || assigned.contains(code)) {
        while (assigned.contains(nextFree))
            ++nextFree;
        code = nextFree++;
    }
    assigned << code;
    return code;
}

} // namespace

bool WriteSampleCompanies(const Session& s, QString* error, QStringList* log)
{
    // Each company is opened in a session of the writer's own; the caller's stays as it is.
    Session session = s;
    bool ok = writeModelWages(session, error);

    std::vector<CompanyState> states;
    QList<int> assigned;
    int nextFree = LargestCompanyCode(session) + 1;
    for (const CompanyPlan& plan : companies)
        states.push_back(initialState(plan, codeFor(session, plan, assigned, nextFree), FirstSampleYear));

    for (int year = FirstSampleYear; ok && year <= LastSampleYear; ++year) {
        const bool missing = !QFileInfo::exists(YearDatabasePath(session, year));
        if (missing && !OpenYearDatabase(session, year, true)) {
            ok = fail(error, QStringLiteral("%1年度のデータベースを作成できません。").arg(year));
            break;
        }
        bool first = true;
        for (CompanyState& s : states) {
            for (int t = 0; t < 2; ++t)
                s.tables[size_t(t)] = GenerateSalaryTable(tableDefinition(s.plan->tables[size_t(t)], t + 1, year, *s.plan));
            for (Person& p : s.people)
                decide(s, p, year);
            if (missing) {
                if (!writeCompanyYear(session, s, year, first, error)) {
                    ok = false;
                    break;
                }
                if (log)
                    *log << QStringLiteral("%1年度 %2: 社員 %3 名").arg(year).arg(QString::fromUtf8(s.plan->name)).arg(s.people.size());
            }
            first = false;
            advance(s, year);
        }
    }
    return ok;
}

QStringList SampleCompanyNames()
{
    QStringList names;
    for (const CompanyPlan& plan : companies)
        names << QString::fromUtf8(plan.name);
    return names;
}
