#include "recordbuilder.h"

#include "accessrules.h"
#include "accountstore.h"
#include "apierror.h"
#include "database.h"
#include "linkstore.h"
#include "mediaservice.h"
#include "placetable.h"

#include <QDateTime>
#include <QLocale>

static QJsonValue nullable(const QString &value)
{
    return value.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(value);
}

static QJsonObject sizeRecord(const QSize &size, const char *resize)
{
    return QJsonObject {{QStringLiteral("w"), size.width()},
                        {QStringLiteral("h"), size.height()},
                        {QStringLiteral("resize"), QLatin1String(resize)}};
}

RecordBuilder::RecordBuilder(const SandboxContext &context, qint64 viewer)
    : m_context(context)
    , m_viewer(viewer)
{ }

QString RecordBuilder::statusDate(qint64 secondsSinceEpoch)
{
    return QLocale::c().toString(QDateTime::fromSecsSinceEpoch(secondsSinceEpoch, Qt::UTC),
                                 QStringLiteral("ddd MMM dd HH:mm:ss +0000 yyyy"));
}

QString RecordBuilder::searchDate(qint64 secondsSinceEpoch)
{
    return QLocale::c().toString(QDateTime::fromSecsSinceEpoch(secondsSinceEpoch, Qt::UTC),
                                 QStringLiteral("ddd, dd MMM yyyy HH:mm:ss +0000"));
}

void RecordBuilder::putId(QJsonObject &record, const QString &key, qint64 id)
{
    record.insert(key, id);
    record.insert(key + QStringLiteral("_str"), QString::number(id));
}

void RecordBuilder::putNullableId(QJsonObject &record, const QString &key, qint64 id)
{
    if (id == 0) {
        record.insert(key, QJsonValue::Null);
        record.insert(key + QStringLiteral("_str"), QJsonValue::Null);
    } else {
        putId(record, key, id);
    }
}

QString RecordBuilder::profileImageUrl(qint64 userId, const QString &avatarFile) const
{
    const QString base = m_context.baseUrl + QStringLiteral("/media/avatars/");
    if (avatarFile.isEmpty())
        return base + QStringLiteral("default_profile_%1_normal.png").arg(userId % 7);
    const int dot = int(avatarFile.lastIndexOf(QLatin1Char('.')));
    return base + avatarFile.left(dot) + QStringLiteral("_normal") + avatarFile.mid(dot);
}

QJsonObject RecordBuilder::user(qint64 id)
{
    const auto cached = m_users.constFind(id);
    if (cached != m_users.cend())
        return *cached;
    Database *db = m_context.db;
    QSqlQuery q = db->exec(QStringLiteral("SELECT screen_name, name, location, description, url,"
                                          " protected, verified, created_at, avatar FROM users"
                                          " WHERE id = ?"),
                           {id});
    if (!q.next())
        throw ApiError::notFound();
    QJsonObject record;
    putId(record, QStringLiteral("id"), id);
    record.insert(QStringLiteral("screen_name"), q.value(0).toString());
    record.insert(QStringLiteral("name"), q.value(1).toString());
    record.insert(QStringLiteral("location"), nullable(q.value(2).toString()));
    record.insert(QStringLiteral("description"), nullable(q.value(3).toString()));
    record.insert(QStringLiteral("url"), nullable(q.value(4).toString()));
    record.insert(QStringLiteral("profile_image_url"), profileImageUrl(id, q.value(8).toString()));
    record.insert(QStringLiteral("protected"), q.value(5).toInt() != 0);
    record.insert(QStringLiteral("verified"), q.value(6).toInt() != 0);
    record.insert(QStringLiteral("created_at"), statusDate(q.value(7).toLongLong()));
    const QVariantList one {id};
    record.insert(QStringLiteral("followers_count"),
                  db->integer(QStringLiteral("SELECT COUNT(*) FROM follows WHERE followee_id = ?"
                                             " AND pending = 0"),
                              one));
    record.insert(QStringLiteral("friends_count"),
                  db->integer(QStringLiteral("SELECT COUNT(*) FROM follows WHERE follower_id = ?"
                                             " AND pending = 0"),
                              one));
    record.insert(
        QStringLiteral("statuses_count"),
        db->integer(QStringLiteral("SELECT COUNT(*) FROM statuses WHERE user_id = ?"), one));
    record.insert(
        QStringLiteral("favourites_count"),
        db->integer(QStringLiteral("SELECT COUNT(*) FROM favorites WHERE user_id = ?"), one));
    record.insert(QStringLiteral("listed_count"),
                  db->integer(QStringLiteral("SELECT COUNT(*) FROM list_members m JOIN lists l"
                                             " ON l.id = m.list_id WHERE m.user_id = ?"
                                             " AND l.mode = 'public'"),
                              one));
    const bool signedIn = m_viewer != 0;
    record.insert(QStringLiteral("following"), signedIn && m_context.rules->follows(m_viewer, id));
    record.insert(QStringLiteral("follow_request_sent"),
                  signedIn && m_context.rules->requested(m_viewer, id));
    m_users.insert(id, record);
    return record;
}

