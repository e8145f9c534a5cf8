#include "accountstore.h"
#include "cannedhttpserver.h"
#include "signaturecheck.h"
#include "signinexchange.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <sys/stat.h>

using ZrMeego::Account;
using ZrMeego::AccountStore;
using ZrMeego::SignInExchange;

namespace {

const QByteArray tokenAnswer = R"({"oauth_token": "1843-6c0f", "oauth_token_secret": "b7e1",
                                   "user_id": "1843", "screen_name": "demo"})";
const QString password = QStringLiteral("p&ss word+=%41");

QMap<QByteArray, QByteArray> formFields(const QByteArray &body)
{
    QMap<QByteArray, QByteArray> fields;
    for (const Zr::OAuthParam &field : Zr::OAuth::formParameters(body))
        fields.insert(field.first, field.second);
    return fields;
}

// Waits with the event loop running: the canned server lives in this process.
bool finished(QProcess *process)
{
    if (process->state() == QProcess::NotRunning)
        return true;
    QSignalSpy done(process, &QProcess::finished);
    return done.wait(20000);
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
    void refusalsAreNamed_data();
    void refusalsAreNamed();
    void unreachableService();
    void badInputSendsNothing();
    void serviceAddressFromText_data();
    void serviceAddressFromText();
    void oneExchangeAtATime();
    void toolStoresTheAccountForTheProgram();
    void toolReportsFailures();

private:
    QProcess *startTool(const QStringList &arguments, const QString &configHome);

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
    QCOMPARE(account.serviceUrl, m_server->url());
    QCOMPARE(account.userId, QStringLiteral("1843"));
    QCOMPARE(account.screenName, QStringLiteral("demo"));
    QCOMPARE(account.token, QStringLiteral("1843-6c0f"));
    QCOMPARE(account.tokenSecret, QStringLiteral("b7e1"));
    QCOMPARE(account.consumerKey, QStringLiteral("ck"));
    QCOMPARE(account.consumerSecret, QStringLiteral("cs"));
    QVERIFY(account.enabled);

    QCOMPARE(m_server->requests().size(), 1);
    const CannedRequest &request = m_server->requests().first();
    QCOMPARE(request.method, QByteArray("POST"));
    QCOMPARE(request.path(), QByteArray("/oauth/access_token"));
    QVERIFY(request.header("content-type").startsWith("application/x-www-form-urlencoded"));
    const QMap<QByteArray, QByteArray> fields = formFields(request.body);
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

void TestSignInExchange::refusalsAreNamed_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<SignInExchange::Failure>("failure");
    QTest::addColumn<QString>("serviceMessage");

    QTest::newRow("wrong password")
        << 401 << QByteArray(R"({"error": "Invalid user name or password."})")
        << SignInExchange::WrongCredentials << QStringLiteral("Invalid user name or password.");
    QTest::newRow("deleted") << 403 << QByteArray(R"({"error": "User has been deleted"})")
                             << SignInExchange::AccountDeleted
                             << QStringLiteral("User has been deleted");
    QTest::newRow("clock") << 401
                           << QByteArray(
                                  R"({"error": "Client time out of sync. Server time is X."})")
                           << SignInExchange::ClockSkew
                           << QStringLiteral("Client time out of sync. Server time is X.");
    QTest::newRow("consumer") << 401
                              << QByteArray(R"({"error": "Could not authenticate with OAuth."})")
                              << SignInExchange::ClientRejected
                              << QStringLiteral("Could not authenticate with OAuth.");
    QTest::newRow("missing") << 400
                             << QByteArray(R"({"error": "Missing parameter: x_auth_password"})")
                             << SignInExchange::MissingInput
                             << QStringLiteral("Missing parameter: x_auth_password");
    QTest::newRow("fault") << 500 << QByteArray(R"({"error": "Internal error"})")
                           << SignInExchange::ServiceFailure << QStringLiteral("Internal error");
    QTest::newRow("no token") << 200 << QByteArray(R"({"user_id": "1843", "screen_name": "demo"})")
                              << SignInExchange::ServiceFailure << QString();
    QTest::newRow("not json") << 200 << QByteArray("oauth_token=a&oauth_token_secret=b")
                              << SignInExchange::ServiceFailure << QString();
}

void TestSignInExchange::refusalsAreNamed()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(SignInExchange::Failure, failure);
    QFETCH(QString, serviceMessage);

    SignInExchange exchange;
    QSignalSpy succeeded(&exchange, &SignInExchange::succeeded);
    QSignalSpy failed(&exchange, &SignInExchange::failed);
    m_server->enqueueJson(status, body);
    exchange.start(m_server->url(), QStringLiteral("demo"), password);
    QVERIFY(failed.wait());
    QCOMPARE(succeeded.count(), 0);
    QCOMPARE(failed.count(), 1);
    QCOMPARE(failed.first().value(0).value<SignInExchange::Failure>(), failure);
    QCOMPARE(failed.first().value(1).toString(),
             SignInExchange::describe(failure, m_server->url(), serviceMessage));
    QCOMPARE(failed.first().value(2).toString(), serviceMessage);
}

