#include "statusservice.h"

#include "accessrules.h"
#include "accountstore.h"
#include "apierror.h"
#include "apirequest.h"
#include "database.h"
#include "httpfront.h"
#include "linkstore.h"
#include "mediaservice.h"
#include "textentities.h"

#include <QDateTime>

StatusService::StatusService(SandboxContext *context, QObject *parent)
    : QObject(parent)
    , m_context(context)
{ }

QString StatusService::clientSource()
{
    return QStringLiteral("<a href=\"http://zirrup.net/download/desktop\" rel=\"nofollow\">"
                          "Zirrup for Desktop</a>");
}

void StatusService::registerRoutes(HttpFront *front)
{
    using Access = HttpFront::Access;
    const auto route = [this, front](const QByteArray &method, const QString &path,
                                     ApiReply (StatusService::*handler)(const ApiRequest &)) {
        front->addRoute(method, path, Access::Token,
                        [this, handler](ApiRequest &r) { return (this->*handler)(r); });
    };
    route("GET", QStringLiteral("/1/statuses/home_timeline\\.json"), &StatusService::homeTimeline);
    route("GET", QStringLiteral("/1/statuses/mentions\\.json"), &StatusService::mentions);
    route("GET", QStringLiteral("/1/statuses/retweeted_by_me\\.json"),
          &StatusService::retweetedByMe);
    route("GET", QStringLiteral("/1/statuses/retweets_of_me\\.json"), &StatusService::retweetsOfMe);
    route("GET", QStringLiteral("/1/statuses/public_timeline\\.json"),
          &StatusService::publicTimeline);
    route("GET", QStringLiteral("/1/statuses/user_timeline\\.json"), &StatusService::userTimeline);
    route("GET", QStringLiteral("/1/statuses/show\\.json"), &StatusService::show);
    route("GET", QStringLiteral("/1/favorites\\.json"), &StatusService::favorites);
    route("POST", QStringLiteral("/1/statuses/update\\.json"), &StatusService::update);
    route("POST", QStringLiteral("/1/statuses/update_with_media\\.json"),
          &StatusService::updateWithMedia);
    route("POST", QStringLiteral("/1/statuses/destroy/(\\d+)\\.json"), &StatusService::destroy);
    route("POST", QStringLiteral("/1/statuses/retweet/(\\d+)\\.json"), &StatusService::retweet);
    front->addRoute("POST", QStringLiteral("/1/favorites/create/(\\d+)\\.json"), Access::Token,
                    [this](ApiRequest &r) { return favorite(r, true); });
    front->addRoute("POST", QStringLiteral("/1/favorites/destroy/(\\d+)\\.json"), Access::Token,
                    [this](ApiRequest &r) { return favorite(r, false); });
}

qint64 StatusService::store(const Draft &draft, const MediaService::Upload *picture)
{
    Database *db = m_context->db;
    Database::Transaction tx(db);
    const qint64 id = db->nextId(QStringLiteral("statuses"), firstStatusId);
    const qint64 createdAt = draft.createdAt ? draft.createdAt : QDateTime::currentSecsSinceEpoch();
    // Wrapping is idempotent: texts wrapped by the caller come through unchanged.
    QString stored = m_context->links->wrapText(draft.text, m_context->baseUrl);

    QVariant replyUser;
    QVariant replyName;
    if (draft.replyTo) {
        QSqlQuery q = db->exec(QStringLiteral("SELECT s.user_id, u.screen_name FROM statuses s"
                                              " JOIN users u ON u.id = s.user_id WHERE s.id = ?"),
                               {draft.replyTo});
        if (!q.next())
            throw ApiError::notFound();
        replyUser = q.value(0);
        replyName = q.value(1);
    }

    QVariant mediaId;
    if (picture) {
        QString code;
        mediaId = m_context->media->storePicture(
            draft.userId, id, m_context->accounts->screenName(draft.userId), *picture, &code);
        if (!stored.isEmpty())
            stored += QLatin1Char(' ');
        stored += LinkStore::baseMarker + QStringLiteral("/l/") + code;
    }

    db->exec(QStringLiteral("INSERT INTO statuses (id, user_id, created_at, text, source,"
                            " reply_status_id, reply_user_id, reply_screen_name, place_id, lat,"
                            " lon, media_id) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
             {id, draft.userId, createdAt, stored, draft.source,
              draft.replyTo ? QVariant(draft.replyTo) : QVariant(), replyUser, replyName,
              draft.placeId.isEmpty() ? QVariant() : QVariant(draft.placeId),
              draft.latitude ? QVariant(*draft.latitude) : QVariant(),
              draft.longitude ? QVariant(*draft.longitude) : QVariant(), mediaId});

    const QString expanded = LinkStore::expand(stored, m_context->baseUrl);
    for (const TextEntities::Span &span : TextEntities::mentions(expanded, m_context->baseUrl)) {
        const qint64 mentioned = m_context->accounts->userIdByName(span.value);
        if (mentioned) {
            db->exec(QStringLiteral("INSERT OR IGNORE INTO mentions (status_id, user_id)"
                                    " VALUES (?, ?)"),
                     {id, mentioned});
        }
    }
    tx.commit();
    return id;
}

qint64 StatusService::storeRetweet(qint64 userId, qint64 originalId, const QString &source,
                                   qint64 createdAt)
{
    Database *db = m_context->db;
    Database::Transaction tx(db);
    const qint64 id = db->nextId(QStringLiteral("statuses"), firstStatusId);
    db->exec(QStringLiteral("INSERT INTO statuses (id, user_id, created_at, source, retweet_of)"
                            " VALUES (?, ?, ?, ?, ?)"),
             {id, userId, createdAt ? createdAt : QDateTime::currentSecsSinceEpoch(), source,
              originalId});
    tx.commit();
    return id;
}

qint64 StatusService::originalOf(qint64 statusId) const
{
    QSqlQuery q = m_context->db->exec(
        QStringLiteral("SELECT retweet_of FROM statuses WHERE id = ?"), {statusId});
    if (!q.next())
        throw ApiError::notFound();
    return q.value(0).isNull() ? statusId : q.value(0).toLongLong();
}

void StatusService::requireVisible(qint64 viewer, qint64 statusId) const
{
    QSqlQuery q = m_context->db->exec(QStringLiteral("SELECT s.user_id, o.user_id FROM statuses s"
                                                     " LEFT JOIN statuses o ON o.id = s.retweet_of"
                                                     " WHERE s.id = ?"),
                                      {statusId});
    if (!q.next())
        throw ApiError::notFound();
    AccessRules *rules = m_context->rules;
    if (!rules->canRead(viewer, q.value(0).toLongLong()))
        throw ApiError::notAuthorized();
    if (!q.value(1).isNull() && !rules->canRead(viewer, q.value(1).toLongLong()))
        throw ApiError::notAuthorized();
}
