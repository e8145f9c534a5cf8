#ifndef SANDBOX_STREAMHUB_H
#define SANDBOX_STREAMHUB_H

#include "sandboxcontext.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QTimer>

class HttpFront;
class QHttpServerResponder;
class StreamConnection;

// The user streams: who is connected, and who is told what. The builders work out the
// audience of a change and write each receiver's object as that receiver sees it; they are
// called while the change's transaction is open and their notices delivered after it
// commits, so a stream never reports what did not happen.
class StreamHub : public QObject
{
    Q_OBJECT
public:
    struct Notice
    {
        qint64 userId;
        QByteArray line;
    };

    StreamHub(SandboxContext *context, QObject *parent = nullptr);
    ~StreamHub() override;

    void registerRoutes(HttpFront *front);
    void setKeepAliveInterval(int milliseconds);

    int connectionCount() const { return int(m_byToken.size()); }
    bool isConnected(qint64 userId) const;

    void deliver(const QList<Notice> &notices);
    void closeToken(const QByteArray &token);
    void closeUser(qint64 userId);

    QList<Notice> statusPosted(qint64 statusId);
    // The status and its retweets, as they are before they are deleted.
    QList<Notice> statusDeleted(qint64 statusId);
    QList<Notice> favoriteEvent(const QString &event, qint64 sourceUser, qint64 statusId);
    QList<Notice> directMessage(qint64 messageId);
    QList<Notice> messageDeleted(qint64 messageId);
    // follow, unfollow, block, unblock, user_update, list_user_subscribed, ...
    QList<Notice> event(const QString &name, qint64 source, qint64 target, qint64 listId = 0);

Q_SIGNALS:
    void connectionsChanged();

private:
    void open(QHttpServerResponder &&responder, qint64 userId, const QByteArray &token);
    void sendKeepAlives();
    QList<Notice> deletionOf(qint64 statusId);
    QList<qint64> connectedFollowers(qint64 userId) const;

    SandboxContext *m_context;
    QHash<QByteArray, StreamConnection *> m_byToken;
    QTimer m_keepAlive;
};

#endif // SANDBOX_STREAMHUB_H
