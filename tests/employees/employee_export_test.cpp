// Employee CSV export: the outcomes of each step, the file's bytes and order, and the file
// read back by the import.
#include "employees/EmployeeExport.h"
#include "employees/ImportWorker.h"
#include "core/TextCodec.h"
#include "store/RecordAccess.h"
#include "support/RecordedFailures.h"
#include "support/TestProject.h"
#include "support/XlsxReadBack.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

struct ExportFixture : ::testing::Test {
    RecordedFailures failures;
    TestProgramFolder folder;

    void SetUp() override { OpenTestProject(folder); }

    Session& session() { return folder.session(); }
    QString path() { return EmployeeExportPath(session()); }

    void addEmployee(int sco, const QString& scot, const QString& name, int birth, int sex = 0, int grade = 1)
    {
        TSyain_ e;
        e.KCO = "1";
        e.NENDO = "2024";
        e.SCO = QString::number(sco);
        e.SCOT = scot;
        e.SNA = name;
        e.SEIHI = birth;
        e.NYUHI = 20100401;
        e.YAKU = QStringLiteral("主任");
        e.SEIBETSU = sex;
        e.TOUKYU = grade;
        e.TCO = grade;
        e.GAKU = QStringLiteral("大卒");
        e.SENKOU = QStringLiteral("経済");
        e.KEIKEN = QStringLiteral("営業");
        e.SM2 = QStringLiteral("正社員");
        ASSERT_TRUE(Insert(folder.fdm().ACN2, true, e));
    }

    QByteArray fileBytes()
    {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

const QString Success = QStringLiteral("CSVディレクトリに社員マスタが出力されました。");

} // namespace

TEST(EmployeeExportLines, DatesAndQuotes)
{
    EXPECT_EQ(ExportDateText(0), "0");
    EXPECT_EQ(ExportDateText(19800401), "1980/04/01");
    EXPECT_EQ(ExportDateText(20241231), "2024/12/31");

    TSyain_ e;
    e.SCOT = "A1";
    e.SNA = QStringLiteral("\"Bob\" 山田");
    e.SEIBETSU = 3;
    e.TOUKYU = 7;
    const QStringList lines = EmployeeExportLines({e});
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("社員番号,社員名,役職,性別,学歴,専攻,職務経験,社内身分,生年月日,入社日,賃金等級"));
    EXPECT_EQ(lines[1], QStringLiteral("\"A1\",\"\"\"Bob\"\" 山田\",\"\",\"女\",\"\",\"\",\"\",\"\",\"0\",\"0\",7"));
}

