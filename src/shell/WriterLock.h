// One writer at a time on a program folder: a lock file in its DATA folder.
//
// The window and the batch tool take the lock before they first write to the folder and hold
// it while they run. A second writer is refused with a message naming the holder (user,
// computer, since when). A lock left behind by a process that died on this computer is
// taken over without asking; a lock of another computer is never judged stale by its age,
// because a window may rightly stay open for days.
#pragma once

#include "core/Outcome.h"

#include <QDateTime>
#include <QString>

#include <memory>

class QLockFile;

// The lock file of a DATA folder (with its trailing "/").
QString WriterLockPath(const QString& dataFolder);

// Who holds the lock, as the lock file tells it.
struct LockHolder {
    QString user;        // the login name that owns the lock file
    QString computer;    // the host name the lock file names
    QDateTime since;     // when the lock file was written
    qint64 pid = 0;
};

// 「このデータは 山田（PC-01）が 10:32 から使用中です。」; a day other than today adds its date.
QString HolderMessage(const LockHolder& holder, const QDate& today);

class WriterLock {
public:
    explicit WriterLock(const QString& dataFolder);
    ~WriterLock();
    WriterLock(const WriterLock&) = delete;
    WriterLock& operator=(const WriterLock&) = delete;

    // Takes the lock (a stale lock of this computer is removed first). Done when held;
    // Refused with HolderMessage when another process holds it; Failed when the lock file
    // cannot be written (the DATA folder is missing or read-only).
    Outcome take();
    bool held() const;
    void release();

private:
    QString dataFolder_;
    std::unique_ptr<QLockFile> file_;
};

// The warning for a DATA folder on a network file system (NFS, SMB/CIFS): several
// computers writing at once is unsafe there, and how to share safely. Empty when the folder
// is on a local disk or its file system cannot be told.
QString NetworkFolderWarning(const QString& dataFolder);
