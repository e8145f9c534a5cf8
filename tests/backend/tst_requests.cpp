// What every call puts on the wire, how it is signed, and which completion it ends in.

#include "fakeserver.h"
#include "multipartparser.h"
#include "oauth.h"
#include "testsupport.h"

#include <QtTest>

using Zr::ArgMap;
using Zr::Zirrup;

namespace {

// Signed with the test account, as the service recomputes it from what it received.
void expectSigned(const HttpRequest &request)
{
    const auto header = Zr::OAuth::parseAuthorizationHeader(request.headers.value("authorization"));
    QCOMPARE(header.value("oauth_consumer_key"), TestAccount::consumerKey.toUtf8());
    QCOMPARE(header.value("oauth_token"), TestAccount::token.toUtf8());
    QCOMPARE(header.value("oauth_signature_method"), QByteArray("HMAC-SHA1"));
    QCOMPARE(header.value("oauth_version"), QByteArray("1.0"));
    QVERIFY(qAbs(header.value("oauth_timestamp").toLongLong() - QDateTime::currentSecsSinceEpoch())
            < 300);
    Zr::OAuthParams params;
    for (auto it = header.constBegin(); it != header.constEnd(); ++it)
        params.append({it.key(), it.value()});
    if (request.headers.value("content-type").startsWith("application/x-www-form-urlencoded"))
        params += Zr::OAuth::formParameters(request.body);
    QCOMPARE(header.value("oauth_signature"),
             Zr::OAuth::signature(request.method, request.url, params,
                                  TestAccount::consumerSecret.toUtf8(),
                                  TestAccount::tokenSecret.toUtf8()));
}

} // namespace

class TestRequests : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void everyCallSendsItsRequest_data() { addJsonRows("requests", "given"); }
    void everyCallSendsItsRequest();
    void uploadsAreMultipartAndSignedWithoutTheirParts();
    void queryIdsAreUniqueAndAnswersNeverSynchronous();
    void debugOutputNeverShowsSecrets();

private:
    FakeServer *server = nullptr;
};

void TestRequests::initTestCase()
{
    server = new FakeServer(this);
    Zr::setServiceUrl(server->baseUrl());
}

// Rows without a "path" are refused at once: nothing is sent and no error follows.
void TestRequests::everyCallSendsItsRequest()
{
    QFETCH(const QJsonObject, given);
    const QJsonObject row = withBase(given, server->baseUrl());
    const bool signedOut = row["signedOut"].toBool();
    // A service under a path prefix keeps it in every request.
    Zr::setServiceUrl(QUrl(server->baseUrl().toString() + row["servicePrefix"].toString()));
    auto backend = signedOut ? signedOutBackend() : signedInBackend();
    server->clearRequests();
    const QByteArray body = row.contains("answer") ? cannedAnswer(row["answer"]) : "{}";
    server->setHandler([&](const HttpRequest &) { return HttpResponse::json(body); });

    QSignalSpy errors(backend.get(), &Zirrup::networkRequestError);
    int id = 42;
    if (!row.contains("path")) {
        QCOMPARE(callBackend(backend.get(), row, &id), int(Zr::RequestFailed));
        QCOMPARE(id, -1);
        // A request answered after it shows that nothing went out before.
        QSignalSpy help(backend.get(), &Zirrup::helpRetrieved);
        backend->retrieveHelp(HelpType::Configuration, nullptr, {}, &id, Zr::CacheThenNetwork);
        QVERIFY(help.wait(5000));
        QCOMPARE(server->requestCount(), 1);
        QCOMPARE(errors.count(), 0);
        return;
    }
    QSignalSpy completion(backend.get(), completionOf(row));
    QCOMPARE(callBackend(backend.get(), row, &id), int(Zr::RequestSent));
    QVERIFY(id > 0);
    QVERIFY(completion.wait(5000));
    QCOMPARE(errors.count(), 0);
    QCOMPARE(completion.count(), 1);
    QCOMPARE(completion.at(0).last().toInt(), id);
    expectValues(completion.at(0), row["expect"].toObject());
    if (QTest::currentTestFailed())
        return;

    QCOMPARE(server->requestCount(), 1);
    const HttpRequest sent = server->lastRequest();
    QCOMPARE(sent.method, row["method"].toString().toLatin1());
    QCOMPARE(sent.path, row["path"].toString());
    const ArgMap params = argMap(row.contains("params") ? row["params"] : row["args"]);
    QCOMPARE(sent.method == "GET" ? sent.query() : sent.form(), params);
    if (sent.method == "POST")
        QVERIFY(sent.query().isEmpty());
    // Compressed answers would slip past the size limits.
    QCOMPARE(sent.headers.value("accept-encoding"), QByteArray("identity"));
    if (signedOut)
        QVERIFY(!sent.headers.contains("authorization"));
    else
        expectSigned(sent);
}

