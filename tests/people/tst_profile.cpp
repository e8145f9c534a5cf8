#include "listsview.h"
#include "messagesview.h"
#include "profileview.h"
#include "trendsview.h"

#include "peoplefixtures.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QSignalSpy>
#include <QStandardItem>
#include <QTemporaryDir>
#include <QtTest>

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

// The file's address; an invalid size leaves no file there.
QString savedPicture(const QTemporaryDir &dir, const QSize &size,
                     const QString &fileName = QStringLiteral("me.png"), const char *format = "PNG")
{
    const QString path = dir.filePath(fileName);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    if (size.isValid() && !image.save(path, format))
        qFatal("cannot write %s", qPrintable(path));
    return QUrl::fromLocalFile(path).toString();
}
} // namespace

class TestProfile : public ScriptedSession
{
    Q_OBJECT

private Q_SLOTS:
    void init() { start(); }
    void profileOfTheCurrentUserOnly()
    {
        h->setCurrentUser("Bob");
        h->updateProfileView("Bob");
        QCOMPARE(showCall(b).args, Zr::ArgMap({{"screen_name", "bob"}}));
        QCOMPARE(b->lastCall("friendshipExists").args,
                 Zr::ArgMap({{"user_a", "bob"}, {"user_b", "alice"}}));
        QVERIFY(flag("profileview_loading"));

        b->complete(b->lastCall("retrieveBlockedIdsList"), {"1845", "99"});
        b->complete(showCall(b), {user("Bob")});
        const QStringList shown = {"profileview_loading",   "profileview_screen_name",
                                   "profileview_ui_url",    "profileview_statuses_count",
                                   "profileview_following", "profileview_own_profile",
                                   "profileview_blocked",   "profile_subview_blocked"};
        QCOMPARE(values(shown), QString("false|Bob||102|true|false|true|true"));
        // A missing location is empty text, not a missing property.
        QCOMPARE(c->contextProperty("profileview_location").typeId(), int(QMetaType::QString));

        // Only the answer about the profile asked last counts.
        const ScriptedCall bobFollows = b->lastCall("friendshipExists");
        h->updateIsFollower("carol");
        b->complete(bobFollows, {true});
        QVERIFY(!flag("profileview_follower"));
        b->complete(b->lastCall("friendshipExists"), {true});
        QVERIFY(flag("profileview_follower"));

        // The pages moved on to carol (in other letter case): Bob's record is not shown.
        h->setCurrentUser("Carol");
        h->updateProfileView("carol");
        b->complete(showCall(b), {user("Bob")});
        QCOMPARE(text("profileview_screen_name"), QString());

        // The web address is the user's own text: it stays one link.
        QVariantMap sly = user("carol");
        sly.insert("url", "http://a.example/?q=1&r=\"><img src=x>");
        b->complete(showCall(b), {sly});
        const QString escaped = "http://a.example/?q=1&amp;r=&quot;&gt;&lt;img src=x&gt;";
        QCOMPARE(values({"profileview_screen_name", "profileview_ui_url"}),
                 "carol|<a href=\"" + escaped + "\" style=\"text-decoration:none; color:#4d6980\">"
                     + escaped + "</a>");

        // The own profile asks no follower test and no blocked ids again.
        b->clearCalls();
        h->setCurrentUser("Alice");
        h->updateProfileView("ALICE", true);
        QCOMPARE(b->callCount("friendshipExists") + b->callCount("retrieveBlockedIdsList"), 0);
        b->complete(showCall(b), {user("Alice")});

        // A failed load says so and drops the indicators.
        h->setContextProperty("updatingProfileImage", true);
        h->updateProfileView("alice", true);
        b->fail(showCall(b), "Not found");
        QCOMPARE(values({"profileview_loading", "updatingProfileImage"}), QString("false|false"));
        QCOMPARE(shownError(), QVariantList {QStringLiteral("qtn_zirrup_error_load_profile")});
    }
    void followAndBlockPatchEverything()
    {
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
        for (ZirrupModel *model :
             {pv->followerModel(), pv->followingModel(), pv->profileSearchModel()})
            QCOMPARE(column(model, "peoplelistitem_following").first(), QString("false"));

        // A block confirmation turns both blocked flags at once; following has ended both ways.
        b->complete(b->lastCall("friendshipExists"), {true});
        h->followProfile("Bob", true);
        b->complete(b->lastCall("createFriendship"), {user("Bob")});
        h->blockProfile("Bob", true);
        b->complete(b->lastCall("createBlock"), {unfollowed});
        QCOMPARE(pv->blockedIds(), QStringList({"1845"}));
        const QStringList flags = {"profileview_blocked", "profile_subview_blocked",
                                   "profileview_following", "profileview_follower"};
        QCOMPARE(values(flags), QString("true|true|false|false"));
    }
    void followersInBatchesOfTwenty()
    {
        start([](ScriptedBackend *backend) {
            backend->setCachedRecords("retrieveFaFResources", {user("Bob"), user("carol")});
        });
        ZirrupModel *followers = h->profileView()->followerModel();

        // The list of the profile already shown is not reloaded without force.
        h->updateFollowersView("Alice");
        QVERIFY(!b->hasCall("retrieveFaFResources"));

        h->updateFollowersView("Alice", true);
        QVERIFY(flag("peoplelistview_is_refreshing"));
        const ScriptedCall ids = b->lastCall("retrieveFaFResources");
        QCOMPARE(ids.type, int(FriendsFollowersType::Followers));
        QCOMPARE(ids.args, Zr::ArgMap({{"screen_name", "alice"}, {"cursor", "-1"}}));
        QCOMPARE(column(followers, "peoplelistitem_zirrupname"), QStringList({"Bob", "carol"}));

        QStringList all;
        for (int id = 1; id <= 45; ++id)
            all.append(QString::number(id));
        b->complete(ids, {idAnswer(all)});
        QCOMPARE(lookupCall(b).args.value("user_id"), all.mid(0, 20).join(','));

        // The network page replaces the cached rows; two more batches follow, then nothing.
        b->complete(lookupCall(b), people(1, 20));
        QCOMPARE(column(followers, "peoplelistitem_zirrupname").first(), QString("user1"));
        QVERIFY(!flag("peoplelistview_is_refreshing"));
        h->moreFollowersView();
        QVERIFY(flag("peoplelistview_is_loading_more"));
        QCOMPARE(lookupCall(b).args.value("user_id"), all.mid(20, 20).join(','));
        b->complete(lookupCall(b), people(21, 40));
        QCOMPARE(followers->count(), 40);
        QVERIFY(flag("peoplelistview_more_people_available"));
        h->moreFollowersView();
        QCOMPARE(lookupCall(b).args.value("user_id"), all.mid(40).join(','));
        b->complete(lookupCall(b), people(41, 45));
        QCOMPARE(followers->count(), 45);
        QCOMPARE(values({"peoplelistview_is_loading_more", "peoplelistview_more_people_available"}),
                 QString("false|false"));

        const int lookups = b->callCount("retrieveUserResources");
        h->moreFollowersView();
        QCOMPARE(b->callCount("retrieveUserResources"), lookups);
    }
    void nobodyToListAndPeopleSearch()
    {
        h->updateFollowingView("carol", true);
        const ScriptedCall ids = b->lastCall("retrieveFaFResources");
        QCOMPARE(ids.type, int(FriendsFollowersType::Following));
        b->clearCalls();
        b->complete(ids, {idAnswer({})});
        QVERIFY(!b->hasCall("retrieveUserResources"));
        QCOMPARE(values({"peoplelistview_is_refreshing", "peoplelistview_more_people_available"}),
                 QString("false|false"));

        // People search: without the at sign, once per query.
        ZirrupModel *results = h->profileView()->profileSearchModel();
        h->searchProfiles("@bob");
        h->searchProfiles("@bob");
        QCOMPARE(h->currentSearchString(), QString("@bob"));
        QVERIFY(flag("searchview_searching_profiles"));
        QCOMPARE(b->calls("searchResources").size(), 1);
        const ScriptedCall search = b->lastCall("searchResources");
        QCOMPARE(search.args, Zr::ArgMap({{"q", "bob"}}));
        b->complete(search, {user("Bob")});
        QCOMPARE(column(results, "peoplelistitem_zirrupname"), QStringList({"Bob"}));
        QCOMPARE(values({"searchview_searching_profiles", "searchview_more_profiles_available"}),
                 QString("false|false"));

        // A further page names its number, so it does not repeat the first; only a full page
        // offers one more.
        h->searchMoreProfiles();
        QCOMPARE(b->lastCall("searchResources").args, Zr::ArgMap({{"q", "bob"}, {"page", "2"}}));
        QVERIFY(flag("searchview_searching_more_profiles"));
        b->complete(b->lastCall("searchResources"), people(1, ProfileView::PeopleSearchPageSize));
        QVERIFY(flag("searchview_more_profiles_available"));
        QCOMPARE(results->count(), 1 + ProfileView::PeopleSearchPageSize);

        // Once the page has cleaned up, the same words are searched again.
        h->profileView()->cleanProfileSearchResults();
        h->searchProfiles("@bob");
        QCOMPARE(b->callCount("searchResources"), 3);
        QVERIFY(!flag("searchview_more_profiles_available"));
        b->fail(b->lastCall("searchResources"), "Internal error");
        QCOMPARE(shownError(), QVariantList {QStringLiteral("qtn_zirrup_error_search")});
    }
    void profilePhotoIsScaled_data()
    {
        QTest::addColumn<QSize>("picked");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QSize>("sent");
        QTest::newRow("wide") << QSize(1000, 400) << "wide.png" << QByteArray("png")
                              << QSize(500, 200);
        QTest::newRow("tall") << QSize(400, 1000) << "tall.jpg" << QByteArray("jpeg")
                              << QSize(200, 500);
        QTest::newRow("small") << QSize(300, 300) << "small.png" << QByteArray("png")
                               << QSize(300, 300);
        // Pictures that cannot be read or written again are not sent at all.
        QTest::newRow("missing") << QSize() << "missing.jpg" << QByteArray() << QSize();
        QTest::newRow("no writer") << QSize(10, 10) << "photo.data" << QByteArray() << QSize();
    }
    void profilePhotoIsScaled()
    {
        QFETCH(QSize, picked);
        QFETCH(QString, fileName);
        QFETCH(QByteArray, format);
        QFETCH(QSize, sent);
        QTemporaryDir dir;
        const QString url =
            savedPicture(dir, picked, fileName, format.isEmpty() ? "PNG" : format.constData());
        if (format.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("profile photo was not sent"));
        h->updateAccountImage(url);
        if (format.isEmpty()) {
            QVERIFY(!b->hasCall("retrieveAccountResources"));
            QVERIFY(!flag("updatingProfileImage"));
            QCOMPARE(shownError(), QVariantList {"qtn_zirrup_error_change_profile_image"});
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
        QVERIFY(flag("updatingProfileImage"));
        b->fail(upload, "Invalid parameter: image");
        QVERIFY(!flag("updatingProfileImage"));
    }
    void anotherAccountStartsEmpty()
    {
        ScriptedBackend *first = b;
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
        QTemporaryDir dir;
        h->updateAccountImage(savedPicture(dir, QSize(8, 8)));
        QCOMPARE(values({"profileview_loading", "updatingProfileImage"}), QString("true|true"));

        // A new sign-in of the same account keeps what the pages show; what the old backend will
        // never answer, the photo upload included, is no longer shown as under way.
        c->signIn("Alice");
        QCOMPARE(values({"profileview_screen_name", "profileview_loading", "updatingProfileImage"}),
                 QString("Bob|false|false"));
        QCOMPARE(p->followerModel()->count(), 2);
        QCOMPARE(messages->messageMap().size(), 1);
        for (ZirrupModel *model : others)
            QCOMPARE(model->count(), 1);

        // Another account sees none of it, and nothing the old backend still answers.
        c->signIn("Dora");
        QCOMPARE(values({"profileview_screen_name", "profile_subview_screen_name"}), QString("|"));
        QCOMPARE(messages->lastSeenId(), QString("0"));
        for (ZirrupModel *model : others
                 + QList<ZirrupModel *> {p->followerModel(), p->profileSearchModel(),
                                         messages->messageModel()})
            QCOMPARE(model->count(), 0);
        QCOMPARE(messages->messageMap().size(), 0);
        // Alice's conversation with Bob is not Dora's.
        h->updateConversationView("Bob");
        QCOMPARE(messages->conversationModel()->count(), 0);
        QCOMPARE(text("conversation_zirrupName"), QString());
        first->complete(showCall(first), {user("Bob")});
        first->complete(search, {user("Bob")});
        QCOMPARE(text("profileview_screen_name"), QString());
        QCOMPARE(p->profileSearchModel()->count(), 0);
        // The same words are searched again for the new account.
        h->searchProfiles("bob");
        QVERIFY(c->backend()->hasCall("searchResources"));
    }
};

QTEST_MAIN(TestProfile)
#include "tst_profile.moc"
