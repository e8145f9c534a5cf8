#ifndef SANDBOX_DISCOVERYSERVICE_H
#define SANDBOX_DISCOVERYSERVICE_H

#include "apireply.h"
#include "sandboxcontext.h"

#include <QObject>

class ApiRequest;
class HttpFront;

// Trends, saved searches, the configuration, and link wrapping with its redirects.
class DiscoveryService : public QObject
{
    Q_OBJECT
public:
    static constexpr int trendCount = 10;
    static constexpr int trendWindowSeconds = 24 * 3600;

    DiscoveryService(SandboxContext *context, QObject *parent = nullptr);

    void registerRoutes(HttpFront *front);

    // The hashtags ("#tag") and words most used in recent public statuses, most used first.
    QStringList trendingTopics() const;
    qint64 saveSearch(qint64 userId, const QString &query);

private:
    ApiReply trends(const ApiRequest &request);
    ApiReply savedSearches(const ApiRequest &request);
    ApiReply showSavedSearch(const ApiRequest &request);
    ApiReply createSavedSearch(const ApiRequest &request);
    ApiReply destroySavedSearch(const ApiRequest &request);
    ApiReply configuration(const ApiRequest &request);
    ApiReply shorten(const ApiRequest &request);
    ApiReply redirect(const ApiRequest &request);

    SandboxContext *m_context;
};

#endif // SANDBOX_DISCOVERYSERVICE_H
