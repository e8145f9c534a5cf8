// Forwarders to the trends and lists adapters, and the search history.

#include "datahandler.h"

#include "zirrup.h"
#include "zirrupmodel.h"

#include <QStandardItem>

void DataHandler::updateTrendingTopics()
{
    if (!canForward())
        return;
    m_trendsView.getTrends();
}

void DataHandler::updateSavedSearches()
{
    if (!canForward())
        return;
    m_trendsView.getSavedSearches();
}

void DataHandler::saveSearch(QString query)
{
    if (!canForward())
        return;
    m_trendsView.saveSearch(query);
}

void DataHandler::deleteSearch(QString query)
{
    if (!canForward())
        return;
    m_trendsView.deleteSearch(query);
}

QString DataHandler::savedSearchId(QString query)
{
    if (!canForward())
        return QString();
    return m_trendsView.savedQueryId(query);
}

void DataHandler::getGeoLocation(QString latitude, QString longitude)
{
    if (!canForward())
        return;
    m_trendsView.getGeoLocation(latitude, longitude);
}

void DataHandler::updateSearchHistory(int maxItems)
{
    if (!canForward() || !m_searchHistoryModel)
        return;
    QStringList history;
    m_backend->getSearchHistory(maxItems, &history);
    m_searchHistoryModel->clear();
    for (const QString &query : std::as_const(history)) {
        auto *item = new QStandardItem;
        item->setData(query, Qt::UserRole + 1);
        m_searchHistoryModel->appendRow(item);
    }
    m_searchHistoryModel->emitCountChanged();
}

void DataHandler::updateAddedToLists(QString screenName, bool forceUpdate)
{
    if (!canForward())
        return;
    // Without force, the lists of the profile already shown stay as they are.
    if (!forceUpdate && screenName.toLower() == currentUser())
        return;
    m_listsView.updateAddedToLists(screenName, QStringLiteral("-1"));
}

void DataHandler::moreAddedToLists(QString screenName)
{
    if (!canForward())
        return;
    m_listsView.moreAddedToLists(screenName);
}

void DataHandler::cleanAddedToLists()
{
    if (!canForward())
        return;
    m_listsView.cleanAddedToLists();
}

void DataHandler::updateSubscribedLists()
{
    if (!canForward())
        return;
    m_listsView.updateSubscribedLists(QStringLiteral("-1"));
}

void DataHandler::moreSubscribedLists()
{
    if (!canForward())
        return;
    m_listsView.moreSubscribedLists();
}

void DataHandler::cleanSubscribedLists()
{
    if (!canForward())
        return;
    m_listsView.cleanSubscribedLists();
}

void DataHandler::subscribeList(QString listId)
{
    if (!canForward())
        return;
    m_listsView.subscribeList(listId);
}

void DataHandler::unsubscribeList(QString listId)
{
    if (!canForward())
        return;
    m_listsView.unsubscribeList(listId);
}

void DataHandler::updateListFollowing(QString listId)
{
    if (!canForward())
        return;
    m_listsView.getListFollowing(listId);
}
