#include "accountstore.h"
#include "cannedhttpserver.h"
#include "desktoploginhandler.h"
#include "signaturecheck.h"
#include "zirrup.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using ZrMeego::Account;
using ZrMeego::AccountStore;
using ZrMeego::DesktopLoginHandler;

namespace {

const QByteArray userRecord =
    R"({"id": 1843, "id_str": "1843", "screen_name": "Demo", "name": "Demo User"})";

Account accountAt(const QUrl &url)
{
    Account account;
    account.serviceUrl = url;
    account.userId = QStringLiteral("1843");
    account.screenName = QStringLiteral("demo");
    account.token = QStringLiteral("1843-token");
    account.tokenSecret = QStringLiteral("token secret/with+odd&chars");
    account.consumerKey = QStringLiteral("consumer-key");
    account.consumerSecret = QStringLiteral("consumer-secret");
    return account;
}

} // namespace

// The login object: the token check at the service and what each answer becomes.
class TestLoginHandler : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void signedCheckAnswersWithTheServiceName();
    void answersMapToErrorTypes_data();
    void answersMapToErrorTypes();
    void networkFailuresNeverCostTheAccount_data();
    void networkFailuresNeverCostTheAccount();
    void withoutAnAccountOrDisabled();
    void invalidateRevokesAndRemoves();
    void environmentAddressOverridesTheAccount();
    void accountSignalsFollowTheStore();

private:
    // Runs one login and checks that exactly one of the two signals came.
    void runLogin(DesktopLoginHandler &handler, QSignalSpy &responses, QSignalSpy &errors);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AccountStore> m_store;
    CannedHttpServer *m_server = nullptr;
};

void TestLoginHandler::init()
{
    qunsetenv("ZIRRUP_SERVICE_URL");
    m_dir = std::make_unique<QTemporaryDir>();
    m_store =
        std::make_unique<AccountStore>(m_dir->filePath(QStringLiteral("account.json")), nullptr);
    m_server = new CannedHttpServer(this);
    QVERIFY(m_server->listen());
    QVERIFY(m_store->storeAccount(accountAt(m_server->url())));
}

void TestLoginHandler::cleanup()
{
    delete m_server;
    m_server = nullptr;
    m_store.reset();
    qunsetenv("ZIRRUP_SERVICE_URL");
}

void TestLoginHandler::runLogin(DesktopLoginHandler &handler, QSignalSpy &responses,
                                QSignalSpy &errors)
{
    const int before = responses.count() + errors.count();
    handler.login(false, true);
    // Never synchronously, so the caller's state is set before the answer.
    QCOMPARE(responses.count() + errors.count(), before);
    QTRY_COMPARE(responses.count() + errors.count(), before + 1);
    // And never a second one.
    QCoreApplication::processEvents();
    QCOMPARE(responses.count() + errors.count(), before + 1);
}

void TestLoginHandler::signedCheckAnswersWithTheServiceName()
{
    DesktopLoginHandler handler(m_store.get());
    QSignalSpy responses(&handler, &DesktopLoginHandler::loginResponse);
    QSignalSpy errors(&handler, &DesktopLoginHandler::loginError);
    m_server->enqueueJson(200, userRecord);
    runLogin(handler, responses, errors);
    QCOMPARE(errors.count(), 0);

    const QList<QVariant> response = responses.first();
    QCOMPARE(response.value(0).toString(), QStringLiteral("1843-token"));
    QCOMPARE(response.value(1).toString(), QStringLiteral("token secret/with+odd&chars"));
    QCOMPARE(response.value(2).toString(), QStringLiteral("1843"));
    // The service's letter case wins over what was stored, and is kept.
    QCOMPARE(response.value(3).toString(), QStringLiteral("Demo"));
    QCOMPARE(response.value(4).toString(), QStringLiteral("consumer-key"));
    QCOMPARE(response.value(5).toString(), QStringLiteral("consumer-secret"));
    QCOMPARE(m_store->account().screenName, QStringLiteral("Demo"));
    QCOMPARE(Zr::serviceUrl(), m_server->url());

    QCOMPARE(m_server->requests().size(), 1);
    const CannedRequest &request = m_server->requests().first();
    QCOMPARE(request.method, QByteArray("GET"));
    QCOMPARE(request.path(), QByteArray("/1/account/verify_credentials.json"));
    const QMap<QByteArray, QByteArray> oauth = verifiedOAuthParameters(
        request, m_server->url(), "consumer-secret", "token secret/with+odd&chars");
    QVERIFY2(!oauth.isEmpty(), request.header("authorization").constData());
    QCOMPARE(oauth.value("oauth_token"), QByteArray("1843-token"));
    QCOMPARE(oauth.value("oauth_consumer_key"), QByteArray("consumer-key"));
}

