// Import benchmark: 10,000 generated employees imported through the import logic into a
// fresh year database, compared with the sqlite3 shell importing the same rows, and the
// employee list of 10,000 loaded as the register loads it.
//
//   wageloom_bench [runs]     (default 5; each run uses a fresh program folder)
//   BENCH_KEEP=1 keeps the folders (their paths go to stderr) for a closer look.
#include "employees/EmployeeList.h"
#include "employees/ImportWorker.h"
#include "shell/AppState.h"
#include "shell/TextCodec.h"
#include "store/DataModule.h"
#include "store/DialogService.h"
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

const int EmployeeCount = 10000;
const int Kco = 1;
const int Year = 2024;

// Messages go to stderr; the benchmark asks no questions.
class QuietDialogs final : public DialogService {
public:
    void information(const QString&, const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    void warning(const QString&, const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    bool yesNo(const QString&, const QString&) override { return false; }
    bool okCancel(const QString&, const QString&) override { return false; }
    QString openFile(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<std::uint32_t> chooseColor(std::uint32_t) override { return std::nullopt; }
};

// A small fixed generator, so every run imports the same file.
struct Lcg {
    quint32 state = 20240401;
    quint32 next(quint32 bound)
    {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % bound;
    }
};

// The lines of the generated file: the export's headings plus 公的資格, quoted texts.
QStringList generatedLines()
{
    const QStringList family = {"山田", "佐藤", "鈴木", "高橋", "田中", "伊藤", "渡辺", "中村", "小林", "加藤"};
    const QStringList given = {"太郎", "花子", "一郎", "美咲", "健太", "陽子", "大輔", "愛", "翔", "由美"};
    const QStringList positions = {"", "主任", "係長", "課長", "部長"};
    const QStringList schools = {"高卒", "専門卒", "短大卒", "大卒", "大学院卒"};
    const QStringList majors = {"経済", "法律", "工学", "文学", "情報"};
    const QStringList jobs = {"営業", "総務", "経理", "製造", "開発"};
    const QStringList forms = {"役員", "正社員", "パート", "その他"};
    const QStringList licences = {"", "簿記2級", "宅建", "情報処理", "衛生管理者"};
    auto q = [](const QString& s) { return '"' + s + '"'; };

    Lcg r;
    QStringList lines;
    lines.reserve(EmployeeCount + 1);
    lines << QStringLiteral("社員番号,社員名,役職,性別,学歴,専攻,職務経験,社内身分,生年月日,入社日,賃金等級,公的資格");
    for (int i = 1; i <= EmployeeCount; ++i) {
        const int birthYear = 1960 + int(r.next(45));
        const int entryYear = std::min(2024, birthYear + 18 + int(r.next(20)));
        const QString birth = QStringLiteral("%1/%2/%3").arg(birthYear).arg(1 + r.next(12)).arg(1 + r.next(28));
        const QString entry = QStringLiteral("%1/04/01").arg(entryYear);
        QStringList f;
        f << q(QStringLiteral("E%1").arg(i, 5, 10, QLatin1Char('0')))
          << q(family.at(r.next(10)) + QStringLiteral("　") + given.at(r.next(10)))
          << q(positions.at(r.next(5))) << q(r.next(2) ? QStringLiteral("男") : QStringLiteral("女"))
          << q(schools.at(r.next(5))) << q(majors.at(r.next(5))) << q(jobs.at(r.next(5)))
          << q(forms.at(r.next(4))) << q(birth) << q(entry) << QString::number(1 + r.next(9))
          << q(licences.at(r.next(5)));
        lines << f.join(',');
    }
    return lines;
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

bool copyFile(const QString& from, const QString& to)
{
    QFile::remove(to);
    if (!QFile::copy(from, to))
        return false;
    QFile::setPermissions(to, QFile::permissions(to) | QFileDevice::WriteOwner);
    return true;
}

struct RunTimes {
    double check = 0;    // read, decode, split and check the file
    double insert = 0;   // the one-transaction insertion
    double shell = 0;    // sqlite3 .import of the same rows
    double list = 0;     // the register's list of 10,000
    double total() const { return check + insert; }
};

double ms(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

bool oneRun(const QByteArray& cp932, const QByteArray& utf8, RunTimes& times)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        return false;
    if (!qgetenv("BENCH_KEEP").isEmpty()) {
        dir.setAutoRemove(false);
        std::fprintf(stderr, "kept %s\n", qPrintable(dir.path()));
    }
    QDir root(dir.path());
    for (const char* sub : {"DATA", "CSV"})
        root.mkpath(QString::fromLatin1(sub));
    const QString data = dir.path() + "/DATA/";
    if (!copyFile(QStringLiteral(WAGELOOM_FIXTURES "/SEIGYO.MDB"), data + "SEIGYO.MDB")
        || !copyFile(QStringLiteral(WAGELOOM_FIXTURES "/DATA.MDB"), data + "DATA.MDB")) {
        std::fprintf(stderr, "the supplied databases are missing under %s\n", WAGELOOM_FIXTURES);
        return false;
    }
    App().setExeFolder(dir.path());
    TFDM fdm;
    fdm.OpenDatabase(fdm.ACN1, data + "SEIGYO.MDB");
    if (!fdm.OpenOrCreateDatabase(fdm.ACN2, data + QString::number(Year) + "/DATA.MDB", data + "DATA.MDB", true))
        return false;

    const QString csv = dir.path() + "/CSV/employees.csv";
    const QString csvUtf8 = dir.path() + "/CSV/employees-utf8.csv";
    if (!writeBytes(csv, cp932) || !writeBytes(csvUtf8, utf8))
        return false;

    QElapsedTimer t;
    t.start();
    const ImportCheck check = CheckImportFile(csv);
    times.check = ms(t);
    if (!check.importable() || check.rows.size() != EmployeeCount) {
        std::fprintf(stderr, "the generated file did not check: %d errors, %d rows\n", check.errors,
                     int(check.rows.size()));
        return false;
    }
    t.restart();
    if (!ImportEmployees(fdm.ACN2, Kco, Year, check.rows, ImportMode::Add, QDate(2024, 4, 1)))
        return false;
    times.insert = ms(t);

    t.restart();
    TSyain_rec list;
    Project().CurrentCompany.KCO = QString::number(Kco);
    Project().CurrentCompany.NENDO = QString::number(Year);
    if (!LoadEmployeeList(0, list))
        return false;
    times.list = ms(t);
    if (list.items.size() != EmployeeCount) {
        std::fprintf(stderr, "the list holds %d employees\n", int(list.items.size()));
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
    times.shell = ms(t);
    QProcess count;
    count.start(QStringLiteral("sqlite3"), {data + "scratch.db", "SELECT count(*) FROM scratch"});
    count.waitForFinished(30000);
    if (count.readAllStandardOutput().trimmed() != QByteArray::number(EmployeeCount)) {
        std::fprintf(stderr, "the shell imported a different number of rows\n");
        return false;
    }
    fdm.ACN2.close();
    fdm.ACN1.close();
    return true;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QuietDialogs dialogs;
    InstallDialogService(&dialogs);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

    const QStringList lines = generatedLines();
    const QString text = lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    const QByteArray cp932 = ToCp932(text);
    const QByteArray utf8 = text.toUtf8();
    std::printf("%d employees, file %lld bytes (Shift-JIS), %lld bytes (UTF-8 for the shell)\n", EmployeeCount,
                qint64(cp932.size()), qint64(utf8.size()));
    std::printf("%4s %10s %10s %10s %10s %8s %10s\n", "run", "check ms", "insert ms", "import ms", "sqlite3 ms",
                "ratio", "list ms");

    std::vector<double> check, insert, total, shell, ratio, list;
    for (int i = 1; i <= runs; ++i) {
        RunTimes t;
        if (!oneRun(cp932, utf8, t)) {
            std::fprintf(stderr, "run %d failed\n", i);
            return 1;
        }
        std::printf("%4d %10.1f %10.1f %10.1f %10.1f %8.2f %10.1f\n", i, t.check, t.insert, t.total(), t.shell,
                    t.total() / t.shell, t.list);
        check.push_back(t.check);
        insert.push_back(t.insert);
        total.push_back(t.total());
        shell.push_back(t.shell);
        ratio.push_back(t.total() / t.shell);
        list.push_back(t.list);
    }
    std::printf("%4s %10.1f %10.1f %10.1f %10.1f %8.2f %10.1f\n", "med", median(check), median(insert),
                median(total), median(shell), median(ratio), median(list));
    auto least = [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); };
    std::printf("%4s %10.1f %10.1f %10.1f %10.1f %8.2f %10.1f\n", "min", least(check), least(insert), least(total),
                least(shell), least(total) / least(shell), least(list));
    // The verdict takes the larger of the median ratio and the ratio of the medians.
    const double ratioOfMedians = median(total) / median(shell);
    const double verdictRatio = std::max(median(ratio), ratioOfMedians);
    std::printf("import / sqlite3: median of the ratios %.2f, ratio of the medians %.2f\n", median(ratio),
                ratioOfMedians);
    std::printf("aim: import within 2x the shell (%s), list load under 50 ms (%s)\n",
                verdictRatio <= 2.0 ? "met" : "missed", median(list) < 50.0 ? "met" : "missed");
    return 0;
}
