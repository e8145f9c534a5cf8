#include "accessrules.h"

#include "database.h"

AccessRules::AccessRules(Database *db, QObject *parent)
    : QObject(parent)
    , m_db(db)
{ }

bool AccessRules::follows(qint64 follower, qint64 followee) const
{
    return m_db->exists(QStringLiteral("SELECT 1 FROM follows WHERE follower_id = ?"
                                       " AND followee_id = ? AND pending = 0"),
                        {follower, followee});
}

bool AccessRules::requested(qint64 follower, qint64 followee) const
{
    return m_db->exists(QStringLiteral("SELECT 1 FROM follows WHERE follower_id = ?"
                                       " AND followee_id = ? AND pending = 1"),
                        {follower, followee});
}

bool AccessRules::blocks(qint64 blocker, qint64 blocked) const
{
    return m_db->exists(
        QStringLiteral("SELECT 1 FROM blocks WHERE blocker_id = ? AND blocked_id = ?"),
        {blocker, blocked});
}

bool AccessRules::blockedEitherWay(qint64 a, qint64 b) const
{
    return blocks(a, b) || blocks(b, a);
}

bool AccessRules::isProtected(qint64 user) const
{
    return m_db->integer(QStringLiteral("SELECT protected FROM users WHERE id = ?"), {user}) != 0;
}

bool AccessRules::canRead(qint64 viewer, qint64 author) const
{
    if (viewer == author)
        return true;
    if (viewer && blocks(author, viewer))
        return false;
    return !isProtected(author) || (viewer && follows(viewer, author));
}

QString AccessRules::statusJoins()
{
    return QStringLiteral(" FROM statuses s JOIN users u ON u.id = s.user_id"
                          " LEFT JOIN statuses o ON o.id = s.retweet_of"
                          " LEFT JOIN users ou ON ou.id = o.user_id ");
}

QString AccessRules::visible(qint64 viewer, const QString &author, const QString &protectedColumn)
{
    if (viewer == 0)
        return protectedColumn + QStringLiteral(" = 0");
    const QString v = QString::number(viewer);
    return QStringLiteral("((%1 = 0 OR %2 = %3 OR EXISTS (SELECT 1 FROM follows f"
                          " WHERE f.follower_id = %3 AND f.followee_id = %2 AND f.pending = 0))"
                          " AND NOT EXISTS (SELECT 1 FROM blocks b WHERE (b.blocker_id = %3"
                          " AND b.blocked_id = %2) OR (b.blocker_id = %2 AND b.blocked_id = %3)))")
        .arg(protectedColumn, author, v);
}

QString AccessRules::listingFilter(qint64 viewer)
{
    return QStringLiteral(" (u.deleted = 0 AND %1 AND (s.retweet_of IS NULL OR %2)) ")
        .arg(visible(viewer, QStringLiteral("s.user_id"), QStringLiteral("u.protected")),
             visible(viewer, QStringLiteral("o.user_id"), QStringLiteral("ou.protected")));
}
