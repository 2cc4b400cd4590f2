// A temporary program folder with fresh copies of the supplied databases, a data module
// with the control database open and a session on it (no company open until a test opens
// one, see TestProject.h).
#pragma once

#include "shell/Session.h"
#include "store/DataModule.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

#include <functional>

class TestProgramFolder {
public:
    TestProgramFolder();
    ~TestProgramFolder();

    QString path(const QString& relative = QString()) const;   // under the program folder
    QString dataPath(const QString& relative = QString()) const; // under DATA/

    // Creates DATA/<year>/DATA.MDB from the template and opens it on ACN2.
    void openYear(int year);

    TFDM& fdm() { return fdm_; }
    // The session on this folder: its connections, the eras of the control record, today
    // (the clock's date unless a test sets another), and the project once one is opened.
    Session& session() { return session_; }
    const Session& session() const { return session_; }

    // Screen tests point the window's application state at every folder made and every
    // project opened in it; logic tests leave this empty.
    static inline std::function<void(TestProgramFolder&)> windowFollows;
    void tellWindow()
    {
        if (windowFollows)
            windowFollows(*this);
    }

private:
    QTemporaryDir dir_;
    TFDM fdm_;
    Session session_;
};

// Runs a statement on a connection outside the record access layer (fixture set-up).
void Exec(DbConnection& cn, const QString& sql);
// The first column of the first row, as text ('' when there is no row).
QString Scalar(DbConnection& cn, const QString& sql);
// Every row of every table of a database file, in a stable order, as one text.
QString DumpDatabase(DbConnection& cn);
// Every file below a folder (hidden ones too), by its path relative to the folder, with its
// bytes: taken before and after an operation, it shows that nothing changed.
QMap<QString, QByteArray> FilesUnder(const QString& folder);
