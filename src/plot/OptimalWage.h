// Optimal-wage analysis: the regression over the selected employees, its write-back,
// results grid, CSV, the replacement of a pay item by the optimal wage and its undo.
#pragma once

#include "plot/AnalysisTexts.h"
#include "plot/Regression.h"
#include "core/Outcome.h"
#include "core/SheetTable.h"
#include "shell/Session.h"
#include "store/RecordAccess.h"
#include "store/Records.h"

#include <QList>
#include <QStringList>

#include <array>

// Explanatory variables in box order (年齢 .. 人事評価) and objective variables in code order.
inline const std::array<QString, 9> ExplanatoryCaptions = {
    QStringLiteral("年　齢"),   QStringLiteral("勤　続"),     QStringLiteral("経　験"),
    QStringLiteral("滞留年数"), QStringLiteral("資格等級"),   QStringLiteral("号　俸"),
    QStringLiteral("職務達成率"), QStringLiteral("職務評価"), QStringLiteral("人事評価")};
inline const std::array<QString, 6> ObjectiveCaptions = {
    QStringLiteral("項　目　Ⅰ"), QStringLiteral("項　目　Ⅱ"), QStringLiteral("基　本　給"),
    QStringLiteral("所　定　給"), QStringLiteral("賞　与"),     QStringLiteral("年　収")};

inline const QString NoSubjectsMessage = QStringLiteral("対象データがありません。");
inline const QString NoExplanatoryMessage = QStringLiteral("説明変数を指定して下さい。");
inline const QString AnalysisFailedMessage = QStringLiteral("解析に失敗しました。");
inline const QString LinkedDataMessage =
    QStringLiteral("分析データは賃金表又はマトリクスにリンクされたデータを含んでいます。");
inline const QString OptimalCsvWrittenMessage = QStringLiteral("分析結果をCSVに出力しました。");
inline const QString OptimalXlsxWrittenMessage = QStringLiteral("分析結果をExcelファイルに出力しました。");
inline const QString OptimiseQuestion = QStringLiteral("最適賃金を社員マスタに更新しますか？");
inline const QString CountErrorMessage = QStringLiteral("処理件数エラーです。");
inline const QString ResetQuestion = QStringLiteral("最適賃金の設定をリセットしますか？");
inline const QString NothingToResetMessage = QStringLiteral("リセットするデータは存在しません。");

// The caption without its full-width blanks ("基　本　給" → "基本給").
QString WithoutFullWidthBlanks(const QString& caption);
// The Y pitch of an objective code: 5, 5, 5, 5, 10, 50.
int OptimalYPitch(int yCode);
// Value of explanatory variable box (0..8) for an employee; years count to the session's
// reference day (Session::ageReferenceDay).
double ExplanatoryValue(const Session& s, const TSyain_& employee, int box);
// Objective value in yen: KKYU1, KKYU2, basic pay, 所定給, SYOUYO, NENSYU.
long long ObjectiveValue(const TSyain_& employee, int yCode);

// The state of an analysis: the screens keep the last one for the rest of the run, the
// batch tool for its command.
struct TOptimalWage {
    bool valid = false;          // a run succeeded
    TRegName names;              // 0 = objective, 1..p = explanatory variables (blanks removed)
    TRegX X;
    TRegY Y;
    TRegX1 coefficients;
    TRegAut fit;
    int yCode = 0;
    bool linked = false;         // an employee's objective is fed by the wage table or a matrix
    QList<TSyain_> employees;    // the analysed employees in query order
    std::vector<double> predictions;   // optimal wage per employee, whole yen
    int zeroY = 0;               // employees whose objective value is 0
    int zeroX = 0;               // explanatory values that are 0

    int n() const { return int(employees.size()); }
    int p() const { return int(names.size()) - 1; }
};

// What a regression came to: on success (outcome.ok) the state of the run; otherwise the
// failure message (none after a failure the data store has reported) and an empty state.
struct OptimalWageRun {
    Outcome outcome;
    TOptimalWage state;
};

