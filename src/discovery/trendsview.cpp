#include "trendsview.h"

#include "datahandler.h"
#include "zirrup.h"
#include "zirrupmodel.h"

#include <QStandardItem>
#include <QtDebug>

TrendsView::TrendsView(QObject *parent)
    : QObject(parent)
{ }

QHash<int, QByteArray> TrendsView::queryRoleNames()
{
    return {{Qt::UserRole + 1, "query_item"}, {Qt::UserRole + 2, "id"}};
}

void TrendsView::publish(const QString &name, const QVariant &value)
{
    if (m_dataHandler)
        m_dataHandler->setContextProperty(name, value);
}

void TrendsView::onFrontendInitialized(DataHandler *dataHandler)
{
    m_dataHandler = dataHandler;

    const QHash<int, QByteArray> roles = queryRoleNames();
    ZirrupModel::createOrClear(m_trendsModel, roles, this);
    ZirrupModel::createOrClear(m_savedSearchesModel, roles, this);
    m_savedSearchesModel->setSortRole(Qt::UserRole + 1);
    publish(QStringLiteral("myTrendsModel"), QVariant::fromValue<QObject *>(m_trendsModel));
    publish(QStringLiteral("mySavedSearchesModel"),
            QVariant::fromValue<QObject *>(m_savedSearchesModel));

    publish(QStringLiteral("trends_is_loading"), false);
    publish(QStringLiteral("savedsearches_is_loading"), false);
    publish(QStringLiteral("geo_location"), QString());
    publish(QStringLiteral("geo_id"), QString());
}

void TrendsView::onBackendCreated(Zr::Zirrup *zirrup)
{
    if (m_backend && m_backend != zirrup)
        disconnect(m_backend, nullptr, this, nullptr);
    m_backend = zirrup;
    // Ids of the previous backend mean nothing to this one.
    m_trendsQueryId = m_savedSearchesQueryId = m_saveQueryId = m_geoQueryId = -2;
    // Trends are the same for everybody; saved searches belong to one account.
    const QString account = m_dataHandler ? m_dataHandler->authenticatedUser() : QString();
    if (!account.isEmpty() && account != m_account) {
        dropAccountData();
        m_account = account;
    }
    if (!zirrup)
        return;
    connect(zirrup, &Zr::Zirrup::trendsUpdated, this, &TrendsView::onTrendsUpdated);
    connect(zirrup, &Zr::Zirrup::savedSearchCompleted, this, &TrendsView::onSavedSearchCompleted);
    connect(zirrup, &Zr::Zirrup::geoCompleted, this, &TrendsView::onGeoCompleted);
    connect(zirrup, &Zr::Zirrup::networkRequestError, this, &TrendsView::onNetworkRequestError);
    connect(zirrup, &Zr::Zirrup::errorCritical, this, &TrendsView::onErrorCritical);
    connect(zirrup, &Zr::Zirrup::errorError, this, &TrendsView::onErrorError);
    connect(zirrup, &Zr::Zirrup::errorWarning, this, &TrendsView::onErrorWarning);
}

void TrendsView::dropAccountData()
{
    m_listingSavedSearches = false;
    m_savedWhileListing.clear();
    m_deletedWhileListing.clear();
    if (m_savedSearchesModel) {
        m_savedSearchesModel->clear();
        m_savedSearchesModel->emitCountChanged();
    }
    publish(QStringLiteral("savedsearches_is_loading"), false);
}

void TrendsView::getTrends()
{
    if (!m_backend)
        return;
    publish(QStringLiteral("trends_is_loading"), true);
    m_trendsQueryId = -1;
    const Zr::ArgMap args {{QStringLiteral("woeid"), QStringLiteral("1")}};
    const int result = m_backend->retrieveTrends(nullptr, &m_trendsQueryId, TrendType::Place, args,
                                                 Zr::CacheThenNetwork);
    // Nothing will answer a request that was not sent; the busy indicator must not stay up.
    if (result != Zr::RequestSent || m_trendsQueryId == -1)
        publish(QStringLiteral("trends_is_loading"), false);
}

