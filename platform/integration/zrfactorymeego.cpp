#include "zrfactorymeego.h"

#include "accountstore.h"
#include "desktoplaunchrequests.h"
#include "desktoploginhandler.h"
#include "desktopnotificationhandler.h"
#include "desktoptimelinenotifier.h"
#include "keychainsecretstore.h"
#include "zirrup.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDebug>

namespace ZrMeego {

namespace {
ZrFactoryMeego *currentFactory = nullptr;
// A running instance that takes longer than this to answer is taken to be stuck.
const int handOffTimeoutMs = 5000;
} // namespace

ZrPlatform::ZrPlatformFactory *ZrFactoryMeego::getInstance()
{
    return new ZrFactoryMeego();
}

ZrFactoryMeego::ZrFactoryMeego(QObject *parent)
    : ZrPlatform::ZrPlatformFactory(parent)
{
    if (!currentFactory)
        currentFactory = this;
}

ZrFactoryMeego::~ZrFactoryMeego()
{
    if (currentFactory == this)
        currentFactory = nullptr;
}

ZrFactoryMeego *ZrFactoryMeego::current()
{
    return currentFactory;
}

AccountStore *ZrFactoryMeego::accountStore()
{
    if (!m_store) {
        m_store = new AccountStore(this);
        m_store->setWatching(true);
        m_store->setSecretStore(new KeychainSecretStore(m_store));
        // The signed-out start page talks to the address last signed in to.
        if (qEnvironmentVariableIsEmpty("ZIRRUP_SERVICE_URL")) {
            const QUrl url =
                m_store->hasAccount() ? m_store->account().serviceUrl : m_store->lastServiceUrl();
            if (url.isValid())
                Zr::setServiceUrl(url);
        }
    }
    return m_store;
}

DesktopLoginHandler *ZrFactoryMeego::desktopLoginHandler()
{
    if (!m_login)
        m_login = new DesktopLoginHandler(accountStore(), this);
    return m_login;
}

DesktopNotificationHandler *ZrFactoryMeego::desktopNotificationHandler()
{
    if (!m_notifications) {
        m_notifications = new DesktopNotificationHandler(accountStore(), this);
        // A click on a notification opens what it was about.
        connect(m_notifications, &DesktopNotificationHandler::activated, this,
                [this](DesktopNotificationHandler::Kind kind, const QString &subject) {
                    DesktopLaunchRequests *requests = desktopLaunchRequests();
                    requests->requestRaise();
                    // A subject the checks refuse still leaves the list of its kind.
                    if (kind == DesktopNotificationHandler::Mentions) {
                        if (subject.isEmpty() || !requests->requestMention(subject))
                            requests->requestMentions();
                    } else if (subject.isEmpty() || !requests->requestMessage(subject, QString())) {
                        requests->requestDirectMessages();
                    }
                });
    }
    return m_notifications;
}

DesktopLaunchRequests *ZrFactoryMeego::desktopLaunchRequests()
{
    if (!m_launch) {
        m_launch = new DesktopLaunchRequests(this);
        m_launch->registerOnBus();
    }
    return m_launch;
}

ZrPlatform::ZrLoginHandler *ZrFactoryMeego::loginHandler()
{
    return desktopLoginHandler();
}

ZrPlatform::ZrTimelineNotifier *ZrFactoryMeego::timelineNotifier()
{
    if (!m_timeline)
        m_timeline = new DesktopTimelineNotifier(this);
    return m_timeline;
}

ZrPlatform::ZrNotificationHandler *ZrFactoryMeego::notificationHandler()
{
    return desktopNotificationHandler();
}

ZrPlatform::ZrLaunchRequests *ZrFactoryMeego::launchRequests()
{
    return desktopLaunchRequests();
}

void ZrFactoryMeego::bringToFront()
{
    DesktopLaunchRequests::raiseWindows();
}

bool ZrFactoryMeego::handOffToRunningInstance(int launchMode, const QString &subject)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return false;

    if (ZrFactoryMeego *factory = current()) {
        // Claiming the name settles the race between two programs started at once.
        const DesktopLaunchRequests::Registration registration =
            factory->desktopLaunchRequests()->registerOnBus();
        if (registration != DesktopLaunchRequests::NameTaken)
            return false;
    } else if (!bus.interface()->isServiceRegistered(DesktopLaunchRequests::serviceName())) {
        return false;
    }

    auto call = [&bus](const QString &method, const QVariantList &arguments = {}) {
        QDBusMessage message = QDBusMessage::createMethodCall(
            DesktopLaunchRequests::serviceName(), DesktopLaunchRequests::objectPath(),
            DesktopLaunchRequests::interfaceName(), method);
        message.setArguments(arguments);
        const QDBusMessage reply = bus.call(message, QDBus::Block, handOffTimeoutMs);
        if (reply.type() == QDBusMessage::ErrorMessage) {
            qWarning() << "ZrFactoryMeego: the running instance did not take" << method << ":"
                       << reply.errorMessage();
            return false;
        }
        return true;
    };
    if (!call(QStringLiteral("raise")))
        return false;
    const QString subjectMethod = DesktopLaunchRequests::subjectMethod(launchMode);
    if (launchMode == 6)
        call(QStringLiteral("showDirectMessages"));
    else if (launchMode == 8)
        call(QStringLiteral("showMentions"));
    else if (!subject.isEmpty() && !subjectMethod.isEmpty())
        // A subject the running instance refuses is left at the front, as here.
        call(subjectMethod, DesktopLaunchRequests::subjectArguments(launchMode, subject));
    return true;
}

} // namespace ZrMeego
