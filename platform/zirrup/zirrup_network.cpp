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

OAuthParams utf8Pairs(const ArgMap &params)
{
    OAuthParams pairs;
    for (auto it = params.constBegin(); it != params.constEnd(); ++it)
        pairs.append(OAuthParam(it.key().toUtf8(), it.value().toUtf8()));
    return pairs;
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
        url.setQuery(QString::fromLatin1(OAuth::formEncode(utf8Pairs(query))));
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

int ZirrupPrivate::startRequest(RequestPlan plan, int *queryId, QVariantList *list,
                                const std::function<QVariantList()> &cached)
{
    int unused = -1;
    int *id = queryId ? queryId : &unused;
    *id = -1;
    if (!plan.publicEndpoint && !authenticated) {
        if (logEnabled(LogWarning))
            qWarning() << "Zr::Zirrup: needs a signed-in account, not sent:" << plan.path;
        return RequestFailed;
    }
    if (list && cached)
        list->append(cached());
    return send(std::move(plan), id);
}

int ZirrupPrivate::send(RequestPlan plan, int *queryId)
{
    if (!plan.publicEndpoint && !authenticated) {
        if (logEnabled(LogWarning))
            qWarning() << "Zr::Zirrup: not signed in, not sent:" << plan.path;
        *queryId = -1;
        return RequestFailed;
    }
    const int id = nextQueryId++;
    *queryId = id;
    if (plan.lowPriority) {
        lowPriorityQueue.enqueue({id, std::move(plan)});
        pumpLowPriority();
    } else {
        dispatch(id, std::move(plan));
    }
    return RequestSent;
}

void ZirrupPrivate::pumpLowPriority()
{
    while (lowPriorityRunning < MaxLowPriorityRunning && !lowPriorityQueue.isEmpty()) {
        Queued next = lowPriorityQueue.dequeue();
        ++lowPriorityRunning;
        lowPriorityIds.insert(next.queryId);
        dispatch(next.queryId, std::move(next.plan));
    }
}

void ZirrupPrivate::dispatch(int queryId, RequestPlan plan)
{
    const bool isFile = plan.fileUrl.isValid();
    const bool isGet = plan.method == "GET";
    QUrl url;
    QByteArray body;
    OAuthParams bodyParameters;
    if (isFile) {
        url = plan.fileUrl;
    } else if (isGet) {
        url = apiUrl(plan.path, plan.params);
    } else {
        url = apiUrl(plan.path, {});
        if (!plan.multipart) {
            bodyParameters = utf8Pairs(plan.params);
            body = OAuth::formEncode(bodyParameters);
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
    if (plan.expect != Expect::Picture)
        request.setRawHeader("Accept", "application/json");
    // Uncompressed answers only: the size limits then hold for what ends up in memory.
    request.setRawHeader("Accept-Encoding", "identity");
    if (plan.lowPriority)
        request.setPriority(QNetworkRequest::LowPriority);
    if (!isFile && !isGet && !plan.multipart)
        request.setHeader(QNetworkRequest::ContentTypeHeader,
                          QByteArrayLiteral("application/x-www-form-urlencoded"));
    // Files are public and may live on other hosts: the token never travels there.
    if (authenticated && !isFile)
        request.setRawHeader(
            "Authorization",
            OAuth::authorizationHeader(credentials, plan.method, url, bodyParameters));

    auto *job = new RequestJob(network, request, plan.method);
    job->setTimeout(requestTimeout);
    job->setMaxBytes(plan.expect == Expect::Picture ? MaxPictureAnswerBytes : MaxJsonAnswerBytes);
    if (plan.multipart) {
        auto *multipart = new QHttpMultiPart(QHttpMultiPart::FormDataType);
        for (auto it = plan.params.constBegin(); it != plan.params.constEnd(); ++it) {
            QHttpPart part;
            part.setHeader(QNetworkRequest::ContentDispositionHeader,
                           QByteArray("form-data; name=\"" + dispositionSafe(it.key()) + '"'));
            part.setBody(it.value().toUtf8());
            multipart->append(part);
        }
        if (!plan.filePartName.isEmpty()) {
            QHttpPart file;
            file.setHeader(QNetworkRequest::ContentDispositionHeader,
                           QByteArray("form-data; name=\"" + plan.filePartName + "\"; filename=\""
                                      + dispositionSafe(plan.fileName) + '"'));
            file.setHeader(QNetworkRequest::ContentTypeHeader, pictureMimeType(plan.fileData));
            file.setBody(plan.fileData);
            multipart->append(file);
        }
        job->setMultipart(multipart);
    } else if (!isGet) {
        job->setBody(body);
    }

    if (logEnabled(LogDebug))
        qDebug().noquote() << "Zr::Zirrup: request" << queryId << plan.method
                           << url.toDisplayString()
                           << (body.isEmpty() ? QString() : QString::fromUtf8(body));

    jobs.insert(queryId, job);
    QObject::connect(job, &RequestJob::finished, q, [this, queryId, job, plan = std::move(plan)] {
        onJobFinished(queryId, job, plan);
    });
    job->start();
}

void ZirrupPrivate::onJobFinished(int queryId, RequestJob *job, const RequestPlan &plan)
{
    jobs.remove(queryId);
    job->deleteLater();
    const int status = job->httpStatus();
    const QByteArray body = job->body();
    const QString transportError = job->errorText();
    const QString requestPath = plan.fileUrl.isValid() ? plan.fileUrl.path() : plan.path;
    // Copies: the handler may end with this backend being deleted by a receiver.
    const auto onJson = plan.onJson;
    const auto onBytes = plan.onBytes;
    const Expect expect = plan.expect;

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