QJsonArray RecordBuilder::users(const QList<qint64> &ids)
{
    QJsonArray array;
    for (qint64 id : ids)
        array.append(user(id));
    return array;
}

QString RecordBuilder::screenNameOf(qint64 userId)
{
    return user(userId).value(QStringLiteral("screen_name")).toString();
}

RecordBuilder::StatusRow RecordBuilder::loadStatus(qint64 id) const
{
    QSqlQuery q = m_context.db->exec(
        QStringLiteral("SELECT user_id, created_at, text, source, reply_status_id, reply_user_id,"
                       " reply_screen_name, retweet_of, place_id, lat, lon, media_id"
                       " FROM statuses WHERE id = ?"),
        {id});
    if (!q.next())
        throw ApiError::notFound();
    StatusRow row;
    row.id = id;
    row.userId = q.value(0).toLongLong();
    row.createdAt = q.value(1).toLongLong();
    row.text = LinkStore::expand(q.value(2).toString(), m_context.baseUrl);
    row.source = q.value(3).toString();
    row.replyStatusId = q.value(4).toLongLong();
    row.replyUserId = q.value(5).toLongLong();
    row.replyScreenName = q.value(6).toString();
    row.retweetOf = q.value(7).toLongLong();
    row.placeId = q.value(8).toString();
    row.latitude = q.value(9);
    row.longitude = q.value(10);
    row.mediaId = q.value(11).toLongLong();
    return row;
}

void RecordBuilder::addViewerFlags(QJsonObject &record, qint64 originalId)
{
    Database *db = m_context.db;
    bool favorited = false;
    qint64 myRetweet = 0;
    if (m_viewer) {
        favorited = db->exists(
            QStringLiteral("SELECT 1 FROM favorites WHERE user_id = ? AND status_id = ?"),
            {m_viewer, originalId});
        myRetweet = db->integer(
            QStringLiteral("SELECT id FROM statuses WHERE retweet_of = ? AND user_id = ?"),
            {originalId, m_viewer});
    }
    record.insert(QStringLiteral("favorited"), favorited);
    record.insert(QStringLiteral("retweeted"), myRetweet != 0);
    record.insert(QStringLiteral("retweet_count"),
                  db->integer(QStringLiteral("SELECT COUNT(*) FROM statuses WHERE retweet_of = ?"),
                              {originalId}));
    if (m_includeMyRetweet && myRetweet) {
        QJsonObject mine;
        putId(mine, QStringLiteral("id"), myRetweet);
        record.insert(QStringLiteral("current_user_retweet"), mine);
    }
}

