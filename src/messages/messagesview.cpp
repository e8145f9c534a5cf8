#include "messagesview.h"

#include "datahandler.h"
#include "zirrup.h"
#include "zirrupmessageitem.h"
#include "zirrupmodel.h"

#include <QSet>
#include <QtDebug>

#include <algorithm>

namespace {
enum MessageRole {
    ScreenNameRole = Qt::UserRole + 1,
    SenderScreenNameRole,
    TextRole,
    CreatedAtRole,
    AvatarRole,
    SenderAvatarRole,
    ReceivedRole,
    IdRole,
    UnreadRole
};
static_assert(IdRole == ZirrupMessageItem::IdRole, "messages sort by their id role");

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

Zr::ArgMap messageArgs()
{
    return {{QStringLiteral("count"), QStringLiteral("50")},
            {QStringLiteral("include_entities"), QStringLiteral("true")}};
}
} // namespace

MessagesView::MessagesView(QObject *parent)
    : QObject(parent)
{ }

QHash<int, QByteArray> MessagesView::messageRoleNames()
{
    return {
        {ScreenNameRole, "screen_name"}, {SenderScreenNameRole, "sender_screen_name"},
        {TextRole, "msg_text"},          {CreatedAtRole, "created_at"},
        {AvatarRole, "avatar_url"},      {SenderAvatarRole, "sender_avatar_url"},
        {ReceivedRole, "received"},      {IdRole, "msg_id"},
        {UnreadRole, "msg_unread"},
    };
}

bool MessagesView::isNewer(const QString &a, const QString &b)
{
    if (a.size() != b.size())
        return a.size() > b.size();
    return a > b;
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
    m_conversationPartner.clear();

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
    // Requests of the previous backend will never be answered.
    m_receivedQueryId = m_sentQueryId = -2;
    m_pendingQueries = 0;
    // A signed-out backend keeps what the last account held until someone signs in; the same
    // account signing in again (a re-login) keeps it too.
    const QString account = m_dataHandler ? m_dataHandler->authenticatedUser() : QString();
    if (!account.isEmpty() && account != m_account) {
        dropAccountData();
        m_account = account;
    }
    if (!zirrup)
        return;
    connect(zirrup, &Zr::Zirrup::directMessageUpdated, this, &MessagesView::onDirectMessageUpdated,
            Qt::UniqueConnection);
    connect(zirrup, &Zr::Zirrup::directMessageDeleted, this, &MessagesView::onDirectMessageDeleted,
            Qt::UniqueConnection);
    connect(zirrup, &Zr::Zirrup::networkRequestError, this, &MessagesView::onNetworkRequestError,
            Qt::UniqueConnection);
    connect(zirrup, &Zr::Zirrup::errorCritical, this, &MessagesView::onErrorCritical,
            Qt::UniqueConnection);
    connect(zirrup, &Zr::Zirrup::errorError, this, &MessagesView::onErrorError,
            Qt::UniqueConnection);
    connect(zirrup, &Zr::Zirrup::errorWarning, this, &MessagesView::onErrorWarning,
            Qt::UniqueConnection);
}

void MessagesView::dropAccountData()
{
    m_messageMap.clear();
    m_newestReceivedId = m_newestSentId = m_lastSeenId = QStringLiteral("0");
    m_receivedCache.clear();
    m_sentCache.clear();
    m_firstLoad = false;
    m_conversationPartner.clear();
    for (ZirrupModel *model : {m_messageModel, m_conversationModel}) {
        if (model) {
            model->clear();
            model->emitCountChanged();
        }
    }
    for (const char *name :
         {"conversation_zirrupName", "conversation_firstname", "conversation_image_url",
          "composeview_msg_text", "composeview_created_at"})
        publish(QLatin1String(name), QString());
    publish(QStringLiteral("composeview_received"), false);
    publish(QStringLiteral("messagesview_refresh_after_sending"), false);
}

