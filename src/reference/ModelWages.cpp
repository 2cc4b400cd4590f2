// Model data sets (MDEL) and their model wages (MDCHINGIN) in the control database.
#include "reference/ModelWages.h"

#include "store/DataModule.h"
#include "store/RecordAccess.h"

bool ReadModelSets(QList<TMODEL_>& sets)
{
    TMODEL_rec all;
    const bool ok = ReadAll(FDM().ACN1, false, SqlCondition(" ORDER BY MDCO"), QStringLiteral("SELECT * FROM MDEL"), all);
    sets = all.items;
    return ok;
}

bool SaveModelSet(TMODEL_& set)
{
    return Save(FDM().ACN1, true, SqlCondition(" WHERE MDCO = ?", {set.MDCO.toLongLong()}), set);
}

bool DeleteModelSet(int code)
{
    TMODEL_ r;
    return Delete(FDM().ACN1, true, SqlCondition(" WHERE MDCO = ?", {qint64(code)}), r);
}

bool ReadModelWages(int modelCode, QList<TMDCHNGIN_>& wages)
{
    TMDCHNGIN_rec all;
    const bool ok = ReadAll(FDM().ACN1, false, SqlCondition(" WHERE MDCO = ? ORDER BY MCCO", {qint64(modelCode)}),
                            QStringLiteral("SELECT * FROM MDCHINGIN"), all);
    wages = all.items;
    return ok;
}

bool SaveModelWage(TMDCHNGIN_& wage)
{
    return Save(FDM().ACN1, true,
                SqlCondition(" WHERE MDCO = ? AND MCCO = ?", {wage.MDCO.toLongLong(), wage.MCCO.toLongLong()}), wage);
}

bool DeleteModelWage(int modelCode, int wageCode)
{
    TMDCHNGIN_ r;
    return Delete(FDM().ACN1, true, SqlCondition(" WHERE MDCO = ? AND MCCO = ?", {qint64(modelCode), qint64(wageCode)}),
                  r);
}
