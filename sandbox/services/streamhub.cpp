#include "streamhub.h"

#include "accessrules.h"
#include "apireply.h"
#include "apirequest.h"
#include "database.h"
#include "httpfront.h"
#include "recordbuilder.h"
#include "streamconnection.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>

static QByteArray line(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

StreamHub::StreamHub(SandboxContext *context, QObject *parent)
    : QObject(parent)
    , m_context(context)
{
    m_keepAlive.setInterval(30000);
    connect(&m_keepAlive, &QTimer::timeout, this, &StreamHub::sendKeepAlives);
}

StreamHub::~StreamHub()
{
    for (StreamConnection *connection : std::as_const(m_byToken))
        connection->disconnect(this);
}

void StreamHub::registerRoutes(HttpFront *front)
{
    front->addRoute("GET", QStringLiteral("/1/user_stream.json"), HttpFront::Access::Token,
                    [this](ApiRequest &request) {
                        const qint64 userId = request.userId;
                        const QByteArray token = request.token.toLatin1();
                        return ApiReply::takeOver([this, userId, token](QHttpServerResponder &&r) {
                            open(std::move(r), userId, token);
                        });
                    });
}

void StreamHub::setKeepAliveInterval(int milliseconds)
{
    m_keepAlive.setInterval(milliseconds);
}

bool StreamHub::isConnected(qint64 userId) const
{
    for (const StreamConnection *connection : m_byToken) {
        if (connection->userId() == userId)
            return true;
    }
    return false;
}

void StreamHub::open(QHttpServerResponder &&responder, qint64 userId, const QByteArray &token)
{
    // One stream per token: the newer one wins.
    closeToken(token);
    auto *connection = new StreamConnection(std::move(responder), userId, token, this);
    if (!connection->isOpen()) {
        connection->deleteLater();
        return;
    }
    connect(connection, &StreamConnection::closed, this, [this](StreamConnection *closed) {
        const auto it = m_byToken.find(closed->token());
        if (it != m_byToken.end() && *it == closed)
            m_byToken.erase(it);
        closed->deleteLater();
        if (m_byToken.isEmpty())
            m_keepAlive.stop();
        Q_EMIT connectionsChanged();
    });
    m_byToken.insert(token, connection);
    if (!m_keepAlive.isActive())
        m_keepAlive.start();

    QJsonArray friends;
    const QList<qint64> ids = m_context->db->ids(
        QStringLiteral("SELECT followee_id FROM follows WHERE follower_id = ? AND pending = 0"
                       " ORDER BY created_at DESC, rowid DESC"),
        {userId});
    for (qint64 id : ids)
        friends.append(QString::number(id));
    connection->sendLine(line(QJsonObject {{QStringLiteral("friends"), friends}}));
    Q_EMIT connectionsChanged();
}

void StreamHub::sendKeepAlives()
{
    const QList<StreamConnection *> connections = m_byToken.values();
    for (StreamConnection *connection : connections)
        connection->sendLine(QByteArray());
}

void StreamHub::deliver(const QList<Notice> &notices)
{
    for (const Notice &notice : notices) {
        const QList<StreamConnection *> connections = m_byToken.values();
        for (StreamConnection *connection : connections) {
            if (connection->userId() == notice.userId)
                connection->sendLine(notice.line);
        }
    }
}

void StreamHub::closeToken(const QByteArray &token)
{
    if (StreamConnection *connection = m_byToken.value(token))
        connection->close();
}

void StreamHub::closeUser(qint64 userId)
{
    const QList<StreamConnection *> connections = m_byToken.values();
    for (StreamConnection *connection : connections) {
        if (connection->userId() == userId)
            connection->close();
    }
}

QList<qint64> StreamHub::connectedFollowers(qint64 userId) const
{
    QList<qint64> result;
    QSet<qint64> seen;
    for (const StreamConnection *connection : m_byToken) {
        const qint64 candidate = connection->userId();
        if (candidate == userId || seen.contains(candidate))
            continue;
        seen.insert(candidate);
        if (m_context->rules->follows(candidate, userId))
            result.append(candidate);
    }
    return result;
}

QList<StreamHub::Notice> StreamHub::statusPosted(qint64 statusId)
{
    QList<Notice> notices;
    if (m_byToken.isEmpty())
        return notices;
    Database *db = m_context->db;
    AccessRules *rules = m_context->rules;
    QSqlQuery q =
        db->exec(QStringLiteral("SELECT s.user_id, s.retweet_of, o.user_id FROM statuses s"
                                " LEFT JOIN statuses o ON o.id = s.retweet_of"
                                " WHERE s.id = ?"),
                 {statusId});
    if (!q.next())
        return notices;
    const qint64 poster = q.value(0).toLongLong();
    const bool retweet = !q.value(1).isNull();
    const qint64 originalAuthor = q.value(2).toLongLong();

    auto render = [&](qint64 receiver, const QString &key) {
        RecordBuilder builder(*m_context, receiver);
        builder.setIncludeEntities(true);
        builder.setIncludeMyRetweet(true);
        notices.append({receiver, line(QJsonObject {{key, builder.status(statusId)}})});
    };

    QList<qint64> home;
    if (isConnected(poster))
        home.append(poster);
    for (qint64 follower : connectedFollowers(poster)) {
        if (rules->blockedEitherWay(follower, poster))
            continue;
        if (retweet
            && (!rules->canRead(follower, originalAuthor)
                || rules->blockedEitherWay(follower, originalAuthor)))
            continue;
        home.append(follower);
    }
    for (qint64 receiver : std::as_const(home))
        render(receiver, QStringLiteral("home_status"));

    if (!retweet) {
        const QList<qint64> mentioned =
            db->ids(QStringLiteral("SELECT user_id FROM mentions WHERE status_id = ?"), {statusId});
        const bool isProtected = rules->isProtected(poster);
        for (qint64 receiver : mentioned) {
            if (receiver == poster || !isConnected(receiver))
                continue;
            if (isProtected && !rules->follows(receiver, poster))
                continue;
            if (rules->blockedEitherWay(receiver, poster))
                continue;
            render(receiver, QStringLiteral("mention"));
        }
    }
    return notices;
}

QList<StreamHub::Notice> StreamHub::deletionOf(qint64 statusId)
{
    QList<Notice> notices;
    Database *db = m_context->db;
    const qint64 author =
        db->integer(QStringLiteral("SELECT user_id FROM statuses WHERE id = ?"), {statusId});
    QJsonObject what;
    RecordBuilder::putId(what, QStringLiteral("id"), statusId);
    RecordBuilder::putId(what, QStringLiteral("user_id"), author);
    const QByteArray text = line(
        QJsonObject {{QStringLiteral("delete"), QJsonObject {{QStringLiteral("status"), what}}}});

    QSet<qint64> receivers;
    if (isConnected(author))
        receivers.insert(author);
    for (qint64 follower : connectedFollowers(author))
        receivers.insert(follower);
    const QList<qint64> mentioned =
        db->ids(QStringLiteral("SELECT user_id FROM mentions WHERE status_id = ?"), {statusId});
    for (qint64 user : mentioned) {
        if (isConnected(user))
            receivers.insert(user);
    }
    for (qint64 receiver : std::as_const(receivers))
        notices.append({receiver, text});
    return notices;
}

QList<StreamHub::Notice> StreamHub::statusDeleted(qint64 statusId)
{
    QList<Notice> notices;
    if (m_byToken.isEmpty())
        return notices;
    const QList<qint64> retweets = m_context->db->ids(
        QStringLiteral("SELECT id FROM statuses WHERE retweet_of = ?"), {statusId});
    for (qint64 retweet : retweets)
        notices += deletionOf(retweet);
    notices += deletionOf(statusId);
    return notices;
}

QList<StreamHub::Notice> StreamHub::favoriteEvent(const QString &event, qint64 sourceUser,
                                                  qint64 statusId)
{
    QList<Notice> notices;
    if (m_byToken.isEmpty())
        return notices;
    const qint64 author = m_context->db->integer(
        QStringLiteral("SELECT user_id FROM statuses WHERE id = ?"), {statusId});
    QList<qint64> receivers {sourceUser};
    if (author != sourceUser)
        receivers.append(author);
    const QString now = RecordBuilder::statusDate(QDateTime::currentSecsSinceEpoch());
    for (qint64 receiver : std::as_const(receivers)) {
        if (!isConnected(receiver))
            continue;
        RecordBuilder builder(*m_context, receiver);
        builder.setIncludeEntities(true);
        builder.setIncludeMyRetweet(true);
        notices.append(
            {receiver,
             line(QJsonObject {{QStringLiteral("event"), event},
                               {QStringLiteral("created_at"), now},
                               {QStringLiteral("source"), builder.user(sourceUser)},
                               {QStringLiteral("target"), builder.user(author)},
                               {QStringLiteral("target_object"), builder.status(statusId)}})});
    }
    return notices;
}

QList<StreamHub::Notice> StreamHub::directMessage(qint64 messageId)
{
    QList<Notice> notices;
    if (m_byToken.isEmpty())
        return notices;
    QSqlQuery q = m_context->db->exec(
        QStringLiteral("SELECT sender_id, recipient_id FROM messages WHERE id = ?"), {messageId});
    if (!q.next())
        return notices;
    QList<qint64> receivers {q.value(0).toLongLong()};
    if (q.value(1).toLongLong() != receivers.first())
        receivers.append(q.value(1).toLongLong());
    for (qint64 receiver : std::as_const(receivers)) {
        if (!isConnected(receiver))
            continue;
        RecordBuilder builder(*m_context, receiver);
        builder.setIncludeEntities(true);
        notices.append(
            {receiver,
             line(QJsonObject {{QStringLiteral("direct_message"), builder.message(messageId)}})});
    }
    return notices;
}

QList<StreamHub::Notice> StreamHub::messageDeleted(qint64 messageId)
{
    QList<Notice> notices;
    if (m_byToken.isEmpty())
        return notices;
    QSqlQuery q = m_context->db->exec(
        QStringLiteral("SELECT sender_id, recipient_id FROM messages WHERE id = ?"), {messageId});
    if (!q.next())
        return notices;
    const qint64 sender = q.value(0).toLongLong();
    const qint64 recipient = q.value(1).toLongLong();
    QJsonObject what;
    RecordBuilder::putId(what, QStringLiteral("id"), messageId);
    RecordBuilder::putId(what, QStringLiteral("user_id"), sender);
    const QByteArray text = line(QJsonObject {
        {QStringLiteral("delete"), QJsonObject {{QStringLiteral("direct_message"), what}}}});
    QList<qint64> receivers {sender};
    if (recipient != sender)
        receivers.append(recipient);
    for (qint64 receiver : std::as_const(receivers)) {
        if (isConnected(receiver))
            notices.append({receiver, text});
    }
    return notices;
}

QList<StreamHub::Notice> StreamHub::event(const QString &name, qint64 source, qint64 target,
                                          qint64 listId)
{
    QList<Notice> notices;
    if (m_byToken.isEmpty())
        return notices;
    QList<qint64> receivers {source};
    if (target != source)
        receivers.append(target);
    const QString now = RecordBuilder::statusDate(QDateTime::currentSecsSinceEpoch());
    for (qint64 receiver : std::as_const(receivers)) {
        if (!isConnected(receiver))
            continue;
        RecordBuilder builder(*m_context, receiver);
        notices.append(
            {receiver,
             line(QJsonObject {{QStringLiteral("event"), name},
                               {QStringLiteral("created_at"), now},
                               {QStringLiteral("source"), builder.user(source)},
                               {QStringLiteral("target"), builder.user(target)},
                               {QStringLiteral("target_object"),
                                listId ? QJsonValue(builder.list(listId)) : QJsonValue::Null}})});
    }
    return notices;
}
