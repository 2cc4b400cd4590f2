// Report templates: reading and checking the JSON page description.
#include "reports/ReportTemplate.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// A problem found in the file; the loader turns it into the message.
struct Malformed {
    QString detail;
};

[[noreturn]] void fail(const QString& detail)
{
    throw Malformed{detail};
}

int integerAt(const QJsonArray& a, int i, const QString& where)
{
    const QJsonValue v = a.at(i);
    if (!v.isDouble() || v.toDouble() != double(qint64(v.toDouble())) || qAbs(v.toDouble()) > 1e7)
        fail(where + QStringLiteral(" の座標が整数ではありません"));
    return int(v.toDouble());
}

ReportRect rectOf(const QJsonObject& o, const QString& where)
{
    const QJsonArray a = o.value(QStringLiteral("rect")).toArray();
    if (a.size() != 4)
        fail(where + QStringLiteral(" の rect は [左, 上, 右, 下] の4つの数値で指定してください"));
    const ReportRect r{integerAt(a, 0, where), integerAt(a, 1, where), integerAt(a, 2, where), integerAt(a, 3, where)};
    if (r.right <= r.left || r.bottom <= r.top)
        fail(where + QStringLiteral(" の rect の大きさが正しくありません"));
    return r;
}

int alignOf(const QJsonObject& o, const QString& where)
{
    const QString a = o.value(QStringLiteral("align")).toString(QStringLiteral("left"));
    if (a == QLatin1String("left"))
        return 0;
    if (a == QLatin1String("right"))
        return 1;
    if (a == QLatin1String("centre") || a == QLatin1String("center"))
        return 2;
    fail(where + QStringLiteral(" の align \"") + a + QStringLiteral("\" は使えません"));
}

double sizeOf(const QJsonObject& o, const QString& where)
{
    const double s = o.value(QStringLiteral("size")).toDouble(10);
    if (!(s > 0 && s <= 200))
        fail(where + QStringLiteral(" の size が正しくありません"));
    return s;
}

int widthOf(const QJsonObject& o, const QString& where)
{
    const double w = o.value(QStringLiteral("width")).toDouble(0);
    if (!(w >= 0 && w <= 1000))
        fail(where + QStringLiteral(" の width が正しくありません"));
    return int(w);
}

void readPage(const QJsonObject& root, ReportTemplate& t)
{
    const QJsonObject page = root.value(QStringLiteral("page")).toObject();
    const QString size = page.value(QStringLiteral("size")).toString();
    int w = 0, h = 0;
    if (size == QLatin1String("A4"))
        w = 21000, h = 29700;
    else if (size == QLatin1String("A3"))
        w = 29700, h = 42000;
    else if (size == QLatin1String("B4"))
        w = 25700, h = 36400;
    else
        fail(QStringLiteral("page.size \"") + size + QStringLiteral("\" は使えません (A4, A3, B4)"));
    const QString orientation = page.value(QStringLiteral("orientation")).toString(QStringLiteral("portrait"));
    if (orientation == QLatin1String("landscape")) {
        t.landscape = true;
        std::swap(w, h);
    } else if (orientation != QLatin1String("portrait")) {
        fail(QStringLiteral("page.orientation \"") + orientation + QStringLiteral("\" は使えません"));
    }
    t.pageWidth = w;
    t.pageHeight = h;
}

