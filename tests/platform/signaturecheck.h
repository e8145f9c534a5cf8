#ifndef SIGNATURECHECK_H
#define SIGNATURECHECK_H

#include "cannedhttpserver.h"
#include "oauth.h"

// Checks a recorded request's OAuth signature the way the service does, and returns its protocol
// parameters (empty when the signature does not verify).
inline QMap<QByteArray, QByteArray> verifiedOAuthParameters(const CannedRequest &request,
                                                            const QUrl &serverUrl,
                                                            const QByteArray &consumerSecret,
                                                            const QByteArray &tokenSecret)
{
    QMap<QByteArray, QByteArray> protocol =
        Zr::OAuth::parseAuthorizationHeader(request.header("authorization"));
    if (protocol.isEmpty())
        return {};
    const QUrl url(serverUrl.toString() + QString::fromUtf8(request.target));
    Zr::OAuthParams parameters;
    if (request.header("content-type").startsWith("application/x-www-form-urlencoded"))
        parameters += Zr::OAuth::formParameters(request.body);
    for (auto it = protocol.cbegin(); it != protocol.cend(); ++it)
        parameters.append({it.key(), it.value()});
    const QByteArray expected =
        Zr::OAuth::signature(request.method, url, parameters, consumerSecret, tokenSecret);
    if (expected != protocol.value("oauth_signature"))
        return {};
    return protocol;
}

#endif // SIGNATURECHECK_H
