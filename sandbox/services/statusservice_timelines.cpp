// The reading side of StatusService: timelines, favourites and one status.
#include "statusservice.h"

#include "accessrules.h"
#include "accountstore.h"
#include "apierror.h"
#include "apirequest.h"
#include "database.h"
#include "recordbuilder.h"
#include "userservice.h"

static const int defaultCount = 20;
static const int maxCount = 200;

QList<qint64> StatusService::timeline(const ApiRequest &request, const QString &condition,
                                      bool paged)
{
    const int count = request.count(QStringLiteral("count"), defaultCount, maxCount);
    QString sql = QStringLiteral("SELECT s.id") + AccessRules::statusJoins()
        + QStringLiteral("WHERE (") + condition + QStringLiteral(") AND")
        + AccessRules::listingFilter(request.userId);
    if (const auto since = request.optionalId(QStringLiteral("since_id")))
        sql += QStringLiteral(" AND s.id > %1").arg(*since);
    if (const auto max = request.optionalId(QStringLiteral("max_id")))
        sql += QStringLiteral(" AND s.id <= %1").arg(*max);
    sql += QStringLiteral(" ORDER BY s.id DESC LIMIT %1").arg(count);
    if (paged)
        sql += QStringLiteral(" OFFSET %1").arg(qint64(request.page() - 1) * count);
    return m_context->db->ids(sql);
}

ApiReply StatusService::answer(const ApiRequest &request, const QList<qint64> &ids)
{
    RecordBuilder builder(*m_context, request.userId);
    builder.setIncludeEntities(request.flag(QStringLiteral("include_entities")));
    builder.setIncludeMyRetweet(request.flag(QStringLiteral("include_my_retweet")));
    return ApiReply::json(builder.statuses(ids));
}

ApiReply StatusService::homeTimeline(const ApiRequest &request)
{
    const QString me = QString::number(request.userId);
    return answer(request,
                  timeline(request,
                           QStringLiteral("s.user_id = %1 OR s.user_id IN (SELECT followee_id"
                                          " FROM follows WHERE follower_id = %1 AND pending = 0)")
                               .arg(me)));
}

ApiReply StatusService::mentions(const ApiRequest &request)
{
    const QString me = QString::number(request.userId);
    return answer(request,
                  timeline(request,
                           QStringLiteral("s.retweet_of IS NULL AND s.user_id <> %1 AND s.id IN"
                                          " (SELECT status_id FROM mentions WHERE user_id = %1)")
                               .arg(me)));
}

ApiReply StatusService::retweetedByMe(const ApiRequest &request)
{
    return answer(
        request,
        timeline(
            request,
            QStringLiteral("s.user_id = %1 AND s.retweet_of IS NOT NULL").arg(request.userId)));
}

ApiReply StatusService::retweetsOfMe(const ApiRequest &request)
{
    return answer(request,
                  timeline(request,
                           QStringLiteral("s.user_id = %1 AND s.retweet_of IS NULL AND EXISTS"
                                          " (SELECT 1 FROM statuses r WHERE r.retweet_of = s.id"
                                          " AND r.user_id <> %1)")
                               .arg(request.userId)));
}

ApiReply StatusService::publicTimeline(const ApiRequest &request)
{
    // Only count and include_entities apply here.
    const int count = request.count(QStringLiteral("count"), defaultCount, maxCount);
    const QString sql = QStringLiteral("SELECT s.id") + AccessRules::statusJoins()
        + QStringLiteral("WHERE u.protected = 0 AND (o.id IS NULL OR ou.protected = 0)"
                         " AND")
        + AccessRules::listingFilter(request.userId)
        + QStringLiteral(" ORDER BY s.id DESC LIMIT %1").arg(count);
    RecordBuilder builder(*m_context, request.userId);
    builder.setIncludeEntities(request.flag(QStringLiteral("include_entities")));
    return ApiReply::json(builder.statuses(m_context->db->ids(sql)));
}

ApiReply StatusService::userTimeline(const ApiRequest &request)
{
    const qint64 user = UserService::namedUser(m_context, request, true);
    if (user != request.userId && m_context->rules->isProtected(user)
        && !m_context->rules->follows(request.userId, user)) {
        throw ApiError::notAuthorized();
    }
    QString condition = QStringLiteral("s.user_id = %1").arg(user);
    if (!request.flag(QStringLiteral("include_rts")))
        condition += QStringLiteral(" AND s.retweet_of IS NULL");
    return answer(request, timeline(request, condition));
}

ApiReply StatusService::favorites(const ApiRequest &request)
{
    const qint64 user = UserService::namedUser(m_context, request, true);
    const int count = request.count(QStringLiteral("count"), defaultCount, maxCount);
    const qint64 offset = qint64(request.page() - 1) * count;
    const QString sql = QStringLiteral("SELECT s.id") + AccessRules::statusJoins()
        + QStringLiteral("JOIN favorites f ON f.status_id = s.id WHERE f.user_id = %1"
                         " AND")
              .arg(user)
        + AccessRules::listingFilter(request.userId)
        + QStringLiteral(" ORDER BY f.created_at DESC, f.rowid DESC LIMIT %1 OFFSET %2")
              .arg(count)
              .arg(offset);
    return answer(request, m_context->db->ids(sql));
}

ApiReply StatusService::show(const ApiRequest &request)
{
    const qint64 id = request.requiredId(QStringLiteral("id"));
    requireVisible(request.userId, id);
    RecordBuilder builder(*m_context, request.userId);
    builder.setIncludeEntities(request.flag(QStringLiteral("include_entities")));
    builder.setIncludeMyRetweet(request.flag(QStringLiteral("include_my_retweet")));
    return ApiReply::json(builder.status(id));
}
