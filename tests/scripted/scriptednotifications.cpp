#include "scriptednotifications.h"

ScriptedNotifications::ScriptedNotifications(QObject *parent)
    : ZrPlatform::ZrNotificationHandler(parent)
{ }

void ScriptedNotifications::saveLastId(const QString &lastId)
{
    m_savedIds.append(lastId);
    Q_EMIT lastIdSaved(lastId);
}

void ScriptedNotifications::notifyMentions(int count, const QString &text, const QString &tweetId)
{
    m_mentionNotices.append({count, text});
    m_mentionSubjects.append(tweetId);
}

void ScriptedNotifications::notifyMessages(int count, const QString &text, const QString &sender)
{
    m_messageNotices.append({count, text});
    m_messageSubjects.append(sender);
}
