#include "desktoplaunchrequests.h"
#include "desktopnotificationhandler.h"
#include "jsonrows.h"
#include "keychainsecretstore.h"
#include "platformtest.h"
#include "zrfactorymeego.h"

#include <QtDBus>
#include <QtTest>

using ZrMeego::DesktopLaunchRequests;
using ZrMeego::DesktopNotificationHandler;
using ZrMeego::ZrFactoryMeego;

namespace {
const QString Data = QStringLiteral(ZIRRUP_TEST_DATA_DIR "/data/launch.json");

// Runs a helper program while this process keeps serving the bus; its exit code.
int run(const QByteArray &program, const QStringList &arguments)
{
    QProcess process;
    QSignalSpy finished(&process, &QProcess::finished);
    process.start(QLatin1String(ZIRRUP_BINARY_DIR) + QString::fromUtf8(program), arguments);
    return finished.wait(20000) ? process.exitCode() : -1;
}
const char *const LaunchTool = "/platform/integration/tools/zirrup-launch";

} // namespace

// A notification service that records what it is asked: "replaced id: summary | body | actions".
class FakeNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList notified;
    QList<uint> closed;

public Q_SLOTS:
    uint Notify(const QString &, uint replacesId, const QString &, const QString &summary,
                const QString &body, const QStringList &actions, const QVariantMap &, int)
    {
        notified.append(QStringLiteral("%1: %2 | %3 | %4")
                            .arg(QString::number(replacesId), summary, body, actions.join(',')));
        return replacesId ? replacesId : m_nextId++;
    }
    void CloseNotification(uint id) { closed.append(id); }

private:
    uint m_nextId = 7;
};

