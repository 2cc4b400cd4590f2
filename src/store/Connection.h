// Database connections and queries: a small interface, with SQLite behind it.
#pragma once

#include <QList>
#include <QStringList>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <memory>

struct sqlite3;
struct sqlite3_stmt;

// One entry of a connection's error list: the engine's state code and its description.
struct DbError {
    QString state;
    QString description;
};

// Values bound to the '?' placeholders of a statement; a null QVariant binds NULL.
using SqlValues = QVariantList;

// The rows of one SELECT, read forward only. Values are null or typed (integer, real, text).
class DbResult {
public:
    virtual ~DbResult() = default;
    // Moves to the next row (the first on the first call); false at the end or on failure.
    virtual bool next() = 0;
    // True when reading a row failed; the connection's error list says why.
    virtual bool failed() const = 0;
    virtual int columnCount() const = 0;
    virtual QString columnName(int column) const = 0;
    // Position of a column by name (case-insensitive, first match), -1 when absent.
    virtual int columnIndex(const QString& name) const = 0;

    virtual bool isNull(int column) const = 0;
    virtual qint64 integer(int column) const = 0;
    virtual double real(int column) const = 0;
    // The value as text; reals in their shortest general form ("8", not "8.0").
    virtual QString text(int column) const = 0;
    // True when the stored value is a real number.
    virtual bool isReal(int column) const = 0;
    // The value as it is stored: null, qint64, double or QString.
    virtual QVariant value(int column) const = 0;
    QVariant value(const QString& name) const { return value(columnIndex(name)); }
};

// A statement prepared once and run many times with different values (bulk writes).
// It belongs to the connection that prepared it and must not outlive it.
class DbStatement {
public:
    virtual ~DbStatement() = default;
    // Runs the statement with the values bound; rows affected, -1 on failure (the
    // connection's error list says why).
    virtual int execute(const SqlValues& values) = 0;
};

class DbConnection {
public:
    virtual ~DbConnection() = default;

    // Opens an existing database file; false (and an error entry) when that fails,
    // a damaged, cut-short or empty file included.
    virtual bool open(const QString& path) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // The file last opened (or tried); statements on a closed connection reopen it.
    virtual QString path() const = 0;

    // Transactions nest: the outermost begin starts one, inner ones set save points.
    virtual bool begin() = 0;
    virtual bool commit() = 0;
    virtual bool rollback() = 0;
    virtual int transactionDepth() const = 0;

    // Runs a SELECT; nullptr on failure.
    virtual std::unique_ptr<DbResult> select(const QString& sql, const SqlValues& values = {}) = 0;
    // Runs a statement without result; the number of rows affected, -1 on failure.
    virtual int execute(const QString& sql, const SqlValues& values = {}) = 0;
    // Prepares a statement for repeated execution; nullptr on failure. Connections that
    // cannot keep prepared statements run execute(sql, values) each time.
    virtual std::unique_ptr<DbStatement> prepareStatement(const QString& sql);

    // While writes are refused (RefuseWrites): keeps the named tables of this connection in
    // memory. Each table not yet kept is copied once, its definition and rows, into the
    // connection's TEMP schema; from then on statements that name it read and change that
    // copy, and the file is never touched. The copies go as soon as writes are allowed again,
    // or refused anew (before the next statement), so nothing changed in them is ever taken
    // for stored and a later read-only use copies the file afresh.
    // Does nothing while writes are allowed. false when a copy could not be made (or the
    // connection cannot keep tables in memory).
    virtual bool keepInMemoryWhileWritesRefused(const QStringList& tables);

    // The errors of the last call (empty after a success).
    virtual const QList<DbError>& errors() const = 0;
    // Adds an error of our own (for example a value refused before binding).
    virtual void reportError(const QString& state, const QString& description) = 0;
};

// Read-only use of the program folder (another program holds its writer lock): while
// reason is set, every statement that would change a database file is refused before it
// runs, with reason as its error; an empty reason allows writes again. Process-wide.
// The one exception is a statement that changes nothing but the connection's TEMP schema
// (the in-memory copies of keepInMemoryWhileWritesRefused): it runs, as no file changes.
void RefuseWrites(const QString& reason);
// The reason writes are refused; empty when they are allowed.
QString WritesRefusedReason();

