#include "listsview.h"

#include "datahandler.h"
#include "zirrup.h"
#include "zirrupmodel.h"

ListsView::ListsView(QObject *parent)
    : QObject(parent)
{ }

QHash<int, QByteArray> ListsView::listRoleNames()
{
    return {
        {Qt::UserRole + 1, "name"},       {Qt::UserRole + 2, "desc"},
        {Qt::UserRole + 3, "isprivate"},  {Qt::UserRole + 4, "id"},
        {Qt::UserRole + 5, "screenName"}, {Qt::UserRole + 6, "avatar"},
    };
}

void ListsView::publish(const QString &name, const QVariant &value)
{
    if (m_dataHandler)
        m_dataHandler->setContextProperty(name, value);
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
}
