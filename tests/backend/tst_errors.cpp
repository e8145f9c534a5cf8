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
    void failedAnswerEndsInOneError_data() { addJsonRows("errors"); }
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

void TestErrors::failedAnswerEndsInOneError()
{
    QFETCH(const QJsonObject, row);
    const QString mode = row["mode"].toString();
    HttpResponse response = HttpResponse::json(
        // Valid JSON all along, so only the size can be the reason.
        row.contains("hugeBody") ? "[" + QByteArray(row["hugeBody"].toInt(), ' ') + "]"
                                 : jsonBytes(row["body"]),
        row["status"].toInt(200));
    response.mode = mode == "drop" ? HttpResponse::DropMidBody
        : mode == "stall"          ? HttpResponse::StallMidBody
        : mode == "hang"           ? HttpResponse::Hang
                                   : HttpResponse::Complete;
    response.chunked = row["chunked"].toBool();
    response.declaredLength = row["declaredLength"].toInteger(-1);
    server->setHandler([&](const HttpRequest &request) {
        if (request.path == QLatin1String("/1/help/configuration.json"))
            return HttpResponse::json("{\"short_url_length\":29}");
        return response;
    });

    auto backend = signedInBackend();
    backend->setRequestTimeout(300);
    QSignalSpy errors(backend.get(), &Zirrup::networkRequestError);
    QSignalSpy timeline(backend.get(), &Zirrup::timelineUpdated);
    QSignalSpy status(backend.get(), &Zirrup::statusUpdated);
    const bool wantsObject = row["object"].toBool();
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
    QVERIFY2(err.value("error").toString().startsWith(row["expectedError"].toString()),
             qPrintable(err.value("error").toString()));
    QCOMPARE(err.value("http_status").toInt(), row["expectedStatus"].toInt());
    QCOMPARE(err.value("request").toString(),
             wantsObject ? QStringLiteral("/1/statuses/show.json")
                         : QStringLiteral("/1/statuses/home_timeline.json"));

    barrier(backend.get());
    QCOMPARE(errors.count(), 1);
    QCOMPARE(timeline.count() + status.count(), 0);
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
