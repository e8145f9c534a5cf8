#include "datahandler.h"
#include "displayinfo.h"

#include "scriptedcontroller.h"
#include "scriptednotifications.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QProcess>
#include <QQuickItem>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

namespace {
const QString sessionPath = QStringLiteral("/org/freedesktop/login1/session/_31");

QVariantList record(const QVariantMap &fields)
{
    return {fields};
}
} // namespace

class FakeScreenSaver : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    bool active = false;
public Q_SLOTS:
    bool GetActive() { return active; }
Q_SIGNALS:
    void ActiveChanged(bool active);
};

class FakeLoginManager : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public Q_SLOTS:
    QDBusObjectPath GetSessionByPID(uint) { return QDBusObjectPath(sessionPath); }
};

class FakeLoginSession : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Session")
    Q_PROPERTY(bool LockedHint MEMBER locked)
public:
    bool locked = false;
};

class TestRefresh : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            QSKIP("dbus-daemon is not installed");
        m_daemon.start(daemon,
                       {QStringLiteral("--session"), QStringLiteral("--nofork"),
                        QStringLiteral("--print-address=1")});
        QVERIFY(m_daemon.waitForStarted());
        while (!m_daemon.canReadLine())
            QVERIFY2(m_daemon.waitForReadyRead(10000), m_daemon.readAllStandardError().constData());
        const QString address = QString::fromUtf8(m_daemon.readLine().trimmed());

        // One private bus stands in for both the session and the system bus.
        m_service = QDBusConnection::connectToBus(address, QStringLiteral("fake-desktop"));
        m_client = QDBusConnection::connectToBus(address, QStringLiteral("display-client"));
        QVERIFY(m_service.isConnected() && m_client.isConnected());
        const auto all = QDBusConnection::ExportAllContents;
        QVERIFY(m_service.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"),
                                         &m_screenSaver, all));
        QVERIFY(m_service.registerObject(QStringLiteral("/org/freedesktop/login1"), &m_loginManager,
                                         all));
        QVERIFY(m_service.registerObject(sessionPath, &m_session, all));
        QVERIFY(m_service.registerService(QStringLiteral("org.freedesktop.ScreenSaver")));
        QVERIFY(m_service.registerService(QStringLiteral("org.freedesktop.login1")));
    }
    void cleanupTestCase()
    {
        m_daemon.terminate();
        m_daemon.waitForFinished(5000);
    }
    void streamFollowsVisibilityAndTheScreen()
    {
        // Without a bus nobody can say the screen is dark.
        const QDBusConnection none(QStringLiteral("none"));
        QCOMPARE(DisplayInfo(none, none).backlightStatus(0), DisplayInfo::BacklightOn);

        ScriptedController c;
        c.startSignedIn();
        DataHandler *h = c.handler();
        ScriptedBackend *backend = c.backend();
        // Read at start: no screen saver, but the session is locked (that is read last).
        m_screenSaver.active = false;
        m_session.locked = true;
        h->setDisplayInfo(new DisplayInfo(m_client, m_client));
        QSignalSpy light(h->displayInfo(), &DisplayInfo::backlightStatusChanged);
        QVERIFY(light.wait());
        QCOMPARE(h->displayInfo()->backlightStatus(0), DisplayInfo::BacklightOff);
        auto streams = [backend] { return backend->callCount(QStringLiteral("startStreaming")); };
        const int started = streams();

        h->setVisible(true);
        QCOMPARE(streams(), started + 1);
        QCOMPARE(h->pendingQueryIds().stream, backend->lastCall("startStreaming").queryId);
        h->setVisible(true);
        QCOMPARE(streams(), started + 1);
        h->setVisible(false);
        QCOMPARE(backend->stopStreamingCount(), 1);

        // Behind a lit screen the lists stay current.
        setLocked(false);
        QVERIFY(light.wait());
        h->setVisible(true);
        h->setVisible(false);
        QCOMPARE(backend->stopStreamingCount(), 1);
        QCOMPARE(streams(), started + 2);

        h->setVisible(true);
        setScreenSaver(true);
        QVERIFY(light.wait());
        h->setVisible(false);
        QCOMPARE(backend->stopStreamingCount(), 2);
        setScreenSaver(false);
    }
    void failedStreamsAreRetriedOnlyOnline()
    {
        ScriptedController c;
        c.startSignedIn();
        DataHandler *h = c.handler();
        ScriptedBackend *backend = c.backend();
        QTimer *throttle = h->throttlingTimer();
        // The root answers a network change as the program's does with the window in front.
        c.view().rootObject()->setProperty("answersNetwork", true);

        backend->fail(backend->lastCall("startStreaming"), QStringLiteral("Stream closed"));
        QVERIFY(throttle->isActive());
        QCOMPARE(throttle->interval(), 65000);
        QCOMPARE(c.view().callCount("showError"), 0);
        throttle->stop();
        h->onThrottlingTimerTriggered();
        const ScriptedCall retry = backend->lastCall("startStreaming");
        QCOMPARE(h->pendingQueryIds().stream, retry.queryId);

        // A retry armed before the network went does not fire offline.
        backend->fail(retry, QStringLiteral("Stream closed"));
        QVERIFY(throttle->isActive());
        h->networkStatusChanged(false);
        QVERIFY(!throttle->isActive());
        QCOMPARE(backend->stopStreamingCount(), 1);
        QCOMPARE(c.view().lastArguments("onNetworkAvailableChanged"), QVariantList {false});
        backend->fail(retry, QStringLiteral("Stream closed"));
        QVERIFY(!throttle->isActive());
        const int streams = backend->callCount(QStringLiteral("startStreaming"));
        h->startSyncTimer();
        QCOMPARE(backend->callCount(QStringLiteral("startStreaming")), streams);

        // Its return alone starts the stream again, and the lists catch up.
        backend->clearCalls();
        h->networkStatusChanged(true);
        QCOMPARE(backend->callCount(QStringLiteral("startStreaming")), 1);
        QCOMPARE(backend->stopStreamingCount(), 1);
        QCOMPARE(c.view().lastArguments("onNetworkAvailableChanged"), QVariantList {true});
        QCOMPARE(h->pendingQueryIds().stream, backend->lastCall("startStreaming").queryId);
        QList<int> timelines;
        for (const ScriptedCall &call : backend->calls(QStringLiteral("retrieveTimelineResources")))
            timelines.append(call.type);
        QVERIFY(timelines.contains(TimelineType::Home));
        QVERIFY(timelines.contains(TimelineType::Mentions));
        QVERIFY(backend->hasCall(QStringLiteral("retrieveDirectMessages")));
    }
    void lastSeenIdIsSavedOnceAfterAQuietMoment()
    {
        ScriptedController c;
        c.startSignedIn();
        DataHandler *h = c.handler();
        ScriptedNotifications *notifications = c.factory().notifications();
        QSignalSpy saved(notifications, &ScriptedNotifications::lastIdSaved);

        // In the background nothing counts as seen; only mentions and messages count.
        h->handleStreamObject(StreamObjectType::Mention, record({{"id", "100"}}));
        h->setIsOnFullscreen(true);
        h->handleStreamObject(StreamObjectType::HomeStatus, record({{"id", "101"}}));
        h->handleStreamObject(StreamObjectType::Favorite, record({{"id", "102"}}));
        // Two in quick succession, events handled between them: one save, of the later one.
        h->handleStreamObject(StreamObjectType::Mention, record({{"id", "104"}}));
        QCoreApplication::processEvents();
        h->handleStreamObject(StreamObjectType::DirectMessage,
                              record({{"direct_message", QVariantMap {{"id", "105"}}}}));
        QVERIFY(saved.wait());
        QCOMPARE(notifications->savedIds(), QStringList {QStringLiteral("105")});
    }
    void backgroundNewsReachTheDesktop()
    {
        ScriptedController c;
        c.startSignedIn();
        DataHandler *h = c.handler();
        ScriptedNotifications *n = c.factory().notifications();
        const QVariantList mention = record({{"id", "7"},
                                             {"text", "@Alice hi &amp; bye"},
                                             {"user", QVariantMap {{"screen_name", "bob"}}}});
        const QString text = QStringLiteral("@bob: @Alice hi & bye");

        h->handleStreamObject(StreamObjectType::Mention, mention);
        h->handleStreamObject(StreamObjectType::Mention, mention);
        h->handleStreamObject(StreamObjectType::DirectMessage,
                              record({{"text", "lunch?"}, {"sender_screen_name", "carol"}}));
        // The user's own messages come back on the stream too.
        h->handleStreamObject(StreamObjectType::DirectMessage,
                              record({{"text", "sure"}, {"sender_screen_name", "alice"}}));
        QCOMPARE(n->mentionNotices(), (QList<QPair<int, QString>> {{1, text}, {2, text}}));
        QCOMPARE(n->messageNotices(), (QList<QPair<int, QString>> {{1, "carol: lunch?"}}));
        // A click opens the newest mention's tweet, the newest message's conversation.
        QCOMPARE(n->mentionSubjects(), (QStringList {"7", "7"}));
        QCOMPARE(n->messageSubjects(), QStringList {"carol"});

        // Seen: the count starts again; in front, the desktop is not bothered.
        h->clearMentionNotifications();
        QCOMPARE(n->clearedMentions(), 1);
        h->handleStreamObject(StreamObjectType::Mention, mention);
        h->setIsOnFullscreen(true);
        h->handleStreamObject(StreamObjectType::Mention, mention);
        QCOMPARE(n->mentionNotices().size(), 3);
        QCOMPARE(n->mentionNotices().last().first, 1);
    }
    void cleanupRunsOnceUntilResumed()
    {
        ScriptedController c;
        c.startSignedIn();
        DataHandler *h = c.handler();

        h->doCleanup();
        QCOMPARE(c.view().callNames(), (QStringList {"prepareCleanup", "doCleanup", "startPage"}));
        QCOMPARE(c.view().lastArguments("startPage"), QVariantList {"MainView.qml"});
        QCOMPARE(c.backend()->stopStreamingCount(), 1);
        // Done already and not yet back in front: nothing more.
        h->doCleanup();
        QCOMPARE(c.view().calls().size(), 3);
        QCOMPARE(c.backend()->stopStreamingCount(), 1);

        // Back in front and gone again, the next cleanup runs; signed out, it ends on sign-in.
        h->startSyncTimer();
        h->stopSyncTimer();
        Q_EMIT c.login()->accountRemoved();
        h->doCleanup();
        QCOMPARE(c.view().callCount("prepareCleanup"), 2);
        QCOMPARE(c.view().lastArguments("startPage"), QVariantList {"SignInView.qml"});
    }
    void delayedRefreshesRunEach()
    {
        ScriptedController c;
        c.startSignedIn();
        ScriptedBackend *backend = c.backend();
        auto requests = [backend] {
            return backend->callCount(QStringLiteral("retrieveDirectMessages"));
        };
        int before = requests();
        c.handler()->updateMessagesView();
        const int perRefresh = requests() - before;
        QVERIFY(perRefresh > 0);

        // The same timeout twice: the second does not replace the first.
        before = requests();
        c.handler()->delayedUpdateMessagesView(0);
        c.handler()->delayedUpdateMessagesView(0);
        QCOMPARE(requests(), before);
        QTRY_COMPARE(requests(), before + 2 * perRefresh);
    }

private:
    void setScreenSaver(bool active)
    {
        m_screenSaver.active = active;
        Q_EMIT m_screenSaver.ActiveChanged(active);
    }

    void setLocked(bool locked)
    {
        m_session.locked = locked;
        QDBusMessage changed = QDBusMessage::createSignal(
            sessionPath, QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("PropertiesChanged"));
        changed << QStringLiteral("org.freedesktop.login1.Session")
                << QVariantMap {{QStringLiteral("LockedHint"), locked}} << QStringList();
        QVERIFY(m_service.send(changed));
    }

    QProcess m_daemon;
    QDBusConnection m_service {QString()};
    QDBusConnection m_client {QString()};
    FakeScreenSaver m_screenSaver;
    FakeLoginManager m_loginManager;
    FakeLoginSession m_session;
};

QTEST_MAIN(TestRefresh)
#include "tst_refresh.moc"
