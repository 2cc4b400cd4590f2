// The record access layer: one generic engine over the table descriptions.
#include "store/RecordAccess.h"

#include "store/Conversions.h"

#include <cmath>

namespace {

QString lastStatement;

// ---------------------------------------------------------------- values

// A number held as text, as the value to bind: null when empty, else an integer or a
// real. false when the text is not a number.
bool numberFromText(const QString& text, QVariant& out)
{
    // A view of the text without its blanks: no copy for each value bound.
    const QStringView t = QStringView(text).trimmed();
    if (t.isEmpty()) {
        out = QVariant();
        return true;
    }
    bool ok = false;
    const qint64 n = t.toLongLong(&ok);
    if (ok) {
        out = n;
        return true;
    }
    const double d = t.toDouble(&ok);
    if (ok && std::isfinite(d)) {
        out = d;
        return true;
    }
    return false;
}

// setValue writes in place when out already holds a value of the type (the prepared
// statements' value lists, row after row), where an assignment would make a new variant.
template <class R>
bool columnValue(const ColumnOf<R>& c, const R& rec, QVariant& out, QString& refusal)
{
    switch (c.kind) {
    case FieldKind::Text: {
        const QString& t = rec.*(c.text);
        out.setValue(t.isNull() ? QString(QLatin1String("")) : t);
        return true;
    }
    case FieldKind::NumText:
        if (numberFromText(rec.*(c.text), out))
            return true;
        refusal = QStringLiteral("数値項目 %1 に数値でない値 %2 があります。")
                      .arg(QString::fromUtf8(c.name), SqlLiteral(rec.*(c.text)));
        return false;
    case FieldKind::Int:
        out.setValue(qint64(rec.*(c.integer)));
        return true;
    case FieldKind::Real:
    case FieldKind::RealAsInt:
        out.setValue(rec.*(c.real));
        return true;
    }
    return false;
}

template <class R>
const ColumnOf<R>* findColumn(const TableDesc<R>& d, const QString& name)
{
    for (const ColumnOf<R>& c : d.columns)
        if (QString::fromUtf8(c.name) == name)
            return &c;
    return nullptr;
}

// ---------------------------------------------------------------- statements

// What a routine reports to its caller and the failure path.
struct CallState {
    DbConnection& cn;
    bool own;
    dbstatus_rec& status;
};

bool failure(const CallState& o, const QString& statementForMessage, int rowsOnFailure)
{
    const QString error = LastErrorText(o.cn);
    const QString message = statementForMessage.isEmpty() ? error : error + ' ' + statementForMessage;
    if (o.own)
        o.cn.rollback();
    ShowDbError(message);
    o.status.ok = false;
    o.status.message = message;
    o.status.rows = rowsOnFailure;
    return false;
}

// A refusal of our own before anything ran (a value that is not a number).
bool refusal(const CallState& o, const QString& reason, const QString& statement, int rowsOnFailure)
{
    o.cn.reportError(QStringLiteral("22018"), reason);
    return failure(o, statement, rowsOnFailure);
}

bool beginIfOwn(const CallState& o, int rowsOnFailure)
{
    if (o.own && !o.cn.begin())
        return failure(o, QString(), rowsOnFailure);
    return true;
}

bool commitIfOwn(const CallState& o, int rowsOnFailure)
{
    if (o.own && !o.cn.commit())
        return failure(o, QString(), rowsOnFailure);
    return true;
}

// Runs a write and fills the status; withStatement says whether a failure message
// shows the statement (inserts and updates do, deletes do not).
bool runWrite(const CallState& o, const QString& sql, const SqlValues& values, bool withStatement)
{
    lastStatement = StatementWithValues(sql, values);
    const int changed = o.cn.execute(sql, values);
    if (changed < 0)
        return failure(o, withStatement ? lastStatement : QString(), -1);
    o.status.ok = true;
    o.status.message.clear();
    o.status.rows = changed;
    return true;
}

template <class R>
bool defaultCondition(const TableDesc<R>& d, const R& rec, SqlCondition& out, QString& reason)
{
    QStringList parts;
    SqlValues values;
    for (const QString& key : d.keys) {
        const ColumnOf<R>* c = findColumn(d, key);
        QVariant v;
        if (!c || !columnValue(*c, rec, v, reason))
            return false;
        parts << key + QStringLiteral(" = ?");
        values << v;
    }
    out = SqlCondition(QStringLiteral(" where ") + parts.join(QStringLiteral("  and  ")), values);
    return true;
}

template <class R>
bool resolveCondition(const TableDesc<R>& d, const SqlCondition& given, const R& keysFrom, SqlCondition& out,
                      QString& reason)
{
    if (!given.isEmpty()) {
        out = given;
        return true;
    }
    return defaultCondition(d, keysFrom, out, reason);
}

template <class R>
bool insertInto(const CallState& o, const TableDesc<R>& d, const R& rec)
{
    QString sql = QStringLiteral("Insert into ") + QString::fromUtf8(d.table) + QStringLiteral(" Values(");
    SqlValues values;
    QString reason;
    for (size_t i = 0; i < d.columns.size(); ++i) {
        QVariant v;
        if (!columnValue(d.columns[i], rec, v, reason))
            return refusal(o, reason, sql + "...)", -1);
        values << v;
        sql += i ? QStringLiteral(",?") : QStringLiteral("?");
    }
    sql += ')';
    return runWrite(o, sql, values, true);
}

template <class R>
bool updateSet(const CallState& o, const TableDesc<R>& d, const SqlCondition& condition, const R& rec)
{
    QString sql = QStringLiteral("update ") + QString::fromUtf8(d.table) + QStringLiteral(" set ");
    SqlValues values;
    QString reason;
    bool first = true;
    for (const ColumnOf<R>& c : d.columns) {
        const QString name = QString::fromUtf8(c.name);
        if (d.notInUpdate.contains(name))
            continue;
        QVariant v;
        if (!columnValue(c, rec, v, reason))
            return refusal(o, reason, sql + "...", -1);
        if (!first)
            sql += ',';
        first = false;
        sql += (d.bracketed.contains(name) ? '[' + name + ']' : name) + QStringLiteral(" = ?");
        values << v;
    }
    sql += condition.text;
    values += condition.values;
    return runWrite(o, sql, values, true);
}

template <class R>
bool deleteFrom(const CallState& o, const TableDesc<R>& d, const SqlCondition& condition)
{
    const QString sql = QStringLiteral("DELETE from ") + QString::fromUtf8(d.table) + ' ' + condition.text;
    return runWrite(o, sql, condition.values, false);
}

// One table's insert prepared once for many rows; a failure message shows the row's
// statement with its values written in.
template <class R>
struct PreparedInsert {
    const TableDesc<R>& d;
    QString sql;
    std::unique_ptr<DbStatement> statement;
    SqlValues values;

