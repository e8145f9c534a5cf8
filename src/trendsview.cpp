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
    m_trendsQueryId = -2;
    if (!zirrup)
        return;
    connect(zirrup, &Zr::Zirrup::trendsUpdated, this, &TrendsView::onTrendsUpdated);
    connect(zirrup, &Zr::Zirrup::networkRequestError, this, &TrendsView::onNetworkRequestError);
    connect(zirrup, &Zr::Zirrup::errorCritical, this, &TrendsView::onErrorCritical);
    connect(zirrup, &Zr::Zirrup::errorError, this, &TrendsView::onErrorError);
    connect(zirrup, &Zr::Zirrup::errorWarning, this, &TrendsView::onErrorWarning);
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

void TrendsView::onNetworkRequestError(int queryId, QVariantMap err)
{
    Q_UNUSED(err)
    qDebug() << "void TrendsView::onNetworkRequestError(int, QVariantMap)" << queryId;
    if (queryId >= 0 && queryId == m_trendsQueryId) {
        publish(QStringLiteral("trends_is_loading"), false);
        if (m_dataHandler)
            m_dataHandler->showErrorNotice(qtTrId("qtn_zirrup_error_load_trends"), true);
    }
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
