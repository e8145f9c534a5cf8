#include "accountstore.h"
#include "cannedhttpserver.h"
#include "desktoploginhandler.h"
#include "jsonrows.h"
#include "signaturecheck.h"
#include "testaccount.h"
#include "zirrup.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using ZrMeego::AccountStore;
using ZrMeego::DesktopLoginHandler;

namespace {
const QByteArray userRecord =
    R"({"id": 1843, "id_str": "1843", "screen_name": "Demo", "name": "Demo User"})";
const QByteArray tokenSecret = testAccount().tokenSecret.toUtf8();

QUrl closedUrl()
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(CannedHttpServer::closedPort()));
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

private:
    // Runs one login and checks that exactly one of the two signals came, and not at once.
    void runLogin(DesktopLoginHandler &handler);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AccountStore> m_store;
    CannedHttpServer *m_server = nullptr;
    std::unique_ptr<QSignalSpy> m_responses;
    std::unique_ptr<QSignalSpy> m_errors;
};

void TestLoginHandler::init()
{
    qunsetenv("ZIRRUP_SERVICE_URL");
    m_dir = std::make_unique<QTemporaryDir>();
    m_store = std::make_unique<AccountStore>(m_dir->filePath("account.json"), nullptr);
    m_server = new CannedHttpServer(this);
    QVERIFY(m_server->listen());
    QVERIFY(m_store->storeAccount(testAccount(m_server->url())));
}

void TestLoginHandler::cleanup()
{
    delete m_server;
    m_store.reset();
    qunsetenv("ZIRRUP_SERVICE_URL");
}

void TestLoginHandler::runLogin(DesktopLoginHandler &handler)
{
    m_responses = std::make_unique<QSignalSpy>(&handler, &DesktopLoginHandler::loginResponse);
    m_errors = std::make_unique<QSignalSpy>(&handler, &DesktopLoginHandler::loginError);
    handler.login(false, true);
    // Never synchronously, so the caller's state is set before the answer.
    QCOMPARE(m_responses->count() + m_errors->count(), 0);
    QTRY_COMPARE(m_responses->count() + m_errors->count(), 1);
    QCoreApplication::processEvents();
    QCOMPARE(m_responses->count() + m_errors->count(), 1);
}

void TestLoginHandler::signedCheckAnswersWithTheServiceName()
{
    // The address in the environment wins over the stored one.
    CannedHttpServer other;
    QVERIFY(other.listen());
    qputenv("ZIRRUP_SERVICE_URL", other.url().toString().toUtf8() + "/");
    QCOMPARE(DesktopLoginHandler::serviceUrlFor(m_store->account()), other.url());
    DesktopLoginHandler handler(m_store.get());
    other.enqueueJson(200, userRecord);
    runLogin(handler);
    QCOMPARE(m_errors->count(), 0);

    // The service's letter case wins over what was stored, and is kept.
    QCOMPARE(QVariant(m_responses->first()).toStringList(),
             QStringList({"1843-token", QString::fromUtf8(tokenSecret), "1843", "Demo",
                          "consumer-key", "consumer-secret"}));
    QCOMPARE(m_store->account().screenName, QStringLiteral("Demo"));
    QCOMPARE(Zr::serviceUrl(), other.url());

    QCOMPARE(m_server->requests().size(), 0);
    QCOMPARE(other.requests().size(), 1);
    const CannedRequest &request = other.requests().first();
    QCOMPARE(request.method, QByteArray("GET"));
    QCOMPARE(request.path(), QByteArray("/1/account/verify_credentials.json"));
    const QMap<QByteArray, QByteArray> oauth =
        verifiedOAuthParameters(request, other.url(), "consumer-secret", tokenSecret);
    QVERIFY2(!oauth.isEmpty(), request.header("authorization").constData());
    QCOMPARE(oauth.value("oauth_token"), QByteArray("1843-token"));
    QCOMPARE(oauth.value("oauth_consumer_key"), QByteArray("consumer-key"));

    qunsetenv("ZIRRUP_SERVICE_URL");
    QCOMPARE(DesktopLoginHandler::serviceUrlFor(m_store->account()), m_server->url());
}

void TestLoginHandler::answersMapToErrorTypes_data()
{
    addJsonRows(ZIRRUP_TEST_DATA_DIR "/data/signin.json", "loginAnswers");
}

