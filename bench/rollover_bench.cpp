// Rollover benchmark: a company of 10,000 generated employees carried into the next year
// through the rollover logic, compared in the same run with the sqlite3 shell copying the
// same rows of the same tables with INSERT ... SELECT into an attached copy of the template.
// The restore point a rollover makes first (its three database files copied with the
// backup API) is timed on its own and reported against the rollover alone.
//
//   wageloom_rollover_bench [runs]     (default 5; each run uses a fresh program folder)
#include "BenchData.h"
#include "raise/YearRollover.h"
#include "shell/RestorePoints.h"
#include "shell/Session.h"
#include "store/DataModule.h"
#include "store/RecordAccess.h"
#include "store/Transactions.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const int EmployeeCount = 10000;
const int Kco = 1;
const int Year = 2024;

bool copyFile(const QString& from, const QString& to)
{
    QFile::remove(to);
    if (!QFile::copy(from, to))
        return false;
    QFile::setPermissions(to, QFile::permissions(to) | QFileDevice::WriteOwner);
    return true;
}

double ms(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

bool exec(DbConnection& cn, const QString& sql)
{
    if (cn.execute(sql) >= 0)
        return true;
    std::fprintf(stderr, "%s: %s\n", qPrintable(sql), qPrintable(cn.errors().value(0).description));
    return false;
}

// The company of the source year: its settings, a wage table, evaluations, marks and
// 10,000 employees with a decided raise.
bool fillSourceYear(TFDM& fdm)
{
    DbConnection& cn = fdm.ACN2;
    if (!exec(fdm.ACN1, QStringLiteral("INSERT INTO MKIGYOU1 VALUES (1, 2024, 'ベンチ株式会社', '', 20240401, 0, "
                                       "20240401, 0, 8, 20, 160, 1000)")))
        return false;
    return InTransaction(cn, [&] {
        bool ok = exec(cn, "INSERT INTO MKIGYOU2 (KCO, NENDO, KNA) VALUES (1, 2024, 'ベンチ株式会社')")
                  && exec(cn, "INSERT INTO MCHINGIN (KCO, NENDO, CGCO, TITLE) VALUES (1, 2024, 1, '総合職')")
                  && exec(cn, "INSERT INTO MHYOUKA VALUES (1, 2024, 1, 1, 'S', 6), (1, 2024, 1, 2, 'A', 5), "
                              "(1, 2024, 1, 3, 'B', 4), (1, 2024, 1, 4, 'C', 3), (1, 2024, 1, 5, 'D', 2)");
        for (int step = 1; ok && step <= 80; ++step)
            ok = exec(cn, QStringLiteral("INSERT INTO DCHINGIN2 (KCO, NENDO, SKCO, GOUHOU, KIN1, KIN2, KIN3, KIN4, KIN5) "
                                         "VALUES (1, 2024, 1, %1, %2, %3, %4, %5, %6)")
                              .arg(step)
                              .arg(180000 + step * 1500)
                              .arg(200000 + step * 1800)
                              .arg(230000 + step * 2100)
                              .arg(270000 + step * 2400)
                              .arg(320000 + step * 2700));
        for (int m = 1; ok && m <= 9; ++m)
            ok = exec(cn, QStringLiteral("INSERT INTO MMARK (KCO, NENDO, MKCO, MARK) VALUES (1, 2024, %1, '●')").arg(m));
        if (!ok)
            return false;
        TSyain_rec employees;
        for (int i = 1; i <= EmployeeCount; ++i) {
            TSyain_ e;
            e.KCO = QString::number(Kco);
            e.SCO = QString::number(i);
            e.NENDO = QString::number(Year);
            e.SCOT = QStringLiteral("E%1").arg(i, 5, 10, QLatin1Char('0'));
            e.SNA = QStringLiteral("社員%1").arg(i);
            e.SEIHI = 19600401 + (i % 40) * 10000;
            e.NYUHI = 19850401 + (i % 35) * 10000;
            e.SKCO = 1;
            e.JISEKI = 1;
            e.TCO = e.TOUKYU = 1 + i % 5;
            e.GOUHOU = 1 + i % 60;
            e.HCO = 1 + i % 5;
            e.KKYU1 = 200000 + (i % 60) * 2000;
            e.TEATE1 = 10000;
            e.NKKYU1 = e.KKYU1 + 6000;
            e.NTEATE1 = 10000;
            e.NTOUKYU = e.TOUKYU;
            e.NGOUHOU = e.GOUHOU + 4;
            e.KEIKEN = QStringLiteral("経験欄%1").arg(i);
            employees.items << e;
        }
        return InsertRows(cn, false, employees);
    });
}

// The reference statements: for each table the company's rows of the source inserted into
// the new file with NENDO + 1, columns named from the table itself.
QString referenceScript(DbConnection& templateFile)
{
    QString sql = QStringLiteral("ATTACH 'src.MDB' AS src; ATTACH 'ctl.MDB' AS ctl; BEGIN;\n");
    const QStringList tables = {"MKIGYOU2", "MGRAPH",  "MHYOUKA", "MMARK",    "MCHART",     "DSPDRAW",
                                "MCHINGIN", "DSCALE",  "DKSEN2",  "DKSEN3",   "MSYAIN1",    "MSYAIN2",
                                "YHYOUKA",  "BANDM",   "MATRIXID", "MATRIXCELL", "SALARYNAME", "DCHINGIN2"};
    auto columns = [&](const QString& table) {
        QStringList names;
        auto r = templateFile.select("SELECT name FROM pragma_table_info('" + table + "')");
        while (r && r->next())
            names << '"' + r->text(0) + '"';
        return names;
    };
    auto copy = [&](const QString& into, const QString& from, const QStringList& cols, const QString& where) {
        QStringList select = cols;
        select.replaceInStrings(QStringLiteral("\"NENDO\""), QStringLiteral("NENDO + 1"));
        return QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM %4%5;\n")
            .arg(into, cols.join(','), select.join(','), from, where);
    };
    const QString company = QStringLiteral(" WHERE NENDO = %1 AND KCO = %2").arg(Year).arg(Kco);
    QStringList control = {"\"KCO\"", "\"NENDO\"", "\"KNA\"", "\"PATH\"", "\"SDATE\"", "\"FNK\"", "\"KDATE\"",
                           "\"REKI\"", "\"SYOTEIHH\"", "\"SYOTEIDD\"", "\"SYOTEIMM\"", "\"SAITEI\""};
    sql += copy("ctl.MKIGYOU1", "ctl.MKIGYOU1", control, company);
    sql += QStringLiteral("DELETE FROM MSEIKEI; INSERT INTO MSEIKEI SELECT * FROM src.MSEIKEI;\n");
    for (const QString& t : tables)
        sql += copy(t, "src." + t, columns(t), company);
    sql += QStringLiteral("COMMIT;\n");
    return sql;
}

struct RunTimes {
    double rollover = 0;
    double restorePoint = 0;
    double shell = 0;
};

bool oneRun(RunTimes& times)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        return false;
    QDir(dir.path()).mkpath(QStringLiteral("DATA"));
    const QString data = dir.path() + "/DATA/";
    if (!copyFile(QStringLiteral(WAGELOOM_FIXTURES "/SEIGYO.MDB"), data + "SEIGYO.MDB")
        || !copyFile(QStringLiteral(WAGELOOM_FIXTURES "/DATA.MDB"), data + "DATA.MDB")) {
        std::fprintf(stderr, "the supplied databases are missing under %s\n", WAGELOOM_FIXTURES);
        return false;
    }
    TFDM fdm;
    Session session;
    if (!StartSession(session, dir.path(), fdm.ACN1, fdm.ACN2, QDate(2025, 3, 31)).ok
        || !fdm.OpenOrCreateDatabase(fdm.ACN2, data + "2024/DATA.MDB", data + "DATA.MDB", true) || !fillSourceYear(fdm))
        return false;
    session.fiscalYear = Year;

    // The reference works on copies made before the rollover touches anything.
    const QString ref = dir.path() + "/ref/";
    QDir().mkpath(ref);
    if (!copyFile(data + "2024/DATA.MDB", ref + "src.MDB") || !copyFile(data + "SEIGYO.MDB", ref + "ctl.MDB"))
        return false;

    QElapsedTimer t;
    t.start();
    if (!MakeRestorePoint(session.dataFolder, RolloverRestorePoint(Year, Kco, QStringLiteral("ベンチ株式会社"))).ok) {
        std::fprintf(stderr, "the restore point failed\n");
        return false;
    }
    times.restorePoint = ms(t);
    t.restart();
    const RolloverResult result = RollOverCompany(session, fdm.ACN3, Year, Kco, false);
    times.rollover = ms(t);
    if (!result.done || result.employees != EmployeeCount) {
        std::fprintf(stderr, "the rollover failed (%d employees)\n", result.employees);
        return false;
    }

    SqliteConnection templateFile;
    templateFile.open(data + "DATA.MDB");
    const QString script = referenceScript(templateFile);
    templateFile.close();
    QProcess shell;
    shell.setWorkingDirectory(ref);
    t.restart();
    if (!copyFile(data + "DATA.MDB", ref + "new.MDB"))
        return false;
    shell.start(QStringLiteral("sqlite3"), {ref + "new.MDB"});
    shell.write(script.toUtf8());
    shell.closeWriteChannel();
    if (!shell.waitForFinished(120000) || shell.exitStatus() != QProcess::NormalExit || shell.exitCode() != 0) {
        std::fprintf(stderr, "sqlite3 failed: %s%s\n", qPrintable(shell.errorString()),
                     shell.readAllStandardError().constData());
        return false;
    }
    times.shell = ms(t);

    SqliteConnection check;
    check.open(ref + "new.MDB");
    auto r = check.select("SELECT count(*) FROM MSYAIN2 WHERE NENDO = 2025");
    if (!r || !r->next() || r->integer(0) != EmployeeCount) {
        std::fprintf(stderr, "the shell copied a different number of rows\n");
        return false;
    }
    fdm.ACN1.close();
    fdm.ACN2.close();
    fdm.ACN3.close();
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;

    std::printf("Year rollover of %d employees against sqlite3 INSERT ... SELECT of the same rows\n", EmployeeCount);
    std::printf("%4s %12s %12s %8s %16s\n", "run", "rollover ms", "sqlite3 ms", "ratio", "restore point ms");
    std::vector<double> rollover, shell, point;
    for (int i = 0; i < runs; ++i) {
        RunTimes t;
        if (!oneRun(t))
            return 1;
        rollover.push_back(t.rollover);
        shell.push_back(t.shell);
        point.push_back(t.restorePoint);
        std::printf("%4d %12.1f %12.1f %8.2f %16.1f\n", i + 1, t.rollover, t.shell, t.rollover / t.shell,
                    t.restorePoint);
    }
    const double ratio = Median(rollover) / Median(shell);
    std::printf("med  %12.1f %12.1f %8s %16.1f\n", Median(rollover), Median(shell), "", Median(point));
    std::printf("rollover / sqlite3: ratio of the medians %.2f (aim: within 3: %s)\n", ratio,
                ratio <= 3.0 ? "met" : "missed");
    const double added = 100.0 * Median(point) / Median(rollover);
    std::printf("restore point before the rollover: %.0f %% added to the rollover alone (aim: under 30 %%: %s)\n",
                added, added < 30.0 ? "met" : "missed");
    return 0;
}
