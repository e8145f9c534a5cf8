#ifndef SCRIPTEDBACKEND_H
#define SCRIPTEDBACKEND_H

#include "zirrup.h"

#include <QHash>
#include <QList>
#include <QStringList>

// One request as the scripted backend received it.
struct ScriptedCall
{
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
    void setCachedRecords(const QString &method, const QVariantList &records);
    void setCachedHelp(const QVariantMap &configuration) { m_cachedHelp = configuration; }
    void setCachedFile(const QString &fileUrl) { m_cachedFile = fileUrl; }

    QList<ScriptedCall> calls() const { return m_calls; }
    QList<ScriptedCall> calls(const QString &method) const;
    int callCount(const QString &method) const;
    bool hasCall(const QString &method) const { return callCount(method) > 0; }
    // The newest call of the method (of any method when empty); a default call when none.
    ScriptedCall lastCall(const QString &method = QString()) const;
    // The newest call of the method of that kind (and behavior, unless -2).
    ScriptedCall lastCall(const QString &method, int type, int behavior = -2) const;
    void clearCalls() { m_calls.clear(); }

    // Emits the completion signal the call's request is answered with.
    void complete(const ScriptedCall &call, const QVariantList &data = QVariantList());
    void fail(const ScriptedCall &call, const QVariantMap &err);
    void fail(const ScriptedCall &call, const QString &errorText);

    // Zr::Zirrup
    void init() override { }
    int retrieveTimelineResources(QVariantList *list, int *queryId,
                                  const TimelineType::TimelineType &type, const Zr::ArgMap &args,
                                  Zr::RetrieveBehavior behavior) override;
    int retrieveStatus(QVariantList *list, const Zr::ArgMap &args, int *queryId) override;
    int writeStatus(const Zr::ArgMap &args, int *queryId) override;
    int postStatusWithMedia(const Zr::ArgMap &args, int *queryId,
                            const QMap<QString, QByteArray> &files) override;
    int retweetStatus(const Zr::ArgMap &args, int *queryId) override;
    int deleteStatus(const Zr::ArgMap &args, int *queryId) override;
    int createFavorite(const Zr::ArgMap &args, int *queryId) override;
    int destroyFavorite(const Zr::ArgMap &args, int *queryId) override;
    int retrieveFavorites(QVariantList *list, int *queryId, const Zr::ArgMap &args,
                          Zr::RetrieveBehavior behavior) override;
    int retrieveDirectMessages(QVariantList *list, int *queryId,
                               const DirectMessageType::DirectMessageType &type,
                               const Zr::ArgMap &args, Zr::RetrieveBehavior behavior) override;
    int writeDirectMessage(const Zr::ArgMap &args, int *queryId) override;
    int deleteDirectMessage(const Zr::ArgMap &args, int *queryId) override;
    int retrieveUserResources(QVariantList *list, int *queryId, const UserType::UserType &type,
                              const Zr::ArgMap &args, Zr::RetrieveBehavior behavior) override;
    int retrieveFaFResources(QVariantList *list,
                             const FriendsFollowersType::FriendsFollowersType &type,
                             const Zr::ArgMap &args, int *queryId,
                             Zr::RetrieveBehavior behavior) override;
    int createFriendship(const Zr::ArgMap &args, int *queryId) override;
    int destroyFriendship(const Zr::ArgMap &args, int *queryId) override;
    int friendshipExists(QVariantList *list, const Zr::ArgMap &args, int *queryId) override;
    int createBlock(const Zr::ArgMap &args, int *queryId) override;
    int destroyBlock(const Zr::ArgMap &args, int *queryId) override;
    int retrieveBlockedIdsList(QVariantList *list, int *queryId,
                               Zr::RetrieveBehavior behavior) override;
    int retrieveAccountResources(int *queryId, const AccountType::AccountType &type,
                                 const Zr::ArgMap &args, const QByteArray &image) override;
    int retrieveTrends(QVariantList *list, int *queryId, const TrendType::TrendType &type,
                       const Zr::ArgMap &args, Zr::RetrieveBehavior behavior) override;
    int retrieveSavedSearch(const SSType::SSType &type, const Zr::ArgMap &args,
                            int *queryId) override;
    int retrieveGeo(QVariantList *list, const GeoType::GeoType &type, const Zr::ArgMap &args,
                    int *queryId, Zr::RetrieveBehavior behavior) override;
    int retrieveList(const ListType::ListType &type, const Zr::ArgMap &args, int *queryId) override;
    int searchResources(const Zr::ArgMap &args, int *queryId,
                        const SearchType::SearchType &type) override;
    int retrieveHelp(const HelpType::HelpType &type, QVariantMap *result, const Zr::ArgMap &args,
                     int *queryId, Zr::RetrieveBehavior behavior) override;
    int retrieveTinyUrlImage(const Zr::ArgMap &args, QString *fileUrl, int *queryId) override;
    int UrlToSnip(const QString &url, int *queryId) override;
    int startStreaming(const Zr::ArgMap &args, int *queryId) override;
    void stopStreaming() override;

    bool imageTypeSupported(const QString &url) const override;
    void getSearchHistory(int maxItems, QStringList *history) override;
    void updateResfreshTime(int type, const QString &user) override;

private:
    // Records the call, writes its id and returns its result.
    int record(ScriptedCall call, int *queryId, QVariantList *list = nullptr);

    QStringList m_credentials;
    QList<ScriptedCall> m_calls;
    QHash<QString, int> m_results;
    QHash<QString, QVariantList> m_cached;
    QVariantMap m_cachedHelp;
    QString m_cachedFile;
    int m_nextId = 1;
    int m_stopStreamingCount = 0;
};

#endif // SCRIPTEDBACKEND_H
