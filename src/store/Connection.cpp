// Database connections and queries: the SQLite implementation.
#include "store/Connection.h"

#include "store/Conversions.h"

#include <sqlite3.h>

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStringEncoder>

#include <cstring>
#include <utility>
#include <vector>

namespace {

QString realText(double v)
{
    return QString::number(v, 'g', 15);
}

QString refusedWrites;
// Counts the calls of RefuseWrites: in-memory copies made under an earlier count are stale.
quint64 refusalCount = 0;

// YEARS_BETWEEN(date, reference): the completed years the record access layer derives for an
// employee's age and years of service (YearsBetween), for a statement that brings many rows
// up to date at once. Each argument is read as the layer reads an integer column.
void yearsBetweenFunction(sqlite3_context* context, int, sqlite3_value** args)
{
    auto integer = [](sqlite3_value* v) {
        if (sqlite3_value_type(v) == SQLITE_FLOAT)
            return int(qRound64(sqlite3_value_double(v)));
        return int(sqlite3_value_int64(v));
    };
    sqlite3_result_int64(context, YearsBetween(integer(args[0]), integer(args[1])));
}

} // namespace

void RefuseWrites(const QString& reason)
{
    refusedWrites = reason;
    ++refusalCount;
}

QString WritesRefusedReason()
{
    return refusedWrites;
}

class SqliteResult final : public DbResult {
public:
    SqliteResult(SqliteConnection& cn, sqlite3_stmt* st) : cn_(cn), st_(st)
    {
        const int n = sqlite3_column_count(st_);
        for (int i = 0; i < n; ++i) {
            const QString name = QString::fromUtf8(sqlite3_column_name(st_, i));
            names_ << name;
            const QString key = name.toUpper();
            if (!index_.contains(key))
                index_.insert(key, i);
        }
    }
    ~SqliteResult() override { sqlite3_finalize(st_); }

    bool next() override
    {
        if (done_)
            return false;
        const int rc = sqlite3_step(st_);
        if (rc == SQLITE_ROW)
            return true;
        done_ = true;
        if (rc != SQLITE_DONE) {
            failed_ = true;
            cn_.recordEngineError(rc);
        }
        return false;
    }
    bool failed() const override { return failed_; }
    int columnCount() const override { return names_.size(); }
    QString columnName(int column) const override { return names_.value(column); }
    int columnIndex(const QString& name) const override { return index_.value(name.toUpper(), -1); }
    bool isNull(int c) const override { return sqlite3_column_type(st_, c) == SQLITE_NULL; }
    qint64 integer(int c) const override
    {
        if (sqlite3_column_type(st_, c) == SQLITE_FLOAT)
            return qint64(qRound64(sqlite3_column_double(st_, c)));
        return sqlite3_column_int64(st_, c);
    }
    double real(int c) const override { return sqlite3_column_double(st_, c); }
    bool isReal(int c) const override { return sqlite3_column_type(st_, c) == SQLITE_FLOAT; }
    QVariant value(int c) const override
    {
        if (c < 0 || c >= names_.size())
            return {};
        switch (sqlite3_column_type(st_, c)) {
        case SQLITE_NULL:
            return {};
        case SQLITE_INTEGER:
            return qint64(sqlite3_column_int64(st_, c));
        case SQLITE_FLOAT:
            return sqlite3_column_double(st_, c);
        default:
            return text(c);
        }
    }
    QString text(int c) const override
    {
        switch (sqlite3_column_type(st_, c)) {
        case SQLITE_NULL:
            return {};
        case SQLITE_FLOAT:
            return realText(sqlite3_column_double(st_, c));
        case SQLITE_INTEGER:
            return QString::number(sqlite3_column_int64(st_, c));
        default:
            return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st_, c)),
                                     sqlite3_column_bytes(st_, c));
        }
    }

private:
    SqliteConnection& cn_;
    sqlite3_stmt* st_;
    QStringList names_;
    QHash<QString, int> index_;
    bool done_ = false;
    bool failed_ = false;
};

