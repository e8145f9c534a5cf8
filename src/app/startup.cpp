#include "startup.h"

#include "zirrup.h"

#include <QTranslator>

Startup::Options Startup::parseCommandLine(const QStringList &arguments)
{
    Options options;
    bool takesSubject = false;
    auto launchOption = [&](int mode, bool withSubject) {
        options.launchMode = mode;
        options.subject.clear();
        takesSubject = withSubject;
    };
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (takesSubject && !argument.isEmpty() && !argument.startsWith(QLatin1Char('-'))) {
            options.subject = argument;
            takesSubject = false;
        } else if (argument == QLatin1String("--debug")) {
            options.debug = true;
        } else if (argument == QLatin1String("--debugbackend")) {
            Zr::SetLoggingLevel(Zr::LogDebug);
            options.debug = true;
        } else if (argument == QLatin1String("--profile")) {
            launchOption(2, true);
        } else if (argument == QLatin1String("--tweet")) {
            launchOption(3, true);
        } else if (argument == QLatin1String("--compose")) {
            launchOption(4, true);
        } else if (argument == QLatin1String("--message")) {
            launchOption(5, true);
        } else if (argument == QLatin1String("--messages")) {
            launchOption(6, false);
        } else if (argument == QLatin1String("--mention")) {
            launchOption(7, true);
        } else if (argument == QLatin1String("--mentions")) {
            launchOption(8, false);
        }
    }
    return options;
}

QString Startup::catalogueLocale(const QString &localeName)
{
    if (localeName == QLatin1String("zh_HK"))
        return QStringLiteral("zh_TW");
    if (localeName.startsWith(QLatin1String("es_")) && localeName != QLatin1String("es_ES"))
        return QStringLiteral("es_419");
    return localeName;
}

bool Startup::loadCatalogue(QTranslator *translator, const QString &name, const QString &fallback)
{
    if (translator->load(name))
        return true;
    return translator->load(fallback);
}

QString Startup::platformCataloguePath(const QString &locale)
{
    return QStringLiteral("/usr/share/l10n/meegotouch/common_") + locale + QStringLiteral(".qm");
}

QString Startup::platformCatalogueName(const QString &locale)
{
    return QStringLiteral(":/common_") + locale + QStringLiteral(".qm");
}

QString Startup::applicationCatalogueName(const QString &locale)
{
    return QStringLiteral(":/zirrup_") + locale + QStringLiteral(".qm");
}

QFont Startup::applicationFont(const QString &language)
{
    if (language == QLatin1String("fa"))
        return QFont(QStringLiteral("Arial"), -1, -1, false);
    return QFont(QStringLiteral("Orvik Pure Text"), -1, -1, false);
}

QNetworkProxy Startup::proxyFromEnvironment(const QString &value, bool *found)
{
    const QString trimmed = value.trimmed();
    if (found)
        *found = !trimmed.isEmpty();
    if (trimmed.isEmpty())
        return QNetworkProxy(QNetworkProxy::NoProxy);

    const QUrl url = proxyUrl(trimmed);
    const int defaultPort = url.scheme() == QLatin1String("https") ? 443 : 80;
    QNetworkProxy proxy(QNetworkProxy::HttpProxy, url.host(), url.port(defaultPort));
    if (!url.userName().isEmpty())
        proxy.setUser(url.userName());
    if (!url.password().isEmpty())
        proxy.setPassword(url.password());
    return proxy;
}

QUrl Startup::proxyUrl(const QString &value)
{
    const QString trimmed = value.trimmed();
    // "proxy:3128" would otherwise parse as the scheme "proxy" with no host.
    return QUrl(trimmed.contains(QLatin1String("://")) ? trimmed
                                                       : QStringLiteral("http://") + trimmed);
}
