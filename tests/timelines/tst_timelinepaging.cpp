// Timeline requests and paging, the mapping of status records, merging, catch-up and the
// stream, driven through the controller against the scripted backend.

#include "datahandler.h"
#include "scriptedtimelinenotifier.h"
#include "timelineharness.h"
#include "zirrupmodel.h"

#include <QAbstractItemModelTester>
#include <QtTest>

namespace {
const QString newest = QStringLiteral("1000000000000001151");
const QString heldBack = QStringLiteral("1000000000000001101");

// Decimal ids strictly decreasing (longer is larger), as the service pages them.
bool newestFirst(const QStringList &ids)
{
    for (int i = 1; i < ids.size(); ++i) {
        const QString &a = ids.at(i - 1);
        const QString &b = ids.at(i);
        if (a.size() < b.size() || (a.size() == b.size() && a <= b))
            return false;
    }
    return true;
}

// The merge of a page with a filter, as the local search runs it.
void mergeFiltered(TimelineView *view, int target, const QVariantList &data, const QString &filter)
{
    const QMetaObject *meta = view->metaObject();
    const int index = meta->indexOfSlot("onStatusesUpdated(View,QVariantList,bool,bool,QString)");
    QVERIFY(index >= 0);
    QVERIFY(meta->method(index).invoke(
        view, Qt::DirectConnection, QGenericArgument("View", &target), Q_ARG(QVariantList, data),
        Q_ARG(bool, false), Q_ARG(bool, false), Q_ARG(QString, filter)));
}

void stream(TimelineHarness &h, StreamObjectType::StreamObjectType type, const QString &name)
{
    Q_EMIT h.backend()->streamObject(type, {TimelineHarness::streamObject(name)});
}
} // namespace

class TestTimelinePaging : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstPageNextPageAndNewerTweets();
    void cachedAndSupersededDeliveries();
    void userTweetsFavouritesAndLists();
    void errorsLowerTheirFlags();
    void mappingOfStatusRecords();
    void filterAndNamelessRecords();
    void sectionHeadingsOfALongList();
    void catchUp();
    void streamObjectsOfEveryType();
};

void TestTimelinePaging::firstPageNextPageAndNewerTweets()
{
    TimelineHarness h;
    ZirrupModel *home = h.view()->timelineModel();
    QAbstractItemModelTester tester(home, QAbstractItemModelTester::FailureReportingMode::QtTest);
    ScriptedTimelineNotifier *notifier = h.controller().factory().timeline();

    // Sign-in asked for newer tweets of an empty list: that is the first page, without since_id.
    const ScriptedCall first = h.lastTimelineCall(TimelineType::Home);
    QCOMPARE(query(first), QString("count=51&include_entities=true&include_my_retweet=true"));
    QCOMPARE(first.behavior, int(Zr::CacheThenNetwork));
    QVERIFY(first.listPassed && h.flag("timelineview_is_refreshing"));

    const int changes = notifier->changeCount();
    h.backend()->complete(first, h.page("home_first_page.json"));
    QCOMPARE(home->rowCount(), 50);
    QVERIFY(!h.flag("timelineview_is_refreshing"));
    QVERIFY(h.flag("timelineview_more_tweets_available"));
    QCOMPARE(notifier->changeCount(), changes + 1);

    // The next page starts at the held-back record, which arrives with it.
    h.handler()->moreTimelineView();
    const ScriptedCall more = h.lastTimelineCall(TimelineType::Home);
    QCOMPARE(more.args.value("max_id"), heldBack);
    QVERIFY(h.flag("timelineview_is_loading_more"));
    h.backend()->complete(more, h.page("home_next_page.json"));
    QVERIFY(!h.flag("timelineview_is_loading_more"));
    QStringList ids = TimelineHarness::column(home);
    QCOMPARE(ids.size(), 100);
    QCOMPARE(ids.at(50), heldBack);
    QVERIFY(newestFirst(ids));

    // Newer tweets go on top, in the order delivered.
    h.handler()->updateTimelineView();
    const ScriptedCall newer = h.lastTimelineCall(TimelineType::Home);
    QCOMPARE(query(newer),
             "count=51&include_entities=true&include_my_retweet=true&since_id=" + newest);
    h.backend()->complete(newer, h.page("home_newer.json"));
    ids = TimelineHarness::column(home);
    QCOMPARE(ids.size(), 103);
    QCOMPARE(ids.mid(0, 4),
             (QStringList {"1000000000000001154", "1000000000000001153", "1000000000000001152",
                           newest}));

    // A first page of one record replaces the list and ends paging.
    h.handler()->refreshTimelineView();
    h.backend()->complete(h.lastTimelineCall(TimelineType::Home), h.page("home_single.json"));
    QCOMPARE(TimelineHarness::column(home), QStringList {newest});
    QVERIFY(!h.flag("timelineview_more_tweets_available"));
}

