// The choice of the program folder: --folder, WAGELOOM_FOLDER, the executable's folder of a
// build tree, and the user folder of an installed program made once from the supplied files.
#include "shell/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A scratch tree with the three places a program can find itself in:
//   build/bin/           a build tree's program folder (DATA/SEIGYO.MDB beside the program)
//   usr/bin/             an installed program, its supplied files in usr/share/wageloom
//   home/.local/share/wageloom   the user folder (not there yet)
//   elsewhere/           a folder named by --folder or WAGELOOM_FOLDER
class ProgramFolderChoiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        writeFile(path("build/bin/DATA/SEIGYO.MDB"), "build control");
        writeFile(path("usr/share/wageloom/DATA/SEIGYO.MDB"), "supplied control");
        writeFile(path("usr/share/wageloom/DATA/DATA.MDB"), "supplied template");
        writeFile(path("usr/share/wageloom/DATA/2020/DATA.MDB"), "supplied 2020");
        writeFile(path("usr/share/wageloom/Report/PrintSalaryList.jfm"), "supplied template jfm");
        writeFile(path("usr/share/wageloom/WageloomSlim.html"), "supplied help");
        QDir().mkpath(path("usr/bin"));
        QDir().mkpath(path("elsewhere"));
    }

    QString path(const QString& relative) const { return root.filePath(relative); }
    QString slashed(const QString& relative) const { return path(relative) + '/'; }

    ProgramFolderInputs installed() const
    {
        return {path("usr/bin"), QString(), QString(), path("home/.local/share/wageloom")};
    }

    QTemporaryDir root;
};

TEST_F(ProgramFolderChoiceTest, OptionThenEnvironmentThenExecutableThenUserFolder)
{
    struct Case {
        const char* name;
        QString executable, environment, option;
        QString folder;
        ProgramFolderSource source;
    };
    const QString build = QStringLiteral("build/bin"), usr = QStringLiteral("usr/bin"),
                  elsewhere = QStringLiteral("elsewhere");
    const QList<Case> cases = {
        {"the build tree's own folder", build, {}, {}, slashed(build), ProgramFolderSource::Executable},
        {"the environment before the build tree", build, path(elsewhere), {}, slashed(elsewhere),
         ProgramFolderSource::Environment},
        {"the option before the environment", build, path("usr"), path(elsewhere), slashed(elsewhere),
         ProgramFolderSource::Option},
        {"the environment before the user folder", usr, path(elsewhere), {}, slashed(elsewhere),
         ProgramFolderSource::Environment},
        {"an installed program: the user folder", usr, {}, {}, slashed("home/.local/share/wageloom"),
         ProgramFolderSource::UserData},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramFolderChoice choice =
            ChooseProgramFolder({path(c.executable), c.environment, c.option, path("home/.local/share/wageloom")});
        EXPECT_TRUE(choice.outcome.ok) << choice.outcome.text.toStdString();
        EXPECT_EQ(choice.folder, QDir::fromNativeSeparators(c.folder));
        EXPECT_EQ(choice.source, c.source);
    }
    // Only the installed case touched the user folder.
    EXPECT_TRUE(QFileInfo::exists(path("home/.local/share/wageloom/DATA/SEIGYO.MDB")));
}

TEST_F(ProgramFolderChoiceTest, UserFolderIsMadeOnceFromTheSuppliedFiles)
{
    const QString user = path("home/.local/share/wageloom/");
    const ProgramFolderChoice first = ChooseProgramFolder(installed());
    ASSERT_TRUE(first.outcome.ok) << first.outcome.text.toStdString();
    EXPECT_TRUE(first.madeFromSuppliedFiles);
    EXPECT_TRUE(first.outcome.text.contains(QStringLiteral("プログラムフォルダを作りました")));
    for (const char* f : {"DATA/SEIGYO.MDB", "DATA/DATA.MDB", "DATA/2020/DATA.MDB", "Report/PrintSalaryList.jfm",
                          "WageloomSlim.html"})
        EXPECT_EQ(readFile(user + f), readFile(path("usr/share/wageloom/") + f)) << f;
    for (const char* d : {"CSV", "Picture", "Report"})
        EXPECT_TRUE(QFileInfo(user + d).isDir()) << d;

    // The user's own changes survive every later start, even when the supplied files change
    // (an upgrade): a deleted year stays deleted, a changed template stays changed.
    ASSERT_TRUE(QDir(user + "DATA/2020").removeRecursively());
    writeFile(user + "Report/PrintSalaryList.jfm", "the user's template");
    writeFile(path("usr/share/wageloom/DATA/SEIGYO.MDB"), "upgraded control");
    const ProgramFolderChoice second = ChooseProgramFolder(installed());
    ASSERT_TRUE(second.outcome.ok);
    EXPECT_FALSE(second.madeFromSuppliedFiles);
    EXPECT_TRUE(second.outcome.text.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(user + "DATA/2020"));
    EXPECT_EQ(readFile(user + "Report/PrintSalaryList.jfm"), "the user's template");
    EXPECT_EQ(readFile(user + "DATA/SEIGYO.MDB"), "supplied control");
}

TEST_F(ProgramFolderChoiceTest, AnUnfinishedUserFolderIsCompletedWithoutReplacingItsFiles)
{
    // A copy cut short left some files but not the control database, which comes last.
    const QString user = path("home/.local/share/wageloom/");
    writeFile(user + "Report/PrintSalaryList.jfm", "already there");
    const ProgramFolderChoice choice = ChooseProgramFolder(installed());
    ASSERT_TRUE(choice.outcome.ok) << choice.outcome.text.toStdString();
    EXPECT_TRUE(choice.madeFromSuppliedFiles);
    EXPECT_EQ(readFile(user + "Report/PrintSalaryList.jfm"), "already there");
    EXPECT_EQ(readFile(user + "DATA/SEIGYO.MDB"), "supplied control");
    EXPECT_EQ(readFile(user + "DATA/2020/DATA.MDB"), "supplied 2020");
}

TEST_F(ProgramFolderChoiceTest, FailuresNameTheFolder)
{
    struct Case {
        const char* name;
        ProgramFolderInputs inputs;
        ProgramFolderSource source;
        QString message;
    };
    // A file where the user folder should be: the folder cannot be made.
    writeFile(path("home/blocked"), "a file");
    const QList<Case> cases = {
        {"a --folder that is not there", {path("build/bin"), {}, path("missing"), path("home/u")},
         ProgramFolderSource::Option, QStringLiteral("プログラムフォルダがありません: ") + QDir::toNativeSeparators(path("missing"))},
        {"a WAGELOOM_FOLDER that is not there", {path("build/bin"), path("missing"), {}, path("home/u")},
         ProgramFolderSource::Environment, QStringLiteral("プログラムフォルダがありません: ")},
        {"neither a program folder nor supplied files beside the program", {path("elsewhere"), {}, {}, path("home/u")},
         ProgramFolderSource::UserData, QStringLiteral("プログラムフォルダが見つかりません。")},
        {"a user folder that cannot be made", {path("usr/bin"), {}, {}, path("home/blocked/wageloom")},
         ProgramFolderSource::UserData, QStringLiteral("プログラムフォルダを作れませんでした: ")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramFolderChoice choice = ChooseProgramFolder(c.inputs);
        EXPECT_FALSE(choice.outcome.ok);
        EXPECT_EQ(choice.source, c.source);
        EXPECT_TRUE(choice.folder.isEmpty());
        EXPECT_TRUE(choice.outcome.text.startsWith(c.message)) << choice.outcome.text.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(path("home/u")));
}

} // namespace
