// The character maps of our PDF files named by the characters drawn.
#include "core/PdfTextMap.h"

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QList>
#include <QMap>
#include <QMutex>
#include <QRawFont>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>

namespace {

constexpr char32_t FirstRadical = 0x2E80;
constexpr char32_t LastRadical = 0x2FDF;

bool isRadical(char32_t c)
{
    return c >= FirstRadical && c <= LastRadical;
}

// radical -> ideograph drawn with its glyph, per font family.
QHash<char32_t, char32_t> sharedGlyphsOf(const QString& family)
{
    static QMutex lock;
    static QHash<QString, QHash<char32_t, char32_t>> cache;
    QMutexLocker locked(&lock);
    auto it = cache.find(family);
    if (it != cache.end())
        return *it;

    QHash<char32_t, char32_t> out;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        const QRawFont raw = QRawFont::fromFont(QFont(family));
        if (raw.isValid()) {
            // Several radicals may share one glyph (⻑ and ⾧ both draw 長).
            QMultiHash<quint32, char32_t> radicalOfGlyph;
            for (char32_t r = FirstRadical; r <= LastRadical; ++r) {
                const QList<quint32> g = raw.glyphIndexesForString(QString::fromUcs4(&r, 1));
                if (g.size() == 1 && g[0] != 0)
                    radicalOfGlyph.insert(g[0], r);
            }
            // The unified ideographs (the URO and extension A), lowest first.
            QList<char32_t> ideographs;
            for (char32_t c = 0x3400; c <= 0x4DBF; ++c)
                ideographs << c;
            for (char32_t c = 0x4E00; c <= 0x9FFF; ++c)
                ideographs << c;
            const QString text = QString::fromUcs4(ideographs.constData(), ideographs.size());
            const QList<quint32> glyphs = raw.glyphIndexesForString(text);
            for (int i = 0; i < glyphs.size() && i < ideographs.size(); ++i) {
                if (glyphs[i] == 0)
                    continue;
                for (auto r = radicalOfGlyph.constFind(glyphs[i]); r != radicalOfGlyph.cend() && r.key() == glyphs[i]; ++r)
                    if (!out.contains(*r))
                        out.insert(*r, ideographs[i]);
            }
        }
    }
    // Without the font: the Kangxi radicals' own compatibility mappings.
    if (out.isEmpty()) {
        for (char32_t r = 0x2F00; r <= 0x2FD5; ++r) {
            const QString folded = QString::fromUcs4(&r, 1).normalized(QString::NormalizationForm_KC);
            const QList<uint> cps = folded.toUcs4();
            if (cps.size() == 1 && !isRadical(cps[0]))
                out.insert(r, cps[0]);
        }
    }
    cache.insert(family, out);
    return out;
}

QString fromHex(const QByteArray& hex)
{
    const QByteArray bytes = QByteArray::fromHex(hex);
    QString s;
    for (int i = 0; i + 1 < bytes.size(); i += 2)
        s += QChar(ushort((uchar(bytes[i]) << 8) | uchar(bytes[i + 1])));
    return s;
}

QByteArray toHex(const QString& s)
{
    QByteArray out;
    for (QChar c : s)
        out += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return '<' + out + '>';
}

