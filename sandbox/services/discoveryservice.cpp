#include "discoveryservice.h"

#include "apierror.h"
#include "apirequest.h"
#include "database.h"
#include "httpfront.h"
#include "linkstore.h"
#include "recordbuilder.h"
#include "statusservice.h"
#include "textentities.h"

#include <QDateTime>
#include <QJsonArray>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>

#include <algorithm>

static const int maxSavedQueryLength = 200;
static const int maxShortenLength = 2048;

DiscoveryService::DiscoveryService(SandboxContext *context, QObject *parent)
    : QObject(parent)
    , m_context(context)
{ }

void DiscoveryService::registerRoutes(HttpFront *front)
{
    using Access = HttpFront::Access;
    const auto route = [this, front](const QByteArray &method, const QString &path, Access access,
                                     ApiReply (DiscoveryService::*handler)(const ApiRequest &)) {
        front->addRoute(method, path, access,
                        [this, handler](ApiRequest &r) { return (this->*handler)(r); });
    };
    route("GET", QStringLiteral("/1/trends/place\\.json"), Access::Public,
          &DiscoveryService::trends);
    route("GET", QStringLiteral("/1/saved_searches\\.json"), Access::Token,
          &DiscoveryService::savedSearches);
    route("GET", QStringLiteral("/1/saved_searches/show/(\\d+)\\.json"), Access::Token,
          &DiscoveryService::showSavedSearch);
    route("POST", QStringLiteral("/1/saved_searches/create\\.json"), Access::Token,
          &DiscoveryService::createSavedSearch);
    route("POST", QStringLiteral("/1/saved_searches/destroy/(\\d+)\\.json"), Access::Token,
          &DiscoveryService::destroySavedSearch);
    route("GET", QStringLiteral("/1/help/configuration\\.json"), Access::Public,
          &DiscoveryService::configuration);
    route("POST", QStringLiteral("/1/links/shorten\\.json"), Access::Token,
          &DiscoveryService::shorten);
    route("GET", QStringLiteral("/l/([A-Za-z0-9]{1,16})"), Access::Public,
          &DiscoveryService::redirect);
}

