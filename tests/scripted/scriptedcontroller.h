#ifndef SCRIPTEDCONTROLLER_H
#define SCRIPTEDCONTROLLER_H

#include "scriptedbackend.h"
#include "scriptedlogin.h"
#include "scriptedplatformfactory.h"
#include "scriptedview.h"

#include <QList>
#include <QPointer>

#include <functional>

class DataHandler;

// The controller wired to scripted parts: a scripted platform, the scripted root page and
// scripted backends. The network counts as up. Deletes the controller when it goes.
class ScriptedController
{
public:
    ScriptedController();
    ~ScriptedController();

    DataHandler *handler() const { return m_handler; }
    ScriptedPlatformFactory &factory() { return m_factory; }
    ScriptedLogin *login() const { return m_factory.login(); }
    ScriptedView &view() { return m_view; }

    // The backend the controller holds now, and every backend it has made (null once freed).
    ScriptedBackend *backend() const;
    QList<QPointer<ScriptedBackend>> backends() const { return m_backends; }
    // Run on every backend as soon as the controller has made it (before it is used).
    void setBackendSetup(std::function<void(ScriptedBackend *)> setup) { m_setup = setup; }

    // init and the signed-out backend, as start-up does; with an enabled account when asked.
    void start(bool withAccount = false);
    // The platform answers a login with these credentials.
    void signIn(const QString &userName = QStringLiteral("Alice"));
    // start and signIn, with the root's calls so far forgotten.
    void startSignedIn(const QString &userName = QStringLiteral("Alice"));

    QVariant contextProperty(const QString &name) const;

private:
    ScriptedPlatformFactory m_factory;
    ScriptedView m_view;
    DataHandler *m_handler = nullptr;
    QList<QPointer<ScriptedBackend>> m_backends;
    std::function<void(ScriptedBackend *)> m_setup;
};

#endif // SCRIPTEDCONTROLLER_H
