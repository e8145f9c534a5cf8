#include "displayinfo.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QtDebug>

namespace {
const QString screenSaverService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString screenSaverPath = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString screenSaverInterface = QStringLiteral("org.freedesktop.ScreenSaver");

const QString loginService = QStringLiteral("org.freedesktop.login1");
const QString loginPath = QStringLiteral("/org/freedesktop/login1");
const QString loginManagerInterface = QStringLiteral("org.freedesktop.login1.Manager");
const QString loginSessionInterface = QStringLiteral("org.freedesktop.login1.Session");
const QString propertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString lockedHint = QStringLiteral("LockedHint");
} // namespace

DisplayInfo::DisplayInfo(QObject *parent)
    : DisplayInfo(QDBusConnection::sessionBus(), QDBusConnection::systemBus(), parent)
{ }

DisplayInfo::DisplayInfo(const QDBusConnection &sessionBus, const QDBusConnection &systemBus,
                         QObject *parent)
    : QObject(parent)
    , m_sessionBus(sessionBus)
    , m_systemBus(systemBus)
{
    watchScreenSaver();
    watchLoginSession();
}

DisplayInfo::BacklightState DisplayInfo::backlightStatus(int screen) const
{
    if (screen < 0)
        return BacklightUnknown;
    return (m_screenSaverActive || m_sessionLocked) ? BacklightOff : BacklightOn;
}

void DisplayInfo::setState(bool screenSaverActive, bool sessionLocked)
{
    const BacklightState before = backlightStatus(0);
    m_screenSaverActive = screenSaverActive;
    m_sessionLocked = sessionLocked;
    const BacklightState after = backlightStatus(0);
    if (after != before)
        Q_EMIT backlightStatusChanged(after);
}

void DisplayInfo::watchScreenSaver()
{
    if (!m_sessionBus.isConnected())
        return;
    m_sessionBus.connect(screenSaverService, screenSaverPath, screenSaverInterface,
                         QStringLiteral("ActiveChanged"), this,
                         SLOT(onScreenSaverActiveChanged(bool)));

    const QDBusMessage call = QDBusMessage::createMethodCall(
        screenSaverService, screenSaverPath, screenSaverInterface, QStringLiteral("GetActive"));
    auto *watcher = new QDBusPendingCallWatcher(m_sessionBus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher *finished) {
                finished->deleteLater();
                const QDBusPendingReply<bool> reply = *finished;
                // Without a screen saver service the screen counts as watched.
                if (!reply.isError())
                    setState(reply.value(), m_sessionLocked);
            });
}

void DisplayInfo::onScreenSaverActiveChanged(bool active)
{
    setState(active, m_sessionLocked);
}

void DisplayInfo::watchLoginSession()
{
    if (!m_systemBus.isConnected())
        return;

    // The session of this process; a process started outside one (a terminal in a container)
    // falls back to the user's display session.
    QDBusMessage byPid = QDBusMessage::createMethodCall(
        loginService, loginPath, loginManagerInterface, QStringLiteral("GetSessionByPID"));
    byPid << uint(QCoreApplication::applicationPid());
    auto *watcher = new QDBusPendingCallWatcher(m_systemBus.asyncCall(byPid), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher *finished) {
                finished->deleteLater();
                const QDBusPendingReply<QDBusObjectPath> reply = *finished;
                if (!reply.isError()) {
                    m_sessionPath = reply.value().path();
                    readLockedHint();
                    return;
                }
                QDBusMessage automatic = QDBusMessage::createMethodCall(
                    loginService, loginPath, loginManagerInterface, QStringLiteral("GetSession"));
                automatic << QStringLiteral("auto");
                auto *second = new QDBusPendingCallWatcher(m_systemBus.asyncCall(automatic), this);
                connect(second, &QDBusPendingCallWatcher::finished, this,
                        [this](QDBusPendingCallWatcher *answered) {
                            answered->deleteLater();
                            const QDBusPendingReply<QDBusObjectPath> session = *answered;
                            if (session.isError())
                                return;
                            m_sessionPath = session.value().path();
                            readLockedHint();
                        });
            });
}

void DisplayInfo::readLockedHint()
{
    m_systemBus.connect(loginService, m_sessionPath, propertiesInterface,
                        QStringLiteral("PropertiesChanged"), this,
                        SLOT(onSessionPropertiesChanged(QString, QVariantMap, QStringList)));

    QDBusMessage get = QDBusMessage::createMethodCall(loginService, m_sessionPath,
                                                      propertiesInterface, QStringLiteral("Get"));
    get << loginSessionInterface << lockedHint;
    auto *watcher = new QDBusPendingCallWatcher(m_systemBus.asyncCall(get), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher *finished) {
                finished->deleteLater();
                const QDBusPendingReply<QDBusVariant> reply = *finished;
                if (!reply.isError())
                    setState(m_screenSaverActive, reply.value().variant().toBool());
            });
}

void DisplayInfo::onSessionPropertiesChanged(const QString &interfaceName,
                                             const QVariantMap &changed,
                                             const QStringList &invalidated)
{
    Q_UNUSED(invalidated)
    if (interfaceName != loginSessionInterface || !changed.contains(lockedHint))
        return;
    setState(m_screenSaverActive, changed.value(lockedHint).toBool());
}
