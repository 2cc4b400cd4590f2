// List texts "code : name", shared code lists, and the checks of typed codes and numbers.
#include "core/CodeLists.h"

#include "core/Numbers.h"
#include "core/TextCodec.h"

#include <climits>

QString CodeItemText(const QString& code, const QString& name)
{
    return code + QStringLiteral(" : ") + name;
}

QString CodeTextOf(const QString& item)
{
    const int blank = item.indexOf(' ');
    return blank < 0 ? item : item.left(blank);
}

int CodeOf(const QString& item)
{
    bool ok = false;
    const int n = CodeTextOf(item).toInt(&ok);
    return ok ? n : 0;
}

int SelectedCodeOf(const QString& item)
{
    const int sep = item.indexOf(QLatin1String(" : "));
    if (sep < 0)
        return 0;
    bool ok = false;
    const int n = item.left(sep).trimmed().toInt(&ok);
    return ok ? n : 0;
}

QString NameOf(const QString& item)
{
    const int sep = item.indexOf(QLatin1String(" : "));
    return sep < 0 ? item : item.mid(sep + 3);
}

void SplitCodeName(const QString& text, QString& code, QString& name)
{
    const int sep = text.indexOf(QLatin1String(" : "));
    if (sep < 0) {
        code = text;
        name.clear();
        return;
    }
    code = text.left(sep);
    name = TruncateToCp932Bytes(text.mid(sep + 3), 100);
}

QString NthField(const QString& text, QChar separator, int n)
{
    if (n < 1)
        return {};
    const QStringList parts = text.split(separator);
    if (n > parts.size())
        return {};
    if (n == parts.size())
        return parts.last();
    return parts.at(n - 1);
}

int IndexOfCode(const QStringList& items, const QString& code)
{
    for (int i = 0; i < items.size(); ++i) {
        const int sep = items[i].indexOf(QLatin1String(" : "));
        if (sep >= 0 && items[i].left(sep) == code)
            return i;
    }
    return -1;
}

QStringList GradeItems(const QString (&gradeNames)[9])
{
    QStringList out;
    for (int n = 1; n <= 9; ++n)
        out << GradeItemText(n, gradeNames);
    out << UnspecifiedItem;
    return out;
}

QString GradeItemText(int n, const QString (&gradeNames)[9])
{
    if (n < 1 || n > 9)
        return {};
    return CodeItemText(QString::number(n), gradeNames[n - 1]);
}

QString MarkItemText(int n, const QString& mark, const QString& legend)
{
    if (n < 1 || n > 9)
        return {};
    return CodeItemText(QString::number(n), mark + QStringLiteral("  ") + legend);
}

QStringList LineStyleItems()
{
    return {QStringLiteral("0 : 実線"),     QStringLiteral("1 : 破線"),     QStringLiteral("2 : 点線"),
            QStringLiteral("3 : 一点鎖線"), QStringLiteral("4 : 二点鎖線"), QStringLiteral("5 : なし")};
}

QString LineStyleItemText(int n)
{
    const QStringList items = LineStyleItems();
    return items.at(qBound(0, n, 5));
}

QString EmploymentTypeCode(const QString& word)
{
    if (word == QStringLiteral("役員"))
        return QStringLiteral("1");
    if (word == QStringLiteral("正社員"))
        return QStringLiteral("2");
    if (word == QStringLiteral("パート"))
        return QStringLiteral("3");
    if (word == QStringLiteral("その他"))
        return QStringLiteral("4");
    return QStringLiteral("0");
}

QString InListOfChecked(const std::vector<bool>& ticked)
{
    QStringList positions;
    for (size_t i = 0; i < ticked.size(); ++i)
        if (ticked[i])
            positions << QString::number(i + 1);
    if (positions.isEmpty())
        return QStringLiteral(" IN(99999)");
    return QStringLiteral(" IN(") + positions.join(',') + ')';
}

QString FlagsFromChecks(const std::vector<bool>& ticked)
{
    QString out;
    for (bool b : ticked)
        out += b ? '1' : '0';
    return out;
}

