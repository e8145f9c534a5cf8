// Request plumbing: URLs, signing, dispatch, answer decoding and the one signal that ends
// every request.

#include "jsondecoder.h"
#include "requestjob.h"
#include "zirrup_p.h"

#include <QHttpMultiPart>
#include <QNetworkAccessManager>
#include <QNetworkRequest>

namespace Zr {

namespace {

constexpr int MaxLowPriorityRunning = 2;

QByteArray formEncode(const ArgMap &params)
{
    QByteArray encoded;
    for (auto it = params.constBegin(); it != params.constEnd(); ++it) {
        if (!encoded.isEmpty())
            encoded += '&';
        encoded += OAuth::percentEncode(it.key().toUtf8()) + '='
            + OAuth::percentEncode(it.value().toUtf8());
    }
    return encoded;
}

// Quoted-string content for a Content-Disposition header: nothing may end the header early.
QByteArray dispositionSafe(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    for (char &c : bytes) {
        if (c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = '_';
    }
    return bytes;
}

QByteArray pictureMimeType(const QByteArray &data)
{
    if (data.startsWith("\xff\xd8\xff"))
        return "image/jpeg";
    if (data.startsWith("\x89PNG\r\n\x1a\n"))
        return "image/png";
    if (data.startsWith("GIF87a") || data.startsWith("GIF89a"))
        return "image/gif";
    return "application/octet-stream";
}

QString expectationText(Expect expect)
{
    switch (expect) {
    case Expect::Object:
        return QStringLiteral("an object");
    case Expect::Array:
        return QStringLiteral("an array");
    case Expect::ArrayOfObjects:
        return QStringLiteral("an array of records");
    case Expect::Picture:
        break;
    }
    return QStringLiteral("a picture");
}

bool hasShape(const QVariant &answer, Expect expect)
{
    switch (expect) {
    case Expect::Object:
        return answer.typeId() == QMetaType::QVariantMap;
    case Expect::Array:
        return answer.typeId() == QMetaType::QVariantList;
    case Expect::ArrayOfObjects: {
        if (answer.typeId() != QMetaType::QVariantList)
            return false;
        const QVariantList list = answer.toList();
        for (const QVariant &element : list) {
            if (element.typeId() != QMetaType::QVariantMap)
                return false;
        }
        return true;
    }
    case Expect::Picture:
        break;
    }
    return true;
}

} // namespace

QUrl ZirrupPrivate::apiUrl(const QString &path, const ArgMap &query) const
{
    QUrl url = serviceUrl();
    url.setPath(url.path() + path);
    if (!query.isEmpty())
        url.setQuery(QString::fromLatin1(formEncode(query)));
    return url;
}

bool ZirrupPrivate::isServiceHost(const QUrl &url) const
{
    const QUrl service = serviceUrl();
    const auto defaultPort = [](const QUrl &u) {
        return u.scheme().toLower() == QLatin1String("https") ? 443 : 80;
    };
    return url.scheme().compare(service.scheme(), Qt::CaseInsensitive) == 0
        && url.host().compare(service.host(), Qt::CaseInsensitive) == 0
        && url.port(defaultPort(url)) == service.port(defaultPort(service));
}

int ZirrupPrivate::startRequest(RequestSpec spec, int *queryId, QVariantList *list,
                                const std::function<QVariantList()> &cached)
{
    int unused = -1;
    int *id = queryId ? queryId : &unused;
    *id = -1;
    if (!spec.publicEndpoint && !authenticated) {
        if (logEnabled(LogWarning))
            qWarning() << "Zr::Zirrup: needs a signed-in account, not sent:" << spec.path;
        return RequestFailed;
    }
    if (list && cached)
        list->append(cached());
    return send(std::move(spec), id);
}

int ZirrupPrivate::send(RequestSpec spec, int *queryId)
{
    if (!spec.publicEndpoint && !authenticated) {
        if (logEnabled(LogWarning))
            qWarning() << "Zr::Zirrup: not signed in, not sent:" << spec.path;
        *queryId = -1;
        return RequestFailed;
    }
    const int id = nextQueryId++;
    *queryId = id;
    if (spec.lowPriority) {
        lowPriorityQueue.enqueue({id, std::move(spec)});
        pumpLowPriority();
    } else {
        dispatch(id, std::move(spec));
    }
    return RequestSent;
}

void ZirrupPrivate::pumpLowPriority()
{
    while (lowPriorityRunning < MaxLowPriorityRunning && !lowPriorityQueue.isEmpty()) {
        Queued next = lowPriorityQueue.dequeue();
        ++lowPriorityRunning;
        lowPriorityIds.insert(next.queryId);
        dispatch(next.queryId, std::move(next.spec));
    }
}

void ZirrupPrivate::dispatch(int queryId, RequestSpec spec)
{
    const bool isFile = spec.fileUrl.isValid();
    const bool isGet = spec.method == "GET";
    QUrl url;
    QByteArray body;
    OAuthParams bodyParameters;
    if (isFile) {
        url = spec.fileUrl;
    } else if (isGet) {
        url = apiUrl(spec.path, spec.params);
    } else {
        url = apiUrl(spec.path, {});
        if (!spec.multipart) {
            body = formEncode(spec.params);
            for (auto it = spec.params.constBegin(); it != spec.params.constEnd(); ++it)
                bodyParameters.append(OAuthParam(it.key().toUtf8(), it.value().toUtf8()));
        }
    }

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    // The API never redirects; files may (wrapped links, moved pictures), but never to a
    // less safe scheme.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         isFile ? QNetworkRequest::NoLessSafeRedirectPolicy
                                : QNetworkRequest::ManualRedirectPolicy);
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArrayLiteral("Zirrup/0.1 (desktop)"));
    if (spec.expect != Expect::Picture)
        request.setRawHeader("Accept", "application/json");
    if (spec.lowPriority)
        request.setPriority(QNetworkRequest::LowPriority);
    if (!isFile && !isGet && !spec.multipart)
        request.setHeader(QNetworkRequest::ContentTypeHeader,
                          QByteArrayLiteral("application/x-www-form-urlencoded"));
    // Files are public and may live on other hosts: the token never travels there.
    if (authenticated && !isFile)
        request.setRawHeader(
            "Authorization",
            OAuth::authorizationHeader(credentials, spec.method, url, bodyParameters));

