// Conversions shared by the record access layer and the screens.
#include "store/Conversions.h"

#include "store/Connection.h"
#include "store/RecordAccess.h"

#include <cstdio>

#include <cmath>

QString ZeroIfEmpty(const QString& text)
{
    return text.isEmpty() ? QStringLiteral("0") : text;
}

double SafeDivide(double numerator, double denominator)
{
    if (std::fabs(denominator) < 1e-12)
        return 0;
    return numerator / denominator;
}

long double SafeDivideExtended(long double numerator, long double denominator)
{
    if (std::fabs(denominator) < 1e-12L)
        return 0;
    return numerator / denominator;
}

QString VariantToText(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return {};
    if (v.metaType().id() == QMetaType::Double)
        return QString::number(v.toDouble(), 'g', 15);
    return v.toString();
}

int VariantToInteger(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return 0;
    if (v.metaType().id() == QMetaType::Double)
        return int(std::llround(v.toDouble()));
    bool ok = false;
    const qint64 n = v.toLongLong(&ok);
    if (ok)
        return int(n);
    const double d = v.toString().trimmed().toDouble(&ok);
    return ok ? int(std::llround(d)) : 0;
}

double VariantToReal(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return 0;
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? d : 0;
}

QString VariantToTextOrZero(const QVariant& v)
{
    const QString t = VariantToText(v);
    return t.isEmpty() ? QStringLiteral("0") : t;
}

namespace {

bool splitYmd(int value, int& y, int& m, int& d)
{
    if (value < 10000000 || value > 99999999)
        return false;
    y = value / 10000;
    m = value / 100 % 100;
    d = value % 100;
    return true;
}

} // namespace

int YearsBetween(int date, int reference)
{
    if (date == 0)
        return 0;
    int y, m, d, ry, rm, rd;
    if (!splitYmd(date, y, m, d) || !splitYmd(reference, ry, rm, rd))
        return 0;
    int years = ry - y;
    if (rm < m || (rm == m && rd < d))
        --years;
    return years;
}

QDate DateFromYMD(const QString& text)
{
    bool ok = false;
    const qint64 n = text.trimmed().toLongLong(&ok);
    if (!ok || n <= 0)
        return {};
    const QString digits = QStringLiteral("%1").arg(n, 8, 10, QChar('0'));
    if (digits.size() != 8)
        return {};
    return QDate(digits.left(4).toInt(), digits.mid(4, 2).toInt(), digits.mid(6, 2).toInt());
}

QString LastErrorText(const DbConnection& connection)
{
    const QList<DbError>& errors = connection.errors();
    if (errors.isEmpty())
        return QStringLiteral("不明なエラーです");
    return errors.first().state + ' ' + errors.first().description;
}

namespace {
FailureReporter installedReporter;
} // namespace

void InstallFailureReporter(FailureReporter reporter)
{
    installedReporter = std::move(reporter);
}

void ReportFailure(const Outcome& failure)
{
    if (installedReporter) {
        installedReporter(failure);
        return;
    }
    std::fprintf(stderr, "%s\n", qUtf8Printable(QString(failure.text).replace('\r', '\n')));
}

void ShowDbError(const QString& text)
{
    // A write refused in read-only use is told by its reason alone, as a refusal.
    const QString refused = WritesRefusedReason();
    if (!refused.isEmpty() && text.contains(refused)) {
        ReportFailure(Outcome::Refused(refused));
        return;
    }
    ReportFailure(Outcome::Failed(text, QString()));
}

bool ExecuteReported(DbConnection& connection, const QString& sql, const QVariantList& values)
{
    if (connection.execute(sql, values) >= 0)
        return true;
    ShowDbError(LastErrorText(connection) + ' ' + StatementWithValues(sql, values));
    return false;
}
