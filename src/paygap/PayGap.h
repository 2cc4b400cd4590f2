// 男女の賃金の差異: the gender pay-gap disclosure of the open project, and what explains the gap.
//
// Employees are classified by their employment form into regular workers and part-time and
// fixed-term workers (officers and unclassified forms left out); each gets an annual wage and a
// headcount; the averages of each sex are pooled sums (Σ wages ÷ Σ headcounts) and the ratio
// women ÷ men × 100 is computed exactly in integers and rounded half-up to one decimal. The
// same ratio is shown by grade, age band and service band, and a Blinder–Oaxaca split with
// men as the reference says how much of the gap age, service and grade explain.
//
// The computation (ComputePayGap) works on plain values; LoadPayGapPeople reads them from a
// session.
#pragma once

#include "shell/Session.h"
#include "store/Records.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>

// ---------------------------------------------------------------- classification

enum class WorkerCategory {
    Regular,       // 正規雇用労働者
    PartTime,      // パート・有期労働者
    LeftOut,       // officers: not workers
    Unclassified,  // 未分類: left out until the user classifies the form
};

// The default category of an employment form by its name: 役員 left out; パート, アルバイト,
// 嘱託, 契約, 有期, 臨時 part-time and fixed-term; 正社員, 正規 regular; anything else
// unclassified. The first rule that matches wins, in that order.
WorkerCategory DefaultCategoryOfFormName(const QString& formName);
// The text a screen and the settings use for a category.
QString CategoryText(WorkerCategory category);

// ---------------------------------------------------------------- settings

inline const QStringList DefaultManagerTitles = {QStringLiteral("課長"), QStringLiteral("次長"),
                                                QStringLiteral("部長")};

struct PayGapSettings {
    int periodFrom = 0;                            // business year printed on the report, yyyymmdd
    int periodTo = 0;
    std::map<int, WorkerCategory> formCategories;  // SALARYID -> category the user chose
    QStringList excludedAllowances;                // allowance names left out of the annual wage
    bool fullTimeEquivalent = false;               // 正規換算 for part-time and fixed-term workers
    QStringList managerTitles = DefaultManagerTitles;  // 役職 texts that make a manager
    int managerGrade = 0;                          // grade at or above which one is a manager (0 = unused)
    QString explanation;                           // 説明欄

    // 1 April of the fiscal year to 31 March of the next.
    static PayGapSettings Defaults(int fiscalYear);
};

// The category of form id: the user's choice, else the default of its name; form 0 (or a form
// without a name) is unclassified.
WorkerCategory CategoryOfForm(const PayGapSettings& settings, int formId, const QString& formName);

// ---------------------------------------------------------------- people

// One employee as the disclosure sees them.
struct PayGapPerson {
    QString number;                 // 社員番号 (SCOT)
    QString name;
    bool female = false;
    WorkerCategory category = WorkerCategory::Unclassified;
    QString title;                  // 役職
    int grade = 0;                  // 資格等級 1..9, 0 none
    int age = 0;
    int service = 0;
    long long annualWage = 0;       // yen, after the left-out allowances, or the imported amount
    bool actualWage = false;        // annualWage is an imported actual amount
    long long monthlyHoursMilli = -1;  // imported monthly scheduled hours in 1/1000 h (with or
                                       // without an amount); -1 none
};

// An imported row of one employee: an actual annual amount, monthly scheduled hours, or both.
// A row of hours alone keeps the computed annual wage and only gives 正規換算 its hours.
struct ActualWage {
    std::optional<long long> annualWage;   // none: hours only
    long long monthlyHoursMilli = -1;      // -1: no hours given
};

// The annual wage: NENSYU (the twelve monthly totals plus both bonuses) less 12 × each
// allowance whose name (from the employee's form) is left out.
long long AnnualWageOf(const TSyain_& e, const QStringList& allowanceNames, const QStringList& excluded);

// The people of the session's project, classified and with their wages; actual amounts keyed
// by 社員番号 replace the computed annual wage, imported hours (with or without an amount)
// give the person their monthly scheduled hours. false when a read failed (reported by the
// record access layer).
bool LoadPayGapPeople(const Session& s, const PayGapSettings& settings,
                      const std::map<QString, ActualWage>& actual, QList<PayGapPerson>& out);

