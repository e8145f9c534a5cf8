#ifndef SANDBOX_MESSAGESERVICE_H
#define SANDBOX_MESSAGESERVICE_H

#include "apireply.h"
#include "sandboxcontext.h"

#include <QObject>

class ApiRequest;
class HttpFront;

// Direct messages: received and sent, sending (only to a follower) and deleting.
class MessageService : public QObject
{
    Q_OBJECT
public:
    static constexpr int maxLength = 140;
    static constexpr qint64 firstMessageId = 1000000000000700000LL;

    MessageService(SandboxContext *context, QObject *parent = nullptr);

    void registerRoutes(HttpFront *front);

    // Stores a message without the sending rules (the demo world uses it too).
    qint64 store(qint64 sender, qint64 recipient, const QString &text, qint64 createdAt = 0);

private:
    ApiReply listing(const ApiRequest &request, bool sent);
    ApiReply send(const ApiRequest &request);
    ApiReply destroy(const ApiRequest &request);

    SandboxContext *m_context;
};

#endif // SANDBOX_MESSAGESERVICE_H
