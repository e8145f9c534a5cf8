#include "listsview.h"

#include "datahandler.h"
#include "zirrup.h"
#include "zirrupmodel.h"

#include <QStandardItem>
#include <QtDebug>

namespace {
enum ListRole {
    NameRole = Qt::UserRole + 1,
    DescRole,
    PrivateRole,
    IdRole,
    ScreenNameRole,
    AvatarRole
};
}

ListsView::ListsView(QObject *parent)
    : QObject(parent)
{ }

QHash<int, QByteArray> ListsView::listRoleNames()
{
    return {
        {NameRole, "name"},
        {DescRole, "desc"},
        {PrivateRole, "isprivate"},
        {IdRole, "id"},
        {ScreenNameRole, "screenName"},
        {AvatarRole, "avatar"},
    };
}

bool ListsView::hasNextPage(const QString &cursor)
{
    return !cursor.isEmpty() && cursor != QLatin1String("0") && cursor != QLatin1String("-1");
}

void ListsView::publish(const QString &name, const QVariant &value)
{
    if (m_dataHandler)
        m_dataHandler->setContextProperty(name, value);
}

void ListsView::clearModel(ZirrupModel *model)
{
    if (!model)
        return;
    model->clear();
    model->emitCountChanged();
}

void ListsView::dropAccountData()
{
    clearModel(m_addedToListsModel);
    clearModel(m_subscribedListsModel);
    m_addedNextCursor.clear();
    m_subscribedNextCursor.clear();
    // The requests that raised the flags were dropped with their backend.
    for (const char *name :
         {"listsview_loading", "listsview_is_loading_more", "listsview_more_available",
          "mylists_loading", "mylists_is_loading_more", "mylists_more_available",
          "tweetsview_following_list"})
        publish(QLatin1String(name), false);
}

void ListsView::onFrontendInitialized(DataHandler *dataHandler)
{
    m_dataHandler = dataHandler;

    for (const char *name :
         {"listsview_loading", "listsview_is_loading_more", "listsview_more_available",
          "mylists_loading", "mylists_is_loading_more", "mylists_more_available",
          "tweetsview_following_list"})
        publish(QLatin1String(name), false);

    const QHash<int, QByteArray> roles = listRoleNames();
    ZirrupModel::createOrClear(m_addedToListsModel, roles, this);
    ZirrupModel::createOrClear(m_subscribedListsModel, roles, this);
    publish(QStringLiteral("myAddedToListsModel"),
            QVariant::fromValue<QObject *>(m_addedToListsModel));
    publish(QStringLiteral("mySubscribedListsModel"),
            QVariant::fromValue<QObject *>(m_subscribedListsModel));
}

void ListsView::onBackendCreated(Zr::Zirrup *zirrup)
{
    if (m_backend && m_backend != zirrup)
        disconnect(m_backend, nullptr, this, nullptr);
    m_backend = zirrup;
    m_ownListsQueryId = m_subscribedQueryId = m_addedQueryId = m_subscribeQueryId = -2;
    m_showQueryId = -2;
    const QString account = m_dataHandler ? m_dataHandler->authenticatedUser() : QString();
    if (!account.isEmpty() && account != m_account) {
        dropAccountData();
        m_account = account;
    }
    if (!zirrup)
        return;
    const auto unique = Qt::UniqueConnection;
    connect(zirrup, &Zr::Zirrup::listCompleted, this, &ListsView::onListCompleted, unique);
    connect(zirrup, &Zr::Zirrup::networkRequestError, this, &ListsView::onNetworkRequestError,
            unique);
    connect(zirrup, &Zr::Zirrup::errorCritical, this, &ListsView::onErrorCritical, unique);
    connect(zirrup, &Zr::Zirrup::errorError, this, &ListsView::onErrorError, unique);
    connect(zirrup, &Zr::Zirrup::errorWarning, this, &ListsView::onErrorWarning, unique);
}

