// Tweet actions and their patches of every list and of the open detail page, the detail data,
// link pictures, the tweet search and the pictures chosen for upload.

#include "timelinefixtures.h"

#include <QQuickItem>
#include <QtTest>

namespace {
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

class TestTimelineActions : public TimelineSession
{
    Q_OBJECT

private Q_SLOTS:
    void init() { start(); }
    void favouritesPatchEveryListAndReloadOwn()
    {
        const QVariantList records = page("home_first_page.json");
        b->complete(lastTimelineCall(TimelineType::Home), records);
        b->complete(lastTimelineCall(TimelineType::Mentions), records);
        h->updateUserTweets("bob");
        b->complete(lastTimelineCall(TimelineType::User), records);
        const QVariantMap tweet = records.constFirst().toMap();
        const QString id = tweet.value("id").toString();
        QQuickItem *detail = c->view().addItem("TweetView_" + id);

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
        QCOMPARE(b->lastCall("retrieveFavorites").args.value("screen_name"), QString("alice"));
        QCOMPARE(b->lastCall("retrieveFavorites").args.value("page"), QString("1"));
        QCOMPARE(view()->favoritesModel()->rowCount(), 0);
        QCOMPARE(view()->timelineModel()->get(0).value("favorited").toBool(), false);
        h->updateUserFavorites("bob");
        Q_EMIT b->streamObject(StreamObjectType::Favorite, {event});
        QCOMPARE(b->callCount("retrieveFavorites"), 3);
    }
    void retweetUndoAndDelete()
    {
        ZirrupModel *home = view()->timelineModel();
        ZirrupModel *mentions = view()->mentionsModel();
        b->complete(lastTimelineCall(TimelineType::Home), page("home_first_page.json"));
        // The same tweet shown as someone else's retweet among the mentions.
        const QVariantMap retweetByOther = streamObject("retweet_of_shown");
        Q_EMIT b->streamObject(StreamObjectType::Mention, {retweetByOther});
        const QString original = home->get(1).value("tweetid").toString();
        QCOMPARE(mentions->get(0).value("original_tweetid").toString(), original);
        h->setCurrentTweetId(original);
        QQuickItem *detail = c->view().addItem("TweetView_" + original);

        h->retweetMessage(original);
        const ScriptedCall retweet = b->lastCall("retweetStatus");
        QCOMPARE(query(retweet), "id=" + original);
        QCOMPARE(h->pendingQueryIds().retweet, retweet.queryId);
        const QString mine = "1000000000000001170";
        b->complete(retweet, {withId(retweetByOther, mine)});
        QCOMPARE(home->get(1).value("retweeted_by_me_id").toString(), mine);
        QCOMPARE(mentions->get(0).value("retweeted_by_me_id").toString(), mine);
        QCOMPARE(detail->property("tweet_retweeted_by_me_id").toString(), mine);

        // Undone: the marks go, and so does the user's own retweet row.
        h->updateRetweetedByMeView();
        QVariantMap own = withId(retweetByOther, mine);
        own.insert("user", streamObject("favorite").value("source"));
        b->complete(lastTimelineCall(TimelineType::RetweetedByMe), {own});
        QCOMPARE(view()->retweetedModel()->rowCount(), 1);
        h->undoRetweet(mine, original);
        QCOMPARE(query(b->lastCall("deleteStatus")), "id=" + mine + "&supl_id=" + original);
        Q_EMIT b->streamObject(StreamObjectType::StatusDeletion, {deletion(mine)});
        QCOMPARE(home->get(1).value("retweeted_by_me_id").toString(), QString());
        QCOMPARE(mentions->get(0).value("retweeted_by_me_id").toString(), QString());
        QCOMPARE(detail->property("tweet_retweeted_by_me_id").toString(), QString());
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
    void detailPageData()
    {
        const QVariantList records = page("home_first_page.json");
        b->complete(lastTimelineCall(TimelineType::Home), records);

        // A tweet of a list fills its page at once, while the service is asked.
        const QString reply = "1000000000000001149";
        QQuickItem *detail = c->view().addItem("TweetView_" + reply);
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
        QQuickItem *cachedPage = c->view().addItem("TweetView_" + originalId);
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
        QCOMPARE(fields(view()->timelineModel(), 2, {"image_url"}),
                 text("tweetview_profile_avatar"));
        QCOMPARE(text("tweetview_profile_avatar"), QString("image://avatar/carol"));

        // A favourite of a tweet that no list shows still marks its page.
        QVariantMap event = streamObject("favorite");
        event.insert("target_object", original);
        Q_EMIT b->streamObject(StreamObjectType::Favorite, {event});
        QCOMPARE(cachedPage->property("tweet_favorited").toBool(), true);
    }
    void linkPicturesAndPreview()
    {
        ZirrupModel *thumbs = view()->thumbModel();
        b->complete(lastTimelineCall(TimelineType::Home), page("home_single.json"));
        const QString id = view()->timelineModel()->get(0).value("tweetid").toString();
        view()->timelineModel()->item(0)->setData(
            "Pictures " + anchor("http://s/l/A", "http://example.org/a&amp;b.jpg") + " "
                + anchor("http://s/l/B", "www.imgzr.io/b.png") + " "
                + anchor("http://s/l/C", "http://example.org/a&amp;b.jpg") + " "
                + anchor("http://s/l/D", "http://example.org/page") + " " + anchor("#qt", "#qt"),
            TimelineView::DescRole);
        c->view().addItem("TweetView_" + id);

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
        b->setCachedFile("/tmp/thumbs/stored.png");
        b->setResult("retrieveTinyUrlImage", Zr::RequestAnswered);
        h->updateTweetView(id);
        QCOMPARE(thumbs->rowCount(), 2);
        QVERIFY(!flag("tinyurl_thumb_loading"));

        // The full-size preview of a picture of the service's own.
        b->setCachedFile(QString());
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
    void serviceAndLocalSearch()
    {
        ZirrupModel *results = view()->tweetSearchModel();

        h->searchTweets("#qt", "60.17", "24.94");
        const ScriptedCall search = b->lastCall("searchResources");
        QCOMPARE(search.type, int(SearchType::Tweets));
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
    void uploadPictures()
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

QTEST_MAIN(TestTimelineActions)
#include "tst_timelineactions.moc"