// The mappings of a ToUnicode map, code -> text, from its bfchar and bfrange blocks.
bool parseMappings(const QByteArray& cmap, QMap<uint, QString>& map)
{
    static const QRegularExpression blocks(QStringLiteral("begin(bfchar|bfrange)(.*?)endbf(?:char|range)"),
                                           QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression token(QStringLiteral("<([0-9A-Fa-f]*)>|\\[|\\]"));
    const QString text = QString::fromLatin1(cmap);
    auto b = blocks.globalMatch(text);
    while (b.hasNext()) {
        const auto block = b.next();
        const bool range = block.captured(1) == QLatin1String("bfrange");
        QList<QString> tokens;   // hex texts, "[" and "]"
        auto t = token.globalMatch(block.captured(2));
        while (t.hasNext()) {
            const auto m = t.next();
            tokens << (m.captured(0).startsWith('<') ? m.captured(1) : m.captured(0));
        }
        int i = 0;
        while (i < tokens.size()) {
            if (!range) {
                if (i + 1 >= tokens.size())
                    return false;
                map.insert(tokens[i].toUInt(nullptr, 16), fromHex(tokens[i + 1].toLatin1()));
                i += 2;
                continue;
            }
            if (i + 2 >= tokens.size())
                return false;
            const uint lo = tokens[i].toUInt(nullptr, 16), hi = tokens[i + 1].toUInt(nullptr, 16);
            if (hi < lo)
                return false;
            if (tokens[i + 2] == QLatin1String("[")) {
                int j = i + 3;
                for (uint code = lo; code <= hi; ++code, ++j) {
                    if (j >= tokens.size() || tokens[j] == QLatin1String("]"))
                        return false;
                    map.insert(code, fromHex(tokens[j].toLatin1()));
                }
                if (j >= tokens.size() || tokens[j] != QLatin1String("]"))
                    return false;
                i = j + 1;
            } else {
                // <lo> <hi> <text>: the last unit of the text counts up with the code.
                const QString first = fromHex(tokens[i + 2].toLatin1());
                if (first.isEmpty())
                    return false;
                for (uint code = lo; code <= hi; ++code) {
                    QString s = first;
                    s[s.size() - 1] = QChar(ushort(first.back().unicode() + (code - lo)));
                    map.insert(code, s);
                }
                i += 3;
            }
        }
    }
    return true;
}

// The map with its mappings written as bfchar blocks of at most 100 entries, the parts
// around them as they were.
QByteArray rebuildCMap(const QByteArray& cmap, const QMap<uint, QString>& map)
{
    const int first = std::min(cmap.indexOf("beginbfchar") < 0 ? cmap.size() : cmap.indexOf("beginbfchar"),
                               cmap.indexOf("beginbfrange") < 0 ? cmap.size() : cmap.indexOf("beginbfrange"));
    // Back to the start of the line holding the block's count.
    const int head = cmap.lastIndexOf('\n', first) + 1;
    const int lastChar = cmap.lastIndexOf("endbfchar"), lastRange = cmap.lastIndexOf("endbfrange");
    const int tail = std::max(lastChar < 0 ? -1 : int(lastChar + qstrlen("endbfchar")),
                              lastRange < 0 ? -1 : int(lastRange + qstrlen("endbfrange")));
    QByteArray out = cmap.left(head);
    QList<uint> codes = map.keys();
    for (int i = 0; i < codes.size(); i += 100) {
        const int n = std::min<int>(100, codes.size() - i);
        out += QByteArray::number(n) + " beginbfchar\n";
        for (int k = i; k < i + n; ++k)
            out += '<' + QByteArray::number(codes[k], 16).rightJustified(4, '0').toUpper() + "> " + toHex(map[codes[k]])
                   + '\n';
        out += "endbfchar\n";
    }
    out += cmap.mid(tail).startsWith('\n') ? cmap.mid(tail + 1) : cmap.mid(tail);
    return out;
}

struct PdfObject {
    int number = 0;
    QByteArray text;   // "N 0 obj" ... "endobj\n"
};

// The objects of a file as the writer laid them out, and what follows the last one.
bool splitObjects(const QByteArray& pdf, QByteArray& header, QList<PdfObject>& objects, QByteArray& trailer)
{
    static const QRegularExpression start(QStringLiteral("(?m)^(\\d+) 0 obj\\b"));
    const QString latin = QString::fromLatin1(pdf);
    auto it = start.globalMatch(latin);
    int previousEnd = -1;
    while (it.hasNext()) {
        const auto m = it.next();
        const int at = int(m.capturedStart());
        if (at < previousEnd)
            continue;   // inside a stream
        if (objects.isEmpty())
            header = pdf.left(at);
        // The end: past the stream's data when it has one, then "endobj".
        int searchFrom = at;
        const int streamAt = pdf.indexOf("stream", at);
        const int endAt = pdf.indexOf("endobj", at);
        if (endAt < 0)
            return false;
        if (streamAt >= 0 && streamAt < endAt) {
            const int endStream = pdf.indexOf("endstream", streamAt);
            if (endStream < 0)
                return false;
            searchFrom = endStream;
        }
        int end = pdf.indexOf("endobj", searchFrom);
        if (end < 0)
            return false;
        end += 6;
        if (end < pdf.size() && pdf[end] == '\n')
            ++end;
        objects << PdfObject{m.captured(1).toInt(), pdf.mid(at, end - at)};
        previousEnd = end;
    }
    if (objects.isEmpty())
        return false;
    trailer = pdf.mid(previousEnd);
    return true;
}

// The number an object holds (an indirect /Length).
int numberIn(const PdfObject& o)
{
    static const QRegularExpression n(QStringLiteral("obj\\s*(\\d+)\\s*endobj"));
    const auto m = n.match(QString::fromLatin1(o.text));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QByteArray infoString(const QString& text)
{
    QByteArray hex = "FEFF";
    for (QChar c : text)
        hex += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return '<' + hex + '>';
}

} // namespace

QFont DocumentFont(const QString& family, bool bold)
{
    QFont f(family);
    f.setBold(bold);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::PreferNoShaping));
    return f;
}

