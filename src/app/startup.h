#ifndef STARTUP_H
#define STARTUP_H

#include <QFont>
#include <QNetworkProxy>
#include <QString>
#include <QStringList>
#include <QUrl>

class QTranslator;

// The pieces of process start-up that are decided from outside input: the command line, the
// catalogue names for the locale, the application font and the proxy from the environment.
class Startup
{
public:
    struct Options
    {
        int launchMode = 1;
        bool debug = false;
        // What the launch option opens: a user name (--profile, --compose, --message) or a tweet
        // id (--tweet, --mention); empty when none was given. Checked where it is used.
        QString subject;
    };

    // Arguments after the program name are compared whole and case-sensitively; the last launch
    // option wins and unknown arguments are ignored. The first argument after --profile, --tweet,
    // --compose, --message or --mention that is no option ("-" first) is that option's subject.
    // "--debugbackend" raises the client library's logging level at once.
    static Options parseCommandLine(const QStringList &arguments);

    // The locale whose catalogues are loaded: Hong Kong uses the Taiwan catalogues, and Spanish
    // outside Spain the Latin American ones.
    static QString catalogueLocale(const QString &localeName);

    // Loads `name` with the translator's standard lookup (".qm" added, then the name shortened
    // at its last "_" or "."), else `fallback`. True when either loaded.
    static bool loadCatalogue(QTranslator *translator, const QString &name,
                              const QString &fallback);

    static QString platformCataloguePath(const QString &locale);
    // The platform's catalogue as this program ships it, used when the system has none.
    static QString platformCatalogueName(const QString &locale);
    static QString applicationCatalogueName(const QString &locale);

    static QFont applicationFont(const QString &language);

    // The application proxy for an "http_proxy" value. `found` is false (and the proxy
    // NoProxy) when the value is empty. A value without a scheme is read as http; a missing port
    // is the scheme's default.
    static QNetworkProxy proxyFromEnvironment(const QString &value, bool *found);
    // The "http_proxy" value read as a URL (a missing scheme is http).
    static QUrl proxyUrl(const QString &value);
};

#endif // STARTUP_H
