#include "datahandler.h"

#include "catalogues.h"
#include "scriptedcontroller.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QString notice(ScriptedController &c)
{
    return c.view().lastArguments("showError").value(0).toString();
}
} // namespace

class TestCompose : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void countingFollowsTheServiceConfiguration();
    void postingStateThroughSuccessAndErrors();
    void linkWrappingRoundTrip();
    void pictureTweetsWaitTheirTurnAndGoScaled();
};

void TestCompose::initTestCase()
{
    QVERIFY(installEnglishCatalogues());
}

void TestCompose::countingFollowsTheServiceConfiguration()
{
    ScriptedController c;
    DataHandler *h = c.handler();
    const QString link30 = QStringLiteral("http://example.org/abcdefghijk");
    // 40 characters, of which the link counts 20.
    QCOMPARE(h->countTweetTextLength(link30 + QStringLiteral(" 123456789"), 0), 30);
    QCOMPARE(h->countTweetTextLength(QStringLiteral("HTTP://EXAMPLE.ORG/ABCDEFGHIJK"), 0), 20);
    QCOMPARE(h->countTweetTextLength(QStringLiteral("http://x.org/abcde"), 0), 18);
    QCOMPARE(h->countTweetTextLength(QStringLiteral("https://example.org/abcdefghij"), 0), 21);
    QCOMPARE(h->countTweetTextLength(QStringLiteral("hi"), 1), 23);

    // Held by the backend already: used at once, nothing is asked.
    c.startSignedIn();
    c.backend()->setCachedHelp({{"characters_reserved_per_media", 23},
                                {"short_url_length", 22},
                                {"short_url_length_https", 24}});
    h->refreshConfigurationData();
    QCOMPARE(c.backend()->calls("retrieveHelp").size(), 1);
    QCOMPARE(c.backend()->lastCall("retrieveHelp").behavior, int(Zr::CacheOnly));
    QCOMPARE(h->countTweetTextLength(link30 + QStringLiteral(" https://example.org/abcdefghij"), 1),
             22 + 1 + 24 + 23);

    // Not held: the signed-in backend's answer from the network is used too.
    c.backend()->setCachedHelp({});
    h->refreshConfigurationData();
    const ScriptedCall asked = c.backend()->lastCall("retrieveHelp");
    QCOMPARE(asked.behavior, int(Zr::CacheThenNetwork));
    QVERIFY(!asked.listPassed);
    c.backend()->complete(asked,
                          {QVariantMap {{"characters_reserved_per_media", 21},
                                        {"short_url_length", 29},
                                        {"short_url_length_https", 29}}});
    QCOMPARE(h->shortUrlLength(), 29);
    QCOMPARE(h->countTweetTextLength(link30, 0), 29);
}

