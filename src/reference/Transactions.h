// Runs several writes on one connection as one transaction.
#pragma once

#include "store/Connection.h"
#include "store/Conversions.h"

#include <functional>

// Begins a transaction, runs work (which writes with ownTransaction false) and commits;
// when work returns false, or the transaction cannot be started or committed, rolls back.
// The record access layer reports failed writes itself; begin and commit failures are
// reported here. true when everything was written.
inline bool InTransaction(DbConnection& cn, const std::function<bool()>& work)
{
    if (!cn.begin()) {
        ShowDbError(LastErrorText(cn));
        return false;
    }
    if (!work()) {
        cn.rollback();
        return false;
    }
    if (!cn.commit()) {
        ShowDbError(LastErrorText(cn));
        cn.rollback();
        return false;
    }
    return true;
}