char32_t IdeographSharingGlyph(const QString& family, char32_t radical)
{
    return sharedGlyphsOf(family).value(radical, 0);
}

bool CorrectPdfTextMap(const QString& path, const QString& family, const QString& author, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = why + QStringLiteral("　") + path;
        return false;
    };
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("PDFファイルを読めません。"));
    const QByteArray pdf = in.readAll();
    in.close();

    QByteArray header, trailer;
    QList<PdfObject> objects;
    if (!splitObjects(pdf, header, objects, trailer) || !trailer.contains("trailer"))
        return fail(QStringLiteral("PDFファイルの形式が読めません。"));
    QHash<int, int> indexOf;
    for (int i = 0; i < objects.size(); ++i)
        indexOf.insert(objects[i].number, i);

    const QHash<char32_t, char32_t> shared = sharedGlyphsOf(family);
    bool changed = false;
    static const QRegularExpression lengthRef(QStringLiteral("/Length\\s+(\\d+)\\s+0\\s+R"));
    static const QRegularExpression lengthDirect(QStringLiteral("/Length\\s+(\\d+)\\b(?!\\s+0\\s+R)"));
    for (PdfObject& o : objects) {
        const int streamKey = o.text.indexOf("stream");
        if (streamKey < 0 || o.text.indexOf("endstream") < 0)
            continue;
        const QString dict = QString::fromLatin1(o.text.left(streamKey));
        int dataStart = streamKey + 6;
        if (o.text.mid(dataStart, 2) == "\r\n")
            dataStart += 2;
        else if (o.text[dataStart] == '\n')
            ++dataStart;
        int length = -1;
        int lengthObject = -1;
        if (const auto m = lengthRef.match(dict); m.hasMatch()) {
            lengthObject = m.captured(1).toInt();
            if (indexOf.contains(lengthObject))
                length = numberIn(objects[indexOf[lengthObject]]);
        } else if (const auto d = lengthDirect.match(dict); d.hasMatch()) {
            length = d.captured(1).toInt();
        }
        if (length < 0 || dataStart + length > o.text.size())
            continue;
        const QByteArray raw = o.text.mid(dataStart, length);
        const bool flate = dict.contains(QLatin1String("/FlateDecode"));
        QByteArray data = raw;
        if (flate) {
            QByteArray sized(4, '\0');
            const quint32 guess = quint32(std::max<qsizetype>(raw.size() * 8, 1024));
            for (int k = 0; k < 4; ++k)
                sized[k] = char((guess >> (24 - 8 * k)) & 0xFF);
            data = qUncompress(sized + raw);
            if (data.isEmpty())
                continue;
        }
        if (!data.contains("begincmap") || !(data.contains("beginbfchar") || data.contains("beginbfrange")))
            continue;
        QMap<uint, QString> map;
        if (!parseMappings(data, map))
            return fail(QStringLiteral("PDFファイルの文字の対応表が読めません。"));
        bool any = false;
        for (auto it = map.begin(); it != map.end(); ++it) {
            QList<uint> cps = it.value().toUcs4();
            bool mine = false;
            for (uint& c : cps)
                if (isRadical(c) && shared.contains(c)) {
                    c = shared.value(c);
                    mine = true;
                }
            if (mine) {
                it.value() = QString::fromUcs4(reinterpret_cast<const char32_t*>(cps.constData()), cps.size());
                any = true;
            }
        }
        if (!any)
            continue;
        QByteArray rebuilt = rebuildCMap(data, map);
        if (flate)
            rebuilt = qCompress(rebuilt).mid(4);
        QByteArray text = o.text.left(dataStart) + rebuilt + o.text.mid(dataStart + length);
        if (lengthObject >= 0) {
            PdfObject& l = objects[indexOf[lengthObject]];
            l.text = QByteArray::number(lengthObject) + " 0 obj\n" + QByteArray::number(rebuilt.size()) + "\nendobj\n";
        } else {
            const QString head = QString::fromLatin1(text.left(streamKey));
            const auto d = lengthDirect.match(head);
            text = text.left(int(d.capturedStart(1))) + QByteArray::number(rebuilt.size())
                   + text.mid(int(d.capturedEnd(1)));
        }
        o.text = text;
        changed = true;
    }

    // The author in the document information.
    static const QRegularExpression infoRef(QStringLiteral("/Info\\s+(\\d+)\\s+0\\s+R"));
    if (!author.isEmpty()) {
        const auto m = infoRef.match(QString::fromLatin1(trailer));
        if (m.hasMatch() && indexOf.contains(m.captured(1).toInt())) {
            PdfObject& info = objects[indexOf[m.captured(1).toInt()]];
            const int open = info.text.indexOf("<<");
            if (open >= 0 && !info.text.contains("/Author")) {
                info.text.insert(open + 2, "\n/Author " + infoString(author));
                changed = true;
            }
        }
    }
    if (!changed)
        return true;

    // The file again, every object at its new place in a new cross-reference table.
    QByteArray out = header;
    int size = 0;
    for (const PdfObject& o : objects)
        size = std::max(size, o.number + 1);
    QList<qsizetype> offsets(size, -1);
    for (const PdfObject& o : objects) {
        offsets[o.number] = out.size();
        out += o.text;
    }
    const int trailerAt = trailer.indexOf("trailer");
    const int startXref = trailer.indexOf("startxref");
    if (trailerAt < 0 || startXref < trailerAt)
        return fail(QStringLiteral("PDFファイルの形式が読めません。"));
    const qsizetype xrefAt = out.size();
    out += "xref\n0 " + QByteArray::number(size) + "\n0000000000 65535 f \n";
    for (int n = 1; n < size; ++n)
        out += offsets[n] < 0 ? QByteArray("0000000000 65535 f \n")
                              : QByteArray::number(offsets[n]).rightJustified(10, '0') + " 00000 n \n";
    out += trailer.mid(trailerAt, startXref - trailerAt);
    out += "startxref\n" + QByteArray::number(xrefAt) + "\n%%EOF\n";

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit())
        return fail(QStringLiteral("PDFファイルの書き込みでエラーが発生しました。"));
    return true;
}
