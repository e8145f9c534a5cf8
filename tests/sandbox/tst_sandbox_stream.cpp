// The user stream of zirrup-sandbox: what it delivers to whom, keep-alives, reconnecting.
#include "apiclient.h"
#include "database.h"
#include "sandboxfixture.h"
#include "streamhub.h"
#include "streamreader.h"

#include <QtTest>

class TestSandboxStream : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void statusesReachFollowersAndMentioned();
    void favouritesDeletionsAndMessages();
    void events();
    void protectedAndBlockedAuthors();
    void keepAlives();
    void reconnectThenCatchUp();
    void oneStreamPerToken();
    void clientGoingAway();

private:
    StreamReader *open(ApiClient *client);
    void follow(ApiClient *follower, const QString &name);
    SandboxFixture m_sandbox;
    QList<StreamReader *> m_readers;
};

// The stream promises every change within a second.
static const int promptly = 1000;

void TestSandboxStream::init()
{
    qDeleteAll(m_readers);
    m_readers.clear();
    SandboxOptions options;
    options.keepAliveMs = 200;
    QVERIFY(m_sandbox.start(options));
}

StreamReader *TestSandboxStream::open(ApiClient *client)
{
    auto *reader = new StreamReader(client->openStream());
    m_readers.append(reader);
    // Connected once its first object, the friends list, is here.
    const QJsonObject friends = reader->take(QStringLiteral("friends"), 5000);
    if (friends.isEmpty())
        qWarning("the stream did not open");
    return reader;
}

void TestSandboxStream::follow(ApiClient *follower, const QString &name)
{
    QCOMPARE(follower
                 ->post(QStringLiteral("/1/friendships/create.json"),
                        {{QStringLiteral("screen_name"), name}})
                 .status,
             200);
}

static QString idOf(const QJsonObject &object, const QString &key)
{
    return object.value(key).toObject().value(QStringLiteral("id_str")).toString();
}

void TestSandboxStream::statusesReachFollowersAndMentioned()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    ApiClient *bob = m_sandbox.client(QStringLiteral("bob"));
    ApiClient *carol = m_sandbox.client(QStringLiteral("carol"));
    follow(bob, QStringLiteral("alice"));

    auto *bobStream = new StreamReader(bob->openStream());
    m_readers.append(bobStream);
    const QJsonObject friends = bobStream->take(QStringLiteral("friends"), 5000);
    QCOMPARE(friends.value(QStringLiteral("friends")).toArray(),
             (QJsonArray {alice->account().userId}));
    QCOMPARE(bobStream->httpStatus(), 200);
    QVERIFY(bobStream->rawHeader("Content-Type").startsWith("application/json"));
    StreamReader *aliceStream = open(alice);
    StreamReader *carolStream = open(carol);

    const QString id = alice
                           ->post(QStringLiteral("/1/statuses/update.json"),
                                  {{QStringLiteral("status"), QStringLiteral("hello @carol #qt")}})
                           .object()
                           .value(QStringLiteral("id_str"))
                           .toString();
    const QJsonObject home = bobStream->take(QStringLiteral("home_status"), promptly);
    QCOMPARE(idOf(home, QStringLiteral("home_status")), id);
    // Stream records carry their entities.
    QCOMPARE(home.value(QStringLiteral("home_status"))
                 .toObject()
                 .value(QStringLiteral("entities"))
                 .toObject()
                 .value(QStringLiteral("hashtags"))
                 .toArray()
                 .size(),
             1);
    QCOMPARE(idOf(aliceStream->take(QStringLiteral("home_status"), promptly),
                  QStringLiteral("home_status")),
             id);
    QCOMPARE(
        idOf(carolStream->take(QStringLiteral("mention"), promptly), QStringLiteral("mention")),
        id);
    // Neither is told twice nor anything else: bob was not mentioned, carol does not follow.
    QCOMPARE(aliceStream->pending(QStringLiteral("mention")), 0);
    QCOMPARE(carolStream->pending(QStringLiteral("home_status")), 0);
    QCOMPARE(bobStream->pending(QStringLiteral("mention")), 0);

    // A retweet goes to the retweeter's followers.
    follow(carol, QStringLiteral("bob"));
    const QString rt =
        bob->post(QStringLiteral("/1/statuses/retweet/") + id + QStringLiteral(".json"))
            .object()
            .value(QStringLiteral("id_str"))
            .toString();
    const QJsonObject retweet = carolStream->take(QStringLiteral("home_status"), promptly);
    QCOMPARE(idOf(retweet, QStringLiteral("home_status")), rt);
    QCOMPARE(retweet.value(QStringLiteral("home_status"))
                 .toObject()
                 .value(QStringLiteral("retweeted_status"))
                 .toObject()
                 .value(QStringLiteral("id_str"))
                 .toString(),
             id);
    QCOMPARE(idOf(bobStream->take(QStringLiteral("home_status"), promptly),
                  QStringLiteral("home_status")),
             rt);
}

