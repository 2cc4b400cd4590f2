// The pay-gap tables of a year database: settings and 説明欄, imported actual wages.
#include "paygap/PayGapStore.h"

#include "core/Numbers.h"
#include "employees/ImportWorker.h"
#include "store/Connection.h"
#include "store/Conversions.h"
#include "store/RecordAccess.h"
#include "store/Transactions.h"

#include <QDate>
#include <QFile>

namespace {

// The same statements as data/data.sql (a test holds them equal).
const char* const PayGapTableSql =
    "CREATE TABLE IF NOT EXISTS PAYGAP (\n"
    "    KCO integer, NENDO integer, KIKANFROM integer, KIKANTO integer, KUBUN text, JYOGAI text,\n"
    "    KANSAN integer, YAKUSYOKU text, KANRITOUKYU integer, SETSUMEI text)";
const char* const ActualWageTableSql =
    "CREATE TABLE IF NOT EXISTS PAYGAPJISSEKI (\n"
    "    KCO integer, NENDO integer, SCOT text, NENGAKU integer, SYOTEIJIKAN integer)";

SqlValues projectKey(const Session& s)
{
    return {s.company().KCO.toLongLong(), s.company().NENDO.toLongLong()};
}

bool tableExists(DbConnection& cn, const char* table)
{
    auto r = cn.select(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?"),
                       {QString::fromUtf8(table)});
    return r && r->next() && r->integer(0) > 0;
}

// The form classification as stored: "1=R;2=P;3=X;4=U" (R regular, P part-time and
// fixed-term, X left out, U unclassified).
QString categoriesText(const std::map<int, WorkerCategory>& categories)
{
    QStringList parts;
    for (const auto& [id, c] : categories) {
        const char* code = c == WorkerCategory::Regular    ? "R"
                           : c == WorkerCategory::PartTime ? "P"
                           : c == WorkerCategory::LeftOut  ? "X"
                                                           : "U";
        parts << QStringLiteral("%1=%2").arg(id).arg(QLatin1String(code));
    }
    return parts.join(QLatin1Char(';'));
}

std::map<int, WorkerCategory> categoriesOf(const QString& text)
{
    std::map<int, WorkerCategory> out;
    for (const QString& part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList kv = part.split(QLatin1Char('='));
        bool ok = false;
        const int id = kv.value(0).toInt(&ok);
        if (!ok || kv.size() != 2)
            continue;
        const QString c = kv[1].trimmed();
        out[id] = c == "R" ? WorkerCategory::Regular
                  : c == "P" ? WorkerCategory::PartTime
                  : c == "X" ? WorkerCategory::LeftOut
                             : WorkerCategory::Unclassified;
    }
    return out;
}

// Name lists are stored one name a line.
QString namesText(const QStringList& names) { return names.join(QLatin1Char('\n')); }
QStringList namesOf(const QString& text)
{
    QStringList out;
    for (const QString& n : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        if (!n.trimmed().isEmpty())
            out << n.trimmed();
    return out;
}

} // namespace

bool HasPayGapTables(DbConnection& year)
{
    return tableExists(year, "PAYGAP") && tableExists(year, "PAYGAPJISSEKI");
}

bool AddPayGapTablesWhereMissing(DbConnection& year)
{
    if (HasPayGapTables(year))
        return true;
    return InTransaction(year, [&] {
        return ExecuteReported(year, QString::fromUtf8(PayGapTableSql), {})
               && ExecuteReported(year, QString::fromUtf8(ActualWageTableSql), {});
    });
}

bool CarryPayGapSettings(DbConnection& from, DbConnection& to, int year, int company)
{
    if (!tableExists(from, "PAYGAP"))
        return true;
    if (!tableExists(to, "PAYGAP")
        && !(ExecuteReported(to, QString::fromUtf8(PayGapTableSql), {})
             && ExecuteReported(to, QString::fromUtf8(ActualWageTableSql), {})))
        return false;
    auto r = from.select(QStringLiteral("SELECT KIKANFROM, KIKANTO, KUBUN, JYOGAI, KANSAN, YAKUSYOKU, KANRITOUKYU, "
                                        "SETSUMEI FROM PAYGAP WHERE KCO = ? AND NENDO = ?"),
                         {qint64(company), qint64(year)});
    if (!r) {
        ShowDbError(LastErrorText(from));
        return false;
    }
    auto aYearLater = [](qint64 date) -> QVariant {
        const QDate d(int(date / 10000), int(date / 100 % 100), int(date % 100));
        if (!d.isValid())
            return date;
        const QDate later = d.addYears(1);
        return qint64(later.year()) * 10000 + later.month() * 100 + later.day();
    };
    while (r->next()) {
        if (!ExecuteReported(to,
                             QStringLiteral("INSERT INTO PAYGAP (KCO, NENDO, KIKANFROM, KIKANTO, KUBUN, JYOGAI, KANSAN, "
                                            "YAKUSYOKU, KANRITOUKYU, SETSUMEI) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                             {qint64(company), qint64(year + 1), aYearLater(r->integer(0)), aYearLater(r->integer(1)),
                              r->value(2), r->value(3), r->value(4), r->value(5), r->value(6), r->value(7)}))
            return false;
    }
    return !r->failed();
}

bool ReadPayGapSettings(const Session& s, PayGapSettings& settings, bool& found)
{
    settings = PayGapSettings::Defaults(s.fiscalYear);
    found = false;
    if (!tableExists(*s.year, "PAYGAP"))
        return true;   // a year file from before the table: nothing stored yet
    auto r = s.year->select(QStringLiteral("SELECT * FROM PAYGAP WHERE KCO = ? AND NENDO = ?"), projectKey(s));
    if (!r) {
        ShowDbError(LastErrorText(*s.year));
        return false;
    }
    if (!r->next())
        return !r->failed();
    found = true;
    auto integer = [&](const char* c) { return int(r->integer(r->columnIndex(QString::fromUtf8(c)))); };
    auto text = [&](const char* c) { return r->text(r->columnIndex(QString::fromUtf8(c))); };
    if (integer("KIKANFROM") > 0)
        settings.periodFrom = integer("KIKANFROM");
    if (integer("KIKANTO") > 0)
        settings.periodTo = integer("KIKANTO");
    settings.formCategories = categoriesOf(text("KUBUN"));
    settings.excludedAllowances = namesOf(text("JYOGAI"));
    settings.fullTimeEquivalent = integer("KANSAN") != 0;
    settings.managerTitles = namesOf(text("YAKUSYOKU"));
    settings.managerGrade = integer("KANRITOUKYU");
    settings.explanation = text("SETSUMEI");
    return true;
}

bool SavePayGapSettings(const Session& s, const PayGapSettings& settings)
{
    if (!AddPayGapTablesWhereMissing(*s.year))
        return false;
    const SqlValues key = projectKey(s);
    return InTransaction(*s.year, [&] {
        return ExecuteReported(*s.year, QStringLiteral("DELETE FROM PAYGAP WHERE KCO = ? AND NENDO = ?"), key)
               && ExecuteReported(*s.year,
                                  QStringLiteral("INSERT INTO PAYGAP (KCO, NENDO, KIKANFROM, KIKANTO, KUBUN, JYOGAI, "
                                                 "KANSAN, YAKUSYOKU, KANRITOUKYU, SETSUMEI) "
                                                 "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                                  {key[0], key[1], settings.periodFrom, settings.periodTo,
                                   categoriesText(settings.formCategories), namesText(settings.excludedAllowances),
                                   settings.fullTimeEquivalent ? 1 : 0, namesText(settings.managerTitles),
                                   settings.managerGrade, settings.explanation});
    });
}

bool ReadActualWages(const Session& s, std::map<QString, ActualWage>& out)
{
    out.clear();
    if (!tableExists(*s.year, "PAYGAPJISSEKI"))
        return true;
    auto r = s.year->select(
        QStringLiteral("SELECT SCOT, NENGAKU, SYOTEIJIKAN FROM PAYGAPJISSEKI WHERE KCO = ? AND NENDO = ?"),
        projectKey(s));
    if (!r) {
        ShowDbError(LastErrorText(*s.year));
        return false;
    }
    while (r->next()) {
        ActualWage a;
        if (!r->isNull(1))
            a.annualWage = r->integer(1);   // NULL: a row of hours alone
        a.monthlyHoursMilli = r->isNull(2) ? -1 : r->integer(2);
        out[r->text(0).trimmed()] = a;
    }
    return !r->failed();
}

ActualWageFile ReadActualWageCsv(const QString& path)
{
    ActualWageFile file;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        file.outcome = Outcome::Refused(QStringLiteral("ファイルが開けません。") + QChar(0x3000) + path);
        return file;
    }
    bool decoded = false;
    const QString text = DecodeCsvBytes(f.readAll(), &decoded);
    if (!decoded) {
        file.outcome = Outcome::Refused(QStringLiteral("文字コードが読めません（UTF-8またはShift-JISで保存してください）。"));
        return file;
    }
    const QStringList lines = SplitCsvRecords(text);
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.trimmed().isEmpty())
            continue;
        const QStringList fields = SplitCsvLine(line);
        const QString number = fields.value(0).trimmed();
        if (i == 0 && number == QStringLiteral("社員番号"))
            continue;
        auto refuse = [&](const QString& reason) { file.errors << ActualWageError{i + 1, line, reason}; };
        if (number.isEmpty()) {
            refuse(QStringLiteral("社員番号がありません"));
            continue;
        }
        if (file.rows.count(number)) {
            refuse(QStringLiteral("社員番号が重複しています"));
            continue;
        }
        // An empty amount with hours is a row of hours alone: the computed annual wage stays.
        const QString wageText = fields.value(1).trimmed();
        const QString hoursText = fields.value(2).trimmed();
        if (wageText.isEmpty() && hoursText.isEmpty()) {
            refuse(QStringLiteral("年間賃金総額も月間所定労働時間もありません"));
            continue;
        }
        ActualWage a;
        if (!wageText.isEmpty()) {
            long long wage = 0;
            if (!ParseWholeNumber(wageText, wage) || wage < 0) {
                refuse(QStringLiteral("年間賃金総額が0以上の整数ではありません"));
                continue;
            }
            a.annualWage = wage;
        }
        if (!hoursText.isEmpty() && !ParseHoursMilli(hoursText, a.monthlyHoursMilli)) {
            refuse(QStringLiteral("月間所定労働時間が0以上の数値ではありません"));
            continue;
        }
        file.rows[number] = a;
    }
    return file;
}

