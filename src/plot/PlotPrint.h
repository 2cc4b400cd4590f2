// Plot printing: the A4 page (header, analysis block, picture, commentary) in 1/600-inch
// units, the banded picture read back from its BMP file, and a plain PDF entry point.
#pragma once

#include "plot/AnalysisTexts.h"
#include "plot/ChartModel.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class QPainter;
class QPagedPaintDevice;

// ---------------------------------------------------------------- the banded picture

// A picture held as a stack of full-width bands of at most 8 MiB of pixel rows each, so
// that no single device bitmap has to hold a large picture. Failures give the messages
// "TBigBitmap.…" of the limits and "LoadDIBFromStream: …" of a damaged file.
class BandedBitmap {
public:
    static constexpr qint64 BandBytes = 8388608;
    static constexpr qint64 WidthLimit = 522239;   // bits per pixel × width + 31

    // Rows per band for a width and pixel depth: 8 MiB ÷ row bytes, at most the height.
    static int RowsPerBand(int width, int height, int bitsPerPixel);

    // An empty picture of this size; false with the message on a negative size or a too wide one.
    bool setSize(int width, int height, int bitsPerPixel, QString* error);
    // Reads a BMP file's bytes into bands; false with the message when it cannot.
    bool load(const QByteArray& bmp, QString* error);

    int width() const { return width_; }
    int height() const { return height_; }
    int bandCount() const { return int(bands_.size()); }
    const QImage& band(int i) const { return bands_[i]; }
    // The bands joined again (for checks).
    QImage toImage() const;
    // Stretches the picture into target, band by band.
    void draw(QPainter& painter, const QRect& target) const;

private:
    bool split(const QImage& image, QString* error);

    int width_ = 0;
    int height_ = 0;
    QList<QImage> bands_;
};

// ---------------------------------------------------------------- the page

// A drawn curve's texts for the analysis block of the raise-curve design chart.
struct DrawnCurveText {
    QString legend;        // HANREI
    QString explanation;   // SETSUMEI
};

// What the page shows besides the picture.
struct PlotPrintData {
    TChart_ chart;                     // CHCO, FX, TITLE, KAISETSU
    TAnalize1 texts;                   // BuildAnalysisTexts
    QString dateText;                  // "2024 年  4 月  1 日"
    QString companyLine;               // fiscal year + " 年度  :  " + company + "　　様"
    QString companyName;               // the PDF's author
    std::optional<std::array<QString, 3>> costSource;   // 出所, 対象地域, 調査時点 (chart 1030)
    std::optional<TMODEL_> modelSource;                 // chart 1040
    std::array<std::optional<DrawnCurveText>, 5> curves; // chart 1050
};

struct PageText {
    QPoint at;            // top-left in page units
    int fontSize = 10;    // points
    QString text;
    bool centred = false; // at.x() is the centre
    int maxWidth = 0;     // page units the text may take (0: no limit); a longer one is drawn smaller
    int frameBottom = 0;  // page units: when set, the text's ink is centred between at.y() and it
};

struct PageFrame {
    QRect rect;           // page units, corners inclusive as given
    int penWidth = 5;
};

struct PlotPageLayout {
    QList<PageText> texts;
    QList<PageFrame> frames;
    QRect picture;        // where the plot picture is stretched
};

// The commentary in upper case cut into pieces of 40 characters (line breaks count as characters).
QStringList CommentaryPieces(const QString& commentary);

// The page of a chart in 1/600-inch units.
PlotPageLayout ComposePlotPage(const PlotPrintData& data);

// Page units to device pixels: × resolution ÷ 600, halves to even.
int ToDevice(int pageUnits, int resolution);

// Paints the page onto a device whose resolution is resolution dots per inch.
void PaintPlotPage(QPainter& painter, int resolution, const PlotPageLayout& page, const BandedBitmap& picture);

// The page data of the plot on view: analysis texts, the session's today as the date, the
// company line and the sources or drawn-curve texts the chart needs, read from the session's
// project.
PlotPrintData PlotPrintDataOf(const Session& s, const ChartModel& model);

// Prints one plot page on an A4 portrait device: writes picture as a BMP into a temporary
// file of the system's temporary folder (removed when done), reads it back into bands and
// paints the page. false with the message when the picture cannot be written or read back.
bool PrintPlotPage(QPagedPaintDevice& device, const PlotPrintData& data, const QImage& picture, QString* error);

// The batch entry point: the page written as a PDF file at the given resolution.
bool WritePlotPdf(const QString& pdfPath, const PlotPrintData& data, const QImage& picture, int resolution,
                  QString* error);
