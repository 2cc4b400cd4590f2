// Model data sets (MDEL) and their model wages (MDCHINGIN) in the control database.
#include "reference/ModelWages.h"

#include "store/DataModule.h"
#include "store/RecordAccess.h"

bool ReadModelSets(const Session& s, QList<TMODEL_>& sets)
{
    TMODEL_rec all;
    const bool ok = ReadAll(*s.control, false, SqlCondition(" ORDER BY MDCO"), QStringLiteral("SELECT * FROM MDEL"), all);
    sets = all.items;
    return ok;
}

bool SaveModelSet(const Session& s, TMODEL_& set)
{
    return Save(*s.control, true, SqlCondition(" WHERE MDCO = ?", {set.MDCO.toLongLong()}), set);
}

bool DeleteModelSet(const Session& s, int code)
{
    TMODEL_ r;
    return Delete(*s.control, true, SqlCondition(" WHERE MDCO = ?", {qint64(code)}), r);
}

bool ReadModelWages(const Session& s, int modelCode, QList<TMDCHNGIN_>& wages)
{
    TMDCHNGIN_rec all;
    const bool ok = ReadAll(*s.control, false, SqlCondition(" WHERE MDCO = ? ORDER BY MCCO", {qint64(modelCode)}),
                            QStringLiteral("SELECT * FROM MDCHINGIN"), all);
    wages = all.items;
    return ok;
}

bool SaveModelWage(const Session& s, TMDCHNGIN_& wage)
{
    return Save(*s.control, true,
                SqlCondition(" WHERE MDCO = ? AND MCCO = ?", {wage.MDCO.toLongLong(), wage.MCCO.toLongLong()}), wage);
}

bool DeleteModelWage(const Session& s, int modelCode, int wageCode)
{
    TMDCHNGIN_ r;
    return Delete(*s.control, true, SqlCondition(" WHERE MDCO = ? AND MCCO = ?", {qint64(modelCode), qint64(wageCode)}),
                  r);
}
