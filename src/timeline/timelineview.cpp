// The timeline adapter's models, its wiring to the backend, and the handling of failed requests.

#include "timelineview.h"

#include "datahandler.h"
#include "zirrup.h"
#include "zirrupmodel.h"
#include "zrplatformfactory.h"
#include "zrtimelinenotifier.h"

#include <QQuickItem>
#include <QtDebug>

namespace {
// Loading flags and more-available properties, all false until a request raises them.
const char *const flagNames[] = {"timelineview_is_refreshing",
                                 "timelineview_is_loading_more",
                                 "timelineview_is_catching_up",
                                 "mentions_is_refreshing",
                                 "tweetsview_is_refreshing",
                                 "tweetsview_is_loading_more",
                                 "tweetsview_following_list",
                                 "tweetview_loading",
                                 "tinyurl_thumb_loading",
                                 "tinyurl_preview_loading",
                                 "searchview_searching_tweets",
                                 "searchview_searching_more_tweets",
                                 "timelineview_more_tweets_available",
                                 "timelineview_more_mentions_available",
                                 "timelineview_more_retweets_available",
                                 "tweetsview_more_tweets_available",
                                 "searchview_more_tweets_available"};

} // namespace

TimelineView::TimelineView(QObject *parent)
    : QObject(parent)
{ }

QHash<int, QByteArray> TimelineView::tweetRoleNames()
{
    static const char *const names[] = {"desc",
                                        "name",
                                        "place",
                                        "timestamp",
                                        "section_timestamp",
                                        "original_image_url",
                                        "image_url",
                                        "retweeted_name",
                                        "reply_status_id",
                                        "reply_name",
                                        "source",
                                        "tweetid",
                                        "original_tweetid",
                                        "fullname",
                                        "favorited",
                                        "status_text",
                                        "retweeted_by_me_id",
                                        "protected_profile"};
    QHash<int, QByteArray> roles;
    int role = DescRole;
    for (const char *name : names)
        roles.insert(role++, name);
    return roles;
}

QHash<int, QByteArray> TimelineView::pictureRoleNames()
{
    return {
        {PicSourceRole, "pic_source"},
        {PicUrlRole, "pic_url"},
        {OrientationPortraitRole, "role_orientation_portrait"},
        {AspectRatioRole, "role_aspect_ratio"},
    };
}

void TimelineView::publish(const QString &name, const QVariant &value)
{
    if (m_dataHandler)
        m_dataHandler->setContextProperty(name, value);
}

void TimelineView::setFlag(const char *name, bool value)
{
    publish(QLatin1String(name), value);
}

void TimelineView::clearModel(ZirrupModel *model)
{
    if (!model)
        return;
    model->clear();
    model->emitCountChanged();
}

void TimelineView::notifyHomeTimelineChanged()
{
    ZrPlatform::ZrPlatformFactory *factory =
        m_dataHandler ? m_dataHandler->platformFactory() : nullptr;
    if (ZrPlatform::ZrTimelineNotifier *notifier = factory ? factory->timelineNotifier() : nullptr)
        notifier->homeTimelineChanged();
}

QObject *TimelineView::detailPage(const QString &tweetId) const
{
    if (!m_dataHandler || tweetId.isEmpty())
        return nullptr;
    return m_dataHandler->findViewItem(QStringLiteral("TweetView_") + tweetId);
}

