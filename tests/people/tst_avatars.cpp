#include "profileview.h"
#include "zirrupavatarprovider.h"

#include "peoplefixtures.h"

#include <QImage>
#include <QPixmapCache>
#include <QQmlEngine>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString BobUrl = QStringLiteral("http://127.0.0.1:8123/media/avatars/1845_2_normal.png");
const QString DefaultUrl =
    QStringLiteral("http://127.0.0.1:8123/media/avatars/default_profile_3_normal.png");

QList<ScriptedCall> downloads(ScriptedBackend *b, Zr::RetrieveBehavior behavior)
{
    QList<ScriptedCall> result;
    for (const ScriptedCall &call : b->calls("retrieveUserResources")) {
        if (call.type == UserType::ProfileImage && call.behavior == behavior)
            result.append(call);
    }
    return result;
}

QString storedPicture(const QTemporaryDir &dir, const QString &name, Qt::GlobalColor colour)
{
    QImage image(73, 73, QImage::Format_ARGB32);
    image.fill(colour);
    const QString path = dir.filePath(name);
    image.save(path);
    return path;
}
} // namespace

class TestAvatars : public ScriptedSession
{
    Q_OBJECT

private Q_SLOTS:
    void init() { start(); }
    void keysAndRequests()
    {
        b->clearCalls();

        // No name: the default avatar, and nothing asked.
        QCOMPARE(h->getProfileImage(QString(), BobUrl), ProfileView::defaultAvatar());
        QVERIFY(!b->hasCall("retrieveUserResources"));

        // Bob and bob are one key: the store is asked for each, one download goes out.
        QCOMPARE(h->getProfileImage("Bob", BobUrl, false, ProfileView::ImageSizeBigger),
                 ProfileView::defaultAvatar());
        QCOMPARE(h->getProfileImage("bob", BobUrl, false, ProfileView::ImageSizeBigger),
                 ProfileView::defaultAvatar());
        QCOMPARE(downloads(b, Zr::CacheOnly).size(), 2);
        QCOMPARE(downloads(b, Zr::CacheThenNetwork).size(), 1);
        const ScriptedCall bob = downloads(b, Zr::CacheThenNetwork).first();
        QCOMPARE(query(bob),
                 QString("low_priority=1&screen_name=bob&size=bigger&"
                         "url=http://127.0.0.1:8123/media/avatars/1845_2_bigger.png"));

        // The full picture of a default avatar does not exist: it is the list size instead.
        h->getProfileImage("carol", DefaultUrl, false, ProfileView::ImageSizeOriginal);
        const ScriptedCall carol = downloads(b, Zr::CacheThenNetwork).last();
        QCOMPARE(carol.args.value("size"), QString("bigger"));

        // Other full pictures drop the size from the name; a name without it is sent as it is.
        h->getProfileImage("Bob", BobUrl, false, ProfileView::ImageSizeOriginal);
        QCOMPARE(downloads(b, Zr::CacheThenNetwork).last().args.value("url"),
                 QString("http://127.0.0.1:8123/media/avatars/1845_2.png"));
        h->getProfileImage("dave_x", "http://elsewhere/dave.png", false,
                           ProfileView::ImageSizeBigger);
        const ScriptedCall dave = downloads(b, Zr::CacheThenNetwork).last();
        QCOMPARE(dave.args.value("url"), QString("http://elsewhere/dave.png"));

        // The name ends at the key's last "_".
        QSignalSpy loaded(h, &DataHandler::userImageLoaded);
        b->complete(dave, {QStringLiteral("/cache/dave_x-bigger.png")});
        QCOMPARE(loaded.first().at(0).toString(), QString("dave_x"));

        // A failed download may be tried again.
        b->fail(bob, "Not found");
        h->getProfileImage("BOB", BobUrl);
        QCOMPARE(downloads(b, Zr::CacheThenNetwork).last().args.value("screen_name"),
                 QString("bob"));

        // While a login is pending the controller answers nothing.
        h->reAuthentication();
        QCOMPARE(h->getProfileImage("bob", BobUrl), QString());
    }
    void downloadCompletesEverywhere()
    {
        QTemporaryDir dir;
        const QString path = storedPicture(dir, "carol-bigger.png", Qt::green);
        const QString source = "image://avatar/" + QUrl::fromLocalFile(path).toString();
        h->setCurrentUser("carol");
        h->updateProfileView("carol");
        b->complete(b->lastCall("retrieveBlockedIdsList"), {});
        for (const ScriptedCall &call : b->calls("retrieveUserResources")) {
            if (call.type == UserType::Show)
                b->complete(call, {fixtures::user("carol")});
        }
        h->updateFollowersView("alice", true);
        b->complete(b->lastCall("retrieveFaFResources"),
                    {QVariantMap {{"ids", QStringList {"1846"}}}});
        b->complete(b->lastCall("retrieveUserResources"), {fixtures::user("carol")});
        QCOMPARE(
            h->profileView()->followerModel()->get(0).value("peoplelistitem_avatar").toString(),
            ProfileView::defaultAvatar());

        QSignalSpy loaded(h, &DataHandler::userImageLoaded);
        // Not ours: nothing happens.
        Q_EMIT b->userUpdated(UserType::ProfileImage, {path}, 4242);
        QCOMPARE(loaded.count(), 0);

        const ScriptedCall download = downloads(b, Zr::CacheThenNetwork).first();
        QCOMPARE(download.args.value("screen_name"), QString("carol"));
        b->complete(download, {path});
        QCOMPARE(loaded.count(), 1);
        QCOMPARE(loaded.first().at(2).toString(), source);
        QCOMPARE(values({"profileview_profile_image_url", "profile_subview_profile_image_url"}),
                 source + "|" + source);
        QCOMPARE(
            h->profileView()->followerModel()->get(0).value("peoplelistitem_avatar").toString(),
            source);
    }
    void forcedReloadDropsThePicture()
    {
        QTemporaryDir dir;
        const QString path = storedPicture(dir, "bob-bigger.png", Qt::blue);
        const QString fileUrl = QUrl::fromLocalFile(path).toString();
        start([path](ScriptedBackend *backend) {
            backend->setCachedRecords("retrieveUserResources", {path});
        });

        // A stored avatar is served at once, the second time from memory.
        b->clearCalls();
        QCOMPARE(h->getProfileImage("bob", BobUrl), "image://avatar/" + fileUrl);
        QCOMPARE(h->getProfileImage("Bob", BobUrl), "image://avatar/" + fileUrl);
        QCOMPARE(downloads(b, Zr::CacheOnly).size(), 1);
        QCOMPARE(downloads(b, Zr::CacheThenNetwork).size(), 0);

        ZirrupAvatarProvider provider;
        provider.requestPixmap(fileUrl, nullptr, QSize());
        QPixmap held;
        QVERIFY(QPixmapCache::find(fileUrl, &held));

        // Even a known avatar is fetched again, and the shown one stays in use meanwhile.
        QCOMPARE(h->getProfileImage("Bob", BobUrl, true), "image://avatar/" + fileUrl);
        QVERIFY(!QPixmapCache::find(fileUrl, &held));
        QCOMPARE(downloads(b, Zr::CacheThenNetwork).size(), 1);
    }
    void providerCachesAndFallsBack()
    {
        QTemporaryDir dir;
        const QString path = storedPicture(dir, "dave.png", Qt::red);
        const QString id = QUrl::fromLocalFile(path).toString();
        ZirrupAvatarProvider provider;

        QSize size;
        QPixmap pixmap = provider.requestPixmap(id, &size, QSize(20, 20));
        QCOMPARE(size, QSize(73, 73));
        QCOMPARE(pixmap.toImage().pixelColor(36, 36), QColor(Qt::red));

        // A file that cannot be read shows the fallback, which is what the cache keeps.
        const QString missing = QUrl::fromLocalFile(dir.filePath("gone.png")).toString();
        const QImage fallback(ZirrupAvatarProvider::fallbackImage());
        QVERIFY(!fallback.isNull());
        pixmap = provider.requestPixmap(missing, &size, QSize());
        QCOMPARE(size, fallback.size());
        QPixmap cached;
        QVERIFY(QPixmapCache::find(missing, &cached));
        QCOMPARE(cached.size(), fallback.size());
    }
};

QTEST_MAIN(TestAvatars)
#include "tst_avatars.moc"
