#include "apiclient.h"

#include <QDateTime>
#include <QHttpMultiPart>
#include <QSignalSpy>
#include <QUrlQuery>

QJsonValue jsonAt(const QJsonValue &root, const QString &path)
{
    QJsonValue value = root;
    const QStringList steps = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &step : steps) {
        bool isIndex = false;
        const int index = step.toInt(&isIndex);
        if (isIndex && value.isArray())
            value = value.toArray().at(index);
        else if (value.isObject())
            value = value.toObject().value(step);
        else
            return QJsonValue(QJsonValue::Undefined);
    }
    return value;
}

QJsonValue ApiResponse::at(const QString &path) const
{
    const QJsonDocument document = QJsonDocument::fromJson(body);
    return jsonAt(document.isArray() ? QJsonValue(document.array()) : QJsonValue(document.object()),
                  path);
}

QByteArray ApiResponse::header(const QByteArray &name) const
{
    for (const auto &pair : headers) {
        if (pair.first.compare(name, Qt::CaseInsensitive) == 0)
            return pair.second;
    }
    return {};
}

ApiClient::ApiClient(const QUrl &baseUrl, QObject *parent)
    : QObject(parent)
    , m_baseUrl(baseUrl)
{ }

QUrl ApiClient::url(const QString &path, const Params &query) const
{
    QUrl url = m_baseUrl;
    url.setPath(m_baseUrl.path() + path);
    if (!query.isEmpty()) {
        // Every reserved character percent-encoded, so the signature sees what is sent.
        url.setQuery(QString::fromLatin1(formBody(query)), QUrl::StrictMode);
    }
    return url;
}

QByteArray ApiClient::formBody(const Params &form)
{
    Zr::OAuthParams pairs;
    for (const auto &p : form)
        pairs.append({p.first.toUtf8(), p.second.toUtf8()});
    return Zr::OAuth::formEncode(pairs);
}

QByteArray ApiClient::authorization(const QByteArray &method, const QUrl &url,
                                    const Zr::OAuthParams &bodyParameters,
                                    const Signing &signing) const
{
    const Zr::OAuthCredentials credentials {ZIRRUP_CONSUMER_KEY,
                                            signing.consumerSecret.isEmpty()
                                                ? QByteArray(ZIRRUP_CONSUMER_SECRET)
                                                : signing.consumerSecret,
                                            m_account.token, m_account.tokenSecret};
    const qint64 timestamp =
        signing.timestamp ? signing.timestamp : QDateTime::currentSecsSinceEpoch() + m_clockOffset;
    return Zr::OAuth::authorizationHeader(
        credentials, method, url, bodyParameters,
        signing.nonce.isEmpty() ? Zr::OAuth::newNonce() : signing.nonce, timestamp);
}

ApiResponse ApiClient::wait(QNetworkReply *reply)
{
    QSignalSpy finished(reply, &QNetworkReply::finished);
    ApiResponse response;
    if (!reply->isFinished() && !finished.wait(m_timeoutMs)) {
        reply->abort();
        response.networkError = QNetworkReply::TimeoutError;
        reply->deleteLater();
        return response;
    }
    response.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    response.body = reply->readAll();
    response.headers = reply->rawHeaderPairs();
    response.networkError = reply->error();
    reply->deleteLater();
    return response;
}

ApiResponse ApiClient::send(const QByteArray &method, const QUrl &url, const QByteArray &body,
                            const QByteArray &contentType, const Zr::OAuthParams &signedBody,
                            const Signing &signing)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    if (!contentType.isEmpty())
        request.setHeader(QNetworkRequest::ContentTypeHeader, contentType);
    if (signing.sign)
        request.setRawHeader("Authorization", authorization(method, url, signedBody, signing));
    return wait(m_manager.sendCustomRequest(request, method, body));
}

ApiResponse ApiClient::get(const QString &path, const Params &query, const Signing &signing)
{
    return send("GET", url(path, query), QByteArray(), QByteArray(), {}, signing);
}

ApiResponse ApiClient::post(const QString &path, const Params &form, const Signing &signing)
{
    const QByteArray body = formBody(form);
    return send("POST", url(path), body, "application/x-www-form-urlencoded",
                Zr::OAuth::formParameters(body), signing);
}

ApiResponse ApiClient::postMultipart(const QString &path, const Params &fields,
                                     const QList<FilePart> &files, const Params &query)
{
    auto *multipart = new QHttpMultiPart(QHttpMultiPart::FormDataType);
    for (const auto &field : fields) {
        QHttpPart part;
        part.setHeader(QNetworkRequest::ContentDispositionHeader,
                       QStringLiteral("form-data; name=\"%1\"").arg(field.first));
        part.setBody(field.second.toUtf8());
        multipart->append(part);
    }
    for (const FilePart &file : files) {
        QHttpPart part;
        part.setHeader(QNetworkRequest::ContentDispositionHeader,
                       QStringLiteral("form-data; name=\"%1\"; filename=\"%2\"")
                           .arg(file.name, file.fileName));
        part.setHeader(QNetworkRequest::ContentTypeHeader, file.contentType);
        part.setBody(file.data);
        multipart->append(part);
    }
    const QUrl target = url(path, query);
    QNetworkRequest request(target);
    // Parts of a multipart body take no part in the signature.
    request.setRawHeader("Authorization", authorization("POST", target, {}, Signing()));
    QNetworkReply *reply = m_manager.post(request, multipart);
    multipart->setParent(reply);
    return wait(reply);
}

SandboxAccount ApiClient::signIn(const QString &userName, const QString &password,
                                 ApiResponse *response)
{
    m_account = SandboxAccount();
    const ApiResponse answer = post(QStringLiteral("/oauth/access_token"),
                                    {{QStringLiteral("x_auth_mode"), QStringLiteral("client_auth")},
                                     {QStringLiteral("x_auth_username"), userName},
                                     {QStringLiteral("x_auth_password"), password}});
    if (response)
        *response = answer;
    if (answer.status != 200)
        return m_account;
    const QJsonObject object = answer.object();
    m_account.token = object.value(QStringLiteral("oauth_token")).toString().toLatin1();
    m_account.tokenSecret =
        object.value(QStringLiteral("oauth_token_secret")).toString().toLatin1();
    m_account.userId = object.value(QStringLiteral("user_id")).toString();
    m_account.screenName = object.value(QStringLiteral("screen_name")).toString();
    return m_account;
}

QNetworkReply *ApiClient::openStream()
{
    const QUrl target = url(QStringLiteral("/1/user_stream.json"));
    QNetworkRequest request(target);
    request.setRawHeader("Authorization", authorization("GET", target, {}, Signing()));
    return m_manager.get(request);
}