void TimelineView::onFrontendInitialized(DataHandler *dataHandler)
{
    m_dataHandler = dataHandler;

    for (const char *name : flagNames)
        setFlag(name, false);
    for (const char *name :
         {"tinyUrlPreview", "tweetview_profile_name", "tweetview_profile_avatar"})
        publish(QLatin1String(name), QString());

    const QHash<int, QByteArray> tweetRoles = tweetRoleNames();
    const QHash<int, QByteArray> pictureRoles = pictureRoleNames();
    const struct
    {
        ZirrupModel *&model;
        const QHash<int, QByteArray> &roles;
        const char *name;
    } models[] = {
        {m_timelineModel, tweetRoles, "myTimelineModel"},
        {m_mentionsModel, tweetRoles, "myMentionsModel"},
        {m_retweetedModel, tweetRoles, "myRetweetedModel"},
        {m_tweetsModel, tweetRoles, "myTweetsModel"},
        {m_favoritesModel, tweetRoles, "myFavoritesModel"},
        {m_tweetSearchModel, tweetRoles, "myTweetSearchModel"},
        {m_thumbModel, pictureRoles, "tweetThumbModel"},
        {m_uploadModel, pictureRoles, "tweetImageUploadModel"},
    };
    for (const auto &entry : models) {
        ZirrupModel::createOrClear(entry.model, entry.roles, this);
        publish(QLatin1String(entry.name), QVariant::fromValue<QObject *>(entry.model));
    }
    m_recentModels.clear();
    m_thumbUrls.clear();
    m_thumbQueryIds.clear();
    // Quietly: a cleanup resets the pages right after the saved tweet id was stored, and
    // catching up with it starts only when the window comes back.
    m_catchingUp = false;
}

void TimelineView::onBackendCreated(Zr::Zirrup *zirrup)
{
    if (m_backend == zirrup)
        return;
    if (m_backend)
        disconnect(m_backend, nullptr, this, nullptr);
    dropOutstandingRequests();
    const QString account = m_dataHandler ? m_dataHandler->authenticatedUser() : QString();
    if (!account.isEmpty() && account != m_account) {
        dropAccountData();
        m_account = account;
    }
    m_backend = zirrup;
    if (!zirrup)
        return;

    connect(zirrup, &Zr::Zirrup::timelineUpdated, this, &TimelineView::onTimelineUpdated);
    connect(zirrup, &Zr::Zirrup::statusUpdated, this, &TimelineView::onStatusUpdated);
    connect(zirrup, &Zr::Zirrup::statusRetweeted, this, &TimelineView::onStatusRetweeted);
    connect(zirrup, &Zr::Zirrup::favoritesUpdated, this, &TimelineView::onFavoritesUpdated);
    connect(zirrup, &Zr::Zirrup::listCompleted, this, &TimelineView::onListCompleted);
    connect(zirrup, &Zr::Zirrup::searchCompleted, this, &TimelineView::onSearchCompleted);
    connect(
        zirrup, &Zr::Zirrup::tinyUrlImageLoaded, this,
        [this](const QString &fileUrl, int queryId) { onTinyUrlThumbLoaded(fileUrl, queryId); });
    // Thumbnails and the full-size preview arrive through the same signal; each takes only
    // its own ids.
    connect(zirrup, &Zr::Zirrup::tinyUrlImageLoaded, this, &TimelineView::onTinyUrlImageLoaded);
    connect(zirrup, &Zr::Zirrup::streamObject, this, &TimelineView::onStreamObject);
    connect(zirrup, &Zr::Zirrup::networkRequestError, this, &TimelineView::onNetworkRequestError);
    connect(zirrup, &Zr::Zirrup::errorCritical, this, &TimelineView::onErrorCritical);
    connect(zirrup, &Zr::Zirrup::errorError, this, &TimelineView::onErrorError);
    connect(zirrup, &Zr::Zirrup::errorWarning, this, &TimelineView::onErrorWarning);
}

void TimelineView::dropAccountData()
{
    for (ZirrupModel *model :
         {m_timelineModel, m_mentionsModel, m_retweetedModel, m_tweetsModel, m_favoritesModel})
        clearModel(model);
    m_recentModels.clear();
    for (QString *id : {&m_homeMaxId, &m_mentionsMaxId, &m_retweetsMaxId, &m_tweetsMaxId})
        *id = QStringLiteral("0");
    m_favoritesPage = 1;
    for (const char *name :
         {"timelineview_more_tweets_available", "timelineview_more_mentions_available",
          "timelineview_more_retweets_available", "tweetsview_more_tweets_available",
          "tweetsview_following_list"})
        setFlag(name, false);
}

