#include "datahandler.h"
#include "listsview.h"
#include "messagesview.h"
#include "profileview.h"
#include "trendsview.h"
#include "zirrupmodel.h"

#include "peoplefixtures.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QSignalSpy>
#include <QStandardItem>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using fixtures::column;
using fixtures::user;

namespace {
QVariantList people(int first, int last)
{
    QVariantList list;
    for (int id = first; id <= last; ++id)
        list.append(QVariantMap {{"id", QString::number(id)},
                                 {"screen_name", QStringLiteral("user%1").arg(id)},
                                 {"following", false}});
    return list;
}

QVariantMap idAnswer(const QStringList &ids)
{
    return {{"ids", QVariant(ids)}, {"next_cursor", "0"}};
}

ScriptedCall showCall(ScriptedBackend *b)
{
    return b->lastCall("retrieveUserResources", UserType::Show);
}

ScriptedCall lookupCall(ScriptedBackend *b)
{
    return b->lastCall("retrieveUserResources", UserType::Lookup);
}
} // namespace

class TestProfile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void profileOfTheCurrentUserOnly();
    void followAndBlockPatchEverything();
    void followersInBatchesOfTwenty();
    void nobodyToListAndPeopleSearch();
    void profilePhotoIsScaled_data();
    void profilePhotoIsScaled();
    void newPhotoIsFetchedAgain_data();
    void newPhotoIsFetchedAgain();
    void anotherAccountStartsEmpty();
};

void TestProfile::profileOfTheCurrentUserOnly()
{
    ScriptedController c;
    c.startSignedIn();
    ScriptedBackend *b = c.backend();
    DataHandler *h = c.handler();

    h->setCurrentUser("Bob");
    h->updateProfileView("Bob");
    QCOMPARE(showCall(b).args, Zr::ArgMap({{"screen_name", "bob"}}));
    QCOMPARE(b->lastCall("friendshipExists").args,
             Zr::ArgMap({{"user_a", "bob"}, {"user_b", "alice"}}));
    QCOMPARE(c.contextProperty("profileview_loading").toBool(), true);

    b->complete(b->lastCall("retrieveBlockedIdsList"), {"1845", "99"});
    b->complete(showCall(b), {user("Bob")});
    QCOMPARE(c.contextProperty("profileview_loading").toBool(), false);
    QCOMPARE(c.contextProperty("profileview_screen_name").toString(), QString("Bob"));
    // A missing location is empty text, not a missing property.
    QCOMPARE(c.contextProperty("profileview_location").typeId(), int(QMetaType::QString));
    QCOMPARE(c.contextProperty("profileview_ui_url").toString(), QString());
    QCOMPARE(c.contextProperty("profileview_statuses_count").toInt(), 102);
    QCOMPARE(c.contextProperty("profileview_following").toBool(), true);
    QCOMPARE(c.contextProperty("profileview_own_profile").toBool(), false);
    QCOMPARE(c.contextProperty("profileview_blocked").toBool(), true);
    QCOMPARE(c.contextProperty("profile_subview_blocked").toBool(), true);

    // Only the answer about the profile asked last counts.
    const ScriptedCall bobFollows = b->lastCall("friendshipExists");
    h->updateIsFollower("carol");
    b->complete(bobFollows, {true});
    QCOMPARE(c.contextProperty("profileview_follower").toBool(), false);
    b->complete(b->lastCall("friendshipExists"), {true});
    QCOMPARE(c.contextProperty("profileview_follower").toBool(), true);

    // The pages moved on to carol (in other letter case): Bob's record is not shown.
    h->setCurrentUser("Carol");
    h->updateProfileView("carol");
    b->complete(showCall(b), {user("Bob")});
    QCOMPARE(c.contextProperty("profileview_screen_name").toString(), QString());
    b->complete(showCall(b), {user("carol")});
    QCOMPARE(c.contextProperty("profileview_screen_name").toString(), QString("carol"));
    QCOMPARE(c.contextProperty("profileview_ui_url").toString(),
             QString("<a href=\"x\" style=\"text-decoration:none; color:#4d6980\">x</a>"));

    // The web address is the user's own text: it stays one link.
    QVariantMap sly = user("carol");
    sly.insert("url", "http://a.example/?q=1&r=\"><img src=x>");
    b->complete(showCall(b), {sly});
    const QString escaped = "http://a.example/?q=1&amp;r=&quot;&gt;&lt;img src=x&gt;";
    QCOMPARE(c.contextProperty("profileview_ui_url").toString(),
             "<a href=\"" + escaped + "\" style=\"text-decoration:none; color:#4d6980\">" + escaped
                 + "</a>");

    // The own profile asks no follower test and no blocked ids again.
    b->clearCalls();
    h->setCurrentUser("Alice");
    h->updateProfileView("ALICE", true);
    QCOMPARE(b->methods().count("friendshipExists") + b->methods().count("retrieveBlockedIdsList"),
             0);
    b->complete(showCall(b), {user("Alice")});
    QCOMPARE(c.contextProperty("profileview_own_profile").toBool(), true);

    // A failed load says so and drops the indicators.
    h->setContextProperty("updatingProfileImage", true);
    h->updateProfileView("alice", true);
    b->fail(showCall(b), "Not found");
    QCOMPARE(c.contextProperty("profileview_loading").toBool(), false);
    QCOMPARE(c.contextProperty("updatingProfileImage").toBool(), false);
    QCOMPARE(c.view().lastArguments("showError"),
             QVariantList {QStringLiteral("qtn_zirrup_error_load_profile")});
}

