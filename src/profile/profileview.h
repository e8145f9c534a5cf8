#ifndef PROFILEVIEW_H
#define PROFILEVIEW_H

#include "zirrup.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

class DataHandler;
class QTimer;
class ZirrupModel;

// Data adapter for people: one user's profile, the own account, followers, following, the
// people search and avatars.
//
// Spread over one source file per concern: profileview.cpp (adapter protocol, completion
// dispatch, errors), profileview_info.cpp (profile, follow, block, account),
// profileview_people.cpp (followers, following, search), profileview_images.cpp (avatars).
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

    // User records are fetched this many at a time for the followers and following lists.
    static constexpr int PeopleBatchSize = 20;
    // The own profile photo is sent at most this many pixels wide and high.
    static constexpr int ProfilePhotoEdge = 500;
    // The service answers a people search this many users a page; fewer means the last page.
    static constexpr int PeopleSearchPageSize = 20;

    explicit ProfileView(QObject *parent = nullptr);

    static QHash<int, QByteArray> peopleRoleNames();
    // Returned when no avatar of the user is on the device (relative to the QML pages).
    static QString defaultAvatar();

    ZirrupModel *followingModel() const { return m_following.model; }
    ZirrupModel *followerModel() const { return m_followers.model; }
    ZirrupModel *profileSearchModel() const { return m_profileSearchModel; }
    Zr::Zirrup *backend() const { return m_backend; }

    QStringList blockedIds() const { return m_blockedIds; }
    // Avatar downloads in flight: query id to image key ("bob_2").
    QHash<int, QString> pendingImages() const { return m_pendingImages; }
    // Runs the re-read of the own profile after a new photo was accepted.
    QTimer *ownImageRefreshTimer() const { return m_ownImageRefreshTimer; }

public Q_SLOTS:
    // Adapter protocol.
    void onFrontendInitialized(DataHandler *dataHandler);
    void onBackendCreated(Zr::Zirrup *zirrup);

    // ---- profile and account ----
    void getProfileInfo(QString screenName, bool refreshProfileImage = false);
    void getProfileSubInfo(QString screenName);
    void followProfile(QString screenName, bool follow);
    void blockProfile(QString screenName, bool block);
    void retrieveBlockedIdsList();
    void isFollower(QString screenName);
    void updateAuthenticatedUser();
    void updateAccountData(QString name, QString url, QString location, QString description);
    void updateAccountImage(QString fileUrl);
    void onUserUpdated(UserType::UserType type, QVariantList data, int queryId);
    void onAccountUpdated(AccountType::AccountType type, QVariantList data, int queryId);

    // ---- followers, following and people search ----
    void getFollowingInfo(QString screenName, QString cursor = QStringLiteral("-1"));
    void updateFollowingInfo();
    void getFollowerInfo(QString screenName, QString cursor = QStringLiteral("-1"));
    void updateFollowerInfo();
    void cleanFollowers();
    void cleanFollowing();
    void cleanProfileSearchResults();
    void searchProfiles(QString query, int page = 1);
    void searchMoreProfiles();
    void onFriedsAndFollowersUpdated(QMap<QString, QString> queryArgs, QVariantList data,
                                     int queryId);
    void onSearchCompleted(SearchType::SearchType type, QVariantList data, int queryId);

    // ---- avatars ----
    // A displayable source for the user's avatar at once; starts a download when needed.
    QString getProfileImage(QString screenName, QString url, bool forceReload = false,
                            ProfileView::ProfileImageSize size = ImageSizeBigger);
    void onImageLoadCompleted(QString screenName, ProfileView::ProfileImageSize size,
                              QString imageUrl);

    // ---- failures ----
    void onNetworkRequestError(int queryId, QVariantMap err = QVariantMap());
    void onErrorCritical(int queryId);
    void onErrorError(int queryId);
    void onErrorWarning(int queryId);

