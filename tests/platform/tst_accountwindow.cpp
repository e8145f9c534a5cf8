#include "accountstore.h"
#include "cannedhttpserver.h"
#include "desktoploginhandler.h"
#include "helper.h"
#include "testaccount.h"
#include "zrfactorymeego.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QSignalSpy>
#include <QTranslator>
#include <QtTest>

using ZrMeego::DesktopLoginHandler;
using ZrMeego::ZrFactoryMeego;

namespace {
const CannedResponse heldTokens {200, R"({"oauth_token": "1843-6c0f", "oauth_token_secret": "b7e1",
                                         "user_id": "1843", "screen_name": "demo"})",
                                 true};
} // namespace

// The account window, driven through its QML objects as a person would.
class TestAccountWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
        QVERIFY(m_english.load(QStringLiteral(":/common_en.qm")));
        QCoreApplication::installTranslator(&m_english);
    }

    void init()
    {
        QFile::remove(ZrMeego::AccountStore::defaultFilePath());
        m_server = std::make_unique<CannedHttpServer>();
        QVERIFY(m_server->listen());
        qputenv("ZIRRUP_SERVICE_URL", m_server->url().toString().toUtf8());
        m_factory = std::make_unique<ZrFactoryMeego>();
        m_helper = std::make_unique<Helper>();
    }

    void cleanup()
    {
        m_helper.reset();
        m_factory.reset();
        m_server.reset();
        m_window = nullptr;
        qunsetenv("ZIRRUP_SERVICE_URL");
    }

    void failuresAreExplainedThenTheAccountIsStored()
    {
        DesktopLoginHandler *login = m_factory->desktopLoginHandler();
        QSignalSpy added(login, &DesktopLoginHandler::accountAdded);
        QSignalSpy closed(m_helper.get(), &Helper::accountWindowClosed);
        QVERIFY(openWindow());
        QVERIFY(item("signInForm")->isVisible());
        QCOMPARE(text("serviceField"), m_server->url().toString());
        // Hidden password, and nothing to send until both fields are filled.
        QCOMPARE(item("passwordField")->property("echoMode").toInt(), 2);
        QVERIFY(!item("signInButton")->isEnabled());

        // A refusal is explained, and the form is ready for the next try.
        m_server->enqueueJson(401, R"({"error": "Invalid user name or password."})");
        signIn(QStringLiteral("wrong"));
        QTRY_VERIFY(item("errorText")->isVisible());
        QVERIFY2(text("errorText").contains("Wrong user name or password."),
                 qPrintable(text("errorText")));
        QTRY_VERIFY(item("signInButton")->isEnabled());
        item("serviceField")->setProperty("text", m_server->url().toString());
        m_server->enqueue(heldTokens);
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

    void signedInWindowSignsOut()
    {
        DesktopLoginHandler *login = m_factory->desktopLoginHandler();
        QVERIFY(login->accountStore()->storeAccount(testAccount(m_server->url())));
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
        // The window turns into the sign-in form.
        QTRY_VERIFY(item("signInForm")->isVisible());
        QVERIFY(!item("accountView")->isVisible());
        // A second call while open brings the same window forward.
        QQuickWindow *window = m_window;
        m_helper->createAccount(Helper::ZIRRUP, nullptr);
        QCOMPARE(m_helper->accountWindow(), window);
    }

    void escapeAndCancelClose()
    {
        QSignalSpy closed(m_helper.get(), &Helper::accountWindowClosed);
        QVERIFY(openWindow());
        m_window->requestActivate();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        QTest::keyClick(m_window, Qt::Key_Escape);
        QTRY_COMPARE(closed.count(), 1);
        QTRY_VERIFY(!m_helper->accountWindow());

        // Cancel during a running sign-in: it stops, nothing is stored.
        QVERIFY(openWindow());
        m_server->enqueue(heldTokens);
        signIn(QStringLiteral("hunter2-pw"));
        QTRY_COMPARE(m_server->heldCount(), 1);
        click("cancelButton");
        QTRY_COMPARE(closed.count(), 2);
        m_server->release();
        QTRY_VERIFY(!m_helper->accountWindow());
        QCoreApplication::processEvents();
        QVERIFY(!m_factory->desktopLoginHandler()->accountExists());
    }

private:
    QQuickWindow *openWindow()
    {
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

    std::unique_ptr<ZrFactoryMeego> m_factory;
    std::unique_ptr<Helper> m_helper;
    std::unique_ptr<CannedHttpServer> m_server;
    QQuickWindow *m_window = nullptr;
    QTranslator m_english;
};

QTEST_MAIN(TestAccountWindow)
#include "tst_accountwindow.moc"