std::vector<bool> ChecksFromFlags(const QString& flags, int count)
{
    std::vector<bool> out(size_t(qMax(count, 0)), false);
    for (int i = 0; i < count && i < flags.size(); ++i)
        out[size_t(i)] = flags.at(i) == '1';
    return out;
}

namespace {

const QString NotANumber = QStringLiteral("数値を入力してください。");
const QString OutOfRange = QStringLiteral("入力範囲外です。");

} // namespace

namespace {

// The rewritten text must fit the box that shows it.
FieldCheck fitted(FieldCheck r, int boxLength)
{
    if (r.ok && boxLength > 0 && r.text.size() > boxLength) {
        r.ok = false;
        r.message = OutOfRange;
    }
    return r;
}

} // namespace

FieldCheck CheckIntegerText(const QString& text, int maxLength, long long maximum, long long minimum,
                            const QString& format, int boxLength)
{
    FieldCheck r;
    r.text = text;
    const QString plain = WithoutCommas(text);
    long long v = 0;
    if (!ParseWholeNumber(plain, v)) {
        r.ok = false;
        r.message = NotANumber;
        return r;
    }
    if ((maxLength > 0 && plain.size() > maxLength) || ((minimum != 0 || maximum != 0) && (v < minimum || v > maximum))) {
        r.ok = false;
        r.message = OutOfRange;
        return r;
    }
    r.integer = v;
    r.real = double(v);
    if (!format.isEmpty())
        r.text = FormatFloat(format, double(v));
    return fitted(r, boxLength);
}

FieldCheck CheckRealText(const QString& text, int maxLength, const QString& format, int boxLength)
{
    FieldCheck r;
    r.text = text;
    const QString plain = WithoutCommas(text);
    double v = 0;
    if (!ParseDecimalNumber(plain, v)) {
        r.ok = false;
        r.message = NotANumber;
        return r;
    }
    if (maxLength > 0 && plain.size() > maxLength) {
        r.ok = false;
        r.message = OutOfRange;
        return r;
    }
    r.real = v;
    r.integer = TruncateTowardZero(v);
    if (!format.isEmpty())
        r.text = FormatFloat(format, v);
    return fitted(r, boxLength);
}

FieldCheck ParseInteger(const QString& text)
{
    FieldCheck r;
    r.text = text;
    long long v = 0;
    const QString plain = WithoutCommas(text);
    if (plain.isEmpty() || !ParseWholeNumber(plain, v)) {
        r.ok = false;
        r.message = QStringLiteral("数値の入力エラーです。");
        return r;
    }
    r.integer = v;
    r.real = double(v);
    return r;
}

CodeCheck CheckCodeText(const QString& text, const QStringList& items, bool checkEmpty, bool refuseAbsent,
                        bool refuseZero)
{
    CodeCheck r;
    r.text = text;
    if (text.isEmpty() && !checkEmpty)
        return r;
    bool isNumber = false;
    const long long wide = CodeTextOf(text).toLongLong(&isNumber);
    if (!isNumber) {
        r.ok = false;
        r.message = QStringLiteral("数値を入力して下さい。");
        return r;
    }
    // A whole number too large for a code (2147483648) is out of range, not "no number".
    if (wide > INT_MAX || wide < INT_MIN) {
        r.ok = false;
        r.message = QStringLiteral("入力範囲外です。");
        return r;
    }
    const int code = int(wide);
    if (code == 0 && refuseZero) {
        r.ok = false;
        r.message = QStringLiteral("０は入力できません。");
        return r;
    }
    r.code = code;
    for (int i = 0; i < items.size(); ++i) {
        bool listed = false;
        if (CodeTextOf(items[i]).toInt(&listed) == code && listed) {
            r.itemIndex = i;
            r.text = items[i];
            return r;
        }
    }
    if (refuseAbsent) {
        r.ok = false;
        r.message = QStringLiteral("存在しないコードです。");
        return r;
    }
    r.text = QString::number(code) + UnregisteredSuffix;
    return r;
}
