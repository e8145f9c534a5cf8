// The user stream of zirrup-sandbox: what it delivers to whom, keep-alives, reconnecting.
#include "apiclient.h"
#include "database.h"
#include "sandboxfixture.h"
#include "streamhub.h"
#include "streamreader.h"

#include <QtTest>

using namespace Qt::StringLiterals;

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
    const QJsonObject friends = reader->take(u"friends"_s, 5000);
    if (friends.isEmpty())
        qWarning("the stream did not open");
    return reader;
}

void TestSandboxStream::follow(ApiClient *follower, const QString &name)
{
    QCOMPARE(follower->post(u"/1/friendships/create.json"_s, {{u"screen_name"_s, name}}).status,
             200);
}

static QString idOf(const QJsonObject &object, const QString &key)
{
    return object.value(key).toObject().value(u"id_str"_s).toString();
}

void TestSandboxStream::statusesReachFollowersAndMentioned()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    ApiClient *bob = m_sandbox.client(u"bob"_s);
    ApiClient *carol = m_sandbox.client(u"carol"_s);
    follow(bob, u"alice"_s);

    auto *bobStream = new StreamReader(bob->openStream());
    m_readers.append(bobStream);
    const QJsonObject friends = bobStream->take(u"friends"_s, 5000);
    QCOMPARE(friends.value(u"friends"_s).toArray(), (QJsonArray {alice->account().userId}));
    QCOMPARE(bobStream->httpStatus(), 200);
    QVERIFY(bobStream->rawHeader("Content-Type").startsWith("application/json"));
    StreamReader *aliceStream = open(alice);
    StreamReader *carolStream = open(carol);

    const QString id =
        alice->post(u"/1/statuses/update.json"_s, {{u"status"_s, u"hello @carol #qt"_s}})
            .at(u"id_str"_s)
            .toString();
    const QJsonObject home = bobStream->take(u"home_status"_s, promptly);
    QCOMPARE(idOf(home, u"home_status"_s), id);
    // Stream records carry their entities.
    QCOMPARE(jsonAt(home, u"home_status/entities/hashtags"_s).toArray().size(), 1);
    QCOMPARE(idOf(aliceStream->take(u"home_status"_s, promptly), u"home_status"_s), id);
    QCOMPARE(idOf(carolStream->take(u"mention"_s, promptly), u"mention"_s), id);
    // Neither is told twice nor anything else: bob was not mentioned, carol does not follow.
    QCOMPARE(aliceStream->pending(u"mention"_s), 0);
    QCOMPARE(carolStream->pending(u"home_status"_s), 0);
    QCOMPARE(bobStream->pending(u"mention"_s), 0);

    // A retweet goes to the retweeter's followers.
    follow(carol, u"bob"_s);
    const QString rt =
        bob->post(u"/1/statuses/retweet/"_s + id + u".json"_s).at(u"id_str"_s).toString();
    const QJsonObject retweet = carolStream->take(u"home_status"_s, promptly);
    QCOMPARE(idOf(retweet, u"home_status"_s), rt);
    QCOMPARE(jsonAt(retweet, u"home_status/retweeted_status/id_str"_s).toString(), id);
    QCOMPARE(idOf(bobStream->take(u"home_status"_s, promptly), u"home_status"_s), rt);
}

