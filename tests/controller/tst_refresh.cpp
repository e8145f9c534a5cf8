#include "datahandler.h"
#include "displayinfo.h"

#include "scriptedcontroller.h"
#include "scriptednotifications.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

namespace {
const QString sessionPath = QStringLiteral("/org/freedesktop/login1/session/_31");

void signIn(ScriptedController &c)
{
    c.start(true);
    QTRY_COMPARE(c.login()->loginCount(), 1);
    c.signIn();
    c.view().clearCalls();
}

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
    void initTestCase();
    void cleanupTestCase();
    void displayFollowsTheScreenSaverAndTheLock();
    void visibilityStartsAndStopsTheStream();
    void failedStreamsAreRetriedOnlyOnline();
    void lastSeenIdIsSavedOnceAfterAQuietMoment();
    void backgroundNewsReachTheDesktop();
    void cleanupRunsOnceUntilResumed();

private:
    void setScreenSaver(bool active);
    void setLocked(bool locked);
    DisplayInfo *watchedDisplay();

    QProcess m_daemon;
    QString m_address;
    QDBusConnection m_service {QString()};
    FakeScreenSaver m_screenSaver;
    FakeLoginManager m_loginManager;
    FakeLoginSession m_session;
};

void TestRefresh::initTestCase()
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
    m_address = QString::fromUtf8(m_daemon.readLine().trimmed());

    // One private bus stands in for both the session and the system bus.
    m_service = QDBusConnection::connectToBus(m_address, QStringLiteral("fake-desktop"));
    QVERIFY(m_service.isConnected());
    QVERIFY(m_service.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"), &m_screenSaver,
                                     QDBusConnection::ExportAllSlots
                                         | QDBusConnection::ExportAllSignals));
    QVERIFY(m_service.registerObject(QStringLiteral("/org/freedesktop/login1"), &m_loginManager,
                                     QDBusConnection::ExportAllSlots));
    QVERIFY(
        m_service.registerObject(sessionPath, &m_session, QDBusConnection::ExportAllProperties));
    QVERIFY(m_service.registerService(QStringLiteral("org.freedesktop.ScreenSaver")));
    QVERIFY(m_service.registerService(QStringLiteral("org.freedesktop.login1")));
}

void TestRefresh::cleanupTestCase()
{
    if (m_daemon.state() != QProcess::NotRunning) {
        m_daemon.terminate();
        m_daemon.waitForFinished(5000);
    }
}

DisplayInfo *TestRefresh::watchedDisplay()
{
    const QDBusConnection client =
        QDBusConnection::connectToBus(m_address, QStringLiteral("display-client"));
    return new DisplayInfo(client, client);
}

void TestRefresh::setScreenSaver(bool active)
{
    m_screenSaver.active = active;
    Q_EMIT m_screenSaver.ActiveChanged(active);
}