void TestTimelinePaging::cachedAndSupersededDeliveries()
{
    TimelineHarness h;
    ZirrupModel *home = h.view()->timelineModel();
    const ScriptedCall signInPage = h.lastTimelineCall(TimelineType::Home);

    // Cached records show at once, all of them, set no max_id; the request stays outstanding.
    h.backend()->setCachedRecords("retrieveTimelineResources", h.page("home_first_page.json"));
    h.handler()->refreshTimelineView();
    const ScriptedCall reload = h.lastTimelineCall(TimelineType::Home);
    QCOMPARE(home->rowCount(), 51);
    QVERIFY(h.flag("timelineview_is_refreshing"));
    QVERIFY(!h.flag("timelineview_more_tweets_available"));
    h.handler()->moreTimelineView();
    QCOMPARE(h.lastTimelineCall(TimelineType::Home).args.value("max_id"), QString("0"));

    // An answer whose id was replaced by a newer request changes nothing.
    h.backend()->complete(signInPage, h.page("home_single.json"));
    QCOMPARE(home->rowCount(), 51);
    QVERIFY(h.flag("timelineview_is_refreshing"));

    h.backend()->complete(reload, h.page("home_next_page.json"));
    QCOMPARE(TimelineHarness::column(home).constFirst(), heldBack);
    QCOMPARE(home->rowCount(), 50);
    QVERIFY(h.flag("timelineview_more_tweets_available"));
}

