// ProfileView: avatars, fetched and stored by the backend and shown through the "avatar" image
// provider.

#include "profileview.h"

#include "datahandler.h"
#include "zirrup.h"
#include "zirrupmodel.h"

#include <QPixmapCache>
#include <QRegularExpression>
#include <QStandardItem>
#include <QUrl>

namespace {
const QLatin1String providerPrefix("image://avatar/");

QString imageKey(const QString &name, int size)
{
    return name + QLatin1Char('_') + QString::number(size);
}

QString fileUrlOf(const QString &path)
{
    return QUrl::fromLocalFile(path).toString();
}

Zr::ArgMap imageArgs(const QString &name, const QString &url, ProfileView::ProfileImageSize size)
{
    Zr::ArgMap args {{QStringLiteral("screen_name"), name},
                     {QStringLiteral("low_priority"), QStringLiteral("1")}};
    switch (size) {
    case ProfileView::ImageSizeNormal:
        args.insert(QStringLiteral("size"), QStringLiteral("normal"));
        args.insert(QStringLiteral("url"), url);
        break;
    case ProfileView::ImageSizeBigger:
        args.insert(QStringLiteral("size"), QStringLiteral("bigger"));
        args.insert(QStringLiteral("url"),
                    QString(url).replace(QLatin1String("_normal."), QLatin1String("_bigger.")));
        break;
    case ProfileView::ImageSizeOriginal:
        args.insert(QStringLiteral("size"), QStringLiteral("orig"));
        args.insert(QStringLiteral("url"),
                    QString(url).replace(QLatin1String("_normal."), QLatin1String(".")));
        break;
    case ProfileView::ImageSizeNone:
        break;
    }
    return args;
}
} // namespace

bool ProfileView::isImagePending(const QString &key) const
{
    for (auto it = m_pendingImages.cbegin(); it != m_pendingImages.cend(); ++it) {
        if (it.value() == key)
            return true;
    }
    return false;
}

QString ProfileView::getProfileImage(QString screenName, QString url, bool forceReload,
                                     ProfileView::ProfileImageSize size)
{
    // The service's default avatars have no full-size picture.
    static const QRegularExpression defaultImage(
        QStringLiteral("default_profile_[0-9]_normal.png"));
    const QString name = screenName.toLower();
    if (size == ImageSizeOriginal && defaultImage.match(url).hasMatch())
        size = ImageSizeBigger;
    const QString key = imageKey(name, size);

    QString result = m_imageUrlCache.value(key);
    if (name.isEmpty()) {
        result = defaultAvatar();
    } else if (result.isEmpty() || forceReload) {
        const Zr::ArgMap args = imageArgs(name, url, size);
        if (m_backend) {
            QVariantList stored;
            int queryId = -1;
            m_backend->retrieveUserResources(&stored, &queryId, UserType::ProfileImage, args,
                                             Zr::CacheOnly);
            const QString path = stored.value(0).toString();
            // The provider reads file URLs; a bare path would show the fallback picture.
            if (!path.isEmpty())
                result = fileUrlOf(path);
            if (!result.isEmpty() && !forceReload) {
                m_imageUrlCache.insert(key, result);
                return providerPrefix + result;
            }
            if (!isImagePending(key)) {
                QVariantList unused;
                queryId = -1;
                m_backend->retrieveUserResources(&unused, &queryId, UserType::ProfileImage, args,
                                                 Zr::CacheThenNetwork);
                if (queryId != -1)
                    m_pendingImages.insert(queryId, key);
            }
        }
        if (result.isEmpty())
            result = defaultAvatar();
    }

    if (forceReload)
        QPixmapCache::remove(result);
    return result == defaultAvatar() ? result : providerPrefix + result;
}

void ProfileView::onImageDownloaded(const QVariantList &data, int queryId)
{
    const auto pending = m_pendingImages.constFind(queryId);
    if (pending == m_pendingImages.cend())
        return;
    const QString key = *pending;
    m_pendingImages.erase(pending);

    const QString path = data.value(0).toString();
    const QString fileUrl = path.isEmpty() ? QString() : fileUrlOf(path);
    if (!fileUrl.isEmpty())
        m_imageUrlCache.insert(key, fileUrl);

    const int separator = key.lastIndexOf(QLatin1Char('_'));
    const QString screenName = key.left(separator);
    const auto size = ProfileImageSize(key.mid(separator + 1).toInt());

    // Only the own avatar ends a photo change; other avatars may arrive in between.
    if (m_ownImageChanged && m_dataHandler && screenName == m_dataHandler->authenticatedUser()) {
        broadcastImage(screenName, size, QString());
        publish(QStringLiteral("updatingProfileImage"), false);
        m_ownImageChanged = false;
    }
    if (fileUrl.isEmpty())
        return;
    broadcastImage(screenName, size,
                   fileUrl == defaultAvatar() ? fileUrl : providerPrefix + fileUrl);
}

void ProfileView::broadcastImage(const QString &screenName, ProfileImageSize size,
                                 const QString &imageUrl)
{
    if (m_dataHandler)
        m_dataHandler->emitUserImageLoaded(screenName, size, imageUrl);
    onImageLoadCompleted(screenName, size, imageUrl);
    Q_EMIT userImageLoaded(screenName, size, imageUrl);
}

void ProfileView::onImageLoadCompleted(QString screenName, ProfileView::ProfileImageSize size,
                                       QString imageUrl)
{
    const auto same = [&screenName](const QString &other) {
        return !other.isEmpty() && other.compare(screenName, Qt::CaseInsensitive) == 0;
    };
    if (size == ImageSizeBigger) {
        for (ZirrupModel *model : {m_following.model, m_followers.model, m_profileSearchModel}) {
            if (!model)
                continue;
            for (int row = 0; row < model->rowCount(); ++row) {
                QStandardItem *item = model->item(row);
                if (same(item->data(Qt::UserRole + 1).toString()))
                    item->setData(imageUrl, Qt::UserRole + 4);
            }
        }
        if (same(m_profileScreenName))
            publish(QStringLiteral("profileview_profile_image_url"), imageUrl);
        if (same(m_subViewScreenName))
            publish(QStringLiteral("profile_subview_profile_image_url"), imageUrl);
    } else if (size == ImageSizeOriginal) {
        if (same(m_profileScreenName))
            publish(QStringLiteral("profileview_profile_image_url_original"), imageUrl);
    }
}
