#ifndef TIMELINEVIEW_H
#define TIMELINEVIEW_H

#include "profileview.h"
#include "tweetrecord.h"
#include "zirrup.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

class DataHandler;
class QStandardItem;
class ZirrupModel;

// Data adapter behind every list of tweets: home, mentions, retweeted by me, one user's or
// list's tweets, favourites, search results, plus the detail page's thumbnails and the pictures
// chosen for upload.
//
// The class is spread over one source file per concern: timelineview.cpp (models, backend
// wiring, errors), _requests (requests, paging, routing of pages), _mapping (status record to
// row), _merging (pages into models, catch-up, the stream), _actions (favourite, retweet,
// delete, the detail page) and _search (tweet search, link previews, upload pictures).
class TimelineView : public QObject
{
    Q_OBJECT

public:
    // Roles of the six tweet models.
    enum TweetRole {
        DescRole = Qt::UserRole + 1,
        NameRole,
        PlaceRole,
        TimestampRole,
        SectionTimestampRole,
        OriginalImageUrlRole,
        ImageUrlRole,
        RetweetedNameRole,
        ReplyStatusIdRole,
        ReplyNameRole,
        SourceRole,
        TweetIdRole,
        OriginalTweetIdRole,
        FullNameRole,
        FavoritedRole,
        StatusTextRole,
        RetweetedByMeIdRole,
        ProtectedProfileRole
    };
    // Roles of the thumbnail and upload picture models.
    enum PictureRole {
        PicSourceRole = Qt::UserRole + 1,
        PicUrlRole,
        OrientationPortraitRole,
        AspectRatioRole
    };

    // Every tweet list asks for this many records; the oldest of a full page is held back as
    // the next page's max_id, so a page adds at most one fewer row.
    static constexpr int pageSize = 51;
    // Catching up looks through at most this many home rows for the saved tweet.
    static constexpr int catchUpRowLimit = 150;

    explicit TimelineView(QObject *parent = nullptr);

    static QHash<int, QByteArray> tweetRoleNames();
    static QHash<int, QByteArray> pictureRoleNames();
    // A record's id as text (exact even when the record was not decoded by the backend).
    static QString statusId(const QVariantMap &record);

    ZirrupModel *timelineModel() const { return m_timelineModel; }
    ZirrupModel *mentionsModel() const { return m_mentionsModel; }
    ZirrupModel *retweetedModel() const { return m_retweetedModel; }
    ZirrupModel *tweetsModel() const { return m_tweetsModel; }
    ZirrupModel *favoritesModel() const { return m_favoritesModel; }
    ZirrupModel *tweetSearchModel() const { return m_tweetSearchModel; }
    ZirrupModel *thumbModel() const { return m_thumbModel; }
    ZirrupModel *uploadModel() const { return m_uploadModel; }
    Zr::Zirrup *backend() const { return m_backend; }

    // Thumbnails of the tweet shown in detail (the media thumbnails of the markup use them
    // too). True while the link's thumbnail is outstanding or already shown, so that no link
    // is fetched or shown twice.
    bool hasThumbnailRequest(const QString &link) const;
    void addThumbnailRequest(int queryId, const QString &link);
    // The pictures chosen for upload, in row order: (address, portrait).
    QList<QPair<QString, bool>> uploadImages() const;

public Q_SLOTS:
    // ---- adapter protocol ----
    void onFrontendInitialized(DataHandler *dataHandler);
    void onBackendCreated(Zr::Zirrup *zirrup);

    // ---- requests and paging ----
    void loadHomeTimelineData();
    void refreshHomeTimelineData(bool silentUpdate = false);
    void fillHomeTimelineData();
    void loadMentionsData(bool silentUpdate = false);
    void refreshMentionsData(bool silentUpdate = false);
    void fillMentionsData();
    void getRetweetedByMeTweets();
    void fillRetweetedByMeTweets();
    void getUserTweets(QString screenName);
    void fillUserTweets(QString screenName);
    void getUserFavorites(QString screenName);
    void fillUserFavorites(QString screenName);
    void getListTweets(QString listId);
    void fillListTweets(QString listId);
    void cleanMyRetweets();
    void cleanUserTweets();
    void cleanFavorites();

    void onTimelineUpdated(TimelineType::TimelineType type, QVariantList data, int queryId);
    // The home rows cached for the account, shown while its login is still under way; nothing
    // when the list already has rows.
    void showCachedHome(const QVariantList &records);
    void onListCompleted(ListType::ListType type, QVariantList data, int queryId);
    void onFavoritesUpdated(QVariantList data, int queryId);
    void onNetworkRequestError(int queryId, QVariantMap err);
    void onErrorCritical(int queryId);
    void onErrorError(int queryId);
    void onErrorWarning(int queryId);

    // ---- merging, catch-up and the stream ----
    void updateSectionData();
    void setCatchingUp(bool catchUp);
    bool isCatchingUp();
    void onStreamObject(StreamObjectType::StreamObjectType type, QVariantList data);

    // ---- tweet actions and the detail page ----
    void favoriteTweet(QString tweetId, bool favorite);
    void undoRetweet(QString retweetId, QString tweetId);
    void deleteTweet(QString tweetId);
    void getTweetData(QString tweetId);
    void onStatusUpdated(QVariantList data, int queryId);
    void onStatusRetweeted(QVariantList data, QMap<QString, QString> queryArgs, int queryId);
    void onTweetFavoritedUpdated(QVariantList data, int queryId);
    void onStatusDeleted(QMap<QString, QString> args, int queryId);
    void onImageLoadCompleted(QString screenName, ProfileView::ProfileImageSize size,
                              QString imageUrl);

