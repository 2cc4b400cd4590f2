// Register benchmark: the employee register (TPX0030) opened offscreen on 10,000 employees
// until the list and the first employee are shown, compared in the same run with a bare
// read of the same rows (the list and the first employee's full row) through the sqlite3
// C API. Each phase of the opening is timed too, to show where the time goes.
//
//   wageloom_register_bench [runs]     (default 5; each run uses a fresh program folder)
#include "BenchData.h"
#include "employees/ImportWorker.h"
#include "employees/screens/TPX0030.h"
#include "shell/screens/AppState.h"
#include "core/TextCodec.h"
#include "shell/screens/StringGrid.h"
#include "store/DataModule.h"

#include <QApplication>
#include <QLineEdit>

#include <cstdio>

namespace {

struct RunTimes {
    double create = 0;    // the screen's widgets
    double prepare = 0;   // lists, the employee list in the grid, the first employee
    double show = 0;      // shown and painted
    double bare = 0;      // the bare sqlite3 read of the same rows
    double open() const { return create + prepare + show; }
};

bool oneRun(const QList<ImportRow>& rows, RunTimes& times)
{
    QTemporaryDir dir;
    if (!MakeProgramFolder(dir))
        return false;
    const QString data = dir.path() + "/DATA/";
    const QString year = data + QString::number(BenchYear) + "/DATA.MDB";
    TFDM fdm;
    fdm.OpenDatabase(fdm.ACN1, data + "SEIGYO.MDB");
    if (!fdm.OpenOrCreateDatabase(fdm.ACN2, year, data + "DATA.MDB", true))
        return false;
    if (!ImportEmployees(fdm.ACN2, BenchKco, BenchYear, rows, ImportMode::Add, QDate(2024, 4, 1)).ok)
        return false;
    // The register reads the open project from the window's state.
    App().setExeFolder(dir.path());
    App().FiscalYear = BenchYear;
    App().OpenCompanyCode = BenchKco;
    App().CompanyOpen = true;
    Project().CurrentCompany.KCO = QString::number(BenchKco);
    Project().CurrentCompany.NENDO = QString::number(BenchYear);

    // The bare read first and last, so that neither side alone reads a cold file.
    int bareRows = 0;
    BareRegisterRead(year, bareRows, true);

    QElapsedTimer t;
    t.start();
    auto screen = std::make_unique<TPX0030>();
    times.create = Ms(t);
    t.restart();
    screen->Prepare();
    times.prepare = Ms(t);
    t.restart();
    screen->show();
    QApplication::processEvents();
    times.show = Ms(t);
    const auto* grid = screen->findChild<TStringGrid*>(QStringLiteral("Grid"));
    const auto* name = screen->findChild<QLineEdit*>(QStringLiteral("txtWorkName"));
    if (!grid || grid->rowCount() != BenchEmployeeCount + 1 || !name || name->text().isEmpty()) {
        std::fprintf(stderr, "the register did not show the list and the first employee\n");
        return false;
    }
    screen.reset();

    times.bare = BareRegisterRead(year, bareRows, true);
    if (bareRows != BenchEmployeeCount) {
        std::fprintf(stderr, "the bare read found %d employees\n", bareRows);
        return false;
    }
    fdm.ACN2.close();
    fdm.ACN1.close();
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

    const QStringList lines = GeneratedEmployeeLines();
    const ImportCheck check =
        CheckImportBytes(QStringLiteral("generated.csv"), ToCp932(lines.join(QStringLiteral("\r\n"))));
    if (!check.importable()) {
        std::fprintf(stderr, "the generated employees did not check\n");
        return 1;
    }
    std::printf("employee register opened on %d employees (offscreen)\n", BenchEmployeeCount);
    std::printf("%4s %10s %10s %10s %10s %10s %8s\n", "run", "create ms", "prepare ms", "show ms", "open ms",
                "bare ms", "ratio");
    std::vector<double> create, prepare, show, open, bare, ratio;
    for (int i = 1; i <= runs; ++i) {
        RunTimes t;
        if (!oneRun(check.rows, t)) {
            std::fprintf(stderr, "run %d failed\n", i);
            return 1;
        }
        std::printf("%4d %10.1f %10.1f %10.1f %10.1f %10.1f %8.2f\n", i, t.create, t.prepare, t.show, t.open(), t.bare,
                    t.open() / t.bare);
        create.push_back(t.create);
        prepare.push_back(t.prepare);
        show.push_back(t.show);
        open.push_back(t.open());
        bare.push_back(t.bare);
        ratio.push_back(t.open() / t.bare);
    }
    std::printf("%4s %10.1f %10.1f %10.1f %10.1f %10.1f %8.2f\n", "med", Median(create), Median(prepare),
                Median(show), Median(open), Median(bare), Median(ratio));
    const double ratioOfMedians = Median(open) / Median(bare);
    std::printf("register open / bare sqlite3 read: median of the ratios %.2f, ratio of the medians %.2f\n",
                Median(ratio), ratioOfMedians);
    std::printf("aim: within 3x the bare read (%s)\n", std::max(Median(ratio), ratioOfMedians) <= 3.0 ? "met" : "missed");
    return 0;
}
