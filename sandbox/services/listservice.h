#ifndef SANDBOX_LISTSERVICE_H
#define SANDBOX_LISTSERVICE_H

#include "apireply.h"
#include "sandboxcontext.h"

#include <QObject>

class ApiRequest;
class HttpFront;

// Lists of users: own lists, memberships, subscriptions, a list, its statuses and
// members, subscribing and unsubscribing. Private lists exist only for their owner.
class ListService : public QObject
{
    Q_OBJECT
public:
    static constexpr int listsPerPage = 20;
    static constexpr int membersPerPage = 20;

    ListService(SandboxContext *context, QObject *parent = nullptr);

    void registerRoutes(HttpFront *front);

    qint64 create(qint64 owner, const QString &name, const QString &description, bool isPrivate);
    void addMember(qint64 listId, qint64 userId);
    void subscribe(qint64 listId, qint64 userId);

private:
    ApiReply ownLists(const ApiRequest &request);
    ApiReply memberships(const ApiRequest &request);
    ApiReply subscriptions(const ApiRequest &request);
    ApiReply show(const ApiRequest &request);
    ApiReply statuses(const ApiRequest &request);
    ApiReply members(const ApiRequest &request);
    ApiReply setSubscribed(const ApiRequest &request, bool subscribed);

    // The list named by list_id as the viewer may see it: 404 for another's private list.
    qint64 visibleList(const ApiRequest &request) const;
    // A cursored answer of list records for the ids the query selects.
    ApiReply cursoredLists(const ApiRequest &request, const QString &sql,
                           const QVariantList &binds);

    SandboxContext *m_context;
};

#endif // SANDBOX_LISTSERVICE_H
