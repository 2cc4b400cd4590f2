// Several writes as one all-or-nothing unit, on one connection or on two database files.
#pragma once

#include "store/Connection.h"

#include <functional>

// Begins a transaction, runs work (which writes with ownTransaction false) and commits;
// when work returns false, or the transaction cannot be started or committed, rolls back.
// The record access layer reports failed writes itself; begin and commit failures are
// reported here. true when everything was written.
bool InTransaction(DbConnection& cn, const std::function<bool()>& work);

// Both database files in one unit: begin on both, and either commit both or roll both
// back. An object that is neither committed nor rolled back rolls back when it goes away.
class TwoFileTransaction {
public:
    TwoFileTransaction(DbConnection& control, DbConnection& year) : control_(control), year_(year) {}
    ~TwoFileTransaction() { rollback(); }
    TwoFileTransaction(const TwoFileTransaction&) = delete;
    TwoFileTransaction& operator=(const TwoFileTransaction&) = delete;

    bool begin();
    // Commits the control file first (true) or the year file first (false). SQLite cannot
    // commit two files at once: the first commit is the one whose failure still rolls
    // everything back, so the caller orders them to leave a repairable state should the
    // second one fail after all.
    bool commit(bool controlFirst);
    void rollback();

private:
    DbConnection& control_;
    DbConnection& year_;
    bool controlOpen_ = false;
    bool yearOpen_ = false;
};