QString ActualWageErrorsText(const QList<ActualWageError>& errors)
{
    QStringList lines;
    for (const ActualWageError& e : errors)
        lines << QStringLiteral("%1行目: %2（%3）").arg(e.line).arg(e.reason, e.text);
    return lines.join(QLatin1Char('\n'));
}

Outcome StoreActualWages(const Session& s, const ActualWageFile& file, bool acceptWithErrors)
{
    if (!file.outcome.ok)
        return file.outcome;
    if (!file.errors.isEmpty() && !acceptWithErrors)
        return Outcome::Refused(QStringLiteral("エラーの行があるため取り込みませんでした。\n")
                                + ActualWageErrorsText(file.errors));
    if (file.rows.empty())
        return Outcome::Refused(QStringLiteral("取り込める行がありません。"));
    if (!AddPayGapTablesWhereMissing(*s.year))
        return Outcome::Failed(QStringLiteral("実績賃金を保存できませんでした。"));
    const SqlValues key = projectKey(s);
    const bool stored = InTransaction(*s.year, [&] {
        if (!ExecuteReported(*s.year, QStringLiteral("DELETE FROM PAYGAPJISSEKI WHERE KCO = ? AND NENDO = ?"), key))
            return false;
        for (const auto& [number, a] : file.rows)
            if (!ExecuteReported(*s.year,
                                 QStringLiteral("INSERT INTO PAYGAPJISSEKI (KCO, NENDO, SCOT, NENGAKU, SYOTEIJIKAN) "
                                                "VALUES (?, ?, ?, ?, ?)"),
                                 {key[0], key[1], number,
                                  a.annualWage ? QVariant(*a.annualWage) : QVariant(),
                                  a.monthlyHoursMilli < 0 ? QVariant() : QVariant(a.monthlyHoursMilli)}))
                return false;
        return true;
    });
    if (!stored)
        return Outcome::Failed(QStringLiteral("実績賃金を保存できませんでした。"));
    return Outcome::Done(QStringLiteral("実績賃金を%1人分取り込みました。").arg(file.rows.size()));
}
