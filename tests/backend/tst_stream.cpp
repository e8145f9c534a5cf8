// The user stream: line splitting whatever the chunks, the mapping of objects to types, and
// the one error that ends a stream that fails (and none for one that is stopped).

#include "fakeserver.h"
#include "jsondecoder.h"
#include "oauth.h"
#include "streamparser.h"
#include "testsupport.h"

#include <QtTest>

using Zr::StreamParser;
using Zr::Zirrup;

namespace {
const QByteArray bigId = "1000000000000000123";
const QByteArray homeStatus = "{\"home_status\":" + statusJson(bigId, "hi") + "}";
const QByteArray mention = "{\"mention\":" + statusJson("1000000000000000124", "@demo hi") + "}";
const QByteArray deletion = "{\"delete\":{\"status\":{\"id\":" + bigId + ",\"id_str\":\"" + bigId
    + "\",\"user_id\":1844,\"user_id_str\":\"1844\"}}}";
} // namespace

class TestStream : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void parserFindsLinesAtEverySplitPoint();
    void parserDropsAnOverlongLine();
    void objectsMapToTheirTypes_data();
    void objectsMapToTheirTypes();
    void streamDeliversObjectsAcrossChunks();
    void failingStreamEndsInOneError_data();
    void failingStreamEndsInOneError();
    void stoppedOrReplacedStreamIsSilent();
    void receiverMayStopOrDeleteWhileObjectsArrive();
    void streamKeepsTheCacheInStep();

private:
    void barrier(Zirrup *backend);
    FakeServer *server = nullptr;
};

void TestStream::initTestCase()
{
    server = new FakeServer(this);
    Zr::setServiceUrl(server->baseUrl());
    HttpResponse stream;
    stream.mode = HttpResponse::Stream;
    server->route(QStringLiteral("/1/user_stream.json"), stream);
    server->route(QStringLiteral("/1/help/configuration.json"), HttpResponse::json("{}"));
}

void TestStream::init()
{
    while (server->hasStream())
        server->dropStream();
}

void TestStream::barrier(Zirrup *backend)
{
    QSignalSpy help(backend, &Zirrup::helpRetrieved);
    int id;
    backend->retrieveHelp(HelpType::Configuration, nullptr, {}, &id, Zr::CacheThenNetwork);
    QVERIFY(help.wait(5000));
}

void TestStream::parserFindsLinesAtEverySplitPoint()
{
    const QByteArray first = "{\"friends\":[\"1844\"]}";
    const QByteArray second = "{\"event\":\"follow\"}";
    // CRLF, a keep-alive and a bare LF, as a sloppy server might mix them.
    const QByteArray payload = first + "\r\n\r\n" + second + "\n";
    const QList<QByteArray> expected {first, second};
    for (int split = 0; split <= payload.size(); ++split) {
        StreamParser parser(1024);
        QList<QByteArray> lines = parser.feed(payload.left(split));
        lines += parser.feed(payload.mid(split));
        QVERIFY2(lines == expected, qPrintable(QStringLiteral("split at %1").arg(split)));
        QCOMPARE(parser.pendingBytes(), 0);
    }
    StreamParser bytewise(1024);
    QList<QByteArray> lines;
    for (char c : payload)
        lines += bytewise.feed(QByteArray(1, c));
    QCOMPARE(lines, expected);
    // Keep-alives alone produce nothing.
    QVERIFY(bytewise.feed("\r\n\r\n\n").isEmpty());
}

void TestStream::parserDropsAnOverlongLine()
{
    StreamParser parser(16);
    bool overflow = false;
    QVERIFY(parser.feed("{\"a\":\"0123456789abcdef", &overflow).isEmpty());
    QVERIFY(overflow);
    QCOMPARE(parser.pendingBytes(), 0);
    QCOMPARE(parser.feed("{}\r\n", &overflow), QList<QByteArray> {"{}"});
    QVERIFY(!overflow);
}

void TestStream::objectsMapToTheirTypes_data()
{
    QTest::addColumn<QByteArray>("object");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("innerKey"); // empty: the data is the whole object

    QTest::newRow("friends") << QByteArray("{\"friends\":[\"1844\"]}")
                             << int(StreamObjectType::Friends) << QString();
    QTest::newRow("home status") << homeStatus << int(StreamObjectType::HomeStatus)
                                 << "home_status";
    QTest::newRow("mention") << mention << int(StreamObjectType::Mention) << "mention";
    QTest::newRow("direct message")
        << QByteArray("{\"direct_message\":{\"id\":5,\"id_str\":\"5\"}}")
        << int(StreamObjectType::DirectMessage) << "direct_message";
    QTest::newRow("status deletion")
        << deletion << int(StreamObjectType::StatusDeletion) << QString();
    QTest::newRow("message deletion")
        << QByteArray("{\"delete\":{\"direct_message\":{\"id\":5,\"id_str\":\"5\"}}}")
        << int(StreamObjectType::DirectMessageDeletion) << QString();
    QTest::newRow("favourite") << QByteArray(
        "{\"event\":\"favorite\",\"target_object\":{\"id\":1}}")
                               << int(StreamObjectType::Favorite) << QString();
    QTest::newRow("unfavourite") << QByteArray(
        "{\"event\":\"unfavorite\",\"target_object\":{\"id\":1}}")
                                 << int(StreamObjectType::Unfavorite) << QString();
    QTest::newRow("follow") << QByteArray("{\"event\":\"follow\",\"target_object\":null}")
                            << int(StreamObjectType::Event) << QString();
    QTest::newRow("list member added") << QByteArray("{\"event\":\"list_member_added\"}")
                                       << int(StreamObjectType::Event) << QString();
    QTest::newRow("unknown") << QByteArray("{\"scrub_geo\":{}}") << -1 << QString();
    QTest::newRow("home status not a record")
        << QByteArray("{\"home_status\":5}") << -1 << QString();
}

