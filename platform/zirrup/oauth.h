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

// OAuth 1.0a request signing with HMAC-SHA1 (RFC 5849) through Qt's QOAuth1Signature. Shared by
// the client library, the sign-in exchange and the sandbox service.
class OAuth
{
public:
    // The decoded query parameters of url, in order. The query is read as a form
    // (application/x-www-form-urlencoded): "+" is a space, "%2B" a plus.
    static OAuthParams queryParameters(const QUrl &url);

    // Decoded pairs of an application/x-www-form-urlencoded body ("+" is a space).
    static OAuthParams formParameters(const QByteArray &body);

    // key=value pairs joined with "&", everything but the RFC 3986 unreserved characters
    // percent-encoded: a space is "%20", a plus "%2B", so form and plain readings agree.
    static QByteArray formEncode(const OAuthParams &parameters);

    // The base64 HMAC-SHA1 signature of a request. The query is read from url; parameters are the
    // decoded form-body and protocol parameters ("oauth_signature" is left out; a header's
    // "realm" must not be among them).
    static QByteArray signature(const QByteArray &method, const QUrl &url,
                                const OAuthParams &parameters, const QByteArray &consumerSecret,
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
