// Requests for every tweet list, paging, and the routing of completed pages to their lists.

#include "timelineview.h"

#include "datahandler.h"
#include "zirrupmodel.h"

namespace {
const QString trueText = QStringLiteral("true");
const QString pageSizeText = QString::number(TimelineView::pageSize);

// "count", "include_entities" and "include_my_retweet": the part every timeline page shares.
Zr::ArgMap pageArgs()
{
    return {{QStringLiteral("count"), pageSizeText},
            {QStringLiteral("include_entities"), trueText},
            {QStringLiteral("include_my_retweet"), trueText}};
}

Zr::ArgMap listArgs(const QString &listId)
{
    return {{QStringLiteral("list_id"), listId},
            {QStringLiteral("include_rts"), trueText},
            {QStringLiteral("per_page"), pageSizeText},
            {QStringLiteral("include_entities"), trueText},
            {QStringLiteral("include_my_retweet"), trueText}};
}

Zr::ArgMap userArgs(const QString &screenName)
{
    Zr::ArgMap args = pageArgs();
    args.insert(QStringLiteral("screen_name"), screenName.toLower());
    args.insert(QStringLiteral("include_rts"), trueText);
    return args;
}

Zr::ArgMap favoritesArgs(const QString &screenName, int page)
{
    return {{QStringLiteral("screen_name"), screenName.toLower()},
            {QStringLiteral("include_entities"), trueText},
            {QStringLiteral("include_my_retweet"), trueText},
            {QStringLiteral("page"), QString::number(page)}};
}

Zr::ArgMap withArg(Zr::ArgMap args, const QString &key, const QString &value)
{
    args.insert(key, value);
    return args;
}
} // namespace

bool TimelineView::requestTimeline(TimelineType::TimelineType type, const Zr::ArgMap &args,
                                   int &queryId, ZirrupModel *cacheModel, const char *flag)
{
    if (!m_backend)
        return false;
    QVariantList cache;
    queryId = -1;
    const int result = m_backend->retrieveTimelineResources(cacheModel ? &cache : nullptr, &queryId,
                                                            type, args, Zr::CacheThenNetwork);
    if (result != Zr::RequestSent)
        return false;
    if (queryId != -1 && flag)
        setFlag(flag, true);
    if (cacheModel && cacheModel->rowCount() == 0)
        onTimelineUpdated(type, cache, -1);
    return queryId != -1;
}

bool TimelineView::requestFavorites(const Zr::ArgMap &args, int &queryId, bool withCache,
                                    const char *flag)
{
    if (!m_backend)
        return false;
    QVariantList cache;
    queryId = -1;
    const int result = m_backend->retrieveFavorites(withCache ? &cache : nullptr, &queryId, args,
                                                    Zr::CacheThenNetwork);
    if (result != Zr::RequestSent)
        return false;
    if (queryId != -1)
        setFlag(flag, true);
    if (withCache && m_favoritesModel->rowCount() == 0)
        onFavoritesUpdated(cache, -1);
    return queryId != -1;
}

bool TimelineView::requestList(const Zr::ArgMap &args, int &queryId, const char *flag)
{
    if (!m_backend)
        return false;
    queryId = -1;
    const int result = m_backend->retrieveList(ListType::Statuses, args, &queryId);
    if (result != Zr::RequestSent)
        return false;
    if (queryId != -1)
        setFlag(flag, true);
    return queryId != -1;
}

void TimelineView::loadHomeTimelineData()
{
    m_homeMaxId = QStringLiteral("0");
    setFlag("timelineview_more_tweets_available", false);
    requestTimeline(TimelineType::Home, pageArgs(), m_homeQueryId, m_timelineModel,
                    "timelineview_is_refreshing");
}

void TimelineView::refreshHomeTimelineData(bool silentUpdate)
{
    if (!m_timelineModel || m_timelineModel->rowCount() == 0) {
        loadHomeTimelineData();
        return;
    }
    const QString newest = m_timelineModel->item(0)->data(TweetIdRole).toString();
    requestTimeline(TimelineType::Home, withArg(pageArgs(), QStringLiteral("since_id"), newest),
                    m_homeRefreshQueryId, nullptr,
                    silentUpdate ? nullptr : "timelineview_is_refreshing");
}

void TimelineView::fillHomeTimelineData()
{
    sendFillHome();
}

bool TimelineView::sendFillHome()
{
    return requestTimeline(TimelineType::Home,
                           withArg(pageArgs(), QStringLiteral("max_id"), m_homeMaxId),
                           m_moreQueryId, nullptr, "timelineview_is_loading_more");
}

