#include "oauth.h"

#include <QDateTime>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QUrlQuery>

#include <algorithm>

namespace Zr {

QByteArray OAuth::percentEncode(const QByteArray &value)
{
    // QByteArray::toPercentEncoding keeps exactly the RFC 3986 unreserved set.
    return value.toPercentEncoding();
}

QByteArray OAuth::baseStringUri(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    QByteArray result = scheme.toUtf8() + "://" + url.host().toLower().toUtf8();
    const int port = url.port();
    const bool defaultPort = port == -1 || (scheme == QLatin1String("http") && port == 80)
        || (scheme == QLatin1String("https") && port == 443);
    if (!defaultPort)
        result += ':' + QByteArray::number(port);
    QByteArray path = url.path(QUrl::FullyEncoded).toUtf8();
    if (path.isEmpty())
        path = "/";
    return result + path;
}

static OAuthParams splitPairs(const QByteArray &encoded, bool plusIsSpace)
{
    OAuthParams result;
    if (encoded.isEmpty())
        return result;
    const QList<QByteArray> pairs = encoded.split('&');
    for (QByteArray pair : pairs) {
        if (pair.isEmpty())
            continue;
        if (plusIsSpace)
            pair.replace('+', ' ');
        const int eq = pair.indexOf('=');
        const QByteArray key = eq < 0 ? pair : pair.left(eq);
        const QByteArray value = eq < 0 ? QByteArray() : pair.mid(eq + 1);
        result.append(OAuthParam(QByteArray::fromPercentEncoding(key),
                                 QByteArray::fromPercentEncoding(value)));
    }
    return result;
}

OAuthParams OAuth::queryParameters(const QUrl &url)
{
    return splitPairs(url.query(QUrl::FullyEncoded).toUtf8(), false);
}

OAuthParams OAuth::formParameters(const QByteArray &body)
{
    return splitPairs(body, true);
}

QByteArray OAuth::signatureBaseString(const QByteArray &method, const QUrl &url,
                                      const OAuthParams &parameters)
{
    OAuthParams all = queryParameters(url);
    all += parameters;
    OAuthParams encoded;
    encoded.reserve(all.size());
    for (const OAuthParam &p : std::as_const(all)) {
        if (p.first == "oauth_signature" || p.first == "realm")
            continue;
        encoded.append(OAuthParam(percentEncode(p.first), percentEncode(p.second)));
    }
    std::sort(encoded.begin(), encoded.end());
    QByteArray normalized;
    for (const OAuthParam &p : std::as_const(encoded)) {
        if (!normalized.isEmpty())
            normalized += '&';
        normalized += p.first + '=' + p.second;
    }
    return method.toUpper() + '&' + percentEncode(baseStringUri(url)) + '&'
        + percentEncode(normalized);
}

QByteArray OAuth::hmacSha1(const QByteArray &baseString, const QByteArray &consumerSecret,
                           const QByteArray &tokenSecret)
{
    const QByteArray key = percentEncode(consumerSecret) + '&' + percentEncode(tokenSecret);
    return QMessageAuthenticationCode::hash(baseString, key, QCryptographicHash::Sha1).toBase64();
}

OAuthParams OAuth::protocolParameters(const OAuthCredentials &credentials, const QByteArray &nonce,
                                      qint64 timestamp)
{
    OAuthParams params;
    params.append(OAuthParam("oauth_consumer_key", credentials.consumerKey));
    params.append(OAuthParam("oauth_nonce", nonce));
    params.append(OAuthParam("oauth_signature_method", "HMAC-SHA1"));
    params.append(OAuthParam("oauth_timestamp", QByteArray::number(timestamp)));
    if (!credentials.token.isEmpty())
        params.append(OAuthParam("oauth_token", credentials.token));
    params.append(OAuthParam("oauth_version", "1.0"));
    return params;
}

QByteArray OAuth::authorizationHeader(const OAuthCredentials &credentials, const QByteArray &method,
                                      const QUrl &url, const OAuthParams &bodyParameters,
                                      const QByteArray &nonce, qint64 timestamp)
{
    const OAuthParams protocol = protocolParameters(credentials, nonce, timestamp);
    const QByteArray base = signatureBaseString(method, url, protocol + bodyParameters);
    const QByteArray signature =
        hmacSha1(base, credentials.consumerSecret, credentials.tokenSecret);

    QByteArray header = "OAuth ";
    bool first = true;
    for (const OAuthParam &p : protocol) {
        if (!first)
            header += ", ";
        first = false;
        header += percentEncode(p.first) + "=\"" + percentEncode(p.second) + '"';
    }
    header += ", oauth_signature=\"" + percentEncode(signature) + '"';
    return header;
}

QByteArray OAuth::authorizationHeader(const OAuthCredentials &credentials, const QByteArray &method,
                                      const QUrl &url, const OAuthParams &bodyParameters)
{
    return authorizationHeader(credentials, method, url, bodyParameters, newNonce(),
                               QDateTime::currentSecsSinceEpoch());
}

QMap<QByteArray, QByteArray> OAuth::parseAuthorizationHeader(const QByteArray &header)
{
    QMap<QByteArray, QByteArray> result;
    const QByteArray trimmed = header.trimmed();
    if (!trimmed.startsWith("OAuth ") && trimmed != "OAuth")
        return result;
    const QByteArray rest = trimmed.mid(5);
    int pos = 0;
    const int n = rest.size();
    while (pos < n) {
        while (pos < n && (rest[pos] == ' ' || rest[pos] == ',' || rest[pos] == '\t'))
            ++pos;
        if (pos >= n)
            break;
        const int eq = rest.indexOf('=', pos);
        if (eq < 0)
            return {};
        const QByteArray key = rest.mid(pos, eq - pos).trimmed();
        pos = eq + 1;
        QByteArray value;
        if (pos < n && rest[pos] == '"') {
            const int close = rest.indexOf('"', pos + 1);
            if (close < 0)
                return {};
            value = rest.mid(pos + 1, close - pos - 1);
            pos = close + 1;
        } else {
            int end = rest.indexOf(',', pos);
            if (end < 0)
                end = n;
            value = rest.mid(pos, end - pos).trimmed();
            pos = end;
        }
        if (key != "realm")
            result.insert(QByteArray::fromPercentEncoding(key),
                          QByteArray::fromPercentEncoding(value));
    }
    return result;
}

QByteArray OAuth::newNonce()
{
    QByteArray bytes(16, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(bytes.data()), 4);
    return bytes.toHex();
}

} // namespace Zr
