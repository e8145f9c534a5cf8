#ifndef THEMEIMAGEPROVIDER_H
#define THEMEIMAGEPROVIDER_H

#include <QQuickImageProvider>

// Serves "image://theme/<name>" from our own art under :/resources/images/theme/, drawing the
// SVG source at the size asked so icons stay sharp at any device pixel ratio.
class ThemeImageProvider : public QQuickImageProvider
{
public:
    ThemeImageProvider();
    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;

    static QString themeDirectory();
};

#endif // THEMEIMAGEPROVIDER_H
