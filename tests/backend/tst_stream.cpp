// The user stream: line splitting whatever the chunks, the mapping of objects to types, and
// none of the errors a failing stream ends in (see the error test) for one that is stopped.

#include "fakeserver.h"
#include "jsondecoder.h"
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
    void initTestCase()
    {
        server->setHandler([](const HttpRequest &request) {
            HttpResponse answer = HttpResponse::json("{}");
            if (request.path == "/1/user_stream.json")
                answer.mode = HttpResponse::Stream;
            return answer;
        });
    }
    void parserFindsLinesAtEverySplitPoint()
    {
        const QByteArray first = "{\"friends\":[\"1844\"]}";
        const QByteArray second = "{\"event\":\"follow\"}";
        // CRLF, a keep-alive and a bare LF, as a sloppy server might mix them.
        const QByteArray payload = first + "\r\n\r\n" + second + "\n";
        for (int split = 0; split <= payload.size(); ++split) {
            StreamParser parser(1024);
            QList<QByteArray> lines = parser.feed(payload.left(split));
            lines += parser.feed(payload.mid(split));
            QVERIFY2(lines == QList<QByteArray>({first, second}),
                     qPrintable(QString::number(split)));
            QCOMPARE(parser.pendingBytes(), 0);
        }
        // An overlong line is dropped whole, and the next one is read again.
        StreamParser parser(16);
        bool overflow = false;
        QVERIFY(parser.feed("{\"a\":\"0123456789abcdef", &overflow).isEmpty());
        QVERIFY(overflow);
        QCOMPARE(parser.pendingBytes(), 0);
        QCOMPARE(parser.feed("{}\r\n", &overflow), QList<QByteArray> {"{}"});
        QVERIFY(!overflow);
    }
    void objectsMapToTheirTypes_data() { addJsonRows("stream"); }
    void objectsMapToTheirTypes()
    {
        QFETCH(const QJsonObject, row);
        const QVariantMap decoded = Zr::JsonDecoder::decode(jsonBytes(row["object"])).toMap();
        StreamObjectType::StreamObjectType kind;
        QVariantList data;
        QCOMPARE(StreamParser::classify(decoded, &kind, &data), row["type"].toInt() >= 0);
        if (row["type"].toInt() < 0)
            return;
        QCOMPARE(int(kind), row["type"].toInt());
        const QString inner = row["inner"].toString();
        QCOMPARE(data, QVariantList {inner.isEmpty() ? decoded : decoded.value(inner).toMap()});
    }
    void streamDeliversObjectsAcrossChunksAndKeepsTheCache()
    {
        auto backend = startStream(QStringLiteral("777"));
        QSignalSpy objects(backend.get(), &Zirrup::streamObject);
        QSignalSpy errors(backend.get(), &Zirrup::networkRequestError);

        server->sendStreamData("{\"friends\":[\"1844\",\"1845\"]}\r\n\r\n");
        server->sendStreamData(homeStatus.left(10));
        server->sendStreamData(homeStatus.mid(10, 50));
        server->sendStreamData(homeStatus.mid(60) + "\r\n" + mention
                               + "\r\n\r\nnot json at all\r\n");
        QTRY_COMPARE(objects.count(), 3);
        QCOMPARE(objects.at(1).at(0).toInt(), int(StreamObjectType::HomeStatus));
        QCOMPARE(objects.at(1).at(1).toList().value(0).toMap().value("id").toString(),
                 QString::fromLatin1(bigId));
        QCOMPARE(objects.at(2).at(0).toInt(), int(StreamObjectType::Mention));

        // What the stream brings is held for the timelines, and a deletion takes it away.
        auto later = signedInBackend(QStringLiteral("777"));
        QVariantList home, mentions;
        int id;
        later->retrieveTimelineResources(&home, &id, TimelineType::Home, {}, Zr::CacheOnly);
        later->retrieveTimelineResources(&mentions, &id, TimelineType::Mentions, {}, Zr::CacheOnly);
        QCOMPARE(home.value(0).toMap().value("id").toString(), QString::fromLatin1(bigId));
        QCOMPARE(mentions.size(), 1);
        server->sendStreamData(deletion.left(5));
        server->sendStreamData(deletion.mid(5) + "\r\n");
        QTRY_COMPARE(objects.count(), 4);
        home.clear();
        backend->retrieveTimelineResources(&home, &id, TimelineType::Home, {}, Zr::CacheOnly);
        QVERIFY(home.isEmpty());
        QCOMPARE(errors.count(), 0);
        backend->stopStreaming();
    }
    void stoppedReplacedOrDeletedStreamIsSilent()
    {
        auto backend = startStream();
        QSignalSpy errors(backend.get(), &Zirrup::networkRequestError);
        QSignalSpy objects(backend.get(), &Zirrup::streamObject);
        QSignalSpy opened(server, &FakeServer::streamOpened);
        QSignalSpy closed(server, &FakeServer::streamClosedByClient);
        // A second start closes the first stream without a word.
        int id;
        backend->startStreaming({}, &id);
        QVERIFY(opened.wait(5000));
        QTRY_COMPARE(closed.count(), 1);
        // A receiver may stop the stream while objects arrive: nothing more is delivered.
        connect(backend.get(), &Zirrup::streamObject, this, [&] { backend->stopStreaming(); });
        server->sendStreamData(homeStatus + "\r\n" + mention + "\r\n");
        QTRY_COMPARE(closed.count(), 2);
        QCOMPARE(objects.count(), 1);
        backend->stopStreaming();

        // Or delete the backend.
        auto *doomed = startStream().release();
        QPointer<Zirrup> guard(doomed);
        connect(doomed, &Zirrup::streamObject, this, [doomed] { delete doomed; });
        server->sendStreamData(homeStatus + "\r\n" + mention + "\r\n");
        QTRY_VERIFY(guard.isNull());
        QCOMPARE(errors.count(), 0);
    }
    // Each object puts off the silence limit again: a stream that keeps talking for several
    // times that limit is never given up.
    void streamThatKeepsTalkingStaysOpen()
    {
        auto backend = startStream(TestAccount::userId, 400);
        QSignalSpy objects(backend.get(), &Zirrup::streamObject);
        QSignalSpy errors(backend.get(), &Zirrup::networkRequestError);
        QTimer talker;
        connect(&talker, &QTimer::timeout, this,
                [this] { server->sendStreamData("{\"friends\":[]}\r\n"); });
        talker.start(100);
        QTRY_COMPARE_WITH_TIMEOUT(objects.count(), 15, 10000);
        QCOMPARE(errors.count(), 0);
        backend->stopStreaming();
    }

private:
    std::unique_ptr<Zirrup> startStream(const QString &account = TestAccount::userId,
                                        int silenceTimeout = 60000)
    {
        auto backend = signedInBackend(account);
        backend->setStreamSilenceTimeout(silenceTimeout);
        QSignalSpy opened(server, &FakeServer::streamOpened);
        int id;
        backend->startStreaming({}, &id);
        [&] { QVERIFY(opened.wait(5000)); }();
        return backend;
    }
    FakeServer *server = cannedService(this);
};

QTEST_MAIN(TestStream)
#include "tst_stream.moc"
