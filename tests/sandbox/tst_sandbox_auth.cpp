// Sign-in, request signatures and the HTTP answers of zirrup-sandbox.
#include "apiclient.h"
#include "sandboxfixture.h"
#include "sandboxprocess.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestSandboxAuth : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void signInExchange();
    void signInRefusals();
    void deletedAccount();
    void signatureChecks();
    void clockSkew();
    void nonceReuse();
    void revokedToken();
    void publicEndpoints();
    void errorAnswers();
    void oversizedRequests();
    void garbageDoesNotHurt();
    void executableStartsAndHidesSecrets();

private:
    SandboxFixture m_sandbox;
};

static const QString unauthenticated = u"Could not authenticate with OAuth."_s;

void TestSandboxAuth::init()
{
    QVERIFY(m_sandbox.start());
}

void TestSandboxAuth::signInExchange()
{
    QVERIFY(m_sandbox.server()->createUser(u"Alice"_s, u"s3cret"_s));
    ApiClient client(m_sandbox.baseUrl());
    ApiResponse answer;
    // Any letter case of the name; the answer carries the stored one.
    const SandboxAccount first = client.signIn(u"aLiCe"_s, u"s3cret"_s, &answer);
    QCOMPARE(answer.status, 200);
    QVERIFY(first.isValid());
    QVERIFY(!first.tokenSecret.isEmpty());
    QCOMPARE(first.screenName, u"Alice"_s);
    QVERIFY(answer.at(u"user_id"_s).isString());
    QVERIFY(first.token.startsWith(first.userId.toLatin1() + '-'));

    const ApiResponse me = client.get(u"/1/account/verify_credentials.json"_s);
    QCOMPARE(me.status, 200);
    QCOMPARE(me.at(u"id_str"_s).toString(), first.userId);
    QCOMPARE(me.at(u"screen_name"_s).toString(), u"Alice"_s);

    // A second sign-in gives a second token; both stay usable.
    ApiClient other(m_sandbox.baseUrl());
    const SandboxAccount second = other.signIn(u"alice"_s, u"s3cret"_s);
    QVERIFY(second.isValid());
    QVERIFY(second.token != first.token);
    QCOMPARE(client.get(u"/1/account/verify_credentials.json"_s).status, 200);
    QCOMPARE(other.get(u"/1/account/verify_credentials.json"_s).status, 200);
}

void TestSandboxAuth::signInRefusals()
{
    m_sandbox.server()->createUser(u"bob"_s, u"right"_s);
    ApiClient client(m_sandbox.baseUrl());
    ApiResponse answer;
    QVERIFY(!client.signIn(u"bob"_s, u"wrong"_s, &answer).isValid());
    QCOMPARE(answer.status, 401);
    QCOMPARE(answer.error(), u"Invalid user name or password."_s);
    QVERIFY(!client.signIn(u"nobody"_s, u"right"_s, &answer).isValid());
    QCOMPARE(answer.status, 401);
    QCOMPARE(answer.error(), u"Invalid user name or password."_s);

    const struct
    {
        Params form;
        QString error;
    } cases[] = {
        {{{u"x_auth_mode"_s, u"client_auth"_s}, {u"x_auth_password"_s, u"right"_s}},
         u"Missing parameter: x_auth_username"_s},
        {{{u"x_auth_mode"_s, u"client_auth"_s}, {u"x_auth_username"_s, u"bob"_s}},
         u"Missing parameter: x_auth_password"_s},
        {{{u"x_auth_username"_s, u"bob"_s}, {u"x_auth_password"_s, u"right"_s}},
         u"Missing parameter: x_auth_mode"_s},
        {{{u"x_auth_mode"_s, u"reverse_auth"_s},
          {u"x_auth_username"_s, u"bob"_s},
          {u"x_auth_password"_s, u"right"_s}},
         u"Invalid parameter: x_auth_mode"_s},
    };
    for (const auto &c : cases) {
        const ApiResponse r = client.post(u"/oauth/access_token"_s, c.form);
        QCOMPARE(r.status, 400);
        QCOMPARE(r.error(), c.error);
    }

    // Signed with another consumer secret: the exchange itself is refused.
    ApiClient::Signing wrongConsumer;
    wrongConsumer.consumerSecret = "not-the-secret";
    const ApiResponse r = client.post(u"/oauth/access_token"_s,
                                      {{u"x_auth_mode"_s, u"client_auth"_s},
                                       {u"x_auth_username"_s, u"bob"_s},
                                       {u"x_auth_password"_s, u"right"_s}},
                                      wrongConsumer);
    QCOMPARE(r.status, 401);
    QCOMPARE(r.error(), unauthenticated);
    // Unsigned, likewise.
    ApiClient::Signing unsigned_;
    unsigned_.sign = false;
    QCOMPARE(client.post(u"/oauth/access_token"_s, {}, unsigned_).status, 401);
}

