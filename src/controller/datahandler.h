#ifndef DATAHANDLER_H
#define DATAHANDLER_H

#include "listsview.h"
#include "locale.h"
#include "messagesview.h"
#include "profileview.h"
#include "timelineview.h"
#include "trendsview.h"

#include "zirruptypes.h"
#include "zrplatformtypes.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

#include <functional>

class DisplayInfo;
class Gallery;
class GalleryResult;
class Helper;
class NetworkMonitor;
class PhotoScaler;
class QQmlContext;
class QQuickItem;
class QQuickView;
class QTimer;
class SyncTimer;
class WindowGeometry;
class ZirrupModel;

namespace Zr {
class Zirrup;
}
namespace ZrPlatform {
class ZrPlatformFactory;
class ZrLoginHandler;
} // namespace ZrPlatform
namespace ZrMeego {
class PositioningHandler;
}

// The program's one controller, published to QML as "dataHandler". It owns the service backend
// and the five view adapters, runs sign-in through the platform's login object, turns backend
// errors into notices and forwards what QML asks for to the adapter that owns the data.
//
// The class is spread over one source file per concern (datahandler.cpp, datahandler_session.cpp,
// datahandler_launch.cpp, ...). Each access section below has one block per concern, always in
// the same order; add a concern's members to its own block.
class DataHandler : public QObject
{
    Q_OBJECT

    // Subject of the page being opened; the QML view history snapshots and restores them.
    Q_PROPERTY(QString currentUser READ currentUser WRITE setCurrentUser)
    Q_PROPERTY(QString currentTweetId READ currentTweetId WRITE setCurrentTweetId)
    Q_PROPERTY(QString currentListId READ currentListId WRITE setCurrentListId)
    Q_PROPERTY(QString currentListName READ currentListName WRITE setCurrentListName)
    Q_PROPERTY(QString currentSearchString READ currentSearchString WRITE setCurrentSearchString)
    // Photos: the gallery's pictures for the picker, empty until a query has finished.
    Q_PROPERTY(QObject *photosModel READ photosModel NOTIFY photosModelChanged)

public:
    enum LaunchMode {
        LaunchDefault = 1,
        LaunchProfile = 2,
        LaunchTweet = 3,
        LaunchCompose = 4,
        LaunchMessage = 5,
        LaunchMessages = 6,
        LaunchMention = 7,
        LaunchMentions = 8
    };
    Q_ENUM(LaunchMode)

    // Makes the backend objects: the six strings token, token secret, user id, user name,
    // consumer key and consumer secret (all empty when signed out), and the parent.
    using BackendFactory = std::function<Zr::Zirrup *(const QStringList &credentials, QObject *)>;

    // The query ids this controller waits for; -2 while nothing is pending.
    struct PendingQueryIds
    {
        int postTweet = -2;
        int reply = -2;
        int postWithMedia = -2;
        int retweet = -2;
        int directMessage = -2;
        int stream = -2;
    };

    // ---- core and session ----
    // The one controller; created on the first call under a process-wide lock.
    static DataHandler *instance(QObject *parent = nullptr);
    ~DataHandler() override;

    void init(QQmlContext *context, QQuickView *mainView, ZrPlatform::ZrPlatformFactory *factory);
    // Creates the signed-out backend unless one exists.
    void ensureBackend();
    void setLaunchMode(int mode);
    int launchMode() const { return m_launchMode; }

    // Shows `message` through the QML root; with `checkNetwork` and no network, says so instead.
    void showErrorNotice(const QString &message, bool checkNetwork);
    // One step back in the page history.
    void showPreviousPage();

    QString currentUser() const;
    void setCurrentUser(const QString &user);
    QString currentTweetId() const { return m_currentTweetId; }
    void setCurrentTweetId(const QString &id);
    QString currentListId() const { return m_currentListId; }
    void setCurrentListId(const QString &id);
    QString currentListName() const { return m_currentListName; }
    void setCurrentListName(const QString &name);
    QString currentSearchString() const { return m_currentSearchString; }
    void setCurrentSearchString(const QString &text);

    // Context properties of the root context; nothing happens before init.
    void setContextProperty(const QString &name, const QVariant &value);
    QVariant contextProperty(const QString &name) const;