// ---------------------------------------------------------------- figures

// Headcount of a person in thousandths: 1000, or under 正規換算 (part-time and fixed-term
// with hours) hours ÷ regularHours rounded half-up to three decimals.
long long HeadcountMilli(const PayGapPerson& p, bool fullTimeEquivalent, long long regularMonthlyHoursMilli);

// x ÷ y rounded half-up (halves away from zero) to a whole number; y > 0.
long long DivideHalfUp(__int128 x, __int128 y);

// The two sexes of one cell: wage sums in yen and headcounts in thousandths.
struct SexSums {
    long long wages = 0;
    long long headMilli = 0;
    int persons = 0;
};

struct GapCell {
    SexSums men, women;

    bool complete() const { return men.headMilli > 0 && women.headMilli > 0 && men.wages > 0; }
    // Average yen, half-up to the yen (0 without people).
    long long menAverage() const;
    long long womenAverage() const;
    // The ratio in tenths of a percent (women's average ÷ men's average × 1000, half-up), from
    // the exact sums; nullopt when the cell has no man or no woman.
    std::optional<long long> ratioTenths() const;
    // Why there is no ratio ('' when there is one).
    QString missingReason() const;
};

// "71.3", or "－".
QString RatioText(std::optional<long long> tenths);
// A headcount in thousandths: whole ("12") or with three decimals under 正規換算 ("11.914").
QString HeadcountText(long long milli, bool fullTimeEquivalent);

struct BreakdownRow {
    QString label;   // "1" .. "9" / "－29" / "5－9" ...
    GapCell cell;
};

// The Blinder–Oaxaca split of the mean annual wage gap, men the reference.
struct OaxacaSplit {
    bool valid = false;
    QString reason;                 // why there is no split ('' when valid)
    int men = 0, women = 0;
    std::vector<double> beta;       // men's fit: intercept, age, service, grade
    double menMeanWage = 0, womenMeanWage = 0;
    double menMeanX[3] = {0, 0, 0}, womenMeanX[3] = {0, 0, 0};   // age, service, grade
    long long gapYen = 0;           // men's mean − women's mean, yen half-up
    long long explainedYen = 0;     // (x̄m − x̄f)·β, yen half-up
    long long unexplainedYen = 0;   // gapYen − explainedYen
    // Shares of the gap in tenths of a percent (nullopt when the gap is 0).
    std::optional<long long> explainedShareTenths() const;
    std::optional<long long> unexplainedShareTenths() const;
};

struct PayGapResult {
    bool fullTimeEquivalent = false;
    GapCell all, regular, partTime;
    int managers = 0, womenManagers = 0;
    std::optional<long long> managerShareTenths;   // nullopt without managers
    int leftOutOfficers = 0;
    int unclassified = 0;
    int withoutHours = 0;          // part-time workers counted 1 under 正規換算 for want of hours
    int actualWages = 0;           // people whose imported amount was used (not rows of hours alone)
    QList<BreakdownRow> byGrade, byAge, byService;
    OaxacaSplit split;
};

// The age band (0..4: –29, 30–39, 40–49, 50–59, 60–) and service band (0..3: –4, 5–9, 10–19,
// 20–) of a person, and their labels.
int AgeBand(int age);
int ServiceBand(int service);
QString AgeBandLabel(int band);
QString ServiceBandLabel(int band);

bool IsManager(const PayGapPerson& p, const PayGapSettings& settings);

// Every figure of the disclosure from the people. regularMonthlyHoursMilli: the regular monthly
// scheduled hours of the basic settings in 1/1000 h (0 = none; 正規換算 then counts 1).
PayGapResult ComputePayGap(const QList<PayGapPerson>& people, const PayGapSettings& settings,
                           long long regularMonthlyHoursMilli);

// The split alone: over the people with an annual wage above 0; at least 5 men and 5 women
// and a non-singular fit of the men.
OaxacaSplit ComputeOaxacaSplit(const QList<PayGapPerson>& people);

// Hours as text ("141.667", "155") in 1/1000 h, half-up; false when not a number ≥ 0.
bool ParseHoursMilli(const QString& text, long long& milli);
