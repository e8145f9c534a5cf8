#include "datahandler.h"
#include "zirrupmodel.h"

#include "scriptedcontroller.h"

#include <QStandardItem>
#include <QtTest>

namespace {
QList<QByteArray> namesInRoleOrder(const ZirrupModel *model)
{
    const QHash<int, QByteArray> roles = model->roleNames();
    QList<QByteArray> names;
    for (int role = Qt::UserRole + 1; roles.contains(role); ++role)
        names.append(roles.value(role));
    // Nothing outside the consecutive numbering.
    return names.size() == roles.size() ? names : QList<QByteArray>();
}

ZirrupModel *published(ScriptedController &c, const char *name)
{
    return qobject_cast<ZirrupModel *>(c.contextProperty(QLatin1String(name)).value<QObject *>());
}
} // namespace

class TestAdapters : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void modelsCarryTheirRoleTables();
    void initialValuesOfTheAdapterProperties();
    void frontendResetClearsRowsAndFlags();
    void adaptersFollowTheBackend();
};

void TestAdapters::modelsCarryTheirRoleTables()
{
    ScriptedController c;
    c.start(false);

    const QList<QByteArray> tweet = {"desc",
                                     "name",
                                     "place",
                                     "timestamp",
                                     "section_timestamp",
                                     "original_image_url",
                                     "image_url",
                                     "retweeted_name",
                                     "reply_status_id",
                                     "reply_name",
                                     "source",
                                     "tweetid",
                                     "original_tweetid",
                                     "fullname",
                                     "favorited",
                                     "status_text",
                                     "retweeted_by_me_id",
                                     "protected_profile"};
    const QList<QByteArray> picture = {"pic_source", "pic_url", "role_orientation_portrait",
                                       "role_aspect_ratio"};
    const QList<QByteArray> message = {
        "screen_name",       "sender_screen_name", "msg_text", "created_at", "avatar_url",
        "sender_avatar_url", "received",           "msg_id",   "msg_unread"};
    const QList<QByteArray> people = {"peoplelistitem_zirrupname", "peoplelistitem_realname",
                                      "peoplelistitem_following", "peoplelistitem_avatar"};
    const QList<QByteArray> query = {"query_item", "id"};
    const QList<QByteArray> list = {"name", "desc", "isprivate", "id", "screenName", "avatar"};

    const struct
    {
        const char *name;
        const QList<QByteArray> &roles;
    } models[] = {
        {"myTimelineModel", tweet},       {"myMentionsModel", tweet},
        {"myRetweetedModel", tweet},      {"myTweetsModel", tweet},
        {"myFavoritesModel", tweet},      {"myTweetSearchModel", tweet},
        {"tweetThumbModel", picture},     {"tweetImageUploadModel", picture},
        {"myMessageModel", message},      {"myConversationModel", message},
        {"myFollowingModel", people},     {"myFollowerModel", people},
        {"myProfileSearchModel", people}, {"myTrendsModel", query},
        {"mySavedSearchesModel", query},  {"myAddedToListsModel", list},
        {"mySubscribedListsModel", list},
    };
    QSet<ZirrupModel *> distinct;
    for (const auto &entry : models) {
        ZirrupModel *model = published(c, entry.name);
        QVERIFY2(model, entry.name);
        QCOMPARE(namesInRoleOrder(model), entry.roles);
        QCOMPARE(model->count(), 0);
        distinct.insert(model);
    }
    QCOMPARE(distinct.size(), int(std::size(models)));

    // Direct messages sort by the id role of their items.
    QCOMPARE(c.handler()->messagesView()->messageModel()->roleNames().value(Qt::UserRole + 8),
             QByteArray("msg_id"));
    // Saved searches are kept in query order.
    QCOMPARE(c.handler()->trendsView()->savedSearchesModel()->sortRole(), Qt::UserRole + 1);
}

