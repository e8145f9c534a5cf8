#include "gallery.h"

#include <QDateTime>
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QStandardPaths>
#include <QUrl>
#include <QtConcurrent>

#include <algorithm>

namespace {
QStringList pictureNameFilters()
{
    QStringList filters;
    const QList<QByteArray> formats = QImageReader::supportedImageFormats();
    for (const QByteArray &format : formats) {
        // Vector drawings and icon files are not photos.
        if (format == "svg" || format == "svgz" || format == "ico" || format == "icns"
            || format == "cur" || format == "xbm" || format == "xpm" || format == "pbm"
            || format == "pgm" || format == "ppm")
            continue;
        filters.append(QLatin1String("*.") + QString::fromLatin1(format));
    }
    return filters;
}
} // namespace

Gallery::Gallery(QObject *parent)
    : QObject(parent)
    , m_root(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation))
{ }

GalleryResult *Gallery::exec(QObject *parent) const
{
    return new GalleryResult(m_root, parent);
}

QList<Gallery::Photo> Gallery::scan(const QString &root, const std::function<bool()> &canceled)
{
    struct Found
    {
        Photo photo;
        QDateTime modified;
        QString path;
    };
    QList<Found> found;
    if (root.isEmpty())
        return {};

    QDirIterator it(root, pictureNameFilters(), QDir::Files | QDir::Readable,
                    QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
    while (it.hasNext()) {
        if (canceled && canceled())
            return {};
        const QString path = it.next();
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        // The size as stored; the orientation is reported on its own.
        reader.setAutoTransform(false);
        if (!reader.canRead())
            continue;
        QSize size = reader.size();
        if (!size.isValid())
            size = reader.read().size();
        if (size.isEmpty())
            continue;
        Found entry;
        entry.photo.url = QUrl::fromLocalFile(path).toString();
        entry.photo.width = size.width();
        entry.photo.height = size.height();
        entry.photo.rotatedRight =
            reader.transformation() == QImageIOHandler::TransformationRotate90;
        entry.modified = it.fileInfo().lastModified();
        entry.path = path;
        found.append(entry);
    }

    std::sort(found.begin(), found.end(), [](const Found &a, const Found &b) {
        if (a.modified != b.modified)
            return a.modified > b.modified;
        return a.path < b.path;
    });
    QList<Photo> photos;
    photos.reserve(found.size());
    for (const Found &entry : std::as_const(found))
        photos.append(entry.photo);
    return photos;
}

GalleryResult::GalleryResult(const QString &root, QObject *parent)
    : QObject(parent)
{
    connect(&m_watcher, &QFutureWatcher<QList<Gallery::Photo>>::finished, this, [this] {
        if (m_watcher.future().resultCount() > 0)
            m_photos = m_watcher.result();
        m_finished = true;
        Q_EMIT finished();
    });
    m_watcher.setFuture(QtConcurrent::run([root](QPromise<QList<Gallery::Photo>> &promise) {
        const QList<Gallery::Photo> photos =
            Gallery::scan(root, [&promise] { return promise.isCanceled(); });
        promise.addResult(photos);
    }));
}

GalleryResult::~GalleryResult()
{
    m_watcher.disconnect(this);
    m_watcher.cancel();
}
