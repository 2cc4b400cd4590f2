// The open project as one value: the program folder, its databases, the fiscal year and
// company, and the dates that ages and service count to.
//
// The window builds it when a project is opened and the batch tool builds it from its
// options, both through OpenSession/OpenCompany below; logic routines take it (or the plain
// values they need) as a parameter and never look anywhere else for them.
#pragma once

#include "core/Dates.h"
#include "core/Outcome.h"

#include <QDate>
#include <QList>
#include <QString>

#include <cstdint>

class DbConnection;

// The open company's master data (MKIGYOU2, plus the working-time figures of MKIGYOU1).
// FRSTKYU and FRSTKYUM double as working fields: the employee screens keep the
// wage-table link and the matrix link of the employee at hand in them.
struct TMKIGYOU2 {
    QString KCO;
    QString NENDO;
    QString KNA;
    int CYOUSAHI = 0;
    double BEARITSU = 0;
    QString TAIKEI;
    QString KKNA[4];
    QString TNA[5];
    int MCCO = 0;
    int MDCO = 0;
    QString TK[9];
    int FRSTKYU = 3;
    int SKCO = 0;
    int SYOUKYUHI = 0;
    int FRSTKYUM = 3;
    double SYOTEIHH = 0;
    double SYOTEIDD = 0;
    double SYOTEIMM = 0;
    int SAITEI = 0;
};

// A plot mark; colours are 00BBGGRR values.
struct TMMARK {
    int MKCO = 0;
    QString MARK;
    QString HANREI;
    std::uint32_t MKCOLOR = 0;
    int MKSIZE = 9;
    std::uint32_t KCOLOR = 0;
    int KSYURUI = 0;
    int KHABA = 1;
};

// A role evaluation of the open company.
struct TYHYOUKA {
    QString HCO;
    QString HKIGOU;
};

// What a selection loads of the company: its master, its nine plot marks and its role
// evaluations.
struct TOpenProject {
    TMKIGYOU2 CurrentCompany;
    TMMARK Marks[9];
    QList<TYHYOUKA> EvaluationSymbols;
};

struct Session {
    QString exeFolder;                 // the program folder, with a trailing "/"
    QString dataFolder;                // exeFolder + "DATA/"
    DbConnection* control = nullptr;   // SEIGYO.MDB
    DbConnection* year = nullptr;      // DATA/<fiscalYear>/DATA.MDB
    int fiscalYear = 0;
    int companyCode = 0;               // 0 = no company open
    QString companyName;
    int referenceDate = 0;             // MKIGYOU1.KDATE, yyyymmdd (0 = none)
    bool ageByToday = false;           // MKIGYOU1.FNK not 0: ages count to today
    QDate today;
    int calendarMode = 0;              // 0 Western years, otherwise Japanese era years
    EraTable eras;                     // the control record's three eras
    TOpenProject project;

    bool companyOpen() const { return companyCode != 0; }
    const TMKIGYOU2& company() const { return project.CurrentCompany; }
    // The day ages and years of service count to: today when ageByToday, else the
    // reference date (yyyymmdd).
    int ageReferenceDay() const;
    // Completed years from a yyyymmdd date to ageReferenceDay() (0 for no date).
    int yearsUntilReference(int date) const;

    QString yearDatabasePath(int year) const;   // dataFolder + year + "/DATA.MDB"
    QString templateDatabasePath() const;       // dataFolder + "DATA.MDB"
};

// The day a company's ages and years of service count to (yyyymmdd): today when it counts
// them to today (MKIGYOU1.FNK not 0), else its reference date (KDATE; 0 = none).
int AgeReferenceDay(bool byToday, int referenceDate, const QDate& today);

// A session on a program folder with no company open: the folder, the control database
// (opened on control), today and the control record's eras. A failure to open the control
// database is refused with the open-error message.
Outcome StartSession(Session& session, const QString& exeFolder, DbConnection& control,
                     DbConnection& year, const QDate& today);
