#include "accountstore.h"
#include "apiclient.h"
#include "desktoploginhandler.h"
#include "fakeserver.h"
#include "helper.h"
#include "jsonrows.h"
#include "platformtest.h"
#include "sandboxprocess.h"
#include "signinexchange.h"
#include "zirrup.h"
#include "zrfactorymeego.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QtTest>

using ZrMeego::Account;
using ZrMeego::AccountStore;
using ZrMeego::DesktopLoginHandler;
using ZrMeego::SignInExchange;
using ZrMeego::ZrFactoryMeego;

namespace {

const QString Data = QStringLiteral(ZIRRUP_TEST_DATA_DIR "/data/signin.json");
const QByteArray tokens = R"({"oauth_token": "1843-6c0f", "oauth_token_secret": "b7e1",
                               "user_id": "1843", "screen_name": "demo"})";
// Characters that form encoding and signing must both escape.
const QString password = QStringLiteral("p&ss word+=%41");

// The failure a spy saw last, by its name.
QString failureOf(const QSignalSpy &failed)
{
    return QString::fromLatin1(QMetaEnum::fromType<SignInExchange::Failure>().valueToKey(
        failed.last().value(0).value<SignInExchange::Failure>()));
}

// Nothing listens on the loopback's port 1.
const QUrl closedUrl(QStringLiteral("http://127.0.0.1:1"));

} // namespace

