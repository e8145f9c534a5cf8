#include "messagesview.h"

#include "datahandler.h"
#include "zirrup.h"
#include "zirrupmodel.h"

MessagesView::MessagesView(QObject *parent)
    : QObject(parent)
{ }

QHash<int, QByteArray> MessagesView::messageRoleNames()
{
    return {
        {Qt::UserRole + 1, "screen_name"}, {Qt::UserRole + 2, "sender_screen_name"},
        {Qt::UserRole + 3, "msg_text"},    {Qt::UserRole + 4, "created_at"},
        {Qt::UserRole + 5, "avatar_url"},  {Qt::UserRole + 6, "sender_avatar_url"},
        {Qt::UserRole + 7, "received"},    {Qt::UserRole + 8, "msg_id"},
        {Qt::UserRole + 9, "msg_unread"},
    };
}

void MessagesView::publish(const QString &name, const QVariant &value)
{
    if (m_dataHandler)
        m_dataHandler->setContextProperty(name, value);
}

void MessagesView::onFrontendInitialized(DataHandler *dataHandler)
{
    m_dataHandler = dataHandler;

    // "messagesview_loading" belongs to the controller, which raises it for the first load.
    for (const char *name :
         {"conversation_zirrupName", "conversation_firstname", "conversation_image_url",
          "composeview_msg_text", "composeview_created_at", "composeview_imageurl",
          "composeview_screenname", "composeview_realname"})
        publish(QLatin1String(name), QString());
    publish(QStringLiteral("composeview_received"), false);
    publish(QStringLiteral("messagesview_refresh_after_sending"), false);

    const QHash<int, QByteArray> roles = messageRoleNames();
    ZirrupModel::createOrClear(m_messageModel, roles, this);
    ZirrupModel::createOrClear(m_conversationModel, roles, this);
    publish(QStringLiteral("myMessageModel"), QVariant::fromValue<QObject *>(m_messageModel));
    publish(QStringLiteral("myConversationModel"),
            QVariant::fromValue<QObject *>(m_conversationModel));
}

void MessagesView::onBackendCreated(Zr::Zirrup *zirrup)
{
    if (m_backend && m_backend != zirrup)
        disconnect(m_backend, nullptr, this, nullptr);
    m_backend = zirrup;
}
