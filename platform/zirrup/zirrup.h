#ifndef ZR_ZIRRUP_H
#define ZR_ZIRRUP_H

#include "zirruptypes.h"

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QObject>
#include <QStringList>
#include <QUrl>
#include <QVariantList>
#include <QVariantMap>

#include <memory>

namespace Zr {

class ZirrupPrivate;

// Sets the library's debug output level (5 prints every request and answer, never secrets).
void SetLoggingLevel(ZrLogLevel level);
ZrLogLevel loggingLevel();

// The service every backend of this process talks to (scheme, host, port, optional path
// prefix; the version prefix "/1" is added by the library). The platform integration sets it
// from the account or from ZIRRUP_SERVICE_URL before a backend is created.
void setServiceUrl(const QUrl &url);
QUrl serviceUrl();

// Client library of the Zirrup service (see docs/service-api.md).
//
// Every request writes a query id through its int* (or -1 when nothing was sent), returns
// RequestSent when it went to the network, and then ends with exactly one completion signal
// or one networkRequestError carrying that id, always later on the thread of this object.
// Request methods are virtual so that tests can substitute a scripted backend.
class Zirrup : public QObject
{
    Q_OBJECT
public:
    // Six empty strings make a signed-out backend that reaches only the public endpoints.
    Zirrup(const QString &token, const QString &tokenSecret, const QString &userId,
           const QString &username, const QString &consumerKey, const QString &consumerSecret,
           QObject *parent = nullptr);
    ~Zirrup() override;

    virtual void init();
    virtual void setMask(const QImage &mask);

    bool isAuthenticated() const;
    QString userId() const;
    QString userName() const;

    // A request that has not ended after this long ends with an error (default 30 s).
    void setRequestTimeout(int milliseconds);
    int requestTimeout() const;
    // The stream ends with an error after this long without a byte (default 90 s).
    void setStreamSilenceTimeout(int milliseconds);
    int streamSilenceTimeout() const;

    // Timelines: Home, User, Mentions, RetweetedByMe, ... ; list gets cached records.
    virtual int retrieveTimelineResources(QVariantList *list, int *queryId,
                                          const TimelineType::TimelineType &type,
                                          const ArgMap &args, RetrieveBehavior behavior);
    // The records cached for a user's timeline, newest first, read without signing in: start-up
    // shows them while the login is still under way.
    static QVariantList cachedTimeline(const QString &userId,
                                       const TimelineType::TimelineType &type);
    virtual int retrieveStatus(QVariantList *list, const ArgMap &args, int *queryId);
    virtual int writeStatus(const ArgMap &args, int *queryId);
    // files: file name -> encoded picture.
    virtual int postStatusWithMedia(const ArgMap &args, int *queryId,
                                    const QMap<QString, QByteArray> &files);
    virtual int retweetStatus(const ArgMap &args, int *queryId);
    virtual int deleteStatus(const ArgMap &args, int *queryId);
    virtual int createFavorite(const ArgMap &args, int *queryId);
    virtual int destroyFavorite(const ArgMap &args, int *queryId);
    virtual int retrieveFavorites(QVariantList *list, int *queryId, const ArgMap &args,
                                  RetrieveBehavior behavior);

    virtual int retrieveDirectMessages(QVariantList *list, int *queryId,
                                       const DirectMessageType::DirectMessageType &type,
                                       const ArgMap &args, RetrieveBehavior behavior);
    virtual int writeDirectMessage(const ArgMap &args, int *queryId);
    virtual int deleteDirectMessage(const ArgMap &args, int *queryId);

    virtual int retrieveUserResources(QVariantList *list, int *queryId,
                                      const UserType::UserType &type, const ArgMap &args,
                                      RetrieveBehavior behavior);
    virtual int retrieveFaFResources(QVariantList *list,
                                     const FriendsFollowersType::FriendsFollowersType &type,
                                     const ArgMap &args, int *queryId, RetrieveBehavior behavior);
    virtual int createFriendship(const ArgMap &args, int *queryId);
    virtual int destroyFriendship(const ArgMap &args, int *queryId);
    virtual int friendshipExists(QVariantList *list, const ArgMap &args, int *queryId);
    virtual int createBlock(const ArgMap &args, int *queryId);
    virtual int destroyBlock(const ArgMap &args, int *queryId);
    virtual int retrieveBlockedIdsList(QVariantList *list, int *queryId, RetrieveBehavior behavior);
    // image: the encoded picture for UpdateProfileImage, empty otherwise.
    virtual int retrieveAccountResources(int *queryId, const AccountType::AccountType &type,
                                         const ArgMap &args, const QByteArray &image);