QStringList DiscoveryService::trendingTopics() const
{
    static const QSet<QString> stopWords = {
        QStringLiteral("about"),  QStringLiteral("after"),   QStringLiteral("again"),
        QStringLiteral("also"),   QStringLiteral("back"),    QStringLiteral("been"),
        QStringLiteral("before"), QStringLiteral("being"),   QStringLiteral("could"),
        QStringLiteral("does"),   QStringLiteral("done"),    QStringLiteral("even"),
        QStringLiteral("from"),   QStringLiteral("going"),   QStringLiteral("good"),
        QStringLiteral("great"),  QStringLiteral("have"),    QStringLiteral("here"),
        QStringLiteral("into"),   QStringLiteral("just"),    QStringLiteral("know"),
        QStringLiteral("like"),   QStringLiteral("made"),    QStringLiteral("make"),
        QStringLiteral("many"),   QStringLiteral("more"),    QStringLiteral("most"),
        QStringLiteral("much"),   QStringLiteral("need"),    QStringLiteral("only"),
        QStringLiteral("over"),   QStringLiteral("really"),  QStringLiteral("same"),
        QStringLiteral("should"), QStringLiteral("some"),    QStringLiteral("still"),
        QStringLiteral("than"),   QStringLiteral("that"),    QStringLiteral("their"),
        QStringLiteral("them"),   QStringLiteral("then"),    QStringLiteral("there"),
        QStringLiteral("these"),  QStringLiteral("they"),    QStringLiteral("thing"),
        QStringLiteral("think"),  QStringLiteral("this"),    QStringLiteral("those"),
        QStringLiteral("time"),   QStringLiteral("today"),   QStringLiteral("very"),
        QStringLiteral("want"),   QStringLiteral("well"),    QStringLiteral("were"),
        QStringLiteral("what"),   QStringLiteral("when"),    QStringLiteral("where"),
        QStringLiteral("which"),  QStringLiteral("while"),   QStringLiteral("will"),
        QStringLiteral("with"),   QStringLiteral("would"),   QStringLiteral("your"),
        QStringLiteral("yours"),  QStringLiteral("tonight"), QStringLiteral("anyone"),
        QStringLiteral("every"),  QStringLiteral("first"),   QStringLiteral("finally"),
        QStringLiteral("looks"),  QStringLiteral("looking"), QStringLiteral("thanks"),
    };
    static const QRegularExpression word(QStringLiteral("\\p{L}[\\p{L}']{3,}"));

    struct Tally
    {
        int statuses = 0;
        bool hashtag = false;
        QHash<QString, int> spellings;
    };
    QHash<QString, Tally> tallies;

    const qint64 since = QDateTime::currentSecsSinceEpoch() - trendWindowSeconds;
    QSqlQuery q =
        m_context->db->exec(QStringLiteral("SELECT s.text FROM statuses s"
                                           " JOIN users u ON u.id = s.user_id"
                                           " WHERE s.created_at >= ? AND s.retweet_of IS NULL"
                                           " AND u.protected = 0 AND u.deleted = 0"),
                            {since});
    const QString base = m_context->baseUrl;
    while (q.next()) {
        QString text = LinkStore::expand(q.value(0).toString(), base);
        QSet<QString> seen;
        auto count = [&](const QString &key, const QString &spelling, bool hashtag) {
            Tally &tally = tallies[key];
            tally.hashtag = hashtag;
            tally.spellings[spelling] += 1;
            if (!seen.contains(key)) {
                seen.insert(key);
                tally.statuses += 1;
            }
        };
        QList<TextEntities::Span> skip = TextEntities::links(text, base);
        skip += TextEntities::mentions(text, base);
        for (const TextEntities::Span &tag : TextEntities::hashtags(text, base)) {
            count(QLatin1Char('#') + tag.value.toLower(), QLatin1Char('#') + tag.value, true);
            skip.append(tag);
        }
        // Blank out what is not prose before counting words.
        std::sort(skip.begin(), skip.end(),
                  [](const TextEntities::Span &a, const TextEntities::Span &b) {
                      return a.start > b.start;
                  });
        for (const TextEntities::Span &span : std::as_const(skip))
            text.replace(span.start, span.end - span.start,
                         QString(span.end - span.start, QLatin1Char(' ')));
        // Words count when written as names: capitalised, and not just because they open a
        // sentence.
        auto it = word.globalMatch(text);
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            const QString spelling = m.captured();
            const QString before = text.left(m.capturedStart()).trimmed();
            const bool opensSentence = before.isEmpty() || before.endsWith(QLatin1Char('.'))
                || before.endsWith(QLatin1Char('!')) || before.endsWith(QLatin1Char('?'))
                || before.endsWith(QLatin1Char(':'));
            const QString key = spelling.toLower();
            if (spelling.at(0).isUpper() && !opensSentence && !stopWords.contains(key))
                count(key, spelling, false);
        }
    }

    QList<QString> keys = tallies.keys();
    std::sort(keys.begin(), keys.end(), [&](const QString &a, const QString &b) {
        const Tally &ta = tallies[a];
        const Tally &tb = tallies[b];
        if (ta.statuses != tb.statuses)
            return ta.statuses > tb.statuses;
        if (ta.hashtag != tb.hashtag)
            return ta.hashtag;
        return a < b;
    });
    QStringList topics;
    for (const QString &key : std::as_const(keys)) {
        // A word used once is not a trend.
        if (topics.size() >= trendCount || tallies[key].statuses < 2)
            break;
        const QHash<QString, int> &spellings = tallies[key].spellings;
        QString best;
        for (auto s = spellings.cbegin(); s != spellings.cend(); ++s) {
            if (best.isEmpty() || s.value() > spellings.value(best)
                || (s.value() == spellings.value(best) && s.key() < best))
                best = s.key();
        }
        topics.append(best);
    }
    return topics;
}

ApiReply DiscoveryService::trends(const ApiRequest &request)
{
    const QString id = request.value(QStringLiteral("id")).trimmed();
    if (id.isEmpty())
        throw ApiError::missing(QStringLiteral("id"));
    bool numeric = false;
    const qint64 woeid = id.toLongLong(&numeric);
    if (!numeric)
        throw ApiError::invalid(QStringLiteral("id"));
    if (woeid != 1)
        throw ApiError::notFound();
    QJsonArray trends;
    for (const QString &topic : trendingTopics()) {
        const QString query = QString::fromLatin1(QUrl::toPercentEncoding(topic));
        trends.append(QJsonObject {
            {QStringLiteral("name"), topic},
            {QStringLiteral("query"), query},
            {QStringLiteral("url"), m_context->baseUrl + QStringLiteral("/search?q=") + query}});
    }
    const QString now = RecordBuilder::statusDate(QDateTime::currentSecsSinceEpoch());
    return ApiReply::json(QJsonArray {QJsonObject {
        {QStringLiteral("as_of"), now},
        {QStringLiteral("created_at"), now},
        {QStringLiteral("locations"),
         QJsonArray {QJsonObject {{QStringLiteral("name"), QStringLiteral("Worldwide")},
                                  {QStringLiteral("woeid"), 1}}}},
        {QStringLiteral("trends"), trends}}});
}

qint64 DiscoveryService::saveSearch(qint64 userId, const QString &query)
{
    Database *db = m_context->db;
    const qint64 existing =
        db->integer(QStringLiteral("SELECT id FROM saved_searches WHERE user_id = ? AND query = ?"),
                    {userId, query});
    if (existing)
        return existing;
    const qint64 id = db->nextId(QStringLiteral("saved_searches"), 0);
    db->exec(QStringLiteral("INSERT INTO saved_searches (id, user_id, query, created_at)"
                            " VALUES (?, ?, ?, ?)"),
             {id, userId, query, QDateTime::currentSecsSinceEpoch()});
    return id;
}

