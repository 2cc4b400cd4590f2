// Colours as the databases store them: a colour name (clRed) or "$00BBGGRR".
#include "core/Colors.h"

namespace {

struct NamedColor {
    const char* name;
    TColor value;
};

// The twenty named colours, values as 00BBGGRR.
constexpr NamedColor namedColors[] = {
    {"clBlack", 0x000000},   {"clMaroon", 0x000080}, {"clGreen", 0x008000},      {"clOlive", 0x008080},
    {"clNavy", 0x800000},    {"clPurple", 0x800080}, {"clTeal", 0x808000},       {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},  {"clRed", 0x0000FF},    {"clLime", 0x00FF00},       {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},    {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},      {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6}, {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0},
};

} // namespace

QString ColorToText(TColor color)
{
    for (const NamedColor& c : namedColors)
        if (c.value == color)
            return QString::fromLatin1(c.name);
    return QStringLiteral("$%1").arg(color, 8, 16, QChar('0')).toUpper();
}

TColor ColorFromText(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return 0;
    for (const NamedColor& c : namedColors)
        if (t.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return c.value;
    bool ok = false;
    if (t.startsWith('$')) {
        const uint v = t.mid(1).toUInt(&ok, 16);
        return ok ? TColor(v & 0xFFFFFF) : 0;
    }
    const qlonglong v = t.toLongLong(&ok);
    return ok && v >= 0 ? TColor(v & 0xFFFFFF) : 0;
}

std::uint32_t ColorToRgb(TColor color)
{
    const std::uint32_t r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

TColor ColorFromRgb(std::uint32_t rgb)
{
    const std::uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return r | (g << 8) | (b << 16);
}