void TestStream::objectsMapToTheirTypes()
{
    QFETCH(QByteArray, object);
    QFETCH(int, type);
    QFETCH(QString, innerKey);
    const QVariantMap decoded = Zr::JsonDecoder::decode(object).toMap();
    StreamObjectType::StreamObjectType kind;
    QVariantList data;
    const bool known = StreamParser::classify(decoded, &kind, &data);
    QCOMPARE(known, type >= 0);
    if (!known)
        return;
    QCOMPARE(int(kind), type);
    QCOMPARE(data.size(), 1);
    QCOMPARE(data.at(0).toMap(), innerKey.isEmpty() ? decoded : decoded.value(innerKey).toMap());
}

void TestStream::streamDeliversObjectsAcrossChunks()
{
    auto backend = signedInBackend();
    QSignalSpy objects(backend.get(), &Zirrup::streamObject);
    QSignalSpy errors(backend.get(), &Zirrup::networkRequestError);
    QSignalSpy opened(server, &FakeServer::streamOpened);
    int id = -1;
    server->clearRequests();
    QCOMPARE(backend->startStreaming({}, &id), int(Zr::RequestSent));
    QVERIFY(id > 0);
    QVERIFY(opened.wait(5000));
    const HttpRequest request = server->lastRequest();
    QCOMPARE(request.method, QByteArray("GET"));
    QCOMPARE(Zr::OAuth::parseAuthorizationHeader(request.headers.value("authorization"))
                 .value("oauth_token"),
             TestAccount::token.toUtf8());

    server->sendStreamData("{\"friends\":[\"1844\",\"1845\"]}\r\n\r\n");
    server->sendStreamData(homeStatus.left(10));
    server->sendStreamData(homeStatus.mid(10, 50));
    server->sendStreamData(homeStatus.mid(60) + "\r\n" + mention + "\r\n\r\n" + deletion.left(5));
    server->sendStreamData(deletion.mid(5) + "\r\nnot json at all\r\n");
    server->sendStreamData("{\"event\":\"favorite\",\"target_object\":" + statusJson(bigId, "x")
                           + "}\r\n");
    QTRY_COMPARE(objects.count(), 5);

    const QList<int> types {int(StreamObjectType::Friends), int(StreamObjectType::HomeStatus),
                            int(StreamObjectType::Mention), int(StreamObjectType::StatusDeletion),
                            int(StreamObjectType::Favorite)};
    for (int i = 0; i < types.size(); ++i)
        QCOMPARE(objects.at(i).at(0).toInt(), types.at(i));
    const QVariantMap status = objects.at(1).at(1).toList().value(0).toMap();
    QCOMPARE(status.value("id").toString(), QString::fromLatin1(bigId));
    QCOMPARE(status.value("text").toString(), QStringLiteral("hi"));
    const QVariantMap deleted = objects.at(3).at(1).toList().value(0).toMap();
    QCOMPARE(deleted.value("delete").toMap().value("status").toMap().value("id").toString(),
             QString::fromLatin1(bigId));
    const QVariantMap favourite = objects.at(4).at(1).toList().value(0).toMap();
    QCOMPARE(favourite.value("target_object").toMap().value("id").toString(),
             QString::fromLatin1(bigId));
    QCOMPARE(errors.count(), 0);
    backend->stopStreaming();
}

void TestStream::failingStreamEndsInOneError_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("expectedStatus");
    QTest::addColumn<QString>("expectedError");
    QTest::newRow("dropped") << "drop" << 200 << "Stream closed";
    QTest::newRow("ended") << "end" << 200 << "Stream closed";
    QTest::newRow("silent") << "silence" << 200 << "Stream silent";
    QTest::newRow("refused") << "refuse" << 401 << "Could not authenticate with OAuth.";
}

