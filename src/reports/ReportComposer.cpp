// The report composer: a page model on its template, drawn into a PDF document file.
#include "reports/ReportComposer.h"

#include "core/Outcome.h"
#include "core/PdfTextMap.h"
#include "core/Pictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace {

// Device resolution of the PDF: fine enough for 0.01 mm positions to land within a dot.
constexpr int Resolution = 1200;
// Space kept between a text and the left or right edge of its box, in engine units.
constexpr int TextPadding = 40;

class PageRenderer {
public:
    PageRenderer(QPainter& painter, const ReportTemplate& tpl, const ReportDocument& doc)
        : p_(painter), tpl_(tpl), doc_(doc), scale_(Resolution / 2540.0)
    {
    }

    void render(const ReportPage& page)
    {
        drawForm();
        for (auto it = page.fields.cbegin(); it != page.fields.cend(); ++it) {
            const TemplateField* f = tpl_.field(it.key());
            if (!f || f->image)
                continue;
            drawText(f->rect, it.value(), f->size, f->bold, f->align, page.colors.value(it.key(), Qt::black));
        }
        for (auto it = page.images.cbegin(); it != page.images.cend(); ++it)
            if (const TemplateField* f = tpl_.field(it.key()))
                drawImage(f->rect, it.value());
        for (const ReportRow& row : page.rows) {
            for (auto it = row.cells.cbegin(); it != row.cells.cend(); ++it) {
                const TemplateField* f = tpl_.field(it.key());
                if (f)
                    drawText(f->rect.movedDown(row.offset), it.value().text, f->size, f->bold, it.value().align, Qt::black);
            }
        }
        const double boxSize = doc_.fontSize / 10.0;
        for (const ReportTextBox& b : page.boxes)
            drawText({b.left, b.top, b.right, b.bottom}, b.text, boxSize, false, b.align, Qt::black);
        p_.setPen(pen(0));
        for (const ReportLine& l : page.lines)
            p_.drawLine(point(l.x1, l.y1), point(l.x2, l.y2));
    }

private:
    QPainter& p_;
    const ReportTemplate& tpl_;
    const ReportDocument& doc_;
    const double scale_;
    // A font with its metrics on the PDF device, made once per size and weight.
    struct Face {
        QFont font;
        QFontMetricsF metrics;
    };
    QHash<quint64, Face> faces_;

    QPointF point(int x, int y) const { return {x * scale_, y * scale_}; }
    QRectF rect(const ReportRect& r) const
    {
        return QRectF(point(r.left, r.top), point(r.right, r.bottom));
    }
    QPen pen(int width) const
    {
        // 0 = the thinnest line that still prints: 0.1 mm.
        QPen pen(Qt::black, std::max(10, width) * scale_);
        pen.setCapStyle(Qt::FlatCap);
        return pen;
    }

    const Face& face(double points, bool bold)
    {
        const quint64 key = (quint64(points * 1000) << 1) | (bold ? 1 : 0);
        auto it = faces_.find(key);
        if (it == faces_.end()) {
            QFont f = DocumentFont(tpl_.font, bold);
            f.setPointSizeF(points);
            it = faces_.insert(key, Face{f, QFontMetricsF(f, p_.device())});
        }
        return *it;
    }

    void drawForm()
    {
        for (const TemplateFrame& f : tpl_.frames) {
            if (f.fill.isValid())
                p_.fillRect(rect(f.rect), f.fill);
            p_.setPen(pen(f.width));
            p_.setBrush(Qt::NoBrush);
            p_.drawRect(rect(f.rect));
        }
        for (const TemplateLine& l : tpl_.lines) {
            p_.setPen(pen(l.width));
            p_.drawLine(point(l.x1, l.y1), point(l.x2, l.y2));
        }
        for (const TemplateText& t : tpl_.texts)
            drawText(t.rect, t.text, t.size, t.bold, t.align, Qt::black);
    }

