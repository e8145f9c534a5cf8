#include "signinservice.h"

#include "accountstore.h"
#include "apierror.h"
#include "apirequest.h"
#include "httpfront.h"
#include "streamhub.h"

SignInService::SignInService(SandboxContext *context, QObject *parent)
    : QObject(parent)
    , m_context(context)
{ }

void SignInService::registerRoutes(HttpFront *front)
{
    front->addRoute("POST", QStringLiteral("/oauth/access_token"), HttpFront::Access::SignIn,
                    [this](ApiRequest &r) { return accessToken(r); });
    front->addRoute("POST", QStringLiteral("/oauth/invalidate_token"), HttpFront::Access::Token,
                    [this](ApiRequest &r) { return invalidateToken(r); });
}

ApiReply SignInService::accessToken(const ApiRequest &request)
{
    const QString userName = request.required(QStringLiteral("x_auth_username")).trimmed();
    const QString password = request.required(QStringLiteral("x_auth_password"));
    const QString mode = request.required(QStringLiteral("x_auth_mode"));
    if (mode != QLatin1String("client_auth"))
        throw ApiError::invalid(QStringLiteral("x_auth_mode"));

    AccountStore *accounts = m_context->accounts;
    qint64 userId = 0;
    switch (accounts->checkPassword(userName, password, &userId)) {
    case AccountStore::SignIn::Invalid:
        throw ApiError(401, QStringLiteral("Invalid user name or password."));
    case AccountStore::SignIn::Deleted:
        throw ApiError::forbidden(QStringLiteral("User has been deleted"));
    case AccountStore::SignIn::Ok:
        break;
    }
    const auto pair = accounts->issueToken(userId);
    return ApiReply::json(
        QJsonObject {{QStringLiteral("oauth_token"), QString::fromLatin1(pair.first)},
                     {QStringLiteral("oauth_token_secret"), QString::fromLatin1(pair.second)},
                     {QStringLiteral("user_id"), QString::number(userId)},
                     {QStringLiteral("screen_name"), accounts->screenName(userId)}});
}

ApiReply SignInService::invalidateToken(const ApiRequest &request)
{
    const QByteArray token = request.token.toLatin1();
    m_context->accounts->revokeToken(token);
    m_context->hub->closeToken(token);
    return ApiReply::json(QJsonObject {{QStringLiteral("revoked"), true}});
}