void TestSandboxStream::favouritesDeletionsAndMessages()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    ApiClient *bob = m_sandbox.client(u"bob"_s);
    follow(bob, u"alice"_s);
    follow(alice, u"bob"_s);
    StreamReader *aliceStream = open(alice);
    StreamReader *bobStream = open(bob);
    const QString id = alice->post(u"/1/statuses/update.json"_s, {{u"status"_s, u"like me"_s}})
                           .at(u"id_str"_s)
                           .toString();
    QVERIFY(!bobStream->take(u"home_status"_s, promptly).isEmpty());

    // A favourite: both are told; each sees the status as they see it.
    QCOMPARE(bob->post(u"/1/favorites/create/"_s + id + u".json"_s).status, 200);
    const QJsonObject toAlice = aliceStream->take(u"event"_s, promptly);
    QCOMPARE(toAlice.value(u"event"_s).toString(), u"favorite"_s);
    QCOMPARE(jsonAt(toAlice, u"source/screen_name"_s).toString(), u"bob"_s);
    QCOMPARE(jsonAt(toAlice, u"target/screen_name"_s).toString(), u"alice"_s);
    QCOMPARE(idOf(toAlice, u"target_object"_s), id);
    QCOMPARE(jsonAt(toAlice, u"target_object/favorited"_s).toBool(), false);
    const QJsonObject toBob = bobStream->take(u"event"_s, promptly);
    QCOMPARE(jsonAt(toBob, u"target_object/favorited"_s).toBool(), true);
    // Again: nothing changes, nothing is told.
    bob->post(u"/1/favorites/create/"_s + id + u".json"_s);
    QCOMPARE(bob->post(u"/1/favorites/destroy/"_s + id + u".json"_s).status, 200);
    QCOMPARE(aliceStream->take(u"event"_s, promptly).value(u"event"_s).toString(), u"unfavorite"_s);
    QCOMPARE(aliceStream->pending(u"event"_s), 0);

    // A deletion reaches whoever got the status, also for the retweets that go with it.
    const QString rt =
        bob->post(u"/1/statuses/retweet/"_s + id + u".json"_s).at(u"id_str"_s).toString();
    QVERIFY(!aliceStream->take(u"home_status"_s, promptly).isEmpty()); // her own
    QVERIFY(!aliceStream->take(u"home_status"_s, promptly).isEmpty()); // bob's retweet
    QCOMPARE(alice->post(u"/1/statuses/destroy/"_s + id + u".json"_s).status, 200);
    QStringList deleted;
    for (int i = 0; i < 2; ++i) {
        const QJsonObject gone = bobStream->take(u"delete"_s, promptly)
                                     .value(u"delete"_s)
                                     .toObject()
                                     .value(u"status"_s)
                                     .toObject();
        deleted.append(gone.value(u"id_str"_s).toString());
        QVERIFY(!gone.value(u"user_id_str"_s).toString().isEmpty());
    }
    deleted.sort();
    QCOMPARE(deleted, (QStringList {id, rt}));
    // alice had both as well (she follows bob).
    QVERIFY(!aliceStream->take(u"delete"_s, promptly).isEmpty());
    QVERIFY(!aliceStream->take(u"delete"_s, promptly).isEmpty());

    // Direct messages reach sender and recipient; so does their deletion.
    const QString message = alice
                                ->post(u"/1/direct_messages/new.json"_s,
                                       {{u"screen_name"_s, u"bob"_s}, {u"text"_s, u"psst"_s}})
                                .at(u"id_str"_s)
                                .toString();
    QCOMPARE(idOf(bobStream->take(u"direct_message"_s, promptly), u"direct_message"_s), message);
    QCOMPARE(idOf(aliceStream->take(u"direct_message"_s, promptly), u"direct_message"_s), message);
    QCOMPARE(bob->post(u"/1/direct_messages/destroy/"_s + message + u".json"_s).status, 200);
    const QJsonObject dmGone = aliceStream->take(u"delete"_s, promptly);
    QCOMPARE(jsonAt(dmGone, u"delete/direct_message/id_str"_s).toString(), message);
    QVERIFY(!bobStream->take(u"delete"_s, promptly).isEmpty());
}

void TestSandboxStream::events()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    ApiClient *bob = m_sandbox.client(u"bob"_s);
    StreamReader *aliceStream = open(alice);
    StreamReader *bobStream = open(bob);
    const auto nextEvent = [](StreamReader *reader) {
        return reader->take(u"event"_s, promptly).value(u"event"_s).toString();
    };
    follow(bob, u"alice"_s);
    QCOMPARE(nextEvent(aliceStream), u"follow"_s);
    QCOMPARE(nextEvent(bobStream), u"follow"_s);
    bob->post(u"/1/friendships/destroy.json"_s, {{u"screen_name"_s, u"alice"_s}});
    QCOMPARE(nextEvent(aliceStream), u"unfollow"_s);
    alice->post(u"/1/blocks/create.json"_s, {{u"screen_name"_s, u"bob"_s}});
    QCOMPARE(nextEvent(aliceStream), u"block"_s);
    alice->post(u"/1/blocks/destroy.json"_s, {{u"screen_name"_s, u"bob"_s}});
    QCOMPARE(nextEvent(aliceStream), u"unblock"_s);
    alice->post(u"/1/account/update_profile.json"_s, {{u"name"_s, u"Alice"_s}});
    const QJsonObject update = aliceStream->take(u"event"_s, promptly);
    QCOMPARE(update.value(u"event"_s).toString(), u"user_update"_s);
    QCOMPARE(jsonAt(update, u"source/name"_s).toString(), u"Alice"_s);
    QVERIFY(update.value(u"target_object"_s).isNull());
    // The unfollow, block and unblock also went to bob; nothing went to him twice.
    QCOMPARE(bobStream->pending(u"event"_s), 3);
}

