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
    const int id = call.queryId;
    const int type = call.type;
#define SCRIPTED_COMPLETION(name, signal)                                                          \
    if (call.method == QLatin1String(#name))                                                       \
        return void(Q_EMIT signal);
    SCRIPTED_COMPLETION(retrieveTimelineResources,
                        timelineUpdated(TimelineType::TimelineType(type), data, id))
    SCRIPTED_COMPLETION(retrieveStatus, statusUpdated(data, id))
    SCRIPTED_COMPLETION(writeStatus, statusWritten(id))
    SCRIPTED_COMPLETION(postStatusWithMedia, postedStatusWithMedia(data, id))
    SCRIPTED_COMPLETION(retweetStatus, statusRetweeted(data, call.args, id))
    SCRIPTED_COMPLETION(retrieveFavorites, favoritesUpdated(data, id))
    SCRIPTED_COMPLETION(retrieveDirectMessages,
                        directMessageUpdated(DirectMessageType::DirectMessageType(type), data, id))
    SCRIPTED_COMPLETION(deleteDirectMessage, directMessageDeleted(call.args, id))
    SCRIPTED_COMPLETION(retrieveUserResources, userUpdated(UserType::UserType(type), data, id))
    SCRIPTED_COMPLETION(retrieveFaFResources, friedsAndFollowersUpdated(call.args, data, id))
    SCRIPTED_COMPLETION(createFriendship, friendshipCreated(data, id))
    SCRIPTED_COMPLETION(destroyFriendship, friendshipDestroyed(data, id))
    SCRIPTED_COMPLETION(friendshipExists, friendshipFetched(data, id))
    SCRIPTED_COMPLETION(createBlock, blockCreated(data, id))
    SCRIPTED_COMPLETION(retrieveBlockedIdsList, blockedIdsList(data, id))
    SCRIPTED_COMPLETION(retrieveTrends, trendsUpdated(TrendType::TrendType(type), data, id))
    SCRIPTED_COMPLETION(retrieveSavedSearch, savedSearchCompleted(SSType::SSType(type), data, id))
    SCRIPTED_COMPLETION(retrieveGeo, geoCompleted(GeoType::GeoType(type), data, id))
    SCRIPTED_COMPLETION(retrieveList, listCompleted(ListType::ListType(type), data, id))
    SCRIPTED_COMPLETION(searchResources, searchCompleted(SearchType::SearchType(type), data, id))
    SCRIPTED_COMPLETION(retrieveHelp, helpRetrieved(HelpType::HelpType(type), data, call.args, id))
    SCRIPTED_COMPLETION(retrieveTinyUrlImage, tinyUrlImageLoaded(data.value(0).toString(), id))
    SCRIPTED_COMPLETION(UrlToSnip, urlToSnipConverted(call.url, data.value(0).toString(), id))
#undef SCRIPTED_COMPLETION
    qFatal("ScriptedBackend::complete: %s has no completion", qPrintable(call.method));
}
