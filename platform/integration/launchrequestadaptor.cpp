#include "launchrequestadaptor.h"

#include "desktoplaunchrequests.h"

#include <QDBusError>

namespace ZrMeego {

LaunchRequestAdaptor::LaunchRequestAdaptor(DesktopLaunchRequests *requests)
    : QDBusAbstractAdaptor(requests)
    , m_requests(requests)
{ }

LaunchRequestAdaptor::~LaunchRequestAdaptor() = default;

void LaunchRequestAdaptor::refuseUnless(bool accepted)
{
    // The bus keeps the call's context on the object the adaptor serves, not on the adaptor.
    if (!accepted && m_requests->calledFromDBus())
        m_requests->sendErrorReply(QDBusError::InvalidArgs,
                                   QStringLiteral("Malformed screen name or id"));
}

void LaunchRequestAdaptor::raise()
{
    refuseUnless(m_requests->requestRaise());
}

void LaunchRequestAdaptor::showProfile(const QString &screenName)
{
    refuseUnless(m_requests->requestProfile(screenName));
}

void LaunchRequestAdaptor::showFeedItem(const QString &tweetId)
{
    refuseUnless(m_requests->requestFeedItem(tweetId));
}

void LaunchRequestAdaptor::showCompose(const QString &screenName)
{
    refuseUnless(m_requests->requestCompose(screenName));
}

void LaunchRequestAdaptor::showDirectMessages()
{
    refuseUnless(m_requests->requestDirectMessages());
}

void LaunchRequestAdaptor::showMessage(const QString &screenName, const QString &id)
{
    refuseUnless(m_requests->requestMessage(screenName, id));
}

void LaunchRequestAdaptor::showMentions()
{
    refuseUnless(m_requests->requestMentions());
}

void LaunchRequestAdaptor::showMention(const QString &id)
{
    refuseUnless(m_requests->requestMention(id));
}

} // namespace ZrMeego
