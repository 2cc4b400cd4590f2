// Several writes as one all-or-nothing unit, on one connection or over two database files.
#include "store/Transactions.h"

#include "store/Conversions.h"

#include <QUrl>

namespace {

// The schema name the second file is attached under; statements never need it.
const QString attachedSchema = QStringLiteral("attached_file");

// Both files keep a rollback journal: a commit over files in WAL mode is atomic per file
// only. journal_mode answers the mode in force, "delete" when the change took.
bool usesRollbackJournal(DbConnection& cn, const QString& schema)
{
    auto mode = cn.select(QStringLiteral("PRAGMA %1.journal_mode = DELETE").arg(schema));
    if (!mode || !mode->next())
        return false;
    if (mode->text(0).compare(QLatin1String("delete"), Qt::CaseInsensitive) == 0)
        return true;
    cn.reportError(QStringLiteral("1"), QStringLiteral("ジャーナルモードを変更出来ません。(%1)").arg(mode->text(0)));
    return false;
}

} // namespace

bool InTransaction(DbConnection& cn, const std::function<bool()>& work)
{
    if (!cn.begin()) {
        ShowDbError(LastErrorText(cn));
        return false;
    }
    if (!work()) {
        cn.rollback();
        return false;
    }
    if (!cn.commit()) {
        ShowDbError(LastErrorText(cn));
        cn.rollback();
        return false;
    }
    return true;
}

bool InTwoFileTransaction(DbConnection& cn, const QString& attachedPath, const std::function<bool()>& work)
{
    if (cn.execute(QStringLiteral("ATTACH DATABASE ? AS ") + attachedSchema, {attachedPath}) < 0) {
        ShowDbError(LastErrorText(cn) + ' ' + attachedPath);
        return false;
    }
    bool ok = usesRollbackJournal(cn, QStringLiteral("main")) && usesRollbackJournal(cn, attachedSchema);
    if (!ok)
        ShowDbError(LastErrorText(cn));
    else
        ok = InTransaction(cn, work);
    // Detaching cannot fail outside a transaction unless a statement is still open on the
    // file; the attachment then goes with the connection's next close.
    cn.execute(QStringLiteral("DETACH DATABASE ") + attachedSchema);
    return ok;
}

ReadOnlyAttachment::ReadOnlyAttachment(DbConnection& cn, const QString& path, const QString& schema)
    : cn_(cn), schema_(schema)
{
    // A URI with mode=ro: SQLite opens the file for reading only, whatever the statements.
    QUrl uri = QUrl::fromLocalFile(path);
    uri.setQuery(QStringLiteral("mode=ro"));
    attached_ = cn.execute(QStringLiteral("ATTACH DATABASE ? AS ") + schema, {uri.toString(QUrl::FullyEncoded)}) >= 0;
    if (!attached_)
        ShowDbError(LastErrorText(cn) + ' ' + path);
}

ReadOnlyAttachment::~ReadOnlyAttachment()
{
    if (attached_)
        cn_.execute(QStringLiteral("DETACH DATABASE ") + schema_);
}
