#ifndef SCRIPTEDBACKEND_H
#define SCRIPTEDBACKEND_H

#include "zirrup.h"

#include <QHash>
#include <QList>
#include <QStringList>

// One request as the scripted backend received it.
struct ScriptedCall
{
    ScriptedCall(const QString &method = {}, const Zr::ArgMap &args = {}, int type = -1,
                 int behavior = -1, bool listPassed = false)
        : method(method)
        , args(args)
        , type(type)
        , behavior(behavior)
        , listPassed(listPassed)
    { }

    QString method;
    Zr::ArgMap args;
    int type = -1; // the request's kind (timeline type, user type, ...), -1 when none
    int behavior = -1; // the RetrieveBehavior passed, -1 when the request has none
    bool listPassed = false; // whether an out-list (or out-value) pointer was given
    int queryId = -1; // the id written back
    QByteArray payload; // the picture of an account image change
    QMap<QString, QByteArray> files; // the files of a post with media
    QString url; // the link of a wrapping request
};

// A backend for tests: records every request, hands out increasing query ids, returns 3 (sent)
// unless told otherwise, fills out-lists with the cached records it was given, and lets the test
// answer any recorded request with its completion or an error.
class ScriptedBackend : public Zr::Zirrup
{
    Q_OBJECT

public:
    explicit ScriptedBackend(const QStringList &credentials = QStringList(),
                             QObject *parent = nullptr);

    QStringList credentials() const { return m_credentials; }
    int stopStreamingCount() const { return m_stopStreamingCount; }

    // What requests of that method return (Zr::RequestSent unless told).
    void setResult(const QString &method, int result) { m_results.insert(method, result); }

    // Records put into the out-list of the named method's requests (when one is passed).
    void setCachedRecords(const QString &method, const QVariantList &records)
    {
        m_cached.insert(method, records);
    }
    void setCachedHelp(const QVariantMap &configuration) { m_cachedHelp = configuration; }

    QList<ScriptedCall> calls() const { return m_calls; }
    QList<ScriptedCall> calls(const QString &method) const;
    int callCount(const QString &method) const { return calls(method).size(); }
    bool hasCall(const QString &method) const { return callCount(method) > 0; }
    // The newest call of the method (of that kind, unless -2); a default call when none.
    ScriptedCall lastCall(const QString &method, int type = -2) const;
    void clearCalls() { m_calls.clear(); }

    // Emits the completion signal the call's request is answered with.
    void complete(const ScriptedCall &call, const QVariantList &data = QVariantList());
    void fail(const ScriptedCall &call, const QString &errorText)
    {
        Q_EMIT networkRequestError(call.queryId, {{QStringLiteral("error"), errorText}});
    }

