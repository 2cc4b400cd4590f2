// Optimal-wage analysis: regression over employees, write-back, results grid, CSV,
// replacement by the optimal wage and its undo.
#include "plot/Comparisons.h"
#include "plot/OptimalWage.h"
#include "reference/PrintQString.h"
#include "core/TextCodec.h"
#include "support/RecordedFailures.h"
#include "support/TestProject.h"

#include <QFile>
#include <QLocale>

#include <map>

#include <gtest/gtest.h>

namespace {

// Age, length of service and grade of employee k (1..10): independent enough to fit.
int ageOf(int k) { return 22 + 3 * k + k % 3; }
int serviceOf(int k) { return k + k % 4; }
int gradeOf(int k) { return 1 + (k * 7) % 5; }
// The exact rule the fixture's pay follows.
int payOf(int k) { return 100000 + 3000 * ageOf(k) + 2000 * serviceOf(k) + 10000 * gradeOf(k); }

// Whole yen with thousands separators.
QString grouped(long long yen) { return QLocale(QLocale::English).toString(yen); }

// Age, service and grade flagged: the FX of chart 1070.
const QString AgeServiceGrade = QStringLiteral("110010000");

struct OptimalWageFixture : ::testing::Test {
    RecordedFailures failures;
    TestProgramFolder folder;

    void SetUp() override
    {
        OpenTestProject(folder);
        for (int k = 1; k <= 10; ++k)
            addEmployee(k, [&](TSyain_& e) {
                e.SEIHI = (2024 - ageOf(k)) * 10000 + 101;
                e.NYUHI = (2024 - serviceOf(k)) * 10000 + 101;
                e.TOUKYU = gradeOf(k);
                e.KKYU1 = payOf(k);
                e.KKYU2 = 20000;
                e.SYOUYO = 2 * payOf(k) + 5000 * (k % 3);
                e.NENSU = k;
            });
        // Another form: outside the selection, but part of the project.
        addEmployee(99, [](TSyain_& e) {
            e.SM1 = 2;
            e.FITNO = 3;
            e.FITKIN = 123456;
        });
    }

    void addEmployee(int sco, const std::function<void(TSyain_&)>& fill)
    {
        TSyain_ e;
        e.KCO = "1";
        e.NENDO = "2024";
        e.SCO = QString::number(sco);
        e.SCOT = QStringLiteral("S%1").arg(sco, 3, 10, QChar('0'));
        e.SNA = QStringLiteral("社員%1").arg(sco);
        e.YAKU = QStringLiteral("主任");
        e.SM1 = 1;
        fill(e);
        ASSERT_TRUE(Insert(folder.fdm().ACN2, true, e));
    }

    static SqlCondition formOne()
    {
        return SqlCondition(QStringLiteral(" WHERE NENDO = ? AND KCO = ? AND SM1 = 1 ORDER BY SCO"), {2024, 1});
    }

    TSyain_ employee(int sco)
    {
        TSyain_ e;
        EXPECT_TRUE(ReadOne(folder.fdm().ACN2, false, SqlCondition(" WHERE NENDO = 2024 AND KCO = 1 AND SCO = ?", {sco}),
                            QStringLiteral("SELECT * FROM VSYAIN"), e, folder.session().ageReferenceDay()));
        return e;
    }

    // A regression over formOne() that must succeed: its state.
    TOptimalWage analysed(const QString& flags, int yCode)
    {
        OptimalWageRun run = RunOptimalWageRegression(folder.session(), formOne(), flags, yCode);
        EXPECT_TRUE(run.outcome.ok) << yCode << ' ' << run.outcome.text.toStdString();
        EXPECT_TRUE(run.state.valid) << yCode;
        return run.state;
    }

    QString column(const QString& sql) { return Scalar(folder.fdm().ACN2, sql); }
};

} // namespace

