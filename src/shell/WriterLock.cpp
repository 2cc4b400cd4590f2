// One writer at a time on a program folder: a lock file in its DATA folder.
#include "shell/WriterLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <sys/vfs.h>

namespace {

// The magic numbers statfs reports for the network file systems (linux/magic.h).
constexpr long NfsMagic = 0x6969;
constexpr long SmbMagic = 0x517B;
constexpr long CifsMagic = 0xFF534D42;
constexpr long Smb2Magic = 0xFE534D42;

} // namespace

QString WriterLockPath(const QString& dataFolder)
{
    return dataFolder + QStringLiteral("wageloom.lock");
}

QString HolderMessage(const LockHolder& holder, const QDate& today)
{
    const QString user = holder.user.isEmpty() ? QStringLiteral("他の利用者") : holder.user;
    const QString computer = holder.computer.isEmpty() ? QStringLiteral("不明なコンピューター") : holder.computer;
    QString since;
    if (holder.since.isValid()) {
        const QDateTime local = holder.since.toLocalTime();
        since = local.date() == today ? local.toString(QStringLiteral("HH:mm"))
                                      : local.toString(QStringLiteral("yyyy/MM/dd HH:mm"));
    }
    QString text = since.isEmpty() ? QStringLiteral("このデータは %1（%2）が使用中です。").arg(user, computer)
                                   : QStringLiteral("このデータは %1（%2）が %3 から使用中です。").arg(user, computer, since);
    return text + QStringLiteral("\r\n同時にデータを書き込めるのは一人だけです。");
}

WriterLock::WriterLock(const QString& dataFolder) : dataFolder_(dataFolder) {}

WriterLock::~WriterLock() = default;

Outcome WriterLock::take()
{
    if (held())
        return Outcome::Done();
    auto file = std::make_unique<QLockFile>(WriterLockPath(dataFolder_));
    // Never stale by age: only a lock whose process is gone from this computer is taken over.
    file->setStaleLockTime(0);
    if (file->tryLock(0)) {
        file_ = std::move(file);
        return Outcome::Done();
    }
    if (file->error() != QLockFile::LockFailedError)
        return Outcome::Failed(QStringLiteral("ロックファイルを作成できません。\r\n") + WriterLockPath(dataFolder_));
    LockHolder holder;
    QString appName;
    file->getLockInfo(&holder.pid, &holder.computer, &appName);
    const QFileInfo info(WriterLockPath(dataFolder_));
    holder.user = info.owner();
    holder.since = info.lastModified();
    return Outcome::Refused(HolderMessage(holder, QDate::currentDate()));
}

bool WriterLock::held() const
{
    return file_ && file_->isLocked();
}

void WriterLock::release()
{
    file_.reset();
}

QString NetworkFolderWarning(const QString& dataFolder)
{
    struct statfs fs {};
    if (statfs(QFile::encodeName(dataFolder).constData(), &fs) != 0)
        return {};
    const long type = long(fs.f_type);
    if (type != NfsMagic && type != SmbMagic && type != CifsMagic && type != Smb2Magic)
        return {};
    return QStringLiteral("データフォルダはネットワーク上にあります。\r\n")
           + QDir::toNativeSeparators(dataFolder)
           + QStringLiteral("\r\n複数のコンピューターから同時に使うとデータが壊れることがあります。"
                            "\r\n共有する場合は、一度に一台のコンピューターだけがこのプログラムを使い、"
                            "使い終わったら閉じてから次の人が開いてください。");
}
