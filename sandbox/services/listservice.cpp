#include "listservice.h"

#include "accessrules.h"
#include "apierror.h"
#include "apirequest.h"
#include "database.h"
#include "httpfront.h"
#include "recordbuilder.h"
#include "streamhub.h"
#include "userservice.h"

#include <QDateTime>
#include <QJsonArray>
#include <QRegularExpression>

// The offset a cursor stands for, and the cursors around a page.
static qint64 offsetOf(qint64 cursor)
{
    return cursor > 0 ? cursor : 0;
}

static void putCursors(QJsonObject &answer, qint64 offset, int pageSize, bool more)
{
    RecordBuilder::putId(answer, QStringLiteral("next_cursor"), more ? offset + pageSize : 0);
    qint64 previous = 0;
    if (offset > 0)
        previous = offset - pageSize > 0 ? offset - pageSize : -1;
    RecordBuilder::putId(answer, QStringLiteral("previous_cursor"), previous);
}

ListService::ListService(SandboxContext *context, QObject *parent)
    : QObject(parent)
    , m_context(context)
{ }

void ListService::registerRoutes(HttpFront *front)
{
    using Access = HttpFront::Access;
    const auto route = [this, front](const QByteArray &method, const QString &path,
                                     ApiReply (ListService::*handler)(const ApiRequest &)) {
        front->addRoute(method, path, Access::Token,
                        [this, handler](ApiRequest &r) { return (this->*handler)(r); });
    };
    route("GET", QStringLiteral("/1/lists\\.json"), &ListService::ownLists);
    route("GET", QStringLiteral("/1/lists/memberships\\.json"), &ListService::memberships);
    route("GET", QStringLiteral("/1/lists/subscriptions\\.json"), &ListService::subscriptions);
    route("GET", QStringLiteral("/1/lists/show\\.json"), &ListService::show);
    route("GET", QStringLiteral("/1/lists/statuses\\.json"), &ListService::statuses);
    route("GET", QStringLiteral("/1/lists/members\\.json"), &ListService::members);
    front->addRoute("POST", QStringLiteral("/1/lists/subscribers/create\\.json"), Access::Token,
                    [this](ApiRequest &r) { return setSubscribed(r, true); });
    front->addRoute("POST", QStringLiteral("/1/lists/subscribers/destroy\\.json"), Access::Token,
                    [this](ApiRequest &r) { return setSubscribed(r, false); });
}

qint64 ListService::create(qint64 owner, const QString &name, const QString &description,
                           bool isPrivate)
{
    Database *db = m_context->db;
    const qint64 id = db->nextId(QStringLiteral("lists"), 300);
    QString slug = name.toLower();
    slug.replace(QRegularExpression(QStringLiteral("[^a-z0-9]+")), QStringLiteral("-"));
    slug.remove(QRegularExpression(QStringLiteral("^-+|-+$")));
    db->exec(QStringLiteral("INSERT INTO lists (id, owner_id, name, slug, description, mode,"
                            " created_at) VALUES (?, ?, ?, ?, ?, ?, ?)"),
             {id, owner, name, slug.isEmpty() ? QString::number(id) : slug, description,
              isPrivate ? QStringLiteral("private") : QStringLiteral("public"),
              QDateTime::currentSecsSinceEpoch()});
    return id;
}

void ListService::addMember(qint64 listId, qint64 userId)
{
    m_context->db->exec(QStringLiteral("INSERT OR IGNORE INTO list_members (list_id, user_id,"
                                       " created_at) VALUES (?, ?, ?)"),
                        {listId, userId, QDateTime::currentSecsSinceEpoch()});
}

void ListService::subscribe(qint64 listId, qint64 userId)
{
    m_context->db->exec(QStringLiteral("INSERT OR IGNORE INTO list_subscribers (list_id, user_id,"
                                       " created_at) VALUES (?, ?, ?)"),
                        {listId, userId, QDateTime::currentSecsSinceEpoch()});
}

qint64 ListService::visibleList(const ApiRequest &request) const
{
    const qint64 id = request.requiredId(QStringLiteral("list_id"));
    QSqlQuery q =
        m_context->db->exec(QStringLiteral("SELECT owner_id, mode FROM lists WHERE id = ?"), {id});
    if (!q.next())
        throw ApiError::notFound();
    if (q.value(1).toString() == QLatin1String("private")
        && q.value(0).toLongLong() != request.userId)
        throw ApiError::notFound();
    return id;
}

ApiReply ListService::cursoredLists(const ApiRequest &request, const QString &sql,
                                    const QVariantList &binds)
{
    const qint64 offset = offsetOf(request.cursor());
    QList<qint64> ids = m_context->db->ids(
        sql + QStringLiteral(" LIMIT %1 OFFSET %2").arg(listsPerPage + 1).arg(offset), binds);
    const bool more = ids.size() > listsPerPage;
    if (more)
        ids.removeLast();
    RecordBuilder builder(*m_context, request.userId);
    QJsonArray lists;
    for (qint64 id : std::as_const(ids))
        lists.append(builder.list(id));
    QJsonObject answer {{QStringLiteral("lists"), lists}};
    putCursors(answer, offset, listsPerPage, more);
    return ApiReply::json(answer);
}

