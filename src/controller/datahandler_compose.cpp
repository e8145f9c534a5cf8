// Writing tweets: the length the service counts, posting plain tweets, replies and tweets with
// a picture, the posting state the pages show, and wrapping links with the service.

#include "datahandler.h"

#include "photoscaler.h"
#include "zirrup.h"

#include <QFile>
#include <QUrl>
#include <QtDebug>

namespace {
// The most the service takes of one picture.
constexpr qint64 MaxPictureBytes = 3 * 1024 * 1024;

QString quoted(const QString &value)
{
    return QLatin1Char('"') + value + QLatin1Char('"');
}

bool isWebLink(QStringView word, Qt::CaseSensitivity cs)
{
    return word.startsWith(QLatin1String("http://"), cs)
        || word.startsWith(QLatin1String("https://"), cs);
}
} // namespace

int DataHandler::countTweetTextLength(QString tweetText, int uploadImagesCount)
{
    qsizetype length = tweetText.size();
    for (const QStringView word : splitWords(tweetText)) {
        // The service counts every link as long as the wrapped link it writes in its place.
        if (word.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)) {
            if (m_shortUrlLength < word.size())
                length -= word.size() - m_shortUrlLength;
        } else if (word.startsWith(QLatin1String("https://"), Qt::CaseInsensitive)) {
            if (m_shortUrlLengthHttps < word.size())
                length -= word.size() - m_shortUrlLengthHttps;
        }
    }
    return int(length) + m_charactersReservedPerMedia * uploadImagesCount;
}

void DataHandler::refreshConfigurationData()
{
    if (!m_backend)
        return;

    // The answer from the network arrives by signal, whichever backend asks.
    connect(m_backend,
            SIGNAL(helpRetrieved(HelpType::HelpType, QVariantList, QMap<QString, QString>, int)),
            this,
            SLOT(onHelpRetrieved(HelpType::HelpType, QVariantList, QMap<QString, QString>, int)),
            Qt::UniqueConnection);

    QVariantMap configuration;
    int queryId = -1;
    m_backend->retrieveHelp(HelpType::Configuration, &configuration, Zr::ArgMap(), &queryId,
                            Zr::CacheOnly);
    if (!configuration.isEmpty()) {
        onHelpRetrieved(HelpType::Configuration, {configuration}, Zr::ArgMap(), queryId);
        return;
    }
    queryId = -1;
    m_backend->retrieveHelp(HelpType::Configuration, nullptr, Zr::ArgMap(), &queryId,
                            Zr::CacheThenNetwork);
}

void DataHandler::onHelpRetrieved(HelpType::HelpType type, QVariantList data,
                                  QMap<QString, QString> queryArgs, int queryId)
{
    Q_UNUSED(type)
    Q_UNUSED(queryArgs)
    Q_UNUSED(queryId)
    const QVariantMap configuration = data.value(0).toMap();
    // Something that is no configuration at all must not zero the lengths.
    if (configuration.isEmpty())
        return;
    m_charactersReservedPerMedia =
        configuration.value(QStringLiteral("characters_reserved_per_media")).toInt();
    m_shortUrlLength = configuration.value(QStringLiteral("short_url_length")).toInt();
    m_shortUrlLengthHttps = configuration.value(QStringLiteral("short_url_length_https")).toInt();
}

void DataHandler::postTweetMessage(QString msg, QString locationId)
{
    if (!canForward())
        return;
    qDebug().noquote() << "Tweet:" << quoted(msg) << quoted(locationId);

    Zr::ArgMap args = {{QStringLiteral("status"), msg},
                       {QStringLiteral("include_entities"), QStringLiteral("1")}};
    if (!locationId.isEmpty())
        args.insert(QStringLiteral("place_id"), locationId);
    int &queryId = m_pendingQueryIds.postTweet;
    queryId = -1;
    m_backend->writeStatus(args, &queryId);
    if (queryId != -1)
        setContextProperty(QStringLiteral("posting_tweet"), true);
}

