// zirrup-sandbox: a Zirrup service on 127.0.0.1 for running the client offline.
#include "sandboxserver.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QLoggingCategory>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Pictures are drawn without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zirrup-sandbox"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A Zirrup service on 127.0.0.1. The first line of output is its address."));
    parser.addHelpOption();
    const QCommandLineOption db(QStringLiteral("db"), QStringLiteral("Database file."),
                                QStringLiteral("path"), SandboxServer::defaultDatabasePath());
    const QCommandLineOption memory(QStringLiteral("memory"),
                                    QStringLiteral("Keep everything in memory only."));
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("Port to listen on (0: any free port)."),
                                  QStringLiteral("n"), QStringLiteral("8123"));
    const QCommandLineOption seed(QStringLiteral("seed"),
                                  QStringLiteral("Load the demo world into an empty database "
                                                 "(the demo account is demo/demo; every other "
                                                 "account's password is its name)."));
    const QCommandLineOption seedLarge(
        QStringLiteral("seed-large"),
        QStringLiteral("Like --seed, with n more, older tweets in demo's home timeline (every "
                       "sixth with a picture), for measuring the client."),
        QStringLiteral("n"));
    const QCommandLineOption user(QStringLiteral("user"),
                                  QStringLiteral("Create an account (repeatable)."),
                                  QStringLiteral("name:password"));
    const QCommandLineOption deleteUser(QStringLiteral("delete-user"),
                                        QStringLiteral("Remove an account (repeatable)."),
                                        QStringLiteral("name"));
    const QCommandLineOption keepAlive(QStringLiteral("keepalive"),
                                       QStringLiteral("Seconds between stream keep-alives."),
                                       QStringLiteral("s"), QStringLiteral("30"));
    const QCommandLineOption clockOffset(
        QStringLiteral("clock-offset"),
        QStringLiteral("Check request times against a clock this many seconds off (for "
                       "testing how clients handle a wrong clock)."),
        QStringLiteral("s"), QStringLiteral("0"));
    const QCommandLineOption verbose(QStringLiteral("verbose"),
                                     QStringLiteral("Log every request (never its secrets)."));
    parser.addOptions(
        {db, memory, port, seed, seedLarge, user, deleteUser, keepAlive, clockOffset, verbose});
    parser.process(app);

    SandboxOptions options;
    options.databasePath = parser.value(db);
    options.memory = parser.isSet(memory);
    options.seed = parser.isSet(seed) || parser.isSet(seedLarge);
    bool ok = false;
    if (parser.isSet(seedLarge)) {
        options.extraStatuses = parser.value(seedLarge).toInt(&ok);
        if (!ok || options.extraStatuses < 0 || options.extraStatuses > 1000000) {
            std::fprintf(stderr, "zirrup-sandbox: --seed-large needs a number from 0 to 1000000\n");
            return 2;
        }
    }
    const uint portNumber = parser.value(port).toUInt(&ok);
    if (!ok || portNumber > 65535) {
        std::fprintf(stderr, "zirrup-sandbox: --port needs a number from 0 to 65535\n");
        return 2;
    }
    options.port = quint16(portNumber);
    const int seconds = parser.value(keepAlive).toInt(&ok);
    if (!ok || seconds < 1) {
        std::fprintf(stderr, "zirrup-sandbox: --keepalive needs a positive number of seconds\n");
        return 2;
    }
    options.keepAliveMs = seconds * 1000;
    options.clockOffsetSeconds = parser.value(clockOffset).toLongLong(&ok);
    if (!ok) {
        std::fprintf(stderr, "zirrup-sandbox: --clock-offset needs a number of seconds\n");
        return 2;
    }
    for (const QString &entry : parser.values(user)) {
        const int colon = int(entry.indexOf(QLatin1Char(':')));
        if (colon <= 0) {
            std::fprintf(stderr, "zirrup-sandbox: --user needs name:password\n");
            return 2;
        }
        options.users.append({entry.left(colon), entry.mid(colon + 1)});
    }
    options.deletedUsers = parser.values(deleteUser);
    if (parser.isSet(verbose))
        QLoggingCategory::setFilterRules(QStringLiteral("zirrup.sandbox.http.info=true"));

    SandboxServer server;
    QString error;
    if (!server.start(options, &error)) {
        std::fprintf(stderr, "zirrup-sandbox: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s\n", qPrintable(server.baseUrl()));
    if (server.hasDemoWorld())
        std::printf("user: demo\npassword: demo\n");
    std::fflush(stdout);
    return app.exec();
}
