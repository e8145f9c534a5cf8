// Tweet actions and their patches of every list and of the open detail page, the detail data,
// link pictures, the tweet search and the pictures chosen for upload.

#include "datahandler.h"
#include "timelineharness.h"
#include "zirrupmodel.h"

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

class TestTimelineActions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void favouritesPatchEveryListAndReloadOwn();
    void retweetUndoAndDelete();
    void detailPageData();
    void linkPicturesAndPreview();
    void serviceAndLocalSearch();
    void uploadPictures();
};

void TestTimelineActions::favouritesPatchEveryListAndReloadOwn()
{
    TimelineHarness h;
    DataHandler *d = h.handler();
    ScriptedBackend *b = h.backend();
    const QVariantList page = h.page("home_first_page.json");
    b->complete(h.lastTimelineCall(TimelineType::Home), page);
    b->complete(h.lastTimelineCall(TimelineType::Mentions), page);
    d->updateUserTweets("bob");
    b->complete(h.lastTimelineCall(TimelineType::User), page);
    const QVariantMap tweet = page.constFirst().toMap();
    const QString id = tweet.value("id").toString();
    QQuickItem *detail = h.controller().view().addItem("TweetView_" + id);

    d->favoriteTweet(id, true);
    QCOMPARE(query(b->lastCall("createFavorite")), "id=" + id + "&include_entities=true");
    d->favoriteTweet(id, false);
    QCOMPARE(b->lastCall("destroyFavorite").args.value("id"), id);

    // The change comes back on the stream and marks the tweet in every list and on its page.
    QVariantMap event = TimelineHarness::streamObject("favorite");
    event.insert("target_object", tweet);
    Q_EMIT b->streamObject(StreamObjectType::Favorite, {event});
    for (ZirrupModel *model :
         {h.view()->timelineModel(), h.view()->mentionsModel(), h.view()->tweetsModel()})
        QCOMPARE(model->get(0).value("favorited").toBool(), true);
    QCOMPARE(detail->property("tweet_favorited").toBool(), true);
    QCOMPARE(b->callCount("retrieveFavorites"), 0);

    // The user's own favourites reload with every change; someone else's do not.
    d->updateUserFavorites("alice", true);
    b->complete(b->lastCall("retrieveFavorites"), page);
    QCOMPARE(h.view()->favoritesModel()->rowCount(), 51);
    Q_EMIT b->streamObject(StreamObjectType::Unfavorite, {event});
    QCOMPARE(b->callCount("retrieveFavorites"), 2);
    QCOMPARE(b->lastCall("retrieveFavorites").args.value("screen_name"), QString("alice"));
    QCOMPARE(b->lastCall("retrieveFavorites").args.value("page"), QString("1"));
    QCOMPARE(h.view()->favoritesModel()->rowCount(), 0);
    QCOMPARE(h.view()->timelineModel()->get(0).value("favorited").toBool(), false);
    d->updateUserFavorites("bob");
    Q_EMIT b->streamObject(StreamObjectType::Favorite, {event});
    QCOMPARE(b->callCount("retrieveFavorites"), 3);
}