void TestCompose::postingStateThroughSuccessAndErrors()
{
    ScriptedController c;
    c.startSignedIn();
    DataHandler *h = c.handler();
    ScriptedBackend *backend = c.backend();

    h->postTweetMessage(QStringLiteral("hello"), QString());
    QCOMPARE(backend->lastCall("writeStatus").args,
             (Zr::ArgMap {{"status", "hello"}, {"include_entities", "1"}}));
    QCOMPARE(c.contextProperty("posting_tweet").toBool(), true);
    backend->complete(backend->lastCall("writeStatus"));
    QCOMPARE(c.contextProperty("posting_tweet").toBool(), false);
    QCOMPARE(c.view().callCount("homePage"), 1);

    // A reply that the service cannot place ends quietly; its errors reach the posting state.
    h->replyToTweetMessage(QStringLiteral("@bob yes"), QStringLiteral("42"), QStringLiteral("p1"));
    QCOMPARE(
        backend->lastCall("writeStatus").args,
        (Zr::ArgMap {{"status", "@bob yes"}, {"in_reply_to_status_id", "42"}, {"place_id", "p1"}}));
    QCOMPARE(c.contextProperty("posting_tweet").toBool(), true);
    backend->fail(backend->lastCall("writeStatus"), QStringLiteral("Not found"));
    QCOMPARE(c.contextProperty("posting_tweet").toBool(), false);
    QCOMPARE(c.view().callCount("showError"), 0);

    h->postTweetMessage(QStringLiteral("hello"), QStringLiteral("p2"));
    QCOMPARE(backend->lastCall("writeStatus").args.value("place_id"), QStringLiteral("p2"));
    backend->fail(backend->lastCall("writeStatus"), QStringLiteral("Status is a duplicate."));
    QCOMPARE(c.contextProperty("posting_tweet").toBool(), false);
    QCOMPARE(notice(c), QStringLiteral("Unable to post tweet."));
    QCOMPARE(c.view().callCount("homePage"), 1);

    // A tweet and a reply in flight together: each one's answer is recognised.
    h->postTweetMessage(QStringLiteral("first"), QString());
    const ScriptedCall tweet = backend->lastCall("writeStatus");
    h->replyToTweetMessage(QStringLiteral("@bob second"), QStringLiteral("42"), QString());
    const ScriptedCall reply = backend->lastCall("writeStatus");
    backend->complete(reply);
    QCOMPARE(c.view().callCount("homePage"), 2);
    backend->fail(tweet, QStringLiteral("Status is a duplicate."));
    QCOMPARE(c.view().callCount("showError"), 2);

    // A request that did not go out leaves the state alone.
    backend->setResult(QStringLiteral("writeStatus"), Zr::RequestFailed);
    h->postTweetMessage(QStringLiteral("hello"), QString());
    QCOMPARE(c.contextProperty("posting_tweet").toBool(), false);

    // Nothing without a picture, and nothing while signing in.
    h->postTweetWithMedia(QStringLiteral("pic"), QString());
    QVERIFY(!h->photoScaler());
    QCOMPARE(c.contextProperty("posting_tweet").toBool(), false);
    const int sent = backend->callCount(QStringLiteral("writeStatus"));
    h->reAuthentication();
    h->postTweetMessage(QStringLiteral("hello"), QString());
    QCOMPARE(backend->callCount(QStringLiteral("writeStatus")), sent);
}

void TestCompose::linkWrappingRoundTrip()
{
    ScriptedController c;
    c.startSignedIn();
    DataHandler *h = c.handler();
    ScriptedBackend *backend = c.backend();
    const QString longLink = QStringLiteral("http://example.org/a/long/page");

    // Links of 20 characters and more are worth wrapping.
    QVERIFY(!h->linksToShorten(QStringLiteral("see http://x.org/abcdef")));
    QVERIFY(h->linksToShorten(QStringLiteral("see HTTP://x.org/abcdefg")));

    h->shortenLinks("see " + longLink + " and https://example.org/other");
    const QList<ScriptedCall> requests = backend->calls("UrlToSnip");
    QCOMPARE(requests.size(), 2);
    QCOMPARE(requests[0].url, longLink);
    QCOMPARE(c.contextProperty("tweet_shortening_url").toBool(), true);
    backend->complete(requests[0], {QStringLiteral("http://s/l/AbC12")});
    QCOMPARE(c.contextProperty("tweet_shortenedUrl").toString(),
             QStringLiteral("http://s/l/AbC12"));
    QCOMPARE(c.contextProperty("tweet_originalUrl").toString(), longLink);
    QCOMPARE(c.contextProperty("tweet_shortening_url").toBool(), true);
    backend->fail(requests[1], QStringLiteral("Invalid parameter: url"));
    QCOMPARE(notice(c), QStringLiteral("Unable to shorten url."));
    QCOMPARE(c.contextProperty("tweet_shortening_url").toBool(), false);

    // Back and forth again without asking the service.
    QVERIFY(h->linksToUnshorten(QStringLiteral("see http://s/l/AbC12")));
    QVERIFY(!h->linksToUnshorten("see " + longLink));
    h->unshortenLinks(QStringLiteral("see http://s/l/AbC12 now"));
    QCOMPARE(c.contextProperty("tweet_shortenedUrl").toString(), longLink);
    QCOMPARE(c.contextProperty("tweet_originalUrl").toString(), QStringLiteral("http://s/l/AbC12"));
    h->shortenLinks(longLink);
    QCOMPARE(backend->callCount(QStringLiteral("UrlToSnip")), 2);
    QCOMPARE(c.contextProperty("tweet_shortenedUrl").toString(),
             QStringLiteral("http://s/l/AbC12"));
    QCOMPARE(c.contextProperty("tweet_shortening_url").toBool(), false);
}