void TrendsView::onTrendsUpdated(TrendType::TrendType type, QVariantList data, int queryId)
{
    Q_UNUSED(type)
    if (queryId < 0 || queryId != m_trendsQueryId)
        return;
    publish(QStringLiteral("trends_is_loading"), false);
    if (data.isEmpty() || !m_trendsModel)
        return;
    m_trendsModel->clear();
    const QVariantList trends = data.first().toMap().value(QStringLiteral("trends")).toList();
    for (const QVariant &trend : trends) {
        auto *item = new QStandardItem;
        item->setData(trend.toMap().value(QStringLiteral("name")).toString(), Qt::UserRole + 1);
        m_trendsModel->appendRow(item);
    }
    m_trendsModel->emitCountChanged();
}

void TrendsView::getSavedSearches()
{
    m_savedSearchesQueryId = -1;
    m_savedWhileListing.clear();
    m_deletedWhileListing.clear();
    m_listingSavedSearches = m_backend
        && m_backend->retrieveSavedSearch(SSType::List, Zr::ArgMap(), &m_savedSearchesQueryId)
            == Zr::RequestSent;
}

void TrendsView::saveSearch(QString text)
{
    m_saveQueryId = -1;
    if (m_backend
        && m_backend->retrieveSavedSearch(SSType::Create, {{QStringLiteral("query"), text}},
                                          &m_saveQueryId)
            == Zr::RequestSent
        && m_saveQueryId != -1)
        publish(QStringLiteral("savedsearches_is_loading"), true);
}

void TrendsView::deleteSearch(QString text)
{
    const QString id = savedQueryId(text);
    if (id.isEmpty() || !m_backend)
        return;
    m_saveQueryId = -1;
    if (m_backend->retrieveSavedSearch(SSType::Destroy, {{QStringLiteral("id"), id}},
                                       &m_saveQueryId)
            == Zr::RequestSent
        && m_saveQueryId != -1)
        publish(QStringLiteral("savedsearches_is_loading"), true);
}

QString TrendsView::savedQueryId(QString text)
{
    if (!m_savedSearchesModel)
        return QString();
    for (int row = 0; row < m_savedSearchesModel->rowCount(); ++row) {
        const QStandardItem *item = m_savedSearchesModel->item(row);
        if (item->data(Qt::UserRole + 1).toString() == text)
            return item->data(Qt::UserRole + 2).toString();
    }
    return QString();
}

int TrendsView::savedSearchRow(const QString &id) const
{
    for (int row = 0; row < m_savedSearchesModel->rowCount(); ++row) {
        if (m_savedSearchesModel->item(row)->data(Qt::UserRole + 2).toString() == id)
            return row;
    }
    return -1;
}

void TrendsView::appendSavedSearch(const QVariantMap &record)
{
    auto *item = new QStandardItem;
    item->setData(record.value(QStringLiteral("query")).toString(), Qt::UserRole + 1);
    item->setData(record.value(QStringLiteral("id")).toString(), Qt::UserRole + 2);
    m_savedSearchesModel->appendRow(item);
}

void TrendsView::onSavedSearchCompleted(SSType::SSType type, QVariantList data, int queryId)
{
    if (queryId < 0 || (queryId != m_savedSearchesQueryId && queryId != m_saveQueryId))
        return;
    if (m_savedSearchesModel) {
        switch (type) {
        case SSType::List:
            if (queryId != m_savedSearchesQueryId)
                break;
            m_savedSearchesModel->clear();
            for (const QVariant &record : std::as_const(data))
                appendSavedSearch(record.toMap());
            // The list may have been read before a save or delete that was answered first.
            for (const QVariantMap &record : std::as_const(m_savedWhileListing)) {
                if (savedSearchRow(record.value(QStringLiteral("id")).toString()) < 0)
                    appendSavedSearch(record);
            }
            for (const QString &id : std::as_const(m_deletedWhileListing)) {
                const int row = savedSearchRow(id);
                if (row >= 0)
                    m_savedSearchesModel->removeRow(row);
            }
            m_savedWhileListing.clear();
            m_deletedWhileListing.clear();
            m_listingSavedSearches = false;
            m_savedSearchesModel->sort(0, Qt::AscendingOrder);
            m_savedSearchesModel->emitCountChanged();
            break;
        case SSType::Create:
            // The service answers a query saved before with the existing record; one row is
            // enough.
            if (!data.isEmpty()) {
                const QVariantMap record = data.first().toMap();
                const QString id = record.value(QStringLiteral("id")).toString();
                if (m_listingSavedSearches)
                    m_savedWhileListing.append(record);
                if (savedSearchRow(id) < 0) {
                    appendSavedSearch(record);
                    m_savedSearchesModel->sort(0, Qt::AscendingOrder);
                    m_savedSearchesModel->emitCountChanged();
                }
            }
            break;
        case SSType::Destroy: {
            const QString id = data.value(0).toMap().value(QStringLiteral("id")).toString();
            if (m_listingSavedSearches)
                m_deletedWhileListing.append(id);
            const int row = savedSearchRow(id);
            if (row >= 0) {
                m_savedSearchesModel->removeRow(row);
                m_savedSearchesModel->emitCountChanged();
            }
            break;
        }
        default:
            break;
        }
    }
    if (queryId == m_saveQueryId)
        publish(QStringLiteral("savedsearches_is_loading"), false);
}

