// Year rollover: one company's project of a fiscal year carried into the next fiscal year.
#include "raise/YearRollover.h"

#include "core/Numbers.h"
#include "paygap/PayGapStore.h"
#include "shell/RestorePoints.h"
#include "store/Conversions.h"
#include "store/DataModule.h"
#include "store/RecordAccess.h"
#include "store/Transactions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <functional>

namespace {

SqlCondition companyOfYear(int year, int company)
{
    return SqlCondition(QStringLiteral(" WHERE NENDO = ? AND KCO = ?"), {qint64(year), qint64(company)});
}

// The company's rows of a table in the year, inserted into the new year with NENDO + 1.
template <class R>
bool copyTable(DbConnection& from, DbConnection& to, const char* table, int year, int company)
{
    RecList<R> rows;
    if (!ReadAll(from, false, companyOfYear(year, company),
                 QStringLiteral("SELECT * FROM ") + QString::fromUtf8(table), rows))
        return false;
    const QString next = QString::number(year + 1);
    for (R& r : rows.items)
        r.NENDO = next;
    return InsertRows(to, false, rows);
}

// BANDM: the band definition text is not among the columns a plain read fills, so it is
// read beside the rows and put back before they are written.
bool copyBands(DbConnection& from, DbConnection& to, int year, int company)
{
    RecList<TBAND_> rows;
    const SqlCondition where = companyOfYear(year, company);
    if (!ReadAll(from, false, where, QStringLiteral("SELECT * FROM BANDM"), rows))
        return false;
    const QString sql = QStringLiteral("SELECT BANDID, BANDTEIGI FROM BANDM") + where.text;
    auto texts = from.select(sql, where.values);
    if (!texts) {
        ShowDbError(LastErrorText(from) + ' ' + StatementWithValues(sql, where.values));
        return false;
    }
    QHash<QString, QString> definitions;
    while (texts->next())
        definitions.insert(texts->text(0), texts->text(1));
    if (texts->failed()) {
        ShowDbError(LastErrorText(from));
        return false;
    }
    const QString next = QString::number(year + 1);
    for (TBAND_& r : rows.items) {
        r.NENDO = next;
        r.BANDTEIGI = definitions.value(r.BANDID.trimmed());
    }
    return InsertRows(to, false, rows);
}

// MSEIKEI: the new year's rows are replaced by every row of the source, unchanged.
bool copyCostOfLiving(DbConnection& from, DbConnection& to)
{
    TSEIKEI_ none;
    RecList<TSEIKEI_> rows;
    return Delete(to, false, SqlCondition(QStringLiteral(" WHERE 1 = 1")), none)
           && ReadAll(from, false, SqlCondition(QStringLiteral(" ORDER BY rowid")), QStringLiteral("SELECT * FROM MSEIKEI"), rows)
           && InsertRows(to, false, rows);
}

// The day a company's ages and years of service count to: today when its FNK says so,
// else its reference date KDATE (yyyymmdd).
int ageReferenceDayOf(const TKigyo1_& row, const QDate& today)
{
    return AgeReferenceDay(WholeNumberOrZero(row.FNK) != 0, int(WholeNumberOrZero(row.KDATE)), today);
}

// MKIGYOU1, read from and written to the control database (attached to the new year's
// connection, so the unqualified name reaches it): NENDO + 1, SDATE = today and the
// reference date a year later.
bool copyCompanyRow(DbConnection& cn, int year, int company, const QDate& today)
{
    RecList<TKigyo1_> rows;
    if (!ReadAll(cn, false, companyOfYear(year, company), QStringLiteral("SELECT * FROM MKIGYOU1"), rows))
        return false;
    for (TKigyo1_& r : rows.items) {
        r.NENDO = QString::number(year + 1);
        r.SDATE = today.toString(QStringLiteral("yyyyMMdd"));
        r.KDATE = QString::number(ReferenceDateAYearLater(int(WholeNumberOrZero(r.KDATE))));
    }
    return InsertRows(cn, false, rows);
}

// The schema the old year's database is attached under, read-only, while its employees are
// carried.
const QString sourceSchema = QStringLiteral("rollover_source");

// Pass 1: the old year brought up to date: the ages and years of service the record access
// layer derives on reading an employee (counted to the old year's own reference day; every
// other column reads back as stored) are written back, by one statement with the layer's own
// rule (YEARS_BETWEEN).
bool bringEmployeesUpToDate(DbConnection& source, int year, int company, int referenceDay)
{
    return ExecuteReported(source,
                           QStringLiteral("UPDATE MSYAIN1 SET NENREI = YEARS_BETWEEN(SEIHI, ?), "
                                          "KINZOKU = YEARS_BETWEEN(NYUHI, ?) WHERE NENDO = ? AND KCO = ?"),
                           {referenceDay, referenceDay, year, company});
}

// The old year's employees as records hold them after reading them through VSYAIN: every
// stored column of both employee tables and the evaluation symbol HKIGOU, each as the record
// access layer reads it (ValueAsReadSql). Naming the columns lets SQLite leave out the view's
// other look-ups. ?1 is the old year, ?2 the company.
QString employeesAsRead()
{
    QStringList columns, seen;
    auto add = [&](const ColumnOf<TSyain_>& c) {
        const QString name = QString::fromUtf8(c.name);
        if (seen.contains(name))
            return;
        seen << name;
        columns << ValueAsReadSql(c.kind, '[' + name + ']') + QStringLiteral(" AS [") + name + ']';
    };
    for (const TableDesc<TSyain_>* table : {&EmployeeTables::msyain1(), &EmployeeTables::msyain2()})
        for (const ColumnOf<TSyain_>& c : table->columns)
            add(c);
    for (const ColumnOf<TSyain_>& c : EmployeeTables::viewColumns())
        if (qstrcmp(c.name, "HKIGOU") == 0)
            add(c);
    return QStringLiteral("SELECT ") + columns.join(',') + QStringLiteral(" FROM ") + sourceSchema
           + QStringLiteral(".VSYAIN WHERE NENDO = ?1 AND KCO = ?2");
}

// The carry: the columns of the new year's employee row that differ from the old year's, as
// SQL over the old row (employeesAsRead). The decided raise becomes the current pay, grade
// and step (also MSYAIN2.TOUKYU and SYOTEI); the raise fields start afresh; the evaluation
// and raise histories move back one year. A new grade or step of 0, or after-raise pay of all
// 0, means "not decided": the current value is kept. ?3 is the new year, ?4 the new year's
// reference day for ages and years of service.
const QString payKept = QStringLiteral("(NKKYU1 = 0 AND NKKYU2 = 0 AND NKKYU3 = 0 AND NTEATE1 = 0 AND NTEATE2 = 0 "
                                       "AND NTEATE3 = 0 AND NTEATE4 = 0 AND NTEATE5 = 0)");
// Anyone for whom something was kept.
const QString somethingKept = payKept + QStringLiteral(" OR NTOUKYU = 0 OR NGOUHOU = 0");

QHash<QString, QString> carriedColumns()
{
    const QString before = QStringLiteral("(KKYU1 + KKYU2 + KKYU3 + TEATE1 + TEATE2 + TEATE3 + TEATE4 + TEATE5)");
    const QString decided = QStringLiteral("(NKKYU1 + NKKYU2 + NKKYU3 + NTEATE1 + NTEATE2 + NTEATE3 + NTEATE4 + NTEATE5)");
    // The monthly total after the raise: the current one when the pay was kept.
    const QString after = QStringLiteral("(CASE WHEN %1 THEN %2 ELSE %3 END)").arg(payKept, before, decided);
    QHash<QString, QString> carried{
        {QStringLiteral("NENDO"), QStringLiteral("?3")},
        {QStringLiteral("NENREI"), QStringLiteral("YEARS_BETWEEN(SEIHI, ?4)")},
        {QStringLiteral("KINZOKU"), QStringLiteral("YEARS_BETWEEN(NYUHI, ?4)")},
        {QStringLiteral("NENSYU"), QStringLiteral("CASE WHEN NOT %1 OR NNENSYU <> 0 THEN NNENSYU ELSE NENSYU END").arg(payKept)},
        {QStringLiteral("TCO"), QStringLiteral("CASE WHEN NTOUKYU <> 0 THEN NTOUKYU ELSE TCO END")},
        {QStringLiteral("TOUKYU"), QStringLiteral("CASE WHEN NTOUKYU <> 0 THEN NTOUKYU ELSE TOUKYU END")},
        {QStringLiteral("GOUHOU"), QStringLiteral("CASE WHEN NGOUHOU <> 0 THEN NGOUHOU ELSE GOUHOU END")},
        {QStringLiteral("UPK"), QStringLiteral("0")},
        {QStringLiteral("UPT"), QStringLiteral("0")},
        {QStringLiteral("SRITSU"), QStringLiteral("0.0")},
        {QStringLiteral("NNENSYU"), QStringLiteral("0")},
        {QStringLiteral("SGOUHOU"), QStringLiteral("0")},
        {QStringLiteral("FSKCHK"), QStringLiteral("0")},
        {QStringLiteral("HCO3"), QStringLiteral("HCO2")},
        {QStringLiteral("HNA3"), QStringLiteral("HNA2")},
        {QStringLiteral("HCO2"), QStringLiteral("HCO1")},
        {QStringLiteral("HNA2"), QStringLiteral("HNA1")},
        {QStringLiteral("HCO1"), QStringLiteral("HCO")},
        {QStringLiteral("HNA1"), QStringLiteral("HKIGOU")},
        // The monthly total after the raise becomes the monthly total.
        {QStringLiteral("SYOTEIKYU"), QStringLiteral("CASE WHEN NSYOTEI <> 0 AND NOT %1 THEN NSYOTEI ELSE %2 END").arg(payKept, after)},
        {QStringLiteral("SYOTEI"), QStringLiteral("CASE WHEN NSYOTEI <> 0 AND NOT %1 THEN NSYOTEI ELSE %2 END").arg(payKept, after)},
        {QStringLiteral("NSYOTEI"), QStringLiteral("0")},
        {QStringLiteral("UPKIN3"), QStringLiteral("UPKIN2")},
        {QStringLiteral("UPKIN2"), QStringLiteral("UPKIN1")},
        {QStringLiteral("UPKIN1"), after + QStringLiteral(" - ") + before},
    };
    // The after-raise amounts start equal to the current ones in the new year.
    for (const char* current : {"KKYU1", "KKYU2", "KKYU3", "TEATE1", "TEATE2", "TEATE3", "TEATE4", "TEATE5"}) {
        const QString name = QString::fromLatin1(current);
        const QString amount = QStringLiteral("CASE WHEN %1 THEN %2 ELSE N%2 END").arg(payKept, name);
        carried.insert(name, amount);
        carried.insert('N' + name, amount);
    }
    return carried;
}

// Pass 2: the employees of the new year, written in SQL from the old year's database
// attached to the new year's connection: one statement for each employee table. Reading
// every employee into records and writing them back took most of the rollover's time.
bool carryEmployees(DbConnection& to, int year, int company, int newReferenceDay, RolloverResult& result)
{
    // SQLite folds the old row into each statement, so its IFNULLs run where the values are
    // used; materialising it first (a copy of every row) measured slower.
    const QString old = QStringLiteral("WITH old AS (") + employeesAsRead() + QStringLiteral(") ");
    const SqlValues values{year, company, year + 1, newReferenceDay};
    // A statement takes as many values as its highest placeholder: MSYAIN2 has no age.
    auto valuesFor = [&](const QString& sql) { return values.mid(0, sql.contains(QLatin1String("?4")) ? 4 : 3); };
    const QHash<QString, QString> carried = carriedColumns();
    int inserted[2] = {0, 0};
    int i = 0;
    for (const TableDesc<TSyain_>* table : {&EmployeeTables::msyain1(), &EmployeeTables::msyain2()}) {
        QStringList names, expressions;
        for (const ColumnOf<TSyain_>& c : table->columns) {
            const QString name = QString::fromUtf8(c.name);
            names << '[' + name + ']';
            expressions << carried.value(name, '[' + name + ']');
        }
        const QString sql = old + QStringLiteral("INSERT INTO main.") + QString::fromUtf8(table->table) + QStringLiteral(" (")
                            + names.join(',') + QStringLiteral(") SELECT ") + expressions.join(',')
                            + QStringLiteral(" FROM old");
        inserted[i] = to.execute(sql, valuesFor(sql));
        if (inserted[i++] < 0) {
            ShowDbError(LastErrorText(to));
            return false;
        }
    }
    auto undecided = to.select(old + QStringLiteral("SELECT count(*) FROM old WHERE ") + somethingKept,
                                {year, company});
    if (!undecided || !undecided->next()) {
        ShowDbError(LastErrorText(to));
        return false;
    }
    result.undecided = int(undecided->integer(0));
    result.employees = inserted[0];
    return true;
}

} // namespace

