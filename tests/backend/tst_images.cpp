// Avatars (scaled, masked, stored, answered from the store) and link-preview and media
// pictures, and which links count as pictures at all.

#include "fakeserver.h"
#include "testsupport.h"

#include <QPainter>
#include <QtTest>

using Zr::Zirrup;

namespace {

QByteArray png(int width, int height, QColor colour = Qt::red)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Transparent corners, opaque middle: what the program's round avatar mask does.
QImage roundMask()
{
    QImage mask(20, 20, QImage::Format_ARGB32);
    mask.fill(Qt::transparent);
    QPainter painter(&mask);
    painter.setBrush(Qt::black);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QRectF(0, 0, 20, 20));
    return mask;
}

HttpResponse picture(const QByteArray &bytes)
{
    HttpResponse response = HttpResponse::json(bytes);
    response.contentType = "image/png";
    return response;
}

} // namespace

class TestImages : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void avatarsAreScaledMaskedAndStored();
    void lowPriorityDownloadsRunTwoAtATime();
    void unusableAvatarsAreRefused();
    void linkPreviewsComeThroughTheService();
    void servicePicturesAreFetchedDirectly();
    void pictureLinksAreRecognised_data();
    void pictureLinksAreRecognised();

private:
    QString avatarUrl(const QString &name) const
    {
        return server->baseUrl().toString() + "/media/avatars/" + name;
    }
    FakeServer *server = nullptr;
};

void TestImages::initTestCase()
{
    server = new FakeServer(this);
    Zr::setServiceUrl(server->baseUrl());
}

