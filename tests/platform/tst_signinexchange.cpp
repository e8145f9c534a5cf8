#include "cannedhttpserver.h"
#include "jsonrows.h"
#include "signaturecheck.h"
#include "signinexchange.h"
#include "testaccount.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

using ZrMeego::Account;
using ZrMeego::SignInExchange;

namespace {

const QString Data = QStringLiteral(ZIRRUP_TEST_DATA_DIR "/data/signin.json");
const QByteArray tokenAnswer = R"({"oauth_token": "1843-6c0f", "oauth_token_secret": "b7e1",
                                   "user_id": "1843", "screen_name": "demo"})";
const QString password = QStringLiteral("p&ss word+=%41");

SignInExchange::Failure failureNamed(const QVariant &name)
{
    return SignInExchange::Failure(QMetaEnum::fromType<SignInExchange::Failure>().keyToValue(
        name.toString().toLatin1().constData()));
}

SignInExchange::Failure failureOf(const QSignalSpy &failed)
{
    return failed.last().value(0).value<SignInExchange::Failure>();
}

} // namespace

// Trading a user name and password for a token pair, in the library and in zirrup-signin.
class TestSignInExchange : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void exchangeIssuesACompleteAccount();
    void refusalsAreNamed_data() { addJsonRows(Data, "refusals"); }
    void refusalsAreNamed();
    void badInputSendsNothing_data() { addJsonRows(Data, "badInput"); }
    void badInputSendsNothing();
    void serviceAddressFromText_data() { addJsonRows(Data, "serviceAddress"); }
    void serviceAddressFromText();
    void unreachableBusyAndAborted();
    void toolReportsFailures();

private:
    CannedHttpServer *m_server = nullptr;
    QTranslator m_english;
};

void TestSignInExchange::initTestCase()
{
    // The failures read as the English catalogue words them.
    QVERIFY(m_english.load(QStringLiteral(":/common_en.qm")));
    QCoreApplication::installTranslator(&m_english);
}

void TestSignInExchange::init()
{
    delete m_server;
    m_server = new CannedHttpServer(this);
    QVERIFY(m_server->listen());
}

void TestSignInExchange::exchangeIssuesACompleteAccount()
{
    SignInExchange exchange;
    exchange.setConsumer(QStringLiteral("ck"), QStringLiteral("cs"));
    QSignalSpy succeeded(&exchange, &SignInExchange::succeeded);
    QSignalSpy failed(&exchange, &SignInExchange::failed);
    m_server->enqueueJson(200, tokenAnswer);
    exchange.start(QUrl(m_server->url().toString() + QStringLiteral("/")),
                   QStringLiteral(" @demo "), password);
    QVERIFY(exchange.isRunning());
    QVERIFY(succeeded.wait());
    QCOMPARE(failed.count(), 0);
    QVERIFY(!exchange.isRunning());

    const Account account = succeeded.first().first().value<Account>();
    QCOMPARE(
        fields(account),
        QStringList({m_server->url().toString(), "1843", "demo", "1843-6c0f", "b7e1", "ck", "cs"}));
    QVERIFY(account.enabled);

    QCOMPARE(m_server->requests().size(), 1);
    const CannedRequest &request = m_server->requests().first();
    QCOMPARE(request.method, QByteArray("POST"));
    QCOMPARE(request.path(), QByteArray("/oauth/access_token"));
    QVERIFY(request.header("content-type").startsWith("application/x-www-form-urlencoded"));
    QMap<QByteArray, QByteArray> fields;
    for (const Zr::OAuthParam &field : Zr::OAuth::formParameters(request.body))
        fields.insert(field.first, field.second);
    QCOMPARE(fields.value("x_auth_mode"), QByteArray("client_auth"));
    QCOMPARE(fields.value("x_auth_username"), QByteArray("demo"));
    QCOMPARE(fields.value("x_auth_password"), password.toUtf8());
    // Signed with the consumer pair alone; the form fields are part of the signature.
    const QMap<QByteArray, QByteArray> oauth =
        verifiedOAuthParameters(request, m_server->url(), "cs", "");
    QVERIFY2(!oauth.isEmpty(), request.header("authorization").constData());
    QCOMPARE(oauth.value("oauth_consumer_key"), QByteArray("ck"));
    QVERIFY(!oauth.contains("oauth_token"));
    // The password travels in the body only.
    QVERIFY(!request.target.contains("word"));
    QVERIFY(!request.header("authorization").contains("ss%20word"));
}

void TestSignInExchange::refusalsAreNamed()
{
    QFETCH(QVariantMap, row);
    SignInExchange exchange;
    QSignalSpy succeeded(&exchange, &SignInExchange::succeeded);
    QSignalSpy failed(&exchange, &SignInExchange::failed);
    m_server->enqueueJson(row["status"].toInt(), row["body"].toString().toUtf8());
    exchange.start(m_server->url(), QStringLiteral("demo"), password);
    QVERIFY(failed.wait());
    QCOMPARE(succeeded.count(), 0);
    QCOMPARE(failed.count(), 1);
    QCOMPARE(failureOf(failed), failureNamed(row["failure"]));
    QCOMPARE(failed.first().value(2).toString(), row["message"].toString());
    // In the English catalogue's words.
    QVERIFY(failed.first().value(1).toString().contains(row["shown"].toString()));
}