QJsonObject RecordBuilder::plainStatus(const StatusRow &row)
{
    QJsonObject record;
    putId(record, QStringLiteral("id"), row.id);
    record.insert(QStringLiteral("created_at"), statusDate(row.createdAt));
    record.insert(QStringLiteral("text"), TextEntities::escape(row.text));
    record.insert(QStringLiteral("source"), row.source);
    record.insert(QStringLiteral("truncated"), false);
    putNullableId(record, QStringLiteral("in_reply_to_status_id"), row.replyStatusId);
    putNullableId(record, QStringLiteral("in_reply_to_user_id"), row.replyUserId);
    record.insert(QStringLiteral("in_reply_to_screen_name"), nullable(row.replyScreenName));
    record.insert(QStringLiteral("user"), user(row.userId));
    record.insert(QStringLiteral("place"),
                  row.placeId.isEmpty() ? QJsonValue(QJsonValue::Null) : place(row.placeId));
    if (row.latitude.isNull() || row.longitude.isNull()) {
        record.insert(QStringLiteral("geo"), QJsonValue::Null);
        record.insert(QStringLiteral("coordinates"), QJsonValue::Null);
    } else {
        const double lat = row.latitude.toDouble();
        const double lon = row.longitude.toDouble();
        record.insert(QStringLiteral("geo"),
                      QJsonObject {{QStringLiteral("type"), QStringLiteral("Point")},
                                   {QStringLiteral("coordinates"), QJsonArray {lat, lon}}});
        record.insert(QStringLiteral("coordinates"),
                      QJsonObject {{QStringLiteral("type"), QStringLiteral("Point")},
                                   {QStringLiteral("coordinates"), QJsonArray {lon, lat}}});
    }
    addViewerFlags(record, row.id);
    if (m_includeEntities)
        record.insert(QStringLiteral("entities"), entities(row.text, row.mediaId));
    return record;
}

QJsonObject RecordBuilder::status(qint64 id)
{
    const StatusRow row = loadStatus(id);
    if (!row.retweetOf)
        return plainStatus(row);

    const StatusRow original = loadStatus(row.retweetOf);
    const QString text = QStringLiteral("RT @") + screenNameOf(original.userId)
        + QStringLiteral(": ") + original.text;
    QJsonObject record;
    putId(record, QStringLiteral("id"), row.id);
    record.insert(QStringLiteral("created_at"), statusDate(row.createdAt));
    record.insert(QStringLiteral("text"), TextEntities::escape(text));
    record.insert(QStringLiteral("source"), row.source);
    record.insert(QStringLiteral("truncated"), false);
    putNullableId(record, QStringLiteral("in_reply_to_status_id"), 0);
    putNullableId(record, QStringLiteral("in_reply_to_user_id"), 0);
    record.insert(QStringLiteral("in_reply_to_screen_name"), QJsonValue::Null);
    record.insert(QStringLiteral("user"), user(row.userId));
    record.insert(QStringLiteral("place"), QJsonValue::Null);
    record.insert(QStringLiteral("geo"), QJsonValue::Null);
    record.insert(QStringLiteral("coordinates"), QJsonValue::Null);
    addViewerFlags(record, original.id);
    record.insert(QStringLiteral("retweeted_status"), plainStatus(original));
    if (m_includeEntities)
        record.insert(QStringLiteral("entities"), entities(text, original.mediaId));
    return record;
}

QJsonArray RecordBuilder::statuses(const QList<qint64> &ids)
{
    QJsonArray array;
    for (qint64 id : ids)
        array.append(status(id));
    return array;
}

QJsonObject RecordBuilder::searchResult(qint64 id)
{
    const StatusRow row = loadStatus(id);
    const QJsonObject author = user(row.userId);
    QJsonObject record;
    putId(record, QStringLiteral("id"), row.id);
    record.insert(QStringLiteral("created_at"), searchDate(row.createdAt));
    record.insert(QStringLiteral("from_user"), author.value(QStringLiteral("screen_name")));
    putId(record, QStringLiteral("from_user_id"), row.userId);
    record.insert(QStringLiteral("from_user_name"), author.value(QStringLiteral("name")));
    record.insert(QStringLiteral("profile_image_url"),
                  author.value(QStringLiteral("profile_image_url")));
    record.insert(QStringLiteral("to_user"), nullable(row.replyScreenName));
    putNullableId(record, QStringLiteral("to_user_id"), row.replyUserId);
    record.insert(QStringLiteral("text"), TextEntities::escape(row.text));
    QString source = TextEntities::escape(row.source);
    record.insert(QStringLiteral("source"),
                  source.replace(QLatin1Char('"'), QLatin1String("&quot;")));
    record.insert(QStringLiteral("iso_language_code"), QStringLiteral("en"));
    if (row.latitude.isNull() || row.longitude.isNull()) {
        record.insert(QStringLiteral("geo"), QJsonValue::Null);
    } else {
        record.insert(
            QStringLiteral("geo"),
            QJsonObject {{QStringLiteral("type"), QStringLiteral("Point")},
                         {QStringLiteral("coordinates"),
                          QJsonArray {row.latitude.toDouble(), row.longitude.toDouble()}}});
    }
    record.insert(QStringLiteral("metadata"),
                  QJsonObject {{QStringLiteral("result_type"), QStringLiteral("recent")}});
    if (m_includeEntities)
        record.insert(QStringLiteral("entities"), entities(row.text, row.mediaId));
    return record;
}

