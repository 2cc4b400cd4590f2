// The record access layer: insert, update, delete, read one, read all and save for
// every table, driven by the column lists of Records.h.
//
// Every routine takes the connection, a flag ownTransaction (begin before, commit
// after, roll back on failure) and returns true when nothing failed. Values are bound
// to placeholders; the statement text kept for messages shows them written in.
// On failure the layer shows the engine's text (and for writes the statement) in a
// message box with an empty caption, and the record's status says what happened.
#pragma once

#include "store/Connection.h"
#include "store/Records.h"

// A WHERE (and ORDER BY) tail with its bound values, for example
//   SqlCondition(" WHERE NENDO = ? AND KCO = ?", {2024, 3}).
// An empty condition makes a routine use its table's default condition.
struct SqlCondition {
    QString text;
    SqlValues values;

    SqlCondition() = default;
    SqlCondition(const QString& t, const SqlValues& v = {}) : text(t), values(v) {}
    SqlCondition(const char* t) : text(QString::fromUtf8(t)) {}
    bool isEmpty() const { return text.trimmed().isEmpty(); }
};

// A value as an SQL literal: NULL, a number, or a single-quoted text with quotes doubled.
QString SqlLiteral(const QVariant& value);
// The SQL of a stored value of a column as the layer reads it into a record and writes it
// back: null as an empty text, 0 or 0.0 (or "0" for a number-text column whose empty value
// reads "0"); a real in a rounded-real column rounded half away from zero. value is the SQL
// of the stored value. A statement that copies rows in SQL uses it to store what reading and
// writing the records would. A value of another type than its column's (a text or a real in
// an integer column), which the layer never writes, is left as stored.
QString ValueAsReadSql(FieldKind kind, const QString& value, bool emptyReadsAsZero = false);
// The statement with each '?' replaced by the literal of its value.
QString StatementWithValues(const QString& sql, const SqlValues& values);
// The last statement any routine of the layer built, values written in.
const QString& LastStatementText();

namespace recordaccess {
template <class R> bool insertRow(DbConnection&, bool, R&);
template <class R> bool updateRow(DbConnection&, bool, const SqlCondition&, R&);
template <class R> bool deleteRows(DbConnection&, bool, const SqlCondition&, R&);
template <class R> bool readOne(DbConnection&, bool, const SqlCondition&, const QString&, R&);
template <class R> bool readAll(DbConnection&, bool, const SqlCondition&, const QString&, RecList<R>&);
template <class R> bool saveRow(DbConnection&, bool, const SqlCondition&, R&);
template <class R> bool insertRows(DbConnection&, bool, RecList<R>&);
} // namespace recordaccess

template <class R>
bool Insert(DbConnection& cn, bool ownTransaction, R& rec)
{
    static_assert(TableOf<R>::ops & OpInsert, "this table has no insert routine");
    return recordaccess::insertRow(cn, ownTransaction, rec);
}

template <class R>
bool Update(DbConnection& cn, bool ownTransaction, const SqlCondition& condition, R& rec)
{
    static_assert(TableOf<R>::ops & OpUpdate, "this table has no update routine");
    return recordaccess::updateRow(cn, ownTransaction, condition, rec);
}

template <class R>
bool Delete(DbConnection& cn, bool ownTransaction, const SqlCondition& condition, R& rec)
{
    static_assert(TableOf<R>::ops & OpDelete, "this table has no delete routine");
    return recordaccess::deleteRows(cn, ownTransaction, condition, rec);
}

// Reads the first row of head + condition into rec. Not found: rec keeps its fields,
// ok false, rows 0, no message.
template <class R>
bool ReadOne(DbConnection& cn, bool ownTransaction, const SqlCondition& condition, const QString& head, R& rec)
{
    static_assert(TableOf<R>::ops & OpReadOne, "this table has no one-row read");
    return recordaccess::readOne(cn, ownTransaction, condition, head, rec);
}

template <class R>
bool ReadAll(DbConnection& cn, bool ownTransaction, const SqlCondition& condition, const QString& head,
             RecList<R>& list)
{
    static_assert(TableOf<R>::ops & OpReadAll, "this table has no all-row read");
    return recordaccess::readAll(cn, ownTransaction, condition, head, list);
}

// Inserts every row of the list in order, the statement prepared once (bulk copies).
template <class R>
bool InsertRows(DbConnection& cn, bool ownTransaction, RecList<R>& list)
{
    static_assert(TableOf<R>::ops & OpInsert, "this table has no insert routine");
    return recordaccess::insertRows(cn, ownTransaction, list);
}

// Update, then insert when the update matched no row.
template <class R>
bool Save(DbConnection& cn, bool ownTransaction, const SqlCondition& condition, R& rec)
{
    static_assert(TableOf<R>::ops & OpSave, "this table has no save routine");
    return recordaccess::saveRow(cn, ownTransaction, condition, rec);
}

// The employee pair: each routine writes MSYAIN1 and MSYAIN2 (with ownTransaction,
// both in one transaction). Reads through VSYAIN (or either table) recompute NENREI and
// KINZOKU as completed years up to ageReferenceDay (yyyymmdd: the project's reference date,
// or today; Session::ageReferenceDay()) and the six totals; the view's own columns are read
// when the head names VSYAIN.
bool Insert(DbConnection& cn, bool ownTransaction, TSyain_& rec);
bool InsertRows(DbConnection& cn, bool ownTransaction, TSyain_rec& list);
// Writes every employee of the list back to its own pair of rows (KCO, NENDO, SCO of the
// row), the statements prepared once; columns names the columns written (empty: all).
bool UpdateRows(DbConnection& cn, bool ownTransaction, TSyain_rec& list, const QStringList& columns = {});
bool Update(DbConnection& cn, bool ownTransaction, const SqlCondition& condition, TSyain_& rec);
bool Delete(DbConnection& cn, bool ownTransaction, const SqlCondition& condition, TSyain_& rec);
bool ReadOne(DbConnection& cn, bool ownTransaction, const SqlCondition& condition, const QString& head,
             TSyain_& rec, int ageReferenceDay);
bool ReadAll(DbConnection& cn, bool ownTransaction, const SqlCondition& condition, const QString& head,
             TSyain_rec& list, int ageReferenceDay);

// MCHART: reads the row of rec's KCO, NENDO, CHCO and KNO; when there is none, fills the
// creation defaults (axis names, units, pitches and SEX keep the caller's values) and
// inserts it.
bool GetOrCreateChart(DbConnection& cn, bool ownTransaction, const QString& head, TChart_& rec);