namespace {

quint32 bigEndian(const QByteArray& bytes, int at, int size)
{
    quint32 v = 0;
    for (int i = 0; i < size; ++i)
        v = (v << 8) | quint8(bytes.at(at + i));
    return v;
}

} // namespace

bool CheckDatabaseFile(sqlite3* db, const QString& path, QString* fault)
{
    auto refuse = [fault](const QString& why) {
        if (fault)
            *fault = why;
        return false;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(file.errorString());
    const qint64 size = file.size();
    const QByteArray header = file.read(100);
    file.close();
    // An empty file would open as an empty database: it holds no tables and is refused.
    if (size == 0)
        return refuse(QStringLiteral("the file is empty"));
    if (header.size() < 100 || !header.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return refuse(QStringLiteral("file is not a database"));
    // The page size is stored as 1 for 65536.
    quint32 pageSize = bigEndian(header, 16, 2);
    if (pageSize == 1)
        pageSize = 65536;
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0)
        return refuse(QStringLiteral("database disk image is malformed (page size)"));
    if (size % pageSize != 0)
        return refuse(QStringLiteral("database disk image is malformed (file cut short)"));
    // The header's page count is valid when its version stamp matches the change counter.
    const quint32 pages = bigEndian(header, 28, 4);
    if (pages != 0 && bigEndian(header, 92, 4) == bigEndian(header, 24, 4) && qint64(pages) * pageSize != size)
        return refuse(QStringLiteral("database disk image is malformed (page count)"));
    // quick_check reads every page once but skips the index comparisons of integrity_check.
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA quick_check(1)", -1, &st, nullptr) != SQLITE_OK)
        return refuse(QString::fromUtf8(sqlite3_errmsg(db)));
    const int rc = sqlite3_step(st);
    const QString verdict = rc == SQLITE_ROW ? QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)))
                                             : QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(st);
    if (verdict != QLatin1String("ok"))
        return refuse(verdict);
    return true;
}

SqliteConnection::~SqliteConnection()
{
    close();
}

void SqliteConnection::reportError(const QString& state, const QString& description)
{
    errors_.append({state, description});
}

void SqliteConnection::recordEngineError(int code)
{
    const int extended = db_ ? sqlite3_extended_errcode(db_) : code;
    const QString text = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString::fromUtf8(sqlite3_errstr(code));
    errors_.append({QString::number(extended ? extended : code), text});
}

bool SqliteConnection::open(const QString& path)
{
    close();
    errors_.clear();
    path_ = path;
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        errors_.append({QString::number(rc), db ? QString::fromUtf8(sqlite3_errmsg(db))
                                                : QString::fromUtf8(sqlite3_errstr(rc))});
        sqlite3_close(db);
        return false;
    }
    db_ = db;
    sqlite3_busy_timeout(db_, 2000);
    sqlite3_set_authorizer(db_, &SqliteConnection::noteChanges, this);
    sqlite3_create_function_v2(db_, "YEARS_BETWEEN", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                               &yearsBetweenFunction, nullptr, nullptr, nullptr);
    // Reading the schema proves the file is a database and not something else (and rolls
    // back a journal left by a killed process); then the file itself is checked, so that
    // a damaged file is refused here and never read as blank rows later.
    QString fault;
    if (!run("SELECT count(*) FROM sqlite_master") || !CheckDatabaseFile(db_, path, &fault)) {
        if (!fault.isEmpty())
            errors_.append({QString::number(SQLITE_CORRUPT), fault});
        const QList<DbError> kept = errors_;
        close();
        errors_ = kept;
        return false;
    }
    return true;
}

void SqliteConnection::close()
{
    if (db_) {
        if (depth_ > 0)
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
    depth_ = 0;
    inMemory_.clear();   // the TEMP schema went with the handle
}

bool SqliteConnection::ensureOpen()
{
    if (db_)
        return true;
    if (path_.isEmpty()) {
        errors_.append({QString::number(SQLITE_MISUSE), QStringLiteral("接続が開かれていません。")});
        return false;
    }
    const QList<DbError> before = errors_;
    if (open(path_))
        return true;
    errors_ = before + errors_;
    return false;
}

bool SqliteConnection::run(const char* sql)
{
    if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK)
        return true;
    recordEngineError(SQLITE_ERROR);
    return false;
}

