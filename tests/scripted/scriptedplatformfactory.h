#ifndef SCRIPTEDPLATFORMFACTORY_H
#define SCRIPTEDPLATFORMFACTORY_H

#include "scriptedlaunchrequests.h"
#include "zrplatformfactory.h"

class ScriptedLogin;
class ScriptedNotifications;
class ScriptedTimelineNotifier;

// A platform of scripted objects, owned by the factory.
class ScriptedPlatformFactory : public ZrPlatform::ZrPlatformFactory
{
    Q_OBJECT

public:
    explicit ScriptedPlatformFactory(QObject *parent = nullptr);

    ZrPlatform::ZrLoginHandler *loginHandler() override;
    ZrPlatform::ZrTimelineNotifier *timelineNotifier() override;
    ZrPlatform::ZrNotificationHandler *notificationHandler() override;
    ZrPlatform::ZrLaunchRequests *launchRequests() override;

    ScriptedLogin *login() const { return m_login; }
    ScriptedNotifications *notifications() const { return m_notifications; }
    ScriptedTimelineNotifier *timeline() const { return m_timeline; }
    ScriptedLaunchRequests *requests() const { return m_requests; }

private:
    ScriptedLogin *m_login;
    ScriptedTimelineNotifier *m_timeline;
    ScriptedNotifications *m_notifications;
    ScriptedLaunchRequests *m_requests;
};

#endif // SCRIPTEDPLATFORMFACTORY_H