void TestLoginHandler::answersMapToErrorTypes_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("text");

    QTest::newRow("revoked token")
        << 401 << QByteArray(R"({"error": "Could not authenticate with OAuth."})") << 17
        << QStringLiteral("Could not authenticate with OAuth.");
    QTest::newRow("clock skew")
        << 401
        << QByteArray(
               R"({"error": "Client time out of sync. Server time is Sat Dec 05 10:11:12 +0000 2026."})")
        << 1
        << QStringLiteral(
               "Client time out of sync. Server time is Sat Dec 05 10:11:12 +0000 2026.");
    QTest::newRow("401 without a body") << 401 << QByteArray() << 1 << QString();
    QTest::newRow("deleted user") << 403 << QByteArray(R"({"error": "User has been deleted"})") << 9
                                  << QStringLiteral("User has been deleted");
    QTest::newRow("other 403") << 403 << QByteArray(R"({"error": "Not authorized"})") << 9
                               << QStringLiteral("Not authorized");
    QTest::newRow("server fault") << 500 << QByteArray(R"({"error": "Internal error"})") << 10
                                  << QStringLiteral("Internal error");
    QTest::newRow("bad gateway, no body") << 502 << QByteArray() << 10 << QString();
    QTest::newRow("not a service") << 404 << QByteArray("<html>nope</html>") << 10 << QString();
    QTest::newRow("200 not json") << 200 << QByteArray("{\"id_str\": ") << 10 << QString();
    QTest::newRow("200 without a user")
        << 200 << QByteArray(R"({"id_str": "1843"})") << 10 << QString();
}

void TestLoginHandler::answersMapToErrorTypes()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(int, type);
    QFETCH(QString, text);

    DesktopLoginHandler handler(m_store.get());
    QSignalSpy responses(&handler, &DesktopLoginHandler::loginResponse);
    QSignalSpy errors(&handler, &DesktopLoginHandler::loginError);
    QSignalSpy removed(&handler, &DesktopLoginHandler::accountRemoved);
    m_server->enqueueJson(status, body);
    runLogin(handler, responses, errors);
    QCOMPARE(responses.count(), 0);
    QCOMPARE(errors.first().value(0).value<ZrLoginError::ZrLoginError>(), type);
    const QString reported = errors.first().value(1).toString();
    if (text.isEmpty())
        QVERIFY(!reported.isEmpty()); // our own description
    else
        QCOMPARE(reported, text);
    // Deciding what to do about the account is the program's business.
    QVERIFY(m_store->hasAccount());
    QCOMPARE(removed.count(), 0);
}

void TestLoginHandler::networkFailuresNeverCostTheAccount_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("refused") << QStringLiteral("refused");
    QTest::newRow("dropped") << QStringLiteral("dropped");
    QTest::newRow("no answer in time") << QStringLiteral("timeout");
    QTest::newRow("unresolvable host") << QStringLiteral("host");
}

void TestLoginHandler::networkFailuresNeverCostTheAccount()
{
    QFETCH(QString, failure);
    if (failure == QLatin1String("refused")) {
        Account account = accountAt(
            QUrl(QStringLiteral("http://127.0.0.1:%1").arg(CannedHttpServer::closedPort())));
        QVERIFY(m_store->storeAccount(account));
    } else if (failure == QLatin1String("dropped")) {
        // Twice: the network layer retries a request whose connection closed unanswered.
        CannedResponse drop;
        drop.drop = true;
        m_server->enqueue(drop);
        m_server->enqueue(drop);
    } else if (failure == QLatin1String("timeout")) {
        CannedResponse held;
        held.hold = true;
        m_server->enqueue(held);
    } else {
        QVERIFY(m_store->storeAccount(accountAt(QUrl(QStringLiteral("http://zirrup.invalid")))));
    }

    DesktopLoginHandler handler(m_store.get());
    handler.setRequestTimeout(300);
    QSignalSpy responses(&handler, &DesktopLoginHandler::loginResponse);
    QSignalSpy errors(&handler, &DesktopLoginHandler::loginError);
    runLogin(handler, responses, errors);
    QCOMPARE(responses.count(), 0);
    QCOMPARE(errors.first().value(0).value<ZrLoginError::ZrLoginError>(),
             ZrLoginError::NetworkError);
    QVERIFY(!errors.first().value(1).toString().isEmpty());
    QVERIFY(m_store->hasAccount());
    m_server->release();
}

