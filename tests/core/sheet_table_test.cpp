// Typed tables: their CSV lines, their workbook read back by openpyxl, and the encodings of
// the CSV file.
#include "core/CsvWriter.h"
#include "core/SheetTable.h"
#include "support/XlsxReadBack.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// One row of every kind of cell, under a header row and a heading line above it.
SheetTable everyKind()
{
    SheetTable t;
    t.sheetName = QStringLiteral("社員:一覧/2020");   // characters a sheet name cannot hold
    t.headerFirst = t.headerLast = 1;
    t.rows << SheetRow{SheetCell::Text(QStringLiteral("令和 02 年度")), SheetCell::Text(QStringLiteral("株式会社　見本"))};
    SheetRow head;
    for (const char* h : {"社員番号", "社員名", "基本給", "格差", "割合", "生年月日", "入社日", "備考"})
        head << SheetCell::Text(QString::fromUtf8(h));
    t.rows << head;
    t.rows << SheetRow{
        SheetCell::Text(QStringLiteral("00123"), CsvQuoted(QStringLiteral("00123"))),
        SheetCell::Text(QStringLiteral("𠮷田 \"太郎\"😀"), CsvQuoted(QStringLiteral("𠮷田 \"太郎\"😀"))),
        SheetCell::Number(1234567, SheetAmountFormat, QStringLiteral("1234567")),
        SheetCell::Number(103, SheetRatioFormat, QStringLiteral("103")),
        SheetCell::Number(0.05, QStringLiteral("0.000%"), QStringLiteral("5.000%")),
        SheetCell::Date(QDate(2019, 5, 1), SheetDateFormat(1), QStringLiteral("2019/05/01")),
        SheetCell::Date(QDate(1990, 4, 1), SheetDateFormat(0), QStringLiteral("1990/04/01")),
        SheetCell::Blank(),
    };
    t.rows << SheetRow{SheetCell::Text(QStringLiteral("7")), SheetCell::Text(QString()),
                       SheetCell::Number(-500, SheetAmountFormat, QStringLiteral("-500")),
                       SheetCell::Number(99.5, SheetRatioFormat, QStringLiteral("99.5")),
                       SheetCell::Number(0, QStringLiteral("0.000%"), QStringLiteral("0.000%")),
                       SheetCell::Date(QDate(), SheetDateFormat(1), QStringLiteral("0"))};
    return t;
}

const SheetProperties Properties{QStringLiteral("社員一覧"), QStringLiteral("株式会社　見本"), QStringLiteral("令和 02 年度")};

} // namespace

TEST(SheetTable, CsvLinesAreTheCellsFieldsJoined)
{
    const QStringList lines = SheetCsvLines(everyKind());
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("令和 02 年度,株式会社　見本"));
    EXPECT_EQ(lines[2], QStringLiteral("\"00123\",\"𠮷田 \"\"太郎\"\"😀\",1234567,103,5.000%,2019/05/01,1990/04/01,"));
    EXPECT_EQ(lines[3], QStringLiteral("7,,-500,99.5,0.000%,0"));
}

