#ifndef MESSAGESVIEW_H
#define MESSAGESVIEW_H

#include "zirrup.h"

#include <QHash>
#include <QObject>
#include <QPointer>

class DataHandler;
class ZirrupModel;

// Data adapter for direct messages: the conversation list (one row per partner, newest
// message) and the messages of one open conversation.
class MessagesView : public QObject
{
    Q_OBJECT

public:
    explicit MessagesView(QObject *parent = nullptr);

    static QHash<int, QByteArray> messageRoleNames();

    ZirrupModel *messageModel() const { return m_messageModel; }
    ZirrupModel *conversationModel() const { return m_conversationModel; }
    Zr::Zirrup *backend() const { return m_backend; }

public Q_SLOTS:
    // Adapter protocol.
    void onFrontendInitialized(DataHandler *dataHandler);
    void onBackendCreated(Zr::Zirrup *zirrup);

private:
    void publish(const QString &name, const QVariant &value);

    DataHandler *m_dataHandler = nullptr;
    QPointer<Zr::Zirrup> m_backend;

    ZirrupModel *m_messageModel = nullptr;
    ZirrupModel *m_conversationModel = nullptr;
};

#endif // MESSAGESVIEW_H