    bool prepare(const CallState& o)
    {
        sql = QStringLiteral("Insert into ") + QString::fromUtf8(d.table) + QStringLiteral(" Values(");
        for (size_t i = 0; i < d.columns.size(); ++i)
            sql += i ? QStringLiteral(",?") : QStringLiteral("?");
        sql += ')';
        statement = o.cn.prepareStatement(sql);
        return statement ? true : failure(o, sql, -1);
    }
    bool run(const CallState& o, const R& rec)
    {
        // The values are written in place: the list keeps its size from row to row.
        values.resize(qsizetype(d.columns.size()));
        QString reason;
        for (size_t i = 0; i < d.columns.size(); ++i)
            if (!columnValue(d.columns[i], rec, values[qsizetype(i)], reason))
                return refusal(o, reason, sql, -1);
        if (statement->execute(values) < 0) {
            lastStatement = StatementWithValues(sql, values);
            return failure(o, lastStatement, -1);
        }
        return true;
    }
};

// One table's update prepared once for many rows, each row naming its own key values.
template <class R>
struct PreparedUpdate {
    const TableDesc<R>& d;
    QStringList only;   // the columns written; empty for every column of the update
    QString sql;
    std::unique_ptr<DbStatement> statement;
    SqlValues values;
    std::vector<const ColumnOf<R>*> written;   // the columns of the statement, in its order

    bool writes(const QString& name) const
    {
        return !d.notInUpdate.contains(name) && (only.isEmpty() || only.contains(name));
    }
    // Whether any column of the table is written at all.
    bool any() const
    {
        for (const ColumnOf<R>& c : d.columns)
            if (writes(QString::fromUtf8(c.name)))
                return true;
        return false;
    }