// Checks that the open handle db holds a whole, sound database file at path: a header of
// SQLite's format, a length that agrees with the page size and the header's page count,
// and SQLite's quick check. true when sound; otherwise false with the reason in fault.
bool CheckDatabaseFile(sqlite3* db, const QString& path, QString* fault = nullptr);

// A SQLite connection. Its statements may call YEARS_BETWEEN(date, reference): the completed
// years from one yyyymmdd day to another, by the rule the record access layer derives an
// employee's age and years of service with (YearsBetween in store/Conversions.h).
class SqliteConnection final : public DbConnection {
public:
    SqliteConnection() = default;
    ~SqliteConnection() override;
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    bool open(const QString& path) override;
    void close() override;
    bool isOpen() const override { return db_ != nullptr; }
    QString path() const override { return path_; }

    bool begin() override;
    bool commit() override;
    bool rollback() override;
    int transactionDepth() const override { return depth_; }

    std::unique_ptr<DbResult> select(const QString& sql, const SqlValues& values = {}) override;
    int execute(const QString& sql, const SqlValues& values = {}) override;
    std::unique_ptr<DbStatement> prepareStatement(const QString& sql) override;

    const QList<DbError>& errors() const override { return errors_; }
    void reportError(const QString& state, const QString& description) override;

    bool keepInMemoryWhileWritesRefused(const QStringList& tables) override;

    sqlite3* handle() const { return db_; }

private:
    friend class SqliteResult;
    friend class SqliteStatement;
    bool ensureOpen();
    bool run(const char* sql);
    sqlite3_stmt* prepare(const QString& sql, const SqlValues& values);
    // The UTF-8 forms of a prepared statement's texts, kept from row to row (TextBuffers in
    // Connection.cpp).
    struct TextBuffers;
    // Binds values to the placeholders; with texts, each text is converted into its buffer
    // and bound in place (the buffers outlive the step), else SQLite copies it.
    bool bind(sqlite3_stmt* st, const SqlValues& values, TextBuffers* texts = nullptr);
    int stepToEnd(sqlite3_stmt* st);
    void recordEngineError(int code);
    // What the statement being prepared changes, as SQLite's authorizer tells it.
    static int noteChanges(void* connection, int action, const char* arg1, const char* arg2, const char* schema,
                           const char* trigger);
    // The copies of keepInMemoryWhileWritesRefused dropped once writes are allowed again.
    void dropInMemoryCopies();

    sqlite3* db_ = nullptr;
    bool changesMemory_ = false;     // the statement being prepared changes the TEMP schema
    bool changesElsewhere_ = false;  // ... or anything else (a file, an attachment, a setting)
    QStringList inMemory_;           // tables kept in memory while writes are refused
    quint64 inMemoryCount_ = 0;      // the RefuseWrites call they were copied under
    QString path_;
    int depth_ = 0;
    QList<DbError> errors_;
};

// A query on a connection: one statement at a time, opened as a row set ('S') or
// executed ('E'). The data module's Query1, Query21, ... are of this kind.
class DbQuery {
public:
    explicit DbQuery(DbConnection& connection) : connection_(&connection) {}

    DbConnection& connection() const { return *connection_; }
    void setText(const QString& sql, const SqlValues& values = {});
    const QString& text() const { return text_; }

    bool open();     // SELECT; positioned on the first row
    bool execute();  // no result; rowsAffected() tells how many rows changed
    void close();

    bool isOpen() const { return result_ != nullptr; }
    bool eof() const { return !result_ || atEnd_; }
    void next();
    int rowsAffected() const { return rowsAffected_; }

    QVariant value(const QString& name) const;
    QVariant value(int column) const;
    DbResult* result() const { return result_.get(); }

private:
    DbConnection* connection_;
    QString text_;
    SqlValues values_;
    std::unique_ptr<DbResult> result_;
    bool atEnd_ = true;
    int rowsAffected_ = 0;
};
