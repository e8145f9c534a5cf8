#include "profileview.h"

#include "datahandler.h"
#include "zirrup.h"
#include "zirrupmodel.h"

ProfileView::ProfileView(QObject *parent)
    : QObject(parent)
{ }

QHash<int, QByteArray> ProfileView::peopleRoleNames()
{
    return {
        {Qt::UserRole + 1, "peoplelistitem_zirrupname"},
        {Qt::UserRole + 2, "peoplelistitem_realname"},
        {Qt::UserRole + 3, "peoplelistitem_following"},
        {Qt::UserRole + 4, "peoplelistitem_avatar"},
    };
}

void ProfileView::publish(const QString &name, const QVariant &value)
{
    if (m_dataHandler)
        m_dataHandler->setContextProperty(name, value);
}

void ProfileView::onFrontendInitialized(DataHandler *dataHandler)
{
    m_dataHandler = dataHandler;

    const QString empty;
    // The profile view set.
    for (const char *name :
         {"profileview_firstname", "profileview_screen_name", "profileview_location",
          "profileview_description", "profileview_url", "profileview_ui_url",
          "profileview_profile_image_url", "profileview_profile_image_url_original",
          "profileview_followers_count", "profileview_favourites_count",
          "profileview_statuses_count", "profileview_friends_count", "profileview_listed_count",
          "profileview_protected", "profileview_own_profile"})
        publish(QLatin1String(name), empty);
    for (const char *name : {"profileview_following", "profileview_blocked", "profileview_follower",
                             "profileview_loading", "updatingProfileImage"})
        publish(QLatin1String(name), false);

    // The profile sub-view set.
    for (const char *name : {"profile_subview_firstname", "profile_subview_screen_name",
                             "profile_subview_profile_image_url", "profile_subview_followers_count",
                             "profile_subview_favourites_count", "profile_subview_statuses_count",
                             "profile_subview_friends_count", "profile_subview_listed_count",
                             "profile_subview_own_profile"})
        publish(QLatin1String(name), empty);
    publish(QStringLiteral("profile_subview_blocked"), false);

    // People lists and search.
    for (const char *name :
         {"peoplelistview_is_refreshing", "peoplelistview_is_loading_more",
          "peoplelistview_more_people_available", "searchview_searching_profiles",
          "searchview_searching_more_profiles", "searchview_more_profiles_available"})
        publish(QLatin1String(name), false);

    const QHash<int, QByteArray> roles = peopleRoleNames();
    ZirrupModel::createOrClear(m_followingModel, roles, this);
    ZirrupModel::createOrClear(m_followerModel, roles, this);
    ZirrupModel::createOrClear(m_profileSearchModel, roles, this);
    publish(QStringLiteral("myFollowingModel"), QVariant::fromValue<QObject *>(m_followingModel));
    publish(QStringLiteral("myFollowerModel"), QVariant::fromValue<QObject *>(m_followerModel));
    publish(QStringLiteral("myProfileSearchModel"),
            QVariant::fromValue<QObject *>(m_profileSearchModel));
}

void ProfileView::onBackendCreated(Zr::Zirrup *zirrup)
{
    if (m_backend && m_backend != zirrup)
        disconnect(m_backend, nullptr, this, nullptr);
    m_backend = zirrup;
}
