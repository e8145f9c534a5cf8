// The client library against a canned server in the test's process, one area of functions per
// ctest entry (areatestmain.h): requests refused or sent, failed answers, the user stream, what
// is kept on disk, pictures, and the synchronous helpers.

#include "areatestmain.h"
#include "fakeserver.h"
#include "imagestore.h"
#include "jsondecoder.h"
#include "multipartparser.h"
#include "streamparser.h"
#include "testsupport.h"

#include <QPainter>
#include <QtTest>

using Zr::StreamParser;
using Zr::Zirrup;

namespace {
QStringList capturedOutput;
void captureOutput(QtMsgType, const QMessageLogContext &, const QString &message)
{
    capturedOutput.append(message);
}
const QByteArray bigId = "1000000000000000123";
const QByteArray homeStatus = "{\"home_status\":" + statusJson(bigId, "hi") + "}";
const QByteArray mention = "{\"mention\":" + statusJson("1000000000000000124", "@demo hi") + "}";
const QByteArray deletion = "{\"delete\":{\"status\":{\"id\":" + bigId + ",\"id_str\":\"" + bigId
    + "\",\"user_id\":1844,\"user_id_str\":\"1844\"}}}";

QJsonObject call(const char *name, const char *signal, int type = 0, const QJsonObject &args = {})
{
    return {{"call", name}, {"signal", signal}, {"type", type}, {"args", args}};
}

QStringList ids(const QVariantList &records)
{
    QStringList result;
    for (const QVariant &record : records)
        result.append(record.toMap().value("id").toString());
    return result;
}

QString cacheFolder(const QString &account)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
        + QStringLiteral("/zirrup/") + account + QStringLiteral("/records");
}

const QJsonObject home = call("retrieveTimelineResources", "timelineUpdated", TimelineType::Home);
const QJsonObject mentions =
    call("retrieveTimelineResources", "timelineUpdated", TimelineType::Mentions);

HttpResponse picture(int width, int height, QColor colour = Qt::red)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    HttpResponse response;
    QBuffer buffer(&response.body);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    response.contentType = "image/png";
    return response;
}

} // namespace

