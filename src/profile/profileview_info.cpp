// ProfileView: one user's profile, the follower test, following, blocking and the own account.

#include "profileview.h"

#include "datahandler.h"
#include "zirrup.h"
#include "zirrupmodel.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QStandardItem>
#include <QTimer>
#include <QUrl>
#include <QtDebug>

namespace {
const char *const counterKeys[] = {"followers_count", "favourites_count", "statuses_count",
                                   "friends_count", "listed_count"};

// A record's value as delivered, or empty text when it has none.
QVariant valueOrEmpty(const QVariantMap &record, const QString &key)
{
    const QVariant value = record.value(key);
    return value.isValid() && !value.isNull() ? value : QVariant(QString());
}

// The link markup of the web address. The address is the user's own text: escaped, so that it
// can only ever be one link.
QString urlAnchor(const QString &url)
{
    if (url.isEmpty())
        return QString();
    const QString escaped = url.toHtmlEscaped();
    return QStringLiteral("<a href=\"") + escaped
        + QStringLiteral("\" style=\"text-decoration:none; color:#4d6980\">") + escaped
        + QStringLiteral("</a>");
}
} // namespace

bool ProfileView::isOwn(const QString &screenName) const
{
    return m_dataHandler && screenName.toLower() == m_dataHandler->authenticatedUser();
}

bool ProfileView::isBlocked(const QString &userId) const
{
    if (userId.isEmpty())
        return false;
    const QString id = userId.toLower();
    for (const QString &blocked : m_blockedIds) {
        if (blocked.toLower() == id)
            return true;
    }
    return false;
}

void ProfileView::resetProfileProperties()
{
    for (const char *name :
         {"profileview_firstname", "profileview_screen_name", "profileview_location",
          "profileview_description", "profileview_url", "profileview_ui_url",
          "profileview_profile_image_url", "profileview_profile_image_url_original",
          "profileview_followers_count", "profileview_favourites_count",
          "profileview_statuses_count", "profileview_friends_count", "profileview_listed_count",
          "profileview_protected", "profileview_own_profile"})
        publish(QLatin1String(name), QString());
    for (const char *name :
         {"profileview_following", "profileview_blocked", "profileview_follower"})
        publish(QLatin1String(name), false);
    m_profileScreenName.clear();
    m_profileUserId.clear();
}

void ProfileView::resetSubViewProperties()
{
    for (const char *name : {"profile_subview_firstname", "profile_subview_screen_name",
                             "profile_subview_profile_image_url", "profile_subview_followers_count",
                             "profile_subview_favourites_count", "profile_subview_statuses_count",
                             "profile_subview_friends_count", "profile_subview_listed_count",
                             "profile_subview_own_profile"})
        publish(QLatin1String(name), QString());
    publish(QStringLiteral("profile_subview_blocked"), false);
    m_subViewScreenName.clear();
    m_subViewUserId.clear();
}

void ProfileView::getProfileInfo(QString screenName, bool refreshProfileImage)
{
    resetProfileProperties();
    m_profileQueryId = -1;
    m_refreshImageQueryId = -1;

    if (m_backend
        && m_backend->retrieveUserResources(&m_userCache, &m_profileQueryId, UserType::Show,
                                            {{QStringLiteral("screen_name"), screenName.toLower()}},
                                            Zr::CacheThenNetwork)
            == Zr::RequestSent) {
        if (m_profileQueryId != -1) {
            publish(QStringLiteral("profileview_loading"), true);
            if (refreshProfileImage)
                m_refreshImageQueryId = m_profileQueryId;
            // Opening another profile replaces the ids above; this one must still be answered.
            if (refreshProfileImage && isOwn(screenName))
                m_ownRefreshQueryId = m_profileQueryId;
        }
        onUserUpdated(UserType::Show, m_userCache, -1);
    }
    if (refreshProfileImage && m_profileQueryId == -1)
        publish(QStringLiteral("updatingProfileImage"), false);
    if (!isOwn(screenName))
        isFollower(screenName);
    if (m_blockedIds.isEmpty())
        retrieveBlockedIdsList();
    m_userCache.clear();
}

