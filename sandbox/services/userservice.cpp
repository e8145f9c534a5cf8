#include "userservice.h"

#include "accessrules.h"
#include "accountstore.h"
#include "apierror.h"
#include "apirequest.h"
#include "database.h"
#include "httpfront.h"
#include "recordbuilder.h"
#include "streamhub.h"

#include <QDateTime>
#include <QJsonArray>

#include <algorithm>

static const int idsPerPage = 5000;
static const int maxLookup = 100;

UserService::UserService(SandboxContext *context, QObject *parent)
    : QObject(parent)
    , m_context(context)
{ }

void UserService::registerRoutes(HttpFront *front)
{
    using Access = HttpFront::Access;
    const auto route = [this, front](const QByteArray &method, const QString &path,
                                     ApiReply (UserService::*handler)(const ApiRequest &)) {
        front->addRoute(method, path, Access::Token,
                        [this, handler](ApiRequest &r) { return (this->*handler)(r); });
    };
    route("GET", QStringLiteral("/1/users/show\\.json"), &UserService::show);
    route("GET", QStringLiteral("/1/users/lookup\\.json"), &UserService::lookup);
    route("GET", QStringLiteral("/1/users/search\\.json"), &UserService::search);
    front->addRoute("GET", QStringLiteral("/1/friends/ids\\.json"), Access::Token,
                    [this](ApiRequest &r) { return followIds(r, false); });
    front->addRoute("GET", QStringLiteral("/1/followers/ids\\.json"), Access::Token,
                    [this](ApiRequest &r) { return followIds(r, true); });
    route("GET", QStringLiteral("/1/friendships/exists\\.json"), &UserService::friendshipExists);
    route("POST", QStringLiteral("/1/friendships/create\\.json"), &UserService::follow);
    route("POST", QStringLiteral("/1/friendships/destroy\\.json"), &UserService::unfollow);
    route("POST", QStringLiteral("/1/blocks/create\\.json"), &UserService::block);
    route("POST", QStringLiteral("/1/blocks/destroy\\.json"), &UserService::unblock);
    route("GET", QStringLiteral("/1/blocks/blocking/ids\\.json"), &UserService::blockedIds);
    route("GET", QStringLiteral("/1/account/verify_credentials\\.json"),
          &UserService::verifyCredentials);
    route("POST", QStringLiteral("/1/account/update_profile\\.json"), &UserService::updateProfile);
    route("POST", QStringLiteral("/1/account/update_profile_image\\.json"),
          &UserService::updateProfileImage);
}

qint64 UserService::namedUser(const SandboxContext *context, const ApiRequest &request,
                              bool fallbackToViewer)
{
    if (!request.value(QStringLiteral("user_id")).trimmed().isEmpty()) {
        const qint64 id = request.requiredId(QStringLiteral("user_id"));
        if (!context->db->exists(QStringLiteral("SELECT 1 FROM users WHERE id = ? AND deleted = 0"),
                                 {id}))
            throw ApiError::notFound();
        return id;
    }
    const QString name = request.value(QStringLiteral("screen_name")).trimmed();
    if (name.isEmpty()) {
        if (fallbackToViewer && request.userId)
            return request.userId;
        throw ApiError::missing(QStringLiteral("screen_name"));
    }
    const qint64 id = context->accounts->userIdByName(name);
    if (!id)
        throw ApiError::notFound();
    return id;
}

ApiReply UserService::userAnswer(const ApiRequest &request, qint64 userId)
{
    RecordBuilder builder(*m_context, request.userId);
    return ApiReply::json(builder.user(userId));
}

ApiReply UserService::show(const ApiRequest &request)
{
    return userAnswer(request, namedUser(m_context, request, false));
}