void TestLoginHandler::withoutAnAccountOrDisabled()
{
    DesktopLoginHandler handler(m_store.get());
    QSignalSpy responses(&handler, &DesktopLoginHandler::loginResponse);
    QSignalSpy errors(&handler, &DesktopLoginHandler::loginError);

    QVERIFY(handler.setAccountEnabled(false));
    QVERIFY(handler.accountExists());
    QVERIFY(!handler.accountEnabled(0));
    runLogin(handler, responses, errors);
    QCOMPARE(errors.last().value(0).value<ZrLoginError::ZrLoginError>(), ZrLoginError::NoAccount);

    QVERIFY(handler.setAccountEnabled(true));
    QVERIFY(handler.accountEnabled(0));
    QVERIFY(!handler.accountEnabled(1));

    QVERIFY(m_store->removeAccount());
    QVERIFY(!handler.accountExists());
    QVERIFY(!handler.accountEnabled(0));
    runLogin(handler, responses, errors);
    QCOMPARE(errors.count(), 2);
    QCOMPARE(errors.last().value(0).value<ZrLoginError::ZrLoginError>(), ZrLoginError::NoAccount);
    QCOMPARE(responses.count(), 0);
    // Nothing went to the service.
    QCOMPARE(m_server->requests().size(), 0);

    // Invalidating nothing is harmless and silent.
    QSignalSpy removed(&handler, &DesktopLoginHandler::accountRemoved);
    handler.invalidateAccount();
    QCOMPARE(removed.count(), 0);
}

void TestLoginHandler::invalidateRevokesAndRemoves()
{
    DesktopLoginHandler handler(m_store.get());
    QSignalSpy removed(&handler, &DesktopLoginHandler::accountRemoved);
    m_server->enqueueJson(200, R"({"revoked": true})");
    handler.invalidateAccount();
    QCOMPARE(removed.count(), 1);
    QVERIFY(!handler.accountExists());
    QCOMPARE(m_store->lastServiceUrl(), m_server->url());
    QCOMPARE(AccountStore(m_store->filePath(), nullptr).hasAccount(), false);

    QTRY_COMPARE(m_server->requests().size(), 1);
    const CannedRequest &request = m_server->requests().first();
    QCOMPARE(request.method, QByteArray("POST"));
    QCOMPARE(request.path(), QByteArray("/oauth/invalidate_token"));
    const QMap<QByteArray, QByteArray> oauth = verifiedOAuthParameters(
        request, m_server->url(), "consumer-secret", "token secret/with+odd&chars");
    QCOMPARE(oauth.value("oauth_token"), QByteArray("1843-token"));

    // An unreachable service does not keep the account alive.
    QVERIFY(m_store->storeAccount(accountAt(
        QUrl(QStringLiteral("http://127.0.0.1:%1").arg(CannedHttpServer::closedPort())))));
    handler.invalidateAccount();
    QCOMPARE(removed.count(), 2);
    QVERIFY(!handler.accountExists());
}

void TestLoginHandler::environmentAddressOverridesTheAccount()
{
    CannedHttpServer other;
    QVERIFY(other.listen());
    other.enqueueJson(200, userRecord);
    qputenv("ZIRRUP_SERVICE_URL", other.url().toString().toUtf8() + "/");
    QCOMPARE(DesktopLoginHandler::serviceUrlFor(m_store->account()), other.url());

    DesktopLoginHandler handler(m_store.get());
    QSignalSpy responses(&handler, &DesktopLoginHandler::loginResponse);
    QSignalSpy errors(&handler, &DesktopLoginHandler::loginError);
    runLogin(handler, responses, errors);
    QCOMPARE(responses.count(), 1);
    QCOMPARE(other.requests().size(), 1);
    QCOMPARE(m_server->requests().size(), 0);
    QCOMPARE(Zr::serviceUrl(), other.url());

    qunsetenv("ZIRRUP_SERVICE_URL");
    QCOMPARE(DesktopLoginHandler::serviceUrlFor(m_store->account()), m_server->url());
}

void TestLoginHandler::accountSignalsFollowTheStore()
{
    DesktopLoginHandler handler(m_store.get());
    QSignalSpy added(&handler, &DesktopLoginHandler::accountAdded);
    QSignalSpy removed(&handler, &DesktopLoginHandler::accountRemoved);
    QSignalSpy state(&handler, &DesktopLoginHandler::accountStateChanged);

    QVERIFY(handler.setAccountEnabled(false));
    QCOMPARE(state.count(), 1);
    QCOMPARE(state.first().value(0).value<ZrServiceType::Servicetype>(), ZrServiceType::Zirrup);
    QCOMPARE(state.first().value(1).toBool(), false);
    QVERIFY(m_store->removeAccount());
    QCOMPARE(removed.count(), 1);
    QVERIFY(m_store->storeAccount(accountAt(m_server->url())));
    QCOMPARE(added.count(), 1);
    // Storing an account is not a change of its flag.
    QCOMPARE(state.count(), 1);
}

QTEST_GUILESS_MAIN(TestLoginHandler)
#include "tst_loginhandler.moc"