void ListsView::updateAddedToLists(QString screenName, QString cursor)
{
    m_addedQueryId = -1;
    const bool firstPage = cursor == QLatin1String("-1");
    if (firstPage) {
        clearModel(m_addedToListsModel);
        m_addedNextCursor = QStringLiteral("-1");
        publish(QStringLiteral("listsview_more_available"), false);
    }
    if (!m_backend)
        return;
    m_backend->retrieveList(
        ListType::Memberships,
        {{QStringLiteral("screen_name"), screenName}, {QStringLiteral("cursor"), cursor}},
        &m_addedQueryId);
    if (m_addedQueryId != -1)
        publish(firstPage ? QStringLiteral("listsview_loading")
                          : QStringLiteral("listsview_is_loading_more"),
                true);
}

void ListsView::moreAddedToLists(QString screenName)
{
    // After the last page the cursor is "0" (or "-1" before the first): asking with it would
    // start the list over.
    if (hasNextPage(m_addedNextCursor))
        updateAddedToLists(screenName, m_addedNextCursor);
}

void ListsView::cleanAddedToLists()
{
    clearModel(m_addedToListsModel);
}

void ListsView::updateSubscribedLists(QString cursor)
{
    m_ownListsQueryId = m_subscribedQueryId = -1;
    if (!m_backend || !m_dataHandler)
        return;
    Zr::ArgMap args {{QStringLiteral("screen_name"), m_dataHandler->authenticatedUser()}};
    const bool firstPage = cursor == QLatin1String("-1");
    if (firstPage) {
        clearModel(m_subscribedListsModel);
        publish(QStringLiteral("mylists_more_available"), false);
        m_backend->retrieveList(ListType::OwnLists, args, &m_ownListsQueryId);
    }
    args.insert(QStringLiteral("cursor"), cursor);
    m_backend->retrieveList(ListType::Subscriptions, args, &m_subscribedQueryId);
    if (m_subscribedQueryId != -1)
        publish(firstPage ? QStringLiteral("mylists_loading")
                          : QStringLiteral("mylists_is_loading_more"),
                true);
}

void ListsView::moreSubscribedLists()
{
    if (hasNextPage(m_subscribedNextCursor))
        updateSubscribedLists(m_subscribedNextCursor);
}

void ListsView::cleanSubscribedLists()
{
    clearModel(m_subscribedListsModel);
}

void ListsView::subscribeList(QString listId)
{
    m_subscribeQueryId = -1;
    if (m_backend)
        m_backend->retrieveList(ListType::Subscribe, {{QStringLiteral("list_id"), listId}},
                                &m_subscribeQueryId);
}

void ListsView::unsubscribeList(QString listId)
{
    m_subscribeQueryId = -1;
    if (m_backend)
        m_backend->retrieveList(ListType::Unsubscribe, {{QStringLiteral("list_id"), listId}},
                                &m_subscribeQueryId);
}

void ListsView::getListFollowing(QString listId)
{
    m_showQueryId = -1;
    if (m_backend && !listId.isEmpty())
        m_backend->retrieveList(ListType::Show, {{QStringLiteral("list_id"), listId}},
                                &m_showQueryId);
}

void ListsView::appendLists(ZirrupModel *model, const QVariantList &lists)
{
    if (!model)
        return;
    for (const QVariant &value : lists) {
        const QVariantMap list = value.toMap();
        const QVariantMap owner = list.value(QStringLiteral("user")).toMap();
        const QString screenName = owner.value(QStringLiteral("screen_name")).toString();
        auto *item = new QStandardItem;
        item->setData(list.value(QStringLiteral("full_name")).toString(), NameRole);
        item->setData(list.value(QStringLiteral("description")).toString(), DescRole);
        item->setData(list.value(QStringLiteral("mode")).toString() == QLatin1String("private"),
                      PrivateRole);
        item->setData(list.value(QStringLiteral("id")).toString(), IdRole);
        item->setData(screenName, ScreenNameRole);
        item->setData(m_dataHandler ? m_dataHandler->getProfileImage(
                          screenName, owner.value(QStringLiteral("profile_image_url")).toString(),
                          false, ProfileView::ImageSizeBigger)
                                    : QString(),
                      AvatarRole);
        model->appendRow(item);
    }
    model->emitCountChanged();
}