void TestSandboxAuth::deletedAccount()
{
    ApiClient *carol = m_sandbox.client(u"carol"_s);
    QCOMPARE(carol->post(u"/1/statuses/update.json"_s, {{u"status"_s, u"soon gone"_s}}).status,
             200);
    QVERIFY(m_sandbox.server()->deleteUser(u"carol"_s));

    const ApiResponse me = carol->get(u"/1/account/verify_credentials.json"_s);
    QCOMPARE(me.status, 403);
    QCOMPARE(me.error(), u"User has been deleted"_s);

    ApiClient again(m_sandbox.baseUrl());
    ApiResponse answer;
    QVERIFY(!again.signIn(u"carol"_s, u"carol-pw"_s, &answer).isValid());
    QCOMPARE(answer.status, 403);
    QCOMPARE(answer.error(), u"User has been deleted"_s);
    // Without the right password nothing is told about the account.
    again.signIn(u"carol"_s, u"guess"_s, &answer);
    QCOMPARE(answer.status, 401);

    // Its statuses and its profile are gone for everyone else.
    ApiClient *dave = m_sandbox.client(u"dave"_s);
    QCOMPARE(dave->get(u"/1/users/show.json"_s, {{u"screen_name"_s, u"carol"_s}}).status, 404);
    QCOMPARE(m_sandbox.anonymous()
                 ->get(u"/1/search.json"_s, {{u"q"_s, u"gone"_s}})
                 .at(u"results"_s)
                 .toArray()
                 .size(),
             0);
}

void TestSandboxAuth::signatureChecks()
{
    ApiClient *erin = m_sandbox.client(u"erin"_s);
    const QString path = u"/1/account/verify_credentials.json"_s;

    ApiClient::Signing none;
    none.sign = false;
    ApiResponse r = erin->get(path, {}, none);
    QCOMPARE(r.status, 401);
    QCOMPARE(r.error(), unauthenticated);

    // A token secret that does not belong to the token: the signature fails.
    ApiClient forger(m_sandbox.baseUrl());
    SandboxAccount forged = erin->account();
    forged.tokenSecret = "0000";
    forger.setAccount(forged);
    r = forger.get(path);
    QCOMPARE(r.status, 401);
    QCOMPARE(r.error(), unauthenticated);

    // A token the service never issued.
    forged = erin->account();
    forged.token = "1843-deadbeef";
    forger.setAccount(forged);
    QCOMPARE(forger.get(path).error(), unauthenticated);

    // Parameters are covered: a query changed after signing does not verify.
    const QUrl signedUrl = erin->url(u"/1/users/show.json"_s, {{u"screen_name"_s, u"erin"_s}});
    const QByteArray header = erin->authorization("GET", signedUrl, {}, ApiClient::Signing());
    QNetworkRequest request(erin->url(u"/1/users/show.json"_s, {{u"screen_name"_s, u"frank"_s}}));
    request.setRawHeader("Authorization", header);
    QNetworkReply *reply = erin->manager()->get(request);
    QSignalSpy done(reply, &QNetworkReply::finished);
    QVERIFY(done.wait());
    QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 401);
    reply->deleteLater();

    // The body of a urlencoded POST is covered as well, with every character encoded.
    r = erin->post(u"/1/statuses/update.json"_s,
                   {{u"status"_s, u"Grüße & <b>100%</b> + 😀 ~*'()"_s}});
    QCOMPARE(r.status, 200);
    QCOMPARE(r.at(u"text"_s).toString(), u"Grüße &amp; &lt;b&gt;100%&lt;/b&gt; + 😀 ~*'()"_s);
}

