// Point pop-ups of the plot window: the employee read, the rows of each kind and the optimal-wage update.
#include "plot/Popups.h"

#include "core/Numbers.h"
#include "store/Conversions.h"
#include "store/RecordAccess.h"

namespace {

QString yen(double amount)
{
    return FormatFloat(QStringLiteral("#,##0"), amount) + QStringLiteral(" 円");
}

QString gradeName(const Session& s, int grade)
{
    if (grade < 1 || grade > 9)
        return {};
    return s.company().TK[grade - 1];
}

SqlCondition employeeCondition(const Session& s, int sco)
{
    const TMKIGYOU2& c = s.company();
    return SqlCondition(QStringLiteral(" WHERE NENDO = ? AND KCO = ? AND SCO = ?"),
                        {c.NENDO.toLongLong(), c.KCO.toLongLong(), qint64(sco)});
}

} // namespace

QString PopupCaption(PopupKind kind)
{
    switch (kind) {
    case PopupKind::Profile: return QStringLiteral("1.プロフィール");
    case PopupKind::Evaluation: return QStringLiteral("2.人事考課");
    case PopupKind::Career: return QStringLiteral("3.キャリア");
    case PopupKind::Pay: return QStringLiteral("4.賃金情報");
    case PopupKind::OptimalWage: return QStringLiteral("6.最適賃金");
    case PopupKind::Picture: return QStringLiteral("7.イメージ");
    }
    return {};
}

QString PopupMenuText(PopupKind kind)
{
    switch (kind) {
    case PopupKind::Profile: return QStringLiteral("プロフィール(&P)");
    case PopupKind::Evaluation: return QStringLiteral("人事考課(&J)");
    case PopupKind::Career: return QStringLiteral("キャリア(&C)");
    case PopupKind::Pay: return QStringLiteral("賃金情報(&S)");
    case PopupKind::OptimalWage: return QStringLiteral("最適賃金(&F)");
    case PopupKind::Picture: return QStringLiteral("イメージ(&I)");
    }
    return {};
}

bool ReadPopupEmployee(const Session& s, int sco, TSyain_& employee, bool& found)
{
    employee = TSyain_();
    found = false;
    if (!ReadOne(*s.year, false, employeeCondition(s, sco), QStringLiteral("SELECT * FROM VSYAIN"), employee,
                 s.ageReferenceDay()))
        return false;
    found = employee.ok;
    if (!found)
        employee = TSyain_();
    return true;
}

QString PopupNameLine(PopupKind kind, const TSyain_& employee)
{
    const bool oneBlank = kind == PopupKind::OptimalWage || kind == PopupKind::Picture;
    return employee.SCO + (oneBlank ? QStringLiteral(" ") : QStringLiteral("  ")) + employee.SNA;
}

PopupRows PopupContents(const Session& s, PopupKind kind, const TSyain_& e)
{
    PopupRows r;
    const bool present = !e.SCO.isEmpty();
    auto num = [present](long long v) { return present ? QString::number(v) : QString(); };
    switch (kind) {
    case PopupKind::Profile:
        r.titles = {QStringLiteral("社員番号:"), QStringLiteral("年　　齢　:"), QStringLiteral("勤　　続　:"),
                    QStringLiteral("学　　歴　:"), QStringLiteral("専　　攻　:")};
        r.values = {e.SCOT, num(e.NENREI), num(e.KINZOKU), e.GAKU, e.SENKOU};
        break;
    case PopupKind::Evaluation:
        r.titles = {QStringLiteral("３年前　:"), QStringLiteral("２年前　:"), QStringLiteral("１年前　:"),
                    QStringLiteral("本年度　:"), QString()};
        r.values = {e.HNA3, e.HNA2, e.HNA1, e.HYOUKA, QString()};
        break;
    case PopupKind::Career:
        r.titles = {QStringLiteral("役　職　:"), QStringLiteral("等　級　:"), QStringLiteral("号　俸　:"),
                    QStringLiteral("滞　留　:"), QString()};
        r.values = {e.YAKU, gradeName(s, e.TOUKYU), num(e.GOUHOU),
                    present ? QString::number(s.yearsUntilReference(e.THI)) + QStringLiteral(" 年") : QString(),
                    QString()};
        break;
    case PopupKind::Pay: {
        const long long allowances = 0LL + e.TEATE1 + e.TEATE2 + e.TEATE3 + e.TEATE4 + e.TEATE5;
        r.titles = {QStringLiteral("基 本 給 ："), QStringLiteral("諸 手 当 ："), QStringLiteral("所 定 給 ："),
                    QStringLiteral("年 賞 与 ："), QStringLiteral("年 収 入 ：")};
        if (present)
            r.values = {yen(e.BasicSum), yen(double(allowances)), yen(e.MonthlyTotal), yen(e.BonusTotal),
                        yen(e.AnnualTotal)};
        break;
    }
    case PopupKind::OptimalWage:
    case PopupKind::Picture:
        break;
    }
    return r;
}

OptimalWagePopup OptimalWageContents(const TSyain_& e)
{
    OptimalWagePopup p;
    long long amount = 0;
    p.itemTitle = QStringLiteral("実績賃金");
    switch (e.FITNO) {
    case 1: p.itemTitle = QStringLiteral("項目Ⅰ"); amount = e.KKYU1; break;
    case 2: p.itemTitle = QStringLiteral("項目Ⅱ"); amount = e.KKYU2; break;
    case 3: p.itemTitle = QStringLiteral("基本給"); amount = e.BasicSum; break;
    case 4: p.itemTitle = QStringLiteral("所定給"); amount = e.MonthlyTotal; break;
    case 5: p.itemTitle = QStringLiteral("賞与"); amount = e.SYOUYO; break;
    case 6: p.itemTitle = QStringLiteral("年収"); amount = e.NENSYU; break;
    default: break;
    }
    const QString amountFormat = QStringLiteral("#,##0円");
    const double residual = double(amount - e.FITKIN);
    p.actual = FormatFloat(amountFormat, double(amount));
    p.fitted = FormatFloat(amountFormat, e.FITKIN);
    p.residual = FormatFloat(amountFormat, residual);
    p.share = FormatFloat(QStringLiteral("0.00"), SafeDivide(residual * 100.0, e.FITKIN)) + QStringLiteral("％");
    p.adjustment = FormatFloat(QStringLiteral("#,##0"), e.KKYU3);
    p.wageTable = e.SKCO;
    p.evaluation = e.HCO;
    return p;
}

bool UpdateOptimalAdjustment(const Session& s, int sco, int evaluation, long long adjustment, bool& found)
{
    TSyain_ e;
    found = false;
    if (!ReadOne(*s.year, false, employeeCondition(s, sco), QStringLiteral("select * from VSYAIN"), e,
                 s.ageReferenceDay()))
        return false;
    if (!e.ok)
        return true;
    found = true;
    e.HCO = evaluation;
    e.KKYU3 = int(adjustment);
    e.computeTotals();
    const TMKIGYOU2& c = s.company();
    return Update(*s.year, true,
                  SqlCondition(QStringLiteral(" WHERE KCO = ? AND NENDO = ? AND SCO = ?"),
                               {c.KCO.toLongLong(), c.NENDO.toLongLong(), qint64(sco)}),
                  e);
}
