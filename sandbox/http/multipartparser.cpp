#include "multipartparser.h"

static QByteArray unquote(QByteArray value)
{
    value = value.trimmed();
    if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
        value = value.mid(1, value.size() - 2);
    return value;
}

// The value of "key=" inside a header such as Content-Disposition; found says whether the
// parameter was there at all (an empty file name is still a file part).
static QByteArray headerParameter(const QByteArray &header, const QByteArray &key, bool *found)
{
    *found = false;
    const QList<QByteArray> pieces = header.split(';');
    for (const QByteArray &piece : pieces) {
        const int eq = piece.indexOf('=');
        if (eq < 0)
            continue;
        if (piece.left(eq).trimmed().toLower() == key) {
            *found = true;
            return unquote(piece.mid(eq + 1));
        }
    }
    return {};
}

QByteArray MultipartParser::boundary(const QByteArray &contentType)
{
    if (!contentType.trimmed().toLower().startsWith("multipart/form-data"))
        return {};
    bool found = false;
    const QByteArray value = headerParameter(contentType, "boundary", &found);
    // RFC 2046 limits a boundary to 70 characters.
    if (!found || value.isEmpty() || value.size() > 70)
        return {};
    return value;
}

std::optional<QList<MultipartPart>> MultipartParser::parse(const QByteArray &contentType,
                                                           const QByteArray &body)
{
    const QByteArray mark = boundary(contentType);
    if (mark.isEmpty())
        return std::nullopt;
    const QByteArray delimiter = "--" + mark;
    const QByteArray separator = "\r\n" + delimiter;

    int pos = body.indexOf(delimiter);
    if (pos < 0)
        return std::nullopt;
    pos += delimiter.size();

    QList<MultipartPart> parts;
    while (true) {
        if (body.mid(pos, 2) == "--")
            return parts; // closing delimiter
        if (body.mid(pos, 2) != "\r\n")
            return std::nullopt;
        pos += 2;
        const int headersEnd = body.indexOf("\r\n\r\n", pos);
        if (headersEnd < 0)
            return std::nullopt;
        MultipartPart part;
        bool named = false;
        const QList<QByteArray> headerLines = body.mid(pos, headersEnd - pos).split('\n');
        for (QByteArray line : headerLines) {
            line = line.trimmed();
            const int colon = line.indexOf(':');
            if (colon < 0)
                continue;
            const QByteArray key = line.left(colon).trimmed().toLower();
            const QByteArray value = line.mid(colon + 1).trimmed();
            if (key == "content-disposition") {
                part.name = QString::fromUtf8(headerParameter(value, "name", &named));
                bool hasFile = false;
                part.fileName = QString::fromUtf8(headerParameter(value, "filename", &hasFile));
                part.hasFileName = hasFile;
            } else if (key == "content-type") {
                part.contentType = value;
            }
        }
        if (!named)
            return std::nullopt;
        const int dataStart = headersEnd + 4;
        const int dataEnd = body.indexOf(separator, dataStart);
        if (dataEnd < 0)
            return std::nullopt;
        part.data = body.mid(dataStart, dataEnd - dataStart);
        parts.append(part);
        pos = dataEnd + separator.size();
    }
}
