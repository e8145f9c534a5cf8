#ifndef PROFILEVIEW_H
#define PROFILEVIEW_H

#include "zirrup.h"

#include <QHash>
#include <QObject>
#include <QPointer>

class DataHandler;
class ZirrupModel;

// Data adapter for people: one user's profile, the own account, followers, following, the
// people search and avatars.
class ProfileView : public QObject
{
    Q_OBJECT

public:
    // Avatar sizes: 2 is used in lists, message rows and page headers, 3 is the full picture.
    enum ProfileImageSize {
        ImageSizeNone = 0,
        ImageSizeNormal = 1,
        ImageSizeBigger = 2,
        ImageSizeOriginal = 3
    };
    Q_ENUM(ProfileImageSize)

    explicit ProfileView(QObject *parent = nullptr);

    static QHash<int, QByteArray> peopleRoleNames();

    ZirrupModel *followingModel() const { return m_followingModel; }
    ZirrupModel *followerModel() const { return m_followerModel; }
    ZirrupModel *profileSearchModel() const { return m_profileSearchModel; }
    Zr::Zirrup *backend() const { return m_backend; }

public Q_SLOTS:
    // Adapter protocol.
    void onFrontendInitialized(DataHandler *dataHandler);
    void onBackendCreated(Zr::Zirrup *zirrup);

private:
    void publish(const QString &name, const QVariant &value);

    DataHandler *m_dataHandler = nullptr;
    QPointer<Zr::Zirrup> m_backend;

    ZirrupModel *m_followingModel = nullptr;
    ZirrupModel *m_followerModel = nullptr;
    ZirrupModel *m_profileSearchModel = nullptr;
};

#endif // PROFILEVIEW_H
