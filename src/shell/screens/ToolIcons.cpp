// The pictures of the main window's tool buttons, the splash and the window icon.
#include "shell/screens/ToolIcons.h"

#include "shell/screens/AppState.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace {

constexpr int S = 32;

QPen pen(const QColor& c, double w = 2)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void sheet(QPainter& p, const QColor& fold = QColor(70, 110, 170))
{
    QPainterPath page;
    page.moveTo(8, 3);
    page.lineTo(20, 3);
    page.lineTo(26, 9);
    page.lineTo(26, 29);
    page.lineTo(8, 29);
    page.closeSubpath();
    p.setPen(pen(fold, 1.5));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.drawLine(QPointF(20, 3), QPointF(20, 9));
    p.drawLine(QPointF(20, 9), QPointF(26, 9));
}

void folder(QPainter& p, const QColor& c)
{
    p.setPen(pen(c.darker(140), 1.5));
    p.setBrush(c);
    QPainterPath f;
    f.moveTo(3, 9);
    f.lineTo(12, 9);
    f.lineTo(14, 12);
    f.lineTo(29, 12);
    f.lineTo(29, 27);
    f.lineTo(3, 27);
    f.closeSubpath();
    p.drawPath(f);
}

void badge(QPainter& p, const QColor& c, const QString& text)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QRectF(17, 17, 14, 14));
    p.setPen(Qt::white);
    QFont f(QStringLiteral("Noto Sans CJK JP"));
    f.setPixelSize(11);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(17, 17, 14, 14), Qt::AlignCenter, text);
}

void person(QPainter& p, const QColor& c, double dx = 0)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QRectF(10 + dx, 4, 11, 11));
    QPainterPath body;
    body.moveTo(5 + dx, 29);
    body.cubicTo(5 + dx, 17, 26 + dx, 17, 26 + dx, 29);
    body.closeSubpath();
    p.drawPath(body);
}

void axes(QPainter& p)
{
    p.setPen(pen(QColor(60, 60, 60), 1.5));
    p.drawLine(QPointF(5, 4), QPointF(5, 27));
    p.drawLine(QPointF(5, 27), QPointF(29, 27));
}

void grid(QPainter& p, const QColor& c)
{
    p.setPen(pen(c.darker(150), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 5, 24, 22));
    p.setBrush(c);
    p.drawRect(QRectF(4, 5, 24, 6));
    for (int x : {12, 20})
        p.drawLine(QPointF(x, 5), QPointF(x, 27));
    for (int y : {16, 21})
        p.drawLine(QPointF(4, y), QPointF(28, y));
}

