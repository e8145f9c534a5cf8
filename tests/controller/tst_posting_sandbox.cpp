// A tweet with a picture, from the controller through the real client library to
// zirrup-sandbox, read back with its media entity.
#include "datahandler.h"
#include "photoscaler.h"
#include "zirrup.h"

#include "apiclient.h"
#include "sandboxprocess.h"
#include "scriptedcontroller.h"

#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TestPostingSandbox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pictureTweetReadsBackWithItsMedia();
};

void TestPostingSandbox::pictureTweetReadsBackWithItsMedia()
{
    SandboxProcess sandbox({QStringLiteral("--user"), QStringLiteral("alice:secret")});
    QVERIFY2(sandbox.start(), qPrintable(sandbox.errorString()));
    Zr::setServiceUrl(sandbox.baseUrl());
    ApiClient client(sandbox.baseUrl());
    const SandboxAccount account = client.signIn(QStringLiteral("alice"), QStringLiteral("secret"));
    QVERIFY(account.isValid());

    ScriptedController c;
    DataHandler *h = c.handler();
    h->setBackendFactory([](const QStringList &s, QObject *parent) {
        return new Zr::Zirrup(s.at(0), s.at(1), s.at(2), s.at(3), s.at(4), s.at(5), parent);
    });
    c.start(true);
    QTRY_COMPARE(c.login()->loginCount(), 1);
    Q_EMIT c.login()->loginResponse(QString::fromLatin1(account.token),
                                    QString::fromLatin1(account.tokenSecret), account.userId,
                                    account.screenName, QStringLiteral(ZIRRUP_CONSUMER_KEY),
                                    QStringLiteral(ZIRRUP_CONSUMER_SECRET));
    Zr::Zirrup *backend = h->backend();
    QVERIFY(backend->isAuthenticated());

    // A landscape picture, scaled for upload on the scaler's thread.
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("harbour.png"));
    QImage image(600, 400, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QVERIFY(image.save(picture));
    PhotoScaler scaler;
    QSignalSpy scaled(&scaler, &PhotoScaler::photosScaled);
    scaler.scale(QVariantMap {{picture, false}});
    QVERIFY(scaled.wait(10000));

    QSignalSpy posted(backend, &Zr::Zirrup::postedStatusWithMedia);
    h->postTweetWithMedia(QStringLiteral("At the harbour #sea"), QString());
    h->setContextProperty(QStringLiteral("posting_tweet"), true);
    h->onPhotosScaled(scaled.first().at(0), scaled.first().at(1));
    QVERIFY(posted.wait(10000));
    QCOMPARE(c.contextProperty("posting_tweet").toBool(), false);
    QCOMPARE(c.view().callCount("homePage"), 1);

    // Read back as the list shows it.
    QSignalSpy timeline(backend, &Zr::Zirrup::timelineUpdated);
    int queryId = -1;
    backend->retrieveTimelineResources(nullptr, &queryId, TimelineType::User,
                                       {{"screen_name", "alice"}, {"include_entities", "true"}},
                                       Zr::CacheThenNetwork);
    QVERIFY(timeline.wait(10000));
    const QVariantMap status = timeline.last().at(1).toList().value(0).toMap();
    QString text = status.value("text").toString();
    QVERIFY2(text.startsWith(QStringLiteral("At the harbour #sea http://")), qPrintable(text));
    const QVariantMap entities = status.value("entities").toMap();
    const QVariantMap media = entities.value("media").toList().value(0).toMap();
    const QString mediaUrl = media.value("media_url").toString();
    QVERIFY2(mediaUrl.endsWith(QStringLiteral(".png")), qPrintable(mediaUrl));

    h->parseEntities(entities, text);
    QVERIFY2(text.startsWith(
                 QStringLiteral("At the harbour <a href=\"#sea\" style=\"text-decoration:none; "
                                "color:#4d6980\">#sea</a> <a href=\"")
                 + media.value("url").toString() + QStringLiteral("\" style")),
             qPrintable(text));
    QVERIFY(text.endsWith(media.value("display_url").toString() + QStringLiteral("</a>")));

    // The service holds the picture as it was scaled.
    const ApiResponse stored = client.get(QUrl(mediaUrl).path());
    QCOMPARE(stored.status, 200);
    QCOMPARE(QImage::fromData(stored.body).size(), QSize(1080, 720));
}

QTEST_MAIN(TestPostingSandbox)
#include "tst_posting_sandbox.moc"
