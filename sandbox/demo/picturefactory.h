#ifndef SANDBOX_PICTUREFACTORY_H
#define SANDBOX_PICTUREFACTORY_H

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

// Pictures the service draws itself: default and demo avatars, and "photos" for the demo
// world and the picture hosts. The same input always gives the same picture.
class PictureFactory
{
public:
    // The silhouette of an account without its own picture (variant 0..6).
    static QImage defaultAvatar(int variant, int size);
    // Initials on a coloured disc.
    static QImage initialsAvatar(const QString &initials, const QColor &color, int size);
    // A landscape drawn from a seed text (a picture host's path, a demo photo's name).
    static QImage landscape(const QString &seed, const QSize &size);

    static QByteArray encode(const QImage &image, const char *format, int quality = 85);
    static QColor paletteColor(int index);

private:
    static quint32 seedOf(const QString &text);
};

#endif // SANDBOX_PICTUREFACTORY_H