    bool prepare(const CallState& o, const QString& conditionText)
    {
        sql = QStringLiteral("update ") + QString::fromUtf8(d.table) + QStringLiteral(" set ");
        written.clear();
        for (const ColumnOf<R>& c : d.columns) {
            const QString name = QString::fromUtf8(c.name);
            if (!writes(name))
                continue;
            if (!written.empty())
                sql += ',';
            written.push_back(&c);
            sql += (d.bracketed.contains(name) ? '[' + name + ']' : name) + QStringLiteral(" = ?");
        }
        sql += conditionText;
        statement = o.cn.prepareStatement(sql);
        return statement ? true : failure(o, sql, -1);
    }
    bool run(const CallState& o, const R& rec, const SqlValues& conditionValues)
    {
        const qsizetype n = qsizetype(written.size());
        values.resize(n + conditionValues.size());
        QString reason;
        for (qsizetype i = 0; i < n; ++i)
            if (!columnValue(*written[size_t(i)], rec, values[i], reason))
                return refusal(o, reason, sql, -1);
        for (qsizetype i = 0; i < conditionValues.size(); ++i)
            values[n + i] = conditionValues[i];
        if (statement->execute(values) < 0) {
            lastStatement = StatementWithValues(sql, values);
            return failure(o, lastStatement, -1);
        }
        return true;
    }
};

// ---------------------------------------------------------------- reading

template <class R>
struct Mapped {
    const ColumnOf<R>* column;
    int index;
    bool emptyAsZero;
};

bool headMatches(const QString& head, const QStringList& texts)
{
    const QString h = head + ' ';
    for (const QString& t : texts)
        if (h.contains(t, Qt::CaseInsensitive))
            return true;
    return false;
}

template <class R>
void mapColumns(const TableDesc<R>& d, const QString& head, const DbResult& result, std::vector<Mapped<R>>& out)
{
    auto add = [&](const ColumnOf<R>& c) {
        const QString name = QString::fromUtf8(c.name);
        const int index = result.columnIndex(name);
        if (index >= 0)
            out.push_back({&c, index, d.emptyReadsAsZero.contains(name)});
    };
    for (const ColumnOf<R>& c : d.columns)
        if (!d.notReadByDefault.contains(QString::fromUtf8(c.name)))
            add(c);
    for (const ExtraColumns<R>& extra : d.extras)
        if (headMatches(head, extra.headContains))
            for (const ColumnOf<R>& c : extra.columns)
                add(c);
}

// The engine reads null as 0, 0.0 or an empty text, so each value takes one call.
template <class R>
void copyRow(const std::vector<Mapped<R>>& mapped, const DbResult& r, R& rec)
{
    for (const Mapped<R>& m : mapped) {
        const ColumnOf<R>& c = *m.column;
        switch (c.kind) {
        case FieldKind::Text:
            rec.*(c.text) = r.text(m.index);
            break;
        case FieldKind::NumText: {
            QString t = r.text(m.index);
            if (m.emptyAsZero && t.isEmpty())
                t = QStringLiteral("0");
            rec.*(c.text) = t;
            break;
        }
        case FieldKind::Int:
            rec.*(c.integer) = int(r.integer(m.index));
            break;
        case FieldKind::Real:
            rec.*(c.real) = r.real(m.index);
            break;
        case FieldKind::RealAsInt:
            rec.*(c.real) = double(std::llround(r.real(m.index)));
            break;
        }
    }
}

// Runs head + condition and hands each row to take(result); stops after the first row
// when onlyFirst. Returns false after a failure (status filled, message shown).
template <class Take>
bool runSelect(const CallState& o, const QString& head, const SqlCondition& condition, bool onlyFirst,
               int rowsOnFailure, Take take)
{
    const QString sql = head + condition.text;
    lastStatement = StatementWithValues(sql, condition.values);
    if (!beginIfOwn(o, rowsOnFailure))
        return false;
    std::unique_ptr<DbResult> result = o.cn.select(sql, condition.values);
    if (!result)
        return failure(o, QString(), rowsOnFailure);
    while (result->next()) {
        take(*result);
        if (onlyFirst)
            break;
    }
    if (result->failed())
        return failure(o, QString(), rowsOnFailure);
    result.reset();
    return commitIfOwn(o, rowsOnFailure);
}

// What a read derives beyond the stored columns. ageReferenceDay is the day ages and
// years of service count to (yyyymmdd); only the employee rows use it.
template <class R>
void afterRead(R&, int)
{
}

void afterRead(TSyain_& rec, int ageReferenceDay)
{
    rec.NENREI = YearsBetween(rec.SEIHI, ageReferenceDay);
    rec.KINZOKU = YearsBetween(rec.NYUHI, ageReferenceDay);
    rec.computeTotals();
}

// Which columns of a result fill a record: the table's own, or for an employee both
// tables and, through VSYAIN, the view's columns.
template <class R>
struct RowReader {
    std::vector<Mapped<R>> mapped;
    RowReader(const QString& head, const DbResult& r) { mapColumns(TableOf<R>::desc(), head, r, mapped); }
};

template <>
struct RowReader<TSyain_> {
    std::vector<Mapped<TSyain_>> mapped;
    RowReader(const QString& head, const DbResult& r)
    {
        mapColumns(EmployeeTables::msyain1(), head, r, mapped);
        // MSYAIN2's key columns are MSYAIN1's: read them once.
        std::vector<Mapped<TSyain_>> second;
        mapColumns(EmployeeTables::msyain2(), head, r, second);
        for (const Mapped<TSyain_>& m : second)
            if (!EmployeeTables::msyain2().notInUpdate.contains(QString::fromUtf8(m.column->name)))
                mapped.push_back(m);
        if (head.contains(QLatin1String("VSYAIN"), Qt::CaseInsensitive)) {
            for (const ColumnOf<TSyain_>& c : EmployeeTables::viewColumns()) {
                const int index = r.columnIndex(QString::fromUtf8(c.name));
                if (index >= 0)
                    mapped.push_back({&c, index, false});
            }
        }
    }
};

template <class R>
bool readOneRow(DbConnection& cn, bool own, const SqlCondition& condition, const QString& head, R& rec,
                const SqlCondition& resolved, int ageReferenceDay = 0)
{
    CallState o{cn, own, rec};
    bool found = false;
    R copy;
    const bool ran = runSelect(o, head, resolved, true, 0, [&](const DbResult& r) {
        RowReader<R> reader(head, r);
        copy = rec;
        copyRow(reader.mapped, r, copy);
        found = true;
    });
    if (!ran)
        return false;
    if (found) {
        static_cast<dbstatus_rec&>(copy) = dbstatus_rec{};
        rec = copy;
        afterRead(rec, ageReferenceDay);
        rec.ok = true;
        rec.rows = 1;
    } else {
        rec.ok = false;
        rec.rows = 0;
    }
    rec.message.clear();
    return true;
}

template <class R>
bool readAllRows(DbConnection& cn, bool own, const QString& head, RecList<R>& list, const SqlCondition& resolved,
                 int ageReferenceDay = 0)
{
    list.items.clear();
    CallState o{cn, own, list};
    std::unique_ptr<RowReader<R>> reader;
    const bool ran = runSelect(o, head, resolved, false, -1, [&](const DbResult& r) {
        if (!reader)
            reader = std::make_unique<RowReader<R>>(head, r);
        R rec;
        copyRow(reader->mapped, r, rec);
        afterRead(rec, ageReferenceDay);
        rec.ok = true;
        rec.rows = 1;
        list.items.push_back(std::move(rec));
    });
    if (!ran) {
        list.items.clear();
        return false;
    }
    list.ok = true;
    list.message.clear();
    list.rows = int(list.items.size());
    return true;
}

} // namespace

