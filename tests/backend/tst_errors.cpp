// Every way a request can go wrong ends in exactly one networkRequestError and no completion.

#include "fakeserver.h"
#include "testsupport.h"

#include <QtTest>

using Zr::Zirrup;

class TestErrors : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void failedAnswerEndsInOneError_data() { addJsonRows("errors"); }
    void failedAnswerEndsInOneError()
    {
        QFETCH(const QJsonObject, row);
        const QJsonObject c = withBase(row, server->baseUrl());
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
        QSignalSpy completion(backend.get(), completionOf(c));
        int id = -1;
        QCOMPARE(callBackend(backend.get(), c, &id), int(Zr::RequestSent));
        QCOMPARE(errors.count(), 0);
        // A stream that opens, delivers, and then is dropped, ended or falls silent.
        if (mode.startsWith("stream")) {
            QVERIFY(opened.wait(5000));
            server->sendStreamData("{\"friends\":[]}\r\n");
            if (mode == "stream dropped")
                server->dropStream();
            else if (mode == "stream ended")
                server->endStream();
        }
        QVERIFY(errors.wait(5000));
        Zr::setServiceUrl(server->baseUrl());
        const QVariantMap err = errors.at(0).at(1).toMap();
        QCOMPARE(errors.at(0).at(0).toInt(), id);
        QVERIFY2(err.value("error").toString().startsWith(c["expectedError"].toString()),
                 qPrintable(err.value("error").toString()));
        QCOMPARE(err.value("http_status").toInt(), c["expectedStatus"].toInt());
        QCOMPARE(err.value("request").toString(), c["request"].toString());

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
    void backendDeletedWhileRequestsRun()
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

private:
    // Waits for an answer that follows the failure, so that a stray late signal would have
    // arrived by then.
    void barrier(Zirrup *backend)
    {
        QSignalSpy help(backend, &Zirrup::helpRetrieved);
        int id;
        QCOMPARE(
            backend->retrieveHelp(HelpType::Configuration, nullptr, {}, &id, Zr::CacheThenNetwork),
            int(Zr::RequestSent));
        QVERIFY(help.wait(5000));
    }
    FakeServer *server = cannedService(this);
};

QTEST_MAIN(TestErrors)
#include "tst_errors.moc"
