// What the benchmarks share: generated employees, program folders, the bare sqlite3 read.
#include "BenchData.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstdio>

namespace {

// A small fixed generator, so every run reads the same employees.
struct Lcg {
    quint32 state = 20240401;
    quint32 next(quint32 bound)
    {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % bound;
    }
};

bool copyFile(const QString& from, const QString& to)
{
    QFile::remove(to);
    if (!QFile::copy(from, to))
        return false;
    QFile::setPermissions(to, QFile::permissions(to) | QFileDevice::WriteOwner);
    return true;
}

} // namespace

QStringList GeneratedEmployeeLines()
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
    lines.reserve(BenchEmployeeCount + 1);
    lines << QStringLiteral("社員番号,社員名,役職,性別,学歴,専攻,職務経験,社内身分,生年月日,入社日,賃金等級,公的資格");
    for (int i = 1; i <= BenchEmployeeCount; ++i) {
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

bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

bool MakeProgramFolder(QTemporaryDir& dir)
{
    if (!dir.isValid())
        return false;
    if (!qgetenv("BENCH_KEEP").isEmpty()) {
        dir.setAutoRemove(false);
        std::fprintf(stderr, "kept %s\n", qPrintable(dir.path()));
    }
    QDir root(dir.path());
    for (const char* sub : {"DATA", "CSV", "Picture"})
        root.mkpath(QString::fromLatin1(sub));
    const QString data = dir.path() + "/DATA/";
    if (!copyFile(QStringLiteral(WAGELOOM_FIXTURES "/SEIGYO.MDB"), data + "SEIGYO.MDB")
        || !copyFile(QStringLiteral(WAGELOOM_FIXTURES "/DATA.MDB"), data + "DATA.MDB")) {
        std::fprintf(stderr, "the supplied databases are missing under %s\n", WAGELOOM_FIXTURES);
        return false;
    }
    return true;
}

size_t BareReadBytes = 0;

double BareRegisterRead(const QString& path, int& rows, bool withFirstEmployee)
{
    QElapsedTimer t;
    t.start();
    rows = 0;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return -1;
    }
    auto readAll = [db](const char* sql, sqlite3_int64 sco) {
        sqlite3_stmt* st = nullptr;
        int n = 0;
        if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK)
            return -1;
        sqlite3_bind_int64(st, 1, BenchYear);
        sqlite3_bind_int64(st, 2, BenchKco);
        if (sco > 0)
            sqlite3_bind_int64(st, 3, sco);
        size_t bytes = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            const int columns = sqlite3_column_count(st);
            for (int c = 0; c < columns; ++c) {
                sqlite3_column_text(st, c);
                bytes += size_t(sqlite3_column_bytes(st, c));
            }
            ++n;
        }
        sqlite3_finalize(st);
        BareReadBytes += bytes;
        return n;
    };
    // The same columns, view and order as the register's list.
    rows = readAll("SELECT KCO, SCO, NENDO, SCOT, SNA, SEIHI, NYUHI, YAKU, HKIGOU, TOUKYU, GOUHOU, ZONEX, MLINK, "
                   "BANDID, YHYOUKA, KKYU1, KKYU2, KKYU3 FROM VSYAIN WHERE NENDO = ? AND KCO = ? ORDER BY KCO, SCO",
                   0);
    if (withFirstEmployee)
        readAll("SELECT * FROM VSYAIN WHERE NENDO = ? AND KCO = ? AND SCO = ?", 1);
    sqlite3_close(db);
    return Ms(t);
}

double Ms(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

double Median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

QList<TSyain_> PaidEmployees(int count, int marks)
{
    const QStringList family = {"山田", "佐藤", "鈴木", "高橋", "田中", "伊藤", "渡辺", "中村", "小林", "加藤"};
    const QStringList given = {"太郎", "花子", "一郎", "美咲", "健太", "陽子", "大輔", "愛", "翔", "由美"};
    QList<TSyain_> out;
    for (int i = 0; i < count; ++i) {
        TSyain_ e;
        e.MCO = 1 + i * marks / count;
        e.SCO = QString::number(i + 1);
        e.SCOT = QString::number(10001 + i);
        e.SNA = family[i % 10] + QStringLiteral("　") + given[(i / 10) % 10];
        e.SEIHI = 19600401 + (i % 40) * 10000;
        e.NYUHI = 19850401 + (i % 35) * 10000;
        e.KKYU1 = 180000 + (i * 37) % 150000;
        e.KKYU2 = 20000 + (i * 11) % 30000;
        e.KKYU3 = (i * 7) % 10000;
        e.TEATE1 = 10000 + (i * 13) % 20000;
        e.TEATE2 = (i * 3) % 5000;
        e.SYOUYO = 400000 + (i * 101) % 300000;
        e.SYOUYO2 = 450000 + (i * 103) % 300000;
        out << e;
    }
    return out;
}
