// Record access layer: round trips of every table, quoting, status and failure paths.
#include "shell/screens/AppState.h"
#include "store/Conversions.h"
#include "store/RecordAccess.h"
#include "support/RecordedFailures.h"
#include "support/TestProgramFolder.h"

#include <gtest/gtest.h>

namespace {

// Tables of the control database; everything else lives in the year database.
template <class R>
constexpr bool inControlDatabase = std::is_same_v<R, TSeigyo_> || std::is_same_v<R, TKigyo1_>
                                   || std::is_same_v<R, TMODEL_> || std::is_same_v<R, TMDCHNGIN_>;

// Gives every column a distinct value of its kind; seed varies the values.
template <class R>
void fill(R& rec, int seed)
{
    int i = 0;
    for (const ColumnOf<R>& c : TableOf<R>::desc().columns) {
        ++i;
        switch (c.kind) {
        case FieldKind::Text:
            rec.*(c.text) = QStringLiteral("値%1'%2").arg(i).arg(seed);
            break;
        case FieldKind::NumText:
            rec.*(c.text) = QString::number(seed * 100 + i);
            break;
        case FieldKind::Int:
            rec.*(c.integer) = seed * 1000 + i;
            break;
        case FieldKind::Real:
            rec.*(c.real) = seed + i + 0.25;
            break;
        case FieldKind::RealAsInt:
            rec.*(c.real) = seed * 10 + i;
            break;
        }
    }
}

template <class R>
void expectSameColumns(const R& a, const R& b, const QStringList& skip = {})
{
    for (const ColumnOf<R>& c : TableOf<R>::desc().columns) {
        if (skip.contains(QString::fromUtf8(c.name)))
            continue;
        SCOPED_TRACE(c.name);
        if (c.text)
            EXPECT_EQ(a.*(c.text), b.*(c.text));
        else if (c.integer)
            EXPECT_EQ(a.*(c.integer), b.*(c.integer));
        else
            EXPECT_DOUBLE_EQ(a.*(c.real), b.*(c.real));
    }
}

template <class R>
QString tableName()
{
    return QString::fromUtf8(TableOf<R>::desc().table);
}

template <class R>
QString head()
{
    return QStringLiteral("SELECT * FROM ") + tableName<R>();
}

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override { folder.openYear(2024); }

    template <class R>
    DbConnection& connectionFor()
    {
        if constexpr (inControlDatabase<R>)
            return folder.fdm().ACN1;
        else
            return folder.fdm().ACN2;
    }

    RecordedFailures failures;
    TestProgramFolder folder;
};

template <class R>
class TableRoundTrip : public StoreTest {};

using AllRecordTypes =
    ::testing::Types<TSeigyo_, TKigyo1_, TKigyo2_, TMark_, TGraph_, TChart_, TDChart_, TSPDRAW_, TCHNGIN_,
                     TMCHNGIN_, TSCALE_, T2JI_, T3JI_, TCHNGIN2_, TMHYOUKA_, TYHYOUKA_, TSALARY_, TSEIKEI_,
                     TMODEL_, TMDCHNGIN_, TBAND_, TMATID_, TMATCELL_>;
TYPED_TEST_SUITE(TableRoundTrip, AllRecordTypes);

