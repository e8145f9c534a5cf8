#ifndef SANDBOX_MEDIASERVICE_H
#define SANDBOX_MEDIASERVICE_H

#include "sandboxcontext.h"

#include <QCache>
#include <QImage>
#include <QObject>
#include <QSize>

#include <optional>

class HttpFront;
class ApiRequest;
class ApiReply;

// Pictures: uploads of tweets and profiles (checked, stored in the database), their sizes,
// the avatars, the photo pages, and link previews (our own pictures and the picture hosts).
class MediaService : public QObject
{
    Q_OBJECT
public:
    static constexpr int maxPictureBytes = 3 * 1024 * 1024;
    static constexpr int maxAvatarBytes = 700 * 1024;
    static constexpr int maxAvatarSide = 500;
    static const QSize smallBox;
    static const QSize largeBox;
    static const QSize previewBox;
    static constexpr int thumbSide = 150;

    // A picture read from an upload: its format ("jpg", "png", "gif") and size.
    struct Upload
    {
        QByteArray data;
        QString format;
        QSize size;
    };

    MediaService(SandboxContext *context, QObject *parent = nullptr);

    void registerRoutes(HttpFront *front);

    // Nothing when the bytes are not a JPEG, PNG or GIF picture of a sane size.
    static std::optional<Upload> readPicture(const QByteArray &data);
    // The size inside box keeping the aspect ratio; never enlarged.
    static QSize fitted(const QSize &size, const QSize &box);
    static QString photoPageUrl(const QString &baseUrl, const QString &screenName, qint64 statusId);
    static bool isPictureHost(const QString &host);

    // Stores the picture of a status and answers the media id; *code gets the wrapped link
    // code that leads to the photo page.
    qint64 storePicture(qint64 userId, qint64 statusId, const QString &screenName,
                        const Upload &upload, QString *code);
    // A new avatar for the user; answers its file name ("<user>_<n>.<ext>").
    QString storeAvatar(qint64 userId, const Upload &upload);
    QString storeAvatarImage(qint64 userId, const QImage &image);

private:
    ApiReply servePicture(const ApiRequest &request);
    ApiReply serveAvatar(const ApiRequest &request);
    ApiReply servePhotoPage(const ApiRequest &request);
    ApiReply servePreview(const ApiRequest &request);

    // The encoded picture behind one of our own file paths, empty when there is none.
    QByteArray pictureAtPath(const QString &path);
    QByteArray scaledPicture(qint64 mediaId, const QString &size, QByteArray *contentType);
    static QString avatarCacheKey(const QString &name, const QString &variant, const QString &ext);
    // Decodes straight to the size wanted (cheap for JPEG): filling box and cut to it when
    // crop is set, else fitting inside it, never enlarged.
    static QImage decode(const QByteArray &data, const QSize &box, bool crop);
    static QImage shaped(const QImage &image, const QSize &box, bool crop);
    static QByteArray contentTypeOf(const QString &format);

    SandboxContext *m_context;
    QCache<QString, QByteArray> m_cache;
};

#endif // SANDBOX_MEDIASERVICE_H
