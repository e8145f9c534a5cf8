#include "scriptedplatformfactory.h"

#include "scriptedlogin.h"
#include "scriptednotifications.h"
#include "scriptedtimelinenotifier.h"

ScriptedPlatformFactory::ScriptedPlatformFactory(QObject *parent)
    : ZrPlatform::ZrPlatformFactory(parent)
    , m_login(new ScriptedLogin(this))
    , m_timeline(new ScriptedTimelineNotifier(this))
    , m_notifications(new ScriptedNotifications(this))
    , m_requests(new ScriptedLaunchRequests(this))
{ }

ZrPlatform::ZrLoginHandler *ScriptedPlatformFactory::loginHandler()
{
    return m_login;
}

ZrPlatform::ZrTimelineNotifier *ScriptedPlatformFactory::timelineNotifier()
{
    return m_timeline;
}

ZrPlatform::ZrNotificationHandler *ScriptedPlatformFactory::notificationHandler()
{
    return m_notifications;
}

ZrPlatform::ZrLaunchRequests *ScriptedPlatformFactory::launchRequests()
{
    return m_requests;
}
