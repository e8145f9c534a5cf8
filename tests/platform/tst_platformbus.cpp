#include "desktoplaunchrequests.h"
#include "desktopnotificationhandler.h"
#include "zrfactorymeego.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>
#include <QSignalSpy>
#include <QTranslator>
#include <QtTest>

using ZrMeego::DesktopLaunchRequests;
using ZrMeego::DesktopNotificationHandler;
using ZrMeego::ZrFactoryMeego;

// A notification service that records what it is asked.
class FakeNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Notification
    {
        uint replacesId;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
    };
    QList<Notification> notified;
    QList<uint> closed;

public Q_SLOTS:
    uint Notify(const QString &appName, uint replacesId, const QString &icon,
                const QString &summary, const QString &body, const QStringList &actions,
                const QVariantMap &hints, int timeout)
    {
        Q_UNUSED(appName)
        Q_UNUSED(icon)
        Q_UNUSED(timeout)
        notified.append({replacesId, summary, body, actions, hints});
        return replacesId ? replacesId : m_nextId++;
    }
    void CloseNotification(uint id) { closed.append(id); }

private:
    uint m_nextId = 7;
};

// Launch requests, the single instance and notifications over a private session bus.
class TestPlatformBus : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void launchRequestsArriveFromTheCommandLine();
    void aSecondStartHandsOver();
    void notificationsAreShownReplacedAndWithdrawn();

private:
    // Runs a helper program while this process keeps serving the bus; its exit code.
    int run(const QString &program, const QStringList &arguments);
    static QString tool(const char *name);

    QProcess m_daemon;
    QString m_address;
    QTranslator m_english;
};

QString TestPlatformBus::tool(const char *name)
{
    return QStringLiteral(ZIRRUP_BINARY_DIR) + QLatin1String(name);
}

void TestPlatformBus::initTestCase()
{
    // Notifications read as the English catalogue words them.
    QVERIFY(m_english.load(QStringLiteral(":/common_en.qm")));
    QCoreApplication::installTranslator(&m_english);
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty())
        QSKIP("dbus-daemon is not installed");
    m_daemon.start(daemon,
                   {QStringLiteral("--session"), QStringLiteral("--nofork"),
                    QStringLiteral("--print-address=1")});
    QVERIFY(m_daemon.waitForStarted());
    while (!m_daemon.canReadLine()) {
        if (!m_daemon.waitForReadyRead(10000))
            QFAIL(m_daemon.readAllStandardError().constData());
    }
    m_address = QString::fromUtf8(m_daemon.readLine().trimmed());
    QVERIFY(!m_address.isEmpty());
    // Nothing has touched the session bus yet, so this is the one every part of the process
    // (and every helper started from it) will use.
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_address.toUtf8());
    QVERIFY(QDBusConnection::sessionBus().isConnected());
}

void TestPlatformBus::cleanupTestCase()
{
    if (m_daemon.state() != QProcess::NotRunning) {
        m_daemon.terminate();
        m_daemon.waitForFinished(5000);
    }
}

int TestPlatformBus::run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    QSignalSpy finished(&process, &QProcess::finished);
    process.start(program, arguments);
    if (!finished.wait(20000))
        return -1;
    return process.exitCode();
}

