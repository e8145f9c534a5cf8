#ifndef SANDBOX_APIREQUEST_H
#define SANDBOX_APIREQUEST_H

#include "multipartparser.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

// One request as the handlers see it: its parameters (query string and form body, or the
// fields of a multipart body), the route's captures and who sent it. The readers throw
// ApiError for a parameter that is missing or malformed.
class ApiRequest
{
public:
    QByteArray method;
    QString path;
    QUrl url;
    QList<QPair<QString, QString>> params;
    QList<MultipartPart> parts; // file parts of a multipart body
    QStringList captures;
    qint64 userId = 0; // 0: anonymous
    QString token;
    QString baseUrl; // the service's own address, without a trailing slash

    bool has(const QString &name) const;
    // The first value given, empty when absent.
    QString value(const QString &name) const;
    // Present and not empty, or 400 "Missing parameter".
    QString required(const QString &name) const;
    // true, t or 1 in any letter case.
    bool flag(const QString &name) const;
    // An id: decimal, positive, at most 19 digits. Absent or empty gives nothing.
    std::optional<qint64> optionalId(const QString &name) const;
    qint64 requiredId(const QString &name) const;
    // A count clamped to 1..maximum; fallback when absent.
    int count(const QString &name, int fallback, int maximum) const;
    // A 1-based page number, 1 when absent.
    int page(const QString &name = QStringLiteral("page")) const;
    // A signed cursor: -1 (first page) when absent.
    qint64 cursor() const;
    // A latitude (limit 90) or longitude (limit 180) in degrees; 400 when missing or out of range.
    double coordinate(const QString &name, double limit) const;
    // An id in the path, e.g. statuses/destroy/<id>.json; 404 when it is no id.
    qint64 captureId(int index) const;

    QList<const MultipartPart *> filesNamed(const QStringList &names) const;

    static std::optional<qint64> parseId(const QString &text);
};

#endif // SANDBOX_APIREQUEST_H