TEST(SheetTable, WorkbookReadBackHoldsTypedCellsFormatsFrozenBoldHeaderAndProperties)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("一覧.xlsx"));
    QString error;
    ASSERT_TRUE(WriteXlsxFile(path, everyKind(), Properties, &error)) << error.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral(".一覧.xlsx.part"))));

    const ReadWorkbook book = ReadXlsx(path);
    ASSERT_TRUE(book.ok) << book.error.toStdString();
    EXPECT_EQ(book.sheets, QStringList{QStringLiteral("社員_一覧_2020")});
    EXPECT_EQ(book.title, Properties.title);
    EXPECT_EQ(book.company, Properties.company);
    EXPECT_EQ(book.subject, Properties.fiscalYear);
    // The sheet scrolls below the header row; the header alone is bold.
    EXPECT_EQ(book.freeze, "A3");
    EXPECT_FALSE(book.at(0, 0).bold);
    EXPECT_TRUE(book.at(1, 0).bold);
    EXPECT_TRUE(book.at(1, 7).bold);
    EXPECT_FALSE(book.at(2, 2).bold);

    // Every cell against the CSV line of the same table.
    EXPECT_EQ(DifferencesFromCsv(book, SheetCsvLines(everyKind())), QStringList());

    struct Expected {
        int row, column;
        const char* type;
        const char* format;
    };
    const Expected cells[] = {
        {2, 0, "s", "General"}, {2, 1, "s", "General"}, {2, 2, "n", "#,##0"},  {2, 3, "n", "0.0"},
        {2, 4, "n", "0.000%"},  {2, 5, "d", nullptr},   {2, 6, "d", nullptr},  {2, 7, "", "General"},
        {3, 0, "s", "General"}, {3, 5, "", "General"},
    };
    for (const Expected& e : cells) {
        const ReadCell c = book.at(e.row, e.column);
        EXPECT_EQ(c.type, QString::fromLatin1(e.type)) << e.row << "," << e.column;
        if (e.format)
            EXPECT_EQ(c.format, QString::fromLatin1(e.format)) << e.row << "," << e.column;
    }
    EXPECT_EQ(book.at(2, 0).text, "00123");
    EXPECT_EQ(book.at(2, 1).text, QStringLiteral("𠮷田 \"太郎\"😀"));
    EXPECT_EQ(book.at(2, 2).number, 1234567);
    EXPECT_EQ(book.at(3, 3).number, 99.5);
    EXPECT_DOUBLE_EQ(book.at(2, 4).number, 0.05);
    EXPECT_EQ(book.at(2, 5).date, QDate(2019, 5, 1));
    EXPECT_EQ(book.at(2, 5).format, QStringLiteral("[$-411]gggee\"年\"mm\"月\"dd\"日\""));
    EXPECT_EQ(book.at(2, 6).date, QDate(1990, 4, 1));
    EXPECT_EQ(book.at(2, 6).format, QStringLiteral("yy\"年\"mm\"月\"dd\"日\""));
    EXPECT_EQ(book.at(3, 0).text, "7");   // a code of digits stays a text

    // Columns wide enough for their widest cell, full-width characters counting two.
    ASSERT_EQ(book.widths.size(), 8);
    EXPECT_GE(book.widths[1], 14);   // 𠮷田 "太郎"😀
    EXPECT_GE(book.widths[2], 9);    // 1,234,567
    EXPECT_GE(book.widths[5], 16);   // 令和01年05月01日
    EXPECT_GE(book.widths[0], 14);   // 令和 02 年度 in the heading line
}

TEST(SheetTable, AWorkbookThatCannotBeWrittenLeavesTheEarlierFileWhole)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(WriteXlsxFile(dir.filePath(QStringLiteral("無い/一覧.xlsx")), everyKind(), Properties, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("無い/一覧.xlsx"))));

    // A folder in the way of the file: refused, and the folder is untouched.
    const QString taken = dir.filePath(QStringLiteral("一覧.xlsx"));
    ASSERT_TRUE(QDir().mkpath(taken));
    error.clear();
    EXPECT_FALSE(WriteXlsxFile(taken, everyKind(), Properties, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFileInfo(taken).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST(SheetTable, CsvEncodings)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.csv"));
    const QStringList lines = {QStringLiteral("社員名"), QStringLiteral("𠮷田😀")};
    auto bytes = [&] {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    // Shift-JIS by default: what it cannot hold becomes '?'.
    ASSERT_TRUE(WriteCsvFile(path, lines));
    EXPECT_EQ(bytes(), QByteArray("\x8e\xd0\x88\xf5\x96\xbc\r\n?\x93\x63?\r\n"));
    // UTF-8 with a byte-order mark keeps every character.
    ASSERT_TRUE(WriteCsvFile(path, lines, nullptr, CsvEncoding::Utf8Bom));
    EXPECT_EQ(bytes(), QByteArray("\xEF\xBB\xBF") + QStringLiteral("社員名\r\n𠮷田😀\r\n").toUtf8());

    CsvEncoding e = CsvEncoding::ShiftJis;
    EXPECT_TRUE(CsvEncodingFromName(QStringLiteral("utf8"), e));
    EXPECT_EQ(e, CsvEncoding::Utf8Bom);
    EXPECT_TRUE(CsvEncodingFromName(QStringLiteral("sjis"), e));
    EXPECT_EQ(e, CsvEncoding::ShiftJis);
    EXPECT_FALSE(CsvEncodingFromName(QStringLiteral("UTF-8"), e));
    EXPECT_EQ(CsvEncodingName(CsvEncoding::Utf8Bom), "utf8");
}