void TestSandboxStream::protectedAndBlockedAuthors()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    ApiClient *bob = m_sandbox.client(u"bob"_s);
    ApiClient *carol = m_sandbox.client(u"carol"_s);
    follow(bob, u"alice"_s);
    follow(carol, u"alice"_s);
    StreamReader *bobStream = open(bob);
    StreamReader *carolStream = open(carol);
    // carol blocks alice: carol hears nothing of her any more, mentions included.
    carol->post(u"/1/blocks/create.json"_s, {{u"screen_name"_s, u"alice"_s}});
    alice->post(u"/1/statuses/update.json"_s, {{u"status"_s, u"hi @carol"_s}});
    QVERIFY(!bobStream->take(u"home_status"_s, promptly).isEmpty());
    // By the time bob has his, carol would have hers.
    QCOMPARE(carolStream->pending(u"home_status"_s), 0);
    QCOMPARE(carolStream->pending(u"mention"_s), 0);

    // A protected author reaches approved followers only, and mentions only them.
    ApiClient *dave = m_sandbox.client(u"dave"_s);
    m_sandbox.server()->database()->exec(
        u"UPDATE users SET protected = 1 WHERE screen_name = 'dave'"_s);
    follow(bob, u"dave"_s);
    m_sandbox.server()->database()->exec(u"UPDATE follows SET pending = 0"_s);
    ApiClient *erin = m_sandbox.client(u"erin"_s);
    follow(erin, u"dave"_s); // only asks
    StreamReader *erinStream = open(erin);
    dave->post(u"/1/statuses/update.json"_s, {{u"status"_s, u"@bob @erin psst"_s}});
    QVERIFY(!bobStream->take(u"home_status"_s, promptly).isEmpty());
    QVERIFY(!bobStream->take(u"mention"_s, promptly).isEmpty());
    QCOMPARE(erinStream->pending(u"home_status"_s), 0);
    QCOMPARE(erinStream->pending(u"mention"_s), 0);
}

void TestSandboxStream::keepAlives()
{
    StreamReader *reader = open(m_sandbox.client(u"alice"_s));
    // Empty lines, every interval (200 ms here).
    QVERIFY(reader->waitForKeepAlives(2, 5000));
    QCOMPARE(reader->objects().size(), 1);
}

void TestSandboxStream::reconnectThenCatchUp()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    ApiClient *bob = m_sandbox.client(u"bob"_s);
    follow(bob, u"alice"_s);
    StreamReader *first = open(bob);
    alice->post(u"/1/statuses/update.json"_s, {{u"status"_s, u"one"_s}});
    const QString seen = idOf(first->take(u"home_status"_s, promptly), u"home_status"_s);
    QVERIFY(!seen.isEmpty());
    m_readers.removeOne(first);
    delete first; // the connection drops
    QTRY_COMPARE(m_sandbox.server()->streams()->connectionCount(), 0);

    QStringList missed;
    for (const char *text : {"two", "three"})
        missed.prepend(
            alice->post(u"/1/statuses/update.json"_s, {{u"status"_s, QLatin1String(text)}})
                .at(u"id_str"_s)
                .toString());
    StreamReader *second = open(bob);
    QCOMPARE(second->pending(u"home_status"_s), 0);
    // What the stream could not deliver, since_id brings.
    QCOMPARE(SandboxFixture::ids(
                 bob->get(u"/1/statuses/home_timeline.json"_s, {{u"since_id"_s, seen}}).array()),
             missed);
    alice->post(u"/1/statuses/update.json"_s, {{u"status"_s, u"four"_s}});
    QVERIFY(!second->take(u"home_status"_s, promptly).isEmpty());
}

void TestSandboxStream::oneStreamPerToken()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    StreamReader *first = open(alice);
    StreamReader *second = open(alice);
    QVERIFY(first->waitForFinished(5000));
    QVERIFY(!second->isFinished());
    // Another sign-in of the same user has a stream of its own.
    ApiClient other(m_sandbox.baseUrl());
    QVERIFY(other.signIn(u"alice"_s, u"alice-pw"_s).isValid());
    StreamReader *third = open(&other);
    alice->post(u"/1/statuses/update.json"_s, {{u"status"_s, u"to both"_s}});
    QVERIFY(!second->take(u"home_status"_s, promptly).isEmpty());
    QVERIFY(!third->take(u"home_status"_s, promptly).isEmpty());
    // Revoking a token ends its stream.
    QCOMPARE(other.post(u"/oauth/invalidate_token"_s).status, 200);
    QVERIFY(third->waitForFinished(5000));
    QVERIFY(!second->isFinished());
}

void TestSandboxStream::clientGoingAway()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    ApiClient *bob = m_sandbox.client(u"bob"_s);
    follow(bob, u"alice"_s);
    for (int i = 0; i < 3; ++i) {
        StreamReader *reader = open(bob);
        m_readers.removeOne(reader);
        delete reader;
    }
    // Whatever is still open while the sockets go, writing to them must not hurt.
    alice->post(u"/1/statuses/update.json"_s, {{u"status"_s, u"anyone there?"_s}});
    QTRY_COMPARE(m_sandbox.server()->streams()->connectionCount(), 0);
    QCOMPARE(alice->get(u"/1/account/verify_credentials.json"_s).status, 200);
}

QTEST_MAIN(TestSandboxStream)
#include "tst_sandbox_stream.moc"
