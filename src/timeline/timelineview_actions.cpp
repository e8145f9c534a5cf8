// Favourite, retweet, undo and delete, with the patches of every row and of the open detail
// page, and the data of the tweet shown in detail.

#include "timelineview.h"

#include "datahandler.h"
#include "zirrupmodel.h"

#include <QStandardItem>

namespace {
const QString trueText = QStringLiteral("true");

TweetRecord recordFromRow(const QStandardItem *item)
{
    TweetRecord tweet;
    tweet.desc = item->data(TimelineView::DescRole).toString();
    tweet.name = item->data(TimelineView::NameRole).toString();
    tweet.place = item->data(TimelineView::PlaceRole).toString();
    tweet.timestamp = item->data(TimelineView::TimestampRole).toString();
    tweet.originalImageUrl = item->data(TimelineView::OriginalImageUrlRole).toString();
    tweet.imageUrl = item->data(TimelineView::ImageUrlRole).toString();
    tweet.retweetedName = item->data(TimelineView::RetweetedNameRole).toString();
    tweet.replyStatusId = item->data(TimelineView::ReplyStatusIdRole).toString();
    tweet.replyName = item->data(TimelineView::ReplyNameRole).toString();
    tweet.source = item->data(TimelineView::SourceRole).toString();
    tweet.tweetId = item->data(TimelineView::TweetIdRole).toString();
    tweet.originalTweetId = item->data(TimelineView::OriginalTweetIdRole).toString();
    tweet.fullName = item->data(TimelineView::FullNameRole).toString();
    tweet.favorited = item->data(TimelineView::FavoritedRole).toBool();
    tweet.statusText = item->data(TimelineView::StatusTextRole).toString();
    tweet.retweetedByMeId = item->data(TimelineView::RetweetedByMeIdRole).toString();
    tweet.protectedProfile = item->data(TimelineView::ProtectedProfileRole).toBool();
    return tweet;
}

void setRole(QStandardItem *item, const QVariant &value, int role)
{
    if (item->data(role) != value)
        item->setData(value, role);
}
} // namespace

template<typename Visit> void TimelineView::forEachTweetRow(Visit visit)
{
    for (ZirrupModel *model : std::as_const(m_recentModels)) {
        const int rows = model->rowCount();
        for (int row = 0; row < rows; ++row)
            visit(model->item(row));
    }
}

void TimelineView::favoriteTweet(QString tweetId, bool favorite)
{
    if (!m_backend)
        return;
    m_favoriteQueryId = -1;
    const Zr::ArgMap args {{QStringLiteral("id"), tweetId},
                           {QStringLiteral("include_entities"), trueText}};
    if (favorite)
        m_backend->createFavorite(args, &m_favoriteQueryId);
    else
        m_backend->destroyFavorite(args, &m_favoriteQueryId);
}

void TimelineView::undoRetweet(QString retweetId, QString tweetId)
{
    if (!m_backend)
        return;
    m_undoRetweetQueryId = -1;
    m_backend->deleteStatus(
        {{QStringLiteral("id"), retweetId}, {QStringLiteral("supl_id"), tweetId}},
        &m_undoRetweetQueryId);
}

void TimelineView::deleteTweet(QString tweetId)
{
    if (!m_backend)
        return;
    int queryId = -1;
    m_backend->deleteStatus({{QStringLiteral("id"), tweetId}}, &queryId);
}

void TimelineView::getTweetData(QString tweetId)
{
    clearModel(m_thumbModel);
    m_thumbUrls.clear();
    m_thumbQueryIds.clear();
    // The forgotten requests will not lower it.
    setFlag("tinyurl_thumb_loading", false);
    m_tweetQueryId = -1;
    if (!m_backend)
        return;

    QVariantList cached;
    const Zr::ArgMap args {{QStringLiteral("id"), tweetId},
                           {QStringLiteral("include_entities"), trueText},
                           {QStringLiteral("include_my_retweet"), trueText}};
    if (m_backend->retrieveStatus(&cached, args, &m_tweetQueryId) == Zr::RequestSent)
        setFlag("tweetview_loading", true);
    if (!cached.isEmpty()) {
        onStatusUpdated(cached, -1);
        return;
    }

    const QStandardItem *shown = nullptr;
    forEachTweetRow([&](const QStandardItem *item) {
        if (!shown && item->data(TweetIdRole).toString() == tweetId)
            shown = item;
    });
    if (!shown)
        return;
    TweetRecord tweet = recordFromRow(shown);
    tweet.imageUrl = m_dataHandler->getProfileImage(tweet.name, tweet.originalImageUrl, false,
                                                    ProfileView::ImageSizeBigger);
    if (QObject *page = detailPage(tweetId))
        fillDetailPage(page, tweet);
    requestImageThumbnails(tweet.desc);
}

