#include "accountstore.h"
#include "fakesecretservice.h"
#include "keychainsecretstore.h"

#include <QDBusConnection>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using ZrMeego::Account;
using ZrMeego::AccountStore;
using ZrMeego::KeychainSecretStore;

// The keyring through QtKeychain, against a Secret Service of our own on a private session bus:
// nothing is found without one, and with one the account's token pair moves in, comes back and
// goes away with the account.
class TestKeyring : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void noKeyringWithoutASecretService();
    void accountTokensLiveInTheKeyring();

private:
    QTemporaryFile m_config;
    QProcess m_daemon;
    QString m_address;
};

void TestKeyring::initTestCase()
{
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty())
        QSKIP("dbus-daemon is not installed");
    // A bus of our own that starts nothing: no keyring of the machine's is found on it.
    QVERIFY(m_config.open());
    m_config.write(
        R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=/tmp</listen>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)");
    m_config.close();
    m_daemon.start(daemon,
                   {QStringLiteral("--config-file=") + m_config.fileName(),
                    QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    QVERIFY(m_daemon.waitForStarted());
    while (!m_daemon.canReadLine()) {
        if (!m_daemon.waitForReadyRead(10000))
            QFAIL(m_daemon.readAllStandardError().constData());
    }
    m_address = QString::fromUtf8(m_daemon.readLine().trimmed());
    // Before anything in the process (the keyring library too) looks for the session bus.
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_address.toUtf8());
    qputenv("XDG_CURRENT_DESKTOP", "GNOME");
    QVERIFY(QDBusConnection::sessionBus().isConnected());
}

void TestKeyring::cleanupTestCase()
{
    if (m_daemon.state() != QProcess::NotRunning) {
        m_daemon.terminate();
        m_daemon.waitForFinished(5000);
    }
}

void TestKeyring::noKeyringWithoutASecretService()
{
    KeychainSecretStore keyring;
    QVERIFY(!keyring.isAvailable());
}

void TestKeyring::accountTokensLiveInTheKeyring()
{
    FakeSecretService service;
    QVERIFY(service.start(m_address));
    KeychainSecretStore keyring;
    QVERIFY(keyring.isAvailable());

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("account.json"));
    Account account;
    account.serviceUrl = QUrl(QStringLiteral("http://127.0.0.1:8123"));
    account.userId = QStringLiteral("1843");
    account.screenName = QStringLiteral("demo");
    account.token = QStringLiteral("1843-token");
    account.tokenSecret = QStringLiteral("token-secret");
    account.consumerKey = QStringLiteral("consumer-key");
    account.consumerSecret = QStringLiteral("consumer-secret");
    // Written where no keyring was.
    QVERIFY(AccountStore(path, nullptr).storeAccount(account));

    AccountStore store(path, nullptr);
    QSignalSpy moved(&store, &AccountStore::tokensMoved);
    store.setSecretStore(&keyring);
    QVERIFY2(moved.wait(10000), qPrintable(service.calls.join(QLatin1Char(' '))));
    QCOMPARE(service.items.size(), 1);
    QVERIFY(service.items.first().value.contains("1843-token"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(!file.readAll().contains("1843-token"));

    std::optional<Account> read;
    bool answered = false;
    store.readAccountWithTokens(this, [&](std::optional<Account> result) {
        read = result;
        answered = true;
    });
    QTRY_VERIFY_WITH_TIMEOUT(answered, 10000);
    QVERIFY(read);
    QCOMPARE(read->token, QStringLiteral("1843-token"));
    QCOMPARE(read->tokenSecret, QStringLiteral("token-secret"));

    QVERIFY(store.removeAccount());
    QTRY_VERIFY_WITH_TIMEOUT(service.items.isEmpty(), 10000);
}

QTEST_GUILESS_MAIN(TestKeyring)
#include "tst_keyring.moc"