QString MessagesView::newestKnownId() const
{
    return isNewer(m_newestReceivedId, m_newestSentId) ? m_newestReceivedId : m_newestSentId;
}

bool MessagesView::requestMessages(DirectMessageType::DirectMessageType type, QVariantList *cache,
                                   int *queryId)
{
    *queryId = -1;
    if (!m_backend)
        return false;
    return m_backend->retrieveDirectMessages(cache, queryId, type, messageArgs(),
                                             Zr::CacheThenNetwork)
        == Zr::RequestSent;
}

void MessagesView::getMessagesData()
{
    m_receivedQueryId = m_sentQueryId = -1;
    m_pendingQueries = 0;

    if (requestMessages(DirectMessageType::Received, &m_receivedCache, &m_receivedQueryId)) {
        if (m_receivedQueryId != -1) {
            ++m_pendingQueries;
            publish(QStringLiteral("messagesview_loading"), true);
        }
        onDirectMessageUpdated(DirectMessageType::Received, m_receivedCache, -1);

        if (requestMessages(DirectMessageType::Sent, &m_sentCache, &m_sentQueryId)) {
            if (m_sentQueryId != -1) {
                ++m_pendingQueries;
                publish(QStringLiteral("messagesview_loading"), true);
            }
            onDirectMessageUpdated(DirectMessageType::Sent, m_sentCache, -1);
        }
    }

    m_lastSeenId = newestKnownId();
    m_receivedCache.clear();
    m_sentCache.clear();
}

void MessagesView::refreshMessagesData(bool silentUpdate)
{
    if (!m_messageModel || m_messageModel->rowCount() == 0) {
        m_firstLoad = true;
        getMessagesData();
        return;
    }

    m_pendingQueries = 0;
    m_receivedQueryId = m_sentQueryId = -1;
    if (!requestMessages(DirectMessageType::Received, nullptr, &m_receivedQueryId))
        return;
    m_lastSeenId = newestKnownId();
    if (m_receivedQueryId != -1) {
        ++m_pendingQueries;
        if (!silentUpdate)
            publish(QStringLiteral("messagesview_loading"), true);
    }
    if (requestMessages(DirectMessageType::Sent, nullptr, &m_sentQueryId) && m_sentQueryId != -1) {
        ++m_pendingQueries;
        if (!silentUpdate)
            publish(QStringLiteral("messagesview_loading"), true);
    }
}

void MessagesView::onDirectMessageUpdated(DirectMessageType::DirectMessageType type,
                                          QVariantList data, int queryId)
{
    if (m_dataHandler)
        m_dataHandler->postLastIdUpdate(data);

    // Only answers to the two load requests count down: messages the stream passes on
    // (query id 0) must not end a load whose other half is still outstanding.
    bool final = false;
    if (queryId >= 0 && (queryId == m_receivedQueryId || queryId == m_sentQueryId)) {
        --m_pendingQueries;
        if (m_pendingQueries <= 0) {
            publish(QStringLiteral("messagesview_loading"), false);
            publish(QStringLiteral("messagesview_refresh_after_sending"), false);
            final = true;
        }
    }

    onMessagesData(data);

    if (!data.isEmpty()) {
        // A conversation is unread when someone else wrote its newest message since the last
        // load; the user's own messages never mark it.
        if (m_lastSeenId != QLatin1String("0") && m_messageModel) {
            bool marked = false;
            for (int row = 0; row < m_messageModel->rowCount(); ++row) {
                QStandardItem *item = m_messageModel->item(row);
                if (item->data(ReceivedRole).toBool()
                    && isNewer(item->data(IdRole).toString(), m_lastSeenId)) {
                    item->setData(true, UnreadRole);
                    marked = true;
                }
            }
            if (marked && m_dataHandler)
                m_dataHandler->emitNewMessages();
        }

        // Ids only move forward: an older page must not undo what the stream brought.
        const QString newest = data.first().toMap().value(QStringLiteral("id")).toString();
        QString &known = type == DirectMessageType::Sent ? m_newestSentId : m_newestReceivedId;
        if (isNewer(newest, known))
            known = newest;
    }

    if (m_firstLoad && final) {
        m_firstLoad = false;
        m_lastSeenId = newestKnownId();
    }
}

