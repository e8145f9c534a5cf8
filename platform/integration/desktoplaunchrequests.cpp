#include "desktoplaunchrequests.h"

#include "launchrequestadaptor.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QDebug>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QWindow>

namespace ZrMeego {

QString DesktopLaunchRequests::serviceName()
{
    return QStringLiteral("net.zirrup.Client");
}

QString DesktopLaunchRequests::objectPath()
{
    return QStringLiteral("/net/zirrup/Client");
}

QString DesktopLaunchRequests::interfaceName()
{
    return QStringLiteral("net.zirrup.Client");
}

DesktopLaunchRequests::DesktopLaunchRequests(QObject *parent)
    : ZrPlatform::ZrLaunchRequests(parent)
{
    new LaunchRequestAdaptor(this);
}

DesktopLaunchRequests::~DesktopLaunchRequests()
{
    if (m_registration == Registered) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        bus.unregisterObject(objectPath());
        bus.unregisterService(serviceName());
    }
}

DesktopLaunchRequests::Registration DesktopLaunchRequests::registerOnBus()
{
    if (m_registration != NotTried)
        return m_registration;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()) {
        m_registration = NoBus;
        return m_registration;
    }
    // The object first, so that a caller who sees the name can use it at once.
    if (!bus.registerObject(objectPath(), this, QDBusConnection::ExportAdaptors)) {
        qWarning() << "DesktopLaunchRequests: cannot export" << objectPath();
        m_registration = NameTaken;
        return m_registration;
    }
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        bus.interface()->registerService(serviceName(), QDBusConnectionInterface::DontQueueService,
                                         QDBusConnectionInterface::DontAllowReplacement);
    if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered) {
        m_registration = Registered;
    } else {
        bus.unregisterObject(objectPath());
        m_registration = NameTaken;
    }
    return m_registration;
}

bool DesktopLaunchRequests::isScreenName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^@?[A-Za-z0-9_]{1,15}$"));
    return pattern.match(name).hasMatch();
}

bool DesktopLaunchRequests::isId(const QString &id)
{
    static const QRegularExpression pattern(QStringLiteral("^[1-9][0-9]{0,18}$"));
    return pattern.match(id).hasMatch();
}

void DesktopLaunchRequests::raiseWindows()
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    const QWindowList windows = QGuiApplication::topLevelWindows();
    for (QWindow *window : windows) {
        // Only the program's own windows, not transient popups it happens to hold.
        if (window->transientParent() || window->type() == Qt::Popup
            || window->type() == Qt::ToolTip)
            continue;
        if (window->windowStates() & Qt::WindowMinimized)
            window->setWindowStates(window->windowStates() & ~Qt::WindowMinimized);
        if (!window->isVisible())
            continue;
        window->raise();
        window->requestActivate();
    }
}

bool DesktopLaunchRequests::requestRaise()
{
    raiseWindows();
    Q_EMIT raiseRequested();
    return true;
}

bool DesktopLaunchRequests::requestProfile(const QString &screenName)
{
    if (!isScreenName(screenName))
        return false;
    Q_EMIT showProfile(screenName);
    return true;
}

bool DesktopLaunchRequests::requestFeedItem(const QString &tweetId)
{
    if (!isId(tweetId))
        return false;
    Q_EMIT showFeedItem(tweetId);
    return true;
}

bool DesktopLaunchRequests::requestCompose(const QString &screenName)
{
    if (!isScreenName(screenName))
        return false;
    Q_EMIT showCompose(screenName);
    return true;
}

bool DesktopLaunchRequests::requestDirectMessages()
{
    Q_EMIT showDirectMessages();
    return true;
}

bool DesktopLaunchRequests::requestMessage(const QString &screenName, const QString &id)
{
    // The conversation is the screen name's; the message id may be left out.
    if (!isScreenName(screenName) || (!id.isEmpty() && !isId(id)))
        return false;
    Q_EMIT showMessage(screenName, id);
    return true;
}

bool DesktopLaunchRequests::requestMentions()
{
    Q_EMIT showMentions();
    return true;
}

bool DesktopLaunchRequests::requestSubject(int launchMode, const QString &subject)
{
    switch (launchMode) {
    case 2:
        return requestProfile(subject);
    case 3:
        return requestFeedItem(subject);
    case 4:
        return requestCompose(subject);
    case 5:
        return requestMessage(subject, QString());
    case 7:
        return requestMention(subject);
    default:
        return false;
    }
}

QString DesktopLaunchRequests::subjectMethod(int launchMode)
{
    switch (launchMode) {
    case 2:
        return QStringLiteral("showProfile");
    case 3:
        return QStringLiteral("showFeedItem");
    case 4:
        return QStringLiteral("showCompose");
    case 5:
        return QStringLiteral("showMessage");
    case 7:
        return QStringLiteral("showMention");
    default:
        return QString();
    }
}

QVariantList DesktopLaunchRequests::subjectArguments(int launchMode, const QString &subject)
{
    if (launchMode == 5)
        return {subject, QString()};
    return {subject};
}

bool DesktopLaunchRequests::requestMention(const QString &id)
{
    if (!isId(id))
        return false;
    Q_EMIT showMention(id);
    return true;
}

} // namespace ZrMeego
