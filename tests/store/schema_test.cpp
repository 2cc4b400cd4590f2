// The supplied databases: tables and views against the record descriptions.
#include "store/Records.h"
#include "support/RecordedFailures.h"
#include "support/TestProgramFolder.h"

#include <gtest/gtest.h>

namespace {

struct Column {
    QString name;
    QString type;
};

QList<Column> columnsOf(DbConnection& cn, const QString& table)
{
    QList<Column> out;
    auto r = cn.select("SELECT name, type FROM pragma_table_info(?)", {table});
    while (r && r->next())
        out.append({r->text(0), r->text(1).toLower()});
    return out;
}

// The SQL types a field kind may stand for.
QStringList typesFor(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Text:
        return {"text"};
    case FieldKind::NumText:
        return {"integer", "real", "text"};
    case FieldKind::Int:
        return {"integer"};
    case FieldKind::Real:
    case FieldKind::RealAsInt:
        return {"real"};
    }
    return {};
}

template <class R>
void expectTableMatches(DbConnection& cn, const TableDesc<R>& d, const QString& table)
{
    SCOPED_TRACE(table.toStdString());
    const QList<Column> actual = columnsOf(cn, table);
    ASSERT_EQ(actual.size(), int(d.columns.size()));
    for (int i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i].name, QString::fromUtf8(d.columns[i].name)) << "position " << i + 1;
        EXPECT_TRUE(typesFor(d.columns[i].kind).contains(actual[i].type))
            << actual[i].name.toStdString() << " is " << actual[i].type.toStdString();
    }
}

template <class R>
void expectTable(DbConnection& cn)
{
    expectTableMatches(cn, TableOf<R>::desc(), QString::fromUtf8(TableOf<R>::desc().table));
}

QStringList names(const QList<Column>& cols)
{
    QStringList out;
    for (const Column& c : cols)
        out << c.name;
    return out;
}

template <class R>
QStringList namesOf(const std::vector<ColumnOf<R>>& cols)
{
    QStringList out;
    for (const ColumnOf<R>& c : cols)
        out << QString::fromUtf8(c.name);
    return out;
}

class SuppliedDatabases : public ::testing::Test {
protected:
    void SetUp() override { folder.openYear(2024); }
    RecordedFailures failures;
    TestProgramFolder folder;
    DbConnection& control() { return folder.fdm().ACN1; }
    DbConnection& year() { return folder.fdm().ACN2; }
};

TEST_F(SuppliedDatabases, TablesHaveTheirColumnsInBindingOrderWithMatchingTypes)
{
    expectTable<TSeigyo_>(control());
    expectTable<TKigyo1_>(control());
    expectTable<TMODEL_>(control());
    expectTable<TMDCHNGIN_>(control());
    expectTableMatches(control(), TableOf<TMark_>::desc(), "MMMARK");
    expectTableMatches(control(), TableOf<TGraph_>::desc(), "MMGRAPH");

    expectTable<TKigyo2_>(year());
    expectTable<TMark_>(year());
    expectTable<TGraph_>(year());
    expectTable<TChart_>(year());
    expectTable<TDChart_>(year());
    expectTable<TSPDRAW_>(year());
    expectTable<TCHNGIN_>(year());
    expectTable<TMCHNGIN_>(year());
    expectTable<TSCALE_>(year());
    expectTable<T2JI_>(year());
    expectTable<T3JI_>(year());
    expectTable<TCHNGIN2_>(year());
    expectTable<TMHYOUKA_>(year());
    expectTable<TYHYOUKA_>(year());
    expectTable<TSALARY_>(year());
    expectTable<TSEIKEI_>(year());
    expectTable<TBAND_>(year());
    expectTable<TMATID_>(year());
    expectTable<TMATCELL_>(year());
    expectTableMatches(year(), EmployeeTables::msyain1(), "MSYAIN1");
    expectTableMatches(year(), EmployeeTables::msyain2(), "MSYAIN2");
    EXPECT_EQ(columnsOf(year(), "MSYAIN1").size(), 34);
    EXPECT_EQ(columnsOf(year(), "MSYAIN2").size(), 59);

    const QList<Column> before = columnsOf(control(), "Before");
    EXPECT_EQ(names(before), QStringList({"ID", "Name", "Memo", "Kbn"}));
}

TEST_F(SuppliedDatabases, ViewsHaveTheDocumentedColumns)
{
    QStringList vsyain = namesOf(EmployeeTables::msyain1().columns);
    vsyain += namesOf(EmployeeTables::msyain2().columns).mid(3);
    vsyain += QStringList{"HKIGOU", "MATRIXID", "KIN", "NKIN", "HYOUKA", "SGOUSU", "BANDNAME"};
    EXPECT_EQ(names(columnsOf(year(), "VSYAIN")), vsyain);

    const QStringList bandm = namesOf(TableOf<TBAND_>::desc().columns);
    const QStringList vbandm2 = bandm + QStringList{"NAME", "ZONESU", "MATRIXNAME", "BANDTEIGI:1"};
    EXPECT_EQ(names(columnsOf(year(), "VBANDM2")), vbandm2);
    const QStringList vbandm = vbandm2 + QStringList{"YHYOUKA", "UP1", "UP2", "UP3", "UP4", "UP5"};
    EXPECT_EQ(names(columnsOf(year(), "VBANDM")), vbandm);
    const QStringList cell = namesOf(TableOf<TMATCELL_>::desc().columns)
                             + QStringList{"TEIGI", "NAME", "YHYOUKANAME", "ZONESU", "BANDID", "BANDNAME"};
    EXPECT_EQ(names(columnsOf(year(), "VMATRIXCELL")), cell);
}

TEST_F(SuppliedDatabases, ControlDatabaseHoldsTheTemplatesAndTheYearTemplateIsEmpty)
{
    EXPECT_EQ(Scalar(control(), "SELECT REKI1 || SNEN1 || '/' || STSUKI1 || '/' || SHI1 FROM MSEIGYO WHERE CO = 0"),
              QStringLiteral("昭和1926/12/25"));
    EXPECT_EQ(Scalar(control(), "SELECT REKI2 || SNEN2 || '/' || STSUKI2 || '/' || SHI2 FROM MSEIGYO"),
              QStringLiteral("平成1989/1/8"));
    EXPECT_EQ(Scalar(control(), "SELECT REKI3 || SNEN3 || '/' || STSUKI3 || '/' || SHI3 FROM MSEIGYO"),
              QStringLiteral("令和2019/5/1"));
    EXPECT_EQ(Scalar(control(), "SELECT group_concat(MKCO, '') FROM MMMARK WHERE NENDO = 9999 AND KCO = 0"),
              "123456789");
    EXPECT_EQ(Scalar(control(), "SELECT group_concat(GSCO, '') FROM MMGRAPH WHERE NENDO = 9999 AND KCO = 0"), "1234");
    EXPECT_GE(Scalar(control(), "SELECT count(*) FROM Before").toInt(), 3);
    EXPECT_EQ(Scalar(control(), "SELECT count(*) FROM MKIGYOU1"), "0");

    int rows = 0;
    auto tables = year().select("SELECT name FROM sqlite_master WHERE type = 'table'");
    QStringList names;
    while (tables->next())
        names << tables->text(0);
    for (const QString& t : names)
        rows += Scalar(year(), "SELECT count(*) FROM " + t).toInt();
    EXPECT_EQ(names.size(), 23);
    EXPECT_EQ(rows, 0);
}

} // namespace