TEST_F(OptimalWageFixture, ExactLinearRuleIsRecoveredAndWrittenBack)
{
    const OptimalWageRun run = RunOptimalWageRegression(folder.session(), formOne(), AgeServiceGrade, 0);
    ASSERT_TRUE(run.outcome.ok);
    EXPECT_FALSE(run.outcome.hasMessage());
    EXPECT_TRUE(failures.reports.isEmpty());
    const TOptimalWage& s = run.state;
    ASSERT_EQ(s.n(), 10);
    ASSERT_EQ(s.p(), 3);
    EXPECT_EQ(s.names, (TRegName{"項目Ⅰ", "年齢", "勤続", "資格等級"}));
    EXPECT_NEAR(s.coefficients[0], 100000, 1e-3);
    EXPECT_NEAR(s.coefficients[1], 3000, 1e-5);
    EXPECT_NEAR(s.coefficients[2], 2000, 1e-5);
    EXPECT_NEAR(s.coefficients[3], 10000, 1e-5);
    EXPECT_NEAR(s.fit.R, 1, 1e-9);
    EXPECT_NEAR(s.fit.adjustedR2, 1, 1e-9);
    EXPECT_EQ(s.fit.verdict, VerdictVeryGood);
    EXPECT_FALSE(s.linked);
    EXPECT_TRUE(CanOptimise(s));

    for (int k = 1; k <= 10; ++k) {
        SCOPED_TRACE(k);
        const TSyain_ e = employee(k);
        EXPECT_EQ(e.FITNO, 1);
        EXPECT_EQ(e.FITNAME, QStringLiteral("項目Ⅰ"));
        EXPECT_EQ(e.FITKIN, payOf(k));
        EXPECT_EQ(e.FITJITSU, payOf(k));
        EXPECT_EQ(e.KKYU1, payOf(k));   // pay itself untouched
    }
    // The employee outside the selection leaves the previous analysis.
    EXPECT_EQ(employee(99).FITNO, 0);
    EXPECT_EQ(employee(99).FITKIN, 0);

    const QList<QStringList> grid = OptimalWageGrid(s);
    ASSERT_EQ(grid.size(), 22);
    for (const QStringList& row : grid)
        ASSERT_EQ(row.size(), 11);
    EXPECT_EQ(grid[0], (QStringList{"No", "社員ｺｰﾄﾞ", "社員名", "役職", "項目Ⅰ", "年齢", "勤続", "資格等級", "最適賃金",
                                    "残　差", "割　合"}));
    const int pay1 = payOf(1);
    EXPECT_EQ(grid[1], (QStringList{"1", "S001", "社員1", "主任", grouped(pay1), QString::number(ageOf(1)),
                                    QString::number(serviceOf(1)), QString::number(gradeOf(1)),
                                    grouped(pay1), "0", "0.000%"}));
    EXPECT_TRUE(grid[11].join(QString()).isEmpty());
    long long total = 0;
    for (int k = 1; k <= 10; ++k)
        total += payOf(k);
    EXPECT_EQ(grid[12][2], QStringLiteral("合計"));
    EXPECT_EQ(grid[12][4], grouped(total));
    EXPECT_EQ(grid[12][8], grouped(total));
    EXPECT_EQ(grid[12][9], QStringLiteral("0"));
    EXPECT_EQ(grid[13][2], QStringLiteral("平均"));
    EXPECT_EQ(grid[13][4], grouped(qRound64(total / 10.0)));
    EXPECT_TRUE(grid[14].join(QString()).isEmpty());
    EXPECT_EQ(grid[15][2], QStringLiteral("切片"));
    EXPECT_EQ(grid[15][3], QStringLiteral("100000.0000"));
    EXPECT_EQ(grid[16][2], QStringLiteral("年齢 X1"));
    EXPECT_EQ(grid[16][3], QStringLiteral("3000.0000"));
    EXPECT_EQ(grid[18][2], QStringLiteral("資格等級 X3"));
    EXPECT_EQ(grid[19][2], QStringLiteral("重相関R"));
    EXPECT_EQ(grid[19][3], QStringLiteral("1.0000000"));
    EXPECT_EQ(grid[20][2], QStringLiteral("重相関R2"));
    EXPECT_EQ(grid[21][2], QStringLiteral("補正  R2"));
    EXPECT_EQ(grid[21][3], QStringLiteral("1.0000000"));
    EXPECT_EQ(OptimalWageGridWidths(s), (QList<int>{40, 60, 100, 70, 70, 70, 70, 70, 60, 60, 60}));

    const AnalysisPanelRows panel = RegressionPanelOf(s);
    EXPECT_EQ(panel.titles[0], QStringLiteral("目的変数 :"));
    EXPECT_EQ(panel.captions[0], QStringLiteral("項目Ⅰ"));
    EXPECT_EQ(panel.captions[1], QStringLiteral("切片 = 100,000.00000 年齢 X1=3000.0000 勤続 X2=2000.0000 "));
    EXPECT_EQ(panel.captions[2], QStringLiteral("資格等級 X3=10000.0000 "));
    EXPECT_TRUE(panel.captions[3].isEmpty());
    EXPECT_EQ(panel.titles[4], QStringLiteral("相関"));
    EXPECT_EQ(panel.captions[4], QStringLiteral("重相関 R=1.0000000"));
    EXPECT_EQ(panel.captions[5], QStringLiteral("重相関R2=1.0000000"));
    EXPECT_EQ(panel.captions[6], QStringLiteral("補正  R2=1.0000000"));
    EXPECT_EQ(panel.titles[7], QStringLiteral("分析結果"));
    EXPECT_EQ(panel.captions[7], VerdictVeryGood);
}