void TestTimelineActions::retweetUndoAndDelete()
{
    TimelineHarness h;
    DataHandler *d = h.handler();
    ScriptedBackend *b = h.backend();
    ZirrupModel *home = h.view()->timelineModel();
    ZirrupModel *mentions = h.view()->mentionsModel();
    b->complete(h.lastTimelineCall(TimelineType::Home), h.page("home_first_page.json"));
    // The same tweet shown as someone else's retweet among the mentions.
    const QVariantMap retweetByOther = TimelineHarness::streamObject("retweet_of_shown");
    Q_EMIT b->streamObject(StreamObjectType::Mention, {retweetByOther});
    const QString original = home->get(1).value("tweetid").toString();
    QCOMPARE(mentions->get(0).value("original_tweetid").toString(), original);
    d->setCurrentTweetId(original);
    QQuickItem *detail = h.controller().view().addItem("TweetView_" + original);

    d->retweetMessage(original);
    const ScriptedCall retweet = b->lastCall("retweetStatus");
    QCOMPARE(query(retweet), "id=" + original);
    QCOMPARE(d->pendingQueryIds().retweet, retweet.queryId);
    const QString mine = "1000000000000001170";
    b->complete(retweet, {withId(retweetByOther, mine)});
    QCOMPARE(home->get(1).value("retweeted_by_me_id").toString(), mine);
    QCOMPARE(mentions->get(0).value("retweeted_by_me_id").toString(), mine);
    QCOMPARE(detail->property("tweet_retweeted_by_me_id").toString(), mine);

    // Undone: the marks go, and so does the user's own retweet row.
    d->updateRetweetedByMeView();
    QVariantMap own = withId(retweetByOther, mine);
    own.insert("user", TimelineHarness::streamObject("favorite").value("source"));
    b->complete(h.lastTimelineCall(TimelineType::RetweetedByMe), {own});
    QCOMPARE(h.view()->retweetedModel()->rowCount(), 1);
    d->undoRetweet(mine, original);
    QCOMPARE(query(b->lastCall("deleteStatus")), "id=" + mine + "&supl_id=" + original);
    Q_EMIT b->streamObject(StreamObjectType::StatusDeletion, {deletion(mine)});
    QCOMPARE(home->get(1).value("retweeted_by_me_id").toString(), QString());
    QCOMPARE(mentions->get(0).value("retweeted_by_me_id").toString(), QString());
    QCOMPARE(detail->property("tweet_retweeted_by_me_id").toString(), QString());
    QCOMPARE(h.view()->retweetedModel()->rowCount(), 0);

    // A deleted tweet leaves every list, every copy of it, adjacent ones included.
    const QVariantMap fresh = TimelineHarness::streamObject("home_status");
    for (int copy = 0; copy < 2; ++copy) {
        Q_EMIT b->streamObject(StreamObjectType::HomeStatus, {fresh});
        Q_EMIT b->streamObject(StreamObjectType::Mention, {fresh});
    }
    QCOMPARE(home->rowCount(), 52);
    d->deleteTweet(fresh.value("id").toString());
    QCOMPARE(query(b->lastCall("deleteStatus")), "id=" + fresh.value("id").toString());
    Q_EMIT b->streamObject(StreamObjectType::StatusDeletion,
                           {deletion(fresh.value("id").toString())});
    QCOMPARE(home->rowCount(), 50);
    QCOMPARE(mentions->rowCount(), 1);
}

void TestTimelineActions::detailPageData()
{
    TimelineHarness h;
    DataHandler *d = h.handler();
    ScriptedBackend *b = h.backend();
    const QVariantList page = h.page("home_first_page.json");
    b->complete(h.lastTimelineCall(TimelineType::Home), page);

    // A tweet of a list fills its page at once, while the service is asked.
    const QString reply = "1000000000000001149";
    QQuickItem *detail = h.controller().view().addItem("TweetView_" + reply);
    d->updateTweetView(reply);
    const ScriptedCall request = b->lastCall("retrieveStatus");
    QCOMPARE(query(request), "id=" + reply + "&include_entities=true&include_my_retweet=true");
    QVERIFY(d->currentTweetId() == reply && h.flag("tweetview_loading"));
    const QStringList shown = {
        "tweet_name",       "tweet_firstname",         "tweet_tweetid",
        "tweet_reply_name", "tweet_protected_profile", "tweet_original_status"};
    QCOMPARE(fields(detail, shown),
             "carol|Carol Crane|" + reply + "|bob|true|Qt 6 & QML: bindings all the way down #qt");

    // The service's answer rewrites it.
    QVariantMap changed = page.at(2).toMap();
    changed.insert("text", "Edited &amp; more");
    b->complete(request, {changed});
    QVERIFY(!h.flag("tweetview_loading"));
    QCOMPARE(detail->property("tweet_original_status").toString(), QString("Edited & more"));

    // A cached record fills the page at once, with the user's retweet of it.
    const QString originalId = "1000000000000000999";
    const QVariantMap original =
        withId(page.at(3).toMap().value("retweeted_status").toMap(), originalId);
    QQuickItem *cachedPage = h.controller().view().addItem("TweetView_" + originalId);
    b->setCachedRecords("retrieveStatus", {original});
    d->updateTweetView(originalId);
    QCOMPARE(fields(cachedPage, {"tweet_name", "tweet_retweeted_by_me_id"}),
             QString("dave|1000000000000901148"));
    // The late answer to the earlier request is not for the page shown now.
    QVERIFY(h.flag("tweetview_loading"));
    b->complete(request, {changed});
    QVERIFY(h.flag("tweetview_loading"));

    // A loaded avatar of the list size replaces the author's picture in every row.
    d->emitUserImageLoaded("carol", ProfileView::ImageSizeOriginal, "image://avatar/big");
    d->emitUserImageLoaded("carol", ProfileView::ImageSizeBigger, "image://avatar/carol");
    QCOMPARE(fields(h.view()->timelineModel(), 2, {"image_url"}),
             h.text("tweetview_profile_avatar"));
    QCOMPARE(h.text("tweetview_profile_avatar"), QString("image://avatar/carol"));

    // A favourite of a tweet that no list shows still marks its page.
    QVariantMap event = TimelineHarness::streamObject("favorite");
    event.insert("target_object", original);
    Q_EMIT b->streamObject(StreamObjectType::Favorite, {event});
    QCOMPARE(cachedPage->property("tweet_favorited").toBool(), true);
}

