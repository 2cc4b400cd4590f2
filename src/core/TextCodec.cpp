// Shift-JIS (CP932) conversions through ICU's "windows-31j" converter.
#include "core/TextCodec.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

#include <QStringDecoder>

#include <memory>

namespace {

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// strict: decoding stops at bad bytes and encoding at characters CP932 lacks.
Converter openCp932(bool strict)
{
    UErrorCode status = U_ZERO_ERROR;
    Converter c(ucnv_open("windows-31j", &status));
    if (U_FAILURE(status))
        return nullptr;
    if (strict) {
        ucnv_setToUCallBack(c.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
        ucnv_setFromUCallBack(c.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    } else {
        ucnv_setFromUCallBack(c.get(), UCNV_FROM_U_CALLBACK_SUBSTITUTE, nullptr, nullptr, nullptr, &status);
        ucnv_setSubstChars(c.get(), "?", 1, &status);
    }
    return c;
}

// Characters other systems use where CP932 has its own form of the same character
// (Shift-JIS as other code pages map it, and Latin-1 signs) and the form CP932 holds.
constexpr struct {
    char16_t from;
    char16_t to;
} Cp932Forms[] = {
    {u'\u301C', u'\uFF5E'},  // 〜 WAVE DASH -> ～
    {u'\u2212', u'\uFF0D'},  // − MINUS SIGN -> －
    {u'\u2016', u'\u2225'},  // ‖ DOUBLE VERTICAL LINE -> ∥
    {u'\u2014', u'\u2015'},  // — EM DASH -> ―
    {u'\u00A2', u'\uFFE0'},  // ¢ -> ￠
    {u'\u00A3', u'\uFFE1'},  // £ -> ￡
    {u'\u00AC', u'\uFFE2'},  // ¬ -> ￢
    {u'\u00A5', u'\uFFE5'},  // ¥ -> ￥
    {u'\u00A6', u'\uFFE4'},  // ¦ -> ￤
};

char16_t cp932Form(char16_t c)
{
    for (const auto& f : Cp932Forms)
        if (f.from == c)
            return f.to;
    return c;
}

// Encodes text (already in CP932 forms); false when strict and a character is missing.
bool encode(const QString& text, bool strict, QByteArray& out)
{
    out.clear();
    if (text.isEmpty())
        return true;
    Converter c = openCp932(strict);
    if (!c) {
        out = text.toLatin1();
        return !strict;
    }
    UErrorCode status = U_ZERO_ERROR;
    out.resize(text.size() * 2 + 8);
    const int32_t n = ucnv_fromUChars(c.get(), out.data(), int32_t(out.size()),
                                      reinterpret_cast<const UChar*>(text.utf16()), int32_t(text.size()), &status);
    if (U_FAILURE(status)) {
        out.clear();
        return false;
    }
    out.resize(n);
    return true;
}

} // namespace

QString WithCp932Forms(const QString& text)
{
    QString out = text;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const char16_t c = out.at(i).unicode();
        if (c >= 0x00A2 && c != cp932Form(c))
            out[i] = QChar(cp932Form(c));
    }
    return out;
}

QString Cp932Unwritable(const QString& text)
{
    const QString forms = WithCp932Forms(text);
    QByteArray bytes;
    if (encode(forms, true, bytes))
        return {};
    QString missing;
    for (qsizetype i = 0; i < forms.size(); ++i) {
        const qsizetype len = forms.at(i).isHighSurrogate() && i + 1 < forms.size() ? 2 : 1;
        const QString ch = forms.mid(i, len);
        i += len - 1;
        if (!missing.contains(ch) && !encode(ch, true, bytes))
            missing += ch;
    }
    return missing;
}

QByteArray ToCp932(const QString& text)
{
    QByteArray out;
    encode(WithCp932Forms(text), false, out);
    return out;
}

QString FromCp932(const QByteArray& bytes, bool* ok)
{
    if (ok)
        *ok = true;
    if (bytes.isEmpty())
        return {};
    Converter c = openCp932(true);
    if (!c) {
        if (ok)
            *ok = false;
        return {};
    }
    UErrorCode status = U_ZERO_ERROR;
    std::u16string out(size_t(bytes.size()) + 8, u'\0');
    const int32_t n = ucnv_toUChars(c.get(), reinterpret_cast<UChar*>(out.data()), int32_t(out.size()),
                                    bytes.constData(), int32_t(bytes.size()), &status);
    if (U_FAILURE(status)) {
        if (ok)
            *ok = false;
        return {};
    }
    return QString::fromUtf16(out.data(), n);
}

int Cp932Length(const QString& text)
{
    return int(ToCp932(text).size());
}

QString TruncateToCp932Bytes(const QString& text, int maxBytes)
{
    if (Cp932Length(text) <= maxBytes)
        return text;
    QString out;
    int used = 0;
    for (int i = 0; i < text.size(); ++i) {
        QString ch = text.mid(i, 1);
        if (text.at(i).isHighSurrogate() && i + 1 < text.size())
            ch = text.mid(i++, 2);
        const int len = Cp932Length(ch);
        if (used + len > maxBytes)
            break;
        used += len;
        out += ch;
    }
    return out;
}

bool IsValidUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString s = decoder(bytes);
    Q_UNUSED(s);
    return !decoder.hasError();
}