void TestSandboxStream::favouritesDeletionsAndMessages()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    ApiClient *bob = m_sandbox.client(QStringLiteral("bob"));
    follow(bob, QStringLiteral("alice"));
    follow(alice, QStringLiteral("bob"));
    StreamReader *aliceStream = open(alice);
    StreamReader *bobStream = open(bob);
    const QString id = alice
                           ->post(QStringLiteral("/1/statuses/update.json"),
                                  {{QStringLiteral("status"), QStringLiteral("like me")}})
                           .object()
                           .value(QStringLiteral("id_str"))
                           .toString();
    QVERIFY(!bobStream->take(QStringLiteral("home_status"), promptly).isEmpty());

    // A favourite: both are told; each sees the status as they see it.
    QCOMPARE(
        bob->post(QStringLiteral("/1/favorites/create/") + id + QStringLiteral(".json")).status,
        200);
    const QJsonObject toAlice = aliceStream->take(QStringLiteral("event"), promptly);
    QCOMPARE(toAlice.value(QStringLiteral("event")).toString(), QStringLiteral("favorite"));
    QCOMPARE(toAlice.value(QStringLiteral("source"))
                 .toObject()
                 .value(QStringLiteral("screen_name"))
                 .toString(),
             QStringLiteral("bob"));
    QCOMPARE(toAlice.value(QStringLiteral("target"))
                 .toObject()
                 .value(QStringLiteral("screen_name"))
                 .toString(),
             QStringLiteral("alice"));
    QCOMPARE(idOf(toAlice, QStringLiteral("target_object")), id);
    QCOMPARE(toAlice.value(QStringLiteral("target_object"))
                 .toObject()
                 .value(QStringLiteral("favorited"))
                 .toBool(),
             false);
    const QJsonObject toBob = bobStream->take(QStringLiteral("event"), promptly);
    QCOMPARE(toBob.value(QStringLiteral("target_object"))
                 .toObject()
                 .value(QStringLiteral("favorited"))
                 .toBool(),
             true);
    // Again: nothing changes, nothing is told.
    bob->post(QStringLiteral("/1/favorites/create/") + id + QStringLiteral(".json"));
    QCOMPARE(
        bob->post(QStringLiteral("/1/favorites/destroy/") + id + QStringLiteral(".json")).status,
        200);
    QCOMPARE(aliceStream->take(QStringLiteral("event"), promptly)
                 .value(QStringLiteral("event"))
                 .toString(),
             QStringLiteral("unfavorite"));
    QCOMPARE(aliceStream->pending(QStringLiteral("event")), 0);

    // A deletion reaches whoever got the status, also for the retweets that go with it.
    const QString rt =
        bob->post(QStringLiteral("/1/statuses/retweet/") + id + QStringLiteral(".json"))
            .object()
            .value(QStringLiteral("id_str"))
            .toString();
    QVERIFY(!aliceStream->take(QStringLiteral("home_status"), promptly).isEmpty()); // her own
    QVERIFY(!aliceStream->take(QStringLiteral("home_status"), promptly).isEmpty()); // bob's retweet
    QCOMPARE(
        alice->post(QStringLiteral("/1/statuses/destroy/") + id + QStringLiteral(".json")).status,
        200);
    QStringList deleted;
    for (int i = 0; i < 2; ++i) {
        const QJsonObject gone = bobStream->take(QStringLiteral("delete"), promptly)
                                     .value(QStringLiteral("delete"))
                                     .toObject()
                                     .value(QStringLiteral("status"))
                                     .toObject();
        deleted.append(gone.value(QStringLiteral("id_str")).toString());
        QVERIFY(!gone.value(QStringLiteral("user_id_str")).toString().isEmpty());
    }
    deleted.sort();
    QCOMPARE(deleted, (QStringList {id, rt}));
    // alice had both as well (she follows bob).
    QVERIFY(!aliceStream->take(QStringLiteral("delete"), promptly).isEmpty());
    QVERIFY(!aliceStream->take(QStringLiteral("delete"), promptly).isEmpty());

    // Direct messages reach sender and recipient; so does their deletion.
    const QString message = alice
                                ->post(QStringLiteral("/1/direct_messages/new.json"),
                                       {{QStringLiteral("screen_name"), QStringLiteral("bob")},
                                        {QStringLiteral("text"), QStringLiteral("psst")}})
                                .object()
                                .value(QStringLiteral("id_str"))
                                .toString();
    QCOMPARE(idOf(bobStream->take(QStringLiteral("direct_message"), promptly),
                  QStringLiteral("direct_message")),
             message);
    QCOMPARE(idOf(aliceStream->take(QStringLiteral("direct_message"), promptly),
                  QStringLiteral("direct_message")),
             message);
    QCOMPARE(
        bob->post(QStringLiteral("/1/direct_messages/destroy/") + message + QStringLiteral(".json"))
            .status,
        200);
    const QJsonObject dmGone = aliceStream->take(QStringLiteral("delete"), promptly);
    QCOMPARE(dmGone.value(QStringLiteral("delete"))
                 .toObject()
                 .value(QStringLiteral("direct_message"))
                 .toObject()
                 .value(QStringLiteral("id_str"))
                 .toString(),
             message);
    QVERIFY(!bobStream->take(QStringLiteral("delete"), promptly).isEmpty());
}

