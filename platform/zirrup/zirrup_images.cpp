// Avatars (scaled, masked, stored as PNG) and link-preview and media pictures (stored as
// received). Decoding and file writing run on the thread pool; the answer comes back here.

#include "imagestore.h"
#include "zirrup_p.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QFutureWatcher>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtConcurrent/QtConcurrentRun>

namespace Zr {

namespace {

constexpr qint64 AvatarBudgetBytes = 20 * 1024 * 1024;
constexpr qint64 PictureBudgetBytes = 64 * 1024 * 1024;
// Pictures that claim more pixels than this are refused before they are decoded.
constexpr int DecodeLimitMegabytes = 128;

struct Outcome
{
    QString path;
    QString error;
};

QString hashText(const QString &text, int length)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex().left(length));
}

int avatarEdge(const QString &size)
{
    if (size == QLatin1String("normal"))
        return 48;
    if (size == QLatin1String("bigger"))
        return 73;
    if (size == QLatin1String("orig"))
        return 0;
    return -1;
}

bool isWebUrl(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty()
        && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

QImage decodePicture(const QByteArray &bytes, QByteArray *format, QString *error)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(DecodeLimitMegabytes);
    reader.setAutoTransform(true);
    if (format)
        *format = reader.format();
    const QImage image = reader.read();
    if (image.isNull())
        *error = QStringLiteral("Not a picture: ") + reader.errorString();
    return image;
}

QImage maskedAvatar(QImage image, int edge, const QImage &mask)
{
    if (edge > 0 && (image.width() != edge || image.height() != edge)) {
        // Fill the square and cut the overhang evenly, so a portrait never looks squashed.
        image = image.scaled(edge, edge, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
        image = image.copy((image.width() - edge) / 2, (image.height() - edge) / 2, edge, edge);
    }
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (!mask.isNull()) {
        const QImage fitted =
            mask.scaled(image.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        painter.drawImage(0, 0, fitted);
    }
    return image;
}

Outcome storeAvatar(ImageStore store, QByteArray bytes, int edge, QImage mask, QString base,
                    QString olderPrefix)
{
    Outcome outcome;
    const QImage picture = decodePicture(bytes, nullptr, &outcome.error);
    if (picture.isNull())
        return outcome;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!maskedAvatar(picture, edge, mask).save(&buffer, "PNG")) {
        outcome.error = QStringLiteral("Cannot encode the avatar");
        return outcome;
    }
    outcome.path = store.store(base + QStringLiteral(".png"), png, &outcome.error);
    // The same user's picture at this size from an older URL is no longer wanted.
    if (!outcome.path.isEmpty())
        store.removeStartingWith(olderPrefix, outcome.path);
    return outcome;
}

Outcome storePicture(ImageStore store, QByteArray bytes, QString base)
{
    Outcome outcome;
    QByteArray format;
    const QImage picture = decodePicture(bytes, &format, &outcome.error);
    if (picture.isNull())
        return outcome;
    QString suffix;
    if (format == "jpeg" || format == "jpg")
        suffix = QStringLiteral(".jpg");
    else if (format == "png" || format == "gif")
        suffix = QLatin1Char('.') + QString::fromLatin1(format);
    if (suffix.isEmpty()) {
        // Other formats are kept as PNG so that every reader of the store can show them.
        bytes.clear();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!picture.save(&buffer, "PNG")) {
            outcome.error = QStringLiteral("Cannot encode the picture");
            return outcome;
        }
        suffix = QStringLiteral(".png");
    }
    outcome.path = store.store(base + suffix, bytes, &outcome.error);
    return outcome;
}

} // namespace

ImageStore *ZirrupPrivate::avatarStore()
{
    if (!avatars)
        avatars = std::make_unique<ImageStore>(
            QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
                + QStringLiteral("/zirrup/") + account() + QStringLiteral("/avatars"),
            AvatarBudgetBytes);
    return avatars.get();
}

ImageStore *ZirrupPrivate::pictureStore()
{
    if (!pictures)
        pictures = std::make_unique<ImageStore>(
            QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
                + QStringLiteral("/zirrup/") + account() + QStringLiteral("/pictures"),
            PictureBudgetBytes);
    return pictures.get();
}

QString ZirrupPrivate::avatarFileBase(const QString &screenName, const QString &size,
                                      const QString &url) const
{
    // Screen names are letters, digits and "_", so "-" cannot occur inside a name part.
    static const QRegularExpression plainName(QStringLiteral("^[a-z0-9_]{1,40}$"));
    QString name = screenName.toLower();
    if (!plainName.match(name).hasMatch())
        name = QStringLiteral("h") + hashText(name, 16);
    return name + QLatin1Char('-') + size + QLatin1Char('-') + hashText(url, 16);
}