// ---------------------------------------------------------------- literals

QString SqlLiteral(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QStringLiteral("NULL");
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return QString::number(value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', 15);
    default: {
        QString t = value.toString();
        t.replace('\'', QStringLiteral("''"));
        return '\'' + t + '\'';
    }
    }
}

QString ValueAsReadSql(FieldKind kind, const QString& value, bool emptyReadsAsZero)
{
    // IFNULL is evaluated inline by SQLite, without a function call for each value.
    switch (kind) {
    case FieldKind::Text:
        return QStringLiteral("IFNULL(%1, '')").arg(value);
    case FieldKind::NumText:
        return emptyReadsAsZero ? QStringLiteral("IFNULL(%1, 0)").arg(value) : value;
    case FieldKind::Int:
        return QStringLiteral("IFNULL(%1, 0)").arg(value);
    case FieldKind::Real:
        return QStringLiteral("IFNULL(%1, 0.0)").arg(value);
    case FieldKind::RealAsInt:
        return QStringLiteral("round(IFNULL(%1, 0.0))").arg(value);
    }
    return value;
}

QString StatementWithValues(const QString& sql, const SqlValues& values)
{
    QString out;
    out.reserve(sql.size() + values.size() * 8);
    int next = 0;
    bool inString = false;
    for (QChar ch : sql) {
        if (ch == '\'')
            inString = !inString;
        if (ch == '?' && !inString && next < values.size())
            out += SqlLiteral(values.at(next++));
        else
            out += ch;
    }
    return out;
}