void TestSandboxStream::events()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    ApiClient *bob = m_sandbox.client(QStringLiteral("bob"));
    StreamReader *aliceStream = open(alice);
    StreamReader *bobStream = open(bob);
    const auto nextEvent = [](StreamReader *reader) {
        return reader->take(QStringLiteral("event"), promptly)
            .value(QStringLiteral("event"))
            .toString();
    };
    follow(bob, QStringLiteral("alice"));
    QCOMPARE(nextEvent(aliceStream), QStringLiteral("follow"));
    QCOMPARE(nextEvent(bobStream), QStringLiteral("follow"));
    bob->post(QStringLiteral("/1/friendships/destroy.json"),
              {{QStringLiteral("screen_name"), QStringLiteral("alice")}});
    QCOMPARE(nextEvent(aliceStream), QStringLiteral("unfollow"));
    alice->post(QStringLiteral("/1/blocks/create.json"),
                {{QStringLiteral("screen_name"), QStringLiteral("bob")}});
    QCOMPARE(nextEvent(aliceStream), QStringLiteral("block"));
    alice->post(QStringLiteral("/1/blocks/destroy.json"),
                {{QStringLiteral("screen_name"), QStringLiteral("bob")}});
    QCOMPARE(nextEvent(aliceStream), QStringLiteral("unblock"));
    alice->post(QStringLiteral("/1/account/update_profile.json"),
                {{QStringLiteral("name"), QStringLiteral("Alice")}});
    const QJsonObject update = aliceStream->take(QStringLiteral("event"), promptly);
    QCOMPARE(update.value(QStringLiteral("event")).toString(), QStringLiteral("user_update"));
    QCOMPARE(
        update.value(QStringLiteral("source")).toObject().value(QStringLiteral("name")).toString(),
        QStringLiteral("Alice"));
    QVERIFY(update.value(QStringLiteral("target_object")).isNull());
    // The unfollow, block and unblock also went to bob; nothing went to him twice.
    QCOMPARE(bobStream->pending(QStringLiteral("event")), 3);
}

void TestSandboxStream::protectedAndBlockedAuthors()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    ApiClient *bob = m_sandbox.client(QStringLiteral("bob"));
    ApiClient *carol = m_sandbox.client(QStringLiteral("carol"));
    follow(bob, QStringLiteral("alice"));
    follow(carol, QStringLiteral("alice"));
    StreamReader *bobStream = open(bob);
    StreamReader *carolStream = open(carol);
    // carol blocks alice: carol hears nothing of her any more, mentions included.
    carol->post(QStringLiteral("/1/blocks/create.json"),
                {{QStringLiteral("screen_name"), QStringLiteral("alice")}});
    alice->post(QStringLiteral("/1/statuses/update.json"),
                {{QStringLiteral("status"), QStringLiteral("hi @carol")}});
    QVERIFY(!bobStream->take(QStringLiteral("home_status"), promptly).isEmpty());
    // By the time bob has his, carol would have hers.
    QCOMPARE(carolStream->pending(QStringLiteral("home_status")), 0);
    QCOMPARE(carolStream->pending(QStringLiteral("mention")), 0);

    // A protected author reaches approved followers only, and mentions only them.
    ApiClient *dave = m_sandbox.client(QStringLiteral("dave"));
    m_sandbox.server()->database()->exec(
        QStringLiteral("UPDATE users SET protected = 1 WHERE screen_name = 'dave'"));
    follow(bob, QStringLiteral("dave"));
    m_sandbox.server()->database()->exec(QStringLiteral("UPDATE follows SET pending = 0"));
    ApiClient *erin = m_sandbox.client(QStringLiteral("erin"));
    follow(erin, QStringLiteral("dave")); // only asks
    StreamReader *erinStream = open(erin);
    dave->post(QStringLiteral("/1/statuses/update.json"),
               {{QStringLiteral("status"), QStringLiteral("@bob @erin psst")}});
    QVERIFY(!bobStream->take(QStringLiteral("home_status"), promptly).isEmpty());
    QVERIFY(!bobStream->take(QStringLiteral("mention"), promptly).isEmpty());
    QCOMPARE(erinStream->pending(QStringLiteral("home_status")), 0);
    QCOMPARE(erinStream->pending(QStringLiteral("mention")), 0);
}