void TestSandboxAuth::clockSkew()
{
    ApiClient *gina = m_sandbox.client(u"gina"_s);
    const QString path = u"/1/account/verify_credentials.json"_s;
    for (const qint64 offset : {qint64(301 + 30), qint64(-301 - 30), qint64(-3600 * 24)}) {
        gina->setClockOffset(offset);
        const ApiResponse r = gina->get(path);
        QCOMPARE(r.status, 401);
        QVERIFY2(r.error().startsWith(u"Client time out of sync"_s), qPrintable(r.error()));
        // The message names the server's time in the status form.
        static const QRegularExpression date(QStringLiteral(
            "Server time is \\w{3} \\w{3} \\d{2} \\d{2}:\\d{2}:\\d{2} \\+0000 \\d{4}\\.$"));
        QVERIFY2(date.match(r.error()).hasMatch(), qPrintable(r.error()));
    }
    // Within the allowed drift the request is served.
    gina->setClockOffset(240);
    QCOMPARE(gina->get(path).status, 200);
    gina->setClockOffset(-240);
    QCOMPARE(gina->get(path).status, 200);

    // The sign-in exchange checks the clock too.
    ApiClient late(m_sandbox.baseUrl());
    late.setClockOffset(-1000);
    ApiResponse answer;
    late.signIn(u"gina"_s, u"gina-pw"_s, &answer);
    QCOMPARE(answer.status, 401);
    QVERIFY(answer.error().startsWith(u"Client time out of sync"_s));

    // A bad signature is reported as such even with a skewed clock.
    ApiClient forger(m_sandbox.baseUrl());
    SandboxAccount forged = gina->account();
    forged.tokenSecret = "wrong";
    forger.setAccount(forged);
    forger.setClockOffset(1000);
    QCOMPARE(forger.get(path).error(), unauthenticated);
}

void TestSandboxAuth::nonceReuse()
{
    ApiClient *hank = m_sandbox.client(u"hank"_s);
    const QString path = u"/1/account/verify_credentials.json"_s;
    ApiClient::Signing signing;
    signing.nonce = "fixed-nonce-1";
    signing.timestamp = QDateTime::currentSecsSinceEpoch();
    QCOMPARE(hank->get(path, {}, signing).status, 200);
    const ApiResponse replay = hank->get(path, {}, signing);
    QCOMPARE(replay.status, 401);
    QCOMPARE(replay.error(), unauthenticated);
    // The same nonce at another time is another request.
    signing.timestamp -= 1;
    QCOMPARE(hank->get(path, {}, signing).status, 200);
    // And a write replayed does not happen twice.
    signing.nonce = "fixed-nonce-2";
    QCOMPARE(
        hank->post(u"/1/statuses/update.json"_s, {{u"status"_s, u"only once"_s}}, signing).status,
        200);
    QCOMPARE(
        hank->post(u"/1/statuses/update.json"_s, {{u"status"_s, u"only once"_s}}, signing).status,
        401);
    QCOMPARE(hank->get(u"/1/statuses/user_timeline.json"_s).array().size(), 1);
}

void TestSandboxAuth::revokedToken()
{
    ApiClient *ivy = m_sandbox.client(u"ivy"_s);
    ApiClient second(m_sandbox.baseUrl());
    QVERIFY(second.signIn(u"ivy"_s, u"ivy-pw"_s).isValid());

    const ApiResponse revoked = ivy->post(u"/oauth/invalidate_token"_s);
    QCOMPARE(revoked.status, 200);
    QCOMPARE(revoked.at(u"revoked"_s).toBool(), true);
    const ApiResponse after = ivy->get(u"/1/account/verify_credentials.json"_s);
    QCOMPARE(after.status, 401);
    QCOMPARE(after.error(), unauthenticated);
    // Only that token: the other sign-in goes on working.
    QCOMPARE(second.get(u"/1/account/verify_credentials.json"_s).status, 200);
}