void ProfileView::onProfileInfoLoaded(QVariantList data, bool cachedData, bool refreshProfileImage)
{
    if (data.isEmpty() || !m_dataHandler)
        return;
    const QVariantMap user = data.first().toMap();
    const QString screenName = user.value(QStringLiteral("screen_name")).toString();
    const QString imageUrl = user.value(QStringLiteral("profile_image_url")).toString();
    const bool forceReload = refreshProfileImage && !cachedData;

    if (screenName.toLower() != m_dataHandler->currentUser()) {
        // The pages have moved on. A re-read after a new own photo still has to fetch that
        // photo, or it would never show and the busy indicator would never end.
        if (forceReload && isOwn(screenName)) {
            getProfileImage(screenName, imageUrl, true, ImageSizeBigger);
            getProfileImage(screenName, imageUrl, true, ImageSizeOriginal);
        }
        return;
    }

    const QString url = user.value(QStringLiteral("url")).toString();
    m_profileScreenName = screenName;
    m_profileUserId = user.value(QStringLiteral("id")).toString();
    publish(QStringLiteral("profileview_firstname"), user.value(QStringLiteral("name")).toString());
    publish(QStringLiteral("profileview_screen_name"), screenName);
    publish(QStringLiteral("profileview_location"),
            user.value(QStringLiteral("location")).toString());
    publish(QStringLiteral("profileview_description"),
            user.value(QStringLiteral("description")).toString());
    publish(QStringLiteral("profileview_url"), url);
    for (const char *key : counterKeys)
        publish(QStringLiteral("profileview_") + QLatin1String(key),
                valueOrEmpty(user, QLatin1String(key)));
    publish(QStringLiteral("profileview_following"),
            user.value(QStringLiteral("following")).toBool());
    publish(QStringLiteral("profileview_protected"),
            user.value(QStringLiteral("protected")).toBool());
    publish(QStringLiteral("profileview_own_profile"), isOwn(screenName));
    publish(QStringLiteral("profileview_ui_url"), urlAnchor(url));
    publish(QStringLiteral("profileview_profile_image_url"),
            getProfileImage(screenName, imageUrl, forceReload, ImageSizeBigger));
    publish(QStringLiteral("profileview_profile_image_url_original"),
            getProfileImage(screenName, imageUrl, forceReload, ImageSizeOriginal));
    publish(QStringLiteral("profileview_blocked"), isBlocked(m_profileUserId));

    onProfileSubInfoLoaded(data);
}

void ProfileView::getProfileSubInfo(QString screenName)
{
    resetSubViewProperties();
    m_subInfoQueryId = -1;
    if (m_backend
        && m_backend->retrieveUserResources(&m_userCache, &m_subInfoQueryId, UserType::Show,
                                            {{QStringLiteral("screen_name"), screenName}},
                                            Zr::CacheThenNetwork)
            == Zr::RequestSent)
        onProfileSubInfoLoaded(m_userCache);
    m_userCache.clear();
}

void ProfileView::onProfileSubInfoLoaded(QVariantList data)
{
    if (data.isEmpty())
        return;
    const QVariantMap user = data.first().toMap();
    const QString screenName = user.value(QStringLiteral("screen_name")).toString();
    m_subViewScreenName = screenName;
    m_subViewUserId = user.value(QStringLiteral("id")).toString();
    publish(QStringLiteral("profile_subview_firstname"),
            user.value(QStringLiteral("name")).toString());
    publish(QStringLiteral("profile_subview_screen_name"), screenName);
    publish(QStringLiteral("profile_subview_profile_image_url"),
            getProfileImage(screenName, user.value(QStringLiteral("profile_image_url")).toString(),
                            false, ImageSizeBigger));
    for (const char *key : counterKeys)
        publish(QStringLiteral("profile_subview_") + QLatin1String(key),
                valueOrEmpty(user, QLatin1String(key)));
    publish(QStringLiteral("profile_subview_own_profile"), isOwn(screenName));
    publish(QStringLiteral("profile_subview_blocked"), isBlocked(m_subViewUserId));
}