ApiReply UserService::lookup(const ApiRequest &request)
{
    QList<qint64> ids;
    const QString idList = request.value(QStringLiteral("user_id")).trimmed();
    const QString nameList = request.value(QStringLiteral("screen_name")).trimmed();
    if (!idList.isEmpty()) {
        const QStringList parts = idList.split(QLatin1Char(','), Qt::SkipEmptyParts);
        if (parts.size() > maxLookup)
            throw ApiError::invalid(QStringLiteral("user_id"));
        for (const QString &part : parts) {
            const auto id = ApiRequest::parseId(part.trimmed());
            if (!id)
                throw ApiError::invalid(QStringLiteral("user_id"));
            if (m_context->db->exists(
                    QStringLiteral("SELECT 1 FROM users WHERE id = ? AND deleted = 0"), {*id}))
                ids.append(*id);
        }
    } else if (!nameList.isEmpty()) {
        const QStringList parts = nameList.split(QLatin1Char(','), Qt::SkipEmptyParts);
        if (parts.size() > maxLookup)
            throw ApiError::invalid(QStringLiteral("screen_name"));
        for (const QString &part : parts) {
            if (const qint64 id = m_context->accounts->userIdByName(part.trimmed()))
                ids.append(id);
        }
    } else {
        throw ApiError::missing(QStringLiteral("user_id"));
    }
    RecordBuilder builder(*m_context, request.userId);
    return ApiReply::json(builder.users(ids));
}

ApiReply UserService::search(const ApiRequest &request)
{
    const QString q = request.required(QStringLiteral("q")).trimmed();
    const int perPage = request.count(QStringLiteral("per_page"), 20, 200);
    const int page = request.page();
    struct Candidate
    {
        int rank;
        QString screenName;
        qint64 id;
    };
    QList<Candidate> found;
    QSqlQuery rows = m_context->db->exec(
        QStringLiteral("SELECT id, screen_name, name FROM users WHERE deleted = 0"));
    while (rows.next()) {
        const QString screenName = rows.value(1).toString();
        const QString name = rows.value(2).toString();
        if (!screenName.contains(q, Qt::CaseInsensitive) && !name.contains(q, Qt::CaseInsensitive))
            continue;
        const int rank = screenName.compare(q, Qt::CaseInsensitive) == 0 ? 0
            : screenName.startsWith(q, Qt::CaseInsensitive)              ? 1
                                                                         : 2;
        found.append({rank, screenName, rows.value(0).toLongLong()});
    }
    std::sort(found.begin(), found.end(), [](const Candidate &a, const Candidate &b) {
        if (a.rank != b.rank)
            return a.rank < b.rank;
        return a.screenName.compare(b.screenName, Qt::CaseInsensitive) < 0;
    });
    QList<qint64> ids;
    const qint64 first = qint64(page - 1) * perPage;
    for (qint64 i = first; i < found.size() && i < first + perPage; ++i)
        ids.append(found.at(int(i)).id);
    RecordBuilder builder(*m_context, request.userId);
    return ApiReply::json(builder.users(ids));
}

ApiReply UserService::followIds(const ApiRequest &request, bool followers)
{
    const qint64 user = namedUser(m_context, request, true);
    const qint64 cursor = request.cursor();
    const qint64 offset = cursor > 0 ? cursor : 0;
    const QString sql =
        QStringLiteral("SELECT %1 FROM follows WHERE %2 = ? AND pending = 0"
                       " ORDER BY created_at DESC, rowid DESC LIMIT %3 OFFSET %4")
            .arg(followers ? QStringLiteral("follower_id") : QStringLiteral("followee_id"),
                 followers ? QStringLiteral("followee_id") : QStringLiteral("follower_id"))
            .arg(idsPerPage + 1)
            .arg(offset);
    QList<qint64> ids = m_context->db->ids(sql, {user});
    const bool more = ids.size() > idsPerPage;
    if (more)
        ids.removeLast();
    QJsonArray idArray;
    for (qint64 id : std::as_const(ids))
        idArray.append(QString::number(id));
    QJsonObject answer {{QStringLiteral("ids"), idArray}};
    RecordBuilder::putId(answer, QStringLiteral("next_cursor"), 0);
    RecordBuilder::putId(answer, QStringLiteral("previous_cursor"), 0);
    if (more)
        RecordBuilder::putId(answer, QStringLiteral("next_cursor"), offset + idsPerPage);
    if (offset > 0) {
        const qint64 previous = offset - idsPerPage;
        RecordBuilder::putId(answer, QStringLiteral("previous_cursor"),
                             previous > 0 ? previous : -1);
    }
    return ApiReply::json(answer);
}

ApiReply UserService::friendshipExists(const ApiRequest &request)
{
    const qint64 a = m_context->accounts->userIdByName(request.required(QStringLiteral("user_a")));
    const qint64 b = m_context->accounts->userIdByName(request.required(QStringLiteral("user_b")));
    if (!a || !b)
        throw ApiError::notFound();
    return ApiReply::json(
        QJsonObject {{QStringLiteral("friends"), m_context->rules->follows(a, b)}});
}

