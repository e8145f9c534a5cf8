// Times as the pages show them: relative ages, section headings, date-and-time lines. Models
// keep times as canonical local text written with the "en_US" locale, so that any user locale
// reads back what it wrote.

#include "datahandler.h"

#include "zirrup.h"

#include <QLocale>

namespace {
const QString canonicalFormat = QStringLiteral("ddd MMM dd hh:mm:ss yyyy");

const QLocale &canonicalLocale()
{
    static const QLocale locale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

int digits(QStringView text)
{
    int value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

// Every list row reads its time, so the canonical form ("Mon Dec 07 02:26:07 2026") is read by
// hand: the locale's general parser takes tens of microseconds a call. Anything else, a weekday
// that does not match the date included, is left to that parser.
QDateTime parseCanonicalQuickly(QStringView text)
{
    static const QLatin1String days("MonTueWedThuFriSatSun");
    static const QLatin1String months("JanFebMarAprMayJunJulAugSepOctNovDec");
    if (text.size() != 24 || text[3] != u' ' || text[7] != u' ' || text[10] != u' '
        || text[13] != u':' || text[16] != u':' || text[19] != u' ')
        return QDateTime();
    const qsizetype month = months.indexOf(text.mid(4, 3));
    if (month < 0 || month % 3 != 0)
        return QDateTime();
    const int year = digits(text.mid(20, 4));
    const QDate date(year, int(month / 3) + 1, digits(text.mid(8, 2)));
    const QTime time(digits(text.mid(11, 2)), digits(text.mid(14, 2)), digits(text.mid(17, 2)));
    if (year < 0 || !date.isValid() || !time.isValid()
        || text.left(3) != days.mid((date.dayOfWeek() - 1) * 3, 3))
        return QDateTime();
    return QDateTime(date, time);
}

QDateTime parseCanonical(const QString &datetime)
{
    if (datetime.isEmpty())
        return QDateTime();
    const QDateTime quick = parseCanonicalQuickly(datetime);
    return quick.isValid() ? quick : canonicalLocale().toDateTime(datetime, canonicalFormat);
}

QString hoursAgo(int hours)
{
    return qtTrId("qtn_comm_time_hours_ago", hours);
}

// "first - " + line separator + "second".
QString band(const QString &first, const QString &second)
{
    return first + QLatin1String(" - ") + QChar(0x2028) + second;
}
} // namespace

void DataHandler::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

QDateTime DataHandler::currentDateTime() const
{
    return m_clock ? m_clock() : QDateTime::currentDateTimeUtc();
}

QString DataHandler::convertServiceDateTime(QString serviceDate, bool flag)
{
    if (!m_backend)
        return QString();
    const QDateTime time = m_backend->convertDateTime(serviceDate, flag);
    if (!time.isValid())
        return QString();
    return canonicalLocale().toString(time.toLocalTime(), canonicalFormat);
}

QString DataHandler::createTimeString(QString datetime)
{
    const QDateTime time = parseCanonical(datetime);
    if (!time.isValid())
        return QString();

    const qint64 age = time.secsTo(currentDateTime());
    if (age <= 1)
        return qtTrId("qtn_comm_time_moment_ago");
    if (age < 60)
        return qtTrId("qtn_comm_time_sec_ago", int(age));
    if (age < 3600)
        return qtTrId("qtn_comm_time_minute_ago", int(age / 60));
    if (age < 90000)
        return hoursAgo(int(age / 3600));
    return m_locale.formatDateTime(time, Locale::DateMedium, Locale::TimeNone);
}

QString DataHandler::createSectionTimeString(QString datetime)
{
    const QDateTime time = parseCanonical(datetime);
    if (!time.isValid())
        return QString();

    // Each band reaches one hour beyond the count it names.
    const qint64 age = time.secsTo(currentDateTime());
    if (age < 25200)
        return band(qtTrId("qtn_comm_time_moment_ago"), hoursAgo(6));
    if (age < 46800)
        return band(hoursAgo(6), hoursAgo(12));
    if (age < 68400)
        return band(hoursAgo(12), hoursAgo(18));
    if (age < 90000)
        return band(hoursAgo(18), hoursAgo(24));
    return m_locale.formatDateTime(time, Locale::DateMedium, Locale::TimeNone);
}

QString DataHandler::createDetailTimeString(QString datetime)
{
    const QDateTime time = parseCanonical(datetime);
    if (!time.isValid())
        return QString();
    return qtTrId("qtn_comm_date_time")
        .arg(m_locale.formatDateTime(time, Locale::DateMedium, Locale::TimeNone),
             m_locale.formatDateTime(time, Locale::DateNone, Locale::TimeShort));
}

QString DataHandler::createConversationTimeString(QString datetime)
{
    return createDetailTimeString(datetime);
}
