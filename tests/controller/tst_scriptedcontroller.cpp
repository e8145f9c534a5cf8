#include "datahandler.h"
#include "displayinfo.h"
#include "jsonrows.h"
#include "photoscaler.h"
#include "zirrupmodel.h"

#include "areatestmain.h"
#include "scriptedcontroller.h"
#include "scriptednotifications.h"
#include "scriptedsession.h"

#include <QBuffer>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDesktopServices>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QQuickItem>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

namespace {
// Receives the web links the controller opens.
class LinkCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl &url) { opened.append(url); }
};

const QString TextData = QStringLiteral(ZIRRUP_TEST_DATA_DIR "/data/texts.json");

// The moment the tweets of these tests were written, and its canonical text.
const QDateTime written(QDate(2026, 12, 5), QTime(10, 11, 12), Qt::UTC);

QString canonical(const QDateTime &time)
{
    return QLocale(QLocale::English, QLocale::UnitedStates)
        .toString(time.toLocalTime(), QStringLiteral("ddd MMM dd hh:mm:ss yyyy"));
}

// A JPEG with an EXIF orientation: the pixels as given, the tag telling viewers how to turn them
// (6: turned right). Qt's own writer turns the pixels instead, so the tag is put in by hand.
QByteArray jpegWithOrientation(const QImage &image, quint8 orientation)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "jpeg");
    const char exif[] = {'\xFF', '\xE1', 0, 0x22, 'E', 'x', 'i', 'f', 0, 0,
                         // Big-endian TIFF header, then one entry: Orientation, SHORT, 1 value.
                         'M', 'M', 0, 0x2A, 0, 0, 0, 8, 0, 1, 0x01, 0x12, 0, 3, 0, 0, 0, 1, 0,
                         char(orientation), 0, 0, 0, 0, 0, 0};
    return jpeg.insert(2, exif, sizeof exif);
}
const QString sessionPath = QStringLiteral("/org/freedesktop/login1/session/_31");

QVariantList record(const QVariantMap &fields)
{
    return {fields};
}
} // namespace

class FakeScreenSaver : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    bool active = false;
public Q_SLOTS:
    bool GetActive() { return active; }
Q_SIGNALS:
    void ActiveChanged(bool active);
};

class FakeLoginManager : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public Q_SLOTS:
    QDBusObjectPath GetSessionByPID(uint) { return QDBusObjectPath(sessionPath); }
};

class FakeLoginSession : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Session")
    Q_PROPERTY(bool LockedHint MEMBER locked)
public:
    bool locked = false;
};

