// The personal reports: items per employee and the four-block pages.
#include "reports/PersonalReports.h"

#include "core/Dates.h"
#include "core/Numbers.h"
#include "store/Conversions.h"

namespace {

QString amount(long long v)
{
    return FormatFloat(QStringLiteral("#,##0"), double(v));
}

// The zone of the basic pay component the matrix governs; '' without a matrix link.
QString zoneText(const TSyain_& e, const MatrixTables& tables)
{
    if (e.MLINK < 1 || e.MLINK > 3)
        return QString();
    const long long part[3] = {e.KKYU1, e.KKYU2, e.KKYU3};
    return QString::number(ComputeZone(tables, e.BANDID, e.YHYOUKA, part[e.MLINK - 1]).zone);
}

QColor colorOf(std::uint32_t bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

} // namespace

QString PersonalReportName(PersonalReportKind kind)
{
    return kind == PersonalReportKind::HR ? QStringLiteral("Print5000") : QStringLiteral("Print5010");
}

QString PersonalReportCaption(PersonalReportKind kind)
{
    return kind == PersonalReportKind::HR ? QStringLiteral("社員個人情報レポート") : QStringLiteral("社員賃金情報レポート");
}

PersonalHeading PersonalHeadingForProject(const Session& s)
{
    PersonalHeading h;
    const TMKIGYOU2& company = s.company();
    h.yearText = FiscalYearText(s.calendarMode, company.NENDO.toInt());
    h.companyName = company.KNA.isEmpty() ? s.companyName : company.KNA;
    h.today = s.today;
    for (int i = 0; i < 9; ++i)
        h.marks[i] = s.project.Marks[i];
    h.calendarMode = s.calendarMode;
    h.referenceDay = s.ageReferenceDay();
    return h;
}

QList<QPair<QString, QString>> PersonalItems(PersonalReportKind kind, const TSyain_& e, const EmploymentForms& forms,
                                             const MatrixTables& tables, int calendarMode, int referenceDay)
{
    QList<QPair<QString, QString>> items;
    auto years = [referenceDay](int date) { return QString::number(YearsBetween(date, referenceDay)); };
    auto date = [calendarMode](int yyyymmdd) { return DateText(yyyymmdd, calendarMode); };
    auto item = [&](const char* name, const QString& value) { items.append({QString::fromUtf8(name), value}); };
    const long long basic = (long long)e.KKYU1 + e.KKYU2 + e.KKYU3;
    const long long allowances = (long long)e.TEATE1 + e.TEATE2 + e.TEATE3 + e.TEATE4 + e.TEATE5;
    if (kind == PersonalReportKind::HR) {
        item("氏名", e.SNA);
        item("社員番号", e.SCOT);
        item("生年月日", date(e.SEIHI));
        item("入社年月日", date(e.NYUHI));
        item("学歴", e.GAKU);
        item("専攻", e.SENKOU);
        item("公的資格", e.KSIKAKU);
        item("所属バンド", e.BANDNAME);
        item("年齢", years(e.SEIHI));
        item("勤続", years(e.NYUHI));
        item("等級", QString::number(e.TCO));
        item("号俸", QString::number(e.GOUHOU));
        item("就労形態", e.SM1 >= 1 && e.SM1 <= 4 ? forms[e.SM1 - 1].formName : QString());
        item("役職", e.YAKU);
        item("職務配置", e.KEIKEN);
        item("ゾーン番号", zoneText(e, tables));
        item("本年評価", e.HKIGOU);
        item("１年前評価", e.HNA1);
        item("２年前評価", e.HNA2);
        item("３年前評価", e.HNA3);
        item("役割評価", e.HYOUKA);
    } else {
        item("氏名", e.SNA);
        item("社員番号", e.SCOT);
        item("生年月日", date(e.SEIHI));
        item("年齢", years(e.SEIHI));
        item("勤続", years(e.NYUHI));
        item("等級", QString::number(e.TCO));
        item("号俸", QString::number(e.GOUHOU));
        item("昇号数", QString::number(e.SGOUSU));
        item("滞留年数", years(e.THI));
        item("基本給", amount(basic));
        item("諸手当", amount(allowances));
        item("所定給", amount(basic + allowances));
        item("夏賞与", amount(e.SYOUYO));
        item("冬賞与", amount(e.SYOUYO2));
        item("年収", amount(e.NENSYU));
        const long long after = (long long)e.NKKYU1 + e.NKKYU2 + e.NKKYU3 + e.NTEATE1 + e.NTEATE2 + e.NTEATE3
                                + e.NTEATE4 + e.NTEATE5;
        item("昇給本年", amount(after - (basic + allowances)));
        item("昇給１年前", amount(e.UPKIN1));
        item("昇給２年前", amount(e.UPKIN2));
        item("昇給３年前", amount(e.UPKIN3));
        item("本年評価", e.HKIGOU);
        item("役割評価", e.HYOUKA);
        item("達成率", QString::number(e.TRITSU));
        item("所属バンド", e.BANDNAME);
        item("ゾーン番号", zoneText(e, tables));
    }
    return items;
}

ReportDocument BuildPersonalPages(const QString& exeFolder, PersonalReportKind kind, const QList<TSyain_>& employees,
                                  const PersonalHeading& heading, const EmploymentForms& forms,
                                  const MatrixTables& tables)
{
    ReportDocument doc = ReportDocumentFor(exeFolder, PersonalReportName(kind), QStringLiteral("社員個人情報"));
    doc.author = heading.companyName;
    doc.imagePath = exeFolder + QStringLiteral("Picture");
    int block = 100;
    for (int i = 0; i < employees.size(); ++i) {
        const TSyain_& e = employees[i];
        if (i == 0 || employees[i - 1].MCO != e.MCO)
            block = 100;   // every mark group starts on a new page
        if (block > 4) {
            ReportPage& p = doc.newPage();
            p.setFieldText(QStringLiteral("年度"), heading.yearText + QStringLiteral(" 年度"));
            p.setFieldText(QStringLiteral("企業名"), heading.companyName);
            if (e.MCO >= 1 && e.MCO <= 9) {
                const TMMARK& m = heading.marks[e.MCO - 1];
                p.setFieldText(QStringLiteral("プロットマーク"), m.MARK.isEmpty() ? QStringLiteral(" ") : m.MARK);
                p.setFieldText(QStringLiteral("グループ名称"), m.HANREI.isEmpty() ? QStringLiteral(" ") : m.HANREI);
                p.setFieldColor(QStringLiteral("プロットマーク"), colorOf(m.MKCOLOR));
                p.setFieldColor(QStringLiteral("グループ名称"), colorOf(m.MKCOLOR));
            }
            p.setFieldText(QStringLiteral("YMD"), heading.today.toString(QStringLiteral("yyyy年MM月dd日"))
                                                      + QStringLiteral("　　P. ") + QString::number(p.number));
            block = 1;
        }
        ReportPage& p = doc.pages.last();
        const QString suffix = block == 1 ? QString() : QStringLiteral("_%1").arg(block);
        for (const auto& [name, value] :
             PersonalItems(kind, e, forms, tables, heading.calendarMode, heading.referenceDay))
            p.setLabelAndField(name, suffix, value.isEmpty() ? QStringLiteral(" ") : value);
        if (kind == PersonalReportKind::HR && !e.SPATH.trimmed().isEmpty())
            p.setFieldImage(QStringLiteral("IMAGE") + suffix, e.SPATH);
        ++block;
    }
    return doc;
}
