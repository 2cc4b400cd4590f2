// The open project as one value, and the start of a session on a program folder.
#include "shell/Session.h"

#include "core/Numbers.h"
#include "store/Conversions.h"
#include "store/DataModule.h"
#include "store/RecordAccess.h"

#include <QDir>

int AgeReferenceDay(bool byToday, int referenceDate, const QDate& today)
{
    if (byToday)
        return today.year() * 10000 + today.month() * 100 + today.day();
    return referenceDate;
}

int Session::ageReferenceDay() const
{
    return AgeReferenceDay(ageByToday, referenceDate, today);
}

int Session::yearsUntilReference(int date) const
{
    return YearsBetween(date, ageReferenceDay());
}

QString Session::yearDatabasePath(int y) const
{
    return dataFolder + QString::number(y) + QStringLiteral("/DATA.MDB");
}

QString Session::templateDatabasePath() const
{
    return dataFolder + QStringLiteral("DATA.MDB");
}

Outcome StartSession(Session& session, const QString& exeFolder, DbConnection& control, DbConnection& year,
                     const QDate& today)
{
    Session s;
    QString folder = QDir::fromNativeSeparators(exeFolder);
    if (!folder.isEmpty() && !folder.endsWith('/'))
        folder += '/';
    s.exeFolder = folder;
    s.dataFolder = folder + QStringLiteral("DATA/");
    s.control = &control;
    s.year = &year;
    s.today = today;
    s.fiscalYear = today.year();

    const QString path = s.dataFolder + QStringLiteral("SEIGYO.MDB");
    if (control.isOpen())
        control.close();
    if (!control.open(path)) {
        session = s;
        return Outcome::Failed(OpenErrorText(path));
    }
    TSeigyo_ record;
    ReadOne(control, false, SqlCondition(QStringLiteral(" WHERE CO = 0 ORDER BY CO")),
            QStringLiteral("SELECT * FROM MSEIGYO"), record);
    const QString names[3] = {record.REKI1, record.REKI2, record.REKI3};
    const QString years[3] = {record.SNEN1, record.SNEN2, record.SNEN3};
    for (int i = 0; i < 3; ++i) {
        s.eras.names[i] = names[i];
        s.eras.startYears[i] = int(WholeNumberOrZero(years[i]));
    }
    session = s;
    return Outcome::Done();
}