void TrendsView::publishPlace(const QString &name, const QString &id)
{
    publish(QStringLiteral("geo_location"), name);
    publish(QStringLiteral("geo_id"), id);
}

void TrendsView::getGeoLocation(QString latitude, QString longitude)
{
    m_geoQueryId = -1;
    publishPlace(QString(), QString());
    if (latitude.isEmpty() || longitude.isEmpty())
        return;
    const Zr::ArgMap args {{QStringLiteral("lat"), latitude},
                           {QStringLiteral("long"), longitude},
                           {QStringLiteral("max_results"), QStringLiteral("1")}};
    // Nothing answers a lookup that did not go out; the editor waits for a place or "error".
    if (!m_backend
        || m_backend->retrieveGeo(nullptr, GeoType::ReverseGeocode, args, &m_geoQueryId,
                                  Zr::CacheThenNetwork)
            != Zr::RequestSent
        || m_geoQueryId == -1)
        publish(QStringLiteral("geo_location"), QStringLiteral("error"));
}

void TrendsView::onGeoCompleted(GeoType::GeoType type, QVariantList data, int queryId)
{
    Q_UNUSED(type)
    if (queryId < 0 || queryId != m_geoQueryId)
        return;
    QString name;
    QString id;
    if (!data.isEmpty()) {
        const QVariantList places = data.first()
                                        .toMap()
                                        .value(QStringLiteral("result"))
                                        .toMap()
                                        .value(QStringLiteral("places"))
                                        .toList();
        if (!places.isEmpty()) {
            const QVariantMap place = places.first().toMap();
            name = place.value(QStringLiteral("full_name")).toString();
            id = place.value(QStringLiteral("id")).toString();
        }
    }
    publishPlace(name, id);
}

void TrendsView::onNetworkRequestError(int queryId, QVariantMap err)
{
    Q_UNUSED(err)
    qDebug() << "void TrendsView::onNetworkRequestError(int, QVariantMap)" << queryId;
    if (queryId < 0)
        return;
    if (queryId == m_trendsQueryId) {
        publish(QStringLiteral("trends_is_loading"), false);
        if (m_dataHandler)
            m_dataHandler->showErrorNotice(qtTrId("qtn_zirrup_error_load_trends"), true);
    }
    if (queryId == m_savedSearchesQueryId) {
        m_listingSavedSearches = false;
        if (m_dataHandler)
            m_dataHandler->showErrorNotice(qtTrId("qtn_zirrup_error_load_saved_searches"), true);
    }
    if (queryId == m_saveQueryId) {
        publish(QStringLiteral("savedsearches_is_loading"), false);
        if (m_dataHandler)
            m_dataHandler->showErrorNotice(qtTrId("qtn_zirrup_error_save_search"), true);
    }
    if (queryId == m_geoQueryId)
        publish(QStringLiteral("geo_location"), QStringLiteral("error"));
}

void TrendsView::onErrorCritical(int queryId)
{
    qDebug() << "void TrendsView::onErrorCritical(int)" << queryId;
    onNetworkRequestError(queryId);
}

void TrendsView::onErrorError(int queryId)
{
    qDebug() << "void TrendsView::onErrorError(int)" << queryId;
    onNetworkRequestError(queryId);
}

void TrendsView::onErrorWarning(int queryId)
{
    qDebug() << "void TrendsView::onErrorWarning(int)" << queryId;
    onNetworkRequestError(queryId);
}
