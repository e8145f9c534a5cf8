// Tweet search (of the service, and local over the cached home timeline), the pictures behind
// the links of the tweet shown in detail, and the pictures chosen for upload.

#include "timelineview.h"

#include "datahandler.h"
#include "zirrupmodel.h"

#include <QStandardItem>
#include <QTimer>
#include <QUrl>

namespace {
const QString trueText = QStringLiteral("true");
// Picture hosts whose links show a picture although the address does not say so.
const char *const pictureHosts[] = {"zirpic.net", "snapzr.com", "imgzr.io"};
// The local search waits this long so that typing does not start one search per key.
const int localSearchDelay = 200;

// The texts of the links in marked-up text that begin with `start`: each found as ">" +
// start up to the next "<".
QStringList linkTexts(const QString &desc, const QString &start)
{
    QStringList texts;
    const QString needle = QLatin1Char('>') + start;
    int from = 0;
    while ((from = desc.indexOf(needle, from)) >= 0) {
        const int begin = from + 1;
        int end = desc.indexOf(QLatin1Char('<'), begin);
        if (end < 0)
            end = desc.size();
        // The markup escapes what it displays; the address itself has a bare "&".
        texts.append(
            desc.mid(begin, end - begin).replace(QLatin1String("&amp;"), QLatin1String("&")));
        from = end;
    }
    return texts;
}

// What the backend hands back is a local file, or already an address.
QString pictureUrl(const QString &fileUrl)
{
    if (fileUrl.startsWith(QLatin1String("http")) || fileUrl.startsWith(QLatin1String("file:")))
        return fileUrl;
    return QUrl::fromLocalFile(fileUrl).toString();
}
} // namespace

QString TimelineView::searchGeocode() const
{
    if (m_searchLatitude.isEmpty() || m_searchLongitude.isEmpty())
        return QString();
    return m_searchLatitude + QLatin1Char(',') + m_searchLongitude + QLatin1String(",15mi");
}

void TimelineView::searchTweets(QString query, QString latitude, QString longitude)
{
    clearModel(m_tweetSearchModel);
    m_searchQueryId = -1;
    m_searchMaxId = QStringLiteral("0");
    m_searchString = query;
    m_searchLatitude = latitude;
    m_searchLongitude = longitude;
    setFlag("searchview_more_tweets_available", false);
    setFlag("searchview_searching_more_tweets", false);
    setFlag("searchview_searching_tweets", false);
    // The service answers a search for nothing with an error; clearing the results is all
    // the user asked for.
    if (!m_backend || query.trimmed().isEmpty())
        return;

    Zr::ArgMap args {{QStringLiteral("q"), query},
                     {QStringLiteral("rpp"), QStringLiteral("10")},
                     {QStringLiteral("include_entities"), trueText},
                     {QStringLiteral("with_zirrup_user_id"), trueText}};
    const QString geocode = searchGeocode();
    if (!geocode.isEmpty())
        args.insert(QStringLiteral("geocode"), geocode);
    if (m_backend->searchResources(args, &m_searchQueryId, SearchType::Tweets) == Zr::RequestSent
        && m_searchQueryId != -1)
        setFlag("searchview_searching_tweets", true);
}

void TimelineView::searchMoreTweets()
{
    m_searchQueryId = -1;
    if (!m_backend)
        return;
    Zr::ArgMap args {{QStringLiteral("q"), m_searchString},
                     {QStringLiteral("rpp"), QStringLiteral("10")},
                     {QStringLiteral("max_id"), m_searchMaxId},
                     {QStringLiteral("include_entities"), trueText},
                     {QStringLiteral("with_zirrup_user_id"), trueText}};
    const QString geocode = searchGeocode();
    if (!geocode.isEmpty())
        args.insert(QStringLiteral("geocode"), geocode);
    if (m_backend->searchResources(args, &m_searchQueryId, SearchType::Tweets) == Zr::RequestSent
        && m_searchQueryId != -1)
        setFlag("searchview_searching_more_tweets", true);
}

void TimelineView::onSearchCompleted(SearchType::SearchType type, QVariantList data, int queryId)
{
    if (!holds(m_searchQueryId, queryId))
        return;
    setFlag("searchview_searching_tweets", false);
    setFlag("searchview_searching_more_tweets", false);
    if (type != SearchType::Tweets || data.isEmpty())
        return;
    const QVariantList results =
        data.constFirst().toMap().value(QStringLiteral("results")).toList();
    onTimelineUpdated(TimelineType::Search, results, queryId);
}

void TimelineView::searchTimeline(QString query)
{
    clearModel(m_tweetSearchModel);
    m_searchString = query;
    setFlag("searchview_searching_tweets", true);
    setFlag("searchview_more_tweets_available", false);
    setFlag("searchview_searching_more_tweets", false);
    // Every call starts its own timer; each run searches for the text current then.
    QTimer::singleShot(localSearchDelay, this, &TimelineView::doSearchTimeline);
}

void TimelineView::doSearchTimeline()
{
    clearModel(m_tweetSearchModel);
    m_searchQueryId = -1;
    QVariantList found;
    if (m_backend) {
        const Zr::ArgMap args {{QStringLiteral("query"), m_searchString},
                               {QStringLiteral("count"), QString::number(pageSize)}};
        m_backend->retrieveTimelineResources(&found, &m_searchQueryId, TimelineType::Home, args,
                                             Zr::CacheOnly);
    }
    onStatusesUpdated(SearchView, found, m_searchQueryId == -1, false, QString());
    setFlag("searchview_searching_tweets", false);
}

void TimelineView::cleanTweetSearchResults()
{
    clearModel(m_tweetSearchModel);
}

