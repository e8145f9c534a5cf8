// Forwarders to the direct-messages adapter, and sending a direct message.

#include "datahandler.h"

#include "zirrup.h"

void DataHandler::updateMessagesView(bool silentUpdate)
{
    if (!canForward())
        return;
    m_messagesView.refreshMessagesData(silentUpdate);
}

void DataHandler::updateMessagesViewSilent()
{
    updateMessagesView(true);
}

void DataHandler::updateConversationView(QString screenName)
{
    if (!canForward())
        return;
    m_messagesView.getConversationData(screenName);
}

void DataHandler::deleteMessage(QString messageId)
{
    if (!canForward())
        return;
    m_messagesView.deleteMessage(messageId);
}

void DataHandler::updateComposeConversationTip(QString screenName)
{
    if (!canForward() || m_authenticatedUserName.isEmpty())
        return;
    m_messagesView.getComposeConversationTip(screenName);
}

void DataHandler::prepareComposeTo(QString screenName, QString imageurl, QString realname)
{
    if (!canForward())
        return;
    if (!screenName.isEmpty())
        updateComposeConversationTip(screenName);
    setContextProperty(QStringLiteral("composeview_imageurl"), imageurl);
    setContextProperty(QStringLiteral("composeview_screenname"), screenName);
    setContextProperty(QStringLiteral("composeview_realname"), realname);
}

void DataHandler::postDirectMessage(QString screenName, QString directmsg)
{
    if (!canForward())
        return;
    m_pendingQueryIds.directMessage = -1;
    m_backend->writeDirectMessage({{QStringLiteral("text"), directmsg},
                                   {QStringLiteral("screen_name"), screenName.toLower()}},
                                  &m_pendingQueryIds.directMessage);
    if (m_pendingQueryIds.directMessage != -1)
        setContextProperty(QStringLiteral("messagesview_refresh_after_sending"), true);
}

void DataHandler::onDirectMessageAdded(QVariantList data, bool sent)
{
    if (!canForward())
        return;
    setContextProperty(QStringLiteral("messagesview_refresh_after_sending"), false);
    m_messagesView.onDirectMessageUpdated(
        sent ? DirectMessageType::Sent : DirectMessageType::Received, data, 0);
}

void DataHandler::onDirectMessageDeleted(QMap<QString, QString> queryArgs)
{
    m_messagesView.onDirectMessageDeleted(queryArgs, 0);
}