void TestProfile::followAndBlockPatchEverything()
{
    ScriptedController c;
    c.startSignedIn();
    ScriptedBackend *b = c.backend();
    DataHandler *h = c.handler();
    ProfileView *pv = h->profileView();

    // Bob shows in all three people lists, once in capitals.
    QVariantMap upperBob = user("Bob");
    upperBob.insert("screen_name", "BOB");
    h->updateFollowersView("alice", true);
    b->complete(b->lastCall("retrieveFaFResources"), {idAnswer({"1845", "1846"})});
    b->complete(lookupCall(b), {user("Bob"), user("carol")});
    h->updateFollowingView("alice", true);
    b->complete(b->lastCall("retrieveFaFResources"), {idAnswer({"1845"})});
    b->complete(lookupCall(b), {upperBob});
    h->searchProfiles("bob");
    b->complete(b->lastCall("searchResources"), {user("Bob")});

    h->setCurrentUser("bob");
    h->updateProfileView("bob");
    b->complete(b->lastCall("retrieveBlockedIdsList"), {});
    b->complete(showCall(b), {user("Bob")});

    h->followProfile("Bob", false);
    QVariantMap unfollowed = user("Bob");
    unfollowed.insert("following", false);
    b->complete(b->lastCall("destroyFriendship"), {unfollowed});
    QCOMPARE(c.contextProperty("profileview_following").toBool(), false);
    for (ZirrupModel *model : {pv->followerModel(), pv->followingModel(), pv->profileSearchModel()})
        QCOMPARE(column(model, "peoplelistitem_following").first(), QString("false"));

    // A block confirmation turns both blocked flags at once, and back; following has ended
    // both ways.
    b->complete(b->lastCall("friendshipExists"), {true});
    h->followProfile("Bob", true);
    b->complete(b->lastCall("createFriendship"), {user("Bob")});
    h->blockProfile("Bob", true);
    b->complete(b->lastCall("createBlock"), {unfollowed});
    QCOMPARE(pv->blockedIds(), QStringList({"1845"}));
    QCOMPARE(c.contextProperty("profileview_blocked").toBool(), true);
    QCOMPARE(c.contextProperty("profile_subview_blocked").toBool(), true);
    QCOMPARE(c.contextProperty("profileview_following").toBool(), false);
    QCOMPARE(c.contextProperty("profileview_follower").toBool(), false);
    h->blockProfile("Bob", false);
    b->complete(b->lastCall("destroyBlock"), {unfollowed});
    QCOMPARE(c.contextProperty("profileview_blocked").toBool(), false);
    QCOMPARE(c.contextProperty("profile_subview_blocked").toBool(), false);
}

