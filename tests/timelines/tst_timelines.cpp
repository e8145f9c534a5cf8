// Driven through the controller against the scripted backend. Paging: timeline requests and
// pages, the mapping of status records, merging, catch-up and the stream. Actions: tweet actions
// and their patches of every list and of the open detail page, the detail data, link pictures, the
// tweet search and the pictures chosen for upload.

#include "areatestmain.h"
#include "recordcache.h"
#include "scriptedsession.h"
#include "scriptedtimelinenotifier.h"
#include "timelineview.h"

#include <QAbstractItemModelTester>
#include <QQuickItem>
#include <QtTest>

namespace {
const QString newest = QStringLiteral("1000000000000001151");
const QString heldBack = QStringLiteral("1000000000000001101");

// The merge of a page with a filter, as the local search runs it.
void mergeFiltered(TimelineView *view, int target, const QVariantList &data, const QString &filter)
{
    const QMetaObject *meta = view->metaObject();
    const int index = meta->indexOfSlot("onStatusesUpdated(View,QVariantList,bool,bool,QString)");
    QVERIFY(meta->method(index).invoke(
        view, Qt::DirectConnection, QGenericArgument("View", &target), Q_ARG(QVariantList, data),
        Q_ARG(bool, false), Q_ARG(bool, false), Q_ARG(QString, filter)));
}

QString anchor(const QString &target, const QString &display)
{
    return QStringLiteral("<a href=\"%1\" style=\"text-decoration:none; color:#4d6980\">%2</a>")
        .arg(target, display);
}

QVariantMap withId(QVariantMap record, const QString &id)
{
    record.insert("id", id);
    record.insert("id_str", id);
    return record;
}

QVariantMap deletion(const QString &id)
{
    return {{"delete", QVariantMap {{"status", QVariantMap {{"id", id}, {"id_str", id}}}}}};
}
} // namespace

class TestTimelines : public ScriptedSession
{
    Q_OBJECT

    TimelineView *view() const { return h->timelineView(); }
    // The newest timeline request of that type.
    ScriptedCall lastTimelineCall(int type = TimelineType::Home) const
    {
        return b->lastCall(QStringLiteral("retrieveTimelineResources"), type);
    }
    // An open detail page of the tweet, owned by the root page.
    QQuickItem *detailPage(const QString &id) const
    {
        auto *page = new QQuickItem(c->view().rootObject());
        page->setObjectName("TweetView_" + id);
        return page;
    }
    void stream(StreamObjectType::StreamObjectType type, const QString &name)
    {
        Q_EMIT b->streamObject(type, {streamObject(name)});
    }

