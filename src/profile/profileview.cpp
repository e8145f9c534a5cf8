// ProfileView: adapter protocol, completion dispatch and failures.

#include "profileview.h"

#include "datahandler.h"
#include "zirrup.h"
#include "zirrupmodel.h"

#include <QTimer>
#include <QtDebug>

ProfileView::ProfileView(QObject *parent)
    : QObject(parent)
    , m_ownImageRefreshTimer(new QTimer(this))
{
    m_followers.type = FriendsFollowersType::Followers;
    m_following.type = FriendsFollowersType::Following;
    m_ownImageRefreshTimer->setSingleShot(true);
    m_ownImageRefreshTimer->setInterval(10000);
    connect(m_ownImageRefreshTimer, &QTimer::timeout, this, &ProfileView::updateAuthenticatedUser);
}

QHash<int, QByteArray> ProfileView::peopleRoleNames()
{
    return {
        {Qt::UserRole + 1, "peoplelistitem_zirrupname"},
        {Qt::UserRole + 2, "peoplelistitem_realname"},
        {Qt::UserRole + 3, "peoplelistitem_following"},
        {Qt::UserRole + 4, "peoplelistitem_avatar"},
    };
}

QString ProfileView::defaultAvatar()
{
    return QStringLiteral("../images/default_profile_0_bigger.png");
}

void ProfileView::publish(const QString &name, const QVariant &value)
{
    if (m_dataHandler)
        m_dataHandler->setContextProperty(name, value);
}

void ProfileView::showError(const char *id)
{
    if (m_dataHandler)
        m_dataHandler->showErrorNotice(qtTrId(id), true);
}

void ProfileView::onFrontendInitialized(DataHandler *dataHandler)
{
    m_dataHandler = dataHandler;

    resetProfileProperties();
    publish(QStringLiteral("profileview_loading"), false);
    publish(QStringLiteral("updatingProfileImage"), false);
    resetSubViewProperties();

    // People lists and search.
    for (const char *name :
         {"peoplelistview_is_refreshing", "peoplelistview_is_loading_more",
          "peoplelistview_more_people_available", "searchview_searching_profiles",
          "searchview_searching_more_profiles", "searchview_more_profiles_available"})
        publish(QLatin1String(name), false);

    const QHash<int, QByteArray> roles = peopleRoleNames();
    ZirrupModel::createOrClear(m_following.model, roles, this);
    ZirrupModel::createOrClear(m_followers.model, roles, this);
    ZirrupModel::createOrClear(m_profileSearchModel, roles, this);
    m_searchQuery.clear();
    publish(QStringLiteral("myFollowingModel"), QVariant::fromValue<QObject *>(m_following.model));
    publish(QStringLiteral("myFollowerModel"), QVariant::fromValue<QObject *>(m_followers.model));
    publish(QStringLiteral("myProfileSearchModel"),
            QVariant::fromValue<QObject *>(m_profileSearchModel));
}

void ProfileView::onBackendCreated(Zr::Zirrup *zirrup)
{
    if (m_backend && m_backend != zirrup)
        disconnect(m_backend, nullptr, this, nullptr);
    m_backend = zirrup;

    // Nothing the previous backend was asked will be answered; a key left pending would never
    // be downloaded again.
    for (int *id : {&m_profileQueryId, &m_subInfoQueryId, &m_refreshImageQueryId, &m_followQueryId,
                    &m_blockQueryId, &m_accountQueryId, &m_accountImageQueryId,
                    &m_blockedIdsQueryId, &m_friendshipQueryId, &m_ownRefreshQueryId,
                    &m_followers.queryId, &m_followers.moreQueryId, &m_following.queryId,
                    &m_following.moreQueryId, &m_searchQueryId})
        *id = -2;
    m_pendingImages.clear();
    m_blockedIds.clear();
    // Nothing will end what was under way with the previous backend, a photo upload included.
    for (const char *name : {"profileview_loading", "updatingProfileImage",
                             "peoplelistview_is_refreshing", "peoplelistview_is_loading_more",
                             "searchview_searching_profiles", "searchview_searching_more_profiles"})
        publish(QLatin1String(name), false);
    m_ownImageChanged = false;
    m_ownImageRefreshTimer->stop();
    // Everything shown so far belongs to the account that was signed in; a new sign-in of the
    // same account keeps it, so that pages stay filled across a re-login.
    const QString user = m_dataHandler ? m_dataHandler->authenticatedUser() : QString();
    if (user != m_accountUser) {
        m_accountUser = user;
        dropAccountData();
    }
    if (!zirrup)
        return;

    const auto unique = Qt::UniqueConnection;
    connect(zirrup, &Zr::Zirrup::userUpdated, this, &ProfileView::onUserUpdated, unique);
    connect(zirrup, &Zr::Zirrup::friedsAndFollowersUpdated, this,
            &ProfileView::onFriedsAndFollowersUpdated, unique);
    connect(zirrup, &Zr::Zirrup::searchCompleted, this, &ProfileView::onSearchCompleted, unique);
    connect(zirrup, &Zr::Zirrup::friendshipFetched, this, &ProfileView::onFriendshipFetched,
            unique);
    connect(zirrup, &Zr::Zirrup::friendshipCreated, this, &ProfileView::onFollowProfile, unique);
    connect(zirrup, &Zr::Zirrup::friendshipDestroyed, this, &ProfileView::onDestroyProfile, unique);
    connect(zirrup, &Zr::Zirrup::blockCreated, this, &ProfileView::onBlockCreated, unique);
    connect(zirrup, &Zr::Zirrup::blockDestroyed, this, &ProfileView::onBlockDestroyed, unique);
    connect(zirrup, &Zr::Zirrup::blockedIdsList, this, &ProfileView::onBlockedIdsList, unique);
    connect(zirrup, &Zr::Zirrup::accountUpdated, this, &ProfileView::onAccountUpdated, unique);
    connect(zirrup, &Zr::Zirrup::networkRequestError, this, &ProfileView::onNetworkRequestError,
            unique);
    connect(zirrup, &Zr::Zirrup::errorCritical, this, &ProfileView::onErrorCritical, unique);
    connect(zirrup, &Zr::Zirrup::errorError, this, &ProfileView::onErrorError, unique);
    connect(zirrup, &Zr::Zirrup::errorWarning, this, &ProfileView::onErrorWarning, unique);
}