    // ---- search, previews and upload pictures ----
    void searchTweets(QString query, QString latitude = QString(), QString longitude = QString());
    void searchMoreTweets();
    void searchTimeline(QString query);
    void doSearchTimeline();
    void onSearchCompleted(SearchType::SearchType type, QVariantList data, int queryId);
    void cleanTweetSearchResults();
    void getTinyUrlImage(QString imageUrl);
    void onTinyUrlImageLoaded(QString fileUrl, int queryId);
    void onTinyUrlThumbLoaded(QString fileUrl, int queryId, QString tinyUrl = QString());
    void addUploadImage(QString imageUrl, bool isPortrait, float aspectRation);
    void removeUploadImage(QString imageUrl);
    void cleanUploadImages();
    int uploadImageCount();

private:
    // The model a page of statuses goes to.
    enum View {
        HomeView = 1,
        MentionsView = 2,
        TweetsView = 3,
        FavoritesView = 4,
        SearchView = 5,
        RetweetedByMeView = 9
    };

private Q_SLOTS:
    // Every page of statuses reaches the tweet models here.
    void onStatusesUpdated(View view, QVariantList data, bool cached, bool prepend = false,
                           QString filter = QString());

private:
    // ---- core ----
    void publish(const QString &name, const QVariant &value);
    // Raises or lowers a loading flag, or states whether more pages are available.
    void setFlag(const char *name, bool value);
    // True when the completion's id is the one the slot waits for; -1 (a cached delivery, or
    // nothing sent) never matches.
    static bool holds(int slot, int queryId) { return queryId != -1 && slot == queryId; }
    void clearModel(ZirrupModel *model);
    void notifyHomeTimelineChanged();
    // Query ids of a replaced backend are never answered: forget them and lower their flags.
    void dropOutstandingRequests();
    // The open detail page of that tweet, or null.
    QObject *detailPage(const QString &tweetId) const;

    // ---- requests ----
    // Sends one page request. Returns true when it went out with a query id; then the flag
    // (if any) is raised and, for a first page into an empty cacheModel, the cached records
    // are shown at once.
    bool requestTimeline(TimelineType::TimelineType type, const Zr::ArgMap &args, int &queryId,
                         ZirrupModel *cacheModel, const char *flag);
    bool requestFavorites(const Zr::ArgMap &args, int &queryId, bool withCache, const char *flag);
    bool requestList(const Zr::ArgMap &args, int &queryId, const char *flag);
    // The next home page; false when nothing will answer.
    bool sendFillHome();
    // Forgets the timelines of the account signed in before.
    void dropAccountData();
    // "more available" for a page: never raised by a cached delivery.
    void setMoreAvailable(const char *name, int records, bool cached);

    // ---- mapping ----
    void mapStatus(QVariantMap record, TweetRecord &out, bool includeMediaEntities);
    QStandardItem *createTweetItem(const TweetRecord &tweet, const QString &section) const;

    // ---- merging ----
    ZirrupModel *modelFor(View view) const;
    QString *maxIdFor(View view);
    void touchRecentModel(ZirrupModel *model);
    // The section heading of each canonical time text, in list order.
    QStringList sectionHeadings(const QStringList &timestamps) const;
    // Brings the home list back to the saved tweet, or pages further back for it.
    void checkCatchUp(bool cached, bool endOfTimeline);

    // ---- actions ----
    void fillDetailPage(QObject *page, const TweetRecord &tweet);
    // Visits every row of every tweet model that has shown a page.
    template<typename Visit> void forEachTweetRow(Visit visit);

    // ---- search and previews ----
    // "geocode" for the stored place; empty unless both coordinates are known.
    QString searchGeocode() const;
    void requestImageThumbnails(const QString &desc);
    void showPreview(const QString &fileUrl);
    void appendThumbnail(const QString &fileUrl, const QString &link);

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
    // Tweet models, most recently filled first; row patches walk these.
    QList<ZirrupModel *> m_recentModels;

    int m_homeQueryId = -1; // first page of home, or of retweeted-by-me
    int m_mentionsQueryId = -1;
    int m_moreQueryId = -1; // next page of home, mentions or retweeted-by-me
    int m_homeRefreshQueryId = -1;
    int m_mentionsRefreshQueryId = -1;
    int m_tweetQueryId = -1;
    int m_previewQueryId = -1;
    int m_tweetsQueryId = -1; // first page of user tweets, favourites or list tweets
    int m_tweetsMoreQueryId = -1;
    int m_searchQueryId = -1;
    int m_favoriteQueryId = -1;
    int m_undoRetweetQueryId = -1;
    int m_favoritesPage = 1;

    QString m_homeMaxId = QStringLiteral("0");
    QString m_mentionsMaxId = QStringLiteral("0");
    QString m_retweetsMaxId = QStringLiteral("0");
    QString m_tweetsMaxId = QStringLiteral("0");
    QString m_searchMaxId = QStringLiteral("0");

    QString m_searchString;
    QString m_searchLatitude;
    QString m_searchLongitude;

    // Outstanding thumbnail requests: entry k of one list belongs to entry k of the other.
    QStringList m_thumbUrls;
    QList<int> m_thumbQueryIds;

    bool m_catchingUp = false;
    // The signed-in user whose tweets the adapter holds (lower case).
    QString m_account;
};

#endif // TIMELINEVIEW_H
