// Plot printing: the page composition, the BMP writer and banded picture, and the page as a PDF.
#include "plot/PlotPrint.h"
#include "reference/CostOfLiving.h"
#include "core/Pictures.h"
#include "store/RecordAccess.h"
#include "support/PdfText.h"
#include "support/RecordedFailures.h"
#include "support/TestProject.h"

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QImage samplePicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 7) % 256, (y * 13) % 256, (x + y) % 256));
    return image;
}

PlotPrintData raiseCurvePage(const QString& commentary)
{
    PlotPrintData d;
    d.chart.CHCO = QStringLiteral("1020");
    d.chart.FX = QStringLiteral("1");
    d.chart.TITLE = QStringLiteral("昇給カーブ分析");
    d.chart.KAISETSU = commentary;
    for (int i = 0; i < 25; ++i)
        d.texts[i] = QStringLiteral("T") + QChar(u'a' + i);   // letters: pdftotext drops small digits
    d.dateText = QStringLiteral("2024 年  4 月  1 日");
    d.companyLine = QStringLiteral("2024 年度  :  テスト株式会社　　様");
    return d;
}

QString textAt(const PlotPageLayout& page, int x, int y)
{
    for (const PageText& t : page.texts)
        if (t.at == QPoint(x, y))
            return t.text;
    return QStringLiteral("<none>");
}

TEST(PlotPrintPage, CommentaryIsCutIntoFortyCharacterPiecesInUpperCase)
{
    const QString text = QString(QStringLiteral("abcdefghij")).repeated(9) + QStringLiteral("あいうえお");
    ASSERT_EQ(text.size(), 95);
    const QStringList pieces = CommentaryPieces(text);
    ASSERT_EQ(pieces.size(), 3);
    EXPECT_EQ(pieces[0].size(), 40);
    EXPECT_EQ(pieces[1].size(), 40);
    EXPECT_EQ(pieces[2].size(), 15);
    EXPECT_EQ(pieces[0].left(10), QStringLiteral("ABCDEFGHIJ"));
    EXPECT_EQ(CommentaryPieces(QStringLiteral("a\r\nb")), QStringList{QStringLiteral("A\r\nB")});
    EXPECT_TRUE(CommentaryPieces(QString()).isEmpty());
}

TEST(PlotPrintPage, FortyFullWidthCharactersStayInsideTheCommentaryFrame)
{
    EnsureGuiApplication();
    const QString line = QString(QStringLiteral("賃金設計の解説文")).repeated(5);
    const PlotPageLayout page = ComposePlotPage(raiseCurvePage(line + line));
    const int dpi = 150;
    QImage sheet(ToDevice(4960, dpi), ToDevice(7016, dpi), QImage::Format_RGB32);
    sheet.fill(Qt::white);
    {
        QPainter painter(&sheet);
        PaintPlotPage(painter, dpi, page, BandedBitmap());
    }
    // Right of the frame's pen, on the rows of the two commentary lines: nothing drawn.
    int inked = 0, outside = 0;
    for (int y = ToDevice(5100, dpi); y < ToDevice(5100 + 2 * 140, dpi); ++y) {
        for (int x = ToDevice(600, dpi); x < ToDevice(4480, dpi); ++x)
            inked += qGray(sheet.pixel(x, y)) < 128;
        for (int x = ToDevice(4520, dpi); x < sheet.width(); ++x)
            outside += qGray(sheet.pixel(x, y)) < 128;
    }
    EXPECT_GT(inked, 1000);
    EXPECT_EQ(outside, 0);
}

TEST(PlotPrintPage, AnalysisBlockFollowsTheChart)
{
    PlotPrintData d = raiseCurvePage(QStringLiteral("x"));
    PlotPageLayout page = ComposePlotPage(d);
    EXPECT_EQ(textAt(page, 850, 1000), QStringLiteral("Ta"));
    EXPECT_EQ(textAt(page, 450, 1200), QStringLiteral("データ数"));
    EXPECT_EQ(textAt(page, 850, 1200), QStringLiteral("TcTd"));
    EXPECT_EQ(textAt(page, 450, 1400), QStringLiteral("平均賃金"));
    EXPECT_EQ(textAt(page, 850, 1500), QStringLiteral("TtTu"));
    EXPECT_EQ(page.picture, QRect(QPoint(470, 1720), QPoint(4480, 4730)));
    EXPECT_EQ(textAt(page, 600, 5100), QStringLiteral("X"));
    // The title is centred inside its inner frame (680 to 900), not hung from its top.
    const auto title = std::find_if(page.texts.begin(), page.texts.end(), [](const PageText& t) { return t.fontSize == 20; });
    ASSERT_NE(title, page.texts.end());
    EXPECT_EQ(title->at.y(), 680);
    EXPECT_EQ(title->frameBottom, 900);

    d.chart.FX = QStringLiteral("5");   // against the optimal wage
    page = ComposePlotPage(d);
    EXPECT_EQ(textAt(page, 450, 1400), QStringLiteral("残差平均"));
    EXPECT_EQ(textAt(page, 850, 1500), QStringLiteral("TvTw"));

    d.chart.CHCO = QStringLiteral("1040");   // no model source: titles only
    page = ComposePlotPage(d);
    EXPECT_EQ(textAt(page, 2700, 1600), QStringLiteral("規　　　模："));
    EXPECT_EQ(textAt(page, 1300, 1400), QStringLiteral("<none>"));
    EXPECT_EQ(page.picture.top(), 1820);

    d.chart.CHCO = QStringLiteral("1050");
    d.curves[0] = DrawnCurveText{QStringLiteral("案一"), QStringLiteral("説明一")};
    d.curves[4] = DrawnCurveText{QStringLiteral("案五"), QStringLiteral("説明五")};
    page = ComposePlotPage(d);
    EXPECT_EQ(textAt(page, 1000, 1300), QStringLiteral("案一"));
    EXPECT_EQ(textAt(page, 2850, 1400), QStringLiteral("案五"));
    EXPECT_EQ(textAt(page, 650, 4850 + 600), QStringLiteral("説明五"));
    EXPECT_EQ(textAt(page, 1000, 1400), QStringLiteral("<none>"));
    EXPECT_EQ(textAt(page, 450, 5600), QStringLiteral("【解説】"));
    EXPECT_EQ(textAt(page, 600, 5850), QStringLiteral("X"));
}

