#ifndef SANDBOX_PLACETABLE_H
#define SANDBOX_PLACETABLE_H

#include <QList>
#include <QString>

// Real-world places with their bounding boxes, for geotagging and place search. The table is
// part of the program, so place ids are the same in every database.
class PlaceTable
{
public:
    struct Place
    {
        QString id; // 16 hexadecimal digits
        QString name;
        QString fullName;
        QString country;
        QString countryCode;
        QString placeType;
        double west, south, east, north;

        double centerLatitude() const { return (south + north) / 2; }
        double centerLongitude() const { return (west + east) / 2; }
        bool contains(double latitude, double longitude) const;
        // 0 inside the box, else the distance to its nearest edge.
        double distanceKm(double latitude, double longitude) const;
        double area() const { return (east - west) * (north - south); }
    };

    PlaceTable();

    const Place *find(const QString &id) const;
    const Place *findByName(const QString &name) const;
    // Places within withinKm of the point, nearest (and then smallest) first.
    QList<const Place *> near(double latitude, double longitude, double withinKm,
                              int maxResults) const;
    // Places whose name or full name contains the query, any letter case.
    QList<const Place *> search(const QString &query) const;
    const QList<Place> &all() const { return m_places; }

    static double distanceKm(double lat1, double lon1, double lat2, double lon2);

private:
    QList<Place> m_places;
};

#endif // SANDBOX_PLACETABLE_H