void TimelineView::loadMentionsData(bool silentUpdate)
{
    m_mentionsMaxId = QStringLiteral("0");
    setFlag("timelineview_more_mentions_available", false);
    requestTimeline(TimelineType::Mentions, pageArgs(), m_mentionsQueryId, m_mentionsModel,
                    silentUpdate ? nullptr : "mentions_is_refreshing");
}

void TimelineView::refreshMentionsData(bool silentUpdate)
{
    if (!m_mentionsModel || m_mentionsModel->rowCount() == 0) {
        loadMentionsData(silentUpdate);
        return;
    }
    const QString newest = m_mentionsModel->item(0)->data(TweetIdRole).toString();
    requestTimeline(TimelineType::Mentions, withArg(pageArgs(), QStringLiteral("since_id"), newest),
                    m_mentionsRefreshQueryId, nullptr,
                    silentUpdate ? nullptr : "mentions_is_refreshing");
}

void TimelineView::fillMentionsData()
{
    requestTimeline(TimelineType::Mentions,
                    withArg(pageArgs(), QStringLiteral("max_id"), m_mentionsMaxId), m_moreQueryId,
                    nullptr, "timelineview_is_loading_more");
}

void TimelineView::getRetweetedByMeTweets()
{
    m_retweetsMaxId = QStringLiteral("0");
    setFlag("timelineview_more_retweets_available", false);
    requestTimeline(TimelineType::RetweetedByMe, pageArgs(), m_homeQueryId, m_retweetedModel,
                    "timelineview_is_refreshing");
}

void TimelineView::fillRetweetedByMeTweets()
{
    requestTimeline(TimelineType::RetweetedByMe,
                    withArg(pageArgs(), QStringLiteral("max_id"), m_retweetsMaxId), m_moreQueryId,
                    nullptr, "timelineview_is_loading_more");
}

void TimelineView::getUserTweets(QString screenName)
{
    m_tweetsMaxId = QStringLiteral("0");
    clearModel(m_tweetsModel);
    setFlag("tweetsview_more_tweets_available", false);
    requestTimeline(TimelineType::User, userArgs(screenName), m_tweetsQueryId, m_tweetsModel,
                    "tweetsview_is_refreshing");
}

void TimelineView::fillUserTweets(QString screenName)
{
    requestTimeline(TimelineType::User,
                    withArg(userArgs(screenName), QStringLiteral("max_id"), m_tweetsMaxId),
                    m_tweetsMoreQueryId, nullptr, "tweetsview_is_loading_more");
}

void TimelineView::getUserFavorites(QString screenName)
{
    m_favoritesPage = 1;
    clearModel(m_favoritesModel);
    setFlag("tweetsview_more_tweets_available", false);
    requestFavorites(favoritesArgs(screenName, m_favoritesPage), m_tweetsQueryId, true,
                     "tweetsview_is_refreshing");
}

void TimelineView::fillUserFavorites(QString screenName)
{
    requestFavorites(favoritesArgs(screenName, m_favoritesPage), m_tweetsMoreQueryId, false,
                     "tweetsview_is_loading_more");
}

void TimelineView::getListTweets(QString listId)
{
    m_tweetsMaxId = QStringLiteral("0");
    clearModel(m_tweetsModel);
    setFlag("tweetsview_more_tweets_available", false);
    setFlag("tweetsview_following_list", true);
    requestList(listArgs(listId), m_tweetsQueryId, "tweetsview_is_refreshing");
}

void TimelineView::fillListTweets(QString listId)
{
    requestList(withArg(listArgs(listId), QStringLiteral("max_id"), m_tweetsMaxId),
                m_tweetsMoreQueryId, "tweetsview_is_loading_more");
}

void TimelineView::cleanMyRetweets()
{
    clearModel(m_retweetedModel);
}

void TimelineView::cleanUserTweets()
{
    clearModel(m_tweetsModel);
}

void TimelineView::cleanFavorites()
{
    clearModel(m_favoritesModel);
}

void TimelineView::setMoreAvailable(const char *name, int records, bool cached)
{
    if (records < 2)
        setFlag(name, false);
    else if (!cached)
        setFlag(name, true);
}

void TimelineView::showCachedHome(const QVariantList &records)
{
    if (!records.isEmpty() && m_timelineModel->rowCount() == 0)
        onTimelineUpdated(TimelineType::Home, records, -1);
}