void DataHandler::replyToTweetMessage(QString msg, QString tweetId, QString locationId)
{
    if (!canForward())
        return;
    qDebug().noquote() << "Reply:" << quoted(msg) << quoted(locationId);

    Zr::ArgMap args = {{QStringLiteral("status"), msg},
                       {QStringLiteral("in_reply_to_status_id"), tweetId}};
    if (!locationId.isEmpty())
        args.insert(QStringLiteral("place_id"), locationId);
    // A reply has an id of its own, so that a plain tweet sent meanwhile does not hide its
    // completion or its error.
    int &queryId = m_pendingQueryIds.reply;
    queryId = -1;
    m_backend->writeStatus(args, &queryId);
    if (queryId != -1)
        setContextProperty(QStringLiteral("posting_tweet"), true);
}

PhotoScaler *DataHandler::photoScaler() const
{
    return m_photoScaler;
}

void DataHandler::postTweetWithMedia(QString msg, QString locationId, QString tweetId)
{
    // The page empties the picture list as soon as this returns, so the files are taken now.
    QVariantMap files;
    const QList<QPair<QString, bool>> images = m_timelineView.uploadImages();
    for (const auto &image : images) {
        const QUrl url(image.first);
        // A file URL names its file percent-encoded; anything else loses only its scheme.
        files.insert(url.isLocalFile() ? url.toLocalFile() : url.toString(QUrl::RemoveScheme),
                     image.second);
    }

    // One picture tweet at a time: the scaler, the pending text and the upload's query id
    // belong to the one in hand. A later one waits its turn instead of being lost.
    if (m_photoScaler || m_pendingQueryIds.postWithMedia >= 0) {
        if (files.isEmpty())
            return;
        qDebug() << "void DataHandler::postTweetWithMedia(QString, QString, QString)"
                 << "a picture is still being prepared; queued";
        m_queuedMediaTweets.append({msg, locationId, tweetId, files});
        showErrorNotice(qtTrId("qtn_zirrup_info_picture_being_prepared"), false);
        return;
    }

    m_pendingMediaText = msg;
    m_pendingMediaLocationId = locationId;
    m_pendingMediaReplyToId = tweetId;
    if (files.isEmpty()) {
        qDebug() << " no photos selected";
        return;
    }
    startScaling(files);
}

void DataHandler::startScaling(const QVariantMap &files)
{
    m_photoScaler = new PhotoScaler(this);
    connect(m_photoScaler, &PhotoScaler::photosScaled, this, &DataHandler::onPhotosScaled);
    setContextProperty(QStringLiteral("posting_tweet"), true);
    m_photoScaler->scale(files);
}

void DataHandler::startNextMediaTweet()
{
    if (m_queuedMediaTweets.isEmpty() || m_photoScaler || m_pendingQueryIds.postWithMedia >= 0)
        return;
    const QueuedMediaTweet next = m_queuedMediaTweets.takeFirst();
    m_pendingMediaText = next.text;
    m_pendingMediaLocationId = next.locationId;
    m_pendingMediaReplyToId = next.replyToId;
    startScaling(next.files);
}

void DataHandler::replyToTweetWithMedia(QString msg, QString tweetId, QString locationId)
{
    postTweetWithMedia(msg, locationId, tweetId);
}

void DataHandler::onPhotosScaled(QVariant originals, QVariant scaled)
{
    Q_UNUSED(originals)

    QMap<QString, QByteArray> upload;
    bool tooLarge = false;
    const QVariantList files = scaled.toList();
    for (const QVariant &value : files) {
        const QString name = value.toString();
        QFile file(name);
        QByteArray bytes;
        if (file.open(QIODevice::ReadOnly))
            bytes = file.read(MaxPictureBytes + 1);
        // Cut at the limit, the picture would reach the service corrupt.
        if (bytes.size() > MaxPictureBytes) {
            qDebug() << "void DataHandler::onPhotosScaled(QVariant, QVariant)" << name
                     << "is larger than" << MaxPictureBytes << "bytes";
            tooLarge = true;
            bytes.clear();
        }
        qDebug() << "read pic:" << bytes.size() << ", length:" << bytes.length();
        upload.insert(name, bytes);
        file.remove();
    }

    Zr::ArgMap args;
    if (!m_pendingMediaLocationId.isEmpty()) {
        qDebug() << " Setting location ID to from pending tweet:" << m_pendingMediaLocationId;
        args.insert(QStringLiteral("place_id"), m_pendingMediaLocationId);
    }
    args.insert(QStringLiteral("status"), m_pendingMediaText);
    if (!m_pendingMediaReplyToId.isEmpty())
        args.insert(QStringLiteral("in_reply_to_status_id"), m_pendingMediaReplyToId);

    int &queryId = m_pendingQueryIds.postWithMedia;
    queryId = -1;
    if (tooLarge)
        showErrorNotice(qtTrId("qtn_zirrup_error_post_tweet"), false);
    else if (m_backend)
        m_backend->postStatusWithMedia(args, &queryId, upload);

    m_pendingMediaText.clear();
    m_pendingMediaLocationId.clear();
    m_pendingMediaReplyToId.clear();
    if (PhotoScaler *scaler = m_photoScaler.data()) {
        m_photoScaler = nullptr;
        scaler->deleteLater();
    }

    if (queryId == -1) {
        queryId = -2;
        setContextProperty(QStringLiteral("posting_tweet"), false);
        startNextMediaTweet();
    }
}