    // Status records and stream objects in the service's JSON, decoded as the backend decodes them.
    static QVariantList page(const QString &fileName) { return fixtureFile(fileName).toList(); }
    static QVariantMap streamObject(const QString &name)
    {
        return fixtureFile(QStringLiteral("stream_objects.json")).toMap().value(name).toMap();
    }
    // count plain statuses of bob's with consecutive ids from newestId down.
    static QVariantList statuses(qint64 newestId, int count)
    {
        const QVariantMap model = page(QStringLiteral("home_single.json")).constFirst().toMap();
        QVariantList records;
        for (int i = 0; i < count; ++i)
            records.append(withId(model, QString::number(newestId - i)));
        return records;
    }

private Q_SLOTS:
    void init() { start(); }
    void pagingFirstPageNextPageAndNewerTweets()
    {
        ZirrupModel *home = view()->timelineModel();
        QAbstractItemModelTester tester(home,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        ScriptedTimelineNotifier *notifier = c->factory().timeline();

        // Sign-in asked for newer tweets of an empty list: that is the first page, without
        // since_id.
        const ScriptedCall first = lastTimelineCall();
        QCOMPARE(query(first), QString("count=51&include_entities=true&include_my_retweet=true"));
        QVERIFY(first.behavior == Zr::CacheThenNetwork && first.listPassed
                && flag("timelineview_is_refreshing"));

        const int changes = notifier->changeCount();
        b->complete(first, page("home_first_page.json"));
        QCOMPARE(home->rowCount(), 50);
        QCOMPARE(values({"timelineview_is_refreshing", "timelineview_more_tweets_available"}),
                 QString("false|true"));
        QCOMPARE(notifier->changeCount(), changes + 1);

        // The next page starts at the held-back record, which arrives with it.
        h->moreTimelineView();
        const ScriptedCall more = lastTimelineCall();
        QCOMPARE(more.args.value("max_id"), heldBack);
        QVERIFY(flag("timelineview_is_loading_more"));
        b->complete(more, page("home_next_page.json"));
        QVERIFY(!flag("timelineview_is_loading_more"));
        const QStringList ids = column(home, "tweetid");
        QStringList newestFirst = ids; // all ids have the same number of digits
        std::sort(newestFirst.begin(), newestFirst.end(), std::greater<QString>());
        QVERIFY(ids.size() == 100 && ids.at(50) == heldBack && ids == newestFirst);

        // Section headings of the long list, with a time out of order and one that is no time at
        // all among them.
        home->item(80)->setData(home->get(10).value("timestamp"), TimelineView::TimestampRole);
        home->item(60)->setData("garbage", TimelineView::TimestampRole);
        for (int row = 0; row < home->rowCount(); ++row)
            home->item(row)->setData("stale", TimelineView::SectionTimestampRole);

        // Now is such that rows 0 to 29 are in the newest band and the rest in the next.
        const QDateTime row30 = QLocale(QLocale::English, QLocale::UnitedStates)
                                    .toDateTime(home->get(30).value("timestamp").toString(),
                                                "ddd MMM dd hh:mm:ss yyyy");
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

        // Newer tweets go on top, in the order delivered.
        h->updateTimelineView();
        const ScriptedCall newer = lastTimelineCall();
        QCOMPARE(query(newer),
                 "count=51&include_entities=true&include_my_retweet=true&since_id=" + newest);
        b->complete(newer, page("home_newer.json"));
        QCOMPARE(home->rowCount(), 103);
        QCOMPARE(column(home, "tweetid").mid(0, 4),
                 (QStringList {"1000000000000001154", "1000000000000001153", "1000000000000001152",
                               newest}));

        // A first page of one record replaces the list and ends paging.
        h->refreshTimelineView();
        b->complete(lastTimelineCall(), page("home_single.json"));
        QCOMPARE(column(home, "tweetid"), QStringList {newest});
        QVERIFY(!flag("timelineview_more_tweets_available"));
    }
    void pagingCachedAndSupersededDeliveries()
    {
        ZirrupModel *home = view()->timelineModel();
        const ScriptedCall signInPage = lastTimelineCall();

        // Cached records show at once, all of them, set no max_id; the request stays outstanding.
        b->setCachedRecords("retrieveTimelineResources", page("home_first_page.json"));
        h->refreshTimelineView();
        const ScriptedCall reload = lastTimelineCall();
        QCOMPARE(home->rowCount(), 51);
        QVERIFY(flag("timelineview_is_refreshing"));
        QVERIFY(!flag("timelineview_more_tweets_available"));
        h->moreTimelineView();
        QCOMPARE(lastTimelineCall().args.value("max_id"), QString("0"));

        // An answer whose id was replaced by a newer request changes nothing.
        b->complete(signInPage, page("home_single.json"));
        QCOMPARE(home->rowCount(), 51);
        QVERIFY(flag("timelineview_is_refreshing"));

        b->complete(reload, page("home_next_page.json"));
        QCOMPARE(column(home, "tweetid").constFirst(), heldBack);
        QCOMPARE(home->rowCount(), 50);
        QVERIFY(flag("timelineview_more_tweets_available"));
    }
    void pagingCachedHomeBeforeLogin()
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
    void pagingUserTweetsFavouritesAndLists()
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
        const ScriptedCall list = b->lastCall("retrieveList", ListType::Statuses);
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
    }
    void pagingErrorsLowerTheirFlags()
    {
        ScriptedView &root = c->view();
        h->setCurrentVisibleTweetId(newest);
        view()->setCatchingUp(true);

        // The silent first mentions page fails quietly.
        b->fail(lastTimelineCall(TimelineType::Mentions), "Internal error");
        QVERIFY(!flag("mentions_is_refreshing"));
        QCOMPARE(root.callCount("showError"), 0);

        b->fail(lastTimelineCall(), "Internal error");
        QCOMPARE(values({"timelineview_is_refreshing", "timelineview_is_catching_up"}),
                 QString("false|false"));
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
    void pagingFilterAndNamelessRecords()
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
        b->complete(lastTimelineCall(), nameless);
        QCOMPARE(column(home, "tweetid"), QStringList {"5000"});
        h->updateTimelineView();
        b->complete(lastTimelineCall(), nameless);
        QCOMPARE(home->rowCount(), 4);
    }
    void pagingCatchUp()
    {
        // The saved tweet is on the second page: one next page is asked for, then it ends.
        h->setCurrentVisibleTweetId("1000000000000001080");
        view()->setCatchingUp(true);
        QVERIFY(flag("timelineview_is_catching_up"));
        b->complete(lastTimelineCall(), page("home_first_page.json"));
        const ScriptedCall next = lastTimelineCall();
        QCOMPARE(next.args.value("max_id"), heldBack);
        c->view().clearCalls();
        b->complete(next, page("home_next_page.json"));
        // The list scrolls to the row of the saved tweet.
        QCOMPARE(c->view().lastArguments("restorePosition"), QVariantList {71});
        QVERIFY(!view()->isCatchingUp() && !flag("timelineview_is_catching_up"));
        QCOMPARE(h->currentVisibleTweetId(), QString());
        QCOMPARE(lastTimelineCall().queryId, next.queryId);

        // Without a saved id it pages back until 150 rows, then gives up.
        start();
        view()->setCatchingUp(true);
        for (int page = 0; page < 3; ++page) {
            QVERIFY(view()->isCatchingUp());
            b->complete(lastTimelineCall(), statuses(9000 - 50 * page, 51));
        }
        QCOMPARE(view()->timelineModel()->rowCount(), 150);
        QVERIFY(!view()->isCatchingUp());
        QCOMPARE(c->view().callCount("restorePosition"), 0);
        QCOMPARE(b->calls("retrieveTimelineResources").size(), 4);

        // The oldest tweet reached: a page of one record is the last, nothing is asked again.
        start();
        h->setCurrentVisibleTweetId("42");
        view()->setCatchingUp(true);
        b->complete(lastTimelineCall(), statuses(7000, 51));
        const ScriptedCall last = lastTimelineCall();
        b->complete(last, statuses(6950, 1));
        QVERIFY(!view()->isCatchingUp());
        QCOMPARE(lastTimelineCall().queryId, last.queryId);
    }
    void pagingMappingAndStreamObjectsOfEveryType()
    {
        ZirrupModel *home = view()->timelineModel();
        ZirrupModel *mentions = view()->mentionsModel();
        ScriptedTimelineNotifier *notifier = c->factory().timeline();
        b->complete(lastTimelineCall(), page("home_first_page.json"));
        const QString shown = column(home, "tweetid").at(1);

        // Plain records are their own originals; row 3 is someone else's retweet of a tweet the
        // user has retweeted too, row 5 the user's own; the service escapes once, "&amp;lt;" of
        // row 6 is decoded all the way down as well.
        const QVariantMap rows = fixtureFile("home_first_page_rows.json").toMap();
        for (auto row = rows.cbegin(); row != rows.cend(); ++row) {
            const QVariantMap values = home->get(row.key().toInt());
            const QVariantMap expected = row.value().toMap();
            for (auto role = expected.cbegin(); role != expected.cend(); ++role)
                QCOMPARE(row.key() + ' ' + role.key() + '=' + values.value(role.key()).toString(),
                         row.key() + ' ' + role.key() + '=' + role.value().toString());
        }

        // Objects of the stream.
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
        QVERIFY(home->rowCount() == 50 && !column(home, "tweetid").contains(newest));
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

        // Without entities the text is not marked up, only its white space collapsed.
        QVariantMap plain = withId(streamObject("home_status"), "1000000000000001190");
        plain.remove("entities");
        plain.insert("text", "  two  blanks\n and &amp; a line  ");
        Q_EMIT b->streamObject(StreamObjectType::HomeStatus, {plain});
        QCOMPARE(home->get(0).value("desc").toString(), QString("two blanks and &amp; a line"));
        QCOMPARE(home->get(0).value("status_text").toString(), QString("two blanks and & a line"));
    }
    void actionsFavouritesPatchEveryListAndReloadOwn()
    {
        const QVariantList records = page("home_first_page.json");
        b->complete(lastTimelineCall(), records);
        b->complete(lastTimelineCall(TimelineType::Mentions), records);
        h->updateUserTweets("bob");
        b->complete(lastTimelineCall(TimelineType::User), records);
        const QVariantMap tweet = records.constFirst().toMap();
        const QString id = tweet.value("id").toString();
        QQuickItem *detail = detailPage(id);

        h->favoriteTweet(id, true);
        QCOMPARE(query(b->lastCall("createFavorite")), "id=" + id + "&include_entities=true");
        h->favoriteTweet(id, false);
        QCOMPARE(b->lastCall("destroyFavorite").args.value("id"), id);

        // The change comes back on the stream and marks the tweet in every list and on its page.
        QVariantMap event = streamObject("favorite");
        event.insert("target_object", tweet);
        Q_EMIT b->streamObject(StreamObjectType::Favorite, {event});
        for (ZirrupModel *model :
             {view()->timelineModel(), view()->mentionsModel(), view()->tweetsModel()})
            QCOMPARE(model->get(0).value("favorited").toBool(), true);
        QCOMPARE(detail->property("tweet_favorited").toBool(), true);
        QCOMPARE(b->callCount("retrieveFavorites"), 0);

        // The user's own favourites reload with every change; someone else's do not.
        h->updateUserFavorites("alice", true);
        b->complete(b->lastCall("retrieveFavorites"), records);
        QCOMPARE(view()->favoritesModel()->rowCount(), 51);
        Q_EMIT b->streamObject(StreamObjectType::Unfavorite, {event});
        QCOMPARE(b->callCount("retrieveFavorites"), 2);
        QCOMPARE(query(b->lastCall("retrieveFavorites")),
                 QString("include_entities=true&include_my_retweet=true&page=1&screen_name=alice"));
        QCOMPARE(view()->favoritesModel()->rowCount(), 0);
        QCOMPARE(view()->timelineModel()->get(0).value("favorited").toBool(), false);
        h->updateUserFavorites("bob");
        Q_EMIT b->streamObject(StreamObjectType::Favorite, {event});
        QCOMPARE(b->callCount("retrieveFavorites"), 3);
    }
    void actionsRetweetUndoAndDelete()
    {
        ZirrupModel *home = view()->timelineModel();
        ZirrupModel *mentions = view()->mentionsModel();
        b->complete(lastTimelineCall(), page("home_first_page.json"));
        // The same tweet shown as someone else's retweet among the mentions.
        const QVariantMap retweetByOther = streamObject("retweet_of_shown");
        Q_EMIT b->streamObject(StreamObjectType::Mention, {retweetByOther});
        const QString original = home->get(1).value("tweetid").toString();
        QCOMPARE(mentions->get(0).value("original_tweetid").toString(), original);
        h->setCurrentTweetId(original);
        QQuickItem *detail = detailPage(original);

        h->retweetMessage(original);
        const ScriptedCall retweet = b->lastCall("retweetStatus");
        QCOMPARE(query(retweet), "id=" + original);
        const QString mine = "1000000000000001170";
        b->complete(retweet, {withId(retweetByOther, mine)});
        // The user's retweet id in both lists and on the page.
        const auto marks = [&] {
            return fields(home, 1, {"retweeted_by_me_id"})
                + fields(mentions, 0, {"retweeted_by_me_id"})
                + fields(detail, {"tweet_retweeted_by_me_id"});
        };
        QCOMPARE(marks(), mine + mine + mine);

        // Undone: the marks go, and so does the user's own retweet row.
        h->updateRetweetedByMeView();
        QVariantMap own = withId(retweetByOther, mine);
        own.insert("user", streamObject("favorite").value("source"));
        b->complete(lastTimelineCall(TimelineType::RetweetedByMe), {own});
        QCOMPARE(view()->retweetedModel()->rowCount(), 1);
        h->undoRetweet(mine, original);
        QCOMPARE(query(b->lastCall("deleteStatus")), "id=" + mine + "&supl_id=" + original);
        Q_EMIT b->streamObject(StreamObjectType::StatusDeletion, {deletion(mine)});
        QCOMPARE(marks(), QString());
        QCOMPARE(view()->retweetedModel()->rowCount(), 0);

        // A deleted tweet leaves every list, every copy of it, adjacent ones included.
        const QVariantMap fresh = streamObject("home_status");
        for (int copy = 0; copy < 2; ++copy) {
            Q_EMIT b->streamObject(StreamObjectType::HomeStatus, {fresh});
            Q_EMIT b->streamObject(StreamObjectType::Mention, {fresh});
        }
        QCOMPARE(home->rowCount(), 52);
        h->deleteTweet(fresh.value("id").toString());
        QCOMPARE(query(b->lastCall("deleteStatus")), "id=" + fresh.value("id").toString());
        Q_EMIT b->streamObject(StreamObjectType::StatusDeletion,
                               {deletion(fresh.value("id").toString())});
        QCOMPARE(home->rowCount(), 50);
        QCOMPARE(mentions->rowCount(), 1);
    }
    void actionsDetailPageData()
    {
        const QVariantList records = page("home_first_page.json");
        b->complete(lastTimelineCall(), records);

        // A tweet of a list fills its page at once, while the service is asked.
        const QString reply = "1000000000000001149";
        QQuickItem *detail = detailPage(reply);
        h->updateTweetView(reply);
        const ScriptedCall request = b->lastCall("retrieveStatus");
        QCOMPARE(query(request), "id=" + reply + "&include_entities=true&include_my_retweet=true");
        QVERIFY(h->currentTweetId() == reply && flag("tweetview_loading"));
        const QStringList shown = {
            "tweet_name",       "tweet_firstname",         "tweet_tweetid",
            "tweet_reply_name", "tweet_protected_profile", "tweet_original_status"};
        QCOMPARE(fields(detail, shown),
                 "carol|Carol Crane|" + reply
                     + "|bob|true|Qt 6 & QML: bindings all the way down #qt");

        // The service's answer rewrites it.
        QVariantMap changed = records.at(2).toMap();
        changed.insert("text", "Edited &amp; more");
        b->complete(request, {changed});
        QVERIFY(!flag("tweetview_loading"));
        QCOMPARE(detail->property("tweet_original_status").toString(), QString("Edited & more"));

        // A cached record fills the page at once, with the user's retweet of it.
        const QString originalId = "1000000000000000999";
        const QVariantMap original =
            withId(records.at(3).toMap().value("retweeted_status").toMap(), originalId);
        QQuickItem *cachedPage = detailPage(originalId);
        b->setCachedRecords("retrieveStatus", {original});
        h->updateTweetView(originalId);
        QCOMPARE(fields(cachedPage, {"tweet_name", "tweet_retweeted_by_me_id"}),
                 QString("dave|1000000000000901148"));
        // The late answer to the earlier request is not for the page shown now.
        QVERIFY(flag("tweetview_loading"));
        b->complete(request, {changed});
        QVERIFY(flag("tweetview_loading"));

        // A loaded avatar of the list size replaces the author's picture in every row.
        h->emitUserImageLoaded("carol", ProfileView::ImageSizeOriginal, "image://avatar/big");
        h->emitUserImageLoaded("carol", ProfileView::ImageSizeBigger, "image://avatar/carol");
        QCOMPARE(fields(view()->timelineModel(), 2, {"image_url"}) + "|"
                     + text("tweetview_profile_avatar"),
                 QString("image://avatar/carol|image://avatar/carol"));

        // A favourite of a tweet that no list shows still marks its page.
        QVariantMap event = streamObject("favorite");
        event.insert("target_object", original);
        Q_EMIT b->streamObject(StreamObjectType::Favorite, {event});
        QCOMPARE(cachedPage->property("tweet_favorited").toBool(), true);
    }
    void actionsLinkPicturesAndPreview()
    {
        ZirrupModel *thumbs = view()->thumbModel();
        b->complete(lastTimelineCall(), page("home_single.json"));
        const QString id = view()->timelineModel()->get(0).value("tweetid").toString();
        view()->timelineModel()->item(0)->setData(
            "Pictures " + anchor("http://s/l/A", "http://example.org/a&amp;b.jpg") + " "
                + anchor("http://s/l/B", "www.imgzr.io/b.png") + " "
                + anchor("http://s/l/C", "http://example.org/a&amp;b.jpg") + " "
                + anchor("http://s/l/D", "http://example.org/page") + " " + anchor("#qt", "#qt"),
            TimelineView::DescRole);
        detailPage(id);

        // Each picture link once, by its real address; a page link is not a picture.
        h->updateTweetView(id);
        const QList<ScriptedCall> requests = b->calls("retrieveTinyUrlImage");
        QCOMPARE(requests.size(), 2);
        QCOMPARE(requests.at(0).args.value("image_url"), QString("http://example.org/a&b.jpg"));
        QCOMPARE(query(requests.at(1)), QString("as_thumb=1&image_url=http://www.imgzr.io/b.png"));
        QVERIFY(flag("tinyurl_thumb_loading"));
        b->complete(requests.at(0), {"/tmp/thumbs/a.png"});
        QCOMPARE(fields(thumbs, 0, {"pic_source", "pic_url"}),
                 QString("file:///tmp/thumbs/a.png|http://example.org/a&b.jpg"));
        QVERIFY(flag("tinyurl_thumb_loading"));
        b->fail(requests.at(1), "Not found");
        QVERIFY(!flag("tinyurl_thumb_loading"));
        QCOMPARE(thumbs->rowCount(), 1);

        // Pictures already on the device show at once, without a loading state.
        b->setCachedRecords("retrieveTinyUrlImage", {"/tmp/thumbs/stored.png"});
        b->setResult("retrieveTinyUrlImage", Zr::RequestAnswered);
        h->updateTweetView(id);
        QCOMPARE(thumbs->rowCount(), 2);
        QVERIFY(!flag("tinyurl_thumb_loading"));

        // The full-size preview of a picture of the service's own.
        b->setCachedRecords("retrieveTinyUrlImage", {});
        b->setResult("retrieveTinyUrlImage", Zr::RequestSent);
        h->updateImagePreview("$http://127.0.0.1:8123/media/pics/1000000000000900001.jpg");
        const ScriptedCall preview = b->lastCall("retrieveTinyUrlImage");
        QCOMPARE(query(preview),
                 QString("direct_url=1&image_id=1000000000000900001.jpg&"
                         "image_url=http://127.0.0.1:8123/media/pics/"
                         "1000000000000900001.jpg"));
        QCOMPARE(values({"tinyurl_preview_loading", "tinyUrlPreview"}), QString("true|"));
        b->complete(preview, {"/tmp/large.jpg"});
        QCOMPARE(values({"tinyurl_preview_loading", "tinyUrlPreview"}),
                 QString("false|file:///tmp/large.jpg"));
        QCOMPARE(thumbs->rowCount(), 2);
    }
    void actionsServiceAndLocalSearch()
    {
        ZirrupModel *results = view()->tweetSearchModel();

        h->searchTweets("#qt", "60.17", "24.94");
        const ScriptedCall search = b->lastCall("searchResources", SearchType::Tweets);
        QCOMPARE(query(search),
                 QString("geocode=60.17,24.94,15mi&include_entities=true&q=#qt&"
                         "rpp=10&with_zirrup_user_id=true"));
        QCOMPARE(h->currentSearchString(), QString("#qt"));
        QVERIFY(flag("searchview_searching_tweets"));
        const QVariant answer = fixtureFile("search_answer.json");
        b->complete(search, {answer});
        QCOMPARE(results->rowCount(), 9);
        // Search results name their author at the top level.
        QCOMPARE(
            fields(results, 0, {"name", "fullname", "original_image_url", "protected_profile"}),
            QString("bob|Bob Baker|http://127.0.0.1:8123/media/avatars/1845_2_normal.png|false"));
        QCOMPARE(values({"searchview_searching_tweets", "searchview_more_tweets_available"}),
                 QString("false|true"));
        h->searchMoreTweets();
        const QVariantList found = answer.toMap().value("results").toList();
        QCOMPARE(b->lastCall("searchResources").args.value("max_id"),
                 found.constLast().toMap().value("id").toString());
        QCOMPARE(b->lastCall("searchResources").args.value("geocode"), QString("60.17,24.94,15mi"));
        QVERIFY(flag("searchview_searching_more_tweets"));
        h->searchTweets("#qt", "60.17", QString());
        QVERIFY(!b->lastCall("searchResources").args.contains("geocode"));
        // Searching for nothing only clears the results.
        h->searchTweets(" ", "60.17", "24.94");
        QCOMPARE(b->calls("searchResources").size(), 3);
        QVERIFY(!flag("searchview_searching_tweets"));

        // The local search runs after a pause, once per call, each with the newest text, over
        // cached records only; all of them are results.
        b->setResult("retrieveTimelineResources", Zr::RequestAnswered);
        b->setCachedRecords("retrieveTimelineResources", page("home_first_page.json").mid(0, 5));
        h->searchTimeline("Lun");
        h->searchTimeline("Lunch");
        QVERIFY(flag("searchview_searching_tweets"));
        QTRY_COMPARE(b->calls("retrieveTimelineResources").size(), 4);
        QVERIFY(!flag("searchview_searching_tweets"));
        for (const ScriptedCall &call : b->calls("retrieveTimelineResources").mid(2)) {
            QCOMPARE(query(call), QString("count=51&query=Lunch"));
            QCOMPARE(call.behavior, int(Zr::CacheOnly));
        }
        QCOMPARE(results->rowCount(), 5);
        h->cleanSearchResults();
        QCOMPARE(results->rowCount(), 0);
    }
    void actionsUploadPictures()
    {
        TimelineView *timelines = view();
        timelines->addUploadImage("file:///pics/a.jpg", true, 0.75f);
        timelines->addUploadImage("file:///pics/b.jpg", false, 1.5f);
        QCOMPARE(timelines->uploadImages(),
                 (QList<QPair<QString, bool>> {{"file:///pics/b.jpg", false}}));
        QCOMPARE(fields(timelines->uploadModel(), 0, {"role_aspect_ratio"}), QString("1.5"));
        timelines->removeUploadImage("file:///pics/a.jpg");
        QCOMPARE(timelines->uploadImageCount(), 1);
        timelines->removeUploadImage("file:///pics/b.jpg");
        QCOMPARE(timelines->uploadImageCount(), 0);
    }
};

ZIRRUP_AREA_TEST_MAIN(TestTimelines)
#include "tst_timelines.moc"
