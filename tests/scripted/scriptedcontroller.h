#ifndef SCRIPTEDCONTROLLER_H
#define SCRIPTEDCONTROLLER_H

#include "datahandler.h"
#include "scriptedbackend.h"
#include "scriptedlogin.h"
#include "scriptedplatformfactory.h"
#include "scriptedview.h"

#include <QList>
#include <QPointer>
#include <QQmlContext>

#include <functional>

// The controller wired to scripted parts: a scripted platform, the scripted root page and
// scripted backends. The network counts as up. Deletes the controller when it goes.
class ScriptedController
{
public:
    ScriptedController()
    {
        m_view.loadRoot();
        m_handler = DataHandler::instance();
        m_handler->setBackendFactory([this](const QStringList &credentials, QObject *parent) {
            auto *backend = new ScriptedBackend(credentials, parent);
            m_backends.append(backend);
            if (m_setup)
                m_setup(backend);
            return backend;
        });
    }
    ~ScriptedController() { delete m_handler; }

    DataHandler *handler() const { return m_handler; }
    ScriptedPlatformFactory &factory() { return m_factory; }
    ScriptedLogin *login() const { return m_factory.login(); }
    ScriptedView &view() { return m_view; }

    // The backend the controller holds now, and every backend it has made (null once freed).
    ScriptedBackend *backend() const
    {
        return qobject_cast<ScriptedBackend *>(m_handler->backend());
    }
    QList<QPointer<ScriptedBackend>> backends() const { return m_backends; }
    // Run on every backend as soon as the controller has made it (before it is used).
    void setBackendSetup(std::function<void(ScriptedBackend *)> setup) { m_setup = setup; }

    // init and the signed-out backend, as start-up does; with an enabled account when asked.
    void start(bool withAccount = false)
    {
        login()->setAccountExists(withAccount);
        login()->setAccountEnabled(withAccount);
        m_handler->init(m_view.rootContext(), &m_view, &m_factory);
        // Tests decide the network state themselves, whatever the machine reports.
        m_handler->networkStatusChanged(true);
        m_handler->ensureBackend();
        m_view.clearCalls();
    }
    // The platform answers a login with these credentials.
    void signIn(const QString &userName = QStringLiteral("Alice"))
    {
        login()->setAccountExists(true);
        login()->setAccountEnabled(true);
        Q_EMIT login()->loginResponse(
            QStringLiteral("token-%1").arg(userName),
            QStringLiteral("token-secret-of-%1").arg(userName), QStringLiteral("1844"), userName,
            QStringLiteral("consumer-key"), QStringLiteral("consumer-secret-value"));
    }
    // start and signIn, with the root's calls so far forgotten.
    void startSignedIn(const QString &userName = QStringLiteral("Alice"))
    {
        start(false);
        signIn(userName);
        m_view.clearCalls();
    }

    QVariant contextProperty(const QString &name) const
    {
        return m_view.rootContext()->contextProperty(name);
    }

private:
    ScriptedPlatformFactory m_factory;
    ScriptedView m_view;
    DataHandler *m_handler = nullptr;
    QList<QPointer<ScriptedBackend>> m_backends;
    std::function<void(ScriptedBackend *)> m_setup;
};

#endif // SCRIPTEDCONTROLLER_H
