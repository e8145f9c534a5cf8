#include "testcontext.h"

#include <QFile>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QUrl>

namespace {

const char *const boolFalse[] = {
    "zirrup_account_exists",
    "zirrup_authenticating",
    "tweet_shortening_url",
    "posting_tweet",
    "updatingProfileImage",
    "messagesview_refresh_after_sending",
    "timelineview_is_refreshing",
    "timelineview_is_loading_more",
    "timelineview_is_catching_up",
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
    "trends_is_loading",
    "savedsearches_is_loading",
    "listsview_loading",
    "listsview_is_loading_more",
    "listsview_more_available",
    "mylists_loading",
    "mylists_is_loading_more",
    "mylists_more_available",
    "peoplelistview_is_refreshing",
    "peoplelistview_is_loading_more",
    "peoplelistview_more_people_available",
    "searchview_searching_profiles",
    "searchview_searching_more_profiles",
    "searchview_more_profiles_available",
    "profileview_following",
    "profileview_blocked",
    "profileview_follower",
    "profileview_loading",
    "profile_subview_blocked",
    "composeview_received",
};

// Set true by the controller on every front-end initialisation.
const char *const boolTrue[] = {"messagesview_loading", "mentions_is_refreshing"};

const char *const strings[] = {
    "tweet_shortenedUrl",
    "tweet_originalUrl",
    "composeview_in_reply_to",
    "tinyUrlPreview",
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
    "geo_location",
    "geo_id",
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
};

const char *const models[] = {
    "mySearchHistoryModel", "myTimelineModel",      "myMentionsModel",
    "myRetweetedModel",     "myTweetsModel",        "myFavoritesModel",
    "myTweetSearchModel",   "tweetThumbModel",      "tweetImageUploadModel",
    "myMessageModel",       "myConversationModel",  "myFollowingModel",
    "myFollowerModel",      "myProfileSearchModel", "myTrendsModel",
    "mySavedSearchesModel", "myAddedToListsModel",  "mySubscribedListsModel",
};

} // namespace

TestContext::TestContext(QQmlEngine *engine, const QString &testDir, QObject *parent)
    : QObject(parent)
    , m_engine(engine)
    , m_testDir(testDir)
{
    for (const char *name : boolFalse)
        m_defaults.insert(QString::fromLatin1(name), false);
    for (const char *name : boolTrue)
        m_defaults.insert(QString::fromLatin1(name), true);
    for (const char *name : strings)
        m_defaults.insert(QString::fromLatin1(name), QString());
}

QObject *TestContext::createObject(const QByteArray &qml, const QUrl &url)
{
    QQmlComponent component(m_engine);
    if (qml.isEmpty())
        component.loadUrl(url);
    else
        component.setData(qml, url);
    QObject *object = component.create(m_engine->rootContext());
    if (!object)
        qFatal("cannot create %s: %s", qPrintable(url.toString()),
               qPrintable(component.errorString()));
    object->setParent(this);
    return object;
}

void TestContext::publish()
{
    QQmlContext *context = m_engine->rootContext();
    for (auto it = m_defaults.cbegin(); it != m_defaults.cend(); ++it)
        context->setContextProperty(it.key(), it.value());
    for (const char *name : models) {
        QObject *model =
            createObject("import QtQml.Models 2.15\nListModel {}\n",
                         QUrl::fromLocalFile(m_testDir + QStringLiteral("/ListModel.qml")));
        m_models.insert(QString::fromLatin1(name), model);
        context->setContextProperty(QString::fromLatin1(name), model);
    }
    m_dataHandler = createObject(
        QByteArray(), QUrl::fromLocalFile(m_testDir + QStringLiteral("/FakeDataHandler.qml")));
    context->setContextProperty(QStringLiteral("dataHandler"), m_dataHandler);
    context->setContextProperty(QStringLiteral("testContext"), this);
}

void TestContext::set(const QString &name, const QVariant &value)
{
    if (!m_defaults.contains(name) && !m_models.contains(name))
        qWarning("TestContext::set: \"%s\" is not a context property of the program",
                 qPrintable(name));
    m_engine->rootContext()->setContextProperty(name, value);
}

QVariant TestContext::get(const QString &name) const
{
    return m_engine->rootContext()->contextProperty(name);
}

void TestContext::reset()
{
    QQmlContext *context = m_engine->rootContext();
    for (auto it = m_defaults.cbegin(); it != m_defaults.cend(); ++it)
        context->setContextProperty(it.key(), it.value());
    for (auto it = m_models.cbegin(); it != m_models.cend(); ++it) {
        QMetaObject::invokeMethod(it.value(), "clear");
        context->setContextProperty(it.key(), it.value());
    }
    QMetaObject::invokeMethod(m_dataHandler, "reset");
}
