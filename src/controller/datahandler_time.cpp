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

QDateTime parseCanonical(const QString &datetime)
{
    if (datetime.isEmpty())
        return QDateTime();
    return canonicalLocale().toDateTime(datetime, canonicalFormat);
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