void TestPlatformBus::launchRequestsArriveFromTheCommandLine()
{
    const QString launch = tool("/platform/integration/tools/zirrup-launch");
    {
        ZrFactoryMeego factory;
        auto *requests = qobject_cast<DesktopLaunchRequests *>(factory.launchRequests());
        QVERIFY(requests);
        QCOMPARE(requests->registration(), DesktopLaunchRequests::Registered);
        QVERIFY(QDBusConnection::sessionBus().interface()->isServiceRegistered(
            DesktopLaunchRequests::serviceName()));

        QSignalSpy profile(requests, &ZrPlatform::ZrLaunchRequests::showProfile);
        QSignalSpy tweet(requests, &ZrPlatform::ZrLaunchRequests::showFeedItem);
        QSignalSpy compose(requests, &ZrPlatform::ZrLaunchRequests::showCompose);
        QSignalSpy messages(requests, &ZrPlatform::ZrLaunchRequests::showDirectMessages);
        QSignalSpy message(requests, &ZrPlatform::ZrLaunchRequests::showMessage);
        QSignalSpy mentions(requests, &ZrPlatform::ZrLaunchRequests::showMentions);
        QSignalSpy mention(requests, &ZrPlatform::ZrLaunchRequests::showMention);
        QSignalSpy raised(requests, &ZrPlatform::ZrLaunchRequests::raiseRequested);

        QCOMPARE(run(launch, {QStringLiteral("profile"), QStringLiteral("@alice")}), 0);
        QCOMPARE(profile.count(), 1);
        QCOMPARE(profile.first().first().toString(), QStringLiteral("@alice"));
        QCOMPARE(run(launch, {QStringLiteral("tweet"), QStringLiteral("1000000000000000123")}), 0);
        QCOMPARE(tweet.first().first().toString(), QStringLiteral("1000000000000000123"));
        QCOMPARE(run(launch, {QStringLiteral("compose"), QStringLiteral("bob")}), 0);
        QCOMPARE(compose.first().first().toString(), QStringLiteral("bob"));
        QCOMPARE(run(launch, {QStringLiteral("messages")}), 0);
        QCOMPARE(messages.count(), 1);
        QCOMPARE(
            run(launch, {QStringLiteral("message"), QStringLiteral("bob"), QStringLiteral("42")}),
            0);
        QCOMPARE(message.first(), (QList<QVariant> {QStringLiteral("bob"), QStringLiteral("42")}));
        QCOMPARE(run(launch, {QStringLiteral("mentions")}), 0);
        QCOMPARE(mentions.count(), 1);
        QCOMPARE(run(launch, {QStringLiteral("mention"), QStringLiteral("77")}), 0);
        QCOMPARE(mention.first().first().toString(), QStringLiteral("77"));
        QCOMPARE(run(launch, {QStringLiteral("raise")}), 0);
        QCOMPARE(raised.count(), 1);

        // Refused by the program: an error for the caller, nothing for the program.
        QCOMPARE(run(launch, {QStringLiteral("tweet"), QStringLiteral("12; rm -rf")}), 1);
        QCOMPARE(run(launch, {QStringLiteral("profile"), QStringLiteral("a b")}), 1);
        QCOMPARE(tweet.count(), 1);
        QCOMPARE(profile.count(), 1);
        // Wrong usage never reaches the bus.
        QCOMPARE(run(launch, {QStringLiteral("message")}), 2);
        QCOMPARE(run(launch, {QStringLiteral("shutdown")}), 2);
        QCOMPARE(message.count(), 1);
    }
    // The name goes with the program.
    QTRY_VERIFY(!QDBusConnection::sessionBus().interface()->isServiceRegistered(
        DesktopLaunchRequests::serviceName()));
    QCOMPARE(run(launch, {QStringLiteral("mentions")}), 1);
}

void TestPlatformBus::aSecondStartHandsOver()
{
    const QString probe = tool("/tests/platform/handoffprobe");
    // Nobody runs yet: the probe would be the instance.
    QCOMPARE(run(probe, {QStringLiteral("8")}), 3);

    ZrFactoryMeego factory;
    ZrPlatform::ZrLaunchRequests *requests = factory.launchRequests();
    // In the running instance itself the hand-off finds nobody else.
    QVERIFY(!ZrFactoryMeego::handOffToRunningInstance(8));

    QSignalSpy raised(requests, &ZrPlatform::ZrLaunchRequests::raiseRequested);
    QSignalSpy mentions(requests, &ZrPlatform::ZrLaunchRequests::showMentions);
    QSignalSpy messages(requests, &ZrPlatform::ZrLaunchRequests::showDirectMessages);

    QCOMPARE(run(probe, {QStringLiteral("8")}), 0);
    QCOMPARE(raised.count(), 1);
    QCOMPARE(mentions.count(), 1);
    QCOMPARE(messages.count(), 0);

    QCOMPARE(run(probe, {QStringLiteral("6")}), 0);
    QCOMPARE(raised.count(), 2);
    QCOMPARE(messages.count(), 1);

    // Any other launch mode only raises.
    QCOMPARE(run(probe, {QStringLiteral("2")}), 0);
    QCOMPARE(raised.count(), 3);
    QCOMPARE(mentions.count(), 1);
    QCOMPARE(messages.count(), 1);
}

