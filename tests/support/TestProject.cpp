// Puts an open project in place for a test.
#include "support/TestProject.h"

#include "projects/Companies.h"
#include "plot/PlotSetup.h"
#include "projects/SampleCompanies.h"
#include "shell/ProjectLookups.h"

#include <gtest/gtest.h>

void OpenTestProject(TestProgramFolder& folder, const TestProjectOptions& o)
{
    folder.openYear(o.year);
    TFDM& fdm = folder.fdm();
    const QString k = QString::number(o.kco), y = QString::number(o.year);
    Exec(fdm.ACN1, QStringLiteral("INSERT INTO MKIGYOU1 VALUES (%1, %2, '%3', '', %2%4, 0, %5, %6, 8, 20, 160, 1000)")
                       .arg(k, y, o.name, QStringLiteral("0401"), QString::number(o.referenceDate),
                            QString::number(o.calendarMode)));
    QStringList grades;
    const QString digits = QStringLiteral("１２３４５６７８９");
    for (int i = 0; i < 9; ++i)
        grades << "'第" + digits.mid(i, 1) + "等級'";
    Exec(fdm.ACN2, QStringLiteral("INSERT INTO MKIGYOU2 VALUES (%1, %2, '%3', 0, 0, '', '', '', '', '', '', '', '', '', "
                                  "0, 0, %4, 0, 0, 0, 0, 0)")
                       .arg(k, y, o.name, grades.join(',')));
    Exec(fdm.ACN2, QStringLiteral("ATTACH DATABASE '%1' AS control").arg(folder.dataPath("SEIGYO.MDB")));
    Exec(fdm.ACN2, QStringLiteral("INSERT INTO MMARK SELECT %1, %2, MKCO, MARK, HANREI, MKCOLOR, MKSIZE, KCOLOR, KSYURUI, "
                                  "KHABA FROM control.MMMARK WHERE NENDO = 9999 AND KCO = 0 ORDER BY MKCO")
                       .arg(k, y));
    Exec(fdm.ACN2, QStringLiteral("INSERT INTO MGRAPH SELECT %1, %2, GSCO, CCOLOR, CSYURUI, CHABA FROM control.MMGRAPH "
                                  "WHERE NENDO = 9999 AND KCO = 0 ORDER BY GSCO")
                       .arg(k, y));
    Exec(fdm.ACN2, QStringLiteral("DETACH DATABASE control"));

    Session& s = folder.session();
    s.fiscalYear = o.year;
    s.companyCode = o.kco;
    s.companyName = o.name;
    s.calendarMode = o.calendarMode;
    s.ageByToday = false;
    s.referenceDate = o.referenceDate;
    s.project = TOpenProject();
    s.project.CurrentCompany.KCO = k;
    s.project.CurrentCompany.NENDO = y;
    ASSERT_TRUE(LoadCompanyMaster(s));
    s.project.CurrentCompany.SYOTEIHH = 8;
    s.project.CurrentCompany.SYOTEIDD = 20;
    s.project.CurrentCompany.SYOTEIMM = 160;
    s.project.CurrentCompany.SAITEI = 1000;
    LoadMarks(s);
    LoadRoleEvaluations(s);
    folder.tellWindow();
}

void StoreWagePlotOfEveryone(const Session& s)
{
    const PlotSetupVariant& v = *SetupVariant(1010);
    PlotSetupChoices c;
    ASSERT_TRUE(LoadSetupChoices(s, v, c));
    c.marks.fill(true);
    c.grades.fill(true);
    c.form = 4;
    c.sex = 2;
    c.wageTable = 0;
    c.fx = 0;
    c.fy = 2;
    ASSERT_TRUE(SaveSetupChoices(s, v, c, true));
}

void WriteAndOpenSampleCompany(TestProgramFolder& folder)
{
    QString error;
    ASSERT_TRUE(WriteSampleCompanies(folder.session(), &error)) << error.toStdString();
    OpenSampleCompany(folder);
}

void OpenSampleCompany(TestProgramFolder& folder, int year, int code)
{
    TKigyo1_ row;
    bool found = false;
    ASSERT_TRUE(ReadCompanyRow(folder.session(), year, code, row, found) && found) << year << "/" << code;
    ASSERT_TRUE(SelectCompany(folder.session(), year, code, row.KNA).ok) << year << "/" << code;
}