void TestProfile::followersInBatchesOfTwenty()
{
    ScriptedController c;
    c.setBackendSetup([](ScriptedBackend *backend) {
        backend->setCachedRecords("retrieveFaFResources", {user("Bob"), user("carol")});
    });
    c.startSignedIn();
    ScriptedBackend *b = c.backend();
    DataHandler *h = c.handler();
    ZirrupModel *followers = h->profileView()->followerModel();

    // The list of the profile already shown is not reloaded without force.
    h->updateFollowersView("Alice");
    QVERIFY(!b->hasCall("retrieveFaFResources"));

    h->updateFollowersView("Alice", true);
    const ScriptedCall ids = b->lastCall("retrieveFaFResources");
    QCOMPARE(ids.type, int(FriendsFollowersType::Followers));
    QCOMPARE(ids.args, Zr::ArgMap({{"screen_name", "alice"}, {"cursor", "-1"}}));
    QCOMPARE(column(followers, "peoplelistitem_zirrupname"), QStringList({"Bob", "carol"}));
    QCOMPARE(c.contextProperty("peoplelistview_is_refreshing").toBool(), true);

    QStringList all;
    for (int id = 1; id <= 45; ++id)
        all.append(QString::number(id));
    b->complete(ids, {idAnswer(all)});
    QCOMPARE(lookupCall(b).args.value("user_id"), all.mid(0, 20).join(','));

    // The network page replaces the cached rows.
    b->complete(lookupCall(b), people(1, 20));
    QCOMPARE(followers->count(), 20);
    QCOMPARE(column(followers, "peoplelistitem_zirrupname").first(), QString("user1"));
    QCOMPARE(c.contextProperty("peoplelistview_is_refreshing").toBool(), false);
    QCOMPARE(c.contextProperty("peoplelistview_more_people_available").toBool(), true);

    h->moreFollowersView();
    QCOMPARE(lookupCall(b).args.value("user_id"), all.mid(20, 20).join(','));
    QCOMPARE(c.contextProperty("peoplelistview_is_loading_more").toBool(), true);
    b->complete(lookupCall(b), people(21, 40));
    QCOMPARE(followers->count(), 40);
    QCOMPARE(c.contextProperty("peoplelistview_more_people_available").toBool(), true);

    h->moreFollowersView();
    QCOMPARE(lookupCall(b).args.value("user_id"), all.mid(40).join(','));
    b->complete(lookupCall(b), people(41, 45));
    QCOMPARE(followers->count(), 45);
    QCOMPARE(c.contextProperty("peoplelistview_is_loading_more").toBool(), false);
    QCOMPARE(c.contextProperty("peoplelistview_more_people_available").toBool(), false);

    // Past the end nothing is asked for.
    const int lookups = b->callCount("retrieveUserResources");
    h->moreFollowersView();
    QCOMPARE(b->callCount("retrieveUserResources"), lookups);
}

void TestProfile::nobodyToListAndPeopleSearch()
{
    ScriptedController c;
    c.startSignedIn();
    ScriptedBackend *b = c.backend();
    DataHandler *h = c.handler();

    h->updateFollowingView("carol", true);
    const ScriptedCall ids = b->lastCall("retrieveFaFResources");
    QCOMPARE(ids.type, int(FriendsFollowersType::Following));
    b->clearCalls();
    b->complete(ids, {idAnswer({})});
    QVERIFY(!b->hasCall("retrieveUserResources"));
    QCOMPARE(h->profileView()->followingModel()->count(), 0);
    QCOMPARE(c.contextProperty("peoplelistview_is_refreshing").toBool(), false);
    QCOMPARE(c.contextProperty("peoplelistview_more_people_available").toBool(), false);

    // People search: without the at sign, once per query.
    ZirrupModel *results = h->profileView()->profileSearchModel();
    h->searchProfiles("@bob");
    QCOMPARE(h->currentSearchString(), QString("@bob"));
    const ScriptedCall search = b->lastCall("searchResources");
    QCOMPARE(search.args, Zr::ArgMap({{"q", "bob"}}));
    QCOMPARE(c.contextProperty("searchview_searching_profiles").toBool(), true);
    h->searchProfiles("@bob");
    QCOMPARE(b->callCount("searchResources"), 1);
    b->complete(search, {user("Bob")});
    QCOMPARE(column(results, "peoplelistitem_zirrupname"), QStringList({"Bob"}));
    QCOMPARE(c.contextProperty("searchview_searching_profiles").toBool(), false);

    QCOMPARE(c.contextProperty("searchview_more_profiles_available").toBool(), false);

    // A further page names its number, so it does not repeat the first; only a full page
    // offers one more.
    h->searchMoreProfiles();
    QCOMPARE(b->lastCall("searchResources").args, Zr::ArgMap({{"q", "bob"}, {"page", "2"}}));
    QCOMPARE(c.contextProperty("searchview_searching_more_profiles").toBool(), true);
    b->complete(b->lastCall("searchResources"), people(1, ProfileView::PeopleSearchPageSize));
    QCOMPARE(c.contextProperty("searchview_more_profiles_available").toBool(), true);
    QCOMPARE(results->count(), 1 + ProfileView::PeopleSearchPageSize);

    // Once the page has cleaned up, the same words are searched again.
    h->profileView()->cleanProfileSearchResults();
    h->searchProfiles("@bob");
    QCOMPARE(b->callCount("searchResources"), 3);
    QCOMPARE(c.contextProperty("searchview_more_profiles_available").toBool(), false);
    b->fail(b->lastCall("searchResources"), "Internal error");
    QCOMPARE(c.view().lastArguments("showError"),
             QVariantList {QStringLiteral("qtn_zirrup_error_search")});
}