void TestSignInExchange::unreachableService()
{
    SignInExchange exchange;
    exchange.setTimeout(300);
    QSignalSpy failed(&exchange, &SignInExchange::failed);

    const QUrl closed(QStringLiteral("http://127.0.0.1:%1").arg(CannedHttpServer::closedPort()));
    exchange.start(closed, QStringLiteral("demo"), password);
    QVERIFY(failed.wait());
    QCOMPARE(failed.last().value(0).value<SignInExchange::Failure>(), SignInExchange::Unreachable);
    QVERIFY(failed.last().value(1).toString().contains(closed.toString()));

    CannedResponse held;
    held.hold = true;
    m_server->enqueue(held);
    exchange.start(m_server->url(), QStringLiteral("demo"), password);
    QVERIFY(failed.wait());
    QCOMPARE(failed.count(), 2);
    QCOMPARE(failed.last().value(0).value<SignInExchange::Failure>(), SignInExchange::Unreachable);
    m_server->release();
}

void TestSignInExchange::badInputSendsNothing()
{
    SignInExchange exchange;
    QSignalSpy failed(&exchange, &SignInExchange::failed);
    const QList<QPair<QUrl, SignInExchange::Failure>> cases {
        {QUrl(QStringLiteral("ftp://127.0.0.1/")), SignInExchange::InvalidAddress},
        {QUrl(), SignInExchange::InvalidAddress},
        {QUrl(QStringLiteral("http://user:pw@127.0.0.1:1/")), SignInExchange::InvalidAddress},
        {QUrl(QStringLiteral("file:///etc/passwd")), SignInExchange::InvalidAddress},
    };
    for (const auto &entry : cases) {
        const int before = failed.count();
        exchange.start(entry.first, QStringLiteral("demo"), password);
        QCOMPARE(failed.count(), before); // only after start() has returned
        QVERIFY(failed.wait());
        QCOMPARE(failed.last().value(0).value<SignInExchange::Failure>(), entry.second);
    }
    for (const auto &credentials :
         {qMakePair(QString(), password), qMakePair(QStringLiteral("@"), password),
          qMakePair(QStringLiteral("demo"), QString()),
          qMakePair(QString(200, QLatin1Char('a')), password)}) {
        exchange.start(m_server->url(), credentials.first, credentials.second);
        QVERIFY(failed.wait());
        QCOMPARE(failed.last().value(0).value<SignInExchange::Failure>(),
                 SignInExchange::MissingInput);
    }
    QCOMPARE(m_server->requests().size(), 0);
}

void TestSignInExchange::serviceAddressFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QUrl>("expected");
    QTest::newRow("host and port")
        << QStringLiteral(" 127.0.0.1:8123 ") << QUrl(QStringLiteral("http://127.0.0.1:8123"));
    QTest::newRow("name and port")
        << QStringLiteral("localhost:8123") << QUrl(QStringLiteral("http://localhost:8123"));
    QTest::newRow("prefix") << QStringLiteral("https://zirrup.example/api/")
                            << QUrl(QStringLiteral("https://zirrup.example/api"));
    QTest::newRow("root") << QStringLiteral("http://127.0.0.1:8123/")
                          << QUrl(QStringLiteral("http://127.0.0.1:8123"));
    QTest::newRow("empty") << QString() << QUrl();
    QTest::newRow("other scheme") << QStringLiteral("ftp://host") << QUrl();
    QTest::newRow("query") << QStringLiteral("http://host/?a=b") << QUrl();
    QTest::newRow("no host") << QStringLiteral("http://") << QUrl();
    QTest::newRow("user info") << QStringLiteral("http://me@host") << QUrl();
}

void TestSignInExchange::serviceAddressFromText()
{
    QFETCH(QString, text);
    QFETCH(QUrl, expected);
    QCOMPARE(SignInExchange::serviceUrlFromText(text), expected);
}