// Trading a user name and password for a token pair (in the library, in zirrup-signin and in the
// account window, driven through its QML objects as a person would), then checking the stored
// token with the login object and revoking it. Against canned answers, what the sandbox cannot
// give: refusals, damaged answers, no answer; the rest against a running zirrup-sandbox, which
// checks every request's signature.
class TestSignInExchange : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        m_sandbox = std::make_unique<SandboxProcess>(QStringList {"--user", "Alice:" + password});
        QVERIFY2(m_sandbox->start(), qPrintable(m_sandbox->errorString()));
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
        // The failures read as the English catalogue words them.
        QVERIFY(m_english.load(QStringLiteral(":/common_en.qm")));
        QCoreApplication::installTranslator(&m_english);
    }

    void init()
    {
        m_server = std::make_unique<FakeServer>();
        m_dir = std::make_unique<QTemporaryDir>();
        m_store = std::make_unique<AccountStore>(m_dir->filePath("account.json"), nullptr);
        QVERIFY(m_store->storeAccount(testAccount(m_server->baseUrl())));
        QFile::remove(AccountStore::defaultFilePath());
        m_factory = std::make_unique<ZrFactoryMeego>();
        m_helper = std::make_unique<Helper>();
    }

    void cleanup()
    {
        m_helper.reset();
        m_factory.reset();
        m_window = nullptr;
        qunsetenv("ZIRRUP_SERVICE_URL");
    }

    // Refusals and damaged answers of the service, and input refused before anything is sent.
    void failuresAreNamed_data() { addJsonRows(Data, "failures"); }
    void failuresAreNamed()
    {
        QFETCH(const QVariantMap, row);
        SignInExchange exchange;
        QSignalSpy succeeded(&exchange, &SignInExchange::succeeded);
        QSignalSpy failed(&exchange, &SignInExchange::failed);
        exchange.setTimeout(300);
        answer(row);
        const QUrl url = row.contains("url") ? QUrl(row["url"].toString()) : m_server->baseUrl();
        exchange.start(url, row.value("user", "demo").toString(),
                       row.value("password", password).toString());
        QCOMPARE(failed.count(), 0); // only after start() has returned
        QVERIFY(failed.wait());
        QCOMPARE(succeeded.count(), 0);
        QCOMPARE(failed.count(), 1);
        QCOMPARE(failureOf(failed), row["failure"].toString());
        QCOMPARE(failed.first().value(2).toString(), row["message"].toString());
        // In the English catalogue's words.
        QVERIFY(failed.first().value(1).toString().contains(row["shown"].toString()));
        // The password travels in the body only, never in the address.
        QStringList sent;
        for (const HttpRequest &request : m_server->requests())
            sent.append(request.url.toString(QUrl::RemoveScheme | QUrl::RemoveAuthority));
        QCOMPARE(sent,
                 row.contains("status") ? QStringList {"/oauth/access_token"} : QStringList());
    }

    void serviceAddressFromText_data() { addJsonRows(Data, "serviceAddress"); }
    void serviceAddressFromText()
    {
        QFETCH(QVariantMap, row);
        QCOMPARE(SignInExchange::serviceUrlFromText(row["text"].toString()),
                 QUrl(row["url"].toString()));
    }

    void busyAndAborted()
    {
        SignInExchange exchange;
        QSignalSpy succeeded(&exchange, &SignInExchange::succeeded);
        QSignalSpy failed(&exchange, &SignInExchange::failed);
        // One exchange at a time.
        answer(200, tokens, HttpResponse::Held);
        exchange.start(m_server->baseUrl(), QStringLiteral("demo"), password);
        QVERIFY(exchange.isRunning());
        QTRY_COMPARE(m_server->heldCount(), 1);
        exchange.start(m_server->baseUrl(), QStringLiteral("other"), password);
        QVERIFY(failed.wait());
        QCOMPARE(failureOf(failed), QStringLiteral("Busy"));
        QVERIFY(exchange.isRunning());
        m_server->release();
        QVERIFY(succeeded.wait());
        QVERIFY(!exchange.isRunning());
        QCOMPARE(failed.count(), 1);
        QCOMPARE(m_server->requestCount(), 1);

        // An aborted exchange says nothing at all.
        exchange.start(m_server->baseUrl(), QStringLiteral("demo"), password);
        QTRY_COMPARE(m_server->heldCount(), 1);
        exchange.abort();
        QVERIFY(!exchange.isRunning());
        m_server->release();
        QCoreApplication::processEvents();
        QCOMPARE(succeeded.count(), 1);
        QCOMPARE(failed.count(), 1);
    }

    void toolReportsFailures_data() { addJsonRows(Data, "tool"); }
    void toolReportsFailures()
    {
        // Success is the smoke test's every signed-in session; here the ways it fails.
        QFETCH(QVariantMap, row);
        QTemporaryDir home;
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
        environment.remove(QStringLiteral("ZIRRUP_SERVICE_URL"));
        tool.setProcessEnvironment(environment);
        QStringList arguments = row["args"].toStringList();
        arguments.replaceInStrings(QStringLiteral("SERVICE"), m_server->baseUrl().toString());
        answer(401, R"({"error": "Invalid user name or password."})");
        tool.start(QStringLiteral(ZIRRUP_BINARY_DIR "/platform/integration/tools/zirrup-signin"),
                   arguments);
        tool.write(row["input"].toByteArray());
        tool.closeWriteChannel();
        // The event loop runs meanwhile: the canned server lives in this process.
        QSignalSpy finished(&tool, &QProcess::finished);
        QVERIFY(finished.wait(20000));
        QCOMPARE(tool.exitCode(), row["exit"].toInt());
        QVERIFY(tool.readAllStandardError().contains(row["error"].toByteArray()));
        // Usage errors send nothing.
        QCOMPARE(m_server->requestCount(), row["exit"].toInt() == 1 ? 1 : 0);
        QVERIFY(!QFile::exists(home.filePath(QStringLiteral("zirrup/account.json"))));
    }

    // The login object's token check: what each answer becomes. None costs the account:
    // deciding about it is the program's business.
    void loginAnswersMapToErrorTypes_data() { addJsonRows(Data, "loginAnswers"); }
    void loginAnswersMapToErrorTypes()
    {
        QFETCH(QVariantMap, row);
        if (row["status"] == "refused")
            QVERIFY(m_store->storeAccount(testAccount(closedUrl)));
        answer(row);
        DesktopLoginHandler handler(m_store.get());
        handler.setRequestTimeout(300);
        QSignalSpy removed(&handler, &DesktopLoginHandler::accountRemoved);
        const QStringList error = runLogin(handler);
        QCOMPARE(error.value(0), row["type"].toString());
        // Without the service's text, our own description.
        QVERIFY(row.contains("text") ? error.value(1) == row["text"].toString()
                                     : !error.value(1).isEmpty());
        QVERIFY(m_store->hasAccount());
        QCOMPARE(removed.count(), 0);
        m_server->release();
    }

    // Each change of the store reaches the login object once; without an account, or with it
    // disabled, a login ends in NoAccount and nothing goes to the service.
    void accountChangesAndLoginWithoutAnAccount()
    {
        DesktopLoginHandler handler(m_store.get());
        QSignalSpy added(&handler, &DesktopLoginHandler::accountAdded);
        QSignalSpy removed(&handler, &DesktopLoginHandler::accountRemoved);
        QSignalSpy state(&handler, &DesktopLoginHandler::accountStateChanged);
        // Bookkeeping is no change of account.
        QVERIFY(m_store->setLastId(QStringLiteral("42")));
        QVERIFY(m_store->setScreenName(QStringLiteral("Demo")));

        QVERIFY(handler.setAccountEnabled(false));
        QVERIFY(handler.setAccountEnabled(false));
        QCOMPARE(state.count(), 1);
        QCOMPARE(state.first().value(0).value<ZrServiceType::Servicetype>(), ZrServiceType::Zirrup);
        QCOMPARE(state.first().value(1).toBool(), false);
        QVERIFY(!AccountStore(m_store->filePath(), nullptr).account().enabled);
        QVERIFY(!handler.accountEnabled(0));
        QCOMPARE(runLogin(handler).value(0), QStringLiteral("NoAccount"));
        QVERIFY(handler.setAccountEnabled(true));
        QVERIFY(handler.accountEnabled(0));
        QVERIFY(!handler.accountEnabled(1));

        // A new token for the same user is a new session; another user ends the old one first.
        // Neither changes the enabled flag.
        QVERIFY(m_store->storeAccount(testAccount(m_server->baseUrl(), "1843", "new")));
        QCOMPARE(QList<qsizetype>({added.count(), removed.count()}), QList<qsizetype>({1, 0}));
        QVERIFY(m_store->storeAccount(testAccount(closedUrl, "1844", "other")));
        QCOMPARE(QList<qsizetype>({added.count(), removed.count()}), QList<qsizetype>({2, 1}));
        QCOMPARE(state.count(), 2);
        // An unreachable service does not keep the account alive.
        handler.invalidateAccount();
        QCOMPARE(removed.count(), 2);
        QVERIFY(!handler.accountExists());

        // Changes without an account are refused; invalidating nothing is harmless and silent.
        QVERIFY(!m_store->setEnabled(true));
        QVERIFY(!m_store->setLastId(QStringLiteral("7")));
        QCOMPARE(runLogin(handler).value(0), QStringLiteral("NoAccount"));
        handler.invalidateAccount();
        QCOMPARE(removed.count(), 2);
        QCOMPARE(m_server->requestCount(), 0);
    }

    // Against the sandbox: the account window signs in, the login object checks the stored
    // token, and signing out in the window revokes it.
    void windowSignsInLogsInAndSignsOut()
    {
        const QUrl base = m_sandbox->baseUrl();
        DesktopLoginHandler *login = m_factory->desktopLoginHandler();
        AccountStore *store = login->accountStore();
        QSignalSpy closed(m_helper.get(), &Helper::accountWindowClosed);
        // The address with a slash, as people type it.
        QVERIFY(openWindow(base.toString() + QLatin1Char('/')));
        // Hidden password, and nothing to send until both fields are filled.
        QCOMPARE(item("passwordField")->property("echoMode").toInt(), 2);
        QVERIFY(!item("signInButton")->isEnabled());

        // A refusal is explained, and the form is ready for the next try.
        signIn(QStringLiteral("alice"), QStringLiteral("wrong"));
        QTRY_VERIFY(item("errorText")->isVisible());
        QVERIFY2(text("errorText").contains("Wrong user name or password."),
                 qPrintable(text("errorText")));
        QTRY_VERIFY(item("signInButton")->isEnabled());
        // The name as people type it; busy until the service answers.
        signIn(QStringLiteral(" @alice "), password);
        QVERIFY(item("busyIndicator")->property("running").toBool());
        QVERIFY(!item("signInButton")->isEnabled());
        QVERIFY(!item("errorText")->isVisible());
        QTRY_COMPARE(closed.count(), 1);
        const Account account = store->account();
        QCOMPARE(
            QStringList({account.serviceUrl.toString(), account.screenName, account.consumerKey,
                         account.consumerSecret}),
            QStringList({base.toString(), "Alice", ZIRRUP_CONSUMER_KEY, ZIRRUP_CONSUMER_SECRET}));
        QVERIFY(!fileText(store->filePath()).contains(password.toUtf8()));
        QTRY_VERIFY(!m_helper->accountWindow());

        // Stored with another letter case and address than the service's: the address in the
        // environment wins, for the backend too, and the service's letter case is kept.
        Account stored = account;
        stored.screenName = QStringLiteral("alice");
        stored.serviceUrl = closedUrl;
        QVERIFY(store->storeAccount(stored));
        Zr::setServiceUrl(closedUrl);
        QCOMPARE(runLogin(*login),
                 QStringList({account.token, account.tokenSecret, account.userId, "Alice",
                              account.consumerKey, account.consumerSecret}));
        QCOMPARE(store->account().screenName, QStringLiteral("Alice"));
        QCOMPARE(Zr::serviceUrl(), base);

        QSignalSpy removed(login, &DesktopLoginHandler::accountRemoved);
        QSignalSpy state(login, &DesktopLoginHandler::accountStateChanged);
        QVERIFY(openWindow(base.toString()));
        QVERIFY(item("accountView")->isVisible());
        QVERIFY(text("accountName").contains(QLatin1String("@Alice")));
        click("enabledBox");
        QCOMPARE(state.count(), 1);
        QVERIFY(!login->accountEnabled(0));
        click("signOutButton");
        QCOMPARE(removed.count(), 1);
        // The token, which worked for the login, is revoked with the service.
        ApiClient api(base);
        api.setAccount({account.token.toLatin1(), account.tokenSecret.toLatin1(), account.userId,
                        account.screenName});
        QTRY_COMPARE_WITH_TIMEOUT(
            api.get(QStringLiteral("/1/account/verify_credentials.json")).error(),
            QStringLiteral("Could not authenticate with OAuth."), 15000);
        // The window turns into the sign-in form; a second call while open brings it forward.
        QTRY_VERIFY(item("signInForm")->isVisible());
        QVERIFY(!item("accountView")->isVisible());
        QQuickWindow *window = m_window;
        m_helper->createAccount(Helper::ZIRRUP, nullptr);
        QCOMPARE(m_helper->accountWindow(), window);
    }

    // Cancel during a running sign-in stops it and stores nothing; Escape closes the window too.
    void windowCancelsAndCloses()
    {
        QSignalSpy closed(m_helper.get(), &Helper::accountWindowClosed);
        QVERIFY(openWindow(m_server->baseUrl().toString()));
        answer(200, tokens, HttpResponse::Held);
        signIn(QStringLiteral("demo"), password);
        QTRY_COMPARE(m_server->heldCount(), 1);
        click("cancelButton");
        QTRY_COMPARE(closed.count(), 1);
        m_server->release();
        QTRY_VERIFY(!m_helper->accountWindow());
        QCoreApplication::processEvents();
        QVERIFY(!m_factory->desktopLoginHandler()->accountExists());

        QVERIFY(openWindow(m_server->baseUrl().toString()));
        m_window->requestActivate();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        QTest::keyClick(m_window, Qt::Key_Escape);
        QTRY_COMPARE(closed.count(), 2);
        QTRY_VERIFY(!m_helper->accountWindow());

        // Only our own service has an account window.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no account window for service"));
        m_helper->createAccount(Helper::NONE, nullptr);
        QVERIFY(!m_helper->accountWindow());
    }