// Insert, read one, read all, update, delete through the default key condition.
TYPED_TEST(TableRoundTrip, InsertReadUpdateDelete)
{
    using R = TypeParam;
    constexpr unsigned ops = TableOf<R>::ops;
    DbConnection& cn = this->template connectionFor<R>();
    const TableDesc<R>& d = TableOf<R>::desc();

    R written;
    if constexpr (std::is_same_v<R, TSeigyo_>) {
        // The control record is supplied; it is read and updated, never inserted.
        ASSERT_TRUE(ReadOne(cn, true, SqlCondition(" WHERE CO = 0"), head<R>(), written));
        ASSERT_TRUE(written.ok);
        EXPECT_EQ(written.REKI3, QStringLiteral("令和"));
    } else {
        fill(written, 1);
        ASSERT_TRUE(Insert(cn, true, written));
        EXPECT_TRUE(written.ok);
        EXPECT_EQ(written.rows, 1);
    }

    R key = written;   // the default condition takes its values from the key fields
    if constexpr ((ops & OpReadOne) != 0) {
        R read;
        static_cast<R&>(read) = key;
        for (const ColumnOf<R>& c : d.columns)
            if (!d.keys.contains(QString::fromUtf8(c.name)) && c.text)
                read.*(c.text) = QStringLiteral("untouched");
        ASSERT_TRUE(ReadOne(cn, true, SqlCondition(), head<R>(), read));
        EXPECT_TRUE(read.ok);
        EXPECT_EQ(read.rows, 1);
        expectSameColumns(read, written, d.notReadByDefault);
    }

    // Reads the row of the key back, through read all where the table has it.
    auto readBack = [&](R& out) {
        if constexpr ((ops & OpReadAll) != 0) {
            RecList<R> list;
            SharedRecord<R>() = key;
            ASSERT_TRUE(ReadAll(cn, true, SqlCondition(), head<R>(), list));
            ASSERT_EQ(list.rows, 1);
            ASSERT_EQ(list.items.size(), 1);
            out = list.items.first();
        } else {
            out = key;
            ASSERT_TRUE(ReadOne(cn, true, SqlCondition(), head<R>(), out));
            ASSERT_TRUE(out.ok);
        }
    };
    R back;
    readBack(back);
    expectSameColumns(back, written, d.notReadByDefault);

    if constexpr ((ops & OpUpdate) != 0) {
        R changed;
        fill(changed, 2);
        for (const QString& k : d.keys)
            for (const ColumnOf<R>& c : d.columns)
                if (QString::fromUtf8(c.name) == k)
                    changed.*(c.text) = written.*(c.text);
        ASSERT_TRUE(Update(cn, true, SqlCondition(), changed));
        EXPECT_EQ(changed.rows, 1);
        readBack(back);
        expectSameColumns(back, changed, d.notReadByDefault);
    }

    if constexpr ((ops & OpDelete) != 0) {
        R victim = key;
        ASSERT_TRUE(Delete(cn, true, SqlCondition(), victim));
        EXPECT_EQ(victim.rows, 1);
        EXPECT_EQ(Scalar(cn, "SELECT count(*) FROM " + tableName<R>()), "0");
    }
    EXPECT_TRUE(this->failures.reports.isEmpty()) << this->failures.texts().join("\n").toStdString();
}

// ---------------------------------------------------------------- employees

TSyain_ employee(int sco, const QString& name)
{
    TSyain_ e;
    e.KCO = "1";
    e.SCO = QString::number(sco);
    e.NENDO = "2024";
    e.SNA = name;
    e.SEIHI = 19800515;
    e.NYUHI = 20030401;
    e.KKYU1 = 200000;
    e.KKYU2 = 30000;
    e.TEATE1 = 10000;
    e.TEATE5 = 500;
    e.SYOUYO = 400000;
    e.SYOUYO2 = 450000;
    e.NKKYU1 = 205000;
    e.NTEATE1 = 12000;
    e.SRITSU = 1.5;
    e.NSRITSU = 2;
    return e;
}

using EmployeeStore = StoreTest;

