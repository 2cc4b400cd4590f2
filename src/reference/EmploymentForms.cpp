// Employment forms (SALARYNAME): the ID rule, reading, saving and deleting one form.
#include "reference/EmploymentForms.h"

#include "store/Transactions.h"

#include "core/CodeLists.h"
#include "store/Conversions.h"
#include "store/DataModule.h"
#include "store/RecordAccess.h"

namespace {

SqlValues projectKey(const Session& s)
{
    return {s.company().KCO.toLongLong(), s.company().NENDO.toLongLong()};
}

SqlCondition formCondition(const Session& s, int id)
{
    SqlValues v = projectKey(s);
    v << qint64(id);
    return SqlCondition(" WHERE KCO = ? AND NENDO = ? AND SALARYID = ?", v);
}

QString* fieldsOf(TSALARY_& r, int i)
{
    QString* f[10] = {&r.SALARYNAME, &r.TEIGI, &r.KIHON1, &r.KIHON2, &r.KIHON3,
                      &r.TEATE1,     &r.TEATE2, &r.TEATE3, &r.TEATE4, &r.TEATE5};
    return f[i];
}

} // namespace

int EmploymentFormIdFromText(const QString& typed, const QString& selectedItem)
{
    bool ok = false;
    const int n = typed.trimmed().toInt(&ok);
    if (ok)
        return n;
    return SelectedCodeOf(selectedItem);
}

QStringList EmploymentFormItems(const Session& s)
{
    QStringList items;
    DbQuery q(*s.year);
    if (!TFDM::RunStatement(q,
                            QStringLiteral("select SALARYID || ' : ' || ifnull(SALARYNAME, '') as COMBNAME from SalaryName "
                                           "where  KCO  =  ?  and Nendo  =  ? order by SALARYID"),
                            'S', projectKey(s)))
        return items;
    for (; !q.eof(); q.next())
        items << VariantToTextOrZero(q.value(QStringLiteral("COMBNAME")));
    q.close();
    return items;
}

bool ReadEmploymentForm(const Session& s, int id, EmploymentFormNames& names, bool& found)
{
    names = EmploymentFormNames();
    TSALARY_ r;
    if (!ReadOne(*s.year, false, formCondition(s, id), QStringLiteral("select * from SalaryName"), r))
        return false;
    found = r.ok;
    if (found)
        for (int i = 0; i < 10; ++i)
            names.names[i] = *fieldsOf(r, i);
    return true;
}

bool SaveEmploymentForm(const Session& s, int id, const EmploymentFormNames& names)
{
    DbConnection& cn = *s.year;
    TSALARY_ r;
    r.KCO = s.company().KCO;
    r.NENDO = s.company().NENDO;
    r.SALARYID = QString::number(id);
    for (int i = 0; i < 10; ++i)
        *fieldsOf(r, i) = names.names[i];
    return InTransaction(cn, [&] {
        TSALARY_ old;
        return Delete(cn, false, formCondition(s, id), old) && Insert(cn, false, r);
    });
}

bool DeleteEmploymentForm(const Session& s, int id)
{
    TSALARY_ r;
    return Delete(*s.year, true, formCondition(s, id), r);
}
