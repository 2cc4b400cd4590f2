// Lookups of the open project and the loads of a project selection.
#include "shell/ProjectLookups.h"

#include "core/Colors.h"
#include "core/Numbers.h"
#include "store/Conversions.h"
#include "store/RecordAccess.h"

#include <QGuiApplication>

namespace {

// KCO and NENDO of the open project as bound numbers.
qint64 kco(const Session& s)
{
    return WholeNumberOrZero(s.project.CurrentCompany.KCO);
}

qint64 nendo(const Session& s)
{
    return WholeNumberOrZero(s.project.CurrentCompany.NENDO);
}

int toInt(const QString& text)
{
    return int(WholeNumberOrZero(text));
}

} // namespace

int WageTableAmount(const Session& s, int wageTableId, int grade, int step)
{
    TCHNGIN2_ row;
    const SqlCondition where(" WHERE KCO = ? AND NENDO = ? AND SKCO  = ? AND GOUHOU = ?",
                             {kco(s), nendo(s), qint64(wageTableId), qint64(step)});
    if (!ReadOne(*s.year, false, where, QStringLiteral("SELECT * FROM DCHINGIN2"), row)) {
        const QString detail = row.message;
        if (detail.contains(QLatin1String("overflow"), Qt::CaseInsensitive))
            ReportFailure(Outcome::Failed(QStringLiteral("賃金表選択でオーバーフローが発生しました。"), QString()));
        else
            ReportFailure(Outcome::Failed(QStringLiteral("賃金表選択で不明なエラーが発生しました。"), QString()));
        if (qGuiApp)
            QGuiApplication::restoreOverrideCursor();
        return 0;
    }
    if (!row.ok || grade < 1 || grade > 9)
        return 0;
    const QString* kin[9] = {&row.KIN1, &row.KIN2, &row.KIN3, &row.KIN4, &row.KIN5,
                             &row.KIN6, &row.KIN7, &row.KIN8, &row.KIN9};
    return toInt(*kin[grade - 1]);
}

int EvaluationSteps(const Session& s, int wageTableId, int hco)
{
    TMHYOUKA_ row;
    const SqlCondition where(" where  KCO  =  ? and Nendo = ? and SKCO  = ? and HCO = ?",
                             {kco(s), nendo(s), qint64(wageTableId), qint64(hco)});
    if (!ReadOne(*s.year, false, where, QStringLiteral("select * from MHYOUKA"), row) || !row.ok)
        return 0;
    return toInt(row.SGOUSU);
}

QStringList LoadGradeNames(const Session& s, const QString& wageTableId)
{
    QStringList names;
    for (int i = 0; i < 9; ++i)
        names << QString();
    bool isNumber = false;
    const int id = wageTableId.trimmed().toInt(&isNumber);
    if (!isNumber || id == 0) {
        for (int i = 0; i < 9; ++i)
            names[i] = s.project.CurrentCompany.TK[i];
        return names;
    }
    TSCALE_rec rows;
    const SqlCondition where(" where KCO = ? and NENDO = ? and SKCO = ?", {kco(s), nendo(s), qint64(id)});
    ReadAll(*s.year, false, where, QStringLiteral("select * from DSCALE"), rows);
    for (const TSCALE_& r : rows.items) {
        const int tk = toInt(r.TKNO);
        if (tk >= 1 && tk <= 9)
            names[tk - 1] = r.TKNA;
    }
    return names;
}

EmploymentForms LoadEmploymentForms(const Session& s)
{
    EmploymentForms forms;
    TSALARY_rec rows;
    const SqlCondition where(" where  KCO  =  ?  and Nendo  =  ? order by SALARYID", {kco(s), nendo(s)});
    ReadAll(*s.year, false, where, QStringLiteral("select * from SalaryName"), rows);
    for (const TSALARY_& r : rows.items) {
        const int id = toInt(r.SALARYID);
        if (id < 1 || id > 4)
            continue;
        TSALARYNAME& f = forms[size_t(id - 1)];
        f.formName = r.SALARYNAME;
        f.schemeName = r.TEIGI;
        f.listText = QString::number(id) + QStringLiteral(" : ") + r.SALARYNAME;
        f.KIHON[0] = r.KIHON1;
        f.KIHON[1] = r.KIHON2;
        f.KIHON[2] = r.KIHON3;
        f.TEATE[0] = r.TEATE1;
        f.TEATE[1] = r.TEATE2;
        f.TEATE[2] = r.TEATE3;
        f.TEATE[3] = r.TEATE4;
        f.TEATE[4] = r.TEATE5;
    }
    return forms;
}

QStringList PayLabels(const EmploymentForms& forms, int form)
{
    if (form < 1 || form > 4)
        return {QStringLiteral("基本給"), QString(), QString(), QStringLiteral("手当"), QString(), QString(), QString(),
                QString()};
    const TSALARYNAME& f = forms[size_t(form - 1)];
    QStringList out;
    for (int i = 0; i < 3; ++i)
        out << f.KIHON[i];
    for (int i = 0; i < 5; ++i)
        out << f.TEATE[i];
    if (out[0].isEmpty())
        out[0] = QStringLiteral("基本給");
    if (out[3].isEmpty())
        out[3] = QStringLiteral("手当");
    return out;
}