bool SqliteConnection::begin()
{
    errors_.clear();
    if (!ensureOpen())
        return false;
    if (depth_ == 0 && !inMemory_.isEmpty() && (refusedWrites.isEmpty() || inMemoryCount_ != refusalCount))
        dropInMemoryCopies();
    const QByteArray sql = depth_ == 0 ? QByteArray("BEGIN") : "SAVEPOINT sp" + QByteArray::number(depth_);
    if (!run(sql.constData()))
        return false;
    ++depth_;
    return true;
}

bool SqliteConnection::commit()
{
    if (!db_ || depth_ == 0)
        return true;
    const QByteArray sql = depth_ == 1 ? QByteArray("COMMIT") : "RELEASE sp" + QByteArray::number(depth_ - 1);
    if (!run(sql.constData()))
        return false;
    --depth_;
    return true;
}

bool SqliteConnection::rollback()
{
    if (!db_ || depth_ == 0)
        return true;
    bool ok;
    if (depth_ == 1) {
        ok = sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr) == SQLITE_OK;
    } else {
        const QByteArray name = "sp" + QByteArray::number(depth_ - 1);
        ok = sqlite3_exec(db_, ("ROLLBACK TO " + name).constData(), nullptr, nullptr, nullptr) == SQLITE_OK
             && sqlite3_exec(db_, ("RELEASE " + name).constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    --depth_;
    return ok;
}

sqlite3_stmt* SqliteConnection::prepare(const QString& sql, const SqlValues& values)
{
    errors_.clear();
    if (!ensureOpen())
        return nullptr;
    if (depth_ == 0 && !inMemory_.isEmpty() && (refusedWrites.isEmpty() || inMemoryCount_ != refusalCount))
        dropInMemoryCopies();
    sqlite3_stmt* st = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    changesMemory_ = changesElsewhere_ = false;
    int rc = sqlite3_prepare_v2(db_, utf8.constData(), int(utf8.size()), &st, nullptr);
    if (rc != SQLITE_OK) {
        recordEngineError(rc);
        sqlite3_finalize(st);
        return nullptr;
    }
    if (!st) {
        reportError(QString::number(SQLITE_MISUSE), QStringLiteral("空の文です。"));
        return nullptr;
    }
    // Refused unless it changes no file: read-only, or changing the TEMP schema alone.
    if (!refusedWrites.isEmpty() && !sqlite3_stmt_readonly(st) && (!changesMemory_ || changesElsewhere_)) {
        sqlite3_finalize(st);
        reportError(QString::number(SQLITE_READONLY), refusedWrites);
        return nullptr;
    }
    if (!bind(st, values)) {
        sqlite3_finalize(st);
        return nullptr;
    }
    return st;
}

struct SqliteConnection::TextBuffers {
    QStringEncoder utf8{QStringEncoder::Utf8};
    std::vector<QByteArray> texts;   // one per placeholder; each keeps its capacity
};

bool SqliteConnection::bind(sqlite3_stmt* st, const SqlValues& values, TextBuffers* buffers)
{
    if (buffers && buffers->texts.size() < size_t(values.size()))
        buffers->texts.resize(size_t(values.size()));
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& v = values.at(i);
        const int pos = i + 1;
        int rc;
        // The types the record access layer binds, read straight from the variant.
        const int type = v.typeId();
        if (type == QMetaType::LongLong) {
            rc = sqlite3_bind_int64(st, pos, *static_cast<const qlonglong*>(v.constData()));
        } else if (type == QMetaType::Double) {
            rc = sqlite3_bind_double(st, pos, *static_cast<const double*>(v.constData()));
        } else if (v.isNull()) {
            rc = sqlite3_bind_null(st, pos);
        } else {
            switch (v.metaType().id()) {
            case QMetaType::Int:
            case QMetaType::LongLong:
            case QMetaType::UInt:
            case QMetaType::Bool:
                rc = sqlite3_bind_int64(st, pos, v.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(st, pos, v.toDouble());
                break;
            case QMetaType::QString:
                if (buffers) {
                    // The text in the database's own encoding, written into this
                    // placeholder's buffer, which stays until the statement has run: SQLite
                    // takes it without a conversion or a copy of its own. (A null pointer
                    // would bind NULL; an empty buffer's data() is an empty string.)
                    const QString& text = *static_cast<const QString*>(v.constData());
                    QByteArray& out = buffers->texts[size_t(i)];
                    out.resize(buffers->utf8.requiredSpace(text.size()));
                    const char* end = buffers->utf8.appendToBuffer(out.data(), text);
                    rc = sqlite3_bind_text(st, pos, out.constData(), int(end - out.constData()), SQLITE_STATIC);
                    break;
                }
                [[fallthrough]];
            default: {
                const QByteArray text = v.toString().toUtf8();
                rc = sqlite3_bind_text(st, pos, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            }
            }
        }
        if (rc != SQLITE_OK) {
            recordEngineError(rc);
            return false;
        }
    }
    return true;
}

// Steps a statement to its end; the rows changed, -1 on failure.
int SqliteConnection::stepToEnd(sqlite3_stmt* st)
{
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) {
        recordEngineError(rc);
        return -1;
    }
    return sqlite3_stmt_readonly(st) ? 0 : sqlite3_changes(db_);
}

std::unique_ptr<DbResult> SqliteConnection::select(const QString& sql, const SqlValues& values)
{
    sqlite3_stmt* st = prepare(sql, values);
    if (!st)
        return nullptr;
    return std::make_unique<SqliteResult>(*this, st);
}

int SqliteConnection::execute(const QString& sql, const SqlValues& values)
{
    sqlite3_stmt* st = prepare(sql, values);
    if (!st)
        return -1;
    const int changed = stepToEnd(st);
    sqlite3_finalize(st);
    return changed;
}

int SqliteConnection::noteChanges(void* connection, int action, const char*, const char*, const char* schema,
                                  const char*)
{
    auto* self = static_cast<SqliteConnection*>(connection);
    switch (action) {
    case SQLITE_READ:
    case SQLITE_SELECT:
    case SQLITE_FUNCTION:
    case SQLITE_RECURSIVE:
    case SQLITE_TRANSACTION:
    case SQLITE_SAVEPOINT:
        break;   // reading, and the transaction statements (sqlite3_stmt_readonly judges BEGIN IMMEDIATE)
    case SQLITE_INSERT:
    case SQLITE_UPDATE:
    case SQLITE_DELETE:
    case SQLITE_CREATE_TEMP_TABLE:
    case SQLITE_DROP_TEMP_TABLE:
    case SQLITE_CREATE_TEMP_INDEX:
    case SQLITE_DROP_TEMP_INDEX:
        if (schema && std::strcmp(schema, "temp") == 0) {
            self->changesMemory_ = true;
            break;
        }
        [[fallthrough]];
    default:
        self->changesElsewhere_ = true;
        break;
    }
    return SQLITE_OK;
}

bool DbConnection::keepInMemoryWhileWritesRefused(const QStringList&)
{
    return false;
}

bool SqliteConnection::keepInMemoryWhileWritesRefused(const QStringList& tables)
{
    if (refusedWrites.isEmpty())
        return true;
    static const QRegularExpression createTable(QStringLiteral("^\\s*CREATE\\s+TABLE\\s+"),
                                                QRegularExpression::CaseInsensitiveOption);
    for (const QString& table : tables) {
        if (inMemory_.contains(table, Qt::CaseInsensitive))
            continue;
        // The table's definition as the file holds it, made a TEMP table of the same name.
        QString definition;
        {
            auto found = select(QStringLiteral("SELECT sql FROM main.sqlite_master WHERE type = 'table' AND name = ? "
                                               "COLLATE NOCASE"),
                                {table});
            if (!found)
                return false;
            if (found->next())
                definition = found->text(0);
            if (found->failed())
                return false;
        }
        const QRegularExpressionMatch head = createTable.match(definition);
        if (!head.hasMatch()) {
            reportError(QString::number(SQLITE_ERROR), QStringLiteral("no such table: ") + table);
            return false;
        }
        definition.replace(0, head.capturedLength(), QStringLiteral("CREATE TEMP TABLE "));
        const QString quoted = '"' + QString(table).replace('"', QStringLiteral("\"\"")) + '"';
        if (!begin())
            return false;
        if (execute(definition) < 0
            || execute(QStringLiteral("INSERT INTO temp.%1 SELECT * FROM main.%1").arg(quoted)) < 0) {
            const QList<DbError> failed = errors_;
            rollback();
            errors_ = failed;
            return false;
        }
        if (!commit())
            return false;
        inMemory_ << table;
        inMemoryCount_ = refusalCount;
    }
    return true;
}

void SqliteConnection::dropInMemoryCopies()
{
    for (const QString& table : std::exchange(inMemory_, {})) {
        const QByteArray sql = "DROP TABLE IF EXISTS temp.\"" + table.toUtf8() + '"';
        sqlite3_exec(db_, sql.constData(), nullptr, nullptr, nullptr);
    }
}

// ---------------------------------------------------------------- prepared statements

namespace {

// The fallback for connections without prepared statements: the text run each time.
class TextStatement final : public DbStatement {
public:
    TextStatement(DbConnection& cn, const QString& sql) : cn_(cn), sql_(sql) {}
    int execute(const SqlValues& values) override { return cn_.execute(sql_, values); }

private:
    DbConnection& cn_;
    QString sql_;
};

} // namespace

std::unique_ptr<DbStatement> DbConnection::prepareStatement(const QString& sql)
{
    return std::make_unique<TextStatement>(*this, sql);
}

class SqliteStatement final : public DbStatement {
public:
    SqliteStatement(SqliteConnection& cn, sqlite3_stmt* st) : cn_(cn), st_(st) {}
    ~SqliteStatement() override { sqlite3_finalize(st_); }

    int execute(const SqlValues& values) override
    {
        cn_.errors_.clear();
        sqlite3_reset(st_);
        // Every parameter is bound anew when the values cover them all.
        if (values.size() != sqlite3_bind_parameter_count(st_))
            sqlite3_clear_bindings(st_);
        if (!cn_.bind(st_, values, &texts_))
            return -1;
        const int changed = cn_.stepToEnd(st_);
        sqlite3_reset(st_);
        return changed;
    }

private:
    SqliteConnection& cn_;
    sqlite3_stmt* st_;
    SqliteConnection::TextBuffers texts_;
};

std::unique_ptr<DbStatement> SqliteConnection::prepareStatement(const QString& sql)
{
    sqlite3_stmt* st = prepare(sql, {});
    if (!st)
        return nullptr;
    return std::make_unique<SqliteStatement>(*this, st);
}

void DbQuery::setText(const QString& sql, const SqlValues& values)
{
    close();
    text_ = sql;
    values_ = values;
}

bool DbQuery::open()
{
    result_.reset();
    atEnd_ = true;
    result_ = connection_->select(text_, values_);
    if (!result_)
        return false;
    atEnd_ = !result_->next();
    if (result_->failed()) {
        result_.reset();
        return false;
    }
    return true;
}

bool DbQuery::execute()
{
    close();
    rowsAffected_ = connection_->execute(text_, values_);
    return rowsAffected_ >= 0;
}

void DbQuery::close()
{
    result_.reset();
    atEnd_ = true;
}

void DbQuery::next()
{
    if (result_ && !atEnd_)
        atEnd_ = !result_->next();
}

QVariant DbQuery::value(const QString& name) const
{
    return result_ && !atEnd_ ? result_->value(name) : QVariant();
}

QVariant DbQuery::value(int column) const
{
    return result_ && !atEnd_ ? result_->value(column) : QVariant();
}
