// zirrup-signin: signs in to a Zirrup service and stores the account for the program.
//
//   zirrup-signin --service URL --user NAME --password-stdin
//
// The password is read from the first line of standard input (never from the command line,
// where other users could see it). --service may be left out when ZIRRUP_SERVICE_URL is set
// or an address was used before. Exit status: 0 signed in and stored, 1 the sign-in failed,
// 2 wrong usage.

#include "accountstore.h"
#include "signinexchange.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocale>
#include <QTextStream>
#include <QTranslator>

#include <cstdio>
#include <iostream>
#include <string>

using ZrMeego::Account;
using ZrMeego::AccountStore;
using ZrMeego::SignInExchange;

namespace {

QString readPasswordLine()
{
    std::string line;
    if (!std::getline(std::cin, line))
        return QString();
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return QString::fromStdString(line);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zirrup-signin"));
    // Failures are described in the user's language, from the catalogue the program ships.
    QTranslator catalogue;
    if (catalogue.load(QStringLiteral(":/common_") + QLocale().name())
        || catalogue.load(QStringLiteral(":/common_en.qm")))
        QCoreApplication::installTranslator(&catalogue);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Signs in to a Zirrup service and stores the account."));
    parser.addHelpOption();
    const QCommandLineOption serviceOption(QStringLiteral("service"),
                                           QStringLiteral("Address of the service."),
                                           QStringLiteral("url"));
    const QCommandLineOption userOption(QStringLiteral("user"), QStringLiteral("User name."),
                                        QStringLiteral("name"));
    const QCommandLineOption passwordOption(
        QStringLiteral("password-stdin"),
        QStringLiteral("Read the password from the first line of standard input."));
    parser.addOptions({serviceOption, userOption, passwordOption});
    if (!parser.parse(app.arguments())) {
        std::fprintf(stderr, "zirrup-signin: %s\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (!parser.isSet(userOption) || !parser.isSet(passwordOption)
        || !parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "usage: zirrup-signin --service URL --user NAME --password-stdin\n");
        return 2;
    }

    AccountStore store;
    QString serviceText = parser.value(serviceOption);
    if (serviceText.isEmpty())
        serviceText = qEnvironmentVariable("ZIRRUP_SERVICE_URL");
    if (serviceText.isEmpty())
        serviceText = store.lastServiceUrl().toString();
    const QUrl serviceUrl = SignInExchange::serviceUrlFromText(serviceText);
    if (!serviceUrl.isValid()) {
        std::fprintf(stderr, "zirrup-signin: %s\n",
                     qPrintable(SignInExchange::describe(SignInExchange::InvalidAddress)));
        return 2;
    }

    const QString password = readPasswordLine();
    if (password.isEmpty()) {
        std::fprintf(stderr, "zirrup-signin: no password on standard input\n");
        return 2;
    }

    int status = 1;
    SignInExchange exchange;
    QObject::connect(&exchange, &SignInExchange::succeeded, &app, [&](const Account &account) {
        QString error;
        if (store.storeAccount(account, &error)) {
            std::printf("Signed in as @%s at %s\n", qPrintable(account.screenName),
                        qPrintable(account.serviceUrl.toDisplayString()));
            status = 0;
        } else {
            std::fprintf(stderr, "zirrup-signin: cannot store the account: %s\n",
                         qPrintable(error));
        }
        app.quit();
    });
    QObject::connect(&exchange, &SignInExchange::failed, &app,
                     [&](SignInExchange::Failure, const QString &message) {
                         std::fprintf(stderr, "zirrup-signin: %s\n", qPrintable(message));
                         app.quit();
                     });
    exchange.start(serviceUrl, parser.value(userOption), password);
    app.exec();
    return status;
}