namespace {

void fillZones(const TBAND_& r, int lower[5], int upper[5])
{
    const QString* lo[5] = {&r.下限額1, &r.下限額2, &r.下限額3, &r.下限額4, &r.下限額5};
    const QString* hi[5] = {&r.上限額1, &r.上限額2, &r.上限額3, &r.上限額4, &r.上限額5};
    for (int i = 0; i < 5; ++i) {
        lower[i] = toInt(*lo[i]);
        upper[i] = toInt(*hi[i]);
    }
}

// The fields every band record takes from a row of VBANDM or VBANDM2.
template <class Band>
void fillBand(const TBAND_& r, Band& b)
{
    b.BANDNAME = r.BANDNAME;
    b.BANDTEIGI = r.BANDTEIGI;
    b.baseWage = toInt(r.基準賃金);
    b.lowerRate = toInt(r.下限率);
    b.upperRate = toInt(r.上限率);
    b.spread = DecimalNumberOrZero(r.スプレッド);
    b.range = toInt(r.レンジ);
    fillZones(r, b.lower, b.upper);
}

SqlCondition projectWhere(const Session& s, const char* orderBy)
{
    return SqlCondition(QStringLiteral(" WHERE KCO = ? AND NENDO = ? ORDER BY ") + QString::fromLatin1(orderBy),
                        {kco(s), nendo(s)});
}

} // namespace

TBANDTBL LoadBandTable(const Session& s)
{
    TBANDTBL table;
    TBAND_rec rows;
    ReadAll(*s.year, false, projectWhere(s, "BANDID,MATRIXID,YHYOUKA"), QStringLiteral("SELECT * FROM VBANDM"), rows);
    for (const TBAND_& r : rows.items) {
        TBANDM b;
        b.BANDID = toInt(r.BANDID);
        fillBand(r, b);
        b.MATRIXID = toInt(r.MATRIXID);
        b.YHYOUKA = toInt(r.YHYOUKA);
        const QString* up[5] = {&r.UP1, &r.UP2, &r.UP3, &r.UP4, &r.UP5};
        for (int i = 0; i < 5; ++i)
            b.UP[i] = DecimalNumberOrZero(*up[i]);
        table.bands << b;
        table.title = r.TITLE;
        table.marume = toInt(r.MARUME);
    }
    return table;
}

TBANDTBL2 LoadBandTable2(const Session& s)
{
    TBANDTBL2 table;
    TBAND_rec rows;
    ReadAll(*s.year, false, projectWhere(s, "BANDID,MATRIXID"), QStringLiteral("SELECT * FROM VBANDM2"), rows);
    for (const TBAND_& r : rows.items) {
        TBANDM2 b;
        b.BANDID = r.BANDID;
        fillBand(r, b);
        b.MATRIXID = r.MATRIXID;
        b.MATRIXNAME = r.MATRIXNAME;
        b.ZONESU = toInt(r.ZONESU);
        b.lowest = b.lower[0];
        b.highest = (b.ZONESU >= 2 && b.ZONESU <= 5) ? b.upper[b.ZONESU - 1] : b.upper[0];
        table.bands << b;
        table.title = r.TITLE;
        table.marume = toInt(r.MARUME);
    }
    return table;
}

TMATTBL LoadMatrixTable(const Session& s)
{
    TMATTBL table;
    TMATCELL_rec rows;
    ReadAll(*s.year, false, projectWhere(s, "BANDID,MATRIXID,YHYOUKA"), QStringLiteral("SELECT * FROM VMATRIXCELL"),
            rows);
    for (const TMATCELL_& r : rows.items) {
        const int band = toInt(r.BANDID), matrix = toInt(r.MATRIXID);
        if (table.groups.isEmpty() || table.groups.last().BANDID != band || table.groups.last().MATRIXID != matrix) {
            TMATHYOUKA g;
            g.BANDID = band;
            g.BANDNAME = r.BANDNAME;
            g.MATRIXID = matrix;
            g.NAME = r.NAME;
            g.TEIGI = r.TEIGI;
            g.ZONESU = toInt(r.ZONESU);
            table.groups << g;
        }
        TMATRIX cell;
        cell.YHYOUKA = toInt(r.YHYOUKA);
        const QString* up[5] = {&r.UP1, &r.UP2, &r.UP3, &r.UP4, &r.UP5};
        for (int i = 0; i < 5; ++i)
            cell.UP[i] = DecimalNumberOrZero(*up[i]);
        table.groups.last().cells << cell;
    }
    return table;
}

