// Plot printing: the A4 page (header, analysis block, picture, commentary) in 1/600-inch
// units, the banded picture read back from its BMP file, and a plain PDF entry point.
#include "plot/PlotPrint.h"

#include "core/PdfTextMap.h"

#include "plot/PlotLayout.h"
#include "plot/PlotPainter.h"
#include "reference/CostOfLiving.h"
#include "core/Dates.h"
#include "core/Pictures.h"
#include "store/RecordAccess.h"

#include <QFile>
#include <QTemporaryFile>
#include <QFileInfo>
#include <QDir>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

// ---------------------------------------------------------------- the banded picture

int BandedBitmap::RowsPerBand(int width, int height, int bitsPerPixel)
{
    const qint64 rowBytes = ((qint64(bitsPerPixel) * width + 31) / 32) * 4;
    if (rowBytes <= 0)
        return height;
    return int(std::min<qint64>(BandBytes / rowBytes, height));
}

bool BandedBitmap::setSize(int width, int height, int bitsPerPixel, QString* error)
{
    auto fail = [error](const char* message) {
        if (error)
            *error = QString::fromLatin1(message);
        return false;
    };
    if (width < 0)
        return fail("TBigBitmap.SetBitmaps: Negative Width");
    if (height < 0)
        return fail("TBigBitmap.SetBitmaps: Negative Height");
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 16 && bitsPerPixel != 24
        && bitsPerPixel != 32)
        return fail("TBigBitmap.GetPixelBits: Invalid Pixel Format");
    if (qint64(bitsPerPixel) * width + 31 > WidthLimit)
        return fail("TBigBitmap.SetBitmaps: Too Big Width or Too Many Pixel Bits");
    width_ = width;
    height_ = height;
    bands_.clear();
    if (width == 0 || height == 0)
        return true;
    const int rows = RowsPerBand(width, height, bitsPerPixel);
    for (int top = 0; top < height; top += rows) {
        QImage band(width, std::min(rows, height - top), QImage::Format_RGB888);
        band.fill(Qt::white);
        bands_ << band;
    }
    return true;
}

bool BandedBitmap::split(const QImage& image, QString* error)
{
    if (!setSize(image.width(), image.height(), 24, error))
        return false;
    int top = 0;
    for (QImage& band : bands_) {
        band = image.copy(0, top, width_, band.height()).convertToFormat(QImage::Format_RGB888);
        top += band.height();
    }
    return true;
}

bool BandedBitmap::load(const QByteArray& bmp, QString* error)
{
    const QString problem = BmpHeaderProblem(bmp);
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        return false;
    }
    if (bmp.size() >= 30) {
        const auto le = [&bmp](int at, int n) {
            qint64 v = 0;
            for (int i = n - 1; i >= 0; --i)
                v = (v << 8) | quint8(bmp[at + i]);
            return v;
        };
        const bool core = le(14, 4) == 12;
        const qint64 width = core ? le(18, 2) : qint32(le(18, 4));
        const qint64 bits = core ? le(24, 2) : le(28, 2);
        if (bits * width + 31 > WidthLimit) {
            if (error)
                *error = QStringLiteral("TBigBitmap.LoadFromStream: Too Big Width or Too Many Pixel Bits");
            return false;
        }
    }
    const QImage image = DecodeBmp(bmp);
    if (image.isNull()) {
        if (error)
            *error = QStringLiteral("TBigBitmap.LoadFromStream: Invalid BitCount");
        return false;
    }
    return split(image, error);
}

QImage BandedBitmap::toImage() const
{
    QImage out(width_, height_, QImage::Format_RGB888);
    QPainter p(&out);
    int top = 0;
    for (const QImage& band : bands_) {
        p.drawImage(0, top, band);
        top += band.height();
    }
    return out;
}

void BandedBitmap::draw(QPainter& painter, const QRect& target) const
{
    if (height_ == 0 || width_ == 0)
        return;
    const double yScale = double(target.height()) / height_;
    int top = 0;
    for (const QImage& band : bands_) {
        const QRectF to(target.left(), target.top() + top * yScale, target.width(), band.height() * yScale);
        painter.drawImage(to, band);
        top += band.height();
    }
}

