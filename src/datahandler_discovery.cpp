// Forwarders to the trends and lists adapters.

#include "datahandler.h"

void DataHandler::updateTrendingTopics()
{
    if (!canForward())
        return;
    m_trendsView.getTrends();
}