void ProfileView::isFollower(QString screenName)
{
    if (screenName.isEmpty())
        return;
    publish(QStringLiteral("profileview_follower"), false);
    m_friendshipQueryId = -1;
    if (!m_backend || !m_dataHandler)
        return;
    const Zr::ArgMap args {{QStringLiteral("user_a"), screenName.toLower()},
                           {QStringLiteral("user_b"), m_dataHandler->authenticatedUser()}};
    if (m_backend->friendshipExists(&m_friendshipCache, args, &m_friendshipQueryId)
        == Zr::RequestSent)
        onFriendshipFetched(m_friendshipCache, -1);
    m_friendshipCache.clear();
}

void ProfileView::onFriendshipFetched(QVariantList data, int queryId)
{
    // An answer about a profile that is no longer shown must not be shown for the next one.
    if (queryId != -1 && queryId != m_friendshipQueryId)
        return;
    publish(QStringLiteral("profileview_follower"), data.value(0).toBool());
}

void ProfileView::followProfile(QString screenName, bool follow)
{
    m_followQueryId = -1;
    if (!m_backend)
        return;
    const Zr::ArgMap args {{QStringLiteral("screen_name"), screenName}};
    if (follow)
        m_backend->createFriendship(args, &m_followQueryId);
    else
        m_backend->destroyFriendship(args, &m_followQueryId);
    if (m_followQueryId != -1)
        publish(QStringLiteral("profileview_loading"), true);
}

void ProfileView::onFollowProfile(QVariantList data, int queryId)
{
    onFollowConfirmed(data, queryId, true);
}

void ProfileView::onDestroyProfile(QVariantList data, int queryId)
{
    onFollowConfirmed(data, queryId, false);
}

void ProfileView::onFollowConfirmed(const QVariantList &data, int queryId, bool following)
{
    if (queryId < 0 || queryId != m_followQueryId)
        return;
    publish(QStringLiteral("profileview_loading"), false);
    const QString screenName =
        data.value(0).toMap().value(QStringLiteral("screen_name")).toString();
    if (screenName.isEmpty())
        return;
    if (m_dataHandler && screenName.toLower() == m_dataHandler->currentUser())
        publish(QStringLiteral("profileview_following"), following);
    for (ZirrupModel *model : {m_following.model, m_followers.model, m_profileSearchModel}) {
        if (!model)
            continue;
        for (int row = 0; row < model->rowCount(); ++row) {
            QStandardItem *item = model->item(row);
            if (item->data(Qt::UserRole + 1).toString().compare(screenName, Qt::CaseInsensitive)
                == 0)
                item->setData(following, Qt::UserRole + 3);
        }
    }
}

void ProfileView::blockProfile(QString screenName, bool block)
{
    m_blockQueryId = -1;
    if (!m_backend)
        return;
    const Zr::ArgMap args {{QStringLiteral("screen_name"), screenName}};
    if (block)
        m_backend->createBlock(args, &m_blockQueryId);
    else
        m_backend->destroyBlock(args, &m_blockQueryId);
    if (m_blockQueryId != -1)
        publish(QStringLiteral("profileview_loading"), true);
}

void ProfileView::onBlockCreated(QVariantList data, int queryId)
{
    onBlockConfirmed(data, queryId, true);
}

void ProfileView::onBlockDestroyed(QVariantList data, int queryId)
{
    onBlockConfirmed(data, queryId, false);
}

void ProfileView::onBlockConfirmed(const QVariantList &data, int queryId, bool blocked)
{
    if (queryId < 0 || queryId != m_blockQueryId)
        return;
    publish(QStringLiteral("profileview_loading"), false);
    const QVariantMap record = data.value(0).toMap();
    const QString id = record.value(QStringLiteral("id")).toString();
    // A block ends following in both directions; the page shows the state the service answered.
    if (m_dataHandler
        && record.value(QStringLiteral("screen_name")).toString().toLower()
            == m_dataHandler->currentUser()) {
        if (record.contains(QStringLiteral("following")))
            publish(QStringLiteral("profileview_following"),
                    record.value(QStringLiteral("following")).toBool());
        if (blocked)
            publish(QStringLiteral("profileview_follower"), false);
    }
    if (!id.isEmpty()) {
        if (blocked)
            m_blockedIds.append(id);
        else
            m_blockedIds.removeAll(id);
    }
    publishBlockedState();
}

