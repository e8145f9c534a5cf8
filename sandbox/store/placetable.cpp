#include "placetable.h"

#include <QCryptographicHash>

#include <algorithm>
#include <cmath>

namespace {
struct Row
{
    const char *name;
    const char *within; // country for a city, city for a neighbourhood
    const char *country;
    const char *code;
    const char *type;
    double west, south, east, north;
};

const Row rows[] = {
    {"Helsinki", "Finland", "Finland", "FI", "city", 24.78, 60.13, 25.25, 60.30},
    {"Kallio", "Helsinki", "Finland", "FI", "neighborhood", 24.93, 60.178, 24.965, 60.192},
    {"Kamppi", "Helsinki", "Finland", "FI", "neighborhood", 24.91, 60.162, 24.94, 60.172},
    {"Espoo", "Finland", "Finland", "FI", "city", 24.50, 60.10, 24.78, 60.36},
    {"Tampere", "Finland", "Finland", "FI", "city", 23.55, 61.42, 24.05, 61.58},
    {"Turku", "Finland", "Finland", "FI", "city", 22.10, 60.38, 22.45, 60.52},
    {"Oulu", "Finland", "Finland", "FI", "city", 25.25, 64.90, 25.70, 65.10},
    {"Stockholm", "Sweden", "Sweden", "SE", "city", 17.75, 59.20, 18.25, 59.45},
    {"Gothenburg", "Sweden", "Sweden", "SE", "city", 11.80, 57.60, 12.10, 57.80},
    {"Oslo", "Norway", "Norway", "NO", "city", 10.60, 59.80, 10.95, 60.00},
    {"Copenhagen", "Denmark", "Denmark", "DK", "city", 12.45, 55.60, 12.70, 55.75},
    {"Reykjavík", "Iceland", "Iceland", "IS", "city", -21.98, 64.08, -21.75, 64.16},
    {"Tallinn", "Estonia", "Estonia", "EE", "city", 24.55, 59.35, 24.95, 59.50},
    {"Riga", "Latvia", "Latvia", "LV", "city", 23.95, 56.85, 24.30, 57.05},
    {"Berlin", "Germany", "Germany", "DE", "city", 13.09, 52.34, 13.76, 52.68},
    {"Kreuzberg", "Berlin", "Germany", "DE", "neighborhood", 13.37, 52.48, 13.45, 52.51},
    {"Munich", "Germany", "Germany", "DE", "city", 11.36, 48.06, 11.72, 48.25},
    {"Hamburg", "Germany", "Germany", "DE", "city", 9.73, 53.39, 10.33, 53.74},
    {"Amsterdam", "Netherlands", "Netherlands", "NL", "city", 4.73, 52.28, 5.07, 52.43},
    {"Brussels", "Belgium", "Belgium", "BE", "city", 4.24, 50.76, 4.48, 50.92},
    {"Paris", "France", "France", "FR", "city", 2.22, 48.81, 2.47, 48.90},
    {"Lyon", "France", "France", "FR", "city", 4.77, 45.70, 4.90, 45.81},
    {"London", "United Kingdom", "United Kingdom", "GB", "city", -0.51, 51.28, 0.33, 51.69},
    {"Shoreditch", "London", "United Kingdom", "GB", "neighborhood", -0.09, 51.52, -0.07, 51.53},
    {"Oxford", "United Kingdom", "United Kingdom", "GB", "city", -1.32, 51.71, -1.18, 51.80},
    {"Edinburgh", "United Kingdom", "United Kingdom", "GB", "city", -3.33, 55.89, -3.08, 55.99},
    {"Dublin", "Ireland", "Ireland", "IE", "city", -6.39, 53.29, -6.11, 53.41},
    {"Madrid", "Spain", "Spain", "ES", "city", -3.84, 40.31, -3.52, 40.56},
    {"Barcelona", "Spain", "Spain", "ES", "city", 2.05, 41.32, 2.23, 41.47},
    {"Lisbon", "Portugal", "Portugal", "PT", "city", -9.23, 38.69, -9.09, 38.80},
    {"Rome", "Italy", "Italy", "IT", "city", 12.37, 41.80, 12.62, 41.99},
    {"Milan", "Italy", "Italy", "IT", "city", 9.04, 45.39, 9.28, 45.54},
    {"Vienna", "Austria", "Austria", "AT", "city", 16.18, 48.12, 16.58, 48.32},
    {"Zurich", "Switzerland", "Switzerland", "CH", "city", 8.45, 47.32, 8.63, 47.43},
    {"Prague", "Czechia", "Czechia", "CZ", "city", 14.22, 49.94, 14.71, 50.18},
    {"Warsaw", "Poland", "Poland", "PL", "city", 20.85, 52.10, 21.27, 52.37},
    {"Budapest", "Hungary", "Hungary", "HU", "city", 18.93, 47.35, 19.33, 47.61},
    {"Athens", "Greece", "Greece", "GR", "city", 23.65, 37.92, 23.80, 38.05},
    {"Istanbul", "Turkey", "Turkey", "TR", "city", 28.60, 40.80, 29.40, 41.20},
    {"Cairo", "Egypt", "Egypt", "EG", "city", 31.15, 29.95, 31.45, 30.15},
    {"Lagos", "Nigeria", "Nigeria", "NG", "city", 3.10, 6.40, 3.70, 6.70},
    {"Nairobi", "Kenya", "Kenya", "KE", "city", 36.65, -1.44, 37.10, -1.16},
    {"Cape Town", "South Africa", "South Africa", "ZA", "city", 18.30, -34.20, 18.70, -33.80},
    {"New York", "United States", "United States", "US", "city", -74.26, 40.48, -73.70, 40.92},
    {"Boston", "United States", "United States", "US", "city", -71.19, 42.23, -70.99, 42.40},
    {"San Francisco", "United States", "United States", "US", "city", -122.52, 37.70, -122.35,
     37.83},
    {"Los Angeles", "United States", "United States", "US", "city", -118.67, 33.70, -118.15, 34.34},
    {"Seattle", "United States", "United States", "US", "city", -122.44, 47.49, -122.24, 47.73},
    {"Chicago", "United States", "United States", "US", "city", -87.94, 41.64, -87.52, 42.02},
    {"Toronto", "Canada", "Canada", "CA", "city", -79.64, 43.58, -79.12, 43.86},
    {"Montréal", "Canada", "Canada", "CA", "city", -73.98, 45.41, -73.47, 45.70},
    {"Vancouver", "Canada", "Canada", "CA", "city", -123.23, 49.20, -123.02, 49.32},
    {"Mexico City", "Mexico", "Mexico", "MX", "city", -99.36, 19.18, -98.94, 19.59},
    {"São Paulo", "Brazil", "Brazil", "BR", "city", -46.83, -23.80, -46.36, -23.36},
    {"Buenos Aires", "Argentina", "Argentina", "AR", "city", -58.53, -34.71, -58.33, -34.53},
    {"Tokyo", "Japan", "Japan", "JP", "city", 139.56, 35.53, 139.92, 35.82},
    {"Osaka", "Japan", "Japan", "JP", "city", 135.40, 34.58, 135.60, 34.75},
    {"Seoul", "South Korea", "South Korea", "KR", "city", 126.76, 37.43, 127.18, 37.70},
    {"Beijing", "China", "China", "CN", "city", 116.20, 39.75, 116.60, 40.05},
    {"Shanghai", "China", "China", "CN", "city", 121.30, 31.10, 121.70, 31.40},
    {"Hong Kong", "Hong Kong", "Hong Kong", "HK", "city", 113.83, 22.15, 114.41, 22.56},
    {"Singapore", "Singapore", "Singapore", "SG", "city", 103.60, 1.20, 104.05, 1.48},
    {"Mumbai", "India", "India", "IN", "city", 72.77, 18.89, 72.99, 19.27},
    {"Bengaluru", "India", "India", "IN", "city", 77.46, 12.83, 77.78, 13.14},
    {"Sydney", "Australia", "Australia", "AU", "city", 150.90, -34.05, 151.35, -33.70},
    {"Melbourne", "Australia", "Australia", "AU", "city", 144.80, -37.95, 145.15, -37.70},
    {"Auckland", "New Zealand", "New Zealand", "NZ", "city", 174.65, -36.95, 174.90, -36.80},
};
} // namespace

