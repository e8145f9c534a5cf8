#include "networkmonitor.h"

#include <QNetworkInformation>

NetworkMonitor::NetworkMonitor(QObject *parent)
    : QObject(parent)
{
    // The NetworkManager backend is missing on many systems; any backend that reports
    // reachability will do.
    QNetworkInformation *information = QNetworkInformation::instance();
    if (!information
        && QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability))
        information = QNetworkInformation::instance();
    if (!information || !information->supports(QNetworkInformation::Feature::Reachability))
        return;

    m_hasBackend = true;
    updateFromReachability(int(information->reachability()));
    connect(information, &QNetworkInformation::reachabilityChanged, this,
            [this](QNetworkInformation::Reachability reachability) {
                const bool wasOnline = m_online;
                updateFromReachability(int(reachability));
                if (m_online != wasOnline)
                    Q_EMIT onlineStateChanged(m_online);
            });
}

void NetworkMonitor::updateFromReachability(int reachability)
{
    // Local and site reachability still reach a service on the same network or machine; only
    // a reported disconnection counts as offline. Unknown is treated as online.
    m_online = QNetworkInformation::Reachability(reachability)
        != QNetworkInformation::Reachability::Disconnected;
}