MessagesView::DirectMessageEntry MessagesView::makeEntry(const QVariantMap &record) const
{
    DirectMessageEntry entry;
    entry.id = record.value(QStringLiteral("id")).toString();
    entry.senderScreenName = record.value(QStringLiteral("sender_screen_name")).toString();
    const QString me = m_dataHandler ? m_dataHandler->authenticatedUser() : QString();
    const bool sentByMe = entry.senderScreenName.toLower() == me;
    entry.received = !sentByMe;
    entry.partnerScreenName = sentByMe
        ? record.value(QStringLiteral("recipient_screen_name")).toString()
        : entry.senderScreenName;
    const QVariantMap sender = record.value(QStringLiteral("sender")).toMap();
    const QVariantMap partner =
        sentByMe ? record.value(QStringLiteral("recipient")).toMap() : sender;
    entry.partnerName = partner.value(QStringLiteral("name")).toString();

    QString text = record.value(QStringLiteral("text")).toString();
    if (m_dataHandler) {
        m_dataHandler->parseEntities(record.value(QStringLiteral("entities")).toMap(), text, false);
        entry.createdAt = m_dataHandler->convertServiceDateTime(
            record.value(QStringLiteral("created_at")).toString(), false);
        entry.partnerAvatar = m_dataHandler->getProfileImage(
            entry.partnerScreenName, partner.value(QStringLiteral("profile_image_url")).toString(),
            false, ProfileView::ImageSizeBigger);
        entry.senderAvatar = m_dataHandler->getProfileImage(
            entry.senderScreenName, sender.value(QStringLiteral("profile_image_url")).toString(),
            false, ProfileView::ImageSizeBigger);
    }
    entry.text = text.simplified();
    return entry;
}

QStandardItem *MessagesView::makeItem(const DirectMessageEntry &entry)
{
    auto *item = new ZirrupMessageItem;
    item->setData(entry.partnerScreenName, ScreenNameRole);
    item->setData(entry.senderScreenName, SenderScreenNameRole);
    item->setData(entry.text, TextRole);
    item->setData(entry.createdAt, CreatedAtRole);
    item->setData(entry.partnerAvatar, AvatarRole);
    item->setData(entry.senderAvatar, SenderAvatarRole);
    item->setData(entry.received, ReceivedRole);
    item->setData(entry.id, IdRole);
    item->setData(entry.unread, UnreadRole);
    return item;
}

void MessagesView::onMessagesData(QVariantList data)
{
    if (!m_messageModel || data.isEmpty())
        return;

    // Row of each partner (lower-cased), so that a large delivery does not scan the list once
    // per message. Rows are only replaced or appended until the sort below.
    QHash<QString, int> rowOfPartner;
    for (int row = m_messageModel->rowCount() - 1; row >= 0; --row)
        rowOfPartner.insert(m_messageModel->item(row)->data(ScreenNameRole).toString().toLower(),
                            row);

    for (const QVariant &value : std::as_const(data)) {
        const DirectMessageEntry entry = makeEntry(value.toMap());
        m_messageMap.insert(entry.id, entry);

        const QString partner = entry.partnerScreenName.toLower();
        const auto found = rowOfPartner.constFind(partner);
        if (found == rowOfPartner.cend()) {
            const int row = m_messageModel->rowCount();
            m_messageModel->setItem(row, 0, makeItem(entry));
            rowOfPartner.insert(partner, row);
        } else if (isNewer(entry.id, m_messageModel->item(*found)->data(IdRole).toString())) {
            m_messageModel->setItem(*found, 0, makeItem(entry));
        }
    }
    m_messageModel->sort(0, Qt::DescendingOrder);
    m_messageModel->emitCountChanged();
}