TEST_F(ExportFixture, WritesTheFileInShiftJisOrderedByNumberAsText)
{
    addEmployee(1, "9", QStringLiteral("九"), 19800401);
    addEmployee(2, "10", QStringLiteral("十 \"ジュウ\""), 0, 1, 3);
    addEmployee(3, "2", QStringLiteral("二"), 19991231);
    Exec(folder.fdm().ACN2, "INSERT INTO MSYAIN1 (KCO, SCO, NENDO, SCOT, SNA) VALUES (2, 9, 2024, '1', '他社')");

    EXPECT_TRUE(CheckEmployeeExport(session()).ok);
    EXPECT_EQ(EmployeeExportQuestion(session()),
              QStringLiteral("社員マスタを") + session().exeFolder + QStringLiteral("CSVへ出力します。\r\nよろしいですか？"));
    EXPECT_EQ(path(), session().exeFolder + QStringLiteral("CSV/社員マスタ出力.CSV"));
    const EmployeeExportData data = ReadEmployeeExport(session());
    ASSERT_TRUE(data.outcome.ok);
    EXPECT_FALSE(data.outcome.hasMessage());
    EXPECT_TRUE(data.unwritable.isEmpty());
    ASSERT_EQ(data.employees.size(), 3);

    const Outcome written = WriteEmployeeExport(session(), path(), data.employees);
    EXPECT_TRUE(written.ok);
    EXPECT_EQ(written.kind, Outcome::Kind::Information);
    EXPECT_EQ(written.caption, AppTitle);
    EXPECT_EQ(written.text, Success);

    const QByteArray expected = ToCp932(QStringLiteral(
        "社員番号,社員名,役職,性別,学歴,専攻,職務経験,社内身分,生年月日,入社日,賃金等級\r\n"
        "\"10\",\"十 \"\"ジュウ\"\"\",\"主任\",\"女\",\"大卒\",\"経済\",\"営業\",\"正社員\",\"0\",\"2010/04/01\",3\r\n"
        "\"2\",\"二\",\"主任\",\"男\",\"大卒\",\"経済\",\"営業\",\"正社員\",\"1999/12/31\",\"2010/04/01\",1\r\n"
        "\"9\",\"九\",\"主任\",\"男\",\"大卒\",\"経済\",\"営業\",\"正社員\",\"1980/04/01\",\"2010/04/01\",1\r\n"));
    EXPECT_EQ(fileBytes(), expected);
    EXPECT_FALSE(IsValidUtf8(fileBytes()));   // Shift-JIS, not UTF-8

    // An existing file is replaced.
    Exec(folder.fdm().ACN2, "DELETE FROM MSYAIN1 WHERE SCO <> 3");
    EXPECT_EQ(WriteEmployeeMaster(session(), path(), false).text, Success);
    EXPECT_EQ(SplitTextLines(FromCp932(fileBytes())).size(), 2);
    EXPECT_TRUE(failures.reports.isEmpty());
}

TEST_F(ExportFixture, ReadBackByTheImportTheDatelessEmployeeIsRejected)
{
    addEmployee(1, "1", QStringLiteral("有"), 19800401);
    addEmployee(2, "2", QStringLiteral("無"), 0);
    ASSERT_TRUE(WriteEmployeeMaster(session(), path(), false).ok);

    const QStringList heading = SplitCsvLine(SplitTextLines(FromCp932(fileBytes())).first());
    EXPECT_FALSE(MapHeadings(heading).contains(0));

    const ImportCheck c = CheckImportFile(path());
    ASSERT_EQ(c.rows.size(), 2);
    EXPECT_EQ(c.errors, 1);
    EXPECT_EQ(c.rows[0][ImportColumn::Status], QString());
    EXPECT_EQ(c.rows[0][ImportColumn::Birth], "1980/04/01");
    EXPECT_EQ(c.rows[0][ImportColumn::Sex], QStringLiteral("男"));
    EXPECT_EQ(c.rows[0][ImportColumn::Employment], QStringLiteral("正社員"));
    EXPECT_EQ(c.rows[1][ImportColumn::Status], QStringLiteral("ERROR"));
    EXPECT_EQ(c.rows[1][ImportColumn::Birth], "0");
}

TEST_F(ExportFixture, StopsWithoutProjectOrEmployees)
{
    // No employee of the open project: refused, nothing written.
    Exec(folder.fdm().ACN2, "INSERT INTO MSYAIN1 (KCO, SCO, NENDO, SCOT, SNA) VALUES (2, 9, 2024, '1', '他社')");
    const EmployeeExportData none = ReadEmployeeExport(session());
    EXPECT_FALSE(none.outcome.ok);
    EXPECT_EQ(none.outcome.kind, Outcome::Kind::Information);
    EXPECT_EQ(none.outcome.caption, AppTitle);
    EXPECT_EQ(none.outcome.text, QStringLiteral("社員マスタは有りません。"));
    EXPECT_TRUE(none.employees.isEmpty());
    EXPECT_EQ(WriteEmployeeMaster(session(), path(), true).text, QStringLiteral("社員マスタは有りません。"));
    EXPECT_FALSE(QFile::exists(path()));

    // No company open: refused before anything is read.
    addEmployee(1, "1", QStringLiteral("甲"), 0);
    session().companyCode = 0;
    const QString noCompany = QStringLiteral("企業の選択がされていません。企業を選択してください。");
    const Outcome check = CheckEmployeeExport(session());
    EXPECT_FALSE(check.ok);
    EXPECT_EQ(check.caption, AppTitle);
    EXPECT_EQ(check.text, noCompany);
    EXPECT_EQ(ReadEmployeeExport(session()).outcome.text, noCompany);
    EXPECT_EQ(WriteEmployeeMaster(session(), path(), true).text, noCompany);
    EXPECT_FALSE(QFile::exists(path()));
    EXPECT_TRUE(failures.reports.isEmpty());
}

