#include "helper.h"

#include "accountstore.h"
#include "accountwindowcontroller.h"
#include "desktoploginhandler.h"
#include "zrfactorymeego.h"

#include <QByteArray>
#include <QDebug>
#include <QIODevice>
#include <QMutex>
#include <QMutexLocker>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickWindow>

#include <cstdio>

namespace {

struct DebugOutput
{
    QMutex mutex;
    QByteArray appName;
    bool enabled = false;
    QIODevice *device = nullptr;
};

DebugOutput &debugOutput()
{
    static DebugOutput output;
    return output;
}

void messageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    DebugOutput &output = debugOutput();
    QMutexLocker lock(&output.mutex);
    if ((type == QtDebugMsg || type == QtInfoMsg) && !output.enabled)
        return;
    QByteArray line = output.appName;
    if (!line.isEmpty())
        line += ": ";
    line += qFormatLogMessage(type, context, message).toLocal8Bit();
    line += '\n';
    if (output.device) {
        output.device->write(line);
    } else {
        std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
        std::fflush(stderr);
    }
}

} // namespace

Helper::Helper(QObject *parent)
    : QObject(parent)
{ }

Helper::~Helper()
{
    delete m_window;
}

void Helper::setDebugCallback(const char *appName, bool enabled)
{
    {
        DebugOutput &output = debugOutput();
        QMutexLocker lock(&output.mutex);
        output.appName = QByteArray(appName ? appName : "");
        output.enabled = enabled;
    }
    qInstallMessageHandler(messageHandler);
}

void Helper::setDebugOutput(QIODevice *device)
{
    DebugOutput &output = debugOutput();
    QMutexLocker lock(&output.mutex);
    output.device = device;
}

QQuickWindow *Helper::accountWindow() const
{
    return m_window;
}

ZrMeego::DesktopLoginHandler *Helper::loginHandler()
{
    // The program's own login object when there is one, so that it reports the new account at
    // once; otherwise one of our own on the same file (its watcher tells the others).
    if (ZrMeego::ZrFactoryMeego *factory = ZrMeego::ZrFactoryMeego::current())
        return factory->desktopLoginHandler();
    if (!m_ownLogin)
        m_ownLogin = new ZrMeego::DesktopLoginHandler(new ZrMeego::AccountStore(this), this);
    return m_ownLogin;
}

void Helper::createAccount(const Helper::SERVICE &service, QWindow *parent)
{
    if (service != ZIRRUP) {
        qWarning() << "Helper::createAccount: no account window for service" << service;
        return;
    }
    if (m_window) {
        m_window->show();
        m_window->raise();
        m_window->requestActivate();
        return;
    }

    if (!m_engine)
        m_engine = new QQmlEngine(this);
    auto *controller = new ZrMeego::AccountWindowController(loginHandler(), this);
    QQmlComponent component(m_engine,
                            QUrl(QStringLiteral("qrc:/zirrup/platform/qml/AccountWindow.qml")));
    QObject *object = component.createWithInitialProperties(
        {{QStringLiteral("account"), QVariant::fromValue<QObject *>(controller)}});
    auto *window = qobject_cast<QQuickWindow *>(object);
    if (!window) {
        qWarning() << "Helper::createAccount: cannot open the account window:"
                   << component.errorString();
        delete object;
        delete controller;
        return;
    }
    m_controller = controller;
    m_window = window;
    if (parent)
        window->setTransientParent(parent);

    // Closed (by the user, Cancel, Escape or a completed sign-in): the window goes away with
    // everything typed into it.
    connect(window, &QWindow::visibleChanged, this, [this, window](bool visible) {
        if (visible)
            return;
        if (m_window == window) {
            m_window = nullptr;
            if (m_controller)
                m_controller->deleteLater();
            m_controller = nullptr;
        }
        window->deleteLater();
        Q_EMIT accountWindowClosed();
    });
    window->show();
    window->requestActivate();
}