void TestTimelinePaging::userTweetsFavouritesAndLists()
{
    TimelineHarness h;
    DataHandler *d = h.handler();
    ScriptedBackend *b = h.backend();
    ZirrupModel *tweets = h.view()->tweetsModel();
    ZirrupModel *favorites = h.view()->favoritesModel();
    const QVariantList firstPage = h.page("home_first_page.json");

    // The user already shown, in another letter case, is not asked for again unless forced.
    d->updateUserTweets("ALICE");
    QCOMPARE(h.lastTimelineCall(TimelineType::User).method, QString());
    d->updateUserTweets("Dave");
    const ScriptedCall user = h.lastTimelineCall(TimelineType::User);
    QCOMPARE(query(user),
             QString("count=51&include_entities=true&include_my_retweet=true&"
                     "include_rts=true&screen_name=dave"));
    QCOMPARE(d->currentUser(), QString("dave"));
    d->updateUserTweets("DAVE", true);
    QVERIFY(h.lastTimelineCall(TimelineType::User).queryId != user.queryId);
    b->complete(h.lastTimelineCall(TimelineType::User), firstPage);
    QCOMPARE(tweets->rowCount(), 50);
    QCOMPARE(query(b->lastCall("updateResfreshTime")), QString("user=dave"));
    d->moreUserTweets("dave");
    QCOMPARE(h.lastTimelineCall(TimelineType::User).args.value("max_id"), heldBack);

    // Favourites page by number and keep every record; cached ones do not count as a page.
    b->setCachedRecords("retrieveFavorites", TimelineHarness::statuses(2000, 3));
    d->updateUserFavorites("Bob");
    const ScriptedCall favoritesFirst = b->lastCall("retrieveFavorites");
    QCOMPARE(query(favoritesFirst),
             QString("include_entities=true&include_my_retweet=true&page=1&screen_name=bob"));
    QCOMPARE(favorites->rowCount(), 3);
    b->complete(favoritesFirst, firstPage);
    QCOMPARE(favorites->rowCount(), 51);
    d->moreUserFavorites("bob");
    QCOMPARE(b->lastCall("retrieveFavorites").args.value("page"), QString("2"));
    b->complete(b->lastCall("retrieveFavorites"), {});
    QVERIFY(!h.flag("tweetsview_more_tweets_available"));
    d->moreUserFavorites("bob");
    QCOMPARE(b->lastCall("retrieveFavorites").args.value("page"), QString("2"));

    // A list's tweets, and the top tweets, go to the tweets model too.
    d->updateListTweets("301");
    const ScriptedCall list = b->lastCall("retrieveList");
    QCOMPARE(list.type, int(ListType::Statuses));
    QCOMPARE(query(list),
             QString("include_entities=true&include_my_retweet=true&include_rts=true&"
                     "list_id=301&per_page=51"));
    QVERIFY(tweets->rowCount() == 0 && h.flag("tweetsview_following_list"));
    b->complete(list, firstPage);
    QCOMPARE(tweets->rowCount(), 50);
    d->moreListTweets("301");
    QCOMPARE(b->lastCall("retrieveList").args.value("max_id"), heldBack);
    d->updateListTweets("301");
    QCOMPARE(b->callCount("retrieveList"), 2);
    d->updateTopTweets();
    QCOMPARE(h.lastTimelineCall(TimelineType::User).args.value("screen_name"),
             QString("toptweets"));

    // Nothing is forwarded while a login is pending.
    d->reAuthentication();
    const int calls = b->calls().size();
    d->refreshTimelineView();
    d->updateUserTweets("carol", true);
    d->moreTopTweets();
    QCOMPARE(b->calls().size(), calls);
}

void TestTimelinePaging::errorsLowerTheirFlags()
{
    TimelineHarness h;
    ScriptedView &root = h.controller().view();
    h.handler()->setCurrentVisibleTweetId(newest);
    h.view()->setCatchingUp(true);

    // The silent first mentions page fails quietly.
    h.backend()->fail(h.lastTimelineCall(TimelineType::Mentions), "Internal error");
    QVERIFY(!h.flag("mentions_is_refreshing"));
    QCOMPARE(root.callCount("showError"), 0);

    h.backend()->fail(h.lastTimelineCall(TimelineType::Home), "Internal error");
    QVERIFY(!h.flag("timelineview_is_refreshing"));
    QVERIFY(!h.flag("timelineview_is_catching_up"));
    QVERIFY(!h.view()->isCatchingUp());
    QCOMPARE(root.lastArguments("showError"),
             QVariantList {qtTrId("qtn_zirrup_error_retrieve_tweets")});

    h.handler()->updateUserTweets("bob");
    h.backend()->fail(h.lastTimelineCall(TimelineType::User), "Not authorized");
    QVERIFY(!h.flag("tweetsview_is_refreshing"));
    QCOMPARE(root.callCount("showError"), 2);
    QCOMPARE(root.lastArguments("showError"),
             QVariantList {qtTrId("qtn_zirrup_error_retrieve_tweets")});

    h.handler()->searchTweets("#qt");
    QVERIFY(h.flag("searchview_searching_tweets"));
    h.backend()->fail(h.backend()->lastCall("searchResources"), "Internal error");
    QVERIFY(!h.flag("searchview_searching_tweets"));
    QCOMPARE(root.lastArguments("showError"), QVariantList {qtTrId("qtn_zirrup_error_search")});

    h.handler()->favoriteTweet(newest, true);
    h.backend()->fail(h.backend()->lastCall("createFavorite"), "Not found");
    QCOMPARE(root.lastArguments("showError"),
             QVariantList {qtTrId("qtn_zirrup_error_change_favorited_status")});

    // A failed undo, and an error for an id nobody holds, show nothing.
    h.handler()->undoRetweet("1", "2");
    h.backend()->fail(h.backend()->lastCall("deleteStatus"), "Not found");
    Q_EMIT h.backend()->networkRequestError(999, {{"error", "Internal error"}});
    QCOMPARE(root.callCount("showError"), 4);
}

