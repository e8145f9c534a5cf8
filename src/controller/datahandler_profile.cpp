// Forwarders to the people adapter: profiles, the own account, followers, following, the
// people search and avatars.

#include "datahandler.h"

void DataHandler::updateProfileView(QString screenName, bool refreshProfileImage)
{
    if (!canForward())
        return;
    m_profileView.getProfileInfo(screenName, refreshProfileImage);
}

void DataHandler::updateProfileSubView(QString screenName)
{
    if (!canForward())
        return;
    m_profileView.getProfileSubInfo(screenName);
}

void DataHandler::updateIsFollower(QString screenName)
{
    if (!canForward())
        return;
    m_profileView.isFollower(screenName);
}

void DataHandler::followProfile(QString screenName, bool follow)
{
    if (!canForward())
        return;
    m_profileView.followProfile(screenName, follow);
}

void DataHandler::blockProfile(QString screenName, bool block)
{
    if (!canForward())
        return;
    m_profileView.blockProfile(screenName, block);
}

void DataHandler::updateAccountData(QString name, QString url, QString location,
                                    QString description)
{
    if (!canForward())
        return;
    m_profileView.updateAccountData(name, url, location, description);
}

void DataHandler::updateAccountImage(QString fileUrl)
{
    if (!canForward())
        return;
    m_profileView.updateAccountImage(fileUrl);
}

QString DataHandler::getProfileImage(QString screenName, QString url, bool forceReload,
                                     ProfileView::ProfileImageSize size)
{
    if (!canForward())
        return QString();
    return m_profileView.getProfileImage(screenName, url, forceReload, size);
}

void DataHandler::updateFollowersView(QString screenName, bool forceUpdate)
{
    if (!canForward())
        return;
    // Without force, the list of the profile already shown stays as it is.
    if (!forceUpdate && screenName.toLower() == currentUser())
        return;
    m_profileView.getFollowerInfo(screenName, QStringLiteral("-1"));
}

void DataHandler::updateFollowingView(QString screenName, bool forceUpdate)
{
    if (!canForward())
        return;
    if (!forceUpdate && screenName.toLower() == currentUser())
        return;
    m_profileView.getFollowingInfo(screenName, QStringLiteral("-1"));
}

void DataHandler::moreFollowersView()
{
    if (!canForward())
        return;
    m_profileView.updateFollowerInfo();
}

void DataHandler::moreFollowingView()
{
    if (!canForward())
        return;
    m_profileView.updateFollowingInfo();
}

void DataHandler::cleanFollowersView()
{
    if (!canForward())
        return;
    m_profileView.cleanFollowers();
}

void DataHandler::cleanFollowingView()
{
    if (!canForward())
        return;
    m_profileView.cleanFollowing();
}

void DataHandler::searchProfiles(QString query)
{
    if (!canForward() || m_authenticatedUserName.isEmpty())
        return;
    setCurrentSearchString(query);
    m_profileView.searchProfiles(query, 1);
}

void DataHandler::searchMoreProfiles()
{
    if (!canForward() || m_authenticatedUserName.isEmpty())
        return;
    m_profileView.searchMoreProfiles();
}