    Zr::Zirrup *backend() const { return m_backend; }
    bool isAuthenticating() const { return m_authenticating; }
    bool isOnline() const { return m_online; }
    QString authenticatedUserName() const { return m_authenticatedUserName; }
    // The ids the error mapping watches; the parts that post, retweet, send messages and wrap
    // links write them when they send.
    PendingQueryIds &pendingQueryIds() { return m_pendingQueryIds; }
    QList<int> &shortenUrlQueryIds() { return m_shortenUrlQueryIds; }
    QQmlContext *rootContext() const { return m_context; }
    QQuickView *view() const { return m_view; }
    // The item of the scene with that object name, wherever a page stack has put it.
    QQuickItem *findViewItem(const QString &objectName) const;
    ZrPlatform::ZrPlatformFactory *platformFactory() const { return m_factory; }
    const Locale &locale() const { return m_locale; }
    ZirrupModel *searchHistoryModel() const { return m_searchHistoryModel; }

    TimelineView *timelineView() { return &m_timelineView; }
    MessagesView *messagesView() { return &m_messagesView; }
    ProfileView *profileView() { return &m_profileView; }
    TrendsView *trendsView() { return &m_trendsView; }
    ListsView *listsView() { return &m_listsView; }

    // Replaces how backends are made (tests hand in scripted ones).
    void setBackendFactory(BackendFactory factory);

    // The timers the session runs, for inspection.
    QTimer *delayedLoginTimer() const { return m_delayedLoginTimer; }
    QTimer *delayedAuthenticationTimer() const { return m_delayedAuthenticationTimer; }
    QTimer *throttlingTimer() const { return m_throttlingTimer; }

    // ---- refresh and stream ----
    // Scrolls the home list so that row `index` is at the top (after catching up).
    void restoreListPosition(int index);
    // Whether the screen is lit, made on first use; tests hand in one of their own (owned).
    DisplayInfo *displayInfo();
    void setDisplayInfo(DisplayInfo *displayInfo);
    bool isVisible() const { return m_visible; }
    bool isOnFullscreen() const { return m_onFullscreen; }
    // ---- launch targets ----
    // ---- markup ----
    // The client name of a status's "source".
    QString parseSourceName(QString source);
    // The service's web site: statuses posted there name it in their source.
    static QString serviceWebAddress();
    // The text with every "<" and ">" that is not part of one of our own anchors written as a
    // character reference; what the service escaped stays as it is.
    static QString neutraliseMarkup(QStringView text);
    // ---- time strings ----
    // A service date as the canonical local time text ("ddd MMM dd hh:mm:ss yyyy", en_US).
    QString convertServiceDateTime(QString serviceDate, bool flag);
    // What "now" is for the relative time texts (tests fix it; the default is the clock).
    using Clock = std::function<QDateTime()>;
    void setClock(Clock clock);
    // ---- compose and posting ----
    // The picture cost and wrapped link lengths the counting uses.
    int charactersReservedPerMedia() const { return m_charactersReservedPerMedia; }
    int shortUrlLength() const { return m_shortUrlLength; }
    int shortUrlLengthHttps() const { return m_shortUrlLengthHttps; }
    // The scaler preparing the pending media tweet, if any.
    PhotoScaler *photoScaler() const;
    // Picture tweets waiting for the one in hand.
    int queuedMediaTweetCount() const { return int(m_queuedMediaTweets.size()); }
    // ---- photos ----
    QObject *photosModel() const;
    // ---- timeline forwarders ----
    // ---- messages forwarders ----
    // ---- profile forwarders ----
    // ---- discovery (trends, lists) forwarders ----

public Q_SLOTS:
    // ---- core and session ----
    void cleanFrontend(bool signedOut = true);
    void onFrontendInitialized(bool signedOut = true);
    void showUI();
    void onBringToTop();
    void onRefreshModels();
    void networkStatusChanged(bool status);
    void settingsClicked();
    void createNewAccount();
    void launchAccountsUi();
    void delayedAuthentication();
    void reAuthentication();
    void doDelayedLogin();
    void onZirrupAuthenticated(QString token, QString tokenSecret, QString userId, QString username,
                               QString consumerKey, QString consumerSecret);
    void onAuthenticationError(ZrLoginError::ZrLoginError type, QString error);
    void onZirrupAccountCreated();
    void onZirrupAccountRemoved();
    void onAccountStateChanged(ZrServiceType::Servicetype type, bool enabled);
    void onNetworkRequestError(int queryId, QVariantMap err);
    void releaseMouse(QString grabberObject);
    QString getLocalizedInt(int number);
    bool isRightToLeftText(QString text);
    void emitUserImageLoaded(QString screenName, ProfileView::ProfileImageSize size,
                             QString imageUrl);
    QString authenticatedUser() const;
    void setCurrentVisibleTweetId(QString id);
    QString currentVisibleTweetId() const;