void TimelineView::fillDetailPage(QObject *page, const TweetRecord &tweet)
{
    page->setProperty("tweet_desc", tweet.desc);
    page->setProperty("tweet_name", tweet.name);
    page->setProperty("tweet_place", tweet.place);
    page->setProperty("tweet_timestamp", tweet.timestamp);
    page->setProperty("tweet_image_url", tweet.imageUrl);
    page->setProperty("tweet_retweeted_name", tweet.retweetedName);
    // Without it a tweet the user has retweeted would offer to be retweeted again.
    page->setProperty("tweet_retweeted_by_me_id", tweet.retweetedByMeId);
    page->setProperty("tweet_reply_status_id", tweet.replyStatusId);
    page->setProperty("tweet_reply_name", tweet.replyName);
    page->setProperty("tweet_source", tweet.source);
    page->setProperty("tweet_tweetid", tweet.tweetId);
    page->setProperty("tweet_firstname", tweet.fullName);
    page->setProperty("tweet_favorited", tweet.favorited);
    page->setProperty("tweet_original_status", tweet.statusText);
    page->setProperty("tweet_protected_profile", tweet.protectedProfile);
}

void TimelineView::onStatusUpdated(QVariantList data, int queryId)
{
    if (queryId != -1 && queryId != m_tweetQueryId)
        return;
    if (holds(m_tweetQueryId, queryId))
        setFlag("tweetview_loading", false);
    if (data.isEmpty() || !m_dataHandler)
        return;

    TweetRecord tweet;
    mapStatus(data.constFirst().toMap(), tweet, true);
    if (m_dataHandler->currentTweetId() != tweet.tweetId)
        return;
    QObject *page = detailPage(tweet.tweetId);
    if (!page)
        return;
    fillDetailPage(page, tweet);
    requestImageThumbnails(tweet.desc);
}

void TimelineView::onStatusRetweeted(QVariantList data, QMap<QString, QString> queryArgs,
                                     int queryId)
{
    Q_UNUSED(queryId)
    const QString originalId = queryArgs.value(QStringLiteral("id"));
    const QVariantMap retweet = data.value(0).toMap();
    QString retweetId = retweet.value(QStringLiteral("id_str")).toString();
    if (retweetId.isEmpty())
        retweetId = statusId(retweet);
    if (originalId.isEmpty() || retweetId.isEmpty() || !m_dataHandler)
        return;

    if (m_dataHandler->currentTweetId() == originalId) {
        if (QObject *page = detailPage(originalId))
            page->setProperty("tweet_retweeted_by_me_id", retweetId);
    }
    forEachTweetRow([&](QStandardItem *item) {
        if (item->data(OriginalTweetIdRole).toString() == originalId)
            setRole(item, retweetId, RetweetedByMeIdRole);
    });
}

void TimelineView::onTweetFavoritedUpdated(QVariantList data, int queryId)
{
    Q_UNUSED(queryId)
    const QVariantMap tweet = data.value(0).toMap();
    const QString id = statusId(tweet);
    if (id.isEmpty() || !m_dataHandler)
        return;
    const bool favorited = tweet.value(QStringLiteral("favorited")).toBool();

    forEachTweetRow([&](QStandardItem *item) {
        if (item->data(OriginalTweetIdRole).toString() == id)
            setRole(item, favorited, FavoritedRole);
    });
    // The page of a tweet that no list shows is patched as well.
    if (QObject *page = detailPage(id))
        page->setProperty("tweet_favorited", favorited);

    const QString me = m_dataHandler->authenticatedUser();
    if (m_recentModels.contains(m_favoritesModel) && !me.isEmpty()
        && m_dataHandler->currentUser() == me) {
        m_dataHandler->updateProfileView(me);
        m_dataHandler->updateUserFavorites(me, true);
    }
}

void TimelineView::onStatusDeleted(QMap<QString, QString> args, int queryId)
{
    Q_UNUSED(queryId)
    const QString id = args.value(QStringLiteral("id"));
    if (id.isEmpty())
        return;

    // An undone retweet: the tweet is no longer retweeted by the user.
    forEachTweetRow([&](QStandardItem *item) {
        if (item->data(RetweetedByMeIdRole).toString() != id)
            return;
        item->setData(QString(), RetweetedByMeIdRole);
        if (QObject *page = detailPage(item->data(OriginalTweetIdRole).toString()))
            page->setProperty("tweet_retweeted_by_me_id", QString());
    });

    // A deleted tweet (or the user's retweet) leaves every list. Rows after a removed one move
    // up, so the walk stays at the same index: adjacent copies all go.
    for (ZirrupModel *model : std::as_const(m_recentModels)) {
        bool removed = false;
        for (int row = 0; row < model->rowCount();) {
            if (model->item(row)->data(TweetIdRole).toString() == id) {
                model->removeRow(row);
                removed = true;
            } else {
                ++row;
            }
        }
        if (removed)
            model->emitCountChanged();
    }
}

void TimelineView::onImageLoadCompleted(QString screenName, ProfileView::ProfileImageSize size,
                                        QString imageUrl)
{
    if (size != ProfileView::ImageSizeBigger)
        return;
    publish(QStringLiteral("tweetview_profile_name"), screenName);
    publish(QStringLiteral("tweetview_profile_avatar"), imageUrl);
    forEachTweetRow([&](QStandardItem *item) {
        if (item->data(NameRole).toString() == screenName)
            setRole(item, imageUrl, ImageUrlRole);
    });
}
