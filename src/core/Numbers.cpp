// Number routines: rounding to decimals and yen units, powers, display formats.
#include "core/Numbers.h"

#include <QStringList>

#include <cmath>
#include <limits>

double RoundHalfAway(double x, int decimals)
{
    if (x == 0)
        return 0;
    const double scale = std::pow(10.0, decimals);
    const double scaled = x * scale;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 9.2e18)
        return std::trunc(x);
    const double shifted = scaled + (scaled < 0 ? -0.5 : 0.5);
    return double(static_cast<long long>(shifted)) / scale;
}

int UnitOfRoundingCode(int mode)
{
    return mode == 0 ? 10 : mode == 1 ? 100 : 1000;
}

long long RoundToUnit(int mode, double amount)
{
    const int unit = UnitOfRoundingCode(mode);
    return static_cast<long long>(RoundHalfAway(amount / unit, 0)) * unit;
}

double Power(double exponent, double base)
{
    if (base == 0)
        return 0;
    const double r = std::pow(base, exponent);
    return std::isfinite(r) ? r : 0;
}

long long TruncateTowardZero(double x)
{
    if (!std::isfinite(x))
        return 0;
    if (x >= 9.2e18)
        return std::numeric_limits<long long>::max();
    if (x <= -9.2e18)
        return std::numeric_limits<long long>::min();
    return static_cast<long long>(x);
}

namespace {

struct Token {
    enum Kind { Zero, Hash, Comma, Point, Literal } kind;
    QString text;
};

QList<Token> tokenize(const QString& format)
{
    QList<Token> out;
    for (int i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == '\'' || c == '"') {
            const int end = format.indexOf(c, i + 1);
            const QString lit = end < 0 ? format.mid(i + 1) : format.mid(i + 1, end - i - 1);
            out.append(Token{Token::Literal, lit});
            i = end < 0 ? format.size() : end;
        } else if (c == '0') {
            out.append(Token{Token::Zero, QString()});
        } else if (c == '#') {
            out.append(Token{Token::Hash, QString()});
        } else if (c == ',') {
            out.append(Token{Token::Comma, QString()});
        } else if (c == '.') {
            out.append(Token{Token::Point, QString()});
        } else {
            out.append(Token{Token::Literal, QString(c)});
        }
    }
    return out;
}

} // namespace

QString FormatFloat(const QString& format, double value)
{
    const QList<Token> tokens = tokenize(format);
    int pointAt = -1;
    for (int i = 0; i < tokens.size(); ++i)
        if (tokens[i].kind == Token::Point) {
            pointAt = i;
            break;
        }
    const int intEnd = pointAt < 0 ? tokens.size() : pointAt;

    // Decimal places: every placeholder after the point; '0' ones are always shown.
    int minDecimals = 0, maxDecimals = 0;
    if (pointAt >= 0) {
        for (int i = pointAt + 1; i < tokens.size(); ++i) {
            if (tokens[i].kind == Token::Zero) {
                ++maxDecimals;
                minDecimals = maxDecimals;
            } else if (tokens[i].kind == Token::Hash) {
                ++maxDecimals;
            }
        }
    }
    // Integer placeholders: digits required from the first '0' on; grouping when a comma
    // stands among them.
    int firstIntPlaceholder = -1, intPlaceholders = 0, requiredDigits = 0;
    bool grouping = false, seenZero = false;
    for (int i = 0; i < intEnd; ++i) {
        const Token::Kind k = tokens[i].kind;
        if (k == Token::Zero || k == Token::Hash) {
            if (firstIntPlaceholder < 0)
                firstIntPlaceholder = i;
            ++intPlaceholders;
            if (k == Token::Zero)
                seenZero = true;
            if (seenZero)
                ++requiredDigits;
        } else if (k == Token::Comma && firstIntPlaceholder >= 0) {
            grouping = true;
        }
    }

    const double rounded = RoundHalfAway(value, maxDecimals);
    const bool negative = rounded < 0;
    const QString fixed = QString::number(std::fabs(rounded), 'f', maxDecimals);
    QString intDigits = fixed.section('.', 0, 0);
    QString fraction = maxDecimals > 0 ? fixed.section('.', 1, 1) : QString();
    while (fraction.size() > minDecimals && fraction.endsWith('0'))
        fraction.chop(1);
    if (intDigits == QLatin1String("0"))
        intDigits.clear();
    while (intDigits.size() < requiredDigits)
        intDigits.prepend('0');

    QString out;
    if (grouping) {
        QString grouped;
        for (int i = 0; i < intDigits.size(); ++i) {
            if (i > 0 && (intDigits.size() - i) % 3 == 0)
                grouped += ',';
            grouped += intDigits.at(i);
        }
        bool placed = false;
        for (int i = 0; i < intEnd; ++i) {
            const Token& t = tokens[i];
            if (t.kind == Token::Literal)
                out += t.text;
            else if ((t.kind == Token::Zero || t.kind == Token::Hash) && !placed) {
                out += grouped;
                placed = true;
            }
        }
    } else {
        // Digits fill the placeholders from the right; extra digits go to the leftmost one.
        int d = intDigits.size();
        QString pieces;
        for (int i = intEnd - 1; i >= 0; --i) {
            const Token& t = tokens[i];
            if (t.kind == Token::Zero || t.kind == Token::Hash) {
                if (i == firstIntPlaceholder) {
                    pieces.prepend(intDigits.left(d));
                    d = 0;
                } else if (d > 0) {
                    pieces.prepend(intDigits.at(--d));
                }
            } else if (t.kind == Token::Literal) {
                if (i < firstIntPlaceholder || d > 0)
                    pieces.prepend(t.text);
            }
        }
        if (firstIntPlaceholder < 0)
            pieces.prepend(intDigits);
        out = pieces;
    }
    if (pointAt >= 0) {
        if (!fraction.isEmpty())
            out += '.' + fraction;
        for (int i = pointAt + 1; i < tokens.size(); ++i)
            if (tokens[i].kind == Token::Literal)
                out += tokens[i].text;
    }
    if (negative && rounded != 0)
        out.prepend('-');
    return out;
}

QString WithoutCommas(const QString& text)
{
    QString t = text;
    t.remove(',');
    return t.trimmed();
}

bool ParseWholeNumber(const QString& text, long long& value)
{
    const QString t = WithoutCommas(text);
    if (t.isEmpty()) {
        value = 0;
        return true;
    }
    bool ok = false;
    value = t.toLongLong(&ok);
    return ok;
}

bool ParseDecimalNumber(const QString& text, double& value)
{
    const QString t = WithoutCommas(text);
    if (t.isEmpty()) {
        value = 0;
        return true;
    }
    bool ok = false;
    value = t.toDouble(&ok);
    return ok && std::isfinite(value);
}

long long WholeNumberOrZero(const QString& text)
{
    long long v = 0;
    return ParseWholeNumber(text, v) ? v : 0;
}

double DecimalNumberOrZero(const QString& text)
{
    double v = 0;
    return ParseDecimalNumber(text, v) ? v : 0;
}
