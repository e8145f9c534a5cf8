#ifndef SANDBOX_OAUTHVERIFIER_H
#define SANDBOX_OAUTHVERIFIER_H

#include "oauth.h"

#include <QHash>
#include <QObject>

class AccountStore;

// Checks the OAuth 1.0a signature of a request: the registered consumers, the tokens of
// AccountStore, the clock and the nonces seen lately. Refusals are thrown as ApiError.
class OAuthVerifier : public QObject
{
    Q_OBJECT
public:
    enum class Need {
        Nothing, // public: unsigned requests are served anonymously
        Consumer, // the sign-in exchange: signed, no token
        Token // signed with a token
    };
    struct Identity
    {
        qint64 userId = 0;
        QByteArray token;
    };

    explicit OAuthVerifier(AccountStore *accounts, QObject *parent = nullptr);

    void addConsumer(const QByteArray &key, const QByteArray &secret);
    // Makes the clock used for the timestamp check run this far off (to test clients).
    void setClockOffset(qint64 seconds) { m_clockOffset = seconds; }

    // formParameters: the decoded fields of a urlencoded body (none for other bodies).
    Identity verify(const QByteArray &method, const QUrl &url, const QByteArray &authorization,
                    const Zr::OAuthParams &formParameters, Need need);

    static constexpr int allowedSkewSeconds = 300;
    static constexpr int nonceWindowSeconds = 600;

private:
    bool nonceSeen(const QByteArray &key, qint64 now);

    AccountStore *m_accounts;
    QHash<QByteArray, QByteArray> m_consumers;
    QHash<QByteArray, qint64> m_nonces;
    qint64 m_lastPrune = 0;
    qint64 m_clockOffset = 0;
};

#endif // SANDBOX_OAUTHVERIFIER_H