void TestAdapters::initialValuesOfTheAdapterProperties()
{
    ScriptedController c;
    c.start(false);

    // Flags that start down.
    for (const char *name : {"timelineview_is_refreshing",
                             "timelineview_is_loading_more",
                             "timelineview_is_catching_up",
                             "mentions_is_refreshing",
                             "tweetsview_is_refreshing",
                             "tweetsview_is_loading_more",
                             "tweetsview_following_list",
                             "tweetview_loading",
                             "tinyurl_thumb_loading",
                             "tinyurl_preview_loading",
                             "searchview_searching_tweets",
                             "searchview_searching_more_tweets",
                             "timelineview_more_tweets_available",
                             "timelineview_more_mentions_available",
                             "timelineview_more_retweets_available",
                             "tweetsview_more_tweets_available",
                             "searchview_more_tweets_available",
                             "composeview_received",
                             "profileview_following",
                             "profileview_blocked",
                             "profileview_follower",
                             "profileview_loading",
                             "profile_subview_blocked",
                             "peoplelistview_is_refreshing",
                             "peoplelistview_is_loading_more",
                             "peoplelistview_more_people_available",
                             "searchview_searching_profiles",
                             "searchview_searching_more_profiles",
                             "searchview_more_profiles_available",
                             "savedsearches_is_loading",
                             "listsview_loading",
                             "listsview_is_loading_more",
                             "listsview_more_available",
                             "mylists_loading",
                             "mylists_is_loading_more",
                             "mylists_more_available"}) {
        const QVariant value = c.contextProperty(QLatin1String(name));
        QVERIFY2(value.typeId() == QMetaType::Bool && !value.toBool(), name);
    }

    // Texts that start empty, including the two profile flags that start as empty text.
    for (const char *name : {"tinyUrlPreview",
                             "tweetview_profile_name",
                             "tweetview_profile_avatar",
                             "conversation_zirrupName",
                             "conversation_firstname",
                             "conversation_image_url",
                             "composeview_msg_text",
                             "composeview_created_at",
                             "composeview_imageurl",
                             "composeview_screenname",
                             "composeview_realname",
                             "profileview_firstname",
                             "profileview_screen_name",
                             "profileview_location",
                             "profileview_description",
                             "profileview_url",
                             "profileview_ui_url",
                             "profileview_profile_image_url",
                             "profileview_profile_image_url_original",
                             "profileview_followers_count",
                             "profileview_favourites_count",
                             "profileview_statuses_count",
                             "profileview_friends_count",
                             "profileview_listed_count",
                             "profileview_protected",
                             "profileview_own_profile",
                             "profile_subview_firstname",
                             "profile_subview_screen_name",
                             "profile_subview_profile_image_url",
                             "profile_subview_followers_count",
                             "profile_subview_favourites_count",
                             "profile_subview_statuses_count",
                             "profile_subview_friends_count",
                             "profile_subview_listed_count",
                             "profile_subview_own_profile",
                             "geo_location",
                             "geo_id"}) {
        const QVariant value = c.contextProperty(QLatin1String(name));
        QVERIFY2(value.typeId() == QMetaType::QString && value.toString().isEmpty(), name);
    }
}

void TestAdapters::frontendResetClearsRowsAndFlags()
{
    ScriptedController c;
    c.start(false);
    DataHandler *handler = c.handler();

    QList<ZirrupModel *> models = {
        handler->timelineView()->tweetsModel(),       handler->timelineView()->uploadModel(),
        handler->messagesView()->conversationModel(), handler->profileView()->followerModel(),
        handler->trendsView()->trendsModel(),         handler->listsView()->subscribedListsModel()};
    for (ZirrupModel *model : models)
        model->appendRow(new QStandardItem);
    for (const char *name : {"tweetsview_is_refreshing", "profileview_loading", "geo_location",
                             "mylists_loading", "conversation_zirrupName"})
        handler->setContextProperty(QLatin1String(name), true);

    handler->cleanFrontend(false);
    for (ZirrupModel *model : models)
        QCOMPARE(model->count(), 0);
    QCOMPARE(handler->timelineView()->tweetsModel(), models.at(0));
    QCOMPARE(c.contextProperty("tweetsview_is_refreshing").toBool(), false);
    QCOMPARE(c.contextProperty("profileview_loading").toBool(), false);
    QCOMPARE(c.contextProperty("geo_location").toString(), QString());
    QCOMPARE(c.contextProperty("mylists_loading").toBool(), false);
    QCOMPARE(c.contextProperty("conversation_zirrupName").toString(), QString());
}

void TestAdapters::adaptersFollowTheBackend()
{
    ScriptedController c;
    c.start(true);
    DataHandler *handler = c.handler();
    QPointer<ScriptedBackend> anonymous = c.backend();
    const QList<Zr::Zirrup *> held = {
        handler->timelineView()->backend(), handler->messagesView()->backend(),
        handler->profileView()->backend(), handler->trendsView()->backend(),
        handler->listsView()->backend()};
    for (Zr::Zirrup *backend : held)
        QCOMPARE(backend, anonymous);

    QTRY_COMPARE(c.login()->loginCount(), 1);
    c.signIn();
    ScriptedBackend *signedIn = c.backend();
    QVERIFY(signedIn != anonymous.data());
    QCOMPARE(handler->trendsView()->backend(), signedIn);

    // The trends adapter answers the new backend only.
    handler->updateTrendingTopics();
    const ScriptedCall trends = signedIn->lastCall("retrieveTrends");
    signedIn->complete(trends,
                       {QVariantMap {{"trends", QVariantList {QVariantMap {{"name", "#a"}}}}}});
    QCOMPARE(handler->trendsView()->trendsModel()->count(), 1);
    QVERIFY(anonymous);
    Q_EMIT anonymous->trendsUpdated(TrendType::Place, {}, trends.queryId);
    QCOMPARE(handler->trendsView()->trendsModel()->count(), 1);

    // Once a backend is gone, nobody holds on to it.
    Q_EMIT c.login()->accountRemoved();
    QTRY_VERIFY(c.backends().at(1).isNull());
    QCOMPARE(handler->timelineView()->backend(), c.backend());
    QCOMPARE(handler->listsView()->backend(), c.backend());
}

QTEST_MAIN(TestAdapters)
#include "tst_adapters.moc"
