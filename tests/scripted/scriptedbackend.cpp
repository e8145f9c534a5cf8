#include "scriptedbackend.h"

ScriptedBackend::ScriptedBackend(const QStringList &credentials, QObject *parent)
    : Zr::Zirrup(credentials.value(0), credentials.value(1), credentials.value(2),
                 credentials.value(3), credentials.value(4), credentials.value(5), parent)
    , m_credentials(credentials)
{ }

QList<ScriptedCall> ScriptedBackend::calls(const QString &method) const
{
    QList<ScriptedCall> result;
    for (const ScriptedCall &call : m_calls) {
        if (call.method == method)
            result.append(call);
    }
    return result;
}

ScriptedCall ScriptedBackend::lastCall(const QString &method, int type) const
{
    for (auto it = m_calls.crbegin(); it != m_calls.crend(); ++it) {
        if (it->method == method && (type == -2 || it->type == type))
            return *it;
    }
    return ScriptedCall();
}

int ScriptedBackend::record(ScriptedCall call, int *queryId, QVariantList *list)
{
    call.listPassed = call.listPassed || list;
    const int result = m_results.value(call.method, Zr::RequestSent);
    call.queryId = result == Zr::RequestSent ? m_nextId++ : -1;
    if (queryId)
        *queryId = call.queryId;
    if (list && m_cached.contains(call.method))
        *list = m_cached.value(call.method);
    m_calls.append(call);
    return result;
}

// Only the requests some test answers have a completion here.
void ScriptedBackend::complete(const ScriptedCall &call, const QVariantList &data)
{
    const QString &m = call.method;
    const int id = call.queryId;
    if (m == QLatin1String("retrieveTimelineResources"))
        Q_EMIT timelineUpdated(TimelineType::TimelineType(call.type), data, id);
    else if (m == QLatin1String("retrieveStatus"))
        Q_EMIT statusUpdated(data, id);
    else if (m == QLatin1String("writeStatus"))
        Q_EMIT statusWritten(id);
    else if (m == QLatin1String("postStatusWithMedia"))
        Q_EMIT postedStatusWithMedia(data, id);
    else if (m == QLatin1String("retweetStatus"))
        Q_EMIT statusRetweeted(data, call.args, id);
    else if (m == QLatin1String("retrieveFavorites"))
        Q_EMIT favoritesUpdated(data, id);
    else if (m == QLatin1String("retrieveDirectMessages"))
        Q_EMIT directMessageUpdated(DirectMessageType::DirectMessageType(call.type), data, id);
    else if (m == QLatin1String("deleteDirectMessage"))
        Q_EMIT directMessageDeleted(call.args, id);
    else if (m == QLatin1String("retrieveUserResources"))
        Q_EMIT userUpdated(UserType::UserType(call.type), data, id);
    else if (m == QLatin1String("retrieveFaFResources"))
        Q_EMIT friedsAndFollowersUpdated(call.args, data, id);
    else if (m == QLatin1String("createFriendship"))
        Q_EMIT friendshipCreated(data, id);
    else if (m == QLatin1String("destroyFriendship"))
        Q_EMIT friendshipDestroyed(data, id);
    else if (m == QLatin1String("friendshipExists"))
        Q_EMIT friendshipFetched(data, id);
    else if (m == QLatin1String("createBlock"))
        Q_EMIT blockCreated(data, id);
    else if (m == QLatin1String("retrieveBlockedIdsList"))
        Q_EMIT blockedIdsList(data, id);
    else if (m == QLatin1String("retrieveTrends"))
        Q_EMIT trendsUpdated(TrendType::TrendType(call.type), data, id);
    else if (m == QLatin1String("retrieveSavedSearch"))
        Q_EMIT savedSearchCompleted(SSType::SSType(call.type), data, id);
    else if (m == QLatin1String("retrieveGeo"))
        Q_EMIT geoCompleted(GeoType::GeoType(call.type), data, id);
    else if (m == QLatin1String("retrieveList"))
        Q_EMIT listCompleted(ListType::ListType(call.type), data, id);
    else if (m == QLatin1String("searchResources"))
        Q_EMIT searchCompleted(SearchType::SearchType(call.type), data, id);
    else if (m == QLatin1String("retrieveHelp"))
        Q_EMIT helpRetrieved(HelpType::HelpType(call.type), data, call.args, id);
    else if (m == QLatin1String("retrieveTinyUrlImage"))
        Q_EMIT tinyUrlImageLoaded(data.value(0).toString(), id);
    else if (m == QLatin1String("UrlToSnip"))
        Q_EMIT urlToSnipConverted(call.url, data.value(0).toString(), id);
    else
        qFatal("ScriptedBackend::complete: %s has no completion", qPrintable(m));
}
