// The report composer: templates read and refused, and composed PDFs read back.
#include "reports/ReportComposer.h"
#include "support/PdfText.h"
#include "support/TestProgramFolder.h"
#include "wagetable/SalaryListReport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// Steps 1..n; grade 1 climbs 1,000 a step from 200,000, grade 9 from 1,234,000.
QList<TCHNGIN2_> table(int n)
{
    QList<TCHNGIN2_> rows;
    for (int s = 1; s <= n; ++s) {
        TCHNGIN2_ r;
        r.GOUHOU = QString::number(s);
        for (QString* f : {&r.KIN2, &r.KS2, &r.KIN3, &r.KS3, &r.KIN4, &r.KS4, &r.KIN5, &r.KS5, &r.KIN6, &r.KS6,
                           &r.KIN7, &r.KS7, &r.KIN8, &r.KS8})
            *f = QStringLiteral("0");
        r.KIN1 = QString::number(200000 + (s - 1) * 1000);
        r.KS1 = QStringLiteral("1000");
        r.KIN9 = QString::number(1234000 + (s - 1) * 2500);
        r.KS9 = QStringLiteral("2500");
        rows << r;
    }
    return rows;
}

const SalaryListHeading heading = {QStringLiteral("2024 年度"), QStringLiteral("株式会社　金山鉄工所"),
                                   QStringLiteral("総合職賃金表（令和６年度）"), QStringLiteral("2024年04月01日")};

QString writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

// The lines of a page's layout text, trailing blanks removed.
QStringList linesOf(const QString& page)
{
    QStringList lines = page.split('\n');
    for (QString& l : lines)
        l = l.trimmed();
    return lines;
}

int lineStartingWith(const QStringList& lines, const QString& start)
{
    for (int i = 0; i < lines.size(); ++i)
        if (lines[i].startsWith(start + ' ') || lines[i] == start)
            return i;
    return -1;
}

class ReportComposerTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureGuiApplication(); }
    // The program folder the documents go under.
    QString programFolder() const { return folder.session().exeFolder; }

    TestProgramFolder folder;
};

} // namespace

TEST_F(ReportComposerTest, WageTableOfFortyStepsReadsBackOnTwoPages)
{
    const ReportDocument doc = BuildSalaryListPages(programFolder(), table(40), heading);
    QString error;
    ASSERT_TRUE(ComposeReport(doc, &error)) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(doc.documentPath + ".part"));
    const QStringList pages = PdfPages(doc.documentPath);
    ASSERT_EQ(pages.size(), 2);
    for (const QString& page : pages) {
        // pdftotext gives the ideographic space as blanks.
        EXPECT_TRUE(WithoutBlanks(page).contains(QStringLiteral("株式会社金山鉄工所"))) << page.toStdString();
        EXPECT_TRUE(page.contains(QStringLiteral("総合職賃金表（令和６年度）")));
        EXPECT_TRUE(page.contains(QStringLiteral("2024 年度")));
        EXPECT_TRUE(page.contains(QStringLiteral("号俸")));
        EXPECT_TRUE(page.contains(QStringLiteral("９等級")));
    }
    EXPECT_TRUE(pages[0].contains(QStringLiteral("PAGE-")));

    // Page 1: steps 1..32, each on its own line with its amounts; page 2: 33..40 and 平均.
    const QStringList one = linesOf(pages[0]), two = linesOf(pages[1]);
    for (int s = 1; s <= 40; ++s) {
        const QStringList& lines = s <= 32 ? one : two;
        const int at = lineStartingWith(lines, QString::number(s));
        ASSERT_GE(at, 0) << s;
        const QStringList cells = lines[at].split(QRegularExpression(QStringLiteral("\\s+")));
        EXPECT_EQ(cells, (QStringList{QString::number(s), QStringLiteral("%L1").arg(200000 + (s - 1) * 1000),
                                      QStringLiteral("1,000"), QStringLiteral("%L1").arg(1234000 + (s - 1) * 2500),
                                      QStringLiteral("2,500")}))
            << lines[at].toStdString();
    }
    EXPECT_EQ(lineStartingWith(one, QStringLiteral("平均")), -1);
    const int average = lineStartingWith(two, QStringLiteral("平均"));
    ASSERT_GE(average, 0);
    // Averages: grade 1 219,500 with steps of 1,000; grade 9 1,282,750 with steps of 2,500.
    EXPECT_EQ(two[average].split(QRegularExpression(QStringLiteral("\\s+"))),
              (QStringList{QStringLiteral("平均"), QStringLiteral("219,500"), QStringLiteral("1,000"),
                           QStringLiteral("1,282,750"), QStringLiteral("2,500")}));
    // 平均 sits on line 31: level with step 32 on page 1, and 24 rows below step 40.
    auto top = [&](int page, const QString& text) {
        for (const PdfWord& w : PdfWords(doc.documentPath, page))
            if (w.text == text && w.xMin < 80)
                return w.yMin;
        return -1.0;
    };
    const double pitch = 5.08 / 25.4 * 72;   // one line in points
    EXPECT_NEAR(top(2, QStringLiteral("平均")), top(1, QStringLiteral("32")), 1.5);
    EXPECT_NEAR(top(2, QStringLiteral("平均")) - top(2, QStringLiteral("40")), 24 * pitch, 1.5);
}

