// The public files of MediaService: pictures, avatars, photo pages and link previews.
#include "mediaservice.h"

#include "apierror.h"
#include "apireply.h"
#include "apirequest.h"
#include "database.h"
#include "httpfront.h"
#include "linkstore.h"
#include "picturefactory.h"
#include "textentities.h"

#include <QRegularExpression>
#include <QUrl>

static const QString picturePattern = QStringLiteral("/media/pics/(\\d{1,19})\\.(jpg|png|gif)"
                                                     "(?::(thumb|small|large))?");
static const QString avatarPattern = QStringLiteral("/media/avatars/([A-Za-z0-9_]+?)"
                                                    "(?:_(normal|bigger))?\\.(png|jpg)");

void MediaService::registerRoutes(HttpFront *front)
{
    using Access = HttpFront::Access;
    front->addRoute("GET", picturePattern, Access::Public,
                    [this](ApiRequest &r) { return servePicture(r); });
    front->addRoute("GET", avatarPattern, Access::Public,
                    [this](ApiRequest &r) { return serveAvatar(r); });
    front->addRoute("GET", QStringLiteral("/([A-Za-z0-9_]{1,15})/status/(\\d{1,19})/photo/1"),
                    Access::Public, [this](ApiRequest &r) { return servePhotoPage(r); });
    front->addRoute("GET", QStringLiteral("/1/links/preview"), Access::Public,
                    [this](ApiRequest &r) { return servePreview(r); });
}

ApiReply MediaService::servePicture(const ApiRequest &request)
{
    const qint64 id = request.captureId(0);
    const QString format =
        m_context->db->scalar(QStringLiteral("SELECT format FROM media WHERE id = ?"), {id})
            .toString();
    if (format != request.captures.value(1))
        throw ApiError::notFound();
    QByteArray contentType;
    const QByteArray data = scaledPicture(id, request.captures.value(2), &contentType);
    return ApiReply::file(data, contentType);
}

ApiReply MediaService::serveAvatar(const ApiRequest &request)
{
    const QString name = request.captures.value(0);
    const QString variant = request.captures.value(1);
    const QString ext = request.captures.value(2);
    const int side = variant == QLatin1String("normal") ? 48
        : variant == QLatin1String("bigger")            ? 73
                                                        : 0;
    const QString key = avatarCacheKey(name, variant, ext);
    if (const QByteArray *cached = m_cache.object(key))
        return ApiReply::file(*cached, "image/png");

    static const QRegularExpression defaultName(QStringLiteral("^default_profile_([0-6])$"));
    const QRegularExpressionMatch m = defaultName.match(name);
    QImage image;
    if (m.hasMatch()) {
        // Defaults exist in the two list sizes only.
        if (!side || ext != QLatin1String("png"))
            throw ApiError::notFound();
        image = PictureFactory::defaultAvatar(m.captured(1).toInt(), side);
    } else {
        const QByteArray data =
            m_context->db
                ->scalar(QStringLiteral("SELECT data FROM avatars WHERE name = ?"),
                         {name + QLatin1Char('.') + ext})
                .toByteArray();
        if (data.isEmpty())
            throw ApiError::notFound();
        if (!side)
            return ApiReply::file(data, "image/png");
        image = decode(data, QSize(side, side), true);
        if (image.isNull())
            throw ApiError::notFound();
    }
    auto *bytes = new QByteArray(PictureFactory::encode(image, "PNG"));
    const QByteArray result = *bytes;
    m_cache.insert(key, bytes, qMax<qsizetype>(1, bytes->size() / 1024));
    return ApiReply::file(result, "image/png");
}

