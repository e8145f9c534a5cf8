// Pages of statuses into the tweet models, section headings, catching up with the tweet the
// user was reading, and the objects of the live stream.

#include "timelineview.h"

#include "datahandler.h"
#include "zirrupmodel.h"

#include <QStandardItem>

ZirrupModel *TimelineView::modelFor(View view) const
{
    switch (view) {
    case HomeView:
        return m_timelineModel;
    case MentionsView:
        return m_mentionsModel;
    case TweetsView:
        return m_tweetsModel;
    case FavoritesView:
        return m_favoritesModel;
    case SearchView:
        return m_tweetSearchModel;
    case RetweetedByMeView:
        return m_retweetedModel;
    }
    return nullptr;
}

QString *TimelineView::maxIdFor(View view)
{
    switch (view) {
    case HomeView:
        return &m_homeMaxId;
    case MentionsView:
        return &m_mentionsMaxId;
    case TweetsView:
        return &m_tweetsMaxId;
    case SearchView:
        return &m_searchMaxId;
    case RetweetedByMeView:
        return &m_retweetsMaxId;
    case FavoritesView:
        break;
    }
    return nullptr;
}

void TimelineView::touchRecentModel(ZirrupModel *model)
{
    m_recentModels.removeOne(model);
    m_recentModels.prepend(model);
}

void TimelineView::onStatusesUpdated(View view, QVariantList data, bool cached, bool prepend,
                                     QString filter)
{
    ZirrupModel *model = modelFor(view);
    if (!model || !m_dataHandler)
        return;
    touchRecentModel(model);

    const bool catchUp = view == HomeView && m_catchingUp;
    // A page of the service's paging, as opposed to cached records or newer tweets.
    const bool paged = !cached && !prepend;
    if (data.isEmpty()) {
        if (catchUp)
            checkCatchUp(cached, paged);
        return;
    }

    // The oldest record of a page is the next page's max_id and comes back as that page's
    // first record, so it is held back here. Cached records and newer tweets set no max_id and
    // keep all their records: nothing would bring a held-back one back.
    const bool holdBackOldest = paged && data.size() > 1 && view != FavoritesView;
    if (paged) {
        if (QString *maxId = maxIdFor(view))
            *maxId = statusId(data.constLast().toMap());
    }

    QList<QStandardItem *> items;
    items.reserve(data.size());
    const int count = holdBackOldest ? data.size() - 1 : data.size();
    for (int i = 0; i < count; ++i) {
        TweetRecord tweet;
        mapStatus(data.at(i).toMap(), tweet, false);
        if (!prepend) {
            if (tweet.name.isEmpty())
                continue;
            if (!filter.isEmpty() && !tweet.name.contains(filter)
                && !tweet.fullName.contains(filter) && !tweet.statusText.contains(filter))
                continue;
        }
        items.append(createTweetItem(tweet));
    }
    if (!items.isEmpty()) {
        // One insertion for the whole page; newer tweets go on top in the order delivered.
        // A cleared model has no column, and inserting rows would add it in the middle of the
        // insertion.
        if (model->columnCount() == 0)
            model->setColumnCount(1);
        model->invisibleRootItem()->insertRows(prepend ? 0 : model->rowCount(), items);
        model->emitCountChanged();
    }

    if (catchUp)
        checkCatchUp(cached, paged && data.size() < 2);
}

void TimelineView::checkCatchUp(bool cached, bool endOfTimeline)
{
    const QString savedId = m_dataHandler->currentVisibleTweetId();
    const int rows = m_timelineModel->rowCount();
    int found = -1;
    if (!savedId.isEmpty()) {
        for (int row = 0; row < rows; ++row) {
            if (m_timelineModel->item(row)->data(TweetIdRole).toString() == savedId) {
                found = row;
                break;
            }
        }
    }

    if (found < 0 && rows < catchUpRowLimit) {
        // A page of fewer than two records was the last: nothing older is left to look
        // through, and asking again would fetch the same record for ever.
        if (endOfTimeline) {
            setCatchingUp(false);
            return;
        }
        // Cached records come before the answer of the same request, which runs this again.
        if (cached)
            return;
        // Without a page to continue from, start from the newest.
        if (m_homeMaxId == QLatin1String("0")) {
            loadHomeTimelineData();
            if (m_homeQueryId == -1)
                setCatchingUp(false);
        } else if (!sendFillHome()) {
            setCatchingUp(false);
        }
        return;
    }

    if (found >= 0)
        m_dataHandler->restoreListPosition(found);
    setCatchingUp(false);
}

