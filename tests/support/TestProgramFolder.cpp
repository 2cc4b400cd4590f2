// A temporary program folder with fresh copies of the supplied databases.
#include "support/TestProgramFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

namespace {

void copyInto(const QString& from, const QString& to)
{
    QFile::remove(to);
    if (!QFile::copy(from, to))
        ADD_FAILURE() << "cannot copy " << from.toStdString() << " to " << to.toStdString();
    QFile::setPermissions(to, QFile::permissions(to) | QFileDevice::WriteOwner);
}

} // namespace

TestProgramFolder::TestProgramFolder()
{
    EXPECT_TRUE(dir_.isValid());
    QDir root(dir_.path());
    for (const char* sub : {"DATA", "CSV", "Picture", "Report"})
        root.mkpath(QString::fromLatin1(sub));
    const QString fixtures = QStringLiteral(WAGELOOM_FIXTURES);
    copyInto(fixtures + "/SEIGYO.MDB", dataPath("SEIGYO.MDB"));
    copyInto(fixtures + "/DATA.MDB", dataPath("DATA.MDB"));
    const QDir reports(QStringLiteral(WAGELOOM_SOURCE_DATA "/Report"));
    for (const QString& f : reports.entryList(QDir::Files))
        copyInto(reports.filePath(f), path("Report/" + f));

    const Outcome started = StartSession(session_, dir_.path(), fdm_.ACN1, fdm_.ACN2, QDate::currentDate());
    EXPECT_TRUE(started.ok) << started.text.toStdString();
    EXPECT_TRUE(fdm_.ACN1.isOpen());
    tellWindow();
}

TestProgramFolder::~TestProgramFolder()
{
    fdm_.ACN1.close();
    fdm_.ACN2.close();
    fdm_.ACN3.close();
}

QString TestProgramFolder::path(const QString& relative) const
{
    return dir_.path() + '/' + relative;
}

QString TestProgramFolder::dataPath(const QString& relative) const
{
    return dir_.path() + "/DATA/" + relative;
}

void TestProgramFolder::openYear(int year)
{
    const QString file = dataPath(QString::number(year) + "/DATA.MDB");
    ASSERT_TRUE(fdm_.OpenOrCreateDatabase(fdm_.ACN2, file, dataPath("DATA.MDB"), true));
    session_.fiscalYear = year;
}

void Exec(DbConnection& cn, const QString& sql)
{
    if (cn.execute(sql) < 0)
        ADD_FAILURE() << "statement failed: " << sql.toStdString() << ": "
                      << (cn.errors().isEmpty() ? std::string("?") : cn.errors().first().description.toStdString());
}

QString Scalar(DbConnection& cn, const QString& sql)
{
    auto r = cn.select(sql);
    if (!r) {
        ADD_FAILURE() << "select failed: " << sql.toStdString();
        return {};
    }
    if (!r->next())
        return {};
    return r->text(0);
}

// Every row of every table of a database file, in a stable order, as one text.
QString DumpDatabase(DbConnection& cn)
{
    QString out;
    QStringList tables;
    {
        auto names = cn.select(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
        while (names && names->next())
            tables << names->text(0);
    }
    for (const QString& t : tables) {
        out += "## " + t + '\n';
        auto rows = cn.select("SELECT * FROM [" + t + "] ORDER BY rowid");
        if (!rows) {
            out += "(unreadable)\n";
            continue;
        }
        while (rows->next()) {
            QStringList cells;
            for (int c = 0; c < rows->columnCount(); ++c)
                cells << (rows->isNull(c) ? QStringLiteral("NULL") : rows->text(c));
            out += cells.join('|') + '\n';
        }
    }
    return out;
}

QMap<QString, QByteArray> FilesUnder(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        files.insert(QDir(folder).relativeFilePath(path), f.readAll());
    }
    return files;
}
