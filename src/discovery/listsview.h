#ifndef LISTSVIEW_H
#define LISTSVIEW_H

#include "profileview.h"
#include "zirrup.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

class DataHandler;
class ZirrupModel;

// Data adapter for the service's user lists: the lists a user was added to, and the signed-in
// user's own and subscribed lists. Both are paged by the service's cursors.
class ListsView : public QObject
{
    Q_OBJECT

public:
    explicit ListsView(QObject *parent = nullptr);

    static QHash<int, QByteArray> listRoleNames();
    // Whether a "next_cursor" names a further page ("0", "" and "-1" do not).
    static bool hasNextPage(const QString &cursor);

    ZirrupModel *addedToListsModel() const { return m_addedToListsModel; }
    ZirrupModel *subscribedListsModel() const { return m_subscribedListsModel; }
    Zr::Zirrup *backend() const { return m_backend; }

public Q_SLOTS:
    // Adapter protocol.
    void onFrontendInitialized(DataHandler *dataHandler);
    void onBackendCreated(Zr::Zirrup *zirrup);

    void updateAddedToLists(QString screenName, QString cursor = QStringLiteral("-1"));
    void moreAddedToLists(QString screenName);
    void cleanAddedToLists();
    void updateSubscribedLists(QString cursor = QStringLiteral("-1"));
    void moreSubscribedLists();
    void cleanSubscribedLists();
    void subscribeList(QString listId);
    void unsubscribeList(QString listId);
    // Asks whether the signed-in user subscribes to a list ("tweetsview_following_list").
    void getListFollowing(QString listId);
    void onListCompleted(ListType::ListType type, QVariantList data, int queryId);
    void onImageLoadCompleted(QString screenName, ProfileView::ProfileImageSize size,
                              QString imageUrl);
    void onNetworkRequestError(int queryId, QVariantMap err = QVariantMap());
    void onErrorCritical(int queryId);
    void onErrorError(int queryId);
    void onErrorWarning(int queryId);

private:
    void publish(const QString &name, const QVariant &value);
    void appendLists(ZirrupModel *model, const QVariantList &lists);
    static void clearModel(ZirrupModel *model);
    // Forgets the lists of the account signed in before.
    void dropAccountData();

    DataHandler *m_dataHandler = nullptr;
    QPointer<Zr::Zirrup> m_backend;

    int m_ownListsQueryId = -2;
    int m_subscribedQueryId = -2;
    int m_addedQueryId = -2;
    int m_subscribeQueryId = -2;
    int m_showQueryId = -2;
    QString m_addedNextCursor;
    QString m_subscribedNextCursor;
    // The signed-in user whose lists the adapter holds (lower case).
    QString m_account;

    ZirrupModel *m_addedToListsModel = nullptr;
    ZirrupModel *m_subscribedListsModel = nullptr;
};

#endif // LISTSVIEW_H
