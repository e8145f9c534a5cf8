#include "datahandler.h"
#include "geopositionsource.h"
#include "hangupwatcher.h"
#include "locale.h"
#include "startup.h"
#include "uiscript.h"

#include "desktoplaunchrequests.h"
#include "helper.h"
#include "zrfactorymeego.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QLocale>
#include <QNetworkProxy>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickView>
#include <QStyleHints>
#include <QThreadPool>
#include <QTranslator>
#include <QUrl>
#include <QtDebug>

#include <memory>

namespace {
QGuiApplication *application = nullptr;
QQuickView *mainView = nullptr;

QStringList commandLine(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

void onHangup()
{
    mainView->setSource(QUrl());
    application->quit();
}
} // namespace

int main(int argc, char **argv)
{
    const Startup::Options options = Startup::parseCommandLine(commandLine(argc, argv));
    Helper::setDebugCallback("zirrup-qml", options.debug);

    std::unique_ptr<ZrPlatform::ZrPlatformFactory> factory(ZrMeego::ZrFactoryMeego::getInstance());

    QGuiApplication app(argc, argv);
    application = &app;
    // Another running instance takes over this launch and comes to the front instead.
    if (ZrMeego::ZrFactoryMeego::handOffToRunningInstance(options.launchMode, options.subject)) {
        factory.reset();
        return 0;
    }

    // Reading the system's font configuration takes longer than anything else before the first
    // frame; a worker does it while the pages load, and the first text laid out finds it ready.
    QThreadPool::globalInstance()->start([] { QFontDatabase::families(); });

    QGuiApplication::styleHints()->setCursorFlashTime(0);
    app.setProperty("NoMStyle", true);

    const Locale locale;
    const QString localeName = Startup::catalogueLocale(locale.name());

    auto platformCatalogue = std::make_unique<QTranslator>();
    if (!platformCatalogue->load(Startup::platformCataloguePath(localeName)))
        Startup::loadCatalogue(platformCatalogue.get(), Startup::platformCatalogueName(localeName),
                               QStringLiteral(":/common_en.qm"));
    QGuiApplication::installTranslator(platformCatalogue.get());

    auto applicationCatalogue = std::make_unique<QTranslator>();
    Startup::loadCatalogue(applicationCatalogue.get(),
                           Startup::applicationCatalogueName(localeName),
                           QStringLiteral(":/zirrup_en.qm"));
    QGuiApplication::installTranslator(applicationCatalogue.get());
    // The catalogue's language sets the reading direction: Arabic mirrors the whole window.
    QGuiApplication::setLayoutDirection(QLocale(applicationCatalogue->language()).textDirection());

    QGuiApplication::setFont(Startup::applicationFont(locale.language()));

    GeoPositionSource::registerQmlType();
    auto view = std::make_unique<QQuickView>();
    mainView = view.get();
    view->setResizeMode(QQuickView::SizeRootObjectToView);
    QQmlContext *context = view->rootContext();
    // Qt.quit() and Qt.exit() from the pages end the program as they say.
    QObject::connect(view->engine(), &QQmlEngine::quit, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    QObject::connect(view->engine(), &QQmlEngine::exit, &app, &QCoreApplication::exit,
                     Qt::QueuedConnection);

    DataHandler *controller = DataHandler::instance(&app);
    controller->setLaunchMode(options.launchMode);
    controller->init(context, view.get(), factory.get());

    const QString proxyValue = qEnvironmentVariable("http_proxy");
    bool proxyFound = false;
    const QNetworkProxy proxy = Startup::proxyFromEnvironment(proxyValue, &proxyFound);
    if (proxyFound) {
        // The value may carry the proxy's password.
        qDebug() << "Proxy found:"
                 << QString(QLatin1Char('"')
                            + Startup::proxyUrl(proxyValue).toString(QUrl::RemovePassword)
                            + QLatin1Char('"'));
        QNetworkProxy::setApplicationProxy(proxy);
        qDebug() << "Proxy Setup";
    }

    controller->ensureBackend();
    // The subject goes the way a running instance would receive it, so it waits for sign-in the
    // same way; one the request refuses is ignored like any unknown argument.
    if (!options.subject.isEmpty() && ZrMeego::ZrFactoryMeego::current())
        ZrMeego::ZrFactoryMeego::current()->desktopLaunchRequests()->requestSubject(
            options.launchMode, options.subject);
    controller->showUI();

    // Automated UI checks and screenshots (ZIRRUP_UI_SCRIPT); nothing when unset.
    UiScript uiScript;
    if (!UiScript::pathFromEnvironment().isEmpty())
        uiScript.load(view.get(), UiScript::pathFromEnvironment());

    HangupWatcher hangupWatcher;
    QObject::connect(&hangupWatcher, &HangupWatcher::hangup, &app, &onHangup);

    qDebug() << "int main(int, char**) running";
    const int result = app.exec();

    // The scene goes first so that no binding outlives the controller it reads.
    delete uiScript.object();
    view->setSource(QUrl());
    delete controller;
    view.reset();
    mainView = nullptr;
    factory.reset();
    QGuiApplication::removeTranslator(applicationCatalogue.get());
    QGuiApplication::removeTranslator(platformCatalogue.get());
    applicationCatalogue.reset();
    platformCatalogue.reset();
    application = nullptr;
    return result;
}