TEST_F(OptimalWageFixture, PlotPointsOfTheAnalysis)
{
    Exec(folder.fdm().ACN2, "UPDATE MSYAIN1 SET MCO = 3");
    Exec(folder.fdm().ACN2, "UPDATE MSYAIN2 SET ZONEX = 2");
    const TOptimalWage s = analysed(AgeServiceGrade, 4);   // 賞与: not exact
    ASSERT_TRUE(s.valid);
    for (const auto& [label, expected] : {std::pair{0, QString("1")}, {2, QString("2")}, {3, QString()}}) {
        const QList<TDChart_> rows = OptimalWagePoints(s, label);
        ASSERT_EQ(rows.size(), 10);
        EXPECT_EQ(rows[0].MARKL, expected) << label;
    }
    const QList<TDChart_> rows = OptimalWagePoints(s, 0);
    for (int k = 1; k <= 10; ++k) {
        SCOPED_TRACE(k);
        const TSyain_ e = employee(k);
        const TDChart_& r = rows[k - 1];
        EXPECT_EQ(r.SCO, e.SCO);
        EXPECT_EQ(r.SNA, e.SNA);
        EXPECT_EQ(r.MKCO, 3);
        EXPECT_EQ(r.NO, k);
        EXPECT_DOUBLE_EQ(r.X, e.FITKIN / 10000.0);
        EXPECT_DOUBLE_EQ(r.Y, e.SYOUYO / 10000.0);
        EXPECT_EQ(r.F5, e.FITJITSU - e.FITKIN);
    }

    Exec(folder.fdm().ACN2, "INSERT INTO DCHART VALUES (77, 'old', '', '', 0, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0)");
    ASSERT_TRUE(WriteOptimalWagePoints(folder.session(), s, 0).ok);
    EXPECT_EQ(column("SELECT COUNT(*) FROM DCHART"), QStringLiteral("10"));
    EXPECT_EQ(column("SELECT SUM(F5) FROM DCHART"), QString::number(
        [&] { long long sum = 0; for (const TDChart_& r : rows) sum += r.F5; return sum; }()));

    // Nothing analysed: the message, and the previous points stay.
    const Outcome none = WriteOptimalWagePoints(folder.session(), TOptimalWage{}, 0);
    EXPECT_FALSE(none.ok);
    EXPECT_EQ(none.text, NoPlotDataMessage);
    EXPECT_EQ(column("SELECT COUNT(*) FROM DCHART"), QStringLiteral("10"));
}