void MessagesView::getConversationData(QString screenName)
{
    for (const char *name :
         {"conversation_zirrupName", "conversation_firstname", "conversation_image_url"})
        publish(QLatin1String(name), QString());
    m_conversationPartner.clear();
    if (screenName.isEmpty() || !m_conversationModel)
        return;

    QList<const DirectMessageEntry *> entries;
    for (auto it = m_messageMap.cbegin(); it != m_messageMap.cend(); ++it) {
        if (sameName(it->partnerScreenName, screenName))
            entries.append(&it.value());
    }
    // The map's key order is text order; "999" must come before "1000".
    std::sort(entries.begin(), entries.end(),
              [](const DirectMessageEntry *a, const DirectMessageEntry *b) {
                  return isNewer(b->id, a->id);
              });
    // The newest message carries the partner's current name; the oldest tells whether the
    // model already shows this conversation, so that new messages are only appended.
    const DirectMessageEntry header = entries.isEmpty() ? DirectMessageEntry() : *entries.last();
    const QString oldestId = entries.isEmpty() ? QString() : entries.first()->id;

    QSet<QString> shown;
    for (int row = 0; row < m_conversationModel->rowCount(); ++row)
        shown.insert(m_conversationModel->item(row)->data(IdRole).toString());
    const bool kept = !oldestId.isEmpty() && shown.contains(oldestId);
    QString lastShownId;
    if (kept) {
        lastShownId =
            m_conversationModel->item(m_conversationModel->rowCount() - 1)->data(IdRole).toString();
    } else {
        m_conversationModel->clear();
        shown.clear();
    }

    if (m_messageModel) {
        for (int row = 0; row < m_messageModel->rowCount(); ++row) {
            QStandardItem *item = m_messageModel->item(row);
            if (sameName(item->data(ScreenNameRole).toString(), screenName)) {
                item->setData(false, UnreadRole);
                break;
            }
        }
    }

    bool outOfOrder = !kept;
    for (const DirectMessageEntry *entry : std::as_const(entries)) {
        if (shown.contains(entry->id))
            continue;
        // A kept model only grows at its end, unless an older message turned up late.
        if (kept && isNewer(lastShownId, entry->id))
            outOfOrder = true;
        m_conversationModel->appendRow(makeItem(*entry));
    }

    m_conversationPartner = header.partnerScreenName;
    publish(QStringLiteral("conversation_zirrupName"), header.partnerScreenName);
    publish(QStringLiteral("conversation_firstname"), header.partnerName);
    publish(QStringLiteral("conversation_image_url"), header.partnerAvatar);

    if (outOfOrder)
        m_conversationModel->sort(0, Qt::AscendingOrder);
    m_conversationModel->emitCountChanged();
}

void MessagesView::getComposeConversationTip(QString screenName)
{
    publish(QStringLiteral("composeview_msg_text"), QString());
    publish(QStringLiteral("composeview_created_at"), QString());
    publish(QStringLiteral("composeview_received"), false);
    if (!m_messageModel)
        return;
    for (int row = 0; row < m_messageModel->rowCount(); ++row) {
        const QStandardItem *item = m_messageModel->item(row);
        if (sameName(item->data(ScreenNameRole).toString(), screenName)) {
            publish(QStringLiteral("composeview_msg_text"), item->data(TextRole).toString());
            publish(QStringLiteral("composeview_created_at"), item->data(CreatedAtRole).toString());
            publish(QStringLiteral("composeview_received"), item->data(ReceivedRole).toBool());
            return;
        }
    }
}

void MessagesView::deleteMessage(QString messageId)
{
    if (messageId.isEmpty() || !m_backend)
        return;
    int queryId = -1;
    m_backend->deleteDirectMessage({{QStringLiteral("id"), messageId}}, &queryId);
}

