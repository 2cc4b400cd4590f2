// Companies of a fiscal year: list, next code, register, change, delete and open.
#include "projects/Companies.h"
#include "shell/RestorePoints.h"

#include "core/CodeLists.h"
#include "core/Numbers.h"
#include "shell/ProjectLookups.h"
#include "store/Conversions.h"
#include "store/DataModule.h"
#include "store/RecordAccess.h"
#include "store/Transactions.h"

#include <functional>

namespace {

int toInt(const QString& text)
{
    return int(WholeNumberOrZero(text));
}

// The condition of one company of one year, as the company master writes it.
SqlCondition companyOfYear(qint64 year, qint64 code)
{
    return SqlCondition(QStringLiteral(" where KCO   = ?  and  NENDO = ?"), {code, year});
}

template <class R>
bool deleteRowsOf(DbConnection& cn, const SqlCondition& where)
{
    R rec;
    return Delete(cn, false, where, rec);
}

void fillMaster(TKigyo2_& row, const CompanyMasterInput& in)
{
    row.KNA = in.name.trimmed();
    row.CYOUSAHI = QStringLiteral("0");
    row.BEARITSU = QStringLiteral("0");
    row.TAIKEI.clear();
    row.KKNA1.clear();
    row.KKNA2.clear();
    row.KKNA3.clear();
    row.TNA1.clear();
    row.TNA2.clear();
    row.TNA3.clear();
    row.TNA4.clear();
    row.TNA5.clear();
    row.MCCO = QStringLiteral("0");
    row.MDCO = QString::number(in.modelCode);
    QString* tk[9] = {&row.TK01, &row.TK02, &row.TK03, &row.TK04, &row.TK05,
                      &row.TK06, &row.TK07, &row.TK08, &row.TK09};
    for (int i = 0; i < 9; ++i)
        *tk[i] = in.gradeNames[i].trimmed();
    row.FRSTKYU = QStringLiteral("0");
    row.SKCO = QString::number(in.livingCode);
    row.SYOUKYUHI = QStringLiteral("0");
    row.FRSTKYUM = QStringLiteral("0");
    row.FRENCM = QStringLiteral("0");
}

void fillWorkingTime(TKigyo1_& row, const CompanyMasterInput& in)
{
    row.SYOTEIHH = WorkingTimeValue(in.hours);
    row.SYOTEIDD = WorkingTimeValue(in.days);
    row.SYOTEIMM = WorkingTimeValue(in.monthlyHours);
    row.SAITEI = WorkingTimeValue(in.minimumWage);
}

} // namespace

QString YearDatabasePath(const Session& s, int year)
{
    return s.yearDatabasePath(year);
}

QString TemplateDatabasePath(const Session& s)
{
    return s.templateDatabasePath();
}

bool OpenYearDatabase(const Session& s, int year, bool mayCreate)
{
    return TFDM::OpenOrCreateDatabase(*s.year, YearDatabasePath(s, year),
                                      mayCreate ? TemplateDatabasePath(s) : QString(), mayCreate);
}

bool LoadCompanyList(const Session& s, int year, QList<TKigyo1_>& rows)
{
    TKigyo1_rec list;
    const bool ok = ReadAll(*s.control, false, SqlCondition(QStringLiteral(" WHERE NENDO = ? ORDER BY KCO"), {qint64(year)}),
                            QStringLiteral("SELECT * FROM MKIGYOU1"), list);
    rows = list.items;
    return ok;
}

bool LoadCompanyYears(const Session& s, QList<int>& years)
{
    years.clear();
    DbQuery q(*s.control);
    if (!TFDM::RunStatement(q, QStringLiteral("SELECT DISTINCT NENDO FROM MKIGYOU1 ORDER BY NENDO"), 'S'))
        return false;
    while (!q.eof()) {
        years << VariantToInteger(q.value(0));
        q.next();
    }
    q.close();
    return true;
}

int LargestCompanyCode(const Session& s)
{
    DbQuery q(*s.control);
    if (!TFDM::RunStatement(q, QStringLiteral("SELECT Max(KCO) FROM MKIGYOU1"), 'S'))
        return 0;
    const int code = q.eof() ? 0 : VariantToInteger(q.value(0));
    q.close();
    return code;
}

QList<int> SelectableYears(int thisYear)
{
    QList<int> years;
    if (thisYear < 2003)
        return years;
    for (int y = 2004; y <= thisYear + 1; ++y)
        years << y;
    return years;
}

QStringList ModelCodeItems(const Session& s)
{
    TMODEL_rec models;
    QStringList items;
    if (!ReadAll(*s.control, false, SqlCondition(" "), QStringLiteral("select * from MDEL ORDER BY MDCO"), models))
        return items;
    for (const TMODEL_& m : models.items)
        items << CodeItemText(m.MDCO, m.MDNA);
    return items;
}

