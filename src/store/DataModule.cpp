// TFDM: the data module that owns the three connections and their queries.
#include "store/DataModule.h"

#include "core/Outcome.h"
#include "store/Conversions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cassert>

namespace {
TFDM* current = nullptr;

void showOpenError(const QString& path)
{
    ReportFailure(Outcome::Failed(OpenErrorText(path)));
}

bool isOverflow(const DbConnection& connection)
{
    for (const DbError& e : connection.errors()) {
        if (e.state == QLatin1String("18") || e.description.contains(QLatin1String("overflow"), Qt::CaseInsensitive)
            || e.description.contains(QLatin1String("too big"), Qt::CaseInsensitive))
            return true;
    }
    return false;
}
} // namespace

QString OpenErrorText(const QString& path)
{
    return QStringLiteral("データベースのオープンでエラーが発生しました。　") + path;
}

TFDM::TFDM() : previous_(current)
{
    current = this;
}

TFDM::~TFDM()
{
    if (current == this)
        current = previous_;
}

TFDM& FDM()
{
    assert(current && "the data module is created first at start-up");
    return *current;
}

bool HasFDM()
{
    return current != nullptr;
}

void TFDM::OpenDatabase(DbConnection& connection, const QString& path)
{
    if (connection.isOpen())
        connection.close();
    if (!connection.open(path))
        showOpenError(path);
}

bool TFDM::OpenOrCreateDatabase(DbConnection& connection, const QString& path,
                                const QString& templatePath, bool mayCreate)
{
    const QFileInfo file(path);
    const QString folder = file.absolutePath();
    if (!QFileInfo::exists(folder)) {
        if (!mayCreate) {
            ReportFailure(Outcome::Failed(QStringLiteral("必要なデータベースが存在しません。")));
            return false;
        }
        if (!QDir().mkdir(folder)) {
            ReportFailure(Outcome::Failed(QStringLiteral("データベースの作成が出来ません。")));
            return false;
        }
    }
    if (!QFileInfo::exists(path)) {
        if (!mayCreate) {
            ReportFailure(Outcome::Failed(QStringLiteral("必要なデータベースが存在しません。")));
            return false;
        }
        // QFile::copy refuses to overwrite: a year database is never replaced.
        if (!QFile::copy(templatePath, path)) {
            ReportFailure(Outcome::Failed(QStringLiteral("データベースの作成が出来ません。")));
            return false;
        }
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
    }
    if (connection.isOpen())
        connection.close();
    if (!connection.open(path)) {
        showOpenError(path);
        return false;
    }
    return true;
}

bool TFDM::RunStatement(DbQuery& query, const QString& statement, QChar kind, const SqlValues& values)
{
    query.setText(statement, values);
    bool ok;
    if (kind == 'S')
        ok = query.open();
    else if (kind == 'E')
        ok = query.execute();
    else
        return true;
    if (ok)
        return true;
    query.close();
    if (isOverflow(query.connection()))
        ReportFailure(Outcome::Failed(QStringLiteral("ＳＱＬ処理でオーバーフローが発生しました。")));
    else
        ReportFailure(Outcome::Failed(QStringLiteral("ＳＱＬ処理で不明なエラーが発生しました。")));
    return false;
}
