#ifndef SANDBOX_SEARCHSERVICE_H
#define SANDBOX_SEARCHSERVICE_H

#include "apireply.h"
#include "sandboxcontext.h"

#include <QObject>
#include <QRegularExpression>

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

    struct Term
    {
        enum Kind { Word, Hashtag, Mention, From } kind = Word;
        QString value;
        QRegularExpression word; // for Word
        qint64 userId = 0; // for Mention
    };

    ApiReply search(const ApiRequest &request);
    static Circle parseGeocode(const QString &geocode);
    QList<Term> parseQuery(const QString &query) const;
    bool matches(const QList<Term> &terms, const QString &text, const QString &author,
                 qint64 statusId) const;

    SandboxContext *m_context;
};

#endif // SANDBOX_SEARCHSERVICE_H
