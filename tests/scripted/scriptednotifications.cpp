#include "scriptednotifications.h"

ScriptedNotifications::ScriptedNotifications(QObject *parent)
    : ZrPlatform::ZrNotificationHandler(parent)
{ }

void ScriptedNotifications::saveLastId(const QString &lastId)
{
    m_savedIds.append(lastId);
    Q_EMIT lastIdSaved(lastId);
}

void ScriptedNotifications::notifyMentions(int count, const QString &text)
{
    m_mentionNotices.append({count, text});
}

void ScriptedNotifications::notifyMessages(int count, const QString &text)
{
    m_messageNotices.append({count, text});
}
