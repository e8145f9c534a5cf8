#ifndef ZR_ACCOUNT_H
#define ZR_ACCOUNT_H

#include <QCryptographicHash>
#include <QString>
#include <QUrl>

namespace ZrMeego {

// The one stored account: who signed in where, and the token pair the service issued for the
// consumer key pair the client signed with. The password is never part of it.
struct Account
{
    QUrl serviceUrl;
    QString userId;
    QString screenName;
    QString token;
    QString tokenSecret;
    QString consumerKey;
    QString consumerSecret;
    bool enabled = true;
    QString lastId; // the last-seen tweet id the program handed over
    // The token pair is in the keyring under tokenKey, not in token and tokenSecret; the file
    // then keeps only tokenFingerprint, which tells one session from the next.
    bool tokenInKeyring = false;
    QString tokenKey;
    QString tokenFingerprint;

    bool hasTokens() const { return !token.isEmpty() && !tokenSecret.isEmpty(); }

    // Everything needed to sign a request is there, or (for the token pair) in the keyring.
    bool isComplete() const
    {
        return serviceUrl.isValid() && !serviceUrl.host().isEmpty() && !userId.isEmpty()
            && !screenName.isEmpty() && (tokenInKeyring ? !tokenKey.isEmpty() : hasTokens())
            && !consumerKey.isEmpty() && !consumerSecret.isEmpty();
    }

    // Names the session without giving its token away.
    QString sessionFingerprint() const
    {
        if (tokenInKeyring)
            return tokenFingerprint;
        return QString::fromLatin1(
            QCryptographicHash::hash(token.toUtf8(), QCryptographicHash::Sha256).toHex());
    }

    // Same signed-in session (a new token for the same user is a new session too).
    bool sameSession(const Account &other) const
    {
        return serviceUrl == other.serviceUrl && userId == other.userId
            && sessionFingerprint() == other.sessionFingerprint();
    }
};

// A service address without trailing slashes (also no lone "/" path), query or fragment.
inline QUrl normalizedServiceUrl(const QUrl &url)
{
    QUrl normalized =
        url.adjusted(QUrl::StripTrailingSlash | QUrl::RemoveQuery | QUrl::RemoveFragment);
    while (normalized.path().endsWith(QLatin1Char('/')))
        normalized.setPath(normalized.path().chopped(1));
    return normalized;
}

// base joined with an absolute path, keeping a path prefix the service may live under.
inline QUrl serviceEndpoint(const QUrl &base, const QString &path)
{
    QUrl url = normalizedServiceUrl(base);
    url.setPath(url.path() + path);
    return url;
}

} // namespace ZrMeego

#endif // ZR_ACCOUNT_H
