#include "accountstore.h"
#include "desktoplaunchrequests.h"
#include "desktopnotificationhandler.h"
#include "helper.h"
#include "positioninghandler.h"
#include "synctimer.h"
#include "zrfactorymeego.h"
#include "zrlaunchrequests.h"
#include "zrloginhandler.h"
#include "zrnotificationhandler.h"

#include <QBuffer>
#include <QProcess>
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
    void debugCallbackFiltersAndPrefixes();
    void launchRequestsAreCheckedBeforeTheyAreEmitted();
    void withoutASessionBusEverythingIsQuiet();
    void lastIdIsKeptWithTheAccount();
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

void TestPlatformObjects::debugCallbackFiltersAndPrefixes()
{
    // Whatever handler the test framework installed comes back afterwards.
    const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(previous);
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

    const QList<QByteArray> lines = output.data().trimmed().split('\n');
    QCOMPARE(lines,
             (QList<QByteArray> {"zirrup-qml: loud warning", "zirrup-qml: loud critical",
                                 "zirrup-qml: loud debug", "zirrup-qml: loud info"}));
}

void TestPlatformObjects::launchRequestsAreCheckedBeforeTheyAreEmitted()
{
    ZrMeego::DesktopLaunchRequests requests;
    QSignalSpy profiles(&requests, &ZrPlatform::ZrLaunchRequests::showProfile);
    QSignalSpy tweets(&requests, &ZrPlatform::ZrLaunchRequests::showFeedItem);
    QSignalSpy composes(&requests, &ZrPlatform::ZrLaunchRequests::showCompose);
    QSignalSpy messages(&requests, &ZrPlatform::ZrLaunchRequests::showMessage);
    QSignalSpy mentions(&requests, &ZrPlatform::ZrLaunchRequests::showMention);
    QSignalSpy raised(&requests, &ZrPlatform::ZrLaunchRequests::raiseRequested);

    // The leading "@" is the program's to drop; it arrives as sent.
    QVERIFY(requests.requestProfile(QStringLiteral("@Alice_1")));
    QCOMPARE(profiles.last().first().toString(), QStringLiteral("@Alice_1"));
    for (const QString &bad :
         {QString(), QStringLiteral("@"), QStringLiteral("a b"), QStringLiteral("alice/../x"),
          QStringLiteral("sixteen_chars_xx"), QStringLiteral("<b>x</b>")}) {
        QVERIFY2(!requests.requestProfile(bad), qPrintable(bad));
        QVERIFY2(!requests.requestCompose(bad), qPrintable(bad));
    }
    QCOMPARE(profiles.count(), 1);
    QCOMPARE(composes.count(), 0);

    QVERIFY(requests.requestFeedItem(QStringLiteral("1000000000000000123")));
    for (const QString &bad : {QString(), QStringLiteral("0"), QStringLiteral("12x"),
                               QStringLiteral("-5"), QStringLiteral("12345678901234567890")}) {
        QVERIFY2(!requests.requestFeedItem(bad), qPrintable(bad));
        QVERIFY2(!requests.requestMention(bad), qPrintable(bad));
    }
    QCOMPARE(tweets.count(), 1);
    QCOMPARE(mentions.count(), 0);

    QVERIFY(requests.requestMessage(QStringLiteral("bob"), QStringLiteral("42")));
    QVERIFY(requests.requestMessage(QStringLiteral("bob"), QString()));
    QVERIFY(!requests.requestMessage(QStringLiteral("bob"), QStringLiteral("x")));
    QCOMPARE(messages.count(), 2);
    QCOMPARE(messages.first(), (QList<QVariant> {QStringLiteral("bob"), QStringLiteral("42")}));

    QVERIFY(requests.requestRaise());
    QCOMPARE(raised.count(), 1);

    // A launch option's subject takes the same way and the same checks.
    QVERIFY(requests.requestSubject(2, QStringLiteral("carol")));
    QCOMPARE(profiles.last().first().toString(), QStringLiteral("carol"));
    QVERIFY(requests.requestSubject(4, QStringLiteral("@dave")));
    QCOMPARE(composes.last().first().toString(), QStringLiteral("@dave"));
    QVERIFY(requests.requestSubject(5, QStringLiteral("erin")));
    QCOMPARE(messages.last(), (QList<QVariant> {QStringLiteral("erin"), QString()}));
    QVERIFY(requests.requestSubject(3, QStringLiteral("77")));
    QVERIFY(requests.requestSubject(7, QStringLiteral("78")));
    QCOMPARE(mentions.last().first().toString(), QStringLiteral("78"));
    QVERIFY(!requests.requestSubject(3, QStringLiteral("hello world")));
    QVERIFY(!requests.requestSubject(6, QStringLiteral("erin")));
    QCOMPARE(tweets.count(), 2);
}

