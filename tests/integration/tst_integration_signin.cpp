// Signing in for real: the sign-in exchange, the account store and the login object of the
// desktop platform against a running zirrup-sandbox, which checks every request's signature.
#include "apiclient.h"
#include "sandboxprocess.h"

#include "accountstore.h"
#include "signinexchange.h"
#include "zirrup.h"
#include "zrfactorymeego.h"
#include "zrloginhandler.h"

#include <QtTest>

#include <memory>

using ZrMeego::SignInExchange;

namespace {
// Characters that form encoding and signing must both escape.
const QString password = QStringLiteral("p&ss word+=%41");
} // namespace

class TestIntegrationSignIn : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        m_sandbox = std::make_unique<SandboxProcess>(QStringList {"--user", "Alice:" + password});
        QVERIFY2(m_sandbox->start(), qPrintable(m_sandbox->errorString()));
    }

    void signInStoreLoginAndSignOut()
    {
        // The name as people type it, the address with a slash.
        const QUrl base = m_sandbox->baseUrl();
        SignInExchange signIn;
        QSignalSpy succeeded(&signIn, &SignInExchange::succeeded);
        signIn.start(QUrl(base.toString() + QStringLiteral("/")), QStringLiteral(" @alice "),
                     password);
        QVERIFY(succeeded.wait(10000));
        const ZrMeego::Account account = succeeded.first().first().value<ZrMeego::Account>();
        QCOMPARE(
            QStringList({account.serviceUrl.toString(), account.screenName, account.consumerKey,
                         account.consumerSecret}),
            QStringList({base.toString(), "Alice", ZIRRUP_CONSUMER_KEY, ZIRRUP_CONSUMER_SECRET}));
        QVERIFY(!account.userId.isEmpty() && account.hasTokens() && account.enabled);

        std::unique_ptr<ZrPlatform::ZrPlatformFactory> factory(
            ZrMeego::ZrFactoryMeego::getInstance());
        auto *meego = static_cast<ZrMeego::ZrFactoryMeego *>(factory.get());
        ZrPlatform::ZrLoginHandler *login = factory->loginHandler();
        QVERIFY(!login->accountExists());

        // Stored with another letter case and address than the service's: the address in the
        // environment wins, and the service's letter case is kept.
        QSignalSpy added(login, &ZrPlatform::ZrLoginHandler::accountAdded);
        ZrMeego::Account stored = account;
        stored.screenName = QStringLiteral("alice");
        stored.serviceUrl = QUrl(QStringLiteral("http://127.0.0.1:1"));
        QVERIFY(meego->accountStore()->storeAccount(stored));
        QTRY_COMPARE(added.count(), 1);
        QVERIFY(login->accountEnabled(0));
        qputenv("ZIRRUP_SERVICE_URL", base.toString().toUtf8() + "/");
        Zr::setServiceUrl(stored.serviceUrl);

        QSignalSpy response(login, &ZrPlatform::ZrLoginHandler::loginResponse);
        QSignalSpy error(login, &ZrPlatform::ZrLoginHandler::loginError);
        login->login(false, true);
        QVERIFY(response.wait(10000));
        QCOMPARE(error.count(), 0);
        QCOMPARE(QVariant(response.first()).toStringList(),
                 QStringList({account.token, account.tokenSecret, account.userId, "Alice",
                              account.consumerKey, account.consumerSecret}));
        QCOMPARE(meego->accountStore()->account().screenName, QStringLiteral("Alice"));
        // The backend goes where the login went.
        QCOMPARE(Zr::serviceUrl(), base);

        // The token works until signing out revokes it and forgets the account.
        ApiClient api(base);
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
        qunsetenv("ZIRRUP_SERVICE_URL");
    }

private:
    std::unique_ptr<SandboxProcess> m_sandbox;
};

QTEST_GUILESS_MAIN(TestIntegrationSignIn)
#include "tst_integration_signin.moc"
