#include "scriptedcontroller.h"

#include "datahandler.h"

#include <QQmlContext>

ScriptedController::ScriptedController()
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

ScriptedController::~ScriptedController()
{
    delete m_handler;
}

ScriptedBackend *ScriptedController::backend() const
{
    return qobject_cast<ScriptedBackend *>(m_handler->backend());
}

void ScriptedController::start(bool withAccount)
{
    login()->setAccountExists(withAccount);
    login()->setAccountEnabled(withAccount);
    m_handler->init(m_view.rootContext(), &m_view, &m_factory);
    // Tests decide the network state themselves, whatever the machine reports.
    m_handler->networkStatusChanged(true);
    m_handler->ensureBackend();
    m_view.clearCalls();
}

void ScriptedController::signIn(const QString &userName)
{
    login()->setAccountExists(true);
    login()->setAccountEnabled(true);
    Q_EMIT login()->loginResponse(QStringLiteral("token-%1").arg(userName),
                                  QStringLiteral("token-secret-of-%1").arg(userName),
                                  QStringLiteral("1844"), userName, QStringLiteral("consumer-key"),
                                  QStringLiteral("consumer-secret-value"));
}

void ScriptedController::startSignedIn(const QString &userName)
{
    start(false);
    signIn(userName);
    m_view.clearCalls();
}

QVariant ScriptedController::contextProperty(const QString &name) const
{
    return m_view.rootContext()->contextProperty(name);
}
