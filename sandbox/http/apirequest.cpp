#include "apirequest.h"

#include "apierror.h"

#include <limits>

bool ApiRequest::has(const QString &name) const
{
    for (const auto &p : params) {
        if (p.first == name)
            return true;
    }
    return false;
}

QString ApiRequest::value(const QString &name) const
{
    for (const auto &p : params) {
        if (p.first == name)
            return p.second;
    }
    return {};
}

QString ApiRequest::required(const QString &name) const
{
    const QString v = value(name);
    if (v.trimmed().isEmpty())
        throw ApiError::missing(name);
    return v;
}

bool ApiRequest::flag(const QString &name) const
{
    const QString v = value(name).toLower();
    return v == QLatin1String("true") || v == QLatin1String("t") || v == QLatin1String("1");
}

std::optional<qint64> ApiRequest::parseId(const QString &text)
{
    if (text.isEmpty() || text.size() > 19)
        return std::nullopt;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    bool ok = false;
    const qint64 id = text.toLongLong(&ok);
    if (!ok || id <= 0)
        return std::nullopt;
    return id;
}

std::optional<qint64> ApiRequest::optionalId(const QString &name) const
{
    const QString v = value(name).trimmed();
    if (v.isEmpty())
        return std::nullopt;
    const auto id = parseId(v);
    if (!id)
        throw ApiError::invalid(name);
    return id;
}

qint64 ApiRequest::requiredId(const QString &name) const
{
    if (value(name).trimmed().isEmpty())
        throw ApiError::missing(name);
    return *optionalId(name);
}

int ApiRequest::count(const QString &name, int fallback, int maximum) const
{
    const QString v = value(name).trimmed();
    if (v.isEmpty())
        return fallback;
    bool ok = false;
    const qint64 n = v.toLongLong(&ok);
    if (!ok)
        throw ApiError::invalid(name);
    return int(qBound(qint64(1), n, qint64(maximum)));
}

int ApiRequest::page(const QString &name) const
{
    const QString v = value(name).trimmed();
    if (v.isEmpty())
        return 1;
    bool ok = false;
    const qint64 n = v.toLongLong(&ok);
    if (!ok)
        throw ApiError::invalid(name);
    // Far pages are simply empty; the bound keeps offsets from overflowing.
    return int(qBound(qint64(1), n, qint64(1000000)));
}

qint64 ApiRequest::cursor() const
{
    const QString v = value(QStringLiteral("cursor")).trimmed();
    if (v.isEmpty())
        return -1;
    bool ok = false;
    const qint64 n = v.toLongLong(&ok);
    if (!ok)
        throw ApiError::invalid(QStringLiteral("cursor"));
    return n;
}

double ApiRequest::coordinate(const QString &name, double limit) const
{
    const QString text = value(name).trimmed();
    if (text.isEmpty())
        throw ApiError::missing(name);
    bool ok = false;
    const double degrees = text.toDouble(&ok);
    if (!ok || !qIsFinite(degrees) || degrees < -limit || degrees > limit)
        throw ApiError::invalid(name);
    return degrees;
}

qint64 ApiRequest::captureId(int index) const
{
    const auto id = parseId(captures.value(index));
    if (!id)
        throw ApiError::notFound();
    return *id;
}

QList<const MultipartPart *> ApiRequest::filesNamed(const QStringList &names) const
{
    QList<const MultipartPart *> found;
    for (const MultipartPart &part : parts) {
        if (names.contains(part.name))
            found.append(&part);
    }
    return found;
}
