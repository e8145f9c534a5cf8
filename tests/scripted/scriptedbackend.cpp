#include "scriptedbackend.h"

namespace {
ScriptedCall makeCall(const char *method, const Zr::ArgMap &args = Zr::ArgMap(), int type = -1,
                      int behavior = -1)
{
    ScriptedCall call;
    call.method = QLatin1String(method);
    call.args = args;
    call.type = type;
    call.behavior = behavior;
    return call;
}
} // namespace

ScriptedBackend::ScriptedBackend(const QStringList &credentials, QObject *parent)
    : Zr::Zirrup(credentials.value(0), credentials.value(1), credentials.value(2),
                 credentials.value(3), credentials.value(4), credentials.value(5), parent)
    , m_credentials(credentials)
{ }

void ScriptedBackend::setCachedRecords(const QString &method, const QVariantList &records)
{
    m_cached.insert(method, records);
}

QList<ScriptedCall> ScriptedBackend::calls(const QString &method) const
{
    QList<ScriptedCall> result;
    for (const ScriptedCall &call : m_calls) {
        if (call.method == method)
            result.append(call);
    }
    return result;
}

int ScriptedBackend::callCount(const QString &method) const
{
    return calls(method).size();
}

ScriptedCall ScriptedBackend::lastCall(const QString &method) const
{
    for (auto it = m_calls.crbegin(); it != m_calls.crend(); ++it) {
        if (method.isEmpty() || it->method == method)
            return *it;
    }
    return ScriptedCall();
}

