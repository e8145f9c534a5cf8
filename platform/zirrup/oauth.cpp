#include "oauth.h"

#include <QDateTime>
#include <QOAuth1Signature>
#include <QRandomGenerator>

#include <algorithm>

namespace Zr {

static OAuthParams splitPairs(const QByteArray &encoded)
{
    OAuthParams result;
    const QList<QByteArray> pairs = encoded.split('&');
    for (QByteArray pair : pairs) {
        if (pair.isEmpty())
            continue;
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
    return splitPairs(url.query(QUrl::FullyEncoded).toUtf8());
}

OAuthParams OAuth::formParameters(const QByteArray &body)
{
    return splitPairs(body);
}

QByteArray OAuth::formEncode(const OAuthParams &parameters)
{
    QByteArray encoded;
    for (const OAuthParam &p : parameters) {
        if (!encoded.isEmpty())
            encoded += '&';
        encoded += p.first.toPercentEncoding() + '=' + p.second.toPercentEncoding();
    }
    return encoded;
}

QByteArray OAuth::signature(const QByteArray &method, const QUrl &url,
                            const OAuthParams &parameters, const QByteArray &consumerSecret,
                            const QByteArray &tokenSecret)
{
    // The query is handed over as parameters, read as a form; the URI keeps no default port.
    QUrl uri = url.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment);
    const QString scheme = uri.scheme().toLower();
    if ((scheme == QLatin1String("http") && uri.port() == 80)
        || (scheme == QLatin1String("https") && uri.port() == 443))
        uri.setPort(-1);
    // RFC 5849 signs an empty path as "/", as other implementations do.
    if (uri.path().isEmpty())
        uri.setPath(QStringLiteral("/"));

    OAuthParams all = queryParameters(url) + parameters;
    all.erase(std::remove_if(all.begin(), all.end(),
                             [](const OAuthParam &p) { return p.first == "oauth_signature"; }),
              all.end());
    // A repeated name sorts by value. QMultiMap lists a key's values newest first, so they go
    // in from the greatest encoded value down.
    std::sort(all.begin(), all.end(), [](const OAuthParam &a, const OAuthParam &b) {
        return a.second.toPercentEncoding() > b.second.toPercentEncoding();
    });
    QMultiMap<QString, QVariant> signedParameters;
    for (const OAuthParam &p : std::as_const(all))
        signedParameters.insert(QString::fromUtf8(p.first), QString::fromUtf8(p.second));

    QOAuth1Signature signer(uri, QString::fromUtf8(consumerSecret), QString::fromUtf8(tokenSecret),
                            QOAuth1Signature::HttpRequestMethod::Custom, signedParameters);
    // Any verb signs as written; the enumerated ones would leave others out of the base string.
    signer.setCustomMethodString(method.toUpper());
    return signer.hmacSha1().toBase64();
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
    const QByteArray sig = signature(method, url, protocol + bodyParameters,
                                     credentials.consumerSecret, credentials.tokenSecret);

    QByteArray header = "OAuth ";
    for (const OAuthParam &p : protocol)
        header += p.first.toPercentEncoding() + "=\"" + p.second.toPercentEncoding() + "\", ";
    header += "oauth_signature=\"" + sig.toPercentEncoding() + '"';
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
