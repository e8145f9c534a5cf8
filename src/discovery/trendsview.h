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
    // The user's saved searches, kept in query order.
    void getSavedSearches();
    void saveSearch(QString text);
    void deleteSearch(QString text);
    // The service's id of the saved search with exactly this text; empty when none.
    QString savedQueryId(QString text);
    // The named place nearest to a position; empty coordinates clear it.
    void getGeoLocation(QString latitude, QString longitude);
    void onTrendsUpdated(TrendType::TrendType type, QVariantList data, int queryId);
    void onSavedSearchCompleted(SSType::SSType type, QVariantList data, int queryId);
    void onGeoCompleted(GeoType::GeoType type, QVariantList data, int queryId);

    void onNetworkRequestError(int queryId, QVariantMap err = QVariantMap());
    void onErrorCritical(int queryId);
    void onErrorError(int queryId);
    void onErrorWarning(int queryId);

private:
    void publish(const QString &name, const QVariant &value);
    void appendSavedSearch(const QVariantMap &record);
    int savedSearchRow(const QString &id) const;
    void publishPlace(const QString &name, const QString &id);
    // Forgets the saved searches of the account signed in before.
    void dropAccountData();

    DataHandler *m_dataHandler = nullptr;
    QPointer<Zr::Zirrup> m_backend;

    int m_trendsQueryId = -2;
    int m_savedSearchesQueryId = -2;
    int m_saveQueryId = -2;
    // Saves and deletes answered while the list is on its way, applied again to its answer.
    bool m_listingSavedSearches = false;
    QList<QVariantMap> m_savedWhileListing;
    QStringList m_deletedWhileListing;
    int m_geoQueryId = -2;
    // The signed-in user whose saved searches the adapter holds (lower case).
    QString m_account;

    ZirrupModel *m_trendsModel = nullptr;
    ZirrupModel *m_savedSearchesModel = nullptr;
};

#endif // TRENDSVIEW_H
