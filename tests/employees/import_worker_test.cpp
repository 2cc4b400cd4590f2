// Employee CSV import: splitting, decoding, heading mapping, row checks and the insertion.
#include "employees/ImportWorker.h"
#include "core/TextCodec.h"
#include "store/DataModule.h"
#include "support/RecordedFailures.h"
#include "support/TestProject.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

using namespace ImportColumn;

QByteArray crlf(const QStringList& lines)
{
    return ToCp932(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

QString writeFile(TestProgramFolder& folder, const QString& name, const QByteArray& bytes)
{
    const QString path = folder.path(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

ImportCheck checkLines(const QStringList& lines)
{
    return CheckImportBytes(QStringLiteral("test.csv"), crlf(lines));
}

const QDate Today(2024, 5, 7);

} // namespace

// ---------------------------------------------------------------- splitting

TEST(CsvSplitting, FieldsFollowTheQuoteCommaAndBackslashRules)
{
    struct Case {
        const char* line;
        QStringList fields;
    };
    const Case cases[] = {
        {"a,b,c", {"a", "b", "c"}},
        {"a,,c", {"a", "", "c"}},
        {"a,b,", {"a", "b", ""}},
        {"", {""}},
        {"\"山田, 太郎\",x", {"山田, 太郎", "x"}},
        {"\"say \"\"hi\"\"\",x", {"say \"hi\"", "x"}},
        // a doubled quote right before a comma stays inside the value
        {"\"He said \"\"hi\"\",ok\",x", {"He said \"hi\",ok", "x"}},
        {"\"\",x", {"", "x"}},
        {"\"last\"", {"last"}},
        {"\"open to the end,x", {"open to the end,x"}},
        {"\\abc,\\\\d,e\\", {"abc", "\\d", "e\\"}},
        {"\"\\kept\",x", {"\\kept", "x"}},
        {"a\"b,c", {"a\"b", "c"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(SplitCsvLine(QString::fromUtf8(c.line)), c.fields);
    }
    EXPECT_EQ(SplitCsvLine(QStringLiteral("a,b,c,d"), 2), (QStringList{"a", "b"}));
}

TEST(CsvSplitting, AFieldRunningToTheLineEndIsCutAtPosition4999)
{
    // 1 MB without a comma after the first field: the rest is cut, nothing else happens.
    const QString huge = QStringLiteral("ab,") + QString(1 << 20, 'x');
    const QStringList fields = SplitCsvLine(huge);
    ASSERT_EQ(fields.size(), 2);
    EXPECT_EQ(fields.at(1).size(), CsvLineFieldLimit - 3);
    // Fields ended by a comma are not cut, and a tail starting beyond the limit is empty.
    const QString longFirst = QString(6000, 'y') + QStringLiteral(",z");
    EXPECT_EQ(SplitCsvLine(longFirst).at(0).size(), 6000);
    EXPECT_EQ(SplitCsvLine(longFirst).at(1), QString());
    // A quoted field that never closes is cut the same way and loses its opening quote.
    EXPECT_EQ(SplitCsvLine('"' + QString(10000, 'q')).at(0).size(), CsvLineFieldLimit - 1);
}

TEST(CsvSplitting, LinesEndWithCrLfLfOrCr)
{
    EXPECT_EQ(SplitTextLines(QStringLiteral("a\r\nb\nc\rd")), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitTextLines(QStringLiteral("a\r\n\r\nb\r\n")), (QStringList{"a", "", "b"}));
    EXPECT_EQ(SplitTextLines(QStringLiteral("a\n\r")), (QStringList{"a", ""}));
    EXPECT_TRUE(SplitTextLines(QString()).isEmpty());
}

TEST(CsvSplitting, AQuotedFieldRunsAcrossLineEnds)
{
    struct Case {
        const char* text;
        QStringList records;
    };
    const Case cases[] = {
        {"a,b\r\nc,d\r\n", {"a,b", "c,d"}},
        {"\"x\r\ny\",1\r\n2,3", {"\"x\r\ny\",1", "2,3"}},
        {"1,\"x\ny\"\n2,\"p\rq\"", {"1,\"x\ny\"", "2,\"p\rq\""}},
        {"1,\"a\"\"\r\nb\"\r\n2", {"1,\"a\"\"\r\nb\"", "2"}},   // a doubled quote does not close
        {"1,x\"y\r\n2", {"1,x\"y", "2"}},                     // a quote inside an unquoted field
        {"\"\",\"\"\r\n\r\n3", {"\"\",\"\"", "", "3"}},
        // A quote that never closes: the lines from there on are read one by one.
        {"1,2\r\n\"open,3\r\n4,5\r\n6", {"1,2", "\"open,3", "4,5", "6"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SplitCsvRecords(QString::fromUtf8(c.text)), c.records);
    }
    EXPECT_TRUE(SplitCsvRecords(QString()).isEmpty());

    // The check reads the record as one row with the break kept in the field.
    const ImportCheck check = CheckImportBytes(
        "f.csv", ToCp932(QStringLiteral("社員番号,学歴,生年月日\r\n\"1\",\"大学\r\n院\",\"1980/05/15\"\r\n")));
    ASSERT_EQ(check.rows.size(), 1);
    EXPECT_EQ(check.rows[0][ImportColumn::Education], QStringLiteral("大学\r\n院"));
    EXPECT_EQ(check.rows[0][ImportColumn::Birth], "1980/05/15");
}

TEST(CsvDecoding, ShiftJisAndUtf8WithOrWithoutBomAreRead)
{
    const QString text = QStringLiteral("社員名,社員番号\r\n山田 ﾀﾛｳ,1");
    bool ok = false;
    EXPECT_EQ(DecodeCsvBytes(ToCp932(text), &ok), text);
    EXPECT_TRUE(ok);
    EXPECT_EQ(DecodeCsvBytes(text.toUtf8(), &ok), text);
    EXPECT_TRUE(ok);
    EXPECT_EQ(DecodeCsvBytes(QByteArray("\xEF\xBB\xBF") + text.toUtf8(), &ok), text);
    EXPECT_TRUE(ok);
    DecodeCsvBytes(QByteArray("\x81\x20\xFF\xFF"), &ok);
    EXPECT_FALSE(ok);
    // Four-byte UTF-8 is UTF-8; an overlong form is not, and reads as Shift-JIS (ﾀｯ).
    EXPECT_EQ(DecodeCsvBytes(QByteArray("a\xF0\x9F\x98\x80"), &ok), QStringLiteral("a😀"));
    EXPECT_EQ(DecodeCsvBytes(QByteArray("\xC0\xAF"), &ok), QStringLiteral("ﾀｯ"));
    EXPECT_TRUE(ok);
    // A byte-order mark promises UTF-8: Shift-JIS after it is refused.
    DecodeCsvBytes(QByteArray("\xEF\xBB\xBF") + ToCp932(text), &ok);
    EXPECT_FALSE(ok);
}

// ---------------------------------------------------------------- headings and checks

TEST(ImportCheckTest, HeadingsAreMatchedExactlyInAnyOrder)
{
    EXPECT_EQ(MapHeadings({"公的資格", "x", "社員名", " 社員番号", "状態", "配属"}),
              (QList<int>{Qualification, 0, Name, 0, 0, Assignment}));

    const ImportCheck none = checkLines({"名前,番号,状態", "a,1,x"});
    EXPECT_EQ(none.outcome, ImportCheck::NoValidHeadings);
    EXPECT_EQ(none.message, QStringLiteral("有効な項目名がありません。"));
    EXPECT_FALSE(none.importable());
}

TEST(ImportCheckTest, ColumnsMayComeInAnyOrderOrBeMissing)
{
    const ImportCheck c = checkLines({
        "賃金等級,余分,社員番号,\"社員名\",社内身分",
        "3,zz,A01,\"山田, 太郎\",正社員",
        "0,zz,A02,佐藤,パート,extra,fields",
        ",zz,A03,鈴木",
    });
    ASSERT_EQ(c.outcome, ImportCheck::Checked);
    EXPECT_EQ(c.errors, 0);
    EXPECT_TRUE(c.message.isEmpty());
    ASSERT_EQ(c.rows.size(), 3);
    EXPECT_EQ(c.rows[0][Name], QStringLiteral("山田, 太郎"));
    EXPECT_EQ(c.rows[0][Number], "A01");
    EXPECT_EQ(c.rows[0][Grade], "3");
    EXPECT_EQ(c.rows[0][Employment], QStringLiteral("正社員"));
    EXPECT_EQ(c.rows[2][Employment], QString());
    // Without a 性別 column every employee is 女.
    for (const ImportRow& r : c.rows)
        EXPECT_EQ(r[Sex], QStringLiteral("女"));
    EXPECT_TRUE(c.importable());
}

TEST(ImportCheckTest, EachFailedTestMarksTheRowAndCounts)
{
    struct Case {
        int column;
        const char* value;
        int errors;
    };
    const Case cases[] = {
        {Name, "", 1},
        {Number, "", 1},
        {Branch, "", 0},
        {Branch, "0", 0},
        {Branch, "1,200", 0},
        {Branch, "-3", 0},
        {Branch, "00", 1},
        {Branch, "x1", 1},
        {Job, "2.5", 1},
        {Job, "7", 0},
        {Grade, "", 0},
        {Grade, "0", 0},
        {Grade, "9", 0},
        {Grade, "10", 1},
        {Grade, "-1", 1},
        {Grade, "一", 1},
        {Birth, "", 0},
        {Birth, "1980/4/1", 0},
        {Birth, " 1980/04/01 ", 0},
        {Birth, "0", 1},
        {Birth, "1980/2/30", 1},
        {Birth, "1980-04-01", 1},
        {Birth, "80/4/1", 1},
        {Birth, "19800401", 1},
        {Entry, "2024/13/1", 1},
        {Entry, "2024/4/1", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(ImportHeadings().at(c.column).toUtf8()) + " = '" + c.value + "'");
        ImportRow row;
        row[Name] = QStringLiteral("山田");
        row[Number] = "1";
        row[c.column] = QString::fromUtf8(c.value);
        EXPECT_EQ(CheckImportRow(row), c.errors);
        EXPECT_EQ(row[Status], c.errors ? QStringLiteral("ERROR") : QString());
    }
    ImportRow bad;
    bad[Grade] = "10";
    EXPECT_EQ(CheckImportRow(bad), 3);   // name, number and grade

    const ImportCheck c = checkLines({"社員名,社員番号,賃金等級", "山田,1,10", "佐藤,2,1"});
    EXPECT_EQ(c.errors, 1);
    EXPECT_EQ(c.message, QStringLiteral("エラーが存在するので取込できません。"));
    EXPECT_EQ(c.rows[0][Status], QStringLiteral("ERROR"));
    EXPECT_EQ(c.rows[1][Status], QString());
    EXPECT_FALSE(c.importable());
}

TEST(ImportCheckTest, ALineBreakIsRefusedInOneLineColumnsAndKeptInFreeText)
{
    struct Case {
        int column;
        const char* value;
        QString reason;   // empty: accepted
    };
    const Case cases[] = {
        {Name, "山田\r\n太郎", QStringLiteral("社員名に改行が含まれています")},
        {Number, "\n\"10084", QStringLiteral("社員番号に改行が含まれています")},
        {Sex, "男\n", QStringLiteral("性別に改行が含まれています")},
        {Birth, "1980/4/1\r", QStringLiteral("生年月日に改行が含まれています")},
        {Entry, "2003/4/1\n2004/4/1", QStringLiteral("入社日に改行が含まれています")},
        {Grade, "3\n", QStringLiteral("賃金等級に改行が含まれています")},
        {Education, "大学\r\n院", QString()},
        {Major, "法学\n経済", QString()},
        {Qualification, "簿記\r\n英検", QString()},
        {Experience, "営業\r\n経理", QString()},
        {Employment, "正社員\n", QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ImportHeadings().at(c.column).toStdString());
        ImportRow row;
        row[Name] = QStringLiteral("山田");
        row[Number] = "1";
        row[c.column] = QString::fromUtf8(c.value);
        QStringList reasons;
        // One error, with the line break as its reason (a date or grade is not also
        // refused as malformed).
        EXPECT_EQ(CheckImportRow(row, &reasons), c.reason.isEmpty() ? 0 : 1);
        EXPECT_EQ(reasons, c.reason.isEmpty() ? QStringList() : QStringList{c.reason});
        EXPECT_EQ(row[c.column], QString::fromUtf8(c.value));
    }
}

TEST(ImportCheckTest, MergedRecordsOfADamagedFileAreErrorRows)
{
    // A stray quote makes a quoted field run over the next line end, so two lines of the
    // file become one record: the code "\n\"10084" and the name "O'Nei\r\n\"O'Neil \"Bob\""
    // must not be stored. The third record's experience legitimately spans two lines.
    QFile file(QStringLiteral(WAGELOOM_TEST_DATA "/import_merged_records.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const ImportCheck check = CheckImportBytes(file.fileName(), file.readAll());
    ASSERT_EQ(check.rows.size(), 3);
    EXPECT_EQ(check.errors, 2);
    EXPECT_EQ(check.message, QStringLiteral("エラーが存在するので取込できません。"));
    EXPECT_FALSE(check.importable());

    EXPECT_EQ(check.rows[0][Number], QStringLiteral("\n\"10084"));
    EXPECT_EQ(check.rows[0][Status], QStringLiteral("ERROR"));
    EXPECT_EQ(check.reasons[0], QStringList{QStringLiteral("社員番号に改行が含まれています")});

    EXPECT_EQ(check.rows[1][Name], QStringLiteral("O'Nei\r\n\"O'Neil \"Bob\""));
    EXPECT_EQ(check.rows[1][Status], QStringLiteral("ERROR"));
    EXPECT_EQ(check.reasons[1], QStringList{QStringLiteral("社員名に改行が含まれています")});

    EXPECT_EQ(check.rows[2][Status], QString());
    EXPECT_EQ(check.rows[2][Experience], QStringLiteral("営業\r\n経理"));
}

TEST(ImportCheckTest, SexIsNormalisedToManOrWoman)
{
    for (const char* male : {"男", "男性", "True", "true", "TRUE", "1", "-1"})
        EXPECT_EQ(NormalisedSex(QString::fromUtf8(male)), QStringLiteral("男")) << male;
    for (const char* female : {"", "女", "女性", "0", "False", "tRUE", " 男", "2"})
        EXPECT_EQ(NormalisedSex(QString::fromUtf8(female)), QStringLiteral("女")) << female;
}

TEST(ImportCheckTest, FilesThatCannotBeImported)
{
    RecordedFailures failures;
    TestProgramFolder folder;

    EXPECT_EQ(CheckImportFile(QStringLiteral("   ")).message, QStringLiteral("ファイル名を入力して下さい。"));
    const ImportCheck missing = CheckImportFile(folder.path("none.csv"));
    EXPECT_EQ(missing.message, QStringLiteral("指定されたファイルは存在しません。"));
    EXPECT_FALSE(missing.gridCleared);

    const QString empty = writeFile(folder, "empty.csv", QByteArray());
    EXPECT_EQ(CheckImportFile(" " + empty + " ").message, empty + QStringLiteral("　にはデータが有りません。"));
    const QString blank = writeFile(folder, "blank.csv", QByteArray("\xEF\xBB\xBF\r\n\r\n"));
    EXPECT_EQ(CheckImportFile(blank).outcome, ImportCheck::Empty);
    // A heading line alone holds no employee either: nothing to import.
    const QString headOnly = writeFile(folder, "head.csv", crlf({"社員名,社員番号"}));
    const ImportCheck h = CheckImportFile(headOnly);
    EXPECT_EQ(h.outcome, ImportCheck::NoDataRows);
    EXPECT_EQ(h.message, headOnly + QStringLiteral("　にはデータが有りません。"));
    EXPECT_FALSE(h.importable());

    const QString garbage = writeFile(folder, "bad.csv", QByteArray("\x81\x20\xFF,\xFE\r\n"));
    const ImportCheck g = CheckImportFile(garbage);
    EXPECT_EQ(g.outcome, ImportCheck::NotText);
    EXPECT_TRUE(g.message.contains(QStringLiteral("Shift-JIS でも UTF-8 でもない")));
    EXPECT_TRUE(g.rows.isEmpty());

    const QString unreadable = writeFile(folder, "locked.csv", crlf({"社員名", "a"}));
    QFile::setPermissions(unreadable, QFileDevice::Permissions());
    QFile probe(unreadable);
    if (!probe.open(QIODevice::ReadOnly)) {   // root reads every file
        const ImportCheck u = CheckImportFile(unreadable);
        EXPECT_EQ(u.outcome, ImportCheck::ReadFailed);
        EXPECT_FALSE(u.message.isEmpty());
    }
}

TEST(ImportCheckTest, Utf8FilesAndAMegabyteLineAreRead)
{
    TestProgramFolder folder;
    const QString text = QStringLiteral("社員名,社員番号,性別\r\n山田,1,男性\r\n");
    for (const QByteArray& bytes : {text.toUtf8(), QByteArray("\xEF\xBB\xBF") + text.toUtf8()}) {
        const ImportCheck c = CheckImportFile(writeFile(folder, "u.csv", bytes));
        ASSERT_EQ(c.outcome, ImportCheck::Checked);
        ASSERT_EQ(c.rows.size(), 1);
        EXPECT_EQ(c.rows[0][Name], QStringLiteral("山田"));
        EXPECT_EQ(c.rows[0][Sex], QStringLiteral("男"));
        EXPECT_EQ(c.errors, 0);
    }

    QByteArray big = crlf({"社員番号,社員名"});
    big += "7,";
    big += QByteArray(1 << 20, 'N');
    big += "\r\n8,short\r\n";
    const ImportCheck c = CheckImportFile(writeFile(folder, "big.csv", big));
    ASSERT_EQ(c.rows.size(), 2);
    EXPECT_EQ(c.rows[0][Name].size(), CsvLineFieldLimit - 2);
    EXPECT_EQ(c.rows[1][Name], "short");
    EXPECT_EQ(c.errors, 0);
}

// ---------------------------------------------------------------- insertion

namespace {

struct ImportFixture : ::testing::Test {
    RecordedFailures failures;
    TestProgramFolder folder;
    DbConnection* cn = nullptr;

    void SetUp() override
    {
        OpenTestProject(folder);
        cn = &folder.fdm().ACN2;
    }

    QList<ImportRow> rows(const QStringList& lines)
    {
        const ImportCheck c = checkLines(lines);
        EXPECT_EQ(c.errors, 0);
        return c.rows;
    }

    QString employees(const QString& columns = QStringLiteral("SCO || ':' || SNA"))
    {
        return Scalar(*cn, "SELECT group_concat(v, ' ') FROM (SELECT " + columns
                               + " AS v FROM VSYAIN WHERE KCO = 1 AND NENDO = 2024 ORDER BY SCO)");
    }
};

} // namespace

TEST_F(ImportFixture, RowsAreStoredInBothTables)
{
    const QList<ImportRow> r = rows({
        "社員番号,社員名,役職,性別,学歴,専攻,職務経験,社内身分,生年月日,入社日,賃金等級,公的資格,配属,本支店ID",
        "A1,O'Neil 花子,課長,女,大卒,法学,営業,役員,1980/4/1,2003/04/01,3,簿記,本社,12",
        "A2,山田,,男性,,,,嘱託,,,,,,",
    });
    const Outcome imported = ImportEmployees(*cn, 1, 2024, r, ImportMode::Add, Today);
    ASSERT_TRUE(imported.ok);
    EXPECT_FALSE(imported.hasMessage());
    EXPECT_TRUE(failures.reports.isEmpty());
    EXPECT_EQ(employees("SCO||'|'||HSCO||'|'||SCOT||'|'||SNA||'|'||SEIHI||'|'||NYUHI||'|'||YAKU||'|'||TCO||'|'||"
                        "NEWDAY1||'|'||SEIBETSU||'|'||TOUKYU||'|'||SM1||'|'||SM2||'|'||GAKU||'|'||SENKOU||'|'||"
                        "KSIKAKU||'|'||KEIKEN"),
              QStringLiteral("1|0|A1|O'Neil 花子|19800401|20030401|課長|3|2024/05/07|1|3|1|役員|大卒|法学|簿記|営業 "
                             "2|0|A2|山田|0|0||0|2024/05/07|0|0|0|嘱託||||"));
    // The columns the import does not write keep the table defaults.
    EXPECT_EQ(Scalar(*cn, "SELECT count(*) FROM MSYAIN2 WHERE KKYU1 IS NULL AND GOUHOU IS NULL"), "2");
}

TEST_F(ImportFixture, AddModeContinuesTheCodesAndReplaceModeStartsAgain)
{
    const QList<ImportRow> first = rows({"社員名,社員番号", "甲,1", "乙,2"});
    const QList<ImportRow> second = rows({"社員名,社員番号", "丙,3"});
    ASSERT_TRUE(ImportEmployees(*cn, 1, 2024, first, ImportMode::Add, Today).ok);
    ASSERT_TRUE(ImportEmployees(*cn, 1, 2024, second, ImportMode::Add, Today).ok);
    EXPECT_EQ(employees(), QStringLiteral("1:甲 2:乙 3:丙"));

    // Another company's and another year's employees are not touched by replace mode.
    Exec(*cn, "INSERT INTO MSYAIN1 (KCO, SCO, NENDO, SNA) VALUES (2, 50, 2024, '他社')");
    Exec(*cn, "INSERT INTO MSYAIN1 (KCO, SCO, NENDO, SNA) VALUES (1, 60, 2023, '前年')");
    ASSERT_TRUE(ImportEmployees(*cn, 1, 2024, second, ImportMode::Replace, Today).ok);
    EXPECT_EQ(employees(), QStringLiteral("1:丙"));
    EXPECT_EQ(Scalar(*cn, "SELECT count(*) FROM MSYAIN2 WHERE KCO = 1 AND NENDO = 2024"), "1");
    EXPECT_EQ(Scalar(*cn, "SELECT count(*) FROM MSYAIN1 WHERE SNA IN ('他社', '前年')"), "2");
}

TEST_F(ImportFixture, AFailureInTheMiddleRollsEverythingBack)
{
    ASSERT_TRUE(
        ImportEmployees(*cn, 1, 2024, rows({"社員名,社員番号", "旧一,1", "旧二,2"}), ImportMode::Add, Today).ok);
    Exec(*cn, "CREATE TRIGGER refuse BEFORE INSERT ON MSYAIN2 WHEN NEW.GAKU = 'BOOM' "
              "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    const QList<ImportRow> batch = rows({"社員名,社員番号,学歴", "新一,1,a", "新二,2,BOOM", "新三,3,c"});

    for (ImportMode mode : {ImportMode::Replace, ImportMode::Add}) {
        failures.clear();
        const Outcome o = ImportEmployees(*cn, 1, 2024, batch, mode, Today);
        EXPECT_FALSE(o.ok);
        EXPECT_EQ(o.caption, QString());
        EXPECT_TRUE(o.text.startsWith(QStringLiteral("データベースにエラーがありました。")));
        EXPECT_TRUE(o.text.contains("refused"));
        EXPECT_TRUE(failures.reports.isEmpty());   // the import's own message is the only one
        EXPECT_EQ(employees(), QStringLiteral("1:旧一 2:旧二"));
        EXPECT_EQ(Scalar(*cn, "SELECT count(*) FROM MSYAIN2"), "2");
        EXPECT_EQ(cn->transactionDepth(), 0);
    }
}

TEST_F(ImportFixture, AMissingTableLeavesTheOldEmployees)
{
    ASSERT_TRUE(ImportEmployees(*cn, 1, 2024, rows({"社員名,社員番号", "旧,1"}), ImportMode::Add, Today).ok);
    // Without MSYAIN2 the replace mode's delete of both tables fails after MSYAIN1's.
    Exec(*cn, "DROP VIEW VSYAIN");
    Exec(*cn, "DROP TABLE MSYAIN2");
    const Outcome o = ImportEmployees(*cn, 1, 2024, rows({"社員名,社員番号", "新,1"}), ImportMode::Replace, Today);
    EXPECT_FALSE(o.ok);
    EXPECT_EQ(o.text, QStringLiteral("データベースにエラーがありました。"));
    EXPECT_FALSE(failures.reports.isEmpty());   // the delete's own message, reported by the store
    EXPECT_EQ(Scalar(*cn, "SELECT group_concat(SNA) FROM MSYAIN1"), QStringLiteral("旧"));
}

TEST_F(ImportFixture, ABulkImportKeepsRowsInOrderAndNamesTheFailingRow)
{
    ASSERT_TRUE(ImportEmployees(*cn, 1, 2024, rows({"社員名,社員番号", "旧,1"}), ImportMode::Add, Today).ok);
    QStringList lines = {"社員名,社員番号,学歴,賃金等級"};
    for (int i = 1; i <= 150; ++i)
        lines << QStringLiteral("社員%1,N%1,学%1,%2").arg(i).arg(i % 10);
    const QList<ImportRow> many = rows(lines);
    ASSERT_EQ(many.size(), 150);

    ASSERT_TRUE(ImportEmployees(*cn, 1, 2024, many, ImportMode::Add, Today).ok);
    EXPECT_EQ(Scalar(*cn, "SELECT count(*) FROM VSYAIN WHERE SNA = '社員' || (SCO - 1) AND SCOT = 'N' || (SCO - 1) "
                          "AND GAKU = '学' || (SCO - 1) AND TOUKYU = (SCO - 1) % 10 AND TCO = TOUKYU"),
              "150");
    EXPECT_EQ(Scalar(*cn, "SELECT max(SCO) || ' ' || count(*) FROM MSYAIN2"), "151 151");

    // Row 130 is refused inside the second bulk statement: the message names that row's
    // own insert, and nothing of the import remains.
    Exec(*cn, "CREATE TRIGGER refuse BEFORE INSERT ON MSYAIN2 WHEN NEW.GAKU = '学130' "
              "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    failures.clear();
    const Outcome o = ImportEmployees(*cn, 1, 2024, many, ImportMode::Replace, Today);
    EXPECT_FALSE(o.ok);
    EXPECT_TRUE(failures.reports.isEmpty());
    const QString text = o.text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("データベースにエラーがありました。\r")));
    EXPECT_TRUE(text.contains("refused"));
    EXPECT_TRUE(text.contains(QStringLiteral("INSERT INTO MSYAIN2 (KCO,SCO,NENDO,SEIBETSU,TOUKYU,SM1,SM2,GAKU,SENKOU,"
                                             "KSIKAKU,KEIKEN) VALUES(1,130,2024,1,0,0,'','学130','','','')")))
        << text.toStdString();
    EXPECT_EQ(Scalar(*cn, "SELECT count(*) FROM MSYAIN1") + ' ' + Scalar(*cn, "SELECT count(*) FROM MSYAIN2"),
              "151 151");
    EXPECT_EQ(Scalar(*cn, "SELECT SNA FROM MSYAIN1 WHERE SCO = 1"), QStringLiteral("旧"));
}

TEST_F(ImportFixture, ALineBreakInTheExperienceIsStored)
{
    QFile file(QStringLiteral(WAGELOOM_TEST_DATA "/import_merged_records.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const ImportCheck check = CheckImportBytes(file.fileName(), file.readAll());
    ASSERT_EQ(check.rows.size(), 3);
    // The damaged file as a whole is refused; its sound row imports with its line break.
    ASSERT_FALSE(check.importable());
    ASSERT_TRUE(check.rows[2][Status].isEmpty());
    ASSERT_TRUE(ImportEmployees(*cn, 1, 2024, {check.rows[2]}, ImportMode::Add, Today).ok);
    EXPECT_EQ(employees("SCOT || '|' || SNA || '|' || KEIKEN || '|' || SEIHI"),
              QStringLiteral("10086|佐藤 花子|営業\r\n経理|19901224"));
    EXPECT_TRUE(failures.reports.isEmpty());
}