void TestRefresh::setLocked(bool locked)
{
    m_session.locked = locked;
    QDBusMessage changed =
        QDBusMessage::createSignal(sessionPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    changed << QStringLiteral("org.freedesktop.login1.Session")
            << QVariantMap {{QStringLiteral("LockedHint"), locked}} << QStringList();
    QVERIFY(m_service.send(changed));
}

void TestRefresh::displayFollowsTheScreenSaverAndTheLock()
{
    // Without a bus nobody can say the screen is dark.
    DisplayInfo alone(QDBusConnection(QStringLiteral("none")),
                      QDBusConnection(QStringLiteral("none")));
    QCOMPARE(alone.backlightStatus(0), DisplayInfo::BacklightOn);
    QCOMPARE(alone.backlightStatus(-1), DisplayInfo::BacklightUnknown);

    // Read at start: the screen saver is off, the session locked (the last thing read).
    m_screenSaver.active = false;
    m_session.locked = true;
    std::unique_ptr<DisplayInfo> info(watchedDisplay());
    QSignalSpy changed(info.get(), &DisplayInfo::backlightStatusChanged);
    QVERIFY(changed.wait());
    QCOMPARE(info->backlightStatus(0), DisplayInfo::BacklightOff);
    QVERIFY(info->sessionLocked());

    // Then followed by their signals.
    setLocked(false);
    QVERIFY(changed.wait());
    QCOMPARE(info->backlightStatus(0), DisplayInfo::BacklightOn);
    setScreenSaver(true);
    QVERIFY(changed.wait());
    QCOMPARE(info->backlightStatus(0), DisplayInfo::BacklightOff);
    setScreenSaver(false);
    QVERIFY(changed.wait());
    QCOMPARE(changed.last().first().value<DisplayInfo::BacklightState>(), DisplayInfo::BacklightOn);
}

void TestRefresh::visibilityStartsAndStopsTheStream()
{
    ScriptedController c;
    signIn(c);
    DataHandler *h = c.handler();
    ScriptedBackend *backend = c.backend();
    m_screenSaver.active = true;
    h->setDisplayInfo(watchedDisplay());
    QSignalSpy light(h->displayInfo(), &DisplayInfo::backlightStatusChanged);
    QVERIFY(light.wait());
    setScreenSaver(false);
    QVERIFY(light.wait());
    const int streams = backend->callCount(QStringLiteral("startStreaming"));

    h->setVisible(true);
    QCOMPARE(backend->callCount(QStringLiteral("startStreaming")), streams + 1);
    QCOMPARE(h->pendingQueryIds().stream, backend->lastCall("startStreaming").queryId);
    h->setVisible(true);
    QCOMPARE(backend->callCount(QStringLiteral("startStreaming")), streams + 1);

    // Behind a lit screen the lists stay current.
    h->setVisible(false);
    QCOMPARE(backend->stopStreamingCount(), 0);

    h->setVisible(true);
    setScreenSaver(true);
    QVERIFY(light.wait());
    h->setVisible(false);
    QCOMPARE(backend->stopStreamingCount(), 1);
}

void TestRefresh::failedStreamsAreRetriedOnlyOnline()
{
    ScriptedController c;
    signIn(c);
    DataHandler *h = c.handler();
    ScriptedBackend *backend = c.backend();
    QTimer *throttle = h->throttlingTimer();

    backend->fail(backend->lastCall("startStreaming"), QStringLiteral("Stream closed"));
    QVERIFY(throttle->isActive());
    QCOMPARE(throttle->interval(), 65000);
    throttle->stop();
    h->onThrottlingTimerTriggered();
    const ScriptedCall retry = backend->lastCall("startStreaming");
    QCOMPARE(h->pendingQueryIds().stream, retry.queryId);

    // Offline, only the return of the network or of the window starts it again.
    h->networkStatusChanged(false);
    backend->fail(retry, QStringLiteral("Stream closed"));
    QVERIFY(!throttle->isActive());
    const int streams = backend->callCount(QStringLiteral("startStreaming"));
    h->startSyncTimer();
    QCOMPARE(backend->callCount(QStringLiteral("startStreaming")), streams);
    h->networkStatusChanged(true);
    h->startSyncTimer();
    QCOMPARE(backend->callCount(QStringLiteral("startStreaming")), streams + 1);
}

void TestRefresh::lastSeenIdIsSavedOnceAfterAQuietMoment()
{
    ScriptedController c;
    signIn(c);
    DataHandler *h = c.handler();
    ScriptedNotifications *notifications = c.factory().notifications();
    QSignalSpy saved(notifications, &ScriptedNotifications::lastIdSaved);

    // In the background nothing counts as seen.
    h->handleStreamObject(StreamObjectType::Mention, record({{"id", "100"}}));
    h->setIsOnFullscreen(true);
    h->handleStreamObject(StreamObjectType::HomeStatus, record({{"id", "101"}}));
    h->handleStreamObject(StreamObjectType::Favorite, record({{"id", "102"}}));
    c.login()->setAccountEnabled(false);
    h->postLastIdUpdate(record({{"id", "103"}}));
    c.login()->setAccountEnabled(true);

    // Two in quick succession: one save, of the later one.
    h->handleStreamObject(StreamObjectType::Mention, record({{"id", "104"}}));
    h->handleStreamObject(StreamObjectType::DirectMessage,
                          record({{"direct_message", QVariantMap {{"id", "105"}}}}));
    QVERIFY(saved.wait());
    QCOMPARE(notifications->savedIds(), QStringList {QStringLiteral("105")});
}

void TestRefresh::backgroundNewsReachTheDesktop()
{
    ScriptedController c;
    signIn(c);
    DataHandler *h = c.handler();
    ScriptedNotifications *n = c.factory().notifications();
    const QVariantList mention = record({{"id", "7"},
                                         {"text", "@Alice hi &amp; bye"},
                                         {"user", QVariantMap {{"screen_name", "bob"}}}});

    h->handleStreamObject(StreamObjectType::Mention, mention);
    h->handleStreamObject(StreamObjectType::Mention, mention);
    h->handleStreamObject(
        StreamObjectType::DirectMessage,
        record({{"id", "8"}, {"text", "lunch?"}, {"sender_screen_name", "carol"}}));
    // The user's own messages come back on the stream too.
    h->handleStreamObject(StreamObjectType::DirectMessage,
                          record({{"id", "9"}, {"text", "sure"}, {"sender_screen_name", "alice"}}));
    const QString text = QStringLiteral("@bob: @Alice hi & bye");
    QCOMPARE(n->mentionNotices(), (QList<QPair<int, QString>> {{1, text}, {2, text}}));
    QCOMPARE(n->messageNotices(), (QList<QPair<int, QString>> {{1, "carol: lunch?"}}));

    h->clearMentionNotifications();
    QCOMPARE(n->clearedMentions(), 1);
    h->handleStreamObject(StreamObjectType::Mention, mention);
    QCOMPARE(n->mentionNotices().last(), (QPair<int, QString> {1, text}));

    h->setIsOnFullscreen(true);
    h->handleStreamObject(StreamObjectType::Mention, mention);
    QCOMPARE(n->mentionNotices().size(), 3);
}

void TestRefresh::cleanupRunsOnceUntilResumed()
{
    ScriptedController c;
    signIn(c);
    DataHandler *h = c.handler();
    QSignalSpy initialized(h, &DataHandler::frontendInitialized);

    h->doCleanup();
    QCOMPARE(c.view().callNames(), (QStringList {"prepareCleanup", "doCleanup", "startPage"}));
    QCOMPARE(c.view().lastArguments("startPage"), QVariantList {"MainView.qml"});
    QCOMPARE(initialized.count(), 1);
    QCOMPARE(c.backend()->stopStreamingCount(), 1);

    // Done already and not yet back in front: nothing more.
    h->doCleanup();
    QCOMPARE(c.view().calls().size(), 3);
    QCOMPARE(c.backend()->stopStreamingCount(), 1);

    // Back in front the stream returns; after leaving again the next cleanup runs.
    const int streams = c.backend()->callCount(QStringLiteral("startStreaming"));
    h->startSyncTimer();
    QCOMPARE(c.backend()->callCount(QStringLiteral("startStreaming")), streams + 1);
    h->stopSyncTimer();
    h->doCleanup();
    QCOMPARE(c.view().callCount("prepareCleanup"), 2);

    // Signed out, the cleanup ends on the sign-in page.
    Q_EMIT c.login()->accountRemoved();
    h->stopSyncTimer();
    c.view().clearCalls();
    h->doCleanup();
    QCOMPARE(c.view().lastArguments("startPage"), QVariantList {"SignInView.qml"});

    h->restoreListPosition(7);
    QCOMPARE(c.view().lastArguments("restorePosition"), QVariantList {7});
    QSignalSpy timestamps(h, &DataHandler::updateTimestamp);
    h->emitUpdateTimestamp();
    QCOMPARE(timestamps.count(), 1);
}

QTEST_MAIN(TestRefresh)
#include "tst_refresh.moc"
