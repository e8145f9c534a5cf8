#ifndef LISTSVIEW_H
#define LISTSVIEW_H

#include "zirrup.h"

#include <QHash>
#include <QObject>
#include <QPointer>

class DataHandler;
class ZirrupModel;

// Data adapter for the service's user lists: the lists a user was added to, and the signed-in
// user's own and subscribed lists.
class ListsView : public QObject
{
    Q_OBJECT

public:
    explicit ListsView(QObject *parent = nullptr);

    static QHash<int, QByteArray> listRoleNames();

    ZirrupModel *addedToListsModel() const { return m_addedToListsModel; }
    ZirrupModel *subscribedListsModel() const { return m_subscribedListsModel; }
    Zr::Zirrup *backend() const { return m_backend; }

public Q_SLOTS:
    // Adapter protocol.
    void onFrontendInitialized(DataHandler *dataHandler);
    void onBackendCreated(Zr::Zirrup *zirrup);

private:
    void publish(const QString &name, const QVariant &value);

    DataHandler *m_dataHandler = nullptr;
    QPointer<Zr::Zirrup> m_backend;

    ZirrupModel *m_addedToListsModel = nullptr;
    ZirrupModel *m_subscribedListsModel = nullptr;
};

#endif // LISTSVIEW_H