const QString& LastStatementText()
{
    return lastStatement;
}

// ---------------------------------------------------------------- generic routines

namespace recordaccess {

template <class R>
bool insertRow(DbConnection& cn, bool own, R& rec)
{
    const CallState o{cn, own, rec};
    if (!beginIfOwn(o, -1))
        return false;
    if (!insertInto(o, TableOf<R>::desc(), rec))
        return false;
    return commitIfOwn(o, -1);
}

template <class R>
bool updateRow(DbConnection& cn, bool own, const SqlCondition& condition, R& rec)
{
    const CallState o{cn, own, rec};
    const TableDesc<R>& d = TableOf<R>::desc();
    SqlCondition resolved;
    QString reason;
    if (!resolveCondition(d, condition, rec, resolved, reason))
        return refusal(o, reason, QStringLiteral("update ") + QString::fromUtf8(d.table), -1);
    if (!beginIfOwn(o, -1))
        return false;
    if (!updateSet(o, d, resolved, rec))
        return false;
    return commitIfOwn(o, -1);
}

template <class R>
bool deleteRows(DbConnection& cn, bool own, const SqlCondition& condition, R& rec)
{
    const CallState o{cn, own, rec};
    const TableDesc<R>& d = TableOf<R>::desc();
    SqlCondition resolved;
    QString reason;
    if (!resolveCondition(d, condition, rec, resolved, reason))
        return refusal(o, reason, QString(), -1);
    if (!beginIfOwn(o, -1))
        return false;
    if (!deleteFrom(o, d, resolved))
        return false;
    return commitIfOwn(o, -1);
}

template <class R>
bool readOne(DbConnection& cn, bool own, const SqlCondition& condition, const QString& head, R& rec)
{
    SqlCondition resolved;
    QString reason;
    if (!resolveCondition(TableOf<R>::desc(), condition, rec, resolved, reason))
        return refusal(CallState{cn, own, rec}, reason, QString(), 0);
    return readOneRow(cn, own, condition, head, rec, resolved);
}

template <class R>
bool readAll(DbConnection& cn, bool own, const SqlCondition& condition, const QString& head, RecList<R>& list)
{
    const TableDesc<R>& d = TableOf<R>::desc();
    SqlCondition resolved = condition;
    if (condition.isEmpty() && d.readAllUsesDefault) {
        QString reason;
        if (!defaultCondition(d, SharedRecord<R>(), resolved, reason)) {
            list.items.clear();
            return refusal(CallState{cn, own, list}, reason, QString(), -1);
        }
    }
    return readAllRows(cn, own, head, list, resolved);
}

template <class R>
bool saveRow(DbConnection& cn, bool own, const SqlCondition& condition, R& rec)
{
    if (!updateRow(cn, own, condition, rec))
        return false;
    if (rec.rows != 0)
        return true;
    return insertRow(cn, own, rec);
}

template <class R>
bool insertRows(DbConnection& cn, bool own, RecList<R>& list)
{
    const CallState o{cn, own, list};
    PreparedInsert<R> insert{TableOf<R>::desc(), {}, {}, {}};
    if (!beginIfOwn(o, -1) || !insert.prepare(o))
        return false;
    for (const R& rec : list.items)
        if (!insert.run(o, rec))
            return false;
    list.ok = true;
    list.message.clear();
    list.rows = int(list.items.size());
    return commitIfOwn(o, -1);
}

#define WL_INSTANTIATE(R)                                                                        \
    template bool insertRow<R>(DbConnection&, bool, R&);                                         \
    template bool updateRow<R>(DbConnection&, bool, const SqlCondition&, R&);                    \
    template bool deleteRows<R>(DbConnection&, bool, const SqlCondition&, R&);                   \
    template bool readOne<R>(DbConnection&, bool, const SqlCondition&, const QString&, R&);      \
    template bool readAll<R>(DbConnection&, bool, const SqlCondition&, const QString&, RecList<R>&); \
    template bool saveRow<R>(DbConnection&, bool, const SqlCondition&, R&);                      \
    template bool insertRows<R>(DbConnection&, bool, RecList<R>&);

WL_INSTANTIATE(TSeigyo_)
WL_INSTANTIATE(TKigyo1_)
WL_INSTANTIATE(TKigyo2_)
WL_INSTANTIATE(TMark_)
WL_INSTANTIATE(TGraph_)
WL_INSTANTIATE(TChart_)
WL_INSTANTIATE(TDChart_)
WL_INSTANTIATE(TSPDRAW_)
WL_INSTANTIATE(TCHNGIN_)
WL_INSTANTIATE(TMCHNGIN_)
WL_INSTANTIATE(TSCALE_)
WL_INSTANTIATE(T2JI_)
WL_INSTANTIATE(T3JI_)
WL_INSTANTIATE(TCHNGIN2_)
WL_INSTANTIATE(TMHYOUKA_)
WL_INSTANTIATE(TYHYOUKA_)
WL_INSTANTIATE(TSALARY_)
WL_INSTANTIATE(TSEIKEI_)
WL_INSTANTIATE(TMODEL_)
WL_INSTANTIATE(TMDCHNGIN_)
WL_INSTANTIATE(TBAND_)
WL_INSTANTIATE(TMATID_)
WL_INSTANTIATE(TMATCELL_)

} // namespace recordaccess