TEST(PlotPrintPage, DataOfTheSessionIsDatedItsTodayAndTakesTheStoredCurveTexts)
{
    RecordedFailures failures;
    TestProgramFolder folder;
    OpenTestProject(folder, {.kco = 3, .year = 2024});
    Session& s = folder.session();
    s.today = QDate(2025, 3, 9);
    TSPDRAW_ row;
    row.KCO = QStringLiteral("3");
    row.NENDO = QStringLiteral("2024");
    row.SDCO = QStringLiteral("4");
    row.X = 1;
    row.Y = 2;
    row.HANREI = QStringLiteral("案四");
    row.SETSUMEI = QStringLiteral("説明四");
    ASSERT_TRUE(Insert(folder.fdm().ACN2, false, row));
    row.SDCO = QStringLiteral("2");
    row.Y = 3;   // another Y item: not this chart's
    ASSERT_TRUE(Insert(folder.fdm().ACN2, false, row));

    ChartModel m;
    m.chartId = ChartCurveDesign;
    m.fx = 1;
    m.fy = 2;
    m.settings.TITLE = QStringLiteral("設計");
    ResetSeriesSet(m.pointSet);
    const PlotPrintData d = PlotPrintDataOf(s, m);
    EXPECT_EQ(d.chart.CHCO, QStringLiteral("1050"));
    EXPECT_EQ(d.chart.TITLE, QStringLiteral("設計"));
    EXPECT_EQ(d.dateText, QStringLiteral("2025 年  3 月  9 日"));
    EXPECT_EQ(d.companyLine, QStringLiteral("2024 年度  :  テスト株式会社　　様"));
    EXPECT_EQ(d.texts[0], QStringLiteral("2024 年  4 月  1 日時点"));   // the project's reference date
    ASSERT_TRUE(d.curves[3].has_value());
    EXPECT_EQ(d.curves[3]->legend, QStringLiteral("案四"));
    EXPECT_EQ(d.curves[3]->explanation, QStringLiteral("説明四"));
    EXPECT_FALSE(d.curves[1].has_value());
    EXPECT_FALSE(d.costSource.has_value());
    EXPECT_TRUE(failures.reports.isEmpty());

    s.today = QDate(2026, 12, 31);
    EXPECT_EQ(PlotPrintDataOf(s, m).dateText, QStringLiteral("2026 年  12 月  31 日"));

    // The cost-of-living comparison prints the source of the company's own set (SKCO).
    CostRows rows{};
    rows[0] = {1, 30, 180, 0, 0, 0};
    CostSet values;
    values.source = QStringLiteral("統計局");
    values.region = QStringLiteral("全国");
    values.surveyTime = QStringLiteral("2023年");
    ASSERT_TRUE(SaveCostSet(s, 7, rows, values));
    s.project.CurrentCompany.SKCO = 7;
    m.chartId = ChartCostOfLiving;
    const PlotPrintData cost = PlotPrintDataOf(s, m);
    ASSERT_TRUE(cost.costSource.has_value());
    EXPECT_EQ(*cost.costSource, (std::array<QString, 3>{QStringLiteral("統計局"), QStringLiteral("全国"),
                                                          QStringLiteral("2023年")}));
}

TEST(PlotPrintBitmap, WriterAndReaderRoundTripAndBandsStayBelowTheLimit)
{
    for (QSize size : {QSize(1, 1), QSize(3, 2), QSize(397, 251)}) {
        const QImage picture = samplePicture(size.width(), size.height());
        const QImage back = DecodeBmp(EncodeBmp(picture));
        ASSERT_FALSE(back.isNull());
        EXPECT_EQ(back.convertToFormat(QImage::Format_RGB888), picture) << size.width();
        BandedBitmap bands;
        QString error;
        ASSERT_TRUE(bands.load(EncodeBmp(picture), &error)) << error.toStdString();
        EXPECT_EQ(bands.toImage(), picture);
    }

    // 24 bits × 4000 pixels: 12,000 bytes a row, 699 rows a band, 3 bands for 1,500 rows.
    EXPECT_EQ(BandedBitmap::RowsPerBand(4000, 1500, 24), 699);
    BandedBitmap big;
    QString error;
    ASSERT_TRUE(big.setSize(4000, 1500, 24, &error));
    EXPECT_EQ(big.bandCount(), 3);
    for (int i = 0; i < big.bandCount(); ++i)
        EXPECT_LE(qint64(big.band(i).bytesPerLine()) * big.band(i).height(), BandedBitmap::BandBytes);
}