ApiReply DiscoveryService::savedSearches(const ApiRequest &request)
{
    const RecordBuilder builder(*m_context, request.userId);
    QJsonArray searches;
    const QList<qint64> ids = m_context->db->ids(
        QStringLiteral("SELECT id FROM saved_searches WHERE user_id = ? ORDER BY created_at, id"),
        {request.userId});
    for (qint64 id : ids)
        searches.append(builder.savedSearch(id));
    return ApiReply::json(searches);
}

ApiReply DiscoveryService::showSavedSearch(const ApiRequest &request)
{
    const qint64 id = request.captureId(0);
    if (!m_context->db->exists(
            QStringLiteral("SELECT 1 FROM saved_searches WHERE id = ? AND user_id = ?"),
            {id, request.userId}))
        throw ApiError::notFound();
    return ApiReply::json(RecordBuilder(*m_context, request.userId).savedSearch(id));
}

ApiReply DiscoveryService::createSavedSearch(const ApiRequest &request)
{
    const QString query = LinkStore::sanitize(request.required(QStringLiteral("query"))).trimmed();
    if (query.isEmpty())
        throw ApiError::missing(QStringLiteral("query"));
    if (query.size() > maxSavedQueryLength)
        throw ApiError::forbidden(QStringLiteral("Invalid parameter: query"));
    Database::Transaction tx(m_context->db);
    const qint64 id = saveSearch(request.userId, query);
    const QJsonObject record = RecordBuilder(*m_context, request.userId).savedSearch(id);
    tx.commit();
    return ApiReply::json(record);
}

ApiReply DiscoveryService::destroySavedSearch(const ApiRequest &request)
{
    const qint64 id = request.captureId(0);
    Database *db = m_context->db;
    if (!db->exists(QStringLiteral("SELECT 1 FROM saved_searches WHERE id = ? AND user_id = ?"),
                    {id, request.userId}))
        throw ApiError::notFound();
    Database::Transaction tx(db);
    const QJsonObject record = RecordBuilder(*m_context, request.userId).savedSearch(id);
    db->exec(QStringLiteral("DELETE FROM saved_searches WHERE id = ?"), {id});
    tx.commit();
    return ApiReply::json(record);
}

ApiReply DiscoveryService::configuration(const ApiRequest &)
{
    const int shortUrlLength = int(m_context->baseUrl.size()) + 3 + LinkStore::codeLength;
    auto size = [](int w, int h, const char *resize) {
        return QJsonObject {{QStringLiteral("w"), w},
                            {QStringLiteral("h"), h},
                            {QStringLiteral("resize"), QLatin1String(resize)}};
    };
    return ApiReply::json(
        QJsonObject {{QStringLiteral("characters_reserved_per_media"),
                      StatusService::charactersReservedPerMedia},
                     {QStringLiteral("short_url_length"), shortUrlLength},
                     {QStringLiteral("short_url_length_https"), shortUrlLength},
                     {QStringLiteral("photo_size_limit"), 3145728},
                     {QStringLiteral("max_media_per_upload"), 1},
                     {QStringLiteral("photo_sizes"),
                      QJsonObject {{QStringLiteral("thumb"), size(150, 150, "crop")},
                                   {QStringLiteral("small"), size(340, 480, "fit")},
                                   {QStringLiteral("large"), size(1024, 2048, "fit")}}},
                     {QStringLiteral("non_username_paths"),
                      QJsonArray {QStringLiteral("about"), QStringLiteral("account"),
                                  QStringLiteral("search"), QStringLiteral("settings")}}});
}

ApiReply DiscoveryService::shorten(const ApiRequest &request)
{
    const QString url = request.required(QStringLiteral("url")).trimmed();
    const QUrl parsed(url, QUrl::StrictMode);
    if (url.size() > maxShortenLength || !parsed.isValid() || parsed.host().isEmpty()
        || (parsed.scheme() != QLatin1String("http") && parsed.scheme() != QLatin1String("https"))
        || url.contains(QRegularExpression(QStringLiteral("\\s")))) {
        throw ApiError::invalid(QStringLiteral("url"));
    }
    LinkStore *links = m_context->links;
    const QString base = m_context->baseUrl;
    QString code = links->wrappedCode(url, base);
    QString longUrl = code.isEmpty() ? url : links->longUrl(code, base);
    if (code.isEmpty()) {
        Database::Transaction tx(m_context->db);
        code = links->codeFor(url);
        tx.commit();
    }
    return ApiReply::json(QJsonObject {{QStringLiteral("url"), links->wrappedLink(code, base)},
                                       {QStringLiteral("long_url"), longUrl}});
}

ApiReply DiscoveryService::redirect(const ApiRequest &request)
{
    const QString longUrl =
        m_context->links->longUrl(request.captures.value(0), m_context->baseUrl);
    if (longUrl.isEmpty())
        throw ApiError::notFound();
    return ApiReply::redirect(QUrl(longUrl).toEncoded());
}
