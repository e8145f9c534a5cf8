#include "messagesview.h"

#include "peoplefixtures.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

using fixtures::message;

namespace {
const QString Alice = QStringLiteral("alice");

ScriptedCall load(ScriptedBackend *b, DirectMessageType::DirectMessageType type)
{
    return b->lastCall("retrieveDirectMessages", type);
}
} // namespace

class TestMessages : public ScriptedSession
{
    Q_OBJECT

private Q_SLOTS:
    void init() { start(); }
    void onePerPartnerHoldingTheNewest_data()
    {
        QTest::addColumn<QVariantList>("deliveries");
        QTest::addColumn<bool>("received");

        const QVariantMap fromBob = message("999", "Bob", Alice, "Coming?");
        const QVariantMap toBob = message("1000", "Alice", "bob", "On my way");
        QTest::newRow("received first") << QVariantList {fromBob, toBob} << false;
        QTest::newRow("sent first") << QVariantList {toBob, fromBob} << false;
        QTest::newRow("partner in other case")
            << QVariantList {fromBob, message("1000", "Alice", "BOB")} << false;
        QTest::newRow("one delivery") << QVariantList {QVariantList {toBob, fromBob}} << false;
        QTest::newRow("older one last")
            << QVariantList {message("1000", "Bob", Alice), message("999", "Alice", "Bob")} << true;
    }
    void onePerPartnerHoldingTheNewest()
    {
        QFETCH(QVariantList, deliveries);
        QFETCH(bool, received);
        ZirrupModel *list = h->messagesView()->messageModel();
        QAbstractItemModelTester tester(list,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);

        h->onDirectMessageAdded({message("5000", "carol", Alice)}, false);
        for (const QVariant &delivery : std::as_const(deliveries)) {
            const QVariantList records = delivery.typeId() == QMetaType::QVariantList
                ? delivery.toList()
                : QVariantList {delivery};
            const bool sent = records.first().toMap().value("sender_screen_name") == "Alice";
            h->onDirectMessageAdded(records, sent);
        }

        // 1000 is newer than 999 although it is smaller as text; carol's 5000 comes first.
        QCOMPARE(column(list, "msg_id"), QStringList({"5000", "1000"}));
        QCOMPARE(list->get(1).value("screen_name").toString().toLower(), QString("bob"));
        QCOMPARE(list->get(1).value("received").toBool(), received);
        QCOMPARE(h->messagesView()->messageMap().size(), 3);
    }
    void deletionIsConfirmedFirst()
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
    void loadWithOneRequestFailing_data()
    {
        QTest::addColumn<bool>("failureLast");
        QTest::newRow("failure first") << false;
        QTest::newRow("failure last") << true;
    }
    void loadWithOneRequestFailing()
    {
        QFETCH(bool, failureLast);
        // Signing in finds the list empty: a full load, handing the backend out-lists.
        const ScriptedCall received = load(b, DirectMessageType::Received);
        const ScriptedCall sent = load(b, DirectMessageType::Sent);
        QVERIFY(sent.listPassed);
        h->setContextProperty("messagesview_refresh_after_sending", true);

        if (failureLast)
            b->complete(received, {message("7", "Bob", Alice)});
        else
            b->fail(sent, QStringLiteral("Internal error"));
        QVERIFY(flag("messagesview_loading"));
        QCOMPARE(c->view().callCount("showError"), 0);

        if (failureLast)
            b->fail(sent, QStringLiteral("Internal error"));
        else
            b->complete(received, {message("7", "Bob", Alice)});
        QCOMPARE(values({"messagesview_loading", "messagesview_refresh_after_sending"}),
                 QString("false|false"));
        QCOMPARE(shownError(),
                 failureLast ? QVariantList {QStringLiteral("qtn_zirrup_error_load_messages")}
                             : QVariantList());
        QCOMPARE(h->messagesView()->messageModel()->count(), 1);
    }
    void unreadOnTheFirstLoad_data()
    {
        QTest::addColumn<bool>("cached");
        QTest::newRow("nothing cached") << false;
        QTest::newRow("cached messages") << true;
    }
    void unreadOnTheFirstLoad()
    {
        QFETCH(bool, cached);
        if (cached) {
            start([](ScriptedBackend *backend) {
                backend->setCachedRecords("retrieveDirectMessages", {message("100", "Bob", Alice)});
            });
        }
        ZirrupModel *list = h->messagesView()->messageModel();
        QCOMPARE(list->count(), cached ? 1 : 0);

        // What arrived since the cached state is unread; without a cache nothing is.
        b->complete(load(b, DirectMessageType::Received),
                    {message("105", "Bob", Alice), message("100", "Bob", Alice)});
        b->complete(load(b, DirectMessageType::Sent), {});
        QCOMPARE(fields(list, 0, {"msg_id", "msg_unread"}), "105|" + QVariant(cached).toString());
        QCOMPARE(h->messagesView()->lastSeenId(), QString("105"));

        // The next refresh, asked without out-lists, marks only what is newer than that.
        h->updateMessagesView();
        QVERIFY(!load(b, DirectMessageType::Received).listPassed);
        b->complete(load(b, DirectMessageType::Received), {message("107", "carol", Alice)});
        b->complete(load(b, DirectMessageType::Sent), {});
        QCOMPARE(column(list, "msg_id"), QStringList({"107", "105"}));
        QCOMPARE(column(list, "msg_unread"), QStringList({"true", QVariant(cached).toString()}));

        // Opening a conversation reads it.
        h->updateConversationView("CAROL");
        QVERIFY(!list->get(0).value("msg_unread").toBool());
    }
    void ownAndStreamedMessagesDuringALoad()
    {
        ZirrupModel *list = h->messagesView()->messageModel();

        // A message from the stream while both load requests are out does not end the load.
        h->onDirectMessageAdded({message("50", "carol", Alice)}, false);
        b->complete(load(b, DirectMessageType::Received), {message("40", "Bob", Alice)});
        QVERIFY(flag("messagesview_loading"));
        b->complete(load(b, DirectMessageType::Sent), {message("45", "Alice", "Bob")});
        QVERIFY(!flag("messagesview_loading"));
        QCOMPARE(h->messagesView()->lastSeenId(), QString("50"));

        // The user's own message does not make a conversation unread; someone else's does.
        h->onDirectMessageAdded({message("60", "Alice", "carol")}, true);
        QCOMPARE(fields(list, 0, {"msg_id", "msg_unread"}), QString("60|false"));
        h->onDirectMessageAdded({message("61", "Bob", Alice)}, false);
        QCOMPARE(fields(list, 0, {"msg_id", "msg_unread"}), QString("61|true"));
    }
    void conversationTipAndAvatars()
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
};

QTEST_MAIN(TestMessages)
#include "tst_messages.moc"
