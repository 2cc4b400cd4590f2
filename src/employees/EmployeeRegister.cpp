// Rules of the employee register that need no widget.
#include "employees/EmployeeRegister.h"

#include "core/CodeLists.h"
#include "core/Numbers.h"
#include "store/Conversions.h"
#include "store/DataModule.h"
#include "store/RecordAccess.h"
#include "store/Transactions.h"

#include <climits>

// ---------------------------------------------------------------- totals

bool PayTotals::fitsColumns() const
{
    for (long long v : {basicSum, newBasicSum, allowanceSum, newAllowanceSum, monthly, newMonthly, annual, newAnnual,
                        upBasic, upAllowance})
        if (v < INT_MIN || v > INT_MAX)
            return false;
    return true;
}

PayTotals ComputePayTotals(const PayAmounts& a)
{
    PayTotals t;
    for (int i = 0; i < 3; ++i) {
        t.basicSum += a.kihon[i];
        t.newBasicSum += a.afKihon[i];
    }
    for (int i = 0; i < 5; ++i) {
        t.allowanceSum += a.teate[i];
        t.newAllowanceSum += a.afTeate[i];
    }
    t.monthly = t.basicSum + t.allowanceSum;
    t.newMonthly = t.newBasicSum + t.newAllowanceSum;
    t.annual = t.monthly * 12 + a.bonus1 + a.bonus2;
    t.newAnnual = t.newMonthly * 12 + a.bonus1 + a.bonus2;
    t.upBasic = t.newBasicSum - t.basicSum;
    t.upAllowance = t.newAllowanceSum - t.allowanceSum;
    return t;
}

PayAmounts PayAmountsOf(const TSyain_& r)
{
    PayAmounts a;
    const int kihon[3] = {r.KKYU1, r.KKYU2, r.KKYU3};
    const int afKihon[3] = {r.NKKYU1, r.NKKYU2, r.NKKYU3};
    const int teate[5] = {r.TEATE1, r.TEATE2, r.TEATE3, r.TEATE4, r.TEATE5};
    const int afTeate[5] = {r.NTEATE1, r.NTEATE2, r.NTEATE3, r.NTEATE4, r.NTEATE5};
    for (int i = 0; i < 3; ++i) {
        a.kihon[i] = kihon[i];
        a.afKihon[i] = afKihon[i];
    }
    for (int i = 0; i < 5; ++i) {
        a.teate[i] = teate[i];
        a.afTeate[i] = afTeate[i];
    }
    a.bonus1 = r.SYOUYO;
    a.bonus2 = r.SYOUYO2;
    return a;
}

bool StoreTotals(TSyain_& rec)
{
    const PayTotals t = ComputePayTotals(PayAmountsOf(rec));
    if (!t.fitsColumns())
        return false;
    rec.SYOTEI = int(t.monthly);
    rec.NSYOTEI = int(t.newMonthly);
    rec.NENSYU = int(t.annual);
    rec.NNENSYU = int(t.newAnnual);
    rec.UPK = int(t.upBasic);
    rec.UPT = int(t.upAllowance);
    rec.computeTotals();
    return true;
}

// ---------------------------------------------------------------- derived texts

double HourlyWage(double monthlyTotal, double monthlyHours)
{
    return SafeDivide(monthlyTotal, monthlyHours);
}

QString HourlyWageText(const TSyain_& rec, double monthlyHours)
{
    return FormatFloat(QStringLiteral("##,##0"), HourlyWage(rec.MonthlyTotal, monthlyHours));
}

OptimalWageTexts OptimalWageTextsOf(const TSyain_& rec)
{
    OptimalWageTexts t;
    if (rec.FITNO == 0)
        return t;
    const double residual = double(rec.FITJITSU) - double(rec.FITKIN);
    t.name = rec.FITNAME;
    t.amount = FormatFloat(QStringLiteral("##,##0"), rec.FITKIN);
    t.residual = FormatFloat(QStringLiteral("##,##0"), residual);
    t.ratio = FormatFloat(QStringLiteral("##0.00%"), rec.FITKIN == 0 ? 0.0 : residual * 100.0 / rec.FITKIN);
    return t;
}

QStringList EmployeeGridRow(int position, const TSyain_& r)
{
    const bool numbered = !r.SCOT.isEmpty();
    return {QString::number(position),
            r.SCO,
            r.SCOT,
            r.SNA,
            numbered ? QString::number(r.NENREI) : QStringLiteral("0"),
            numbered ? QString::number(r.KINZOKU) : QStringLiteral("0"),
            r.YAKU,
            r.HKIGOU,
            QString::number(r.TOUKYU),
            QString::number(r.GOUHOU),
            QString::number(r.ZONEX)};
}