void ProfileView::publishBlockedState()
{
    publish(QStringLiteral("profileview_blocked"), isBlocked(m_profileUserId));
    publish(QStringLiteral("profile_subview_blocked"), isBlocked(m_subViewUserId));
}

void ProfileView::retrieveBlockedIdsList()
{
    m_blockedIdsQueryId = -1;
    if (m_backend
        && m_backend->retrieveBlockedIdsList(&m_blockedCache, &m_blockedIdsQueryId,
                                             Zr::CacheThenNetwork)
            == Zr::RequestSent)
        onBlockedIdsList(m_blockedCache, -1);
    m_blockedCache.clear();
}

void ProfileView::onBlockedIdsList(QVariantList data, int queryId)
{
    if (queryId != -1 && (queryId < 0 || queryId != m_blockedIdsQueryId))
        return;
    m_blockedIds.clear();
    for (const QVariant &id : std::as_const(data))
        m_blockedIds.append(id.toString());
    publishBlockedState();
}

void ProfileView::updateAuthenticatedUser()
{
    if (m_dataHandler)
        getProfileInfo(m_dataHandler->authenticatedUser(), true);
}

void ProfileView::updateAccountData(QString name, QString url, QString location,
                                    QString description)
{
    m_accountQueryId = -1;
    if (!m_backend)
        return;
    const Zr::ArgMap args {{QStringLiteral("name"), name},
                           {QStringLiteral("url"), url},
                           {QStringLiteral("location"), location},
                           {QStringLiteral("description"), description}};
    m_backend->retrieveAccountResources(&m_accountQueryId, AccountType::UpdateProfile, args,
                                        QByteArray());
}

void ProfileView::updateAccountImage(QString fileUrl)
{
    m_accountImageQueryId = -1;
    const QUrl url(fileUrl);
    const QString path = url.isLocalFile() ? url.toLocalFile() : fileUrl;
    const QFileInfo file(path);

    QImage image(path);
    if (image.width() > ProfilePhotoEdge)
        image = image.scaledToWidth(ProfilePhotoEdge, Qt::FastTransformation);
    if (image.height() > ProfilePhotoEdge)
        image = image.scaledToHeight(ProfilePhotoEdge, Qt::FastTransformation);

    QByteArray bytes;
    if (!image.isNull()) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, file.suffix().toUpper().toLatin1().constData()))
            bytes.clear();
    }

    // A photo that cannot be read or written again must not replace the profile photo with
    // nothing; nor may a request that never went out leave the busy indicator up.
    if (bytes.isEmpty() || !m_backend
        || m_backend->retrieveAccountResources(&m_accountImageQueryId,
                                               AccountType::UpdateProfileImage,
                                               {{QStringLiteral("image"), file.fileName()}}, bytes)
            != Zr::RequestSent
        || m_accountImageQueryId == -1) {
        qWarning() << "ProfileView: the profile photo was not sent:" << path;
        publish(QStringLiteral("updatingProfileImage"), false);
        if (m_dataHandler)
            m_dataHandler->showErrorNotice(qtTrId("qtn_zirrup_error_change_profile_image"), false);
        return;
    }
    publish(QStringLiteral("updatingProfileImage"), true);
}

void ProfileView::onAccountUpdated(AccountType::AccountType type, QVariantList data, int queryId)
{
    if (type == AccountType::UpdateProfile) {
        onProfileInfoLoaded(data, false, false);
        if (queryId >= 0 && queryId == m_accountQueryId && m_dataHandler)
            m_dataHandler->showPreviousPage();
    } else if (type == AccountType::UpdateProfileImage) {
        m_ownImageChanged = true;
        m_ownImageRefreshTimer->start();
    }
}
