#ifndef SANDBOX_SEARCHSERVICE_H
#define SANDBOX_SEARCHSERVICE_H

#include "apireply.h"
#include "sandboxcontext.h"

#include <QObject>

class ApiRequest;
class HttpFront;

// Tweet search in the search form: every word of the query must occur; "#tag" matches a
// hashtag, "@name" a mention or the author, "from:name" the author; a geocode keeps what was
// posted inside a circle.
class SearchService : public QObject
{
    Q_OBJECT
public:
    SearchService(SandboxContext *context, QObject *parent = nullptr);

    void registerRoutes(HttpFront *front);

private:
    struct Circle
    {
        double latitude = 0;
        double longitude = 0;
        double radiusKm = 0;
    };

    ApiReply search(const ApiRequest &request);
    static Circle parseGeocode(const QString &geocode);
    bool matches(const QStringList &terms, const QString &text, const QString &author,
                 qint64 statusId) const;

    SandboxContext *m_context;
};

#endif // SANDBOX_SEARCHSERVICE_H