// ---------------------------------------------------------------- the employee pair

namespace {

bool employeeCondition(const SqlCondition& given, const TSyain_& rec, SqlCondition& out, QString& reason)
{
    return resolveCondition(EmployeeTables::msyain1(), given, rec, out, reason);
}

} // namespace

bool Insert(DbConnection& cn, bool own, TSyain_& rec)
{
    const CallState o{cn, own, rec};
    if (!beginIfOwn(o, -1))
        return false;
    if (!insertInto(o, EmployeeTables::msyain1(), rec) || !insertInto(o, EmployeeTables::msyain2(), rec))
        return false;
    return commitIfOwn(o, -1);
}

bool InsertRows(DbConnection& cn, bool own, TSyain_rec& list)
{
    const CallState o{cn, own, list};
    PreparedInsert<TSyain_> first{EmployeeTables::msyain1(), {}, {}, {}};
    PreparedInsert<TSyain_> second{EmployeeTables::msyain2(), {}, {}, {}};
    if (!beginIfOwn(o, -1) || !first.prepare(o) || !second.prepare(o))
        return false;
    for (const TSyain_& rec : list.items)
        if (!first.run(o, rec) || !second.run(o, rec))
            return false;
    list.ok = true;
    list.message.clear();
    list.rows = int(list.items.size());
    return commitIfOwn(o, -1);
}

bool UpdateRows(DbConnection& cn, bool own, TSyain_rec& list, const QStringList& columns)
{
    const CallState o{cn, own, list};
    const QString key = QStringLiteral(" WHERE KCO = ? AND NENDO = ? AND SCO = ?");
    PreparedUpdate<TSyain_> first{EmployeeTables::msyain1(), columns, {}, {}, {}};
    PreparedUpdate<TSyain_> second{EmployeeTables::msyain2(), columns, {}, {}, {}};
    const bool both[2] = {first.any(), second.any()};
    if (!beginIfOwn(o, -1) || (both[0] && !first.prepare(o, key)) || (both[1] && !second.prepare(o, key)))
        return false;
    for (const TSyain_& rec : list.items) {
        QVariant kco, nendo, sco;
        if (!numberFromText(rec.KCO, kco) || !numberFromText(rec.NENDO, nendo) || !numberFromText(rec.SCO, sco))
            return refusal(o, QStringLiteral("社員のキーが数値ではありません。"), first.sql, -1);
        const SqlValues keyValues{kco, nendo, sco};
        if ((both[0] && !first.run(o, rec, keyValues)) || (both[1] && !second.run(o, rec, keyValues)))
            return false;
    }
    list.ok = true;
    list.message.clear();
    list.rows = int(list.items.size());
    return commitIfOwn(o, -1);
}