QStringList RolloverTables()
{
    return {QStringLiteral("MKIGYOU1"), QStringLiteral("MKIGYOU2"),   QStringLiteral("MGRAPH"),
            QStringLiteral("MHYOUKA"),  QStringLiteral("MMARK"),      QStringLiteral("MSEIKEI"),
            QStringLiteral("MCHART"),   QStringLiteral("DSPDRAW"),    QStringLiteral("MCHINGIN"),
            QStringLiteral("DSCALE"),   QStringLiteral("DKSEN2"),     QStringLiteral("DKSEN3"),
            QStringLiteral("MSYAIN1/MSYAIN2"), QStringLiteral("YHYOUKA"), QStringLiteral("BANDM"),
            QStringLiteral("MATRIXID"), QStringLiteral("MATRIXCELL"), QStringLiteral("SALARYNAME"),
            QStringLiteral("DCHINGIN2"), QStringLiteral("PAYGAP")};
}

QString RolloverClosingMessage(int undecided)
{
    if (undecided == 0)
        return RolloverDoneMessage;
    return RolloverDoneMessage + '\n'
           + QStringLiteral("昇給が未決定の社員 %1 名は、現在の等級・号俸・給与のまま更新しました。").arg(undecided);
}

int ReferenceDateAYearLater(int yyyymmdd)
{
    if (yyyymmdd == 0)
        return 0;
    const QDate date = DateFromYMD(QString::number(yyyymmdd));
    if (!date.isValid())
        return yyyymmdd;
    // QDate::addYears turns 29 February into 28 February of a common year.
    const QDate next = date.addYears(1);
    return next.year() * 10000 + next.month() * 100 + next.day();
}

