#include "zirrup.h"

#include <QMutex>
#include <QMutexLocker>

namespace Zr {

namespace {
QMutex globalsMutex;
ZrLogLevel currentLevel = LogWarning;
QUrl currentServiceUrl;
bool serviceUrlSet = false;
} // namespace

void SetLoggingLevel(ZrLogLevel level)
{
    QMutexLocker lock(&globalsMutex);
    currentLevel = level;
}

ZrLogLevel loggingLevel()
{
    QMutexLocker lock(&globalsMutex);
    return currentLevel;
}

void setServiceUrl(const QUrl &url)
{
    QMutexLocker lock(&globalsMutex);
    currentServiceUrl = url.adjusted(QUrl::StripTrailingSlash);
    serviceUrlSet = true;
}

QUrl serviceUrl()
{
    QMutexLocker lock(&globalsMutex);
    if (serviceUrlSet)
        return currentServiceUrl;
    // Until the platform names one: the environment, then the local sandbox's usual port.
    const QString fromEnvironment = qEnvironmentVariable("ZIRRUP_SERVICE_URL");
    if (!fromEnvironment.isEmpty())
        return QUrl(fromEnvironment).adjusted(QUrl::StripTrailingSlash);
    return QUrl(QStringLiteral("http://127.0.0.1:8123"));
}

} // namespace Zr
