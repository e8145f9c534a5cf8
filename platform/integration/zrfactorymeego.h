#ifndef ZR_ZRFACTORYMEEGO_H
#define ZR_ZRFACTORYMEEGO_H

#include "zrplatformfactory.h"

namespace ZrMeego {

class AccountStore;
class DesktopLoginHandler;
class DesktopTimelineNotifier;
class DesktopNotificationHandler;
class DesktopLaunchRequests;

// The platform of a Linux desktop. The factory owns its four objects and makes each on first
// use, as getInstance() runs before the application object exists.
class ZrFactoryMeego : public ZrPlatform::ZrPlatformFactory
{
    Q_OBJECT
public:
    // A new factory; the caller owns it.
    static ZrPlatform::ZrPlatformFactory *getInstance();

    explicit ZrFactoryMeego(QObject *parent = nullptr);
    ~ZrFactoryMeego() override;

    ZrPlatform::ZrLoginHandler *loginHandler() override;
    ZrPlatform::ZrTimelineNotifier *timelineNotifier() override;
    ZrPlatform::ZrNotificationHandler *notificationHandler() override;
    // The first call claims the program's name on the session bus.
    ZrPlatform::ZrLaunchRequests *launchRequests() override;

    AccountStore *accountStore();
    DesktopLoginHandler *desktopLoginHandler();
    DesktopNotificationHandler *desktopNotificationHandler();
    DesktopLaunchRequests *desktopLaunchRequests();

    // The factory of this process (the first one made and not yet deleted), or null.
    static ZrFactoryMeego *current();

    // Called once the application object exists. When another instance of the program owns the
    // name on the session bus, asks it to come to the front and to act on launchMode
    // (6: the messages, 8: the mentions, a mode with a subject: that subject, see
    // DesktopLaunchRequests::requestSubject; anything else: just the front) and returns true: this
    // process should then exit. Returns false when this process is the only one, when there is
    // no session bus, or when the other instance does not answer.
    static bool handOffToRunningInstance(int launchMode, const QString &subject = QString());

    // Brings this process's windows to the front.
    static void bringToFront();

private:
    AccountStore *m_store = nullptr;
    DesktopLoginHandler *m_login = nullptr;
    DesktopTimelineNotifier *m_timeline = nullptr;
    DesktopNotificationHandler *m_notifications = nullptr;
    DesktopLaunchRequests *m_launch = nullptr;
};

} // namespace ZrMeego

#endif // ZR_ZRFACTORYMEEGO_H