TEST_F(OptimalWageFixture, ShareOfTheResidual)
{
    TOptimalWage s;
    s.valid = true;
    s.names = {"賞与", "年齢"};
    TSyain_ e;
    e.SCO = "7";
    s.employees = {e, e};
    s.X = {{1, 40}, {1, 30}};
    s.Y = {315000, 0};
    s.predictions = {300000, 0};
    s.coefficients = {-1.23456, 7500};
    const QList<QStringList> grid = OptimalWageGrid(s);
    ASSERT_EQ(grid.size(), 2 + 1 + 9);
    EXPECT_EQ(grid[1][5], QStringLiteral("40"));
    EXPECT_EQ(grid[1][6], QStringLiteral("300,000"));
    EXPECT_EQ(grid[1][7], QStringLiteral("15,000"));
    EXPECT_EQ(grid[1][8], QStringLiteral("5.000%"));
    EXPECT_EQ(grid[2][8], QStringLiteral("0.000%"));   // no prediction: no share
    EXPECT_EQ(grid[4][4], QStringLiteral("315,000"));
    EXPECT_EQ(grid[5][4], QStringLiteral("157,500"));   // mean, half away
    EXPECT_EQ(grid[7][3], QStringLiteral("-1.2346"));
}

TEST_F(OptimalWageFixture, FailuresShowTheirMessageAndWriteNothing)
{
    struct Case {
        const char* what;
        SqlCondition selection;
        QString flags;
        QString message;
        Outcome::Kind kind;   // a refusal of the choices, or the analysis itself failing
    };
    const Case cases[] = {
        {"nobody selected", SqlCondition(" WHERE NENDO = 2024 AND KCO = 1 AND SM1 = 4"), AgeServiceGrade, NoSubjectsMessage,
         Outcome::Kind::Information},
        {"no variable", formOne(), QStringLiteral("000000000"), NoExplanatoryMessage, Outcome::Kind::Information},
        // Nobody has a step (号俸): a column of zeros next to 経験.
        {"identical variables", formOne(), QStringLiteral("001001000"),
         AnalysisFailedMessage + "\r\n" + "10個の説明変数がゼロのデータが存在します", Outcome::Kind::Error},
    };
    Exec(folder.fdm().ACN2, "UPDATE MSYAIN2 SET FITNO = 2, FITKIN = 5 WHERE SCO = 3");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const OptimalWageRun run = RunOptimalWageRegression(folder.session(), c.selection, c.flags, 0);
        EXPECT_FALSE(run.outcome.ok);
        EXPECT_EQ(run.outcome.text, c.message);
        EXPECT_EQ(run.outcome.caption, AppTitle);
        EXPECT_EQ(run.outcome.kind, c.kind);
        EXPECT_EQ(employee(3).FITNO, 2);
        EXPECT_EQ(employee(99).FITNO, 3);
        EXPECT_FALSE(run.state.valid);
    }
    EXPECT_TRUE(failures.reports.isEmpty());

    // Zero objectives are counted too.
    Exec(folder.fdm().ACN2, "UPDATE MSYAIN2 SET GOUHOU = SCO WHERE SCO <> 99");
    Exec(folder.fdm().ACN2, "UPDATE MSYAIN2 SET KKYU2 = 0 WHERE SCO IN (1, 2, 3, 4)");
    const OptimalWageRun zeros = RunOptimalWageRegression(folder.session(), formOne(), QStringLiteral("001001000"), 1);
    EXPECT_FALSE(zeros.outcome.ok);
    EXPECT_EQ(zeros.outcome.text, AnalysisFailedMessage + "\r\n4個の目的変数がゼロのデータが存在します");
}

