// The choice of the program folder, and the making of the user's folder from the supplied
// files of an installed program.
#include "shell/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString ControlDatabase = QStringLiteral("DATA/SEIGYO.MDB");
// The folders every program folder has, made when missing.
const QStringList WorkFolders = {QStringLiteral("DATA"), QStringLiteral("CSV"), QStringLiteral("Picture"),
                                 QStringLiteral("Report")};

QString withSlash(const QString& folder)
{
    QString f = QDir::fromNativeSeparators(QFileInfo(folder).absoluteFilePath());
    if (!f.endsWith('/'))
        f += '/';
    return f;
}

bool holdsControlDatabase(const QString& folder)
{
    return !folder.isEmpty() && QFileInfo(QDir(folder).filePath(ControlDatabase)).isFile();
}

// A folder named by --folder or WAGELOOM_FOLDER: it must exist.
ProgramFolderChoice named(const QString& folder, ProgramFolderSource source)
{
    ProgramFolderChoice c;
    c.source = source;
    if (!QFileInfo(folder).isDir()) {
        c.outcome = Outcome::Failed(QStringLiteral("プログラムフォルダがありません: ") + QDir::toNativeSeparators(folder));
        return c;
    }
    c.folder = withSlash(folder);
    return c;
}

Outcome copyFailed(const QString& target, const QString& reason)
{
    return Outcome::Failed(QStringLiteral("プログラムフォルダを作れませんでした: ") + QDir::toNativeSeparators(target)
                           + (reason.isEmpty() ? QString() : QStringLiteral("\r\n") + reason));
}

// Copies one supplied file where it is missing; an existing file is left alone.
Outcome copyIfMissing(const QString& source, const QString& target, bool& copied)
{
    if (QFileInfo::exists(target))
        return Outcome::Done();
    if (!QDir().mkpath(QFileInfo(target).absolutePath()))
        return copyFailed(QFileInfo(target).absolutePath(), QString());
    QFile file(source);
    if (!file.copy(target))
        return copyFailed(target, file.errorString());
    copied = true;
    return Outcome::Done();
}

// Fills the user folder from the supplied files: every missing file, the control database
// last (it marks the folder as made).
Outcome fillFromSupplied(const QString& supplied, const QString& user, bool& copied)
{
    for (const QString& f : WorkFolders)
        if (!QDir().mkpath(user + f))
            return copyFailed(user + f, QString());
    QStringList files;
    QDirIterator it(supplied, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = QDir(supplied).relativeFilePath(it.next());
        if (relative != ControlDatabase)
            files << relative;
    }
    files.sort();
    files << ControlDatabase;
    for (const QString& relative : files) {
        const Outcome o = copyIfMissing(QDir(supplied).filePath(relative), user + relative, copied);
        if (!o.ok)
            return o;
    }
    return Outcome::Done();
}

} // namespace

QString SuppliedFilesFolder(const QString& executableFolder)
{
    return QDir::cleanPath(QDir(executableFolder).absoluteFilePath(QStringLiteral("../share/wageloom")));
}

QString UserProgramFolder()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return base.isEmpty() ? QString() : base + QStringLiteral("/wageloom");
}

ProgramFolderInputs ProgramFolderInputsOfProcess(const QString& optionFolder)
{
    ProgramFolderInputs in;
    in.executableFolder = QCoreApplication::applicationDirPath();
    in.environmentFolder = qEnvironmentVariable(ProgramFolderVariable);
    in.optionFolder = optionFolder;
    in.userFolder = UserProgramFolder();
    return in;
}

ProgramFolderChoice ChooseProgramFolder(const ProgramFolderInputs& in)
{
    if (!in.optionFolder.isEmpty())
        return named(in.optionFolder, ProgramFolderSource::Option);
    if (!in.environmentFolder.isEmpty())
        return named(in.environmentFolder, ProgramFolderSource::Environment);

    ProgramFolderChoice c;
    if (holdsControlDatabase(in.executableFolder)) {
        c.source = ProgramFolderSource::Executable;
        c.folder = withSlash(in.executableFolder);
        return c;
    }

    const QString supplied = SuppliedFilesFolder(in.executableFolder);
    c.source = ProgramFolderSource::UserData;
    if (!holdsControlDatabase(supplied)) {
        c.outcome = Outcome::Failed(
            QStringLiteral("プログラムフォルダが見つかりません。\r\n")
            + QDir::toNativeSeparators(QDir(in.executableFolder).filePath(ControlDatabase)) + QStringLiteral(" も ")
            + QDir::toNativeSeparators(QDir(supplied).filePath(ControlDatabase))
            + QStringLiteral(" もありません。\r\n--folder か環境変数 ") + QLatin1String(ProgramFolderVariable)
            + QStringLiteral(" でプログラムフォルダを指定して下さい。"));
        return c;
    }
    if (in.userFolder.isEmpty()) {
        c.outcome = copyFailed(QStringLiteral("~/.local/share/wageloom"),
                               QStringLiteral("利用者のデータフォルダが分かりません (HOME を確かめて下さい)。"));
        return c;
    }
    const QString user = withSlash(in.userFolder);
    if (!holdsControlDatabase(user)) {
        bool copied = false;
        const Outcome o = fillFromSupplied(withSlash(supplied), user, copied);
        if (!o.ok) {
            c.outcome = o;
            return c;
        }
        c.madeFromSuppliedFiles = copied;
        if (copied)
            c.outcome = Outcome::Done(QStringLiteral("プログラムフォルダを作りました: ") + QDir::toNativeSeparators(user));
    }
    c.folder = user;
    return c;
}
