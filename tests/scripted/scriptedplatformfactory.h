#ifndef SCRIPTEDPLATFORMFACTORY_H
#define SCRIPTEDPLATFORMFACTORY_H

#include "scriptedlaunchrequests.h"
#include "scriptedlogin.h"
#include "scriptednotifications.h"
#include "scriptedtimelinenotifier.h"
#include "zrplatformfactory.h"

// A platform of scripted objects, owned by the factory.
class ScriptedPlatformFactory : public ZrPlatform::ZrPlatformFactory
{
    Q_OBJECT

public:
    explicit ScriptedPlatformFactory(QObject *parent = nullptr)
        : ZrPlatform::ZrPlatformFactory(parent)
    { }

    ZrPlatform::ZrLoginHandler *loginHandler() override { return m_login; }
    ZrPlatform::ZrTimelineNotifier *timelineNotifier() override { return m_timeline; }
    ZrPlatform::ZrNotificationHandler *notificationHandler() override { return m_notifications; }
    ZrPlatform::ZrLaunchRequests *launchRequests() override { return m_requests; }

    ScriptedLogin *login() const { return m_login; }
    ScriptedNotifications *notifications() const { return m_notifications; }
    ScriptedTimelineNotifier *timeline() const { return m_timeline; }
    ScriptedLaunchRequests *requests() const { return m_requests; }

private:
    ScriptedLogin *m_login = new ScriptedLogin(this);
    ScriptedTimelineNotifier *m_timeline = new ScriptedTimelineNotifier(this);
    ScriptedNotifications *m_notifications = new ScriptedNotifications(this);
    ScriptedLaunchRequests *m_requests = new ScriptedLaunchRequests(this);
};

#endif // SCRIPTEDPLATFORMFACTORY_H
