#include "themeimageprovider.h"

#include <QFile>
#include <QGuiApplication>
#include <QImageReader>

ThemeImageProvider::ThemeImageProvider()
    : QQuickImageProvider(QQuickImageProvider::Image)
{ }

QString ThemeImageProvider::themeDirectory()
{
    return QStringLiteral(":/resources/images/theme/");
}

QImage ThemeImageProvider::requestImage(const QString &id, QSize *size, const QSize &requestedSize)
{
    // Ids may carry a query ("icon-m-toolbar-back?selected"); only the name picks the file.
    QString name = id.section(QLatin1Char('?'), 0, 0);
    name.remove(QStringLiteral(".."));
    QImage image;
    for (const QString &suffix : {QStringLiteral(".svg"), QStringLiteral(".png")}) {
        const QString path = themeDirectory() + name + suffix;
        if (!QFile::exists(path))
            continue;
        QImageReader reader(path);
        if (requestedSize.isValid() && !requestedSize.isEmpty()) {
            QSize target = reader.size();
            target.scale(requestedSize, Qt::KeepAspectRatio);
            if (target.isValid())
                reader.setScaledSize(target);
        } else if (qGuiApp && qGuiApp->devicePixelRatio() > 1.0) {
            // Items take a provider's image as drawn for the screen's pixel density; at its
            // plain size it would show at a fraction of it (half at 2x).
            reader.setScaledSize(reader.size() * qGuiApp->devicePixelRatio());
        }
        image = reader.read();
        if (!image.isNull())
            break;
    }
    if (size)
        *size = image.size();
    return image;
}