RolloverResult RollOverCompany(const Session& s, DbConnection& target, int year, int company, bool withRestorePoint)
{
    RolloverResult result;
    DbConnection& control = *s.control;

    // The company as the year being closed lists it (its reference day), and not yet in the
    // next year.
    TKigyo1_ closing, existing;
    const auto companyRow = [&](int y, TKigyo1_& row) {
        return ReadOne(control, false, companyOfYear(y, company), QStringLiteral("SELECT * FROM MKIGYOU1"), row);
    };
    if (!companyRow(year, closing) || !companyRow(year + 1, existing))
        return result;
    if (existing.ok) {
        result.outcome = Outcome::Refused(RolloverExistsMessage);
        return result;
    }
    // A restore point of the three files written below, before the first of them changes.
    if (withRestorePoint) {
        const Outcome saved = MakeRestorePoint(s.dataFolder, RolloverRestorePoint(year, company, closing.KNA));
        if (!saved.ok) {
            result.outcome = saved;
            return result;
        }
    }
    const int oldReferenceDay = ageReferenceDayOf(closing, s.today);
    TKigyo1_ opening = closing;
    opening.KDATE = QString::number(ReferenceDateAYearLater(int(WholeNumberOrZero(closing.KDATE))));
    const int newReferenceDay = ageReferenceDayOf(opening, s.today);

    // The source: the year's own database (the open project's connection when it is that).
    const QString sourcePath = s.yearDatabasePath(year);
    SqliteConnection ownSource;
    DbConnection* source = s.year;
    if (!(source && source->isOpen() && QFileInfo(source->path()) == QFileInfo(sourcePath))) {
        TFDM::OpenDatabase(ownSource, sourcePath);
        if (!ownSource.isOpen())
            return result;
        source = &ownSource;
    }

    const QString targetPath = s.yearDatabasePath(year + 1);
    const bool folderExisted = QFileInfo::exists(QFileInfo(targetPath).absolutePath());
    const bool fileExisted = QFileInfo::exists(targetPath);
    if (!TFDM::OpenOrCreateDatabase(target, targetPath, s.templateDatabasePath(), true))
        return result;

    const QDate today = s.today;
    bool copied = bringEmployeesUpToDate(*source, year, company, oldReferenceDay);
    if (copied) {
        // The old year's file is attached for the employees' carry, for reading only, and
        // detached before anything below may remove the new file.
        ReadOnlyAttachment oldYear(target, sourcePath, sourceSchema);
        copied = oldYear.attached() && InTwoFileTransaction(target, control.path(), [&] {
            DbConnection& from = *source;
            return copyCompanyRow(target, year, company, today)
                   && copyTable<TKigyo2_>(from, target, "MKIGYOU2", year, company)
                   && copyTable<TGraph_>(from, target, "MGRAPH", year, company)
                   && copyTable<TMHYOUKA_>(from, target, "MHYOUKA", year, company)
                   && copyTable<TMark_>(from, target, "MMARK", year, company)
                   && copyCostOfLiving(from, target)
                   && copyTable<TChart_>(from, target, "MCHART", year, company)
                   && copyTable<TSPDRAW_>(from, target, "DSPDRAW", year, company)
                   && copyTable<TMCHNGIN_>(from, target, "MCHINGIN", year, company)
                   && copyTable<TSCALE_>(from, target, "DSCALE", year, company)
                   && copyTable<T2JI_>(from, target, "DKSEN2", year, company)
                   && copyTable<T3JI_>(from, target, "DKSEN3", year, company)
                   && carryEmployees(target, year, company, newReferenceDay, result)
                   && copyTable<TYHYOUKA_>(from, target, "YHYOUKA", year, company)
                   && copyBands(from, target, year, company)
                   && copyTable<TMATID_>(from, target, "MATRIXID", year, company)
                   && copyTable<TMATCELL_>(from, target, "MATRIXCELL", year, company)
                   && copyTable<TSALARY_>(from, target, "SALARYNAME", year, company)
                   && copyTable<TCHNGIN2_>(from, target, "DCHINGIN2", year, company)
                   && CarryPayGapSettings(from, target, year, company);
        });
    }
    if (!copied) {
        result = RolloverResult();
        // A year database made for this rollover goes again, so that nothing is left
        // behind; one that was there keeps exactly its old contents.
        if (!fileExisted) {
            target.close();
            QFile::remove(targetPath);
            if (!folderExisted)
                QDir().rmdir(QFileInfo(targetPath).absolutePath());
        }
        return result;
    }
    result.done = true;
    result.outcome = Outcome::Done(RolloverClosingMessage(result.undecided));
    return result;
}
