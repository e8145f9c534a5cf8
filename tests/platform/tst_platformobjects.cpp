#include "accountstore.h"
#include "desktoplaunchrequests.h"
#include "desktopnotificationhandler.h"
#include "helper.h"
#include "jsonrows.h"
#include "keychainsecretstore.h"
#include "platformtest.h"
#include "synctimer.h"
#include "zrfactorymeego.h"

#include <QtTest>

#include <memory>
#include <sys/stat.h>

using ZrMeego::Account;
using ZrMeego::AccountStore;
using ZrMeego::DesktopLaunchRequests;
using ZrMeego::DesktopNotificationHandler;
using ZrMeego::ZrFactoryMeego;

namespace {

// A keyring in memory that answers the way a real one does: later, never during the call.
class FakeKeyring : public ZrMeego::SecretStore
{
public:
    bool available = true;
    bool refuseWrites = false;
    int writes = 0;
    QHash<QString, QString> secrets;

    bool isAvailable() override { return available; }
    void readSecret(const QString &key, QObject *context,
                    std::function<void(bool, const QString &)> done) override
    {
        QTimer::singleShot(0, context,
                           [=, found = secrets.contains(key), secret = secrets.value(key)] {
                               done(found, secret);
                           });
    }
    void writeSecret(const QString &key, const QString &secret, QObject *context,
                     std::function<void(bool)> done) override
    {
        ++writes;
        if (!refuseWrites)
            secrets.insert(key, secret);
        QTimer::singleShot(0, context, [=, ok = !refuseWrites] { done(ok); });
    }
    void deleteSecret(const QString &key, QObject *context, std::function<void(bool)> done) override
    {
        secrets.remove(key);
        QTimer::singleShot(0, context, [=] { done(true); });
    }
};

struct stat statOf(const QString &path)
{
    struct stat info = {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info;
}

mode_t modeOf(const QString &path)
{
    return statOf(path).st_mode & 07777;
}

} // namespace

// The account store, the factory, the heartbeat timer and the smaller platform objects, without
// a session bus.
class TestPlatformObjects : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_path = m_dir->filePath(QStringLiteral("zirrup/account.json"));
    }

    void storesPrivatelyAndAtomically()
    {
        AccountStore store(m_path, nullptr);
        QVERIFY(!store.hasAccount());
        QVERIFY(store.storeAccount(testAccount()));
        QCOMPARE(modeOf(m_path), mode_t(0600));
        QCOMPARE(modeOf(QFileInfo(m_path).absolutePath()), mode_t(0700));
        // Everything comes back in a fresh reader.
        QCOMPARE(fields(AccountStore(m_path, nullptr).account()), fields(testAccount()));

        // A change replaces the file (a new inode) instead of rewriting it in place, so a reader
        // never sees half a file; nothing but the file is left behind.
        const ino_t before = statOf(m_path).st_ino;
        QVERIFY(store.setLastId(QStringLiteral("1000000000000000123")));
        QVERIFY(statOf(m_path).st_ino != before);
        QCOMPARE(modeOf(m_path), mode_t(0600));
        QCOMPARE(QDir(QFileInfo(m_path).absolutePath()).entryList(QDir::Files | QDir::Hidden),
                 QStringList {QStringLiteral("account.json")});

        // A file someone loosened is made private again when read.
        QFile::setPermissions(m_path, QFile::permissions(m_path) | QFileDevice::ReadOther);
        QVERIFY(AccountStore(m_path, nullptr).hasAccount());
        QCOMPARE(modeOf(m_path), mode_t(0600));

        // Signing out keeps the address for the next sign-in, and no secret.
        QVERIFY(store.removeAccount());
        AccountStore reader(m_path, nullptr);
        QVERIFY(!reader.hasAccount());
        QCOMPARE(reader.lastServiceUrl(), testAccount().serviceUrl);
        QVERIFY(!fileText(m_path).contains("token secret"));
    }

    void noticesAnotherWriter()
    {
        AccountStore watched(m_path, nullptr);
        watched.setWatching(true);
        QSignalSpy added(&watched, &AccountStore::accountAdded);
        QSignalSpy removed(&watched, &AccountStore::accountRemoved);
        QSignalSpy enabled(&watched, &AccountStore::enabledChanged);

        AccountStore other(m_path, nullptr);
        QVERIFY(other.storeAccount(testAccount()));
        QTRY_COMPARE(added.count(), 1);
        QVERIFY(watched.hasAccount());
        QVERIFY(other.setEnabled(false));
        QTRY_COMPARE(enabled.count(), 1);
        QVERIFY(other.removeAccount());
        QTRY_COMPARE(removed.count(), 1);
        QVERIFY(!watched.hasAccount());

        // A write made through a stale store reads the file first and keeps the other's change.
        QVERIFY(other.storeAccount(testAccount(QUrl("http://127.0.0.1:8123"), "1850", "t2")));
        AccountStore stale(m_path, nullptr);
        QVERIFY(other.removeAccount());
        QVERIFY(!stale.setLastId(QStringLiteral("99")));
        QVERIFY(!AccountStore(m_path, nullptr).hasAccount());
        // However quickly the other writer went, the watcher ends where the file is, and never
        // reports a removal without an account it had seen added first.
        QTRY_VERIFY(!watched.hasAccount());
        QCOMPARE(removed.count(), added.count());
    }

    void refusesIncompleteAndSurvivesCorruptFiles()
    {
        AccountStore store(m_path, nullptr);
        Account incomplete = testAccount();
        incomplete.tokenSecret.clear();
        QString error;
        QVERIFY(!store.storeAccount(incomplete, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!store.storeAccount(testAccount(QUrl(QStringLiteral("file:///etc/passwd")))));
        QVERIFY(!QFile::exists(m_path));

        QDir().mkpath(QFileInfo(m_path).absolutePath());
        for (const char *garbage :
             {"{not json", "[1, 2]", R"({"format": 1, "account": {"user_id": "1"}})"}) {
            QFile file(m_path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(garbage);
            file.close();
            QVERIFY2(!AccountStore(m_path, nullptr).hasAccount(), garbage);
        }
        // The next sign-in replaces the damaged file.
        QVERIFY(AccountStore(m_path, nullptr).storeAccount(testAccount()));
        QVERIFY(AccountStore(m_path, nullptr).hasAccount());
    }

    void tokensGoWhereTheyAreSafest_data()
    {
        QTest::addColumn<bool>("withKeyring");
        QTest::addColumn<bool>("available");
        QTest::addColumn<bool>("refuses");
        QTest::addColumn<bool>("inKeyring");
        // The pair was written where no keyring was (the sign-in tool, an earlier version), and
        // the keyring comes with the next start.
        QTest::addColumn<bool>("later");

        QTest::newRow("no keyring") << false << false << false << false << false;
        QTest::newRow("nobody answers for the keyring") << true << false << false << false << false;
        QTest::newRow("the keyring refuses") << true << true << true << false << false;
        QTest::newRow("the keyring") << true << true << false << true << false;
        QTest::newRow("the keyring at the next start") << true << true << false << true << true;
    }

    void tokensGoWhereTheyAreSafest()
    {
        QFETCH(bool, withKeyring);
        QFETCH(bool, available);
        QFETCH(bool, refuses);
        QFETCH(bool, inKeyring);
        QFETCH(bool, later);

        FakeKeyring keyring;
        keyring.available = available;
        keyring.refuseWrites = refuses;
        if (later)
            QVERIFY(AccountStore(m_path, nullptr).storeAccount(testAccount()));
        AccountStore store(m_path, nullptr);
        store.setWatching(true);
        if (withKeyring && !later)
            store.setSecretStore(&keyring);
        QSignalSpy added(&store, &AccountStore::accountAdded);
        QSignalSpy removed(&store, &AccountStore::accountRemoved);
        QSignalSpy moved(&store, &AccountStore::tokensMoved);
        if (later)
            store.setSecretStore(&keyring);
        else
            QVERIFY(store.storeAccount(testAccount()));
        if (inKeyring)
            QVERIFY(moved.wait());
        else if (available)
            QTRY_COMPARE(keyring.writes, 1);
        QCoreApplication::processEvents();

        // Moved, the pair is in the file no more; moving it is no new session, not even to a
        // store that watches the file.
        const QByteArray file = fileText(m_path);
        QCOMPARE(QList<qsizetype>({moved.count(), file.contains("1843-token"),
                                   file.contains("token secret"), store.account().tokenInKeyring,
                                   added.count(), removed.count()}),
                 QList<qsizetype>({inKeyring, !inKeyring, !inKeyring, inKeyring, !later, 0}));
        const QHash<QString, QString> pair {
            {"http://127.0.0.1:8123 1843",
             R"({"oauth_token":"1843-token","oauth_token_secret":"token secret/with+odd&chars"})"}};
        QCOMPARE(keyring.secrets, inKeyring ? pair : decltype(pair)());
        QCOMPARE(modeOf(m_path), mode_t(0600));

        // Either way the pair comes back whole, to this store and to a fresh one.
        std::optional<Account> read = readWithTokens(store);
        QVERIFY(read);
        QCOMPARE(read->token, QStringLiteral("1843-token"));
        QCOMPARE(read->tokenSecret, testAccount().tokenSecret);
        AccountStore fresh(m_path, nullptr);
        fresh.setSecretStore(&keyring);
        QCOMPARE(readWithTokens(fresh)->token, QStringLiteral("1843-token"));
        // A keyring that is gone later, or lost the pair, costs the tokens, never the account.
        AccountStore withoutKeyring(m_path, nullptr);
        QVERIFY(withoutKeyring.hasAccount());
        QCOMPARE(bool(readWithTokens(withoutKeyring)), !inKeyring);
        if (inKeyring) {
            FakeKeyring lost;
            AccountStore forgotten(m_path, nullptr);
            forgotten.setSecretStore(&lost);
            QVERIFY(!readWithTokens(forgotten) && forgotten.hasAccount());
        }

        // A new token for the same user is a new session, and the new pair moves too; bookkeeping
        // keeps it out of the file.
        QVERIFY(
            store.storeAccount(testAccount(QUrl("http://127.0.0.1:8123"), "1843", "new-token")));
        QCOMPARE(added.count(), later ? 1 : 2);
        if (inKeyring)
            QVERIFY(moved.wait());
        QCOMPARE(readWithTokens(store)->token, QStringLiteral("new-token"));
        QVERIFY(store.setLastId(QStringLiteral("77")));
        QCOMPARE(fileText(m_path).contains("new-token"), !inKeyring);

        // Signing out takes the pair out of the keyring too.
        QVERIFY(store.removeAccount());
        QTRY_VERIFY(keyring.secrets.isEmpty());
        QVERIFY(!readWithTokens(store));
    }

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
    }

    void withoutASessionBusEverythingIsQuietAndLocal()
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

        // The newest id seen is kept with the account; without one there is nowhere to keep it.
        ZrMeego::AccountStore *store = factory.accountStore();
        store->removeAccount();
        notifications->saveLastId(QStringLiteral("100"));
        QVERIFY(notifications->lastId().isEmpty());
        QVERIFY(store->storeAccount(testAccount()));
        notifications->saveLastId(QStringLiteral("1000000000000000123"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("ignoring last id"));
        notifications->saveLastId(QStringLiteral("12\",\"x"));
        QCOMPARE(notifications->lastId(), QStringLiteral("1000000000000000123"));
        QCOMPARE(AccountStore(store->filePath(), nullptr).account().lastId,
                 QStringLiteral("1000000000000000123"));
        store->removeAccount();
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

QTEST_MAIN(TestPlatformObjects)
#include "tst_platformobjects.moc"
