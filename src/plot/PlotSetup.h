// The plot set-ups as data and logic: the variant table of the six set-up screens, their
// choices stored in MCHART, the employee selection and the points written to DCHART.
#pragma once

#include "core/Outcome.h"
#include "shell/Session.h"
#include "store/Records.h"
#include "store/RecordAccess.h"

#include <QString>
#include <QStringList>

#include <array>

// Where a point's value comes from in the employee row (Y values are in yen; the points
// carry them in 万円).
enum class ItemSource {
    Age,               // NENREI
    Service,           // KINZOKU
    Experience,        // NENSU
    Step,              // GOUHOU
    Achievement,       // TRITSU
    AchievementWhole,  // whole part of TRITSU
    JobPoints,         // TENSU
    OptimalWage,       // FITKIN, in 万円
    Pay1,              // KKYU1
    Pay2,              // KKYU2
    Pay3,              // KKYU3
    BasicPay,          // KKYU1 + KKYU2 + KKYU3
    MonthlyPay,        // basic pay + TEATE1..5 (所定給)
    BonusTotal,        // SYOUYO + SYOUYO2
    BonusStored,       // SYOUYO
    AnnualPay,         // 12 × 所定給 + bonuses
    AnnualStored,      // NENSYU
};

struct PlotItem {
    QString caption;   // as shown on the radio button and stored in XNAME / YNAME
    QString unit;
    int pitch = 5;
    ItemSource source = ItemSource::Age;
};

// How one set-up differs from the others.
struct PlotSetupVariant {
    int screenId = 0;
    QString caption;
    int width = 540;
    int height = 620;
    bool hasAxisItems = true;
    std::array<PlotItem, 6> xItems;
    std::array<PlotItem, 6> yItems;
    QString order;                 // " ORDER BY SCO"
    bool labelFromHKIGOU = false;  // "人事評価 記号" writes HKIGOU, else HYOUKA
    bool raiseCurve = false;       // curve order, levels, graph mode (TPX1020)
    // What saving writes for the curve order, graph mode and levels besides the raise curve:
    bool keepsCurveSettings = false;  // the stored FKINJI and SJYUN1..4 (CGRAPH too unless graphAlways)
    bool graphAlways = true;          // CGRAPH = 1
    bool wageTableGraph = false;      // the reduced frame of the wage-table graph (TPX1060)
    bool optimalWage = false;         // explanatory flags in FX, two levels, optGraph (TPX1070)
    int optimalWageX = -1;         // the X code that plots the optimal wage, -1 without
    int defaultY = 0;              // the Y item a newly created settings row starts with
    QString memoName = QStringLiteral("Memo1");
};

// The variant of a set-up screen id (1010, 1020, 1030, 1040, 1050, 1060, 1070); nullptr otherwise.
const PlotSetupVariant* SetupVariant(int screenId);

// What a set-up screen shows and stores.
struct PlotSetupChoices {
    QString title;
    QString memo;
    int fx = 0;
    int fy = 0;
    int markLabel = 0;               // MARKR: 0 code, 1 evaluation, 2 zone, 3 none
    std::array<bool, 9> marks{};
    std::array<bool, 9> grades{};
    int form = 4;                    // MIBUN: 0..3 forms 1..4, 4 all
    int wageTable = 0;               // SKCO
    int sex = 2;                     // 0 men, 1 women, 2 all
    int curveOrder = 0;              // FKINJI
    int graphMode = 1;               // CGRAPH
    std::array<double, 4> levels{};  // SJYUN1..4
    QString explanatory;             // FX of the optimal wage: 9 characters "0"/"1"
};

// The X pitch stored for the choices (with the optimal wage on X, the Y item's pitch).
int XPitchFor(const PlotSetupVariant& v, int fx, int fy);

// The choices held by a stored row (codes outside their lists are kept as they are;
// MIBUN above 4 reads as 4).
PlotSetupChoices ChoicesFromChart(const TChart_& row);
// The MCHART row that saving the choices writes.
TChart_ ChartFromChoices(const PlotSetupVariant& v, const PlotSetupChoices& c, int year, int kco);

// The plot's work tables: MCHART, the set-ups, and DCHART, the points of the plot on view.
inline const QStringList PlotWorkTables = {QStringLiteral("MCHART"), QStringLiteral("DCHART")};
// While the data is open read-only (another program holds the writer lock, RefuseWrites), the
// session's year database keeps the plot's work tables in memory: set-ups are read and
// chosen, analysed, plotted and printed on those copies, and no file changes. Every routine
// below that reads or writes them calls it first; it does nothing while writes are allowed.
void KeepPlotWorkInMemoryWhileReadOnly(const Session& s);

// Reads the set-up's MCHART row of the session's year and company with get-or-create; false
// on a failed read. existed, when given, tells whether the row was stored before (a created
// row takes the defaults).
bool LoadSetupRow(const Session& s, const PlotSetupVariant& v, TChart_& row, bool* existed = nullptr);
// Reads the set-up's MCHART row with get-or-create into choices; false on a failed read.
bool LoadSetupChoices(const Session& s, const PlotSetupVariant& v, PlotSetupChoices& choices);
// Updates the set-up's MCHART row of the session's year and company from the choices.
bool SaveSetupChoices(const Session& s, const PlotSetupVariant& v, const PlotSetupChoices& c, bool ownTransaction);

// The condition after "SELECT * FROM VSYAIN" that selects the plotted employees, values bound.
SqlCondition EmployeeSelection(const PlotSetupVariant& v, const PlotSetupChoices& c, int year, int kco);
inline const QString EmployeeSelectionHead = QStringLiteral("SELECT * FROM VSYAIN");

// An item's value for an employee, in the unit of the axis (Y items in 万円).
double ItemValue(ItemSource source, const TSyain_& e);
// A pay item's amount in yen (0 for the items that are not pay).
long long ItemYen(ItemSource source, const TSyain_& e);
// The DCHART rows of the selected employees, NO 1..n in query order.
QList<TDChart_> ChartPoints(const PlotSetupVariant& v, const PlotSetupChoices& c, const QList<TSyain_>& employees);

enum class SetupAnalysis {
    Plotted,   // DCHART and MCHART written: open the plot
    NoData,    // nothing to plot (the outcome says so); DCHART left as it was
    Failed,    // refused, or a database error (reported by the record access layer); nothing half-written
};
inline const QString NoPlotDataMessage = QStringLiteral("グラフに表示するデータがありません。");

// What 分析 came to and the message the caller shows (none when plotted, nor after a failure
// the data store has reported itself).
struct SetupResult {
    SetupAnalysis status = SetupAnalysis::Failed;
    Outcome outcome;
};

// 分析: selects the employees of the session's year and company, writes DCHART and the MCHART
// row in one transaction. Without employees the no-data message (NoData) after saving the
// choices (except with the optimal wage on X, which saves nothing). With the optimal wage on
// X the Y code becomes the item of the last optimal-wage analysis (FITNO − 1 of the first
// employee) and choices.fy follows.
SetupResult RunSetupAnalysis(const Session& s, const PlotSetupVariant& v, PlotSetupChoices& choices);