QJsonObject RecordBuilder::message(qint64 id)
{
    QSqlQuery q = m_context.db->exec(QStringLiteral("SELECT sender_id, recipient_id, created_at,"
                                                    " text FROM messages WHERE id = ?"),
                                     {id});
    if (!q.next())
        throw ApiError::notFound();
    const qint64 senderId = q.value(0).toLongLong();
    const qint64 recipientId = q.value(1).toLongLong();
    const QString text = LinkStore::expand(q.value(3).toString(), m_context.baseUrl);
    QJsonObject record;
    putId(record, QStringLiteral("id"), id);
    record.insert(QStringLiteral("created_at"), statusDate(q.value(2).toLongLong()));
    record.insert(QStringLiteral("text"), TextEntities::escape(text));
    const QJsonObject sender = user(senderId);
    const QJsonObject recipient = user(recipientId);
    putId(record, QStringLiteral("sender_id"), senderId);
    record.insert(QStringLiteral("sender_screen_name"),
                  sender.value(QStringLiteral("screen_name")));
    putId(record, QStringLiteral("recipient_id"), recipientId);
    record.insert(QStringLiteral("recipient_screen_name"),
                  recipient.value(QStringLiteral("screen_name")));
    record.insert(QStringLiteral("sender"), sender);
    record.insert(QStringLiteral("recipient"), recipient);
    if (m_includeEntities)
        record.insert(QStringLiteral("entities"), entities(text, 0));
    return record;
}

QJsonObject RecordBuilder::list(qint64 id)
{
    Database *db = m_context.db;
    QSqlQuery q = db->exec(QStringLiteral("SELECT owner_id, name, slug, description, mode"
                                          " FROM lists WHERE id = ?"),
                           {id});
    if (!q.next())
        throw ApiError::notFound();
    const qint64 owner = q.value(0).toLongLong();
    const QString ownerName = screenNameOf(owner);
    const QString slug = q.value(2).toString();
    QJsonObject record;
    putId(record, QStringLiteral("id"), id);
    record.insert(QStringLiteral("name"), q.value(1).toString());
    record.insert(QStringLiteral("slug"), slug);
    record.insert(QStringLiteral("full_name"),
                  QLatin1Char('@') + ownerName + QLatin1Char('/') + slug);
    record.insert(QStringLiteral("description"), q.value(3).toString());
    record.insert(QStringLiteral("mode"), q.value(4).toString());
    record.insert(
        QStringLiteral("member_count"),
        db->integer(QStringLiteral("SELECT COUNT(*) FROM list_members WHERE list_id = ?"), {id}));
    record.insert(
        QStringLiteral("subscriber_count"),
        db->integer(QStringLiteral("SELECT COUNT(*) FROM list_subscribers WHERE list_id = ?"),
                    {id}));
    record.insert(
        QStringLiteral("following"),
        m_viewer != 0
            && db->exists(QStringLiteral("SELECT 1 FROM list_subscribers WHERE list_id = ?"
                                         " AND user_id = ?"),
                          {id, m_viewer}));
    record.insert(QStringLiteral("uri"), QLatin1Char('/') + ownerName + QLatin1Char('/') + slug);
    record.insert(QStringLiteral("user"), user(owner));
    return record;
}

QJsonObject RecordBuilder::place(const QString &placeId) const
{
    const PlaceTable::Place *p = m_context.places->find(placeId);
    if (!p)
        throw ApiError::notFound();
    const QJsonArray box {QJsonArray {p->west, p->south}, QJsonArray {p->east, p->south},
                          QJsonArray {p->east, p->north}, QJsonArray {p->west, p->north}};
    return QJsonObject {
        {QStringLiteral("id"), p->id},
        {QStringLiteral("name"), p->name},
        {QStringLiteral("full_name"), p->fullName},
        {QStringLiteral("country"), p->country},
        {QStringLiteral("country_code"), p->countryCode},
        {QStringLiteral("place_type"), p->placeType},
        {QStringLiteral("url"),
         m_context.baseUrl + QStringLiteral("/1/geo/id/") + p->id + QStringLiteral(".json")},
        {QStringLiteral("bounding_box"),
         QJsonObject {{QStringLiteral("type"), QStringLiteral("Polygon")},
                      {QStringLiteral("coordinates"), QJsonArray {box}}}},
        {QStringLiteral("attributes"), QJsonObject()}};
}

