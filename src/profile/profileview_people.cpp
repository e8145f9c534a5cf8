// ProfileView: the followers and following lists and the people search.

#include "profileview.h"

#include "datahandler.h"
#include "zirrup.h"
#include "zirrupmodel.h"

#include <QStandardItem>

void ProfileView::getFollowingInfo(QString screenName, QString cursor)
{
    getPeopleInfo(m_following, screenName, cursor);
}

void ProfileView::getFollowerInfo(QString screenName, QString cursor)
{
    getPeopleInfo(m_followers, screenName, cursor);
}

void ProfileView::getPeopleInfo(PeopleList &list, const QString &screenName, const QString &cursor)
{
    const bool firstPage = cursor == QLatin1String("-1");
    if (firstPage) {
        list.offset = 0;
        list.ids.clear();
        if (list.model) {
            list.model->clear();
            list.model->emitCountChanged();
        }
        publish(QStringLiteral("peoplelistview_more_people_available"), false);
    }

    list.queryId = -1;
    if (m_backend
        && m_backend->retrieveFaFResources(&list.cache, list.type,
                                           {{QStringLiteral("screen_name"), screenName.toLower()},
                                            {QStringLiteral("cursor"), cursor}},
                                           &list.queryId, Zr::CacheThenNetwork)
            == Zr::RequestSent) {
        if (firstPage)
            onPeopleLoaded(list, list.cache, true);
        if (list.queryId != -1)
            publish(QStringLiteral("peoplelistview_is_refreshing"), true);
    }
    list.cache.clear();
}

void ProfileView::onFriedsAndFollowersUpdated(QMap<QString, QString> queryArgs, QVariantList data,
                                              int queryId)
{
    Q_UNUSED(queryArgs)
    if (queryId < 0)
        return;
    PeopleList *list = queryId == m_followers.queryId ? &m_followers
        : queryId == m_following.queryId              ? &m_following
                                                      : nullptr;
    if (!list)
        return;

    const QVariantList ids = data.value(0).toMap().value(QStringLiteral("ids")).toList();
    for (const QVariant &id : ids)
        list->ids.append(id.toString());

    if (list->offset >= list->ids.size()) {
        // Nobody there: the load ends with an empty list.
        onUserUpdated(UserType::Lookup, QVariantList(), queryId);
        return;
    }
    requestNextPeople(*list, &list->queryId);
    if (list->queryId == -1) {
        publish(QStringLiteral("peoplelistview_is_refreshing"), false);
        publish(QStringLiteral("peoplelistview_is_loading_more"), false);
    }
}

void ProfileView::requestNextPeople(PeopleList &list, int *queryId)
{
    const QStringList batch = list.ids.mid(list.offset, PeopleBatchSize);
    list.offset += PeopleBatchSize;
    *queryId = -1;
    if (m_backend)
        m_backend->retrieveUserResources(
            nullptr, queryId, UserType::Lookup,
            {{QStringLiteral("user_id"), batch.join(QLatin1Char(','))}}, Zr::CacheThenNetwork);
}

void ProfileView::updateFollowingInfo()
{
    // Past the last id there is nothing to ask for; an empty request would only fail.
    if (m_following.offset >= m_following.ids.size())
        return;
    requestNextPeople(m_following, &m_following.moreQueryId);
    if (m_following.moreQueryId != -1)
        publish(QStringLiteral("peoplelistview_is_loading_more"), true);
}

void ProfileView::updateFollowerInfo()
{
    if (m_followers.offset >= m_followers.ids.size())
        return;
    requestNextPeople(m_followers, &m_followers.moreQueryId);
    if (m_followers.moreQueryId != -1)
        publish(QStringLiteral("peoplelistview_is_loading_more"), true);
}

void ProfileView::onPeopleRecords(const QVariantList &data, int queryId)
{
    if (queryId < 0)
        return;
    for (PeopleList *list : {&m_followers, &m_following}) {
        if (queryId == list->queryId) {
            if (list->model) {
                list->model->clear();
                list->model->emitCountChanged();
            }
            onPeopleLoaded(*list, data, false);
        } else if (queryId == list->moreQueryId) {
            onPeopleLoaded(*list, data, false);
        } else {
            continue;
        }
        publish(QStringLiteral("peoplelistview_is_refreshing"), false);
        publish(QStringLiteral("peoplelistview_is_loading_more"), false);
        return;
    }
}

