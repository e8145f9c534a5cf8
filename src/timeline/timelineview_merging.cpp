// Pages of statuses into the tweet models, section headings, catching up with the tweet the
// user was reading, and the objects of the live stream.

#include "timelineview.h"

#include "datahandler.h"
#include "zirrupmodel.h"

#include <QDate>
#include <QStandardItem>

#include <functional>

namespace {
// Local seconds of a canonical time text ("ddd MMM dd hh:mm:ss yyyy", English names) on a
// continuous scale, or -1 for any other text.
qint64 canonicalSeconds(const QString &text)
{
    static const QString months = QStringLiteral("JanFebMarAprMayJunJulAugSepOctNovDec");
    if (text.size() != 24 || text.at(3) != QLatin1Char(' ') || text.at(7) != QLatin1Char(' ')
        || text.at(10) != QLatin1Char(' ') || text.at(13) != QLatin1Char(':')
        || text.at(16) != QLatin1Char(':') || text.at(19) != QLatin1Char(' '))
        return -1;
    const auto number = [&text](int from, int length) {
        int value = 0;
        for (int i = from; i < from + length; ++i) {
            const QChar c = text.at(i);
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return -1;
            value = value * 10 + (c.unicode() - '0');
        }
        return value;
    };
    const int monthIndex = months.indexOf(QStringView(text).mid(4, 3));
    const QDate date(number(20, 4), monthIndex % 3 == 0 ? monthIndex / 3 + 1 : 0, number(8, 2));
    const int hour = number(11, 2);
    const int minute = number(14, 2);
    const int second = number(17, 2);
    if (!date.isValid() || hour < 0 || minute < 0 || second < 0)
        return -1;
    return date.toJulianDay() * 86400 + hour * 3600 + minute * 60 + second;
}
} // namespace

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

    QList<TweetRecord> tweets;
    QStringList times;
    tweets.reserve(data.size());
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
        times.append(tweet.timestamp);
        tweets.append(std::move(tweet));
    }
    const QStringList sections = sectionHeadings(times);
    QList<QStandardItem *> items;
    items.reserve(tweets.size());
    for (int i = 0; i < tweets.size(); ++i)
        items.append(createTweetItem(tweets.at(i), sections.at(i)));
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

QStringList TimelineView::sectionHeadings(const QStringList &timestamps) const
{
    // A heading names one stretch of time: an age band of a few hours, or a day. Where the
    // times of a run of rows change in one direction, span at most such a stretch and both
    // ends of the run have the same heading, every row between has it too; so only the ends
    // of runs are asked for, and a long list costs a few headings per stretch instead of one
    // per row.
    static constexpr qint64 longestStretch = 26 * 3600; // a day, and an hour of clock change
    const int count = timestamps.size();
    QStringList headings;
    headings.resize(count);
    QList<bool> known(count, false);
    QList<qint64> seconds(count);
    for (int i = 0; i < count; ++i)
        seconds[i] = canonicalSeconds(timestamps.at(i));

    const auto heading = [&](int i) {
        if (!known.at(i)) {
            headings[i] = m_dataHandler->createSectionTimeString(timestamps.at(i));
            known[i] = true;
        }
    };
    const auto oneStretch = [&](int first, int last) {
        const qint64 from = seconds.at(first);
        const qint64 to = seconds.at(last);
        if (from < 0 || to < 0 || qAbs(from - to) > longestStretch)
            return false;
        const bool older = to <= from;
        for (int i = first + 1; i <= last; ++i) {
            const qint64 previous = seconds.at(i - 1);
            const qint64 current = seconds.at(i);
            if (current < 0 || (older ? current > previous : current < previous))
                return false;
        }
        return true;
    };
    std::function<void(int, int)> fill = [&](int first, int last) {
        if (last - first < 2)
            return;
        if (headings.at(first) == headings.at(last) && oneStretch(first, last)) {
            for (int i = first + 1; i < last; ++i) {
                headings[i] = headings.at(first);
                known[i] = true;
            }
            return;
        }
        const int middle = first + (last - first) / 2;
        heading(middle);
        fill(first, middle);
        fill(middle, last);
    };
    if (count > 0) {
        heading(0);
        heading(count - 1);
        fill(0, count - 1);
    }
    return headings;
}

void TimelineView::updateSectionData()
{
    if (!m_dataHandler)
        return;
    for (ZirrupModel *model : std::as_const(m_recentModels)) {
        const int rows = model->rowCount();
        QStringList times;
        times.reserve(rows);
        for (int row = 0; row < rows; ++row)
            times.append(model->item(row)->data(TimestampRole).toString());
        const QStringList sections = sectionHeadings(times);
        for (int row = 0; row < rows; ++row) {
            QStandardItem *item = model->item(row);
            // Unchanged headings send no change to the views.
            if (item->data(SectionTimestampRole).toString() != sections.at(row))
                item->setData(sections.at(row), SectionTimestampRole);
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
