// The whole program against the sandbox with its demo world, one session per <Name>Script.qml
// beside this file: each starts a fresh sandbox and a fresh home, signed in as the demo account
// through the sign-in tool (or signed out, for SignedOut<Name>Script.qml), runs zirrup-qml
// offscreen with the script driving it, and fails on any QML warning or error. ctest runs each
// session on its own ("tst_smoke session:<Name>"); its screenshots are kept under
// test-artifacts/smoke/<Name>. A line "// LANG=<locale>" in a script runs it in that language.
#include "sandboxprocess.h"

#include <QImageIOHandler>
#include <QImageWriter>
#include <QPainter>
#include <QtTest>

// A few pictures for the photo picker: landscape and portrait, one turned by its EXIF tag. Shaded
// corner to corner, so that a picture shown full size fills a screenshot with enough colours.
static bool writePictures(const QString &folder)
{
    const std::tuple<const char *, QSize, QColor, QImageIOHandler::Transformation> pictures[] = {
        {"lake.jpg", {1600, 1200}, QColor(40, 110, 180), QImageIOHandler::TransformationNone},
        {"tower.jpg", {900, 1600}, QColor(200, 120, 40), QImageIOHandler::TransformationNone},
        {"sideways.jpg",
         {1600, 1200},
         QColor(60, 160, 80),
         QImageIOHandler::TransformationRotate90},
    };
    for (const auto &[name, size, colour, turn] : pictures) {
        QImage image(size, QImage::Format_RGB32);
        QLinearGradient shade(0, 0, size.width(), size.height());
        shade.setColorAt(0, colour);
        shade.setColorAt(1, colour.darker(250));
        QPainter(&image).fillRect(image.rect(), shade);
        QImageWriter writer(QDir(folder).filePath(QLatin1String(name)), "jpg");
        writer.setTransformation(turn);
        if (!QDir().mkpath(folder) || !writer.write(image))
            return false;
    }
    return true;
}

class TestSmoke : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void session_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("signedIn");
        const QDir sources(QStringLiteral(ZIRRUP_SMOKE_DIR));
        for (const QString &script :
             sources.entryList({QStringLiteral("*Script.qml")}, QDir::Files)) {
            const QString name = script.chopped(int(qstrlen("Script.qml")));
            QTest::newRow(qPrintable(name))
                << script << !name.startsWith(QLatin1String("SignedOut"));
        }
    }

    void session()
    {
        QFETCH(QString, script);
        QFETCH(bool, signedIn);

        QDir artifacts(QStringLiteral(ZIRRUP_ARTIFACTS_DIR "/")
                       + QLatin1String(QTest::currentDataTag()));
        QVERIFY(artifacts.removeRecursively() || !artifacts.exists());
        QVERIFY(QDir().mkpath(artifacts.path()));
        // The scripts and their shared runner, beside the screenshots they write.
        const QDir sources(QStringLiteral(ZIRRUP_SMOKE_DIR));
        for (const QString &name : sources.entryList({QStringLiteral("*.qml")}, QDir::Files))
            QVERIFY(QFile::copy(sources.filePath(name), artifacts.filePath(name)));

        const QString home = artifacts.filePath(QStringLiteral("home"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // Inherited from this test, it would make Qt Positioning load only its test plugins, and
        // the recorded position would never be read.
        environment.remove(QStringLiteral("QT_QTESTLIB_RUNNING"));
        environment.insert(QStringLiteral("HOME"), home);
        for (const QString &name :
             {QStringLiteral("config"), QStringLiteral("cache"), QStringLiteral("data")})
            environment.insert(QStringLiteral("XDG_%1_HOME").arg(name.toUpper()),
                               home + QLatin1Char('/') + name);
        const QString runtime = home + QStringLiteral("/runtime");
        QVERIFY(QDir().mkpath(runtime));
        QFile::setPermissions(
            runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        QVERIFY(writePictures(home + QStringLiteral("/Pictures")));
        environment.insert(QStringLiteral("ZIRRUP_POSITION_LOG"),
                           sources.filePath(QStringLiteral("position.nmea")));
        // A script may name its language with a line "// LANG=de_DE.UTF-8"; otherwise the system's.
        QFile scriptFile(sources.filePath(script));
        QVERIFY(scriptFile.open(QIODevice::ReadOnly));
        static const QRegularExpression langLine(QStringLiteral("^// LANG=(\\S+)$"),
                                                 QRegularExpression::MultilineOption);
        const QRegularExpressionMatch lang =
            langLine.match(QString::fromUtf8(scriptFile.readAll()));
        if (lang.hasMatch()) {
            for (const QString &name : environment.keys()) {
                if (name.startsWith(QLatin1String("LC_")) || name == QLatin1String("LANGUAGE"))
                    environment.remove(name);
            }
            environment.insert(QStringLiteral("LANG"), lang.captured(1));
        }

        SandboxProcess sandbox({QStringLiteral("--seed")});
        QVERIFY2(sandbox.start(), qPrintable(sandbox.errorString()));
        const QString url = sandbox.baseUrl().toString();

        if (signedIn) {
            // The demo account, stored as the run script stores it.
            QProcess signIn;
            signIn.setProcessEnvironment(environment);
            signIn.start(QStringLiteral(ZIRRUP_SIGNIN_PATH),
                         {QStringLiteral("--service"), url, QStringLiteral("--user"),
                          QStringLiteral("demo"), QStringLiteral("--password-stdin")});
            QVERIFY(signIn.waitForStarted());
            signIn.write("demo\n");
            signIn.closeWriteChannel();
            QVERIFY(signIn.waitForFinished(30000));
            QCOMPARE(signIn.exitCode(), 0);
        }

        QProcess client;
        environment.insert(QStringLiteral("ZIRRUP_SERVICE_URL"), url);
        environment.insert(QStringLiteral("ZIRRUP_UI_SCRIPT"), artifacts.filePath(script));
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

        // QML's own complaints; the script's "SMOKE:" lines are its progress.
        static const QRegularExpression problem(
            QStringLiteral("^(?!.*SMOKE:).*(qrc:/|\\.qml:\\d+|TypeError|ReferenceError|Binding "
                           "loop|QQmlComponent)"));
        const QStringList problems = output.split(QLatin1Char('\n')).filter(problem);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));

        // Every step reached left a real page behind, not a blank window.
        static const QRegularExpression reached(QStringLiteral("SMOKE: reached (\\S+)"));
        static const QRegularExpression stepCount(QStringLiteral("SMOKE: steps (\\d+)"));
        const QRegularExpressionMatch count = stepCount.match(output);
        QVERIFY2(count.hasMatch(), "the script did not start");
        QStringList steps;
        for (auto it = reached.globalMatch(output); it.hasNext();)
            steps.append(it.next().captured(1));
        QCOMPARE(steps.size(), count.captured(1).toInt());
        for (const QString &name : std::as_const(steps)) {
            const QImage shot(artifacts.filePath(name + QLatin1String(".png")));
            QVERIFY2(!shot.isNull(), qPrintable(name));
            QVERIFY(shot.width() >= 400 && shot.height() >= 600);
            QSet<QRgb> colours;
            for (int y = 0; y < shot.height() && colours.size() < 50; y += 7) {
                for (int x = 0; x < shot.width(); x += 7)
                    colours.insert(shot.pixel(x, y));
            }
            QVERIFY2(colours.size() >= 50, qPrintable(name));
        }
    }
};

QTEST_GUILESS_MAIN(TestSmoke)
#include "tst_smoke.moc"