void TestSandboxAuth::publicEndpoints()
{
    ApiClient *anonymous = m_sandbox.anonymous();
    ApiClient::Signing none;
    none.sign = false;
    const struct
    {
        QString path;
        Params query;
    } open[] = {
        {u"/1/trends/place.json"_s, {{u"id"_s, u"1"_s}}},
        {u"/1/search.json"_s, {{u"q"_s, u"qt"_s}}},
        {u"/1/help/configuration.json"_s, {}},
        {u"/1/geo/reverse_geocode.json"_s, {{u"lat"_s, u"60.17"_s}, {u"long"_s, u"24.94"_s}}},
        {u"/media/avatars/default_profile_3_normal.png"_s, {}},
    };
    for (const auto &endpoint : open) {
        const ApiResponse r = anonymous->get(endpoint.path, endpoint.query, none);
        QVERIFY2(r.status == 200, qPrintable(endpoint.path));
    }
    QCOMPARE(anonymous->get(u"/1/statuses/home_timeline.json"_s, {}, none).status, 401);
    QCOMPARE(anonymous->get(u"/1/user_stream.json"_s, {}, none).status, 401);

    // Signed requests to public endpoints are checked like any other.
    ApiClient forger(m_sandbox.baseUrl());
    SandboxAccount forged = m_sandbox.client(u"jack"_s)->account();
    forged.tokenSecret = "wrong";
    forger.setAccount(forged);
    QCOMPARE(forger.get(u"/1/help/configuration.json"_s).status, 401);
}

void TestSandboxAuth::errorAnswers()
{
    ApiClient *kim = m_sandbox.client(u"kim"_s);
    ApiResponse r = kim->get(u"/1/no/such/thing.json"_s);
    QCOMPARE(r.status, 404);
    QCOMPARE(
        r.object(),
        (QJsonObject {{u"error"_s, u"Not found"_s}, {u"request"_s, u"/1/no/such/thing.json"_s}}));
    QVERIFY(r.header("Content-Type").startsWith("application/json"));
    QVERIFY(!r.header("Date").isEmpty());

    r = kim->post(u"/1/statuses/home_timeline.json"_s);
    QCOMPARE(r.status, 405);
    QCOMPARE(r.error(), u"Method not allowed"_s);
    r = kim->get(u"/1/statuses/update.json"_s);
    QCOMPARE(r.status, 405);

    const struct
    {
        QString path;
        Params query;
        QString error;
    } malformed[] = {
        {u"/1/statuses/home_timeline.json"_s,
         {{u"since_id"_s, u"12abc"_s}},
         u"Invalid parameter: since_id"_s},
        {u"/1/statuses/home_timeline.json"_s,
         {{u"max_id"_s, u"-5"_s}},
         u"Invalid parameter: max_id"_s},
        {u"/1/statuses/home_timeline.json"_s,
         {{u"max_id"_s, u"99999999999999999999"_s}},
         u"Invalid parameter: max_id"_s},
        {u"/1/statuses/home_timeline.json"_s,
         {{u"count"_s, u"lots"_s}},
         u"Invalid parameter: count"_s},
        {u"/1/statuses/show.json"_s, {}, u"Missing parameter: id"_s},
        {u"/1/geo/reverse_geocode.json"_s,
         {{u"lat"_s, u"91"_s}, {u"long"_s, u"0"_s}},
         u"Invalid parameter: lat"_s},
        {u"/1/search.json"_s, {}, u"Missing parameter: q"_s},
    };
    for (const auto &c : malformed) {
        r = kim->get(c.path, c.query);
        QCOMPARE(r.status, 400);
        QCOMPARE(r.error(), c.error);
        QCOMPARE(r.at(u"request"_s).toString(), c.path);
    }

    // A multipart body that is not one.
    r = kim->send("POST", kim->url(u"/1/statuses/update_with_media.json"_s),
                  "--xyz\r\nno headers here", "multipart/form-data; boundary=xyz", {});
    QCOMPARE(r.status, 400);
    // Ids in paths that are no ids are no paths.
    QCOMPARE(kim->post(u"/1/statuses/destroy/abc.json"_s).status, 404);
}

