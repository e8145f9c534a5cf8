#ifndef MESSAGESVIEW_H
#define MESSAGESVIEW_H

#include "profileview.h"
#include "zirrup.h"

#include <QHash>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

class DataHandler;
class QStandardItem;
class ZirrupModel;

// Data adapter for direct messages: the conversation list (one row per partner, newest
// message) and the messages of one open conversation.
class MessagesView : public QObject
{
    Q_OBJECT

public:
    // The adapter's copy of one message.
    struct DirectMessageEntry
    {
        QString id;
        QString partnerScreenName;
        QString senderScreenName;
        QString partnerName;
        QString text;
        QString createdAt;
        QString partnerAvatar;
        QString senderAvatar;
        bool received = false;
        bool unread = false;
    };

    explicit MessagesView(QObject *parent = nullptr);

    static QHash<int, QByteArray> messageRoleNames();
    // True when id `a` is a greater message id than `b` (decimal strings, longer is greater).
    static bool isNewer(const QString &a, const QString &b);

    ZirrupModel *messageModel() const { return m_messageModel; }
    ZirrupModel *conversationModel() const { return m_conversationModel; }
    Zr::Zirrup *backend() const { return m_backend; }

    const QMap<QString, DirectMessageEntry> &messageMap() const { return m_messageMap; }
    QString lastSeenId() const { return m_lastSeenId; }

public Q_SLOTS:
    // Adapter protocol.
    void onFrontendInitialized(DataHandler *dataHandler);
    void onBackendCreated(Zr::Zirrup *zirrup);

    void refreshMessagesData(bool silentUpdate = false);
    void getMessagesData();
    void getConversationData(QString screenName);
    void deleteMessage(QString messageId);
    void getComposeConversationTip(QString screenName);
    void onDirectMessageUpdated(DirectMessageType::DirectMessageType type, QVariantList data,
                                int queryId);
    void onDirectMessageDeleted(QMap<QString, QString> queryArgs, int queryId);
    void onNetworkRequestError(int queryId, QVariantMap err = QVariantMap());
    void onErrorCritical(int queryId);
    void onErrorError(int queryId);
    void onErrorWarning(int queryId);
    void onImageLoadCompleted(QString screenName, ProfileView::ProfileImageSize size,
                              QString imageUrl);

private Q_SLOTS:
    void onMessagesData(QVariantList data);

private:
    void publish(const QString &name, const QVariant &value);
    DirectMessageEntry makeEntry(const QVariantMap &record) const;
    static QStandardItem *makeItem(const DirectMessageEntry &entry);
    // Asks for one kind of message; true when the request went out.
    bool requestMessages(DirectMessageType::DirectMessageType type, QVariantList *cache,
                         int *queryId);
    QString newestKnownId() const;
    // Forgets every message of the account signed in before.
    void dropAccountData();

    DataHandler *m_dataHandler = nullptr;
    QPointer<Zr::Zirrup> m_backend;

    QMap<QString, DirectMessageEntry> m_messageMap;
    QString m_newestReceivedId = QStringLiteral("0");
    QString m_newestSentId = QStringLiteral("0");
    QString m_lastSeenId = QStringLiteral("0");
    QVariantList m_receivedCache;
    QVariantList m_sentCache;
    int m_receivedQueryId = -2;
    int m_sentQueryId = -2;
    int m_pendingQueries = 0;
    bool m_firstLoad = false;
    // The partner whose conversation the header shows.
    QString m_conversationPartner;
    // The signed-in user whose messages the adapter holds (lower case).
    QString m_account;

    ZirrupModel *m_messageModel = nullptr;
    ZirrupModel *m_conversationModel = nullptr;
};

#endif // MESSAGESVIEW_H
