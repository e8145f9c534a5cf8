#ifndef ZR_SIGNINEXCHANGE_H
#define ZR_SIGNINEXCHANGE_H

#include "account.h"

#include <QNetworkReply>
#include <QObject>
#include <QPointer>

class QNetworkAccessManager;

namespace ZrMeego {

// Trades a user name and password for a token pair at the service (POST /oauth/access_token,
// xAuth style, signed with the consumer pair and no token). The password goes into that one
// request body and nowhere else: it is neither kept nor logged.
//
// One exchange at a time; every start() ends in exactly one succeeded() or failed(), always
// after start() has returned.
class SignInExchange : public QObject
{
    Q_OBJECT
public:
    enum Failure {
        InvalidAddress, // not an http(s) address of a host
        MissingInput, // no user name or password, or the service said a parameter is missing
        WrongCredentials, // 401 "Invalid user name or password."
        AccountDeleted, // 403 "User has been deleted"
        ClockSkew, // 401 "Client time out of sync. ..."
        ClientRejected, // 401 "Could not authenticate with OAuth." (consumer pair not accepted)
        Unreachable, // no answer: refused, unresolvable, reset, timed out
        ServiceFailure, // any other answer, or a 200 without a token pair
        Busy, // start() while an exchange is running
        InsecureAddress // plain http to a host other than this computer: the password would show
    };
    Q_ENUM(Failure)

    explicit SignInExchange(QObject *parent = nullptr);
    ~SignInExchange() override;

    // The build's ZIRRUP_CONSUMER_KEY / ZIRRUP_CONSUMER_SECRET unless set otherwise.
    void setConsumer(const QString &key, const QString &secret);
    void setTimeout(int milliseconds) { m_timeoutMs = milliseconds; }

    bool isRunning() const { return m_reply != nullptr; }

    void start(const QUrl &serviceUrl, const QString &userName, const QString &password);
    // Ends a running exchange without a signal.
    void abort();

    // What a person typed as the service address: "http://" is assumed when no scheme is given;
    // the result is invalid unless it is an http(s) address of a host without user information,
    // query or fragment.
    static QUrl serviceUrlFromText(const QString &text);
    // Whether a password may go to this address: over https, or over http to this computer.
    static bool carriesPasswordSafely(const QUrl &serviceUrl);

    // The sentence shown to the user for a failure.
    static QString describe(Failure failure, const QUrl &serviceUrl = QUrl(),
                            const QString &serviceMessage = QString());

Q_SIGNALS:
    // account is complete and enabled, issued for this exchange's consumer pair.
    void succeeded(const ZrMeego::Account &account);
    // message is describe()'s sentence; serviceMessage the service's own "error" text, if any.
    void failed(ZrMeego::SignInExchange::Failure failure, const QString &message,
                const QString &serviceMessage);

private:
    void failLater(Failure failure, const QUrl &serviceUrl);
    void finish(QNetworkReply *reply, const QUrl &serviceUrl, bool timedOut);

    QNetworkAccessManager *m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
    QString m_consumerKey;
    QString m_consumerSecret;
    int m_timeoutMs = 30000;
};

} // namespace ZrMeego

Q_DECLARE_METATYPE(ZrMeego::Account)

#endif // ZR_SIGNINEXCHANGE_H