void TestTimelinePaging::mappingOfStatusRecords()
{
    TimelineHarness h;
    ZirrupModel *home = h.view()->timelineModel();
    h.backend()->complete(h.lastTimelineCall(TimelineType::Home), h.page("home_first_page.json"));
    const QStringList who = {"name", "fullname", "original_image_url", "protected_profile"};
    const QStringList what = {
        "tweetid", "original_tweetid", "retweeted_name", "retweeted_by_me_id", "favorited",
        "place",   "reply_status_id",  "reply_name"};

    // Plain records: a tweet is its own original.
    QCOMPARE(fields(home, 0, who),
             QString("bob|Bob Baker|http://127.0.0.1:8123/media/avatars/1845_2_normal.png|false"));
    QCOMPARE(fields(home, 0, what), newest + "|" + newest + "|||false|Helsinki, Finland||");
    QCOMPARE(fields(home, 1, {"favorited", "place"}), QString("true|"));
    QCOMPARE(fields(home, 2, {"protected_profile", "reply_status_id", "reply_name"}),
             QString("true|1000000000000001146|bob"));

    // Someone else's retweet of a tweet the user has retweeted too, and the user's own one.
    QCOMPARE(fields(home, 3, {"name", "status_text"}),
             QString("dave|Lunch at the harbour with @dave"));
    QCOMPARE(fields(home, 3, what),
             QString("1000000000000001148|1000000000000000648|bob|"
                     "1000000000000901148|false|||"));
    QCOMPARE(fields(home, 5, what),
             QString("1000000000000001146|1000000000000000646||"
                     "1000000000000001146|false|||"));

    // The service escapes once; "&amp;lt;" is decoded all the way down as well.
    QCOMPARE(home->get(6).value("status_text").toString(),
             QString("1 < 2 && 3 > 2, says the whiteboard"));

    // Without entities the text is not marked up, only its white space collapsed.
    QVariantMap plain = TimelineHarness::streamObject("home_status");
    plain.remove("entities");
    plain.insert("text", "  two  blanks\n and &amp; a line  ");
    Q_EMIT h.backend()->streamObject(StreamObjectType::HomeStatus, {plain});
    QCOMPARE(home->get(0).value("desc").toString(), QString("two blanks and &amp; a line"));
    QCOMPARE(home->get(0).value("status_text").toString(), QString("two blanks and & a line"));

    // Search results name their author at the top level.
    h.handler()->searchTweets("#qt");
    h.backend()->complete(h.backend()->lastCall("searchResources"),
                          {TimelineHarness::fixture("search_answer.json")});
    QCOMPARE(fields(h.view()->tweetSearchModel(), 0, who),
             QString("bob|Bob Baker|http://127.0.0.1:8123/media/avatars/1845_2_normal.png|false"));
}

void TestTimelinePaging::filterAndNamelessRecords()
{
    TimelineHarness h;
    ZirrupModel *search = h.view()->tweetSearchModel();
    const QVariantList page = h.page("home_first_page.json");

    // The filter matches name, full name or text exactly, letter case included.
    mergeFiltered(h.view(), 5, page, "Lunch");
    QCOMPARE(search->rowCount(), 7);
    for (const QString &text : TimelineHarness::column(search, TimelineView::StatusTextRole))
        QVERIFY(text.contains("Lunch"));
    search->clear();
    mergeFiltered(h.view(), 5, page, "lunch");
    mergeFiltered(h.view(), 5, page, "BOB");
    QCOMPARE(search->rowCount(), 0);
    mergeFiltered(h.view(), 5, page, "Carol Crane");
    QCOMPARE(search->rowCount(), 9);

    // A record without a screen name is left out of a page, but newer tweets keep it.
    QVariantList nameless = TimelineHarness::statuses(5000, 3);
    QVariantMap record = nameless.at(1).toMap();
    record.remove("user");
    nameless[1] = record;
    ZirrupModel *home = h.view()->timelineModel();
    h.backend()->complete(h.lastTimelineCall(TimelineType::Home), nameless);
    QCOMPARE(TimelineHarness::column(home), QStringList {"5000"});
    h.handler()->updateTimelineView();
    h.backend()->complete(h.lastTimelineCall(TimelineType::Home), nameless);
    QCOMPARE(home->rowCount(), 4);
}