int ZirrupPrivate::requestAvatar(QVariantList *list, int *queryId, const ArgMap &args,
                                 RetrieveBehavior behavior)
{
    int unused = -1;
    int *id = queryId ? queryId : &unused;
    *id = -1;
    const QString screenName = args.value(QStringLiteral("screen_name")).toLower();
    QString size = args.value(QStringLiteral("size"));
    if (size.isEmpty())
        size = QStringLiteral("normal");
    const QString url = args.value(QStringLiteral("url"));
    const QUrl parsed(url);
    const int edge = avatarEdge(size);
    if (screenName.isEmpty() || edge < 0 || !isWebUrl(parsed)) {
        if (logEnabled(LogWarning))
            qWarning() << "Zr::Zirrup: avatar request without name, size or web address";
        return RequestFailed;
    }
    const QString base = avatarFileBase(screenName, size, url);
    const QString stored = avatarStore()->find(base);
    if (list && !stored.isEmpty())
        list->append(stored);
    if (behavior == CacheOnly)
        return RequestAnswered;

    RequestPlan plan;
    plan.fileUrl = parsed;
    plan.publicEndpoint = true;
    plan.expect = Expect::Picture;
    plan.lowPriority = argIsTrue(args.value(QStringLiteral("low_priority")));
    const QString olderPrefix = base.section(QLatin1Char('-'), 0, 1) + QLatin1Char('-');
    const QString requestPath = parsed.path();
    plan.onBytes = [this, edge, base, olderPrefix, requestPath](int qid, const QByteArray &bytes) {
        auto *watcher = new QFutureWatcher<Outcome>(q);
        QObject::connect(
            watcher, &QFutureWatcher<Outcome>::finished, q, [this, watcher, qid, requestPath] {
                const Outcome outcome = watcher->result();
                watcher->deleteLater();
                if (outcome.path.isEmpty())
                    fail(qid, outcome.error, 200, requestPath);
                else
                    Q_EMIT q->userUpdated(UserType::ProfileImage, QVariantList {outcome.path}, qid);
            });
        watcher->setFuture(
            QtConcurrent::run(storeAvatar, *avatarStore(), bytes, edge, mask, base, olderPrefix));
    };
    return send(std::move(plan), id);
}

int Zirrup::retrieveTinyUrlImage(const ArgMap &args, QString *fileUrl, int *queryId)
{
    int unused = -1;
    int *id = queryId ? queryId : &unused;
    *id = -1;
    const QString imageUrl = args.value(QStringLiteral("image_url"));
    const QUrl parsed(imageUrl);
    if (!isWebUrl(parsed)) {
        if (logEnabled(LogWarning))
            qWarning() << "Zr::Zirrup: picture request without a web address";
        return RequestFailed;
    }
    const bool thumb = argIsTrue(args.value(QStringLiteral("as_thumb")));
    const bool direct = argIsTrue(args.value(QStringLiteral("direct_url")));
    const QString base =
        hashText(imageUrl + (thumb ? QStringLiteral("\nthumb") : QStringLiteral("\nlarge")), 40);
    const QString stored = d->pictureStore()->find(base);
    if (!stored.isEmpty()) {
        if (fileUrl)
            *fileUrl = stored;
        return RequestAnswered;
    }

    RequestPlan plan;
    plan.publicEndpoint = true;
    plan.expect = Expect::Picture;
    if (direct || d->isServiceHost(parsed)) {
        // The service's own pictures come in every size by name; ask for the small one.
        QUrl fetch = parsed;
        const QString pics = serviceUrl().path() + QStringLiteral("/media/pics/");
        if (thumb && d->isServiceHost(parsed) && fetch.path().startsWith(pics)
            && !fetch.path().mid(pics.size()).contains(QLatin1Char(':')))
            fetch.setPath(fetch.path() + QStringLiteral(":thumb"));
        plan.fileUrl = fetch;
    } else {
        plan.path = QStringLiteral("/1/links/preview");
        plan.params.insert(QStringLiteral("url"), imageUrl);
        plan.params.insert(QStringLiteral("size"),
                           thumb ? QStringLiteral("thumb") : QStringLiteral("large"));
    }
    const QString requestPath = plan.fileUrl.isValid() ? plan.fileUrl.path() : plan.path;
    plan.onBytes = [this, base, requestPath](int qid, const QByteArray &bytes) {
        auto *watcher = new QFutureWatcher<Outcome>(this);
        connect(watcher, &QFutureWatcher<Outcome>::finished, this,
                [this, watcher, qid, requestPath] {
                    const Outcome outcome = watcher->result();
                    watcher->deleteLater();
                    if (outcome.path.isEmpty())
                        d->fail(qid, outcome.error, 200, requestPath);
                    else
                        Q_EMIT tinyUrlImageLoaded(outcome.path, qid);
                });
        watcher->setFuture(QtConcurrent::run(storePicture, *d->pictureStore(), bytes, base));
    };
    return d->send(std::move(plan), id);
}

} // namespace Zr