void ProfileView::dropAccountData()
{
    resetProfileProperties();
    resetSubViewProperties();
    publish(QStringLiteral("peoplelistview_more_people_available"), false);
    publish(QStringLiteral("searchview_more_profiles_available"), false);
    for (PeopleList *list : {&m_followers, &m_following}) {
        list->ids.clear();
        list->offset = 0;
        list->cached = false;
        cleanPeople(*list);
    }
    cleanProfileSearchResults();
    m_searchPage = 1;
    // The stored avatar files are the previous account's backend's.
    m_imageUrlCache.clear();
}

void ProfileView::onUserUpdated(UserType::UserType type, QVariantList data, int queryId)
{
    switch (type) {
    case UserType::Show:
        // Cached records are handed over at once with -1; they always belong to the profile.
        if (queryId == -1) {
            onProfileInfoLoaded(data, true, false);
        } else if (queryId < 0) {
            return;
        } else if (queryId == m_subInfoQueryId) {
            onProfileSubInfoLoaded(data);
        } else if (queryId == m_profileQueryId || queryId == m_refreshImageQueryId
                   || queryId == m_ownRefreshQueryId) {
            const bool refresh = queryId == m_refreshImageQueryId || queryId == m_ownRefreshQueryId;
            if (queryId == m_ownRefreshQueryId)
                m_ownRefreshQueryId = -2;
            onProfileInfoLoaded(data, false, refresh);
            if (queryId == m_profileQueryId)
                publish(QStringLiteral("profileview_loading"), false);
        }
        break;
    case UserType::Lookup:
        onPeopleRecords(data, queryId);
        break;
    case UserType::ProfileImageCached:
    case UserType::ProfileImage:
        onImageDownloaded(data, queryId);
        break;
    default:
        qDebug() << "Unknown response: " << int(type);
        break;
    }
}

void ProfileView::onNetworkRequestError(int queryId, QVariantMap err)
{
    Q_UNUSED(err)
    qDebug() << "void ProfileView::onNetworkRequestError(int, const QVariantMap&)" << queryId;
    if (queryId < 0)
        return;

    if (queryId == m_ownRefreshQueryId) {
        // Without the re-read the new photo is never fetched: the photo change ends here.
        m_ownRefreshQueryId = -2;
        m_ownImageChanged = false;
        publish(QStringLiteral("updatingProfileImage"), false);
    }
    if (m_pendingImages.contains(queryId)) {
        const QString key = m_pendingImages.take(queryId);
        if (m_ownImageChanged && m_dataHandler
            && key.left(key.lastIndexOf(QLatin1Char('_'))) == m_dataHandler->authenticatedUser()) {
            m_ownImageChanged = false;
            publish(QStringLiteral("updatingProfileImage"), false);
        }
    } else if (queryId == m_profileQueryId) {
        publish(QStringLiteral("profileview_loading"), false);
        if (queryId == m_refreshImageQueryId)
            publish(QStringLiteral("updatingProfileImage"), false);
        showError("qtn_zirrup_error_load_profile");
    } else if (queryId == m_accountImageQueryId) {
        publish(QStringLiteral("updatingProfileImage"), false);
        showError("qtn_zirrup_error_change_profile_image");
    } else if (queryId == m_followQueryId) {
        publish(QStringLiteral("profileview_loading"), false);
        showError("qtn_zirrup_error_change_following_status");
    } else if (queryId == m_blockQueryId) {
        publish(QStringLiteral("profileview_loading"), false);
        showError("qtn_zirrup_error_change_blocked_status");
    } else if (queryId == m_accountQueryId) {
        showError("qtn_zirrup_error_load_profile");
    } else if (queryId == m_followers.queryId || queryId == m_followers.moreQueryId
               || queryId == m_following.queryId || queryId == m_following.moreQueryId) {
        publish(QStringLiteral("peoplelistview_is_refreshing"), false);
        publish(QStringLiteral("peoplelistview_is_loading_more"), false);
        showError("qtn_zirrup_error_load_profiles");
    } else if (queryId == m_searchQueryId) {
        publish(QStringLiteral("searchview_searching_profiles"), false);
        publish(QStringLiteral("searchview_searching_more_profiles"), false);
        publish(QStringLiteral("searchview_more_profiles_available"), false);
        showError("qtn_zirrup_error_search");
    }
}

void ProfileView::onErrorCritical(int queryId)
{
    qDebug() << "void ProfileView::onErrorCritical(int)" << queryId;
    onNetworkRequestError(queryId);
}

void ProfileView::onErrorError(int queryId)
{
    qDebug() << "void ProfileView::onErrorError(int)" << queryId;
    onNetworkRequestError(queryId);
}

void ProfileView::onErrorWarning(int queryId)
{
    qDebug() << "void ProfileView::onErrorWarning(int)" << queryId;
    onNetworkRequestError(queryId);
}
