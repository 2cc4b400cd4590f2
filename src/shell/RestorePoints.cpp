// Restore points: copies of the database files an operation is about to write.
#include "shell/RestorePoints.h"

#include "shell/Compaction.h"
#include "shell/Session.h"
#include "store/Connection.h"
#include "store/DataModule.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>

#include <pwd.h>
#include <unistd.h>

namespace {

const QString DescriptionName = QStringLiteral("point.json");

// The login name of the user running the program.
QString CurrentUser()
{
    if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
    return qEnvironmentVariable("USER");
}

QString yearFile(int year)
{
    return QString::number(year) + QStringLiteral("/DATA.MDB");
}

// Copies the database at from into to (created, or replaced page by page) with the online
// backup API: a consistent copy even while other connections read from it, and on the
// target one transaction, so that the target is either whole and new or as it was.
// fastTarget: the target is a fresh copy of our own, written without a journal and
// without waiting for the disk (a copy cut short is never described, hence never used).
bool backupDatabase(const QString& from, const QString& to, bool fastTarget, QString& error)
{
    sqlite3* source = nullptr;
    sqlite3* target = nullptr;
    auto fail = [&](sqlite3* db, int rc = SQLITE_OK) {
        error = QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory");
        // A damaged or foreign file is told as the store tells it when it will not open.
        const int code = rc != SQLITE_OK ? rc : (db ? sqlite3_errcode(db) : SQLITE_OK);
        if ((code & 0xff) == SQLITE_CORRUPT || (code & 0xff) == SQLITE_NOTADB)
            error = OpenErrorText(from) + QStringLiteral("\r\n") + error;
        sqlite3_close(source);
        sqlite3_close(target);
        return false;
    };
    if (sqlite3_open_v2(from.toUtf8().constData(), &source, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        return fail(source);
    if (sqlite3_open_v2(to.toUtf8().constData(), &target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
        != SQLITE_OK)
        return fail(target);
    sqlite3_busy_timeout(source, 5000);
    sqlite3_busy_timeout(target, 5000);
    if (fastTarget
        && sqlite3_exec(target, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF", nullptr, nullptr, nullptr)
               != SQLITE_OK)
        return fail(target);
    sqlite3_backup* backup = sqlite3_backup_init(target, "main", source, "main");
    if (!backup)
        return fail(target);
    int rc = SQLITE_OK;
    // Busy or locked: another connection is writing; the step is tried again for a while.
    for (int tries = 0; tries < 100; ++tries) {
        rc = sqlite3_backup_step(backup, -1);
        if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED)
            break;
        sqlite3_sleep(50);
    }
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE)
        return fail(target, rc);
    sqlite3_close(source);
    if (sqlite3_close(target) != SQLITE_OK) {
        error = QStringLiteral("close failed");
        return false;
    }
    return true;
}

QStringList toStrings(const QJsonValue& v)
{
    QStringList out;
    for (const QJsonValue& e : v.toArray())
        out << e.toString();
    return out;
}

bool readPoint(const QString& folder, RestorePoint& p)
{
    QFile file(folder + '/' + DescriptionName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject())
        return false;
    const QJsonObject o = doc.object();
    p.id = QFileInfo(folder).fileName();
    p.made = QDateTime::fromString(o.value(QStringLiteral("made")).toString(), Qt::ISODateWithMs);
    p.operation = o.value(QStringLiteral("operation")).toString();
    p.label = o.value(QStringLiteral("label")).toString();
    p.year = o.value(QStringLiteral("year")).toInt();
    p.company = o.value(QStringLiteral("company")).toInt();
    p.companyName = o.value(QStringLiteral("companyName")).toString();
    p.user = o.value(QStringLiteral("user")).toString();
    p.files = toStrings(o.value(QStringLiteral("files")));
    p.absent = toStrings(o.value(QStringLiteral("absent")));
    return true;
}

bool writeDescription(const QString& folder, const RestorePoint& p)
{
    QJsonObject o;
    o.insert(QStringLiteral("made"), p.made.toString(Qt::ISODateWithMs));
    o.insert(QStringLiteral("operation"), p.operation);
    o.insert(QStringLiteral("label"), p.label);
    o.insert(QStringLiteral("year"), p.year);
    o.insert(QStringLiteral("company"), p.company);
    o.insert(QStringLiteral("companyName"), p.companyName);
    o.insert(QStringLiteral("user"), p.user);
    o.insert(QStringLiteral("files"), QJsonArray::fromStringList(p.files));
    o.insert(QStringLiteral("absent"), QJsonArray::fromStringList(p.absent));
    QSaveFile file(folder + '/' + DescriptionName);
    return file.open(QIODevice::WriteOnly) && file.write(QJsonDocument(o).toJson()) >= 0 && file.commit();
}

// A relative path that stays below the DATA folder.
bool isInside(const QString& relative)
{
    const QString clean = QDir::cleanPath(relative);
    return !clean.isEmpty() && !QDir::isAbsolutePath(clean) && !clean.startsWith(QLatin1String(".."));
}

Outcome makePoint(const QString& dataFolder, const RestorePointRequest& request, QString* id)
{
    if (!WritesRefusedReason().isEmpty())
        return Outcome::Refused(WritesRefusedReason());
    const QString root = RestorePointsFolder(dataFolder);
    if (!QDir().mkpath(root))
        return Outcome::Failed(QStringLiteral("復元ポイントのフォルダを作成できません。\r\n")
                               + QDir::toNativeSeparators(root));
    // Named by the time to the millisecond; a name already taken moves on by a millisecond,
    // so that the names sort as the points were made.
    QDateTime made = QDateTime::currentDateTime();
    const QDir rootDir(root);
    const auto stamp = [](const QDateTime& t) { return t.toString(QStringLiteral("yyyyMMdd-HHmmss-zzz-")); };
    // A later point never sorts before an earlier one: the stamp moves past the newest.
    const QStringList taken = rootDir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed);
    if (!taken.isEmpty() && stamp(made) <= taken.first().left(20)) {
        const QDateTime newest = QDateTime::fromString(taken.first().left(19), QStringLiteral("yyyyMMdd-HHmmss-zzz"));
        if (newest.isValid())
            made = newest.addMSecs(1);
    }
    const QString name = stamp(made) + request.operation;
    const QString folder = root + name;

    RestorePoint point;
    point.id = name;
    point.made = made;
    point.operation = request.operation;
    point.label = request.label;
    point.year = request.year;
    point.company = request.company;
    point.companyName = request.companyName;
    point.user = CurrentUser();

    auto abandon = [&](const QString& text) {
        QDir(folder).removeRecursively();
        return Outcome::Failed(QStringLiteral("復元ポイントを作成できませんでした。処理を中止します。\r\n") + text);
    };
    if (!QDir().mkpath(folder))
        return abandon(QDir::toNativeSeparators(folder));
    for (const QString& file : request.files) {
        if (!isInside(file))
            return abandon(file);
        const QString live = dataFolder + file;
        if (!QFileInfo::exists(live)) {
            point.absent << file;
            continue;
        }
        const QString copy = folder + '/' + file;
        QString error;
        if (!QDir().mkpath(QFileInfo(copy).absolutePath()) || !backupDatabase(live, copy, true, error))
            return abandon(QDir::toNativeSeparators(live) + QStringLiteral("\r\n") + error);
        point.files << file;
    }
    if (!writeDescription(folder, point))
        return abandon(QDir::toNativeSeparators(folder + '/' + DescriptionName));
    if (id)
        *id = name;
    return Outcome::Done();
}

} // namespace

QString RestorePointsFolder(const QString& dataFolder)
{
    return dataFolder + QStringLiteral("backup/");
}

RestorePointRequest RolloverRestorePoint(int year, int company, const QString& companyName)
{
    // The control database gains the company's row of the next year, the year closed has its
    // ages brought up to date, and the next year's database gains the company (or is made).
    return {QStringLiteral("rollover"), QStringLiteral("年次更新"), year, company, companyName,
            {QStringLiteral("SEIGYO.MDB"), yearFile(year), yearFile(year + 1)}};
}

RestorePointRequest YearRestorePoint(const Session& s, const QString& operation, const QString& label)
{
    return {operation, label, s.fiscalYear, s.companyCode, s.companyName, {yearFile(s.fiscalYear)}};
}

RestorePointRequest CompanyDeletionRestorePoint(int year, int company, const QString& companyName)
{
    return {QStringLiteral("delete"), QStringLiteral("企業削除"), year, company, companyName,
            {QStringLiteral("SEIGYO.MDB"), yearFile(year)}};
}

RestorePointRequest CompactionRestorePoint(const QString& dataFolder)
{
    RestorePointRequest request{QStringLiteral("compact"), QStringLiteral("データベース圧縮"), 0, 0, QString(), {}};
    const QDir data(dataFolder);
    for (const QString& path : DatabaseFilesUnder(dataFolder))
        request.files << data.relativeFilePath(path);
    request.files.sort();
    return request;
}

Outcome MakeYearRestorePoint(const QString& yearDatabasePath, const QString& operation, const QString& label,
                             int year, int company)
{
    const QFileInfo file(yearDatabasePath);
    QDir data = file.absoluteDir();
    data.cdUp();
    return MakeRestorePoint(data.absolutePath() + '/',
                            {operation, label, year, company, QString(), {data.relativeFilePath(file.absoluteFilePath())}});
}

Outcome MakeRestorePoint(const QString& dataFolder, const RestorePointRequest& request, QString* id)
{
    const Outcome made = makePoint(dataFolder, request, id);
    if (made.ok)
        PruneRestorePoints(dataFolder);
    return made;
}

QList<RestorePoint> ListRestorePoints(const QString& dataFolder)
{
    QList<RestorePoint> points;
    const QDir root(RestorePointsFolder(dataFolder));
    for (const QFileInfo& e : root.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        RestorePoint p;
        if (readPoint(e.absoluteFilePath(), p))
            points << p;
    }
    // The names begin with the time they were made: newest first is the names backwards.
    std::sort(points.begin(), points.end(), [](const RestorePoint& a, const RestorePoint& b) { return a.id > b.id; });
    return points;
}

QString RestorePointLine(const RestorePoint& p)
{
    const QString company = p.company ? QString::number(p.company) + ' ' + p.companyName : QStringLiteral("-");
    const QString year = p.year ? QString::number(p.year) + QStringLiteral("年度") : QStringLiteral("-");
    return QStringList{p.id, p.made.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")), p.label, year, company, p.user}
        .join('\t');
}

void PruneRestorePoints(const QString& dataFolder)
{
    const QDir root(RestorePointsFolder(dataFolder));
    QStringList described;
    for (const QFileInfo& e : root.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (QFileInfo::exists(e.absoluteFilePath() + '/' + DescriptionName))
            described << e.fileName();
        else
            QDir(e.absoluteFilePath()).removeRecursively();
    }
    std::sort(described.begin(), described.end(), std::greater<>());
    for (int i = KeptRestorePoints; i < described.size(); ++i)
        QDir(root.filePath(described[i])).removeRecursively();
}

Outcome RestoreRestorePoint(const QString& dataFolder, const QString& id)
{
    RestorePoint point;
    if (id.isEmpty() || id.contains('/') || id.contains('\\') || id.startsWith('.')
        || !readPoint(RestorePointsFolder(dataFolder) + id, point))
        return Outcome::Refused(QStringLiteral("復元ポイントがありません: ") + id);
    for (const QString& f : point.files + point.absent)
        if (!isInside(f))
            return Outcome::Refused(QStringLiteral("復元ポイントの内容が正しくありません: ") + id);

    // The present state first, so that this restore can be taken back; it is not pruned
    // before the restore, which may be putting back the oldest point.
    RestorePointRequest present{QStringLiteral("restore"), QStringLiteral("復元"), point.year, point.company,
                                point.companyName, point.files + point.absent};
    const Outcome saved = makePoint(dataFolder, present, nullptr);
    if (!saved.ok)
        return saved;

    const QString folder = RestorePointsFolder(dataFolder) + id + '/';
    QStringList failed;
    for (const QString& file : point.files) {
        const QString live = dataFolder + file;
        QString error;
        if (!QDir().mkpath(QFileInfo(live).absolutePath()) || !backupDatabase(folder + file, live, false, error))
            failed << QDir::toNativeSeparators(live) + ' ' + error;
    }
    for (const QString& file : point.absent) {
        const QString live = dataFolder + file;
        if (QFileInfo::exists(live) && !QFile::remove(live)) {
            failed << QDir::toNativeSeparators(live);
            continue;
        }
        QFile::remove(live + QStringLiteral("-journal"));
        // A year folder the operation made goes with its file when nothing else is in it.
        const QString parent = QFileInfo(live).absolutePath();
        if (QDir(parent) != QDir(dataFolder))
            QDir().rmdir(parent);
    }
    PruneRestorePoints(dataFolder);
    if (!failed.isEmpty())
        return Outcome::Failed(QStringLiteral("復元できなかったファイルがあります。\r\n") + failed.join(QStringLiteral("\r\n")));
    return Outcome::Done(QStringLiteral("復元しました。(") + point.made.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"))
                         + QStringLiteral(" ") + point.label + QStringLiteral(" の前の状態)"));
}
