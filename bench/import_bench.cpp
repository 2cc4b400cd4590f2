// Import benchmark: 10,000 generated employees imported through the import logic into a
// fresh year database, compared with the sqlite3 shell importing the same rows, and the
// employee list of 10,000 loaded as the register loads it, compared with a bare read of the
// same rows through the sqlite3 C API.
//
//   wageloom_bench [runs]     (default 5; each run uses a fresh program folder)
//   BENCH_KEEP=1 keeps the folders (their paths go to stderr) for a closer look.
#include "BenchData.h"
#include "employees/EmployeeList.h"
#include "employees/ImportWorker.h"
#include "shell/Session.h"
#include "core/TextCodec.h"
#include "store/DataModule.h"
#include "store/RecordAccess.h"

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

struct RunTimes {
    double check = 0;    // read, decode, split and check the file
    double insert = 0;   // the one-transaction insertion
    double shell = 0;    // sqlite3 .import of the same rows
    double list = 0;     // the register's list of 10,000
    double bare = 0;     // the same rows read straight through the sqlite3 C API
    double total() const { return check + insert; }
};

bool oneRun(const QByteArray& cp932, const QByteArray& utf8, RunTimes& times)
{
    QTemporaryDir dir;
    if (!MakeProgramFolder(dir))
        return false;
    const QString data = dir.path() + "/DATA/";
    TFDM fdm;
    Session session;
    if (!StartSession(session, dir.path(), fdm.ACN1, fdm.ACN2, QDate(2024, 4, 1)).ok
        || !fdm.OpenOrCreateDatabase(fdm.ACN2, data + QString::number(BenchYear) + "/DATA.MDB", data + "DATA.MDB", true))
        return false;

    const QString csv = dir.path() + "/CSV/employees.csv";
    const QString csvUtf8 = dir.path() + "/CSV/employees-utf8.csv";
    if (!WriteBytes(csv, cp932) || !WriteBytes(csvUtf8, utf8))
        return false;

    QElapsedTimer t;
    t.start();
    const ImportCheck check = CheckImportFile(csv);
    times.check = Ms(t);
    if (!check.importable() || check.rows.size() != BenchEmployeeCount) {
        std::fprintf(stderr, "the generated file did not check: %d errors, %d rows\n", check.errors,
                     int(check.rows.size()));
        return false;
    }
    t.restart();
    if (!ImportEmployees(fdm.ACN2, BenchKco, BenchYear, check.rows, ImportMode::Add, QDate(2024, 4, 1)).ok)
        return false;
    times.insert = Ms(t);

    t.restart();
    TSyain_rec list;
    session.companyCode = BenchKco;
    session.fiscalYear = BenchYear;
    session.referenceDate = 20240401;
    session.project.CurrentCompany.KCO = QString::number(BenchKco);
    session.project.CurrentCompany.NENDO = QString::number(BenchYear);
    if (!LoadEmployeeList(session, 0, list))
        return false;
    times.list = Ms(t);
    if (list.items.size() != BenchEmployeeCount) {
        std::fprintf(stderr, "the list holds %d employees\n", int(list.items.size()));
        return false;
    }
    int bareRows = 0;
    times.bare = BareRegisterRead(data + QString::number(BenchYear) + "/DATA.MDB", bareRows, false);
    if (bareRows != BenchEmployeeCount) {
        std::fprintf(stderr, "the bare read found %d employees\n", bareRows);
        return false;
    }

    // The reference: the sqlite3 shell creates a scratch table from the header and imports
    // the rows, in a database file beside the year database.
    QProcess shell;
    t.restart();
    shell.start(QStringLiteral("sqlite3"),
                {data + "scratch.db", "-cmd", ".mode csv", ".import '" + csvUtf8 + "' scratch"});
    if (!shell.waitForFinished(120000) || shell.exitStatus() != QProcess::NormalExit || shell.exitCode() != 0) {
        std::fprintf(stderr, "sqlite3 failed: %s%s\n", qPrintable(shell.errorString()),
                     shell.readAllStandardError().constData());
        return false;
    }
    times.shell = Ms(t);
    QProcess count;
    count.start(QStringLiteral("sqlite3"), {data + "scratch.db", "SELECT count(*) FROM scratch"});
    count.waitForFinished(30000);
    if (count.readAllStandardOutput().trimmed() != QByteArray::number(BenchEmployeeCount)) {
        std::fprintf(stderr, "the shell imported a different number of rows\n");
        return false;
    }
    fdm.ACN2.close();
    fdm.ACN1.close();
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

    const QStringList lines = GeneratedEmployeeLines();
    const QString text = lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    const QByteArray cp932 = ToCp932(text);
    const QByteArray utf8 = text.toUtf8();
    std::printf("%d employees, file %lld bytes (Shift-JIS), %lld bytes (UTF-8 for the shell)\n", BenchEmployeeCount,
                qint64(cp932.size()), qint64(utf8.size()));
    std::printf("%4s %10s %10s %10s %10s %8s %10s %10s %8s\n", "run", "check ms", "insert ms", "import ms",
                "sqlite3 ms", "ratio", "list ms", "bare ms", "ratio");

    std::vector<double> check, insert, total, shell, ratio, list, bare, listRatio;
    for (int i = 1; i <= runs; ++i) {
        RunTimes t;
        if (!oneRun(cp932, utf8, t)) {
            std::fprintf(stderr, "run %d failed\n", i);
            return 1;
        }
        std::printf("%4d %10.1f %10.1f %10.1f %10.1f %8.2f %10.1f %10.1f %8.2f\n", i, t.check, t.insert, t.total(),
                    t.shell, t.total() / t.shell, t.list, t.bare, t.list / t.bare);
        check.push_back(t.check);
        insert.push_back(t.insert);
        total.push_back(t.total());
        shell.push_back(t.shell);
        ratio.push_back(t.total() / t.shell);
        list.push_back(t.list);
        bare.push_back(t.bare);
        listRatio.push_back(t.list / t.bare);
    }
    std::printf("%4s %10.1f %10.1f %10.1f %10.1f %8.2f %10.1f %10.1f %8.2f\n", "med", Median(check), Median(insert),
                Median(total), Median(shell), Median(ratio), Median(list), Median(bare), Median(listRatio));
    auto least = [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); };
    std::printf("%4s %10.1f %10.1f %10.1f %10.1f %8.2f %10.1f %10.1f %8.2f\n", "min", least(check), least(insert),
                least(total), least(shell), least(total) / least(shell), least(list), least(bare),
                least(list) / least(bare));
    // The verdict takes the larger of the median ratio and the ratio of the medians.
    const double ratioOfMedians = Median(total) / Median(shell);
    const double verdictRatio = std::max(Median(ratio), ratioOfMedians);
    std::printf("import / sqlite3: median of the ratios %.2f, ratio of the medians %.2f\n", Median(ratio),
                ratioOfMedians);
    std::printf("list load / bare sqlite3 read: median of the ratios %.2f, ratio of the medians %.2f\n",
                Median(listRatio), Median(list) / Median(bare));
    std::printf("aim: import within 2x the shell (%s), list load under 50 ms (%s)\n",
                verdictRatio <= 2.0 ? "met" : "missed", Median(list) < 50.0 ? "met" : "missed");
    return 0;
}
