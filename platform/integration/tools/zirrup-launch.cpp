// zirrup-launch: asks the running Zirrup program to show something.
//
//   zirrup-launch raise | profile NAME | tweet ID | compose NAME | messages
//               | message NAME [ID] | mentions | mention ID
//
// Exit status: 0 the program took the request, 1 no program runs or it refused the request,
// 2 wrong usage.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QStringList>

#include <cstdio>

namespace {

const char service[] = "net.zirrup.Client";
const char path[] = "/net/zirrup/Client";
const char interface[] = "net.zirrup.Client";
const int callTimeoutMs = 10000;

struct Command
{
    const char *name;
    const char *method;
    int minArguments;
    int maxArguments;
};

const Command commands[] = {
    {"raise", "raise", 0, 0},
    {"profile", "showProfile", 1, 1},
    {"tweet", "showFeedItem", 1, 1},
    {"compose", "showCompose", 1, 1},
    {"messages", "showDirectMessages", 0, 0},
    {"message", "showMessage", 1, 2},
    {"mentions", "showMentions", 0, 0},
    {"mention", "showMention", 1, 1},
};

int usage()
{
    std::fprintf(stderr,
                 "usage: zirrup-launch raise | profile NAME | tweet ID | compose NAME | messages\n"
                 "                     | message NAME [ID] | mentions | mention ID\n");
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    if (arguments.isEmpty())
        return usage();
    const QString name = arguments.takeFirst();

    const Command *command = nullptr;
    for (const Command &candidate : commands) {
        if (name == QLatin1String(candidate.name))
            command = &candidate;
    }
    if (!command || arguments.size() < command->minArguments
        || arguments.size() > command->maxArguments)
        return usage();
    // showMessage always takes the conversation and the message id.
    if (QLatin1String(command->method) == QLatin1String("showMessage") && arguments.size() == 1)
        arguments.append(QString());

    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()) {
        std::fprintf(stderr, "zirrup-launch: no session bus\n");
        return 1;
    }
    if (!bus.interface()->isServiceRegistered(QLatin1String(service))) {
        std::fprintf(stderr, "zirrup-launch: Zirrup is not running\n");
        return 1;
    }

    QDBusMessage call =
        QDBusMessage::createMethodCall(QLatin1String(service), QLatin1String(path),
                                       QLatin1String(interface), QLatin1String(command->method));
    for (const QString &argument : qAsConst(arguments))
        call << argument;
    const QDBusMessage reply = bus.call(call, QDBus::Block, callTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        std::fprintf(stderr, "zirrup-launch: %s\n", qPrintable(reply.errorMessage()));
        return 1;
    }
    return 0;
}