TEST_F(EmployeeStore, PairRoundTripThroughTheViewWithTotals)
{
    const int referenceDay = 20240401;
    DbConnection& cn = folder.fdm().ACN2;
    TSyain_ e = employee(7, "山田　太郎");
    ASSERT_TRUE(Insert(cn, true, e));
    EXPECT_EQ(Scalar(cn, "SELECT count(*) FROM MSYAIN1"), "1");
    EXPECT_EQ(Scalar(cn, "SELECT count(*) FROM MSYAIN2"), "1");

    TSyain_ read;
    read.KCO = "1";
    read.SCO = "7";
    read.NENDO = "2024";
    ASSERT_TRUE(ReadOne(cn, true, SqlCondition(), "SELECT * FROM VSYAIN", read, referenceDay));
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.SNA, QStringLiteral("山田　太郎"));
    EXPECT_EQ(read.NENREI, 43);
    EXPECT_EQ(read.KINZOKU, 21);
    EXPECT_EQ(read.BasicSum, 230000);
    EXPECT_EQ(read.MonthlyTotal, 240500);
    EXPECT_EQ(read.BonusTotal, 850000);
    EXPECT_EQ(read.AnnualTotal, 240500 * 12 + 850000);
    EXPECT_EQ(read.NewBasicSum, 205000);
    EXPECT_EQ(read.NewMonthlyTotal, 217000);
    EXPECT_DOUBLE_EQ(read.SRITSU, 1.5);
    // Without a wage table, evaluation or band the view still has the row, lookups empty.
    EXPECT_EQ(read.HKIGOU, QString());
    EXPECT_EQ(read.SGOUSU, 0);
    EXPECT_EQ(read.KIN, 0);

    read.SNA = "山田　次郎";
    read.KKYU3 = 1000;
    ASSERT_TRUE(Update(cn, true, SqlCondition(), read));
    TSyain_rec list;
    ASSERT_TRUE(ReadAll(cn, true, SqlCondition(" WHERE KCO = 1 AND NENDO = 2024"), "SELECT * FROM VSYAIN", list,
                        referenceDay));
    ASSERT_EQ(list.items.size(), 1);
    EXPECT_EQ(list.items[0].SNA, QStringLiteral("山田　次郎"));
    EXPECT_EQ(list.items[0].BasicSum, 231000);

    ASSERT_TRUE(Delete(cn, true, SqlCondition(), read));
    EXPECT_EQ(Scalar(cn, "SELECT count(*) FROM MSYAIN1"), "0");
    EXPECT_EQ(Scalar(cn, "SELECT count(*) FROM MSYAIN2"), "0");
}

TEST_F(EmployeeStore, AgeCountsCompletedYearsToTheReferenceDate)
{
    struct Case {
        int reference;
        int age;
    };
    const Case cases[] = {{20240401, 43}, {20240514, 43}, {20240515, 44}, {20250101, 44}, {200141, 0}};
    DbConnection& cn = folder.fdm().ACN2;
    TSyain_ e = employee(1, "年齢");
    ASSERT_TRUE(Insert(cn, true, e));
    for (const Case& c : cases) {
        TSyain_ read = e;
        ASSERT_TRUE(ReadOne(cn, true, SqlCondition(), "SELECT * FROM VSYAIN", read, c.reference));
        EXPECT_EQ(read.NENREI, c.age) << "reference " << c.reference;
    }
}

TEST_F(EmployeeStore, TheViewLooksUpWageTableAmountsEvaluationAndBand)
{
    DbConnection& cn = folder.fdm().ACN2;
    Exec(cn, "INSERT INTO DCHINGIN2 (KCO,NENDO,SKCO,GOUHOU,KIN2,KIN3) VALUES (1,2024,5,10,250000,300000)");
    Exec(cn, "INSERT INTO DCHINGIN2 (KCO,NENDO,SKCO,GOUHOU,KIN2,KIN3) VALUES (1,2024,5,12,254000,304000)");
    Exec(cn, "INSERT INTO MHYOUKA VALUES (1,2024,5,3,'B',2)");
    Exec(cn, "INSERT INTO YHYOUKA VALUES (1,2024,4,'S')");
    Exec(cn, "INSERT INTO BANDM (KCO,NENDO,BANDID,BANDNAME,MATRIXID) VALUES (1,2024,6,'バンドA',9)");
    TSyain_ e = employee(1, "引当");
    e.SKCO = 5;
    e.TOUKYU = 2;
    e.GOUHOU = 10;
    e.NTOUKYU = 3;
    e.NGOUHOU = 12;
    e.HCO = 3;
    e.YHYOUKA = 4;
    e.BANDID = 6;
    ASSERT_TRUE(Insert(cn, true, e));
    TSyain_ read = e;
    ASSERT_TRUE(ReadOne(cn, true, SqlCondition(), "SELECT * FROM VSYAIN", read, 20240401));
    EXPECT_EQ(read.KIN, 250000);
    EXPECT_EQ(read.NKIN, 304000);
    EXPECT_EQ(read.HKIGOU, "B");
    EXPECT_EQ(read.SGOUSU, 2);
    EXPECT_EQ(read.HYOUKA, "S");
    EXPECT_EQ(read.BANDNAME, QStringLiteral("バンドA"));
    EXPECT_EQ(read.MATRIXID, 9);

    // Without a new grade the new amount is looked up for the current grade.
    Exec(cn, "UPDATE MSYAIN2 SET NTOUKYU = 0");
    ASSERT_TRUE(ReadOne(cn, true, SqlCondition(), "SELECT * FROM VSYAIN", read, 20240401));
    EXPECT_EQ(read.NKIN, 254000);

    // A read of the plain table does not touch the view's columns.
    TSyain_ plain = e;
    plain.KIN = -1;
    ASSERT_TRUE(ReadOne(cn, true, SqlCondition(), "SELECT * FROM MSYAIN1", plain, 20240401));
    EXPECT_EQ(plain.KIN, -1);
}