TEST_F(ReportComposerTest, ThirtyTwoStepsPutTheAverageAloneOnPageTwo)
{
    const ReportDocument doc = BuildSalaryListPages(programFolder(), table(32), heading);
    QString error;
    ASSERT_TRUE(ComposeReport(doc, &error)) << error.toStdString();
    const QStringList pages = PdfPages(doc.documentPath);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_GE(lineStartingWith(linesOf(pages[0]), QStringLiteral("32")), 0);
    const QStringList two = linesOf(pages[1]);
    EXPECT_GE(lineStartingWith(two, QStringLiteral("平均")), 0);
    for (int s = 1; s <= 32; ++s)
        EXPECT_EQ(lineStartingWith(two, QString::number(s)), -1) << s;
}

TEST_F(ReportComposerTest, FontsAreEmbedded)
{
    const ReportDocument doc = BuildSalaryListPages(programFolder(), table(3), heading);
    ASSERT_TRUE(ComposeReport(doc, nullptr));
    QProcess p;
    p.start(QStringLiteral("pdffonts"), {doc.documentPath});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QStringList rows = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_FALSE(rows.isEmpty());
    for (const QString& row : rows) {
        EXPECT_TRUE(row.contains(QStringLiteral("NotoSansCJK"))) << row.toStdString();
        // columns: name type encoding emb sub uni object ID
        const QStringList cols = row.split(QRegularExpression(QStringLiteral("\\s+")));
        ASSERT_GE(cols.size(), 7);
        EXPECT_EQ(cols[cols.size() - 5], QStringLiteral("yes")) << row.toStdString();
    }
}

