#include "messageservice.h"

#include "accessrules.h"
#include "accountstore.h"
#include "apierror.h"
#include "apirequest.h"
#include "database.h"
#include "httpfront.h"
#include "linkstore.h"
#include "recordbuilder.h"
#include "streamhub.h"

#include <QDateTime>
#include <QJsonArray>

MessageService::MessageService(SandboxContext *context, QObject *parent)
    : QObject(parent)
    , m_context(context)
{ }

void MessageService::registerRoutes(HttpFront *front)
{
    using Access = HttpFront::Access;
    front->addRoute("GET", QStringLiteral("/1/direct_messages\\.json"), Access::Token,
                    [this](ApiRequest &r) { return listing(r, false); });
    front->addRoute("GET", QStringLiteral("/1/direct_messages/sent\\.json"), Access::Token,
                    [this](ApiRequest &r) { return listing(r, true); });
    front->addRoute("POST", QStringLiteral("/1/direct_messages/new\\.json"), Access::Token,
                    [this](ApiRequest &r) { return send(r); });
    front->addRoute("POST", QStringLiteral("/1/direct_messages/destroy/(\\d+)\\.json"),
                    Access::Token, [this](ApiRequest &r) { return destroy(r); });
}

qint64 MessageService::store(qint64 sender, qint64 recipient, const QString &text, qint64 createdAt)
{
    Database *db = m_context->db;
    Database::Transaction tx(db);
    const qint64 id = db->nextId(QStringLiteral("messages"), firstMessageId);
    db->exec(QStringLiteral("INSERT INTO messages (id, sender_id, recipient_id, created_at, text)"
                            " VALUES (?, ?, ?, ?, ?)"),
             {id, sender, recipient, createdAt ? createdAt : QDateTime::currentSecsSinceEpoch(),
              m_context->links->wrapText(LinkStore::sanitize(text), m_context->baseUrl)});
    tx.commit();
    return id;
}

ApiReply MessageService::listing(const ApiRequest &request, bool sent)
{
    const int count = request.count(QStringLiteral("count"), 20, 200);
    QString sql = QStringLiteral("SELECT id FROM messages WHERE %1 = %2")
                      .arg(sent ? QStringLiteral("sender_id") : QStringLiteral("recipient_id"))
                      .arg(request.userId);
    if (const auto since = request.optionalId(QStringLiteral("since_id")))
        sql += QStringLiteral(" AND id > %1").arg(*since);
    if (const auto max = request.optionalId(QStringLiteral("max_id")))
        sql += QStringLiteral(" AND id <= %1").arg(*max);
    sql += QStringLiteral(" ORDER BY id DESC LIMIT %1 OFFSET %2")
               .arg(count)
               .arg(qint64(request.page() - 1) * count);
    RecordBuilder builder(*m_context, request.userId);
    builder.setIncludeEntities(request.flag(QStringLiteral("include_entities")));
    QJsonArray messages;
    for (qint64 id : m_context->db->ids(sql))
        messages.append(builder.message(id));
    return ApiReply::json(messages);
}

ApiReply MessageService::send(const ApiRequest &request)
{
    const qint64 me = request.userId;
    const QString text = LinkStore::sanitize(request.value(QStringLiteral("text"))).trimmed();
    if (text.isEmpty())
        throw ApiError::missing(QStringLiteral("text"));

    qint64 recipient = 0;
    if (!request.value(QStringLiteral("user_id")).trimmed().isEmpty()) {
        recipient = request.requiredId(QStringLiteral("user_id"));
        if (m_context->accounts->isDeleted(recipient)
            || m_context->accounts->screenName(recipient).isEmpty())
            throw ApiError::notFound();
    } else {
        const QString name = request.required(QStringLiteral("screen_name")).trimmed();
        recipient = m_context->accounts->userIdByName(name);
        if (!recipient)
            throw ApiError::notFound();
    }
    if (!m_context->rules->follows(recipient, me)
        || m_context->rules->blockedEitherWay(me, recipient)) {
        throw ApiError::forbidden(
            QStringLiteral("You cannot send messages to users who are not following you."));
    }

    Database *db = m_context->db;
    Database::Transaction tx(db);
    const qint64 id = store(me, recipient, text);
    const QString stored =
        db->scalar(QStringLiteral("SELECT text FROM messages WHERE id = ?"), {id}).toString();
    if (LinkStore::expand(stored, m_context->baseUrl).size() > maxLength) {
        throw ApiError::forbidden(
            QStringLiteral("The text of your direct message is over 140 characters."));
    }
    const QList<StreamHub::Notice> notices = m_context->hub->directMessage(id);
    RecordBuilder builder(*m_context, me);
    builder.setIncludeEntities(request.flag(QStringLiteral("include_entities")));
    const QJsonObject record = builder.message(id);
    tx.commit();
    m_context->hub->deliver(notices);
    return ApiReply::json(record);
}

ApiReply MessageService::destroy(const ApiRequest &request)
{
    const qint64 me = request.userId;
    const qint64 id = request.captureId(0);
    Database *db = m_context->db;
    if (!db->exists(QStringLiteral("SELECT 1 FROM messages WHERE id = ? AND (sender_id = ?"
                                   " OR recipient_id = ?)"),
                    {id, me, me})) {
        throw ApiError::notFound();
    }
    Database::Transaction tx(db);
    RecordBuilder builder(*m_context, me);
    builder.setIncludeEntities(request.flag(QStringLiteral("include_entities")));
    const QJsonObject record = builder.message(id);
    const QList<StreamHub::Notice> notices = m_context->hub->messageDeleted(id);
    db->exec(QStringLiteral("DELETE FROM messages WHERE id = ?"), {id});
    tx.commit();
    m_context->hub->deliver(notices);
    return ApiReply::json(record);
}