    // One line of text in its box: shrunk until it fits the box's width and height, so it
    // is never cut and never runs into the next box; aligned left, right or centred and
    // centred vertically.
    void drawText(const ReportRect& box, const QString& text, double points, bool bold, int align, const QColor& color)
    {
        if (text.trimmed().isEmpty())
            return;
        const QRectF area = rect({box.left + TextPadding, box.top, box.right - TextPadding, box.bottom});
        const Face* f = &face(points, bold);
        double width = f->metrics.horizontalAdvance(text);
        double height = f->metrics.ascent() + f->metrics.descent();
        const double shrink = std::min(area.width() > 0 ? area.width() / width : 0.0, area.height() / height);
        if (shrink < 1.0) {
            if (shrink <= 0)
                return;
            f = &face(points * shrink * 0.98, bold);
            width = f->metrics.horizontalAdvance(text);
            height = f->metrics.ascent() + f->metrics.descent();
        }
        double x = area.left();
        if (align == AlignRightText)
            x = area.right() - width;
        else if (align == AlignCentreText)
            x = area.left() + (area.width() - width) / 2;
        const double baseline = area.top() + (area.height() - height) / 2 + f->metrics.ascent();
        if (p_.font() != f->font)
            p_.setFont(f->font);
        if (p_.pen().color() != color || p_.pen().widthF() != 0)
            p_.setPen(QPen(color, 0));
        p_.drawText(QPointF(x, baseline), text);
    }

    void drawImage(const ReportRect& box, const QString& name)
    {
        if (name.trimmed().isEmpty())
            return;
        const QString path = QFileInfo(name).isAbsolute() || doc_.imagePath.isEmpty()
                                 ? name
                                 : QDir(doc_.imagePath).filePath(name);
        const QImage image = ReadPictureFile(path);
        if (image.isNull())
            return;
        const QRectF area = rect(box);
        QSizeF size = image.size();
        size.scale(area.size(), Qt::KeepAspectRatio);
        const QRectF target(area.left() + (area.width() - size.width()) / 2,
                            area.top() + (area.height() - size.height()) / 2, size.width(), size.height());
        p_.drawImage(target, image);
    }
};

QString failed(const QString& what, const QString& path, const QString& detail = QString())
{
    QString m = what + QStringLiteral("\r\n") + QDir::toNativeSeparators(path);
    if (!detail.isEmpty())
        m += QStringLiteral("\r\n") + detail;
    return m;
}

} // namespace

bool ComposeReport(const ReportDocument& doc, QString* error)
{
    ReportTemplate tpl;
    if (!LoadReportTemplate(doc.templatePath, tpl, error))
        return false;
    return ComposeReport(tpl, doc, error);
}

bool ComposeReport(const ReportTemplate& tpl, const ReportDocument& doc, QString* error)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (error)
            *error = QStringLiteral("帳票を作成できません。文字の描画に必要な表示環境がありません。");
        return false;
    }
    // Composed beside the document and put in its place only when complete.
    const QString partial = doc.documentPath + QStringLiteral(".part");
    QFile::remove(partial);
    {
        QPdfWriter writer(partial);
        writer.setResolution(Resolution);
        writer.setTitle(doc.docName);
        writer.setCreator(AppTitle);
        writer.setPageLayout(QPageLayout(QPageSize(QSizeF(tpl.landscape ? tpl.pageHeight / 100.0 : tpl.pageWidth / 100.0,
                                                          tpl.landscape ? tpl.pageWidth / 100.0 : tpl.pageHeight / 100.0),
                                                   QPageSize::Millimeter),
                                         tpl.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0)));
        QPainter painter;
        if (!painter.begin(&writer)) {
            if (error)
                *error = failed(QStringLiteral("帳票ファイルを作成できません。"), doc.documentPath);
            QFile::remove(partial);
            return false;
        }
        painter.setRenderHint(QPainter::TextAntialiasing);
        PageRenderer renderer(painter, tpl, doc);
        const QList<ReportPage> blank{ReportPage{}};
        const QList<ReportPage>& pages = doc.pages.isEmpty() ? blank : doc.pages;
        for (int i = 0; i < pages.size(); ++i) {
            if (i > 0)
                writer.newPage();
            renderer.render(pages.at(i));
        }
        painter.end();
    }
    // A reader takes the text that was drawn: the character maps name ideographs, not the
    // radicals that share their glyphs; the author names the company.
    QString mapError;
    if (QFileInfo(partial).size() > 0 && !CorrectPdfTextMap(partial, tpl.font, doc.author, &mapError)) {
        if (error)
            *error = failed(QStringLiteral("帳票ファイルの書き込みでエラーが発生しました。"), doc.documentPath, mapError);
        QFile::remove(partial);
        return false;
    }
    QFile out(partial);
    if (!out.exists() || out.size() == 0) {
        if (error)
            *error = failed(QStringLiteral("帳票ファイルの書き込みでエラーが発生しました。"), doc.documentPath);
        QFile::remove(partial);
        return false;
    }
    QFile::remove(doc.documentPath);
    if (!out.rename(doc.documentPath)) {
        if (error)
            *error = failed(QStringLiteral("帳票ファイルの書き込みでエラーが発生しました。"), doc.documentPath,
                            out.errorString());
        QFile::remove(partial);
        return false;
    }
    return true;
}