void TestSandboxStream::keepAlives()
{
    StreamReader *reader = open(m_sandbox.client(QStringLiteral("alice")));
    // Empty lines, every interval (200 ms here).
    QVERIFY(reader->waitForKeepAlives(2, 5000));
    QCOMPARE(reader->objects().size(), 1);
}

void TestSandboxStream::reconnectThenCatchUp()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    ApiClient *bob = m_sandbox.client(QStringLiteral("bob"));
    follow(bob, QStringLiteral("alice"));
    StreamReader *first = open(bob);
    alice->post(QStringLiteral("/1/statuses/update.json"),
                {{QStringLiteral("status"), QStringLiteral("one")}});
    const QString seen =
        idOf(first->take(QStringLiteral("home_status"), promptly), QStringLiteral("home_status"));
    QVERIFY(!seen.isEmpty());
    m_readers.removeOne(first);
    delete first; // the connection drops
    QTRY_COMPARE(m_sandbox.server()->streams()->connectionCount(), 0);

    QStringList missed;
    for (const char *text : {"two", "three"})
        missed.prepend(alice
                           ->post(QStringLiteral("/1/statuses/update.json"),
                                  {{QStringLiteral("status"), QLatin1String(text)}})
                           .object()
                           .value(QStringLiteral("id_str"))
                           .toString());
    StreamReader *second = open(bob);
    QCOMPARE(second->pending(QStringLiteral("home_status")), 0);
    // What the stream could not deliver, since_id brings.
    QCOMPARE(SandboxFixture::ids(bob->get(QStringLiteral("/1/statuses/home_timeline.json"),
                                          {{QStringLiteral("since_id"), seen}})
                                     .array()),
             missed);
    alice->post(QStringLiteral("/1/statuses/update.json"),
                {{QStringLiteral("status"), QStringLiteral("four")}});
    QVERIFY(!second->take(QStringLiteral("home_status"), promptly).isEmpty());
}

void TestSandboxStream::oneStreamPerToken()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    StreamReader *first = open(alice);
    StreamReader *second = open(alice);
    QVERIFY(first->waitForFinished(5000));
    QVERIFY(!second->isFinished());
    // Another sign-in of the same user has a stream of its own.
    ApiClient other(m_sandbox.baseUrl());
    QVERIFY(other.signIn(QStringLiteral("alice"), QStringLiteral("alice-pw")).isValid());
    StreamReader *third = open(&other);
    alice->post(QStringLiteral("/1/statuses/update.json"),
                {{QStringLiteral("status"), QStringLiteral("to both")}});
    QVERIFY(!second->take(QStringLiteral("home_status"), promptly).isEmpty());
    QVERIFY(!third->take(QStringLiteral("home_status"), promptly).isEmpty());
    // Revoking a token ends its stream.
    QCOMPARE(other.post(QStringLiteral("/oauth/invalidate_token")).status, 200);
    QVERIFY(third->waitForFinished(5000));
    QVERIFY(!second->isFinished());
}

void TestSandboxStream::clientGoingAway()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    ApiClient *bob = m_sandbox.client(QStringLiteral("bob"));
    follow(bob, QStringLiteral("alice"));
    for (int i = 0; i < 3; ++i) {
        StreamReader *reader = open(bob);
        m_readers.removeOne(reader);
        delete reader;
    }
    // Whatever is still open while the sockets go, writing to them must not hurt.
    alice->post(QStringLiteral("/1/statuses/update.json"),
                {{QStringLiteral("status"), QStringLiteral("anyone there?")}});
    QTRY_COMPARE(m_sandbox.server()->streams()->connectionCount(), 0);
    QCOMPARE(alice->get(QStringLiteral("/1/account/verify_credentials.json")).status, 200);
}

QTEST_MAIN(TestSandboxStream)
#include "tst_sandbox_stream.moc"