    // ---- refresh and stream ----
    void startSyncTimer();
    void stopSyncTimer();
    void doCleanup();
    void onThrottlingTimerTriggered();
    void handleStreamObject(StreamObjectType::StreamObjectType type, QVariantList data);
    void postLastIdUpdate(QVariantList data);
    void updateLastId();
    void clearMessageNotifications();
    void clearMentionNotifications();
    void setVisible(bool visible);
    void setIsOnFullscreen(bool onscreen);
    void delayedUpdateTimelineView(int timeout = 2000);
    void delayedUpdateMentionsView(int timeout = 2000);
    void delayedUpdateMentionsViewSilent(int timeout = 2000);
    void delayedUpdateMessagesView(int timeout = 2000);
    void delayedUpdateMessagesViewSilent(int timeout = 2000);
    void emitNewTweets();
    void emitNewMentions();
    void emitNewMessages();
    void emitUpdateTimestamp();

    // ---- launch targets ----
    QString startView();
    QString startTab();
    void prepareReplyTo(QString screenName);
    void onZirrupOpenProfile(QString screenName);
    void onZirrupOpenTweet(QString tweetId);
    void onZirrupComposeReply(QString screenName);
    void onZirrupShowMessage(QString screenName, QString id);
    void onZirrupShowMention(QString id);
    void onZirrupShowMentions();
    void onZirrupShowMessages();

    // ---- markup ----
    // Links the words that look like tags (and mentions, unless entities did that) or links.
    QString findLinks(QString text, bool entitiesHandled = true);
    // Rewrites text in place with anchors for the entities.
    void parseEntities(QMap<QString, QVariant> entities, QString &text,
                       bool includeMediaEntities = false);
    // The mentions of text, each followed by a blank, without excludeUser and the user.
    QString getMentions(QString text, QString excludeUser);
    bool hasRightToLeftText(QString text);
    // Pieces of rich text for a flow layout, anchors whole, opposite-direction runs reversed.
    QStringList splitText(QString text, bool reversed = false);
    bool linkClicked(QString link);
    // ---- time strings ----
    QString createTimeString(QString datetime);
    QString createDetailTimeString(QString datetime);
    QString createConversationTimeString(QString datetime);
    QString createSectionTimeString(QString datetime);
    // ---- compose and posting ----
    int countTweetTextLength(QString tweetText, int uploadImagesCount);
    void refreshConfigurationData();
    void postTweetMessage(QString msg, QString locationId);
    void replyToTweetMessage(QString msg, QString tweetId, QString locationId);
    void postTweetWithMedia(QString msg, QString locationId, QString tweetId = QString());
    void replyToTweetWithMedia(QString msg, QString tweetId, QString locationId);
    void addUploadImage(QString imageUrl, bool isPortrait, float aspectRatio);
    void removeUploadImage(QString imageUrl);
    void cleanUploadImages();
    bool linksToShorten(QString text);
    bool linksToUnshorten(QString text);
    void shortenLinks(QString text);
    void unshortenLinks(QString text);
    void onStatusWritten(int queryId);
    void onPostedStatusWithMedia(QVariantList data, int queryId);
    void onUrlToSnipConverted(QString url, QString snipUrl, int queryId);
    void onHelpRetrieved(HelpType::HelpType type, QVariantList data,
                         QMap<QString, QString> queryArgs, int queryId);
    void onPhotosScaled(QVariant originals, QVariant scaled);
    // ---- photos ----
    void queryPhotosModel();
    void photosQueryFinished();
    // ---- timeline forwarders ----
    void refreshTimelineView();
    void updateTimelineView(bool silentUpdate = false);
    void moreTimelineView();
    void refreshMentionsView();
    void updateMentionsView(bool silentUpdate = false);
    void updateMentionsViewSilent();
    void moreMentionsView();
    void updateRetweetedByMeView();
    void moreRetweetedByMeView();
    void cleanRetweetsView();
    // Unless forced, a request for the user or list already shown sends nothing.
    void updateUserTweets(QString screenName, bool forceUpdate = false);
    void moreUserTweets(QString screenName);
    void cleanTweetsView();
    void updateUserFavorites(QString screenName, bool forceUpdate = false);
    void moreUserFavorites(QString screenName);
    void cleanFavoritesView();
    void updateListTweets(QString listId, bool forceUpdate = false);
    void moreListTweets(QString listId);
    // The top tweets are the tweets of the service account "toptweets".
    void updateTopTweets();
    void moreTopTweets();
    void updateTweetView(QString tweetId);
    void favoriteTweet(QString tweetId, bool favorite);
    void retweetMessage(QString tweetId);
    void deleteTweet(QString tweetId);
    void undoRetweet(QString retweetId, QString tweetId);
    void searchTweets(QString query, QString latitude = QString(), QString longitude = QString());
    void searchMoreTweets();
    void searchTimeline(QString query);
    void cleanSearchResults();
    void updateImagePreview(QString imageUrl);
    // ---- messages forwarders ----
    void updateMessagesView(bool silentUpdate = false);
    void updateMessagesViewSilent();
    void updateConversationView(QString screenName);
    void deleteMessage(QString messageId);
    void updateComposeConversationTip(QString screenName);
    // Fills the message composer's header, and its tip when a recipient is named.
    void prepareComposeTo(QString screenName, QString imageurl, QString realname);
    void postDirectMessage(QString screenName, QString directmsg);
    // A message the stream brought (sent by the user or to the user).
    void onDirectMessageAdded(QVariantList data, bool sent);
    void onDirectMessageDeleted(QMap<QString, QString> queryArgs);
    // ---- profile forwarders ----
    void updateProfileView(QString screenName, bool refreshProfileImage = false);
    void updateProfileSubView(QString screenName);
    void updateIsFollower(QString screenName);
    void followProfile(QString screenName, bool follow);
    void blockProfile(QString screenName, bool block);
    void updateAccountData(QString name, QString url, QString location, QString description);
    void updateAccountImage(QString fileUrl);
    QString getProfileImage(QString screenName, QString url, bool forceReload = false,
                            ProfileView::ProfileImageSize size = ProfileView::ImageSizeBigger);
    void updateFollowersView(QString screenName, bool forceUpdate = false);
    void updateFollowingView(QString screenName, bool forceUpdate = false);
    void moreFollowersView();
    void moreFollowingView();
    void cleanFollowersView();
    void cleanFollowingView();
    void searchProfiles(QString query);
    void searchMoreProfiles();