// Private lists are listed for their owner only.
static QString visibleToViewer(qint64 viewer)
{
    return QStringLiteral("(l.mode = 'public' OR l.owner_id = %1)").arg(viewer);
}

ApiReply ListService::ownLists(const ApiRequest &request)
{
    const qint64 user = UserService::namedUser(m_context, request, true);
    return cursoredLists(request,
                         QStringLiteral("SELECT l.id FROM lists l WHERE l.owner_id = ? AND ")
                             + visibleToViewer(request.userId) + QStringLiteral(" ORDER BY l.id"),
                         {user});
}

ApiReply ListService::memberships(const ApiRequest &request)
{
    const qint64 user = UserService::namedUser(m_context, request, true);
    return cursoredLists(request,
                         QStringLiteral("SELECT l.id FROM lists l JOIN list_members m"
                                        " ON m.list_id = l.id WHERE m.user_id = ? AND ")
                             + visibleToViewer(request.userId)
                             + QStringLiteral(" ORDER BY m.created_at DESC, l.id"),
                         {user});
}

ApiReply ListService::subscriptions(const ApiRequest &request)
{
    const qint64 user = UserService::namedUser(m_context, request, true);
    return cursoredLists(request,
                         QStringLiteral("SELECT l.id FROM lists l JOIN list_subscribers s"
                                        " ON s.list_id = l.id WHERE s.user_id = ? AND ")
                             + visibleToViewer(request.userId)
                             + QStringLiteral(" ORDER BY s.created_at DESC, l.id"),
                         {user});
}

ApiReply ListService::show(const ApiRequest &request)
{
    const qint64 id = visibleList(request);
    RecordBuilder builder(*m_context, request.userId);
    return ApiReply::json(builder.list(id));
}

ApiReply ListService::statuses(const ApiRequest &request)
{
    const qint64 id = visibleList(request);
    const int count = request.has(QStringLiteral("per_page"))
        ? request.count(QStringLiteral("per_page"), 20, 200)
        : request.count(QStringLiteral("count"), 20, 200);
    QString sql = QStringLiteral("SELECT s.id") + AccessRules::statusJoins()
        + QStringLiteral("WHERE s.user_id IN (SELECT user_id FROM list_members"
                         " WHERE list_id = %1) AND")
              .arg(id)
        + AccessRules::listingFilter(request.userId);
    if (!request.flag(QStringLiteral("include_rts")))
        sql += QStringLiteral(" AND s.retweet_of IS NULL");
    if (const auto since = request.optionalId(QStringLiteral("since_id")))
        sql += QStringLiteral(" AND s.id > %1").arg(*since);
    if (const auto max = request.optionalId(QStringLiteral("max_id")))
        sql += QStringLiteral(" AND s.id <= %1").arg(*max);
    sql += QStringLiteral(" ORDER BY s.id DESC LIMIT %1 OFFSET %2")
               .arg(count)
               .arg(qint64(request.page() - 1) * count);
    RecordBuilder builder(*m_context, request.userId);
    builder.setIncludeEntities(request.flag(QStringLiteral("include_entities")));
    builder.setIncludeMyRetweet(request.flag(QStringLiteral("include_my_retweet")));
    return ApiReply::json(builder.statuses(m_context->db->ids(sql)));
}

ApiReply ListService::members(const ApiRequest &request)
{
    const qint64 id = visibleList(request);
    const qint64 offset = offsetOf(request.cursor());
    QList<qint64> ids = m_context->db->ids(
        QStringLiteral("SELECT m.user_id FROM list_members m JOIN users u ON u.id = m.user_id"
                       " WHERE m.list_id = ? AND u.deleted = 0 ORDER BY m.created_at DESC,"
                       " m.rowid DESC LIMIT %1 OFFSET %2")
            .arg(membersPerPage + 1)
            .arg(offset),
        {id});
    const bool more = ids.size() > membersPerPage;
    if (more)
        ids.removeLast();
    RecordBuilder builder(*m_context, request.userId);
    QJsonObject answer {{QStringLiteral("users"), builder.users(ids)}};
    putCursors(answer, offset, membersPerPage, more);
    return ApiReply::json(answer);
}

ApiReply ListService::setSubscribed(const ApiRequest &request, bool subscribed)
{
    const qint64 me = request.userId;
    const qint64 id = visibleList(request);
    Database *db = m_context->db;
    Database::Transaction tx(db);
    QList<StreamHub::Notice> notices;
    const bool was = db->exists(
        QStringLiteral("SELECT 1 FROM list_subscribers WHERE list_id = ? AND user_id = ?"),
        {id, me});
    if (subscribed && !was) {
        subscribe(id, me);
        const qint64 owner =
            db->integer(QStringLiteral("SELECT owner_id FROM lists WHERE id = ?"), {id});
        notices = m_context->hub->event(QStringLiteral("list_user_subscribed"), me, owner, id);
    } else if (!subscribed && was) {
        db->exec(QStringLiteral("DELETE FROM list_subscribers WHERE list_id = ? AND user_id = ?"),
                 {id, me});
    }
    RecordBuilder builder(*m_context, me);
    const QJsonObject record = builder.list(id);
    tx.commit();
    m_context->hub->deliver(notices);
    return ApiReply::json(record);
}
