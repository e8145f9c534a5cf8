// Forwarders to the timeline adapter: every tweet list, the tweet actions, the tweet search and
// the link previews. Each acts only with a backend and no login pending.

#include "datahandler.h"

#include "zirrup.h"

namespace {
const QString topTweetsAccount = QStringLiteral("toptweets");
} // namespace

void DataHandler::refreshTimelineView()
{
    if (canForward())
        m_timelineView.loadHomeTimelineData();
}

void DataHandler::updateTimelineView(bool silentUpdate)
{
    if (canForward())
        m_timelineView.refreshHomeTimelineData(silentUpdate);
}

void DataHandler::moreTimelineView()
{
    if (canForward())
        m_timelineView.fillHomeTimelineData();
}

void DataHandler::refreshMentionsView()
{
    if (canForward())
        m_timelineView.loadMentionsData();
}

void DataHandler::updateMentionsView(bool silentUpdate)
{
    if (canForward())
        m_timelineView.refreshMentionsData(silentUpdate);
}

void DataHandler::updateMentionsViewSilent()
{
    updateMentionsView(true);
}

void DataHandler::moreMentionsView()
{
    if (canForward())
        m_timelineView.fillMentionsData();
}

void DataHandler::updateRetweetedByMeView()
{
    if (canForward())
        m_timelineView.getRetweetedByMeTweets();
}

void DataHandler::moreRetweetedByMeView()
{
    if (canForward())
        m_timelineView.fillRetweetedByMeTweets();
}

void DataHandler::cleanRetweetsView()
{
    if (canForward())
        m_timelineView.cleanMyRetweets();
}

void DataHandler::updateUserTweets(QString screenName, bool forceUpdate)
{
    if (!canForward() || (!forceUpdate && screenName.toLower() == currentUser()))
        return;
    setCurrentUser(screenName);
    m_timelineView.getUserTweets(screenName);
}

void DataHandler::moreUserTweets(QString screenName)
{
    if (canForward())
        m_timelineView.fillUserTweets(screenName);
}

void DataHandler::cleanTweetsView()
{
    if (canForward())
        m_timelineView.cleanUserTweets();
}

void DataHandler::updateUserFavorites(QString screenName, bool forceUpdate)
{
    if (!canForward() || (!forceUpdate && screenName.toLower() == currentUser()))
        return;
    setCurrentUser(screenName);
    m_timelineView.getUserFavorites(screenName);
}

void DataHandler::moreUserFavorites(QString screenName)
{
    if (canForward())
        m_timelineView.fillUserFavorites(screenName);
}

void DataHandler::cleanFavoritesView()
{
    if (canForward())
        m_timelineView.cleanFavorites();
}

void DataHandler::updateListTweets(QString listId, bool forceUpdate)
{
    if (!canForward() || (!forceUpdate && listId == m_currentListId))
        return;
    setCurrentListId(listId);
    m_timelineView.getListTweets(listId);
}

void DataHandler::moreListTweets(QString listId)
{
    if (canForward())
        m_timelineView.fillListTweets(listId);
}

void DataHandler::updateTopTweets()
{
    if (!canForward())
        return;
    m_profileView.getProfileInfo(topTweetsAccount);
    m_timelineView.getUserTweets(topTweetsAccount);
}

void DataHandler::moreTopTweets()
{
    if (canForward())
        m_timelineView.fillUserTweets(topTweetsAccount);
}

void DataHandler::updateTweetView(QString tweetId)
{
    if (!canForward())
        return;
    setCurrentTweetId(tweetId);
    m_timelineView.getTweetData(tweetId);
}

void DataHandler::favoriteTweet(QString tweetId, bool favorite)
{
    if (canForward())
        m_timelineView.favoriteTweet(tweetId, favorite);
}

void DataHandler::retweetMessage(QString tweetId)
{
    if (!canForward())
        return;
    // The error mapping reports a failed retweet by this id; the adapter patches the rows
    // when it succeeds.
    m_pendingQueryIds.retweet = -1;
    m_backend->retweetStatus({{QStringLiteral("id"), tweetId}}, &m_pendingQueryIds.retweet);
}

void DataHandler::deleteTweet(QString tweetId)
{
    if (canForward())
        m_timelineView.deleteTweet(tweetId);
}

void DataHandler::undoRetweet(QString retweetId, QString tweetId)
{
    if (canForward())
        m_timelineView.undoRetweet(retweetId, tweetId);
}

void DataHandler::searchTweets(QString query, QString latitude, QString longitude)
{
    if (!canForward())
        return;
    setCurrentSearchString(query);
    m_timelineView.searchTweets(query, latitude, longitude);
}

void DataHandler::searchMoreTweets()
{
    if (canForward())
        m_timelineView.searchMoreTweets();
}

void DataHandler::searchTimeline(QString query)
{
    if (!canForward())
        return;
    setCurrentSearchString(query);
    m_timelineView.searchTimeline(query);
}

void DataHandler::cleanSearchResults()
{
    if (!canForward())
        return;
    m_timelineView.cleanTweetSearchResults();
    m_profileView.cleanProfileSearchResults();
}

void DataHandler::updateImagePreview(QString imageUrl)
{
    if (canForward())
        m_timelineView.getTinyUrlImage(imageUrl);
}
