#include "hangupwatcher.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

class TestHangup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void signalArrivesInTheEventLoop();
    void previousDispositionComesBack();
    void programExitsCleanlyOnHangup();
};

void TestHangup::signalArrivesInTheEventLoop()
{
    HangupWatcher watcher;
    QVERIFY(watcher.isInstalled());
    QSignalSpy hangups(&watcher, &HangupWatcher::hangup);

    QCOMPARE(::raise(SIGHUP), 0);
    // Nothing happens inside the handler itself.
    QCOMPARE(hangups.count(), 0);
    QVERIFY(hangups.wait());
    QCOMPARE(hangups.count(), 1);

    QCOMPARE(::raise(SIGHUP), 0);
    QVERIFY(hangups.wait());
    QCOMPARE(hangups.count(), 2);

    // Only one watcher owns the signal at a time.
    HangupWatcher second;
    QVERIFY(!second.isInstalled());
}

void TestHangup::previousDispositionComesBack()
{
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    struct sigaction saved = {};
    QCOMPARE(::sigaction(SIGHUP, &ignore, &saved), 0);
    {
        HangupWatcher watcher;
        QVERIFY(watcher.isInstalled());
        struct sigaction current = {};
        ::sigaction(SIGHUP, nullptr, &current);
        QVERIFY(current.sa_handler != SIG_IGN);
    }
    struct sigaction after = {};
    ::sigaction(SIGHUP, nullptr, &after);
    QVERIFY(after.sa_handler == SIG_IGN);
    ::sigaction(SIGHUP, &saved, nullptr);

    // A new watcher can take over once the old one is gone.
    HangupWatcher again;
    QVERIFY(again.isInstalled());
}

void TestHangup::programExitsCleanlyOnHangup()
{
    const QString program = QStringLiteral(ZIRRUP_BINARY_DIR "/src/zirrup-qml");
    if (!QFileInfo::exists(program))
        QSKIP("zirrup-qml is not built");

    QTemporaryDir home;
    QVERIFY(home.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    for (const char *name :
         {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"}) {
        const QString path = home.filePath(QString::fromLatin1(name).toLower());
        QVERIFY(QDir().mkpath(path));
        QFile::setPermissions(
            path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        environment.insert(QLatin1String(name), path);
    }
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("disabled:"));
    // Nothing listens there: the signed-out start page's request fails at once.
    environment.insert(QStringLiteral("ZIRRUP_SERVICE_URL"), QStringLiteral("http://127.0.0.1:9"));
    environment.insert(QStringLiteral("http_proxy"), QString());

    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, {QStringLiteral("--debug")});
    QVERIFY(process.waitForStarted());

    // The program says when its event loop (and with it the handler) is up.
    QByteArray output;
    while (!output.contains("running")) {
        if (!process.waitForReadyRead(30000))
            QFAIL(qPrintable(QStringLiteral("no start-up line; output so far:\n")
                             + QString::fromLocal8Bit(output)));
        output += process.readAll();
    }
    QVERIFY(output.contains("DataHandler::init"));

    QCOMPARE(::kill(pid_t(process.processId()), SIGHUP), 0);
    QVERIFY(process.waitForFinished(30000));
    output += process.readAll();
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestHangup)
#include "tst_hangup.moc"