void TimelineView::dropOutstandingRequests()
{
    for (int *id :
         {&m_homeQueryId, &m_mentionsQueryId, &m_moreQueryId, &m_homeRefreshQueryId,
          &m_mentionsRefreshQueryId, &m_tweetQueryId, &m_previewQueryId, &m_tweetsQueryId,
          &m_tweetsMoreQueryId, &m_searchQueryId, &m_favoriteQueryId, &m_undoRetweetQueryId})
        *id = -1;
    m_thumbUrls.clear();
    m_thumbQueryIds.clear();
    // "mentions_is_refreshing" also stands for the first mentions of a session (the controller
    // raises it), so it is left to the next mentions answer.
    for (const char *name :
         {"timelineview_is_refreshing", "timelineview_is_loading_more", "tweetsview_is_refreshing",
          "tweetsview_is_loading_more", "tweetview_loading", "tinyurl_thumb_loading",
          "tinyurl_preview_loading", "searchview_searching_tweets",
          "searchview_searching_more_tweets"})
        setFlag(name, false);
    if (m_catchingUp)
        setCatchingUp(false);
}

void TimelineView::onNetworkRequestError(int queryId, QVariantMap err)
{
    Q_UNUSED(err)
    qDebug() << "void TimelineView::onNetworkRequestError(int, QVariantMap)" << queryId;
    if (queryId == -1)
        return;

    if (queryId == m_tweetsQueryId || queryId == m_tweetsMoreQueryId) {
        setFlag("tweetsview_is_refreshing", false);
        setFlag("tweetsview_is_loading_more", false);
        if (m_dataHandler)
            m_dataHandler->showErrorNotice(qtTrId("qtn_zirrup_error_retrieve_tweets"), true);
    }
    if (queryId == m_moreQueryId || queryId == m_homeQueryId || queryId == m_homeRefreshQueryId
        || queryId == m_mentionsRefreshQueryId) {
        setFlag("timelineview_is_refreshing", false);
        setFlag("timelineview_is_loading_more", false);
        if (m_dataHandler)
            m_dataHandler->showErrorNotice(qtTrId("qtn_zirrup_error_retrieve_tweets"), true);
        // Only a catch-up in progress ends here: the saved tweet id must survive errors that
        // come before the return to the front starts it.
        if (m_catchingUp)
            setCatchingUp(false);
    }
    if (queryId == m_mentionsQueryId || queryId == m_mentionsRefreshQueryId)
        setFlag("mentions_is_refreshing", false);
    if (queryId == m_searchQueryId) {
        setFlag("searchview_searching_tweets", false);
        setFlag("searchview_searching_more_tweets", false);
        setFlag("searchview_more_tweets_available", false);
        if (m_dataHandler)
            m_dataHandler->showErrorNotice(qtTrId("qtn_zirrup_error_search"), true);
    }
    if (queryId == m_favoriteQueryId && m_dataHandler)
        m_dataHandler->showErrorNotice(qtTrId("qtn_zirrup_error_change_favorited_status"), true);
    if (queryId == m_tweetQueryId)
        setFlag("tweetview_loading", false);
    const int thumb = m_thumbQueryIds.indexOf(queryId);
    if (thumb >= 0) {
        m_thumbQueryIds.removeAt(thumb);
        m_thumbUrls.removeAt(thumb);
        if (m_thumbQueryIds.isEmpty())
            setFlag("tinyurl_thumb_loading", false);
    }
    if (queryId == m_previewQueryId)
        setFlag("tinyurl_preview_loading", false);
}

void TimelineView::onErrorCritical(int queryId)
{
    qDebug() << "void TimelineView::onErrorCritical(int)" << queryId;
}

void TimelineView::onErrorError(int queryId)
{
    qDebug() << "void TimelineView::onErrorError(int)" << queryId;
}

void TimelineView::onErrorWarning(int queryId)
{
    qDebug() << "void TimelineView::onErrorWarning(int)" << queryId;
}
