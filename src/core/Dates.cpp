// Date entry and display in Western or Japanese-era years.
#include "core/Dates.h"

#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>

#include <memory>

bool JapaneseEra(const QDate& date, QString& eraName, int& eraYear)
{
    if (!date.isValid())
        return false;
    UErrorCode status = U_ZERO_ERROR;
    const icu::Locale locale("ja_JP@calendar=japanese");
    std::unique_ptr<icu::Calendar> cal(icu::Calendar::createInstance(icu::TimeZone::getGMT()->clone(), locale, status));
    if (U_FAILURE(status))
        return false;
    cal->clear();
    // The Japanese calendar keeps the Gregorian fields; set them through a Gregorian calendar.
    std::unique_ptr<icu::Calendar> greg(icu::Calendar::createInstance(icu::TimeZone::getGMT()->clone(),
                                                                      icu::Locale("en_US@calendar=gregorian"), status));
    if (U_FAILURE(status))
        return false;
    greg->clear();
    greg->set(date.year(), date.month() - 1, date.day(), 12, 0, 0);
    const UDate when = greg->getTime(status);
    cal->setTime(when, status);
    eraYear = cal->get(UCAL_YEAR, status);
    if (U_FAILURE(status))
        return false;
    icu::SimpleDateFormat fmt(icu::UnicodeString("GGGG"), locale, status);
    if (U_FAILURE(status))
        return false;
    fmt.setCalendar(*cal);
    icu::UnicodeString out;
    fmt.format(when, out);
    eraName = QString::fromUtf16(reinterpret_cast<const char16_t*>(out.getBuffer()), out.length());
    return true;
}

bool SplitDate(TYMD& d, int calendarMode)
{
    d.era.clear();
    d.year = d.month = d.day = QStringLiteral("0");
    d.date = QDate();
    if (d.ymd.size() != 8)
        return true;
    d.year = d.ymd.mid(2, 2);
    d.month = d.ymd.mid(4, 2);
    d.day = d.ymd.mid(6, 2);
    bool okY, okM, okD;
    const int y = d.ymd.left(4).toInt(&okY), m = d.month.toInt(&okM), day = d.day.toInt(&okD);
    const QDate date(y, m, day);
    if (!okY || !okM || !okD || !date.isValid())
        return false;
    d.date = date;
    if (calendarMode != 0) {
        QString era;
        int eraYear = 0;
        if (JapaneseEra(date, era, eraYear)) {
            d.era = era;
            d.year = QStringLiteral("%1").arg(eraYear, 2, 10, QChar('0'));
        }
    }
    return true;
}

bool JoinDate(TYMD& d, int calendarMode, const EraTable& eras)
{
    if (d.month.trimmed().isEmpty())
        d.month = QStringLiteral("0");
    if (d.day.trimmed().isEmpty())
        d.day = QStringLiteral("0");
    bool okM, okD, okY;
    const int month = d.month.trimmed().toInt(&okM);
    const int day = d.day.trimmed().toInt(&okD);
    if (okM && okD && month == 0 && day == 0) {
        d.ymd = QStringLiteral("0");
        return true;
    }
    int year = d.year.trimmed().toInt(&okY);
    if (calendarMode != 0) {
        int era = -1;
        for (int i = 0; i < 3; ++i)
            if (!eras.names[i].isEmpty() && eras.names[i] == d.era.trimmed())
                era = i;
        if (era < 0) {
            d.date = QDate();
            return false;
        }
        year = year + eras.startYears[era] - 1;
    } else {
        year = year <= 30 ? 2000 + year : 1900 + year;
    }
    const QDate date(year, month, day);
    if (!okY || !okM || !okD || !date.isValid()) {
        d.date = QDate();
        return false;
    }
    d.date = date;
    d.ymd = date.toString(QStringLiteral("yyyyMMdd"));
    return true;
}

QString FiscalYearText(int calendarMode, int year)
{
    if (calendarMode == 0)
        return QString::number(year);
    TYMD d;
    d.ymd = QStringLiteral("%1").arg(year, 4, 10, QChar('0')) + QStringLiteral("0101");
    if (!SplitDate(d, calendarMode) || d.era.isEmpty())
        return QString::number(year);
    return d.era + ' ' + d.year;
}

QString DateText(int yyyymmdd, int calendarMode)
{
    if (yyyymmdd == 0)
        return {};
    TYMD d;
    d.ymd = QString::number(yyyymmdd);
    SplitDate(d, calendarMode);
    return d.era + d.year + QStringLiteral("年") + d.month + QStringLiteral("月") + d.day + QStringLiteral("日");
}