bool PlaceTable::Place::contains(double latitude, double longitude) const
{
    return latitude >= south && latitude <= north && longitude >= west && longitude <= east;
}

double PlaceTable::Place::distanceKm(double latitude, double longitude) const
{
    if (contains(latitude, longitude))
        return 0;
    const double lat = qBound(south, latitude, north);
    const double lon = qBound(west, longitude, east);
    return PlaceTable::distanceKm(latitude, longitude, lat, lon);
}

PlaceTable::PlaceTable()
{
    for (const Row &row : rows) {
        Place place;
        place.name = QString::fromUtf8(row.name);
        place.fullName = place.name + QStringLiteral(", ") + QString::fromUtf8(row.within);
        place.country = QString::fromUtf8(row.country);
        place.countryCode = QString::fromLatin1(row.code);
        place.placeType = QString::fromLatin1(row.type);
        place.west = row.west;
        place.south = row.south;
        place.east = row.east;
        place.north = row.north;
        place.id = QString::fromLatin1(
            QCryptographicHash::hash(place.fullName.toUtf8(), QCryptographicHash::Sha1)
                .left(8)
                .toHex());
        m_places.append(place);
    }
}

const PlaceTable::Place *PlaceTable::find(const QString &id) const
{
    for (const Place &place : m_places) {
        if (place.id == id)
            return &place;
    }
    return nullptr;
}