TEST_F(ExportFixture, AMissingCsvFolderGivesThePlatformErrorAndNoSuccess)
{
    addEmployee(1, "1", QStringLiteral("甲"), 0);
    ASSERT_TRUE(QDir(folder.path("CSV")).removeRecursively());
    const Outcome o = WriteEmployeeMaster(session(), path(), false);
    EXPECT_FALSE(o.ok);
    EXPECT_EQ(o.kind, Outcome::Kind::Error);
    EXPECT_EQ(o.caption, AppTitle);
    EXPECT_NE(o.text, Success);
    EXPECT_TRUE(o.text.endsWith(QStringLiteral("\r") + path()));
    EXPECT_GT(o.text.indexOf('\r'), 0);   // the platform's text comes first
    EXPECT_FALSE(QFile::exists(path()));
}

TEST(Cp932Encoder, WritesTheUsualVariantsInTheirCp932FormsAndNamesWhatItCannotWrite)
{
    struct Case {
        const char* text;
        const char* cp932Form;   // what the encoder writes, as text
        const char* unwritable;
    };
    const Case cases[] = {
        {"10〜20", "10～20", ""},          // U+301C WAVE DASH
        {"−5", "－5", ""},                 // U+2212 MINUS SIGN
        {"‖", "∥", ""},                    // U+2016
        {"¢£¬¥¦—", "￠￡￢￥￤―", ""},
        {"～－∥", "～－∥", ""},            // already CP932's forms
        {"𠮷野家", "?野家", "𠮷"},
        {"山田😀😀太郎😃", "山田??太郎?", "😀😃"},
        {"①髙﨑", "①髙﨑", ""},            // CP932 extensions
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(ToCp932(text), ToCp932(QString::fromUtf8(c.cp932Form)));
        EXPECT_EQ(FromCp932(ToCp932(text)), QString::fromUtf8(c.cp932Form));
        EXPECT_EQ(Cp932Unwritable(text), QString::fromUtf8(c.unwritable));
    }
    // Input limits count the CP932 form: 〜 takes two bytes like ～.
    EXPECT_EQ(Cp932Length(QStringLiteral("〜−")), 4);
    // The full-width tilde is byte 0x81 0x60 in CP932.
    EXPECT_EQ(ToCp932(QStringLiteral("〜")), QByteArray("\x81\x60"));
}

