#include "mediaservice.h"

#include "apierror.h"
#include "database.h"
#include "linkstore.h"
#include "picturefactory.h"

#include <QBuffer>
#include <QDateTime>
#include <QImageReader>

const QSize MediaService::smallBox(340, 480);
const QSize MediaService::largeBox(1024, 2048);
const QSize MediaService::previewBox(1024, 1024);

// Larger pictures are refused rather than decoded.
static const qint64 maxJpegPixels = 50LL * 1000 * 1000;
static const qint64 maxOtherPixels = 16LL * 1000 * 1000;
static const qint64 firstMediaId = 1000000000900000000LL;

MediaService::MediaService(SandboxContext *context, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_cache(32 * 1024) // in KiB
{ }

std::optional<MediaService::Upload> MediaService::readPicture(const QByteArray &data)
{
    if (data.isEmpty())
        return std::nullopt;
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    if (format != "jpeg" && format != "png" && format != "gif")
        return std::nullopt;
    // JPEG decodes straight to a smaller size; PNG and GIF decode whole, so they get a
    // smaller limit (a few kilobytes of PNG can unpack to gigabytes).
    const QSize size = reader.size();
    const qint64 limit = format == "jpeg" ? maxJpegPixels : maxOtherPixels;
    if (!size.isValid() || size.isEmpty() || qint64(size.width()) * size.height() > limit)
        return std::nullopt;
    // A picture cut short still decodes (the rest comes out grey), so its end marker must
    // be there: JPEG's end of image, PNG's IEND chunk, GIF's trailer.
    const QByteArray tail = data.right(1024);
    const bool complete = format == "jpeg" ? tail.contains("\xff\xd9")
        : format == "png"                  ? tail.contains("IEND")
                                           : tail.contains(';');
    if (!complete)
        return std::nullopt;
    // Decoding a small version proves the bytes are a whole picture, cheaply.
    reader.setScaledSize(fitted(size, QSize(256, 256)));
    if (reader.read().isNull())
        return std::nullopt;
    return Upload {data, format == "jpeg" ? QStringLiteral("jpg") : QString::fromLatin1(format),
                   size};
}

QSize MediaService::fitted(const QSize &size, const QSize &box)
{
    if (size.width() <= box.width() && size.height() <= box.height())
        return size;
    return size.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

QString MediaService::photoPageUrl(const QString &baseUrl, const QString &screenName,
                                   qint64 statusId)
{
    return baseUrl + QLatin1Char('/') + screenName + QStringLiteral("/status/")
        + QString::number(statusId) + QStringLiteral("/photo/1");
}

bool MediaService::isPictureHost(const QString &host)
{
    QString h = host.toLower();
    if (h.startsWith(QLatin1String("www.")))
        h.remove(0, 4);
    return h == QLatin1String("zirpic.net") || h == QLatin1String("snapzr.com")
        || h == QLatin1String("imgzr.io");
}

qint64 MediaService::storePicture(qint64 userId, qint64 statusId, const QString &screenName,
                                  const Upload &upload, QString *code)
{
    Database *db = m_context->db;
    const qint64 id = db->nextId(QStringLiteral("media"), firstMediaId);
    // The wrapped link leads to the photo page, whatever address the service has later.
    *code = m_context->links->codeFor(
        photoPageUrl(QString(LinkStore::baseMarker), screenName, statusId));
    db->exec(QStringLiteral("INSERT INTO media (id, user_id, status_id, created_at, format, width,"
                            " height, data, code) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
             {id, userId, statusId, QDateTime::currentSecsSinceEpoch(), upload.format,
              upload.size.width(), upload.size.height(), upload.data, *code});
    return id;
}

QString MediaService::storeAvatar(qint64 userId, const Upload &upload)
{
    const QImage image = decode(upload.data, QSize(maxAvatarSide, maxAvatarSide), false);
    if (image.isNull())
        throw ApiError::invalid(QStringLiteral("image"));
    return storeAvatarImage(userId, image);
}

QString MediaService::storeAvatarImage(qint64 userId, const QImage &image)
{
    Database *db = m_context->db;
    const QImage kept = image.size() == fitted(image.size(), QSize(maxAvatarSide, maxAvatarSide))
        ? image
        : image.scaled(fitted(image.size(), QSize(maxAvatarSide, maxAvatarSide)),
                       Qt::KeepAspectRatio, Qt::SmoothTransformation);
    Database::Transaction tx(db);
    const qint64 serial =
        db->integer(QStringLiteral("SELECT avatar_serial FROM users WHERE id = ?"), {userId}) + 1;
    const QString previous =
        db->scalar(QStringLiteral("SELECT avatar FROM users WHERE id = ?"), {userId}).toString();
    const QString file = QStringLiteral("%1_%2.png").arg(userId).arg(serial);
    db->exec(
        QStringLiteral("INSERT INTO avatars (name, user_id, format, data) VALUES (?, ?, ?, ?)"),
        {file, userId, QStringLiteral("png"), PictureFactory::encode(kept, "PNG")});
    db->exec(QStringLiteral("UPDATE users SET avatar = ?, avatar_serial = ? WHERE id = ?"),
             {file, serial, userId});
    if (!previous.isEmpty())
        db->exec(QStringLiteral("DELETE FROM avatars WHERE name = ?"), {previous});
    tx.commit();
    // The old picture is gone, also from the sizes made of it.
    if (!previous.isEmpty()) {
        const int dot = int(previous.lastIndexOf(QLatin1Char('.')));
        for (const char *variant : {"", "normal", "bigger"})
            m_cache.remove(
                avatarCacheKey(previous.left(dot), QLatin1String(variant), previous.mid(dot + 1)));
    }
    return file;
}

QString MediaService::avatarCacheKey(const QString &name, const QString &variant,
                                     const QString &ext)
{
    return QStringLiteral("avatar:%1:%2.%3").arg(name, variant, ext);
}

QImage MediaService::decode(const QByteArray &data, const QSize &box, bool crop)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return QImage();
    const QSize target =
        crop ? size.scaled(box, Qt::KeepAspectRatioByExpanding).expandedTo(box) : fitted(size, box);
    if (target != size)
        reader.setScaledSize(target);
    const QImage image = reader.read();
    return image.isNull() ? image : shaped(image, box, crop);
}

QImage MediaService::shaped(const QImage &image, const QSize &box, bool crop)
{
    if (!crop) {
        const QSize target = fitted(image.size(), box);
        return target == image.size()
            ? image
            : image.scaled(target, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    const QImage cover = image.size() == box
        ? image
        : image.scaled(box, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    return cover.copy((cover.width() - box.width()) / 2, (cover.height() - box.height()) / 2,
                      box.width(), box.height());
}

QByteArray MediaService::contentTypeOf(const QString &format)
{
    if (format == QLatin1String("jpg"))
        return "image/jpeg";
    if (format == QLatin1String("gif"))
        return "image/gif";
    return "image/png";
}

QByteArray MediaService::scaledPicture(qint64 mediaId, const QString &size, QByteArray *contentType)
{
    QSqlQuery q = m_context->db->exec(QStringLiteral("SELECT format, data FROM media WHERE id = ?"),
                                      {mediaId});
    if (!q.next())
        throw ApiError::notFound();
    const QString format = q.value(0).toString();
    if (size.isEmpty()) {
        *contentType = contentTypeOf(format);
        return q.value(1).toByteArray();
    }
    // There is no GIF writer: the sized versions of a GIF are PNG pictures.
    const bool jpeg = format == QLatin1String("jpg");
    *contentType = jpeg ? "image/jpeg" : "image/png";
    const QString key = QStringLiteral("pic:%1:%2").arg(mediaId).arg(size);
    if (const QByteArray *cached = m_cache.object(key))
        return *cached;
    const bool thumb = size == QLatin1String("thumb");
    const QImage scaled = decode(q.value(1).toByteArray(),
                                 thumb                                ? QSize(thumbSide, thumbSide)
                                     : size == QLatin1String("small") ? smallBox
                                                                      : largeBox,
                                 thumb);
    if (scaled.isNull())
        throw ApiError::notFound();
    auto *bytes = new QByteArray(PictureFactory::encode(scaled, jpeg ? "JPEG" : "PNG"));
    const QByteArray result = *bytes;
    m_cache.insert(key, bytes, qMax<qsizetype>(1, bytes->size() / 1024));
    return result;
}
