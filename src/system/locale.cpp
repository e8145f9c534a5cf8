#include "locale.h"

#include <QRegularExpression>

Locale::Locale()
    : m_locale(QLocale())
{ }

Locale::Locale(const QLocale &locale)
    : m_locale(locale)
{ }

QString Locale::name() const
{
    return m_locale.name();
}

QString Locale::language() const
{
    return m_locale.name().section(QLatin1Char('_'), 0, 0);
}

QString Locale::formatNumber(qint64 number) const
{
    return m_locale.toString(number);
}

QString Locale::dateFormat(DateType date) const
{
    switch (date) {
    case DateNone:
        return QString();
    case DateShort:
        return m_locale.dateFormat(QLocale::ShortFormat);
    case DateLong:
        return m_locale.dateFormat(QLocale::LongFormat);
    case DateMedium:
        break;
    }
    // The long form without the weekday and with the abbreviated month name keeps the
    // locale's order and words ("d MMM yyyy", "MMM d, yyyy", "d. MMM yyyy", ...).
    QString format = m_locale.dateFormat(QLocale::LongFormat);
    // Arabic separates the weekday with its own comma (U+060C).
    static const QRegularExpression leadingWeekday(QStringLiteral("^\\s*dddd[\\s,\\x{060C}]*"));
    static const QRegularExpression otherWeekday(QStringLiteral("[\\s,\\x{060C}]*dddd"));
    format.remove(leadingWeekday);
    format.remove(otherWeekday);
    format.replace(QStringLiteral("MMMM"), QStringLiteral("MMM"));
    return format.trimmed();
}

// Some locales (zh_TW: "Bh:mm") name the day period with "B", which QLocale writes out as a
// letter; "AP" is the nearest it knows ("下午2:05" rather than "B14:05").
QString Locale::withDayPeriod(const QString &format)
{
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (c == QLatin1Char('B') && !quoted)
            result += QStringLiteral("AP");
        else
            result += c;
    }
    return result;
}

QString Locale::timeFormat(TimeType time) const
{
    switch (time) {
    case TimeNone:
        return QString();
    case TimeShort:
        return withDayPeriod(m_locale.timeFormat(QLocale::ShortFormat));
    case TimeLong:
        return withDayPeriod(m_locale.timeFormat(QLocale::LongFormat));
    }
    return QString();
}

QString Locale::formatDateTime(const QDateTime &dateTime, DateType date, TimeType time) const
{
    if (!dateTime.isValid())
        return QString();
    const QString datePart =
        date == DateNone ? QString() : m_locale.toString(dateTime.date(), dateFormat(date));
    const QString timePart =
        time == TimeNone ? QString() : m_locale.toString(dateTime.time(), timeFormat(time));
    if (datePart.isEmpty())
        return timePart;
    if (timePart.isEmpty())
        return datePart;
    return datePart + QLatin1Char(' ') + timePart;
}