void curve(QPainter& p, const QColor& c)
{
    QPainterPath path;
    path.moveTo(6, 25);
    path.cubicTo(12, 20, 18, 10, 28, 6);
    p.setPen(pen(c, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void dots(QPainter& p, const QColor& c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    for (const QPointF& d : {QPointF(9, 22), QPointF(13, 18), QPointF(16, 20), QPointF(19, 13), QPointF(23, 14),
                             QPointF(26, 8), QPointF(11, 24), QPointF(22, 10)})
        p.drawEllipse(d, 2, 2);
}

void arrow(QPainter& p, const QColor& c, QPointF from, QPointF to)
{
    p.setPen(pen(c, 3));
    p.drawLine(from, to);
    const QPointF d = to - from;
    const double len = std::hypot(d.x(), d.y());
    const QPointF u = d / len, n(-u.y(), u.x());
    QPolygonF head;
    head << to + u * 2 << to - u * 6 + n * 5 << to - u * 6 - n * 5;
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(head);
}

void yenCoin(QPainter& p, const QColor& c, QRectF r)
{
    p.setPen(pen(c.darker(140), 1.5));
    p.setBrush(c);
    p.drawEllipse(r);
    p.setPen(Qt::white);
    QFont f(QStringLiteral("Noto Sans CJK JP"));
    f.setPixelSize(int(r.height() * 0.7));
    f.setBold(true);
    p.setFont(f);
    p.drawText(r, Qt::AlignCenter, QStringLiteral("¥"));
}

void printer(QPainter& p)
{
    p.setPen(pen(QColor(70, 70, 70), 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 3, 14, 9));
    p.setBrush(QColor(150, 150, 160));
    p.drawRoundedRect(QRectF(4, 11, 24, 11), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 18, 14, 10));
}

void database(QPainter& p, const QColor& c)
{
    p.setPen(pen(c.darker(150), 1.5));
    p.setBrush(c);
    p.drawRect(QRectF(7, 8, 18, 17));
    p.drawEllipse(QRectF(7, 21, 18, 7));
    p.setBrush(c.lighter(130));
    p.drawEllipse(QRectF(7, 4, 18, 7));
}

using Painter = std::function<void(QPainter&)>;

Painter painterFor(const QString& name)
{
    const QColor blue(40, 100, 200), green(30, 150, 80), orange(230, 130, 20), red(200, 50, 50),
        purple(130, 70, 170), teal(20, 140, 150);
    if (name == QLatin1String("btnNew"))
        return [=](QPainter& p) { sheet(p); badge(p, green, QStringLiteral("+")); };
    if (name == QLatin1String("btnOpen"))
        return [=](QPainter& p) { folder(p, QColor(240, 200, 90)); };
    if (name == QLatin1String("btnClose"))
        return [=](QPainter& p) {
            folder(p, QColor(200, 190, 160));
            badge(p, QColor(110, 110, 110), QStringLiteral("×"));
        };
    if (name == QLatin1String("btnMnt"))
        return [=](QPainter& p) {
            sheet(p);
            p.setPen(pen(orange, 3));
            p.drawLine(QPointF(12, 24), QPointF(27, 9));
        };
    if (name == QLatin1String("btnDLT"))
        return [=](QPainter& p) { sheet(p); badge(p, red, QStringLiteral("−")); };
    if (name == QLatin1String("btnKihon"))
        return [=](QPainter& p) {
            p.setPen(pen(QColor(80, 80, 80), 2));
            for (int y : {8, 16, 24}) {
                p.drawLine(QPointF(5, y), QPointF(27, y));
            }
            p.setBrush(blue);
            p.setPen(Qt::NoPen);
            p.drawEllipse(QPointF(11, 8), 3.5, 3.5);
            p.drawEllipse(QPointF(21, 16), 3.5, 3.5);
            p.drawEllipse(QPointF(14, 24), 3.5, 3.5);
        };
    if (name == QLatin1String("btnSyuryo"))
        return [=](QPainter& p) {
            person(p, teal.lighter(120), -4);
            person(p, teal, 5);
        };
    if (name == QLatin1String("btnEvaConv"))
        return [=](QPainter& p) {
            QPolygonF star;
            for (int i = 0; i < 10; ++i) {
                const double r = i % 2 ? 6 : 13, a = -M_PI / 2 + i * M_PI / 5;
                star << QPointF(16 + r * std::cos(a), 16 + r * std::sin(a));
            }
            p.setPen(pen(orange.darker(130), 1.5));
            p.setBrush(QColor(250, 200, 40));
            p.drawPolygon(star);
        };
    if (name == QLatin1String("btnWorker"))
        return [=](QPainter& p) { person(p, blue); };
    if (name == QLatin1String("btn_Import"))
        return [=](QPainter& p) { sheet(p); arrow(p, green, QPointF(2, 16), QPointF(18, 16)); };
    if (name == QLatin1String("btn_Export"))
        return [=](QPainter& p) { sheet(p); arrow(p, blue, QPointF(14, 16), QPointF(30, 16)); };
    if (name == QLatin1String("btnSalaryPlot"))
        return [=](QPainter& p) { axes(p); dots(p, blue); };
    if (name == QLatin1String("btnSalaryCurve"))
        return [=](QPainter& p) { axes(p); dots(p, QColor(150, 150, 150)); curve(p, red); };
    if (name == QLatin1String("btnLiveingComp"))
        return [=](QPainter& p) {
            axes(p);
            curve(p, green);
            p.setPen(pen(orange, 2));
            p.drawLine(QPointF(7, 18), QPointF(28, 12));
        };
    if (name == QLatin1String("btnModelComp"))
        return [=](QPainter& p) {
            axes(p);
            curve(p, purple);
            p.setPen(QPen(blue, 2, Qt::DashLine));
            p.drawLine(QPointF(7, 22), QPointF(28, 10));
        };
    if (name == QLatin1String("btnSalaryUpSetting"))
        return [=](QPainter& p) {
            axes(p);
            curve(p, teal);
            p.setPen(pen(orange, 3));
            p.drawLine(QPointF(14, 26), QPointF(28, 12));
        };
    if (name == QLatin1String("btnSalaryList"))
        return [=](QPainter& p) { grid(p, QColor(120, 170, 230)); };
    if (name == QLatin1String("btnSalarySetting"))
        return [=](QPainter& p) {
            axes(p);
            for (int i = 0; i < 3; ++i) {
                QPainterPath path;
                path.moveTo(6, 25 - i * 5);
                path.cubicTo(12, 22 - i * 5, 20, 14 - i * 5, 28, 12 - i * 4);
                p.setPen(pen(QColor::fromHsv(200 + i * 50, 200, 200), 2));
                p.drawPath(path);
            }
        };
    if (name == QLatin1String("btnSalaryInput"))
        return [=](QPainter& p) {
            yenCoin(p, QColor(220, 170, 30), QRectF(3, 10, 18, 18));
            arrow(p, red, QPointF(24, 28), QPointF(24, 6));
        };
    if (name == QLatin1String("btnKousinn"))
        return [=](QPainter& p) {
            p.setPen(pen(green, 3));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(6, 6, 20, 20), 30 * 16, 280 * 16);
            arrow(p, green, QPointF(23, 12), QPointF(26, 6));
        };
    if (name == QLatin1String("btn_GroupSalary"))
        return [=](QPainter& p) {
            sheet(p);
            p.setPen(pen(blue, 1.5));
            for (int y : {12, 16, 20, 24})
                p.drawLine(QPointF(11, y), QPointF(23, y));
        };
    if (name == QLatin1String("btn_GroupSalaryUp"))
        return [=](QPainter& p) {
            sheet(p);
            p.setPen(pen(blue, 1.5));
            for (int y : {12, 16, 20})
                p.drawLine(QPointF(11, y), QPointF(18, y));
            arrow(p, red, QPointF(23, 27), QPointF(23, 12));
        };
    if (name == QLatin1String("btn_Person"))
        return [=](QPainter& p) {
            sheet(p);
            p.save();
            p.translate(9, 7);
            p.scale(0.55, 0.55);
            person(p, teal);
            p.restore();
        };
    if (name == QLatin1String("btn_PerWage"))
        return [=](QPainter& p) { sheet(p); yenCoin(p, QColor(220, 170, 30), QRectF(11, 12, 13, 13)); };
    if (name == QLatin1String("btn_mdb"))
        return [=](QPainter& p) {
            database(p, QColor(90, 140, 200));
            arrow(p, orange, QPointF(30, 4), QPointF(22, 12));
        };
    if (name == QLatin1String("btn_Printa"))
        return [=](QPainter& p) { printer(p); };
    if (name == QLatin1String("btnHelp"))
        return [=](QPainter& p) {
            p.setPen(Qt::NoPen);
            p.setBrush(blue);
            p.drawEllipse(QRectF(4, 4, 24, 24));
            p.setPen(Qt::white);
            QFont f(QStringLiteral("Noto Sans CJK JP"));
            f.setPixelSize(18);
            f.setBold(true);
            p.setFont(f);
            p.drawText(QRectF(4, 4, 24, 24), Qt::AlignCenter, QStringLiteral("?"));
        };
    if (name == QLatin1String("btn_END"))
        return [=](QPainter& p) {
            p.setPen(pen(QColor(90, 60, 30), 1.5));
            p.setBrush(QColor(200, 160, 110));
            p.drawRect(QRectF(8, 3, 16, 26));
            p.setBrush(QColor(60, 60, 60));
            p.drawEllipse(QPointF(20, 17), 1.5, 1.5);
            arrow(p, red, QPointF(14, 16), QPointF(30, 16));
        };
    return [=](QPainter& p) { sheet(p); };
}

QPixmap draw(const Painter& paint, int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / double(S), size / double(S));
    paint(p);
    return pm;
}

} // namespace