// ---------------------------------------------------------------- the page

namespace {

void addLine(PlotPageLayout& page, int y, const QString& title, const QString& text)
{
    page.texts << PageText{{450, y}, 10, title} << PageText{{850, y}, 10, text};
}

void addText(PlotPageLayout& page, int x, int y, const QString& text, int size = 10)
{
    page.texts << PageText{{x, y}, size, text};
}

} // namespace

QStringList CommentaryPieces(const QString& commentary)
{
    const QString upper = commentary.toUpper();
    QStringList pieces;
    for (qsizetype at = 0; at < upper.size(); at += 40)
        pieces << upper.mid(at, 40);
    return pieces;
}

PlotPageLayout ComposePlotPage(const PlotPrintData& d)
{
    PlotPageLayout page;
    const int chart = d.chart.CHCO.toInt();
    const TAnalize1& t = d.texts;
    const bool sourceChart = chart == ChartCostOfLiving || chart == ChartModelWage;

    // Header.
    addText(page, 3550, 280, d.dateText, 12);
    addText(page, 550, 400, d.companyLine, 16);
    // The title stands inside its double frame: its ink is centred in the inner frame, as
    // the font's tall line height would otherwise push it through the frame's bottom.
    page.texts << PageText{{2500, 680}, 20, d.chart.TITLE, true, 0, 900};
    page.frames << PageFrame{QRect(QPoint(900, 680), QPoint(4050, 900))}
                << PageFrame{QRect(QPoint(885, 665), QPoint(4065, 915))};

    // Analysis block.
    addLine(page, 1000, QStringLiteral("年齢勤続"), t[0]);
    addLine(page, 1100, QStringLiteral("ＸＹ座標"), t[1]);
    const bool optimal = PlotsOptimalWage(d.chart);
    if (chart == ChartWagePlot) {
        addLine(page, 1200, QStringLiteral("Ｘ平均値"), t[11] + t[12] + t[13]);
        addLine(page, 1300, QStringLiteral("Ｙ平均値"), t[14] + t[15] + t[16]);
        addLine(page, 1500, QStringLiteral("等級選択"), t[5]);
    } else if (chart == ChartCurveDesign) {
        addLine(page, 1200, QStringLiteral("等級選択"), t[5]);
        addText(page, 450, 1300, QStringLiteral("曲線番号"));
        const QPoint numbers[5] = {{850, 1300}, {850, 1400}, {850, 1500}, {2700, 1300}, {2700, 1400}};
        const QPoint legends[5] = {{1000, 1300}, {1000, 1400}, {1000, 1500}, {2850, 1300}, {2850, 1400}};
        for (int n = 0; n < 5; ++n) {
            const QString label = QStringLiteral("(%1)").arg(n + 1);
            addText(page, numbers[n].x(), numbers[n].y(), label);
            addText(page, 450, 4850 + 150 * n, label);
            if (d.curves[n]) {
                addText(page, legends[n].x(), legends[n].y(), d.curves[n]->legend);
                addText(page, 650, 4850 + 150 * n, d.curves[n]->explanation);
            }
        }
    } else if (chart == ChartRaiseCurve || chart == ChartOptimalWage || sourceChart) {
        addLine(page, 1200, QStringLiteral("データ数"), t[2] + t[3]);
        addLine(page, 1300, QStringLiteral("等級選択"), t[5]);
        if (chart == ChartRaiseCurve && !optimal) {
            addLine(page, 1400, QStringLiteral("平均賃金"), t[17] + t[18]);
            addLine(page, 1500, QStringLiteral("平均昇給"), t[19] + t[20]);
        } else if (!sourceChart) {
            addLine(page, 1400, QStringLiteral("残差平均"), t[23] + t[24]);
            addLine(page, 1500, QStringLiteral("賃金平均"), t[21] + t[22]);
        } else if (chart == ChartCostOfLiving) {
            addText(page, 450, 1400, QStringLiteral("比較資料"));
            addText(page, 850, 1400, QStringLiteral("出　　　所："));
            addText(page, 850, 1500, QStringLiteral("対象地域："));
            addText(page, 850, 1600, QStringLiteral("調査時点："));
            if (d.costSource)
                for (int i = 0; i < 3; ++i)
                    addText(page, 1300, 1400 + 100 * i, (*d.costSource)[i]);
        } else {
            addText(page, 450, 1400, QStringLiteral("比較資料"));
            addText(page, 850, 1400, QStringLiteral("出　　　所："));
            addText(page, 2700, 1400, QStringLiteral("対象地域："));
            addText(page, 850, 1500, QStringLiteral("事業所数："));
            addText(page, 2700, 1500, QStringLiteral("調査時点："));
            addText(page, 850, 1600, QStringLiteral("業　　　種："));
            addText(page, 2700, 1600, QStringLiteral("規　　　模："));
            if (d.modelSource) {
                const TMODEL_& m = *d.modelSource;
                addText(page, 1300, 1400, m.DEDOKORO);
                addText(page, 3150, 1400, m.TCHIIKI);
                addText(page, 1300, 1500, QStringLiteral("回答あった ") + m.JSU + QStringLiteral(" 社"));
                addText(page, 3150, 1500, m.CJITEN);
                addText(page, 1300, 1600, m.GYOUSYU);
                addText(page, 3150, 1600, m.KIBO);
            }
        }
    }

    // Picture frame and place.
    const int pictureTop = sourceChart ? 1800 : 1700;
    page.frames << PageFrame{QRect(QPoint(450, pictureTop), QPoint(4500, 4750))};
    page.picture = QRect(QPoint(470, pictureTop + 20), QPoint(4480, 4730));

    // Commentary.
    const bool design = chart == ChartCurveDesign;
    addText(page, 450, design ? 5600 : 4850, QStringLiteral("【解説】"), 14);
    const QStringList pieces = CommentaryPieces(d.chart.KAISETSU);
    // Forty full-width characters at 12 points are wider than the frame: such a piece is
    // drawn smaller so that it stays inside.
    for (int k = 0; k < pieces.size(); ++k)
        page.texts << PageText{{600, (design ? 5850 : 5100) + 140 * k}, 12, pieces[k], false, 4500 - 40 - 600};
    page.frames << PageFrame{QRect(QPoint(450, design ? 5750 : 5000), QPoint(4500, 6500))};
    return page;
}