// ---------------------------------------------------------------- the record from the fields

EmployeeCheck CheckEmployeeCode(const QString& text, int* code)
{
    EmployeeCheck c;
    const CodeCheck r = CheckCodeText(text.trimmed(), {}, true, false, true);
    if (!r.ok) {
        c.error = EmployeeFieldError::CodeInvalid;
        c.message = r.message;
    } else if (r.code < 0) {
        c.error = EmployeeFieldError::CodeInvalid;
        c.message = QStringLiteral("入力範囲外です。");
    }
    if (code)
        *code = c.ok() ? r.code : 0;
    return c;
}

namespace {

int wholeOf(const QString& text)
{
    const long long v = WholeNumberOrZero(text);
    return v < INT_MIN || v > INT_MAX ? 0 : int(v);
}

EmployeeCheck failure(EmployeeFieldError e, const QString& message)
{
    EmployeeCheck c;
    c.error = e;
    c.message = message;
    return c;
}

} // namespace

EmployeeCheck FillEmployeeRecord(const Session& s, const EmployeeFields& f, TSyain_& rec)
{
    if (f.code.trimmed().isEmpty())
        return failure(EmployeeFieldError::CodeEmpty, QStringLiteral("社員コードが入力されていません。"));
    if (f.name.isEmpty())
        return failure(EmployeeFieldError::NameEmpty, QStringLiteral("氏名は必ず入力してください。"));
    int code = 0;
    if (EmployeeCheck c = CheckEmployeeCode(f.code, &code); !c.ok())
        return c;
    TYMD birth = f.birth, entry = f.entry, promotion = f.promotion;
    if (!JoinDate(birth, s.calendarMode, s.eras))
        return failure(EmployeeFieldError::BirthDate, QStringLiteral("生年月日の入力エラーです。"));
    if (!JoinDate(entry, s.calendarMode, s.eras))
        return failure(EmployeeFieldError::EntryDate, QStringLiteral("入社日の入力エラーです。"));
    if (!JoinDate(promotion, s.calendarMode, s.eras))
        return failure(EmployeeFieldError::PromotionDate, QStringLiteral("登用日の入力エラーです。"));

    TSyain_ r = rec;
    const TMKIGYOU2& company = s.company();
    r.KCO = company.KCO;
    r.NENDO = company.NENDO;
    r.SCO = QString::number(code);
    r.SCOT = f.number;
    r.SNA = f.name;
    r.SEIBETSU = f.female ? 1 : 0;
    r.SEIHI = birth.ymd.toInt();
    r.NYUHI = entry.ymd.toInt();
    r.THI = promotion.ymd.toInt();
    r.YAKU = f.position;
    r.SM1 = f.form;
    r.GAKU = f.education;
    r.SENKOU = f.major;
    r.KSIKAKU = f.qualifications;
    r.KEIKEN = f.assignment;
    r.TCO = r.TOUKYU = f.grade;
    r.GOUHOU = wholeOf(f.step);
    r.TRITSU = DecimalNumberOrZero(f.achievement);
    r.HCO = f.evaluation;
    r.HNA1 = f.history[0];
    r.HNA2 = f.history[1];
    r.HNA3 = f.history[2];
    r.NENSU = wholeOf(f.experience);
    r.TENSU = wholeOf(f.points);
    r.MCO = f.mark;
    r.SPATH = f.picture;
    int* kihon[3] = {&r.KKYU1, &r.KKYU2, &r.KKYU3};
    int* afKihon[3] = {&r.NKKYU1, &r.NKKYU2, &r.NKKYU3};
    int* teate[5] = {&r.TEATE1, &r.TEATE2, &r.TEATE3, &r.TEATE4, &r.TEATE5};
    int* afTeate[5] = {&r.NTEATE1, &r.NTEATE2, &r.NTEATE3, &r.NTEATE4, &r.NTEATE5};
    for (int i = 0; i < 3; ++i) {
        *kihon[i] = wholeOf(f.kihon[i]);
        *afKihon[i] = wholeOf(f.afKihon[i]);
    }
    for (int i = 0; i < 5; ++i) {
        *teate[i] = wholeOf(f.teate[i]);
        *afTeate[i] = wholeOf(f.afTeate[i]);
    }
    r.SYOUYO = wholeOf(f.bonus1);
    r.SYOUYO2 = wholeOf(f.bonus2);
    r.SRITSU = DecimalNumberOrZero(f.retirementRate);
    r.UPKIN1 = wholeOf(f.raises[0]);
    r.UPKIN2 = wholeOf(f.raises[1]);
    r.UPKIN3 = wholeOf(f.raises[2]);
    r.JISEKI = f.link >= 1 && f.link <= 3 ? f.link : 0;
    r.SKCO = f.wageTable;
    r.BANDID = f.band;
    r.YHYOUKA = f.role;

    r.NENREI = s.yearsUntilReference(r.SEIHI);
    r.KINZOKU = s.yearsUntilReference(r.NYUHI);
    // The matrix link is not offered, so every save leaves the employee unlinked.
    r.MNA.clear();
    r.SM2.clear();
    r.MLINK = 0;
    r.ZONEX = 0;
    if (!StoreTotals(r))
        return failure(EmployeeFieldError::Totals, QStringLiteral("入力範囲外です。"));
    rec = r;
    return {};
}

