// The client library's stream against zirrup-sandbox: deliveries and reconnecting.
#include "apiclient.h"
#include "backendprobe.h"
#include "sandboxprocess.h"
#include "streamreader.h"

#include <QtTest>

using namespace Qt::StringLiterals;

using Zr::Zirrup;

// The stream promises every change within a second.
static const int promptly = 1000;

class TestIntegrationStream : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void deliversStatusesFavouritesDeletionsAndMessages();
    void reconnectsAfterTheServerDropsTheStream();

private:
    // The data of the next streamObject of type, waiting for it (a second by default).
    QVariantList next(QSignalSpy &objects, StreamObjectType::StreamObjectType type,
                      int timeoutMs = promptly);

    SandboxProcess m_sandbox {{u"--user"_s, u"alice:alice-pw"_s, u"--user"_s, u"bob:bob-pw"_s}};
    std::unique_ptr<ApiClient> m_alice;
    std::unique_ptr<ApiClient> m_bob;
};

void TestIntegrationStream::initTestCase()
{
    QVERIFY2(m_sandbox.start(), qPrintable(m_sandbox.errorString()));
    Zr::setServiceUrl(m_sandbox.baseUrl());
    m_alice = std::make_unique<ApiClient>(m_sandbox.baseUrl());
    m_bob = std::make_unique<ApiClient>(m_sandbox.baseUrl());
    QVERIFY(m_alice->signIn(u"alice"_s, u"alice-pw"_s).isValid());
    QVERIFY(m_bob->signIn(u"bob"_s, u"bob-pw"_s).isValid());
    for (ApiClient *client : {m_alice.get(), m_bob.get()}) {
        const QString other = client == m_alice.get() ? u"bob"_s : u"alice"_s;
        QCOMPARE(client->post(u"/1/friendships/create.json"_s, {{u"screen_name"_s, other}}).status,
                 200);
    }
}

QVariantList TestIntegrationStream::next(QSignalSpy &objects,
                                         StreamObjectType::StreamObjectType type, int timeoutMs)
{
    QVariantList data;
    const auto take = [&] {
        for (int i = 0; i < objects.size(); ++i) {
            if (objects.at(i).at(0).value<StreamObjectType::StreamObjectType>() == type) {
                data = objects.takeAt(i).at(1).toList();
                return true;
            }
        }
        return false;
    };
    if (!QTest::qWaitFor(take, timeoutMs))
        qWarning("no stream object of type %d", int(type));
    return data;
}

void TestIntegrationStream::deliversStatusesFavouritesDeletionsAndMessages()
{
    BackendProbe bob(m_bob->account());
    BackendProbe alice(m_alice->account());
    QSignalSpy bobObjects(bob.backend(), &Zirrup::streamObject);
    QSignalSpy aliceObjects(alice.backend(), &Zirrup::streamObject);
    int bobStream = -1;
    int aliceStream = -1;
    QCOMPARE(bob->startStreaming({}, &bobStream), int(Zr::RequestSent));
    QCOMPARE(alice->startStreaming({}, &aliceStream), int(Zr::RequestSent));
    QCOMPARE(next(bobObjects, StreamObjectType::Friends, 5000)
                 .value(0)
                 .toMap()
                 .value(u"friends"_s)
                 .toList(),
             QVariantList {m_alice->account().userId});
    QVERIFY(!next(aliceObjects, StreamObjectType::Friends, 5000).isEmpty());

    // A tweet by another user.
    const QString statusId =
        m_alice->post(u"/1/statuses/update.json"_s, {{u"status"_s, u"streamed to bob"_s}})
            .at(u"id_str"_s)
            .toString();
    const QVariantMap status = next(bobObjects, StreamObjectType::HomeStatus).value(0).toMap();
    QCOMPARE(status.value(u"id"_s).toString(), statusId);
    QCOMPARE(status.value(u"text"_s).toString(), u"streamed to bob"_s);

    // A favourite, told to its author.
    int id = -1;
    bob->createFavorite({{u"id"_s, statusId}}, &id);
    const QVariantMap favourite = next(aliceObjects, StreamObjectType::Favorite).value(0).toMap();
    QCOMPARE(favourite.value(u"source"_s).toMap().value(u"screen_name"_s).toString(), u"bob"_s);
    QCOMPARE(favourite.value(u"target_object"_s).toMap().value(u"id"_s).toString(), statusId);
    bob->destroyFavorite({{u"id"_s, statusId}}, &id);
    QVERIFY(!next(aliceObjects, StreamObjectType::Unfavorite).isEmpty());

    // A deletion.
    QCOMPARE(m_alice->post(u"/1/statuses/destroy/"_s + statusId + u".json"_s).status, 200);
    const QVariantMap deletion =
        next(bobObjects, StreamObjectType::StatusDeletion).value(0).toMap();
    QCOMPARE(
        deletion.value(u"delete"_s).toMap().value(u"status"_s).toMap().value(u"id"_s).toString(),
        statusId);

    // A direct message, to both sides.
    alice->writeDirectMessage({{u"screen_name"_s, u"bob"_s}, {u"text"_s, u"over the stream"_s}},
                              &id);
    QCOMPARE(next(bobObjects, StreamObjectType::DirectMessage)
                 .value(0)
                 .toMap()
                 .value(u"text"_s)
                 .toString(),
             u"over the stream"_s);
    QVERIFY(!next(aliceObjects, StreamObjectType::DirectMessage).isEmpty());
    // And a follow event.
    m_bob->post(u"/1/friendships/destroy.json"_s, {{u"screen_name"_s, u"alice"_s}});
    QCOMPARE(
        next(aliceObjects, StreamObjectType::Event).value(0).toMap().value(u"event"_s).toString(),
        u"unfollow"_s);
    m_bob->post(u"/1/friendships/create.json"_s, {{u"screen_name"_s, u"alice"_s}});
    QVERIFY(bob.error(bobStream).isEmpty());
}