void TestStream::failingStreamEndsInOneError()
{
    QFETCH(QString, how);
    QFETCH(int, expectedStatus);
    QFETCH(QString, expectedError);
    if (how == QLatin1String("refuse"))
        server->route(QStringLiteral("/1/user_stream.json"),
                      HttpResponse::error(401, QStringLiteral("Could not authenticate with OAuth."),
                                          QStringLiteral("/1/user_stream.json")));
    auto backend = signedInBackend();
    backend->setStreamSilenceTimeout(how == QLatin1String("silence") ? 300 : 60000);
    QSignalSpy errors(backend.get(), &Zirrup::networkRequestError);
    QSignalSpy opened(server, &FakeServer::streamOpened);
    int id;
    QCOMPARE(backend->startStreaming({}, &id), int(Zr::RequestSent));
    if (how != QLatin1String("refuse")) {
        QVERIFY(opened.wait(5000));
        server->sendStreamData("{\"friends\":[]}\r\n");
        if (how == QLatin1String("drop"))
            server->dropStream();
        else if (how == QLatin1String("end"))
            server->endStream();
    }
    QVERIFY(errors.wait(5000));
    QCOMPARE(errors.at(0).at(0).toInt(), id);
    const QVariantMap err = errors.at(0).at(1).toMap();
    QVERIFY2(err.value("error").toString().startsWith(expectedError),
             qPrintable(err.value("error").toString()));
    QCOMPARE(err.value("http_status").toInt(), expectedStatus);
    QCOMPARE(err.value("request").toString(), QStringLiteral("/1/user_stream.json"));
    barrier(backend.get());
    QCOMPARE(errors.count(), 1);

    HttpResponse stream;
    stream.mode = HttpResponse::Stream;
    server->route(QStringLiteral("/1/user_stream.json"), stream);
}

void TestStream::stoppedOrReplacedStreamIsSilent()
{
    auto backend = signedInBackend();
    QSignalSpy errors(backend.get(), &Zirrup::networkRequestError);
    QSignalSpy objects(backend.get(), &Zirrup::streamObject);
    QSignalSpy opened(server, &FakeServer::streamOpened);
    QSignalSpy closed(server, &FakeServer::streamClosedByClient);
    int first, second;
    backend->startStreaming({}, &first);
    QVERIFY(opened.wait(5000));
    // A second start closes the first stream without a word.
    backend->startStreaming({}, &second);
    QVERIFY(second != first);
    QTRY_COMPARE(opened.count(), 2);
    QTRY_COMPARE(closed.count(), 1);
    server->sendStreamData("{\"friends\":[]}\r\n");
    QTRY_COMPARE(objects.count(), 1);

    backend->stopStreaming();
    QTRY_COMPARE(closed.count(), 2);
    backend->stopStreaming();
    barrier(backend.get());
    QCOMPARE(errors.count(), 0);
}

void TestStream::receiverMayStopOrDeleteWhileObjectsArrive()
{
    auto backend = signedInBackend();
    QSignalSpy errors(backend.get(), &Zirrup::networkRequestError);
    QSignalSpy opened(server, &FakeServer::streamOpened);
    int delivered = 0;
    auto stopper = connect(backend.get(), &Zirrup::streamObject, this, [&] {
        ++delivered;
        backend->stopStreaming();
    });
    int id;
    backend->startStreaming({}, &id);
    QVERIFY(opened.wait(5000));
    server->sendStreamData(homeStatus + "\r\n" + mention + "\r\n");
    QTRY_COMPARE(delivered, 1);
    disconnect(stopper);
    barrier(backend.get());
    QCOMPARE(delivered, 1);
    QCOMPARE(errors.count(), 0);

    auto *doomed = signedInBackend().release();
    QPointer<Zirrup> guard(doomed);
    connect(doomed, &Zirrup::streamObject, this, [doomed] { delete doomed; });
    doomed->startStreaming({}, &id);
    QVERIFY(opened.wait(5000));
    server->sendStreamData(homeStatus + "\r\n" + mention + "\r\n");
    QTRY_VERIFY(guard.isNull());
}

void TestStream::streamKeepsTheCacheInStep()
{
    auto backend = signedInBackend(QStringLiteral("777"));
    QSignalSpy objects(backend.get(), &Zirrup::streamObject);
    QSignalSpy opened(server, &FakeServer::streamOpened);
    int id;
    backend->startStreaming({}, &id);
    QVERIFY(opened.wait(5000));
    server->sendStreamData(homeStatus + "\r\n" + mention + "\r\n");
    QTRY_COMPARE(objects.count(), 2);

    auto later = signedInBackend(QStringLiteral("777"));
    QVariantList home, mentions;
    later->retrieveTimelineResources(&home, &id, TimelineType::Home, {}, Zr::CacheOnly);
    later->retrieveTimelineResources(&mentions, &id, TimelineType::Mentions, {}, Zr::CacheOnly);
    QCOMPARE(home.size(), 1);
    QCOMPARE(home.at(0).toMap().value("id").toString(), QString::fromLatin1(bigId));
    QCOMPARE(mentions.size(), 1);

    server->sendStreamData(deletion + "\r\n");
    QTRY_COMPARE(objects.count(), 3);
    home.clear();
    backend->retrieveTimelineResources(&home, &id, TimelineType::Home, {}, Zr::CacheOnly);
    QVERIFY(home.isEmpty());
    backend->stopStreaming();
}

QTEST_MAIN(TestStream)
#include "tst_stream.moc"