void TestSignInExchange::badInputSendsNothing()
{
    QFETCH(QVariantMap, row);
    SignInExchange exchange;
    QSignalSpy failed(&exchange, &SignInExchange::failed);
    const QUrl url = row.contains("url") ? QUrl(row["url"].toString()) : m_server->url();
    exchange.start(url, row.value("user", "demo").toString(),
                   row.value("password", password).toString());
    QCOMPARE(failed.count(), 0); // only after start() has returned
    QVERIFY(failed.wait());
    QCOMPARE(failureOf(failed), failureNamed(row["failure"]));
    QCOMPARE(m_server->requests().size(), 0);
}

void TestSignInExchange::serviceAddressFromText()
{
    QFETCH(QVariantMap, row);
    QCOMPARE(SignInExchange::serviceUrlFromText(row["text"].toString()),
             QUrl(row["url"].toString()));
}

void TestSignInExchange::unreachableBusyAndAborted()
{
    SignInExchange exchange;
    exchange.setTimeout(300);
    QSignalSpy succeeded(&exchange, &SignInExchange::succeeded);
    QSignalSpy failed(&exchange, &SignInExchange::failed);

    const QUrl closed(QStringLiteral("http://127.0.0.1:%1").arg(CannedHttpServer::closedPort()));
    exchange.start(closed, QStringLiteral("demo"), password);
    QVERIFY(failed.wait());
    QCOMPARE(failureOf(failed), SignInExchange::Unreachable);
    QVERIFY(failed.last().value(1).toString().contains(closed.toString()));
    // No answer in time.
    m_server->enqueue(CannedResponse {200, tokenAnswer, true});
    exchange.start(m_server->url(), QStringLiteral("demo"), password);
    QVERIFY(failed.wait());
    QCOMPARE(failureOf(failed), SignInExchange::Unreachable);
    m_server->release();

    // One exchange at a time.
    exchange.setTimeout(30000);
    m_server->enqueue(CannedResponse {200, tokenAnswer, true});
    exchange.start(m_server->url(), QStringLiteral("demo"), password);
    QTRY_COMPARE(m_server->heldCount(), 1);
    exchange.start(m_server->url(), QStringLiteral("other"), password);
    QVERIFY(failed.wait());
    QCOMPARE(failureOf(failed), SignInExchange::Busy);
    QVERIFY(exchange.isRunning());
    m_server->release();
    QVERIFY(succeeded.wait());
    QCOMPARE(failed.count(), 3);
    QCOMPARE(m_server->requests().size(), 2);

    // An aborted exchange says nothing at all.
    m_server->enqueue(CannedResponse {200, tokenAnswer, true});
    exchange.start(m_server->url(), QStringLiteral("demo"), password);
    QTRY_COMPARE(m_server->heldCount(), 1);
    exchange.abort();
    QVERIFY(!exchange.isRunning());
    m_server->release();
    QTRY_COMPARE(m_server->requests().size(), 3);
    QCoreApplication::processEvents();
    QCOMPARE(succeeded.count(), 1);
    QCOMPARE(failed.count(), 3);
}

void TestSignInExchange::toolReportsFailures()
{
    // Success is the smoke test's every signed-in session; here the ways it fails.
    QTemporaryDir home;
    const QString url = m_server->url().toString();
    const struct
    {
        QStringList arguments;
        QByteArray input;
        int exitCode;
    } runs[] = {
        {{"--service", url, "--user", "demo", "--password-stdin"}, "wrong\n", 1},
        // No password option, no password given, a bad address: usage errors, nothing sent.
        {{"--service", url, "--user", "demo"}, "", 2},
        {{"--service", url, "--user", "demo", "--password-stdin"}, "", 2},
        {{"--service", "ftp://x", "--user", "demo", "--password-stdin"}, "pw\n", 2},
    };
    m_server->enqueueJson(401, R"({"error": "Invalid user name or password."})");
    for (const auto &run : runs) {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
        environment.remove(QStringLiteral("ZIRRUP_SERVICE_URL"));
        tool.setProcessEnvironment(environment);
        tool.start(QStringLiteral(ZIRRUP_BINARY_DIR "/platform/integration/tools/zirrup-signin"),
                   run.arguments);
        tool.write(run.input);
        tool.closeWriteChannel();
        // The event loop runs meanwhile: the canned server lives in this process.
        QSignalSpy finished(&tool, &QProcess::finished);
        QVERIFY(finished.wait(20000));
        QCOMPARE(tool.exitCode(), run.exitCode);
        if (run.exitCode == 1)
            QVERIFY(tool.readAllStandardError().contains("Wrong user name or password."));
    }
    QCOMPARE(m_server->requests().size(), 1);
    QVERIFY(!QFile::exists(home.filePath(QStringLiteral("zirrup/account.json"))));
}

QTEST_GUILESS_MAIN(TestSignInExchange)
#include "tst_signinexchange.moc"
