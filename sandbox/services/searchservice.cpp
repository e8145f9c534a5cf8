#include "searchservice.h"

#include "accessrules.h"
#include "accountstore.h"
#include "apierror.h"
#include "apirequest.h"
#include "database.h"
#include "httpfront.h"
#include "linkstore.h"
#include "placetable.h"
#include "recordbuilder.h"
#include "textentities.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QRegularExpression>
#include <QUrl>

static const double kmPerMile = 1.609344;

SearchService::SearchService(SandboxContext *context, QObject *parent)
    : QObject(parent)
    , m_context(context)
{ }

void SearchService::registerRoutes(HttpFront *front)
{
    front->addRoute("GET", QStringLiteral("/1/search\\.json"), HttpFront::Access::Public,
                    [this](ApiRequest &r) { return search(r); });
}

SearchService::Circle SearchService::parseGeocode(const QString &geocode)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(-?[0-9.]+)\\s*,\\s*(-?[0-9.]+)\\s*,\\s*([0-9.]+)\\s*(mi|km)\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = pattern.match(geocode);
    bool okLat = false;
    bool okLong = false;
    bool okRadius = false;
    Circle circle;
    if (m.hasMatch()) {
        circle.latitude = m.captured(1).toDouble(&okLat);
        circle.longitude = m.captured(2).toDouble(&okLong);
        circle.radiusKm = m.captured(3).toDouble(&okRadius);
    }
    if (!okLat || !okLong || !okRadius || qAbs(circle.latitude) > 90 || qAbs(circle.longitude) > 180
        || circle.radiusKm <= 0)
        throw ApiError::invalid(QStringLiteral("geocode"));
    if (m.captured(4).toLower() == QLatin1String("mi"))
        circle.radiusKm *= kmPerMile;
    return circle;
}

QList<SearchService::Term> SearchService::parseQuery(const QString &query) const
{
    QList<Term> terms;
    const QStringList words =
        query.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    for (const QString &word : words) {
        Term term;
        if (word.startsWith(QLatin1String("from:"), Qt::CaseInsensitive)) {
            term.kind = Term::From;
            term.value = word.mid(5);
        } else if (word.size() > 1 && word.startsWith(QLatin1Char('#'))) {
            term.kind = Term::Hashtag;
            term.value = word.mid(1);
        } else if (word.size() > 1 && word.startsWith(QLatin1Char('@'))) {
            term.kind = Term::Mention;
            term.value = word.mid(1);
            term.userId = m_context->accounts->userIdByName(term.value);
        } else {
            // Whole words only: "quick" is not found in "#qtquick".
            term.kind = Term::Word;
            term.value = word;
            term.word = QRegularExpression(QStringLiteral("(?<![\\p{L}\\p{N}_])")
                                               + QRegularExpression::escape(word)
                                               + QStringLiteral("(?![\\p{L}\\p{N}_])"),
                                           QRegularExpression::CaseInsensitiveOption);
        }
        terms.append(term);
    }
    return terms;
}

bool SearchService::matches(const QList<Term> &terms, const QString &text, const QString &author,
                            qint64 statusId) const
{
    for (const Term &term : terms) {
        switch (term.kind) {
        case Term::From:
            if (author.compare(term.value, Qt::CaseInsensitive) != 0)
                return false;
            break;
        case Term::Hashtag: {
            bool found = false;
            for (const TextEntities::Span &tag : TextEntities::hashtags(text, m_context->baseUrl))
                found = found || tag.value.compare(term.value, Qt::CaseInsensitive) == 0;
            if (!found)
                return false;
            break;
        }
        case Term::Mention:
            if (author.compare(term.value, Qt::CaseInsensitive) != 0
                && (!term.userId
                    || !m_context->db->exists(QStringLiteral("SELECT 1 FROM mentions WHERE"
                                                             " status_id = ? AND user_id = ?"),
                                              {statusId, term.userId})))
                return false;
            break;
        case Term::Word:
            if (!text.contains(term.word))
                return false;
            break;
        }
    }
    return true;
}

