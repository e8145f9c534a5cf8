#ifndef ZR_ZIRRUP_P_H
#define ZR_ZIRRUP_P_H

#include "oauth.h"
#include "recordcache.h"
#include "searchhistory.h"
#include "streamparser.h"
#include "zirrup.h"

#include <QElapsedTimer>
#include <QHash>
#include <QImage>
#include <QPointer>
#include <QQueue>
#include <QTimer>

#include <functional>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

namespace Zr {

class ImageStore;
class RequestJob;

// Answers above these sizes are abandoned as errors.
constexpr qint64 MaxJsonAnswerBytes = 8 * 1024 * 1024;
constexpr qint64 MaxPictureAnswerBytes = 16 * 1024 * 1024;

// What a successful answer must look like before its handler sees it.
enum class Expect {
    Object, // one JSON object
    Array, // a JSON array of anything
    ArrayOfObjects, // a JSON array of records
    Picture // raw bytes (not JSON)
};

// One request as the request methods describe it; turned into HTTP by ZirrupPrivate::dispatch.
struct RequestPlan
{
    QByteArray method = "GET";
    QString path; // below the service base URL, e.g. "/1/statuses/show.json"
    QUrl fileUrl; // an absolute URL of a public file instead of path; never signed
    ArgMap params;
    bool publicEndpoint = false;
    bool lowPriority = false;
    Expect expect = Expect::Object;

    // multipart/form-data instead of a urlencoded body: params become text parts.
    bool multipart = false;
    QByteArray filePartName;
    QString fileName;
    QByteArray fileData;

    // Called with the decoded answer; emits the completion and returns an empty string, or
    // returns the reason the answer is unusable (then networkRequestError follows).
    std::function<QString(int queryId, const QVariant &answer)> onJson;
    // For Expect::Picture: takes over the request and must end it itself (finish or fail).
    std::function<void(int queryId, const QByteArray &bytes)> onBytes;
};

class ZirrupPrivate
{
public:
    ZirrupPrivate(Zirrup *owner, const QString &token, const QString &tokenSecret,
                  const QString &userId, const QString &userName, const QString &consumerKey,
                  const QString &consumerSecret);
    ~ZirrupPrivate();

    Zirrup *q;
    OAuthCredentials credentials;
    QString userId;
    QString userName;
    bool authenticated = false;
    int requestTimeout = 30000;
    int streamSilenceTimeout = 90000;
    int nextQueryId = 1;
    QImage mask;
    bool shuttingDown = false;

    QNetworkAccessManager *network = nullptr;
    QHash<int, RequestJob *> jobs;

    // Low-priority downloads wait here and run at most two at a time.
    struct Queued
    {
        int queryId;
        RequestPlan plan;
    };
    QQueue<Queued> lowPriorityQueue;
    int lowPriorityRunning = 0;
    QSet<int> lowPriorityIds;

    // Network plumbing (zirrup_network.cpp).
    // The shared front half of every request: the query id starts at -1; a request that
    // cannot go out fails before anything is filled in, otherwise list gets cached() first.
    int startRequest(RequestPlan plan, int *queryId, QVariantList *list,
                     const std::function<QVariantList()> &cached = {});
    int send(RequestPlan plan, int *queryId);
    void dispatch(int queryId, RequestPlan plan);
    void pumpLowPriority();
    void onJobFinished(int queryId, RequestJob *job, const RequestPlan &plan);
    void fail(int queryId, const QString &error, int httpStatus, const QString &requestPath);
    QUrl apiUrl(const QString &path, const ArgMap &query) const;
    bool isServiceHost(const QUrl &url) const;
    void shutdown();

    // Caches (zirrup_cache.cpp).
    QString account() const;
    // The folder name of a user's cache; user ids that are not plain numbers are hashed.
    static QString accountFolderName(const QString &userId);
    static QString cacheFolder(const QString &account);
    RecordCache *cache();
    std::unique_ptr<RecordCache> recordCache;
    static QString timelineKey(int type, const ArgMap &args);
    QString favoritesKey(const ArgMap &args) const;
    QVariantList cachedList(const QString &key);
    static QVariantList recordsOnly(QVariantList records);
    void storePage(const QString &key, const ArgMap &args, const QVariantList &records);
    void mergeIntoList(const QString &key, const QVariantList &records);
    void removeFromLists(const QStringList &keys, const QString &id);
    QVariantList searchHomeCache(const QString &query, int count);
    void storeUsers(const QVariantList &users);
    QVariantMap cachedUser(const QString &screenName, const QString &userId);
    void storeStatus(const QVariantMap &status);
    QVariantMap cachedStatus(const QString &id);
    QVariant cachedAnswer(const QString &key, const QString &entry);
    void storeAnswer(const QString &key, const QString &entry, const QVariant &answer, int bound);
    void onCacheWriteFailed();
    bool cacheWarningSent = false;

    // Search history (searchhistory.cpp holds the class).
    SearchHistory *searchHistory();
    std::unique_ptr<SearchHistory> history;

    // Pictures (zirrup_images.cpp).
    ImageStore *avatarStore();
    ImageStore *pictureStore();
    std::unique_ptr<ImageStore> avatars;
    std::unique_ptr<ImageStore> pictures;
    int requestAvatar(QVariantList *list, int *queryId, const ArgMap &args,
                      RetrieveBehavior behavior);
    QString avatarFileBase(const QString &screenName, const QString &size,
                           const QString &url) const;

    // The stream (zirrup_stream.cpp).
    QPointer<QNetworkReply> streamReply;
    QTimer *streamSilence = nullptr;
    int streamQueryId = -1;
    quint64 streamGeneration = 0;
    StreamParser streamParser {MaxJsonAnswerBytes};
    QByteArray streamErrorBody;
    void stopStream();
    void onStreamData();
    void onStreamFinished();
    void streamFailed(const QString &error, int httpStatus);
    void handleStreamObject(const QVariantMap &object);
};

// Debug output gate: nothing below the process-wide level is printed.
inline bool logEnabled(ZrLogLevel level)
{
    return loggingLevel() >= level && level != LogNone;
}

// "true", "t" and "1" in any letter case, like the service reads booleans.
bool argIsTrue(const QString &value);

// Numeric order of decimal id strings of any length: -1, 0 or 1.
int compareIdStrings(const QString &first, const QString &second);

} // namespace Zr

#endif // ZR_ZIRRUP_P_H