    virtual int retrieveTrends(QVariantList *list, int *queryId, const TrendType::TrendType &type,
                               const ArgMap &args, RetrieveBehavior behavior);
    virtual int retrieveSavedSearch(const SSType::SSType &type, const ArgMap &args, int *queryId);
    virtual int retrieveGeo(QVariantList *list, const GeoType::GeoType &type, const ArgMap &args,
                            int *queryId, RetrieveBehavior behavior);
    virtual int retrieveList(const ListType::ListType &type, const ArgMap &args, int *queryId);
    virtual int searchResources(const ArgMap &args, int *queryId,
                                const SearchType::SearchType &type);
    // With CacheOnly, result is filled from the configuration held and nothing is sent.
    virtual int retrieveHelp(const HelpType::HelpType &type, QVariantMap *result,
                             const ArgMap &args, int *queryId, RetrieveBehavior behavior);

    // Link previews and media pictures; fileUrl is filled at once when the picture is stored.
    virtual int retrieveTinyUrlImage(const ArgMap &args, QString *fileUrl, int *queryId);
    // Link wrapping: answered with urlToSnipConverted(url, wrappedUrl, queryId).
    virtual int UrlToSnip(const QString &url, int *queryId);

    virtual int startStreaming(const ArgMap &args, int *queryId);
    virtual void stopStreaming();

    // Synchronous helpers.
    // Numeric comparison of decimal id strings: -1, 0 or 1.
    virtual int compareIds(const QString &first, const QString &second) const;
    // Service dates in UTC: status form (searchForm false), search-result form (true).
    virtual QDateTime convertDateTime(const QString &serviceDate, bool searchForm) const;
    virtual bool imageTypeSupported(const QString &url) const;
    virtual void getSearchHistory(int maxItems, QStringList *history);
    // Records that the list of the given kind for user was refreshed now; kept across runs
    // and read back with refreshTime().
    virtual void updateResfreshTime(int type, const QString &user);
    // When updateResfreshTime was last called for type and user; invalid when never.
    QDateTime refreshTime(int type, const QString &user) const;

Q_SIGNALS:
    void timelineUpdated(TimelineType::TimelineType type, QVariantList data, const int queryId);
    void statusUpdated(QVariantList data, const int queryId);
    void statusWritten(const int queryId);
    void postedStatusWithMedia(QVariantList data, const int queryId);
    void statusRetweeted(QVariantList data, QMap<QString, QString> queryArgs, const int queryId);
    void statusDeleted(QMap<QString, QString> queryArgs, const int queryId);
    void favoriteCreated(QVariantList data, const int queryId);
    void favoriteDestroyed(QVariantList data, const int queryId);
    void favoritesUpdated(QVariantList data, const int queryId);
    void directMessageUpdated(DirectMessageType::DirectMessageType type, QVariantList data,
                              const int queryId);
    void directMessageWritten(QVariantList data, const int queryId);
    void directMessageDeleted(QMap<QString, QString> queryArgs, int queryId);
    void userUpdated(UserType::UserType type, QVariantList data, const int queryId);
    void friedsAndFollowersUpdated(QMap<QString, QString> queryArgs, QVariantList data,
                                   int queryId);
    void friendshipCreated(const QVariantList data, const int queryId);
    void friendshipDestroyed(const QVariantList data, const int queryId);
    void friendshipFetched(const QVariantList data, const int queryId);
    void blockCreated(QVariantList data, int queryId);
    void blockDestroyed(QVariantList data, int queryId);
    void blockedIdsList(QVariantList data, int queryId);
    void accountUpdated(AccountType::AccountType type, QVariantList data, int queryId);
    void trendsUpdated(TrendType::TrendType type, QVariantList data, int queryId);
    void savedSearchCompleted(SSType::SSType type, QVariantList data, int queryId);
    void geoCompleted(GeoType::GeoType type, QVariantList data, int queryId);
    void listCompleted(ListType::ListType type, QVariantList data, int queryId);
    void searchCompleted(SearchType::SearchType type, QVariantList data, int queryId);
    void helpRetrieved(HelpType::HelpType type, QVariantList data, QMap<QString, QString> queryArgs,
                       int queryId);
    void tinyUrlImageLoaded(QString fileUrl, int queryId);
    void urlToSnipConverted(QString url, QString wrappedUrl, int queryId);
    void streamObject(StreamObjectType::StreamObjectType type, QVariantList data);

    // err["error"] holds the service's message (or a network failure text); see service-api.md.
    void networkRequestError(int queryId, QVariantMap err);
    // Problems of the library itself (cache, configuration), not of one request's answer.
    void errorCritical(int queryId);
    void errorError(int queryId);
    void errorWarning(int queryId);

private:
    friend class ZirrupPrivate;
    std::unique_ptr<ZirrupPrivate> d;
};

} // namespace Zr

#endif // ZR_ZIRRUP_H