class TestBackend : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        Zr::setServiceUrl(server->baseUrl());
        server->clearRequests();
    }
    // What is sent after a refused call is all that went out; it asks for no compression, as
    // compressed answers would slip past the size limits, and is signed only when signed in.
    void requestsRefusedCallsSendNothing_data()
    {
        addJsonRows("refused", "row", server->baseUrl());
    }
    void requestsRefusedCallsSendNothing()
    {
        QFETCH(const QJsonObject, row);
        // A service under a path prefix keeps it in every request.
        Zr::setServiceUrl(QUrl(server->baseUrl().toString() + QStringLiteral("/zirrup/")));
        const bool signedOut = row["signedOut"].toBool();
        auto backend = signedOut ? signedOutBackend() : signedInBackend();
        server->clearRequests();
        server->setHandler([](const HttpRequest &) { return HttpResponse::json("{}"); });
        QSignalSpy errors(backend.get(), &Zirrup::networkRequestError);
        int id = 42;
        QCOMPARE(callBackend(backend.get(), row, &id), int(Zr::RequestFailed));
        QCOMPARE(id, -1);
        barrier(backend.get());
        QCOMPARE(errors.count(), 0);
        QCOMPARE(server->requestCount(), 1);
        const HttpRequest sent = server->lastRequest();
        QCOMPARE(sent.path, QStringLiteral("/zirrup/1/help/configuration.json"));
        QCOMPARE(sent.headers.value("accept-encoding"), QByteArray("identity"));
        QCOMPARE(sent.headers.contains("authorization"), !signedOut);
    }
    // Each file is a part of its own; its name keeps no folder and no quote (the rest of the
    // upload goes to the real service in tests/integration).
    void requestsUploadsAreMultipartWithSafeFileNames()
    {
        auto backend = signedInBackend();
        server->setHandler(
            [](const HttpRequest &) { return HttpResponse::json(statusJson("5", "pic")); });
        const QByteArray png("\x89PNG\r\n\x1a\n-not-really-but-bytes\r\n--", 32);
        QSignalSpy posted(backend.get(), &Zirrup::postedStatusWithMedia);
        int id;
        server->clearRequests();
        QCOMPARE(backend->postStatusWithMedia({{"status", "look"}, {"place_id", "4f6e"}}, &id,
                                              {{"/tmp/a\"b.png", png}, {"/tmp/z.png", "second"}}),
                 int(Zr::RequestSent));
        QVERIFY(posted.wait(5000));
        const HttpRequest media = server->lastRequest();
        QMap<QString, QPair<QString, QByteArray>> parts;
        const auto parsed = MultipartParser::parse(media.headers.value("content-type"), media.body);
        for (const MultipartPart &part : parsed.value_or(QList<MultipartPart>()))
            parts.insert(part.name, {part.fileName, part.data});
        QCOMPARE(parts.keys(), QStringList({"media[]", "place_id", "status"}));
        QCOMPARE(parts.value("media[]"), qMakePair(QStringLiteral("a_b.png"), png));
    }
    void requestsDebugOutputNeverShowsSecrets()
    {
        server->setHandler([](const HttpRequest &request) {
            return request.method == "GET"
                ? HttpResponse::error(401, "Could not authenticate with OAuth.", request.path)
                : HttpResponse::json(statusJson("1", "x"));
        });
        Zr::SetLoggingLevel(Zr::LogDebug);
        capturedOutput.clear();
        const QtMessageHandler previous = qInstallMessageHandler(captureOutput);
        {
            auto backend = signedInBackend();
            QSignalSpy errors(backend.get(), &Zirrup::networkRequestError);
            QSignalSpy written(backend.get(), &Zirrup::statusWritten);
            int id;
            backend->retrieveTimelineResources(nullptr, &id, TimelineType::Home, {},
                                               Zr::CacheThenNetwork);
            backend->writeStatus({{"status", "hello"}}, &id);
            backend->startStreaming({}, &id);
            QTRY_COMPARE(errors.count() + written.count(), 3);
        }
        qInstallMessageHandler(previous);
        Zr::SetLoggingLevel(Zr::LogWarning);

        const QString all = capturedOutput.join(QLatin1Char('\n'));
        // Requests and answers are there, credentials are not.
        QVERIFY(all.contains(QLatin1String("/1/statuses/home_timeline.json")));
        QVERIFY(all.contains(QLatin1String("hello")));
        for (const QString &secret :
             {TestAccount::tokenSecret, TestAccount::consumerSecret,
              QString::fromLatin1(QUrl::toPercentEncoding(TestAccount::tokenSecret)),
              QStringLiteral("oauth_signature"), QStringLiteral("Authorization")})
            QVERIFY2(!all.contains(secret, Qt::CaseInsensitive), qPrintable(secret));
    }

    void errorsFailedAnswerEndsInOneError_data() { addJsonRows("errors", "c", server->baseUrl()); }
    void errorsFailedAnswerEndsInOneError()
    {
        QFETCH(const QJsonObject, c);
        const QString mode = c["mode"].toString();
        HttpResponse response = HttpResponse::json(
            // Valid JSON all along, so only the size can be the reason.
            c.contains("hugeBody") ? "[" + QByteArray(c["hugeBody"].toInt(), ' ') + "]"
                                   : jsonBytes(c["body"]),
            c["status"].toInt(200));
        response.mode = mode.startsWith("stream") ? HttpResponse::Stream
            : mode == "drop"                      ? HttpResponse::DropMidBody
            : mode == "stall"                     ? HttpResponse::StallMidBody
            : mode == "hang"                      ? HttpResponse::Hang
                                                  : HttpResponse::Complete;
        response.chunked = c["chunked"].toBool();
        response.declaredLength = c["declaredLength"].toInteger(-1);
        response.contentType = c["contentType"].toString(response.contentType).toLatin1();
        server->setHandler([&](const HttpRequest &request) {
            return request.path == "/1/help/configuration.json" ? HttpResponse::json("{}")
                                                                : response;
        });
        if (mode == "unreachable") {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
            Zr::setServiceUrl(QUrl(QStringLiteral("http://127.0.0.1:%1").arg(probe.serverPort())));
        }

        auto backend = signedInBackend();
        backend->setRequestTimeout(300);
        backend->setStreamSilenceTimeout(mode == "stream silent" ? 300 : 60000);
        QSignalSpy opened(server, &FakeServer::streamOpened);
        QSignalSpy errors(backend.get(), &Zirrup::networkRequestError);
        QSignalSpy completion(backend.get(), librarySignal(c["signal"].toString().toLatin1()));
        int id = -1;
        QCOMPARE(callBackend(backend.get(), c, &id), int(Zr::RequestSent));
        QCOMPARE(errors.count(), 0);
        // A stream that opens, delivers, then is dropped, ended, silent or sends an endless line.
        if (mode.startsWith("stream")) {
            QVERIFY(opened.wait(5000));
            server->sendStreamData("{\"friends\":[]}\r\n");
            if (mode == "stream dropped")
                server->dropStream();
            else if (mode == "stream ended")
                server->endStream();
            else if (mode == "stream overlong")
                server->sendStreamData(QByteArray(c["hugeBody"].toInt(), 'x'));
        }
        QVERIFY(errors.wait(5000));
        Zr::setServiceUrl(server->baseUrl());
        const QVariantMap err = errors.at(0).at(1).toMap();
        const QString expected = c["expectedError"].toString();
        QCOMPARE(
            QStringList({errors.at(0).at(0).toString(),
                         err["error"].toString().left(expected.size()),
                         err["http_status"].toString(), err["request"].toString()}),
            QStringList({QString::number(id), expected,
                         QString::number(c["expectedStatus"].toInt()), c["request"].toString()}));

        barrier(backend.get());
        QCOMPARE(errors.count(), 1);
        QCOMPARE(completion.count(), c["completions"].toInt());
        // An error answer leaves the cache as it was.
        QVariantList cached;
        backend->retrieveTimelineResources(&cached, &id, TimelineType::Home, {}, Zr::CacheOnly);
        QVERIFY(cached.isEmpty());
    }
    // Answers for a backend that is gone go nowhere, and a receiver may delete the backend in
    // its completion while more answers are coming.
    void errorsBackendDeletedWhileRequestsRun()
    {
        HttpResponse held = HttpResponse::json("[]");
        held.mode = HttpResponse::Held;
        server->setHandler([&](const HttpRequest &) { return held; });
        auto backend = signedInBackend();
        int id;
        for (int i = 0; i < 3; ++i)
            backend->retrieveTimelineResources(nullptr, &id, TimelineType::Home, {},
                                               Zr::CacheThenNetwork);
        backend->retrieveUserResources(
            nullptr, &id, UserType::ProfileImage,
            {{"screen_name", "bob"},
             {"url", server->baseUrl().toString() + "/media/avatars/b_normal.png"}},
            Zr::CacheThenNetwork);
        QTRY_COMPARE(server->heldCount(), 4);
        backend.reset();
        server->release();

        auto *doomed = signedInBackend().release();
        QPointer<Zirrup> guard(doomed);
        connect(doomed, &Zirrup::timelineUpdated, this, [doomed] { delete doomed; });
        doomed->retrieveTimelineResources(nullptr, &id, TimelineType::Home, {},
                                          Zr::CacheThenNetwork);
        doomed->retrieveTimelineResources(nullptr, &id, TimelineType::Home, {},
                                          Zr::CacheThenNetwork);
        QTRY_COMPARE(server->heldCount(), 2);
        server->release();
        QTRY_VERIFY(guard.isNull());
        server->setHandler([](const HttpRequest &) { return HttpResponse::json("{}"); });
        barrier(signedInBackend().get());
    }

    void streamParserFindsLinesAtEverySplitPoint()
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
    void streamObjectsMapToTheirTypes_data() { addJsonRows("stream"); }
    void streamObjectsMapToTheirTypes()
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
        QCOMPARE(QVariantList({objects.at(1).at(0).toInt(), ids(objects.at(1).at(1).toList()),
                               objects.at(2).at(0).toInt()}),
                 QVariantList({int(StreamObjectType::HomeStatus), QStringList {bigId},
                               int(StreamObjectType::Mention)}));

        // What the stream brings is held for the timelines, and a deletion takes it away.
        auto later = signedInBackend(QStringLiteral("777"));
        QCOMPARE(ids(held(later.get(), home) + held(later.get(), mentions)),
                 QStringList({bigId, "1000000000000000124"}));
        server->sendStreamData(deletion.left(5));
        server->sendStreamData(deletion.mid(5) + "\r\n");
        QTRY_COMPARE(objects.count(), 4);
        QVERIFY(held(backend.get(), home).isEmpty());
        QCOMPARE(errors.count(), 0);
        backend->stopStreaming();
    }
    void streamStoppedReplacedOrDeletedStreamIsSilent()
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

    // What a backend fetched (or found as "files" in its folder) is held for a later one: the
    // "read" is answered at once with the records of "ids", the whole "list" or the "expect"
    // values.
    void cacheWhatIsStoredIsReadBack_data() { addJsonRows("cache"); }
    void cacheWhatIsStoredIsReadBack()
    {
        QFETCH(const QJsonObject, row);
        const QString account = row["account"].toString();
        const QString folder = cacheFolder(account);
        const QJsonObject files = row["files"].toObject();
        for (auto it = files.begin(); it != files.end(); ++it) {
            QFile file(folder + QLatin1Char('/') + it.key());
            QVERIFY(QDir().mkpath(folder) && file.open(QIODevice::WriteOnly));
            file.write(it->toString().toUtf8());
        }
        auto backend = signedInBackend(account);
        for (const QJsonValue &fetched : row["fetch"].toArray())
            fetch(backend.get(), fetched.toObject(), fetched["answer"]);
        const QString reader = row["readAs"].toString(account);
        auto later = reader.isEmpty() ? signedOutBackend() : signedInBackend(reader);
        QVariantList list;
        if (row.contains("result")) {
            int id;
            QCOMPARE(callBackend(later.get(), row["read"].toObject(), &id, &list),
                     row["result"].toInt());
        } else {
            list = held(later.get(), row["read"].toObject());
        }
        if (row.contains("ids"))
            QCOMPARE(ids(list), row["ids"].toVariant().toStringList());
        if (row.contains("list"))
            QCOMPARE(QJsonValue::fromVariant(list), row["list"]);
        expectValues(list, row["expect"].toObject());
        // Only finished files are left behind.
        for (const QString &name : QDir(folder).entryList(QDir::Files))
            QVERIFY2(name.endsWith(QLatin1String(".json")), qPrintable(name));
    }
    void cachePagesMergeNewestFirstWithinBounds()
    {
        auto backend = signedInBackend("101");
        const auto page = [&](const QJsonObject &args, const char *answer) {
            fetch(
                backend.get(),
                call("retrieveTimelineResources", "timelineUpdated", TimelineType::Mentions, args),
                answer);
            return held(backend.get(), mentions);
        };
        QCOMPARE(page({{"count", "51"}}, "[$statuses:1300-1250]").size(), 51);
        page({{"since_id", "1300"}}, "[$statuses:1310-1301]");
        QStringList expected;
        for (int id = 1310; id >= 1200; --id)
            expected.append(QString::number(id));
        QCOMPARE(ids(page({{"max_id", "1250"}}, "[$statuses:1250-1200]")), expected);
        const QStringList bounded = ids(page({{"max_id", "1200"}}, "[$statuses:1200-1000]"));
        QCOMPARE(QStringList({QString::number(bounded.size()), bounded.first(), bounded.last()}),
                 QStringList({"200", "1310", "1111"}));
        // Ids longer than any other order by value, not by text.
        QCOMPARE(ids(page({{"since_id", "1310"}}, "[$status:10000000000000000000]")).mid(0, 2),
                 QStringList({"10000000000000000000", "1310"}));
        // A new first page starts the list afresh.
        QCOMPARE(ids(page({}, "[$statuses:5-4]")), QStringList({"5", "4"}));
    }
    void cacheUnwritableCacheWarnsOnceAndRequestsGoOn()
    {
        const QString folder = cacheFolder("108");
        QVERIFY(QDir().mkpath(QFileInfo(folder).absolutePath()));
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        auto backend = std::make_unique<Zirrup>(
            TestAccount::token, TestAccount::tokenSecret, QStringLiteral("108"),
            TestAccount::userName, TestAccount::consumerKey, TestAccount::consumerSecret);
        QSignalSpy warnings(backend.get(), &Zirrup::errorWarning);
        backend->init();
        QCOMPARE(warnings.count(), 0);
        fetch(backend.get(), home, "[$statuses:2-1]");
        fetch(backend.get(), mentions, "[$statuses:2-1]");
        QCOMPARE(warnings.count(), 1);
        QCOMPARE(warnings.at(0).at(0).toInt(), -1);
    }
    void imagesAvatarsAreScaledMaskedAndStored()
    {
        server->setHandler([](const HttpRequest &request) {
            return request.path.endsWith("bob.png") ? picture(120, 80, Qt::blue)
                                                    : picture(100, 100);
        });
        auto backend = signedInBackend(QStringLiteral("200"));
        // Transparent corners, opaque middle: what the program's round avatar mask does.
        QImage mask(20, 20, QImage::Format_ARGB32);
        mask.fill(Qt::transparent);
        QPainter painter(&mask);
        painter.setBrush(Qt::black);
        painter.drawEllipse(QRectF(0, 0, 20, 20));
        painter.end();
        backend->setMask(mask);
        QVariantList list;
        int id = 9;
        server->clearRequests();
        QCOMPARE(backend->retrieveUserResources(&list, &id, UserType::ProfileImage,
                                                avatar("bob_normal.png"), Zr::CacheOnly),
                 int(Zr::RequestAnswered));
        QVERIFY(list.isEmpty());
        QCOMPARE(server->requestCount(), 0);

        QSignalSpy updated(backend.get(), &Zirrup::userUpdated);
        QCOMPARE(backend->retrieveUserResources(&list, &id, UserType::ProfileImage,
                                                avatar("bob_normal.png"), Zr::CacheThenNetwork),
                 int(Zr::RequestSent));
        QVERIFY(updated.wait(5000));
        const QString path = updated.at(0).at(1).toList().value(0).toString();
        QVERIFY(!server->lastRequest().headers.contains("authorization"));
        const QImage stored(path);
        QCOMPARE(QVariantList({stored.size(), qAlpha(stored.pixel(0, 0)),
                               qAlpha(stored.pixel(47, 47)), stored.pixelColor(24, 24)}),
                 QVariantList({QSize(48, 48), 0, 0, QColor(Qt::red)}));

        // Answered from the store by a later backend, but only for the same address.
        auto later = signedInBackend(QStringLiteral("200"));
        later->retrieveUserResources(&list, &id, UserType::ProfileImage, avatar("bob_normal.png"),
                                     Zr::CacheOnly);
        QCOMPARE(list, QVariantList {path});
        list.clear();
        later->retrieveUserResources(&list, &id, UserType::ProfileImage, avatar("bob_2_normal.png"),
                                     Zr::CacheOnly);
        QVERIFY(list.isEmpty());

        QSignalSpy laterUpdated(later.get(), &Zirrup::userUpdated);
        for (const auto &args : {avatar("bob_bigger.png", "bigger"), avatar("bob.png", "orig")})
            later->retrieveUserResources(nullptr, &id, UserType::ProfileImage, args,
                                         Zr::CacheThenNetwork);
        QTRY_COMPARE(laterUpdated.count(), 2);
        QMap<int, QImage> byWidth;
        for (const auto &signal : laterUpdated) {
            const QImage image(signal.at(1).toList().value(0).toString());
            byWidth.insert(image.width(), image);
        }
        // The original keeps its size; no mask was set on this backend.
        QCOMPARE(QVariantList({byWidth.value(73).height(), byWidth.value(120).size(),
                               byWidth.value(120).pixelColor(0, 0)}),
                 QVariantList({73, QSize(120, 80), QColor(Qt::blue)}));

        // A new address for the same user and size replaces the stored picture.
        later->retrieveUserResources(nullptr, &id, UserType::ProfileImage,
                                     avatar("bob_2_normal.png"), Zr::CacheThenNetwork);
        QTRY_COMPARE(laterUpdated.count(), 3);
        QVERIFY(!QFile::exists(path));
    }
    void imagesLowPriorityDownloadsRunTwoAtATime()
    {
        server->setHandler([](const HttpRequest &request) {
            HttpResponse answer = picture(48, 48);
            answer.mode = request.path.startsWith("/media/") ? HttpResponse::Held : answer.mode;
            return request.path.startsWith("/media/") ? answer : HttpResponse::json("{}");
        });
        auto backend = signedInBackend(QStringLiteral("201"));
        QSignalSpy updated(backend.get(), &Zirrup::userUpdated);
        QSignalSpy help(backend.get(), &Zirrup::helpRetrieved);
        int id;
        for (int i = 0; i < 5; ++i) {
            Zr::ArgMap args = avatar(QStringLiteral("user%1_normal.png").arg(i));
            args.insert("screen_name", QStringLiteral("user%1").arg(i));
            backend->retrieveUserResources(nullptr, &id, UserType::ProfileImage, args,
                                           Zr::CacheThenNetwork);
        }
        QTRY_COMPARE(server->heldCount(), 2);
        // Other requests pass the queued pictures.
        backend->retrieveHelp(HelpType::Configuration, nullptr, {}, &id, Zr::CacheThenNetwork);
        QVERIFY(help.wait(5000));
        QCOMPARE(server->heldCount(), 2);
        server->release();
        QTRY_COMPARE(updated.count(), 2);
        QTRY_COMPARE(server->heldCount(), 2);
        server->release();
        QTRY_COMPARE(server->heldCount(), 1);
        server->release();
        QTRY_COMPARE(updated.count(), 5);
    }
    // Previews of other sites come through the service, in the size asked for, and are kept.
    void imagesLinkPreviewsComeThroughTheService()
    {
        server->setHandler([](const HttpRequest &request) {
            if (request.query().value("url").contains("missing"))
                return HttpResponse::error(404, QStringLiteral("Not found"), request.path);
            return picture(request.query().value("size") == "thumb" ? 150 : 600, 150);
        });
        auto backend = signedInBackend(QStringLiteral("203"));
        QSignalSpy loaded(backend.get(), &Zirrup::tinyUrlImageLoaded);
        QSignalSpy errors(backend.get(), &Zirrup::networkRequestError);
        const Zr::ArgMap thumb {{"image_url", "http://zirpic.net/AbC1"}, {"as_thumb", "1"}};
        QString file;
        int id = -1;
        server->clearRequests();
        QCOMPARE(backend->retrieveTinyUrlImage(thumb, &file, &id), int(Zr::RequestSent));
        QVERIFY(loaded.wait(5000));
        const QString path = loaded.at(0).at(0).toString();
        const HttpRequest sent = server->lastRequest();
        QCOMPARE(QVariantList({loaded.at(0).at(1).toInt(), QImage(path).width(), sent.path,
                               QStringList(sent.query().keys()), sent.query().value("url"),
                               sent.query().value("size")}),
                 QVariantList({id, 150, "/1/links/preview", QStringList({"size", "url"}),
                               "http://zirpic.net/AbC1", "thumb"}));

        // Stored now: answered at once, also by a later backend, without a request.
        auto later = signedInBackend(QStringLiteral("203"));
        const int answered = later->retrieveTinyUrlImage(thumb, &file, &id);
        QCOMPARE(QVariantList({answered, file, id, server->requestCount()}),
                 QVariantList({int(Zr::RequestAnswered), path, -1, 1}));

        // The full-size picture of the same link is another picture.
        QCOMPARE(
            backend->retrieveTinyUrlImage({{"image_url", "http://zirpic.net/AbC1"}}, &file, &id),
            int(Zr::RequestSent));
        QTRY_COMPARE(loaded.count(), 2);
        QCOMPARE(server->lastRequest().query().value("size"), QStringLiteral("large"));
        QCOMPARE(QImage(loaded.at(1).at(0).toString()).width(), 600);
        backend->retrieveTinyUrlImage({{"image_url", "http://zirpic.net/missing"}}, &file, &id);
        QVERIFY(errors.wait(5000));
        QCOMPARE(errors.at(0).at(1).toMap().value("http_status").toInt(), 404);
        QCOMPARE(backend->retrieveTinyUrlImage({{"image_url", "javascript:alert(1)"}}, &file, &id),
                 int(Zr::RequestFailed));

        // The service's own picture in its small size, by name, without credentials.
        const QString media = server->baseUrl().toString() + "/media/pics/1000000000000900001.png";
        backend->retrieveTinyUrlImage({{"image_url", media}, {"as_thumb", "1"}}, &file, &id);
        QTRY_COMPARE(loaded.count(), 3);
        QCOMPARE(server->lastRequest().path,
                 QStringLiteral("/media/pics/1000000000000900001.png:thumb"));
        QVERIFY(!server->lastRequest().headers.contains("authorization"));
    }
    void imagesPictureLinksAreRecognised_data()
    {
        addJsonRows("picturelinks", "row", server->baseUrl());
    }
    void imagesPictureLinksAreRecognised()
    {
        QFETCH(const QJsonObject, row);
        QCOMPARE(signedOutBackend()->imageTypeSupported(row["url"].toString()),
                 row["supported"].toBool());
    }

    void helpersCompareIdsOrdersByValue_data() { addJsonRows("compareids"); }
    void helpersCompareIdsOrdersByValue()
    {
        QFETCH(const QJsonObject, row);
        auto backend = signedOutBackend();
        const QString first = row["first"].toString(), second = row["second"].toString();
        QCOMPARE(backend->compareIds(first, second), row["expected"].toInt());
        QCOMPARE(backend->compareIds(second, first), -row["expected"].toInt());
    }
    void helpersConvertDateTimeReadsBothForms_data() { addJsonRows("dates"); }
    void helpersConvertDateTimeReadsBothForms()
    {
        QFETCH(const QJsonObject, row);
        const QLocale saved;
        QLocale::setDefault(QLocale(row["locale"].toString(QStringLiteral("C"))));
        auto backend = signedOutBackend();
        const QDateTime result =
            backend->convertDateTime(row["text"].toString(), row["searchForm"].toBool());
        QLocale::setDefault(saved);
        QCOMPARE(result, QDateTime::fromString(row["expected"].toString(), Qt::ISODate));
        QVERIFY(!result.isValid() || result.timeSpec() == Qt::UTC);
    }
    void helpersDecoderKeepsEveryDigit_data() { addJsonRows("decode"); }
    void helpersDecoderKeepsEveryDigit()
    {
        QFETCH(const QJsonObject, row);
        QString error;
        const QVariant value = Zr::JsonDecoder::decode(row["json"].toString().toUtf8(), &error);
        QVERIFY2(error.startsWith(row["error"].toString()), qPrintable(error));
        QCOMPARE(value.isValid(), !row.contains("error"));
        expectValues(value, row["expect"].toObject());
    }
    void helpersSearchHistoryIsRememberedAcrossRuns()
    {
        server->setHandler(
            [](const HttpRequest &) { return HttpResponse::json("{\"results\":[]}"); });
        QStringList history;
        int id;
        {
            auto backend = signedInBackend(QStringLiteral("300"));
            for (const char *query : {"#qt", "Qt", "qml", "#qt", "from:bob"})
                backend->searchResources({{"q", QString::fromUtf8(query)}}, &id,
                                         SearchType::Tweets);
            // People searches are not tweet searches.
            backend->searchResources({{"q", "alice"}}, &id, SearchType::People);
            backend->getSearchHistory(10, &history);
            QCOMPARE(history, QStringList({"from:bob", "#qt", "qml", "Qt"}));
        }
        auto later = signedInBackend(QStringLiteral("300"));
        later->getSearchHistory(2, &history);
        QCOMPARE(history, QStringList({"from:bob", "#qt"}));
        signedInBackend(QStringLiteral("301"))->getSearchHistory(10, &history);
        QVERIFY(history.isEmpty());
        for (int i = 0; i < 120; ++i)
            later->searchResources({{"q", QString::number(i)}}, &id, SearchType::Tweets);
        later->getSearchHistory(1000, &history);
        QCOMPARE(QStringList({QString::number(history.size()), history.first(), history.last()}),
                 QStringList({"100", "119", "20"}));
    }
    void helpersPictureStoreStaysWithinItsBudget()
    {
        QTemporaryDir dir;
        Zr::ImageStore store(dir.path(), 2500);
        const QByteArray kilobyte(1000, 'x');
        QStringList paths;
        for (int i = 0; i < 2; ++i) {
            paths.append(store.store(QStringLiteral("p%1.png").arg(i), kilobyte));
            QFile file(paths.last());
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-100 + i),
                                     QFileDevice::FileModificationTime));
        }
        QCOMPARE(store.find(QStringLiteral("p0")), paths.at(0));
        // A third file goes beyond the budget: the oldest makes room.
        const QString newest = store.store(QStringLiteral("p2.jpg"), kilobyte);
        QCOMPARE(QVariantList({QFile::exists(paths.at(0)), QFile::exists(paths.at(1)),
                               store.find(QStringLiteral("p2")), store.find(QStringLiteral("p0"))}),
                 QVariantList({false, true, newest, QString()}));
        // The file being stored survives even when it alone is beyond the budget.
        QVERIFY(QFile::exists(store.store(QStringLiteral("big.png"), QByteArray(4000, 'y'))));
    }

