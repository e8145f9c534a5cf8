#include "accountstore.h"
#include "desktoptimelinenotifier.h"
#include "positioninghandler.h"
#include "synctimer.h"
#include "zrfactorymeego.h"
#include "zrlaunchrequests.h"
#include "zrloginhandler.h"
#include "zrnotificationhandler.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

// The factory, the heartbeat timer and the smaller platform objects.
class TestPlatformObjects : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void factoryOwnsOneObjectOfEachKind();
    void syncTimerFiresOncePerStart();
    void syncTimerIntervalIsSanitised();
    void timelineNotifierRecordsTheChange();
};

void TestPlatformObjects::factoryOwnsOneObjectOfEachKind()
{
    std::unique_ptr<ZrPlatform::ZrPlatformFactory> factory(ZrMeego::ZrFactoryMeego::getInstance());
    QVERIFY(factory);
    QCOMPARE(ZrMeego::ZrFactoryMeego::current(), factory.get());
    QVERIFY(factory->loginHandler());
    QCOMPARE(factory->loginHandler(), factory->loginHandler());
    QCOMPARE(factory->loginHandler()->parent(), factory.get());
    QCOMPARE(factory->timelineNotifier(), factory->timelineNotifier());
    QCOMPARE(factory->notificationHandler(), factory->notificationHandler());
    QCOMPARE(factory->launchRequests(), factory->launchRequests());
    QCOMPARE(factory->launchRequests()->parent(), factory.get());
    // A fresh home has no account.
    QVERIFY(!factory->loginHandler()->accountExists());
    QVERIFY(!factory->loginHandler()->accountEnabled(0));
    // Without a session bus there is nobody to hand off to.
    QVERIFY(!ZrMeego::ZrFactoryMeego::handOffToRunningInstance(8));
    factory.reset();
    QCOMPARE(ZrMeego::ZrFactoryMeego::current(), nullptr);
}

void TestPlatformObjects::syncTimerFiresOncePerStart()
{
    SyncTimer timer;
    timer.setTimerInterval(0, 0);
    QSignalSpy timeouts(&timer, &SyncTimer::timeout);
    timer.start();
    QVERIFY(timer.isActive());
    QVERIFY(timeouts.wait());
    QCOMPARE(timeouts.count(), 1);
    QVERIFY(!timer.isActive());

    // stop() before the wait is over: nothing fires. A second timer with the same interval,
    // started afterwards, proves that enough time went by.
    timer.setTimerInterval(1, 1);
    timer.start();
    timer.stop();
    SyncTimer witness;
    witness.setTimerInterval(1, 1);
    QSignalSpy witnessed(&witness, &SyncTimer::timeout);
    witness.start();
    QVERIFY(witnessed.wait(5000));
    QCOMPARE(timeouts.count(), 1);
}

void TestPlatformObjects::syncTimerIntervalIsSanitised()
{
    SyncTimer timer;
    timer.setTimerInterval(1800, 1800);
    QCOMPARE(timer.minimumInterval(), 1800);
    QCOMPARE(timer.maximumInterval(), 1800);
    timer.setTimerInterval(-5, -10);
    QCOMPARE(timer.minimumInterval(), 0);
    QCOMPARE(timer.maximumInterval(), 0);
    timer.setTimerInterval(60, 30);
    QCOMPARE(timer.maximumInterval(), 60);
    // Long intervals must not wrap into a short or negative wait.
    timer.setTimerInterval(3000000, 3000000);
    QSignalSpy timeouts(&timer, &SyncTimer::timeout);
    timer.start();
    QVERIFY(timer.isActive());
    QCoreApplication::processEvents();
    QCOMPARE(timeouts.count(), 0);
}

void TestPlatformObjects::timelineNotifierRecordsTheChange()
{
    ZrMeego::DesktopTimelineNotifier notifier;
    QVERIFY(!notifier.lastChange().isValid());
    QSignalSpy changed(&notifier, &ZrMeego::DesktopTimelineNotifier::changed);
    const QDateTime before = QDateTime::currentDateTimeUtc();
    notifier.homeTimelineChanged();
    QCOMPARE(changed.count(), 1);
    QVERIFY(notifier.lastChange() >= before);
    QCOMPARE(changed.first().first().toDateTime(), notifier.lastChange());
}

QTEST_MAIN(TestPlatformObjects)
#include "tst_platformobjects.moc"