int ToDevice(int pageUnits, int resolution)
{
    return int(std::nearbyint(double(pageUnits) * resolution / 600.0));   // halves to even
}

void PaintPlotPage(QPainter& painter, int resolution, const PlotPageLayout& page, const BandedBitmap& picture)
{
    auto rect = [resolution](const QRect& r) {
        return QRect(QPoint(ToDevice(r.left(), resolution), ToDevice(r.top(), resolution)),
                     QPoint(ToDevice(r.right(), resolution), ToDevice(r.bottom(), resolution)));
    };
    painter.setPen(QPen(Qt::black, 1));
    for (const PageText& t : page.texts) {
        QFont font = DocumentFont(PlotFontFamily);
        font.setPixelSize(std::max(1, int(std::lround(t.fontSize * resolution / 72.0))));
        if (t.maxWidth > 0) {
            const int room = ToDevice(t.maxWidth, resolution);
            const int width = QFontMetrics(font).horizontalAdvance(t.text);
            if (width > room)
                font.setPixelSize(std::max(1, font.pixelSize() * room / width));
        }
        painter.setFont(font);
        const QFontMetrics fm(font);
        int x = ToDevice(t.at.x(), resolution);
        if (t.centred)
            x -= fm.horizontalAdvance(t.text) / 2;
        int baseline = ToDevice(t.at.y(), resolution) + fm.ascent();
        if (t.frameBottom > t.at.y()) {
            const QRect ink = fm.tightBoundingRect(t.text);
            const int top = ToDevice(t.at.y(), resolution), bottom = ToDevice(t.frameBottom, resolution);
            baseline = (top + bottom) / 2 - (ink.top() + ink.bottom()) / 2;
        }
        painter.drawText(QPoint(x, baseline), t.text);
    }
    picture.draw(painter, rect(page.picture));
    painter.setBrush(Qt::NoBrush);
    for (const PageFrame& f : page.frames) {
        painter.setPen(QPen(Qt::black, std::max(1, ToDevice(f.penWidth, resolution)), Qt::SolidLine, Qt::SquareCap,
                            Qt::MiterJoin));
        painter.drawRect(rect(f.rect));
    }
}