void TestTimelineActions::linkPicturesAndPreview()
{
    TimelineHarness h;
    DataHandler *d = h.handler();
    ScriptedBackend *b = h.backend();
    ZirrupModel *thumbs = h.view()->thumbModel();
    b->complete(h.lastTimelineCall(TimelineType::Home), h.page("home_single.json"));
    const QString id = h.view()->timelineModel()->get(0).value("tweetid").toString();
    h.view()->timelineModel()->item(0)->setData(
        "Pictures " + anchor("http://s/l/A", "http://example.org/a.jpg") + " "
            + anchor("http://s/l/B", "www.imgzr.io/b.png") + " "
            + anchor("http://s/l/C", "http://example.org/a.jpg") + " "
            + anchor("http://s/l/D", "http://example.org/page") + " " + anchor("#qt", "#qt"),
        TimelineView::DescRole);
    h.controller().view().addItem("TweetView_" + id);

    // Each picture link once; a page link is not a picture.
    d->updateTweetView(id);
    const QList<ScriptedCall> requests = b->calls("retrieveTinyUrlImage");
    QCOMPARE(requests.size(), 2);
    QCOMPARE(query(requests.at(0)), QString("as_thumb=1&image_url=http://example.org/a.jpg"));
    QCOMPARE(query(requests.at(1)), QString("as_thumb=1&image_url=http://www.imgzr.io/b.png"));
    QVERIFY(h.flag("tinyurl_thumb_loading"));
    b->complete(requests.at(0), {"/tmp/thumbs/a.png"});
    QCOMPARE(fields(thumbs, 0, {"pic_source", "pic_url"}),
             QString("file:///tmp/thumbs/a.png|http://example.org/a.jpg"));
    QVERIFY(h.flag("tinyurl_thumb_loading"));
    b->fail(requests.at(1), "Not found");
    QVERIFY(!h.flag("tinyurl_thumb_loading"));
    QCOMPARE(thumbs->rowCount(), 1);

    // Pictures already on the device show at once, without a loading state.
    b->setCachedFile("/tmp/thumbs/stored.png");
    b->setResult("retrieveTinyUrlImage", Zr::RequestAnswered);
    d->updateTweetView(id);
    QCOMPARE(thumbs->rowCount(), 2);
    QVERIFY(!h.flag("tinyurl_thumb_loading"));

    // The full-size preview of a picture of the service's own.
    b->setCachedFile(QString());
    b->setResult("retrieveTinyUrlImage", Zr::RequestSent);
    d->updateImagePreview("$http://127.0.0.1:8123/media/pics/1000000000000900001.jpg");
    const ScriptedCall preview = b->lastCall("retrieveTinyUrlImage");
    QCOMPARE(query(preview),
             QString("direct_url=1&image_id=1000000000000900001.jpg&"
                     "image_url=http://127.0.0.1:8123/media/pics/"
                     "1000000000000900001.jpg"));
    QVERIFY(h.flag("tinyurl_preview_loading"));
    QCOMPARE(h.text("tinyUrlPreview"), QString());
    b->complete(preview, {"/tmp/large.jpg"});
    QVERIFY(!h.flag("tinyurl_preview_loading"));
    QCOMPARE(h.text("tinyUrlPreview"), QString("file:///tmp/large.jpg"));
    QCOMPARE(thumbs->rowCount(), 2);
}