void TestProfile::profilePhotoIsScaled_data()
{
    QTest::addColumn<QSize>("picked");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("sent");
    QTest::newRow("wide") << QSize(1000, 400) << "wide.png" << QByteArray("png") << QSize(500, 200);
    QTest::newRow("tall") << QSize(400, 1000) << "tall.jpg" << QByteArray("jpeg")
                          << QSize(200, 500);
    QTest::newRow("small") << QSize(300, 300) << "small.png" << QByteArray("png")
                           << QSize(300, 300);
    // Pictures that cannot be read or written again are not sent at all.
    QTest::newRow("missing") << QSize() << "missing.jpg" << QByteArray() << QSize();
    QTest::newRow("no writer") << QSize(10, 10) << "photo.data" << QByteArray() << QSize();
}

void TestProfile::profilePhotoIsScaled()
{
    QFETCH(QSize, picked);
    QFETCH(QString, fileName);
    QFETCH(QByteArray, format);
    QFETCH(QSize, sent);
    QTemporaryDir dir;
    const QString path = dir.filePath(fileName);
    if (picked.isValid()) {
        QImage image(picked, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QVERIFY(image.save(path, format.isEmpty() ? "PNG" : format.constData()));
    }

    ScriptedController c;
    c.startSignedIn();
    ScriptedBackend *b = c.backend();
    if (format.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("profile photo was not sent"));
    c.handler()->updateAccountImage(QUrl::fromLocalFile(path).toString());
    if (format.isEmpty()) {
        QVERIFY(!b->hasCall("retrieveAccountResources"));
        QCOMPARE(c.contextProperty("updatingProfileImage").toBool(), false);
        QCOMPARE(c.view().lastArguments("showError"),
                 QVariantList {QStringLiteral("qtn_zirrup_error_change_profile_image")});
        return;
    }

    const ScriptedCall upload = b->lastCall("retrieveAccountResources");
    QCOMPARE(upload.type, int(AccountType::UpdateProfileImage));
    QCOMPARE(upload.args, Zr::ArgMap({{"image", fileName}}));
    QBuffer buffer;
    buffer.setData(upload.payload);
    QImageReader reader(&buffer);
    QCOMPARE(reader.format(), format);
    QCOMPARE(reader.read().size(), sent);
    QCOMPARE(c.contextProperty("updatingProfileImage").toBool(), true);

    b->fail(upload, "Invalid parameter: image");
    QCOMPARE(c.contextProperty("updatingProfileImage").toBool(), false);
}

void TestProfile::newPhotoIsFetchedAgain_data()
{
    QTest::addColumn<QString>("shownProfile");
    QTest::addColumn<QString>("openedDuringReread");
    QTest::newRow("own profile shown") << "Alice"
                                       << "";
    QTest::newRow("another profile shown") << "bob"
                                           << "";
    QTest::newRow("another profile opened during the re-read") << "Alice"
                                                               << "bob";
}

void TestProfile::newPhotoIsFetchedAgain()
{
    QFETCH(QString, shownProfile);
    QFETCH(QString, openedDuringReread);
    QTemporaryDir dir;
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::yellow);
    QVERIFY(image.save(dir.filePath("me.png")));

    ScriptedController c;
    c.startSignedIn();
    ScriptedBackend *b = c.backend();
    DataHandler *h = c.handler();
    h->setCurrentUser(shownProfile);
    h->updateAccountImage(QUrl::fromLocalFile(dir.filePath("me.png")).toString());
    QVariantMap renewed = user("Alice");
    renewed.insert("profile_image_url", "http://127.0.0.1:8123/media/avatars/1844_9_normal.png");
    b->complete(b->lastCall("retrieveAccountResources"), {renewed});

    // Ten seconds later the own profile is read again, and the new picture fetched.
    QTimer *later = h->profileView()->ownImageRefreshTimer();
    QVERIFY(later->isActive());
    QCOMPARE(later->interval(), 10000);
    later->start(0);
    QTRY_COMPARE(showCall(b).args.value("screen_name"), QString("alice"));
    const ScriptedCall reread = showCall(b);
    if (!openedDuringReread.isEmpty()) {
        h->setCurrentUser(openedDuringReread);
        h->updateProfileView(openedDuringReread, true);
    }
    b->complete(reread, {renewed});
    const ScriptedCall download =
        b->lastCall("retrieveUserResources", UserType::ProfileImage, Zr::CacheThenNetwork);
    QVERIFY(download.args.value("url").contains("1844_9"));
    QCOMPARE(c.contextProperty("updatingProfileImage").toBool(), true);

    // Bound images first let go of the old picture, then get the new one.
    QSignalSpy loaded(h, &DataHandler::userImageLoaded);
    const QString stored = dir.filePath("alice-bigger.png");
    b->complete(download, {stored});
    QCOMPARE(loaded.count(), 2);
    QCOMPARE(loaded.at(0).at(0).toString(), QString("alice"));
    QCOMPARE(loaded.at(0).at(2).toString(), QString());
    QCOMPARE(loaded.at(1).at(2).toString(),
             "image://avatar/" + QUrl::fromLocalFile(stored).toString());
    QCOMPARE(c.contextProperty("updatingProfileImage").toBool(), false);
}

