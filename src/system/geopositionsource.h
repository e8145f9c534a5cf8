#ifndef GEOPOSITIONSOURCE_H
#define GEOPOSITIONSOURCE_H

#include <QGeoPositionInfo>
#include <QObject>
#include <QPointer>

class QGeoPositionInfoSource;

// The position for nearby searches and tweet places, as QML type "ZirrupPositionSource".
// It reads the system's source, or a recorded NMEA log named by ZIRRUP_POSITION_LOG (tests and
// desktops without a receiver). Qt 6.4's QML PositionSource drops plugin parameters, so the
// log cannot be handed to it from QML. Where no source answers, `available` turns false and
// the page says so instead of waiting for a position that never comes.
class GeoPositionSource : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool active READ isActive WRITE setActive NOTIFY activeChanged)
    Q_PROPERTY(
        int updateInterval READ updateInterval WRITE setUpdateInterval NOTIFY updateIntervalChanged)
    Q_PROPERTY(bool available READ isAvailable NOTIFY availableChanged)
    Q_PROPERTY(bool positionValid READ isPositionValid NOTIFY positionChanged)
    Q_PROPERTY(double latitude READ latitude NOTIFY positionChanged)
    Q_PROPERTY(double longitude READ longitude NOTIFY positionChanged)
public:
    explicit GeoPositionSource(QObject *parent = nullptr);
    ~GeoPositionSource() override;

    static void registerQmlType();

    bool isActive() const { return m_active; }
    void setActive(bool active);
    int updateInterval() const { return m_updateInterval; }
    void setUpdateInterval(int interval);
    bool isAvailable() const { return m_available; }
    bool isPositionValid() const { return m_position.isValid(); }
    double latitude() const;
    double longitude() const;

public Q_SLOTS:
    void start() { setActive(true); }
    void stop() { setActive(false); }

Q_SIGNALS:
    void activeChanged();
    void updateIntervalChanged();
    void availableChanged();
    void positionChanged();

private:
    QGeoPositionInfoSource *source();
    void setAvailable(bool available);

    QPointer<QGeoPositionInfoSource> m_source;
    bool m_sourceTried = false;
    bool m_active = false;
    bool m_available = true;
    int m_updateInterval = 1000;
    QGeoPositionInfo m_position;
};

#endif // GEOPOSITIONSOURCE_H
