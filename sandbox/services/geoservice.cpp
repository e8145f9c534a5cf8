#include "geoservice.h"

#include "apierror.h"
#include "apirequest.h"
#include "httpfront.h"
#include "placetable.h"
#include "recordbuilder.h"

#include <QJsonArray>

GeoService::GeoService(SandboxContext *context, QObject *parent)
    : QObject(parent)
    , m_context(context)
{ }

void GeoService::registerRoutes(HttpFront *front)
{
    using Access = HttpFront::Access;
    front->addRoute("GET", QStringLiteral("/1/geo/reverse_geocode\\.json"), Access::Public,
                    [this](ApiRequest &r) { return reverseGeocode(r); });
    front->addRoute("GET", QStringLiteral("/1/geo/id/([^/]+)\\.json"), Access::Public,
                    [this](ApiRequest &r) { return place(r); });
    front->addRoute("GET", QStringLiteral("/1/geo/search\\.json"), Access::Public,
                    [this](ApiRequest &r) { return search(r); });
}

ApiReply GeoService::reverseGeocode(const ApiRequest &request)
{
    const double latitude = request.coordinate(QStringLiteral("lat"), 90);
    const double longitude = request.coordinate(QStringLiteral("long"), 180);
    const int maxResults = request.count(QStringLiteral("max_results"), 10, 100);
    const RecordBuilder builder(*m_context, request.userId);
    QJsonArray places;
    for (const PlaceTable::Place *p :
         m_context->places->near(latitude, longitude, reverseGeocodeRadiusKm, maxResults))
        places.append(builder.place(p->id));
    const QJsonObject params {
        {QStringLiteral("coordinates"),
         QJsonObject {{QStringLiteral("type"), QStringLiteral("Point")},
                      {QStringLiteral("coordinates"), QJsonArray {longitude, latitude}}}},
        {QStringLiteral("max_results"), maxResults}};
    return ApiReply::json(
        QJsonObject {{QStringLiteral("result"), QJsonObject {{QStringLiteral("places"), places}}},
                     {QStringLiteral("query"),
                      QJsonObject {{QStringLiteral("params"), params},
                                   {QStringLiteral("type"), QStringLiteral("reverse_geocode")}}}});
}

ApiReply GeoService::place(const ApiRequest &request)
{
    const RecordBuilder builder(*m_context, request.userId);
    return ApiReply::json(builder.place(request.captures.value(0)));
}

ApiReply GeoService::search(const ApiRequest &request)
{
    const QString query = request.required(QStringLiteral("query"));
    const RecordBuilder builder(*m_context, request.userId);
    QJsonArray places;
    for (const PlaceTable::Place *p : m_context->places->search(query))
        places.append(builder.place(p->id));
    return ApiReply::json(
        QJsonObject {{QStringLiteral("result"), QJsonObject {{QStringLiteral("places"), places}}}});
}
