// The people-facing adapters (messages, profiles, avatars, trends, places, lists) against the
// scripted backend, with the service records of fixtures/.

#include "areatestmain.h"
#include "jsonrows.h"
#include "listsview.h"
#include "messagesview.h"
#include "profileview.h"
#include "scriptedsession.h"
#include "trendsview.h"
#include "zirrupavatarprovider.h"

#include <QAbstractItemModelTester>
#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPixmapCache>
#include <QSignalSpy>
#include <QStandardItem>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// alice (the signed-in user, stored as "Alice"), Bob, carol (protected, default avatar).
QVariantMap user(const QString &screenName)
{
    for (const QVariant &user : fixtureFile(QStringLiteral("users.json")).toList()) {
        if (user.toMap().value("screen_name").toString().toLower() == screenName.toLower())
            return user.toMap();
    }
    qFatal("no fixture user %s", qPrintable(screenName));
}

// A direct message; the names are written as given (the service keeps the stored case).
QVariantMap message(const QString &id, const QString &sender, const QString &recipient,
                    const QString &text = QStringLiteral("Lunch at 12?"))
{
    QVariantMap record = fixtureFile(QStringLiteral("direct_message.json")).toMap();
    record.insert(QStringLiteral("id"), id);
    record.insert(QStringLiteral("text"), text);
    for (const auto &[role, name] :
         {std::pair {"sender", sender}, std::pair {"recipient", recipient}}) {
        QVariantMap person = user(name);
        person.insert(QStringLiteral("screen_name"), name);
        record.insert(QLatin1String(role), person);
        record.insert(QLatin1String(role) + QLatin1String("_screen_name"), name);
    }
    return record;
}

const QString Alice = QStringLiteral("alice");
const QString Tables = QStringLiteral(ZIRRUP_TEST_DATA_DIR "/fixtures/tables.json");

QVariantList people(int first, int last)
{
    QVariantList list;
    for (int id = first; id <= last; ++id)
        list.append(QVariantMap {{"id", QString::number(id)},
                                 {"screen_name", QStringLiteral("user%1").arg(id)},
                                 {"following", false}});
    return list;
}

// A red picture's path; an invalid size leaves no file there.
QString savedPicture(const QTemporaryDir &dir, const QString &fileName,
                     const QSize &size = QSize(73, 73), const char *format = "PNG")
{
    const QString path = dir.filePath(fileName);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red);
    if (size.isValid() && !image.save(path, format))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

const QString BobUrl = QStringLiteral("http://127.0.0.1:8123/media/avatars/1845_2_normal.png");
const QString DefaultUrl =
    QStringLiteral("http://127.0.0.1:8123/media/avatars/default_profile_3_normal.png");

QVariantMap listPage(const QString &nextCursor)
{
    QVariantMap page = fixtureFile("lists.json").toMap();
    page.insert("next_cursor", nextCursor);
    return page;
}
} // namespace

class TestPeople : public ScriptedSession
{
    Q_OBJECT

