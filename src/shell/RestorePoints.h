// Restore points: the database files an operation is about to write, copied beforehand
// with SQLite's online backup API into DATA/backup/<id>/, so that the operation can be
// taken back.
//
// A restore point is a folder named by the date, time and operation
// (20261210-103205-123-rollover) holding the copies at their paths below DATA
// (SEIGYO.MDB, 2020/DATA.MDB) and point.json, the description: company, year, operation,
// user, when, the files copied and the files that did not exist yet. The description is
// written last, so a folder without one (a copy cut short) is no restore point and goes
// with the next pruning. The newest KeptRestorePoints are kept.
//
// Restoring a point first makes a restore point of the present state of the same files
// (so that the restore can itself be undone), then puts every copied file back through the
// backup API (each file whole or not at all) and removes the files that did not exist
// when the point was made: restoring a rollover's point takes away the next year the
// rollover added, and the same rollover can be run again.
#pragma once

#include "core/Outcome.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

struct Session;

inline constexpr int KeptRestorePoints = 20;

// What a restore point is made for: the operation (its name in the folder name and its
// label for the user), the company and year it works on, and the files it will write,
// relative to the DATA folder ("SEIGYO.MDB", "2020/DATA.MDB").
struct RestorePointRequest {
    QString operation;      // "rollover", "import", "optimal-wage", "optimal-reset", "delete", "compact", "restore"
    QString label;          // 年次更新 ...
    int year = 0;
    int company = 0;
    QString companyName;
    QStringList files;
};

struct RestorePoint {
    QString id;             // the folder name
    QDateTime made;
    QString operation;
    QString label;
    int year = 0;
    int company = 0;
    QString companyName;
    QString user;
    QStringList files;      // copied, relative to DATA
    QStringList absent;     // did not exist when the point was made
};

// DATA/backup/ of a DATA folder (with its trailing "/").
QString RestorePointsFolder(const QString& dataFolder);

// The requests of the operations that take a restore point, for the session's program
// folder.
RestorePointRequest RolloverRestorePoint(int year, int company, const QString& companyName);
// An operation on the open project's year database (the optimal-wage write-back, リセット).
RestorePointRequest YearRestorePoint(const Session& s, const QString& operation, const QString& label);
RestorePointRequest CompanyDeletionRestorePoint(int year, int company, const QString& companyName);
// Every database file a compaction of the folder rewrites (backup/ aside).
RestorePointRequest CompactionRestorePoint(const QString& dataFolder);

// Copies the files of the request into a new restore point and prunes the oldest beyond
// KeptRestorePoints. A file that does not exist is recorded as absent. Done (with the new
// point's id in *id); Failed with the reason when a copy could not be made, in which case
// the operation must not go on (the half-made point is removed).
Outcome MakeRestorePoint(const QString& dataFolder, const RestorePointRequest& request, QString* id = nullptr);

// A restore point of one year database (DATA/<year>/DATA.MDB, as the connection of an
// operation names it) in the DATA folder it lies in.
Outcome MakeYearRestorePoint(const QString& yearDatabasePath, const QString& operation, const QString& label,
                             int year, int company);

// The restore points of the DATA folder, newest first.
QList<RestorePoint> ListRestorePoints(const QString& dataFolder);

// One line of a listing: the id first, then when, the operation, the year, the company and
// the user, separated by tabs.
QString RestorePointLine(const RestorePoint& point);

// Puts the point back as described above. The caller closes the connections it holds on
// the files beforehand. Refused for an unknown id; Failed when the present state could not
// be saved (nothing was changed) or a file could not be put back.
Outcome RestoreRestorePoint(const QString& dataFolder, const QString& id);

// Removes the restore points beyond the newest KeptRestorePoints, and folders without a
// description.
void PruneRestorePoints(const QString& dataFolder);
