#ifndef NETWORKMONITOR_H
#define NETWORKMONITOR_H

#include <QObject>

// Whether the device has a network, from the system's reachability information. Without a
// source that can tell (no backend loaded), the network is taken to be there: requests then
// fail on their own and are reported as such.
class NetworkMonitor : public QObject
{
    Q_OBJECT

public:
    explicit NetworkMonitor(QObject *parent = nullptr);

    bool isOnline() const { return m_online; }
    bool hasBackend() const { return m_hasBackend; }

Q_SIGNALS:
    void onlineStateChanged(bool online);

private:
    void updateFromReachability(int reachability);

    bool m_online = true;
    bool m_hasBackend = false;
};

#endif // NETWORKMONITOR_H
