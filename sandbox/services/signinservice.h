#ifndef SANDBOX_SIGNINSERVICE_H
#define SANDBOX_SIGNINSERVICE_H

#include "apireply.h"
#include "sandboxcontext.h"

#include <QObject>

class ApiRequest;
class HttpFront;

// The sign-in exchange (user name and password for a token pair) and token revocation.
class SignInService : public QObject
{
    Q_OBJECT
public:
    SignInService(SandboxContext *context, QObject *parent = nullptr);

    void registerRoutes(HttpFront *front);

private:
    ApiReply accessToken(const ApiRequest &request);
    ApiReply invalidateToken(const ApiRequest &request);

    SandboxContext *m_context;
};

#endif // SANDBOX_SIGNINSERVICE_H
