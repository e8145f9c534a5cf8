#ifndef SYNCTIMER_H
#define SYNCTIMER_H

#include <QObject>
#include <QTimer>

// The background heartbeat. The program starts it when its window leaves the front and stops it
// when the window returns; one timeout per start() is all it needs (the cleanup it triggers stops
// the timer itself), so the timer is single-shot: a start() while running begins the wait afresh.
//
// A desktop has no wake-up timer that tolerates a window of [min, max]; the wait is the minimum,
// the earliest moment the caller allows, with a coarse timer since second precision is plenty.
class SyncTimer : public QObject
{
    Q_OBJECT
public:
    explicit SyncTimer(QObject *parent = nullptr);
    ~SyncTimer() override;

    // Negative values count as 0; a maximum below the minimum is raised to it.
    void setTimerInterval(int minSeconds, int maxSeconds);
    int minimumInterval() const { return m_minSeconds; }
    int maximumInterval() const { return m_maxSeconds; }

    bool isActive() const;

public Q_SLOTS:
    void start();
    void stop();

Q_SIGNALS:
    void timeout();

private:
    QTimer m_timer;
    int m_minSeconds = 0;
    int m_maxSeconds = 0;
};

#endif // SYNCTIMER_H