TEST_F(ReportComposerTest, MissingOrMalformedTemplatesWriteNothing)
{
    ReportDocument doc = BuildSalaryListPages(programFolder(), table(3), heading);
    writeFile(doc.documentPath, "previous document");
    struct Case {
        const char* content;   // nullptr = no template file
        QString message;
        QString detail;
    };
    const Case cases[] = {
        {nullptr, QStringLiteral("帳票テンプレートが見つかりません。"), QString()},
        {"{\"page\": {\"size\": \"A4\"", QStringLiteral("帳票テンプレートの形式に誤りがあります。"), QStringLiteral("JSON")},
        {"{\"page\": {\"size\": \"Letter\"}}", QStringLiteral("帳票テンプレートの形式に誤りがあります。"),
         QStringLiteral("page.size")},
        {"{\"page\": {\"size\": \"A4\"}, \"fields\": [{\"name\": \"A\", \"rect\": [10, 10, 5, 20]}]}",
         QStringLiteral("帳票テンプレートの形式に誤りがあります。"), QStringLiteral("fields[0] (A)")},
        {"{\"page\": {\"size\": \"A4\"}, \"fields\": [{\"name\": \"A\", \"rect\": [0, 0, 5, 5]},"
         " {\"name\": \"A\", \"rect\": [0, 0, 5, 5]}]}",
         QStringLiteral("帳票テンプレートの形式に誤りがあります。"), QStringLiteral("\"A\" が重複")},
        {"{\"page\": {\"size\": \"A4\"}, \"texts\": [{\"rect\": [0, 0, 5, 5], \"align\": \"justify\"}]}",
         QStringLiteral("帳票テンプレートの形式に誤りがあります。"), QStringLiteral("align")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString() + " " + c.detail.toStdString());
        doc.templatePath = folder.path("Report/Broken.jfm");
        QFile::remove(doc.templatePath);
        if (c.content)
            writeFile(doc.templatePath, c.content);
        QString error;
        EXPECT_FALSE(ComposeReport(doc, &error));
        EXPECT_TRUE(error.startsWith(c.message + "\r\n" + QDir::toNativeSeparators(doc.templatePath))) << error.toStdString();
        EXPECT_TRUE(error.contains(c.detail)) << error.toStdString();
        QFile previous(doc.documentPath);
        ASSERT_TRUE(previous.open(QIODevice::ReadOnly));
        EXPECT_EQ(previous.readAll(), QByteArray("previous document"));
        EXPECT_FALSE(QFileInfo::exists(doc.documentPath + ".part"));
    }
}

TEST_F(ReportComposerTest, LongTextShrinksIntoItsBoxAndPicturesFillTheirFields)
{
    // Two boxes side by side, 30 mm wide; a picture field.
    writeFile(folder.path("Report/Boxes.jfm"),
              "{\"page\": {\"size\": \"A4\", \"orientation\": \"portrait\"},"
              " \"fields\": [{\"name\": \"A\", \"rect\": [2000, 2000, 5000, 2600], \"size\": 12},"
              "              {\"name\": \"B\", \"rect\": [5000, 2000, 8000, 2600], \"size\": 12, \"align\": \"right\"},"
              "              {\"name\": \"IMAGE\", \"rect\": [2000, 4000, 6000, 9000], \"image\": true},"
              "              {\"name\": \"IMAGE_2\", \"rect\": [7000, 4000, 11000, 9000], \"image\": true}]}");
    QImage picture(60, 80, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(folder.path("Picture/face.jpg"), "JPEG"));

    ReportDocument doc = ReportDocumentFor(programFolder(), QStringLiteral("Boxes"), QStringLiteral("箱"));
    doc.imagePath = folder.path("Picture");
    ReportPage& page = doc.newPage();
    page.setFieldText("A", QStringLiteral("とても長い氏名の社員ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    page.setFieldText("B", QStringLiteral("右"));
    page.setFieldColor("B", Qt::red);
    page.setFieldImage("IMAGE", QStringLiteral("face.jpg"));
    page.setFieldImage("IMAGE_2", QStringLiteral("missing.jpg"));   // no such picture: left empty
    QString error;
    ASSERT_TRUE(ComposeReport(doc, &error)) << error.toStdString();

    // Word boxes in points: the long text ends inside its own box (30 mm = 85.04 pt from 56.69 pt).
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), doc.documentPath, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    const QRegularExpression word(QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"[0-9.]+\" xMax=\"([0-9.]+)\""));
    double minX = 1e9, maxX = 0;
    auto it = word.globalMatch(html);
    int words = 0;
    while (it.hasNext()) {
        const auto m = it.next();
        const double x0 = m.captured(1).toDouble(), x1 = m.captured(2).toDouble();
        if (x0 < 140) {   // the words of box A (box B starts at 141.7 pt)
            minX = std::min(minX, x0);
            maxX = std::max(maxX, x1);
            ++words;
        }
    }
    ASSERT_GT(words, 0);
    EXPECT_GE(minX, 56.6);
    EXPECT_LE(maxX, 141.8);

    p.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), doc.documentPath});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QStringList images = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts).mid(2);
    EXPECT_EQ(images.size(), 1);
}
