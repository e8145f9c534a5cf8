#ifndef TIMELINEVIEW_H
#define TIMELINEVIEW_H

#include "zirrup.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QObject>
#include <QPointer>

class DataHandler;
class ZirrupModel;

// Data adapter behind every list of tweets: home, mentions, retweeted by me, one user's or
// list's tweets, favourites, search results, plus the detail page's thumbnails and the pictures
// chosen for upload.
class TimelineView : public QObject
{
    Q_OBJECT

public:
    explicit TimelineView(QObject *parent = nullptr);

    static QHash<int, QByteArray> tweetRoleNames();
    static QHash<int, QByteArray> pictureRoleNames();

    ZirrupModel *timelineModel() const { return m_timelineModel; }
    ZirrupModel *mentionsModel() const { return m_mentionsModel; }
    ZirrupModel *retweetedModel() const { return m_retweetedModel; }
    ZirrupModel *tweetsModel() const { return m_tweetsModel; }
    ZirrupModel *favoritesModel() const { return m_favoritesModel; }
    ZirrupModel *tweetSearchModel() const { return m_tweetSearchModel; }
    ZirrupModel *thumbModel() const { return m_thumbModel; }
    ZirrupModel *uploadModel() const { return m_uploadModel; }
    Zr::Zirrup *backend() const { return m_backend; }

    // Outstanding thumbnail requests (the media thumbnails of the markup use them too).
    bool hasThumbnailRequest(const QString &link) const;
    void addThumbnailRequest(int queryId, const QString &link);
    // The pictures chosen for upload, in row order: (address, portrait).
    QList<QPair<QString, bool>> uploadImages() const;

public Q_SLOTS:
    // Adapter protocol.
    void onFrontendInitialized(DataHandler *dataHandler);
    void onBackendCreated(Zr::Zirrup *zirrup);

    void loadHomeTimelineData();
    void updateSectionData();
    void setCatchingUp(bool catchUp);
    bool isCatchingUp();
    void onTinyUrlThumbLoaded(QString fileUrl, int queryId, QString tinyUrl = QString());
    void addUploadImage(QString imageUrl, bool isPortrait, float aspectRation);
    void removeUploadImage(QString imageUrl);
    void cleanUploadImages();
    int uploadImageCount();

private:
    void publish(const QString &name, const QVariant &value);

    DataHandler *m_dataHandler = nullptr;
    QPointer<Zr::Zirrup> m_backend;

    ZirrupModel *m_timelineModel = nullptr;
    ZirrupModel *m_mentionsModel = nullptr;
    ZirrupModel *m_retweetedModel = nullptr;
    ZirrupModel *m_tweetsModel = nullptr;
    ZirrupModel *m_favoritesModel = nullptr;
    ZirrupModel *m_tweetSearchModel = nullptr;
    ZirrupModel *m_thumbModel = nullptr;
    ZirrupModel *m_uploadModel = nullptr;
};

#endif // TIMELINEVIEW_H