TEST_F(EmployeeStore, AFailedSecondTableLeavesNoHalfEmployee)
{
    DbConnection& cn = folder.fdm().ACN2;
    Exec(cn, "DROP VIEW VSYAIN");
    Exec(cn, "DROP TABLE MSYAIN2");
    TSyain_ e = employee(3, "半分");
    EXPECT_FALSE(Insert(cn, true, e));
    EXPECT_FALSE(e.ok);
    EXPECT_EQ(e.rows, -1);
    EXPECT_EQ(Scalar(cn, "SELECT count(*) FROM MSYAIN1"), "0");
    ASSERT_EQ(failures.reports.size(), 1);
    EXPECT_TRUE(failures.reports[0].text.contains("no such table: MSYAIN2"));
}

// ---------------------------------------------------------------- quoting and status

TEST_F(StoreTest, QuotesAndHostileTextAreStoredUnchanged)
{
    DbConnection& cn = folder.fdm().ACN1;
    const QStringList names = {"O'Neil", "x'); DROP TABLE MSYAIN1;--", "'", "''", "?", "日本'語\"?"};
    int code = 1;
    for (const QString& name : names) {
        TKigyo1_ k;
        k.KCO = QString::number(code++);
        k.NENDO = "2024";
        k.KNA = name;
        ASSERT_TRUE(Insert(cn, true, k)) << name.toStdString();
        TKigyo1_ back = k;
        back.KNA.clear();
        ASSERT_TRUE(ReadOne(cn, true, SqlCondition(), "SELECT * FROM MKIGYOU1", back));
        EXPECT_EQ(back.KNA, name);
    }
    const QString tables = Scalar(folder.fdm().ACN2, "SELECT group_concat(name) FROM sqlite_master WHERE type = 'table'");
    ASSERT_TRUE(tables.contains("MSYAIN1"));
    TSyain_ e = employee(1, "x'); DROP TABLE MSYAIN1;--");
    ASSERT_TRUE(Insert(folder.fdm().ACN2, true, e));
    EXPECT_EQ(Scalar(folder.fdm().ACN2, "SELECT SNA FROM MSYAIN1"), e.SNA);
    EXPECT_EQ(Scalar(folder.fdm().ACN2, "SELECT group_concat(name) FROM sqlite_master WHERE type = 'table'"), tables);
    EXPECT_TRUE(failures.reports.isEmpty());
}

TEST_F(StoreTest, MessagesShowTheStatementWithItsValuesWrittenIn)
{
    DbConnection& cn = folder.fdm().ACN1;
    TKigyo1_ k;
    k.KCO = "4";
    k.NENDO = "2024";
    k.KNA = "O'Neil";
    ASSERT_TRUE(Insert(cn, true, k));
    EXPECT_EQ(LastStatementText(),
              "Insert into MKIGYOU1 Values(4,2024,'O''Neil','',NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL)");
}

TEST_F(StoreTest, UpdateOfAMissingRowSucceedsWithNoRowsAndSaveThenInserts)
{
    DbConnection& cn = folder.fdm().ACN2;
    TMark_ m;
    m.KCO = "1";
    m.NENDO = "2024";
    m.MKCO = "3";
    m.MARK = "●";
    ASSERT_TRUE(Update(cn, true, SqlCondition(), m));
    EXPECT_TRUE(m.ok);
    EXPECT_EQ(m.rows, 0);
    ASSERT_TRUE(Save(cn, true, SqlCondition(), m));
    EXPECT_EQ(m.rows, 1);
    EXPECT_EQ(Scalar(cn, "SELECT MARK FROM MMARK WHERE MKCO = 3"), "●");
    m.MARK = "▲";
    ASSERT_TRUE(Save(cn, true, SqlCondition(), m));
    EXPECT_EQ(Scalar(cn, "SELECT count(*) FROM MMARK"), "1");
    EXPECT_EQ(Scalar(cn, "SELECT MARK FROM MMARK"), "▲");
}

