#ifndef ZR_OAUTH_H
#define ZR_OAUTH_H

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QUrl>

namespace Zr {

using OAuthParam = QPair<QByteArray, QByteArray>;
using OAuthParams = QList<OAuthParam>;

struct OAuthCredentials
{
    QByteArray consumerKey;
    QByteArray consumerSecret;
    QByteArray token; // empty for the sign-in exchange
    QByteArray tokenSecret; // empty for the sign-in exchange
};

// OAuth 1.0a request signing with HMAC-SHA1 (RFC 5849). Shared by the client library,
// the sign-in exchange and the sandbox service, so both ends compute the same base string.
class OAuth
{
public:
    // RFC 3986 percent-encoding of everything but the unreserved characters.
    static QByteArray percentEncode(const QByteArray &value);

    // Scheme and host in lower case, port only when not the scheme's default, path as sent.
    static QByteArray baseStringUri(const QUrl &url);

    // The decoded query parameters of url, in order ("+" in a query is not a space).
    static OAuthParams queryParameters(const QUrl &url);

    // Decoded pairs of an application/x-www-form-urlencoded body ("+" is a space).
    static OAuthParams formParameters(const QByteArray &body);

    // Parameters: the request's query and form-body parameters and the oauth_* protocol
    // parameters except oauth_signature, all decoded.
    static QByteArray signatureBaseString(const QByteArray &method, const QUrl &url,
                                          const OAuthParams &parameters);

    static QByteArray hmacSha1(const QByteArray &baseString, const QByteArray &consumerSecret,
                               const QByteArray &tokenSecret);

    // The protocol parameters (without the signature) for a new request.
    static OAuthParams protocolParameters(const OAuthCredentials &credentials,
                                          const QByteArray &nonce, qint64 timestamp);

    // The whole "Authorization" header value: "OAuth oauth_consumer_key=\"...\", ...".
    // bodyParameters are the decoded form fields of a urlencoded body (none for multipart).
    static QByteArray authorizationHeader(const OAuthCredentials &credentials,
                                          const QByteArray &method, const QUrl &url,
                                          const OAuthParams &bodyParameters,
                                          const QByteArray &nonce, qint64 timestamp);

    // Same with a fresh random nonce and the current time.
    static QByteArray authorizationHeader(const OAuthCredentials &credentials,
                                          const QByteArray &method, const QUrl &url,
                                          const OAuthParams &bodyParameters = {});

    // Decoded parameters of an "Authorization: OAuth ..." header; empty when it is not one.
    // A "realm" parameter is dropped, as it takes no part in the signature.
    static QMap<QByteArray, QByteArray> parseAuthorizationHeader(const QByteArray &header);

    static QByteArray newNonce();
};

} // namespace Zr

#endif // ZR_OAUTH_H
