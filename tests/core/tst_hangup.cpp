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
    void programExitsCleanlyOnHangup();
};

void TestHangup::signalArrivesInTheEventLoop()
{
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction saved = {};
    QCOMPARE(::sigaction(SIGHUP, &ignore, &saved), 0);
    {
        HangupWatcher watcher;
        QVERIFY(watcher.isInstalled());
        QSignalSpy hangups(&watcher, &HangupWatcher::hangup);
        for (int i = 1; i <= 2; ++i) {
            QCOMPARE(::raise(SIGHUP), 0);
            // Nothing happens inside the handler itself.
            QCOMPARE(hangups.count(), i - 1);
            QVERIFY(hangups.wait());
            QCOMPARE(hangups.count(), i);
        }
        // Only one watcher owns the signal at a time.
        QVERIFY(!HangupWatcher().isInstalled());
    }
    // The disposition from before comes back, and a new watcher can take over.
    struct sigaction current = {};
    ::sigaction(SIGHUP, &saved, &current);
    QVERIFY(current.sa_handler == SIG_IGN);
    QVERIFY(HangupWatcher().isInstalled());
}

void TestHangup::programExitsCleanlyOnHangup()
{
    QTemporaryDir home;
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
    // Nothing listens there: the signed-out start page's request fails at once.
    environment.insert(QStringLiteral("ZIRRUP_SERVICE_URL"), QStringLiteral("http://127.0.0.1:9"));

    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(ZIRRUP_BINARY_DIR "/src/zirrup-qml"), {QStringLiteral("--debug")});
    QVERIFY(process.waitForStarted());
    // The program says when its event loop (and with it the handler) is up.
    QByteArray output;
    while (!output.contains("running")) {
        QVERIFY2(process.waitForReadyRead(30000), output.constData());
        output += process.readAll();
    }
    QVERIFY(output.contains("DataHandler::init"));
    QCOMPARE(::kill(pid_t(process.processId()), SIGHUP), 0);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestHangup)
#include "tst_hangup.moc"
