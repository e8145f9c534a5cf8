// Signing in for real: the sign-in exchange, the account store and the login object of the
// desktop platform against a running zirrup-sandbox.
#include "apiclient.h"
#include "sandboxprocess.h"

#include "accountstore.h"
#include "signinexchange.h"
#include "zirrup.h"
#include "zrfactorymeego.h"
#include "zrloginhandler.h"

#include <QtTest>

#include <memory>

class TestIntegrationSignIn : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void signInStoreAndLogin();
    void refusedSignIns();
    void revokedTokenIsRejected();

private:
    ZrMeego::Account exchange(const QString &user, const QString &password);

    std::unique_ptr<SandboxProcess> m_sandbox;
};

void TestIntegrationSignIn::initTestCase()
{
    m_sandbox = std::make_unique<SandboxProcess>(QStringList {
        QStringLiteral("--user"), QStringLiteral("Alice:wonder land"), QStringLiteral("--user"),
        QStringLiteral("gone:secret"), QStringLiteral("--delete-user"), QStringLiteral("gone")});
    QVERIFY2(m_sandbox->start(), qPrintable(m_sandbox->errorString()));
}

ZrMeego::Account TestIntegrationSignIn::exchange(const QString &user, const QString &password)
{
    ZrMeego::SignInExchange signIn;
    QSignalSpy succeeded(&signIn, &ZrMeego::SignInExchange::succeeded);
    QSignalSpy failed(&signIn, &ZrMeego::SignInExchange::failed);
    signIn.start(m_sandbox->baseUrl(), user, password);
    if (!succeeded.wait(10000) || !failed.isEmpty())
        return {};
    return succeeded.first().first().value<ZrMeego::Account>();
}

void TestIntegrationSignIn::signInStoreAndLogin()
{
    const ZrMeego::Account account =
        exchange(QStringLiteral("alice"), QStringLiteral("wonder land"));
    QCOMPARE(account.screenName, QStringLiteral("Alice"));
    QVERIFY(!account.token.isEmpty());
    QVERIFY(!account.tokenSecret.isEmpty());

    std::unique_ptr<ZrPlatform::ZrPlatformFactory> factory(ZrMeego::ZrFactoryMeego::getInstance());
    auto *meego = static_cast<ZrMeego::ZrFactoryMeego *>(factory.get());
    ZrPlatform::ZrLoginHandler *login = factory->loginHandler();
    QVERIFY(!login->accountExists());

    QSignalSpy added(login, &ZrPlatform::ZrLoginHandler::accountAdded);
    QVERIFY(meego->accountStore()->storeAccount(account));
    QTRY_COMPARE(added.count(), 1);
    QVERIFY(login->accountExists());
    QVERIFY(login->accountEnabled(0));

    // The stored token checks out at the service; the answer carries the pairs the backend needs.
    QSignalSpy response(login, &ZrPlatform::ZrLoginHandler::loginResponse);
    QSignalSpy error(login, &ZrPlatform::ZrLoginHandler::loginError);
    login->login(false, true);
    QVERIFY(response.wait(10000));
    QCOMPARE(error.count(), 0);
    const QList<QVariant> values = response.first();
    QCOMPARE(values.at(0).toString(), account.token);
    QCOMPARE(values.at(1).toString(), account.tokenSecret);
    QCOMPARE(values.at(2).toString(), account.userId);
    QCOMPARE(values.at(3).toString(), QStringLiteral("Alice"));
    QCOMPARE(values.at(4).toString(), QStringLiteral(ZIRRUP_CONSUMER_KEY));
    QCOMPARE(values.at(5).toString(), QStringLiteral(ZIRRUP_CONSUMER_SECRET));
    QCOMPARE(Zr::serviceUrl(), m_sandbox->baseUrl());

    // The token works until signing out revokes it and forgets the account.
    ApiClient api(m_sandbox->baseUrl());
    api.setAccount({account.token.toLatin1(), account.tokenSecret.toLatin1(), account.userId,
                    account.screenName});
    const QString verify = QStringLiteral("/1/account/verify_credentials.json");
    QCOMPARE(api.get(verify).at(QStringLiteral("id_str")).toString(), account.userId);
    QSignalSpy removed(login, &ZrPlatform::ZrLoginHandler::accountRemoved);
    login->invalidateAccount();
    QTRY_COMPARE(removed.count(), 1);
    QVERIFY(!login->accountExists());
    // The revocation goes out after the account is gone.
    QTRY_COMPARE_WITH_TIMEOUT(api.get(verify).error(),
                              QStringLiteral("Could not authenticate with OAuth."), 15000);
}

void TestIntegrationSignIn::refusedSignIns()
{
    struct Case
    {
        QString user;
        QString password;
        ZrMeego::SignInExchange::Failure failure;
        QString serviceMessage;
    };
    const QList<Case> cases {
        {QStringLiteral("alice"), QStringLiteral("wrong"),
         ZrMeego::SignInExchange::WrongCredentials,
         QStringLiteral("Invalid user name or password.")},
        {QStringLiteral("nobody"), QStringLiteral("x"), ZrMeego::SignInExchange::WrongCredentials,
         QStringLiteral("Invalid user name or password.")},
        {QStringLiteral("gone"), QStringLiteral("secret"), ZrMeego::SignInExchange::AccountDeleted,
         QStringLiteral("User has been deleted")},
    };
    for (const Case &c : cases) {
        ZrMeego::SignInExchange signIn;
        QSignalSpy succeeded(&signIn, &ZrMeego::SignInExchange::succeeded);
        QSignalSpy failed(&signIn, &ZrMeego::SignInExchange::failed);
        signIn.start(m_sandbox->baseUrl(), c.user, c.password);
        QVERIFY2(failed.wait(10000), qPrintable(c.user));
        QCOMPARE(succeeded.count(), 0);
        QCOMPARE(failed.first().at(0).value<ZrMeego::SignInExchange::Failure>(), c.failure);
        QCOMPARE(failed.first().at(2).toString(), c.serviceMessage);
    }
}

// A token the service no longer knows is reported as rejected credentials, not as a network
// problem, so the program asks for a new sign-in.
void TestIntegrationSignIn::revokedTokenIsRejected()
{
    ZrMeego::Account account = exchange(QStringLiteral("Alice"), QStringLiteral("wonder land"));
    QVERIFY(!account.token.isEmpty());
    account.token += QLatin1String("x");

    std::unique_ptr<ZrPlatform::ZrPlatformFactory> factory(ZrMeego::ZrFactoryMeego::getInstance());
    auto *meego = static_cast<ZrMeego::ZrFactoryMeego *>(factory.get());
    QVERIFY(meego->accountStore()->storeAccount(account));
    ZrPlatform::ZrLoginHandler *login = factory->loginHandler();
    QSignalSpy response(login, &ZrPlatform::ZrLoginHandler::loginResponse);
    QSignalSpy error(login, &ZrPlatform::ZrLoginHandler::loginError);
    login->login(false, true);
    QVERIFY(error.wait(10000));
    QCOMPARE(response.count(), 0);
    QCOMPARE(error.first().at(0).value<ZrLoginError::ZrLoginError>(),
             ZrLoginError::CredentialsRejected);
    QCOMPARE(error.first().at(1).toString(), QStringLiteral("Could not authenticate with OAuth."));
    meego->accountStore()->removeAccount();
}

QTEST_GUILESS_MAIN(TestIntegrationSignIn)
#include "tst_integration_signin.moc"