// Launch requests, the single instance, notifications and the keyring over a private session
// bus.
class TestPlatformBus : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // Notifications read as the English catalogue words them.
        QVERIFY(m_english.load(QStringLiteral(":/common_en.qm")));
        QCoreApplication::installTranslator(&m_english);
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            QSKIP("dbus-daemon is not installed");
        // A bus that starts nothing: no keyring or notification service of the machine's is found.
        m_daemon.start(daemon,
                       {"--config-file=" ZIRRUP_TEST_DATA_DIR "/data/session-bus.conf", "--nofork",
                        "--print-address=1"});
        QVERIFY(m_daemon.waitForStarted());
        while (!m_daemon.canReadLine()) {
            if (!m_daemon.waitForReadyRead(10000))
                QFAIL(m_daemon.readAllStandardError().constData());
        }
        m_address = QString::fromUtf8(m_daemon.readLine().trimmed());
        // Nothing has touched the session bus yet, so this is the one every part of the process
        // (the keyring library too, and every helper started from it) will use.
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_address.toUtf8());
        qputenv("XDG_CURRENT_DESKTOP", "GNOME");
        QVERIFY(QDBusConnection::sessionBus().isConnected());

        // Nobody runs yet: the probe would be the instance.
        QCOMPARE(run("/tests/platform/handoffprobe", {"8"}), 3);
        m_factory = std::make_unique<ZrFactoryMeego>();
        auto *requests = qobject_cast<DesktopLaunchRequests *>(m_factory->launchRequests());
        QCOMPARE(requests->registration(), DesktopLaunchRequests::Registered);
        // In the running instance itself the hand-off finds nobody else.
        QVERIFY(!ZrFactoryMeego::handOffToRunningInstance(8));
    }

    void cleanupTestCase()
    {
        if (m_daemon.state() == QProcess::NotRunning)
            return;
        // The name goes with the program; the tool finds nobody to ask.
        m_factory.reset();
        QTRY_VERIFY(!QDBusConnection::sessionBus().interface()->isServiceRegistered(
            DesktopLaunchRequests::serviceName()));
        QCOMPARE(run(LaunchTool, {"mentions"}), 1);
        m_daemon.terminate();
        m_daemon.waitForFinished(5000);
    }

    // From the command line tool, and from a second start of the program.
    void launchRequestsArrive_data() { addJsonRows(Data, "launchTool"); }
    void launchRequestsArrive()
    {
        QFETCH(QVariantMap, row);
        // Refused by the program: an error for the caller; wrong usage never reaches the bus.
        LaunchRecorder recorder(m_factory->launchRequests());
        QCOMPARE(run(row.value("program", LaunchTool).toByteArray(), row["args"].toStringList()),
                 row["exit"].toInt());
        QCOMPARE(recorder.take(), row["emitted"].toStringList());
    }

    void notificationsAreShownReplacedAndWithdrawn()
    {
        FakeNotifications fake;
        QDBusConnection service =
            QDBusConnection::connectToBus(m_address, QStringLiteral("fake-notifications"));
        QVERIFY(service.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &fake,
                                       QDBusConnection::ExportAllSlots));
        QVERIFY(service.registerService(QStringLiteral("org.freedesktop.Notifications")));

        DesktopNotificationHandler *handler = m_factory->desktopNotificationHandler();
        QSignalSpy shown(handler, &DesktopNotificationHandler::notificationShown);
        QSignalSpy activated(handler, &DesktopNotificationHandler::activated);
        LaunchRecorder recorder(m_factory->launchRequests());
        const auto signal = [&service](const char *name, const QVariantList &arguments) {
            QDBusMessage message = QDBusMessage::createSignal(
                QStringLiteral("/org/freedesktop/Notifications"),
                QStringLiteral("org.freedesktop.Notifications"), QLatin1String(name));
            message.setArguments(arguments);
            service.send(message);
        };
        const auto click = [&](uint id) {
            signal("ActionInvoked", {id, QStringLiteral("default")});
            return activated.wait() ? recorder.take() : QStringList {"no activation"};
        };

        // One mention: the click brings the program forward and opens its tweet.
        handler->notifyMentions(1, QStringLiteral("<b>@demo</b> & you"), QStringLiteral("501"));
        QVERIFY(shown.wait());
        QCOMPARE(click(7u), QStringList({"showMention 501", "raiseRequested"}));

        // A newer count replaces the notification on screen instead of piling up; standing for
        // several tweets, it opens the mentions.
        handler->notifyMentions(2, QStringLiteral("<b>@demo</b> & you"), QStringLiteral("502"));
        QVERIFY(shown.wait());
        // The user's text is never taken for markup.
        QCOMPARE(fake.notified[1],
                 "7: 2 new mentions | &lt;b&gt;@demo&lt;/b&gt; &amp; you | default,Show");
        QCOMPARE(click(7u), QStringList({"showMentions", "raiseRequested"}));

        handler->notifyMessages(1, QStringLiteral("hi"), QStringLiteral("bob"));
        QVERIFY(shown.wait());
        QCOMPARE(fake.notified[2], "0: New message | hi | default,Show");
        const uint messageId = shown.last().value(1).toUInt();

        handler->clearMentionNotifications();
        QTRY_COMPARE(fake.closed, QList<uint> {7u});
        QVERIFY(handler->shownNotifications(DesktopNotificationHandler::Mentions).isEmpty());
        handler->clearMentionNotifications();
        // Messages of one sender open that conversation; of several, the messages.
        handler->notifyMessages(2, QStringLiteral("again"), QStringLiteral("bob"));
        QVERIFY(shown.wait());
        QCOMPARE(click(messageId), QStringList({"showMessage bob", "raiseRequested"}));
        handler->notifyMessages(3, QStringLiteral("other"), QStringLiteral("carol"));
        QVERIFY(shown.wait());
        QCOMPARE(click(messageId), QStringList({"showDirectMessages", "raiseRequested"}));

        // Closed by the user: nothing left to withdraw.
        signal("NotificationClosed", {messageId, 2u});
        QTRY_VERIFY(handler->shownNotifications(DesktopNotificationHandler::Messages).isEmpty());
        handler->clearMessageNotifications();

        // Cleared while the service was still answering: withdrawn as soon as its id is known.
        handler->notifyMessages(4, QStringLiteral("late"), QStringLiteral("dave"));
        handler->clearMessageNotifications();
        QTRY_COMPARE(fake.notified.size(), 6);
        QTRY_COMPARE(fake.closed, (QList<uint> {7u, 9u})); // 9: the fake's third fresh id
        QCOMPARE(shown.count(), 5);

        service.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-notifications"));
    }

    // The only test of the real keyring path: QtKeychain against a real Secret Service with a
    // keyring of its own.
    void accountTokensLiveInTheKeyring()
    {
        QVERIFY(!ZrMeego::KeychainSecretStore().isAvailable());
        const QString daemon =
            QStandardPaths::findExecutable(QStringLiteral("gnome-keyring-daemon"));
        if (daemon.isEmpty())
            QSKIP("gnome-keyring-daemon is not installed");
        QTemporaryDir home;
        QProcess keyringDaemon;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"})
            environment.insert(QLatin1String(name), home.path());
        keyringDaemon.setProcessEnvironment(environment);
        // With a password on its input it makes and unlocks the default keyring.
        keyringDaemon.start(daemon, {"--foreground", "--unlock", "--components=secrets"});
        keyringDaemon.write("password");
        keyringDaemon.closeWriteChannel();
        QTRY_VERIFY_WITH_TIMEOUT(ZrMeego::KeychainSecretStore().isAvailable(), 10000);

        ZrMeego::KeychainSecretStore keyring;
        const auto secret = [&keyring] {
            std::optional<QString> found;
            keyring.readSecret(
                QStringLiteral("http://127.0.0.1:8123 1843"), &keyring,
                [&found](bool ok, const QString &text) { found = ok ? text : QString(); });
            return QTest::qWaitFor([&] { return found.has_value(); }, 10000) ? *found : QString();
        };
        QTemporaryDir dir;
        ZrMeego::AccountStore store(dir.filePath(QStringLiteral("account.json")), nullptr);
        store.setSecretStore(&keyring);
        QSignalSpy moved(&store, &ZrMeego::AccountStore::tokensMoved);
        QVERIFY(store.storeAccount(testAccount()));
        QVERIFY(moved.wait(10000));
        QVERIFY(secret().contains(QLatin1String("1843-token")));
        QCOMPARE(readWithTokens(store)->tokenSecret, testAccount().tokenSecret);

        QVERIFY(store.removeAccount());
        QTRY_VERIFY_WITH_TIMEOUT(secret().isEmpty(), 10000);
    }

private:
    QProcess m_daemon;
    QString m_address;
    QTranslator m_english;
    std::unique_ptr<ZrFactoryMeego> m_factory;
};

QTEST_MAIN(TestPlatformBus)
#include "tst_platformbus.moc"