void TestSandboxAuth::oversizedRequests()
{
    ApiClient *lou = m_sandbox.client(u"lou"_s);
    // Form bodies are limited to 64 KiB.
    ApiResponse r = lou->post(u"/1/statuses/update.json"_s,
                              {{u"status"_s, QString(70 * 1024, QLatin1Char('a'))}});
    QCOMPARE(r.status, 413);
    QCOMPARE(r.error(), u"Request entity too large"_s);
    // Multipart bodies to 5 MiB.
    r = lou->postMultipart(
        u"/1/statuses/update_with_media.json"_s, {},
        {{u"media[]"_s, u"big.jpg"_s, "image/jpeg", QByteArray(5 * 1024 * 1024 + 100, 'x')}});
    QCOMPARE(r.status, 413);
    // Addresses to 8 KiB.
    r = lou->get(u"/1/search.json"_s, {{u"q"_s, QString(9000, QLatin1Char('q'))}});
    QCOMPARE(r.status, 413);

    // A client that announces a huge body is answered at once, before it sends it, and the
    // service is not waiting for gigabytes.
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, m_sandbox.baseUrl().port());
    QVERIFY(socket.waitForConnected(5000));
    socket.write("POST /1/statuses/update.json HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                 "Content-Type: application/x-www-form-urlencoded\r\n"
                 "Content-Length: 4000000000\r\n\r\nstatus=");
    QByteArray answer;
    QTRY_VERIFY_WITH_TIMEOUT((answer += socket.readAll()).contains("\r\n\r\n{"), 5000);
    QVERIFY2(answer.startsWith("HTTP/1.1 413"), answer.constData());
    QVERIFY(answer.contains("Request entity too large"));

    // So is a head of more than 32 KiB.
    QTcpSocket headers;
    headers.connectToHost(QHostAddress::LocalHost, m_sandbox.baseUrl().port());
    QVERIFY(headers.waitForConnected(5000));
    headers.write("GET /1/help/configuration.json HTTP/1.1\r\nHost: 127.0.0.1\r\n");
    for (int i = 0; i < 40; ++i)
        headers.write("X-Padding-" + QByteArray::number(i) + ": " + QByteArray(1000, 'p') + "\r\n");
    headers.write("\r\n");
    answer.clear();
    QTRY_VERIFY_WITH_TIMEOUT((answer += headers.readAll()).contains("\r\n\r\n{"), 5000);
    QVERIFY2(answer.startsWith("HTTP/1.1 413"), answer.constData());

    // A chunked upload cannot be measured beforehand and is refused.
    QTcpSocket chunked;
    chunked.connectToHost(QHostAddress::LocalHost, m_sandbox.baseUrl().port());
    QVERIFY(chunked.waitForConnected(5000));
    chunked.write("POST /1/statuses/update.json HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                  "Transfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n");
    answer.clear();
    QTRY_VERIFY_WITH_TIMEOUT((answer += chunked.readAll()).contains("\r\n\r\n{"), 5000);
    QVERIFY2(answer.startsWith("HTTP/1.1 411"), answer.constData());

    // And the service goes on serving.
    QCOMPARE(lou->get(u"/1/account/verify_credentials.json"_s).status, 200);
}

