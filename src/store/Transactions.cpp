// Several writes as one all-or-nothing unit, on one connection or on two database files.
#include "store/Transactions.h"

#include "store/Conversions.h"

bool InTransaction(DbConnection& cn, const std::function<bool()>& work)
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

bool TwoFileTransaction::begin()
{
    if (!control_.begin()) {
        ShowDbError(LastErrorText(control_));
        return false;
    }
    controlOpen_ = true;
    if (!year_.begin()) {
        ShowDbError(LastErrorText(year_));
        rollback();
        return false;
    }
    yearOpen_ = true;
    return true;
}

bool TwoFileTransaction::commit(bool controlFirst)
{
    DbConnection& first = controlFirst ? control_ : year_;
    DbConnection& second = controlFirst ? year_ : control_;
    bool& firstOpen = controlFirst ? controlOpen_ : yearOpen_;
    bool& secondOpen = controlFirst ? yearOpen_ : controlOpen_;
    if (!first.commit()) {
        ShowDbError(LastErrorText(first));
        rollback();
        return false;
    }
    firstOpen = false;
    if (!second.commit()) {
        ShowDbError(LastErrorText(second));
        rollback();
        return false;
    }
    secondOpen = false;
    return true;
}

void TwoFileTransaction::rollback()
{
    if (yearOpen_)
        year_.rollback();
    if (controlOpen_)
        control_.rollback();
    yearOpen_ = controlOpen_ = false;
}
