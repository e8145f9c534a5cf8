#include "qmltestsetup.h"

#include "accessibilityprobe.h"
#include "geopositionsource.h"
#include "testcontext.h"
#include "themeimageprovider.h"

#include <QCoreApplication>
#include <QQmlContext>
#include <QQmlEngine>
#include <QTranslator>

void QmlTestSetup::applicationAvailable()
{
    for (const QString &catalogue :
         {QStringLiteral(":/common_en.qm"), QStringLiteral(":/zirrup_en.qm")}) {
        auto *translator = new QTranslator(QCoreApplication::instance());
        if (!translator->load(catalogue))
            qFatal("cannot load the catalogue %s", qPrintable(catalogue));
        QCoreApplication::installTranslator(translator);
    }
}

void QmlTestSetup::qmlEngineAvailable(QQmlEngine *engine)
{
    GeoPositionSource::registerQmlType();
    engine->addImageProvider(QStringLiteral("theme"), new ThemeImageProvider);
    auto *context = new TestContext(engine, QStringLiteral(ZIRRUP_QML_TEST_DIR), engine);
    context->publish();
    engine->rootContext()->setContextProperty(QStringLiteral("accessibility"),
                                              new AccessibilityProbe(engine));
}