void SetAddTimeValues(TSyain_& r, const QDateTime& now)
{
    r.HSCO = 0;
    r.SIKAKUGO = 0;
    r.NENKYU = r.SYOKUKYU = r.KIHONKYU = r.SYOTEIKYU = 0;
    r.MNA.clear();
    r.MZONE = r.NEWBANDID = r.NEWYHYOUKA = r.NEWMZONE = 0;
    r.NSRITSU = 0;
    r.NTOUKYU = r.SGOUHOU = r.NGOUHOU = r.FSKCHK = 0;
    r.HCO1 = r.HCO2 = r.HCO3 = 0;
    r.NEWDAY1 = now.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss"));
}

// ---------------------------------------------------------------- writes

namespace {

SqlCondition employeeKey(const Session& s, int code)
{
    const TMKIGYOU2& c = s.company();
    return SqlCondition(QStringLiteral(" WHERE NENDO = ? AND KCO = ? AND SCO = ?"),
                        {c.NENDO.toLongLong(), c.KCO.toLongLong(), qint64(code)});
}

} // namespace

bool EmployeeExists(const Session& s, int code, bool& exists)
{
    exists = false;
    TSyain_ probe;
    if (!ReadOne(*s.year, false, employeeKey(s, code), QStringLiteral("SELECT * FROM MSYAIN1"), probe,
                 s.ageReferenceDay()))
        return false;
    exists = probe.ok;
    return true;
}

bool AddEmployee(const Session& s, TSyain_& rec)
{
    return Insert(*s.year, true, rec);
}

bool ModifyEmployee(const Session& s, TSyain_& rec)
{
    return Update(*s.year, true, employeeKey(s, rec.SCO.toInt()), rec);
}

bool DeleteEmployee(const Session& s, int code)
{
    TSyain_ rec;
    const TMKIGYOU2& c = s.company();
    rec.KCO = c.KCO;
    rec.NENDO = c.NENDO;
    rec.SCO = QString::number(code);
    return Delete(*s.year, true, employeeKey(s, code), rec);
}

bool RecomputeMatrixZones(const Session& s, TSyain_rec& list, const MatrixTables& tables)
{
    QList<int> changed;
    QList<int> zones;
    for (int i = 0; i < list.items.size(); ++i) {
        const TSyain_& r = list.items[i];
        if (r.MLINK < 1 || r.MLINK > 3)
            continue;
        const int amounts[3] = {r.KKYU1, r.KKYU2, r.KKYU3};
        const int zone = ComputeZone(tables, r.BANDID, r.YHYOUKA, amounts[r.MLINK - 1]).zone;
        if (zone != r.ZONEX) {
            changed << i;
            zones << zone;
        }
    }
    if (changed.isEmpty())
        return true;

    DbConnection& cn = *s.year;
    // Only the zone changes: the list rows do not carry every column of an employee.
    const TMKIGYOU2& c = s.company();
    const QString sql = QStringLiteral("UPDATE MSYAIN2 SET ZONEX = ? WHERE KCO = ? AND SCO = ? AND NENDO = ?");
    const bool written = InTransaction(cn, [&] {
        for (int k = 0; k < changed.size(); ++k) {
            const SqlValues values{zones[k], c.KCO.toLongLong(), list.items[changed[k]].SCO.toLongLong(),
                                   c.NENDO.toLongLong()};
            if (cn.execute(sql, values) < 0) {
                ShowDbError(LastErrorText(cn) + ' ' + StatementWithValues(sql, values));
                return false;
            }
        }
        return true;
    });
    if (!written)
        return false;
    for (int k = 0; k < changed.size(); ++k)
        list.items[changed[k]].ZONEX = zones[k];
    return true;
}
