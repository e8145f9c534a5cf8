// Every way a request can go wrong ends in exactly one networkRequestError and no completion.

#include "fakeserver.h"
#include "testsupport.h"

#include <QtTest>

using Zr::Zirrup;

class TestErrors : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void failedAnswerEndsInOneError_data();
    void failedAnswerEndsInOneError();
    void unreachableServiceEndsInOneError();
    void backendDeletedWhileRequestsRun();
    void receiverMayDeleteBackendInCompletion();

private:
    // Waits for an answer that follows the failure, so that a stray late signal would have
    // arrived by then.
    void barrier(Zirrup *backend);

    FakeServer *server = nullptr;
};

void TestErrors::initTestCase()
{
    server = new FakeServer(this);
    Zr::setServiceUrl(server->baseUrl());
}

void TestErrors::barrier(Zirrup *backend)
{
    QSignalSpy help(backend, &Zirrup::helpRetrieved);
    int id;
    QCOMPARE(backend->retrieveHelp(HelpType::Configuration, nullptr, {}, &id, Zr::CacheThenNetwork),
             int(Zr::RequestSent));
    QVERIFY(help.wait(5000));
}

void TestErrors::failedAnswerEndsInOneError_data()
{
    QTest::addColumn<bool>("wantsObject");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("chunked");
    QTest::addColumn<qint64>("declaredLength");
    QTest::addColumn<int>("expectedStatus");
    QTest::addColumn<QString>("expectedError");

    const auto errorBody = [](const char *text) {
        return QByteArray("{\"error\":\"") + text + "\",\"request\":\"/1/x.json\"}";
    };
    const QByteArray statuses = "[" + statusJson("1000000000000000123", "hello") + "]";
    const int complete = HttpResponse::Complete;

    QTest::newRow("401 authentication")
        << false << complete << 401 << errorBody("Could not authenticate with OAuth.") << false
        << qint64(-1) << 401 << QStringLiteral("Could not authenticate with OAuth.");
    QTest::newRow("404 not found") << true << complete << 404 << errorBody("Not found") << false
                                   << qint64(-1) << 404 << QStringLiteral("Not found");
    QTest::newRow("403 refused") << false << complete << 403 << errorBody("Not authorized") << true
                                 << qint64(-1) << 403 << QStringLiteral("Not authorized");
    QTest::newRow("500 server fault")
        << false << complete << 500 << errorBody("Internal error") << false << qint64(-1) << 500
        << QStringLiteral("Internal error");
    QTest::newRow("502 without json")
        << false << complete << 502 << QByteArray("<html>Bad gateway</html>") << false << qint64(-1)
        << 502 << QStringLiteral("HTTP status 502");
    QTest::newRow("redirect") << false << complete << 301 << QByteArray() << false << qint64(-1)
                              << 301 << QStringLiteral("HTTP status 301");
    QTest::newRow("malformed json")
        << false << complete << 200 << QByteArray("[{\"id\": 1,]") << false << qint64(-1) << 200
        << QStringLiteral("Malformed JSON");
    QTest::newRow("truncated json") << false << complete << 200 << statuses.left(40) << false
                                    << qint64(-1) << 200 << QStringLiteral("Malformed JSON");
    QTest::newRow("empty body") << true << complete << 200 << QByteArray() << false << qint64(-1)
                                << 200 << QStringLiteral("Malformed JSON");
    QTest::newRow("object where array") << false << complete << 200 << statusJson("1", "x") << false
                                        << qint64(-1) << 200 << QStringLiteral("Unexpected answer");
    QTest::newRow("array where object") << true << complete << 200 << statuses << false
                                        << qint64(-1) << 200 << QStringLiteral("Unexpected answer");
    QTest::newRow("array of non-records")
        << false << complete << 200 << QByteArray("[1,\"2\"]") << false << qint64(-1) << 200
        << QStringLiteral("Unexpected answer");
    QTest::newRow("drop mid-body")
        << false << int(HttpResponse::DropMidBody) << 200 << statuses << false << qint64(-1) << 200
        << QStringLiteral("Answer interrupted");
    QTest::newRow("no answer at all")
        << false << int(HttpResponse::Hang) << 200 << statuses << false << qint64(-1) << 0
        << QStringLiteral("Request timed out");
    QTest::newRow("stalls mid-body")
        << false << int(HttpResponse::StallMidBody) << 200 << statuses << false << qint64(-1) << 200
        << QStringLiteral("Request timed out");
    QTest::newRow("announces too much")
        << false << complete << 200 << statuses << false << qint64(9 * 1024 * 1024) << 200
        << QStringLiteral("Answer too large");
    // Valid JSON all along, so only the size can be the reason.
    QByteArray huge = "[" + QByteArray(8 * 1024 * 1024, ' ') + "]";
    QTest::newRow("sends too much") << false << complete << 200 << huge << true << qint64(-1) << 200
                                    << QStringLiteral("Answer too large");
}

