#ifndef SCRIPTEDNOTIFICATIONS_H
#define SCRIPTEDNOTIFICATIONS_H

#include "zrnotificationhandler.h"

#include <QStringList>

// Records what the program tells the notification area.
class ScriptedNotifications : public ZrPlatform::ZrNotificationHandler
{
    Q_OBJECT

public:
    explicit ScriptedNotifications(QObject *parent = nullptr)
        : ZrPlatform::ZrNotificationHandler(parent)
    { }

    int clearedMentions() const { return m_clearedMentions; }
    QStringList savedIds() const { return m_savedIds; }
    QList<QPair<int, QString>> mentionNotices() const { return m_mentionNotices; }
    QList<QPair<int, QString>> messageNotices() const { return m_messageNotices; }
    // What a click on each notice would open.
    QStringList mentionSubjects() const { return m_mentionSubjects; }
    QStringList messageSubjects() const { return m_messageSubjects; }

    void clearMessageNotifications() override { }
    void clearMentionNotifications() override { ++m_clearedMentions; }
    void saveLastId(const QString &lastId) override
    {
        m_savedIds.append(lastId);
        Q_EMIT lastIdSaved(lastId);
    }
    void notifyMentions(int count, const QString &text, const QString &tweetId) override
    {
        m_mentionNotices.append({count, text});
        m_mentionSubjects.append(tweetId);
    }
    void notifyMessages(int count, const QString &text, const QString &sender) override
    {
        m_messageNotices.append({count, text});
        m_messageSubjects.append(sender);
    }

Q_SIGNALS:
    void lastIdSaved(const QString &lastId);

private:
    int m_clearedMentions = 0;
    QStringList m_savedIds;
    QList<QPair<int, QString>> m_mentionNotices;
    QList<QPair<int, QString>> m_messageNotices;
    QStringList m_mentionSubjects;
    QStringList m_messageSubjects;
};

#endif // SCRIPTEDNOTIFICATIONS_H
