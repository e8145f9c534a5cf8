#include "zirrupavatarprovider.h"

#include <QPixmapCache>
#include <QUrl>

ZirrupAvatarProvider::ZirrupAvatarProvider()
    : QQuickImageProvider(QQuickImageProvider::Pixmap)
{ }

ZirrupAvatarProvider::~ZirrupAvatarProvider() = default;

QString ZirrupAvatarProvider::fallbackImage()
{
    return QStringLiteral(":/resources/images/default_profile_0_bigger.png");
}

QPixmap ZirrupAvatarProvider::requestPixmap(const QString &id, QSize *size,
                                            const QSize &requestedSize)
{
    // Stored avatars already have the size they are shown at.
    Q_UNUSED(requestedSize)
    QPixmap pixmap;
    if (!QPixmapCache::find(id, &pixmap)) {
        if (!pixmap.load(QUrl(id).toLocalFile()))
            pixmap.load(fallbackImage());
        QPixmapCache::insert(id, pixmap);
    }
    if (size)
        *size = pixmap.size();
    return pixmap;
}