    // ---- discovery (trends, lists) forwarders ----
    void updateTrendingTopics();
    void updateSavedSearches();
    void saveSearch(QString query);
    void deleteSearch(QString query);
    QString savedSearchId(QString query);
    void getGeoLocation(QString latitude, QString longitude);
    // Fills "mySearchHistoryModel" with at most maxItems remembered queries.
    void updateSearchHistory(int maxItems);
    void updateAddedToLists(QString screenName, bool forceUpdate = false);
    void moreAddedToLists(QString screenName);
    void cleanAddedToLists();
    void updateSubscribedLists();
    void moreSubscribedLists();
    void cleanSubscribedLists();
    void subscribeList(QString listId);
    void unsubscribeList(QString listId);
    void updateListFollowing(QString listId);

Q_SIGNALS:
    void backendCreated(Zr::Zirrup *backend);
    void frontendInitialized(DataHandler *dataHandler);
    void dataChanged();
    void userImageLoaded(QString screenName, ProfileView::ProfileImageSize size, QString imageUrl);
    void updateTimestamp();
    void newTweets();
    void newMentions();
    void newMessages();
    void photosModelChanged();
    void positioningTermsRejected();

private:
    explicit DataHandler(QObject *parent = nullptr);

    // ---- compose and posting ----
    // Scales the pictures of the pending media tweet; the upload follows in onPhotosScaled.
    void startScaling(const QVariantMap &files);
    // Starts the next queued picture tweet once nothing is being prepared or sent.
    void startNextMediaTweet();

    // ---- core and session ----
    // Forwarders act only with a backend and no login pending.
    bool canForward() const;
    // Calls a function of the QML root object by name; nothing happens when the root or the
    // function is missing.
    bool callRoot(const char *function, const QVariantList &arguments = QVariantList());
    ZrPlatform::ZrLoginHandler *loginHandler() const;
    bool accountReady() const;
    void createBackend();
    // Makes a backend, replacing (and retiring) the current one.
    void replaceBackend(const QStringList &credentials);
    void connectBackend(bool signedIn);
    void connectPlatformOnce();
    void setAuthenticating(bool authenticating);
    void startLogin(bool interactive, bool retryAllowed);
    // Starts the live stream; keeps its query id when the request went out.
    bool startStream();

    // ---- refresh and stream ----
    // Tells the desktop about a mention or a received message that came while in the
    // background.
    void notifyInBackground(StreamObjectType::StreamObjectType type, const QVariantList &data);

