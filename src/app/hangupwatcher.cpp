#include "hangupwatcher.h"

#include <QSocketNotifier>
#include <QtDebug>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
int pipeFds[2] = {-1, -1};
struct sigaction previousAction;
} // namespace

HangupWatcher::HangupWatcher(QObject *parent)
    : QObject(parent)
{
    if (pipeFds[0] != -1) {
        qWarning() << "HangupWatcher: a watcher is already installed";
        return;
    }
    if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
        qWarning() << "HangupWatcher: cannot create the pipe:" << qt_error_string(errno);
        pipeFds[0] = pipeFds[1] = -1;
        return;
    }
    struct sigaction action = {};
    action.sa_handler = &HangupWatcher::handleSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    if (::sigaction(SIGHUP, &action, &previousAction) != 0) {
        qWarning() << "HangupWatcher: cannot install the handler:" << qt_error_string(errno);
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        pipeFds[0] = pipeFds[1] = -1;
        return;
    }
    m_notifier = new QSocketNotifier(pipeFds[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &HangupWatcher::readPipe);
    m_installed = true;
}

HangupWatcher::~HangupWatcher()
{
    if (!m_installed)
        return;
    ::sigaction(SIGHUP, &previousAction, nullptr);
    delete m_notifier;
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    pipeFds[0] = pipeFds[1] = -1;
}

void HangupWatcher::handleSignal(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    // A full pipe already holds a pending hangup; dropping this one loses nothing.
    [[maybe_unused]] const ssize_t written = ::write(pipeFds[1], &byte, 1);
    errno = savedErrno;
}

void HangupWatcher::readPipe()
{
    char buffer[64];
    bool received = false;
    while (::read(pipeFds[0], buffer, sizeof buffer) > 0)
        received = true;
    if (received)
        Q_EMIT hangup();
}
