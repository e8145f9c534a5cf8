// The writing side of StatusService: posting, deleting, retweeting and favourites.
#include "statusservice.h"

#include "accessrules.h"
#include "apierror.h"
#include "apirequest.h"
#include "database.h"
#include "linkstore.h"
#include "placetable.h"
#include "recordbuilder.h"
#include "streamhub.h"

#include <QDateTime>

static const qint64 duplicateWindowSeconds = 3600;

ApiReply StatusService::update(const ApiRequest &request)
{
    return post(request, nullptr);
}

ApiReply StatusService::updateWithMedia(const ApiRequest &request)
{
    const QString name = QStringLiteral("media[]");
    const QList<const MultipartPart *> files =
        request.filesNamed({QStringLiteral("media[]"), QStringLiteral("media")});
    if (files.isEmpty())
        throw ApiError::missing(name);
    if (files.size() > 1 || files.first()->data.size() > MediaService::maxPictureBytes)
        throw ApiError::invalid(name);
    const auto picture = MediaService::readPicture(files.first()->data);
    if (!picture)
        throw ApiError::invalid(name);
    return post(request, &*picture);
}

ApiReply StatusService::post(const ApiRequest &request, const MediaService::Upload *picture)
{
    const qint64 me = request.userId;
    Draft draft;
    draft.userId = me;
    draft.source = clientSource();
    draft.text = LinkStore::sanitize(request.value(QStringLiteral("status"))).trimmed();
    if (draft.text.isEmpty() && !picture)
        throw ApiError::missing(QStringLiteral("status"));

    if (const auto replyTo = request.optionalId(QStringLiteral("in_reply_to_status_id"))) {
        requireVisible(me, *replyTo);
        draft.replyTo = *replyTo;
    }
    const QString placeId = request.value(QStringLiteral("place_id")).trimmed();
    if (!placeId.isEmpty()) {
        if (!m_context->places->find(placeId))
            throw ApiError::notFound();
        draft.placeId = placeId;
    }
    if (!request.value(QStringLiteral("lat")).isEmpty()
        || !request.value(QStringLiteral("long")).isEmpty()) {
        draft.latitude = request.coordinate(QStringLiteral("lat"), 90);
        draft.longitude = request.coordinate(QStringLiteral("long"), 180);
    }

    Database *db = m_context->db;
    Database::Transaction tx(db);
    draft.text = m_context->links->wrapText(draft.text, m_context->baseUrl);
    const int length = int(LinkStore::expand(draft.text, m_context->baseUrl).size());
    if (length > maxLength - (picture ? charactersReservedPerMedia : 0))
        throw ApiError::forbidden(QStringLiteral("Status is over 140 characters."));
    QSqlQuery previous = db->exec(QStringLiteral("SELECT text, created_at FROM statuses"
                                                 " WHERE user_id = ? AND retweet_of IS NULL"
                                                 " ORDER BY id DESC LIMIT 1"),
                                  {me});
    if (previous.next() && previous.value(0).toString() == draft.text
        && QDateTime::currentSecsSinceEpoch() - previous.value(1).toLongLong()
            < duplicateWindowSeconds) {
        throw ApiError::forbidden(QStringLiteral("Status is a duplicate."));
    }
    const qint64 id = store(draft, picture);
    const QList<StreamHub::Notice> notices = m_context->hub->statusPosted(id);
    RecordBuilder builder(*m_context, me);
    builder.setIncludeEntities(request.flag(QStringLiteral("include_entities")));
    const QJsonObject record = builder.status(id);
    tx.commit();
    m_context->hub->deliver(notices);
    return ApiReply::json(record);
}

ApiReply StatusService::destroy(const ApiRequest &request)
{
    const qint64 me = request.userId;
    const qint64 id = request.captureId(0);
    Database *db = m_context->db;
    QSqlQuery q = db->exec(QStringLiteral("SELECT user_id FROM statuses WHERE id = ?"), {id});
    if (!q.next())
        throw ApiError::notFound();
    if (q.value(0).toLongLong() != me)
        throw ApiError::forbidden(QStringLiteral("You may not delete another user's status."));

    Database::Transaction tx(db);
    RecordBuilder builder(*m_context, me);
    builder.setIncludeEntities(request.flag(QStringLiteral("include_entities")));
    const QJsonObject record = builder.status(id);
    const QList<StreamHub::Notice> notices = m_context->hub->statusDeleted(id);
    db->exec(QStringLiteral("DELETE FROM media WHERE status_id = ?"), {id});
    // Retweets, mentions and favourites of it go with it.
    db->exec(QStringLiteral("DELETE FROM statuses WHERE id = ?"), {id});
    tx.commit();
    m_context->hub->deliver(notices);
    return ApiReply::json(record);
}

ApiReply StatusService::retweet(const ApiRequest &request)
{
    const qint64 me = request.userId;
    const qint64 target = request.captureId(0);
    requireVisible(me, target);
    const qint64 original = originalOf(target);
    Database *db = m_context->db;
    const qint64 author =
        db->integer(QStringLiteral("SELECT user_id FROM statuses WHERE id = ?"), {original});
    if (author == me)
        throw ApiError::forbidden(QStringLiteral("You cannot retweet your own status."));
    if (m_context->rules->isProtected(author))
        throw ApiError::notAuthorized();

    RecordBuilder builder(*m_context, me);
    builder.setIncludeEntities(request.flag(QStringLiteral("include_entities")));
    const qint64 existing =
        db->integer(QStringLiteral("SELECT id FROM statuses WHERE retweet_of = ? AND user_id = ?"),
                    {original, me});
    if (existing)
        return ApiReply::json(builder.status(existing));

    Database::Transaction tx(db);
    const qint64 id = storeRetweet(me, original, clientSource());
    const QList<StreamHub::Notice> notices = m_context->hub->statusPosted(id);
    const QJsonObject record = builder.status(id);
    tx.commit();
    m_context->hub->deliver(notices);
    return ApiReply::json(record);
}

ApiReply StatusService::favorite(const ApiRequest &request, bool create)
{
    const qint64 me = request.userId;
    const qint64 target = request.captureId(0);
    requireVisible(me, target);
    // A retweet stands for its original.
    const qint64 original = originalOf(target);
    Database *db = m_context->db;
    Database::Transaction tx(db);
    const bool was =
        db->exists(QStringLiteral("SELECT 1 FROM favorites WHERE user_id = ? AND status_id = ?"),
                   {me, original});
    QList<StreamHub::Notice> notices;
    if (create && !was) {
        db->exec(QStringLiteral("INSERT INTO favorites (user_id, status_id, created_at)"
                                " VALUES (?, ?, ?)"),
                 {me, original, QDateTime::currentSecsSinceEpoch()});
        notices = m_context->hub->favoriteEvent(QStringLiteral("favorite"), me, original);
    } else if (!create && was) {
        db->exec(QStringLiteral("DELETE FROM favorites WHERE user_id = ? AND status_id = ?"),
                 {me, original});
        notices = m_context->hub->favoriteEvent(QStringLiteral("unfavorite"), me, original);
    }
    RecordBuilder builder(*m_context, me);
    builder.setIncludeEntities(request.flag(QStringLiteral("include_entities")));
    const QJsonObject record = builder.status(original);
    tx.commit();
    m_context->hub->deliver(notices);
    return ApiReply::json(record);
}