bool TimelineView::hasThumbnailRequest(const QString &link) const
{
    if (m_thumbUrls.contains(link))
        return true;
    if (!m_thumbModel)
        return false;
    for (int row = 0; row < m_thumbModel->rowCount(); ++row) {
        if (m_thumbModel->item(row)->data(PicUrlRole).toString() == link)
            return true;
    }
    return false;
}

void TimelineView::addThumbnailRequest(int queryId, const QString &link)
{
    m_thumbQueryIds.append(queryId);
    m_thumbUrls.append(link);
    setFlag("tinyurl_thumb_loading", true);
}

void TimelineView::requestImageThumbnails(const QString &desc)
{
    if (!m_backend)
        return;
    QStringList candidates = linkTexts(desc, QStringLiteral("http:"));
    for (const char *host : pictureHosts) {
        for (const QString &prefix : {QString(), QStringLiteral("www.")}) {
            const QStringList texts = linkTexts(desc, prefix + QLatin1String(host));
            for (const QString &text : texts)
                candidates.append(QStringLiteral("http://") + text);
        }
    }

    QStringList links;
    for (const QString &candidate : std::as_const(candidates)) {
        if (!links.contains(candidate) && m_backend->imageTypeSupported(candidate))
            links.append(candidate);
    }
    for (const QString &link : std::as_const(links)) {
        if (hasThumbnailRequest(link))
            continue;
        const Zr::ArgMap args {{QStringLiteral("image_url"), link},
                               {QStringLiteral("as_thumb"), QStringLiteral("1")}};
        QString file;
        int queryId = -1;
        m_backend->retrieveTinyUrlImage(args, &file, &queryId);
        if (!file.isEmpty())
            onTinyUrlThumbLoaded(file, -1, link);
        else if (queryId != -1)
            addThumbnailRequest(queryId, link);
    }
}

void TimelineView::onTinyUrlThumbLoaded(QString fileUrl, int queryId, QString tinyUrl)
{
    QString link = tinyUrl;
    if (queryId != -1) {
        const int index = m_thumbQueryIds.indexOf(queryId);
        if (index < 0)
            return;
        m_thumbQueryIds.removeAt(index);
        link = m_thumbUrls.takeAt(index);
    }
    if (!fileUrl.isEmpty())
        appendThumbnail(fileUrl, link);
    if (m_thumbQueryIds.isEmpty())
        setFlag("tinyurl_thumb_loading", false);
}

void TimelineView::appendThumbnail(const QString &fileUrl, const QString &link)
{
    if (!m_thumbModel)
        return;
    auto *item = new QStandardItem;
    item->setData(pictureUrl(fileUrl), PicSourceRole);
    item->setData(link, PicUrlRole);
    m_thumbModel->appendRow(item);
    m_thumbModel->emitCountChanged();
}

void TimelineView::getTinyUrlImage(QString imageUrl)
{
    m_previewQueryId = -1;
    publish(QStringLiteral("tinyUrlPreview"), QString());
    if (!m_backend)
        return;

    Zr::ArgMap args;
    if (imageUrl.startsWith(QLatin1Char('$'))) {
        // A picture of the service's own, "$" + its address.
        args.insert(QStringLiteral("direct_url"), QStringLiteral("1"));
        args.insert(QStringLiteral("image_id"), imageUrl.section(QLatin1Char('/'), -1));
        args.insert(QStringLiteral("image_url"), imageUrl.mid(1));
    } else {
        args.insert(QStringLiteral("image_url"), imageUrl);
    }
    QString file;
    m_backend->retrieveTinyUrlImage(args, &file, &m_previewQueryId);
    if (!file.isEmpty())
        showPreview(file);
    else
        setFlag("tinyurl_preview_loading", m_previewQueryId != -1);
}

void TimelineView::onTinyUrlImageLoaded(QString fileUrl, int queryId)
{
    if (holds(m_previewQueryId, queryId))
        showPreview(fileUrl);
}

void TimelineView::showPreview(const QString &fileUrl)
{
    setFlag("tinyurl_preview_loading", false);
    publish(QStringLiteral("tinyUrlPreview"), pictureUrl(fileUrl));
}

void TimelineView::addUploadImage(QString imageUrl, bool isPortrait, float aspectRation)
{
    if (!m_uploadModel)
        return;
    auto *item = new QStandardItem;
    item->setData(imageUrl, PicUrlRole);
    item->setData(isPortrait, OrientationPortraitRole);
    item->setData(aspectRation, AspectRatioRole);
    // One picture goes with a tweet: a new one takes the place of the old.
    if (m_uploadModel->rowCount() == 0)
        m_uploadModel->appendRow(item);
    else
        m_uploadModel->setItem(0, 0, item);
    m_uploadModel->emitCountChanged();
}

void TimelineView::removeUploadImage(QString imageUrl)
{
    if (!m_uploadModel)
        return;
    for (int row = 0; row < m_uploadModel->rowCount(); ++row) {
        if (m_uploadModel->item(row)->data(PicUrlRole).toString() == imageUrl) {
            m_uploadModel->removeRow(row);
            m_uploadModel->emitCountChanged();
            return;
        }
    }
}

void TimelineView::cleanUploadImages()
{
    clearModel(m_uploadModel);
}

int TimelineView::uploadImageCount()
{
    return m_uploadModel ? m_uploadModel->rowCount() : 0;
}

QList<QPair<QString, bool>> TimelineView::uploadImages() const
{
    QList<QPair<QString, bool>> images;
    if (!m_uploadModel)
        return images;
    for (int row = 0; row < m_uploadModel->rowCount(); ++row) {
        const QStandardItem *item = m_uploadModel->item(row);
        images.append(
            {item->data(PicUrlRole).toString(), item->data(OrientationPortraitRole).toBool()});
    }
    return images;
}