QIcon ToolIcon(const QString& buttonName)
{
    const Painter paint = painterFor(buttonName);
    QIcon icon;
    for (int size : {32, 64})
        icon.addPixmap(draw(paint, size));
    return icon;
}

QPixmap EmblemPixmap(int size)
{
    return draw(
        [](QPainter& p) {
            QLinearGradient g(0, 0, 0, S);
            g.setColorAt(0, QColor(60, 130, 210));
            g.setColorAt(1, QColor(20, 70, 140));
            p.setPen(Qt::NoPen);
            p.setBrush(g);
            p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
            p.setBrush(QColor(255, 255, 255, 60));
            for (int i = 0; i < 4; ++i)
                p.drawRect(QRectF(6 + i * 5.5, 24 - i * 4.5, 4, 4 + i * 4.5));
            QPainterPath path;
            path.moveTo(5, 25);
            path.cubicTo(12, 22, 18, 12, 27, 6);
            p.setPen(QPen(QColor(255, 210, 60), 2.5, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawPath(path);
        },
        size);
}

QPixmap SplashPixmap(int size)
{
    QPixmap pm(size, size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, size);
    g.setColorAt(0, QColor(235, 242, 250));
    g.setColorAt(1, QColor(180, 205, 235));
    p.fillRect(pm.rect(), g);
    const int emblem = size / 2;
    p.drawPixmap((size - emblem) / 2, size / 8, EmblemPixmap(emblem));
    QFont f(QStringLiteral("Noto Sans CJK JP"));
    f.setPixelSize(size / 15);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(20, 60, 120));
    p.drawText(QRect(0, size * 5 / 8, size, size / 6), Qt::AlignCenter, AppTitle);
    f.setPixelSize(size / 22);
    f.setBold(false);
    p.setFont(f);
    p.setPen(QColor(60, 80, 110));
    p.drawText(QRect(0, size * 25 / 32, size, size / 8), Qt::AlignCenter, QStringLiteral("賃金設計ワークベンチ"));
    p.setPen(QPen(QColor(20, 60, 120), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(pm.rect().adjusted(1, 1, -2, -2));
    return pm;
}