// The controller on the scripted backend; each ctest entry runs one area's functions.
class TestScriptedController : public ScriptedSession
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // A zone with a half-hour offset shows any mix-up of local and universal time.
        qputenv("TZ", "IST-5:30");
        // The English catalogues compiled into the program, so texts read as users see them.
        QVERIFY(m_common.load(QStringLiteral(":/common_en.qm"))
                && m_application.load(QStringLiteral(":/zirrup_en.qm")));
        QCoreApplication::installTranslator(&m_common);
        QCoreApplication::installTranslator(&m_application);
        // Canonical texts are English whatever the user's language.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

        m_pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        QVERIFY(QDir().mkpath(m_pictures + QStringLiteral("/2025")));

        // A camera's shot, stored lying and marked to be shown turned right.
        m_turned = m_pictures + QStringLiteral("/turned.jpg");
        QImage shot(3264, 2448, QImage::Format_RGB32);
        shot.fill(Qt::darkCyan);
        QFile turned(m_turned);
        QVERIFY(turned.open(QIODevice::WriteOnly));
        turned.write(jpegWithOrientation(shot, 6));
        turned.close();

        m_landscape = m_pictures + QStringLiteral("/2025/landscape.png");
        QImage small(600, 400, QImage::Format_ARGB32);
        small.fill(Qt::yellow);
        QVERIFY(small.save(m_landscape));
        QFile old(m_landscape);
        QVERIFY(old.open(QIODevice::ReadWrite));
        QVERIFY(old.setFileTime(QDateTime::currentDateTime().addDays(-3),
                                QFileDevice::FileModificationTime));

        QFile notes(m_pictures + QStringLiteral("/notes.jpg"));
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write("not a picture");
    }

    void cleanup() { c.reset(); }

    // Tweet text made into rich text, and what its links do.
    void markupEntities_data()
    {
        QTest::addColumn<QVariantMap>("entities");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("pieces");
        for (const QVariant &row : fixtureFile("entities.json").toList()) {
            const QVariantMap r = row.toMap();
            QTest::newRow(qPrintable(r.value("tag").toString()))
                << r.value("entities").toMap() << r.value("text").toString()
                << r.value("shown").toString() << r.value("pieces").toStringList();
        }
    }

    void markupEntities()
    {
        QFETCH(QVariantMap, entities);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QFETCH(QStringList, pieces);
        fresh();
        h->parseEntities(entities, text);
        QCOMPARE(text, shown);
        // The rich-text pieces keep each anchor whole, whatever blanks it holds (found by fuzzing).
        if (!pieces.isEmpty())
            QCOMPARE(h->splitText(text), pieces);
        else
            QCOMPARE(h->splitText(text).join(QString()), shown);
    }

    // Plain text from the pages: tags and links (and mentions when asked) made into anchors, what
    // is already anchored or escaped kept as it is.
    void markupFindLinks_data() { addJsonRows(TextData, "findLinks"); }
    void markupFindLinks()
    {
        QFETCH(QVariantMap, row);
        fresh();
        QCOMPARE(h->findLinks(row["text"].toString(), row.value("entitiesHandled", true).toBool()),
                 row["shown"].toString());
    }

    // Rich text cut into the pieces a page lays out, in reading order.
    void markupSplitText_data() { addJsonRows(TextData, "splitText"); }
    void markupSplitText()
    {
        QFETCH(QVariantMap, row);
        fresh();
        const QString text = row["text"].toString();
        QCOMPARE(h->hasRightToLeftText(text), row["rightToLeft"].toBool());
        QCOMPARE(h->splitText(text, row["reversed"].toBool()), row["pieces"].toStringList());
    }

    void markupSourceName_data() { addJsonRows(TextData, "sourceName"); }
    void markupSourceName()
    {
        QFETCH(QVariantMap, row);
        fresh();
        QCOMPARE(h->parseSourceName(row["source"].toString()), row["name"].toString());
    }

    void markupMentionsOfAReply()
    {
        fresh();
        c->start(true);
        c->signIn(QStringLiteral("Alice"));
        QCOMPARE(h->getMentions(QStringLiteral("@ALICE @bob hi  @Carol\t@bob bob@x @alice"),
                                QStringLiteral("@carol")),
                 QStringLiteral("@bob @bob "));
    }

    void markupLinkClicksByPrefix()
    {
        fresh();
        LinkCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");

        // Nothing happens before the window exists.
        QCOMPARE(h->linkClicked(QStringLiteral("http://x.org")), false);
        QVERIFY(catcher.opened.isEmpty());

        // Mentions and tags open their pages as the smoke sessions show; a tweet's id opens it.
        c->start(false);
        QCOMPARE(h->linkClicked(QStringLiteral("$1000000000000000123")), false);
        QCOMPARE(h->currentTweetId(), QStringLiteral("1000000000000000123"));
        QCOMPARE(c->view().lastArguments("nextPage"), (QVariantList {"TweetView.qml", false}));

        // Anchors hold links as attribute text; the browser gets the link itself.
        QCOMPARE(h->linkClicked(QStringLiteral("https://x.org/?a=1&amp;b=2")), true);
        QCOMPARE(catcher.opened, (QList<QUrl> {QUrl("https://x.org/?a=1&b=2")}));

        const int pages = c->view().callCount("nextPage");
        QCOMPARE(h->linkClicked(QStringLiteral("ftp://x.org")), false);
        QCOMPARE(h->linkClicked(QStringLiteral("HTTP://x.org")), false);
        QCOMPARE(c->view().callCount("nextPage"), pages);
        QCOMPARE(catcher.opened.size(), 1);

        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    }

    // Times as the pages show them.
    void timeRelativeAgeAtEveryBandLimit_data() { addJsonRows(TextData, "ages"); }
    void timeRelativeAgeAtEveryBandLimit()
    {
        QFETCH(QVariantMap, row);
        fresh();
        h->setClock([&row] { return written.addSecs(row["age"].toInt()); });
        // From 25 hours on, the medium date of the user's locale.
        const QString date =
            h->locale().formatDateTime(written.toLocalTime(), Locale::DateMedium, Locale::TimeNone);
        QVERIFY(!date.isEmpty());
        const QStringList band = row["section"].toStringList();
        QCOMPARE(h->createTimeString(canonical(written)), row.value("relative", date).toString());
        QCOMPARE(h->createSectionTimeString(canonical(written)),
                 band.isEmpty() ? date : band.join(QStringLiteral(" - ") + QChar(0x2028)));
    }

    void timeServiceDatesDetailLinesAndUnparsableTimes()
    {
        fresh();
        const QString serviceDate = QStringLiteral("Sat Dec 05 10:11:12 +0000 2026");
        // Without a backend there is nothing to read the service's dates with.
        QCOMPARE(h->convertServiceDateTime(serviceDate, false), QString());

        c->start(false);
        QCOMPARE(h->convertServiceDateTime(serviceDate, false),
                 QStringLiteral("Sat Dec 05 15:41:12 2026"));
        QCOMPARE(h->convertServiceDateTime(QStringLiteral("Sat, 05 Dec 2026 23:50:00 +0000"), true),
                 QStringLiteral("Sun Dec 06 05:20:00 2026"));
        QCOMPARE(h->convertServiceDateTime(QStringLiteral("yesterday"), false), QString());

        // What was written reads back under the user's German locale.
        h->setClock([] { return written.addSecs(120); });
        QCOMPARE(h->createTimeString(h->convertServiceDateTime(serviceDate, false)),
                 QStringLiteral("2 minutes ago"));
        // Every month and weekday reads back as the time it was written for.
        for (int month = 1; month <= 12; ++month) {
            const QDateTime time(QDate(2026, month, month + 10), QTime(month + 8, 2 * month));
            const QString detail =
                h->locale().formatDateTime(time, Locale::DateMedium, Locale::TimeNone)
                + QStringLiteral(" at ")
                + h->locale().formatDateTime(time, Locale::DateNone, Locale::TimeShort);
            QCOMPARE(h->createDetailTimeString(canonical(time)), detail);
            QCOMPARE(h->createConversationTimeString(canonical(time)), detail);
        }
        for (const QString &text : {QString(), QStringLiteral("Sam. Dez. 05 10:11:12 2026"),
                                    QStringLiteral("not a time")}) {
            QCOMPARE(h->createTimeString(text), QString());
            QCOMPARE(h->createSectionTimeString(text), QString());
            QCOMPARE(h->createDetailTimeString(text), QString());
        }
    }

    // Writing and posting tweets.
    void composeCountingFollowsTheServiceConfiguration()
    {
        fresh();
        const QString link30 = QStringLiteral("http://example.org/abcdefghijk");
        // Links count 20 (21 with https) whatever their case, shorter ones as they are; a picture
        // 21 more than its text.
        QCOMPARE(h->countTweetTextLength(
                     QStringLiteral("HTTP://EXAMPLE.ORG/ABCDEFGHIJK http://x.org/abcde 123"), 0),
                 20 + 1 + 18 + 4);
        QCOMPARE(h->countTweetTextLength(QStringLiteral("https://example.org/abcdefghij"), 1),
                 21 + 21);

        // Held by the backend already: used at once, nothing is asked.
        c->startSignedIn();
        b = c->backend();
        b->setCachedHelp({{"characters_reserved_per_media", 23},
                          {"short_url_length", 22},
                          {"short_url_length_https", 24}});
        h->refreshConfigurationData();
        QCOMPARE(b->calls("retrieveHelp").size(), 1);
        QCOMPARE(b->lastCall("retrieveHelp").behavior, int(Zr::CacheOnly));
        QCOMPARE(
            h->countTweetTextLength(link30 + QStringLiteral(" https://example.org/abcdefghij"), 1),
            22 + 1 + 24 + 23);

        // Not held: the signed-in backend's answer from the network is used too.
        b->setCachedHelp({});
        h->refreshConfigurationData();
        const ScriptedCall asked = b->lastCall("retrieveHelp");
        QCOMPARE(asked.behavior, int(Zr::CacheThenNetwork));
        QVERIFY(!asked.listPassed);
        b->complete(asked,
                    {QVariantMap {{"characters_reserved_per_media", 21},
                                  {"short_url_length", 29},
                                  {"short_url_length_https", 29}}});
        QCOMPARE(h->shortUrlLength(), 29);
        QCOMPARE(h->countTweetTextLength(link30, 0), 29);
    }

    void composePostingStateThroughSuccessAndErrors()
    {
        start();

        h->postTweetMessage(QStringLiteral("hello"), QString());
        QCOMPARE(query(b->lastCall("writeStatus")), "include_entities=1&status=hello");
        QCOMPARE(flag("posting_tweet"), true);
        b->complete(b->lastCall("writeStatus"));
        QCOMPARE(flag("posting_tweet"), false);
        QCOMPARE(c->view().callCount("homePage"), 1);

        // A reply that the service cannot place ends quietly; its errors reach the posting state.
        h->replyToTweetMessage(QStringLiteral("@bob yes"), QStringLiteral("42"),
                               QStringLiteral("p1"));
        QCOMPARE(query(b->lastCall("writeStatus")),
                 "in_reply_to_status_id=42&place_id=p1&status=@bob yes");
        QCOMPARE(flag("posting_tweet"), true);
        b->fail(b->lastCall("writeStatus"), QStringLiteral("Not found"));
        QCOMPARE(flag("posting_tweet"), false);
        QCOMPARE(c->view().callCount("showError"), 0);

        h->postTweetMessage(QStringLiteral("hello"), QStringLiteral("p2"));
        QCOMPARE(b->lastCall("writeStatus").args.value("place_id"), QStringLiteral("p2"));
        b->fail(b->lastCall("writeStatus"), QStringLiteral("Status is a duplicate."));
        QCOMPARE(flag("posting_tweet"), false);
        QCOMPARE(shownError(), QVariantList {QStringLiteral("Unable to post tweet.")});
        QCOMPARE(c->view().callCount("homePage"), 1);

        // A tweet and a reply in flight together: each one's answer is recognised.
        h->postTweetMessage(QStringLiteral("first"), QString());
        const ScriptedCall tweet = b->lastCall("writeStatus");
        h->replyToTweetMessage(QStringLiteral("@bob second"), QStringLiteral("42"), QString());
        const ScriptedCall reply = b->lastCall("writeStatus");
        b->complete(reply);
        QCOMPARE(c->view().callCount("homePage"), 2);
        b->fail(tweet, QStringLiteral("Status is a duplicate."));
        QCOMPARE(c->view().callCount("showError"), 2);
        // An answered id is done with; an error without text is as quiet as "Not found".
        b->fail(tweet, QStringLiteral("Status is a duplicate."));
        h->postTweetMessage(QStringLiteral("again"), QString());
        Q_EMIT b->networkRequestError(b->lastCall("writeStatus").queryId, {});
        QCOMPARE(flag("posting_tweet"), false);
        QCOMPARE(c->view().callCount("showError"), 2);

        // A request that did not go out leaves the state alone.
        b->setResult(QStringLiteral("writeStatus"), Zr::RequestFailed);
        h->postTweetMessage(QStringLiteral("hello"), QString());
        QCOMPARE(flag("posting_tweet"), false);

        // Nothing without a picture, and nothing while signing in.
        h->postTweetWithMedia(QStringLiteral("pic"), QString());
        QVERIFY(!h->photoScaler());
        QCOMPARE(flag("posting_tweet"), false);
        const int sent = b->callCount(QStringLiteral("writeStatus"));
        h->reAuthentication();
        h->postTweetMessage(QStringLiteral("hello"), QString());
        QCOMPARE(b->callCount(QStringLiteral("writeStatus")), sent);
    }

    void composeLinkWrappingRoundTrip()
    {
        start();
        const QString longLink = QStringLiteral("http://example.org/a/long/page");

        // Links of 20 characters and more are worth wrapping.
        QVERIFY(!h->linksToShorten(QStringLiteral("see http://x.org/abcdef")));
        QVERIFY(h->linksToShorten(QStringLiteral("see HTTP://x.org/abcdefg")));

        // The indicator stays up until the last wrap has ended, well or not.
        h->shortenLinks("see " + longLink + " and https://example.org/other http://x.org/a/b/c/d");
        const QList<ScriptedCall> requests = b->calls("UrlToSnip");
        QCOMPARE(requests.size(), 3);
        QCOMPARE(requests[0].url, longLink);
        QCOMPARE(flag("tweet_shortening_url"), true);
        b->complete(requests[0], {QStringLiteral("http://s/l/AbC12")});
        QCOMPARE(values({"tweet_shortenedUrl", "tweet_originalUrl", "tweet_shortening_url"}),
                 "http://s/l/AbC12|" + longLink + "|true");
        b->fail(requests[1], QStringLiteral("Invalid parameter: url"));
        QCOMPARE(shownError(), QVariantList {QStringLiteral("Unable to shorten url.")});
        QCOMPARE(flag("tweet_shortening_url"), true);
        b->fail(requests[2], QStringLiteral("Invalid parameter: url"));
        QCOMPARE(flag("tweet_shortening_url"), false);

        // Back and forth again without asking the service.
        QVERIFY(h->linksToUnshorten(QStringLiteral("see http://s/l/AbC12")));
        QVERIFY(!h->linksToUnshorten("see " + longLink));
        h->unshortenLinks(QStringLiteral("see http://s/l/AbC12 now"));
        QCOMPARE(values({"tweet_shortenedUrl", "tweet_originalUrl"}),
                 longLink + "|http://s/l/AbC12");
        h->shortenLinks(longLink);
        QCOMPARE(b->callCount(QStringLiteral("UrlToSnip")), 3);
        QCOMPARE(values({"tweet_shortenedUrl", "tweet_shortening_url"}), "http://s/l/AbC12|false");
    }

    void composePictureTweetsWaitTheirTurnAndGoScaled()
    {
        start();
        const QString picture = QUrl::fromLocalFile(m_turned).toString();

        // The page empties the picture list right after each call.
        h->addUploadImage(picture, true, 0.75f);
        h->postTweetWithMedia(QStringLiteral("one"), QString());
        h->cleanUploadImages();
        h->addUploadImage(picture, true, 0.75f);
        h->replyToTweetWithMedia(QStringLiteral("two"), QStringLiteral("42"), QStringLiteral("p9"));
        h->cleanUploadImages();
        QCOMPARE(shownError(),
                 QVariantList {QStringLiteral(
                     "A picture is still being prepared. This tweet will be sent after it.")});
        QCOMPARE(h->queuedMediaTweetCount(), 1);

        QTRY_COMPARE(b->callCount(QStringLiteral("postStatusWithMedia")), 1);
        const ScriptedCall first = b->lastCall("postStatusWithMedia");
        QCOMPARE(first.args, (Zr::ArgMap {{"status", "one"}}));
        // The scaled picture goes whole, up to its end marker, and its file is gone.
        QCOMPARE(first.files.size(), 1);
        QCOMPARE(QImage::fromData(first.files.first()).size(), QSize(720, 960));
        QVERIFY(first.files.first().endsWith("\xFF\xD9"));
        QVERIFY(!QFile::exists(first.files.firstKey()));
        // Still waiting while the first upload is under way.
        QVERIFY(!h->photoScaler());
        QCOMPARE(h->queuedMediaTweetCount(), 1);

        b->complete(first, {QVariantMap {{"id", "7"}}});
        QCOMPARE(c->view().callCount("homePage"), 1);
        QCOMPARE(flag("posting_tweet"), true);
        QTRY_COMPARE(b->callCount(QStringLiteral("postStatusWithMedia")), 2);
        const ScriptedCall second = b->lastCall("postStatusWithMedia");
        QCOMPARE(query(second), "in_reply_to_status_id=42&place_id=p9&status=two");
        b->fail(second, QStringLiteral("Internal error"));
        QCOMPARE(shownError(), QVariantList {QStringLiteral("Unable to post tweet.")});
        QCOMPARE(flag("posting_tweet"), false);
        QCOMPARE(h->queuedMediaTweetCount(), 0);

        // A scaled file over the service's limit is never sent cut.
        QTemporaryDir dir;
        const QString huge = dir.filePath(QStringLiteral("zrAbCdEfhuge.jpg"));
        {
            QFile file(huge);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(3 * 1024 * 1024 + 1, 'x'));
        }
        const int notices = c->view().callCount("showError");
        h->setContextProperty(QStringLiteral("posting_tweet"), true);
        h->onPhotosScaled(QVariantList {QStringLiteral("/pictures/huge.jpg")}, QVariantList {huge});
        QCOMPARE(b->callCount("postStatusWithMedia"), 2);
        QCOMPARE(flag("posting_tweet"), false);
        QCOMPARE(c->view().callCount("showError"), notices + 1);
        QCOMPARE(shownError(), QVariantList {QStringLiteral("Unable to post tweet.")});
        QVERIFY(!QFile::exists(huge));
    }

    // The picture gallery and pictures made ready for upload.
    void photosGalleryListsPicturesNewestFirst()
    {
        fresh();
        QSignalSpy changed(h, &DataHandler::photosModelChanged);

        // Asking twice: the first scan is dropped, the grid stays empty until the second is done.
        h->queryPhotosModel();
        h->queryPhotosModel();
        QCOMPARE(h->photosModel(), nullptr);
        QVERIFY(changed.wait());
        QCOMPARE(changed.count(), 1);

        auto *model = qobject_cast<ZirrupModel *>(h->photosModel());
        QVERIFY(model);
        const QStringList roles = {"role_image_url", "role_orientation_portrait"};
        QCOMPARE(QStringList({fields(model, 0, roles), fields(model, 1, roles)}),
                 QStringList({QUrl::fromLocalFile(m_turned).toString() + "|true",
                              QUrl::fromLocalFile(m_landscape).toString() + "|false"}));
        QCOMPARE(model->get(0).value("role_aspect_ratio").toFloat(), 0.75f);
        QCOMPARE(model->count(), 2);

        // A new query empties the grid at once.
        h->queryPhotosModel();
        QCOMPARE(h->photosModel(), nullptr);
        QCOMPARE(changed.count(), 2);
        QVERIFY(changed.wait());
        QVERIFY(h->photosModel());
    }

    void photosPicturesAreScaledForUpload()
    {
        const QString broken = m_pictures + QStringLiteral("/notes.jpg");
        PhotoScaler scaler;
        QSignalSpy scaled(&scaler, &PhotoScaler::photosScaled);
        scaler.scale(QVariantMap {{m_turned, true}, {m_landscape, false}, {broken, false}});
        QVERIFY(scaled.wait(30000));

        // In key order, without what could not be read.
        QCOMPARE(scaled.first().at(0).toList(), (QVariantList {m_landscape, m_turned}));
        // Temporary files named after the pictures: small pictures are enlarged to the upload
        // height too; a turned one is scaled to it, then turned upright.
        QStringList made;
        for (const QVariant &file : scaled.first().at(1).toList()) {
            const QString path = file.toString();
            QVERIFY2(path.startsWith(QDir::tempPath() + QStringLiteral("/zr")), qPrintable(path));
            QImageReader reader(path);
            reader.setDecideFormatFromContent(true);
            made.append(QStringLiteral("%1 %2 %3x%4")
                            .arg(path.section('/', -1).mid(8), QString::fromLatin1(reader.format()))
                            .arg(reader.size().width())
                            .arg(reader.size().height()));
            QVERIFY(QFile::remove(path));
        }
        QCOMPARE(made, QStringList({"landscape.png png 1080x720", "turned.jpg jpeg 720x960"}));
    }

    // Refreshes, the stream and background news.
    void refreshStreamFollowsVisibilityAndTheScreen()
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            QSKIP("dbus-daemon is not installed");
        startBus(daemon);
        if (QTest::currentTestFailed())
            return;
        // Without a bus nobody can say the screen is dark.
        const QDBusConnection none(QStringLiteral("none"));
        QCOMPARE(DisplayInfo(none, none).backlightStatus(0), DisplayInfo::BacklightOn);

        start();
        // Read at start: no screen saver, but the session is locked (that is read last).
        m_screenSaver.active = false;
        m_session.locked = true;
        h->setDisplayInfo(new DisplayInfo(m_client, m_client));
        QSignalSpy light(h->displayInfo(), &DisplayInfo::backlightStatusChanged);
        QVERIFY(light.wait());
        QCOMPARE(h->displayInfo()->backlightStatus(0), DisplayInfo::BacklightOff);
        const int started = b->callCount(QStringLiteral("startStreaming"));
        const auto streams = [this, started] {
            return QStringLiteral("%1 started, %2 stopped")
                .arg(b->callCount(QStringLiteral("startStreaming")) - started)
                .arg(b->stopStreamingCount());
        };

        h->setVisible(true);
        QCOMPARE(h->pendingQueryIds().stream, b->lastCall("startStreaming").queryId);
        h->setVisible(true);
        h->setVisible(false);
        QCOMPARE(streams(), "1 started, 1 stopped");

        // Behind a lit screen the lists stay current.
        setLocked(false);
        QVERIFY(light.wait());
        h->setVisible(true);
        h->setVisible(false);
        QCOMPARE(streams(), "2 started, 1 stopped");

        h->setVisible(true);
        setScreenSaver(true);
        QVERIFY(light.wait());
        h->setVisible(false);
        QCOMPARE(streams(), "3 started, 2 stopped");
        m_daemon.terminate();
        QVERIFY(m_daemon.waitForFinished());
    }

    void refreshFailedStreamsAreRetriedOnlyOnline()
    {
        start();
        QTimer *throttle = h->throttlingTimer();
        // The root answers a network change as the program's does with the window in front.
        c->view().rootObject()->setProperty("answersNetwork", true);

        b->fail(b->lastCall("startStreaming"), QStringLiteral("Stream closed"));
        QVERIFY(throttle->isActive());
        QCOMPARE(throttle->interval(), 65000);
        QCOMPARE(c->view().callCount("showError"), 0);
        throttle->stop();
        h->onThrottlingTimerTriggered();
        const ScriptedCall retry = b->lastCall("startStreaming");
        QCOMPARE(h->pendingQueryIds().stream, retry.queryId);

        // A retry armed before the network went does not fire offline.
        b->fail(retry, QStringLiteral("Stream closed"));
        QVERIFY(throttle->isActive());
        h->networkStatusChanged(false);
        QVERIFY(!throttle->isActive());
        QCOMPARE(b->stopStreamingCount(), 1);
        QCOMPARE(c->view().lastArguments("onNetworkAvailableChanged"), QVariantList {false});
        b->fail(retry, QStringLiteral("Stream closed"));
        QVERIFY(!throttle->isActive());
        const int streams = b->callCount(QStringLiteral("startStreaming"));
        h->startSyncTimer();
        QCOMPARE(b->callCount(QStringLiteral("startStreaming")), streams);

        // Its return alone starts the stream again, and the lists catch up.
        b->clearCalls();
        h->networkStatusChanged(true);
        QCOMPARE(b->callCount(QStringLiteral("startStreaming")), 1);
        QCOMPARE(b->stopStreamingCount(), 1);
        QCOMPARE(c->view().lastArguments("onNetworkAvailableChanged"), QVariantList {true});
        QCOMPARE(h->pendingQueryIds().stream, b->lastCall("startStreaming").queryId);
        QList<int> timelines;
        for (const ScriptedCall &call : b->calls(QStringLiteral("retrieveTimelineResources")))
            timelines.append(call.type);
        QVERIFY(timelines.contains(TimelineType::Home));
        QVERIFY(timelines.contains(TimelineType::Mentions));
        QVERIFY(b->hasCall(QStringLiteral("retrieveDirectMessages")));
    }

    void refreshLastSeenIdIsSavedOnceAfterAQuietMoment()
    {
        start();
        ScriptedNotifications *notifications = c->factory().notifications();
        QSignalSpy saved(notifications, &ScriptedNotifications::lastIdSaved);

        // In the background nothing counts as seen; only mentions and messages count.
        h->handleStreamObject(StreamObjectType::Mention, record({{"id", "100"}}));
        h->setIsOnFullscreen(true);
        h->handleStreamObject(StreamObjectType::HomeStatus, record({{"id", "101"}}));
        h->handleStreamObject(StreamObjectType::Favorite, record({{"id", "102"}}));
        // Two in quick succession, events handled between them: one save, of the later one.
        h->handleStreamObject(StreamObjectType::Mention, record({{"id", "104"}}));
        QCoreApplication::processEvents();
        h->handleStreamObject(StreamObjectType::DirectMessage,
                              record({{"direct_message", QVariantMap {{"id", "105"}}}}));
        QVERIFY(saved.wait());
        QCOMPARE(notifications->savedIds(), QStringList {QStringLiteral("105")});
    }

    void refreshBackgroundNewsReachTheDesktop()
    {
        start();
        ScriptedNotifications *n = c->factory().notifications();
        const QVariantList mention = record({{"id", "7"},
                                             {"text", "@Alice hi &amp; bye"},
                                             {"user", QVariantMap {{"screen_name", "bob"}}}});
        const QString text = QStringLiteral("@bob: @Alice hi & bye");

        h->handleStreamObject(StreamObjectType::Mention, mention);
        h->handleStreamObject(StreamObjectType::Mention, mention);
        h->handleStreamObject(StreamObjectType::DirectMessage,
                              record({{"text", "lunch?"}, {"sender_screen_name", "carol"}}));
        // The user's own messages come back on the stream too.
        h->handleStreamObject(StreamObjectType::DirectMessage,
                              record({{"text", "sure"}, {"sender_screen_name", "alice"}}));
        QCOMPARE(n->mentionNotices(), (QList<QPair<int, QString>> {{1, text}, {2, text}}));
        QCOMPARE(n->messageNotices(), (QList<QPair<int, QString>> {{1, "carol: lunch?"}}));
        // A click opens the newest mention's tweet, the newest message's conversation.
        QCOMPARE(n->mentionSubjects(), (QStringList {"7", "7"}));
        QCOMPARE(n->messageSubjects(), QStringList {"carol"});

        // Seen: the count starts again; in front, the desktop is not bothered.
        h->clearMentionNotifications();
        QCOMPARE(n->clearedMentions(), 1);
        h->handleStreamObject(StreamObjectType::Mention, mention);
        h->setIsOnFullscreen(true);
        h->handleStreamObject(StreamObjectType::Mention, mention);
        QCOMPARE(n->mentionNotices().size(), 3);
        QCOMPARE(n->mentionNotices().last().first, 1);
    }

    void refreshDelayedRefreshesRunEachAndCleanupRunsOnce()
    {
        start();
        // Delayed refreshes with the same timeout: the second does not replace the first.
        auto requests = [this] { return b->callCount(QStringLiteral("retrieveDirectMessages")); };
        int before = requests();
        h->updateMessagesView();
        const int perRefresh = requests() - before;
        QVERIFY(perRefresh > 0);
        before = requests();
        h->delayedUpdateMessagesView(0);
        h->delayedUpdateMessagesView(0);
        QCOMPARE(requests(), before);
        QTRY_COMPARE(requests(), before + 2 * perRefresh);

        c->view().clearCalls();
        h->doCleanup();
        QCOMPARE(c->view().callNames(), (QStringList {"prepareCleanup", "doCleanup", "startPage"}));
        QCOMPARE(c->view().lastArguments("startPage"), QVariantList {"MainView.qml"});
        QCOMPARE(b->stopStreamingCount(), 1);
        // Done already and not yet back in front: nothing more.
        h->doCleanup();
        QCOMPARE(c->view().calls().size(), 3);
        QCOMPARE(b->stopStreamingCount(), 1);

        // Back in front and gone again, the next cleanup runs; signed out, it ends on sign-in.
        h->startSyncTimer();
        h->stopSyncTimer();
        Q_EMIT c->login()->accountRemoved();
        h->doCleanup();
        QCOMPARE(c->view().callCount("prepareCleanup"), 2);
        QCOMPARE(c->view().lastArguments("startPage"), QVariantList {"SignInView.qml"});
    }