void TestLoginHandler::answersMapToErrorTypes()
{
    QFETCH(QVariantMap, row);
    DesktopLoginHandler handler(m_store.get());
    QSignalSpy removed(&handler, &DesktopLoginHandler::accountRemoved);
    m_server->enqueueJson(row["status"].toInt(), row["body"].toString().toUtf8());
    runLogin(handler);
    QCOMPARE(m_responses->count(), 0);
    QCOMPARE(int(m_errors->first().value(0).value<ZrLoginError::ZrLoginError>()),
             row["type"].toInt());
    const QString reported = m_errors->first().value(1).toString();
    // Without the service's text, our own description.
    QVERIFY(row.contains("text") ? reported == row["text"].toString() : !reported.isEmpty());
    // Deciding what to do about the account is the program's business.
    QVERIFY(m_store->hasAccount());
    QCOMPARE(removed.count(), 0);
}

void TestLoginHandler::networkFailuresNeverCostTheAccount_data()
{
    QTest::addColumn<QString>("failure");
    for (const char *failure : {"refused", "timeout"})
        QTest::newRow(failure) << QString::fromLatin1(failure);
}

void TestLoginHandler::networkFailuresNeverCostTheAccount()
{
    QFETCH(QString, failure);
    if (failure == "refused")
        QVERIFY(m_store->storeAccount(testAccount(closedUrl())));
    else

        m_server->enqueue(CannedResponse {200, userRecord, true});

    DesktopLoginHandler handler(m_store.get());
    handler.setRequestTimeout(300);
    runLogin(handler);
    QCOMPARE(m_responses->count(), 0);
    QCOMPARE(m_errors->first().value(0).value<ZrLoginError::ZrLoginError>(),
             ZrLoginError::NetworkError);
    QVERIFY(!m_errors->first().value(1).toString().isEmpty());
    QVERIFY(m_store->hasAccount());
    m_server->release();
}

void TestLoginHandler::withoutAnAccountOrDisabled()
{
    DesktopLoginHandler handler(m_store.get());
    QSignalSpy added(&handler, &DesktopLoginHandler::accountAdded);
    QSignalSpy removed(&handler, &DesktopLoginHandler::accountRemoved);
    QSignalSpy state(&handler, &DesktopLoginHandler::accountStateChanged);

    QVERIFY(handler.setAccountEnabled(false));
    QCOMPARE(state.count(), 1);
    QCOMPARE(state.first().value(0).value<ZrServiceType::Servicetype>(), ZrServiceType::Zirrup);
    QCOMPARE(state.first().value(1).toBool(), false);
    QVERIFY(!handler.accountEnabled(0));
    runLogin(handler);
    QCOMPARE(m_errors->last().value(0).value<ZrLoginError::ZrLoginError>(),
             ZrLoginError::NoAccount);
    QVERIFY(handler.setAccountEnabled(true));
    QVERIFY(handler.accountEnabled(0));
    QVERIFY(!handler.accountEnabled(1));

    QVERIFY(m_store->removeAccount());
    QCOMPARE(removed.count(), 1);
    QVERIFY(!handler.accountExists());
    runLogin(handler);
    QCOMPARE(m_errors->last().value(0).value<ZrLoginError::ZrLoginError>(),
             ZrLoginError::NoAccount);
    // Nothing went to the service; invalidating nothing is harmless and silent.
    QCOMPARE(m_server->requests().size(), 0);
    handler.invalidateAccount();
    QCOMPARE(removed.count(), 1);

    // Storing an account is not a change of its flag.
    QVERIFY(m_store->storeAccount(testAccount(m_server->url())));
    QCOMPARE(added.count(), 1);
    QCOMPARE(state.count(), 2);
}

void TestLoginHandler::invalidateRevokesAndRemoves()
{
    DesktopLoginHandler handler(m_store.get());
    QSignalSpy removed(&handler, &DesktopLoginHandler::accountRemoved);
    m_server->enqueueJson(200, R"({"revoked": true})");
    handler.invalidateAccount();
    QCOMPARE(removed.count(), 1);
    QVERIFY(!handler.accountExists());

    QTRY_COMPARE(m_server->requests().size(), 1);
    const CannedRequest &request = m_server->requests().first();
    QCOMPARE(request.method, QByteArray("POST"));
    QCOMPARE(request.path(), QByteArray("/oauth/invalidate_token"));
    const QMap<QByteArray, QByteArray> oauth =
        verifiedOAuthParameters(request, m_server->url(), "consumer-secret", tokenSecret);
    QCOMPARE(oauth.value("oauth_token"), QByteArray("1843-token"));

    // An unreachable service does not keep the account alive.
    QVERIFY(m_store->storeAccount(testAccount(closedUrl())));
    handler.invalidateAccount();
    QCOMPARE(removed.count(), 2);
    QVERIFY(!handler.accountExists());
}

QTEST_GUILESS_MAIN(TestLoginHandler)
#include "tst_loginhandler.moc"