bool Update(DbConnection& cn, bool own, const SqlCondition& condition, TSyain_& rec)
{
    const CallState o{cn, own, rec};
    SqlCondition resolved;
    QString reason;
    if (!employeeCondition(condition, rec, resolved, reason))
        return refusal(o, reason, QStringLiteral("update MSYAIN1"), -1);
    if (!beginIfOwn(o, -1))
        return false;
    if (!updateSet(o, EmployeeTables::msyain1(), resolved, rec))
        return false;
    const int rows1 = rec.rows;
    if (!updateSet(o, EmployeeTables::msyain2(), resolved, rec))
        return false;
    rec.rows = std::max(rows1, rec.rows);
    return commitIfOwn(o, -1);
}

bool Delete(DbConnection& cn, bool own, const SqlCondition& condition, TSyain_& rec)
{
    const CallState o{cn, own, rec};
    SqlCondition resolved;
    QString reason;
    if (!employeeCondition(condition, rec, resolved, reason))
        return refusal(o, reason, QString(), -1);
    if (!beginIfOwn(o, -1))
        return false;
    if (!deleteFrom(o, EmployeeTables::msyain1(), resolved))
        return false;
    const int rows1 = rec.rows;
    if (!deleteFrom(o, EmployeeTables::msyain2(), resolved))
        return false;
    rec.rows = std::max(rows1, rec.rows);
    return commitIfOwn(o, -1);
}

bool ReadOne(DbConnection& cn, bool own, const SqlCondition& condition, const QString& head, TSyain_& rec,
             int ageReferenceDay)
{
    SqlCondition resolved;
    QString reason;
    if (!employeeCondition(condition, rec, resolved, reason))
        return refusal(CallState{cn, own, rec}, reason, QString(), 0);
    return readOneRow(cn, own, condition, head, rec, resolved, ageReferenceDay);
}

bool ReadAll(DbConnection& cn, bool own, const SqlCondition& condition, const QString& head, TSyain_rec& list,
             int ageReferenceDay)
{
    SqlCondition resolved = condition;
    if (condition.isEmpty()) {
        QString reason;
        if (!employeeCondition(condition, SharedRecord<TSyain_>(), resolved, reason)) {
            list.items.clear();
            return refusal(CallState{cn, own, list}, reason, QString(), -1);
        }
    }
    return readAllRows(cn, own, head, list, resolved, ageReferenceDay);
}

// ---------------------------------------------------------------- chart get-or-create

bool GetOrCreateChart(DbConnection& cn, bool own, const QString& head, TChart_& rec)
{
    QVariant nendo, kco, chco;
    if (!numberFromText(rec.NENDO, nendo) || !numberFromText(rec.KCO, kco) || !numberFromText(rec.CHCO, chco))
        return refusal(CallState{cn, own, rec}, QStringLiteral("チャートのキーが数値ではありません。"), QString(), 0);
    const SqlCondition condition(
        QStringLiteral(" WHERE NENDO = ?   AND KCO   = ?   AND CHCO  = ?   AND KNO   = ?"),
        {nendo, kco, chco, qint64(rec.KNO)});
    if (!recordaccess::readOne(cn, own, condition, head, rec))
        return false;
    if (rec.ok)
        return true;
    rec.FCHK = QStringLiteral("000000000");
    rec.TOUKYU = QStringLiteral("000000000");
    rec.TITLE.clear();
    rec.FX = QStringLiteral("0");
    rec.FY = QStringLiteral("0");
    rec.MARKR = rec.X1 = rec.X2 = 0;
    rec.Y1 = rec.Y2 = 0;
    rec.FKINJI = rec.CGRAPH = 0;
    rec.SJYUN1 = rec.SJYUN2 = rec.SJYUN3 = rec.SJYUN4 = 0;
    rec.TOUKYU1 = 0;
    rec.KAISETSU.clear();
    rec.MIBUN = 0;
    rec.SKCO = 0;
    return recordaccess::insertRow(cn, own, rec);
}