Q_SIGNALS:
    void userImageLoaded(QString screenName, ProfileView::ProfileImageSize size, QString imageUrl);

private Q_SLOTS:
    void onProfileInfoLoaded(QVariantList data, bool cachedData, bool refreshProfileImage = false);
    void onProfileSubInfoLoaded(QVariantList data);
    void onFollowProfile(QVariantList data, int queryId);
    void onDestroyProfile(QVariantList data, int queryId);
    void onBlockCreated(QVariantList data, int queryId);
    void onBlockDestroyed(QVariantList data, int queryId);
    void onBlockedIdsList(QVariantList data, int queryId);
    void onFriendshipFetched(QVariantList data, int queryId);
    void onProfileFollowingLoaded(QVariantList data, bool cached);
    void onProfileFollowersLoaded(QVariantList data, bool cached);

private:
    // One of the two people lists (followers or following).
    struct PeopleList
    {
        FriendsFollowersType::FriendsFollowersType type = FriendsFollowersType::Followers;
        ZirrupModel *model = nullptr;
        QStringList ids;
        int offset = 0;
        int queryId = -2;
        int moreQueryId = -2;
        QVariantList cache;
        bool cached = false;
    };

    void publish(const QString &name, const QVariant &value);
    void showError(const char *id);
    bool isOwn(const QString &screenName) const;
    bool isBlocked(const QString &userId) const;
    void resetProfileProperties();
    void resetSubViewProperties();
    void dropAccountData();
    void publishBlockedState();
    void onFollowConfirmed(const QVariantList &data, int queryId, bool following);
    void onBlockConfirmed(const QVariantList &data, int queryId, bool blocked);

    void getPeopleInfo(PeopleList &list, const QString &screenName, const QString &cursor);
    void requestNextPeople(PeopleList &list, int *queryId);
    void onPeopleLoaded(PeopleList &list, const QVariantList &data, bool cached);
    void onPeopleRecords(const QVariantList &data, int queryId);
    void appendPerson(ZirrupModel *model, const QVariantMap &user);
    void cleanPeople(PeopleList &list);

    void onImageDownloaded(const QVariantList &data, int queryId);
    void broadcastImage(const QString &screenName, ProfileImageSize size, const QString &imageUrl);
    bool isImagePending(const QString &key) const;

    DataHandler *m_dataHandler = nullptr;
    QPointer<Zr::Zirrup> m_backend;

    // ---- profile and account ----
    QVariantList m_userCache;
    QStringList m_blockedIds;
    QVariantList m_blockedCache;
    QVariantList m_friendshipCache;
    int m_profileQueryId = -2;
    int m_subInfoQueryId = -2;
    int m_refreshImageQueryId = -2;
    int m_followQueryId = -2;
    int m_blockQueryId = -2;
    int m_accountQueryId = -2;
    int m_accountImageQueryId = -2;
    int m_blockedIdsQueryId = -2;
    int m_friendshipQueryId = -2;
    // The re-read of the own profile that fetches a new own photo; it must be answered even
    // when another profile has been opened since.
    int m_ownRefreshQueryId = -2;
    bool m_ownImageChanged = false;
    // Whose data the adapter holds; another account's backend drops it.
    QString m_accountUser;
    QTimer *m_ownImageRefreshTimer = nullptr;
    // Who the profile and sub-view sets show now (the published screen names and ids).
    QString m_profileScreenName;
    QString m_profileUserId;
    QString m_subViewScreenName;
    QString m_subViewUserId;

    // ---- followers, following and people search ----
    PeopleList m_followers;
    PeopleList m_following;
    ZirrupModel *m_profileSearchModel = nullptr;
    int m_searchQueryId = -2;
    int m_searchPage = 1;
    QString m_searchQuery;

    // ---- avatars ----
    QHash<QString, QString> m_imageUrlCache;
    QHash<int, QString> m_pendingImages;
};

#endif // PROFILEVIEW_H