void TimelineView::setCatchingUp(bool catchUp)
{
    m_catchingUp = catchUp;
    setFlag("timelineview_is_catching_up", catchUp);
    if (!catchUp && m_dataHandler)
        m_dataHandler->setCurrentVisibleTweetId(QString());
}

bool TimelineView::isCatchingUp()
{
    return m_catchingUp;
}

void TimelineView::updateSectionData()
{
    if (!m_dataHandler)
        return;
    for (ZirrupModel *model : std::as_const(m_recentModels)) {
        const int rows = model->rowCount();
        for (int row = 0; row < rows; ++row) {
            QStandardItem *item = model->item(row);
            const QString section =
                m_dataHandler->createSectionTimeString(item->data(TimestampRole).toString());
            // Unchanged headings send no change to the views.
            if (item->data(SectionTimestampRole).toString() != section)
                item->setData(section, SectionTimestampRole);
        }
    }
}

void TimelineView::onStreamObject(StreamObjectType::StreamObjectType type, QVariantList data)
{
    if (!m_dataHandler || data.isEmpty())
        return;
    const QVariantMap object = data.constFirst().toMap();

    switch (type) {
    case StreamObjectType::HomeStatus:
    case StreamObjectType::Mention: {
        const bool home = type == StreamObjectType::HomeStatus;
        ZirrupModel *model = home ? m_timelineModel : m_mentionsModel;
        const QVariantMap original = object.value(QStringLiteral("retweeted_status")).toMap();
        if (!original.isEmpty()) {
            const QString originalId = statusId(original);
            for (int row = 0; row < model->rowCount(); ++row) {
                if (model->item(row)->data(OriginalTweetIdRole).toString() == originalId)
                    return;
            }
        }
        onStatusesUpdated(home ? HomeView : MentionsView, data, false, true);
        if (home) {
            m_dataHandler->emitNewTweets();
            notifyHomeTimelineChanged();
        } else {
            m_dataHandler->emitNewMentions();
        }
        break;
    }
    case StreamObjectType::DirectMessage: {
        const QString sender = object.value(QStringLiteral("sender_screen_name")).toString();
        m_dataHandler->onDirectMessageAdded(data,
                                            sender.toLower() == m_dataHandler->authenticatedUser());
        break;
    }
    case StreamObjectType::StatusDeletion: {
        const QVariantMap status =
            object.value(QStringLiteral("delete")).toMap().value(QStringLiteral("status")).toMap();
        onStatusDeleted({{QStringLiteral("id"), statusId(status)}}, -1);
        notifyHomeTimelineChanged();
        break;
    }
    case StreamObjectType::DirectMessageDeletion: {
        const QVariantMap message = object.value(QStringLiteral("delete"))
                                        .toMap()
                                        .value(QStringLiteral("direct_message"))
                                        .toMap();
        m_dataHandler->onDirectMessageDeleted({{QStringLiteral("id"), statusId(message)}});
        break;
    }
    case StreamObjectType::Favorite:
    case StreamObjectType::Unfavorite: {
        // The author of a tweet is told of other people's favourites too; those leave the
        // user's own marks as they are.
        const QString source = object.value(QStringLiteral("source"))
                                   .toMap()
                                   .value(QStringLiteral("screen_name"))
                                   .toString();
        if (!source.isEmpty() && source.toLower() != m_dataHandler->authenticatedUser())
            return;
        QVariantMap tweet = object.value(QStringLiteral("target_object")).toMap();
        if (tweet.isEmpty())
            return;
        tweet.insert(QStringLiteral("favorited"), type == StreamObjectType::Favorite);
        onTweetFavoritedUpdated({tweet}, -1);
        break;
    }
    default:
        break;
    }
}