ApiReply SearchService::search(const ApiRequest &request)
{
    QElapsedTimer timer;
    timer.start();
    const QString q = request.required(QStringLiteral("q")).trimmed();
    const QList<Term> terms = parseQuery(q);
    const int rpp = request.count(QStringLiteral("rpp"), 15, 100);
    const int page = request.page();
    const auto sinceId = request.optionalId(QStringLiteral("since_id"));
    const auto maxId = request.optionalId(QStringLiteral("max_id"));
    std::optional<Circle> circle;
    if (!request.value(QStringLiteral("geocode")).trimmed().isEmpty())
        circle = parseGeocode(request.value(QStringLiteral("geocode")));

    QString sql = QStringLiteral("SELECT s.id, s.text, u.screen_name, s.lat, s.lon, s.place_id")
        + AccessRules::statusJoins() + QStringLiteral("WHERE s.retweet_of IS NULL AND")
        + AccessRules::listingFilter(request.userId);
    if (sinceId)
        sql += QStringLiteral(" AND s.id > %1").arg(*sinceId);
    if (maxId)
        sql += QStringLiteral(" AND s.id <= %1").arg(*maxId);
    sql += QStringLiteral(" ORDER BY s.id DESC");

    const qint64 first = qint64(page - 1) * rpp;
    QList<qint64> results;
    qint64 newest = 0;
    qint64 matched = 0;
    bool more = false;
    QSqlQuery rows = m_context->db->exec(sql);
    while (rows.next()) {
        const qint64 id = rows.value(0).toLongLong();
        const QString text = LinkStore::expand(rows.value(1).toString(), m_context->baseUrl);
        if (!matches(terms, text, rows.value(2).toString(), id))
            continue;
        if (circle) {
            bool inside = false;
            if (!rows.value(3).isNull() && !rows.value(4).isNull()) {
                inside = PlaceTable::distanceKm(circle->latitude, circle->longitude,
                                                rows.value(3).toDouble(), rows.value(4).toDouble())
                    <= circle->radiusKm;
            }
            if (!inside && !rows.value(5).isNull()) {
                if (const PlaceTable::Place *place =
                        m_context->places->find(rows.value(5).toString()))
                    inside =
                        PlaceTable::distanceKm(circle->latitude, circle->longitude,
                                               place->centerLatitude(), place->centerLongitude())
                        <= circle->radiusKm;
            }
            if (!inside)
                continue;
        }
        if (!newest)
            newest = id;
        if (matched >= first + rpp) {
            more = true;
            break;
        }
        if (matched >= first)
            results.append(id);
        ++matched;
    }

    RecordBuilder builder(*m_context, request.userId);
    builder.setIncludeEntities(request.flag(QStringLiteral("include_entities")));
    QJsonArray records;
    for (qint64 id : std::as_const(results))
        records.append(builder.searchResult(id));

    const qint64 answerMaxId = maxId ? *maxId : newest;
    const QString encoded = QString::fromLatin1(QUrl::toPercentEncoding(q));
    QJsonObject answer {{QStringLiteral("results"), records},
                        {QStringLiteral("query"), encoded},
                        {QStringLiteral("page"), page},
                        {QStringLiteral("results_per_page"), rpp}};
    RecordBuilder::putId(answer, QStringLiteral("max_id"), answerMaxId);
    RecordBuilder::putId(answer, QStringLiteral("since_id"), sinceId ? *sinceId : 0);
    if (more) {
        answer.insert(
            QStringLiteral("next_page"),
            QStringLiteral("?page=%1&max_id=%2&q=%3").arg(page + 1).arg(answerMaxId).arg(encoded));
    }
    answer.insert(QStringLiteral("completed_in"), timer.nsecsElapsed() / 1e9);
    return ApiReply::json(answer);
}
