// Prepares every QML test engine the way the program prepares its own: the English catalogues, the
// "theme" image provider, and in place of the controller a scripted "dataHandler" with every
// context property the pages read at its start value (see TestContext).
#include "accessibilityprobe.h"
#include "geopositionsource.h"
#include "testcontext.h"
#include "themeimageprovider.h"

#include <QTranslator>
#include <QtQuickTest>

class QmlTestSetup : public QObject
{
    Q_OBJECT

public Q_SLOTS:
    void applicationAvailable()
    {
        for (const QString &catalogue :
             {QStringLiteral(":/common_en.qm"), QStringLiteral(":/zirrup_en.qm")}) {
            auto *translator = new QTranslator(QCoreApplication::instance());
            if (!translator->load(catalogue))
                qFatal("cannot load the catalogue %s", qPrintable(catalogue));
            QCoreApplication::installTranslator(translator);
        }
    }

    void qmlEngineAvailable(QQmlEngine *engine)
    {
        GeoPositionSource::registerQmlType();
        engine->addImageProvider(QStringLiteral("theme"), new ThemeImageProvider);
        new TestContext(engine, QStringLiteral(ZIRRUP_QML_TEST_DIR), engine);
        engine->rootContext()->setContextProperty(QStringLiteral("accessibility"),
                                                  new AccessibilityProbe(engine));
    }
};

QUICK_TEST_MAIN_WITH_SETUP(zirrup_qml, QmlTestSetup)
#include "tst_qml.moc"