QStringList LivingCodeItems(const Session& s)
{
    TSEIKEI_rec tables;
    QStringList items;
    if (!ReadAll(*s.year, false, SqlCondition(" "),
                 QStringLiteral("select * from MSEIKEI ORDER BY SKCO,SNIN,SNENREI"), tables))
        return items;
    // One item per table: its code with the source named in its first row.
    QString last;
    bool any = false;
    for (const TSEIKEI_& t : tables.items) {
        if (any && t.SKCO == last)
            continue;
        items << CodeItemText(t.SKCO, t.DEDOKORO);
        last = t.SKCO;
        any = true;
    }
    return items;
}

bool ReadCompanyRow(const Session& s, int year, int code, TKigyo1_& row, bool& found)
{
    row = TKigyo1_();
    const bool ok = ReadOne(*s.control, false,
                            SqlCondition(QStringLiteral(" WHERE NENDO = ? AND   KCO   = ?"), {qint64(year), qint64(code)}),
                            QStringLiteral("SELECT * FROM MKIGYOU1 "), row);
    found = ok && row.ok;
    return ok;
}

bool ReadCompanyMasterRow(const Session& s, int year, int code, TKigyo2_& row, bool& found)
{
    row = TKigyo2_();
    const bool ok = ReadOne(
        *s.year, false,
        SqlCondition(QStringLiteral(" WHERE NENDO = ? AND   KCO   = ? ORDER BY KCO"), {qint64(year), qint64(code)}),
        QStringLiteral("SELECT * FROM MKIGYOU2"), row);
    found = ok && row.ok;
    return ok;
}

bool IsWorkingTimeNumber(const QString& typed)
{
    double v = 0;
    return ParseDecimalNumber(typed, v) && v != -1;
}

QString WorkingTimeValue(const QString& typed)
{
    return ZeroIfEmpty(WithoutCommas(typed));
}

QStringList CompanyTablesOfYear()
{
    return {QStringLiteral("MSYAIN1"),   QStringLiteral("MSYAIN2"),    QStringLiteral("MKIGYOU2"),
            QStringLiteral("MMARK"),     QStringLiteral("MGRAPH"),     QStringLiteral("MCHART"),
            QStringLiteral("DCHINGIN"),  QStringLiteral("DCHINGIN2"),  QStringLiteral("DKSEN2"),
            QStringLiteral("DKSEN3"),    QStringLiteral("DSCALE"),     QStringLiteral("DSPDRAW"),
            QStringLiteral("MCHINGIN"),  QStringLiteral("MHYOUKA"),    QStringLiteral("YHYOUKA"),
            QStringLiteral("BANDM"),     QStringLiteral("MATRIXID"),   QStringLiteral("MATRIXCELL"),
            QStringLiteral("SALARYNAME"), QStringLiteral("MSEIKEI")};
}

// Runs work on the year database's connection with the control database attached, so
// that both files are written with one commit.
static bool onBothFiles(const Session& s, const std::function<bool(DbConnection&)>& work)
{
    DbConnection& cn = *s.year;
    return InTwoFileTransaction(cn, s.control->path(), [&] { return work(cn); });
}

bool RegisterCompany(const Session& s, const CompanyMasterInput& in, const QDate& today)
{
    const QString code = in.code.trimmed(), year = in.year.trimmed();
    const int nendo = toInt(year);

    return onBothFiles(s, [&](DbConnection& cn) {
        TKigyo1_ company;
        company.KCO = code;
        company.NENDO = year;
        company.KNA = in.name.trimmed();
        company.PATH.clear();
        company.SDATE = QString::number(qint64(nendo) * 10000 + today.month() * 100 + today.day());
        company.FNK = QStringLiteral("9");
        company.KDATE = QStringLiteral("20090401");
        company.REKI = QStringLiteral("0");
        fillWorkingTime(company, in);
        if (!Insert(cn, false, company))
            return false;

        TKigyo2_ master;
        master.KCO = code;
        master.NENDO = year;
        fillMaster(master, in);
        if (!Insert(cn, false, master))
            return false;

        // The template marks and graph styles (NENDO 9999, KCO 0) become the company's own.
        TMark_rec marks;
        if (!ReadAll(cn, false, SqlCondition(QStringLiteral(" WHERE NENDO = 9999   and  KCO   = 0 order by MKCO")),
                     QStringLiteral("select * from MMMARK "), marks))
            return false;
        for (TMark_ mark : marks.items) {
            mark.KCO = code;
            mark.NENDO = year;
            if (!Insert(cn, false, mark))
                return false;
        }
        TGraph_rec styles;
        if (!ReadAll(cn, false, SqlCondition(QStringLiteral("  where NENDO = 9999  and   KCO   = 0  order by GSCO")),
                     QStringLiteral("select * from MMGRAPH"), styles))
            return false;
        for (TGraph_ style : styles.items) {
            style.KCO = code;
            style.NENDO = year;
            if (!Insert(cn, false, style))
                return false;
        }
        return true;
    });
}

