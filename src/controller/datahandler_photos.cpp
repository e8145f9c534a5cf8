// The gallery's photos for the picture picker.

#include "datahandler.h"

#include "gallery.h"
#include "zirrupmodel.h"

#include <QStandardItem>
#include <QtDebug>

#include <utility>

QObject *DataHandler::photosModel() const
{
    return m_photosModel;
}

void DataHandler::queryPhotosModel()
{
    qDebug() << "void DataHandler::queryPhotosModel()";

    // The picker empties until the new list is there.
    if (ZirrupModel *old = std::exchange(m_photosModel, nullptr)) {
        Q_EMIT photosModelChanged();
        old->deleteLater();
    }

    if (!m_gallery)
        m_gallery = new Gallery(this);
    // An earlier scan is abandoned with its result. Later, not now: this may run in a page's
    // handler of the change signal that the earlier scan's end emitted.
    if (GalleryResult *earlier = std::exchange(m_photosQuery, nullptr)) {
        earlier->disconnect(this);
        earlier->deleteLater();
    }
    m_photosQuery = m_gallery->exec(this);
    connect(m_photosQuery, &GalleryResult::finished, this, &DataHandler::photosQueryFinished);
}

void DataHandler::photosQueryFinished()
{
    qDebug() << "void DataHandler::photosQueryFinished()";
    if (!m_photosQuery)
        return;

    auto *model = new ZirrupModel({{Qt::UserRole + 1, "role_image_url"},
                                   {Qt::UserRole + 2, "role_aspect_ratio"},
                                   {Qt::UserRole + 3, "role_orientation_portrait"}},
                                  this);
    const QList<Gallery::Photo> photos = m_photosQuery->photos();
    for (const Gallery::Photo &photo : photos) {
        if (!photo.url.startsWith(QLatin1String("file:")) || photo.width <= 0)
            continue;
        auto *item = new QStandardItem;
        item->setData(photo.url, Qt::UserRole + 1);
        item->setData(float(photo.height) / float(photo.width), Qt::UserRole + 2);
        item->setData(photo.rotatedRight, Qt::UserRole + 3);
        model->appendRow(item);
    }
    model->emitCountChanged();

    ZirrupModel *old = std::exchange(m_photosModel, model);
    Q_EMIT photosModelChanged();
    if (old)
        old->deleteLater();
}