void MessagesView::onDirectMessageDeleted(QMap<QString, QString> queryArgs, int queryId)
{
    Q_UNUSED(queryId)
    const QString id = queryArgs.value(QStringLiteral("id"));
    if (id.isEmpty())
        return;
    const QString partner = m_messageMap.value(id).partnerScreenName;
    m_messageMap.remove(id);

    // The open conversation must not go on showing a message the user has just deleted.
    if (m_conversationModel) {
        for (int row = m_conversationModel->rowCount() - 1; row >= 0; --row) {
            if (m_conversationModel->item(row)->data(IdRole).toString() == id) {
                m_conversationModel->removeRow(row);
                m_conversationModel->emitCountChanged();
            }
        }
    }

    if (!m_messageModel)
        return;
    bool removed = false;
    for (int row = 0; row < m_messageModel->rowCount(); ++row) {
        if (m_messageModel->item(row)->data(IdRole).toString() == id) {
            m_messageModel->removeRow(row);
            removed = true;
            break;
        }
    }
    if (!removed)
        return;

    const DirectMessageEntry *newest = nullptr;
    for (auto it = m_messageMap.cbegin(); it != m_messageMap.cend(); ++it) {
        if (sameName(it->partnerScreenName, partner) && (!newest || isNewer(it->id, newest->id)))
            newest = &it.value();
    }
    if (newest) {
        m_messageModel->setItem(m_messageModel->rowCount(), 0, makeItem(*newest));
        // The partner's older message keeps the conversation in its place, not at the end.
        m_messageModel->sort(0, Qt::DescendingOrder);
    }
    m_messageModel->emitCountChanged();
}

void MessagesView::onNetworkRequestError(int queryId, QVariantMap err)
{
    Q_UNUSED(err)
    qDebug() << "void MessagesView::onNetworkRequestError(int, const QVariantMap&)" << queryId;
    if (queryId < 0 || (queryId != m_receivedQueryId && queryId != m_sentQueryId))
        return;
    if (--m_pendingQueries > 0)
        return;
    publish(QStringLiteral("messagesview_loading"), false);
    publish(QStringLiteral("messagesview_refresh_after_sending"), false);
    if (m_dataHandler)
        m_dataHandler->showErrorNotice(qtTrId("qtn_zirrup_error_load_messages"), true);
}

void MessagesView::onErrorCritical(int queryId)
{
    qDebug() << "void MessagesView::onErrorCritical(int)" << queryId;
    onNetworkRequestError(queryId);
}

void MessagesView::onErrorError(int queryId)
{
    qDebug() << "void MessagesView::onErrorError(int)" << queryId;
    onNetworkRequestError(queryId);
}

void MessagesView::onErrorWarning(int queryId)
{
    qDebug() << "void MessagesView::onErrorWarning(int)" << queryId;
    onNetworkRequestError(queryId);
}

void MessagesView::onImageLoadCompleted(QString screenName, ProfileView::ProfileImageSize size,
                                        QString imageUrl)
{
    if (size != ProfileView::ImageSizeBigger)
        return;
    for (ZirrupModel *model : {m_messageModel, m_conversationModel}) {
        if (!model)
            continue;
        for (int row = 0; row < model->rowCount(); ++row) {
            QStandardItem *item = model->item(row);
            if (sameName(item->data(ScreenNameRole).toString(), screenName))
                item->setData(imageUrl, AvatarRole);
            if (sameName(item->data(SenderScreenNameRole).toString(), screenName))
                item->setData(imageUrl, SenderAvatarRole);
        }
    }
    for (DirectMessageEntry &entry : m_messageMap) {
        if (sameName(entry.partnerScreenName, screenName))
            entry.partnerAvatar = imageUrl;
        if (sameName(entry.senderScreenName, screenName))
            entry.senderAvatar = imageUrl;
    }
    if (!m_conversationPartner.isEmpty() && sameName(m_conversationPartner, screenName))
        publish(QStringLiteral("conversation_image_url"), imageUrl);
}
