#ifndef QMLTESTSETUP_H
#define QMLTESTSETUP_H

#include <QObject>

class QQmlEngine;

// Prepares every QML test engine the way the program prepares its own: the English catalogues, the
// "theme" image provider, and in place of the controller a scripted "dataHandler" with every
// context property the pages read at its start value (see TestContext).
class QmlTestSetup : public QObject
{
    Q_OBJECT

public Q_SLOTS:
    void applicationAvailable();
    void qmlEngineAvailable(QQmlEngine *engine);
};

#endif // QMLTESTSETUP_H
