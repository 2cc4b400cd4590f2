// Shared routines: field checks, code checks, dates and eras, rounding, formats, colours,
// Shift-JIS lengths, check-box filters and pictures.
#include "core/CodeLists.h"
#include "core/Colors.h"
#include "core/CsvWriter.h"
#include "core/Dates.h"
#include "core/Numbers.h"
#include "core/Pictures.h"
#include "core/TextCodec.h"
#include "store/Conversions.h"
#include "store/RecordAccess.h"
#include "support/RecordedFailures.h"
#include "support/TestProgramFolder.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(FieldChecks, WholeNumbers)
{
    struct Case {
        QString text;
        int maxLength;
        long long maximum, minimum;
        QString format;
        bool ok;
        QString message;
        QString shown;
    };
    const QString notNumber = QStringLiteral("数値を入力してください。");
    const QString range = QStringLiteral("入力範囲外です。");
    const Case cases[] = {
        {"1,200", 4, 9999, 0, "#,##0", true, "", "1,200"},
        {"1200", 4, 9999, 0, "", true, "", "1200"},
        {"12a", 4, 9999, 0, "#,##0", false, notNumber, "12a"},
        {"12345", 4, 0, 0, "", false, range, "12345"},       // longer than the field
        {"13", 2, 12, 1, "", false, range, "13"},             // outside minimum..maximum
        {"0", 2, 12, 1, "", false, range, "0"},
        {"-5", 3, 0, 0, "", true, "", "-5"},                   // no range when both limits are 0
        {"81", 2, 80, -10, "", false, range, "81"},
        {"-10", 3, 80, -10, "##0", true, "", "-10"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const FieldCheck r = CheckIntegerText(c.text, c.maxLength, c.maximum, c.minimum, c.format);
        EXPECT_EQ(r.ok, c.ok);
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(r.text, c.shown);
    }
    EXPECT_TRUE(CheckRealText("1,234.5", 8, "#,##0.00").ok);
    EXPECT_EQ(CheckRealText("1,234.5", 8, "#,##0.00").text, "1,234.50");
    EXPECT_EQ(CheckRealText("1.2.3", 8, "").message, notNumber);
    EXPECT_EQ(ParseInteger("x").message, QStringLiteral("数値の入力エラーです。"));
    EXPECT_EQ(ParseInteger("1,500").integer, 1500);
}

TEST(CodeChecks, TypedCodesAgainstTheList)
{
    const QStringList items = {"1 : 第１等級", "3 : 第３等級", "0 : なし"};
    struct Case {
        QString text;
        bool checkEmpty, refuseAbsent, refuseZero;
        bool ok;
        int code;
        QString message;
        QString shown;
        int index;
    };
    const Case cases[] = {
        {"3 : 第３等級", true, false, false, true, 3, "", "3 : 第３等級", 1},
        {"3", true, false, false, true, 3, "", "3 : 第３等級", 1},
        {"7", true, false, false, true, 7, "", "7 : 未登録", -1},
        {"7", true, true, false, false, 7, "存在しないコードです。", "7", -1},
        {"0", true, false, true, false, 0, "０は入力できません。", "0", -1},
        {"0", true, false, false, true, 0, "", "0 : なし", 2},
        {"x : y", true, false, false, false, 0, "数値を入力して下さい。", "x : y", -1},
        {"", false, false, false, true, 0, "", "", -1},
        {"", true, false, false, false, 0, "数値を入力して下さい。", "", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const CodeCheck r = CheckCodeText(c.text, items, c.checkEmpty, c.refuseAbsent, c.refuseZero);
        EXPECT_EQ(r.ok, c.ok);
        if (r.ok) {
            EXPECT_EQ(r.code, c.code);
        }
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(r.text, c.shown);
        EXPECT_EQ(r.itemIndex, c.index);
    }
}

TEST(ListTexts, CodesNamesAndFields)
{
    EXPECT_EQ(CodeOf("12 : 名前"), 12);
    EXPECT_EQ(CodeOf("abc"), 0);
    EXPECT_EQ(SelectedCodeOf("4 : x"), 4);
    EXPECT_EQ(SelectedCodeOf("4"), 0);
    EXPECT_EQ(NameOf("4 : 正社員"), QStringLiteral("正社員"));
    EXPECT_EQ(NameOf("正社員"), QStringLiteral("正社員"));
    QString code, name;
    SplitCodeName("5 : " + QString(60, QChar(0x3042)), code, name);
    EXPECT_EQ(code, "5");
    EXPECT_EQ(name.size(), 50);   // at most 100 Shift-JIS bytes
    EXPECT_EQ(NthField("a,b,c", ',', 2), "b");
    EXPECT_EQ(NthField("a,b,c", ',', 3), "c");
    EXPECT_EQ(NthField("a,b,c", ',', 4), "");
    EXPECT_EQ(NthField("a,b,c", ',', 0), "");
    EXPECT_EQ(LineStyleItemText(9), QStringLiteral("5 : なし"));
    EXPECT_EQ(EmploymentTypeCode(QStringLiteral("パート")), "3");
    EXPECT_EQ(EmploymentTypeCode(QStringLiteral("派遣")), "0");
}

TEST(CheckBoxes, FilterTextsAndFlags)
{
    std::vector<bool> boxes(9, false);
    EXPECT_EQ(InListOfChecked(boxes), " IN(99999)");
    boxes[1] = boxes[4] = true;
    EXPECT_EQ(InListOfChecked(boxes), " IN(2,5)");
    EXPECT_EQ(FlagsFromChecks(boxes), "010010000");
    EXPECT_EQ(ChecksFromFlags("010010000", 9), boxes);
    EXPECT_EQ(ChecksFromFlags("1", 3), std::vector<bool>({true, false, false}));
}

TEST(Rounding, HalfAwayFromZeroAndYenUnits)
{
    struct Case {
        int mode;
        double amount;
        long long expected;
    };
    const Case cases[] = {{0, 1235, 1240},     {1, -150, -200},     {0, 1234, 1230},   {1, 258750, 258800},
                          {2, 123456, 123000}, {2, 123500, 124000}, {2, -123500, -124000}, {7, 1500, 2000},
                          {0, 0, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(RoundToUnit(c.mode, c.amount), c.expected) << c.mode << " " << c.amount;
    EXPECT_DOUBLE_EQ(RoundHalfAway(2.5, 0), 3);
    EXPECT_DOUBLE_EQ(RoundHalfAway(-2.5, 0), -3);
    EXPECT_DOUBLE_EQ(RoundHalfAway(1.505, 2), 1.51);
    EXPECT_DOUBLE_EQ(RoundHalfAway(1.23456789, 5), 1.23457);
    EXPECT_DOUBLE_EQ(RoundHalfAway(1e300, 2), 1e300);   // scaling overflows: truncated instead
    EXPECT_DOUBLE_EQ(Power(2, 3), 9);
    EXPECT_DOUBLE_EQ(Power(2, 0), 0);
    EXPECT_DOUBLE_EQ(SafeDivide(1, 1e-13), 0);
    EXPECT_DOUBLE_EQ(SafeDivide(1, 4), 0.25);
}

TEST(DisplayFormats, AsTheScreensShowNumbers)
{
    struct Case {
        QString format;
        double value;
        QString shown;
    };
    const Case cases[] = {
        {"#,##0", 1234567, "1,234,567"}, {"#,##0", 0, "0"},           {"#,##0", -2000, "-2,000"},
        {"#,##0.000", 1.5, "1.500"},     {"#,##0.00", 1250.456, "1,250.46"}, {"#,###", 0, ""},
        {"#,###", 2500, "2,500"},        {"##0", 7, "7"},              {"0.00%", 3.5, "3.50%"},
        {"##0.00%", -12.345, "-12.35%"}, {"0000'.'00'.'00", 20000401, "2000.04.01"},
        {"0000'.'00'.'00", 200141, "0020.01.41"}, {"####,###", 258800, "258,800"}, {"#0.00", 1.5, "1.50"},
        {"##,##0", 1234.6, "1,235"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFloat(c.format, c.value), c.shown) << c.format.toStdString() << " " << c.value;
}

class EraDates : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The eras as the supplied control record gives them.
        TSeigyo_ s;
        ASSERT_TRUE(ReadOne(folder.fdm().ACN1, true, SqlCondition(" WHERE CO = 0"), "SELECT * FROM MSEIGYO", s));
        const QString names[3] = {s.REKI1, s.REKI2, s.REKI3};
        const QString years[3] = {s.SNEN1, s.SNEN2, s.SNEN3};
        for (int i = 0; i < 3; ++i) {
            eras.names[i] = names[i];
            eras.startYears[i] = years[i].toInt();
        }
    }
    RecordedFailures failures;
    TestProgramFolder folder;
    EraTable eras;
};

TEST_F(EraDates, SplitAndJoinAgreeWithTheControlRecordInEveryEra)
{
    struct Case {
        QString ymd;
        QString era;
        QString year;
    };
    const Case cases[] = {
        {"19261225", "昭和", "01"}, {"19640101", "昭和", "39"}, {"19890107", "昭和", "64"},
        {"19890108", "平成", "01"}, {"20190430", "平成", "31"}, {"20190501", "令和", "01"},
        {"20241208", "令和", "06"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ymd.toStdString());
        TYMD d;
        d.ymd = c.ymd;
        ASSERT_TRUE(SplitDate(d, 1));
        EXPECT_EQ(d.era, c.era);
        EXPECT_EQ(d.year, c.year);
        EXPECT_EQ(d.month, c.ymd.mid(4, 2));
        TYMD back;
        back.era = d.era;
        back.year = d.year;
        back.month = d.month;
        back.day = d.day;
        ASSERT_TRUE(JoinDate(back, 1, eras));
        EXPECT_EQ(back.ymd, c.ymd);
    }
    TYMD unknown;
    unknown.era = QStringLiteral("大正");
    unknown.year = "5";
    unknown.month = "1";
    unknown.day = "1";
    EXPECT_FALSE(JoinDate(unknown, 1, eras));
}

TEST_F(EraDates, WesternYearsAndNoDate)
{
    struct Case {
        QString year, month, day;
        bool ok;
        QString ymd;
    };
    const Case cases[] = {
        {"30", "4", "1", true, "20300401"}, {"31", "4", "1", true, "19310401"}, {"00", "12", "31", true, "20001231"},
        {"99", "1", "1", true, "19990101"}, {"5", "0", "0", true, "0"},         {"5", "", "", true, "0"},
        {"20", "2", "30", false, ""},       {"20", "13", "1", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.year + "/" + c.month + "/" + c.day).toStdString());
        TYMD d;
        d.year = c.year;
        d.month = c.month;
        d.day = c.day;
        EXPECT_EQ(JoinDate(d, 0, eras), c.ok);
        if (c.ok) {
            EXPECT_EQ(d.ymd, c.ymd);
        }
    }
    TYMD shortDate;
    shortDate.ymd = "0";
    EXPECT_TRUE(SplitDate(shortDate, 0));
    EXPECT_EQ(shortDate.year, "0");
    EXPECT_EQ(shortDate.era, "");
    TYMD bad;
    bad.ymd = "20240230";
    EXPECT_FALSE(SplitDate(bad, 0));
}

TEST_F(EraDates, YearLabelsAndDateTexts)
{
    EXPECT_EQ(FiscalYearText(0, 2024), "2024");
    EXPECT_EQ(FiscalYearText(1, 2020), QStringLiteral("令和 02"));
    EXPECT_EQ(FiscalYearText(1, 1990), QStringLiteral("平成 02"));
    EXPECT_EQ(FiscalYearText(1, 2019), QStringLiteral("平成 31"));   // 1 January is still 平成
    EXPECT_EQ(DateText(0, 0), "");
    EXPECT_EQ(DateText(20240315, 0), QStringLiteral("24年03月15日"));
    EXPECT_EQ(DateText(20240315, 1), QStringLiteral("令和06年03月15日"));
}

TEST(Conversions, DatesAndVariants)
{
    EXPECT_EQ(DateFromYMD("20240229"), QDate(2024, 2, 29));
    EXPECT_FALSE(DateFromYMD("20230229").isValid());
    EXPECT_FALSE(DateFromYMD("0").isValid());
    EXPECT_FALSE(DateFromYMD("abc").isValid());
    EXPECT_EQ(ZeroIfEmpty(""), "0");
    EXPECT_EQ(ZeroIfEmpty("x"), "x");
    EXPECT_EQ(VariantToTextOrZero(QVariant()), "0");
    EXPECT_EQ(VariantToInteger(QVariant()), 0);
    EXPECT_EQ(YearsBetween(19800401, 20200401), 40);
    EXPECT_EQ(YearsBetween(19800402, 20200401), 39);
    EXPECT_EQ(YearsBetween(0, 20200401), 0);
}

TEST(Colors, NamesAndHexForms)
{
    EXPECT_EQ(ColorToText(0x0000FF), "clRed");
    EXPECT_EQ(ColorToText(0xF0CAA6), "clSkyBlue");
    EXPECT_EQ(ColorToText(0x123456), "$00123456");
    EXPECT_EQ(ColorFromText("clRed"), 0x0000FFu);
    EXPECT_EQ(ColorFromText("CLRED"), 0x0000FFu);
    EXPECT_EQ(ColorFromText("$00123456"), 0x123456u);
    EXPECT_EQ(ColorFromText(""), 0u);
    EXPECT_EQ(ColorFromText("nonsense"), 0u);
    EXPECT_EQ(ColorToRgb(0x0000FF), 0xFFFF0000u);
    EXPECT_EQ(ColorFromRgb(0xFFFF0000u), 0x0000FFu);
}

TEST(ShiftJis, LengthsConversionsAndCsvFiles)
{
    EXPECT_EQ(Cp932Length("abc"), 3);
    EXPECT_EQ(Cp932Length(QStringLiteral("社員ｱ")), 5);   // half-width kana is one byte
    EXPECT_EQ(TruncateToCp932Bytes(QStringLiteral("株式会社"), 5), QStringLiteral("株式"));
    bool ok = false;
    EXPECT_EQ(FromCp932(ToCp932(QStringLiteral("①髙﨑")), &ok), QStringLiteral("①髙﨑"));
    EXPECT_TRUE(ok);
    FromCp932(QByteArray("\x82", 1), &ok);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(IsValidUtf8(QStringLiteral("日本").toUtf8()));
    EXPECT_FALSE(IsValidUtf8(ToCp932(QStringLiteral("日本"))));

    QTemporaryDir dir;
    const QString path = dir.filePath("x.CSV");
    ASSERT_TRUE(WriteCsvFile(path, {CsvQuoted(QStringLiteral("山\"田")) + ",1", "2"}));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), ToCp932(QStringLiteral("\"山\"\"田\",1")) + "\r\n2\r\n");
    QString error;
    EXPECT_FALSE(WriteCsvFile(dir.filePath("missing/x.CSV"), {"a"}, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(PictureFiles, JpegAndBmpDecodeAndJunkDoesNot)
{
    QImage source(8, 6, QImage::Format_RGB32);
    source.fill(qRgb(200, 30, 40));
    source.setPixel(0, 0, qRgb(0, 0, 255));
    QByteArray jpeg;
    QBuffer jb(&jpeg);
    ASSERT_TRUE(source.save(&jb, "JPG", 95));
    const QImage j = DecodeJpeg(jpeg);
    ASSERT_FALSE(j.isNull());
    EXPECT_EQ(j.size(), QSize(8, 6));
    EXPECT_NEAR(qRed(j.pixel(5, 4)), 200, 12);

    QByteArray bmp;
    QBuffer bb(&bmp);
    ASSERT_TRUE(source.save(&bb, "BMP"));
    const QImage b = DecodeBmp(bmp);
    ASSERT_FALSE(b.isNull());
    EXPECT_EQ(b.pixel(0, 0), qRgb(0, 0, 255));   // bottom-up rows land the right way round
    EXPECT_EQ(b.pixel(7, 5), qRgb(200, 30, 40));

    QImage indexed = source.convertToFormat(QImage::Format_Indexed8);
    QByteArray bmp8;
    QBuffer b8(&bmp8);
    ASSERT_TRUE(indexed.save(&b8, "BMP"));
    EXPECT_EQ(DecodeBmp(bmp8).pixel(0, 0), qRgb(0, 0, 255));

    EXPECT_TRUE(DecodeJpeg("\xFF\xD8garbage").isNull());
    EXPECT_TRUE(DecodeBmp(bmp.left(60)).isNull());
    EXPECT_TRUE(DecodeBmp(QByteArray(100, 'B')).isNull());
}

} // namespace
