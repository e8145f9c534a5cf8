#ifndef ZR_DESKTOPLOGINHANDLER_H
#define ZR_DESKTOPLOGINHANDLER_H

#include "account.h"
#include "zrloginhandler.h"

#include <QPointer>

class QNetworkAccessManager;
class QNetworkReply;

namespace ZrMeego {

class AccountStore;

// The login object of the desktop: the account comes from the AccountStore, and login() checks
// the stored token with the service (GET /1/account/verify_credentials.json, signed).
//
// How the service's answer becomes loginResponse or a loginError type:
//
//   200 with a user record              -> loginResponse (screen name as the service reports it)
//   200 without a usable user record    -> 10 ServiceError
//   401 "Could not authenticate with OAuth."
//                                       -> 17 CredentialsRejected (token unknown or revoked)
//   401 with any other text, e.g. "Client time out of sync. ..."
//                                       -> 1 AuthenticationFailed
//   403, e.g. "User has been deleted"   -> 9 AccountForbidden
//   5xx, any other status, an answer over 8 MiB
//                                       -> 10 ServiceError
//   no answer: refused, unresolvable, reset, TLS failure, no answer within the timeout
//                                       -> 3 NetworkError (the account is never put in doubt
//                                          by a network problem)
//   no account stored, or the account is disabled
//                                       -> 16 NoAccount
//
// The error text is the service's "error" message when the answer had one, otherwise a short
// description of what went wrong. Every login() call ends in exactly one of the two signals,
// always after login() has returned.
//
// Both arguments of login() are accepted for the program's sake but change nothing here:
// a desktop has no interactive re-authentication, and the program does its own retry.
class DesktopLoginHandler : public ZrPlatform::ZrLoginHandler
{
    Q_OBJECT
public:
    explicit DesktopLoginHandler(AccountStore *store, QObject *parent = nullptr);
    ~DesktopLoginHandler() override;

    bool accountExists() override;
    bool accountEnabled(int serviceType) override;
    QString accountUserId() override;
    void login(bool reauthenticate, bool flag) override;
    void invalidateAccount() override;

    // Turns the stored account on or off; accountStateChanged follows when it changed.
    bool setAccountEnabled(bool enabled);

    AccountStore *accountStore() const { return m_store; }

    // Upper bound of one login or token revocation (default 30 s).
    void setRequestTimeout(int milliseconds) { m_timeoutMs = milliseconds; }
    int requestTimeout() const { return m_timeoutMs; }

    // The address requests for this account go to: ZIRRUP_SERVICE_URL when it is set, else the
    // address the account was issued by.
    static QUrl serviceUrlFor(const Account &account);

    // The table above, for an answer that arrived (httpStatus > 0) or not (httpStatus 0).
    static ZrLoginError::ZrLoginError errorTypeFor(int httpStatus, const QString &serviceError);

private:
    QNetworkAccessManager *network();
    void verify(const Account &account);
    // Best effort: the token is useless to whoever reads an old copy of it.
    void revoke(const Account &account);
    void finishVerification(QNetworkReply *reply, const Account &account, bool timedOut,
                            bool tooLarge);

    AccountStore *m_store;
    QNetworkAccessManager *m_network = nullptr;
    int m_timeoutMs = 30000;
};

} // namespace ZrMeego

#endif // ZR_DESKTOPLOGINHANDLER_H