void TestIntegrationStream::reconnectsAfterTheServerDropsTheStream()
{
    BackendProbe bob(m_bob->account());
    QSignalSpy objects(bob.backend(), &Zirrup::streamObject);
    int stream = -1;
    bob->startStreaming({}, &stream);
    QVERIFY(!next(objects, StreamObjectType::Friends, 5000).isEmpty());
    const QString seen =
        m_alice->post(u"/1/statuses/update.json"_s, {{u"status"_s, u"before the drop"_s}})
            .at(u"id_str"_s)
            .toString();
    QCOMPARE(next(objects, StreamObjectType::HomeStatus).value(0).toMap().value(u"id"_s).toString(),
             seen);

    // The service closes bob's stream (another stream opened with the same token replaces it).
    auto *usurper = new StreamReader(m_bob->openStream());
    const QVariantMap dropped = bob.awaitError(stream, 5000);
    QVERIFY2(!dropped.isEmpty(), "the dropped stream was not reported");
    QCOMPARE(dropped.value(u"request"_s).toString(), u"/1/user_stream.json"_s);
    delete usurper;

    // Missed meanwhile, then fetched with since_id after reconnecting.
    const QString missed =
        m_alice->post(u"/1/statuses/update.json"_s, {{u"status"_s, u"while away"_s}})
            .at(u"id_str"_s)
            .toString();
    objects.clear();
    QCOMPARE(bob->startStreaming({}, &stream), int(Zr::RequestSent));
    QVERIFY(!next(objects, StreamObjectType::Friends, 5000).isEmpty());
    QSignalSpy timelines(bob.backend(), &Zirrup::timelineUpdated);
    int id = -1;
    bob->retrieveTimelineResources(nullptr, &id, TimelineType::Home, {{u"since_id"_s, seen}},
                                   Zr::CacheThenNetwork);
    const QVariantList caughtUp = bob.await(timelines, id).value(1).toList();
    QCOMPARE(caughtUp.size(), 1);
    QCOMPARE(caughtUp.first().toMap().value(u"id"_s).toString(), missed);

    // The new stream delivers again.
    const QString after =
        m_alice->post(u"/1/statuses/update.json"_s, {{u"status"_s, u"after the drop"_s}})
            .at(u"id_str"_s)
            .toString();
    QCOMPARE(next(objects, StreamObjectType::HomeStatus).value(0).toMap().value(u"id"_s).toString(),
             after);
}

QTEST_MAIN(TestIntegrationStream)
#include "tst_integration_stream.moc"
