// Calls refused before anything is sent, what goes on the wire that the service could not
// tell, and what the debug output keeps to itself.

#include "fakeserver.h"
#include "multipartparser.h"
#include "testsupport.h"

#include <QtTest>

using Zr::ArgMap;
using Zr::Zirrup;

namespace {
QStringList capturedOutput;
void captureOutput(QtMsgType, const QMessageLogContext &, const QString &message)
{
    capturedOutput.append(message);
}
} // namespace

class TestRequests : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // What is sent after a refused call is all that went out; it asks for no compression, as
    // compressed answers would slip past the size limits, and is signed only when signed in.
    void refusedCallsSendNothing_data() { addJsonRows("refused", "given"); }
    void refusedCallsSendNothing()
    {
        QFETCH(const QJsonObject, given);
        const QJsonObject row = withBase(given, server->baseUrl());
        const bool signedOut = row["signedOut"].toBool();
        auto backend = signedOut ? signedOutBackend() : signedInBackend();
        server->clearRequests();
        server->setHandler([](const HttpRequest &) { return HttpResponse::json("{}"); });
        QSignalSpy errors(backend.get(), &Zirrup::networkRequestError);
        QSignalSpy help(backend.get(), &Zirrup::helpRetrieved);
        int id = 42;
        QCOMPARE(callBackend(backend.get(), row, &id), int(Zr::RequestFailed));
        QCOMPARE(id, -1);
        backend->retrieveHelp(HelpType::Configuration, nullptr, {}, &id, Zr::CacheThenNetwork);
        QVERIFY(help.wait(5000));
        QCOMPARE(errors.count(), 0);
        QCOMPARE(server->requestCount(), 1);
        const HttpRequest sent = server->lastRequest();
        QCOMPARE(sent.path, QStringLiteral("/zirrup/1/help/configuration.json"));
        QCOMPARE(sent.headers.value("accept-encoding"), QByteArray("identity"));
        QCOMPARE(sent.headers.contains("authorization"), !signedOut);
    }
    // Each file is a part of its own; its name keeps no folder and no quote (the rest of the
    // upload goes to the real service in tests/integration).
    void uploadsAreMultipartWithSafeFileNames()
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
    // A caller that does not want the query id passes none.
    void queryIdMayBeLeftOut()
    {
        auto backend = signedInBackend();
        server->setHandler([](const HttpRequest &) { return HttpResponse::json("[]"); });
        QSignalSpy done(backend.get(), &Zirrup::timelineUpdated);
        QCOMPARE(backend->retrieveTimelineResources(nullptr, nullptr, TimelineType::Home, {},
                                                    Zr::CacheThenNetwork),
                 int(Zr::RequestSent));
        QVERIFY(done.wait(5000));
    }
    void debugOutputNeverShowsSecrets()
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

private:
    // A service under a path prefix keeps it in every request.
    FakeServer *server = cannedService(this, QStringLiteral("/zirrup/"));
};

QTEST_MAIN(TestRequests)
#include "tst_requests.moc"