TEST_F(ExportFixture, TextsShiftJisCannotHoldAreNamedBeforeWritingAndMayBeRefused)
{
    addEmployee(1, "0012", QStringLiteral("𠮷田 〜太郎"), 19800401);
    addEmployee(2, "0013", QStringLiteral("山田"), 19800401);
    Exec(folder.fdm().ACN2, QStringLiteral("UPDATE MSYAIN2 SET GAKU = '大卒😀' WHERE SCO = 2"));

    const QString question = QStringLiteral("次の文字は Shift-JIS で書けないため、「?」として出力されます。\r\n"
                                            "社員番号 0012（𠮷田 〜太郎）の社員名：「𠮷」\r\n"
                                            "社員番号 0013（山田）の学歴：「😀」\r\n"
                                            "このまま出力しますか？");
    const EmployeeExportData data = ReadEmployeeExport(session());
    ASSERT_TRUE(data.outcome.ok);
    EXPECT_EQ(UnwritableQuestion(data.unwritable), question);

    // Without leave to write them, nothing is written and the question says why.
    const Outcome refused = WriteEmployeeMaster(session(), path(), false);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.text, question);
    EXPECT_FALSE(QFile::exists(path()));

    EXPECT_EQ(WriteEmployeeMaster(session(), path(), true).text, Success);
    const QByteArray bytes = fileBytes();
    EXPECT_TRUE(bytes.contains(ToCp932(QStringLiteral("\"?田 ～太郎\""))));
    EXPECT_TRUE(bytes.contains(QByteArray("\"\x91\xe5\x91\xb2?\"")));   // 大卒?

    // Characters Shift-JIS has in its own forms are no reason to ask.
    Exec(folder.fdm().ACN2, QStringLiteral("DELETE FROM MSYAIN1 WHERE SCO = 1"));
    Exec(folder.fdm().ACN2, QStringLiteral("UPDATE MSYAIN2 SET GAKU = '〜−‖' WHERE SCO = 2"));
    EXPECT_TRUE(ReadEmployeeExport(session()).unwritable.isEmpty());
    EXPECT_EQ(WriteEmployeeMaster(session(), path(), false).text, Success);
    EXPECT_TRUE(fileBytes().contains(QByteArray("\"\x81\x60\x81\x7c\x81\x61\"")));   // ～－∥
}

TEST_F(ExportFixture, ALineBreakInsideAFieldIsReadBackAsOneRecord)
{
    addEmployee(1, "1", QStringLiteral("山田\r\n太郎"), 19800515);
    addEmployee(2, "2", QStringLiteral("佐藤\n\"花子\""), 19900101);
    ASSERT_TRUE(WriteEmployeeMaster(session(), path(), false).ok);
    const QByteArray bytes = fileBytes();
    EXPECT_TRUE(bytes.contains(ToCp932(QStringLiteral("\"山田\r\n太郎\",\"主任\""))));
    EXPECT_TRUE(bytes.contains(ToCp932(QStringLiteral("\"佐藤\n\"\"花子\"\"\""))));

    // Each record is read whole; a name is one line, so both rows are refused for it.
    const ImportCheck c = CheckImportFile(path());
    ASSERT_EQ(c.rows.size(), 2);
    EXPECT_EQ(c.errors, 2);
    EXPECT_EQ(c.reasons[0], QStringList{QStringLiteral("社員名に改行が含まれています")});
    EXPECT_EQ(c.reasons[1], QStringList{QStringLiteral("社員名に改行が含まれています")});
    EXPECT_EQ(c.rows[0][ImportColumn::Name], QStringLiteral("山田\r\n太郎"));
    EXPECT_EQ(c.rows[0][ImportColumn::Birth], "1980/05/15");
    EXPECT_EQ(c.rows[1][ImportColumn::Name], QStringLiteral("佐藤\n\"花子\""));
    EXPECT_EQ(c.rows[1][ImportColumn::Grade], "1");
}

TEST_F(ExportFixture, Utf8CsvKeepsEveryCharacterAndImportsBackTheSameName)
{
    const QString name = QStringLiteral("𠮷田 太郎😀");
    addEmployee(1, "00123", name, 19800401);
    const TableFileFormat utf8{SheetFileKind::Csv, CsvEncoding::Utf8Bom};

    // UTF-8 holds every character: no question, nothing replaced by '?'.
    EXPECT_TRUE(ReadEmployeeExport(session(), utf8).unwritable.isEmpty());
    EXPECT_FALSE(ReadEmployeeExport(session()).unwritable.isEmpty());
    ASSERT_EQ(WriteEmployeeMaster(session(), path(), false, utf8).text, Success);
    const QByteArray bytes = fileBytes();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF" "\xE7\xA4\xBE"));   // the byte-order mark, then 社
    EXPECT_TRUE(bytes.contains("\"00123\",\"" + name.toUtf8() + "\""));
    EXPECT_FALSE(bytes.contains('?'));

    // Read by the import and stored again: the same name.
    const ImportCheck c = CheckImportFile(path());
    ASSERT_EQ(c.rows.size(), 1);
    EXPECT_EQ(c.errors, 0);
    EXPECT_EQ(c.rows[0][ImportColumn::Name], name);
    ASSERT_TRUE(ImportEmployees(folder.fdm().ACN2, 1, 2024, c.rows, ImportMode::Replace, QDate(2024, 4, 1)).ok);
    EXPECT_EQ(Scalar(folder.fdm().ACN2, "SELECT SNA FROM MSYAIN1 WHERE KCO = 1 AND NENDO = 2024"), name);
    EXPECT_EQ(Scalar(folder.fdm().ACN2, "SELECT SCOT FROM MSYAIN1 WHERE KCO = 1 AND NENDO = 2024"), "00123");
}