TEST(PlotPrintBitmap, LimitsAndDamagedFilesGiveTheirMessages)
{
    struct Case {
        int width, height, bits;
        const char* message;
    } cases[] = {
        {-1, 10, 24, "TBigBitmap.SetBitmaps: Negative Width"},
        {10, -1, 24, "TBigBitmap.SetBitmaps: Negative Height"},
        {21760, 10, 24, "TBigBitmap.SetBitmaps: Too Big Width or Too Many Pixel Bits"},
        {10, 10, 7, "TBigBitmap.GetPixelBits: Invalid Pixel Format"},
    };
    for (const Case& c : cases) {
        BandedBitmap b;
        QString error;
        EXPECT_FALSE(b.setSize(c.width, c.height, c.bits, &error));
        EXPECT_EQ(error, QString::fromLatin1(c.message));
    }

    const QByteArray good = EncodeBmp(samplePicture(8, 8));
    QByteArray wrongType = good;
    wrongType[0] = 'X';
    QByteArray wrongHeader = good;
    wrongHeader[14] = 20;
    QByteArray wrongBits = good;
    wrongBits[28] = 7;
    QByteArray tooWide = good;
    tooWide[18] = char(0x00);
    tooWide[19] = char(0x60);   // 24,576 pixels of 24 bits
    const std::pair<QByteArray, const char*> files[] = {
        {wrongType, "LoadDIBFromStream: File type is invalid"},
        {wrongHeader, "LoadDIBFromStream: Invalid Bitmap Header Size"},
        {wrongBits, "LoadDIBFromStream: Invalid BitCout"},
        {tooWide, "TBigBitmap.LoadFromStream: Too Big Width or Too Many Pixel Bits"},
        {good.left(20), "LoadDIBFromStream: Invalid Bitmap Header Size"},
    };
    for (const auto& [bytes, message] : files) {
        BandedBitmap b;
        QString error;
        EXPECT_FALSE(b.load(bytes, &error));
        EXPECT_EQ(error, QString::fromLatin1(message));
    }
}

TEST(PlotPrintPdf, PageHoldsHeaderAnalysisAndCommentaryAtBothResolutions)
{
    EnsureGuiApplication();
    QTemporaryDir dir;
    const QString commentary = QString(QStringLiteral("abcdefghij")).repeated(9) + QStringLiteral("klmno");
    const PlotPrintData d = raiseCurvePage(commentary);
    const QImage picture = samplePicture(600, 400);
    QList<PdfWord> words[2];
    const int resolutions[2] = {300, 600};
    for (int i = 0; i < 2; ++i) {
        const QString pdf = dir.filePath(QStringLiteral("plot%1.pdf").arg(resolutions[i]));
        QString error;
        ASSERT_TRUE(WritePlotPdf(pdf, d, picture, resolutions[i], &error)) << error.toStdString();
        ASSERT_EQ(PdfPageCount(pdf), 1);
        const QString text = WithoutBlanks(PdfPages(pdf).value(0));
        for (const char* expected : {"2024年4月1日", "テスト株式会社", "昇給カーブ分析", "年齢勤続", "Ta", "データ数",
                                     "TcTd", "平均昇給", "TtTu", "【解説】"})
            EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
        words[i] = PdfWords(pdf, 1);
        QStringList pieces;
        for (const PdfWord& w : words[i])
            if (w.text.startsWith(QStringLiteral("ABCDE")) || w.text == QStringLiteral("KLMNO"))
                pieces << w.text;
        EXPECT_EQ(pieces, (QStringList{QString(QStringLiteral("ABCDEFGHIJ")).repeated(4),
                                       QString(QStringLiteral("ABCDEFGHIJ")).repeated(4),
                                       QStringLiteral("ABCDEFGHIJKLMNO")}));
    }
    // The banded bitmap was a temporary file elsewhere: only the documents are here.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{"plot300.pdf", "plot600.pdf"}));
    // The same layout at both resolutions: every word in the same place on the page (within
    // 2 points: glyph advances round to whole device pixels along a line).
    ASSERT_EQ(words[0].size(), words[1].size());
    for (int k = 0; k < words[0].size(); ++k) {
        EXPECT_EQ(words[0][k].text, words[1][k].text);
        EXPECT_NEAR(words[0][k].xMin, words[1][k].xMin, 2.0) << words[0][k].text.toStdString();
        EXPECT_NEAR(words[0][k].yMin, words[1][k].yMin, 2.0);
    }
}

} // namespace
