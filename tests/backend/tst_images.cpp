// Avatars (scaled, masked, stored, answered from the store) and link-preview and media
// pictures, and which links count as pictures at all.

#include "fakeserver.h"
#include "testsupport.h"

#include <QPainter>
#include <QtTest>

using Zr::Zirrup;

namespace {

HttpResponse picture(int width, int height, QColor colour = Qt::red)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    HttpResponse response;
    QBuffer buffer(&response.body);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    response.contentType = "image/png";
    return response;
}

} // namespace

class TestImages : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void avatarsAreScaledMaskedAndStored()
    {
        server->setHandler([](const HttpRequest &request) {
            return request.path.endsWith("bob.png") ? picture(120, 80, Qt::blue)
                                                    : picture(100, 100);
        });
        auto backend = signedInBackend(QStringLiteral("200"));
        // Transparent corners, opaque middle: what the program's round avatar mask does.
        QImage mask(20, 20, QImage::Format_ARGB32);
        mask.fill(Qt::transparent);
        QPainter painter(&mask);
        painter.setBrush(Qt::black);
        painter.drawEllipse(QRectF(0, 0, 20, 20));
        painter.end();
        backend->setMask(mask);
        QVariantList list;
        int id = 9;
        server->clearRequests();
        QCOMPARE(backend->retrieveUserResources(&list, &id, UserType::ProfileImage,
                                                avatar("bob_normal.png"), Zr::CacheOnly),
                 int(Zr::RequestAnswered));
        QVERIFY(list.isEmpty());
        QCOMPARE(server->requestCount(), 0);

        QSignalSpy updated(backend.get(), &Zirrup::userUpdated);
        QCOMPARE(backend->retrieveUserResources(&list, &id, UserType::ProfileImage,
                                                avatar("bob_normal.png"), Zr::CacheThenNetwork),
                 int(Zr::RequestSent));
        QVERIFY(updated.wait(5000));
        QCOMPARE(updated.at(0).at(0).toInt(), int(UserType::ProfileImage));
        QCOMPARE(updated.at(0).at(2).toInt(), id);
        const QString path = updated.at(0).at(1).toList().value(0).toString();
        QVERIFY(!server->lastRequest().headers.contains("authorization"));
        const QImage stored(path);
        QCOMPARE(stored.size(), QSize(48, 48));
        QCOMPARE(qAlpha(stored.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(stored.pixel(47, 47)), 0);
        QCOMPARE(stored.pixelColor(24, 24), QColor(Qt::red));

        // Answered from the store by a later backend, but only for the same address.
        auto later = signedInBackend(QStringLiteral("200"));
        later->retrieveUserResources(&list, &id, UserType::ProfileImage, avatar("bob_normal.png"),
                                     Zr::CacheOnly);
        QCOMPARE(list, QVariantList {path});
        list.clear();
        later->retrieveUserResources(&list, &id, UserType::ProfileImage, avatar("bob_2_normal.png"),
                                     Zr::CacheOnly);
        QVERIFY(list.isEmpty());

        QSignalSpy laterUpdated(later.get(), &Zirrup::userUpdated);
        for (const auto &args : {avatar("bob_bigger.png", "bigger"), avatar("bob.png", "orig")})
            later->retrieveUserResources(nullptr, &id, UserType::ProfileImage, args,
                                         Zr::CacheThenNetwork);
        QTRY_COMPARE(laterUpdated.count(), 2);
        QMap<int, QImage> byWidth;
        for (const auto &signal : laterUpdated) {
            const QImage image(signal.at(1).toList().value(0).toString());
            byWidth.insert(image.width(), image);
        }
        QCOMPARE(byWidth.value(73).height(), 73);
        // The original keeps its size; no mask was set on this backend.
        QCOMPARE(byWidth.value(120).size(), QSize(120, 80));
        QCOMPARE(byWidth.value(120).pixelColor(0, 0), QColor(Qt::blue));

        // A new address for the same user and size replaces the stored picture.
        later->retrieveUserResources(nullptr, &id, UserType::ProfileImage,
                                     avatar("bob_2_normal.png"), Zr::CacheThenNetwork);
        QTRY_COMPARE(laterUpdated.count(), 3);
        QVERIFY(!QFile::exists(path));
    }
    void lowPriorityDownloadsRunTwoAtATime()
    {
        server->setHandler([](const HttpRequest &request) {
            HttpResponse answer = picture(48, 48);
            answer.mode = request.path.startsWith("/media/") ? HttpResponse::Held : answer.mode;
            return request.path.startsWith("/media/") ? answer : HttpResponse::json("{}");
        });
        auto backend = signedInBackend(QStringLiteral("201"));
        QSignalSpy updated(backend.get(), &Zirrup::userUpdated);
        QSignalSpy help(backend.get(), &Zirrup::helpRetrieved);
        int id;
        for (int i = 0; i < 5; ++i) {
            Zr::ArgMap args = avatar(QStringLiteral("user%1_normal.png").arg(i));
            args.insert("screen_name", QStringLiteral("user%1").arg(i));
            backend->retrieveUserResources(nullptr, &id, UserType::ProfileImage, args,
                                           Zr::CacheThenNetwork);
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
    // Previews of other sites come through the service, in the size asked for, and are kept.
    void linkPreviewsComeThroughTheService()
    {
        server->setHandler([](const HttpRequest &request) {
            if (request.query().value("url").contains("missing"))
                return HttpResponse::error(404, QStringLiteral("Not found"), request.path);
            return picture(request.query().value("size") == "thumb" ? 150 : 600, 150);
        });
        auto backend = signedInBackend(QStringLiteral("203"));
        QSignalSpy loaded(backend.get(), &Zirrup::tinyUrlImageLoaded);
        QSignalSpy errors(backend.get(), &Zirrup::networkRequestError);
        const Zr::ArgMap thumb {{"image_url", "http://zirpic.net/AbC1"}, {"as_thumb", "1"}};
        QString file;
        int id = -1;
        server->clearRequests();
        QCOMPARE(backend->retrieveTinyUrlImage(thumb, &file, &id), int(Zr::RequestSent));
        QVERIFY(loaded.wait(5000));
        QCOMPARE(loaded.at(0).at(1).toInt(), id);
        const QString path = loaded.at(0).at(0).toString();
        QCOMPARE(QImage(path).width(), 150);
        QCOMPARE(server->lastRequest().path, QStringLiteral("/1/links/preview"));
        QCOMPARE(server->lastRequest().query(),
                 (QMap<QString, QString> {{"url", "http://zirpic.net/AbC1"}, {"size", "thumb"}}));

        // Stored now: answered at once, also by a later backend, without a request.
        auto later = signedInBackend(QStringLiteral("203"));
        QCOMPARE(later->retrieveTinyUrlImage(thumb, &file, &id), int(Zr::RequestAnswered));
        QCOMPARE(file, path);
        QCOMPARE(id, -1);
        QCOMPARE(server->requestCount(), 1);

        // The full-size picture of the same link is another picture.
        QCOMPARE(
            backend->retrieveTinyUrlImage({{"image_url", "http://zirpic.net/AbC1"}}, &file, &id),
            int(Zr::RequestSent));
        QTRY_COMPARE(loaded.count(), 2);
        QCOMPARE(server->lastRequest().query().value("size"), QStringLiteral("large"));
        QCOMPARE(QImage(loaded.at(1).at(0).toString()).width(), 600);
        backend->retrieveTinyUrlImage({{"image_url", "http://zirpic.net/missing"}}, &file, &id);
        QVERIFY(errors.wait(5000));
        QCOMPARE(errors.at(0).at(1).toMap().value("http_status").toInt(), 404);
        QCOMPARE(backend->retrieveTinyUrlImage({{"image_url", "javascript:alert(1)"}}, &file, &id),
                 int(Zr::RequestFailed));

        // The service's own picture in its small size, by name, without credentials.
        const QString media = server->baseUrl().toString() + "/media/pics/1000000000000900001.png";
        backend->retrieveTinyUrlImage({{"image_url", media}, {"as_thumb", "1"}}, &file, &id);
        QTRY_COMPARE(loaded.count(), 3);
        QCOMPARE(server->lastRequest().path,
                 QStringLiteral("/media/pics/1000000000000900001.png:thumb"));
        QVERIFY(!server->lastRequest().headers.contains("authorization"));
    }
    void pictureLinksAreRecognised_data() { addJsonRows("picturelinks"); }
    void pictureLinksAreRecognised()
    {
        QFETCH(const QJsonObject, row);
        const QString own = QStringLiteral("http://127.0.0.1:%1").arg(server->baseUrl().port());
        auto backend = signedOutBackend();
        QCOMPARE(backend->imageTypeSupported(row["url"].toString().replace("$own", own)),
                 row["supported"].toBool());
    }

private:
    Zr::ArgMap avatar(const QString &file, const QString &size = QStringLiteral("normal")) const
    {
        return {{"screen_name", "Bob"},
                {"size", size},
                {"url", server->baseUrl().toString() + "/media/avatars/" + file},
                {"low_priority", "1"}};
    }
    FakeServer *server = cannedService(this);
};

QTEST_MAIN(TestImages)
#include "tst_images.moc"