void TestProfile::anotherAccountStartsEmpty()
{
    ScriptedController c;
    c.startSignedIn();
    ScriptedBackend *first = c.backend();
    DataHandler *h = c.handler();
    ProfileView *p = h->profileView();
    MessagesView *messages = h->messagesView();
    // Rows of the other per-account lists.
    const QList<ZirrupModel *> others = {
        h->timelineView()->timelineModel(), h->timelineView()->mentionsModel(),
        h->listsView()->subscribedListsModel(), h->listsView()->addedToListsModel(),
        h->trendsView()->savedSearchesModel()};
    for (ZirrupModel *model : others)
        model->appendRow(new QStandardItem(QStringLiteral("of alice")));
    h->onDirectMessageAdded({fixtures::message("999", "Bob", "alice")}, false);
    h->updateMessagesView();
    QCOMPARE(messages->lastSeenId(), QString("999"));

    h->setCurrentUser("Bob");
    h->updateProfileView("Bob");
    first->complete(showCall(first), {user("Bob")});
    h->updateFollowersView("Bob", true);
    first->complete(first->lastCall("retrieveFaFResources"), {idAnswer({"1", "2"})});
    first->complete(lookupCall(first), people(1, 2));
    h->searchProfiles("bob");
    const ScriptedCall search = first->lastCall("searchResources");
    first->complete(search, {user("Bob")});
    h->followProfile("Bob", true);
    QCOMPARE(c.contextProperty("profileview_loading").toBool(), true);
    QTemporaryDir dir;
    QImage photo(8, 8, QImage::Format_RGB32);
    photo.fill(Qt::red);
    QVERIFY(photo.save(dir.filePath("me.png")));
    h->updateAccountImage(QUrl::fromLocalFile(dir.filePath("me.png")).toString());
    QCOMPARE(c.contextProperty("updatingProfileImage").toBool(), true);

    // A new sign-in of the same account keeps what the pages show; what the old backend will
    // never answer, the photo upload included, is no longer shown as under way.
    c.signIn("Alice");
    QVERIFY(c.backend() != first);
    QCOMPARE(c.contextProperty("profileview_screen_name").toString(), QString("Bob"));
    QCOMPARE(c.contextProperty("profileview_loading").toBool(), false);
    QCOMPARE(c.contextProperty("updatingProfileImage").toBool(), false);
    QCOMPARE(p->followerModel()->count(), 2);
    QCOMPARE(messages->messageMap().size(), 1);
    for (ZirrupModel *model : others)
        QCOMPARE(model->count(), 1);

    // Another account sees none of it, and nothing the old backend still answers.
    c.signIn("Dora");
    QCOMPARE(c.contextProperty("profileview_screen_name").toString(), QString());
    QCOMPARE(c.contextProperty("profile_subview_screen_name").toString(), QString());
    QCOMPARE(p->followerModel()->count(), 0);
    QCOMPARE(p->profileSearchModel()->count(), 0);
    QCOMPARE(messages->messageMap().size(), 0);
    QCOMPARE(messages->messageModel()->count(), 0);
    QCOMPARE(messages->lastSeenId(), QString("0"));
    for (ZirrupModel *model : others)
        QCOMPARE(model->count(), 0);
    // Alice's conversation with Bob is not Dora's.
    h->updateConversationView("Bob");
    QCOMPARE(messages->conversationModel()->count(), 0);
    QCOMPARE(c.contextProperty("conversation_zirrupName").toString(), QString());
    first->complete(showCall(first), {user("Bob")});
    first->complete(search, {user("Bob")});
    QCOMPARE(c.contextProperty("profileview_screen_name").toString(), QString());
    QCOMPARE(p->profileSearchModel()->count(), 0);
    // The same words are searched again for the new account.
    h->searchProfiles("bob");
    QVERIFY(c.backend()->hasCall("searchResources"));
}

QTEST_MAIN(TestProfile)
#include "tst_profile.moc"