    // Zr::Zirrup
    void init() override { }

// Requests that carry arguments only.
#define SCRIPTED_REQUEST(name)                                                                     \
    int name(const Zr::ArgMap &args, int *queryId) override                                        \
    {                                                                                              \
        return record({QStringLiteral(#name), args}, queryId);                                     \
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
    SCRIPTED_REQUEST(startStreaming)
#undef SCRIPTED_REQUEST

// Reads of one kind of list.
#define SCRIPTED_READ(name, Type)                                                                  \
    int name(QVariantList *list, int *queryId, const Type &type, const Zr::ArgMap &args,           \
             Zr::RetrieveBehavior behavior) override                                               \
    {                                                                                              \
        return record({QStringLiteral(#name), args, int(type), int(behavior)}, queryId, list);     \
    }
    SCRIPTED_READ(retrieveTimelineResources, TimelineType::TimelineType)
    SCRIPTED_READ(retrieveDirectMessages, DirectMessageType::DirectMessageType)
    SCRIPTED_READ(retrieveUserResources, UserType::UserType)
    SCRIPTED_READ(retrieveTrends, TrendType::TrendType)
#undef SCRIPTED_READ

// Lookups that fill an out-list.
#define SCRIPTED_LOOKUP(name)                                                                      \
    int name(QVariantList *list, const Zr::ArgMap &args, int *queryId) override                    \
    {                                                                                              \
        return record({QStringLiteral(#name), args}, queryId, list);                               \
    }
    SCRIPTED_LOOKUP(retrieveStatus)
    SCRIPTED_LOOKUP(friendshipExists)
#undef SCRIPTED_LOOKUP

    int postStatusWithMedia(const Zr::ArgMap &args, int *queryId,
                            const QMap<QString, QByteArray> &files) override
    {
        ScriptedCall call {QStringLiteral("postStatusWithMedia"), args};
        call.files = files;
        return record(call, queryId);
    }
    int retrieveFavorites(QVariantList *list, int *queryId, const Zr::ArgMap &args,
                          Zr::RetrieveBehavior behavior) override
    {
        return record({QStringLiteral("retrieveFavorites"), args, -1, int(behavior)}, queryId,
                      list);
    }
    int retrieveFaFResources(QVariantList *list,
                             const FriendsFollowersType::FriendsFollowersType &type,
                             const Zr::ArgMap &args, int *queryId,
                             Zr::RetrieveBehavior behavior) override
    {
        return record({QStringLiteral("retrieveFaFResources"), args, int(type), int(behavior)},
                      queryId, list);
    }
    int retrieveBlockedIdsList(QVariantList *list, int *queryId,
                               Zr::RetrieveBehavior behavior) override
    {
        return record({QStringLiteral("retrieveBlockedIdsList"), {}, -1, int(behavior)}, queryId,
                      list);
    }
    int retrieveAccountResources(int *queryId, const AccountType::AccountType &type,
                                 const Zr::ArgMap &args, const QByteArray &image) override
    {
        ScriptedCall call {QStringLiteral("retrieveAccountResources"), args, int(type)};
        call.payload = image;
        return record(call, queryId);
    }
    int retrieveGeo(QVariantList *list, const GeoType::GeoType &type, const Zr::ArgMap &args,
                    int *queryId, Zr::RetrieveBehavior behavior) override
    {
        return record({QStringLiteral("retrieveGeo"), args, int(type), int(behavior)}, queryId,
                      list);
    }
// Requests of a kind, answered by signal only.
#define SCRIPTED_KIND(name, Type)                                                                  \
    int name(const Type &type, const Zr::ArgMap &args, int *queryId) override                      \
    {                                                                                              \
        return record({QStringLiteral(#name), args, int(type)}, queryId);                          \
    }
    SCRIPTED_KIND(retrieveSavedSearch, SSType::SSType)
    SCRIPTED_KIND(retrieveList, ListType::ListType)
#undef SCRIPTED_KIND
    int searchResources(const Zr::ArgMap &args, int *queryId,
                        const SearchType::SearchType &type) override
    {
        return record({QStringLiteral("searchResources"), args, int(type)}, queryId);
    }
    int retrieveHelp(const HelpType::HelpType &type, QVariantMap *result, const Zr::ArgMap &args,
                     int *queryId, Zr::RetrieveBehavior behavior) override
    {
        if (result && !m_cachedHelp.isEmpty())
            *result = m_cachedHelp;
        return record(
            {QStringLiteral("retrieveHelp"), args, int(type), int(behavior), bool(result)},
            queryId);
    }
    int retrieveTinyUrlImage(const Zr::ArgMap &args, QString *fileUrl, int *queryId) override
    {
        if (fileUrl) // the first cached record names the file
            *fileUrl = m_cached.value(QStringLiteral("retrieveTinyUrlImage")).value(0).toString();
        return record({QStringLiteral("retrieveTinyUrlImage"), args, -1, -1, bool(fileUrl)},
                      queryId);
    }
    int UrlToSnip(const QString &url, int *queryId) override
    {
        ScriptedCall call {QStringLiteral("UrlToSnip")};
        call.url = url;
        return record(call, queryId);
    }
    void stopStreaming() override
    {
        ++m_stopStreamingCount;
        m_calls.append(ScriptedCall(QStringLiteral("stopStreaming")));
    }
    void updateResfreshTime(int type, const QString &user) override
    {
        m_calls.append(ScriptedCall(QStringLiteral("updateResfreshTime"),
                                    {{QStringLiteral("user"), user}}, type));
    }

private:
    // Records the call, writes its id and returns its result.
    int record(ScriptedCall call, int *queryId, QVariantList *list = nullptr);

    QStringList m_credentials;
    QList<ScriptedCall> m_calls;
    QHash<QString, int> m_results;
    QHash<QString, QVariantList> m_cached;
    QVariantMap m_cachedHelp;
    int m_nextId = 1;
    int m_stopStreamingCount = 0;
};

#endif // SCRIPTEDBACKEND_H
