// Basic settings: reference date and mark size rules, line samples, and the writes of a save.
#include "reference/PrintQString.h"
#include "reference/BasicSettings.h"
#include "support/RecordedFailures.h"
#include "support/TestProject.h"

#include <gtest/gtest.h>

TEST(BasicSettingsRules, ReferenceDateTypedWithDots)
{
    struct Case {
        const char* typed;
        bool ok;
        long long date;
        const char* shown;
    };
    const Case cases[] = {
        {"2001.4.1", true, 200141, "0020.01.41"},   // no calendar check: the digits are taken as they are
        {"2000.04.01", true, 20000401, "2000.04.01"},
        {"20240401", true, 20240401, "2024.04.01"},
        {"", true, 0, "0000.00.00"},
        {"2001.4.x", false, 0, ""},
        {"平成13.4.1", false, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        long long date = -1;
        EXPECT_EQ(ReferenceDateFromText(QString::fromUtf8(c.typed), date), c.ok);
        if (c.ok) {
            EXPECT_EQ(date, c.date);
            EXPECT_EQ(ReferenceDateText(date), QString::fromUtf8(c.shown));
        }
    }
}

TEST(BasicSettingsRules, MarkSizesFrom8To18)
{
    const std::pair<const char*, bool> cases[] = {{"7", false}, {"8", true},  {"13", true}, {"18", true},
                                                  {"19", false}, {"0", false}, {"", false},  {"1O", false}};
    for (const auto& [text, ok] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(MarkSizeAccepted(QString::fromUtf8(text)), ok);
    }
}

TEST(BasicSettingsRules, LineSamplesDrawTheChosenPen)
{
    const QRgb red = qRgb(255, 0, 0), white = qRgb(255, 255, 255);
    const QImage solid = DrawLineSample(0x0000FF, 0, 3);
    EXPECT_EQ(solid.pixel(80, 4), red);
    EXPECT_EQ(solid.pixel(80, 0), white);   // three pixels wide around y = 4

    EXPECT_EQ(DrawLineSample(0x0000FF, 0, 0).pixel(80, 4), white);   // width 0: only the clearing line
    EXPECT_EQ(DrawLineSample(0x0000FF, 5, 3).pixel(80, 4), white);   // "なし"

    const QImage dashed = DrawLineSample(0x0000FF, 1, 1);
    int coloured = 0;
    for (int x = 0; x <= 160; ++x)
        coloured += dashed.pixel(x, 4) == red;
    EXPECT_GT(coloured, 20);
    EXPECT_LT(coloured, 150);   // gaps between the dashes
}

namespace {

class BasicSettingsWrite : public ::testing::Test {
protected:
    void SetUp() override { OpenTestProject(folder); }
    QString control(const QString& sql) { return Scalar(folder.fdm().ACN1, sql); }
    QString project(const QString& sql) { return Scalar(folder.fdm().ACN2, sql); }

    Session& session() { return folder.session(); }

    RecordedFailures failures;
    TestProgramFolder folder;
};

} // namespace

TEST_F(BasicSettingsWrite, EveryTableIsWrittenAndTheSessionFollows)
{
    session().today = QDate(2026, 3, 9);
    Exec(folder.fdm().ACN1, "UPDATE MSEIGYO SET INSTDATE = '', ENDDATE = '2020/01/01' WHERE CO = 0");
    BasicSettings s;
    ASSERT_TRUE(ReadBasicSettings(session(), s));
    EXPECT_FALSE(s.ageByToday);
    EXPECT_EQ(s.referenceDate, 20240401);
    EXPECT_EQ(s.eras[2].name, QStringLiteral("令和"));
    EXPECT_EQ(s.selectedEra, 2);
    EXPECT_EQ(s.marks[0].symbol, QStringLiteral("●"));
    EXPECT_EQ(s.lines[2].color, 0xC0C0C0u);

    s.ageByToday = true;
    s.eraCalendar = true;
    s.referenceDate = 20250401;
    s.eras[0].name = QStringLiteral("大正");
    s.eras[0].year = QStringLiteral("1912");
    s.marks[8].symbol = QStringLiteral("＊");
    s.marks[8].markColor = 0x123456;
    s.lines[3].width = 4;
    ASSERT_TRUE(WriteBasicSettings(session(), s));
    PublishBasicSettings(session(), s);

    EXPECT_EQ(control("SELECT FNK || '/' || KDATE || '/' || REKI || '/' || KNA FROM MKIGYOU1 WHERE KCO = 1"),
              QStringLiteral("1/20250401/1/テスト株式会社"));
    EXPECT_EQ(control("SELECT REKI1 || SNEN1 || '/' || FREKI FROM MSEIGYO WHERE CO = 0"), QStringLiteral("大正1912/2"));
    // An empty install date becomes today; a date already there stays.
    EXPECT_EQ(control("SELECT INSTDATE || ' ' || ENDDATE FROM MSEIGYO WHERE CO = 0"),
              QStringLiteral("2026/03/09 2020/01/01"));
    EXPECT_EQ(project("SELECT MARK || MKCOLOR FROM MMARK WHERE KCO = 1 AND MKCO = 9"), QStringLiteral("＊$00123456"));
    EXPECT_EQ(project("SELECT count(*) FROM MMARK WHERE KCO = 1"), "9");
    EXPECT_EQ(project("SELECT CHABA FROM MGRAPH WHERE KCO = 1 AND GSCO = 4"), "4");
    EXPECT_EQ(session().calendarMode, 1);
    EXPECT_TRUE(session().ageByToday);
    EXPECT_EQ(session().referenceDate, 20250401);
    EXPECT_EQ(session().eras.names[0], QStringLiteral("大正"));
    EXPECT_EQ(session().eras.startYears[0], 1912);
    EXPECT_EQ(session().project.Marks[8].MARK, QStringLiteral("＊"));
    EXPECT_EQ(session().project.Marks[8].MKCOLOR, 0x123456u);
    EXPECT_TRUE(failures.reports.isEmpty());
}

TEST_F(BasicSettingsWrite, MissingMarkAndLineRowsAreInserted)
{
    Exec(folder.fdm().ACN2, "DELETE FROM MMARK WHERE MKCO > 5");
    Exec(folder.fdm().ACN2, "DELETE FROM MGRAPH");
    BasicSettings s;
    ASSERT_TRUE(ReadBasicSettings(session(), s));
    ASSERT_TRUE(WriteBasicSettings(session(), s));
    EXPECT_EQ(project("SELECT group_concat(MKCO) FROM (SELECT MKCO FROM MMARK WHERE KCO = 1 ORDER BY MKCO)"),
              "1,2,3,4,5,6,7,8,9");
    EXPECT_EQ(project("SELECT group_concat(GSCO) FROM (SELECT GSCO FROM MGRAPH WHERE KCO = 1 ORDER BY GSCO)"), "1,2,3,4");
}

TEST_F(BasicSettingsWrite, AFailureInEitherDatabaseLeavesBothUnchanged)
{
    // The last write of the project database fails: the control rows written before it
    // and the marks must all be undone.
    Exec(folder.fdm().ACN2, "CREATE TRIGGER refuse BEFORE UPDATE ON MGRAPH WHEN NEW.GSCO = 4 "
                            "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    BasicSettings s;
    ASSERT_TRUE(ReadBasicSettings(session(), s));
    s.ageByToday = true;
    s.referenceDate = 19990101;
    s.eras[0].name = QStringLiteral("明治");
    s.marks[0].symbol = QStringLiteral("×");
    EXPECT_FALSE(WriteBasicSettings(session(), s));
    EXPECT_EQ(failures.reports.size(), 1);   // the engine's message, once

    EXPECT_EQ(control("SELECT FNK || '/' || KDATE FROM MKIGYOU1 WHERE KCO = 1"), "0/20240401");
    EXPECT_EQ(control("SELECT REKI1 FROM MSEIGYO WHERE CO = 0"), QStringLiteral("昭和"));
    EXPECT_EQ(project("SELECT MARK FROM MMARK WHERE KCO = 1 AND MKCO = 1"), QStringLiteral("●"));
    EXPECT_EQ(folder.fdm().ACN1.transactionDepth(), 0);
    EXPECT_EQ(folder.fdm().ACN2.transactionDepth(), 0);
}
