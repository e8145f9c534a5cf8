#ifndef SANDBOX_GEOSERVICE_H
#define SANDBOX_GEOSERVICE_H

#include "apireply.h"
#include "sandboxcontext.h"

#include <QObject>

class ApiRequest;
class HttpFront;

// Places: the places near a point, one place, and places by name.
class GeoService : public QObject
{
    Q_OBJECT
public:
    static constexpr int reverseGeocodeRadiusKm = 50;

    GeoService(SandboxContext *context, QObject *parent = nullptr);

    void registerRoutes(HttpFront *front);

private:
    ApiReply reverseGeocode(const ApiRequest &request);
    ApiReply place(const ApiRequest &request);
    ApiReply search(const ApiRequest &request);

    SandboxContext *m_context;
};

#endif // SANDBOX_GEOSERVICE_H