QJsonObject RecordBuilder::savedSearch(qint64 id) const
{
    QSqlQuery q = m_context.db->exec(
        QStringLiteral("SELECT query, created_at FROM saved_searches WHERE id = ?"), {id});
    if (!q.next())
        throw ApiError::notFound();
    QJsonObject record;
    putId(record, QStringLiteral("id"), id);
    record.insert(QStringLiteral("query"), q.value(0).toString());
    record.insert(QStringLiteral("name"), q.value(0).toString());
    record.insert(QStringLiteral("position"), QJsonValue::Null);
    record.insert(QStringLiteral("created_at"), statusDate(q.value(1).toLongLong()));
    return record;
}

QJsonObject RecordBuilder::mediaRecord(qint64 mediaId, QString *code)
{
    QSqlQuery q = m_context.db->exec(QStringLiteral("SELECT m.format, m.width, m.height, m.code,"
                                                    " m.status_id, u.screen_name FROM media m"
                                                    " JOIN users u ON u.id = m.user_id"
                                                    " WHERE m.id = ?"),
                                     {mediaId});
    if (!q.next())
        return {};
    *code = q.value(3).toString();
    const QString url = m_context.baseUrl + QStringLiteral("/media/pics/")
        + QString::number(mediaId) + QLatin1Char('.') + q.value(0).toString();
    const QSize size(q.value(1).toInt(), q.value(2).toInt());
    QJsonObject record;
    putId(record, QStringLiteral("id"), mediaId);
    record.insert(QStringLiteral("media_url"), url);
    record.insert(QStringLiteral("media_url_https"), url);
    record.insert(QStringLiteral("display_url"), QStringLiteral("pic.zirrup.net/") + *code);
    record.insert(QStringLiteral("expanded_url"),
                  MediaService::photoPageUrl(m_context.baseUrl, q.value(5).toString(),
                                             q.value(4).toLongLong()));
    record.insert(QStringLiteral("type"), QStringLiteral("photo"));
    record.insert(
        QStringLiteral("sizes"),
        QJsonObject {{QStringLiteral("thumb"), sizeRecord(QSize(150, 150), "crop")},
                     {QStringLiteral("small"),
                      sizeRecord(MediaService::fitted(size, MediaService::smallBox), "fit")},
                     {QStringLiteral("large"),
                      sizeRecord(MediaService::fitted(size, MediaService::largeBox), "fit")}});
    return record;
}

TextEntities::Lookup RecordBuilder::lookup(qint64 mediaId)
{
    TextEntities::Lookup lookup;
    lookup.baseUrl = m_context.baseUrl;
    lookup.user = [this](const QString &screenName) -> std::optional<TextEntities::UserRef> {
        const QString key = screenName.toLower();
        const auto cached = m_usersByName.constFind(key);
        if (cached != m_usersByName.cend())
            return *cached;
        std::optional<TextEntities::UserRef> found;
        const qint64 id = m_context.accounts->userIdByName(screenName);
        if (id) {
            const QJsonObject record = user(id);
            found =
                TextEntities::UserRef {id, record.value(QStringLiteral("screen_name")).toString(),
                                       record.value(QStringLiteral("name")).toString()};
        }
        m_usersByName.insert(key, found);
        return found;
    };
    LinkStore *links = m_context.links;
    const QString base = m_context.baseUrl;
    lookup.longUrl = [links, base](const QString &code) { return links->longUrl(code, base); };
    if (mediaId)
        lookup.media = mediaRecord(mediaId, &lookup.mediaCode);
    return lookup;
}

QJsonObject RecordBuilder::entities(const QString &plain, qint64 mediaId)
{
    return TextEntities::compute(plain, lookup(mediaId));
}
