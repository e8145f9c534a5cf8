#include "datahandler.h"
#include "messagesview.h"
#include "zirrupmodel.h"

#include "peoplefixtures.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

using fixtures::column;
using fixtures::message;

namespace {
const QString Alice = QStringLiteral("alice");

ScriptedCall load(ScriptedBackend *b, DirectMessageType::DirectMessageType type)
{
    return b->lastCall("retrieveDirectMessages", type);
}
} // namespace

class TestMessages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void onePerPartnerHoldingTheNewest_data();
    void onePerPartnerHoldingTheNewest();
    void deletionIsConfirmedFirst();
    void loadWithOneRequestFailing_data();
    void loadWithOneRequestFailing();
    void unreadOnTheFirstLoad_data();
    void unreadOnTheFirstLoad();
    void ownAndStreamedMessagesDuringALoad();
    void conversationTipAndAvatars();
};

void TestMessages::onePerPartnerHoldingTheNewest_data()
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

void TestMessages::onePerPartnerHoldingTheNewest()
{
    QFETCH(QVariantList, deliveries);
    QFETCH(bool, received);

    ScriptedController c;
    c.startSignedIn();
    ZirrupModel *list = c.handler()->messagesView()->messageModel();
    QAbstractItemModelTester tester(list, QAbstractItemModelTester::FailureReportingMode::QtTest);

    c.handler()->onDirectMessageAdded({message("5000", "carol", Alice)}, false);
    for (const QVariant &delivery : std::as_const(deliveries)) {
        const QVariantList records = delivery.typeId() == QMetaType::QVariantList
            ? delivery.toList()
            : QVariantList {delivery};
        const bool sent = records.first().toMap().value("sender_screen_name") == "Alice";
        c.handler()->onDirectMessageAdded(records, sent);
    }

    // 1000 is newer than 999 although it is smaller as text; carol's 5000 comes first.
    QCOMPARE(column(list, "msg_id"), QStringList({"5000", "1000"}));
    QCOMPARE(list->get(1).value("screen_name").toString().toLower(), QString("bob"));
    QCOMPARE(list->get(1).value("received").toBool(), received);
    QCOMPARE(c.handler()->messagesView()->messageMap().size(), 3);
}