private:
    // A controller not started yet.
    void fresh()
    {
        c.reset();
        c = std::make_unique<ScriptedController>();
        h = c->handler();
    }

    // One private bus stands in for both the session and the system bus; started for the one
    // area that talks to the desktop.
    void startBus(const QString &daemon)
    {
        m_daemon.start(daemon,
                       {QStringLiteral("--session"), QStringLiteral("--nofork"),
                        QStringLiteral("--print-address=1")});
        QVERIFY(m_daemon.waitForStarted());
        while (!m_daemon.canReadLine())
            QVERIFY2(m_daemon.waitForReadyRead(10000), m_daemon.readAllStandardError().constData());
        const QString address = QString::fromUtf8(m_daemon.readLine().trimmed());

        m_service = QDBusConnection::connectToBus(address, QStringLiteral("fake-desktop"));
        m_client = QDBusConnection::connectToBus(address, QStringLiteral("display-client"));
        QVERIFY(m_service.isConnected() && m_client.isConnected());
        const auto all = QDBusConnection::ExportAllContents;
        QVERIFY(m_service.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"),
                                         &m_screenSaver, all));
        QVERIFY(m_service.registerObject(QStringLiteral("/org/freedesktop/login1"), &m_loginManager,
                                         all));
        QVERIFY(m_service.registerObject(sessionPath, &m_session, all));
        QVERIFY(m_service.registerService(QStringLiteral("org.freedesktop.ScreenSaver")));
        QVERIFY(m_service.registerService(QStringLiteral("org.freedesktop.login1")));
    }

    void setScreenSaver(bool active)
    {
        m_screenSaver.active = active;
        Q_EMIT m_screenSaver.ActiveChanged(active);
    }

    void setLocked(bool locked)
    {
        m_session.locked = locked;
        QDBusMessage changed = QDBusMessage::createSignal(
            sessionPath, QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("PropertiesChanged"));
        changed << QStringLiteral("org.freedesktop.login1.Session")
                << QVariantMap {{QStringLiteral("LockedHint"), locked}} << QStringList();
        QVERIFY(m_service.send(changed));
    }

    QTranslator m_common;
    QTranslator m_application;
    QString m_pictures;
    QString m_turned;
    QString m_landscape;
    QProcess m_daemon;
    QDBusConnection m_service {QString()};
    QDBusConnection m_client {QString()};
    FakeScreenSaver m_screenSaver;
    FakeLoginManager m_loginManager;
    FakeLoginSession m_session;
};

ZIRRUP_AREA_TEST_MAIN(TestScriptedController)
#include "tst_scriptedcontroller.moc"
