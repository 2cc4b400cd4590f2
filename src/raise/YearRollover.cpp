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

// The employees as pass 1 reads them from VSYAIN: every stored column of both employee
// tables and the evaluation symbol HKIGOU that the carry moves into the history. The carry
// needs nothing else of the view; naming the columns lets SQLite leave out the view's other
// look-ups (wage amounts, bands, role evaluations) for every employee.
QString carriedEmployeesHead()
{
    QStringList names;
    for (const TableDesc<TSyain_>* table : {&EmployeeTables::msyain1(), &EmployeeTables::msyain2()})
        for (const ColumnOf<TSyain_>& c : table->columns) {
            const QString name = '[' + QString::fromUtf8(c.name) + ']';
            if (!names.contains(name))
                names << name;
        }
    names << QStringLiteral("[HKIGOU]");
    return QStringLiteral("SELECT ") + names.join(',') + QStringLiteral(" FROM VSYAIN");
}

// Pass 1: the old year brought up to date: the ages and years of service the record access
// layer derives on reading an employee (counted to the old year's own reference day; every
// other column reads back as stored) are written back, by one statement with the layer's own
// rule (YEARS_BETWEEN). Then the employees are read for pass 2 to carry.
bool bringEmployeesUpToDate(DbConnection& source, int year, int company, int referenceDay, TSyain_rec& employees)
{
    return ExecuteReported(source,
                           QStringLiteral("UPDATE MSYAIN1 SET NENREI = YEARS_BETWEEN(SEIHI, ?), "
                                          "KINZOKU = YEARS_BETWEEN(NYUHI, ?) WHERE NENDO = ? AND KCO = ?"),
                           {referenceDay, referenceDay, year, company})
           && ReadAll(source, false, companyOfYear(year, company), carriedEmployeesHead(), employees, referenceDay);
}

// Pass 2: the employees of the new year, their ages and years of service counted to the
// new year's reference day.
bool carryEmployees(TSyain_rec& employees, DbConnection& to, int year, int newReferenceDay, RolloverResult& result)
{
    for (TSyain_& e : employees.items) {
        if (CarryEmployeeIntoNextYear(e, year + 1).anyKept())
            ++result.undecided;
        e.NENREI = YearsBetween(e.SEIHI, newReferenceDay);
        e.KINZOKU = YearsBetween(e.NYUHI, newReferenceDay);
    }
    result.employees = int(employees.items.size());
    return InsertRows(to, false, employees);
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

CarriedEmployee CarryEmployeeIntoNextYear(TSyain_& e, int newYear)
{
    CarriedEmployee kept;
    const int before = e.MonthlyTotal;
    kept.payKept = e.NKKYU1 == 0 && e.NKKYU2 == 0 && e.NKKYU3 == 0 && e.NTEATE1 == 0 && e.NTEATE2 == 0
                   && e.NTEATE3 == 0 && e.NTEATE4 == 0 && e.NTEATE5 == 0;
    kept.gradeKept = e.NTOUKYU == 0;
    kept.stepKept = e.NGOUHOU == 0;
    const int after = kept.payKept ? before : e.NewMonthlyTotal;

    e.NENDO = QString::number(newYear);
    if (!kept.payKept || e.NNENSYU != 0)
        e.NENSYU = e.NNENSYU;
    if (!kept.gradeKept) {
        e.TCO = e.NTOUKYU;
        e.TOUKYU = e.NTOUKYU;
    }
    if (!kept.stepKept)
        e.GOUHOU = e.NGOUHOU;
    e.UPK = 0;
    e.UPT = 0;
    int* current[8] = {&e.KKYU1, &e.KKYU2, &e.KKYU3, &e.TEATE1, &e.TEATE2, &e.TEATE3, &e.TEATE4, &e.TEATE5};
    int* decided[8] = {&e.NKKYU1, &e.NKKYU2, &e.NKKYU3, &e.NTEATE1, &e.NTEATE2, &e.NTEATE3, &e.NTEATE4, &e.NTEATE5};
    for (int i = 0; i < 8; ++i) {
        // The after-raise amounts start equal to the current ones in the new year.
        if (kept.payKept)
            *decided[i] = *current[i];
        else
            *current[i] = *decided[i];
    }
    e.SRITSU = 0;
    e.NNENSYU = 0;
    e.SGOUHOU = 0;
    e.FSKCHK = 0;
    e.HCO3 = e.HCO2;
    e.HNA3 = e.HNA2;
    e.HCO2 = e.HCO1;
    e.HNA2 = e.HNA1;
    e.HCO1 = e.HCO;
    e.HNA1 = e.HKIGOU;
    // The monthly total after the raise becomes the monthly total (SYOTEIKYU and SYOTEI).
    e.SYOTEIKYU = e.NSYOTEI != 0 && !kept.payKept ? e.NSYOTEI : after;
    e.SYOTEI = e.SYOTEIKYU;
    e.NSYOTEI = 0;
    e.UPKIN3 = e.UPKIN2;
    e.UPKIN2 = e.UPKIN1;
    e.UPKIN1 = after - before;
    e.computeTotals();
    return kept;
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

    TSyain_rec employees;
    const QDate today = s.today;
    const bool copied = bringEmployeesUpToDate(*source, year, company, oldReferenceDay, employees)
                        && InTwoFileTransaction(target, control.path(), [&] {
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
                                      && carryEmployees(employees, target, year, newReferenceDay, result)
                                      && copyTable<TYHYOUKA_>(from, target, "YHYOUKA", year, company)
                                      && copyBands(from, target, year, company)
                                      && copyTable<TMATID_>(from, target, "MATRIXID", year, company)
                                      && copyTable<TMATCELL_>(from, target, "MATRIXCELL", year, company)
                                      && copyTable<TSALARY_>(from, target, "SALARYNAME", year, company)
                                      && copyTable<TCHNGIN2_>(from, target, "DCHINGIN2", year, company)
                                      && CarryPayGapSettings(from, target, year, company);
                           });
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
