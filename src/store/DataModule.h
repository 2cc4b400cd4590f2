// TFDM: the data module that owns the three connections and their queries for the whole run.
#pragma once

#include "store/Connection.h"

#include <QChar>

class TFDM {
public:
    // The module created last becomes the one FDM() returns (start-up creates one;
    // tests create theirs per case).
    TFDM();
    ~TFDM();
    TFDM(const TFDM&) = delete;
    TFDM& operator=(const TFDM&) = delete;

    SqliteConnection ACN1;   // the control database SEIGYO.MDB
    DbQuery Query1{ACN1};
    SqliteConnection ACN2;   // the project database of the chosen fiscal year
    DbQuery Query21{ACN2};
    DbQuery Query22{ACN2};
    SqliteConnection ACN3;   // the next year's project database, year rollover only
    DbQuery Query31{ACN3};

    // Opens an existing database; on failure reports the open-error message (ReportFailure)
    // and leaves the connection closed.
    static void OpenDatabase(DbConnection& connection, const QString& path);
    // Opens path, creating its folder (one level) and copying the template into it
    // when allowed; never overwrites an existing file. Reports the message of each failure.
    static bool OpenOrCreateDatabase(DbConnection& connection, const QString& path,
                                     const QString& templatePath, bool mayCreate);
    // Runs one free statement: kind 'S' opens it as a row set on the query, 'E' executes it.
    // A failure reports the overflow or unknown-error message and leaves the query closed.
    static bool RunStatement(DbQuery& query, const QString& statement, QChar kind, const SqlValues& values = {});

private:
    TFDM* previous_ = nullptr;
};

// The open-error message for a database file: the sentence, a full-width blank, the path.
QString OpenErrorText(const QString& path);

TFDM& FDM();
bool HasFDM();