void readTemplate(const QJsonObject& root, ReportTemplate& t)
{
    readPage(root, t);
    if (root.contains(QStringLiteral("font")))
        t.font = root.value(QStringLiteral("font")).toString(ReportFontFamily);
    const QJsonArray texts = root.value(QStringLiteral("texts")).toArray();
    for (int i = 0; i < texts.size(); ++i) {
        const QJsonObject o = texts.at(i).toObject();
        const QString where = QStringLiteral("texts[%1]").arg(i);
        t.texts.append({rectOf(o, where), o.value(QStringLiteral("text")).toString(), sizeOf(o, where),
                        alignOf(o, where), o.value(QStringLiteral("bold")).toBool()});
    }
    const QJsonArray lines = root.value(QStringLiteral("lines")).toArray();
    for (int i = 0; i < lines.size(); ++i) {
        const QJsonObject o = lines.at(i).toObject();
        const QString where = QStringLiteral("lines[%1]").arg(i);
        const QJsonArray from = o.value(QStringLiteral("from")).toArray();
        const QJsonArray to = o.value(QStringLiteral("to")).toArray();
        if (from.size() != 2 || to.size() != 2)
            fail(where + QStringLiteral(" の from / to は [x, y] で指定してください"));
        t.lines.append({integerAt(from, 0, where), integerAt(from, 1, where), integerAt(to, 0, where),
                        integerAt(to, 1, where), widthOf(o, where)});
    }
    const QJsonArray frames = root.value(QStringLiteral("frames")).toArray();
    for (int i = 0; i < frames.size(); ++i) {
        const QJsonObject o = frames.at(i).toObject();
        const QString where = QStringLiteral("frames[%1]").arg(i);
        TemplateFrame f{rectOf(o, where), widthOf(o, where), QColor()};
        if (o.contains(QStringLiteral("fill"))) {
            f.fill = QColor(o.value(QStringLiteral("fill")).toString());
            if (!f.fill.isValid())
                fail(where + QStringLiteral(" の fill の色が正しくありません"));
        }
        t.frames.append(f);
    }
    const QJsonArray fields = root.value(QStringLiteral("fields")).toArray();
    for (int i = 0; i < fields.size(); ++i) {
        const QJsonObject o = fields.at(i).toObject();
        TemplateField f;
        f.name = o.value(QStringLiteral("name")).toString();
        const QString where = QStringLiteral("fields[%1] (%2)").arg(i).arg(f.name);
        if (f.name.isEmpty())
            fail(where + QStringLiteral(" に name がありません"));
        if (t.fieldIndex.contains(f.name))
            fail(QStringLiteral("フィールド \"") + f.name + QStringLiteral("\" が重複しています"));
        f.rect = rectOf(o, where);
        f.size = sizeOf(o, where);
        f.align = alignOf(o, where);
        f.bold = o.value(QStringLiteral("bold")).toBool();
        f.image = o.value(QStringLiteral("image")).toBool();
        t.fieldIndex.insert(f.name, t.fields.size());
        t.fields.append(f);
    }
}

} // namespace

ReportRect ReportTemplate::fieldRect(const QString& name) const
{
    const TemplateField* f = field(name);
    return f ? f->rect : ReportRect{};
}

const TemplateField* ReportTemplate::field(const QString& name) const
{
    const auto it = fieldIndex.constFind(name);
    return it == fieldIndex.cend() ? nullptr : &fields.at(*it);
}

bool LoadReportTemplate(const QString& path, ReportTemplate& out, QString* error)
{
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.exists()) {
        if (error)
            *error = QStringLiteral("帳票テンプレートが見つかりません。\r\n") + shown;
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("帳票テンプレートを読み込めません。\r\n") + shown + QStringLiteral("\r\n") + file.errorString();
        return false;
    }
    QJsonParseError parse;
    const QJsonDocument json = QJsonDocument::fromJson(file.readAll(), &parse);
    ReportTemplate t;
    t.path = path;
    try {
        if (parse.error != QJsonParseError::NoError)
            fail(QStringLiteral("JSON の書式の誤り (%1 文字目): ").arg(parse.offset) + parse.errorString());
        if (!json.isObject())
            fail(QStringLiteral("テンプレートの内容がオブジェクトではありません"));
        readTemplate(json.object(), t);
    } catch (const Malformed& m) {
        if (error)
            *error = QStringLiteral("帳票テンプレートの形式に誤りがあります。\r\n") + shown + QStringLiteral("\r\n") + m.detail;
        return false;
    }
    out = std::move(t);
    return true;
}
