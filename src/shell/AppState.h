// The application state and the open project: one process-wide object each.
#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <cstdint>

inline const QString AppTitle = QStringLiteral("Wageloom賃金Slim Free版");

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

struct TAppState {
    int ListMode = 0;            // 0 none, 1 register, 2 change, 3 delete, 4 select
    bool CompanyOpen = false;
    int OpenCompanyCode = 0;
    int FiscalYear = 0;
    QString CompanyName;
    int CalendarMode = 0;        // 0 Western years, otherwise Japanese era years
    QString ExeFolder;           // with a trailing "/"
    QString DataFolder;          // ExeFolder + "DATA/"
    QDate Today;
    int TodayYear = 0;
    int TodayMonth = 0;
    int TodayDay = 0;
    QString EraNames[3];
    int EraStartYears[3] = {0, 0, 0};
    int ReportMode = 0;          // 1 after the raise, 2 before the raise
    int AgeByToday = 0;          // MKIGYOU1.FNK: non-zero = ages up to today
    int ReferenceDate = 0;       // MKIGYOU1.KDATE, yyyymmdd

    // Sets ExeFolder and DataFolder from a folder path.
    void setExeFolder(const QString& folder);
    // Takes today's date into Today and its parts.
    void refreshToday();
};

struct TOpenProject {
    TMKIGYOU2 CurrentCompany;
    TMMARK Marks[9];
    QList<TYHYOUKA> EvaluationSymbols;
};

TAppState& App();
TOpenProject& Project();

// Back to the state at start (tests call this between cases).
void ResetAppState();

// The date the program takes for today; tests may fix it (an invalid date = the clock).
QDate CurrentDate();
void SetCurrentDateForTesting(const QDate& date);