void TestErrors::failedAnswerEndsInOneError()
{
    QFETCH(bool, wantsObject);
    QFETCH(int, mode);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(bool, chunked);
    QFETCH(qint64, declaredLength);
    QFETCH(int, expectedStatus);
    QFETCH(QString, expectedError);

    HttpResponse response = HttpResponse::json(body, status);
    response.mode = HttpResponse::Mode(mode);
    response.chunked = chunked;
    response.declaredLength = declaredLength;
    server->setHandler([&](const HttpRequest &request) {
        if (request.path == QLatin1String("/1/help/configuration.json"))
            return HttpResponse::json("{\"short_url_length\":29}");
        return response;
    });

    auto backend = signedInBackend();
    backend->setRequestTimeout(300);
    QSignalSpy errors(backend.get(), &Zirrup::networkRequestError);
    QSignalSpy timeline(backend.get(), &Zirrup::timelineUpdated);
    QSignalSpy status_(backend.get(), &Zirrup::statusUpdated);
    int id = -1;
    const int result = wantsObject
        ? backend->retrieveStatus(nullptr, {{"id", "5"}}, &id)
        : backend->retrieveTimelineResources(nullptr, &id, TimelineType::Home, {{"count", "51"}},
                                             Zr::CacheThenNetwork);
    QCOMPARE(result, int(Zr::RequestSent));
    QCOMPARE(errors.count(), 0);
    QVERIFY(errors.wait(5000));

    const QVariantMap err = errors.at(0).at(1).toMap();
    QCOMPARE(errors.at(0).at(0).toInt(), id);
    QVERIFY2(err.value("error").toString().startsWith(expectedError),
             qPrintable(err.value("error").toString()));
    QCOMPARE(err.value("http_status").toInt(), expectedStatus);
    QCOMPARE(err.value("request").toString(),
             wantsObject ? QStringLiteral("/1/statuses/show.json")
                         : QStringLiteral("/1/statuses/home_timeline.json"));

    barrier(backend.get());
    QCOMPARE(errors.count(), 1);
    QCOMPARE(timeline.count() + status_.count(), 0);
    // An error answer leaves the cache as it was.
    QVariantList cached;
    backend->retrieveTimelineResources(&cached, &id, TimelineType::Home, {}, Zr::CacheOnly);
    QVERIFY(cached.isEmpty());
}

void TestErrors::unreachableServiceEndsInOneError()
{
    quint16 closedPort;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        closedPort = probe.serverPort();
    }
    Zr::setServiceUrl(QUrl(QStringLiteral("http://127.0.0.1:%1").arg(closedPort)));
    auto backend = signedInBackend();
    QSignalSpy errors(backend.get(), &Zirrup::networkRequestError);
    QSignalSpy timeline(backend.get(), &Zirrup::timelineUpdated);
    int id;
    QCOMPARE(backend->retrieveTimelineResources(nullptr, &id, TimelineType::Mentions, {},
                                                Zr::CacheThenNetwork),
             int(Zr::RequestSent));
    QVERIFY(errors.wait(5000));
    QCOMPARE(errors.at(0).at(0).toInt(), id);
    QCOMPARE(errors.at(0).at(1).toMap().value("http_status").toInt(), 0);
    QVERIFY(!errors.at(0).at(1).toMap().value("error").toString().isEmpty());
    Zr::setServiceUrl(server->baseUrl());
    barrier(backend.get());
    QCOMPARE(errors.count(), 1);
    QCOMPARE(timeline.count(), 0);
}

void TestErrors::backendDeletedWhileRequestsRun()
{
    HttpResponse held = HttpResponse::json("[]");
    held.mode = HttpResponse::Held;
    server->setHandler([&](const HttpRequest &) { return held; });
    server->release();
    auto backend = signedInBackend();
    int id;
    for (int i = 0; i < 3; ++i)
        backend->retrieveTimelineResources(nullptr, &id, TimelineType::Home, {},
                                           Zr::CacheThenNetwork);
    backend->retrieveUserResources(
        nullptr, &id, UserType::ProfileImage,
        {{"screen_name", "bob"},
         {"url", server->baseUrl().toString() + "/media/avatars/b_normal.png"},
         {"low_priority", "1"}},
        Zr::CacheThenNetwork);
    QTRY_COMPARE(server->heldCount(), 4);
    backend.reset();
    // Answers for a backend that is gone must go nowhere.
    server->release();
    auto other = signedInBackend();
    server->setHandler([](const HttpRequest &) { return HttpResponse::json("{}"); });
    barrier(other.get());
}

void TestErrors::receiverMayDeleteBackendInCompletion()
{
    server->setHandler([](const HttpRequest &request) {
        return HttpResponse::json(request.path.contains(QLatin1String("timeline")) ? "[]" : "{}");
    });
    auto *backend = signedInBackend().release();
    QPointer<Zirrup> guard(backend);
    connect(backend, &Zirrup::timelineUpdated, this, [backend] { delete backend; });
    int id;
    backend->retrieveTimelineResources(nullptr, &id, TimelineType::Home, {}, Zr::CacheThenNetwork);
    backend->retrieveTimelineResources(nullptr, &id, TimelineType::Home, {}, Zr::CacheThenNetwork);
    QTRY_VERIFY(guard.isNull());
    auto other = signedInBackend();
    barrier(other.get());
}

QTEST_MAIN(TestErrors)
#include "tst_errors.moc"
