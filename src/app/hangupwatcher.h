#ifndef HANGUPWATCHER_H
#define HANGUPWATCHER_H

#include <QObject>

class QSocketNotifier;

// Turns SIGHUP into the signal hangup() on the thread that created the watcher. The signal
// handler itself only writes one byte to a pipe (async-signal-safe); everything else happens in
// the event loop. One watcher at a time; the previous disposition is restored on destruction.
class HangupWatcher : public QObject
{
    Q_OBJECT

public:
    explicit HangupWatcher(QObject *parent = nullptr);
    ~HangupWatcher() override;

    bool isInstalled() const { return m_installed; }

Q_SIGNALS:
    void hangup();

private:
    void readPipe();
    static void handleSignal(int signalNumber);

    QSocketNotifier *m_notifier = nullptr;
    bool m_installed = false;
};

#endif // HANGUPWATCHER_H
