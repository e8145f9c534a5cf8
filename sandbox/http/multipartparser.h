#ifndef SANDBOX_MULTIPARTPARSER_H
#define SANDBOX_MULTIPARTPARSER_H

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

struct MultipartPart
{
    QString name;
    QString fileName; // empty for a plain field
    QByteArray contentType;
    QByteArray data;
    bool hasFileName = false;
};

// Splits a multipart/form-data body (RFC 7578) into its parts.
class MultipartParser
{
public:
    // The boundary named by a Content-Type header, empty when it names none.
    static QByteArray boundary(const QByteArray &contentType);

    // Nothing when the body is not well-formed for that boundary.
    static std::optional<QList<MultipartPart>> parse(const QByteArray &contentType,
                                                     const QByteArray &body);
};

#endif // SANDBOX_MULTIPARTPARSER_H
