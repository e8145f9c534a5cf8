#include "accountstore.h"
#include "desktoploginhandler.h"
#include "fakeserver.h"
#include "helper.h"
#include "jsonrows.h"
#include "signinexchange.h"
#include "testaccount.h"
#include "zrfactorymeego.h"

#include <QProcess>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

using ZrMeego::AccountStore;
using ZrMeego::DesktopLoginHandler;
using ZrMeego::SignInExchange;
using ZrMeego::ZrFactoryMeego;

namespace {

const QString Data = QStringLiteral(ZIRRUP_TEST_DATA_DIR "/data/signin.json");
const QByteArray tokens = R"({"oauth_token": "1843-6c0f", "oauth_token_secret": "b7e1",
                               "user_id": "1843", "screen_name": "demo"})";
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

// Against canned answers, what the sandbox cannot give: refusals, damaged answers, no answer.
// Trading a user name and password for a token pair (in the library and in zirrup-signin), then
// checking the stored token with the login object; the account window driven through its QML
// objects as a person would.
class TestSignInExchange : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
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

    void windowExplainsFailuresThenStoresTheAccount()
    {
        DesktopLoginHandler *login = m_factory->desktopLoginHandler();
        QSignalSpy added(login, &DesktopLoginHandler::accountAdded);
        QSignalSpy closed(m_helper.get(), &Helper::accountWindowClosed);
        QVERIFY(openWindow());
        QVERIFY(item("signInForm")->isVisible());
        QCOMPARE(text("serviceField"), m_server->baseUrl().toString());
        // Hidden password, and nothing to send until both fields are filled.
        QCOMPARE(item("passwordField")->property("echoMode").toInt(), 2);
        QVERIFY(!item("signInButton")->isEnabled());

        // A refusal is explained, and the form is ready for the next try.
        answer(401, R"({"error": "Invalid user name or password."})");
        signIn(QStringLiteral("wrong"));
        QTRY_VERIFY(item("errorText")->isVisible());
        QVERIFY2(text("errorText").contains("Wrong user name or password."),
                 qPrintable(text("errorText")));
        QTRY_VERIFY(item("signInButton")->isEnabled());
        item("serviceField")->setProperty("text", m_server->baseUrl().toString());
        answer(200, tokens, HttpResponse::Held);
        signIn(QStringLiteral("hunter2-pw"));
        QTRY_COMPARE(m_server->heldCount(), 1);
        QVERIFY(item("busyIndicator")->property("running").toBool());
        QVERIFY(!item("signInButton")->isEnabled());
        QVERIFY(!item("errorText")->isVisible());
        m_server->release();
        QTRY_COMPARE(closed.count(), 1);
        QCOMPARE(added.count(), 1);
        QCOMPARE(login->accountStore()->account().screenName, QStringLiteral("demo"));
        QVERIFY(!fileText(login->accountStore()->filePath()).contains("hunter2"));
        QTRY_VERIFY(!m_helper->accountWindow());

        // Only our own service has an account window.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no account window for service"));
        m_helper->createAccount(Helper::NONE, nullptr);
        QVERIFY(!m_helper->accountWindow());
    }

    void signedInWindowSignsOutAndCloses()
    {
        DesktopLoginHandler *login = m_factory->desktopLoginHandler();
        QVERIFY(login->accountStore()->storeAccount(testAccount(m_server->baseUrl())));
        QSignalSpy removed(login, &DesktopLoginHandler::accountRemoved);
        QSignalSpy state(login, &DesktopLoginHandler::accountStateChanged);

        QVERIFY(openWindow());
        QVERIFY(item("accountView")->isVisible());
        QVERIFY(text("accountName").contains(QLatin1String("@demo")));
        click("enabledBox");
        QCOMPARE(state.count(), 1);
        QVERIFY(!login->accountEnabled(0));

        click("signOutButton");
        QCOMPARE(removed.count(), 1);
        // The token is revoked with the service.
        QTRY_COMPARE(m_server->requestCount(), 1);
        // The window turns into the sign-in form.
        QTRY_VERIFY(item("signInForm")->isVisible());
        QVERIFY(!item("accountView")->isVisible());
        // A second call while open brings the same window forward.
        QQuickWindow *window = m_window;
        m_helper->createAccount(Helper::ZIRRUP, nullptr);
        QCOMPARE(m_helper->accountWindow(), window);

        // Cancel during a running sign-in: it stops, nothing is stored.
        QSignalSpy closed(m_helper.get(), &Helper::accountWindowClosed);
        answer(200, tokens, HttpResponse::Held);
        signIn(QStringLiteral("hunter2-pw"));
        QTRY_COMPARE(m_server->heldCount(), 1);
        click("cancelButton");
        QTRY_COMPARE(closed.count(), 1);
        m_server->release();
        QTRY_VERIFY(!m_helper->accountWindow());
        QCoreApplication::processEvents();
        QVERIFY(!login->accountExists());

        // Escape closes it too.
        QVERIFY(openWindow());
        m_window->requestActivate();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        QTest::keyClick(m_window, Qt::Key_Escape);
        QTRY_COMPARE(closed.count(), 2);
        QTRY_VERIFY(!m_helper->accountWindow());
    }

private:
    QQuickWindow *openWindow()
    {
        qputenv("ZIRRUP_SERVICE_URL", m_server->baseUrl().toString().toUtf8());
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

    void signIn(const QString &password)
    {
        item("userField")->setProperty("text", QStringLiteral("demo"));
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
    // it comes. The error's type and text, or "response".
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
            return {QStringLiteral("response")};
        const auto type = errors.first().value(0).value<ZrLoginError::ZrLoginError>();
        return {
            QString::fromLatin1(QMetaEnum::fromType<ZrLoginError::ZrLoginError>().valueToKey(type)),
            errors.first().value(1).toString()};
    }

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
