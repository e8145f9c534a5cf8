#include "sandboxprocess.h"

#include <QDeadlineTimer>

SandboxProcess::SandboxProcess(const QStringList &extraArguments, QObject *parent)
    : QObject(parent)
    , m_arguments(
          QStringList {QStringLiteral("--memory"), QStringLiteral("--port"), QStringLiteral("0")}
          + extraArguments)
{
    // Server warnings show up in the test's log.
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

SandboxProcess::~SandboxProcess()
{
    m_process.kill();
    m_process.waitForFinished(5000);
}

QString SandboxProcess::executable()
{
    return QStringLiteral(ZIRRUP_SANDBOX_EXECUTABLE);
}

bool SandboxProcess::start(int timeoutMs)
{
    m_process.start(executable(), m_arguments);
    if (!m_process.waitForStarted(timeoutMs)) {
        m_error = QStringLiteral("cannot start %1: %2").arg(executable(), m_process.errorString());
        return false;
    }
    const QString first = readLine(timeoutMs);
    if (first.isEmpty()) {
        m_error = QStringLiteral("zirrup-sandbox printed no address (exit code %1)")
                      .arg(m_process.exitCode());
        return false;
    }
    m_baseUrl = QUrl(first);
    if (!m_baseUrl.isValid() || m_baseUrl.scheme() != QLatin1String("http")) {
        m_error = QStringLiteral("unexpected first line: \"%1\"").arg(first);
        return false;
    }
    return true;
}

QString SandboxProcess::readLine(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())))
            && !m_process.canReadLine())
            return {};
    }
    return QString::fromUtf8(m_process.readLine()).trimmed();
}