void TestImages::avatarsAreScaledMaskedAndStored()
{
    server->setHandler([](const HttpRequest &request) {
        if (request.path.endsWith(QLatin1String("bob.png")))
            return picture(png(120, 80, Qt::blue));
        return picture(png(100, 100));
    });
    auto backend = signedInBackend(QStringLiteral("200"));
    backend->setMask(roundMask());
    const auto args = [&](const QString &file, const QString &size) {
        return Zr::ArgMap {{"screen_name", "Bob"},
                           {"size", size},
                           {"url", avatarUrl(file)},
                           {"low_priority", "1"}};
    };
    QVariantList list;
    int id = 9;
    server->clearRequests();
    QCOMPARE(backend->retrieveUserResources(&list, &id, UserType::ProfileImage,
                                            args("bob_normal.png", "normal"), Zr::CacheOnly),
             int(Zr::RequestAnswered));
    QCOMPARE(id, -1);
    QVERIFY(list.isEmpty());
    QCOMPARE(server->requestCount(), 0);

    QSignalSpy updated(backend.get(), &Zirrup::userUpdated);
    QCOMPARE(backend->retrieveUserResources(&list, &id, UserType::ProfileImage,
                                            args("bob_normal.png", "normal"), Zr::CacheThenNetwork),
             int(Zr::RequestSent));
    QVERIFY(updated.wait(5000));
    QCOMPARE(updated.at(0).at(0).toInt(), int(UserType::ProfileImage));
    QCOMPARE(updated.at(0).at(2).toInt(), id);
    const QString path = updated.at(0).at(1).toList().value(0).toString();
    QVERIFY(!server->lastRequest().headers.contains("authorization"));

    QImage stored(path);
    QCOMPARE(stored.size(), QSize(48, 48));
    QCOMPARE(qAlpha(stored.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(stored.pixel(47, 47)), 0);
    QCOMPARE(stored.pixelColor(24, 24), QColor(Qt::red));

    // Answered from the store, also by a later backend, but only for the same address.
    backend->retrieveUserResources(&list, &id, UserType::ProfileImage,
                                   args("bob_normal.png", "normal"), Zr::CacheOnly);
    QCOMPARE(list, QVariantList {path});
    list.clear();
    auto later = signedInBackend(QStringLiteral("200"));
    later->retrieveUserResources(&list, &id, UserType::ProfileImage,
                                 args("bob_normal.png", "normal"), Zr::CacheOnly);
    QCOMPARE(list, QVariantList {path});
    list.clear();
    later->retrieveUserResources(&list, &id, UserType::ProfileImage,
                                 args("bob_2_normal.png", "normal"), Zr::CacheOnly);
    QVERIFY(list.isEmpty());

    QSignalSpy laterUpdated(later.get(), &Zirrup::userUpdated);
    later->retrieveUserResources(nullptr, &id, UserType::ProfileImage,
                                 args("bob_bigger.png", "bigger"), Zr::CacheThenNetwork);
    later->retrieveUserResources(nullptr, &id, UserType::ProfileImage, args("bob.png", "orig"),
                                 Zr::CacheThenNetwork);
    QTRY_COMPARE(laterUpdated.count(), 2);
    QMap<int, QString> paths;
    for (const auto &signal : laterUpdated)
        paths.insert(QImage(signal.at(1).toList().value(0).toString()).width(),
                     signal.at(1).toList().value(0).toString());
    QVERIFY(paths.contains(73));
    QCOMPARE(QImage(paths.value(73)).height(), 73);
    // The original keeps its size; no mask was set on this backend.
    QCOMPARE(QImage(paths.value(120)).size(), QSize(120, 80));
    QCOMPARE(QImage(paths.value(120)).pixelColor(0, 0), QColor(Qt::blue));

    // A new address for the same user and size replaces the stored picture.
    later->retrieveUserResources(nullptr, &id, UserType::ProfileImage,
                                 args("bob_2_normal.png", "normal"), Zr::CacheThenNetwork);
    QTRY_COMPARE(laterUpdated.count(), 3);
    QVERIFY(!QFile::exists(path));
    later->retrieveUserResources(&list, &id, UserType::ProfileImage,
                                 args("bob_normal.png", "normal"), Zr::CacheOnly);
    QVERIFY(list.isEmpty());
}

void TestImages::lowPriorityDownloadsRunTwoAtATime()
{
    server->setHandler([](const HttpRequest &request) {
        if (request.path.startsWith(QLatin1String("/media/"))) {
            HttpResponse held = picture(png(48, 48));
            held.mode = HttpResponse::Held;
            return held;
        }
        return HttpResponse::json("{}");
    });
    auto backend = signedInBackend(QStringLiteral("201"));
    QSignalSpy updated(backend.get(), &Zirrup::userUpdated);
    QSignalSpy help(backend.get(), &Zirrup::helpRetrieved);
    int id;
    for (int i = 0; i < 5; ++i) {
        const QString name = QStringLiteral("user%1").arg(i);
        QCOMPARE(backend->retrieveUserResources(nullptr, &id, UserType::ProfileImage,
                                                {{"screen_name", name},
                                                 {"url", avatarUrl(name + "_normal.png")},
                                                 {"low_priority", "1"}},
                                                Zr::CacheThenNetwork),
                 int(Zr::RequestSent));
    }
    QTRY_COMPARE(server->heldCount(), 2);
    // Other requests pass the queued pictures.
    backend->retrieveHelp(HelpType::Configuration, nullptr, {}, &id, Zr::CacheThenNetwork);
    QVERIFY(help.wait(5000));
    QCOMPARE(server->heldCount(), 2);
    server->release();
    QTRY_COMPARE(updated.count(), 2);
    QTRY_COMPARE(server->heldCount(), 2);
    server->release();
    QTRY_COMPARE(server->heldCount(), 1);
    server->release();
    QTRY_COMPARE(updated.count(), 5);
}

void TestImages::unusableAvatarsAreRefused()
{
    server->setHandler([](const HttpRequest &request) {
        if (request.path.endsWith(QLatin1String("broken.png")))
            return picture("<html>not a picture</html>");
        return HttpResponse::json("{}");
    });
    auto backend = signedInBackend(QStringLiteral("202"));
    QSignalSpy updated(backend.get(), &Zirrup::userUpdated);
    QSignalSpy errors(backend.get(), &Zirrup::networkRequestError);
    int id = 3;
    QCOMPARE(backend->retrieveUserResources(nullptr, &id, UserType::ProfileImage,
                                            {{"screen_name", "bob"}, {"url", "file:///etc/passwd"}},
                                            Zr::CacheThenNetwork),
             int(Zr::RequestFailed));
    QCOMPARE(id, -1);
    QCOMPARE(backend->retrieveUserResources(nullptr, &id, UserType::ProfileImage,
                                            {{"url", avatarUrl("x_normal.png")}},
                                            Zr::CacheThenNetwork),
             int(Zr::RequestFailed));
    QCOMPARE(backend->retrieveUserResources(
                 nullptr, &id, UserType::ProfileImage,
                 {{"screen_name", "bob"}, {"size", "huge"}, {"url", avatarUrl("x_normal.png")}},
                 Zr::CacheThenNetwork),
             int(Zr::RequestFailed));

    QCOMPARE(backend->retrieveUserResources(
                 nullptr, &id, UserType::ProfileImage,
                 {{"screen_name", "bob"}, {"url", avatarUrl("broken.png")}}, Zr::CacheThenNetwork),
             int(Zr::RequestSent));
    QVERIFY(errors.wait(5000));
    QCOMPARE(errors.at(0).at(0).toInt(), id);
    QVERIFY(errors.at(0).at(1).toMap().value("error").toString().startsWith(
        QLatin1String("Not a picture")));
    QSignalSpy help(backend.get(), &Zirrup::helpRetrieved);
    backend->retrieveHelp(HelpType::Configuration, nullptr, {}, &id, Zr::CacheThenNetwork);
    QVERIFY(help.wait(5000));
    QCOMPARE(errors.count(), 1);
    QCOMPARE(updated.count(), 0);
}

void TestImages::linkPreviewsComeThroughTheService()
{
    server->setHandler([](const HttpRequest &request) {
        if (request.query().value("url").contains(QLatin1String("missing")))
            return HttpResponse::error(404, QStringLiteral("Not found"), request.path);
        return picture(
            png(request.query().value("size") == QLatin1String("thumb") ? 150 : 600, 150));
    });
    auto backend = signedInBackend(QStringLiteral("203"));
    QSignalSpy loaded(backend.get(), &Zirrup::tinyUrlImageLoaded);
    QSignalSpy errors(backend.get(), &Zirrup::networkRequestError);
    const Zr::ArgMap thumb {{"image_url", "http://zirpic.net/AbC1"}, {"as_thumb", "1"}};
    QString file;
    int id = -1;
    server->clearRequests();
    QCOMPARE(backend->retrieveTinyUrlImage(thumb, &file, &id), int(Zr::RequestSent));
    QVERIFY(file.isEmpty());
    QVERIFY(loaded.wait(5000));
    QCOMPARE(loaded.at(0).at(1).toInt(), id);
    const QString path = loaded.at(0).at(0).toString();
    QCOMPARE(QImage(path).width(), 150);
    const HttpRequest request = server->lastRequest();
    QCOMPARE(request.path, QStringLiteral("/1/links/preview"));
    QCOMPARE(request.query(),
             (QMap<QString, QString> {{"url", "http://zirpic.net/AbC1"}, {"size", "thumb"}}));

    // Stored now: answered at once, also by a later backend, without a request.
    auto later = signedInBackend(QStringLiteral("203"));
    server->clearRequests();
    id = 5;
    QCOMPARE(later->retrieveTinyUrlImage(thumb, &file, &id), int(Zr::RequestAnswered));
    QCOMPARE(file, path);
    QCOMPARE(id, -1);
    QCOMPARE(server->requestCount(), 0);

    // The full-size picture of the same link is another picture.
    file.clear();
    QCOMPARE(backend->retrieveTinyUrlImage({{"image_url", "http://zirpic.net/AbC1"}}, &file, &id),
             int(Zr::RequestSent));
    QTRY_COMPARE(loaded.count(), 2);
    QCOMPARE(server->lastRequest().query().value("size"), QStringLiteral("large"));
    QCOMPARE(QImage(loaded.at(1).at(0).toString()).width(), 600);

    QCOMPARE(
        backend->retrieveTinyUrlImage({{"image_url", "http://zirpic.net/missing"}}, &file, &id),
        int(Zr::RequestSent));
    QVERIFY(errors.wait(5000));
    QCOMPARE(errors.at(0).at(1).toMap().value("http_status").toInt(), 404);
    QCOMPARE(loaded.count(), 2);
    QCOMPARE(backend->retrieveTinyUrlImage({{"image_url", "javascript:alert(1)"}}, &file, &id),
             int(Zr::RequestFailed));
}

void TestImages::servicePicturesAreFetchedDirectly()
{
    server->setHandler([](const HttpRequest &) { return picture(png(150, 150)); });
    auto backend = signedInBackend(QStringLiteral("204"));
    QSignalSpy loaded(backend.get(), &Zirrup::tinyUrlImageLoaded);
    const QString media = server->baseUrl().toString() + "/media/pics/1000000000000900001.png";
    QString file;
    int id;
    server->clearRequests();
    // As the tweet page asks for a media thumbnail.
    backend->retrieveTinyUrlImage({{"direct_url", "1"},
                                   {"image_id", "1000000000000900001"},
                                   {"image_url", media + ":thumb"},
                                   {"as_thumb", "1"}},
                                  &file, &id);
    QVERIFY(loaded.wait(5000));
    QCOMPARE(server->lastRequest().target, QByteArray("/media/pics/1000000000000900001.png:thumb"));
    QVERIFY(!server->lastRequest().headers.contains("authorization"));
    // A plain link to a service picture gets its thumbnail size by name too.
    backend->retrieveTinyUrlImage({{"image_url", media}, {"as_thumb", "1"}}, &file, &id);
    QTRY_COMPARE(loaded.count(), 2);
    QCOMPARE(server->lastRequest().target, QByteArray("/media/pics/1000000000000900001.png:thumb"));
    backend->retrieveTinyUrlImage({{"image_url", media}}, &file, &id);
    QTRY_COMPARE(loaded.count(), 3);
    QCOMPARE(server->lastRequest().target, QByteArray("/media/pics/1000000000000900001.png"));
    QVERIFY(loaded.at(2).at(0).toString().endsWith(QLatin1String(".png")));
}

void TestImages::pictureLinksAreRecognised_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("supported");
    const QString own = QStringLiteral("http://127.0.0.1:%1").arg(server->baseUrl().port());
    QTest::newRow("jpg") << "http://example.org/a/photo.jpg" << true;
    QTest::newRow("JPEG upper case") << "https://example.org/PHOTO.JPEG" << true;
    QTest::newRow("png") << "http://example.org/x.png" << true;
    QTest::newRow("gif") << "http://example.org/x.gif?size=2" << true;
    QTest::newRow("own media") << own + "/media/pics/1000000000000900001" << true;
    QTest::newRow("own avatar") << own + "/media/avatars/1843_2_normal.png" << true;
    QTest::newRow("own page") << own + "/demo/status/1" << false;
    QTest::newRow("zirpic") << "http://zirpic.net/AbC1" << true;
    QTest::newRow("www snapzr") << "http://www.snapzr.com/Qx9" << true;
    QTest::newRow("imgzr") << "https://imgzr.io/k2" << true;
    QTest::newRow("host without picture") << "http://zirpic.net/" << false;
    QTest::newRow("look-alike host") << "http://notzirpic.net/AbC1" << false;
    QTest::newRow("host as subdomain") << "http://zirpic.net.example.org/AbC1" << false;
    QTest::newRow("web page") << "http://example.org/page.html" << false;
    QTest::newRow("not the web") << "ftp://example.org/x.png" << false;
    QTest::newRow("empty") << QString() << false;
}

void TestImages::pictureLinksAreRecognised()
{
    QFETCH(QString, url);
    QFETCH(bool, supported);
    auto backend = signedOutBackend();
    QCOMPARE(backend->imageTypeSupported(url), supported);
}

QTEST_MAIN(TestImages)
#include "tst_images.moc"