bool ChangeCompany(const Session& s, const CompanyMasterInput& in)
{
    const SqlCondition where = companyOfYear(WholeNumberOrZero(in.year), WholeNumberOrZero(in.code));

    return onBothFiles(s, [&](DbConnection& cn) {
        // Each row is read, the master's fields are put in and the row is written back; a
        // row that is not there is left alone (an update would match nothing either).
        TKigyo1_ company;
        if (!ReadOne(cn, false, where, QStringLiteral("select * from MKIGYOU1 "), company))
            return false;
        if (company.ok) {
            company.KNA = in.name.trimmed();
            fillWorkingTime(company, in);
            if (!Update(cn, false, where, company))
                return false;
        }

        TKigyo2_ master;
        if (!ReadOne(cn, false, where, QStringLiteral("select * from MKIGYOU2 "), master))
            return false;
        if (master.ok) {
            fillMaster(master, in);
            if (!Update(cn, false, where, master))
                return false;
        }
        return true;
    });
}

bool DeleteCompany(const Session& s, int year, int code)
{
    const SqlCondition where(QStringLiteral(" WHERE NENDO = ? AND KCO = ?"), {qint64(year), qint64(code)});
    TKigyo1_ listed;
    ReadOne(*s.control, false, where, QStringLiteral("SELECT * FROM MKIGYOU1"), listed);
    const Outcome saved = MakeRestorePoint(s.dataFolder, CompanyDeletionRestorePoint(year, code, listed.KNA));
    if (!saved.ok) {
        ReportFailure(saved);
        return false;
    }

    return onBothFiles(s, [&](DbConnection& cn) {
        TSyain_ employees;
        if (!Delete(cn, false, where, employees))
            return false;
        TKigyo1_ company;
        if (!Delete(cn, false, where, company))
            return false;
        return deleteRowsOf<TKigyo2_>(cn, where) && deleteRowsOf<TMark_>(cn, where) && deleteRowsOf<TGraph_>(cn, where)
               && deleteRowsOf<TChart_>(cn, where) && deleteRowsOf<TCHNGIN_>(cn, where)
               && deleteRowsOf<TCHNGIN2_>(cn, where) && deleteRowsOf<T2JI_>(cn, where)
               && deleteRowsOf<T3JI_>(cn, where) && deleteRowsOf<TSCALE_>(cn, where)
               && deleteRowsOf<TSPDRAW_>(cn, where) && deleteRowsOf<TMCHNGIN_>(cn, where)
               && deleteRowsOf<TMHYOUKA_>(cn, where) && deleteRowsOf<TYHYOUKA_>(cn, where)
               && deleteRowsOf<TBAND_>(cn, where) && deleteRowsOf<TMATID_>(cn, where)
               && deleteRowsOf<TMATCELL_>(cn, where) && deleteRowsOf<TSALARY_>(cn, where)
               && deleteRowsOf<TSEIKEI_>(cn, SqlCondition(QStringLiteral(" WHERE KCO = ?"), {qint64(code)}));
    });
}

OpenOutcome OpenCompany(Session& s, int year, int code, const QString& name)
{
    // Everything is filled into a copy: the session changes only when the company opened.
    Session opened = s;
    opened.fiscalYear = year;
    opened.companyCode = code;
    opened.companyName = name;

    TKigyo1_ company;
    if (!ReadOne(*s.control, false,
                 SqlCondition(QStringLiteral(" WHERE NENDO   = ?       AND KCO = ?"), {qint64(year), qint64(code)}),
                 QStringLiteral("SELECT * FROM MKIGYOU1"), company))
        return OpenOutcome::Failed;
    opened.calendarMode = toInt(company.REKI);
    opened.ageByToday = toInt(company.FNK) != 0;
    opened.referenceDate = toInt(company.KDATE);

    opened.project.CurrentCompany.KCO = QString::number(code);
    opened.project.CurrentCompany.NENDO = QString::number(year);
    if (!LoadCompanyMaster(opened))
        return OpenOutcome::NoCompanyMaster;
    TMKIGYOU2& c = opened.project.CurrentCompany;
    c.SYOTEIHH = DecimalNumberOrZero(company.SYOTEIHH);
    c.SYOTEIDD = DecimalNumberOrZero(company.SYOTEIDD);
    c.SYOTEIMM = DecimalNumberOrZero(company.SYOTEIMM);
    c.SAITEI = toInt(company.SAITEI);

    LoadMarks(opened);
    LoadRoleEvaluations(opened);
    s = opened;
    return OpenOutcome::Opened;
}

Outcome SelectCompany(Session& s, int year, int code, const QString& name)
{
    if (!OpenYearDatabase(s, year, false))
        return Outcome::Failed(QString());
    switch (OpenCompany(s, year, code, name)) {
    case OpenOutcome::NoCompanyMaster:
        return Outcome::Refused(NoCompanyMasterMessage);
    case OpenOutcome::Failed:
        return Outcome::Failed(QString());
    case OpenOutcome::Opened:
        break;
    }
    return Outcome::Done();
}