TEST_F(StoreTest, AMissingOneRowReadKeepsTheFieldsAndSaysNotFoundSilently)
{
    TKigyo2_ k;
    k.KCO = "99";
    k.NENDO = "2024";
    k.KNA = "そのまま";
    k.TK01 = "第１等級";
    ASSERT_TRUE(ReadOne(folder.fdm().ACN2, true, SqlCondition(), "SELECT * FROM MKIGYOU2", k));
    EXPECT_FALSE(k.ok);
    EXPECT_EQ(k.rows, 0);
    EXPECT_EQ(k.KNA, QStringLiteral("そのまま"));
    EXPECT_EQ(k.TK01, QStringLiteral("第１等級"));
    EXPECT_TRUE(failures.reports.isEmpty());
}

TEST_F(StoreTest, EmptyWorkingTimeFiguresReadAsZero)
{
    DbConnection& cn = folder.fdm().ACN1;
    Exec(cn, "INSERT INTO MKIGYOU1 (KCO, NENDO, KNA, SYOTEIHH) VALUES (1, 2024, 'A', 7.5)");
    TKigyo1_ k;
    k.KCO = "1";
    k.NENDO = "2024";
    ASSERT_TRUE(ReadOne(cn, true, SqlCondition(), "SELECT * FROM MKIGYOU1", k));
    EXPECT_EQ(k.SYOTEIHH, "7.5");
    EXPECT_EQ(k.SYOTEIDD, "0");
    EXPECT_EQ(k.SYOTEIMM, "0");
    EXPECT_EQ(k.SAITEI, "0");
    EXPECT_EQ(k.PATH, "");     // other empty columns stay empty
    EXPECT_EQ(k.FNK, "");
}

TEST_F(StoreTest, FailuresShowTheEngineTextAndForWritesTheStatement)
{
    DbConnection& cn = folder.fdm().ACN2;
    Exec(cn, "DROP TABLE MGRAPH");
    TGraph_ g;
    g.KCO = "1";
    g.NENDO = "2024";
    g.GSCO = "2";
    g.CCOLOR = "clRed";
    EXPECT_FALSE(Insert(cn, true, g));
    EXPECT_FALSE(g.ok);
    EXPECT_EQ(g.rows, -1);
    ASSERT_EQ(failures.reports.size(), 1);
    EXPECT_EQ(failures.reports[0].caption, QString());
    EXPECT_EQ(failures.reports[0].text,
              "1 no such table: MGRAPH Insert into MGRAPH Values(1,2024,2,'clRed',NULL,NULL)");
    EXPECT_EQ(g.message, failures.reports[0].text);

    failures.clear();
    TGraph_rec list;
    EXPECT_FALSE(ReadAll(cn, true, SqlCondition(), "SELECT * FROM MGRAPH", list));
    EXPECT_FALSE(list.ok);
    ASSERT_EQ(failures.reports.size(), 1);
    EXPECT_EQ(failures.reports[0].text, "1 no such table: MGRAPH");

    // A number held as text that is not a number is refused before anything runs.
    failures.clear();
    TMark_ m;
    m.KCO = "1";
    m.NENDO = "2024";
    m.MKCO = "1 OR 1=1";
    EXPECT_FALSE(Insert(cn, true, m));
    ASSERT_EQ(failures.reports.size(), 1);
    EXPECT_TRUE(failures.reports[0].text.startsWith("22018 "));
    EXPECT_EQ(Scalar(cn, "SELECT count(*) FROM MMARK"), "0");
}