void TestSignInExchange::oneExchangeAtATime()
{
    SignInExchange exchange;
    QSignalSpy succeeded(&exchange, &SignInExchange::succeeded);
    QSignalSpy failed(&exchange, &SignInExchange::failed);
    CannedResponse held {200, tokenAnswer, true};
    m_server->enqueue(held);
    exchange.start(m_server->url(), QStringLiteral("demo"), password);
    QTRY_COMPARE(m_server->heldCount(), 1);

    exchange.start(m_server->url(), QStringLiteral("other"), password);
    QVERIFY(failed.wait());
    QCOMPARE(failed.first().value(0).value<SignInExchange::Failure>(), SignInExchange::Busy);
    QVERIFY(exchange.isRunning());

    m_server->release();
    QVERIFY(succeeded.wait());
    QCOMPARE(failed.count(), 1);
    QCOMPARE(m_server->requests().size(), 1);

    // An aborted exchange says nothing at all.
    m_server->enqueue(held);
    exchange.start(m_server->url(), QStringLiteral("demo"), password);
    QTRY_COMPARE(m_server->heldCount(), 1);
    exchange.abort();
    QVERIFY(!exchange.isRunning());
    m_server->release();
    QTRY_COMPARE(m_server->requests().size(), 2);
    QCoreApplication::processEvents();
    QCOMPARE(succeeded.count(), 1);
    QCOMPARE(failed.count(), 1);
}

QProcess *TestSignInExchange::startTool(const QStringList &arguments, const QString &configHome)
{
    auto *process = new QProcess(this);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    environment.remove(QStringLiteral("ZIRRUP_SERVICE_URL"));
    process->setProcessEnvironment(environment);
    process->start(QStringLiteral(ZIRRUP_BINARY_DIR "/platform/integration/tools/zirrup-signin"),
                   arguments);
    return process;
}

void TestSignInExchange::toolStoresTheAccountForTheProgram()
{
    QTemporaryDir home;
    const QString accountPath = home.filePath(QStringLiteral("zirrup/account.json"));
    // The running program's store, watching the file the tool writes.
    AccountStore programStore(accountPath, nullptr);
    programStore.setWatching(true);
    QSignalSpy added(&programStore, &AccountStore::accountAdded);

    m_server->enqueueJson(200, tokenAnswer);
    QProcess *tool = startTool({QStringLiteral("--service"), m_server->url().toString(),
                                QStringLiteral("--user"), QStringLiteral("demo"),
                                QStringLiteral("--password-stdin")},
                               home.path());
    tool->write(password.toUtf8() + "\n");
    tool->closeWriteChannel();
    QVERIFY(finished(tool));
    QCOMPARE(tool->exitCode(), 0);
    QVERIFY(tool->readAllStandardOutput().contains("@demo"));

    QTRY_COMPARE(added.count(), 1);
    QCOMPARE(programStore.account().token, QStringLiteral("1843-6c0f"));
    QCOMPARE(programStore.account().consumerKey, QStringLiteral(ZIRRUP_CONSUMER_KEY));
    QCOMPARE(formFields(m_server->requests().first().body).value("x_auth_password"),
             password.toUtf8());

    struct stat info;
    QCOMPARE(::stat(QFile::encodeName(accountPath).constData(), &info), 0);
    QCOMPARE(info.st_mode & 0777, mode_t(0600));
    QFile file(accountPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray stored = file.readAll();
    QVERIFY(!stored.contains(password.toUtf8()));
    QVERIFY(!stored.contains("ss word"));
    QVERIFY(!stored.contains("x_auth_password"));
}

void TestSignInExchange::toolReportsFailures()
{
    QTemporaryDir home;
    m_server->enqueueJson(401, R"({"error": "Invalid user name or password."})");
    QProcess *tool = startTool({QStringLiteral("--service"), m_server->url().toString(),
                                QStringLiteral("--user"), QStringLiteral("demo"),
                                QStringLiteral("--password-stdin")},
                               home.path());
    tool->write("wrong\n");
    tool->closeWriteChannel();
    QVERIFY(finished(tool));
    QCOMPARE(tool->exitCode(), 1);
    QVERIFY(tool->readAllStandardError().contains("Wrong user name or password."));
    QVERIFY(!QFile::exists(home.filePath(QStringLiteral("zirrup/account.json"))));

    // No password option, or no password given: usage errors, nothing sent.
    const int sent = m_server->requests().size();
    for (const QStringList &arguments :
         {QStringList {QStringLiteral("--service"), m_server->url().toString(),
                       QStringLiteral("--user"), QStringLiteral("demo")},
          QStringList {QStringLiteral("--service"), m_server->url().toString(),
                       QStringLiteral("--user"), QStringLiteral("demo"),
                       QStringLiteral("--password-stdin")},
          QStringList {QStringLiteral("--service"), QStringLiteral("ftp://x"),
                       QStringLiteral("--user"), QStringLiteral("demo"),
                       QStringLiteral("--password-stdin")}}) {
        QProcess *usage = startTool(arguments, home.path());
        usage->closeWriteChannel();
        QVERIFY(finished(usage));
        QCOMPARE(usage->exitCode(), 2);
    }
    QCOMPARE(m_server->requests().size(), sent);
}

QTEST_GUILESS_MAIN(TestSignInExchange)
#include "tst_signinexchange.moc"