void TimelineView::onTimelineUpdated(TimelineType::TimelineType type, QVariantList data,
                                     int queryId)
{
    if (m_dataHandler)
        m_dataHandler->postLastIdUpdate(data);

    // Cached records come with -1 while the network request that delivered them is still
    // outstanding: its flags stay up.
    const bool cached = queryId == -1;
    if (holds(m_moreQueryId, queryId) || holds(m_homeQueryId, queryId)
        || holds(m_homeRefreshQueryId, queryId) || holds(m_mentionsRefreshQueryId, queryId)) {
        setFlag("timelineview_is_refreshing", false);
        setFlag("timelineview_is_loading_more", false);
    }
    if (holds(m_mentionsQueryId, queryId) || holds(m_mentionsRefreshQueryId, queryId))
        setFlag("mentions_is_refreshing", false);
    if (holds(m_tweetsQueryId, queryId) || holds(m_tweetsMoreQueryId, queryId)) {
        setFlag("tweetsview_is_refreshing", false);
        setFlag("tweetsview_is_loading_more", false);
    }

    switch (type) {
    case TimelineType::Home: {
        const bool first = holds(m_homeQueryId, queryId);
        const bool newer = holds(m_homeRefreshQueryId, queryId);
        if (!cached && !first && !newer && !holds(m_moreQueryId, queryId))
            return;
        if (!data.isEmpty() && (first || newer))
            notifyHomeTimelineChanged();
        if (first)
            clearModel(m_timelineModel);
        if (newer) {
            if (!data.isEmpty() && m_dataHandler)
                m_dataHandler->emitNewTweets();
        } else {
            setMoreAvailable("timelineview_more_tweets_available", data.size(), cached);
        }
        onStatusesUpdated(HomeView, data, cached, newer);
        break;
    }
    case TimelineType::Mentions: {
        const bool first = holds(m_mentionsQueryId, queryId);
        const bool newer = holds(m_mentionsRefreshQueryId, queryId);
        if (!cached && !first && !newer && !holds(m_moreQueryId, queryId))
            return;
        if (m_mentionsMaxId == QLatin1String("0") && m_backend && m_dataHandler)
            m_backend->updateResfreshTime(2, m_dataHandler->currentUser());
        if (first)
            clearModel(m_mentionsModel);
        if (newer) {
            if (!data.isEmpty() && m_dataHandler)
                m_dataHandler->emitNewMentions();
        } else {
            setMoreAvailable("timelineview_more_mentions_available", data.size(), cached);
        }
        onStatusesUpdated(MentionsView, data, cached, newer);
        break;
    }
    case TimelineType::RetweetedByMe:
        if (!cached && !holds(m_homeQueryId, queryId) && !holds(m_moreQueryId, queryId))
            return;
        if (holds(m_homeQueryId, queryId))
            clearModel(m_retweetedModel);
        setMoreAvailable("timelineview_more_retweets_available", data.size(), cached);
        onStatusesUpdated(RetweetedByMeView, data, cached);
        break;
    case TimelineType::User:
        if (!cached && !holds(m_tweetsQueryId, queryId) && !holds(m_tweetsMoreQueryId, queryId))
            return;
        if (m_tweetsMaxId == QLatin1String("0") && m_backend && m_dataHandler)
            m_backend->updateResfreshTime(3, m_dataHandler->currentUser());
        if (holds(m_tweetsQueryId, queryId))
            clearModel(m_tweetsModel);
        setMoreAvailable("tweetsview_more_tweets_available", data.size(), cached);
        onStatusesUpdated(TweetsView, data, cached);
        break;
    case TimelineType::Search:
        setMoreAvailable("searchview_more_tweets_available", data.size(), cached);
        onStatusesUpdated(SearchView, data, cached);
        break;
    default:
        break;
    }
}

void TimelineView::onListCompleted(ListType::ListType type, QVariantList data, int queryId)
{
    if (type != ListType::Statuses
        || !(holds(m_tweetsQueryId, queryId) || holds(m_tweetsMoreQueryId, queryId)))
        return;
    onTimelineUpdated(TimelineType::User, data, queryId);
}

void TimelineView::onFavoritesUpdated(QVariantList data, int queryId)
{
    const bool cached = queryId == -1;
    const bool first = holds(m_tweetsQueryId, queryId);
    if (!cached && !first && !holds(m_tweetsMoreQueryId, queryId))
        return;

    // Only pages from the service count: a cached first page advancing the page number would
    // make the next request skip a page of favourites.
    bool more = false;
    if (!cached) {
        if (!data.isEmpty()) {
            ++m_favoritesPage;
            more = true;
        }
        setFlag("tweetsview_is_refreshing", false);
        setFlag("tweetsview_is_loading_more", false);
        if (m_favoritesPage <= 2) {
            if (m_backend && m_dataHandler)
                m_backend->updateResfreshTime(4, m_dataHandler->currentUser());
            if (first)
                clearModel(m_favoritesModel);
        }
    }
    onStatusesUpdated(FavoritesView, data, cached);
    setFlag("tweetsview_more_tweets_available", more);
}
