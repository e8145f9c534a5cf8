#ifndef LOCALE_H
#define LOCALE_H

#include <QDateTime>
#include <QLocale>
#include <QString>

// The user's locale as the program needs it: its name and language, grouped numbers, and dates
// in a medium style (day, abbreviated month, year, no weekday) and times in the short style.
class Locale
{
public:
    enum DateType { DateNone, DateShort, DateMedium, DateLong };
    enum TimeType { TimeNone, TimeShort, TimeLong };

    Locale();
    explicit Locale(const QLocale &locale);

    // "en_GB", "pt_BR", "zh_HK".
    QString name() const;
    // "en", "pt", "fa".
    QString language() const;

    QString formatNumber(qint64 number) const;
    QString formatDateTime(const QDateTime &dateTime, DateType date, TimeType time) const;

    QString dateFormat(DateType date) const;
    QString timeFormat(TimeType time) const;

    const QLocale &qlocale() const { return m_locale; }

private:
    static QString withDayPeriod(const QString &format);

    QLocale m_locale;
};

#endif // LOCALE_H