bool LoadCompanyMaster(Session& s)
{
    TMKIGYOU2& c = s.project.CurrentCompany;
    const QString code = c.KCO, year = c.NENDO;
    c = TMKIGYOU2();
    c.KCO = code;
    c.NENDO = year;
    TKigyo2_ row;
    const SqlCondition where(" WHERE NENDO = ? AND KCO = ?", {nendo(s), kco(s)});
    if (!ReadOne(*s.year, false, where, QStringLiteral("SELECT * FROM MKIGYOU2"), row) || !row.ok)
        return false;
    c.KNA = row.KNA;
    c.CYOUSAHI = toInt(row.CYOUSAHI);
    c.BEARITSU = DecimalNumberOrZero(row.BEARITSU);
    c.TAIKEI = row.TAIKEI;
    c.KKNA[0] = row.KKNA1;
    c.KKNA[1] = row.KKNA2;
    c.KKNA[2] = row.KKNA3;
    const QString tna[5] = {row.TNA1, row.TNA2, row.TNA3, row.TNA4, row.TNA5};
    for (int i = 0; i < 5; ++i)
        c.TNA[i] = tna[i];
    c.MCCO = toInt(row.MCCO);
    c.MDCO = toInt(row.MDCO);
    const QString tk[9] = {row.TK01, row.TK02, row.TK03, row.TK04, row.TK05, row.TK06, row.TK07, row.TK08, row.TK09};
    for (int i = 0; i < 9; ++i)
        c.TK[i] = tk[i];
    c.FRSTKYU = toInt(row.FRSTKYU);
    c.SKCO = toInt(row.SKCO);
    c.SYOUKYUHI = toInt(row.SYOUKYUHI);
    c.FRSTKYUM = toInt(row.FRSTKYUM);
    return true;
}

void LoadMarks(Session& s)
{
    for (TMMARK& m : s.project.Marks)
        m = TMMARK();
    TMark_rec rows;
    const SqlCondition where(" WHERE NENDO = ? AND KCO     = ?", {nendo(s), kco(s)});
    ReadAll(*s.year, false, where, QStringLiteral("SELECT * FROM MMARK"), rows);
    for (const TMark_& r : rows.items) {
        const int n = toInt(r.MKCO);
        if (n < 1 || n > 9)
            continue;
        TMMARK& m = s.project.Marks[n - 1];
        m.MKCO = n;
        m.MARK = r.MARK;
        m.HANREI = r.HANREI;
        m.MKCOLOR = ColorFromText(r.MKCOLOR);
        m.MKSIZE = toInt(r.MKSIZE);
        m.KCOLOR = ColorFromText(r.KCOLOR);
        m.KSYURUI = toInt(r.KSYURUI);
        m.KHABA = toInt(r.KHABA);
    }
}

void LoadRoleEvaluations(Session& s)
{
    QList<TYHYOUKA>& list = s.project.EvaluationSymbols;
    list.clear();
    TYHYOUKA_rec rows;
    const SqlCondition where(" WHERE KCO = ? AND NENDO = ? ORDER BY HCO", {kco(s), nendo(s)});
    ReadAll(*s.year, false, where, QStringLiteral("SELECT * FROM YHYOUKA"), rows);
    for (const TYHYOUKA_& r : rows.items)
        list.append({r.HCO, r.HKIGOU});
}

ProjectReadiness ReadProjectReadiness(const Session& s)
{
    const SqlCondition tail(QStringLiteral(" WHERE NENDO = ?   AND KCO   = ?"), {nendo(s), kco(s)});
    // Whether the project has a row in the table the head reads.
    auto hasRow = [&tail](auto record, DbConnection& cn, const char* head) {
        ReadOne(cn, false, tail, QString::fromLatin1(head), record);
        return record.ok;
    };
    ProjectReadiness r;
    TKigyo1_ company;
    ReadOne(*s.control, false, tail, QStringLiteral("select * from MKIGYOU1"), company);
    r.settingsStored = company.ok && company.FNK != QLatin1String("9");
    r.hasForms = hasRow(TSALARY_(), *s.year, "select * from SalaryName");
    r.hasEvaluations = hasRow(TMHYOUKA_(), *s.year, "select * from MHYOUKA");
    r.hasMatrixId = hasRow(TMATID_(), *s.year, "select * from MATRIXID");
    r.hasRoleEvaluation = hasRow(TYHYOUKA_(), *s.year, "select * from YHYOUKA");
    r.hasMatrixCell = hasRow(TMATCELL_(), *s.year, "select * from MATRIXCELL");
    r.hasBand = hasRow(TBAND_(), *s.year, "select * from VBANDM2");
    return r;
}

bool HasGeneratedWageTable(const Session& s)
{
    TCHNGIN2_ row;
    ReadOne(*s.year, false, SqlCondition(QStringLiteral(" WHERE KCO = ? AND NENDO = ?"), {kco(s), nendo(s)}),
            QStringLiteral("SELECT * FROM DCHINGIN2"), row);
    return row.ok;
}

SheetProperties SheetPropertiesFor(const Session& s, const QString& title)
{
    const TMKIGYOU2& company = s.company();
    SheetProperties p;
    p.title = title;
    p.company = company.KNA.isEmpty() ? s.companyName : company.KNA;
    const int year = company.NENDO.isEmpty() ? s.fiscalYear : company.NENDO.toInt();
    p.fiscalYear = FiscalYearText(s.calendarMode, year) + QStringLiteral(" 年度");
    return p;
}