    ScriptedCall load(int type) const { return b->lastCall("retrieveDirectMessages", type); }
    ScriptedCall showCall() const { return b->lastCall("retrieveUserResources", UserType::Show); }
    ScriptedCall lookupCall() const
    {
        return b->lastCall("retrieveUserResources", UserType::Lookup);
    }
    static QVariantMap idAnswer(const QStringList &ids)
    {
        return {{"ids", ids}, {"next_cursor", "0"}};
    }
    static QVariantMap savedSearch(const QString &id, const QString &text)
    {
        return {{"id", id}, {"query", text}, {"name", text}};
    }
    // The avatar downloads asked of the backend with that behaviour.
    QList<ScriptedCall> downloads(Zr::RetrieveBehavior behavior) const
    {
        QList<ScriptedCall> result;
        for (const ScriptedCall &call : b->calls("retrieveUserResources")) {
            if (call.type == UserType::ProfileImage && call.behavior == behavior)
                result.append(call);
        }
        return result;
    }

private Q_SLOTS:
    void init() { start(); }
    // Deliveries of messages given as id, sender, recipient and text.
    void messagesOnePerPartnerHoldingTheNewest_data() { addJsonRows(Tables, "partners"); }
    void messagesOnePerPartnerHoldingTheNewest()
    {
        QFETCH(QVariantMap, row);
        ZirrupModel *list = h->messagesView()->messageModel();
        QAbstractItemModelTester tester(list,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);

        h->onDirectMessageAdded({message("5000", "carol", Alice)}, false);
        for (const QVariant &delivery : row.value("deliveries").toList()) {
            QVariantList records;
            for (const QVariant &fields : delivery.toList()) {
                const QStringList f = fields.toStringList();
                records.append(message(f.at(0), f.at(1), f.at(2), f.at(3)));
            }
            h->onDirectMessageAdded(records, delivery.toList().first().toList().at(1) == "Alice");
        }

        // 1000 is newer than 999 although it is smaller as text; carol's 5000 comes first.
        QCOMPARE(column(list, "msg_id"), QStringList({"5000", "1000"}));
        QCOMPARE(list->get(1).value("screen_name").toString().toLower(), QString("bob"));
        QCOMPARE(list->get(1).value("received"), row.value("received"));
        QCOMPARE(h->messagesView()->messageMap().size(), 3);
    }
    void messagesDeletionIsConfirmedFirst()
    {
        ZirrupModel *list = h->messagesView()->messageModel();
        ZirrupModel *conversation = h->messagesView()->conversationModel();

        h->onDirectMessageAdded({message("999", "Bob", Alice), message("5", "carol", Alice)},
                                false);
        h->onDirectMessageAdded({message("1000", "Alice", "Bob")}, true);
        h->updateConversationView("Bob");

        h->deleteMessage("1000");
        QCOMPARE(b->lastCall("deleteDirectMessage").args, Zr::ArgMap({{"id", "1000"}}));
        QCOMPARE(column(list, "msg_id"), QStringList({"1000", "5"}));

        // The newest goes: the next newest takes the partner's row in its place, and the open
        // conversation loses the message.
        b->complete(b->lastCall("deleteDirectMessage"));
        QCOMPARE(column(list, "msg_id"), QStringList({"999", "5"}));
        QCOMPARE(column(conversation, "msg_id"), QStringList({"999"}));

        // The only message goes: so does the conversation.
        h->onDirectMessageDeleted({{"id", "999"}});
        QCOMPARE(column(list, "msg_id"), QStringList({"5"}));
        QCOMPARE(conversation->count(), 0);
    }
    void messagesFirstLoad_data()
    {
        QTest::addColumn<bool>("cached");
        QTest::newRow("nothing cached, failure first") << false;
        QTest::newRow("cached messages, failure last") << true;
    }
    void messagesFirstLoad()
    {
        QFETCH(bool, cached);
        if (cached) {
            start([](ScriptedBackend *backend) {
                backend->setCachedRecords("retrieveDirectMessages", {message("100", "Bob", Alice)});
            });
        }
        ZirrupModel *list = h->messagesView()->messageModel();
        QCOMPARE(list->count(), cached ? 1 : 0);
        // Signing in finds the list empty: a full load, handing the backend out-lists.
        const ScriptedCall received = load(DirectMessageType::Received);
        const ScriptedCall sent = load(DirectMessageType::Sent);
        QVERIFY(sent.listPassed);
        // A message from the stream meanwhile does not count as an answer.
        h->onDirectMessageAdded({message("106", "carol", Alice)}, false);
        h->setContextProperty("messagesview_refresh_after_sending", true);

        // One request failing ends the load with the other; only a failure last says so.
        const QVariantList arrived = {message("105", "Bob", Alice), message("100", "Bob", Alice)};
        if (cached)
            b->complete(received, arrived);
        else
            b->fail(sent, QStringLiteral("Internal error"));
        QVERIFY(flag("messagesview_loading"));
        QCOMPARE(c->view().callCount("showError"), 0);
        if (cached)
            b->fail(sent, QStringLiteral("Internal error"));
        else
            b->complete(received, arrived);
        QCOMPARE(values({"messagesview_loading", "messagesview_refresh_after_sending"}),
                 QString("false|false"));
        QCOMPARE(shownError(),
                 cached ? QVariantList {QStringLiteral("qtn_zirrup_error_load_messages")}
                        : QVariantList());

        // What arrived since the cached state is unread; without a cache nothing is. The newest
        // message is seen once the first load is complete (not when it failed last).
        QCOMPARE(fields(list, 1, {"msg_id", "msg_unread"}), "105|" + QVariant(cached).toString());
        QCOMPARE(h->messagesView()->lastSeenId(), cached ? QString("100") : QString("106"));

        // The next refresh, asked without out-lists, marks only what is newer than that.
        h->updateMessagesView();
        QVERIFY(!load(DirectMessageType::Received).listPassed);
        b->complete(load(DirectMessageType::Received), {message("107", "carol", Alice)});
        b->complete(load(DirectMessageType::Sent), {});
        QCOMPARE(column(list, "msg_id"), QStringList({"107", "105"}));
        QCOMPARE(column(list, "msg_unread"), QStringList({"true", QVariant(cached).toString()}));

        // Opening a conversation reads it; the user's own message does not make it unread,
        // someone else's does.
        h->updateConversationView("CAROL");
        QVERIFY(!list->get(0).value("msg_unread").toBool());
        h->onDirectMessageAdded({message("108", "Alice", "carol")}, true);
        QCOMPARE(fields(list, 0, {"msg_id", "msg_unread"}), QString("108|false"));
        h->onDirectMessageAdded({message("109", "Bob", Alice)}, false);
        QCOMPARE(fields(list, 0, {"msg_id", "msg_unread"}), QString("109|true"));
    }
    void messagesConversationTipAndAvatars()
    {
        ZirrupModel *conversation = h->messagesView()->conversationModel();
        QAbstractItemModelTester tester(conversation,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);

        h->onDirectMessageAdded({message("1001", "BOB", Alice, "  See\n you   soon "),
                                 message("999", "Bob", Alice), message("5", "carol", Alice)},
                                false);
        h->onDirectMessageAdded({message("1000", "Alice", "bob")}, true);

        // Every message with the partner, oldest first; the header from the newest.
        h->updateConversationView("bob");
        QCOMPARE(column(conversation, "msg_id"), QStringList({"999", "1000", "1001"}));
        QCOMPARE(conversation->get(2).value("msg_text").toString(), QString("See you soon"));
        QCOMPARE(values({"conversation_zirrupName", "conversation_firstname"}),
                 QString("BOB|Bob Baker"));

        // Reopened after a new message, the rows stay and the new one is appended.
        QSignalSpy reset(conversation, &QAbstractItemModel::modelReset);
        h->onDirectMessageAdded({message("1002", "Bob", Alice)}, false);
        h->updateConversationView("Bob");
        QCOMPARE(column(conversation, "msg_id"), QStringList({"999", "1000", "1001", "1002"}));
        QCOMPARE(reset.count(), 0);

        // No partner leaves the model and clears the header.
        h->updateConversationView(QString());
        QCOMPARE(conversation->count(), 4);
        QCOMPARE(text("conversation_zirrupName"), QString());

        // The compose tip is the newest message with the recipient.
        h->prepareComposeTo("bob", "image://avatar/file:///b.png", "Bob Baker");
        QCOMPARE(values({"composeview_msg_text", "composeview_received", "composeview_screenname"}),
                 QString("Lunch at 12?|true|bob"));
        h->updateComposeConversationTip("dave");
        QCOMPARE(text("composeview_msg_text"), QString());

        // Avatars of the list size reach both models and the header; other sizes do not.
        h->updateConversationView("Bob");
        const QString avatar = QStringLiteral("image://avatar/file:///cache/bob-bigger.png");
        h->emitUserImageLoaded("BOB", ProfileView::ImageSizeOriginal, avatar);
        QCOMPARE(column(conversation, "avatar_url").count(avatar), 0);
        h->emitUserImageLoaded("BOB", ProfileView::ImageSizeBigger, avatar);
        QCOMPARE(h->messagesView()->messageModel()->get(0).value("avatar_url").toString(), avatar);
        QCOMPARE(column(conversation, "avatar_url").count(avatar), 4);
        // Alice wrote 1000: it keeps her picture as the sender's.
        QCOMPARE(column(conversation, "sender_avatar_url").count(avatar), 3);
        QCOMPARE(text("conversation_image_url"), avatar);
    }
    void profileOfTheCurrentUserOnly()
    {
        h->setCurrentUser("Bob");
        h->updateProfileView("Bob");
        QCOMPARE(query(showCall()) + ' ' + query(b->lastCall("friendshipExists")),
                 QString("screen_name=bob user_a=bob&user_b=alice"));
        QVERIFY(flag("profileview_loading"));

        b->complete(b->lastCall("retrieveBlockedIdsList"), {"1845", "99"});
        b->complete(showCall(), {user("Bob")});
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
        b->complete(showCall(), {user("Bob")});
        QCOMPARE(text("profileview_screen_name"), QString());

        // The web address is the user's own text: it stays one link.
        QVariantMap sly = user("carol");
        sly.insert("url", "http://a.example/?q=1&r=\"><img src=x>");
        b->complete(showCall(), {sly});
        const QString escaped = "http://a.example/?q=1&amp;r=&quot;&gt;&lt;img src=x&gt;";
        QCOMPARE(values({"profileview_screen_name", "profileview_ui_url"}),
                 "carol|<a href=\"" + escaped + "\" style=\"text-decoration:none; color:#4d6980\">"
                     + escaped + "</a>");

        // The own profile asks no follower test and no blocked ids again.
        b->clearCalls();
        h->setCurrentUser("Alice");
        h->updateProfileView("ALICE", true);
        QCOMPARE(b->callCount("friendshipExists") + b->callCount("retrieveBlockedIdsList"), 0);
        b->complete(showCall(), {user("Alice")});

        // A failed load says so and drops the indicators.
        h->setContextProperty("updatingProfileImage", true);
        h->updateProfileView("alice", true);
        b->fail(showCall(), "Not found");
        QCOMPARE(values({"profileview_loading", "updatingProfileImage"}), QString("false|false"));
        QCOMPARE(shownError(), QVariantList {QStringLiteral("qtn_zirrup_error_load_profile")});
    }
    void profileFollowAvatarAndBlockPatchEverything()
    {
        ProfileView *pv = h->profileView();

        // Bob shows in all three people lists, once in capitals.
        QVariantMap upperBob = user("Bob");
        upperBob.insert("screen_name", "BOB");
        h->updateFollowersView("alice", true);
        b->complete(b->lastCall("retrieveFaFResources"), {idAnswer({"1845", "1846"})});
        b->complete(lookupCall(), {user("Bob"), user("carol")});
        h->updateFollowingView("alice", true);
        b->complete(b->lastCall("retrieveFaFResources"), {idAnswer({"1845"})});
        b->complete(lookupCall(), {upperBob});
        h->searchProfiles("bob");
        b->complete(b->lastCall("searchResources"), {user("Bob")});

        h->setCurrentUser("bob");
        h->updateProfileView("bob");
        b->complete(b->lastCall("retrieveBlockedIdsList"), {});
        b->complete(showCall(), {user("Bob")});

        // His avatar, once downloaded, reaches his page and the lists; an answer to nobody does
        // nothing.
        QTemporaryDir dir;
        const QString path = savedPicture(dir, "bob-bigger.png");
        const QString source = "image://avatar/" + QUrl::fromLocalFile(path).toString();
        QCOMPARE(column(pv->followerModel(), "peoplelistitem_avatar").first(),
                 ProfileView::defaultAvatar());
        QSignalSpy loaded(h, &DataHandler::userImageLoaded);
        Q_EMIT b->userUpdated(UserType::ProfileImage, {path}, 4242);
        QCOMPARE(loaded.count(), 0);
        const ScriptedCall download = downloads(Zr::CacheThenNetwork).first();
        QCOMPARE(download.args.value("screen_name"), QString("bob"));
        b->complete(download, {path});
        QCOMPARE(loaded.count(), 1);
        QCOMPARE(loaded.first().at(2).toString(), source);
        QCOMPARE(values({"profileview_profile_image_url", "profile_subview_profile_image_url"}),
                 source + "|" + source);
        QCOMPARE(column(pv->followerModel(), "peoplelistitem_avatar").first(), source);

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
    void profileFollowersInBatchesOfTwenty()
    {
        start([](ScriptedBackend *backend) {
            backend->setCachedRecords("retrieveFaFResources", {user("Bob"), user("carol")});
        });
        ZirrupModel *followers = h->profileView()->followerModel();

        // The list of the profile already shown is not reloaded without force.
        h->updateFollowersView("Alice");
        QVERIFY(!b->hasCall("retrieveFaFResources"));

        h->updateFollowersView("Alice", true);
        const ScriptedCall ids =
            b->lastCall("retrieveFaFResources", FriendsFollowersType::Followers);
        QCOMPARE(ids.args, Zr::ArgMap({{"screen_name", "alice"}, {"cursor", "-1"}}));
        QCOMPARE(column(followers, "peoplelistitem_zirrupname"), QStringList({"Bob", "carol"}));

        QStringList all;
        for (int id = 1; id <= 45; ++id)
            all.append(QString::number(id));
        b->complete(ids, {idAnswer(all)});
        // The network page replaces the cached rows; two more batches follow, then nothing.
        for (int first = 0; first < 45; first += 20) {
            if (first > 0)
                h->moreFollowersView();
            QCOMPARE(values({"peoplelistview_is_refreshing", "peoplelistview_is_loading_more"}),
                     first > 0 ? "false|true" : "true|false");
            QCOMPARE(lookupCall().args.value("user_id"), all.mid(first, 20).join(','));
            b->complete(lookupCall(), people(first + 1, qMin(first + 20, 45)));
            QCOMPARE(column(followers, "peoplelistitem_zirrupname").first(), QString("user1"));
            QCOMPARE(followers->count(), qMin(first + 20, 45));
            QCOMPARE(
                values({"peoplelistview_is_loading_more", "peoplelistview_more_people_available"}),
                first < 40 ? "false|true" : "false|false");
        }
        const int lookups = b->callCount("retrieveUserResources");
        h->moreFollowersView();
        QCOMPARE(b->callCount("retrieveUserResources"), lookups);

        // Nobody to list: no lookup, and nothing more to come.
        h->updateFollowingView("carol", true);
        const ScriptedCall following = b->lastCall("retrieveFaFResources");
        b->clearCalls();
        b->complete(following, {idAnswer({})});
        QVERIFY(!b->hasCall("retrieveUserResources"));
        QCOMPARE(values({"peoplelistview_is_refreshing", "peoplelistview_more_people_available"}),
                 QString("false|false"));
    }
    void profilePeopleSearch()
    {
        // Without the at sign, once per query.
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
    // Pictures that cannot be read or written again are not sent at all.
    void profilePhotoIsScaled_data() { addJsonRows(Tables, "photos"); }
    void profilePhotoIsScaled()
    {
        QFETCH(QVariantMap, row);
        const QString fileName = row.value("file").toString();
        const QByteArray format = row.value("format").toByteArray();
        const auto size = [&row](const char *key) {
            const QVariantList sides = row.value(key).toList();
            return sides.isEmpty() ? QSize() : QSize(sides.at(0).toInt(), sides.at(1).toInt());
        };
        QTemporaryDir dir;
        const QString url =
            QUrl::fromLocalFile(savedPicture(dir, fileName, size("picked"),
                                             format.isEmpty() ? "PNG" : format.constData()))
                .toString();
        if (format.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("profile photo was not sent"));
        h->updateAccountImage(url);
        if (format.isEmpty()) {
            QVERIFY(!b->hasCall("retrieveAccountResources"));
            QVERIFY(!flag("updatingProfileImage"));
            QCOMPARE(shownError(), QVariantList {"qtn_zirrup_error_change_profile_image"});
            return;
        }

        const ScriptedCall upload =
            b->lastCall("retrieveAccountResources", AccountType::UpdateProfileImage);
        QCOMPARE(upload.args, Zr::ArgMap({{"image", fileName}}));
        QBuffer buffer;
        buffer.setData(upload.payload);
        QImageReader reader(&buffer);
        QCOMPARE(reader.format(), format);
        QCOMPARE(reader.read().size(), size("sent"));
        QVERIFY(flag("updatingProfileImage"));
        b->fail(upload, "Invalid parameter: image");
        QVERIFY(!flag("updatingProfileImage"));
    }
    void profileAnotherAccountStartsEmpty()
    {
        ProfileView *p = h->profileView();
        MessagesView *messages = h->messagesView();
        // Rows of the other per-account lists.
        const QList<ZirrupModel *> others = {
            h->timelineView()->timelineModel(), h->timelineView()->mentionsModel(),
            h->listsView()->subscribedListsModel(), h->listsView()->addedToListsModel(),
            h->trendsView()->savedSearchesModel()};
        for (ZirrupModel *model : others)
            model->appendRow(new QStandardItem(QStringLiteral("of alice")));
        h->onDirectMessageAdded({message("999", "Bob", "alice")}, false);
        h->updateMessagesView();

        h->setCurrentUser("Bob");
        h->updateProfileView("Bob");
        b->complete(showCall(), {user("Bob")});
        h->updateFollowersView("Bob", true);
        b->complete(b->lastCall("retrieveFaFResources"), {idAnswer({"1", "2"})});
        b->complete(lookupCall(), people(1, 2));
        h->searchProfiles("bob");
        const ScriptedCall search = b->lastCall("searchResources");
        b->complete(search, {user("Bob")});
        h->followProfile("Bob", true);
        QTemporaryDir dir;
        h->updateAccountImage(QUrl::fromLocalFile(savedPicture(dir, "me.png")).toString());
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

        // Another account sees none of it, and nothing the old backend (still b) answers.
        c->signIn("Dora");
        QCOMPARE(values({"profileview_screen_name", "profile_subview_screen_name"}), QString("|"));
        QCOMPARE(messages->lastSeenId(), QString("0"));
        for (ZirrupModel *model : others
                 + QList<ZirrupModel *> {p->followerModel(), p->profileSearchModel(),
                                         messages->messageModel()})
            QCOMPARE(model->count(), 0);
        QCOMPARE(messages->messageMap().size(), 0);
        // Alice's conversation with Bob is not Dora's; nothing the old backend answers shows.
        h->updateConversationView("Bob");
        b->complete(showCall(), {user("Bob")});
        b->complete(search, {user("Bob")});
        QCOMPARE(values({"profileview_screen_name", "conversation_zirrupName"}), QString("|"));
        QCOMPARE(messages->conversationModel()->count() + p->profileSearchModel()->count(), 0);
        // The same words are searched again for the new account.
        h->searchProfiles("bob");
        QVERIFY(c->backend()->hasCall("searchResources"));
    }
    void avatarsKeysAndRequests()
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
        QVERIFY(downloads(Zr::CacheOnly).size() == 2
                && downloads(Zr::CacheThenNetwork).size() == 1);
        const ScriptedCall bob = downloads(Zr::CacheThenNetwork).first();

        // The full picture of a default avatar does not exist: it is the list size instead. Other
        // full pictures drop the size from the name; a name without it is sent as it is.
        h->getProfileImage("carol", DefaultUrl, false, ProfileView::ImageSizeOriginal);
        h->getProfileImage("Bob", BobUrl, false, ProfileView::ImageSizeOriginal);
        h->getProfileImage("dave_x", "http://elsewhere/dave.png");
        QStringList asked; // low_priority, screen_name, size and url of each download
        for (const ScriptedCall &call : downloads(Zr::CacheThenNetwork))
            asked.append(QStringList(call.args.values()).join(' '));
        const QString avatars = "http://127.0.0.1:8123/media/avatars/";
        QCOMPARE(asked,
                 QStringList({"1 bob bigger " + avatars + "1845_2_bigger.png",
                              "1 carol bigger " + avatars + "default_profile_3_bigger.png",
                              "1 bob orig " + avatars + "1845_2.png",
                              "1 dave_x bigger http://elsewhere/dave.png"}));
        const ScriptedCall dave = downloads(Zr::CacheThenNetwork).last();

        // The name ends at the key's last "_".
        QSignalSpy loaded(h, &DataHandler::userImageLoaded);
        b->complete(dave, {QStringLiteral("/cache/dave_x-bigger.png")});
        QCOMPARE(loaded.first().at(0).toString(), QString("dave_x"));

        // A failed download may be tried again.
        b->fail(bob, "Not found");
        h->getProfileImage("BOB", BobUrl);
        QCOMPARE(downloads(Zr::CacheThenNetwork).last().args.value("screen_name"), QString("bob"));

        // While a login is pending the controller answers nothing.
        h->reAuthentication();
        QCOMPARE(h->getProfileImage("bob", BobUrl), QString());
    }
    void avatarsStoredShownAndReloaded()
    {
        QTemporaryDir dir;
        const QString path = savedPicture(dir, "bob-bigger.png");
        const QString fileUrl = QUrl::fromLocalFile(path).toString();
        start([path](ScriptedBackend *backend) {
            backend->setCachedRecords("retrieveUserResources", {path});
        });

        // A stored avatar is served at once, the second time from memory.
        b->clearCalls();
        QCOMPARE(h->getProfileImage("bob", BobUrl), "image://avatar/" + fileUrl);
        QCOMPARE(h->getProfileImage("Bob", BobUrl), "image://avatar/" + fileUrl);
        QVERIFY(downloads(Zr::CacheOnly).size() == 1 && downloads(Zr::CacheThenNetwork).isEmpty());

        // The provider shows the stored picture at its own size, and keeps it.
        ZirrupAvatarProvider provider;
        QSize size;
        const QPixmap pixmap = provider.requestPixmap(fileUrl, &size, QSize(20, 20));
        QCOMPARE(size, QSize(73, 73));
        QCOMPARE(pixmap.toImage().pixelColor(36, 36), QColor(Qt::red));
        QPixmap held;
        QVERIFY(QPixmapCache::find(fileUrl, &held));

        // Even a known avatar is fetched again, and the shown one stays in use meanwhile.
        QCOMPARE(h->getProfileImage("Bob", BobUrl, true), "image://avatar/" + fileUrl);
        QVERIFY(!QPixmapCache::find(fileUrl, &held));
        QCOMPARE(downloads(Zr::CacheThenNetwork).size(), 1);

        // A file that cannot be read shows the fallback, which is what the cache keeps.
        const QString missing = QUrl::fromLocalFile(dir.filePath("gone.png")).toString();
        const QImage fallback(ZirrupAvatarProvider::fallbackImage());
        QVERIFY(!fallback.isNull());
        provider.requestPixmap(missing, &size, QSize());
        QCOMPARE(size, fallback.size());
        QVERIFY(QPixmapCache::find(missing, &held));
        QCOMPARE(held.size(), fallback.size());
    }
    void discoverySavedSearchesInQueryOrder()
    {
        ZirrupModel *saved = h->trendsView()->savedSearchesModel();

        h->updateSavedSearches();
        b->complete(b->lastCall("retrieveSavedSearch"),
                    fixtureFile("saved_searches.json").toList());
        QCOMPARE(column(saved, "query_item"), QStringList({"bread", "qml", "qml"}));
        // Of two equal queries, the upper one's id.
        QCOMPARE(h->savedSearchId("qml"), saved->get(1).value("id").toString());
        QCOMPARE(h->savedSearchId("QML"), QString());

        // A new search lands in its place, not at the end.
        h->saveSearch("apple");
        b->complete(b->lastCall("retrieveSavedSearch"), {savedSearch("11", "apple")});
        QCOMPARE(column(saved, "query_item"), QStringList({"apple", "bread", "qml", "qml"}));
        QVERIFY(!flag("savedsearches_is_loading"));

        // Saving a query again is answered with the one saved before: still one row.
        h->saveSearch("bread");
        b->complete(b->lastCall("retrieveSavedSearch"), {savedSearch("5", "bread")});
        QCOMPARE(saved->count(), 4);

        // Deleting goes by the text's id; unknown text sends nothing.
        const int sent = b->callCount("retrieveSavedSearch");
        h->deleteSearch("pears");
        QCOMPARE(b->callCount("retrieveSavedSearch"), sent);
        h->deleteSearch("bread");
        QCOMPARE(b->lastCall("retrieveSavedSearch").args, Zr::ArgMap({{"id", "5"}}));
        b->complete(b->lastCall("retrieveSavedSearch"), {savedSearch("5", "bread")});
        QCOMPARE(column(saved, "query_item"), QStringList({"apple", "qml", "qml"}));

        // A failure keeps the rows and says so.
        h->saveSearch("x");
        QVERIFY(flag("savedsearches_is_loading"));
        b->fail(b->lastCall("retrieveSavedSearch"), "Internal error");
        QVERIFY(!flag("savedsearches_is_loading"));
        QCOMPARE(shownError(), QVariantList {QStringLiteral("qtn_zirrup_error_save_search")});
        QCOMPARE(saved->count(), 3);

        // The list read before a save and a delete that are answered first keeps both.
        h->updateSavedSearches();
        const ScriptedCall listing = b->lastCall("retrieveSavedSearch");
        h->saveSearch("zebra");
        b->complete(b->lastCall("retrieveSavedSearch"), {savedSearch("12", "zebra")});
        h->deleteSearch("apple");
        b->complete(b->lastCall("retrieveSavedSearch"), {savedSearch("11", "apple")});
        b->complete(listing, {savedSearch("11", "apple"), savedSearch("7", "qml")});
        QCOMPARE(column(saved, "query_item"), QStringList({"qml", "zebra"}));
    }
    void discoveryPlaceOfAPosition()
    {
        h->getGeoLocation("60.17", "24.94");
        const ScriptedCall lookup = b->lastCall("retrieveGeo");
        QCOMPARE(lookup.args,
                 Zr::ArgMap({{"lat", "60.17"}, {"long", "24.94"}, {"max_results", "1"}}));
        b->complete(lookup, {fixtureFile("places.json")});
        QCOMPARE(values({"geo_location", "geo_id"}), QString("Helsinki, Finland|4f6e2d1a9b3c8e70"));

        // Nowhere near a place: both empty.
        h->getGeoLocation("0.5", "-30.1");
        b->complete(b->lastCall("retrieveGeo"),
                    {QVariantMap {{"result", QVariantMap {{"places", QVariantList()}}}}});
        QCOMPARE(values({"geo_location", "geo_id"}), QString("|"));

        // Empty coordinates only clear.
        h->getGeoLocation("60.17", "24.94");
        const ScriptedCall stale = b->lastCall("retrieveGeo");
        h->getGeoLocation("", "");
        b->complete(stale, {fixtureFile("places.json")});
        QCOMPARE(text("geo_location"), QString());

        // A failed or refused lookup reads "error", so the editor stops waiting.
        h->getGeoLocation("60.17", "24.94");
        b->fail(b->lastCall("retrieveGeo"), "Internal error");
        QCOMPARE(text("geo_location"), QString("error"));
        b->setResult("retrieveGeo", Zr::RequestFailed);
        h->getGeoLocation("60.17", "24.94");
        QCOMPARE(text("geo_location"), QString("error"));
    }
    void discoveryAddedToListsPaging_data() { addJsonRows(Tables, "listCursors"); }
    void discoveryAddedToListsPaging()
    {
        QFETCH(QVariantMap, row);
        const QString nextCursor = row.value("cursor").toString();
        const bool more = row.value("more").toBool();
        ZirrupModel *lists = h->listsView()->addedToListsModel();

        // The lists of the profile already shown are not reloaded without force.
        h->setCurrentUser("bob");
        h->updateAddedToLists("Bob");
        QVERIFY(!b->hasCall("retrieveList"));

        h->updateAddedToLists("Bob", true);
        const ScriptedCall first = b->lastCall("retrieveList", ListType::Memberships);
        QCOMPARE(first.args, Zr::ArgMap({{"screen_name", "Bob"}, {"cursor", "-1"}}));
        QVERIFY(flag("listsview_loading"));

        // Answers to nobody's request change nothing.
        Q_EMIT b->listCompleted(ListType::Memberships, {listPage("0")}, 4242);
        QCOMPARE(lists->count(), 0);

        b->complete(first, {listPage(nextCursor)});
        QCOMPARE(fields(lists, 0, {"id", "name", "screenName", "desc"}),
                 QString("301|@bob/qt-people|Bob|Folks who   write Qt"));
        // Only "private" exactly is a private list.
        QCOMPARE(column(lists, "isprivate"), QStringList({"false", "true", "false"}));
        QVERIFY(!flag("listsview_loading"));
        QCOMPARE(flag("listsview_more_available"), more);

        const int asked = b->callCount("retrieveList");
        h->moreAddedToLists("Bob");
        QCOMPARE(b->callCount("retrieveList"), asked + (more ? 1 : 0));
        if (!more)
            return;
        QCOMPARE(b->lastCall("retrieveList").args.value("cursor"), nextCursor);
        QVERIFY(flag("listsview_is_loading_more"));
        b->fail(b->lastCall("retrieveList"), "Internal error");
        QVERIFY(!flag("listsview_is_loading_more"));
        QCOMPARE(c->view().callCount("showError"), 0);
        QCOMPARE(lists->count(), 3);
    }
    void discoveryOwnAndSubscribedLists()
    {
        ZirrupModel *mine = h->listsView()->subscribedListsModel();

        // The first page asks for the own lists too; further pages only for subscriptions.
        h->updateSubscribedLists();
        const ScriptedCall own = b->lastCall("retrieveList", ListType::OwnLists);
        b->complete(own, {listPage("0")});
        b->complete(b->lastCall("retrieveList", ListType::Subscriptions), {listPage("77")});
        QCOMPARE(mine->count(), 6);
        QVERIFY(flag("mylists_more_available"));
        h->moreSubscribedLists();
        QCOMPARE(b->lastCall("retrieveList", ListType::OwnLists).queryId, own.queryId);
        b->complete(b->lastCall("retrieveList", ListType::Subscriptions), {listPage("0")});
        QCOMPARE(mine->count(), 9);
        QVERIFY(!flag("mylists_more_available"));

        // Avatars of list owners arrive later.
        const QString avatar = QStringLiteral("image://avatar/file:///cache/carol-bigger.png");
        h->emitUserImageLoaded("Carol", ProfileView::ImageSizeOriginal, avatar);
        QCOMPARE(column(mine, "avatar").count(avatar), 0);
        h->emitUserImageLoaded("Carol", ProfileView::ImageSizeBigger, avatar);
        QCOMPARE(column(mine, "avatar").count(avatar), 6);

        // A list page learns from the service whether the user follows the list.
        QVariantMap list = listPage("0").value("lists").toList().first().toMap();
        list.insert("following", true);
        h->updateListFollowing("301");
        b->complete(b->lastCall("retrieveList", ListType::Show), {list});
        QVERIFY(flag("tweetsview_following_list"));

        // Ending a subscription says so, and the menu's lists are asked again.
        h->unsubscribeList("301");
        const ScriptedCall unsubscribe = b->lastCall("retrieveList", ListType::Unsubscribe);
        QCOMPARE(unsubscribe.args, Zr::ArgMap({{"list_id", "301"}}));
        b->complete(unsubscribe, {list});
        QVERIFY(!flag("tweetsview_following_list"));
        const ScriptedCall reload = b->lastCall("retrieveList", ListType::Subscriptions);
        QCOMPARE(reload.args.value("cursor"), QString("-1"));
    }
};

ZIRRUP_AREA_TEST_MAIN(TestPeople)
#include "tst_people.moc"
