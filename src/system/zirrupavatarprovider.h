#ifndef ZIRRUPAVATARPROVIDER_H
#define ZIRRUPAVATARPROVIDER_H

#include <QQuickImageProvider>

// Serves "image://avatar/<file URL>": avatars the backend has stored, already cut to shape.
// Decoded pictures are shared through the process-wide pixmap cache under their file URL, so
// rows showing the same user decode the file once; a forced avatar reload drops that entry.
class ZirrupAvatarProvider : public QQuickImageProvider
{
public:
    ZirrupAvatarProvider();
    ~ZirrupAvatarProvider() override;

    QPixmap requestPixmap(const QString &id, QSize *size, const QSize &requestedSize) override;

    // Shown for an avatar file that cannot be read.
    static QString fallbackImage();
};

#endif // ZIRRUPAVATARPROVIDER_H
