// Compaction of every database file under the data folder.
#include "shell/Compaction.h"

#include "shell/RestorePoints.h"
#include "store/Connection.h"
#include "store/DataModule.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace {

void walk(const QString& folder, QStringList& out)
{
    const QDir dir(folder);
    const QFileInfoList entries = dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                                    QDir::Unsorted);
    for (const QFileInfo& e : entries) {
        if (e.isDir() && !e.isSymLink())
            walk(e.filePath(), out);
        else if (e.isFile() && e.fileName().toLower().endsWith(QLatin1String(".mdb")))
            out << e.filePath();
    }
}

QString bakPathOf(const QString& path)
{
    const QFileInfo info(path);
    return info.path() + '/' + info.completeBaseName() + QStringLiteral(".bak");
}

// VACUUM INTO writes a compacted copy of the database; false with the engine's text.
// A damaged or empty file is refused with the open-error message and left as it is:
// compacting it would turn it into a sound but empty or partial database.
bool vacuumInto(const QString& source, const QString& target, QString& error)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(source.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        error = QString::fromUtf8(db ? sqlite3_errmsg(db) : "cannot open");
        sqlite3_close(db);
        return false;
    }
    QString fault;
    if (sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK)
        fault = QString::fromUtf8(sqlite3_errmsg(db));
    else
        CheckDatabaseFile(db, source, &fault);
    if (!fault.isEmpty()) {
        sqlite3_close(db);
        error = OpenErrorText(source) + QStringLiteral("\r\n") + fault;
        return false;
    }
    sqlite3_stmt* st = nullptr;
    bool ok = sqlite3_prepare_v2(db, "VACUUM INTO ?", -1, &st, nullptr) == SQLITE_OK;
    if (ok) {
        const QByteArray t = target.toUtf8();
        sqlite3_bind_text(st, 1, t.constData(), int(t.size()), SQLITE_TRANSIENT);
        ok = sqlite3_step(st) == SQLITE_DONE;
    }
    if (!ok)
        error = QString::number(sqlite3_extended_errcode(db)) + ' ' + QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(st);
    sqlite3_close(db);
    return ok;
}

// Replaces path by bak through a temporary copy renamed into place.
bool copyBack(const QString& bak, const QString& path)
{
    const QString temp = path + QStringLiteral(".tmp");
    QFile::remove(temp);
    if (!QFile::copy(bak, temp))
        return false;
    QFile::setPermissions(temp, QFile::permissions(path) | QFileDevice::WriteOwner | QFileDevice::ReadOwner);
    if (std::rename(temp.toLocal8Bit().constData(), path.toLocal8Bit().constData()) != 0) {
        QFile::remove(temp);
        return false;
    }
    return true;
}

} // namespace

QStringList DatabaseFilesUnder(const QString& folder)
{
    QStringList out;
    walk(folder, out);
    // The copies of the restore points are not the program's data.
    const QString backups = QDir::cleanPath(RestorePointsFolder(folder + '/')) + '/';
    out.erase(std::remove_if(out.begin(), out.end(),
                             [&](const QString& path) { return QDir::cleanPath(path).startsWith(backups); }),
              out.end());
    return out;
}

QStringList LeftoverBackups(const QString& folder)
{
    QStringList out;
    for (const QString& path : DatabaseFilesUnder(folder))
        if (QFileInfo::exists(bakPathOf(path)))
            out << bakPathOf(path);
    return out;
}

CompactionResult CompactDatabases(const QString& folder,
                                  const QStringList& continueDespite)
{
    CompactionResult result;
    // Every file compacted below is saved in a restore point first.
    const Outcome saved = MakeRestorePoint(QDir::cleanPath(folder) + '/', CompactionRestorePoint(folder));
    if (!saved.ok) {
        result.outcome = CompactionResult::Failed;
        result.message = saved.text;
        return result;
    }
    for (const QString& path : DatabaseFilesUnder(folder)) {
        const QString bak = bakPathOf(path);
        if (QFileInfo::exists(bak)) {
            if (!continueDespite.contains(bak)) {
                result.skipped << path;
                continue;
            }
            QFile::remove(bak);
        }
        QString error;
        if (!vacuumInto(path, bak, error)) {
            QFile::remove(bak);
            result.outcome = CompactionResult::Failed;
            result.message = error;
            return result;
        }
        if (!copyBack(bak, path)) {
            result.outcome = CompactionResult::CopyBackFailed;
            result.message = QStringLiteral("圧縮処理の最終処理でエラーが発生しました。確認して下さい。");
            return result;
        }
        QFile::remove(bak);
        result.compacted << path;
    }
    return result;
}