void DataHandler::onStatusWritten(int queryId)
{
    int *const pending[] = {&m_pendingQueryIds.postTweet, &m_pendingQueryIds.reply,
                            &m_pendingQueryIds.postWithMedia};
    int *answered = nullptr;
    for (int *id : pending) {
        if (queryId >= 0 && *id == queryId)
            answered = id;
    }
    if (!answered)
        return;
    *answered = -2;
    setContextProperty(QStringLiteral("posting_tweet"), false);
    callRoot("homePage");
    startNextMediaTweet();
}

void DataHandler::onPostedStatusWithMedia(QVariantList data, int queryId)
{
    Q_UNUSED(data)
    onStatusWritten(queryId);
}

void DataHandler::addUploadImage(QString imageUrl, bool isPortrait, float aspectRatio)
{
    if (canForward())
        m_timelineView.addUploadImage(imageUrl, isPortrait, aspectRatio);
}

void DataHandler::removeUploadImage(QString imageUrl)
{
    if (canForward())
        m_timelineView.removeUploadImage(imageUrl);
}

void DataHandler::cleanUploadImages()
{
    if (canForward())
        m_timelineView.cleanUploadImages();
}

bool DataHandler::linksToShorten(QString text)
{
    for (const QStringView word : splitWords(text)) {
        if (isWebLink(word, Qt::CaseInsensitive) && word.size() > 19)
            return true;
    }
    return false;
}

bool DataHandler::linksToUnshorten(QString text)
{
    for (const QStringView word : splitWords(text)) {
        if (isWebLink(word, Qt::CaseInsensitive) && m_shortLinks.contains(word.toString()))
            return true;
    }
    return false;
}

void DataHandler::shortenLinks(QString text)
{
    if (!m_backend)
        return;
    setContextProperty(QStringLiteral("tweet_shortenedUrl"), QString());
    setContextProperty(QStringLiteral("tweet_originalUrl"), QString());

    for (const QStringView view : splitWords(text)) {
        if (!isWebLink(view, Qt::CaseInsensitive))
            continue;
        const QString word = view.toString();
        const QString known = m_shortLinks.key(word);
        if (!known.isEmpty()) {
            onUrlToSnipConverted(word, known, -1);
            continue;
        }
        int queryId = -1;
        m_backend->UrlToSnip(word, &queryId);
        if (queryId != -1) {
            m_shortenUrlQueryIds.append(queryId);
            setContextProperty(QStringLiteral("tweet_shortening_url"), true);
        }
    }
}

void DataHandler::unshortenLinks(QString text)
{
    setContextProperty(QStringLiteral("tweet_shortenedUrl"), QString());
    setContextProperty(QStringLiteral("tweet_originalUrl"), QString());
    for (const QStringView view : splitWords(text)) {
        if (!isWebLink(view, Qt::CaseSensitive))
            continue;
        const QString word = view.toString();
        const auto known = m_shortLinks.constFind(word);
        if (known != m_shortLinks.constEnd())
            onUrlToSnipConverted(word, known.value(), -1);
    }
}

void DataHandler::onUrlToSnipConverted(QString url, QString snipUrl, int queryId)
{
    m_shortenUrlQueryIds.removeAll(queryId);
    if (m_shortenUrlQueryIds.isEmpty())
        setContextProperty(QStringLiteral("tweet_shortening_url"), false);
    if (queryId != -1)
        m_shortLinks.insert(snipUrl, url);
    setContextProperty(QStringLiteral("tweet_shortenedUrl"), snipUrl);
    setContextProperty(QStringLiteral("tweet_originalUrl"), url);
}
