#ifndef SANDBOX_USERSERVICE_H
#define SANDBOX_USERSERVICE_H

#include "apireply.h"
#include "sandboxcontext.h"

#include <QObject>

class ApiRequest;
class HttpFront;

// People: users, lookups and people search, followers and following, friendships, blocks,
// and the own account (profile and picture).
class UserService : public QObject
{
    Q_OBJECT
public:
    UserService(SandboxContext *context, QObject *parent = nullptr);

    void registerRoutes(HttpFront *front);

    // The user a request names by user_id or screen_name (404 when unknown); with neither,
    // the viewer when fallbackToViewer is set, else 400.
    static qint64 namedUser(const SandboxContext *context, const ApiRequest &request,
                            bool fallbackToViewer);

private:
    ApiReply show(const ApiRequest &request);
    ApiReply lookup(const ApiRequest &request);
    ApiReply search(const ApiRequest &request);
    ApiReply followIds(const ApiRequest &request, bool followers);
    ApiReply friendshipExists(const ApiRequest &request);
    ApiReply follow(const ApiRequest &request);
    ApiReply unfollow(const ApiRequest &request);
    ApiReply block(const ApiRequest &request);
    ApiReply unblock(const ApiRequest &request);
    ApiReply blockedIds(const ApiRequest &request);

    // The own account (userservice_account.cpp)
    ApiReply verifyCredentials(const ApiRequest &request);
    ApiReply updateProfile(const ApiRequest &request);
    ApiReply updateProfileImage(const ApiRequest &request);

    ApiReply userAnswer(const ApiRequest &request, qint64 userId);

    SandboxContext *m_context;
};

#endif // SANDBOX_USERSERVICE_H
