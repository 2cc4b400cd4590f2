// A temporary program folder with fresh copies of the supplied databases, the
// application state pointed at it and a data module with the control database open.
#pragma once

#include "store/DataModule.h"

#include <QTemporaryDir>

class TestProgramFolder {
public:
    TestProgramFolder();
    ~TestProgramFolder();

    QString path(const QString& relative = QString()) const;   // under the program folder
    QString dataPath(const QString& relative = QString()) const; // under DATA/

    // Creates DATA/<year>/DATA.MDB from the template and opens it on ACN2.
    void openYear(int year);

    TFDM& fdm() { return fdm_; }

private:
    QTemporaryDir dir_;
    TFDM fdm_;
};

// Runs a statement on a connection outside the record access layer (fixture set-up).
void Exec(DbConnection& cn, const QString& sql);
// The first column of the first row, as text ('' when there is no row).
QString Scalar(DbConnection& cn, const QString& sql);
// Every row of every table of a database file, in a stable order, as one text.
QString DumpDatabase(DbConnection& cn);
