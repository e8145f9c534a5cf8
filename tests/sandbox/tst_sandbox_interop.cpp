// OAuth 1.0a between zirrup-sandbox, the client library's signing and a second, independent
// implementation (Python's oauthlib, run from tests/sandbox/oauthlib_client.py).
#include "apiclient.h"
#include "oauth.h"
#include "sandboxserver.h"

#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestSandboxInterop : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void serviceAcceptsOauthlib_data();
    void serviceAcceptsOauthlib();
    void oauthlibAcceptsClient_data();
    void oauthlibAcceptsClient();

private:
    // The script's exit code and standard output; -1 when it did not run.
    int runScript(const QStringList &arguments, QByteArray *output = nullptr);

    QString m_python;
};

static const QString script = QStringLiteral(ZIRRUP_TEST_DATA_DIR "/oauthlib_client.py");

int TestSandboxInterop::runScript(const QStringList &arguments, QByteArray *output)
{
    // Asynchronous, so the in-process service answers the script meanwhile.
    QProcess process;
    QSignalSpy finished(&process, &QProcess::finished);
    process.start(m_python, QStringList {script} + arguments);
    if (!process.waitForStarted(10000) || !finished.wait(30000))
        return -1;
    if (output)
        *output = process.readAllStandardOutput();
    const QByteArray errors = process.readAllStandardError();
    if (!errors.isEmpty())
        qWarning("%s", errors.constData());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

void TestSandboxInterop::initTestCase()
{
    for (const QString &python :
         {qEnvironmentVariable("ZIRRUP_PYTHON"), u"python3"_s, u"/usr/bin/python3"_s}) {
        m_python = python;
        if (!python.isEmpty() && runScript({u"check"_s}) == 0)
            return;
    }
    QSKIP("No Python 3 with oauthlib (Debian: python3-oauthlib, or set ZIRRUP_PYTHON): "
          "interoperability not checked");
}

// Requests as an ordinary client writes them, signed by oauthlib and sent byte for byte.
void TestSandboxInterop::serviceAcceptsOauthlib_data()
{
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("body");
    QTest::addColumn<bool>("withToken");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("value");

    const QString sauna = u"Löyly in the Qt sauna"_s;
    QTest::newRow("plus for a space in the query")
        << QByteArray("GET") << u"/1/search.json?q=qt+sauna"_s << QString() << true << 200
        << u"results/0/text"_s << sauna;
    QTest::newRow("%20, lower-case escapes, non-ASCII in the query")
        << QByteArray("GET") << u"/1/search.json?q=l%c3%b6yly%20QT"_s << QString() << true << 200
        << u"results/0/text"_s << sauna;
    QTest::newRow("plus, escapes and non-ASCII in the body")
        << QByteArray("POST") << u"/1/statuses/update.json"_s
        << u"status=Hyv%c3%a4%c3%a4+y%C3%B6t%C3%A4+%2B1%21"_s << true << 200 << u"text"_s
        << u"Hyvää yötä +1!"_s;
    QTest::newRow("repeated names, empty values")
        << QByteArray("GET")
        << u"/1/statuses/user_timeline.json?count=1&screen_name=erin&count=5&trim_user=&x"_s
        << QString() << true << 200 << u"0/text"_s << sauna;
    QTest::newRow("sign-in exchange, no token")
        << QByteArray("POST") << u"/oauth/access_token"_s
        << u"x_auth_mode=client_auth&x_auth_username=ERIN&x_auth_password=erin-pw"_s << false << 200
        << u"screen_name"_s << u"erin"_s;
    QTest::newRow("no token where one is needed")
        << QByteArray("GET") << u"/1/account/verify_credentials.json"_s << QString() << false << 401
        << u"error"_s << u"Could not authenticate with OAuth."_s;
}

void TestSandboxInterop::serviceAcceptsOauthlib()
{
    QFETCH(QByteArray, method);
    QFETCH(QString, target);
    QFETCH(QString, body);
    QFETCH(bool, withToken);
    QFETCH(int, status);
    QFETCH(QString, path);
    QFETCH(QString, value);

    SandboxServer server;
    SandboxOptions options;
    options.memory = true;
    options.port = 0;
    options.users = {{u"erin"_s, u"erin-pw"_s}};
    QString error;
    QVERIFY2(server.start(options, &error), qPrintable(error));
    ApiClient erin(QUrl(server.baseUrl()));
    const SandboxAccount account = erin.signIn(u"erin"_s, u"erin-pw"_s);
    QCOMPARE(
        erin.post(u"/1/statuses/update.json"_s, {{u"status"_s, u"Löyly in the Qt sauna"_s}}).status,
        200);

    QByteArray output;
    QCOMPARE(runScript({u"send"_s, QString::fromLatin1(method), server.baseUrl() + target, body,
                        QStringLiteral(ZIRRUP_CONSUMER_KEY), QStringLiteral(ZIRRUP_CONSUMER_SECRET),
                        withToken ? QString::fromLatin1(account.token) : QString(),
                        withToken ? QString::fromLatin1(account.tokenSecret) : QString()},
                       &output),
             0);
    const int newline = output.indexOf('\n');
    ApiResponse answer;
    answer.status = output.left(newline).toInt();
    answer.body = output.mid(newline + 1);
    QVERIFY2(answer.status == status, answer.body.constData());
    QCOMPARE(answer.at(path).toString(), value);
}

// What the client library signs, checked by oauthlib.
void TestSandboxInterop::oauthlibAcceptsClient_data()
{
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<Zr::OAuthParams>("query");
    QTest::addColumn<Zr::OAuthParams>("signedBody");
    QTest::addColumn<Zr::OAuthParams>("sentBody");
    QTest::addColumn<QByteArray>("token");
    QTest::addColumn<QByteArray>("verdict");

    const Zr::OAuthParams search {{"q", "qt sauna +1 & l\xc3\xb6yly=100%"}, {"count", ""}};
    const Zr::OAuthParams status {{"status", "Hyv\xc3\xa4\xc3\xa4 y\xc3\xb6t\xc3\xa4 <3 #a+b"},
                                  {"in_reply_to_status_id", "1234567890123456789"}};
    QTest::newRow("query") << QByteArray("GET") << search << Zr::OAuthParams() << Zr::OAuthParams()
                           << QByteArray("1-tok") << QByteArray("ok");
    QTest::newRow("form body") << QByteArray("POST") << Zr::OAuthParams() << status << status
                               << QByteArray("1-tok") << QByteArray("ok");
    QTest::newRow("sign-in exchange, no token")
        << QByteArray("POST") << Zr::OAuthParams()
        << Zr::OAuthParams {{"x_auth_mode", "client_auth"}, {"x_auth_password", "p&ss w+rd"}}
        << Zr::OAuthParams {{"x_auth_mode", "client_auth"}, {"x_auth_password", "p&ss w+rd"}}
        << QByteArray() << QByteArray("ok");
    QTest::newRow("body changed after signing")
        << QByteArray("POST") << Zr::OAuthParams() << status
        << Zr::OAuthParams {{"status", "changed"}} << QByteArray("1-tok") << QByteArray("bad");
}

void TestSandboxInterop::oauthlibAcceptsClient()
{
    QFETCH(QByteArray, method);
    QFETCH(Zr::OAuthParams, query);
    QFETCH(Zr::OAuthParams, signedBody);
    QFETCH(Zr::OAuthParams, sentBody);
    QFETCH(QByteArray, token);
    QFETCH(QByteArray, verdict);

    // Secrets with characters that need encoding in the key.
    const Zr::OAuthCredentials credentials {"key", "c&s ecr\xc3\xa9t", token,
                                            token.isEmpty() ? QByteArray() : "t+s/e=c"};
    QUrl url(u"http://127.0.0.1:8123/1/statuses/update.json"_s);
    if (!query.isEmpty())
        url.setQuery(QString::fromLatin1(Zr::OAuth::formEncode(query)));
    const QByteArray header = Zr::OAuth::authorizationHeader(credentials, method, url, signedBody);

    QByteArray output;
    QCOMPARE(
        runScript({u"verify"_s, QString::fromLatin1(method), QString::fromLatin1(url.toEncoded()),
                   QString::fromLatin1(Zr::OAuth::formEncode(sentBody)),
                   QString::fromLatin1(header), QString::fromUtf8(credentials.consumerSecret),
                   QString::fromUtf8(credentials.tokenSecret)},
                  &output),
        0);
    QCOMPARE(output.trimmed(), verdict);
}

QTEST_GUILESS_MAIN(TestSandboxInterop)
#include "tst_sandbox_interop.moc"