void TestTimelineActions::serviceAndLocalSearch()
{
    TimelineHarness h;
    DataHandler *d = h.handler();
    ScriptedBackend *b = h.backend();
    ZirrupModel *results = h.view()->tweetSearchModel();

    d->searchTweets("#qt", "60.17", "24.94");
    const ScriptedCall search = b->lastCall("searchResources");
    QCOMPARE(search.type, int(SearchType::Tweets));
    QCOMPARE(query(search),
             QString("geocode=60.17,24.94,15mi&include_entities=true&q=#qt&"
                     "rpp=10&with_zirrup_user_id=true"));
    QCOMPARE(d->currentSearchString(), QString("#qt"));
    QVERIFY(h.flag("searchview_searching_tweets"));
    const QVariant answer = TimelineHarness::fixture("search_answer.json");
    b->complete(search, {answer});
    QCOMPARE(results->rowCount(), 9);
    QVERIFY(!h.flag("searchview_searching_tweets"));
    QVERIFY(h.flag("searchview_more_tweets_available"));
    d->searchMoreTweets();
    const QVariantList found = answer.toMap().value("results").toList();
    QCOMPARE(b->lastCall("searchResources").args.value("max_id"),
             found.constLast().toMap().value("id").toString());
    QCOMPARE(b->lastCall("searchResources").args.value("geocode"), QString("60.17,24.94,15mi"));
    QVERIFY(h.flag("searchview_searching_more_tweets"));
    d->searchTweets("#qt", "60.17", QString());
    QVERIFY(!b->lastCall("searchResources").args.contains("geocode"));
    // Searching for nothing only clears the results.
    d->searchTweets(" ", "60.17", "24.94");
    QCOMPARE(b->calls("searchResources").size(), 3);
    QVERIFY(!h.flag("searchview_searching_tweets"));

    // The local search runs after a pause, once per call, each with the newest text, over
    // cached records only; all of them are results.
    b->setResult("retrieveTimelineResources", Zr::RequestAnswered);
    b->setCachedRecords("retrieveTimelineResources", h.page("home_first_page.json").mid(0, 5));
    d->searchTimeline("Lun");
    d->searchTimeline("Lunch");
    QVERIFY(h.flag("searchview_searching_tweets"));
    QTRY_COMPARE(b->calls("retrieveTimelineResources").size(), 4);
    QVERIFY(!h.flag("searchview_searching_tweets"));
    for (const ScriptedCall &call : b->calls("retrieveTimelineResources").mid(2)) {
        QCOMPARE(query(call), QString("count=51&query=Lunch"));
        QCOMPARE(call.behavior, int(Zr::CacheOnly));
    }
    QCOMPARE(results->rowCount(), 5);
    d->cleanSearchResults();
    QCOMPARE(results->rowCount(), 0);
}

void TestTimelineActions::uploadPictures()
{
    TimelineHarness h;
    TimelineView *view = h.view();
    view->addUploadImage("file:///pics/a.jpg", true, 0.75f);
    view->addUploadImage("file:///pics/b.jpg", false, 1.5f);
    QCOMPARE(view->uploadImages(), (QList<QPair<QString, bool>> {{"file:///pics/b.jpg", false}}));
    QCOMPARE(fields(view->uploadModel(), 0, {"role_aspect_ratio"}), QString("1.5"));
    view->removeUploadImage("file:///pics/a.jpg");
    QCOMPARE(view->uploadImageCount(), 1);
    view->removeUploadImage("file:///pics/b.jpg");
    QCOMPARE(view->uploadImageCount(), 0);
}

QTEST_MAIN(TestTimelineActions)
#include "tst_timelineactions.moc"
