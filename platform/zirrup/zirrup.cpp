#include "zirrup.h"

#include "imagestore.h"
#include "requestjob.h"
#include "zirrup_p.h"

#include <QDir>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QRegularExpression>
#include <QStandardPaths>

namespace Zr {

bool argIsTrue(const QString &value)
{
    return value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0
        || value.compare(QLatin1String("t"), Qt::CaseInsensitive) == 0
        || value == QLatin1String("1");
}

ZirrupPrivate::ZirrupPrivate(Zirrup *owner, const QString &token, const QString &tokenSecret,
                             const QString &userId, const QString &userName,
                             const QString &consumerKey, const QString &consumerSecret)
    : q(owner)
    , userId(userId)
    , userName(userName)
{
    credentials.token = token.toUtf8();
    credentials.tokenSecret = tokenSecret.toUtf8();
    credentials.consumerKey = consumerKey.toUtf8();
    credentials.consumerSecret = consumerSecret.toUtf8();
    authenticated = !token.isEmpty();
}

ZirrupPrivate::~ZirrupPrivate() = default;

Zirrup::Zirrup(const QString &token, const QString &tokenSecret, const QString &userId,
               const QString &username, const QString &consumerKey, const QString &consumerSecret,
               QObject *parent)
    : QObject(parent)
    , d(std::make_unique<ZirrupPrivate>(this, token, tokenSecret, userId, username, consumerKey,
                                        consumerSecret))
{
    d->network = new QNetworkAccessManager(this);
    d->streamSilence = new QTimer(this);
    d->streamSilence->setSingleShot(true);
    connect(d->streamSilence, &QTimer::timeout, this,
            [this] { d->streamFailed(QStringLiteral("Stream silent for too long"), 0); });
    if (logEnabled(LogInfo))
        qDebug() << "Zr::Zirrup: backend for"
                 << (d->authenticated ? username : QStringLiteral("anonymous")) << "at"
                 << serviceUrl().toString();
}

Zirrup::~Zirrup()
{
    // Pending answers must not reach a half-destroyed object.
    d->shutdown();
}

void Zirrup::init()
{
    // The cache folder is checked once so that trouble shows up early, not on the first write.
    RecordCache *cache = d->cache();
    if (!QDir().mkpath(cache->directory()) || !QFileInfo(cache->directory()).isWritable()) {
        if (logEnabled(LogWarning))
            qWarning() << "Zr::Zirrup: cache folder not writable:" << cache->directory();
        d->onCacheWriteFailed();
        return;
    }
    // Lists of users looked at long ago are not worth keeping.
    cache->prune(14 * 24 * 3600);
}

void Zirrup::setMask(const QImage &mask)
{
    d->mask = mask.isNull() ? QImage() : mask.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

bool Zirrup::isAuthenticated() const
{
    return d->authenticated;
}

QString Zirrup::userId() const
{
    return d->userId;
}

QString Zirrup::userName() const
{
    return d->userName;
}

void Zirrup::setRequestTimeout(int milliseconds)
{
    d->requestTimeout = qMax(1, milliseconds);
}

int Zirrup::requestTimeout() const
{
    return d->requestTimeout;
}

void Zirrup::setStreamSilenceTimeout(int milliseconds)
{
    d->streamSilenceTimeout = qMax(1, milliseconds);
}

int Zirrup::streamSilenceTimeout() const
{
    return d->streamSilenceTimeout;
}

namespace {

// Sign and significant digits of a decimal number; false for anything that is not one.
bool splitDecimal(const QString &text, bool *negative, QStringView *digits)
{
    QStringView view = QStringView(text).trimmed();
    *negative = false;
    if (!view.isEmpty() && (view.front() == QLatin1Char('-') || view.front() == QLatin1Char('+'))) {
        *negative = view.front() == QLatin1Char('-');
        view = view.mid(1);
    }
    if (view.isEmpty())
        return false;
    for (QChar c : view) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    while (view.size() > 1 && view.front() == QLatin1Char('0'))
        view = view.mid(1);
    if (view == QLatin1String("0"))
        *negative = false;
    *digits = view;
    return true;
}

int compareMagnitude(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

} // namespace

int Zirrup::compareIds(const QString &first, const QString &second) const
{
    return compareIdStrings(first, second);
}

int compareIdStrings(const QString &first, const QString &second)
{
    bool firstNegative, secondNegative;
    QStringView firstDigits, secondDigits;
    const bool firstValid = splitDecimal(first, &firstNegative, &firstDigits);
    const bool secondValid = splitDecimal(second, &secondNegative, &secondDigits);
    // Something that is not a number sorts below every number.
    if (!firstValid || !secondValid) {
        if (firstValid != secondValid)
            return firstValid ? 1 : -1;
        const int c = first.compare(second);
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    if (firstNegative != secondNegative)
        return firstNegative ? -1 : 1;
    const int magnitude = compareMagnitude(firstDigits, secondDigits);
    return firstNegative ? -magnitude : magnitude;
}

QDateTime Zirrup::convertDateTime(const QString &serviceDate, bool searchForm) const
{
    // Parsed by hand: the service's names are English whatever the user's locale is.
    static const QRegularExpression statusForm(
        QStringLiteral("^([A-Z][a-z]{2}) ([A-Z][a-z]{2}) (\\d{2}) (\\d{2}):(\\d{2}):(\\d{2}) "
                       "([+-])(\\d{2})(\\d{2}) (\\d{4})$"));
    static const QRegularExpression searchFormRx(
        QStringLiteral("^([A-Z][a-z]{2}), (\\d{2}) ([A-Z][a-z]{2}) (\\d{4}) "
                       "(\\d{2}):(\\d{2}):(\\d{2}) ([+-])(\\d{2})(\\d{2})$"));
    static const QStringList days = {
        QStringLiteral("Mon"), QStringLiteral("Tue"), QStringLiteral("Wed"), QStringLiteral("Thu"),
        QStringLiteral("Fri"), QStringLiteral("Sat"), QStringLiteral("Sun")};
    static const QStringList months = {
        QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mar"), QStringLiteral("Apr"),
        QStringLiteral("May"), QStringLiteral("Jun"), QStringLiteral("Jul"), QStringLiteral("Aug"),
        QStringLiteral("Sep"), QStringLiteral("Oct"), QStringLiteral("Nov"), QStringLiteral("Dec")};

    const QRegularExpressionMatch m = (searchForm ? searchFormRx : statusForm).match(serviceDate);
    if (!m.hasMatch())
        return {};
    QString day, month, sign;
    int dayOfMonth, year, hour, minute, second, offsetHours, offsetMinutes;
    if (searchForm) {
        day = m.captured(1);
        dayOfMonth = m.captured(2).toInt();
        month = m.captured(3);
        year = m.captured(4).toInt();
        hour = m.captured(5).toInt();
        minute = m.captured(6).toInt();
        second = m.captured(7).toInt();
        sign = m.captured(8);
        offsetHours = m.captured(9).toInt();
        offsetMinutes = m.captured(10).toInt();
    } else {
        day = m.captured(1);
        month = m.captured(2);
        dayOfMonth = m.captured(3).toInt();
        hour = m.captured(4).toInt();
        minute = m.captured(5).toInt();
        second = m.captured(6).toInt();
        sign = m.captured(7);
        offsetHours = m.captured(8).toInt();
        offsetMinutes = m.captured(9).toInt();
        year = m.captured(10).toInt();
    }
    const int monthNumber = months.indexOf(month) + 1;
    if (!days.contains(day) || monthNumber == 0 || offsetHours > 23 || offsetMinutes > 59)
        return {};
    const QDate date(year, monthNumber, dayOfMonth);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid())
        return {};
    const int offset =
        (offsetHours * 3600 + offsetMinutes * 60) * (sign == QLatin1String("-") ? -1 : 1);
    return QDateTime(date, time, Qt::UTC).addSecs(-offset);
}

bool Zirrup::imageTypeSupported(const QString &url) const
{
    const QUrl parsed(url);
    const QString scheme = parsed.scheme().toLower();
    if (!parsed.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return false;
    const QString path = parsed.path();
    const QString lowerPath = path.toLower();
    for (const char *suffix : {".jpg", ".jpeg", ".png", ".gif"}) {
        if (lowerPath.endsWith(QLatin1String(suffix)))
            return true;
    }
    if (d->isServiceHost(parsed)) {
        const QString prefix = serviceUrl().path() + QLatin1String("/media/");
        if (path.startsWith(prefix) && path.size() > prefix.size())
            return true;
    }
    QString host = parsed.host().toLower();
    if (host.startsWith(QLatin1String("www.")))
        host = host.mid(4);
    const bool pictureHost = host == QLatin1String("zirpic.net")
        || host == QLatin1String("snapzr.com") || host == QLatin1String("imgzr.io");
    return pictureHost && path.size() > 1;
}

void Zirrup::getSearchHistory(int maxItems, QStringList *history)
{
    if (!history)
        return;
    *history = d->searchHistory()->entries(maxItems);
}

void Zirrup::updateResfreshTime(int type, const QString &user)
{
    const QString entry = QString::number(type) + QLatin1Char('_') + user.toLower();
    d->storeAnswer(QStringLiteral("refresh_times"), entry, QDateTime::currentSecsSinceEpoch(), 500);
}

QDateTime Zirrup::refreshTime(int type, const QString &user) const
{
    const QString entry = QString::number(type) + QLatin1Char('_') + user.toLower();
    const QVariant seconds = d->cachedAnswer(QStringLiteral("refresh_times"), entry);
    if (!seconds.isValid())
        return {};
    return QDateTime::fromSecsSinceEpoch(seconds.toLongLong(), Qt::UTC);
}

} // namespace Zr
