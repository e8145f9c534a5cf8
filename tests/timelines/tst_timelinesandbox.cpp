// The timeline adapter with the real client library against zirrup-sandbox: a tweet posted by
// someone the user follows arrives on the stream at the top of the home list, and a favourite
// made there comes back as a mark on its row.

#include "apiclient.h"
#include "datahandler.h"
#include "sandboxprocess.h"
#include "scriptedcontroller.h"
#include "zirrup.h"
#include "zirrupmodel.h"

#include <QtTest>

class TestTimelineSandbox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void streamedTweetAndFavourite();
};

void TestTimelineSandbox::streamedTweetAndFavourite()
{
    SandboxProcess sandbox({"--user", "alice:alice-pw", "--user", "bob:bob-pw"});
    QVERIFY2(sandbox.start(), qPrintable(sandbox.errorString()));
    Zr::setServiceUrl(sandbox.baseUrl());
    ApiClient alice(sandbox.baseUrl());
    ApiClient bob(sandbox.baseUrl());
    const SandboxAccount account = alice.signIn("alice", "alice-pw");
    QVERIFY(account.isValid());
    QVERIFY(bob.signIn("bob", "bob-pw").isValid());
    QCOMPARE(alice.post("/1/friendships/create.json", {{"screen_name", "bob"}}).status, 200);
    QCOMPARE(alice.post("/1/statuses/update.json", {{"status", "Hello from alice"}}).status, 200);

    // The controller with the real client library in place of the scripted one.
    ScriptedController c;
    c.handler()->setBackendFactory([](const QStringList &s, QObject *parent) {
        return new Zr::Zirrup(s.at(0), s.at(1), s.at(2), s.at(3), s.at(4), s.at(5), parent);
    });
    c.start(false);
    c.login()->setAccountExists(true);
    c.login()->setAccountEnabled(true);
    Q_EMIT c.login()->loginResponse(
        QString::fromLatin1(account.token), QString::fromLatin1(account.tokenSecret),
        account.userId, account.screenName, ZIRRUP_CONSUMER_KEY, ZIRRUP_CONSUMER_SECRET);
    Zr::Zirrup *backend = c.handler()->backend();
    QSignalSpy streamed(backend, &Zr::Zirrup::streamObject);

    // Sign-in loads the home list and opens the stream.
    ZirrupModel *home = c.handler()->timelineView()->timelineModel();
    QTRY_COMPARE(home->rowCount(), 1);
    QTRY_VERIFY(!c.contextProperty("timelineview_is_refreshing").toBool());
    QCOMPARE(home->get(0).value("status_text").toString(), QString("Hello from alice"));
    QTRY_VERIFY(!streamed.isEmpty()); // the stream's first object: whom the user follows

    const ApiResponse posted =
        bob.post("/1/statuses/update.json", {{"status", "Tea & biscuits at four? #break"}});
    QCOMPARE(posted.status, 200);
    const QString id = posted.object().value("id_str").toString();
    QTRY_COMPARE(home->get(0).value("tweetid").toString(), id);
    QCOMPARE(home->rowCount(), 2);
    QCOMPARE(home->get(0).value("name").toString(), QString("bob"));
    QCOMPARE(home->get(0).value("status_text").toString(),
             QString("Tea & biscuits at four? #break"));
    QCOMPARE(home->get(0).value("favorited").toBool(), false);

    c.handler()->favoriteTweet(id, true);
    QTRY_COMPARE(home->get(0).value("favorited").toBool(), true);
    c.handler()->favoriteTweet(id, false);
    QTRY_COMPARE(home->get(0).value("favorited").toBool(), false);
}

QTEST_MAIN(TestTimelineSandbox)
#include "tst_timelinesandbox.moc"