void TestCompose::pictureTweetsWaitTheirTurnAndGoScaled()
{
    ScriptedController c;
    c.startSignedIn();
    DataHandler *h = c.handler();
    ScriptedBackend *backend = c.backend();
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("pic.jpg"));
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QVERIFY(image.save(picture));

    // The page empties the picture list right after each call.
    h->addUploadImage(QUrl::fromLocalFile(picture).toString(), false, 0.75f);
    h->postTweetWithMedia(QStringLiteral("one"), QString());
    h->cleanUploadImages();
    h->addUploadImage(QUrl::fromLocalFile(picture).toString(), false, 0.75f);
    h->replyToTweetWithMedia(QStringLiteral("two"), QStringLiteral("42"), QStringLiteral("p9"));
    h->cleanUploadImages();
    QCOMPARE(
        notice(c),
        QStringLiteral("A picture is still being prepared. This tweet will be sent after it."));
    QCOMPARE(h->queuedMediaTweetCount(), 1);

    QTRY_COMPARE(backend->callCount(QStringLiteral("postStatusWithMedia")), 1);
    const ScriptedCall first = backend->lastCall("postStatusWithMedia");
    QCOMPARE(first.args, (Zr::ArgMap {{"status", "one"}}));
    // The scaled picture goes whole, up to its end marker, and its file is gone.
    QCOMPARE(first.files.size(), 1);
    QCOMPARE(QImage::fromData(first.files.first()).height(), 720);
    QVERIFY(first.files.first().endsWith("\xFF\xD9"));
    QVERIFY(!QFile::exists(first.files.firstKey()));
    // Still waiting while the first upload is under way.
    QVERIFY(!h->photoScaler());
    QCOMPARE(h->queuedMediaTweetCount(), 1);

    backend->complete(first, {QVariantMap {{"id", "7"}}});
    QCOMPARE(c.view().callCount("homePage"), 1);
    QCOMPARE(c.contextProperty("posting_tweet").toBool(), true);
    QTRY_COMPARE(backend->callCount(QStringLiteral("postStatusWithMedia")), 2);
    const ScriptedCall second = backend->lastCall("postStatusWithMedia");
    QCOMPARE(second.args,
             (Zr::ArgMap {{"status", "two"}, {"in_reply_to_status_id", "42"}, {"place_id", "p9"}}));
    backend->fail(second, QStringLiteral("Internal error"));
    QCOMPARE(notice(c), QStringLiteral("Unable to post tweet."));
    QCOMPARE(c.contextProperty("posting_tweet").toBool(), false);
    QCOMPARE(h->queuedMediaTweetCount(), 0);

    // A scaled file over the service's limit is never sent cut.
    const QString huge = dir.filePath(QStringLiteral("zrAbCdEfhuge.jpg"));
    {
        QFile file(huge);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(3 * 1024 * 1024 + 1, 'x'));
    }
    const int notices = c.view().callCount("showError");
    h->setContextProperty(QStringLiteral("posting_tweet"), true);
    h->onPhotosScaled(QVariantList {QStringLiteral("/pictures/huge.jpg")}, QVariantList {huge});
    QCOMPARE(backend->callCount("postStatusWithMedia"), 2);
    QCOMPARE(c.contextProperty("posting_tweet").toBool(), false);
    QCOMPARE(c.view().callCount("showError"), notices + 1);
    QCOMPARE(notice(c), QStringLiteral("Unable to post tweet."));
    QVERIFY(!QFile::exists(huge));
}

QTEST_MAIN(TestCompose)
#include "tst_compose.moc"
