// The user stream: one long-lived answer of JSON lines, handed on object by object.

#include "jsondecoder.h"
#include "zirrup_p.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>

namespace Zr {

namespace {
const QString streamPath = QStringLiteral("/1/user_stream.json");
constexpr qsizetype MaxErrorBody = 64 * 1024;
} // namespace

int Zirrup::startStreaming(const ArgMap &args, int *queryId)
{
    int unused = -1;
    int *id = queryId ? queryId : &unused;
    *id = -1;
    if (!d->authenticated) {
        if (logEnabled(LogWarning))
            qWarning() << "Zr::Zirrup: the stream needs a signed-in account";
        return RequestFailed;
    }
    // One stream per backend: a new one replaces the old without a word.
    d->stopStream();

    const QUrl url = d->apiUrl(streamPath, args);
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArrayLiteral("Zirrup/0.1 (desktop)"));
    request.setRawHeader("Accept", "application/json");
    request.setRawHeader("Accept-Encoding", "identity");
    request.setRawHeader("Authorization", OAuth::authorizationHeader(d->credentials, "GET", url));

    d->streamQueryId = d->nextQueryId++;
    d->streamReply = d->network->get(request);
    connect(d->streamReply, &QNetworkReply::readyRead, this, [this] { d->onStreamData(); });
    connect(d->streamReply, &QNetworkReply::finished, this, [this] { d->onStreamFinished(); });
    d->streamSilence->start(d->streamSilenceTimeout);
    if (logEnabled(LogDebug))
        qDebug().noquote() << "Zr::Zirrup: stream" << d->streamQueryId << url.toDisplayString();
    *id = d->streamQueryId;
    return RequestSent;
}

void Zirrup::stopStreaming()
{
    d->stopStream();
}

void ZirrupPrivate::stopStream()
{
    ++streamGeneration;
    if (streamSilence)
        streamSilence->stop();
    streamParser.reset();
    streamErrorBody.clear();
    streamQueryId = -1;
    if (QNetworkReply *reply = streamReply) {
        streamReply = nullptr;
        reply->disconnect(q);
        if (!reply->isFinished())
            reply->abort();
        reply->deleteLater();
    }
}

void ZirrupPrivate::onStreamData()
{
    if (!streamReply)
        return;
    streamSilence->start(streamSilenceTimeout);
    const int status = streamReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray chunk = streamReply->readAll();
    if (status != 200) {
        // An error answer: kept for its message, not parsed as stream objects.
        if (streamErrorBody.size() < MaxErrorBody)
            streamErrorBody += chunk.left(MaxErrorBody - streamErrorBody.size());
        return;
    }
    bool overflow = false;
    const QList<QByteArray> lines = streamParser.feed(chunk, &overflow);
    const quint64 generation = streamGeneration;
    const QPointer<Zirrup> alive(q);
    for (const QByteArray &line : lines) {
        QString error;
        const QVariant object = JsonDecoder::decode(line, &error);
        if (object.typeId() != QMetaType::QVariantMap) {
            // One bad line is not worth losing the stream for.
            if (logEnabled(LogWarning))
                qWarning() << "Zr::Zirrup: stream line skipped:"
                           << (error.isEmpty() ? QStringLiteral("not an object") : error);
            continue;
        }
        handleStreamObject(object.toMap());
        // A receiver may have stopped or restarted the stream, or deleted the backend.
        if (!alive || generation != streamGeneration)
            return;
    }
    if (overflow)
        streamFailed(QStringLiteral("Stream object too large"), status);
}

void ZirrupPrivate::handleStreamObject(const QVariantMap &object)
{
    StreamObjectType::StreamObjectType type;
    QVariantList data;
    if (!StreamParser::classify(object, &type, &data)) {
        if (logEnabled(LogDebug))
            qDebug() << "Zr::Zirrup: stream object of unknown kind:" << object.keys();
        return;
    }
    if (logEnabled(LogDebug))
        qDebug() << "Zr::Zirrup: stream object" << type;

    // Keep the cached lists in step, so that the next start shows what the stream brought.
    const QVariantMap record = data.value(0).toMap();
    switch (type) {
    case StreamObjectType::HomeStatus:
        mergeIntoList(timelineKey(TimelineType::Home, {}), data);
        break;
    case StreamObjectType::Mention:
        mergeIntoList(timelineKey(TimelineType::Mentions, {}), data);
        break;
    case StreamObjectType::DirectMessage: {
        const bool sent = JsonDecoder::idText(record.value(QStringLiteral("sender_id"))) == userId;
        mergeIntoList(sent ? QStringLiteral("messages_sent") : QStringLiteral("messages_received"),
                      data);
        break;
    }
    case StreamObjectType::StatusDeletion: {
        const QVariantMap status =
            record.value(QStringLiteral("delete")).toMap().value(QStringLiteral("status")).toMap();
        removeFromLists({QStringLiteral("statuses"), timelineKey(TimelineType::Home, {}),
                         timelineKey(TimelineType::Mentions, {})},
                        JsonDecoder::idText(status.value(QStringLiteral("id"))));
        break;
    }
    case StreamObjectType::DirectMessageDeletion: {
        const QVariantMap message = record.value(QStringLiteral("delete"))
                                        .toMap()
                                        .value(QStringLiteral("direct_message"))
                                        .toMap();
        removeFromLists({QStringLiteral("messages_sent"), QStringLiteral("messages_received")},
                        JsonDecoder::idText(message.value(QStringLiteral("id"))));
        break;
    }
    default:
        break;
    }
    Q_EMIT q->streamObject(type, data);
}

void ZirrupPrivate::onStreamFinished()
{
    QNetworkReply *reply = streamReply;
    if (!reply)
        return;
    const QPointer<Zirrup> alive(q);
    const quint64 generation = streamGeneration;
    if (reply->bytesAvailable() > 0)
        onStreamData();
    if (!alive || generation != streamGeneration || !streamReply)
        return;

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    QString text;
    if (status == 0) {
        text = reply->errorString();
    } else if (status != 200) {
        text =
            JsonDecoder::decode(streamErrorBody).toMap().value(QStringLiteral("error")).toString();
        if (text.isEmpty())
            text = QStringLiteral("HTTP status %1").arg(status);
    } else {
        // A dropped connection and a proper end of the answer are the same to the client:
        // the stream is gone and has to be opened again.
        text = QStringLiteral("Stream closed");
        if (reply->error() != QNetworkReply::NoError)
            text += QStringLiteral(": ") + reply->errorString();
    }
    streamFailed(text, status);
}

void ZirrupPrivate::streamFailed(const QString &error, int httpStatus)
{
    const int id = streamQueryId;
    if (streamReply && httpStatus == 0)
        httpStatus = streamReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    stopStream();
    if (id > 0)
        fail(id, error, httpStatus, streamPath);
}

} // namespace Zr
