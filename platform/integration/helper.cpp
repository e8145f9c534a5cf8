#include "helper.h"

#include <QByteArray>
#include <QDebug>
#include <QIODevice>
#include <QMutex>
#include <QMutexLocker>
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
    return m_ownLogin;
}

void Helper::createAccount(const Helper::SERVICE &service, QWindow *parent)
{
    Q_UNUSED(parent)
    if (service != ZIRRUP)
        return;
    qWarning() << "Helper::createAccount: the account window is not available yet;"
                  " use zirrup-signin";
}