// Reads the employees of the selection (a condition on VSYAIN, ordered by SCO), fits the
// objective yCode (0..5) on the explanatory boxes flagged "1" in explanatoryFlags (FX of
// chart 1070), and writes FITNO, FITNAME, FITKIN and FITJITSU of every analysed employee, after
// clearing FITNO and FITKIN of the whole project, in one transaction. Not ok when nothing was
// analysed or the write-back failed (the employees then stay as they were). While the data
// is open read-only the results are only in the run's employees: nothing is written.
OptimalWageRun RunOptimalWageRegression(const Session& s, const SqlCondition& selection, const QString& explanatoryFlags,
                                        int yCode);

// RunOptimalWageRegression with the settings stored for chart 1070 (MCHART) of the session's
// year and company: the employees selected by its form, wage table, grades, marks and sex,
// the explanatory flags FX and the objective FY. The same messages and outcome.
OptimalWageRun RunStoredOptimalWage(const Session& s);

// The results grid: row 0 the headings, then one row per employee, totals and means, the
// coefficients and the goodness of fit; p + 8 columns and n + p + 9 rows.
QList<QStringList> OptimalWageGrid(const TOptimalWage& state);
// Column widths of the grid in pixels.
QList<int> OptimalWageGridWidths(const TOptimalWage& state);
// 最適化 is offered for 項目Ⅰ, 項目Ⅱ and 賞与 when no analysed employee is linked.
bool CanOptimise(const TOptimalWage& state);

// The grid as a table: every cell as the grid shows it, quoted, in the CSV; in the
// workbook texts, amounts (#,##0), explanatory values (0), shares as percentages (0.000%),
// coefficients (0.0000) and R, R², adjusted R² (0.0000000); empty cells blank.
SheetTable OptimalWageTable(const TOptimalWage& state);

// CSV/最適賃金の分析結果.CSV (or .xlsx) under the program folder exeFolder.
QString OptimalWageCsvPath(const QString& exeFolder, SheetFileKind kind = SheetFileKind::Csv);
// Every grid row as one line of quoted cells.
QStringList OptimalWageCsvLines(const TOptimalWage& state);
// Writes the grid to the file at path in the format: done with OptimalCsvWrittenMessage
// (OptimalXlsxWrittenMessage for a workbook; for a file the user named,
// CsvWrittenToFileMessage naming it), or failed with the error and the path.
Outcome WriteOptimalWageCsv(const Session& s, const TOptimalWage& state, const QString& path,
                            const TableFileFormat& format = {}, bool fileNamedByUser = false);

// 最適化, once OptimiseQuestion has been answered (confirmed: Yes): replaces the objective pay
// item of every analysed employee by the optimal wage and keeps the former amount in
// SAVENO/SAVEKIN, in one transaction. Nothing is done unless confirmed and CanOptimise; ok
// tells whether the employees were changed (a count that no longer matches fails with
// CountErrorMessage).
Outcome OptimiseWages(const Session& s, const TOptimalWage& state, bool confirmed);
// リセット, once ResetQuestion has been answered (confirmed: Yes): restores the replaced pay
// items of the session's project in one transaction. Nothing is done unless confirmed;
// NothingToResetMessage when nothing was replaced; ok when restored.
Outcome ResetOptimisedWages(const Session& s, bool confirmed);

// The DCHART rows of chart 1070, one per analysed employee in query order: X = FITKIN ÷ 10000,
// Y = the actual amount ÷ 10000 (万円), F5 = actual − optimal in yen, MKCO = MCO, MARKL by the
// mark label (0 SCO, 1 evaluation symbol HYOUKA, 2 zone, 3 none), NO = position.
QList<TDChart_> OptimalWagePoints(const TOptimalWage& state, int markLabel);
// Empties DCHART of the session's project database and writes those rows in one
// transaction. No employee: refused with NoPlotDataMessage (DCHART is left as it was).
Outcome WriteOptimalWagePoints(const Session& s, const TOptimalWage& state, int markLabel);

// The rows of the regression panel (最適賃金分析結果): eight titles and texts.
AnalysisPanelRows RegressionPanelOf(const TOptimalWage& state);