void TestRequests::uploadsAreMultipartAndSignedWithoutTheirParts()
{
    auto backend = signedInBackend();
    server->setHandler(
        [](const HttpRequest &) { return HttpResponse::json(statusJson("5", "pic")); });
    const QByteArray png("\x89PNG\r\n\x1a\n-not-really-but-bytes\r\n--", 32);
    QSignalSpy posted(backend.get(), &Zirrup::postedStatusWithMedia);
    QSignalSpy account(backend.get(), &Zirrup::accountUpdated);
    int id;
    server->clearRequests();
    QCOMPARE(backend->postStatusWithMedia({{"status", "look"}, {"place_id", "4f6e"}}, &id,
                                          {{"/tmp/a\"b.png", png}, {"/tmp/z.png", "second"}}),
             int(Zr::RequestSent));
    QVERIFY(posted.wait(5000));
    QCOMPARE(posted.at(0).at(1).toInt(), id);
    QCOMPARE(backend->retrieveAccountResources(&id, AccountType::UpdateProfileImage,
                                               {{"image", "/home/u/me.png"}}, png),
             int(Zr::RequestSent));
    QVERIFY(account.wait(5000));
    QCOMPARE(account.at(0).at(0).toInt(), int(AccountType::UpdateProfileImage));

    // name: file name and data of each part.
    const auto parts = [](const HttpRequest &request) {
        QMap<QString, QPair<QString, QByteArray>> named;
        const auto parsed =
            MultipartParser::parse(request.headers.value("content-type"), request.body);
        for (const MultipartPart &part : parsed.value_or(QList<MultipartPart>()))
            named.insert(part.name, {part.fileName, part.data});
        return named;
    };
    const HttpRequest media = server->requests().at(0);
    QCOMPARE(media.path, QStringLiteral("/1/statuses/update_with_media.json"));
    const auto mediaParts = parts(media);
    QCOMPARE(mediaParts.keys(), QStringList({"media[]", "place_id", "status"}));
    // The quote of the file name cannot break out of its header.
    QCOMPARE(mediaParts.value("media[]"), qMakePair(QStringLiteral("a_b.png"), png));
    QCOMPARE(mediaParts.value("status").second, QByteArray("look"));
    expectSigned(media);
    const HttpRequest image = server->requests().at(1);
    QCOMPARE(image.path, QStringLiteral("/1/account/update_profile_image.json"));
    QCOMPARE(parts(image),
             (QMap<QString, QPair<QString, QByteArray>> {{"image", {"me.png", png}}}));
}

void TestRequests::queryIdsAreUniqueAndAnswersNeverSynchronous()
{
    auto backend = signedInBackend();
    server->clearRequests();
    server->setHandler([](const HttpRequest &) { return HttpResponse::json("[]"); });
    QSignalSpy done(backend.get(), &Zirrup::timelineUpdated);
    QSet<int> ids;
    for (int i = 0; i < 5; ++i) {
        int id = -1;
        backend->retrieveTimelineResources(nullptr, &id, TimelineType::Home, {},
                                           Zr::CacheThenNetwork);
        ids.insert(id);
    }
    // A null id pointer is tolerated.
    backend->retrieveTimelineResources(nullptr, nullptr, TimelineType::Home, {},
                                       Zr::CacheThenNetwork);
    QCOMPARE(done.count(), 0);
    QCOMPARE(ids.size(), 5);
    QTRY_COMPARE(done.count(), 6);
    // Every request has its own nonce.
    QSet<QByteArray> nonces;
    for (const HttpRequest &request : server->requests())
        nonces.insert(Zr::OAuth::parseAuthorizationHeader(request.headers.value("authorization"))
                          .value("oauth_nonce"));
    QCOMPARE(nonces.size(), 6);
}

namespace {
QStringList capturedOutput;
void captureOutput(QtMsgType, const QMessageLogContext &, const QString &message)
{
    capturedOutput.append(message);
}
} // namespace

void TestRequests::debugOutputNeverShowsSecrets()
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

QTEST_MAIN(TestRequests)
#include "tst_requests.moc"