    // ---- launch targets ----
    // Opens the page of the launch mode once sign-in has completed.
    void openLaunchTarget();
    // True while an enabled account exists but its sign-in has not completed: a launch request
    // then only stores its subject, and the page opens after sign-in.
    bool deferUntilSignedIn();
    // Brings the window up for a request from outside and says whether it can be shown now;
    // while signing in, rememberForSignIn stores the subject instead.
    bool takeLaunchRequest(const std::function<void()> &rememberForSignIn = {});

    // ---- markup ----
    // The words of text between single blanks (as the regular expression "\\s" splits it);
    // two adjacent blanks give an empty word.
    static QList<QStringView> splitWords(QStringView text);
    // Starts the thumbnail download of a media entity for the detail page.
    void requestMediaThumbnail(const QVariantMap &media);
    // ---- time strings ----
    QDateTime currentDateTime() const;
    // ---- compose and posting ----
    // ---- photos ----
    // ---- timeline forwarders ----
    // ---- messages forwarders ----
    // ---- profile forwarders ----
    // ---- discovery (trends, lists) forwarders ----

    // ---- core and session: fields ----
    QQmlContext *m_context = nullptr;
    ZrPlatform::ZrPlatformFactory *m_factory = nullptr;
    Zr::Zirrup *m_backend = nullptr;
    bool m_authenticating = false;
    SyncTimer *m_syncTimer = nullptr;
    bool m_refreshOnResume = false;
    QQuickView *m_view = nullptr;
    // The window's size and place per user, on a desktop only (owned).
    WindowGeometry *m_windowGeometry = nullptr;

    TimelineView m_timelineView;
    MessagesView m_messagesView;
    ProfileView m_profileView;
    TrendsView m_trendsView;
    ListsView m_listsView;

    QString m_currentUser;
    QString m_currentTweetId;
    QString m_currentListId;
    QString m_currentListName;
    QString m_currentSearchString;
    QString m_authenticatedUserName;
    QString m_currentVisibleTweetId;

    PendingQueryIds m_pendingQueryIds;
    QList<int> m_shortenUrlQueryIds;

    ZirrupModel *m_searchHistoryModel = nullptr;
    bool m_accountsUiLaunched = false;
    bool m_retryLoginAllowed = true;
    bool m_online = false;
    // A login has been asked of the platform since start (a failed one is retried when the
    // network returns).
    bool m_loginTried = false;
    int m_launchMode = LaunchDefault;

    QTimer *m_delayedAuthenticationTimer = nullptr;
    QTimer *m_lastIdTimer = nullptr;
    QTimer *m_delayedLoginTimer = nullptr;
    QTimer *m_throttlingTimer = nullptr;

    ZrMeego::PositioningHandler *m_positioningHandler = nullptr;
    NetworkMonitor *m_networkMonitor = nullptr;
    Locale m_locale;

    Helper *m_helper = nullptr;
    BackendFactory m_backendFactory;
    bool m_platformConnected = false;

    // ---- refresh and stream: fields ----
    QString m_lastId;
    bool m_onFullscreen = false;
    bool m_visible = false;
    DisplayInfo *m_displayInfo = nullptr;
    // New items the desktop was told about since the user last looked.
    int m_unseenMentions = 0;
    int m_unseenMessages = 0;
    // ---- launch targets: fields ----
    // ---- markup: fields ----
    // ---- time strings: fields ----
    Clock m_clock;
    // ---- compose and posting: fields ----
    int m_charactersReservedPerMedia = 21;
    int m_shortUrlLength = 20;
    int m_shortUrlLengthHttps = 21;
    QString m_pendingMediaText;
    QString m_pendingMediaLocationId;
    QString m_pendingMediaReplyToId;
    QPointer<PhotoScaler> m_photoScaler;
    // Picture tweets written while another one's picture was still being prepared or sent; each
    // goes out when the one before it has been answered.
    struct QueuedMediaTweet
    {
        QString text;
        QString locationId;
        QString replyToId;
        QVariantMap files;
    };
    QList<QueuedMediaTweet> m_queuedMediaTweets;
    // Wrapped short link -> the long link it stands for.
    QMap<QString, QString> m_shortLinks;
    // ---- photos: fields ----
    Gallery *m_gallery = nullptr;
    GalleryResult *m_photosQuery = nullptr;
    ZirrupModel *m_photosModel = nullptr;
    // ---- timeline forwarders: fields ----
    // ---- messages forwarders: fields ----
    // ---- profile forwarders: fields ----
    // ---- discovery (trends, lists) forwarders: fields ----
};

#endif // DATAHANDLER_H
