#include "timelineview.h"

#include "datahandler.h"
#include "zirrup.h"
#include "zirrupmodel.h"

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
    int role = Qt::UserRole + 1;
    for (const char *name : names)
        roles.insert(role++, name);
    return roles;
}

QHash<int, QByteArray> TimelineView::pictureRoleNames()
{
    return {
        {Qt::UserRole + 1, "pic_source"},
        {Qt::UserRole + 2, "pic_url"},
        {Qt::UserRole + 3, "role_orientation_portrait"},
        {Qt::UserRole + 4, "role_aspect_ratio"},
    };
}

void TimelineView::publish(const QString &name, const QVariant &value)
{
    if (m_dataHandler)
        m_dataHandler->setContextProperty(name, value);
}

void TimelineView::onFrontendInitialized(DataHandler *dataHandler)
{
    m_dataHandler = dataHandler;

    for (const char *name :
         {"timelineview_is_refreshing", "timelineview_is_loading_more",
          "timelineview_is_catching_up", "mentions_is_refreshing", "tweetsview_is_refreshing",
          "tweetsview_is_loading_more", "tweetsview_following_list", "tweetview_loading",
          "tinyurl_thumb_loading", "tinyurl_preview_loading", "searchview_searching_tweets",
          "searchview_searching_more_tweets", "timelineview_more_tweets_available",
          "timelineview_more_mentions_available", "timelineview_more_retweets_available",
          "tweetsview_more_tweets_available", "searchview_more_tweets_available"})
        publish(QLatin1String(name), false);
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
}

void TimelineView::onBackendCreated(Zr::Zirrup *zirrup)
{
    if (m_backend && m_backend != zirrup)
        disconnect(m_backend, nullptr, this, nullptr);
    m_backend = zirrup;
}
