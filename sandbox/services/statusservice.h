#ifndef SANDBOX_STATUSSERVICE_H
#define SANDBOX_STATUSSERVICE_H

#include "apireply.h"
#include "mediaservice.h"
#include "sandboxcontext.h"

#include <QObject>

#include <optional>

class ApiRequest;
class HttpFront;
class RecordBuilder;

// Statuses: the timelines, one status, posting (with a place, coordinates or a picture),
// deleting, retweeting and favourites.
class StatusService : public QObject
{
    Q_OBJECT
public:
    static constexpr int maxLength = 140;
    static constexpr int charactersReservedPerMedia = 21;
    static constexpr qint64 firstStatusId = 1000000000000000000LL;

    StatusService(SandboxContext *context, QObject *parent = nullptr);

    void registerRoutes(HttpFront *front);

    // What a new status holds before it is stored; shared with the demo world.
    struct Draft
    {
        qint64 userId = 0;
        QString text; // plain, as posted
        QString source;
        qint64 replyTo = 0;
        QString placeId;
        std::optional<double> latitude;
        std::optional<double> longitude;
        qint64 createdAt = 0; // now when 0
    };
    // Stores a status (links wrapped, mentions recorded) without the posting rules; answers
    // its id. picture, when given, is attached. Callers sanitize posted texts.
    qint64 store(const Draft &draft, const MediaService::Upload *picture = nullptr);
    qint64 storeRetweet(qint64 userId, qint64 originalId, const QString &source,
                        qint64 createdAt = 0);

    static QString clientSource();

private:
    // Timelines (statusservice_timelines.cpp)
    ApiReply homeTimeline(const ApiRequest &request);
    ApiReply mentions(const ApiRequest &request);
    ApiReply retweetedByMe(const ApiRequest &request);
    ApiReply retweetsOfMe(const ApiRequest &request);
    ApiReply publicTimeline(const ApiRequest &request);
    ApiReply userTimeline(const ApiRequest &request);
    ApiReply favorites(const ApiRequest &request);
    ApiReply show(const ApiRequest &request);
    // A page of status ids matching condition (on s, u, o, ou), newest first.
    QList<qint64> timeline(const ApiRequest &request, const QString &condition, bool paged = false);
    ApiReply answer(const ApiRequest &request, const QList<qint64> &ids);

    // Posting and actions (statusservice_actions.cpp)
    ApiReply update(const ApiRequest &request);
    ApiReply updateWithMedia(const ApiRequest &request);
    ApiReply post(const ApiRequest &request, const MediaService::Upload *picture);
    ApiReply destroy(const ApiRequest &request);
    ApiReply retweet(const ApiRequest &request);
    ApiReply favorite(const ApiRequest &request, bool create);

    // The status for an action: 404 when missing, 403 when the viewer may not see it.
    void requireVisible(qint64 viewer, qint64 statusId) const;
    qint64 originalOf(qint64 statusId) const;

    SandboxContext *m_context;
};

#endif // SANDBOX_STATUSSERVICE_H