void ListsView::onListCompleted(ListType::ListType type, QVariantList data, int queryId)
{
    if (queryId < 0
        || (queryId != m_ownListsQueryId && queryId != m_subscribedQueryId
            && queryId != m_addedQueryId && queryId != m_subscribeQueryId
            && queryId != m_showQueryId))
        return;

    const QVariantMap answer = data.value(0).toMap();
    const QVariantList lists = answer.value(QStringLiteral("lists")).toList();
    const QString nextCursor = answer.value(QStringLiteral("next_cursor")).toString();
    switch (type) {
    case ListType::OwnLists:
        appendLists(m_subscribedListsModel, lists);
        break;
    case ListType::Memberships:
        publish(QStringLiteral("listsview_loading"), false);
        publish(QStringLiteral("listsview_is_loading_more"), false);
        m_addedNextCursor = nextCursor;
        appendLists(m_addedToListsModel, lists);
        publish(QStringLiteral("listsview_more_available"), hasNextPage(m_addedNextCursor));
        break;
    case ListType::Subscriptions:
        publish(QStringLiteral("mylists_loading"), false);
        publish(QStringLiteral("mylists_is_loading_more"), false);
        m_subscribedNextCursor = nextCursor;
        appendLists(m_subscribedListsModel, lists);
        publish(QStringLiteral("mylists_more_available"), hasNextPage(m_subscribedNextCursor));
        break;
    case ListType::Subscribe:
    case ListType::Unsubscribe:
        publish(QStringLiteral("tweetsview_following_list"), type == ListType::Subscribe);
        // The menu lists the subscriptions.
        updateSubscribedLists();
        break;
    case ListType::Show:
        publish(QStringLiteral("tweetsview_following_list"),
                answer.value(QStringLiteral("following")).toBool());
        break;
    default:
        break;
    }
}

void ListsView::onImageLoadCompleted(QString screenName, ProfileView::ProfileImageSize size,
                                     QString imageUrl)
{
    if (size != ProfileView::ImageSizeBigger)
        return;
    for (ZirrupModel *model : {m_addedToListsModel, m_subscribedListsModel}) {
        if (!model)
            continue;
        for (int row = 0; row < model->rowCount(); ++row) {
            QStandardItem *item = model->item(row);
            if (item->data(ScreenNameRole).toString().compare(screenName, Qt::CaseInsensitive) == 0)
                item->setData(imageUrl, AvatarRole);
        }
    }
}

void ListsView::onNetworkRequestError(int queryId, QVariantMap err)
{
    Q_UNUSED(err)
    qDebug() << "void ListsView::onNetworkRequestError(int, const QVariantMap&)" << queryId;
    if (queryId < 0)
        return;
    if (queryId == m_addedQueryId) {
        publish(QStringLiteral("listsview_loading"), false);
        publish(QStringLiteral("listsview_is_loading_more"), false);
    } else if (queryId == m_subscribedQueryId) {
        publish(QStringLiteral("mylists_loading"), false);
        publish(QStringLiteral("mylists_is_loading_more"), false);
    }
}

void ListsView::onErrorCritical(int queryId)
{
    qDebug() << "void ListsView::onErrorCritical(int)" << queryId;
    onNetworkRequestError(queryId);
}

void ListsView::onErrorError(int queryId)
{
    qDebug() << "void ListsView::onErrorError(int)" << queryId;
    onNetworkRequestError(queryId);
}

void ListsView::onErrorWarning(int queryId)
{
    qDebug() << "void ListsView::onErrorWarning(int)" << queryId;
    onNetworkRequestError(queryId);
}
