#ifndef ZR_ACCOUNT_H
#define ZR_ACCOUNT_H

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

    // Everything needed to sign a request is there.
    bool isComplete() const
    {
        return serviceUrl.isValid() && !serviceUrl.host().isEmpty() && !userId.isEmpty()
            && !screenName.isEmpty() && !token.isEmpty() && !tokenSecret.isEmpty()
            && !consumerKey.isEmpty() && !consumerSecret.isEmpty();
    }

    // Same signed-in session (a new token for the same user is a new session too).
    bool sameSession(const Account &other) const
    {
        return serviceUrl == other.serviceUrl && userId == other.userId && token == other.token;
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