PlotPrintData PlotPrintDataOf(const Session& s, const ChartModel& model)
{
    PlotPrintData d;
    d.chart = model.settings;
    d.chart.CHCO = QString::number(model.chartId);
    TSeriesSet points = model.pointSet;
    const AnalysisInputs inputs = AnalysisInputsOfOpenProject(s, model.settings);
    d.texts = BuildAnalysisTexts(points, inputs);
    const QDate& today = s.today;
    d.dateText = QStringLiteral("%1 年  %2 月  %3 日").arg(today.year()).arg(today.month()).arg(today.day());
    const TMKIGYOU2& c = s.company();
    d.companyLine = FiscalYearText(s.calendarMode, c.NENDO.toInt()) + QStringLiteral(" 年度  :  ") + c.KNA
                    + QStringLiteral("　　様");
    d.companyName = c.KNA;
    // The company's cost-of-living set is the one of its code SKCO (MCCO is always 0).
    if (model.chartId == ChartCostOfLiving && c.SKCO != 0) {
        CostSet set;
        if (ReadCostSet(s, c.SKCO, set) && !set.rows.isEmpty())
            d.costSource = std::array<QString, 3>{set.source, set.region, set.surveyTime};
    }
    if (model.chartId == ChartModelWage && c.MDCO != 0 && inputs.model)
        d.modelSource = *inputs.model;
    if (model.chartId == ChartCurveDesign) {
        QList<TSPDRAW_> rows;
        ReadDrawnCurveRows(s, model.fx, model.fy, false, rows);
        for (const TSPDRAW_& row : rows) {
            const int n = row.SDCO.trimmed().toInt();
            if (n >= 1 && n <= DrawnSlotCount)
                d.curves[n - 1] = DrawnCurveText{row.HANREI, row.SETSUMEI};
        }
    }
    return d;
}

bool PrintPlotPage(QPagedPaintDevice& device, const PlotPrintData& data, const QImage& picture, QString* error)
{
    // The banded bitmap (RLB4T.bmp) lives in the system's temporary folder while the page is
    // printed; it goes when the file object does.
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/RLB4T-XXXXXX.bmp"));
    if (!file.open() || file.write(EncodeBmp(picture)) < 0 || !file.flush() || !file.seek(0)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    BandedBitmap bands;
    if (!bands.load(file.readAll(), error))
        return false;
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageOrientation(QPageLayout::Portrait);
    device.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&device)) {
        if (error)
            *error = QStringLiteral("印刷を開始できませんでした。");
        return false;
    }
    PaintPlotPage(painter, device.logicalDpiX(), ComposePlotPage(data), bands);
    painter.end();
    return true;
}

bool WritePlotPdf(const QString& pdfPath, const PlotPrintData& data, const QImage& picture, int resolution,
                  QString* error)
{
    {
        QPdfWriter writer(pdfPath);
        writer.setResolution(resolution);
        writer.setTitle(QStringLiteral("ﾌﾟﾛｯﾄ"));
        if (!PrintPlotPage(writer, data, picture, error))
            return false;
    }
    // A reader takes the ideographs drawn, not the radicals sharing their glyphs.
    return CorrectPdfTextMap(pdfPath, PlotFontFamily, data.companyName, error);
}
