// Basic settings of a project: reading, writing in one transaction per database, publishing.
#include "reference/BasicSettings.h"

#include "core/Numbers.h"
#include "store/Conversions.h"
#include "store/DataModule.h"
#include "store/RecordAccess.h"
#include "store/Transactions.h"

#include <QPainter>

namespace {

QString todayText(const Session& session)
{
    return session.today.toString(QStringLiteral("yyyy/MM/dd"));
}

} // namespace

int NumberOr(const QString& text, int fallback)
{
    long long v = 0;
    const QString t = WithoutCommas(text);
    if (t.isEmpty() || !ParseWholeNumber(t, v))
        return fallback;
    return int(v);
}

bool ReferenceDateFromText(const QString& text, long long& date)
{
    QString t = text;
    t.remove('.');
    return ParseWholeNumber(t, date);
}

QString ReferenceDateText(long long date)
{
    return FormatFloat(QStringLiteral("0000'.'00'.'00"), double(date));
}

bool MarkSizeAccepted(const QString& text, int* size)
{
    long long v = 0;
    const QString t = WithoutCommas(text);
    if (t.isEmpty() || !ParseWholeNumber(t, v) || v < 8 || v > 18)
        return false;
    if (size)
        *size = int(v);
    return true;
}

bool ReadBasicSettings(const Session& session, BasicSettings& s)
{
    s = BasicSettings();
    const TMKIGYOU2& project = session.company();
    const SqlValues key{project.NENDO.toLongLong(), project.KCO.toLongLong()};

    if (!ReadOne(*session.control, false, SqlCondition(" WHERE NENDO = ?   AND KCO   = ?", key),
                 QStringLiteral("select * from MKIGYOU1"), s.company))
        return false;
    if (s.company.ok) {
        s.ageByToday = s.company.FNK.trimmed() != QLatin1String("0");
        s.referenceDate = WholeNumberOrZero(s.company.KDATE);
        s.eraCalendar = s.company.REKI.trimmed() != QLatin1String("0") && !s.company.REKI.trimmed().isEmpty();
    }

    if (!ReadOne(*session.control, false, SqlCondition(" WHERE CO = 0 ORDER BY CO"), QStringLiteral("SELECT * FROM MSEIGYO"),
                 s.control))
        return false;
    if (s.control.ok) {
        const TSeigyo_& c = s.control;
        s.eras[0] = {c.REKI1, c.SNEN1, c.STSUKI1, c.SHI1};
        s.eras[1] = {c.REKI2, c.SNEN2, c.STSUKI2, c.SHI2};
        s.eras[2] = {c.REKI3, c.SNEN3, c.STSUKI3, c.SHI3};
        s.selectedEra = qBound(0, NumberOr(c.FREKI, 0), 2);
    }

    TMark_rec marks;
    if (!ReadAll(*session.year, false, SqlCondition(" WHERE NENDO = ? AND KCO = ? ORDER BY MKCO", key),
                 QStringLiteral("SELECT * FROM MMARK"), marks))
        return false;
    for (int i = 0; i < marks.items.size() && i < 9; ++i) {
        const TMark_& r = marks.items[i];
        MarkSetting& m = s.marks[i];
        m.symbol = r.MARK;
        m.legend = r.HANREI;
        m.markColor = ColorFromText(r.MKCOLOR);
        m.size = NumberOr(r.MKSIZE, 1);
        m.curveColor = ColorFromText(r.KCOLOR);
        m.lineType = NumberOr(r.KSYURUI, 0);
        m.width = NumberOr(r.KHABA, 1);
    }

    TGraph_rec lines;
    if (!ReadAll(*session.year, false, SqlCondition(" WHERE NENDO = ? AND KCO = ? ORDER BY GSCO", key),
                 QStringLiteral("SELECT * FROM MGRAPH"), lines))
        return false;
    for (int i = 0; i < lines.items.size() && i < 4; ++i) {
        const TGraph_& r = lines.items[i];
        GraphLineSetting& g = s.lines[i];
        g.color = ColorFromText(r.CCOLOR);
        g.lineType = NumberOr(r.CSYURUI, 0);
        g.width = NumberOr(r.CHABA, 1);
    }
    return true;
}