void TestPlatformObjects::withoutASessionBusEverythingIsQuiet()
{
    QCOMPARE(qgetenv("DBUS_SESSION_BUS_ADDRESS"), QByteArray("disabled:"));
    ZrMeego::ZrFactoryMeego factory;
    ZrMeego::DesktopLaunchRequests *requests = factory.desktopLaunchRequests();
    QCOMPARE(requests->registration(), ZrMeego::DesktopLaunchRequests::NoBus);
    QVERIFY(!ZrMeego::ZrFactoryMeego::handOffToRunningInstance(6));

    ZrMeego::DesktopNotificationHandler *notifications = factory.desktopNotificationHandler();
    QSignalSpy shown(notifications, &ZrMeego::DesktopNotificationHandler::notificationShown);
    notifications->notifyMentions(2, QStringLiteral("@demo hello"), QStringLiteral("5"));
    notifications->notifyMessages(1, QStringLiteral("hi"), QStringLiteral("bob"));
    notifications->clearMentionNotifications();
    notifications->clearMessageNotifications();
    QCoreApplication::processEvents();
    QCOMPARE(shown.count(), 0);
    QVERIFY(
        notifications->shownNotifications(ZrMeego::DesktopNotificationHandler::Mentions).isEmpty());

    QProcess launch;
    launch.start(QStringLiteral(ZIRRUP_BINARY_DIR "/platform/integration/tools/zirrup-launch"),
                 {QStringLiteral("mentions")});
    QVERIFY(launch.waitForFinished(20000));
    QCOMPARE(launch.exitCode(), 1);
    launch.start(launch.program(), {QStringLiteral("tweet")});
    QVERIFY(launch.waitForFinished(20000));
    QCOMPARE(launch.exitCode(), 2);
}

void TestPlatformObjects::lastIdIsKeptWithTheAccount()
{
    ZrMeego::ZrFactoryMeego factory;
    ZrMeego::AccountStore *store = factory.accountStore();
    store->removeAccount();
    ZrMeego::DesktopNotificationHandler *notifications = factory.desktopNotificationHandler();

    // Without an account there is nowhere to keep it.
    notifications->saveLastId(QStringLiteral("100"));
    QVERIFY(notifications->lastId().isEmpty());

    ZrMeego::Account account;
    account.serviceUrl = QUrl(QStringLiteral("http://127.0.0.1:8123"));
    account.userId = QStringLiteral("1843");
    account.screenName = QStringLiteral("demo");
    account.token = QStringLiteral("t");
    account.tokenSecret = QStringLiteral("s");
    account.consumerKey = QStringLiteral("ck");
    account.consumerSecret = QStringLiteral("cs");
    QVERIFY(store->storeAccount(account));
    notifications->saveLastId(QStringLiteral("1000000000000000123"));
    QCOMPARE(notifications->lastId(), QStringLiteral("1000000000000000123"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("ignoring last id"));
    notifications->saveLastId(QStringLiteral("12\",\"x"));
    QCOMPARE(ZrMeego::AccountStore(store->filePath(), nullptr).account().lastId,
             QStringLiteral("1000000000000000123"));
    store->removeAccount();
}

QTEST_MAIN(TestPlatformObjects)
#include "tst_platformobjects.moc"