ScriptedCall ScriptedBackend::lastCall(const QString &method, int type, int behavior) const
{
    for (auto it = m_calls.crbegin(); it != m_calls.crend(); ++it) {
        if (it->method == method && it->type == type
            && (behavior == -2 || it->behavior == behavior))
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
    else if (m == QLatin1String("deleteStatus"))
        Q_EMIT statusDeleted(call.args, id);
    else if (m == QLatin1String("createFavorite"))
        Q_EMIT favoriteCreated(data, id);
    else if (m == QLatin1String("destroyFavorite"))
        Q_EMIT favoriteDestroyed(data, id);
    else if (m == QLatin1String("retrieveFavorites"))
        Q_EMIT favoritesUpdated(data, id);
    else if (m == QLatin1String("retrieveDirectMessages"))
        Q_EMIT directMessageUpdated(DirectMessageType::DirectMessageType(call.type), data, id);
    else if (m == QLatin1String("writeDirectMessage"))
        Q_EMIT directMessageWritten(data, id);
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
    else if (m == QLatin1String("destroyBlock"))
        Q_EMIT blockDestroyed(data, id);
    else if (m == QLatin1String("retrieveBlockedIdsList"))
        Q_EMIT blockedIdsList(data, id);
    else if (m == QLatin1String("retrieveAccountResources"))
        Q_EMIT accountUpdated(AccountType::AccountType(call.type), data, id);
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
        qWarning("ScriptedBackend::complete: %s has no completion", qPrintable(m));
}

void ScriptedBackend::fail(const ScriptedCall &call, const QVariantMap &err)
{
    Q_EMIT networkRequestError(call.queryId, err);
}

void ScriptedBackend::fail(const ScriptedCall &call, const QString &errorText)
{
    fail(call, QVariantMap {{QStringLiteral("error"), errorText}});
}

// Requests that carry arguments only.
#define SCRIPTED_REQUEST(name)                                                                     \
    int ScriptedBackend::name(const Zr::ArgMap &args, int *queryId)                                \
    {                                                                                              \
        return record(makeCall(#name, args), queryId);                                             \
    }
SCRIPTED_REQUEST(writeStatus)
SCRIPTED_REQUEST(retweetStatus)
SCRIPTED_REQUEST(deleteStatus)
SCRIPTED_REQUEST(createFavorite)
SCRIPTED_REQUEST(destroyFavorite)
SCRIPTED_REQUEST(writeDirectMessage)
SCRIPTED_REQUEST(deleteDirectMessage)
SCRIPTED_REQUEST(createFriendship)
SCRIPTED_REQUEST(destroyFriendship)
SCRIPTED_REQUEST(createBlock)
SCRIPTED_REQUEST(destroyBlock)
#undef SCRIPTED_REQUEST

// Reads of one kind of list.
#define SCRIPTED_READ(name, Type)                                                                  \
    int ScriptedBackend::name(QVariantList *list, int *queryId, const Type &type,                  \
                              const Zr::ArgMap &args, Zr::RetrieveBehavior behavior)               \
    {                                                                                              \
        return record(makeCall(#name, args, type, behavior), queryId, list);                       \
    }
SCRIPTED_READ(retrieveTimelineResources, TimelineType::TimelineType)
SCRIPTED_READ(retrieveDirectMessages, DirectMessageType::DirectMessageType)
SCRIPTED_READ(retrieveUserResources, UserType::UserType)
SCRIPTED_READ(retrieveTrends, TrendType::TrendType)
#undef SCRIPTED_READ

int ScriptedBackend::retrieveStatus(QVariantList *list, const Zr::ArgMap &args, int *queryId)
{
    return record(makeCall("retrieveStatus", args), queryId, list);
}

int ScriptedBackend::friendshipExists(QVariantList *list, const Zr::ArgMap &args, int *queryId)
{
    return record(makeCall("friendshipExists", args), queryId, list);
}

int ScriptedBackend::postStatusWithMedia(const Zr::ArgMap &args, int *queryId,
                                         const QMap<QString, QByteArray> &files)
{
    ScriptedCall call = makeCall("postStatusWithMedia", args);
    call.files = files;
    return record(call, queryId);
}

int ScriptedBackend::retrieveFavorites(QVariantList *list, int *queryId, const Zr::ArgMap &args,
                                       Zr::RetrieveBehavior behavior)
{
    return record(makeCall("retrieveFavorites", args, -1, behavior), queryId, list);
}

int ScriptedBackend::retrieveFaFResources(QVariantList *list,
                                          const FriendsFollowersType::FriendsFollowersType &type,
                                          const Zr::ArgMap &args, int *queryId,
                                          Zr::RetrieveBehavior behavior)
{
    return record(makeCall("retrieveFaFResources", args, type, behavior), queryId, list);
}

int ScriptedBackend::retrieveBlockedIdsList(QVariantList *list, int *queryId,
                                            Zr::RetrieveBehavior behavior)
{
    return record(makeCall("retrieveBlockedIdsList", Zr::ArgMap(), -1, behavior), queryId, list);
}

int ScriptedBackend::retrieveAccountResources(int *queryId, const AccountType::AccountType &type,
                                              const Zr::ArgMap &args, const QByteArray &image)
{
    ScriptedCall call = makeCall("retrieveAccountResources", args, type);
    call.payload = image;
    return record(call, queryId);
}

int ScriptedBackend::retrieveSavedSearch(const SSType::SSType &type, const Zr::ArgMap &args,
                                         int *queryId)
{
    return record(makeCall("retrieveSavedSearch", args, type), queryId);
}

int ScriptedBackend::retrieveGeo(QVariantList *list, const GeoType::GeoType &type,
                                 const Zr::ArgMap &args, int *queryId,
                                 Zr::RetrieveBehavior behavior)
{
    return record(makeCall("retrieveGeo", args, type, behavior), queryId, list);
}

int ScriptedBackend::retrieveList(const ListType::ListType &type, const Zr::ArgMap &args,
                                  int *queryId)
{
    return record(makeCall("retrieveList", args, type), queryId);
}

int ScriptedBackend::searchResources(const Zr::ArgMap &args, int *queryId,
                                     const SearchType::SearchType &type)
{
    return record(makeCall("searchResources", args, type), queryId);
}

int ScriptedBackend::retrieveHelp(const HelpType::HelpType &type, QVariantMap *result,
                                  const Zr::ArgMap &args, int *queryId,
                                  Zr::RetrieveBehavior behavior)
{
    ScriptedCall call = makeCall("retrieveHelp", args, type, behavior);
    call.listPassed = result;
    if (result && !m_cachedHelp.isEmpty())
        *result = m_cachedHelp;
    return record(call, queryId);
}

int ScriptedBackend::retrieveTinyUrlImage(const Zr::ArgMap &args, QString *fileUrl, int *queryId)
{
    ScriptedCall call = makeCall("retrieveTinyUrlImage", args);
    call.listPassed = fileUrl;
    if (fileUrl)
        *fileUrl = m_cachedFile;
    return record(call, queryId);
}

int ScriptedBackend::UrlToSnip(const QString &url, int *queryId)
{
    ScriptedCall call = makeCall("UrlToSnip");
    call.url = url;
    return record(call, queryId);
}

int ScriptedBackend::startStreaming(const Zr::ArgMap &args, int *queryId)
{
    return record(makeCall("startStreaming", args), queryId);
}

void ScriptedBackend::stopStreaming()
{
    ++m_stopStreamingCount;
    ScriptedCall call = makeCall("stopStreaming");
    m_calls.append(call);
}

bool ScriptedBackend::imageTypeSupported(const QString &url) const
{
    for (const char *suffix : {".jpg", ".jpeg", ".png", ".gif"}) {
        if (url.endsWith(QLatin1String(suffix), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

void ScriptedBackend::getSearchHistory(int maxItems, QStringList *history)
{
    m_calls.append(makeCall("getSearchHistory",
                            Zr::ArgMap {{QStringLiteral("max_items"), QString::number(maxItems)}}));
    if (history)
        history->clear();
}

void ScriptedBackend::updateResfreshTime(int type, const QString &user)
{
    m_calls.append(
        makeCall("updateResfreshTime", Zr::ArgMap {{QStringLiteral("user"), user}}, type));
}