private:
    // Waits for an answer that follows the failure, so that a stray late signal would have
    // arrived by then; a caller that does not want the query id passes none.
    void barrier(Zirrup *backend)
    {
        QSignalSpy help(backend, &Zirrup::helpRetrieved);
        QCOMPARE(backend->retrieveHelp(HelpType::Configuration, nullptr, {}, nullptr,
                                       Zr::CacheThenNetwork),
                 int(Zr::RequestSent));
        QVERIFY(help.wait(5000));
    }
    std::unique_ptr<Zirrup> startStream(const QString &account = TestAccount::userId,
                                        int silenceTimeout = 60000)
    {
        server->setHandler([](const HttpRequest &request) {
            HttpResponse answer = HttpResponse::json("{}");
            if (request.path == "/1/user_stream.json")
                answer.mode = HttpResponse::Stream;
            return answer;
        });
        auto backend = signedInBackend(account);
        backend->setStreamSilenceTimeout(silenceTimeout);
        QSignalSpy opened(server, &FakeServer::streamOpened);
        int id;
        backend->startStreaming({}, &id);
        [&] { QVERIFY(opened.wait(5000)); }();
        return backend;
    }
    // Fetches through call what the canned server answers; the arguments of the completion.
    QVariantList fetch(Zirrup *backend, const QJsonObject &call, const QJsonValue &answer)
    {
        const QByteArray body = cannedAnswer(answer);
        server->setHandler([body](const HttpRequest &) { return HttpResponse::json(body); });
        QSignalSpy done(backend, librarySignal(call["signal"].toString().toLatin1()));
        int id;
        [&] {
            QCOMPARE(callBackend(backend, call, &id), int(Zr::RequestSent));
            QVERIFY(done.wait(5000));
        }();
        return done.value(0);
    }
    // What is held for call: answered at once, without a request.
    QVariantList held(Zirrup *backend, const QJsonObject &call)
    {
        QJsonObject cacheOnly = call;
        cacheOnly.insert("behavior", Zr::CacheOnly);
        server->clearRequests();
        QVariantList list;
        int id = 7;
        [&] {
            QCOMPARE(callBackend(backend, cacheOnly, &id, &list), int(Zr::RequestAnswered));
            QCOMPARE(id, -1);
            QCOMPARE(server->requestCount(), 0);
        }();
        return list;
    }
    Zr::ArgMap avatar(const QString &file, const QString &size = QStringLiteral("normal")) const
    {
        return {{"screen_name", "Bob"},
                {"size", size},
                {"url", server->baseUrl().toString() + "/media/avatars/" + file},
                {"low_priority", "1"}};
    }
    FakeServer *server = cannedService(this);
};

ZIRRUP_AREA_TEST_MAIN(TestBackend)
#include "tst_backend.moc"