const PlaceTable::Place *PlaceTable::findByName(const QString &name) const
{
    for (const Place &place : m_places) {
        if (place.name == name)
            return &place;
    }
    return nullptr;
}

QList<const PlaceTable::Place *> PlaceTable::near(double latitude, double longitude,
                                                  double withinKm, int maxResults) const
{
    QList<QPair<double, const Place *>> found;
    for (const Place &place : m_places) {
        const double d = place.distanceKm(latitude, longitude);
        if (d <= withinKm)
            found.append({d, &place});
    }
    std::stable_sort(found.begin(), found.end(), [](const auto &a, const auto &b) {
        if (a.first != b.first)
            return a.first < b.first;
        return a.second->area() < b.second->area();
    });
    QList<const Place *> result;
    for (const auto &entry : std::as_const(found)) {
        if (result.size() >= maxResults)
            break;
        result.append(entry.second);
    }
    return result;
}

QList<const PlaceTable::Place *> PlaceTable::search(const QString &query) const
{
    QList<const Place *> result;
    const QString q = query.trimmed();
    if (q.isEmpty())
        return result;
    for (const Place &place : m_places) {
        if (place.name.contains(q, Qt::CaseInsensitive)
            || place.fullName.contains(q, Qt::CaseInsensitive)) {
            result.append(&place);
        }
    }
    return result;
}

double PlaceTable::distanceKm(double lat1, double lon1, double lat2, double lon2)
{
    // Haversine on a sphere of the Earth's mean radius.
    const double rad = M_PI / 180;
    const double dLat = (lat2 - lat1) * rad;
    const double dLon = (lon2 - lon1) * rad;
    const double a = std::sin(dLat / 2) * std::sin(dLat / 2)
        + std::cos(lat1 * rad) * std::cos(lat2 * rad) * std::sin(dLon / 2) * std::sin(dLon / 2);
    return 6371.0 * 2 * std::atan2(std::sqrt(a), std::sqrt(1 - a));
}