void TestTimelinePaging::sectionHeadingsOfALongList()
{
    TimelineHarness h;
    ZirrupModel *home = h.view()->timelineModel();
    h.backend()->complete(h.lastTimelineCall(TimelineType::Home), h.page("home_first_page.json"));
    h.handler()->moreTimelineView();
    h.backend()->complete(h.lastTimelineCall(TimelineType::Home), h.page("home_next_page.json"));
    // A time out of order and one that is no time at all among them.
    home->item(80)->setData(home->get(10).value("timestamp"), TimelineView::TimestampRole);
    home->item(60)->setData("garbage", TimelineView::TimestampRole);
    for (int row = 0; row < home->rowCount(); ++row)
        home->item(row)->setData("stale", TimelineView::SectionTimestampRole);

    // Now is such that rows 0 to 29 are in the newest band and the rest in the next.
    const QDateTime row30 =
        QLocale(QLocale::English, QLocale::UnitedStates)
            .toDateTime(home->get(30).value("timestamp").toString(), "ddd MMM dd hh:mm:ss yyyy");
    QVERIFY(row30.isValid());
    h.handler()->setClock([row30] { return row30.addSecs(25200); });
    h.view()->updateSectionData();
    QSet<QString> headings;
    for (int row = 0; row < home->rowCount(); ++row) {
        const QVariantMap values = home->get(row);
        QCOMPARE(values.value("section_timestamp").toString(),
                 h.handler()->createSectionTimeString(values.value("timestamp").toString()));
        headings.insert(values.value("section_timestamp").toString());
    }
    QCOMPARE(headings.size(), 3);
    QVERIFY(home->get(29).value("section_timestamp") != home->get(30).value("section_timestamp"));
}

void TestTimelinePaging::catchUp()
{
    {
        // The saved tweet is on the second page: one next page is asked for, then it ends.
        TimelineHarness h;
        h.handler()->setCurrentVisibleTweetId("1000000000000001080");
        h.view()->setCatchingUp(true);
        QVERIFY(h.flag("timelineview_is_catching_up"));
        h.backend()->complete(h.lastTimelineCall(TimelineType::Home),
                              h.page("home_first_page.json"));
        const ScriptedCall next = h.lastTimelineCall(TimelineType::Home);
        QCOMPARE(next.args.value("max_id"), heldBack);
        h.controller().view().clearCalls();
        h.backend()->complete(next, h.page("home_next_page.json"));
        // The list scrolls to the row of the saved tweet.
        const int row =
            TimelineHarness::column(h.view()->timelineModel()).indexOf("1000000000000001080");
        QCOMPARE(row, 71);
        QCOMPARE(h.controller().view().lastArguments("restorePosition"), QVariantList {row});
        QVERIFY(!h.view()->isCatchingUp());
        QVERIFY(!h.flag("timelineview_is_catching_up"));
        QCOMPARE(h.handler()->currentVisibleTweetId(), QString());
        QCOMPARE(h.lastTimelineCall(TimelineType::Home).queryId, next.queryId);
    }
    {
        // Without a saved id it pages back until 150 rows, then gives up.
        TimelineHarness h;
        h.view()->setCatchingUp(true);
        for (int page = 0; page < 3; ++page) {
            QVERIFY(h.view()->isCatchingUp());
            h.backend()->complete(h.lastTimelineCall(TimelineType::Home),
                                  TimelineHarness::statuses(9000 - 50 * page, 51));
        }
        QCOMPARE(h.view()->timelineModel()->rowCount(), 150);
        QVERIFY(!h.view()->isCatchingUp());
        QCOMPARE(h.controller().view().callCount("restorePosition"), 0);
        QCOMPARE(h.backend()->calls("retrieveTimelineResources").size(), 4);
    }
    {
        // The oldest tweet reached: a page of one record is the last, nothing is asked again.
        TimelineHarness h;
        h.handler()->setCurrentVisibleTweetId("42");
        h.view()->setCatchingUp(true);
        h.backend()->complete(h.lastTimelineCall(TimelineType::Home),
                              TimelineHarness::statuses(7000, 51));
        const ScriptedCall last = h.lastTimelineCall(TimelineType::Home);
        h.backend()->complete(last, TimelineHarness::statuses(6950, 1));
        QVERIFY(!h.view()->isCatchingUp());
        QCOMPARE(h.lastTimelineCall(TimelineType::Home).queryId, last.queryId);
    }
}

