#include "apiclient.h"

#include <QDateTime>
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

static QByteArray formBody(const Params &form)
{
    Zr::OAuthParams pairs;
    for (const auto &p : form)
        pairs.append({p.first.toUtf8(), p.second.toUtf8()});
    return Zr::OAuth::formEncode(pairs);
}

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
    if (!reply->isFinished() && !finished.wait(10000)) {
        reply->abort(); // no answer in time: status 0
    } else {
        response.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        response.body = reply->readAll();
        response.headers = reply->rawHeaderPairs();
    }
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
                                     const QList<FilePart> &files)
{
    QList<FilePart> parts;
    for (const auto &field : fields)
        parts.append({field.first, QString(), QByteArray(), field.second.toUtf8()});
    QByteArray body;
    for (const FilePart &part : parts + files) {
        body +=
            "--zirrup-part\r\nContent-Disposition: form-data; name=\"" + part.name.toUtf8() + '"';
        if (!part.fileName.isEmpty())
            body += "; filename=\"" + part.fileName.toUtf8()
                + "\"\r\nContent-Type: " + part.contentType;
        body += "\r\n\r\n" + part.data + "\r\n";
    }
    // Parts of a multipart body take no part in the signature.
    return send("POST", url(path), body + "--zirrup-part--\r\n",
                "multipart/form-data; boundary=zirrup-part", {});
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
    const auto field = [&answer](const char *key) {
        return answer.object().value(QLatin1String(key)).toString();
    };
    if (answer.status == 200)
        m_account = {field("oauth_token").toLatin1(), field("oauth_token_secret").toLatin1(),
                     field("user_id"), field("screen_name")};
    return m_account;
}

QNetworkReply *ApiClient::openStream()
{
    const QUrl target = url(QStringLiteral("/1/user_stream.json"));
    QNetworkRequest request(target);
    request.setRawHeader("Authorization", authorization("GET", target, {}, Signing()));
    return m_manager.get(request);
}
