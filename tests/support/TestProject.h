// Puts an open project in place for a test: the company's MKIGYOU1 and MKIGYOU2 rows, the
// template marks and graph styles, and the folder's session filled as a selection fills it.
#pragma once

#include "support/TestProgramFolder.h"

struct TestProjectOptions {
    int kco = 1;
    int year = 2024;
    QString name = QStringLiteral("テスト株式会社");
    int referenceDate = 20240401;   // KDATE; ages count to it (FNK 0)
    int calendarMode = 0;           // REKI
};

// Creates DATA/<year>/DATA.MDB (open on ACN2), writes the rows and opens the project in
// folder.session().
void OpenTestProject(TestProgramFolder& folder, const TestProjectOptions& options = {});

// Opens a sample company (written before with WriteSampleCompanies) in folder.session(), as
// 選択 of the company list does: the year database on ACN2, the company by its listed name.
void OpenSampleCompany(TestProgramFolder& folder, int year = 2020, int code = 1);
// Stores the wage plot (chart 1010) of the session's company to show every employee: every
// mark, grade, employment form, sex and wage table, age (X) against pay (Y, item 2).
void StoreWagePlotOfEveryone(const Session& s);

// Writes the sample companies into folder and opens the first of 2020 as above.
void WriteAndOpenSampleCompany(TestProgramFolder& folder);
