// Shift-JIS (CP932) conversions through ICU's "windows-31j" converter.
#include "shell/TextCodec.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

#include <QStringDecoder>

#include <memory>

namespace {

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter openCp932(bool strict)
{
    UErrorCode status = U_ZERO_ERROR;
    Converter c(ucnv_open("windows-31j", &status));
    if (U_FAILURE(status))
        return nullptr;
    if (strict) {
        ucnv_setToUCallBack(c.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    } else {
        ucnv_setFromUCallBack(c.get(), UCNV_FROM_U_CALLBACK_SUBSTITUTE, nullptr, nullptr, nullptr, &status);
        ucnv_setSubstChars(c.get(), "?", 1, &status);
    }
    return c;
}

} // namespace

QByteArray ToCp932(const QString& text)
{
    if (text.isEmpty())
        return {};
    Converter c = openCp932(false);
    if (!c)
        return text.toLatin1();
    UErrorCode status = U_ZERO_ERROR;
    const UChar* src = reinterpret_cast<const UChar*>(text.utf16());
    QByteArray out(text.size() * 2 + 8, '\0');
    const int32_t n = ucnv_fromUChars(c.get(), out.data(), int32_t(out.size()), src, int32_t(text.size()), &status);
    if (U_FAILURE(status))
        return {};
    out.resize(n);
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