TEST_F(StoreTest, OwnTransactionsNestInsideAnOperationsTransaction)
{
    DbConnection& cn = folder.fdm().ACN2;
    ASSERT_TRUE(cn.begin());
    TYHYOUKA_ y;
    y.KCO = "1";
    y.NENDO = "2024";
    y.HCO = "1";
    y.HKIGOU = "A";
    ASSERT_TRUE(Insert(cn, true, y));
    TYHYOUKA_ bad = y;
    bad.HCO = "x";
    EXPECT_FALSE(Insert(cn, true, bad));
    EXPECT_EQ(Scalar(cn, "SELECT count(*) FROM YHYOUKA"), "1");   // the inner failure undid only itself
    ASSERT_TRUE(cn.rollback());
    EXPECT_EQ(Scalar(cn, "SELECT count(*) FROM YHYOUKA"), "0");
}

TEST_F(StoreTest, ChartGetOrCreateFillsTheCreationDefaultsOnce)
{
    DbConnection& cn = folder.fdm().ACN2;
    TChart_ c;
    c.CHCO = "1020";
    c.KCO = "1";
    c.NENDO = "2024";
    c.KNO = 1;
    c.FCHK = "111111111";
    c.XNAME = "年齢";
    c.SEX = 2;
    c.SJYUN1 = 5;
    ASSERT_TRUE(GetOrCreateChart(cn, true, "SELECT * FROM MCHART", c));
    EXPECT_EQ(c.FCHK, "000000000");
    EXPECT_EQ(c.FX, "0");
    EXPECT_DOUBLE_EQ(c.SJYUN1, 0);
    EXPECT_EQ(c.XNAME, QStringLiteral("年齢"));
    EXPECT_EQ(c.SEX, 2);
    EXPECT_EQ(Scalar(cn, "SELECT count(*) FROM MCHART"), "1");

    Exec(cn, "UPDATE MCHART SET TITLE = '保存済み'");
    TChart_ again = c;
    ASSERT_TRUE(GetOrCreateChart(cn, true, "SELECT * FROM MCHART", again));
    EXPECT_EQ(again.TITLE, QStringLiteral("保存済み"));
    EXPECT_EQ(Scalar(cn, "SELECT count(*) FROM MCHART"), "1");
}

TEST_F(StoreTest, BandReadsTakeTheViewColumnsOnlyThroughTheViews)
{
    DbConnection& cn = folder.fdm().ACN2;
    Exec(cn, "INSERT INTO MATRIXID VALUES (1,2024,2,'マトリクス','定義',3)");
    Exec(cn, "INSERT INTO MATRIXCELL VALUES (1,2024,2,5,1.5,2.5,3.5,0,0)");
    Exec(cn, "INSERT INTO YHYOUKA VALUES (1,2024,5,'S')");
    Exec(cn, "INSERT INTO BANDM (KCO,NENDO,BANDID,BANDNAME,BANDTEIGI,MATRIXID,下限額1) "
             "VALUES (1,2024,7,'バンド','バンド定義',2,180000)");
    const SqlCondition where(" WHERE KCO = 1 AND NENDO = 2024");

    TBAND_rec bands;
    ASSERT_TRUE(ReadAll(cn, true, where, "SELECT * FROM BANDM", bands));
    ASSERT_EQ(bands.items.size(), 1);
    EXPECT_EQ(bands.items[0].BANDTEIGI, QString());
    EXPECT_EQ(bands.items[0].下限額1, "180000");

    ASSERT_TRUE(ReadAll(cn, true, where, "SELECT * FROM VBANDM2", bands));
    EXPECT_EQ(bands.items[0].BANDTEIGI, QStringLiteral("バンド定義"));
    EXPECT_EQ(bands.items[0].MATRIXNAME, QStringLiteral("マトリクス"));
    EXPECT_EQ(bands.items[0].ZONESU, "3");
    EXPECT_EQ(bands.items[0].UP1, QString());

    ASSERT_TRUE(ReadAll(cn, true, where, "SELECT * FROM VBANDM", bands));
    EXPECT_EQ(bands.items[0].YHYOUKA, "5");
    EXPECT_EQ(bands.items[0].UP2, "2.5");

    TMATCELL_rec cells;
    ASSERT_TRUE(ReadAll(cn, true, where, "SELECT * FROM VMATRIXCELL", cells));
    ASSERT_EQ(cells.items.size(), 1);
    EXPECT_EQ(cells.items[0].BANDID, "7");
    EXPECT_EQ(cells.items[0].YHYOUKANAME, "S");
    EXPECT_EQ(cells.items[0].UP3, "3.5");
}

} // namespace
