// Report templates (Report/<name>.jfm): our JSON page description with the page size,
// the static content (texts, lines, frames) and the named fields with their rectangles.
//
//   {
//     "page":   {"size": "A4", "orientation": "landscape"},
//     "font":   "Noto Sans CJK JP",                               (optional)
//     "texts":  [{"rect": [l, t, r, b], "text": "号俸", "size": 9, "align": "centre", "bold": true}],
//     "lines":  [{"from": [x, y], "to": [x, y], "width": 20}],   (width 0 = thinnest)
//     "frames": [{"rect": [l, t, r, b], "width": 30, "fill": "#EEEEEE"}],
//     "fields": [{"name": "GOU", "rect": [l, t, r, b], "size": 9, "align": "right"},
//                {"name": "IMAGE", "rect": [l, t, r, b], "image": true}]
//   }
//
// All positions are engine units of 0.01 mm from the top left corner of the page; font
// sizes are points; align is "left", "right" or "centre" (default left).
#pragma once

#include <QColor>
#include <QList>
#include <QMap>
#include <QString>

inline const QString ReportFontFamily = QStringLiteral("Noto Sans CJK JP");

// A rectangle in engine units: left, top, right, bottom.
struct ReportRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    ReportRect movedDown(int offset) const { return {left, top + offset, right, bottom + offset}; }
};

struct TemplateText {
    ReportRect rect;
    QString text;
    double size = 10;
    int align = 0;        // ReportAlign
    bool bold = false;
};

struct TemplateLine {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int width = 0;        // engine units; 0 = the thinnest line
};

struct TemplateFrame {
    ReportRect rect;
    int width = 0;
    QColor fill;          // invalid = not filled
};

struct TemplateField {
    QString name;
    ReportRect rect;
    double size = 10;     // points
    int align = 0;        // ReportAlign
    bool bold = false;
    bool image = false;
};

struct ReportTemplate {
    QString path;
    int pageWidth = 0;    // engine units, after the orientation
    int pageHeight = 0;
    bool landscape = false;
    QString font = ReportFontFamily;
    QList<TemplateText> texts;
    QList<TemplateLine> lines;
    QList<TemplateFrame> frames;
    QList<TemplateField> fields;
    QMap<QString, int> fieldIndex;

    bool hasField(const QString& name) const { return fieldIndex.contains(name); }
    // The field rectangle query: the field's rectangle, an empty one for an unknown field.
    ReportRect fieldRect(const QString& name) const;
    const TemplateField* field(const QString& name) const;
};

// Loads a template. false with a Japanese message naming the file in error when the
// file is missing, unreadable or not a well-formed template.
bool LoadReportTemplate(const QString& path, ReportTemplate& out, QString* error);