namespace {

bool writeControlDatabase(const Session& session, DbConnection& cn, const BasicSettings& s)
{
    const QString kco = session.company().KCO, nendo = session.company().NENDO;
    TKigyo1_ company = s.company;
    if (!company.ok) {
        company = TKigyo1_();
        company.KCO = kco;
        company.NENDO = nendo;
    }
    company.FNK = s.ageByToday ? QStringLiteral("1") : QStringLiteral("0");
    company.KDATE = QString::number(s.referenceDate);
    company.REKI = s.eraCalendar ? QStringLiteral("1") : QStringLiteral("0");
    if (!Update(cn, false, SqlCondition(" WHERE NENDO = ? AND KCO = ?", {nendo.toLongLong(), kco.toLongLong()}),
                company))
        return false;

    TSeigyo_ control = s.control;
    control.CO = QStringLiteral("0");
    QString* names[3] = {&control.REKI1, &control.REKI2, &control.REKI3};
    QString* years[3] = {&control.SNEN1, &control.SNEN2, &control.SNEN3};
    QString* months[3] = {&control.STSUKI1, &control.STSUKI2, &control.STSUKI3};
    QString* days[3] = {&control.SHI1, &control.SHI2, &control.SHI3};
    for (int i = 0; i < 3; ++i) {
        *names[i] = s.eras[i].name;
        *years[i] = QString::number(WholeNumberOrZero(s.eras[i].year));
        *months[i] = QString::number(WholeNumberOrZero(s.eras[i].month));
        *days[i] = QString::number(WholeNumberOrZero(s.eras[i].day));
    }
    control.FREKI = QString::number(s.selectedEra);
    if (control.INSTDATE.trimmed().isEmpty())
        control.INSTDATE = todayText(session);
    if (control.ENDDATE.trimmed().isEmpty())
        control.ENDDATE = todayText(session);
    return Update(cn, false, SqlCondition(" WHERE CO = 0"), control);
}

bool writeProjectDatabase(const Session& session, DbConnection& cn, const BasicSettings& s)
{
    const QString kco = session.company().KCO, nendo = session.company().NENDO;
    for (int i = 0; i < 9; ++i) {
        const MarkSetting& m = s.marks[i];
        TMark_ r;
        r.KCO = kco;
        r.NENDO = nendo;
        r.MKCO = QString::number(i + 1);
        r.MARK = m.symbol;
        r.HANREI = m.legend;
        r.MKCOLOR = ColorToText(m.markColor);
        r.MKSIZE = QString::number(m.size);
        r.KCOLOR = ColorToText(m.curveColor);
        r.KSYURUI = QString::number(m.lineType);
        r.KHABA = QString::number(m.width);
        if (!Save(cn, false, SqlCondition(), r))
            return false;
    }
    for (int i = 0; i < 4; ++i) {
        const GraphLineSetting& g = s.lines[i];
        TGraph_ r;
        r.KCO = kco;
        r.NENDO = nendo;
        r.GSCO = QString::number(i + 1);
        r.CCOLOR = ColorToText(g.color);
        r.CSYURUI = QString::number(g.lineType);
        r.CHABA = QString::number(g.width);
        if (!Save(cn, false, SqlCondition(), r))
            return false;
    }
    return true;
}

} // namespace

bool WriteBasicSettings(const Session& session, const BasicSettings& s)
{
    // Both files with one commit: the control file is attached to the project connection.
    // The record access layer reports the message of a failed write itself.
    DbConnection& cn = *session.year;
    return InTwoFileTransaction(cn, session.control->path(), [&] {
        return writeControlDatabase(session, cn, s) && writeProjectDatabase(session, cn, s);
    });
}

void PublishBasicSettings(Session& session, const BasicSettings& s)
{
    session.calendarMode = s.eraCalendar ? 1 : 0;
    session.ageByToday = s.ageByToday;
    // A date too large for the session cannot be a date; ages then count to no day.
    session.referenceDate = s.referenceDate >= 0 && s.referenceDate <= 99991231 ? int(s.referenceDate) : 0;
    for (int i = 0; i < 3; ++i) {
        session.eras.names[i] = s.eras[i].name;
        session.eras.startYears[i] = int(WholeNumberOrZero(s.eras[i].year));
    }
    for (int i = 0; i < 9; ++i) {
        const MarkSetting& m = s.marks[i];
        TMMARK& out = session.project.Marks[i];
        out.MKCO = i + 1;
        out.MARK = m.symbol;
        out.HANREI = m.legend;
        out.MKCOLOR = m.markColor;
        out.MKSIZE = m.size;
        out.KCOLOR = m.curveColor;
        out.KSYURUI = m.lineType;
        out.KHABA = m.width;
    }
}

QImage DrawLineSample(TColor color, int lineType, int width)
{
    QImage image(161, 9, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(0, 4, 160, 4);
    if (width != 0) {
        static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                              Qt::DashDotDotLine, Qt::NoPen};
        const Qt::PenStyle style = styles[qBound(0, lineType, 5)];
        p.setPen(QPen(QColor::fromRgb(ColorToRgb(color)), width, style, Qt::FlatCap));
        p.drawLine(0, 4, 160, 4);
    }
    return image;
}
