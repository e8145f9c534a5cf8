#ifndef ZR_PLATFORMTYPES_H
#define ZR_PLATFORMTYPES_H

#include <QObject>

namespace ZrLoginError {
Q_NAMESPACE
// Why a login failed. The controller tells 1, 9, 10 and 17 apart; every other value takes its
// generic retry path. The desktop login object documents which service answer gives which type.
enum ZrLoginError {
    NoError = 0,
    AuthenticationFailed =
        1, // the service refused the request (401), e.g. "Client time out of sync"
    NetworkError = 3, // the service could not be reached; the account is not in doubt
    AccountForbidden = 9, // 403 on the account, e.g. "User has been deleted"
    ServiceError = 10, // the service answered but not usably (5xx, malformed answer)
    NoAccount = 16, // login was asked without a stored account
    CredentialsRejected = 17 // the stored token is unknown or revoked: a new sign-in is needed
};
Q_ENUM_NS(ZrLoginError)
} // namespace ZrLoginError

namespace ZrServiceType {
Q_NAMESPACE
enum Servicetype { Zirrup = 0 };
Q_ENUM_NS(Servicetype)
} // namespace ZrServiceType

#endif // ZR_PLATFORMTYPES_H
