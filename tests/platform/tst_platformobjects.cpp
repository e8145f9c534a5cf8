#include "accountstore.h"
#include "desktoplaunchrequests.h"
#include "desktopnotificationhandler.h"
#include "helper.h"
#include "jsonrows.h"
#include "keychainsecretstore.h"
#include "launchrecorder.h"
#include "synctimer.h"
#include "testaccount.h"
#include "zrfactorymeego.h"
#include "zrloginhandler.h"

#include <QBuffer>
#include <QtTest>

#include <memory>

using ZrMeego::DesktopLaunchRequests;
using ZrMeego::DesktopNotificationHandler;
using ZrMeego::ZrFactoryMeego;

// The factory, the heartbeat timer and the smaller platform objects, without a session bus.
class TestPlatformObjects : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void syncTimerFiresOncePerStart()
    {
        SyncTimer timer;
        timer.setTimerInterval(-5, -10);
        QCOMPARE(timer.minimumInterval(), 0);
        QCOMPARE(timer.maximumInterval(), 0);
        QSignalSpy timeouts(&timer, &SyncTimer::timeout);
        timer.start();
        QVERIFY(timeouts.wait());
        QCOMPARE(timeouts.count(), 1);
        QVERIFY(!timer.isActive());
        timer.start();
        timer.stop();
        QVERIFY(!timer.isActive());

        // The longest wait is never shorter than the shortest; long ones must not wrap around.
        timer.setTimerInterval(60, 30);
        QCOMPARE(timer.maximumInterval(), 60);
        timer.setTimerInterval(3000000, 3000000);
        timer.start();
        QVERIFY(timer.isActive());
        QCoreApplication::processEvents();
        QCOMPARE(timeouts.count(), 1);
    }

    void debugCallbackFiltersAndPrefixes()
    {
        // Whatever handler the test framework installed comes back afterwards.
        const QtMessageHandler previous = qInstallMessageHandler(nullptr);
        QBuffer output;
        output.open(QIODevice::WriteOnly);
        Helper::setDebugOutput(&output);
        Helper::setDebugCallback("zirrup-qml", false);
        qDebug("quiet debug");
        qInfo("quiet info");
        qWarning("loud warning");
        qCritical("loud critical");
        Helper::setDebugCallback("zirrup-qml", true);
        qDebug("loud debug");
        qInfo("loud info");
        qInstallMessageHandler(previous);
        Helper::setDebugOutput(nullptr);

        QCOMPARE(output.data().trimmed().split('\n'),
                 (QList<QByteArray> {"zirrup-qml: loud warning", "zirrup-qml: loud critical",
                                     "zirrup-qml: loud debug", "zirrup-qml: loud info"}));
    }

    void launchRequestsAreCheckedBeforeTheyAreEmitted_data()
    {
        addJsonRows(ZIRRUP_TEST_DATA_DIR "/data/launch.json", "requestChecks");
    }

    void launchRequestsAreCheckedBeforeTheyAreEmitted()
    {
        QFETCH(QVariantMap, row);
        DesktopLaunchRequests requests;
        LaunchRecorder recorder(&requests);
        // A launch option's subject and a bus request take the same way and the same checks.
        const QStringList emitted = row["emitted"].toStringList();
        QCOMPARE(requests.requestSubject(row["mode"].toInt(), row["subject"].toString()),
                 !emitted.isEmpty());
        QCOMPARE(recorder.take(), emitted);

        QVERIFY(requests.requestMessage(QStringLiteral("bob"), QStringLiteral("42")));
        QVERIFY(!requests.requestMessage(QStringLiteral("bob"), QStringLiteral("x")));
        QVERIFY(requests.requestRaise());
        QCOMPARE(recorder.take(), QStringList({"showMessage bob 42", "raiseRequested"}));
    }

    void withoutASessionBusEverythingIsQuiet()
    {
        QCOMPARE(qgetenv("DBUS_SESSION_BUS_ADDRESS"), QByteArray("disabled:"));
        ZrFactoryMeego factory;
        QCOMPARE(factory.desktopLaunchRequests()->registration(), DesktopLaunchRequests::NoBus);
        QVERIFY(!ZrMeego::KeychainSecretStore().isAvailable());
        QVERIFY(!ZrFactoryMeego::handOffToRunningInstance(6));

        DesktopNotificationHandler *notifications = factory.desktopNotificationHandler();
        QSignalSpy shown(notifications, &DesktopNotificationHandler::notificationShown);
        notifications->notifyMentions(2, QStringLiteral("@demo hello"), QStringLiteral("5"));
        notifications->notifyMessages(1, QStringLiteral("hi"), QStringLiteral("bob"));
        notifications->clearMentionNotifications();
        notifications->clearMessageNotifications();
        QCoreApplication::processEvents();
        QCOMPARE(shown.count(), 0);
        QVERIFY(notifications->shownNotifications(DesktopNotificationHandler::Mentions).isEmpty());
    }

    void lastIdIsKeptWithTheAccount()
    {
        ZrFactoryMeego factory;
        ZrMeego::AccountStore *store = factory.accountStore();
        store->removeAccount();
        DesktopNotificationHandler *notifications = factory.desktopNotificationHandler();

        // Without an account there is nowhere to keep it.
        notifications->saveLastId(QStringLiteral("100"));
        QVERIFY(notifications->lastId().isEmpty());

        QVERIFY(store->storeAccount(testAccount()));
        notifications->saveLastId(QStringLiteral("1000000000000000123"));
        QCOMPARE(notifications->lastId(), QStringLiteral("1000000000000000123"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("ignoring last id"));
        notifications->saveLastId(QStringLiteral("12\",\"x"));
        QCOMPARE(ZrMeego::AccountStore(store->filePath(), nullptr).account().lastId,
                 QStringLiteral("1000000000000000123"));
        store->removeAccount();
    }
};

QTEST_MAIN(TestPlatformObjects)
#include "tst_platformobjects.moc"