TEST_F(ExportFixture, WorkbookHoldsTheCsvCellsTypedWithCodesAsTextAndEraDates)
{
    addEmployee(1, "00123", QStringLiteral("山田 太郎"), 19800401, 0, 3);
    addEmployee(2, "00124", QStringLiteral("佐藤 花子"), 0, 1, 5);
    session().calendarMode = 1;   // Japanese era years
    const QString xlsx = EmployeeExportPath(session(), SheetFileKind::Xlsx);
    EXPECT_EQ(xlsx, folder.path(QStringLiteral("CSV/社員マスタ出力.xlsx")));
    ASSERT_EQ(WriteEmployeeMaster(session(), xlsx, false, {SheetFileKind::Xlsx}).text, Success);
    ASSERT_TRUE(WriteEmployeeMaster(session(), path(), false).ok);

    const ReadWorkbook book = ReadXlsx(xlsx);
    ASSERT_TRUE(book.ok) << book.error.toStdString();
    EXPECT_EQ(DifferencesFromCsv(book, ReadCsvLines(path())), QStringList());
    // The code keeps its zeros as text, the dates are dates in era years, the grade a number.
    EXPECT_EQ(book.at(1, 0).type, "s");
    EXPECT_EQ(book.at(1, 0).text, "00123");
    EXPECT_EQ(book.at(1, 8).type, "d");
    EXPECT_EQ(book.at(1, 8).date, QDate(1980, 4, 1));
    EXPECT_EQ(book.at(1, 8).format, SheetDateFormat(1));
    EXPECT_TRUE(book.at(1, 8).format.contains(QStringLiteral("ggg")));
    EXPECT_EQ(book.at(2, 8).type, "");   // no birth date
    EXPECT_EQ(book.at(1, 10).type, "n");
    EXPECT_EQ(book.at(1, 10).number, 3);
    // The bold header stays when scrolling; the sheet and the document say what they are.
    EXPECT_EQ(book.freeze, "A2");
    EXPECT_TRUE(book.at(0, 0).bold);
    EXPECT_FALSE(book.at(1, 0).bold);
    EXPECT_EQ(book.sheets, QStringList{QStringLiteral("社員マスタ")});
    EXPECT_EQ(book.title, QStringLiteral("社員マスタ"));
    EXPECT_EQ(book.company, session().company().KNA);
    EXPECT_EQ(book.subject, QStringLiteral("令和 06 年度"));

    // In Western years the same date is shown with the Western year.
    session().calendarMode = 0;
    ASSERT_TRUE(WriteEmployeeMaster(session(), xlsx, false, {SheetFileKind::Xlsx}).ok);
    const ReadWorkbook western = ReadXlsx(xlsx);
    ASSERT_TRUE(western.ok);
    EXPECT_EQ(western.at(1, 8).format, SheetDateFormat(0));
    EXPECT_EQ(western.at(1, 8).date, QDate(1980, 4, 1));
    EXPECT_EQ(western.subject, QStringLiteral("2024 年度"));
}
