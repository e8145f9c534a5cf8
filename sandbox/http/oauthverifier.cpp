#include "oauthverifier.h"

#include "accountstore.h"
#include "apierror.h"
#include "recordbuilder.h"

#include <QDateTime>

static bool sameSignature(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (int i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}

OAuthVerifier::OAuthVerifier(AccountStore *accounts, QObject *parent)
    : QObject(parent)
    , m_accounts(accounts)
{ }

void OAuthVerifier::addConsumer(const QByteArray &key, const QByteArray &secret)
{
    m_consumers.insert(key, secret);
}

OAuthVerifier::Identity OAuthVerifier::verify(const QByteArray &method, const QUrl &url,
                                              const QByteArray &authorization,
                                              const Zr::OAuthParams &formParameters, Need need)
{
    Identity identity;
    if (authorization.trimmed().isEmpty()) {
        if (need == Need::Nothing)
            return identity;
        throw ApiError::unauthenticated();
    }
    const QMap<QByteArray, QByteArray> oauth = Zr::OAuth::parseAuthorizationHeader(authorization);
    const QByteArray consumerKey = oauth.value("oauth_consumer_key");
    const QByteArray signature = oauth.value("oauth_signature");
    const QByteArray nonce = oauth.value("oauth_nonce");
    const QByteArray timestampText = oauth.value("oauth_timestamp");
    const QByteArray token = oauth.value("oauth_token");
    if (oauth.isEmpty() || !m_consumers.contains(consumerKey) || signature.isEmpty()
        || nonce.isEmpty() || timestampText.isEmpty()
        || oauth.value("oauth_signature_method") != "HMAC-SHA1"
        || (oauth.contains("oauth_version") && oauth.value("oauth_version") != "1.0")) {
        throw ApiError::unauthenticated();
    }

    QByteArray tokenSecret;
    if (!token.isEmpty()) {
        const AccountStore::Token stored = m_accounts->lookupToken(token);
        if (!stored.valid() || stored.revoked)
            throw ApiError::unauthenticated();
        tokenSecret = stored.secret;
        identity.userId = stored.userId;
        identity.token = token;
    } else if (need == Need::Token) {
        throw ApiError::unauthenticated();
    }

    Zr::OAuthParams parameters = formParameters;
    for (auto it = oauth.cbegin(); it != oauth.cend(); ++it)
        parameters.append(Zr::OAuthParam(it.key(), it.value()));
    const QByteArray expected =
        Zr::OAuth::signature(method, url, parameters, m_consumers.value(consumerKey), tokenSecret);
    if (!sameSignature(expected, signature))
        throw ApiError::unauthenticated();

    const qint64 now = QDateTime::currentSecsSinceEpoch() + m_clockOffset;
    bool numeric = false;
    const qint64 timestamp = timestampText.toLongLong(&numeric);
    if (!numeric || qAbs(now - timestamp) > allowedSkewSeconds) {
        throw ApiError(401,
                       QStringLiteral("Client time out of sync. Server time is ")
                           + RecordBuilder::statusDate(now) + QLatin1Char('.'));
    }

    if (nonceSeen(consumerKey + '&' + token + '&' + timestampText + '&' + nonce, now))
        throw ApiError::unauthenticated();

    if (identity.userId && m_accounts->isDeleted(identity.userId))
        throw ApiError::forbidden(QStringLiteral("User has been deleted"));
    return identity;
}

bool OAuthVerifier::nonceSeen(const QByteArray &key, qint64 now)
{
    if (now - m_lastPrune > 60) {
        m_lastPrune = now;
        for (auto it = m_nonces.begin(); it != m_nonces.end();) {
            if (now - it.value() > nonceWindowSeconds)
                it = m_nonces.erase(it);
            else
                ++it;
        }
    }
    const auto it = m_nonces.constFind(key);
    if (it != m_nonces.cend() && now - it.value() <= nonceWindowSeconds)
        return true;
    m_nonces.insert(key, now);
    return false;
}