private:
    QQuickWindow *openWindow(const QString &serviceUrl)
    {
        qputenv("ZIRRUP_SERVICE_URL", serviceUrl.toUtf8());
        m_helper->createAccount(Helper::ZIRRUP, nullptr);
        m_window = m_helper->accountWindow();
        return m_window && QTest::qWaitForWindowExposed(m_window) ? m_window : nullptr;
    }

    QQuickItem *item(const char *name) const
    {
        return m_window ? m_window->findChild<QQuickItem *>(QLatin1String(name)) : nullptr;
    }

    QString text(const char *name) const { return item(name)->property("text").toString(); }
    void click(const char *name)
    {
        QQuickItem *target = item(name);
        QVERIFY2(target && target->isVisible() && target->isEnabled(), name);
        const QPointF centre(target->width() / 2, target->height() / 2);
        QTest::mouseClick(m_window, Qt::LeftButton, Qt::NoModifier,
                          target->mapToScene(centre).toPoint());
    }

    void signIn(const QString &user, const QString &password)
    {
        item("userField")->setProperty("text", user);
        item("passwordField")->setProperty("text", password);
        click("signInButton");
    }

    // Every request gets this answer; a held one waits for release().
    void answer(int status, const QByteArray &body,
                HttpResponse::Mode mode = HttpResponse::Complete)
    {
        HttpResponse response = HttpResponse::json(body, status);
        response.mode = mode;
        m_server->setHandler([response](const HttpRequest &) { return response; });
    }

    // The answer a table row names: its status and body, or none at all.
    void answer(const QVariantMap &row)
    {
        const bool held = row.value("status") == QLatin1String("no answer");
        answer(held ? 200 : row.value("status").toInt(), row.value("body").toByteArray(),
               held ? HttpResponse::Held : HttpResponse::Complete);
    }

    // Runs one login: exactly one answer, never synchronously, so the caller's state is set before
    // it comes. The error's type and text, or what the response says.
    QStringList runLogin(DesktopLoginHandler &handler)
    {
        QSignalSpy responses(&handler, &DesktopLoginHandler::loginResponse);
        QSignalSpy errors(&handler, &DesktopLoginHandler::loginError);
        handler.login(false, true);
        const auto answers = [&] { return responses.count() + errors.count(); };
        if (answers() > 0 || !QTest::qWaitFor([&] { return answers() > 0; }))
            return {QStringLiteral("not one later answer")};
        QCoreApplication::processEvents();
        if (answers() > 1)
            return {QStringLiteral("more than one answer")};
        if (errors.isEmpty())
            return QVariant(responses.first()).toStringList();
        const auto type = errors.first().value(0).value<ZrLoginError::ZrLoginError>();
        return {
            QString::fromLatin1(QMetaEnum::fromType<ZrLoginError::ZrLoginError>().valueToKey(type)),
            errors.first().value(1).toString()};
    }

    std::unique_ptr<SandboxProcess> m_sandbox;
    std::unique_ptr<FakeServer> m_server;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AccountStore> m_store;
    std::unique_ptr<ZrFactoryMeego> m_factory;
    std::unique_ptr<Helper> m_helper;
    QQuickWindow *m_window = nullptr;
    QTranslator m_english;
};

QTEST_MAIN(TestSignInExchange)
#include "tst_signinexchange.moc"