ApiReply MediaService::servePhotoPage(const ApiRequest &request)
{
    const qint64 statusId = request.captureId(1);
    QSqlQuery q = m_context->db->exec(QStringLiteral("SELECT m.id, m.format, s.text, u.screen_name,"
                                                     " u.name FROM statuses s"
                                                     " JOIN media m ON m.id = s.media_id"
                                                     " JOIN users u ON u.id = s.user_id"
                                                     " WHERE s.id = ? AND u.protected = 0"),
                                      {statusId});
    if (!q.next() || q.value(3).toString().compare(request.captures.value(0), Qt::CaseInsensitive))
        throw ApiError::notFound();
    const QString picture = m_context->baseUrl + QStringLiteral("/media/pics/")
        + q.value(0).toString() + QLatin1Char('.') + q.value(1).toString()
        + QStringLiteral(":large");
    const QString text =
        TextEntities::escape(LinkStore::expand(q.value(2).toString(), m_context->baseUrl));
    const QString author = TextEntities::escape(q.value(4).toString() + QStringLiteral(" (@")
                                                + q.value(3).toString() + QLatin1Char(')'));
    const QString page =
        QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
                       "<title>%1</title></head>\n<body style=\"background:#222;color:#eee;"
                       "font-family:sans-serif;text-align:center\">\n"
                       "<p><img src=\"%2\" alt=\"\" style=\"max-width:100%\"></p>\n"
                       "<p>%3</p>\n<p>%1</p>\n</body></html>\n")
            .arg(author, picture, text);
    return ApiReply::html(page.toUtf8());
}

QByteArray MediaService::pictureAtPath(const QString &path)
{
    static const QRegularExpression picture(QLatin1Char('^') + picturePattern + QLatin1Char('$'));
    static const QRegularExpression avatar(QLatin1Char('^') + avatarPattern + QLatin1Char('$'));
    QRegularExpressionMatch m = picture.match(path);
    if (m.hasMatch()) {
        const auto id = ApiRequest::parseId(m.captured(1));
        if (!id)
            return {};
        return m_context->db->scalar(QStringLiteral("SELECT data FROM media WHERE id = ?"), {*id})
            .toByteArray();
    }
    m = avatar.match(path);
    if (m.hasMatch()) {
        static const QRegularExpression defaultName(QStringLiteral("^default_profile_([0-6])$"));
        const QRegularExpressionMatch d = defaultName.match(m.captured(1));
        if (d.hasMatch())
            return PictureFactory::encode(PictureFactory::defaultAvatar(d.captured(1).toInt(), 73),
                                          "PNG");
        return m_context->db
            ->scalar(QStringLiteral("SELECT data FROM avatars WHERE name = ?"),
                     {m.captured(1) + QLatin1Char('.') + m.captured(3)})
            .toByteArray();
    }
    return {};
}

ApiReply MediaService::servePreview(const ApiRequest &request)
{
    const QString link = request.required(QStringLiteral("url"));
    const QString size = request.value(QStringLiteral("size"));
    if (!size.isEmpty() && size != QLatin1String("thumb") && size != QLatin1String("large"))
        throw ApiError::invalid(QStringLiteral("size"));
    const bool thumb = size == QLatin1String("thumb");

    const QUrl own(m_context->baseUrl);
    const QSize box = thumb ? QSize(thumbSide, thumbSide) : previewBox;
    QUrl url(link, QUrl::StrictMode);
    QImage image;
    bool photo = false;
    // A wrapped link is followed first; one hop is all a wrapped link can need.
    for (int hop = 0; hop < 2; ++hop) {
        if (!url.isValid()
            || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")))
            break;
        const QString host = url.host().toLower();
        const bool ours = (host == own.host() || host == QLatin1String("localhost"))
            && url.port(80) == own.port(80);
        if (ours) {
            const QString path = url.path();
            if (path.startsWith(QLatin1String("/l/"))) {
                const QString longUrl = m_context->links->longUrl(path.mid(3), m_context->baseUrl);
                if (longUrl.isEmpty())
                    break;
                url = QUrl(longUrl, QUrl::StrictMode);
                continue;
            }
            const QByteArray data = pictureAtPath(path);
            if (!data.isEmpty())
                image = decode(data, box, thumb);
            photo = path.startsWith(QLatin1String("/media/pics/"));
            break;
        }
        if (isPictureHost(host)) {
            static const QRegularExpression name(QStringLiteral("^/([A-Za-z0-9_-]{1,64})/?$"));
            const QRegularExpressionMatch m = name.match(url.path());
            if (m.hasMatch()) {
                QString h = host;
                if (h.startsWith(QLatin1String("www.")))
                    h.remove(0, 4);
                image = shaped(PictureFactory::landscape(h + QLatin1Char('/') + m.captured(1),
                                                         QSize(1024, 768)),
                               box, thumb);
                photo = true;
            }
        }
        break;
    }
    if (image.isNull())
        throw ApiError::notFound();
    return photo ? ApiReply::file(PictureFactory::encode(image, "JPEG"), "image/jpeg")
                 : ApiReply::file(PictureFactory::encode(image, "PNG"), "image/png");
}