TEST_F(OptimalWageFixture, AFailedWriteBackLeavesEveryEmployeeAsBefore)
{
    Exec(folder.fdm().ACN2, "CREATE TRIGGER refuse BEFORE UPDATE OF FITKIN ON MSYAIN2 WHEN NEW.SCO = 8 AND NEW.FITKIN <> 0 "
                            "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    const OptimalWageRun run = RunOptimalWageRegression(folder.session(), formOne(), AgeServiceGrade, 0);
    EXPECT_FALSE(run.outcome.ok);
    EXPECT_FALSE(run.outcome.hasMessage());   // the store has told of the failure
    EXPECT_FALSE(run.state.valid);
    ASSERT_FALSE(failures.reports.isEmpty());
    EXPECT_TRUE(failures.reports.last().text.contains(QStringLiteral("refused")));
    EXPECT_EQ(employee(99).FITNO, 3);   // the clearing was rolled back too
    EXPECT_EQ(employee(99).FITKIN, 123456);
    EXPECT_EQ(column("SELECT COUNT(*) FROM MSYAIN2 WHERE FITNO <> 0"), QStringLiteral("1"));
}

TEST_F(OptimalWageFixture, OptimiseIsOfferedOnlyForUnlinkedItemsThatCanBeReplaced)
{
    struct Case {
        int yCode;
        bool optimisable;
    };
    for (const Case c : {Case{0, true}, Case{1, true}, Case{2, false}, Case{3, false}, Case{4, true}, Case{5, false}})
        EXPECT_EQ(CanOptimise(analysed(AgeServiceGrade, c.yCode)), c.optimisable) << c.yCode;

    // 基本給: nothing replaced, even when confirmed.
    const TOptimalWage basic = analysed(AgeServiceGrade, 2);
    const Outcome refused = OptimiseWages(folder.session(), basic, true);
    EXPECT_FALSE(refused.ok);
    EXPECT_FALSE(refused.hasMessage());
    EXPECT_EQ(column("SELECT COUNT(*) FROM MSYAIN2 WHERE SAVENO <> 0"), QStringLiteral("0"));

    // One employee's 項目Ⅰ comes from the wage table.
    Exec(folder.fdm().ACN2, "UPDATE MSYAIN1 SET JISEKI = 1 WHERE SCO = 4");
    const TOptimalWage linked = analysed(AgeServiceGrade, 0);
    EXPECT_TRUE(linked.linked);
    EXPECT_FALSE(CanOptimise(linked));
    // 項目Ⅱ is not fed by that link.
    EXPECT_FALSE(analysed(AgeServiceGrade, 1).linked);
    Exec(folder.fdm().ACN2, "UPDATE MSYAIN1 SET MLINK = 2 WHERE SCO = 5");
    EXPECT_TRUE(analysed(AgeServiceGrade, 1).linked);
}

TEST_F(OptimalWageFixture, OptimiseBonusThenResetTwice)
{
    const TOptimalWage s = analysed(AgeServiceGrade, 4);
    ASSERT_TRUE(s.valid);
    std::map<int, int> bonus, fitted;
    for (int k = 1; k <= 10; ++k) {
        bonus[k] = employee(k).SYOUYO;
        fitted[k] = employee(k).FITKIN;
    }
    EXPECT_NE(bonus, fitted);   // the bonus does not follow the rule exactly

    // The question answered No: nothing changes.
    const Outcome declined = OptimiseWages(folder.session(), s, false);
    EXPECT_FALSE(declined.ok);
    EXPECT_FALSE(declined.hasMessage());
    EXPECT_EQ(employee(1).SYOUYO, bonus[1]);
    EXPECT_EQ(employee(1).SAVENO, 0);

    const Outcome optimised = OptimiseWages(folder.session(), s, true);
    EXPECT_TRUE(optimised.ok);
    EXPECT_FALSE(optimised.hasMessage());
    for (int k = 1; k <= 10; ++k) {
        SCOPED_TRACE(k);
        const TSyain_ e = employee(k);
        EXPECT_EQ(e.SYOUYO, fitted[k]);
        EXPECT_EQ(e.SAVENO, 5);
        EXPECT_EQ(e.SAVEKIN, bonus[k]);
    }
    EXPECT_EQ(employee(99).SAVENO, 0);

    // リセット answered No: the replacement stays.
    EXPECT_FALSE(ResetOptimisedWages(folder.session(), false).ok);
    EXPECT_EQ(employee(1).SAVENO, 5);

    const Outcome reset = ResetOptimisedWages(folder.session(), true);
    EXPECT_TRUE(reset.ok);
    EXPECT_FALSE(reset.hasMessage());
    for (int k = 1; k <= 10; ++k) {
        EXPECT_EQ(employee(k).SYOUYO, bonus[k]);
        EXPECT_EQ(employee(k).SAVENO, 0);
    }

    const Outcome again = ResetOptimisedWages(folder.session(), true);
    EXPECT_FALSE(again.ok);
    EXPECT_EQ(again.text, NothingToResetMessage);
    EXPECT_EQ(again.caption, AppTitle);
    EXPECT_TRUE(failures.reports.isEmpty());
}

TEST_F(OptimalWageFixture, OptimiseRefusesACountMismatchAndKeepsTheEarlierReplacement)
{
    const TOptimalWage s = analysed(AgeServiceGrade, 0);
    Exec(folder.fdm().ACN2, "UPDATE MSYAIN2 SET SAVENO = 2, SAVEKIN = 777 WHERE SCO = 99");
    Exec(folder.fdm().ACN2, "UPDATE MSYAIN2 SET FITNO = 0 WHERE SCO = 10");   // one analysed employee changed since
    const Outcome o = OptimiseWages(folder.session(), s, true);
    EXPECT_FALSE(o.ok);
    EXPECT_EQ(o.text, CountErrorMessage);
    EXPECT_EQ(o.kind, Outcome::Kind::Error);
    EXPECT_EQ(employee(99).SAVENO, 2);
    EXPECT_EQ(employee(99).SAVEKIN, 777);
    EXPECT_EQ(employee(1).KKYU1, payOf(1));
    EXPECT_EQ(employee(1).SAVENO, 0);
}

TEST_F(OptimalWageFixture, CsvHoldsTheGridQuotedInCp932)
{
    TOptimalWage s = analysed(AgeServiceGrade, 0);
    ASSERT_TRUE(s.valid);
    s.employees[0].SNA = QStringLiteral("山田 \"太郎\"");
    const QString path = OptimalWageCsvPath(folder.session().exeFolder);
    EXPECT_EQ(path, folder.path(QStringLiteral("CSV/最適賃金の分析結果.CSV")));
    const Outcome written = WriteOptimalWageCsv(folder.session(), s, path);
    ASSERT_TRUE(written.ok) << written.text.toStdString();
    EXPECT_EQ(written.text, OptimalCsvWrittenMessage);

    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    const QByteArray head = ToCp932(QStringLiteral("\"No\",\"社員ｺｰﾄﾞ\",\"社員名\",\"役職\",\"項目Ⅰ\",\"年齢\",\"勤続\",\"資格等級\","
                                                   "\"最適賃金\",\"残　差\",\"割　合\"\r\n"));
    EXPECT_TRUE(bytes.startsWith(head));
    EXPECT_TRUE(bytes.endsWith(ToCp932(QStringLiteral("\"\",\"\",\"補正  R2\",\"1.0000000\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"))));
    EXPECT_EQ(bytes.count("\r\n"), 22);
    EXPECT_EQ(bytes.count('\n'), 22);
    EXPECT_TRUE(bytes.contains(ToCp932(QStringLiteral("\"山田 \"\"太郎\"\"\""))));

    // A folder that cannot be written: the error and the path.
    const QString nowhere = folder.path(QStringLiteral("no such folder/結果.CSV"));
    const Outcome failed = WriteOptimalWageCsv(folder.session(), s, nowhere);
    EXPECT_FALSE(failed.ok);
    EXPECT_TRUE(failed.text.endsWith(QStringLiteral("\r") + nowhere)) << failed.text.toStdString();
}
