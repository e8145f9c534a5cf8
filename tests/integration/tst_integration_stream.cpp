// The client library's stream against zirrup-sandbox: deliveries and reconnecting.
#include "apiclient.h"
#include "backendprobe.h"
#include "sandboxprocess.h"
#include "streamreader.h"

#include <QtTest>

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

    SandboxProcess m_sandbox {{QStringLiteral("--user"), QStringLiteral("alice:alice-pw"),
                               QStringLiteral("--user"), QStringLiteral("bob:bob-pw")}};
    std::unique_ptr<ApiClient> m_alice;
    std::unique_ptr<ApiClient> m_bob;
};

void TestIntegrationStream::initTestCase()
{
    QVERIFY2(m_sandbox.start(), qPrintable(m_sandbox.errorString()));
    Zr::setServiceUrl(m_sandbox.baseUrl());
    m_alice = std::make_unique<ApiClient>(m_sandbox.baseUrl());
    m_bob = std::make_unique<ApiClient>(m_sandbox.baseUrl());
    QVERIFY(m_alice->signIn(QStringLiteral("alice"), QStringLiteral("alice-pw")).isValid());
    QVERIFY(m_bob->signIn(QStringLiteral("bob"), QStringLiteral("bob-pw")).isValid());
    for (ApiClient *client : {m_alice.get(), m_bob.get()}) {
        const QString other =
            client == m_alice.get() ? QStringLiteral("bob") : QStringLiteral("alice");
        QCOMPARE(client
                     ->post(QStringLiteral("/1/friendships/create.json"),
                            {{QStringLiteral("screen_name"), other}})
                     .status,
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
                 .value(QStringLiteral("friends"))
                 .toList(),
             QVariantList {m_alice->account().userId});
    QVERIFY(!next(aliceObjects, StreamObjectType::Friends, 5000).isEmpty());

    // A tweet by another user.
    const QString statusId =
        m_alice
            ->post(QStringLiteral("/1/statuses/update.json"),
                   {{QStringLiteral("status"), QStringLiteral("streamed to bob")}})
            .object()
            .value(QStringLiteral("id_str"))
            .toString();
    const QVariantMap status = next(bobObjects, StreamObjectType::HomeStatus).value(0).toMap();
    QCOMPARE(status.value(QStringLiteral("id")).toString(), statusId);
    QCOMPARE(status.value(QStringLiteral("text")).toString(), QStringLiteral("streamed to bob"));

    // A favourite, told to its author.
    int id = -1;
    bob->createFavorite({{QStringLiteral("id"), statusId}}, &id);
    const QVariantMap favourite = next(aliceObjects, StreamObjectType::Favorite).value(0).toMap();
    QCOMPARE(favourite.value(QStringLiteral("source"))
                 .toMap()
                 .value(QStringLiteral("screen_name"))
                 .toString(),
             QStringLiteral("bob"));
    QCOMPARE(favourite.value(QStringLiteral("target_object"))
                 .toMap()
                 .value(QStringLiteral("id"))
                 .toString(),
             statusId);
    bob->destroyFavorite({{QStringLiteral("id"), statusId}}, &id);
    QVERIFY(!next(aliceObjects, StreamObjectType::Unfavorite).isEmpty());

    // A deletion.
    QCOMPARE(
        m_alice->post(QStringLiteral("/1/statuses/destroy/") + statusId + QStringLiteral(".json"))
            .status,
        200);
    const QVariantMap deletion =
        next(bobObjects, StreamObjectType::StatusDeletion).value(0).toMap();
    QCOMPARE(deletion.value(QStringLiteral("delete"))
                 .toMap()
                 .value(QStringLiteral("status"))
                 .toMap()
                 .value(QStringLiteral("id"))
                 .toString(),
             statusId);

    // A direct message, to both sides.
    alice->writeDirectMessage({{QStringLiteral("screen_name"), QStringLiteral("bob")},
                               {QStringLiteral("text"), QStringLiteral("over the stream")}},
                              &id);
    QCOMPARE(next(bobObjects, StreamObjectType::DirectMessage)
                 .value(0)
                 .toMap()
                 .value(QStringLiteral("text"))
                 .toString(),
             QStringLiteral("over the stream"));
    QVERIFY(!next(aliceObjects, StreamObjectType::DirectMessage).isEmpty());
    // And a follow event.
    m_bob->post(QStringLiteral("/1/friendships/destroy.json"),
                {{QStringLiteral("screen_name"), QStringLiteral("alice")}});
    QCOMPARE(next(aliceObjects, StreamObjectType::Event)
                 .value(0)
                 .toMap()
                 .value(QStringLiteral("event"))
                 .toString(),
             QStringLiteral("unfollow"));
    m_bob->post(QStringLiteral("/1/friendships/create.json"),
                {{QStringLiteral("screen_name"), QStringLiteral("alice")}});
    QVERIFY(bob.error(bobStream).isEmpty());
}

void TestIntegrationStream::reconnectsAfterTheServerDropsTheStream()
{
    BackendProbe bob(m_bob->account());
    QSignalSpy objects(bob.backend(), &Zirrup::streamObject);
    int stream = -1;
    bob->startStreaming({}, &stream);
    QVERIFY(!next(objects, StreamObjectType::Friends, 5000).isEmpty());
    const QString seen = m_alice
                             ->post(QStringLiteral("/1/statuses/update.json"),
                                    {{QStringLiteral("status"), QStringLiteral("before the drop")}})
                             .object()
                             .value(QStringLiteral("id_str"))
                             .toString();
    QCOMPARE(next(objects, StreamObjectType::HomeStatus)
                 .value(0)
                 .toMap()
                 .value(QStringLiteral("id"))
                 .toString(),
             seen);

    // The service closes bob's stream (another stream opened with the same token replaces it).
    auto *usurper = new StreamReader(m_bob->openStream());
    const QVariantMap dropped = bob.awaitError(stream, 5000);
    QVERIFY2(!dropped.isEmpty(), "the dropped stream was not reported");
    QCOMPARE(dropped.value(QStringLiteral("request")).toString(),
             QStringLiteral("/1/user_stream.json"));
    delete usurper;

    // Missed meanwhile, then fetched with since_id after reconnecting.
    const QString missed = m_alice
                               ->post(QStringLiteral("/1/statuses/update.json"),
                                      {{QStringLiteral("status"), QStringLiteral("while away")}})
                               .object()
                               .value(QStringLiteral("id_str"))
                               .toString();
    objects.clear();
    QCOMPARE(bob->startStreaming({}, &stream), int(Zr::RequestSent));
    QVERIFY(!next(objects, StreamObjectType::Friends, 5000).isEmpty());
    QSignalSpy timelines(bob.backend(), &Zirrup::timelineUpdated);
    int id = -1;
    bob->retrieveTimelineResources(nullptr, &id, TimelineType::Home,
                                   {{QStringLiteral("since_id"), seen}}, Zr::CacheThenNetwork);
    const QVariantList caughtUp = bob.await(timelines, id).value(1).toList();
    QCOMPARE(caughtUp.size(), 1);
    QCOMPARE(caughtUp.first().toMap().value(QStringLiteral("id")).toString(), missed);

    // The new stream delivers again.
    const QString after = m_alice
                              ->post(QStringLiteral("/1/statuses/update.json"),
                                     {{QStringLiteral("status"), QStringLiteral("after the drop")}})
                              .object()
                              .value(QStringLiteral("id_str"))
                              .toString();
    QCOMPARE(next(objects, StreamObjectType::HomeStatus)
                 .value(0)
                 .toMap()
                 .value(QStringLiteral("id"))
                 .toString(),
             after);
}

QTEST_MAIN(TestIntegrationStream)
#include "tst_integration_stream.moc"
