// Timeline requests and paging, the mapping of status records, merging, catch-up and the
// stream, driven through the controller against the scripted backend.

#include "scriptedtimelinenotifier.h"
#include "timelinefixtures.h"

#include "recordcache.h"

#include <QAbstractItemModelTester>
#include <QtTest>

namespace {
const QString newest = QStringLiteral("1000000000000001151");
const QString heldBack = QStringLiteral("1000000000000001101");

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
} // namespace

class TestTimelinePaging : public TimelineSession
{
    Q_OBJECT

private Q_SLOTS:
    void init() { start(); }
    void firstPageNextPageAndNewerTweets()
    {
        ZirrupModel *home = view()->timelineModel();
        QAbstractItemModelTester tester(home,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        ScriptedTimelineNotifier *notifier = c->factory().timeline();

        // Sign-in asked for newer tweets of an empty list: that is the first page, without
        // since_id.
        const ScriptedCall first = lastTimelineCall(TimelineType::Home);
        QCOMPARE(query(first), QString("count=51&include_entities=true&include_my_retweet=true"));
        QCOMPARE(first.behavior, int(Zr::CacheThenNetwork));
        QVERIFY(first.listPassed && flag("timelineview_is_refreshing"));

        const int changes = notifier->changeCount();
        b->complete(first, page("home_first_page.json"));
        QCOMPARE(home->rowCount(), 50);
        QCOMPARE(values({"timelineview_is_refreshing", "timelineview_more_tweets_available"}),
                 QString("false|true"));
        QCOMPARE(notifier->changeCount(), changes + 1);

        // The next page starts at the held-back record, which arrives with it.
        h->moreTimelineView();
        const ScriptedCall more = lastTimelineCall(TimelineType::Home);
        QCOMPARE(more.args.value("max_id"), heldBack);
        QVERIFY(flag("timelineview_is_loading_more"));
        b->complete(more, page("home_next_page.json"));
        QVERIFY(!flag("timelineview_is_loading_more"));
        QStringList ids = column(home, "tweetid");
        QCOMPARE(ids.size(), 100);
        QCOMPARE(ids.at(50), heldBack);
        QStringList newestFirst = ids; // all ids have the same number of digits
        std::sort(newestFirst.begin(), newestFirst.end(), std::greater<QString>());
        QCOMPARE(ids, newestFirst);

        // Newer tweets go on top, in the order delivered.
        h->updateTimelineView();
        const ScriptedCall newer = lastTimelineCall(TimelineType::Home);
        QCOMPARE(query(newer),
                 "count=51&include_entities=true&include_my_retweet=true&since_id=" + newest);
        b->complete(newer, page("home_newer.json"));
        ids = column(home, "tweetid");
        QCOMPARE(ids.size(), 103);
        QCOMPARE(ids.mid(0, 4),
                 (QStringList {"1000000000000001154", "1000000000000001153", "1000000000000001152",
                               newest}));

        // A first page of one record replaces the list and ends paging.
        h->refreshTimelineView();
        b->complete(lastTimelineCall(TimelineType::Home), page("home_single.json"));
        QCOMPARE(column(home, "tweetid"), QStringList {newest});
        QVERIFY(!flag("timelineview_more_tweets_available"));
    }
    void cachedAndSupersededDeliveries()
    {
        ZirrupModel *home = view()->timelineModel();
        const ScriptedCall signInPage = lastTimelineCall(TimelineType::Home);

        // Cached records show at once, all of them, set no max_id; the request stays outstanding.
        b->setCachedRecords("retrieveTimelineResources", page("home_first_page.json"));
        h->refreshTimelineView();
        const ScriptedCall reload = lastTimelineCall(TimelineType::Home);
        QCOMPARE(home->rowCount(), 51);
        QVERIFY(flag("timelineview_is_refreshing"));
        QVERIFY(!flag("timelineview_more_tweets_available"));
        h->moreTimelineView();
        QCOMPARE(lastTimelineCall(TimelineType::Home).args.value("max_id"), QString("0"));

        // An answer whose id was replaced by a newer request changes nothing.
        b->complete(signInPage, page("home_single.json"));
        QCOMPARE(home->rowCount(), 51);
        QVERIFY(flag("timelineview_is_refreshing"));

        b->complete(reload, page("home_next_page.json"));
        QCOMPARE(column(home, "tweetid").constFirst(), heldBack);
        QCOMPARE(home->rowCount(), 50);
        QVERIFY(flag("timelineview_more_tweets_available"));
    }
    void cachedHomeBeforeLogin()
    {
        // What an earlier run left for the account with user id 1844: shown at start-up, before its
        // login has even begun; another account's start shows nothing of it.
        Zr::RecordCache(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
                        + QStringLiteral("/zirrup/1844/records"))
            .setValue(QStringLiteral("timeline_home"), page("home_first_page.json"));
        c.reset();
        for (const QString &user : {QStringLiteral("1844"), QStringLiteral("1845")}) {
            ScriptedController start;
            start.login()->setAccountUserId(user);
            start.start(true);
            QCOMPARE(start.login()->loginCount(), 0);
            QCOMPARE(start.handler()->timelineView()->timelineModel()->rowCount(),
                     user == QLatin1String("1844") ? 51 : 0);
        }
    }
    void userTweetsFavouritesAndLists()
    {
        ZirrupModel *tweets = view()->tweetsModel();
        ZirrupModel *favorites = view()->favoritesModel();
        const QVariantList firstPage = page("home_first_page.json");

        // The user already shown, in another letter case, is not asked for again unless forced.
        h->updateUserTweets("ALICE");
        QCOMPARE(lastTimelineCall(TimelineType::User).method, QString());
        h->updateUserTweets("Dave");
        const ScriptedCall user = lastTimelineCall(TimelineType::User);
        QCOMPARE(query(user),
                 QString("count=51&include_entities=true&include_my_retweet=true&"
                         "include_rts=true&screen_name=dave"));
        QCOMPARE(h->currentUser(), QString("dave"));
        h->updateUserTweets("DAVE", true);
        QVERIFY(lastTimelineCall(TimelineType::User).queryId != user.queryId);
        b->complete(lastTimelineCall(TimelineType::User), firstPage);
        QCOMPARE(tweets->rowCount(), 50);
        QCOMPARE(query(b->lastCall("updateResfreshTime")), QString("user=dave"));
        h->moreUserTweets("dave");
        QCOMPARE(lastTimelineCall(TimelineType::User).args.value("max_id"), heldBack);

        // Favourites page by number and keep every record; cached ones do not count as a page.
        b->setCachedRecords("retrieveFavorites", statuses(2000, 3));
        h->updateUserFavorites("Bob");
        const ScriptedCall favoritesFirst = b->lastCall("retrieveFavorites");
        QCOMPARE(query(favoritesFirst),
                 QString("include_entities=true&include_my_retweet=true&page=1&screen_name=bob"));
        QCOMPARE(favorites->rowCount(), 3);
        b->complete(favoritesFirst, firstPage);
        QCOMPARE(favorites->rowCount(), 51);
        h->moreUserFavorites("bob");
        QCOMPARE(b->lastCall("retrieveFavorites").args.value("page"), QString("2"));
        b->complete(b->lastCall("retrieveFavorites"), {});
        QVERIFY(!flag("tweetsview_more_tweets_available"));
        h->moreUserFavorites("bob");
        QCOMPARE(b->lastCall("retrieveFavorites").args.value("page"), QString("2"));

        // A list's tweets, and the top tweets, go to the tweets model too.
        h->updateListTweets("301");
        const ScriptedCall list = b->lastCall("retrieveList");
        QCOMPARE(list.type, int(ListType::Statuses));
        QCOMPARE(query(list),
                 QString("include_entities=true&include_my_retweet=true&include_rts=true&"
                         "list_id=301&per_page=51"));
        QVERIFY(tweets->rowCount() == 0 && flag("tweetsview_following_list"));
        b->complete(list, firstPage);
        QCOMPARE(tweets->rowCount(), 50);
        h->moreListTweets("301");
        QCOMPARE(b->lastCall("retrieveList").args.value("max_id"), heldBack);
        h->updateListTweets("301");
        QCOMPARE(b->callCount("retrieveList"), 2);
        h->updateTopTweets();
        QCOMPARE(lastTimelineCall(TimelineType::User).args.value("screen_name"),
                 QString("toptweets"));

        // Nothing is forwarded while a login is pending.
        h->reAuthentication();
        const int calls = b->calls().size();
        h->refreshTimelineView();
        h->updateUserTweets("carol", true);
        h->moreTopTweets();
        QCOMPARE(b->calls().size(), calls);
    }
    void errorsLowerTheirFlags()
    {
        ScriptedView &root = c->view();
        h->setCurrentVisibleTweetId(newest);
        view()->setCatchingUp(true);

        // The silent first mentions page fails quietly.
        b->fail(lastTimelineCall(TimelineType::Mentions), "Internal error");
        QVERIFY(!flag("mentions_is_refreshing"));
        QCOMPARE(root.callCount("showError"), 0);

        b->fail(lastTimelineCall(TimelineType::Home), "Internal error");
        QCOMPARE(values({"timelineview_is_refreshing", "timelineview_is_catching_up"}),
                 QString("false|false"));
        QVERIFY(!view()->isCatchingUp());
        QCOMPARE(shownError(), QVariantList {qtTrId("qtn_zirrup_error_retrieve_tweets")});

        h->updateUserTweets("bob");
        b->fail(lastTimelineCall(TimelineType::User), "Not authorized");
        QVERIFY(!flag("tweetsview_is_refreshing"));
        QCOMPARE(root.callCount("showError"), 2);
        QCOMPARE(shownError(), QVariantList {qtTrId("qtn_zirrup_error_retrieve_tweets")});

        h->searchTweets("#qt");
        QVERIFY(flag("searchview_searching_tweets"));
        b->fail(b->lastCall("searchResources"), "Internal error");
        QVERIFY(!flag("searchview_searching_tweets"));
        QCOMPARE(shownError(), QVariantList {qtTrId("qtn_zirrup_error_search")});

        h->favoriteTweet(newest, true);
        b->fail(b->lastCall("createFavorite"), "Not found");
        QCOMPARE(shownError(), QVariantList {qtTrId("qtn_zirrup_error_change_favorited_status")});

        // A failed undo, and an error for an id nobody holds, show nothing.
        h->undoRetweet("1", "2");
        b->fail(b->lastCall("deleteStatus"), "Not found");
        Q_EMIT b->networkRequestError(999, {{"error", "Internal error"}});
        QCOMPARE(root.callCount("showError"), 4);
    }
    void mappingOfStatusRecords()
    {
        ZirrupModel *home = view()->timelineModel();
        b->complete(lastTimelineCall(TimelineType::Home), page("home_first_page.json"));
        const QStringList who = {"name", "fullname", "original_image_url", "protected_profile"};
        const QStringList what = {
            "tweetid", "original_tweetid", "retweeted_name", "retweeted_by_me_id", "favorited",
            "place",   "reply_status_id",  "reply_name"};

        // Plain records: a tweet is its own original.
        QCOMPARE(
            fields(home, 0, who),
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
        QVariantMap plain = streamObject("home_status");
        plain.remove("entities");
        plain.insert("text", "  two  blanks\n and &amp; a line  ");
        Q_EMIT b->streamObject(StreamObjectType::HomeStatus, {plain});
        QCOMPARE(home->get(0).value("desc").toString(), QString("two blanks and &amp; a line"));
        QCOMPARE(home->get(0).value("status_text").toString(), QString("two blanks and & a line"));
    }
    void filterAndNamelessRecords()
    {
        ZirrupModel *search = view()->tweetSearchModel();
        const QVariantList records = page("home_first_page.json");

        // The filter matches name, full name or text exactly, letter case included.
        mergeFiltered(view(), 5, records, "Lunch");
        QCOMPARE(search->rowCount(), 7);
        for (const QString &text : column(search, "status_text"))
            QVERIFY(text.contains("Lunch"));
        search->clear();
        mergeFiltered(view(), 5, records, "lunch");
        mergeFiltered(view(), 5, records, "BOB");
        QCOMPARE(search->rowCount(), 0);
        mergeFiltered(view(), 5, records, "Carol Crane");
        QCOMPARE(search->rowCount(), 9);

        // A record without a screen name is left out of a page, but newer tweets keep it.
        QVariantList nameless = statuses(5000, 3);
        QVariantMap record = nameless.at(1).toMap();
        record.remove("user");
        nameless[1] = record;
        ZirrupModel *home = view()->timelineModel();
        b->complete(lastTimelineCall(TimelineType::Home), nameless);
        QCOMPARE(column(home, "tweetid"), QStringList {"5000"});
        h->updateTimelineView();
        b->complete(lastTimelineCall(TimelineType::Home), nameless);
        QCOMPARE(home->rowCount(), 4);
    }
    void sectionHeadingsOfALongList()
    {
        ZirrupModel *home = view()->timelineModel();
        b->complete(lastTimelineCall(TimelineType::Home), page("home_first_page.json"));
        h->moreTimelineView();
        b->complete(lastTimelineCall(TimelineType::Home), page("home_next_page.json"));
        // A time out of order and one that is no time at all among them.
        home->item(80)->setData(home->get(10).value("timestamp"), TimelineView::TimestampRole);
        home->item(60)->setData("garbage", TimelineView::TimestampRole);
        for (int row = 0; row < home->rowCount(); ++row)
            home->item(row)->setData("stale", TimelineView::SectionTimestampRole);

        // Now is such that rows 0 to 29 are in the newest band and the rest in the next.
        const QDateTime row30 = QLocale(QLocale::English, QLocale::UnitedStates)
                                    .toDateTime(home->get(30).value("timestamp").toString(),
                                                "ddd MMM dd hh:mm:ss yyyy");
        QVERIFY(row30.isValid());
        h->setClock([row30] { return row30.addSecs(25200); });
        view()->updateSectionData();
        QSet<QString> headings;
        for (int row = 0; row < home->rowCount(); ++row) {
            const QVariantMap values = home->get(row);
            QCOMPARE(values.value("section_timestamp").toString(),
                     h->createSectionTimeString(values.value("timestamp").toString()));
            headings.insert(values.value("section_timestamp").toString());
        }
        QCOMPARE(headings.size(), 3);
        QVERIFY(home->get(29).value("section_timestamp")
                != home->get(30).value("section_timestamp"));
    }
    void catchUp()
    {
        // The saved tweet is on the second page: one next page is asked for, then it ends.
        h->setCurrentVisibleTweetId("1000000000000001080");
        view()->setCatchingUp(true);
        QVERIFY(flag("timelineview_is_catching_up"));
        b->complete(lastTimelineCall(TimelineType::Home), page("home_first_page.json"));
        const ScriptedCall next = lastTimelineCall(TimelineType::Home);
        QCOMPARE(next.args.value("max_id"), heldBack);
        c->view().clearCalls();
        b->complete(next, page("home_next_page.json"));
        // The list scrolls to the row of the saved tweet.
        QCOMPARE(column(view()->timelineModel(), "tweetid").indexOf("1000000000000001080"), 71);
        QCOMPARE(c->view().lastArguments("restorePosition"), QVariantList {71});
        QVERIFY(!view()->isCatchingUp() && !flag("timelineview_is_catching_up"));
        QCOMPARE(h->currentVisibleTweetId(), QString());
        QCOMPARE(lastTimelineCall(TimelineType::Home).queryId, next.queryId);

        // Without a saved id it pages back until 150 rows, then gives up.
        start();
        view()->setCatchingUp(true);
        for (int page = 0; page < 3; ++page) {
            QVERIFY(view()->isCatchingUp());
            b->complete(lastTimelineCall(TimelineType::Home), statuses(9000 - 50 * page, 51));
        }
        QCOMPARE(view()->timelineModel()->rowCount(), 150);
        QVERIFY(!view()->isCatchingUp());
        QCOMPARE(c->view().callCount("restorePosition"), 0);
        QCOMPARE(b->calls("retrieveTimelineResources").size(), 4);

        // The oldest tweet reached: a page of one record is the last, nothing is asked again.
        start();
        h->setCurrentVisibleTweetId("42");
        view()->setCatchingUp(true);
        b->complete(lastTimelineCall(TimelineType::Home), statuses(7000, 51));
        const ScriptedCall last = lastTimelineCall(TimelineType::Home);
        b->complete(last, statuses(6950, 1));
        QVERIFY(!view()->isCatchingUp());
        QCOMPARE(lastTimelineCall(TimelineType::Home).queryId, last.queryId);
    }
    void streamObjectsOfEveryType()
    {
        ZirrupModel *home = view()->timelineModel();
        ZirrupModel *mentions = view()->mentionsModel();
        ScriptedTimelineNotifier *notifier = c->factory().timeline();
        b->complete(lastTimelineCall(TimelineType::Home), page("home_first_page.json"));
        const QString shown = column(home, "tweetid").at(1);

        int changes = notifier->changeCount();
        stream(StreamObjectType::HomeStatus, "home_status");
        QCOMPARE(home->rowCount(), 51);
        QCOMPARE(home->get(0).value("tweetid").toString(), QString("1000000000000001160"));
        QCOMPARE(notifier->changeCount(), ++changes);
        // A retweet of a tweet already shown adds nothing.
        stream(StreamObjectType::HomeStatus, "retweet_of_shown");
        QCOMPARE(home->rowCount(), 51);

        stream(StreamObjectType::Mention, "mention");
        QCOMPARE(column(mentions, "tweetid"), QStringList {"1000000000000001162"});
        QCOMPARE(home->rowCount(), 51);

        // Other people's favourites leave the user's own marks as they are.
        const int shownRow = column(home, "tweetid").indexOf(shown);
        stream(StreamObjectType::Unfavorite, "unfavorite");
        stream(StreamObjectType::Favorite, "favorite_by_other");
        QCOMPARE(home->get(shownRow).value("favorited").toBool(), false);

        stream(StreamObjectType::StatusDeletion, "delete_status");
        QVERIFY(!column(home, "tweetid").contains(newest));
        QCOMPARE(home->rowCount(), 50);
        QCOMPARE(notifier->changeCount(), ++changes);

        // Messages go to the messages side; the tweet lists stay as they are.
        ZirrupModel *messages = h->messagesView()->messageModel();
        const int messageRows = messages->rowCount();
        stream(StreamObjectType::DirectMessage, "direct_message");
        QCOMPARE(messages->rowCount(), messageRows + 1);
        stream(StreamObjectType::DirectMessageDeletion, "delete_direct_message");
        QCOMPARE(messages->rowCount(), messageRows);
        stream(StreamObjectType::Event, "favorite");
        QCOMPARE(home->rowCount(), 50);
        QCOMPARE(mentions->rowCount(), 1);
    }
};

QTEST_MAIN(TestTimelinePaging)
#include "tst_timelinepaging.moc"