void TestMessages::deletionIsConfirmedFirst()
{
    ScriptedController c;
    c.startSignedIn();
    ScriptedBackend *b = c.backend();
    DataHandler *h = c.handler();
    ZirrupModel *list = h->messagesView()->messageModel();
    ZirrupModel *conversation = h->messagesView()->conversationModel();

    h->onDirectMessageAdded({message("999", "Bob", Alice), message("5", "carol", Alice)}, false);
    h->onDirectMessageAdded({message("1000", "Alice", "Bob")}, true);
    h->updateConversationView("Bob");
    QCOMPARE(column(conversation, "msg_id"), QStringList({"999", "1000"}));

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

void TestMessages::loadWithOneRequestFailing_data()
{
    QTest::addColumn<bool>("failureLast");
    QTest::newRow("failure first") << false;
    QTest::newRow("failure last") << true;
}

void TestMessages::loadWithOneRequestFailing()
{
    QFETCH(bool, failureLast);
    ScriptedController c;
    c.startSignedIn();
    ScriptedBackend *b = c.backend();

    // Signing in finds the list empty: a full load, handing the backend out-lists.
    const ScriptedCall received = load(b, DirectMessageType::Received);
    const ScriptedCall sent = load(b, DirectMessageType::Sent);
    QVERIFY(sent.listPassed);
    c.handler()->setContextProperty("messagesview_refresh_after_sending", true);

    if (failureLast)
        b->complete(received, {message("7", "Bob", Alice)});
    else
        b->fail(sent, QStringLiteral("Internal error"));
    QCOMPARE(c.contextProperty("messagesview_loading").toBool(), true);
    QCOMPARE(c.view().callCount("showError"), 0);

    if (failureLast)
        b->fail(sent, QStringLiteral("Internal error"));
    else
        b->complete(received, {message("7", "Bob", Alice)});
    QCOMPARE(c.contextProperty("messagesview_loading").toBool(), false);
    QCOMPARE(c.contextProperty("messagesview_refresh_after_sending").toBool(), false);
    QCOMPARE(c.view().lastArguments("showError"),
             failureLast ? QVariantList {QStringLiteral("qtn_zirrup_error_load_messages")}
                         : QVariantList());
    QCOMPARE(c.handler()->messagesView()->messageModel()->count(), 1);
}

void TestMessages::unreadOnTheFirstLoad_data()
{
    QTest::addColumn<bool>("cached");
    QTest::newRow("nothing cached") << false;
    QTest::newRow("cached messages") << true;
}

void TestMessages::unreadOnTheFirstLoad()
{
    QFETCH(bool, cached);
    ScriptedController c;
    if (cached) {
        c.setBackendSetup([](ScriptedBackend *backend) {
            backend->setCachedRecords("retrieveDirectMessages", {message("100", "Bob", Alice)});
        });
    }
    c.startSignedIn();
    ScriptedBackend *b = c.backend();
    DataHandler *h = c.handler();
    ZirrupModel *list = h->messagesView()->messageModel();
    QCOMPARE(list->count(), cached ? 1 : 0);

    // What arrived since the cached state is unread; without a cache nothing is.
    b->complete(load(b, DirectMessageType::Received),
                {message("105", "Bob", Alice), message("100", "Bob", Alice)});
    b->complete(load(b, DirectMessageType::Sent), {});
    QCOMPARE(list->get(0).value("msg_id").toString(), QString("105"));
    QCOMPARE(list->get(0).value("msg_unread").toBool(), cached);
    QCOMPARE(h->messagesView()->lastSeenId(), QString("105"));

    // The next refresh, asked without out-lists, marks only what is newer than that.
    h->updateMessagesView();
    QVERIFY(!load(b, DirectMessageType::Received).listPassed);
    b->complete(load(b, DirectMessageType::Received), {message("107", "carol", Alice)});
    b->complete(load(b, DirectMessageType::Sent), {});
    QCOMPARE(column(list, "msg_id"), QStringList({"107", "105"}));
    QCOMPARE(list->get(0).value("msg_unread").toBool(), true);
    QCOMPARE(list->get(1).value("msg_unread").toBool(), cached);

    // Opening a conversation reads it.
    h->updateConversationView("CAROL");
    QCOMPARE(list->get(0).value("msg_unread").toBool(), false);
}

void TestMessages::ownAndStreamedMessagesDuringALoad()
{
    ScriptedController c;
    c.startSignedIn();
    ScriptedBackend *b = c.backend();
    DataHandler *h = c.handler();
    ZirrupModel *list = h->messagesView()->messageModel();

    // A message from the stream while both load requests are out does not end the load.
    h->onDirectMessageAdded({message("50", "carol", Alice)}, false);
    b->complete(load(b, DirectMessageType::Received), {message("40", "Bob", Alice)});
    QCOMPARE(c.contextProperty("messagesview_loading").toBool(), true);
    b->complete(load(b, DirectMessageType::Sent), {message("45", "Alice", "Bob")});
    QCOMPARE(c.contextProperty("messagesview_loading").toBool(), false);
    QCOMPARE(h->messagesView()->lastSeenId(), QString("50"));

    // The user's own message does not make a conversation unread; someone else's does.
    h->onDirectMessageAdded({message("60", "Alice", "carol")}, true);
    QCOMPARE(list->get(0).value("msg_id").toString(), QString("60"));
    QCOMPARE(list->get(0).value("msg_unread").toBool(), false);
    h->onDirectMessageAdded({message("61", "Bob", Alice)}, false);
    QCOMPARE(list->get(0).value("msg_id").toString(), QString("61"));
    QCOMPARE(list->get(0).value("msg_unread").toBool(), true);
}

void TestMessages::conversationTipAndAvatars()
{
    ScriptedController c;
    c.startSignedIn();
    DataHandler *h = c.handler();
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
    QCOMPARE(c.contextProperty("conversation_zirrupName").toString(), QString("BOB"));
    QCOMPARE(c.contextProperty("conversation_firstname").toString(), QString("Bob Baker"));

    // Reopened after a new message, the rows stay and the new one is appended.
    QSignalSpy reset(conversation, &QAbstractItemModel::modelReset);
    h->onDirectMessageAdded({message("1002", "Bob", Alice)}, false);
    h->updateConversationView("Bob");
    QCOMPARE(column(conversation, "msg_id"), QStringList({"999", "1000", "1001", "1002"}));
    QCOMPARE(reset.count(), 0);

    // No partner leaves the model and clears the header.
    h->updateConversationView(QString());
    QCOMPARE(conversation->count(), 4);
    QCOMPARE(c.contextProperty("conversation_zirrupName").toString(), QString());

    // The compose tip is the newest message with the recipient.
    h->prepareComposeTo("bob", "image://avatar/file:///b.png", "Bob Baker");
    QCOMPARE(c.contextProperty("composeview_msg_text").toString(), QString("Lunch at 12?"));
    QCOMPARE(c.contextProperty("composeview_received").toBool(), true);
    QCOMPARE(c.contextProperty("composeview_screenname").toString(), QString("bob"));
    h->updateComposeConversationTip("dave");
    QCOMPARE(c.contextProperty("composeview_msg_text").toString(), QString());

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
    QCOMPARE(c.contextProperty("conversation_image_url").toString(), avatar);
}

QTEST_MAIN(TestMessages)
#include "tst_messages.moc"