void TestTimelinePaging::streamObjectsOfEveryType()
{
    TimelineHarness h;
    ZirrupModel *home = h.view()->timelineModel();
    ZirrupModel *mentions = h.view()->mentionsModel();
    ScriptedTimelineNotifier *notifier = h.controller().factory().timeline();
    h.backend()->complete(h.lastTimelineCall(TimelineType::Home), h.page("home_first_page.json"));
    const QString shown = TimelineHarness::column(home).at(1);

    int changes = notifier->changeCount();
    stream(h, StreamObjectType::HomeStatus, "home_status");
    QCOMPARE(home->rowCount(), 51);
    QCOMPARE(home->get(0).value("tweetid").toString(), QString("1000000000000001160"));
    QCOMPARE(notifier->changeCount(), ++changes);
    // A retweet of a tweet already shown adds nothing.
    stream(h, StreamObjectType::HomeStatus, "retweet_of_shown");
    QCOMPARE(home->rowCount(), 51);

    stream(h, StreamObjectType::Mention, "mention");
    QCOMPARE(TimelineHarness::column(mentions), QStringList {"1000000000000001162"});
    QCOMPARE(home->rowCount(), 51);

    // Favourites of the user's own mark every row of the tweet; other people's leave them.
    const int shownRow = TimelineHarness::column(home).indexOf(shown);
    stream(h, StreamObjectType::Favorite, "favorite");
    QCOMPARE(home->get(shownRow).value("favorited").toBool(), true);
    stream(h, StreamObjectType::Unfavorite, "unfavorite");
    QCOMPARE(home->get(shownRow).value("favorited").toBool(), false);
    stream(h, StreamObjectType::Favorite, "favorite_by_other");
    QCOMPARE(home->get(shownRow).value("favorited").toBool(), false);

    stream(h, StreamObjectType::StatusDeletion, "delete_status");
    QVERIFY(!TimelineHarness::column(home).contains(newest));
    QCOMPARE(home->rowCount(), 50);
    QCOMPARE(notifier->changeCount(), ++changes);

    // Messages go to the messages side; the tweet lists stay as they are.
    ZirrupModel *messages = h.handler()->messagesView()->messageModel();
    const int messageRows = messages->rowCount();
    stream(h, StreamObjectType::DirectMessage, "direct_message");
    QCOMPARE(messages->rowCount(), messageRows + 1);
    stream(h, StreamObjectType::DirectMessageDeletion, "delete_direct_message");
    QCOMPARE(messages->rowCount(), messageRows);
    stream(h, StreamObjectType::Event, "favorite");
    QCOMPARE(home->rowCount(), 50);
    QCOMPARE(mentions->rowCount(), 1);
}

QTEST_MAIN(TestTimelinePaging)
#include "tst_timelinepaging.moc"
