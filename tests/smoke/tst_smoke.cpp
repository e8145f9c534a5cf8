// The whole program once through: the sandbox with its demo world, the demo account stored by
// the sign-in tool, and zirrup-qml signing in, showing the home timeline, the mentions, a user's
// tweets and going back. Screenshots of every step are kept under test-artifacts/smoke.
#include "sandboxprocess.h"

#include <QtTest>

class TestSmoke : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void signedInSession();
};

static QStringList qmlProblems(const QString &output)
{
    static const QRegularExpression problem(
        QStringLiteral("qrc:/|\\.qml:\\d+|TypeError|ReferenceError|Binding loop|QQmlComponent"));
    QStringList found;
    const QStringList lines = output.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (!line.contains(QLatin1String("SMOKE:")) && problem.match(line).hasMatch())
            found.append(line);
    }
    return found;
}

void TestSmoke::signedInSession()
{
    SandboxProcess sandbox({QStringLiteral("--seed")});
    QVERIFY2(sandbox.start(), qPrintable(sandbox.errorString()));
    const QString url = sandbox.baseUrl().toString();

    // The demo account, stored as the run script stores it.
    QProcess signIn;
    signIn.start(QStringLiteral(ZIRRUP_SIGNIN_PATH),
                 {QStringLiteral("--service"), url, QStringLiteral("--user"),
                  QStringLiteral("demo"), QStringLiteral("--password-stdin")});
    QVERIFY(signIn.waitForStarted());
    signIn.write("demo\n");
    signIn.closeWriteChannel();
    QVERIFY(signIn.waitForFinished(30000));
    QCOMPARE(signIn.exitCode(), 0);

    QDir artifacts(QStringLiteral(ZIRRUP_ARTIFACTS_DIR));
    QVERIFY(artifacts.removeRecursively() || !artifacts.exists());
    QVERIFY(QDir().mkpath(artifacts.path()));
    const QString script = artifacts.filePath(QStringLiteral("SmokeScript.qml"));
    QVERIFY(QFile::copy(QStringLiteral(ZIRRUP_SMOKE_SCRIPT), script));

    QProcess client;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ZIRRUP_SERVICE_URL"), url);
    environment.insert(QStringLiteral("ZIRRUP_UI_SCRIPT"), script);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    client.setProcessEnvironment(environment);
    client.start(QStringLiteral(ZIRRUP_QML_PATH), QStringList());
    QVERIFY(client.waitForStarted());
    const bool finished = client.waitForFinished(150000);
    if (!finished)
        client.kill();
    const QString output = QString::fromLocal8Bit(client.readAllStandardError())
        + QString::fromLocal8Bit(client.readAllStandardOutput());
    QFile log(artifacts.filePath(QStringLiteral("client.log")));
    if (log.open(QIODevice::WriteOnly))
        log.write(output.toLocal8Bit());

    QVERIFY2(finished, qPrintable(output.right(3000)));
    QVERIFY2(client.exitStatus() == QProcess::NormalExit && client.exitCode() == 0,
             qPrintable(output.right(3000)));

    const QStringList problems = qmlProblems(output);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));

    for (const char *name : {"home", "more", "mentions", "usertweets", "back"}) {
        const QImage shot(artifacts.filePath(QLatin1String(name) + QLatin1String(".png")));
        QVERIFY2(!shot.isNull(), name);
        QVERIFY(shot.width() >= 400 && shot.height() >= 600);
        // A real page, not a blank window: more than a handful of colours.
        QSet<QRgb> colours;
        for (int y = 0; y < shot.height() && colours.size() < 50; y += 7) {
            for (int x = 0; x < shot.width(); x += 7)
                colours.insert(shot.pixel(x, y));
        }
        QVERIFY2(colours.size() >= 50, name);
    }
}

QTEST_GUILESS_MAIN(TestSmoke)
#include "tst_smoke.moc"