void ProfileView::onProfileFollowingLoaded(QVariantList data, bool cached)
{
    onPeopleLoaded(m_following, data, cached);
}

void ProfileView::onProfileFollowersLoaded(QVariantList data, bool cached)
{
    onPeopleLoaded(m_followers, data, cached);
}

void ProfileView::onPeopleLoaded(PeopleList &list, const QVariantList &data, bool cached)
{
    if (!list.model)
        return;
    if (list.cached && !cached)
        list.model->clear();
    list.cached = cached;
    for (const QVariant &user : data)
        appendPerson(list.model, user.toMap());
    list.model->emitCountChanged();
    if (!cached)
        publish(QStringLiteral("peoplelistview_more_people_available"),
                list.offset < list.ids.size());
}

void ProfileView::appendPerson(ZirrupModel *model, const QVariantMap &user)
{
    const QString screenName = user.value(QStringLiteral("screen_name")).toString();
    auto *item = new QStandardItem;
    item->setData(screenName, Qt::UserRole + 1);
    item->setData(user.value(QStringLiteral("name")).toString(), Qt::UserRole + 2);
    item->setData(user.value(QStringLiteral("following")).toBool(), Qt::UserRole + 3);
    item->setData(getProfileImage(screenName,
                                  user.value(QStringLiteral("profile_image_url")).toString(), false,
                                  ImageSizeBigger),
                  Qt::UserRole + 4);
    model->appendRow(item);
}

void ProfileView::cleanPeople(PeopleList &list)
{
    if (!list.model)
        return;
    list.model->clear();
    list.model->emitCountChanged();
}

void ProfileView::cleanFollowers()
{
    cleanPeople(m_followers);
}

void ProfileView::cleanFollowing()
{
    cleanPeople(m_following);
}

void ProfileView::cleanProfileSearchResults()
{
    if (m_profileSearchModel) {
        m_profileSearchModel->clear();
        m_profileSearchModel->emitCountChanged();
    }
    // Otherwise searching the same words again would find the results "already shown".
    m_searchQuery.clear();
}

void ProfileView::searchProfiles(QString query, int page)
{
    if (page == 1) {
        if (!m_searchQuery.isEmpty() && m_searchQuery == query)
            return;
        if (m_profileSearchModel) {
            m_profileSearchModel->clear();
            m_profileSearchModel->emitCountChanged();
        }
        m_searchPage = 1;
    }

    m_searchQuery = query;
    m_searchQueryId = -1;
    publish(QStringLiteral("searchview_more_profiles_available"), false);
    if (query.isEmpty() || !m_backend)
        return;

    Zr::ArgMap args {{QStringLiteral("q"), QString(query).remove(QLatin1Char('@'))}};
    // Without the page number a further page would repeat the first one.
    if (m_searchPage > 1)
        args.insert(QStringLiteral("page"), QString::number(m_searchPage));
    if (m_backend->searchResources(args, &m_searchQueryId, SearchType::People) == Zr::RequestSent
        && m_searchQueryId != -1)
        publish(m_searchPage == 1 ? QStringLiteral("searchview_searching_profiles")
                                  : QStringLiteral("searchview_searching_more_profiles"),
                true);
}

void ProfileView::searchMoreProfiles()
{
    ++m_searchPage;
    searchProfiles(m_dataHandler ? m_dataHandler->currentSearchString() : m_searchQuery,
                   m_searchPage);
}

void ProfileView::onSearchCompleted(SearchType::SearchType type, QVariantList data, int queryId)
{
    if (queryId >= 0 && queryId == m_searchQueryId) {
        publish(QStringLiteral("searchview_searching_profiles"), false);
        publish(QStringLiteral("searchview_searching_more_profiles"), false);
    } else if (queryId != -1) {
        return;
    }
    if (type != SearchType::People || !m_profileSearchModel)
        return;
    if (data.isEmpty()) {
        publish(QStringLiteral("searchview_more_profiles_available"), false);
        return;
    }
    for (const QVariant &user : std::as_const(data))
        appendPerson(m_profileSearchModel, user.toMap());
    m_profileSearchModel->emitCountChanged();
    // A full page may have more behind it; a short one is the last.
    if (queryId >= 0)
        publish(QStringLiteral("searchview_more_profiles_available"),
                data.size() >= PeopleSearchPageSize);
}
