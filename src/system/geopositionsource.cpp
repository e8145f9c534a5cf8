#include "geopositionsource.h"

#include <QGeoPositionInfoSource>
#include <QQmlEngine>
#include <QVariantMap>

GeoPositionSource::GeoPositionSource(QObject *parent)
    : QObject(parent)
{ }

GeoPositionSource::~GeoPositionSource() = default;

void GeoPositionSource::registerQmlType()
{
    qmlRegisterType<GeoPositionSource>("Zirrup.Positioning", 1, 0, "ZirrupPositionSource");
}

QGeoPositionInfoSource *GeoPositionSource::source()
{
    if (m_sourceTried)
        return m_source;
    m_sourceTried = true;
    const QString log = qEnvironmentVariable("ZIRRUP_POSITION_LOG");
    if (!log.isEmpty()) {
        m_source = QGeoPositionInfoSource::createSource(
            QStringLiteral("nmea"), {{QStringLiteral("nmea.source"), log}}, this);
    } else {
        m_source = QGeoPositionInfoSource::createDefaultSource(this);
    }
    if (!m_source) {
        setAvailable(false);
        return nullptr;
    }
    m_source->setUpdateInterval(m_updateInterval);
    connect(m_source, &QGeoPositionInfoSource::positionUpdated, this,
            [this](const QGeoPositionInfo &info) {
                if (!info.coordinate().isValid())
                    return;
                m_position = info;
                Q_EMIT positionChanged();
            });
    connect(m_source, &QGeoPositionInfoSource::errorOccurred, this,
            [this](QGeoPositionInfoSource::Error error) {
                // A timeout may pass; a refused or missing source will not.
                if (error == QGeoPositionInfoSource::UpdateTimeoutError)
                    return;
                setAvailable(false);
                setActive(false);
            });
    return m_source;
}

void GeoPositionSource::setActive(bool active)
{
    if (active == m_active)
        return;
    if (active) {
        QGeoPositionInfoSource *positions = source();
        if (!positions || !m_available)
            return;
        m_active = true;
        positions->startUpdates();
    } else {
        m_active = false;
        if (m_source)
            m_source->stopUpdates();
    }
    Q_EMIT activeChanged();
}

void GeoPositionSource::setUpdateInterval(int interval)
{
    if (interval == m_updateInterval)
        return;
    m_updateInterval = interval;
    if (m_source)
        m_source->setUpdateInterval(interval);
    Q_EMIT updateIntervalChanged();
}

void GeoPositionSource::setAvailable(bool available)
{
    if (available == m_available)
        return;
    m_available = available;
    Q_EMIT availableChanged();
}

double GeoPositionSource::latitude() const
{
    return m_position.coordinate().latitude();
}

double GeoPositionSource::longitude() const
{
    return m_position.coordinate().longitude();
}