    auto *job = new RequestJob(network, request, spec.method);
    job->setTimeout(requestTimeout);
    job->setMaxBytes(spec.expect == Expect::Picture ? MaxPictureAnswerBytes : MaxJsonAnswerBytes);
    if (spec.multipart) {
        auto *multipart = new QHttpMultiPart(QHttpMultiPart::FormDataType);
        for (auto it = spec.params.constBegin(); it != spec.params.constEnd(); ++it) {
            QHttpPart part;
            part.setHeader(QNetworkRequest::ContentDispositionHeader,
                           QByteArray("form-data; name=\"" + dispositionSafe(it.key()) + '"'));
            part.setBody(it.value().toUtf8());
            multipart->append(part);
        }
        if (!spec.filePartName.isEmpty()) {
            QHttpPart file;
            file.setHeader(QNetworkRequest::ContentDispositionHeader,
                           QByteArray("form-data; name=\"" + spec.filePartName + "\"; filename=\""
                                      + dispositionSafe(spec.fileName) + '"'));
            file.setHeader(QNetworkRequest::ContentTypeHeader, pictureMimeType(spec.fileData));
            file.setBody(spec.fileData);
            multipart->append(file);
        }
        job->setMultipart(multipart);
    } else if (!isGet) {
        job->setBody(body);
    }

    if (logEnabled(LogDebug))
        qDebug().noquote() << "Zr::Zirrup: request" << queryId << spec.method
                           << url.toDisplayString()
                           << (body.isEmpty() ? QString() : QString::fromUtf8(body));

    jobs.insert(queryId, job);
    QObject::connect(job, &RequestJob::finished, q, [this, queryId, job, spec = std::move(spec)] {
        onJobFinished(queryId, job, spec);
    });
    job->start();
}

void ZirrupPrivate::onJobFinished(int queryId, RequestJob *job, const RequestSpec &spec)
{
    jobs.remove(queryId);
    job->deleteLater();
    const int status = job->httpStatus();
    const QByteArray body = job->body();
    const QString transportError = job->errorText();
    const QString requestPath = spec.fileUrl.isValid() ? spec.fileUrl.path() : spec.path;
    // Copies: the handler may end with this backend being deleted by a receiver.
    const auto onJson = spec.onJson;
    const auto onBytes = spec.onBytes;
    const Expect expect = spec.expect;

    if (lowPriorityIds.remove(queryId)) {
        --lowPriorityRunning;
        pumpLowPriority();
    }

    if (logEnabled(LogDebug))
        qDebug().noquote() << "Zr::Zirrup: answer" << queryId << status
                           << (transportError.isEmpty() ? QString() : transportError)
                           << (expect == Expect::Picture
                                   ? QStringLiteral("(%1 bytes)").arg(body.size())
                                   : QString::fromUtf8(body.left(4096)));

    if (!transportError.isEmpty()) {
        fail(queryId, transportError, status, requestPath);
        return;
    }
    if (status < 200 || status >= 300) {
        QString text;
        if (expect != Expect::Picture || body.startsWith('{')) {
            const QVariant error = JsonDecoder::decode(body);
            text = error.toMap().value(QStringLiteral("error")).toString();
        }
        if (text.isEmpty())
            text = QStringLiteral("HTTP status %1").arg(status);
        fail(queryId, text, status, requestPath);
        return;
    }
    if (expect == Expect::Picture) {
        onBytes(queryId, body);
        return;
    }
    QString decodeError;
    const QVariant answer = JsonDecoder::decode(body, &decodeError);
    if (!answer.isValid()) {
        fail(queryId, decodeError, status, requestPath);
        return;
    }
    if (!hasShape(answer, expect)) {
        fail(queryId, QStringLiteral("Unexpected answer: expected %1").arg(expectationText(expect)),
             status, requestPath);
        return;
    }
    const QString problem = onJson(queryId, answer);
    if (!problem.isEmpty())
        fail(queryId, problem, status, requestPath);
}

void ZirrupPrivate::fail(int queryId, const QString &error, int httpStatus,
                         const QString &requestPath)
{
    if (logEnabled(LogWarning))
        qWarning().noquote() << "Zr::Zirrup: request" << queryId << requestPath
                             << "failed:" << httpStatus << error;
    QVariantMap err;
    err.insert(QStringLiteral("error"), error);
    err.insert(QStringLiteral("http_status"), httpStatus);
    err.insert(QStringLiteral("request"), requestPath);
    Q_EMIT q->networkRequestError(queryId, err);
}

void ZirrupPrivate::shutdown()
{
    shuttingDown = true;
    stopStream();
    const auto running = jobs.values();
    jobs.clear();
    for (RequestJob *job : running) {
        job->cancel();
        delete job;
    }
    lowPriorityQueue.clear();
    lowPriorityIds.clear();
    lowPriorityRunning = 0;
}

} // namespace Zr