void TestPlatformBus::notificationsAreShownReplacedAndWithdrawn()
{
    FakeNotifications fake;
    QDBusConnection service =
        QDBusConnection::connectToBus(m_address, QStringLiteral("fake-notifications"));
    QVERIFY(service.isConnected());
    QVERIFY(service.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &fake,
                                   QDBusConnection::ExportAllSlots));
    QVERIFY(service.registerService(QStringLiteral("org.freedesktop.Notifications")));

    ZrFactoryMeego factory;
    DesktopNotificationHandler *handler = factory.desktopNotificationHandler();
    QSignalSpy shown(handler, &DesktopNotificationHandler::notificationShown);
    QSignalSpy activated(handler, &DesktopNotificationHandler::activated);
    QSignalSpy showMessages(factory.launchRequests(),
                            &ZrPlatform::ZrLaunchRequests::showDirectMessages);

    handler->notifyMentions(2, QStringLiteral("<b>@demo</b> & you"));
    QVERIFY(shown.wait());
    QCOMPARE(fake.notified.size(), 1);
    QCOMPARE(fake.notified[0].replacesId, 0u);
    QCOMPARE(fake.notified[0].summary, QStringLiteral("2 new mentions"));
    // The user's text is never taken for markup.
    QCOMPARE(fake.notified[0].body, QStringLiteral("&lt;b&gt;@demo&lt;/b&gt; &amp; you"));
    QVERIFY(fake.notified[0].actions.contains(QStringLiteral("default")));
    QCOMPARE(shown.last().value(1).toUInt(), 7u);

    // A newer count replaces the notification on screen instead of piling up.
    handler->notifyMentions(3, QStringLiteral("more"));
    QVERIFY(shown.wait());
    QCOMPARE(fake.notified[1].replacesId, 7u);
    handler->notifyMessages(1, QStringLiteral("hi"));
    QVERIFY(shown.wait());
    QCOMPARE(fake.notified[2].summary, QStringLiteral("New message"));
    QCOMPARE(fake.notified[2].replacesId, 0u);
    const uint messageId = shown.last().value(1).toUInt();
    QCOMPARE(handler->shownNotifications(DesktopNotificationHandler::Messages),
             QList<uint> {messageId});

    handler->clearMentionNotifications();
    QTRY_COMPARE(fake.closed, QList<uint> {7u});
    QVERIFY(handler->shownNotifications(DesktopNotificationHandler::Mentions).isEmpty());
    handler->clearMentionNotifications();
    // A click on the message notification opens the messages.
    service.send(QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/Notifications"),
                                            QStringLiteral("org.freedesktop.Notifications"),
                                            QStringLiteral("ActionInvoked"))
                 << messageId << QStringLiteral("default"));
    QVERIFY(activated.wait());
    QCOMPARE(activated.first().first().value<DesktopNotificationHandler::Kind>(),
             DesktopNotificationHandler::Messages);
    QCOMPARE(showMessages.count(), 1);

    // Closed by the user: nothing left to withdraw.
    service.send(QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/Notifications"),
                                            QStringLiteral("org.freedesktop.Notifications"),
                                            QStringLiteral("NotificationClosed"))
                 << messageId << 2u);
    QTRY_VERIFY(handler->shownNotifications(DesktopNotificationHandler::Messages).isEmpty());
    handler->clearMessageNotifications();

    // Cleared while the service was still answering: withdrawn as soon as its id is known.
    handler->notifyMessages(4, QStringLiteral("late"));
    handler->clearMessageNotifications();
    QTRY_COMPARE(fake.notified.size(), 4);
    const uint lateId = 7u + 2u; // the fake's third fresh id
    QTRY_COMPARE(fake.closed, (QList<uint> {7u, lateId}));
    QCOMPARE(shown.count(), 3);

    service.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
    QDBusConnection::disconnectFromBus(QStringLiteral("fake-notifications"));
}

QTEST_MAIN(TestPlatformBus)
#include "tst_platformbus.moc"