ApiReply UserService::follow(const ApiRequest &request)
{
    const qint64 me = request.userId;
    const qint64 target = namedUser(m_context, request, false);
    if (target == me)
        throw ApiError::forbidden(QStringLiteral("You cannot follow yourself."));
    AccessRules *rules = m_context->rules;
    if (rules->blockedEitherWay(me, target))
        throw ApiError::notAuthorized();
    Database *db = m_context->db;
    Database::Transaction tx(db);
    QList<StreamHub::Notice> notices;
    if (!db->exists(
            QStringLiteral("SELECT 1 FROM follows WHERE follower_id = ? AND followee_id = ?"),
            {me, target})) {
        // Following a protected account is a request until the account approves it.
        const bool pending = rules->isProtected(target);
        db->exec(
            QStringLiteral("INSERT INTO follows (follower_id, followee_id, created_at, pending)"
                           " VALUES (?, ?, ?, ?)"),
            {me, target, QDateTime::currentSecsSinceEpoch(), pending ? 1 : 0});
        if (!pending)
            notices = m_context->hub->event(QStringLiteral("follow"), me, target);
    }
    RecordBuilder builder(*m_context, me);
    const QJsonObject record = builder.user(target);
    tx.commit();
    m_context->hub->deliver(notices);
    return ApiReply::json(record);
}

ApiReply UserService::unfollow(const ApiRequest &request)
{
    const qint64 me = request.userId;
    const qint64 target = namedUser(m_context, request, false);
    Database *db = m_context->db;
    Database::Transaction tx(db);
    QList<StreamHub::Notice> notices;
    if (m_context->rules->follows(me, target))
        notices = m_context->hub->event(QStringLiteral("unfollow"), me, target);
    db->exec(QStringLiteral("DELETE FROM follows WHERE follower_id = ? AND followee_id = ?"),
             {me, target});
    RecordBuilder builder(*m_context, me);
    const QJsonObject record = builder.user(target);
    tx.commit();
    m_context->hub->deliver(notices);
    return ApiReply::json(record);
}

ApiReply UserService::block(const ApiRequest &request)
{
    const qint64 me = request.userId;
    const qint64 target = namedUser(m_context, request, false);
    if (target == me)
        throw ApiError::forbidden(QStringLiteral("You cannot block yourself."));
    Database *db = m_context->db;
    Database::Transaction tx(db);
    QList<StreamHub::Notice> notices;
    if (!m_context->rules->blocks(me, target)) {
        db->exec(QStringLiteral("INSERT INTO blocks (blocker_id, blocked_id, created_at)"
                                " VALUES (?, ?, ?)"),
                 {me, target, QDateTime::currentSecsSinceEpoch()});
        notices = m_context->hub->event(QStringLiteral("block"), me, target);
    }
    db->exec(QStringLiteral("DELETE FROM follows WHERE (follower_id = ? AND followee_id = ?)"
                            " OR (follower_id = ? AND followee_id = ?)"),
             {me, target, target, me});
    RecordBuilder builder(*m_context, me);
    const QJsonObject record = builder.user(target);
    tx.commit();
    m_context->hub->deliver(notices);
    return ApiReply::json(record);
}

ApiReply UserService::unblock(const ApiRequest &request)
{
    const qint64 me = request.userId;
    const qint64 target = namedUser(m_context, request, false);
    Database *db = m_context->db;
    Database::Transaction tx(db);
    QList<StreamHub::Notice> notices;
    if (m_context->rules->blocks(me, target)) {
        db->exec(QStringLiteral("DELETE FROM blocks WHERE blocker_id = ? AND blocked_id = ?"),
                 {me, target});
        notices = m_context->hub->event(QStringLiteral("unblock"), me, target);
    }
    RecordBuilder builder(*m_context, me);
    const QJsonObject record = builder.user(target);
    tx.commit();
    m_context->hub->deliver(notices);
    return ApiReply::json(record);
}

ApiReply UserService::blockedIds(const ApiRequest &request)
{
    QJsonArray ids;
    const QList<qint64> blocked =
        m_context->db->ids(QStringLiteral("SELECT blocked_id FROM blocks WHERE blocker_id = ?"
                                          " ORDER BY created_at DESC, rowid DESC"),
                           {request.userId});
    for (qint64 id : blocked)
        ids.append(QString::number(id));
    return ApiReply::json(ids);
}
