// Point pop-ups: the rows of each kind, the optimal-wage amounts and the 更新 write.
#include "plot/Popups.h"
#include "store/DataModule.h"
#include "store/RecordAccess.h"
#include "support/RecordedFailures.h"
#include "support/TestProject.h"

#include <gtest/gtest.h>

namespace {

class PopupContentsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        OpenTestProject(folder, {.kco = 1, .year = 2024, .referenceDate = 20240401});
        folder.session().project.CurrentCompany.TK[2] = QStringLiteral("主事");
        TSyain_ e;
        e.KCO = "1";
        e.NENDO = "2024";
        e.SCO = "12";
        e.SCOT = QStringLiteral("A012");
        e.SNA = QStringLiteral("山田太郎");
        e.SEIHI = 19900401;
        e.NYUHI = 20100401;
        e.GAKU = QStringLiteral("大卒");
        e.SENKOU = QStringLiteral("経済");
        e.HNA3 = QStringLiteral("B");
        e.HNA2 = QStringLiteral("A");
        e.HNA1 = QStringLiteral("S");
        e.YAKU = QStringLiteral("主任");
        e.TOUKYU = 3;
        e.GOUHOU = 14;
        e.THI = 20200401;
        e.KKYU1 = 200000;
        e.KKYU2 = 50000;
        e.KKYU3 = 12345;
        e.TEATE1 = 10000;
        e.TEATE5 = 5000;
        e.SYOUYO = 600000;
        e.SYOUYO2 = 100000;
        e.SKCO = 4;
        e.HCO = 2;
        e.FITNO = 3;
        e.FITKIN = 250000;
        e.SM1 = 1;
        ASSERT_TRUE(Insert(folder.fdm().ACN2, true, e));
    }

    TSyain_ read(int sco)
    {
        TSyain_ e;
        bool found = false;
        EXPECT_TRUE(ReadPopupEmployee(folder.session(), sco, e, found));
        return e;
    }

    RecordedFailures failures;
    TestProgramFolder folder;
};

TEST_F(PopupContentsTest, FourKindsOfRowsForASampleEmployee)
{
    const TSyain_ e = read(12);
    EXPECT_EQ(PopupNameLine(PopupKind::Profile, e), QStringLiteral("12  山田太郎"));
    EXPECT_EQ(PopupNameLine(PopupKind::OptimalWage, e), QStringLiteral("12 山田太郎"));

    struct Case {
        PopupKind kind;
        QString caption;
        std::array<QString, 5> titles;
        std::array<QString, 5> values;
    } cases[] = {
        {PopupKind::Profile, QStringLiteral("1.プロフィール"),
         {QStringLiteral("社員番号:"), QStringLiteral("年　　齢　:"), QStringLiteral("勤　　続　:"),
          QStringLiteral("学　　歴　:"), QStringLiteral("専　　攻　:")},
         {QStringLiteral("A012"), QStringLiteral("34"), QStringLiteral("14"), QStringLiteral("大卒"),
          QStringLiteral("経済")}},
        {PopupKind::Evaluation, QStringLiteral("2.人事考課"),
         {QStringLiteral("３年前　:"), QStringLiteral("２年前　:"), QStringLiteral("１年前　:"),
          QStringLiteral("本年度　:"), QString()},
         {QStringLiteral("B"), QStringLiteral("A"), QStringLiteral("S"), e.HYOUKA, QString()}},
        {PopupKind::Career, QStringLiteral("3.キャリア"),
         {QStringLiteral("役　職　:"), QStringLiteral("等　級　:"), QStringLiteral("号　俸　:"),
          QStringLiteral("滞　留　:"), QString()},
         {QStringLiteral("主任"), QStringLiteral("主事"), QStringLiteral("14"), QStringLiteral("4 年"), QString()}},
        {PopupKind::Pay, QStringLiteral("4.賃金情報"),
         {QStringLiteral("基 本 給 ："), QStringLiteral("諸 手 当 ："), QStringLiteral("所 定 給 ："),
          QStringLiteral("年 賞 与 ："), QStringLiteral("年 収 入 ：")},
         {QStringLiteral("262,345 円"), QStringLiteral("15,000 円"), QStringLiteral("277,345 円"),
          QStringLiteral("700,000 円"), QStringLiteral("4,028,140 円")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption.toStdString());
        EXPECT_EQ(PopupCaption(c.kind), c.caption);
        const PopupRows rows = PopupContents(folder.session(), c.kind, e);
        EXPECT_EQ(rows.titles, c.titles);
        EXPECT_EQ(rows.values, c.values);
    }
}

TEST_F(PopupContentsTest, MissingEmployeeShowsEmptyValues)
{
    TSyain_ e;
    bool found = true;
    ASSERT_TRUE(ReadPopupEmployee(folder.session(), 999, e, found));
    EXPECT_FALSE(found);
    for (PopupKind kind : {PopupKind::Profile, PopupKind::Career, PopupKind::Pay})
        for (const QString& v : PopupContents(folder.session(), kind, e).values)
            EXPECT_TRUE(v.isEmpty()) << v.toStdString();
}

TEST_F(PopupContentsTest, OptimalWageAmountsShareAndUpdate)
{
    TSyain_ e = read(12);
    OptimalWagePopup p = OptimalWageContents(e);
    EXPECT_EQ(p.itemTitle, QStringLiteral("基本給"));
    EXPECT_EQ(p.actual, QStringLiteral("262,345円"));
    EXPECT_EQ(p.fitted, QStringLiteral("250,000円"));
    EXPECT_EQ(p.residual, QStringLiteral("12,345円"));
    EXPECT_EQ(p.share, QStringLiteral("4.94％"));
    EXPECT_EQ(p.adjustment, QStringLiteral("12,345"));
    EXPECT_EQ(p.wageTable, 4);
    EXPECT_EQ(p.evaluation, 2);

    e.FITNO = 0;
    e.FITKIN = 0;
    p = OptimalWageContents(e);
    EXPECT_EQ(p.itemTitle, QStringLiteral("実績賃金"));
    EXPECT_EQ(p.actual, QStringLiteral("0円"));
    EXPECT_EQ(p.share, QStringLiteral("0.00％"));   // no fitted amount: no division

    bool found = false;
    ASSERT_TRUE(UpdateOptimalAdjustment(folder.session(), 12, 5, 30000, found));
    EXPECT_TRUE(found);
    EXPECT_EQ(Scalar(folder.fdm().ACN2, QStringLiteral("SELECT HCO FROM MSYAIN2 WHERE SCO = 12")), QStringLiteral("5"));
    EXPECT_EQ(Scalar(folder.fdm().ACN2, QStringLiteral("SELECT KKYU3 FROM MSYAIN2 WHERE SCO = 12")),
              QStringLiteral("30000"));
    EXPECT_EQ(Scalar(folder.fdm().ACN2, QStringLiteral("SELECT SNA FROM MSYAIN1 WHERE SCO = 12")),
              QStringLiteral("山田太郎"));   // the rest of the employee stays as it was
    EXPECT_EQ(Scalar(folder.fdm().ACN2, QStringLiteral("SELECT KKYU1 FROM MSYAIN2 WHERE SCO = 12")),
              QStringLiteral("200000"));

    ASSERT_TRUE(UpdateOptimalAdjustment(folder.session(), 999, 5, 30000, found));
    EXPECT_FALSE(found);
    EXPECT_TRUE(failures.reports.isEmpty());
}

} // namespace