void TestSandboxAuth::garbageDoesNotHurt()
{
    ApiClient *nia = m_sandbox.client(u"nia"_s);
    const QByteArray header =
        nia->authorization("GET", nia->url(u"/1/account/verify_credentials.json"_s), {}, {});
    const QList<QByteArray> payloads = {
        "GARBAGE\r\n\r\n",
        QByteArray(300, '\0') + "\xff\xfe\r\n\r\n",
        "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n",
        "GET /%00/..%2f HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n",
        "GET /1/search.json?q=%ZZ%&rpp=%FF&q HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n",
        "GET /media/pics/9999999999999999999.jpg:thumb HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n",
        "GET /l/ HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n",
        "POST /1/statuses/update_with_media.json HTTP/1.1\r\nHost: 127.0.0.1\r\n"
        "Content-Type: multipart/form-data; boundary=\r\nContent-Length: 10\r\n\r\n0123456789",
        "POST /1/statuses/update_with_media.json HTTP/1.1\r\nHost: 127.0.0.1\r\n"
        "Content-Type: multipart/form-data; boundary=b\r\nContent-Length: 44\r\n\r\n"
        "--b\r\nContent-Disposition: form-data\r\n\r\nx\r\n--b--",
        "POST /oauth/access_token HTTP/1.1\r\nHost: 127.0.0.1\r\nAuthorization: OAuth "
        "oauth_consumer_key=\"\r\nContent-Length: 0\r\n\r\n",
        "POST /oauth/access_token HTTP/1.1\r\nHost: 127.0.0.1\r\nAuthorization: OAuth "
        "oauth_timestamp=\"99999999999999999999999\", oauth_nonce=\"\"\r\n"
        "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: 26\r\n\r\n"
        "x_auth_username=%C3%28%%%%",
        "GET /1/account/verify_credentials.json HTTP/1.1\r\nHost: 127.0.0.1\r\nAuthorization: "
            + header + "\r\nAuthorization: " + header + "\r\n\r\n",
        "GET /1/statuses/home_timeline.json HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: "
        "-5\r\n\r\n",
    };
    for (const QByteArray &payload : payloads) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, m_sandbox.baseUrl().port());
        QVERIFY(socket.waitForConnected(5000));
        socket.write(payload);
        // An answer or a closed connection, nothing else (the service runs in this thread,
        // so wait with the event loop running).
        QByteArray answer;
        QTRY_VERIFY2_WITH_TIMEOUT((answer += socket.readAll()).contains("\r\n\r\n")
                                      || socket.state() != QAbstractSocket::ConnectedState,
                                  payload.constData(), 5000);
        QVERIFY2(answer.isEmpty() || answer.startsWith("HTTP/1.1 "), payload.constData());
        QVERIFY2(!answer.startsWith("HTTP/1.1 5"), answer.constData());
    }
    QCOMPARE(nia->get(u"/1/account/verify_credentials.json"_s).status, 200);
}

void TestSandboxAuth::executableStartsAndHidesSecrets()
{
    // The real program: its first line is its address, and its log never shows a password or
    // a token secret, however verbose.
    QProcess process;
    process.start(
        SandboxProcess::executable(),
        {u"--memory"_s, u"--port"_s, u"0"_s, u"--verbose"_s, u"--user"_s, u"mona:pa55-word-xyz"_s});
    QVERIFY(process.waitForStarted());
    while (!process.canReadLine())
        QVERIFY(process.waitForReadyRead(10000));
    const QString first = QString::fromUtf8(process.readLine());
    static const QRegularExpression address(u"^http://127\\.0\\.0\\.1:(\\d+)\n$"_s);
    const QRegularExpressionMatch m = address.match(first);
    QVERIFY2(m.hasMatch(), qPrintable(first));
    QVERIFY(m.captured(1).toInt() > 0);

    ApiClient client {QUrl(first.trimmed())};
    const SandboxAccount account = client.signIn(u"mona"_s, u"pa55-word-xyz"_s);
    QVERIFY(account.isValid());
    QCOMPARE(client.get(u"/1/account/verify_credentials.json"_s).status, 200);
    ApiClient::Signing wrong;
    wrong.consumerSecret = "x";
    QCOMPARE(client.get(u"/1/account/verify_credentials.json"_s, {}, wrong).status, 401);

    process.kill();
    QVERIFY(process.waitForFinished());
    const QByteArray log = process.readAllStandardError();
    QVERIFY2(log.contains("/1/account/verify_credentials.json"), log.constData()); // it did log
    QVERIFY(!log.contains("pa55-word-xyz"));
    QVERIFY(!log.contains(account.tokenSecret));
    QVERIFY(!log.contains(ZIRRUP_CONSUMER_SECRET));
}

QTEST_MAIN(TestSandboxAuth)
#include "tst_sandbox_auth.moc"
