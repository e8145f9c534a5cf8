#ifndef TRENDSVIEW_H
#define TRENDSVIEW_H

#include "zirrup.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QVariantList>
#include <QVariantMap>

class DataHandler;
class ZirrupModel;

// Data adapter for the trending topics, the saved searches and the place of a position.
class TrendsView : public QObject
{
    Q_OBJECT

public:
    explicit TrendsView(QObject *parent = nullptr);

    static QHash<int, QByteArray> queryRoleNames();

    ZirrupModel *trendsModel() const { return m_trendsModel; }
    ZirrupModel *savedSearchesModel() const { return m_savedSearchesModel; }
    Zr::Zirrup *backend() const { return m_backend; }

public Q_SLOTS:
    // Adapter protocol.
    void onFrontendInitialized(DataHandler *dataHandler);
    void onBackendCreated(Zr::Zirrup *zirrup);

    // Trending topics (worldwide).
    void getTrends();
    void onTrendsUpdated(TrendType::TrendType type, QVariantList data, int queryId);

    void onNetworkRequestError(int queryId, QVariantMap err = QVariantMap());
    void onErrorCritical(int queryId);
    void onErrorError(int queryId);
    void onErrorWarning(int queryId);

private:
    void publish(const QString &name, const QVariant &value);

    DataHandler *m_dataHandler = nullptr;
    QPointer<Zr::Zirrup> m_backend;

    int m_trendsQueryId = -2;

    ZirrupModel *m_trendsModel = nullptr;
    ZirrupModel *m_savedSearchesModel = nullptr;
};

#endif // TRENDSVIEW_H
